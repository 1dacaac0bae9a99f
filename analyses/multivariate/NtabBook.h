// NtabBook: the n-way table's workbook: one page (NtabPage) for every
// combination of a control variable of list 2, of list 3 (when it holds
// any) and of list 4 (when lists 3 and 4 both do), and a dependent variable
// of list 1 (only the first one when list 1 is one multiple-response set).
// A page is named "V<dependent> " (nothing for a set), " *  " and the
// control variables' numbers joined by blanks. A set whose variables do not
// share their category labels and missing values gives one page that says
// which differ.
//
// NTABWIN: the text of one page, rewritten from its NTAB at every update
// with the record's display word and layer count (the dimensions stay those
// of the run); its cell width starts at 8 (defaultCellWidth).
//
// Ownership: the book owns the record and its pages; a page owns its window
// and its NTAB; the window only points to them.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "analyses/multivariate/NTAB.h"
#include "shell/TXTWIN.h"

class NtabOption;

class NTABWIN : public TXTWIN
{
public:
    // book may be null (the NTAB's own display word and layer count then).
    NTABWIN(const char *title, WorkBook *book, NTAB *table);
    void WriteResult() override;

private:
    WorkBook *book; // not owned
    NTAB *table;    // not owned: the page deletes it
};

class NtabPage : public AnalysisPage<NTAB>
{
public:
    explicit NtabPage(const char *caption) : AnalysisPage<NTAB>(caption) {}
};

class NtabBook : public AnalysisBook
{
public:
    static constexpr long defaultCellWidth = 8;
    explicit NtabBook(NtabOption *option);
    // Builds the pages from the lists of the variable-list window; false,
    // with no page, when list 1 or 2 is empty or there is no data set.
    bool Build(long selectionHandle) override;
    NtabOption *Option() const;
    // "v12 * v7", "v1, v2, v3 * v7, v8" and the like, cut with ".." (the
    // rows first) past captionLength.
    static std::string PageName(const std::vector<long> &rows, const std::vector<long> &controls);
};
