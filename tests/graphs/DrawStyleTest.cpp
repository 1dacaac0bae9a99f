// Draw styles: indexed colours, copies, the brush's handles and grey mode.
#include "graphs/DrawStyle.h"

#include "GraphTestSupport.h"

#include <gtest/gtest.h>

namespace {

using graphtest::GraphTest;

struct IndexCase
{
    int index;
    COLORREF colour;
};

class IndexedColourTest : public testing::TestWithParam<IndexCase>
{};

TEST_P(IndexedColourTest, SetsTheTableColourAndKeepsTheIndex)
{
    DrawStyle style;
    style.SetFillRGB(1, 2, 3);
    style.SetFillColour(GetParam().index);
    EXPECT_EQ(ColourOf(style.fillR, style.fillG, style.fillB), GetParam().colour);
    EXPECT_EQ(style.fillIndex, GetParam().index & 0xFF);
}

INSTANTIATE_TEST_SUITE_P(Table, IndexedColourTest,
                         testing::Values(IndexCase{0, RGB(0, 0, 0)}, IndexCase{1, RGB(0, 0, 128)},
                                         IndexCase{7, RGB(192, 192, 192)}, IndexCase{12, RGB(255, 0, 0)},
                                         IndexCase{15, RGB(255, 255, 255)},
                                         // Outside the table the colour stays as it was.
                                         IndexCase{16, RGB(1, 2, 3)}, IndexCase{0x1FE, RGB(1, 2, 3)}));

TEST(DrawStyle, CopyOfACreatedStyleIsCreatedWithoutABrush)
{
    DrawStyle source;
    source.SetFillColour(12);
    source.CreateObjects();
    ASSERT_NE(source.brush, nullptr);
    DrawStyle copy(source);
    EXPECT_EQ(copy.created, 1);
    EXPECT_EQ(copy.brush, nullptr);
    EXPECT_EQ(copy.fillIndex, 12);
    // The first user makes it.
    EXPECT_NE(copy.Brush(), nullptr);
    EXPECT_NE(copy.brush, source.brush);
}

TEST(DrawStyle, CreateBrushDeletesAndClearsEveryHandle)
{
    DrawStyle style;
    style.pen = CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
    style.spare = CreateSolidBrush(RGB(2, 2, 2));
    HGDIOBJ pen = style.pen, spare = style.spare;
    style.CreateBrush();
    EXPECT_EQ(style.pen, nullptr);
    EXPECT_EQ(style.spare, nullptr);
    EXPECT_EQ(GetObjectType(pen), 0u) << "the pen is deleted";
    EXPECT_EQ(GetObjectType(spare), 0u);
    // A handle value reused by a new object is not deleted a second time.
    HBRUSH stranger = CreateSolidBrush(RGB(3, 3, 3));
    style.created = 1;
    style.DeleteObjects();
    EXPECT_EQ(GetObjectType(stranger), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(stranger);
}

TEST(DrawStyle, InitDefaultsRunsOnceUnlessForced)
{
    DrawStyle::InitDefaults(nullptr, 0);
    HBRUSH first = SeriesStyles[3].brush;
    ASSERT_NE(first, nullptr);
    DrawStyle::InitDefaults(nullptr, 0);
    EXPECT_EQ(SeriesStyles[3].brush, first);
    DrawStyle::InitDefaults(nullptr, 1);
    EXPECT_NE(SeriesStyles[3].brush, nullptr);
}

TEST(MapColourTable, SelectsOneEntryAtATime)
{
    EXPECT_EQ(MapColourTable::Entry(4, MapColourTable::TableSize(4)), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    MapColourTable::Select(dc, *MapColourTable::Entry(1, 12), true);
    LOGBRUSH made = {};
    GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof made, &made);
    EXPECT_EQ(made.lbColor, RGB(50, 0, 0));
    MapColourTable::Restore();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    DeleteDC(dc);
}

class GreyModeTest : public GraphTest
{};

TEST_F(GreyModeTest, ColoursBecomeTheGreyLevels)
{
    DrawStyle style;
    style.SetFillRGB(200, 40, 40);
    style.SetSecondRGB(0, 0, 255);
    style.SetGreyLevels(90, 30);
    EXPECT_EQ(style.FillColour(), RGB(200, 40, 40));
    const HBRUSH colour = style.Brush();
    Set("UseGrayscale", 1);
    EXPECT_EQ(style.FillColour(), RGB(90, 90, 90));
    EXPECT_EQ(style.LineColour(), RGB(30, 30, 30));
    // A brush made before the switch is made again in grey.
    LOGBRUSH made = {};
    GetObjectA(style.Brush(), sizeof made, &made);
    EXPECT_EQ(made.lbColor, RGB(90, 90, 90));
    EXPECT_EQ(GetObjectType(colour), 0u);
}

} // namespace
