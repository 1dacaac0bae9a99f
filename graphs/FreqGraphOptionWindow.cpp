#include "graphs/FreqGraphOptionWindow.h"

#include "graphs/FreqGraphOption.h"
#include "zaf/core/ZafGroup.h"

namespace {

// Every control is 200 mini-cells wide and 7 high, 5 in from its group.
constexpr int controlLeft = 5, controlWidth = 200, controlHeight = 7;

} // namespace

ZafGroup *FreqGraphOptionWindow::AddGroup(int left, int top, int width, int height, const char *name)
{
    auto *group = new ZafGroup(left, top, width, height, name);
    group->SetCoordinateType(ZAF_MINI_CELL);
    group->SetStringID(name);
    AddObject(group);
    return group;
}

void FreqGraphOptionWindow::AddCheckBox(ZafGroup *group, int top, const char *name)
{
    group->AddObject(new OpButton(controlLeft, top, controlWidth, controlHeight, name, name));
}

void FreqGraphOptionWindow::AddRadioButton(ZafGroup *group, int top, const char *name)
{
    group->AddObject(new RadioButton(controlLeft, top, controlWidth, controlHeight, name, name));
}

// --- The two windows -----------------------------------------------------------------

FreqbarOptionWindow::FreqbarOptionWindow()
    : FreqGraphOptionWindow(FreqbarOption::description, 24, 11)
{
    ZafGroup *show = AddGroup(15, 5, 214, 35, "DisTitle");
    AddCheckBox(show, 0, "DisNumbers");
    AddCheckBox(show, 7, "DisType");
    AddCheckBox(show, 14, "DisGrids");
    ZafGroup *orientation = AddGroup(15, 43, 214, 28, "Orient");
    AddRadioButton(orientation, 0, "Hori");
    AddRadioButton(orientation, 7, "Vert");
    ZafGroup *figures = AddGroup(15, 74, 214, 28, "FigType");
    AddRadioButton(figures, 0, "FigPerc");
    AddRadioButton(figures, 7, "FigRaw");
}

FreqpieOptionWindow::FreqpieOptionWindow()
    : FreqGraphOptionWindow(FreqpieOption::description, 24, 5)
{
    // Departure: 35 high, as the bar window's group of three check boxes; at
    // 28 the group's title row leaves no room for the third one.
    ZafGroup *show = AddGroup(15, 5, 214, 35, "DisTitle");
    AddCheckBox(show, 0, "DisNumbers");
    AddCheckBox(show, 7, "DisType");
    AddCheckBox(show, 14, "LabOnPie");
}
