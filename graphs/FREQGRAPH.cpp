#include "graphs/FREQGRAPH.h"

#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "graphs/FreqGraphOption.h"

#include <algorithm>

namespace {

// The legend's swatch and gap, in logical units before they are fitted to
// whole pixels within these bounds.
constexpr int swatchUnits = 200, swatchMinimumPixels = 15, swatchMaximumPixels = 50;
constexpr int gapUnits = 120, gapMinimumPixels = 3, gapMaximumPixels = 12;
// The legend's height per category and its margin, and its place.
constexpr int legendRowUnits = 320, legendMarginUnits = 120;
constexpr int legendLeft = 8350, legendRight = 9850;
constexpr int legendTop = 2000, legendSpan = 6000;
// The space the caption takes above the headings.
constexpr int captionSpace = 600;

} // namespace

FREQGRAPH::FREQGRAPH(FREQOBJ *frequencies, FreqGraphOption *optionRecord, unsigned long word, bool coloursOff)
    : GRAPHWIN(0, 0, 0, 0), distribution(frequencies), perCategoryColoursOff(coloursOff ? 1 : 0), optionWord(word),
      record(optionRecord)
{
    SetDrawStyle(nullptr);
    horizontal = (optionWord & optionVertical) ? 0 : 1;
    raw = (optionWord & optionRaw) ? 1 : 0;
    valueArea = plotArea;
    bandArea = plotArea;
    legendArea = ElementRect{legendLeft, legendTop, legendRight, legendTop + legendSpan, 0};
    PlaceLegendArea();

    styles[frameRole].SetSecondColour(0);
    styles[frameRole].SetFillColour(15);
    styles[frameRole].SetGreyLevels(255, 0);
    styles[plotRole].SetSecondRGB(190, 200, 230);
    styles[plotRole].SetFillRGB(190, 200, 230);
    styles[plotRole].SetGreyLevels(210, 210);
    styles[legendRole].SetSecondColour(15);
    styles[legendRole].SetFillColour(15);
    styles[legendRole].SetGreyLevels(255, 255);
    styles[lightRole].SetSecondRGB(250, 250, 250);
    styles[lightRole].SetFillRGB(250, 250, 250);
    styles[lightRole].SetGreyLevels(255, 255);
    for (StyleRole black : {blackRole, secondBlackRole}) {
        styles[black].SetSecondColour(0);
        styles[black].SetFillColour(0);
        styles[black].SetGreyLevels(0, 0);
    }
    styles[barRole].SetSecondColour(0);
    styles[barRole].SetFillRGB(50, 80, 130);
    styles[barRole].SetGreyLevels(100, 255);
}

FREQGRAPH::~FREQGRAPH()
{
    // The elements point at the styles: they go first.
    BeginDeletion();
    DestroyOSWindow();
    ClearElements();
    DeleteDrawObjects();
}

TEKSTELEMENT *FREQGRAPH::MakeText(int x, int y, const char *text, int alignment, int size, std::uint32_t style)
{
    auto *item = new TEKSTELEMENT(x, y, text, alignment);
    item->SetFont(size, style);
    return item;
}

TEKSTELEMENT *FREQGRAPH::Placed(TEKSTELEMENT *text)
{
    text->SetFlag(element::flagPlaced);
    return text;
}

void FREQGRAPH::ReadRecordWord()
{
    if (record)
        optionWord = static_cast<unsigned long>(record->optionWord);
}

// --- Build ---------------------------------------------------------------------------

void FREQGRAPH::BuildGraph()
{
    TakeOptionWord();
    // The categories first: the layout measures their labels.
    TakeCategories();
    AdjustLayout();
    PlaceLegendArea();
    categoryAlignment = perCategoryColoursOff && horizontal ? alignRightBaseline : alignCentreTop;

    ClearElements();
    mainGroup = new GROUPELEMENT;
    SetDrawStyle(nullptr);
    MakeCategoryStyles();
    AddCaptionAndHeadings();
    // Without a shown category there is nothing to divide the
    // label rows, the bands or the legend by; the graph keeps its texts.
    if (!shown.empty())
        DrawData();
    AddElement(mainGroup);
    if (!shown.empty() && !perCategoryColoursOff && validSum < multipleResponseSum && !(optionWord & optionLabelsOnPie))
        AddLegend();
}

void FREQGRAPH::TakeCategories()
{
    // The graph counts on its own copy: writing the counts into the
    // distribution would make the table text written after a graph show
    // counts.
    shown.clear();
    for (long i = 0; i < distribution->categoryCount; ++i)
        if (distribution->categories[i].missing == 0)
            shown.push_back(distribution->categories[i]);
    const bool allZero =
        std::all_of(shown.begin(), shown.end(), [](const FreqCategory &c) { return c.frequency == 0.0; });
    if (allZero)
        for (FreqCategory &c : shown)
            c.frequency = static_cast<double>(c.count);

    minimumFrequency = maximumFrequency = minimumValid = maximumValid = 0.0;
    validSum = frequencySum = 0.0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const FreqCategory &c = shown[i];
        if (i == 0 || c.frequency < minimumFrequency)
            minimumFrequency = c.frequency;
        if (i == 0 || c.frequency > maximumFrequency)
            maximumFrequency = c.frequency;
        if (i == 0 || c.validPercent < minimumValid)
            minimumValid = c.validPercent;
        if (i == 0 || c.validPercent > maximumValid)
            maximumValid = c.validPercent;
        validSum += c.validPercent;
        frequencySum += c.frequency;
    }
    axisMinimum = 0.0;
    axisMaximum = raw ? maximumFrequency : maximumValid;
}

void FREQGRAPH::PlaceLegendArea()
{
    // n rows, centred in the height between y 2000 and 8000.
    const int height = static_cast<int>(shown.size()) * legendRowUnits + legendMarginUnits;
    legendArea.top = legendTop + (legendSpan - height + 1) / 2;
    legendArea.bottom = legendArea.top + height;
}

void FREQGRAPH::MakeCategoryStyles()
{
    // The elements of the previous build are gone, so the styles they
    // pointed at may be made again.
    categoryStyles.clear();
    if (perCategoryColoursOff)
        return;
    categoryStyles.resize(shown.size());
    for (std::size_t k = 0; k < shown.size(); ++k) {
        CopySeriesStyle(categoryStyles[k], static_cast<int>(k));
        categoryStyles[k].created = 0;
    }
}

void FREQGRAPH::AddCaptionAndHeadings()
{
    const int centre = (titleArea.left + titleArea.right) / 2;
    int space = 0;
    textsBottom = 0;
    if (optionWord & optionCaption) {
        textsBottom = titleArea.top + LogicalDown(titleSize + 2);
        AddElement(MakeText(centre, titleArea.top, FitWidth(CaptionText(), titleSize, TEKSTELEMENT::styleBold).c_str(),
                            alignCentreTop, titleSize, TEKSTELEMENT::styleBold));
        space = captionSpace;
    } else if (distribution->headingCount < 2) {
        space = captionSpace;
    }
    const long count = distribution->headingCount;
    if (count <= 0 || !(perCategoryColoursOff || validSum < multipleResponseSum))
        return;
    const int line = static_cast<int>((titleArea.bottom - titleArea.top - space + 1) / count);
    // Each line at least its font's height in pixels under the one above,
    // however small the window.
    auto pixelsDown = [this](int pixels) {
        int unused = 0;
        ToLogicalUnits(unused, pixels);
        return pixels;
    };
    int nextTop = (optionWord & optionCaption) ? titleArea.top + pixelsDown(titleSize + 2) : titleArea.top;
    for (long i = 0; i < count; ++i) {
        const int top = std::max(titleArea.top + space + static_cast<int>(i) * line, nextTop);
        AddElement(MakeText(centre, top, FitWidth(distribution->CategoryAt(i), headingSize, 0).c_str(), alignCentreTop,
                            headingSize));
        nextTop = top + pixelsDown(headingSize + 2);
        textsBottom = nextTop;
    }
}

std::string FREQGRAPH::FitWidth(const char *text, int size, std::uint32_t style)
{
    // Centred on the middle of the window: the whole width less a margin.
    int width = logicalWidth, unused = 0;
    ToDeviceUnits(width, unused);
    const std::string whole = text ? text : "";
    return OSHandle() && width > 0 ? CutTextToWidth(whole, std::max(width - 6, 1), size, style) : whole;
}

int FREQGRAPH::LogicalAcross(int pixels)
{
    int unused = 0;
    ToLogicalUnits(pixels, unused);
    return pixels;
}

int FREQGRAPH::LogicalDown(int pixels)
{
    int unused = 0;
    ToLogicalUnits(unused, pixels);
    return pixels;
}

void FREQGRAPH::LegendSizes(int &swatchX, int &swatchY, int &gapX, int &gapY)
{
    swatchX = swatchY = swatchUnits;
    gapX = gapY = gapUnits;
    ToDeviceUnits(swatchX, swatchY);
    ToDeviceUnits(gapX, gapY);
    swatchX = std::clamp(swatchX, swatchMinimumPixels, swatchMaximumPixels);
    swatchY = std::clamp(swatchY, swatchMinimumPixels, swatchMaximumPixels);
    gapX = std::clamp(gapX, gapMinimumPixels, gapMaximumPixels);
    gapY = std::clamp(gapY, gapMinimumPixels, gapMaximumPixels);
    ToLogicalUnits(swatchX, swatchY);
    ToLogicalUnits(gapX, gapY);
}

void FREQGRAPH::AddLegend()
{
    const int n = ShownCount();
    int swatchX = 0, swatchY = 0, gapX = 0, gapY = 0;
    LegendSizes(swatchX, swatchY, gapX, gapY);

    // The rows that fit in the window's height; when some do not, the top
    // row says how many more there are.
    // Below the caption and headings, which take the window's top.
    const int margin = LogicalDown(gapMinimumPixels);
    const int roof = std::max(margin, textsBottom + margin);
    const int room = logicalHeight - margin - roof;
    const int rowsThatFit = std::max(1, (room - gapY) / (gapY + swatchY));
    const int rows = std::min(n, rowsThatFit);
    const int listed = rows < n ? rows - 1 : n;
    const int height = rows * (gapY + swatchY) + gapY;
    // A legend taller than the room under its place moves up so that its
    // last row stays inside the window.
    const int top = std::max(roof, std::min(legendArea.top, logicalHeight - margin - height));
    auto *legend = new GROUPELEMENT;
    auto *background =
        new BOXELEMENT(legendArea.left, top, legendArea.right - legendArea.left, height, Style(legendRole));
    background->penWidth = 1;
    legend->AddElement(background);
    const int x = legendArea.left + legendIndent;
    const int textX = x + gapX + swatchX;
    int roomPixels = legendArea.right - textX, unused = 0;
    ToDeviceUnits(roomPixels, unused);
    // Each label stands on its swatch's middle line, cut in its middle
    // when it is wider than the legend.
    const int halfText = LogicalDown(legendSize) / 2;
    for (int i = 0; i < listed; ++i) {
        const int y = top + gapY + (rows - i - 1) * (swatchY + gapY);
        legend->AddElement(new BOXELEMENT(x, y, swatchX, swatchY, CategoryStyle(i)));
        const std::string label =
            CutTextToWidth(shown[static_cast<std::size_t>(i)].label, std::max(roomPixels - 2, 0), legendSize, 0);
        legend->AddElement(
            Placed(MakeText(textX, y + swatchY / 2 - halfText, label.c_str(), alignLeftTop, legendSize)));
    }
    if (listed < n) {
        const std::string more = "and " + std::to_string(n - listed) + " more";
        legend->AddElement(
            Placed(MakeText(x, top + gapY + swatchY / 2 - halfText, more.c_str(), alignLeftTop, legendSize)));
    }
    AddElement(legend);
}

// --- Draw objects --------------------------------------------------------------------

void FREQGRAPH::CreateDrawObjects()
{
    for (DrawStyle &style : categoryStyles)
        style.CreateObjects();
    for (DrawStyle &style : styles)
        style.CreateObjects();
}

void FREQGRAPH::DeleteDrawObjects()
{
    for (DrawStyle &style : categoryStyles)
        style.DeleteObjects();
    for (DrawStyle &style : styles)
        style.DeleteObjects();
}
