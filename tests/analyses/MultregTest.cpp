// The multiple regression on its own survey (data/reg): golden texts for
// each column and method; the figures against R (data/reg_reference.R: lm,
// summary, tolerance as 1 - R^2 of each x on the others, forward and
// backward by the p of t, pairwise from R's pairwise cor); residuals saved
// into the data set equal to R's residuals() (data/reg_residuals.txt);
// a save that cannot write, a taken name, and runs from the variable list.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/MultregBook.h"
#include "analyses/MultregOption.h"
#include "analyses/REGWIN.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "stats/StatMissing.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafNotebook.h"

#include <cmath>
#include <sstream>
#include <tuple>

namespace {

using namespace analysestest;

enum RegVariable { W = 2, Y, X1, X2, X3, SAME };

std::vector<std::string> messages;
int answer = 0; // to the overlap warning
int Answer(const char *, const char *text, int)
{
    messages.push_back(text);
    return answer;
}

class MultregTest : public WindowTest
{
protected:
    MultregTest() { previousHook = MultregBook::SetMessageHook(Answer), messages.clear(); }
    ~MultregTest() override { MultregBook::SetMessageHook(previousHook); }
    // The page's text of y on independents with that record's settings.
    std::string Text(MultregOption *record, std::vector<long> independents, long dependent = Y)
    {
        independents.push_back(0);
        MultregBook book(record);
        Regresjon regression(dependent, independents.data(), static_cast<int>(record->method),
                             static_cast<int>(record->missingDeletion), record->PIn(), record->POut());
        regression.ComputeCorrelationMatrix();
        regression.book = &book;
        REGWIN window("");
        window.SetRegression(&regression);
        window.WriteResult();
        return window.Text();
    }
    std::string Text(unsigned long mask, long method = multregEnter, long missing = multregListwise,
                     std::vector<long> independents = {X1, X2, X3})
    {
        auto *record = new MultregOption;
        record->tableDisplay = static_cast<long>(mask), record->method = method, record->missingDeletion = missing;
        return Text(record, independents);
    }
    // The fields of a line that starts with key, up to count of them.
    static std::vector<std::string> Fields(const std::string &text, const std::string &key, size_t count = 6)
    {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            if (line.compare(line.find_first_not_of(' ') == std::string::npos ? 0 : line.find_first_not_of(' '),
                             key.size(), key) == 0) {
                std::istringstream in(line.substr(line.find(key) + key.size()));
                std::vector<std::string> fields;
                for (std::string f; fields.size() < count && in >> f;)
                    fields.push_back(f);
                return fields;
            }
        return {"(no line " + key + ")"};
    }
    static std::string Summary(const std::string &text, int label)
    {
        return Fields(text, StatText(label, multregTextGroup), 1).at(0);
    }
    using Figures = std::vector<std::string>;
    MultregBook::MessageHook previousHook;
};

TEST_F(MultregTest, EveryColumnAndMethodHasItsGoldenText)
{
    OpenSurvey("data/reg");
    std::string all;
    for (unsigned long mask : {1ul, 2ul, 4ul, 8ul, 16ul, 31ul})
        all += "--- mask " + std::to_string(mask) + "\n" + Text(mask);
    ExpectGolden("multreg_columns", all);
    std::string methods = Text(31, multregForward) + Text(31, multregBackward) + Text(31, multregEnter, multregPairwise);
    auto *record = new MultregOption;
    record->method = multregForward, record->pIn = 1; // p in 0.0001: nothing enters
    methods += Text(record, {X1, X2}, X3) + Text(31, multregEnter, multregListwise, {X1, SAME});
    ExpectGolden("multreg_methods", methods);
}

TEST_F(MultregTest, TheFiguresAreRsAtThePrintedDecimals)
{
    OpenSurvey("data/reg");
    const std::string all = Text(31);
    EXPECT_EQ((Figures{"2.097", "0.157", "0.845", "13.352", "0.0000", "0.93"}), Fields(all, "V4"));
    EXPECT_EQ((Figures{"-1.301", "0.301", "-0.314", "-4.329", "0.0003", "0.70"}), Fields(all, "V5"));
    EXPECT_EQ((Figures{"0.572", "0.574", "0.075", "0.995", "0.3304", "0.66"}), Fields(all, "V6"));
    EXPECT_EQ((Figures{"-1.350", "0.96", "0.92", "0.91", "82.47", "0.0000", "26"}),
              (Figures{Summary(all, 9), Summary(all, 10), Summary(all, 11), Summary(all, 12), Summary(all, 13),
                       Summary(all, 14), Summary(all, 16)}));
    // Forward and backward both keep x1 and x2; x3 is listed apart.
    for (long method : {multregForward, multregBackward}) {
        const std::string text = Text(31, method);
        EXPECT_EQ((Figures{"2.138", "0.152", "0.861", "14.098", "0.0000", "0.99"}), Fields(text, "V4"));
        EXPECT_EQ((Figures{"-1.463", "0.253", "-0.354", "-5.786", "0.0000", "0.99"}), Fields(text, "V5"));
        EXPECT_EQ("123.26", Summary(text, 13));
        EXPECT_LT(text.find(StatText(18, multregTextGroup)), text.find(" V6 ")) << "x3 is not in the equation";
    }
    const std::string pairwise = Text(31, multregEnter, multregPairwise);
    EXPECT_EQ("2.182", Fields(pairwise, "V4")[0]);
    EXPECT_EQ((Figures{"-1.488", "0.125"}), (Figures{Fields(pairwise, "V5")[0], Fields(pairwise, "V6")[0]}));
    EXPECT_EQ((Figures{"0.857", "-0.338", "0.016"}),
              (Figures{Fields(pairwise, "V4")[2], Fields(pairwise, "V5")[2], Fields(pairwise, "V6")[2]}));
    EXPECT_EQ((Figures{"2.095", "0.92"}), (Figures{Summary(pairwise, 9), Summary(pairwise, 11)}));
}

TEST_F(MultregTest, ChangingTheMethodRecomputesAndAColumnChangeOnlyRewrites)
{
    OpenSurvey("data/reg");
    auto *record = new MultregOption;
    MultregBook book(record);
    const long independents[] = {X1, X2, X3, 0};
    Regresjon regression(Y, independents, multregEnter, multregListwise, 0.05, 0.05);
    regression.ComputeCorrelationMatrix();
    regression.book = &book;
    REGWIN window("");
    window.SetRegression(&regression);
    record->pIn = 2000; // enter ignores p in: nothing is computed again
    RegModelStep *step = regression.LastStep();
    window.WriteResult();
    EXPECT_EQ(step, regression.LastStep());
    record->tableDisplay = multregB;
    window.WriteResult();
    EXPECT_EQ(step, regression.LastStep());
    EXPECT_EQ(Fields(window.Text(), "V4", 1), Fields(Text(multregB), "V4", 1));
    record->method = multregBackward;
    window.WriteResult();
    EXPECT_EQ(multregBackward, regression.method);
    EXPECT_EQ(2, regression.LastStep()->inEquation);
}

TEST_F(MultregTest, SavedResidualsAreRsAndSurviveReopeningUnderANewName)
{
    OpenSurvey("data/reg");
    const std::string path = survey->DataSet()->GetFileName();
    const long independents[] = {X1, X2, X3, 0};
    auto regression = std::make_unique<Regresjon>(Y, independents, multregEnter, multregListwise, 0.05, 0.05);
    regression->ComputeCorrelationMatrix();
    auto *book = new MultregBook(new MultregOption);
    const long first = book->SaveResiduals(regression.get(), 0);
    EXPECT_EQ(SAME + 1, first);
    EXPECT_EQ(SAME + 2, book->SaveResiduals(regression.get(), 0)) << "a second save adds, never overwrites";
    delete book;
    regression.reset();
    ASSERT_EQ(2u, messages.size());
    EXPECT_NE(std::string::npos, messages[1].find("RES_V3_2"));

    ProgramSettings::Instance()->CloseDataSet();
    ASSERT_EQ(0, ProgramSettings::Instance()->OpenDataSet(path.c_str()));
    DATASET *reopened = survey->DataSet();
    ASSERT_EQ(first, reopened->FindVariable("RES_V3"));
    EXPECT_EQ(first + 1, reopened->FindVariable("RES_V3_2"));
    StatClass reader(reopened);
    std::vector<double> saved;
    ASSERT_TRUE(reader.LoadValues(first, saved));
    std::istringstream reference(ReadFile(SourceFile("data/reg_residuals.txt")));
    std::vector<bool> used(saved.size());
    for (long id; reference >> id;) {
        double r;
        reference >> r;
        EXPECT_NEAR(r, saved.at(static_cast<size_t>(id - 1)), 1e-9) << "case " << id;
        used[static_cast<size_t>(id - 1)] = true;
    }
    for (size_t c = 0; c < saved.size(); ++c)
        EXPECT_EQ(!used[c], IsNotComputed(saved[c])) << "case " << c + 1 << " is missing only outside the model";
}

TEST_F(MultregTest, ASaveThatCannotWriteLeavesTheDataSetAsItWasAndSaysSo)
{
    OpenSurvey("data/reg");
    const std::string path = survey->DataSet()->GetFileName();
    const std::string before = ReadFile(path);
    std::unique_ptr<DATASET> readOnly(OpenDataSet(path.c_str(), nullptr, DATASET_READONLY));
    ASSERT_NE(nullptr, readOnly);
    const long independents[] = {X1, X2, 0};
    Regresjon regression(Y, independents, multregEnter, multregListwise, 0.05, 0.05, readOnly.get());
    regression.ComputeCorrelationMatrix();
    MultregBook *book = new MultregBook(new MultregOption);
    EXPECT_EQ(0, book->SaveResiduals(&regression, 0));
    delete book;
    EXPECT_EQ(SAME, readOnly->GetVariableCount());
    EXPECT_EQ(before, ReadFile(path));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find(StatText(45, multregTextGroup)));
}

std::vector<WorkBook *> shownBooks;

TEST_F(MultregTest, ARunMakesAPagePerDependentAndRefusesOneWithoutIndependents)
{
    shownBooks.clear();
    const WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    RegisterAnalyses();
    BuildAnalysisRegistry(&texts.catalog);
    OpenSurvey("data/reg");
    auto run = [&](std::vector<long> dependents, std::vector<long> independents) {
        auto *list = WindowTest::Open(new VariableListWindow(*userPersist, survey->DataSet(),
                                                             RegisteredOptionsList.data(),
                                                             static_cast<int>(RegisteredOptionsList.size())));
        const std::string name = StatText(17, analysisTextGroup);
        ClickRow(list->AnalysisList(), static_cast<int>(SendMessageA(list->AnalysisList()->OSHandle(),
                                                                     LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                     reinterpret_cast<LPARAM>(name.c_str()))));
        EXPECT_NE(nullptr, dynamic_cast<MultregOption *>(list->Option()));
        for (auto [listNumber, variables] : {std::pair<int, std::vector<long>>{0, dependents}, {1, independents}}) {
            for (size_t i = 0; i < variables.size(); ++i)
                ClickRow(list->VariableList(), static_cast<int>(variables[i] - 1), i ? MK_CONTROL : 0);
            Press(list, ("BT_ADD" + std::to_string(listNumber)).c_str());
        }
        Press(list, VariableListWindow::runName);
        Forget(list);
    };
    run({Y, X3}, {X1, X2});
    ASSERT_EQ(1u, shownBooks.size());
    auto *book = dynamic_cast<MultregBook *>(shownBooks[0]);
    ASSERT_NE(nullptr, book);
    std::vector<std::string> titles;
    for (int i = 0; i < book->PageCount(); ++i)
        titles.push_back(book->Notebook()->TabOf(book->PageAt(i))->Text());
    EXPECT_EQ((std::vector<std::string>{"v3 x  v4 v5", "v6 x  v4 v5"}), titles);
    EXPECT_EQ(Text(13, multregEnter, multregListwise, {X1, X2}),
              static_cast<REGWIN *>(book->PageAt(0)->ResultWindow())->Text());
    EXPECT_TRUE(messages.empty());
    auto *button = dynamic_cast<ZafButton *>(book->ToolBar()->FindObjectByStringID("bt_multreg"));
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->Visible());
    book->Event(ZafEventRecord(static_cast<ZafEventType>(button->Value())));
    EXPECT_EQ(SAME + 1, survey->Variable("RES_V3")) << "the button saves the current page's residuals";
    Forget(book);
    messages.clear();

    run({Y}, {Y});
    EXPECT_EQ(1u, shownBooks.size()) << "declining the overlap warning runs nothing";
    EXPECT_EQ((std::vector<std::string>{StatText(2, multregWarningGroup)}), messages);
    answer = 1;
    run({Y}, {Y});
    answer = 0;
    EXPECT_EQ(1u, shownBooks.size()) << "a dependent that is its only independent is refused";
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ(std::string(StatText(43, multregTextGroup)) + " (V3)", messages[2]);
    FreeAnalysisRegistry();
    WorkBook::SetShowHook(previous);
}

} // namespace

namespace {

TEST_F(MultregTest, StoredLimitsAndMethodAreBroughtIntoRange)
{
    const SettingsSection *section = FindSettingsSection(sectionTableOptions);
    auto load = [&](unsigned long method, unsigned long in, unsigned long out) {
        RegistrySettings::WriteValueInSection(section, "MultregMethod", method);
        RegistrySettings::WriteValueInSection(section, "MultregpIn", in);
        RegistrySettings::WriteValueInSection(section, "MultregpOut", out);
        MultregOption record;
        record.LoadSettings(1);
        return std::vector<long>{record.method, record.pIn, record.pOut};
    };
    EXPECT_EQ((std::vector<long>{multregForward, 500, 500}), load(8, 0, 0)) << "0 means 0.05";
    EXPECT_EQ((std::vector<long>{multregBackward, 123, 500}), load(16, 123, 20000)) << "p out above 1";
    EXPECT_EQ((std::vector<long>{multregEnter, 900, 900}), load(5, 900, 100)) << "p out below p in";
    for (const char *key : {"MultregMethod", "MultregpIn", "MultregpOut"})
        RegistrySettings::DeleteKeyInSection(section, key);
}

TEST_F(MultregTest, EachMethodEnablesOnlyItsOwnLimit)
{
    auto *window = Open(new MultregOptionWindow);
    auto disabled = [&](const char *name) { return window->FindObjectByStringID(name)->Disabled(); };
    for (auto [method, in, out] : {std::tuple<const char *, bool, bool>{"StaForw", false, true},
                                   {"StaBackw", true, false},
                                   {"StaEnter", true, true}}) {
        Press(window, method);
        EXPECT_EQ(in, disabled("StaPin")) << method;
        EXPECT_EQ(out, disabled("StaPout")) << method;
    }
}

} // namespace
