// RegObj: the linear regression of one dependent variable on a list of
// independents (methods 4 enter, 8 forward selection by p in, 16 backward
// elimination by p out; missing deletion 1 listwise, 2 pairwise), computed
// by sweeping the correlation matrix (formulas in RegressionKernel.h). Each
// selection step leaves a model step; the last one is the final model.
//
// Under pairwise deletion N is the smallest sum of weights of any pair of
// the analysis's variables, and each variable's mean and standard deviation
// rest on its own valid cases.
//
// Status codes (texts: CorrelationKindText): 0 computed, 2 too few cases,
// 7 a variable without valid values, 8 an independent without variance,
// 9 no independent, 13 a variable could not be read, 14 the dependent is
// constant; failedVariable names the variable of codes 7, 8 and 13.
//
// Ownership: the object owns its steps and their regression engines. The
// book, matrix-plot and residual-plot options are the front end's (not
// owned). ComputeColumnWidths is the front end's (pure here).
#ifndef STATS_REGOBJ_H
#define STATS_REGOBJ_H

#include <vector>

#include "stats/StatClass.h"

class MatplotOption;
class ResplotOption;
class TMPLISTETYPE;
class WorkBook;

// The residual series of one model step over the cases it rests on
// (selected, positive weight, and valid in every variable of the analysis
// under listwise deletion, in the dependent and the step's equation under
// pairwise deletion).
class RegressionEngine
{
public:
    std::vector<long> cases;       // case numbers from 0
    std::vector<double> predicted; // the x series
    std::vector<double> residuals;
    std::vector<double> weights;
    long count = 0;
    double residualMean;
    double residualDeviation;
    const void *context = nullptr; // the RegObj that made it
    // A new list with one value per case of the data set: the residual of
    // the cases used, system-missing for the others (the caller deletes it).
    TMPLISTETYPE *NewResidualList(long dataSetCases) const;
};

struct RegModelStep
{
    long dependentVariable = 0;
    int dependentPosition = 0; // in the analysis's variable list, from 0
    int rows = 0;
    int inEquation = 0;            // the rows in the equation come first
    std::vector<long> rowVariable; // index 0 unused
    // Per row from index 1; index 0 holds the constant.
    std::vector<double> b, seB, beta, t, p, tolerance;
    double n = 0.0;
    double summary[5];                  // S1 R, S2 R^2, S3 adjusted R^2, S4 F, S5 p of F
    RegressionEngine *engine = nullptr; // owned; made on first use
    ~RegModelStep() { delete engine; }
};

class RegObj : public StatClass
{
public:
    RegObj(long dependent, const long *independents, int method, int missingDeletion, double pIn, double pOut,
           DATASET *dataSet = nullptr);
    ~RegObj() override;

    void SetParameters(int method, int missingDeletion, double pIn, double pOut, unsigned long displayMask);
    void FreeResults();
    // Computes the correlation matrix, the regression and its steps.
    void ComputeCorrelationMatrix();
    virtual void ComputeColumnWidths(int reset, int step) = 0;
    // The step's residual series, made on first use (null without steps).
    RegressionEngine *EnsureEngine(int step);

    int StepCount() const { return static_cast<int>(steps.size()); }
    RegModelStep *LastStep() { return steps.empty() ? nullptr : steps.back(); }

    unsigned long displayMask = 31;
    int method;
    double pIn, pOut;
    int missingDeletion;
    int status = 0;
    std::vector<long> variables; // independents, then the dependent; 0-terminated
    long failedVariable = 0;
    int columnWidths[6] = {0, 0, 0, 0, 0, 0};
    WorkBook *book = nullptr;
    MatplotOption *matrixPlotOption = nullptr;
    ResplotOption *residualPlotOption = nullptr;
    std::vector<RegModelStep *> steps; // owned

private:
    long dependent;
};

#endif
