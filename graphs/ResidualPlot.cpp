#include "graphs/ResidualPlot.h"

#include "dataset/BUFFERTYPE.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/PlotAxis.h"
#include "graphs/ResplotOption.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/RegObj.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>

namespace {

constexpr int textGroup = 33;
constexpr int titleText = 39, xLabelText = 40, yLabelText = 41;
constexpr int framePen = 3;
constexpr int numberDistance = 150;
constexpr int labelBelowPlot = 700; // the x label's height under the plot area
constexpr int yLabelX = 700;

// Two per cent of a size, as the insets take it.
int TwoPercent(int size)
{
    return (2 * size + 2) / 100;
}

int Centre(int low, int high)
{
    return low + (high - low + 1) / 2;
}

TEKSTELEMENT *MakeText(int x, int y, const char *text, int alignment, int size, std::uint32_t style)
{
    auto *item = new TEKSTELEMENT(x, y, text, alignment);
    item->SetFont(size, style);
    return item;
}

BOXELEMENT *Frame(const ElementRect &area, DrawStyle *style)
{
    auto *box = new BOXELEMENT(area.left, area.top, area.right - area.left, area.bottom - area.top, style);
    box->penWidth = framePen;
    return box;
}

} // namespace

ResidualPlot::ResidualPlot(RegressionEngine *regressionEngine, ResplotOption *optionRecord)
    : ResidualPlot(EngineSource([regressionEngine] { return regressionEngine; }), optionRecord)
{}

ResidualPlot::ResidualPlot(EngineSource engineSource, ResplotOption *optionRecord)
    : GRAPHWIN(0, 0, 0, 0), record(optionRecord), source(std::move(engineSource)), mean(kNotComputed),
      deviation(kNotComputed)
{
    MakeStyles();
    LayOut();
    CopyLists();
    SetDrawStyle(nullptr);
}

ResidualPlot::~ResidualPlot()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

void ResidualPlot::MakeStyles()
{
    const int blue[3] = {50, 80, 130}, pale[3] = {190, 200, 230};
    styles[spareRole].SetFillColour(15);
    styles[spareRole].SetSecondColour(0);
    styles[spareRole].SetGreyLevels(255, 0);
    styles[pointRole].SetFillRGB(blue[0], blue[1], blue[2]);
    styles[pointRole].SetSecondRGB(blue[0], blue[1], blue[2]);
    styles[pointRole].SetGreyLevels(0, 0);
    styles[scatterFrameRole].SetFillRGB(pale[0], pale[1], pale[2]);
    styles[scatterFrameRole].SetSecondRGB(pale[0], pale[1], pale[2]);
    styles[scatterFrameRole].SetGreyLevels(210, 210);
    styles[outlineRole].SetFillRGB(blue[0], blue[1], blue[2]);
    styles[outlineRole].SetSecondRGB(blue[0], blue[1], blue[2]);
    styles[outlineRole].SetGreyLevels(150, 100);
    styles[histogramFrameRole].SetFillColour(15);
    styles[histogramFrameRole].SetSecondRGB(pale[0], pale[1], pale[2]);
    styles[histogramFrameRole].SetGreyLevels(255, 255);
    styles[curveRole].SetFillColour(4);
    styles[curveRole].SetSecondColour(4);
    styles[curveRole].SetGreyLevels(30, 30);
    styles[axisRole].SetFillColour(15);
    styles[axisRole].SetSecondColour(15);
    styles[axisRole].SetGreyLevels(255, 255);
}

void ResidualPlot::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void ResidualPlot::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}

void ResidualPlot::LayOut()
{
    if (plot.AllZero())
        plot = ElementRect{plotLeft, plotTop, plotRight, plotBottom, 0};
    const int scatterRight = plot.left + (plot.right - plot.left + 1) * scatterPercent / 100;
    scatter = ElementRect{plot.left, plot.top, scatterRight, plot.bottom, 0};
    histogram = ElementRect{scatterRight + histogramGap, plot.top, plot.right, plot.bottom, 0};
    const int histogramInset = TwoPercent(histogram.bottom - histogram.top);
    histogramInner = ElementRect{histogram.left, histogram.top + histogramInset, histogram.right,
                                 histogram.bottom - histogramInset, 0};
    const int dx = TwoPercent(scatter.right - scatter.left), dy = TwoPercent(scatter.bottom - scatter.top);
    points = ElementRect{scatter.left + dx, scatter.top + dy, scatter.right - dx, scatter.bottom - dy, 0};
    titleArea = ElementRect{250, 250, 9750, 1350, 0};
    xLabelAnchor =
        ElementRect{scatter.left, plot.bottom + labelBelowPlot, scatter.right, plot.bottom + labelBelowPlot, 0};
    yLabelAnchor = ElementRect{yLabelX, scatter.top, yLabelX, scatter.bottom, 0};
}

void ResidualPlot::CopyLists()
{
    predictedList = std::make_unique<TMPLISTETYPE>(STORAGE_DOUBLE);
    residualList = std::make_unique<TMPLISTETYPE>(STORAGE_DOUBLE);
    count = 0;
    xLow = xHigh = yLow = yHigh = 0.0;
    mean = deviation = kNotComputed;
    RegressionEngine *engine = source ? source() : nullptr;
    if (!engine)
        return;
    const std::size_t n = std::min(engine->predicted.size(), engine->residuals.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double x = engine->predicted[i], y = engine->residuals[i];
        predictedList->AppendReal(x);
        residualList->AppendReal(y);
        xLow = i ? std::min(xLow, x) : x;
        xHigh = i ? std::max(xHigh, x) : x;
        yLow = i ? std::min(yLow, y) : y;
        yHigh = i ? std::max(yHigh, y) : y;
    }
    count = static_cast<long>(n);
    mean = engine->residualMean;
    deviation = engine->residualDeviation;
}

void ResidualPlot::BuildGraph()
{
    if (record)
        displayWord = static_cast<std::uint32_t>(record->displayWord);
    // The model may have been computed again since the last build.
    CopyLists();
    plot = ElementRect{plotLeft, plotTop, plotRight, plotBottom, 0};
    xTitleAt = yTitleAt = POINT{-1, -1};
    LayOut();
    BuildElements();
    // Once more over the areas the measured texts need.
    if (FitAreasToTexts()) {
        ClearElements();
        BuildElements();
    }
}

void ResidualPlot::BuildElements()
{
    auto *group = new GROUPELEMENT;
    AddTexts(group);
    group->AddElement(Frame(scatter, &styles[scatterFrameRole]));
    AddScatter(group);
    group->AddElement(Frame(histogram, &styles[histogramFrameRole]));
    AddHistogram(group);
    AddElement(group);
}

void ResidualPlot::AddTexts(GROUPELEMENT *group)
{
    title = nullptr;
    if (displayWord & displayTitle) {
        title = MakeText(Centre(titleArea.left, titleArea.right), titleArea.top, StatText(titleText, textGroup),
                         titleAlignment, titleFont, titleStyle);
        group->AddElement(title);
    }
    const POINT yAt =
        yTitleAt.x >= 0 ? yTitleAt : POINT{yLabelAnchor.left, Centre(yLabelAnchor.top, yLabelAnchor.bottom)};
    yTitle = MakeText(yAt.x, yAt.y, StatText(yLabelText, textGroup), yLabelAlignment, labelFont, labelStyle);
    group->AddElement(yTitle);
    const POINT xAt =
        xTitleAt.x >= 0 ? xTitleAt : POINT{Centre(xLabelAnchor.left, xLabelAnchor.right), xLabelAnchor.top};
    xTitle = MakeText(xAt.x, xAt.y, StatText(xLabelText, textGroup), xLabelAlignment, labelFont, labelStyle);
    group->AddElement(xTitle);
}

namespace {


// The union of the pixels of a scale's numbers (empty without any).
RECT NumbersOf(SKALA *scale)
{
    RECT all = {0, 0, 0, 0};
    if (!scale)
        return all;
    for (element *child : scale->Children())
        if (child->kind == element::kindText) {
            const RECT r = DrawnRectOf(static_cast<TEKSTELEMENT *>(child));
            UnionRect(&all, &all, &r);
        }
    return all;
}

} // namespace

bool ResidualPlot::FitAreasToTexts()
{
    if (!OSHandle() || view.right <= view.left || view.bottom <= view.top)
        return false;
    constexpr int gap = 3; // pixels between texts
    int plotLeftPixels = plot.left, plotBottomPixels = plot.bottom;
    ToDeviceUnits(plotLeftPixels, plotBottomPixels);
    RECT yNumbers = NumbersOf(yScale), xNumbers = NumbersOf(xScale);
    const bool yNumbersShown = !IsRectEmpty(&yNumbers);
    if (!yNumbersShown)
        yNumbers = RECT{plotLeftPixels, 0, plotLeftPixels, 0};
    if (IsRectEmpty(&xNumbers))
        xNumbers = RECT{0, plotBottomPixels, 0, plotBottomPixels};
    const RECT yRect = DrawnRectOf(yTitle), xRect = DrawnRectOf(xTitle), titleRect = DrawnRectOf(title);
    const int yTitleWidth = yRect.right - yRect.left, xTitleHeight = xRect.bottom - xRect.top;
    // Pixel shifts of the plot's sides: its left side to the right, its
    // bottom up, its top down.
    const int left = std::max(0, static_cast<int>(view.left + yTitleWidth + 2 * gap - yNumbers.left));
    const int bottom = std::max(0, static_cast<int>(xNumbers.bottom + gap + xTitleHeight + gap - (view.bottom + 1)));
    const int top = title && yNumbersShown ? std::max(0, static_cast<int>(titleRect.bottom + gap - yNumbers.top)) : 0;
    // The axis titles where they stand clear of the numbers (the y title
    // once moved inside the window) keep their places.
    const int yTitleLeft = std::max(static_cast<int>(yRect.left), static_cast<int>(view.left));
    const bool yClear = yTitleLeft + yTitleWidth + gap <= yNumbers.left;
    const bool xClear = xRect.top >= xNumbers.bottom + gap && xRect.bottom <= view.bottom + 1;
    if (!left && !bottom && !top && yClear && xClear)
        return false;
    // The y title centred between the window's left edge and the numbers,
    // the x title's top under the numbers (pixels, then logical).
    int yAtX = static_cast<int>(view.left + yNumbers.left + left) / 2;
    int xAtY = static_cast<int>(xNumbers.bottom) - bottom + gap;
    ToLogicalUnits(yAtX, xAtY);
    // One pixel more each: the logical units round down.
    int leftShift = left ? left + 1 : 0, topShift = top ? top + 1 : 0, bottomShift = bottom ? bottom + 1 : 0;
    int unused = 0;
    ToLogicalUnits(leftShift, topShift);
    ToLogicalUnits(unused, bottomShift);
    plot.left += leftShift;
    plot.top += topShift;
    plot.bottom -= bottomShift;
    // A window too small for any plot keeps a sliver of one.
    plot.left = std::min(plot.left, plot.right - 100);
    plot.bottom = std::max(plot.bottom, plot.top + 100);
    LayOut();
    yTitleAt = POINT{yAtX, Centre(yLabelAnchor.top, yLabelAnchor.bottom)};
    xTitleAt = POINT{Centre(xLabelAnchor.left, xLabelAnchor.right), xAtY};
    return true;
}

void ResidualPlot::AddScatter(GROUPELEMENT *group)
{
    // Without a case the axes show 0 to 1 over an empty scatter.
    xMin = count ? xLow : 0.0;
    xMax = count ? xHigh : 1.0;
    yMin = count ? yLow : 0.0;
    yMax = count ? yHigh : 1.0;
    // The axes span the box the points are drawn in, over the range they
    // widen to, so that each point stands at its value on both axes; the
    // grid still crosses the whole frame.
    AxisSpec description(points.left, scatter.top, points.right - points.left, scatter.bottom - scatter.top, 0);
    description.fontSize = numberFont;
    description.labelDistance = numberDistance;
    description.grid = 1;
    description.axisLine = 0;
    description.ticks = 0;
    description.verticalNearSide = 1.0;
    description.horizontalNearSide = 1.0;
    description.axisStyle.CopyFrom(styles[axisRole]);
    description.thirdStyle.CopyFrom(styles[axisRole]);
    description.vertical = 0;
    xScale = new SKALA(description, xMin, xMax);
    group->AddElement(xScale);
    description.vertical = 1;
    description.x = scatter.left;
    description.width = scatter.right - scatter.left;
    description.y = points.top;
    description.height = points.bottom - points.top;
    yScale = new SKALA(description, yMin, yMax);
    group->AddElement(yScale);

    auto *cloud = new BIPLOTELEMENT(nullptr, 0, 0, points.left, points.top, points.right - points.left,
                                    points.bottom - points.top, &styles[pointRole], xMin, xMax, yMin, yMax);
    cloud->xList = predictedList.get();
    cloud->yList = residualList.get();
    cloud->regressionLine = 0;
    group->AddElement(cloud);
}

void ResidualPlot::AddHistogram(GROUPELEMENT *group)
{
    if (!count)
        return;
    double low = yMin, high = yMax;
    PlotAxis *panel = PlotAxis::FitToList(nullptr, residualList.get(), low, high, 0, static_cast<double>(count), yLow,
                                          yHigh, mean, deviation);
    panel->rotated = 1;
    panel->SetRange(1, &styles[curveRole], kNotComputed, kNotComputed);
    panel->curveOverAxis = 1;
    panel->BuildElements(group, histogramInner.left, histogramInner.top, histogramInner.right - histogramInner.left,
                         histogramInner.bottom - histogramInner.top, &styles[outlineRole]);
    panel->FreeArrays();
    delete panel;
}
