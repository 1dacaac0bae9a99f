#include "analyses/crosstab/XtabGrafikk.h"

#include "analyses/crosstab/XtabOption.h"
#include "analyses/crosstab/XtabbarOption.h"
#include "graphs/FREQBAR.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/GraphTextBands.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/XTABOBJ.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int titleText = 31, titleGroup = 9;
constexpr std::size_t longestVariableText = 300;
// Label rows: characters of a group are its pixel width times 22 / 10 over
// the font size; rows 250 apart, 200 below the plot.
constexpr int characterFactor = 22, labelDistance = 200, labelRowHeight = 250;
// Legend: swatch row and gap in logical units, fitted to whole pixels within
// these bounds; the swatch box itself is 160 square in logical units.
constexpr int legendRowUnits = 260, legendGapUnits = 100, swatchUnits = 160, legendIndent = 100;
constexpr int rowMinimumPixels = 15, rowMaximumPixels = 50, gapMinimumPixels = 3, gapMaximumPixels = 12;
constexpr int legendTitleSpace = 125;
// The legend's one column, the plot's right edge beside it, the foot the
// rows stay above and the most columns a long legend takes.
constexpr int legendColumnUnits = 1700, plotToLegendUnits = 150, legendFootUnits = 9850, legendColumnsMost = 3;
// Kept free between the window's left edge and a label beside the bars.
constexpr int labelRoomMargin = 100;
// Pen of the line a group gets with the group-line bit.
constexpr int groupLineWidth = 2;

std::string Shown(const XtabCategory &category)
{
    return category.label.empty() ? FormatNumberText(category.value) : category.label;
}

} // namespace

XtabGrafikk::XtabGrafikk(XTABOBJ *table, const XtabOption *crosstabRecord)
    : GRAPHWIN(0, 0, 0, 0), computation(table), tableRecord(crosstabRecord)
{
    SetDrawStyle(nullptr);
    styles[frameRole].SetSecondColour(0);
    styles[frameRole].SetFillColour(15);
    styles[frameRole].SetGreyLevels(255, 0);
    styles[plotRole].SetSecondRGB(190, 200, 230);
    styles[plotRole].SetFillRGB(190, 200, 230);
    styles[plotRole].SetGreyLevels(210, 210);
    for (StyleRole white : {legendRole, lightRole}) {
        styles[white].SetSecondColour(15);
        styles[white].SetFillColour(15);
        styles[white].SetGreyLevels(255, 255);
    }
    for (StyleRole black : {blackRole, secondBlackRole}) {
        styles[black].SetSecondColour(0);
        styles[black].SetFillColour(0);
        styles[black].SetGreyLevels(0, 0);
    }

    groups = table ? table->ColumnCount() : 0;
    series = table ? table->RowCount() : 0;
    seriesStyles.resize(static_cast<std::size_t>(series));
    for (int k = 0; k < series; ++k) {
        CopySeriesStyle(seriesStyles[static_cast<std::size_t>(k)], k);
        seriesStyles[static_cast<std::size_t>(k)].created = 0;
    }
    counts.assign(static_cast<std::size_t>(groups) * series, 0.0);
    percents = counts;
    for (int g = 0; g < groups; ++g) {
        const double total = table->ColumnTotal(g);
        for (int k = 0; k < series; ++k) {
            const double count = table->Cell(k, g);
            // An empty group has no percentages to divide out.
            const double percent = total > 0.0 ? 100.0 * count / total : 0.0;
            counts[Cell(g, k)] = count;
            percents[Cell(g, k)] = percent;
            const bool first = g == 0 && k == 0;
            minimumCount = first ? count : std::min(minimumCount, count);
            maximumCount = first ? count : std::max(maximumCount, count);
            minimumPercent = first ? percent : std::min(minimumPercent, percent);
            maximumPercent = first ? percent : std::max(maximumPercent, percent);
        }
    }
}

XtabGrafikk::~XtabGrafikk()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

TEKSTELEMENT *XtabGrafikk::MakeText(int x, int y, const std::string &text, int alignment, int size,
                                    std::uint32_t style)
{
    auto *item = new TEKSTELEMENT(x, y, text.c_str(), alignment);
    // Without style bits a text keeps the element's own (bold) style.
    if (style)
        item->SetFont(size, style);
    else
        item->SetFontSize(size);
    return item;
}

std::string XtabGrafikk::GroupLabel(int group) const
{
    return Shown(computation->columns[static_cast<std::size_t>(group)]);
}

std::string XtabGrafikk::SeriesLabel(int k) const
{
    return Shown(computation->rows[static_cast<std::size_t>(k)]);
}

void XtabGrafikk::BuildGraph()
{
    // The crosstab's table types as its options stand now: the figures
    // follow them when the chart's own choice leaves it to the table, so a
    // chart "as the table" never shows counts beside a table the user has
    // since turned to percentages (or the other way round).
    tableIncludesCounts = !tableRecord || (tableRecord->tableTypeMask & xtabCounts);
    ReadDisplay();
    categoryAlignment = horizontal ? alignRightBaseline : alignCentreTop;
    StackTitleLinesOverPlot();
    PlanLegend();
    ClearElements();
    chart = new GROUPELEMENT;
    SetDrawStyle(nullptr);
    if (!computation)
        return AddElement(chart);

    const int centre = plotArea.left + (plotArea.right - plotArea.left + 1) / 2;
    if (displayWord & XtabbarOption::displayTitle)
        AddElement(MakeText(centre, titleY, Title(), alignCentreTop, titleSize, TEKSTELEMENT::styleBold));
    const bool numbers = (displayWord & XtabbarOption::displayNumbers) != 0;
    auto variableText = [numbers](long number, const std::string &text) {
        const std::string cut = text.substr(0, longestVariableText);
        return numbers ? "V" + std::to_string(number) + "  " + cut : cut;
    };
    AddElement(MakeText(centre, variableTops[0], variableText(computation->secondVariable, computation->secondText),
                        alignCentreTop, variableSize));
    if (firstVariableShown)
        AddElement(MakeText(centre, variableTops[1], variableText(computation->firstVariable, computation->firstText),
                            alignCentreTop, variableSize));
    AddElement(chart);
    // A table without a group or a series has nothing to divide the plot
    // by; the chart keeps its texts.
    if (groups == 0 || series == 0)
        return;
    BeforeBars();
    DrawBars();
    AfterBars();
    AddLegend(!sideBySide && !horizontal);
}

void XtabGrafikk::StackTitleLinesOverPlot()
{
    plotArea.top = legendTop = 2000;
    variableTops[0] = 850;
    variableTops[1] = 1200;
    firstVariableShown = true;
    const GraphTextBands bands(*this);
    if (!bands.Measured())
        return;
    const std::uint32_t bold = TEKSTELEMENT::styleBold;
    const int gap = bands.Down(GraphTextBands::gapPixels);
    const int variableLine = bands.LineHeight(variableSize, bold, 0);
    // Bars upwards: the top number stands half a line above the plot.
    const int overPlot = horizontal ? gap : gap + bands.LineHeight(labelSize, bold, 0) / 2;
    // Where the fixed places leave the lines apart they stay; in a small
    // pane they would overlap each other and the bars, so they stack by
    // their measured heights and the plot starts under them.
    variableTops[0] = std::max(850, titleY + ((displayWord & XtabbarOption::displayTitle)
                                                  ? bands.LineHeight(titleSize, bold, 0)
                                                  : 0));
    variableTops[1] = std::max(1200, variableTops[0] + variableLine);
    for (bool both : {true, false}) {
        firstVariableShown = both;
        plotArea.top = std::max(2000, (both ? variableTops[1] : variableTops[0]) + variableLine + overPlot);
        if (plotArea.bottom - plotArea.top >= logicalHeight / 2)
            break;
    }
    legendTop = plotArea.top;
}

void XtabGrafikk::LegendSteps(int &row, int &rowY, int &gapY)
{
    row = legendRowUnits;
    rowY = legendRowUnits;
    int gap = legendGapUnits;
    gapY = legendGapUnits;
    ToDeviceUnits(row, rowY);
    ToDeviceUnits(gap, gapY);
    row = std::clamp(row, rowMinimumPixels, rowMaximumPixels);
    rowY = std::clamp(rowY, rowMinimumPixels, rowMaximumPixels);
    gap = std::clamp(gap, gapMinimumPixels, gapMaximumPixels);
    gapY = std::clamp(gapY, gapMinimumPixels, gapMaximumPixels);
    ToLogicalUnits(row, rowY);
    ToLogicalUnits(gap, gapY);
}

void XtabGrafikk::PlanLegend()
{
    legendColumns = 1;
    legendRows = series;
    legendListed = series;
    legendLeft = legendRight - legendColumnUnits;
    plotArea.right = legendLeft - plotToLegendUnits;
    if (series <= 1)
        return;
    int row = 0, rowY = 0, gapY = 0;
    LegendSteps(row, rowY, gapY);
    int top = legendTop;
    if (displayWord & XtabbarOption::displayNumbers)
        top += legendTitleSpace;
    // Rows 1..n of a column end at (n + 1) * rowY + gapY + swatch below its top.
    const int room = legendFootUnits - top - gapY - swatchUnits;
    const int fitting = std::max(room / std::max(rowY, 1) - 1, 1);
    if (series <= fitting)
        return;
    // The plot keeps a third of the window's width: the columns beside it
    // are as many as leave it that.
    const int allowed =
        std::max((legendRight - plotToLegendUnits - plotArea.left - (logicalWidth + 2) / 3) / legendColumnUnits, 1);
    legendColumns = std::min({(series + fitting - 1) / fitting, legendColumnsMost, allowed});
    legendRows = (series + legendColumns - 1) / legendColumns;
    if (legendRows > fitting) {
        // The rows that fit list the first series, the last one saying how
        // many more there are.
        legendRows = fitting;
        legendListed = legendColumns * fitting - 1;
    }
    legendLeft = legendRight - legendColumnUnits * legendColumns;
    plotArea.right = legendLeft - plotToLegendUnits;
}

void XtabGrafikk::AddLegend(bool reversed)
{
    int row = 0, rowY = 0, gapY = 0;
    LegendSteps(row, rowY, gapY);

    auto *legend = new GROUPELEMENT;
    int top = legendTop;
    if (displayWord & XtabbarOption::displayNumbers) {
        legend->AddElement(MakeText(legendLeft + legendIndent, top, "V" + std::to_string(computation->secondVariable),
                                    alignLeftBaseline, labelSize));
        top += legendTitleSpace;
    }
    const int rows = std::max(legendRows, 1);
    auto *background =
        new BOXELEMENT(legendLeft, top, legendRight - legendLeft, (rowY + gapY) * rows + gapY, &styles[legendRole]);
    legend->AddElement(background);
    // A label is cut to its column when another column follows, else to the
    // window's right edge: it stays clear of the next column and inside the
    // window.
    int labelRoom = legendColumns > 1 ? legendColumnUnits - legendIndent - row - legendIndent
                                      : logicalWidth - (legendLeft + legendIndent + row) - legendIndent,
        unused = 0;
    ToDeviceUnits(labelRoom, unused);
    for (int k = 0; k < series; ++k) {
        const int column = k / rows, inColumn = k % rows;
        const int y = (reversed ? rows - inColumn - 1 : inColumn + 1) * rowY + top + gapY;
        const int x = legendLeft + column * legendColumnUnits + legendIndent;
        if (k == legendListed) {
            const std::string more = "and " + std::to_string(series - legendListed) + " more";
            legend->AddElement(MakeText(x, y + swatchUnits / 2,
                                        OSHandle() ? CutTextToWidth(more, std::max(labelRoom + row, 1), labelSize,
                                                                    TEKSTELEMENT::styleBold)
                                                   : more,
                                        alignLeftBaseline, labelSize));
            break;
        }
        legend->AddElement(new BOXELEMENT(x, y, swatchUnits, swatchUnits, &seriesStyles[static_cast<std::size_t>(k)]));
        const std::string label = OSHandle() ? CutTextToWidth(SeriesLabel(k), std::max(labelRoom, 1), labelSize,
                                                              TEKSTELEMENT::styleBold)
                                             : SeriesLabel(k);
        // The label's baseline at the swatch's middle.
        legend->AddElement(MakeText(x + row, y + swatchUnits / 2, label, alignLeftBaseline, labelSize));
    }
    AddElement(legend);
}

void XtabGrafikk::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
    for (DrawStyle &style : seriesStyles)
        style.CreateObjects();
}

void XtabGrafikk::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
    for (DrawStyle &style : seriesStyles)
        style.DeleteObjects();
}

// --- XtabSoyle -----------------------------------------------------------------------

XtabSoyle::XtabSoyle(XTABOBJ *table, XtabbarOption *bars, const XtabOption *tableRecord)
    : XtabGrafikk(table, tableRecord), barRecord(bars)
{}

const char *XtabSoyle::Title()
{
    return StatText(titleText, titleGroup);
}

void XtabSoyle::ReadDisplay()
{
    displayWord = barRecord ? static_cast<unsigned long>(barRecord->optionWord) : XtabbarOption::defaultWord;
    horizontal = !(displayWord & XtabbarOption::displayVertical);
    const unsigned long figures = XtabbarOption::displayCounts | XtabbarOption::displayPercents;
    showCounts = (displayWord & figures) ? (displayWord & XtabbarOption::displayCounts) != 0 : tableIncludesCounts;
    sideBySide = !(displayWord & XtabbarOption::displayStacked);
}

double XtabSoyle::RunningSum(int group, int k) const
{
    double sum = 0.0;
    for (int i = 0; i <= k; ++i)
        sum += showCounts ? Count(group, i) : Percent(group, i);
    return sum;
}

int XtabSoyle::ValuePosition(double value) const
{
    const double span = axisMaximum - axisMinimum;
    const double t = span > 0.0 ? (value - axisMinimum) / span : 0.0;
    if (horizontal)
        return static_cast<int>(std::floor(plotArea.left + t * plotArea.Width()));
    return static_cast<int>(std::floor(plotArea.bottom - t * plotArea.Height()));
}

void XtabSoyle::DrawBars()
{
    const int bars = sideBySide ? series : 1;
    barShare = FREQBAR::ScaleByCategoryCount(groups, bars);
    gapShare = 100 - barShare;

    labelRows = 1;
    if (groups != 2 && !horizontal) {
        int width = plotArea.right - plotArea.left, height = 0;
        ToDeviceUnits(width, height);
        const int perGroup = std::max(width * characterFactor / (10 * groups) / labelSize, 1);
        int longest = 0;
        for (int g = 0; g < groups; ++g)
            longest = std::max(longest, static_cast<int>(GroupLabel(g).size()));
        labelRows = std::min(longest / perGroup + 1, maximumLabelRows);
    }
    // Rows a text line apart, as many as fit under the plot (and above the
    // variable number); labels are cut to the room their row leaves them.
    // Rows a fixed 250 apart overlap wherever a line is taller than that,
    // and rows past the window's foot are lost.
    labelStep = labelRowHeight;
    if (OSHandle()) {
        int unused = 0, line = labelSize + 3;
        ToLogicalUnits(unused, line);
        labelStep = std::max(labelRowHeight, line);
        const int numberRow = (displayWord & XtabbarOption::displayNumbers) ? labelStep : 0;
        const int fit = (logicalHeight - plotArea.bottom - labelDistance - numberRow) / labelStep;
        labelRows = std::max(1, std::min(labelRows, fit));
    }

    const int centre = plotArea.left + (plotArea.right - plotArea.left + 1) / 2;
    if (displayWord & XtabbarOption::displayNumbers) {
        const std::string number = "V" + std::to_string(computation->firstVariable);
        if (horizontal) {
            chart->AddElement(MakeText(plotArea.left - 200, plotArea.top - 125, number, alignRightBaseline, variableSize));
        } else {
            // Midway between the last label row and the bottom edge, and a
            // line below the labels where they need more room.
            const int midway =
                plotArea.bottom + labelStep * labelRows + (logicalHeight - plotArea.bottom - labelStep * labelRows + 1) / 2;
            const int belowLabels = plotArea.bottom + labelDistance + labelStep * labelRows + labelStep * 3 / 4;
            chart->AddElement(
                MakeText(centre, std::max(midway, belowLabels), number, alignCentreBaseline, variableSize));
        }
    }

    auto *background = new BOXELEMENT(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), &styles[plotRole]);
    background->penWidth = 3;
    chart->AddElement(background);

    AxisSpec description(plotArea.left, plotArea.top, plotArea.Width(), plotArea.Height(), 0);
    description.vertical = horizontal ? 0 : 1;
    description.verticalNearSide = 1.0;
    description.horizontalNearSide = 1.0;
    description.grid = (displayWord & XtabbarOption::displayGrid) ? 1 : 0;
    description.axisLine = 0;
    description.ticks = 0;
    description.percent = showCounts ? 0 : 1;
    axisMinimum = 0.0;
    if (sideBySide) {
        axisMaximum = showCounts ? maximumCount : maximumPercent;
    } else if (showCounts) {
        axisMaximum = 0.0;
        for (int g = 0; g < groups; ++g)
            axisMaximum = std::max(axisMaximum, RunningSum(g, series - 1));
    } else {
        axisMaximum = 100.0;
        description.unusedFlag = 0;
        description.step = 20.0;
    }
    chart->AddElement(new SKALA(description, axisMinimum, axisMaximum));

    const int length = horizontal ? plotArea.Height() : plotArea.Width();
    for (int g = 0; g < groups; ++g)
        AddGroup(g, length);
}

void XtabSoyle::AddGroup(int g, int length)
{
    const int w = length / groups;
    const int gap = gapShare * length / (100 * groups);
    const int bars = sideBySide ? series : 1;
    auto *group = new GROUPELEMENT;
    for (int k = 0; k < series; ++k) {
        const double value = showCounts ? Count(g, k) : Percent(g, k);
        const double sum = RunningSum(g, k);
        const int from = ValuePosition(sideBySide ? 0.0 : sum - value);
        const int to = ValuePosition(sideBySide ? value : sum);
        const int lowValue = std::min(from, to), valueSize = std::abs(to - from);
        DrawStyle *style = &seriesStyles[static_cast<std::size_t>(k)];
        if (sideBySide) {
            const int bw = (w * barShare / 100) / bars;
            if (horizontal)
                group->AddElement(new BOXELEMENT(lowValue, plotArea.top + w * (g + 1) - gap / 2 - (bars - k) * bw,
                                                 valueSize, bw, style));
            else
                group->AddElement(
                    new BOXELEMENT(plotArea.left + w * g + gap / 2 + k * bw, lowValue, bw, valueSize, style));
        } else {
            const int bt = w * barShare / 100;
            if (horizontal)
                group->AddElement(
                    new BOXELEMENT(lowValue, plotArea.top + w * (g + 1) - gap / 2 - bt, valueSize, bt, style));
            else
                group->AddElement(new BOXELEMENT(plotArea.left + w * g + gap / 2, lowValue, bt, valueSize, style));
        }
    }
    if (displayWord & XtabbarOption::displayGroupLines) {
        // One line across the group's bars at its highest figure: its
        // largest bar side by side, its total stacked.
        double highest = sideBySide ? 0.0 : RunningSum(g, series - 1);
        if (sideBySide)
            for (int k = 0; k < series; ++k)
                highest = std::max(highest, showCounts ? Count(g, k) : Percent(g, k));
        const int across = sideBySide ? (w * barShare / 100) / bars * bars : w * barShare / 100;
        const int level = ValuePosition(highest);
        if (horizontal) {
            const int end = plotArea.top + w * (g + 1) - gap / 2;
            group->AddElement(new LINEELEMENT(level, end - across, level, end, groupLineWidth, &styles[blackRole]));
        } else {
            const int start = plotArea.left + w * g + gap / 2;
            group->AddElement(new LINEELEMENT(start, level, start + across, level, groupLineWidth, &styles[blackRole]));
        }
    }
    if (horizontal) {
        // Cut to the room left of the plot, so that a long label does not
        // run out of the window.
        int room = plotArea.left - 200 - labelRoomMargin, unused = 0;
        ToDeviceUnits(room, unused);
        const std::string label =
            OSHandle() ? CutTextToWidth(GroupLabel(g), std::max(room, 1), labelSize, TEKSTELEMENT::styleBold)
                       : GroupLabel(g);
        group->AddElement(
            MakeText(plotArea.left - 200, plotArea.top + w * (g + 1) - w / 2, label, categoryAlignment, labelSize));
    } else {
        // Centred under its group; its row's neighbours stand labelRows
        // groups away, which is its room: a longer label would run into them.
        int room = w * labelRows, unused = 0;
        ToDeviceUnits(room, unused);
        const std::string label =
            OSHandle() ? CutTextToWidth(GroupLabel(g), std::max(room - 6, 1), labelSize, TEKSTELEMENT::styleBold)
                       : GroupLabel(g);
        group->AddElement(MakeText(plotArea.left + w * g + w / 2,
                                   plotArea.bottom + labelDistance + (g % labelRows) * labelStep, label,
                                   categoryAlignment, labelSize));
    }
    chart->AddElement(group);
}
