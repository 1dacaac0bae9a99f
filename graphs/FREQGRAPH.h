// FREQGRAPH: the common base of the bar graph (FREQBAR) and the pie graph
// (FREQPIE) of a frequency distribution (FREQOBJ). It builds the caption,
// the heading texts and the legend, and leaves the data to its subclass.
//
// Only the categories whose missing flag is 0 are drawn (the shown
// categories), in the distribution's record order. Each build copies them
// from the distribution and works on the copy: when every shown frequency
// is 0 the copy takes the counts, and the distribution (which the table
// text also reads) is never changed.
//
// Coordinates are logical units of the window's 10000 x 10000 space. The
// layout rectangles are (left, top, right, bottom); a rectangle's size is
// right - left and bottom - top.
//
// Ownership: the window owns its draw styles (and the per-category styles)
// and, as a GRAPHWIN, its elements. The distribution belongs to the page
// and the option record to the workbook; both must outlive the window.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"
#include "stats/FREQOBJ.h"

#include <cstdint>
#include <string>
#include <vector>

class FreqGraphOption;
class GROUPELEMENT;
class TEKSTELEMENT;

class FREQGRAPH : public GRAPHWIN
{
public:
    // Bits of the option word.
    enum OptionBit : unsigned long {
        optionTicks = 0x001,       // a short tick at each category on the category axis (bars)
        optionUnused = 0x002,      // set in the bar default, read by no graph
        optionLabelsOnPie = 0x004, // category labels beside the slices instead of the legend (pie)
        optionRaw = 0x008,         // bars show frequencies; clear: valid percentages (bars)
        optionVertical = 0x080,    // vertical bars; clear: horizontal bars (bars)
        optionCaption = 0x100,     // the caption line above the graph
        optionGrid = 0x200,        // grid lines along the value axis (bars)
        optionNumbers = 0x400,     // the number of each bar or slice
    };
    // Text alignments (TEKSTELEMENT bits).
    enum Alignment : int {
        alignLeftBaseline = 33,   // left, baseline
        alignCentreBaseline = 34, // centre, baseline
        alignRightBaseline = 36,  // right, baseline
        alignCentreTop = 10,      // centre, top
        alignCentreBottom = 18,   // centre, bottom
        alignLeftTop = 9,         // left, top
        alignRightTop = 12,       // right, top
    };
    // The valid percents of a distribution whose answers add up to more than
    // this (multiple responses) make no pie, headings or legend.
    static constexpr double multipleResponseSum = 101.0;

    // optionWord: the record's word at the time (null record); the record
    // (may be null) gives the word again at every build.
    FREQGRAPH(FREQOBJ *distribution, FreqGraphOption *record, unsigned long optionWord, bool perCategoryColoursOff);
    ~FREQGRAPH() override;

    void BuildGraph() override;
    // Its heading lines, legend rows and (bars) label rows, cuts and fonts
    // are measured at the window's size.
    bool LayoutFollowsSize() const override { return true; }
    ElementRect PlotRegion() const override { return plotArea; }
    void CreateDrawObjects() override;
    void DeleteDrawObjects() override;

    // The shown categories of the last build (the graph's own copy).
    const std::vector<FreqCategory> &ShownCategories() const { return shown; }
    // The shown categories' labels, in order.
    std::vector<std::string> ShownLabels() const
    {
        std::vector<std::string> labels;
        for (const FreqCategory &c : shown)
            labels.emplace_back(c.label);
        return labels;
    }
    // The value axis's maximum after the last build (widened by the axis).
    double AxisMaximum() const { return axisMaximum; }
    unsigned long OptionWord() const { return optionWord; }

protected:
    // The seven styles of the family.
    enum StyleRole {
        frameRole,       // black line, white fill
        plotRole,        // the plot background
        legendRole,      // the legend background
        lightRole,       // near-white
        blackRole,       // black
        secondBlackRole, // black
        barRole,         // the bars
        styleRoleCount
    };
    // Font sizes of the texts.
    enum FontSize : int {
        titleSize = 18,
        headingSize = 14,
        categorySize = 12,
        legendSize = 12,
        valueSize = 12,
        pieNumberSize = 14,
    };

    // Hooks of a graph, in the order the build calls them.
    virtual void DrawData() = 0;
    virtual const char *CaptionText() = 0;
    virtual void TakeOptionWord() = 0;
    virtual void AdjustLayout() {}

    // A text at a logical point, in the font size, with the style bits.
    static TEKSTELEMENT *MakeText(int x, int y, const char *text, int alignment, int size, std::uint32_t style = 0);
    // The record's word, when there is a record, into the copy.
    void ReadRecordWord();
    DrawStyle *Style(StyleRole role) { return &styles[role]; }
    // The legend's swatch and gap, fitted to whole pixels, in logical units.
    void LegendSizes(int &swatchX, int &swatchY, int &gapX, int &gapY);
    // The text cut in its middle to the window's width.
    std::string FitWidth(const char *text, int size, std::uint32_t style);
    // Logical units of so many pixels across or down.
    int LogicalAcross(int pixels);
    int LogicalDown(int pixels);
    // The legend's indent of its swatches.
    static constexpr int legendIndent = 120;
    // The style of the shown category of that index (from 0).
    DrawStyle *CategoryStyle(int index) { return &categoryStyles[static_cast<std::size_t>(index)]; }
    int ShownCount() const { return static_cast<int>(shown.size()); }
    // A text placed from its measure, which the window's fitting passes
    // leave where it is.
    static TEKSTELEMENT *Placed(TEKSTELEMENT *text);

    FREQOBJ *distribution;
    DrawStyle styles[styleRoleCount];
    std::vector<DrawStyle> categoryStyles; // one a shown category, with per-category colours only
    ElementRect space{0, 0, logicalWidth, logicalHeight, 0};
    ElementRect plotArea{1800, 2000, 8200, 8000, 0};
    ElementRect bandArea;
    ElementRect labelArea{1800, 8000, 8200, 10000, 0};
    ElementRect legendArea;
    ElementRect titleArea{1800, 250, 8200, 1750, 0};
    ElementRect valueArea;
    int categoryAlignment = alignCentreTop;
    std::uint8_t perCategoryColoursOff;
    std::uint8_t horizontal = 0;
    std::uint8_t raw = 0;
    std::uint8_t firstDrawDone = 0;
    GROUPELEMENT *mainGroup = nullptr; // owned by the window once added
    double minimumFrequency = 0, maximumFrequency = 0;
    double minimumValid = 0, maximumValid = 0;
    double validSum = 0, frequencySum = 0;
    double axisMinimum = 0, axisMaximum = 0;
    unsigned long optionWord;
    FreqGraphOption *record;
    // The bottom of the caption and heading lines of the last build, in
    // logical units measured at the window's size (0: none).
    int textsBottom = 0;

private:
    void TakeCategories();
    void PlaceLegendArea();
    void MakeCategoryStyles();
    void AddCaptionAndHeadings();
    void AddLegend();

    std::vector<FreqCategory> shown;
};
