#include <gtest/gtest.h>

#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

// Reference values from R: 2 * pt(-2, 10), pchisq(3.841459, 1, lower = F),
// pf(4.1, 2, 20, lower = F), 2 * pnorm(-1.959964), pbinom(3, 12, .5).
TEST(StatDistributions, TailProbabilitiesMatchKnownValues)
{
    EXPECT_NEAR(StudentTailProbability(2.0, 10, 1), 0.0733880347707404, 1e-13);
    EXPECT_NEAR(StudentTailProbability(-2.0, 10, 0), 0.0366940173853702, 1e-13);
    EXPECT_NEAR(StudentTailProbability(1.5, 7.35, 1), 0.1752871371653835, 1e-12);
    EXPECT_NEAR(ChiSquareTailProbability(3.841459, 1), 0.05, 1e-7);
    EXPECT_NEAR(FisherTailProbability(4.1, 2, 20), 0.0321965155860390, 1e-12);
    EXPECT_NEAR(NormalTailProbability(-1.959964, 1), 0.05, 1e-7);
    EXPECT_NEAR(BinomialLowerTail(3, 12, 0.5), 0.072998046875, 1e-15);
    EXPECT_NEAR(BinomialTwoSidedProbability(3, 9), 0.14599609375, 1e-15);
    EXPECT_EQ(BinomialTwoSidedProbability(6, 6), 1.0);
    EXPECT_NEAR(StudentQuantile(0.975, 9), 2.26215716279820, 1e-12);
    // Degrees of freedom beyond a double's digits, or beyond a double: the
    // normal's quantile and tail.
    EXPECT_NEAR(StudentQuantile(0.975, 1e300), 1.95996398454005, 1e-12);
    EXPECT_NEAR(StudentQuantile(0.975, INFINITY), 1.95996398454005, 1e-12);
    EXPECT_NEAR(StudentTailProbability(1.95996398454005, 4e301, 1), 0.05, 1e-12);
}

TEST(StatDistributions, ArgumentsOutsideTheDomainGiveTheNotComputedMark)
{
    EXPECT_EQ(StudentTailProbability(1.0, 0.0, 1), kNotComputed);
    EXPECT_EQ(StudentTailProbability(kNotComputed, 10, 1), kNotComputed);
    EXPECT_EQ(StudentTailProbability(NAN, 10, 1), kNotComputed);
    EXPECT_EQ(StudentQuantile(0.975, -1.0), kNotComputed);
    EXPECT_EQ(StudentQuantile(1.0, 5.0), kNotComputed);
    EXPECT_EQ(FisherTailProbability(2.0, 0.0, 5.0), kNotComputed);
    EXPECT_EQ(ChiSquareTailProbability(INFINITY, 2), kNotComputed);
    EXPECT_EQ(BinomialLowerTail(-1, 5, 0.5), kNotComputed);
}

TEST(StatDistributions, ExtremeStatisticsGiveProbabilitiesAtTheEnds)
{
    EXPECT_EQ(FisherTailProbability(0.0, 2, 10), 1.0);
    EXPECT_EQ(ChiSquareTailProbability(0.0, 3), 1.0);
    const double tiny = StudentTailProbability(1e6, 30, 1);
    EXPECT_GE(tiny, 0.0);
    EXPECT_LT(tiny, 1e-100);
    EXPECT_EQ(StudentTailProbability(0.0, 5, 1), 1.0);
}
