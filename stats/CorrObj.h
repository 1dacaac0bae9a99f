// CorrObj: the Pearson correlation matrix of a list of variables with
// listwise (1) or pairwise (2) deletion, computed at construction
// (definitions in CorrelationKernel.h). Matrices are row-major, k x k for
// k variables; the coefficient and p-value matrices are empty while not
// computed or after an error. The count matrix holds the cases of each
// entry; under listwise deletion all of them are the listwise case count,
// and its first entry is that count in either mode.
// The diagonal's p-values and those that cannot be computed hold
// kNotComputed (SignificanceMarkByP prints "-" for them). The cases are
// read through the value lists' cursors into the k x k sums of
// CorrelationAccumulator; no column is held.
//
// Error codes (texts: CorrelationKindText): 2 too few cases, 7 a variable
// without valid values, 8 a variable without variance, 9 fewer than two
// variables, 13 a variable could not be read; errorVariable names the
// variable of codes 7, 8 and 13.
//
// Variable numbers count from 1; matrix rows and columns from 0 in the
// order of the list. Whoever creates the object deletes it; it points to
// its data set (see StatClass) and owns its matrices.
#ifndef STATS_CORROBJ_H
#define STATS_CORROBJ_H

#include <vector>

#include "stats/CorrelationKernel.h"
#include "stats/StatClass.h"

class CorrObj : public StatClass
{
public:
    enum { kListwise = 1, kPairwise = 2 };

    // variables: zero-terminated list of variable numbers (from 1).
    CorrObj(const long *variables, int missingMode, void *regressionContext = nullptr, DATASET *dataSet = nullptr);
    ~CorrObj() override;

    void FreeResults();
    // Computes the matrices again for the current missing-value mode.
    void Compute();

    double Coefficient(int i, int j) const { return coefficients[i * variableCount + j]; }
    double PValue(int i, int j) const { return pValues[i * variableCount + j]; }

    int errorCode = 0;
    long errorVariable = 0;
    int variableCount = 0;
    std::vector<long> variables; // zero-terminated copy
    std::vector<double> coefficients;
    std::vector<double> pValues;
    std::vector<long> counts;
    int missingMode;
    unsigned long displayWord = 0;
    // The whole kernel result of the last computation (means, standard
    // deviations, weighted counts), for the regression.
    CorrelationResult result;
};

// Walks the cases of the computation into the correlation sums of count
// variables (numbers from 1) and fills the result. Returns 0, 13 when the
// weight or a variable cannot be read, or 7 when a variable has no valid
// value in a case that counts; failedVariable names the variable of a 13
// or 7 (0 for the weight). Shared by the correlation and the regression.
int AccumulateCorrelations(StatClass &computation, const long *variables, int count, bool pairwise,
                           CorrelationResult &result, long &failedVariable);

#endif
