// The variable-list window over a small data set, driven through its real
// list boxes and buttons: the variables and analyses it shows, the prompted
// lists with their required flags gating the run button, the lists a run
// reads (the k-th prompt is list k - 1), failed runs, records taken by a
// workbook, and the selections handed to the analyses.
#include "tests/shell/TestOption.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "shell/VariableListWindow.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/data/ZafDiskFile.h"

#include <memory>
#include <string>

namespace {

const RegisteredOption registry[] = {
    {"Test table", 12, 1, TestOption::Make, 1, "USE_TEST"},
    {"Weight", 34, 1, nullptr, 4, "USE_WEIGHT"}, // no factory: not listed
    {"Test without early options", 15, 1, NoEarlyOptions::Make, 1, "USE_TEST_LATE"},
    {"Test asking first", 22, 3, AsksFirst::Make, 3, "USE_TEST_FIRST"},
};
constexpr int registryCount = 4;

class VariableListWindowTest : public fieldtest::FieldTest
{
protected:
    VariableListWindowTest()
    {
        ZafVtList::RegisterPersistence();
        TestOption::Seen() = TestOptionSeen();
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        directory = std::string(base) + "mervalovarlist" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(directory.c_str(), nullptr);
        const std::string name = directory + "\\survey.QVF";
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
            delete taken;
        dataSet.CloseFiles();
        ZafDiskFileSystem disk;
        disk.RmDir(directory.c_str(), true);
    }

    VariableListWindow *Open(int initial = -1)
    {
        window = new VariableListWindow(&dataSet, registry, registryCount, initial);
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
    // A click on a row as the user makes it (keys: MK_CONTROL to add to the
    // selection).
    static void ClickRow(ZafVtList *list, int row, WPARAM keys = 0)
    {
        RECT r = {};
        Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        Ask(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        Ask(list, WM_LBUTTONUP, keys, point);
        RunQueued();
    }
    void Press(const char *name)
    {
        ZafWindowObject *button = window->FindObjectByStringID(name);
        ASSERT_NE(nullptr, button) << name;
        Click(button->OSHandle());
        RunQueued();
    }
    bool RunEnabled() const { return IsWindowEnabled(window->RunButton()->OSHandle()) != FALSE; }
    bool OptionsEnabled() const { return IsWindowEnabled(window->OptionsButton()->OSHandle()) != FALSE; }
    // Selects the variable rows and presses the list's ">" button.
    void AddVariables(int list, std::initializer_list<int> rows)
    {
        bool first = true;
        for (int row : rows) {
            ClickRow(window->VariableList(), row, first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(("BT_ADD" + std::to_string(list)).c_str());
    }

    std::string directory;
    DATASET dataSet;
    VariableListWindow *window = nullptr;
};

TEST_F(VariableListWindowTest, ShowsTheVariablesAndTheAnalysesThatHaveAFactory)
{
    Open();
    ZafVtList *variables = window->VariableList();
    ASSERT_EQ(3, Ask(variables, LB_GETCOUNT));
    EXPECT_EQ("age: Age in years", RowText(variables, 0));
    EXPECT_EQ("income", RowText(variables, 2).substr(0, 6));
    ASSERT_EQ(3, Ask(window->AnalysisList(), LB_GETCOUNT));
    EXPECT_EQ("Test table", RowText(window->AnalysisList(), 0));
    EXPECT_EQ("Test without early options", RowText(window->AnalysisList(), 1));
    // Nothing chosen: nothing to run and no options to set.
    EXPECT_EQ(0, window->ListCount());
    EXPECT_FALSE(RunEnabled());
    EXPECT_FALSE(OptionsEnabled());
}

TEST_F(VariableListWindowTest, ChoosingAnAnalysisPutsItsPromptsInAndRequiredListsGateTheRunButton)
{
    Open();
    ClickRow(window->AnalysisList(), 0);
    ASSERT_NE(nullptr, window->Option());
    EXPECT_EQ(1, TestOption::Seen().live);
    ASSERT_EQ(2, window->ListCount());
    EXPECT_FALSE(RunEnabled()) << "the first list is required and empty";
    EXPECT_TRUE(OptionsEnabled());

    AddVariables(1, {1});
    EXPECT_FALSE(RunEnabled()) << "an optional list alone does not allow a run";
    AddVariables(0, {0});
    EXPECT_TRUE(RunEnabled());

    // Taking the variable out of the required list disables the run again.
    ClickRow(window->ListControl(0), 0);
    Press("BT_REMOVE0");
    EXPECT_TRUE(window->ListVariables(0).empty());
    EXPECT_FALSE(RunEnabled());

    // Another analysis replaces the record and its lists.
    ClickRow(window->AnalysisList(), 1);
    EXPECT_EQ(1, TestOption::Seen().live);
    EXPECT_EQ(2, window->ListCount());
    EXPECT_TRUE(window->ListVariables(1).empty());
    EXPECT_FALSE(OptionsEnabled()) << "this record wants no options before a run";
}

TEST_F(VariableListWindowTest, APreOptionWindowAnsweredWithOkLetsTheRecordTakeItsValues)
{
    Open();
    // The answer waits in the queue for the pre-option window's loop.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    EXPECT_TRUE(window->ChooseAnalysis(3));
    EXPECT_EQ(1, TestOption::Seen().takeFromWindow);
    ASSERT_NE(nullptr, window->Option());
    EXPECT_EQ(nullptr, window->Option()->preOptionWindow);
    EXPECT_EQ(2, window->ListCount());

    // Cancelled, the record goes and nothing is chosen.
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_CANCEL), ZAF_QUEUE_TAIL);
    EXPECT_FALSE(window->ChooseAnalysis(3));
    EXPECT_EQ(1, TestOption::Seen().takeFromWindow);
    EXPECT_EQ(nullptr, window->Option());
    EXPECT_EQ(0, TestOption::Seen().live);
    EXPECT_EQ(0, window->ListCount());
    EXPECT_EQ(-1, window->ChosenAnalysis());
    EXPECT_EQ(LB_ERR, Ask(window->AnalysisList(), LB_GETCURSEL));
    EXPECT_FALSE(OptionsEnabled());
}

TEST_F(VariableListWindowTest, TheKthPromptIsListKMinusOneInTheRun)
{
    Open(0);
    AddVariables(0, {2, 0});
    AddVariables(1, {0, 1, 2}); // the second list takes two at most
    AddVariables(0, {0});       // a variable already in the list is not added twice
    EXPECT_EQ((std::vector<long>{1, 3}), window->ListVariables(0)) << "row order of the selection";
    EXPECT_EQ((std::vector<long>{1, 2}), window->ListVariables(1));

    Press(VariableListWindow::runName);
    ASSERT_EQ(1, TestOption::Seen().runs);
    ASSERT_EQ(3u, TestOption::Seen().lists.size());
    EXPECT_EQ((std::vector<long>{1, 3}), TestOption::Seen().lists[0]);
    EXPECT_EQ((std::vector<long>{1, 2}), TestOption::Seen().lists[1]);
    EXPECT_EQ((std::vector<long>{-1}), TestOption::Seen().lists[2]) << "no third prompt, no list 2";
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

    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_CANCEL), ZAF_QUEUE_TAIL);
    Press(VariableListWindow::optionsName);
    EXPECT_EQ(2, TestOption::Seen().toWindow);
    EXPECT_EQ(1, TestOption::Seen().fromWindow);
    EXPECT_EQ(record, window->Option());
}

TEST_F(VariableListWindowTest, AFailedRunSaysSoAndKeepsTheRecord)
{
    Open(0);
    AddVariables(0, {0});
    StatOption *record = window->Option();
    TestOption::Seen().runSucceeds = false;
    Press(VariableListWindow::runName);
    ASSERT_EQ(1u, fieldtest::Recorded().reports.size());
    EXPECT_EQ(VariableListWindow::runFailedText, fieldtest::Recorded().reports[0].message);
    fieldtest::Recorded().reports.clear();
    EXPECT_EQ(record, window->Option());
    EXPECT_TRUE(RunEnabled());
}

TEST_F(VariableListWindowTest, ARecordTakenByAWorkbookIsReplacedForTheNextRun)
{
    Open(0);
    AddVariables(0, {1});
    StatOption *first = window->Option();
    TestOption::Seen().takenByWorkbook = true;
    Press(VariableListWindow::runName);
    ASSERT_EQ(1u, TestOption::Seen().taken.size());
    EXPECT_EQ(first, TestOption::Seen().taken[0]);
    ASSERT_NE(nullptr, window->Option());
    EXPECT_NE(first, window->Option());
    EXPECT_EQ(2, TestOption::Seen().live);
    // The lists stay for the next run.
    EXPECT_TRUE(RunEnabled());
    Close(window);
    window = nullptr;
    EXPECT_EQ(1, TestOption::Seen().live) << "the window deletes only its own record";
}

TEST_F(VariableListWindowTest, WithoutAWindowThereAreNoListsAndAtMostFivePromptsFit)
{
    EXPECT_EQ(nullptr, GetSelectedVariables(0));
    EXPECT_FALSE(PassTextToVariableList("Rows", 1, -1));
    Open(0);
    EXPECT_EQ(nullptr, GetSelectedVariables(-1));
    EXPECT_EQ(nullptr, GetSelectedVariables(2));
    for (int k = 2; k < VariableListWindow::maxLists; ++k)
        EXPECT_TRUE(PassTextToVariableList("More", 0, -1));
    EXPECT_FALSE(PassTextToVariableList("Sixth", 0, -1));
    EXPECT_EQ(VariableListWindow::maxLists, window->ListCount());
    Close(window);
    window = nullptr;
    EXPECT_EQ(nullptr, GetSelectedVariables(0));
}

// A value list that counts its deletion.
int freedLists = 0;
class CountedList : public LISTETYPE
{
public:
    ~CountedList() override { ++freedLists; }
};

TEST_F(VariableListWindowTest, FreeingASelectionFreesTheValueListsStillInIt)
{
    Open(0);
    AddVariables(0, {0, 1, 2});
    VarSelection *selection = GetSelectedVariables(0);
    ASSERT_NE(nullptr, selection);
    ASSERT_EQ(3, selection->count);
    for (int i = 0; i < selection->count; ++i)
        EXPECT_EQ(nullptr, selection->valueLists[i]);
    // The caller took the first list out; two are left in their slots.
    selection->valueLists[1] = new CountedList;
    selection->valueLists[2] = new CountedList;
    freedLists = 0;
    VarSelection::Free(selection);
    EXPECT_EQ(2, freedLists);
    VarSelection::Free(nullptr);
}

} // namespace
