// BiplotOption: the settings record of the biplot: the graph's display word
// (BiplotInteractive::DisplayBit: 0x20 the least-squares line, 0x100 the
// title, 0x200 grid lines) under key "Display" of section "Biplot", default
// 544 (line and grid). Two lists: the x variables, then the y variables;
// one page a pair, x outermost.
//
// The page text is written once, when the book is built; the graph reads
// the word at each build, so changed options show in graphs built later.
//
// Texts: group 40 (prompts 0 and 1, check boxes 3, 4 and 6), the window's
// title text 20 of group 1.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook (BiplotBook), which deletes it.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

constexpr int biplotTextGroup = 40;

class BiplotOption : public TableOption
{
public:
    static const TableDescription description;
    static constexpr long defaultDisplay = 544;

    BiplotOption();
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &displayWord = value[0];
};

class BiplotOptionWindow : public TableOptionWindow
{
public:
    BiplotOptionWindow();
};
