// OnewayOption: the settings record of the two-way descriptives, the
// breakdown of an analysis variable by the groups of a break variable
// (registry entry "USE_TWOWAY_DESCRIP_CROSS", record name
// "USE_TWOWAY_DESCRIP_CROSS_OPTIONS"): three words kept in section
// "TableOptions":
//   display mask "BreakdownTableDisplay" (default 15: mean, N, sum,
//     minimum and maximum): the columns of the group table;
//   test mask "BreakdownStatistics" (default 0): the test blocks below it;
//   sort code "BreakdownSort" (default 128: by break value, ascending): one
//     key bit, plus 0x200 for descending order.
//
// Run makes the breakdown workbook (OnewayBook): a page for every pair of
// an analysis variable (list 0) and a break variable (list 1). The option
// window, OnewayOptionWindow, holds three groups side by side: the nine
// display boxes, the six test boxes and the nine sort radio buttons, with
// the "descending" box below the sort group.
//
// Ownership: the variable-list window owns the record until an OnewayBook
// takes it; the option frame owns the window.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

class OnewayOption : public TableOption
{
public:
    // Display mask bits (the table's columns).
    enum DisplayBit : unsigned long {
        showMean = 0x001,
        showCount = 0x002,
        showSum = 0x004,
        showMinMax = 0x008,
        showDeviation = 0x010,
        showInterval95 = 0x020,
        showInterval99 = 0x040,
        showMedian = 0x100,
        showQuartiles = 0x200,
    };
    // Test mask bits (the blocks after the table).
    enum TestBit : unsigned long {
        testAnova = 0x01,
        testSeparate = 0x02,
        testPooled = 0x04,
        testScheffe = 0x08,
        testsAsMatrix = 0x10,
        testLevene = 0x20,
    };
    static constexpr unsigned long defaultDisplay = 15, defaultTests = 0, defaultSort = 128;
    static constexpr int textGroup = 32;
    static const TableDescription description;

    OnewayOption();

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    long &displayMask = value[0];
    long &testMask = value[1];
    long &sortCode = value[2];
};

class OnewayOptionWindow : public TableOptionWindow
{
public:
    OnewayOptionWindow();
};
