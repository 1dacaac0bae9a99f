#include "analyses/frequencies/MultrespFreqOption.h"

#include "analyses/frequencies/MULTFREQWIN.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGroup.h"

namespace {

using F = MultrespFreqOption;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, "MultRespFreqTableDisplay", SettingStorage::u32, F::displayField, 31, 31, 0, 31},
    {sectionTableOptions, "MultRespFreqIncludeUsermiss", SettingStorage::u16, F::userMissingField, 0, 0, 0, 1},
    {sectionTableOptions, "MultRespFreqDeleteCasesListwise", SettingStorage::u16, F::listwiseField, 0, 0, 0, 1},
    {sectionTableOptions, "MultRespFreqPctBase", SettingStorage::integer, F::baseField, 1, 1, 0, 1},
};

const ControlRow controls[] = {
    {"CalcPctTitle", ControlKind::caption, F::baseField, 0, 0, 11},
    {"CalcPctCases", ControlKind::radioButton, F::baseField, 1, multrespOfCases, 12},
    {"CalcPctObs", ControlKind::radioButton, F::baseField, 1, multrespOfAnswers, 13},
    {"CalcListw", box, F::listwiseField, 1, 0, 15},
    {"CalcUMV", box, F::userMissingField, 1, 0, 16},
    {"DisplayTitle", ControlKind::caption, F::displayField, 0, 0, 4},
    {"DIS_VARLABS", box, F::displayField, multrespVariables, 0, 5},
    {"DIS_CAT", box, F::displayField, multrespLabels, 0, 6},
    {"DIS_CODE", box, F::displayField, multrespCodes, 0, 7},
    {"DIS_FREQ", box, F::displayField, multrespCounts, 0, 8},
    {"DIS_PCT", box, F::displayField, multrespPercents, 0, 9},
};

using B = OptionWindowBuilder;

// Every button is 200 mini-cells wide and 7 high, 5 in from its group.
void GroupButton(ZafWindow *group, int top, const char *name, bool radio)
{
    if (radio)
        B::MiniCellRadioButton(group, 5, top, 200, 7, name);
    else
        B::MiniCellCheckBox(group, 5, top, 200, 7, name);
}

} // namespace

const TableDescription MultrespFreqOption::description =
    DescribeTable("USE_ONEWAY_MULTI_OPTIONS", "OMultRespFreq", multrespTextGroup, settings, controls);

// 265 by 120 mini-cells, widened to show the two check boxes outside the
// groups whole.
MultrespFreqOptionWindow::MultrespFreqOptionWindow() : TableOptionWindow(MultrespFreqOption::description, 46, 13)
{
    ZafGroup *base = B::MiniCellGroup(this, 15, 5, 214, 28, "CalcPctTitle");
    GroupButton(base, 0, "CalcPctCases", true);
    GroupButton(base, 7, "CalcPctObs", true);
    B::MiniCellCheckBox(this, 22, 38, 430, 7, "CalcListw");
    B::MiniCellCheckBox(this, 22, 45, 430, 7, "CalcUMV");
    ZafGroup *display = B::MiniCellGroup(this, 15, 55, 214, 49, "DisplayTitle");
    const char *boxes[] = {"DIS_VARLABS", "DIS_CAT", "DIS_CODE", "DIS_FREQ", "DIS_PCT"};
    for (int i = 0; i < 5; ++i)
        GroupButton(display, 7 * i, boxes[i], false);
}

MultrespFreqOption::MultrespFreqOption() : TableOption(description)
{
    parameterWord = columnWidth;
}

void MultrespFreqOption::LoadSettings(int flag)
{
    TableOption::LoadSettings(flag);
    parameterWord = columnWidth;
    if (!flag)
        return;
    const SettingsSection *section = FindSettingsSection(sectionTableOptions);
    // Read only: SaveSettings stores the four rows and not this key, so
    // the frequency table's kept width is never overwritten from here.
    unsigned long stored = 0;
    if (RegistrySettings::QueryDwordInSection(section, "FreqTabWid", stored)) {
        const long width = static_cast<long>(static_cast<int>(stored));
        if (width >= leastColumnWidth && width <= widestColumnWidth)
            parameterWord = width;
    }
}

ZafWindow *MultrespFreqOption::CreateOptionWindow()
{
    return new MultrespFreqOptionWindow;
}

void PassMultrespListPrompt()
{
    PassTextToVariableList(StatText(0, multrespTextGroup), 1, -1);
}

void MultrespFreqOption::SetVariablePrompts(ZafWindow *)
{
    PassMultrespListPrompt();
}

bool MultrespFreqOption::Run()
{
    return AnalysisBook::RunBook(new MultrespFreqBook(this), variableListWord);
}
