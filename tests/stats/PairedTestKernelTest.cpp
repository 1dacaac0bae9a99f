#include <gtest/gtest.h>

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

} // namespace

// The t of the differences divides by the variance of the differences: a
// variable that is the other plus a constant has variances of its own but
// none in the differences, and must be flagged instead of dividing by zero.
TEST(PairedTestKernel, ShiftedCopyFlagsTheTestInsteadOfDividingByZero)
{
    const std::vector<WeightedPair> pairs = Pairs({1, 4, 2, 8, 5}, {3, 6, 4, 10, 7});
    PairedTResult r;
    ComputePairedT(pairs.data(), pairs.size(), r);
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.meanDifference, -2.0);
    EXPECT_EQ(r.t, kFloatMissing);
    EXPECT_EQ(r.twoSidedP, 1.0);
    EXPECT_TRUE(std::isfinite(r.t));
    EXPECT_NEAR(r.r, 1.0, 1e-12);
    EXPECT_EQ(r.correlationP, 0.0);
}

TEST(PairedTestKernel, AConstantVariableStillHasAPairedTButNoCorrelation)
{
    const std::vector<WeightedPair> pairs = Pairs({5, 5, 5, 5}, {1, 3, 2, 6});
    PairedTResult r;
    ComputePairedT(pairs.data(), pairs.size(), r);
    EXPECT_FALSE(r.error);
    EXPECT_NE(r.t, kFloatMissing);
    EXPECT_EQ(r.sdX, 0.0);
    EXPECT_EQ(r.r, kFloatMissing);
    EXPECT_EQ(r.correlationP, 1.0);
}

TEST(PairedTestKernel, TooFewPairsLeaveSpreadAndCorrelationNotComputed)
{
    PairedTResult r;
    const std::vector<WeightedPair> one = Pairs({3}, {1});
    ComputePairedT(one.data(), one.size(), r);
    EXPECT_EQ(r.meanDifference, 2.0);
    EXPECT_EQ(r.sdX, kFloatMissing);
    EXPECT_EQ(r.t, kFloatMissing);
    EXPECT_EQ(r.twoSidedP, 1.0);
    const std::vector<WeightedPair> two = Pairs({3, 5}, {1, 4});
    ComputePairedT(two.data(), two.size(), r);
    EXPECT_NE(r.t, kFloatMissing);
    EXPECT_EQ(r.r, kFloatMissing);
    ComputePairedT(nullptr, 0, r);
    EXPECT_EQ(r.pairs, 0);
    EXPECT_EQ(r.meanX, kFloatMissing);
}

TEST(PairedTestKernel, SignTestIsExactForFewPairsAndNormalAbove)
{
    SignTestResult s;
    const std::vector<WeightedPair> ties = Pairs({1, 2}, {1, 2});
    ComputeSignTest(ties.data(), ties.size(), s);
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.ties, 2.0);

    const std::vector<WeightedPair> few = Pairs({5, 6, 7, 1}, {1, 2, 3, 4});
    ComputeSignTest(few.data(), few.size(), s);
    EXPECT_TRUE(s.exact);
    EXPECT_EQ(s.larger, 3.0);
    EXPECT_EQ(s.smaller, 1.0);
    EXPECT_NEAR(s.exactP, 0.625, 1e-15);

    std::vector<WeightedPair> many;
    for (int i = 0; i < 30; ++i)
        many.push_back({i < 20 ? 2.0 : 0.0, 1.0, 1.0});
    ComputeSignTest(many.data(), many.size(), s);
    EXPECT_FALSE(s.exact);
    EXPECT_NEAR(s.z, (10 + 0.5 - 15) / (std::sqrt(30.0) / 2), 1e-12);

    // Fractional weights cannot be counted exactly.
    std::vector<WeightedPair> half = {{2, 1, 0.5}, {2, 1, 1.0}, {0, 1, 1.0}};
    ComputeSignTest(half.data(), half.size(), s);
    EXPECT_FALSE(s.exact);
    EXPECT_EQ(s.larger, 1.5);
}

TEST(PairedTestKernel, WilcoxonDropsZerosAndRanksTiesByTheirMidRank)
{
    WilcoxonResult w;
    const std::vector<WeightedPair> pairs = Pairs({3, 5, 1, 9, 4}, {1, 5, 3, 4, 2});
    // differences 2, 0, -2, 5, 2: zero dropped; |2| three times ranks 2.
    ComputeWilcoxon(pairs.data(), pairs.size(), w);
    EXPECT_EQ(w.zeroDifferences, 1.0);
    EXPECT_EQ(w.positive, 3.0);
    EXPECT_EQ(w.negative, 1.0);
    EXPECT_EQ(w.positiveRankSum, 2 + 4 + 2);
    EXPECT_EQ(w.negativeRankSum, 2.0);
    EXPECT_EQ(w.negativeMeanRank, 2.0);
    EXPECT_FALSE(w.normal);
    // T- = 2 of the 16 patterns of the ranks {2, 2, 2, 4}: sums 0, 2 (three ways).
    EXPECT_NEAR(w.exactOneSidedP, 4.0 / 16.0, 1e-15);
    EXPECT_TRUE(w.suppressFooter);
    for (bool significant : w.decisions)
        EXPECT_FALSE(significant);

    const std::vector<WeightedPair> same = Pairs({1, 2, 3}, {1, 2, 3});
    ComputeWilcoxon(same.data(), same.size(), w);
    EXPECT_EQ(w.status, 4);
    EXPECT_EQ(w.positiveMeanRank, kFloatMissing);
}

TEST(PairedTestKernel, WilcoxonExactDecisionsAndNormalApproximation)
{
    std::vector<WeightedPair> allPositive;
    for (int i = 1; i <= 8; ++i)
        allPositive.push_back({static_cast<double>(i) * 1.5, 0.0, 1.0});
    WilcoxonResult w;
    ComputeWilcoxon(allPositive.data(), allPositive.size(), w);
    EXPECT_NEAR(w.exactTwoSidedP, 2.0 / 256.0, 1e-15);
    for (bool significant : w.decisions)
        EXPECT_TRUE(significant);
    EXPECT_FALSE(w.suppressFooter);

    std::vector<WeightedPair> many;
    for (int i = 0; i < 40; ++i)
        many.push_back({static_cast<double>(i % 7), static_cast<double>(i % 4), 1.0});
    std::vector<WeightedPair> nine;
    for (int i = 1; i <= 9; ++i)
        nine.push_back({i == 1 ? -1.0 : static_cast<double>(i), 0.0, 1.0});
    nine.push_back({0.0, 0.0, 1.0});
    ComputeWilcoxon(nine.data(), nine.size(), w);
    // T- = 1 among 512 patterns: sums 0 and 1 -> 2 / 512 one-sided.
    EXPECT_NEAR(w.exactOneSidedP, 2.0 / 512.0, 1e-15);
    EXPECT_TRUE(w.decisions[0] && w.decisions[1] && w.decisions[2] && w.decisions[3]);
    nine[1].x = -2.0;      // T- = 3: sums 0, 1, 2, 3, 1+2 -> 5 / 512
    ComputeWilcoxon(nine.data(), nine.size(), w);
    EXPECT_NEAR(w.exactOneSidedP, 5.0 / 512.0, 1e-15);
    EXPECT_TRUE(w.decisions[2]);       // 1 % one-sided
    EXPECT_FALSE(w.decisions[3]);      // 1 % two-sided: 0.0195

    ComputeWilcoxon(many.data(), many.size(), w);
    EXPECT_TRUE(w.normal);
    EXPECT_LE(w.z, 0.0);
    EXPECT_TRUE(std::isfinite(w.zP));
}

TEST(PairedTestKernel, McNemarNeedsTwoDichotomies)
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

    const std::vector<WeightedPair> agreeing = Pairs({1, 2, 1, 2}, {1, 2, 1, 2});
    ComputeMcNemar(agreeing.data(), agreeing.size(), m);
    EXPECT_EQ(m.status, 0);
    EXPECT_TRUE(m.exact);
    EXPECT_EQ(m.exactP, 1.0);
    EXPECT_EQ(m.counts[0], 2.0);
    EXPECT_EQ(m.counts[3], 2.0);
    EXPECT_EQ(m.rowValues[1], 2.0);
}

TEST(PairedTestKernel, McNemarUsesChiSquareWithContinuityCorrectionAboveTwentyFive)
{
    std::vector<WeightedPair> pairs;
    for (int i = 0; i < 20; ++i)
        pairs.push_back({0, 1, 1.0});
    for (int i = 0; i < 10; ++i)
        pairs.push_back({1, 0, 1.0});
    pairs.push_back({1, 1, 5.0});
    McNemarResult m;
    ComputeMcNemar(pairs.data(), pairs.size(), m);
    EXPECT_FALSE(m.exact);
    EXPECT_NEAR(m.chiSquare, 81.0 / 30.0, 1e-12);
    EXPECT_EQ(m.counts[3], 5.0);
}
