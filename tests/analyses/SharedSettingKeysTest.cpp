// Settings kept by one analysis never change another's: the multiple
// response tables never store the frequency table's column width
// ("FreqTabWid"), though both read it as their own column width; and the
// n-way table keeps its own cell width whatever the
// crosstab stores under "XTableWid". A record loaded from the settings
// store knows that its settings are the kept ones.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/FreqOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/RegistrySettings.h"

namespace {

const SettingsSection *TableOptions()
{
    return FindSettingsSection(sectionTableOptions);
}

class SharedSettingKeys : public testing::Test
{
protected:
    SharedSettingKeys() { Forget(); }
    ~SharedSettingKeys() override { Forget(); }
    static void Forget()
    {
        for (const char *key :
             {"FreqTabWid", "FreqTableOptions", "MultRespFreqTableDisplay", "MultRespFreqIncludeUsermiss",
              "MultRespFreqDeleteCasesListwise", "MultRespFreqPctBase", "MultRespDikoTableDisplay",
              "MultRespDikoIncludeUsermiss", "MultRespDikoDeleteCasesListwise", "MultRespDikoPctBase"})
            RegistrySettings::DeleteKeyInSection(TableOptions(), key);
    }
};

TEST_F(SharedSettingKeys, KeptMultipleResponseSettingsLeaveTheFrequencyTablesWidth)
{
    MultrespFreqOption categories;
    categories.LoadSettings(1);
    categories.SaveSettings();
    MultrespDikoOption dichotomies;
    dichotomies.LoadSettings(1);
    dichotomies.SaveSettings();
    FreqOption frequencies;
    frequencies.LoadSettings(1);
    EXPECT_EQ(FreqOption::defaultColumnWidth, frequencies.ColumnWidth());

    // The frequency table's kept width is the category-coded table's too,
    // and saving that record keeps it as it was.
    RegistrySettings::WriteValueInSection(TableOptions(), FreqOption::widthKey, 20);
    MultrespFreqOption later;
    EXPECT_EQ(MultrespFreqOption::columnWidth, later.ColumnWidth()) << "no settings loaded";
    later.LoadSettings(1);
    MultrespDikoOption laterDichotomies;
    laterDichotomies.LoadSettings(1);
    EXPECT_EQ(20, later.ColumnWidth());
    EXPECT_EQ(20, laterDichotomies.ColumnWidth());
    laterDichotomies.SaveSettings();
    frequencies.LoadSettings(1);
    EXPECT_EQ(20, frequencies.ColumnWidth());
    // Unloaded, or a kept width the frequency table would refuse: 15.
    laterDichotomies.LoadSettings(0);
    EXPECT_EQ(MultrespDikoOption::columnWidth, laterDichotomies.ColumnWidth());
    RegistrySettings::WriteValueInSection(TableOptions(), FreqOption::widthKey, 2);
    laterDichotomies.LoadSettings(1);
    EXPECT_EQ(MultrespDikoOption::columnWidth, laterDichotomies.ColumnWidth());
    RegistrySettings::WriteValueInSection(TableOptions(), FreqOption::widthKey, 20);
    later.parameterWord = 33;
    later.SaveSettings();
    EXPECT_EQ(20, RegistrySettings::ReadIntInSection(TableOptions(), FreqOption::widthKey, 0));
    later.LoadSettings(0);
    EXPECT_EQ(MultrespFreqOption::columnWidth, later.ColumnWidth()) << "the defaults alone";

    // A width outside the frequency table's range is no width.
    RegistrySettings::WriteValueInSection(TableOptions(), FreqOption::widthKey, 2);
    MultrespFreqOption narrow;
    narrow.LoadSettings(1);
    EXPECT_EQ(MultrespFreqOption::columnWidth, narrow.ColumnWidth());
}

TEST_F(SharedSettingKeys, ARecordLoadedFromKeptSettingsSaysSo)
{
    FreqOption unkept;
    unkept.LoadSettings(1);
    EXPECT_EQ(0, unkept.settingsKept);
    RegistrySettings::WriteValueInSection(TableOptions(), "FreqTableOptions", 639);
    FreqOption kept;
    kept.LoadSettings(1);
    EXPECT_EQ(1, kept.settingsKept);
    kept.LoadSettings(0);
    EXPECT_EQ(0, kept.settingsKept) << "the defaults alone are no kept settings";
    // Another analysis's key is no setting of this one.
    Forget();
    RegistrySettings::WriteValueInSection(TableOptions(), "MultRespFreqPctBase", 0);
    FreqOption other;
    other.LoadSettings(1);
    EXPECT_EQ(0, other.settingsKept);
}

} // namespace
