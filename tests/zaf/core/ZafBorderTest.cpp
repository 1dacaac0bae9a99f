// The border support object: the frame width Windows gives each kind of
// window, and the frame window it borrows while its window exists.
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

TEST(ZafBorder, IsAlwaysASupportObjectWithTheFrameWidthOfItsKindOfWindow)
{
    int width = -5;
    ZafBorder alone;
    EXPECT_EQ(alone.FrameWidth(width), 1);
    EXPECT_EQ(width, -5) << "without a window parent nothing is given";

    ZafDialogWindow dialog(0, 0, 20, 5);
    auto *dialogBorder = new ZafBorder;
    dialog.AddObject(dialogBorder);
    EXPECT_EQ(dialogBorder->FrameWidth(width), 0);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXDLGFRAME));

    ZafWindow sizeable(0, 0, 20, 5);
    auto *border = new ZafBorder;
    border->SetSupportObject(false);
    sizeable.AddObject(border);
    EXPECT_EQ(sizeable.FindSupportObject(ZAF_NUMID_BORDER), border);
    EXPECT_EQ(sizeable.FirstChild(), nullptr);
    EXPECT_EQ(border->FrameWidth(width), 0);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXFRAME));
    sizeable.SetSizeable(false);
    EXPECT_EQ(border->FrameWidth(width), 0);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXBORDER));
}

using ZafBorderOnScreen = zaftest::OnScreen;

TEST_F(ZafBorderOnScreen, BorrowsTheFrameWindowWhileItExistsAndAnswersUnknown)
{
    auto *window = new ZafWindow(2, 2, 30, 8);
    window->SetVisible(false);
    auto *border = new ZafBorder;
    window->AddObject(border);
    EXPECT_EQ(border->OSHandle(), nullptr);

    zafWindowManager->AddObject(window);
    ASSERT_NE(window->OSHandle(2), nullptr);
    EXPECT_EQ(border->OSHandle(), window->OSHandle(2));
    EXPECT_EQ(ZafObjectFromHandle(window->OSHandle(2)), window) << "the window stays bound to its own object";
    EXPECT_EQ(border->Event(ZafEventRecord(ZAF_REDISPLAY)), ZAF_UNKNOWN);
    EXPECT_EQ(border->Event(ZafEventRecord(ZAF_DEINITIALIZE)), ZAF_UNKNOWN);
    EXPECT_EQ(border->OSHandle(), nullptr);
    EXPECT_EQ(border->Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW)), ZAF_UNKNOWN);
    EXPECT_EQ(border->OSHandle(), window->OSHandle(2));
    // Taking the window off the screen destroys its frame: the border lets
    // go of the handle and outlives it harmlessly.
    HWND frame = window->OSHandle(2);
    zafWindowManager->SubtractObject(window);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(border->OSHandle(), nullptr);
    delete window;
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}
