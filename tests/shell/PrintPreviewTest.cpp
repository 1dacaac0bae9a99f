// The print preview lays a text out in pages as printing does, pages within
// its bounds, and paints the current page on screen.
#include "../zaf/controls/ControlTestHarness.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/PrintPreview.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "tests/shell/MetafileRecords.h"
#include "tests/support/LayoutCheck.h"
#include "tests/support/PaintedWindow.h"

namespace {

std::vector<std::string> LinesOf(HENHMETAFILE page)
{
    return metafile::Read(page).texts;
}

class PrintPreviewTest : public controltest::ControlTest
{
protected:
    PrintPreviewTest()
    {
        for (int line = 1; line <= 150; ++line) {
            text.WriteString("line ");
            text.WriteInteger(line);
            text.EndLine();
        }
        printerDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    }
    ~PrintPreviewTest() override { DeleteEnhMetaFile(CloseEnhMetaFile(printerDC)); }

    TXTWIN text{"Frequencies", 0};
    HDC printerDC;
};

TEST_F(PrintPreviewTest, PagesHoldTheLinesPrintingPutsOnThemAndPagingStaysWithinThem)
{
    QivPrinter printer(printerDC);
    const int pages = text.PageCount(printer);
    ASSERT_GT(pages, 1);
    PrintPreview preview(text, printerDC);
    ASSERT_EQ(preview.PageCount(), pages);
    const std::vector<std::string> first = LinesOf(preview.PageMetafile(0));
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), "line 1");
    EXPECT_EQ(LinesOf(preview.PageMetafile(1)).front(), " line " + std::to_string(first.size() + 1));
    size_t all = 0;
    for (int page = 0; page < pages; ++page)
        all += LinesOf(preview.PageMetafile(page)).size();
    EXPECT_EQ(all, 151u); // the lines and the blank after the last line end

    preview.Event(ZafEventRecord(PrintPreview::previousPageEvent));
    EXPECT_EQ(preview.CurrentPage(), 0);
    for (int i = 0; i <= pages; ++i)
        preview.Event(ZafEventRecord(PrintPreview::nextPageEvent));
    EXPECT_EQ(preview.CurrentPage(), pages - 1);
}

TEST_F(PrintPreviewTest, OnScreenTheSheetIsPaintedWhiteWithTheText)
{
    auto *preview = new PrintPreview(text, printerDC);
    preview->SetVisible(false);
    zafWindowManager->AddObject(preview);
    Pump();
    auto *sheet = dynamic_cast<ZafWindowObject *>(preview->First());
    ASSERT_TRUE(sheet && sheet->IsCreated());
    const testsupport::Painted sheetPixels(sheet->OSHandle());
    const int w = sheetPixels.Width(), h = sheetPixels.Height();
    EXPECT_EQ(sheetPixels.At(w / 2, h / 2), RGB(255, 255, 255));
    // The text stands at the page's left margin: ink in the left half of the
    // sheet's middle band (inside the paper on a page wider than high).
    EXPECT_GT(sheetPixels.CountOther(0, h / 4, w / 2 - 1, h * 3 / 4 - 1, RGB(255, 255, 255)), 0);
    zafWindowManager->CloseWindow(preview);
    Pump();
}

} // namespace

// The preview opens over most of the screen's work area (no main window
// here), sizeable, and shows the whole page at a scale where a 10-point
// line is at least 9 pixels high; sized smaller, its sheet and buttons stay
// inside it and whole.
TEST_F(PrintPreviewTest, TheWholePageShowsLegiblyInALargeSizeableWindowThatKeepsItsControlsInside)
{
    auto *preview = new PrintPreview(text, printerDC);
    preview->SetVisible(false);
    zafWindowManager->AddObject(preview);
    Pump();
    RECT work, place;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(preview->OSHandle(), &place);
    EXPECT_GE((place.right - place.left) * 10, (work.right - work.left) * 8);
    EXPECT_GE((place.bottom - place.top) * 10, (work.bottom - work.top) * 8);
    EXPECT_NE(0, GetWindowLongA(preview->OSHandle(), GWL_STYLE) & WS_THICKFRAME);

    auto *sheet = dynamic_cast<ZafWindowObject *>(preview->First());
    ASSERT_TRUE(sheet && sheet->IsCreated());
    RECT client;
    GetClientRect(sheet->OSHandle(), &client);
    const double pageWidth = GetDeviceCaps(printerDC, HORZSIZE), pageHeight = GetDeviceCaps(printerDC, VERTSIZE);
    const double paperHeight = std::min<double>(client.bottom, client.right * pageHeight / pageWidth);
    const double tenPointLine = paperHeight * (10.0 / 72.0 * 25.4) / pageHeight;
    EXPECT_GE(tenPointLine, 9.0);
    EXPECT_EQ("", testsupport::LayoutCheck(preview).Report());

    MoveWindow(preview->OSHandle(), 10, 10, 420, 330, TRUE);
    Pump();
    EXPECT_EQ("", testsupport::LayoutCheck(preview).Report());
    zafWindowManager->CloseWindow(preview);
    Pump();
}
