// Multiple response from the user's side: the analysis chosen in the
// variable-list window, the question's variables put into its list, the run
// building one page whose text equals the golden one for the record's
// settings. The figures were checked against data/multresp_reference.R (R
// on the same cases: counts, % of answers, % of cases, listwise, with and
// without user-missing codes, unweighted and weighted).
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/MULTDIKOWIN.h"
#include "analyses/frequencies/MULTFREQWIN.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"

#include <iterator>
#include <map>
#include <memory>
#include <sstream>

namespace {

using namespace analysestest;

enum MultrespVariable { ID = 1, W, ISSUE1, ISSUE2, ISSUE3, PAPER, WEB, RADIO, OTHER };

std::vector<WorkBook *> shownBooks;

class MultrespTest : public WindowTest
{
protected:
    MultrespTest()
    {
        previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    }
    ~MultrespTest() override
    {
        for (WorkBook *book : shownBooks)
            Forget(book);
        shownBooks.clear();
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
        ForgetSettings();
        WorkBook::SetShowHook(previous);
    }
    void ForgetSettings()
    {
        for (const auto &setting : stored)
            RegistrySettings::DeleteKeyInSection(FindSettingsSection(sectionTableOptions), setting.first.c_str());
    }

    // The book of a run of the analysis (menu text menuText) over the
    // variables, with these settings stored first; null when none is shown.
    WorkBook *Run(int menuText, const std::string &added, std::map<std::string, unsigned long> settings,
                  std::initializer_list<long> variables)
    {
        ForgetSettings();
        stored = settings;
        for (const auto &setting : stored)
            RegistrySettings::WriteValueInSection(FindSettingsSection(sectionTableOptions), setting.first.c_str(),
                                                  setting.second);
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        if (window)
            Forget(window);
        window =
            Open(new VariableListWindow(*userPersist, OpenSurvey("data/multresp", added), RegisteredOptionsList.data(),
                                        static_cast<int>(RegisteredOptionsList.size())));
        const std::string name = StatText(menuText, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_GE(row, 0) << name;
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        bool first = true;
        for (long variable : variables) {
            ClickRow(window->VariableList(), static_cast<int>(variable - 1), first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, "BT_ADD0");
        const std::size_t before = shownBooks.size();
        Press(window, VariableListWindow::runName);
        return shownBooks.size() == before + 1 ? shownBooks.back() : nullptr;
    }
    static const std::string &Text(WorkBook *book)
    {
        return static_cast<TXTWIN *>(book->PageAt(0)->ResultWindow())->Text();
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previous = nullptr;
    std::map<std::string, unsigned long> stored;
};

constexpr int categoriesMenuText = 18;

TEST_F(MultrespTest, CategoriesCountEveryValidCodeOfTheQuestionAsAnAnswer)
{
    WorkBook *book = Run(categoriesMenuText, "", {}, {ISSUE1, ISSUE2, ISSUE3});
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(2, book->GraphToolCount()) << "bar and pie on the base of answers";
    ExpectGolden("multresp_issues", Text(book));
    // R: counts 13 12 16 15 11 of 67 answers by 33 cases; 23.9 % of answers for code 3.
    for (const char *figure : {" 16 ", "23.9", " 67 ", "Number of cases: 33"})
        EXPECT_NE(std::string::npos, Text(book).find(figure)) << figure;

    // The graphs draw the counted distribution.
    auto *page = static_cast<MultrespFreqPage *>(book->PageAt(0));
    std::unique_ptr<ZafWindow> bar(page->CreateGraphWindow(0, nullptr));
    EXPECT_NE(nullptr, bar);
}

TEST_F(MultrespTest, TheFirstTableFollowsTheRecordsUserMissingSetting)
{
    WorkBook *book =
        Run(categoriesMenuText, "weight w\n",
            {{"MultRespFreqIncludeUsermiss", 1}, {"MultRespFreqPctBase", multrespOfCases}}, {ISSUE1, ISSUE2, ISSUE3});
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(1, book->GraphToolCount()) << "no pie on the base of cases";
    ExpectGolden("multresp_issues_usermissing_cases_weighted", Text(book));
    // R: 31 answers "No answer", 146 answers by 62 cases; 50.0 % of cases.
    for (const char *figure : {"No answer", "50.0", " 146.00 ", "Number of cases: 62"})
        EXPECT_NE(std::string::npos, Text(book).find(figure)) << figure;

    // The listwise flag recounts on the next write; the display bits only
    // rewrite.
    auto *record = static_cast<MultrespFreqOption *>(book->Option());
    record->listwise = 1;
    record->display = multrespLabels | multrespCounts | multrespPercents;
    book->PageAt(0)->ResultWindow()->Update();
    ExpectGolden("multresp_issues_listwise_weighted", Text(book));
    EXPECT_NE(std::string::npos, Text(book).find("Number of cases: 31")) << "R: 93 answers by 31 cases";
}

TEST_F(MultrespTest, VariablesLabelledOtherwiseAreNoQuestion)
{
    WorkBook *book = Run(categoriesMenuText, "", {}, {ISSUE1, OTHER});
    ASSERT_NE(nullptr, book);
    EXPECT_NE(std::string::npos, Text(book).find(StatText(38, multrespTextGroup)));
    EXPECT_EQ(nullptr, book->PageAt(0)->Computation());
}

// Unweighted, each category's count is a whole number and the total
// carries the values' decimals; weighted, both carry the weight's.
TEST_F(MultrespTest, TheTotalCountCarriesTheValuesDecimals)
{
    for (const bool weighted : {false, true}) {
        Survey survey(Survey::Text{"categories c\nvalue 1 = A\nvalue 2 = B\nvariable a\ntype double\ndecimals 2\n"
                                   "labels c\nvariable b\ntype double\ndecimals 2\nlabels c\n"
                                   "variable w\ntype double\ndecimals 1\n" +
                                       std::string(weighted ? "weight w\n" : ""),
                                   "a,b,w\n1,2,0.5\n2,,1\n1,,1\n"});
        const long list[] = {1, 2, 0};
        std::unique_ptr<MultRespFreq> count(new MultRespFreq(list, multrespOfAnswers, 1, survey.DataSet()));
        count->displayWord = multrespLabels | multrespCounts | multrespPercents;
        MULTFREQWIN window("t", count.get());
        count->WriteTable(window);
        std::map<std::string, std::vector<std::string>> rows;
        std::istringstream lines(window.Text());
        for (std::string line; std::getline(lines, line);) {
            std::istringstream in(line);
            std::vector<std::string> fields{std::istream_iterator<std::string>(in), {}};
            if (!fields.empty())
                rows[fields[0]] = fields;
        }
        const std::string total = StatText(10, 5);
        ASSERT_EQ(3u, rows[total].size()) << window.Text();
        ASSERT_EQ(3u, rows["A"].size()) << window.Text();
        if (weighted) {
            EXPECT_EQ("1.50", rows["A"][1]) << window.Text();
            EXPECT_EQ("3.00", rows[total][1]) << window.Text();
        } else {
            EXPECT_EQ("2", rows["A"][1]) << window.Text();
            EXPECT_EQ("4.00", rows[total][1]) << window.Text();
        }
        count.reset();
    }
}

constexpr int dichotomiesMenuText = 19;

// What the pre-option window gets typed into it before OK.
std::string typedValues;
void CALLBACK AnswerPreOptions(HWND, UINT, UINT_PTR timer, DWORD)
{
    ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
    ZafWindowObject *field = dialog ? dialog->FindObjectByStringID(MultrespDikoPreOptionWindow::fieldName) : nullptr;
    if (!field)
        return;
    KillTimer(nullptr, timer);
    field->SetText(typedValues.c_str());
    dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
}

TEST_F(MultrespTest, DichotomiesCountTheCasesHoldingTheValueTypedBeforeTheLists)
{
    typedValues = "1";
    SetTimer(nullptr, 0, 10, AnswerPreOptions);
    WorkBook *book = Run(dichotomiesMenuText, "", {}, {PAPER, WEB, RADIO});
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(2, book->GraphToolCount());
    ExpectGolden("multresp_sources", Text(book));
    // R: 17 17 22 of 56 answers by 35 cases.
    for (const char *figure : {"30.4", "39.3", " 56 ", "Number of cases: 35"})
        EXPECT_NE(std::string::npos, Text(book).find(figure)) << figure;

    typedValues = "2";
    SetTimer(nullptr, 0, 10, AnswerPreOptions);
    book =
        Run(dichotomiesMenuText, "weight w\n", {{"MultRespDikoPctBase", multrespOfEachVariable}}, {PAPER, WEB, RADIO});
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(1, book->GraphToolCount()) << "no pie but on the base of answers";
    ExpectGolden("multresp_sources_each_variable_weighted", Text(book));
    // R: 17 15 7 of the cases valid in each variable: 28.3 30.0 12.3 %; no
    // total, but the footer with the cases and the weight. The counted value
    // as typed, not with the weight's decimals.
    for (const char *figure : {"Counted value:  2\r\n", "28.3", "30.0", "12.3", "Number of cases: 35", "Weight: w"})
        EXPECT_NE(std::string::npos, Text(book).find(figure)) << figure;
    EXPECT_EQ(std::string::npos, Text(book).find(StatText(10, 5)));
}

} // namespace

namespace {

// Answers weighing near the largest double: counts past the mark's size are
// figures in exponent form with right percentages; counts and totals whose
// weights sum past the largest double hold the mark, and the footer says
// why.
TEST(MultrespText, HugeWeightsGiveFiguresAndMarksWithTheirReason)
{
    EnglishTexts texts;
    const std::string dictionary = "variable a\ntype u8\nvalue 1 = yes\nvalue 2 = no\n"
                                   "variable b\ntype u8\nvalue 1 = yes\nvalue 2 = no\n"
                                   "variable w\ntype double\nweight w\n";
    const long list[] = {1, 2, 0};
    {
        Survey survey(Survey::Text{dictionary, "a,b,w\n1,2,1e300\n2,1,1e300\n1,1,2e300\n"});
        MultRespFreq categories(list, multrespOfAnswers, 0, survey.DataSet());
        categories.displayWord = multrespLabels | multrespCounts | multrespPercents;
        TXTWIN text("categories", 0);
        categories.WriteTable(text);
        // 8e300 answers: yes 6e300 (75 %), no 2e300 (25 %).
        EXPECT_NE(std::string::npos, text.Text().find("6.00e+300           75.0")) << text.Text();
        EXPECT_NE(std::string::npos, text.Text().find("8.00e+300          100.0")) << text.Text();
        EXPECT_EQ(std::string::npos, text.Text().find(" --- ")) << text.Text();
    }
    {
        Survey survey(Survey::Text{dictionary, "a,b,w\n1,2,1e308\n2,1,1e308\n1,1,1e308\n"});
        MultRespFreq categories(list, multrespOfAnswers, 0, survey.DataSet());
        categories.displayWord = multrespLabels | multrespCounts | multrespPercents;
        TXTWIN text("categories", 0);
        categories.WriteTable(text);
        // The counts pass the largest double; their shares are still known.
        EXPECT_NE(std::string::npos, text.Text().find("---           66.7")) << text.Text();
        EXPECT_NE(std::string::npos, text.Text().find(std::string("--- ") + StatText(30, 0))) << text.Text();
        EXPECT_EQ(std::string::npos, text.Text().find("inf")) << text.Text();
        EXPECT_EQ(std::string::npos, text.Text().find("340282")) << text.Text();
    }
}

} // namespace
