// The n-way table from the user's side: chosen in the variable-list window,
// the pre-option window answered, the lists filled and run; one page per
// combination of control variables and dependent, the set as one page, and
// the page that says why a set cannot be tabulated.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/multivariate/NtabBook.h"
#include "analyses/multivariate/NTAB.h"
#include "analyses/multivariate/NtabOption.h"
#include "dataset/RegistrySettings.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafNotebook.h"
#include "shell/Page.h"

namespace {

using namespace analysestest;

std::vector<WorkBook *> shownBooks;
bool answerSet = false;

// Ticks (or not) "DisDepMultresp" in the pre-option window, then OK.
void CALLBACK AnswerPreOptions(HWND, UINT, UINT_PTR timer, DWORD)
{
    ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
    auto *box = dialog ? dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(NtabPreOptionWindow::buttonName))
                       : nullptr;
    if (!box)
        return;
    KillTimer(nullptr, timer);
    box->SetSelected(answerSet);
    dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
}

class NtabFrontEndTest : public WindowTest
{
protected:
    NtabFrontEndTest()
    {
        previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    }
    ~NtabFrontEndTest() override
    {
        for (WorkBook *book : shownBooks)
            Forget(book);
        shownBooks.clear();
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
        WorkBook::SetShowHook(previous);
    }
    // The book of a run over the lists (1 to 4), or null when none is shown.
    WorkBook *Run(const std::string &survey, bool set, std::vector<std::vector<long>> lists)
    {
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        window = Open(new VariableListWindow(*userPersist, OpenSurvey(survey), RegisteredOptionsList.data(),
                                             static_cast<int>(RegisteredOptionsList.size())));
        const std::string name = StatText(22, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_GE(row, 0) << name;
        answerSet = set;
        SetTimer(nullptr, 0, 10, AnswerPreOptions);
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        for (size_t list = 0; list < lists.size(); ++list) {
            if (lists[list].empty())
                continue;
            bool first = true;
            for (long variable : lists[list]) {
                ClickRow(window->VariableList(), static_cast<int>(variable - 1), first ? 0 : MK_CONTROL);
                first = false;
            }
            Press(window, ("BT_ADD" + std::to_string(list)).c_str());
        }
        const std::size_t before = shownBooks.size();
        Press(window, VariableListWindow::runName);
        return shownBooks.size() == before + 1 ? shownBooks.back() : nullptr;
    }
    static std::string Caption(WorkBook *book, int page)
    {
        ZafWindowObject *tab = book->Notebook()->TabOf(book->PageAt(page));
        return tab && tab->Text() ? tab->Text() : "";
    }
    static const std::string &Text(WorkBook *book, int page)
    {
        return static_cast<TXTWIN *>(book->PageAt(page)->ResultWindow())->Text();
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previous = nullptr;
};

TEST_F(NtabFrontEndTest, OnePagePerControlAndDependentOrOneForTheSet)
{
    WorkBook *book = Run("data/xtab", false, {{EDU, SEX}, {SEX, EDU, REGION}});
    ASSERT_NE(nullptr, book);
    ASSERT_EQ(6, book->PageCount());
    // The lists hold their variables in the data set's order.
    EXPECT_EQ("v3 * v3", Caption(book, 0));
    EXPECT_EQ("v4 * v3", Caption(book, 1));
    EXPECT_EQ("v4 * v5", Caption(book, 5));
    ExpectGolden("ntab_edu_sex", Text(book, 1));

    // A changed record rewrites the pages (the layers and figures).
    auto *record = static_cast<NtabOption *>(book->Option());
    record->display = 0x421;
    book->PageAt(1)->ResultWindow()->Update();
    ExpectGolden("ntab_edu_sex_all_layers", Text(book, 1));

    book = Run("data/multresp", true, {{3, 4, 5}, {6}});
    ASSERT_NE(nullptr, book);
    ASSERT_EQ(1, book->PageCount());
    EXPECT_EQ("v3, v4, v5 * v6", Caption(book, 0));
    ExpectGolden("ntab_issues_paper_answers_default", Text(book, 0));

    // issue1 and other are labelled otherwise: one page that says so.
    book = Run("data/multresp", true, {{3, 9}, {6}});
    ASSERT_NE(nullptr, book);
    ASSERT_EQ(1, book->PageCount());
    EXPECT_NE(std::string::npos, Text(book, 0).find(StatText(23, ntabTextGroup)));
    EXPECT_EQ(nullptr, book->PageAt(0)->Computation());
}

// List 4 without list 3 adds no control variable.
TEST_F(NtabFrontEndTest, TheCrosstabsKeptWidthLeavesTheCellsAsWideAsTheirOwn)
{
    // The crosstab keeps its column width under this key; the n-way table
    // has a width of its own.
    const SettingsSection *section = FindSettingsSection(sectionTableOptions);
    RegistrySettings::WriteValueInSection(section, "XTableWid", 12);
    WorkBook *book = Run("data/xtab", false, {{EDU, SEX}, {SEX, EDU, REGION}});
    RegistrySettings::DeleteKeyInSection(section, "XTableWid");
    ASSERT_NE(nullptr, book);
    ExpectGolden("ntab_edu_sex", Text(book, 1));
}

TEST_F(NtabFrontEndTest, TheThirdControlListCountsOnlyBehindTheSecond)
{
    WorkBook *book = Run("data/xtab", false, {{EDU}, {SEX}, {}, {REGION}});
    ASSERT_NE(nullptr, book);
    ASSERT_EQ(1, book->PageCount());
    EXPECT_EQ("v4 * v3", Caption(book, 0));
    book = Run("data/xtab", false, {{SEX}, {EDU}, {REGION}, {W}});
    ASSERT_NE(nullptr, book);
    EXPECT_EQ("v3 * v4, v5, v2", Caption(book, 0));
}

// The cell width is the crosstab's width setting, held to that setting's
// one declared range: a width the crosstab takes the n-way table takes too,
// and one outside the range is the n-way default.
} // namespace
