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
#include "tests/support/ModalLoop.h"
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

    // The preview of the text, made and shown to the window manager (not
    // on the screen), its messages run.
    PrintPreview *OpenHidden()
    {
        auto *preview = new PrintPreview(text, printerDC);
        preview->SetVisible(false);
        zafWindowManager->AddObject(preview);
        Pump();
        return preview;
    }

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
    // The running head and the page number, then the page's lines.
    ASSERT_GT(first.size(), 3u);
    EXPECT_EQ(first[0], "Frequencies");
    EXPECT_EQ(first[1], "page 1 of " + std::to_string(pages));
    EXPECT_EQ(first[2], "line 1");
    EXPECT_EQ(LinesOf(preview.PageMetafile(1))[2], " line " + std::to_string(first.size() - 1));
    size_t all = 0;
    for (int page = 0; page < pages; ++page)
        all += LinesOf(preview.PageMetafile(page)).size();
    EXPECT_EQ(all, 150u + 2 * pages);

    preview.Event(ZafEventRecord(PrintPreview::previousPageEvent));
    EXPECT_EQ(preview.CurrentPage(), 0);
    for (int i = 0; i <= pages; ++i)
        preview.Event(ZafEventRecord(PrintPreview::nextPageEvent));
    EXPECT_EQ(preview.CurrentPage(), pages - 1);
}

TEST_F(PrintPreviewTest, OnScreenTheSheetIsPaintedWhiteWithTheText)
{
    PrintPreview *preview = OpenHidden();
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

// Run as the user meets it: Return on the control with the focus closes the
// preview as OK does.
TEST_F(PrintPreviewTest, ReturnClosesThePreviewAsOkDoes)
{
    PrintPreview preview(text, printerDC);
    std::string focused;
    testsupport::WhenModalLoopIdles([&] {
        HWND target = GetFocus();
        char name[32] = "";
        if (target)
            GetWindowTextA(target, name, sizeof name);
        focused = name;
        if (!target)
            target = preview.OSHandle();
        PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(target, WM_KEYUP, VK_RETURN, 1 | (3UL << 30));
        // Should Return not end the preview, Escape does.
        testsupport::WhenModalLoopIdles(
            [&] {
                if (preview.OSHandle())
                    PostMessageA(preview.OSHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            },
            200);
    });
    EXPECT_EQ(preview.Control(), ZAF_DIALOG_OK) << "focus on \"" << focused << "\"";
    testsupport::ForgetModalLoopSteps();
}

} // namespace

// The preview opens over most of the screen's work area (no main window
// here), sizeable, and shows the whole page at a scale where a 10-point
// line is at least 9 pixels high; sized smaller, its sheet and buttons stay
// inside it and whole.
TEST_F(PrintPreviewTest, TheWholePageShowsLegiblyInALargeSizeableWindowThatKeepsItsControlsInside)
{
    PrintPreview *preview = OpenHidden();
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

namespace {

// The page's rectangle inside the painted sheet: within the black frame that
// stands on the grey ground, found along the middle row and column.
RECT PaintedPaper(const testsupport::Painted &sheet)
{
    const COLORREF ground = RGB(128, 128, 128);
    const int midX = sheet.Width() / 2, midY = sheet.Height() / 2;
    RECT paper = {-1, -1, -1, -1};
    for (int x = 0; x < sheet.Width() && paper.left < 0; ++x)
        if (sheet.At(x, midY) != ground)
            paper.left = x + 1;
    for (int x = sheet.Width() - 1; x >= 0 && paper.right < 0; --x)
        if (sheet.At(x, midY) != ground)
            paper.right = x;
    for (int y = 0; y < sheet.Height() && paper.top < 0; ++y)
        if (sheet.At(midX, y) != ground)
            paper.top = y + 1;
    for (int y = sheet.Height() - 1; y >= 0 && paper.bottom < 0; --y)
        if (sheet.At(midX, y) != ground)
            paper.bottom = y;
    return paper;
}

} // namespace

// The page stands whole on a grey ground, framed, at the largest size of its
// proportions that the sheet holds, as the window is sized; at the opening
// size a 10-point line is at least 9 pixels high. The page buttons step
// through a table of several pages, the title and the painted page following.
TEST_F(PrintPreviewTest, ThePageFillsTheWindowAtItsProportionsAndPagesThroughTheTable)
{
    PrintPreview *preview = OpenHidden();
    auto *sheet = dynamic_cast<ZafWindowObject *>(preview->First());
    ASSERT_TRUE(sheet && sheet->IsCreated());
    const double pageWidth = GetDeviceCaps(printerDC, HORZSIZE), pageHeight = GetDeviceCaps(printerDC, VERTSIZE);

    std::vector<double> heights;
    for (const SIZE size : {SIZE{0, 0}, SIZE{700, 560}, SIZE{520, 700}}) {
        if (size.cx)
            MoveWindow(preview->OSHandle(), 0, 0, size.cx, size.cy, TRUE);
        Pump();
        const testsupport::Painted pixels(sheet->OSHandle());
        const RECT paper = PaintedPaper(pixels);
        const int width = paper.right - paper.left, height = paper.bottom - paper.top;
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        EXPECT_GT(paper.left, 0);
        EXPECT_GT(paper.top, 0);
        EXPECT_LT(paper.right, pixels.Width());
        EXPECT_LT(paper.bottom, pixels.Height());
        EXPECT_NEAR(width / static_cast<double>(height), pageWidth / pageHeight, 0.02) << "the page's proportions";
        // The page fills the sheet across or down, less a few pixels of ground.
        EXPECT_LE(std::min(pixels.Width() - width, pixels.Height() - height), 12) << size.cx << "x" << size.cy;
        EXPECT_EQ(pixels.At(width / 2 + paper.left, paper.bottom - 2), RGB(255, 255, 255));
        heights.push_back(height);
    }
    EXPECT_GE(heights[0] * (10.0 / 72.0 * 25.4) / pageHeight, 9.0) << "a 10-point line in pixels";
    EXPECT_LT(heights[1], heights[0]);

    QivPrinter printer(printerDC);
    const int pages = text.PageCount(printer);
    ASSERT_GE(pages, 3);
    auto ink = [&] {
        const testsupport::Painted pixels(sheet->OSHandle());
        const RECT paper = PaintedPaper(pixels);
        return pixels.CountOther(paper.left, paper.top, paper.right - 1, paper.bottom - 1, RGB(255, 255, 255));
    };
    auto title = [&] {
        char caption[64] = "";
        GetWindowTextA(preview->OSHandle(), caption, sizeof caption);
        return std::string(caption);
    };
    EXPECT_EQ(title(), "Print preview - page 1 of " + std::to_string(pages));
    const int firstInk = ink();
    for (int page = 2; page <= pages; ++page) {
        preview->Event(ZafEventRecord(PrintPreview::nextPageEvent));
        Pump();
        EXPECT_EQ(title(), "Print preview - page " + std::to_string(page) + " of " + std::to_string(pages));
    }
    EXPECT_LT(ink(), firstInk) << "the last page holds the few lines left";
    zafWindowManager->CloseWindow(preview);
    Pump();
}

// At its printed size the page shows with scroll bars, its top left corner
// first, a 10-point line as high as on paper (at least 13 pixels on a screen
// of 96 pixels per inch); the bar scrolls it, a new page starts at its top
// again, and the whole page comes back without bars.
TEST_F(PrintPreviewTest, AtItsPrintedSizeThePageScrollsAndTheWholePageComesBack)
{
    PrintPreview *preview = OpenHidden();
    auto *sheet = dynamic_cast<ZafWindowObject *>(preview->First());
    ASSERT_TRUE(sheet && sheet->IsCreated());
    HWND sheetWindow = sheet->OSHandle();
    auto verticalPosition = [&] {
        SCROLLINFO info = {sizeof info, SIF_ALL};
        return GetScrollInfo(sheetWindow, SB_VERT, &info) ? info.nPos : -1;
    };

    preview->Event(ZafEventRecord(PrintPreview::zoomEvent));
    Pump();
    ASSERT_TRUE(preview->ActualSize());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const SIZE page = preview->ActualPixels();
    EXPECT_NEAR(page.cy, GetDeviceCaps(printerDC, VERTSIZE) * dpi / 25.4, 1.0);
    EXPECT_GE(10 * dpi / 72, 13) << "a 10-point line in pixels";
    SCROLLINFO vertical = {sizeof vertical, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(sheetWindow, SB_VERT, &vertical));
    EXPECT_GT(vertical.nMax + 1, page.cy) << "the page and its ground";
    EXPECT_EQ(vertical.nPos, 0);
    {
        const testsupport::Painted pixels(sheetWindow);
        EXPECT_EQ(pixels.At(2, 2), RGB(128, 128, 128)) << "ground at the top left corner";
        EXPECT_EQ(pixels.At(pixels.Width() / 2, pixels.Height() - 2), RGB(255, 255, 255)) << "the page runs on";
    }

    SendMessageA(sheetWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump();
    const int lastPosition = vertical.nMax + 1 - static_cast<int>(vertical.nPage);
    EXPECT_EQ(verticalPosition(), std::min(static_cast<int>(vertical.nPage), lastPosition));
    {
        const testsupport::Painted pixels(sheetWindow);
        EXPECT_NE(pixels.At(pixels.Width() / 2, 2), RGB(128, 128, 128)) << "the page's top scrolled away";
    }
    preview->Event(ZafEventRecord(PrintPreview::nextPageEvent));
    Pump();
    EXPECT_EQ(verticalPosition(), 0);

    preview->Event(ZafEventRecord(PrintPreview::zoomEvent));
    Pump();
    EXPECT_FALSE(preview->ActualSize());
    EXPECT_EQ(0, GetWindowLongA(sheetWindow, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ("", testsupport::LayoutCheck(preview).Report());
    zafWindowManager->CloseWindow(preview);
    Pump();
}
