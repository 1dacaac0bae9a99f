// The frequency table along the whole road, through the real windows: the
// registry entry chosen in the variable-list window, variables added to its
// list, the options changed in the option frame, the run (with the wide
// age variable grouped in the auto-recode dialog) into a workbook whose
// page texts equal the golden texts, and apply and OK in the option frame
// of the open workbook rewriting them.
#include "tests/analyses/FreqTestSupport.h"
#include "tests/analyses/FreqWindowSupport.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "analyses/AutoRecodeDialog.h"
#include "analyses/FRWIN.h"
#include "analyses/FreqBook.h"
#include "analyses/FreqOption.h"
#include "analyses/RegisterAnalyses.h"
#include "analyses/XTAB.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafVtList.h"

#include <functional>

namespace {

// What runs inside a modal loop once it is idle (a thread timer of 0 ms,
// which Windows sends only when no other message waits).
std::function<void()> &InsideModalLoop()
{
    static std::function<void()> step;
    return step;
}

void CALLBACK RunInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::function<void()> step = InsideModalLoop();
    InsideModalLoop() = nullptr;
    if (step)
        step();
}

void WhenModalLoopIdles(std::function<void()> step)
{
    InsideModalLoop() = std::move(step);
    SetTimer(nullptr, 0, 0, RunInsideModalLoop);
}

void SendClick(ZafWindowObject *object)
{
    SendMessageA(object->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(object->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void PostClick(ZafWindowObject *object)
{
    PostMessageA(object->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(object->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

FreqBook *shownBook = nullptr;
void KeepShownBook(WorkBook *book)
{
    shownBook = dynamic_cast<FreqBook *>(book);
    zafWindowManager->AddObject(book);
}

void AcceptGrouping(ZafDialogWindow *dialog)
{
    PostClick(dialog->FindObjectByStringID(autoRecodeOkName));
}

class FreqEndToEndTest : public fieldtest::FieldTest
{
protected:
    FreqEndToEndTest()
    {
        ZafVtList::RegisterPersistence();
        previousOffer = XTAB::SetAutoRecodeOffer(nullptr);
        XTAB::SetAutoRecodeOffer(previousOffer);
        RegisterAnalyses();
        BuildAnalysisRegistry(&survey.catalog);
        previousShow = WorkBook::SetShowHook(KeepShownBook);
        previousGrouping = SetAutoRecodeShownHook(AcceptGrouping);
        shownBook = nullptr;
    }
    ~FreqEndToEndTest() override
    {
        if (shownBook)
            Close(shownBook);
        if (window)
            Close(window);
        RunQueued();
        WorkBook::SetShowHook(previousShow);
        SetAutoRecodeShownHook(previousGrouping);
        FreeAnalysisRegistry();
        // RegisterAnalyses gave the crosstab the grouping dialog.
        XTAB::SetAutoRecodeOffer(previousOffer);
    }

    void ClickRow(ZafVtList *list, int row, WPARAM keys = 0)
    {
        RECT r = {};
        SendMessageA(list->OSHandle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        SendMessageA(list->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        SendMessageA(list->OSHandle(), WM_LBUTTONUP, keys, point);
        RunQueued();
    }
    void Press(ZafWindow *in, const char *name)
    {
        ZafWindowObject *button = in->FindObjectByStringID(name);
        ASSERT_NE(nullptr, button) << name;
        Click(button->OSHandle());
        RunQueued();
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
        window = new VariableListWindow(*userPersist, survey.DataSet(), RegisteredOptionsList.data(),
                                        static_cast<int>(RegisteredOptionsList.size()));
        window->SetVisible(false);
        Show(window);
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

    freqtest::Survey survey;
    freqtest::ProgramUIFile uiFile;
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
        SendClick(frame->FindObjectByStringID("oftotal"));
        SendClick(frame->FindObjectByStringID("median"));
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
    freqtest::ExpectGolden("run_q1", PageText(0));
    freqtest::ExpectGolden("run_age_grouped", PageText(1));
    for (int kind : {0, 1, 2})
        EXPECT_EQ(nullptr, shownBook->PageAt(0)->CreateGraphWindow(kind, record)) << kind;

    // Apply on the open workbook: sorted by frequency, descending.
    auto *frame = new OptionWindowFrame(*userPersist, static_cast<OptionFrameBook *>(shownBook));
    frame->SetVisible(false);
    Show(frame);
    Press(frame, "byfreq_desc");
    Press(frame, OptionWindowFrame::applyName);
    freqtest::ExpectGolden("run_q1_by_frequency", PageText(0));
    // OK: cumulative percent of the valid cases, without the median.
    Press(frame, "ofvalid");
    Press(frame, "median");
    PostClick(frame->FindObjectByStringID(OptionWindowFrame::okName));
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    delete frame;
    freqtest::ExpectGolden("run_q1_valid_cumulative", PageText(0));
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
    // The failed run is reported to the user.
    ASSERT_EQ(1u, fieldtest::Recorded().reports.size());
    EXPECT_EQ(VariableListWindow::runFailedText, fieldtest::Recorded().reports[0].message);
}

} // namespace
