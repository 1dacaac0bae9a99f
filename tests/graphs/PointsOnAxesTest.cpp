// Every point of the residual plot and of the scatter stands at its value
// on the axes the graph shows: the pixel of a value read off the axis
// (between the places of its first and last numbers) and the centre of the
// square drawn for the case with that extreme value are at most a pixel
// apart, at a workbook pane's default size and maximised.
#include "GraphTestSupport.h"

#include "../dataset/DataSetFixture.h"

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/BiplotInteractive.h"
#include "graphs/ResidualPlot.h"
#include "graphs/ResplotOption.h"
#include "graphs/SKALA.h"
#include "stats/BiplotReg.h"
#include "stats/RegObj.h"
#include "stats/StatClass.h"
#include "zaf/core/ZafGdiDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using graphtest::Record;

struct Pane
{
    int width, height;
};
const Pane panes[] = {{380, 260}, {1270, 900}};

// The device coordinate an axis gives a value: linear between the anchors
// of its first and last numbers (hidden numbers included).
double AxisPixel(const GRAPHWIN &graph, SKALA *axis, double value)
{
    double lowValue = 0, highValue = 0;
    int lowAt = 0, highAt = 0;
    bool first = true;
    const bool vertical = axis->Description().vertical != 0;
    for (element *child : axis->Children()) {
        if (child->kind != element::kindText)
            continue;
        const double v = std::strtod(static_cast<TEKSTELEMENT *>(child)->Text(), nullptr);
        // A text's logical left and bottom stay its anchor once measured.
        int x = child->logical.left, y = child->logical.bottom;
        graph.ToDeviceUnits(x, y);
        const int at = vertical ? y : x;
        if (first)
            lowValue = v, lowAt = at, first = false;
        highValue = v, highAt = at;
    }
    EXPECT_NE(lowValue, highValue) << "an axis of at least two numbers";
    return lowAt + (highAt - lowAt) * (value - lowValue) / (highValue - lowValue);
}

// The centres of the squares the graph draws (a metafile keeps a
// rectangle's box with both edges inside), of the side of its points.
std::vector<POINT> SquareCentres(GRAPHWIN &graph, int side)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HDC previous = display->SetCurrentDC(dc);
    graph.DrawForPreview();
    display->SetCurrentDC(previous);
    HENHMETAFILE picture = CloseEnhMetaFile(dc);
    const std::vector<Record> records = graphtest::RecordsOf(picture);
    DeleteEnhMetaFile(picture);
    std::vector<POINT> centres;
    for (const Record &r : records)
        if (r.type == EMR_RECTANGLE && r.numbers[2] - r.numbers[0] == side - 1 &&
            r.numbers[3] - r.numbers[1] == side - 1)
            centres.push_back(POINT{(r.numbers[0] + r.numbers[2] + 1) / 2, (r.numbers[1] + r.numbers[3] + 1) / 2});
    return centres;
}

// The side of the squares drawn for the points (a symbol that rounds to no
// pixel is drawn with a half-size of 2).
int SquareSide(const GRAPHWIN &graph, const BIPLOTELEMENT *points)
{
    int rx = static_cast<int>(points->symbolSize), ry = rx;
    graph.ToDeviceUnits(rx, ry);
    const int r = std::min(rx, ry);
    return 2 * (r > 0 ? r : 2);
}

class PointsOnAxes : public graphtest::GraphTest, public testing::WithParamInterface<Pane>
{
protected:
    ~PointsOnAxes() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
    }
    template <class Graph> Graph *ShowAtSize(Graph *made)
    {
        made->SetCoordinateType(ZAF_PIXEL);
        made->SetRegion(ZafRegionRect(0, 0, GetParam().width - 1, GetParam().height - 1, ZAF_PIXEL));
        shown = Add(made);
        graphtest::GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        graphtest::Bitmap bitmap(GetParam().width, GetParam().height);
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
        return made;
    }
    // Each (x, y) pair has a square whose centre is within a pixel of the
    // pixels the axes give its values.
    void ExpectAtTheirValues(SKALA *xAxis, SKALA *yAxis, const std::vector<std::pair<double, double>> &pairs,
                             int side)
    {
        ASSERT_TRUE(xAxis && yAxis);
        const std::vector<POINT> squares = SquareCentres(*shown, side);
        ASSERT_FALSE(squares.empty());
        for (const auto &pair : pairs) {
            // The value's pixel: the axis's place rounded to a whole pixel.
            const double x = std::floor(AxisPixel(*shown, xAxis, pair.first) + 0.5),
                         y = std::floor(AxisPixel(*shown, yAxis, pair.second) + 0.5);
            double nearest = 1e9;
            for (const POINT &p : squares)
                nearest = std::min(nearest, std::max(std::abs(p.x - x), std::abs(p.y - y)));
            EXPECT_LE(nearest, 1.0) << "(" << pair.first << ", " << pair.second << ") drawn " << nearest
                                    << " pixels off its place on the axes at " << GetParam().width << " x "
                                    << GetParam().height;
        }
    }

    graphtest::EnglishTexts texts;
    GRAPHWIN *shown = nullptr;
};

// Predicted values 5.10 to 6.27 against residuals -3.333 to 3.116: the
// axes widen both ranges to whole steps, and the four extreme points (and
// one in the middle) stand at their values.
TEST_P(PointsOnAxes, ResidualPlotPointsAtTheirValues)
{
    RegressionEngine engine;
    const std::vector<std::pair<double, double>> extremes = {
        {5.10, 0.412}, {6.27, -1.25}, {5.63, -3.333}, {5.88, 3.116}, {5.41, 0.0}};
    for (int i = 0; i < 30; ++i) {
        engine.predicted.push_back(5.2 + 0.035 * i);
        engine.residuals.push_back(((i * 7) % 11 - 5) * 0.5);
    }
    for (const auto &pair : extremes) {
        engine.predicted.push_back(pair.first);
        engine.residuals.push_back(pair.second);
    }
    engine.count = static_cast<long>(engine.residuals.size());
    engine.residualMean = 0.0;
    engine.residualDeviation = 1.6;
    ResplotOption record;
    ResidualPlot *plot = ShowAtSize(new ResidualPlot(&engine, &record));
    SKALA *axes[2] = {nullptr, nullptr};
    for (element *child : static_cast<GROUPELEMENT *>(plot->Elements().Last())->Children())
        if (auto *axis = dynamic_cast<SKALA *>(child))
            axes[axis->Description().vertical ? 1 : 0] = axis;
    BIPLOTELEMENT *cloud = nullptr;
    for (element *child : static_cast<GROUPELEMENT *>(plot->Elements().Last())->Children())
        cloud = cloud ? cloud : dynamic_cast<BIPLOTELEMENT *>(child);
    ASSERT_NE(nullptr, cloud);
    ExpectAtTheirValues(axes[0], axes[1], extremes, SquareSide(*plot, cloud));
}

// Hours against incomes: the cases with the smallest and largest value of
// each variable stand at their values on the scatter's axes.
TEST_P(PointsOnAxes, ScatterPointsAtTheirValues)
{
    TempDirectory directory;
    const std::string path = directory.File("points.QVF");
    std::string values = "x,y\n";
    for (int i = 0; i < 25; ++i)
        values += std::to_string(12 + i * 2.75) + "," + std::to_string(21000 + (i * 37 % 25) * 1733.5) + "\n";
    values += "7.5,30000\n95.25,41000\n40,11234.5\n60,73456.25\n";
    DataSetBuilder builder;
    ASSERT_EQ(builder.ReadDescription("variable x\ntype double\nvariable y\ntype double\n"), 0);
    ASSERT_EQ(builder.ReadCsv(values), 0);
    ASSERT_EQ(builder.Write(path.c_str()), 0);
    DATASET set;
    ASSERT_EQ(set.Open(path.c_str()), 0);
    {
        StatClass context(&set);
        BiplotReg regression(1, 2, nullptr, 544, &set);
        long word = 544;
        BiplotInteractive *plot = ShowAtSize(new BiplotInteractive(&regression, &word));
        SKALA *axes[2] = {nullptr, nullptr};
        for (element *child : plot->Scatter()->Parent() ? plot->Scatter()->Parent()->Children() : plot->Elements())
            if (auto *axis = dynamic_cast<SKALA *>(child))
                axes[axis->Description().vertical ? 1 : 0] = axis;
        ExpectAtTheirValues(axes[0], axes[1], {{7.5, 30000}, {95.25, 41000}, {40, 11234.5}, {60, 73456.25}},
                            SquareSide(*plot, plot->Scatter()));
        zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Panes, PointsOnAxes, testing::ValuesIn(panes), [](const testing::TestParamInfo<Pane> &info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
});

} // namespace
