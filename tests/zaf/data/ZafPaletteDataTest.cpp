// Palette data: lookup by type and state, storing and removing palettes in
// owned and static maps.
#include "zaf/data/ZafPaletteData.h"

#include <gtest/gtest.h>

#include <vector>

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

// The (type, state) pairs of the map up to its end entry.
std::vector<std::pair<int, int>> Entries(const ZafPaletteData &data)
{
    std::vector<std::pair<int, int>> entries;
    const ZafPaletteMap *map = data.PaletteMap();
    for (int i = 0; i < data.EntryCount() && !map[i].IsEnd(); i++)
        entries.emplace_back(map[i].type, map[i].state);
    return entries;
}

using Pairs = std::vector<std::pair<int, int>>;

bool IsDefault(const ZafPaletteStruct &p)
{
    return p.lineStyle == 255 && p.fillPattern == 255 && p.colorForeground == 254 &&
           p.colorBackground == 254 && p.monoForeground == 254 && p.monoBackground == 254 &&
           p.font == 255 && p.osColorForeground == -1 && p.osColorBackground == -1;
}

} // namespace

TEST(PaletteData, ANewPaletteAnswersTheDefaultEverywhere)
{
    for (bool staticFlag : {false, true})
    {
        ZafPaletteData data(staticFlag);
        EXPECT_FALSE(data.StaticData());
        EXPECT_EQ(data.EntryCount(), 1);
        ZafPaletteStruct palette;
        palette.font = 3;
        EXPECT_TRUE(IsDefault(data.GetPalette(palette, 8, 32)));
        EXPECT_TRUE(IsDefault(data.GetPalette(palette, 0, 0)));
    }
}

TEST(PaletteData, LookupByTypeAndState)
{
    ZafPaletteData data;
    data.SetPalette(2, 0, WithBackground(5));
    EXPECT_EQ(BackgroundOf(data, 2, 0), 5);
    EXPECT_EQ(BackgroundOf(data, 2, 1), 254);
    EXPECT_EQ(BackgroundOf(data, 4, 0), 254);
    data.SetPalette(2, 1, WithBackground(6));
    data.SetPalette(8, 32, WithBackground(7));
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 0}, {8, 32}}));
    EXPECT_EQ(BackgroundOf(data, 2, 1), 6);
    EXPECT_EQ(BackgroundOf(data, 8, 32), 7);
}

TEST(PaletteData, AnExistingEntryIsUpdatedInPlace)
{
    ZafPaletteData data;
    data.SetPalette(2, 0, WithBackground(5));
    data.SetPalette(2, 1, WithBackground(6));
    int entries = data.EntryCount();
    data.SetPalette(2, 1, WithBackground(9));
    EXPECT_EQ(data.EntryCount(), entries);
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 0}}));
    EXPECT_EQ(BackgroundOf(data, 2, 1), 9);
}

TEST(PaletteData, TheDefaultPaletteRemovesTheEntry)
{
    ZafPaletteData data;
    data.SetPalette(2, 0, WithBackground(5));
    data.SetPalette(3, 0, WithBackground(6));
    int entries = data.EntryCount();
    data.SetPalette(2, 0, ZafPaletteStruct());
    EXPECT_EQ(Entries(data), (Pairs{{3, 0}}));
    EXPECT_EQ(data.EntryCount(), entries);  // a spare entry stays
    EXPECT_EQ(BackgroundOf(data, 2, 0), 254);
    EXPECT_EQ(BackgroundOf(data, 3, 0), 6);
}

TEST(PaletteData, ByteZeroDoesNotCountWhenDecidingDefault)
{
    // Kept as the library has it: only bytes 1 to 6 make a palette differ.
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

TEST(PaletteData, EndTypesAreNeverStored)
{
    ZafPaletteData data;
    data.SetPalette(2, 0, WithBackground(5));
    data.SetPalette(0, 0, WithBackground(6));
    data.SetPalette(0xFFFF, 0, WithBackground(6));
    EXPECT_EQ(Entries(data), (Pairs{{2, 0}}));
}

TEST(PaletteData, StaticMapsAreSharedAndNeverChanged)
{
    static const ZafPaletteMap classMap[] = {
        {2, 1, WithBackground(1)},
        {2, 0, WithBackground(2)},
        {0xFFFF, 0, ZafPaletteStruct()},
    };
    ZafPaletteData data(classMap, true);
    EXPECT_TRUE(data.StaticData());
    EXPECT_EQ(data.PaletteMap(), classMap);
    EXPECT_EQ(data.EntryCount(), 3);
    EXPECT_EQ(BackgroundOf(data, 2, 1), 1);

    ZafPaletteData copy(data);
    EXPECT_EQ(copy.PaletteMap(), classMap);

    // Setting an existing (type, state) on a static map makes an owned copy
    // with the new entry in front of the old one.
    data.SetPalette(2, 1, WithBackground(9));
    EXPECT_FALSE(data.StaticData());
    EXPECT_NE(data.PaletteMap(), classMap);
    EXPECT_EQ(Entries(data), (Pairs{{2, 1}, {2, 1}, {2, 0}}));
    EXPECT_EQ(BackgroundOf(data, 2, 1), 9);
    EXPECT_EQ(classMap[0].palette.colorBackground, 1);

    // Emptying a static map makes an owned empty one; the caller's stays.
    copy.SetPaletteMap(nullptr);
    EXPECT_FALSE(copy.StaticData());
    EXPECT_EQ(classMap[0].type, 2);
    EXPECT_TRUE(Entries(copy).empty());
}

TEST(PaletteData, OwnedMapsAreCopiesAndEmptyInPlace)
{
    const ZafPaletteMap callerMap[] = {
        {5, 0, WithBackground(3)},
        {0, 0, ZafPaletteStruct()},
    };
    ZafPaletteData data(callerMap, false);
    EXPECT_NE(data.PaletteMap(), callerMap);
    EXPECT_EQ(data.EntryCount(), 2);
    EXPECT_EQ(BackgroundOf(data, 5, 0), 3);
    const ZafPaletteMap *held = data.PaletteMap();
    data.SetPaletteMap(nullptr);
    EXPECT_EQ(data.PaletteMap(), held);
    EXPECT_TRUE(Entries(data).empty());
    EXPECT_EQ(BackgroundOf(data, 5, 0), 254);
}

TEST(PaletteData, BecomingOwnedCopiesTheStaticMap)
{
    static const ZafPaletteMap classMap[] = {
        {6, 0, WithBackground(4)},
        {0, 0, ZafPaletteStruct()},
    };
    ZafPaletteData data(classMap, true);
    EXPECT_FALSE(data.SetStaticData(false));
    EXPECT_NE(data.PaletteMap(), classMap);
    EXPECT_EQ(BackgroundOf(data, 6, 0), 4);
}
