// ResplotOption: the option record of the regression book's residual plot:
// one display word (ResidualPlot::displayTitle, 0x100, the title) under key
// "Display" of section "ResPlot", default 0. It has no registry entry: the
// regression book makes it for its graph tool. ResplotOptionWindow shows
// the bit as one check box.
//
// Ownership: the regression book owns the record; the option frame owns
// the window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class ResplotOption : public GraphOption
{
public:
    static const TableDescription description;
    static constexpr unsigned long defaultWord = 0;

    ResplotOption();
    ZafWindow *CreateOptionWindow() override;
    // Nothing to run: the graph is drawn from the regression book.
    bool Run() override { return true; }

    long &displayWord = value[0];
};

class ResplotOptionWindow : public TableOptionWindow
{
public:
    ResplotOptionWindow();
};
