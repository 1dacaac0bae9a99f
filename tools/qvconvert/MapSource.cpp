#include "MapSource.h"

#include "dataset/PFILE.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {
struct Item
{
    long code;
    int count;                // as stored: > 0 region, < 0 overlay, 1 point
    std::vector<long> points; // x, y pairs
};
struct Map
{
    std::string name;
    std::vector<Item> items;
};

void PutI16(std::vector<unsigned char> &out, long v)
{
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
}

void PutI32(std::vector<unsigned char> &out, long v)
{
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>((u >> (8 * i)) & 0xff));
}

void SetI32(std::vector<unsigned char> &out, size_t at, long v)
{
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<unsigned char>((u >> (8 * i)) & 0xff);
}

bool ParseLong(const std::string &text, long *out)
{
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end)
        return false;
    *out = v;
    return true;
}
} // namespace

bool ConvertMapSource(const char *sourceName, const char *mapFileName, std::string *error)
{
    PFILE in(sourceName);
    if (!in.Open(PFILE_READ) || in.Size() > 64LL * 1024 * 1024) {
        *error = std::string(sourceName) + ": cannot be read";
        return false;
    }
    std::string text(static_cast<size_t>(in.Size()), '\0');
    if (!text.empty() && in.Read(&text[0], 1, text.size()) != text.size()) {
        *error = std::string(sourceName) + ": cannot be read";
        return false;
    }
    std::vector<Map> maps;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::string where = std::string(sourceName) + " line " + std::to_string(number) + ": ";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#')
            continue;
        if (keyword == "map") {
            std::string name;
            std::getline(words >> std::ws, name);
            if (name.empty() || name.size() > 35) {
                *error = where + "a map name has 1 to 35 characters";
                return false;
            }
            maps.push_back(Map{name, {}});
            continue;
        }
        if (keyword != "point" && keyword != "region" && keyword != "overlay") {
            *error = where + "unknown keyword \"" + keyword + "\"";
            return false;
        }
        if (maps.empty()) {
            *error = where + "\"map\" must come first";
            return false;
        }
        Item item;
        std::string word;
        if (!(words >> word) || !ParseLong(word, &item.code)) {
            *error = where + "a region code is a whole number";
            return false;
        }
        while (words >> word) {
            long v;
            if (!ParseLong(word, &v) || v < -32768 || v > 32767) {
                *error = where + "coordinates are whole numbers from -32768 to 32767";
                return false;
            }
            item.points.push_back(v);
        }
        long n = static_cast<long>(item.points.size() / 2);
        if (item.points.size() % 2 || (keyword == "point" && n != 1) || (keyword != "point" && n < 3) || n > 32767) {
            *error = where + "wrong number of coordinates";
            return false;
        }
        item.count = keyword == "overlay" ? -static_cast<int>(n) : static_cast<int>(n);
        if (maps.back().items.size() >= 32767) {
            *error = where + "too many items in one map";
            return false;
        }
        maps.back().items.push_back(item);
    }
    if (maps.empty() || maps.size() > 4096) {
        *error = std::string(sourceName) + ": no map";
        return false;
    }
    // Header, directory, names, then the geometry of each map in turn.
    std::vector<unsigned char> out;
    PutI16(out, static_cast<long>(maps.size()));
    PutI16(out, 9600);
    size_t directory = out.size();
    for (const Map &m : maps) {
        PutI16(out, static_cast<long>(m.items.size()));
        PutI32(out, 0);
        PutI32(out, 0);
    }
    for (size_t i = 0; i < maps.size(); ++i) {
        SetI32(out, directory + 10 * i + 6, static_cast<long>(out.size()));
        char name[35];
        std::memset(name, 0, sizeof name);
        std::memcpy(name, maps[i].name.data(), maps[i].name.size());
        out.insert(out.end(), name, name + sizeof name);
    }
    for (size_t i = 0; i < maps.size(); ++i) {
        SetI32(out, directory + 10 * i + 2, static_cast<long>(out.size()));
        for (const Item &item : maps[i].items) {
            PutI32(out, item.code);
            PutI16(out, item.count);
            for (long v : item.points)
                PutI16(out, v);
        }
    }
    PFILE file(mapFileName);
    if (!file.Open(PFILE_WRITE) || file.Write(out.data(), 1, out.size()) != out.size() || !file.Flush()) {
        *error = std::string(mapFileName) + ": cannot be written";
        return false;
    }
    return true;
}
