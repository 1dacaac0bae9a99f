// What the golden frequency figures do not reach: the order of the records
// and a distribution without a valid case.
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
