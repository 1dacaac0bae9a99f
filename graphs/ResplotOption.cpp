#include "graphs/ResplotOption.h"

#include "dataset/RegistrySettings.h"
#include "graphs/ResidualPlot.h"
#include "shell/OptionWindowBuilder.h"

namespace {

constexpr int textGroup = 40;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionResPlot, "Display", SettingStorage::u32, 0, ResplotOption::defaultWord, ResplotOption::defaultWord, 0,
     ResidualPlot::displayTitle},
};

const ControlRow controls[] = {
    {"DisTitle", box, 0, ResidualPlot::displayTitle, 0, 6},
};

} // namespace

const TableDescription ResplotOption::description = DescribeTable(nullptr, "resplot", textGroup, settings, controls);

ResplotOption::ResplotOption() : GraphOption(description)
{}

ZafWindow *ResplotOption::CreateOptionWindow()
{
    return new ResplotOptionWindow;
}

ResplotOptionWindow::ResplotOptionWindow() : TableOptionWindow(ResplotOption::description, 26, 3)
{
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 8, 200, 10, "DisTitle");
}
