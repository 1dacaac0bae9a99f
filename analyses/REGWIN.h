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

    Regresjon *regression = nullptr; // not owned
};
