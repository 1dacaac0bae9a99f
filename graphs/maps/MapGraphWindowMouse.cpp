// MapGraphWindow: the map's own mouse tools - identify with the hover label
// and the outlined region, the zoom tool of this window alone, the legend's
// edge and centre-mark drags and its double click.

#include "graphs/maps/MapGraphWindow.h"

#include "graphs/GraphSettings.h"
#include "graphs/maps/CentreValueDialog.h"
#include "graphs/maps/MapKey.h"
#include "shell/QIVprog.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafTracker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Even-odd rule over all parts of a region: a ray from the point to the
// left crosses an odd number of edges. An edge counts when it spans the
// point's row half-open (one end at or below the row, the other above it)
// and crosses the row left of the point. A row through a corner thus
// counts the corner once where the outline passes through it and twice or
// not at all where it turns back, so points on such rows are found as on
// any other. Counting over all parts makes a part inside another a hole,
// while islands, which lie apart, each count alone.
void CountCrossings(const std::vector<long> &points, size_t at, long n, long x, long y, bool &inside)
{
    for (long k = 0; k + 1 < n; ++k) {
        const size_t a = at + 2 * static_cast<size_t>(k), b = a + 2;
        if (b + 1 >= points.size())
            break;
        const long x1 = points[a], y1 = points[a + 1], x2 = points[b], y2 = points[b + 1];
        if ((y1 <= y) != (y2 <= y)) {
            const double cross = x1 + static_cast<double>(y - y1) * (x2 - x1) / static_cast<double>(y2 - y1);
            if (cross < static_cast<double>(x))
                inside = !inside;
        }
    }
}

bool PolygonContains(const MapRegion &region, long x, long y)
{
    bool inside = false;
    size_t at = 0;
    for (long part = 0; part < region.partCount && at < region.points.size(); ++part) {
        const long n = region.points[at++];
        if (n > 0)
            CountCrossings(region.points, at, n, x, y, inside);
        at += 2 * static_cast<size_t>(std::max(0L, n));
    }
    return inside;
}

} // namespace

void MapGraphWindow::SetTool(int newTool)
{
    tool = newTool;
    toolChoice = GraphModeChoices;
    ApplyTool();
}

void MapGraphWindow::ApplyTool(bool buttons)
{
    if (tool != toolNone && Tool() == toolNone)
        tool = toolNone;
    const int now = ToolInForce();
    if (now != toolIdentify)
        EndIdentify();
    if (now != toolZoom && lastInForce == toolZoom && rubberBand) {
        DrawFocusMarks(rubberBand->drawn);
        delete rubberBand;
        rubberBand = nullptr;
        if (capturing) {
            capturing = false;
            ReleaseCapture();
        }
    }
    lastInForce = now;
    if (buttons || (OSHandle() && IsWindowVisible(OSHandle())))
        ShowToolButtons();
    // The pointer over the map takes the new tool's cursor now.
    POINT pointer = {};
    if (OSHandle() && GetCursorPos(&pointer) && WindowFromPoint(pointer) == OSHandle())
        SendMessageA(OSHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(OSHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void MapGraphWindow::SetToolButtons(ZafWindowObject *identify, ZafWindowObject *zoom)
{
    identifyButton = identify;
    zoomInButton = zoom;
    ShowToolButtons();
}

void MapGraphWindow::ShowToolButtons() const
{
    const int inForce = ToolInForce();
    if (identifyButton && identifyButton->Selected() != (inForce == toolIdentify))
        identifyButton->SetSelected(inForce == toolIdentify);
    if (zoomInButton && zoomInButton->Selected() != (inForce == toolZoom))
        zoomInButton->SetSelected(inForce == toolZoom);
}

int MapGraphWindow::Tool() const
{
    return toolChoice == GraphModeChoices ? tool : toolNone;
}

int MapGraphWindow::ToolInForce() const
{
    const int own = Tool();
    if (own == toolZoom)
        return toolZoom;
    if (own == toolIdentify || MapIdentifyFlag)
        return toolIdentify;
    return toolNone;
}

const MapRegion *MapGraphWindow::RegionAt(int px, int py) const
{
    if (!graph || scale <= 0.0)
        return nullptr;
    const long x = static_cast<long>((px - marginX) / scale + originX);
    const long y = static_cast<long>((py - marginY) / scale + originY);
    for (const auto &entry : graph->regions) {
        const MapRegion &r = entry.second;
        // The box taken with its edges: map units are whole, so when zoomed
        // in a unit on the box's edge spans many pixels, which would
        // otherwise name no region at all.
        if (r.HasPolygon() && r.minX <= x && x <= r.maxX && r.minY <= y && y <= r.maxY && PolygonContains(r, x, y))
            return &r;
    }
    return nullptr;
}

std::string MapGraphWindow::IdentifyText(const MapRegion &region) const
{
    std::string value;
    if (!region.HasValue()) {
        value = "missing";
    } else {
        if (graph)
            for (const CategoryLabel &label : graph->regions.labels)
                if (label.value == region.value)
                    value = label.text;
        if (value.empty()) {
            char text[64];
            std::snprintf(text, sizeof text, "%.*f", graph ? graph->regions.decimals : 2, region.value);
            value = text;
        }
    }
    return " " + std::to_string(region.code) + " " + region.name + " : " + value + " ";
}

void MapGraphWindow::DrawRegionNow(const MapRegion &region, bool outlined)
{
    if (!OSHandle())
        return;
    HDC dc = GetDC(OSHandle());
    HDC before = drawDC;
    drawDC = dc;
    DrawRegion(region, region.colour, !region.HasValue());
    if (outlined)
        DrawOutline(dc, region);
    drawDC = before;
    ReleaseDC(OSHandle(), dc);
}

void MapGraphWindow::DrawOutline(HDC dc, const MapRegion &region)
{
    std::vector<POINT> points;
    std::vector<INT> counts;
    size_t at = 0;
    for (long part = 0; part < region.partCount && at < region.points.size(); ++part) {
        const long n = region.points[at++];
        const size_t first = points.size();
        for (long k = 0; k < n && at + 1 < region.points.size(); ++k, at += 2)
            points.push_back(POINT{PixelX(region.points[at]), PixelY(region.points[at + 1])});
        if (points.size() - first < 3)
            points.resize(first);
        else
            counts.push_back(static_cast<INT>(points.size() - first));
    }
    if (counts.empty())
        return;
    // Clipped to the region, a pen four pixels wide on its edge leaves two
    // pixels inside it and none on its neighbours, so drawing the region
    // again takes the outline away.
    HRGN inside = CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()), ALTERNATE);
    if (!inside)
        return;
    const bool grey = GraphSettings::UseGrayscale();
    const MapColourEntry &c = region.colour;
    const int light = grey ? c.fillGrey : (299 * c.fillR + 587 * c.fillG + 114 * c.fillB) / 1000;
    const COLORREF ink = light >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, inside);
    HPEN pen = CreatePen(PS_SOLID, 4, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    size_t from = 0;
    for (INT count : counts) {
        std::vector<POINT> ring(points.begin() + static_cast<std::ptrdiff_t>(from),
                                points.begin() + static_cast<std::ptrdiff_t>(from + count));
        ring.push_back(ring.front());
        Polyline(dc, ring.data(), static_cast<int>(ring.size()));
        from += static_cast<size_t>(count);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    RestoreDC(dc, saved);
    DeleteObject(inside);
}

void MapGraphWindow::RedrawOverRegions()
{
    // The overlays and symbols lie over the regions: drawn again on top.
    if (!OSHandle() || !graph)
        return;
    HDC dc = GetDC(OSHandle());
    HDC before = drawDC;
    drawDC = dc;
    for (const auto &entry : graph->overlays)
        DrawRegion(entry.second, MapClasses::BackgroundColour());
    if (displayMode == MapClassSettings::bars || displayMode == MapClassSettings::circles)
        for (const auto &entry : graph->regions)
            DrawSymbol(entry.second);
    drawDC = before;
    ReleaseDC(OSHandle(), dc);
}

void MapGraphWindow::Identify(int x, int y)
{
    const MapRegion *region = RegionAt(x, y);
    const long code = region ? region->code : -1;
    if (code == highlighted)
        return;
    EndIdentify();
    if (!region)
        return;
    // Outlined inside its edge in black or white, whichever stands out from
    // its fill: a pen of one fixed highlight colour is lost on a fill of
    // that colour, and on the edge it shares with a neighbour.
    DrawRegionNow(*region, true);
    RedrawOverRegions();
    highlighted = code;
    const int anchorX = static_cast<int>(PixelX(region->minX) + (region->maxX - region->minX + 1) * scale * 0.5);
    SetLabel(anchorX, PixelY(region->minY) - 4, IdentifyText(*region).c_str());
    ShowLabel();
}

void MapGraphWindow::EndIdentify()
{
    HideLabel();
    if (highlighted < 0 || !graph)
        return;
    if (const MapRegion *previous = graph->regions.Find(highlighted))
        DrawRegionNow(*previous, false);
    highlighted = -1;
    RedrawOverRegions();
}

// --- The legend ------------------------------------------------------------------------

MapGraphWindow::LegendGrip MapGraphWindow::LegendGripAt(int x, int y) const
{
    if (!legend || !legend->Visible())
        return gripNone;
    const ElementRect &r = legend->device;
    if (x < r.left || x > r.right)
        return gripNone;
    const int mark = legend->MarkRow();
    if (mark >= 0 && std::abs(y - mark) <= gripTolerance)
        return gripMark;
    if (std::abs(y - r.top) <= gripTolerance)
        return gripTop;
    if (std::abs(y - r.bottom) <= gripTolerance)
        return gripBottom;
    return gripNone;
}

double MapGraphWindow::CentreValueAt(int y) const
{
    if (!graph || !legend)
        return 0.0;
    const ElementRect &r = legend->device;
    const double fraction = static_cast<double>(std::max(r.top, std::min(y, r.bottom)) - r.top) / (r.bottom - r.top + 1);
    return graph->minimum + (graph->maximum - graph->minimum) * fraction;
}

void MapGraphWindow::RestoreDragStrip()
{
    if (!stripDC)
        return;
    if (OSHandle() && stripTop >= 0) {
        HDC dc = GetDC(OSHandle());
        BitBlt(dc, stripLeft, stripTop, stripWidth, 3, stripDC, 0, 0, SRCCOPY);
        ReleaseDC(OSHandle(), dc);
    }
    SelectObject(stripDC, stripOld);
    DeleteObject(stripBitmap);
    DeleteDC(stripDC);
    stripDC = nullptr;
    stripBitmap = nullptr;
    stripTop = -1;
}

void MapGraphWindow::DrawDragLine(int y)
{
    RestoreDragStrip();
    dragLineY = y;
    if (!OSHandle() || !legend)
        return;
    HDC dc = GetDC(OSHandle());
    stripLeft = legend->device.left;
    stripWidth = legend->device.right - legend->device.left + 1;
    stripTop = y - 1;
    stripDC = CreateCompatibleDC(dc);
    stripBitmap = CreateCompatibleBitmap(dc, stripWidth, 3);
    stripOld = SelectObject(stripDC, stripBitmap);
    BitBlt(stripDC, 0, 0, stripWidth, 3, dc, stripLeft, stripTop, SRCCOPY);
    HPEN pen = CreatePen(PS_SOLID, 1, dragLineColour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, stripLeft, y, nullptr);
    LineTo(dc, stripLeft + stripWidth, y);
    SelectObject(dc, old);
    DeleteObject(pen);
    ReleaseDC(OSHandle(), dc);
}

void MapGraphWindow::BeginLegendDrag(LegendGrip grip, int y)
{
    legendDrag = grip;
    EndIdentify();
    DropSelection();
    if (OSHandle()) {
        SetCapture(OSHandle());
        capturing = true;
    }
    DrawDragLine(y);
}

void MapGraphWindow::ContinueLegendDrag(int y)
{
    if (legendDrag == gripNone)
        return;
    if (legendDrag == gripMark && graph) {
        const double value = CentreValueAt(y);
        if (legend->live) {
            // The map recoloured as the mark moves; the redisplay paints
            // over the old line, so no strip is put back.
            graph->centreValue = value;
            graph->MapRegionStats();
            RestoreDragStrip();
            HideLabel();
            SendRedisplay(this);
            // Painted now, so that the paint does not wipe out the line and
            // the value's label drawn next.
            if (OSHandle())
                UpdateWindow(OSHandle());
        }
        const std::string text = " " + legend->ValueText(value) + " ";
        DrawDragLine(y);
        SetLabel(legend->device.left + (legend->device.right - legend->device.left) / 2, legend->device.top - 4,
                 text.c_str());
        ShowLabel();
        return;
    }
    DrawDragLine(y);
}

void MapGraphWindow::EndLegendDrag(int y)
{
    const LegendGrip grip = legendDrag;
    legendDrag = gripNone;
    if (capturing) {
        capturing = false;
        ReleaseCapture();
    }
    RestoreDragStrip();
    HideLabel();
    dragLineY = -1;
    if (!legend || grip == gripNone)
        return;
    ElementRect &r = legend->device;
    if (grip == gripTop)
        r.top = std::min(y, r.bottom - 1);
    else if (grip == gripBottom)
        r.bottom = std::max(y, r.top + 1);
    if (grip == gripMark) {
        if (graph) {
            graph->centreValue = CentreValueAt(y);
            graph->MapRegionStats();
        }
    } else {
        ElementToLogical(legend);
        legend->Changed();
    }
    SendRedisplay(this);
}

void MapGraphWindow::LegendResized()
{
    if (!legend)
        return;
    const int height = legend->device.Height();
    if (height <= 0)
        return;
    // The legend shows the symbol as drawn: its height at full size.
    const double share = SymbolScale();
    if (legend->CurrentForm() == MapKey::barForm)
        barLength = std::max(1L, std::lround(height / share));
    else if (legend->CurrentForm() == MapKey::circleForm)
        circleRadius = std::max(1L, std::lround(height / 2 / share));
}

void MapGraphWindow::LegendDoubleClick(int x, int y)
{
    if (!legend)
        return;
    const ElementRect &r = legend->device;
    if (x < r.left || x > r.right || y < r.top || y > r.bottom)
        return;
    POINT screen = {x, y};
    if (OSHandle())
        ClientToScreen(OSHandle(), &screen);
    const MapKey::Form form = legend->CurrentForm();
    const bool centred = form == MapKey::rampForm && graph &&
                         graph->GetSettings().colourScheme == MapClassSettings::slide2;
    ZafTracker self(this);
    const int scheme = graph ? graph->GetSettings().colourScheme : -1;
    bool changed = false;
    if (form == MapKey::classForm && classDialog &&
        (scheme == MapClassSettings::metric || scheme == MapClassSettings::metric2)) {
        changed = classDialog(screen.x, screen.y);
    } else if (centred) {
        const double centre = graph->centreValue == MapRegion::missing ? graph->middle : graph->centreValue;
        CentreValueDialog dialog(centre, legend->live, legend->Decimals());
        PlaceDialogOnScreen(&dialog, screen.x, screen.y);
        const bool ok = dialog.Control() == ZAF_DIALOG_OK;
        if (self.Deleted())
            return;
        if (ok) {
            legend->live = dialog.Live();
            // A centre that is not a number keeps the one there was.
            if (std::isfinite(dialog.Centre()))
                graph->centreValue = dialog.Centre();
            changed = true;
        }
    }
    if (self.Deleted())
        return;
    if (changed) {
        if (graph)
            graph->MapRegionStats();
        SendRedisplay(this);
    }
}

// --- Panning ----------------------------------------------------------------------------

void MapGraphWindow::BeginPan()
{
    FreePan();
    if (!OSHandle() || !selected)
        return;
    // The press drew the element's focus marks: they go before the copy,
    // and a pan only moves the map (no handles).
    DrawFocusMarks(selected->drag);
    dragFlags = 0;
    panStart = selected->drag;
    RECT client = {};
    GetClientRect(OSHandle(), &client);
    panWidth = std::max(1L, client.right);
    panHeight = std::max(1L, client.bottom);
    HDC dc = GetDC(OSHandle());
    panDC = CreateCompatibleDC(dc);
    panBitmap = CreateCompatibleBitmap(dc, panWidth, panHeight);
    panOld = SelectObject(panDC, panBitmap);
    BitBlt(panDC, 0, 0, panWidth, panHeight, dc, 0, 0, SRCCOPY);
    ReleaseDC(OSHandle(), dc);
    const MapColourEntry &ground = MapClasses::BackgroundColour();
    const bool grey = GraphSettings::UseGrayscale();
    panBrush = CreateSolidBrush(grey ? RGB(ground.fillGrey, ground.fillGrey, ground.fillGrey)
                                     : RGB(ground.fillR, ground.fillG, ground.fillB));
    panShiftX = panShiftY = 0;
}

void MapGraphWindow::DrawPanned(HDC dc, int width, int height) const
{
    if (!panDC || !dc)
        return;
    const int dx = panShiftX, dy = panShiftY;
    BitBlt(dc, dx, dy, panWidth, panHeight, panDC, 0, 0, SRCCOPY);
    // The strips the shifted copy leaves: beside it and above or below it,
    // as far as the drawn area reaches.
    const int right = std::max(width, panWidth), bottom = std::max(height, panHeight);
    RECT strips[4] = {};
    int count = 0;
    if (dx > 0)
        strips[count++] = RECT{0, 0, dx, bottom};
    if (dx + panWidth < right)
        strips[count++] = RECT{dx + panWidth, 0, right, bottom};
    if (dy > 0)
        strips[count++] = RECT{0, 0, right, dy};
    if (dy + panHeight < bottom)
        strips[count++] = RECT{0, dy + panHeight, right, bottom};
    for (int i = 0; i < count; ++i)
        FillRect(dc, &strips[i], panBrush);
}

void MapGraphWindow::ContinuePan(int x, int y)
{
    if (!panDC || !selected)
        return;
    // The map follows the pointer pixel for pixel: no snapping to the grid.
    selected->drag = DraggedRectangle(x, y, false);
    panShiftX = selected->drag.left - panStart.left;
    panShiftY = selected->drag.top - panStart.top;
    HDC dc = GetDC(OSHandle());
    DrawPanned(dc, panWidth, panHeight);
    ReleaseDC(OSHandle(), dc);
}

void MapGraphWindow::EndPan()
{
    if (capturing) {
        capturing = false;
        ReleaseCapture();
    }
    const bool moved = panShiftX != 0 || panShiftY != 0;
    FreePan();
    if (!selected)
        return;
    if (!moved) {
        // A click: the map element stays selected, its marks shown.
        selected->drag = panStart;
        DrawFocusMarks(selected->drag);
        return;
    }
    element *item = selected;
    const ElementRect r = item->drag;
    selected = nullptr;
    dragFlags = 0;
    item->MoveTo(r.left, r.top);
    item->Changed();
    SendRedisplay(this);
}

void MapGraphWindow::FreePan()
{
    if (!panDC)
        return;
    SelectObject(panDC, panOld);
    DeleteObject(panBitmap);
    DeleteDC(panDC);
    DeleteObject(panBrush);
    panDC = nullptr;
    panBitmap = nullptr;
    panBrush = nullptr;
}

ZafEventType MapGraphWindow::Draw(const ZafEventRecord &event, ZafEventType code)
{
    if (!panDC || drawMode != drawScreen)
        return GRAPHWIN::Draw(event, code);
    ZafDrawPass pass(*this);
    const ZafRegionRect area = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (HDC dc = display ? display->CurrentDC() : nullptr)
        DrawPanned(dc, area.right - area.left + 1, area.bottom - area.top + 1);
    return 1;
}

// --- Events --------------------------------------------------------------------------------

ZafEventType MapGraphWindow::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_MOUSE_EVENT) {
        // A tool the user's later choice of a mouse mode ended.
        if (tool != toolNone && Tool() == toolNone)
            ApplyTool();
        const ZafEventType code = MapEvent(event);
        const int x = event.position.x, y = event.position.y;
        if (panDC) {
            if (code == ZAF_CONTINUE_SELECT)
                ContinuePan(x, y);
            else if (code == ZAF_END_SELECT)
                EndPan();
            return ZafWindow::Event(event);
        }
        if (legendDrag != gripNone) {
            if (code == ZAF_CONTINUE_SELECT || code == ZAF_MOUSE_MOVE)
                ContinueLegendDrag(y);
            else if (code == ZAF_END_SELECT)
                EndLegendDrag(y);
            return code;
        }
        // A press on a legend edge or the centre mark drags it whatever the
        // tool; the tool rests until the release.
        if (code == ZAF_BEGIN_SELECT) {
            const LegendGrip grip = LegendGripAt(x, y);
            if (grip != gripNone) {
                BeginLegendDrag(grip, y);
                return code;
            }
        }
        const int inForce = ToolInForce();
        if (inForce == toolIdentify) {
            // The pointer names regions; a press selects nothing.
            if (code == ZAF_MOUSE_MOVE || code == ZAF_BEGIN_SELECT || code == ZAF_CONTINUE_SELECT)
                Identify(x, y);
            if (code == ZAF_MOUSE_MOVE || code == ZAF_BEGIN_SELECT || code == ZAF_CONTINUE_SELECT ||
                code == ZAF_END_SELECT || code == ZAF_DOUBLE_SELECT)
                return code;
            return GRAPHWIN::Event(event);
        }
        if (inForce == toolZoom) {
            // This window's zoom tool: the rubber band of the zoom mode here
            // alone, whatever the program-wide mouse mode.
            const int saved = GraphMouseMode;
            GraphMouseMode = modeZoom;
            const ZafEventType result = GRAPHWIN::Event(event);
            GraphMouseMode = saved;
            return result;
        }
        if (code == ZAF_BEGIN_SELECT) {
            ZafTracker self(this);
            const ZafEventType result = GRAPHWIN::Event(event);
            if (!self.Deleted() && GraphMouseMode == modeMove && selected && selected == mapElement && capturing)
                BeginPan();
            return result;
        }
        if (code == ZAF_DOUBLE_SELECT && legend &&
            (legend->CurrentForm() == MapKey::classForm || legend->CurrentForm() == MapKey::rampForm) &&
            x >= legend->device.left && x <= legend->device.right && y >= legend->device.top &&
            y <= legend->device.bottom) {
            LegendDoubleClick(x, y);
            return code;
        }
    }
    return GRAPHWIN::Event(event);
}

ZafEventType MapGraphWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (m.message == WM_SETCURSOR && LOWORD(m.lParam) == HTCLIENT && m.hwnd == OSHandle()) {
        const int inForce = ToolInForce();
        if (inForce != toolNone) {
            SetCursor(LoadCursorA(nullptr, inForce == toolZoom ? IDC_CROSS : IDC_HAND));
            return TRUE;
        }
    }
    return GRAPHWIN::HandleOSMessage(event);
}
