#include "zaf/core/ZafGdiDisplay.h"

#include "zaf/core/ZafImageStruct.h"

#include <gtest/gtest.h>

namespace {

// A display drawing into a 40 x 30 memory bitmap.
class ZafGdiDisplayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        HDC screen = GetDC(nullptr);
        memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 40, 30);
        ReleaseDC(nullptr, screen);
        old = SelectObject(memory, bitmap);
        display.SetCurrentDC(memory);
        display.Rectangle(0, 0, 39, 29, RGB(255, 255, 255), true);
    }
    void TearDown() override
    {
        display.SetCurrentDC(nullptr);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    COLORREF At(int x, int y) { return GetPixel(memory, x, y); }

    ZafGdiDisplay display;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

} // namespace

TEST(ZafGdiDisplayMetrics, CellsComeFromTheSystemFontsRealMetrics)
{
    ZafGdiDisplay display;
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, display.Font(ZAF_FONT_SYSTEM));
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(screen, &tm));
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(display.CellWidth(), tm.tmAveCharWidth);
    EXPECT_EQ(display.CellHeight(), tm.tmHeight + tm.tmExternalLeading + 4);
    EXPECT_EQ(display.PreSpace(), 2);
    EXPECT_EQ(display.PostSpace(), 2);
    EXPECT_EQ(display.ConvertXValue(72, ZAF_POINT, ZAF_PIXEL), dpiX);
    EXPECT_EQ(display.ConvertXValue(3, ZAF_CELL, ZAF_PIXEL), 3 * tm.tmAveCharWidth);
}

TEST(ZafGdiDisplayColors, TableIndexesOnlyAndSystemColours)
{
    ZafGdiDisplay display;
    COLORREF c = 1;
    EXPECT_TRUE(display.ColorOf(ZAF_COLOR_LIGHTGRAY, c));
    EXPECT_EQ(c, RGB(192, 192, 192));
    EXPECT_TRUE(display.ColorOf(ZAF_COLOR_WHITE, c));
    EXPECT_EQ(c, RGB(255, 255, 255));
    // Stored palettes carry 16 and 252: neither reads outside the table.
    for (int index : {16, 252, 254, 255, -1}) {
        c = 12345;
        EXPECT_FALSE(display.ColorOf(index, c)) << index;
        EXPECT_EQ(c, 12345u);
        EXPECT_EQ(display.ResolveColor(index, COLOR_WINDOW, RGB(1, 2, 3)), RGB(1, 2, 3)) << index;
    }
    EXPECT_EQ(display.ResolveColor(ZAF_COLOR_SYSTEM, COLOR_BTNFACE, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(ZafGdiDisplayColors, FreeColorRefusesReservedIndexesAndRestoresTheEntry)
{
    ZafGdiDisplay display;
    EXPECT_TRUE(display.SetColor(3, RGB(9, 9, 9)));
    EXPECT_FALSE(display.IsColorFree(3));
    EXPECT_TRUE(display.FreeColor(3));
    EXPECT_TRUE(display.IsColorFree(3));
    COLORREF c;
    display.ColorOf(3, c);
    EXPECT_EQ(c, RGB(0, 128, 128));
    for (int index : {252, 253, 255, 16})
        EXPECT_FALSE(display.FreeColor(index)) << index;
}

TEST(ZafGdiDisplayBrushes, AReleasedBrushStaysValidForWindowsToUse)
{
    ZafGdiDisplay display;
    HBRUSH brush = display.GetCachedBrush(RGB(10, 20, 30));
    EXPECT_EQ(display.GetCachedBrush(RGB(10, 20, 30)), brush);
    EXPECT_EQ(display.BrushUses(brush), 2);
    EXPECT_TRUE(display.ReleaseCachedObject(brush));
    EXPECT_TRUE(display.ReleaseCachedObject(brush));
    EXPECT_EQ(display.BrushUses(brush), 0);
    // Windows paints with a WM_CTLCOLOR brush after the handler released it.
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    HBRUSH foreign = CreateSolidBrush(0);
    EXPECT_FALSE(display.ReleaseCachedObject(foreign));
    EXPECT_EQ(GetObjectType(foreign), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(foreign);
}

TEST(ZafGdiDisplayBrushes, OnlyTheLongestUnusedBrushesAreDeleted)
{
    ZafGdiDisplay display;
    HBRUSH held = display.GetCachedBrush(RGB(1, 1, 1));
    std::vector<HBRUSH> released;
    for (int i = 0; i < ZafGdiDisplay::keptBrushes + 3; ++i) {
        HBRUSH b = display.GetCachedBrush(RGB(100, i, 0));
        display.ReleaseCachedObject(b);
        released.push_back(b);
    }
    EXPECT_EQ(display.CachedBrushCount(), ZafGdiDisplay::keptBrushes + 1);
    EXPECT_EQ(display.BrushUses(held), 1);
    EXPECT_EQ(display.BrushUses(released.front()), -1);
    EXPECT_EQ(display.BrushUses(released.back()), 0);
}

TEST(ZafGdiDisplayLoans, NestedLoansForOneWindowShareTheContext)
{
    ZafGdiDisplay display;
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HDC outer = display.LendDC(window);
    ASSERT_NE(outer, nullptr);
    HDC inner = display.LendDC(window);
    EXPECT_EQ(inner, outer);
    EXPECT_EQ(display.OpenLoans(), 1);
    display.ReturnDC(inner);
    EXPECT_EQ(display.CurrentDC(), outer);
    EXPECT_EQ(display.OpenLoans(), 1);
    display.ReturnDC(outer);
    EXPECT_EQ(display.OpenLoans(), 0);
    EXPECT_EQ(display.CurrentDC(), nullptr);
    DestroyWindow(window);
}

TEST_F(ZafGdiDisplayTest, LinesIncludeBothEndsAndRectanglesTheirEdges)
{
    display.Line(2, 3, 10, 3, RGB(0, 0, 0));
    EXPECT_EQ(At(2, 3), RGB(0, 0, 0));
    EXPECT_EQ(At(10, 3), RGB(0, 0, 0));
    EXPECT_EQ(At(11, 3), RGB(255, 255, 255));
    display.Rectangle(5, 10, 8, 12, RGB(255, 0, 0), true);
    EXPECT_EQ(At(5, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(8, 12), RGB(255, 0, 0));
    EXPECT_EQ(At(9, 12), RGB(255, 255, 255));
    display.Rectangle(20, 10, 25, 15, RGB(0, 0, 255), false);
    EXPECT_EQ(At(25, 15), RGB(0, 0, 255));
    EXPECT_EQ(At(22, 12), RGB(255, 255, 255));
}

TEST_F(ZafGdiDisplayTest, TextSizeIsTheFontsExtent)
{
    SIZE size = display.TextSize("Mervalo", ZAF_FONT_DIALOG);
    HGDIOBJ oldFont = SelectObject(memory, display.Font(ZAF_FONT_DIALOG));
    SIZE expected;
    GetTextExtentPoint32A(memory, "Mervalo", 7, &expected);
    SelectObject(memory, oldFont);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    // An unknown font number falls back to the system font.
    EXPECT_EQ(display.Font(99), display.Font(ZAF_FONT_SYSTEM));
}

TEST_F(ZafGdiDisplayTest, IconPixelsRoundTripWithTransparency)
{
    const std::uint8_t pixels[] = {0, 15, 255, 12, 7, 9, 255, 0, 1};
    HICON icon = display.MakeIcon(3, 3, pixels);
    ASSERT_NE(icon, nullptr);
    int width = 0, height = 0;
    std::vector<std::uint8_t> back;
    ASSERT_TRUE(display.IconPixels(icon, width, height, back));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(back, std::vector<std::uint8_t>(pixels, pixels + 9));
    DestroyIcon(icon);
    HBITMAP mask;
    EXPECT_EQ(display.MakeBitmap(0, 3, pixels, mask), nullptr);
    EXPECT_EQ(display.MakeBitmap(100000, 100000, pixels, mask), nullptr);
}

TEST_F(ZafGdiDisplayTest, ReleasesTheImagesItMadeButLeavesACursorsArray)
{
    std::uint8_t pixels[4] = {0, 15, 255, 7};
    ZafBitmapStruct bitmap(2, 2, pixels, true);
    bitmap.bitmapHandle = display.MakeBitmap(2, 2, pixels, bitmap.maskHandle);
    ASSERT_NE(bitmap.bitmapHandle, nullptr);
    ASSERT_NE(bitmap.maskHandle, nullptr);
    const HBITMAP made = bitmap.bitmapHandle, mask = bitmap.maskHandle;
    display.DestroyBitmapHandle(bitmap);
    EXPECT_EQ(GetObjectType(made), 0u);
    EXPECT_EQ(GetObjectType(mask), 0u);

    ZafMouseStruct mouse(2, 2, new std::uint8_t[4](), 0, 0, false);
    std::uint8_t *array = mouse.array;
    display.DestroyMouseArray(mouse);
    EXPECT_EQ(mouse.array, array);
    delete[] array;
}
