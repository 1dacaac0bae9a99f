// The workbook of multiple response with category coding: MultrespFreqBook
// builds one page (MultrespFreqPage) over the list-0 variables, titled
// "v<a> v<b> ...", with the table (MULTFREQWIN) of its computation
// (MultRespFreq, the counting of GMultRespFreq with the front end's
// fields); the bar graph is tool 0 and, on the base of answers, the pie
// graph tool 1. Variables that do not share their category labels and
// missing values get a page that says why instead of a table.
//
// The label column is as wide as the longest label and two blanks, at
// least 31 and at most 81 characters; only a label longer than that is cut
// (ending in "..") to keep its row's figures in their columns.
//
// The table follows the record at every write: a changed percentage base,
// listwise flag or user-missing flag recounts first; display bits and the
// column width only rewrite. The first table follows the record's
// user-missing flag like every later one.
//
// Both multiple-response front ends (this one and MULTDIKOWIN's dichotomies)
// share from here the table layout (WriteMultrespTable), the taking of the
// record's settings (TakeMultrespSettings), the page with its graph tools
// (AddMultrespPage) and its graphs.
//
// Ownership: the workbook owns its record, graph records and page; the page
// owns the computation and the window, which only points to it.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "graphs/FreqGraphOption.h"
#include "shell/TXTWIN.h"
#include "stats/GMultResp.h"

#include <string>
#include <vector>

class MultrespFreqOption;

// The width of the count and percent columns of a multiple-response table
// of the distribution r: the record's column width, widened to two more
// than the widest heading and figure.
int MultrespCellWidth(const FREQOBJ *r, bool weighted, long columnWidth, int decimals, int percentDecimals);

// The label column of the distribution r's table: its longest label (or
// heading) and two blanks, between labelWidth and widestLabelWidth.
int MultrespLabelWidth(const FREQOBJ *r);

// Where the two multiple-response tables differ around the layout they
// share (WriteMultrespTable).
struct MultrespTableShape
{
    static constexpr int labelWidth = 31, widestLabelWidth = 81, leastCodeWidth = 6;
    // With the code bit: the code column's width, or, without a code
    // column, the width the rules still take for it.
    int codeWidth = leastCodeWidth;
    bool codeColumn = false;
    // With the code bit: a line above the heading (the dichotomies' counted
    // values), followed by a blank line; "" for none.
    std::string codeLine;
    // The total row and the report footer under the table.
    bool totals = true;
};

// The table of a multiple-response count into the window, with the count's
// display word and column width: a line end, the variables with their
// captions, the heading, one row a category (label, code, count, percent;
// a category without a percentage shows "-" and adds nothing to the
// percent total), the total row and the report footer, between rules as
// wide as the columns shown.
void WriteMultrespTable(TXTWIN &w, GMultResp &table, const MultrespTableShape &shape);

// What a record's changed settings change of a multiple-response count.
struct MultrespChange
{
    bool base = false;        // the percentage base
    bool userMissing = false; // whether user-missing values count
};
// Copies the display word, percentage base, user-missing flag and column
// width of either multiple-response record into the count.
template <class Record> MultrespChange TakeMultrespSettings(GMultResp &count, const Record &record)
{
    MultrespChange change;
    const bool userMissing = record.includeUserMissing != 0;
    change.base = count.percentageBase != record.percentageBase;
    change.userMissing = count.includeUserMissing != userMissing;
    count.displayWord = static_cast<unsigned long>(record.display);
    count.percentageBase = static_cast<int>(record.percentageBase);
    count.includeUserMissing = userMissing;
    count.columnWidth = record.ColumnWidth();
    return change;
}

// The graphs of a multiple-response page over its count: kind 0 the bar
// graph, 1 the pie graph of the count's distribution (none without one).
ZafWindow *MultrespGraph(int kind, FREQOBJ *result, FreqbarOption *barOption, FreqpieOption *pieOption);
template <class Count> ZafWindow *MultrespBarGraph(Count *count)
{
    return MultrespGraph(0, count->Result(), count->barOption, count->pieOption);
}
template <class Count> ZafWindow *MultrespPieGraph(Count *count)
{
    return MultrespGraph(1, count->Result(), count->barOption, count->pieOption);
}

// The list's variable numbers, 0-terminated, and the caption of their one
// page, "v<a> v<b> ...".
std::vector<long> MultrespVariables(const AnalysisBook::ListChoice &list, std::string &caption);

// The one page of a multiple-response book, captioned caption, over the
// count (the page owns it) with its window of class Window titled by that
// text of group 6, and the book's graph tools: the bar graph (tool 0) and,
// on the base of answers, the pie graph (tool 1). The count keeps the book
// and the tools' records (the pie graph's null without it), the book's.
template <class Window, class PageType, class Count>
void AddMultrespPage(AnalysisBook &book, Count *count, int title, const std::string &caption, long base)
{
    count->workbook = &book;
    count->barOption = new FreqbarOption;
    count->pieOption = base == multrespOfAnswers ? new FreqpieOption : nullptr;
    GraphOption *const records[] = {count->barOption, count->pieOption};
    book.AddGraphTools(freqToolRows, records, count->pieOption ? 2 : 1);
    auto *text = new Window(StatText(title, multrespTextGroup), count);
    auto *page = new PageType(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(count);
    text->Update();
    book.AddPage(page);
}

class MultRespFreq : public GMultRespFreq
{
public:
    MultRespFreq(const long *variableList, int base, int pairwise, DATASET *dataSet)
        : GMultRespFreq(variableList, base, pairwise, 0, 0, dataSet)
    {}
    // The table (display word, column width) into the window.
    void WriteTable(TXTWIN &window);
    // The width of the code column: at least leastCodeWidth, two more than
    // the widest heading and code.
    int CodeWidth(int decimals) const;

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
