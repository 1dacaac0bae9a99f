// TtestParBook: the paired t-test's result workbook: one page (TtestParPage)
// for every pair of a list-0 variable and a list-1 variable, list-0
// variables outermost, each titled "v<first> x v<second>" with its table
// (TTESTWIN) over its computation (TtestPar). Its one graph tool, the
// frequency polygons ("graph_freqpoly"), draws with one DuoPolyOption that
// every page shares.
//
// Ownership: as every workbook, it owns its record (a TtestParOption), its
// pages and the polygon's option record.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "analyses/paired/TtestPar.h"

class DuoPolyOption;
class TtestParOption;

class TtestParPage : public AnalysisPage<TtestPar>
{
public:
    explicit TtestParPage(const char *caption);
    // The pair's frequency polygons, whatever kind is asked: the page has
    // no other graph. None without a computation.
    ZafWindow *CreateGraphWindow(int kind, StatOption *argument) override;
};

class TtestParBook : public AnalysisBook
{
public:
    explicit TtestParBook(TtestParOption *option);

    // Builds every page from the lists of the variable-list window (the
    // record's variable-list word, non-zero when it started the record).
    // False, with no page, when there is no selection or a list is empty.
    bool Build(long selectionHandle) override;

    TtestParOption *Record() const;

private:
    DuoPolyOption *polygonOption = nullptr; // owned through the graph tool
};
