// What the graph drawing benchmarks share: the size of the view they draw
// into, a top-level window to host the graph window, and the timing of
// full draws into a memory bitmap. Header only: every benchmark is one
// program of its own .cpp file.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "graphs/GRAPHWIN.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"

namespace graphbench {

constexpr int width = 800, height = 600;

// Takes the queued messages off the thread's queue and dispatches them.
inline void DrainMessages()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        ZafDispatchMessage(m);
}

// A top-level window holding the graph, so that it has its Windows window
// and a view of width x height pixels. The window manager owns it.
inline ZafWindow *Host(GRAPHWIN *graph)
{
    auto *window = new ZafWindow(0, 0, width + 40, height + 60);
    window->SetCoordinateType(ZAF_PIXEL);
    graph->SetCoordinateType(ZAF_PIXEL);
    graph->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
    window->AddObject(graph);
    zafWindowManager->AddObject(window);
    graph->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    DrainMessages();
    return window;
}

// The median seconds of the runs of draw(dc), each into a white memory
// bitmap of width x height pixels.
template <class Draw> double TimeDraws(int runs, Draw draw)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        const auto start = std::chrono::steady_clock::now();
        draw(dc);
        GdiFlush();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

} // namespace graphbench
