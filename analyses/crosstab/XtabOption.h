// XtabOption: the settings record of the crosstab analysis: which tables are
// printed for each pair of variables (the table-type mask) and which test
// and measures of association follow them (the measure mask), with the
// column-width word of the base ("XTableWid", kept and saved; the table
// layout takes its widths from the labels).
//
// The settings live in section "TableOptions": "XTableOptions" (measure
// mask, default tablesOn), "XTableType" (table-type mask, default counts)
// and "XTableWid" (default 12). Bit tablesOn of the measure mask switches
// the tables on at all; no control shows it, so it keeps the loaded value.
//
// Texts: group xtabTextGroup of the language file (prompts, check boxes,
// titles, measure names). Lists: list 0 (text 3) gives the rows of the
// printed tables, list 1 (text 2) the columns; one page a pair, list-1
// variables outermost.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook (XTAB), which deletes it.
#pragma once

#include "shell/TableOption.h"

#include <cstdint>

// The language group of the crosstab's texts.
constexpr int xtabTextGroup = 9;

// Bits of the measure mask.
enum XtabMeasure : std::uint16_t {
    xtabChiSquare = 0x001,        // chi-square, its probability and df
    xtabPhi = 0x002,              // phi
    xtabCramersV = 0x004,         // Cramer's V
    xtabContingency = 0x008,      // contingency coefficient
    xtabTauA = 0x010,             // Kendall's tau-a
    xtabTauB = 0x020,             // Kendall's tau-b
    xtabTauC = 0x040,             // tau-c
    xtabGamma = 0x080,            // gamma
    xtabSomersSymmetric = 0x100,  // Somers' d, symmetric
    xtabSomersAsymmetric = 0x200, // Somers' d, the row variable dependent
    xtabTablesOn = 0x400          // the tables of the table-type mask are printed at all
};

// Bits of the table-type mask, in the order the tables are printed.
enum XtabTableType : std::uint16_t {
    xtabCounts = 0x01,               // counts
    xtabColumnPercent = 0x02,        // 100 x cell / column total
    xtabRowPercent = 0x04,           // 100 x cell / row total
    xtabTotalPercent = 0x08,         // 100 x cell / grand total
    xtabExpected = 0x10,             // expected counts
    xtabDeviation = 0x20,            // cell - expected count
    xtabStandardizedDeviation = 0x40 // (cell - expected) / sqrt(expected)
};

class XtabOption : public TableOption
{
public:
    static constexpr std::uint16_t defaultMeasureMask = xtabTablesOn;
    static constexpr std::uint16_t defaultTableTypeMask = xtabCounts;
    static constexpr long defaultWidth = 12;
    // The graph kind of the bar chart (the workbook's only graph tool).
    static constexpr int barChartKind = 0;
    // The value slots of the two masks.
    enum Field { measureField, tableTypeField };
    static const TableDescription description;

    // The defaults; the registry's factory (TableOption::Make) loads the settings.
    XtabOption();

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &measureMask = value[measureField];     // XtabMeasure bits
    long &tableTypeMask = value[tableTypeField]; // XtabTableType bits
};
