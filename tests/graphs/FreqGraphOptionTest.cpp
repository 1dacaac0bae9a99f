// The frequency graphs' option records as a workbook holds them
// (GraphToolOption), with the makers the graph library registers: the graph
// window of each record, its option window built in code, the option word
// to and from the controls, missing controls, and the settings sections.
#include "GraphTestSupport.h"

#include "analyses/GraphToolOption.h"
#include "dataset/AssumeError.h"
#include "dataset/TextCatalog.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOptionWindow.h"
#include "graphs/RegisterGraphTools.h"
#include "shell/OptionWindow.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGroup.h"

#include <memory>

namespace {

std::vector<std::string> &AssumeReports()
{
    static std::vector<std::string> reports;
    return reports;
}

void RecordAssume(const char *, const char *sourceAndLine, const char *text)
{
    AssumeReports().push_back(std::string(sourceAndLine) + " " + text);
}

// A computation that is no frequency distribution.
class OtherComputation : public StatClass
{
public:
    OtherComputation() : StatClass(nullptr) {}
};

class FreqGraphOptionTest : public graphtest::GraphTest
{
protected:
    FreqGraphOptionTest()
    {
        RegisterGraphTools();
        previousAssume = SetAssumeReportHook(RecordAssume);
        AssumeReports().clear();
    }
    ~FreqGraphOptionTest() override
    {
        SetAssumeReportHook(previousAssume);
        for (GraphToolOption *record : {&bar, &pie})
            for (const char *key : {"Display"})
                RegistrySettings::DeleteKeyInSection(FindSettingsSection(record->sectionId), key);
    }

    // The record's option window, shown in the test window as the frame
    // would show it, with the record's word in its controls.
    FreqGraphOptionWindow *Open(GraphToolOption &record)
    {
        auto *window = dynamic_cast<FreqGraphOptionWindow *>(record.CreateOptionWindow());
        if (!window)
            return nullptr;
        window->SetCoordinateType(ZAF_CELL);
        Window()->AddObject(window);
        record.optionWindow = window;
        Show();
        record.ToWindow();
        window->UpdateControls();
        Pump();
        return window;
    }
    bool Selected(OptionWindow *window, const char *name)
    {
        ZafWindowObject *control = window->FindControl(name, __FILE__, __LINE__);
        return control && control->Selected();
    }
    void Select(OptionWindow *window, const char *name)
    {
        if (ZafWindowObject *control = window->FindControl(name, __FILE__, __LINE__))
            control->SetSelected(true);
    }

    graphtest::EnglishTexts texts;
    AssumeReportHook previousAssume = nullptr;
    GraphToolOption bar{FREQBAR::settingsSection, FREQBAR::defaultWord};
    GraphToolOption pie{FREQPIE::settingsSection, FREQPIE::defaultWord};
};

TEST_F(FreqGraphOptionTest, EachRecordMakesItsGraphOnADistributionOnly)
{
    FREQOBJ distribution;
    std::unique_ptr<ZafWindow> barGraph(bar.CreateGraphWindow(&distribution));
    std::unique_ptr<ZafWindow> pieGraph(pie.CreateGraphWindow(&distribution));
    EXPECT_NE(dynamic_cast<FREQBAR *>(barGraph.get()), nullptr);
    EXPECT_NE(dynamic_cast<FREQPIE *>(pieGraph.get()), nullptr);
    OtherComputation other;
    EXPECT_EQ(bar.CreateGraphWindow(&other), nullptr);
    EXPECT_EQ(bar.CreateGraphWindow(nullptr), nullptr);
    // A record of a section without makers makes no window and keeps its word.
    GraphToolOption unknown(15, 0x11);
    EXPECT_EQ(unknown.CreateGraphWindow(&distribution), nullptr);
    EXPECT_EQ(unknown.CreateOptionWindow(), nullptr);
    unknown.FromWindow();
    EXPECT_EQ(unknown.optionWord, 0x11u);
}

// The word shown, controls chosen, the word taken back (the bit without a
// control, 0x002, kept).
TEST_F(FreqGraphOptionTest, ChoosingControlsSetsTheirBits)
{
    FreqGraphOptionWindow *window = Open(bar);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Selected(window, "DisNumbers"));
    EXPECT_TRUE(Selected(window, "DisGrids"));
    EXPECT_TRUE(Selected(window, "Hori"));
    Select(window, "Vert");
    Select(window, "FigRaw");
    Select(window, "DisType");
    Pump();
    // The radio buttons of a group exclude each other.
    EXPECT_FALSE(Selected(window, "Hori"));
    EXPECT_FALSE(Selected(window, "FigPerc"));
    bar.FromWindow();
    EXPECT_EQ(bar.optionWord, 0x602u | 0x080 | 0x008 | 0x100);

    FreqGraphOptionWindow *pieWindow = Open(pie);
    ASSERT_NE(pieWindow, nullptr);
    EXPECT_TRUE(Selected(pieWindow, "DisNumbers"));
    EXPECT_FALSE(Selected(pieWindow, "LabOnPie"));
    Select(pieWindow, "LabOnPie");
    pie.FromWindow();
    EXPECT_EQ(pie.optionWord, 0x404u);
    EXPECT_TRUE(AssumeReports().empty()) << AssumeReports().front();
}

TEST_F(FreqGraphOptionTest, AMissingControlIsReportedAndItsBitKept)
{
    FreqGraphOptionWindow *window = Open(bar);
    ASSERT_NE(window, nullptr);
    ZafWindowObject *grids = window->FindControl("DisGrids", __FILE__, __LINE__);
    ASSERT_NE(grids, nullptr);
    auto *group = dynamic_cast<ZafWindow *>(window->FindControl("DisTitle", __FILE__, __LINE__));
    ASSERT_NE(group, nullptr);
    delete group->SubtractObject(grids);
    bar.optionWord = 0x602;
    bar.ToWindow();
    ASSERT_EQ(AssumeReports().size(), 1u);
    EXPECT_EQ(AssumeReports()[0].rfind("Ofrgraph ", 0), 0u) << AssumeReports()[0];
    EXPECT_NE(AssumeReports()[0].find("Internal error: Duru-object is NULL"), std::string::npos);
    bar.FromWindow();
    EXPECT_EQ(bar.optionWord, 0x602u);
}

TEST_F(FreqGraphOptionTest, SettingsSectionsAndDefaults)
{
    EXPECT_STREQ(FindSettingsSection(FREQBAR::settingsSection)->name, "FreqBar");
    EXPECT_STREQ(FindSettingsSection(FREQPIE::settingsSection)->name, "FreqPie");
    const struct
    {
        GraphToolOption *record;
        unsigned long defaultWord;
    } cases[] = {{&bar, 1538}, {&pie, 1024}};
    for (const auto &c : cases) {
        const SettingsSection *section = FindSettingsSection(c.record->sectionId);
        RegistrySettings::DeleteKeyInSection(section, "Display");
        c.record->optionWord = 0;
        c.record->LoadSettings(1);
        EXPECT_EQ(c.record->optionWord, c.defaultWord);
        RegistrySettings::WriteValueInSection(section, "Display", 0x184);
        c.record->LoadSettings(1);
        EXPECT_EQ(c.record->optionWord, 0x184u);
        c.record->LoadSettings(0);
        EXPECT_EQ(c.record->optionWord, c.defaultWord);
    }
}

} // namespace
