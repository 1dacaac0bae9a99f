// Windows windows of window objects, the window manager and the event loop,
// under a real application (screen display, event and window manager).
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter)
{
    // Wine gives a thread with windows an input-method window of its own.
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, "IME") == 0)
        return TRUE;
    ++*reinterpret_cast<int *>(counter);
    EnumChildWindows(window, CountChild, counter);
    return TRUE;
}

// Every window of this thread, child windows included.
int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Handles every message waiting, as the loop would.
void Pump()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

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
        if (event.type == ZAF_MOUSE_EVENT)
            mouse.push_back({MapEvent(event), event.position});
        if (event.type == ZAF_SELECT || event.type == ZAF_HOT_KEY)
            return event.type;
        if (event.type == ZAF_OS_EVENT)
            messages.push_back(event.osEvent);
        return ZafWindowObject::Event(event);
    }
    const char *Text() override { return label; }
    COLORREF BackgroundColor() const override { return RGB(200, 10, 20); }
    bool Saw(ZafEventType type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
    bool SawMessage(UINT message, LPARAM lParam) const
    {
        for (const MSG &m : messages)
            if (m.message == message && m.lParam == lParam)
                return true;
        return false;
    }
    struct Mouse
    {
        ZafEventType code;
        POINT at;
    };
    const char *label;
    std::vector<ZafEventType> types;
    std::vector<MSG> messages;
    std::vector<Mouse> mouse;
};

// A control on a system window class.
struct SystemControl : Probe
{
    SystemControl(const char *windowClass, DWORD style, ZafNumberID id) : Probe(id), windowClass(windowClass), style(style) {}
    HWND CreateOSWindow() override
    {
        return ZafCreateOSWindow(this, windowClass, WS_CHILD | WS_VISIBLE | style, "", Parent()->OSHandle(), 0,
                                 nullptr);
    }
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override
    {
        if (event.osEvent.message == WM_MEASUREITEM) {
            boundAtMeasure = OSHandle() != nullptr;
            reinterpret_cast<MEASUREITEMSTRUCT *>(event.osEvent.lParam)->itemHeight = 33;
            return TRUE;
        }
        return Probe::HandleOSMessage(event);
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
    // Hidden: Wine waits two seconds for a window manager whenever a shown
    // top-level window goes, and Xvfb has none.
    Frame() : ZafWindow(2, 2, 40, 12) { SetStringID("FRAME"); SetVisible(false); }
    ~Frame() override { ++deaths; }
    static int deaths;
};
int Frame::deaths = 0;

class ZafWindowManagerTest : public testing::Test
{
protected:
    ZafWindowManagerTest() : application(GetModuleHandleA(nullptr), {"test.exe"}) {}
    void SetUp() override { before = ThreadWindowCount(); }
    Frame *Show(Frame *frame)
    {
        zafWindowManager->AddObject(frame);
        Pump();
        return frame;
    }

    ZafApplication application;
    int before = 0;
};

} // namespace

TEST_F(ZafWindowManagerTest, WindowsComeAndGoWithTheirObjects)
{
    Frame *frame = new Frame;
    auto *a = new Probe(1);
    auto *b = new Probe(2);
    frame->AddObject(a);
    frame->AddObject(b);
    Show(frame);
    ASSERT_NE(frame->OSHandle(), nullptr);
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
    auto *c = new Probe(3);
    frame->AddObject(c);
    EXPECT_NE(c->OSHandle(), nullptr);

    Frame::deaths = 0;
    EXPECT_EQ(zafWindowManager->CloseWindow(frame), ZAF_NO_WINDOWS);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_EQ(ThreadWindowCount(), before);
}

TEST_F(ZafWindowManagerTest, SubtractingHandsTheWindowBackWithoutItsWindows)
{
    Frame *frame = Show(new Frame);
    HWND window = frame->OSHandle();
    Frame::deaths = 0;
    EXPECT_EQ(zafWindowManager->SubtractObject(frame), frame);
    EXPECT_EQ(Frame::deaths, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(frame->OSHandle(), nullptr);
    delete frame;
    EXPECT_EQ(ThreadWindowCount(), before);
}

TEST_F(ZafWindowManagerTest, AnObjectIsBoundBeforeItsWindowFinishesBeingMade)
{
    Frame *frame = Show(new Frame);
    auto *list = new SystemControl("LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 7);
    frame->AddObject(list);
    ASSERT_NE(list->OSHandle(), nullptr);
    // The list box measures its items while it is being created; the
    // measurement reached the list's own object through its parent.
    EXPECT_TRUE(list->boundAtMeasure);
    EXPECT_EQ(SendMessageA(list->OSHandle(), LB_GETITEMHEIGHT, 0, 0), 33);
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, NotificationsReachTheControlsOwnObject)
{
    Frame *frame = Show(new Frame);
    auto *button = new SystemControl("BUTTON", BS_PUSHBUTTON, 11);
    auto *other = new SystemControl("BUTTON", BS_PUSHBUTTON, 12);
    frame->AddObject(button);
    frame->AddObject(other);
    SendMessageA(button->OSHandle(), BM_CLICK, 0, 0);
    // The parent sent the notification back to the button's window with no
    // control handle.
    EXPECT_TRUE(button->SawMessage(WM_COMMAND, 0));
    EXPECT_FALSE(other->SawMessage(WM_COMMAND, 0));

    HDC dc = GetDC(button->OSHandle());
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(frame->OSHandle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(button->OSHandle())));
    LOGBRUSH info;
    ASSERT_EQ(GetObjectA(brush, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.lbColor, RGB(200, 10, 20));
    ReleaseDC(button->OSHandle(), dc);
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, MenuCommandsReachMenuItemsOnly)
{
    Frame *frame = Show(new Frame);
    auto *control = new Probe(100);
    auto *item = new MenuItem(101);
    frame->AddObject(control);
    frame->AddObject(item);
    SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(100, 0), 0);
    SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_FALSE(control->Saw(ZAF_SELECT));
    EXPECT_TRUE(item->Saw(ZAF_SELECT));
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, MouseMessagesBecomeMouseEventsInClientPixels)
{
    Frame *frame = Show(new Frame);
    auto *probe = new Probe(1);
    frame->AddObject(probe);
    HWND w = probe->OSHandle();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 8));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    SendMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    std::vector<ZafEventType> codes;
    for (const Probe::Mouse &m : probe->mouse)
        codes.push_back(m.code);
    EXPECT_EQ(codes, (std::vector<ZafEventType>{ZAF_BEGIN_SELECT, ZAF_CONTINUE_SELECT, ZAF_END_SELECT,
                                                ZAF_MOUSE_MOVE, ZAF_ALT_BEGIN_SELECT, ZAF_DOUBLE_SELECT}));
    ASSERT_FALSE(probe->mouse.empty());
    EXPECT_EQ(probe->mouse[0].at.x, 5);
    EXPECT_EQ(probe->mouse[0].at.y, 7);
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, TabHotKeysAndTheDefaultButton)
{
    Frame *frame = Show(new Frame);
    auto *first = new Probe(1, "&First");
    auto *disabled = new Probe(2, "&Skipped");
    auto *third = new Probe(3, "O&pen");
    frame->AddObject(first);
    frame->AddObject(disabled);
    frame->AddObject(third);
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
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, NestedDrawingPassesShareOneContext)
{
    Frame *frame = Show(new Frame);
    auto *probe = new Probe(1);
    probe->SetOwnWindow(false);
    frame->AddObject(probe);
    auto *display = ZafScreenGdiDisplay();
    ASSERT_NE(display, nullptr);
    ZafRegionRect outer = frame->BeginDraw();
    HDC dc = display->CurrentDC();
    ASSERT_NE(dc, nullptr);
    ZafRegionRect inner = probe->BeginDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    EXPECT_EQ(display->OpenLoans(), 1);
    // The windowless child draws at its place in the frame's client area.
    ZafRegionRect place = probe->Region();
    probe->ConvertRegion(place, ZAF_PIXEL);
    EXPECT_EQ(inner.left, place.left);
    EXPECT_EQ(inner.top, place.top);
    EXPECT_EQ(outer.left, 0);
    probe->EndDraw();
    EXPECT_EQ(display->CurrentDC(), dc);
    frame->EndDraw();
    EXPECT_EQ(display->OpenLoans(), 0);
    zafWindowManager->CloseWindow(frame);
}

TEST_F(ZafWindowManagerTest, TheLoopEndsOnExit)
{
    Show(new Frame);
    zafEventManager->Put(ZafEventRecord(ZAF_EXIT), ZAF_QUEUE_TAIL);
    EXPECT_EQ(application.Control(), ZAF_EXIT);
    Pump(); // the WM_QUIT posted on the way out
}

TEST_F(ZafWindowManagerTest, TheLoopEndsWhenTheLastWindowCloses)
{
    Frame *frame = Show(new Frame);
    Frame::deaths = 0;
    // The frame's close box: the window asks the manager to close it.
    PostMessageA(frame->OSHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(application.Control(), ZAF_NO_WINDOWS);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_EQ(ThreadWindowCount(), before);
}

TEST_F(ZafWindowManagerTest, WithNoWindowTheLoopDoesNotStart)
{
    EXPECT_EQ(application.Control(), ZAF_NO_WINDOWS);
}
