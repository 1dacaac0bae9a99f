// The crosstab's record and option window: its settings and their defaults,
// the window read from the UI data file with every control found by name,
// the boxes shown from and taken into the masks (the bits no box shows
// kept), the texts of group 9, and a window without its controls
// reporting each one. ("all_set" and "all_clear" are clicked in the
// end-to-end test.)
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/XTAB.h"
#include "analyses/XtOptions.h"
#include "analyses/XtabOption.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowFrame.h"
#include "zaf/controls/ZafButton.h"

#include <cstring>

namespace {

using namespace analysestest;

const SettingsSection *TableOptions()
{
    return FindSettingsSection(7);
}

void ForgetSettings()
{
    for (const char *key : {"XTableOptions", "XTableType", "XTableWid"})
        RegistrySettings::DeleteKeyInSection(TableOptions(), key);
}

class XtabOptionTest : public WindowTest
{
protected:
    XtabOptionTest() { ForgetSettings(); }
    ~XtabOptionTest() override { ForgetSettings(); }
    // The frame on the record, as the variable-list window opens it.
    XtOptions *OpenFrame(XtabOption &record)
    {
        frame = Open(new OptionWindowFrame(*userPersist, &record));
        return dynamic_cast<XtOptions *>(frame->Window());
    }
    ZafButton *Box(const char *name) { return dynamic_cast<ZafButton *>(frame->FindObjectByStringID(name)); }
    void ClickOn(const char *name)
    {
        ZafWindowObject *object = frame->FindObjectByStringID(name);
        ASSERT_NE(nullptr, object) << name;
        Click(object->OSHandle());
        RunQueued();
    }

    OptionWindowFrame *frame = nullptr;
};

TEST_F(XtabOptionTest, SavedSettingsComeBackOnTheNextLoadButNotOnADefaultsLoad)
{
    XtabOption saved;
    saved.measureMask = 0x3a5; // bit 10 off: no tables
    saved.tableTypeMask = 0x46;
    saved.parameterWord = 9;
    saved.SaveSettings();

    XtabOption loaded;
    loaded.LoadSettings(1);
    EXPECT_EQ(0x3a5, loaded.measureMask);
    EXPECT_EQ(0x46, loaded.tableTypeMask);
    EXPECT_EQ(9, loaded.parameterWord);
    loaded.LoadSettings(0);
    EXPECT_EQ(0x400, loaded.measureMask);
    EXPECT_EQ(1, loaded.tableTypeMask);
    EXPECT_EQ(12, loaded.parameterWord);
}

TEST_F(XtabOptionTest, TheWindowShowsTheMasksAndGivesBackOnlyTheBitsItShows)
{
    XtabOption record;
    record.measureMask = xtabTauB | xtabGamma; // bit 10 off, as a stored setting may have it
    record.tableTypeMask = 0x8000 | xtabRowPercent | xtabExpected;
    XtOptions *window = OpenFrame(record);
    ASSERT_NE(nullptr, window);
    for (const XtabControl &control : xtabMeasureControls)
        EXPECT_EQ((record.measureMask & control.bit) != 0, Box(control.name)->Selected()) << control.name;
    for (const XtabControl &control : xtabTableControls)
        EXPECT_EQ((record.tableTypeMask & control.bit) != 0, Box(control.name)->Selected()) << control.name;
    ClickOn("chi");
    ClickOn("taub");
    ClickOn("rawnum");
    ClickOn("xpfrq");
    record.FromWindow();
    EXPECT_EQ(xtabChiSquare | xtabGamma, record.measureMask) << "bit 10 stays off: no box shows it";
    EXPECT_EQ(0x8000 | xtabCounts | xtabRowPercent, record.tableTypeMask);
    EXPECT_TRUE(reports.All().empty()) << reports.First();
}

TEST_F(XtabOptionTest, TheControlsTakeTheirTextsFromTheLanguageFile)
{
    XtabOption record;
    OpenFrame(record);
    const std::pair<const char *, int> others[] = {{"chi", 4},      {"asymd", 15},   {"rawnum", 21},
                                                   {"stxpfrq", 27}, {"notab", 28},   {"tabtyp", 29},
                                                   {"tabmes", 30},  {"all_set", 16}, {"all_clear", 18}};
    for (const auto &other : others)
        EXPECT_STREQ(StatText(other.second, xtabTextGroup), frame->FindObjectByStringID(other.first)->Text())
            << other.first;
    EXPECT_STREQ(StatText(17, xtabTextGroup), Box("all_set")->TipText());
    EXPECT_STREQ(StatText(19, xtabTextGroup), Box("all_clear")->TipText());
}

TEST_F(XtabOptionTest, AWindowWithoutItsControlsReportsEachMissingOneAndChangesNothing)
{
    // No UI data file is open: the window is empty.
    userPersist = nullptr;
    XtabOption record;
    record.measureMask = xtabTablesOn | xtabGamma;
    std::unique_ptr<ZafWindow> window(record.CreateOptionWindow());
    EXPECT_EQ(2u, reports.All().size()) << "the two buttons";
    record.optionWindow = window.get();
    record.ToWindow();
    record.FromWindow();
    EXPECT_EQ(2u + 2 * 17, reports.All().size());
    for (const std::string &report : reports.All())
        EXPECT_NE(std::string::npos, report.find("Internal error: Duru-object is NULL")) << report;
    EXPECT_EQ(xtabTablesOn | xtabGamma, record.measureMask);
    record.optionWindow = nullptr;
}

} // namespace
