#include "shell/Page.h"

#include "dataset/ProgramSettings.h"
#include "shell/GraphPane.h"
#include "shell/OutputWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafTitle.h"

#include <windows.h>

#include <algorithm>

Page::Page(const char *caption) : ZafWindow(0, 0, 60, 20), caption(caption ? caption : "")
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
    SetComputation(nullptr);
    for (DATASET *dataSet : heldDataSets)
        ProgramSettings::Instance()->ReleaseDataSet(dataSet);
}

void Page::HoldDataSet(DATASET *dataSet)
{
    if (!dataSet)
        return;
    ProgramSettings::Instance()->HoldDataSet(dataSet);
    heldDataSets.push_back(dataSet);
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
    if (computation == newComputation)
        return;
    // The computation's data set stays open while the computation lives,
    // whatever data set is opened meanwhile.
    ProgramSettings *settings = ProgramSettings::Instance();
    settings->HoldDataSet(newComputation ? newComputation->GetDataSet() : nullptr);
    DATASET *before = computation ? computation->GetDataSet() : nullptr;
    delete computation;
    settings->ReleaseDataSet(before);
    computation = newComputation;
}

ZafWindow *Page::CreateGraphWindow(int kind, StatOption *argument)
{
    (void)kind;
    (void)argument;
    return nullptr;
}

int Page::PrintToOwnDestinations(QivPrinter *)
{
    return -1;
}

int Page::GraphKindOf(const ZafWindowObject *graph) const
{
    for (size_t i = 0; i < graphWindows.size(); ++i)
        if (graphWindows[i] == graph)
            return graphKinds[i];
    return -1;
}

void Page::AddGraphWindow(ZafWindow *graph, int kind)
{
    if (!graph)
        return;
    if (view == viewText)
        view = viewGraph;
    const auto held = std::find(graphWindows.begin(), graphWindows.end(), graph);
    if (held != graphWindows.end()) {
        // The page deletes each of its graph windows once: one handed back
        // only becomes the current graph again.
        const auto index = held - graphWindows.begin();
        graphWindows.erase(held);
        graphKinds.erase(graphKinds.begin() + index);
        graphWindows.push_back(graph);
        graphKinds.push_back(kind);
        MovePanes();
        return;
    }
    graphWindows.push_back(graph);
    graphKinds.push_back(kind);
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
    MovePanes();
}

void Page::MovePanes()
{
    PlacePanes();
    for (ZafWindowObject *pane :
         {static_cast<ZafWindowObject *>(resultWindow), static_cast<ZafWindowObject *>(CurrentGraphWindow())})
        if (pane && pane->OSHandle())
            pane->MoveOSWindow();
}

GraphPane *Page::ShownGraph() const
{
    ZafWindow *window = CurrentGraphWindow();
    auto *graph = dynamic_cast<GraphPane *>(window);
    if (!graph || view == viewText)
        return nullptr;
    if (view == viewGraph)
        return graph;
    // Split: the pane the user works in.
    HWND focus = GetFocus();
    HWND own = window->OSHandle();
    return own && focus && (focus == own || IsChild(own, focus)) ? graph : nullptr;
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
