// The two-way descriptives (breakdown) workbook and its pieces.
//
// ONEWAY: one page's computation, an OnewayObj with what the front end
// gives it: the workbook, the four graph option records and copies of the
// record's display mask, test mask and sort code. WriteBreakdownTable
// writes the page's whole text: the two variable titles, one row per group
// in the current order and the total row, then the test blocks the test
// mask asks for. The group statistics are computed once (OnewayBook); the
// quantile summaries, the analysis of variance, the variance test and the
// pairwise objects are made on first use and kept, the pairwise objects
// until the sort code changes (they follow the table's group order).
//
// ONEWAYWIN: the page's text window; WriteResult takes the record's masks
// again and rewrites the text (after every change of the options).
//
// OnewayPage: the page "v" a " x v" b; graph kinds 0-3 give the bar, box,
// confidence-interval and bar-code graphs.
//
// OnewayBook: titled by text 1 of group 32; four graph tools (bar, box,
// confidence interval, bar code) with their records; one page for every
// analysis variable of list 0 and, inside, every break variable of list 1.
//
// Ownership: the book owns its record, the graph records and the pages; a
// page owns its ONEWAY and its ONEWAYWIN; these point to the book and the
// records without owning them.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "shell/TXTWIN.h"
#include "stats/OnewayObj.h"

class Desk2grafOption;
class OnewayOption;

class ONEWAY : public OnewayObj
{
public:
    // The graph records, in the order of the tools.
    enum GraphKind { barGraph, boxGraph, confintGraph, barcodeGraph, graphKinds };

    using OnewayObj::OnewayObj;

    // The whole text of the page into the window (shown).
    void WriteBreakdownTable(TXTWIN &window);
    // The label column (the longest label) plus every shown column's width.
    int TableWidth() const;
    void WriteColumnHeadings(TXTWIN &window) const;
    void WriteGroupRow(const DescriptiveRecord &record, TXTWIN &window) const;
    void WriteVarianceTest(TXTWIN &window) const;
    // The line that says why figures hold the mark for the weights.
    void WriteWeightReasons(TXTWIN &window) const;

    WorkBook *workbook = nullptr;
    Desk2grafOption *graphOptions[graphKinds] = {};

private:
    // Which columns the display mask shows, in column order.
    bool Shows(int column) const;
    int LabelColumn() const;
    // The text of one cell of a row, as the table shows it.
    std::string CellText(const DescriptiveRecord &record, int column) const;
    // Widens each shown column to one more than its widest heading or cell.
    void WidenColumns();
};

class ONEWAYWIN : public TXTWIN
{
public:
    explicit ONEWAYWIN(const char *title) : TXTWIN(title, 0) {}
    void WriteResult() override;

    ONEWAY *computation = nullptr; // not owned
};

class OnewayPage : public AnalysisPage<ONEWAY>
{
public:
    using AnalysisPage<ONEWAY>::AnalysisPage;
    ZafWindow *CreateGraphWindow(int kind, StatOption *record) override;
};

class OnewayBook : public AnalysisBook
{
public:
    static constexpr int textGroup = 32;
    static constexpr int titleTextNumber = 1;

    explicit OnewayBook(OnewayOption *option);

    // A page for every pair of the two lists of the open variable-list
    // window. False (nothing shown) when the record was not started from a
    // variable list or either list holds no variable.
    bool Build(long selectionHandle) override;
};

// The masks and sort code of the record, copied into the computation.
void TakeBreakdownOptions(ONEWAY &computation, const OnewayOption &record);
