// XtabbarOption: the option record of the crosstab's bar chart: one 32-bit
// display word under key "Display" of section "XtabBar" (default 0x680:
// vertical bars, grid lines, and bit 10, carried as loaded). Bits:
// XtabbarOption::DisplayBit. The figures follow the crosstab's own table
// when neither figure bit is set ("FigAsTab"). XtabbarOptionWindow shows it.
// Texts: group 6 of the language file.
//
// Ownership: the crosstab workbook owns one record for all its pages (its
// graph tool); the option frame owns the window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class XtabbarOption : public GraphOption
{
public:
    enum DisplayBit : unsigned long {
        displayGroupLines = 0x001, // a line element per group (no control sets it)
        displayStacked = 0x002,    // stacked bars; clear: side by side
        displayNumbers = 0x004,    // variable numbers ("V" and the number)
        displayCounts = 0x008,     // figures are counts
        displayPercents = 0x010,   // figures are percentages
        displayVertical = 0x080,   // vertical bars; clear: horizontal
        displayTitle = 0x100,      // the chart's title
        displayGrid = 0x200,       // grid lines on the value axis
        displayCarried = 0x400,    // carried as loaded
    };
    static constexpr unsigned long defaultWord = 0x680;
    static const TableDescription description;

    XtabbarOption();
    ZafWindow *CreateOptionWindow() override;

};

class XtabbarOptionWindow : public TableOptionWindow
{
public:
    XtabbarOptionWindow();
};
