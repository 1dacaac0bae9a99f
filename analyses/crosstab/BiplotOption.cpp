#include "analyses/crosstab/BiplotOption.h"

#include "analyses/crosstab/BiplotBook.h"
#include "dataset/RegistrySettings.h"
#include "graphs/BiplotInteractive.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

constexpr auto box = ControlKind::checkBox;
constexpr int titleText = 20, titleGroup = 1;

const SettingRow settings[] = {
    {sectionBiplot, "Display", SettingStorage::u32, 0, BiplotOption::defaultDisplay, BiplotOption::defaultDisplay, 0,
     0xffff},
};

const ControlRow controls[] = {
    {"DisGtype", box, 0, BiplotInteractive::displayTitle, 0, 6},
    {"DisReg", box, 0, BiplotInteractive::displayLine, 0, 3},
    {"DisGrids", box, 0, BiplotInteractive::displayGrid, 0, 4},
};

} // namespace

const TableDescription BiplotOption::description =
    DescribeTable("USE_TWOWAY_BIPLOT_OPTIONS", "BiplotInteractive", biplotTextGroup, settings, controls);

BiplotOption::BiplotOption() : TableOption(description)
{}

ZafWindow *BiplotOption::CreateOptionWindow()
{
    return new BiplotOptionWindow;
}

void BiplotOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(0, biplotTextGroup), 1, -1);
    PassTextToVariableList(StatText(1, biplotTextGroup), 1, -1);
}

bool BiplotOption::Run()
{
    // A book without pages is no result: with no x or no y variable chosen
    // Run answers false and no workbook is shown, so that the variable-list
    // window does not report an empty book as a run that worked.
    return AnalysisBook::RunBook(new BiplotBook(this), variableListWord);
}

// 4 cells high: at 32 mini-cells the third box (24 down, 10 high) would be
// cut off.
BiplotOptionWindow::BiplotOptionWindow() : TableOptionWindow(BiplotOption::description, 42, 4)
{
    SetText(StatText(titleText, titleGroup));
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 8, 200, 10, "DisGtype");
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 16, 200, 10, "DisReg");
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 24, 200, 10, "DisGrids");
}
