#include "analyses/frequencies/BattFreqOption.h"

#include "analyses/frequencies/BattFreqBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, "BattFreqTableOptions", SettingStorage::u16, 0, BattFreqOption::defaultOptions,
     BattFreqOption::defaultOptions, 0, 0x3f},
};

const ControlRow controls[] = {
    {"bf_tabletypes", ControlKind::caption, 0, 0, 0, 45}, {"bf_rawnum", box, 0, battCounts, 0, 46},
    {"bf_pctvalid", box, 0, battValidPercent, 0, 47},     {"bf_pctall", box, 0, battPercent, 0, 48},
    {"bf_sums", ControlKind::caption, 0, 0, 0, 49},       {"bf_rowsums", box, 0, battRowSums, 0, 50},
    {"bf_colsums", box, 0, battColumnSums, 0, 51},        {"bf_separate", box, 0, battSeparate, 0, 56},
};

} // namespace

const TableDescription BattFreqOption::description =
    DescribeTable("USE_BATTFREQ_OPTIONS", "BattFreqOption", BattFreqOption::textGroup, settings, controls);

BattFreqOptionWindow::BattFreqOptionWindow()
    : TableOptionWindow(BattFreqOption::description, BattFreqOption::windowName)
{}

BattFreqOption::BattFreqOption() : TableOption(description)
{}

ZafWindow *BattFreqOption::CreateOptionWindow()
{
    return new BattFreqOptionWindow;
}

void BattFreqOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(77, analysisTextGroup), 1, -1);
}

bool BattFreqOption::Run()
{
    return AnalysisBook::RunBook(new BattFreqBook(this), variableListWord);
}
