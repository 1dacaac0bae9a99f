// FreqBook: the frequency table's workbook, one FreqPage per variable of
// the first variable list, titled by text 0 of group 5; its graph tools are
// the bar graph (tool 0) and the pie graph (tool 1).
//
// FreqPage: one variable's page ("v" + the variable number): its
// distribution (a FREQOBJECT) and its table text (FRWIN); its graph kinds
// make a FREQBAR and a FREQPIE with the book's graph records.
//
// Ownership: the book owns its record (a FreqOption), the graph option
// records and the pages; a page owns its distribution and its text window.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "stats/FREQOBJ.h"

class DATASET;
class FreqOption;
class FreqbarOption;
class FreqpieOption;

// The tools of the frequency table's bar and pie graphs, which the
// multiple-response tables show too.
extern const GraphToolRow freqToolRows[2];

class FreqBook : public AnalysisBook
{
public:
    static constexpr int textGroup = 5;
    static constexpr int titleTextNumber = 0;

    explicit FreqBook(FreqOption *option);

    // Builds a page for every variable of the first variable list of the
    // open variable-list window, offering the variables with too many
    // values for grouping first. False (nothing shown) when there is no
    // variable list or selection, or the grouping dialog was cancelled.
    bool Build(long selectionHandle) override;

private:
    // Counts variable i of the list (grouped as the offer chose) into a page
    // of its own.
    void AddVariablePage(DATASET *dataSet, ListChoice &list, int i, FreqbarOption *barOption, FreqpieOption *pieOption);
};

// Kind 0 the bar graph, 1 the pie graph.
using FreqPage = AnalysisPage<FREQOBJECT>;
