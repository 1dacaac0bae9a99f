// BiplotInteractive: the graph of a biplot page: a framed scatter of the
// page's x and y variable with number scales on both axes (on both sides),
// optional grid lines, an optional least-squares line of y on x, an
// optional title and two caption lines naming the variables. The scatter,
// the scales and the frame form one group that moves as a whole; the texts
// stand on their own. Mouse handling is the graph window's.
//
// Display bits (read from the record's word at every build): 0x20 the
// least-squares line, 0x100 the title, 0x200 grid lines.
//
// The scales widen the variables' ranges to whole steps; the points are
// placed in the widened ranges, so each point stands at its value on the
// scales. A variable without a valid value is scaled 0 to 1.
//
// Ownership: the window owns its six styles and its elements; the
// computation (the page's) and the display word (the record's) must
// outlive it.
#pragma once

#include <vector>

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <cstdint>

class BiplotReg;
class BIPLOTELEMENT;
class SKALA;
class TEKSTELEMENT;
class GROUPELEMENT;

class BiplotInteractive : public GRAPHWIN
{
public:
    enum DisplayBit : std::uint32_t {
        displayLine = 0x020,  // the least-squares line
        displayTitle = 0x100, // the title
        displayGrid = 0x200,  // grid lines
    };

    // displayWord: the option record's word, read at each build (null: the
    // computation's copy). The window holds the word rather than the record:
    // the record's class belongs to the analyses, which build on this
    // library.
    BiplotInteractive(BiplotReg *regression, const long *displayWord);
    ~BiplotInteractive() override;

    void BuildGraph() override;
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;
    // Its areas fit its measured texts: laid out again at every size.
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return plot; }

    const ElementRect &PlotArea() const { return plot; }
    const ElementRect &PointsArea() const { return points; }
    BIPLOTELEMENT *Scatter() const { return scatter; }
    GROUPELEMENT *Group() const { return group; }
    std::uint32_t DisplayWord() const { return display; }

private:
    enum StyleRole { blackRole, frameRole, pointRole, lineRole, scaleRole, gridRole, styleRoleCount };

    void AddTexts();
    // The scale over the area; the range is widened to the scale's steps.
    SKALA *AddScale(const ElementRect &area, bool vertical, double &minimum, double &maximum);
    // The elements over the current areas.
    void BuildElements();
    // The points and scale areas from the plot area.
    void LayOutAreas();
    // Widens the room around the plot where the texts built over the
    // current areas would cover each other (captions on the top numbers,
    // the axis titles on the numbers beside them) or leave the window,
    // measured in pixels; true when the areas changed and the elements are
    // to be built again.
    bool FitAreasToTexts();
    // The plot's pixels are at least a third of the pane's each way.
    bool PlotKeepsItsShare() const;
    // What the texts have given way for the plot: 1 the captions are left
    // out, 2 the axis titles too.
    enum LeftOut : int { leaveOutCaptions = 1, leaveOutAxisTitles = 2 };
    int textsLeftOut = 0;

    BiplotReg *regression;
    const long *source;
    GROUPELEMENT *group = nullptr;
    int titleSize = 18, labelSize = 14, numberSize = 12;
    std::uint32_t labelStyle = 0;
    int titleAlignment = 10, captionAlignment = 10, labelAlignment = 34;
    DrawStyle styles[styleRoleCount];
    ElementRect whole{0, 0, logicalWidth, logicalHeight, 0};
    ElementRect plot{1800, 1800, 8200, 8600, 0};
    ElementRect points, horizontalScale, verticalScale;
    ElementRect xLabelArea{1800, 8600, 8200, 10000, 0};
    ElementRect yLabelArea{0, 1800, 1800, 8600, 0};
    ElementRect titleArea{250, 250, 9750, 1550, 0};
    // The axis titles' anchors (logical), the middles of their label areas
    // unless the texts need them elsewhere.
    POINT xTitleAt{-1, -1}, yTitleAt{-1, -1};
    // What FitAreasToTexts measures, of the last build (children of the
    // window, deleted with its elements).
    std::vector<TEKSTELEMENT *> headings;
    TEKSTELEMENT *xTitle = nullptr, *yTitle = nullptr;
    SKALA *xScale = nullptr, *yScale = nullptr;
    BIPLOTELEMENT *scatter = nullptr;
    std::uint32_t display = 0;
};
