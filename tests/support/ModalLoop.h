// Driving a modal loop from the test that starts it: a step registered
// before the call that runs the loop runs inside it once the loop is idle
// (a thread timer of 0 ms, which Windows sends only when no other message
// waits), typically to press a button of the modal window.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace testsupport {

inline std::function<void()> &InsideModalLoop()
{
    static std::function<void()> step;
    return step;
}

inline void CALLBACK RunInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::function<void()> step = std::move(InsideModalLoop());
    InsideModalLoop() = nullptr;
    if (step)
        step();
}

// One step at a time: a second call before the first step ran replaces it.
inline void WhenModalLoopIdles(std::function<void()> step)
{
    InsideModalLoop() = std::move(step);
    SetTimer(nullptr, 0, 0, RunInsideModalLoop);
}

} // namespace testsupport
