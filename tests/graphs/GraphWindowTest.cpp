// The graph window and its elements: building, device rectangles, the
// element dump, rebuilds (GDI objects, user texts), zero spans and the grid.
#include "GraphTestSupport.h"

#include "graphs/BARCODEELEMENT.h"
#include "graphs/ElementDump.h"
#include "graphs/GraphSettings.h"

#include <cmath>

namespace {

using graphtest::GraphTest;
using graphtest::TestGraph;

std::vector<const TEKSTELEMENT *> Texts(const GRAPHWIN &graph)
{
    std::vector<const TEKSTELEMENT *> texts;
    for (const element *item : graph.Elements())
        if (auto *text = dynamic_cast<const TEKSTELEMENT *>(item))
            texts.push_back(text);
    return texts;
}

TEST_F(GraphTest, BuildsOnceAndPlacesElementsOnTheView)
{
    ShowGraph();
    EXPECT_EQ(graph->builds, 1);
    EXPECT_TRUE(graph->Built());
    EXPECT_EQ(graph->View().right, TestGraph::width - 1);
    EXPECT_EQ(graph->View().bottom, TestGraph::height - 1);
    const std::string dump = DumpElements(*graph);
    // 400 x 300 pixels: a logical unit is 0.04 by 0.03 pixels.
    EXPECT_NE(dump.find("box L(1000,2000,5000,7000) D(40,60,200,210) pen 1 line 000000/0 fill C82828/90\n"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("line L(6000,3000,9000,3000) D(240,90,360,90) pen 2 line 000080/30 fill 28A03C/170 "
                        "dash 500/250\n"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("group L(200,7500,1300,8500)"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n  box L(800,8000,1300,8500) D(32,240,52,255)"), std::string::npos) << dump;
    // A text grows up and to the right from its anchor once measured.
    ASSERT_FALSE(Texts(*graph).empty());
    const TEKSTELEMENT *title = Texts(*graph)[0];
    EXPECT_STREQ(title->Text(), "Title");
    EXPECT_EQ(title->logical.left, 1000);
    EXPECT_EQ(title->logical.bottom, 1500);
    EXPECT_GT(title->logical.right, 1000);
    EXPECT_LT(title->logical.top, 1500);
    EXPECT_EQ(title->device.left, 40);
    EXPECT_EQ(title->device.bottom, 45);
}

TEST_F(GraphTest, AnElementOfNoPlaceCoversTheViewAtEveryDraw)
{
    ShowGraph();
    auto *cover = new BOXELEMENT(0, 0, 0, 0, &graph->box);
    graph->AddElement(cover);
    graph->Rebuild();
    graph->AddElement(cover = new BOXELEMENT(0, 0, 0, 0, &graph->box));
    graphtest::Bitmap screen(TestGraph::width, TestGraph::height);
    PaintInto(screen);
    EXPECT_EQ(cover->device.right, TestGraph::width - 1);
    EXPECT_EQ(cover->device.bottom, TestGraph::height - 1);
    EXPECT_TRUE(cover->HasFlag(element::flagStale));
}

int GdiObjects()
{
    return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

TEST_F(GraphTest, ThousandRebuildsLeaveNoGdiObjectBehind)
{
    ShowGraph();
    graph->Rebuild();
    Pump();
    graphtest::Bitmap screen(TestGraph::width, TestGraph::height);
    PaintInto(screen);
    const int before = GdiObjects();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 1000; ++i) {
        graph->Rebuild();
        Pump();
        PaintInto(screen);
        if (i % 100 == 0)
            brushes.push_back(graph->CurrentDrawStyle()->brush);
    }
    const int after = GdiObjects();
    // Each build's style brush is deleted by the next build, not leaked.
    for (std::size_t i = 0; i + 1 < brushes.size(); ++i) {
        if (brushes[i] != graph->CurrentDrawStyle()->brush) {
            EXPECT_EQ(GetObjectType(brushes[i]), 0u) << "brush of rebuild " << i * 100;
        }
    }
    Window()->SubtractObject(graph);
    delete graph;
    graph = nullptr;
    Pump();
    const int deleted = GdiObjects();
    // Wine answers 0 for the count; Windows counts the process's objects.
    if (before == 0)
        GTEST_SKIP() << "GetGuiResources counts no GDI objects here (Wine)";
    EXPECT_LE(after, before);
    EXPECT_LE(deleted, before);
}

struct UserTextCase
{
    const char *name;
    bool title, subtitleFirst;
    int texts; // after the rebuild
};

class UserTextTest : public GraphTest, public testing::WithParamInterface<UserTextCase>
{};

TEST_P(UserTextTest, AnEditedTitleReplacesOnlyTheRebuiltTitle)
{
    ShowGraph();
    const int boxes = graph->Elements().Count() - 2;
    ASSERT_FALSE(Texts(*graph).empty());
    auto *title = const_cast<TEKSTELEMENT *>(Texts(*graph)[0]);
    ASSERT_STREQ(title->Text(), "Title");
    title->SetText("Edited");
    graph->AddUserText(title);
    graph->title = GetParam().title;
    graph->subtitleFirst = GetParam().subtitleFirst;
    graph->Rebuild();
    Pump();
    std::vector<std::string> texts;
    for (const TEKSTELEMENT *text : Texts(*graph))
        texts.emplace_back(text->Text());
    EXPECT_EQ(static_cast<int>(texts.size()), GetParam().texts);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Edited"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Subtitle"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Title"), 0);
    EXPECT_EQ(graph->Elements().Count() - static_cast<int>(texts.size()), boxes) << "no shape was replaced";
}

INSTANTIATE_TEST_SUITE_P(Rebuilds, UserTextTest,
                         testing::Values(UserTextCase{"SameOrder", true, false, 2},
                                         UserTextCase{"SubtitleFirst", true, true, 2},
                                         UserTextCase{"TitleSwitchedOff", false, false, 2}),
                         [](const testing::TestParamInfo<UserTextCase> &info) { return info.param.name; });

TEST(GROUPELEMENT, ScalingByTwoDoublesTheChildrensDistances)
{
    DrawStyle style;
    GROUPELEMENT group;
    auto *first = new BOXELEMENT(1000, 1000, 1000, 1000, &style);
    auto *second = new BOXELEMENT(3000, 3000, 1000, 1000, &style);
    group.AddElement(first);
    group.AddElement(second);
    // A view of 10000 pixels: device and logical units agree.
    group.device = group.logical;
    first->device = first->logical;
    second->device = second->logical;
    group.SetEnd(2.0, 2.0);
    EXPECT_EQ(group.device.right, 1000 + 2 * 3001 - 1);
    EXPECT_EQ(first->device.left, 1000);
    EXPECT_NEAR(second->device.left - 1000, 4000, 1);
    EXPECT_NEAR(second->device.top - 1000, 4000, 1);
    EXPECT_EQ(second->device.right - second->device.left, 2 * 1001 - 1);
}

TEST(GROUPELEMENT, ScalesAGroupOfNoWidthOrHeight)
{
    DrawStyle style;
    GROUPELEMENT group;
    auto *upper = new LINEELEMENT(5000, 1000, 5000, 1000, 1, &style);
    auto *lower = new LINEELEMENT(5000, 1000, 5000, 1000, 1, &style);
    group.AddElement(upper);
    group.AddElement(lower);
    group.device = ElementRect{50, 10, 50, 10, 0};
    upper->device = lower->device = group.device;
    // Both spans are divided by, so both are guarded (an unguarded zero
    // width would cast NaN to int).
    group.SetEnd(2.0, 2.0);
    EXPECT_EQ(upper->device.left, 50);
    EXPECT_EQ(lower->device.top, 10);
    group.SetSize(0, 0);
    EXPECT_EQ(lower->device.left, 50);
}

TEST(BARCODEELEMENT, PlacesNoCaseByAZeroRange)
{
    for (double value : {4.0, 5.0, 6.0}) {
        BARCODEELEMENT constant(nullptr, 1, 0, 0, 0, 1000, 100, 5.0, 5.0);
        EXPECT_EQ(constant.Position(value), 0.0) << value;
    }
    BARCODEELEMENT strip(nullptr, 1, 0, 0, 0, 1000, 100, 0.0, 10.0);
    EXPECT_FALSE(strip.Vertical());
    EXPECT_DOUBLE_EQ(strip.Position(2.5), 0.25);
    EXPECT_TRUE(BARCODEELEMENT(nullptr, 1, 0, 0, 0, 100, 1000, 0.0, 1.0).Vertical());
}

struct GridCase
{
    long stored;
    int used;
};

class GridSizeTest : public GraphTest, public testing::WithParamInterface<GridCase>
{};

TEST_P(GridSizeTest, IsKeptWithinItsRange)
{
    Set("GridSize", static_cast<unsigned long>(GetParam().stored));
    EXPECT_EQ(GraphSettings::GridSize(), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Stored, GridSizeTest,
                         testing::Values(GridCase{10, 10}, GridCase{0, 2}, GridCase{-5, 2}, GridCase{1000, 1000},
                                         GridCase{100000, 1000}));

TEST_F(GraphTest, AZeroGridSizeStillEndsTheDraw)
{
    Set("ShowGrid", 1);
    Set("GridSize", 0);
    ShowGraph();
    SendRedisplay(graph);
    Pump();
    EXPECT_EQ(graph->builds, 1);
}

} // namespace
