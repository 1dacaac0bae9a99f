// Page: one page of a workbook's notebook: its result window (the text
// pane), its computation object and the graph windows made for it.
//
// Ownership: the page owns its result window, its computation object and
// its graph windows, and deletes them with itself; the workbook's notebook
// owns the page. The result window and the graph windows are children of
// the page (a window deletes its children); the computation is deleted by
// the destructor. The page holds the computation's data set
// (ProgramSettings::HoldDataSet) while it has the computation, so that its
// text and graphs still read that data set after another one is opened.
//
// Layout: the page gives its panes its own client area: the result window
// alone (text view), the current graph alone (graph view, the view a new
// graph window brings), or the text on the left half and the graph on the
// right (split view). Graph windows other than the current one are hidden.
// Each pane is laid out again whenever the page's size changes.
#pragma once

#include <string>

#include "zaf/core/ZafWindow.h"

#include <vector>

class DATASET;
class GraphPane;
class OutputWindow;
class QivPrinter;
class StatClass;
class StatOption;

class Page : public ZafWindow
{
public:
    // What the page shows.
    enum View : int {
        viewText = 0,  // the result window over the whole page
        viewGraph = 1, // the current graph over the whole page (text without a graph)
        viewSplit = 2  // the text on the left half, the current graph on the right
    };

    // caption: the text of the page's tab (copied).
    explicit Page(const char *caption);
    // The text of the page's tab.
    const std::string &Caption() const { return caption; }
    // What the page shows, named whole on its printed graph (the tab's
    // text, which a page may have shortened).
    virtual std::string Subject() const { return caption; }
    ~Page() override;

    // Each replaces (and deletes) what the page held before.
    void SetResultWindow(OutputWindow *window);
    void SetComputation(StatClass *computation);
    OutputWindow *ResultWindow() const { return resultWindow; }
    StatClass *Computation() const { return computation; }
    // Holds a data set that the page's windows read besides the
    // computation's, until the page is deleted (null is ignored).
    void HoldDataSet(DATASET *dataSet);

    // A new graph window of that kind on the page's computation, or null.
    // kind: the graph tool's number in the order of WorkBook::AddGraphTool;
    // argument: the workbook's option record. The base makes none.
    virtual ZafWindow *CreateGraphWindow(int kind, StatOption *argument);
    // Keeps a graph window made for the page (owned from now on); it
    // becomes the current graph, shown in the graph view (the split view
    // stays split). A window the page holds already is held once: it only
    // becomes the current graph again.
    // kind: the graph tool's number that made it (-1 not known).
    void AddGraphWindow(ZafWindow *graph, int kind = -1);
    const std::vector<ZafWindow *> &GraphWindows() const { return graphWindows; }
    // The kind a graph window of the page was made as (-1: not known or not
    // the page's).
    int GraphKindOf(const ZafWindowObject *graph) const;
    // Printing a page whose result prints to destinations of its own (a
    // printer, a file or the clipboard, chosen in its own dialog): such a
    // page overrides this, and answers the pages printed; it is given the
    // program's printer, which may be null. The base answers -1: the
    // workbook prints the page on the program's printer.
    virtual int PrintToOwnDestinations(QivPrinter *printer);
    // The graph pane shown last on the page (the newest graph window that
    // is one); null when the page shows none.
    GraphPane *CurrentGraph() const;

    void SetView(View newView);
    // The graph that printing and the preview take: the current graph in
    // the graph view; in the split view when the focus is in it; else null
    // (the result window is what the page shows).
    GraphPane *ShownGraph() const;
    // The panes' places in the page's client area, then the base's layout.
    void LayoutChildren() override;
    ZafEventType Event(const ZafEventRecord &event) override;

private:
    std::string caption;
    // The newest graph window (any kind), or null.
    ZafWindow *CurrentGraphWindow() const;
    // The page's client area in pixels (from its region before it has a
    // Windows window).
    RECT ClientArea() const;
    // Gives each pane its place and visibility for the view.
    void PlacePanes();
    // PlacePanes, then the panes' Windows windows moved to their places.
    void MovePanes();

    View view = viewText;
    OutputWindow *resultWindow = nullptr;
    StatClass *computation = nullptr;
    std::vector<DATASET *> heldDataSets;
    std::vector<ZafWindow *> graphWindows;
    std::vector<int> graphKinds; // beside graphWindows
};
