#include "analyses/paired/TtestParOption.h"

#include "analyses/paired/TtestParBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr auto box = ControlKind::checkBox, caption = ControlKind::caption;

const SettingRow settings[] = {
    {sectionTableOptions, "TtestTableDisplay", SettingStorage::u32, 0, ttestEverything, ttestEverything, 0,
     ttestEverything},
};

const ControlRow controls[] = {
    {"DesTitle", caption, 0, 0, 0, 6},
    {"DesMean", box, 0, ttestMean, 0, 7},
    {"DesStdDev", box, 0, ttestStdDev, 0, 8},
    {"DesStdErr", box, 0, ttestStdErr, 0, 9},
    {"DesVarlab", box, 0, ttestVariableLabel, 0, 10},
    {"StaTitle", caption, 0, 0, 0, 11},
    {"StaTValue", box, 0, ttestT, 0, 12},
    {"Sta1Tail", box, 0, ttestOneSided, 0, 13},
    {"Sta2Tail", box, 0, ttestTwoSided, 0, 14},
    {"StaCorr", box, 0, ttestCorrelation, 0, 15},
};

// Four check boxes down a group, 200 mini-cells wide, one a row of 7.
void FourBoxes(ZafWindow *group, const char *const (&names)[4])
{
    for (int i = 0; i < 4; ++i)
        OptionWindowBuilder::MiniCellCheckBox(group, 5, 7 * i, 200, 7, names[i]);
}

} // namespace

const TableDescription TtestParOption::description =
    DescribeTable("USE_TWOWAY_TTEST_OPTIONS", "ottstpar", ttestTextGroup, settings, controls);

TtestParOption::TtestParOption() : TableOption(description)
{}

ZafWindow *TtestParOption::CreateOptionWindow()
{
    return new TtestParOptionWindow;
}

void TtestParOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(1, ttestTextGroup), 1, -1);
    PassTextToVariableList(StatText(2, ttestTextGroup), 1, -1);
}

bool TtestParOption::Run()
{
    // A run that made no page answers false: an empty book is no result,
    // and the variable-list window then says the run failed.
    return AnalysisBook::RunBook(new TtestParBook(this), variableListWord);
}

TtestParOptionWindow::TtestParOptionWindow() : TableOptionWindow(TtestParOption::description, 27, 12)
{
    using B = OptionWindowBuilder;
    // Several choices at once, in the window and in each group.
    SetSelectionMode(1);
    ZafGroup *columns = B::MiniCellGroup(this, 5, 0, 214, 42, "DesTitle");
    ZafGroup *tests = B::MiniCellGroup(this, 5, 48, 214, 42, "StaTitle");
    for (ZafGroup *group : {columns, tests})
        group->SetSelectionMode(1);
    FourBoxes(columns, {"DesMean", "DesStdDev", "DesStdErr", "DesVarlab"});
    FourBoxes(tests, {"StaTValue", "Sta1Tail", "Sta2Tail", "StaCorr"});
}
