#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafRegionRect.h"

#include <gtest/gtest.h>

#include <climits>

#include <vector>

namespace {

// Regions convert through the screen display: install one with known
// metrics (8 x 20 pixel cells, 96 pixels per inch) for every test here.
class ZafRegionRectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = zafScreenDisplay;
        zafScreenDisplay = &display;
    }
    void TearDown() override { zafScreenDisplay = saved; }

    ZafDisplay display{ZafCellMetrics()};
    ZafDisplay *saved = nullptr;
};

using Sides = std::vector<int>;

// Left, top, right, bottom and coordinate type.
Sides Of(const ZafRegionRect &r)
{
    return {r.left, r.top, r.right, r.bottom, r.coordinateType};
}

} // namespace

TEST_F(ZafRegionRectTest, ConvertCoordinatesConvertsWidthAndHeightAsLengths)
{
    ZafRegionRect r(1, 1, 10, 2, ZAF_CELL); // 10 cells wide, 2 high
    r.ConvertCoordinates(ZAF_PIXEL);
    EXPECT_EQ(Of(r), (Sides{8, 20, 87, 59, ZAF_PIXEL}));
    r.ConvertCoordinates(ZAF_CELL);
    EXPECT_EQ(Of(r), (Sides{1, 1, 10, 2, ZAF_CELL}));
    // 1/254-inch regions (the graphs' unit) round trip through pixels when
    // they hold whole tenths of an inch: 254 units = 96 pixels.
    ZafRegionRect g(0, 254, 507, 761, ZAF_TENTH_MILLIMETRE);
    g.ConvertCoordinates(ZAF_PIXEL);
    EXPECT_EQ(Of(g), (Sides{0, 96, 191, 287, ZAF_PIXEL}));
    g.ConvertCoordinates(ZAF_TENTH_MILLIMETRE);
    EXPECT_EQ(Of(g), (Sides{0, 254, 507, 761, ZAF_TENTH_MILLIMETRE}));
    // Unknown types, either way, change nothing.
    r.ConvertCoordinates(9);
    EXPECT_EQ(Of(r), (Sides{1, 1, 10, 2, ZAF_CELL}));
    ZafRegionRect odd(1, 2, 3, 4, -3);
    odd.ConvertCoordinates(ZAF_PIXEL);
    EXPECT_EQ(Of(odd), (Sides{1, 2, 3, 4, -3}));
}

TEST_F(ZafRegionRectTest, ContainsIncludesTheEdgesAndConvertsThePointAndOffset)
{
    ZafRegionRect r(0, 0, 79, 19, ZAF_PIXEL); // exactly 10 x 1 cells
    EXPECT_TRUE(r.Contains({0, 0, ZAF_PIXEL}));
    EXPECT_TRUE(r.Contains({79, 19, ZAF_PIXEL}));
    EXPECT_FALSE(r.Contains({80, 19, ZAF_PIXEL}));
    EXPECT_FALSE(r.Contains({0, -1, ZAF_PIXEL}));
    EXPECT_TRUE(r.Contains({9, 0, ZAF_CELL}));   // pixel 72
    EXPECT_FALSE(r.Contains({10, 0, ZAF_CELL})); // pixel 80
    // Points: 59 x 14 points are 78.7 x 18.7 pixels, rounded to 79 x 19.
    EXPECT_TRUE(r.Contains({59, 14, ZAF_POINT}));
    EXPECT_FALSE(r.Contains({60, 14, ZAF_POINT})); // 80 pixels

    ZafRegionRect small(0, 0, 9, 9, ZAF_PIXEL);
    ZafPosition offset{100, 200, ZAF_PIXEL};
    EXPECT_TRUE(small.ContainsOffset({105, 205, ZAF_PIXEL}, offset));
    EXPECT_TRUE(small.ContainsOffset({109, 209, ZAF_PIXEL}, offset));
    EXPECT_FALSE(small.ContainsOffset({110, 205, ZAF_PIXEL}, offset));
    EXPECT_FALSE(small.ContainsOffset({5, 5, ZAF_PIXEL}, offset));
    // An offset in cells: (1, 1) cells are (8, 20) pixels.
    EXPECT_TRUE(small.ContainsOffset({8, 20, ZAF_PIXEL}, {1, 1, ZAF_CELL}));
    EXPECT_FALSE(small.ContainsOffset({7, 20, ZAF_PIXEL}, {1, 1, ZAF_CELL}));
}

TEST_F(ZafRegionRectTest, OverlapsAndIntersectCountSharedEdges)
{
    ZafRegionRect a(0, 0, 9, 9, ZAF_PIXEL);
    EXPECT_TRUE(a.Overlaps(ZafRegionRect(9, 9, 20, 20, ZAF_PIXEL)));
    EXPECT_FALSE(a.Overlaps(ZafRegionRect(10, 0, 20, 9, ZAF_PIXEL)));
    EXPECT_FALSE(a.Overlaps(ZafRegionRect(0, 10, 9, 20, ZAF_PIXEL)));
    EXPECT_TRUE(a.Overlaps(ZafRegionRect(-5, -5, 50, 50, ZAF_PIXEL)));
    // Cell 1 starts at pixel 8.
    EXPECT_TRUE(a.Overlaps(ZafRegionRect(1, 0, 1, 0, ZAF_CELL)));
    EXPECT_FALSE(a.Overlaps(ZafRegionRect(2, 0, 2, 0, ZAF_CELL)));
    // The common part is stored in the first region's type.
    ZafRegionRect result;
    EXPECT_TRUE(result.Intersect(a, ZafRegionRect(5, 3, 20, 7, ZAF_PIXEL)));
    EXPECT_EQ(Of(result), (Sides{5, 3, 9, 7, ZAF_PIXEL}));
    EXPECT_TRUE(result.Intersect(ZafRegionRect(0, 0, 3, 3, ZAF_CELL), ZafRegionRect(16, 0, 1000, 1000, ZAF_PIXEL)));
    EXPECT_EQ(Of(result), (Sides{2, 0, 3, 3, ZAF_CELL}));
    EXPECT_FALSE(result.Intersect(a, ZafRegionRect(10, 0, 20, 9, ZAF_PIXEL)));
    EXPECT_TRUE(result.IsEmpty());
    // The result may be one of the inputs.
    EXPECT_TRUE(a.Intersect(a, ZafRegionRect(2, 2, 4, 4, ZAF_PIXEL)));
    EXPECT_EQ(Of(a), (Sides{2, 2, 4, 4, ZAF_PIXEL}));
}

TEST_F(ZafRegionRectTest, DiffersComparesInItsOwnCoordinateType)
{
    ZafRegionRect cells(1, 1, 10, 2, ZAF_CELL);
    ZafRegionRect pixels(8, 20, 87, 59, ZAF_PIXEL);
    EXPECT_FALSE(cells.Differs(pixels));
    EXPECT_FALSE(pixels.Differs(cells));
    EXPECT_TRUE(cells.Differs(ZafRegionRect(1, 1, 10, 3, ZAF_CELL)));
    // One pixel more is seen in pixels but lost in whole cells.
    ZafRegionRect taller(8, 20, 87, 60, ZAF_PIXEL);
    EXPECT_TRUE(taller.Differs(cells));
    EXPECT_FALSE(cells.Differs(taller));
}

TEST_F(ZafRegionRectTest, PostInflateAndDeflateReturnTheRegionBeforeTheChange)
{
    ZafRegionRect r(5, 5, 10, 10, ZAF_PIXEL);
    EXPECT_EQ(Of(r.PostInflate()), (Sides{5, 5, 10, 10, ZAF_PIXEL}));
    EXPECT_EQ(Of(r), (Sides{4, 4, 11, 11, ZAF_PIXEL}));
    EXPECT_EQ(r.Width(), 8);
    EXPECT_EQ(r.Height(), 8);
    EXPECT_EQ(Of(r.PostDeflate()), (Sides{4, 4, 11, 11, ZAF_PIXEL}));
    EXPECT_EQ(Of(r), (Sides{5, 5, 10, 10, ZAF_PIXEL}));
    // At the ends of the coordinate range the sides stop instead of wrapping.
    ZafRegionRect whole(INT_MIN, INT_MIN, INT_MAX, INT_MAX, ZAF_PIXEL);
    whole.PostInflate();
    EXPECT_EQ(Of(whole), (Sides{INT_MIN, INT_MIN, INT_MAX, INT_MAX, ZAF_PIXEL}));
    ZafRegionRect flat(INT_MAX, INT_MAX, INT_MIN, INT_MIN, ZAF_PIXEL);
    flat.PostDeflate();
    EXPECT_EQ(Of(flat), (Sides{INT_MAX, INT_MAX, INT_MIN, INT_MIN, ZAF_PIXEL}));
}

TEST_F(ZafRegionRectTest, WidthAndHeightStopAtTheEndsOfTheRangeAndStoredRegionsStayFarInside)
{
    const ZafRegionRect whole(INT_MIN, INT_MIN, INT_MAX, INT_MAX, ZAF_PIXEL);
    EXPECT_EQ(whole.Width(), INT_MAX);
    EXPECT_EQ(whole.Height(), INT_MAX);
    const ZafRegionRect inverted(INT_MAX, INT_MAX, INT_MIN, INT_MIN, ZAF_PIXEL);
    EXPECT_EQ(inverted.Width(), INT_MIN);
    const int limit = ZAF_MAX_STORED_COORDINATE;
    EXPECT_TRUE(ZafRegionRect(-limit, -limit, limit, limit, ZAF_TWIP).IsStorable());
    for (const ZafRegionRect &r : {ZafRegionRect(-limit - 1, 0, 0, 0), ZafRegionRect(0, 0, 0, limit + 1),
                                   ZafRegionRect(0, INT_MIN, 0, 0), ZafRegionRect(0, 0, INT_MAX, 0)})
        EXPECT_FALSE(r.IsStorable()) << r.left << " " << r.top << " " << r.right << " " << r.bottom;
}
