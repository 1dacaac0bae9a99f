// The integer and real fields on real EDIT controls: a dialog built in code
// whose typed values land in their data objects, the four messages through
// the error system, and the edge cases of validation and messages.
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafStringData.h"

#include "FieldTestSupport.h"

#include <cstdlib>

using fieldtest::FieldTest;
using fieldtest::Recorded;
using fieldtest::WindowText;

namespace {

// A dialog of prompts and fields: a name, a count and a weight.
class ZafNumberFieldTest : public FieldTest
{
protected:
    ZafNumberFieldTest()
    {
        dialog = Dialog();
        Add(dialog, new ZafPrompt(1, 1, 10, "&Name"));
        name = Add(dialog, new ZafString(12, 1, 20, "", 40));
        Add(dialog, new ZafPrompt(1, 3, 10, "&Count"));
        count = Add(dialog, new ZafInteger(12, 3, 10, 42));
        Add(dialog, new ZafPrompt(1, 5, 10, "&Weight"));
        weight = Add(dialog, new ZafReal(12, 5, 10, 1.5));
        other = new ZafDialogWindow(2, 20, 20, 5);
        other->SetVisible(false);
        elsewhere = Add(other, new ZafString(1, 1, 10, "", 10));
        for (ZafWindowObject *field : {static_cast<ZafWindowObject *>(name), static_cast<ZafWindowObject *>(count),
                                       static_cast<ZafWindowObject *>(weight)})
            field->SetUserFunction(fieldtest::RecordCall);
    }
    ~ZafNumberFieldTest() override
    {
        Close(other);
        Close(dialog);
    }
    void ShowBoth()
    {
        Show(dialog);
        Show(other);
    }
    std::size_t CallsOf(ZafWindowObject *object) const
    {
        std::size_t n = 0;
        for (const auto &call : Recorded().calls)
            n += call.object == object;
        return n;
    }

    ZafDialogWindow *dialog;
    ZafString *name;
    ZafInteger *count;
    ZafReal *weight;
    ZafDialogWindow *other;
    ZafString *elsewhere;
};

} // namespace

TEST_F(ZafNumberFieldTest, TypedValuesLandInTheirDataObjects)
{
    ShowBoth();
    EXPECT_EQ(WindowText(count->OSHandle()), "42");
    name->SetFocus(true);
    Type(name, "Ada");
    Press(name, VK_TAB);
    EXPECT_EQ(GetFocus(), count->OSHandle());
    Retype(count, "-17");
    Press(count, VK_TAB);
    EXPECT_EQ(GetFocus(), weight->OSHandle());
    Retype(weight, "2.25");
    Press(weight, VK_RETURN);

    EXPECT_STREQ(name->StringData()->Text(), "Ada");
    EXPECT_EQ(count->IntegerData()->Value(), -17);
    EXPECT_DOUBLE_EQ(weight->RealData()->Value(), 2.25);
    EXPECT_TRUE(Recorded().reports.empty());
    EXPECT_EQ(CallsOf(count), 1u);
    EXPECT_EQ(CallsOf(weight), 1u);
    EXPECT_TRUE(count->Changed());
}

TEST_F(ZafNumberFieldTest, ProgramValuesAreShownInTheOutputFormat)
{
    count->SetOutputFormat("%05d");
    ShowBoth();
    EXPECT_EQ(WindowText(count->OSHandle()), "00042");
    count->SetValue(7);
    EXPECT_EQ(WindowText(count->OSHandle()), "00007");
    weight->RealData()->SetValue(-0.5);
    EXPECT_EQ(WindowText(weight->OSHandle()), "-0.5") << "the shortest text that reads back as the value";
    EXPECT_DOUBLE_EQ(weight->GetValue(), -0.5);
}

// Each bound belongs to its range: none of them is refused.
TEST_F(ZafNumberFieldTest, NumbersOnTheBoundsOfTheRangesAreTaken)
{
    count->SetRange("1..5\n10..20");
    ShowBoth();
    count->SetFocus(true);
    for (const char *typed : {"1", "5", "10", "20"}) {
        Retype(count, typed);
        Press(count, VK_RETURN);
        EXPECT_EQ(count->IntegerData()->Value(), std::atoi(typed)) << typed;
    }
    EXPECT_TRUE(Recorded().reports.empty());
}

// In a dialog with a default button Enter on a field takes its number and
// presses that button, as a Windows dialog does; a refused number keeps
// the focus in the field and presses nothing.
TEST_F(ZafNumberFieldTest, EnterPressesTheDefaultButtonOnlyAfterANumberIsTaken)
{
    auto *ok = Add(dialog, new ZafButton(1, 8, 10, 1, "OK"));
    ok->SetUserFunction(fieldtest::RecordCall);
    dialog->SetDefaultButton(ok, true);
    count->SetRange("1..5");
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "7");
    Press(count, VK_RETURN);
    EXPECT_EQ(CallsOf(ok), 0u) << "a refused number presses nothing";
    EXPECT_EQ(GetFocus(), count->OSHandle());
    Recorded().reports.clear();
    Retype(count, "4");
    Press(count, VK_RETURN);
    EXPECT_EQ(count->IntegerData()->Value(), 4);
    ASSERT_EQ(CallsOf(ok), 1u);
    EXPECT_EQ(Recorded().calls.back().object, ok);
    EXPECT_EQ(Recorded().calls.back().code, ZAF_SELECT);
    // A name field hands Enter on likewise.
    name->SetFocus(true);
    Type(name, "x");
    Press(name, VK_RETURN);
    EXPECT_EQ(CallsOf(ok), 2u);
}

struct MessageCase
{
    const char *name;
    const char *range;
    const char *typed;
    const char *message;
    unsigned flags;
};

class ZafNumberMessageTest : public FieldTest, public testing::WithParamInterface<MessageCase>
{};

// Each refusal is reported once through the error system, and the field
// shows its previous number again.
TEST_P(ZafNumberMessageTest, ARefusedNumberIsReportedAndTheOldValueComesBack)
{
    ZafDialogWindow *dialog = Dialog();
    auto *count = Add(dialog, new ZafInteger(1, 1, 10, 3));
    count->SetUserFunction(fieldtest::RecordCall);
    if (*GetParam().range)
        count->SetRange(GetParam().range);
    Show(dialog);
    count->SetFocus(true);
    Retype(count, GetParam().typed);
    Press(count, VK_RETURN);

    ASSERT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(Recorded().reports[0].message, GetParam().message);
    EXPECT_EQ(Recorded().reports[0].flags, GetParam().flags);
    EXPECT_EQ(Recorded().reports[0].object, count);
    EXPECT_EQ(count->IntegerData()->Value(), 3);
    EXPECT_EQ(WindowText(count->OSHandle()), "3");
    EXPECT_TRUE(Recorded().calls.empty()) << "the user function sees no refused number";
    EXPECT_FALSE(count->Invalid());
    EXPECT_EQ(count->Error(), 0) << "a finished validation leaves the error word clear";
    Close(dialog);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ZafNumberMessageTest,
    testing::Values(MessageCase{"Invalid", "", "abc", "The number abc is invalid.", MB_OKCANCEL},
                    MessageCase{"NotInRange", "1..5\n10..20", "7", "The number 7 is not in the range 1..5, 10..20.",
                                MB_ICONINFORMATION},
                    MessageCase{"LessThan", "1..", "0", "The number 0 is less than 1.", MB_ICONINFORMATION},
                    MessageCase{"GreaterThan", "..9", "10", "The number 10 is greater than 9.", MB_ICONINFORMATION}),
    [](const testing::TestParamInfo<MessageCase> &info) { return std::string(info.param.name); });

TEST_F(ZafNumberFieldTest, ARealFieldReportsItsOwnMessages)
{
    weight->SetRange("0..1.75");
    ShowBoth();
    weight->SetFocus(true);
    Retype(weight, "2.5");
    Press(weight, VK_RETURN);
    ASSERT_EQ(Recorded().reports.size(), 1u);
    const std::string &message = Recorded().reports[0].message;
    EXPECT_EQ(message.rfind("The number 2.5 is not in the range 0", 0), 0u) << message;
    EXPECT_NE(message.find("..1.75"), std::string::npos) << message;
    EXPECT_DOUBLE_EQ(weight->RealData()->Value(), 1.5);
}

TEST_F(ZafNumberFieldTest, AllowInvalidKeepsANumberConfirmedWithOk)
{
    count->SetRange("1..5");
    count->SetAllowInvalid(true);
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "9");
    Press(count, VK_RETURN);
    ASSERT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(Recorded().reports[0].flags, static_cast<unsigned>(MB_ICONINFORMATION | MB_OKCANCEL));
    EXPECT_EQ(count->IntegerData()->Value(), 9);
    EXPECT_TRUE(count->Invalid());
    EXPECT_EQ(count->Event(ZafEventRecord(ZAF_FOCUS_QUERY)), ZAF_FOCUS_MAY_LEAVE_INVALID);

    Recorded().answer = ZAF_DIALOG_CANCEL;
    Retype(count, "8");
    Press(count, VK_RETURN);
    EXPECT_EQ(count->IntegerData()->Value(), 9) << "Cancel brings the kept number back";
}

// A failed scan does not silence the field: every later Enter is validated
// again and reaches the user function.
TEST_F(ZafNumberFieldTest, AFailedScanNeitherChangesTheValueNorSilencesTheField)
{
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "abc");
    EXPECT_EQ(count->GetValue(), 42) << "a text that does not scan leaves the value";
    EXPECT_EQ(count->Error(), 1);
    Retype(count, "17");
    Press(count, VK_RETURN);
    EXPECT_EQ(count->IntegerData()->Value(), 17);
    EXPECT_EQ(CallsOf(count), 1u);
    EXPECT_TRUE(Recorded().reports.empty());
    EXPECT_EQ(count->Error(), 0);
    Retype(count, "x");
    Press(count, VK_RETURN);
    Retype(count, "18");
    Press(count, VK_RETURN);
    EXPECT_EQ(count->IntegerData()->Value(), 18);
    EXPECT_EQ(CallsOf(count), 2u);
}

TEST_F(ZafNumberFieldTest, AnotherEnterDuringTheMessageAnswersAtOnceWithoutASecondMessage)
{
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "abc");
    static ZafEventType during = 0;
    Recorded().duringReport = [](ZafWindowObject *object) {
        during = object->Event(ZafEventRecord(ZAF_SELECT, static_cast<ZafWindowObject *>(nullptr)));
    };
    Press(count, VK_RETURN);
    EXPECT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(during, ZafString::resultValueKept);
    EXPECT_EQ(count->IntegerData()->Value(), 42);
}

TEST_F(ZafNumberFieldTest, LeavingForAnotherWindowKeepsTheTypedTextAndTheOldValueWithoutAMessage)
{
    count->SetRange("1..50");
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "abc");
    elsewhere->SetFocus(true);
    RunQueued();
    EXPECT_TRUE(Recorded().reports.empty());
    EXPECT_EQ(count->IntegerData()->Value(), 42);
    EXPECT_EQ(WindowText(count->OSHandle()), "abc");
    EXPECT_TRUE(count->Invalid());

    count->SetFocus(true);
    Retype(count, "99");
    elsewhere->SetFocus(true);
    RunQueued();
    EXPECT_TRUE(Recorded().reports.empty());
    EXPECT_EQ(count->IntegerData()->Value(), 42);
    EXPECT_EQ(WindowText(count->OSHandle()), "99");
}

// Clearing a zero leaves the value as it was, yet the answer changed: the
// field is unanswered now, and it stays empty rather than showing 0.
TEST_F(ZafNumberFieldTest, AnEmptiedFieldCountsAsChangedAndStaysEmpty)
{
    count->SetValue(0);
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "");
    Press(count, VK_RETURN);
    EXPECT_TRUE(count->Unanswered());
    EXPECT_TRUE(count->Changed());
    EXPECT_EQ(CallsOf(count), 1u);
    EXPECT_EQ(WindowText(count->OSHandle()), "");
}

TEST_F(ZafNumberFieldTest, MovingWithinTheDialogValidatesOnFocusLoss)
{
    count->SetRange("1..50");
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "99");
    Press(count, VK_TAB);
    ASSERT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(Recorded().reports[0].message, "The number 99 is not in the range 1..50.");
    EXPECT_EQ(count->IntegerData()->Value(), 42);
    EXPECT_EQ(GetFocus(), count->OSHandle()) << "the refused field keeps the focus";
}

// A click on a button that takes the focus from a field holding a refused
// number shows the message and is cancelled: the field has the focus back
// and the button is not selected (an OK button would close its window). A
// valid number lets the next click through.
TEST_F(ZafNumberFieldTest, AClickThatTakesTheFocusFromARefusedNumberIsCancelled)
{
    count->SetRange("1..50");
    auto *button = Add(dialog, new ZafButton(30, 8, 10, 1, "OK"));
    button->SetUserFunction(fieldtest::RecordCall);
    ShowBoth();
    auto click = [&] {
        controltest::ControlTest::Press(button->OSHandle());
        RunQueued();
        controltest::ControlTest::Release(button->OSHandle());
        RunQueued();
    };
    count->SetFocus(true);
    Retype(count, "99");
    click();
    ASSERT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(Recorded().reports[0].message, "The number 99 is not in the range 1..50.");
    EXPECT_EQ(CallsOf(button), 0u);
    EXPECT_EQ(GetFocus(), count->OSHandle());
    EXPECT_EQ(SendMessageA(button->OSHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "the button is raised";

    Retype(count, "9");
    click();
    EXPECT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(CallsOf(button), 1u);
    EXPECT_EQ(count->IntegerData()->Value(), 9);
}

// Message formats come from language files: a translation with printf
// conversions of its own is filled, never handed to a printf-style call.
TEST_F(ZafNumberFieldTest, ABadTranslationIsShownAsWritten)
{
    ASSERT_NE(count->MessageTable(), nullptr);
    count->MessageTable()->SetMessage(1, "%s %d %n %s %s%%", 0, 0);
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "zz");
    Press(count, VK_RETURN);
    ASSERT_EQ(Recorded().reports.size(), 1u);
    EXPECT_EQ(Recorded().reports[0].message, "zz %d %n %s %s%");
}

// The range text of many entries is longer than the message's buffer of
// about 1,000 characters: the message is cut to fit and says so.
TEST_F(ZafNumberFieldTest, AMessageAboutManyRangesIsCutToFit)
{
    std::string ranges;
    for (int i = 0; i < 400; ++i)
        ranges += std::to_string(1000000 + 10 * i) + ".." + std::to_string(1000005 + 10 * i) + "\n";
    count->SetRange(ranges.c_str());
    ShowBoth();
    count->SetFocus(true);
    Retype(count, "7");
    Press(count, VK_RETURN);
    ASSERT_EQ(Recorded().reports.size(), 1u);
    const std::string &message = Recorded().reports[0].message;
    EXPECT_LE(message.size(), ZafString::messageLength);
    EXPECT_EQ(message.rfind("The number 7 is not in the range 1000000..1000005, ", 0), 0u);
    EXPECT_NE(message.find(", ..."), std::string::npos);
    EXPECT_EQ(count->IntegerData()->Value(), 42);
}

struct StepCase
{
    std::int32_t start;
    bool up;
    std::int32_t expected;
};

class ZafIntegerStepTest : public testing::TestWithParam<StepCase>
{};

TEST_P(ZafIntegerStepTest, SteppingWrapsAroundTheRanges)
{
    ZafInteger field(1, 1, 10, GetParam().start);
    field.SetRange("1..5\n10..20");
    ZafIntegerData step(1);
    EXPECT_EQ(GetParam().up ? field.Increment(&step, true) : field.Decrement(&step, true), 0);
    EXPECT_EQ(field.IntegerData()->Value(), GetParam().expected);
    EXPECT_STREQ(field.StringData()->Text(), std::to_string(GetParam().expected).c_str());
    EXPECT_EQ(field.Error(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ZafIntegerStepTest,
                         testing::Values(StepCase{5, true, 10}, StepCase{20, true, 1}, StepCase{10, false, 5},
                                         StepCase{1, false, 20}, StepCase{3, true, 4}, StepCase{12, false, 11},
                                         // Onto the ends themselves: no wrap.
                                         StepCase{19, true, 20}, StepCase{2, false, 1}));

TEST(ZafIntegerStep, WithoutWrapOrWithAStepOfAnotherTypeTheValueStays)
{
    ZafInteger field(1, 1, 10, 5);
    field.SetRange("1..5");
    ZafIntegerData step(1);
    field.Increment(&step, false);
    EXPECT_EQ(field.IntegerData()->Value(), 5);
    ZafRealData realStep(1.0);
    EXPECT_EQ(field.Increment(&realStep, true), ZafString::resultWrongStep);
}

TEST(ZafNumberField, CaseAndPasswordAttributesNeverApply)
{
    ZafInteger field(1, 1, 10, 0);
    EXPECT_FALSE(field.SetUpperCase(true));
    EXPECT_FALSE(field.SetPassword(true));
    EXPECT_FALSE(field.SetNoBlanks(true));
    EXPECT_EQ(field.SetStringData(new ZafStringData("9")), 1);
}

TEST(ZafNumberField, SharedValueDataIsKeptAndFollowed)
{
    ZafIntegerData shared(5);
    shared.SetDestroyable(false);
    {
        ZafInteger first(1, 1, 10, &shared);
        ZafInteger second(1, 3, 10, 0);
        second.Event(ZafEventRecord(ZAF_TAKE_VALUE, static_cast<ZafWindowObject *>(&first)));
        EXPECT_EQ(second.IntegerData(), &shared);
        shared.SetValue(8);
        EXPECT_STREQ(second.StringData()->Text(), "8");
    }
    EXPECT_EQ(shared.NotificationCount(), 0);
}

TEST_F(ZafNumberFieldTest, RoundTripKeepsValuesRangesAndFormats)
{
    ZafInteger integer(2, 3, 8, -123456);
    integer.SetOutputFormat("%d");
    integer.SetRange("-999999..0");
    auto readInteger = fieldtest::RoundTrip(integer, "COUNT");
    EXPECT_EQ(readInteger->IntegerData()->Value(), -123456);
    EXPECT_STREQ(readInteger->StringData()->Text(), "-123456");
    EXPECT_STREQ(readInteger->RangeData()->Text(), "-999999..0");
    EXPECT_STREQ(readInteger->OutputFormatText(), "%d");

    ZafReal real(2, 5, 8, 0.125);
    auto readReal = fieldtest::RoundTrip(real, "WEIGHT");
    EXPECT_DOUBLE_EQ(readReal->RealData()->Value(), 0.125);
    EXPECT_TRUE(readReal->IsClassID(ZafString::classID));
}
