// The variable-list window over the program's own analyses, on the screen as
// the user sees it: whatever analysis was chosen before, every list that the
// chosen one asks for paints the variable put into it and shows five rows;
// the paired tests without settings head their lists and grey Options.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/PaintedWindow.h"

#include "shell/AnalysisRegistry.h"
#include "zaf/controls/ZafButton.h"

namespace {

using namespace analysestest;

// The dark pixels of a list's row as the screen shows it (the row's inside:
// a focus rectangle on its edge is no text).
int TextPixelsOnScreen(ZafVtList *list, int row)
{
    RECT r = {};
    SendMessageA(list->OSHandle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list->OSHandle(), nullptr, reinterpret_cast<POINT *>(&r), 2);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 2 || height <= 2)
        return 0;
    testsupport::MemoryPage copy(width, height);
    HDC screen = GetDC(nullptr);
    BitBlt(copy.dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    int dark = 0;
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x) {
            const COLORREF c = copy.At(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
        }
    return dark;
}

class VariableListScreenTest : public WindowTest
{
protected:
    VariableListScreenTest()
    {
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        window = new VariableListWindow(*userPersist, OpenSurvey("data/xtab"), RegisteredOptionsList.data(),
                                        static_cast<int>(RegisteredOptionsList.size()));
        EXPECT_EQ(0, window->Error());
        Show(window);
        opened.push_back(window);
        SetWindowPos(window->OSHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ~VariableListScreenTest() override
    {
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
    }
    // Picks the analysis of that menu text (group 1) with a click on its row.
    void Choose(int analysisText)
    {
        const std::string name = StatText(analysisText, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_GE(row, 0) << name;
        ClickRow(window->AnalysisList(), static_cast<int>(row));
    }
    void Paint()
    {
        RedrawWindow(window->OSHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    }

    VariableListWindow *window = nullptr;
};

struct Second
{
    const char *name;
    int text;      // its menu text, group 1
    bool asksFirst; // answers a pre-option window first
};

class ListsOfTheSecondAnalysis : public VariableListScreenTest, public testing::WithParamInterface<Second>
{};

TEST_P(ListsOfTheSecondAnalysis, PaintTheirVariablesAndShowFiveRows)
{
    const Second &c = GetParam();
    Choose(12); // the frequency table first: one list
    ClickRow(window->VariableList(), 0);
    Press(window, (std::string(VariableListWindow::addStem) + "0").c_str());
    if (c.asksFirst)
        zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
    Choose(c.text);
    ASSERT_GE(window->ListCount(), 2);
    for (int k = 0; k < window->ListCount(); ++k) {
        ClickRow(window->VariableList(), k + 2);
        Press(window, (std::string(VariableListWindow::addStem) + std::to_string(k)).c_str());
        ASSERT_EQ(std::vector<long>{k + 3}, window->ListVariables(k)) << "list " << k;
    }
    Paint();
    for (int k = 0; k < window->ListCount(); ++k) {
        ZafVtList *list = window->ListControl(k);
        EXPECT_GT(TextPixelsOnScreen(list, 0), 0) << "list " << k << ": its variable is painted";
        EXPECT_EQ(TextPixelsOnScreen(list, 1), 0) << "list " << k << ": no second row";
        const LRESULT rowHeight = SendMessageA(list->OSHandle(), LB_GETITEMHEIGHT, 0, 0);
        ASSERT_GT(rowHeight, 0);
        EXPECT_GE(testsupport::ClientRect(list->OSHandle()).bottom / rowHeight, 5) << "list " << k;
    }
    EXPECT_TRUE(IsWindowEnabled(window->RunButton()->OSHandle()));
}

INSTANTIATE_TEST_SUITE_P(Analyses, ListsOfTheSecondAnalysis,
                         testing::Values(Second{"Crosstab", 13, false}, Second{"Breakdown", 16, false},
                                         Second{"PairedT", 23, false}, Second{"NWay", 22, true},
                                         Second{"Regression", 17, false}),
                         [](const testing::TestParamInfo<Second> &info) { return std::string(info.param.name); });

TEST_F(VariableListScreenTest, PairedTestsWithoutSettingsHeadTheirListsAndGreyOptions)
{
    for (int text : {24, 25, 26}) { // McNemar, sign test, Wilcoxon
        Choose(text);
        ASSERT_EQ(2, window->ListCount()) << text;
        for (int k = 0; k < 2; ++k) {
            ZafWindowObject *prompt =
                window->FindObjectByStringID((std::string(VariableListWindow::promptStem) + std::to_string(k)).c_str());
            ASSERT_NE(nullptr, prompt);
            EXPECT_EQ(StatText(7 + k, 36), std::string(prompt->Text())) << text;
        }
        EXPECT_FALSE(IsWindowEnabled(window->OptionsButton()->OSHandle())) << text;
    }
    Choose(23); // the paired t-test has its options
    EXPECT_TRUE(IsWindowEnabled(window->OptionsButton()->OSHandle()));
}

} // namespace

namespace {

bool returnPressedOk = true;
bool boxBefore = false, boxAfter = false;

void CancelIfStillOpen()
{
    if (ZafDialogWindow *frame = ZafDialogWindow::ModalWindow()) {
        returnPressedOk = false;
        frame->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
    }
}

void ReturnOnTheChiSquareBox()
{
    ZafDialogWindow *frame = ZafDialogWindow::ModalWindow();
    ZafWindowObject *box = frame ? frame->FindObjectByStringID("chi") : nullptr;
    if (!box)
        return testsupport::WhenModalLoopIdles(ReturnOnTheChiSquareBox, 10);
    // The box clicked, as the user does, then Return.
    SendMessageA(box->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(box->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    boxBefore = box->Selected();
    SetFocus(box->OSHandle());
    PostMessageA(box->OSHandle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(box->OSHandle(), WM_KEYUP, VK_RETURN, 1 | (3UL << 30));
    testsupport::WhenModalLoopIdles([box] { boxAfter = box->Selected(); }, 200);
    testsupport::WhenModalLoopIdles(CancelIfStillOpen, 600);
}

} // namespace

TEST_F(VariableListScreenTest, ReturnOnACheckBoxOfTheCrosstabsOptionsPressesOk)
{
    Choose(13);
    returnPressedOk = true;
    testsupport::WhenModalLoopIdles(ReturnOnTheChiSquareBox, 10);
    Press(window, VariableListWindow::optionsName);
    testsupport::ForgetModalLoopSteps();
    EXPECT_TRUE(returnPressedOk);
    EXPECT_EQ(boxBefore, boxAfter) << "Return leaves the box as it was";
}
