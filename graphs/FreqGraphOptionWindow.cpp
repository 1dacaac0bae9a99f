#include "graphs/FreqGraphOptionWindow.h"

#include "graphs/FREQGRAPH.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGroup.h"

#include <iterator>

namespace {

constexpr const char *sourceName = "Ofrgraph";
constexpr int textGroup = 6;
// Every control is 200 mini-cells wide and 7 high, 5 in from its group.
constexpr int controlLeft = 5, controlWidth = 200, controlHeight = 7;

const FreqGraphOptionWindow::Control barControls[] = {
    {"DisTitle", 0, false, 18},
    {"DisNumbers", FREQGRAPH::optionNumbers, false, 19},
    {"DisType", FREQGRAPH::optionCaption, false, 20},
    {"DisGrids", FREQGRAPH::optionGrid, false, 21},
    {"Orient", 0, false, 27},
    {"Hori", FREQGRAPH::optionVertical, true, 28},
    {"Vert", FREQGRAPH::optionVertical, false, 29},
    {"FigType", 0, false, 30},
    {"FigPerc", FREQGRAPH::optionRaw, true, 31},
    {"FigRaw", FREQGRAPH::optionRaw, false, 32},
};

const FreqGraphOptionWindow::Control pieControls[] = {
    {"DisTitle", 0, false, 18},
    {"DisNumbers", FREQGRAPH::optionNumbers, false, 19},
    {"DisType", FREQGRAPH::optionCaption, false, 20},
    {"LabOnPie", FREQGRAPH::optionLabelsOnPie, false, 23},
};

} // namespace

FreqGraphOptionWindow::FreqGraphOptionWindow(int width, int height, const Control *table, int count)
    : OptionWindow(width, height), controls(table), controlCount(count)
{}

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

void FreqGraphOptionWindow::UpdateControls()
{
    for (int i = 0; i < controlCount; ++i)
        if (ZafWindowObject *control = FindControl(controls[i].name, sourceName, __LINE__))
            control->SetText(StatText(controls[i].text, textGroup));
}

void FreqGraphOptionWindow::ShowWord(unsigned long word)
{
    for (int i = 0; i < controlCount; ++i) {
        const Control &c = controls[i];
        if (!c.bit)
            continue;
        if (ZafWindowObject *control = FindControl(c.name, sourceName, __LINE__))
            control->SetSelected(((word & c.bit) != 0) != c.inverted);
    }
}

unsigned long FreqGraphOptionWindow::TakeWord(unsigned long word)
{
    for (int i = 0; i < controlCount; ++i) {
        const Control &c = controls[i];
        if (!c.bit)
            continue;
        ZafWindowObject *control = FindControl(c.name, sourceName, __LINE__);
        if (!control)
            continue;
        if (control->Selected() != c.inverted)
            word |= c.bit;
        else
            word &= ~c.bit;
    }
    return word;
}

void FreqGraphOptionWindow::ToWindow(ZafWindow *window, unsigned long word)
{
    if (auto *options = dynamic_cast<FreqGraphOptionWindow *>(window))
        options->ShowWord(word);
}

unsigned long FreqGraphOptionWindow::FromWindow(ZafWindow *window, unsigned long word)
{
    auto *options = dynamic_cast<FreqGraphOptionWindow *>(window);
    return options ? options->TakeWord(word) : word;
}

// --- The two windows -----------------------------------------------------------------

FreqbarOptionWindow::FreqbarOptionWindow()
    : FreqGraphOptionWindow(24, 11, barControls, static_cast<int>(std::size(barControls)))
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
    : FreqGraphOptionWindow(24, 5, pieControls, static_cast<int>(std::size(pieControls)))
{
    // Departure: 35 high, as the bar window's group of three check boxes; at
    // 28 the group's title row leaves no room for the third one.
    ZafGroup *show = AddGroup(15, 5, 214, 35, "DisTitle");
    AddCheckBox(show, 0, "DisNumbers");
    AddCheckBox(show, 7, "DisType");
    AddCheckBox(show, 14, "LabOnPie");
}
