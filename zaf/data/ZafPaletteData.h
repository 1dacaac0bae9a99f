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
//
// UI data file form: a 32-bit entry count, then each entry as u16 type, u16
// state and the seven byte fields (11 bytes), the end entry included. The
// OS colours are not stored; they read as -1.
#pragma once

#include "zaf/data/ZafData.h"

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

class ZafPaletteData : public ZafData
{
public:
    static constexpr ZafClassID classID = 3119;
    static constexpr const char *className = "ZafPaletteData";
    // The most entries a stored map may have.
    static constexpr int maxStoredEntries = 4096;

    explicit ZafPaletteData(bool staticData = false);
    // A static map is shared (the caller keeps it alive), an owned one copied.
    ZafPaletteData(const ZafPaletteMap *map, bool staticData);
    ZafPaletteData(const ZafPaletteData &other);
    // Persistent constructor. A count beyond what the file holds (or beyond
    // maxStoredEntries) is an error; a map without end entry gets one; after
    // any error the object holds the default (empty) map.
    ZafPaletteData(const char *name, ZafDataPersistence &persistence);
    ZafPaletteData &operator=(const ZafPaletteData &) = delete;
    ~ZafPaletteData() override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    // Writes the entries up to and including the end entry.
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafPaletteData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Empties the map as SetPaletteMap(nullptr) does; one notification.
    void Clear() override;

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
    void ReadMap(ZafFile &file);

    bool staticData = false;
    int count = 0;
    ZafPaletteMap *map = nullptr;
};
