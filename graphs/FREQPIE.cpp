#include "graphs/FREQPIE.h"

#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/StatClass.h"
#include "graphs/FreqGraphOption.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int captionGroup = 5, noPieGroup = 12;
// The plot's margins with the legend at the right, and with the labels on
// the pie (the legend's gap to the plot either way).
constexpr int legendPlotLeft = 900, legendPlotMargin = 2700;
constexpr int labelPlotLeft = 1800, labelPlotMargin = 1800;
constexpr int legendGap = 150;
constexpr double degreesPerPercent = 3.6;
constexpr double radiansPerDegree = 0.017453292519943295;

// Alignment bits of a label beside a slice.
enum LabelAlignment : int { labelLeft = 1, labelRight = 4, labelTop = 8, labelBottom = 16 };

} // namespace

FREQPIE::FREQPIE(FREQOBJ *frequencies, FreqGraphOption *optionRecord)
    : FREQGRAPH(frequencies, optionRecord, optionRecord ? optionRecord->optionWord : defaultWord, false)
{
    centreX = (plotArea.left + plotArea.right) / 2;
    centreY = (plotArea.top + plotArea.bottom) / 2;
    radius = std::min(plotArea.right - plotArea.left, plotArea.bottom - plotArea.top) / 2;
}

const char *FREQPIE::CaptionText()
{
    return StatText(captionText, captionGroup);
}

void FREQPIE::TakeOptionWord()
{
    ReadRecordWord();
    horizontal = (optionWord & optionVertical) ? 0 : 1;
    raw = (optionWord & optionRaw) ? 1 : 0;
}

void FREQPIE::AdjustLayout()
{
    const bool labels = (optionWord & optionLabelsOnPie) != 0;
    plotArea.left = labels ? labelPlotLeft : legendPlotLeft;
    plotArea.right = logicalWidth - (labels ? labelPlotMargin : legendPlotMargin);
    legendArea.left = plotArea.right + legendGap;
    if (!labels && validSum < multipleResponseSum && ShownCount() > 0)
        WidenLegend();
    centreX = (plotArea.left + plotArea.right) / 2;
    centreY = (plotArea.top + plotArea.bottom) / 2;
    radius = std::min(plotArea.right - plotArea.left, plotArea.bottom - plotArea.top) / 2;
}

void FREQPIE::WidenLegend()
{
    if (!OSHandle())
        return;
    int swatchX = 0, swatchY = 0, gapX = 0, gapY = 0;
    LegendSizes(swatchX, swatchY, gapX, gapY);
    std::vector<std::string> labels = ShownLabels();
    const int widest = LogicalAcross(WidestTextInFont(labels, legendSize, 0) + 4);
    const int needed = legendIndent + swatchX + gapX + widest + gapX;
    // The plot keeps at least a third of the window's width.
    const int leftmost = plotArea.left + logicalWidth / 3 + legendGap;
    const int left = std::max(leftmost, std::min(legendArea.left, legendArea.right - needed));
    legendArea.left = left;
    plotArea.right = left - legendGap;
}

bool FREQPIE::PlaceText(GROUPELEMENT *group, TEKSTELEMENT *text)
{
    text->Attach(this);
    Placed(text);
    const RECT r = text->DrawnRect();
    int right = logicalWidth, bottom = logicalHeight, roof = textsBottom, unused = 0;
    ToDeviceUnits(right, bottom);
    ToDeviceUnits(unused, roof);
    int legendLeft = legendArea.left;
    ToDeviceUnits(legendLeft, unused);
    const bool legendShown = !(optionWord & optionLabelsOnPie);
    bool fits = r.left >= 0 && r.top >= roof && r.right <= right && r.bottom <= bottom &&
                !(legendShown && r.right > legendLeft) && !OverlapsAny(r, placed);
    if (!fits) {
        delete text;
        return false;
    }
    placed.push_back(r);
    group->AddElement(text);
    return true;
}

void FREQPIE::AddSliceFigure(GROUPELEMENT *group, double start, double end, double middle, const char *figure)
{
    const double cosine = std::cos(middle * radiansPerDegree), sine = std::sin(middle * radiansPerDegree);
    // Pixels of the pie and of the figure.
    int cx = centreX, cy = centreY, r = radiusX, unused = 0;
    ToDeviceUnits(cx, cy);
    ToDeviceUnits(r, unused);
    const int width = TextWidthInFont(figure, pieNumberSize, 0), height = pieNumberSize;
    // Inside: the figure's box around the point at 3/4 of the radius lies
    // within the pie and within the slice's angles.
    const double inner = 0.75 * r;
    const double px = cx + cosine * inner, py = cy - sine * inner;
    bool inside = true;
    for (int corner = 0; corner < 4 && inside; ++corner) {
        const double x = px + ((corner & 1) ? width : -width) / 2.0 - cx;
        const double y = cy - (py + ((corner & 2) ? height : -height) / 2.0);
        double angle = std::atan2(y, x) / radiansPerDegree;
        while (angle < start)
            angle += 360.0;
        while (angle >= start + 360.0)
            angle -= 360.0;
        inside = std::hypot(x, y) <= r - 1 && (end - start >= 359.9 || angle <= end);
    }
    const int halfHeight = LogicalDown(height) / 2;
    if (inside) {
        const int x = centreX + static_cast<int>(cosine * radiusX * 3 / 4);
        const int y = centreY - static_cast<int>(sine * radiusY * 3 / 4);
        if (PlaceText(group, MakeText(x, y - halfHeight, figure, alignCentreTop, pieNumberSize)))
            return;
    }
    // Outside, a little beyond the rim, the leader line from the rim to the
    // figure; one step further out when that place is taken.
    for (int step = 1; step <= 3; ++step) {
        const double out = 1.0 + 0.08 * step;
        const int x = centreX + static_cast<int>(cosine * radiusX * out);
        const int y = centreY - static_cast<int>(sine * radiusY * out);
        const int alignment = std::fabs(cosine) < 0.2 ? alignCentreTop : (cosine < 0.0 ? alignRightTop : alignLeftTop);
        int top = y - halfHeight;
        if (std::fabs(cosine) < 0.2)
            top = sine > 0.0 ? y - 2 * halfHeight : y;
        if (PlaceText(group, MakeText(x, top, figure, alignment, pieNumberSize))) {
            const int rimX = centreX + static_cast<int>(cosine * radiusX);
            const int rimY = centreY - static_cast<int>(sine * radiusY);
            const int endX = centreX + static_cast<int>(cosine * radiusX * (out - 0.02));
            const int endY = centreY - static_cast<int>(sine * radiusY * (out - 0.02));
            group->AddElement(new LINEELEMENT(rimX, rimY, endX, endY, 1, Style(blackRole)));
            return;
        }
    }
}

void FREQPIE::DrawData()
{
    placed.clear();
    pieTop = plotArea.top;
    pieBottom = plotArea.bottom;
    if (validSum > multipleResponseSum) {
        mainGroup->AddElement(
            MakeText(centreX, centreY, StatText(noPieText, noPieGroup), alignCentreBaseline, pieNumberSize));
        return;
    }
    // Under the caption and headings: where they reach into the plot area
    // the pie moves down and may use the window's height to its foot.
    if (OSHandle() && textsBottom + LogicalDown(4) > plotArea.top) {
        pieTop = textsBottom + LogicalDown(4);
        pieBottom = std::max(plotArea.bottom, logicalHeight - LogicalDown(4));
        centreY = (pieTop + pieBottom) / 2;
        radius = std::min(radius, std::max(0, (pieBottom - pieTop) / 2));
    }
    // Round in whole pixels: the same number across and down, as large as
    // the plot area allows in pixels (a narrow plot in a wide window is
    // narrower in logical units than in pixels).
    int pixelsX = radius, pixelsY = radius;
    ToDeviceUnits(pixelsX, pixelsY);
    int plotWidth = plotArea.right - plotArea.left, plotHeight = std::max(0, pieBottom - pieTop);
    ToDeviceUnits(plotWidth, plotHeight);
    const int pixels = std::max(std::min(pixelsX, pixelsY), std::min(plotWidth, plotHeight) / 2);
    radiusX = radiusY = pixels;
    ToLogicalUnits(radiusX, radiusY);

    auto *slices = new GROUPELEMENT;
    double running = 0.0;
    const int n = ShownCount();
    for (int k = 0; k < n; ++k) {
        const double percent = ShownCategories()[static_cast<std::size_t>(k)].validPercent;
        auto *slice = new PIEELEMENT(centreX - radiusX, centreY - radiusY, radiusX, running * degreesPerPercent,
                                     (running + percent) * degreesPerPercent, CategoryStyle(k));
        slice->logical = ElementRect{centreX - radiusX, centreY - radiusY, centreX + radiusX, centreY + radiusY, 0};
        slice->reference = slice->logical;
        slices->AddElement(slice);
        running += percent;
    }
    if (optionWord & (optionNumbers | optionLabelsOnPie)) {
        running = 0.0;
        for (const FreqCategory &c : ShownCategories()) {
            AddSliceTexts(slices, running * degreesPerPercent, (running + c.validPercent) * degreesPerPercent, c);
            running += c.validPercent;
        }
    }
    mainGroup->AddElement(slices);
}

void FREQPIE::AddSliceTexts(GROUPELEMENT *group, double start, double end, const FreqCategory &c)
{
    // The middle of the slice in whole degrees, from the whole start and end.
    const int middle = (static_cast<int>(std::trunc(start)) + static_cast<int>(std::trunc(end))) / 2;
    const double cosine = std::cos(middle * radiansPerDegree), sine = std::sin(middle * radiansPerDegree);
    if (optionWord & optionLabelsOnPie) {
        // The label beside its slice, cut to the room between the anchor
        // and the window's edge on its side.
        const int alignment = (cosine <= 0.0 ? labelRight : labelLeft) + (sine <= 0.0 ? labelTop : labelBottom);
        const int x = centreX + static_cast<int>(cosine * radiusX * 1.1);
        const int y = centreY - static_cast<int>(sine * radiusY * 1.1);
        int room = cosine <= 0.0 ? x : logicalWidth - x, unused = 0;
        ToDeviceUnits(room, unused);
        const std::string label = CutTextToWidth(c.label, std::max(room - 2, 0), categorySize, 0);
        PlaceText(group, MakeText(x, y, label.c_str(), alignment, categorySize));
    }
    if (optionWord & optionNumbers) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*lf", 1, c.validPercent);
        AddSliceFigure(group, start, end, middle, text);
    }
}
