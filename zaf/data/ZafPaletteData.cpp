#include "zaf/data/ZafPaletteData.h"

#include <algorithm>

namespace {

const ZafPaletteMap endEntry = {0, 0, ZafPaletteStruct()};

} // namespace

bool ZafPaletteStruct::DiffersFromDefault() const
{
    const ZafPaletteStruct d;
    return fillPattern != d.fillPattern || colorForeground != d.colorForeground ||
           colorBackground != d.colorBackground || monoForeground != d.monoForeground ||
           monoBackground != d.monoBackground || font != d.font;
}

ZafPaletteData::ZafPaletteData(bool)
{
    // Whatever the flag, a new palette data owns a one-entry map.
    MakeDefaultMap();
}

ZafPaletteData::ZafPaletteData(const ZafPaletteMap *newMap, bool newStaticData) : staticData(newStaticData)
{
    SetPaletteMap(newMap);
}

ZafPaletteData::ZafPaletteData(const ZafPaletteData &other) : staticData(other.staticData)
{
    SetPaletteMap(other.map);
}

ZafPaletteData::~ZafPaletteData()
{
    FreeMap();
}

void ZafPaletteData::FreeMap()
{
    if (!staticData)
        delete[] map;
    map = nullptr;
    count = 0;
}

void ZafPaletteData::MakeDefaultMap()
{
    FreeMap();
    staticData = false;
    map = new ZafPaletteMap[1]{endEntry};
    count = 1;
}

int ZafPaletteData::EndIndex() const
{
    for (int i = 0; i < count; i++)
        if (map[i].IsEnd())
            return i;
    return count - 1;
}

ZafPaletteStruct &ZafPaletteData::GetPalette(ZafPaletteStruct &result, std::uint16_t type,
                                             std::uint16_t state) const
{
    for (int i = 0; i < count && !map[i].IsEnd(); i++)
        if (map[i].type == type && map[i].state == state)
            return result = map[i].palette;
    return result = ZafPaletteStruct();
}

int ZafPaletteData::SetPalette(std::uint16_t type, std::uint16_t state, const ZafPaletteStruct &palette)
{
    // Type 0 (and 0xFFFF with state 0) marks the end of a map: such an entry
    // would cut the map short.
    if (type == 0 || (type == 0xFFFF && state == 0))
        return 0;

    // The type's run, then the state inside it; the search stops at the
    // type's state-0 entry, at another type after the run, or at the end.
    int end = EndIndex();
    int place = 0;
    while (place < end && map[place].type != 0xFFFF && map[place].type != type)
        place++;
    bool found = false;
    while (place < end && map[place].type == type)
    {
        if (map[place].state == state)
        {
            found = true;
            break;
        }
        if (map[place].state == 0)
            break;
        place++;
    }

    if (!found || staticData)
    {
        // A new entry where the search stopped; a static map is left as it
        // is (an existing entry there now stands behind the new one).
        ZafPaletteMap *grown = new ZafPaletteMap[count + 1];
        std::copy(map, map + place, grown);
        grown[place] = {type, state, ZafPaletteStruct()};
        std::copy(map + place, map + count, grown + place + 1);
        int grownCount = count + 1;
        FreeMap();
        map = grown;
        count = grownCount;
        staticData = false;
    }

    if (palette.DiffersFromDefault())
        map[place].palette = palette;
    else
    {
        // The default palette needs no entry: the later entries move down and
        // a spare entry stays after the end entry.
        std::copy(map + place + 1, map + count, map + place);
    }
    return 0;
}

int ZafPaletteData::SetPaletteMap(const ZafPaletteMap *newMap)
{
    if (newMap)
    {
        int entries = 0;
        while (!newMap[entries].IsEnd())
            entries++;
        entries++;
        if (staticData)
        {
            map = const_cast<ZafPaletteMap *>(newMap);
            count = entries;
        }
        else
        {
            ZafPaletteMap *copy = new ZafPaletteMap[entries];
            std::copy(newMap, newMap + entries, copy);
            FreeMap();
            map = copy;
            count = entries;
        }
    }
    else if (map && !staticData)
        map[0] = endEntry;  // emptied in place
    else
        MakeDefaultMap();   // a static map is never written: an owned empty one
    return 0;
}

bool ZafPaletteData::SetStaticData(bool flag)
{
    if (staticData && !flag)
    {
        staticData = false;
        ZafPaletteMap *held = map;
        map = nullptr;
        count = 0;
        SetPaletteMap(held);
    }
    staticData = flag;
    return staticData;
}
