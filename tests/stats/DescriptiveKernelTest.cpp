// Edge cases of the descriptive kernel that the golden figures do not reach:
// which figures exist with 0 to 4 cases or without spread, the record's
// kept fields, and quantiles of an unweighted column turning weighted.
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

struct FewCases
{
    std::vector<WeightedValue> cases;
    bool mean, deviation, skewness, kurtosis;
};

class DescriptiveFewCases : public ::testing::TestWithParam<FewCases>
{};

} // namespace

// Each figure needs its number of cases (mean 1, deviation and limits 2,
// skewness 3, kurtosis 4) and shape needs spread; without them it stays not
// computed, never NaN or infinite.
TEST_P(DescriptiveFewCases, FiguresExistOnlyWithEnoughCases)
{
    const FewCases &c = GetParam();
    const DescriptiveRecord d = Describe(c.cases);
    EXPECT_EQ(d.mean != kNotComputed, c.mean);
    EXPECT_EQ(d.sum != kNotComputed, c.mean);
    EXPECT_EQ(d.standardDeviation != kNotComputed, c.deviation);
    EXPECT_EQ(d.upper99 != kNotComputed, c.deviation);
    EXPECT_EQ(d.skewness != kNotComputed, c.skewness);
    EXPECT_EQ(d.kurtosis != kNotComputed, c.kurtosis);
    const double all[] = {d.minimum, d.maximum, d.sum,     d.mean,     d.standardDeviation, d.lower95,
                          d.upper95, d.lower99, d.upper99, d.skewness, d.kurtosis};
    for (double v : all)
        EXPECT_TRUE(std::isfinite(v));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DescriptiveFewCases,
    ::testing::Values(FewCases{{}, false, false, false, false}, FewCases{{{7.5, 1}}, true, false, false, false},
                      FewCases{{{1, 1}, {4, 1}}, true, true, false, false},
                      FewCases{{{1, 1}, {4, 1}, {10, 1}}, true, true, true, false},
                      FewCases{{{1, 1}, {4, 1}, {10, 1}, {2, 1}}, true, true, true, true},
                      // One case of weight 3 is three cases, but without spread.
                      FewCases{{{2, 3}}, true, true, false, false},
                      FewCases{std::vector<WeightedValue>(6, WeightedValue{5.0, 1.0}), true, true, false, false}));

TEST(DescriptiveKernel, ConstantVariableHasQuantilesAtItsValue)
{
    std::vector<WeightedValue> cases(6, WeightedValue{5.0, 1.0});
    double q[7];
    ComputeQuantileSummary(cases, q);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(q[i], 5.0);
    ComputeQuantileSummary(std::vector<WeightedValue>(), q);
    EXPECT_EQ(q[1], kNotComputed);
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
    EXPECT_EQ(d.QuantileSummary()[1], kNotComputed);
    d.Reset();
    EXPECT_EQ(d.QuantileSummary(), nullptr);
}

// The column keeps values alone until a weight other than 1 comes; the
// weights of the values before it are then 1.
TEST(DescriptiveKernel, QuantileColumnTurnsWeightedWhenAWeightComes)
{
    QuantileColumn column;
    column.Add(4, 1);
    column.Add(2, 1);
    column.Add(9, 0); // weight 0: no case
    column.Add(3, 2); // 2 3 3 4
    column.Add(1, 1); // 1 2 3 3 4
    EXPECT_EQ(column.Size(), 4u);
    EXPECT_EQ(column.TotalWeight(), 5.0);
    double q[7];
    ComputeQuantileSummary(column, q);
    EXPECT_EQ(q[1], 3.0);
    EXPECT_EQ(q[5], 1.0);
    EXPECT_EQ(q[6], 4.0);
    QuantileColumn even;
    for (double v : {4.0, 2.0, 3.0, 1.0})
        even.Add(v, 1);
    ComputeQuantileSummary(even, q);
    EXPECT_EQ(q[1], 2.5); // averaged where the distribution is flat
    EXPECT_EQ(q[0], 1.5);
}
