#include "graphs/Desk2Graph.h"

#include "dataset/DATASET.h"
#include "graphs/BARCODEELEMENT.h"
#include "graphs/BoxWhisker.h"
#include "graphs/Desk2grafOption.h"
#include "graphs/FREQBAR.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"
#include "graphs/SKALA.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "stats/OnewayObj.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

enum StyleNumber : int {
    backgroundStyle = 1,
    boxStyle = 2,
    barStyle = 3,
    barCodeStyle = 4,
    circleStyle = 5,
    intervalStyle = 6,
    axisStyle = 7,
};
constexpr int subtitleOffset = 600, breakSubtitleOffset = 1050;
constexpr int axisLabelDistance = 150;
constexpr int labelRowStep = 250, labelRowOffset = 100;
constexpr int numberSize = 10, numberGap = 20, nearEnd = 300;

bool Usable(double value)
{
    return std::isfinite(value) && !IsNotComputed(value);
}

unsigned long MaskOf(const Desk2grafOption *record)
{
    return record ? static_cast<unsigned long>(record->graphMask) : 0;
}

} // namespace

Desk2Graph::Desk2Graph(OnewayObj *oneway, unsigned long mask)
    : GRAPHWIN(0, 0, 0, 0), computation(oneway), graphMask(mask)
{
    SetDrawStyle(nullptr);
    ReadOptions();
    labelRows = LabelRowCount();
    CreateStyles();
    InitLayout();
}

Desk2Graph::~Desk2Graph()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

void Desk2Graph::CreateStyles()
{
    static const StyleColours table[styleCount] = {
        {-1, 190, 200, 230, -1, 190, 200, 230, 210, 210}, // plot background
        {0, 0, 0, 0, -1, 70, 100, 160, 0, 150},           // boxes and cross marks
        {-1, 17, 10, 167, -1, 50, 80, 130, 100, 150},     // bars and the reference line
        {-1, 50, 80, 130, -1, 50, 80, 130, 0, 0},         // bar codes
        {-1, 17, 10, 167, -1, 50, 80, 130, 0, 100},       // mean circles
        {-1, 17, 10, 167, -1, 50, 80, 130, 0, 100},       // interval lines
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                   // axis line
        {15, 0, 0, 0, 15, 0, 0, 0, 255, 255},             // not drawn (white)
    };
    ApplyStyleColours(styles, table, styleCount);
}

void Desk2Graph::ReadOptions()
{
    if (option)
        graphMask = static_cast<unsigned long>(option->graphMask);
    horizontal = (graphMask & graphVertical) ? 0 : 1;
}

int Desk2Graph::GroupCount() const
{
    return computation ? static_cast<int>(computation->groups.size()) : 0;
}

const DescriptiveRecord &Desk2Graph::Group(int i) const
{
    return computation->groups[static_cast<size_t>(i)];
}

int Desk2Graph::LabelRowCount() const
{
    const int k = GroupCount();
    // Without groups the width per label would divide by zero.
    if (k == 2 || k == 0)
        return 1;
    size_t longest = 0;
    for (int i = 0; i < k; ++i)
        longest = std::max(longest, Group(i).label.size());
    return std::min(static_cast<int>(longest) / (110 / k) + 1, 5);
}

void Desk2Graph::InitLayout()
{
    widthPercentage = FREQBAR::ScaleByCategoryCount(GroupCount(), 1);
    gapPercentage = 100 - widthPercentage;
    labelAlignment = horizontal ? 36 : 10;
    ComputeLayout();
}

void Desk2Graph::ComputeLayout()
{
    plotArea = fixedPlotArea;
    labelRows = LabelRowCount();
    subtitleTop = titleBand.top + subtitleOffset;
    breakSubtitleTop = titleBand.top + breakSubtitleOffset;
    subtitleShown = breakSubtitleShown = true;
    labelFontShown = labelSize;
    labelStride = 1;
    rowStep = labelRowStep;
    shownLabels.clear();
    for (int i = 0; i < GroupCount(); ++i)
        shownLabels.push_back(Group(i).label);
    FitLayoutToTexts();
    elementArea = plotArea;
    if (horizontal) {
        const int m = (plotArea.bottom - plotArea.top + 1) / 100;
        elementArea.top += m;
        elementArea.bottom -= m;
        labelBand.top = plotArea.top;
        labelBand.bottom = plotArea.bottom;
    } else {
        const int m = (plotArea.right - plotArea.left + 1) / 100;
        elementArea.left += m;
        elementArea.right -= m;
        labelBand.left = plotArea.left;
        labelBand.right = plotArea.right;
    }
}

namespace {

// The numbers an axis over lower..upper shows at its ends, at 0 and (for
// labels in exponent form, whose length follows the value) at its ticks,
// as the axis will format them.
std::vector<std::string> AxisEndNumbers(double lower, double upper)
{
    double low = lower, high = upper;
    if (!(high > low))
        low -= 1.0, high += 1.0;
    const double step = ChooseAxisStep(low, high, 1);
    const int decimals = DecimalsFor(step, 2);
    std::vector<double> values{low, high, 0.0};
    const double count = std::floor((high - low) / step + 0.00001);
    if (std::isfinite(count) && count <= 1000.0)
        for (int i = 1; i < static_cast<int>(count); ++i)
            values.push_back(low + i * step);
    std::vector<std::string> numbers;
    for (double v : values) {
        char text[64];
        numbers.push_back(FormatNumberLabel(v, text, sizeof text, ExponentFormPrecision(v, step, decimals), false));
    }
    return numbers;
}

} // namespace

void Desk2Graph::FitLayoutToTexts()
{
    labelBand = horizontal ? ElementRect{200, plotArea.top, 1600, plotArea.bottom, 0}
                           : ElementRect{plotArea.left, logicalHeight - 1800, plotArea.right, logicalHeight - 200, 0};
    const GraphTextBands bands(*this);
    if (!bands.Measured())
        return;
    const std::uint32_t bold = TEKSTELEMENT::styleBold;
    const int gapDown = bands.Down(GraphTextBands::gapPixels), gapAcross = bands.Across(GraphTextBands::gapPixels);
    const int titleLine = bands.LineHeight(titleSize, bold, 0);
    const int subtitleLine = bands.LineHeight(subtitleSize, bold | subtitleStyleBits, 0);
    const int numberLine = bands.LineHeight(axisSize, bold, 0);
    const std::vector<std::string> numbers = AxisEndNumbers(lower, upper);
    const int numberWidth = bands.WidestText(numbers, axisSize, bold, 0);
    const int k = GroupCount();
    int rows = horizontal ? 1 : LabelRowCount();
    // The title lines from the top; the plot under them. Each pass lets
    // one more text give way while the plot keeps less than half the
    // height.
    for (int pass = 0; pass < 4; ++pass) {
        int y = titleBand.top;
        if (graphMask & graphTitle)
            y += titleLine;
        subtitleTop = y;
        if (subtitleShown)
            y += subtitleLine;
        breakSubtitleTop = y;
        if ((graphMask & graphBreakSubtitle) && breakSubtitleShown)
            y += subtitleLine;
        // Vertical: the top number stands half a line above the plot.
        plotArea.top = y + gapDown + (horizontal ? 0 : numberLine / 2);
        if (horizontal) {
            plotArea.bottom = logicalHeight - 1 - gapDown - numberLine - axisLabelDistance;
        } else {
            const int labelLine = bands.LineHeight(labelSize, bold, 0);
            plotArea.bottom = logicalHeight - 1 - gapDown - rows * labelLine - labelRowOffset;
        }
        if (plotArea.bottom - plotArea.top >= logicalHeight / 2)
            break;
        if ((graphMask & graphBreakSubtitle) && breakSubtitleShown)
            breakSubtitleShown = false;
        else if (subtitleShown)
            subtitleShown = false;
        else if (rows > 1)
            rows = 1;
        else
            break;
    }
    labelRows = rows;
    if (horizontal) {
        // Labels in a font their slots hold, cut to the room left of the
        // plot; the last number ends inside the window.
        const int slot = bands.PixelsDown((plotArea.bottom - plotArea.top) * 98 / 100 / std::max(k, 1));
        const GraphTextBands::SlotLabels fit = GraphTextBands::FitToSlots(k > 1 ? slot : labelSize + 1, labelSize);
        labelFontShown = fit.fontSize;
        labelStride = fit.stride;
        plotArea.right = logicalWidth - 1 - gapAcross - numberWidth / 2;
        const int room = bands.LabelRoom(shownLabels, labelFontShown, bold, gapAcross, plotArea.right, 0);
        plotArea.left = std::max(gapAcross + room, numberWidth / 2 + gapAcross);
        labelBand = ElementRect{gapAcross, plotArea.top, plotArea.left - gapAcross, plotArea.bottom, 0};
        for (std::string &label : shownLabels)
            label = bands.Cut(label, labelBand.right - labelBand.left, labelFontShown, bold);
    } else {
        // Numbers left of the plot; labels in rows under it, each cut to
        // its slot and the slots its row leaves free beside it.
        plotArea.left = gapAcross + numberWidth + axisLabelDistance + gapAcross;
        plotArea.right = logicalWidth - 1 - gapAcross;
        const int labelLine = bands.LineHeight(labelSize, bold, 0);
        rowStep = labelLine;
        labelBand = ElementRect{plotArea.left, plotArea.bottom + labelRowOffset, plotArea.right,
                                logicalHeight - 1 - gapDown, 0};
        const int slot = (plotArea.right - plotArea.left) * 98 / 100 / std::max(k, 1);
        labelFontShown = labelSize;
        labelStride = 1;
        const int across = slot * rows - gapAcross;
        // Slots narrower than a few letters show every stride-th label.
        const int fewLetters = bands.Across(TextWidthInFont("Ab..", labelSize, bold));
        while (slot * rows * labelStride - gapAcross < fewLetters && labelStride < k)
            ++labelStride;
        for (std::string &label : shownLabels)
            label = bands.Cut(label, std::max(across * labelStride, 1), labelFontShown, bold);
    }
}

int Desk2Graph::SlotSize() const
{
    const int e = horizontal ? elementArea.Height() : elementArea.Width();
    return GroupCount() > 0 ? e / GroupCount() : e;
}

int Desk2Graph::SlotCentre(int i) const
{
    const int size = SlotSize();
    return horizontal ? elementArea.top + size * (i + 1) - size / 2 : elementArea.left + size * i + size / 2;
}

int Desk2Graph::GapSize() const
{
    const int e = horizontal ? elementArea.Height() : elementArea.Width();
    return GroupCount() > 0 ? gapPercentage * e / (GroupCount() * 100) : 0;
}

int Desk2Graph::ElementThickness() const
{
    return widthPercentage * SlotSize() / 100;
}

int Desk2Graph::ElementStart(int i) const
{
    const int size = SlotSize();
    return horizontal ? elementArea.top + size * (i + 1) - GapSize() / 2 : elementArea.left + size * i + GapSize() / 2;
}

int Desk2Graph::ValueToCoordinate(double v) const
{
    // A range of no width (one value in every group) puts every value at
    // the axis start rather than dividing by zero.
    const double f = (upper > lower && Usable(v)) ? (v - lower) / (upper - lower) : 0.0;
    if (horizontal)
        return static_cast<int>(std::floor(plotArea.left + (plotArea.right - plotArea.left + 1) * f));
    return static_cast<int>(std::floor(plotArea.bottom - (plotArea.bottom - plotArea.top + 1) * f));
}

void Desk2Graph::TakeIn(double value, bool &started)
{
    if (!Usable(value))
        return;
    if (!started) {
        lower = upper = value;
        started = true;
        return;
    }
    lower = std::min(lower, value);
    upper = std::max(upper, value);
}

void Desk2Graph::BuildGraph()
{
    SetDrawStyle(nullptr);
    ReadOptions();
    ComputeRange();
    InitLayout();
    const int centre = titleBand.left + (titleBand.right - titleBand.left + 1) / 2;
    if (graphMask & graphTitle) {
        auto *title = new TEKSTELEMENT(centre, titleBand.top, TitleText(), titleAlignment);
        title->SetFont(titleSize, title->StyleBits());
        AddElement(title);
    }
    DATASET *set = computation ? computation->GetDataSet() : nullptr;
    auto subtitle = [&](long variable, int top) {
        char caption[160] = "";
        if (set)
            set->GetVariableCaption(variable, caption, sizeof caption);
        char text[200];
        std::snprintf(text, sizeof text, "V%li %s", variable, caption);
        auto *element = new TEKSTELEMENT(centre, top, text, subtitleAlignment);
        element->SetFont(subtitleSize, element->StyleBits() | subtitleStyleBits);
        AddElement(element);
    };
    if (subtitleShown)
        subtitle(computation ? computation->analysisVariable : 0, subtitleTop);
    if ((graphMask & graphBreakSubtitle) && breakSubtitleShown)
        subtitle(computation ? computation->breakVariable : 0, breakSubtitleTop);

    auto *group = new GROUPELEMENT;
    group->AddElement(new BOXELEMENT(plotArea.left, plotArea.top, plotArea.right + 1 - plotArea.left,
                                     plotArea.bottom + 1 - plotArea.top, StyleAt(backgroundStyle)));
    AxisSpec description(plotArea.left, plotArea.top, plotArea.right - plotArea.left, plotArea.bottom - plotArea.top,
                         0);
    if (horizontal) {
        description.vertical = 0;
        description.horizontalNearSide = 1.0;
    } else {
        description.vertical = 1;
        description.verticalNearSide = 1.0;
    }
    description.axisStyle = styles[axisStyle - 1];
    description.grid = (graphMask & graphGrid) ? 1 : 0;
    description.axisLine = 0;
    description.ticks = 0;
    description.labelDistance = axisLabelDistance;
    description.fontSize = axisSize;
    group->AddElement(new SKALA(description, lower, upper));
    DrawReference(group);
    const GraphTextBands bands(*this);
    const int labelHeight = bands.Measured() ? bands.Down(TextHeightInFont(labelFontShown, TEKSTELEMENT::styleBold)) : 0;
    for (int i = 0; i < GroupCount(); ++i) {
        DrawGroup(group, i);
        if (i % labelStride != 0)
            continue;
        const char *shown = shownLabels[static_cast<std::size_t>(i)].c_str();
        TEKSTELEMENT *label;
        if (horizontal && bands.Measured())
            // Centred on its slot: its top half its height above the middle.
            label = new TEKSTELEMENT(labelBand.right, SlotCentre(i) - labelHeight / 2, shown,
                                     TEKSTELEMENT::alignRight | TEKSTELEMENT::alignTop);
        else if (horizontal)
            label = new TEKSTELEMENT(labelBand.right, SlotCentre(i), shown, labelAlignment);
        else
            label = new TEKSTELEMENT(SlotCentre(i),
                                     labelBand.top + (i / labelStride % labelRows) * rowStep +
                                         (bands.Measured() ? 0 : labelRowOffset),
                                     shown, labelAlignment);
        label->SetFont(labelFontShown, label->StyleBits());
        group->AddElement(label);
    }
    AddElement(group);
}

void Desk2Graph::CreateDrawObjects()
{
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void Desk2Graph::DeleteDrawObjects()
{
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}

// --- Bars ----------------------------------------------------------------------------

Desk2Bar::Desk2Bar(OnewayObj *c, Desk2grafOption *record) : Desk2Graph(c, MaskOf(record))
{
    option = record;
    ComputeRange();
}

void Desk2Bar::ComputeRange()
{
    bool started = false;
    if (computation) {
        TakeIn(computation->total.mean, started);
        for (int i = 0; i < GroupCount(); ++i)
            TakeIn(Group(i).mean, started);
    }
    if (!started)
        lower = upper = 0.0;
    if (graphMask & graphOrigin) {
        reference = computation && Usable(computation->total.mean) ? computation->total.mean : 0.0;
    } else {
        reference = 0.0;
        lower = std::min(lower, 0.0);
        // With every mean below 0 the bars start at 0, above the
        // largest mean: the range reaches 0 so that they stay in the plot.
        upper = std::max(upper, 0.0);
    }
}

void Desk2Bar::DrawReference(GROUPELEMENT *group)
{
    const int at = ValueToCoordinate(reference);
    if (horizontal)
        group->AddElement(new LINEELEMENT(at, plotArea.bottom, at, plotArea.top, 1, StyleAt(barStyle)));
    else
        group->AddElement(new LINEELEMENT(plotArea.left, at, plotArea.right, at, 1, StyleAt(barStyle)));
}

void Desk2Bar::DrawGroup(GROUPELEMENT *group, int i)
{
    const DescriptiveRecord &r = Group(i);
    // A group of weight 0 has no mean: only its label.
    if (r.count < 1 || !Usable(r.mean))
        return;
    const int from = ValueToCoordinate(reference), to = ValueToCoordinate(r.mean);
    const int s = ElementStart(i), t = ElementThickness(), m = SlotCentre(i);
    if (horizontal)
        group->AddElement(new BOXELEMENT(std::min(from, to), s - t, std::abs(to - from), t, StyleAt(barStyle)));
    else
        group->AddElement(new BOXELEMENT(s, std::min(from, to), t, std::abs(to - from), StyleAt(barStyle)));
    if (!(graphMask & graphNumbers))
        return;
    char text[64];
    std::snprintf(text, sizeof text, "%.*Lf", 1, static_cast<long double>(r.mean));
    const bool above = r.mean > reference;
    const bool closeToEnd = std::abs(to - ValueToCoordinate(above ? upper : lower)) < nearEnd;
    TEKSTELEMENT *label;
    if (above != closeToEnd)
        label = horizontal ? new TEKSTELEMENT(to + numberGap, m, text, 33) : new TEKSTELEMENT(m, to - numberGap, text, 18);
    else
        label = horizontal ? new TEKSTELEMENT(to - numberGap, m, text, 36) : new TEKSTELEMENT(m, to + numberGap, text, 10);
    label->SetFont(numberSize, label->StyleBits());
    group->AddElement(label);
}

const char *Desk2Bar::TitleText()
{
    return StatText(104, textGroup);
}

// --- Boxes ---------------------------------------------------------------------------

namespace {

// The summary with the whisker ends moved to the box's edges where they lie
// inside it (a copy: the table prints the computed summary).
bool WhiskerSummary(const DescriptiveRecord &r, double q[7])
{
    const double *s = r.QuantileSummary();
    if (!s)
        return false;
    std::copy(s, s + 7, q);
    q[3] = std::min(q[0], q[3]);
    q[4] = std::max(q[2], q[4]);
    return Usable(q[3]) && Usable(q[4]);
}

} // namespace

Desk2BoxWhisk::Desk2BoxWhisk(OnewayObj *c, Desk2grafOption *record) : Desk2Graph(c, MaskOf(record))
{
    option = record;
    if (!computation)
        return;
    // Computed once per page: the table may have asked for them already.
    if (!computation->total.QuantileSummary())
        computation->ComputeGroupQuantiles();
    bool started = false;
    for (int i = 0; i < GroupCount(); ++i) {
        const DescriptiveRecord &r = Group(i);
        double q[7];
        if (WhiskerSummary(r, q)) {
            TakeIn(q[1], started);
            TakeIn(q[3], started);
            TakeIn(q[4], started);
        }
        if ((graphMask & graphExtremes) && r.count > 0) {
            TakeIn(r.minimum, started);
            TakeIn(r.maximum, started);
        }
    }
}

void Desk2BoxWhisk::DrawGroup(GROUPELEMENT *group, int i)
{
    const DescriptiveRecord &r = Group(i);
    double q[7];
    // The summary may be absent, or not computed without cases: no
    // box then.
    if (r.count < 1 || !WhiskerSummary(r, q))
        return;
    const int s = ElementStart(i), t = ElementThickness();
    int x, y, w, h;
    if (horizontal)
        x = plotArea.left, y = s - t, w = plotArea.right - plotArea.left, h = t;
    else
        x = s, y = plotArea.bottom, w = t, h = plotArea.bottom - plotArea.top;
    AddBoxWhisker(group, StyleAt(boxStyle), q, x, y, w, h, lower, upper);
    if (!(graphMask & graphExtremes))
        return;
    if (r.minimum < q[3])
        AddCrossMark(group, StyleAt(boxStyle), r.minimum, x, y, w, h, lower, upper);
    if (r.maximum > q[4])
        AddCrossMark(group, StyleAt(boxStyle), r.maximum, x, y, w, h, lower, upper);
}

const char *Desk2BoxWhisk::TitleText()
{
    return StatText(106, textGroup);
}

// --- Confidence intervals ------------------------------------------------------------

Desk2ConfInt::Desk2ConfInt(OnewayObj *c, Desk2grafOption *record) : Desk2Graph(c, MaskOf(record))
{
    option = record;
    // Every group's mean widens the range, not only the first group's: the
    // circle of a group with one case (no interval) or of a group whose mean
    // lies outside the other groups' intervals would otherwise stand off the
    // axis, beside no number. A group without cases has no mean to take in.
    bool started = false;
    for (int i = 0; i < GroupCount(); ++i) {
        const DescriptiveRecord &r = Group(i);
        if (r.count < 1)
            continue;
        TakeIn(r.mean, started);
        if (r.count >= 2) {
            TakeIn(r.lower99, started);
            TakeIn(r.upper99, started);
        }
    }
}

void Desk2ConfInt::DrawGroup(GROUPELEMENT *group, int i)
{
    const DescriptiveRecord &r = Group(i);
    if (r.count < 1 || !Usable(r.mean))
        return;
    const int v = ValueToCoordinate(r.mean), m = SlotCentre(i);
    const int cx = horizontal ? v : m, cy = horizontal ? m : v;
    group->AddElement(new PIEELEMENT(cx - radius, cy - radius, radius, 0.0, 0.0, StyleAt(circleStyle)));
    // Limits left not computed (two cases of weights summing to 1
    // or less) draw no interval.
    if (r.count < 2 || !Usable(r.lower95) || !Usable(r.upper95) || !Usable(r.lower99) || !Usable(r.upper99))
        return;
    const int s = ElementStart(i), t = ElementThickness();
    for (double limit : {r.lower95, r.upper95}) {
        const int at = ValueToCoordinate(limit);
        if (horizontal)
            group->AddElement(new LINEELEMENT(at, s - t, at, s, 2, StyleAt(intervalStyle)));
        else
            group->AddElement(new LINEELEMENT(s, at, s + t, at, 2, StyleAt(intervalStyle)));
    }
    const int low = ValueToCoordinate(r.lower99), high = ValueToCoordinate(r.upper99);
    if (horizontal)
        group->AddElement(new LINEELEMENT(low, m, high, m, 2, StyleAt(intervalStyle)));
    else
        group->AddElement(new LINEELEMENT(m, low, m, high, 2, StyleAt(intervalStyle)));
}

const char *Desk2ConfInt::TitleText()
{
    return StatText(107, textGroup);
}

// --- Bar codes -----------------------------------------------------------------------

Desk2BarCode::Desk2BarCode(OnewayObj *c, Desk2grafOption *record) : Desk2Graph(c, MaskOf(record))
{
    option = record;
    if (!computation)
        return;
    bool started = false;
    for (const DescriptiveRecord *r : {&computation->total}) {
        if (r->count < 1)
            continue;
        TakeIn(r->minimum, started);
        TakeIn(r->maximum, started);
    }
    for (int i = 0; i < GroupCount(); ++i) {
        if (Group(i).count < 1)
            continue;
        TakeIn(Group(i).minimum, started);
        TakeIn(Group(i).maximum, started);
    }
}

void Desk2BarCode::DrawGroup(GROUPELEMENT *group, int i)
{
    const int s = ElementStart(i), t = ElementThickness();
    BARCODEELEMENT *strip;
    DATASET *set = computation->GetDataSet();
    const auto variable = static_cast<unsigned>(computation->analysisVariable);
    const auto breaks = static_cast<unsigned>(computation->breakVariable);
    if (horizontal)
        strip = new BARCODEELEMENT(set, variable, breaks, ElementArea().left, s - t, ElementArea().right - ElementArea().left,
                                   t, lower, upper, Group(i).breakValue);
    else
        strip = new BARCODEELEMENT(set, variable, breaks, s, ElementArea().top, t, ElementArea().bottom - ElementArea().top,
                                   lower, upper, Group(i).breakValue);
    strip->SetStyle(StyleAt(barCodeStyle));
    group->AddElement(strip);
}

const char *Desk2BarCode::TitleText()
{
    return StatText(105, textGroup);
}

GRAPHWIN *CreateDesk2Graph(OnewayObj *computation, int kind, Desk2grafOption *option)
{
    switch (kind) {
    case 0:
        return new Desk2Bar(computation, option);
    case 1:
        return new Desk2BoxWhisk(computation, option);
    case 2:
        return new Desk2ConfInt(computation, option);
    case 3:
        return new Desk2BarCode(computation, option);
    default:
        return nullptr;
    }
}
