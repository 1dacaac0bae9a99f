#include "graphs/FreqGraphOptionWindow.h"

#include "graphs/FreqGraphOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"

namespace {

using B = OptionWindowBuilder;

// Every control is 200 mini-cells wide and 7 high, 5 in from its group, one
// a row of 7.
void CheckBox(ZafWindow *group, int row, const char *name)
{
    B::MiniCellCheckBox(group, 5, 7 * row, 200, 7, name);
}

void Radio(ZafWindow *group, int row, const char *name)
{
    B::MiniCellRadioButton(group, 5, 7 * row, 200, 7, name);
}

} // namespace

FreqbarOptionWindow::FreqbarOptionWindow() : TableOptionWindow(FreqbarOption::description, 24, 11)
{
    ZafGroup *show = B::MiniCellGroup(this, 15, 5, 214, 35, "DisTitle");
    CheckBox(show, 0, "DisNumbers");
    CheckBox(show, 1, "DisType");
    CheckBox(show, 2, "DisGrids");
    ZafGroup *orientation = B::MiniCellGroup(this, 15, 43, 214, 28, "Orient");
    Radio(orientation, 0, "Hori");
    Radio(orientation, 1, "Vert");
    ZafGroup *figures = B::MiniCellGroup(this, 15, 74, 214, 28, "FigType");
    Radio(figures, 0, "FigPerc");
    Radio(figures, 1, "FigRaw");
}

FreqpieOptionWindow::FreqpieOptionWindow() : TableOptionWindow(FreqpieOption::description, 24, 5)
{
    // 35 high, as the bar window's group of three check boxes; at 28 the
    // group's title row would leave no room for the third one.
    ZafGroup *show = B::MiniCellGroup(this, 15, 5, 214, 35, "DisTitle");
    CheckBox(show, 0, "DisNumbers");
    CheckBox(show, 1, "DisType");
    CheckBox(show, 2, "LabOnPie");
}
