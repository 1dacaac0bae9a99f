// BIPLOTELEMENT: a scatter of two variables: one small filled square per
// valid, selected case, placed by its x and y inside the element's
// rectangle, and on request the least-squares line of y on x clipped to the
// rectangle. The points are read anew at every draw (ScatterPairs), from
// the value lists the caller gives or from lists opened for the two
// variables of the context's data set; no weight applies. The line is
// computed on the first draw that asks for it and kept (RegLineSums).
//
// Placement: with W and H the rectangle's device width and height (both
// edges counted), a point lies at X = left + floor(W (x - x min) / x span +
// 0.5), Y = bottom - floor(H (y - y min) / y span + 0.5); a point at x max
// lies at right + 1. A range of no width (one distinct value) places every
// point in the middle of that axis rather than casting NaN to a pixel. The
// line's ends are truncated the same way without the 0.5; a line that misses
// the rectangle (its clipped x low above its x high) or a range of no width
// draws nothing.
//
// Ownership: the element owns its two styles (copies) and the lists it
// opens for a draw; given value lists, the context and the data set are
// the caller's.
#pragma once

#include "graphs/element.h"

#include <cstdint>

class DrawStyle;
class BUFFERTYPE;
class StatClass;

class BIPLOTELEMENT : public pal_element
{
public:
    // The rectangle (x, y) to (x + width, y + height), logical units; point
    // style: copied. Ranges: the values the rectangle spans.
    BIPLOTELEMENT(StatClass *context, unsigned xVariable, unsigned yVariable, int x, int y, int width, int height,
                  const DrawStyle *pointStyle, double xMin, double xMax, double yMin, double yMax);
    ~BIPLOTELEMENT() override;

    void Draw() override;
    // Replace the own style by a copy of the given one (null: no change).
    void SetLineStyle(const DrawStyle *newStyle);
    void SetPointStyle(const DrawStyle *newStyle);
    DrawStyle *LineStyle() const { return lineStyle; }
    DrawStyle *PointStyle() const { return pointStyle; }

    // Where a value falls along an axis, 0..1 inside the range; 0.5 for a
    // range of no width.
    static double Fraction(double value, double minimum, double span);
    // The line's clipped ends in x; false when it misses the rectangle or
    // no line is known.
    bool LineEnds(double &xLow, double &xHigh) const;

    std::uint32_t xVariable, yVariable;
    BUFFERTYPE *xList = nullptr, *yList = nullptr; // not owned; null: opened per draw
    double xMin, xMax, yMin, yMax;
    double xSpan, ySpan;
    std::uint8_t regressionLine = 0;
    double intercept, slope, correlation; // slope kNotComputed: not counted yet
    std::uint32_t symbolSize = 2;         // logical units
    std::uint32_t lineWidth = 3;          // pixels
    StatClass *context;

private:
    void DrawPoints(HDC dc, int r, bool count);
    void DrawLine(HDC dc);
    // Device x and y of a value pair; rounded for points, truncated for the line.
    int DeviceX(double x, double half) const;
    int DeviceY(double y, double half) const;

    DrawStyle *lineStyle;
    DrawStyle *pointStyle;
    std::uint8_t lineCounted = 0; // the sums were taken (the slope may still be unknown)
};
