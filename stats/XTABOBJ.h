// XTABOBJ: the cross table of two variables, counted at construction over
// the cases valid in both (selection and weight applied), with the
// chi-square test and the ordinal measures computed on request (formulas in
// CrossTableKernel.h; Somers' d asymmetric takes the row variable as the
// dependent one).
//
// The categories of the first variable are the columns, those of the second
// the rows, each in ascending order of value. Cell counts are row-major
// (columns fastest). Without a weight the counts are whole numbers; they
// are held as doubles either way (weighted tells how to print them). Every
// measure holds kDoubleMissing until computed or when it cannot be
// computed. The value lists and labels are read at construction only; the
// object owns its arrays and texts.
#ifndef STATS_XTABOBJ_H
#define STATS_XTABOBJ_H

#include <string>
#include <vector>

#include "stats/StatClass.h"

class BUFFERTYPE;
class KATLABS;

struct XtabCategory {
    double value;
    std::string label;    // the category label, or "" when the value has none
};

class XTABOBJ : public StatClass {
public:
    XTABOBJ(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second, KATLABS *secondLabels,
            int flag, DATASET *dataSet = nullptr);

    // Fills expected counts, deviations, standardized deviations,
    // chi-square, its probability and degrees of freedom, phi, Cramer's V
    // and the contingency coefficient; running it again gives the same.
    void ComputeChiSquareTest();
    // Fills tau-a, tau-b, tau-c, gamma and the two Somers' d.
    void ComputeOrdinalMeasures();

    double Cell(int row, int column) const { return counts[row * ColumnCount() + column]; }
    int RowCount() const { return static_cast<int>(rows.size()); }
    int ColumnCount() const { return static_cast<int>(columns.size()); }

    long firstVariable = 0;       // the column variable
    long secondVariable = 0;      // the row variable
    std::string firstText, secondText;
    std::vector<XtabCategory> columns, rows;
    bool weighted = false;
    std::vector<double> counts, rowTotals, columnTotals;
    double total = 0.0;
    double chiSquare, probability;
    long degreesOfFreedom = 0;
    double phi, cramersV, contingency;
    double tauA, tauB, tauC, gamma, somersSymmetric, somersAsymmetric;
    std::vector<double> expected, deviation, standardizedDeviation;
};

#endif
