#include "analyses/descriptives/OnewayOption.h"

#include "analyses/descriptives/ONEWAY.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr int textGroup = OnewayOption::textGroup;
constexpr int analysisPrompt = 7, breakPrompt = 8;
constexpr auto box = ControlKind::checkBox;
constexpr auto radio = ControlKind::radioButton;
// The key bits of the sort code (the radio buttons' group).
constexpr unsigned long sortKeys = 0x1FF;

const SettingRow settings[] = {
    {sectionTableOptions, "BreakdownTableDisplay", SettingStorage::u32, 0, OnewayOption::defaultDisplay,
     OnewayOption::defaultDisplay, 0, 0x3FF},
    {sectionTableOptions, "BreakdownStatistics", SettingStorage::u32, 1, OnewayOption::defaultTests,
     OnewayOption::defaultTests, 0, 0x3F},
    {sectionTableOptions, "BreakdownSort", SettingStorage::u32, 2, OnewayOption::defaultSort, OnewayOption::defaultSort,
     0, 0x3FF},
};

const ControlRow controls[] = {
    {"DisTitle", ControlKind::caption, 0, 0, 0, 70},
    {"DisMean", box, 0, 0x001, 0, 71},
    {"DisN", box, 0, 0x002, 0, 72},
    {"DisMinMax", box, 0, 0x008, 0, 73},
    {"DisSum", box, 0, 0x004, 0, 74},
    {"DisStdDev", box, 0, 0x010, 0, 75},
    {"DisConfint95", box, 0, 0x020, 0, 76},
    {"DisConfint99", box, 0, 0x040, 0, 77},
    {"DisMedian", box, 0, 0x100, 0, 79},
    {"DisPct", box, 0, 0x200, 0, 80},
    {"StatTitle", ControlKind::caption, 0, 0, 0, 81},
    {"StatAnova", box, 1, 0x01, 0, 82},
    {"StatTtestSep", box, 1, 0x02, 0, 84},
    {"StatTtestPool", box, 1, 0x04, 0, 83},
    {"StatScheffe", box, 1, 0x08, 0, 85},
    {"TestsAsMatrix", box, 1, 0x10, 0, 86},
    {"StatLevene", box, 1, 0x20, 0, 87},
    {"SortTitle", ControlKind::caption, 0, 0, 0, 93},
    {"SortMean", radio, 2, sortKeys, 0x001, 94},
    {"SortN", radio, 2, sortKeys, 0x002, 95},
    {"SortMin", radio, 2, sortKeys, 0x008, 96},
    {"SortMax", radio, 2, sortKeys, 0x010, 97},
    {"SortSum", radio, 2, sortKeys, 0x004, 98},
    {"SortStddev", radio, 2, sortKeys, 0x020, 99},
    {"SortMedian", radio, 2, sortKeys, 0x040, 100},
    {"SortBreakVal", radio, 2, sortKeys, 0x080, 101},
    {"SortLabel", radio, 2, sortKeys, 0x100, 102},
    {"SortDesc", box, 2, 0x200, 0, 103},
};

} // namespace

const TableDescription OnewayOption::description =
    DescribeTable("USE_TWOWAY_DESCRIP_CROSS_OPTIONS", "ODeskriptToveis", textGroup, settings, controls);

OnewayOption::OnewayOption() : TableOption(description)
{}

ZafWindow *OnewayOption::CreateOptionWindow()
{
    return new OnewayOptionWindow;
}

void OnewayOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(analysisPrompt, textGroup), 1, -1);
    PassTextToVariableList(StatText(breakPrompt, textGroup), 1, -1);
}

bool OnewayOption::Run()
{
    // False when either list holds no variable: no workbook is shown, and
    // a run that showed nothing must not count as done (the variable-list
    // window then keeps this record and says the run failed).
    return AnalysisBook::RunBook(new OnewayBook(this), variableListWord);
}

OnewayOptionWindow::OnewayOptionWindow() : TableOptionWindow(OnewayOption::description, 89, 10)
{
    // The groups are 290 mini-cells wide (boxes 270), so that the longer
    // texts ("t-tests with separate variances", 179 pixels) show whole: at
    // 221 (boxes 200, 140 pixels) seven of them are cut.
    struct Column
    {
        const char *group;
        int left, height;
        const char *const *boxes;
        int count;
        bool radio;
    };
    static const char *const show[] = {"DisMean",   "DisN",         "DisMinMax",    "DisSum", "DisStdDev",
                                       "DisConfint95", "DisConfint99", "DisMedian", "DisPct"};
    static const char *const tests[] = {"StatAnova",   "StatTtestSep",  "StatTtestPool",
                                        "StatScheffe", "TestsAsMatrix", "StatLevene"};
    static const char *const sorts[] = {"SortMean", "SortN",      "SortMin",      "SortMax",  "SortSum",
                                        "SortStddev", "SortMedian", "SortBreakVal", "SortLabel"};
    const Column columns[] = {{"DisTitle", 5, 77, show, 9, false},
                              {"StatTitle", 300, 56, tests, 6, false},
                              {"SortTitle", 595, 77, sorts, 9, true}};
    for (const Column &c : columns) {
        ZafGroup *group = OptionWindowBuilder::MiniCellGroup(this, c.left, 0, 290, c.height, c.group);
        for (int row = 0; row < c.count; ++row) {
            if (c.radio)
                OptionWindowBuilder::MiniCellRadioButton(group, 10, 7 * row, 270, 7, c.boxes[row]);
            else
                OptionWindowBuilder::MiniCellCheckBox(group, 10, 7 * row, 270, 7, c.boxes[row]);
        }
    }
    OptionWindowBuilder::MiniCellCheckBox(this, 605, 77, 270, 7, "SortDesc");
}
