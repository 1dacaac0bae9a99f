// The string field on a real EDIT control, driven as a user drives it.
#include "zaf/controls/ZafString.h"
#include "zaf/data/ZafStringData.h"

#include "FieldTestSupport.h"

#include <vector>

using fieldtest::FieldTest;
using fieldtest::Recorded;
using fieldtest::Style;
using fieldtest::WindowText;

namespace {

class ZafStringTest : public FieldTest
{
protected:
    ZafStringTest()
    {
        dialog = Dialog();
        first = Add(dialog, new ZafString(1, 1, 20, "", 40));
        second = Add(dialog, new ZafString(1, 3, 20, "", 40));
        first->SetUserFunction(fieldtest::RecordCall);
        second->SetUserFunction(fieldtest::RecordCall);
    }
    ~ZafStringTest() override { Close(dialog); }

    ZafDialogWindow *dialog;
    ZafString *first;
    ZafString *second;
};

} // namespace

TEST_F(ZafStringTest, TypedTextReachesTheDataOnEnterAndTheUserFunctionSeesIt)
{
    Show(dialog);
    first->SetFocus(true);
    Type(first, "hello");
    EXPECT_STREQ(first->StringData()->Text(), "") << "typing changes only the control";
    Press(first, VK_RETURN);
    EXPECT_STREQ(first->StringData()->Text(), "hello");
    ASSERT_EQ(Recorded().calls.size(), 1u);
    EXPECT_EQ(Recorded().calls[0].code, ZAF_SELECT);
    EXPECT_EQ(Recorded().calls[0].text, "hello");
    EXPECT_EQ(WindowText(first->OSHandle()), "hello") << "Enter puts no line break into the text";
    EXPECT_TRUE(first->Changed());
    EXPECT_FALSE(first->Unanswered());
}

TEST_F(ZafStringTest, TabMovesOnAndTheFocusLossTakesTheTextIntoTheData)
{
    Show(dialog);
    first->SetFocus(true);
    Type(first, "abc");
    Press(first, VK_TAB);
    EXPECT_EQ(GetFocus(), second->OSHandle());
    EXPECT_STREQ(first->StringData()->Text(), "abc");
    ASSERT_FALSE(Recorded().calls.empty());
    EXPECT_EQ(Recorded().calls.back().object, first);
    EXPECT_EQ(Recorded().calls.back().code, ZAF_FOCUS_CHANGE);
}

TEST_F(ZafStringTest, ProgramChangesOfTheDataReachTheControl)
{
    Show(dialog);
    first->StringData()->SetText("from the program");
    EXPECT_EQ(WindowText(first->OSHandle()), "from the program");
    first->SetText("");
    EXPECT_TRUE(first->Unanswered());
    first->SetText("x");
    EXPECT_FALSE(first->Unanswered());
    first->SetUnanswered(true);
    EXPECT_EQ(WindowText(first->OSHandle()), "");
}

struct StyleCase
{
    const char *name;
    void (*set)(ZafString &field);
    LONG expected;
    LONG absent;
};

class ZafStringStyleTest : public FieldTest, public testing::WithParamInterface<StyleCase>
{};

TEST_P(ZafStringStyleTest, AttributesBecomeTheControlsStyles)
{
    ZafDialogWindow *dialog = Dialog();
    auto *field = Add(dialog, new ZafString(1, 1, 20, "text"));
    GetParam().set(*field);
    Show(dialog);
    const LONG style = Style(field->OSHandle());
    EXPECT_EQ(style & GetParam().expected, GetParam().expected);
    EXPECT_EQ(style & GetParam().absent, 0);
    Close(dialog);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ZafStringStyleTest,
    testing::Values(StyleCase{"Password", [](ZafString &f) { f.SetPassword(true); }, ES_PASSWORD, ES_MULTILINE},
                    StyleCase{"UpperCase", [](ZafString &f) { f.SetUpperCase(true); }, ES_UPPERCASE, ES_LOWERCASE},
                    StyleCase{"LowerAfterUpper",
                              [](ZafString &f) {
                                  f.SetUpperCase(true);
                                  f.SetLowerCase(true);
                              },
                              ES_LOWERCASE, ES_UPPERCASE},
                    StyleCase{"ReadOnly", [](ZafString &f) { f.SetReadOnly(true); }, ES_READONLY, 0},
                    StyleCase{"Right", [](ZafString &f) { f.SetHzJustify(ZafString::justifyRight); },
                              ES_RIGHT | ES_MULTILINE, ES_CENTER},
                    StyleCase{"Center", [](ZafString &f) { f.SetHzJustify(ZafString::justifyCenter); },
                              ES_CENTER | ES_MULTILINE, 0},
                    StyleCase{"Plain", [](ZafString &) {}, ES_AUTOHSCROLL, ES_PASSWORD | ES_MULTILINE | ES_READONLY}),
    [](const testing::TestParamInfo<StyleCase> &info) { return std::string(info.param.name); });

TEST_F(ZafStringTest, ControlShapingAttributesAreFixedOnceCreated)
{
    Show(dialog);
    EXPECT_FALSE(first->SetUpperCase(true));
    EXPECT_FALSE(first->SetPassword(true));
    EXPECT_EQ(first->SetHzJustify(ZafString::justifyRight), ZafString::justifyLeft);
    EXPECT_EQ(first->SetOutputFormat("%s"), 1);
    EXPECT_TRUE(first->SetAllowInvalid(true)) << "allowInvalid stays changeable";
}

TEST_F(ZafStringTest, UpperCaseFieldShowsAndStoresTypingUpperCased)
{
    first->SetUpperCase(true);
    Show(dialog);
    first->SetFocus(true);
    Type(first, "MiXed");
    Press(first, VK_RETURN);
    EXPECT_EQ(WindowText(first->OSHandle()), "MIXED");
    EXPECT_STREQ(first->StringData()->Text(), "MIXED");
}

TEST_F(ZafStringTest, JustifiedFieldsTakeNoLineBreaksFromEnterOrPaste)
{
    auto *right = Add(dialog, new ZafString(1, 5, 20, "", 40));
    right->SetHzJustify(ZafString::justifyRight);
    right->SetUserFunction(fieldtest::RecordCall);
    Show(dialog);
    right->SetFocus(true);
    Type(right, "12");
    Press(right, VK_RETURN);
    PostMessageA(right->OSHandle(), WM_CHAR, '\n', 1); // Ctrl+Enter
    RunQueued();
    SetClipboardText(right->OSHandle(), "3\r\n4");
    SendMessageA(right->OSHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(right->OSHandle()), "1234");
    ASSERT_EQ(Recorded().calls.size(), 1u);
    EXPECT_EQ(Recorded().calls[0].code, ZAF_SELECT);
}

TEST_F(ZafStringTest, NoBlanksTurnsTypedStoredAndPastedBlanksIntoUnderscores)
{
    auto *field = Add(dialog, new ZafString(1, 5, 20, "a b", 6));
    field->SetNoBlanks(true);
    Show(dialog);
    EXPECT_EQ(WindowText(field->OSHandle()), "a_b");
    field->SetFocus(true);
    SendMessageA(field->OSHandle(), EM_SETSEL, 3, 3);
    Type(field, " ");
    EXPECT_EQ(WindowText(field->OSHandle()), "a_b_");

    // Two characters of room: the first letter and the blank, as '_'; the
    // tab and the line break are no text.
    SetClipboardText(field->OSHandle(), "x\ty\r\nz");
    SendMessageA(field->OSHandle(), EM_SETSEL, 4, 4);
    SendMessageA(field->OSHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(field->OSHandle()), "a_b_x_");

    // A selection that the paste replaces is room too.
    SetClipboardText(field->OSHandle(), "pq rs");
    SendMessageA(field->OSHandle(), EM_SETSEL, 0, 3);
    SendMessageA(field->OSHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(field->OSHandle()), "pq__x_");
}

TEST_F(ZafStringTest, GainingTheFocusSelectsTheWholeTextUnlessTurnedOff)
{
    first->SetText("abc");
    second->SetText("xyz");
    second->SetSelectAllOnFocus(false);
    Show(dialog);
    DWORD start = 9, end = 9;
    second->SetFocus(true);
    Press(second, VK_TAB);
    ASSERT_EQ(GetFocus(), first->OSHandle());
    SendMessageA(first->OSHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    SendMessageA(second->OSHandle(), EM_SETSEL, 1, 1);
    Press(first, VK_TAB);
    ASSERT_EQ(GetFocus(), second->OSHandle());
    SendMessageA(second->OSHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_FALSE(start == 0 && end == 3) << "the caret stays where it was";
}

// A field that draws itself marks the focus with the focus rectangle, and
// shows a password as placeholders.
TEST_F(ZafStringTest, AFieldThatDrawsItselfShowsTheFocusAndHidesAPassword)
{
    auto *own = Add(dialog, new ZafString(1, 5, 20, "MMMM", 40));
    own->SetSystemDrawn(false);
    auto *password = Add(dialog, new ZafString(1, 7, 20, "MMMM", 40));
    password->SetSystemDrawn(false);
    password->SetPassword(true);
    auto *stars = Add(dialog, new ZafString(1, 9, 20, "****", 40));
    stars->SetSystemDrawn(false);
    Show(dialog);
    int width = 0;
    const std::vector<COLORREF> plain = fieldtest::PaintedPixels(own->OSHandle(), width);
    own->SetFocus(true);
    ASSERT_TRUE(own->Focus());
    const std::vector<COLORREF> focused = fieldtest::PaintedPixels(own->OSHandle(), width);
    ASSERT_EQ(plain.size(), focused.size());
    // The dotted rectangle changes pixels along the field's edges.
    int changedOnEdge = 0;
    const int height = static_cast<int>(plain.size()) / width;
    for (int x = 0; x < width; ++x)
        for (int y : {1, 2, height - 3, height - 2})
            if (y >= 0 && y < height)
                changedOnEdge += plain[y * width + x] != focused[y * width + x];
    EXPECT_GT(changedOnEdge, width / 2);

    ASSERT_TRUE(password->OSHandle() && stars->OSHandle());
    EXPECT_EQ(fieldtest::PaintedPixels(password->OSHandle(), width), fieldtest::PaintedPixels(stars->OSHandle(), width));
}

TEST_F(ZafStringTest, FocusQueryAnswersByTheInvalidState)
{
    EXPECT_EQ(first->Event(ZafEventRecord(ZAF_FOCUS_QUERY)), ZAF_FOCUS_MAY_LEAVE);
    first->SetInvalid(true);
    EXPECT_EQ(first->Event(ZafEventRecord(ZAF_FOCUS_QUERY)), ZAF_REFUSED);
    first->SetAllowInvalid(true);
    EXPECT_EQ(first->Event(ZafEventRecord(ZAF_FOCUS_QUERY)), ZAF_FOCUS_MAY_LEAVE_INVALID);
}

TEST_F(ZafStringTest, OutputFormatAlwaysLeadsTheInputFormats)
{
    first->SetInputFormat("%x\n%d");
    first->SetOutputFormat("%d");
    EXPECT_STREQ(first->InputFormatText(), "%d\n%x");
    first->SetOutputFormat("%o");
    EXPECT_STREQ(first->InputFormatText(), "%o\n%d\n%x");
}

TEST_F(ZafStringTest, SharedDataSurvivesTheFieldAndOwnedDataGoesWithIt)
{
    ZafStringData shared("shared");
    shared.SetDestroyable(false);
    {
        ZafString field(1, 1, 10, &shared);
        ZafString copy(field);
        EXPECT_EQ(copy.StringData(), &shared);
        EXPECT_EQ(shared.NotificationCount(), 2);
    }
    EXPECT_EQ(shared.NotificationCount(), 0);
    EXPECT_STREQ(shared.Text(), "shared");
}

struct RangeCase
{
    const char *range;
    const char *low;
    const char *high;
    const char *rest;
};

class ZafStringRangeTest : public testing::TestWithParam<RangeCase>
{};

TEST_P(ZafStringRangeTest, ParseRangeSplitsTheFirstEntry)
{
    std::string low, high;
    const char *rest = ZafString::ParseRange(GetParam().range, low, high);
    EXPECT_EQ(low, GetParam().low);
    EXPECT_EQ(high, GetParam().high);
    EXPECT_STREQ(rest ? rest : "<end>", GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Entries, ZafStringRangeTest,
                         testing::Values(RangeCase{"1..5\n10..20", "1", "5", "10..20"},
                                         RangeCase{"1.5...2.5", "1.5", "2.5", "<end>"},
                                         RangeCase{"..9", "", "9", "<end>"}, RangeCase{"7..\n", "7", "", ""},
                                         RangeCase{"42", "42", "42", "<end>"}));

struct FillCase
{
    const char *format;
    const char *expected;
};

class ZafStringFillTest : public testing::TestWithParam<FillCase>
{};

// A message format from a language file is no printf format: whatever a
// translation holds, only "%s" takes the two arguments.
TEST_P(ZafStringFillTest, MessagesTakeOnlyTheirTextArguments)
{
    const char *arguments[] = {"12x", "1..5"};
    EXPECT_EQ(ZafString::FillMessage(GetParam().format, arguments, 2, 1000), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ZafStringFillTest,
    testing::Values(FillCase{"The number %s is not in the range %s.", "The number 12x is not in the range 1..5."},
                    FillCase{"%s %s %s %s", "12x 1..5 %s %s"}, FillCase{"%d%n%p %s", "%d%n%p 12x"},
                    FillCase{"100%% %s", "100% 12x"}, FillCase{"ends in %", "ends in %"}, FillCase{"", ""}));

TEST(ZafStringFill, MessagesAreCutAtTheirLimit)
{
    const std::string longText(5000, 'x');
    const char *arguments[] = {longText.c_str()};
    EXPECT_EQ(ZafString::FillMessage("Value %s.", arguments, 1, 1000).size(), 1000u);
}

TEST_F(ZafStringTest, RoundTripKeepsFlagsFormatsRangeAndText)
{
    ZafString field(3, 4, 25, "stored text", 30);
    field.SetPassword(true);
    field.SetNoBlanks(true);
    field.SetReadOnly(true);
    field.SetAllowInvalid(true);
    field.SetReportErrors(false);
    field.SetSelectAllOnFocus(false);
    field.SetHzJustify(ZafString::justifyCenter);
    field.SetOutputFormat("%s");
    field.SetInputFormat("%[a-z]");
    field.SetRange("a..m\nx");
    auto read = fieldtest::RoundTrip(field, "FIELD");
    EXPECT_STREQ(read->StringData()->Text(), "stored_text") << "noBlanks keeps no blank in the data";
    EXPECT_EQ(read->StringData()->MaxLength(), 30);
    EXPECT_TRUE(read->Password());
    EXPECT_TRUE(read->NoBlanks());
    EXPECT_TRUE(read->ReadOnly());
    EXPECT_TRUE(read->AllowInvalid());
    EXPECT_FALSE(read->ReportErrors());
    EXPECT_FALSE(read->SelectAllOnFocus());
    EXPECT_EQ(read->HzJustify(), ZafString::justifyCenter);
    EXPECT_STREQ(read->OutputFormatText(), "%s");
    EXPECT_STREQ(read->InputFormatText(), "%s\n%[a-z]");
    ASSERT_NE(read->RangeData(), nullptr);
    EXPECT_STREQ(read->RangeData()->Text(), "a..m\nx");
    EXPECT_EQ(read->Region().left, 3);
}
