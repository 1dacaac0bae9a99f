// FREQBAR: the bar graph of a frequency distribution: one bar a shown
// category, horizontal or vertical, showing frequencies or valid percents
// against a value axis, with the category labels along the category axis
// (in up to five alternating rows when long labels crowd vertical bars).
//
// Ownership: as FREQGRAPH; the option record (the bar graph's, section
// "FreqBar") belongs to the workbook.
#pragma once

#include <string>
#include <vector>

#include "graphs/FREQGRAPH.h"

class FREQBAR : public FREQGRAPH
{
public:
    static constexpr int settingsSection = 13;          // "FreqBar" (sectionFreqBar)
    static constexpr unsigned long defaultWord = 0x602; // numbers, grid, the unused bit
    static constexpr int captionText = 20;              // of group 5
    static constexpr int maximumLabelRows = 5;

    // record: the bar graph's option record (null: the default word).
    FREQBAR(FREQOBJ *distribution, FreqGraphOption *record);

    // Once per window, before the first draw: a graph whose left edge lies
    // left of the window is moved in.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;

    // The bar's share of its band in percent: 40 + 4 (n - 1) for b = 1, n
    // clamped to 2..12.
    static int ScaleByCategoryCount(int n, int b);
    int FillShare() const { return fillShare; }
    int LabelRows() const { return labelRows; }

protected:
    void DrawData() override;
    const char *CaptionText() override;
    void TakeOptionWord() override;

private:
    // Vertical bars: label rows and cut from the labels' measured widths.
    void FitLabelRows(int n, int longest);
    // The font size of a text beside a horizontal bar: at most the band's
    // height in pixels less one.
    int BandFontSize(int size) const;
    // Every how many horizontal bars a label is shown (1: each).
    int LabelStride() const;
    // A category label as the vertical bars show it: cut in its middle to
    // the room ("Answ..y 13").
    std::string CutLabel(const char *label) const;
    // Horizontal bars: the plot's left side moves right as far as the
    // widest label needs, up to a share of the window's width; labels
    // wider than the room left are cut in their middle to it.
    void FitLabelRoom();
    // The plot's top moves down under the caption and heading lines
    // already built, with a line of room for the numbers over the bars.
    void FitPlotUnderHeadings();
    // Band area, band and label rows for n shown categories.
    void LayOutBands(int n);
    // Position of a value along the value axis (X for horizontal bars, Y for
    // vertical ones).
    int ValuePosition(double value) const;
    // Centre and bar start of the category of shown index i.
    int CategoryCentre(int i) const;
    int BarStart(int i, int n) const;
    void AddAxis(GROUPELEMENT *group);
    void AddCategory(int i, int n);

    int fillShare;
    int labelRows = 1;
    int band = 0;
    // Vertical bars: the logical height of a row of category labels, and
    // the characters a label keeps (0: whole) so that the labels of one row
    // never reach each other.
    int labelRowStep = 250;
    int labelCharacters = 0;
    // Horizontal bars: the labels as shown, a shown category each (empty:
    // whole), and the plot's left side as laid out at construction.
    std::vector<std::string> sideLabels;
    int plotLeftAtStart = 0, plotTopAtStart = 0;
};
