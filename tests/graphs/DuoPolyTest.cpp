// The paired t-test's two-group frequency polygon on golden/duo: a golden
// dump, key coordinates worked out by hand, pixels, the printed metafile,
// the page's graph tool and the zero spans. MERVALO_WRITE_GOLDEN set writes
// the dump instead of comparing it.
#include "GraphTestSupport.h"

#include "analyses/TtestParBook.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "graphs/DuoPoly.h"
#include "graphs/DuoPolyOption.h"
#include "graphs/ElementDump.h"

#include <array>
#include <fstream>
#include <sstream>

namespace {

enum Variable : long { a = 1, b, k, l, e };
using Points = std::vector<LONG>; // x, y, x, y ...
using Rect = std::array<int, 4>;

std::string ReadFile(const std::string &name)
{
    std::stringstream all;
    all << std::ifstream(std::string(GRAPHS_GOLDEN_DIR) + "/" + name, std::ios::binary).rdbuf();
    return all.str();
}

class DuoPolyTest : public graphtest::GraphTest
{
protected:
    static void SetUpTestSuite()
    {
        DataSetBuilder builder;
        if (!builder.ReadDescription(ReadFile("duo.desc")) && !builder.ReadCsv(ReadFile("duo.csv")) &&
            !builder.Write("duo.QVF"))
            set = OpenDataSet("duo.QVF", nullptr, DATASET_READONLY);
    }
    static void TearDownTestSuite() { delete set, set = nullptr; }
    void SetUp() override { ASSERT_TRUE(set); }
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }
    // The graph of a pair at 400 x 300 pixels, laid out (which builds it) and painted.
    void Show(long first, long second, unsigned long word)
    {
        computation = std::make_unique<TtestPar>(first, second, 1, set);
        option.optionWord = static_cast<long>(word);
        shown = Add(new DuoPoly(computation.get(), first, second, &option));
        shown->SetCoordinateType(ZAF_PIXEL);
        shown->SetRegion(ZafRegionRect(0, 0, 399, 299, ZAF_PIXEL));
        GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }
    const GROBJ_LIST &Parts() const { return static_cast<GROUPELEMENT *>(shown->Elements().Last())->Children(); }
    Points PointsOf(int part) const
    {
        Points points;
        if (auto *polygon = dynamic_cast<POLYGONELEMENT *>(Parts().At(part)))
            for (const POINT &p : polygon->Points())
                points.insert(points.end(), {p.x, p.y});
        return points;
    }
    Rect Place(int part) const
    {
        const ElementRect &r = Parts().At(part)->logical;
        return Rect{r.left, r.top, r.right, r.bottom};
    }
    COLORREF At(int px, int py)
    {
        shown->ToDeviceUnits(px, py);
        return bitmap.At(px, py);
    }

    static DATASET *set;
    graphtest::EnglishTexts texts;
    std::unique_ptr<TtestPar> computation;
    DuoPolyOption option;
    DuoPoly *shown = nullptr;
    graphtest::Bitmap bitmap{400, 300};
};

DATASET *DuoPolyTest::set = nullptr;

// a: N 25, sum 76, sum of squares 360, sd sqrt((360 - 76^2 / 25) / 24) =
// 2.318045; b: sum 163, squares 1211, sd sqrt((1211 - 163^2 / 25) / 24) =
// 2.485290. Range 0 .. 10 (multiples of the scale's step). 25 pairs:
// trunc(25 / (5 + 15)) = 1 class, raised to 5, over -0.001 .. 10.001
// (width 2.0004), midpoints 0.9992, 2.9996, 5, 7.0004, 9.0008. Counts a
// 10, 8, 4, 2, 1; b 1, 3, 5, 8, 8; d = c / 25 x sd / 2.0004: a 0.463516 ...,
// b 0.049696 ... 0.397567; the common top 0.463516 + 0.05 = 0.513516.
// Plot 1800, 2000 .. 8200, 7700: W 6401, H 5701, X(v) = 1800 +
// round(v / 10 x 6401), Y(d) = 7700 - round(d / 0.513516 x 5701). The
// polygons cross between class points 2 and 3: a - b = 3583 - 6045 = -2462
// then 5642 - 4941 = 701, t = 2462 / 3163 = 0.778375, the point (3720 +
// t 1280, 3583 + t 2059) truncated = (4716, 5185).
// Boxes (quartiles by the first case with C >= p N): a 1, 3, 5, whisker ends
// 0 and 9; b 5, 7, 9, whisker ends 3 (smallest not below 5 - 4) and 10, its
// minimum 0 a cross. Offsets floor(v / 10 x 6401) from x 1800, strips from
// y 8400 and 8950, 301 high, middles 8550 and 9100, cross arms 301 / 4 = 75.
TEST_F(DuoPolyTest, DrawsPolygonsOverlapAndBoxesWhereWorkedOut)
{
    Show(a, b, 0xC100);
    if (std::getenv("MERVALO_WRITE_GOLDEN"))
        std::ofstream(std::string(GRAPHS_GOLDEN_DIR) + "/duo_all.dump", std::ios::binary) << DumpElements(*shown);
    EXPECT_EQ(DumpElements(*shown), ReadFile("duo_all.dump"));
    EXPECT_EQ(shown->Low(), 0.0);
    EXPECT_EQ(shown->High(), 10.0);
    EXPECT_EQ(shown->ClassCount(), 5);
    ASSERT_EQ(shown->Elements().Count(), 4); // title, two legends, the group
    ASSERT_EQ(Parts().Count(), 21);          // background, scale, 3 polygons, 2 x 6 of boxes, a cross, 2 bar codes
    EXPECT_EQ(PointsOf(2), (Points{1799, 7700, 2440, 2554, 3720, 3583, 5000, 5642, 6281, 6671, 7561, 7185, 8202,
                                   7700, 1799, 7700}));
    EXPECT_EQ(PointsOf(3), (Points{1799, 7700, 2440, 7148, 3720, 6045, 5000, 4941, 6281, 3286, 7561, 3286, 8202,
                                   7700, 1799, 7700}));
    EXPECT_EQ(PointsOf(4), (Points{1799, 7700, 2440, 7148, 3720, 6045, 4716, 5185, 5000, 5642, 6281, 6671, 7561,
                                   7185, 8202, 7700, 1799, 7700}));
    const Rect boxes[] = {{1800, 8400, 1800, 8701}, {1800, 8550, 2440, 8550}, {2440, 8400, 5000, 8701},
                          {5000, 8550, 7560, 8550}, {7560, 8400, 7560, 8701}, {3720, 8400, 3720, 8701},
                          {3720, 8950, 3720, 9251}, {3720, 9100, 5000, 9100}, {5000, 8950, 7560, 9251},
                          {7560, 9100, 8201, 9100}, {8201, 8950, 8201, 9251}, {6280, 8950, 6280, 9251},
                          {1800, 9025, 1800, 9175}, {1725, 9100, 1875, 9100}};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(Place(5 + i), boxes[i]) << "box element " << i;
    // Pixels: the overlap, a alone, b alone, the background above.
    EXPECT_EQ(At(5000, 7000), RGB(30, 0, 255));
    EXPECT_EQ(At(2440, 4000), RGB(130, 120, 255));
    EXPECT_EQ(At(6281, 4500), RGB(20, 0, 160));
    EXPECT_EQ(At(2000, 2200), RGB(190, 200, 230));

    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(shown->PrintOn(std::make_unique<QivPrinter>(dc).get()));
    HENHMETAFILE printed = CloseEnhMetaFile(dc);
    std::string polygons, words;
    for (const graphtest::Record &r : graphtest::RecordsOf(printed)) {
        if (r.type == EMR_POLYGON16 || r.type == EMR_POLYGON)
            polygons += std::to_string(r.numbers.at(4)) + " ";
        words += r.type == EMR_EXTTEXTOUTW ? r.text + "|" : "";
    }
    DeleteEnhMetaFile(printed);
    EXPECT_EQ(polygons, "8 8 9 ");
    EXPECT_EQ(words, "a: Trust before|b: Trust after|0|2|4|6|8|10|Distributions of the two variables|");
}

TEST_F(DuoPolyTest, ZeroSpansDrawNoPolygonOrBoxAtAnInvalidCoordinate)
{
    // No valid pair: the background alone, no box although asked for.
    Show(a, e, 0x4100);
    EXPECT_EQ(Parts().Count(), 1);
    EXPECT_EQ(shown->Elements().Count(), 4);
    TearDown();
    // The same constant twice: the range 3.5 .. 4.5 around it.
    Show(k, l, 0x4000);
    EXPECT_LE(shown->Low(), 3.5);
    EXPECT_GE(shown->High(), 4.5);
    EXPECT_EQ(PointsOf(2).size(), 16u);
    const std::string dump = DumpElements(*shown);
    EXPECT_EQ(dump.find("-2147483648"), std::string::npos);
    EXPECT_EQ(dump.find("nan"), std::string::npos);
}

TEST_F(DuoPolyTest, ClassCountsAndCrossingsFollowTheirRules)
{
    EXPECT_EQ(DuoPoly::ClassCountFor(25), 5);
    EXPECT_EQ(DuoPoly::ClassCountFor(10000), 86); // 10000 / 115
    EXPECT_EQ(DuoPoly::ClassCountFor(1e9), 100);
    EXPECT_EQ(DuoPoly::ClassCountFor(0), 5);
    double t = -1;
    EXPECT_FALSE(DuoPoly::SegmentCrossing(10, 0, 10, 20, t)); // touching at the start is no crossing
    EXPECT_TRUE(DuoPoly::SegmentCrossing(0, 30, 10, 20, t));
    EXPECT_DOUBLE_EQ(t, 0.5);
}

TEST_F(DuoPolyTest, PageToolOpensThePolygonOfItsPair)
{
    auto *pair = new TtestPar(a, b, 1, set);
    TtestParPage page("v1 x v2");
    page.SetComputation(pair);
    std::unique_ptr<ZafWindow> graph(page.CreateGraphWindow(0, nullptr));
    EXPECT_NE(dynamic_cast<DuoPoly *>(graph.get()), nullptr);
    EXPECT_EQ(page.CreateGraphWindow(1, nullptr), nullptr);
}

} // namespace
