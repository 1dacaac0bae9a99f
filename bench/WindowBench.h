// What the benchmarks that open a workbook share: wall-clock seconds, the
// drain of the thread's and the class library's event queues (so that what
// a window posts is done before a time is taken), and the process's peak
// working set. Header only: every benchmark is one program of its own .cpp.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <chrono>

#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"

namespace windowbench {

inline double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

inline void Drain()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    ZafEventRecord event;
    while (zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT))
        zafWindowManager->Event(event);
}

inline double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / 1048576.0;
}

} // namespace windowbench
