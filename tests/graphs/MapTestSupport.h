// Map files for the map tests: one map named "Test" made of given items.
#pragma once

#include <vector>

namespace MapTest {

typedef std::vector<unsigned char> Bytes;
struct Item
{
    long code;
    int n; // as stored: > 0 region, < 0 overlay
    std::vector<int> xy;
};

inline void Put(Bytes &b, long v, int width)
{
    for (int k = 0; k < width; ++k)
        b.push_back(static_cast<unsigned char>((static_cast<unsigned long>(v) >> (8 * k)) & 0xff));
}

// Header, one directory entry, the name, the items.
inline Bytes MapBytes(const std::vector<Item> &items, int version = 9600)
{
    Bytes b;
    Put(b, 1, 2), Put(b, version, 2), Put(b, static_cast<long>(items.size()), 2), Put(b, 14 + 35, 4), Put(b, 14, 4);
    const char name[35] = "Test";
    b.insert(b.end(), name, name + 35);
    for (const Item &item : items) {
        Put(b, item.code, 4), Put(b, item.n, 2);
        for (int v : item.xy)
            Put(b, v, 2);
    }
    return b;
}

} // namespace MapTest
