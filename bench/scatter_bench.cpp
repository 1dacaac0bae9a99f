// Benchmark of the scatter drawing (not a test): the scatter element reads
// its points at every draw, so a full draw walks every case. Builds two
// data sets in the working directory (deleted at the end): 2,000,000
// cases of two doubles, and 1,000,000 cases of ten doubles; then times
// full draws into a 800 x 600 memory bitmap of
//   - one scatter element of the 2 M cases (with its least-squares line),
//   - the matrix plot of the ten variables (45 scatters of 1 M cases),
// and prints the time per draw (the median of the runs) and per point.
//
//   scatter_bench [cases] [runs]     (defaults 2000000 and 3; the matrix
//                                     plot takes half the cases)
//
// Run under Wine with a display: wine build/bench/scatter_bench.exe
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/GraphBench.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetWriter.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/GRAPHWIN.h"
#include "graphs/Matrixplot.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataStartup.h"

namespace {

class Random
{
public:
    explicit Random(unsigned long long seed) : state(seed) {}
    double Normal()
    {
        const double u = Uniform(), v = Uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    }

private:
    double Uniform()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (static_cast<unsigned>(state >> 33) + 0.5) / 2147483648.0;
    }
    unsigned long long state;
};

// Variables v1..vk of correlated normal values; false when not written.
bool Build(const char *file, long cases, int k)
{
    std::vector<TMPLISTETYPE *> lists;
    for (int v = 0; v < k; ++v)
        lists.push_back(new TMPLISTETYPE(STORAGE_DOUBLE));
    Random random(20261207);
    for (long c = 0; c < cases; ++c) {
        const double common = random.Normal();
        for (int v = 0; v < k; ++v)
            lists[static_cast<std::size_t>(v)]->AppendReal(std::round((common + random.Normal()) * 100.0) / 100.0);
    }
    DataSetWriter writer(file);
    writer.SetCaseCount(cases);
    bool ok = true;
    for (int v = 0; v < k && ok; ++v) {
        VariableInfo info;
        std::snprintf(info.name, sizeof info.name, "v%d", v + 1);
        info.storageType = STORAGE_DOUBLE;
        info.decimals = 2;
        ok = writer.AddVariable(info, std::vector<CategoryLabel>(), lists[static_cast<std::size_t>(v)], true) == 0;
    }
    ok = ok && writer.Write() == 0;
    if (!ok)
        std::fprintf(stderr, "scatter_bench: %s not written: %s\n", file, writer.GetErrorText());
    return ok;
}

void Remove(const char *file)
{
    std::string base(file);
    base = base.substr(0, base.size() - 4);
    for (const char *extension : {".QVF", ".IND", ".dkm"})
        DeleteFileA((base + extension).c_str());
}

// A graph window whose elements the benchmark adds.
class Canvas : public GRAPHWIN
{
public:
    Canvas() : GRAPHWIN(0, 0, 0, 0) {}
    void BuildGraph() override {}
};

// The median seconds of a full draw of the graph into a memory bitmap.
double TimeDraws(GRAPHWIN *graph, int runs)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    return graphbench::TimeDraws(runs, [graph, display](HDC dc) {
        HDC previous = display->SetCurrentDC(dc);
        graph->DrawForPreview();
        display->SetCurrentDC(previous);
    });
}

} // namespace

int main(int argc, char **argv)
{
    const long cases = argc > 1 ? std::atol(argv[1]) : 2000000L;
    const int runs = argc > 2 ? std::max(std::atoi(argv[2]), 1) : 3;
    const char *pairFile = "scatter_bench_pair.QVF", *matrixFile = "scatter_bench_matrix.QVF";
    ZafDataStartup::Install();
    ZafApplication application(GetModuleHandleA(nullptr), {"scatter_bench.exe"});
    std::printf("building %ld cases x 2 and %ld cases x 10 ...\n", cases, cases / 2);
    std::fflush(stdout);
    if (!Build(pairFile, cases, 2) || !Build(matrixFile, cases / 2, 10))
        return 1;

    int status = 0;
    {
        DATASET pair, matrix;
        if (pair.Open(pairFile) != 0 || matrix.Open(matrixFile) != 0) {
            std::fprintf(stderr, "scatter_bench: the data sets do not open\n");
            status = 1;
        } else {
            StatClass pairData(&pair), matrixData(&matrix);
            auto *canvas = new Canvas;
            ZafWindow *first = graphbench::Host(canvas);
            auto *scatter = new BIPLOTELEMENT(&pairData, 1, 2, 1000, 1000, 8000, 8000, nullptr, -6.0, 6.0, -6.0, 6.0);
            scatter->regressionLine = 1;
            canvas->AddElement(scatter);
            const double one = TimeDraws(canvas, runs);
            std::printf("scatter of %ld points:        %8.3f s a draw, %6.1f ns a point (line r = %.4f)\n", cases,
                        one, one * 1e9 / cases, scatter->correlation);

            const long list[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};
            auto *plot = new Matrixplot(&matrixData, list, nullptr, 0);
            ZafWindow *second = graphbench::Host(plot);
            const double all = TimeDraws(plot, runs);
            const double points = 45.0 * (cases / 2);
            std::printf("matrix plot of 10 x %ld cases: %8.3f s a draw, %6.1f ns a point (45 scatters)\n", cases / 2,
                        all, all * 1e9 / points);
            zafWindowManager->CloseWindow(first);
            zafWindowManager->CloseWindow(second);
        }
    }
    Remove(pairFile);
    Remove(matrixFile);
    return status;
}
