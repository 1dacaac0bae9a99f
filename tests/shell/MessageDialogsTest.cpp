// The message dialogs run modally: a step run inside the dialog's own loop
// reads the box and presses one of its buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "shell/MessageDialogs.h"
#include "tests/support/ModalLoop.h"

namespace {

struct Box
{
    bool found = false;
    std::string title, text;
    bool hasOk = false, hasYes = false, hasNo = false;
    int press = IDOK; // the button the timer presses
} box;

void AnswerBox()
{
    HWND dialog = testsupport::FindThreadMessageBox();
    if (!dialog)
        return testsupport::WhenModalLoopIdles(AnswerBox, 10); // not up yet
    box.found = true;
    char text[512] = "";
    GetWindowTextA(dialog, text, sizeof text);
    box.title = text;
    GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
    box.text = text;
    box.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    box.hasYes = GetDlgItem(dialog, IDYES) != nullptr;
    box.hasNo = GetDlgItem(dialog, IDNO) != nullptr;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(box.press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, box.press)));
}

struct DialogCase
{
    const char *name;
    int type;
    int press;
    bool asks;
    int answer;
};

class MessageDialog : public testing::TestWithParam<DialogCase>
{
protected:
    void SetUp() override
    {
        box = Box();
        testsupport::WhenModalLoopIdles(AnswerBox);
    }
};

TEST_P(MessageDialog, InformsOrAsksByTypeAndAnswersYesAsNonZero)
{
    const DialogCase &c = GetParam();
    box.press = c.press;
    EXPECT_EQ(ShowMessageDialog("Battery", "Labels differ.", "Go on?", nullptr, c.type), c.answer);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, "Battery");
    EXPECT_EQ(box.text, "Labels differ.\n\nGo on?");
    EXPECT_EQ(box.hasYes, c.asks);
    EXPECT_EQ(box.hasNo, c.asks);
    EXPECT_EQ(box.hasOk, !c.asks);
}

INSTANTIATE_TEST_SUITE_P(Types, MessageDialog,
                         testing::Values(DialogCase{"Exclamation", 0, IDOK, false, 1},
                                         DialogCase{"QuestionMarkOnly", 1, IDOK, false, 1},
                                         DialogCase{"AskAnsweredYes", 4, IDYES, true, 1},
                                         DialogCase{"AskAnsweredNo", 4, IDNO, true, 0},
                                         DialogCase{"AsteriskAskAnsweredNo", 5, IDNO, true, 0}),
                         [](const testing::TestParamInfo<DialogCase> &info) { return std::string(info.param.name); });

TEST(WarningWindow, ShowsTheMessageAndAnswersOk)
{
    box = Box();
    testsupport::WhenModalLoopIdles(AnswerBox);
    WarningWindow warning("Data set", "The file is not a data set.");
    EXPECT_EQ(warning.Control(), ZAF_DIALOG_OK);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, "Data set");
    EXPECT_EQ(box.text, "The file is not a data set.");
}

} // namespace
