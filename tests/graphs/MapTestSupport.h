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

// Header, one directory entry, the name, the items.
inline Bytes MapBytes(const std::vector<Item> &items, int version = 9600)
{
    Bytes b;
    auto put = [&b](long v, int width) {
        for (int k = 0; k < width; ++k)
            b.push_back(static_cast<unsigned char>((static_cast<unsigned long>(v) >> (8 * k)) & 0xff));
    };
    put(1, 2), put(version, 2), put(static_cast<long>(items.size()), 2), put(14 + 35, 4), put(14, 4);
    b.resize(b.size() + 35), b[14] = 'T';
    for (const Item &item : items) {
        put(item.code, 4), put(item.n, 2);
        for (int v : item.xy)
            put(v, 2);
    }
    return b;
}

} // namespace MapTest
