// XtabPage: one page of the crosstab workbook: the text of one pair of
// variables (an XTWIN) over its computation (an XTABOBJECT), both owned by
// the page as every page owns its result window and computation.
//
// Graph kind 0 is the bar chart of the table; until the bar-chart window
// exists the page makes no graph window for any kind.
#pragma once

#include "shell/Page.h"

class XtabPage : public Page
{
public:
    using Page::Page;

    // Null for every kind: kind 0 (the bar chart) has no window yet, and a
    // page without a cross table or a record other than the crosstab's has
    // nothing to draw.
    ZafWindow *CreateGraphWindow(int kind, StatOption *argument) override;
};
