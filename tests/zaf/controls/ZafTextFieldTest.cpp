// The multi-line text field on a real multi-line EDIT control, driven as a
// user drives it: typing, Enter, Tab, paste, and word wrap switched while
// typed text waits in the control.
#include "zaf/controls/ZafTextField.h"
#include "zaf/data/ZafStringData.h"

#include "FieldTestSupport.h"

using fieldtest::FieldTest;
using fieldtest::Recorded;
using fieldtest::Style;
using fieldtest::WindowText;

namespace {

class ZafTextFieldTest : public FieldTest
{
protected:
    ZafTextFieldTest()
    {
        ZafText::RegisterPersistence();
        dialog = Dialog();
        text = Add(dialog, new ZafText(1, 1, 30, 5, "", 200));
        text->SetUserFunction(fieldtest::RecordCall);
        after = Add(dialog, new ZafString(1, 8, 20, "", 20));
    }
    ~ZafTextFieldTest() override { Close(dialog); }

    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(text->OSHandle(), message, wParam, lParam);
    }
    DWORD Caret()
    {
        DWORD start = 0, end = 0;
        Ask(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return end;
    }

    ZafDialogWindow *dialog;
    ZafText *text;
    ZafString *after;
};

} // namespace

TEST_F(ZafTextFieldTest, EnterBreaksTheLineAndTabLeavesWithTheTextInTheData)
{
    auto *ok = Add(dialog, new ZafButton(1, 10, 10, 1, "OK"));
    ok->SetUserFunction(fieldtest::RecordCall);
    dialog->SetDefaultButton(ok, true);
    Show(dialog);
    text->SetFocus(true);
    Type(text, "first");
    Press(text, VK_RETURN);
    Type(text, "second");
    EXPECT_EQ(Ask(EM_GETLINECOUNT), 2);
    EXPECT_STREQ(text->StringData()->Text(), "") << "typing changes only the control";
    EXPECT_EQ(GetFocus(), text->OSHandle());
    EXPECT_TRUE(Recorded().calls.empty()) << "Enter does not select the default button";

    Press(text, VK_TAB);
    EXPECT_EQ(GetFocus(), after->OSHandle());
    EXPECT_STREQ(text->StringData()->Text(), "first\r\nsecond");
    ASSERT_EQ(Recorded().calls.size(), 1u);
    EXPECT_EQ(Recorded().calls[0].code, ZAF_FOCUS_CHANGE);
    EXPECT_TRUE(text->Changed());
}

TEST_F(ZafTextFieldTest, SwitchingWordWrapKeepsWhatWasJustTyped)
{
    Show(dialog);
    text->SetFocus(true);
    Type(text, "typed before the switch");
    HWND before = text->OSHandle();
    EXPECT_FALSE(Style(before) & ES_AUTOHSCROLL);

    EXPECT_FALSE(text->SetWordWrap(false));
    ASSERT_NE(text->OSHandle(), nullptr);
    EXPECT_TRUE(Style(text->OSHandle()) & ES_AUTOHSCROLL) << "the control is made again without wrapping";
    EXPECT_EQ(WindowText(text->OSHandle()), "typed before the switch");
    EXPECT_STREQ(text->StringData()->Text(), "typed before the switch");
    EXPECT_EQ(GetFocus(), text->OSHandle()) << "the focus stays in the field";
    EXPECT_EQ(Caret(), 23u) << "and the caret where it was";

    Type(text, "!");
    EXPECT_TRUE(text->SetWordWrap(true));
    EXPECT_EQ(WindowText(text->OSHandle()), "typed before the switch!");
}

struct CursorCase
{
    const char *name;
    int column;
    int line;
    DWORD expected;
};

class ZafTextFieldCursorTest : public ZafTextFieldTest, public testing::WithParamInterface<CursorCase>
{};

TEST_P(ZafTextFieldCursorTest, LineAndColumnStayWithinTheText)
{
    text->SetText("one\r\ntwo\r\nthree");
    Show(dialog);
    EXPECT_EQ(text->SetCursorLineColumn(GetParam().column, GetParam().line), 0);
    EXPECT_EQ(Caret(), GetParam().expected);
}

// "one\r\n" is characters 0-4, "two\r\n" 5-9, "three" 10-14.
INSTANTIATE_TEST_SUITE_P(Places, ZafTextFieldCursorTest,
                         testing::Values(CursorCase{"Start", 0, 0, 0}, CursorCase{"SecondLine", 1, 1, 6},
                                         CursorCase{"ColumnPastTheEnd", 9, 1, 8},
                                         CursorCase{"LinePastTheLast", 2, 7, 12}, CursorCase{"BothPast", 99, 99, 15},
                                         CursorCase{"Negative", -3, -2, 0}),
                         [](const testing::TestParamInfo<CursorCase> &info) { return std::string(info.param.name); });

TEST_F(ZafTextFieldTest, WithoutAControlTheCursorCannotBePlaced)
{
    EXPECT_EQ(text->SetCursorPosition(0), ZafText::resultNoControl);
    EXPECT_EQ(text->SetCursorLineColumn(0, 0), ZafText::resultNoControl);
}

TEST_F(ZafTextFieldTest, PastedLinesAndProgramChangesReachTheControl)
{
    Show(dialog);
    text->SetFocus(true);
    SetClipboardText(text->OSHandle(), "pasted\r\nlines");
    text->Event(ZafEventRecord(ZAF_PASTE));
    EXPECT_EQ(Ask(EM_GETLINECOUNT), 2);
    EXPECT_STREQ(text->Text(), "pasted\r\nlines");

    text->StringData()->SetText("from the program");
    EXPECT_EQ(WindowText(text->OSHandle()), "from the program");
    text->SetUnanswered(true);
    EXPECT_EQ(WindowText(text->OSHandle()), "");
    EXPECT_STREQ(text->StringData()->Text(), "");
}

TEST_F(ZafTextFieldTest, ShapingAttributesAreFixedOnceCreated)
{
    text->SetReadOnly(true);
    text->SetHzJustify(ZafText::justifyRight);
    Show(dialog);
    EXPECT_TRUE(Style(text->OSHandle()) & ES_READONLY);
    EXPECT_TRUE(Style(text->OSHandle()) & ES_RIGHT);
    EXPECT_TRUE(Style(text->OSHandle()) & ES_MULTILINE);
    EXPECT_TRUE(text->SetReadOnly(false));
    EXPECT_EQ(text->SetHzJustify(ZafText::justifyLeft), ZafText::justifyRight);
    EXPECT_FALSE(text->SetDestroyable(true));
}

TEST_F(ZafTextFieldTest, ReadsBackWhatItWroteWithTheTypedText)
{
    Show(dialog);
    text->SetFocus(true);
    Type(text, "kept");
    text->SetWordWrap(false);
    text->SetSelectAllOnFocus(true);
    std::unique_ptr<ZafText> read = fieldtest::RoundTrip(*text, "NOTES");
    EXPECT_STREQ(read->StringData()->Text(), "kept");
    EXPECT_FALSE(read->WordWrap());
    EXPECT_TRUE(read->SelectAllOnFocus());
    EXPECT_EQ(read->StringData()->MaxLength(), 200);
}
