#include <gtest/gtest.h>

#include "stats/SweepMatrix.h"

namespace {

SweepMatrix Example()
{
    // A positive definite matrix.
    const double a[3][3] = {{4, 2, 0.6}, {2, 3, 0.4}, {0.6, 0.4, 2}};
    SweepMatrix m(3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m.At(i, j) = a[i][j];
    return m;
}

} // namespace

TEST(SweepMatrix, SweepingTwoPivotsGivesMinusTheInverseOfTheirBlock)
{
    SweepMatrix m = Example();
    ASSERT_TRUE(m.Sweep(0));
    ASSERT_TRUE(m.Sweep(1));
    // inverse of {{4, 2}, {2, 3}} is {{3, -2}, {-2, 4}} / 8
    EXPECT_NEAR(m.At(0, 0), -3.0 / 8, 1e-15);
    EXPECT_NEAR(m.At(0, 1), 2.0 / 8, 1e-15);
    EXPECT_NEAR(m.At(1, 1), -4.0 / 8, 1e-15);
    // regression weights of variable 2 on 0 and 1, and its residual
    const double b0 = (3 * 0.6 - 2 * 0.4) / 8, b1 = (-2 * 0.6 + 4 * 0.4) / 8;
    EXPECT_NEAR(m.At(0, 2), b0, 1e-15);
    EXPECT_NEAR(m.At(1, 2), b1, 1e-15);
    EXPECT_NEAR(m.At(2, 2), 2 - (b0 * 0.6 + b1 * 0.4), 1e-15);
    EXPECT_TRUE(m.IsSwept(0));
    EXPECT_FALSE(m.IsSwept(2));
}

TEST(SweepMatrix, SweepingAPivotAgainRestoresTheMatrixInAnyOrder)
{
    const SweepMatrix unchanged = Example();
    SweepMatrix m = Example();
    m.Sweep(1);
    m.Sweep(2);
    m.Sweep(1);
    m.Sweep(0);
    m.Sweep(2);
    m.Sweep(0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(m.IsSwept(i));
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(m.At(i, j), unchanged.At(i, j), 1e-14) << i << "," << j;
    }
}

TEST(SweepMatrix, AZeroPivotIsRefusedAndLeavesTheMatrixAlone)
{
    SweepMatrix m(2);
    m.At(0, 0) = 1;
    m.At(0, 1) = m.At(1, 0) = 1;
    m.At(1, 1) = 1; // the second variable equals the first
    ASSERT_TRUE(m.Sweep(0));
    EXPECT_NEAR(m.At(1, 1), 0.0, 1e-15);
    EXPECT_FALSE(m.Sweep(1));
    EXPECT_FALSE(m.IsSwept(1));
    EXPECT_FALSE(m.Sweep(5));
}
