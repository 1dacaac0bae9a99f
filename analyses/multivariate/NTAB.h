// NTAB: the n-way table of one page (an NTABOBJ) and its layout as text:
// the control variables split into column variables (nested headings,
// outermost first) and layer variables (one block per combination of their
// categories), one row per category of the dependent variable (or of the
// multiple-response set), the figures chosen by the display word in each
// cell, a total row per block and the report footer.
//
// Widths: every column variable spans its nested categories below it; the
// innermost cell is as wide as the window's cell width (the book's
// defaultCellWidth), at most 50, narrowed until one row of cells holds at most 800 characters and
// never below 1 (a width of 0 would leave no room for a label's cut).
// Labels longer than their column are cut and end in "..". The starting
// widths are taken once, when the book makes the page; every write lays the
// spans out anew from them.
//
// Layers: none, all control variables, the user's number (clamped to 0 ..
// the number of control variables, so a negative or huge count is safe) or
// automatic (all but the last two).
//
// Ownership: the page owns the NTAB and its NTABWIN; the window only points
// to it.
#pragma once

#include "stats/NTABOBJ.h"

#include <string>
#include <vector>

class TXTWIN;

// Bits of the n-way table's display word.
enum NtabDisplay : unsigned long {
    ntabPercent = 0x1,
    ntabTotalPercent = 0x2,
    ntabCumulative = 0x4,
    ntabRestCumulative = 0x8,
    ntabCounts = 0x10,
    ntabPercentOfAnswers = 0x20,
    ntabPercentOfCases = 0x40,
    ntabLayersNone = 0x100,
    ntabLayersAuto = 0x200,
    ntabLayersAll = 0x400,
    ntabLayersUser = 0x800,
    ntabVariableNumbers = 0x1000,
};

class NTAB : public NTABOBJ
{
public:
    static constexpr int maxCellWidth = 50, maxRowCharacters = 800, maxLabelWidth = 40;
    static constexpr int minimumCellWidth = 5, startWidth = 8;

    explicit NTAB(DATASET *dataSet = nullptr) : NTABOBJ(dataSet) {}

    // Clears the window, lays the table out and shows it.
    void WriteToWindow(TXTWIN *window);
    // The layer count L and the column count T from the display word.
    void SplitLayers();
    // Each dimension's starting width and category count; with two column
    // variables or more, the window's cell width becomes the innermost one's.
    void ComputeColumnWidths(TXTWIN *window);
    void WriteTable(TXTWIN *window);

    unsigned long display = 0x221;
    int userLayerCount = 1;
    int layerCount = 0;  // L
    int columnCount = 0; // T (column variables)
    std::vector<int> widths, categoryCounts; // one entry per dimension
    bool written = false;

private:
    int TableColumns() const;
    std::string Prefix(long variable) const;
    void WriteVariableLine(TXTWIN *window, long number, const std::string &label);
    void WriteRule(TXTWIN *window, int rowArea, int columns, int cellWidth);
    // Characters of the widest figure the display word shows.
    int WidestFigure(int decimals) const;
    // Percentages of a set's cases: a case counts once per answer, so a
    // column's percentages sum past 100 (up to 100 per member of the set).
    bool PercentsPass100() const { return tableKind == 3 && percentageBase == 1; }
    static double SumOfCells(const NtabLevel &level);
    static bool CountsWhole(const NtabLevel &level);
    // Decimals of the counts: the weight's under a weight, else none.
    int CountDecimals() const;
    // The keys of the column dimensions for the table column's categories.
    void SetColumnKeys(const std::vector<int> &column, std::vector<double> &keys) const;
    // Each chosen figure of the cell in its own field; an absent cell writes
    // blank fields.
    void WriteFigures(TXTWIN *window, const NtabCell *cell, int cellWidth, int decimals);

    int countDecimals = 0; // of the counts, set at each write
    bool widthsTaken = false; // ComputeColumnWidths has run
};
