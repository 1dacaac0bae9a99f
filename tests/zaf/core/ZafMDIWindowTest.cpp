#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

namespace {

class ZafMDIWindowTest : public testing::Test
{
protected:
    ZafMDIWindowTest() : application(GetModuleHandleA(nullptr), {"test.exe"}) {}
    ZafApplication application;
};

} // namespace

TEST_F(ZafMDIWindowTest, AFrameWithTwoChildrenOneMaximised)
{
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    // Hidden: Wine waits for a window manager when a shown window goes.
    frame->SetVisible(false);
    auto *plain = new ZafMDIWindow(1, 1, 20, 6);
    auto *big = new ZafMDIWindow(3, 3, 20, 6);
    plain->SetStringID("PLAIN");
    big->SetStringID("BIG");
    big->SetMaximized(true);
    frame->AddObject(plain);
    frame->AddObject(big);
    zafWindowManager->AddObject(frame);
    ASSERT_NE(frame->OSHandle(), nullptr);
    HWND client = frame->OSHandle(1);
    ASSERT_NE(client, frame->OSHandle());
    char name[32];
    GetClassNameA(client, name, sizeof(name));
    EXPECT_STREQ(name, "MDIClient");
    ASSERT_NE(plain->OSHandle(), nullptr);
    ASSERT_NE(big->OSHandle(), nullptr);
    EXPECT_EQ(GetParent(plain->OSHandle()), client);
    EXPECT_EQ(GetParent(big->OSHandle()), client);
    EXPECT_TRUE(IsZoomed(big->OSHandle()));
    EXPECT_EQ(frame->ActiveChild(), big);

    // Closing the plain child from its title bar deletes it; the frame stays.
    HWND plainWindow = plain->OSHandle();
    SendMessageA(plainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(plainWindow));
    EXPECT_EQ(frame->Count(), 1);
    EXPECT_EQ(zafWindowManager->CloseWindow(frame), ZAF_NO_WINDOWS);
    EXPECT_FALSE(IsWindow(client));
}
