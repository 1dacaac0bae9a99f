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
    HWND window = sheet->OSHandle();
    // Paint into a bitmap, as the window would paint itself.
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF middle = GetPixel(memory, client.right / 2, client.bottom / 2);
    // The text stands at the page's left margin: ink in the left half of the
    // sheet's middle band (inside the paper on a page wider than high).
    int ink = 0;
    for (int y = client.bottom / 4; y < client.bottom * 3 / 4; ++y)
        for (int x = 0; x < client.right / 2; ++x)
            ink += GetPixel(memory, x, y) != RGB(255, 255, 255);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    EXPECT_EQ(middle, RGB(255, 255, 255));
    EXPECT_GT(ink, 0);
    zafWindowManager->CloseWindow(preview);
    Pump();
}

} // namespace
