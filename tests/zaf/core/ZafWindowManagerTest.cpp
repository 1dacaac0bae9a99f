// Windows windows of window objects, the window manager and the event loop,
// under a real application (screen display, event and window manager).
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using zaftest::AddTo;
using zaftest::Pump;
using zaftest::ThreadWindowCount;
using Events = std::vector<ZafEventType>;
using Sides = std::vector<int>;

namespace {

// A window object with its own window that records what reaches it.
struct Probe : ZafWindowObject
{
    explicit Probe(ZafNumberID id = 0, const char *text = nullptr) : ZafWindowObject(1, 1, 10, 1), label(text)
    {
        SetNumberID(id);
    }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        types.push_back(event.type);
        if (event.type == ZAF_MOUSE_EVENT) {
            mouse.push_back(MapEvent(event));
            mouseAt.push_back({event.position.x, event.position.y});
        }
        if (event.type == ZAF_SELECT || event.type == ZAF_HOT_KEY)
            return event.type;
        if (event.type == ZAF_OS_EVENT && event.osEvent.message == WM_COMMAND && event.osEvent.lParam == 0)
            reflectedCommands++;
        return ZafWindowObject::Event(event);
    }
    const char *Text() override { return label; }
    COLORREF BackgroundColor() const override { return RGB(200, 10, 20); }
    bool Saw(ZafEventType type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
    const char *label;
    Events types, mouse;
    std::vector<Sides> mouseAt;
    int reflectedCommands = 0;
};

// A control on a system window class.
struct SystemControl : Probe
{
    SystemControl(const char *windowClass, DWORD style, ZafNumberID id)
        : Probe(id), windowClass(windowClass), style(style)
    {}
    HWND CreateOSWindow() override
    {
        return ZafCreateOSWindow(this, windowClass, WS_CHILD | WS_VISIBLE | style, "", Parent()->OSHandle(), 0,
                                 nullptr);
    }
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override
    {
        if (event.osEvent.message != WM_MEASUREITEM)
            return Probe::HandleOSMessage(event);
        boundAtMeasure = OSHandle() != nullptr;
        reinterpret_cast<MEASUREITEMSTRUCT *>(event.osEvent.lParam)->itemHeight = 33;
        return TRUE;
    }
    const char *windowClass;
    DWORD style;
    bool boundAtMeasure = false;
};

struct MenuItem : Probe
{
    using Probe::Probe;
    bool IsMenuItem() const override { return true; }
    HWND CreateOSWindow() override { return nullptr; }
};

struct Frame : ZafWindow
{
    Frame() : ZafWindow(2, 2, 40, 12)
    {
        SetStringID("FRAME");
        SetVisible(false);
    }
    ~Frame() override { ++deaths; }
    static int deaths;
};
int Frame::deaths = 0;

// A window inside a frame that records what reaches it.
struct Pane : ZafWindow
{
    explicit Pane(bool own) : ZafWindow(1, 1, 20, 5) { SetOwnWindow(own); }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        types.push_back(event.type);
        return ZafWindow::Event(event);
    }
    Events types;
};

// Each test shows frames through the window manager and closes them; none
// may leave a Windows window behind.
class ZafWindowManagerTest : public zaftest::OnScreen
{
protected:
    template <class T = Frame> T *Show(T *frame = new T)
    {
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

} // namespace

TEST_F(ZafWindowManagerTest, WindowsComeAndGoWithTheirObjects)
{
    Frame *frame = new Frame;
    Probe *a = AddTo(frame, new Probe(1)), *b = AddTo(frame, new Probe(2));
    Show(frame);
    ASSERT_NE(a->OSHandle(), nullptr);
    EXPECT_EQ(GetParent(a->OSHandle()), frame->OSHandle());
    EXPECT_EQ(ZafObjectFromHandle(b->OSHandle()), b);
    EXPECT_EQ(ThreadWindowCount(), before + 3);
    // Deleting a child takes its window with it; the frame's stays.
    HWND childWindow = a->OSHandle();
    delete a;
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_EQ(ThreadWindowCount(), before + 2);
    // A child added to a window on screen gets its window at once.
    EXPECT_NE(AddTo(frame, new Probe(3))->OSHandle(), nullptr);
    Frame::deaths = 0;
    EXPECT_EQ(zafWindowManager->CloseWindow(frame), ZAF_NO_WINDOWS);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_EQ(ThreadWindowCount(), before);
    // Subtracting hands a window back, undeleted, without its windows.
    frame = Show();
    HWND window = frame->OSHandle();
    EXPECT_EQ(zafWindowManager->SubtractObject(frame), frame);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(frame->OSHandle(), nullptr);
    delete frame;
    EXPECT_EQ(ThreadWindowCount(), before);
}

TEST_F(ZafWindowManagerTest, AnObjectIsBoundBeforeItsWindowFinishesBeingMade)
{
    Frame *frame = Show();
    auto *list = AddTo(frame, new SystemControl("LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 7));
    ASSERT_NE(list->OSHandle(), nullptr);
    // The list box measures its items while it is being created; the
    // measurement reached the list's own object through its parent.
    EXPECT_TRUE(list->boundAtMeasure);
    EXPECT_EQ(SendMessageA(list->OSHandle(), LB_GETITEMHEIGHT, 0, 0), 33);
    Close(frame);
}

TEST_F(ZafWindowManagerTest, NotificationsReachTheControlsOwnObjectAndMenuCommandsMenuItemsOnly)
{
    Frame *frame = Show();
    auto *button = AddTo(frame, new SystemControl("BUTTON", BS_PUSHBUTTON, 11));
    auto *other = AddTo(frame, new SystemControl("BUTTON", BS_PUSHBUTTON, 12));
    SendMessageA(button->OSHandle(), BM_CLICK, 0, 0);
    // The parent sent the notification back to the button's window with no
    // control handle.
    EXPECT_EQ(button->reflectedCommands, 1);
    EXPECT_EQ(other->reflectedCommands, 0);
    HDC dc = GetDC(button->OSHandle());
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(frame->OSHandle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(button->OSHandle())));
    LOGBRUSH info;
    ASSERT_EQ(GetObjectA(brush, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.lbColor, RGB(200, 10, 20));
    ReleaseDC(button->OSHandle(), dc);
    // A menu command numbered like a control reaches only the menu item.
    Probe *control = AddTo(frame, new Probe(100));
    MenuItem *item = AddTo(frame, new MenuItem(101));
    SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(100, 0), 0);
    SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_FALSE(control->Saw(ZAF_SELECT));
    EXPECT_TRUE(item->Saw(ZAF_SELECT));
    Close(frame);
}

TEST_F(ZafWindowManagerTest, MouseMessagesBecomeMouseEventsInClientPixels)
{
    Frame *frame = Show();
    Probe *probe = AddTo(frame, new Probe(1));
    HWND w = probe->OSHandle();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 8));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    SendMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_EQ(probe->mouse, (Events{ZAF_BEGIN_SELECT, ZAF_CONTINUE_SELECT, ZAF_END_SELECT, ZAF_MOUSE_MOVE,
                                    ZAF_ALT_BEGIN_SELECT, ZAF_DOUBLE_SELECT}));
    EXPECT_EQ(probe->mouseAt, (std::vector<Sides>{{5, 7}, {6, 8}, {6, 8}, {9, 9}, {1, 2}, {3, 4}}));
    Close(frame);
}

TEST_F(ZafWindowManagerTest, TabHotKeysAndTheDefaultButton)
{
    Frame *frame = Show();
    Probe *first = AddTo(frame, new Probe(1, "&First"));
    Probe *disabled = AddTo(frame, new Probe(2, "&Skipped"));
    Probe *third = AddTo(frame, new Probe(3, "O&pen"));
    disabled->SetDisabled(true);
    first->SetFocus(true);
    EXPECT_EQ(GetFocus(), first->OSHandle());
    SendMessageA(first->OSHandle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), third->OSHandle());
    EXPECT_EQ(frame->CurrentChild(), third);
    SendMessageA(third->OSHandle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), first->OSHandle());
    // Alt+P: the key message comes with the context bit (Alt held).
    SendMessageA(first->OSHandle(), WM_SYSKEYDOWN, 'P', 1L << 29);
    EXPECT_TRUE(third->Saw(ZAF_HOT_KEY));
    EXPECT_EQ(GetFocus(), third->OSHandle());
    SendMessageA(first->OSHandle(), WM_SYSKEYDOWN, 'S', 1L << 29);
    EXPECT_FALSE(disabled->Saw(ZAF_HOT_KEY));

    frame->SetDefaultButton(first, false);
    SendMessageA(third->OSHandle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(first->Saw(ZAF_SELECT));
    // A default button deleted since is forgotten.
    delete first;
    EXPECT_EQ(frame->GetDefaultButton(false), nullptr);
    Close(frame);
}

TEST_F(ZafWindowManagerTest, NestedDrawingPassesShareOneContextAndEachRestoresTheOneBeforeIt)
{
    Frame *frame = Show();
    Probe *probe = new Probe(1);
    probe->SetOwnWindow(false);
    frame->AddObject(probe);
    Probe *owning = AddTo(frame, new Probe(2));
    ASSERT_NE(owning->OSHandle(), nullptr);
    auto *display = ZafScreenGdiDisplay();
    ASSERT_NE(display, nullptr);
    // A context made current by hand (a print preview's) outlives the passes.
    zaftest::MemoryPage page(4, 4);
    display->SetCurrentDC(page.dc);
    ZafRegionRect outer = frame->BeginDraw();
    HDC dc = display->CurrentDC();
    ASSERT_NE(dc, page.dc);
    ZafRegionRect inner = probe->BeginDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    EXPECT_EQ(display->OpenLoans(), 1);
    // The windowless child draws at its place in the frame's client area.
    ZafRegionRect place = probe->Region();
    probe->ConvertRegion(place, ZAF_PIXEL);
    EXPECT_EQ((Sides{inner.left, inner.top, outer.left}), (Sides{place.left, place.top, 0}));
    probe->EndDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    // Frame, own window, frame again: each end brings back the context of
    // the pass around it.
    owning->BeginDraw();
    HDC owningDC = display->CurrentDC();
    probe->BeginDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    probe->EndDraw();
    EXPECT_EQ(display->CurrentDC(), owningDC);
    EXPECT_EQ(display->OpenLoans(), 2);
    owning->EndDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    EXPECT_EQ(display->OpenLoans(), 1);
    frame->EndDraw();
    EXPECT_EQ(display->OpenLoans(), 0);
    EXPECT_EQ(display->CurrentDC(), page.dc);
    display->SetCurrentDC(nullptr);
    Close(frame);
}

TEST_F(ZafWindowManagerTest, TheLoopEndsOnExitAndPostsAQuitOnlyWhenNoneCameFromWindows)
{
    Frame *frame = Show();
    auto quitLeft = [] {
        bool quit = false;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            quit = quit || m.message == WM_QUIT;
        return quit;
    };
    // An exit the program puts leaves a WM_QUIT for the loops outside.
    zafEventManager->Put(ZafEventRecord(ZAF_EXIT), ZAF_QUEUE_TAIL);
    EXPECT_EQ(application.Control(), ZAF_EXIT);
    EXPECT_TRUE(quitLeft());
    // A WM_QUIT from Windows is used up: one left over would end the next
    // modal loop on the thread at once.
    PostQuitMessage(0);
    EXPECT_EQ(application.Control(), ZAF_EXIT);
    EXPECT_FALSE(quitLeft());
    Close(frame);
}

TEST_F(ZafWindowManagerTest, TheLoopEndsWhenTheLastWindowClosesAndDoesNotStartWithout)
{
    Frame *frame = Show();
    Frame::deaths = 0;
    // The frame's close box: the window asks the manager to close it.
    PostMessageA(frame->OSHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(application.Control(), ZAF_NO_WINDOWS);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_EQ(ThreadWindowCount(), before);
    EXPECT_EQ(application.Control(), ZAF_NO_WINDOWS);

    // With the queue at its maximum the close box's request is handled at
    // once instead of being dropped.
    frame = Show();
    Frame::deaths = 0;
    while (zafEventManager->Put(ZafEventRecord(ZAF_UNKNOWN), ZAF_QUEUE_TAIL))
        ;
    SendMessageA(frame->OSHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Frame::deaths, 1);
    ZafEventRecord drained;
    while (zafEventManager->Get(drained, ZAF_QUEUE_NO_WAIT))
        ;
    EXPECT_EQ(ThreadWindowCount(), before);
}

// A window that may refuse to close.
struct Refusing : Frame
{
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_CLOSE_QUERY && refuse)
            return ZAF_REFUSED;
        return Frame::Event(event);
    }
    bool refuse = false;
};

TEST_F(ZafWindowManagerTest, ClosingTheMainWindowClosesEveryWindowAndEndsTheLoop)
{
    Frame *main = Show();
    Show();
    auto *refusing = Show(new Refusing);
    zafWindowManager->SetMainWindow(main);
    Frame::deaths = 0;

    // One window that refuses keeps them all, the main window too.
    refusing->refuse = true;
    PostMessageA(main->OSHandle(), WM_CLOSE, 0, 0);
    zaftest::RunLoop();
    EXPECT_EQ(Frame::deaths, 0);
    EXPECT_EQ(zafWindowManager->Count(), 3);

    // Its title bar's close: the loop ends with no window left.
    refusing->refuse = false;
    PostMessageA(main->OSHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(application.Control(), ZAF_NO_WINDOWS);
    EXPECT_EQ(Frame::deaths, 3);
    EXPECT_EQ(zafWindowManager->MainWindow(), nullptr);
    EXPECT_EQ(ThreadWindowCount(), before);

    // Another window's close leaves the main window and the others open.
    main = Show();
    Frame *other = Show();
    zafWindowManager->SetMainWindow(main);
    Frame::deaths = 0;
    PostMessageA(other->OSHandle(), WM_CLOSE, 0, 0);
    zaftest::RunLoop();
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_EQ(zafWindowManager->MainWindow(), main);
    Close(main);
}

// --- Region and font of windows on screen ------------------------------------------

namespace {

// Left, top, right and bottom of a window, in the client pixels of another
// (or of the screen).
Sides PlaceIn(HWND window, HWND in = nullptr)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT *>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

HFONT FontOf(ZafWindowObject *object)
{
    return reinterpret_cast<HFONT>(SendMessageA(object->OSHandle(), WM_GETFONT, 0, 0));
}

void SetFont(ZafWindowObject *object, HFONT font)
{
    SendMessageA(object->OSHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

} // namespace

TEST_F(ZafWindowManagerTest, ApplyRegionPlacesTheWindowOrRedrawsAWindowlessOne)
{
    auto *frame = new Frame;
    frame->SetCoordinateType(ZAF_PIXEL);
    Show(frame);
    frame->SetRegion(ZafRegionRect(50, 60, 249, 159, ZAF_PIXEL));
    frame->ApplyRegion();
    EXPECT_EQ(PlaceIn(frame->OSHandle()), (Sides{50, 60, 250, 160}));
    // A region that gives the client size grows the frame round it, and
    // applying it again leaves the window as it is.
    frame->SetRegion(ZafRegionRect(50, 60, 249, 159, ZAF_PIXEL));
    frame->SetRegionIsClientSize(true);
    for (int pass = 0; pass < 2; ++pass) {
        frame->ApplyRegion();
        RECT client = {};
        GetClientRect(frame->OSHandle(), &client);
        POINT origin = {0, 0};
        ClientToScreen(frame->OSHandle(), &origin);
        EXPECT_EQ((Sides{origin.x, origin.y, client.right, client.bottom}), (Sides{50, 60, 200, 100})) << pass;
    }

    Pane *child = AddTo(frame, new Pane(true)), *windowless = AddTo(frame, new Pane(false));
    ASSERT_NE(child->OSHandle(), nullptr);
    ASSERT_EQ(windowless->OSHandle(), nullptr);
    child->SetRegion(ZafRegionRect(5, 6, 54, 25, ZAF_PIXEL));
    child->ApplyRegion();
    EXPECT_EQ(PlaceIn(child->OSHandle(), frame->OSHandle()), (Sides{5, 6, 55, 26}));
    windowless->types.clear();
    windowless->ApplyRegion();
    EXPECT_EQ(windowless->types, (Events{ZAF_REGION_CHANGING, ZAF_REGION_CHANGED}));
    Close(frame);
}

TEST_F(ZafWindowManagerTest, ApplyFontReachesEveryControlBelowTheWindowAndRestoresRedraw)
{
    Frame *frame = Show();
    auto *button = AddTo(frame, new SystemControl("BUTTON", BS_PUSHBUTTON, 21));
    Pane *pane = AddTo(frame, new Pane(true));
    auto *label = AddTo(pane, new SystemControl("STATIC", 0, 22));
    ASSERT_NE(label->OSHandle(), nullptr);
    HFONT other = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    SetFont(button, other);
    SetFont(label, other);
    ASSERT_EQ(FontOf(label), other);
    ASSERT_NE(ZafScreenGdiDisplay(), nullptr);
    HFONT dialog = ZafScreenGdiDisplay()->Font(ZAF_FONT_DIALOG);
    ASSERT_NE(dialog, other);
    frame->ApplyFont();
    EXPECT_EQ(FontOf(button), dialog);
    EXPECT_EQ(FontOf(label), dialog);
    EXPECT_TRUE(frame->Redraw());
    // Redraw that was off stays off.
    SetFont(label, other);
    pane->SetRedraw(false);
    pane->UpdateFont();
    EXPECT_EQ(FontOf(label), dialog);
    EXPECT_FALSE(pane->Redraw());
    Close(frame);
}

// --- Rows of list boxes --------------------------------------------------------

namespace {

// An entry of a list: no window of its own, a text that can change.
struct Entry : ZafWindowObject
{
    explicit Entry(const char *initial) : ZafWindowObject(0, 0, 10, 1), text(initial) { SetOwnWindow(false); }
    const char *Text() override { return text.c_str(); }
    void Change(const char *newText)
    {
        text = newText;
        RefreshListEntry();
    }
    std::string text;
};

// A list whose rows Windows draws from the entries' texts: a "LISTBOX"
// answering the list family's class id 1001 (or, as 1008, a "COMBOBOX"
// holding such a list), filled when it is made.
struct ListBox : ZafWindow
{
    explicit ListBox(DWORD style = 0, ZafClassID id = 1001) : ZafWindow(1, 1, 20, 6), style(style), id(id) {}
    bool IsClassID(ZafClassID asked) const override { return asked == id || ZafWindow::IsClassID(asked); }
    HWND CreateOSWindow() override
    {
        if (!OwnWindow())
            return nullptr;
        const bool combo = id == 1008;
        HWND window = ZafCreateOSWindow(this, combo ? "COMBOBOX" : "LISTBOX", WS_CHILD | WS_VISIBLE | style, "",
                                        Parent()->OSHandle(), 0, nullptr);
        ZafWindow *list = combo ? static_cast<ZafWindow *>(FirstChild()) : this;
        for (ZafElement *e = list->First(); e; e = e->Next())
            SendMessageA(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(static_cast<ZafWindowObject *>(e)->Text()));
        return window;
    }
    Entry *Add(const char *text) { return AddTo(this, new Entry(text)); }
    DWORD style;
    ZafClassID id;
};

std::string Row(HWND box, int index, bool combo = false)
{
    char text[64] = "";
    LRESULT length = SendMessageA(box, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length < 0 || length >= static_cast<LRESULT>(sizeof(text)))
        return "<bad row>";
    SendMessageA(box, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

TEST_F(ZafWindowManagerTest, ARefreshedRowShowsTheNewTextAndStaysSelected)
{
    Frame *frame = Show();
    auto *single = new ListBox(LBS_NOTIFY);
    single->Add("one");
    Entry *two = single->Add("two"), *three = single->Add("three");
    auto *multiple = new ListBox(LBS_NOTIFY | LBS_MULTIPLESEL);
    multiple->SetSelectionMode(1);
    Entry *first = multiple->Add("first"), *second = multiple->Add("second");
    frame->AddObject(single);
    frame->AddObject(multiple);
    HWND box = single->OSHandle(), many = multiple->OSHandle();
    ASSERT_NE(box, nullptr);

    two->SetSelected(true);
    SendMessageA(box, LB_SETCURSEL, 1, 0);
    two->Change("TWO");
    EXPECT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Row(box, 1) + " " + Row(box, 2), "TWO three");
    EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 1);
    // An entry that is not selected does not take the selection.
    three->Change("THREE");
    EXPECT_EQ(Row(box, 2), "THREE");
    EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 1);

    first->SetSelected(true);
    second->SetSelected(true);
    SendMessageA(many, LB_SETSEL, TRUE, 0);
    SendMessageA(many, LB_SETSEL, TRUE, 1);
    first->Change("FIRST");
    EXPECT_EQ(Row(many, 0), "FIRST");
    EXPECT_GT(SendMessageA(many, LB_GETSEL, 0, 0), 0);
    EXPECT_GT(SendMessageA(many, LB_GETSEL, 1, 0), 0);
    // Rows that Windows does not draw are left alone: an owner-drawn list's,
    // and an entry of a plain window, which is no list.
    auto *ownerDrawn = new ListBox(LBS_NOTIFY);
    ownerDrawn->SetSystemDrawn(false);
    Entry *kept = ownerDrawn->Add("kept");
    frame->AddObject(ownerDrawn);
    Pane *plain = AddTo(frame, new Pane(true));
    Entry *loose = AddTo(plain, new Entry("loose"));
    kept->Change("changed");
    EXPECT_EQ(Row(ownerDrawn->OSHandle(), 0), "kept");
    loose->Change("changed");
    EXPECT_EQ(SendMessageA(plain->OSHandle(), LB_GETCOUNT, 0, 0), 0);
    Close(frame);
}

TEST_F(ZafWindowManagerTest, ARefreshedComboBoxRowKeepsTheComboBoxsCurrentRow)
{
    Frame *frame = Show();
    // A combo box whose list is a windowless list.
    auto *combo = new ListBox(WS_VSCROLL | CBS_DROPDOWNLIST, 1008);
    auto *list = AddTo(combo, new ListBox);
    list->SetOwnWindow(false);
    list->Add("red");
    Entry *green = list->Add("green"), *blue = list->Add("blue");
    frame->AddObject(combo);
    HWND box = combo->OSHandle();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(list->OSHandle(), nullptr);
    SendMessageA(box, CB_SETCURSEL, 1, 0);

    green->Change("GREEN");
    EXPECT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Row(box, 1, true), "GREEN");
    EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), 1);
    char shown[32] = "";
    GetWindowTextA(box, shown, sizeof(shown));
    EXPECT_STREQ(shown, "GREEN");
    blue->Change("BLUE");
    EXPECT_EQ(Row(box, 2, true), "BLUE");
    EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), 1);
    Close(frame);
}
