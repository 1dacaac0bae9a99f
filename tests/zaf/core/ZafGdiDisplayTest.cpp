// The screen display on GDI (metrics, colours, brushes, device-context
// loans, drawing) and the printer display, which draws on a device context
// handed in: Wine has no printer, so a memory context or an enhanced
// metafile stands in for it.
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafImageStruct.h"
#include "zaf/core/ZafPrinter.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using zaftest::MemoryPage;

namespace {

const COLORREF white = RGB(255, 255, 255);

// A display drawing into a white 40 x 30 memory bitmap.
class ZafGdiDisplayTest : public testing::Test
{
protected:
    void SetUp() override { display.SetCurrentDC(page.dc); }
    void TearDown() override { display.SetCurrentDC(nullptr); }
    MemoryPage page{40, 30};
    ZafGdiDisplay display;
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
    // A row less its spacing holds a line inside a control's two edges,
    // and no more than that and the font's leading.
    const int edges = 2 * GetSystemMetrics(SM_CYEDGE);
    EXPECT_GE(display.CellHeight() - 4, tm.tmHeight + edges);
    EXPECT_LE(display.CellHeight() - 4, tm.tmHeight + edges + tm.tmExternalLeading);
    EXPECT_EQ(display.PreSpace(), 2);
    EXPECT_EQ(display.PostSpace(), 2);
    EXPECT_EQ(display.ConvertXValue(72, ZAF_POINT, ZAF_PIXEL), dpiX);
    EXPECT_EQ(display.ConvertXValue(3, ZAF_CELL, ZAF_PIXEL), 3 * tm.tmAveCharWidth);
    // An unknown font number falls back to the system font.
    EXPECT_EQ(display.Font(99), display.Font(ZAF_FONT_SYSTEM));
}

TEST(ZafGdiDisplayColors, TableIndexesOnlyAndSystemColours)
{
    ZafGdiDisplay display;
    COLORREF c = 1;
    EXPECT_TRUE(display.ColorOf(ZAF_COLOR_LIGHTGRAY, c));
    EXPECT_EQ(c, RGB(192, 192, 192));
    EXPECT_TRUE(display.ColorOf(ZAF_COLOR_WHITE, c));
    EXPECT_EQ(c, white);
    // Stored palettes carry 16 and 252: neither reads outside the table.
    for (int index : {16, 252, 254, 255, -1}) {
        c = 12345;
        EXPECT_FALSE(display.ColorOf(index, c)) << index;
        EXPECT_EQ(c, 12345u);
        EXPECT_EQ(display.ResolveColor(index, COLOR_WINDOW, RGB(1, 2, 3)), RGB(1, 2, 3)) << index;
    }
    EXPECT_EQ(display.ResolveColor(ZAF_COLOR_SYSTEM, COLOR_BTNFACE, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(ZafGdiDisplayColors, FreeColorThroughAnyDisplayRefusesReservedIndexesAndRestoresTheEntry)
{
    ZafGdiDisplay display;
    ZafDisplay &base = display;
    EXPECT_TRUE(display.SetColor(3, RGB(9, 9, 9)));
    EXPECT_FALSE(display.IsColorFree(3));
    EXPECT_TRUE(base.FreeColor(3));
    EXPECT_TRUE(display.IsColorFree(3));
    COLORREF c;
    display.ColorOf(3, c);
    EXPECT_EQ(c, RGB(0, 128, 128));
    for (int index : {252, 253, 254, 255, 16, -1})
        EXPECT_FALSE(base.FreeColor(index)) << index;
    EXPECT_FALSE(ZafDisplay().FreeColor(3)) << "a display without a colour table";
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
    // Only the longest unused brushes are deleted.
    HBRUSH held = display.GetCachedBrush(RGB(1, 1, 1));
    std::vector<HBRUSH> released;
    for (int i = 0; i < ZafGdiDisplay::keptBrushes + 3; ++i) {
        released.push_back(display.GetCachedBrush(RGB(100, i, 0)));
        display.ReleaseCachedObject(released.back());
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
    display.Rectangle(5, 10, 8, 12, RGB(255, 0, 0), true);
    display.Rectangle(20, 10, 25, 15, RGB(0, 0, 255), false);
    const COLORREF black = RGB(0, 0, 0), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    EXPECT_EQ((std::vector<COLORREF>{page.At(2, 3), page.At(10, 3), page.At(11, 3), page.At(5, 10), page.At(8, 12),
                                     page.At(9, 12), page.At(25, 15), page.At(22, 12)}),
              (std::vector<COLORREF>{black, black, white, red, red, white, blue, white}));
}

TEST_F(ZafGdiDisplayTest, ImagesRoundTripWithTransparencyAndAreReleasedThroughTheDisplay)
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

    ZafBitmapStruct bitmap;
    EXPECT_EQ(display.MakeBitmap(0, 3, pixels, bitmap.maskHandle), nullptr);
    EXPECT_EQ(display.MakeBitmap(100000, 100000, pixels, bitmap.maskHandle), nullptr);
    bitmap.bitmapHandle = display.MakeBitmap(3, 3, pixels, bitmap.maskHandle);
    const HBITMAP made = bitmap.bitmapHandle, mask = bitmap.maskHandle;
    ASSERT_NE(made, nullptr);
    ASSERT_NE(mask, nullptr);
    display.DestroyBitmapHandle(bitmap);
    EXPECT_EQ(GetObjectType(made), 0u);
    EXPECT_EQ(GetObjectType(mask), 0u);
}

// --- The printer -----------------------------------------------------------------

namespace {

int CALLBACK CollectRecord(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM types)
{
    reinterpret_cast<std::vector<DWORD> *>(types)->push_back(record->iType);
    return 1;
}

} // namespace

TEST(ZafPrinter, PagesDrawOnTheContextHandedInAndOnlyWhileOpen)
{
    MemoryPage page(120, 80);
    ZafPrinter printer(page.dc);
    EXPECT_FALSE(printer.Spooled());
    EXPECT_EQ((std::vector<int>{120, 80}), (std::vector<int>{printer.PageWidth(), printer.PageHeight()}));
    // Out of order: nothing happens.
    EXPECT_FALSE(printer.BeginPage());
    EXPECT_FALSE(printer.EndPage());
    EXPECT_FALSE(printer.EndDocument());

    EXPECT_TRUE(printer.BeginDocument("Mervalo print graph"));
    EXPECT_FALSE(printer.BeginDocument("again"));
    printer.Rectangle(1, 1, 5, 5, RGB(0, 0, 0), true);
    EXPECT_EQ(white, page.At(3, 3)) << "no page is open";

    EXPECT_TRUE(printer.BeginPage());
    EXPECT_EQ(page.dc, printer.CurrentDC());
    printer.Rectangle(10, 10, 19, 14, RGB(255, 0, 0), true);
    printer.Line(0, 30, 50, 30, RGB(0, 0, 255));
    EXPECT_TRUE(printer.EndPage());
    EXPECT_EQ(nullptr, printer.CurrentDC());
    EXPECT_EQ((std::vector<COLORREF>{page.At(10, 10), page.At(19, 14), page.At(20, 15), page.At(50, 30)}),
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(255, 0, 0), white, RGB(0, 0, 255)}));
    // EndDocument ends a page still open.
    EXPECT_TRUE(printer.BeginPage());
    EXPECT_TRUE(printer.EndDocument());
    EXPECT_EQ((std::vector<bool>{printer.InPage(), printer.InDocument(), printer.JobCancelled()}),
              (std::vector<bool>{false, false, false}));
    EXPECT_EQ(nullptr, printer.CurrentDC());
}

TEST(ZafPrinter, AMetafilePageRecordsWhatWasDrawnAtThePrintersUnits)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, "Mervalo\0page\0");
    ASSERT_NE(nullptr, dc);
    {
        ZafPrinter printer(dc);
        EXPECT_EQ((std::vector<int>{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)}),
                  (std::vector<int>{printer.PageWidth(), printer.PageHeight()}));
        // Units follow the context's pixels per inch; the screen's have scale
        // one and origin zero.
        const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
        EXPECT_EQ(dpiX, printer.ConvertXValue(1440, ZAF_TWIP, ZAF_PIXEL));
        EXPECT_EQ(dpiY, printer.ConvertYValue(72, ZAF_POINT, ZAF_PIXEL));
        EXPECT_EQ(254, printer.ConvertXValue(dpiX, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE));
        ZafGdiDisplay screen;
        const int screenDpi = screen.CellMetrics().pixelsPerInchX;
        EXPECT_EQ(MulDiv(screen.CellWidth(), dpiX, screenDpi), printer.CellWidth());
        EXPECT_EQ(MulDiv(screen.CellHeight(), dpiY, screen.CellMetrics().pixelsPerInchY), printer.CellHeight());
        for (ZafDisplay *display : {static_cast<ZafDisplay *>(&printer), static_cast<ZafDisplay *>(&screen)}) {
            int numerator = 0, denominator = 0, x = 1, y = 1;
            display->GetScale(numerator, denominator);
            display->GetOrigin(x, y);
            EXPECT_EQ(numerator * screenDpi, denominator * (display == &printer ? dpiX : screenDpi));
            EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{0, 0}));
        }

        ASSERT_TRUE(printer.BeginDocument("Mervalo Document"));
        ASSERT_TRUE(printer.BeginPage());
        printer.Line(0, 0, 100, 50, RGB(0, 0, 0));
        const POINT triangle[] = {{0, 0}, {40, 0}, {20, 30}};
        printer.Polygon(triangle, 3, RGB(0, 128, 0), true);
        ASSERT_TRUE(printer.EndPage());
        ASSERT_TRUE(printer.EndDocument());
    }
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    ASSERT_NE(nullptr, metafile);
    std::vector<DWORD> types;
    EnumEnhMetaFile(nullptr, metafile, CollectRecord, &types, nullptr);
    DeleteEnhMetaFile(metafile);
    auto has = [&](DWORD type) { return std::find(types.begin(), types.end(), type) != types.end(); };
    EXPECT_TRUE(has(EMR_LINETO));
    EXPECT_TRUE(has(EMR_POLYGON16) || has(EMR_POLYGON));
}

TEST(ZafPrinter, AnOwnedContextGoesWithThePrinterAndAnOpenDocumentIsEnded)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    {
        ZafPrinter printer(dc, true);
        EXPECT_TRUE(printer.BeginDocument(nullptr));
        EXPECT_TRUE(printer.BeginPage());
    }
    EXPECT_EQ(0u, GetObjectType(dc));
}

namespace {

// What a font is on a device context: its face, its character height (cell
// height less internal leading) in device pixels, and whether it scales to
// any size (TrueType or vector) or only by whole multiples (raster).
struct FontOnDevice
{
    std::string face;
    int emHeight;
    bool scalable;
};

FontOnDevice Measure(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    return {face, tm.tmHeight - tm.tmInternalLeading, (tm.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) != 0};
}

} // namespace

// A font of N points must stay N/72 inch on a device of any resolution. A
// font's height in device units does not depend on the context it is
// measured on in the default mapping mode, so a memory context measures the
// fonts made for other resolutions as a printer of that resolution would
// draw them.
class ZafGdiDisplayFontScale : public testing::TestWithParam<int>
{};

TEST_P(ZafGdiDisplayFontScale, ScaledFontsKeepTheirFaceAndPoints)
{
    const int deviceDpi = GetParam();
    MemoryPage page(8, 8);
    ZafGdiDisplay display;
    const int screenDpi = display.CellMetrics().pixelsPerInchY;
    std::vector<FontOnDevice> before;
    for (int i = 0; i < display.FontCount(); ++i)
        before.push_back(Measure(page.dc, display.Font(i)));

    ASSERT_TRUE(display.ScaleFonts(screenDpi, deviceDpi));
    for (int i = 0; i < display.FontCount(); ++i) {
        SCOPED_TRACE("font " + std::to_string(i) + " " + before[i].face);
        const FontOnDevice after = Measure(page.dc, display.Font(i));
        EXPECT_TRUE(after.scalable);
        if (before[i].scalable) {
            EXPECT_EQ(before[i].face, after.face);
        }
        // Hinting rounds each height to whole pixels of its own device.
        const double expected = double(before[i].emHeight) * deviceDpi / screenDpi;
        EXPECT_NEAR(expected, after.emHeight, 1.0 + double(deviceDpi) / screenDpi);
    }
    EXPECT_FALSE(display.ScaleFonts(0, deviceDpi));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ZafGdiDisplayFontScale, testing::Values(96, 120, 300, 600, 1200));

// Wine has no printer, so an enhanced metafile stands for one: its
// resolution is its reference device's, here the screen's, which is why the
// scaling itself is checked above at other resolutions.
TEST(ZafPrinter, FontsAreTheirOwnAtThePrintersResolutionAndMeasureOnItsContext)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dc);
    ZafGdiDisplay screen;
    const int screenDpi = screen.CellMetrics().pixelsPerInchY;
    {
        ZafPrinter printer(dc);
        const int printerDpi = GetDeviceCaps(dc, LOGPIXELSY);
        for (int i = 0; i < printer.FontCount(); ++i) {
            SCOPED_TRACE("font " + std::to_string(i));
            EXPECT_NE(screen.Font(i), printer.Font(i)) << "a screen font on the printer";
            const FontOnDevice onScreen = Measure(dc, screen.Font(i));
            const FontOnDevice onPrinter = Measure(dc, printer.Font(i));
            EXPECT_TRUE(onPrinter.scalable);
            EXPECT_NEAR(double(onScreen.emHeight) * printerDpi / screenDpi, onPrinter.emHeight,
                        1.0 + double(printerDpi) / screenDpi);
        }
        HGDIOBJ old = SelectObject(dc, printer.Font(ZAF_FONT_SYSTEM));
        SIZE expected = {};
        GetTextExtentPoint32A(dc, "Mean", 4, &expected);
        SelectObject(dc, old);
        const SIZE measured = printer.TextSize("Mean");
        EXPECT_EQ((std::vector<LONG>{expected.cx, expected.cy}), (std::vector<LONG>{measured.cx, measured.cy}));
    }
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    // The screen's stock fonts outlive the printer's own.
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(screen.Font(ZAF_FONT_SYSTEM)));
}
