#include "graphs/Desk2grafOption.h"

#include "dataset/RegistrySettings.h"
#include "graphs/Desk2Graph.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr int textGroup = 32;
constexpr auto check = ControlKind::checkBox;
constexpr auto radio = ControlKind::radioButton;
constexpr long maximumMask = 0x7FF;

#define DESK2_COMMON_CONTROLS                                                                                          \
    {"DisTitle", ControlKind::caption, 0, 0, 0, 109}, {"GrType", check, 0, Desk2Graph::graphTitle, 0, 113},           \
        {"BrLab", check, 0, Desk2Graph::graphBreakSubtitle, 0, 114},                                                   \
        {"Grids", check, 0, Desk2Graph::graphGrid, 0, 115}, {"Orient", ControlKind::caption, 0, 0, 0, 118},            \
        {"Hori", radio, 0, Desk2Graph::graphVertical, 0, 119},                                                         \
        {"Vert", radio, 0, Desk2Graph::graphVertical, Desk2Graph::graphVertical, 120}

const ControlRow barControls[] = {DESK2_COMMON_CONTROLS,
                                  {"Numbers", check, 0, Desk2Graph::graphNumbers, 0, 116},
                                  {"Origo", check, 0, Desk2Graph::graphOrigin, 0, 121}};
const ControlRow boxControls[] = {DESK2_COMMON_CONTROLS, {"Extreme", check, 0, Desk2Graph::graphExtremes, 0, 117}};
const ControlRow plainControls[] = {DESK2_COMMON_CONTROLS};

const SettingRow barSettings[] = {{sectionTableOptions, "BreakdownBargraph", SettingStorage::u32, 0, 577, 577, 0,
                                   maximumMask}};
const SettingRow boxSettings[] = {{sectionTableOptions, "BreakdownBoxgraph", SettingStorage::u32, 0, 579, 579, 0,
                                   maximumMask}};
const SettingRow confintSettings[] = {{sectionTableOptions, "BreakdownConfintgraph", SettingStorage::u32, 0, 577, 577,
                                       0, maximumMask}};
const SettingRow barcodeSettings[] = {{sectionTableOptions, "BreakdownBarcodegraph", SettingStorage::u32, 0, 577, 577,
                                       0, maximumMask}};

} // namespace

const TableDescription Desk2grafBarOption::description =
    DescribeTable(nullptr, "ODeskriptToveis", textGroup, barSettings, barControls);
const TableDescription Desk2grafBoxOption::description =
    DescribeTable(nullptr, "ODeskriptToveis", textGroup, boxSettings, boxControls);
const TableDescription Desk2grafConfintOption::description =
    DescribeTable(nullptr, "ODeskriptToveis", textGroup, confintSettings, plainControls);
const TableDescription Desk2grafBarcodeOption::description =
    DescribeTable(nullptr, "ODeskriptToveis", textGroup, barcodeSettings, plainControls);

Desk2grafOption::Desk2grafOption(int graphKind, const TableDescription &description)
    : GraphOption(description), kind(graphKind)
{}

ZafWindow *Desk2grafOption::CreateOptionWindow()
{
    return new Desk2grafOptionWindow(kind, Description());
}

Desk2grafBarOption::Desk2grafBarOption() : Desk2grafOption(bar, description)
{}
Desk2grafBoxOption::Desk2grafBoxOption() : Desk2grafOption(box, description)
{}
Desk2grafConfintOption::Desk2grafConfintOption() : Desk2grafOption(confint, description)
{}
Desk2grafBarcodeOption::Desk2grafBarcodeOption() : Desk2grafOption(barcode, description)
{}

Desk2grafOptionWindow::Desk2grafOptionWindow(int kind, const TableDescription &description)
    : TableOptionWindow(description, 36, 13)
{
    // The check boxes of the kind: the bar graph has five, the box graph
    // four, the others three. Groups 330 wide and boxes 315: at 264 and 250
    // (175 pixels) "Subtitle with the break variable" (181) and "Bars
    // start at the mean of all cases" (197) are cut.
    const char *boxes[5] = {"GrType", "BrLab", "Grids", nullptr, nullptr};
    int n = 3;
    if (kind == Desk2grafOption::bar)
        boxes[3] = "Numbers", boxes[4] = "Origo", n = 5;
    else if (kind == Desk2grafOption::box)
        boxes[3] = "Extreme", n = 4;
    ZafGroup *show = OptionWindowBuilder::MiniCellGroup(this, 15, 5, 330, (n + 2) * 7, "DisTitle");
    for (int row = 0; row < n; ++row)
        OptionWindowBuilder::MiniCellCheckBox(show, 5, 7 * row, 315, 7, boxes[row]);
    ZafGroup *orient = OptionWindowBuilder::MiniCellGroup(this, 15, (n + 2) * 7 + 12, 330, 28, "Orient");
    OptionWindowBuilder::MiniCellRadioButton(orient, 5, 0, 315, 7, "Hori");
    OptionWindowBuilder::MiniCellRadioButton(orient, 5, 7, 315, 7, "Vert");
}
