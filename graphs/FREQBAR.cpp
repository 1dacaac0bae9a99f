#include "graphs/FREQBAR.h"

#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/StatClass.h"
#include "graphs/FreqGraphOption.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int captionGroup = 5;
// Distances of the texts and ticks from what they belong to.
constexpr int labelDistance = 200, labelRowHeight = 250, tickLength = 100;
constexpr int valueDistance = 100, valueInsideLimit = 500, valueAboveBar = 18;
// Characters of a band: its device width times 22 / 10 over the font size.
constexpr int bandCharacterFactor = 22;
// The part of the plot area's size kept free at each end of the category axis.
constexpr int bandMarginDivisor = 100;

// Draws elements whose device rectangle has not been made yet: texts are
// measured, groups made from their children.
void FreshenTree(GRAPHWIN &window, element *item)
{
    if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
        for (element *child : group->Children())
            FreshenTree(window, child);
    if (auto *text = dynamic_cast<TEKSTELEMENT *>(item))
        text->Update();
    else
        window.ElementToDevice(item);
}

} // namespace

FREQBAR::FREQBAR(FREQOBJ *frequencies, FreqGraphOption *optionRecord)
    : FREQGRAPH(frequencies, optionRecord, optionRecord ? optionRecord->optionWord : defaultWord, true)
{
    int n = 0;
    for (long i = 0; i < frequencies->categoryCount; ++i)
        n += frequencies->categories[i].missing == 0 ? 1 : 0;
    fillShare = ScaleByCategoryCount(n, 1);
    plotLeftAtStart = plotArea.left;
    plotTopAtStart = plotArea.top;
}

int FREQBAR::ScaleByCategoryCount(int n, int b)
{
    n = std::clamp(n, 2, 12);
    const double share = 40.0 / (std::max(b - n, 0) + 10) * (n + b - 2) + 40.0 + 0.5;
    return static_cast<int>(std::floor(share));
}

const char *FREQBAR::CaptionText()
{
    return StatText(captionText, captionGroup);
}

void FREQBAR::TakeOptionWord()
{
    ReadRecordWord();
    horizontal = (optionWord & optionVertical) ? 0 : 1;
    raw = (optionWord & optionRaw) ? 1 : 0;
}

// --- Layout --------------------------------------------------------------------------

void FREQBAR::LayOutBands(int n)
{
    FitPlotUnderHeadings();
    if (horizontal)
        FitLabelRoom();
    bandArea = plotArea;
    if (horizontal) {
        const int margin = (plotArea.bottom - plotArea.top) / bandMarginDivisor;
        bandArea.top += margin;
        bandArea.bottom -= margin;
    } else {
        const int margin = (plotArea.right - plotArea.left) / bandMarginDivisor;
        bandArea.left += margin;
        bandArea.right -= margin;
    }
    band = std::abs(horizontal ? bandArea.bottom - bandArea.top : bandArea.right - bandArea.left) / n;

    labelRows = 1;
    labelRowStep = labelRowHeight;
    labelCharacters = 0;
    if (n == 2)
        return;
    int width = labelArea.right - labelArea.left, height = 0;
    ToDeviceUnits(width, height);
    const int perBand = std::max(width * bandCharacterFactor / (n * 10) / categorySize, 1);
    int longest = 0;
    for (const FreqCategory &c : ShownCategories())
        longest = std::max(longest, static_cast<int>(std::strlen(c.label)));
    labelRows = std::min(longest / perBand + 1, maximumLabelRows);
    if (!horizontal)
        FitLabelRows(n, longest);
}

void FREQBAR::FitLabelRows(int n, int longest)
{
    if (!OSHandle() || n <= 0 || longest <= 0)
        return;
    // The widest label in pixels, in the labels' font.
    const int widest = WidestTextInFont(ShownLabels(), categorySize, 0);
    // Rows of at least the font's height; as many as the labels need to
    // keep apart, as far as the room under the plot holds them.
    int rowPixels = categorySize + 2, bandPixels = band, room = labelArea.bottom - plotArea.bottom - labelDistance;
    int unused = 0;
    ToLogicalUnits(unused, rowPixels);
    labelRowStep = std::max(labelRowHeight, rowPixels);
    ToDeviceUnits(bandPixels, unused);
    constexpr int gapPixels = 4;
    const int rowsRoom = std::max(1, room / labelRowStep);
    const int needed = bandPixels > 0 ? (widest + gapPixels + bandPixels - 1) / bandPixels : maximumLabelRows;
    labelRows = std::max(1, std::min(needed, rowsRoom));
    // Labels wider than the rows leave room for are cut to it.
    const int roomPixels = labelRows * bandPixels - gapPixels;
    if (widest > roomPixels)
        labelCharacters = std::max(1, longest * std::max(roomPixels, 0) / widest - 1);
}

void FREQBAR::FitPlotUnderHeadings()
{
    constexpr int gapPixels = 3;
    plotArea.top = valueArea.top = plotTopAtStart;
    if (!OSHandle() || view.bottom <= view.top)
        return;
    int top = plotArea.top, bottom = plotArea.bottom, unused = 0;
    ToDeviceUnits(unused, top);
    ToDeviceUnits(unused, bottom);
    // The plot keeps a third of the window's height: its top goes no lower.
    const int lowestTop = bottom - (view.bottom - view.top + 1 + 2) / 3;
    const int numbersLine = horizontal ? 0 : std::max<int>(valueSize, categorySize) + 2;
    // The texts in the window so far are the caption and the headings.
    // Where they reach below the plot's lowest top, the heading lines
    // give way, the last first; the caption stays.
    std::vector<TEKSTELEMENT *> lines;
    for (element *item : Elements())
        if (item->kind == element::kindText && item->Visible())
            lines.push_back(static_cast<TEKSTELEMENT *>(item));
    const std::size_t kept = (optionWord & optionCaption) ? 1 : 0;
    auto linesBottom = [&lines]() {
        int below = -1;
        for (TEKSTELEMENT *line : lines)
            below = std::max(below, static_cast<int>(line->DrawnRect().bottom));
        return below;
    };
    int headingsBottom = linesBottom();
    while (lines.size() > kept && headingsBottom + gapPixels + numbersLine > lowestTop) {
        TEKSTELEMENT *last = lines.back();
        lines.pop_back();
        RemoveElement(last);
        delete last;
        headingsBottom = linesBottom();
        int logicalBottom = std::max(headingsBottom, 0);
        ToLogicalUnits(unused, logicalBottom);
        textsBottom = headingsBottom < 0 ? 0 : logicalBottom;
    }
    if (headingsBottom < 0)
        return;
    const int needed = headingsBottom + gapPixels + numbersLine;
    if (needed <= top)
        return;
    int moved = std::min(needed, lowestTop) + 1;
    ToLogicalUnits(unused, moved);
    // The plot keeps a third of its height at the least.
    plotArea.top = valueArea.top = std::min(moved, plotArea.bottom - (plotArea.bottom - plotTopAtStart) / 3);
}

void FREQBAR::FitLabelRoom()
{
    // The share of the window's width the labels may take at the most.
    constexpr int widestSharePercent = 40, marginPixels = 4;
    sideLabels.clear();
    plotArea.left = valueArea.left = plotLeftAtStart;
    if (!OSHandle() || view.right <= view.left)
        return;
    // The font of the labels beside the bars (the band as laid out now).
    const int n = ShownCount();
    band = n > 0 ? std::abs(plotArea.bottom - plotArea.top) / n : 0;
    const int size = BandFontSize(categorySize);
    const int widest = WidestTextInFont(ShownLabels(), size, 0);
    int distance = labelDistance, left = plotArea.left, unused = 0;
    ToDeviceUnits(distance, unused);
    ToDeviceUnits(left, unused);
    const int width = view.right - view.left + 1;
    const int needed = std::min(widest + distance + marginPixels, width * widestSharePercent / 100);
    if (needed > left) {
        int moved = needed + 1;
        ToLogicalUnits(moved, unused);
        plotArea.left = valueArea.left = std::min(moved, plotArea.right - 100);
        left = needed;
    }
    const int room = std::max(left - distance - marginPixels, 1);
    if (widest > room)
        for (const FreqCategory &c : ShownCategories())
            sideLabels.push_back(CutTextToWidth(c.label, room, size, 0));
}

int FREQBAR::BandFontSize(int size) const
{
    // Horizontal bars: a text beside a bar no taller than its band, so that
    // the texts of neighbouring bars stay apart, down to a readable size;
    // below that the labels are thinned (LabelStride).
    int unused = 0, bandPixels = band;
    ToDeviceUnits(unused, bandPixels);
    if (!OSHandle() || bandPixels <= 0)
        return size;
    return GraphTextBands::FitToSlots(bandPixels, size).fontSize;
}

int FREQBAR::LabelStride() const
{
    int unused = 0, bandPixels = band;
    ToDeviceUnits(unused, bandPixels);
    if (!OSHandle() || !horizontal || bandPixels <= 0)
        return 1;
    return GraphTextBands::FitToSlots(bandPixels, categorySize).stride;
}

std::string FREQBAR::CutLabel(const char *label) const
{
    const std::string whole = label ? label : "";
    if (labelCharacters <= 0 || static_cast<int>(whole.size()) <= labelCharacters)
        return whole;
    // Cut in the middle: the labels of a question often differ only at
    // their ends ("Answer category 1", "Answer category 2").
    const std::size_t kept = static_cast<std::size_t>(std::max(labelCharacters - 2, 2));
    const std::size_t front = (kept + 1) / 2, back = kept - front;
    return whole.substr(0, front) + ".." + whole.substr(whole.size() - back);
}

int FREQBAR::ValuePosition(double value) const
{
    const double span = axisMaximum - axisMinimum;
    const double p = span > 0.0 ? (value - axisMinimum) / span : 0.0;
    if (horizontal)
        return static_cast<int>(std::floor(valueArea.left + (valueArea.right - valueArea.left + 1) * p));
    return static_cast<int>(std::floor(valueArea.bottom - std::abs(valueArea.bottom - valueArea.top + 1) * p));
}

int FREQBAR::CategoryCentre(int i) const
{
    if (horizontal)
        return bandArea.top + band * (i + 1) - band / 2;
    return bandArea.left + band * i + band / 2;
}

int FREQBAR::BarStart(int i, int n) const
{
    const int size = horizontal ? bandArea.bottom - bandArea.top : bandArea.right - bandArea.left;
    const int gap = (100 - fillShare) * size / (n * 100);
    if (horizontal)
        return bandArea.top + band * (i + 1) - gap / 2;
    return bandArea.left + band * i + gap / 2;
}

// --- Build ---------------------------------------------------------------------------

void FREQBAR::DrawData()
{
    const int n = ShownCount();
    LayOutBands(n);
    auto *background = new BOXELEMENT(plotArea.left, plotArea.top, plotArea.right + 1 - plotArea.left,
                                      plotArea.bottom + 1 - plotArea.top, Style(plotRole));
    background->penWidth = 1;
    mainGroup->AddElement(background);
    AddAxis(mainGroup);
    for (int i = 0; i < n; ++i)
        AddCategory(i, n);
}

void FREQBAR::AddAxis(GROUPELEMENT *group)
{
    AxisSpec description(valueArea.left, valueArea.top, valueArea.right - valueArea.left,
                         valueArea.bottom - valueArea.top, 0);
    description.vertical = horizontal ? 0 : 1;
    description.horizontalNearSide = 1.0;
    description.grid = (optionWord & optionGrid) ? 1 : 0;
    description.percent = raw ? 0 : 1;
    description.axisLine = 0;
    description.ticks = 0;
    description.step = 0.0;
    double minimum = 0.0, maximum = axisMaximum;
    group->AddElement(new SKALA(description, minimum, maximum));
    axisMinimum = minimum;
    axisMaximum = maximum;
}

void FREQBAR::AddCategory(int i, int n)
{
    const FreqCategory &c = ShownCategories()[static_cast<std::size_t>(i)];
    const double value = raw ? c.frequency : c.validPercent;
    const int centre = CategoryCentre(i), start = BarStart(i, n);
    const int thickness = band * fillShare / 100;
    const int origin = ValuePosition(0.0), end = ValuePosition(value);
    auto *group = new GROUPELEMENT;

    // Boxes take their left-top corner and a size that is not negative.
    if (horizontal)
        group->AddElement(new BOXELEMENT(std::min(origin, end), start - thickness, std::abs(end - origin), thickness,
                                         Style(barRole)));
    else
        group->AddElement(
            new BOXELEMENT(start, std::min(origin, end), thickness, std::abs(end - origin), Style(barRole)));

    if (optionWord & optionTicks) {
        if (horizontal)
            group->AddElement(
                new LINEELEMENT(plotArea.left, centre, plotArea.left - tickLength, centre, 1, &FrameStyle));
        else
            group->AddElement(
                new LINEELEMENT(centre, plotArea.bottom, centre, plotArea.bottom + tickLength, 3, &FrameStyle));
    }

    // Texts beside horizontal bars stand with their line centred on the
    // bar's middle.
    const int labelFont = BandFontSize(categorySize), valueFont = BandFontSize(valueSize);
    auto halfLine = [this](int size) { return OSHandle() ? LogicalDown(size) / 2 : 0; };
    // A thinned label stays as an empty text, so that every category's
    // group holds the same parts.
    const bool labelShown = i % LabelStride() == 0;
    if (horizontal)
        group->AddElement(MakeText(plotArea.left - labelDistance, centre - halfLine(labelFont),
                                   !labelShown           ? ""
                                   : sideLabels.empty() ? c.label
                                                        : sideLabels[static_cast<std::size_t>(i)].c_str(),
                                   OSHandle() ? alignRightTop : alignRightBaseline, labelFont));
    else
        group->AddElement(MakeText(centre, plotArea.bottom + labelDistance + (i % labelRows) * labelRowStep,
                                   CutLabel(c.label).c_str(), alignCentreTop, categorySize));

    if (optionWord & optionNumbers) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*lf", 1, value);
        // Inside the bar's end only where the figure fits the bar.
        int length = std::abs(end - origin), height = thickness;
        ToDeviceUnits(length, height);
        int distance = valueDistance, unused = 0;
        ToDeviceUnits(distance, unused);
        const bool fitsInside = !OSHandle() || (valueFont <= height && TextWidthInFont(text, valueFont, 0) +
                                                                             2 * distance <= length);
        const int y = centre - halfLine(valueFont);
        if (!horizontal) {
            group->AddElement(MakeText(centre, end + valueAboveBar, text, alignCentreBottom, valueSize));
        } else if (ValuePosition(axisMaximum) - end < valueInsideLimit && fitsInside) {
            // Inside the bar's end: drawn to contrast with the bar's fill.
            TEKSTELEMENT *inside =
                MakeText(end - valueDistance, y, text, OSHandle() ? alignRightTop : alignRightBaseline, valueFont);
            inside->SetContrastWith(Style(barRole));
            group->AddElement(inside);
        } else {
            group->AddElement(
                MakeText(end + valueDistance, y, text, OSHandle() ? alignLeftTop : alignLeftBaseline, valueFont));
        }
    }
    mainGroup->AddElement(group);
}

// --- Draw ----------------------------------------------------------------------------

ZafEventType FREQBAR::Draw(const ZafEventRecord &event, ZafEventType code)
{
    if (!firstDrawDone && mainGroup && OSHandle() && Built() && !(View().right == 0 && View().bottom == 0)) {
        firstDrawDone = 1;
        FreshenTree(*this, mainGroup);
        const int left = mainGroup->device.left;
        if (left < 0) {
            mainGroup->Move(10 - left, 0);
            mainGroup->SetSize(mainGroup->device.Width() - 20, mainGroup->device.Height());
        }
    }
    return FREQGRAPH::Draw(event, code);
}
