// BattFreqOption: the settings record of the battery frequencies (a row of
// items sharing one set of answer categories shown in one table, one row
// per item and one column per category), from the Analyses menu
// ("USE_BATTFREQ"). Its one word says which lines the table has (counts,
// valid percent, percent of all), whether column sums and the row-sum
// column "N=" follow, and whether each kind gets a table of its own.
//
// The word lives in section "TableOptions", key "BattFreqTableOptions",
// default 7 (counts, valid percent and percent of all in one table). Its
// option window is "BattfreqOptions" of the UI data file
// (BattFreqOptionWindowDefinition); texts from group 5, the list prompt
// text 77 of group 1.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook (BattFreqBook), which deletes it.
#pragma once

#include "shell/TableOptionWindow.h"
#include "shell/TableOption.h"

#include <cstdint>

// Bits of the table-options word.
enum BattFreqTableOption : std::uint16_t {
    battCounts = 0x01,       // count lines
    battValidPercent = 0x02, // valid-percent lines
    battPercent = 0x04,      // percent-of-all lines
    battColumnSums = 0x08,   // column-sum lines under each table
    battRowSums = 0x10,      // the row-sum column "N="
    battSeparate = 0x20      // one table per kind instead of one combined table
};

class BattFreqOptionWindow : public TableOptionWindow
{
public:
    BattFreqOptionWindow();
};

class BattFreqOption : public TableOption
{
public:
    static constexpr const char *windowName = "BattfreqOptions";
    static constexpr int textGroup = 5;
    static constexpr long defaultOptions = battCounts | battValidPercent | battPercent;
    static const TableDescription description;

    BattFreqOption();
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &tableOptions = value[0]; // BattFreqTableOption bits
};
