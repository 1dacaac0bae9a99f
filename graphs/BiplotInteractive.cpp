#include "graphs/BiplotInteractive.h"

#include "dataset/DATASET.h"
#include "graphs/BIPLOTELEMENT.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/BiplotReg.h"
#include "stats/StatMissing.h"

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
    const int dx = (2 * (plot.right - plot.left) + 2) / 100, dy = (2 * (plot.bottom - plot.top) + 2) / 100;
    points = ElementRect{plot.left + dx, plot.top + dy, plot.right - dx, plot.bottom - dy, 0};
    horizontalScale = ElementRect{points.left, plot.top, points.right, plot.bottom, 0};
    verticalScale = ElementRect{plot.left, points.top, plot.right, points.bottom, 0};
    SetDrawStyle(nullptr);
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
    group = new GROUPELEMENT;
    SetRegionType(2);
    AddTexts();
    auto *frame = new BOXELEMENT(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top,
                                 &styles[frameRole]);
    frame->penWidth = 1;
    group->AddElement(frame);

    double xMin = regression ? regression->xMinimum : kNotComputed, xMax = regression ? regression->xMaximum : 0;
    double yMin = regression ? regression->yMinimum : kNotComputed, yMax = regression ? regression->yMaximum : 0;
    AddScale(horizontalScale, false, xMin, xMax);
    AddScale(verticalScale, true, yMin, yMax);

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
    const int centre = titleArea.left + (titleArea.right - titleArea.left + 1) / 2;
    if (display & displayTitle)
        AddElement(MakeText(centre, titleArea.top, StatText(titleText, titleGroup), titleAlignment, titleSize,
                            TEKSTELEMENT::styleBold));
    if (!regression)
        return;
    DATASET *dataSet = regression->GetDataSet();
    AddElement(MakeText(centre, titleArea.top + firstCaptionDrop, Caption(dataSet, regression->xVariable),
                        captionAlignment, labelSize, labelStyle));
    AddElement(MakeText(centre, titleArea.top + secondCaptionDrop, Caption(dataSet, regression->yVariable),
                        captionAlignment, labelSize, labelStyle));
    AddElement(MakeText((xLabelArea.left + xLabelArea.right) / 2, (xLabelArea.top + xLabelArea.bottom) / 2,
                        "V" + std::to_string(regression->xVariable), labelAlignment, labelSize, labelStyle));
    AddElement(MakeText((yLabelArea.left + yLabelArea.right) / 2, (yLabelArea.top + yLabelArea.bottom) / 2,
                        "V" + std::to_string(regression->yVariable), labelAlignment, labelSize, labelStyle));
}

void BiplotInteractive::AddScale(const ElementRect &area, bool vertical, double &minimum, double &maximum)
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
    group->AddElement(new SKALA(description, minimum, maximum));
}
