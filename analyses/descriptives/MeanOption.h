// MeanOption: the settings record of the one-way descriptives (registry
// entry "USE_ONEWAY_DESCRIP", record name "USE_ONEWAY_DESCRIP_OPTIONS"):
// the display mask, which statistics the table shows (MeanObj's bits,
// default 31: mean, N, sum, minimum and maximum, standard deviation), kept
// in section "TableOptions" under the key "Display" (the name stored
// settings use).
//
// Run makes the descriptives workbook (MeanBook): one page per variable of
// the first variable list. The option window, MeanOptionWindow, holds the
// ten check boxes "DIS_..." of the bits, built in code in mini-cells.
//
// Ownership: the variable-list window owns the record until a MeanBook
// takes it; the option frame owns the window.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

class MeanOption : public TableOption
{
public:
    static constexpr unsigned long defaultMask = 31;
    static constexpr const char *maskKey = "Display";
    static const TableDescription description;

    MeanOption();

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &displayMask = value[0];
};

class MeanOptionWindow : public TableOptionWindow
{
public:
    MeanOptionWindow();
};
