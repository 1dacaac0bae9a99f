// The workbook of multiple response with dichotomies: MultrespDikoBook
// builds one page (MultrespDikoPage) over the list-0 variables, titled
// "v<a> v<b> ...", with the table (MULTDIKOWIN) of its computation
// (MultRespDiko, the counting of GMultRespDiko with the front end's fields):
// one row per variable, the cases whose value lies in the counted values.
// The bar graph is tool 0 and, on the base of answers, the pie graph tool 1.
//
// A label longer than its column is cut to keep one blank before the
// figures, so that its row's figures stay in their columns.
//
// The table follows the record at every write: a changed listwise or
// user-missing flag recounts, a changed base redoes the percentages, the
// display bits and the column width only rewrite. The first table follows
// the record's user-missing flag like every later one, so that no table
// counts values its options leave out.
//
// Ownership: the workbook owns its record, graph records and page; the page
// owns the computation and the window, which only points to it.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "shell/TXTWIN.h"
#include "stats/GMultResp.h"

class FreqbarOption;
class FreqpieOption;
class MultrespDikoOption;

class MultRespDiko : public GMultRespDiko
{
public:
    MultRespDiko(const long *variableList, int base, int missingMode, const ValueRangeList &ranges, DATASET *dataSet)
        : GMultRespDiko(variableList, base, missingMode, ranges, dataSet)
    {}
    // The table (display word, column width) into the window.
    void WriteTable(TXTWIN &window);

    FreqbarOption *barOption = nullptr; // not owned: the workbook's
    FreqpieOption *pieOption = nullptr; // not owned; null unless on the base of answers
};

class MULTDIKOWIN : public TXTWIN
{
public:
    MULTDIKOWIN(const char *title, MultRespDiko *computation) : TXTWIN(title, 0), computation(computation) {}
    // Takes the record's settings, recounts or redoes the percentages when
    // they change the figures, and writes the table.
    void WriteResult() override;

    MultRespDiko *computation; // not owned: the page deletes it
};

class MultrespDikoPage : public AnalysisPage<MultRespDiko>
{
public:
    MultrespDikoPage(const char *caption);
};

class MultrespDikoBook : public AnalysisBook
{
public:
    explicit MultrespDikoBook(MultrespDikoOption *option);
    // The page from list 0 of the variable-list window; false, with no page,
    // without a selection (handle 0, or an empty list) or data set.
    bool Build(long selectionHandle) override;
};
