#include "shell/Page.h"

#include "shell/GraphPane.h"
#include "shell/OutputWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafTitle.h"

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
    if (window)
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
    AddObject(graph);
}

GraphPane *Page::CurrentGraph() const
{
    for (auto graph = graphWindows.rbegin(); graph != graphWindows.rend(); ++graph)
        if (auto *pane = dynamic_cast<GraphPane *>(*graph))
            return pane;
    return nullptr;
}
