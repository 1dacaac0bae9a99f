// The one-way descriptive graph on golden/desk1: golden dumps (normal curve
// on and off, box, bar code; steps of whole numbers, a polygon of reals),
// key coordinates worked out by hand, pixels, the printed metafile's
// records, the zero spans and the guards against absent figures.
// MERVALO_UPDATE_GOLDEN set writes the dumps instead of comparing them.
#include "GraphTestSupport.h"

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "graphs/BoxWhisker.h"
#include "graphs/Desk1Graph.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/ElementDump.h"
#include "graphs/PlotAxis.h"
#include "stats/MeanObj.h"
#include "stats/StatMissing.h"

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

using graphtest::Record;
enum Variable : long { x = 1, y, c, o, n };
constexpr unsigned long allParts = Desk1Graph::defaultMask;
using Points = std::vector<LONG>; // x, y, x, y ...
using Rect = std::array<int, 4>;

std::string ReadFile(const std::string &name)
{
    std::stringstream all;
    all << std::ifstream(std::string(GRAPHS_GOLDEN_DIR) + "/" + name, std::ios::binary).rdbuf();
    return all.str();
}

class Desk1GraphTest : public graphtest::GraphTest
{
protected:
    static void SetUpTestSuite()
    {
        const char *weights[] = {"", "weight z\n", "weight m\n"};
        for (int i = 0; i < 3; ++i) {
            DataSetBuilder builder;
            const std::string file = "desk1_" + std::to_string(i) + ".QVF";
            if (!builder.ReadDescription(ReadFile("desk1.desc") + weights[i]) &&
                !builder.ReadCsv(ReadFile("desk1.csv")) && !builder.Write(file.c_str()))
                sets[i] = OpenDataSet(file.c_str(), nullptr, DATASET_READONLY);
        }
    }
    static void TearDownTestSuite()
    {
        for (DATASET *&set : sets)
            delete set, set = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(sets[0] && sets[1] && sets[2]); }
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }

    MeanObj *Compute(long variable, int set = 0)
    {
        computation = std::make_unique<MeanObj>(variable, sets[set]);
        EXPECT_TRUE(computation->Compute());
        return computation.get();
    }
    // The graph at 400 x 300 pixels, laid out (which builds it) and painted.
    void Show(MeanObj *meanObject, unsigned long mask)
    {
        shown = Add(new Desk1Graph(meanObject, mask));
        shown->SetCoordinateType(ZAF_PIXEL);
        shown->SetRegion(ZafRegionRect(0, 0, 399, 299, ZAF_PIXEL));
        GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }
    // The children of the graph's group (its last top-level element).
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

    // A height worked out over the fixed plot (1800 .. 7500 down) on the
    // plot the graph laid out at its window's size.
    int PlotY(double worked) const
    {
        const ElementRect plot = shown->PlotRegion();
        return static_cast<int>(std::lround(plot.bottom - (7500.0 - worked) * (plot.bottom - plot.top) / 5700.0));
    }
    // The points with their heights carried onto the plot laid out.
    Points OnPlot(const Points &worked) const
    {
        Points carried = worked;
        for (std::size_t i = 1; i < carried.size(); i += 2)
            carried[i] = PlotY(carried[i]);
        return carried;
    }
    static void ExpectNear(const Points &expected, const Points &drawn, const char *what)
    {
        ASSERT_EQ(expected.size(), drawn.size()) << what;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(expected[i], drawn[i], i % 2 ? 2 : 0) << what << " coordinate " << i;
    }

    static DATASET *sets[3]; // plain, weights all 0, weight missing where x is 1
    graphtest::EnglishTexts texts;
    std::unique_ptr<MeanObj> computation;
    Desk1Graph *shown = nullptr;
    graphtest::Bitmap bitmap{400, 300};
};

DATASET *Desk1GraphTest::sets[3] = {};

TEST_F(Desk1GraphTest, DumpsMatchTheGoldenDumps)
{
    const std::pair<const char *, unsigned long> cases[] = {
        {"whole_all", allParts}, {"whole_outline_only", 0}, {"real_all", allParts}, {"real_curve_only", 0x1000}};
    for (const auto &golden : cases) {
        Show(Compute(golden.first[0] == 'w' ? x : y), golden.second);
        const std::string name = std::string("desk1_") + golden.first + ".dump";
        if (testsupport::UpdateGolden())
            std::ofstream(std::string(GRAPHS_GOLDEN_DIR) + "/" + name, std::ios::binary) << DumpElements(*shown);
        EXPECT_EQ(DumpElements(*shown), ReadFile(name)) << name;
        TearDown();
    }
}

// x (N 50, mean 3, sd sqrt(60 / 49) = 1.1065667), integer-typed: range
// 0.5 .. 5.5 widened to mean -/+ 3 sd = -0.3197 .. 6.3197; the axis (range
// 6.64: step 1) makes it -1 .. 7. Plot area 1800, 1800 .. 8200, 7500 (as
// the fixed layout has it; the heights are carried onto the plot laid out
// at the window's size, the boxes onto its bands): W =
// 6401, H = 5701, X(v) = 1800 + round((v + 1) / 8 x 6401). 10 x 4 < 50:
// five integer classes of width 1 over 0.5 .. 5.5, edges X = 3000, 3800,
// 4600, 5401, 6201, 7001; densities c / 50 x sd = 0.110657, 0.221313,
// 0.442627; top 0.492627; Y(d) = 7500 - round(d / 0.492627 x 5701) = 6219,
// 4939, 2378. Curve point 0 at mean - 3 sd: (2344, 7500 - 51); point 150
// at the mean: (5001, 7500 - round(0.39894228 / 0.492627 x 5701)) =
// (5001, 2883). Quartiles 2, 3, 4, whisker ends 1 and 5 (no cross); box
// band x 1800, y 8250, 6401 x 351, offsets floor((v + 1) / 8 x 6401): 2400,
// 3200, 4000, 4800, the lower end rounded 1600; middle line 8250 + 175.
TEST_F(Desk1GraphTest, WholeNumbersGiveStepsBoxAndCurveWhereWorkedOut)
{
    Show(Compute(x), allParts);
    EXPECT_NEAR(shown->Lower(), 3 - 3 * 1.1065667, 1e-6);
    EXPECT_EQ(shown->AxisLow(), -1.0);
    EXPECT_EQ(shown->AxisHigh(), 7.0);
    ASSERT_EQ(Parts().Count(), 11); // background, axis, outline, curve, six of the box, bar code
    ExpectNear(OnPlot(Points{3000, 7500, 3000, 6219, 3800, 6219, 3800, 4939, 4600, 4939, 4600, 2378, 5401, 2378, 5401,
                             4939, 6201, 4939, 6201, 6219, 7001, 6219, 7001, 7500, 3000, 7500}),
               PointsOf(2), "outline");
    const Points curve = PointsOf(3);
    ASSERT_EQ(curve.size(), 600u);
    ExpectNear(OnPlot(Points{2344, 7449}), Points(curve.begin(), curve.begin() + 2), "curve start");
    ExpectNear(OnPlot(Points{5001, 2883}), Points(curve.begin() + 300, curve.begin() + 302), "curve middle");
    // The box is drawn from its band's bottom edge down by the band's height.
    const ElementRect band = shown->BoxBand();
    const int top = band.bottom, end = band.bottom + band.Height(), middle = band.bottom + band.Height() / 2;
    const Rect box[] = {{3400, top, 3400, end}, {3400, middle, 4200, middle}, {4200, top, 5800, end},
                        {5800, middle, 6600, middle}, {6600, top, 6600, end}, {5000, top, 5000, end}};
    for (int i = 0; i < 6; ++i) {
        const Rect placed = Place(4 + i);
        EXPECT_EQ(placed[0], box[i][0]) << "box element " << i;
        EXPECT_EQ(placed[2], box[i][2]) << "box element " << i;
        EXPECT_NEAR(placed[1], box[i][1], 1) << "box element " << i;
        EXPECT_NEAR(placed[3], box[i][3], 1) << "box element " << i;
    }
    EXPECT_EQ(Parts().At(9)->penWidth, 3);
    const ElementRect codes = shown->BarCodeBand();
    EXPECT_EQ(Place(10)[0], 1800);
    EXPECT_EQ(Place(10)[2], 8201);
    // Pixels: the highest step, the plot above the outline, the box, below
    // the bar code, and a line of the bar code at each of the five values.
    EXPECT_EQ(At(5000, PlotY(5000)), RGB(50, 80, 130));
    EXPECT_EQ(At(2200, PlotY(2200)), RGB(190, 200, 230));
    EXPECT_EQ(At(4600, middle - 50), RGB(70, 100, 160));
    EXPECT_EQ(At(5000, 9990), RGB(255, 255, 255));
    int marks = 0;
    for (int px = 1800; px <= 8200; px += 10)
        marks += At(px, codes.bottom + codes.Height() / 2) == RGB(50, 80, 130) ? 1 : 0;
    EXPECT_GE(marks, 5);
}

// y (N 90: 0.0 .. 8.8 by 0.1 and 30; mean 4.684444, sd 3.725826): range
// -6.493 (mean - 3 sd) .. 30, the axis (step 5) -10 .. 30, X(v) = 1800 +
// round((v + 10) / 40 x 6401). 90 / 30 = 3 classes raised to 7 over
// -0.003 .. 30.003 (width 4.286571): counts 43, 43, 3, 0, 0, 0, 1;
// densities c / 90 x sd / width = 0.415278 (top 0.465278), 0.028973,
// 0.009658; midpoints X = 3743, 4429, 5115 ... 7859; ends 3400 and 8201.
// Quartiles 2.2, 4.45, 6.7: the box from 1800 + 1952 to 1800 + 2672; the
// maximum 30 beyond the whisker end 8.8: a cross at 8201, arms 351 / 4 = 87.
TEST_F(Desk1GraphTest, RealValuesGiveAPolygonAndACrossAtAFarMaximum)
{
    Show(Compute(y), allParts);
    ExpectNear(OnPlot(Points{3400, 7500, 3743, 2412, 4429, 2412, 5115, 7145, 5801, 7500, 6487, 7500, 7173, 7500, 7859,
                             7382, 8201, 7500, 3400, 7500}),
               PointsOf(2), "outline");
    ASSERT_EQ(Parts().Count(), 13); // ... six of the box, two of the cross, bar code
    const ElementRect band = shown->BoxBand();
    const int middle = band.bottom + band.Height() / 2, arm = band.Height() / 4;
    EXPECT_EQ(Place(6)[0], 3752);
    EXPECT_EQ(Place(6)[2], 4472);
    EXPECT_NEAR(Place(6)[1], band.bottom, 1);
    EXPECT_EQ(Place(10)[0], 8201);
    EXPECT_NEAR(Place(10)[1], middle - arm, 2);
    EXPECT_NEAR(Place(11)[1], middle, 1);
    EXPECT_NEAR(Place(11)[0], 8201 - arm, 2);
}

// The polygons of 13 (outline) and 300 points (curve) among the records
// (polygon records: bounds, then the point count).
std::pair<int, int> Polygons(const std::vector<Record> &records)
{
    std::pair<int, int> found;
    for (const Record &r : records) {
        found.first += (r.type == EMR_POLYGON16 || r.type == EMR_POLYGON) && r.numbers.at(4) == 13;
        found.second += (r.type == EMR_POLYLINE16 || r.type == EMR_POLYLINE) && r.numbers.at(4) == 300;
    }
    return found;
}

TEST_F(Desk1GraphTest, PrintedMetafileHoldsOutlineCurveAndTexts)
{
    Show(Compute(x), allParts);
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(shown->PrintOn(std::make_unique<QivPrinter>(dc).get()));
    HENHMETAFILE printed = CloseEnhMetaFile(dc);
    std::vector<Record> records = graphtest::RecordsOf(printed);
    DeleteEnhMetaFile(printed);
    EXPECT_EQ(Polygons(records), std::make_pair(1, 1));
    std::string texts;
    for (const Record &r : records)
        texts += r.type == EMR_EXTTEXTOUTW ? r.text + "|" : "";
    EXPECT_EQ(texts, "-1|0|1|2|3|4|5|6|7|Distribution|V1 x: Whole numbers|");
}

TEST_F(Desk1GraphTest, ZeroSpansShowWhatTheyCanWithoutAnInvalidCoordinate)
{
    // {variable, data set, parts}: a constant and one case: one class, no
    // curve, a box of no width; no valid case, every weight 0: title and
    // subtitle only.
    for (const std::array<int, 3> &zero : {std::array<int, 3>{c, 0, 10}, {o, 0, 10}, {n, 0, 0}, {y, 1, 0}}) {
        Show(Compute(zero[0], zero[1]), allParts);
        ASSERT_EQ(shown->Elements().Count(), 3) << zero[0];
        EXPECT_EQ(static_cast<TEKSTELEMENT *>(shown->Elements().At(0))->Text(), std::string("Distribution"));
        EXPECT_EQ(Parts().Count(), zero[2]) << zero[0];
        EXPECT_EQ(DumpElements(*shown).find("-2147483648"), std::string::npos);
        TearDown();
    }
}

TEST_F(Desk1GraphTest, BoxMovesWhiskersInItsOwnCopyAndSkipsAnAbsentSummary)
{
    MeanObj *whole = Compute(x);
    whole->record.quantiles[3] = 2.5; // a lower whisker end inside the box
    Show(whole, allParts);
    EXPECT_EQ(shown->BuiltQuantiles()[3], 2.0);
    EXPECT_EQ(whole->record.quantiles[3], 2.5);
    TearDown();
    whole->record.hasQuantiles = false;
    Show(whole, allParts);
    EXPECT_EQ(Parts().Count(), 5); // background, axis, outline, curve, bar code
}

TEST_F(Desk1GraphTest, OutlineLeavesOutCasesOfAMissingWeight)
{
    // The ones have no weight m: 10, 20, 10 and 5 cases over 2 .. 5.
    double low = -1, high = 7;
    std::unique_ptr<PlotAxis> panel(PlotAxis::FitToData(Compute(x, 2), x, low, high, 0, 0.0, kNotComputed, kNotComputed,
                                                        kNotComputed, kNotComputed));
    EXPECT_EQ(panel->CaseCount(), 45.0);
    ASSERT_EQ(panel->ClassCount(), 4);
    EXPECT_NEAR(panel->ClassDensities()[1] / panel->ClassDensities()[0], 2.0, 1e-12);
}

// A cross mark stands at its value's offset rounded to the nearest unit:
// 2 on 0 .. 3 over 1000 units lies at 666.67, so at 667 across and, on an
// upright figure 1000 high, 667 above its foot.
TEST_F(Desk1GraphTest, CrossMarkStandsAtTheRoundedOffset)
{
    GROUPELEMENT across;
    AddCrossMark(&across, nullptr, 2.0, 100, 500, 1000, 100, 0.0, 3.0);
    ASSERT_EQ(across.Children().Count(), 2);
    const element *upright = across.Children().At(0); // the arm across the value direction
    EXPECT_EQ(upright->logical.left, 767);
    EXPECT_EQ(upright->logical.right, 767);
    EXPECT_EQ(upright->logical.top, 525);
    EXPECT_EQ(upright->logical.bottom, 575);

    GROUPELEMENT up;
    AddCrossMark(&up, nullptr, 2.0, 500, 2000, 100, 1000, 0.0, 3.0);
    ASSERT_EQ(up.Children().Count(), 2);
    const element *level = up.Children().At(0);
    EXPECT_EQ(level->logical.top, 2000 - 667);
    EXPECT_EQ(level->logical.left, 525);
    EXPECT_EQ(level->logical.right, 575);
}

} // namespace
