// WorkBook: the result window of one analysis run: a notebook of pages (one
// per variable or pair of variables) under a tool bar.
//
// An analysis builds it in this order: the constructor takes the option
// record; AddGraphTool registers each graph the pages can draw (tools are
// numbered from 0 in that order); AddPage adds each page; CompleteToolBar
// puts in the remaining buttons, sets the title and shows the workbook.
//
// Events: graph tool n's button sends graphToolEvent + n, which asks the
// current page for a graph of kind n; the print button sends printEvent,
// which prints the current page's result window on the program's printer;
// the write-file button sends saveTextEvent, which asks for a file name and
// saves the current page's text.
//
// Ownership: the workbook owns its option record (it clears the record's
// delete-after-run flag), its graph tools' option records and, through the
// notebook, its pages. The destructor deletes the record unless the pointer
// was cleared (ReleaseOption).
#pragma once

#include "shell/OptionWindowFrame.h"
#include "zaf/core/ZafWindow.h"

#include <string>
#include <vector>

class Page;
class QivPrinter;
class StatOption;
class ZafButton;
class ZafNotebook;
class ZafToolBar;

class WorkBook : public ZafWindow, public OptionFrameBook
{
public:
    // Events of the workbook's buttons.
    enum Event : int {
        graphToolEvent = 24550, // + the tool's number: show that graph
        printEvent = 29000,     // print the current page
        saveTextEvent = 29001,  // save the current page's text to a file
        multRegEvent = 1002     // the "bt_multreg" button's selection
    };

    // Where the workbook gets its printer: by default the main window's
    // (QIVprog::GetPrinter); without a printer, printing does nothing.
    using PrinterSource = QivPrinter *(*)();
    static PrinterSource SetPrinterSource(PrinterSource source);
    // Shows a completed workbook (the main window adds it to its MDI
    // client); by default the window manager takes it as a top-level window.
    using ShowHook = void (*)(WorkBook *book);
    static ShowHook SetShowHook(ShowHook hook);

    // flag: 1 for the biplot and map workbooks (mode word 1), else 0.
    WorkBook(StatOption *option, int flag);
    ~WorkBook() override;

    StatOption *Option() const { return option; }
    // Hands the record back to the caller: the workbook no longer deletes it.
    StatOption *ReleaseOption();
    int Mode() const { return mode; }

    // Registers a graph tool and answers its number. The workbook owns the
    // graph option record (may be null).
    int AddGraphTool(int textNumber, int group, const char *bitmapName, StatOption *graphOption);
    int GraphToolCount() const { return static_cast<int>(graphTools.size()); }
    StatOption *GraphToolOption(int tool) const;
    // Names the page "Page" and its number (from 1) and adds it.
    void AddPage(Page *page);
    int PageCount() const;
    Page *PageAt(int index) const;
    Page *CurrentPage() const;
    ZafNotebook *Notebook() const { return notebook; }
    ZafToolBar *ToolBar() const { return toolBar; }
    // Completes the tool bar, sets the title and shows the workbook (once).
    void CompleteToolBar();
    bool Shown() const { return shown; }
    // The graph kind last shown (-1 none).
    int CurrentGraphKind() const { return currentGraphKind; }

    // Prints the current page: its graph when it shows one, else its result
    // window; pages printed (0: none).
    int PrintCurrentPage();
    // Called on the "bt_multreg" button's selection; empty here.
    virtual void MultipleRegression() {}

    ZafEventType Event(const ZafEventRecord &event) override;

    // What the option frame opened on this workbook asks of it.
    StatOption *FrameOption() override { return option; }
    int FrameGraphOptionCount() override { return GraphToolCount(); }
    StatOption *FrameGraphOption(int index) override { return GraphToolOption(index); }
    void WriteEveryResult() override;
    // Every graph pane of every page builds itself again.
    void RebuildEveryGraph() override;
    void RedisplayBook() override { Redisplay(); }

    // Set by the derived books before CompleteToolBar.
    int titleText = -1; // text number of the title (-1 none)
    int titleGroup = 0;
    std::string title; // the title itself, when the book knows it
    bool keepCaseDocButton = false;

private:
    struct GraphTool
    {
        int textNumber;
        int group;
        std::string bitmapName;
        StatOption *option; // owned
        ZafButton *button;  // in the tool bar
    };
    ZafButton *AddToolButton(const char *name, const char *text, int value);
    void ShowGraph(int kind);
    void SaveCurrentPageText();
    static ZafEventType MultRegUserFunction(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);

    StatOption *option;
    int mode;
    ZafToolBar *toolBar;
    ZafNotebook *notebook;
    std::vector<GraphTool> graphTools;
    int pagesNamed = 0;
    int currentGraphKind = -1;
    bool completed = false;
    bool shown = false;
};
