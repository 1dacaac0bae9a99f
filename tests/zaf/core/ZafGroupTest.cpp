// The group box: its Windows window and title, its children placed below
// the title, its inside erased, and a copy's own title.
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

struct Choice : ZafWindowObject
{
    explicit Choice(int top, bool radio) : ZafWindowObject(1, top, 10, 1), radio(radio) {}
    bool ExcludesSiblingsWhenSelected() const override { return radio; }
    bool radio;
};

} // namespace

// Selection among a group's children is the window's (ZafWindowSelection);
// the group adds its title, which a copy has of its own.
TEST(ZafGroup, ACopyHasATitleOfItsOwn)
{
    ZafGroup group(1, 1, 20, 5, "Kind");
    zaftest::AddTo(&group, new Choice(0, true));
    std::unique_ptr<ZafGroup> copy(static_cast<ZafGroup *>(group.Duplicate()));
    EXPECT_STREQ(copy->Text(), "Kind");
    EXPECT_NE(copy->Text(), group.Text());
    EXPECT_EQ(copy->Count(), 1);
}

using ZafGroupOnScreen = zaftest::OnScreen;

TEST_F(ZafGroupOnScreen, IsAGroupBoxWhoseChildrenStandBelowTheTitle)
{
    auto *window = new ZafWindow(2, 2, 40, 12);
    window->SetVisible(false);
    auto *group = new ZafGroup(1, 1, 30, 6, "Display");
    auto *choice = new Choice(0, true);
    group->AddObject(choice);
    window->AddObject(group);
    zafWindowManager->AddObject(window);

    HWND box = group->OSHandle();
    ASSERT_NE(box, nullptr);
    char text[32] = "";
    GetClassNameA(box, text, sizeof text);
    EXPECT_EQ(lstrcmpiA(text, "BUTTON"), 0);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "Display");
    group->SetText("Shown");
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "Shown");

    ASSERT_NE(choice->OSHandle(), nullptr);
    EXPECT_EQ(GetParent(choice->OSHandle()), box);
    RECT place;
    GetWindowRect(choice->OSHandle(), &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT *>(&place), 2);
    ZafRegionRect expected = choice->Region();
    choice->ConvertRegion(expected, ZAF_PIXEL);
    EXPECT_EQ(place.top, expected.top + ZafDisplay::ForConversion().CellHeight());
    EXPECT_EQ(place.left, expected.left);
    zafWindowManager->CloseWindow(window);
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafGroupOnScreen, ErasesItsInsideWithItsBackgroundColour)
{
    // A BS_GROUPBOX window does not erase its inside itself: around its
    // children it would stay black (or keep what was drawn there before).
    auto *window = new ZafWindow(2, 2, 40, 12);
    window->SetVisible(false);
    auto *group = new ZafGroup(1, 1, 30, 6, "Display");
    group->AddObject(new Choice(0, true));
    window->AddObject(group);
    zafWindowManager->AddObject(window);
    HWND box = group->OSHandle();
    ASSERT_NE(box, nullptr);

    zaftest::MemoryPage page(64, 64, RGB(0, 0, 0));
    EXPECT_NE(0, SendMessageA(box, WM_ERASEBKGND, reinterpret_cast<WPARAM>(page.dc), 0));
    EXPECT_EQ(group->BackgroundColor(), page.At(40, 40));
    zafWindowManager->CloseWindow(window);
}
