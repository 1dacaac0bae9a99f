// Benchmark: broadcasts one event to the children of a window of 1,000 to
// 16,000 children and prints the time per broadcast and per child, beside
// the walk the window used before (a copy of the child list and a search of
// the list for every child), so that a linear walk shows a flat time per
// child. Run by hand under Wine: wine build/bench/zaf_broadcast.exe
#include "zaf/core/ZafWindow.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

constexpr ZafEventType benchCode = 30002;
constexpr int kRepeats = 5;

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

struct Counter : ZafWindowObject
{
    Counter() : ZafWindowObject(0, 0, 1, 1) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != benchCode)
            return ZafWindowObject::Event(event);
        ++received;
        return event.type;
    }
    long received = 0;
};

// The former walk: the objects copied first, each then looked up in the
// window's lists before it was sent the event.
void FormerBroadcast(ZafWindow &window, const ZafEventRecord &event)
{
    std::vector<ZafWindowObject *> objects;
    for (ZafElement *e = window.First(); e; e = e->Next())
        objects.push_back(static_cast<ZafWindowObject *>(e));
    for (ZafWindowObject *object : objects)
        if (window.SupportList().Contains(object) || window.Contains(object))
            object->Event(event);
}

template <class Walk> double MillisecondsPerBroadcast(ZafWindow &window, Walk walk)
{
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) {
        const double start = Seconds();
        walk(window);
        const double elapsed = Seconds() - start;
        best = elapsed < best ? elapsed : best;
    }
    return best * 1000.0;
}

} // namespace

int main()
{
    const ZafEventRecord event(benchCode);
    std::printf("%8s %14s %14s %16s\n", "children", "ms/broadcast", "ns/child", "former ms");
    for (int children : {1000, 2000, 4000, 8000, 16000}) {
        ZafWindow window(0, 0, 10, 10);
        for (int i = 0; i < children; ++i)
            window.AddObject(new Counter);
        const double now = MillisecondsPerBroadcast(window, [&](ZafWindow &w) { w.BroadcastEvent(event, 0); });
        const double former = MillisecondsPerBroadcast(window, [&](ZafWindow &w) { FormerBroadcast(w, event); });
        std::printf("%8d %14.3f %14.1f %16.3f\n", children, now, now * 1e6 / children, former);
    }
    return 0;
}
