// The crosstab from the user's side: the data set open, the analysis chosen
// in the variable-list window from the registry, variables put into both
// lists, the options set in the frame read from the UI data file, the run
// building one page a pair (list-1 variables outermost) whose texts equal
// the golden ones; then apply and OK on the open workbook rewrite every page
// and OK keeps the settings when asked to. The grouping offer of variables
// with too many categories is driven through its hook: grouped into the
// chosen intervals, or the run abandoned with the record kept.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/RegisterAnalyses.h"
#include "analyses/crosstab/XTAB.h"
#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XTWIN.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/Page.h"
#include "shell/VariableListWindow.h"
#include "zaf/core/ZafNotebook.h"

namespace {

using namespace analysestest;

std::vector<WorkBook *> shownBooks;
void KeepShownBook(WorkBook *book)
{
    shownBooks.push_back(book);
}

// What the grouping offer was given, and what it answers.
struct Offer
{
    std::vector<std::vector<long>> candidates;
    std::vector<std::string> titles;
    long intervals = 3;
    bool accept = true;
};
Offer offer;

bool RecordOffer(long *candidates, long *intervals, const char *title)
{
    std::vector<long> seen;
    bool offered = false;
    for (int i = 0; candidates[i] != 0; ++i) {
        offered = offered || candidates[i] > 0;
        seen.push_back(candidates[i]);
        if (candidates[i] > 0 && offer.accept)
            intervals[i] = offer.intervals;
    }
    offer.candidates.push_back(seen);
    offer.titles.push_back(title ? title : "");
    // As the dialog: with nothing offered there is nothing to abandon.
    return offer.accept || !offered;
}

class XtabEndToEndTest : public WindowTest
{
protected:
    XtabEndToEndTest()
    {
        shownBooks.clear();
        offer = Offer();
        previousShow = WorkBook::SetShowHook(KeepShownBook);
        previousOffer = XTAB::SetAutoRecodeOffer(RecordOffer);
        for (const char *key : {"XTableOptions", "XTableType", "XTableWid"})
            RegistrySettings::DeleteKeyInSection(FindSettingsSection(7), key);
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        window = Open(new VariableListWindow(*userPersist, OpenSurvey("data/xtab"), RegisteredOptionsList.data(),
                                             static_cast<int>(RegisteredOptionsList.size())));
    }
    ~XtabEndToEndTest() override
    {
        for (WorkBook *book : shownBooks)
            Forget(book);
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
        for (const char *key : {"XTableOptions", "XTableType", "XTableWid"})
            RegistrySettings::DeleteKeyInSection(FindSettingsSection(7), key);
        // The bar chart's record is kept with the crosstab's ("XtabBar").
        RegistrySettings::DeleteKeyInSection(FindSettingsSection(15), "Display");
        XTAB::SetAutoRecodeOffer(previousOffer);
        WorkBook::SetShowHook(previousShow);
    }

    // Chooses the crosstab in the analysis list by its menu text.
    void ChooseCrosstab()
    {
        const std::string text = StatText(13, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_GE(row, 0) << text;
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        ASSERT_NE(nullptr, dynamic_cast<XtabOption *>(window->Option()));
        ASSERT_EQ(2, window->ListCount());
    }
    // Variables (numbers from 1: the rows of the variable list from 0) into a list.
    void AddVariables(int list, std::initializer_list<long> variables)
    {
        bool first = true;
        for (long variable : variables) {
            ClickRow(window->VariableList(), static_cast<int>(variable - 1), first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, ("BT_ADD" + std::to_string(list)).c_str());
    }
    OptionWindowFrame *OpenFrame(OptionWindowFrame *made) { return frame = Open(made); }
    // A click posted now and taken by the frame's modal loop.
    void PostClick(const char *name) { WindowTest::PostClick(frame->FindObjectByStringID(name)); }
    // The text of the page's tab in the workbook's notebook.
    static std::string PageTitle(WorkBook *book, int page)
    {
        ZafWindowObject *tab = book->Notebook()->TabOf(book->PageAt(page));
        return tab && tab->Text() ? tab->Text() : "";
    }
    static const std::string &PageText(Page *page) { return static_cast<XTWIN *>(page->ResultWindow())->Text(); }

    VariableListWindow *window = nullptr;
    OptionWindowFrame *frame = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    XTAB::AutoRecodeOffer previousOffer = nullptr;
};

TEST_F(XtabEndToEndTest, ARunWritesEveryPairAndTheOpenWorkbookFollowsTheOptions)
{
    ChooseCrosstab();
    AddVariables(0, {EDU});
    AddVariables(1, {SEX, REGION});

    // The options before the run: every measure, column percentages and
    // expected counts beside the counts.
    OpenFrame(new OptionWindowFrame(*userPersist, window->Option()));
    Press(frame, "all_set");
    Press(frame, "vtpct");
    Press(frame, "xpfrq");
    PostClick(OptionWindowFrame::okName);
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    Forget(frame);

    Press(window, VariableListWindow::runName);
    ASSERT_EQ(1u, shownBooks.size());
    auto *book = dynamic_cast<XTAB *>(shownBooks[0]);
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(1, book->GraphToolCount());
    ASSERT_EQ(2, book->PageCount());
    EXPECT_EQ("v3, v4", PageTitle(book, 0));
    EXPECT_EQ("v5, v4", PageTitle(book, 1));
    ExpectGolden("xtab_run_v3_v4", PageText(book->PageAt(0)));
    ExpectGolden("xtab_run_v5_v4", PageText(book->PageAt(1)));
    EXPECT_EQ(std::vector<std::vector<long>>({{-1}, {-1, -1}}), offer.candidates) << "nothing to group";

    // Apply on the open workbook: the measures cleared, row percentages on.
    OpenFrame(new OptionWindowFrame(*userPersist, book));
    Press(frame, "all_clear");
    Press(frame, "hzpct");
    Press(frame, OptionWindowFrame::applyName);
    ExpectGolden("xtab_applied_v3_v4", PageText(book->PageAt(0)));
    EXPECT_EQ(xtabTablesOn, book->Record()->measureMask);

    // OK with the settings kept: the counts off, stored for the next run.
    Press(frame, "rawnum");
    Press(frame, OptionWindowFrame::savePersistName);
    PostClick(OptionWindowFrame::okName);
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    Forget(frame);
    const std::uint16_t tables = xtabColumnPercent | xtabRowPercent | xtabExpected;
    EXPECT_EQ(tables, book->Record()->tableTypeMask);
    EXPECT_EQ(std::string::npos, PageText(book->PageAt(1)).find(StatText(21, xtabTextGroup))) << "no count table left";
    EXPECT_EQ(tables, RegistrySettings::ReadShortInSection(FindSettingsSection(7), "XTableType", 0));
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::All().front();
}

TEST_F(XtabEndToEndTest, AVariableWithTooManyValuesIsGroupedIntoTheChosenIntervals)
{
    ChooseCrosstab();
    AddVariables(0, {EDU, SCORE});
    AddVariables(1, {SEX});
    Press(window, VariableListWindow::runName);
    ASSERT_EQ(1u, shownBooks.size());
    EXPECT_EQ(std::vector<std::vector<long>>({{-1, SCORE}, {-1}}), offer.candidates);
    EXPECT_EQ((std::vector<std::string>{StatText(3, xtabTextGroup), StatText(2, xtabTextGroup)}), offer.titles);
    auto *book = static_cast<XTAB *>(shownBooks[0]);
    ASSERT_EQ(2, book->PageCount());
    EXPECT_EQ("v3, v6", PageTitle(book, 1));
    auto *grouped = dynamic_cast<XTABOBJECT *>(book->PageAt(1)->Computation());
    ASSERT_NE(nullptr, grouped);
    ASSERT_EQ(3, grouped->RowCount()) << "three intervals of score";
    EXPECT_EQ(40.0, grouped->total);
    EXPECT_NE(std::string::npos, grouped->rows[0].label.find(" - ")) << "labelled by their limits";
    ExpectGolden("xtab_run_grouped", PageText(book->PageAt(1)));
}

TEST_F(XtabEndToEndTest, AnAbandonedGroupingBuildsNothingAndKeepsTheRecord)
{
    ChooseCrosstab();
    StatOption *record = window->Option();
    AddVariables(0, {EDU});
    AddVariables(1, {SCORE});
    offer.accept = false;
    Press(window, VariableListWindow::runName);
    EXPECT_TRUE(shownBooks.empty());
    EXPECT_EQ(record, window->Option()) << "the same record, for another try";
    EXPECT_EQ(1, record->deleteAfterRun);
    EXPECT_EQ(2u, offer.candidates.size());
}

TEST_F(XtabEndToEndTest, EveryVariableOfMoreThanTenValuesIsOfferedWhateverItsLabels)
{
    // grade: twelve values, each labelled; code: thirty labels but three values.
    std::string description = "variable side\nlabel Side\ntype u8\nvariable grade\nlabel Grade\ntype u8\n";
    for (int v = 1; v <= 12; ++v)
        description += "value " + std::to_string(v) + " = g" + std::to_string(v) + "\n";
    description += "variable code\nlabel Code\ntype u8\n";
    for (int v = 1; v <= 30; ++v)
        description += "value " + std::to_string(v) + " = c" + std::to_string(v) + "\n";
    std::string csv = "side,grade,code\n";
    for (int i = 0; i < 24; ++i)
        csv += std::to_string(i % 2 + 1) + "," + std::to_string(i % 12 + 1) + "," + std::to_string(i % 3 + 1) + "\n";
    Forget(window);
    survey.reset(); // closes the current data set: before the next one opens
    survey = std::make_unique<Survey>(Survey::Text{description, csv});
    window = Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                         static_cast<int>(RegisteredOptionsList.size())));
    ChooseCrosstab();
    AddVariables(0, {2, 3});
    AddVariables(1, {1});
    Press(window, VariableListWindow::runName);
    EXPECT_EQ(std::vector<std::vector<long>>({{2, -1}, {-1}}), offer.candidates);
}

} // namespace
