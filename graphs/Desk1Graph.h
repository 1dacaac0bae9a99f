// Desk1Graph: the graph of a one-way descriptives page: the distribution of
// one variable in three horizontal bands over one value scale: the
// distribution outline (PlotAxis) over the plot area with, optionally, the
// normal curve; below it an optional box-and-whisker figure with cross
// marks at a minimum or maximum beyond the whiskers, and an optional
// bar-code strip of the single values. A title and a subtitle naming the
// variable stand above.
//
// The value range is fixed at construction: the data's minimum to maximum
// (widened by 0.5 for an integer-typed variable), at least the mean -/+ 3
// standard deviations; the axis then widens it to multiples of its step,
// and every band uses the axis's range, so that the outline, the box and the
// bar code stand over the axis labels of their values. Each build works on its own copy of
// the quantile summary (the whisker ends moved to the box's edges), so the
// computation and the table written from it are never changed.
//
// Zero spans: without a valid case the graph holds only its title and
// subtitle; a range of no width (one case, a constant) is widened by 0.5 on
// each side; without a quantile summary there is no box. Nothing is divided
// by zero.
//
// Ownership: the window owns its nine styles and, as a GRAPHWIN, its
// elements; the computation belongs to the page and the option record to
// the workbook: both must outlive the window.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

class Desk1grafOption;
class GROUPELEMENT;
class MeanObj;

class Desk1Graph : public GRAPHWIN
{
public:
    // Bits of the graph mask.
    enum GraphBit : unsigned long {
        graphNormalCurve = 0x1000, // the normal density curve over the outline
        graphUnused = 0x0200,      // set in the default, shown by no control
        graphBox = 0x4000,         // the box-and-whisker band
        graphBarCode = 0x8000,     // the bar-code band of the single values
    };
    static constexpr unsigned long defaultMask = 0xD200;
    static constexpr int textGroup = 32;
    static constexpr int titleText = 108;
    static constexpr int styleCount = 9;
    // The bands, in the 10000 x 10000 logical space (left, top, right,
    // bottom; a band's figure is drawn from its bottom edge down by its
    // height), before the window has a size. At every build in a window
    // the title and subtitle stack from the top by their measured heights,
    // and the bar-code band, the box band and the axis numbers from the
    // bottom, each its measured height or more and a gap apart; the plot
    // takes what is left, and while it would keep less than half the
    // height the subtitle gives way.
    static constexpr ElementRect titleBand{250, 250, logicalWidth - 250, 1550, 0};
    static constexpr ElementRect fixedPlotArea{1800, 1800, logicalWidth - 1800, logicalHeight - 2500, 0};
    static constexpr ElementRect fixedBoxBand{1800, logicalHeight - 2100, logicalWidth - 1800, logicalHeight - 1750,
                                              0};
    static constexpr ElementRect fixedBarCodeBand{1800, logicalHeight - 1500, logicalWidth - 1800,
                                                  logicalHeight - 1150, 0};

    // Drawn with the record's mask, taken again at every build (null: the
    // default mask).
    Desk1Graph(MeanObj *computation, Desk1grafOption *option);
    // Drawn with a fixed mask.
    Desk1Graph(MeanObj *computation, unsigned long mask);
    ~Desk1Graph() override;

    void BuildGraph() override;
    // Its bands are measured at the window's size.
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return plotArea; }
    const ElementRect &BoxBand() const { return boxBand; }
    const ElementRect &BarCodeBand() const { return barCodeBand; }
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;

    // The lower end of the value range of the construction.
    double Lower() const { return lower; }
    // The axis's range and the quantile summary of the last build.
    double AxisLow() const { return axisLow; }
    double AxisHigh() const { return axisHigh; }
    const double *BuiltQuantiles() const { return quantiles; }

private:
    void CreateStyles();
    void SetRange();
    // The plot area and the bands: the fixed ones, then (in a window) from
    // the texts measured at the window's size.
    void ComputeLayout();
    GROUPELEMENT *AddAxis();
    void AddDistribution(GROUPELEMENT *group);
    void AddBox(GROUPELEMENT *group);
    void AddBarCode(GROUPELEMENT *group);
    DrawStyle *StyleAt(int number) { return &styles[number - 1]; }

    MeanObj *computation;
    Desk1grafOption *option = nullptr;
    unsigned long graphMask;
    DrawStyle styles[styleCount];
    double lower = 0.0, upper = 0.0;
    double axisLow = 0.0, axisHigh = 0.0;
    double quantiles[7];
    bool hasRange = false;
    bool integerVariable = false;
    int titleSize = 18, subtitleSize = 14, axisSize = 12;
    std::uint32_t subtitleStyleBits = 0;
    int titleAlignment = 10, subtitleAlignment = 10;
    ElementRect plotArea = fixedPlotArea, boxBand = fixedBoxBand, barCodeBand = fixedBarCodeBand;
    int subtitleTop = titleBand.top + 600;
    bool subtitleShown = true;
};
