// The MDI frame on screen: its layout round docked bars, closing children
// from their title bars and by keys, the window menu, keyboard shortcuts
// through the loop, and the owners of a modal dialog's pop-ups.
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

int documentDeaths = 0;

// A document that answers the close query as told and counts the queries.
struct Document : ZafMDIWindow
{
    explicit Document(const char *title, ZafEventType answer = 0) : ZafMDIWindow(1, 1, 20, 6), answer(answer)
    {
        SetStringID(title);
    }
    ~Document() override { ++documentDeaths; }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_CLOSE_QUERY)
            return ZafMDIWindow::Event(event);
        ++queries;
        return answer;
    }
    ZafEventType answer;
    int queries = 0;
};

// Stands for a tool bar or status bar: a child window docked to an edge,
// as thick as its region.
struct Strip : ZafWindow
{
    Strip(ZafDockEdge edge, int thickness, bool support) : ZafWindow(0, 0, 1, 1), edge(edge)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(ZafRegionRect(0, 0, thickness - 1, thickness - 1, ZAF_PIXEL));
        SetSupportObject(support);
    }
    ZafDockEdge DockEdge() const override { return edge; }
    ZafDockEdge edge;
};

// Stands for a menu item: selected by the menu command of its number id.
struct CommandItem : ZafWindowObject
{
    explicit CommandItem(ZafNumberID id) : ZafWindowObject(0, 0, 1, 1)
    {
        SetNumberID(id);
        SetOwnWindow(false);
        SetSupportObject(true);
    }
    bool IsMenuItem() const override { return true; }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_SELECT)
            return ZafWindowObject::Event(event);
        ++selections;
        return ZAF_SELECT;
    }
    int selections = 0;
};

// A hidden frame shown through the window manager with its documents.
ZafMDIWindow *ShowFrame(std::vector<ZafWindowObject *> contents, HMENU windowMenu = nullptr)
{
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    frame->SetVisible(false);
    frame->SetWindowMenu(windowMenu);
    for (ZafWindowObject *object : contents)
        frame->AddObject(object);
    zafWindowManager->AddObject(frame);
    return frame;
}

// Holds Ctrl down in this thread's key state (TranslateMDISysAccel and
// TranslateAcceleratorA read GetKeyState; a posted key message leaves it as
// it is, and Xvfb gives hidden windows no real keyboard input).
struct CtrlHeld
{
    CtrlHeld()
    {
        GetKeyboardState(saved);
        BYTE held[256];
        std::memcpy(held, saved, sizeof(held));
        held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
        SetKeyboardState(held);
    }
    ~CtrlHeld() { SetKeyboardState(saved); }
    BYTE saved[256];
};

// Presses a key in a window through the loop.
void PressKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 1 | (3UL << 30));
    zaftest::RunLoop();
}

// A window's rectangle in client pixels of the frame.
RECT InFrame(HWND window, HWND frame)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

std::string Text(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

using ZafMDITest = zaftest::OnScreen;

} // namespace

TEST_F(ZafMDITest, TheClientGetsWhatTheDockedBarsLeaveAfterEveryResize)
{
    auto *top = new Strip(ZAF_DOCK_TOP, 24, true);
    auto *secondTop = new Strip(ZAF_DOCK_TOP, 10, false);
    auto *bottom = new Strip(ZAF_DOCK_BOTTOM, 18, false);
    auto *right = new Strip(ZAF_DOCK_RIGHT, 12, false);
    auto *document = new Document("Doc");
    ZafMDIWindow *frame = ShowFrame({top, secondTop, document, bottom, right});
    HWND frameWindow = frame->OSHandle(2);
    HWND client = frame->ClientWindow();
    ASSERT_NE(client, nullptr);
    // The bars are windows of the frame, not of the client.
    EXPECT_EQ(GetParent(bottom->OSHandle()), frameWindow);
    EXPECT_EQ(GetParent(top->OSHandle()), frameWindow);
    for (SIZE size : {SIZE{500, 400}, SIZE{320, 260}, SIZE{640, 480}}) {
        SetWindowPos(frameWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        RECT area;
        GetClientRect(frameWindow, &area);
        const LONG w = area.right, h = area.bottom;
        const std::string at = std::to_string(size.cx) + "x" + std::to_string(size.cy);
        EXPECT_EQ(Text(InFrame(top->OSHandle(), frameWindow)), Text({0, 0, w, 24})) << at;
        EXPECT_EQ(Text(InFrame(secondTop->OSHandle(), frameWindow)), Text({0, 24, w, 34})) << at;
        EXPECT_EQ(Text(InFrame(bottom->OSHandle(), frameWindow)), Text({0, h - 18, w, h})) << at;
        EXPECT_EQ(Text(InFrame(right->OSHandle(), frameWindow)), Text({w - 12, 34, w, h - 18})) << at;
        EXPECT_EQ(Text(InFrame(client, frameWindow)), Text({0, 34, w - 12, h - 18})) << at;
    }
    // A bar that grows asks the frame to lay it out again.
    secondTop->SetRegion(ZafRegionRect(0, 0, 9, 19, ZAF_PIXEL));
    frame->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    EXPECT_EQ(InFrame(client, frameWindow).top, 44);
    // A bar that leaves gives its strip back at once.
    delete frame->SubtractObject(right);
    RECT area;
    GetClientRect(frameWindow, &area);
    EXPECT_EQ(Text(InFrame(client, frameWindow)), Text({0, 44, area.right, area.bottom - 18}));
    EXPECT_EQ(zafWindowManager->CloseWindow(frame), ZAF_NO_WINDOWS);
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

namespace {

// How a child is closed the way Windows closes it.
enum class CloseBy { closeMessage, systemMenu, ctrlF4 };

void CloseFromTitleBar(CloseBy how, HWND child)
{
    switch (how) {
    case CloseBy::closeMessage:
        SendMessageA(child, WM_CLOSE, 0, 0);
        break;
    case CloseBy::systemMenu:
        SendMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CloseBy::ctrlF4: {
        CtrlHeld ctrl;
        PressKey(child, VK_F4);
        break;
    }
    }
}

} // namespace

TEST_F(ZafMDITest, AChildClosedFromItsTitleBarIsAskedFirstAndStaysWhenItRefuses)
{
    for (CloseBy how : {CloseBy::closeMessage, CloseBy::systemMenu, CloseBy::ctrlF4}) {
        for (ZafEventType answer : {ZAF_REFUSED, 0}) {
            const std::string at = std::to_string(static_cast<int>(how)) + "/" + std::to_string(answer);
            auto *other = new Document("Other");
            auto *closing = new Document("Closing", answer);
            ZafMDIWindow *frame = ShowFrame({other, closing});
            // The last child made is the active one, which Ctrl+F4 closes.
            ASSERT_EQ(frame->ActiveChild(), closing) << at;
            HWND window = closing->OSHandle();
            documentDeaths = 0;
            CloseFromTitleBar(how, window);
            if (answer == 0) {
                EXPECT_EQ(documentDeaths, 1) << at;
                EXPECT_FALSE(IsWindow(window)) << at;
                EXPECT_EQ(frame->Count(), 1) << at;
            } else {
                EXPECT_EQ(closing->queries, 1) << at;
                EXPECT_EQ(documentDeaths, 0) << at;
                EXPECT_TRUE(IsWindow(window)) << at;
                EXPECT_EQ(closing->Parent(), frame) << at;
            }
            EXPECT_EQ(other->queries, 0) << at;
            zafWindowManager->CloseWindow(frame);
        }
    }
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafMDITest, ClosingTheFrameAsksEveryChildAndOneRefusalKeepsIt)
{
    for (ZafEventType secondAnswer : {ZAF_REFUSED, 0}) {
        auto *first = new Document("First");
        auto *second = new Document("Second", secondAnswer);
        ZafMDIWindow *frame = ShowFrame({first, second});
        ZafEventType code = zafWindowManager->Event(ZafEventRecord(ZAF_CLOSE, frame));
        if (secondAnswer == 0) {
            EXPECT_EQ(code, ZAF_NO_WINDOWS);
            continue;
        }
        EXPECT_EQ(code, ZAF_CLOSE);
        EXPECT_EQ(first->queries, 1);
        EXPECT_EQ(second->queries, 1);
        EXPECT_EQ(zafWindowManager->FirstWindow(), frame);
        zafWindowManager->CloseWindow(frame);
    }
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafMDITest, CtrlF6ThroughTheLoopMovesThroughEveryChildAndBack)
{
    auto *a = new Document("A");
    auto *b = new Document("B");
    auto *c = new Document("C");
    ZafMDIWindow *frame = ShowFrame({a, b, c});
    HWND client = frame->ClientWindow();
    auto active = [client] { return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)); };
    const HWND start = active();
    std::set<HWND> seen = {start};
    {
        CtrlHeld ctrl;
        for (int press = 1; press <= 3; ++press) {
            HWND previous = active();
            PressKey(previous, VK_F6);
            EXPECT_NE(active(), previous) << press;
            seen.insert(active());
        }
    }
    // Wine sends the previous child where Windows sends the next one; either
    // way three presses visit all three and come back.
    EXPECT_EQ(seen, (std::set<HWND>{a->OSHandle(), b->OSHandle(), c->OSHandle()}));
    EXPECT_EQ(active(), start);
    // Without Ctrl, F6 is an ordinary key.
    PressKey(start, VK_F6);
    EXPECT_EQ(active(), start);
    zafWindowManager->CloseWindow(frame);
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafMDITest, WindowsListsTheChildrenInTheWindowMenuAndItsEntriesActivateThem)
{
    for (bool givenBeforeCreation : {true, false}) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "&Tile");
        auto *alpha = new Document("Alpha");
        auto *beta = new Document("Beta");
        ZafMDIWindow *frame = ShowFrame({alpha, beta}, givenBeforeCreation ? menu : nullptr);
        // Given after creation, Wine lists the children only once asked to
        // refresh the menu, Windows at once; the frame asks for it.
        if (!givenBeforeCreation)
            frame->SetWindowMenu(menu);
        // Each child's entry names it; the entry of the one behind brings it
        // to the front.
        UINT behindCommand = 0;
        std::set<std::string> titles;
        for (UINT command = ZafMDIWindow::firstChildCommand; command < ZafMDIWindow::firstChildCommand + 2; ++command) {
            char text[64] = "";
            GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
            std::string title = std::strstr(text, "Alpha") ? "Alpha" : std::strstr(text, "Beta") ? "Beta" : text;
            titles.insert(title);
            if (title == "Alpha")
                behindCommand = command;
        }
        EXPECT_EQ(titles, (std::set<std::string>{"Alpha", "Beta"})) << givenBeforeCreation;
        ASSERT_EQ(frame->ActiveChild(), beta);
        SendMessageA(frame->OSHandle(2), WM_COMMAND, behindCommand, 0);
        EXPECT_EQ(frame->ActiveChild(), alpha) << givenBeforeCreation;
        zafWindowManager->CloseWindow(frame);
        DestroyMenu(menu);
    }
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafMDITest, AnAcceleratorOfTheFrameFiresItsCommandForKeysInAChild)
{
    constexpr ZafNumberID command = 0x123;
    auto *item = new CommandItem(command);
    auto *document = new Document("Doc");
    ZafMDIWindow *frame = ShowFrame({item, document});
    ACCEL shortcut = {FVIRTKEY | FCONTROL, 'K', command};
    frame->SetAccelerators(CreateAcceleratorTableA(&shortcut, 1));
    PressKey(document->OSHandle(), 'K');
    EXPECT_EQ(item->selections, 0);
    {
        CtrlHeld ctrl;
        PressKey(document->OSHandle(), 'K');
        PressKey(document->OSHandle(), 'J');
    }
    EXPECT_EQ(item->selections, 1);
    zafWindowManager->CloseWindow(frame);
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

namespace {

HWND boxOwner = nullptr;

// Notes the owner of the message box as it is made and refuses it, so that
// the box answers at once without showing.
LRESULT CALLBACK NoteBoxOwner(int code, WPARAM wParam, LPARAM)
{
    if (code != HCBT_CREATEWND)
        return 0;
    boxOwner = GetWindow(reinterpret_cast<HWND>(wParam), GW_OWNER);
    return 1;
}

// A dialog that, when applied, notes its owner, then runs the inner dialog
// (when it has one) or reports an error about each of the objects.
struct OwnerProbe : ZafDialogWindow
{
    OwnerProbe(OwnerProbe *inner, std::vector<ZafWindowObject *> reported)
        : ZafDialogWindow(5, 3, 30, 8), inner(inner), reported(std::move(reported))
    {
        SetVisible(false);
    }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_DIALOG_APPLY)
            return ZafDialogWindow::Event(event);
        self = OSHandle();
        ownerWindow = GetWindow(self, GW_OWNER);
        if (inner) {
            zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK));
            zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY));
            inner->Control();
        }
        for (ZafWindowObject *object : reported) {
            boxOwner = nullptr;
            HHOOK hook = SetWindowsHookExA(WH_CBT, NoteBoxOwner, nullptr, GetCurrentThreadId());
            ZafErrorSystem().ReportError(object, "Title", MB_OK, "message");
            UnhookWindowsHookEx(hook);
            boxOwners.push_back(boxOwner);
        }
        return ZAF_DIALOG_APPLY;
    }
    OwnerProbe *inner;
    std::vector<ZafWindowObject *> reported;
    HWND self = nullptr;
    HWND ownerWindow = nullptr;
    std::vector<HWND> boxOwners;
};

} // namespace

TEST_F(ZafMDITest, AModalDialogOwnsTheDialogsAndMessageBoxesItOpens)
{
    ASSERT_EQ(ZafErrorStub::SetAnswerHook(nullptr), nullptr);
    auto *main = new ZafWindow(0, 0, 20, 5);
    main->SetVisible(false);
    auto *field = zaftest::AddTo(main, new ZafWindowObject(1, 1, 5, 1));
    zafWindowManager->AddObject(main);
    OwnerProbe inner(nullptr, {field, nullptr});
    OwnerProbe outer(&inner, {});
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY), ZAF_QUEUE_TAIL);
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    EXPECT_EQ(outer.Control(), ZAF_DIALOG_OK);
    EXPECT_EQ(outer.ownerWindow, main->OSHandle());
    ASSERT_NE(outer.self, nullptr);
    EXPECT_EQ(inner.ownerWindow, outer.self);
    // The boxes the inner dialog shows, about an object of the disabled main
    // window and about none, belong to the dialog above them.
    EXPECT_EQ(inner.boxOwners, (std::vector<HWND>{inner.self, inner.self}));
    EXPECT_EQ(ZafDialogWindow::ModalWindow(), nullptr);
    EXPECT_EQ(inner.Owner(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main->OSHandle()));
    zafWindowManager->CloseWindow(main);
}
