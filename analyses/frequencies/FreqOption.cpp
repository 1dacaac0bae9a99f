#include "analyses/frequencies/FreqOption.h"

#include "analyses/frequencies/FreqBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/TableOptionWindow.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

// The text of the variable prompt: the analysis's own menu text.
constexpr int promptText = 12, promptGroup = 1;
constexpr int textGroup = 5;
constexpr int options = 0; // the value slot of the table options

// Cumulative percent: none, of the valid cases or of all cases.
constexpr unsigned long cumulative = freqCumulativeColumn | freqCumulateAll;
constexpr unsigned long sortBits = freqSortByValue | freqSortDescending;

const SettingRow settings[] = {
    {sectionTableOptions, FreqOption::optionsKey, SettingStorage::u16, options, 639, 639, 0, 0x3fff},
    {sectionTableOptions, FreqOption::widthKey, SettingStorage::integer, TableOption::parameterField, 11, 11, 3, 40},
};

const ControlRow controls[] = {
    {"title", ControlKind::checkBox, options, freqHeading, 0, 21},
    {"coltitles", ControlKind::checkBox, options, freqColumnHeadings, 0, 22},
    {"category", ControlKind::checkBox, options, freqLabelColumn, 0, 23},
    {"code", ControlKind::checkBox, options, freqValueColumn, 0, 24},
    {"number", ControlKind::checkBox, options, freqCountColumn, 0, 25},
    {"pctofall", ControlKind::checkBox, options, freqPercentColumn, 0, 26},
    {"pctofvalid", ControlKind::checkBox, options, freqValidColumn, 0, 27},
    {"accumtype", ControlKind::caption, options, 0, 0, 28},
    {"ofvalid", ControlKind::radioButton, options, cumulative, freqCumulativeColumn, 29},
    {"oftotal", ControlKind::radioButton, options, cumulative, cumulative, 30},
    // "None" clears only the cumulate bit: the of-all choice is kept for later.
    {"notused", ControlKind::radioButton, options, freqCumulativeColumn, 0, 31},
    {"sorting", ControlKind::caption, options, 0, 0, 32},
    {"byvalue", ControlKind::radioButton, options, sortBits, freqSortByValue, 33},
    {"byfreq", ControlKind::radioButton, options, sortBits, 0, 34},
    {"byvalue_desc", ControlKind::radioButton, options, sortBits, sortBits, 35},
    {"byfreq_desc", ControlKind::radioButton, options, sortBits, freqSortDescending, 36},
    {"pr_colwid", ControlKind::caption, options, 0, 0, 37},
    {"stat", ControlKind::caption, options, 0, 0, 38},
    {"modus", ControlKind::checkBox, options, freqMode, 0, 39},
    {"median", ControlKind::checkBox, options, freqMedian, 0, 40},
    {"mean", ControlKind::checkBox, options, freqMean, 0, 42},
    {"spin_int_colwid", ControlKind::integer, TableOption::parameterField, 0, 0, 0},
};

} // namespace

const TableDescription FreqOption::description =
    DescribeTable("USE_ONEWAY_FREQ_OPTIONS", "FreqOption", textGroup, settings, controls);

FreqOption::FreqOption() : TableOption(description)
{}

ZafWindow *FreqOption::CreateOptionWindow()
{
    return new FrOptions;
}

void FreqOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(promptText, promptGroup), 1, -1);
}

bool FreqOption::Run()
{
    return AnalysisBook::RunBook(new FreqBook(this), variableListWord);
}
