#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/CrossTableKernel.h"
#include "stats/StatMissing.h"

namespace {

void ExpectAllNotComputed(const OrdinalResult &o)
{
    EXPECT_EQ(o.tauA, kNotComputed);
    EXPECT_EQ(o.tauB, kNotComputed);
    EXPECT_EQ(o.tauC, kNotComputed);
    EXPECT_EQ(o.gamma, kNotComputed);
    EXPECT_EQ(o.somersSymmetric, kNotComputed);
    EXPECT_EQ(o.somersRowDependent, kNotComputed);
}

ChiSquareResult ChiSquare(const double *counts, long rows, long columns)
{
    ChiSquareResult chi;
    ComputeChiSquareTest(CrossTable::FromDense(counts, rows, columns), chi);
    return chi;
}

OrdinalResult Ordinal(const double *counts, long rows, long columns)
{
    OrdinalResult o;
    ComputeOrdinalMeasures(CrossTable::FromDense(counts, rows, columns), o);
    return o;
}

} // namespace

TEST(CrossTableKernel, PerfectAssociationGivesOneForEveryMeasure)
{
    const double counts[] = {10, 0, 0, 10};
    const CrossTable table = CrossTable::FromDense(counts, 2, 2);
    const ChiSquareResult chi = ChiSquare(counts, 2, 2);
    EXPECT_NEAR(chi.chiSquare, 20.0, 1e-12);
    EXPECT_EQ(chi.degreesOfFreedom, 1);
    EXPECT_NEAR(chi.phi, 1.0, 1e-12);
    EXPECT_NEAR(chi.cramersV, 1.0, 1e-12);
    EXPECT_NEAR(chi.contingency, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(table.Expected(0, 1), 5.0, 1e-12);
    EXPECT_NEAR(table.Deviation(0, 1), -5.0, 1e-12);
    EXPECT_NEAR(table.StandardizedDeviation(0, 0), 5.0 / std::sqrt(5.0), 1e-12);
    const OrdinalResult o = Ordinal(counts, 2, 2);
    EXPECT_EQ(o.concordant, 100.0);
    EXPECT_EQ(o.discordant, 0.0);
    EXPECT_NEAR(o.gamma, 1.0, 1e-12);
    EXPECT_NEAR(o.tauB, 1.0, 1e-12);
    EXPECT_NEAR(o.somersRowDependent, 1.0, 1e-12);
    EXPECT_NEAR(o.tauA, 100.0 / 190.0, 1e-12);
}

// Tables without two used rows and columns, without cases or without an
// untied pair divide by nothing: the measures stay not computed.
TEST(CrossTableKernel, DegenerateTablesLeaveTheMeasuresNotComputed)
{
    const struct
    {
        std::vector<double> counts;
        long rows, columns;
        bool chiSquare; // the chi-square test is computed
    } tables[] = {{{3, 4, 5}, 1, 3, false},
                  {{0, 0, 0, 0}, 2, 2, false},
                  {{5, 0, 0, 0}, 2, 2, false},
                  {{5, 5, 0, 0}, 2, 2, false}};
    for (const auto &t : tables) {
        SCOPED_TRACE(testing::Message() << t.rows << "x" << t.columns << " first " << t.counts[0]);
        const ChiSquareResult chi = ChiSquare(t.counts.data(), t.rows, t.columns);
        for (double v : {chi.chiSquare, chi.probability, chi.phi, chi.cramersV, chi.contingency})
            EXPECT_EQ(v, kNotComputed);
        ExpectAllNotComputed(Ordinal(t.counts.data(), t.rows, t.columns));
    }
    // Expected counts exist with cases, not without.
    const double oneRow[] = {3, 4, 5}, zeros[] = {0, 0, 0, 0};
    EXPECT_NEAR(CrossTable::FromDense(oneRow, 1, 3).Expected(0, 2), 5.0, 1e-12);
    EXPECT_EQ(CrossTable::FromDense(zeros, 2, 2).Expected(1, 1), kNotComputed);
}

TEST(CrossTableKernel, AnEmptyRowDoesNotCountInTheDegreesOfFreedom)
{
    // The middle row has no case (possible with zero weights): 2 x 3 used.
    const double counts[] = {4, 2, 1, 0, 0, 0, 1, 3, 5};
    const ChiSquareResult chi = ChiSquare(counts, 3, 3);
    EXPECT_EQ(chi.degreesOfFreedom, 2);
    EXPECT_EQ(CrossTable::FromDense(counts, 3, 3).StandardizedDeviation(1, 1), kNotComputed);
    EXPECT_NEAR(chi.cramersV, std::sqrt(chi.chiSquare / 16.0), 1e-12);
}

// The sums over present cells (absent cells' chi-square part by rows, P and
// Q by a sweep) against the textbook sums over every cell and every pair of
// cells, on sparse tables of uneven weighted counts.
TEST(CrossTableKernel, SparseSumsEqualTheSumsOverEveryCell)
{
    unsigned state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    for (int round = 0; round < 20; ++round) {
        const long rows = 1 + next() % 9, columns = 1 + next() % 11;
        std::vector<double> counts(static_cast<size_t>(rows * columns), 0.0);
        for (double &n : counts)
            if (next() % 3 == 0)
                n = (next() % 1000) / 8.0;
        const CrossTable table = CrossTable::FromDense(counts.data(), rows, columns);
        double chi = 0.0, p = 0.0, q = 0.0;
        for (long i = 0; i < rows; ++i)
            for (long j = 0; j < columns; ++j) {
                const double n = counts[i * columns + j];
                EXPECT_EQ(table.Cell(i, j), n);
                const double e = table.Expected(i, j);
                if (e != kNotComputed && e > 0.0)
                    chi += (n - e) * (n - e) / e;
                for (long k = i + 1; k < rows; ++k)
                    for (long l = 0; l < columns; ++l)
                        (l > j ? p : l < j ? q : chi) += l == j ? 0.0 : n * counts[k * columns + l];
            }
        ChiSquareResult c;
        ComputeChiSquareTest(table, c);
        if (c.chiSquare != kNotComputed) {
            EXPECT_NEAR(c.chiSquare, chi, 1e-9 * (1.0 + chi)) << "round " << round;
        }
        OrdinalResult o;
        ComputeOrdinalMeasures(table, o);
        EXPECT_NEAR(o.concordant, p, 1e-9 * (1.0 + p)) << "round " << round;
        EXPECT_NEAR(o.discordant, q, 1e-9 * (1.0 + q)) << "round " << round;
    }
}

// Every figure of a table is a ratio or scales with its counts, so a table
// whose counts carry weights near 1e294 (R C alone would overflow) gives the
// figures of the unweighted table times the weight, or the same ratios.
TEST(CrossTableKernel, HugeWeightsScaleTheFiguresOfTheUnweightedTable)
{
    const double counts[] = {12, 5, 3, 4, 9, 6, 1, 3, 10};
    const double weight = 1.37e294;
    double heavy[9];
    for (int i = 0; i < 9; ++i)
        heavy[i] = counts[i] * weight;
    const CrossTable plain = CrossTable::FromDense(counts, 3, 3), scaled = CrossTable::FromDense(heavy, 3, 3);
    for (long i = 0; i < 3; ++i) {
        for (long j = 0; j < 3; ++j) {
            EXPECT_NEAR(scaled.Expected(i, j) / weight, plain.Expected(i, j), 1e-12) << i << ", " << j;
            EXPECT_NEAR(scaled.Deviation(i, j) / weight, plain.Deviation(i, j), 1e-12) << i << ", " << j;
        }
    }
    const ChiSquareResult a = ChiSquare(counts, 3, 3), b = ChiSquare(heavy, 3, 3);
    EXPECT_NEAR(b.chiSquare / weight / a.chiSquare, 1.0, 1e-13);
    for (const auto &figure : {std::make_pair(a.phi, b.phi), std::make_pair(a.cramersV, b.cramersV),
                               std::make_pair(a.contingency, b.contingency)})
        EXPECT_NEAR(figure.second, figure.first, 1e-13);
    const OrdinalResult p = Ordinal(counts, 3, 3), q = Ordinal(heavy, 3, 3);
    for (const auto &figure : {std::make_pair(p.tauB, q.tauB), std::make_pair(p.tauC, q.tauC),
                               std::make_pair(p.gamma, q.gamma), std::make_pair(p.somersSymmetric, q.somersSymmetric),
                               std::make_pair(p.somersRowDependent, q.somersRowDependent)}) {
        EXPECT_TRUE(std::isfinite(figure.second));
        EXPECT_NEAR(figure.second, figure.first, 1e-12);
    }
    // tau-a's pairs are n (n - 1) / 2, which a weight changes: near n^2 / 2.
    EXPECT_NEAR(q.tauA, 2.0 * (p.concordant - p.discordant) / (53.0 * 53.0), 1e-12);
}

TEST(CrossTableKernel, ATotalPastTheLargestDoubleGivesScaleFreeMeasuresOrTheMark)
{
    // Three cases, two of 1e308 in different cells: every cell is a double,
    // the total is not. The scale-free figures equal those of the table
    // divided by 1e308; chi-square and the pair counts grow past any double,
    // and the chi-square so large has no tail left.
    const double heavy[] = {1e308, 0, 1, 1e308};
    const double light[] = {1, 0, 1e-308, 1};
    const CrossTable table = CrossTable::FromDense(heavy, 2, 2);
    EXPECT_FALSE(table.Representable());
    const ChiSquareResult a = ChiSquare(heavy, 2, 2), b = ChiSquare(light, 2, 2);
    EXPECT_EQ(a.chiSquare, kNotComputed);
    EXPECT_EQ(a.probability, 0.0);
    EXPECT_NEAR(a.phi, b.phi, 1e-12);
    EXPECT_NEAR(a.cramersV, b.cramersV, 1e-12);
    EXPECT_NEAR(a.contingency, b.contingency, 1e-12);
    const OrdinalResult p = Ordinal(heavy, 2, 2), q = Ordinal(light, 2, 2);
    EXPECT_EQ(p.concordant, kNotComputed);
    EXPECT_NEAR(p.gamma, q.gamma, 1e-12);
    EXPECT_NEAR(p.tauB, q.tauB, 1e-12);
    EXPECT_NEAR(p.somersSymmetric, q.somersSymmetric, 1e-12);

    // A cell that is itself infinite has no scaled copy: the mark, and the
    // call returns.
    const double infinite[] = {INFINITY, 1, 1, 1};
    ExpectAllNotComputed(Ordinal(infinite, 2, 2));
    const ChiSquareResult c = ChiSquare(infinite, 2, 2);
    EXPECT_EQ(c.chiSquare, kNotComputed);
    EXPECT_EQ(c.phi, kNotComputed);
}
