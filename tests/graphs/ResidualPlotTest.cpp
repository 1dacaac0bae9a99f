// The residual plot over hand-made series: areas, texts and the shared
// residual axis worked out by hand, and series without a spread.
#include "GraphTestSupport.h"

#include "graphs/ElementDump.h"
#include "graphs/ResidualPlot.h"
#include "graphs/ResplotOption.h"
#include "stats/RegObj.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <array>

namespace {

using Rect = std::array<int, 4>;

class ResidualPlotTest : public graphtest::GraphTest
{
protected:
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
    }
    // The plot of predicted x against residuals r at 1000 x 750 pixels (a
    // size at which the texts of the fixed layout stand apart, so that it
    // keeps its places), laid out (which builds it) and painted.
    void Show(std::vector<double> x, std::vector<double> r, double mean, double sd)
    {
        TearDown();
        engine.predicted = std::move(x);
        engine.residuals = std::move(r);
        engine.count = static_cast<long>(engine.residuals.size());
        engine.residualMean = mean;
        engine.residualDeviation = sd;
        shown = Add(new ResidualPlot(&engine, &record));
        shown->SetCoordinateType(ZAF_PIXEL);
        shown->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }
    const GROBJ_LIST &Parts() const { return static_cast<GROUPELEMENT *>(shown->Elements().Last())->Children(); }
    Rect Place(int part) const
    {
        const ElementRect &r = Parts().At(part)->logical;
        return Rect{r.left, r.top, r.right, r.bottom};
    }
    std::string TextOf(int part) const { return static_cast<TEKSTELEMENT *>(Parts().At(part))->Text(); }
    std::vector<POINT> PointsOf(int part) const
    {
        auto *polygon = dynamic_cast<POLYGONELEMENT *>(Parts().At(part));
        return polygon ? polygon->Points() : std::vector<POINT>();
    }
    COLORREF At(int px, int py) { return shown->ToDeviceUnits(px, py), bitmap.At(px, py); }

    graphtest::EnglishTexts texts;
    RegressionEngine engine;
    ResplotOption record;
    ResidualPlot *shown = nullptr;
    static constexpr int width = 1000, height = 750;
    graphtest::Bitmap bitmap{width, height};
};

} // namespace

// Predicted 0, 10, 5, 2.5, 7.5 against residuals -2, 2, 0, 1, -1 (mean 0,
// sd sqrt(10 / 4) = 1.581139). Axes: x 0..10 (range 10, step 2) and
// y -2..2 (range 4, step 1) are multiples already and stay.
// Areas: scatter right 1400 + 7201 x 70 / 100 = 6440; histogram 6450..8600;
// its panel inset (2 x 6800 + 2) / 100 = 136: 1736..8264; the points inset
// (2 x 5040 + 2) / 100 = 100 across and 136 up: (1500, 1736, 6340, 8264).
// Texts: title at 250 + 9501 / 2 = 5000, y 250; y label at x 700,
// 1600 + 6801 / 2 = 5000; x label at 1400 + 5041 / 2 = 3920, y 9100.
// The curve spans the axis: point i at -2 + 4i / 300, Y = 8264 - round(f x
// 6529) with f = (v + 2) / 4: point 0 at 8264, point 75 (v = -1) at
// 8264 - round(1632.25) = 6632.
TEST_F(ResidualPlotTest, LaysOutScatterAndSidewaysDistributionOnOneResidualAxis)
{
    record.displayWord = ResidualPlot::displayTitle;
    Show({0, 10, 5, 2.5, 7.5}, {-2, 2, 0, 1, -1}, 0.0, 1.5811388);
    EXPECT_EQ((Rect{0, 10, -2, 2}), (Rect{int(shown->XMinimum()), int(shown->XMaximum()), int(shown->YMinimum()),
                                          int(shown->YMaximum())}));
    // title, y label, x label, scatter frame, two scales, points, histogram
    // frame, outline, curve; a text's rectangle grows up-right from its anchor
    ASSERT_EQ(Parts().Count(), 10);
    const std::pair<int, int> anchors[] = {{5000, 250}, {700, 5000}, {3920, 9100}};
    const char *names[] = {"Residual plot", "Residuals", "Predicted values"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(TextOf(i), names[i]);
        EXPECT_EQ(std::make_pair(Place(i)[0], Place(i)[3]), anchors[i]) << names[i];
    }
    EXPECT_EQ(Place(3), (Rect{1400, 1600, 6440, 8400}));
    EXPECT_EQ(Place(6), (Rect{1500, 1736, 6340, 8264}));
    EXPECT_EQ(Place(7), (Rect{6450, 1600, 8600, 8400}));
    EXPECT_EQ(Parts().At(3)->penWidth + Parts().At(7)->penWidth, 6);
    // The classes run along the residual range (give or take their margin).
    LONG low = 10000, high = 0;
    for (const POINT &p : PointsOf(8)) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
        EXPECT_GE(p.x, 6450);
    }
    EXPECT_NEAR(low, 1736, 3);
    EXPECT_NEAR(high, 8264, 3);
    const std::vector<POINT> curve = PointsOf(9);
    ASSERT_EQ(curve.size(), 300u);
    EXPECT_EQ(curve[0].y, 8264);
    EXPECT_EQ(curve[75].y, 6632);
    EXPECT_EQ(At(3920, 5000), RGB(50, 80, 130)) << "the point (5, 0) in the middle of the points area";
    record.displayWord = 0; // without the title nothing is drawn in the title area
    Show({0, 10}, {-1, 1}, 0.0, 1.4142136);
    ASSERT_EQ(Parts().Count(), 9);
    EXPECT_EQ(TextOf(0), "Residuals");
    EXPECT_EQ(At(5000, 800), RGB(255, 255, 255));
}

// A perfect fit (every residual 0, sd 0) and a single case: the axes widen
// the empty range, every point sits in the middle, no curve is drawn and no
// coordinate comes from a division by zero.
TEST_F(ResidualPlotTest, SeriesWithoutSpreadDrawsWithoutDividingByZero)
{
    const std::vector<double> x[] = {{1, 2, 3}, {4}}, r[] = {{0, 0, 0}, {0.5}};
    const double sd[] = {0.0, kNotComputed};
    for (int c = 0; c < 2; ++c) {
        Show(x[c], r[c], r[c][0], sd[c]);
        EXPECT_LT(shown->YMinimum(), shown->YMaximum());
        const std::string dump = DumpElements(*shown);
        EXPECT_TRUE(dump.find("-2147483648") == dump.npos && dump.find("nan") == dump.npos) << dump;
        EXPECT_TRUE(PointsOf(Parts().Count() - 1).size() != 300u) << "no normal curve without a spread";
        EXPECT_EQ(At(3920, 5000), RGB(50, 80, 130)) << "the points sit in the middle of the widened range";
    }
}
