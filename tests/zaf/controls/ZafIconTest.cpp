// Icons: sized to image and title, a click and a double click as Windows
// delivers them, the shared stock icons through a round trip and a
// deletion, an image made from pixels and painted, and the frame's icon.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafIcon.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStringData.h"

#include <vector>

using controltest::Calls;
using controltest::ControlTest;

namespace {

class IconTest : public ControlTest
{
protected:
    ZafIcon *AddIcon(const char *title, ZafIconData *data)
    {
        auto *icon = Add(new ZafIcon(0, 0, title, data));
        icon->SetRegion(ZafRegionRect(20, 30, 20, 30, ZAF_PIXEL));
        return icon;
    }
    static SIZE WindowSize(const ZafWindowObject *object)
    {
        RECT r;
        GetClientRect(object->OSHandle(), &r);
        return SIZE{r.right, r.bottom};
    }
};

TEST_F(IconTest, IsExactlyAsLargeAsItsImageAndTitle)
{
    ZafIcon *icon = AddIcon("Frequencies", ZafIcon::SystemIcon(ZafIcon::iconQuestion));
    Show();
    icon->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    const SIZE title = ZafScreenGdiDisplay()->TextSize("Frequencies", ZAF_FONT_DIALOG);
    const SIZE size = WindowSize(icon);
    EXPECT_EQ(std::max<LONG>(32, title.cx), size.cx);
    EXPECT_EQ(32 + ZafIcon::titleGap + title.cy, size.cy);
    const RECT placed = bartest::PlaceInParent(icon->OSHandle());
    EXPECT_EQ(20, placed.left);
    EXPECT_EQ(30, placed.top);
}

// A title given as string data is the icon's own data, not a copy: the icon
// is sized by its text and follows a new text of it.
TEST_F(IconTest, ATitleGivenAsStringDataSizesTheIconAndFollowsItsText)
{
    auto *title = new ZafStringData("Maps");
    auto *icon = Add(new ZafIcon(0, 0, title, ZafIcon::SystemIcon(ZafIcon::iconQuestion)));
    icon->SetRegion(ZafRegionRect(20, 30, 20, 30, ZAF_PIXEL));
    EXPECT_EQ(title, icon->StringData());
    Show();
    icon->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    EXPECT_STREQ("Maps", icon->Text());
    title->SetText("Frequencies and crosstabs");
    Pump();
    const SIZE wide = ZafScreenGdiDisplay()->TextSize("Frequencies and crosstabs", ZAF_FONT_DIALOG);
    EXPECT_STREQ("Frequencies and crosstabs", icon->Text());
    EXPECT_EQ(std::max<LONG>(32, wide.cx), WindowSize(icon).cx);
}

// A click reports a selection when the button goes up, yet the icon is
// never selected itself; the double click reports a double selection, and
// nothing is reported while a drag is under way or in layout mode.
TEST_F(IconTest, AClickAndADoubleClickReachTheUserFunctionButSelectNothing)
{
    ZafIcon *icon = AddIcon("Run", ZafIcon::SystemIcon(ZafIcon::iconApplication));
    ZafIcon *laidOut = AddIcon("Open", ZafIcon::SystemIcon(ZafIcon::iconApplication));
    laidOut->SetRegion(ZafRegionRect(120, 30, 120, 30, ZAF_PIXEL));
    laidOut->SetLayoutMode(true);
    Show();
    Click(icon->OSHandle());
    ASSERT_EQ(1u, Calls().size());
    EXPECT_EQ(icon, Calls()[0].object);
    EXPECT_EQ(ZAF_SELECT, Calls()[0].code);
    EXPECT_FALSE(icon->Selected());
    Calls().clear();
    DoubleClick(icon->OSHandle());
    std::vector<ZafEventType> codes;
    for (const auto &call : Calls())
        codes.push_back(call.code);
    EXPECT_EQ((std::vector<ZafEventType>{ZAF_SELECT, ZAF_DOUBLE_SELECT, ZAF_SELECT}), codes);
    EXPECT_FALSE(icon->Selected());

    Calls().clear();
    zafWindowManager->SetDragObject(laidOut);
    Click(icon->OSHandle());
    zafWindowManager->SetDragObject(nullptr);
    Click(laidOut->OSHandle());
    DoubleClick(laidOut->OSHandle());
    EXPECT_TRUE(Calls().empty());
}

// Dropping an icon on an icon takes its image and title, for a query as
// for a copy or a move; an icon that takes no drops refuses.
TEST_F(IconTest, ADroppedIconGivesItsImageAndTitle)
{
    ZafIcon *target = AddIcon("Empty", ZafIcon::SystemIcon(ZafIcon::iconApplication));
    ZafIcon *source = AddIcon("Question", ZafIcon::SystemIcon(ZafIcon::iconQuestion));
    source->SetMoveDraggable(true);
    Show();
    zafWindowManager->SetDragObject(source);
    EXPECT_EQ(ZAF_REFUSED, target->Event(ZafEventRecord(ZAF_DROP_MOVE)));
    EXPECT_STREQ("Empty", target->Text());
    target->SetAcceptDrop(true);
    EXPECT_EQ(ZAF_DROP_QUERY, target->Event(ZafEventRecord(ZAF_DROP_QUERY)));
    EXPECT_EQ(ZafIcon::SystemIcon(ZafIcon::iconQuestion), target->IconData());
    EXPECT_STREQ("Question", target->Text());
    source->SetText("Hand");
    source->SetSystemIcon(ZafIcon::iconHand);
    EXPECT_EQ(ZAF_DROP_COPY, target->Event(ZafEventRecord(ZAF_DROP_COPY)));
    EXPECT_EQ(ZafIcon::SystemIcon(ZafIcon::iconHand), target->IconData());
    EXPECT_STREQ("Hand", target->Text());
    zafWindowManager->SetDragObject(nullptr);
}

TEST_F(IconTest, StockIconsAreSharedByNameAndOutliveTheirIcons)
{
    ZafIcon::RegisterPersistence();
    ZafIcon stored(1, 1, "Stop");
    stored.SetSystemIcon(ZafIcon::iconHand);
    auto read = fieldtest::RoundTrip(stored, "STOP");
    EXPECT_EQ(ZafIcon::SystemIcon("HAND"), read->IconData());
    EXPECT_STREQ("Stop", read->Text());
    ZafIconData *hand = ZafIcon::SystemIcon(ZafIcon::iconHand);
    read.reset();
    EXPECT_EQ(1, hand->NotificationCount()); // the stored icon's
    EXPECT_NE(nullptr, hand->iconHandle);
    EXPECT_EQ(hand, stored.SetSystemIcon(99));
    EXPECT_EQ(1, stored.SetBitmapData(nullptr));
    EXPECT_EQ(ZafButton::flatButton, stored.SetButtonType(ZafButton::pushButton));
}

TEST_F(IconTest, AnImageOfPixelsBecomesAWindowsIconAndIsPainted)
{
    std::vector<std::uint8_t> pixels(32 * 32, 255);
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            pixels[static_cast<std::size_t>(y * 32 + x)] = 4; // red
    auto *data = new ZafIconData();
    data->SetIconArray(32, 32, pixels.data());
    ZafIcon *icon = AddIcon(nullptr, data);
    Show();
    ASSERT_NE(nullptr, data->iconHandle);
    icon->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    EXPECT_EQ(32, WindowSize(icon).cx);
    bartest::Painted painted(icon->OSHandle());
    EXPECT_EQ(bartest::TableColor(4), painted.At(16, 16));
    EXPECT_NE(bartest::TableColor(4), painted.At(2, 2));
}

TEST_F(IconTest, AMinimizeIconGivesItsImageToTheFrame)
{
    auto *icon = new ZafIcon(0, 0, static_cast<const char *>(nullptr), ZafIcon::SystemIcon(ZafIcon::iconExclamation),
                              ZafIcon::minimizeIcon);
    EXPECT_EQ(ZAF_NUMID_MIN_ICON, icon->NumberID());
    EXPECT_TRUE(icon->SupportObject());
    Window()->AddObject(icon);
    Show();
    EXPECT_FALSE(icon->IsCreated());
    const auto big = reinterpret_cast<HICON>(SendMessageA(Window()->OSHandle(2), WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(ZafIcon::SystemIcon(ZafIcon::iconExclamation)->iconHandle, big);
}

} // namespace
