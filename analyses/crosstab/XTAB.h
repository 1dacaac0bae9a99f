// XTAB: the crosstab's result workbook: one page (XtabPage) for every pair of
// a list-1 variable and a list-0 variable, list-1 variables outermost, each
// page titled "v<list-1 number> v<list-0 number>" with the text of its table
// (XTWIN) over its computation (XTABOBJECT). The bar chart is its only graph
// tool (kind 0), its option record shared by every page.
//
// Before counting, the variables with more categories than a table shows are
// offered for grouping into intervals, list by list, through the auto-recode
// offer (AnalysisBook::SetAutoRecodeOffer); a cancelled offer abandons the build.
//
// Ownership: as every workbook, it owns its record (an XtabOption), its
// pages and the bar-chart option.
#pragma once

#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/kit/AnalysisBook.h"

class XtabOption;

// XtabPage: one crosstab page; its graph kind 0 is the bar chart of its
// table (XtabSoyle), every other kind none.
class XtabPage : public AnalysisPage<XTABOBJECT>
{
public:
    explicit XtabPage(const char *caption);
};

class XTAB : public AnalysisBook
{
public:
    explicit XTAB(XtabOption *option);

    // Builds every page from the lists of the variable-list window (the
    // record's variable-list word, non-zero when it started the record).
    // False, with no page, when there is no selection or data set, a list is
    // empty or the user abandons the grouping.
    bool Build(long selectionHandle) override;

    XtabOption *Record() const;
};
