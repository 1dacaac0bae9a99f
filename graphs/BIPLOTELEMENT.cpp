#include "graphs/BIPLOTELEMENT.h"

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"
#include "stats/RegLineSums.h"
#include "stats/ScatterPairs.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The default colour index of the line (and of the points before the copy).
constexpr int lineColourIndex = 4;
constexpr int pointColourIndex = 0;
// The half-size of a square whose size rounds to no pixel.
constexpr int smallestHalfSize = 2;
} // namespace

BIPLOTELEMENT::BIPLOTELEMENT(StatClass *statContext, unsigned x, unsigned y, int left, int top, int width,
                             int height, const DrawStyle *givenStyle, double xLow, double xHigh, double yLow,
                             double yHigh)
    : pal_element(kindScatter, left, top, left + width, top + height, nullptr), xVariable(x), yVariable(y),
      xMin(xLow), xMax(xHigh), yMin(yLow), yMax(yHigh), xSpan(xHigh - xLow), ySpan(yHigh - yLow),
      intercept(kNotComputed), slope(kNotComputed), correlation(kNotComputed), context(statContext),
      lineStyle(new DrawStyle), pointStyle(new DrawStyle)
{
    lineStyle->SetFillColour(lineColourIndex);
    lineStyle->SetSecondColour(lineColourIndex);
    pointStyle->SetFillColour(pointColourIndex);
    pointStyle->SetSecondColour(pointColourIndex);
    if (givenStyle)
        pointStyle->CopyFrom(*givenStyle);
    pointStyle->CreateObjects();
    style = pointStyle;
}

BIPLOTELEMENT::~BIPLOTELEMENT()
{
    lineStyle->DeleteObjects();
    pointStyle->DeleteObjects();
    delete lineStyle;
    delete pointStyle;
}

void BIPLOTELEMENT::SetLineStyle(const DrawStyle *newStyle)
{
    if (!newStyle)
        return;
    lineStyle->CopyFrom(*newStyle);
    lineStyle->CreateObjects();
}

void BIPLOTELEMENT::SetPointStyle(const DrawStyle *newStyle)
{
    if (!newStyle)
        return;
    pointStyle->CopyFrom(*newStyle);
    pointStyle->CreateObjects();
}

double BIPLOTELEMENT::Fraction(double value, double minimum, double span)
{
    if (!(span > 0.0) || !std::isfinite(span))
        return 0.5;
    const double f = (value - minimum) / span;
    return std::isfinite(f) ? f : 0.5;
}

int BIPLOTELEMENT::DeviceX(double x, double half) const
{
    return device.left + static_cast<int>(std::floor(device.Width() * Fraction(x, xMin, xSpan) + half));
}

int BIPLOTELEMENT::DeviceY(double y, double half) const
{
    return device.bottom - static_cast<int>(std::floor(device.Height() * Fraction(y, yMin, ySpan) + half));
}

void BIPLOTELEMENT::Draw()
{
    FreshenDevice();
    HDC dc = DrawDC();
    if (!dc)
        return;
    int rx = static_cast<int>(symbolSize), ry = static_cast<int>(symbolSize);
    if (owner)
        owner->ToDeviceUnits(rx, ry);
    int r = std::min(rx, ry);
    if (r <= 0)
        r = smallestHalfSize;
    const bool count = regressionLine && !lineCounted && slope == kNotComputed;
    DrawPoints(dc, r, count);
    if (regressionLine)
        DrawLine(dc);
}

void BIPLOTELEMENT::DrawPoints(HDC dc, int r, bool count)
{
    ScatterPairs pairs(context ? context->GetDataSet() : nullptr, context ? context->GetSelection() : nullptr,
                       static_cast<long>(xVariable), static_cast<long>(yVariable), xList, yList);
    RegLineSums sums;
    Tools tools(dc, *this);
    // Points fall on device pixels, and a square drawn again on the same
    // pixel changes nothing: each pixel's square is drawn once, which keeps
    // a draw of millions of cases to the walk over them.
    const int columns = device.Width() + 2, rows = device.Height() + 2;
    std::vector<bool> drawn(columns > 0 && rows > 0 ? static_cast<std::size_t>(columns) * rows : 0);
    while (pairs.Next()) {
        const double x = pairs.X(), y = pairs.Y();
        if (count)
            sums.Add(x, y);
        const int px = DeviceX(x, 0.5), py = DeviceY(y, 0.5);
        // A point at the maximum lies one past the rectangle's edge.
        const int column = px - device.left, row = py - device.top + 1;
        if (column >= 0 && column < columns && row >= 0 && row < rows) {
            const std::size_t at = static_cast<std::size_t>(row) * columns + column;
            if (drawn[at])
                continue;
            drawn[at] = true;
        }
        const POINT from = Scaled(px - r, py - r), to = Scaled(px + r, py + r);
        Rectangle(dc, from.x, from.y, to.x, to.y);
    }
    if (!count)
        return;
    correlation = sums.Correlation();
    slope = sums.Slope();
    intercept = sums.Intercept();
    lineCounted = 1;
}

bool BIPLOTELEMENT::LineEnds(double &xLow, double &xHigh) const
{
    if (slope == kNotComputed || intercept == kNotComputed || !(xSpan > 0.0) || !(ySpan > 0.0))
        return false;
    const double a = intercept, b = slope;
    if (b == 0.0) {
        // A level line: inside when its height is; no division by the slope.
        xLow = xMin;
        xHigh = xMax;
        return a >= yMin && a <= yMax;
    }
    if (b > 0.0) {
        xLow = std::max(xMin, (yMin - a) / b);
        xHigh = std::min(xMax, (yMax - a) / b);
    } else {
        xLow = std::max(xMin, (yMax - a) / b);
        xHigh = std::min(xMax, (yMin - a) / b);
    }
    return std::isfinite(xLow) && std::isfinite(xHigh) && xLow <= xHigh;
}

void BIPLOTELEMENT::DrawLine(HDC dc)
{
    double xLow, xHigh;
    if (!LineEnds(xLow, xHigh))
        return;
    LOGBRUSH colour = {BS_SOLID, lineStyle->LineColour(), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, std::max<int>(static_cast<int>(lineWidth), 1),
                            &colour, 0, nullptr);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT from = Scaled(DeviceX(xLow, 0.0), DeviceY(slope * xLow + intercept, 0.0));
    const POINT to = Scaled(DeviceX(xHigh, 0.0), DeviceY(slope * xHigh + intercept, 0.0));
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}
