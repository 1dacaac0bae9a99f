// What every option record described by tables (TableOption) must do, checked
// record by record from its own rows: its defaults, its settings written and
// read back (and a stored value out of range read as the default), its
// option window opened in the option frame holding every control its rows
// name with the language file's texts, each control row carrying its bits or
// value there and back, and the registry's entry making this record. A new
// analysis or graph record joins by one line in `records`.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/frequencies/BattFreqOption.h"
#include "analyses/crosstab/BiplotOption.h"
#include "analyses/multivariate/CorrOption.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/paired/McNemarOption.h"
#include "analyses/descriptives/MeanOption.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "analyses/descriptives/OnewayOption.h"
#include "analyses/RegisterAnalyses.h"
#include "analyses/paired/SignTestOption.h"
#include "analyses/paired/TtestParOption.h"
#include "analyses/paired/WilcoxonOption.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/crosstab/XtabbarOption.h"
#include "dataset/RegistrySettings.h"
#include "graphs/Desk1grafOption.h"
#include "graphs/Desk2grafOption.h"
#include "graphs/DuoPolyOption.h"
#include "graphs/FreqGraphOption.h"
#include "graphs/MatplotOption.h"
#include "graphs/ResplotOption.h"
#include "shell/AnalysisRegistry.h"
#include "shell/GraphOption.h"
#include "shell/OptionWindowFrame.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/core/ZafErrorStub.h"

#include <cstring>
#include <string>
#include <vector>
#include <memory>
#include <typeinfo>

namespace {

using namespace analysestest;

struct RecordCase
{
    const char *name;
    TableOption *(*make)(); // a new record with its defaults
    const char *helpName;   // the registry's entry; null for a graph record
    const char *recordName; // the name the registry's record carries (its help context)
};

template <class Record> TableOption *New()
{
    return new Record;
}

const RecordCase records[] = {
    {"Freq", New<FreqOption>, "USE_ONEWAY_FREQ", "USE_ONEWAY_FREQ_OPTIONS"},
    {"Xtab", New<XtabOption>, "USE_TWOWAY_CROSS", "USE_TWOWAY_CROSS_OPTIONS"},
    {"McNemar", New<McNemarOption>, "USE_MCNEMAR", "MCNEMAR"},
    {"SignTest", New<SignTestOption>, "USE_SIGNTEST", "SignTest"},
    {"Wilcoxon", New<WilcoxonOption>, "USE_WILCOXON", "Wilcoxon"},
    {"BattFreq", New<BattFreqOption>, "USE_BATTFREQ", "USE_BATTFREQ_OPTIONS"},
    {"MultrespFreq", New<MultrespFreqOption>, "USE_ONEWAY_MULTI", "USE_ONEWAY_MULTI_OPTIONS"},
    {"MultrespDiko", New<MultrespDikoOption>, "USE_ONEWAY_MULTI_DICO", "USE_ONEWAY_MULTI_DICO_OPTIONS"},
    {"Map", New<MapStatOption>, "USE_MAP", "USE_MAP_OPTIONS"},
    {"Multreg", New<MultregOption>, "USE_MULTIWAY_REG", "USE_MULTIWAY_REG_OPTIONS"},
    {"Ntab", New<NtabOption>, "USE_MULTIWAY_NTAB", "USE_MULTIWAY_NTAB_OPTIONS"},
    {"FreqBar", New<FreqbarOption>, nullptr, nullptr},
    {"FreqPie", New<FreqpieOption>, nullptr, nullptr},
    {"Mean", New<MeanOption>, "USE_ONEWAY_DESCRIP", "USE_ONEWAY_DESCRIP_OPTIONS"},
    {"Desk1graf", New<Desk1grafOption>, nullptr, nullptr},
    {"TtestPar", New<TtestParOption>, "USE_TWOWAY_TTEST", "USE_TWOWAY_TTEST_OPTIONS"},
    {"DuoPoly", New<DuoPolyOption>, nullptr, nullptr},
    {"XtabBar", New<XtabbarOption>, nullptr, nullptr},
    {"Corr", New<CorrOption>, "USE_MULTIWAY_CORR", "USE_MULTIWAY_CORR_OPTIONS"},
    {"Biplot", New<BiplotOption>, "USE_TWOWAY_BIPLOT", "USE_TWOWAY_BIPLOT_OPTIONS"},
    {"Matplot", New<MatplotOption>, nullptr, nullptr},
    {"Resplot", New<ResplotOption>, nullptr, nullptr},
    {"Oneway", New<OnewayOption>, "USE_TWOWAY_DESCRIP_CROSS", "USE_TWOWAY_DESCRIP_CROSS_OPTIONS"},
    {"Desk2grafBar", New<Desk2grafBarOption>, nullptr, nullptr},
    {"Desk2grafBox", New<Desk2grafBoxOption>, nullptr, nullptr},
    {"Desk2grafConfint", New<Desk2grafConfintOption>, nullptr, nullptr},
    {"Desk2grafBarcode", New<Desk2grafBarcodeOption>, nullptr, nullptr},
};

class OptionRecordConformance : public WindowTest, public testing::WithParamInterface<RecordCase>
{
protected:
    OptionRecordConformance() : record(GetParam().make()), description(record->Description()) { ForgetSettings(); }
    ~OptionRecordConformance() override
    {
        // The frame goes before the record it shows.
        while (!opened.empty())
            Forget(opened.back());
        ForgetSettings();
    }
    void ForgetSettings()
    {
        for (int i = 0; i < description.settingCount; ++i)
            RegistrySettings::DeleteKeyInSection(FindSettingsSection(description.settings[i].section),
                                                 description.settings[i].key);
    }
    ZafWindow *OpenWindow()
    {
        frame = Open(new OptionWindowFrame(*userPersist, record.get()));
        return frame->Window();
    }
    ZafButton *Button(const ControlRow &row)
    {
        return dynamic_cast<ZafButton *>(record->optionWindow->FindObjectByStringID(row.name));
    }

    std::unique_ptr<TableOption> record;
    const TableDescription &description;
    OptionWindowFrame *frame = nullptr;
};

TEST_P(OptionRecordConformance, DefaultsThenStoredSettingsThenOutOfRangeValues)
{
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(description.settings[i].unloaded, record->Field(description.settings[i].field)) << i;
    record->LoadSettings(1);
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(description.settings[i].readDefault, record->Field(description.settings[i].field)) << i;

    // A value of each row inside its range, other than its default.
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        record->Field(row.field) = row.readDefault == row.maximum ? row.minimum : row.maximum;
    }
    record->SaveSettings();
    std::unique_ptr<TableOption> next(GetParam().make());
    next->LoadSettings(1);
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(record->Field(description.settings[i].field), next->Field(description.settings[i].field)) << i;
    next->LoadSettings(0);
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(description.settings[i].unloaded, next->Field(description.settings[i].field)) << i;

    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        RegistrySettings::WriteValueInSection(FindSettingsSection(row.section), row.key,
                                              static_cast<unsigned long>(row.maximum + 1));
    }
    next->LoadSettings(1);
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(description.settings[i].readDefault, next->Field(description.settings[i].field)) << i;

    // 0xFFFFFFFB (-5 as a signed word, 65531 as a 16-bit one) lies below or
    // above every row's range.
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        RegistrySettings::WriteValueInSection(FindSettingsSection(row.section), row.key, 0xFFFFFFFBul);
    }
    next->LoadSettings(1);
    for (int i = 0; i < description.settingCount; ++i)
        EXPECT_EQ(description.settings[i].readDefault, next->Field(description.settings[i].field)) << i;
}

TEST_P(OptionRecordConformance, TheWindowHoldsEveryControlWithItsText)
{
    ASSERT_NE(nullptr, OpenWindow());
    EXPECT_EQ(record->optionWindow, frame->Window());
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        ZafWindowObject *control = frame->Window()->FindObjectByStringID(row.name);
        ASSERT_NE(nullptr, control) << row.name;
        if (row.text) {
            EXPECT_STREQ(StatText(row.text, description.textGroup), control->Text()) << row.name;
        }
        if (row.kind == ControlKind::checkBox || row.kind == ControlKind::radioButton) {
            ZafButton *button = Button(row);
            EXPECT_TRUE(button && (button->Type() == ZafButton::checkBox || button->Type() == ZafButton::radioButton))
                << row.name;
        }
        if (row.kind == ControlKind::integer) {
            EXPECT_NE(nullptr, dynamic_cast<ZafInteger *>(control)) << row.name;
        }
    }
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

// The window in its frame as the user sees it: every text whole with the
// system font, every control inside its group and the window, none on another.
TEST_P(OptionRecordConformance, EveryControlShowsWholeInsideItsGroupAndWindow)
{
    ASSERT_NE(nullptr, OpenWindow());
    testsupport::LayoutCheck layout(frame);
    EXPECT_TRUE(layout.problems.empty()) << layout.Report();
}

TEST_P(OptionRecordConformance, EveryControlCarriesItsBitsThereAndBack)
{
    ASSERT_NE(nullptr, OpenWindow());
    // Every check box flipped from the defaults, every number changed: the
    // window gives the values it was shown back.
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        if (row.kind == ControlKind::checkBox)
            record->Field(row.field) ^= static_cast<long>(row.bits);
        if (row.kind == ControlKind::integer)
            record->Field(row.field) += 1;
    }
    long shown[TableOption::maxFields + 1];
    for (int f = -1; f < TableOption::maxFields; ++f)
        shown[f + 1] = record->Field(f);
    record->ToWindow();
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        if (row.kind == ControlKind::checkBox)
            record->Field(row.field) ^= static_cast<long>(row.bits);
        if (row.kind == ControlKind::integer)
            record->Field(row.field) = 0;
    }
    record->FromWindow();
    for (int f = -1; f < TableOption::maxFields; ++f)
        EXPECT_EQ(shown[f + 1], record->Field(f)) << "field " << f;

    // Each radio button's choice is shown by it alone and read back.
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &chosen = description.controls[i];
        if (chosen.kind != ControlKind::radioButton)
            continue;
        long &field = record->Field(chosen.field);
        field = static_cast<long>((static_cast<unsigned long>(field) & ~chosen.bits) | chosen.value);
        const long word = field;
        record->ToWindow();
        for (int j = 0; j < description.controlCount; ++j) {
            const ControlRow &other = description.controls[j];
            if (other.kind == ControlKind::radioButton && other.field == chosen.field && (other.bits & chosen.bits)) {
                EXPECT_EQ(i == j, Button(other)->Selected()) << chosen.name << " chosen, " << other.name;
            }
        }
        record->FromWindow();
        EXPECT_EQ(word, field) << chosen.name;
    }
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

int rangeMessages = 0;
ZafEventType CountRangeMessage(ZafWindowObject *, const char *, unsigned, const char *)
{
    ++rangeMessages;
    return ZAF_DIALOG_OK;
}

// A number field has its settings row's range (one declared range a value);
// a typed value past it is said on OK (the field's message) and not taken.
TEST_P(OptionRecordConformance, ATypedNumberOutOfItsRangeIsSaidOnOkAndNotTaken)
{
    ASSERT_NE(nullptr, OpenWindow());
    const ZafErrorStub::AnswerHook before = ZafErrorStub::SetAnswerHook(CountRangeMessage);
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &setting = description.settings[i];
        for (int c = 0; c < description.controlCount; ++c) {
            const ControlRow &row = description.controls[c];
            auto *field = dynamic_cast<ZafInteger *>(frame->Window()->FindObjectByStringID(row.name));
            if (row.kind != ControlKind::integer || row.field != setting.field || !field)
                continue;
            const long kept = record->Field(row.field);
            for (long typed : {setting.minimum - 1, setting.maximum + 1}) {
                rangeMessages = 0;
                field->SetText(std::to_string(typed).c_str());
                frame->Event(ZafEventRecord(ZAF_DIALOG_OK));
                EXPECT_EQ(1, rangeMessages) << row.name << " " << typed;
                EXPECT_EQ(kept, record->Field(row.field)) << row.name << " " << typed;
            }
        }
    }
    ZafErrorStub::SetAnswerHook(before);
}

TEST_P(OptionRecordConformance, TheRegistryEntryMakesThisRecordWithItsSettingsLoaded)
{
    if (!GetParam().helpName)
        GTEST_SKIP() << "a graph record has no entry";
    RegisterAnalyses();
    BuildAnalysisRegistry(&texts.catalog);
    const RegisteredOption *entry = nullptr;
    for (const RegisteredOption &option : RegisteredOptionsList)
        if (std::strcmp(option.helpName, GetParam().helpName) == 0)
            entry = &option;
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(1, entry->enabled);
    // A record without settings (the paired tests) has nothing to load.
    const SettingRow *first = description.settingCount ? &description.settings[0] : nullptr;
    if (first)
        RegistrySettings::WriteValueInSection(FindSettingsSection(first->section), first->key,
                                              static_cast<unsigned long>(first->minimum));
    std::unique_ptr<StatOption> made(entry->factory());
    FreeAnalysisRegistry();
    auto *table = dynamic_cast<TableOption *>(made.get());
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(typeid(*record), typeid(*table));
    if (first)
        EXPECT_EQ(first->minimum, table->Field(first->field)) << "loaded";
    EXPECT_STREQ(GetParam().recordName, made->GetName());
}

// A graph's record (one without a registry entry) is a GraphOption whose
// option word is the value its "Display" or mask setting loads; an
// analysis's record is not one.
TEST_P(OptionRecordConformance, AGraphRecordKeepsItsSettingInItsOptionWord)
{
    auto *graph = dynamic_cast<GraphOption *>(record.get());
    if (GetParam().helpName) {
        EXPECT_EQ(nullptr, graph);
        return;
    }
    ASSERT_NE(nullptr, graph);
    ASSERT_EQ(1, description.settingCount);
    const SettingRow &word = description.settings[0];
    const long stored = word.readDefault == word.maximum ? word.minimum : word.maximum;
    RegistrySettings::WriteValueInSection(FindSettingsSection(word.section), word.key,
                                          static_cast<unsigned long>(stored));
    graph->LoadSettings(1);
    EXPECT_EQ(stored, graph->optionWord);
    graph->LoadSettings(0);
    EXPECT_EQ(word.unloaded, graph->optionWord);
}

INSTANTIATE_TEST_SUITE_P(Records, OptionRecordConformance, testing::ValuesIn(records),
                         [](const testing::TestParamInfo<RecordCase> &info) { return info.param.name; });

} // namespace
