#include <gtest/gtest.h>

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
    EXPECT_EQ(r.categories[3].value, kNotComputed);
    EXPECT_TRUE(r.categories[2].missing);
    // A user-missing code keeps its record, counts in the total, and has no
    // valid percent.
    EXPECT_EQ(r.categories[2].validPercent, -1.0);
    EXPECT_NEAR(r.categories[2].percent, 100.0 / 7, 1e-12);
    EXPECT_NEAR(r.categories[1].validPercent, 60.0, 1e-12);
    EXPECT_NEAR(r.mean, 11.0 / 5, 1e-12);
}

TEST(FrequencyKernel, WeightedCountsLeaveTheCountFieldAtZero)
{
    FrequencyCounter c;
    c.Add(1, 2.5, false);
    c.Add(2, 1.5, false);
    c.Add(1, 1.0, false);
    FrequencyResult r;
    c.Finish(true, r);
    ASSERT_EQ(r.categories.size(), 2u);
    EXPECT_EQ(r.categories[0].count, 0);
    EXPECT_EQ(r.categories[0].frequency, 3.5);
    EXPECT_NEAR(r.categories[0].percent, 70.0, 1e-12);
    EXPECT_NEAR(r.mean, 4.0 / 3, 1e-12); // each case once, without its weight
}

TEST(FrequencyKernel, NoValidCaseKeepsTheMeanNotComputedAndValidPercentsZero)
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
    EXPECT_EQ(r.total, 0.0);
}
