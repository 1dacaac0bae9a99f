// Pearson correlations of k variables over plain columns of values, with
// listwise or pairwise deletion, and the t test of each coefficient.
//
// Input: k columns of n values each, a value of kDoubleMissing (or larger)
// marking a missing case of that variable, and an optional column of n
// frequency weights (a weight not above 0 drops the case everywhere).
// Listwise: only the cases valid in every column count, and every entry
// rests on the same cases. Pairwise: entry (i, j) rests on the cases valid
// in both i and j; the means and standard deviations of each variable then
// rest on all its own valid cases.
//
// Definitions (W the sum of weights of the cases of an entry):
//   r = sum w (x - mx)(y - my) / sqrt(sum w (x - mx)^2 sum w (y - my)^2)
//       with the means of the same cases
//   t = r sqrt((W - 2) / (1 - r^2)) on W - 2 df, p two-sided
// Not computable coefficients (fewer than 2 cases, no variance among the
// entry's cases) hold kDoubleMissing with p = 9; the diagonal holds r = 1
// and p = 99; a coefficient of +-1 has p = 0. Matrices are k x k,
// row-major.
#ifndef STATS_CORRELATIONKERNEL_H
#define STATS_CORRELATIONKERNEL_H

#include <cstddef>
#include <vector>

struct CorrelationResult {
    int variables = 0;
    std::vector<double> r;            // coefficients
    std::vector<double> p;            // two-sided p of each coefficient
    std::vector<long> count;          // cases of each entry
    std::vector<double> weightedCount;
    std::vector<double> covariance;   // sum w dx dy / (W - 1) of each entry
    std::vector<double> mean;         // per variable
    std::vector<double> standardDeviation;  // per variable; 0 without variance
    std::vector<double> variableWeight;     // W of each variable's own cases
    long listwiseCount = 0;           // cases valid in every column
    double listwiseWeight = 0.0;
    // The first variable (0-based) without variance over its cases, or -1.
    int constantVariable = -1;
};

void ComputeCorrelations(const std::vector<const double *> &columns, const double *weights,
                         size_t cases, bool pairwise, CorrelationResult &result);

// t and two-sided p of a coefficient r over W weighted cases, following the
// rules above.
void CorrelationSignificance(double r, double weight, double &t, double &p);

#endif
