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
    centreX = (plotArea.left + plotArea.right) / 2;
    centreY = (plotArea.top + plotArea.bottom) / 2;
    radius = std::min(plotArea.right - plotArea.left, plotArea.bottom - plotArea.top) / 2;
}

void FREQPIE::DrawData()
{
    if (validSum > multipleResponseSum) {
        mainGroup->AddElement(
            MakeText(centreX, centreY, StatText(noPieText, noPieGroup), alignCentreBaseline, pieNumberSize));
        return;
    }
    // Round in whole pixels: the same number across and down.
    int pixelsX = radius, pixelsY = radius;
    ToDeviceUnits(pixelsX, pixelsY);
    radiusX = radiusY = std::min(pixelsX, pixelsY);
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
    if (optionWord & optionNumbers) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*lf", 1, c.validPercent);
        const int x = centreX + static_cast<int>(cosine * radiusX * 3 / 4);
        const int y = centreY - static_cast<int>(sine * radiusY * 3 / 4);
        group->AddElement(MakeText(x, y, text, alignCentreBaseline, pieNumberSize));
    }
    if (optionWord & optionLabelsOnPie) {
        const int alignment = (cosine <= 0.0 ? labelRight : labelLeft) + (sine <= 0.0 ? labelTop : labelBottom);
        const int x = centreX + static_cast<int>(cosine * radiusX * 1.1);
        const int y = centreY - static_cast<int>(sine * radiusY * 1.1);
        group->AddElement(MakeText(x, y, c.label, alignment, categorySize));
    }
}
