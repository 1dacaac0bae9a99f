// The grouping dialog driven while it runs: which variables it offers and
// how its controls are named and filled, what OK, cancel and the user's
// entries give back, and the caller's title copied before the dialog asks
// the language file for its own texts.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/kit/AutoRecodeDialog.h"
#include "zaf/controls/ZafButton.h"

#include <cstring>
#include <functional>

namespace {

// What the test does while the dialog is up (run by the shown hook).
std::function<void(ZafDialogWindow *)> &WhileShown()
{
    static std::function<void(ZafDialogWindow *)> action;
    return action;
}

int shownCount = 0;

void OnShown(ZafDialogWindow *dialog)
{
    ++shownCount;
    if (WhileShown())
        WhileShown()(dialog);
}

class AutoRecodeDialogTest : public analysestest::WindowTest
{
protected:
    AutoRecodeDialogTest()
    {
        shownCount = 0;
        WhileShown() = nullptr;
        previous = SetAutoRecodeShownHook(OnShown);
        OpenSurvey("golden/freq");
        q1 = survey->Variable("q1");
        age = survey->Variable("age");
    }
    // A click posted now and taken by the dialog's modal loop.
    static void PostClick(ZafDialogWindow *dialog, const char *name)
    {
        WindowTest::PostClick(dialog->FindObjectByStringID(name));
    }
    ~AutoRecodeDialogTest() override
    {
        SetAutoRecodeShownHook(previous);
        WhileShown() = nullptr;
    }

    long q1 = 0, age = 0;
    AutoRecodeShownHook previous = nullptr;
};

TEST_F(AutoRecodeDialogTest, NothingOfferedAnswersTrueWithoutADialog)
{
    const long candidates[] = {-1, -1, 0};
    long intervals[] = {0, 0, 0};
    EXPECT_TRUE(AutoRecodeDialog(candidates, intervals, "Frequency table"));
    EXPECT_EQ(0, shownCount);
    EXPECT_EQ(0, intervals[0] + intervals[1]);
}

TEST_F(AutoRecodeDialogTest, OffersEachCandidateNamedByItsPositionTickedWithFourIntervals)
{
    const long candidates[] = {-1, q1, age, 0};
    long intervals[] = {0, 0, 0, 0};
    WhileShown() = [&](ZafDialogWindow *dialog) {
        EXPECT_STREQ("Group into intervals - Frequency table", dialog->TitleText());
        EXPECT_EQ(nullptr, dialog->FindObjectByStringID("bt0"));
        auto *first = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID("bt1"));
        auto *second = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID("bt2"));
        ASSERT_NE(nullptr, first);
        ASSERT_NE(nullptr, second);
        EXPECT_STREQ("v1 q1: The council listens", first->Text());
        EXPECT_STREQ("v2 age: Age in years", second->Text());
        EXPECT_TRUE(first->Selected());
        EXPECT_TRUE(second->Selected());
        EXPECT_STREQ("4", dialog->FindObjectByStringID("bt2gr")->Text());
        PostClick(dialog, autoRecodeOkName);
    };
    EXPECT_TRUE(AutoRecodeDialog(candidates, intervals, "Frequency table"));
    EXPECT_EQ(1, shownCount);
    EXPECT_EQ(0, intervals[0]);
    EXPECT_EQ(4, intervals[1]);
    EXPECT_EQ(4, intervals[2]);
}

TEST_F(AutoRecodeDialogTest, ShowsEveryControlWholeInsideTheWindow)
{
    const long candidates[] = {q1, age, 0};
    long intervals[] = {0, 0, 0};
    std::string problems = "not shown";
    WhileShown() = [&](ZafDialogWindow *dialog) {
        problems = testsupport::LayoutCheck(dialog).Report();
        PostClick(dialog, autoRecodeCancelName);
    };
    AutoRecodeDialog(candidates, intervals, "Frequency table");
    EXPECT_EQ("", problems);
}

// The user's entries and what OK stores for them; a count grouping does
// not make (2 to 15), or a text that is no number, is refused on OK with the
// field's message (message given), and the dialog stays until cancelled.
struct Entry
{
    const char *typed;
    bool untick;
    long stored;
    const char *message;
};

std::ostream &operator<<(std::ostream &out, const Entry &e)
{
    return out << '"' << e.typed << '"' << (e.untick ? " unticked" : "");
}

class AutoRecodeEntry : public AutoRecodeDialogTest, public testing::WithParamInterface<Entry>
{};

TEST_P(AutoRecodeEntry, OkStoresTheTypedCountOfATickedVariableOrSaysWhyNot)
{
    const Entry &e = GetParam();
    const long candidates[] = {age, 0};
    long intervals[] = {0, 0};
    WhileShown() = [&](ZafDialogWindow *dialog) {
        Retype(dialog->FindObjectByStringID("bt0gr"), e.typed);
        if (e.untick)
            PostClick(dialog, "bt0");
        PostClick(dialog, autoRecodeOkName);
        if (e.message)
            PostClick(dialog, autoRecodeCancelName);
    };
    EXPECT_EQ(e.message == nullptr, AutoRecodeDialog(candidates, intervals, nullptr));
    EXPECT_EQ(e.stored, intervals[0]);
    // The field says it as the focus leaves it, when it had the focus, and
    // the dialog's OK check says it again when the click came through.
    const auto &reports = fieldtest::Recorded().reports;
    EXPECT_EQ(e.message != nullptr, !reports.empty());
    for (const fieldtest::Report &report : reports)
        EXPECT_EQ(e.message ? e.message : "", report.message);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AutoRecodeEntry,
    testing::Values(Entry{"12", false, 12, nullptr}, Entry{"2", false, 2, nullptr}, Entry{"15", false, 15, nullptr},
                    Entry{"5", true, 0, nullptr}, Entry{"99", true, 0, nullptr},
                    Entry{"99", false, 0, "The number 99 is not in the range 2..15."},
                    Entry{"1", false, 0, "The number 1 is not in the range 2..15."},
                    Entry{"", false, 0, "The number  is not in the range 2..15."},
                    Entry{"x", false, 0, "The number x is invalid."}));

TEST_F(AutoRecodeDialogTest, CancelAnswersFalseAndLeavesTheIntervals)
{
    const long candidates[] = {q1, age, 0};
    long intervals[] = {0, 0, 0};
    WhileShown() = [](ZafDialogWindow *dialog) { PostClick(dialog, autoRecodeCancelName); };
    EXPECT_FALSE(AutoRecodeDialog(candidates, intervals, "Frequency table"));
    EXPECT_EQ(0, intervals[0]);
    EXPECT_EQ(0, intervals[1]);
}

// A language catalogue that frees the texts of other groups when it reads a
// group: the caller's title (a text of group 5) is overwritten as soon as
// the dialog asks for a text of group 41.
char callerTitle[32];
const char *ForgetfulTexts(int number, int group)
{
    if (group != 5)
        std::memset(callerTitle, '#', sizeof callerTitle - 1);
    return StatText(number, group);
}

TEST_F(AutoRecodeDialogTest, TheCallersTitleIsCopiedBeforeTheDialogAsksForItsTexts)
{
    std::strcpy(callerTitle, "Frequency table");
    AutoRecodeTextSource previousSource = SetAutoRecodeTextSource(ForgetfulTexts);
    const long candidates[] = {age, 0};
    long intervals[] = {0, 0};
    std::string title;
    WhileShown() = [&](ZafDialogWindow *dialog) {
        title = dialog->TitleText();
        PostClick(dialog, autoRecodeCancelName);
    };
    AutoRecodeDialog(candidates, intervals, callerTitle);
    SetAutoRecodeTextSource(previousSource);
    EXPECT_EQ("Group into intervals - Frequency table", title);
}

} // namespace
