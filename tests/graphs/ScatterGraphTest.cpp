// The scatter element, the matrix plot and the biplot graph: where the
// points and the least-squares line land (device pixels derived by hand
// from the placement formulas), the clipping of the line, the matrix
// plot's cell grid at 2 to 60 variables, the biplot's areas and options,
// the colours painted and the records of an exported metafile.
#include "GraphTestSupport.h"

#include "../dataset/DataSetFixture.h"

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/BiplotInteractive.h"
#include "graphs/ElementDump.h"
#include "graphs/MatplotOption.h"
#include "graphs/Matrixplot.h"
#include "stats/BiplotReg.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "zaf/core/ZafGdiDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numeric>
#include <regex>
#include <sstream>
#include <string>

namespace {

using graphtest::Record;
using DevicePoint = std::pair<LONG, LONG>;

// x, y with the three points (0, 0), (10, 5), (4, 6); a case missing in y,
// a user-missing x (99), an unselected case; c constant.
const char description[] = "variable x\nlabel Hours\ntype double\nmissing 99\n"
                           "variable y\nlabel Income\ntype double\n"
                           "variable c\ntype double\n"
                           "variable sel\ntype u8\n"
                           "selection sel Selected cases\n";
const char values[] = "x,y,c,sel\n0,0,3,1\n10,5,3,1\n7,,3,1\n"
                      "99,2,3,1\n4,6,3,1\n2,2,3,0\n";

// A graph window that builds nothing: the tests add their elements.
class EmptyGraph : public GRAPHWIN
{
public:
    EmptyGraph() : GRAPHWIN(0, 0, 0, 0) {}
    void BuildGraph() override {}
};

class ScatterTest : public graphtest::GraphTest
{
protected:
    static constexpr int width = 400, height = 300;

    ScatterTest()
    {
        DataSetBuilder builder;
        const std::string path = directory.File("scatter.QVF");
        EXPECT_EQ(builder.ReadDescription(description), 0) << builder.GetErrorText();
        EXPECT_EQ(builder.ReadCsv(values), 0) << builder.GetErrorText();
        EXPECT_EQ(builder.Write(path.c_str()), 0) << builder.GetErrorText();
        EXPECT_EQ(dataSet->Open(path.c_str()), 0);
        context = std::make_unique<StatClass>(dataSet.get());
    }
    ~ScatterTest() override
    {
        if (shown) {
            Window()->SubtractObject(shown);
            delete shown;
        }
        regression.reset();
        context.reset();
        dataSet.reset();
    }

    // A scatter of x and y over 0..10 both ways in the test graph at
    // (1000, 1000) 8000 x 6000: pixels 40..360 by 30..210 (W 321, H 181).
    BIPLOTELEMENT *AddScatter(bool line, double xMax = 10.0, unsigned xVariable = 1, double xMin = 0.0)
    {
        Show(new EmptyGraph);
        auto *scatter =
            new BIPLOTELEMENT(context.get(), xVariable, 2, 1000, 1000, 8000, 6000, nullptr, xMin, xMax, 0.0, 10.0);
        scatter->regressionLine = line ? 1 : 0;
        shown->AddElement(scatter);
        return scatter;
    }

    // The records the graph draws into a metafile.
    std::vector<Record> Drawn(GRAPHWIN *window)
    {
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        ZafGdiDisplay *display = ZafScreenGdiDisplay();
        HDC previous = display->SetCurrentDC(dc);
        window->DrawForPreview();
        display->SetCurrentDC(previous);
        HENHMETAFILE picture = CloseEnhMetaFile(dc);
        std::vector<Record> records = graphtest::RecordsOf(picture);
        DeleteEnhMetaFile(picture);
        return records;
    }

    // The centres of the drawn squares of 2 r pixels (a metafile keeps a
    // rectangle's box with both edges inside).
    static std::vector<DevicePoint> Squares(const std::vector<Record> &records, int r)
    {
        std::vector<DevicePoint> centres;
        for (const Record &record : records)
            if (record.type == EMR_RECTANGLE && record.numbers[2] - record.numbers[0] == 2 * r - 1 &&
                record.numbers[3] - record.numbers[1] == 2 * r - 1)
                centres.push_back(DevicePoint{record.numbers[0] + r, record.numbers[1] + r});
        return centres;
    }

    // The segments drawn from a move to a line.
    static std::vector<std::vector<LONG>> Segments(const std::vector<Record> &records)
    {
        std::vector<std::vector<LONG>> lines;
        for (std::size_t i = 1; i < records.size(); ++i)
            if (records[i].type == EMR_LINETO && records[i - 1].type == EMR_MOVETOEX)
                lines.push_back({records[i - 1].numbers[0], records[i - 1].numbers[1], records[i].numbers[0],
                                 records[i].numbers[1]});
        return lines;
    }

    // A graph window of its own in the test window, laid out (which builds
    // it) at width x height pixels.
    template <class Graph> Graph *Show(Graph *made)
    {
        made->SetCoordinateType(ZAF_PIXEL);
        made->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        shown = Add(made);
        graphtest::GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        return made;
    }

    TempDirectory directory;
    std::unique_ptr<DATASET> dataSet = std::make_unique<DATASET>();
    std::unique_ptr<StatClass> context;
    std::unique_ptr<BiplotReg> regression;
    GRAPHWIN *shown = nullptr;
    graphtest::EnglishTexts texts;
};

// --- The scatter element -------------------------------------------------------------

// X = 40 + floor(321 x / 10 + 0.5), Y = 210 - floor(181 y / 10 + 0.5); the
// symbol of 2 units is no pixel, so its half-size is 2. The line y = 30/19 +
// 17/38 x: at x 0 it is 1.579 (Y 210 - floor(28.58) = 182), at x 10 6.053
// (Y 210 - floor(109.55) = 101); X 40 and 40 + 321 = 361.
TEST_F(ScatterTest, DrawsASquarePerValidSelectedCaseAndTheLineOnceCounted)
{
    BIPLOTELEMENT *scatter = AddScatter(true);
    const std::vector<DevicePoint> expected = {{40, 210}, {361, 119}, {168, 101}};
    EXPECT_EQ(expected, Squares(Drawn(shown), 2));
    const std::vector<std::vector<LONG>> line = {{40, 182, 361, 101}};
    EXPECT_EQ(line, Segments(Drawn(shown))) << "a second draw keeps the line";
    EXPECT_NEAR(17.0 / 38.0, scatter->slope, 1e-12);
    EXPECT_NEAR(30.0 / 19.0, scatter->intercept, 1e-12);
}

// Where a line of intercept a and slope b enters and leaves 0..10 by 0..10
// (a low above its high: it misses the rectangle and draws nothing).
TEST_F(ScatterTest, TheLineEntersAndLeavesByTheEdgesItCrosses)
{
    const double cases[][4] = {
        {12.0, -2.0, 1.0, 6.0},  // falls from the top edge to the bottom edge
        {8.0, -0.5, 0.0, 10.0},  // from the left edge to the right edge
        {-5.0, 1.0, 5.0, 10.0},  // rises from the bottom edge
        {5.0, 0.0, 0.0, 10.0},   // level, inside
        {15.0, 0.0, 1.0, 0.0},   // level, above
        {30.0, -1.0, 1.0, 0.0},  // passes above the right top corner
        {-30.0, 2.0, 1.0, 0.0},  // passes below
    };
    BIPLOTELEMENT scatter(context.get(), 1, 2, 0, 0, 100, 100, nullptr, 0.0, 10.0, 0.0, 10.0);
    for (const auto &c : cases) {
        scatter.intercept = c[0];
        scatter.slope = c[1];
        double low = 0, high = 0;
        ASSERT_EQ(c[2] <= c[3], scatter.LineEnds(low, high)) << c[0] << " " << c[1];
        if (c[2] <= c[3]) {
            EXPECT_EQ((std::vector<double>{c[2], c[3]}), (std::vector<double>{low, high}));
        }
    }
}

// c is 3 in every case: x span 0 puts every point at the middle, X = 40 +
// floor(321 / 2 + 0.5) = 201; a constant x has no line.
TEST_F(ScatterTest, AConstantVariableIsDrawnInTheMiddleWithoutALine)
{
    BIPLOTELEMENT *scatter = AddScatter(true, 3.0, 3, 3.0);
    const std::vector<Record> records = Drawn(shown);
    const std::vector<DevicePoint> squares = Squares(records, 2);
    ASSERT_EQ(4u, squares.size()); // the user-missing x is valid here: c is the x
    for (const DevicePoint &p : squares)
        EXPECT_EQ(201, p.first);
    EXPECT_TRUE(Segments(records).empty());
    EXPECT_EQ(kNotComputed, scatter->slope);
}

// --- The matrix plot -----------------------------------------------------------------

// A data set of n variables v1..vn ("Item i") of 4 cases c: c i mod 7.
std::unique_ptr<DATASET> ManyVariables(TempDirectory &directory, int n)
{
    std::string desc, csv;
    for (int i = 1; i <= n; ++i) {
        desc += "variable v" + std::to_string(i) + "\nlabel Item " + std::to_string(i) + "\ntype double\n";
        csv += (i > 1 ? ",v" : "v") + std::to_string(i) + (i == n ? "\n" : "");
    }
    for (int c = 1; c <= 4; ++c)
        for (int i = 1; i <= n; ++i)
            csv += std::to_string((c * i) % 7) + (i == n ? "\n" : ",");
    DataSetBuilder builder;
    const std::string path = directory.File(("many" + std::to_string(n) + ".QVF").c_str());
    EXPECT_EQ(0, builder.ReadDescription(desc) || builder.ReadCsv(csv) || builder.Write(path.c_str()));
    auto set = std::make_unique<DATASET>();
    EXPECT_EQ(set->Open(path.c_str()), 0);
    return set;
}

// The logical rectangles of the dumped elements of a kind.
std::vector<std::string> Rectangles(const std::string &dump, const std::string &kind)
{
    std::vector<std::string> found;
    const std::regex pattern("^ *" + kind + " L\\(([-0-9,]+)\\)");
    std::smatch match;
    std::istringstream lines(dump);
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, match, pattern))
            found.push_back(match[1]);
    return found;
}

// Three variables: cells 7001 / 3 = 2333 wide and 6801 / 3 = 2267 high
// from T = 1700, margin 58, inset 194. Cell (0, 1): x 1500 + 2333 + 58 =
// 3891 to 1500 + 4666 - 58 = 6108, y 1758 to 3967 - 58 = 3909; its
// scatter 194 inside: (4085, 1952) to (5914, 3715).
TEST_F(ScatterTest, AMatrixPlotLaysItsCellsOnTheGrid)
{
    const long list[] = {1, 2, 3, 0};
    auto *plot = Show(new Matrixplot(context.get(), list, nullptr, 0));
    const std::string dump = DumpElements(*plot);
    EXPECT_EQ(2333, plot->CellWidth());
    EXPECT_EQ(2267, plot->CellHeight());
    const std::vector<std::string> boxes = Rectangles(dump, "box");
    // The frame, then per row its diagonal cell and the cells right of it.
    const std::vector<std::string> expectedBoxes = {
        "1500,1700,8500,8500", "1558,1758,3775,3909", "3891,1758,6108,3909", "6224,1758,8441,3909",
        "3891,4025,6108,6176", "6224,4025,8441,6176", "6224,6292,8441,8443"};
    EXPECT_EQ(expectedBoxes, boxes);
    const std::vector<std::string> scatters = Rectangles(dump, "scatter");
    ASSERT_EQ(3u, scatters.size());
    EXPECT_EQ("4085,1952,5914,3715", scatters[0]);
    EXPECT_NE(std::string::npos, dump.find("v1 by v2 x 0..10 y 0..6 size 2 line 0"));
    // Each diagonal cell's distribution outline inside the box less 194 (its
    // maximum one unit past the right edge, as a scatter's).
    const std::vector<std::string> outlines = Rectangles(dump, "polygon");
    ASSERT_EQ(3u, outlines.size());
    for (int k = 0; k < 3; ++k) {
        int l, t, r, b, bl, bt, br, bb;
        std::sscanf(outlines[k].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b);
        std::sscanf(expectedBoxes[1 + k * (7 - k) / 2].c_str(), "%d,%d,%d,%d", &bl, &bt, &br, &bb);
        EXPECT_TRUE(l == bl + 194 && t >= bt + 194 && r <= br - 193 && b <= bb - 194) << outlines[k];
    }
    EXPECT_NE(std::string::npos, dump.find("\"V1\" align 24"));
    EXPECT_EQ(std::string::npos, dump.find("Hours")) << "no captions asked for";
    EXPECT_EQ(std::string::npos, dump.find(StatText(42, 33))) << "no title asked for";
}

// A two-valued variable's distribution in its diagonal cell: its bars are
// wider than the panel's classes, and what passes the cell's box is cut
// off, so the gap to the next cell and the empty cell below stay the
// frame's white.
TEST_F(ScatterTest, AMatrixPlotDrawsEachCellInsideItsBox)
{
    DataSetBuilder builder;
    const std::string path = directory.File("twovalued.QVF");
    std::string csv = "g,x\n";
    for (int i = 0; i < 40; ++i)
        csv += std::to_string(1 + i % 2) + "," + std::to_string(i * 7 % 23) + "\n";
    ASSERT_EQ(builder.ReadDescription("variable g\ntype u8\nvariable x\ntype double\n"), 0);
    ASSERT_EQ(builder.ReadCsv(csv), 0);
    ASSERT_EQ(builder.Write(path.c_str()), 0);
    DATASET twoValued;
    ASSERT_EQ(twoValued.Open(path.c_str()), 0);
    StatClass data(&twoValued);
    const long list[] = {1, 2, 0};
    auto *plot = Show(new Matrixplot(&data, list, nullptr, 0));
    graphtest::Bitmap bitmap(width, height);
    SendMessageA(plot->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    const int cw = plot->CellWidth(), ch = plot->CellHeight(), m = cw / 40, top = 1700;
    // The gap between the diagonal cell (0, 0) and cell (0, 1), and the
    // empty cell (1, 0), in pixels.
    int gapLeft = 1500 + cw - m + 1, gapRight = 1500 + cw + m - 1, rowTop = top + m, rowBottom = top + ch - m;
    plot->ToDeviceUnits(gapLeft, rowTop);
    plot->ToDeviceUnits(gapRight, rowBottom);
    int emptyLeft = 1500 + m, emptyTop = top + ch + m, emptyRight = 1500 + cw - m, emptyBottom = top + 2 * ch - m;
    plot->ToDeviceUnits(emptyLeft, emptyTop);
    plot->ToDeviceUnits(emptyRight, emptyBottom);
    int painted = 0;
    for (int y = rowTop + 2; y < rowBottom - 1; ++y)
        for (int x = gapLeft + 1; x < gapRight; ++x)
            painted += bitmap.At(x, y) != RGB(255, 255, 255);
    for (int y = emptyTop + 2; y < emptyBottom - 1; ++y)
        for (int x = emptyLeft + 2; x < emptyRight - 1; ++x)
            painted += bitmap.At(x, y) != RGB(255, 255, 255);
    EXPECT_EQ(0, painted) << "pixels painted outside the cells' boxes";
    Window()->SubtractObject(shown);
    delete shown;
    shown = nullptr;
}

// The variables and whether their captions are listed at 400 x 300.
class MatrixGridTest : public ScatterTest, public testing::WithParamInterface<std::pair<int, int>>
{};

// With captions the grid's top T lies under the last caption line (lines a
// measured line of their font apart, under the title), at most 5000: 2 and
// 5 captions fit; 26 and more give way (where 27 passed the bottom at 8700
// once) and the grid starts at 1700.
TEST_P(MatrixGridTest, EveryCellHasAPositiveSize)
{
    const int n = GetParam().first;
    const bool listed = GetParam().second != 0;
    std::unique_ptr<DATASET> many = ManyVariables(directory, n);
    StatClass data(many.get());
    std::vector<long> list(static_cast<std::size_t>(n) + 1, 0);
    std::iota(list.begin(), list.end() - 1, 1L);
    MatplotOption record;
    record.displayWord = Matrixplot::displayCaptions | Matrixplot::displayTitle;
    auto *plot = Show(new Matrixplot(&data, list.data(), &record));
    const int top = plot->PlotTop();
    EXPECT_TRUE(top >= 1700 && top <= 5000) << top;
    EXPECT_EQ((8501 - top) / n, plot->CellHeight());
    const std::string dump = DumpElements(*plot);
    const std::vector<std::string> boxes = Rectangles(dump, "box");
    EXPECT_EQ(static_cast<std::size_t>(n * (n + 1) / 2 + 1), boxes.size());
    for (const std::string &box : boxes) {
        int l, t, r, b;
        ASSERT_EQ(4, std::sscanf(box.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b));
        EXPECT_TRUE(l < r && t < b && t >= top) << box;
    }
    EXPECT_NE(std::string::npos, dump.find(StatText(42, 33)));
    EXPECT_EQ(listed, dump.find("\"V2 v2: Item 2\" align 09") != std::string::npos);
    // The caption lines stand apart, the last above the grid.
    graphtest::Bitmap bitmap(width, height);
    SendMessageA(plot->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    int gridTop = top, unused = 0;
    plot->ToDeviceUnits(unused, gridTop);
    LONG previousBottom = -1;
    for (element *item : plot->Elements())
        if (auto *text = dynamic_cast<TEKSTELEMENT *>(item); text && text->AlignmentBits() == 9) {
            const RECT r = text->DrawnRect();
            EXPECT_GE(r.top, previousBottom) << text->Text();
            EXPECT_LE(r.bottom, gridTop) << text->Text();
            EXPECT_GE(text->FontSize(), 9) << text->Text();
            previousBottom = r.bottom;
        }
    EXPECT_EQ(static_cast<std::size_t>(n * (n - 1) / 2), Rectangles(dump, "scatter").size());
    Window()->SubtractObject(shown);
    delete shown;
    shown = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Sizes, MatrixGridTest,
                         testing::Values(std::make_pair(2, 1), std::make_pair(5, 1), std::make_pair(26, 0),
                                         std::make_pair(27, 0), std::make_pair(60, 0)),
                         [](const testing::TestParamInfo<std::pair<int, int>> &info) {
                             return std::to_string(info.param.first);
                         });

// --- The biplot graph ----------------------------------------------------------------

// Plot area (1800, top, 8200, 8600), its top under the two caption lines
// and the numbers over the plot (at 300 pixels high the 1800 of the plain
// layout would put the numbers on the second caption); 2 % off each side:
// 128 across, 2 % of the height down: the points area.
TEST_F(ScatterTest, TheBiplotFramesItsScatterWithScalesAndLineAndPaintsAndExportsIt)
{
    regression = std::make_unique<BiplotReg>(1, 2, nullptr, 544, dataSet.get());
    long word = 544;
    auto *plot = Show(new BiplotInteractive(regression.get(), &word));
    const std::string dump = DumpElements(*plot);
    const ElementRect &area = plot->PlotArea();
    EXPECT_EQ(1800, area.left);
    EXPECT_EQ(8200, area.right);
    EXPECT_EQ(8600, area.bottom);
    EXPECT_GT(area.top, 1800);
    EXPECT_EQ("1800," + std::to_string(area.top) + ",8200,8600", Rectangles(dump, "  box")[0]);
    ASSERT_NE(nullptr, plot->Scatter());
    const int dy = (2 * (8600 - area.top) + 2) / 100;
    EXPECT_EQ("1928," + std::to_string(area.top + dy) + ",8072," + std::to_string(8600 - dy),
              Rectangles(dump, "scatter")[0]);
    EXPECT_EQ(1, plot->Scatter()->regressionLine);
    EXPECT_EQ(3u, plot->Scatter()->symbolSize);
    // The scales widen 0..10 and 0..6 to whole steps that hold them.
    EXPECT_LE(plot->Scatter()->xMin, 0.0);
    EXPECT_GE(plot->Scatter()->xMax, 10.0);
    EXPECT_GE(plot->Scatter()->yMax, 6.0);
    EXPECT_NE(std::string::npos, dump.find("\"V1 x: Hours\" align 0A font 14/0"));
    EXPECT_NE(std::string::npos, dump.find("\"V2\" align 22"));
    EXPECT_EQ(std::string::npos, dump.find(StatText(5, 40))) << "no title by default";

    // Painted: the point (4, 6) and the frame's fill away from every point.
    graphtest::Bitmap bitmap(width, height);
    SendMessageA(plot->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    BIPLOTELEMENT *scatter = plot->Scatter();
    const ElementRect &d = scatter->device;
    const int x = d.left + static_cast<int>(std::floor(d.Width() * (4.0 - scatter->xMin) / scatter->xSpan + 0.5));
    const int y = d.bottom - static_cast<int>(std::floor(d.Height() * (6.0 - scatter->yMin) / scatter->ySpan + 0.5));
    EXPECT_EQ(RGB(50, 80, 130), bitmap.At(x, y));
    EXPECT_EQ(RGB(190, 200, 230), bitmap.At(d.left + 3, d.top + 3));

    const std::string file = directory.File("biplot.emf");
    plot->SetMetafileName(file.c_str());
    ASSERT_TRUE(plot->ExportMetafile());
    HENHMETAFILE picture = GetEnhMetaFileA(file.c_str());
    ASSERT_NE(nullptr, picture);
    const std::vector<Record> records = graphtest::RecordsOf(picture);
    DeleteEnhMetaFile(picture);
    int r = 3, unused = 3;
    plot->ToDeviceUnits(r, unused);
    const std::vector<DevicePoint> squares = Squares(records, r > 0 ? r : 2);
    EXPECT_EQ(3u, squares.size());
    EXPECT_TRUE(std::find(squares.begin(), squares.end(), DevicePoint{x, y}) != squares.end());

    // The title comes on a rebuild, the captions under it.
    word = 0x100;
    plot->Rebuild();
    const std::string titled = DumpElements(*plot);
    EXPECT_NE(std::string::npos, titled.find(StatText(5, 40)));
    EXPECT_EQ(0, plot->Scatter()->regressionLine);
    const std::vector<std::string> before = Rectangles(dump, "text"), after = Rectangles(titled, "text");
    ASSERT_GE(after.size(), 2u);
    // Both hang from their anchors (the bottoms of their rectangles): the
    // caption's lies at least the title's height under the title's.
    int titleTop = 0, titleAnchor = 0, captionAnchor = 0, skip = 0;
    std::sscanf(after[0].c_str(), "%d,%d,%d,%d", &skip, &titleTop, &skip, &titleAnchor);
    std::sscanf(after[1].c_str(), "%d,%d,%d,%d", &skip, &skip, &skip, &captionAnchor);
    EXPECT_GE(captionAnchor, titleAnchor + (titleAnchor - titleTop)) << after[0] << " " << after[1];
    EXPECT_NE(before[0], after[1]);
}

} // namespace
