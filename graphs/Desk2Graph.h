// Desk2Graph: the graphs of a breakdown page: the groups of the break
// variable side by side along a group axis, each in a slot of its own,
// against one value axis. Horizontal (the default) runs the groups down the
// page and the values to the right; vertical runs the groups to the right
// and the values upwards. A title (the kind's), a subtitle with the
// analysis variable and optionally one with the break variable stand above.
// The four kinds add their figures per group:
//   Desk2Bar       a bar from the reference (0, or the total mean with the
//                  origin bit) to the group mean, optionally labelled;
//   Desk2BoxWhisk  the box-and-whisker figure, optionally with cross marks
//                  at a minimum or maximum beyond the whiskers;
//   Desk2ConfInt   the mean as a circle, cross bars at the 95 % limits and
//                  a line between the 99 % limits;
//   Desk2BarCode   a bar-code strip of the group's single values.
//
// Logical coordinates (10000 x 10000). Before the window has a size: title
// band 250..1750 from the top; plot and axis area 1800..W-1800 by
// 2000..H-2000. At every build in a window (GraphTextBands) the title and
// subtitles stack down from the top by their measured heights, the group
// labels are cut with ".." to the room left of the plot (horizontal; the
// plot keeps at least half the width) or to their slots (vertical), the
// axis numbers get their measured room, and while the plot would keep
// less than half the height the break subtitle, then the subtitle and
// then the extra label rows give way; labels of slots lower than a
// readable font are thinned: at a fixed place the texts would cover one
// another or run out of a small pane. The element area is the plot area less 1 %
// at both ends of the group axis. Slot i of k groups
// (E the element area's extent along the group axis): size E / k, figure
// thickness width% x size / 100, where width% = 40 + 4 (k - 1) for k in
// 2..12 (44 below, 84 above). Values map linearly over lower..upper.
//
// Zero spans: a range of no width maps every value to the axis start; a
// group without cases gets only its label; a missing quantile summary draws
// no box; without groups only the titles and the axis are drawn.
//
// Ownership: the window owns its eight styles and, as a GRAPHWIN, its
// elements; the computation belongs to the page and the option record to
// the workbook: both must outlive the window.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <string>
#include <vector>


class Desk2grafOption;
class GROUPELEMENT;
class OnewayObj;
struct DescriptiveRecord;

class Desk2Graph : public GRAPHWIN
{
public:
    // Bits of the graph mask.
    enum GraphBit : unsigned long {
        graphBreakSubtitle = 0x001,
        graphExtremes = 0x002,
        graphOrigin = 0x040,
        graphVertical = 0x080,
        graphTitle = 0x100,
        graphGrid = 0x200,
        graphNumbers = 0x400,
    };
    static constexpr int textGroup = 32;
    static constexpr int styleCount = 8;
    static constexpr ElementRect titleBand{250, 250, logicalWidth - 250, 1750, 0};
    static constexpr ElementRect fixedPlotArea{1800, 2000, logicalWidth - 1800, logicalHeight - 2000, 0};

    // Drawn with the mask; a kind's constructor then hands over its record,
    // whose mask each build takes again.
    Desk2Graph(OnewayObj *computation, unsigned long graphMask);
    ~Desk2Graph() override;

    void BuildGraph() override;
    // Its label sizes and rows are measured at the window's size.
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return elementArea; }
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;

    // Geometry (public for the checks of the layout).
    int LabelRows() const { return labelRows; }
    const ElementRect &PlotArea() const { return plotArea; }
    // The labels as shown (cut to their room) and their font, of the last
    // layout; every stride-th label is shown.
    const std::vector<std::string> &ShownLabels() const { return shownLabels; }
    int LabelFontSize() const { return labelFontShown; }
    int LabelStride() const { return labelStride; }
    int WidthPercentage() const { return widthPercentage; }
    bool Horizontal() const { return horizontal != 0; }
    double Lower() const { return lower; }
    double Upper() const { return upper; }
    const ElementRect &ElementArea() const { return elementArea; }
    const ElementRect &LabelBand() const { return labelBand; }
    int SlotSize() const;
    int SlotCentre(int i) const;
    int GapSize() const;
    int ElementThickness() const;
    int ElementStart(int i) const;
    int ValueToCoordinate(double v) const;

protected:
    virtual void DrawGroup(GROUPELEMENT *group, int i) = 0;
    virtual void DrawReference(GROUPELEMENT *) {}
    virtual void ComputeRange() {}
    virtual const char *TitleText() = 0;
    void ReadOptions();

    int GroupCount() const;
    const DescriptiveRecord &Group(int i) const;
    DrawStyle *StyleAt(int number) { return &styles[number - 1]; }
    // Takes value in lower..upper (when usable).
    void TakeIn(double value, bool &started);

    OnewayObj *computation;
    Desk2grafOption *option = nullptr; // the kind's record (null: the mask stays)
    unsigned long graphMask = 0;
    unsigned horizontal = 1;
    double lower = 0.0, upper = 1.0;
    ElementRect plotArea = fixedPlotArea;

private:
    void CreateStyles();
    void InitLayout();
    void ComputeLayout();
    // The plot, bands and labels from the texts measured at the window's
    // size (nothing changes without a window).
    void FitLayoutToTexts();
    int LabelRowCount() const;

    DrawStyle styles[styleCount];
    int labelRows = 1;
    int widthPercentage = 44, gapPercentage = 56;
    int titleSize = 18, subtitleSize = 14, labelSize = 12, axisSize = 12;
    std::uint32_t subtitleStyleBits = 0;
    int titleAlignment = 10, labelAlignment = 36, subtitleAlignment = 10;
    ElementRect elementArea{0, 0, 0, 0, 0}, labelBand{0, 0, 0, 0, 0};
    // Where the title lines stand (logical tops) and which are shown.
    int subtitleTop = 0, breakSubtitleTop = 0;
    bool subtitleShown = true, breakSubtitleShown = true;
    std::vector<std::string> shownLabels;
    int labelFontShown = 12, labelStride = 1, rowStep = 250;
};

class Desk2Bar : public Desk2Graph
{
public:
    Desk2Bar(OnewayObj *computation, Desk2grafOption *option);
    double Reference() const { return reference; }

protected:
    void DrawGroup(GROUPELEMENT *group, int i) override;
    void DrawReference(GROUPELEMENT *group) override;
    void ComputeRange() override;
    const char *TitleText() override;

private:
    double reference = 0.0;
};

class Desk2BoxWhisk : public Desk2Graph
{
public:
    Desk2BoxWhisk(OnewayObj *computation, Desk2grafOption *option);

protected:
    void DrawGroup(GROUPELEMENT *group, int i) override;
    const char *TitleText() override;
};

class Desk2ConfInt : public Desk2Graph
{
public:
    static constexpr int radius = 100;
    Desk2ConfInt(OnewayObj *computation, Desk2grafOption *option);

protected:
    void DrawGroup(GROUPELEMENT *group, int i) override;
    const char *TitleText() override;
};

class Desk2BarCode : public Desk2Graph
{
public:
    Desk2BarCode(OnewayObj *computation, Desk2grafOption *option);

protected:
    void DrawGroup(GROUPELEMENT *group, int i) override;
    const char *TitleText() override;
};

// The graph of the kind (0 bar, 1 box, 2 confidence interval, 3 bar code);
// null for another kind.
GRAPHWIN *CreateDesk2Graph(OnewayObj *computation, int kind, Desk2grafOption *option);
