#include "analyses/crosstab/XtabbarOption.h"

#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"

namespace {

using X = XtabbarOption;
constexpr auto box = ControlKind::checkBox, radio = ControlKind::radioButton, caption = ControlKind::caption;
constexpr unsigned long figures = X::displayCounts | X::displayPercents;

const SettingRow settings[] = {
    {sectionXtabBar, "Display", SettingStorage::u32, 0, X::defaultWord, X::defaultWord, 0, 0xffff},
};

const ControlRow controls[] = {
    {"DisTitle", caption, 0, 0, 0, 18},
    {"DisType", box, 0, X::displayTitle, 0, 20},
    {"DisGrids", box, 0, X::displayGrid, 0, 21},
    {"DisVarnr", box, 0, X::displayNumbers, 0, 22},
    {"GtTitle", caption, 0, 0, 0, 24},
    {"GtStack", radio, 0, X::displayStacked, X::displayStacked, 25},
    {"GtSide", radio, 0, X::displayStacked, 0, 26},
    {"Orient", caption, 0, 0, 0, 27},
    {"Hori", radio, 0, X::displayVertical, 0, 28},
    {"Vert", radio, 0, X::displayVertical, X::displayVertical, 29},
    {"FigType", caption, 0, 0, 0, 30},
    {"FigPerc", radio, 0, figures, X::displayPercents, 31},
    {"FigRaw", radio, 0, figures, X::displayCounts, 32},
    {"FigAsTab", radio, 0, figures, 0, 33},
};

using B = OptionWindowBuilder;

// Every control is 200 mini-cells wide and 7 high, 5 in from its group, one
// a row of 7.
void Boxes(ZafWindow *group, std::initializer_list<const char *> names)
{
    int row = 0;
    for (const char *name : names)
        B::MiniCellCheckBox(group, 5, 7 * row++, 200, 7, name);
}

void Choice(ZafWindow *group, std::initializer_list<const char *> names)
{
    int row = 0;
    for (const char *name : names)
        B::MiniCellRadioButton(group, 5, 7 * row++, 200, 7, name);
}

} // namespace

const TableDescription XtabbarOption::description = DescribeTable(nullptr, "oxtabgr", 6, settings, controls);

XtabbarOption::XtabbarOption() : GraphOption(description)
{}

ZafWindow *XtabbarOption::CreateOptionWindow()
{
    return new XtabbarOptionWindow;
}

XtabbarOptionWindow::XtabbarOptionWindow() : TableOptionWindow(XtabbarOption::description, 48, 9)
{
    Boxes(B::MiniCellGroup(this, 15, 5, 214, 35, "DisTitle"), {"DisType", "DisGrids", "DisVarnr"});
    Choice(B::MiniCellGroup(this, 15, 43, 214, 28, "GtTitle"), {"GtStack", "GtSide"});
    Choice(B::MiniCellGroup(this, 249, 5, 214, 28, "Orient"), {"Hori", "Vert"});
    Choice(B::MiniCellGroup(this, 249, 36, 214, 35, "FigType"), {"FigPerc", "FigRaw", "FigAsTab"});
}
