// Driving a modal loop from the test that starts it: a step registered
// before the call that runs the loop runs inside it once the loop is idle
// (a thread timer, which Windows sends only when no other message waits),
// typically to press a button of the modal window.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

namespace testsupport {

// The steps waiting, by their timer.
inline std::map<UINT_PTR, std::function<void()>> &ModalLoopSteps()
{
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}

inline void CALLBACK RunInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    auto found = ModalLoopSteps().find(timer);
    if (found == ModalLoopSteps().end())
        return;
    std::function<void()> step = std::move(found->second);
    ModalLoopSteps().erase(found);
    if (step)
        step();
}

// Each step runs once; steps registered together run each in turn. A step
// whose window is not up yet registers itself again with a delay, so that a
// loop that takes messages until none waits (a test's pump) still ends.
inline void WhenModalLoopIdles(std::function<void()> step, UINT delayMs = 0)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, delayMs, RunInsideModalLoop);
    ModalLoopSteps()[timer] = std::move(step);
}

inline BOOL CALLBACK TakeMessageBox(HWND window, LPARAM result)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND *>(result) = window;
    return FALSE;
}

// The first dialog-class window (a message box) of this thread, or null
// while none is up.
inline HWND FindThreadMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Drops the steps that have not run (those of a loop that ended early).
inline void ForgetModalLoopSteps()
{
    for (const auto &waiting : ModalLoopSteps())
        KillTimer(nullptr, waiting.first);
    ModalLoopSteps().clear();
}

} // namespace testsupport
