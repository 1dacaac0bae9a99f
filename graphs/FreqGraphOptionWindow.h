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

class FreqbarOptionWindow : public TableOptionWindow
{
public:
    FreqbarOptionWindow();
};

class FreqpieOptionWindow : public TableOptionWindow
{
public:
    FreqpieOptionWindow();
};
