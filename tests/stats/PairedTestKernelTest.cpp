// Edge cases of the paired tests that the golden figures do not reach: no
// variance in the differences, too few pairs, values at extreme scales,
// exact decisions and the McNemar table's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "stats/PairedTestKernel.h"
#include "stats/StatMissing.h"

namespace {

std::vector<WeightedPair> Pairs(const std::vector<double> &x, const std::vector<double> &y)
{
    std::vector<WeightedPair> pairs;
    for (size_t i = 0; i < x.size(); ++i)
        pairs.push_back({x[i], y[i], 1.0});
    return pairs;
}

PairedTResult PairedT(const std::vector<WeightedPair> &pairs)
{
    PairedTResult r;
    ComputePairedT(pairs.data(), pairs.size(), r);
    return r;
}

} // namespace

// The t of the differences divides by the variance of the differences: a
// variable that is the other plus a constant has variances of its own but
// none in the differences, and must be flagged instead of dividing by zero.
TEST(PairedTestKernel, ShiftedCopyFlagsTheTestInsteadOfDividingByZero)
{
    const PairedTResult r = PairedT(Pairs({1, 4, 2, 8, 5}, {3, 6, 4, 10, 7}));
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.meanDifference, -2.0);
    EXPECT_EQ(r.t, kNotComputed);
    EXPECT_EQ(r.twoSidedP, kNotComputed);
    EXPECT_NEAR(r.r, 1.0, 1e-12);
    EXPECT_EQ(r.correlationP, 0.0);
    // Near 1e9 the same shift leaves differences of rounding noise only.
    const PairedTResult big = PairedT(Pairs({1e9 + 0.1, 1e9 + 0.7, 1e9 + 1.3}, {1e9 - 0.2, 1e9 + 0.4, 1e9 + 1.0}));
    EXPECT_TRUE(big.error);
}

TEST(PairedTestKernel, AConstantVariableStillHasAPairedTButNoCorrelation)
{
    const PairedTResult r = PairedT(Pairs({5, 5, 5, 5}, {1, 3, 2, 6}));
    EXPECT_FALSE(r.error);
    EXPECT_NE(r.t, kNotComputed);
    EXPECT_EQ(r.sdX, 0.0);
    EXPECT_EQ(r.r, kNotComputed);
    EXPECT_EQ(r.correlationP, kNotComputed);
}

TEST(PairedTestKernel, TooFewPairsLeaveSpreadAndCorrelationNotComputed)
{
    const PairedTResult one = PairedT(Pairs({3}, {1}));
    EXPECT_EQ(one.meanDifference, 2.0);
    EXPECT_EQ(one.sdX, kNotComputed);
    EXPECT_EQ(one.t, kNotComputed);
    EXPECT_EQ(one.twoSidedP, kNotComputed);
    const PairedTResult two = PairedT(Pairs({3, 5}, {1, 4}));
    EXPECT_NE(two.t, kNotComputed);
    EXPECT_EQ(two.r, kNotComputed);
    const PairedTResult none = PairedT({});
    EXPECT_EQ(none.pairs, 0);
    EXPECT_EQ(none.meanX, kNotComputed);
}

// Differences 0.25, 0.5, 0.75, 1 and 1.5 times a scale: mean 0.8, variance
// 0.23125 = 37/160, so t^2 = 0.64 * 5 / 0.23125 = 512/37 on 4 df whatever the
// scale. R's t.test(paired = TRUE) gives the two-sided p of t on 4 df,
// I_{4/(4+t^2)}(2, 1/2) = 1 - sqrt(1 - x)(1 + x/2) with x = 37/165, worked
// out exactly by hand (and checked by numerical integration of the t
// density): 0.02047587442091068543.
struct ScaleCase
{
    const char *name;
    std::vector<double> x, y;
    double scale;
};

class PairedTestAtScale : public ::testing::TestWithParam<ScaleCase>
{};

TEST_P(PairedTestAtScale, AgreesWithRsPairedTTest)
{
    const ScaleCase &c = GetParam();
    const PairedTResult r = PairedT(Pairs(c.x, c.y));
    ASSERT_FALSE(r.error);
    EXPECT_NEAR(r.meanDifference, 0.8 * c.scale, 1e-12 * 0.8 * c.scale);
    EXPECT_NEAR(r.sdDifference, std::sqrt(0.23125) * c.scale, 1e-9 * c.scale);
    EXPECT_NEAR(r.t, std::sqrt(512.0 / 37.0), 1e-9);
    EXPECT_EQ(r.df, 4.0);
    EXPECT_NEAR(r.twoSidedP, 0.02047587442091068543, 1e-11);
    // The spread of x and y and their correlation are those of x / scale
    // and y / scale.
    std::vector<double> x = c.x, y = c.y;
    for (size_t i = 0; i < x.size(); ++i)
        x[i] /= c.scale, y[i] /= c.scale;
    const PairedTResult unit = PairedT(Pairs(x, y));
    EXPECT_NEAR(r.sdX / c.scale, unit.sdX, 1e-9 * unit.sdX);
    EXPECT_NEAR(r.seY / c.scale, unit.seY, 1e-9 * unit.seY);
    EXPECT_NEAR(r.r, unit.r, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, PairedTestAtScale,
    ::testing::Values(
        // Around 1e-9: an absolute "no variance" limit refuses these.
        ScaleCase{"nano", {3.1e-9, 4.7e-9, 2.2e-9, 5.9e-9, 4.4e-9}, {2.85e-9, 4.2e-9, 1.45e-9, 4.9e-9, 2.9e-9}, 1e-9},
        // Around 1e9: mean(x) - mean(y) is off by 7e-8 here; the mean of the
        // differences keeps every digit.
        ScaleCase{"giga",
                  {1e9 + 3.1, 1e9 + 4.7, 1e9 + 2.2, 1e9 + 5.9, 1e9 + 4.4},
                  {1000000002.85, 1000000004.2, 1000000001.45, 1000000004.9, 1000000002.9},
                  1.0},
        // Around 1e308: the squared deviations are beyond a double unless
        // the moments are held scaled.
        ScaleCase{
            "huge", {10e307, 12e307, 8e307, 15e307, 11e307}, {9.75e307, 11.5e307, 7.25e307, 14e307, 9.5e307}, 1e307}),
    [](const ::testing::TestParamInfo<ScaleCase> &info) { return std::string(info.param.name); });

TEST(PairedTestKernel, SignTestWithoutDifferencesOrWithFractionalWeights)
{
    SignTestResult s;
    const std::vector<WeightedPair> ties = Pairs({1, 2}, {1, 2});
    ComputeSignTest(ties.data(), ties.size(), s);
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.ties, 2.0);
    // Fractional weights cannot be counted exactly.
    const std::vector<WeightedPair> half = {{2, 1, 0.5}, {2, 1, 1.0}, {0, 1, 1.0}};
    ComputeSignTest(half.data(), half.size(), s);
    EXPECT_FALSE(s.exact);
    EXPECT_EQ(s.larger, 1.5);
}

TEST(PairedTestKernel, WilcoxonExactDecisionsAndFooter)
{
    WilcoxonResult w;
    // differences 2, 0, -2, 5, 2: the zero dropped, |2| three times at mid-rank 2.
    const std::vector<WeightedPair> few = Pairs({3, 5, 1, 9, 4}, {1, 5, 3, 4, 2});
    ComputeWilcoxon(few.data(), few.size(), w);
    EXPECT_EQ(w.positiveRankSum, 2 + 4 + 2);
    // T- = 2 of the 16 patterns of the ranks {2, 2, 2, 4}: sums 0, 2 (three ways).
    EXPECT_NEAR(w.exactOneSidedP, 4.0 / 16.0, 1e-15);
    EXPECT_TRUE(w.suppressFooter);
    for (bool significant : w.decisions)
        EXPECT_FALSE(significant);

    std::vector<WeightedPair> nine;
    for (int i = 1; i <= 9; ++i)
        nine.push_back({i == 1 ? -1.0 : i == 2 ? -2.0 : static_cast<double>(i), 0.0, 1.0});
    ComputeWilcoxon(nine.data(), nine.size(), w);
    // T- = 3: sums 0, 1, 2, 3, 1+2 of 512 patterns.
    EXPECT_NEAR(w.exactOneSidedP, 5.0 / 512.0, 1e-15);
    EXPECT_FALSE(w.suppressFooter);
    EXPECT_TRUE(w.decisions[0] && w.decisions[1] && w.decisions[2]);
    EXPECT_FALSE(w.decisions[3]); // 1 % two-sided: 0.0195

    const std::vector<WeightedPair> same = Pairs({1, 2, 3}, {1, 2, 3});
    ComputeWilcoxon(same.data(), same.size(), w);
    EXPECT_EQ(w.status, 4);
    EXPECT_EQ(w.positiveMeanRank, kNotComputed);
}

TEST(PairedTestKernel, McNemarNeedsTwoDichotomiesAndShowsTheSmallerValueFirst)
{
    McNemarResult m;
    ComputeMcNemar(nullptr, 0, m);
    EXPECT_EQ(m.status, 4);
    const std::vector<WeightedPair> three = Pairs({1, 2, 3}, {1, 2, 1});
    ComputeMcNemar(three.data(), three.size(), m);
    EXPECT_EQ(m.status, 1);
    const std::vector<WeightedPair> second = Pairs({1, 2, 1}, {0, 0, 0});
    ComputeMcNemar(second.data(), second.size(), m);
    EXPECT_EQ(m.status, 2);
    const std::vector<WeightedPair> thirdLater = Pairs({1, 2, 1, 2}, {0, 1, 1, 5});
    ComputeMcNemar(thirdLater.data(), thirdLater.size(), m);
    EXPECT_EQ(m.status, 2);

    // The larger values come first in the data: (2, 1) x 3, (1, 2) x 1,
    // (2, 2) x 2 at weight 1, (1, 1) at weight 4.
    const std::vector<WeightedPair> pairs = {{2, 1, 1}, {2, 1, 1}, {1, 2, 1}, {2, 2, 2}, {1, 1, 4}, {2, 1, 1}};
    ComputeMcNemar(pairs.data(), pairs.size(), m);
    EXPECT_EQ(m.status, 0);
    EXPECT_EQ(m.rowValues[0], 1.0);
    EXPECT_EQ(m.columnValues[1], 2.0);
    const double counts[4] = {4, 1, 3, 2}; // (1,1) (1,2) (2,1) (2,2)
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.counts[i], counts[i]) << i;
    EXPECT_TRUE(m.exact);
}

TEST(PairedTestKernel, WeightsSummingPastTheLargestDoubleGiveTheFiguresOfLighterWeights)
{
    // 3000 pairs (several blocks) weighing 2^1020 each against the same
    // pairs weighing 2^20: means and correlation the same, spreads the same
    // up to the sample correction, standard errors smaller by 2^500.
    PairedTAccumulator huge, light;
    for (int i = 0; i < 3000; ++i) {
        const double x = (i * 37 % 101) * 0.25, y = x * 0.5 + (i * 13 % 7);
        huge.Add(x, y, std::ldexp(1.0, 1020));
        light.Add(x, y, std::ldexp(1.0, 20));
    }
    PairedTResult h, l;
    huge.Finish(h);
    light.Finish(l);
    EXPECT_TRUE(std::isinf(h.n));
    EXPECT_EQ(h.pairs, 3000);
    EXPECT_EQ(h.meanX, l.meanX);
    EXPECT_EQ(h.meanY, l.meanY);
    EXPECT_EQ(h.meanDifference, l.meanDifference);
    EXPECT_NEAR(h.sdX, l.sdX, 1e-9 * l.sdX);
    EXPECT_NEAR(h.sdDifference, l.sdDifference, 1e-9 * l.sdDifference);
    EXPECT_NEAR(std::ldexp(h.seY, 500), l.seY, 1e-9 * l.seY);
    EXPECT_NEAR(h.r, l.r, 1e-12);
    EXPECT_FALSE(h.error);
    EXPECT_EQ(h.twoSidedP, 0.0);
}

// Many pairs whose differences take few magnitudes (ties everywhere): the
// rank sums and mean ranks are those of averaged ranks over the
// differences sorted by magnitude, exactly (halves summed below 2^53).
TEST(PairedTestKernel, WilcoxonRanksOfManyTiedDifferences)
{
    std::vector<WeightedPair> pairs;
    std::vector<double> differences;
    for (size_t i = 0; i < 70001; ++i) {
        const double x = static_cast<double>((i * 7919) % 2003) / 100.0;
        const double y = static_cast<double>((i * 104729) % 1999) / 100.0;
        pairs.push_back({x, y, 1.0});
        if (x - y != 0.0)
            differences.push_back(x - y);
    }
    std::sort(differences.begin(), differences.end(),
              [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    double positive = 0.0, negative = 0.0, positiveSum = 0.0, negativeSum = 0.0;
    for (size_t i = 0; i < differences.size();) {
        size_t j = i;
        while (j < differences.size() && std::fabs(differences[j]) == std::fabs(differences[i]))
            ++j;
        const double rank = (static_cast<double>(i + 1) + static_cast<double>(j)) / 2.0;
        for (size_t k = i; k < j; ++k) {
            (differences[k] > 0.0 ? positive : negative) += 1.0;
            (differences[k] > 0.0 ? positiveSum : negativeSum) += rank;
        }
        i = j;
    }
    WilcoxonResult w;
    ComputeWilcoxon(pairs.data(), pairs.size(), w);
    EXPECT_EQ(w.pairs, 70001.0);
    EXPECT_EQ(w.zeroDifferences, 70001.0 - static_cast<double>(differences.size()));
    EXPECT_EQ(w.positive, positive);
    EXPECT_EQ(w.negative, negative);
    EXPECT_EQ(w.positiveRankSum, positiveSum);
    EXPECT_EQ(w.negativeRankSum, negativeSum);
    EXPECT_EQ(w.positiveMeanRank, positiveSum / positive);
    EXPECT_EQ(w.negativeMeanRank, negativeSum / negative);
    EXPECT_TRUE(w.normal);
}

// The same with survey weights (floats of 3 decimals): the weights at each
// sign sum exactly; the rank sums and mean ranks are those of averaged
// weighted ranks taken case by case in extended precision, to 1e-13, and
// so is z to 1e-10 (its numerator is a difference of sums near 1e9).
TEST(PairedTestKernel, WeightedWilcoxonRanksOfManyTiedDifferences)
{
    std::vector<WeightedPair> pairs;
    std::vector<std::pair<double, double>> differences; // difference, weight
    for (size_t i = 0; i < 70001; ++i) {
        const double x = static_cast<double>((i * 7919) % 2003) / 100.0;
        const double y = static_cast<double>((i * 104729) % 1999) / 100.0;
        const double w = static_cast<double>(static_cast<float>(0.5 + static_cast<double>(i % 997) / 1000.0));
        pairs.push_back({x, y, w});
        if (x - y != 0.0)
            differences.emplace_back(x - y, w);
    }
    std::stable_sort(differences.begin(), differences.end(),
                     [](const auto &a, const auto &b) { return std::fabs(a.first) < std::fabs(b.first); });
    long double placed = 0, positive = 0, negative = 0, positiveSum = 0, negativeSum = 0, ties = 0;
    for (size_t i = 0; i < differences.size();) {
        size_t j = i;
        long double group = 0;
        while (j < differences.size() && std::fabs(differences[j].first) == std::fabs(differences[i].first))
            group += differences[j++].second;
        const long double rank = placed + (group + 1) / 2;
        for (size_t k = i; k < j; ++k) {
            (differences[k].first > 0.0 ? positive : negative) += differences[k].second;
            (differences[k].first > 0.0 ? positiveSum : negativeSum) += rank * differences[k].second;
        }
        ties += (group * group * group - group) / 48;
        placed += group;
        i = j;
    }
    const long double n = positive + negative;
    const long double z =
        (std::min(positiveSum, negativeSum) - n * (n + 1) / 4) / std::sqrt(n * (n + 1) * (2 * n + 1) / 24 - ties);
    WilcoxonResult w;
    ComputeWilcoxon(pairs.data(), pairs.size(), w);
    EXPECT_EQ(w.positive, static_cast<double>(positive));
    EXPECT_EQ(w.negative, static_cast<double>(negative));
    const double close[][2] = {{w.positiveRankSum, static_cast<double>(positiveSum)},
                               {w.negativeRankSum, static_cast<double>(negativeSum)},
                               {w.positiveMeanRank, static_cast<double>(positiveSum / positive)},
                               {w.negativeMeanRank, static_cast<double>(negativeSum / negative)}};
    for (const auto &figure : close)
        EXPECT_NEAR(figure[0], figure[1], 1e-13 * std::fabs(figure[1]));
    EXPECT_NEAR(w.z, static_cast<double>(z), 1e-10);
    EXPECT_TRUE(w.normal);
}
