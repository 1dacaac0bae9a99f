// The texts of the graphs at three window sizes, from a workbook's graph
// pane at its default size to a maximised one: no two texts (titles,
// captions, axis numbers and titles, value labels, legends) cover the same
// pixels, and every text lies inside the window. Also the value printed
// inside a bar, which contrasts with the bar, and the series colours, one
// of its own for every category of a graph.
#include "GraphTestSupport.h"

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
#include "graphs/DrawStyle.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "stats/BiplotReg.h"
#include "stats/FREQOBJ.h"
#include "stats/MeanObj.h"
#include "stats/OnewayObj.h"

#include <fstream>
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
// A workbook's graph pane at its default size, a larger one, maximised.
const Size sizes[] = {{380, 260}, {640, 480}, {1270, 900}};

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
    }
    static void TearDownTestSuite()
    {
        for (DATASET **set : {&fruit, &scatter, &means, &pairs, &groups})
            delete *set, *set = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(fruit && scatter && means && pairs && groups); }
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }

    static FREQOBJ *Count(long variable)
    {
        LISTETYPE list(fruit, variable);
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, fruit));
        auto *distribution = new FREQOBJ(fruit);
        BuildFrequencyDistribution(&list, distribution, labels.get());
        return distribution;
    }

    // The graph in the test window at the size, laid out and painted.
    template <class Graph> Graph *Show(Graph *made)
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

    static void Collect(const GROBJ_LIST &list, std::vector<TEKSTELEMENT *> &texts)
    {
        for (element *item : list) {
            if (!item->Visible())
                continue;
            if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
                Collect(group->Children(), texts);
            else if (auto *text = dynamic_cast<TEKSTELEMENT *>(item))
                if (*text->Text())
                    texts.push_back(text);
        }
    }

    // Every text inside the window, no two on the same pixels; answers the
    // texts checked.
    int ExpectTextsApartAndInside(const std::string &what)
    {
        std::vector<TEKSTELEMENT *> texts;
        Collect(shown->Elements(), texts);
        RECT client = {};
        GetClientRect(shown->OSHandle(), &client);
        std::vector<RECT> drawn;
        for (TEKSTELEMENT *text : texts) {
            const RECT r = text->DrawnRect();
            drawn.push_back(r);
            EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << what << ": \"" << text->Text() << "\" at " << r.left << "," << r.top << "," << r.right << ","
                << r.bottom << " leaves the window of " << client.right << " x " << client.bottom;
        }
        for (std::size_t i = 0; i < drawn.size(); ++i)
            for (std::size_t j = i + 1; j < drawn.size(); ++j) {
                RECT common;
                EXPECT_FALSE(IntersectRect(&common, &drawn[i], &drawn[j]))
                    << what << " at " << GetParam().width << " x " << GetParam().height << ": \"" << texts[i]->Text()
                    << "\" (" << drawn[i].left << "," << drawn[i].top << "," << drawn[i].right << ","
                    << drawn[i].bottom << ") and \"" << texts[j]->Text() << "\" (" << drawn[j].left << ","
                    << drawn[j].top << "," << drawn[j].right << "," << drawn[j].bottom << ") overlap";
            }
        return static_cast<int>(texts.size());
    }

    static DATASET *fruit, *scatter, *means, *pairs, *groups;
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

constexpr unsigned long numbersAndCaption = FREQGRAPH::optionNumbers | FREQGRAPH::optionCaption;

TEST_P(GraphTextLayout, BarChartsOfManyLongLabelsBothWays)
{
    for (unsigned long way : {0ul, static_cast<unsigned long>(FREQGRAPH::optionVertical)}) {
        frequencies.reset(Count(3));
        record.optionWord = numbersAndCaption | FREQGRAPH::optionTicks | way;
        Show(new FREQBAR(frequencies.get(), &record));
        EXPECT_GE(ExpectTextsApartAndInside(way ? "vertical bars" : "horizontal bars"), 20);
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

TEST_P(GraphTextLayout, ScatterWithCaptionsScalesAndAxisTitles)
{
    StatClass context(scatter);
    BiplotReg regression(1, 2, nullptr, 544, scatter);
    long word = 544;
    Show(new BiplotInteractive(&regression, &word));
    EXPECT_GE(ExpectTextsApartAndInside("scatter"), 6);
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
