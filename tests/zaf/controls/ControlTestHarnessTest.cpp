// The harness's own promise: input sent through SendInput reaches a shown
// foreground window under Xvfb in Wine, both keys and the mouse.
#include "ControlTestHarness.h"

#include <chrono>

using controltest::Calls;
using controltest::ControlTest;

namespace {

class HarnessTest : public ControlTest
{};

TEST_F(HarnessTest, SendInputReachesTheFocusedControl)
{
    Window(true);
    ZafButton *button = Add(new ZafButton(10, 10, 100, 24, "Push"));
    Show();
    HWND frame = Window()->OSHandle();
    SetForegroundWindow(frame);
    SetFocus(button->OSHandle());
    Pump();
    ASSERT_EQ(GetFocus(), button->OSHandle());

    // Space pressed and released through the input queue selects once.
    ASSERT_TRUE(SendKey(VK_SPACE, false));
    ASSERT_TRUE(SendKey(VK_SPACE, true));
    EXPECT_TRUE(RunUntil([] { return !Calls().empty(); }));
    // The mouse: a press and release over the button selects it again.
    ASSERT_TRUE(SendMouse(button->OSHandle(), false));
    ASSERT_TRUE(SendMouse(button->OSHandle(), true));
    EXPECT_TRUE(RunUntil([] { return Calls().size() >= 2; }));
    EXPECT_EQ(Calls().size(), 2u);
}

} // namespace
