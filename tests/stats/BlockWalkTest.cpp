// Computations that read their cases a block at a time: figures over many
// blocks keep their digits far from zero and do not depend on whether the
// value lists page, and the dense and the sparse cells of a table count as
// by hand.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "GoldenData.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetWriter.h"
#include "dataset/MemoryBudget.h"
#include "dataset/WeightRec.h"
#include "stats/CaseBlockWalk.h"
#include "stats/CorrObj.h"
#include "stats/FREQOBJ.h"
#include "stats/GMultResp.h"
#include "stats/MeanObj.h"
#include "stats/NTABOBJ.h"
#include "stats/PairedTests.h"
#include "stats/XTABOBJ.h"

namespace {

// x = 1e9 + (i mod 10), y = 1e9 + (3i mod 10) over a multiple of 10 cases,
// more than ten moment blocks and more than one value-list window under
// the small budget. Per period of 10, x - 1e9 takes 0..9 once (mean 4.5,
// population variance 8.25) and y - 1e9 the permutation a -> 3a mod 10
// of it: sum a (3a mod 10) = 225, population covariance 22.5 - 4.5^2 =
// 2.25, so r = 2.25 / 8.25 = 3 / 11 exactly.
const long kFarCases = 10530;

uint64_t Bits(double v)
{
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

} // namespace

namespace {

DATASET *FarFromZero()
{
    std::string csv = "x,y\n";
    for (long i = 0; i < kFarCases; ++i)
        csv += std::to_string(1000000000 + i % 10) + "," + std::to_string(1000000000 + (3 * i) % 10) + "\n";
    return BuildDataSet("variable x\ntype double\nvariable y\ntype double\n", csv, "blocks.QVF");
}

} // namespace

TEST(BlockWalk, ManyBlocksFarFromZeroKeepTheirDigitsWhetherTheListsPageOrNot)
{
    std::unique_ptr<DATASET> set(FarFromZero());
    ASSERT_TRUE(set);
    const double n = static_cast<double>(kFarCases);
    uint64_t sdBits[2] = {0, 0}, rBits[2] = {0, 0};
    const size_t budgets[2] = {0, 256 * 1024};
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "whole columns" : "paged columns");
        MemoryBudget::SetLimitOverride(budgets[run]);
        EXPECT_EQ(LISTETYPE(set.get(), 1).IsInMemory(), run == 0);
        MeanObj m(1, set.get());
        ASSERT_TRUE(m.Compute());
        EXPECT_EQ(m.record.count, kFarCases);
        EXPECT_NEAR(m.record.mean - 1e9, 4.5, 1e-6);
        const double sd = m.record.standardDeviation;
        EXPECT_NEAR(sd * sd, 8.25 * n / (n - 1.0), 1e-12 * 8.25);
        EXPECT_NEAR(m.record.skewness, 0.0, 1e-9);
        EXPECT_EQ(m.record.quantiles[1], 1e9 + 4.5);
        const long both[] = {1, 2, 0};
        CorrObj listwise(both, CorrObj::kListwise, nullptr, set.get());
        CorrObj pairwise(both, CorrObj::kPairwise, nullptr, set.get());
        ASSERT_EQ(listwise.errorCode, 0);
        ASSERT_EQ(pairwise.errorCode, 0);
        EXPECT_NEAR(listwise.Coefficient(1, 0), 3.0 / 11.0, 1e-13);
        EXPECT_NEAR(pairwise.Coefficient(1, 0), 3.0 / 11.0, 1e-13);
        EXPECT_EQ(Bits(listwise.result.standardDeviation[0]), Bits(sd));
        sdBits[run] = Bits(sd);
        rBits[run] = Bits(listwise.Coefficient(1, 0));
    }
    MemoryBudget::SetLimitOverride(0);
    EXPECT_EQ(sdBits[0], sdBits[1]);
    EXPECT_EQ(rBits[0], rBits[1]);
}

// s = (i mod 600) - 300 (2-byte, user-missing -1) by g = i mod 4 (1-byte,
// user-missing 3) over 2400 cases: each s value comes 4 times, always with
// g = (s + 300) mod 4, so the table holds the 450 values whose g is not 3
// (which leaves -1 out as well), each in one cell of 4, 1800 cases; the
// values met after the first 256 are counted in the sparse cells.
TEST(BlockWalk, DenseAndSparseCellsOfATableCountAsByHand)
{
    std::string csv = "s,g\n";
    for (long i = 0; i < 2400; ++i)
        csv += std::to_string(i % 600 - 300) + "," + std::to_string(i % 4) + "\n";
    std::unique_ptr<DATASET> set(
        BuildDataSet("variable s\ntype i16\nmissing -1\nvariable g\ntype u8\nmissing 3\n", csv, "dense.QVF"));
    ASSERT_TRUE(set);
    LISTETYPE s(set.get(), 1), g(set.get(), 2);
    XTABOBJ x(&s, nullptr, &g, nullptr, 0, set.get());
    ASSERT_EQ(x.status, 0);
    ASSERT_EQ(x.ColumnCount(), 450);
    ASSERT_EQ(x.RowCount(), 3);
    EXPECT_EQ(x.total, 1800.0);
    EXPECT_EQ(x.columns[2].value, -298.0); // s + 300 = 0, 1, 2, 4, ...
    EXPECT_EQ(x.Cell(2, 2), 4.0);
    EXPECT_EQ(x.Cell(0, 2), 0.0);
    EXPECT_EQ(x.columns[449].value, 298.0);
    EXPECT_EQ(x.Cell(2, 449), 4.0);
    EXPECT_EQ(x.Cell(1, 449), 0.0);

    FREQOBJ f(set.get());
    BuildFrequencyDistribution(&s, &f, nullptr);
    ASSERT_EQ(f.categoryCount, 600);
    EXPECT_EQ(f.categories[0].value.integer, -300);
    const FreqCategory &minusOne = f.categories[299];
    EXPECT_EQ(minusOne.value.integer, -1);
    EXPECT_EQ(minusOne.count, 4);
    EXPECT_TRUE(minusOne.missing);
    EXPECT_EQ(minusOne.validPercent, -1.0);
}

// The quantile column and the Wilcoxon differences grow with the cases
// (84 KB here): under a budget of 64 KiB they are refused with a message
// instead of being held past it (the descriptives keep their moments and
// say that the quantiles are left out), and computed once the budget
// allows.
TEST(BlockWalk, BuffersThatGrowWithTheCasesAreChargedToTheBudget)
{
    std::unique_ptr<DATASET> set(FarFromZero());
    ASSERT_TRUE(set);
    for (size_t budget : {size_t(64 * 1024), size_t(0)}) {
        SCOPED_TRACE(budget);
        MemoryBudget::SetLimitOverride(budget);
        MeanObj m(1, set.get());
        Wilcoxon w(1, 2, set.get());
        EXPECT_TRUE(m.Compute());
        EXPECT_EQ(m.record.count, kFarCases);
        EXPECT_EQ(m.record.QuantileSummary() != nullptr, budget == 0);
        EXPECT_EQ(std::string(m.GetOmittedText()).find("The quartiles, the median and the whisker ends of x are left out") !=
                      std::string::npos,
                  budget != 0);
        EXPECT_EQ(std::string(w.GetFailureText()).find("The Wilcoxon test") != std::string::npos, budget != 0);
        EXPECT_EQ(w.pairs, budget == 0 ? static_cast<double>(kFarCases) : 0.0);
        EXPECT_EQ(MemoryBudget::ChargedBytes(), 0u);
    }
}

namespace {

// A data set of two 1-byte codes a (1-4) and b (1-3) and a double weight
// w (0.5-1.5), written as the converter writes one.
DATASET *WeightedCodes(long cases)
{
    const std::string file = "weighted-" + std::to_string(cases) + ".QVF";
    {
        std::unique_ptr<TMPLISTETYPE> a(new TMPLISTETYPE(STORAGE_U8)), b(new TMPLISTETYPE(STORAGE_U8)),
            w(new TMPLISTETYPE(STORAGE_DOUBLE));
        for (long c = 0; c < cases; ++c) {
            a->AppendInt(1 + c % 4);
            b->AppendInt(1 + (c / 7) % 3);
            w->AppendReal(0.5 + static_cast<double>(c % 101) / 100.0);
        }
        DataSetWriter writer(file.c_str());
        writer.SetCaseCount(cases);
        const char *names[] = {"a", "b", "w"};
        TMPLISTETYPE *lists[] = {a.get(), b.get(), w.get()};
        for (int v = 0; v < 3; ++v) {
            VariableInfo info;
            std::strcpy(info.name, names[v]);
            info.storageType = lists[v]->storageType;
            info.decimals = v < 2 ? 0 : 2;
            if (writer.AddVariable(info, std::vector<CategoryLabel>(), lists[v]) != 0)
                return nullptr;
        }
        const long weight = 3;
        if (!writer.SetWeights(&weight, 1) || writer.Write() != 0)
            return nullptr;
    }
    int error = 0;
    return OpenDataSet(file.c_str(), &error, DATASET_READONLY);
}

// The most the budget held (value lists' windows and computations'
// charges) while a computation ran, beyond what was held before it.
template <typename Run> size_t PeakOf(Run run)
{
    const size_t before = MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes();
    MemoryBudget::ResetPeak();
    run();
    return MemoryBudget::PeakBytes() - before;
}

} // namespace

// Weighted computations that keep no values (counts of 1-byte codes, and
// the quantiles of one, counted by value) read the weight a block at a
// time like any column: past one block the budget holds no more for them
// than a window per list, and the same at 300,000 cases as at 600,000.
TEST(BlockWalk, WeightedCountsHoldTheSameMemoryWhateverTheCases)
{
    MemoryBudget::SetLimitOverride(16 * 1024 * 1024); // windows of 256 KiB
    const size_t window = CaseBlockWalk::WindowBytes();
    const long counts[] = {4096, 300000, 600000};
    size_t peaks[3][3];
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(counts[i]);
        std::unique_ptr<DATASET> set(WeightedCodes(counts[i]));
        ASSERT_TRUE(set);
        ASSERT_TRUE(set->GetWeight() && set->GetWeight()->IsActive());
        peaks[i][0] = PeakOf([&] {
            LISTETYPE a(set.get(), 1, window);
            FREQOBJ f(set.get());
            BuildFrequencyDistribution(&a, &f, nullptr);
            EXPECT_EQ(f.categoryCount, 4);
        });
        peaks[i][1] = PeakOf([&] {
            LISTETYPE a(set.get(), 1, window), b(set.get(), 2, window);
            XTABOBJ x(&a, nullptr, &b, nullptr, 0, set.get());
            EXPECT_TRUE(x.weighted);
        });
        peaks[i][2] = PeakOf([&] {
            MeanObj m(1, set.get());
            EXPECT_TRUE(m.Compute());
            EXPECT_EQ(m.record.count, counts[i]);
            EXPECT_EQ(m.record.quantiles[5], 1.0);
        });
        EXPECT_EQ(MemoryBudget::ChargedBytes(), 0u);
    }
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE("computation " + std::to_string(k));
        EXPECT_LE(peaks[1][k], peaks[0][k] + 3 * window);
        EXPECT_EQ(peaks[2][k], peaks[1][k]);
    }
    MemoryBudget::SetLimitOverride(0);
}

// Counts over several variables (n-way table, multiple response) read
// each list through a window of its own: with ten windows' worth of cases
// the budget holds exactly what it holds with one (the windows are full
// either way); under the usual budget the windows of ten lists together
// take no more than those of two.
TEST(BlockWalk, CountsOverManyVariablesChargeTheSameAtOneBlockAndAtTen)
{
    MemoryBudget::SetLimitOverride(256 * 1024 * 1024);
    EXPECT_EQ(CaseBlockWalk::WindowBytes(1), 1024u * 1024);
    EXPECT_LE(10 * CaseBlockWalk::WindowBytes(10), 2 * CaseBlockWalk::WindowBytes(2));
    MemoryBudget::SetLimitOverride(4 * 1024 * 1024); // windows of 64 KiB
    const long window = static_cast<long>(CaseBlockWalk::WindowBytes(6));
    size_t peaks[2][3];
    for (int i = 0; i < 2; ++i) {
        const long cases = window * (i == 0 ? 1 : 10);
        SCOPED_TRACE(cases);
        std::unique_ptr<DATASET> set(WeightedCodes(cases));
        ASSERT_TRUE(set);
        const long members[] = {1, 2, 1, 2, 1, 0};
        peaks[i][0] = PeakOf([&] {
            GMultRespFreq m(members, 1, 0, 0, 0, set.get());
            EXPECT_EQ(m.status, GMultResp::kMultCounted);
        });
        peaks[i][1] = PeakOf([&] {
            GMultRespDiko m(members, 1, 1, ValueRangeList{{1, 1}}, set.get());
            EXPECT_EQ(m.status, GMultResp::kMultCounted);
        });
        peaks[i][2] = PeakOf([&] {
            NTABOBJ t(set.get());
            const long controls[] = {2, 0};
            t.ComputeForTwoLists(members, controls, 0);
            EXPECT_STREQ("", t.GetFailureText());
            EXPECT_GT(t.caseCount, 0.0);
        });
        EXPECT_EQ(MemoryBudget::ChargedBytes(), 0u);
    }
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE("computation " + std::to_string(k));
        EXPECT_EQ(peaks[1][k], peaks[0][k]);
    }
    MemoryBudget::SetLimitOverride(0);
}

namespace {

const int kAnswerVariables = 6;
const long kAnswerCases = 9000; // three blocks of a walk over seven lists

// Six 1-byte answers q1-q6 (1 = yes, 2 = no, now and then missing) and a
// float weight w: mostly 0.1-2.0 in odd steps, some 0, negative or missing,
// and every 997th case 3e38, so that a sum passes the largest float.
struct AnswerData
{
    long answers[kAnswerVariables][kAnswerCases];
    double weights[kAnswerCases];
};

DATASET *WeightedAnswers(AnswerData &data)
{
    std::vector<std::unique_ptr<TMPLISTETYPE>> lists;
    for (int v = 0; v < kAnswerVariables; ++v) {
        lists.emplace_back(new TMPLISTETYPE(STORAGE_U8));
        for (long c = 0; c < kAnswerCases; ++c) {
            const long x = (c * (v + 3) + c / (v + 2)) % 11;
            data.answers[v][c] = x == 0 ? 255 : (x % 3 == 0 ? 1 : 2);
            lists.back()->AppendInt(data.answers[v][c]);
        }
    }
    lists.emplace_back(new TMPLISTETYPE(STORAGE_FLOAT));
    for (long c = 0; c < kAnswerCases; ++c) {
        float w = 0.1f + static_cast<float>(c % 191) * 0.01f;
        if (c % 53 == 0)
            w = 0.0f;
        else if (c % 59 == 0)
            w = -1.5f;
        else if (c % 61 == 0)
            w = FLT_MAX; // the sentinel: a missing weight
        else if (c % 997 == 0)
            w = 3e38f;
        lists.back()->AppendReal(w);
        data.weights[c] = w > 0.0f && w < FLT_MAX ? static_cast<double>(w) : 0.0;
    }
    const char *file = "answers.QVF";
    {
        DataSetWriter writer(file);
        writer.SetCaseCount(kAnswerCases);
        for (int v = 0; v <= kAnswerVariables; ++v) {
            VariableInfo info;
            std::snprintf(info.name, sizeof info.name, v < kAnswerVariables ? "q%d" : "w", v + 1);
            info.storageType = lists[static_cast<size_t>(v)]->storageType;
            info.decimals = v < kAnswerVariables ? 0 : 2;
            if (writer.AddVariable(info, std::vector<CategoryLabel>(), lists[static_cast<size_t>(v)].get()) != 0)
                return nullptr;
        }
        const long weight = kAnswerVariables + 1;
        if (!writer.SetWeights(&weight, 1) || writer.Write() != 0)
            return nullptr;
    }
    int error = 0;
    return OpenDataSet(file, &error, DATASET_READONLY);
}

} // namespace

// Weighted counts take the weights of each count in the order of the cases,
// however the loops that add them are arranged: dichotomies of one to six
// variables, listwise and per variable, and the frequencies of one of them,
// equal to the bit sums added case by case here. Weights that are 0,
// negative or missing count nowhere.
TEST(BlockWalk, WeightedCountsAddEachSumInTheOrderOfTheCases)
{
    std::unique_ptr<AnswerData> data(new AnswerData);
    std::unique_ptr<DATASET> set(WeightedAnswers(*data));
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->GetWeight() && set->GetWeight()->IsActive());
    for (int k = 1; k <= kAnswerVariables; ++k) {
        for (int mode : {0, 1}) {
            SCOPED_TRACE(std::to_string(k) + " variables, missing mode " + std::to_string(mode));
            std::vector<long> members;
            for (int v = 0; v < k; ++v)
                members.push_back(v + 1);
            members.push_back(0);
            double base[kAnswerVariables] = {}, yes[kAnswerVariables] = {}, cases = 0.0, total = 0.0;
            for (long c = 0; c < kAnswerCases; ++c) {
                const double w = data->weights[c];
                bool complete = true;
                for (int v = 0; v < k; ++v)
                    complete = complete && data->answers[v][c] != 255;
                if (!(w > 0.0) || (mode == 0 && !complete))
                    continue;
                bool any = false;
                for (int v = 0; v < k; ++v) {
                    if (data->answers[v][c] == 255)
                        continue;
                    base[v] += w;
                    if (data->answers[v][c] == 1) {
                        yes[v] += w;
                        total += w;
                        any = true;
                    }
                }
                if (any)
                    cases += w;
            }
            GMultRespDiko m(members.data(), 2, mode, ValueRangeList{{1, 1}}, set.get());
            ASSERT_EQ(m.status, GMultResp::kMultCounted);
            EXPECT_EQ(Bits(m.caseCount), Bits(cases));
            const FREQOBJ &r = *m.Result();
            ASSERT_EQ(r.categoryCount, k);
            for (int v = 0; v < k; ++v) {
                EXPECT_EQ(Bits(r.categories[v].frequency), Bits(yes[v])) << "q" << v + 1;
                EXPECT_EQ(Bits(r.categories[v].validPercent), Bits(yes[v] * 100.0 / base[v])) << "q" << v + 1;
                EXPECT_EQ(Bits(r.categories[v].percent), Bits(yes[v] * 100.0 / total)) << "q" << v + 1;
            }
        }
    }
    double frequency[3] = {}; // of 1, 2 and the missing code
    for (long c = 0; c < kAnswerCases; ++c)
        frequency[data->answers[2][c] == 255 ? 2 : data->answers[2][c] - 1] += data->weights[c];
    LISTETYPE q3(set.get(), 3);
    FREQOBJ f(set.get());
    BuildFrequencyDistribution(&q3, &f, nullptr);
    ASSERT_EQ(f.categoryCount, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Bits(f.categories[i].frequency), Bits(frequency[i])) << i;
}
