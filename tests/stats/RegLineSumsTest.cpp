// The least-squares sums: R's lm / cor.test figures for one cloud, the
// relation of the one- and two-sided probability, and the clouds that give
// no line (too few points, all x or all y equal) or no t (r = -1).
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

TEST(RegLineSums, GivesRsLineAndTest)
{
    // R: lm(y ~ x) a = 2.2, b = 0.6; cor.test r = 0.7745967, t = 2.1213 on
    // 3 df, p = 0.124 (two-sided).
    RegLineSums sums = Sums({{1, 2}, {2, 4}, {3, 5}, {4, 4}, {5, 5}});
    EXPECT_NEAR(2.2, sums.Intercept(), 1e-12);
    EXPECT_NEAR(0.6, sums.Slope(), 1e-12);
    EXPECT_NEAR(0.7745967, sums.Correlation(), 1e-7);
    EXPECT_NEAR(2.1213203, sums.TValue(), 1e-7);
    EXPECT_NEAR(0.1240, sums.Probability(true), 5e-5);
    EXPECT_NEAR(sums.Probability(true) / 2.0, sums.Probability(false), 1e-15);
    // A point added after the results counts in the next ones.
    sums.Add(6, 9);
    EXPECT_EQ(6.0, sums.Count());
    EXPECT_GT(sums.Slope(), 0.6);
}

TEST(RegLineSums, APerfectFallingLineHasNoTAndProbabilityZero)
{
    RegLineSums sums = Sums({{1, 3}, {2, 2}, {3, 1}});
    EXPECT_DOUBLE_EQ(-1.0, sums.Correlation());
    EXPECT_DOUBLE_EQ(-1.0, sums.Slope());
    EXPECT_DOUBLE_EQ(4.0, sums.Intercept());
    EXPECT_EQ(kNotComputed, sums.TValue());
    EXPECT_EQ(0.0, sums.Probability(true));
}

TEST(RegLineSums, CloudsWithoutALineGiveNoResults)
{
    const RegLineSums clouds[] = {Sums({}), Sums({{1, 1}}), Sums({{2, 1}, {2, 5}, {2, 3}}),
                                  Sums({{1, 4}, {3, 4}, {7, 4}})};
    for (RegLineSums sums : clouds) {
        EXPECT_EQ(kNotComputed, sums.Correlation());
        EXPECT_EQ(kNotComputed, sums.Slope());
        EXPECT_EQ(kNotComputed, sums.Intercept());
        EXPECT_EQ(kNotComputed, sums.TValue());
        EXPECT_EQ(1.0, sums.Probability(true));
    }
}

} // namespace
