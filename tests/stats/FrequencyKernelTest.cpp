// What the golden frequency figures do not reach: the order of the records
// and a distribution without a valid case.
#include <gtest/gtest.h>

#include <cmath>

#include "stats/FrequencyKernel.h"
#include "stats/StatMissing.h"

TEST(FrequencyKernel, RecordsAscendWithTheSystemMissingValueLast)
{
    FrequencyCounter c;
    const double values[] = {3, 1, kNotComputed, 3, 9, 1, 3};
    for (double v : values)
        c.Add(v, 1.0, v == kNotComputed || v == 9);
    FrequencyResult r;
    c.Finish(false, r);
    ASSERT_EQ(r.categories.size(), 4u);
    EXPECT_EQ(r.categories[0].value, 1.0);
    EXPECT_EQ(r.categories[1].count, 3);
    EXPECT_TRUE(r.categories[2].missing);
    EXPECT_EQ(r.categories[3].value, kNotComputed);
}

TEST(FrequencyKernel, NoValidCaseKeepsTheMeanNotComputed)
{
    FrequencyCounter c;
    c.Add(9, 1.0, true);
    FrequencyResult r;
    c.Finish(false, r);
    EXPECT_EQ(r.mean, kNotComputed);
    EXPECT_EQ(r.categories[0].percent, 100.0);
    FrequencyCounter empty;
    empty.Finish(false, r);
    EXPECT_TRUE(r.categories.empty());
}

TEST(FrequencyKernel, PercentagesOfExtremeWeightsAreTheSharesOfOrdinaryOnes)
{
    // Weights 1 : 3 at every scale: subnormal (the reciprocal of the total
    // overflows), near the largest double, and past it in sum.
    for (double unit : {4e-320, 1e300, 4.25e307, 1.7e308 / 3}) {
        FrequencyCounter counter;
        counter.Add(1.0, unit, false);
        counter.Add(2.0, 3.0 * unit, false);
        FrequencyResult result;
        counter.Finish(true, result);
        ASSERT_EQ(result.categories.size(), 2u);
        EXPECT_NEAR(result.categories[0].percent, 25.0, 1e-9) << unit;
        EXPECT_NEAR(result.categories[1].percent, 75.0, 1e-9) << unit;
        EXPECT_NEAR(result.categories[1].validPercent, 75.0, 1e-9) << unit;
        EXPECT_EQ(result.weightsTooLarge, !std::isfinite(4.0 * unit)) << unit;
    }
    // One category's own weights pass the largest double: its share has no
    // figure, and neither has the other's.
    FrequencyCounter counter;
    counter.Add(1.0, 1e308, false);
    counter.Add(1.0, 1e308, false);
    counter.Add(2.0, 1.0, false);
    FrequencyResult result;
    counter.Finish(true, result);
    EXPECT_TRUE(result.weightsTooLarge);
    EXPECT_EQ(result.categories[0].percent, kNotComputed);
    EXPECT_EQ(result.categories[1].percent, kNotComputed);
}
