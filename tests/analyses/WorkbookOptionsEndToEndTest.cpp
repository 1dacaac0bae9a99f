// Every analysis's open workbook takes new options, as a user reaches them:
// the analysis chosen in the variable-list window (its pre-option window
// answered), its lists filled and run; the workbook's Options button opens
// the option frame on the book, controls are clicked and OK pressed; every
// page then writes the text of its golden file (reopened_<analysis>.txt),
// and a second run from the same list, with the same controls clicked
// before it, writes the same text. That second run also keeps what the
// pre-option window was told for the first.
#include "tests/analyses/AnalysesTestSupport.h"

#include "tests/support/ModalLoop.h"

#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/RegistrySettings.h"
#include "graphs/ElementDump.h"
#include "graphs/GRAPHWIN.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/Page.h"
#include "shell/TXTWIN.h"
#include "shell/TableOption.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafNotebook.h"

#include <regex>

namespace {

using namespace analysestest;

std::vector<WorkBook *> shownBooks;

// What a pre-option window is told: the n-way table's set box, the
// dichotomies' counted values.
struct PreAnswer
{
    bool set = false;
    const char *counted = nullptr;
};

struct OptionsCase
{
    const char *name;
    int menuText; // the analysis's text in the analysis list
    const char *survey;
    std::vector<std::vector<long>> lists; // variable numbers, list by list
    std::vector<const char *> clicks;     // controls of the option window, in order
    PreAnswer pre;
    bool textChanges = true; // false: the options change only the graphs
};

class WorkbookOptions : public WindowTest, public testing::WithParamInterface<OptionsCase>
{
protected:
    WorkbookOptions()
    {
        shownBooks.clear();
        previousShow = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
    }
    ~WorkbookOptions() override
    {
        testsupport::ForgetModalLoopSteps();
        for (WorkBook *book : shownBooks)
            Forget(book);
        Forget(window);
        RunQueued();
        ForgetStoredSettings();
        FreeAnalysisRegistry();
        WorkBook::SetShowHook(previousShow);
    }
    // The analysis's stored settings go: each run starts from the defaults.
    void ForgetStoredSettings()
    {
        for (const RegisteredOption &entry : RegisteredOptionsList)
            if (entry.menuId == GetParam().menuText && entry.factory) {
                std::unique_ptr<StatOption> record(entry.factory());
                if (auto *table = dynamic_cast<TableOption *>(record.get()))
                    for (int i = 0; i < table->Description().settingCount; ++i) {
                        const SettingRow &row = table->Description().settings[i];
                        RegistrySettings::DeleteKeyInSection(FindSettingsSection(row.section), row.key);
                    }
            }
    }
    void Choose()
    {
        const OptionsCase &c = GetParam();
        const std::string text = StatText(c.menuText, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_GE(row, 0) << text;
        const PreAnswer answer = c.pre;
        testsupport::WhenModalLoopIdles([answer] { AnswerPreOptions(answer); });
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        testsupport::ForgetModalLoopSteps(); // an analysis without a pre-option window
        ASSERT_NE(nullptr, window->Option());
    }
    void FillLists()
    {
        const OptionsCase &c = GetParam();
        for (size_t list = 0; list < c.lists.size(); ++list) {
            for (size_t i = 0; i < c.lists[list].size(); ++i)
                ClickRow(window->VariableList(), static_cast<int>(c.lists[list][i] - 1), i ? MK_CONTROL : 0);
            Press(window, ("BT_ADD" + std::to_string(list)).c_str());
        }
    }
    // The book of a run from the list (shown hidden), or null.
    WorkBook *Run()
    {
        const size_t before = shownBooks.size();
        Press(window, VariableListWindow::runName);
        if (shownBooks.size() != before + 1)
            return nullptr;
        Open(shownBooks.back());
        return shownBooks.back();
    }
    // Presses the button, which opens the option frame, and clicks the
    // case's controls in it; false when no frame opened.
    bool ClickOptionsThrough(ZafWindow *in, const char *buttonName)
    {
        bool opened = false;
        const std::vector<const char *> clicks = GetParam().clicks;
        testsupport::WhenModalLoopIdles([clicks, &opened] { ClickOptions(clicks, &opened); });
        Press(in, buttonName);
        testsupport::ForgetModalLoopSteps();
        return opened;
    }
    // Opens every graph kind of the book on its current page.
    static void ShowEveryGraph(WorkBook *book)
    {
        for (int kind = 0; kind < book->GraphToolCount(); ++kind)
            book->Event(ZafEventRecord(static_cast<ZafEventType>(WorkBook::graphToolEvent + kind)));
        RunQueued();
    }
    // The element dumps of the current page's first graphs, kind by kind,
    // built from the computation when asked, without their pixels (which a
    // draw fills in).
    static std::string Graphs(WorkBook *book, bool build, std::size_t most = 100)
    {
        std::string all;
        Page *page = book->CurrentPage();
        if (!page)
            return all;
        for (ZafWindow *window : page->GraphWindows())
            if (auto *graph = dynamic_cast<GRAPHWIN *>(window); graph && most > 0) {
                --most;
                if (build)
                    graph->Rebuild();
                all += "=== graph\n" + std::regex_replace(DumpElements(*graph), std::regex(" D\\([-0-9,]*\\)"), "");
            }
        return all;
    }
    // Every page's caption and result text.
    static std::string Texts(WorkBook *book)
    {
        std::string all;
        for (int i = 0; i < book->PageCount(); ++i) {
            ZafWindowObject *tab = book->Notebook()->TabOf(book->PageAt(i));
            all += std::string("=== ") + (tab && tab->Text() ? tab->Text() : "") + "\r\n";
            OutputWindow *result = book->PageAt(i)->ResultWindow();
            TXTWIN *text = result ? result->ResultText() : nullptr;
            all += text ? text->Text() : "(no text)";
            all += "\r\n";
        }
        return all;
    }

    // Tells the modal pre-option window what the case asks, then OK.
    static void AnswerPreOptions(PreAnswer answer)
    {
        ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
        if (!dialog)
            return testsupport::WhenModalLoopIdles([answer] { AnswerPreOptions(answer); }, 10);
        if (auto *box = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(NtabPreOptionWindow::buttonName)))
            box->SetSelected(answer.set);
        if (ZafWindowObject *field = dialog->FindObjectByStringID(MultrespDikoPreOptionWindow::fieldName))
            field->SetText(answer.counted ? answer.counted : "1");
        dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
    }

    // Clicks the case's controls in the modal option frame, then OK. A list of
    // check boxes (the case list's labels) has each of its boxes cleared.
    static void ClickOptions(std::vector<const char *> clicks, bool *opened)
    {
        auto *frame = dynamic_cast<OptionWindowFrame *>(ZafDialogWindow::ModalWindow());
        if (!frame)
            return testsupport::WhenModalLoopIdles([clicks, opened] { ClickOptions(clicks, opened); }, 10);
        *opened = true;
        for (const char *name : clicks) {
            ZafWindowObject *control = frame->Window() ? frame->Window()->FindObjectByStringID(name) : nullptr;
            if (!control) {
                ADD_FAILURE() << "no control " << name;
                continue;
            }
            if (auto *list = dynamic_cast<ZafVtList *>(control)) {
                for (ZafElement *e = list->First(); e; e = e->Next())
                    if (auto *box = dynamic_cast<ZafButton *>(e))
                        box->SetSelected(false);
                continue;
            }
            Click(control->OSHandle());
        }
        frame->Event(ZafEventRecord(ZAF_DIALOG_OK));
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_P(WorkbookOptions, TheBooksOptionsRewriteItsPagesAsAFreshRunWithThem)
{
    const OptionsCase &c = GetParam();
    ForgetStoredSettings();
    window = Open(new VariableListWindow(*userPersist, OpenSurvey(c.survey), RegisteredOptionsList.data(),
                                         static_cast<int>(RegisteredOptionsList.size())));
    Choose();
    FillLists();
    WorkBook *book = Run();
    ASSERT_NE(nullptr, book);
    const std::string before = Texts(book);
    // The graphs open while the options change are built again from the
    // computation as it stands after them.
    ShowEveryGraph(book);

    ZafWindowObject *button = book->ToolBar()->FindObjectByStringID("bt_options");
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->Visible());
    if (!book->Option()->HasOptions()) {
        // Nothing to set: both Options buttons are grey and open nothing.
        EXPECT_TRUE(button->Disabled());
        EXPECT_FALSE(book->OpenBookOptions());
        EXPECT_FALSE(IsWindowEnabled(window->OptionsButton()->OSHandle()));
        ExpectGolden(std::string("reopened_") + c.name, before);
        return;
    }
    ASSERT_TRUE(ClickOptionsThrough(book, "bt_options")) << "the Options button opens the book's options";
    const std::string after = Texts(book);
    if (c.textChanges)
        EXPECT_NE(before, after) << "the options changed the text";
    else
        EXPECT_EQ(before, after) << "options of the graphs alone keep the text";
    ExpectGolden(std::string("reopened_") + c.name, after);

    // The same options chosen before a second run from the same list.
    if (!window->Option()->optionsBeforeRun)
        return;
    if (!c.clicks.empty())
        ASSERT_TRUE(ClickOptionsThrough(window, VariableListWindow::optionsName));
    WorkBook *fresh = Run();
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(after, Texts(fresh));
    ShowEveryGraph(fresh);
    // The graph tools the new options offer (percentages of cases make no
    // pie), as a fresh run shows them.
    const std::size_t offered = fresh->CurrentPage() ? fresh->CurrentPage()->GraphWindows().size() : 0;
    EXPECT_EQ(Graphs(fresh, true), Graphs(book, false, offered)) << "the graphs after OK are those of a fresh run";
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

enum { XSEX = 3, XEDU = 4, XREGION = 5 };                     // data/xtab
enum { MISSUE1 = 3, MISSUE2, MISSUE3, MPAPER, MWEB, MRADIO }; // data/multresp
enum { PPAPER = 3, PWEB, PBEFORE, PAFTER };                   // data/paired
enum { RY = 3, RX1, RX2, RX3 };                               // data/reg

INSTANTIATE_TEST_SUITE_P(
    EveryAnalysis, WorkbookOptions,
    testing::Values(
        OptionsCase{"frequency", 12, "data/xtab", {{XEDU, XREGION}}, {"oftotal"}, {}},
        OptionsCase{"descriptives", 15, "data/desc", {{1, 2}}, {"DIS_MEDIAN", "DIS_SUM"}, {}},
        OptionsCase{"multresp_categories",
                    18,
                    "data/multresp",
                    {{MISSUE1, MISSUE2, MISSUE3}},
                    {"CalcListw", "CalcPctCases", "DIS_CODE"},
                    {}},
        OptionsCase{"multresp_dichotomies",
                    19,
                    "data/multresp",
                    {{MPAPER, MWEB, MRADIO}},
                    {"CalcListw", "CalcPctVar"},
                    {false, "2"}},
        OptionsCase{"crosstab", 13, "data/xtab", {{XEDU}, {XSEX}}, {"chi", "hzpct", "rawnum"}, {}},
        OptionsCase{"breakdown", 16, "data/oneway", {{1}, {2}}, {"SortDesc", "DisMedian"}, {}},
        OptionsCase{"biplot", 20, "data/corr", {{2}, {1}}, {"DisReg"}, {}, false},
        OptionsCase{"ttest", 23, "data/ttest", {{3}, {4}}, {"Sta1Tail", "DesStdErr"}, {}},
        OptionsCase{"mcnemar", 24, "data/paired", {{PPAPER}, {PWEB}}, {}, {}, false},
        OptionsCase{"signtest", 25, "data/paired", {{PBEFORE}, {PAFTER}}, {}, {}, false},
        OptionsCase{"wilcoxon", 26, "data/paired", {{PBEFORE}, {PAFTER}}, {}, {}, false},
        OptionsCase{"ntab_set", 22, "data/multresp", {{MISSUE1, MISSUE2, MISSUE3}, {MPAPER}}, {"DisRawNum"}, {true}},
        OptionsCase{"regression", 17, "data/reg", {{RY}, {RX1, RX2, RX3}}, {"StaForw", "DisBeta"}, {}},
        OptionsCase{"correlation", 21, "data/corr", {{1, 2, 3, 4}}, {"StaPair", "DIS_LAB"}, {}},
        OptionsCase{"battery", 77, "data/battery", {{3, 4, 5, 6}}, {"bf_pctall", "bf_colsums"}, {}},
        OptionsCase{"caselist", 58, "data/xtab", {{XSEX, XEDU}}, {"vl_lab_opt"}, {}}),
    [](const testing::TestParamInfo<OptionsCase> &info) { return std::string(info.param.name); });

} // namespace
