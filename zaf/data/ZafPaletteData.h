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

#include "zaf/core/ZafPaletteStruct.h"
#include "zaf/data/ZafData.h"

#include <cstdint>

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

    // Installs the link through which window objects observe, make, read
    // and change their palette data (ZafWindowObject::SetPaletteLink): an
    // observing object gets its font updated and is redrawn on a change,
    // and the palette data is deleted when its last observer leaves and it
    // is destroyable. Installing it again changes nothing.
    static void InstallWindowLink();

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
