#include "graphs/BiplotInteractive.h"

#include "dataset/DATASET.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/BiplotReg.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <string>

namespace {
constexpr int titleText = 5, titleGroup = 40;
constexpr int firstCaptionDrop = 500, secondCaptionDrop = 850;
constexpr int scaleLabelDistance = 150;
constexpr int pointSymbolSize = 3, linePenWidth = 2;

TEKSTELEMENT *MakeText(int x, int y, const std::string &text, int alignment, int size, std::uint32_t style)
{
    auto *item = new TEKSTELEMENT(x, y, text.c_str(), alignment);
    item->SetFont(size, style);
    return item;
}

void SetStyle(DrawStyle &style, int r, int g, int b, int grey)
{
    style.SetFillRGB(r, g, b);
    style.SetSecondRGB(r, g, b);
    style.SetGreyLevels(grey, grey);
}

void SetIndexStyle(DrawStyle &style, int index, int grey)
{
    style.SetFillColour(index);
    style.SetSecondColour(index);
    style.SetGreyLevels(grey, grey);
}

std::string Caption(DATASET *dataSet, long variable)
{
    char caption[128] = "";
    if (!dataSet || !dataSet->GetVariableCaption(variable, caption, sizeof caption))
        caption[0] = 0;
    return "V" + std::to_string(variable) + " " + caption;
}

} // namespace

BiplotInteractive::BiplotInteractive(BiplotReg *computation, const long *displayWord)
    : GRAPHWIN(0, 0, 0, 0), regression(computation), source(displayWord)
{
    SetIndexStyle(styles[blackRole], 0, 0);
    SetStyle(styles[frameRole], 190, 200, 230, 210);
    SetStyle(styles[pointRole], 50, 80, 130, 0);
    SetStyle(styles[lineRole], 232, 123, 20, 100);
    SetIndexStyle(styles[scaleRole], 0, 0);
    SetIndexStyle(styles[gridRole], 15, 255);
    CreateDrawObjects();
    LayOutAreas();
    SetDrawStyle(nullptr);
}

void BiplotInteractive::LayOutAreas()
{
    const int dx = (2 * (plot.right - plot.left) + 2) / 100, dy = (2 * (plot.bottom - plot.top) + 2) / 100;
    points = ElementRect{plot.left + dx, plot.top + dy, plot.right - dx, plot.bottom - dy, 0};
    horizontalScale = ElementRect{points.left, plot.top, points.right, plot.bottom, 0};
    verticalScale = ElementRect{plot.left, points.top, plot.right, points.bottom, 0};
    xLabelArea = ElementRect{plot.left, plot.bottom, plot.right, logicalHeight, 0};
    yLabelArea = ElementRect{0, plot.top, plot.left, plot.bottom, 0};
}

BiplotInteractive::~BiplotInteractive()
{
    DeleteDrawObjects();
}

void BiplotInteractive::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void BiplotInteractive::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}

void BiplotInteractive::BuildGraph()
{
    display = source ? static_cast<std::uint32_t>(*source) : (regression ? regression->display : 0);
    // In a small pane the texts give way before the plot does: the
    // captions first, then the axis titles, until the plot keeps a third
    // of the pane each way.
    for (textsLeftOut = 0;; ++textsLeftOut) {
        plot = ElementRect{1800, 1800, 8200, 8600, 0};
        xTitleAt = yTitleAt = POINT{-1, -1};
        LayOutAreas();
        BuildElements();
        // Once more over the areas the measured texts need; the second
        // build only moves what the first one measured.
        if (FitAreasToTexts()) {
            ClearElements();
            BuildElements();
        }
        if (textsLeftOut == leaveOutAxisTitles || PlotKeepsItsShare())
            return;
        ClearElements();
    }
}

bool BiplotInteractive::PlotKeepsItsShare() const
{
    if (!OSHandle())
        return true;
    int width = plot.right - plot.left, height = plot.bottom - plot.top;
    ToDeviceUnits(width, height);
    return 3 * width >= view.right - view.left + 1 && 3 * height >= view.bottom - view.top + 1;
}


bool BiplotInteractive::FitAreasToTexts()
{
    if (!OSHandle() || view.right <= view.left || view.bottom <= view.top)
        return false;
    constexpr int gap = 3; // pixels between texts
    int plotLeft = plot.left, plotTop = plot.top, plotRight = plot.right, plotBottom = plot.bottom;
    ToDeviceUnits(plotLeft, plotTop);
    ToDeviceUnits(plotRight, plotBottom);
    // The scales' numbers on each side of the plot.
    int topNumbers = plotTop, bottomNumbers = plotBottom, leftNumbers = plotLeft, rightNumbers = plotRight;
    for (SKALA *scale : {xScale, yScale}) {
        if (!scale)
            continue;
        for (element *child : scale->Children()) {
            auto *number = dynamic_cast<TEKSTELEMENT *>(child);
            if (!number || !*number->Text())
                continue;
            const RECT r = number->DrawnRect();
            if (scale == xScale && r.bottom <= plotTop)
                topNumbers = std::min(topNumbers, static_cast<int>(r.top));
            if (scale == xScale && r.top >= plotBottom)
                bottomNumbers = std::max(bottomNumbers, static_cast<int>(r.bottom));
            if (scale == yScale && r.right <= plotLeft)
                leftNumbers = std::min(leftNumbers, static_cast<int>(r.left));
            if (scale == yScale && r.left >= plotRight)
                rightNumbers = std::max(rightNumbers, static_cast<int>(r.right));
        }
    }
    int headingsBottom = view.top;
    for (TEKSTELEMENT *heading : headings)
        headingsBottom = std::max(headingsBottom, static_cast<int>(DrawnRectOf(heading).bottom));
    const RECT xRect = DrawnRectOf(xTitle), yRect = DrawnRectOf(yTitle);
    const int xTitleHeight = xRect.bottom - xRect.top, yTitleWidth = yRect.right - yRect.left;

    // Pixel shifts of the plot's sides (down, right, up, left).
    const int top = std::max(0, headingsBottom + gap - topNumbers);
    const int left = std::max(0, view.left + yTitleWidth + 2 * gap - leftNumbers);
    const int right = std::max(0, rightNumbers + gap - view.right);
    const int bottom = std::max(0, bottomNumbers + gap + xTitleHeight + gap - view.bottom);
    int unused = 0;
    // The axis titles: x under the numbers below the plot, y between the
    // window's edge and the numbers left of it (pixels, then logical).
    int xTitleX = (xLabelArea.left + xLabelArea.right) / 2, yTitleY = (yLabelArea.top + yLabelArea.bottom) / 2;
    ToDeviceUnits(xTitleX, unused);
    ToDeviceUnits(unused, yTitleY);
    int xAtX = xTitleX, xAtY = bottomNumbers - bottom + gap + 1 + xTitleHeight * 4 / 5;
    int yAtX = (view.left + leftNumbers + left) / 2, yAtY = yTitleY;
    ToLogicalUnits(xAtX, xAtY);
    ToLogicalUnits(yAtX, yAtY);
    xTitleAt = POINT{xAtX, xAtY};
    yTitleAt = POINT{yAtX, yAtY};
    if (top || left || right || bottom) {
        // One pixel more each: the logical units round down.
        int shiftLeft = left ? left + 1 : 0, shiftTop = top ? top + 1 : 0;
        int shiftRight = right ? right + 1 : 0, shiftBottom = bottom ? bottom + 1 : 0;
        ToLogicalUnits(shiftLeft, shiftTop);
        ToLogicalUnits(shiftRight, shiftBottom);
        plot.left += shiftLeft;
        plot.top += shiftTop;
        plot.right -= shiftRight;
        plot.bottom -= shiftBottom;
        // A window too small for any plot keeps a sliver of one.
        plot.right = std::max(plot.right, plot.left + 100);
        plot.bottom = std::max(plot.bottom, plot.top + 100);
        LayOutAreas();
    }
    return true;
}

void BiplotInteractive::BuildElements()
{
    group = new GROUPELEMENT;
    SetRegionType(2);
    AddTexts();
    auto *frame = new BOXELEMENT(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top,
                                 &styles[frameRole]);
    frame->penWidth = 1;
    group->AddElement(frame);

    double xMin = regression ? regression->xMinimum : kNotComputed, xMax = regression ? regression->xMaximum : 0;
    double yMin = regression ? regression->yMinimum : kNotComputed, yMax = regression ? regression->yMaximum : 0;
    xScale = AddScale(horizontalScale, false, xMin, xMax);
    yScale = AddScale(verticalScale, true, yMin, yMax);

    scatter = new BIPLOTELEMENT(regression, regression ? regression->xVariable : 0,
                                regression ? regression->yVariable : 0, points.left, points.top,
                                points.right - points.left, points.bottom - points.top, &styles[pointRole], xMin,
                                xMax, yMin, yMax);
    scatter->SetPointStyle(&styles[pointRole]);
    scatter->SetLineStyle(&styles[lineRole]);
    scatter->regressionLine = (display & displayLine) ? 1 : 0;
    scatter->symbolSize = pointSymbolSize;
    scatter->lineWidth = linePenWidth;
    group->AddElement(scatter);
    AddElement(group);
}

void BiplotInteractive::AddTexts()
{
    headings.clear();
    xTitle = yTitle = nullptr;
    const int centre = titleArea.left + (titleArea.right - titleArea.left + 1) / 2;
    // The lines of the heading one under the other: each drops by the
    // larger of its logical step and the pixel height of the line above.
    int lineTop = titleArea.top;
    auto addHeading = [&](const std::string &text, int alignment, int size, std::uint32_t style, int drop) {
        int y = std::max(lineTop, titleArea.top + drop);
        TEKSTELEMENT *line = MakeText(centre, y, text, alignment, size, style);
        AddElement(line);
        headings.push_back(line);
        int unused = 0, height = size + 2;
        ToLogicalUnits(unused, height);
        lineTop = y + height;
    };
    if (display & displayTitle)
        addHeading(StatText(titleText, titleGroup), titleAlignment, titleSize, TEKSTELEMENT::styleBold, 0);
    if (!regression)
        return;
    DATASET *dataSet = regression->GetDataSet();
    if (textsLeftOut < leaveOutCaptions) {
        addHeading(Caption(dataSet, regression->xVariable), captionAlignment, labelSize, labelStyle,
                   firstCaptionDrop);
        addHeading(Caption(dataSet, regression->yVariable), captionAlignment, labelSize, labelStyle,
                   secondCaptionDrop);
    }
    if (textsLeftOut >= leaveOutAxisTitles)
        return;
    const POINT xAt = xTitleAt.x >= 0 ? xTitleAt
                                      : POINT{(xLabelArea.left + xLabelArea.right) / 2,
                                              (xLabelArea.top + xLabelArea.bottom) / 2};
    const POINT yAt = yTitleAt.x >= 0 ? yTitleAt
                                      : POINT{(yLabelArea.left + yLabelArea.right) / 2,
                                              (yLabelArea.top + yLabelArea.bottom) / 2};
    xTitle = MakeText(xAt.x, xAt.y, "V" + std::to_string(regression->xVariable), labelAlignment, labelSize,
                      labelStyle);
    AddElement(xTitle);
    yTitle = MakeText(yAt.x, yAt.y, "V" + std::to_string(regression->yVariable), labelAlignment, labelSize,
                      labelStyle);
    AddElement(yTitle);
}

SKALA *BiplotInteractive::AddScale(const ElementRect &area, bool vertical, double &minimum, double &maximum)
{
    if (minimum == kNotComputed || maximum == kNotComputed) {
        minimum = 0.0;
        maximum = 1.0;
    }
    AxisSpec description(area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
    description.vertical = vertical ? 1 : 0;
    description.fontSize = numberSize;
    description.labelDistance = scaleLabelDistance;
    description.grid = (display & displayGrid) ? 1 : 0;
    description.unusedFlag = 0;
    description.axisLine = 0;
    description.bothSides = 1;
    description.verticalNearSide = 1.0;
    description.horizontalNearSide = 1.0;
    description.axisStyle.CopyFrom(styles[scaleRole]);
    description.thirdStyle.CopyFrom(styles[scaleRole]);
    description.gridStyle.CopyFrom(styles[gridRole]);
    auto *scale = new SKALA(description, minimum, maximum);
    group->AddElement(scale);
    return scale;
}
