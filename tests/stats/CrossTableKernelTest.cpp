#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/CrossTableKernel.h"
#include "stats/StatMissing.h"

namespace {

void ExpectAllNotComputed(const OrdinalResult &o)
{
    EXPECT_EQ(o.tauA, kDoubleMissing);
    EXPECT_EQ(o.tauB, kDoubleMissing);
    EXPECT_EQ(o.tauC, kDoubleMissing);
    EXPECT_EQ(o.gamma, kDoubleMissing);
    EXPECT_EQ(o.somersSymmetric, kDoubleMissing);
    EXPECT_EQ(o.somersRowDependent, kDoubleMissing);
}

} // namespace

TEST(CrossTableKernel, PerfectAssociationGivesOneForEveryMeasure)
{
    const double counts[] = {10, 0, 0, 10};
    ChiSquareResult chi;
    ComputeChiSquareTest(counts, 2, 2, chi);
    EXPECT_NEAR(chi.chiSquare, 20.0, 1e-12);
    EXPECT_EQ(chi.degreesOfFreedom, 1);
    EXPECT_NEAR(chi.phi, 1.0, 1e-12);
    EXPECT_NEAR(chi.cramersV, 1.0, 1e-12);
    EXPECT_NEAR(chi.contingency, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(chi.expected[1], 5.0, 1e-12);
    EXPECT_NEAR(chi.deviation[1], -5.0, 1e-12);
    EXPECT_NEAR(chi.standardizedDeviation[0], 5.0 / std::sqrt(5.0), 1e-12);
    OrdinalResult o;
    ComputeOrdinalMeasures(counts, 2, 2, o);
    EXPECT_EQ(o.concordant, 100.0);
    EXPECT_EQ(o.discordant, 0.0);
    EXPECT_NEAR(o.gamma, 1.0, 1e-12);
    EXPECT_NEAR(o.tauB, 1.0, 1e-12);
    EXPECT_NEAR(o.somersRowDependent, 1.0, 1e-12);
    EXPECT_NEAR(o.tauA, 100.0 / 190.0, 1e-12);
}

TEST(CrossTableKernel, ASingleRowOrColumnLeavesTheMeasuresNotComputed)
{
    const double oneRow[] = {3, 4, 5};
    ChiSquareResult chi;
    ComputeChiSquareTest(oneRow, 1, 3, chi);
    EXPECT_EQ(chi.chiSquare, kDoubleMissing);
    EXPECT_EQ(chi.probability, kDoubleMissing);
    EXPECT_EQ(chi.phi, kDoubleMissing);
    EXPECT_EQ(chi.cramersV, kDoubleMissing);
    EXPECT_EQ(chi.contingency, kDoubleMissing);
    EXPECT_NEAR(chi.expected[2], 5.0, 1e-12);     // expected counts still exist
    OrdinalResult o;
    ComputeOrdinalMeasures(oneRow, 1, 3, o);
    ExpectAllNotComputed(o);
}

TEST(CrossTableKernel, AnEmptyTableDividesByNothing)
{
    const double zeros[] = {0, 0, 0, 0};
    ChiSquareResult chi;
    ComputeChiSquareTest(zeros, 2, 2, chi);
    EXPECT_EQ(chi.chiSquare, kDoubleMissing);
    for (double e : chi.expected)
        EXPECT_EQ(e, kDoubleMissing);
    OrdinalResult o;
    ComputeOrdinalMeasures(zeros, 2, 2, o);
    ExpectAllNotComputed(o);
}

TEST(CrossTableKernel, AnEmptyRowDoesNotCountInTheDegreesOfFreedom)
{
    // The middle row has no case (possible with zero weights): 2 x 3 used.
    const double counts[] = {4, 2, 1, 0, 0, 0, 1, 3, 5};
    ChiSquareResult chi;
    ComputeChiSquareTest(counts, 3, 3, chi);
    EXPECT_EQ(chi.degreesOfFreedom, 2);
    EXPECT_EQ(chi.standardizedDeviation[4], kDoubleMissing);
    EXPECT_TRUE(std::isfinite(chi.chiSquare));
    EXPECT_NEAR(chi.cramersV, std::sqrt(chi.chiSquare / 16.0), 1e-12);
}

TEST(CrossTableKernel, NoUntiedPairLeavesGammaNotComputed)
{
    // Every case in one cell of each row and column pair: P = Q = 0.
    const double counts[] = {5, 0, 0, 0};
    OrdinalResult o;
    ComputeOrdinalMeasures(counts, 2, 2, o);
    ExpectAllNotComputed(o);
    const double diagonalTies[] = {5, 5, 0, 0};     // one row used only
    ComputeOrdinalMeasures(diagonalTies, 2, 2, o);
    EXPECT_EQ(o.gamma, kDoubleMissing);
}
