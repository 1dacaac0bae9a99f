// REGWIN: the text pane of one multiple-regression page: the final model
// step of its regression as a coefficient table with the model's
// statistics, or the reason it could not be computed. Before writing it
// computes the regression again when the record's method, its limit or the
// missing-value deletion changed; a change of columns only rewrites.
//
// Ownership: the page owns the window and the regression; the window only
// points to the regression and reads the record of the regression's book.
#pragma once

#include "shell/TXTWIN.h"

class MultregOption;
class Regresjon;
struct RegModelStep;

class REGWIN : public TXTWIN
{
public:
    explicit REGWIN(const char *title);

    void SetRegression(Regresjon *computation) { regression = computation; }
    Regresjon *Regression() const { return regression; }
    void WriteResult() override;

private:
    void WriteFailure();
    void WriteModel();
    void Cell(int width, const char *text);
    void Cell(int width, double value, int decimals);
    void Label(int width, const char *text);
    // Characters of a figure as Cell writes it ("***" when not computed).
    static int Printed(double value, int decimals);
    // Widens the regression's column widths to the figures of the step.
    void WidenColumns(const RegModelStep &step);
    // The lines that say why standard errors, t, F or p hold "***" over
    // weights too large or too small to count as cases.
    void WriteMarkReasons(const RegModelStep &step);
    // The variable-number column: at least 5, one wider than "V" and the
    // largest number, so that a number of four digits or more does not run
    // into the first figure.
    int LabelWidth(const RegModelStep &step) const;
    // The labels and the figures of the block under the table.
    static int SummaryLabelWidth();
    int SummaryWidth(const RegModelStep &step) const;

    Regresjon *regression = nullptr; // not owned
};
