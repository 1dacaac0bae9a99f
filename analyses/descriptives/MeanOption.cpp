#include "analyses/descriptives/MeanOption.h"

#include "analyses/descriptives/MeanBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

#include <string>

namespace {

constexpr int textGroup = 32;
constexpr int promptText = 7;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, MeanOption::maskKey, SettingStorage::u32, 0, MeanOption::defaultMask, MeanOption::defaultMask,
     0, 0x3FF},
};

// In the order of the keyboard focus: mean, N, minimum and maximum, sum,
// standard deviation, skewness, 95 %, 99 %, median, quartiles.
const ControlRow controls[] = {
    {"DIS_MEAN", box, 0, 0x001, 0, 71},      {"DIS_N", box, 0, 0x002, 0, 72},
    {"DIS_MINMAX", box, 0, 0x008, 0, 73},    {"DIS_SUM", box, 0, 0x004, 0, 74},
    {"DIS_STDDEV", box, 0, 0x010, 0, 75},    {"DIS_SKEWNESS", box, 0, 0x080, 0, 78},
    {"DIS_CONFINT95", box, 0, 0x020, 0, 76}, {"DIS_CONFINT99", box, 0, 0x040, 0, 77},
    {"DIS_MEDIAN", box, 0, 0x100, 0, 79},    {"DIS_PCT", box, 0, 0x200, 0, 80},
};

// Where each box stands: ten rows of 8 mini-cells from the top, in this
// order of the names.
const char *const rows[] = {"DIS_MEAN",      "DIS_N",         "DIS_MINMAX",   "DIS_SUM",    "DIS_STDDEV",
                            "DIS_CONFINT95", "DIS_CONFINT99", "DIS_SKEWNESS", "DIS_MEDIAN", "DIS_PCT"};

} // namespace

const TableDescription MeanOption::description =
    DescribeTable("USE_ONEWAY_DESCRIP_OPTIONS", "ODeskriptEnveis", textGroup, settings, controls);

MeanOption::MeanOption() : TableOption(description)
{}

ZafWindow *MeanOption::CreateOptionWindow()
{
    return new MeanOptionWindow;
}

void MeanOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(promptText, textGroup), 1, -1);
}

bool MeanOption::Run()
{
    return AnalysisBook::RunBook(new MeanBook(this), variableListWord);
}

MeanOptionWindow::MeanOptionWindow() : TableOptionWindow(MeanOption::description, 26, 9)
{
    // Added in the order of the keyboard focus, placed by their rows.
    // 240 mini-cells wide, so that the longer texts ("95% confidence
    // interval") show whole; the window's right edge (260) still holds them.
    for (const ControlRow &control : controls) {
        int row = 0;
        while (std::string(rows[row]) != control.name)
            ++row;
        OptionWindowBuilder::MiniCellCheckBox(this, 10, 8 + 8 * row, 240, 10, control.name);
    }
}
