// The group box: its Windows window and title, its children placed below
// the title, and radio buttons that deselect each other inside it.
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Choice : ZafWindowObject
{
    explicit Choice(int top, bool radio) : ZafWindowObject(1, top, 10, 1), radio(radio) {}
    bool ExcludesSiblingsWhenSelected() const override { return radio; }
    bool radio;
};

} // namespace

TEST(ZafGroup, RadioButtonsOfOneGroupDeselectEachOtherAndCheckBoxesStay)
{
    ZafGroup group(1, 1, 20, 5, "Kind"), other(1, 8, 20, 5, "Other");
    auto *first = zaftest::AddTo(&group, new Choice(0, true));
    auto *check = zaftest::AddTo(&group, new Choice(1, false));
    auto *third = zaftest::AddTo(&other, new Choice(0, true));
    first->SetSelected(true);
    check->SetSelected(true);
    third->SetSelected(true); // another group's radio is on its own
    EXPECT_TRUE(first->Selected());
    auto *second = zaftest::AddTo(&group, new Choice(2, true));
    second->SetSelected(true);
    EXPECT_FALSE(first->Selected());
    EXPECT_TRUE(check->Selected());
    EXPECT_FALSE(check->SetSelected(false));

    // A copy has a title of its own.
    ZafGroup *copy = static_cast<ZafGroup *>(group.Duplicate());
    EXPECT_STREQ(copy->Text(), "Kind");
    EXPECT_NE(copy->Text(), group.Text());
    EXPECT_EQ(copy->Count(), 3);
    delete copy;
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
    // children it stayed black (or kept what was drawn there before).
    auto *window = new ZafWindow(2, 2, 40, 12);
    window->SetVisible(false);
    auto *group = new ZafGroup(1, 1, 30, 6, "Display");
    group->AddObject(new Choice(0, true));
    window->AddObject(group);
    zafWindowManager->AddObject(window);
    HWND box = group->OSHandle();
    ASSERT_NE(box, nullptr);

    HDC screen = GetDC(box);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 64, 64};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_NE(0, SendMessageA(box, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0));
    EXPECT_EQ(group->BackgroundColor(), GetPixel(memory, 40, 40));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(box, screen);
    zafWindowManager->CloseWindow(window);
}
