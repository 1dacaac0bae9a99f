#include "shell/Page.h"

#include "shell/GraphPane.h"
#include "shell/OutputWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafTitle.h"

#include <windows.h>

#include <algorithm>

Page::Page(const char *caption) : ZafWindow(0, 0, 60, 20)
{
    // The notebook's tab takes the title and shows its text.
    AddObject(new ZafTitle(caption ? caption : ""));
}

Page::~Page()
{
    // The windows go before the computation they draw from, so that no
    // window's destructor meets a deleted computation.
    for (ZafWindow *graph : graphWindows) {
        SubtractObject(graph);
        delete graph;
    }
    SetResultWindow(nullptr);
    delete computation;
}

void Page::SetResultWindow(OutputWindow *window)
{
    if (resultWindow) {
        SubtractObject(resultWindow);
        delete resultWindow;
    }
    resultWindow = window;
    if (!window)
        return;
    PlacePanes();
    AddObject(window);
}

void Page::SetComputation(StatClass *newComputation)
{
    if (computation != newComputation)
        delete computation;
    computation = newComputation;
}

ZafWindow *Page::CreateGraphWindow(int kind, StatOption *argument)
{
    (void)kind;
    (void)argument;
    return nullptr;
}

void Page::AddGraphWindow(ZafWindow *graph)
{
    if (!graph)
        return;
    graphWindows.push_back(graph);
    if (view == viewText)
        view = viewGraph;
    // Placed before it is added, so that its Windows window is made at its
    // size: a graph builds itself on the size it first has.
    PlacePanes();
    AddObject(graph);
}

ZafWindow *Page::CurrentGraphWindow() const
{
    return graphWindows.empty() ? nullptr : graphWindows.back();
}

void Page::SetView(View newView)
{
    if (newView == view)
        return;
    view = newView;
    PlacePanes();
    for (ZafWindowObject *pane :
         {static_cast<ZafWindowObject *>(resultWindow), static_cast<ZafWindowObject *>(CurrentGraphWindow())})
        if (pane && pane->OSHandle())
            pane->MoveOSWindow();
}

RECT Page::ClientArea() const
{
    RECT area = {};
    if (osWindow && GetClientRect(osWindow, &area))
        return area;
    ZafRegionRect pixels = Region();
    ConvertRegion(pixels, ZAF_PIXEL);
    area.right = std::max<LONG>(pixels.right - pixels.left + 1, 0);
    area.bottom = std::max<LONG>(pixels.bottom - pixels.top + 1, 0);
    return area;
}

void Page::PlacePanes()
{
    const RECT area = ClientArea();
    const int width = std::max<int>(area.right, 1), height = std::max<int>(area.bottom, 1);
    ZafWindow *graph = CurrentGraphWindow();
    // Without a graph the text shows whatever the view.
    const View shown = graph ? view : viewText;
    const int split = width / 2;
    const ZafRegionRect whole(0, 0, width - 1, height - 1, ZAF_PIXEL);
    if (resultWindow) {
        resultWindow->SetRegion(shown == viewSplit ? ZafRegionRect(0, 0, split - 1, height - 1, ZAF_PIXEL) : whole);
        resultWindow->SetVisible(shown != viewGraph);
    }
    for (ZafWindow *window : graphWindows) {
        if (window != graph) {
            window->SetVisible(false);
            continue;
        }
        window->SetRegion(shown == viewSplit ? ZafRegionRect(split, 0, width - 1, height - 1, ZAF_PIXEL) : whole);
        window->SetVisible(shown != viewText);
    }
}

void Page::LayoutChildren()
{
    PlacePanes();
    ZafWindow::LayoutChildren();
}

ZafEventType Page::Event(const ZafEventRecord &event)
{
    const ZafEventType result = ZafWindow::Event(event);
    // A page placed at the size it already had gets no WM_SIZE: its panes
    // are laid out whenever the page is.
    if (event.type == ZAF_APPLY_GEOMETRY && osWindow)
        LayoutChildren();
    return result;
}

GraphPane *Page::CurrentGraph() const
{
    for (auto graph = graphWindows.rbegin(); graph != graphWindows.rend(); ++graph)
        if (auto *pane = dynamic_cast<GraphPane *>(*graph))
            return pane;
    return nullptr;
}
