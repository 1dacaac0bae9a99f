// The variable-list window, read from the UI data file over a small data
// set and driven through its real list boxes and buttons: the prompted lists
// with their required flags gating the run button, the lists a run reads
// (the k-th prompt is list k - 1), the pre-option window, failed runs
// (and runs that left their workbook unshown), records taken by a workbook.
#include "tests/shell/ShellUIFile.h"
#include "tests/shell/TestOption.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/TempDirectory.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafTracker.h"

#include <string>

namespace {

const RegisteredOption registry[] = {
    {"Test table", 12, 1, TestOption::Make, 1, "USE_TEST"},
    {"Weight", 34, 1, nullptr, 4, "USE_WEIGHT"}, // no factory: not listed
    {"Test without early options", 15, 1, NoEarlyOptions::Make, 1, "USE_TEST_LATE"},
    {"Test asking first", 22, 3, AsksFirst::Make, 3, "USE_TEST_FIRST"},
    {"Test of two lists", 13, 2, TwoRequired::Make, 2, "USE_TEST_TWO"},
};
constexpr int registryCount = 5;

class VariableListWindowTest : public fieldtest::FieldTest
{
protected:
    VariableListWindowTest()
    {
        TestOption::Seen() = TestOptionSeen();
        const std::string name = directory.File("survey.QVF");
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription("variable age\nlabel Age in years\ntype u8\n"
                                             "variable sex\nlabel Sex\ntype u8\n"
                                             "variable income\ntype double\n"));
        EXPECT_EQ(0, builder.ReadCsv("age,sex,income\n30,1,1200.5\n41,2,980\n"));
        EXPECT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
        EXPECT_EQ(0, dataSet.Open(name.c_str()));
    }
    ~VariableListWindowTest() override
    {
        if (window)
            Close(window);
        for (StatOption *taken : TestOption::Seen().taken)
            DeleteOptionRecord(taken);
        dataSet.CloseFiles();
    }

    VariableListWindow *Open(int initial = -1)
    {
        window = new VariableListWindow(*userPersist, &dataSet, registry, registryCount, initial);
        EXPECT_EQ(0, window->Error());
        window->SetVisible(false);
        Show(window);
        return window;
    }
    static LRESULT Ask(ZafVtList *list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(list->OSHandle(), message, wParam, lParam);
    }
    static std::string RowText(ZafVtList *list, int row)
    {
        char text[256] = "";
        if (Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(row)) < static_cast<LRESULT>(sizeof text))
            Ask(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // A click on a row as the user makes it (MK_CONTROL adds to the selection).
    static void ClickRow(ZafVtList *list, int row, WPARAM keys = 0)
    {
        RECT r = {};
        Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        Ask(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        Ask(list, WM_LBUTTONUP, keys, point);
        RunQueued();
    }
    static void DoubleClickRow(ZafVtList *list, int row)
    {
        RECT r = {};
        Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        for (UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
            Ask(list, down, MK_LBUTTON, point);
            Ask(list, WM_LBUTTONUP, 0, point);
        }
        RunQueued();
    }
    HWND Handle(const std::string &name) { return window->FindObjectByStringID(name.c_str())->OSHandle(); }
    void Press(const std::string &name)
    {
        Click(Handle(name));
        RunQueued();
    }
    bool RunEnabled() const { return IsWindowEnabled(window->RunButton()->OSHandle()) != FALSE; }
    bool OptionsEnabled() const { return IsWindowEnabled(window->OptionsButton()->OSHandle()) != FALSE; }
    // Shown in the window (which itself stays hidden in the tests).
    bool Shown(const char *name) { return (fieldtest::Style(Handle(name)) & WS_VISIBLE) != 0; }
    // Selects the variable rows and presses the list's ">" button.
    void AddVariables(int list, std::initializer_list<int> rows)
    {
        bool first = true;
        for (int row : rows) {
            ClickRow(window->VariableList(), row, first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(VariableListWindow::addStem + std::to_string(list));
    }

    shellui::ShellUIFile uiFile;
    testsupport::TempDirectory directory{"mervalovarlist"};
    DATASET dataSet;
    VariableListWindow *window = nullptr;
};

TEST_F(VariableListWindowTest, PromptsComeWithTheAnalysisAndRequiredListsGateTheRunButton)
{
    Open();
    ASSERT_EQ(3, Ask(window->VariableList(), LB_GETCOUNT));
    EXPECT_EQ("age: Age in years", RowText(window->VariableList(), 0));
    ASSERT_EQ(4, Ask(window->AnalysisList(), LB_GETCOUNT)) << "only the analyses with a factory";
    EXPECT_FALSE(RunEnabled());
    EXPECT_FALSE(OptionsEnabled());
    EXPECT_FALSE(Shown("LB_LIST0"));

    ClickRow(window->AnalysisList(), 0);
    ASSERT_EQ(2, window->ListCount());
    EXPECT_EQ("Rows", fieldtest::WindowText(Handle("PR_LIST0")));
    EXPECT_TRUE(Shown("LB_LIST1"));
    EXPECT_FALSE(Shown("LB_LIST2"));
    EXPECT_FALSE(RunEnabled()) << "the first list is required and empty";
    EXPECT_TRUE(OptionsEnabled());
    AddVariables(1, {1});
    EXPECT_FALSE(RunEnabled()) << "an optional list alone does not allow a run";
    AddVariables(0, {0});
    EXPECT_TRUE(RunEnabled());
    ClickRow(window->ListControl(0), 0);
    Press("BT_REMOVE0");
    EXPECT_FALSE(RunEnabled());

    // Another analysis replaces the record and empties its lists.
    ClickRow(window->AnalysisList(), 1);
    EXPECT_EQ(1, TestOption::Seen().live);
    EXPECT_EQ(2, window->ListCount());
    EXPECT_TRUE(window->ListVariables(1).empty());
    EXPECT_FALSE(OptionsEnabled()) << "this record wants no options before a run";
}

TEST_F(VariableListWindowTest, APreOptionWindowCancelledKeepsTheAnalysisBeforeAndOkLetsTheRecordTakeItsValues)
{
    Open();
    // Cancelled with nothing chosen before, nothing is chosen.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_CANCEL), ZAF_QUEUE_TAIL);
    EXPECT_FALSE(window->ChooseAnalysis(3));
    EXPECT_EQ(0, TestOption::Seen().live);
    EXPECT_EQ(0, window->ListCount());
    EXPECT_EQ(LB_ERR, Ask(window->AnalysisList(), LB_GETCURSEL));

    // Cancelled after another analysis was chosen and given a variable:
    // that analysis stays, with its record, its lists and its row marked.
    ClickRow(window->AnalysisList(), 0);
    AddVariables(0, {1});
    StatOption *before = window->Option();
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_CANCEL), ZAF_QUEUE_TAIL);
    ClickRow(window->AnalysisList(), 2); // "Test asking first"
    EXPECT_EQ(0, window->Chosen());
    EXPECT_EQ(before, window->Option());
    EXPECT_EQ(1, TestOption::Seen().live);
    EXPECT_EQ(std::vector<long>{2}, window->ListVariables(0));
    EXPECT_EQ(0, Ask(window->AnalysisList(), LB_GETCURSEL));
    EXPECT_TRUE(RunEnabled());

    // The answer waits in the queue for the pre-option window's loop.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    EXPECT_TRUE(window->ChooseAnalysis(3));
    EXPECT_EQ(1, TestOption::Seen().takeFromWindow);
    EXPECT_EQ(1, TestOption::Seen().live);
    EXPECT_EQ(2, window->ListCount());
}

TEST_F(VariableListWindowTest, ADoubleClickPutsAVariableIntoTheListThatTakesItAndTakesAnEntryOut)
{
    Open(4); // "Rows" and "Columns" (one at most), both required
    DoubleClickRow(window->VariableList(), 2);
    DoubleClickRow(window->VariableList(), 0);
    DoubleClickRow(window->VariableList(), 1);
    DoubleClickRow(window->VariableList(), 2); // held already
    EXPECT_EQ((std::vector<long>{3, 2}), window->ListVariables(0)) << "the empty required list took the second";
    EXPECT_EQ(std::vector<long>{1}, window->ListVariables(1));
    EXPECT_TRUE(RunEnabled());

    DoubleClickRow(window->ListControl(1), 0);
    EXPECT_TRUE(window->ListVariables(1).empty());
    EXPECT_FALSE(RunEnabled());
    EXPECT_EQ(1, window->ListTakingNext());
    EXPECT_EQ(2, Ask(window->ListControl(0), LB_GETCOUNT)) << "the rows stay";
}

TEST_F(VariableListWindowTest, EscapeClosesTheWindowAsItsCloseButtonDoes)
{
    Open(0);
    ZafTracker open(window);
    KeyTo(window->VariableList()->OSHandle(), VK_ESCAPE);
    EXPECT_TRUE(open.Deleted());
    window = nullptr;
    EXPECT_EQ(0, TestOption::Seen().live) << "its record went with it";
}

// Types 2.5 into the running pre-option window's field and answers OK.
void TypeIntoPreOptions()
{
    ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
    ZafWindowObject *field = dialog ? dialog->FindObjectByStringID("FiVa") : nullptr;
    if (!field)
        return testsupport::WhenModalLoopIdles(TypeIntoPreOptions, 10);
    field->SetText("2.5");
    dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
}

TEST_F(VariableListWindowTest, ARecordKeepsWhatWasTypedInItsPreOptionWindowUntilItsRun)
{
    Open();
    testsupport::WhenModalLoopIdles(TypeIntoPreOptions);
    ASSERT_TRUE(window->ChooseAnalysis(3));
    AddVariables(0, {0});
    Press(VariableListWindow::runName);
    EXPECT_EQ("2.5", TestOption::Seen().preValue) << "the run reads the window the user answered";
}

TEST_F(VariableListWindowTest, TheKthPromptIsListKMinusOneInTheRun)
{
    Open(0);
    AddVariables(0, {2, 0});
    AddVariables(1, {0, 1, 2}); // the second list takes two at most
    AddVariables(0, {0});       // a variable already in the list is not added twice
    Press(VariableListWindow::runName);
    ASSERT_EQ(1, TestOption::Seen().runs);
    EXPECT_EQ((std::vector<std::vector<long>>{{1, 3}, {1, 2}, {-1}}), TestOption::Seen().lists)
        << "row order in a list; no third prompt, no list 2";
}

TEST_F(VariableListWindowTest, TheOptionsButtonOpensTheFrameOnTheRecord)
{
    Open(0);
    auto *record = static_cast<TestOption *>(window->Option());
    // The frame's loop takes the answer waiting in the queue.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    Press(VariableListWindow::optionsName);
    EXPECT_EQ(1, TestOption::Seen().toWindow);
    EXPECT_EQ(1, TestOption::Seen().fromWindow);
    EXPECT_EQ(nullptr, record->optionWindow) << "the frame is gone";
    EXPECT_EQ(record, window->Option());
}

// A run that fails, or that builds a workbook and never shows it, says so;
// the unshown workbook goes and the record stays with the window.
class FailedRun : public VariableListWindowTest, public testing::WithParamInterface<bool>
{};

TEST_P(FailedRun, SaysSoDeletesWhatItBuiltAndKeepsTheRecord)
{
    const bool leavesBook = GetParam();
    Open(0);
    AddVariables(0, {0});
    StatOption *record = window->Option();
    TestOption::Seen().runSucceeds = leavesBook;
    TestOption::Seen().leavesUnshownBook = leavesBook;
    Press(VariableListWindow::runName);
    ASSERT_EQ(1u, fieldtest::Recorded().reports.size());
    EXPECT_EQ(VariableListWindow::runFailedText, fieldtest::Recorded().reports[0].message);
    fieldtest::Recorded().reports.clear();
    EXPECT_EQ(0, TestOption::Seen().booksAlive);
    EXPECT_EQ(record, window->Option());
    EXPECT_EQ(1, record->deleteAfterRun);
    EXPECT_EQ(1, TestOption::Seen().live);
    EXPECT_TRUE(RunEnabled());
}

INSTANTIATE_TEST_SUITE_P(Runs, FailedRun, testing::Bool());

TEST_F(VariableListWindowTest, ARecordTakenByAWorkbookIsReplacedForTheNextRun)
{
    Open(0);
    AddVariables(0, {1});
    StatOption *first = window->Option();
    TestOption::Seen().takenByWorkbook = true;
    Press(VariableListWindow::runName);
    ASSERT_EQ((std::vector<StatOption *>{first}), TestOption::Seen().taken);
    ASSERT_NE(nullptr, window->Option());
    EXPECT_NE(first, window->Option());
    EXPECT_TRUE(RunEnabled()) << "the lists stay for the next run";
    Close(window);
    window = nullptr;
    EXPECT_EQ(1, TestOption::Seen().live) << "the window deletes only its own record";
}

// A value list that counts its deletion.
int freedLists = 0;
class CountedList : public LISTETYPE
{
public:
    ~CountedList() override { ++freedLists; }
};

TEST_F(VariableListWindowTest, AtMostFiveListsAndASelectionFreesTheValueListsInIt)
{
    EXPECT_EQ(nullptr, GetSelectedVariables(0));
    EXPECT_FALSE(PassTextToVariableList("Rows", 1, -1)) << "no window";
    Open(0);
    for (int k = 2; k < VariableListWindow::maxLists; ++k)
        EXPECT_TRUE(PassTextToVariableList("More", 0, -1));
    EXPECT_FALSE(PassTextToVariableList("Sixth", 0, -1));
    EXPECT_EQ(nullptr, GetSelectedVariables(VariableListWindow::maxLists));
    EXPECT_EQ(nullptr, GetSelectedVariables(-1));

    AddVariables(0, {0, 1, 2});
    VarSelection *selection = GetSelectedVariables(0);
    ASSERT_NE(nullptr, selection);
    ASSERT_EQ(3, selection->count);
    EXPECT_EQ(nullptr, selection->valueLists[2]);
    selection->valueLists[1] = new CountedList;
    selection->valueLists[2] = new CountedList;
    freedLists = 0;
    VarSelection::Free(selection);
    EXPECT_EQ(2, freedLists);
}

TEST_F(VariableListWindowTest, AFileWithoutTheWindowGivesAWindowInError)
{
    testsupport::TempDirectory scratch("emptyui");
    const std::string path = scratch.File("empty.znc");
    {
        ZafStorage storage(path.c_str(), ZafStorage::CreateTree);
        ASSERT_EQ(0u, storage.Save());
    }
    {
        ZafStorage storage(path.c_str(), ZafStorage::Read);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        VariableListWindow unread(*persistence, &dataSet, registry, registryCount, 0);
        EXPECT_NE(0, unread.Error());
        EXPECT_EQ(nullptr, unread.Option());
    }
}

// Two data sets made current in turn, as File, "Open data set" does: the
// list follows the current one and a run never reads numbers chosen on the
// other.
class TwoDataSets : public VariableListWindowTest
{
protected:
    TwoDataSets()
    {
        first = Make("first.QVF", "variable mpg\nlabel Miles per gallon\ntype double\n"
                                  "variable carb\ntype u8\n",
                     "mpg,carb\n21,4\n22.8,1\n");
        second = Make("second.QVF", "variable region\ntype u8\nvariable weight\nlabel Weight in kg\ntype double\n"
                                    "variable v3\ntype u8\n",
                      "region,weight,v3\n1,70.5,3\n2,81,4\n");
    }
    ~TwoDataSets() override
    {
        if (window)
            Close(window);
        window = nullptr;
        ProgramSettings::Instance()->SetDataSetObserver(nullptr);
        ProgramSettings::Instance()->CloseDataSet();
    }
    DATASET *Make(const char *name, const char *description, const char *csv)
    {
        const std::string path = directory.File(name);
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription(description));
        EXPECT_EQ(0, builder.ReadCsv(csv));
        EXPECT_EQ(0, builder.Write(path.c_str())) << builder.GetErrorText();
        return OpenDataSet(path.c_str());
    }
    VariableListWindow *OpenOn(DATASET *set, int initial)
    {
        ProgramSettings::Instance()->SetDataSet(set);
        window = new VariableListWindow(*userPersist, set, registry, registryCount, initial);
        EXPECT_EQ(0, window->Error());
        window->SetVisible(false);
        Show(window);
        return window;
    }
    DATASET *first = nullptr, *second = nullptr;
};

TEST_F(TwoDataSets, TheListFollowsTheOpenDataSetAndARunReadsItsVariables)
{
    ASSERT_TRUE(first && second);
    OpenOn(first, 0);
    AddVariables(0, {0, 1});
    ProgramSettings::Instance()->SetDataSet(second);
    EXPECT_EQ(second, window->DataSet());
    ASSERT_EQ(3, Ask(window->VariableList(), LB_GETCOUNT));
    EXPECT_EQ("weight: Weight in kg", RowText(window->VariableList(), 1));
    EXPECT_EQ(0, window->Chosen()) << "the analysis stays chosen";
    EXPECT_EQ(2, window->ListCount());
    EXPECT_TRUE(window->ListVariables(0).empty()) << "no number chosen on the other data set stays";
    EXPECT_FALSE(RunEnabled());
    AddVariables(0, {1, 2});
    Press(VariableListWindow::runName);
    ASSERT_EQ(1, TestOption::Seen().runs);
    EXPECT_EQ((std::vector<long>{2, 3}), TestOption::Seen().lists[0]);
    EXPECT_TRUE(fieldtest::Recorded().reports.empty());

    // Closed, the list shows no variables and nothing can run.
    ProgramSettings::Instance()->CloseDataSet();
    EXPECT_EQ(nullptr, window->DataSet());
    EXPECT_EQ(0, Ask(window->VariableList(), LB_GETCOUNT));
    EXPECT_FALSE(RunEnabled());
}

TEST_F(TwoDataSets, ARunOnVariablesChosenOnAnotherDataSetIsRefused)
{
    ASSERT_TRUE(first && second);
    OpenOn(first, 0);
    // Nothing tells the window of the change: its lists still name the
    // first data set's variables.
    ProgramSettings::Instance()->SetDataSetObserver(nullptr);
    ProgramSettings::Instance()->HoldDataSet(first);
    AddVariables(0, {1});
    ProgramSettings::Instance()->SetDataSet(second);
    EXPECT_FALSE(window->SelectionsFitDataSet());
    Press(VariableListWindow::runName);
    EXPECT_EQ(0, TestOption::Seen().runs);
    ASSERT_EQ(1u, fieldtest::Recorded().reports.size());
    EXPECT_EQ(VariableListWindow::staleSelectionText, fieldtest::Recorded().reports[0].message);
    fieldtest::Recorded().reports.clear();
    Close(window);
    window = nullptr;
    ProgramSettings::Instance()->ReleaseDataSet(first);
}

TEST_F(TwoDataSets, AnAnalysisThatAskedFirstIsUnchosenRatherThanAskedAgain)
{
    ASSERT_TRUE(first && second);
    OpenOn(first, -1);
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    ASSERT_TRUE(window->ChooseAnalysis(3));
    AddVariables(0, {0});
    TestOption::Seen().takenByWorkbook = true;
    Press(VariableListWindow::runName);
    ASSERT_EQ(1, TestOption::Seen().runs);
    // A pre-option window shown now would take this answer.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    ProgramSettings::Instance()->SetDataSet(second);
    EXPECT_EQ(1, TestOption::Seen().takeFromWindow) << "asked once, when chosen";
    EXPECT_EQ(-1, window->Chosen());
    EXPECT_EQ(0, window->ListCount());
    EXPECT_FALSE(RunEnabled());
    RunQueued();
}

} // namespace
