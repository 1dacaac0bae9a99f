// FreqOption: the settings record of the frequency table (registry entry
// "USE_ONEWAY_FREQ", record name "USE_ONEWAY_FREQ_OPTIONS"): the table
// options, a bit set of what the table shows and how its rows are sorted,
// and the width of the numeric columns (kept in the base's parameterWord).
// Both are settings of section "TableOptions": "FreqTableOptions" (default
// 639) and "FreqTabWid" (default 11).
//
// Run makes the frequency workbook (FreqBook): one page per variable of the
// first variable list, each with its distribution and table text; variables
// with too many distinct values are first offered for grouping into
// intervals (the auto-recode offer, AnalysisBook).
//
// The option window, FrOptions, is "FreqOptionWindow" of the UI data file; the
// settings and controls are the rows in FreqOption.cpp.
//
// Ownership: the variable-list window owns the record until a FreqBook
// takes it; the record owns nothing but its name.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

// Bits of the table options.
enum FreqTableOption : unsigned short {
    freqHeading = 0x0001,          // "v" + variable number + the variable's caption
    freqLabelColumn = 0x0002,      // the category labels
    freqValueColumn = 0x0004,      // the values (codes)
    freqCountColumn = 0x0008,      // the frequencies
    freqPercentColumn = 0x0010,    // percent of all cases
    freqValidColumn = 0x0020,      // percent of the valid cases
    freqColumnHeadings = 0x0040,   // the heading line and the rules
    freqCumulativeColumn = 0x0080, // cumulative percent
    freqCumulateAll = 0x0100,      // cumulate percent of all (set) or the valid percent (clear)
    freqSortByValue = 0x0200,      // by value (set) or by frequency (clear)
    freqSortDescending = 0x0400,   // descending (set) or ascending (clear)
    freqMode = 0x0800,             // the mode line
    freqMean = 0x1000,             // the mean line
    freqMedian = 0x2000,           // the median lines
};

class FreqOption : public TableOption
{
public:
    static constexpr unsigned short defaultOptions = 639; // heading, five columns, headings, by value ascending
    static constexpr long defaultColumnWidth = 11;
    static constexpr const char *optionsKey = "FreqTableOptions";
    static constexpr const char *widthKey = "FreqTabWid";
    static constexpr const char *windowName = "FreqOptionWindow";
    static const TableDescription description;

    // The defaults; the registry's factory (TableOption::Make) loads the settings.
    FreqOption();

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long ColumnWidth() const { return parameterWord; }
    void SetColumnWidth(long width) { parameterWord = width; }

    long &tableOptions = value[0]; // FreqTableOption bits
};

// FrOptions: the frequency table's option window, "FreqOptionWindow" of the
// UI data file, with the controls of FreqOption's rows.
class FrOptions : public TableOptionWindow
{
public:
    FrOptions() : TableOptionWindow(FreqOption::description, FreqOption::windowName) {}
};
