// The computation objects on data sets converted from the golden CSV files
// (through the data set builder, as qvconvert does) against the reference
// figures of R, PSPP and scipy (tests/stats/golden/reference.txt): every
// figure of every family, computed by the kernels on values read through
// value lists, user-missing codes, selection and weights.
#include <cfloat>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "GoldenData.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CorrObj.h"
#include "stats/FREQOBJ.h"
#include "stats/GMultResp.h"
#include "stats/MeanObj.h"
#include "stats/NTABOBJ.h"
#include "stats/OnewayObj.h"
#include "stats/PairedTests.h"
#include "stats/RegObj.h"
#include "stats/RegressionKernel.h"
#include "stats/Stat.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "stats/XTABOBJ.h"

namespace {

typedef std::map<std::string, double> Figures;

// Variables of survey.csv in column order: 1 id, 2 w, 3 g, 4 a, 5 b, 6 x1,
// 7 x2, 8 x3, 9 x4, 10 y, 11 k, 12 pre, 13 post, 14 d1, 15 d2.
const char kSurveyDescription[] = "variable id\ntype double\n"
                                  "variable w\ntype double\n"
                                  "variable g\ntype u8\nmissing 9\n"
                                  "variable a\ntype u8\nmissing 9\nvalue 1 = low\nvalue 2 = middle\nvalue 3 = high\n"
                                  "variable b\ntype i16\n"
                                  "variable x1\ntype double\nmissing 99\n"
                                  "variable x2\ntype double\n"
                                  "variable x3\ntype double\n"
                                  "variable x4\ntype double\n"
                                  "variable y\ntype double\n"
                                  "variable k\ntype u8\n"
                                  "variable pre\ntype i32\n"
                                  "variable post\ntype i32\n"
                                  "variable d1\ntype u8\n"
                                  "variable d2\ntype u8\n";
const char kSmallDescription[] = "variable id\ntype double\nvariable w\ntype double\n"
                                 "variable before\ntype double\nvariable after\ntype double\n";

enum { ID = 1, W, G, A, B, X1, X2, X3, X4, Y, K, PRE, POST, D1, D2 };

// multresp.csv: control variables g and s, the category-coded items q1-q3,
// the dichotomies m1-m4; 9 is user-missing in all but s.
const char kMultipleResponseDescription[] = "variable id\ntype double\nvariable w\ntype double\n"
                                            "variable g\ntype u8\nmissing 9\nvariable s\ntype u8\n"
                                            "categories codes\nvalue 1 = one\nvalue 2 = two\nvalue 3 = three\n"
                                            "variable q1\ntype u8\nmissing 9\nlabels codes\n"
                                            "variable q2\ntype u8\nmissing 9\nlabels codes\n"
                                            "variable q3\ntype u8\nmissing 9\nlabels codes\n"
                                            "variable m1\ntype u8\nmissing 9\nvariable m2\ntype u8\nmissing 9\n"
                                            "variable m3\ntype u8\nmissing 9\nvariable m4\ntype u8\nmissing 9\n";

enum { MG = 3, MS, Q1, Q2, Q3, M1, M2, M3, M4 };

std::string ValuesOf(const std::string &csv)
{
    std::ifstream in(GoldenPath(csv));
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    return text.substr(text.find('\n') + 1); // without the user-missing line
}

DATASET *Build(const char *description, const std::string &csv, bool weighted, const char *file)
{
    std::string desc = description;
    if (weighted)
        desc += "weight w\n";
    return BuildDataSet(desc, ValuesOf(csv), file);
}

class GoldenObjects : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        plain = Build(kSurveyDescription, "survey.csv", false, "golden_survey.QVF");
        weighted = Build(kSurveyDescription, "survey.csv", true, "golden_survey_w.QVF");
        small = Build(kSmallDescription, "paired_small.csv", false, "golden_small.QVF");
        smallWeighted = Build(kSmallDescription, "paired_small.csv", true, "golden_small_w.QVF");
        responses = Build(kMultipleResponseDescription, "multresp.csv", false, "golden_mr.QVF");
        responsesWeighted = Build(kMultipleResponseDescription, "multresp.csv", true, "golden_mr_w.QVF");
    }
    static void TearDownTestSuite()
    {
        for (DATASET *set : {plain, weighted, small, smallWeighted, responses, responsesWeighted})
            delete set;
    }
    void SetUp() override
    {
        ASSERT_TRUE(plain && weighted && small && smallWeighted && responses && responsesWeighted);
    }
    static DATASET *Set(bool w) { return w ? weighted : plain; }
    static DATASET *ResponseSet(bool w) { return w ? responsesWeighted : responses; }
    static std::string Suffix(bool w) { return w ? ".w" : ""; }
    static inline DATASET *plain, *weighted, *small, *smallWeighted, *responses, *responsesWeighted;
};

TEST_F(GoldenObjects, MeanObjGivesTheDescriptivesAndQuantiles)
{
    Figures f;
    const struct
    {
        const char *name;
        long variable;
    } vars[] = {{"x1", X1}, {"y", Y}, {"k", K}};
    for (const auto &v : vars) {
        for (bool w : {false, true}) {
            MeanObj m(v.variable, Set(w));
            ASSERT_TRUE(m.Compute());
            EXPECT_EQ(m.statisticsMask, 31u);
            const DescriptiveRecord &d = m.record;
            const std::string p = std::string("desc.") + v.name + Suffix(w) + ".";
            ASSERT_NE(d.QuantileSummary(), nullptr);
            AddDescriptiveFigures(p, d, d.quantiles, f);
            EXPECT_EQ(d.quantiles[5], d.minimum);
            EXPECT_EQ(d.quantiles[6], d.maximum);
        }
    }
    EXPECT_GT(CompareWithReferences("desc.", f), 100);

    std::vector<WeightedValue> example = {{3, 1}, {1, 1}, {4, 1}, {2, 1}};
    double q[7];
    ComputeQuantileSummary(example, q);
    EXPECT_EQ(CompareWithReferences("quantile.", {{"quantile.example.median", q[1]}}), 1);
}

TEST_F(GoldenObjects, FrequencyDistributionCountsValueListsWithLabels)
{
    Figures f;
    const struct
    {
        const char *name;
        long variable;
    } vars[] = {{"a", A}, {"b", B}, {"g", G}};
    for (const auto &v : vars) {
        for (bool w : {false, true}) {
            LISTETYPE list(Set(w), v.variable);
            std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(v.variable, Set(w)));
            FREQOBJ dist(Set(w));
            BuildFrequencyDistribution(&list, &dist, labels.get());
            const std::string p = std::string("freq.") + v.name + Suffix(w) + ".";
            EXPECT_EQ(dist.realValued, w ? 1 : 0);
            EXPECT_EQ(dist.variableNumber, v.variable);
            for (long i = 0; i < dist.categoryCount; ++i) {
                const FreqCategory &c = dist.categories[i];
                const double value = dist.realValued ? c.value.real : c.value.integer;
                const bool sentinel = dist.realValued ? c.missing && value == DBL_MAX : value == 2147483647.0;
                char name[64];
                std::snprintf(name, sizeof name, "%g", value);
                const std::string cp = p + "value." + (sentinel ? std::string("sysmis") : name) + ".";
                Put(f, cp, "freq pct vpct", c.frequency, c.percent, c.validPercent);
                EXPECT_EQ(c.count, w ? 0 : static_cast<long>(c.frequency)) << cp;
                if (sentinel) {
                    EXPECT_STREQ(c.label, "-");
                }
            }
            f[p + "categories"] = dist.categoryCount;
            f[p + "mean"] = dist.mean;
            EXPECT_STREQ(dist.CategoryAt(0), v.variable == A ? "a: " : (v.variable == B ? "b: " : "g: "));
        }
    }
    EXPECT_GT(CompareWithReferences("freq.", f), 60);
    LISTETYPE list(plain, A);
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(A, plain));
    FREQOBJ dist(plain);
    BuildFrequencyDistribution(&list, &dist, labels.get());
    EXPECT_STREQ(dist.categories[1].label, "middle");
    EXPECT_STREQ(dist.categories[3].label, "9"); // the user-missing code, no label
    EXPECT_EQ(dist.categories[3].missing, 1);
    EXPECT_EQ(dist.decimals, 0);
}

TEST_F(GoldenObjects, CrossTableObjectGivesTheTestAndMeasures)
{
    Figures f;
    for (bool w : {false, true}) {
        LISTETYPE a(Set(w), A), b(Set(w), B);
        // The first list gives the columns: b; the rows are a.
        XTABOBJ x(&b, nullptr, &a, nullptr, 0, Set(w));
        x.ComputeChiSquareTest();
        x.ComputeOrdinalMeasures();
        EXPECT_EQ(x.weighted, w);
        const std::string p = "xtab.a_b" + Suffix(w) + ".";
        Put(f, p, "chisq df p phi cramersv contingency taua taub tauc gamma somerssym somersrow", x.chiSquare,
            x.degreesOfFreedom, x.probability, x.phi, x.cramersV, x.contingency, x.tauA, x.tauB, x.tauC, x.gamma,
            x.somersSymmetric, x.somersAsymmetric);
        for (int i = 0; i < x.RowCount(); ++i) {
            for (int j = 0; j < x.ColumnCount(); ++j) {
                const std::string cell = p + "cell." + std::to_string(i + 1) + "_" + std::to_string(j + 1) + ".";
                Put(f, cell, "count expected deviation stddev", x.Cell(i, j), x.Expected(i, j), x.Deviation(i, j),
                    x.StandardizedDeviation(i, j));
            }
        }
    }
    EXPECT_GT(CompareWithReferences("xtab.", f), 80);
}

TEST_F(GoldenObjects, OnewayObjectGivesAnovaLeveneAndPairwiseTests)
{
    Figures f;
    for (bool w : {false, true}) {
        OnewayObj o(Y, G, Set(w));
        ASSERT_TRUE(o.Compute());
        ASSERT_EQ(o.groups.size(), 4u);
        o.ComputeVarianceHomogeneityTest();
        AnovaResult anova(&o);
        SepTtestObj welch(&o);
        PooledTtestObj pooled(&o);
        ScheffeObj scheffe(&o);
        const std::string p = "oneway.y_g" + Suffix(w) + ".";
        Put(f, p, "ssb ssw dfb dfw f p levene.f levene.df1 levene.df2 levene.p", anova.table.ssBetween,
            anova.table.ssWithin, anova.table.dfBetween, anova.table.dfWithin, anova.table.f, anova.table.p,
            o.varianceF, o.varianceDf1, o.varianceDf2, o.varianceP);
        for (int i = 0; i < 4; ++i) {
            const std::string gi = std::to_string(static_cast<int>(o.groups[i].breakValue));
            f[p + "group." + gi + ".n"] = o.groups[i].weightedCount;
            f[p + "group." + gi + ".mean"] = o.groups[i].mean;
            for (int j = i + 1; j < 4; ++j) {
                const std::string pair = p + gi + "_" + std::to_string(static_cast<int>(o.groups[j].breakValue)) + ".";
                Put(f, pair, "welch.t welch.df welch.p pooled.t pooled.df pooled.p scheffe.f scheffe.p",
                    welch.Pair(i, j).statistic, welch.Pair(i, j).df, welch.Pair(i, j).p, pooled.Pair(i, j).statistic,
                    pooled.Pair(i, j).df, pooled.Pair(i, j).p, scheffe.Pair(i, j).statistic, scheffe.Pair(i, j).p);
            }
        }
    }
    EXPECT_GT(CompareWithReferences("oneway.", f), 100);
}

TEST_F(GoldenObjects, OnewayObjectSortsAndStopsAtThirtyOneGroups)
{
    OnewayObj o(Y, G, plain);
    ASSERT_TRUE(o.Compute());
    o.ComputeGroupQuantiles();
    o.SortGroups(OnewayObj::kSortMean | OnewayObj::kSortDescending);
    for (size_t i = 1; i < o.groups.size(); ++i)
        EXPECT_GE(o.groups[i - 1].mean, o.groups[i].mean);
    ScheffeObj sorted(&o);
    EXPECT_EQ(sorted.breakValues[0], o.groups[0].breakValue);
    o.SortGroups(OnewayObj::kSortBreakValue);
    EXPECT_EQ(o.groups[0].breakValue, 1.0);
    o.SortGroups(3); // two keys: not a sort code, the order stays
    EXPECT_EQ(o.groups[0].breakValue, 1.0);
    o.FormatGroupStatistics();
    EXPECT_GE(o.columnWidths[0], 7); // "**ERROR**" heading without catalogue + 2

    OnewayObj many(Y, ID, plain); // 40 distinct ids
    ASSERT_TRUE(many.Compute());
    EXPECT_EQ(many.tooManyGroups, 1);
    EXPECT_EQ(many.errorCode, 102);
}

TEST_F(GoldenObjects, CorrObjGivesTheMatrixListwiseAndPairwise)
{
    Figures f;
    const long vars[] = {X1, X2, X3, X4, Y, 0};
    const char *names[] = {"x1", "x2", "x3", "x4", "y"};
    const struct
    {
        const char *prefix;
        bool w;
        int mode;
    } runs[] = {{"corr.list", false, CorrObj::kListwise},
                {"corr.list.w", true, CorrObj::kListwise},
                {"corr.pair", false, CorrObj::kPairwise}};
    for (const auto &run : runs) {
        CorrObj c(vars, run.mode, nullptr, Set(run.w));
        ASSERT_EQ(c.errorCode, 0);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < i; ++j) {
                const std::string n = std::string(run.prefix) + "." + names[i] + "_" + names[j] + ".";
                Put(f, n, "r p n", c.Coefficient(i, j), c.PValue(i, j), c.result.weightedCount[i * 5 + j]);
            }
    }
    EXPECT_GT(CompareWithReferences("corr.", f), 80);

    const long withConstant[] = {X1, K, Y, 0};
    CorrObj constant(withConstant, CorrObj::kListwise, nullptr, plain);
    EXPECT_EQ(constant.errorCode, 8);
    EXPECT_EQ(constant.errorVariable, K);
    EXPECT_TRUE(constant.coefficients.empty());
    const long one[] = {X1, 0};
    EXPECT_EQ(CorrObj(one, CorrObj::kListwise, nullptr, plain).errorCode, 9);
}

class TestRegression : public RegObj
{
public:
    using RegObj::RegObj;
    void ComputeColumnWidths(int, int) override {}
};

TEST_F(GoldenObjects, RegObjGivesEveryMethodAndItsResiduals)
{
    Figures f;
    const long xs[] = {X1, X2, X3, X4, 0};
    const char *names[] = {"", "", "", "", "", "", "x1", "x2", "x3", "x4"};
    const struct
    {
        const char *prefix;
        bool w;
        int method;
        int missing;
        double pIn;
    } runs[] = {
        {"reg.enter", false, kRegressionEnter, 1, 0.05},       {"reg.enter.w", true, kRegressionEnter, 1, 0.05},
        {"reg.forward", false, kRegressionForward, 1, 0.05},   {"reg.forward99", false, kRegressionForward, 1, 0.99},
        {"reg.backward", false, kRegressionBackward, 1, 0.05}, {"reg.pairwise", false, kRegressionEnter, 2, 0.05}};
    for (const auto &run : runs) {
        TestRegression r(Y, xs, run.method, run.missing, run.pIn, 0.05, Set(run.w));
        r.ComputeCorrelationMatrix();
        ASSERT_EQ(r.status, 0) << run.prefix;
        const RegModelStep &s = *r.LastStep();
        const std::string p = std::string(run.prefix) + ".";
        Put(f, p, "steps ineq n b0 se0 r r2 adjr2 f pf", r.StepCount(), s.inEquation, s.n, s.b[0], s.seB[0],
            s.summary[0], s.summary[1], s.summary[2], s.summary[3], s.summary[4]);
        for (int row = 1; row <= s.rows; ++row) {
            const std::string v = p + names[s.rowVariable[row]] + ".";
            Put(f, v, "in b se beta t p tol", row <= s.inEquation, s.b[row], s.seB[row], s.beta[row], s.t[row],
                s.p[row], s.tolerance[row]);
        }
        RegressionEngine *engine = r.EnsureEngine(r.StepCount() - 1);
        ASSERT_NE(engine, nullptr);
        EXPECT_EQ(engine, r.EnsureEngine(r.StepCount() - 1));
        if (run.missing == 1) {
            // Least squares residuals with a constant sum to zero.
            EXPECT_NEAR(engine->residualMean, 0.0, 1e-9);
            // Every step rests on the cases of the whole analysis.
            double weight = 0.0;
            for (double w : engine->weights)
                weight += w;
            EXPECT_EQ(weight, s.n) << run.prefix;
        }
    }
    EXPECT_GT(CompareWithReferences("reg.", f), 150);

    const long withConstant[] = {X1, K, 0};
    TestRegression bad(Y, withConstant, kRegressionEnter, 1, 0.05, 0.05, plain);
    bad.ComputeCorrelationMatrix();
    EXPECT_EQ(bad.status, 8);
    EXPECT_EQ(bad.failedVariable, K);
    EXPECT_EQ(bad.StepCount(), 0);
}

TEST_F(GoldenObjects, PairedObjectsGiveTheTests)
{
    Figures f;
    const struct
    {
        const char *name;
        DATASET *set;
        long x, y;
    } runs[] = {{"pre_post", plain, PRE, POST},
                {"pre_post.w", weighted, PRE, POST},
                {"small", small, 3, 4},
                {"small.w", smallWeighted, 3, 4}};
    for (const auto &run : runs) {
        if (std::string(run.name) != "small.w") {
            GTtestPar t(run.x, run.y, 1, run.set);
            const std::string p = std::string("paired.") + run.name + ".";
            EXPECT_FALSE(t.error);
            Put(f, p, "n meanx meany sdx sdy sex sey diff t p1 p2 r tr pr", t.weightedSum, t.mean[0], t.mean[1],
                t.standardDeviation[0], t.standardDeviation[1], t.standardError[0], t.standardError[1],
                t.meanDifference, t.t, t.OneSidedPValue(), t.TwoSidedPValue(), t.r, t.tOfR, t.CorrelationPValue(true));
        }
        SignTest s(run.x, run.y, run.set);
        const std::string sp = std::string("sign.") + run.name + ".";
        Put(f, sp, "larger smaller exact p z", s.larger, s.smaller, s.exact, s.exact ? s.exactP : s.zP, s.z);
        Wilcoxon w(run.x, run.y, run.set);
        const std::string wp = std::string("wilcoxon.") + run.name + ".";
        Put(f, wp, "zeros positive negative possum negsum posmean negmean exact2 z zp", w.zeroDifferences, w.positive,
            w.negative, w.positiveRankSum, w.negativeRankSum, w.positiveMeanRank, w.negativeMeanRank, w.exactTwoSidedP,
            w.z, w.zP);
    }
    for (bool wt : {false, true}) {
        McNemar m(D1, D2, Set(wt));
        const std::string p = "mcnemar.d1_d2" + Suffix(wt) + ".";
        EXPECT_EQ(m.status, 0);
        EXPECT_EQ(m.firstName, "d1");
        EXPECT_EQ(m.rowLabels[1], "1");
        Put(f, p, "a b c d exact p chisq", m.counts[0], m.counts[1], m.counts[2], m.counts[3], m.exact,
            m.exact ? m.exactP : m.chiSquareP, m.chiSquare);
    }
    EXPECT_GT(CompareWithReferences("paired.", f), 35);
    EXPECT_GT(CompareWithReferences("sign.", f), 10);
    EXPECT_GT(CompareWithReferences("wilcoxon.", f), 30);
    EXPECT_GT(CompareWithReferences("mcnemar.", f), 10);
    EXPECT_EQ(McNemar(A, B, plain).status, 1); // three values in the rows
}

TEST_F(GoldenObjects, StatAndGroupedMedianUseValidCasesOfThePartnerBelowTheLimit)
{
    Figures f;
    const struct
    {
        const char *name;
        long x, partner;
        double limit;
    } runs[] = {{"x1", X1, 0, kNotComputed},   {"x1_y", X1, Y, kNotComputed}, {"y_g", Y, G, kNotComputed},
                {"x1.below55.5", X1, 0, 55.5}, {"x1.below29", X1, 0, 29},     {"x1.below28", X1, 0, 28},
                {"pre", PRE, 0, kNotComputed}};
    const char *summary[] = {"q1", "median", "q3", "whisklow", "whiskhigh", "qmin", "qmax"};
    for (const auto &run : runs) {
        for (bool w : {false, true}) {
            StatClass computation(Set(w));
            Stat s(&computation, run.x, run.partner, run.limit);
            const std::string p = std::string("stat.") + run.name + Suffix(w) + ".";
            Put(f, p, "valid n integer min max mean sd se", s.validCount, s.n, s.integerData, s.minimum, s.maximum,
                s.mean, s.standardDeviation, s.standardError);
            double q[7];
            GroupedMedian(&computation, run.x, run.partner, run.limit).GetSummary(q);
            for (int i = 0; i < 7; ++i)
                f[p + summary[i]] = q[i];
        }
    }
    EXPECT_GT(CompareWithReferences("stat.", f), 150);
}

// The records of a multiple-response result under the prefix and each
// record's name: count (unweighted sets only), weighted count and the
// percentage on each of the first `bases` bases (-1, a base of 0, is "not
// computed"). The percent field is always of the answers.
void AddResponseFigures(GMultResp &m, const std::string &p, bool weighted, int bases,
                        const std::function<std::string(const FreqCategory &)> &name, Figures &f)
{
    const char *baseNames[] = {"pctcases", "pctanswers", "pctvariable"};
    for (int base = 0; base < bases; ++base) {
        m.percentageBase = base;
        m.FinishPercentages();
        const FREQOBJ &r = *m.Result();
        for (long i = 0; i < r.categoryCount; ++i) {
            const FreqCategory &c = r.categories[i];
            const std::string cp = p + name(c) + ".";
            if (!weighted)
                f[cp + "count"] = c.count;
            f[cp + "freq"] = c.frequency;
            f[cp + baseNames[base]] = c.validPercent == -1.0 ? kNotComputed : c.validPercent;
            if (base == 1) {
                EXPECT_EQ(c.percent, c.validPercent) << cp;
            }
        }
    }
}

TEST_F(GoldenObjects, MultipleResponseCountsCodesAndDichotomiesOnEveryBase)
{
    Figures f;
    const long items[] = {Q1, Q2, Q3, 0};
    const long dichotomies[] = {M1, M2, M3, M4, 0};
    const ValueRangeList one = {{1, 1}}, oneOrNine = {{1, 1}, {9, 9}};
    // A dichotomy's record holds its variable number as its value.
    auto dichotomyName = [](const FreqCategory &c) {
        return "m" + std::to_string(static_cast<int>(c.value.real) - M1 + 1);
    };
    for (bool w : {false, true}) {
        for (bool listwise : {false, true}) {
            for (bool user : {false, true}) {
                const std::string name = std::string(listwise ? "list" : "pair") + (user ? ".user" : "");
                GMultRespFreq codes(items, 1, listwise ? 0 : 1, 0, 0, ResponseSet(w));
                if (user) {
                    codes.includeUserMissing = true;
                    codes.Recompute();
                }
                std::string p = "mrfreq." + name + Suffix(w) + ".";
                f[p + "cases"] = codes.caseCount;
                f[p + "categories"] = codes.categoryCount;
                const FREQOBJ *r = codes.Result();
                AddResponseFigures(
                    codes, p, w, 2,
                    [r](const FreqCategory &c) {
                        char code[32];
                        std::snprintf(code, sizeof code, "code.%g",
                                      r->realValued ? c.value.real : static_cast<double>(c.value.integer));
                        return std::string(code);
                    },
                    f);

                // The dichotomies count user-missing codes as values from the start.
                GMultRespDiko answers(dichotomies, 0, listwise ? 0 : 1, one, ResponseSet(w));
                if (!user) {
                    answers.includeUserMissing = false;
                    answers.Recompute();
                }
                p = "mrdiko." + name + Suffix(w) + ".";
                f[p + "cases"] = answers.caseCount;
                AddResponseFigures(answers, p, w, 3, dichotomyName, f);
            }
        }
        GMultRespDiko nine(dichotomies, 2, 1, oneOrNine, ResponseSet(w));
        const std::string p = "mrdiko.pair.user.nine" + Suffix(w) + ".";
        f[p + "cases"] = nine.caseCount;
        AddResponseFigures(nine, p, w, 3, dichotomyName, f);
    }
    EXPECT_GT(CompareWithReferences("mrfreq.", f), 150);
    EXPECT_GT(CompareWithReferences("mrdiko.", f), 150);
}

// Every cell of an n-way table as cell.<key of each dimension>.count and
// pct1-pct3, found again by FindCell; the case count, the number of cells
// and each dimension's category count.
void AddNwayFigures(const NTABOBJ &t, const std::string &p, Figures &f)
{
    f[p + "cases"] = t.caseCount;
    for (size_t d = 0; d < t.dimensions.size(); ++d)
        f[p + "categories." + std::to_string(d + 1)] = t.dimensions[d].CategoryCount();
    int cells = 0;
    std::vector<double> keys(t.dimensions.size());
    std::function<void(const NtabLevel &, size_t, const std::string &)> walk = [&](const NtabLevel &level, size_t d,
                                                                                   const std::string &name) {
        for (const NtabNode &node : level.nodes) {
            char key[32];
            std::snprintf(key, sizeof key, ".%g", node.key);
            keys[d] = node.key;
            if (d + 1 < keys.size()) {
                ASSERT_TRUE(node.next) << name << key;
                walk(*node.next, d + 1, name + key);
                continue;
            }
            ++cells;
            const std::string c = p + "cell" + name + key + ".";
            EXPECT_EQ(t.FindCell(keys.data()), &node.cell) << c;
            f[c + "count"] = node.cell.count;
            for (int i = 0; i < 3; ++i)
                f[c + "pct" + std::to_string(i + 1)] = node.cell.percents[i];
        }
    };
    walk(t.root, 0, "");
    f[p + "cells"] = cells;
}

TEST_F(GoldenObjects, NwayTablesOfAVariableAndOfASetOnBothBases)
{
    Figures f;
    const struct
    {
        const char *name;
        bool w;
        std::vector<long> controls;
    } variableRuns[] = {{"a_g", false, {G, 0}}, {"a_g.w", true, {G, 0}}, {"a_d1_d2_g", false, {D1, D2, G, 0}}};
    for (const auto &run : variableRuns) {
        NTABOBJ t(Set(run.w));
        ASSERT_TRUE(t.ComputeForVariable(A, run.controls.data(), 0));
        AddNwayFigures(t, std::string("ntab.") + run.name + ".", f);
    }
    const long items[] = {Q1, Q2, Q3, 0};
    const struct
    {
        const char *name;
        bool w;
        bool answers;
        std::vector<long> controls;
    } setRuns[] = {{"set_g", false, false, {MG, 0}},
                   {"set_g.answers.w", true, true, {MG, 0}},
                   {"set_s_g.answers", false, true, {MS, MG, 0}},
                   {"set_s_g.w", true, false, {MS, MG, 0}}};
    for (const auto &run : setRuns) {
        NTABOBJ t(ResponseSet(run.w));
        ASSERT_TRUE(t.ComputeForTwoLists(items, run.controls.data(), 0));
        if (run.answers) { // recounted on the base of the answers
            t.percentageBase = 0;
            ASSERT_TRUE(t.Recompute());
        }
        AddNwayFigures(t, std::string("ntab.") + run.name + ".", f);
    }
    EXPECT_GT(CompareWithReferences("ntab.", f), 500);
}

// Every family of reference.txt is compared by one of the tests above.
TEST(GoldenReferences, EveryFamilyIsChecked)
{
    const char *const families[] = {"desc.", "quantile.", "freq.",    "xtab.", "oneway.", "corr.",   "reg.", "paired.",
                                    "sign.", "wilcoxon.", "mcnemar.", "stat.", "mrfreq.", "mrdiko.", "ntab."};
    size_t covered = 0;
    for (const char *family : families)
        covered += ReferencesWithPrefix(family).size();
    EXPECT_EQ(covered, ReferencesWithPrefix("").size());
    EXPECT_GT(covered, 1900u);
}

} // namespace
