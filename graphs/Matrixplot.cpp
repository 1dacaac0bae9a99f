#include "graphs/Matrixplot.h"

#include "dataset/DATASET.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"
#include "graphs/MatplotOption.h"
#include "graphs/PlotAxis.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/Stat.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
constexpr int titleText = 42, titleGroup = 33;
constexpr int captionAlignment = 9;   // left, top
constexpr int rowLabelAlignment = 36; // right, baseline
constexpr int columnAlignment = 10;   // centre, top
constexpr int captionLeft = 1500;
// The first caption stands two caption lines down.
constexpr int captionFirstLine = 2;
constexpr int smallestCaptionFont = 6;
// Symbol size of the scatters: larger for a grid of few cells.
constexpr int fewVariables = 4;

std::string VariableLabel(long number)
{
    return "V" + std::to_string(number);
}

TEKSTELEMENT *MakeText(int x, int y, const std::string &text, int alignment, int size, std::uint32_t style)
{
    auto *item = new TEKSTELEMENT(x, y, text.c_str(), alignment);
    item->SetFont(size, style);
    return item;
}

} // namespace

Matrixplot::Matrixplot(StatClass *computation, const long *list, MatplotOption *optionRecord, std::uint32_t word)
    : GRAPHWIN(0, 0, 0, 0), displayWord(word), record(optionRecord), variables(list), data(computation)
{
    while (variables && variables[n])
        ++n;
    minimum.assign(static_cast<std::size_t>(n), kNotComputed);
    maximum.assign(static_cast<std::size_t>(n), kNotComputed);
    for (int i = 0; i < n; ++i) {
        const Stat s(data, variables[i], 0, kNotComputed);
        minimum[static_cast<std::size_t>(i)] = s.minimum;
        maximum[static_cast<std::size_t>(i)] = s.maximum;
    }
}

Matrixplot::~Matrixplot()
{
    DeleteDrawObjects();
}

void Matrixplot::MakeStyles()
{
    if (stylesMade)
        return;
    styles[baseRole].SetSecondColour(0);
    styles[baseRole].SetFillColour(0);
    styles[baseRole].SetGreyLevels(0, 0);
    styles[cellRole].SetSecondRGB(17, 10, 167);
    styles[cellRole].SetFillRGB(190, 200, 230);
    styles[cellRole].SetGreyLevels(210, 210);
    styles[pointRole].SetSecondRGB(17, 10, 167);
    styles[pointRole].SetFillRGB(17, 10, 167);
    styles[pointRole].SetGreyLevels(0, 0);
    styles[outlineRole].SetSecondRGB(17, 10, 167);
    styles[outlineRole].SetFillRGB(40, 40, 255);
    styles[outlineRole].SetGreyLevels(150, 100);
    styles[frameRole].SetSecondRGB(17, 10, 167);
    styles[frameRole].SetFillColour(15);
    styles[frameRole].SetGreyLevels(255, 210);
    stylesMade = true;
}

void Matrixplot::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void Matrixplot::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}

void Matrixplot::LayOut()
{
    titleArea = ElementRect{logicalWidth / 2, 250, logicalWidth / 2, 250, 0};
    top = plotTop;
    captionLine = captionStep;
    captionFont = labelFont;
    if ((displayWord & displayCaptions) && (n + 2) * captionStep > top) {
        top = std::min((n + 2) * captionStep, captionTopLimit);
        captionLine = top / (n + 2);
        captionFont = std::max(labelFont * captionLine / captionStep, smallestCaptionFont);
    }
    captionTop = captionLine * captionFirstLine;
    captionsShown = (displayWord & displayCaptions) != 0;
    const GraphTextBands bands(*this);
    if (captionsShown && bands.Measured()) {
        // Lines a measured line apart under the title, in the largest font
        // (down to a readable one) that keeps the grid from its limit.
        captionTop = (displayWord & displayTitle) ? titleArea.top + bands.LineHeight(titleFont, titleStyle, 0) : 250;
        const int gap = bands.Down(GraphTextBands::gapPixels);
        for (captionFont = labelFont;; --captionFont) {
            captionLine = bands.LineHeight(captionFont, labelStyle, 0);
            top = std::max(captionTop + n * captionLine + gap, static_cast<int>(plotTop));
            if (top <= captionTopLimit || captionFont <= GraphTextBands::smallestLabelFont)
                break;
        }
        if (top > captionTopLimit) {
            captionsShown = false;
            top = plotTop;
        }
    }
    plot = ElementRect{plotLeft, top, plotRight, plotBottom, 0};
    columnBand = ElementRect{plotLeft, plotBottom + columnLabelDistance, plotRight, logicalHeight, 0};
    rowBand = ElementRect{0, top, rowLabelRight, plotBottom, 0};
    const int count = std::max(n, 1);
    // A grid of thousands of variables would have cells of no unit; one
    // unit is the least a box can take.
    cellWidth = std::max((plotRight - plotLeft + 1) / count, 1);
    cellHeight = std::max((plotBottom - top + 1) / count, 1);
    margin = cellWidth / 40;
    inset = cellWidth / 12;
}

ElementRect Matrixplot::CellBox(int row, int column) const
{
    ElementRect box{plotLeft + column * cellWidth + margin, top + row * cellHeight + margin,
                    plotLeft + (column + 1) * cellWidth - margin, top + (row + 1) * cellHeight - margin, 0};
    // A cell lower than its two margins keeps a box of one unit.
    box.bottom = std::max(box.bottom, box.top + 1);
    box.right = std::max(box.right, box.left + 1);
    return box;
}

void Matrixplot::BuildGraph()
{
    if (record)
        displayWord = static_cast<std::uint32_t>(record->displayWord);
    SetDrawStyle(nullptr);
    MakeStyles();
    LayOut();
    auto *group = new GROUPELEMENT;
    AddTitleAndCaptions();
    auto *frame = new BOXELEMENT(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top,
                                 &styles[frameRole]);
    group->AddElement(frame);
    AddLabels();
    AddCells(group);
    // Added once complete, so that the window numbers every child.
    AddElement(group);
}

void Matrixplot::AddTitleAndCaptions()
{
    if (displayWord & displayTitle)
        AddElement(MakeText(titleArea.left, titleArea.top, StatText(titleText, titleGroup), titleAlignment, titleFont,
                            titleStyle));
    if (!captionsShown)
        return;
    DATASET *dataSet = data ? data->GetDataSet() : nullptr;
    for (int k = 0; k < n; ++k) {
        char caption[128] = "";
        if (!dataSet || !dataSet->GetVariableCaption(variables[k], caption, sizeof caption))
            caption[0] = 0;
        AddElement(MakeText(captionLeft, captionTop + captionLine * k, VariableLabel(variables[k]) + " " + caption,
                            captionAlignment, captionFont, labelStyle));
    }
}

void Matrixplot::AddLabels()
{
    auto *rows = new GROUPELEMENT;
    for (int i = 0; i < n; ++i)
        rows->AddElement(MakeText(rowBand.right, top + cellHeight / 2 + i * cellHeight, VariableLabel(variables[i]),
                                  rowLabelAlignment, labelFont, labelStyle));
    auto *columns = new GROUPELEMENT;
    for (int j = 0; j < n; ++j)
        columns->AddElement(MakeText(plotLeft + cellWidth / 2 + j * cellWidth, columnBand.top,
                                     VariableLabel(variables[j]), columnAlignment, labelFont, labelStyle));
    AddElement(rows);
    AddElement(columns);
}

void Matrixplot::AddCells(GROUPELEMENT *group)
{
    const int symbol = n < fewVariables ? 2 : 1;
    for (int i = 0; i < n; ++i) {
        const ElementRect diagonal = CellBox(i, i);
        group->AddElement(new BOXELEMENT(diagonal.left, diagonal.top, diagonal.right - diagonal.left,
                                         diagonal.bottom - diagonal.top, &styles[cellRole]));
        // A cell's drawing stays in its cell (a two-valued variable's bars
        // are wider than the panel's classes).
        auto *diagonalCell = new CLIPGROUPELEMENT(diagonal);
        AddDistribution(diagonalCell, i, Inside(diagonal));
        group->AddElement(diagonalCell);
        for (int j = i + 1; j < n; ++j) {
            const ElementRect box = CellBox(i, j);
            group->AddElement(new BOXELEMENT(box.left, box.top, box.right - box.left, box.bottom - box.top,
                                             &styles[cellRole]));
            // The points keep the distribution panels' inset.
            const ElementRect points = Inside(box);
            auto *scatter = new BIPLOTELEMENT(
                data, static_cast<unsigned>(variables[i]), static_cast<unsigned>(variables[j]), points.left,
                points.top, points.right - points.left, points.bottom - points.top, &styles[pointRole],
                minimum[static_cast<std::size_t>(i)], maximum[static_cast<std::size_t>(i)],
                minimum[static_cast<std::size_t>(j)], maximum[static_cast<std::size_t>(j)]);
            scatter->regressionLine = 0;
            scatter->symbolSize = static_cast<std::uint32_t>(symbol);
            group->AddElement(scatter);
        }
    }
}

ElementRect Matrixplot::Inside(const ElementRect &box) const
{
    // The inset, or as much of it as leaves half the box: the inset follows
    // the cell's width, and a cell much lower than wide would otherwise get
    // a panel turned inside out.
    const int dx = std::min(inset, (box.right - box.left) / 4);
    const int dy = std::min(inset, (box.bottom - box.top) / 4);
    return ElementRect{box.left + dx, box.top + dy, box.right - dx, box.bottom - dy, 0};
}

void Matrixplot::AddDistribution(GROUPELEMENT *group, int i, const ElementRect &area)
{
    double low = minimum[static_cast<std::size_t>(i)], high = maximum[static_cast<std::size_t>(i)];
    // A variable without a valid case has no distribution to draw.
    if (low == kNotComputed)
        return;
    PlotAxis *panel = PlotAxis::FitToData(data, static_cast<unsigned>(variables[i]), low, high, 0, 0.0, low, high,
                                          kNotComputed, kNotComputed);
    panel->outlinePenWidth = 1;
    panel->SetRange(0, nullptr, kNotComputed, kNotComputed);
    panel->BuildElements(group, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         &styles[outlineRole]);
    panel->FreeArrays();
    delete panel;
}
