// The kernels on the golden data sets against the figures of R, PSPP and
// scipy (tests/stats/golden/reference.txt). Each test computes every figure
// of one family and compares all reference lines of that family.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "GoldenData.h"
#include "stats/AnovaKernel.h"
#include "stats/CorrelationKernel.h"
#include "stats/CrossTableKernel.h"
#include "stats/DescriptiveKernel.h"
#include "stats/FrequencyKernel.h"
#include "stats/PairedTestKernel.h"
#include "stats/RegressionKernel.h"
#include "stats/StatMissing.h"

namespace {

typedef std::map<std::string, double> Figures;

std::string Suffix(bool weighted)
{
    return weighted ? ".w" : "";
}

std::string Number(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

class GoldenKernel : public ::testing::Test {
protected:
    GoldenKernel() : survey_("survey.csv"), small_("paired_small.csv") {}
    void SetUp() override
    {
        ASSERT_TRUE(survey_.Loaded()) << GoldenPath("survey.csv");
        ASSERT_TRUE(small_.Loaded()) << GoldenPath("paired_small.csv");
    }
    GoldenSet survey_;
    GoldenSet small_;
};

TEST_F(GoldenKernel, DescriptivesAndQuantileSummaryMatchRPsppAndScipy)
{
    Figures f;
    for (const char *var : {"x1", "y", "k"}) {
        for (bool weighted : {false, true}) {
            const std::string p = std::string("desc.") + var + Suffix(weighted) + ".";
            std::vector<WeightedValue> cases = survey_.Cases(var, weighted);
            DescriptiveRecord d;
            ComputeDescriptives(cases.data(), cases.size(), d);
            double q[7];
            ComputeQuantileSummary(cases, q);
            AddDescriptiveFigures(p, d, q, f);
            EXPECT_EQ(q[5], d.minimum);
            EXPECT_EQ(q[6], d.maximum);
        }
    }
    EXPECT_GT(CompareWithReferences("desc.", f), 100);

    std::vector<WeightedValue> example = {{3, 1}, {1, 1}, {4, 1}, {2, 1}};
    double q[7];
    ComputeQuantileSummary(example, q);
    Figures e;
    e["quantile.example.median"] = q[1];
    CompareWithReferences("quantile.", e);
}

TEST_F(GoldenKernel, FrequencyDistributionsMatchR)
{
    Figures f;
    for (const char *var : {"a", "b", "g"}) {
        for (bool weighted : {false, true}) {
            FrequencyCounter counter;
            for (size_t c = 0; c < survey_.Cases(); ++c) {
                const double w = survey_.Weight(c, weighted);
                if (weighted && !(w > 0.0))
                    continue;
                counter.Add(survey_.Value(c, var), w, !survey_.IsValid(c, var));
            }
            FrequencyResult r;
            counter.Finish(weighted, r);
            const std::string p = std::string("freq.") + var + Suffix(weighted) + ".";
            for (const FrequencyCount &c : r.categories) {
                const std::string v = p + "value."
                    + (c.value == kDoubleMissing ? std::string("sysmis") : Number(c.value)) + ".";
                f[v + "freq"] = c.frequency;
                f[v + "pct"] = c.percent;
                f[v + "vpct"] = c.validPercent;
                EXPECT_EQ(c.count, weighted ? 0 : static_cast<long>(c.frequency)) << v;
            }
            f[p + "categories"] = static_cast<double>(r.categories.size());
            f[p + "mean"] = r.mean;
        }
    }
    EXPECT_GT(CompareWithReferences("freq.", f), 60);
}

TEST_F(GoldenKernel, CrosstabTestAndMeasuresMatchRPsppAndScipy)
{
    Figures f;
    for (bool weighted : {false, true}) {
        std::vector<double> rows, columns;
        std::vector<WeightedPair> pairs = survey_.Pairs("a", "b", weighted);
        for (const WeightedPair &p : pairs) {
            if (std::find(rows.begin(), rows.end(), p.x) == rows.end())
                rows.push_back(p.x);
            if (std::find(columns.begin(), columns.end(), p.y) == columns.end())
                columns.push_back(p.y);
        }
        std::sort(rows.begin(), rows.end());
        std::sort(columns.begin(), columns.end());
        const int nr = static_cast<int>(rows.size()), nc = static_cast<int>(columns.size());
        std::vector<double> counts(static_cast<size_t>(nr) * nc, 0.0);
        for (const WeightedPair &p : pairs) {
            const int i = static_cast<int>(std::find(rows.begin(), rows.end(), p.x) - rows.begin());
            const int j = static_cast<int>(std::find(columns.begin(), columns.end(), p.y)
                                           - columns.begin());
            counts[static_cast<size_t>(i) * nc + j] += p.weight;
        }
        ChiSquareResult chi;
        ComputeChiSquareTest(counts.data(), nr, nc, chi);
        OrdinalResult ord;
        ComputeOrdinalMeasures(counts.data(), nr, nc, ord);
        const std::string p = "xtab.a_b" + Suffix(weighted) + ".";
        f[p + "chisq"] = chi.chiSquare;
        f[p + "df"] = chi.degreesOfFreedom;
        f[p + "p"] = chi.probability;
        f[p + "phi"] = chi.phi;
        f[p + "cramersv"] = chi.cramersV;
        f[p + "contingency"] = chi.contingency;
        f[p + "taua"] = ord.tauA;
        f[p + "taub"] = ord.tauB;
        f[p + "tauc"] = ord.tauC;
        f[p + "gamma"] = ord.gamma;
        f[p + "somerssym"] = ord.somersSymmetric;
        f[p + "somersrow"] = ord.somersRowDependent;
        for (int i = 0; i < nr; ++i) {
            for (int j = 0; j < nc; ++j) {
                const size_t k = static_cast<size_t>(i) * nc + j;
                const std::string cell = p + "cell." + std::to_string(i + 1) + "_"
                                         + std::to_string(j + 1) + ".";
                f[cell + "count"] = counts[k];
                f[cell + "expected"] = chi.expected[k];
                f[cell + "deviation"] = chi.deviation[k];
                f[cell + "stddev"] = chi.standardizedDeviation[k];
            }
        }
    }
    EXPECT_GT(CompareWithReferences("xtab.", f), 80);
}

TEST_F(GoldenKernel, OneWayAnalysisLeveneAndPairwiseTestsMatchR)
{
    Figures f;
    for (bool weighted : {false, true}) {
        std::map<double, std::vector<WeightedValue>> byGroup;
        for (const WeightedPair &p : survey_.Pairs("g", "y", weighted))
            byGroup[p.x].push_back({p.y, p.weight});
        std::vector<GroupMoments> moments;
        std::vector<std::vector<WeightedValue>> groups;
        std::vector<double> keys;
        for (auto &g : byGroup) {
            keys.push_back(g.first);
            groups.push_back(g.second);
            moments.push_back(MomentsOf(g.second.data(), g.second.size()));
        }
        const AnovaTable a = ComputeOneWayAnova(moments);
        const AnovaTable lev = ComputeVarianceHomogeneity(groups);
        const std::string p = "oneway.y_g" + Suffix(weighted) + ".";
        f[p + "ssb"] = a.ssBetween;
        f[p + "ssw"] = a.ssWithin;
        f[p + "dfb"] = a.dfBetween;
        f[p + "dfw"] = a.dfWithin;
        f[p + "f"] = a.f;
        f[p + "p"] = a.p;
        f[p + "levene.f"] = lev.f;
        f[p + "levene.df1"] = lev.dfBetween;
        f[p + "levene.df2"] = lev.dfWithin;
        f[p + "levene.p"] = lev.p;
        for (size_t i = 0; i < keys.size(); ++i) {
            f[p + "group." + Number(keys[i]) + ".n"] = moments[i].n;
            f[p + "group." + Number(keys[i]) + ".mean"] = moments[i].mean;
            for (size_t j = i + 1; j < keys.size(); ++j) {
                const std::string pair = p + Number(keys[i]) + "_" + Number(keys[j]) + ".";
                const PairwiseResult w = CompareSeparateVariances(moments[i], moments[j]);
                const PairwiseResult pooled = ComparePooledVariance(moments[i], moments[j]);
                const PairwiseResult s = CompareScheffe(moments[i], moments[j], a);
                f[pair + "welch.t"] = w.statistic;
                f[pair + "welch.df"] = w.df;
                f[pair + "welch.p"] = w.p;
                f[pair + "pooled.t"] = pooled.statistic;
                f[pair + "pooled.df"] = pooled.df;
                f[pair + "pooled.p"] = pooled.p;
                f[pair + "scheffe.f"] = s.statistic;
                f[pair + "scheffe.p"] = s.p;
            }
        }
    }
    EXPECT_GT(CompareWithReferences("oneway.", f), 100);
}

const char *const kCorrelationVariables[] = {"x1", "x2", "x3", "x4", "y"};

CorrelationResult Correlate(const GoldenSet &set, bool weighted, bool pairwise,
                            std::vector<std::vector<double>> &storage)
{
    storage.clear();
    for (const char *v : kCorrelationVariables)
        storage.push_back(set.Column(v));
    storage.push_back(set.Weights(weighted));
    std::vector<const double *> columns;
    for (size_t i = 0; i + 1 < storage.size(); ++i)
        columns.push_back(storage[i].data());
    CorrelationResult r;
    ComputeCorrelations(columns, storage.back().data(), set.Cases(), pairwise, r);
    return r;
}

TEST_F(GoldenKernel, CorrelationsListwiseAndPairwiseMatchR)
{
    Figures f;
    const struct {
        const char *prefix;
        bool weighted;
        bool pairwise;
    } runs[] = {{"corr.list", false, false}, {"corr.list.w", true, false},
                {"corr.pair", false, true}};
    for (const auto &run : runs) {
        std::vector<std::vector<double>> storage;
        const CorrelationResult r = Correlate(survey_, run.weighted, run.pairwise, storage);
        for (int i = 0; i < 5; ++i) {
            for (int j = 0; j < i; ++j) {
                const std::string name = std::string(run.prefix) + "." + kCorrelationVariables[i]
                                         + "_" + kCorrelationVariables[j] + ".";
                const size_t k = static_cast<size_t>(i) * 5 + j;
                f[name + "r"] = r.r[k];
                f[name + "p"] = r.p[k];
                f[name + "n"] = r.weightedCount[k];
            }
        }
    }
    EXPECT_GT(CompareWithReferences("corr.", f), 80);
}

void StoreModel(const std::string &p, const RegressionStep &s, Figures &f)
{
    f[p + "ineq"] = s.inEquation;
    f[p + "n"] = s.n;
    f[p + "b0"] = s.b[0];
    f[p + "se0"] = s.seB[0];
    f[p + "r"] = s.summary[0];
    f[p + "r2"] = s.summary[1];
    f[p + "adjr2"] = s.summary[2];
    f[p + "f"] = s.summary[3];
    f[p + "pf"] = s.summary[4];
    for (int row = 1; row <= s.rows; ++row) {
        const std::string v = p + kCorrelationVariables[s.variable[row]] + ".";
        f[v + "in"] = row <= s.inEquation ? 1 : 0;
        f[v + "b"] = s.b[row];
        f[v + "se"] = s.seB[row];
        f[v + "beta"] = s.beta[row];
        f[v + "t"] = s.t[row];
        f[v + "p"] = s.p[row];
        f[v + "tol"] = s.tolerance[row];
    }
}

TEST_F(GoldenKernel, RegressionEnterForwardBackwardAndPairwiseMatchR)
{
    Figures f;
    const struct {
        const char *prefix;
        bool weighted;
        bool pairwise;
        int method;
        double pIn;
    } runs[] = {{"reg.enter", false, false, kRegressionEnter, 0.05},
                {"reg.enter.w", true, false, kRegressionEnter, 0.05},
                {"reg.forward", false, false, kRegressionForward, 0.05},
                {"reg.forward99", false, false, kRegressionForward, 0.99},
                {"reg.backward", false, false, kRegressionBackward, 0.05},
                {"reg.pairwise", false, true, kRegressionEnter, 0.05}};
    for (const auto &run : runs) {
        std::vector<std::vector<double>> storage;
        const CorrelationResult r = Correlate(survey_, run.weighted, run.pairwise, storage);
        double n = r.listwiseWeight;
        if (run.pairwise)
            n = *std::min_element(r.weightedCount.begin(), r.weightedCount.end());
        std::vector<RegressionStep> steps;
        int bad = -1;
        ASSERT_EQ(ComputeRegression(r, n, run.method, run.pIn, 0.05, steps, bad), 0) << run.prefix;
        ASSERT_FALSE(steps.empty());
        f[std::string(run.prefix) + ".steps"] = static_cast<double>(steps.size());
        StoreModel(std::string(run.prefix) + ".", steps.back(), f);
    }
    EXPECT_GT(CompareWithReferences("reg.", f), 150);
}

TEST_F(GoldenKernel, PairedTTestMatchesR)
{
    Figures f;
    const struct {
        const char *prefix;
        const GoldenSet *set;
        const char *x;
        const char *y;
        bool weighted;
    } runs[] = {{"paired.pre_post", &survey_, "pre", "post", false},
                {"paired.pre_post.w", &survey_, "pre", "post", true},
                {"paired.small", &small_, "before", "after", false}};
    for (const auto &run : runs) {
        const std::vector<WeightedPair> pairs = run.set->Pairs(run.x, run.y, run.weighted);
        PairedTResult r;
        ComputePairedT(pairs.data(), pairs.size(), r);
        const std::string p = std::string(run.prefix) + ".";
        EXPECT_FALSE(r.error);
        f[p + "n"] = r.n;
        f[p + "meanx"] = r.meanX;
        f[p + "meany"] = r.meanY;
        f[p + "sdx"] = r.sdX;
        f[p + "sdy"] = r.sdY;
        f[p + "sex"] = r.seX;
        f[p + "sey"] = r.seY;
        f[p + "diff"] = r.meanDifference;
        f[p + "t"] = r.t;
        f[p + "p1"] = r.oneSidedP;
        f[p + "p2"] = r.twoSidedP;
        f[p + "r"] = r.r;
        f[p + "tr"] = r.tOfR;
        f[p + "pr"] = r.correlationP;
    }
    EXPECT_GT(CompareWithReferences("paired.", f), 35);
}

TEST_F(GoldenKernel, SignWilcoxonAndMcNemarTestsMatchR)
{
    Figures f;
    const struct {
        const char *name;
        const GoldenSet *set;
        const char *x;
        const char *y;
        bool weighted;
    } runs[] = {{"pre_post", &survey_, "pre", "post", false},
                {"pre_post.w", &survey_, "pre", "post", true},
                {"small", &small_, "before", "after", false},
                {"small.w", &small_, "before", "after", true}};
    for (const auto &run : runs) {
        const std::vector<WeightedPair> pairs = run.set->Pairs(run.x, run.y, run.weighted);
        SignTestResult s;
        ComputeSignTest(pairs.data(), pairs.size(), s);
        const std::string sp = std::string("sign.") + run.name + ".";
        f[sp + "larger"] = s.larger;
        f[sp + "smaller"] = s.smaller;
        f[sp + "exact"] = s.exact;
        f[sp + "p"] = s.exact ? s.exactP : s.zP;
        f[sp + "z"] = s.z;

        WilcoxonResult w;
        ComputeWilcoxon(pairs.data(), pairs.size(), w);
        const std::string wp = std::string("wilcoxon.") + run.name + ".";
        f[wp + "zeros"] = w.zeroDifferences;
        f[wp + "positive"] = w.positive;
        f[wp + "negative"] = w.negative;
        f[wp + "possum"] = w.positiveRankSum;
        f[wp + "negsum"] = w.negativeRankSum;
        f[wp + "posmean"] = w.positiveMeanRank;
        f[wp + "negmean"] = w.negativeMeanRank;
        f[wp + "exact2"] = w.exactTwoSidedP;
        f[wp + "z"] = w.z;
        f[wp + "zp"] = w.zP;
    }
    for (bool weighted : {false, true}) {
        const std::vector<WeightedPair> pairs = survey_.Pairs("d1", "d2", weighted);
        McNemarResult m;
        ComputeMcNemar(pairs.data(), pairs.size(), m);
        const std::string p = "mcnemar.d1_d2" + Suffix(weighted) + ".";
        EXPECT_EQ(m.status, 0);
        f[p + "a"] = m.counts[0];
        f[p + "b"] = m.counts[1];
        f[p + "c"] = m.counts[2];
        f[p + "d"] = m.counts[3];
        f[p + "exact"] = m.exact;
        f[p + "p"] = m.exact ? m.exactP : m.chiSquareP;
        f[p + "chisq"] = m.chiSquare;
    }
    EXPECT_GT(CompareWithReferences("sign.", f), 10);
    EXPECT_GT(CompareWithReferences("wilcoxon.", f), 30);
    EXPECT_GT(CompareWithReferences("mcnemar.", f), 10);
}

// Every family of reference.txt is compared by one of the tests above.
TEST(GoldenReferences, EveryFamilyIsChecked)
{
    const char *const families[] = {"desc.", "quantile.", "freq.", "xtab.", "oneway.",
                                    "corr.", "reg.", "paired.", "sign.", "wilcoxon.",
                                    "mcnemar."};
    size_t covered = 0;
    for (const char *family : families)
        covered += ReferencesWithPrefix(family).size();
    EXPECT_EQ(covered, ReferencesWithPrefix("").size());
    EXPECT_GT(covered, 800u);
}

} // namespace
