// Benchmark of the region map's drawing (not a test): a map of 2,000
// regions of 500 points each (a 50 x 40 grid of regions over a 20000 x
// 16000 unit box, every tenth region without a value) drawn in full into a
// 800 x 600 memory bitmap in each display mode - classes, bars and circles
// - and once zoomed in four times. Two maps: regions with a smooth, wavy
// outline as borders are, and stars whose every point juts out (the
// polygons' worst case). Prints the time per full draw (the median of the
// runs) and per polygon point.
//
//   map_bench [regions] [points] [runs]   (defaults 2000, 500 and 5)
//
// Run under Wine with a display: wine build/bench/map_bench.exe
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/GraphBench.h"
#include "graphs/maps/MapGraphWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataStartup.h"

namespace {

using graphbench::height;
using graphbench::width;
constexpr int columns = 50;
constexpr long cellSize = 400;

// Regions on a grid, each of n points (the last one closing it) round its
// cell's middle, valued by its place: a wavy outline, or a star.
void BuildMap(MapGraph &graph, int regions, int n, bool star)
{
    const int rows = (regions + columns - 1) / columns;
    graph.minX = graph.minY = 0;
    graph.maxX = columns * cellSize;
    graph.maxY = rows * cellSize;
    for (int i = 0; i < regions; ++i) {
        MapRegion region;
        region.code = i + 1;
        const long cx = (i % columns) * cellSize + cellSize / 2, cy = (i / columns) * cellSize + cellSize / 2;
        region.partCount = 1;
        region.points.push_back(n);
        for (int k = 0; k < n; ++k) {
            const double angle = 6.283185307179586 * (k % (n - 1)) / (n - 1);
            const double radius =
                star ? cellSize * (k % 2 ? 0.32 : 0.48) : cellSize * (0.44 + 0.04 * std::sin(7.0 * angle));
            const long x = cx + static_cast<long>(radius * std::cos(angle));
            const long y = cy + static_cast<long>(radius * std::sin(angle));
            region.points.push_back(x);
            region.points.push_back(y);
            region.minX = std::min(region.minX, x), region.maxX = std::max(region.maxX, x);
            region.minY = std::min(region.minY, y), region.maxY = std::max(region.maxY, y);
        }
        region.hasPoint = true;
        region.pointX = cx, region.pointY = cy;
        if (i % 10 != 9)
            region.value = 1000.0 + (i * 7919) % 5000;
        graph.regions.Insert(region);
    }
}

// The median seconds of a full draw of the map window, printed into a
// memory bitmap.
double TimeDraws(GRAPHWIN *graph, int runs)
{
    return graphbench::TimeDraws(runs, [graph](HDC dc) {
        SendMessageA(graph->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

} // namespace

int main(int argc, char **argv)
{
    const int regions = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 2000;
    const int points = argc > 2 ? std::max(std::atoi(argv[2]), 4) : 500;
    const int runs = argc > 3 ? std::max(std::atoi(argv[3]), 1) : 5;
    ZafDataStartup::Install();
    ZafApplication application(GetModuleHandleA(nullptr), {"map_bench.exe"});
    for (bool star : {false, true}) {
        MapClassSettings settings;
        MapGraph graph(nullptr, 0, 1, &settings);
        BuildMap(graph, regions, points, star);
        auto *map = new MapGraphWindow(&graph, &settings, MapClassSettings::choropleth);
        ZafWindow *host = graphbench::Host(map);
        const double total = static_cast<double>(regions) * points;
        const struct
        {
            int mode;
            const char *name;
        } modes[] = {{MapClassSettings::choropleth, "classes"},
                     {MapClassSettings::bars, "bars"},
                     {MapClassSettings::circles, "circles"}};
        std::printf("%s map of %d regions x %d points, %d x %d pixels, median of %d draws\n",
                    star ? "star-shaped" : "wavy", regions, points, width, height, runs);
        for (const auto &m : modes) {
            map->SetDisplayMode(m.mode);
            const double s = TimeDraws(map, runs);
            std::printf("  %-9s %8.1f ms a full draw, %6.1f ns a point\n", m.name, s * 1e3, s * 1e9 / total);
        }
        map->SetDisplayMode(MapClassSettings::choropleth);
        map->ZoomIn(ElementRect{200, 150, 599, 449, 0});
        map->ZoomIn(ElementRect{200, 150, 599, 449, 0});
        std::printf("  zoomed x4 %7.1f ms a full draw\n", TimeDraws(map, runs) * 1e3);
        zafWindowManager->CloseWindow(host);
        graphbench::DrainMessages();
    }
    return 0;
}
