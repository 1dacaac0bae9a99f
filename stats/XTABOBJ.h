// XTABOBJ: the cross table of two variables, counted at construction over
// the cases valid in both (selection and weight applied), with the
// chi-square test and the ordinal measures computed on request (formulas in
// CrossTableKernel.h; Somers' d asymmetric takes the row variable as the
// dependent one).
//
// The categories of the first variable are the columns, those of the second
// the rows, each in ascending order of value. Only the cells that occur are
// stored (CrossTable), so memory follows the cases, not rows x columns;
// expected counts and deviations are computed per cell when asked. Without
// a weight the counts are whole numbers; they are held as doubles either way
// (weighted tells how to print them). Every measure holds kNotComputed
// until computed or when it cannot be computed.
//
// Failures leave status not kXtabCounted, an empty table and the reason in
// GetFailureText(): a table of more than kMaxCells cells (rows x columns),
// a table that does not fit the memory budget (MemoryBudget), or a value
// list or weight that cannot be read. The value lists and labels are read
// at construction only; the object owns its table and texts, and its
// memory stays charged to the budget while it lives.
#ifndef STATS_XTABOBJ_H
#define STATS_XTABOBJ_H

#include <cmath>
#include <string>
#include <vector>

#include "dataset/MemoryBudget.h"
#include "stats/CrossTableKernel.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

class BUFFERTYPE;
class KATLABS;

struct XtabCategory
{
    double value;
    std::string label; // the category label, or "" when the value has none
};

class XTABOBJ : public StatClass
{
public:
    enum Status {
        kXtabCounted = 0,      // the table is complete
        kXtabNoMemory = 1,     // the table did not fit the memory budget
        kXtabTooManyCells = 2, // rows x columns passes kMaxCells
        kXtabUnreadable = 3    // a value list or the weight could not be read
    };
    // Cells are numbered row x columns + column in a 32-bit count by the
    // table writers; a larger table cannot be shown.
    static constexpr long long kMaxCells = 0x7fffffffLL;

    XTABOBJ(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second, KATLABS *secondLabels, int flag,
            DATASET *dataSet = nullptr);

    // Fills chi-square, its probability and degrees of freedom, phi,
    // Cramer's V and the contingency coefficient; running it again gives the
    // same.
    void ComputeChiSquareTest();
    // Fills tau-a, tau-b, tau-c, gamma and the two Somers' d.
    void ComputeOrdinalMeasures();

    double Cell(int row, int column) const { return table.Cell(row, column); }
    // False when a cell or the total of the weights passed the largest
    // double: the table is then held scaled by 2^countScale (Cell, the
    // totals, Expected and Deviation give it so; percentages and measures
    // do not change with the scale), and counts shown go through Unscaled,
    // which gives infinity for those that have no figure.
    bool CountsRepresentable() const { return countScale == 0 && table.Representable(); }
    // The not-computed mark stays the mark.
    double Unscaled(double count) const
    {
        return countScale && count != kNotComputed ? std::ldexp(count, -countScale) : count;
    }
    // Standardized deviations grow with the square root of the scale.
    double UnscaledRoot(double value) const
    {
        return countScale && value != kNotComputed ? std::ldexp(value, -countScale / 2) : value;
    }
    static constexpr int kScaledCounts = 64;
    int countScale = 0;
    double Expected(int row, int column) const { return table.Expected(row, column); }
    double Deviation(int row, int column) const { return table.Deviation(row, column); }
    double StandardizedDeviation(int row, int column) const { return table.StandardizedDeviation(row, column); }
    double RowTotal(int row) const { return table.rowTotals[row]; }
    double ColumnTotal(int column) const { return table.columnTotals[column]; }
    int RowCount() const { return static_cast<int>(rows.size()); }
    int ColumnCount() const { return static_cast<int>(columns.size()); }

    int status = kXtabCounted;
    long firstVariable = 0;  // the column variable
    long secondVariable = 0; // the row variable
    std::string firstText, secondText;
    std::vector<XtabCategory> columns, rows;
    bool weighted = false;
    CrossTable table;
    double total = 0.0;
    double chiSquare, probability;
    long degreesOfFreedom = 0;
    double phi, cramersV, contingency;
    double tauA, tauB, tauC, gamma, somersSymmetric, somersAsymmetric;

    // "The crosstab of a by b", for the texts that speak of the table.
    std::string Title() const;

private:
    void Count(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second, KATLABS *secondLabels);
    void Fail(int newStatus);

    MemoryCharge charge; // the table and categories
};

#endif
