// Palette data: lookup by type and state, storing and removing palettes in
// owned and static maps, and maps read from a UI data file.
#include "zaf/data/ZafPaletteData.h"

#include <gtest/gtest.h>

#include <vector>

#include "DataTestSupport.h"

namespace {

ZafPaletteStruct WithBackground(std::uint8_t colour)
{
    ZafPaletteStruct palette;
    palette.colorBackground = colour;
    return palette;
}

std::uint8_t BackgroundOf(const ZafPaletteData &data, std::uint16_t type, std::uint16_t state)
{
    ZafPaletteStruct palette;
    return data.GetPalette(palette, type, state).colorBackground;
}

using Pairs = std::vector<std::pair<int, int>>;

// The (type, state) pairs of the map up to its end entry.
Pairs Entries(const ZafPaletteData &data)
{
    Pairs entries;
    const ZafPaletteMap *map = data.PaletteMap();
    for (int i = 0; i < data.EntryCount() && !map[i].IsEnd(); i++)
        entries.emplace_back(map[i].type, map[i].state);
    return entries;
}

TEST(PaletteData, SetPaletteAddsUpdatesInPlaceAndRemoves)
{
    for (bool staticFlag : {false, true}) {
        ZafPaletteData empty(staticFlag);
        EXPECT_FALSE(empty.StaticData());
        EXPECT_EQ(empty.EntryCount(), 1);
        ZafPaletteStruct palette;
        palette.font = 3;
        const ZafPaletteStruct &found = empty.GetPalette(palette, 8, 32);
        EXPECT_TRUE(found.lineStyle == 255 && found.fillPattern == 255 && found.colorForeground == 254 &&
                    found.colorBackground == 254 && found.monoForeground == 254 && found.monoBackground == 254 &&
                    found.font == 255 && found.osColorForeground == -1 && found.osColorBackground == -1);
    }
    ZafPaletteData data;
    CountingObserver observer(data);
    data.SetPalette(2, 0, WithBackground(5));
    EXPECT_EQ(BackgroundOf(data, 2, 0), 5);
    EXPECT_EQ(BackgroundOf(data, 2, 1), 254);
    EXPECT_EQ(BackgroundOf(data, 4, 0), 254);
    data.SetPalette(2, 1, WithBackground(6));
    data.SetPalette(8, 32, WithBackground(7));
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 0}, {8, 32}}));
    const int entries = data.EntryCount();
    data.SetPalette(2, 1, WithBackground(9)); // an existing entry is updated in place
    EXPECT_EQ(data.EntryCount(), entries);
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 0}, {8, 32}}));
    EXPECT_EQ(BackgroundOf(data, 2, 1), 9);
    data.SetPalette(2, 1, ZafPaletteStruct()); // the default palette removes the entry
    EXPECT_EQ(Entries(data), (Pairs{{2, 0}, {8, 32}}));
    EXPECT_EQ(data.EntryCount(), entries); // a spare entry stays
    EXPECT_EQ(BackgroundOf(data, 2, 1), 254);
    EXPECT_EQ(BackgroundOf(data, 8, 32), 7);
    data.SetPalette(0, 0, WithBackground(6)); // end types are never stored
    data.SetPalette(0xFFFF, 0, WithBackground(6));
    EXPECT_EQ(Entries(data), (Pairs{{2, 0}, {8, 32}}));
    EXPECT_EQ(observer.calls, 5) << "each change once, the refused ones not";
    data.SetPaletteMap(nullptr);
    data.Clear();
    EXPECT_EQ(observer.calls, 7);
}

// Kept as the library has it: only bytes 1 to 6 make a palette differ from
// the default, so a palette that differs in its line style alone removes
// the entry.
TEST(PaletteData, ByteZeroDoesNotCountWhenDecidingDefault)
{
    ZafPaletteData data;
    data.SetPalette(2, 0, WithBackground(5));
    ZafPaletteStruct styleOnly;
    styleOnly.lineStyle = 1;
    styleOnly.osColorForeground = 0x123456;
    data.SetPalette(2, 0, styleOnly);
    EXPECT_TRUE(Entries(data).empty());
    ZafPaletteStruct font;
    font.font = 2;
    font.lineStyle = 7;
    data.SetPalette(4, 0, font);
    ZafPaletteStruct read;
    data.GetPalette(read, 4, 0);
    EXPECT_EQ(read.font, 2);
    EXPECT_EQ(read.lineStyle, 7);
}

TEST(PaletteData, StaticMapsAreSharedAndNeverChangedOwnedMapsAreCopies)
{
    static const ZafPaletteMap classMap[] = {
        {2, 1, WithBackground(1)}, {2, 0, WithBackground(2)}, {0xFFFF, 0, ZafPaletteStruct()}};
    ZafPaletteData data(classMap, true);
    EXPECT_TRUE(data.StaticData());
    EXPECT_EQ(data.PaletteMap(), classMap);
    EXPECT_EQ(data.EntryCount(), 3);
    EXPECT_EQ(BackgroundOf(data, 2, 1), 1);
    ZafPaletteData copy(data);
    EXPECT_EQ(copy.PaletteMap(), classMap);
    ZafPaletteData owned(classMap, true); // becoming owned copies the map
    EXPECT_FALSE(owned.SetStaticData(false));
    EXPECT_NE(owned.PaletteMap(), classMap);
    EXPECT_EQ(BackgroundOf(owned, 2, 0), 2);
    // Setting an existing (type, state) on a static map makes an owned copy
    // with the new entry in front of the old one.
    data.SetPalette(2, 1, WithBackground(9));
    EXPECT_FALSE(data.StaticData());
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 1}, {2, 0}}));
    EXPECT_EQ(BackgroundOf(data, 2, 1), 9);
    EXPECT_EQ(classMap[0].palette.colorBackground, 1);
    // Emptying a static map makes an owned empty one; the caller's stays.
    copy.SetPaletteMap(nullptr);
    EXPECT_FALSE(copy.StaticData());
    EXPECT_EQ(classMap[0].type, 2);
    EXPECT_TRUE(Entries(copy).empty());

    const ZafPaletteMap callerMap[] = {{5, 0, WithBackground(3)}, {0, 0, ZafPaletteStruct()}};
    ZafPaletteData fromCaller(callerMap, false);
    EXPECT_NE(fromCaller.PaletteMap(), callerMap);
    EXPECT_EQ(fromCaller.EntryCount(), 2);
    EXPECT_EQ(BackgroundOf(fromCaller, 5, 0), 3);
    const ZafPaletteMap *held = fromCaller.PaletteMap();
    fromCaller.SetPaletteMap(nullptr); // an owned map empties in place
    EXPECT_EQ(fromCaller.PaletteMap(), held);
    EXPECT_EQ(BackgroundOf(fromCaller, 5, 0), 254);
}

std::vector<unsigned char> StoredEntry(int type, int state, std::uint8_t background = 254)
{
    std::vector<unsigned char> bytes = LittleEndian({type, state}, 2);
    bytes.insert(bytes.end(), {255, 255, 254, background, 254, 254, 255});
    return bytes;
}

std::vector<unsigned char> Join(std::vector<std::vector<unsigned char>> parts)
{
    std::vector<unsigned char> bytes;
    for (const auto &part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// A map stored without an end entry gets one. (Counts the file cannot hold are met by the corrupt-input runs.)
TEST(PaletteData, AStoredMapWithoutEndEntryGetsOne)
{
    DataFile file;
    ZafPaletteData data;
    ASSERT_EQ(file.Write(data, "colours"), 0u);
    ASSERT_TRUE(file.ReplaceBytes("~colours", Join({LittleEndian({2}), StoredEntry(2, 1, 6), StoredEntry(3, 0, 8)}),
                                  ZafPaletteData::className, ZafPaletteData::classID));
    std::unique_ptr<ZafPaletteData> read = file.Read<ZafPaletteData>("colours");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->EntryCount(), 3);
    EXPECT_TRUE(read->PaletteMap()[2].IsEnd());
    EXPECT_EQ(BackgroundOf(*read, 3, 0), 8);
    EXPECT_EQ(BackgroundOf(*read, 5, 0), 254);
    read->SetPalette(5, 0, WithBackground(1));
    EXPECT_EQ(BackgroundOf(*read, 5, 0), 1);
}

} // namespace
