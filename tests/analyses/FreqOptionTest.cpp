// The frequency table's record and its option window: the window read from
// the UI data file holds every control the record looks up and shows its
// texts, each control sets and clears its bits (every radio group can go
// back to each of its choices), the column width, a missing control, and
// the settings of section "TableOptions".
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/FrOptions.h"
#include "analyses/FreqOption.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowFrame.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafSpinControl.h"
#include "zaf/core/ZafGroup.h"

namespace {

const char *const controlNames[] = {
    "title",       "category",        "code",      "number",  "pctofall",  "pctofvalid", "coltitles", "modus",
    "mean",        "median",          "notused",   "oftotal", "ofvalid",   "byvalue",    "byfreq",    "byvalue_desc",
    "byfreq_desc", "spin_int_colwid", "accumtype", "sorting", "pr_colwid", "stat"};

class FreqOptionWindowTest : public analysestest::WindowTest
{
protected:
    // The option frame on the record, as the variable-list window opens it.
    void Open(FreqOption &record) { frame = WindowTest::Open(new OptionWindowFrame(*userPersist, &record)); }
    ZafWindowObject *Control(const char *name) { return frame->FindObjectByStringID(name); }
    void ClickOn(const char *name)
    {
        ZafWindowObject *object = Control(name);
        ASSERT_NE(nullptr, object) << name;
        Click(object->OSHandle());
        RunQueued();
    }
    bool IsSelected(const char *name)
    {
        auto *button = dynamic_cast<ZafButton *>(Control(name));
        return button && button->Selected();
    }

    OptionWindowFrame *frame = nullptr;
};

TEST_F(FreqOptionWindowTest, TheWindowHoldsEveryControlWithItsTextAndShowsTheDefaults)
{
    FreqOption record;
    record.LoadSettings(0);
    Open(record);
    ASSERT_NE(nullptr, dynamic_cast<FrOptions *>(frame->Window()));
    EXPECT_EQ(0, frame->Window()->Error());
    for (const char *name : controlNames)
        EXPECT_NE(nullptr, Control(name)) << name;
    EXPECT_STREQ("Heading with variable", Control("title")->Text());
    EXPECT_STREQ("Cumulative percent", Control("accumtype")->Text());
    EXPECT_STREQ("By frequency, descending", Control("byfreq_desc")->Text());
    for (const char *on :
         {"title", "category", "code", "number", "pctofall", "pctofvalid", "coltitles", "notused", "byvalue"})
        EXPECT_TRUE(IsSelected(on)) << on;
    for (const char *off : {"modus", "mean", "median", "ofvalid", "oftotal", "byfreq", "byvalue_desc", "byfreq_desc"})
        EXPECT_FALSE(IsSelected(off)) << off;
    auto *width = dynamic_cast<ZafInteger *>(Control("spin_int_colwid"));
    ASSERT_NE(nullptr, width);
    EXPECT_EQ(11, width->GetValue());
    record.FromWindow();
    EXPECT_TRUE(reports.All().empty()) << reports.First();
}

// One choice made in the window, and the options the record takes from it.
struct Choice
{
    unsigned before;
    const char *clicked;
    unsigned after;
};

std::ostream &operator<<(std::ostream &out, const Choice &c)
{
    return out << std::hex << c.before << " + " << c.clicked;
}

constexpr unsigned base = FreqOption::defaultOptions & ~(freqSortByValue | freqSortDescending);
constexpr unsigned cumulativeAll = freqCumulativeColumn | freqCumulateAll;

const Choice choices[] = {
    // Cumulative column: each of the three can be chosen from each other.
    {base | freqSortByValue | cumulativeAll, "ofvalid", base | freqSortByValue | freqCumulativeColumn},
    {base | freqSortByValue, "ofvalid", base | freqSortByValue | freqCumulativeColumn},
    {base | freqSortByValue, "oftotal", base | freqSortByValue | cumulativeAll},
    {base | freqSortByValue | freqCumulativeColumn, "oftotal", base | freqSortByValue | cumulativeAll},
    // "None" keeps the base the cumulative column would use.
    {base | freqSortByValue | cumulativeAll, "notused", base | freqSortByValue | freqCumulateAll},
    {base | freqSortByValue | freqCumulativeColumn, "notused", base | freqSortByValue},
    // Sort order: the button sets and clears both bits.
    {base | freqSortByValue, "byfreq_desc", base | freqSortDescending},
    {base | freqSortDescending, "byvalue", base | freqSortByValue},
    {base, "byvalue_desc", base | freqSortByValue | freqSortDescending},
    {base | freqSortByValue | freqSortDescending, "byfreq", base},
    // Check boxes toggle their bit.
    {base | freqSortByValue, "modus", base | freqSortByValue | freqMode},
    {base | freqSortByValue | freqMedian, "median", base | freqSortByValue},
    {base | freqSortByValue, "title", (base & ~freqHeading) | freqSortByValue},
    {base | freqSortByValue, "pctofvalid", (base & ~freqValidColumn) | freqSortByValue},
};

class FreqOptionChoice : public FreqOptionWindowTest, public testing::WithParamInterface<Choice>
{};

TEST_P(FreqOptionChoice, ApplyStoresTheBitsOfTheChoice)
{
    const Choice &c = GetParam();
    FreqOption record;
    record.tableOptions = static_cast<unsigned short>(c.before);
    Open(record);
    ClickOn(c.clicked);
    ClickOn(OptionWindowFrame::applyName);
    EXPECT_EQ(c.after, record.tableOptions) << std::hex << record.tableOptions;
}

INSTANTIATE_TEST_SUITE_P(Choices, FreqOptionChoice, testing::ValuesIn(choices));

TEST_F(FreqOptionWindowTest, TheColumnWidthGoesThroughTheIntegerField)
{
    FreqOption record;
    record.SetColumnWidth(14);
    Open(record);
    auto *width = dynamic_cast<ZafInteger *>(Control("spin_int_colwid"));
    ASSERT_NE(nullptr, width);
    EXPECT_EQ(14, width->GetValue());
    // The arrows step it by one (the step is given when the window is read).
    auto *spin = dynamic_cast<ZafSpinControl *>(Control("spin_int_colwid_spin"));
    ASSERT_NE(nullptr, spin);
    EXPECT_EQ(0, spin->Step(true, ZafEventRecord(ZAF_SELECT)));
    EXPECT_EQ(15, width->GetValue());
    width->SetValue(8);
    ClickOn(OptionWindowFrame::applyName);
    EXPECT_EQ(8, record.ColumnWidth());
}

TEST_F(FreqOptionWindowTest, AMissingControlIsReportedAndLeavesItsBit)
{
    FreqOption record;
    record.tableOptions = freqMode | freqSortByValue;
    Open(record);
    ZafWindowObject *modus = Control("modus");
    ASSERT_NE(nullptr, modus);
    static_cast<ZafWindow *>(modus->Parent())->SubtractObject(modus);
    delete modus;
    record.FromWindow();
    EXPECT_TRUE(record.tableOptions & freqMode);
    ASSERT_EQ(1u, reports.All().size());
    EXPECT_NE(std::string::npos, reports.First().find("Internal error: Duru-object is NULL"));
}

TEST(FreqOptionWithoutUIFile, TheWindowIsReportedAndStaysEmpty)
{
    analysestest::AssumeReports reports;
    ZafObjectPersistence *program = userPersist;
    userPersist = nullptr;
    {
        FrOptions window;
        EXPECT_NE(0, window.Error());
        EXPECT_EQ(nullptr, window.First());
    }
    userPersist = program;
    ASSERT_EQ(1u, reports.All().size());
    EXPECT_NE(std::string::npos, reports.First().find("mervalo.znc"));
}

// The settings of section "TableOptions".
class FreqOptionSettings : public testing::Test
{
protected:
    FreqOptionSettings() { Forget(); }
    ~FreqOptionSettings() override { Forget(); }
    void Forget()
    {
        RegistrySettings::DeleteKeyInSection(section, FreqOption::optionsKey);
        RegistrySettings::DeleteKeyInSection(section, FreqOption::widthKey);
    }
    const SettingsSection *section = FindSettingsSection(7);
};

TEST_F(FreqOptionSettings, SavedSettingsAreReadByTheNextRecordAndLoadZeroRestoresTheDefaults)
{
    FreqOption saved;
    EXPECT_EQ(FreqOption::defaultOptions, saved.tableOptions);
    saved.tableOptions = freqCountColumn | freqMedian;
    saved.SetColumnWidth(9);
    saved.SaveSettings();
    FreqOption next;
    EXPECT_EQ(freqCountColumn | freqMedian, next.tableOptions);
    EXPECT_EQ(9, next.ColumnWidth());
    next.LoadSettings(0);
    EXPECT_EQ(639, next.tableOptions);
    EXPECT_EQ(11, next.ColumnWidth());
}

} // namespace
