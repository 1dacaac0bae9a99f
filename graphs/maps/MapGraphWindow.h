// MapGraphWindow: the graph window of a region map. Unlike the other graphs
// it draws the map itself in pixels: the regions filled by their colours,
// the overlay areas over them and, in the bar and circle modes, a symbol at
// each valued region's anchor. Its element list holds the map element
// (MapElement, kind 4), which stands for the whole map so that it can be
// selected and moved, and the legend (MapKey, kind 3).
//
// Pixel space: pixel = truncate((coordinate - origin) x scale + margin),
// then the output's device scaling. The scale is pixels per map unit; -1
// means that the next draw fits the map to the window with margins of 20.
// Pixels are clamped to +-2^26 so that a deep zoom cannot overflow int or
// the 2^27 range the GDI draws in.
//
// The map's own mouse tools (MapGraphWindowMouse.cpp) belong to this one
// window, so that another graph's drags are untouched: the zoom tool drags
// a rubber band to zoom into, the identify tool (also in force while the
// main window's "Identify regions" is checked) names the region under the
// pointer in the hover label and outlines it. With neither, a drag of the
// legend's top or bottom edge (or the ramp's centre mark) resizes it, the
// bar length or circle radius following its height; a double click in the
// class legend opens the class-limit dialog the page hands in, in the ramp
// around a centre the centre-value dialog (CentreValueDialog). Dragging
// the map element (move mode) pans a zoomed map. Every change of the
// window's size fits the unzoomed map to it again and gives the legend its
// default size and place inside the map.
//
// Ownership: the window does not own the MapGraph (the page's text window
// does) nor the class settings (the page's record); it owns its elements.
#pragma once

#include "graphs/GRAPHWIN.h"
#include "graphs/maps/MapGraph.h"

#include <functional>
#include <string>
#include <vector>

class MapGraphWindow;
class MapKey;

// Symbol sizes in pixels. A maximum that is not above 0 (no positive
// value) or a value or maximum that is not finite gives 0: no symbol.
namespace MapSymbols {
// truncate(|value| x barLength / maximum)
int BarLength(double value, double maximum, long barLength);
// truncate(sqrt(radius^2 / maximum x |value|))
int CircleRadius(double value, double maximum, long radius);
} // namespace MapSymbols

// The whole map as one element; its rectangle is the map's box in pixels.
class MapElement : public element
{
public:
    explicit MapElement(MapGraphWindow *graph);
    // Draws the map: background, regions, overlays, symbols.
    void Draw() override;
    MapGraphWindow *Graph() const { return graph; }

private:
    MapGraphWindow *graph;
};

struct MapZoomEntry
{
    double scale;
    long originX, originY;
};

class MapGraphWindow : public GRAPHWIN
{
public:
    static constexpr int defaultMargin = 20;
    static constexpr long pixelLimit = 1L << 26;
    // The smallest rubber band that zooms, and the largest scale (pixels
    // per map unit): a map of the whole 16-bit range then spans 2^24 pixels,
    // within the coordinates GDI draws; zooming further would garble it.
    static constexpr int smallestZoomBand = 30;
    static constexpr double largestScale = 256.0;

    // displayMode: MapClassSettings::DisplayMode; settings: the page's
    // class settings, which the map's statistics read.
    // The window's own mouse tools.
    enum MapTool { toolNone = 0, toolZoom = 1, toolIdentify = 2 };
    // What a press on the legend grabs.
    enum LegendGrip { gripNone = 0, gripTop = 1, gripBottom = 2, gripMark = 3 };
    // How near (pixels) a press must be to a legend edge or the centre mark.
    static constexpr int gripTolerance = 5;
    // The line that shows a legend drag's position.
    static constexpr COLORREF dragLineColour = RGB(0, 0, 255);

    MapGraphWindow(MapGraph *graph, MapClassSettings *settings, int displayMode);
    ~MapGraphWindow() override;

    // The display mode from the settings (the options may have changed
    // it), the map's statistics, the map element and a new legend; the next
    // draw fits the map.
    void BuildGraph() override;
    // Fits the map again when the window's size changed.
    void LayoutChildren() override;
    // A new size (the window's, or a printed page's) fits the unzoomed map
    // to it again and gives the legend its default size and place.
    void Rescale(int width, int height) override;
    ZafEventType Event(const ZafEventRecord &event) override;
    // While the map is panned the screen shows the copy taken at the press,
    // shifted with the pointer; otherwise the graph's own drawing.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // Over the map the cursor shows the window's own tool in force.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;

    // --- Panning (MapGraphWindowMouse.cpp) ----------------------------------
    // A press on the map element in move mode pans: the client area is
    // copied, and while the button is held the copy is drawn shifted by the
    // drag (dx, dy) with the uncovered strips in the map's background; the
    // release moves the map element, whose new place the next draw turns
    // into the view's margins (unzoomed) or origin (zoomed).
    bool Panning() const { return panDC != nullptr; }
    POINT PanShift() const { return POINT{panShiftX, panShiftY}; }

    // --- Tools (MapGraphWindowMouse.cpp) ------------------------------------
    // The window's own tool; it lapses (Tool answers toolNone) once the user
    // chooses a mouse mode in the main window after it was set.
    void SetTool(int tool);
    int Tool() const;
    // Shows the tool in force now, at once: a lapsed own tool is dropped,
    // the identify outline and label go when identifying ends, a zoom
    // rubber band when zooming ends, the buttons and the cursor follow.
    // Called on every change of tool, of the program's mouse mode and of
    // the identify flag. The buttons, which the workbook's pages share,
    // follow a window whose page is hidden only when its own tool is set.
    void ApplyTool(bool buttons = true);
    // The workbook's buttons of the identify and zoom tools (either may be
    // null), shown pressed in while their tool is in force in this window.
    void SetToolButtons(ZafWindowObject *identify, ZafWindowObject *zoom);
    void ShowToolButtons() const;
    // The tool the mouse works with now: identify while the program-wide
    // identify flag is set and the window's own tool is not zoom.
    int ToolInForce() const;
    // The region whose polygon holds the window pixel (even-odd rule per
    // part), or null.
    const MapRegion *RegionAt(int x, int y) const;
    // The hover label's text of a region: " code name : value ".
    std::string IdentifyText(const MapRegion &region) const;
    // Identifies the region under the pixel: outlines it and names it in
    // the hover label; nothing changes while the pointer stays in it.
    void Identify(int x, int y);
    // Draws the outlined region normally and hides the label.
    void EndIdentify();
    long HighlightedRegion() const { return highlighted; }
    // What a press at the pixel would grab of the legend.
    LegendGrip LegendGripAt(int x, int y) const;
    // The legend drag: begun at a grip, followed to y, ended at y.
    void BeginLegendDrag(LegendGrip grip, int y);
    void ContinueLegendDrag(int y);
    void EndLegendDrag(int y);
    LegendGrip LegendDragGrip() const { return legendDrag; }
    // The centre value at a pixel row of the ramp legend.
    double CentreValueAt(int y) const;
    // The legend's height changed: the bar length (bars) or circle radius
    // (circles) follows it.
    void LegendResized();
    // Opens the class-limit dialog at the screen pixel for the page's
    // record; true when it ended with new limits. Set by the page.
    std::function<bool(int screenX, int screenY)> classDialog;
    // Fits the scale when it is unset and places the map element.
    void PrepareDraw() override;
    // Another display mode: the statistics again and a redisplay.
    void SetDisplayMode(int mode);
    int DisplayMode() const { return displayMode; }

    // A map coordinate in window pixels (before the device scaling).
    int PixelX(long x) const;
    int PixelY(long y) const;
    // The map's box in window pixels.
    ElementRect MapRectangle() const;
    // The scale that fits the map's box into a client area of the size
    // with the current margins (pixels per map unit).
    double FitScale(int clientWidth, int clientHeight) const;
    // Drawing the map's parts into the draw context.
    void DrawMap();
    // hatched: a region without a value, crossed by grey lines over its
    // fill so that it stands apart from every class in colour and in grey.
    void DrawRegion(const MapRegion &region, const MapColourEntry &colour, bool hatched = false);
    void DrawSymbol(const MapRegion &region);

    // Zoom: into a released rubber band of at least 30 x 30 pixels (a
    // step that would pass the largest scale is refused), one step back
    // out, and back to the fitted view. The zoom-out button (when set) is
    // enabled while a zoom step is on the stack.
    void ZoomDragEnded(const ElementRect &band) override;
    bool ZoomIn(const ElementRect &band);
    void PopZoom();
    void ResetZoom();
    void SetZoomOutButton(ZafWindowObject *button);

    MapGraph *Graph() const { return graph; }
    MapElement *Element() const { return mapElement; }
    MapKey *Legend() const { return legend; }

    // The symbols' share of their set size in this pane: 1 in a pane of
    // 300 pixels or more each way, down to 0.4 in a smaller one, so that
    // the symbols of neighbouring regions stay apart.
    double SymbolScale() const;
    // The bar length and circle radius drawn now (pixels).
    long DrawnBarLength() const;
    long DrawnCircleRadius() const;
    // The bar's half width (10 pixels at full size, at least 4).
    int BarHalfWidth() const;

    // The view.
    double scale = -1.0;
    int marginX = defaultMargin, marginY = defaultMargin;
    long originX = 0, originY = 0;
    double zoomFactor = 1.0;
    std::vector<MapZoomEntry> zoomStack;
    // The symbol sizes (pixels at full size): the bar length, the circle
    // radius.
    long barLength = 30, circleRadius = 20;

private:
    // What a new size does to the map: identify ends, an unzoomed map is
    // fitted again at its next draw, the legend goes back to its default place.
    void RefitForNewSize();
    POINT Device(long x, long y) const;
    void DrawRegionNow(const MapRegion &region, bool outlined);
    // Two pixels inside the region's outline in black or white, whichever
    // stands out from its fill.
    void DrawOutline(HDC dc, const MapRegion &region);
    void RedrawOverRegions();
    void DrawDragLine(int y);
    void RestoreDragStrip();
    void LegendDoubleClick(int x, int y);
    void BeginPan();
    void ContinuePan(int x, int y);
    void EndPan();
    void FreePan();
    // The pan copy shifted, the strips it leaves filled; width and height
    // of the area drawn.
    void DrawPanned(HDC dc, int width, int height) const;
    // A moved map element: the unzoomed map moves its margins, a zoomed one
    // pans its origin.
    void TakeMapElementPlace();

    int ClientWidth() const { return view.right - view.left + 1; }
    int ClientHeight() const { return view.bottom - view.top + 1; }

    MapGraph *graph;
    MapClassSettings *settings;
    int displayMode;
    MapElement *mapElement = nullptr;
    MapKey *legend = nullptr;
    ZafWindowObject *zoomOutButton = nullptr;
    ZafWindowObject *identifyButton = nullptr, *zoomInButton = nullptr;
    int tool = toolNone;
    int toolChoice = 0; // GraphModeChoices when the tool was set
    int lastInForce = toolNone;
    // While a whole map is drawn: the grey setting (1 grey, 0 colour; -1
    // read at each use) and the polygon's device points.
    int greyDrawing = -1;
    std::vector<POINT> pointBuffer;
    std::vector<INT> partCountBuffer; // points per part of the region drawn
    // The map element's rectangle as the last draw placed it.
    ElementRect placed{0, 0, 0, 0, 0};
    long highlighted = -1;
    LegendGrip legendDrag = gripNone;
    int dragLineY = -1;
    // The 3-pixel strip under the drag line.
    HDC stripDC = nullptr;
    HBITMAP stripBitmap = nullptr;
    HGDIOBJ stripOld = nullptr;
    int stripLeft = 0, stripTop = -1, stripWidth = 0;
    // The client area as it was at the pan's press, and the shift so far.
    HDC panDC = nullptr;
    HBITMAP panBitmap = nullptr;
    HGDIOBJ panOld = nullptr;
    HBRUSH panBrush = nullptr;
    int panWidth = 0, panHeight = 0, panShiftX = 0, panShiftY = 0;
    ElementRect panStart{0, 0, 0, 0, 0};
};
