// Not a test: a window built in code with the controls of the bars (a tool
// bar, a status bar with a prompt and a progress bar, a document with a
// notebook whose page is split by a splitter), shown on the virtual display
// and saved as a bitmap for a look at it. Disabled, so the suite skips it;
// run it with
//   tools/test -R test_zafcontrols   (once, to build), then
//   MERVALO_SHOT=/tmp/bars.bmp bash -c 'source tools/env; source tools/display; mervalo_start_display;
//     mervalo_start_wine; cd build/tests; wine ./test_zafcontrols.exe --gtest_also_run_disabled_tests
//     --gtest_filter=BarsScreenshot.*' && convert /tmp/bars.bmp /tmp/bars.png
#include "ControlTestHarness.h"

#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafProgressBar.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafSplitter.h"
#include "zaf/controls/ZafStatusBar.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/data/ZafScrollData.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

using controltest::ControlTest;

namespace {

template <class T> T *InPixels(T *object, int left, int top, int right, int bottom)
{
    object->SetCoordinateType(ZAF_PIXEL);
    object->SetRegion(ZafRegionRect(left, top, right, bottom, ZAF_PIXEL));
    return object;
}

// Saves the screen's pixels of a window as a 24-bit ".bmp" file.
bool SaveWindow(HWND window, const char *path)
{
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    std::FILE *out = std::fopen(path, "wb");
    if (!out)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits.data(), 1, bits.size(), out);
    return std::fclose(out) == 0;
}

class BarsScreenshot : public ControlTest
{};

TEST_F(BarsScreenshot, DISABLED_SaveAWorkbookLikeWindow)
{
    ZafNotebookTab::InstallHooks();
    auto *frame = InPixels(new ZafMDIWindow(0, 0, 1, 1), 20, 20, 659, 479);

    auto *tools = InPixels(new ZafToolBar(0, 0, 1, 1), 0, 0, 639, 30);
    const char *names[] = {"Open", "Run", "Print", "Copy"};
    for (const char *name : names) {
        auto *button = InPixels(new ZafButton(0, 0, 1, 1, name), 0, 0, 69, 25);
        button->SetAutoSize(false);
        tools->AddObject(button);
    }
    frame->AddObject(tools);

    auto *status = InPixels(new ZafStatusBar(0, 0, 1, 1), 0, 0, 639, 23);
    auto *ready = InPixels(new ZafPrompt(0, 0, 1, "Frequencies: 3 of 5 variables"), 4, 2, 300, 19);
    ready->SetAutoSize(false);
    status->AddObject(ready);
    auto *progress = InPixels(new ZafProgressBar(0, 0, 1, 1, new ZafScrollData(0, 5, 3, 1, 1)), 420, 2, 630, 19);
    progress->SetTextMode(ZafProgressBar::textPercent);
    status->AddObject(progress);
    frame->AddObject(status);

    auto *book = InPixels(new ZafMDIWindow(0, 0, 1, 1), 10, 10, 560, 330);
    book->SetStringID("Workbook 1");
    auto *notebook = InPixels(new ZafNotebook(0, 0, 1, 1), 4, 4, 530, 280);
    auto *tables = new ZafWindow(0, 0, 10, 5);
    auto *title = new ZafButton(0, 0, 10, 1, "Tables");
    title->SetNumberID(ZAF_NUMID_TITLE);
    title->SetSupportObject(true);
    title->SetOwnWindow(false);
    tables->AddObject(title);
    auto *left = InPixels(new ZafPrompt(0, 0, 1, "Frequency table"), 0, 0, 1, 1);
    auto *right = InPixels(new ZafPrompt(0, 0, 1, "Bar chart"), 0, 0, 1, 1);
    left->SetAutoSize(false);
    right->SetAutoSize(false);
    auto *splitter = InPixels(new ZafSplitter(ZafSplitter::sideBySide, 50, true), 4, 4, 510, 230);
    splitter->SetBordered(true);
    tables->AddObject(left);
    tables->AddObject(right);
    tables->AddObject(splitter);
    splitter->SetLeadingObject(left);
    splitter->SetTrailingObject(right);
    notebook->AddObject(tables);
    auto *graphs = new ZafWindow(0, 0, 10, 5);
    auto *graphsTitle = new ZafButton(0, 0, 10, 1, "Graphs");
    graphsTitle->SetNumberID(ZAF_NUMID_TITLE);
    graphsTitle->SetSupportObject(true);
    graphsTitle->SetOwnWindow(false);
    graphs->AddObject(graphsTitle);
    notebook->AddObject(graphs);
    book->AddObject(notebook);
    frame->AddObject(book);

    zafWindowManager->AddObject(frame);
    Pump();
    SetForegroundWindow(frame->OSHandle(2));
    RedrawWindow(frame->OSHandle(2), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const char *path = std::getenv("MERVALO_SHOT");
    ASSERT_TRUE(SaveWindow(frame->OSHandle(2), path && *path ? path : "bars.bmp"));
    zafWindowManager->CloseWindow(frame);
    Pump();
    ZafNotebook::SetHooks(ZafNotebookHooks{});
}

} // namespace
