// The map's own mouse tools with real window messages on the sample
// survey's map: identify, the per-window zoom tool and pan, the legend's
// edge and centre-mark drags, its double click, and the refit on a resize.
//
// Places (see MapGraphDrawTest.cpp for their derivation): in the 400 x 300
// pane the map's box is 20, 20, 218, 279 at 0.0281477 pixels a unit;
// region 8's anchor lies at 73, 118 and region 12's at 199, 103.
#include "graphs/maps/MapGraphWindow.h"

#include "GraphTestSupport.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "graphs/maps/CentreValueDialog.h"
#include "graphs/maps/MapKey.h"
#include "shell/QIVprog.h"
#include "tests/support/ModalLoop.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafDisplay.h"

#include <cmath>
#include <set>
#include <utility>
#include <memory>
#include <string>

namespace {

class MapMouse : public graphtest::GraphTest
{
protected:
    MapMouse()
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
        savedMode = GraphMouseMode;
        // Snapping on, with a grid coarser than every drag's steps: the map
        // and the legend follow the pointer all the same.
        Set("SnapToGrid", 1);
        Set("GridSize", 10);
    }
    ~MapMouse() override
    {
        GraphMouseMode = savedMode;
        MapIdentifyFlag = 0;
        RegistrySettings::DeleteKeyInSection(graphtest::Graphics(), "SnapToGrid");
        RegistrySettings::DeleteKeyInSection(graphtest::Graphics(), "GridSize");
    }
    MapGraphWindow *Open(int mode)
    {
        settings.displayMode = mode;
        window = Add(new MapGraphWindow(mapGraph.get(), &settings, mode));
        window->SetRegion(
            ZafRegionRect(0, 0, graphtest::TestGraph::width - 1, graphtest::TestGraph::height - 1, ZAF_PIXEL));
        Show();
        window->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        Paint();
        return window;
    }
    void Paint() { SendMessageA(window->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(screen.dc), PRF_CLIENT); }
    void Post(UINT message, int x, int y, WPARAM buttons = 0)
    {
        PostMessageA(window->OSHandle(), message, buttons, MAKELPARAM(x, y));
        Pump();
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        Post(WM_LBUTTONDOWN, x0, y0, MK_LBUTTON);
        Post(WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2, MK_LBUTTON);
        Post(WM_MOUSEMOVE, x1, y1, MK_LBUTTON);
        Post(WM_LBUTTONUP, x1, y1);
    }

    graphtest::EnglishTexts texts;
    graphtest::Bitmap screen{graphtest::TestGraph::width, graphtest::TestGraph::height};
    std::unique_ptr<DATASET> dataSet;
    MapClassSettings settings;
    std::unique_ptr<MapGraph> mapGraph;
    MapGraphWindow *window = nullptr;
    int savedMode = 0;
};

} // namespace

TEST(MapRegionAt, EvenOddRuleWithAHoleAndTheBox)
{
    MapClassSettings settings;
    MapGraph graph(nullptr, 0, 1, &settings);
    graph.minX = graph.minY = 0, graph.maxX = graph.maxY = 100;
    // A 0..100 square with a 40..60 hole, and a triangle beside it.
    MapRegion ring;
    ring.code = 5;
    ring.partCount = 2;
    ring.points = {5, 0, 0, 100, 0, 100, 100, 0, 100, 0, 0, 5, 40, 40, 60, 40, 60, 60, 40, 60, 40, 40};
    ring.minX = ring.minY = 0, ring.maxX = ring.maxY = 100;
    graph.regions.Insert(ring);
    MapGraphWindow window(&graph, &settings, MapClassSettings::choropleth);
    window.scale = 1.0, window.marginX = window.marginY = 0;
    EXPECT_EQ(window.RegionAt(20, 20)->code, 5);
    EXPECT_EQ(window.RegionAt(50, 50), nullptr); // in the hole
    // On the right edge: the region's own (a neighbour to the right, whose
    // left edge it is, does not claim it); on the left edge: not.
    EXPECT_EQ(window.RegionAt(100, 50)->code, 5);
    EXPECT_EQ(window.RegionAt(0, 50), nullptr);
    // Rows through corners: the square's top row and the hole's.
    EXPECT_EQ(window.RegionAt(20, 0)->code, 5);
    EXPECT_EQ(window.RegionAt(20, 100), nullptr);
    EXPECT_EQ(window.RegionAt(20, 40)->code, 5);
    EXPECT_EQ(window.RegionAt(50, 40), nullptr);
    EXPECT_EQ(window.RegionAt(150, 50), nullptr);
    // Zoomed in by 4 on (40, 0): pixel (40, 200) is map (50, 50), in the hole.
    window.scale = 4.0, window.originX = 40;
    EXPECT_EQ(window.RegionAt(40, 200), nullptr);
    EXPECT_EQ(window.RegionAt(200, 200)->code, 5); // map (90, 50)
}

TEST_F(MapMouse, HoverAndClickIdentifyWithoutSelecting)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    GraphMouseMode = GRAPHWIN::modeMove;
    window->SetTool(MapGraphWindow::toolIdentify);
    Post(WM_MOUSEMOVE, 73, 118);
    ASSERT_EQ(window->HighlightedRegion(), 8);
    const MapRegion &eight = *mapGraph->regions.Find(8);
    ASSERT_TRUE(window->LabelText());
    const std::string label = window->LabelText();
    EXPECT_EQ(label.find(" 8 " + eight.name + " : "), 0u) << label;
    EXPECT_NEAR(std::stod(label.substr(label.find(" : ") + 3)), eight.value,
                0.51 * std::pow(10.0, -mapGraph->regions.decimals))
        << label;
    // A click names the region too and selects nothing, not the map.
    Post(WM_LBUTTONDOWN, 199, 103, MK_LBUTTON);
    Post(WM_LBUTTONUP, 199, 103);
    EXPECT_EQ(window->HighlightedRegion(), 12);
    EXPECT_EQ(window->SelectedElement(), nullptr);
    // Off the map: no region, and the main window's flag keeps identify on
    // after the window's own tool is gone.
    Post(WM_MOUSEMOVE, 350, 150);
    EXPECT_EQ(window->HighlightedRegion(), -1);
    window->SetTool(MapGraphWindow::toolNone);
    MapIdentifyFlag = 1;
    Post(WM_MOUSEMOVE, 73, 118);
    EXPECT_EQ(window->HighlightedRegion(), 8);
    MapIdentifyFlag = 0;
    Post(WM_MOUSEMOVE, 199, 103);
    EXPECT_EQ(window->HighlightedRegion(), 8); // identify is off
    // The window's own identify tool ends with the user's next mouse mode,
    // and its outline and label with it.
    window->SetTool(MapGraphWindow::toolIdentify);
    Post(WM_MOUSEMOVE, 199, 103);
    EXPECT_EQ(window->HighlightedRegion(), 12);
    EXPECT_TRUE(window->LabelShown());
    ChooseGraphMouseMode(GRAPHWIN::modeMove);
    Post(WM_MOUSEMOVE, 73, 118);
    EXPECT_EQ(window->HighlightedRegion(), -1);
    EXPECT_FALSE(window->LabelShown());
}

TEST_F(MapMouse, ZoomToolIsTheWindowsOwnAndPanFollowsTwoZooms)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    GraphMouseMode = GRAPHWIN::modeMove;
    // The workbook's tool buttons show the tool in force pressed in.
    ZafButton identify(0, 0, 10, 1, "Identify"), zoomIn(0, 0, 10, 1, "Zoom in");
    window->SetToolButtons(&identify, &zoomIn);
    window->SetTool(MapGraphWindow::toolZoom);
    EXPECT_TRUE(zoomIn.Selected());
    EXPECT_FALSE(identify.Selected());
    Drag(30, 30, 150, 130);
    Drag(40, 40, 200, 160);
    ASSERT_EQ(window->zoomStack.size(), 2u);
    EXPECT_EQ(GraphMouseMode, GRAPHWIN::modeMove); // the program's mode is untouched
    Paint();
    // The user chooses Move in the main window: the zoom tool ends.
    ChooseGraphMouseMode(GRAPHWIN::modeMove);
    EXPECT_EQ(window->Tool(), MapGraphWindow::toolNone);
    // Pan: the map element dragged 40 pixels right and 30 down in move mode.
    const double scale = window->scale;
    const long x0 = window->originX, y0 = window->originY;
    // A press on the map, away from the legend.
    const ElementRect key = window->Legend()->device;
    POINT from = {0, 0};
    for (POINT p : {POINT{300, 60}, POINT{60, 60}, POINT{60, 200}, POINT{300, 200}})
        if (p.x + 50 < key.left - 6 || p.x > key.right + 6 || p.y + 40 < key.top - 6 || p.y > key.bottom + 6) {
            from = p;
            break;
        }
    ASSERT_GT(from.x, 0);
    Drag(from.x, from.y, from.x + 40, from.y + 30);
    Paint();
    EXPECT_FALSE(zoomIn.Selected());
    window->SetToolButtons(nullptr, nullptr);
    EXPECT_EQ(window->originX, static_cast<long>(-40 / scale + x0));
    EXPECT_EQ(window->originY, static_cast<long>(-30 / scale + y0));
    EXPECT_EQ(window->zoomStack.back().originX, window->originX);
    EXPECT_EQ(window->scale, scale);
    // The map element lies where the panned map is drawn.
    EXPECT_EQ(window->Element()->device.left, window->MapRectangle().left);
    // Two zoom-outs: the fitted view again.
    window->PopZoom();
    window->PopZoom();
    Paint();
    EXPECT_EQ(window->MapRectangle().left, MapGraphWindow::defaultMargin);
    EXPECT_EQ(window->MapRectangle().right, 218);
}

TEST_F(MapMouse, ZoomOutButtonFollowsTheWindowDrawn)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    MapClassSettings otherSettings;
    MapGraph other(nullptr, 0, 1, &otherSettings);
    other.minX = other.minY = 0, other.maxX = other.maxY = 100;
    MapGraphWindow second(&other, &otherSettings, MapClassSettings::choropleth);
    ZafButton button(0, 0, 10, 1, "Zoom out");
    window->SetZoomOutButton(&button);
    second.SetZoomOutButton(&button);
    window->SetTool(MapGraphWindow::toolZoom);
    Drag(30, 30, 150, 130);
    EXPECT_FALSE(button.Disabled());
    // The unzoomed page shown: its state; the zoomed one again: enabled.
    second.SetView(ElementRect{0, 0, 199, 199, 0});
    second.PrepareDraw();
    EXPECT_TRUE(button.Disabled());
    Paint();
    EXPECT_FALSE(button.Disabled());
    window->SetZoomOutButton(nullptr);
}

TEST_F(MapMouse, LegendEdgeDragsSizeTheSymbols)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::bars);
    MapKey &key = *window->Legend();
    const ElementRect bar = key.device;
    ASSERT_EQ(bar.Height(), 30);
    const int x = bar.left + 3;
    EXPECT_EQ(window->LegendGripAt(x, bar.top + 4), MapGraphWindow::gripTop);
    EXPECT_EQ(window->LegendGripAt(x, bar.bottom - 4), MapGraphWindow::gripBottom);
    EXPECT_EQ(window->LegendGripAt(bar.right + 2, bar.top), MapGraphWindow::gripNone);
    Drag(x, bar.top, x, bar.top - 20);
    Paint();
    EXPECT_EQ(key.device.top, bar.top - 20);
    EXPECT_EQ(window->barLength, key.device.Height());
    // The largest value's bar is as long as the legend is high.
    const MapRegion *largest = nullptr;
    for (const auto &entry : mapGraph->regions)
        if (entry.second.HasValue() && (!largest || entry.second.value > largest->value))
            largest = &entry.second;
    ASSERT_TRUE(largest);
    EXPECT_EQ(MapSymbols::BarLength(largest->value, mapGraph->maximum, window->barLength), 50);
    // Circles: the bottom edge dragged down 16; the radius is half the height.
    window->SetDisplayMode(MapClassSettings::circles);
    Paint();
    const ElementRect circle = key.device;
    Drag(circle.left + 3, circle.bottom, circle.left + 3, circle.bottom + 16);
    Paint();
    EXPECT_EQ(key.device.bottom, circle.bottom + 16);
    EXPECT_EQ(window->circleRadius, key.device.Height() / 2);
    EXPECT_EQ(window->barLength, 50); // the bar form's stays
    // The identify tool rests while an edge is dragged, and names regions
    // again after the release.
    window->SetTool(MapGraphWindow::toolIdentify);
    const ElementRect before = key.device;
    Drag(before.left + 3, before.bottom, before.left + 3, before.bottom - 10);
    Paint();
    EXPECT_EQ(key.device.bottom, before.bottom - 10);
    EXPECT_EQ(window->LegendDragGrip(), MapGraphWindow::gripNone);
    EXPECT_EQ(window->Tool(), MapGraphWindow::toolIdentify);
    window->SetTool(MapGraphWindow::toolNone);
}

TEST_F(MapMouse, CentreMarkDragSetsTheCentreAndRecolours)
{
    ASSERT_TRUE(mapGraph);
    settings.colourScheme = MapClassSettings::slide2;
    Open(MapClassSettings::choropleth);
    MapKey &key = *window->Legend();
    key.live = false;
    const int mark = key.MarkRow();
    ASSERT_GT(mark, key.device.top);
    const int x = key.device.left + 3, to = key.device.top + (key.device.bottom - key.device.top) / 4;
    ASSERT_EQ(window->LegendGripAt(x, mark), MapGraphWindow::gripMark);
    Drag(x, mark, x, to);
    const double expected = mapGraph->minimum + (mapGraph->maximum - mapGraph->minimum) * (to - key.device.top) /
                                                    (key.device.bottom - key.device.top + 1);
    EXPECT_DOUBLE_EQ(mapGraph->centreValue, expected);
    EXPECT_EQ(window->LegendDragGrip(), MapGraphWindow::gripNone);
    // A lower centre moves every value above it further up the ramp.
    const MapRegion &eight = *mapGraph->regions.Find(8);
    EXPECT_EQ(eight.colour.fillR, MapClasses::RampColour(MapClassSettings::slide2, eight.value, mapGraph->minimum,
                                                         mapGraph->maximum, expected, {})
                                      .fillR);
}

TEST_F(MapMouse, LiveCentreMarkDragRecoloursAndNamesTheValueAsItMoves)
{
    ASSERT_TRUE(mapGraph);
    settings.colourScheme = MapClassSettings::slide2;
    Open(MapClassSettings::choropleth);
    MapKey &key = *window->Legend();
    ASSERT_TRUE(key.live);
    // On the screen, so that the live redisplay is painted as it is there.
    ShowWindow(GetAncestor(window->OSHandle(), GA_ROOT), SW_SHOWNOACTIVATE);
    ShowWindow(window->OSHandle(), SW_SHOWNA);
    Pump();
    const int mark = key.MarkRow(), x = key.device.left + 3;
    const int to = key.device.top + (key.device.bottom - key.device.top) / 4;
    Post(WM_LBUTTONDOWN, x, mark, MK_LBUTTON);
    Post(WM_MOUSEMOVE, x, to, MK_LBUTTON);
    // While the button is held: the map already takes the new centre, and
    // the value's label stays up over the repainted map.
    const double value = window->CentreValueAt(to);
    EXPECT_DOUBLE_EQ(mapGraph->centreValue, value);
    EXPECT_TRUE(window->LabelShown());
    ASSERT_TRUE(window->LabelText());
    EXPECT_NEAR(std::stod(window->LabelText()), value, std::pow(10.0, -mapGraph->regions.decimals));
    Post(WM_LBUTTONUP, x, to);
    EXPECT_FALSE(window->LabelShown());
    EXPECT_EQ(window->LegendDragGrip(), MapGraphWindow::gripNone);
}

TEST_F(MapMouse, DoubleClickInTheClassLegendOpensTheDialogAndRecomputes)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    POINT asked = {-1, -1};
    window->classDialog = [&](int x, int y) {
        asked = POINT{x, y};
        // What the dialog's OK does: the user's limits.
        settings.userBounds = true;
        settings.bounds = {0, 1e9, 2e9, 3e9, 4e9, 5e9};
        return true;
    };
    const ElementRect key = window->Legend()->device;
    const int x = key.left + 10, y = key.top + (key.bottom - key.top) / 2;
    Post(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Post(WM_LBUTTONUP, x, y);
    Post(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Post(WM_LBUTTONUP, x, y);
    POINT expected = {x, y};
    ClientToScreen(window->OSHandle(), &expected);
    EXPECT_EQ(asked.x, expected.x);
    EXPECT_EQ(asked.y, expected.y);
    // Every income lies in the first of the new classes.
    for (const auto &entry : mapGraph->regions)
        if (entry.second.HasValue())
            EXPECT_EQ(entry.second.colour.fillR, settings.colours[0].fillR) << entry.first;
    // Outside the legend a double click opens nothing.
    asked = POINT{-1, -1};
    Post(WM_LBUTTONDBLCLK, 73, 118, MK_LBUTTON);
    Post(WM_LBUTTONUP, 73, 118);
    EXPECT_EQ(asked.x, -1);
    // With the contrast scheme the class legend opens no dialog.
    settings.colourScheme = MapClassSettings::contrast;
    ASSERT_EQ(window->Legend()->CurrentForm(), MapKey::classForm);
    Post(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Post(WM_LBUTTONUP, x, y);
    EXPECT_EQ(asked.x, -1);
}

TEST_F(MapMouse, ResizeRefitsTheMapAndKeepsTheLegendInside)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    // The window's edge dragged: 260 x 180 pixels.
    MoveWindow(window->OSHandle(), 0, 0, 260, 180, TRUE);
    Pump();
    Paint();
    EXPECT_NEAR(window->scale, window->FitScale(260, 180), 1e-12);
    EXPECT_LT(window->MapRectangle().bottom, 180);
    const ElementRect key = window->Legend()->device;
    EXPECT_LE(key.right, 259);
    EXPECT_LE(key.bottom, 179);
    EXPECT_GE(key.left, 0);
    // Region 12's anchor moves with the scale: (7870 - 1478) s + 20, (9300 - 6334) s + 20.
    const MapRegion &twelve = *mapGraph->regions.Find(12);
    const int px = window->PixelX(twelve.pointX), py = window->PixelY(twelve.pointY);
    EXPECT_EQ(px, static_cast<int>((7870 - 1478) * window->scale + 20));
    EXPECT_EQ(py, static_cast<int>((9300 - 6334) * window->scale + 20));
    const MapColourEntry &c = twelve.colour;
    if (!(key.left <= px && px <= key.right && key.top <= py && py <= key.bottom))
        EXPECT_EQ(screen.At(px, py), RGB(c.fillR, c.fillG, c.fillB));
    // Larger again: the legend keeps the size its lines need.
    MoveWindow(window->OSHandle(), 0, 0, 600, 450, TRUE);
    Pump();
    Paint();
    EXPECT_NEAR(window->scale, window->FitScale(600, 450), 1e-12);
    const int lines = mapGraph->classCount + 1;
    EXPECT_LE(window->Legend()->device.Height(), lines * (window->Legend()->textHeight + 6) * 3 / 2 + 1);
}

TEST_F(MapMouse, OptionsChangeTheModeOfABuiltMap)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    settings.displayMode = MapClassSettings::circles;
    window->Rebuild();
    EXPECT_EQ(window->DisplayMode(), MapClassSettings::circles);
    EXPECT_EQ(settings.displayMode, MapClassSettings::circles);
    EXPECT_EQ(window->Legend()->CurrentForm(), MapKey::circleForm);
}

TEST_F(MapMouse, GraphWindowLeavesItsClassCursor)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    EXPECT_NE(GetClassLongA(window->OSHandle(), GCL_HCURSOR), 0u);
}

TEST(MapColours, LowestClassMissingAndLegendGroundStandApart)
{
    // The lowest class of every table scheme against "Missing" and the
    // legend's ground: apart by at least 40 in the sum of the colour steps,
    // and the lowest class's grey apart from the missing grey by 20.
    const MapColourEntry &missing = MapClasses::MissingColour();
    auto distance = [](int r1, int g1, int b1, int r2, int g2, int b2) {
        return std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2);
    };
    for (int scheme : {MapClassSettings::metric, MapClassSettings::metric2, MapClassSettings::contrast}) {
        const std::vector<MapColourEntry> colours = MapClasses::ClassColours(scheme, 5);
        ASSERT_FALSE(colours.empty());
        const MapColourEntry &low = colours.front();
        EXPECT_GE(distance(low.fillR, low.fillG, low.fillB, missing.fillR, missing.fillG, missing.fillB), 40) << scheme;
        EXPECT_GE(distance(low.fillR, low.fillG, low.fillB, GetRValue(MapKey::ground), GetGValue(MapKey::ground),
                           GetBValue(MapKey::ground)),
                  40)
            << scheme;
        EXPECT_GE(std::abs(low.fillGrey - missing.fillGrey), 20) << scheme;
    }
}

TEST_F(MapMouse, RegionsWithoutAValueAreHatched)
{
    ASSERT_TRUE(mapGraph);
    // Region 8 loses its value: crossed by grey lines over the missing fill.
    MapRegion &eight = *mapGraph->regions.Find(8);
    eight.value = MapRegion::missing;
    Open(MapClassSettings::choropleth);
    const MapColourEntry &missing = MapClasses::MissingColour();
    int fill = 0, lines = 0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const COLORREF c = screen.At(73 + dx, 118 + dy);
            fill += c == RGB(missing.fillR, missing.fillG, missing.fillB);
            lines += c == RGB(128, 128, 128);
        }
    EXPECT_GT(fill, 20);
    EXPECT_GT(lines, 5);
}

TEST_F(MapMouse, DoubleClickOnTheCentredRampOpensTheCentreDialog)
{
    ASSERT_TRUE(mapGraph);
    settings.colourScheme = MapClassSettings::slide2;
    Open(MapClassSettings::choropleth);
    MapKey &key = *window->Legend();
    ASSERT_TRUE(key.live);
    const double centre = mapGraph->minimum + (mapGraph->maximum - mapGraph->minimum) * 0.25;
    const std::string typed = std::to_string(centre);
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    bool inside = false;
    testsupport::WhenModalLoopIdles([&] {
        ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
        ASSERT_TRUE(dialog && dialog->OSHandle());
        RECT placed;
        GetWindowRect(dialog->OSHandle(), &placed);
        inside = placed.left >= area.left && placed.top >= area.top && placed.right <= area.right &&
                 placed.bottom <= area.bottom;
        ZafWindowObject *field = dialog->FindObjectByStringID(CentreValueDialog::fieldName);
        ZafWindowObject *box = dialog->FindObjectByStringID(CentreValueDialog::liveName);
        ASSERT_TRUE(field && box);
        SendMessageA(field->OSHandle(), EM_SETSEL, 0, -1);
        PostMessageA(field->OSHandle(), WM_CHAR, VK_BACK, 1);
        for (char c : typed)
            PostMessageA(field->OSHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        box->SetSelected(false);
        ZafWindowObject *ok = dialog->FindObjectByStringID(CentreValueDialog::okName);
        PostMessageA(ok->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(ok->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    });
    const int x = key.device.left + 5, y = key.device.top + 3;
    Post(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Post(WM_LBUTTONUP, x, y);
    testsupport::ForgetModalLoopSteps();
    EXPECT_TRUE(inside);
    EXPECT_NEAR(mapGraph->centreValue, centre, 1e-6 * std::fabs(centre) + 1e-6);
    EXPECT_FALSE(key.live);
    const MapRegion &eight = *mapGraph->regions.Find(8);
    EXPECT_EQ(eight.colour.fillR, MapClasses::RampColour(MapClassSettings::slide2, eight.value, mapGraph->minimum,
                                                         mapGraph->maximum, mapGraph->centreValue, {})
                                      .fillR);
}

TEST_F(MapMouse, PanDragShowsTheShiftedMapBeforeTheRelease)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    GraphMouseMode = GRAPHWIN::modeMove;
    // On the screen, where the drag draws.
    ShowWindow(GetAncestor(window->OSHandle(), GA_ROOT), SW_SHOWNOACTIVATE);
    ShowWindow(window->OSHandle(), SW_SHOWNA);
    Pump();
    UpdateWindow(window->OSHandle());
    graphtest::Bitmap before(graphtest::TestGraph::width, graphtest::TestGraph::height);
    SendMessageA(window->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(before.dc), PRF_CLIENT);
    const MapColourEntry &ground = MapClasses::BackgroundColour();
    const COLORREF background = RGB(ground.fillR, ground.fillG, ground.fillB);
    // Region 8's anchor, pressed and dragged 40 right and 30 down.
    const int x0 = 73, y0 = 118, dx = 40, dy = 30;
    const COLORREF eight = before.At(x0, y0);
    ASSERT_NE(eight, background);
    Post(WM_LBUTTONDOWN, x0, y0, MK_LBUTTON);
    ASSERT_TRUE(window->Panning());
    Post(WM_MOUSEMOVE, x0 + dx / 2, y0 + dy / 2, MK_LBUTTON);
    Post(WM_MOUSEMOVE, x0 + dx, y0 + dy, MK_LBUTTON);
    EXPECT_EQ(window->PanShift().x, dx);
    EXPECT_EQ(window->PanShift().y, dy);
    // Mid-drag, on the window itself: every sampled pixel is the one the
    // map showed dx, dy before it, the strips left and above the ground
    // (the rows the test window shows on the screen).
    HDC dc = GetDC(window->OSHandle());
    int same = 0, samples = 0;
    for (int y = 40; y + dy < 250; y += 23)
        for (int x = 30; x < 200; x += 17) {
            ++samples;
            same += GetPixel(dc, x + dx, y + dy) == before.At(x, y);
        }
    EXPECT_EQ(same, samples);
    EXPECT_EQ(GetPixel(dc, x0 + dx, y0 + dy), eight);
    EXPECT_EQ(GetPixel(dc, dx / 2, 150), background);
    EXPECT_EQ(GetPixel(dc, 300, dy / 2), background);
    ReleaseDC(window->OSHandle(), dc);
    // A paint meanwhile (the window uncovered) shows the same shifted map.
    Paint();
    EXPECT_EQ(screen.At(x0 + dx, y0 + dy), eight);
    EXPECT_EQ(screen.At(dx / 2, 150), background);
    EXPECT_EQ(screen.At(150 + dx, 60 + dy), before.At(150, 60));
    // The release: the map is drawn there for good, its margins moved.
    Post(WM_LBUTTONUP, x0 + dx, y0 + dy);
    EXPECT_FALSE(window->Panning());
    Paint();
    EXPECT_EQ(window->MapRectangle().left, MapGraphWindow::defaultMargin + dx);
    EXPECT_EQ(window->MapRectangle().top, MapGraphWindow::defaultMargin + dy);
    EXPECT_EQ(screen.At(window->PixelX(mapGraph->regions.Find(8)->pointX),
                        window->PixelY(mapGraph->regions.Find(8)->pointY)),
              eight);
    // A click without a move pans nothing and keeps the map selected.
    const ElementRect placed = window->MapRectangle();
    Post(WM_LBUTTONDOWN, x0 + dx, y0 + dy, MK_LBUTTON);
    Post(WM_LBUTTONUP, x0 + dx, y0 + dy);
    EXPECT_EQ(window->SelectedElement(), window->Element());
    Paint();
    EXPECT_EQ(window->MapRectangle().left, placed.left);
}

TEST_F(MapMouse, PanMovesTheMapByExactlyThePointersMovementOnTheGrid)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    GraphMouseMode = GRAPHWIN::modeMove;
    // From region 8's anchor, away from the legend; steps that are no
    // multiple of the grid, there and back.
    int x = 73, y = 118;
    const ElementRect start = window->MapRectangle();
    for (POINT step : {POINT{33, 17}, POINT{-33, -17}, POINT{-33, -17}, POINT{1, 1}}) {
        const ElementRect before = window->MapRectangle();
        Post(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        ASSERT_TRUE(window->Panning());
        Post(WM_MOUSEMOVE, x + step.x / 3, y + step.y / 3, MK_LBUTTON);
        EXPECT_EQ(window->PanShift().x, step.x / 3);
        EXPECT_EQ(window->PanShift().y, step.y / 3);
        Post(WM_MOUSEMOVE, x + step.x, y + step.y, MK_LBUTTON);
        EXPECT_EQ(window->PanShift().x, step.x);
        EXPECT_EQ(window->PanShift().y, step.y);
        Post(WM_LBUTTONUP, x + step.x, y + step.y);
        Paint();
        EXPECT_EQ(window->MapRectangle().left, before.left + step.x) << step.x;
        EXPECT_EQ(window->MapRectangle().top, before.top + step.y) << step.y;
        x += step.x, y += step.y;
    }
    EXPECT_EQ(window->MapRectangle().left, start.left - 32);
    EXPECT_EQ(window->MapRectangle().top, start.top - 16);
}

TEST_F(MapMouse, CentreDialogOpensAtTheMouseAndOkUntouchedKeepsTheCentre)
{
    ASSERT_TRUE(mapGraph);
    settings.colourScheme = MapClassSettings::slide2;
    Open(MapClassSettings::choropleth);
    MapKey &key = *window->Legend();
    // A centre with more decimals than the legend writes.
    const double centre = mapGraph->minimum + (mapGraph->maximum - mapGraph->minimum) / 3.0 + 0.004321;
    mapGraph->centreValue = centre;
    std::string shown;
    RECT placed = {};
    testsupport::WhenModalLoopIdles([&] {
        ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow();
        ASSERT_TRUE(dialog && dialog->OSHandle());
        GetWindowRect(dialog->OSHandle(), &placed);
        ZafWindowObject *field = dialog->FindObjectByStringID(CentreValueDialog::fieldName);
        ASSERT_TRUE(field && field->OSHandle());
        char text[64] = "";
        GetWindowTextA(field->OSHandle(), text, sizeof text);
        shown = text;
        ZafWindowObject *ok = dialog->FindObjectByStringID(CentreValueDialog::okName);
        PostMessageA(ok->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(ok->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    });
    const int x = key.device.left + 5, y = key.device.top + 3;
    Post(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Post(WM_LBUTTONUP, x, y);
    testsupport::ForgetModalLoopSteps();
    // The field shows the centre as the legend writes values.
    EXPECT_EQ(shown, key.ValueText(centre));
    EXPECT_EQ(mapGraph->centreValue, centre);
    // At the mouse's character cell, not centred on another window.
    POINT mouse = {x, y};
    ClientToScreen(window->OSHandle(), &mouse);
    const ZafDisplay &display = ZafDisplay::ForConversion();
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (mouse.x + (placed.right - placed.left) < area.right && mouse.y + (placed.bottom - placed.top) < area.bottom) {
        EXPECT_LE(std::abs(placed.left - mouse.x), display.CellWidth()) << placed.left << " " << mouse.x;
        EXPECT_LE(std::abs(placed.top - mouse.y), display.CellHeight()) << placed.top << " " << mouse.y;
    }
}

TEST_F(MapMouse, IdentifyNamesTheRegionOnRowsThroughCorners)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    window->SetTool(MapGraphWindow::toolIdentify);
    // The pixel rows whose map row holds a polygon corner.
    std::set<long> corners;
    for (const auto &entry : mapGraph->regions) {
        const MapRegion &r = entry.second;
        size_t at = 0;
        for (long part = 0; part < r.partCount && at < r.points.size(); ++part) {
            const long n = r.points[at++];
            for (long k = 0; k < n && at + 1 < r.points.size(); ++k, at += 2)
                corners.insert(r.points[at + 1]);
        }
    }
    auto mapRow = [&](int py) { return static_cast<long>((py - window->marginY) / window->scale + window->originY); };
    // The nearest row above or below through no corner.
    auto plainRow = [&](int py, int step) {
        while (corners.count(mapRow(py)))
            py += step;
        return py;
    };
    // On each pixel row through a corner, every pixel (every step-th) whose
    // nearest plain rows above and below lie in one region names it.
    auto check = [&](const ElementRect &area, int step) {
        int rows = 0, checked = 0;
        for (int py = area.top + 1; py < area.bottom; ++py) {
            if (!corners.count(mapRow(py)))
                continue;
            ++rows;
            for (int px = area.left; px <= area.right; px += step) {
                const MapRegion *above = window->RegionAt(px, plainRow(py, -1));
                if (!above || above != window->RegionAt(px, plainRow(py, 1)))
                    continue;
                Post(WM_MOUSEMOVE, px, py);
                EXPECT_EQ(window->HighlightedRegion(), above->code) << px << ", " << py;
                ++checked;
            }
        }
        return std::make_pair(rows, checked);
    };
    // The fitted map: one pixel row of its 260 meets a corner's map row.
    const std::pair<int, int> fitted = check(window->MapRectangle(), 1);
    EXPECT_GE(fitted.first, 1);
    EXPECT_GT(fitted.second, 50);
    // A map unit a pixel round region 8: every corner's row is a pixel row.
    const MapRegion &eight = *mapGraph->regions.Find(8);
    window->scale = 1.0;
    window->marginX = window->marginY = 0;
    window->originX = eight.pointX - 200;
    window->originY = eight.pointY - 150;
    window->zoomStack.push_back(MapZoomEntry{1.0, window->originX, window->originY});
    const std::pair<int, int> zoomed = check(ElementRect{0, 0, 399, 299, 0}, 7);
    EXPECT_GE(zoomed.first, 2);
    EXPECT_GT(zoomed.second, 100);
}

TEST_F(MapMouse, EveryChangeOfToolShowsAtOnceAndTheOutlineStandsOut)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    GraphMouseMode = GRAPHWIN::modeMove;
    ShowWindow(GetAncestor(window->OSHandle(), GA_ROOT), SW_SHOWNOACTIVATE);
    ShowWindow(window->OSHandle(), SW_SHOWNA);
    Pump();
    UpdateWindow(window->OSHandle());
    ZafButton identify(0, 0, 10, 1, "Identify"), zoomIn(0, 0, 10, 1, "Zoom in");
    window->SetToolButtons(&identify, &zoomIn);
    // Identify from the Graphs menu: the workbook's button goes in at once.
    ChooseGraphMouseMode(identifyChoice);
    EXPECT_TRUE(identify.Selected());
    const int y = 118;
    HDC dc = GetDC(window->OSHandle());
    int left = 73;
    const MapRegion *eight = window->RegionAt(left, y);
    ASSERT_TRUE(eight && eight->code == 8);
    while (window->RegionAt(left - 1, y) == eight)
        --left;
    const COLORREF outside = GetPixel(dc, left - 4, y), fill = GetPixel(dc, 73, y);
    Post(WM_MOUSEMOVE, 73, y);
    ASSERT_EQ(window->HighlightedRegion(), 8);
    EXPECT_TRUE(window->LabelShown());
    // The outline: two pixels inside the region's edge, black or white,
    // whichever stands out from the fill; the neighbour untouched.
    const MapColourEntry &c = eight->colour;
    const COLORREF ink = (299 * c.fillR + 587 * c.fillG + 114 * c.fillB) / 1000 >= 128 ? RGB(0, 0, 0)
                                                                                      : RGB(255, 255, 255);
    int inked = 0;
    for (int x = left - 1; x <= left + 3; ++x)
        inked += GetPixel(dc, x, y) == ink;
    EXPECT_GE(inked, 2);
    EXPECT_EQ(GetPixel(dc, left - 4, y), outside);
    EXPECT_EQ(GetPixel(dc, 73, y), fill);
    // The workbook's zoom: label and outline go now, not at the next move.
    window->SetTool(MapGraphWindow::toolZoom);
    EXPECT_FALSE(window->LabelShown());
    EXPECT_EQ(window->HighlightedRegion(), -1);
    EXPECT_EQ(GetPixel(dc, left + 1, y), GetPixel(dc, left + 6, y));
    EXPECT_FALSE(identify.Selected());
    EXPECT_TRUE(zoomIn.Selected());
    // A mouse mode chosen in the main window ends the zoom tool: its button
    // comes out without the mouse entering the map.
    ChooseGraphMouseMode(GRAPHWIN::modeText);
    EXPECT_EQ(window->Tool(), MapGraphWindow::toolNone);
    EXPECT_FALSE(zoomIn.Selected());
    // The window's own identify ended by the main window's Move: the label
    // goes at once.
    window->SetTool(MapGraphWindow::toolIdentify);
    Post(WM_MOUSEMOVE, 199, 103);
    ASSERT_TRUE(window->LabelShown());
    ChooseGraphMouseMode(GRAPHWIN::modeMove);
    EXPECT_FALSE(window->LabelShown());
    EXPECT_EQ(window->HighlightedRegion(), -1);
    EXPECT_FALSE(identify.Selected());
    ReleaseDC(window->OSHandle(), dc);
    window->SetToolButtons(nullptr, nullptr);
}

TEST_F(MapMouse, LegendAndSymbolsScaleWithThePane)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    auto area = [](const ElementRect &r) { return static_cast<long long>(r.Width()) * r.Height(); };
    // A large pane: the full 14 points.
    MoveWindow(window->OSHandle(), 0, 0, 700, 500, TRUE);
    Pump();
    Paint();
    EXPECT_EQ(window->Legend()->fontPoints, MapKey::largestPoints);
    // Panes of a split page and of four tiled workbooks: a smaller font,
    // never below 8 points, and the legend within a quarter of the map.
    for (SIZE pane : {SIZE{330, 420}, SIZE{260, 200}}) {
        MoveWindow(window->OSHandle(), 0, 0, pane.cx, pane.cy, TRUE);
        Pump();
        Paint();
        const MapKey &key = *window->Legend();
        EXPECT_GE(key.fontPoints, MapKey::smallestPoints) << pane.cx;
        EXPECT_LT(key.fontPoints, MapKey::largestPoints) << pane.cx;
        EXPECT_LE(area(key.device), area(window->MapRectangle()) / 4) << pane.cx << " x " << pane.cy;
        // Each line still holds its text.
        EXPECT_GE(key.LineHeight(), key.textHeight) << pane.cx;
    }
    // Circles in the smallest pane: smaller, but no smaller than 0.4 of
    // their size, and the legend's sample as large as the largest drawn.
    window->SetDisplayMode(MapClassSettings::circles);
    Paint();
    EXPECT_LT(window->DrawnCircleRadius(), window->circleRadius);
    EXPECT_GE(window->DrawnCircleRadius(), window->circleRadius * 2 / 5);
    EXPECT_EQ(window->Legend()->device.Height(), 2 * window->DrawnCircleRadius());
}

// A workbook shrunk to a tile and enlarged again: at every size the
// legend's texts end inside its box, the legend stays inside the pane and
// covers at most a quarter of the map, and in the large pane it is the full
// form again, not the short one the tile needed.
TEST_F(MapMouse, TheLegendIsMeasuredAnewAfterAShrinkAndAGrow)
{
    ASSERT_TRUE(mapGraph);
    Open(MapClassSettings::choropleth);
    auto area = [](const ElementRect &r) { return static_cast<long long>(r.Width()) * r.Height(); };
    for (SIZE pane : {SIZE{700, 500}, SIZE{200, 150}, SIZE{150, 110}, SIZE{700, 500}, SIZE{260, 200}, SIZE{330, 420},
                      SIZE{700, 500}}) {
        MoveWindow(window->OSHandle(), 0, 0, pane.cx, pane.cy, TRUE);
        Pump();
        Paint();
        const MapKey &key = *window->Legend();
        const ElementRect map = window->MapRectangle();
        const std::string size = std::to_string(pane.cx) + " x " + std::to_string(pane.cy);
        EXPECT_LE(key.drawnTextRight, key.device.right) << size;
        EXPECT_LE(area(key.device), area(map) / 4) << size;
        EXPECT_LE(key.device.right, pane.cx - 1) << size;
        EXPECT_LE(key.device.bottom, pane.cy - 1) << size;
        EXPECT_GE(key.device.left, 0) << size;
        EXPECT_GE(key.device.top, 0) << size;
        if (pane.cx == 700) {
            EXPECT_FALSE(key.compact) << size;
            EXPECT_EQ(key.labelStep, 1) << size;
            // The full range texts, each inside the box.
            EXPECT_NE(key.ClassText(0).find(" - "), std::string::npos) << key.ClassText(0);
        }
        // The lines carrying a text stand at least a text's height apart.
        if (key.labelStep > 1) {
            EXPECT_GE(key.labelStep * (key.LineHeight() + key.LineGap()), key.textHeight) << size;
        }
    }
}

// A limit typed with more decimals than the legend writes: the two classes
// it parts never meet at one printed number.
TEST_F(MapMouse, NeighbouringClassTextsNeverShareAPrintedNumber)
{
    ASSERT_TRUE(mapGraph);
    settings.decimals = 2;
    Open(MapClassSettings::choropleth);
    ASSERT_EQ(mapGraph->classCount, 5);
    settings.userBounds = true;
    const std::vector<double> typed = {24000, 25000, 26000.125, 27500, 29000, 31000};
    settings.bounds = typed;
    mapGraph->MapRegionStats();
    ASSERT_EQ(settings.bounds, typed);
    MapKey &key = *window->Legend();
    // The full form's range texts (a small pane's compact form writes the
    // lower limits alone).
    key.compact = false;
    EXPECT_EQ(key.ClassDecimals(), 3);
    EXPECT_EQ(key.ClassText(1), "25000.000 - 26000.124");
    EXPECT_EQ(key.ClassText(2), "26000.125 - 27499.999");
    // Limits the legend's own decimals part keep them.
    settings.bounds = {24000, 25000, 26000.12, 27500, 29000, 31000};
    mapGraph->MapRegionStats();
    EXPECT_EQ(key.ClassDecimals(), 2);
    EXPECT_EQ(key.ClassText(1), "25000.00 - 26000.11");
    EXPECT_EQ(key.ClassText(2), "26000.12 - 27499.99");
}
