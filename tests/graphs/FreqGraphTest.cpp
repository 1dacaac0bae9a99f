// The frequency bar and pie graphs on the committed data set golden/fruit
// (plain and weighted): element dumps against golden dumps, the colours they
// paint into a memory bitmap, a workbook page with a bar graph, and two
// guards (no valid category; the distribution's own frequencies untouched).
//
// With MERVALO_UPDATE_GOLDEN set the dumps are written instead of compared;
// a changed golden dump is reviewed like code. With MERVALO_FREQ_SHOT set to
// a ".bmp" path the pixels of a bar graph are saved there.
#include "GraphTestSupport.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/KATLABS.h"
#include "dataset/TextCatalog.h"
#include "graphs/ElementDump.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

// Variables of golden/fruit.desc.
enum FruitVariable : long { fruitVariable = 1, oneVariable = 2, manyVariable = 3, noneVariable = 4 };

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string GoldenPath(const std::string &name)
{
    return std::string(GRAPHS_GOLDEN_DIR) + "/" + name;
}

constexpr COLORREF barColour = RGB(50, 80, 130);
constexpr COLORREF plotColour = RGB(190, 200, 230);
constexpr COLORREF white = RGB(255, 255, 255);
// The fills of the first three series styles: the first three slices.
constexpr COLORREF sliceColours[] = {RGB(105, 108, 141), RGB(208, 133, 87), RGB(185, 160, 95)};

class FreqGraphTest : public graphtest::GraphTest
{
protected:
    static constexpr int width = 400, height = 300;

    static void SetUpTestSuite()
    {
        const std::string description = ReadFile(GoldenPath("fruit.desc"));
        const std::string values = ReadFile(GoldenPath("fruit.csv"));
        plain = Build(description, values, "freqgraph.QVF");
        weighted = Build(description + "weight w\n", values, "freqgraph_w.QVF");
    }
    static void TearDownTestSuite()
    {
        delete plain;
        delete weighted;
        plain = weighted = nullptr;
    }
    static DATASET *Build(const std::string &description, const std::string &values, const char *file)
    {
        DataSetBuilder builder;
        if (builder.ReadDescription(description) || builder.ReadCsv(values) || builder.Write(file))
            return nullptr;
        return OpenDataSet(file, nullptr, DATASET_READONLY);
    }

    void SetUp() override { ASSERT_TRUE(plain && weighted); }
    void TearDown() override
    {
        // The graph goes before its distribution and its record.
        if (window && zafWindowManager->Contains(window))
            zafWindowManager->CloseWindow(window);
        Pump();
        window = nullptr;
        shown = nullptr;
    }

    // The distribution of a variable of the data set, as the frequency table
    // counts it.
    static FREQOBJ *Count(long variable, bool isWeighted)
    {
        DATASET *set = isWeighted ? weighted : plain;
        LISTETYPE list(set, variable);
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, set));
        auto *distribution = new FREQOBJ(set);
        BuildFrequencyDistribution(&list, distribution, labels.get());
        return distribution;
    }

    // The graph in the test window at width x height pixels, laid out (which
    // builds it) and painted once into a bitmap.
    template <class Graph> Graph *Show(FREQOBJ *distribution, unsigned long word)
    {
        frequencies.reset(distribution);
        record.optionWord = word;
        auto *made = new Graph(distribution, &record);
        made->SetCoordinateType(ZAF_PIXEL);
        made->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        shown = Add(made);
        Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        Paint();
        return made;
    }
    using graphtest::GraphTest::Show;

    // Paints the shown graph into the bitmap as onto the screen.
    void Paint()
    {
        PatBlt(bitmap.dc, 0, 0, width, height, WHITENESS);
        SendMessageA(shown->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }

    // The dump of the shown graph against golden/<name>.dump.
    void ExpectGolden(const std::string &name)
    {
        const std::string dump = DumpElements(*shown);
        const std::string path = GoldenPath(name + ".dump");
        if (testsupport::UpdateGolden()) {
            std::ofstream(path, std::ios::binary) << dump;
            return;
        }
        EXPECT_EQ(dump, ReadFile(path)) << name;
    }

    // The pixel at a logical point of the shown graph.
    COLORREF At(int x, int y)
    {
        shown->ToDeviceUnits(x, y);
        return bitmap.At(x, y);
    }

    static DATASET *plain, *weighted;
    graphtest::EnglishTexts texts;
    FreqbarOption record; // the word of either graph
    std::unique_ptr<FREQOBJ> frequencies;
    GRAPHWIN *shown = nullptr;
    graphtest::Bitmap bitmap{width, height};
};

DATASET *FreqGraphTest::plain = nullptr;
DATASET *FreqGraphTest::weighted = nullptr;

// --- Golden dumps --------------------------------------------------------------------

struct GoldenCase
{
    const char *name;
    long variable;
    bool weighted;
    bool pie;
    unsigned long word;
};

// Numbers checked by hand from the layout formulas (400 x 300 pixels: a
// logical unit is 0.04 by 0.03 pixels):
// bars_fruit (valid percents 50, 30, 20; n = 3, bar share 48): band area
//   y 2060..7940, band 1960, gap 1019, thickness 940; centres 3040, 5000,
//   6960; bar starts 3511, 5471, 7431; axis 0..50 (step 10), X(v) = 1800 +
//   6401 v / 50: the Apple bar L(1800,2571,8201,3511) D(72,77,328,105); its
//   number inside at (8101, 3040) aligned 24 hex, the others 100 after
//   their ends at 5740 and 4460 aligned 21 hex; labels at (1600, centre).
// bars_fruit_weighted (frequencies 10, 9, 6 of 25; vertical, raw, caption,
//   ticks): band area x 1864..8136, band 2090, gap 1087, thickness 1003;
//   centres 2909, 4999, 7089; axis 0..10 (step 2), Y(v) = 8000 - 6001 v /
//   10: the Apple bar L(2407,1999,3410,8000), Pear top 2599, Plum top 4399;
//   numbers at Y(v) + 18; ticks from 8000 to 8100 with pen 3; the caption
//   at (5000, 250) in 18 bold, the heading at (5000, 850).
// bars_many (13 categories of 7.69 %, vertical): share 84; characters a
//   band 256 * 22 / 130 / 12 = 3, longest label 18: 5 label rows at 8200 +
//   (i mod 5) * 250.
// pie_fruit (50, 30, 20; legend): plot x 900..7300, centre (4100, 5000),
//   radius 3000 = 90 pixels: 2250 across, 3000 down; slices 0-180, 180-288,
//   288-360 degrees; numbers at the middle angles 90, 234, 324 at 3/4 of
//   the radius: (4100, 2750), (3109, 6820), (5465, 6322); legend from
//   (7450, 4460): swatch 15 pixels (375 x 500), gap 4 x 3 pixels (100 x
//   100), background height 1900, Apple's swatch lowest at y 5760.
// pie_fruit_weighted (40, 36, 24; labels on the pie, caption): plot x
//   1800..8200, centre (5000, 5000), no legend; labels at 1.1 radii.
const GoldenCase goldenCases[] = {
    {"bars_fruit", fruitVariable, false, false, 0x602},
    {"bars_fruit_weighted", fruitVariable, true, false, 0x602 | 0x080 | 0x008 | 0x100 | 0x001},
    {"bars_one_weighted", oneVariable, true, false, 0x602},
    {"bars_many", manyVariable, false, false, 0x602 | 0x080},
    {"pie_fruit", fruitVariable, false, true, 0x400},
    {"pie_fruit_weighted", fruitVariable, true, true, 0x400 | 0x004 | 0x100},
    {"pie_one", oneVariable, false, true, 0x400},
    {"pie_many_weighted", manyVariable, true, true, 0x400},
};

class FreqGraphGolden : public FreqGraphTest, public testing::WithParamInterface<GoldenCase>
{};

TEST_P(FreqGraphGolden, DumpMatchesTheGoldenDump)
{
    const GoldenCase &c = GetParam();
    FREQOBJ *distribution = Count(c.variable, c.weighted);
    if (c.pie)
        Show<FREQPIE>(distribution, c.word);
    else
        Show<FREQBAR>(distribution, c.word);
    ExpectGolden(c.name);
}

INSTANTIATE_TEST_SUITE_P(Committed, FreqGraphGolden, testing::ValuesIn(goldenCases),
                         [](const testing::TestParamInfo<GoldenCase> &info) { return std::string(info.param.name); });

// --- Layout figures ------------------------------------------------------------------

TEST(FreqBarShare, GrowsByFourPercentAPerCategoryBetweenTwoAndTwelve)
{
    const struct
    {
        int n, share;
    } cases[] = {{0, 44}, {1, 44}, {2, 44}, {3, 48}, {7, 64}, {12, 84}, {13, 84}, {100, 84}};
    for (const auto &c : cases)
        EXPECT_EQ(FREQBAR::ScaleByCategoryCount(c.n, 1), c.share) << c.n;
    // With b above n the first factor shrinks: 40 / (5 + 10) * (2 + 7 - 2) + 40.
    EXPECT_EQ(FREQBAR::ScaleByCategoryCount(2, 7), 59);
}

TEST_F(FreqGraphTest, TwoCategoriesTakeOneLabelRowAndShareFortyFour)
{
    auto *distribution = Count(manyVariable, false);
    // Two shown categories with labels far longer than their band.
    for (long i = 2; i < distribution->categoryCount; ++i)
        distribution->categories[i].missing = 9;
    std::strcpy(distribution->categories[0].label, "A category label much longer than its band is wide");
    FREQBAR *bars = Show<FREQBAR>(distribution, 0x602 | 0x080);
    EXPECT_EQ(bars->FillShare(), 44);
    EXPECT_EQ(bars->LabelRows(), 1);
    EXPECT_EQ(bars->ShownCategories().size(), 2u);
}

// --- Pixels --------------------------------------------------------------------------

TEST_F(FreqGraphTest, BarsAndPlotPaintTheirColours)
{
    FREQBAR *bars = Show<FREQBAR>(Count(fruitVariable, false), 0x702);
    if (const char *shot = std::getenv("MERVALO_FREQ_SHOT")) {
        EXPECT_TRUE(bitmap.Save(shot));
    }
    // Inside each bar (at its middle, left of its number); between two grid
    // lines right of the shortest bar; outside the plot.
    EXPECT_EQ(At(3000, 3040), barColour);
    EXPECT_EQ(At(3000, 5000), barColour);
    EXPECT_EQ(At(3000, 6960), barColour);
    EXPECT_EQ(At(7500, 6960), plotColour);
    EXPECT_EQ(At(9500, 5000), white);
    EXPECT_EQ(bars->AxisMaximum(), 50.0);
}

TEST_F(FreqGraphTest, SlicesAndSwatchesPaintTheSeriesColours)
{
    FREQPIE *pie = Show<FREQPIE>(Count(fruitVariable, false), 0x400);
    // Half a radius out along each slice's middle angle (90, 234, 324
    // degrees), clear of the numbers at three quarters.
    const double middles[] = {90, 234, 324};
    for (int k = 0; k < 3; ++k) {
        const double a = middles[k] * 3.141592653589793 / 180.0;
        const int x = pie->CentreX() + static_cast<int>(std::cos(a) * 2250 / 2);
        const int y = pie->CentreY() - static_cast<int>(std::sin(a) * 3000 / 2);
        EXPECT_EQ(At(x, y), sliceColours[k]) << k;
    }
    // The legend's swatches, the first category lowest (swatch 375 x 500
    // from x 7570, rows 600 apart from y 4560).
    EXPECT_EQ(At(7570 + 187, 5760 + 250), sliceColours[0]);
    EXPECT_EQ(At(7570 + 187, 5160 + 250), sliceColours[1]);
    EXPECT_EQ(At(7570 + 187, 4560 + 250), sliceColours[2]);
}

TEST_F(FreqGraphTest, OneCategoryMakesAFullCircle)
{
    FREQPIE *pie = Show<FREQPIE>(Count(oneVariable, false), 0x400);
    const std::string dump = DumpElements(*shown);
    EXPECT_NE(dump.find("from 0.00 to 360.00"), std::string::npos) << dump;
    // Every direction between the eight winds, 0.4 radius out (the number
    // stands at 0.75 to the left; the slice's one radius line, drawn by GDI
    // from the centre to 0 degrees, lies on a wind).
    for (int degrees = 22; degrees < 360; degrees += 45) {
        const double a = degrees * 3.141592653589793 / 180.0;
        const int x = pie->CentreX() + static_cast<int>(std::cos(a) * 2250 * 0.4);
        const int y = pie->CentreY() - static_cast<int>(std::sin(a) * 3000 * 0.4);
        EXPECT_EQ(At(x, y), sliceColours[0]) << degrees;
    }
    // Just outside the circle is white.
    EXPECT_EQ(At(pie->CentreX() + 2400, pie->CentreY()), white);
}

TEST_F(FreqGraphTest, MultipleAnswersMakeANoteInsteadOfAPie)
{
    auto *distribution = Count(fruitVariable, false);
    for (long i = 0; i < distribution->categoryCount; ++i)
        if (!distribution->categories[i].missing)
            distribution->categories[i].validPercent = 60.0; // 180 % in all
    Show<FREQPIE>(distribution, 0x400);
    const std::string dump = DumpElements(*shown);
    EXPECT_EQ(dump.find("pie "), std::string::npos) << dump;
    EXPECT_NE(dump.find(StatText(FREQPIE::noPieText, 12)), std::string::npos) << dump;
    // No heading, no legend: the main group alone.
    ASSERT_EQ(shown->Elements().Count(), 1);
    EXPECT_EQ(shown->Elements().At(0)->kind, element::kindGroup);
}

// --- Guards -------------------------------------------------------------------------

// The label rows and the band width divide by the number of shown
// categories, 0 here: nothing is divided, and the graph keeps its caption
// and heading.
void ExpectTitleAlone(const FREQGRAPH &graph, const char *caption, const graphtest::Bitmap &bitmap)
{
    EXPECT_TRUE(graph.ShownCategories().empty());
    const GROBJ_LIST &items = graph.Elements();
    // The caption, the variable's heading and the empty main group.
    ASSERT_EQ(items.Count(), 3) << DumpElements(graph);
    EXPECT_STREQ(static_cast<TEKSTELEMENT *>(items.At(0))->Text(), caption);
    EXPECT_EQ(items.At(1)->kind, element::kindText);
    EXPECT_EQ(static_cast<GROUPELEMENT *>(items.At(2))->Children().Count(), 0);
    // It draws: the caption's black pixels stand on white at the top.
    bool inked = false;
    for (int x = 0; x < bitmap.width && !inked; ++x)
        for (int y = 0; y < 40 && !inked; ++y)
            inked = bitmap.At(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(inked);
}

TEST_F(FreqGraphTest, NoValidCategoryDrawsBarGraphTitleAlone)
{
    Show<FREQBAR>(Count(noneVariable, true), 0x702);
    ExpectTitleAlone(*static_cast<FREQGRAPH *>(shown), StatText(FREQBAR::captionText, 5), bitmap);
}

TEST_F(FreqGraphTest, NoValidCategoryDrawsPieTitleAlone)
{
    Show<FREQPIE>(Count(noneVariable, false), 0x500);
    ExpectTitleAlone(*static_cast<FREQGRAPH *>(shown), StatText(FREQPIE::captionText, 5), bitmap);
}

TEST_F(FreqGraphTest, GraphCountsOnItsOwnCopyOfTheFrequencies)
{
    // Frequencies 0 with counts: the bars take the counts; the
    // distribution, which the table text writes, keeps its figures.
    auto *distribution = new FREQOBJ(plain);
    FreqCategory records[3] = {};
    std::strcpy(records[0].label, "Yes");
    records[0].count = 3;
    records[0].validPercent = 37.5;
    std::strcpy(records[1].label, "No");
    records[1].count = 5;
    records[1].validPercent = 62.5;
    std::strcpy(records[2].label, "Missing");
    records[2].count = 2;
    records[2].validPercent = -1.0;
    records[2].missing = 9;
    distribution->SetCategories(records, 3);
    distribution->AppendCategory("v1: Yes or no");

    FREQBAR *bars = Show<FREQBAR>(distribution, 0x602 | 0x008);
    ASSERT_EQ(bars->ShownCategories().size(), 2u);
    EXPECT_EQ(bars->ShownCategories()[0].frequency, 3.0);
    EXPECT_EQ(bars->ShownCategories()[1].frequency, 5.0);
    EXPECT_NE(DumpElements(*shown).find("\"5.0\""), std::string::npos);
    bars->Rebuild();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(&distribution->categories[i], &records[i], sizeof records[i]), 0) << i;
    EXPECT_EQ(bars->ShownCategories()[1].frequency, 5.0);
}

// --- Options and rebuilds ------------------------------------------------------------

TEST_F(FreqGraphTest, ARebuildTakesTheRecordsNewWord)
{
    FREQBAR *bars = Show<FREQBAR>(Count(fruitVariable, false), 0x602);
    EXPECT_NE(DumpElements(*shown).find("HORISONTAL SKALA"), std::string::npos);
    record.optionWord = 0x602 | 0x080;
    bars->Rebuild();
    const std::string dump = DumpElements(*shown);
    EXPECT_NE(dump.find("VERTIKAL SKALA"), std::string::npos) << dump;
    EXPECT_EQ(bars->OptionWord(), 0x682u);
}

} // namespace
