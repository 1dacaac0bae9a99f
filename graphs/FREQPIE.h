// FREQPIE: the pie graph of a frequency distribution: one slice a shown
// category, sized by its valid percent, in the series colours, with a
// legend or with the labels beside the slices. A distribution whose valid
// percents add up to more than 101 (multiple answers) gets a note instead
// of a pie.
//
// Ownership: as FREQGRAPH; the option record (the pie graph's, section
// "FreqPie") belongs to the workbook.
#pragma once

#include "graphs/FREQGRAPH.h"

#include <vector>

class FREQPIE : public FREQGRAPH
{
public:
    static constexpr int settingsSection = 14;          // "FreqPie"
    static constexpr unsigned long defaultWord = 0x400; // numbers
    static constexpr int captionText = 19;              // of group 5
    static constexpr int noPieText = 44;                // of group 12

    // record: the pie graph's option record (null: the default word).
    FREQPIE(FREQOBJ *distribution, FreqGraphOption *record);

    int CentreX() const { return centreX; }
    int CentreY() const { return centreY; }
    // The room the pie is given: the plot area's width under the caption
    // and headings (the disc is as large as the narrower side allows).
    ElementRect PlotRegion() const override { return ElementRect{plotArea.left, pieTop, plotArea.right, pieBottom, 0}; }

protected:
    void DrawData() override;
    const char *CaptionText() override;
    void TakeOptionWord() override;
    void AdjustLayout() override;

private:
    void AddSliceTexts(GROUPELEMENT *group, double start, double end, const FreqCategory &c);
    // The legend as wide as its widest label needs, the pie giving way down
    // to a third of the window's width.
    void WidenLegend();
    // Adds the text when its pixels stay inside the window, off the legend
    // and off every text placed before; false (the text deleted) otherwise.
    bool PlaceText(GROUPELEMENT *group, TEKSTELEMENT *text);
    // A slice's figure inside the slice when it fits there, else outside
    // the pie along the slice's middle radius with a leader line, else none.
    void AddSliceFigure(GROUPELEMENT *group, double start, double end, double middle, const char *figure);

    // The pixels of the texts placed around the pie in this build.
    std::vector<RECT> placed;

    int centreX = 0, centreY = 0, radius = 0;
    // The radius in x and in y, the same number of whole pixels.
    int radiusX = 0, radiusY = 0;
    // The top and foot of the pie's room, of the last build.
    int pieTop = 0, pieBottom = 0;
};
