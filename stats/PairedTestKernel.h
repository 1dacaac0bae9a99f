// The tests of two variables measured on the same cases, over plain arrays
// of valid pairs (x, y, weight): paired t-test with the pair correlation,
// sign test, Wilcoxon signed-rank test and McNemar's test.
//
// Weights are frequency weights (N is their sum). Callers pass only pairs
// whose two values are valid and whose weight is above 0.
//
// Definitions:
//   paired t  d = x - y; t = mean(d) / (s_d / sqrt(N)) on N - 1 df, where s_d
//             is the standard deviation of d; r is the Pearson correlation of
//             x and y with t_r = r sqrt((N - 2) / (1 - r^2)) on N - 2 df. The
//             test cannot be computed (error flag) when the variance of d is
//             below 1e-15; the variances of x and y themselves only decide r.
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

struct WeightedPair {
    double x;
    double y;
    double weight;
};

struct PairedTResult {
    long pairs = 0;             // unweighted count of valid pairs
    double n = 0.0;             // sum of weights
    double meanX, meanY, sdX, sdY, seX, seY;
    double meanDifference, sdDifference;
    double t, df;
    double r, tOfR;
    bool error = false;         // the differences have no variance
    double oneSidedP, twoSidedP, correlationP;
};

void ComputePairedT(const WeightedPair *pairs, size_t count, PairedTResult &result);

struct SignTestResult {
    double larger = 0.0;        // n+ (weighted)
    double smaller = 0.0;       // n-
    double ties = 0.0;
    double cases = 0.0;         // all valid pairs (weighted)
    bool exact = false;
    double exactP, z, zP;
    int status = 0;             // 1: no pair with a difference
};

void ComputeSignTest(const WeightedPair *pairs, size_t count, SignTestResult &result);

struct WilcoxonResult {
    double pairs = 0.0;         // valid pairs (weighted)
    double zeroDifferences = 0.0;
    double positive = 0.0;      // differences x - y > 0
    double negative = 0.0;
    double positiveMeanRank, negativeMeanRank;
    double positiveRankSum = 0.0, negativeRankSum = 0.0;
    bool normal = false;        // the normal approximation was used
    double z, zP;
    double exactOneSidedP, exactTwoSidedP;
    // Exact decisions: significant at 5 % one-sided, 5 % two-sided, 1 %
    // one-sided, 1 % two-sided.
    bool decisions[4] = {false, false, false, false};
    // Set when the exact test cannot reach the two-sided 5 % level with this
    // few differences (n <= 5): its decisions say nothing.
    bool suppressFooter = false;
    int status = 0;             // 4: no difference other than 0
};

void ComputeWilcoxon(const WeightedPair *pairs, size_t count, WilcoxonResult &result);

struct McNemarResult {
    double counts[4] = {0, 0, 0, 0};   // a (low, low), b (low, high), c (high, low), d
    double rowValues[2], columnValues[2];
    bool exact = false;
    double exactP, chiSquare, chiSquareP;
    // 0 computed; 1 the first variable, 2 the second variable is not a
    // dichotomy (more than two values, or one); 4 no valid pair.
    int status = 0;
};

void ComputeMcNemar(const WeightedPair *pairs, size_t count, McNemarResult &result);

#endif
