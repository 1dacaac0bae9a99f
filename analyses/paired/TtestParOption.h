// TtestParOption: the settings record of the paired t-test: which columns
// and lines its table shows (the display mask, low 8 bits), kept as
// "TtestTableDisplay" of section "TableOptions" (default 255: everything).
// Texts: group 38 (prompts, window); the table's own texts are group 37.
// Lists: every variable of list 0 is paired with every variable of list 1,
// one page a pair (TtestParBook).
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook, which deletes it. The option frame owns the
// window (TtestParOptionWindow).
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

// The language groups of the paired t-test: the front end and the table.
constexpr int ttestTextGroup = 38;
constexpr int ttestTableTextGroup = 37;

// Bits of the display mask.
enum TtestDisplay : unsigned long {
    ttestMean = 0x01,           // mean column
    ttestStdDev = 0x02,         // standard deviation column
    ttestStdErr = 0x04,         // standard error column
    ttestVariableLabel = 0x08,  // the variable's caption after its line
    ttestT = 0x10,              // the t line (and the p lines below)
    ttestOneSided = 0x20,       // one-sided p (with ttestT only)
    ttestTwoSided = 0x40,       // two-sided p (with ttestT only)
    ttestCorrelation = 0x80,    // r, its t and its p
    ttestEverything = 0xff
};

class TtestParOption : public TableOption
{
public:
    static const TableDescription description;

    TtestParOption();

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &displayMask = value[0]; // TtestDisplay bits
};

// The option window: two groups of four check boxes, the descriptive
// columns and the test lines.
class TtestParOptionWindow : public TableOptionWindow
{
public:
    TtestParOptionWindow();
};
