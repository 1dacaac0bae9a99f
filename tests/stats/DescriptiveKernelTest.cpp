#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/StatMissing.h"

namespace {

DescriptiveRecord Describe(const std::vector<WeightedValue> &cases)
{
    DescriptiveRecord d;
    ComputeDescriptives(cases.data(), cases.size(), d);
    return d;
}

void ExpectNoNanOrInfinity(const DescriptiveRecord &d)
{
    const double all[] = {d.minimum, d.maximum, d.sum, d.mean, d.standardDeviation, d.lower95,
                          d.upper95, d.lower99, d.upper99, d.skewness, d.kurtosis};
    for (double v : all)
        EXPECT_TRUE(std::isfinite(v));
}

} // namespace

// Skewness is defined from 3 cases and kurtosis from 4; with fewer they stay
// not computed (the guard below 2 cases let them divide by zero).
TEST(DescriptiveKernel, SkewnessNeedsThreeAndKurtosisFourCases)
{
    DescriptiveRecord two = Describe({{1, 1}, {4, 1}});
    EXPECT_NE(two.standardDeviation, kFloatMissing);
    EXPECT_EQ(two.skewness, kFloatMissing);
    EXPECT_EQ(two.kurtosis, kFloatMissing);
    ExpectNoNanOrInfinity(two);

    DescriptiveRecord three = Describe({{1, 1}, {4, 1}, {10, 1}});
    EXPECT_NEAR(three.skewness, 0.935219529582825, 1e-12);   // R: n/((n-1)(n-2)) sum z^3
    EXPECT_EQ(three.kurtosis, kFloatMissing);
    ExpectNoNanOrInfinity(three);

    DescriptiveRecord four = Describe({{1, 1}, {4, 1}, {10, 1}, {2, 1}});
    EXPECT_NE(four.skewness, kFloatMissing);
    EXPECT_NE(four.kurtosis, kFloatMissing);
}

TEST(DescriptiveKernel, NoCaseLeavesEveryFigureNotComputed)
{
    DescriptiveRecord d = Describe({});
    EXPECT_EQ(d.count, 0);
    EXPECT_EQ(d.weightedCount, 0.0);
    EXPECT_EQ(d.mean, kFloatMissing);
    EXPECT_EQ(d.sum, kFloatMissing);
    EXPECT_EQ(d.standardDeviation, kFloatMissing);
    EXPECT_EQ(d.lower95, kFloatMissing);
    ExpectNoNanOrInfinity(d);
    std::vector<WeightedValue> none;
    double q[7];
    ComputeQuantileSummary(none, q);
    for (double v : q)
        EXPECT_EQ(v, kFloatMissing);
}

TEST(DescriptiveKernel, OneCaseHasMeanAndSumButNoSpread)
{
    DescriptiveRecord d = Describe({{7.5, 1}});
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.mean, 7.5);
    EXPECT_EQ(d.sum, 7.5);
    EXPECT_EQ(d.minimum, 7.5);
    EXPECT_EQ(d.standardDeviation, kFloatMissing);
    EXPECT_EQ(d.upper99, kFloatMissing);
    ExpectNoNanOrInfinity(d);
}

TEST(DescriptiveKernel, ConstantVariableHasZeroSpreadAndNoShape)
{
    std::vector<WeightedValue> cases(6, WeightedValue{5.0, 1.0});
    DescriptiveRecord d = Describe(cases);
    EXPECT_EQ(d.standardDeviation, 0.0);
    EXPECT_EQ(d.lower95, 5.0);
    EXPECT_EQ(d.upper99, 5.0);
    EXPECT_EQ(d.skewness, kFloatMissing);
    EXPECT_EQ(d.kurtosis, kFloatMissing);
    ExpectNoNanOrInfinity(d);
    double q[7];
    ComputeQuantileSummary(cases, q);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(q[i], 5.0);
}

TEST(DescriptiveKernel, WeightsCountLikeRepeatedCases)
{
    DescriptiveRecord weighted = Describe({{1, 2}, {5, 1}, {3, 3}, {9, 0}});
    DescriptiveRecord repeated = Describe({{1, 1}, {1, 1}, {5, 1}, {3, 1}, {3, 1}, {3, 1}});
    EXPECT_EQ(weighted.count, 3);
    EXPECT_EQ(weighted.weightedCount, 6.0);
    EXPECT_EQ(weighted.maximum, 5.0);     // the case of weight 0 counts nowhere
    EXPECT_NEAR(weighted.mean, repeated.mean, 1e-14);
    EXPECT_NEAR(weighted.standardDeviation, repeated.standardDeviation, 1e-14);
    EXPECT_NEAR(weighted.skewness, repeated.skewness, 1e-12);
    EXPECT_NEAR(weighted.kurtosis, repeated.kurtosis, 1e-12);
    EXPECT_NEAR(weighted.lower99, repeated.lower99, 1e-12);
}

TEST(DescriptiveKernel, RecomputingKeepsLabelBreakValueAndQuantiles)
{
    DescriptiveRecord d;
    d.label = "group";
    d.breakValue = 3;
    d.SetSevenToMaxFloat();
    std::vector<WeightedValue> cases = {{1, 1}, {2, 1}};
    ComputeDescriptives(cases.data(), cases.size(), d);
    EXPECT_EQ(d.label, "group");
    EXPECT_EQ(d.breakValue, 3.0);
    ASSERT_NE(d.QuantileSummary(), nullptr);
    EXPECT_EQ(d.QuantileSummary()[1], kFloatMissing);
    d.Reset();
    EXPECT_EQ(d.QuantileSummary(), nullptr);
}

TEST(DescriptiveKernel, MedianAveragesWhereTheDistributionIsFlat)
{
    std::vector<WeightedValue> even = {{4, 1}, {2, 1}, {3, 1}, {1, 1}};
    double q[7];
    ComputeQuantileSummary(even, q);
    EXPECT_EQ(q[1], 2.5);
    EXPECT_EQ(q[0], 1.5);
    EXPECT_EQ(q[2], 3.5);

    std::vector<WeightedValue> weighted = {{1, 1}, {2, 2}, {3, 1}};   // 1 2 2 3
    ComputeQuantileSummary(weighted, q);
    EXPECT_EQ(q[1], 2.0);

    std::vector<WeightedValue> half = {{1, 0.5}, {2, 0.5}};
    ComputeQuantileSummary(half, q);
    EXPECT_EQ(q[1], 1.5);
}

TEST(DescriptiveKernel, WhiskersEndAtTheLastValuesWithinOneInterquartileRange)
{
    std::vector<WeightedValue> cases;
    for (int v = 1; v <= 9; ++v)
        cases.push_back({static_cast<double>(v), 1});
    cases.push_back({100, 1});
    cases.push_back({-50, 1});
    double q[7];
    ComputeQuantileSummary(cases, q);
    // Q1 = 2, Q3 = 8 (11 cases), IQR 6: whiskers at the values in [-4, 14].
    EXPECT_EQ(q[0], 2.0);
    EXPECT_EQ(q[2], 8.0);
    EXPECT_EQ(q[3], 1.0);
    EXPECT_EQ(q[4], 9.0);
    EXPECT_EQ(q[5], -50.0);
    EXPECT_EQ(q[6], 100.0);
}
