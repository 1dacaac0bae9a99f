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
// variable's, whichever is more. Figures that cannot be computed (no valid
// case: the mean, the median, the mode) print as "---".
//
// Ownership: the page owns the window; the distribution is the page's.
#pragma once

#include "shell/TXTWIN.h"

class FREQOBJ;
struct FreqCategory;

class FRWIN : public TXTWIN
{
public:
    static constexpr int textGroup = 5;
    static constexpr int minimumColumnWidth = 6;
    static constexpr int maximumColumnWidth = 40; // the option field's largest
    // The mark of a figure that cannot be computed.
    static constexpr const char *notComputedMark = "---";

    explicit FRWIN(const char *title);

    // Rewrites the table (WriteFrequencyTable).
    void WriteResult() override;
    void WriteFrequencyTable();

    FREQOBJ *distribution = nullptr; // not owned

private:
    // The table's options, widths and decimals for one writing.
    struct Layout
    {
        unsigned options;
        int L, V, C, W;      // label, value and numeric column widths; rule width
        int decimals;        // of values
        int countDecimals;   // of the frequencies
        int percentDecimals; // of percentages and the mean
        bool weighted;
        bool Shows(unsigned bit) const { return (options & bit) != 0; }
    };
    struct Totals
    {
        double validCount = 0.0; // the valid cases (weighted) for the report note
        double count = 0.0, percent = 0.0, validPercent = 0.0;
    };

    Layout MakeLayout(unsigned options, long columnWidth) const;
    void SortRecords(const Layout &layout);
    void WriteHeading(const Layout &layout);
    void WriteColumnHeadings(const Layout &layout);
    void WriteRows(const Layout &layout, Totals &totals);
    void WriteCountCell(const Layout &layout, const FreqCategory &category);
    // A real figure with the current decimals, in exponent form from 1e15 on.
    void WriteFigure(double value);
    void WriteTotals(const Layout &layout, const Totals &totals);
    void WriteMean(const Layout &layout);
    void WriteMedian(const Layout &layout);
    void WriteMode(const Layout &layout);
};
