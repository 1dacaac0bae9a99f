// Painting windowless objects, the windows of a windowless window's
// children, and native notifications reaching the objects they are about:
// through real windows, real controls and the pixels Windows reports.
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

using zaftest::AddTo;
using zaftest::Pump;
using zaftest::ThreadWindowCount;
using Sides = std::vector<int>;

namespace {

constexpr COLORREF frameColor = RGB(10, 200, 30);
constexpr COLORREF patchColor = RGB(200, 10, 20);
constexpr COLORREF paneColor = RGB(20, 40, 220);
constexpr COLORREF innerColor = RGB(230, 220, 10);

ZafRegionRect Pixels(int left, int top, int right, int bottom)
{
    return ZafRegionRect(left, top, right, bottom, ZAF_PIXEL);
}

// A hidden frame that draws itself in one colour (a top-level window shown
// under Wine without a window manager makes closing it wait).
struct Frame : ZafWindow
{
    Frame() : ZafWindow(0, 0, 1, 1)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(Pixels(40, 40, 339, 239));
        SetVisible(false);
        SetSystemDrawn(false);
    }
    COLORREF BackgroundColor() const override { return frameColor; }
};

// A windowless object that fills its region with a colour.
struct Patch : ZafWindowObject
{
    Patch(const ZafRegionRect &place, COLORREF color) : ZafWindowObject(0, 0, 1, 1), color(color)
    {
        SetOwnWindow(false);
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(place);
    }
    COLORREF BackgroundColor() const override { return color; }
    COLORREF color;
};

// A windowless window that fills its region with a colour.
struct Pane : ZafWindow
{
    explicit Pane(const ZafRegionRect &place) : ZafWindow(0, 0, 1, 1)
    {
        SetOwnWindow(false);
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(place);
    }
    COLORREF BackgroundColor() const override { return paneColor; }
};

// A control of a Windows class that records the notifications reaching its
// object through the handlers.
struct Control : ZafWindowObject
{
    Control(const char *windowClass, DWORD style, const ZafRegionRect &place)
        : ZafWindowObject(0, 0, 1, 1), windowClass(windowClass), style(style)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(place);
    }
    HWND CreateOSWindow() override
    {
        return ZafCreateOSWindow(this, windowClass, WS_CHILD | WS_VISIBLE | style, "", Parent()->DrawingHandle(), 0,
                                 nullptr);
    }
    ZafEventType HandleNotify(const ZafEventRecord &, NMHDR &header) override
    {
        notifications.push_back(static_cast<int>(header.code));
        // TRUE to TCN_SELCHANGING keeps the tab control's selection.
        return header.code == static_cast<UINT>(TCN_SELCHANGING) && vetoSelection ? TRUE : FALSE;
    }
    ZafEventType HandleMeasureItem(const ZafEventRecord &, MEASUREITEMSTRUCT &item) override
    {
        ++measured;
        item.itemHeight = itemHeight;
        return TRUE;
    }
    ZafEventType HandleCommand(const ZafEventRecord &, unsigned notifyCode) override
    {
        commands.push_back(static_cast<int>(notifyCode));
        return 0;
    }
    const char *windowClass;
    DWORD style;
    std::vector<int> notifications, commands;
    bool vetoSelection = false;
    UINT itemHeight = 10;
    int measured = 0;
};

// A test-only stand-in for a menu object: owns a real pop-up menu, greys
// its first item whenever Windows prepares the menu and keeps the item of
// the last selection.
struct MenuOwner : ZafWindowObject
{
    MenuOwner() : ZafWindowObject(0, 0, 1, 1), menu(CreatePopupMenu())
    {
        SetOwnWindow(false);
        AppendMenuA(menu, MF_STRING, 41, "&Open");
        AppendMenuA(menu, MF_STRING, 42, "&Close");
        RegisterMenu(menu, this);
    }
    ~MenuOwner() override { DestroyMenu(menu); }
    bool PaintedByParent() const override { return false; }
    ZafEventType HandleInitMenuPopup(const ZafEventRecord &event, HMENU popup, int, bool systemMenu) override
    {
        ++prepared;
        EnableMenuItem(popup, 41, MF_BYCOMMAND | MF_GRAYED);
        // Ends the menu loop as soon as it starts waiting for input.
        if (closeAtOnce)
            PostMessageA(event.osEvent.hwnd, WM_CANCELMODE, 0, 0);
        return systemMenu ? ZAF_UNKNOWN : 0;
    }
    ZafEventType HandleMenuSelect(const ZafEventRecord &, unsigned item, unsigned, HMENU) override
    {
        selectedItem = static_cast<int>(item);
        return 0;
    }
    HMENU menu;
    int prepared = 0;
    int selectedItem = -1;
    bool closeAtOnce = false;
};

// An owner-drawn menu item's object, found by its command id.
struct DrawnItem : ZafWindowObject
{
    explicit DrawnItem(ZafNumberID id) : ZafWindowObject(0, 0, 1, 1)
    {
        SetNumberID(id);
        SetOwnWindow(false);
    }
    bool IsMenuItem() const override { return true; }
    bool PaintedByParent() const override { return false; }
    ZafEventType HandleMeasureItem(const ZafEventRecord &, MEASUREITEMSTRUCT &item) override
    {
        measuredIDs.push_back(static_cast<int>(item.itemID));
        item.itemWidth = 80;
        item.itemHeight = 27;
        return TRUE;
    }
    std::vector<int> measuredIDs;
};

// A list box that wants its keys, whose object answers them as told.
struct KeyList : Control
{
    KeyList() : Control("LISTBOX", LBS_WANTKEYBOARDINPUT | LBS_HASSTRINGS | LBS_NOTIFY, Pixels(10, 10, 109, 109)) {}
    ZafEventType HandleListKey(const ZafEventRecord &event, unsigned key, int caret, bool character) override
    {
        return declineKeys ? Control::HandleListKey(event, key, caret, character) : keyAnswer;
    }
    ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc) override
    {
        return declineColors ? ZAF_UNKNOWN : Control::HandleControlColor(event, dc);
    }
    bool declineKeys = true, declineColors = false;
    ZafEventType keyAnswer = -1;
};

class ZafPaintNotifyTest : public zaftest::OnScreen
{
protected:
    Frame *Show()
    {
        auto *frame = new Frame;
        zafWindowManager->AddObject(frame);
        Pump();
        return frame;
    }
    void Close(ZafWindow *frame)
    {
        zafWindowManager->CloseWindow(frame);
        EXPECT_EQ(ThreadWindowCount(), before);
    }
};

// The place of a child window in its parent's client area.
Sides PlaceIn(HWND child, HWND parent)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

// --- Painting ---------------------------------------------------------------------

TEST_F(ZafPaintNotifyTest, TheWindowsPaintDrawsItsWindowlessObjectsEachClippedToWhatHoldsIt)
{
    Frame *frame = Show();
    AddTo(frame, new Patch(Pixels(10, 10, 49, 29), patchColor));
    Pane *pane = AddTo(frame, new Pane(Pixels(60, 10, 139, 69)));
    // Placed inside the pane and reaching past its right edge.
    AddTo(pane, new Patch(Pixels(20, 20, 119, 39), innerColor));
    Patch *hidden = AddTo(frame, new Patch(Pixels(10, 100, 49, 119), patchColor));
    hidden->SetVisible(false);

    zaftest::MemoryPage page(300, 200);
    ASSERT_TRUE(PrintWindow(frame->OSHandle(), page.dc, PW_CLIENTONLY));
    const struct
    {
        int x, y;
        COLORREF color;
    } samples[] = {
        {5, 5, frameColor},    {10, 10, patchColor}, {49, 29, patchColor},  {50, 29, frameColor},
        {65, 15, paneColor},   {139, 69, paneColor}, {80, 30, innerColor},  {139, 49, innerColor},
        {140, 40, frameColor}, {79, 30, paneColor},  {30, 110, frameColor}, {200, 150, frameColor},
    };
    for (const auto &s : samples)
        EXPECT_EQ(page.At(s.x, s.y), s.color) << s.x << "," << s.y;
    // Every drawing pass was closed again.
    ASSERT_NE(ZafScreenGdiDisplay(), nullptr);
    EXPECT_EQ(ZafScreenGdiDisplay()->OpenLoans(), 0);
    EXPECT_EQ(ZafScreenGdiDisplay()->CurrentDC(), nullptr);
    Close(frame);
}

TEST_F(ZafPaintNotifyTest, AWindowlessWindowsChildrenGetWindowsInTheWindowAboveItAndLoseThemWithIt)
{
    Frame *frame = Show();
    Pane *pane = AddTo(frame, new Pane(Pixels(30, 20, 129, 99)));
    Control *early = AddTo(pane, new Control("STATIC", 0, Pixels(5, 6, 24, 15)));
    ASSERT_NE(early->OSHandle(), nullptr);
    EXPECT_EQ(GetParent(early->OSHandle()), frame->OSHandle());
    EXPECT_EQ(PlaceIn(early->OSHandle(), frame->OSHandle()), (Sides{35, 26, 55, 36}));
    // A pane filled before it goes on screen makes its children's windows
    // when it does, at any depth.
    Pane *outer = new Pane(Pixels(150, 10, 249, 109));
    Pane *inner = AddTo(outer, new Pane(Pixels(10, 20, 59, 69)));
    Control *deep = AddTo(inner, new Control("STATIC", 0, Pixels(1, 2, 10, 11)));
    EXPECT_EQ(deep->OSHandle(), nullptr);
    frame->AddObject(outer);
    ASSERT_NE(deep->OSHandle(), nullptr);
    EXPECT_EQ(PlaceIn(deep->OSHandle(), frame->OSHandle()), (Sides{161, 32, 171, 42}));
    // Taking the pane out takes its children's windows away.
    HWND deepWindow = deep->OSHandle();
    frame->SubtractObject(outer);
    EXPECT_FALSE(IsWindow(deepWindow));
    EXPECT_EQ(deep->OSHandle(), nullptr);
    delete outer;
    Close(frame);
}

// --- Notifications ----------------------------------------------------------------

TEST_F(ZafPaintNotifyTest, ACommonControlsNotifyReachesItsOwnObjectWhoseAnswerTheControlTakes)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    Frame *frame = Show();
    // Both with number id 0: the notification names its control by window.
    Control *tabs = AddTo(frame, new Control(WC_TABCONTROLA, 0, Pixels(10, 10, 209, 59)));
    Control *other = AddTo(frame, new Control(WC_TABCONTROLA, 0, Pixels(10, 70, 209, 119)));
    HWND window = tabs->OSHandle();
    ASSERT_NE(window, nullptr);
    char first[] = "First", second[] = "Second";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = first;
    SendMessageA(window, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = second;
    SendMessageA(window, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    RECT tab;
    ASSERT_TRUE(SendMessageA(window, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab)));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);

    tabs->vetoSelection = true;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 0);
    tabs->vetoSelection = false;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 1);
    const std::vector<int> &seen = tabs->notifications;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<int>(TCN_SELCHANGING)), 2);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<int>(TCN_SELCHANGE)), 1);
    EXPECT_TRUE(other->notifications.empty());
    Close(frame);
}

TEST_F(ZafPaintNotifyTest, AMeasureRequestReachesItsOwnListBesideAnotherControlOfTheSameNumberID)
{
    Frame *frame = Show();
    const DWORD style = LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY;
    Control *first = AddTo(frame, new Control("LISTBOX", style, Pixels(10, 10, 109, 109)));
    Control *second = AddTo(frame, new Control("LISTBOX", style, Pixels(120, 10, 219, 109)));
    first->itemHeight = 21;
    second->itemHeight = 34;
    ASSERT_NE(second->OSHandle(), nullptr);
    // Neither keeps the id 0 that both objects have.
    const int firstID = GetDlgCtrlID(first->OSHandle()), secondID = GetDlgCtrlID(second->OSHandle());
    EXPECT_NE(firstID, 0);
    EXPECT_NE(secondID, 0);
    EXPECT_NE(firstID, secondID);

    SendMessageA(second->OSHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
    EXPECT_EQ(second->measured, 1);
    EXPECT_EQ(first->measured, 0);
    EXPECT_EQ(SendMessageA(second->OSHandle(), LB_GETITEMHEIGHT, 0, 0), 34);
    SendMessageA(first->OSHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
    EXPECT_EQ(SendMessageA(first->OSHandle(), LB_GETITEMHEIGHT, 0, 0), 21);
    EXPECT_EQ(second->measured, 1);

    // The list's selection notification comes back to it with no handle.
    SendMessageA(first->OSHandle(), LB_SETCURSEL, 0, 0);
    SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(firstID, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(first->OSHandle()));
    EXPECT_EQ(first->commands, (std::vector<int>{LBN_SELCHANGE}));
    EXPECT_TRUE(second->commands.empty());
    Close(frame);
}

TEST_F(ZafPaintNotifyTest, ChildWindowsKeepAFreeNumberIDAsControlIDAndGetAnotherWhenItIsTaken)
{
    Frame *frame = Show();
    auto make = [frame](ZafNumberID id) {
        Control *control = AddTo(frame, new Control("STATIC", 0, Pixels(1, 1, 5, 5)));
        // The number id of a control made later; this one goes again.
        frame->SubtractObject(control);
        control->SetNumberID(id);
        frame->AddObject(control);
        return GetDlgCtrlID(control->OSHandle());
    };
    EXPECT_EQ(make(7), 7);
    const int again = make(7);
    EXPECT_NE(again, 7);
    EXPECT_GT(again, 0xFFFF);
    EXPECT_EQ(make(8), 8);
    Close(frame);
}

TEST_F(ZafPaintNotifyTest, MenuUpkeepReachesTheObjectThatOwnsTheMenu)
{
    Frame *frame = Show();
    MenuOwner *owner = AddTo(frame, new MenuOwner);
    DrawnItem *drawn = AddTo(frame, new DrawnItem(43));
    AppendMenuA(owner->menu, MF_OWNERDRAW, 43, nullptr);
    HWND window = frame->OSHandle();
    // Windows prepares the pop-up; the owner greys its first item, which
    // TrackPopupMenu then shows. The owner ends the menu at once.
    owner->closeAtOnce = true;
    TrackPopupMenu(owner->menu, TPM_RETURNCMD, 0, 0, 0, window, nullptr);
    Pump();
    EXPECT_EQ(owner->prepared, 1);
    EXPECT_TRUE(GetMenuState(owner->menu, 41, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(owner->menu, 42, MF_BYCOMMAND) & MF_GRAYED);
    // The owner-drawn item was measured by its own object.
    ASSERT_FALSE(drawn->measuredIDs.empty());
    EXPECT_EQ(drawn->measuredIDs.front(), 43);

    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(42, MF_STRING), reinterpret_cast<LPARAM>(owner->menu));
    EXPECT_EQ(owner->selectedItem, 42);
    // A closing menu names none; a menu nobody owns is left to Windows.
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(owner->selectedItem, 42);
    HMENU stranger = CreatePopupMenu();
    AppendMenuA(stranger, MF_STRING, 41, "&Open");
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(stranger), 0);
    EXPECT_FALSE(GetMenuState(stranger, 41, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(owner->prepared, 1);
    // A deleted owner's menu has no owner any more.
    HMENU menu = owner->menu;
    owner->menu = stranger;
    delete owner;
    EXPECT_EQ(ZafWindowObject::MenuOwner(menu), nullptr);
    DestroyMenu(menu);
    Close(frame);
}

TEST_F(ZafPaintNotifyTest, WhatAControlDeclinesGetsItsParentsAnswerAndAListKeyAnswerReachesTheList)
{
    Frame *frame = Show();
    KeyList *list = AddTo(frame, new KeyList);
    HWND box = list->OSHandle();
    ASSERT_NE(box, nullptr);
    for (const char *row : {"a", "b", "c", "d"})
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    // Declined (-1, the default): the list moves on by itself; -2: the key
    // is handled and nothing moves; an index: the list acts on that row.
    const struct
    {
        bool decline;
        ZafEventType answer;
        int caret;
    } cases[] = {{true, 0, 2}, {false, -2, 1}, {false, 3, 3}, {false, -1, 2}};
    for (const auto &c : cases) {
        SendMessageA(box, LB_SETCURSEL, 1, 0);
        list->declineKeys = c.decline;
        list->keyAnswer = c.answer;
        SendMessageA(box, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(SendMessageA(box, LB_GETCARETINDEX, 0, 0), c.caret) << c.decline << " " << c.answer;
    }
    // Colours the list declines are the frame's.
    list->declineColors = true;
    HDC dc = GetDC(box);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(frame->OSHandle(), WM_CTLCOLORLISTBOX,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    ReleaseDC(box, dc);
    LOGBRUSH info;
    ASSERT_EQ(GetObjectA(brush, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.lbColor, frameColor);
    Close(frame);
}
