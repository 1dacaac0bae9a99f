// The map graph's drawing in pixels on the sample survey's map: the map
// element's place, the fills of the classes in colour and grey, the bars and
// circles, regions without an anchor, symbols of a maximum of 0 or less and
// the deepest zoom.
//
// Hand derivation of the places (samples/survey.map): the map's box is x
// 1478 .. 8543, y 64 .. 9300, so after normalising it is 7065 x 9236 units.
// In the 400 x 300 test pane with margins 20 the scale is
// min(360 / 7066, 260 / 9237) = 0.0281477; a point (x, y) of the file lies
// at pixel (trunc((x - 1478) s + 20), trunc((9300 - y) s + 20)):
//   box 20, 20, 218, 279; region 1's anchor (3471, 8547) at 76, 41;
//   region 8's (3390, 5793) at 73, 118; region 12's (7870, 6334) at 199, 103;
//   region 20's (5111, 1416) at 122, 241; the lake's middle (5570, 4300) at 135, 160.
#include "graphs/maps/MapGraphWindow.h"

#include "GraphTestSupport.h"
#include "MapTestSupport.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "graphs/ElementDump.h"
#include "graphs/GraphSettings.h"
#include "graphs/maps/MapKey.h"
#include "shell/QIVprog.h"
#include "zaf/controls/ZafButton.h"

#include <cmath>
#include <limits>
#include <memory>
#include <set>

namespace {

COLORREF FillOf(const MapColourEntry &c, bool grey)
{
    return grey ? RGB(c.fillGrey, c.fillGrey, c.fillGrey) : RGB(c.fillR, c.fillG, c.fillB);
}

// Region code, hand-derived pixel x and y of its anchor.
const int anchors[][3] = {{1, 76, 41}, {8, 73, 118}, {12, 199, 103}, {20, 122, 241}};

class MapDraw : public graphtest::GraphTest
{
protected:
    MapDraw()
    {
        dataSet.reset(OpenDataSet((std::string(GRAPH_TEST_BIN_DIR) + "/samples/survey.QVF").c_str()));
        EXPECT_TRUE(dataSet && dataSet->mapFileFlag);
        if (!dataSet)
            return;
        FileByteStream file(dataSet->SiblingName(".KRT").c_str());
        EXPECT_EQ(MapFile::ReadDirectory(file, dataSet->GetCodePage() != 0, &dataSet->mapDirectory), MAPERR_NONE);
        mapGraph = std::make_unique<MapGraph>(dataSet.get(), 0, dataSet->FindVariable("income"), &settings);
        EXPECT_EQ(mapGraph->LoadMap(), MAPERR_NONE);
        EXPECT_EQ(mapGraph->AssignRegionValues(), MapGraph::valuesAssigned);
    }
    // The map window in the test window, built and painted into the bitmap.
    MapGraphWindow *Paint(int mode, graphtest::Bitmap &screen)
    {
        if (!window) {
            window = Add(new MapGraphWindow(mapGraph.get(), &settings, mode));
            window->SetRegion(ZafRegionRect(0, 0, graphtest::TestGraph::width - 1, graphtest::TestGraph::height - 1,
                                            ZAF_PIXEL));
            Show();
            window->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
            Pump();
        }
        window->SetDisplayMode(mode);
        SendMessageA(window->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(screen.dc), PRF_CLIENT);
        return window;
    }
    int RegionClass(long code) const
    {
        return MapClasses::ClassOf(mapGraph->regions.Find(code)->value, settings.bounds);
    }

    graphtest::EnglishTexts texts;
    std::unique_ptr<DATASET> dataSet;
    MapClassSettings settings;
    std::unique_ptr<MapGraph> mapGraph;
    MapGraphWindow *window = nullptr;
};

} // namespace

TEST(MapSymbols, SizesAndTheirGuards)
{
    EXPECT_EQ(MapSymbols::BarLength(80, 80, 30), 30);
    EXPECT_EQ(MapSymbols::BarLength(-20, 80, 30), 7); // 20 x 30 / 80 = 7.5
    EXPECT_EQ(MapSymbols::CircleRadius(80, 80, 20), 20);
    EXPECT_EQ(MapSymbols::CircleRadius(20, 80, 20), 10); // sqrt(400 / 80 x 20)
    // No positive maximum, or values that are not numbers: no symbol.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double maximum : {0.0, -5.0, nan}) {
        EXPECT_EQ(MapSymbols::BarLength(-3, maximum, 30), 0) << maximum;
        EXPECT_EQ(MapSymbols::CircleRadius(-3, maximum, 20), 0) << maximum;
    }
    EXPECT_EQ(MapSymbols::BarLength(1e300, 1e-300, 30), MapGraphWindow::pixelLimit);
}

TEST_F(MapDraw, ClassFillsInColourAndGreyAndTheMapElement)
{
    ASSERT_TRUE(mapGraph);
    for (bool grey : {false, true}) {
        Set("UseGrayscale", grey ? 1 : 0);
        graphtest::Bitmap screen(graphtest::TestGraph::width, graphtest::TestGraph::height);
        Paint(MapClassSettings::choropleth, screen);
        ASSERT_NE(window->Legend(), nullptr);
        EXPECT_NE(DumpElements(*window).find("D(20,20,218,279)"), std::string::npos) << DumpElements(*window);
        EXPECT_NEAR(window->scale, 0.0281477, 1e-7);
        std::set<int> classes;
        for (const auto &a : anchors) {
            const int k = RegionClass(a[0]);
            classes.insert(k);
            EXPECT_EQ(screen.At(a[1], a[2]), FillOf(settings.colours[k], grey)) << a[0] << " grey " << grey;
        }
        // The lowest and the highest class at least are on the map.
        EXPECT_TRUE(classes.count(0) && classes.count(mapGraph->classCount - 1));
        // The lake lies over the regions in the background colour, as does
        // the pane outside the map.
        EXPECT_EQ(screen.At(135, 160), FillOf(MapClasses::BackgroundColour(), grey));
        EXPECT_EQ(screen.At(390, 10), FillOf(MapClasses::BackgroundColour(), grey));
    }
}

// A part inside another part of the same region is a hole: painted in what
// lies below it (here the pane's background) and identified as no region,
// while the ring around it is painted and identified as the region.
TEST_F(MapDraw, APartInsideAnotherPartIsAHoleForPaintAndIdentifyAlike)
{
    ASSERT_TRUE(mapGraph);
    MemoryByteStream file(MapTest::MapBytes({{12, 4, {0, 0, 300, 0, 300, 300, 0, 300}},
                                             {12, 4, {100, 100, 200, 100, 200, 200, 100, 200}}}));
    MapDirectory directory;
    ASSERT_EQ(MapFile::ReadDirectory(file, true, &directory), MAPERR_NONE);
    mapGraph = std::make_unique<MapGraph>(dataSet.get(), 0, dataSet->FindVariable("income"), &settings);
    const int loaded = mapGraph->LoadMap(file, directory);
    delete[] directory.entries;
    ASSERT_EQ(loaded, MAPERR_NONE);
    ASSERT_EQ(mapGraph->AssignRegionValues(), MapGraph::valuesAssigned);
    ASSERT_EQ(mapGraph->regions.Find(12)->partCount, 2);

    graphtest::Bitmap screen(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::choropleth, screen);
    const MapColourEntry &colour = mapGraph->regions.Find(12)->colour;
    const int hole[2] = {window->PixelX(150), window->PixelY(150)};
    const int ring[2] = {window->PixelX(50), window->PixelY(150)};
    EXPECT_EQ(screen.At(hole[0], hole[1]), FillOf(MapClasses::BackgroundColour(), false));
    EXPECT_EQ(window->RegionAt(hole[0], hole[1]), nullptr);
    EXPECT_EQ(screen.At(ring[0], ring[1]), FillOf(colour, false));
    ASSERT_NE(window->RegionAt(ring[0], ring[1]), nullptr);
    EXPECT_EQ(window->RegionAt(ring[0], ring[1])->code, 12);
}

TEST_F(MapDraw, BarsAndCirclesAtTheAnchors)
{
    ASSERT_TRUE(mapGraph);
    graphtest::Bitmap bars(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::bars, bars);
    const COLORREF symbol = FillOf(MapClasses::PositiveSymbolColour(), false);
    long highest = 0;
    for (const auto &entry : mapGraph->regions)
        if (!highest || entry.second.value > mapGraph->regions.Find(highest)->value)
            highest = entry.first;
    // The bar of the largest value is exactly 30 pixels high: its outline
    // is the row 30 pixels above the anchor.
    const MapRegion &top = *mapGraph->regions.Find(highest);
    EXPECT_EQ(top.value, mapGraph->maximum);
    const int x = window->PixelX(top.pointX), y = window->PixelY(top.pointY);
    EXPECT_EQ(bars.At(x, y - 29), symbol);
    EXPECT_EQ(bars.At(x, y - 30), RGB(0, 0, 0));
    EXPECT_NE(bars.At(x, y - 31), symbol);
    graphtest::Bitmap circles(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::circles, circles);
    for (const auto &a : anchors)
        EXPECT_EQ(circles.At(a[1], a[2]), symbol) << a[0];
    EXPECT_EQ(circles.At(x + 19, y), symbol);
    EXPECT_NE(circles.At(x + 22, y), symbol);
}

TEST_F(MapDraw, RegionsWithoutAnchorOrValueGetNoSymbolAndDeepZoomDraws)
{
    ASSERT_TRUE(mapGraph);
    mapGraph->regions.Find(1)->hasPoint = false;
    mapGraph->regions.Find(1)->pointX = mapGraph->regions.Find(1)->pointY = 0;
    graphtest::Bitmap screen(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::bars, screen);
    const COLORREF symbol = FillOf(MapClasses::PositiveSymbolColour(), false);
    // Neither at its anchor nor at the map's 0, 0.
    EXPECT_EQ(screen.At(76, 41), FillOf(MapClasses::SymbolModeColour(), false));
    EXPECT_NE(screen.At(20, 15), symbol);
    EXPECT_EQ(screen.At(73, 115), symbol);

    // Zoomed far past int: the pane draws, all of it inside one region.
    window->scale = 1e9;
    window->originX = mapGraph->regions.Find(8)->pointX;
    window->originY = mapGraph->regions.Find(8)->pointY;
    window->zoomStack.push_back(MapZoomEntry{1e9, window->originX, window->originY});
    graphtest::Bitmap deep(graphtest::TestGraph::width, graphtest::TestGraph::height);
    SendMessageA(window->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(deep.dc), PRF_CLIENT);
    EXPECT_EQ(deep.At(300, 250), FillOf(MapClasses::SymbolModeColour(), false));
    EXPECT_EQ(window->Element()->device.right, MapGraphWindow::pixelLimit);
}

TEST(MapKeyText, ClassRangesLabelsAndLineHeight)
{
    MapClassSettings settings;
    MapGraph graph(nullptr, 0, 1, &settings);
    MapGraphWindow window(&graph, &settings, MapClassSettings::choropleth);
    MapKey key(&window);
    settings.decimals = 0;
    graph.classCount = 3;
    settings.bounds = {40, 47, 49, 60};
    EXPECT_EQ(key.ClassText(0), "40 - 46");
    EXPECT_EQ(key.ClassText(2), "49 - 60");
    // Both ends round to 4: one number; an empty class of a labelled value: the label.
    graph.classCount = 2;
    settings.bounds = {4.0, 5.4, 9};
    EXPECT_EQ(key.ClassText(0), "4");
    settings.bounds = {1, 2, 3};
    graph.regions.labels = {{1, "Low"}};
    EXPECT_EQ(key.ClassText(0), "Low");
    settings.decimals = 2;
    settings.bounds = {1.5, 2.5, 3};
    EXPECT_EQ(key.ClassText(0) + " " + key.ClassText(1), "1.50 - 2.49 2.50 - 3.00");
    // Limits from all cases' whole numbers, the regions' means with 2
    // decimals: every limit as the classes were computed.
    graph.regions.labels.clear();
    graph.regions.decimals = 2;
    settings.decimals = 0;
    settings.bounds = {3300, 41250, 50000};
    EXPECT_EQ(key.ClassText(0) + " " + key.ClassText(1), "3300 - 41249 41250 - 50000");
    // 13 classes in 20 pixels: (20 - 84 + 6) / 14 would be negative.
    graph.classCount = 13;
    key.device = ElementRect{0, 0, 50, 19, 0};
    EXPECT_EQ(key.LineHeight(), 1);
    key.device = ElementRect{0, 0, 50, 14 * 16 - 1, 0};
    EXPECT_EQ(key.LineHeight(), 10); // (224 - 84 + 6) / 14
}

TEST_F(MapDraw, LegendFormsKeepTheirPlacesAndAvoidRegions)
{
    ASSERT_TRUE(mapGraph);
    graphtest::Bitmap screen(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::bars, screen);
    const ElementRect bar = window->Legend()->device;
    EXPECT_EQ(bar.Height(), 30); // the bar length
    auto covers = [this](const ElementRect &rect) {
        for (const auto &entry : mapGraph->regions) {
            const MapRegion &r = entry.second;
            if (rect.left < window->PixelX(r.maxX) && window->PixelX(r.minX) < rect.right &&
                rect.top < window->PixelY(r.maxY) && window->PixelY(r.minY) < rect.bottom)
                return true;
        }
        return false;
    };
    EXPECT_FALSE(covers(bar));
    // The user moves the bar legend; the classes form comes with its own
    // place and the bar form's returns.
    window->Legend()->Move(-5, -7);
    window->Legend()->Changed();
    Paint(MapClassSettings::choropleth, screen);
    const ElementRect classes = window->Legend()->device;
    // Free of the regions where the pane leaves room for it; else against
    // the pane's right edge, over the map rather than cut off.
    EXPECT_LE(classes.right, graphtest::TestGraph::width - 1);
    if (covers(classes))
        EXPECT_EQ(classes.right, graphtest::TestGraph::width - 1);
    EXPECT_GE(window->Legend()->LineHeight(), window->Legend()->textHeight);
    EXPECT_EQ(screen.At(classes.left + 1, classes.top + 1), MapKey::ground);
    EXPECT_EQ(window->Legend()->Saved(MapKey::barForm).left, bar.left - 5);
    // Every region's box the whole map: no corner is free, and the walk
    // to the right ends past the map's edge.
    for (auto &entry : mapGraph->regions)
        entry.second.minX = entry.second.minY = 0, entry.second.maxX = mapGraph->maxX, entry.second.maxY = mapGraph->maxY;
    Paint(MapClassSettings::circles, screen);
    EXPECT_GE(window->Legend()->device.left, window->MapRectangle().right);
    EXPECT_LE(window->Legend()->device.left, window->MapRectangle().right + MapKey::placementStep);
}

TEST(MapGraphWindowZoom, FactorOriginStackAndButton)
{
    MapClassSettings settings;
    MapGraph graph(nullptr, 0, 1, &settings);
    graph.minX = graph.minY = 0, graph.maxX = 200, graph.maxY = 100;
    MapGraphWindow window(&graph, &settings, MapClassSettings::choropleth);
    ZafButton button(0, 0, 10, 1, "Zoom out");
    window.SetZoomOutButton(&button);
    window.SetView(ElementRect{0, 0, 499, 299, 0});
    window.scale = window.FitScale(500, 300);
    EXPECT_NEAR(window.scale, 2.2886, 5e-5); // min(460 / 201, 260 / 101)
    const double fitted = window.scale;
    EXPECT_FALSE(window.ZoomIn(ElementRect{100, 100, 129, 200, 0})); // 29 wide
    ASSERT_TRUE(window.ZoomIn(ElementRect{66, 43, 166, 93, 0}));
    EXPECT_NEAR(window.zoomFactor, 4.9505, 5e-5); // min(500 / 101, 300 / 51)
    // trunc((66 - 20) / 2.2886) = 20, trunc((43 - 20) / 2.2886) = 10
    EXPECT_EQ(window.originX * 100 + window.originY, 2010);
    EXPECT_FALSE(button.Disabled());
    ASSERT_TRUE(window.ZoomIn(ElementRect{0, 0, 99, 59, 0})); // x 5, to 56.6 pixels a unit
    EXPECT_FALSE(window.ZoomIn(ElementRect{0, 0, 30, 30, 0})); // past the largest scale
    window.PopZoom();
    EXPECT_NEAR(window.scale, fitted * 4.9505, 1e-3);
    EXPECT_EQ(window.originX, 20);
    window.PopZoom();
    window.PopZoom(); // on an empty stack: the fitted view still
    EXPECT_EQ(window.scale, -1.0);
    EXPECT_EQ(window.marginX + window.originX, MapGraphWindow::defaultMargin);
    EXPECT_TRUE(button.Disabled());
    // Far past int: pixels stop at the limit instead of wrapping.
    window.scale = 1e12, window.originX = 100;
    EXPECT_EQ(window.PixelX(0), -MapGraphWindow::pixelLimit);
}

TEST_F(MapDraw, RubberBandZoomsWithRealMouseMessages)
{
    ASSERT_TRUE(mapGraph);
    graphtest::Bitmap screen(graphtest::TestGraph::width, graphtest::TestGraph::height);
    Paint(MapClassSettings::choropleth, screen);
    const int savedMode = GraphMouseMode;
    GraphMouseMode = GRAPHWIN::modeZoom;
    auto post = [this](UINT message, int x, int y, WPARAM buttons) {
        PostMessageA(window->OSHandle(), message, buttons, MAKELPARAM(x, y));
        Pump();
    };
    // A band of 20 x 20 pixels does nothing; one of 60 x 40 zooms.
    post(WM_LBUTTONDOWN, 60, 100, MK_LBUTTON), post(WM_MOUSEMOVE, 80, 120, MK_LBUTTON), post(WM_LBUTTONUP, 80, 120, 0);
    EXPECT_TRUE(window->zoomStack.empty());
    post(WM_LBUTTONDOWN, 60, 100, MK_LBUTTON), post(WM_MOUSEMOVE, 90, 120, MK_LBUTTON);
    post(WM_MOUSEMOVE, 120, 140, MK_LBUTTON), post(WM_LBUTTONUP, 120, 140, 0);
    GraphMouseMode = savedMode;
    ASSERT_EQ(window->zoomStack.size(), 1u);
    EXPECT_NEAR(window->zoomFactor, std::min(400.0 / 61, 300.0 / 41), 1e-9);
    // The band's top left corner (60, 100) is now the pane's.
    EXPECT_EQ(window->originX, static_cast<long>((60 - 20) / 0.0281477));
    graphtest::Bitmap zoomed(graphtest::TestGraph::width, graphtest::TestGraph::height);
    SendMessageA(window->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(zoomed.dc), PRF_CLIENT);
    // Region 8's anchor (73, 118) before, at (73 - 60) x 6.557, (118 - 100) x 6.557 now.
    const MapRegion &eight = *mapGraph->regions.Find(8);
    EXPECT_NEAR(window->PixelX(eight.pointX), (73 - 60) * 6.557, 8);
    EXPECT_EQ(zoomed.At(window->PixelX(eight.pointX), window->PixelY(eight.pointY)),
              FillOf(settings.colours[RegionClass(8)], false));
}
