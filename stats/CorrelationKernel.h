// Pearson correlations of k variables with listwise or pairwise deletion,
// and the t test of each coefficient, accumulated one case at a time (the
// k x k co-moments, never a copy of the cases).
//
// Input: per case the k values, kMissingValue marking a missing value of
// that variable (every other value up to the largest double counts), and
// the case's frequency weight (a weight not above 0, or not finite, drops
// the case everywhere). Listwise: only the cases
// valid in every variable count, and every entry rests on the same cases.
// Pairwise: entry (i, j) rests on the cases valid in both i and j; the
// means and standard deviations of each variable then rest on all its own
// valid cases.
//
// Each variable's moments come from WeightedMoments over its cases, so its
// standard deviation is bit for bit the one the descriptives give for the
// same cases. The cases are gathered in blocks of kMomentBlock (where
// WeightedMoments cuts its stream): a block's co-moments sum w dx dy around
// the block's means and merge into the running ones as M2 does,
// C = Ca + Cb + dx dy Wa Wb / n with dx, dy the differences of the block's
// means from the running ones, each addition with a correction term.
// Listwise the block holds the complete cases; pairwise it holds every
// case, and each pair takes those of its cases valid in both.
//
// Values up to the largest double and weights of any size: once a value of
// a variable passes 2^250 (WeightedMoments::IsHuge), that variable's
// values are taken scaled by 2^WeightedMoments::kHugeScale, its moments
// held scaled and its co-moments with them; once a block's weights would
// sum past the largest double, every weight is taken scaled by
// 2^WeightedMoments::kWeightScale, the moments and co-moments with them;
// weights near the smallest double are taken scaled up the same way
// (WeightedMoments::FirstWeightScale), so that their products keep their
// digits.
// r is a ratio of sums at the same scale, so it does not change.
//
// Definitions (W the sum of weights of the cases of an entry):
//   r = sum w (x - mx)(y - my) / sqrt(sum w (x - mx)^2 sum w (y - my)^2)
//       with the means of the same cases
//   t = r sqrt((W - 2) / (1 - r^2)) on W - 2 df, p two-sided
// Not computable coefficients (fewer than 2 cases, a variable of the entry
// without spread among its cases, WeightedMoments::HasSpread, which does
// not depend on the weights' scale) and their p hold kNotComputed; so do t
// and p over weights summing to 2 cases or less, and t over weights summing
// past the largest double (whose p is then 0 for r other than 0); the diagonal holds r = 1 and p = kNotComputed; a
// coefficient of +-1 has p = 0. Matrices are k x k, row-major.
#ifndef STATS_CORRELATIONKERNEL_H
#define STATS_CORRELATIONKERNEL_H

#include <cstddef>
#include <vector>

#include "stats/WeightedMoments.h"

struct CorrelationResult
{
    int variables = 0;
    std::vector<double> r;   // coefficients
    std::vector<double> p;   // two-sided p of each coefficient
    std::vector<long> count; // cases of each entry
    std::vector<double> weightedCount;
    std::vector<double> covariance;        // sum w dx dy / (W - 1) of each entry
    std::vector<double> mean;              // per variable
    std::vector<double> standardDeviation; // per variable; 0 without variance
                                           // or over weights of 1 case or less
    std::vector<double> variableWeight;    // W of each variable's own cases
    // sqrt(sum w (x - mean)^2 / W) per variable, 0 without spread: the
    // spread per unit of weight, which does not depend on the weights'
    // scale (the ratio of two is that of the standard deviations).
    std::vector<double> spread;
    long listwiseCount = 0; // cases valid in every column
    double listwiseWeight = 0.0;
    // The first variable (0-based) without spread over its cases, or -1.
    int constantVariable = -1;
};

// The running sums of one correlation matrix.
class CorrelationAccumulator
{
public:
    CorrelationAccumulator(int variables, bool pairwise);
    // One case: values[0 .. k-1] and its weight.
    void Add(const double *values, double weight);
    // n cases at once: columns[0 .. k-1][c] and weights[c], the same as n
    // calls of Add.
    void AddColumns(const double *const *columns, const double *weights, size_t n);
    void Finish(CorrelationResult &result);

private:
    // The moments of x and y and their co-moment over the cases valid in
    // both (listwise: in all).
    struct Pair
    {
        WeightedMoments x, y;
        // At the scales of x times y (their value scales added, one weight
        // scale).
        double coMoment = 0.0, coMomentError = 0.0;
        int weightScale = 0; // that of x and y
    };
    // Listwise: merges the gathered complete cases; pairwise: the cases of
    // the block valid in each pair.
    void MergeBlock();
    void MergePairs();
    // Listwise: holds variable v's moments and co-moments scaled for huge
    // values, or every moment and co-moment scaled for huge weights.
    void HoldVariableScaled(int v);
    void HoldWeightsScaled(int scale);

    int k;
    bool pairwise;
    std::vector<WeightedMoments> own;   // listwise: over the complete cases
    std::vector<Pair> pairs;            // pairwise: i > j at i * k + j
    std::vector<double> coMoments;      // listwise: i > j at i * k + j
    std::vector<double> coMomentErrors; // their correction terms
    std::vector<double> increments;     // listwise: a block's co-moments
    int weightScale = 0;                // listwise: that of every variable
    // The cases gathered (listwise the complete ones), k columns of
    // kMomentBlock values then their weights; the deviations of a block
    // from its means (pairwise: a pair's gathered values and deviations).
    std::vector<double> block, deviations;
    size_t blockCount = 0;
    long completeCount = 0; // cases valid in every variable
    double completeWeight = 0.0;
};

// The same over columns of values (columns[v][c]), weights null for 1.
void ComputeCorrelations(const std::vector<const double *> &columns, const double *weights, size_t cases, bool pairwise,
                         CorrelationResult &result);

// t and two-sided p of a coefficient r over W weighted cases, following the
// rules above (both kNotComputed when they cannot be computed).
void CorrelationSignificance(double r, double weight, double &t, double &p);

#endif
