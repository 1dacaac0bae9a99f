// Matrixplot: the scatter-plot matrix of the correlation book: a square
// grid with a row and a column per variable; each cell above the diagonal
// holds the scatter of its row's variable (across) against its column's
// (up), each diagonal cell the variable's distribution (PlotAxis, without
// the normal curve, over its minimum to maximum); the cells below the
// diagonal stay empty. Row and column labels
// name the variables ("V" and the number); the display word adds a title
// (0x100) and a list of the variables' captions above the grid (0x1).
//
// Layout (logical units of the 10000 x 10000 space, integer arithmetic):
// the plot area runs from x 1500 to 8500 and from y T to 8500, with T =
// 1700, or (n + 2) x 300 when captions are listed and that is larger; a
// cell is (7001 / n) wide and ((8501 - T) / n) high, its box inset by a
// margin of a 40th of the cell width. T stops at 5000, so that captions for
// 27 or more variables never push it past 8500 and give the cells a negative
// height; the caption lines close up (and their font shrinks) so that they
// fit above the grid. Shown in a window, the caption lines stand their
// measured height apart under the title (their font at least 9 pixels) and
// the grid starts under the last of them, so that in a low window the
// lines neither overlap one another nor the title; captions that would push
// the grid past T's limit give way. The layout follows every change of size.
//
// Each cell's scatter reads its cases at every draw (BIPLOTELEMENT); the
// per-variable minimum and maximum are taken once, at construction.
//
// Ownership: the window owns its five styles and its elements; the data
// object, the variable list and the option record are the page's and the
// workbook's and must outlive it.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"

#include <cstdint>
#include <vector>

class MatplotOption;
class GROUPELEMENT;
class StatClass;

class Matrixplot : public GRAPHWIN
{
public:
    enum DisplayBit : std::uint32_t {
        displayCaptions = 0x001, // the variables' captions above the grid
        displayTitle = 0x100,    // the title
    };
    // Layout constants (logical units).
    static constexpr int plotLeft = 1500, plotRight = 8500, plotBottom = 8500;
    static constexpr int plotTop = 1700;          // without captions, or few of them
    static constexpr int captionStep = 300;       // between caption lines
    static constexpr int captionTopLimit = 5000;  // the plot area starts at the latest here
    static constexpr int rowLabelRight = 1250;    // row labels end here
    static constexpr int columnLabelDistance = 250;

    // data: the computation whose data set, selection and captions apply;
    // variables: zero-terminated numbers (from 1). The record gives the
    // display word at every build; without one displayWord stays in force.
    Matrixplot(StatClass *data, const long *variables, MatplotOption *record, std::uint32_t displayWord = 0);
    ~Matrixplot() override;

    void BuildGraph() override;
    ElementRect PlotRegion() const override { return ElementRect{plotLeft, top, plotRight, plotBottom, 0}; }
    bool LayoutFollowsSize() const override { return true; }
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;

    int VariableCount() const { return n; }
    double Minimum(int i) const { return minimum[static_cast<std::size_t>(i)]; }
    double Maximum(int i) const { return maximum[static_cast<std::size_t>(i)]; }
    std::uint32_t DisplayWord() const { return displayWord; }
    // The layout of the last build.
    int PlotTop() const { return top; }
    int CellWidth() const { return cellWidth; }
    int CellHeight() const { return cellHeight; }
    int CaptionLineStep() const { return captionLine; }
    // The box of cell (row, column), logical units.
    ElementRect CellBox(int row, int column) const;

private:
    enum StyleRole { baseRole, cellRole, pointRole, outlineRole, frameRole, styleRoleCount };

    void MakeStyles();
    void LayOut();
    void AddTitleAndCaptions();
    void AddLabels();
    void AddCells(GROUPELEMENT *group);
    // The box inset by the panels' margin (at most a quarter of its size).
    ElementRect Inside(const ElementRect &box) const;
    // The distribution panel of variable i (from 0) in the area.
    void AddDistribution(GROUPELEMENT *group, int i, const ElementRect &area);

    std::uint32_t displayWord;
    MatplotOption *record;
    const long *variables;
    int n = 0;
    std::vector<double> minimum, maximum;
    ElementRect whole{0, 0, logicalWidth, logicalHeight, 0};
    ElementRect plot, columnBand, rowBand, titleArea;
    int top = plotTop, cellWidth = 0, cellHeight = 0, margin = 0, inset = 0;
    int captionLine = captionStep, captionFont = 14;
    // The first caption line's top; the captions are listed.
    int captionTop = 2 * captionStep;
    bool captionsShown = true;
    DrawStyle styles[styleRoleCount];
    bool stylesMade = false;
    StatClass *data;
    int titleFont = 18, labelFont = 14, titleAlignment = 10;
    std::uint32_t titleStyle = 1, labelStyle = 0;
};
