#include "zaf/core/ZafDisplay.h"

#include "zaf/core/ZafImageStruct.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// 8 x 20 pixel cells on a 96 pixels-per-inch screen, mini-cells of 1/10.
ZafCellMetrics ScreenMetrics()
{
    ZafCellMetrics m;
    m.cellWidth = 8, m.cellHeight = 20, m.preSpace = 2, m.postSpace = 2;
    m.pixelsPerInchX = 96, m.pixelsPerInchY = 96;
    m.miniNumerator = 1, m.miniDenominator = 10;
    return m;
}

const ZafCoordinateType allTypes[] = {ZAF_CELL, ZAF_MINI_CELL,       ZAF_PIXEL,           ZAF_POINT,
                                      ZAF_TWIP, ZAF_THOUSANDTH_INCH, ZAF_TENTH_MILLIMETRE};

} // namespace

TEST(ZafDisplay, OneInchIsTheSameLengthInEveryTypeOnBothAxes)
{
    ZafDisplay display(ScreenMetrics());
    // Horizontally one inch is 96 pixels = 12 cells = 120 mini-cells; five
    // inches vertically are 480 pixels = 24 cells of 20 pixels.
    const int inchX[] = {12, 120, 96, 72, 1440, 1000, 254};
    const int fiveInchesY[] = {24, 240, 480, 360, 7200, 5000, 1270};
    for (int from = 0; from < 7; ++from)
        for (int to = 0; to < 7; ++to)
            for (int k : {1, 3, -2}) {
                EXPECT_EQ(display.ConvertXValue(k * inchX[from], allTypes[from], allTypes[to]), k * inchX[to])
                    << from << " -> " << to << " times " << k;
                EXPECT_EQ(display.ConvertYValue(k * fiveInchesY[from], allTypes[from], allTypes[to]),
                          k * fiveInchesY[to])
                    << from << " -> " << to << " times " << k;
            }
}

TEST(ZafDisplay, RoundsHalfAwayFromZeroOnceBetweenAnyTwoTypes)
{
    ZafDisplay display(ScreenMetrics());
    const struct
    {
        bool vertical;
        int value;
        ZafCoordinateType from, to;
        int expected;
    } cases[] = {// 6 pixels are 4.5 points, 12 pixels 1.5 cells, 4 pixels half a cell.
                 {false, 6, ZAF_PIXEL, ZAF_POINT, 5},
                 {false, 12, ZAF_PIXEL, ZAF_CELL, 2},
                 {false, 4, ZAF_PIXEL, ZAF_CELL, 1},
                 // 2 pixels are 2.5 mini-cells; 10 pixels half a cell vertically.
                 {false, 2, ZAF_PIXEL, ZAF_MINI_CELL, 3},
                 {true, 10, ZAF_PIXEL, ZAF_CELL, 1},
                 // Below a half rounds toward zero: 1.38 cells, 0.47 and 0.53 pixels.
                 {false, 11, ZAF_PIXEL, ZAF_CELL, 1},
                 {false, 7, ZAF_TWIP, ZAF_PIXEL, 0},
                 {false, 8, ZAF_TWIP, ZAF_PIXEL, 1},
                 // Between non-pixel types one rounding only: 1 point is 20 twips (15
                 // through pixels), 5 twips 0.88 tenth-millimetres (0 through pixels),
                 // one mini-cell 0.8 pixels = 0.6 points.
                 {false, 1, ZAF_POINT, ZAF_TWIP, 20},
                 {false, 5, ZAF_TWIP, ZAF_TENTH_MILLIMETRE, 1},
                 {false, 1, ZAF_MINI_CELL, ZAF_POINT, 1},
                 {false, 5, ZAF_MINI_CELL, ZAF_POINT, 3}};
    for (const auto &c : cases)
        for (int sign : {1, -1}) {
            int result = c.vertical ? display.ConvertYValue(sign * c.value, c.from, c.to)
                                    : display.ConvertXValue(sign * c.value, c.from, c.to);
            EXPECT_EQ(result, sign * c.expected) << sign * c.value << " " << c.from << " -> " << c.to;
        }
}

TEST(ZafDisplay, UsesTheMetricsItIsGivenClampedSoNothingDividesByZero)
{
    ZafCellMetrics m = ScreenMetrics();
    m.cellWidth = 7, m.cellHeight = 18;
    m.pixelsPerInchX = 120, m.pixelsPerInchY = 144;
    m.miniNumerator = 1, m.miniDenominator = 4;
    ZafDisplay display(m);
    EXPECT_EQ(display.ConvertXValue(3, ZAF_CELL, ZAF_PIXEL), 21);
    EXPECT_EQ(display.ConvertYValue(3, ZAF_CELL, ZAF_PIXEL), 54);
    EXPECT_EQ(display.ConvertXValue(8, ZAF_MINI_CELL, ZAF_PIXEL), 14);
    EXPECT_EQ(display.ConvertXValue(72, ZAF_POINT, ZAF_PIXEL), 120);
    EXPECT_EQ(display.ConvertYValue(72, ZAF_POINT, ZAF_PIXEL), 144);
    EXPECT_EQ(display.ConvertXValue(1, ZAF_POINT, ZAF_PIXEL), 2); // 1.67
    m.cellWidth = 10;
    display.SetCellMetrics(m);
    EXPECT_EQ(display.ConvertXValue(3, ZAF_CELL, ZAF_PIXEL), 30);

    ZafCellMetrics bad;
    bad.cellWidth = 0, bad.cellHeight = -5, bad.pixelsPerInchX = 0;
    bad.miniDenominator = 0, bad.miniNumerator = 1000, bad.preSpace = -1;
    display.SetCellMetrics(bad);
    EXPECT_EQ(display.CellWidth(), 1);
    EXPECT_EQ(display.CellHeight(), 1);
    EXPECT_EQ(display.PreSpace(), 0);
    EXPECT_EQ(display.CellMetrics().miniDenominator, 1);
    EXPECT_EQ(display.CellMetrics().miniNumerator, 100);
    EXPECT_EQ(display.ConvertXValue(5, ZAF_PIXEL, ZAF_CELL), 5);
    EXPECT_EQ(display.ConvertXValue(1, ZAF_POINT, ZAF_PIXEL), 0); // 1/72 pixel
}

TEST(ZafDisplay, ResultsSaturateAndUnknownTypesChangeNothing)
{
    ZafDisplay display(ScreenMetrics());
    EXPECT_EQ(display.ConvertXValue(INT_MAX, ZAF_CELL, ZAF_TWIP), INT_MAX);
    EXPECT_EQ(display.ConvertXValue(INT_MIN, ZAF_CELL, ZAF_TWIP), INT_MIN);
    EXPECT_EQ(display.ConvertXValue(INT_MIN, ZAF_TWIP, ZAF_CELL), -17895697); // -2^31 / 120 twips per cell
    EXPECT_EQ(display.ConvertXValue(17, 7, ZAF_PIXEL), 17);
    EXPECT_EQ(display.ConvertXValue(17, ZAF_PIXEL, -1), 17);
}

TEST(ZafDisplay, WithoutAScreenDisplayConversionsUseTheDefaultsAndImagesAStandIn)
{
    ZafDisplay *saved = zafScreenDisplay;
    zafScreenDisplay = nullptr;
    const ZafDisplay &fallback = ZafDisplay::ForConversion();
    EXPECT_EQ(fallback.ConvertXValue(2, ZAF_CELL, ZAF_PIXEL), 2 * ZafCellMetrics().cellWidth);
    EXPECT_EQ(fallback.ConvertYValue(72, ZAF_POINT, ZAF_PIXEL), ZafCellMetrics().pixelsPerInchY);
    ZafDisplay &standIn = ZafDisplay::ForImages();
    EXPECT_NE(&standIn, &fallback);
    ZafBitmapStruct bitmap;
    bitmap.bitmapHandle = CreateBitmap(2, 2, 1, 1, nullptr);
    const HBITMAP made = bitmap.bitmapHandle;
    standIn.DestroyBitmapHandle(bitmap);
    EXPECT_EQ(GetObjectType(made), 0u) << "released alike without a screen display";

    ZafCellMetrics m = ScreenMetrics();
    m.cellWidth = 13;
    ZafDisplay screen(m);
    zafScreenDisplay = &screen;
    EXPECT_EQ(&ZafDisplay::ForConversion(), &screen);
    EXPECT_EQ(&ZafDisplay::ForImages(), &screen);
    EXPECT_EQ(ZafDisplay::ForConversion().ConvertXValue(2, ZAF_CELL, ZAF_PIXEL), 26);
    zafScreenDisplay = saved;
}

// ---- Releasing images ------------------------------------------------------------

namespace {

// A 2 x 2 cursor (and icon) shape: AND mask all set, XOR mask clear.
const BYTE andMask[4] = {0xFF, 0xFF, 0xFF, 0xFF};
const BYTE xorMask[4] = {0, 0, 0, 0};

bool IconAlive(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

} // namespace

TEST(ZafDisplayImages, HandlesAreDestroyedUnlessStaticAndClearedEitherWay)
{
    ZafDisplay display;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (std::uint8_t isStatic : {0, 1}) {
        ZafBitmapStruct bitmap;
        bitmap.staticHandle = isStatic;
        const HBITMAP b = bitmap.bitmapHandle = CreateBitmap(2, 2, 1, 1, nullptr);
        const HBITMAP mask = bitmap.maskHandle = CreateBitmap(2, 2, 1, 1, nullptr);
        display.DestroyBitmapHandle(bitmap);
        EXPECT_EQ(GetObjectType(b) == OBJ_BITMAP, bool(isStatic));
        EXPECT_EQ(GetObjectType(mask) == OBJ_BITMAP, bool(isStatic));
        EXPECT_EQ(bitmap.bitmapHandle, nullptr);
        EXPECT_EQ(bitmap.maskHandle, nullptr);
        display.DestroyBitmapHandle(bitmap); // nothing left to delete

        ZafIconStruct icon;
        icon.staticHandle = isStatic;
        const HICON i = icon.iconHandle = CreateIcon(instance, 2, 2, 1, 1, andMask, xorMask);
        ASSERT_TRUE(IconAlive(i));
        display.DestroyIconHandle(icon);
        EXPECT_EQ(IconAlive(i), bool(isStatic));
        EXPECT_EQ(icon.iconHandle, nullptr);

        ZafMouseStruct mouse;
        mouse.staticHandle = isStatic;
        const HCURSOR c = mouse.cursorHandle = CreateCursor(instance, 0, 0, 2, 2, andMask, xorMask);
        ASSERT_TRUE(IconAlive(c));
        display.DestroyMouseHandle(mouse);
        EXPECT_EQ(IconAlive(c), bool(isStatic));
        EXPECT_EQ(mouse.cursorHandle, nullptr);
        if (isStatic) {
            DeleteObject(b), DeleteObject(mask);
            DestroyIcon(i), DestroyCursor(c);
        }
    }
}

TEST(ZafDisplayImages, ArraysAreFreedUnlessStaticAndTheirPointersCleared)
{
    ZafDisplay display;
    std::uint8_t builtIn[4] = {1, 2, 3, 4};
    ZafBitmapStruct bitmap(2, 2, builtIn, true);
    display.DestroyBitmapArray(bitmap);
    EXPECT_EQ(bitmap.array, nullptr);
    EXPECT_EQ(builtIn[3], 4);
    EXPECT_EQ(bitmap.width, 2) << "only the pointer is cleared";

    ZafIconStruct icon(2, 2, new std::uint8_t[4](), false);
    display.DestroyIconArray(icon);
    EXPECT_EQ(icon.array, nullptr);
    display.DestroyIconArray(icon); // a second release frees nothing
    // The cursor's owner frees its array: the display leaves it alone.
    ZafMouseStruct mouse(2, 2, builtIn, 1, 1, false);
    display.DestroyMouseArray(mouse);
    EXPECT_EQ(mouse.array, builtIn);
}
