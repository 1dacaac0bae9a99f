// The tests of two variables measured on the same cases, fed one valid pair
// (x, y, weight) at a time: paired t-test with the pair correlation, sign
// test, Wilcoxon signed-rank test and McNemar's test. Each has an
// accumulator (Add every pair, then Finish) and an array form over plain
// arrays of pairs. Only the Wilcoxon test, which ranks, keeps a column (the
// differences); the others keep a few sums.
//
// Weights are frequency weights (N is their sum). Callers pass only pairs
// whose two values are valid; a pair whose weight is not above 0 is left
// out.
//
// Definitions:
//   paired t  d = x - y; t = mean(d) / (s_d / sqrt(N)) on N - 1 df, where
//             mean(d) is the mean of the differences (not mean(x) - mean(y),
//             which loses the digits that x and y share) and s_d their
//             standard deviation; r is the Pearson correlation of x and y
//             with t_r = r sqrt((N - 2) / (1 - r^2)) on N - 2 df. The test
//             cannot be computed (error flag) when s_d is rounding noise
//             beside the size of x and y (WeightedMoments::HasVariance with
//             their largest magnitude); the variances of x and y themselves
//             only decide r. All moments come from WeightedMoments, as in R's
//             t.test(paired = TRUE), which tests the differences.
//   sign      n+ and n- count the pairs with x > y and x < y (ties dropped),
//             n = n+ + n-. Exact when n <= 25 and both counts are whole:
//             p = min(1, 2 P(B(n, 1/2) <= min(n+, n-))). Otherwise
//             z = (min(n+, n-) + 0.5 - n/2) / (sqrt(n)/2), p = 2 (1 - Phi(|z|)).
//   Wilcoxon  zero differences are dropped; |d| are ranked with mid-ranks
//             for ties (a case of weight w takes w places); T+ and T- are
//             the rank sums of the positive and negative differences. With
//             n <= 25 whole differences (weights whole) the exact
//             distribution of T+ under the given ranks is used:
//             p1 = P(T <= min(T+, T-)), p2 = min(1, 2 p1). Otherwise
//             z = (min(T+, T-) - n(n+1)/4) / sqrt(n(n+1)(2n+1)/24 -
//             sum (t^3 - t)/48), t the sizes of the tied groups, and
//             p = 2 (1 - Phi(|z|)).
//   McNemar   the 2 x 2 table of the two dichotomies (the first variable in
//             the rows, smaller value first); b and c its off-diagonal
//             cells. Exact when b + c <= 25 and both whole:
//             p = min(1, 2 P(B(b + c, 1/2) <= min(b, c))); otherwise
//             chi-square = (|b - c| - 1)^2 / (b + c) on 1 df.
#ifndef STATS_PAIREDTESTKERNEL_H
#define STATS_PAIREDTESTKERNEL_H

#include <cstddef>
#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/WeightedMoments.h"

struct WeightedPair
{
    double x;
    double y;
    double weight;
};

struct PairedTResult
{
    long pairs = 0; // unweighted count of valid pairs
    double n = 0.0; // sum of weights
    double meanX, meanY, sdX, sdY, seX, seY;
    double meanDifference, sdDifference;
    double t, df;
    double r, tOfR;
    bool error = false; // the differences have no variance
    double oneSidedP, twoSidedP, correlationP;
};

// The pairs are gathered in blocks of kMomentBlock, as WeightedMoments cuts
// its stream, so that x's and y's moments are bit for bit the ones every
// other computation gives for the same cases; a block's co-moment sums
// w dx dy around the block's means and merges as the correlation's does.
class PairedTAccumulator
{
public:
    void Add(double x, double y, double w);
    void Finish(PairedTResult &result);

private:
    void MergeBlock();
    // Scales the weights of the n cases waiting in the block by 2^by.
    void ScaleWeights(size_t n, int by);
    // Holds every moment and the co-moment at the weight scale given.
    void HoldWeightsScaled(int scale);

    // Once a huge value (WeightedMoments::IsHuge) is met in x, in y or in
    // their differences, that column is taken scaled by
    // 2^WeightedMoments::kHugeScale from then on, so that its deviations
    // and the co-moment stay finite; each column at a scale of its own, so
    // that a column of values near the smallest double keeps its figures
    // beside one near the largest. The co-moment is held at the scales of
    // x and y together.
    WeightedMoments x_, y_, d_;
    double coMoment_ = 0.0, coMomentError_ = 0.0;
    bool scaledX_ = false, scaledY_ = false, scaledD_ = false;
    // The weights are held scaled by 2^weightScale_ (the co-moment with
    // them): WeightedMoments::kWeightScale once their sum passes the largest
    // double, kTinyWeightScale when they start near the smallest double.
    int weightScale_ = 0;
    // x, y, w, the two deviations and the differences, kMomentBlock each.
    std::vector<double> block_;
    size_t blockCount_ = 0;
};

void ComputePairedT(const WeightedPair *pairs, size_t count, PairedTResult &result);

struct SignTestResult
{
    double larger = 0.0;  // n+ (weighted)
    double smaller = 0.0; // n-
    double ties = 0.0;
    double cases = 0.0; // all valid pairs (weighted)
    bool exact = false;
    double exactP, z, zP;
    int status = 0; // 1: no pair with a difference
};

class SignTestCounter
{
public:
    void Add(double x, double y, double w);
    void Finish(SignTestResult &result) const;

private:
    // Held scaled by 2^scale_ (WeightedMoments::kWeightScale once their
    // sum would pass the largest double); the counts read back may then be
    // infinite, z and p are computed from the scaled ones.
    double larger_ = 0.0, smaller_ = 0.0, ties_ = 0.0;
    int scale_ = 0;
};

void ComputeSignTest(const WeightedPair *pairs, size_t count, SignTestResult &result);

struct WilcoxonResult
{
    double pairs = 0.0; // valid pairs (weighted)
    double zeroDifferences = 0.0;
    double positive = 0.0; // differences x - y > 0
    double negative = 0.0;
    double positiveMeanRank, negativeMeanRank;
    double positiveRankSum = 0.0, negativeRankSum = 0.0;
    bool normal = false; // the normal approximation was used
    double z, zP;
    double exactOneSidedP, exactTwoSidedP;
    // Exact decisions: significant at 5 % one-sided, 5 % two-sided, 1 %
    // one-sided, 1 % two-sided.
    bool decisions[4] = {false, false, false, false};
    // Set when the exact test cannot reach the two-sided 5 % level with this
    // few differences (n <= 5): its decisions say nothing.
    bool suppressFooter = false;
    int status = 0; // 4: no difference other than 0
};

class WilcoxonRanks
{
public:
    void Add(double x, double y, double w);
    // n pairs, as n calls of Add.
    void AddBlock(const double *x, const double *y, const double *w, size_t n);
    // Room for this many pairs at once (see QuantileColumn::Reserve).
    void Reserve(size_t pairs, bool weighted) { differences_.Reserve(pairs, weighted); }
    // Sorts the differences it keeps (hence not const).
    void Finish(WilcoxonResult &result);

private:
    // The differences other than 0, signed, with their weights only once a
    // weight other than 1 comes: 8 bytes a pair unweighted, charged to the
    // memory budget (a refused charge throws BudgetRefusal).
    QuantileColumn differences_;
    double pairs_ = 0.0, zeros_ = 0.0;
    std::vector<double> blockDifferences_, blockWeights_; // AddBlock's packed block
};

void ComputeWilcoxon(const WeightedPair *pairs, size_t count, WilcoxonResult &result);

struct McNemarResult
{
    double counts[4] = {0, 0, 0, 0}; // a (low, low), b (low, high), c (high, low), d
    double rowValues[2], columnValues[2];
    bool exact = false;
    double exactP, chiSquare, chiSquareP;
    // 0 computed; 1 the first variable, 2 the second variable is not a
    // dichotomy (more than two values, or one); 4 no valid pair.
    int status = 0;
};

class McNemarCounter
{
public:
    void Add(double x, double y, double w);
    void Finish(McNemarResult &result) const;

private:
    // The first two values of each variable in the order met, and the
    // weights of the cells by that order; a third value ends the counting.
    double rows_[2], columns_[2];
    int rowCount_ = 0, columnCount_ = 0;
    double cells_[2][2] = {{0, 0}, {0, 0}};
    long used_ = 0;
    // The cells are held scaled by 2^scale_ once their sum would pass the
    // largest double, as the sign test's counts.
    int scale_ = 0;
};

void ComputeMcNemar(const WeightedPair *pairs, size_t count, McNemarResult &result);

#endif
