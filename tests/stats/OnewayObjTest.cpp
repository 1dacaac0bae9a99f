// The breakdown read a block of cases at a time: each group's record and
// quantile summary, the total's and the variance-homogeneity test are those
// of the group's cases taken one by one, bit for bit, whether the analysis
// variable is counted by value (1 or 2 bytes) or held as a column, the
// break variable looked up by stored value or by value, with or without
// weights.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GoldenData.h"
#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"
#include "stats/AnovaKernel.h"
#include "stats/DescriptiveKernel.h"
#include "stats/OnewayObj.h"

namespace {

// 1 x: a double of many values; 2 xs: a 2-byte whole number; 3 xb: a
// 1-byte one (empty every 13th case); 4 g: 1-byte groups 1 .. 6, 6
// user-missing; 5 gd: the same groups as doubles 1.5 g, empty where g is
// 6; 6 w: the weight, (i mod 4) / 2.
const long kCases = 7001;

double X(long i) { return static_cast<double>((i * 7919) % 1000) / 8.0 - 40.0; }
double Xs(long i) { return static_cast<double>((i * 31) % 2001 - 1000); }
bool HasXb(long i) { return i % 13 != 0; }
double Xb(long i) { return static_cast<double>((i * 17) % 200); }
double G(long i) { return static_cast<double>(1 + (i * 5) % 6); }
double W(long i) { return static_cast<double>(i % 4) / 2.0; }

class Breakdown : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string csv = "x,xs,xb,g,gd,w\n";
        char line[160];
        for (long i = 0; i < kCases; ++i) {
            char xb[16] = "", gd[16] = "";
            if (HasXb(i))
                std::snprintf(xb, sizeof xb, "%g", Xb(i));
            if (G(i) != 6.0)
                std::snprintf(gd, sizeof gd, "%g", 1.5 * G(i));
            std::snprintf(line, sizeof line, "%.3f,%g,%s,%g,%s,%g\n", X(i), Xs(i), xb, G(i), gd, W(i));
            csv += line;
        }
        const std::string description = "variable x\ntype double\ndecimals 3\nvariable xs\ntype i16\n"
                                        "variable xb\ntype u8\nvariable g\ntype u8\nmissing 6\n"
                                        "variable gd\ntype double\ndecimals 1\nvariable w\ntype double\n"
                                        "decimals 1\n";
        plain = BuildDataSet(description, csv, "breakdown.QVF");
        weighted = BuildDataSet(description + "weight w\n", csv, "breakdown_w.QVF");
    }
    static void TearDownTestSuite()
    {
        delete plain;
        delete weighted;
    }
    void SetUp() override { ASSERT_TRUE(plain && weighted); }

    static double Value(long variable, long i)
    {
        switch (variable) {
        case 1:
            return X(i);
        case 2:
            return Xs(i);
        default:
            return Xb(i);
        }
    }

    static void ExpectRecord(const DescriptiveRecord &got, const std::vector<WeightedValue> &cases)
    {
        DescriptiveRecord want;
        ComputeDescriptives(cases.data(), cases.size(), want);
        ComputeQuantileSummary(cases, want.quantiles);
        EXPECT_EQ(got.count, want.count);
        EXPECT_EQ(got.weightedCount, want.weightedCount);
        const double figures[][2] = {{got.mean, want.mean},
                                     {got.sum, want.sum},
                                     {got.standardDeviation, want.standardDeviation},
                                     {got.minimum, want.minimum},
                                     {got.maximum, want.maximum},
                                     {got.skewness, want.skewness},
                                     {got.kurtosis, want.kurtosis},
                                     {got.lower95, want.lower95}};
        for (const auto &figure : figures)
            EXPECT_EQ(figure[0], figure[1]);
        ASSERT_TRUE(got.hasQuantiles);
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(got.quantiles[q], want.quantiles[q]) << "summary value " << q;
    }

    static DATASET *plain, *weighted;
};
DATASET *Breakdown::plain = nullptr;
DATASET *Breakdown::weighted = nullptr;

} // namespace

// Each group's figures and the total's are those of its cases alone, bit
// for bit, whether the quantiles' cases are gathered on the walk of the
// moments (one walk) or on a walk of their own.
TEST_F(Breakdown, EveryGroupAndTheTotalAreThoseOfTheirCasesOneByOne)
{
    for (bool oneWalk : {false, true})
    for (bool withWeights : {false, true})
        for (long analysis : {1L, 2L, 3L})
            for (long breakVariable : {4L, 5L}) {
                SCOPED_TRACE("analysis " + std::to_string(analysis) + " by " + std::to_string(breakVariable) +
                             (withWeights ? ", weighted" : "") + (oneWalk ? ", one walk" : ""));
                std::map<double, std::vector<WeightedValue>> byGroup;
                std::vector<WeightedValue> all;
                for (long i = 0; i < kCases; ++i) {
                    const double w = withWeights ? W(i) : 1.0;
                    if (!(w > 0.0) || G(i) == 6.0 || (analysis == 3 && !HasXb(i)))
                        continue;
                    const WeightedValue c = {Value(analysis, i), w};
                    byGroup[breakVariable == 4 ? G(i) : 1.5 * G(i)].push_back(c);
                    all.push_back(c);
                }
                OnewayObj o(analysis, breakVariable, withWeights ? weighted : plain);
                o.quantilesWithMoments = oneWalk;
                ASSERT_TRUE(o.Compute());
                o.ComputeGroupQuantiles();
                o.ComputeVarianceHomogeneityTest();
                ASSERT_EQ(o.groups.size(), byGroup.size());
                size_t g = 0;
                std::vector<std::vector<WeightedValue>> groups;
                for (const auto &group : byGroup) {
                    SCOPED_TRACE("group " + std::to_string(group.first));
                    EXPECT_EQ(o.groups[g].breakValue, group.first);
                    ExpectRecord(o.groups[g++], group.second);
                    groups.push_back(group.second);
                }
                SCOPED_TRACE("total");
                ExpectRecord(o.total, all);
                const AnovaTable levene = ComputeVarianceHomogeneity(groups);
                EXPECT_NEAR(o.varianceF, levene.f, 1e-12 * levene.f);
                EXPECT_EQ(o.varianceDf2, levene.dfWithin);
            }
}

// The homogeneity test gathers its deviations on the walk of the quantiles
// (or from the cases gathered with the moments) where that came first,
// also when the groups are sorted between, before or after the quantiles:
// its figures are those of a walk of its own, to the last bit, and the
// quantiles land in their own groups.
TEST_F(Breakdown, HomogeneityAfterTheQuantilesIsThatOfItsOwnWalk)
{
    const unsigned long byMeanDown = OnewayObj::kSortMean | OnewayObj::kSortDescending;
    for (int gathering : {0, 1, 2}) // a walk of their own; gathered, sorted after; gathered, sorted before
    for (bool withWeights : {false, true})
        for (long analysis : {1L, 2L, 3L})
            for (bool sorted : {false, true}) {
                SCOPED_TRACE("analysis " + std::to_string(analysis) + (withWeights ? ", weighted" : "") +
                             (sorted ? ", sorted by mean" : "") + ", gathering " + std::to_string(gathering));
                DATASET *set = withWeights ? weighted : plain;
                OnewayObj own(analysis, 4, set), shared(analysis, 4, set), walked(analysis, 4, set);
                shared.quantilesWithMoments = gathering != 0;
                ASSERT_TRUE(own.Compute());
                ASSERT_TRUE(shared.Compute());
                ASSERT_TRUE(walked.Compute());
                walked.ComputeGroupQuantiles();
                if (sorted && gathering == 2)
                    shared.SortGroups(byMeanDown);
                shared.ComputeGroupQuantiles(true);
                if (sorted) {
                    own.SortGroups(byMeanDown);
                    walked.SortGroups(byMeanDown);
                    if (gathering != 2)
                        shared.SortGroups(byMeanDown);
                }
                for (size_t g = 0; g < walked.groups.size() && g < shared.groups.size(); ++g)
                    for (int q = 0; q < 7; ++q)
                        EXPECT_EQ(shared.groups[g].quantiles[q], walked.groups[g].quantiles[q]) << g << " " << q;
                own.ComputeVarianceHomogeneityTest();
                shared.ComputeVarianceHomogeneityTest();
                ASSERT_GT(own.groups.size(), 2u);
                EXPECT_EQ(shared.varianceF, own.varianceF);
                EXPECT_EQ(shared.varianceDf1, own.varianceDf1);
                EXPECT_EQ(shared.varianceDf2, own.varianceDf2);
                EXPECT_EQ(shared.varianceP, own.varianceP);
            }
}

// A long breakdown of few distinct values, gathered with the moments, is
// counted per value and group (unweighted, and weighted by floats): counts,
// sums of weights, extremes and every quantile are those of the cases one
// by one, bit for bit; the moments and the homogeneity test, summed per
// value, equal theirs to 1e-12.
TEST(LongBreakdown, CountedPerValueGivesTheFiguresOfTheCasesOneByOne)
{
    const long cases = 70001;
    // Groups of different spreads (a well-conditioned homogeneity F).
    const auto g = [](long i) { return static_cast<double>(1 + (i * 5) % 4); };
    const auto x = [&g](long i) { return g(i) * static_cast<double>((i * 7919) % 389 - 150) / 8.0; };
    const auto w = [](long i) { return 0.5 + static_cast<double>(i % 512) / 1024.0; };
    std::string csv = "x,g,w\n";
    char line[96];
    for (long i = 0; i < cases; ++i) {
        std::snprintf(line, sizeof line, "%.3f,%g,%.10g\n", x(i), g(i), w(i));
        csv += line;
    }
    const std::string description = "variable x\ntype double\ndecimals 3\nvariable g\ntype u8\n"
                                    "variable w\ntype double\ndecimals 10\n";
    std::unique_ptr<DATASET> plain(BuildDataSet(description, csv, "longbreak.QVF"));
    std::unique_ptr<DATASET> weighted(BuildDataSet(description + "weight w\n", csv, "longbreak_w.QVF"));
    ASSERT_TRUE(plain && weighted);
    for (bool withWeights : {false, true}) {
        SCOPED_TRACE(withWeights ? "weighted" : "unweighted");
        std::map<double, std::vector<WeightedValue>> byGroup;
        for (long i = 0; i < cases; ++i)
            byGroup[g(i)].push_back({x(i), withWeights ? w(i) : 1.0});
        OnewayObj o(1, 2, withWeights ? weighted.get() : plain.get());
        o.quantilesWithMoments = true;
        ASSERT_TRUE(o.Compute());
        o.ComputeGroupQuantiles(true);
        o.ComputeVarianceHomogeneityTest();
        ASSERT_EQ(o.groups.size(), byGroup.size());
        std::vector<std::vector<WeightedValue>> groups;
        size_t at = 0;
        for (const auto &group : byGroup) {
            SCOPED_TRACE("group " + std::to_string(group.first));
            const DescriptiveRecord &got = o.groups[at++];
            DescriptiveRecord want;
            ComputeDescriptives(group.second.data(), group.second.size(), want);
            ComputeQuantileSummary(group.second, want.quantiles);
            EXPECT_EQ(got.count, want.count);
            EXPECT_EQ(got.weightedCount, want.weightedCount);
            EXPECT_EQ(got.minimum, want.minimum);
            EXPECT_EQ(got.maximum, want.maximum);
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(got.quantiles[q], want.quantiles[q]) << "summary value " << q;
            const double close[][2] = {{got.mean, want.mean},
                                       {got.sum, want.sum},
                                       {got.standardDeviation, want.standardDeviation},
                                       {got.skewness, want.skewness},
                                       {got.kurtosis, want.kurtosis},
                                       {got.upper99, want.upper99}};
            for (const auto &figure : close)
                EXPECT_NEAR(figure[0], figure[1], 1e-12 * std::fabs(figure[1]) + 1e-12);
            groups.push_back(group.second);
        }
        const AnovaTable levene = ComputeVarianceHomogeneity(groups);
        EXPECT_NEAR(o.varianceF, levene.f, 1e-12 * levene.f);
        EXPECT_EQ(o.varianceDf2, levene.dfWithin);
        // The same breakdown without the gathering walks its cases one by
        // one: the same quantiles.
        OnewayObj walked(1, 2, withWeights ? weighted.get() : plain.get());
        ASSERT_TRUE(walked.Compute());
        walked.ComputeGroupQuantiles();
        for (size_t k = 0; k < o.groups.size(); ++k)
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(o.groups[k].quantiles[q], walked.groups[k].quantiles[q]) << k << " " << q;
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(o.total.quantiles[q], walked.total.quantiles[q]) << q;
    }
}

// Under budgets that hold the gathered column but not its weights widened
// to doubles (a weight that is no float comes late in the walk), the
// column is given up on the walk: the groups' moments then come from a
// walk of their own, the figures of the breakdown at any budget.
TEST(LongBreakdown, GroupMomentsSurviveAColumnGivenUpOnTheWalk)
{
    const long cases = 20001;
    std::string csv = "x,g,w\n";
    char line[96];
    for (long i = 0; i < cases; ++i) {
        const double w = i == 15000 ? 0.1 : 0.5 + static_cast<double>(i % 4) / 4.0;
        std::snprintf(line, sizeof line, "%.3f,%d,%g\n", X(i), static_cast<int>(1 + (i * 5) % 4), w);
        csv += line;
    }
    std::unique_ptr<DATASET> set(BuildDataSet("variable x\ntype double\ndecimals 3\nvariable g\ntype u8\n"
                                              "variable w\ntype double\ndecimals 2\nweight w\n",
                                              csv, "givenup_w.QVF"));
    ASSERT_TRUE(set);
    OnewayObj reference(1, 2, set.get());
    ASSERT_TRUE(reference.Compute());
    int computed = 0;
    for (size_t budget = 64 * 1024; budget < 8 * 1024 * 1024; budget += budget / 8) {
        SCOPED_TRACE("budget " + std::to_string(budget));
        MemoryBudget::SetLimitOverride(budget);
        OnewayObj o(1, 2, set.get());
        o.quantilesWithMoments = true;
        if (!o.Compute())
            continue;
        ++computed;
        ASSERT_EQ(o.groups.size(), reference.groups.size());
        for (size_t g = 0; g < o.groups.size(); ++g) {
            EXPECT_EQ(o.groups[g].count, reference.groups[g].count);
            EXPECT_EQ(o.groups[g].weightedCount, reference.groups[g].weightedCount);
            EXPECT_EQ(o.groups[g].mean, reference.groups[g].mean);
            EXPECT_EQ(o.groups[g].standardDeviation, reference.groups[g].standardDeviation);
            EXPECT_EQ(o.groups[g].skewness, reference.groups[g].skewness);
        }
    }
    MemoryBudget::SetLimitOverride(0);
    EXPECT_GT(computed, 0);
}
