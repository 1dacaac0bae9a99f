// XtabGrafikk: the bar chart of one crosstab page: one group of bars per
// category of the page's first variable (the table's columns), and in each
// group one bar, or one stacked segment, per category of the second
// variable (the rows, the series), with a value axis, the two variables'
// texts, the category labels under (or beside) the groups and a legend of
// the series. XtabSoyle is the chart the workbook makes: it reads the
// display word from the workbook's XtabbarOption at each build. A stored
// word with the group-line bit (no control sets it) also draws a line
// across each group's bars at its highest figure.
//
// The counts and within-group percentages, the series styles and whether
// the crosstab's table shows counts are fixed at construction; the display
// word is read again at every build. Coordinates are logical units of the
// 10000 x 10000 space. An empty group (total 0) gives percentages of 0
// rather than a division by zero, and a value range of zero width
// draws every bar at the axis origin.
//
// Ownership: the window owns its styles and elements; the computation
// (the page's) and both option records (the workbook's) must outlive it.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <string>
#include <vector>

class GROUPELEMENT;
class TEKSTELEMENT;
class XTABOBJ;
class XtabOption;
class XtabbarOption;

class XtabGrafikk : public GRAPHWIN
{
public:
    static constexpr int maximumLabelRows = 5;

    XtabGrafikk(XTABOBJ *computation, const XtabOption *tableRecord);
    ~XtabGrafikk() override;

    void BuildGraph() override;
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;
    // Its label rows and cut labels are measured at the window's size.
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return plotArea; }
    // The title lines stacked by their measured heights and the plot's top
    // under them (fixed places without a window).
    void StackTitleLinesOverPlot();

    int GroupCount() const { return groups; }
    int SeriesCount() const { return series; }
    double Count(int group, int k) const { return counts[Cell(group, k)]; }
    double Percent(int group, int k) const { return percents[Cell(group, k)]; }
    // Of the last build.
    int BarShare() const { return barShare; }
    int LabelRows() const { return labelRows; }
    double AxisMinimum() const { return axisMinimum; }
    double AxisMaximum() const { return axisMaximum; }

protected:
    // Hooks the concrete chart fills. Each build reads the display, writes
    // the title, then draws BeforeBars, DrawBars and AfterBars.
    virtual void BeforeBars() = 0;
    virtual void AfterBars() = 0;
    virtual void DrawBars() = 0;
    virtual const char *Title() = 0;
    virtual void ReadDisplay() = 0;

    enum StyleRole { frameRole, plotRole, legendRole, lightRole, blackRole, secondBlackRole, styleRoleCount };
    enum Alignment : int {
        alignLeftBaseline = 33,
        alignCentreBaseline = 34,
        alignRightBaseline = 36,
        alignCentreTop = 10,
        alignLeftTop = 9,
    };
    enum FontSize : int { titleSize = 18, variableSize = 14, labelSize = 12 };

    static TEKSTELEMENT *MakeText(int x, int y, const std::string &text, int alignment, int size,
                                  std::uint32_t style = 0);
    std::size_t Cell(int group, int k) const { return static_cast<std::size_t>(group) * series + k; }
    std::string GroupLabel(int group) const;
    std::string SeriesLabel(int k) const;
    // Row pitch, gap and swatch-to-text step of the legend in logical
    // units at the window's current size.
    void LegendSteps(int &row, int &rowY, int &gapY);
    // Columns and rows of the legend: one column while the rows fit above
    // the graph's foot, more (up to three, the plot giving way) when not,
    // since a single column of many series runs out of the window.
    void PlanLegend();
    void AddLegend(bool reversed);

    XTABOBJ *computation; // not owned
    DrawStyle styles[styleRoleCount];
    std::vector<DrawStyle> seriesStyles;
    std::vector<double> counts, percents; // per (group, series), series fastest
    double minimumCount = 0, maximumCount = 0, minimumPercent = 0, maximumPercent = 0;
    int groups = 0, series = 0;
    unsigned long displayWord = 0;
    bool horizontal = false, showCounts = true, sideBySide = true;
    bool tableIncludesCounts = true; // of the crosstab's table types at the last build
    const XtabOption *tableRecord;   // not owned: the workbook's; null: counts
    int groupVariable = 0; // always 0: groups are the first variable's categories
    ElementRect plotArea{1800, 2000, 8000, 8000, 0};
    int titleY = 250, legendLeft = 8150, legendRight = 9850, legendTop = 2000;
    // The two variable lines under the title (logical tops) and whether the
    // first variable's line is shown: measured at every build, it gives
    // way while the plot would keep less than half the height.
    int variableTops[2] = {850, 1200};
    bool firstVariableShown = true;
    int legendColumns = 1, legendRows = 0;
    // The series the legend lists; past them one line tells how many more.
    int legendListed = 0;
    int categoryAlignment = alignCentreTop;
    int barShare = 0, gapShare = 100, labelRows = 1;
    int labelStep = 250; // logical units between label rows: at least a text line
    double axisMinimum = 0, axisMaximum = 0;
    GROUPELEMENT *chart = nullptr; // owned by the window once added
};

class XtabSoyle : public XtabGrafikk
{
public:
    XtabSoyle(XTABOBJ *computation, XtabbarOption *barRecord, const XtabOption *tableRecord);

protected:
    void BeforeBars() override {}
    void AfterBars() override {}
    void DrawBars() override;
    const char *Title() override;
    void ReadDisplay() override;

private:
    int ValuePosition(double value) const;
    double RunningSum(int group, int k) const;
    void AddGroup(int group, int length);

    XtabbarOption *barRecord; // not owned: the workbook's
};
