// The least-squares sums (their figures against R are checked through the
// biplot computation): the clouds that give no line (too few points, all x
// or all y equal) or no t (r = -1), and the one-sided probability.
#include <gtest/gtest.h>

#include "stats/RegLineSums.h"
#include "stats/StatMissing.h"

namespace {

RegLineSums Sums(std::initializer_list<std::pair<double, double>> points)
{
    RegLineSums sums;
    for (const auto &p : points)
        sums.Add(p.first, p.second);
    return sums;
}

TEST(RegLineSums, APerfectFallingLineHasNoTAndProbabilityZero)
{
    RegLineSums sums = Sums({{1, 3}, {2, 2}, {3, 1}});
    EXPECT_DOUBLE_EQ(-1.0, sums.Slope());
    EXPECT_DOUBLE_EQ(4.0, sums.Intercept());
    EXPECT_EQ(kNotComputed, sums.TValue());
    EXPECT_EQ(0.0, sums.Probability(true));
    RegLineSums rising = Sums({{1, 2}, {2, 4}, {3, 5}, {4, 4}, {5, 5}});
    EXPECT_NEAR(rising.Probability(true) / 2.0, rising.Probability(false), 1e-15);
}

TEST(RegLineSums, CloudsWithoutALineGiveNoResults)
{
    for (RegLineSums sums : {Sums({}), Sums({{1, 1}}), Sums({{2, 1}, {2, 5}}), Sums({{1, 4}, {3, 4}, {7, 4}})}) {
        for (double figure : {sums.Correlation(), sums.Slope(), sums.Intercept(), sums.TValue()})
            EXPECT_EQ(kNotComputed, figure);
        EXPECT_EQ(1.0, sums.Probability(true));
    }
}

} // namespace
