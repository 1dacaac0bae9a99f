// The one moment accumulator: its accuracy far from zero, and that every
// computation taking a standard deviation from it gives the same bits for
// the same variable over the same cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "GoldenData.h"
#include "dataset/DATASET.h"
#include "stats/CorrObj.h"
#include "stats/MeanObj.h"
#include "stats/OnewayObj.h"
#include "stats/PairedTests.h"
#include "stats/Stat.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

namespace {

class MomentsFarFromZero : public ::testing::TestWithParam<double>
{};

} // namespace

// 4, 7, 13, 16 (mean 10, variance 30) shifted far from zero: the textbook
// sum of squares minus the squared sum loses every digit at 1e9; the
// running update keeps them.
TEST_P(MomentsFarFromZero, KeepTheDigitsOfTheSpread)
{
    const double offset = GetParam();
    WeightedMoments m;
    for (double v : {4.0, 7.0, 13.0, 16.0})
        m.Add(offset + v, 1.0);
    m.Add(offset + 99.0, 0.0); // weight 0: no case
    EXPECT_EQ(m.Count(), 4);
    EXPECT_NEAR(m.Mean() - offset, 10.0, 1e-15 * (offset + 10.0));
    EXPECT_NEAR(m.Variance(), 30.0, 1e-12 * 30.0);
    EXPECT_NEAR(m.Skewness(), 0.0, 1e-9);
    EXPECT_TRUE(m.HasVariance());
}

INSTANTIATE_TEST_SUITE_P(Offsets, MomentsFarFromZero, ::testing::Values(0.0, 1e9, 1e12));

namespace {

// 40 cases of awkward values and fractional weights; every value valid.
std::string AwkwardValues()
{
    std::string csv = "x,y,g,w\n";
    for (int i = 0; i < 40; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%.17g,%.17g,%d,%.17g\n", 1e6 + 1000.0 * std::sin(i * 1.7),
                      50.0 * std::cos(i * 0.3), 1 + i % 3, 0.25 + (i % 5) * 0.7);
        csv += line;
    }
    return csv;
}

uint64_t Bits(double v)
{
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

} // namespace

// The descriptives, the one-way breakdown, the correlation (listwise and
// pairwise) and the paired t-test of the same variable over the same cases
// give the same standard deviation to the last bit.
TEST(WeightedMoments, EveryComputationGivesTheSameStandardDeviation)
{
    std::unique_ptr<DATASET> set(BuildDataSet("variable x\ntype double\nvariable y\ntype double\nvariable g\ntype u8\n"
                                              "variable w\ntype double\nweight w\n",
                                              AwkwardValues(), "moments.QVF"));
    ASSERT_TRUE(set);

    MeanObj descriptives(1, set.get());
    ASSERT_TRUE(descriptives.Compute());
    const double sd = descriptives.record.standardDeviation;
    ASSERT_NE(sd, kNotComputed);

    StatClass base(set.get());
    const Stat stat(&base, 1, 0, kNotComputed);
    OnewayObj oneway(1, 3, set.get());
    ASSERT_TRUE(oneway.Compute());
    const long both[] = {1, 2, 0};
    CorrObj listwise(both, CorrObj::kListwise, nullptr, set.get());
    CorrObj pairwise(both, CorrObj::kPairwise, nullptr, set.get());
    ASSERT_EQ(listwise.errorCode, 0);
    GTtestPar paired(1, 2, 1, set.get());

    const struct
    {
        const char *computation;
        double value;
    } others[] = {{"Stat", stat.standardDeviation},
                  {"one-way total", oneway.total.standardDeviation},
                  {"correlation listwise", listwise.result.standardDeviation[0]},
                  {"correlation pairwise", pairwise.result.standardDeviation[0]},
                  {"paired t", paired.standardDeviation[0]}};
    for (const auto &other : others)
        EXPECT_EQ(Bits(other.value), Bits(sd)) << other.computation << ": " << other.value << " against " << sd;
}

TEST(WeightedMoments, SkewnessAndKurtosisDoNotDependOnTheScaleOfValuesOrWeights)
{
    // The same skewed sample: as it is, its values times 2^1000 or near
    // the largest double, and its weights near 1e300.
    const double sample[] = {-1, 1, -1, 1, -1, 1, 2, 5, -1, 1, 0.5, 3};
    WeightedMoments plain, bigValues, hugeValues, hugeWeights, alternating, alternatingUnit;
    for (int round = 0; round < 500; ++round) {
        for (double x : sample) {
            plain.Add(x, 1.0);
            bigValues.Add(std::ldexp(x, 1000), 1.0);
            hugeValues.Add(x * 3.4e307, 1.0);
            hugeWeights.Add(x, 1e300);
        }
        alternating.Add(round % 2 ? 1.7e308 : -1.7e308, 1.0);
        alternatingUnit.Add(round % 2 ? 1.0 : -1.0, 1.0);
    }
    for (const WeightedMoments *m : {&bigValues, &hugeValues}) {
        EXPECT_NEAR(m->Skewness(), plain.Skewness(), 1e-12);
        EXPECT_NEAR(m->Kurtosis(), plain.Kurtosis(), 1e-12);
    }
    // Weights of 1e300 stand for that many cases: the sample corrections
    // vanish, the population figures remain.
    EXPECT_NEAR(hugeWeights.Skewness(), plain.Skewness(), 1e-2 * std::fabs(plain.Skewness()));
    EXPECT_NEAR(hugeWeights.Kurtosis(), plain.Kurtosis(), 1e-2 * std::fabs(plain.Kurtosis()));
    EXPECT_NEAR(alternating.Kurtosis(), alternatingUnit.Kurtosis(), 1e-12);
    EXPECT_NEAR(alternating.Skewness(), alternatingUnit.Skewness(), 1e-12);
}

TEST(WeightedMoments, WeightsSummingPastTheLargestDoubleKeepTheirFigures)
{
    // Equal weights of 2^1020 against equal weights of 2^20: the same
    // sample of 6000 cases (several blocks) given more weight, so the mean
    // is the same bits, and spread, skewness and kurtosis are the same up
    // to the sample corrections (N - 1 against N), of the order of 1e-9.
    const double sample[] = {-1, 1, -1, 1, -1, 1, 2, 5, -1, 1, 0.5, 3};
    WeightedMoments huge, ordinary;
    for (int round = 0; round < 500; ++round)
        for (double x : sample) {
            huge.Add(x, std::ldexp(1.0, 1020));
            ordinary.Add(x, std::ldexp(1.0, 20));
        }
    EXPECT_EQ(ordinary.WeightScale(), 0);
    EXPECT_NE(huge.WeightScale(), 0);
    EXPECT_TRUE(std::isinf(huge.Weight()));
    EXPECT_TRUE(std::isinf(huge.Sum()));
    EXPECT_EQ(huge.Count(), 6000);
    EXPECT_EQ(huge.Mean(), ordinary.Mean());
    EXPECT_NEAR(huge.StandardDeviation(), ordinary.StandardDeviation(), 1e-9);
    EXPECT_NEAR(huge.Skewness(), ordinary.Skewness(), 1e-9);
    EXPECT_NEAR(huge.Kurtosis(), ordinary.Kurtosis(), 1e-8);
    EXPECT_TRUE(huge.HasVariance());

    // A case of weight 1 beside cases near the largest double barely moves
    // the mean; the sum that fits a double is read back in full.
    WeightedMoments mixed;
    mixed.Add(0.25, 1.7e308);
    mixed.Add(0.25, 1.7e308);
    mixed.Add(-1e300, 1.0);
    EXPECT_NE(mixed.WeightScale(), 0);
    EXPECT_NEAR(mixed.Mean(), 0.25 - 1e300 / 1.7e308 / 2.0, 1e-12);
    EXPECT_NEAR(mixed.Sum(), 0.5 * 1.7e308 - 1e300, 1e295);
}
