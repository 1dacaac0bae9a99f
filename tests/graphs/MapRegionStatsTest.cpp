// Region values, ranges, classes and colours of the map graph: the class
// tables and edges by hand, and the sample survey against the figures of
// golden/maps/region_stats.R.
#include "graphs/maps/MapGraph.h"

#include "GraphTestSupport.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/map/MapWorkBook.h"
#include "dataset/ProgramSettings.h"
#include "MapTestSupport.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "graphs/maps/MapRegionText.h"
#include "shell/TXTWIN.h"
#include "analyses/frequencies/FRWIN.h"
#include "analyses/map/MapWindow.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "stats/FREQOBJ.h"
#include "tests/support/TempDirectory.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafNotebook.h"
#include "graphs/maps/MapGraphWindow.h"

#include <algorithm>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

using namespace MapClasses;

namespace {
typedef std::vector<double> Values;

void ExpectNear(const Values &expected, const Values &actual, const std::string &what)
{
    ASSERT_EQ(expected.size(), actual.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], actual[i], 1e-6 * std::max(1.0, std::fabs(expected[i]))) << what << " [" << i << "]";
}
} // namespace

TEST(MapClasses, BoundsOfEachMethodAndTheirEdges)
{
    Values b = EqualWidthBounds(1, 10, 5, 0);
    RoundBounds(b);
    ExpectNear({1, 3, 5, 7, 9, 10}, b, "whole numbers 1..10");
    ExpectNear({1, 2.8, 4.6, 6.4, 8.2, 10}, EqualWidthBounds(1, 10, 5, 2), "two decimals");
    int k = 5;
    ExpectNear({1, 4, 6, 8, 10, 10}, RegionOrderBounds({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, &k, 0), "ten regions");
    const Values ties = {2, 2, 2, 2, 2, 2, 2, 2, 2, 5};
    ExpectNear({2, 3, 4, 5, 6, 5}, RegionOrderBounds(ties, &k, 0), "ties pushed by 1");
    ExpectNear({2, 2.2, 2.4, 2.6, 5, 5}, RegionOrderBounds(ties, &k, 1), "ties pushed by 0.2");
    const Values huge = RegionOrderBounds({1e300, 1e300, 1e300}, &(k = 2), 0);
    EXPECT_GT(huge[1], huge[0]) << "a push of 1 does not raise 1e300";
    // Positions 2 and 3 (past the end: the last value, pushed up by 1).
    ExpectNear({7, 9, 10, 9}, RegionOrderBounds({7, 8, 9}, &(k = 5), 0), "fewer regions than classes");
    EXPECT_EQ(k, 3);
    EXPECT_TRUE(RegionOrderBounds({}, &(k = 5), 0).empty());
    EXPECT_EQ(k, 0);
    ExpectNear({1, 2, 3, 4, 5}, CaseOrderBounds({1, 2, 3, 4, 5, 6}, 4), "cases: step 6 / 4 = 1");
    EXPECT_EQ(ClassOf(3, {1, 3, 5}), 1);
    EXPECT_EQ(ClassOf(5, {1, 3, 5}), 1);
    ExpectNear({4, 4}, RampSampleBounds(4, 4, 1, 0), "one sample class");
}

TEST(MapClasses, EveryClassHasItsOwnEntryAndItsOwnGrey)
{
    EXPECT_EQ(ClassEntries(MapClassSettings::metric2, 5), std::vector<int>({0, 3, 6, 9, 12}));
    EXPECT_EQ(ClassEntries(MapClassSettings::metric2, 4), std::vector<int>({0, 3, 9, 12}));
    EXPECT_EQ(ClassEntries(MapClassSettings::metric2, 1), std::vector<int>({6}));
    EXPECT_EQ(ClassEntries(MapClassSettings::metric, 5), std::vector<int>({0, 2, 4, 6, 8}));
    EXPECT_EQ(ClassEntries(MapClassSettings::contrast, 5), std::vector<int>({0, 1, 2, 3, 4}));
    EXPECT_EQ(ClassEntries(MapClassSettings::contrast, 20).back(), 12);
    for (int scheme : {MapClassSettings::metric, MapClassSettings::metric2, MapClassSettings::contrast})
        for (int classes = 1; classes <= 13; ++classes) {
            std::set<int> greys;
            for (const MapColourEntry &c : ClassColours(scheme, classes))
                greys.insert(c.fillGrey);
            EXPECT_EQ(greys.size(), static_cast<size_t>(classes)) << scheme << " " << classes;
        }
    // A range of one value: the ramps take their first or middle colour.
    EXPECT_EQ(RampColour(MapClassSettings::slide, 3, 3, 3, 3, {}).fillR, SlideStart().fillR);
    EXPECT_EQ(RampColour(MapClassSettings::slide2, 3, 3, 3, 3, {}).fillG, Slide2Middle().fillG);
    EXPECT_EQ(RampColour(MapClassSettings::slide, 5, 0, 10, 0, {}).fillB, (SlideStart().fillB + SlideEnd().fillB) / 2);
}

class SurveyMap : public testing::Test
{
protected:
    void SetUp() override
    {
        dataSet.reset(OpenDataSet((std::string(GRAPH_TEST_BIN_DIR) + "/samples/survey.QVF").c_str()));
        ASSERT_TRUE(dataSet && dataSet->mapFileFlag);
        FileByteStream file(dataSet->SiblingName(".KRT").c_str());
        ASSERT_EQ(MapFile::ReadDirectory(file, dataSet->GetCodePage() != 0, &dataSet->mapDirectory), MAPERR_NONE);
    }
    std::unique_ptr<MapGraph> Graph(const char *variable)
    {
        auto graph = std::make_unique<MapGraph>(dataSet.get(), 0, dataSet->FindVariable(variable), &settings);
        EXPECT_EQ(graph->LoadMap(), MAPERR_NONE);
        return graph;
    }
    std::unique_ptr<DATASET> dataSet;
    MapClassSettings settings;
};

TEST_F(SurveyMap, RegionMeansRangesAndBoundsAgreeWithR)
{
    std::ifstream golden(GRAPHS_GOLDEN_DIR "/maps/region_stats.txt");
    ASSERT_TRUE(golden.good());
    std::unique_ptr<MapGraph> graph;
    std::string line;
    int checked = 0;
    while (std::getline(golden, line)) {
        std::istringstream in(line);
        std::string kind, what;
        int k = 0;
        in >> kind;
        if (kind == "variable") {
            in >> what;
            graph = Graph(what.c_str());
            ASSERT_EQ(graph->AssignRegionValues(), MapGraph::valuesAssigned);
            EXPECT_EQ(graph->regions.Find(1)->name, "Capital City");
            continue;
        }
        in >> k >> what;
        if (kind == "region") {
            EXPECT_EQ(graph->regions.Find(k)->caseCount, std::stol(what)) << line;
            ExpectNear({std::stod(line.substr(line.rfind(' ')))}, {graph->regions.Find(k)->value}, line);
            ++checked;
            continue;
        }
        Values expected{std::istream_iterator<double>(in), std::istream_iterator<double>()};
        settings = MapClassSettings();
        settings.classCount = k;
        settings.dataSource = kind == "map" ? MapClassSettings::currentMap : MapClassSettings::allCases;
        settings.groupingMethod =
            what == "cases" || what == "regions" ? MapClassSettings::byCases : MapClassSettings::fromValues;
        graph->MapRegionStats();
        ExpectNear(expected, what == "range" ? Values{graph->minimum, graph->maximum} : settings.bounds, line);
        ++checked;
    }
    EXPECT_EQ(checked, 3 * (20 + 12));
}

TEST_F(SurveyMap, RegionsThatNoCaseNamesGiveNoRangeAndNoClasses)
{
    // A map of region codes the data set does not use.
    MemoryByteStream file(MapTest::MapBytes({{100, 1, {5, 5}}, {101, 3, {0, 0, 9, 0, 0, 9}}}));
    ASSERT_EQ(MapFile::ReadDirectory(file, true, &dataSet->mapDirectory), MAPERR_NONE);
    MapGraph graph(dataSet.get(), 0, dataSet->FindVariable("age"), &settings);
    ASSERT_EQ(graph.LoadMap(file, dataSet->mapDirectory), MAPERR_NONE);
    ASSERT_EQ(graph.regions.Count(), 2);
    EXPECT_EQ(graph.AssignRegionValues(), MapGraph::noRegionMatched);
    for (int scheme = 0; scheme <= 4; ++scheme) {
        settings.colourScheme = scheme;
        settings.classCount = 0;
        graph.MapRegionStats();
        EXPECT_FALSE(graph.HasRange());
        EXPECT_EQ(graph.classCount, 0);
        EXPECT_TRUE(settings.bounds.empty());
        EXPECT_EQ(graph.regions.Find(101)->colour.fillR, MissingColour().fillR);
    }
    graphtest::EnglishTexts texts;
    TXTWIN text("map", 0);
    WriteMapRegionText(text, graph);
    EXPECT_EQ(text.Text(),
              "\r\n Number of regions: 2\r\n \r\n No region of the map matches a region code of the data set.\r\n ");
}

namespace {
std::string Unix(const std::string &text)
{
    std::string unix;
    for (char c : text)
        if (c != '\r')
            unix += c;
    return unix;
}

// The lines of a text, each with its line end.
std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end + 1 - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The reference page text without its class column: the head, the rule
// and each region's line lose their last seven characters.
std::string WithoutClasses(const std::string &golden)
{
    std::string text;
    bool table = false;
    for (std::string line : Lines(golden)) {
        table = table || line.find("Region") != std::string::npos;
        if (table && line.size() > 8 && line.back() == '\n')
            line = line.substr(0, line.size() - 8) + "\n";
        text += line;
    }
    return text;
}
} // namespace

// The colour-ramp maps colour by the value itself: their text page has no
// class column, whose numbers would appear nowhere on the map.
TEST_F(SurveyMap, TheTextPagesClassColumnFollowsTheColourScheme)
{
    graphtest::EnglishTexts texts;
    std::unique_ptr<MapGraph> graph = Graph("age");
    ASSERT_EQ(graph->AssignRegionValues(), MapGraph::valuesAssigned);
    settings.displayMode = MapClassSettings::choropleth;
    const std::string head = StatText(46, 22);
    for (int scheme : {MapClassSettings::metric, MapClassSettings::metric2, MapClassSettings::slide,
                       MapClassSettings::slide2, MapClassSettings::contrast}) {
        settings.colourScheme = scheme;
        graph->MapRegionStats();
        ASSERT_GT(graph->classCount, 0) << scheme;
        TXTWIN text("map", 0);
        WriteMapRegionText(text, *graph);
        const bool ramp = scheme == MapClassSettings::slide || scheme == MapClassSettings::slide2;
        const std::string page = text.Text();
        const size_t region = page.find("Capital City");
        ASSERT_NE(region, std::string::npos) << page;
        const std::string line = page.substr(region, page.find('\n', region) - region);
        EXPECT_EQ(page.find(head) != std::string::npos, !ramp) << scheme << "\n" << page;
        // The region's line ends at its value on a ramp map, at its class
        // number on the others.
        EXPECT_EQ(line.find("47.20") + 4 == line.find_last_not_of("\r "), ramp) << scheme << " [" << line << "]";
    }
}

TEST_F(SurveyMap, PageTextOfEachDisplayModeAgreesWithTheReferenceAndCarriesTheVariablesTable)
{
    graphtest::EnglishTexts texts;
    ProgramSettings::Instance()->SetDataSet(dataSet.release());
    DATASET *current = ProgramSettings::Instance()->GetDataSet(0);
    MapStatOption book;
    book.LoadSettings(0);
    std::ifstream in(GRAPHS_GOLDEN_DIR "/maps/age_regions.txt", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_NE(golden.find("Minimum value: 43.47"), std::string::npos);

    // Age has more distinct values than a frequency table takes: its
    // descriptive statistics follow the map lines.
    const long age = current->FindVariable("age");
    MEAN means(age, current);
    ASSERT_TRUE(means.Compute());
    TXTWIN meanTable("means", 0);
    MeanObj::WriteMeanTable(means, meanTable, MapWindow::meanTextGroup);
    {
        MapPage page(age, 0, "v4 age", book);
        EXPECT_EQ(page.Text()->Text(), "") << "no text before the first graph request";
        EXPECT_EQ(page.Text()->Graph(), nullptr);
        EXPECT_STREQ(page.Text()->Title(), "v4 age") << "the title the text is printed under";
        EXPECT_NE(page.Graph(), nullptr);
        const char *modes[] = {"classes", "bars", "circles"};
        ZafWindow *first = nullptr;
        for (int kind : {0, 1, 2, 0}) {
            ZafWindow *window = page.CreateGraphWindow(kind, &book);
            ASSERT_NE(window, nullptr);
            if (!first)
                page.AddGraphWindow(first = window, kind);
            EXPECT_EQ(window, first);
            const std::string text = Unix(page.Text()->Text());
            const std::string expected = kind == 0 ? golden : WithoutClasses(golden);
            EXPECT_EQ(text.substr(0, expected.size()), expected) << modes[kind];
            EXPECT_EQ(text.substr(expected.size()), Unix(meanTable.Text())) << modes[kind];
            EXPECT_EQ(page.Text()->distribution, nullptr);
            ASSERT_NE(page.Text()->Means(), nullptr);
            EXPECT_EQ(page.Text()->LineCount(),
                      static_cast<int>(std::count(expected.begin(), expected.end(), '\n')) + meanTable.LineCount());
        }
        // Saved with tabs, the text holds the map lines and the table too.
        testsupport::TempDirectory directory;
        const std::string file = directory.File("map.txt");
        ASSERT_TRUE(page.Text()->SaveText(file.c_str(), txtSaveTabs));
        std::ifstream saved(file, std::ios::binary);
        const std::string savedText{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
        EXPECT_NE(savedText.find("Number of regions: 20"), std::string::npos);
        EXPECT_NE(savedText.find("Capital City\t287\t47.20\t3"), std::string::npos) << savedText;
        std::string tableTitle = Lines(Unix(meanTable.Text())).at(1);
        tableTitle = tableTitle.substr(1, tableTitle.size() - 2);
        ASSERT_NE(tableTitle.find("age"), std::string::npos) << tableTitle;
        EXPECT_NE(savedText.find(tableTitle), std::string::npos) << savedText;
    }

    // A variable of a few labelled answers gets its frequency table, the
    // same as a frequency page of its own would show.
    const long school = current->FindVariable("sat_school");
    FREQOBJECT distribution(current);
    {
        LISTETYPE values(current, school);
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(school, current));
        BuildFrequencyDistribution(&values, &distribution, labels.get());
    }
    FRWIN table("frequencies");
    table.distribution = &distribution;
    table.WriteFrequencyTable();
    {
        MapPage page(school, 0, "v15 sat_school", book);
        ZafWindow *window = page.CreateGraphWindow(2, &book);
        ASSERT_NE(window, nullptr);
        page.AddGraphWindow(window, 2);
        const std::string &text = page.Text()->Text();
        EXPECT_EQ(page.Text()->Means(), nullptr);
        ASSERT_NE(page.Text()->distribution, nullptr);
        EXPECT_EQ(text.find("\r\n Number of regions: 20\r\n"), 0u) << text;
        ASSERT_GT(text.size(), table.Text().size());
        EXPECT_EQ(text.substr(text.size() - table.Text().size()), table.Text());
    }
    ProgramSettings::Instance()->CloseDataSet();
}

TEST_F(SurveyMap, PageTextListsTheRegionsAndUserBoundsStand)
{
    graphtest::EnglishTexts texts;
    ProgramSettings::Instance()->SetDataSet(dataSet.release());
    DATASET *current = ProgramSettings::Instance()->GetDataSet(0);
    MapStatOption book;
    book.LoadSettings(0);
    auto page = std::make_unique<MapPage>(current->FindVariable("age"), 0, "v4 age", book);
    // A graph tool sets the page's display mode (bars: no classes) and
    // hands back the page's one map window.
    ZafWindow *window = page->CreateGraphWindow(1, &book);
    ASSERT_NE(window, nullptr);
    page->AddGraphWindow(window, 1);
    EXPECT_EQ(page->Text()->Text().find("Class"), std::string::npos);
    // A user's count of 0 classes is one class.
    book.classCountMode = MapClassSettings::userCount;
    book.classCount = 0;
    page->TakeBookSettings(book, false);
    EXPECT_EQ(page->Record()->classes.classCount, 1);

    // Limits the user confirmed on the page stand and size its colours;
    // region 15 (mean 43.47) falls in the first class, region 17 (50.88) in the last.
    EXPECT_EQ(page->CreateGraphWindow(0, &book), window);
    MapClassSettings &classes = page->Record()->classes;
    classes.userBounds = true;
    classes.bounds = {40, 47, 49, 60};
    page->Text()->WriteResult();
    const MapGraph &graph = *page->Text()->Graph();
    EXPECT_EQ(graph.classCount, 3);
    ASSERT_EQ(classes.colours.size(), 3u);
    EXPECT_EQ(classes.bounds, Values({40, 47, 49, 60}));
    EXPECT_EQ(graph.regions.Find(15)->colour.fillGrey, classes.colours[0].fillGrey);
    EXPECT_EQ(graph.regions.Find(17)->colour.fillGrey, classes.colours[2].fillGrey);
    // Under a colour ramp the confirmed limits stay the legend's.
    for (int scheme : {MapClassSettings::slide, MapClassSettings::slide2}) {
        classes.colourScheme = scheme;
        page->Text()->WriteResult();
        EXPECT_EQ(classes.bounds, Values({40, 47, 49, 60})) << scheme;
    }
    page.reset();
    ProgramSettings::Instance()->CloseDataSet();
}

TEST_F(SurveyMap, ZoomOutButtonFollowsThePageBroughtForward)
{
    graphtest::EnglishTexts texts;
    ProgramSettings::Instance()->SetDataSet(dataSet.release());
    DATASET *current = ProgramSettings::Instance()->GetDataSet(0);
    MapStatOption book;
    book.LoadSettings(0);
    ZafButton button(0, 0, 10, 1, "Zoom out");
    {
        ZafNotebook notebook(0, 0, 40, 10);
        auto *zoomed = new MapPage(current->FindVariable("age"), 0, "v4 age", book);
        auto *textOnly = new MapPage(current->FindVariable("hours"), 0, "v9 hours", book);
        for (MapPage *page : {zoomed, textOnly}) {
            page->SetZoomOutButton(&button);
            notebook.AddObject(page);
        }
        ZafWindow *window = zoomed->CreateGraphWindow(0, &book);
        ASSERT_NE(window, nullptr);
        zoomed->AddGraphWindow(window, 0);
        zoomed->GraphWindow()->zoomStack.push_back(MapZoomEntry{2.0, 100, 100});
        button.SetDisabled(false);
        // The page without a map: nothing to zoom out of.
        notebook.SetCurrentPage(1);
        EXPECT_TRUE(button.Disabled());
        notebook.SetCurrentPage(0);
        EXPECT_FALSE(button.Disabled());
        // Back at its fitted view the map has nothing to zoom out of either.
        zoomed->GraphWindow()->zoomStack.clear();
        notebook.SetCurrentPage(1);
        button.SetDisabled(false);
        notebook.SetCurrentPage(0);
        EXPECT_TRUE(button.Disabled());
        // A map made later, not zoomed, on the page shown only as text.
        ZafWindow *second = textOnly->CreateGraphWindow(1, &book);
        ASSERT_NE(second, nullptr);
        textOnly->AddGraphWindow(second, 1);
        zoomed->GraphWindow()->zoomStack.push_back(MapZoomEntry{2.0, 100, 100});
        notebook.SetCurrentPage(1);
        EXPECT_TRUE(button.Disabled());
        notebook.SetCurrentPage(0);
        EXPECT_FALSE(button.Disabled());
    }
    ProgramSettings::Instance()->CloseDataSet();
}
