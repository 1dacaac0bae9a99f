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
// Ownership: the window does not own the MapGraph (the page's text window
// does) nor the class settings (the page's record); it owns its elements.
#pragma once

#include "graphs/GRAPHWIN.h"
#include "graphs/maps/MapGraph.h"

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
    // per map unit): a map of the whole 16-bit range then spans 2^24 pixels.
    static constexpr int smallestZoomBand = 30;
    static constexpr double largestScale = 256.0;

    // displayMode: MapClassSettings::DisplayMode; settings: the page's
    // class settings, which the map's statistics read.
    MapGraphWindow(MapGraph *graph, MapClassSettings *settings, int displayMode);
    ~MapGraphWindow() override;

    // The map's statistics for the display mode, the map element and a new
    // legend; the next draw fits the map.
    void BuildGraph() override;
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
    void DrawRegion(const MapRegion &region, const MapColourEntry &colour);
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

    // The view.
    double scale = -1.0;
    int marginX = defaultMargin, marginY = defaultMargin;
    long originX = 0, originY = 0;
    double zoomFactor = 1.0;
    std::vector<MapZoomEntry> zoomStack;
    // The symbol sizes (pixels): the bar length, the circle radius.
    long barLength = 30, circleRadius = 20;

private:
    POINT Device(long x, long y) const;
    int ClientWidth() const { return view.right - view.left + 1; }
    int ClientHeight() const { return view.bottom - view.top + 1; }

    MapGraph *graph;
    MapClassSettings *settings;
    int displayMode;
    MapElement *mapElement = nullptr;
    MapKey *legend = nullptr;
    ZafWindowObject *zoomOutButton = nullptr;
};
