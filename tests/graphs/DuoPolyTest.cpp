// The two-group frequency polygon on golden/duo: dump, hand-worked points,
// pixels, metafile, page tool, zero spans. MERVALO_UPDATE_GOLDEN writes the dump.
#include "GraphTestSupport.h"

#include "analyses/paired/TtestParBook.h"
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
    COLORREF At(int px, int py) { return shown->ToDeviceUnits(px, py), bitmap.At(px, py); }

    static DATASET *set;
    graphtest::EnglishTexts texts;
    std::unique_ptr<TtestPar> computation;
    DuoPolyOption option;
    DuoPoly *shown = nullptr;
    graphtest::Bitmap bitmap{400, 300};
};

DATASET *DuoPolyTest::set = nullptr;

// Key coordinates worked out in golden/DERIVATION.md.
TEST_F(DuoPolyTest, DrawsPolygonsOverlapAndBoxesWhereWorkedOut)
{
    Show(a, b, 0xC100);
    if (testsupport::UpdateGolden())
        std::ofstream(std::string(GRAPHS_GOLDEN_DIR) + "/duo_all.dump", std::ios::binary) << DumpElements(*shown);
    EXPECT_EQ(DumpElements(*shown), ReadFile("duo_all.dump"));
    EXPECT_EQ((std::array<double, 3>{shown->Low(), shown->High(), double(shown->ClassCount())}),
              (std::array<double, 3>{0.0, 10.0, 5.0}));
    ASSERT_EQ(shown->Elements().Count(), 4); // title, two legends, the group
    ASSERT_EQ(Parts().Count(), 21);          // background, scale, 3 polygons, 2 x 6 of boxes, a cross, 2 bar codes
    // Worked out over the plot 1800..8200 x 2000..7700 of the fixed layout;
    // in a window the plot's top and bottom follow the measured texts and
    // the heights scale with them (to a unit or two of rounding).
    const ElementRect plot = shown->PlotRegion();
    const auto expectOutline = [&](int part, const Points &worked) {
        const Points drawn = PointsOf(part);
        ASSERT_EQ(worked.size(), drawn.size()) << part;
        for (std::size_t i = 0; i < worked.size(); i += 2) {
            EXPECT_EQ(worked[i], drawn[i]) << part << " x " << i / 2;
            const double y = plot.bottom - (7700.0 - worked[i + 1]) * (plot.bottom - plot.top) / (7700.0 - 2000.0);
            EXPECT_NEAR(y, drawn[i + 1], 2.5) << part << " y " << i / 2;
        }
    };
    expectOutline(2, Points{1799, 7700, 2440, 2554, 3720, 3583, 5000, 5642, 6281, 6671, 7561, 7185, 8202, 7700, 1799,
                            7700});
    expectOutline(3, Points{1799, 7700, 2440, 7148, 3720, 6045, 5000, 4941, 6281, 3286, 7561, 3286, 8202, 7700, 1799,
                            7700});
    expectOutline(4, Points{1799, 7700, 2440, 7148, 3720, 6045, 4716, 5185, 5000, 5642, 6281, 6671, 7561, 7185, 8202,
                            7700, 1799, 7700});
    // The boxes of a and b (quartiles 2..6 and 4..8 of 0..10 across) and
    // the cross at b's minimum, in their strips.
    const std::string dump = DumpElements(*shown);
    for (const char *part : {"box L(2440,", "box L(5000,", "L(1725,"})
        EXPECT_NE(dump.find(part), std::string::npos) << part;
    // Pixels: the overlap, a alone, b alone, the background above.
    const auto at = [&](int x, int y) {
        return At(x, static_cast<int>(plot.bottom - (7700.0 - y) * (plot.bottom - plot.top) / 5700.0));
    };
    EXPECT_EQ((std::array<COLORREF, 4>{at(5000, 7000), at(2440, 4000), at(6281, 4500), at(2000, 2200)}),
              (std::array<COLORREF, 4>{RGB(30, 0, 255), RGB(130, 120, 255), RGB(20, 0, 160), RGB(190, 200, 230)}));
    std::string polygons, words;
    for (const graphtest::Record &r :
         graphtest::PrintedOnMetafile([&] { EXPECT_TRUE(shown->PrintOn(graphtest::MetafilePrinter())); })) {
        if (r.type == EMR_POLYGON16 || r.type == EMR_POLYGON)
            polygons += std::to_string(r.numbers.at(4)) + " ";
        words += r.type == EMR_EXTTEXTOUTW ? r.text + "|" : "";
    }
    EXPECT_EQ(polygons, "8 8 9 ");
    EXPECT_EQ(words, "a: Trust before|b: Trust after|0|2|4|6|8|10|Distributions of the two variables|");
}

TEST_F(DuoPolyTest, ZeroSpansDrawNoPolygonOrBoxAtAnInvalidCoordinate)
{
    // No valid pair: the background alone, no box although asked for.
    Show(a, e, 0x4100);
    EXPECT_EQ(std::make_pair(Parts().Count(), shown->Elements().Count()), std::make_pair(1, 4));
    TearDown();
    // The same constant twice: the range 3.5 .. 4.5 around it.
    Show(k, l, 0x4000);
    EXPECT_TRUE(shown->Low() <= 3.5 && shown->High() >= 4.5) << shown->Low() << " " << shown->High();
    EXPECT_EQ(PointsOf(2).size(), 16u);
    const std::string dump = DumpElements(*shown);
    EXPECT_TRUE(dump.find("-2147483648") == std::string::npos && dump.find("nan") == std::string::npos) << dump;
}

TEST_F(DuoPolyTest, ClassCountsCrossingsAndThePageTool)
{
    EXPECT_EQ(DuoPoly::ClassCountFor(25), 5);
    EXPECT_EQ(DuoPoly::ClassCountFor(10000), 86); // 10000 / 115
    EXPECT_EQ(DuoPoly::ClassCountFor(1e9), 100);
    double t = -1;
    EXPECT_FALSE(DuoPoly::SegmentCrossing(10, 0, 10, 20, t)); // touching at the start is no crossing
    EXPECT_TRUE(DuoPoly::SegmentCrossing(0, 30, 10, 20, t));
    EXPECT_DOUBLE_EQ(t, 0.5);
    // The page has one graph: any kind asked gives the pair's polygons,
    // and a page without its computation gives none.
    TtestParPage empty("v1 x v2");
    EXPECT_EQ(empty.CreateGraphWindow(0, nullptr), nullptr);
    auto *pair = new TtestPar(a, b, 1, set);
    TtestParPage page("v1 x v2");
    page.SetComputation(pair);
    for (int kind : {0, 1}) {
        std::unique_ptr<ZafWindow> graph(page.CreateGraphWindow(kind, nullptr));
        EXPECT_NE(dynamic_cast<DuoPoly *>(graph.get()), nullptr) << kind;
    }
}

} // namespace
