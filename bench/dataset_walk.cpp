// Benchmark: walks one variable of a generated 1,000,000-case data set,
// once with the whole column in memory and once paged through a 64 KiB
// window, and prints both times and their ratio (goal: paged at most twice
// the time in memory). Run by hand under Wine: wine build/bench/dataset_walk.exe
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetWriter.h"

#include <windows.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
const long kCases = 1000000;
const size_t kPagedBudget = 64 * 1024;
const size_t kMemoryBudget = 64 * 1024 * 1024;
const int kRepeats = 7;

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Loads the variable with the budget and walks it forward; returns seconds
// and the sum of the valid values (so the walk cannot be optimised away).
double Walk(DATASET &dataSet, size_t budget, double *sum, double *walkOnly)
{
    double start = Seconds();
    LISTETYPE list(&dataSet, 1, budget);
    double loaded = Seconds();
    double total = 0;
    while (list.MoveNext())
        if (!list.IsCurrentSysMissing())
            total += list.GetCurrentReal();
    double end = Seconds();
    *sum = total;
    *walkOnly = end - loaded;
    return end - start;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main()
{
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    std::string name = std::string(directory) + "mervalo_walk_bench.QVF";

    {
        TMPLISTETYPE values(STORAGE_DOUBLE, 0, kMemoryBudget);
        for (long c = 0; c < kCases; ++c)
            values.AppendReal(c % 97 == 0 ? DBL_MAX : std::sin(c * 0.001) * 100.0 + c * 1e-4);
        VariableInfo info;
        DataSetLayout::CopyBounded(info.name, sizeof info.name, "x");
        info.decimals = 3;
        DataSetWriter writer(name.c_str());
        writer.SetCaseCount(kCases);
        if (writer.AddVariable(info, {}, &values) || writer.Write()) {
            std::fprintf(stderr, "dataset_walk: %s\n", writer.GetErrorText());
            return 1;
        }
    }
    DATASET dataSet;
    if (dataSet.Open(name.c_str())) {
        std::fprintf(stderr, "dataset_walk: %s\n", dataSet.GetErrorText());
        return 1;
    }
    std::vector<double> memory, paged, memoryWalk, pagedWalk;
    double sumMemory = 0, sumPaged = 0, walkOnly = 0;
    Walk(dataSet, kMemoryBudget, &sumMemory, &walkOnly); // warm the file cache
    for (int r = 0; r < kRepeats; ++r) {
        memory.push_back(Walk(dataSet, kMemoryBudget, &sumMemory, &walkOnly));
        memoryWalk.push_back(walkOnly);
        paged.push_back(Walk(dataSet, kPagedBudget, &sumPaged, &walkOnly));
        pagedWalk.push_back(walkOnly);
    }
    dataSet.CloseFiles();
    DeleteFileA(name.c_str());
    DeleteFileA((name.substr(0, name.size() - 4) + ".IND").c_str());

    double m = Median(memory), p = Median(paged);
    std::printf("dataset_walk: %ld cases, one double variable, median of %d runs\n", kCases, kRepeats);
    std::printf("  in memory (load + walk): %8.2f ms   (walk alone %.2f ms)\n", m * 1e3, Median(memoryWalk) * 1e3);
    std::printf("  paged, 64 KiB window   : %8.2f ms\n", p * 1e3);
    std::printf("  ratio paged / in memory: %8.2f   (goal: at most 2)\n", p / m);
    std::printf("  ratio paged / in-memory walk alone: %.2f\n", p / Median(memoryWalk));
    std::printf("  sums agree: %s\n", sumMemory == sumPaged ? "yes" : "NO");
    return sumMemory == sumPaged ? 0 : 1;
}
