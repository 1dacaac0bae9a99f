// XTAB: the crosstab's result workbook: one page (XtabPage) for every pair of
// a list-1 variable and a list-0 variable, list-1 variables outermost, each
// page titled "v<list-1 number> v<list-0 number>" with the text of its table
// (XTWIN) over its computation (XTABOBJECT). The bar chart is its only graph
// tool (kind 0), its option record shared by every page.
//
// Before counting, the variables with more categories than a table shows are
// offered for grouping into intervals, list by list, through the auto-recode
// offer (SetAutoRecodeOffer); a cancelled offer abandons the build.
//
// Ownership: as every workbook, it owns its record (an XtabOption), its
// pages and the bar-chart option.
#pragma once

#include "shell/WorkBook.h"

class XtabOption;

class XTAB : public WorkBook
{
public:
    // The auto-recode offer: candidates and intervals are lists ended by a 0
    // entry, one entry a variable of the list; a candidate entry is the
    // variable's number when it is offered, else -1; the offer writes the
    // chosen number of intervals into the intervals entry of each variable to
    // group (0: ungrouped). False when the user abandons the run. Without an
    // offer installed nothing is grouped.
    using AutoRecodeOffer = bool (*)(long *candidates, long *intervals, const char *title);
    // Installs the offer and answers the one before (null: none).
    static AutoRecodeOffer SetAutoRecodeOffer(AutoRecodeOffer offer);

    explicit XTAB(XtabOption *option);

    // Builds every page from the lists of the variable-list window (the
    // record's variable-list word, non-zero when it started the record).
    // False, with no page, when there is no selection, a list is empty or
    // the user abandons the grouping.
    bool Build(long selectionHandle);

    XtabOption *Record() const;
};
