// The controls' test harness: each test runs under an application of its
// own with a top-level window of known size on the virtual display, a
// recording user function, an error system that records reports instead of
// showing modal boxes, a pump that runs until the Windows queue and the
// library's event queue are empty, a look into the library's queue, and
// synthetic input three ways: library events (object->Event), messages to
// the real control (Click, Key), and SendInput for places where Windows runs
// a loop of its own (menus, held buttons).
//
// SendInput reaches a shown, foreground window under Xvfb in Wine (the
// harness's own test shows it); windows are hidden otherwise, because Wine
// waits for a window manager whenever a shown top-level window goes and
// Xvfb has none.
#pragma once

#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataStartup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace controltest {

// One call of the recording user function.
struct Call
{
    ZafWindowObject *object;
    ZafEventType code;
};

inline std::vector<Call> &Calls()
{
    static std::vector<Call> calls;
    return calls;
}

// Run after recording a call (a user function that closes its window...).
inline std::function<void(ZafWindowObject *)> &OnCall()
{
    static std::function<void(ZafWindowObject *)> action;
    return action;
}

inline ZafEventType Record(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    Calls().push_back({object, code});
    if (OnCall())
        OnCall()(object);
    return code;
}

inline std::vector<std::string> &Reports()
{
    static std::vector<std::string> reports;
    return reports;
}

inline ZafEventType RecordReport(ZafWindowObject *, const char *title, unsigned, const char *message)
{
    Reports().push_back(std::string(title ? title : "") + ": " + (message ? message : ""));
    return ZAF_DIALOG_OK;
}

inline BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "IME") != 0)
        ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

// The top-level windows of this thread (Wine's input-method window aside).
inline int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The window the controls stand in: pixels, at a known place.
class TestWindow : public ZafWindow
{
public:
    static constexpr int left = 40, top = 40, width = 400, height = 300;
    explicit TestWindow(bool shown) : ZafWindow(left, top, width, height)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetStringID("TEST_WINDOW");
        SetVisible(shown);
    }
};

class ControlTest : public testing::Test
{
protected:
    // The data layer's start-up steps go in before the application is made.
    ControlTest() : application((ZafDataStartup::Install(), GetModuleHandleA(nullptr)), {"test.exe"})
    {
        ZafButton::RegisterPersistence();
        previousHook = ZafErrorStub::SetAnswerHook(RecordReport);
        Calls().clear();
        OnCall() = nullptr;
        Reports().clear();
    }
    ~ControlTest() override
    {
        OnCall() = nullptr;
        for (ZafEventRecord &event : Queued())
            ZafButton::ReleaseSentEvent(event);
        if (window && zafWindowManager->Contains(window))
            zafWindowManager->CloseWindow(window);
        Pump();
        ZafErrorStub::SetAnswerHook(previousHook);
        EXPECT_TRUE(Reports().empty()) << Reports().front();
    }

    // The top-level window (made on first use), on screen once Show runs.
    TestWindow *Window(bool shown = false)
    {
        if (!window)
            window = new TestWindow(shown);
        return window;
    }
    // Adds a control (pixels) to the window and hands it back typed.
    template <class T> T *Add(T *control)
    {
        control->SetCoordinateType(ZAF_PIXEL);
        control->SetUserFunction(Record);
        Window()->AddObject(control);
        return control;
    }
    // Makes the Windows windows and runs until nothing is left to do.
    void Show()
    {
        zafWindowManager->AddObject(Window());
        Pump();
    }

    // Dispatches every waiting Windows message as the loop does; leaves
    // the library's queue to Queued, which takes what waits there.
    static void Pump()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            ZafDispatchMessage(m);
    }
    // Takes every event waiting in the library's queue, in order.
    static std::vector<ZafEventRecord> Queued()
    {
        std::vector<ZafEventRecord> events;
        ZafEventRecord event;
        while (zafEventManager && zafEventManager->QueueCount() > 0 && zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT))
            events.push_back(event);
        return events;
    }

    // --- Messages to the real control ----------------------------------------
    static LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }
    // A left press and release at a client point (the middle by default).
    static void Press(HWND control, int x = -1, int y = -1)
    {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, Middle(control, x, y));
    }
    static void Release(HWND control, int x = -1, int y = -1)
    {
        SendMessageA(control, WM_LBUTTONUP, 0, Middle(control, x, y));
        Pump();
    }
    static void Click(HWND control)
    {
        Press(control);
        Release(control);
    }
    static void DoubleClick(HWND control)
    {
        Click(control);
        SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, Middle(control, -1, -1));
        Release(control);
    }
    // A key pressed (repeat: a held key's further press) or released.
    static void KeyDown(HWND control, WPARAM key, bool repeat = false)
    {
        SendMessageA(control, WM_KEYDOWN, key, 1 | (repeat ? (1L << 30) : 0));
        Pump();
    }
    static void KeyUp(HWND control, WPARAM key)
    {
        SendMessageA(control, WM_KEYUP, key, 1 | (1L << 30) | (1L << 31));
        Pump();
    }
    static void Key(HWND control, WPARAM key)
    {
        KeyDown(control, key);
        KeyUp(control, key);
    }

    // --- Input through Windows' own input queue --------------------------------
    static bool SendKey(WORD key, bool release)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        return SendInput(1, &input, sizeof input) == 1;
    }
    // Moves the pointer to a client point of a window and presses or
    // releases the left button there.
    static bool SendMouse(HWND control, bool release)
    {
        RECT r;
        GetWindowRect(control, &r);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags =
            MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | (release ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
        return SendInput(1, &input, sizeof input) == 1;
    }
    // Takes Windows messages (waiting for them) until the condition holds
    // or the limit of messages is reached; true when it holds.
    static bool RunUntil(const std::function<bool()> &done, int limit = 2000)
    {
        MSG m;
        for (int i = 0; i < limit && !done(); ++i) {
            // A timer keeps the wait bounded when nothing else arrives.
            const UINT_PTR guard = SetTimer(nullptr, 0, 100, nullptr);
            const BOOL got = GetMessageA(&m, nullptr, 0, 0);
            KillTimer(nullptr, guard);
            if (got <= 0)
                return done();
            ZafDispatchMessage(m);
        }
        return done();
    }

    ZafApplication application;
    TestWindow *window = nullptr;
    ZafErrorStub::AnswerHook previousHook = nullptr;

private:
    static LPARAM Middle(HWND control, int x, int y)
    {
        RECT r;
        GetClientRect(control, &r);
        return Point(x >= 0 ? x : r.right / 2, y >= 0 ? y : r.bottom / 2);
    }
};

} // namespace controltest
