// Edge cases of the descriptive kernel that the golden figures do not reach:
// which figures exist with 0 to 4 cases or without spread, the record's
// kept fields, and quantiles of an unweighted column turning weighted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dataset/DataSetLayout.h"
#include "dataset/MemoryBudget.h"
#include "stats/DescriptiveKernel.h"
#include "stats/StatMissing.h"

namespace {

DescriptiveRecord Describe(const std::vector<WeightedValue> &cases)
{
    DescriptiveRecord d;
    ComputeDescriptives(cases.data(), cases.size(), d);
    return d;
}

struct FewCases
{
    std::vector<WeightedValue> cases;
    bool mean, deviation, skewness, kurtosis;
};

class DescriptiveFewCases : public ::testing::TestWithParam<FewCases>
{};

} // namespace

// Each figure needs its number of cases (mean 1, deviation and limits 2,
// skewness 3, kurtosis 4) and shape needs spread; without them it stays not
// computed, never NaN or infinite.
TEST_P(DescriptiveFewCases, FiguresExistOnlyWithEnoughCases)
{
    const FewCases &c = GetParam();
    const DescriptiveRecord d = Describe(c.cases);
    EXPECT_EQ(d.mean != kNotComputed, c.mean);
    EXPECT_EQ(d.sum != kNotComputed, c.mean);
    EXPECT_EQ(d.standardDeviation != kNotComputed, c.deviation);
    EXPECT_EQ(d.upper99 != kNotComputed, c.deviation);
    EXPECT_EQ(d.skewness != kNotComputed, c.skewness);
    EXPECT_EQ(d.kurtosis != kNotComputed, c.kurtosis);
    const double all[] = {d.minimum, d.maximum, d.sum,     d.mean,     d.standardDeviation, d.lower95,
                          d.upper95, d.lower99, d.upper99, d.skewness, d.kurtosis};
    for (double v : all)
        EXPECT_TRUE(std::isfinite(v));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DescriptiveFewCases,
    ::testing::Values(FewCases{{}, false, false, false, false}, FewCases{{{7.5, 1}}, true, false, false, false},
                      FewCases{{{1, 1}, {4, 1}}, true, true, false, false},
                      FewCases{{{1, 1}, {4, 1}, {10, 1}}, true, true, true, false},
                      FewCases{{{1, 1}, {4, 1}, {10, 1}, {2, 1}}, true, true, true, true},
                      // One case of weight 3 is three cases, but without spread.
                      FewCases{{{2, 3}}, true, true, false, false},
                      FewCases{std::vector<WeightedValue>(6, WeightedValue{5.0, 1.0}), true, true, false, false}));

TEST(DescriptiveKernel, ConstantVariableHasQuantilesAtItsValue)
{
    std::vector<WeightedValue> cases(6, WeightedValue{5.0, 1.0});
    double q[7];
    ComputeQuantileSummary(cases, q);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(q[i], 5.0);
    ComputeQuantileSummary(std::vector<WeightedValue>(), q);
    EXPECT_EQ(q[1], kNotComputed);
}

TEST(DescriptiveKernel, RecomputingKeepsLabelBreakValueAndQuantiles)
{
    DescriptiveRecord d;
    d.label = "group";
    d.breakValue = 3;
    d.SetSevenToMaxFloat();
    std::vector<WeightedValue> cases = {{1, 1}, {2, 1}};
    ComputeDescriptives(cases.data(), cases.size(), d);
    EXPECT_EQ(d.label, "group");
    EXPECT_EQ(d.breakValue, 3.0);
    ASSERT_NE(d.QuantileSummary(), nullptr);
    EXPECT_EQ(d.QuantileSummary()[1], kNotComputed);
    d.Reset();
    EXPECT_EQ(d.QuantileSummary(), nullptr);
}

// The column keeps values alone until a weight other than 1 comes; the
// weights of the values before it are then 1.
TEST(DescriptiveKernel, QuantileColumnTurnsWeightedWhenAWeightComes)
{
    QuantileColumn column;
    column.Add(4, 1);
    column.Add(2, 1);
    column.Add(9, 0); // weight 0: no case
    column.Add(3, 2); // 2 3 3 4
    column.Add(1, 1); // 1 2 3 3 4
    EXPECT_EQ(column.Size(), 4u);
    EXPECT_EQ(column.TotalWeight(), 5.0);
    double q[7];
    ComputeQuantileSummary(column, q);
    EXPECT_EQ(q[1], 3.0);
    EXPECT_EQ(q[5], 1.0);
    EXPECT_EQ(q[6], 4.0);
    QuantileColumn even;
    for (double v : {4.0, 2.0, 3.0, 1.0})
        even.Add(v, 1);
    ComputeQuantileSummary(even, q);
    EXPECT_EQ(q[1], 2.5); // averaged where the distribution is flat
    EXPECT_EQ(q[0], 1.5);
}

// A column that counts whole values gives the summary of the column of the
// same cases bit for bit: over sizes odd and even (where quartiles average
// two values), runs of one value, a single value, and a case the counts
// cannot hold (out of range, not whole, a weight other than 1), which turns
// the column back into one of cases.
TEST(DescriptiveKernel, CountedColumnGivesTheSummaryOfItsCases)
{
    const double lateCases[][2] = {{0, 1}, {300, 1}, {2.5, 1}, {3, 2}};
    for (long n : {1L, 2L, 3L, 4L, 7L, 8L, 40L, 1001L, 4096L, 5000L}) {
        for (int late = -1; late < 4; ++late) {
            SCOPED_TRACE("n " + std::to_string(n) + ", late case " + std::to_string(late));
            QuantileColumn counted, plain;
            counted.CountWholeValues(-5, 254);
            ASSERT_TRUE(counted.Counting());
            std::vector<double> block;
            for (long i = 0; i < n; ++i)
                block.push_back(static_cast<double>((i * 37) % std::min(n / 3 + 2, 200L)) - 5.0);
            counted.AddBlock(block.data(), nullptr, block.size());
            plain.AddBlock(block.data(), nullptr, block.size());
            if (late >= 0) {
                counted.Add(lateCases[late][0], lateCases[late][1]);
                plain.Add(lateCases[late][0], lateCases[late][1]);
            }
            EXPECT_EQ(counted.Counting(), late < 1);
            EXPECT_EQ(counted.TotalWeight(), plain.TotalWeight());
            double a[7], b[7];
            ComputeQuantileSummary(counted, a);
            ComputeQuantileSummary(plain, b);
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(a[q], b[q]) << "summary value " << q;
        }
    }
}

TEST(DescriptiveKernel, ColumnsOfStoredWholeValuesCountWithOrWithoutWeights)
{
    QuantileColumn bytes, shorts, doubles, weighted;
    CountStoredValues(bytes, STORAGE_U8, false);
    CountStoredValues(shorts, STORAGE_I16, false);
    CountStoredValues(doubles, STORAGE_DOUBLE, false);
    CountStoredValues(weighted, STORAGE_U8, true);
    EXPECT_TRUE(bytes.Counting());
    EXPECT_TRUE(shorts.Counting());
    EXPECT_FALSE(doubles.Counting());
    EXPECT_TRUE(weighted.Counting());
    const double extremes[] = {-32768, 32766, 0};
    shorts.AddBlock(extremes, nullptr, 3);
    EXPECT_TRUE(shorts.Counting());
    double q[7];
    ComputeQuantileSummary(shorts, q);
    EXPECT_EQ(q[5], -32768.0);
    EXPECT_EQ(q[6], 32766.0);
    EXPECT_EQ(q[1], 0.0);
}

namespace {

// The summary as one stable sort of all the cases gives it, step by step
// from the definition: the reference for the columns sorted by runs.
void StableSortSummary(std::vector<WeightedValue> cases, double summary[7])
{
    for (int i = 0; i < 7; ++i)
        summary[i] = kNotComputed;
    if (cases.empty())
        return;
    std::stable_sort(cases.begin(), cases.end(),
                     [](const WeightedValue &a, const WeightedValue &b) { return a.value < b.value; });
    double total = 0.0;
    for (const WeightedValue &c : cases)
        total += c.weight;
    const size_t n = cases.size();
    const auto quantile = [&](double p) {
        const double target = p * total, tolerance = 1e-12 * total;
        double cumulative = 0.0;
        for (size_t i = 0; i < n; ++i) {
            cumulative += cases[i].weight;
            if (cumulative >= target - tolerance)
                return std::fabs(cumulative - target) <= tolerance && i + 1 < n
                           ? (cases[i].value + cases[i + 1].value) / 2.0
                           : cases[i].value;
        }
        return cases[n - 1].value;
    };
    FillQuantileSummary(summary, cases[0].value, cases[n - 1].value, quantile,
                        [&](double lowFence, double highFence, double &low, double &high) {
                            for (size_t i = 0; i < n; ++i)
                                if (cases[i].value >= lowFence) {
                                    low = cases[i].value;
                                    break;
                                }
                            for (size_t i = n; i-- > 0;)
                                if (cases[i].value <= highFence) {
                                    high = cases[i].value;
                                    break;
                                }
                        });
}

// Cases with many ties and weights whose running sums round: an order of
// the tied cases other than the order they came in would show in the last
// digits.
std::vector<WeightedValue> TiedCases(size_t n, unsigned seed)
{
    std::vector<WeightedValue> cases;
    for (size_t i = 0; i < n; ++i) {
        const size_t k = i * 7919 + seed;
        cases.push_back({static_cast<double>(static_cast<long>(k % 97) - 40) / 4.0, 0.1 + static_cast<double>(k % 13) * 0.37});
    }
    return cases;
}

// A budget that grants the column but not the scratch of a sort of all of
// it, so that the column sorts in several runs.
class ShortRuns : public ::testing::Test
{
protected:
    void SetUp() override { MemoryBudget::SetLimitOverride(kCases * sizeof(WeightedValue) * 5 / 4 + 64 * 1024); }
    void TearDown() override { MemoryBudget::SetLimitOverride(0); }
    static const size_t kCases = 30011;
};

} // namespace

// The order statistics of a weighted column sorted in runs and walked
// merged are those of one stable sort of all its cases, bit for bit.
TEST_F(ShortRuns, WeightedColumnGivesTheSummaryOfOneStableSort)
{
    for (size_t n : {size_t(1), size_t(2), size_t(5), size_t(4097), kCases}) {
        SCOPED_TRACE(n);
        const std::vector<WeightedValue> cases = TiedCases(n, 3);
        QuantileColumn column;
        column.Reserve(n, true);
        for (const WeightedValue &c : cases)
            column.Add(c.value, c.weight);
        double got[7], want[7];
        ComputeQuantileSummary(column, got);
        if (n == kCases)
            EXPECT_LT(column.RunCases(), n); // more than one run
        StableSortSummary(cases, want);
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(got[q], want[q]) << "summary value " << q;
        // The quantiles alone, from the merged runs as well.
        EXPECT_EQ(SortedQuantile(column, 0.25), want[0]);
        EXPECT_EQ(SortedQuantile(column, 0.5), want[1]);
    }
}

// One tagged column gives every group's summary and the total's as
// columns of their own cases would, bit for bit; a group of one value and
// an empty group included.
TEST_F(ShortRuns, TaggedColumnGivesEveryGroupsSummaryAndTheTotals)
{
    const std::vector<WeightedValue> cases = TiedCases(kCases, 11);
    const size_t groups = 5;
    QuantileColumn tagged;
    tagged.Reserve(cases.size(), true, true);
    std::vector<std::vector<WeightedValue>> byGroup(groups);
    for (size_t i = 0; i < cases.size(); ++i) {
        // Group 3 holds one value only; group 4 none.
        const unsigned g = i % 11 == 0 ? 3u : static_cast<unsigned>(i % 3);
        const WeightedValue c = g == 3 ? WeightedValue{2.5, cases[i].weight} : cases[i];
        tagged.AddTagged(c.value, c.weight, g);
        byGroup[g].push_back(c);
    }
    std::vector<WeightedValue> all;
    for (size_t i = 0; i < cases.size(); ++i)
        all.push_back(i % 11 == 0 ? WeightedValue{2.5, cases[i].weight} : cases[i]);
    double got[groups][7], total[7];
    double *rows[groups];
    for (size_t g = 0; g < groups; ++g)
        rows[g] = got[g];
    ComputeQuantileSummaries(tagged, groups, rows, total);
    double want[7];
    for (size_t g = 0; g < groups; ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        StableSortSummary(byGroup[g], want);
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(got[g][q], want[q]) << "summary value " << q;
    }
    StableSortSummary(all, want);
    for (int q = 0; q < 7; ++q)
        EXPECT_EQ(total[q], want[q]) << "total, summary value " << q;
    EXPECT_EQ(got[3][1], 2.5);
    EXPECT_EQ(got[4][1], kNotComputed);
}

// Counting whole values by their summed weights gives the summary of the
// column of the weighted cases (weights whose sums are exact).
TEST(DescriptiveKernel, WeightedCountsGiveTheSummaryOfTheirCases)
{
    for (long n : {1L, 2L, 7L, 40L, 5000L}) {
        SCOPED_TRACE(n);
        QuantileColumn counted;
        counted.CountWholeValues(0, 254, true);
        std::vector<WeightedValue> cases;
        std::vector<double> values, weights;
        for (long i = 0; i < n; ++i) {
            values.push_back(static_cast<double>((i * 37) % std::min(n / 3 + 2, 200L)));
            weights.push_back(i % 4 == 0 ? 0.0 : 0.25 * static_cast<double>(1 + i % 6));
            if (weights.back() > 0.0)
                cases.push_back({values.back(), weights.back()});
        }
        counted.AddBlock(values.data(), weights.data(), values.size());
        EXPECT_TRUE(counted.Counting());
        double a[7], b[7];
        ComputeQuantileSummary(counted, a);
        StableSortSummary(cases, b);
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(a[q], b[q]) << "summary value " << q;
    }
}

// Weights whose sum passes the largest double give the summary of the same
// cases weighing 1 (every weight the same, so the same shares), for one
// column, for each group of a tagged one and for the quantile of a sorted
// column.
TEST(DescriptiveKernel, WeightsSummingPastTheLargestDoubleGiveTheSummaryOfEqualWeights)
{
    const double heavy = 1.7e308;
    QuantileColumn light, huge, tagged;
    for (int i = 0; i < 41; ++i) {
        const double v = (i * 7) % 41;
        light.Add(v, 1.0);
        huge.Add(v, heavy);
        tagged.AddTagged(v, heavy, static_cast<unsigned>(i % 2));
    }
    ASSERT_TRUE(std::isinf(huge.TotalWeight()));
    double want[7], got[7];
    ComputeQuantileSummary(light, want);
    ComputeQuantileSummary(huge, got);
    for (int q = 0; q < 7; ++q)
        EXPECT_EQ(got[q], want[q]) << "summary value " << q;
    EXPECT_EQ(got[1], 20.0); // the median of 0..40
    EXPECT_EQ(SortedQuantile(huge, 0.25), SortedQuantile(light, 0.25));
    EXPECT_EQ(SortedQuantile(huge, 0.75), SortedQuantile(light, 0.75));

    double groups[2][7], total[7];
    double *rows[2] = {groups[0], groups[1]};
    ComputeQuantileSummaries(tagged, 2, rows, total);
    for (int q = 0; q < 7; ++q)
        EXPECT_EQ(total[q], want[q]) << "total, summary value " << q;
    EXPECT_LT(groups[0][0], groups[0][1]); // quartiles of a group spread again
    EXPECT_LT(groups[1][1], groups[1][2]);
}

// A tagged column of unweighted cases (8 bytes and a tag each) gives every
// group's summary and the total's as unweighted columns of their own cases
// do, whether it sorts in one run or in several.
TEST(DescriptiveKernel, UnweightedTaggedColumnGivesTheSummariesOfPlainColumns)
{
    const size_t groups = 3, n = 30011;
    std::vector<double> values;
    std::vector<unsigned> tags;
    double want[groups + 1][7];
    {
        std::vector<QuantileColumn> plain(groups + 1);
        for (size_t i = 0; i < n; ++i) {
            values.push_back(static_cast<double>(static_cast<long>((i * 7919) % 389) - 150) / 8.0);
            tags.push_back(static_cast<unsigned>((i * 13) % 7 % groups));
            plain[tags.back()].Add(values.back(), 1.0);
            plain[groups].Add(values.back(), 1.0);
        }
        for (size_t g = 0; g <= groups; ++g)
            ComputeQuantileSummary(plain[g], want[g]);
    }
    for (bool shortRuns : {false, true}) {
        SCOPED_TRACE(shortRuns ? "several runs" : "one run");
        QuantileColumn tagged;
        tagged.Reserve(n, false, true);
        for (size_t i = 0; i < n; ++i)
            tagged.AddTagged(values[i], 1.0, tags[i]);
        EXPECT_FALSE(tagged.Weighted());
        EXPECT_EQ(tagged.EntryBytes(), 9u);
        if (shortRuns) // room for the column and a run of some 7,000 cases
            MemoryBudget::SetLimitOverride(MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes() + 64 * 1024);
        double got[groups][7], total[7];
        double *rows[groups] = {got[0], got[1], got[2]};
        ComputeQuantileSummaries(tagged, groups, rows, total);
        MemoryBudget::SetLimitOverride(0);
        EXPECT_EQ(tagged.RunCases() < n, shortRuns);
        for (size_t g = 0; g < groups; ++g)
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(got[g][q], want[g][q]) << "group " << g << ", summary value " << q;
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(total[q], want[groups][q]) << "total, summary value " << q;
    }
}

// Weights that are exactly floats are held as floats (12 bytes a case); the
// first that is not turns them into doubles, every weight kept exactly.
TEST(DescriptiveKernel, WeightsAreHeldAsFloatsUntilOneIsNot)
{
    QuantileColumn column;
    column.Reserve(10, true);
    column.Add(3.0, 0.5);
    column.Add(1.0, 1.25);
    EXPECT_EQ(column.EntryBytes(), 12u);
    column.Add(2.0, 0.1); // no float is 0.1
    EXPECT_EQ(column.EntryBytes(), 16u);
    column.Add(4.0, 1e300);
    EXPECT_EQ(column.Weight(0), 0.5);
    EXPECT_EQ(column.Weight(1), 1.25);
    EXPECT_EQ(column.Weight(2), 0.1);
    EXPECT_EQ(column.Weight(3), 1e300);
    EXPECT_EQ(column.TotalWeight(), ((0.5 + 1.25) + 0.1) + 1e300);
}

// The order by magnitude: ascending |value|, every case's value, weight and
// tag moved together, ties of magnitude side by side; -0 and +0, values of
// every exponent and long runs of ties included.
TEST(DescriptiveKernel, SortByMagnitudeKeepsEachCaseWhole)
{
    for (bool weighted : {false, true}) {
        SCOPED_TRACE(weighted ? "weighted" : "unweighted");
        std::vector<WeightedValue> cases;
        for (size_t i = 0; i < 20000; ++i) {
            const double magnitude = i % 5 == 0 ? static_cast<double>(i % 37) / 4.0
                                                : std::ldexp(1.0 + static_cast<double>(i % 101) / 101.0,
                                                             static_cast<int>(i % 61) - 30);
            const double value = (i * 7) % 3 == 0 ? -magnitude : magnitude;
            // Each value's weight tells it apart (unweighted: only the value).
            cases.push_back({value, weighted ? 1.0 + static_cast<double>(i) : 1.0});
        }
        cases.push_back({-0.0, weighted ? 0.5 : 1.0});
        QuantileColumn column;
        for (const WeightedValue &c : cases)
            column.Add(c.value, c.weight);
        column.SortByMagnitude();
        ASSERT_EQ(column.Size(), cases.size());
        std::vector<std::pair<double, double>> got, want;
        for (size_t i = 0; i < column.Size(); ++i) {
            if (i > 0)
                ASSERT_LE(std::fabs(column.Value(i - 1)), std::fabs(column.Value(i))) << i;
            got.emplace_back(column.Value(i), column.Weight(i));
        }
        for (const WeightedValue &c : cases)
            want.emplace_back(c.value, c.weight);
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want); // the same cases, each value with its own weight
        EXPECT_EQ(column.Value(0), 0.0);
    }
}

// An unweighted column the budget cannot give a second copy for sorts in
// runs and gives the summary of a whole sort, bit for bit.
TEST(DescriptiveKernel, UnweightedColumnWithoutRoomForACopySortsInRuns)
{
    const size_t n = 50021;
    std::vector<double> values;
    for (size_t i = 0; i < n; ++i)
        values.push_back(static_cast<double>(static_cast<long>((i * 7919) % 4999) - 2000) / 16.0);
    double want[7], got[7];
    QuantileColumn whole;
    whole.AddBlock(values.data(), nullptr, n);
    ComputeQuantileSummary(whole, want);
    EXPECT_EQ(whole.RunCases(), n);
    QuantileColumn column;
    column.AddBlock(values.data(), nullptr, n);
    MemoryBudget::SetLimitOverride(MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes() + 100 * 1024);
    ComputeQuantileSummary(column, got);
    MemoryBudget::SetLimitOverride(0);
    EXPECT_LT(column.RunCases(), n);
    for (int q = 0; q < 7; ++q)
        EXPECT_EQ(got[q], want[q]) << "summary value " << q;
    EXPECT_EQ(SortedQuantile(column, 0.5), want[1]);
}

// A long column of few distinct values (as values recorded to a few
// decimals are) sorts by them; one of many distinct values by radix. Either
// way the order is that of one stable sort of the cases: each case's value
// (a -0 among the zeros; a plain column's zeros +0), weight and tag moved
// together, ties in the order the cases came. Weights as floats and as
// doubles, with and without tags.
TEST(DescriptiveKernel, LongColumnsSortStablyWhateverTheirDistinctValues)
{
    struct Case
    {
        double value, weight;
        unsigned tag;
    };
    const size_t n = 70001;
    for (size_t distinct : {size_t(601), n}) {
        for (int kind = 0; kind < 4; ++kind) {
            // 0 plain, 1 float weights, 2 double weights, 3 tagged and weighted
            SCOPED_TRACE(std::to_string(distinct) + " distinct values, kind " + std::to_string(kind));
            std::vector<Case> cases;
            for (size_t i = 0; i < n; ++i) {
                const size_t k = (i * 7919) % distinct;
                double value = static_cast<double>(static_cast<long>(k) - 300) / 8.0;
                if (k % 97 == 5)
                    value = -value * 1e200;
                if (k == 300 && i % 2)
                    value = -0.0;
                const double weight = kind == 0   ? 1.0
                                      : kind == 2 ? 0.1 * static_cast<double>(i + 1)
                                                  : static_cast<double>(i % 4093 + 1);
                cases.push_back({value, weight, kind == 3 ? static_cast<unsigned>(i % 5) : 0u});
            }
            QuantileColumn column;
            column.Reserve(n, kind != 0, kind == 3);
            for (const Case &c : cases) {
                if (kind == 3)
                    column.AddTagged(c.value, c.weight, c.tag);
                else
                    column.Add(c.value, c.weight);
            }
            column.Sort();
            ASSERT_EQ(column.Size(), n);
            EXPECT_EQ(column.RunCases(), n);
            std::vector<Case> want = cases;
            std::stable_sort(want.begin(), want.end(), [](const Case &a, const Case &b) { return a.value < b.value; });
            for (size_t i = 0; i < n; ++i) {
                const double value = kind == 0 && want[i].value == 0.0 ? 0.0 : want[i].value;
                ASSERT_EQ(column.Value(i), value) << i;
                ASSERT_EQ(std::signbit(column.Value(i)), std::signbit(value)) << i;
                ASSERT_EQ(column.Weight(i), want[i].weight) << i;
                ASSERT_EQ(column.Tag(i), want[i].tag) << i;
            }
        }
    }
}

// By magnitude, a long column of few distinct magnitudes: unweighted, the
// same values in ascending magnitude; weighted (every case told apart by its
// weight), ties of magnitude in the order the cases came.
TEST(DescriptiveKernel, LongColumnsOfFewMagnitudesSortByThem)
{
    const size_t n = 70001;
    for (bool weighted : {false, true}) {
        SCOPED_TRACE(weighted ? "weighted" : "unweighted");
        std::vector<std::pair<double, double>> cases;
        for (size_t i = 0; i < n; ++i) {
            const double magnitude = static_cast<double>((i * 7919) % 1201) / 100.0;
            const double value = (i * 13) % 3 == 0 ? -magnitude : magnitude;
            cases.emplace_back(i % 1000 == 7 ? -0.0 : value, weighted ? static_cast<double>(i + 1) : 1.0);
        }
        QuantileColumn column;
        for (const auto &c : cases)
            column.Add(c.first, c.second);
        column.SortByMagnitude();
        ASSERT_EQ(column.Size(), n);
        std::vector<std::pair<double, double>> got;
        for (size_t i = 0; i < n; ++i)
            got.emplace_back(column.Value(i), column.Weight(i));
        if (weighted) {
            std::vector<std::pair<double, double>> want = cases;
            std::stable_sort(want.begin(), want.end(), [](const std::pair<double, double> &a,
                                                          const std::pair<double, double> &b) {
                return std::fabs(a.first) < std::fabs(b.first);
            });
            for (size_t i = 0; i < n; ++i) {
                ASSERT_EQ(got[i], want[i]) << i;
                ASSERT_EQ(std::signbit(got[i].first), std::signbit(want[i].first)) << i;
            }
            continue;
        }
        for (size_t i = 1; i < n; ++i)
            ASSERT_LE(std::fabs(got[i - 1].first), std::fabs(got[i].first)) << i;
        const auto negativeZeros = [](const std::vector<std::pair<double, double>> &of) {
            return std::count_if(of.begin(), of.end(), [](const std::pair<double, double> &c) {
                return c.first == 0.0 && std::signbit(c.first);
            });
        };
        EXPECT_EQ(negativeZeros(got), negativeZeros(cases));
        EXPECT_GT(negativeZeros(got), 0);
        std::sort(got.begin(), got.end());
        std::sort(cases.begin(), cases.end());
        EXPECT_EQ(got, cases);
    }
}

// A long unweighted tagged column of few distinct values gives each tag and
// the total the summaries of their own plain columns, bit for bit; so does
// one holding a -0 (kept with its own bits, sorted stably instead).
TEST(DescriptiveKernel, LongUnweightedTaggedColumnGivesTheSummariesOfPlainColumns)
{
    const size_t groups = 3, n = 70001;
    for (bool negativeZero : {false, true}) {
        SCOPED_TRACE(negativeZero ? "with a -0" : "without a -0");
        std::vector<double> values;
        std::vector<unsigned char> tags;
        std::vector<QuantileColumn> plain(groups + 1);
        for (size_t i = 0; i < n; ++i) {
            values.push_back(static_cast<double>(static_cast<long>((i * 7919) % 389) - 150) / 8.0);
            if (negativeZero && values.back() == 0.0 && i % 2)
                values.back() = -0.0;
            tags.push_back(static_cast<unsigned char>((i * 13) % 7 % groups));
            plain[tags.back()].Add(values.back(), 1.0);
            plain[groups].Add(values.back(), 1.0);
        }
        double want[groups + 1][7];
        for (size_t g = 0; g <= groups; ++g)
            ComputeQuantileSummary(plain[g], want[g]);
        QuantileColumn tagged;
        tagged.Reserve(n, false, true);
        const std::vector<double> ones(n, 1.0);
        tagged.AddTaggedBlock(values.data(), ones.data(), tags.data(), n);
        double got[groups][7], total[7];
        double *rows[groups] = {got[0], got[1], got[2]};
        ComputeQuantileSummaries(tagged, groups, rows, total);
        for (size_t g = 0; g < groups; ++g)
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(got[g][q], want[g][q]) << "group " << g << ", summary value " << q;
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(total[q], want[groups][q]) << "total, summary value " << q;
        // Without a -0 the column holds an entry per value and tag, their
        // counts adding up to the cases.
        double counted = 0.0;
        for (size_t i = 0; i < tagged.Size(); ++i) {
            counted += tagged.Weight(i);
            if (i > 0)
                ASSERT_LE(tagged.Value(i - 1), tagged.Value(i)) << i;
        }
        EXPECT_EQ(counted, static_cast<double>(n));
        EXPECT_EQ(tagged.Size() < n, !negativeZero);
    }
}

// A long weighted column of few distinct values counted per value (and
// tag, CountTagged) gives every tag and the total the summaries of their
// cases walked one by one, bit for bit, where its float weights sum
// exactly in any order; it stays a column of the cases otherwise (a weight
// that is no float, sums beyond 2^53 of the finest weight's units), with
// the same summaries. (A tagged column is counted only when told to: the
// one of all the cases under tag 0 is the reference walked case by case.)
TEST(DescriptiveKernel, LongWeightedColumnsCountedGiveTheSummariesOfTheirCases)
{
    const size_t groups = 3, n = 70001;
    const struct
    {
        const char *name;
        bool counts;
    } kinds[] = {{"survey weights", true}, {"quarters", true}, {"a decimal weight", false}, {"a 2^30 weight", false}};
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kinds[kind].name);
        std::vector<double> values, weights;
        std::vector<unsigned char> tags;
        std::vector<QuantileColumn> plain(groups + 1);
        QuantileColumn walked; // all cases under tag 0
        walked.Reserve(n, true, true);
        std::vector<size_t> cases(groups, 0);
        for (size_t i = 0; i < n; ++i) {
            values.push_back(static_cast<double>(static_cast<long>((i * 7919) % 389) - 150) / 8.0);
            // Quarters make running sums meet the quartiles' targets exactly
            // (the mid-point rule).
            double w = kind == 1 ? 0.25 * static_cast<double>(1 + i % 3)
                                 : static_cast<double>(static_cast<float>(0.5 + static_cast<double>(i % 997) / 1000.0));
            if (i == 4242)
                w = kind == 2 ? 0.1 : kind == 3 ? 0x1p30 : w;
            weights.push_back(w);
            tags.push_back(static_cast<unsigned char>((i * 13) % 7 % groups));
            ++cases[tags.back()];
            plain[tags.back()].Add(values.back(), w);
            plain[groups].Add(values.back(), w);
            walked.AddTagged(values.back(), w, 0);
        }
        double want[groups][7], wantTotal[7], plainTotal[7];
        for (size_t g = 0; g < groups; ++g)
            ComputeQuantileSummary(plain[g], want[g]);
        double *walkedRows[1] = {wantTotal};
        ComputeQuantileSummaries(walked, 1, walkedRows, nullptr);
        ASSERT_EQ(walked.Size(), n);
        ComputeQuantileSummary(plain[groups], plainTotal);
        EXPECT_EQ(plain[groups].Size() < n, kinds[kind].counts);
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(plainTotal[q], wantTotal[q]) << "untagged total, summary value " << q;
        QuantileColumn tagged;
        tagged.Reserve(n, true, true);
        tagged.AddTaggedBlock(values.data(), weights.data(), tags.data(), n);
        ASSERT_EQ(tagged.CountTagged(), kinds[kind].counts);
        if (kinds[kind].counts) {
            EXPECT_LT(tagged.Size(), groups * 389 + 1);
            for (size_t g = 0; g < groups; ++g)
                EXPECT_EQ(tagged.TagCases(static_cast<unsigned>(g)), cases[g]);
        } else {
            EXPECT_EQ(tagged.Size(), n);
            EXPECT_EQ(tagged.Value(4242), values[4242]);
        }
        double got[groups][7], total[7];
        double *rows[groups] = {got[0], got[1], got[2]};
        ComputeQuantileSummaries(tagged, groups, rows, total);
        for (size_t g = 0; g < groups; ++g)
            for (int q = 0; q < 7; ++q)
                EXPECT_EQ(got[g][q], want[g][q]) << "group " << g << ", summary value " << q;
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(total[q], wantTotal[q]) << "total, summary value " << q;
    }
}
