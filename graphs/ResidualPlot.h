// ResidualPlot: the regression page's residual plot: the final model's
// residuals (up) against its predicted values (across) as a scatter in the
// left 70 % of the plot area, and to its right the residuals' distribution
// lying on its side (PlotAxis, rotated) over the same vertical scale, with
// the fitted normal curve spanning that scale. Display bit 0x100 adds the
// title.
//
// Layout (logical units of the 10000 x 10000 space, integer arithmetic):
// plot area (1400, 1600)-(8600, 8400); scatter area from its left to
// 1400 + (7200 + 1) x 70 / 100 = 6440; histogram area from 10 right of
// that to the plot's right edge; points and histogram panel are inset by
// (2 x size + 2) / 100 of the areas' width and height. Where the texts
// measured at the window's size would cover each other (the y title on the
// numbers left of the scatter, the x title on the numbers below it, the
// title on the top number) the plot area gives way and the axis titles
// stand beside the numbers; the layout follows every change of size.
//
// Equal residuals (a perfect fit) or a single case draw without dividing
// by zero: the axis widens a range of no width, the scatter puts every
// point in the middle of such a range, and the distribution draws no curve
// without a spread.
//
// Ownership: the window owns its seven styles, its elements and the two
// value lists it copies from the engine at each build. The engine is asked
// of its source at every build and read only during it, as a recompute of
// the regression deletes the engines of its steps; the option record (the
// book's) must outlive the window.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <cstdint>
#include <functional>
#include <memory>

class GROUPELEMENT;
class ResplotOption;
class SKALA;
class TEKSTELEMENT;
class RegressionEngine;
class TMPLISTETYPE;

class ResidualPlot : public GRAPHWIN
{
public:
    enum DisplayBit : std::uint32_t {
        displayTitle = 0x100, // the title
    };
    static constexpr int plotLeft = 1400, plotTop = 1600, plotRight = 8600, plotBottom = 8400;
    static constexpr int scatterPercent = 70;
    static constexpr int histogramGap = 10;

    // The engine of the model to draw, as the computation holds it now
    // (null: an empty plot).
    using EngineSource = std::function<RegressionEngine *()>;

    // record null: the display word stays 0.
    ResidualPlot(EngineSource source, ResplotOption *record);
    // An engine that outlives the window.
    ResidualPlot(RegressionEngine *engine, ResplotOption *record);
    ~ResidualPlot() override;

    void BuildGraph() override;
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return plot; }

    std::uint32_t DisplayWord() const { return displayWord; }
    const ElementRect &ScatterArea() const { return scatter; }
    const ElementRect &HistogramArea() const { return histogram; }
    const ElementRect &HistogramInner() const { return histogramInner; }
    const ElementRect &PointsArea() const { return points; }
    const ElementRect &PlotArea() const { return plot; }
    // The values of the last build: x series and residuals, case by case.
    const TMPLISTETYPE *PredictedList() const { return predictedList.get(); }
    const TMPLISTETYPE *ResidualList() const { return residualList.get(); }
    // The ranges of the last build, after the axes widened them.
    double XMinimum() const { return xMin; }
    double XMaximum() const { return xMax; }
    double YMinimum() const { return yMin; }
    double YMaximum() const { return yMax; }

private:
    enum StyleRole { spareRole, pointRole, scatterFrameRole, outlineRole, histogramFrameRole, curveRole, axisRole,
                     styleRoleCount };

    void MakeStyles();
    // The areas from the plot area.
    void LayOut();
    void CopyLists();
    // The elements over the current areas.
    void BuildElements();
    void AddTexts(GROUPELEMENT *group);
    void AddScatter(GROUPELEMENT *group);
    void AddHistogram(GROUPELEMENT *group);
    // Moves the plot area's sides in where the texts built over it cover
    // each other or leave the window (measured in pixels) and places the
    // axis titles beside the numbers; true when the elements are to be
    // built again.
    bool FitAreasToTexts();

    ResplotOption *record;
    EngineSource source;
    std::uint32_t displayWord = 0;
    std::unique_ptr<TMPLISTETYPE> predictedList, residualList;
    long count = 0;
    double xLow = 0.0, xHigh = 0.0, yLow = 0.0, yHigh = 0.0; // of the data
    double mean, deviation;
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    ElementRect plot, scatter, histogram, histogramInner, points, titleArea, xLabelAnchor, yLabelAnchor;
    // What FitAreasToTexts measures, of the last build (children of the
    // window's group, deleted with its elements).
    TEKSTELEMENT *title = nullptr, *xTitle = nullptr, *yTitle = nullptr;
    SKALA *xScale = nullptr, *yScale = nullptr;
    // The axis titles' anchors when the texts need them elsewhere (x -1:
    // the anchors of the layout).
    POINT xTitleAt{-1, -1}, yTitleAt{-1, -1};
    DrawStyle styles[styleRoleCount];
    int titleFont = 18, labelFont = 14, numberFont = 12;
    std::uint32_t titleStyle = 1, labelStyle = 0;
    int titleAlignment = 10, xLabelAlignment = 10, yLabelAlignment = 34;
};
