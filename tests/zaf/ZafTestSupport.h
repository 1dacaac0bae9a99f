// Helpers shared by the tests of zaf/core and zaf/data, beside the scratch
// directories, whole files and memory pages of tests/support: the count of
// this thread's windows (for leak checks), a real window for an object to
// stand on, a message pump, the library's own loop run until nothing is
// waiting, real key strokes posted to the focus, notebook tabs as the
// controls layer makes them, and a fixture that runs each test under its own
// application (screen display, event manager, window manager).
#pragma once

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/support/PaintedWindow.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zaftest {

using testsupport::MemoryPage;
using testsupport::ReadWholeFile;
using testsupport::RemoveTree;
using testsupport::TempDirectory;
using testsupport::WriteWholeFile;

// A real window that is never on screen (a message-only window), destroyed
// with the object: what a test binds an object to (SetOSHandle) to make it
// count as created without making its whole window tree.
class RealWindow
{
public:
    RealWindow()
        : handle(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {}
    ~RealWindow()
    {
        if (IsWindow(handle))
            DestroyWindow(handle);
    }
    RealWindow(const RealWindow &) = delete;
    RealWindow &operator=(const RealWindow &) = delete;
    HWND Handle() const { return handle; }

private:
    HWND handle;
};

// A window object, or a window, that records the events it receives (not
// the messages of its real window) and that can be bound to a real window.
template <class Base> struct Recording : Base
{
    Recording(int left, int top, int width, int height) : Base(left, top, width, height) {}
    ~Recording() override { this->SetOSHandle(nullptr); }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_OS_EVENT)
            events.push_back(event.type);
        return Base::Event(event);
    }
    void Create() { this->SetOSHandle(real.Handle()); }
    void Uncreate() { this->SetOSHandle(nullptr); }
    RealWindow real;
    std::vector<ZafEventType> events;
};

inline BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter)
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
inline int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Adds a child to a window and hands it back with its own type.
template <class T> T *AddTo(ZafWindow *window, T *child)
{
    window->AddObject(child);
    return child;
}

// Handles every message waiting, as the loop would.
inline void Pump()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// Runs the library's loop (the event manager's Get, the window manager's
// dispatch) until no event and no Windows message is waiting.
inline void RunLoop()
{
    ZafEventRecord event;
    while (zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT))
        zafWindowManager->Event(event);
}

// One stroke of a key as the keyboard gives it: WM_KEYDOWN posted to the
// focused window, the loop run (which makes the character), then WM_KEYUP
// to whichever window has the focus by then. With shift the thread's key
// state holds Shift down meanwhile, so that the character is the shifted
// one.
inline void Stroke(UINT key, bool shift = false)
{
    BYTE state[256], held[256];
    GetKeyboardState(state);
    CopyMemory(held, state, sizeof(held));
    if (shift)
        held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    SetKeyboardState(held);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(GetFocus(), WM_KEYDOWN, key, scan | 1);
    RunLoop();
    PostMessageA(GetFocus(), WM_KEYUP, key, scan | 1 | 0xC0000000);
    RunLoop();
    SetKeyboardState(state);
}

// Types a character by the key that makes it in the current layout.
inline void Type(char character)
{
    const SHORT key = VkKeyScanA(character);
    Stroke(LOBYTE(key), (HIBYTE(key) & 1) != 0);
}

// A notebook tab as the controls layer makes it: a windowless support object
// that holds its page's support objects with negative ids other than the
// geometry manager's, and answers the held title's name as its text.
struct NotebookTab : ZafWindowObject
{
    NotebookTab() : ZafWindowObject(0, 0, 0, 0)
    {
        SetSupportObject(true);
        SetOwnWindow(false);
    }
    ~NotebookTab() override
    {
        ++deaths;
        held.Destroy();
    }
    // The copy holds copies of the held objects.
    ZafWindowObject *Duplicate() const override
    {
        auto *copy = new NotebookTab;
        for (ZafElement *e = held.First(); e; e = e->Next())
            copy->Hold(static_cast<ZafWindowObject *>(e)->Duplicate());
        return copy;
    }
    void Hold(ZafWindowObject *object)
    {
        held.Add(object);
        if (object->NumberID() == ZAF_NUMID_TITLE)
            title = object;
    }
    const char *Text() override { return title ? title->StringID() : nullptr; }
    ZafList held;
    ZafWindowObject *title = nullptr;
    inline static int deaths = 0;
};

// The hooks that make NotebookTab tabs; a tab button's value is its number
// id plus 5000.
inline const ZafNotebookHooks notebookHooks = {
    [](ZafWindow *) -> ZafWindowObject * { return new NotebookTab; },
    [](ZafWindowObject *tab, ZafWindow *page) { // take
        for (ZafElement *e = page->SupportList().First(), *next = nullptr; e; e = next) {
            next = e->Next();
            auto *object = static_cast<ZafWindowObject *>(e);
            if (static_cast<std::int16_t>(object->NumberID()) < 0 && object->NumberID() != ZAF_NUMID_GEOMETRY)
                static_cast<NotebookTab *>(tab)->Hold(page->SubtractObject(object));
        }
    },
    [](ZafWindowObject *tabObject, ZafWindow *page) { // return
        auto *tab = static_cast<NotebookTab *>(tabObject);
        while (ZafElement *last = tab->held.Last())
            page->AddObject(static_cast<ZafWindowObject *>(tab->held.Subtract(last)), page->FirstSupport());
        tab->title = nullptr;
    },
    [](ZafWindowObject *button) { return static_cast<ZafEventType>(button->NumberID()) + 5000; },
};

// Each test under an application of its own; the windows of the thread are
// counted first so that a test can check that none is left behind. Windows
// made here are hidden: Wine waits for a window manager whenever a shown
// top-level window goes, and Xvfb has none.
class OnScreen : public testing::Test
{
protected:
    OnScreen() : application(GetModuleHandleA(nullptr), {"test.exe"}) {}
    ZafApplication application;
    const int before = ThreadWindowCount();
};

} // namespace zaftest
