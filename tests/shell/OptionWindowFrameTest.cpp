// The option frame, read from the UI data file, on a record alone and on an
// open workbook, driven by clicks on its real buttons: opening fills the
// option window from the record; apply and OK take the controls' values
// into the record and the graph records and write every page's result
// again; "CHKBX_SAVE_PERSIST" stores the settings only on OK; cancel
// changes nothing. The option window's lookup of missing controls too.
#include "tests/shell/ShellUIFile.h"
#include "tests/shell/TestOption.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/TempDirectory.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "dataset/AssumeError.h"
#include "dataset/TextCatalog.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/Page.h"
#include "shell/TXTWIN.h"
#include "shell/WorkBook.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafDisplay.h"

#include <fstream>
#include <string>

namespace {

// A page's result: whether the book's record asks for totals.
struct TotalsText : TXTWIN
{
    explicit TotalsText(WorkBook &book) : TXTWIN("t", 0), book(book) {}
    void WriteResult() override
    {
        Clear();
        WriteString(static_cast<TestOption *>(book.Option())->totals ? "with totals" : "without totals");
    }
    WorkBook &book;
};

// A workbook that counts the frame's requests to rebuild its graphs and
// show itself again.
struct CountingBook : WorkBook
{
    explicit CountingBook(StatOption *record) : WorkBook(record, 0) {}
    void RebuildEveryGraph() override { ++rebuilt; }
    void RedisplayBook() override { ++redisplayed; }
    int rebuilt = 0, redisplayed = 0;
};

class OptionWindowFrameTest : public fieldtest::FieldTest
{
protected:
    OptionWindowFrameTest()
    {
        TestOption::Seen() = TestOptionSeen();
        record = new TestOption;
        book = new CountingBook(record);
        book->AddGraphTool(1, 1, "graph", new TestOption);
        book->AddGraphTool(2, 1, "graph", new TestOption);
        auto *page = new Page("v1");
        text = new TotalsText(*book);
        page->SetResultWindow(text);
        book->AddPage(page);
        text->Update();
    }
    ~OptionWindowFrameTest() override
    {
        CloseFrame();
        delete book;
        EXPECT_EQ(0, TestOption::Seen().live);
    }
    void CloseFrame()
    {
        if (frame && zafWindowManager->Contains(frame))
            zafWindowManager->SubtractObject(frame);
        delete frame;
        frame = nullptr;
    }
    OptionWindowFrame *Open(OptionWindowFrame *made)
    {
        frame = made;
        EXPECT_EQ(0, frame->Error());
        frame->SetVisible(false);
        Show(frame);
        return frame;
    }
    HWND Handle(const char *name)
    {
        ZafWindowObject *object = frame->FindObjectByStringID(name);
        return object ? object->OSHandle() : nullptr;
    }
    void ClickOn(const char *name)
    {
        ASSERT_NE(nullptr, Handle(name)) << name;
        Click(Handle(name));
        RunQueued();
    }

    shellui::ShellUIFile uiFile;
    TestOption *record;
    CountingBook *book;
    TotalsText *text;
    OptionWindowFrame *frame = nullptr;
};

TEST_F(OptionWindowFrameTest, OpeningOnARecordFillsTheWindowFromIt)
{
    TestOption alone;
    alone.totals = true;
    alone.columns = true;
    Open(new OptionWindowFrame(*userPersist, &alone));
    auto *window = dynamic_cast<OptionWindow *>(frame->Window());
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, alone.optionWindow);
    EXPECT_TRUE(window->OpenedBeforeWorkbook());
    EXPECT_EQ(1, TestOption::Seen().updates);
    EXPECT_TRUE(window->FindCheckBox("CHK_TOTALS", __FILE__, __LINE__)->Checked());
    EXPECT_TRUE(window->FindRadioButton("RB_COLUMNS", __FILE__, __LINE__)->Checked());
    EXPECT_FALSE(window->FindRadioButton("RB_ROWS", __FILE__, __LINE__)->Checked());

    CloseFrame();
    EXPECT_EQ(nullptr, alone.optionWindow) << "the record forgets the window that went with the frame";
}

TEST_F(OptionWindowFrameTest, ApplyChangesTheOpenWorkbooksResultsWithoutSaving)
{
    ASSERT_EQ("without totals", text->Text());
    Open(new OptionWindowFrame(*userPersist, book));
    EXPECT_FALSE(static_cast<OptionWindow *>(frame->Window())->OpenedBeforeWorkbook());
    ClickOn("CHK_TOTALS");
    ClickOn("RB_COLUMNS");
    ClickOn(OptionWindowFrame::savePersistName);
    ClickOn(OptionWindowFrame::applyName);

    EXPECT_TRUE(record->totals);
    EXPECT_TRUE(record->columns);
    EXPECT_EQ("with totals", text->Text());
    EXPECT_EQ(3, TestOption::Seen().fromWindow) << "the record and its two graph records";
    EXPECT_EQ(0, TestOption::Seen().saves) << "apply never stores the settings";
    EXPECT_EQ(1, book->rebuilt);
    EXPECT_EQ(1, book->redisplayed);
    EXPECT_TRUE(IsWindow(frame->OSHandle())) << "apply leaves the frame open";
}

// The record of the frame the graph menu opened, which ticks, applies, cancels.
StatOption *openedOn = nullptr;
void ApplyInFrame()
{
    auto *opened = dynamic_cast<OptionWindowFrame *>(ZafDialogWindow::ModalWindow());
    if (!opened || !opened->Window())
        return testsupport::WhenModalLoopIdles(ApplyInFrame, 10);
    openedOn = opened->Record();
    static_cast<ZafButton *>(opened->Window()->FindObjectByStringID("CHK_TOTALS"))->SetSelected(true);
    opened->Event(ZafEventRecord(ZAF_DIALOG_APPLY));
    opened->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
}

TEST_F(OptionWindowFrameTest, TheGraphMenusOptionsOpenAndApplyTheOptionsOfThatGraph)
{
    auto *graph = new ZafWindow(0, 0, 10, 5);
    book->CurrentPage()->AddGraphWindow(graph, 1);
    book->GraphMenu(0, 0, graph);
    book->GraphToolOption(1)->changed = 1;
    testsupport::WhenModalLoopIdles(ApplyInFrame);
    book->Event(ZafEventRecord(WorkBook::graphOptionsEvent));
    ASSERT_EQ(book->GraphToolOption(1), openedOn);
    EXPECT_TRUE(static_cast<TestOption *>(openedOn)->totals);
    EXPECT_FALSE(record->totals) << "the book's own record keeps its settings";
    EXPECT_EQ(1, book->rebuilt);
    EXPECT_EQ(1, book->OptionsChangedFlag()) << "the record's changed flag reaches the book";
}

// The item of the graph menu with that value (null when there is none).
ZafWindowObject *MenuItem(ZafPopUpMenu *menu, ZafEventType value)
{
    for (ZafElement *e = menu ? menu->First() : nullptr; e; e = e->Next())
        if (static_cast<ZafPopUpItem *>(e)->Value() == value)
            return static_cast<ZafWindowObject *>(e);
    return nullptr;
}

TEST_F(OptionWindowFrameTest, TheOptionsButtonAndTheGraphMenuOpenTheBooksOwnOptions)
{
    WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *) {});
    book->CompleteToolBar();
    WorkBook::SetShowHook(previous);
    auto *button = dynamic_cast<ZafButton *>(book->ToolBar()->FindObjectByStringID("bt_options"));
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->Visible());
    openedOn = nullptr;
    testsupport::WhenModalLoopIdles(ApplyInFrame);
    book->Event(ZafEventRecord(static_cast<ZafEventType>(button->Value())));
    EXPECT_EQ(record, openedOn) << "the button opens the book's record";
    EXPECT_EQ("with totals", text->Text());
    EXPECT_EQ(nullptr, record->optionWindow) << "the frame has gone";

    // The graph's menu: "Options..." is the book's, "Graph options..." the
    // options of the graph it was shown for.
    auto *graph = new ZafWindow(0, 0, 10, 5);
    book->CurrentPage()->AddGraphWindow(graph, 1);
    ZafPopUpMenu *menu = book->GraphMenu(0, 0, graph);
    record->totals = false;
    openedOn = nullptr;
    testsupport::WhenModalLoopIdles(ApplyInFrame);
    ASSERT_NE(nullptr, MenuItem(menu, WorkBook::bookOptionsEvent));
    MenuItem(menu, WorkBook::bookOptionsEvent)->Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_EQ(record, openedOn);
    EXPECT_TRUE(record->totals);
    openedOn = nullptr;
    testsupport::WhenModalLoopIdles(ApplyInFrame);
    ASSERT_NE(nullptr, MenuItem(menu, WorkBook::graphOptionsEvent));
    MenuItem(menu, WorkBook::graphOptionsEvent)->Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_EQ(book->GraphToolOption(1), openedOn);
    testsupport::ForgetModalLoopSteps();

    // A graph whose tool has no record of its own offers no options of its own.
    WorkBook bare(new TestOption, 0);
    bare.AddGraphTool(1, 1, "graph", nullptr);
    auto *page = new Page("v1");
    bare.AddPage(page);
    auto *plain = new ZafWindow(0, 0, 10, 5);
    page->AddGraphWindow(plain, 0);
    ZafPopUpMenu *bareMenu = bare.GraphMenu(0, 0, plain);
    EXPECT_NE(nullptr, MenuItem(bareMenu, WorkBook::bookOptionsEvent));
    EXPECT_EQ(nullptr, MenuItem(bareMenu, WorkBook::graphOptionsEvent));
}

TEST_F(OptionWindowFrameTest, KeepTheseSettingsOpensTickedWhileTheKeptSettingsAreInForce)
{
    auto boxTicked = [this] {
        return static_cast<ZafButton *>(frame->FindObjectByStringID(OptionWindowFrame::savePersistName))->Selected();
    };
    auto endWith = [this](const char *button) {
        PostMessageA(Handle(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(Handle(button), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        frame->Control();
        CloseFrame();
    };
    Open(new OptionWindowFrame(*userPersist, book));
    EXPECT_FALSE(boxTicked());
    ClickOn(OptionWindowFrame::savePersistName);
    endWith(OptionWindowFrame::okName);
    EXPECT_EQ(3, TestOption::Seen().saves);

    Open(new OptionWindowFrame(*userPersist, book));
    EXPECT_TRUE(boxTicked()) << "the kept settings are in force";
    // Apply with the box cleared keeps nothing and changes nothing of that.
    ClickOn(OptionWindowFrame::savePersistName);
    ClickOn(OptionWindowFrame::applyName);
    endWith(OptionWindowFrame::cancelName);
    Open(new OptionWindowFrame(*userPersist, book));
    EXPECT_TRUE(boxTicked());

    // OK with the box cleared: the settings in force are no longer the kept ones.
    ClickOn(OptionWindowFrame::savePersistName);
    endWith(OptionWindowFrame::okName);
    Open(new OptionWindowFrame(*userPersist, book->GraphToolOption(0)));
    EXPECT_FALSE(boxTicked()) << "the graph records follow the book's frame";
    CloseFrame();
    Open(new OptionWindowFrame(*userPersist, book));
    EXPECT_FALSE(boxTicked());
    EXPECT_EQ(3, TestOption::Seen().saves);
}

// How the frame ends: OK stores the settings only with the box on; cancel
// leaves everything as it was.
struct EndCase
{
    const char *name;
    const char *button;
    bool keep;
    ZafEventType code;
    const char *result;
    int saves;
};

class OptionWindowFrameEnd : public OptionWindowFrameTest, public testing::WithParamInterface<EndCase>
{};

TEST_P(OptionWindowFrameEnd, EndsWithTheButtonsAnswer)
{
    const EndCase &c = GetParam();
    Open(new OptionWindowFrame(*userPersist, book));
    ClickOn("CHK_TOTALS");
    if (c.keep)
        ClickOn(OptionWindowFrame::savePersistName);
    // Posted now, taken by the frame's modal loop.
    PostMessageA(Handle(c.button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(Handle(c.button), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(c.code, frame->Control());
    EXPECT_EQ(c.result, text->Text());
    EXPECT_EQ(c.saves, TestOption::Seen().saves);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, OptionWindowFrameEnd,
    testing::Values(EndCase{"Ok", OptionWindowFrame::okName, false, ZAF_DIALOG_OK, "with totals", 0},
                    EndCase{"OkKeeping", OptionWindowFrame::okName, true, ZAF_DIALOG_OK, "with totals", 3},
                    EndCase{"Cancel", OptionWindowFrame::cancelName, true, ZAF_DIALOG_CANCEL, "without totals", 0}),
    [](const testing::TestParamInfo<EndCase> &info) { return std::string(info.param.name); });

// Return typed on a check box or radio button, in the option window or in
// the frame, presses OK; the control keeps its state.
class OptionWindowFrameReturn : public OptionWindowFrameTest, public testing::WithParamInterface<const char *>
{};

TEST_P(OptionWindowFrameReturn, OnACheckBoxPressesOk)
{
    Open(new OptionWindowFrame(*userPersist, book));
    ZafWindowObject *control = frame->FindObjectByStringID(GetParam());
    ASSERT_NE(nullptr, control);
    const bool before = control->Selected();
    // The control has the focus, as after the user's click on it.
    ShowWindow(frame->OSHandle(), SW_SHOW);
    SetForegroundWindow(frame->OSHandle());
    control->SetFocus(true);
    RunQueued();
    ASSERT_EQ(control->OSHandle(), GetFocus());
    // Taken by the frame's modal loop.
    PostMessageA(control->OSHandle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(control->OSHandle(), WM_KEYUP, VK_RETURN, 1 | (3UL << 30));
    testsupport::WhenModalLoopIdles([this] { frame->Event(ZafEventRecord(ZAF_DIALOG_CANCEL)); }, 500);
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    testsupport::ForgetModalLoopSteps();
    EXPECT_EQ(before, control->Selected());
}

INSTANTIATE_TEST_SUITE_P(Controls, OptionWindowFrameReturn,
                         testing::Values("CHK_TOTALS", "RB_COLUMNS", OptionWindowFrame::savePersistName));

RECT frameAt;
void NoteFrameAndCancel()
{
    ZafDialogWindow *running = ZafDialogWindow::ModalWindow();
    if (!running)
        return testsupport::WhenModalLoopIdles(NoteFrameAndCancel, 10);
    GetWindowRect(running->OSHandle(2), &frameAt);
    running->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
}

TEST_F(OptionWindowFrameTest, OnAWorkbookItOpensCentredOnTheWorkbook)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    // The book where the user left it, away from the screen's middle.
    const RECT place = {work.left + 10, work.top + 10, work.left + 710, work.top + 560};
    book->SetCoordinateType(ZAF_PIXEL);
    book->SetRegion(ZafRegionRect(place.left, place.top, place.right - 1, place.bottom - 1, ZAF_PIXEL));
    Show(book);
    RECT shown = {};
    GetWindowRect(book->OSHandle(2), &shown);
    frameAt = RECT();
    testsupport::WhenModalLoopIdles(NoteFrameAndCancel, 10);
    EXPECT_EQ(ZAF_DIALOG_CANCEL, RunOptionFrame(book));
    ASSERT_GT(frameAt.right, frameAt.left);
    const int cellWidth = zafScreenDisplay->CellWidth(), cellHeight = zafScreenDisplay->CellHeight();
    EXPECT_NEAR((shown.left + shown.right) / 2, (frameAt.left + frameAt.right) / 2, cellWidth);
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (frameAt.top + frameAt.bottom) / 2, cellHeight);
    zafWindowManager->SubtractObject(book);
}

std::string assumeReport;
void RecordAssume(const char *, const char *sourceAndLine, const char *text)
{
    assumeReport = std::string(sourceAndLine) + " " + text;
}

TEST_F(OptionWindowFrameTest, AMissingControlIsReportedAndNotTouched)
{
    TestOptionWindow window;
    AssumeReportHook previous = SetAssumeReportHook(RecordAssume);
    EXPECT_EQ(nullptr, window.FindControl("CHK_ABSENT", "FreqOptionWindow.cpp", 77));
    EXPECT_EQ("FreqOptionWindow.cpp 77 Internal error: Duru-object is NULL", assumeReport);
    // A control of another class than asked for counts as missing.
    EXPECT_EQ(nullptr, window.FindRadioButton("CHK_TOTALS", "FreqOptionWindow.cpp", 78));
    SetAssumeReportHook(previous);
}

TEST_F(OptionWindowFrameTest, TheTitleIsTheAnalysisNameAndTheRecordNameTheHelpContext)
{
    {
        testsupport::TempDirectory directory("mervalofrm");
        std::ofstream(directory.File("qivstfrm.btx"), std::ios::binary) << "1.12\tFrequency table\r\n";
        TextCatalog catalog(directory.Path(), "frm");
        BuildAnalysisRegistry(&catalog);
    }

    struct Named
    {
        const char *record, *title;
    } cases[] = {{"USE_ONEWAY_FREQ_OPTIONS", "Frequency table"}, {"USE_NOT_LISTED_OPTIONS", "Options"}};
    for (const Named &named : cases) {
        TestOption alone;
        alone.SetName(named.record);
        Open(new OptionWindowFrame(*userPersist, &alone));
        char caption[64] = "";
        GetWindowTextA(frame->OSHandle(), caption, sizeof caption);
        EXPECT_STREQ(named.title, caption) << named.record;
        EXPECT_STREQ(named.record, frame->HelpContext());
        CloseFrame();
    }
    FreeAnalysisRegistry();
}

} // namespace
