// Benchmark of the computation objects (not a test): generates a data set
// of 1,000,000 cases (or the count given), then times, each reading its
// variables from the data set files as the analyses do: a frequency
// distribution, a crosstab with chi-square and ordinal measures,
// descriptives with the quantile summary (of a double and of a 1-byte
// variable), a correlation matrix of five variables, a regression on four
// independents, a 3-way table (k x g x a: 10, 5 and 4 codes), the
// breakdown of a double by g (alone, as beside the descriptives, and with
// its tests, as beside a one-way analysis), the paired t-test and the
// Wilcoxon test of x1 and x2, and the multiple response of
// g, a and b (category coding, and dichotomies counting codes 1 and 2).
// Beside the counts of 1-byte variables, a plain pass over the same
// columns (opening them and summing their bytes): the least any count can
// take.
//
//   stats_bench [cases] [--csv file] [--only name] [--weighted] [--reuse]
//
// --csv also writes the data as CSV (for bench/stats_pspp.sh); --only runs
// the one computation named on the data set left by an earlier run of the
// same cases (generating it when missing) and adds the process's peak
// working set ("peak_<name> MiB"); "--only open" only opens the data set,
// the base the other peaks are measured from. --weighted weighs the cases
// by w (uniform on 0.5-1.5, 3 decimals), as a survey's data are; --reuse
// takes the data set of an earlier run when there is one. Prints
// one "name seconds" line per computation.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <functional>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetWriter.h"
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
#include "stats/XTABOBJ.h"

namespace {

class Random
{
public:
    explicit Random(unsigned long long seed) : state(seed) {}
    double Uniform()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return ((state >> 11) + 0.5) / 9007199254740992.0;
    }
    double Normal()
    {
        const double u = Uniform(), v = Uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    }

private:
    unsigned long long state;
};

const char *const kNames[] = {"g", "a", "b", "x1", "x2", "x3", "x4", "y", "k", "w"};
const int kVariables = 10;
const long kWeight = 10; // w, the case weight of --weighted
bool IsCode(int v) { return v < 3 || v == 8; }

bool Generate(const char *file, long cases, const char *csv)
{
    Random random(20240611);
    // The weight has a generator of its own, so the other variables are
    // those of the data set without it.
    Random weights(20261207);
    std::vector<TMPLISTETYPE *> lists;
    for (int v = 0; v < kVariables; ++v)
        lists.push_back(new TMPLISTETYPE(IsCode(v) ? STORAGE_U8 : STORAGE_DOUBLE));
    std::FILE *out = csv ? std::fopen(csv, "w") : nullptr;
    if (out)
        std::fprintf(out, "g,a,b,x1,x2,x3,x4,y,k,w\n");
    for (long c = 0; c < cases; ++c) {
        double v[kVariables];
        v[0] = 1 + static_cast<int>(random.Uniform() * 5);
        v[1] = 1 + static_cast<int>(random.Uniform() * 4);
        v[2] = 1 + static_cast<int>(std::fmin(5.0, std::fmax(0.0, v[1] + random.Normal() * 1.5)));
        v[3] = std::round((50 + 10 * random.Normal()) * 100) / 100;
        v[4] = std::round((20 + 4 * random.Normal()) * 100) / 100;
        v[5] = std::round((0.5 * v[3] + 3 * random.Normal()) * 100) / 100;
        v[6] = std::round(random.Normal() * 100) / 100;
        v[7] = std::round((2 + 0.8 * v[3] - 0.9 * v[4] + 0.3 * v[5] + 4 * random.Normal()) * 100) / 100;
        v[8] = static_cast<int>(random.Uniform() * 10);
        v[9] = std::round((0.5 + weights.Uniform()) * 1000) / 1000; // uniform on 0.5-1.5
        for (int i = 0; i < kVariables; ++i)
            IsCode(i) ? lists[i]->AppendInt(static_cast<long>(v[i])) : lists[i]->AppendReal(v[i]);
        if (out)
            std::fprintf(out, "%g,%g,%g,%.2f,%.2f,%.2f,%.2f,%.2f,%g,%.3f\n", v[0], v[1], v[2], v[3], v[4], v[5], v[6],
                         v[7], v[8], v[9]);
    }
    if (out)
        std::fclose(out);
    DataSetWriter writer(file);
    writer.SetCaseCount(cases);
    for (int v = 0; v < kVariables; ++v) {
        VariableInfo info;
        std::strcpy(info.name, kNames[v]);
        info.storageType = IsCode(v) ? STORAGE_U8 : STORAGE_DOUBLE;
        info.decimals = IsCode(v) ? 0 : v == kWeight - 1 ? 3 : 2;
        if (writer.AddVariable(info, std::vector<CategoryLabel>(), lists[v], true) != 0)
            return false;
    }
    return writer.Write() == 0;
}

// Opens the variables' value lists and sums their stored bytes, a block at
// a time from the lists' windows.
unsigned long PlainPass(DATASET *set, const std::vector<long> &variables)
{
    unsigned long sum = 0;
    for (long v : variables) {
        LISTETYPE list(set, v);
        list.SeekCase(1, 1);
        const unsigned char *bytes;
        long n;
        while ((n = list.MoveNextBlock(1 << 16, bytes)) > 0)
            for (long i = 0; i < n * list.GetValueSize(); ++i)
                sum += bytes[i];
    }
    return sum;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

class BenchRegression : public RegObj
{
public:
    using RegObj::RegObj;
    void ComputeColumnWidths(int, int) override {}
};

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / 1048576.0;
}

struct Computation
{
    const char *name;
    std::function<double(DATASET *)> run; // returns a figure to check
};

std::vector<Computation> Computations()
{
    return {
        {"open", [](DATASET *) { return 0.0; }},
        {"pass_a", [](DATASET *set) { return static_cast<double>(PlainPass(set, {2}) % 7); }},
        {"pass_ab", [](DATASET *set) { return static_cast<double>(PlainPass(set, {2, 3}) % 7); }},
        {"pass_gab", [](DATASET *set) { return static_cast<double>(PlainPass(set, {1, 2, 3}) % 7); }},
        {"pass_kga", [](DATASET *set) { return static_cast<double>(PlainPass(set, {9, 1, 2}) % 7); }},
        {"frequencies",
         [](DATASET *set) {
             LISTETYPE list(set, 2);
             KATLABS *labels = KATLABS::ConstructAndRead(2, set);
             FREQOBJ f(set);
             BuildFrequencyDistribution(&list, &f, labels);
             delete labels;
             return static_cast<double>(f.categoryCount);
         }},
        {"crosstab",
         [](DATASET *set) {
             LISTETYPE a(set, 2), b(set, 3);
             XTABOBJ x(&b, nullptr, &a, nullptr, 0, set);
             x.ComputeChiSquareTest();
             x.ComputeOrdinalMeasures();
             return x.chiSquare + x.gamma;
         }},
        {"descriptives",
         [](DATASET *set) {
             MeanObj m(4, set);
             m.Compute();
             return m.record.mean + m.record.quantiles[1];
         }},
        {"descriptives_a",
         [](DATASET *set) {
             MeanObj m(2, set);
             m.Compute();
             return m.record.mean + m.record.quantiles[1];
         }},
        {"correlation",
         [](DATASET *set) {
             const long variables[] = {4, 5, 6, 7, 8, 0};
             CorrObj c(variables, CorrObj::kListwise, nullptr, set);
             return c.errorCode == 0 ? c.Coefficient(4, 0) : 0.0;
         }},
        {"regression",
         [](DATASET *set) {
             const long independents[] = {4, 5, 6, 7, 0};
             BenchRegression r(8, independents, kRegressionEnter, 1, 0.05, 0.05, set);
             r.ComputeCorrelationMatrix();
             return r.status == 0 ? r.LastStep()->summary[1] : 0.0;
         }},
        {"ntab",
         [](DATASET *set) {
             NTABOBJ t(set);
             const long controls[] = {9, 1, 0};
             t.ComputeForVariable(2, controls, 0);
             return t.caseCount;
         }},
        {"breakdown",
         [](DATASET *set) {
             OnewayObj o(4, 1, set);
             o.Compute();
             o.ComputeGroupQuantiles();
             return o.total.mean + (o.groups.empty() ? 0.0 : o.groups[0].quantiles[1]);
         }},
        {"breakdown_tests",
         [](DATASET *set) {
             OnewayObj o(4, 1, set);
             o.Compute();
             o.ComputeVarianceHomogeneityTest();
             o.anova = new AnovaResult(&o);
             o.scheffeTests = new ScheffeObj(&o);
             return o.total.mean + o.varianceF + o.anova->table.f;
         }},
        {"ttest",
         [](DATASET *set) {
             GTtestPar t(4, 5, 0, set);
             return t.t;
         }},
        {"wilcoxon",
         [](DATASET *set) {
             Wilcoxon w(4, 5, set);
             return w.z;
         }},
        {"multresp_cat",
         [](DATASET *set) {
             const long members[] = {1, 2, 3, 0};
             GMultRespFreq m(members, 1, 1, 0, 0, set);
             return m.caseCount;
         }},
        {"multresp_dich",
         [](DATASET *set) {
             const long members[] = {1, 2, 3, 0};
             GMultRespDiko m(members, 1, 1, ValueRangeList{{1, 2}}, set);
             return m.caseCount;
         }},
    };
}

} // namespace

int main(int argc, char **argv)
{
    long cases = 1000000;
    const char *csv = nullptr;
    std::string only;
    bool weighted = false, reuse = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc)
            csv = argv[++i];
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--weighted") == 0)
            weighted = true;
        else if (std::strcmp(argv[i], "--reuse") == 0)
            reuse = true;
        else
            cases = std::atol(argv[i]);
    }
    const std::string fileName = "stats_bench-" + std::to_string(cases) + ".QVF";
    const char *file = fileName.c_str();
    auto start = std::chrono::steady_clock::now();
    std::FILE *existing = only.empty() && !reuse ? nullptr : std::fopen(file, "rb");
    if (existing) {
        std::fclose(existing);
    } else {
        if (!Generate(file, cases, csv)) {
            std::fprintf(stderr, "stats_bench: the data set cannot be written\n");
            return 1;
        }
        std::printf("generate %.3f\n", Seconds(start));
    }
    int error = 0;
    DATASET *set = OpenDataSet(file, &error, DATASET_READONLY);
    if (!set) {
        std::fprintf(stderr, "stats_bench: the data set does not open (%d)\n", error);
        return 1;
    }
    if (weighted && !set->SetWeightVariables(&kWeight, 1)) {
        std::fprintf(stderr, "stats_bench: the weight cannot be set\n");
        return 1;
    }
    double check = 0.0;
    bool ran = false;
    for (const Computation &c : Computations()) {
        if (only.empty() ? std::strcmp(c.name, "open") == 0 : only != c.name)
            continue;
        start = std::chrono::steady_clock::now();
        check += c.run(set);
        std::printf("%s %.4f\n", c.name, Seconds(start));
        if (!only.empty())
            std::printf("peak_%s %.1f\n", c.name, PeakMegabytes());
        ran = true;
    }
    std::fprintf(stderr, "stats_bench: %ld cases, check %.6f\n", cases, check);
    delete set;
    return ran ? 0 : 1;
}
