// The group box: its Windows window and title, its children placed below
// the title, and radio buttons that deselect each other inside it.
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

namespace {

struct Choice : ZafWindowObject
{
    explicit Choice(int top, bool radio) : ZafWindowObject(1, top, 10, 1), radio(radio) {}
    bool ExcludesSiblingsWhenSelected() const override { return radio; }
    bool radio;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, "IME") != 0)
        ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

TEST(ZafGroup, RadioButtonsOfOneGroupDeselectEachOtherAndCheckBoxesStay)
{
    ZafGroup group(1, 1, 20, 5, "Kind");
    auto *first = new Choice(0, true);
    auto *second = new Choice(1, true);
    auto *check = new Choice(2, false);
    group.AddObject(first);
    group.AddObject(second);
    group.AddObject(check);
    first->SetSelected(true);
    check->SetSelected(true);
    second->SetSelected(true);
    EXPECT_FALSE(first->Selected());
    EXPECT_TRUE(second->Selected());
    EXPECT_TRUE(check->Selected());
    check->SetSelected(false);
    EXPECT_FALSE(check->Selected());

    // Another group's radio buttons are on their own.
    ZafGroup other(1, 8, 20, 5, "Other");
    auto *third = new Choice(0, true);
    other.AddObject(third);
    third->SetSelected(true);
    EXPECT_TRUE(second->Selected());
}

TEST(ZafGroup, TitleAndCopies)
{
    ZafGroup group(1, 1, 20, 5, "Kind");
    group.AddObject(new Choice(0, true));
    EXPECT_STREQ(group.Text(), "Kind");
    EXPECT_EQ(group.SetText("Art"), 0);
    EXPECT_STREQ(group.Text(), "Art");
    ZafGroup *copy = static_cast<ZafGroup *>(group.Duplicate());
    EXPECT_STREQ(copy->Text(), "Art");
    EXPECT_NE(copy->Text(), group.Text());
    EXPECT_EQ(copy->Count(), 1);
    delete copy;
    group.SetText(nullptr);
    EXPECT_EQ(group.Text(), nullptr);
}

TEST(ZafGroup, IsAGroupBoxWhoseChildrenStandBelowTheTitle)
{
    ZafApplication::RegisterWindowClasses(GetModuleHandleA(nullptr));
    ZafApplication application(GetModuleHandleA(nullptr), {"test.exe"});
    const int before = ThreadWindowCount();
    auto *window = new ZafWindow(2, 2, 40, 12);
    window->SetVisible(false);
    auto *group = new ZafGroup(1, 1, 30, 6, "Display");
    auto *choice = new Choice(0, true);
    group->AddObject(choice);
    window->AddObject(group);
    zafWindowManager->AddObject(window);

    HWND box = group->OSHandle();
    ASSERT_NE(box, nullptr);
    char name[16] = "";
    GetClassNameA(box, name, sizeof name);
    EXPECT_EQ(lstrcmpiA(name, "BUTTON"), 0);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    char title[32] = "";
    GetWindowTextA(box, title, sizeof title);
    EXPECT_STREQ(title, "Display");
    group->SetText("Shown");
    GetWindowTextA(box, title, sizeof title);
    EXPECT_STREQ(title, "Shown");

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
    EXPECT_EQ(ThreadWindowCount(), before);
}
