// Scroll bars over their scroll data: the window's own bars and bar
// controls show the data, moving them moves the data, and the data is freed
// with its last bar. (Bars and groups make the round trip of the frame in
// ZafWindowPersistenceTest.)
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStorage.h"

namespace {

SCROLLINFO InfoOf(HWND window, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

struct CountedData : ZafScrollData
{
    using ZafScrollData::ZafScrollData;
    ~CountedData() override { ++deaths; }
    static int deaths;
};
int CountedData::deaths = 0;

class ScrollBarOnScreen : public testing::Test
{
protected:
    ScrollBarOnScreen()
        : application((ZafApplication::RegisterWindowClasses(GetModuleHandleA(nullptr)), GetModuleHandleA(nullptr)),
                      {"test.exe"})
    {
        ZafScrollData::InstallWindowLink();
    }
    ZafApplication application;
};

} // namespace

TEST_F(ScrollBarOnScreen, AWindowsOwnBarShowsItsDataAndMovesIt)
{
    auto *window = new ZafWindow(2, 2, 30, 8);
    window->SetVisible(false);
    auto *bar = new ZafScrollBar(ZafScrollBar::vertical);
    EXPECT_EQ(bar->NumberID(), ZAF_NUMID_VT_SCROLL);
    EXPECT_TRUE(bar->SupportObject());
    bar->SetScrollData(new ZafScrollData(0, 100, 10, 3, 20));
    window->AddObject(bar);
    zafWindowManager->AddObject(window);
    HWND handle = window->OSHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(GetWindowLongA(handle, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongA(handle, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(bar->OSHandle(), handle);

    SCROLLINFO info = InfoOf(handle, SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 100);
    EXPECT_EQ(info.nPage, 20u);
    EXPECT_EQ(info.nPos, 10);

    // The data changes: the bar follows.
    auto *data = bar->ScrollData();
    data->SetCurrent(40);
    EXPECT_EQ(InfoOf(handle, SB_VERT).nPos, 40);

    // The user moves the bar: a line, a page, to the end.
    SendMessageA(handle, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(data->current, 43);
    SendMessageA(handle, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(data->current, 23);
    SendMessageA(handle, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(data->current, 100);
    SendMessageA(handle, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(data->current, 100) << "the data keeps the position in its range";
    // Windows keeps the thumb's position a page before the range's end.
    EXPECT_EQ(InfoOf(handle, SB_VERT).nPos, 100 - 20 + 1);

    zafWindowManager->SubtractObject(window);
    EXPECT_EQ(bar->OSHandle(), nullptr);
    delete window;
}

TEST_F(ScrollBarOnScreen, ABarControlHasAWindowOfItsOwn)
{
    auto *window = new ZafWindow(2, 2, 30, 8);
    window->SetVisible(false);
    auto *bar = new ZafScrollBar(1, 1, 20, 1, ZafScrollBar::horizontal);
    bar->SetNumberID(12);
    EXPECT_FALSE(bar->SupportObject());
    window->AddObject(bar);
    zafWindowManager->AddObject(window);
    HWND control = bar->OSHandle();
    ASSERT_NE(control, nullptr);
    EXPECT_NE(control, window->OSHandle());
    EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & SBS_VERT, 0) << "a horizontal bar";
    ZafScrollData *data = bar->ScrollData();
    ASSERT_NE(data, nullptr) << "a default range is made on first need";
    data->SetScroll(0, 50, 5, 1, 10);
    EXPECT_EQ(InfoOf(control, SB_CTL).nMax, 50);
    EXPECT_EQ(InfoOf(control, SB_CTL).nPos, 5);

    // A scroll message from the control reaches its object through the
    // window that holds it.
    SendMessageA(window->OSHandle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(data->current, 6);
    zafWindowManager->CloseWindow(window);
}

TEST(ZafScrollBar, DataIsSharedByCopiesAndFreedWithTheLastBar)
{
    ZafScrollData::InstallWindowLink();
    CountedData::deaths = 0;
    auto *data = new CountedData(0, 10, 5, 1, 2);
    auto *bar = new ZafScrollBar(ZafScrollBar::horizontal);
    EXPECT_EQ(bar->NumberID(), ZAF_NUMID_HZ_SCROLL);
    bar->SetScrollData(data);
    ZafWindowObject *copy = bar->Duplicate();
    EXPECT_EQ(static_cast<ZafScrollBar *>(copy)->ScrollData(), data);
    EXPECT_EQ(static_cast<ZafScrollBar *>(copy)->Scroll().current, 5);
    delete bar;
    EXPECT_EQ(CountedData::deaths, 0);
    delete copy;
    EXPECT_EQ(CountedData::deaths, 1);
}
