// MapFile: checked reading of the map file ".KRT" that may lie beside a
// data set: its directory (map count, version, one 10-byte entry per map:
// item count, geometry offset, name offset; 35-byte names) and the geometry
// items of one map (region code, signed point count n, |n| pairs of 16-bit
// x, y). The layout is fixed by the map readers of the graphs; this reader
// checks every count and offset against the file before it is used, so a
// short or damaged file gives an error word instead of garbage.
//
// Map numbers count from 0 (directory order). Nothing is owned beyond the
// returned records.
#pragma once

#include <string>
#include <vector>

class ByteStream;
struct MapDirectory;

enum MapFileError {
    MAPERR_NONE = 0,
    MAPERR_SHORT = 1,        // shorter than its 4-byte header
    MAPERR_COUNT = 2,        // negative map count, or directory outside the file
    MAPERR_NAME = 3,         // a name lies outside the file
    MAPERR_GEOMETRY = 4,     // a map's items lie outside the file
    MAPERR_ITEM_COUNT = 5,   // negative item count, or more items than the file can hold
    MAPERR_NO_DIRECTORY = 6, // version below 9020: there is no directory
    MAPERR_MAP_NUMBER = 7    // no such map
};
const char *MapFileErrorText(int error);

struct MapItem
{
    long code = 0;
    int count = 0;             // n as stored: > 0 region, < 0 overlay, 0 empty
    std::vector<short> points; // |n| pairs x, y
};

class MapFile
{
public:
    enum { NAME_BYTES = 35, ENTRY_BYTES = 10, MIN_VERSION = 9020, MAX_MAPS = 4096 };

    // Reads the header and, from version 9020 on, the directory and names
    // into *out (its old entries are freed; new ones allocated with new[]).
    // Names are converted from the DOS letters unless keepLetters is set (the
    // data set's code-page byte). On failure *out holds no entries.
    static int ReadDirectory(ByteStream &file, bool keepLetters, MapDirectory *out);
    // Reads the items of one map of a directory read before.
    static int ReadMap(ByteStream &file, const MapDirectory &directory, int map, std::vector<MapItem> *items);
    // Reads the directory and every map: the whole file's check.
    static int Check(ByteStream &file, long *itemsRead = nullptr);
};
