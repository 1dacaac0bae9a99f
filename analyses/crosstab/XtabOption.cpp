#include "analyses/crosstab/XtabOption.h"

#include "analyses/crosstab/XTAB.h"
#include "analyses/crosstab/XtOptions.h"
#include "dataset/RegistrySettings.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

constexpr int measures = XtabOption::measureField, types = XtabOption::tableTypeField;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, "XTableOptions", SettingStorage::u16, measures, xtabTablesOn, xtabTablesOn, 0, 0x7ff},
    {sectionTableOptions, "XTableType", SettingStorage::u16, types, xtabCounts, xtabCounts, 0, 0x7f},
    {sectionTableOptions, "XTableWid", SettingStorage::integer, TableOption::parameterField, 12, 12, 1, 99},
};

// The tables in mask order, then the measures in mask order (the option
// window lays them out so); bit xtabTablesOn has no box and keeps its value.
const ControlRow controls[] = {
    {"tabtyp", ControlKind::caption, types, 0, 0, 29},
    {"rawnum", box, types, xtabCounts, 0, 21},
    {"vtpct", box, types, xtabColumnPercent, 0, 22},
    {"hzpct", box, types, xtabRowPercent, 0, 23},
    {"totpct", box, types, xtabTotalPercent, 0, 24},
    {"xpfrq", box, types, xtabExpected, 0, 25},
    {"dvxpfrq", box, types, xtabDeviation, 0, 26},
    {"stxpfrq", box, types, xtabStandardizedDeviation, 0, 27},
    {"tabmes", ControlKind::caption, measures, 0, 0, 30},
    {"chi", box, measures, xtabChiSquare, 0, 4},
    {"phi", box, measures, xtabPhi, 0, 7},
    {"cramersv", box, measures, xtabCramersV, 0, 8},
    {"cont", box, measures, xtabContingency, 0, 9},
    {"taua", box, measures, xtabTauA, 0, 10},
    {"taub", box, measures, xtabTauB, 0, 11},
    {"tauc", box, measures, xtabTauC, 0, 12},
    {"gamma", box, measures, xtabGamma, 0, 13},
    {"symd", box, measures, xtabSomersSymmetric, 0, 14},
    {"asymd", box, measures, xtabSomersAsymmetric, 0, 15},
    {"all_set", ControlKind::pushButton, measures, 0, 17, 16},
    {"all_clear", ControlKind::pushButton, measures, 0, 19, 18},
    {"notab", ControlKind::caption, measures, 0, 0, 28},
};

} // namespace

const TableDescription XtabOption::description =
    DescribeTable("USE_TWOWAY_CROSS_OPTIONS", "XtabOption", xtabTextGroup, settings, controls);

XtabOption::XtabOption() : TableOption(description)
{}

ZafWindow *XtabOption::CreateOptionWindow()
{
    return new XtOptions;
}

void XtabOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(3, xtabTextGroup), 1, -1);
    PassTextToVariableList(StatText(2, xtabTextGroup), 1, -1);
}

bool XtabOption::Run()
{
    return AnalysisBook::RunBook(new XTAB(this), variableListWord);
}
