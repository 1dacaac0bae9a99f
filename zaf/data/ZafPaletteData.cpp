#include "zaf/data/ZafPaletteData.h"

#include <algorithm>
#include <vector>

#include "zaf/core/ZafWindowObject.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"

namespace {

const ZafPaletteMap endEntry = {0, 0, ZafPaletteStruct()};

int ObserverChanged(ZafElement *observer, ZafUpdateType)
{
    auto *object = static_cast<ZafWindowObject *>(observer);
    object->UpdateFont();
    object->Redisplay();
    return 0;
}

void AttachObserver(ZafPaletteData *palette, ZafWindowObject *observer)
{
    palette->AddNotification(observer, ObserverChanged, ZafNotification::valueChanged);
}

void ReleaseObserver(ZafPaletteData *palette, ZafWindowObject *observer)
{
    palette->SubtractNotification(observer, ObserverChanged);
    if (palette->NotificationCount() == 0 && palette->Destroyable())
        delete palette;
}

ZafPaletteData *CreatePalette()
{
    return new ZafPaletteData();
}

const ZafPaletteMap *MapOf(const ZafPaletteData *palette)
{
    return palette->PaletteMap();
}

void StorePalette(ZafPaletteData *palette, std::uint16_t type, std::uint16_t state, const ZafPaletteStruct &entry)
{
    palette->SetPalette(type, state, entry);
}

} // namespace

void ZafPaletteData::InstallWindowLink()
{
    ZafWindowObject::SetPaletteLink(
        ZafPaletteLink{AttachObserver, ReleaseObserver, CreatePalette, MapOf, StorePalette});
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

ZafPaletteData::ZafPaletteData(const ZafPaletteData &other) : ZafData(other), staticData(other.staticData)
{
    SetPaletteMap(other.map);
}

ZafPaletteData::ZafPaletteData(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadMap(file); });
    // A palette that could not be read is the default palette, not a missing
    // map that the first lookup would fall over.
    if (Error() != 0 || !map)
        MakeDefaultMap();
}

void ZafPaletteData::ReadMap(ZafFile &file)
{
    std::uint32_t stored = 0;
    if (file.Read32(stored) != 4)
        file.SetError(ZafError::Read);
    const std::int64_t remaining = static_cast<std::int64_t>(file.Length()) - file.Tell();
    if (file.Error() != 0 || stored == 0 || stored > static_cast<std::uint32_t>(maxStoredEntries) ||
        static_cast<std::int64_t>(stored) * 11 > remaining) {
        file.SetError(ZafError::Read);
        return;
    }
    std::vector<ZafPaletteMap> entries(stored);
    bool ended = false;
    int moved = 0;
    for (ZafPaletteMap &entry : entries) {
        std::uint8_t bytes[7] = {};
        moved += file.Read16(entry.type);
        moved += file.Read16(entry.state);
        moved += file.ReadBytes(bytes, sizeof bytes);
        entry.palette.lineStyle = bytes[0];
        entry.palette.fillPattern = bytes[1];
        entry.palette.colorForeground = bytes[2];
        entry.palette.colorBackground = bytes[3];
        entry.palette.monoForeground = bytes[4];
        entry.palette.monoBackground = bytes[5];
        entry.palette.font = bytes[6];
        ended = ended || entry.IsEnd();
    }
    if (moved != static_cast<int>(stored) * 11)
        file.SetError(ZafError::Read);
    if (file.Error() != 0)
        return;
    // Every lookup relies on the end entry: a map stored without one gets it.
    if (!ended)
        entries.push_back(endEntry);
    map = new ZafPaletteMap[entries.size()];
    std::copy(entries.begin(), entries.end(), map);
    count = static_cast<int>(entries.size());
    staticData = false;
}

ZafElement *ZafPaletteData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafPaletteData(name, persistence);
}

bool ZafPaletteData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafPaletteData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafPaletteData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::dataEntry, [this](ZafFile &file) {
        // The map always holds its end entry; spares after it are not stored.
        const int entries = EndIndex() + 1;
        file.Write32(static_cast<std::uint32_t>(entries));
        for (int i = 0; i < entries; i++) {
            const ZafPaletteStruct &p = map[i].palette;
            const std::uint8_t bytes[7] = {
                p.lineStyle,      p.fillPattern, p.colorForeground, p.colorBackground, p.monoForeground,
                p.monoBackground, p.font};
            file.Write16(map[i].type);
            file.Write16(map[i].state);
            file.WriteBytes(bytes, sizeof bytes);
        }
    });
}

void ZafPaletteData::Clear()
{
    StartUpdate();
    SetPaletteMap(nullptr);
    SetError(0);
    EndUpdate();
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

ZafPaletteStruct &ZafPaletteData::GetPalette(ZafPaletteStruct &result, std::uint16_t type, std::uint16_t state) const
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
    StartUpdate();

    // The type's run, then the state inside it; the search stops at the
    // type's state-0 entry, at another type after the run, or at the end.
    int end = EndIndex();
    int place = 0;
    while (place < end && map[place].type != 0xFFFF && map[place].type != type)
        place++;
    bool found = false;
    while (place < end && map[place].type == type) {
        if (map[place].state == state) {
            found = true;
            break;
        }
        if (map[place].state == 0)
            break;
        place++;
    }

    if (!found || staticData) {
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
    else {
        // The default palette needs no entry: the later entries move down and
        // a spare entry stays after the end entry.
        std::copy(map + place + 1, map + count, map + place);
    }
    EndUpdate();
    return 0;
}

int ZafPaletteData::SetPaletteMap(const ZafPaletteMap *newMap)
{
    StartUpdate();
    if (newMap) {
        int entries = 0;
        while (!newMap[entries].IsEnd())
            entries++;
        entries++;
        if (staticData) {
            map = const_cast<ZafPaletteMap *>(newMap);
            count = entries;
        } else {
            ZafPaletteMap *copy = new ZafPaletteMap[entries];
            std::copy(newMap, newMap + entries, copy);
            FreeMap();
            map = copy;
            count = entries;
        }
    } else if (map && !staticData)
        map[0] = endEntry; // emptied in place
    else
        MakeDefaultMap(); // a static map is never written: an owned empty one
    EndUpdate();
    return 0;
}

bool ZafPaletteData::SetStaticData(bool flag)
{
    if (staticData && !flag) {
        staticData = false;
        ZafPaletteMap *held = map;
        map = nullptr;
        count = 0;
        SetPaletteMap(held);
    }
    staticData = flag;
    return staticData;
}
