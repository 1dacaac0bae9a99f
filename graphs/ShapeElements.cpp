#include "graphs/ShapeElements.h"

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <algorithm>
#include <cmath>

// --- Box -----------------------------------------------------------------------------

BOXELEMENT::BOXELEMENT(int x, int y, int w, int h, DrawStyle *drawStyle)
    : pal_element(kindBox, x, y, x + w, y + h, drawStyle)
{}

void BOXELEMENT::Draw()
{
    FreshenDevice();
    HDC dc = DrawDC();
    if (!dc)
        return;
    Tools tools(dc, *this);
    const POINT from = Scaled(device.left, device.top);
    const POINT to = Scaled(device.left + device.Width() - 1, device.top + device.Height() - 1);
    Rectangle(dc, from.x, from.y, to.x, to.y);
}

// --- Line ----------------------------------------------------------------------------

LINEELEMENT::LINEELEMENT(int x1, int y1, int x2, int y2, int width, DrawStyle *drawStyle)
    : pal_element(kindLine, x1, y1, x2, y2, drawStyle)
{
    penWidth = width;
}

void LINEELEMENT::DrawSegment(HDC dc, int x1, int y1, int x2, int y2) const
{
    LOGBRUSH colour = {BS_SOLID, style ? style->LineColour() : RGB(0, 0, 0), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, std::max(penWidth, 1), &colour, 0, nullptr);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT from = Scaled(x1, y1);
    const POINT to = Scaled(x2, y2);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void LINEELEMENT::DrawDashes(HDC dc)
{
    int left = std::min(device.left, device.right), right = std::max(device.left, device.right);
    int top = std::min(device.top, device.bottom), bottom = std::max(device.top, device.bottom);
    int dash = dashLength, gap = gapLength ? gapLength : dashLength;
    if (owner)
        owner->ToDeviceUnits(dash, gap);
    dash = std::max(dash, 1);
    if (gap < 1)
        gap = 2;
    if (left == right) {
        for (int y = top; y < bottom; y += dash + gap)
            DrawSegment(dc, left, y, left, y + dash);
    } else if (top == bottom) {
        for (int x = left; x < right; x += dash + gap)
            DrawSegment(dc, x, top, x + dash, top);
    }
}

void LINEELEMENT::Draw()
{
    FreshenDevice();
    HDC dc = DrawDC();
    if (!dc)
        return;
    if (dashLength == 0)
        DrawSegment(dc, device.left, device.top, device.right, device.bottom);
    else
        DrawDashes(dc);
}

// --- Polygon -------------------------------------------------------------------------

namespace {

ElementRect BoundsOf(int count, const POINT *points)
{
    ElementRect bounds{GRAPHWIN::logicalWidth, GRAPHWIN::logicalHeight, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        bounds.left = std::min<std::int32_t>(bounds.left, points[i].x);
        bounds.top = std::min<std::int32_t>(bounds.top, points[i].y);
        bounds.right = std::max<std::int32_t>(bounds.right, points[i].x);
        bounds.bottom = std::max<std::int32_t>(bounds.bottom, points[i].y);
    }
    return bounds;
}

} // namespace

POLYGONELEMENT::POLYGONELEMENT(int count, const POINT *from, DrawStyle *drawStyle, bool isClosed)
    : pal_element(kindPolygon, 0, 0, 0, 0, drawStyle), closed(isClosed ? 1 : 0)
{
    count = from ? std::max(count, 0) : 0;
    points.assign(from, from + count);
    logical = BoundsOf(count, from);
    reference = logical;
}

void POLYGONELEMENT::Draw()
{
    FreshenDevice();
    HDC dc = DrawDC();
    if (!dc || points.empty())
        return;
    std::vector<POINT> out(points);
    for (POINT &p : out) {
        int x = p.x, y = p.y;
        if (owner)
            owner->ToDeviceUnits(x, y);
        p = Scaled(x, y);
    }
    Tools tools(dc, *this);
    const int count = static_cast<int>(out.size());
    if (closed)
        Polygon(dc, out.data(), count);
    else
        Polyline(dc, out.data(), count);
}

void POLYGONELEMENT::Move(int dx, int dy)
{
    device.left += dx;
    device.right += dx;
    device.top += dy;
    device.bottom += dy;
    SetFlag(flagStale);
    if (owner)
        owner->ElementToLogical(this);
    ClearFlag(flagStale);
    if (owner)
        owner->ToLogicalUnits(dx, dy);
    for (POINT &p : points) {
        p.x += dx;
        p.y += dy;
    }
}

void POLYGONELEMENT::SetSize(int w, int h)
{
    const int referenceWidth = reference.Width(), referenceHeight = reference.Height();
    SetEnd(referenceWidth ? static_cast<double>(w) / referenceWidth : 1.0,
           referenceHeight ? static_cast<double>(h) / referenceHeight : 1.0);
}

void POLYGONELEMENT::SetEnd(double fx, double fy)
{
    const int oldWidth = device.Width(), oldHeight = device.Height();
    element::SetEnd(fx, fy);
    // A collapsed old span cannot be scaled from; the points stay.
    if (oldWidth == 0 || oldHeight == 0)
        return;
    const int newWidth = device.Width(), newHeight = device.Height();
    for (POINT &p : points) {
        p.x = static_cast<LONG>((static_cast<long long>(p.x) - logical.left) * newWidth / oldWidth + logical.left);
        p.y = static_cast<LONG>((static_cast<long long>(p.y) - logical.top) * newHeight / oldHeight + logical.top);
    }
}

// --- Pie slice -----------------------------------------------------------------------

PIEELEMENT::PIEELEMENT(int x, int y, int r, double start, double end, DrawStyle *drawStyle)
    : pal_element(kindPie, x, y, x + 2 * r, y + 2 * r, drawStyle), radius(r), startAngle(start), endAngle(end)
{}

void PIEELEMENT::Draw()
{
    FreshenDevice();
    // Square around the horizontal centre: the view may not be square.
    // Done at every draw, since the window's first pass has
    // already freshened the rectangle; squaring a square changes nothing.
    const int centreX = device.left + device.Width() / 2;
    const int half = device.Height() / 2;
    device.left = centreX - half;
    device.right = centreX + half;
    HDC dc = DrawDC();
    if (!dc)
        return;
    constexpr double radians = 0.017453292519943295;
    constexpr double radialDistance = 10000.0;
    const double a1 = startAngle * radians, a2 = endAngle * radians;
    const double mx = (device.left + device.right) * 0.5, my = (device.top + device.bottom) * 0.5;
    const POINT start = Scaled(static_cast<int>(std::trunc(std::cos(a1) * radialDistance + mx)) - 1,
                               static_cast<int>(std::trunc(my - std::sin(a1) * radialDistance)) - 1);
    const POINT end = Scaled(static_cast<int>(std::trunc(std::cos(a2) * radialDistance + mx)) - 1,
                             static_cast<int>(std::trunc(my - std::sin(a2) * radialDistance)) - 1);
    const POINT from = Scaled(device.left, device.top);
    const POINT to = Scaled(device.right, device.bottom);
    Tools tools(dc, *this);
    Pie(dc, from.x, from.y, to.x, to.y, start.x, start.y, end.x, end.y);
}
