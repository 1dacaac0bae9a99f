#include "graphs/BoxWhisker.h"

#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int medianPenWidth = 3;

// Where values lie along one side of a rectangle.
struct ValueScale
{
    double lower, span;
    int length;
    ValueScale(double low, double high, int width, int height)
        : lower(low), span(high - low), length(width > height ? width : height)
    {}
    double Raw(double v) const { return span > 0.0 ? (v - lower) / span * length : 0.0; }
    int Offset(double v) const { return static_cast<int>(std::floor(Raw(v))); }
    int RoundedOffset(double v) const { return static_cast<int>(std::floor(Raw(v) + 0.5)); }
};

LINEELEMENT *Line(int x1, int y1, int x2, int y2, int pen, DrawStyle *style)
{
    return new LINEELEMENT(x1, y1, x2, y2, pen, style);
}

} // namespace

void AddBoxWhisker(GROUPELEMENT *group, DrawStyle *style, const double *q, int x, int y, int width, int height,
                   double lower, double upper)
{
    // A missing quantile summary (or one of its values) gives no figure to
    // draw, not a figure at the largest float.
    if (!group || !q)
        return;
    for (int i = 0; i < 5; ++i)
        if (!std::isfinite(q[i]) || IsNotComputed(q[i]))
            return;
    const ValueScale scale(lower, upper, width, height);
    const int lowEnd = scale.RoundedOffset(q[3]), boxLow = scale.Offset(q[0]), median = scale.Offset(q[1]);
    const int boxHigh = scale.Offset(q[2]), highEnd = scale.Offset(q[4]);
    if (width > height) {
        const int middle = y + height / 2, bottom = y + height;
        group->AddElement(Line(x + lowEnd, y, x + lowEnd, bottom, 1, style));
        group->AddElement(Line(x + lowEnd, middle, x + boxLow, middle, 1, style));
        group->AddElement(new BOXELEMENT(x + boxLow, y, boxHigh - boxLow, height, style));
        group->AddElement(Line(x + boxHigh, middle, x + highEnd, middle, 1, style));
        group->AddElement(Line(x + highEnd, y, x + highEnd, bottom, 1, style));
        group->AddElement(Line(x + median, y, x + median, bottom, medianPenWidth, style));
        return;
    }
    const int middle = x + width / 2, right = x + width;
    group->AddElement(Line(x, y - lowEnd, right, y - lowEnd, 1, style));
    group->AddElement(Line(middle, y - lowEnd, middle, y - boxLow, 1, style));
    group->AddElement(new BOXELEMENT(x, y - boxHigh, width, boxHigh - boxLow, style));
    group->AddElement(Line(middle, y - boxHigh, middle, y - highEnd, 1, style));
    group->AddElement(Line(x, y - highEnd, right, y - highEnd, 1, style));
    group->AddElement(Line(x, y - median, right, y - median, medianPenWidth, style));
}

void AddCrossMark(GROUPELEMENT *group, DrawStyle *style, double value, int x, int y, int width, int height,
                  double lower, double upper)
{
    if (!group || !std::isfinite(value) || IsNotComputed(value))
        return;
    // The mark's centre is the value's offset rounded to the nearest unit.
    const ValueScale scale(lower, upper, width, height);
    const int arm = std::min(width, height) / 4;
    if (width > height) {
        const int cx = x + scale.RoundedOffset(value), cy = y + height / 2;
        group->AddElement(Line(cx, cy - arm, cx, cy + arm, 1, style));
        group->AddElement(Line(cx - arm, cy, cx + arm, cy, 1, style));
        return;
    }
    const int cx = x + width / 2, cy = y - scale.RoundedOffset(value);
    group->AddElement(Line(cx - arm, cy, cx + arm, cy, 1, style));
    group->AddElement(Line(cx, cy - arm, cx, cy + arm, 1, style));
}
