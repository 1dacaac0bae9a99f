#include "dataset/MapFile.h"

#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/TextUtils.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
bool ReadI16(ByteStream &f, long long at, short *v)
{
    unsigned char b[2];
    if (!f.ReadAt(at, b, 2))
        return false;
    *v = static_cast<short>(b[0] | (b[1] << 8));
    return true;
}

bool ReadI32(ByteStream &f, long long at, long *v)
{
    unsigned char b[4];
    if (!f.ReadAt(at, b, 4))
        return false;
    *v = static_cast<long>(static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                                (static_cast<uint32_t>(b[2]) << 16) |
                                                (static_cast<uint32_t>(b[3]) << 24)));
    return true;
}
} // namespace

const char *MapFileErrorText(int error)
{
    switch (error) {
    case MAPERR_NONE:
        return "No error.";
    case MAPERR_SHORT:
        return "The map file is shorter than its header.";
    case MAPERR_COUNT:
        return "The map directory of the map file is damaged.";
    case MAPERR_NAME:
        return "A map name lies outside the map file.";
    case MAPERR_GEOMETRY:
        return "The regions of a map lie outside the map file.";
    case MAPERR_ITEM_COUNT:
        return "The region count of a map is impossible.";
    case MAPERR_NO_DIRECTORY:
        return "The map file is too old to hold a map directory.";
    case MAPERR_MAP_NUMBER:
        return "The map file has no such map.";
    default:
        return "Unknown map-file error.";
    }
}

int MapFile::ReadDirectory(ByteStream &f, bool keepLetters, MapDirectory *out)
{
    delete[] out->entries;
    out->entries = nullptr;
    out->mapCount = 0;
    out->version = 0;
    short count, version;
    if (!ReadI16(f, 0, &count) || !ReadI16(f, 2, &version))
        return MAPERR_SHORT;
    out->version = version;
    if (count < 0 || count > MAX_MAPS)
        return MAPERR_COUNT;
    if (version < MIN_VERSION) {
        // Only the count and the version are held: no records exist that the
        // count could reach.
        out->mapCount = 0;
        return MAPERR_NONE;
    }
    if (!f.Contains(4, static_cast<long long>(count) * ENTRY_BYTES))
        return MAPERR_COUNT;
    MapDirectoryEntry *entries = new MapDirectoryEntry[count > 0 ? count : 1];
    for (int i = 0; i < count; ++i) {
        long long at = 4 + static_cast<long long>(i) * ENTRY_BYTES;
        short items = 0;
        long geometry = 0, nameOffset = 0;
        ReadI16(f, at, &items);
        ReadI32(f, at + 2, &geometry);
        ReadI32(f, at + 6, &nameOffset);
        int code = MAPERR_NONE;
        if (items < 0)
            code = MAPERR_ITEM_COUNT;
        else if (!f.Contains(geometry, static_cast<long long>(items) * 6))
            code = MAPERR_GEOMETRY;
        else if (!f.Contains(nameOffset, NAME_BYTES))
            code = MAPERR_NAME;
        if (code) {
            delete[] entries;
            return code;
        }
        entries[i].itemCount = items;
        entries[i].geometryOffset = geometry;
        std::memset(entries[i].name, 0, sizeof entries[i].name);
        f.ReadAt(nameOffset, entries[i].name, NAME_BYTES);
        ConvertNordicLetters(keepLetters, entries[i].name, 0);
    }
    out->entries = entries;
    out->mapCount = count;
    return MAPERR_NONE;
}

int MapFile::ReadMap(ByteStream &f, const MapDirectory &directory, int map, std::vector<MapItem> *items)
{
    items->clear();
    if (!directory.entries)
        return MAPERR_NO_DIRECTORY;
    if (map < 0 || map >= directory.mapCount)
        return MAPERR_MAP_NUMBER;
    const MapDirectoryEntry &entry = directory.entries[map];
    long long at = entry.geometryOffset;
    // Each item takes at least its 6 header bytes: more items than that
    // cannot be in the file.
    if (entry.itemCount < 0 || !f.Contains(at, static_cast<long long>(entry.itemCount) * 6))
        return MAPERR_ITEM_COUNT;
    items->reserve(static_cast<size_t>(entry.itemCount));
    for (int i = 0; i < entry.itemCount; ++i) {
        MapItem item;
        short n;
        if (!ReadI32(f, at, &item.code) || !ReadI16(f, at + 4, &n)) {
            items->clear();
            return MAPERR_GEOMETRY;
        }
        at += 6;
        item.count = n;
        // The point count is unsigned once its sign is removed: -32768 is
        // 32768 points.
        unsigned points = n < 0 ? static_cast<unsigned>(-static_cast<int>(n)) : static_cast<unsigned>(n);
        long long bytes = 4LL * points;
        if (!f.Contains(at, bytes)) {
            items->clear();
            return MAPERR_GEOMETRY;
        }
        std::vector<unsigned char> raw(static_cast<size_t>(bytes));
        if (bytes && !f.ReadAt(at, raw.data(), raw.size())) {
            items->clear();
            return MAPERR_GEOMETRY;
        }
        item.points.resize(2 * static_cast<size_t>(points));
        for (size_t k = 0; k < item.points.size(); ++k)
            item.points[k] = static_cast<short>(raw[2 * k] | (raw[2 * k + 1] << 8));
        at += bytes;
        items->push_back(std::move(item));
    }
    return MAPERR_NONE;
}

int MapFile::Check(ByteStream &f, long *itemsRead)
{
    MapDirectory directory;
    long total = 0;
    int code = ReadDirectory(f, true, &directory);
    for (int m = 0; code == MAPERR_NONE && directory.entries && m < directory.mapCount; ++m) {
        std::vector<MapItem> items;
        code = ReadMap(f, directory, m, &items);
        total += static_cast<long>(items.size());
    }
    delete[] directory.entries;
    if (itemsRead)
        *itemsRead = total;
    return code;
}
