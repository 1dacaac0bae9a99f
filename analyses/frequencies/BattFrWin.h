// BattFrWin: the text of the battery frequencies: one row per item and one
// column per category of the first item (the reference), with the count,
// percent-of-all and valid-percent lines the record asks for, in one
// combined table or one table per kind, optionally with the row-sum column
// "N=" and the column-sum lines; the items that could not be tabulated are
// listed after the tables, then the filter note.
//
// Items are aligned with the reference by category value, not by position:
// a category the item never took counts 0 under the reference's column.
// An item that has a code the reference lacks cannot be aligned and is
// listed under the left-out items, never printed under another item's
// columns; matching by the number of categories alone would print an item
// with other codes under the wrong columns.
//
// A percentage whose base is 0 (an item no case answered, a grand total of
// 0) prints the not-computed mark, as does a sum of weights past the largest
// double, which the footer then names as the reason. Counts print as
// integers, weighted frequencies and percentages with "DecimalsPct" (in
// exponent form from 1e15 on). The column width is the
// window's column width when set, else the reference's longest category
// label (at least 8) plus 2.
//
// Ownership: the page owns the window and the battery; the window only
// points to the battery.
#pragma once

#include "shell/TXTWIN.h"

#include <string>
#include <vector>

class BattFreqObj;
class FREQOBJ;

class BattFrWin : public TXTWIN
{
public:
    static constexpr const char *notComputedMark = "***";
    static constexpr const char *missingCategoryMark = "-";

    explicit BattFrWin(BattFreqObj *battery);
    void WriteResult() override { WriteBatteryTable(); }
    void WriteBatteryTable();

    BattFreqObj *battery; // not owned: the page deletes it

private:
    // One item's figures under the reference's columns.
    struct Row
    {
        const FREQOBJ *item;
        std::vector<double> frequency; // per reference category
        std::vector<bool> missing;     // per reference category
        double total = 0.0, validTotal = 0.0;
    };
    bool Align(const FREQOBJ &item, Row &row) const;
    void WriteTable(const std::vector<int> &kinds, bool separate);
    void WriteLine(int kind, const std::vector<double> &frequency, const std::vector<bool> &missing, double total,
                   double validTotal, bool separate);
    void WriteNumber(double value, bool count);
    // A count (whole when unweighted) or percentage as a cell prints it.
    std::string NumberText(double value, bool count) const;
    void WriteRule();

    const FREQOBJ *reference = nullptr;
    std::vector<Row> rows;
    std::vector<std::string> leftOut;
    unsigned options = 0;
    int labelWidth = 8, cellWidth = 10, percentDecimals = 1, ruleWidth = 0;
    bool weighted = false;
    bool markWritten = false; // the page being written holds the mark
};
