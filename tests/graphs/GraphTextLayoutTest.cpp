// The texts of the graphs at four window sizes, from a workbook's graph
// pane at its default size to a maximised one: no two texts (titles,
// captions, axis numbers and titles, value labels, legends) cover the same
// pixels, every text lies inside the window, and the plot keeps a third of
// the window each way. Also the value printed
// inside a bar, which contrasts with the bar, and the series colours, one
// of its own for every category of a graph.
#include "GraphTestSupport.h"
#include "tests/support/GraphTextCheck.h"

#include "analyses/paired/TtestPar.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/KATLABS.h"
#include "graphs/BiplotInteractive.h"
#include "graphs/Desk1Graph.h"
#include "graphs/Desk2Graph.h"
#include "graphs/Desk2grafOption.h"
#include "graphs/DuoPoly.h"
#include "graphs/DuoPolyOption.h"
#include "graphs/MatplotOption.h"
#include "graphs/Matrixplot.h"
#include "graphs/ResidualPlot.h"
#include "graphs/ResplotOption.h"
#include "graphs/SKALA.h"
#include "graphs/DrawStyle.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "stats/BiplotReg.h"
#include "stats/FREQOBJ.h"
#include "stats/MeanObj.h"
#include "stats/OnewayObj.h"
#include "stats/RegObj.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

namespace {

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// The fruit survey of the frequency graphs, and two variables of values in
// the tens of thousands for the scatter.
DATASET *BuildSurvey()
{
    const std::string golden = std::string(GRAPHS_GOLDEN_DIR) + "/";
    std::string description = ReadFile(golden + "fruit.desc");
    std::string values = ReadFile(golden + "fruit.csv");
    DataSetBuilder builder;
    if (builder.ReadDescription(description) || builder.ReadCsv(values) || builder.Write("textlayout.QVF"))
        return nullptr;
    return OpenDataSet("textlayout.QVF", nullptr, DATASET_READONLY);
}

DATASET *BuildScatterSurvey()
{
    const char description[] = "variable x\nlabel Hours worked in the last week of the month\ntype double\n"
                               "variable y\nlabel Income before taxes in the last year\ntype double\n";
    std::string values = "x,y\n";
    for (int i = 0; i < 30; ++i)
        values += std::to_string(10 + i * 3) + "," + std::to_string(12000 + i * 1731 + (i % 7) * 2500) + "\n";
    DataSetBuilder builder;
    if (builder.ReadDescription(description) || builder.ReadCsv(values) || builder.Write("textscatter.QVF"))
        return nullptr;
    return OpenDataSet("textscatter.QVF", nullptr, DATASET_READONLY);
}

// A data set from the golden description and values of that name.
DATASET *BuildGolden(const std::string &name)
{
    const std::string golden = std::string(GRAPHS_GOLDEN_DIR) + "/" + name;
    DataSetBuilder builder;
    const std::string file = "textlayout_" + name + ".QVF";
    if (builder.ReadDescription(ReadFile(golden + ".desc")) || builder.ReadCsv(ReadFile(golden + ".csv")) ||
        builder.Write(file.c_str()))
        return nullptr;
    return OpenDataSet(file.c_str(), nullptr, DATASET_READONLY);
}

// Three groups, one of them with a long label, for the breakdown graphs.
DATASET *BuildGroups()
{
    const char description[] = "categories groups\n"
                               "value 1 = The first group with a long label of forty\n"
                               "value 2 = Second\nvalue 3 = Third\n"
                               "variable x\nlabel Income before taxes in the last year\ntype double\ndecimals 1\n"
                               "variable g\nlabel Region of the household\ntype u8\nwidth 1\nlabels groups\n";
    std::string values = "x,g\n";
    for (int i = 0; i < 24; ++i)
        values += std::to_string(12000 + i * 1731 + (i % 5) * 2500) + "," + std::to_string(1 + i % 3) + "\n";
    DataSetBuilder builder;
    if (builder.ReadDescription(description) || builder.ReadCsv(values) || builder.Write("textgroups.QVF"))
        return nullptr;
    return OpenDataSet("textgroups.QVF", nullptr, DATASET_READONLY);
}

struct Size
{
    int width, height;
};
// A workbook's graph pane at its default size, a larger one, maximised, and
// the pane of a workbook tiled with fifteen others in a 1280 x 1024 main
// window.
const Size sizes[] = {{380, 260}, {450, 340}, {1270, 900}, {300, 130}};

class GraphTextLayout : public graphtest::GraphTest, public testing::WithParamInterface<Size>
{
protected:
    static void SetUpTestSuite()
    {
        fruit = BuildSurvey();
        scatter = BuildScatterSurvey();
        means = BuildGolden("desk1");
        pairs = BuildGolden("duo");
        groups = BuildGroups();
        longLabels = BuildGolden("longlabels");
    }
    static void TearDownTestSuite()
    {
        for (DATASET **set : {&fruit, &scatter, &means, &pairs, &groups, &longLabels})
            delete *set, *set = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(fruit && scatter && means && pairs && groups && longLabels); }
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }

    static FREQOBJ *Count(long variable, DATASET *set = fruit)
    {
        LISTETYPE list(set, variable);
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, set));
        auto *distribution = new FREQOBJ(set);
        BuildFrequencyDistribution(&list, distribution, labels.get());
        return distribution;
    }

    // The graph in the test window at the size (the parameter's when 0),
    // laid out and painted.
    template <class Graph> Graph *Show(Graph *made, int width = 0, int height = 0)
    {
        width = width ? width : GetParam().width;
        height = height ? height : GetParam().height;
        made->SetCoordinateType(ZAF_PIXEL);
        made->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        shown = Add(made);
        graphtest::GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        graphtest::Bitmap bitmap(width, height);
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
        return made;
    }

    // Every text inside the window, no two on the same pixels; answers the
    // texts checked.
    int ExpectTextsApartAndInside(const std::string &what)
    {
        testsupport::GraphTextCheck check(*shown);
        // Graphs whose texts all stand off their plot.
        if (!dynamic_cast<FREQGRAPH *>(shown))
            check.ExpectOffThePlotsBorder();
        EXPECT_EQ("", check.Report()) << what << " at " << GetParam().width << " x " << GetParam().height;
        return check.Count();
    }

    // The shown graph's window made that size, laid out and painted.
    void Resize(int width, int height)
    {
        ShowWindow(shown->OSHandle(), SW_HIDE);
        SetWindowPos(shown->OSHandle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
        Pump();
        graphtest::Bitmap bitmap(width, height);
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }

    static DATASET *fruit, *scatter, *means, *pairs, *groups, *longLabels;
    graphtest::EnglishTexts texts;
    FreqbarOption record;
    std::unique_ptr<FREQOBJ> frequencies;
    GRAPHWIN *shown = nullptr;
};

DATASET *GraphTextLayout::fruit = nullptr;
DATASET *GraphTextLayout::scatter = nullptr;
DATASET *GraphTextLayout::means = nullptr;
DATASET *GraphTextLayout::pairs = nullptr;
DATASET *GraphTextLayout::groups = nullptr;
DATASET *GraphTextLayout::longLabels = nullptr;

constexpr unsigned long numbersAndCaption = FREQGRAPH::optionNumbers | FREQGRAPH::optionCaption;

TEST_P(GraphTextLayout, BarChartsOfManyLongLabelsBothWays)
{
    for (unsigned long way : {0ul, static_cast<unsigned long>(FREQGRAPH::optionVertical)}) {
        frequencies.reset(Count(3));
        record.optionWord = numbersAndCaption | FREQGRAPH::optionTicks | way;
        Show(new FREQBAR(frequencies.get(), &record));
        // The smallest pane thins what does not fit; larger ones show all.
        EXPECT_GE(ExpectTextsApartAndInside(way ? "vertical bars" : "horizontal bars"),
                  GetParam().height < 200 ? 12 : 20);
        TearDown();
    }
}

TEST_P(GraphTextLayout, PieOfManyCategoriesWithItsLegend)
{
    frequencies.reset(Count(3));
    record.optionWord = numbersAndCaption;
    Show(new FREQPIE(frequencies.get(), &record));
    EXPECT_GE(ExpectTextsApartAndInside("pie"), 10);
}

// The device rectangles of the elements of that kind, inside groups too,
// and the groups that hold them.
void Collect(const GROBJ_LIST &list, element::ElementKind kind, std::vector<RECT> &found,
             std::vector<GROUPELEMENT *> &holders, GROUPELEMENT *in = nullptr)
{
    for (element *item : list) {
        if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
            Collect(group->Children(), kind, found, holders, group);
        else if (item->kind == kind && item->Visible()) {
            found.push_back(RECT{item->device.left, item->device.top, item->device.right, item->device.bottom});
            if (in && std::find(holders.begin(), holders.end(), in) == holders.end())
                holders.push_back(in);
        }
    }
}

// Twenty slices of labels longer than the legend's place, and the fruit's
// categories: the legend's labels stand beside their swatches, off the pie
// and off every swatch, cut where they do not fit; the slices' figures
// stand apart, inside their slices or out beyond the rim.
TEST_P(GraphTextLayout, PieLegendBesideThePieAndFiguresApart)
{
    const struct
    {
        DATASET *set;
        long variable;
        const char *name;
    } pies[] = {{longLabels, 2, "twenty long labels"}, {fruit, 3, "fruit"}};
    for (const auto &pie : pies) {
        frequencies.reset(Count(pie.variable, pie.set));
        record.optionWord = numbersAndCaption;
        Show(new FREQPIE(frequencies.get(), &record));
        testsupport::GraphTextCheck check(*shown);
        std::vector<RECT> slices, boxes;
        std::vector<GROUPELEMENT *> sliceGroups, boxGroups;
        Collect(shown->Elements(), element::kindPie, slices, sliceGroups);
        Collect(shown->Elements(), element::kindBox, boxes, boxGroups);
        ASSERT_FALSE(slices.empty()) << pie.name;
        RECT disc = slices.front();
        std::vector<TEKSTELEMENT *> figures;
        for (GROUPELEMENT *group : sliceGroups)
            for (TEKSTELEMENT *text : testsupport::GraphTextCheck::TextsIn(group->Children()))
                figures.push_back(text);
        check.ExpectOff(disc, "the pie", figures);
        for (const RECT &box : boxes)
            if (box.right - box.left <= 50 && box.bottom - box.top <= 50)
                check.ExpectOff(box, "a swatch");
        EXPECT_EQ("", check.Report()) << pie.name << " at " << GetParam().width << " x " << GetParam().height;
        // The pie keeps a third of the window's width (to whole pixels).
        EXPECT_GE(disc.right - disc.left, std::min(GetParam().width / 3, GetParam().height / 2) - 4) << pie.name;
        TearDown();
    }
}

// Horizontal bars: each bar's figure lies wholly inside its bar or wholly
// off it, with its line centred on the bar's middle; the pie's legend
// labels stand centred on their swatches.
TEST_P(GraphTextLayout, FiguresFitTheirBarsAndLabelsCentreOnSwatches)
{
    frequencies.reset(Count(3));
    record.optionWord = numbersAndCaption;
    Show(new FREQBAR(frequencies.get(), &record));
    int bars = 0;
    for (element *item : shown->Elements())
        if (auto *main = dynamic_cast<GROUPELEMENT *>(item))
            for (element *child : main->Children()) {
                auto *category = dynamic_cast<GROUPELEMENT *>(child);
                if (!category || dynamic_cast<SKALA *>(child))
                    continue;
                element *bar = nullptr;
                for (element *part : category->Children())
                    bar = !bar && part->kind == element::kindBox ? part : bar;
                const std::vector<TEKSTELEMENT *> texts = testsupport::GraphTextCheck::TextsIn(category->Children());
                if (!bar || texts.size() < 2 || texts[1]->HasFlag(element::flagLeftOut))
                    continue;
                const RECT box = {bar->device.left, bar->device.top, bar->device.right, bar->device.bottom};
                const RECT figure = texts[1]->DrawnRect();
                RECT common;
                const bool inside = figure.left >= box.left && figure.right <= box.right + 1 &&
                                    figure.top >= box.top && figure.bottom <= box.bottom + 1;
                EXPECT_TRUE(inside || !IntersectRect(&common, &figure, &box))
                    << texts[1]->Text() << " crosses its bar's border";
                EXPECT_NEAR((figure.top + figure.bottom) / 2.0, (box.top + box.bottom) / 2.0, 2.5) << texts[1]->Text();
                ++bars;
            }
    EXPECT_GT(bars, 0);
    TearDown();

    frequencies.reset(Count(3));
    record.optionWord = numbersAndCaption;
    Show(new FREQPIE(frequencies.get(), &record));
    const GROBJ_LIST &all = shown->Elements();
    auto *legend = dynamic_cast<GROUPELEMENT *>(all.Count() ? *std::prev(all.end()) : nullptr);
    ASSERT_NE(nullptr, legend);
    element *swatch = nullptr;
    int pairs = 0;
    for (element *part : legend->Children()) {
        if (part->kind == element::kindBox && part->device.right - part->device.left <= 50)
            swatch = part;
        else if (auto *label = dynamic_cast<TEKSTELEMENT *>(part); label && swatch && !label->HasFlag(element::flagLeftOut)) {
            const RECT r = label->DrawnRect();
            EXPECT_NEAR((r.top + r.bottom) / 2.0, (swatch->device.top + swatch->device.bottom) / 2.0, 2.5)
                << label->Text();
            swatch = nullptr;
            ++pairs;
        }
    }
    EXPECT_GT(pairs, 0);
}

TEST_P(GraphTextLayout, ScatterWithCaptionsScalesAndAxisTitles)
{
    StatClass context(scatter);
    BiplotReg regression(1, 2, nullptr, 544, scatter);
    long word = 544;
    Show(new BiplotInteractive(&regression, &word));
    // The smallest pane leaves its captions out for the plot's sake.
    EXPECT_GE(ExpectTextsApartAndInside("scatter"), GetParam().height < 200 ? 3 : 6);
    TearDown();
}

TEST_P(GraphTextLayout, DescriptivesGraphWithEveryPart)
{
    for (long variable : {1L, 2L}) {
        MeanObj computation(variable, means);
        ASSERT_TRUE(computation.Compute());
        Show(new Desk1Graph(&computation, Desk1Graph::defaultMask));
        EXPECT_GE(ExpectTextsApartAndInside("descriptives of v" + std::to_string(variable)), 3);
        TearDown();
    }
}

TEST_P(GraphTextLayout, BreakdownBarsBoxesAndBarCodes)
{
    OnewayObj computation(1, 2, groups);
    ASSERT_TRUE(computation.Compute());
    Desk2grafBarOption bars;
    Desk2grafBoxOption boxes;
    Desk2grafBarcodeOption codes;
    const struct
    {
        int kind;
        Desk2grafOption *record;
        const char *name;
    } graphs[] = {{0, &bars, "breakdown bars"}, {1, &boxes, "box and whiskers"}, {3, &codes, "bar codes"}};
    for (const auto &graph : graphs) {
        Show(CreateDesk2Graph(&computation, graph.kind, graph.record));
        EXPECT_GE(ExpectTextsApartAndInside(graph.name), 3);
        TearDown();
    }
}

TEST_P(GraphTextLayout, BreakdownIntervalsBothWays)
{
    OnewayObj computation(1, 2, groups);
    ASSERT_TRUE(computation.Compute());
    for (unsigned long way : {0ul, static_cast<unsigned long>(Desk2Graph::graphVertical)}) {
        Desk2grafConfintOption record;
        record.graphMask =
            static_cast<long>(Desk2Graph::graphTitle | Desk2Graph::graphBreakSubtitle | Desk2Graph::graphGrid | way);
        Show(CreateDesk2Graph(&computation, Desk2grafOption::confint, &record));
        EXPECT_GE(ExpectTextsApartAndInside(way ? "vertical intervals" : "horizontal intervals"), 7);
        TearDown();
    }
}

// Twenty groups whose labels run to 63 characters, every kind both ways:
// the labels are cut to the room beside the plot (or under it) rather than
// drawn over it, in a readable font, thinned where their slots are too low
// for one; the titles stand above the plot, giving way in a small pane.
TEST_P(GraphTextLayout, BreakdownOfTwentyLongLabels)
{
    OnewayObj computation(1, 2, longLabels);
    ASSERT_TRUE(computation.Compute());
    for (int kind = 0; kind < 4; ++kind)
        for (unsigned long way : {0ul, static_cast<unsigned long>(Desk2Graph::graphVertical)}) {
            Desk2grafBarOption record;
            record.graphMask =
                static_cast<long>(Desk2Graph::graphTitle | Desk2Graph::graphBreakSubtitle | Desk2Graph::graphGrid | way);
            auto *graph = static_cast<Desk2Graph *>(Show(CreateDesk2Graph(&computation, kind, &record)));
            testsupport::GraphTextCheck check(*shown);
            check.ExpectReadable(9);
            check.ExpectOffThePlotsBorder();
            const std::string name = "breakdown kind " + std::to_string(kind) + (way ? " vertical" : " horizontal");
            EXPECT_EQ("", check.Report()) << name << " at " << GetParam().width << " x " << GetParam().height;
            // Whole or cut in the middle with "..", at least every fourth
            // shown (twenty groups in the tile's 60-pixel plot).
            int labels = 0;
            for (int i = 0; i < 20; ++i) {
                const std::string &label = graph->ShownLabels()[static_cast<std::size_t>(i)];
                if (!check.Find(label))
                    continue;
                ++labels;
                const std::string &whole = computation.groups[static_cast<std::size_t>(i)].label;
                EXPECT_TRUE(label == whole || label.find("..") != std::string::npos) << label;
            }
            EXPECT_GE(labels, 5) << name;
            TearDown();
        }
}

// Predicted values in the tens of thousands against residuals in the
// thousands, with decimals: wide numbers on both axes.
struct Residuals
{
    Residuals()
    {
        const int n = 40;
        double sum = 0.0, squares = 0.0;
        for (int i = 0; i < n; ++i) {
            const double r = ((i * 7) % 13 - 6) * 1234.56;
            engine.predicted.push_back(21500.0 + 1234.5 * i);
            engine.residuals.push_back(r);
            sum += r;
            squares += r * r;
        }
        engine.count = n;
        engine.residualMean = sum / n;
        engine.residualDeviation = std::sqrt((squares - sum * sum / n) / (n - 1));
        record.displayWord = ResidualPlot::displayTitle;
    }
    RegressionEngine engine;
    ResplotOption record;
};

TEST_P(GraphTextLayout, ResidualPlotWithItsTitle)
{
    Residuals data;
    ResidualPlot *plot = Show(new ResidualPlot(&data.engine, &data.record));
    EXPECT_GE(ExpectTextsApartAndInside("residual plot"), 8);
    // The scatter keeps room for its points.
    int width = plot->ScatterArea().right - plot->ScatterArea().left, unused = 0;
    plot->ToDeviceUnits(width, unused);
    EXPECT_GE(width, GetParam().width / 3);
}

// The graphs that lay out from their measured texts (the scatter, the
// residual plot, the pie's legend) do so again at every size: built
// maximised and then made smaller, or built small and then made larger,
// their texts stay apart and inside.
TEST_P(GraphTextLayout, MeasuredLayoutsLaidOutAgainAtANewSize)
{
    const Size &largest = sizes[2], &smallest = sizes[0];
    for (const Size &first : {largest, smallest}) {
        StatClass context(scatter);
        BiplotReg regression(1, 2, nullptr, 544, scatter);
        long word = 544 | BiplotInteractive::displayTitle;
        Show(new BiplotInteractive(&regression, &word), first.width, first.height);
        Resize(GetParam().width, GetParam().height);
        ExpectTextsApartAndInside("scatter built at " + std::to_string(first.width));
        TearDown();

        Residuals data;
        Show(new ResidualPlot(&data.engine, &data.record), first.width, first.height);
        Resize(GetParam().width, GetParam().height);
        ExpectTextsApartAndInside("residual plot built at " + std::to_string(first.width));
        TearDown();

        frequencies.reset(Count(3));
        record.optionWord = numbersAndCaption;
        Show(new FREQPIE(frequencies.get(), &record), first.width, first.height);
        Resize(GetParam().width, GetParam().height);
        ExpectTextsApartAndInside("pie built at " + std::to_string(first.width));
        TearDown();
    }
}

// Every graph kind built at the size, shrunk to the pane of a sixteen-
// workbook tile and grown back: built again at each size, its texts stand
// apart, inside and off the plot's border as in a fresh build, and it
// shows the same texts as a graph built at that size.
TEST_P(GraphTextLayout, EveryKindAfterAShrinkAndGrow)
{
    OnewayObj breakdown(1, 2, longLabels);
    ASSERT_TRUE(breakdown.Compute());
    MeanObj descriptives(1, means);
    ASSERT_TRUE(descriptives.Compute());
    TtestPar paired(1, 2, 1, pairs);
    StatClass matrixData(means), scatterData(scatter);
    BiplotReg regression(1, 2, nullptr, 544, scatter);
    Residuals residuals;
    Desk2grafBarOption breakdownRecord;
    breakdownRecord.graphMask = static_cast<long>(Desk2Graph::graphTitle | Desk2Graph::graphBreakSubtitle);
    DuoPolyOption duoRecord;
    MatplotOption matrixRecord;
    matrixRecord.displayWord = Matrixplot::displayCaptions | Matrixplot::displayTitle;
    long scatterWord = 544 | BiplotInteractive::displayTitle;
    const long matrixList[] = {1, 2, 3, 0};
    const std::vector<std::pair<std::string, std::function<GRAPHWIN *()>>> kinds = {
        {"bars", [&] { frequencies.reset(Count(3)); record.optionWord = numbersAndCaption;
                       return new FREQBAR(frequencies.get(), &record); }},
        {"pie", [&] { frequencies.reset(Count(3)); record.optionWord = numbersAndCaption;
                      return new FREQPIE(frequencies.get(), &record); }},
        {"breakdown bars", [&] { return CreateDesk2Graph(&breakdown, 0, &breakdownRecord); }},
        {"breakdown boxes", [&] { return CreateDesk2Graph(&breakdown, 1, &breakdownRecord); }},
        {"descriptives", [&] { return new Desk1Graph(&descriptives, Desk1Graph::defaultMask); }},
        {"polygon", [&] { return new DuoPoly(&paired, 1, 2, &duoRecord); }},
        {"matrix plot", [&] { return new Matrixplot(&matrixData, matrixList, &matrixRecord); }},
        {"scatter", [&] { return new BiplotInteractive(&regression, &scatterWord); }},
        {"residual plot", [&] { return new ResidualPlot(&residuals.engine, &residuals.record); }},
    };
    const Size &tile = sizes[3];
    for (const auto &kind : kinds) {
        std::set<std::string> fresh;
        Show(kind.second());
        for (TEKSTELEMENT *text : testsupport::GraphTextCheck(*shown).texts)
            fresh.insert(text->Text());
        TearDown();
        Show(kind.second());
        Resize(tile.width, tile.height);
        ExpectTextsApartAndInside(kind.first + " shrunk to the tile");
        Resize(GetParam().width, GetParam().height);
        std::set<std::string> regrown;
        for (TEKSTELEMENT *text : testsupport::GraphTextCheck(*shown).texts)
            regrown.insert(text->Text());
        ExpectTextsApartAndInside(kind.first + " grown back");
        EXPECT_EQ(fresh, regrown) << kind.first << " shows what a graph built at its size shows";
        TearDown();
    }
}

// Two axes of 41 numbers each, from -1000 to 9000 by 250.
class AxesGraph : public GRAPHWIN
{
public:
    AxesGraph() : GRAPHWIN(0, 0, 0, 0) { SetDrawStyle(nullptr); }
    void BuildGraph() override
    {
        for (std::uint8_t vertical : {0, 1}) {
            AxisSpec description(1500, 1000, 7500, 7000, 0);
            description.vertical = vertical;
            description.step = 250.0;
            double low = -1000.0, high = 9000.0;
            scales[vertical] = new SKALA(description, low, high);
            AddElement(scales[vertical]);
        }
    }
    // The numbers an axis shows.
    std::vector<std::string> Shown(int vertical) const
    {
        std::vector<std::string> shown;
        for (element *child : scales[vertical]->Children())
            if (child->kind == element::kindText && child->Visible())
                shown.push_back(static_cast<TEKSTELEMENT *>(child)->Text());
        return shown;
    }
    SKALA *scales[2] = {nullptr, nullptr};
};

// The axes show every 1st, 2nd, 5th, ... number as far as they stand apart,
// 0 among them, and show more of them once the window grows.
TEST_P(GraphTextLayout, AxesShowTheNumbersThatStandApartAtEachSize)
{
    AxesGraph *graph = Show(new AxesGraph);
    ExpectTextsApartAndInside("axes");
    std::size_t before[2];
    for (int vertical : {0, 1}) {
        const std::vector<std::string> shown = graph->Shown(vertical);
        before[vertical] = shown.size();
        EXPECT_GE(shown.size(), 3u);
        EXPECT_NE(std::find(shown.begin(), shown.end(), "0"), shown.end()) << "0 is among the numbers shown";
    }
    EXPECT_LT(before[0], 41u) << "41 numbers do not fit across " << GetParam().width << " pixels";
    Resize(sizes[2].width + 600, sizes[2].height + 600);
    ExpectTextsApartAndInside("axes grown");
    for (int vertical : {0, 1}) {
        const std::size_t after = graph->Shown(vertical).size();
        EXPECT_TRUE(after > before[vertical] || after == 41u)
            << "more numbers at a larger size: " << before[vertical] << " then " << after;
    }
}

TEST_P(GraphTextLayout, FrequencyPolygonOfTwoVariables)
{
    TtestPar computation(1, 2, 1, pairs);
    DuoPolyOption record;
    Show(new DuoPoly(&computation, 1, 2, &record));
    EXPECT_GE(ExpectTextsApartAndInside("frequency polygon"), 3);
}

TEST_P(GraphTextLayout, MatrixPlotWithCaptionsAndTitle)
{
    StatClass data(means);
    const long list[] = {1, 2, 3, 0};
    MatplotOption record;
    record.displayWord = Matrixplot::displayCaptions | Matrixplot::displayTitle;
    Show(new Matrixplot(&data, list, &record));
    EXPECT_GE(ExpectTextsApartAndInside("matrix plot"), 3);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, GraphTextLayout, testing::ValuesIn(sizes),
                         [](const testing::TestParamInfo<Size> &info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

// A value printed inside a dark bar is drawn in white, over a light fill in
// black, in colour and in grey.
TEST(GraphTextColour, AValueInsideABarContrastsWithItsFill)
{
    DrawStyle dark, light;
    dark.SetFillRGB(50, 80, 130);
    dark.SetGreyLevels(100, 255);
    light.SetFillRGB(234, 224, 196);
    light.SetGreyLevels(230, 0);
    TEKSTELEMENT text(0, 0, "87.5", 0);
    EXPECT_EQ(RGB(0, 0, 0), text.TextColour()) << "plain texts are black";
    text.SetContrastWith(&dark);
    EXPECT_EQ(RGB(255, 255, 255), text.TextColour());
    text.SetContrastWith(&light);
    EXPECT_EQ(RGB(0, 0, 0), text.TextColour());
}

// Every series of a graph has a fill of its own, in colour and in grey, for
// more categories than the palette's colours.
TEST(SeriesStyles, EveryCategoryOfAGraphHasItsOwnFill)
{
    DrawStyle::InitDefaults(nullptr, 1);
    std::set<COLORREF> fills;
    std::set<int> greys;
    const int count = 4 * seriesStyleCount;
    for (int k = 0; k < count; ++k) {
        DrawStyle style;
        CopySeriesStyle(style, k);
        fills.insert(RGB(style.fillR, style.fillG, style.fillB));
        greys.insert(style.brushGrey);
        if (k < seriesStyleCount) {
            EXPECT_EQ(SeriesStyles[k].FillColour(), style.FillColour()) << "the palette comes first";
        }
    }
    EXPECT_EQ(static_cast<std::size_t>(count), fills.size());
    EXPECT_GE(greys.size(), static_cast<std::size_t>(seriesStyleCount));
}

} // namespace
