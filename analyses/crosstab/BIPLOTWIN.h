// BIPLOTWIN: the text of one biplot page: a table of the x and the y
// variable's mean, standard deviation and standard error of the mean (with
// their captions), then the least-squares line of y on x (intercept,
// slope), its correlation r, t, two-sided p, the explained variance
// 100 r^2 and the number of pairs, then the report footer for that number.
//
// The weighting is mixed, as the analysis has always shown it (BiplotReg):
// the means, standard deviations and standard errors are weighted, over
// each variable's own valid cases; the line and its test count every
// valid pair once, without weight.
//
// A figure that cannot be given prints "***": the means and spreads need
// more than one pair, the line and test more than two (and a computed
// value). The text is written once, when the page is made.
//
// Ownership: the page owns the window and the computation; the window only
// points to the computation and to the workbook.
#pragma once

#include "shell/TXTWIN.h"

class BiplotReg;
class WorkBook;

class BIPLOTWIN : public TXTWIN
{
public:
    static constexpr const char *missingMark = "***";

    explicit BIPLOTWIN(const char *title = "");

    void SetComputation(BiplotReg *computation, WorkBook *book)
    {
        regression = computation;
        workbook = book;
    }
    // Writes the whole text and shows it.
    void WriteText();
    BiplotReg *Computation() const { return regression; }
    WorkBook *Book() const { return workbook; }

private:
    struct Widths
    {
        int variable = 0, mean = 0, deviation = 0, error = 0, label = 0, value = 0;
    };
    Widths MeasureColumns() const;
    void WriteVariableRow(const Widths &w, long variable, double mean, double deviation, double error);
    // One line of the lower block: the text, then the value when n passes
    // the least and the value is computed, else the mark.
    void WriteFigure(const Widths &w, int text, double value, int decimals, int widthChange, double condition);
    void WriteValue(int width, double value, int decimals, bool shown);

    BiplotReg *regression = nullptr;
    WorkBook *workbook = nullptr;
};
