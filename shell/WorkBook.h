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
// which prints the current page's result window on the program's printer
// (or says that there is none); the write-file button sends saveTextEvent,
// which asks for a file name and saves the current page's text. The buttons
// send their events to their own workbook: through the event queue they
// would reach the front top-level window, which is the main frame and not
// the workbook inside it.
//
// The workbook is an MDI document: the main window shows it in its MDI
// client (SetShowHook). A workbook shown with no frame to stand in is a
// plain top-level window.
//
// Its graph windows pop up GraphMenu on a right click: the graph tools with
// their texts, the current graph kind checked; picking one sends that
// tool's event, as its button does. The Table, Graph and Split buttons
// choose what the current page shows (Page::View).
//
// The Options button ("bt_options") and the graph menu's "Options..." item
// open the option frame on the workbook's own record (bookOptionsEvent):
// on OK or apply every page writes its result again and every graph is
// built again. The graph menu's "Graph options..." item (graphOptionsEvent)
// opens the options of the graph it was shown for.
//
// Ownership: the workbook owns its option record (it clears the record's
// delete-after-run flag), its graph tools' option records and, through the
// notebook, its pages, and its graph menu. The destructor deletes the
// record unless the pointer was cleared (ReleaseOption).
#pragma once

#include "shell/OptionWindowFrame.h"
#include "zaf/core/ZafMDIWindow.h"

#include <string>
#include <vector>

class Page;
class QivPrinter;
class ZafPrinter;
class StatOption;
class ZafButton;
class ZafNotebook;
class ZafPopUpMenu;
class ZafToolBar;

class WorkBook : public ZafMDIWindow, public OptionFrameBook
{
public:
    // Events of the workbook's buttons.
    enum Event : int {
        graphToolEvent = 24550,    // + the tool's number: show that graph
        printEvent = 29000,        // print the current page
        saveTextEvent = 29001,     // save the current page's text to a file
        tableViewEvent = 29002,    // the current page shows its text
        graphViewEvent = 29003,    // the current page shows its graph
        splitViewEvent = 29004,    // the current page shows both side by side
        graphOptionsEvent = 29005, // the option frame on the options of the menu's graph
        fitTextEvent = 29006,      // the workbook grows or shrinks to its page's text
        previewEvent = 29007,      // the print preview of the current page
        bookOptionsEvent = 29008,  // the option frame on the workbook's own record
        multRegEvent = 1002        // the "bt_multreg" button's selection
    };
    // What a graph window takes from its context menu besides ZAF_COPY
    // (copy the graph to the clipboard): ask for a file name and save the
    // graph there as an enhanced metafile.
    static constexpr int saveGraphEvent = 11001;
    // Number ids of the graph menu's items start here.
    static constexpr int graphMenuFirstID = 25000;

    // Where the workbook gets its printer: by default the main window's
    // (QIVprog::GetPrinter); without a printer, printing does nothing.
    using PrinterSource = QivPrinter *(*)();
    // Answers the source it replaces; PrinterSourceInForce the one set.
    static PrinterSource SetPrinterSource(PrinterSource source);
    static PrinterSource PrinterSourceInForce();
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

    // Adds a button to the tool bar: its bitmap drawn from the tool bitmap of
    // that name when there is one (MakeToolBitmap), else its text. A non-zero
    // value is sent to this workbook as an event when it is selected (a
    // derived book handles its own values in Event). Owned by the tool bar.
    ZafButton *AddToolButton(const char *name, const char *text, int value, const char *bitmapName = nullptr);
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
    // Widens a book still at its first size until its visible tool buttons
    // fit one row (no wider than the screen).
    void WidenForToolBar();
    // The caption: the title, followed by " - " and the data set's name
    // once more than one data set has been open (NameDataSetsInTitles).
    std::string CaptionText() const;
    // From now on every workbook's caption names its data set; those shown
    // already are captioned again. Called when a second data set opens.
    static void NameDataSetsInTitles();
    // Whether captions name their data sets (for the tests that reset it).
    static void SetNamingDataSets(bool naming);
    bool Shown() const { return shown; }
    // Deletes every workbook that was made but never shown: what a run that
    // stopped half-way built. A book holding `record` gives it back first
    // (the caller owns it again, deleteAfterRun set). Answers the books
    // deleted.
    static int DeleteUnshownBooks(StatOption *record);
    // The end of an analysis's run: a built book is completed and shown. A
    // book whose build failed stays unshown, for the run's caller to delete
    // with DeleteUnshownBooks, which gives the record back. Answers built.
    static bool FinishRun(WorkBook *book, bool built);
    // The graph kind last shown (-1 none); a book that shows a graph of its
    // own choosing sets it, so that the graph menu marks it.
    int CurrentGraphKind() const { return currentGraphKind; }
    void SetCurrentGraphKind(int kind) { currentGraphKind = kind; }
    // The record's changed flag as the option frame passed it last (0 none).
    int OptionsChangedFlag() const { return optionsChanged; }

    // Prints what the current page shows: its graph in the graph view (in
    // the split view when the graph has the focus), else its result window;
    // pages printed (0: none). A page with destinations of its own prints
    // itself (Page::PrintToOwnDestinations), with or without a printer.
    // Without a printer it says so.
    int PrintCurrentPage();
    // Opens the print preview of what the current page shows, runs it and
    // deletes it; false (and a message) when the page has nothing to show.
    bool PreviewCurrentPage();
    // Saves the current page's result text to that file (columns in blanks,
    // or in tabs); false (and a message) when the page has no text or the
    // file could not be written. The Save button asks for the file first.
    bool SaveCurrentResult(const char *fileName, bool tabs);
    // Opens the option frame on the options of the graph of that kind: its
    // graph option record, or the book's record when the tool has none.
    void OpenGraphOptions(int kind);
    // Opens the option frame on the workbook's own record, unless a frame is
    // open on it already; false when nothing opened.
    bool OpenBookOptions();
    // The messages shown when a destination or a content is missing.
    // A printer set up after the program started is not seen under Wine,
    // whose spooler reads the system's printers once, as the process
    // starts: the message says that a restart finds it.
    static constexpr const char *noPrinterText =
        "No printer is set up: the page cannot be printed. A printer set up since Mervalo started is found "
        "when it is started again.";
    // The tip of the greyed help button.
    static constexpr const char *noHelpText = "No help files";
    static constexpr const char *printFailedText = "The page could not be printed:";
    // The message of a print that failed: what was asked ("page", "pages",
    // "list") could not be printed, and why in words, naming the printer
    // ("the printer PDF cannot be reached", "the print service is not
    // running").
    static std::string PrintFailureText(const QivPrinter &printer, const char *what = "page");
    // The name of a print job of the page: the workbook's caption and the
    // page's.
    std::string JobName(const Page *page) const;
    static constexpr const char *nothingToPrintText = "This page has nothing to print or preview.";
    static constexpr const char *nothingToSaveText = "This page has nothing to save.";
    static constexpr const char *notSavedText = "The text could not be written to that file.";
    // The message of a save that found the disk full: the file's name, ": "
    // and text 33 of group 0 ("the disk is full. ...").
    static std::string DiskFullText(const char *fileName);

    // The graph windows' context menu at (left, top) in screen pixels, its
    // items made again for the tools and the current graph kind. Given the
    // graph window it pops up for, the menu goes on with the options (the
    // workbook's option frame, bookOptionsEvent), the graph's own options
    // (graphOptionsEvent, when its tool has an option window of its own),
    // copy (ZAF_COPY) and save as metafile (saveGraphEvent), which that
    // window is sent, and print (the current page). The workbook owns it; a graph window adds it to the window
    // manager to pop it up. Null with neither tools nor graph window.
    ZafPopUpMenu *GraphMenu(int left, int top, ZafWindowObject *graph = nullptr);
    // The menu GraphMenu made last (null before), owned by the workbook.
    ZafPopUpMenu *LastGraphMenu() const { return graphMenu; }
    // Fills a menu with GraphMenu's items; a graph window fills its own
    // context menu so, once, and owns it.
    void FillGraphMenu(ZafPopUpMenu *menu, ZafWindowObject *graph);
    // The graph window whose menu is up: its copy, save and graph options
    // items act on it.
    void SetGraphMenuWindow(ZafWindowObject *graph) { graphMenuWindow = graph; }
    // Called on the "bt_multreg" button's selection; empty here.
    virtual void MultipleRegression() {}

    ZafEventType Event(const ZafEventRecord &event) override;
    // Inside a frame an MDI child; alone, a plain window rather than a
    // frame of its own.
    HWND CreateOSWindow() override;
    const char *OSClassName() const override;
    // The tool bar across the top (as thick as its rows of buttons), the
    // notebook in the rest of the client area.
    void LayoutChildren() override;

    // What the option frame opened on this workbook asks of it.
    StatOption *FrameOption() override { return option; }
    int FrameGraphOptionCount() override { return GraphToolCount(); }
    StatOption *FrameGraphOption(int index) override { return GraphToolOption(index); }
    void WriteEveryResult() override;
    // Every graph pane of every page builds itself again.
    void RebuildEveryGraph() override;
    void RedisplayBook() override { Redisplay(); }
    void TakeChangedFlag(int flag) override { optionsChanged = flag; }

    // Set by the derived books before CompleteToolBar.
    int titleText = -1; // text number of the title (-1 none)
    int titleGroup = 0;
    std::string title; // the title itself, when the book knows it
    bool keepCaseDocButton = false;
    bool keepMultRegButton = false; // the multiple regression's "bt_multreg"

private:
    struct GraphTool
    {
        int textNumber;
        int group;
        std::string bitmapName;
        StatOption *option; // owned
        ZafButton *button;  // in the tool bar
    };
    void ShowGraph(int kind);
    // A message box over the workbook.
    void Report(const char *title, const char *text);
    // The graph the option items open on: the graph menu's window, else the
    // current page's shown graph.
    int GraphKindForOptions() const;
    // The option record of that graph tool when it makes an option window
    // of its own (null otherwise).
    StatOption *GraphRecordWithWindow(int kind) const;
    void SaveCurrentPageText();
    // A tool button's or graph menu item's selection: its value goes to
    // the workbook as an event.
    static ZafEventType SendToBook(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    // A graph menu item for the graph window: its value goes to that window
    // when the window is still on one of the workbook's pages.
    static ZafEventType SendToGraph(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    bool HoldsGraphWindow(const ZafWindowObject *graph) const;
    void ShowPageView(int view);
    // Sizes the workbook so that the current page's text shows whole, as
    // far as the main window's client area allows.
    void FitToCurrentText();

    StatOption *option;
    int mode;
    std::string dataSetName; // the data set's file name without the directory ("" for none)
    ZafToolBar *toolBar;
    ZafNotebook *notebook;
    std::vector<GraphTool> graphTools;
    ZafPopUpMenu *graphMenu = nullptr;
    ZafWindowObject *graphMenuWindow = nullptr; // the graph window the menu was made for (not owned)
    int pagesNamed = 0;
    int currentGraphKind = -1;
    int optionsChanged = 0;
    bool completed = false;
    bool shown = false;
};
