// MatplotOption: the option record of the correlation book's matrix plot:
// one display word (Matrixplot::DisplayBit: 0x1 the variables' captions,
// 0x100 the title) under key "Display" of section "MatPlot", default 0. It
// has no registry entry: the correlation book makes it for its graph tool.
// MatplotOptionWindow shows the two bits as check boxes.
//
// Ownership: the correlation book owns the record; the option frame owns
// the window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class MatplotOption : public GraphOption
{
public:
    static const TableDescription description;
    static constexpr unsigned long defaultWord = 0;

    MatplotOption();
    ZafWindow *CreateOptionWindow() override;
    // Nothing to run: the graph is drawn from the correlation book.
    bool Run() override { return true; }

    long &displayWord = value[0];
};

class MatplotOptionWindow : public TableOptionWindow
{
public:
    MatplotOptionWindow();
    // The record's texts, and the captions box's text of the correlation's
    // group.
    void UpdateControls() override;
};
