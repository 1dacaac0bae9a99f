// FRWIN: the text of a frequency page: the frequency table of one
// distribution (FREQOBJ) as fixed-width text, laid out by the table options
// of the distribution's workbook's FreqOption (see FreqTableOption): an
// optional heading, column headings with rules, one row per category (label,
// value, frequency, percent, valid percent, cumulative percent), the totals
// row, then mean, median and mode lines and the report note.
//
// Writing sorts the distribution's records in place (they stay in that
// order) and computes the median on first use, keeping it in the
// distribution. A distribution without a workbook is written with the saved
// frequency settings (a temporary FreqOption and FreqBook for the call).
// Weighted frequencies are written with the value decimals or the weight
// variable's, whichever is more. Figures that cannot be computed (no valid case: the mean, the median)
// print as "---".
//
// Ownership: the page owns the window; the distribution is the page's.
#pragma once

#include "shell/TXTWIN.h"

class FREQOBJ;

class FRWIN : public TXTWIN
{
public:
    static constexpr int textGroup = 5;
    static constexpr int minimumColumnWidth = 6;
    // The mark of a figure that cannot be computed.
    static constexpr const char *notComputedMark = "---";

    // The text shows in the display's fixed-width font without wrapping, so
    // its columns line up on the screen as they do in the text.
    explicit FRWIN(const char *title);

    // Rewrites the table (WriteFrequencyTable).
    void WriteResult() override;
    void WriteFrequencyTable();

    FREQOBJ *distribution = nullptr; // not owned
};
