// The shape elements of a graph: box, line (solid or dashed), polygon or
// polyline, and pie slice. Each outlines with its style's line colour and
// fills with its style's brush (pal_element), and passes every device point
// through the output scale, so a printer with a scale of 3 draws them three
// times as large.
//
// Ownership: a polygon owns its point array; styles are not owned.
#pragma once

#include "graphs/element.h"

#include <vector>

class BOXELEMENT : public pal_element
{
public:
    // Covers x .. x + w, y .. y + h in logical units.
    BOXELEMENT(int x, int y, int w, int h, DrawStyle *style);
    void Draw() override;
};

class LINEELEMENT : public pal_element
{
public:
    LINEELEMENT(int x1, int y1, int x2, int y2, int penWidth, DrawStyle *style);
    void Draw() override;
    // Logical units; a dash of 0 draws a solid line, a gap of 0 equals the dash.
    void SetDashes(int dash, int gap)
    {
        dashLength = dash;
        gapLength = gap;
    }
    int DashLength() const { return dashLength; }
    int GapLength() const { return gapLength; }

private:
    void DrawSegment(HDC dc, int x1, int y1, int x2, int y2) const;
    void DrawDashes(HDC dc);

    int dashLength = 0;
    int gapLength = 0;
};

class POLYGONELEMENT : public pal_element
{
public:
    // points: count (x, y) pairs in logical units (copied). closed: a
    // polygon, else a polyline.
    POLYGONELEMENT(int count, const POINT *points, DrawStyle *style, bool closed);
    void Draw() override;
    void Move(int dx, int dy) override;
    void SetSize(int w, int h) override;
    void SetEnd(double fx, double fy) override;
    const std::vector<POINT> &Points() const { return points; }

private:
    std::uint8_t closed;
    std::vector<POINT> points;
};

class PIEELEMENT : public pal_element
{
public:
    // Centre (x + r, y + r); angles in degrees counter-clockwise from the
    // positive x axis.
    PIEELEMENT(int x, int y, int r, double start, double end, DrawStyle *style);
    void Draw() override;
    double StartAngle() const { return startAngle; }
    double EndAngle() const { return endAngle; }

private:
    int radius;
    double startAngle, endAngle;
};
