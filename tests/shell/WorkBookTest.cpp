// The workbook built as an analysis builds it: graph tools numbered in
// order with their buttons, pages named and kept in the notebook, the tool
// bar completed and the book shown, the graph and print events, and what
// the workbook deletes with itself.
#include "../zaf/controls/ControlTestHarness.h"

#include <windows.h>

#include <algorithm>

#include "shell/Page.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "shell/WorkBook.h"
#include "stats/StatClass.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafTextField.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafNotebook.h"

namespace {

int optionsDeleted = 0;
int computationsDeleted = 0;

struct CountedOption : StatOption
{
    ~CountedOption() override { ++optionsDeleted; }
};

std::vector<const StatClass *> deletedComputations;

struct CountedComputation : StatClass
{
    ~CountedComputation() override
    {
        ++computationsDeleted;
        deletedComputations.push_back(this);
    }
};

// A window that notes, as it goes, whether the computation was still there.
struct WatchingWindow : ZafWindow
{
    explicit WatchingWindow(const StatClass *computation) : ZafWindow(0, 0, 10, 5), watched(computation) {}
    ~WatchingWindow() override
    {
        computationAliveAtWindowEnd =
            std::find(deletedComputations.begin(), deletedComputations.end(), watched) == deletedComputations.end();
    }
    const StatClass *watched;
    static bool computationAliveAtWindowEnd;
};
bool WatchingWindow::computationAliveAtWindowEnd = false;

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

int CALLBACK CollectText(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data)
{
    if (record->iType == EMR_EXTTEXTOUTW) {
        auto *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        auto *chars =
            reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
        reinterpret_cast<std::string *>(data)->append(chars, chars + text->emrtext.nChars);
    }
    return 1;
}

std::vector<WorkBook *> shownBooks;
void RecordShown(WorkBook *book)
{
    shownBooks.push_back(book);
}

HDC printerDC = nullptr;
QivPrinter *TestPrinter()
{
    static QivPrinter *printer = nullptr;
    delete printer;
    printer = printerDC ? new QivPrinter(printerDC) : nullptr;
    return printer;
}

class WorkBookTest : public controltest::ControlTest
{
protected:
    WorkBookTest()
    {
        ZafNotebookTab::InstallHooks();
        optionsDeleted = computationsDeleted = 0;
        deletedComputations.clear();
        shownBooks.clear();
        previousShow = WorkBook::SetShowHook(RecordShown);
    }
    ~WorkBookTest() override
    {
        WorkBook::SetShowHook(previousShow);
        WorkBook::SetPrinterSource(nullptr);
    }

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

    CountedOption *option = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_F(WorkBookTest, TakesTheRecordNumbersToolsAndNamesPagesInOrder)
{
    WorkBook *book = Build();
    EXPECT_EQ(option->deleteAfterRun, 0);
    EXPECT_EQ(book->Option(), option);
    EXPECT_EQ(book->Mode(), 0);
    ASSERT_EQ(book->PageCount(), 2);
    EXPECT_STREQ(book->PageAt(0)->StringID(), "Page1");
    EXPECT_STREQ(book->PageAt(1)->StringID(), "Page2");

    int tools = 0;
    for (ZafElement *e = book->ToolBar()->First(); e; e = e->Next()) {
        auto *button = dynamic_cast<ZafButton *>(e);
        ASSERT_NE(button, nullptr);
        EXPECT_STREQ(button->StringID(), "GrBt");
        EXPECT_EQ(button->Value(), WorkBook::graphToolEvent + tools);
        EXPECT_TRUE(button->SendMessageWhenSelected());
        ++tools;
    }
    EXPECT_EQ(tools, 2);
    delete book;
    // The record, both graph records and both computations.
    EXPECT_EQ(optionsDeleted, 3);
    EXPECT_EQ(computationsDeleted, 2);
}

TEST_F(WorkBookTest, ReleasedRecordIsNotDeletedWithTheBook)
{
    WorkBook *book = Build();
    StatOption *released = book->ReleaseOption();
    delete book;
    EXPECT_EQ(optionsDeleted, 2);
    delete released;
}

TEST_F(WorkBookTest, CompletingShowsOnceAndHidesGraphButtonsWithoutTools)
{
    auto *plain = new WorkBook(new CountedOption, 0);
    plain->AddPage(new Page("v1"));
    plain->CompleteToolBar();
    plain->CompleteToolBar();
    ASSERT_EQ(shownBooks.size(), 1u);
    EXPECT_TRUE(plain->Shown());
    WorkBook *withGraphs = Build();
    withGraphs->CompleteToolBar();
    for (const char *name : {"bt_table", "bt_graph", "bt_split", "bt_size"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(plain->ToolBar()->FindObjectByStringID(name)->Visible());
        EXPECT_TRUE(withGraphs->ToolBar()->FindObjectByStringID(name)->Visible());
    }
    EXPECT_FALSE(withGraphs->ToolBar()->FindObjectByStringID("bt_casedoc")->Visible());
    auto *print = dynamic_cast<ZafButton *>(withGraphs->ToolBar()->FindObjectByStringID("bt_print"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->Value(), WorkBook::printEvent);
    delete plain;
    delete withGraphs;
}

TEST_F(WorkBookTest, GraphEventAsksTheCurrentPageForThatKind)
{
    WorkBook *book = Build();
    auto *page = dynamic_cast<GraphPage *>(book->CurrentPage());
    ASSERT_NE(page, nullptr);
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 0));
    EXPECT_EQ(page->askedKind, 0);
    EXPECT_TRUE(page->GraphWindows().empty());
    EXPECT_EQ(book->CurrentGraphKind(), -1);

    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 1));
    EXPECT_EQ(page->askedKind, 1);
    EXPECT_EQ(page->askedArgument, book->Option());
    EXPECT_EQ(page->GraphWindows().size(), 1u);
    EXPECT_EQ(book->CurrentGraphKind(), 1);

    // A number past the tools is not a graph event.
    page->askedKind = -1;
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 2));
    EXPECT_EQ(page->askedKind, -1);
    // A graph window goes before the computation it draws from.
    WatchingWindow::computationAliveAtWindowEnd = false;
    delete book;
    EXPECT_TRUE(WatchingWindow::computationAliveAtWindowEnd);
}

TEST_F(WorkBookTest, PrintEventPrintsTheCurrentPageOnTheProgramsPrinter)
{
    WorkBook *book = Build();
    book->Notebook()->SetCurrentPage(1);
    // Without a printer nothing is printed.
    EXPECT_EQ(book->PrintCurrentPage(), 0);

    printerDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(printerDC, nullptr);
    WorkBook::SetPrinterSource(TestPrinter);
    book->Event(ZafEventRecord(WorkBook::printEvent));
    HDC dc = printerDC;
    printerDC = nullptr;
    TestPrinter(); // lets the printer go before its context
    HENHMETAFILE file = CloseEnhMetaFile(dc);

    std::string drawn;
    EnumEnhMetaFile(nullptr, file, CollectText, &drawn, nullptr);
    DeleteEnhMetaFile(file);
    EXPECT_NE(drawn.find("table of v2"), std::string::npos) << drawn;
    EXPECT_EQ(drawn.find("table of v1"), std::string::npos);
    delete book;
}

TEST_F(WorkBookTest, OnScreenTheWholeTextIsShownAndThePrintButtonQueuesThePrintEvent)
{
    WorkBook::SetShowHook(nullptr); // the window manager takes the book
    WorkBook *book = Build();
    // Past the 32,767 characters an edit control holds unless told otherwise.
    auto *text = static_cast<TXTWIN *>(book->PageAt(0)->ResultWindow());
    for (int row = 0; row < 2000; ++row) {
        text->Right(20);
        text->WriteInteger(row);
        text->EndLine();
    }
    text->ShowText();
    book->SetVisible(false);
    book->CompleteToolBar();
    Pump();
    ASSERT_TRUE(book->IsCreated());
    ASSERT_TRUE(text->TextField()->IsCreated());
    EXPECT_GT(text->Text().size(), 32767u);
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthA(text->TextField()->OSHandle())), text->Text().size());

    auto *print = dynamic_cast<ZafButton *>(book->ToolBar()->FindObjectByStringID("bt_print"));
    ASSERT_TRUE(print && print->IsCreated());
    Queued();
    Click(print->OSHandle());
    bool printQueued = false;
    for (ZafEventRecord &event : Queued()) {
        printQueued = printQueued || event.type == WorkBook::printEvent;
        ZafButton::ReleaseSentEvent(event);
    }
    EXPECT_TRUE(printQueued);
    zafWindowManager->CloseWindow(book);
    Pump();
}

} // namespace
