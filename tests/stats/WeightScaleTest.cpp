// The same cases at four scales of their weights: as given (1 to 3), times
// 1e300, times 2^1020 (summing past the largest double) and times 2^-1062
// (near the smallest double, weights of about 4e-320). Every figure that
// does not depend on the weights' scale (r, B, Beta, R, phi, V, C, gamma,
// tau-b, tau-c, Somers' d, means) is that of the first run to 1e-10;
// figures that grow with the weights grow by the factor, or hold the
// not-computed mark where they pass a double; t and p, which count the
// weights as cases, are marked for weights summing to too few cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "stats/AnovaKernel.h"
#include "stats/CorrelationKernel.h"
#include "stats/CrossTableKernel.h"
#include "stats/PairedTestKernel.h"
#include "stats/RegressionKernel.h"
#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

namespace {

struct Scale
{
    const char *name;
    double factor;
};

const Scale kScales[] = {{"unit", 1.0},
                         {"times 1e300", 1e300},
                         {"past the largest double", 0x1p1020},
                         {"near the smallest double", 0x1p-1062}};

class WeightScale : public ::testing::TestWithParam<Scale>
{
protected:
    // 60 cases of three variables; z has a spread near the largest double.
    void SetUp() override
    {
        for (int i = 0; i < 60; ++i) {
            x.push_back((i * 37 % 17) + 0.25 * (i % 3));
            y.push_back(0.5 * x.back() + (i * 11 % 7));
            z.push_back((i % 2 ? 1.0 : -1.0) * (1e307 + 1e305 * (i * 13 % 9)));
            unit.push_back(1.0 + i % 3);
            w.push_back(unit.back() * GetParam().factor);
        }
    }
    bool Huge() const { return GetParam().factor > 1e300; }
    bool Tiny() const { return GetParam().factor < 1.0; }

    std::vector<double> x, y, z, unit, w;
};

void ExpectSame(double got, double want, const char *what)
{
    // Figures near the largest double are figures, not the mark.
    ASSERT_NE(want, kNotComputed) << what;
    ASSERT_NE(got, kNotComputed) << what;
    EXPECT_NEAR(got, want, 1e-10 * std::max(1e-300, std::fabs(want))) << what;
}

TEST_P(WeightScale, CorrelationsAndTheirRegressionDoNotChange)
{
    for (bool pairwise : {false, true}) {
        CorrelationResult base, scaled;
        ComputeCorrelations({x.data(), y.data(), z.data()}, unit.data(), x.size(), pairwise, base);
        ComputeCorrelations({x.data(), y.data(), z.data()}, w.data(), x.size(), pairwise, scaled);
        ASSERT_EQ(scaled.constantVariable, -1) << pairwise;
        for (size_t e = 0; e < base.r.size(); ++e)
            ExpectSame(scaled.r[e], base.r[e], "r");
        for (int v = 0; v < 3; ++v) {
            ExpectSame(scaled.mean[v], base.mean[v], "mean");
            ExpectSame(scaled.spread[v], base.spread[v], "spread");
        }
        // p counts the weights as cases: 0 past the largest double (r is
        // not 0), the mark below two cases' weight.
        if (Huge())
            EXPECT_EQ(scaled.p[1], 0.0);
        if (Tiny())
            EXPECT_EQ(scaled.p[1], kNotComputed);
        if (!pairwise && !Huge())
            EXPECT_NEAR(scaled.listwiseWeight / GetParam().factor, base.listwiseWeight, 1e-10 * base.listwiseWeight);
    }
    // Regression of y on x and z: B, Beta and R as with the unit weights.
    CorrelationResult base, scaled;
    ComputeCorrelations({x.data(), z.data(), y.data()}, unit.data(), x.size(), false, base);
    ComputeCorrelations({x.data(), z.data(), y.data()}, w.data(), x.size(), false, scaled);
    std::vector<RegressionStep> baseSteps, scaledSteps;
    int bad = -1;
    ASSERT_EQ(ComputeRegression(base, base.listwiseWeight, kRegressionEnter, 0.05, 0.1, baseSteps, bad), 0);
    ASSERT_EQ(ComputeRegression(scaled, scaled.listwiseWeight, kRegressionEnter, 0.05, 0.1, scaledSteps, bad), 0);
    ASSERT_EQ(scaledSteps.size(), baseSteps.size());
    const RegressionStep &b = baseSteps.back(), &s = scaledSteps.back();
    for (int i = 0; i <= b.inEquation; ++i) {
        ExpectSame(s.b[i], b.b[i], "B");
        if (i > 0)
            ExpectSame(s.beta[i], b.beta[i], "Beta");
    }
    ExpectSame(s.summary[0], b.summary[0], "R");
    if (Tiny()) {
        // Fewer than one case's weight: no residual degrees of freedom.
        EXPECT_EQ(s.t[1], kNotComputed);
        EXPECT_EQ(s.summary[3], kNotComputed);
    }
}

TEST_P(WeightScale, PairedCorrelationAndMeansDoNotChange)
{
    PairedTAccumulator base, scaled;
    for (size_t i = 0; i < x.size(); ++i) {
        base.Add(x[i], y[i], unit[i]);
        scaled.Add(x[i], y[i], w[i]);
    }
    PairedTResult b, s;
    base.Finish(b);
    scaled.Finish(s);
    ExpectSame(s.r, b.r, "r");
    ExpectSame(s.meanX, b.meanX, "mean x");
    ExpectSame(s.meanDifference, b.meanDifference, "mean difference");
    if (Tiny()) {
        EXPECT_EQ(s.sdX, kNotComputed);
        EXPECT_EQ(s.t, kNotComputed);
    } else {
        EXPECT_NE(s.t, kNotComputed);
    }
}

TEST_P(WeightScale, CrosstabMeasuresDoNotChange)
{
    // A 3 x 4 table of the weights summed by x and y classes. Weights whose
    // cells would pass the largest double are counted scaled by 2^-64, as
    // the crosstab counts them; the total still passes 2^240.
    const double countScale = Huge() ? 0x1p-64 : 1.0;
    std::vector<double> plain(12, 0.0), heavy(12, 0.0);
    for (size_t i = 0; i < x.size(); ++i) {
        const int cell = static_cast<int>(x[i]) % 3 * 4 + static_cast<int>(y[i]) % 4;
        plain[cell] += unit[i];
        heavy[cell] += w[i] * countScale;
    }
    const CrossTable p = CrossTable::FromDense(plain.data(), 3, 4), h = CrossTable::FromDense(heavy.data(), 3, 4);
    ChiSquareResult pc, hc;
    ComputeChiSquareTest(p, pc);
    ComputeChiSquareTest(h, hc);
    ExpectSame(hc.phi, pc.phi, "phi");
    ExpectSame(hc.cramersV, pc.cramersV, "V");
    ExpectSame(hc.contingency, pc.contingency, "C");
    // Chi-square grows with the weights: near the smallest double it is
    // itself below the normal range, with few digits.
    if (Tiny())
        EXPECT_NEAR(hc.chiSquare / GetParam().factor, pc.chiSquare, 1e-3 * pc.chiSquare);
    else
        ExpectSame(hc.chiSquare / GetParam().factor / countScale, pc.chiSquare, "chi-square");
    // The probability of the table's own chi-square, which grows with it.
    if (GetParam().factor > 1.0)
        EXPECT_EQ(hc.probability, 0.0);
    if (Tiny())
        EXPECT_EQ(hc.probability, 1.0);
    OrdinalResult po, ho;
    ComputeOrdinalMeasures(p, po);
    ComputeOrdinalMeasures(h, ho);
    ExpectSame(ho.gamma, po.gamma, "gamma");
    ExpectSame(ho.tauB, po.tauB, "tau-b");
    ExpectSame(ho.tauC, po.tauC, "tau-c");
    ExpectSame(ho.somersSymmetric, po.somersSymmetric, "symmetric d");
    ExpectSame(ho.somersRowDependent, po.somersRowDependent, "asymmetric d");
    for (long r = 0; r < 3; ++r)
        for (long c = 0; c < 4; ++c)
            ExpectSame(h.StandardizedDeviation(r, c) / std::sqrt(GetParam().factor * countScale),
                       p.StandardizedDeviation(r, c), "standardized deviation");
}

TEST_P(WeightScale, MomentsKeepTheirMeanAndSpread)
{
    WeightedMoments base, scaled;
    base.AddBlock(z.data(), unit.data(), z.size());
    scaled.AddBlock(z.data(), w.data(), z.size());
    ExpectSame(scaled.Mean(), base.Mean(), "mean");
    EXPECT_TRUE(scaled.HasSpread());
    // Fewer than two cases' weight: no standard deviation.
    if (Tiny())
        EXPECT_EQ(scaled.StandardDeviation(), kNotComputed);
}

// The counting tests: their counts are the unit counts times the factor
// (the mark's footer gives the reason where they pass a double), and every
// figure is a number or the mark, never an infinity or a NaN.
TEST_P(WeightScale, CountingTestsScaleTheirCounts)
{
    SignTestCounter signUnit, signScaled;
    McNemarCounter mcUnit, mcScaled;
    WilcoxonRanks ranks;
    for (size_t i = 0; i < x.size(); ++i) {
        signUnit.Add(x[i], y[i], unit[i]);
        signScaled.Add(x[i], y[i], w[i]);
        mcUnit.Add(x[i] > 8.0, y[i] > 8.0, unit[i]);
        mcScaled.Add(x[i] > 8.0, y[i] > 8.0, w[i]);
        ranks.Add(x[i], y[i], w[i]);
    }
    SignTestResult su, ss;
    signUnit.Finish(su);
    signScaled.Finish(ss);
    McNemarResult mu, ms;
    mcUnit.Finish(mu);
    mcScaled.Finish(ms);
    WilcoxonResult wr;
    ranks.Finish(wr);
    const double factor = GetParam().factor;
    if (!Huge()) {
        ExpectSame(ss.larger / factor, su.larger, "sign test n+");
        ExpectSame(ss.smaller / factor, su.smaller, "sign test n-");
        for (int c = 0; c < 4; ++c)
            if (mu.counts[c] > 0.0)
                ExpectSame(ms.counts[c] / factor, mu.counts[c], "McNemar count");
    }
    for (double figure : {ss.z, ss.zP, ms.chiSquare, ms.chiSquareP, wr.z, wr.zP, wr.positiveMeanRank})
        EXPECT_FALSE(std::isnan(figure) || std::isinf(figure)) << figure;
    // Wilcoxon's z by the textbook formulas in long double, whose exponent
    // holds n^3 of any weights: the reference, also for weights summing
    // past the largest double, where z is that of the scaled weights times
    // the root of the scale.
    {
        std::vector<std::pair<long double, long double>> d; // |x - y| with its sign, weight
        for (size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i])
                d.push_back({x[i] - y[i], w[i]});
        std::sort(d.begin(), d.end(), [](const auto &a, const auto &b) { return fabsl(a.first) < fabsl(b.first); });
        long double n = 0, placed = 0, ties = 0, positive = 0, negative = 0;
        for (const auto &e : d)
            n += e.second;
        for (size_t i = 0, j; i < d.size(); i = j) {
            long double group = 0;
            for (j = i; j < d.size() && fabsl(d[j].first) == fabsl(d[i].first); ++j)
                group += d[j].second;
            const long double rank = placed + (group + 1) / 2;
            for (size_t k = i; k < j; ++k)
                (d[k].first > 0 ? positive : negative) += rank * d[k].second;
            ties += (group * group * group - group) / 48;
            placed += group;
        }
        const long double z =
            (std::min(positive, negative) - n * (n + 1) / 4) / sqrtl(n * (n + 1) * (2 * n + 1) / 24 - ties);
        if (Huge()) {
            ASSERT_TRUE(wr.normal);
            ASSERT_NE(wr.z, kNotComputed);
            EXPECT_EQ(wr.zP, 0.0);
            // The mean ranks are near n: past the largest double too.
            EXPECT_EQ(wr.positiveMeanRank, kNotComputed);
        }
        if (wr.normal && wr.z != kNotComputed)
            EXPECT_NEAR(wr.z / static_cast<double>(z), 1.0, 1e-10) << wr.z;
    }
}

// x small (2^-100: its squares still doubles), y near the largest double:
// each column keeps its mean and spread, and r and t are those of the
// columns brought near 1, so the small side is not scaled with the large
// one into the subnormal range.
TEST(WeightScaleValues, PairedColumnsAtBothEndsOfADoubleKeepTheirFigures)
{
    PairedTAccumulator near1, ends, swapped;
    for (int i = 0; i < 50; ++i) {
        const double u = 1.0 + (i * 37 % 17) + 0.25 * (i % 3), v = 0.5 * u + (i * 11 % 7);
        const double w = 1.0 + i % 2;
        near1.Add(u, v, w);
        ends.Add(u * 0x1p-100, v * 0x1p1000, w);
        swapped.Add(v * 0x1p1000, u * 0x1p-100, w);
    }
    PairedTResult a, b, c;
    near1.Finish(a);
    ends.Finish(b);
    swapped.Finish(c);
    ExpectSame(b.meanX * 0x1p100, a.meanX, "mean of the small column");
    ExpectSame(b.sdX * 0x1p100, a.sdX, "spread of the small column");
    ExpectSame(b.meanY * 0x1p-1000, a.meanY, "mean of the large column");
    ExpectSame(b.sdY * 0x1p-1000, a.sdY, "spread of the large column");
    ExpectSame(c.meanY * 0x1p100, a.meanX, "mean of the small second column");
    ExpectSame(c.sdY * 0x1p100, a.sdX, "spread of the small second column");
    ExpectSame(b.r, a.r, "pair correlation");
    ExpectSame(c.r, a.r, "pair correlation, columns swapped");
    // The differences are the large column's, up to its rounding.
    ExpectSame(b.meanDifference, -b.meanY, "mean difference");
    ExpectSame(-c.t, b.t, "t");
}

INSTANTIATE_TEST_SUITE_P(Weights, WeightScale, ::testing::ValuesIn(kScales),
                         [](const ::testing::TestParamInfo<Scale> &info) { return std::to_string(info.index); });

// Values scaled by 2^1020 (near the largest double): the one-way F, the
// variance test's F and the regression constant's t are those of the values
// themselves; the sums of squares beyond a double hold the mark.
TEST(WeightScaleValues, RatiosOfSpreadsOfValuesNearTheLargestDouble)
{
    std::vector<std::vector<WeightedValue>> plain(3), huge(3);
    std::vector<GroupMoments> plainGroups(3), hugeGroups(3);
    std::vector<double> x, y, xh, yh;
    for (int i = 0; i < 45; ++i) {
        const double v = (i * 7 % 11) - 5.0 + 0.1 * (i % 3), u = (i * 5 % 13) - 0.5 * v;
        plain[i % 3].push_back({v, 1.0});
        huge[i % 3].push_back({std::ldexp(v, 1020) / 8.0, 1.0});
        plainGroups[i % 3].Add(v, 1.0);
        hugeGroups[i % 3].Add(std::ldexp(v, 1020) / 8.0, 1.0);
        x.push_back(v);
        y.push_back(u + 40.0);
        xh.push_back(std::ldexp(v, 1020) / 8.0);
        yh.push_back(std::ldexp(u + 40.0, 1015) / 8.0);
    }
    const AnovaTable a = ComputeOneWayAnova(plainGroups), b = ComputeOneWayAnova(hugeGroups);
    ExpectSame(b.f, a.f, "F");
    ExpectSame(b.p, a.p, "p of F");
    EXPECT_EQ(b.ssTotal, kNotComputed);
    const AnovaTable la = ComputeVarianceHomogeneity(plain), lb = ComputeVarianceHomogeneity(huge);
    ExpectSame(lb.f, la.f, "variance test F");
    CorrelationResult pc, hc;
    ComputeCorrelations({x.data(), y.data()}, nullptr, x.size(), false, pc);
    ComputeCorrelations({xh.data(), yh.data()}, nullptr, x.size(), false, hc);
    std::vector<RegressionStep> ps, hs;
    int bad = -1;
    ASSERT_EQ(ComputeRegression(pc, pc.listwiseWeight, kRegressionEnter, 0.05, 0.1, ps, bad), 0);
    ASSERT_EQ(ComputeRegression(hc, hc.listwiseWeight, kRegressionEnter, 0.05, 0.1, hs, bad), 0);
    ExpectSame(hs.back().t[0], ps.back().t[0], "t of the constant");
    ExpectSame(hs.back().t[1], ps.back().t[1], "t of B");
    ExpectSame(std::ldexp(hs.back().b[0], -1015) * 8.0, ps.back().b[0], "constant");
}

// Three cases weighing 1e308, 1e308 and 1 on the diagonal: chi-square is
// the total, beyond a double, so its p is 0; phi = V = 1 and C = sqrt(1/2),
// as for any perfectly diagonal 2 x 2 table.
TEST(WeightScaleTable, DiagonalTableOfWeightsPastTheLargestDouble)
{
    CrossTable t(2, 2);
    t.AddCell(0, 0, 1e308);
    t.AddCell(1, 1, 1.0);
    t.Finish();
    ChiSquareResult r;
    ComputeChiSquareTest(t, r);
    EXPECT_NEAR(r.phi, 1.0, 1e-12);
    EXPECT_NEAR(r.cramersV, 1.0, 1e-12);
    EXPECT_NEAR(r.contingency, std::sqrt(0.5), 1e-12);
    EXPECT_EQ(r.probability, 0.0);
    // The small cell's standardized deviation: (1 - E) / sqrt(E), E = 1e-308.
    EXPECT_NEAR(t.StandardizedDeviation(1, 1) / 1e154, 1.0, 1e-12);
    // Every pair is concordant and the untied pairs are those between the
    // two cells: tau-b, gamma and both Somers' d are 1.
    OrdinalResult o;
    ComputeOrdinalMeasures(t, o);
    EXPECT_NEAR(o.tauB, 1.0, 1e-12);
    EXPECT_NEAR(o.gamma, 1.0, 1e-12);
    EXPECT_NEAR(o.somersSymmetric, 1.0, 1e-12);
    EXPECT_NEAR(o.somersRowDependent, 1.0, 1e-12);
}

TEST(WeightScaleTable, ChiSquareBeyondTheMarkHasItsTail)
{
    EXPECT_EQ(ChiSquareTailProbability(1e39, 4.0), 0.0);
    EXPECT_EQ(ChiSquareTailProbability(1e300, 1.0), 0.0);
    EXPECT_EQ(ChiSquareTailProbability(kNotComputed, 1.0), kNotComputed);
    EXPECT_NEAR(StudentTailProbability(1e39, 1.0, 1), 2.0 / (3.141592653589793 * 1e39), 1e-45);
}

// x = y at +-1.7e308: the pair correlation is 1 and the differences have no
// spread.
TEST(WeightScaleTable, PairOfEqualValuesAtTheLargestDouble)
{
    PairedTAccumulator sums;
    for (int i = 0; i < 40; ++i) {
        const double v = (i % 2 ? 1.7e308 : -1.7e308) * (i % 3 ? 1.0 : 0.5);
        sums.Add(v, v, 1.0);
    }
    PairedTResult r;
    sums.Finish(r);
    EXPECT_EQ(r.r, 1.0);
    EXPECT_TRUE(r.error);
    EXPECT_NE(r.sdX, kNotComputed);
}

} // namespace
