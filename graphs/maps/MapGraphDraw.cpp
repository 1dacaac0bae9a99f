#include "graphs/maps/MapGraphWindow.h"

#include "graphs/GraphSettings.h"
#include "graphs/maps/MapKey.h"
#include "shell/QIVprog.h"

#include <algorithm>
#include <cmath>

namespace {

// A pixel computed in floating point, truncated and kept inside the range
// the GDI draws in.
int ClampedPixel(double pixel)
{
    const double limit = static_cast<double>(MapGraphWindow::pixelLimit);
    if (!(pixel > -limit)) // also NaN
        return -static_cast<int>(MapGraphWindow::pixelLimit);
    if (pixel > limit)
        return static_cast<int>(MapGraphWindow::pixelLimit);
    return static_cast<int>(pixel);
}

// The printer's overlay colours: a black outline round a white fill.
const MapColourEntry printedOverlay = {0, 0, 0, 0, 255, 255, 255, 255};

bool UsableMaximum(double value, double maximum)
{
    return std::isfinite(value) && std::isfinite(maximum) && maximum > 0.0;
}

} // namespace

namespace MapSymbols {

int BarLength(double value, double maximum, long barLength)
{
    if (!UsableMaximum(value, maximum))
        return 0;
    return ClampedPixel(std::fabs(value) * static_cast<double>(barLength) / maximum);
}

int CircleRadius(double value, double maximum, long radius)
{
    if (!UsableMaximum(value, maximum))
        return 0;
    const double r = static_cast<double>(radius);
    return ClampedPixel(std::sqrt(r * r / maximum * std::fabs(value)));
}

} // namespace MapSymbols

// --- MapElement ------------------------------------------------------------------------

MapElement::MapElement(MapGraphWindow *graph) : element(kindMapRegion), graph(graph)
{
    SetName("map");
}

void MapElement::Draw()
{
    if (graph)
        graph->DrawMap();
}

// --- MapGraphWindow ----------------------------------------------------------------------

MapGraphWindow::MapGraphWindow(MapGraph *graph, MapClassSettings *settings, int displayMode)
    : GRAPHWIN(0, 0, 0, 0), graph(graph), settings(settings), displayMode(displayMode)
{
    SetDrawStyle(nullptr);
    // A mouse mode or identifying chosen anywhere shows here at once.
    AddGraphModeListener(this, [this] { ApplyTool(false); });
}

MapGraphWindow::~MapGraphWindow()
{
    RemoveGraphModeListener(this);
    RestoreDragStrip();
    FreePan();
}

void MapGraphWindow::SetDisplayMode(int mode)
{
    if (mode == displayMode)
        return;
    displayMode = mode;
    // The legend stays: each of its forms keeps its own place.
    if (settings)
        settings->displayMode = displayMode;
    if (graph)
        graph->MapRegionStats();
    if (Built())
        SendRedisplay(this);
}

void MapGraphWindow::BuildGraph()
{
    // The settings carry the mode the options chose last.
    if (settings && settings->displayMode >= MapClassSettings::choropleth &&
        settings->displayMode <= MapClassSettings::circles)
        displayMode = settings->displayMode;
    highlighted = -1;
    if (graph)
        graph->MapRegionStats();
    mapElement = new MapElement(this);
    AddElement(mapElement);
    // The legend drawn after (over) the map.
    legend = new MapKey(this);
    AddElement(legend);
    ResetZoom();
    scale = -1.0;
}

void MapGraphWindow::SetZoomOutButton(ZafWindowObject *button)
{
    zoomOutButton = button;
    if (zoomOutButton)
        zoomOutButton->SetDisabled(zoomStack.empty());
}

void MapGraphWindow::ResetZoom()
{
    zoomFactor = 1.0;
    marginX = marginY = defaultMargin;
    originX = originY = 0;
    std::vector<MapZoomEntry>().swap(zoomStack);
    if (zoomOutButton)
        zoomOutButton->SetDisabled(true);
}

void MapGraphWindow::ZoomDragEnded(const ElementRect &band)
{
    if (ZoomIn(band))
        SendRedisplay(this);
}

bool MapGraphWindow::ZoomIn(const ElementRect &band)
{
    if (band.right - band.left < smallestZoomBand || band.bottom - band.top < smallestZoomBand || scale <= 0.0)
        return false;
    const double factor =
        std::min(static_cast<double>(ClientWidth()) / band.Width(), static_cast<double>(ClientHeight()) / band.Height());
    if (scale * factor > largestScale)
        return false;
    originX = static_cast<long>((band.left - marginX) / scale + originX);
    originY = static_cast<long>((band.top - marginY) / scale + originY);
    scale *= factor;
    marginX = marginY = 0;
    zoomFactor = factor;
    zoomStack.push_back(MapZoomEntry{scale, originX, originY});
    if (zoomOutButton)
        zoomOutButton->SetDisabled(false);
    return true;
}

void MapGraphWindow::PopZoom()
{
    if (!zoomStack.empty())
        zoomStack.pop_back();
    if (zoomStack.empty()) {
        ResetZoom();
        scale = -1.0;
    } else {
        scale = zoomStack.back().scale;
        originX = zoomStack.back().originX;
        originY = zoomStack.back().originY;
    }
    if (Built())
        SendRedisplay(this);
}

double MapGraphWindow::FitScale(int clientWidth, int clientHeight) const
{
    if (!graph)
        return 1.0;
    const double width = static_cast<double>(graph->maxX - graph->minX + 1);
    const double height = static_cast<double>(graph->maxY - graph->minY + 1);
    const double fit = std::min((clientWidth - 2.0 * marginX) / width, (clientHeight - 2.0 * marginY) / height);
    // A window smaller than its margins still shows the map, however small.
    return fit > 0.0 ? fit : 1e-6;
}

int MapGraphWindow::PixelX(long x) const
{
    return ClampedPixel((static_cast<double>(x) - originX) * scale + marginX);
}

int MapGraphWindow::PixelY(long y) const
{
    return ClampedPixel((static_cast<double>(y) - originY) * scale + marginY);
}

ElementRect MapGraphWindow::MapRectangle() const
{
    if (!graph)
        return ElementRect{marginX, marginY, marginX, marginY, ZAF_PIXEL};
    return ElementRect{PixelX(graph->minX), PixelY(graph->minY), PixelX(graph->maxX), PixelY(graph->maxY), ZAF_PIXEL};
}

void MapGraphWindow::TakeMapElementPlace()
{
    if (!mapElement || scale <= 0.0 || mapElement->HasFlag(element::flagStale))
        return;
    // Only a move of the element by the user shifts the view: a zoom or a
    // refit changes the map's rectangle, not where the element was put.
    const int dx = mapElement->device.left - placed.left, dy = mapElement->device.top - placed.top;
    if (dx == 0 && dy == 0)
        return;
    // Unzoomed, the map is drawn from the margins, which follow the moved
    // element; shifting the origin as well would move the map twice.
    if (zoomStack.empty()) {
        marginX += dx;
        marginY += dy;
        return;
    }
    originX = static_cast<long>(-(marginX + dx) / scale + originX);
    originY = static_cast<long>(-(marginY + dy) / scale + originY);
    // The panned view is the current zoom step's.
    zoomStack.back().originX = originX;
    zoomStack.back().originY = originY;
}

void MapGraphWindow::LayoutChildren()
{
    RECT client = {};
    if (Built() && OSHandle() && GetClientRect(OSHandle(), &client) && client.right > 0 && client.bottom > 0 &&
        (client.right != ClientWidth() || client.bottom != ClientHeight()))
        RefitForNewSize();
    GRAPHWIN::LayoutChildren();
}

void MapGraphWindow::RefitForNewSize()
{
    EndIdentify();
    // The unzoomed map fits the new size; a zoomed one keeps its scale.
    if (zoomStack.empty()) {
        scale = -1.0;
        marginX = marginY = defaultMargin;
    }
    if (legend)
        legend->ForgetPlaces();
}

void MapGraphWindow::Rescale(int width, int height)
{
    if (Built() && (width != ClientWidth() || height != ClientHeight()))
        RefitForNewSize();
    GRAPHWIN::Rescale(width, height);
}

void MapGraphWindow::PrepareDraw()
{
    TakeMapElementPlace();
    if (drawMode == drawScreen) {
        // A redisplay paints over the outline and the label.
        highlighted = -1;
        HideLabel();
        if (zoomOutButton)
            zoomOutButton->SetDisabled(zoomStack.empty());
        ShowToolButtons();
    }
    if (scale < 0.0)
        scale = FitScale(ClientWidth(), ClientHeight());
    if (mapElement) {
        mapElement->device = placed = MapRectangle();
        mapElement->drag = mapElement->device;
        ElementToLogical(mapElement);
        mapElement->ClearFlag(element::flagStale);
    }
}

POINT MapGraphWindow::Device(long x, long y) const
{
    int numerator = 1, denominator = 1, deviceX = 0, deviceY = 0;
    OutputScale(numerator, denominator, deviceX, deviceY);
    const long long px = PixelX(x), py = PixelY(y);
    return POINT{static_cast<LONG>(px * numerator / denominator + deviceX),
                 static_cast<LONG>(py * numerator / denominator + deviceY)};
}

void MapGraphWindow::DrawRegion(const MapRegion &region, const MapColourEntry &colour, bool hatched)
{
    HDC dc = drawDC;
    if (!dc || !region.HasPolygon())
        return;
    // A region wholly outside the pane (a zoomed map) is not drawn.
    if (drawMode == drawScreen && (PixelX(region.maxX) < view.left || PixelX(region.minX) > view.right ||
                                   PixelY(region.maxY) < view.top || PixelY(region.minY) > view.bottom))
        return;
    const bool grey = greyDrawing >= 0 ? greyDrawing != 0 : GraphSettings::UseGrayscale();
    MapColourTable::Select(dc, colour, !grey, grey);
    HBRUSH hatch = nullptr;
    HGDIOBJ tableBrush = nullptr;
    int oldBkMode = 0;
    if (hatched) {
        hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(128, 128, 128));
        oldBkMode = SetBkMode(dc, OPAQUE);
        SetBkColor(dc, grey ? RGB(colour.fillGrey, colour.fillGrey, colour.fillGrey)
                            : RGB(colour.fillR, colour.fillG, colour.fillB));
        tableBrush = SelectObject(dc, hatch);
    }
    // The output scale once per region, not per point.
    int numerator = 1, denominator = 1, deviceX = 0, deviceY = 0;
    OutputScale(numerator, denominator, deviceX, deviceY);
    const bool unscaled = numerator == denominator;
    // All parts are filled as one figure under the even-odd rule, as the
    // identify tool reads them: a part inside another part is a hole that
    // shows what lies below the region.
    std::vector<POINT> &points = pointBuffer;
    std::vector<INT> &counts = partCountBuffer;
    points.clear();
    counts.clear();
    size_t at = 0;
    for (long part = 0; part < region.partCount && at < region.points.size(); ++part) {
        const long n = region.points[at++];
        const size_t first = points.size();
        for (long k = 0; k < n && at + 1 < region.points.size(); ++k, at += 2) {
            const long long px = PixelX(region.points[at]), py = PixelY(region.points[at + 1]);
            const POINT p = unscaled ? POINT{static_cast<LONG>(px + deviceX), static_cast<LONG>(py + deviceY)}
                                     : POINT{static_cast<LONG>(px * numerator / denominator + deviceX),
                                             static_cast<LONG>(py * numerator / denominator + deviceY)};
            // Points that fall on the pixel before add nothing to the fill.
            if (points.size() == first || p.x != points.back().x || p.y != points.back().y)
                points.push_back(p);
        }
        if (points.size() - first >= 2)
            counts.push_back(static_cast<INT>(points.size() - first));
        else
            points.resize(first);
    }
    if (!counts.empty()) {
        const int oldFillMode = SetPolyFillMode(dc, ALTERNATE);
        PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));
        SetPolyFillMode(dc, oldFillMode);
    }
    if (hatch) {
        SelectObject(dc, tableBrush);
        DeleteObject(hatch);
        SetBkMode(dc, oldBkMode);
    }
    MapColourTable::Restore();
}

void MapGraphWindow::DrawSymbol(const MapRegion &region)
{
    HDC dc = drawDC;
    // No value or no anchor: no symbol (rather than one at the map's 0, 0).
    if (!dc || !graph || !region.HasValue() || !region.hasPoint)
        return;
    const MapColourEntry &colour =
        region.value >= 0.0 ? MapClasses::PositiveSymbolColour() : MapClasses::NegativeSymbolColour();
    int numerator = 1, denominator = 1, deviceX = 0, deviceY = 0;
    OutputScale(numerator, denominator, deviceX, deviceY);
    auto device = [&](long long v, int origin) {
        return static_cast<int>(v * numerator / denominator + origin);
    };
    const int x = PixelX(region.pointX), y = PixelY(region.pointY);
    const bool grey = greyDrawing >= 0 ? greyDrawing != 0 : GraphSettings::UseGrayscale();
    MapColourTable::Select(dc, colour, !grey, grey);
    if (displayMode == MapClassSettings::bars) {
        const int length = MapSymbols::BarLength(region.value, graph->maximum, DrawnBarLength());
        const int half = BarHalfWidth();
        const int left = device(x - half, deviceX), right = device(x + half, deviceX);
        const int anchor = device(y, deviceY);
        Rectangle(dc, left - 2, anchor - 1, right + 2, anchor + 2);
        if (length > 0) {
            const int end = device(region.value >= 0.0 ? static_cast<long long>(y) - length
                                                       : static_cast<long long>(y) + length,
                                   deviceY);
            Rectangle(dc, left, std::min(anchor, end), right, std::max(anchor, end) + 1);
        }
    } else if (displayMode == MapClassSettings::circles) {
        const int r = MapSymbols::CircleRadius(region.value, graph->maximum, DrawnCircleRadius());
        if (r > 0)
            Ellipse(dc, device(x - r, deviceX), device(y - r, deviceY), device(x + r, deviceX) + 1,
                    device(y + r, deviceY) + 1);
    }
    MapColourTable::Restore();
}

double MapGraphWindow::SymbolScale() const
{
    const int side = std::min(ClientWidth(), ClientHeight());
    return side <= 1 ? 1.0 : std::max(0.4, std::min(1.0, side / 300.0));
}

long MapGraphWindow::DrawnBarLength() const
{
    return std::max(1L, std::lround(barLength * SymbolScale()));
}

long MapGraphWindow::DrawnCircleRadius() const
{
    return std::max(1L, std::lround(circleRadius * SymbolScale()));
}

int MapGraphWindow::BarHalfWidth() const
{
    return std::max(4, static_cast<int>(std::lround(10 * SymbolScale())));
}

void MapGraphWindow::DrawMap()
{
    HDC dc = drawDC;
    if (!dc || !graph)
        return;
    if (drawMode == drawScreen) {
        MapColourTable::Select(dc, MapClasses::BackgroundColour(), true);
        SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, view.left, view.top, view.right + 2, view.bottom + 2);
        MapColourTable::Restore();
    }
    // The grey setting read once for the whole map.
    greyDrawing = GraphSettings::UseGrayscale() ? 1 : 0;
    const MapColourEntry overlay = drawMode == drawPrinter ? printedOverlay : MapClasses::BackgroundColour();
    for (const auto &entry : graph->regions)
        DrawRegion(entry.second, entry.second.colour, !entry.second.HasValue());
    for (const auto &entry : graph->overlays)
        DrawRegion(entry.second, overlay);
    if (displayMode == MapClassSettings::bars || displayMode == MapClassSettings::circles)
        for (const auto &entry : graph->regions)
            DrawSymbol(entry.second);
    greyDrawing = -1;
}
