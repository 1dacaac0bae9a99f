// Page: one page of a workbook's notebook: its result window (the text
// pane), its computation object and the graph windows made for it.
//
// Ownership: the page owns its result window, its computation object and
// its graph windows, and deletes them with itself; the workbook's notebook
// owns the page. The result window and the graph windows are children of
// the page (a window deletes its children); the computation is deleted by
// the destructor.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <vector>

class GraphPane;
class OutputWindow;
class StatClass;
class StatOption;

class Page : public ZafWindow
{
public:
    // caption: the text of the page's tab (copied).
    explicit Page(const char *caption);
    ~Page() override;

    // Each replaces (and deletes) what the page held before.
    void SetResultWindow(OutputWindow *window);
    void SetComputation(StatClass *computation);
    OutputWindow *ResultWindow() const { return resultWindow; }
    StatClass *Computation() const { return computation; }

    // A new graph window of that kind on the page's computation, or null.
    // kind: the graph tool's number in the order of WorkBook::AddGraphTool;
    // argument: the workbook's option record. The base makes none.
    virtual ZafWindow *CreateGraphWindow(int kind, StatOption *argument);
    // Keeps a graph window made for the page (owned from now on).
    void AddGraphWindow(ZafWindow *graph);
    const std::vector<ZafWindow *> &GraphWindows() const { return graphWindows; }
    // The graph pane shown last on the page (the newest graph window that
    // is one); null when the page shows none.
    GraphPane *CurrentGraph() const;

private:
    OutputWindow *resultWindow = nullptr;
    StatClass *computation = nullptr;
    std::vector<ZafWindow *> graphWindows;
};
