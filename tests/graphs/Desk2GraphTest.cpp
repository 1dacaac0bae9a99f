// The breakdown graphs on a small survey of three groups (x by g: 2 and 4,
// 6 and 8, 5 alone): key coordinates worked out by hand for each kind,
// horizontal and vertical, the label rows, the zero spans.
//
// In a window the plot is laid out from the measured texts
// (GraphTextBands); the figures follow from the plot the graph reports.
// Horizontal: the element area is the plot less (H + 1) / 100 at top and
// bottom (E its height). Three groups: width 40 + 4 x 2 = 48 %, gap 52 %;
// slot E / 3, centres top + slot (i + 1) - slot / 2; gap 52 E / 300,
// thickness 48 slot / 100; start top + slot (i + 1) - gap / 2 (figures span
// start - thickness .. start).
// Values: V(v) = floor(left + (right - left + 1) (v - lower) / (upper - lower)).
#include "GraphTestSupport.h"

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "graphs/Desk2Graph.h"
#include "graphs/Desk2grafOption.h"
#include "graphs/ElementDump.h"
#include "graphs/GROUPELEMENT.h"
#include "stats/OnewayObj.h"

#include <array>
#include <cmath>
#include <memory>

namespace {

using Rect = std::array<int, 4>;

const char description[] = "categories groups\n"
                           "value 1 = The first group with a long label of forty\n"
                           "value 2 = Second\n"
                           "value 3 = Third\n"
                           "variable x\ntype double\ndecimals 1\n"
                           "variable g\ntype u8\nwidth 1\nlabels groups\n"
                           "variable c\ntype double\n";
const char csv[] = "x,g,c\n2,1,3\n4,1,3\n6,2,3\n8,2,3\n5,3,3\n";

class Desk2GraphTest : public graphtest::GraphTest
{
protected:
    static void SetUpTestSuite()
    {
        DataSetBuilder builder;
        if (!builder.ReadDescription(description) && !builder.ReadCsv(csv) && !builder.Write("desk2.QVF"))
            set = OpenDataSet("desk2.QVF", nullptr, DATASET_READONLY);
    }
    static void TearDownTestSuite() { delete set, set = nullptr; }
    void SetUp() override
    {
        ASSERT_TRUE(set);
        computation = std::make_unique<OnewayObj>(1, 2, set);
        ASSERT_TRUE(computation->Compute());
    }
    void TearDown() override
    {
        if (shown && zafWindowManager->Contains(shown))
            zafWindowManager->CloseWindow(shown);
        Pump();
        shown = nullptr;
    }
    Desk2Graph *Show(int kind, unsigned long mask)
    {
        option.graphMask = static_cast<long>(mask);
        shown = static_cast<Desk2Graph *>(Add(CreateDesk2Graph(computation.get(), kind, &option)));
        shown->SetCoordinateType(ZAF_PIXEL);
        shown->SetRegion(ZafRegionRect(0, 0, 399, 299, ZAF_PIXEL));
        GraphTest::Show();
        shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        return shown;
    }
    const GROBJ_LIST &Parts() const { return static_cast<GROUPELEMENT *>(shown->Elements().Last())->Children(); }
    Rect Place(int part) const
    {
        const ElementRect &r = Parts().At(part)->logical;
        return Rect{r.left, r.top, r.right, r.bottom};
    }

    static DATASET *set;
    graphtest::EnglishTexts texts;
    std::unique_ptr<OnewayObj> computation;
    Desk2grafBarOption option;
    Desk2Graph *shown = nullptr;
};

DATASET *Desk2GraphTest::set = nullptr;

TEST_F(Desk2GraphTest, BarsRunFromTheReferenceToTheGroupMeans)
{
    // Default: the total mean 5 as reference; means 3, 7, 5 give 3..7.
    Show(0, 0x241);
    ASSERT_EQ(3.0, shown->Lower());
    ASSERT_EQ(7.0, shown->Upper());
    EXPECT_EQ(48, shown->WidthPercentage());
    const ElementRect plot = shown->PlotArea(), area = shown->ElementArea();
    const int m = (plot.bottom - plot.top + 1) / 100;
    EXPECT_EQ(plot.top + m, area.top);
    EXPECT_EQ(plot.bottom - m, area.bottom);
    const int e = area.Height(), slot = e / 3, gap = 52 * e / 300, thickness = 48 * slot / 100;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(area.top + slot * (i + 1) - slot / 2, shown->SlotCentre(i)) << i;
    EXPECT_EQ(thickness, shown->ElementThickness());
    const auto start = [&](int i) { return area.top + slot * (i + 1) - gap / 2; };
    const auto value = [&](double v) {
        return static_cast<int>(std::floor(plot.left + (plot.right - plot.left + 1) * (v - 3.0) / 4.0));
    };
    // Background, axis, reference line at V(5), then bar and label of each
    // group.
    ASSERT_EQ(9, Parts().Count());
    EXPECT_EQ(Place(2), (Rect{value(5), plot.bottom, value(5), plot.top})); // from the plot bottom up
    EXPECT_EQ(Place(3), (Rect{value(3), start(0) - thickness, value(5), start(0)}));
    EXPECT_EQ(Place(5), (Rect{value(5), start(1) - thickness, value(7), start(1)}));
    EXPECT_EQ(Place(7), (Rect{value(5), start(2) - thickness, value(5), start(2)})); // the mean is the reference
    // Labels end left of the plot, each across its slot's centre.
    EXPECT_LT(Place(4)[2], plot.left);
    const RECT label = static_cast<TEKSTELEMENT *>(Parts().At(4))->DrawnRect();
    int unused = 0, centre = shown->SlotCentre(0);
    shown->ToDeviceUnits(unused, centre);
    EXPECT_TRUE(label.top <= centre && centre <= label.bottom) << label.top << ".." << label.bottom << " " << centre;
    // Without the origin bar the bars start at 0 and the range takes it in;
    // with the numbers a label per bar.
    Show(0, 0x201 | 0x400);
    EXPECT_EQ(0.0, shown->Lower());
    EXPECT_EQ(12, Parts().Count());
    EXPECT_EQ(Place(2)[0], shown->PlotArea().left);
}

TEST_F(Desk2GraphTest, VerticalGraphsStepTheirLabelsInRows)
{
    // The first label has 40 characters: 40 / (110 / 3) + 1 = 2 rows.
    // Vertical: the element area is the plot less (W + 1) / 100 at both
    // ends (slot E / 3, centres left + slot i + slot / 2); the labels stand
    // under the plot in rows 0, 1, 0, a row at least a line of the
    // 12-pixel font and 2 pixels more apart (14 x 10000 / 300 = 466 at the
    // window's 300 pixels), more than the 250 that would put the rows on
    // each other.
    Show(2, 0x281);
    EXPECT_FALSE(shown->Horizontal());
    EXPECT_EQ(2, shown->LabelRows());
    const ElementRect area = shown->ElementArea();
    const int slot = area.Width() / 3;
    EXPECT_EQ(area.left + slot + slot / 2, shown->SlotCentre(1));
    // Confidence intervals: groups 1 and 2 a circle, two cross bars and the
    // 99 % line, then the label; group 3 (one case) its circle alone.
    ASSERT_EQ(2 + 5 + 5 + 2, Parts().Count());
    EXPECT_GT(Place(6)[1], shown->PlotArea().bottom);
    EXPECT_GE(Place(11)[1] - Place(6)[1], 466);
    EXPECT_EQ(Place(13)[1], Place(6)[1]);
    const Rect circle = Place(12);
    EXPECT_EQ(circle[0] + 100, shown->SlotCentre(2));
    EXPECT_EQ(circle[1] + 100, shown->ValueToCoordinate(5.0));
}

TEST_F(Desk2GraphTest, BoxesAndBarCodesFillTheirSlots)
{
    Show(1, 0x243);
    // The first group's slot holds the six parts of its box.
    const int start = shown->ElementStart(0), from = start - shown->ElementThickness();
    int boxes = 0;
    for (int i = 0; i < Parts().Count(); ++i)
        boxes += Parts().At(i)->logical.top >= from && Parts().At(i)->logical.bottom <= start ? 1 : 0;
    EXPECT_GE(boxes, 6);
    Show(3, 0x241);
    ASSERT_EQ(2 + 3 * 2, Parts().Count());
    // Horizontal: the element area is the plot area along the values.
    const ElementRect area = shown->ElementArea();
    EXPECT_EQ(Place(2), (Rect{area.left, shown->ElementStart(0) - shown->ElementThickness(), area.right,
                              shown->ElementStart(0)}));
}

TEST_F(Desk2GraphTest, ZeroSpansMapEveryValueToTheAxisStart)
{
    computation = std::make_unique<OnewayObj>(3, 2, set); // c is 3 everywhere
    ASSERT_TRUE(computation->Compute());
    for (int kind = 0; kind < 4; ++kind) {
        Show(kind, 0x243);
        EXPECT_EQ(std::string::npos, DumpElements(*shown).find("-2147483648")) << kind;
    }
    EXPECT_EQ(nullptr, CreateDesk2Graph(computation.get(), 4, &option));
}

TEST_F(Desk2GraphTest, EveryGroupsMeanStandsOnTheConfidenceAxis)
{
    // Group 1: 5 and 5.1, its 99 % interval 5.05 -/+ 3.18; group 2: 20
    // alone, no interval. The range reaches the second group's mean, so its
    // circle stands on the axis, inside the plot area.
    DataSetBuilder builder;
    ASSERT_FALSE(builder.ReadDescription("variable x\ntype double\ndecimals 1\nvariable g\ntype u8\nwidth 1\n"));
    ASSERT_FALSE(builder.ReadCsv("x,g\n5,1\n5.1,1\n20,2\n"));
    ASSERT_FALSE(builder.Write("desk2single.QVF"));
    std::unique_ptr<DATASET> single(OpenDataSet("desk2single.QVF", nullptr, DATASET_READONLY));
    ASSERT_TRUE(single);
    computation = std::make_unique<OnewayObj>(1, 2, single.get());
    ASSERT_TRUE(computation->Compute());
    Show(2, 0x241);
    EXPECT_LE(shown->Lower(), 1.87);
    EXPECT_GE(shown->Upper(), 20.0);
    // Background, axis, group 1 (circle, two cross bars, the line, label),
    // group 2 (circle, label).
    ASSERT_EQ(2 + 5 + 2, Parts().Count());
    const Rect circle = Place(7);
    EXPECT_EQ(circle[0] + 100, shown->ValueToCoordinate(20.0));
    // The plot area as laid out in the window (measured texts).
    EXPECT_GE(circle[0] + 100, shown->PlotArea().left);
    EXPECT_LE(circle[0] + 100, shown->PlotArea().right + 1);
    TearDown();
    computation.reset();
}

} // namespace
