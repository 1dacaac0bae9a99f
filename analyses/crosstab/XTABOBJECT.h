// XTABOBJECT: the cross table of one crosstab page: the counted table of
// XTABOBJ (columns from the first variable, rows from the second) and the
// workbook's bar-chart option, which every page of the workbook shares.
//
// Ownership: the page owns the object; the bar-chart option belongs to the
// workbook (its graph tool) and is only pointed to.
#pragma once

#include "stats/XTABOBJ.h"

class StatOption;
class XtabOption;

class XTABOBJECT : public XTABOBJ
{
public:
    using XTABOBJ::XTABOBJ;

    StatOption *barChartOption = nullptr; // not owned
    const XtabOption *tableRecord = nullptr; // not owned: the workbook's record
};
