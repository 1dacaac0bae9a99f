// DuoPoly: the graph of a paired t-test page: the distributions of the
// pair's two variables as two frequency polygons over one common value
// scale and one density scale, the area where they overlap filled in a
// third colour, a legend with the two variables' captions, an optional
// title, and optionally, in two strips under the plot, a box-and-whisker
// figure or a bar-code strip (or both) for each variable. The display word
// of its DuoPolyOption is read again at every build.
//
// Statistics are those of the valid pairs (each variable with the other as
// partner) over the computation's data set, weight and selection. The class
// count is n / (floor(sqrt(n)) + 15), held within 5 .. 100, n the smaller
// weighted count; both polygons share the class bounds, so the overlap is
// the smaller density at each class point, with the points where the two
// polygons cross in between.
//
// Zero spans: without a valid pair the graph holds the background, the
// legend and the title, with no scale, polygon or strip (and no box: the
// quantile summary is then not computed); a value range of no width (the
// same constant in both variables) is widened by 0.5 on each side. Nothing
// is divided by zero.
//
// Ownership: the window owns its nine styles and, as a GRAPHWIN, its
// elements; the computation belongs to the page and the option record to
// the workbook: both must outlive the window.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <vector>

class DuoPolyOption;
class GROUPELEMENT;
class PlotAxis;
class StatClass;

class DuoPoly : public GRAPHWIN
{
public:
    static constexpr int styleCount = 9;
    static constexpr int textGroup = 38;
    static constexpr int titleText = 4;
    static constexpr int fewestClasses = 5;
    static constexpr int mostClasses = 100;
    // The layout in the 10000 x 10000 logical space (left, top, right, bottom).
    // The areas before the window has a size. At every build in a window
    // the title and the legend's two rows (swatch and caption, each row
    // its measured height) stack from the top, the two strips and the
    // axis numbers from the bottom, and the plot takes what is left; while
    // it would keep less than half the height the legend's rows go side by
    // side on one line, their captions cut, and then the legend gives way.
    static constexpr ElementRect fixedPlotArea{1800, 2000, logicalWidth - 1800, logicalHeight - 2300, 0};
    static constexpr ElementRect fixedFirstStrip{1800, logicalHeight - 1900, logicalWidth - 1800,
                                                 logicalHeight - 1600, 0};
    static constexpr ElementRect fixedSecondStrip{1800, logicalHeight - 1350, logicalWidth - 1800,
                                                  logicalHeight - 1050, 0};

    // The variables are numbered from 1; a null option draws with the
    // display word 0 (no title, no strips).
    DuoPoly(StatClass *computation, long firstVariable, long secondVariable, DuoPolyOption *option);
    ~DuoPoly() override;

    void BuildGraph() override;
    ElementRect PlotRegion() const override { return plotArea; }
    // Its bands are measured at the window's size.
    bool LayoutFollowsSize() const override { return true; }
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;

    // Whether two polygons cross between two class points: the sign of
    // their difference (a minus b, at the start and at the end) changes.
    // Then t is where, as a fraction 0 .. 1 of the way.
    static bool SegmentCrossing(long aStart, long aEnd, long bStart, long bEnd, double &t);
    // The overlap of two outlines of classCount + 3 points each (base,
    // class points, base, first again) with class points at the same x.
    static std::vector<POINT> OverlapOutline(const std::vector<POINT> &first, const std::vector<POINT> &second,
                                             int classCount);
    // The class count for n pairs.
    static int ClassCountFor(double n);

    // What the last build used: the value range (after the scale widened
    // it) and the class count.
    double Low() const { return low; }
    double High() const { return high; }
    int ClassCount() const { return classCount; }

private:
    struct Statistics
    {
        double minimum, maximum, mean, standardDeviation, n;
    };
    void CreateStyles();
    void ComputeStatistics(Statistics &first, Statistics &second);
    GROUPELEMENT *NewScale();
    void AddTitle();
    GROUPELEMENT *NewLegend(int variableIndex);
    // The areas and the legend's places from the texts measured at the
    // window's size.
    void LayOut();
    void AddDistributions(GROUPELEMENT *group, const Statistics stats[2]);
    void AddBoxes(GROUPELEMENT *group, const Statistics stats[2]);
    void AddBarCodes(GROUPELEMENT *group);
    DrawStyle *StyleAt(int number) { return &styles[number - 1]; }

    StatClass *computation;
    DuoPolyOption *option;
    unsigned long displayWord = 0;
    long variables[2];
    DrawStyle styles[styleCount];
    double low = 0.0, high = 0.0;
    int classCount = fewestClasses;
    int titleSize = 18, legendSize = 14, scaleSize = 12;
    std::uint32_t titleStyleBits = 1, legendStyleBits = 0;
    int titleAlignment = 10, legendAlignment = 33;
    ElementRect plotArea = fixedPlotArea, firstStrip = fixedFirstStrip, secondStrip = fixedSecondStrip;
    // The legend: each swatch's left-top corner and side, each caption's
    // anchor and the logical width it is cut to (0: whole); not shown when
    // the plot needs its room.
    struct LegendRow
    {
        int swatchLeft, swatchTop, captionLeft, captionTop, captionWidth;
    };
    LegendRow legendRows[2];
    int swatchSide = 250, swatchWidth = 250;
    bool legendShown = true;
};
