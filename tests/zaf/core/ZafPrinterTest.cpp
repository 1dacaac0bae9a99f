// The printer display: documents and pages on a device context handed in
// (Wine has no printer, so an enhanced metafile or a memory context stands
// in for it), its page size, scale and units; and the screen display's
// scale, origin and freeing of colours through the display base.
#include "zaf/core/ZafPrinter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int CALLBACK CollectRecord(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM types)
{
    reinterpret_cast<std::vector<DWORD> *>(types)->push_back(record->iType);
    return 1;
}

bool Has(const std::vector<DWORD> &types, DWORD type)
{
    for (DWORD t : types)
        if (t == type)
            return true;
    return false;
}

// A memory context with a white bitmap of the size selected.
struct MemoryPage
{
    MemoryPage(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~MemoryPage()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

} // namespace

TEST(ZafDisplayOutput, TheScreenHasScaleOneAndOriginZeroAndFreesOnlyTableColors)
{
    ZafGdiDisplay screen;
    ZafDisplay plain;
    for (ZafDisplay *display : {static_cast<ZafDisplay *>(&screen), &plain}) {
        int numerator = 0, denominator = 0, x = 9, y = 9;
        display->GetScale(numerator, denominator);
        display->GetOrigin(x, y);
        EXPECT_EQ(1, numerator);
        EXPECT_EQ(1, denominator);
        EXPECT_EQ(0, x);
        EXPECT_EQ(0, y);
    }
    ZafDisplay &base = screen;
    EXPECT_TRUE(base.FreeColor(5));
    EXPECT_TRUE(screen.IsColorFree(5));
    for (int index : {252, 253, 254, 255, 16, -1})
        EXPECT_FALSE(base.FreeColor(index)) << index;
    EXPECT_FALSE(plain.FreeColor(3));
}

TEST(ZafPrinter, PagesDrawOnTheContextHandedInAndOnlyWhileOpen)
{
    MemoryPage page(120, 80);
    ZafPrinter printer(page.dc);
    EXPECT_FALSE(printer.Spooled());
    EXPECT_EQ(120, printer.PageWidth());
    EXPECT_EQ(80, printer.PageHeight());

    // Out of order: nothing happens.
    EXPECT_FALSE(printer.BeginPage());
    EXPECT_FALSE(printer.EndPage());
    EXPECT_FALSE(printer.EndDocument());

    EXPECT_TRUE(printer.BeginDocument("Mervalo print graph"));
    EXPECT_FALSE(printer.BeginDocument("again"));
    printer.Rectangle(1, 1, 5, 5, RGB(0, 0, 0), true);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(page.dc, 3, 3)) << "no page is open";

    EXPECT_TRUE(printer.BeginPage());
    EXPECT_EQ(page.dc, printer.CurrentDC());
    printer.Rectangle(10, 10, 19, 14, RGB(255, 0, 0), true);
    printer.Line(0, 30, 50, 30, RGB(0, 0, 255));
    EXPECT_TRUE(printer.EndPage());
    EXPECT_EQ(nullptr, printer.CurrentDC());
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(page.dc, 10, 10));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(page.dc, 19, 14));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(page.dc, 20, 15));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(page.dc, 50, 30));

    // EndDocument ends a page still open.
    EXPECT_TRUE(printer.BeginPage());
    EXPECT_TRUE(printer.EndDocument());
    EXPECT_FALSE(printer.InPage());
    EXPECT_FALSE(printer.InDocument());
    EXPECT_FALSE(printer.JobCancelled());
    EXPECT_EQ(nullptr, printer.CurrentDC());
}

TEST(ZafPrinter, AMetafilePageRecordsWhatWasDrawnAtThePrintersUnits)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, "Mervalo\0page\0");
    ASSERT_NE(nullptr, dc);
    {
        ZafPrinter printer(dc);
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), printer.PageWidth());
        EXPECT_EQ(GetDeviceCaps(dc, VERTRES), printer.PageHeight());

        // Units follow the context's pixels per inch.
        const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
        EXPECT_EQ(dpiX, printer.ConvertXValue(1440, ZAF_TWIP, ZAF_PIXEL));
        EXPECT_EQ(dpiY, printer.ConvertYValue(72, ZAF_POINT, ZAF_PIXEL));
        EXPECT_EQ(254, printer.ConvertXValue(dpiX, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE));
        ZafGdiDisplay screen;
        const int screenDpi = screen.CellMetrics().pixelsPerInchX;
        EXPECT_EQ(MulDiv(screen.CellWidth(), dpiX, screenDpi), printer.CellWidth());
        EXPECT_EQ(MulDiv(screen.CellHeight(), dpiY, screen.CellMetrics().pixelsPerInchY), printer.CellHeight());
        int numerator = 0, denominator = 0, x = 1, y = 1;
        printer.GetScale(numerator, denominator);
        printer.GetOrigin(x, y);
        EXPECT_EQ(numerator * screenDpi, denominator * dpiX);
        EXPECT_EQ(0, x);
        EXPECT_EQ(0, y);

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
    EXPECT_TRUE(Has(types, EMR_LINETO));
    EXPECT_TRUE(Has(types, EMR_POLYGON16) || Has(types, EMR_POLYGON));
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
