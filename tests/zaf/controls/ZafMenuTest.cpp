// Menu bars, their drop-down menus and context menus, driven as a user
// drives them (menu commands as Windows sends them, keys in Windows' own
// menu loop) and checked through what Windows reports about its menus.
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/core/ZafMDIWindow.h"

#include <memory>
#include <string>

using controltest::Calls;
using controltest::ControlTest;
using controltest::Record;
using controltest::ThreadWindowCount;

namespace {

std::string MenuText(HMENU menu, int position)
{
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool HasState(HMENU menu, int position, UINT flag)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & flag) != 0;
}

ZafPopUpItem *Item(const char *text, ZafNumberID id, const char *name = nullptr, int kind = ZafPopUpItem::kindOrdinary)
{
    auto *item = new ZafPopUpItem(text, kind);
    item->SetNumberID(id);
    item->SetStringID(name);
    return item;
}

// A bar: File (Open, a separator, Exit) and Edit, a plain command.
struct MenuBar
{
    MenuBar()
    {
        file->SetStringID("FILE");
        file->SetNumberID(100);
        file->SetHotKey('F', 0);
        open->SetHotKey('O', 0);
        file->AddSubItem(open);
        file->AddSubItem(separator);
        file->AddSubItem(exit);
        edit->SetNumberID(110);
        bar->AddObject(file);
        bar->AddObject(edit);
    }
    ZafPullDownMenu *bar = new ZafPullDownMenu();
    ZafPullDownItem *file = new ZafPullDownItem("File");
    ZafPopUpItem *open = Item("Open & close", 101, "OPEN");
    ZafPopUpItem *separator = Item(nullptr, 102, nullptr, ZafPopUpItem::kindSeparator);
    ZafPopUpItem *exit = Item("Leave", 103, "EXIT", ZafPopUpItem::kindExit);
    ZafPullDownItem *edit = new ZafPullDownItem("Edit");
};

// Ends a menu loop that the keys meant for it never reached, so that the
// test fails instead of waiting for ever.
struct MenuLoopGuard
{
    explicit MenuLoopGuard(HWND window) : window(window) { SetTimer(window, id, 5000, EndLoop); }
    ~MenuLoopGuard() { KillTimer(window, id); }
    static void CALLBACK EndLoop(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
    static constexpr UINT_PTR id = 99;
    HWND window;
};

void CALLBACK TypeX(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    PostMessageA(window, WM_CHAR, 'x', 1);
}

class MenuTest : public ControlTest
{
protected:
    MenuTest() { ZafPullDownMenu::RegisterPersistence(); }

    // Shows the window with the bar; the frame's menu.
    HMENU ShowWithBar(MenuBar &menus, bool shown = false)
    {
        Window(shown)->AddObject(menus.bar);
        Show();
        return GetMenu(Window()->OSHandle());
    }
    void Command(ZafNumberID id) { SendMessageA(Window()->OSHandle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The types of the events the library's queue held (their texts freed).
    static std::vector<ZafEventType> QueuedTypes()
    {
        std::vector<ZafEventType> types;
        for (ZafEventRecord &event : Queued()) {
            types.push_back(event.type);
            ZafButton::ReleaseSentEvent(event);
        }
        return types;
    }
};

TEST_F(MenuTest, TheBarShowsItsEntriesAndTheirDropDowns)
{
    MenuBar menus;
    HMENU bar = ShowWithBar(menus);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, menus.bar->MenuHandle());
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    HMENU drop = GetSubMenu(bar, 0);
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(GetMenuItemCount(drop), 3);
    // An '&' of the text is doubled, the hot key marked with one.
    EXPECT_EQ(MenuText(drop, 0), "&Open && close");
    EXPECT_TRUE(HasState(drop, 1, MF_SEPARATOR));
    EXPECT_TRUE(menus.separator->Disabled() && menus.separator->NoFocus());
    // The exit kind brings its own text and hot key.
    EXPECT_EQ(MenuText(drop, 2), "E&xit");
    // An entry with an empty sub-menu is a plain command of its number id.
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
    EXPECT_EQ(GetMenuItemID(bar, 1), 110u);
}

TEST_F(MenuTest, CommandsReachTheEntriesBoundByName)
{
    MenuBar menus;
    ShowWithBar(menus);
    // The program binds entries at any depth by their names.
    ZafWindowObject *open = Window()->FindObjectByStringID("OPEN");
    ASSERT_EQ(open, menus.open);
    open->SetUserFunction(Record);
    menus.edit->SetUserFunction(Record);
    Command(101);
    Command(110);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].object, menus.open);
    EXPECT_EQ(Calls()[0].code, ZAF_SELECT);
    EXPECT_EQ(Calls()[1].object, menus.edit);
    // The exit item queues the program's exit; a separator's id picks nothing.
    Command(103);
    Command(102);
    EXPECT_EQ(QueuedTypes(), std::vector<ZafEventType>{ZAF_EXIT});
    EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(MenuTest, GreyCheckAndTextReachTheEntriesAndADropDownSurvivesANewText)
{
    MenuBar menus;
    HMENU bar = ShowWithBar(menus);
    HMENU drop = GetSubMenu(bar, 0);
    menus.open->SetDisabled(true);
    menus.open->SetSelected(true);
    EXPECT_TRUE(HasState(drop, 0, MF_GRAYED));
    EXPECT_TRUE(HasState(drop, 0, MF_CHECKED));
    menus.open->SetSelected(false);
    menus.open->SetDisabled(false);
    EXPECT_FALSE(HasState(drop, 0, MF_GRAYED | MF_CHECKED));
    menus.file->SetDisabled(true);
    EXPECT_TRUE(HasState(bar, 0, MF_GRAYED));

    // New texts: the drop-down stays, with its items, and the entry its grey.
    // (Wine keeps the sub-menu even through ModifyMenu without MF_POPUP;
    // Windows destroys it, which is why the entry is made again instead.)
    menus.file->SetText("Files");
    EXPECT_EQ(MenuText(bar, 0), "&Files");
    EXPECT_EQ(GetSubMenu(bar, 0), drop);
    EXPECT_EQ(GetMenuItemCount(drop), 3);
    EXPECT_TRUE(HasState(bar, 0, MF_GRAYED));
    menus.open->SetSelected(true);
    menus.open->SetText("Reopen");
    EXPECT_EQ(MenuText(drop, 0), "&Reopen");
    EXPECT_EQ(GetMenuItemID(drop, 0), 101u);
    EXPECT_TRUE(HasState(drop, 0, MF_CHECKED));
    menus.separator->SetText("-");
    EXPECT_TRUE(HasState(drop, 1, MF_SEPARATOR));
}

TEST_F(MenuTest, EntriesOfTheSameIdAreRemovedWhereTheyStand)
{
    MenuBar menus;
    // Separators and items that all have the number id 0.
    auto *second = Item("Second", 0);
    auto *third = Item("Third", 0);
    menus.file->AddSubItem(Item("First", 0), menus.open);
    menus.file->AddSubItem(second);
    menus.file->AddSubItem(Item(nullptr, 0, nullptr, ZafPopUpItem::kindSeparator));
    menus.file->AddSubItem(third);
    HMENU drop = GetSubMenu(ShowWithBar(menus), 0);
    ASSERT_EQ(GetMenuItemCount(drop), 7);
    delete menus.file->SubtractSubItem(third);
    delete menus.file->SubtractSubItem(second);
    ASSERT_EQ(GetMenuItemCount(drop), 5);
    EXPECT_EQ(MenuText(drop, 0), "First");
    EXPECT_EQ(MenuText(drop, 1), "&Open && close");
    EXPECT_TRUE(HasState(drop, 2, MF_SEPARATOR));
    EXPECT_EQ(MenuText(drop, 3), "E&xit");
    EXPECT_TRUE(HasState(drop, 4, MF_SEPARATOR));
    // An item added before another takes its place in Windows' menu too.
    menus.file->AddSubItem(Item("Before exit", 0), menus.exit);
    EXPECT_EQ(MenuText(drop, 3), "Before exit");
}

TEST_F(MenuTest, AnEntryGainsAndLosesItsDropDown)
{
    MenuBar menus;
    HMENU bar = ShowWithBar(menus);
    ZafPopUpItem *cut = Item(nullptr, 120, nullptr, ZafPopUpItem::kindCut);
    menus.edit->AddSubItem(cut);
    HMENU drop = GetSubMenu(bar, 1);
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(menus.edit->EntryID(), reinterpret_cast<UINT_PTR>(drop));
    EXPECT_EQ(MenuText(drop, 0), "Cut");
    EXPECT_EQ(MenuText(bar, 1), "Edit");
    menus.edit->SubtractSubItem(cut);
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
    EXPECT_EQ(GetMenuItemID(bar, 1), 110u);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    delete cut;
}

TEST_F(MenuTest, TheHighlightedEntryBecomesCurrent)
{
    MenuBar menus;
    HMENU bar = ShowWithBar(menus);
    HWND frame = Window()->OSHandle();
    // Windows names a drop-down entry by its position, a command by its id.
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(menus.bar->CurrentChild(), menus.file);
    EXPECT_TRUE(menus.bar->Focus() && menus.file->Focus());
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(103, MF_HILITE), reinterpret_cast<LPARAM>(GetSubMenu(bar, 0)));
    EXPECT_EQ(menus.file->SubMenu().CurrentChild(), menus.exit);
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(110, MF_HILITE), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(menus.bar->CurrentChild(), menus.edit);
    EXPECT_FALSE(menus.file->Focus());
    // A command id that happens to equal the low word of a drop-down's
    // handle names the command, not the drop-down.
    const auto dropDownWord = LOWORD(reinterpret_cast<UINT_PTR>(GetSubMenu(bar, 0)));
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(dropDownWord, MF_HILITE), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(menus.bar->CurrentChild(), menus.edit);
}

TEST_F(MenuTest, AMaximizedDocumentMovesTheBarsEntriesOnePlace)
{
    MenuBar menus;
    menus.bar->AddObject(new ZafPullDownItem("Window"));
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    frame->SetVisible(false);
    frame->AddObject(menus.bar);
    zafWindowManager->AddObject(frame);
    auto *document = new ZafMDIWindow(1, 1, 20, 6);
    document->SetMaximized(true);
    frame->AddObject(document);
    Pump();
    HMENU bar = GetMenu(frame->OSHandle(2));
    ASSERT_EQ(menus.bar->PositionOffset(), 1);
    // Windows put the document's system menu first: "Window" stands fourth.
    auto *window = static_cast<ZafPullDownItem *>(menus.bar->Last());
    window->SetDisabled(true);
    EXPECT_TRUE(HasState(bar, 3, MF_GRAYED));
    EXPECT_FALSE(HasState(bar, 2, MF_GRAYED));
    window->SetText("Windows");
    EXPECT_EQ(MenuText(bar, 3), "Windows");
    zafWindowManager->CloseWindow(frame);
    Pump();
}

TEST_F(MenuTest, AHotKeyInWindowsMenuLoopChoosesTheEntry)
{
    MenuBar menus;
    HWND frame = nullptr;
    ShowWithBar(menus, true);
    frame = Window()->OSHandle();
    SetForegroundWindow(frame);
    // Alt+F opens File; X, typed once the menu loop runs (its timer
    // message is dispatched inside the loop), picks Exit.
    SetTimer(frame, 1, 10, TypeX);
    MenuLoopGuard guard(frame);
    SendMessageA(frame, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    EXPECT_EQ(QueuedTypes(), std::vector<ZafEventType>{ZAF_EXIT});
}

TEST_F(MenuTest, AContextMenuPickRunsTheItemAndTheMenuCloses)
{
    Window(true);
    Show();
    HWND frame = Window()->OSHandle();
    SetForegroundWindow(frame);
    MenuLoopGuard guard(frame);
    auto menu = std::make_unique<ZafPopUpMenu>(60, 60);
    menu->SetCoordinateType(ZAF_PIXEL);
    ZafPopUpItem *first = Item("First", 201);
    first->SetUserFunction(Record);
    menu->AddObject(first);
    menu->AddObject(Item(nullptr, 202, nullptr, ZafPopUpItem::kindCopy));

    // Down to the second entry and Enter, read by TrackPopupMenu's loop.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageA(frame, WM_KEYDOWN, key, 1);
    zafWindowManager->AddObject(menu.get());
    EXPECT_EQ(QueuedTypes(), (std::vector<ZafEventType>{ZAF_COPY, ZAF_CLOSE_TEMPORARY}));
    zafWindowManager->Event(ZafEventRecord(ZAF_CLOSE_TEMPORARY));
    EXPECT_FALSE(zafWindowManager->Contains(menu.get()));

    // The program keeps the menu and shows it again; the first entry now.
    for (WPARAM key : {VK_DOWN, VK_RETURN})
        PostMessageA(frame, WM_KEYDOWN, key, 1);
    zafWindowManager->AddObject(menu.get());
    EXPECT_EQ(QueuedTypes(), std::vector<ZafEventType>{ZAF_CLOSE_TEMPORARY});
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].object, first);
    zafWindowManager->Event(ZafEventRecord(ZAF_CLOSE_TEMPORARY));

    // A menu without items makes no Windows menu and only asks to close.
    ZafPopUpMenu empty(10, 10);
    zafWindowManager->AddObject(&empty);
    EXPECT_EQ(empty.MenuHandle(), nullptr);
    EXPECT_EQ(QueuedTypes(), std::vector<ZafEventType>{ZAF_CLOSE_TEMPORARY});
    zafWindowManager->Event(ZafEventRecord(ZAF_CLOSE_TEMPORARY));
    EXPECT_FALSE(zafWindowManager->Contains(&empty));
}

TEST_F(MenuTest, MenusComeBackFromAUiDataFileAndLeaveNoWindowBehind)
{
    std::unique_ptr<ZafWindow> read;
    {
        ZafWindow frame(0, 0, 40, 10);
        MenuBar menus;
        auto *recent = Item("Recent", 104, "RECENT");
        recent->AddSubItem(Item("One", 105, "ONE"));
        recent->AddSubItem(Item("Two", 106, "TWO"));
        menus.file->AddSubItem(recent, menus.separator);
        frame.AddObject(menus.bar);
        read = fieldtest::RoundTrip(frame, "MENUS");
    }
    const int before = ThreadWindowCount();
    {
        ZafWindow *frame = read.release();
        auto *two = dynamic_cast<ZafPopUpItem *>(frame->FindObjectByStringID("TWO"));
        auto *exit = dynamic_cast<ZafPopUpItem *>(frame->FindObjectByStringID("EXIT"));
        ASSERT_TRUE(two && exit);
        EXPECT_EQ(exit->ItemKind(), ZafPopUpItem::kindExit);
        EXPECT_EQ(exit->UserCallback(), ZafButton::SendMessageCallback);
        EXPECT_EQ(frame->FindObjectByNumberID(106), two);
        frame->SetCoordinateType(ZAF_PIXEL);
        zafWindowManager->AddObject(frame);
        Pump();
        HMENU bar = GetMenu(frame->OSHandle());
        EXPECT_EQ(MenuText(bar, 0), "&File");
        HMENU recent = GetSubMenu(GetSubMenu(bar, 0), 1);
        ASSERT_NE(recent, nullptr);
        EXPECT_EQ(GetMenuItemCount(recent), 2);
        EXPECT_EQ(MenuText(recent, 1), "Two");
        EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 3), 103u);
        EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
        zafWindowManager->CloseWindow(frame);
        Pump();
    }
    EXPECT_EQ(ThreadWindowCount(), before);
}

} // namespace
