// CorrOption: the settings record of the correlation analysis: the display
// word of its table (CORRWIN::DisplayBit: captions, full matrix,
// significance marks) and the missing-value mode (1 listwise, 2 pairwise).
// Settings in section "TableOptions": "CorrTableDisplay" (3 when the
// settings are not read, 7 when read without a stored value) and
// "CorrMissingDeletion" (default 1).
//
// Texts: group 35 (list prompt 12, check boxes 14 to 16), the missing-value
// group's of group 33 (34 to 36). One list: the variables of the matrix.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook (CorrBook), which deletes it.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

constexpr int corrTextGroup = 35;

class CorrOption : public TableOption
{
public:
    enum Field { displayField, missingField };
    static const TableDescription description;
    static constexpr long unloadedDisplay = 3, defaultDisplay = 7;

    CorrOption();
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &displayWord = value[displayField];
    long &missingMode = value[missingField];
};

// The option window, read from the UI data file
// (CorrOptionWindowDefinition); it also puts the missing-value group's texts
// of group 33 on their controls.
class CorrOptionWindow : public TableOptionWindow
{
public:
    static constexpr const char *windowName = "CorrOptionWindow";
    CorrOptionWindow() : TableOptionWindow(CorrOption::description, windowName) {}
    void UpdateControls() override;
};
