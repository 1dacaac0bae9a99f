#include "graphs/DuoPoly.h"

#include "dataset/DATASET.h"
#include "graphs/BARCODEELEMENT.h"
#include "graphs/BoxWhisker.h"
#include "graphs/DuoPolyOption.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"
#include "graphs/PlotAxis.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/Stat.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The styles' roles (numbers 1 to 9; 7 and 8 are not drawn).
enum StyleNumber : int {
    backgroundStyle = 1,
    firstBoxStyle = 2,
    secondBoxStyle = 3,
    firstStyle = 4,
    secondStyle = 5,
    overlapStyle = 6,
    scaleStyle = 9,
};
constexpr int scaleLabelDistance = 150;
constexpr int swatchSize = 250;
constexpr int swatchLeft = 1800, legendTextLeft = 2400;
constexpr int swatchTop[2] = {850, 1200};
constexpr int legendTextY[2] = {975, 1325};
constexpr int titleY = 250;

bool Usable(double value)
{
    return std::isfinite(value) && !IsNotComputed(value);
}

} // namespace

DuoPoly::DuoPoly(StatClass *statistics, long firstVariable, long secondVariable, DuoPolyOption *record)
    : GRAPHWIN(0, 0, 0, 0), computation(statistics), option(record), variables{firstVariable, secondVariable}
{
    SetDrawStyle(nullptr);
    CreateStyles();
}

DuoPoly::~DuoPoly()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

void DuoPoly::CreateStyles()
{
    static const StyleColours table[styleCount] = {
        {-1, 190, 200, 230, -1, 190, 200, 230, 230, 230}, // plot background
        {0, 0, 0, 0, -1, 130, 120, 255, 0, 150},          // box of the first variable
        {0, 0, 0, 0, -1, 20, 0, 160, 0, 50},              // box of the second variable
        {-1, 130, 120, 255, -1, 130, 120, 255, 150, 150}, // first variable
        {-1, 20, 0, 160, -1, 20, 0, 160, 50, 50},         // second variable
        {-1, 30, 0, 255, -1, 30, 0, 255, 100, 100},       // overlap
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                   // not drawn
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                   // not drawn
        {15, 0, 0, 0, 15, 0, 0, 0, 255, 255},             // value scale (white)
    };
    ApplyStyleColours(styles, table, styleCount);
}

int DuoPoly::ClassCountFor(double n)
{
    if (!(n > 0.0) || !std::isfinite(n))
        return fewestClasses;
    const double count = std::trunc(n / (std::floor(std::sqrt(n)) + 15.0));
    return static_cast<int>(std::min(std::max(count, double(fewestClasses)), double(mostClasses)));
}

bool DuoPoly::SegmentCrossing(long aStart, long aEnd, long bStart, long bEnd, double &t)
{
    const double start = double(aStart) - double(bStart), end = double(aEnd) - double(bEnd);
    if (!((start < 0.0 && end > 0.0) || (start > 0.0 && end < 0.0)))
        return false;
    t = start / (start - end);
    return true;
}

std::vector<POINT> DuoPoly::OverlapOutline(const std::vector<POINT> &first, const std::vector<POINT> &second,
                                           int classes)
{
    std::vector<POINT> points;
    const size_t expected = static_cast<size_t>(classes) + 3;
    if (classes <= 0 || first.size() != expected || second.size() != expected)
        return points;
    points.push_back(first[0]);
    for (int i = 1; i <= classes; ++i) {
        // The larger y is the smaller density.
        points.push_back(POINT{first[i].x, std::max(first[i].y, second[i].y)});
        double t = 0.0;
        if (i < classes && SegmentCrossing(first[i].y, first[i + 1].y, second[i].y, second[i + 1].y, t))
            points.push_back(POINT{static_cast<LONG>(first[i].x + t * (first[i + 1].x - first[i].x)),
                                   static_cast<LONG>(first[i].y + t * (first[i + 1].y - first[i].y))});
    }
    points.push_back(first[static_cast<size_t>(classes) + 1]);
    points.push_back(first[0]);
    return points;
}

// --- Build ---------------------------------------------------------------------------

void DuoPoly::ComputeStatistics(Statistics &first, Statistics &second)
{
    Statistics *both[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        const Stat stat(computation, variables[i], variables[1 - i], kNotComputed);
        *both[i] = Statistics{stat.minimum, stat.maximum, stat.mean, stat.standardDeviation, stat.n};
    }
}

void DuoPoly::BuildGraph()
{
    Statistics stats[2];
    ComputeStatistics(stats[0], stats[1]);
    displayWord = option ? static_cast<unsigned long>(option->optionWord) : 0;
    const double n = std::min(stats[0].n, stats[1].n);
    classCount = ClassCountFor(n);
    // Without a valid pair the minima and maxima are not computed
    // and there is nothing to place on a scale.
    const bool anyPair = n > 0.0 && Usable(stats[0].minimum) && Usable(stats[1].minimum) &&
                         Usable(stats[0].maximum) && Usable(stats[1].maximum);
    low = high = 0.0;
    if (anyPair) {
        low = std::min(stats[0].minimum, stats[1].minimum);
        high = std::max(stats[0].maximum, stats[1].maximum);
        // The same constant in both variables leaves a range of no
        // width, which every position would be divided by.
        if (!(high > low)) {
            low -= 0.5;
            high += 0.5;
        }
    }

    LayOut();
    auto *group = new GROUPELEMENT;
    SetDrawStyle(nullptr);
    GROUPELEMENT *scale = anyPair ? NewScale() : nullptr;
    group->AddElement(
        new BOXELEMENT(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), StyleAt(backgroundStyle)));
    if (scale)
        group->AddElement(scale);
    if (displayWord & DuoPolyOption::optionTitle)
        AddTitle();
    GROUPELEMENT *legends[2] = {NewLegend(0), NewLegend(1)};
    if (anyPair) {
        AddDistributions(group, stats);
        if (displayWord & DuoPolyOption::optionBoxStrips)
            AddBoxes(group, stats);
        if (displayWord & DuoPolyOption::optionBarCodeStrips)
            AddBarCodes(group);
    }
    for (GROUPELEMENT *legend : legends) {
        if (legendShown)
            AddElement(legend);
        else
            delete legend;
    }
    AddElement(group);
}

GROUPELEMENT *DuoPoly::NewScale()
{
    AxisSpec description(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), 0);
    description.vertical = 0;
    description.horizontalNearSide = 1.0;
    description.axisStyle = *StyleAt(scaleStyle);
    description.grid = 1;
    description.axisLine = 0;
    description.ticks = 0;
    description.labelDistance = scaleLabelDistance;
    description.fontSize = scaleSize;
    // The scale widens the range to multiples of its step; everything
    // below is placed over the widened range.
    return new SKALA(description, low, high);
}

void DuoPoly::AddTitle()
{
    auto *title = new TEKSTELEMENT((logicalWidth + 1) / 2, titleY, StatText(titleText, textGroup), titleAlignment);
    title->SetFont(titleSize, titleStyleBits);
    AddElement(title);
}

namespace {

std::string CaptionOf(StatClass *computation, long variable)
{
    char caption[160] = "";
    if (computation && computation->GetDataSet())
        computation->GetDataSet()->GetVariableCaption(variable, caption, sizeof caption);
    return caption;
}

} // namespace

void DuoPoly::LayOut()
{
    plotArea = fixedPlotArea;
    firstStrip = fixedFirstStrip;
    secondStrip = fixedSecondStrip;
    swatchSide = swatchWidth = swatchSize;
    legendShown = true;
    for (int i = 0; i < 2; ++i)
        legendRows[i] = LegendRow{swatchLeft, swatchTop[i], legendTextLeft, legendTextY[i], 0};
    const GraphTextBands bands(*this);
    if (!bands.Measured())
        return;
    const std::uint32_t legendBits = TEKSTELEMENT::styleBold | legendStyleBits;
    const int gap = bands.Down(GraphTextBands::gapPixels), gapAcross = bands.Across(GraphTextBands::gapPixels);
    const int titleLine = (displayWord & DuoPolyOption::optionTitle) ? bands.LineHeight(titleSize, titleStyleBits, 0) : 0;
    const int captionHeight = TextHeightInFont(legendSize, legendBits);
    const int rowHeight = bands.Down(captionHeight + GraphTextBands::gapPixels);
    const int numberLine = bands.LineHeight(scaleSize, TEKSTELEMENT::styleBold, 0);
    // The swatch a square of the caption's height less 2 pixels.
    const int sidePixels = std::max(captionHeight - 2, 4);
    const int bandHeight = std::max(fixedFirstStrip.Height(), bands.Down(8));
    // From the bottom: the strips, then the axis numbers.
    int y = logicalHeight - 1 - gap;
    // A strip's figures are drawn from its bottom edge down by its height.
    if (displayWord & (DuoPolyOption::optionBoxStrips | DuoPolyOption::optionBarCodeStrips)) {
        for (ElementRect *strip : {&secondStrip, &firstStrip}) {
            strip->bottom = y - bandHeight - 1;
            strip->top = strip->bottom - bandHeight;
            y = strip->bottom - gap;
        }
    }
    plotArea.bottom = y - numberLine - scaleLabelDistance;
    const int legendTop = titleY + titleLine;
    const int left = fixedPlotArea.left;
    // Two rows, one row of two, or none: the first that leaves the plot
    // half the height.
    for (int rows : {2, 1, 0}) {
        legendShown = rows > 0;
        plotArea.top = legendTop + rows * rowHeight + gap;
        if (rows == 0 || plotArea.bottom - plotArea.top >= logicalHeight / 2) {
            const int across = rows == 1 ? (logicalWidth - left - gapAcross) / 2 : logicalWidth - left - gapAcross;
            for (int i = 0; i < 2; ++i) {
                LegendRow &row = legendRows[i];
                const int top = legendTop + (rows == 2 ? i : 0) * rowHeight;
                row.swatchLeft = left + (rows == 1 ? i : 0) * across;
                row.swatchTop = top + (rowHeight - bands.Down(sidePixels)) / 2;
                row.captionLeft = row.swatchLeft + bands.Across(sidePixels) + 2 * gapAcross;
                row.captionTop = top;
                row.captionWidth = row.swatchLeft + across - gapAcross - row.captionLeft;
            }
            swatchSide = bands.Down(sidePixels);
            swatchWidth = bands.Across(sidePixels);
            break;
        }
    }
}

GROUPELEMENT *DuoPoly::NewLegend(int i)
{
    auto *legend = new GROUPELEMENT;
    const LegendRow &row = legendRows[i];
    legend->AddElement(new BOXELEMENT(row.swatchLeft, row.swatchTop, swatchWidth, swatchSide,
                                      StyleAt(i ? secondStyle : firstStyle)));
    std::string caption = CaptionOf(computation, variables[i]);
    // Measured, the caption's line stands beside its swatch, its top at the
    // row's top, cut to the row's room.
    int alignment = legendAlignment;
    const GraphTextBands bands(*this);
    if (bands.Measured()) {
        alignment = TEKSTELEMENT::alignTop | 0x01;
        caption = bands.Cut(caption, std::max(row.captionWidth, 1), legendSize,
                            TEKSTELEMENT::styleBold | legendStyleBits);
    }
    auto *text = new TEKSTELEMENT(row.captionLeft, row.captionTop, caption.c_str(), alignment);
    text->SetFont(legendSize, text->StyleBits() | legendStyleBits);
    legend->AddElement(text);
    return legend;
}

void DuoPoly::AddDistributions(GROUPELEMENT *group, const Statistics stats[2])
{
    PlotAxis *panels[2];
    for (int i = 0; i < 2; ++i) {
        double axisLow = low, axisHigh = high;
        // The common range as both panels' minimum and maximum gives both
        // the same class bounds.
        panels[i] = PlotAxis::FitToData(computation, static_cast<unsigned>(variables[i]), axisLow, axisHigh,
                                        classCount, stats[i].n, low, high, stats[i].mean,
                                        stats[i].standardDeviation);
    }
    const double top = std::max(panels[0]->DensityTop(), panels[1]->DensityTop());
    for (int i = 0; i < 2; ++i) {
        panels[i]->SetDensityTop(top);
        panels[i]->BuildElements(group, plotArea.left, plotArea.top, plotArea.right - plotArea.left,
                                 plotArea.bottom - plotArea.top, StyleAt(i ? secondStyle : firstStyle));
    }
    if (!panels[0]->IntegerClasses() && !panels[1]->IntegerClasses()) {
        const std::vector<POINT> overlap =
            OverlapOutline(panels[0]->OutlinePoints(), panels[1]->OutlinePoints(), panels[0]->ClassCount());
        if (!overlap.empty())
            group->AddElement(new POLYGONELEMENT(static_cast<int>(overlap.size()), overlap.data(),
                                                 StyleAt(overlapStyle), true));
    }
    for (PlotAxis *panel : panels) {
        panel->FreeArrays();
        delete panel;
    }
}

void DuoPoly::AddBoxes(GROUPELEMENT *group, const Statistics stats[2])
{
    const ElementRect *strips[2] = {&firstStrip, &secondStrip};
    for (int i = 0; i < 2; ++i) {
        double summary[7];
        GroupedMedian(computation, variables[i], variables[1 - i], kNotComputed).GetSummary(summary);
        DrawStyle *style = StyleAt(i ? secondBoxStyle : firstBoxStyle);
        const ElementRect &s = *strips[i];
        // Without a summary (no valid pair) the box builder adds nothing;
        // the cross marks need the whisker ends too.
        AddBoxWhisker(group, style, summary, s.left, s.bottom, s.Width(), s.Height(), low, high);
        if (Usable(summary[3]) && stats[i].minimum < summary[3])
            AddCrossMark(group, style, stats[i].minimum, s.left, s.bottom, s.Width(), s.Height(), low, high);
        if (Usable(summary[4]) && stats[i].maximum > summary[4])
            AddCrossMark(group, style, stats[i].maximum, s.left, s.bottom, s.Width(), s.Height(), low, high);
    }
}

void DuoPoly::AddBarCodes(GROUPELEMENT *group)
{
    const ElementRect *strips[2] = {&firstStrip, &secondStrip};
    for (int i = 0; i < 2; ++i) {
        const ElementRect &s = *strips[i];
        auto *strip = new BARCODEELEMENT(computation->GetDataSet(), static_cast<unsigned>(variables[i]),
                                         static_cast<unsigned>(variables[1 - i]), s.left, s.bottom, s.Width(),
                                         s.Height(), low, high, kNotComputed);
        strip->SetStyle(StyleAt(i ? secondStyle : firstStyle));
        group->AddElement(strip);
    }
}

// --- Draw objects --------------------------------------------------------------------

void DuoPoly::CreateDrawObjects()
{
    for (int number : {1, 2, 3, 4, 5, 6, 7, 9, 8})
        StyleAt(number)->CreateObjects();
}

void DuoPoly::DeleteDrawObjects()
{
    for (int number : {1, 2, 3, 4, 5, 6, 7, 9, 8})
        StyleAt(number)->DeleteObjects();
}
