// The workbook of multiple response with category coding: MultrespFreqBook
// builds one page (MultrespFreqPage) over the list-0 variables, titled
// "v<a> v<b> ...", with the table (MULTFREQWIN) of its computation
// (MultRespFreq, the counting of GMultRespFreq with the front end's
// fields); the bar graph is tool 0 and, on the base of answers, the pie
// graph tool 1. Variables that do not share their category labels and
// missing values get a page that says why instead of a table.
//
// A label longer than its column is cut to keep one blank before the
// figures (mended: a long label pushed its row's figures out of their
// columns).
//
// The table follows the record at every write: a changed percentage base,
// listwise flag or user-missing flag recounts first; display bits and the
// column width only rewrite. Mended fault: the first table was counted
// without user-missing values whatever the record said; it now follows the
// record like every later one.
//
// Ownership: the workbook owns its record, graph records and page; the page
// owns the computation and the window, which only points to it.
#pragma once

#include "analyses/AnalysisBook.h"
#include "shell/TXTWIN.h"
#include "stats/GMultResp.h"

class FreqbarOption;
class FreqpieOption;
class MultrespFreqOption;

// The width of the count and percent columns of a multiple-response table
// of the distribution r: the record's column width, widened to one more
// than the widest heading and figure.
int MultrespCellWidth(const FREQOBJ *r, bool weighted, long columnWidth, int decimals, int percentDecimals);

class MultRespFreq : public GMultRespFreq
{
public:
    MultRespFreq(const long *variableList, int base, int pairwise, DATASET *dataSet)
        : GMultRespFreq(variableList, base, pairwise, 0, 0, dataSet)
    {}
    // The table (display word, column width) into the window.
    void WriteTable(TXTWIN &window);
    // The width of the code column: at least codeWidth, one more than the
    // widest heading and code.
    int CodeWidth(int decimals) const;

    static constexpr int labelWidth = 31, codeWidth = 6;
    FreqbarOption *barOption = nullptr; // not owned: the workbook's
    FreqpieOption *pieOption = nullptr; // not owned; null on the base of cases
};

class MULTFREQWIN : public TXTWIN
{
public:
    MULTFREQWIN(const char *title, MultRespFreq *computation) : TXTWIN(title, 0), computation(computation) {}
    // Takes the record's settings, recounts when they change the figures,
    // and writes the table.
    void WriteResult() override;

    MultRespFreq *computation; // not owned: the page deletes it
};

class MultrespFreqPage : public AnalysisPage<MultRespFreq>
{
public:
    MultrespFreqPage(const char *caption);
};

class MultrespFreqBook : public AnalysisBook
{
public:
    explicit MultrespFreqBook(MultrespFreqOption *option);
    // The page from list 0 of the variable-list window; false, with no page,
    // without a selection (handle 0, or an empty list) or data set.
    bool Build(long selectionHandle) override;
};
