// FreqGraphOptionWindow: the option windows of the frequency graphs, built in
// code with their controls at fixed places in mini-cells: FreqbarOptionWindow
// (what the bars show, their orientation and their figures) and
// FreqpieOptionWindow (what the pie shows). Which bit each control shows and
// which text of group 6 it takes are the control rows of the graph's record
// (FreqbarOption, FreqpieOption).
//
// Ownership: the option frame owns the window; the window owns its groups
// and controls (as a window owns its children).
#pragma once

#include "shell/TableOptionWindow.h"

class ZafGroup;

class FreqGraphOptionWindow : public TableOptionWindow
{
protected:
    using TableOptionWindow::TableOptionWindow;
    // A titled group in mini-cells, named, added to the window.
    ZafGroup *AddGroup(int left, int top, int width, int height, const char *name);
    // A check box or a radio button in mini-cells, named, in the group.
    void AddCheckBox(ZafGroup *group, int top, const char *name);
    void AddRadioButton(ZafGroup *group, int top, const char *name);
};

class FreqbarOptionWindow : public FreqGraphOptionWindow
{
public:
    FreqbarOptionWindow();
};

class FreqpieOptionWindow : public FreqGraphOptionWindow
{
public:
    FreqpieOptionWindow();
};
