// The workbook built as an analysis builds it: graph tools numbered in
// order, pages named in the notebook, the tool bar completed and the book
// shown once (as a document of an MDI frame), the graph, print and context
// menu events reaching the book, and what the book deletes with itself.
#include "../zaf/controls/ControlTestHarness.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>

#include "dataset/PFILE.h"
#include "dataset/TextCatalog.h"
#include "shell/GraphPane.h"
#include "shell/Page.h"
#include "shell/PrintPreview.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "shell/WorkBook.h"
#include "tests/support/LayoutCheck.h"
#include "tests/shell/MetafileRecords.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/TempDirectory.h"
#include "stats/StatClass.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafTextField.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafNotebook.h"

namespace {

int optionsDeleted = 0;
std::vector<const StatClass *> deletedComputations;

struct CountedOption : StatOption
{
    ~CountedOption() override { ++optionsDeleted; }
};

struct CountedComputation : StatClass
{
    ~CountedComputation() override { deletedComputations.push_back(this); }
};

// A window that notes, as it goes, whether the computation was still there.
struct WatchingWindow : ZafWindow
{
    // Made with no size, as the graph windows are: the page sizes it.
    explicit WatchingWindow(const StatClass *computation) : ZafWindow(0, 0, 0, 0), watched(computation) {}
    ~WatchingWindow() override
    {
        computationAliveAtWindowEnd =
            std::find(deletedComputations.begin(), deletedComputations.end(), watched) == deletedComputations.end();
    }
    const StatClass *watched;
    static inline bool computationAliveAtWindowEnd = false;
};

// A page that draws a graph of kind 1 only, and remembers what it was asked.
struct GraphPage : Page
{
    using Page::Page;
    ZafWindow *CreateGraphWindow(int kind, StatOption *argument) override
    {
        askedKind = kind;
        askedArgument = argument;
        return kind == 1 ? new WatchingWindow(Computation()) : nullptr;
    }
    int askedKind = -1;
    StatOption *askedArgument = nullptr;
};

// The printer the books print on: a metafile (Wine has no printer), or none.
HDC printerDC = nullptr;
QivPrinter *TestPrinter()
{
    static QivPrinter *printer = nullptr;
    delete printer;
    printer = printerDC ? new QivPrinter(printerDC) : nullptr;
    return printer;
}
// The text printed on the metafile since the last call.
std::string TakePrinted()
{
    HDC dc = printerDC;
    printerDC = nullptr;
    TestPrinter(); // lets the printer go before its context
    std::string drawn;
    for (const std::string &line : metafile::Close(dc).texts)
        drawn += line;
    return drawn;
}

ZafMDIWindow *frame = nullptr;
void ShowInFrame(WorkBook *book)
{
    frame->AddObject(book);
}

class WorkBookTest : public controltest::ControlTest
{
protected:
    WorkBookTest()
    {
        ZafNotebookTab::InstallHooks();
        optionsDeleted = 0;
        deletedComputations.clear();
        previousPrinterSource = WorkBook::SetPrinterSource(TestPrinter);
    }
    // The program's printer source comes back for the tests that follow.
    ~WorkBookTest() override { WorkBook::SetPrinterSource(previousPrinterSource); }

    WorkBook::PrinterSource previousPrinterSource = nullptr;

    // A book with two graph tools and two pages, each page with a text.
    WorkBook *Build()
    {
        option = new CountedOption;
        auto *book = new WorkBook(option, 0);
        EXPECT_EQ(book->AddGraphTool(18, 5, "graph_hbars", new CountedOption), 0);
        EXPECT_EQ(book->AddGraphTool(17, 5, "graph_pie", new CountedOption), 1);
        for (int v = 1; v <= 2; ++v) {
            auto *page = new GraphPage(("v" + std::to_string(v)).c_str());
            auto *text = new TXTWIN("Frequencies", 0);
            text->WriteString("table of v");
            text->WriteInteger(v);
            text->EndLine();
            page->SetResultWindow(text);
            page->SetComputation(new CountedComputation);
            book->AddPage(page);
        }
        return book;
    }

    // The book completed and shown on its own (not in a frame), sized first.
    void Show(WorkBook *book, const ZafRegionRect &region)
    {
        WorkBook::ShowHook previous = WorkBook::SetShowHook(nullptr);
        book->SetRegion(region);
        book->CompleteToolBar();
        WorkBook::SetShowHook(previous);
        Pump();
    }
    void Close(WorkBook *book)
    {
        zafWindowManager->CloseWindow(book);
        Pump();
    }

    CountedOption *option = nullptr;
};

TEST_F(WorkBookTest, TakesTheRecordNumbersToolsNamesPagesAndDeletesWhatItOwns)
{
    WorkBook *book = Build();
    ASSERT_EQ(book->PageCount(), 2);
    EXPECT_STREQ(book->PageAt(1)->StringID(), "Page2");
    std::vector<int> values;
    for (ZafElement *e = book->ToolBar()->First(); e; e = e->Next())
        values.push_back(static_cast<ZafButton *>(e)->Value());
    EXPECT_EQ(values, (std::vector<int>{WorkBook::graphToolEvent, WorkBook::graphToolEvent + 1}));
    delete book;
    EXPECT_EQ(optionsDeleted, 3) << "the record and both graph records";
    EXPECT_EQ(deletedComputations.size(), 2u);

    // A record handed back stays.
    book = Build();
    StatOption *released = book->ReleaseOption();
    delete book;
    EXPECT_EQ(optionsDeleted, 5);
    delete released;
}

TEST_F(WorkBookTest, CompletingShowsOnceAndHidesGraphButtonsWithoutTools)
{
    std::vector<WorkBook *> shown;
    static std::vector<WorkBook *> *record;
    record = &shown;
    WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *book) { record->push_back(book); });
    auto *plain = new WorkBook(new CountedOption, 0);
    plain->CompleteToolBar();
    plain->CompleteToolBar();
    WorkBook *withGraphs = Build();
    withGraphs->CompleteToolBar();
    WorkBook::SetShowHook(previous);
    EXPECT_EQ(shown, (std::vector<WorkBook *>{plain, withGraphs}));
    for (const char *name : {"bt_table", "bt_graph", "bt_split", "bt_size"}) {
        EXPECT_FALSE(plain->ToolBar()->FindObjectByStringID(name)->Visible()) << name;
        EXPECT_TRUE(withGraphs->ToolBar()->FindObjectByStringID(name)->Visible()) << name;
    }
    EXPECT_FALSE(withGraphs->ToolBar()->FindObjectByStringID("bt_casedoc")->Visible());
    delete plain;
    delete withGraphs;
}

TEST_F(WorkBookTest, EventsAskTheCurrentPageForAGraphAndPrintIt)
{
    WorkBook *book = Build();
    book->Notebook()->SetCurrentPage(1);
    auto *page = static_cast<GraphPage *>(book->CurrentPage());
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 0));
    EXPECT_EQ(page->askedKind, 0);
    EXPECT_EQ(book->CurrentGraphKind(), -1) << "the page made no graph of kind 0";
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 1));
    EXPECT_EQ(page->askedArgument, book->Option());
    EXPECT_EQ(page->GraphWindows().size(), 1u);
    EXPECT_EQ(book->CurrentGraphKind(), 1);
    page->askedKind = -1;
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 2));
    EXPECT_EQ(page->askedKind, -1) << "a number past the tools is no graph event";

    // Without a printer the user is told; with one the current page prints.
    EXPECT_EQ(book->PrintCurrentPage(), 0);
    ASSERT_EQ(controltest::Reports().size(), 1u);
    EXPECT_NE(controltest::Reports()[0].find(WorkBook::noPrinterText), std::string::npos);
    controltest::Reports().clear();
    printerDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    book->Event(ZafEventRecord(WorkBook::printEvent));
    const std::string drawn = TakePrinted();
    EXPECT_NE(drawn.find("table of v2"), std::string::npos) << drawn;
    EXPECT_EQ(drawn.find("table of v1"), std::string::npos);

    // A graph window goes before the computation it draws from.
    WatchingWindow::computationAliveAtWindowEnd = false;
    delete book;
    EXPECT_TRUE(WatchingWindow::computationAliveAtWindowEnd);
}

TEST_F(WorkBookTest, TheGraphMenuListsTheToolsMarksTheCurrentKindAndChoosesAGraph)
{
    testsupport::TempDirectory directory("mervalobook");
    std::ofstream(directory.File("qivsttst.btx"), std::ios::binary) << "5.17\tPie\r\n5.18\tBars\r\n";
    TextCatalog catalog(directory.Path(), "tst");
    ASSERT_EQ(catalog.Error(), TEXTCAT_OK);
    TextCatalog *previous = GetStatTextCatalog();
    SetStatTextCatalog(&catalog);
    WorkBook *book = Build();
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 1));
    ZafPopUpMenu *menu = book->GraphMenu(10, 20);
    SetStatTextCatalog(previous);
    ASSERT_NE(menu, nullptr);

    std::vector<std::pair<std::string, bool>> items;
    for (ZafElement *e = menu->First(); e; e = e->Next()) {
        auto *item = static_cast<ZafPopUpItem *>(e);
        items.emplace_back(item->Text(), item->Selected());
    }
    EXPECT_EQ(items, (std::vector<std::pair<std::string, bool>>{{"Bars", false}, {"Pie", true}}));
    // Picking the first item chooses its graph, as its tool button does.
    auto *page = static_cast<GraphPage *>(book->CurrentPage());
    static_cast<ZafWindowObject *>(menu->First())->Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_EQ(page->askedKind, 0);
    delete book;

    auto *plain = new WorkBook(new CountedOption, 0);
    EXPECT_EQ(plain->GraphMenu(0, 0), nullptr) << "no tools, no menu";
    delete plain;
}

int previewPages = -1;
void NotePreviewAndClose()
{
    auto *preview = dynamic_cast<PrintPreview *>(ZafDialogWindow::ModalWindow());
    if (!preview)
        return testsupport::WhenModalLoopIdles(NotePreviewAndClose, 10);
    previewPages = preview->PageCount();
    preview->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
}

TEST_F(WorkBookTest, OnScreenABookIsADocumentOfTheFrameAndItsButtonsReachIt)
{
    frame = new ZafMDIWindow(0, 0, 90, 30);
    frame->SetVisible(false);
    zafWindowManager->AddObject(frame);
    WorkBook::ShowHook previous = WorkBook::SetShowHook(ShowInFrame);
    WorkBook *book = Build();
    // Past the 32,767 characters an edit control holds unless told otherwise.
    auto *text = static_cast<TXTWIN *>(book->PageAt(0)->ResultWindow());
    for (int row = 0; row < 2000; ++row) {
        text->Right(20);
        text->WriteInteger(row);
        text->EndLine();
    }
    text->ShowText();
    book->AddToolButton("bt_own", "Own", WorkBook::graphToolEvent + 1);
    book->CompleteToolBar();
    WorkBook::SetShowHook(previous);
    Pump();
    ASSERT_TRUE(book->IsCreated());
    EXPECT_TRUE(book->IsMDIChild());
    EXPECT_EQ(GetParent(book->OSHandle()), frame->ClientWindow());
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthA(text->TextField()->OSHandle())), text->Text().size());

    printerDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Click(book->ToolBar()->FindObjectByStringID("bt_print")->OSHandle());
    Pump();
    EXPECT_NE(TakePrinted().find("table of v1"), std::string::npos);
    EXPECT_NE(static_cast<ZafButton *>(book->ToolBar()->First())->BitmapData(), nullptr);
    testsupport::WhenModalLoopIdles(NotePreviewAndClose);
    Click(book->ToolBar()->FindObjectByStringID("bt_preview")->OSHandle());
    Pump();
    EXPECT_GT(previewPages, 1) << "the preview of the long text's pages";
    // A button the book was given sends its value to the book.
    Click(book->ToolBar()->FindObjectByStringID("bt_own")->OSHandle());
    Pump();
    EXPECT_EQ(book->CurrentGraphKind(), 1);

    // Closing the document deletes it with its record.
    SendMessageA(book->OSHandle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(optionsDeleted, 3);
    zafWindowManager->CloseWindow(frame);
    Pump();
}

// A tool with a picture shows the picture with its caption as the tip; one
// without shows its caption whole; every tool lies inside the bar.
TEST_F(WorkBookTest, ToolsShowTheirWholeCaptionOrTheirPictureWithTheCaptionAsTip)
{
    WorkBook *book = Build();
    const char *const longCaption = "Confidence intervals of the mean";
    ZafButton *pictured = book->AddToolButton("bt_pictured", longCaption, 0, "graph_confint");
    ZafButton *worded = book->AddToolButton("bt_worded", "Residual plot of the regression", 0);
    Show(book, ZafRegionRect(0, 0, 119, 30, ZAF_CELL));
    ASSERT_TRUE(pictured->IsCreated());
    EXPECT_STREQ(longCaption, pictured->TipText());
    EXPECT_EQ(0, GetWindowTextLengthA(pictured->OSHandle()));
    EXPECT_EQ("", testsupport::LayoutCheck(book->ToolBar()).Report());

    // The tooltip control holds the picture's caption.
    HWND tips = ZafTipControl();
    ASSERT_NE(nullptr, tips);
    char shown[80] = "";
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = GetParent(pictured->OSHandle());
    info.uId = reinterpret_cast<UINT_PTR>(pictured->OSHandle());
    info.lpszText = shown;
    SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(longCaption, shown);
    (void)worded;
    Close(book);
}

// The grey "?" gets no mouse messages: its tool bar does, and the tooltip
// control, asking which window is under the pointer, is told the bar's.
// Once the bar's mouse message has passed over the button, the tooltip finds
// the button's tip at that point of the bar, as it does when it shows a tip;
// below the buttons it finds none.
TEST_F(WorkBookTest, TheGreyHelpButtonsTipShowsOverItsToolBar)
{
    WorkBook *book = Build();
    Show(book, ZafRegionRect(0, 0, 119, 30, ZAF_CELL));
    ZafWindowObject *help = book->ToolBar()->FindObjectByStringID("bt_help");
    ASSERT_TRUE(help && help->OSHandle() && help->Disabled());
    EXPECT_STREQ(WorkBook::noHelpText, help->TipText());
    HWND tips = ZafTipControl();
    ASSERT_NE(nullptr, tips);
    HWND bar = GetParent(help->OSHandle());
    RECT place = {};
    GetWindowRect(help->OSHandle(), &place);
    POINT centre = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    ScreenToClient(bar, &centre);
    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    auto tipAt = [&](POINT point) {
        static char text[1024];
        text[0] = 0;
        TTHITTESTINFOA hit = {};
        hit.hwnd = bar;
        hit.pt = point;
        hit.ti.cbSize = TTTOOLINFOA_V1_SIZE;
        hit.ti.lpszText = text;
        if (!SendMessageA(tips, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)))
            return std::string("none");
        TOOLINFOA found = {};
        found.cbSize = TTTOOLINFOA_V1_SIZE;
        found.hwnd = hit.ti.hwnd;
        found.uId = hit.ti.uId;
        found.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&found));
        return std::string(text);
    };
    EXPECT_EQ(WorkBook::noHelpText, tipAt(centre));
    EXPECT_EQ("none", tipAt(POINT{centre.x, 10000}));
    Close(book);
}

// A book whose visible tool buttons need more room than its first width.
struct ShapedBook : WorkBook
{
    ShapedBook(StatOption *record, bool regression, bool cases) : WorkBook(record, 0)
    {
        keepMultRegButton = regression;
        keepCaseDocButton = cases;
    }
};

// Every analysis's book shown at its first size in the frame keeps all its
// visible tool buttons in one row: the books of one to four graph tools, the
// regression's with its Regression button, the case list's, and the map's
// three graph tools and three picture buttons.
TEST_F(WorkBookTest, EveryBookShowsItsToolBarInOneRowAtItsFirstSize)
{
    struct Shape
    {
        const char *name;
        int graphTools;
        bool regression, cases;
        int mapButtons;
    };
    const Shape shapes[] = {{"case list", 0, false, true, 0},   {"frequencies", 2, false, false, 0},
                            {"regression", 2, true, false, 0},  {"analysis of variance", 4, false, false, 0},
                            {"map", 3, false, false, 3},        {"every button", 4, true, true, 3}};
    frame = new ZafMDIWindow(0, 0, 150, 60);
    zafWindowManager->AddObject(frame);
    WorkBook::ShowHook previous = WorkBook::SetShowHook(ShowInFrame);
    for (const Shape &shape : shapes) {
        auto *book = new ShapedBook(new CountedOption, shape.regression, shape.cases);
        for (int k = 0; k < shape.graphTools; ++k)
            book->AddGraphTool(18, 5, k % 2 ? "graph_pie" : "graph_boxwhisker", new CountedOption);
        const char *mapPictures[] = {"bt_mapid", "map_zoom_in", "map_zoom_out"};
        for (int k = 0; k < shape.mapButtons; ++k)
            book->AddToolButton(mapPictures[k], "Identify regions", 0, mapPictures[k]);
        book->CompleteToolBar();
        Pump();
        ASSERT_TRUE(book->IsCreated()) << shape.name;
        int visible = 0;
        RECT first = {}, bar = {};
        GetWindowRect(book->ToolBar()->OSHandle(), &bar);
        for (ZafElement *e = book->ToolBar()->First(); e; e = e->Next()) {
            auto *button = static_cast<ZafWindowObject *>(e);
            if (!button->Visible())
                continue;
            RECT r = {};
            GetWindowRect(button->OSHandle(), &r);
            if (visible++ == 0)
                first = r;
            EXPECT_TRUE(r.top < first.bottom && r.bottom > first.top)
                << shape.name << ": button " << visible << " (" << button->StringID() << ") at " << r.top << ".."
                << r.bottom << " starts a row below the first button's " << first.top << ".." << first.bottom;
            EXPECT_LE(r.right, bar.right) << shape.name << ": " << button->StringID();
        }
        const int graphButtons = shape.graphTools ? 4 + shape.graphTools : 0;
        EXPECT_EQ(visible, graphButtons + 5 + shape.regression + shape.cases + shape.mapButtons) << shape.name;
        EXPECT_LT(bar.bottom - bar.top, 2 * (first.bottom - first.top)) << shape.name << ": the bar is one row high";
        SendMessageA(book->OSHandle(), WM_CLOSE, 0, 0);
        Pump();
    }
    WorkBook::SetShowHook(previous);
    zafWindowManager->CloseWindow(frame);
    Pump();
}

// The size of a child's Windows window and whether it shows.
struct Pane
{
    LONG width, height;
    bool visible;
    bool operator==(const Pane &other) const
    {
        return width == other.width && height == other.height && visible == other.visible;
    }
};
Pane PaneOf(ZafWindowObject *object)
{
    RECT r = {};
    GetWindowRect(object->OSHandle(), &r);
    return Pane{r.right - r.left, r.bottom - r.top, IsWindowVisible(object->OSHandle()) != FALSE};
}
std::ostream &operator<<(std::ostream &out, const Pane &pane)
{
    return out << pane.width << "x" << pane.height << (pane.visible ? " shown" : " hidden");
}

TEST_F(WorkBookTest, APageGivesItsPanesItsSizeAsTheViewButtonsChooseAndWhenResized)
{
    WorkBook *book = Build();
    Show(book, ZafRegionRect(2, 2, 70, 25, ZAF_CELL));
    Page *page = book->CurrentPage();
    ZafWindowObject *text = page->ResultWindow();
    auto pageSize = [page](LONG divisor, bool visible) {
        RECT r = {};
        GetClientRect(page->OSHandle(), &r);
        return Pane{r.right / divisor, r.bottom, visible};
    };
    ASSERT_GT(pageSize(1, true).width, 100);
    EXPECT_EQ(PaneOf(text), pageSize(1, true)) << "the text alone fills the page";

    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 1));
    Pump();
    ASSERT_EQ(page->GraphWindows().size(), 1u);
    ZafWindow *graph = page->GraphWindows()[0];
    EXPECT_EQ(PaneOf(graph), pageSize(1, true)) << "a new graph covers the page";
    EXPECT_FALSE(PaneOf(text).visible);

    const struct
    {
        const char *button;
        Pane text, graph;
    } views[] = {
        {"bt_split", pageSize(2, true),
         Pane{pageSize(1, true).width - pageSize(2, true).width, pageSize(1, true).height, true}},
        {"bt_table", pageSize(1, true), Pane{0, 0, false}},
        {"bt_graph", Pane{0, 0, false}, pageSize(1, true)},
    };
    for (const auto &view : views) {
        Click(book->ToolBar()->FindObjectByStringID(view.button)->OSHandle());
        Pump();
        const Pane shownText = PaneOf(text), shownGraph = PaneOf(graph);
        // A hidden pane's size does not matter.
        const Pane hidden{0, 0, false};
        EXPECT_EQ((shownText.visible ? shownText : hidden), view.text) << view.button;
        EXPECT_EQ((shownGraph.visible ? shownGraph : hidden), view.graph) << view.button;
    }

    // A larger book: the page and its graph grow with it.
    const Pane before = PaneOf(graph);
    RECT outer = {};
    GetWindowRect(book->OSHandle(), &outer);
    SetWindowPos(book->OSHandle(), nullptr, 0, 0, outer.right - outer.left + 120, outer.bottom - outer.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(PaneOf(graph), pageSize(1, true));
    EXPECT_GT(PaneOf(graph).width, before.width);
    Close(book);
}

// A book as small as one of sixteen tiled in the main window: its tool bar
// keeps one row, cut at its end, and the page below it shows the graph in
// most of the book's height; grown again, the bar wraps all its buttons.
TEST_F(WorkBookTest, ATinyBookKeepsOneRowOfToolsAndShowsItsGraph)
{
    WorkBook *book = Build();
    Show(book, ZafRegionRect(0, 0, 164, 139, ZAF_PIXEL));
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 1));
    Pump();
    Page *page = book->CurrentPage();
    ASSERT_EQ(page->GraphWindows().size(), 1u);
    ZafWindow *graph = page->GraphWindows()[0];
    RECT client = {}, bar = {}, button = {};
    GetClientRect(book->OSHandle(), &client);
    GetWindowRect(book->ToolBar()->OSHandle(), &bar);
    GetWindowRect(book->ToolBar()->First() ? static_cast<ZafWindowObject *>(book->ToolBar()->First())->OSHandle()
                                           : nullptr,
                  &button);
    EXPECT_LT(bar.bottom - bar.top, 2 * (button.bottom - button.top)) << "the bar is one row high";
    const Pane shown = PaneOf(graph);
    EXPECT_TRUE(shown.visible);
    EXPECT_GE(shown.height, client.bottom / 2) << "the graph pane keeps most of the book";

    RECT outer = {};
    GetWindowRect(book->OSHandle(), &outer);
    SetWindowPos(book->OSHandle(), nullptr, 0, 0, outer.right - outer.left, 700, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    GetWindowRect(book->ToolBar()->OSHandle(), &bar);
    EXPECT_GE(bar.bottom - bar.top, 2 * (button.bottom - button.top)) << "a tall narrow book wraps its tools";
    Close(book);
}

TEST_F(WorkBookTest, AResultTextIsFixedWidthUnwrappedReadOnlyAndScrolls)
{
    WorkBook *book = Build();
    auto *text = static_cast<TXTWIN *>(book->PageAt(0)->ResultWindow());
    text->Clear();
    for (int row = 0; row < 60; ++row) {
        text->WriteString(std::string(300, static_cast<char>('a' + row % 26)).c_str());
        text->EndLine();
    }
    text->ShowText();
    Show(book, ZafRegionRect(2, 2, 50, 16, ZAF_CELL));
    HWND field = text->TextField()->OSHandle();
    ASSERT_NE(field, nullptr);
    const LONG style = GetWindowLongA(field, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "lines are not wrapped";
    EXPECT_TRUE((style & WS_HSCROLL) && (style & WS_VSCROLL));
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
    // The end of the text, right and below, is reachable.
    SendMessageA(field, WM_HSCROLL, SB_RIGHT, 0);
    SendMessageA(field, WM_VSCROLL, SB_BOTTOM, 0);
    Pump();
    EXPECT_GT(SendMessageA(field, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SCROLLINFO horizontal = {};
    horizontal.cbSize = sizeof horizontal;
    horizontal.fMask = SIF_POS;
    GetScrollInfo(field, SB_HORZ, &horizontal);
    EXPECT_GT(horizontal.nPos, 0);
    Close(book);
}

// The size button fits the workbook to its page's text: a short text
// shrinks it until the text just shows, a huge one stops at the screen.
TEST_F(WorkBookTest, TheSizeButtonFitsTheBookToItsTextWithinTheScreen)
{
    WorkBook *book = Build();
    auto *text = static_cast<TXTWIN *>(book->PageAt(0)->ResultWindow());
    auto write = [&](int rows, std::size_t width) {
        text->Clear();
        for (int row = 0; row < rows; ++row) {
            text->WriteString(std::string(width, 'x').c_str());
            text->EndLine();
        }
        text->ShowText();
    };
    write(3, 30); // wider than the book's least width of 200 pixels
    Show(book, ZafRegionRect(2, 2, 70, 30, ZAF_CELL));
    HWND frame = book->OSHandle();
    HWND textWindow = text->OSHandle();
    ASSERT_TRUE(frame && textWindow);
    RECT before = {}, after = {}, shown = {};
    GetWindowRect(frame, &before);
    book->Event(ZafEventRecord(static_cast<ZafEventType>(WorkBook::fitTextEvent)));
    Pump();
    GetWindowRect(frame, &after);
    GetClientRect(textWindow, &shown);
    const SIZE wanted = text->TextExtent();
    EXPECT_LT(after.right - after.left, before.right - before.left);
    EXPECT_NEAR(shown.right, wanted.cx, 1);
    EXPECT_GE(shown.bottom, wanted.cy);

    write(400, 3000);
    book->Event(ZafEventRecord(static_cast<ZafEventType>(WorkBook::fitTextEvent)));
    Pump();
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(frame, &after);
    EXPECT_LE(after.right, area.right);
    EXPECT_LE(after.bottom, area.bottom);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    Close(book);
}

// A graph window that counts the events its menu items send it.
struct CountingGraph : ZafWindow
{
    CountingGraph() : ZafWindow(0, 0, 0, 0) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        received.push_back(event.type);
        return ZafWindow::Event(event);
    }
    std::vector<ZafEventType> received;
};

TEST_F(WorkBookTest, TheGraphMenuOfAGraphWindowSendsItCopyAndSaveWhileItIsOnAPage)
{
    WorkBook *book = Build();
    auto *graph = new CountingGraph;
    book->CurrentPage()->AddGraphWindow(graph);
    ZafPopUpMenu *menu = book->GraphMenu(0, 0, graph);
    ASSERT_NE(menu, nullptr);
    std::vector<ZafEventType> values;
    std::vector<ZafWindowObject *> items; // the items that are not separators
    for (ZafElement *e = menu->First(); e; e = e->Next()) {
        auto *item = static_cast<ZafPopUpItem *>(e);
        if (item->ItemKind() != ZafPopUpItem::kindSeparator) {
            values.push_back(item->Value());
            items.push_back(item);
        }
    }
    EXPECT_EQ(values, (std::vector<ZafEventType>{WorkBook::graphToolEvent, WorkBook::graphToolEvent + 1,
                                                 WorkBook::bookOptionsEvent, ZAF_COPY, WorkBook::saveGraphEvent,
                                                 WorkBook::printEvent}));
    graph->received.clear();
    items[3]->Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_EQ(graph->received, std::vector<ZafEventType>{ZAF_COPY});

    // A window on none of the book's pages (its page closed) is sent nothing.
    CountingGraph stray;
    menu = book->GraphMenu(0, 0, &stray);
    for (ZafElement *e = menu->First(); e; e = e->Next())
        if (static_cast<ZafPopUpItem *>(e)->Value() == ZAF_COPY)
            static_cast<ZafWindowObject *>(e)->Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_TRUE(stray.received.empty());
    delete book;
}

// Prints its name; counts its deletion.
struct PrintingPane : ZafWindow, GraphPane
{
    PrintingPane() : ZafWindow(0, 0, 0, 0) {}
    ~PrintingPane() override { ++deleted; }
    void RebuildGraph() override {}
    bool PrintOn(ZafPrinter *p) override
    {
        return p->BeginDocument("g") && p->BeginPage() && TextOutA(p->DC(), 0, 0, "the graph", 9) && p->EndPage() &&
               p->EndDocument();
    }
    void PreviewOn(ZafPrinter *) override {}
    static inline int deleted = 0;
};

// Prints to a destination of its own (a file), as the case list's dialog does.
struct OwnDestinationPage : Page
{
    OwnDestinationPage() : Page("list") {}
    int PrintToOwnDestinations(QivPrinter *p) override { return std::ofstream(file) << (p ? "p" : "case 1") ? 1 : 0; }
    static inline std::string file;
};

TEST_F(WorkBookTest, PrintTakesThePaneShownOrThePagesOwnPathAndAGraphIsHeldOnce)
{
    WorkBook *book = Build();
    Page *page = book->CurrentPage();
    auto *graph = new PrintingPane, *other = new PrintingPane;
    page->AddGraphWindow(graph, 0);
    const auto printed = [book] {
        printerDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        book->Event(ZafEventRecord(WorkBook::printEvent));
        return TakePrinted();
    };
    EXPECT_EQ(printed(), "the graph");
    // Table after the graph was shown, split with the focus in neither pane.
    for (ZafEventType view : {WorkBook::tableViewEvent, WorkBook::splitViewEvent}) {
        book->Event(ZafEventRecord(view));
        // The running head (the book has no caption: the text's title),
        // the page number and the line.
        EXPECT_EQ(printed(), "Frequenciespage 1 of 1table of v1") << view;
    }
    page->AddGraphWindow(other, 1);
    page->AddGraphWindow(graph, 0);
    EXPECT_EQ(page->GraphWindows(), (std::vector<ZafWindow *>{other, graph})) << "the one handed back is current";
    // Without a printer a page with its own destinations still gets there.
    testsupport::TempDirectory scratch("mervalocases");
    OwnDestinationPage::file = scratch.File("caselist.txt");
    book->AddPage(new OwnDestinationPage);
    book->Notebook()->SetCurrentPage(2);
    EXPECT_EQ(book->PrintCurrentPage(), 1);
    std::string written;
    std::getline(std::ifstream(OwnDestinationPage::file), written);
    EXPECT_EQ(written, "case 1");
    EXPECT_TRUE(controltest::Reports().empty()) << "no word of a missing printer";
    PrintingPane::deleted = 0;
    delete book;
    EXPECT_EQ(PrintingPane::deleted, 2);
}

} // namespace

namespace {

// A printer that refuses every job (its context cannot start a document).
QivPrinter *RefusingPrinter()
{
    static QivPrinter refusing(nullptr);
    return &refusing;
}

TEST_F(WorkBookTest, APrintThePrinterRefusesIsReportedAndAJobIsNamedByBookAndPage)
{
    WorkBook *book = Build();
    EXPECT_EQ(book->JobName(book->CurrentPage()), "v1") << "a book without a caption";
    WorkBook::SetPrinterSource(RefusingPrinter);
    controltest::Reports().clear();
    EXPECT_EQ(book->PrintCurrentPage(), 0);
    ASSERT_EQ(controltest::Reports().size(), 1u);
    EXPECT_NE(controltest::Reports()[0].find(WorkBook::printFailedText), std::string::npos)
        << controltest::Reports()[0];
    EXPECT_EQ(RefusingPrinter()->DocumentName(), "v1");
    controltest::Reports().clear();
    delete book;
}

// A text save onto a disk that fills (the file system takes a few bytes and
// then writes short, as Wine's WriteFile does): the message, from the
// language file, names the file and says the disk is full; an old file
// keeps its text and a new one is not made, and no temporary file is left.
TEST_F(WorkBookTest, ATextSaveOntoAFullDiskNamesTheFileAndLeavesTheOldOne)
{
    testsupport::TempDirectory directory("mervalosave");
    std::ofstream(directory.File("qivsttst.btx"), std::ios::binary) << "0.33\tno room (disk full).\r\n";
    TextCatalog catalog(directory.Path(), "tst");
    ASSERT_EQ(catalog.Error(), TEXTCAT_OK);
    TextCatalog *previous = GetStatTextCatalog();
    SetStatTextCatalog(&catalog);
    WorkBook *book = Build();
    const std::string old = directory.File("old.txt"), fresh = directory.File("new.txt");
    std::ofstream(old, std::ios::binary) << "the old text";
    for (int room : {0, 5}) {
        for (const std::string &path : {old, fresh}) {
            controltest::Reports().clear();
            PFILE::SetWriteLimit(room);
            EXPECT_FALSE(book->SaveCurrentResult(path.c_str(), false));
            PFILE::SetWriteLimit(-1);
            ASSERT_EQ(controltest::Reports().size(), 1u);
            EXPECT_NE(controltest::Reports()[0].find(path + ": no room (disk full)."), std::string::npos)
                << controltest::Reports()[0];
        }
        std::ifstream in(old, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the old text");
        EXPECT_EQ(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA((old + ".$$$").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // With room the save replaces the old text.
    controltest::Reports().clear();
    EXPECT_TRUE(book->SaveCurrentResult(old.c_str(), false));
    EXPECT_TRUE(controltest::Reports().empty());
    std::ifstream in(old, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}).find("table of v1"), 0u);
    SetStatTextCatalog(previous);
    delete book;
}

} // namespace
