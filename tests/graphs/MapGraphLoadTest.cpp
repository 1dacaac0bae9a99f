// Loading a map into the map graph's region sets: parts, single points,
// overlays, the drawing frame; and the mutation run over the sample map and
// maps of the map-source converter, read from memory that ends where an
// unreadable page begins.
#include "graphs/maps/MapGraph.h"

#include "GraphTestSupport.h"
#include "MapTestSupport.h"
#include "../zaf/ZafTestSupport.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "tools/qvconvert/MapSource.h"

#include <cstring>

namespace {

using namespace MapTest;
using namespace zaftest;

// A stream whose bytes end where a page no one may read begins.
class GuardedStream : public ByteStream
{
public:
    explicit GuardedStream(const Bytes &bytes) : size(bytes.size())
    {
        const size_t page = 4096, pages = (size + page - 1) / page + 1;
        block = static_cast<unsigned char *>(VirtualAlloc(nullptr, pages * page, MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(block + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        data = static_cast<unsigned char *>(std::memcpy(block + (pages - 1) * page - size, bytes.data(), size));
    }
    ~GuardedStream() override { VirtualFree(block, 0, MEM_RELEASE); }
    long long Size() const override { return static_cast<long long>(size); }
    bool ReadAt(long long offset, void *buffer, size_t length) override
    {
        return Contains(offset, static_cast<long long>(length)) && std::memcpy(buffer, data + offset, length);
    }
    ByteStream *Clone() const override { return nullptr; }

private:
    size_t size;
    unsigned char *block, *data;
};

int LoadFrom(const Bytes &bytes, MapGraph &graph)
{
    GuardedStream file(bytes);
    MapDirectory directory;
    int code = MapFile::ReadDirectory(file, true, &directory);
    if (code == MAPERR_NONE)
        code = graph.LoadMap(file, directory);
    delete[] directory.entries;
    return code;
}

// Every part closed and within the map's frame, which starts at 0, 0.
void ExpectConsistent(const MapGraph &graph, const std::string &context)
{
    long lowX = LONG_MAX, lowY = LONG_MAX;
    for (const RegionSet *set : {&graph.regions, &graph.overlays})
        for (const auto &entry : *set) {
            const std::vector<long> &p = entry.second.points;
            long parts = 0;
            for (size_t at = 0; at < p.size(); at += 1 + 2 * static_cast<size_t>(p[at]), ++parts) {
                ASSERT_TRUE(p[at] >= 2 && at + 2 * static_cast<size_t>(p[at]) < p.size()) << context;
                EXPECT_EQ(p[at + 1], p[at + 2 * p[at] - 1]) << context;
                for (long k = 0; k < 2 * p[at]; k += 2) {
                    lowX = std::min(lowX, p[at + 1 + k]), lowY = std::min(lowY, p[at + 2 + k]);
                    ASSERT_TRUE(p[at + 1 + k] <= graph.maxX && p[at + 2 + k] <= graph.maxY) << context;
                }
            }
            ASSERT_EQ(parts, entry.second.partCount) << context;
        }
    EXPECT_TRUE(lowX == LONG_MAX || (lowX == 0 && lowY == 0)) << context;
}

} // namespace

TEST(MapGraph, LoadsPartsPointsAndOverlaysIntoAFrameWithYDownwards)
{
    MapClassSettings settings;
    MapGraph graph(nullptr, 0, 1, &settings);
    ASSERT_EQ(LoadFrom(MapBytes({{7, 4, {10, 10, 30, 10, 30, 40, 10, 40}},
                                 {7, 3, {50, 0, 60, 0, 55, -20}},
                                 {7, -4, {0, 0, 5, 0, 5, 5, 0, 5}},
                                 {3, 1, {20, 20}},
                                 {3, 1, {40, 50}},
                                 {9, 0, {}}}),
                       graph),
              MAPERR_NONE);
    // Polygon points span x 0..60 and y -20..50: x stays, y becomes 50 - y.
    EXPECT_EQ(std::vector<long>({graph.minX, graph.minY, graph.maxX, graph.maxY}), std::vector<long>({0, 0, 60, 70}));
    ASSERT_EQ(graph.regions.Count(), 2);
    const MapRegion &seven = *graph.regions.Find(7);
    EXPECT_EQ(seven.points, std::vector<long>({5, 10, 40, 30, 40, 30, 10, 10, 10, 10, 40, //
                                               4, 50, 50, 60, 50, 55, 70, 50, 50}));
    EXPECT_EQ(seven.partCount, 2);
    EXPECT_EQ(std::vector<long>({seven.minX, seven.minY, seven.maxX, seven.maxY}), std::vector<long>({10, 10, 60, 70}));
    // A first single point is the anchor; a second one a closed part.
    const MapRegion &three = *graph.regions.Find(3);
    EXPECT_TRUE(three.hasPoint);
    EXPECT_EQ(std::vector<long>({three.pointX, three.pointY}), std::vector<long>({20, 30}));
    EXPECT_EQ(three.points, std::vector<long>({2, 40, 0, 40, 0}));
    ASSERT_EQ(graph.overlays.Count(), 1);
    EXPECT_EQ(graph.overlays.Find(7)->points, std::vector<long>({5, 0, 50, 5, 50, 5, 45, 0, 45, 0, 50}));
    ExpectConsistent(graph, "hand-made map");

    // No directory before version 9020, no map past its end, no map file.
    EXPECT_EQ(LoadFrom(MapBytes({{1, 1, {5, 5}}}, 9019), graph), MAPERR_NO_DIRECTORY);
    EXPECT_EQ(graph.regions.Count(), 0);
    MapGraph second(nullptr, 1, 1, &settings);
    EXPECT_EQ(LoadFrom(MapBytes({{1, 1, {5, 5}}}), second), MAPERR_MAP_NUMBER);
    EXPECT_EQ(second.LoadMap(), MapGraph::noMapFile);
}

TEST(MapGraph, MutatedMapsAreRefusedWithAnErrorOrLoadedWhole)
{
    // Bases: the sample map, a map of the converter with the largest parts
    // it writes, and the edges the converter never writes.
    std::vector<Bytes> bases = {ReadWholeFile(std::string(GRAPH_TEST_BIN_DIR) + "/samples/survey.KRT")};
    ASSERT_GT(bases[0].size(), 100u);
    TempDirectory directory;
    std::string source = "map Big\npoint 1 -32768 32767\nregion 1";
    for (int k = 0; k < 32767; ++k)
        source += " " + std::to_string(k - 16000) + " " + std::to_string((k * 7919) % 65536 - 32768);
    source += "\noverlay 2 0 0 9 0 9 9\nmap Small\npoint 5 1 1\nregion 6 -5 -5 5 -5 0 5\n";
    std::string error;
    ASSERT_TRUE(WriteWholeFile(directory.File("big.map"), Bytes(source.begin(), source.end())) &&
                ConvertMapSource(directory.File("big.map").c_str(), directory.File("big.KRT").c_str(), &error));
    bases.push_back(ReadWholeFile(directory.File("big.KRT")));
    std::vector<int> many(2 * 32768);
    for (size_t k = 0; k < many.size(); ++k)
        many[k] = static_cast<int>(k % 2 ? -32768 + k % 65536 : 32767 - k % 1000);
    bases.push_back(MapBytes({{4, -32768, many}, {4, 32767, std::vector<int>(many.begin(), many.end() - 2)}}));
    MapClassSettings settings;
    MapGraph whole(nullptr, 0, 1, &settings);
    ASSERT_EQ(LoadFrom(bases.back(), whole), MAPERR_NONE);
    EXPECT_EQ(whole.overlays.Find(4)->EntryCount(), 1 + 2 * 32769); // -32768: 32768 points and the closing one
    EXPECT_EQ(whole.regions.Find(4)->EntryCount(), 1 + 2 * 32768);
    bases.push_back(MapBytes({{4, 3, {0, 0, 1, 0, 0, 1}}}, 9019));
    // Map count -2, geometry offset far past the end, item count -32768.
    const int patches[3][3] = {{0, 0xfe, 0xff}, {8, 0xff, 0x7f}, {4, 0, 0x80}};
    for (const auto &patch : patches)
        bases.push_back(bases[1]), bases.back()[patch[0]] = patch[1], bases.back()[patch[0] + 1] = patch[2];

    uint32_t state = 0x5eed0107;
    auto next = [&state]() { return state ^= state << 13, state ^= state >> 17, state ^= state << 5; };
    int refused = 0, loaded = 0;
    for (int run = 0; run < 10000; ++run) {
        Bytes bytes = bases[run % bases.size()];
        for (int m = 1 + static_cast<int>(next() % 4); m > 0 && !bytes.empty(); --m) {
            // Mostly the header, directory and first items, which hold the counts.
            const size_t at = next() % std::min<size_t>(bytes.size(), next() % 3 ? 96 : bytes.size());
            static const int16_t edges[] = {-32768, -32767, -1, 0, 1, 2, 32767, 9019};
            const int16_t v = next() % 2 ? edges[next() % 8] : static_cast<int16_t>(next());
            if (next() % 8 == 0)
                bytes.resize(at);
            else
                for (int k = 0; k < 2 && at + k < bytes.size(); ++k)
                    bytes[at + k] = static_cast<unsigned char>((v >> (8 * k)) & 0xff);
        }
        MapGraph graph(nullptr, static_cast<int>(next() % 4 == 0), 1, &settings);
        const int code = LoadFrom(bytes, graph);
        if (code != MAPERR_NONE) {
            ++refused;
            EXPECT_EQ(std::string(MapGraph::LoadErrorText(code)).find("Unknown"), std::string::npos) << run;
            EXPECT_EQ(graph.regions.Count() + graph.overlays.Count(), 0) << run;
        } else {
            ++loaded;
            ExpectConsistent(graph, "mutant " + std::to_string(run));
        }
    }
    EXPECT_GT(refused, 1000);
    EXPECT_GT(loaded, 1000);
    std::printf("[ map graph   ] 10000 mutated maps: %d refused, %d loaded\n", refused, loaded);
}
