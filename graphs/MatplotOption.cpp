#include "graphs/MatplotOption.h"

#include "dataset/RegistrySettings.h"
#include "graphs/Matrixplot.h"
#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "shell/FindNamedControl.h"
#include "zaf/controls/ZafButton.h"

namespace {

constexpr int textGroup = 40;
constexpr int captionsText = 14, captionsGroup = 35;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionMatPlot, "Display", SettingStorage::u32, 0, MatplotOption::defaultWord, MatplotOption::defaultWord, 0,
     Matrixplot::displayCaptions | Matrixplot::displayTitle},
};

const ControlRow controls[] = {
    {"DisTitle", box, 0, Matrixplot::displayTitle, 0, 6},
    {"DisLab", box, 0, Matrixplot::displayCaptions, 0, 0},
};

} // namespace

const TableDescription MatplotOption::description = DescribeTable(nullptr, "omatplot", textGroup, settings, controls);

MatplotOption::MatplotOption() : GraphOption(description)
{}

ZafWindow *MatplotOption::CreateOptionWindow()
{
    return new MatplotOptionWindow;
}

MatplotOptionWindow::MatplotOptionWindow() : TableOptionWindow(MatplotOption::description, 24, 3)
{
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 2, 200, 10, "DisTitle");
    OptionWindowBuilder::MiniCellCheckBox(this, 10, 13, 200, 10, "DisLab");
}

void MatplotOptionWindow::UpdateControls()
{
    TableOptionWindow::UpdateControls();
    if (auto *captions = FindNamedControl<ZafButton>(this, "DisLab", "omatplot", __LINE__))
        captions->SetText(StatText(captionsText, captionsGroup));
}
