// Correlation and biplot from the user's side on data/corr: chosen in the
// variable-list window, run into pages with the golden texts and graphs; the
// correlation's table following the mode applied in the option frame.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/crosstab/BiplotBook.h"
#include "analyses/crosstab/BiplotOption.h"
#include "analyses/multivariate/CorrBook.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "graphs/BiplotInteractive.h"
#include "graphs/Matrixplot.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/Page.h"
#include "shell/VariableListWindow.h"
#include "shell/TXTWIN.h"
#include "zaf/core/ZafNotebook.h"

namespace {

using namespace analysestest;

std::vector<WorkBook *> shownBooks;

// The keys the two records and the matrix plot's read.
void DeleteSettings()
{
    for (const char *key : {"CorrTableDisplay", "CorrMissingDeletion"})
        RegistrySettings::DeleteKeyInSection(FindSettingsSection(sectionTableOptions), key);
    for (int section : {sectionMatPlot, sectionBiplot})
        RegistrySettings::DeleteKeyInSection(FindSettingsSection(section), "Display");
}

class ScatterEndToEndTest : public WindowTest
{
protected:
    ScatterEndToEndTest()
    {
        shownBooks.clear();
        previousShow = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
        DeleteSettings();
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        window = Open(new VariableListWindow(*userPersist, OpenSurvey("data/corr"), RegisteredOptionsList.data(),
                                             static_cast<int>(RegisteredOptionsList.size())));
    }
    ~ScatterEndToEndTest() override
    {
        for (WorkBook *book : shownBooks)
            Forget(book);
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
        DeleteSettings();
        WorkBook::SetShowHook(previousShow);
    }

    // Chooses the analysis of that menu text; the record and its lists.
    void Choose(int text, int lists)
    {
        const std::string name = StatText(text, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_GE(row, 0) << name;
        // Clicked as seen from the list's top (an earlier choice scrolls it).
        SendMessageA(window->AnalysisList()->OSHandle(), LB_SETTOPINDEX, 0, 0);
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        ASSERT_EQ(lists, window->ListCount());
    }
    void AddVariables(int list, std::initializer_list<long> variables)
    {
        bool first = true;
        for (long variable : variables) {
            ClickRow(window->VariableList(), static_cast<int>(variable - 1), first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, ("BT_ADD" + std::to_string(list)).c_str());
    }
    static std::string PageTitle(WorkBook *book, int page)
    {
        return book->Notebook()->TabOf(book->PageAt(page))->Text();
    }
    static const std::string &PageText(WorkBook *book, int page)
    {
        return static_cast<TXTWIN *>(book->PageAt(page)->ResultWindow())->Text();
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_F(ScatterEndToEndTest, CorrelationAndBiplotRunsShowTheirPagesGraphsAndOptions)
{
    Choose(21, 1);
    AddVariables(0, {1, 2, 3, 4});
    Press(window, VariableListWindow::runName);
    ASSERT_EQ(1u, shownBooks.size());
    auto *corr = dynamic_cast<CorrBook *>(shownBooks[0]);
    ASSERT_NE(nullptr, corr);
    ASSERT_EQ(1, corr->PageCount());
    EXPECT_EQ("v1, v2, v3, v4", PageTitle(corr, 0));
    // Read without stored settings: captions, full matrix and marks.
    ExpectGolden("corr_listwise_all", PageText(corr, 0));
    std::unique_ptr<ZafWindow> plot(corr->PageAt(0)->CreateGraphWindow(0, nullptr));
    EXPECT_NE(nullptr, dynamic_cast<Matrixplot *>(plot.get()));
    auto *frame = Open(new OptionWindowFrame(*userPersist, corr));
    Press(frame, "StaPair");
    Press(frame, OptionWindowFrame::applyName);
    ExpectGolden("corr_pairwise_all", PageText(corr, 0));
    Forget(frame);

    // The biplot of b by a and by d: a page a pair, x outermost.
    Choose(20, 2);
    AddVariables(0, {2});
    AddVariables(1, {1, 4});
    Press(window, VariableListWindow::runName);
    ASSERT_EQ(2u, shownBooks.size());
    auto *biplot = dynamic_cast<BiplotBook *>(shownBooks[1]);
    ASSERT_NE(nullptr, biplot);
    ASSERT_EQ(2, biplot->PageCount());
    EXPECT_EQ("v2 x v4", PageTitle(biplot, 1));
    EXPECT_NE(nullptr, dynamic_cast<BiplotPage *>(biplot->PageAt(1)));
    ExpectGolden("biplot_income_by_hours", PageText(biplot, 0));
    std::unique_ptr<ZafWindow> graph(biplot->PageAt(0)->CreateGraphWindow(0, nullptr));
    EXPECT_NE(nullptr, dynamic_cast<BiplotInteractive *>(graph.get()));
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

TEST_F(ScatterEndToEndTest, ABiplotWithoutYVariablesIsNoRunAndShowsNoBook)
{
    // The window's run button waits for both lists; a record run from it
    // with the second list empty builds no page, answers false and leaves
    // nothing on the screen.
    Choose(20, 2);
    AddVariables(0, {2});
    auto *record = new BiplotOption;
    record->variableListWord = 1;
    EXPECT_FALSE(record->Run());
    EXPECT_TRUE(shownBooks.empty());
    EXPECT_EQ(1, WorkBook::DeleteUnshownBooks(record));
    delete record;
    // With the y variable the same record's run shows its page.
    AddVariables(1, {1});
    record = new BiplotOption;
    record->variableListWord = 1;
    EXPECT_TRUE(record->Run());
    ASSERT_EQ(1u, shownBooks.size());
    EXPECT_EQ(1, shownBooks[0]->PageCount());
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

} // namespace
