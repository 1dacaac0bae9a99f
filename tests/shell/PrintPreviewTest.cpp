// The print preview lays a text out in pages as printing does, pages within
// its bounds, and paints the current page on screen.
#include "../zaf/controls/ControlTestHarness.h"

#include <windows.h>

#include <string>
#include <vector>

#include "shell/PrintPreview.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "tests/shell/MetafileRecords.h"
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
