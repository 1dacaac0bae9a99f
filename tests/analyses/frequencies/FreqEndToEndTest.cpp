// The frequency table along the whole road, through the real windows: the
// registry entry chosen in the variable-list window, variables added to its
// list, the options changed in the option frame, the run (with the wide
// age variable grouped in the auto-recode dialog) into a workbook whose
// page texts equal the golden texts, and apply and OK in the option frame
// of the open workbook rewriting them.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/ModalLoop.h"

#include "analyses/kit/AutoRecodeDialog.h"
#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/RegisterAnalyses.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "analyses/crosstab/XTAB.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafVtList.h"

#include <functional>

namespace {

using testsupport::WhenModalLoopIdles;

FreqBook *shownBook = nullptr;
void KeepShownBook(WorkBook *book)
{
    shownBook = dynamic_cast<FreqBook *>(book);
    zafWindowManager->AddObject(book);
}

class FreqEndToEndTest : public analysestest::WindowTest
{
protected:
    FreqEndToEndTest()
    {
        OpenSurvey("golden/freq");
        previousOffer = XTAB::SetAutoRecodeOffer(nullptr);
        XTAB::SetAutoRecodeOffer(previousOffer);
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        previousShow = WorkBook::SetShowHook(KeepShownBook);
        previousGrouping = SetAutoRecodeShownHook(
            [](ZafDialogWindow *dialog) { PostClick(dialog->FindObjectByStringID(autoRecodeOkName)); });
        shownBook = nullptr;
    }
    ~FreqEndToEndTest() override
    {
        if (shownBook)
            Close(shownBook);
        Forget(window);
        RunQueued();
        WorkBook::SetShowHook(previousShow);
        SetAutoRecodeShownHook(previousGrouping);
        FreeAnalysisRegistry();
        // RegisterAnalyses gave the crosstab the grouping dialog.
        XTAB::SetAutoRecodeOffer(previousOffer);
    }

    std::string PageText(int page)
    {
        Page *p = shownBook ? shownBook->PageAt(page) : nullptr;
        auto *text = p ? dynamic_cast<FRWIN *>(p->ResultWindow()) : nullptr;
        return text ? text->Text() : std::string("(no page)");
    }

    // Opens the variable-list window, chooses the frequency table and puts
    // the rows (variables) into its list.
    void ChooseFrequencyTable(std::initializer_list<int> rows)
    {
        window = Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                             static_cast<int>(RegisteredOptionsList.size())));
        // The analyses listed are those with a factory: the frequency table
        // is the first.
        ClickRow(window->AnalysisList(), 0);
        ASSERT_NE(nullptr, dynamic_cast<FreqOption *>(window->Option()));
        ASSERT_EQ(1, window->ListCount());
        bool first = true;
        for (int row : rows) {
            ClickRow(window->VariableList(), row, first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, "BT_ADD0");
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    AutoRecodeShownHook previousGrouping = nullptr;
    XTAB::AutoRecodeOffer previousOffer = nullptr;
};

TEST_F(FreqEndToEndTest, ChosenConfiguredAndRunItsPagesEqualTheGoldenTexts)
{
    ChooseFrequencyTable({0, 1});
    ASSERT_EQ((std::vector<long>{1, 2}), window->ListVariables(0));

    // Options: cumulative percent of all cases and the median, then OK.
    bool sawFrame = false;
    WhenModalLoopIdles([&] {
        ZafDialogWindow *frame = ZafDialogWindow::ModalWindow();
        ASSERT_NE(nullptr, frame);
        sawFrame = true;
        for (const char *name : {"oftotal", "median"}) {
            HWND box = frame->FindObjectByStringID(name)->OSHandle();
            SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        PostClick(frame->FindObjectByStringID(OptionWindowFrame::okName));
    });
    Press(window, VariableListWindow::optionsName);
    ASSERT_TRUE(sawFrame);
    auto *record = dynamic_cast<FreqOption *>(window->Option());
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(FreqOption::defaultOptions | freqCumulativeColumn | freqCumulateAll | freqMedian, record->tableOptions);

    Press(window, VariableListWindow::runName);
    ASSERT_NE(nullptr, shownBook);
    EXPECT_EQ(record, shownBook->Option()) << "the workbook took the record";
    EXPECT_EQ(2, shownBook->PageCount());
    EXPECT_EQ(2, shownBook->GraphToolCount());
    EXPECT_STREQ("Frequency table", shownBook->TitleText());
    analysestest::ExpectGolden("run_q1", PageText(0));
    analysestest::ExpectGolden("run_age_grouped", PageText(1));
    // The page's graph kinds: 0 the bar graph, 1 the pie graph, no other.
    std::unique_ptr<ZafWindow> bars(shownBook->PageAt(0)->CreateGraphWindow(0, record));
    std::unique_ptr<ZafWindow> pie(shownBook->PageAt(0)->CreateGraphWindow(1, record));
    EXPECT_NE(nullptr, dynamic_cast<FREQBAR *>(bars.get()));
    EXPECT_NE(nullptr, dynamic_cast<FREQPIE *>(pie.get()));
    EXPECT_EQ(nullptr, shownBook->PageAt(0)->CreateGraphWindow(2, record));

    // Apply on the open workbook: sorted by frequency, descending.
    auto *frame = Open(new OptionWindowFrame(*userPersist, static_cast<OptionFrameBook *>(shownBook)));
    Press(frame, "byfreq_desc");
    Press(frame, OptionWindowFrame::applyName);
    analysestest::ExpectGolden("run_q1_by_frequency", PageText(0));
    // OK: cumulative percent of the valid cases, without the median.
    Press(frame, "ofvalid");
    Press(frame, "median");
    PostClick(frame->FindObjectByStringID(OptionWindowFrame::okName));
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    Forget(frame);
    analysestest::ExpectGolden("run_q1_valid_cumulative", PageText(0));
}

TEST_F(FreqEndToEndTest, ThreeVariablesGiveThreePagesInSelectionOrder)
{
    ChooseFrequencyTable({4, 0, 2});
    const std::vector<long> chosen = window->ListVariables(0);
    ASSERT_EQ(3u, chosen.size());
    Press(window, VariableListWindow::runName);
    ASSERT_NE(nullptr, shownBook);
    ASSERT_EQ(3, shownBook->PageCount());
    for (int i = 0; i < 3; ++i) {
        const std::string caption = "v" + std::to_string(chosen[i]);
        EXPECT_EQ(0u, PageText(i).find("\r\n " + caption + " ")) << PageText(i);
    }
}

TEST_F(FreqEndToEndTest, CancellingTheGroupingKeepsTheRecordAndShowsNothing)
{
    SetAutoRecodeShownHook(
        [](ZafDialogWindow *dialog) { PostClick(dialog->FindObjectByStringID(autoRecodeCancelName)); });
    ChooseFrequencyTable({1});
    StatOption *record = window->Option();
    Press(window, VariableListWindow::runName);
    EXPECT_EQ(nullptr, shownBook);
    EXPECT_EQ(record, window->Option()) << "the record survives for another run";
    EXPECT_EQ(1, record->deleteAfterRun);
    // The user's own cancel ends the run quietly.
    EXPECT_EQ(0u, fieldtest::Recorded().reports.size());
}

} // namespace
