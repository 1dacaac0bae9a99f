#include "graphs/Desk1Graph.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "graphs/BARCODEELEMENT.h"
#include "graphs/BoxWhisker.h"
#include "graphs/Desk1grafOption.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"
#include "graphs/PlotAxis.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/MeanObj.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// The styles' roles (numbers 1 to 9).
enum StyleNumber : int {
    backgroundStyle = 1,
    boxStyle = 2,
    barCodeStyle = 3,
    outlineStyle = 6,
    curveStyle = 7,
    axisStyle = 8,
};
// The subtitle stands this far below the title band's top.
constexpr int subtitleOffset = 600;
constexpr int axisLabelDistance = 150;
// The range reaches this many standard deviations around the mean.
constexpr double spreadFactor = 3.0;

bool Usable(double value)
{
    return std::isfinite(value) && !IsNotComputed(value);
}

} // namespace

Desk1Graph::Desk1Graph(MeanObj *meanObject, unsigned long mask)
    : GRAPHWIN(0, 0, 0, 0), computation(meanObject), graphMask(mask)
{
    SetDrawStyle(nullptr);
    CreateStyles();
    for (double &q : quantiles)
        q = kNotComputed;
    DATASET *set = computation ? computation->GetDataSet() : nullptr;
    if (set) {
        LISTETYPE values(set, computation->variableNumber);
        integerVariable = !values.Error() && values.integerTyped;
    }
    SetRange();
    ComputeLayout();
}

Desk1Graph::Desk1Graph(MeanObj *meanObject, Desk1grafOption *record)
    : Desk1Graph(meanObject, record ? static_cast<unsigned long>(record->graphMask) : defaultMask)
{
    option = record;
}

Desk1Graph::~Desk1Graph()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

void Desk1Graph::CreateStyles()
{
    static const StyleColours table[styleCount] = {
        {-1, 190, 200, 230, -1, 190, 200, 230, 210, 210}, // plot background
        {0, 0, 0, 0, -1, 70, 100, 160, 0, 150},           // box and cross marks
        {-1, 50, 80, 130, -1, 50, 80, 130, 0, 0},         // bar code
        {-1, 17, 10, 167, -1, 50, 80, 130, 0, 100},       // not drawn
        {-1, 17, 10, 167, -1, 17, 10, 167, 0, 0},         // not drawn
        {-1, 17, 10, 167, -1, 50, 80, 130, 100, 150},     // distribution outline
        {4, 0, 0, 0, 4, 0, 0, 0, 50, 50},                 // normal curve (maroon)
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                   // axis line
        {15, 0, 0, 0, 15, 0, 0, 0, 255, 255},             // not drawn (white)
    };
    ApplyStyleColours(styles, table, styleCount);
}

void Desk1Graph::SetRange()
{
    if (!computation)
        return;
    const DescriptiveRecord &r = computation->record;
    hasRange = r.count > 0 && Usable(r.minimum) && Usable(r.maximum);
    if (!hasRange)
        return;
    double minimum = r.minimum, maximum = r.maximum;
    if (integerVariable) {
        minimum -= 0.5;
        maximum += 0.5;
    }
    lower = minimum;
    upper = maximum;
    // One case has no standard deviation; its mark would stretch
    // the range to the largest float.
    if (Usable(r.mean) && Usable(r.standardDeviation)) {
        lower = std::min(minimum, r.mean - spreadFactor * r.standardDeviation);
        upper = std::max(maximum, r.mean + spreadFactor * r.standardDeviation);
    }
    // A constant real variable leaves a range of no width.
    if (!(upper > lower)) {
        lower -= 0.5;
        upper += 0.5;
    }
}

// --- Build ---------------------------------------------------------------------------

void Desk1Graph::ComputeLayout()
{
    plotArea = fixedPlotArea;
    boxBand = fixedBoxBand;
    barCodeBand = fixedBarCodeBand;
    subtitleTop = titleBand.top + subtitleOffset;
    subtitleShown = true;
    const GraphTextBands bands(*this);
    if (!bands.Measured())
        return;
    const std::uint32_t bold = TEKSTELEMENT::styleBold;
    const int gap = bands.Down(GraphTextBands::gapPixels);
    const int titleLine = bands.LineHeight(titleSize, bold, 0);
    const int subtitleLine = bands.LineHeight(subtitleSize, bold | subtitleStyleBits, 0);
    const int numberLine = bands.LineHeight(axisSize, bold, 0);
    // A band of the box or the bar codes: its logical height, at least 8
    // pixels.
    const int bandHeight = std::max(fixedBoxBand.Height(), bands.Down(8));
    // From the bottom: bar codes, box, axis numbers. A band's figure is
    // drawn from its bottom edge down by its height.
    int y = logicalHeight - 1 - gap;
    const auto stack = [&](ElementRect &band) {
        band.bottom = y - bandHeight - 1;
        band.top = band.bottom - bandHeight;
        y = band.bottom - gap;
    };
    if (graphMask & graphBarCode)
        stack(barCodeBand);
    if (graphMask & graphBox)
        stack(boxBand);
    plotArea.bottom = y - numberLine - axisLabelDistance;
    for (bool withSubtitle : {true, false}) {
        subtitleShown = withSubtitle;
        subtitleTop = titleBand.top + titleLine;
        plotArea.top = subtitleTop + (withSubtitle ? subtitleLine : 0) + gap;
        if (plotArea.bottom - plotArea.top >= logicalHeight / 2)
            break;
    }
}

void Desk1Graph::BuildGraph()
{
    auto *group = new GROUPELEMENT;
    SetDrawStyle(nullptr);
    if (option)
        graphMask = static_cast<unsigned long>(option->graphMask);
    ComputeLayout();
    const int centre = titleBand.left + (titleBand.right - titleBand.left + 1) / 2;

    auto *title = new TEKSTELEMENT(centre, titleBand.top, StatText(titleText, textGroup), titleAlignment);
    title->SetFont(titleSize, title->StyleBits());
    char caption[160] = "";
    const long variable = computation ? computation->variableNumber : 0;
    if (computation && computation->GetDataSet())
        computation->GetDataSet()->GetVariableCaption(variable, caption, sizeof caption);
    char text[200];
    std::snprintf(text, sizeof text, "V%li %s", variable, caption);
    auto *subtitle = new TEKSTELEMENT(centre, subtitleTop, text, subtitleAlignment);
    subtitle->SetFont(subtitleSize, subtitle->StyleBits() | subtitleStyleBits);

    // Without a valid case there is no range to draw over; the
    // graph keeps its title and subtitle.
    if (hasRange) {
        group->AddElement(
            new BOXELEMENT(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), StyleAt(backgroundStyle)));
        group->AddElement(AddAxis());
        AddDistribution(group);
        if (graphMask & graphBox)
            AddBox(group);
        if (graphMask & graphBarCode)
            AddBarCode(group);
    }
    AddElement(title);
    if (subtitleShown)
        AddElement(subtitle);
    else
        delete subtitle;
    AddElement(group);
}

GROUPELEMENT *Desk1Graph::AddAxis()
{
    AxisSpec description(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), 0);
    description.vertical = 0;
    description.horizontalNearSide = 1.0;
    description.axisStyle = styles[axisStyle - 1];
    description.grid = 1;
    description.axisLine = 0;
    description.ticks = 0;
    description.labelDistance = axisLabelDistance;
    description.fontSize = axisSize;
    axisLow = lower;
    axisHigh = upper;
    return new SKALA(description, axisLow, axisHigh);
}

void Desk1Graph::AddDistribution(GROUPELEMENT *group)
{
    const DescriptiveRecord &r = computation->record;
    double low = axisLow, high = axisHigh;
    // N is the weighted count: the classes are chosen by cases counted with
    // their weights.
    PlotAxis *panel = PlotAxis::FitToData(computation, static_cast<unsigned>(computation->variableNumber), low, high, 0,
                                          r.weightedCount, r.minimum, r.maximum, r.mean, r.standardDeviation);
    panel->SetRange((graphMask & graphNormalCurve) ? 1 : 0, StyleAt(curveStyle), kNotComputed, kNotComputed);
    panel->BuildElements(group, plotArea.left, plotArea.top, plotArea.right - plotArea.left,
                         plotArea.bottom - plotArea.top, StyleAt(outlineStyle));
    panel->FreeArrays();
    delete panel;
}

void Desk1Graph::AddBox(GROUPELEMENT *group)
{
    const DescriptiveRecord &r = computation->record;
    const double *summary = r.QuantileSummary();
    // The summary may be absent; no box then.
    if (!summary)
        return;
    // The whisker ends are moved in a copy; the computation's
    // summary, which the table prints, stays as computed.
    std::copy(summary, summary + 7, quantiles);
    quantiles[3] = std::min(quantiles[0], quantiles[3]);
    quantiles[4] = std::max(quantiles[2], quantiles[4]);
    const int x = boxBand.left, y = boxBand.bottom, w = boxBand.Width(), h = boxBand.Height();
    AddBoxWhisker(group, StyleAt(boxStyle), quantiles, x, y, w, h, axisLow, axisHigh);
    if (Usable(quantiles[3]) && r.minimum < quantiles[3])
        AddCrossMark(group, StyleAt(boxStyle), r.minimum, x, y, w, h, axisLow, axisHigh);
    if (Usable(quantiles[4]) && r.maximum > quantiles[4])
        AddCrossMark(group, StyleAt(boxStyle), r.maximum, x, y, w, h, axisLow, axisHigh);
}

void Desk1Graph::AddBarCode(GROUPELEMENT *group)
{
    auto *strip = new BARCODEELEMENT(computation->GetDataSet(), static_cast<unsigned>(computation->variableNumber), 0,
                                     barCodeBand.left, barCodeBand.bottom, barCodeBand.Width(), barCodeBand.Height(),
                                     axisLow, axisHigh, kNotComputed);
    strip->SetStyle(StyleAt(barCodeStyle));
    group->AddElement(strip);
}

// --- Draw objects --------------------------------------------------------------------

void Desk1Graph::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void Desk1Graph::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}
