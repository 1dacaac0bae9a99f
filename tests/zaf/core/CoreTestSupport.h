// Helpers shared by the core's tests: a stand-in window handle, the count of
// this thread's windows (for leak checks), a message pump, the library's own
// loop run until nothing is waiting, real key strokes posted to the focus, a
// memory device context to draw into, and a fixture that runs each test
// under its own application (screen display, event manager, window manager).
#pragma once

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

namespace coretest {

// Stands for "the Windows window exists"; never handed to Windows.
inline HWND FakeHandle()
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7AF00));
}

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
template <class T>
T *AddTo(ZafWindow *window, T *child)
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

// A memory context with a white bitmap of the given size selected.
struct MemoryPage
{
    MemoryPage(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~MemoryPage()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
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

} // namespace coretest
