#include "graphs/Desk1grafOption.h"

#include "dataset/RegistrySettings.h"
#include "graphs/Desk1Graph.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr int textGroup = 32;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, Desk1grafOption::maskKey, SettingStorage::u32, 0, Desk1Graph::defaultMask,
     Desk1Graph::defaultMask, 0, 0xFFFF},
};

const ControlRow controls[] = {
    {"DisTitle", ControlKind::caption, 0, 0, 0, 109},
    {"DisNormal", box, 0, Desk1Graph::graphNormalCurve, 0, 110},
    {"DisBox", box, 0, Desk1Graph::graphBox, 0, 111},
    {"DisBarcode", box, 0, Desk1Graph::graphBarCode, 0, 112},
};

} // namespace

const TableDescription Desk1grafOption::description =
    DescribeTable(nullptr, "ODeskriptEnveis", textGroup, settings, controls);

Desk1grafOption::Desk1grafOption() : GraphOption(description)
{}

ZafWindow *Desk1grafOption::CreateOptionWindow()
{
    return new Desk1grafOptionWindow;
}

Desk1grafOptionWindow::Desk1grafOptionWindow() : TableOptionWindow(Desk1grafOption::description, 28, 5)
{
    // The group is 35 mini-cells high and the window 24 x 5 cells: at 28
    // the group's title row would leave the third check box outside it.
    ZafGroup *show = OptionWindowBuilder::MiniCellGroup(this, 15, 5, 254, 35, "DisTitle");
    const char *boxes[] = {"DisNormal", "DisBox", "DisBarcode"};
    for (int row = 0; row < 3; ++row)
        OptionWindowBuilder::MiniCellCheckBox(show, 5, 7 * row, 240, 7, boxes[row]);
}
