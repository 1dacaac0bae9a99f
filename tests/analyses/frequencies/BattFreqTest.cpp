// The battery frequencies from the user's side: the analysis chosen in the
// variable-list window, items put into its list, the run building one page
// whose text equals the golden one for the record's options, unweighted and
// weighted, with user- and system-missing values. The figures were checked
// against data/battery_reference.R (R on the same cases). Items are aligned
// by code: roads (no 5) and libraries (no 9) keep their columns, and odd,
// with a code parks lacks, is listed as left out.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/BattFreqBook.h"
#include "analyses/frequencies/BattFreqOption.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/TXTWIN.h"
#include "shell/VariableListWindow.h"
#include "tests/support/ModalLoop.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafNotebook.h"

namespace {

using namespace analysestest;

enum BatteryVariable { ID = 1, W, PARKS, ROADS, ODD, LIBRARIES, NOBODY };

std::vector<WorkBook *> shownBooks;

class BattFreqTest : public WindowTest
{
protected:
    BattFreqTest()
    {
        previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    }
    ~BattFreqTest() override
    {
        for (WorkBook *book : shownBooks)
            Forget(book);
        shownBooks.clear();
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
        ForgetOptions();
        WorkBook::SetShowHook(previous);
    }
    static void ForgetOptions()
    {
        RegistrySettings::DeleteKeyInSection(FindSettingsSection(sectionTableOptions), "BattFreqTableOptions");
    }

    // The text of the one page of a run over the items with these options.
    std::string Run(const std::string &added, unsigned long options, std::initializer_list<long> items,
                    const Survey::Text *own = nullptr)
    {
        ForgetOptions();
        RegistrySettings::WriteValueInSection(FindSettingsSection(sectionTableOptions), "BattFreqTableOptions",
                                              options);
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        if (window)
            Forget(window);
        DATASET *dataSet = nullptr;
        if (own) {
            survey.reset();
            survey = std::make_unique<Survey>(*own);
            dataSet = survey->DataSet();
        } else {
            dataSet = OpenSurvey("data/battery", added);
        }
        window = Open(new VariableListWindow(*userPersist, dataSet, RegisteredOptionsList.data(),
                                             static_cast<int>(RegisteredOptionsList.size())));
        if (listShownAt) {
            // Shown as the user sees it, away from the screen's centre.
            SetWindowPos(window->OSHandle(2), nullptr, listShownAt->x, listShownAt->y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(window->OSHandle(2), SW_SHOWNOACTIVATE);
        }
        const std::string name = StatText(77, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_GE(row, 0) << name;
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        bool first = true;
        for (long item : items) {
            ClickRow(window->VariableList(), static_cast<int>(item - 1), first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, "BT_ADD0");
        const std::size_t before = shownBooks.size();
        Press(window, VariableListWindow::runName);
        if (shownBooks.size() != before + 1 || shownBooks.back()->PageCount() != 1)
            return "no page";
        return static_cast<TXTWIN *>(shownBooks.back()->PageAt(0)->ResultWindow())->Text();
    }

    VariableListWindow *window = nullptr;
    // Where Run shows the variable-list window; null: it stays hidden.
    const POINT *listShownAt = nullptr;
    WorkBook::ShowHook previous = nullptr;
};

TEST_F(BattFreqTest, TheDefaultTableAlignsItemsByCodeAndListsTheOnesThatCannotBe)
{
    const std::string text = Run("", BattFreqOption::defaultOptions, {PARKS, ROADS, ODD, LIBRARIES});
    ExpectGolden("battery_default", text);
    EXPECT_EQ("v3, v4, v5, v6",
              std::string(shownBooks.back()->Notebook()->TabOf(shownBooks.back()->PageAt(0))->Text()));
    EXPECT_NE(std::string::npos, text.find(StatText(55, BattFreqOption::textGroup)));
}

TEST_F(BattFreqTest, SeparateTablesWithSumsWeighted)
{
    ExpectGolden("battery_separate_sums_weighted",
                 Run("weight w\n",
                     battCounts | battValidPercent | battPercent | battColumnSums | battRowSums | battSeparate,
                     {PARKS, ROADS, LIBRARIES}));
    ExpectGolden("battery_counts_only", Run("", battCounts | battSeparate, {PARKS, ROADS}));
}

TEST_F(BattFreqTest, NoCaseSelectedGivesTheMarkNotAFigure)
{
    const std::string text =
        Run("selection nobody Nobody selected\n",
            battCounts | battPercent | battValidPercent | battColumnSums | battRowSums, {PARKS, ROADS});
    ExpectGolden("battery_nobody", text);
    EXPECT_EQ(std::string::npos, text.find("nan"));
}

// The footer of every table: the cases counted (each item's, its missing
// values included), and those left out for their weight.
TEST_F(BattFreqTest, TheFooterCountsTheCasesAndThoseLeftOutForTheirWeight)
{
    const std::string unweighted = Run("", battCounts, {PARKS, ROADS, LIBRARIES});
    EXPECT_NE(std::string::npos, unweighted.find("Number of cases: 40\r\n")) << unweighted;
    const std::string weighted = Run("weight w\n", battCounts, {PARKS, ROADS, LIBRARIES});
    EXPECT_NE(std::string::npos, weighted.find("Number of cases: 78\r\n")) << weighted;
    EXPECT_NE(std::string::npos, weighted.find("Weight: w")) << weighted;

    // Two cases of weight 0 and one without a weight: the three other
    // cases weigh 1.5, 2 and 2.5 (a missing answer among them).
    const Survey::Text zeros{"variable a\ntype u8\nmissing 9\nvalue 1 = yes\nvalue 2 = no\n"
                             "variable b\ntype u8\nmissing 9\nvalue 1 = yes\nvalue 2 = no\n"
                             "variable w\ntype double\ndecimals 1\nweight w\n",
                             "a,b,w\n1,2,1.5\n2,9,2\n1,1,2.5\n2,2,0\n1,1,0\n2,1,\n"};
    const std::string text = Run("", battCounts | battRowSums, {1, 2}, &zeros);
    EXPECT_NE(std::string::npos, text.find("Number of cases: 6\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Cases left out for a zero, negative or missing weight: 3\r\n")) << text;
}

// Weights near the largest double: counts past the mark's size print as
// figures in exponent form and their percentages stay right; a total whose
// weights sum past the largest double leaves its percentages and its N the
// mark, and the footer says why.
TEST_F(BattFreqTest, HugeWeightsGiveFiguresAndMarksWithTheirReason)
{
    const std::string dictionary = "variable a\ntype u8\nvalue 1 = yes\nvalue 2 = no\n"
                                   "variable b\ntype u8\nvalue 1 = yes\nvalue 2 = no\n"
                                   "variable w\ntype double\nweight w\n";
    const Survey::Text large{dictionary, "a,b,w\n1,2,1e300\n2,2,1e300\n1,1,2e300\n"};
    const std::string text = Run("", battCounts | battPercent | battRowSums, {1, 2}, &large);
    EXPECT_NE(std::string::npos, text.find("3.00e+300")) << text;
    EXPECT_NE(std::string::npos, text.find(" 75.0 ")) << text;
    EXPECT_NE(std::string::npos, text.find(" 25.0 ")) << text;
    EXPECT_EQ(std::string::npos, text.find("***")) << text;

    const Survey::Text past{dictionary, "a,b,w\n1,2,1e308\n2,2,1e308\n1,1,1e308\n"};
    const std::string marked = Run("", battCounts | battPercent | battRowSums, {1, 2}, &past);
    EXPECT_NE(std::string::npos, marked.find("***")) << marked;
    EXPECT_NE(std::string::npos, marked.find(std::string("*** ") + StatText(30, 0))) << marked;
    EXPECT_EQ(std::string::npos, marked.find("inf")) << marked;
}

// The message box up while the run with one item goes on: its text, and
// every error the variable-list window reported besides.
std::string boxText;
std::vector<std::string> reported;
HWND boxOwner = nullptr;
RECT boxPlace = {};

void AnswerBox()
{
    HWND found = testsupport::FindThreadMessageBox();
    if (!found)
        return testsupport::WhenModalLoopIdles(AnswerBox, 10);
    char text[512] = "";
    GetDlgItemTextA(found, 0xFFFF, text, sizeof text);
    boxText = text;
    boxOwner = GetWindow(found, GW_OWNER);
    GetWindowRect(found, &boxPlace);
    PostMessageA(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
}

TEST_F(BattFreqTest, OneItemIsNoBatteryAndTheUserIsToldWhy)
{
    boxText.clear();
    reported.clear();
    const ZafErrorStub::AnswerHook before = ZafErrorStub::SetAnswerHook(
        [](ZafWindowObject *, const char *, unsigned, const char *message) -> ZafEventType {
            reported.push_back(message ? message : "");
            return 0;
        });
    testsupport::WhenModalLoopIdles(AnswerBox, 10);
    const POINT corner = {40, 40};
    listShownAt = &corner;
    EXPECT_EQ("no page", Run("", BattFreqOption::defaultOptions, {PARKS}));
    listShownAt = nullptr;
    testsupport::ForgetModalLoopSteps();
    ZafErrorStub::SetAnswerHook(before);
    EXPECT_EQ(BattFreqBook::tooFewItemsText, boxText);
    EXPECT_TRUE(reported.empty()) << reported.front();
    // The box belongs to the variable list the run was started from and
    // stands on its centre (within a pixel of the halves' rounding), not on
    // the screen's.
    ASSERT_TRUE(window && window->OSHandle());
    EXPECT_EQ(window->OSHandle(2), boxOwner);
    RECT list = {};
    GetWindowRect(window->OSHandle(2), &list);
    ASSERT_TRUE(IsWindowVisible(window->OSHandle(2)));
    EXPECT_NEAR((boxPlace.left + boxPlace.right) / 2, (list.left + list.right) / 2, 1);
    EXPECT_NEAR((boxPlace.top + boxPlace.bottom) / 2, (list.top + list.bottom) / 2, 1);
    const int screenMiddle = GetSystemMetrics(SM_CXSCREEN) / 2;
    EXPECT_GT(std::abs((boxPlace.left + boxPlace.right) / 2 - screenMiddle), 20) << "the test must tell the two apart";
}

} // namespace
