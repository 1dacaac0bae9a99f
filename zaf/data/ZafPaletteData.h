// ZafPaletteData: a window object's colours, monochrome colours, font and
// drawing styles, as a map from (palette type, palette state) to a palette.
//
// An entry overrides the default palette for one kind of drawing (the type)
// in one condition of the object (the state); a missing entry means the
// default applies. The map is an array ended by an entry of type 0 (or, in
// static maps, type 0xFFFF with state 0); entries of one type stand
// together, the type's state-0 entry last. Owned maps (the default) belong
// to the object; a static map belongs to the caller and is never freed or
// changed in place.
#pragma once

#include "zaf/data/ZafFormatData.h"

#include <cstdint>

// One palette. Colours are indexes of the display's colour table: 253 a
// system colour, 254 and 255 unset. The two OS colours are never stored.
struct ZafPaletteStruct
{
    std::uint8_t lineStyle = 255;        // byte 0
    std::uint8_t fillPattern = 255;      // byte 1
    std::uint8_t colorForeground = 254;  // bytes 2 and 3: the colour pair
    std::uint8_t colorBackground = 254;
    std::uint8_t monoForeground = 254;   // bytes 4 and 5: the monochrome pair
    std::uint8_t monoBackground = 254;
    std::uint8_t font = 255;             // byte 6: font index, 255 none
    std::int32_t osColorForeground = -1;
    std::int32_t osColorBackground = -1;

    // Differs from the default in bytes 1 to 6 (byte 0 and the OS colours
    // take no part: a palette that differs only there counts as default).
    bool DiffersFromDefault() const;
};

struct ZafPaletteMap
{
    std::uint16_t type;
    std::uint16_t state;
    ZafPaletteStruct palette;

    bool IsEnd() const { return type == 0 || (type == 0xFFFF && state == 0); }
};

class ZafPaletteData
{
public:
    explicit ZafPaletteData(bool staticData = false);
    // A static map is shared (the caller keeps it alive), an owned one copied.
    ZafPaletteData(const ZafPaletteMap *map, bool staticData);
    ZafPaletteData(const ZafPaletteData &other);
    ZafPaletteData &operator=(const ZafPaletteData &) = delete;
    virtual ~ZafPaletteData();

    // Copies the palette of (type, state) into result, else the default.
    ZafPaletteStruct &GetPalette(ZafPaletteStruct &result, std::uint16_t type, std::uint16_t state) const;
    int SetPalette(std::uint16_t type, std::uint16_t state, const ZafPaletteStruct &palette);
    virtual int SetPaletteMap(const ZafPaletteMap *map);
    virtual bool SetStaticData(bool flag);

    const ZafPaletteMap *PaletteMap() const { return map; }
    // Entries held, end entry included (an owned map may hold spare ones).
    int EntryCount() const { return count; }
    bool StaticData() const { return staticData; }

private:
    // The index of the map's end entry (count - 1 when none is found).
    int EndIndex() const;
    void MakeDefaultMap();
    void FreeMap();

    bool staticData = false;
    int count = 0;
    ZafPaletteMap *map = nullptr;
};
