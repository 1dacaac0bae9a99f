// Edge cases of the descriptive kernel that the golden figures do not reach:
// which figures exist with 0 to 4 cases or without spread, the record's
// kept fields, and quantiles of an unweighted column turning weighted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dataset/DataSetLayout.h"
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

// A column that counts whole values gives the summary of the column of the
// same cases bit for bit: over sizes odd and even (where quartiles average
// two values), runs of one value, a single value, and a case the counts
// cannot hold (out of range, not whole, a weight other than 1), which turns
// the column back into one of cases.
TEST(DescriptiveKernel, CountedColumnGivesTheSummaryOfItsCases)
{
    const double lateCases[][2] = {{0, 1}, {300, 1}, {2.5, 1}, {3, 2}};
    for (long n : {1L, 2L, 3L, 4L, 7L, 8L, 40L, 1001L, 4096L, 5000L}) {
        for (int late = -1; late < 4; ++late) {
            SCOPED_TRACE("n " + std::to_string(n) + ", late case " + std::to_string(late));
            QuantileColumn counted, plain;
            counted.CountWholeValues(-5, 254);
            ASSERT_TRUE(counted.Counting());
            std::vector<double> block;
            for (long i = 0; i < n; ++i)
                block.push_back(static_cast<double>((i * 37) % std::min(n / 3 + 2, 200L)) - 5.0);
            counted.AddBlock(block.data(), nullptr, block.size());
            plain.AddBlock(block.data(), nullptr, block.size());
            if (late >= 0) {
                counted.Add(lateCases[late][0], lateCases[late][1]);
                plain.Add(lateCases[late][0], lateCases[late][1]);
            }
            EXPECT_EQ(counted.Counting(), late < 1);
            EXPECT_EQ(counted.TotalWeight(), plain.TotalWeight());
            double a[7], b[7];
            ComputeQuantileSummary(counted, a);
            ComputeQuantileSummary(plain, b);
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(a[q], b[q]) << "summary value " << q;
        }
    }
}

TEST(DescriptiveKernel, ColumnsOfStoredWholeValuesCountOnlyWithoutWeights)
{
    QuantileColumn bytes, shorts, doubles, weighted;
    CountStoredValues(bytes, STORAGE_U8, false);
    CountStoredValues(shorts, STORAGE_I16, false);
    CountStoredValues(doubles, STORAGE_DOUBLE, false);
    CountStoredValues(weighted, STORAGE_U8, true);
    EXPECT_TRUE(bytes.Counting());
    EXPECT_TRUE(shorts.Counting());
    EXPECT_FALSE(doubles.Counting());
    EXPECT_FALSE(weighted.Counting());
    const double extremes[] = {-32768, 32766, 0};
    shorts.AddBlock(extremes, nullptr, 3);
    EXPECT_TRUE(shorts.Counting());
    double q[7];
    ComputeQuantileSummary(shorts, q);
    EXPECT_EQ(q[5], -32768.0);
    EXPECT_EQ(q[6], 32766.0);
    EXPECT_EQ(q[1], 0.0);
}
