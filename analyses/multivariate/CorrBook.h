// CorrBook: the correlation's result workbook: one page (a CorrPage over
// a Corr) with the matrix text of every selected variable (CORRWIN),
// named "v" and " v<number>" per variable, and the matrix plot as its only
// graph tool (kind 0, its record a MatplotOption the book makes).
//
// Corr: the page's computation, a CorrObj that also keeps its book and the
// book's matrix-plot record (neither owned).
//
// Ownership: as every workbook, it owns its record (a CorrOption), its page
// and the matrix-plot record.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "stats/CorrObj.h"

class CorrOption;
class MatplotOption;

class Corr : public CorrObj
{
public:
    Corr(const long *variables, int missingMode, WorkBook *book, MatplotOption *matplot)
        : CorrObj(variables, missingMode), book(book), matplotOption(matplot)
    {}
    WorkBook *book;
    MatplotOption *matplotOption;
};

// CorrPage: the correlation's page; the graph it makes, whatever kind is
// asked for, is the matrix plot of its Corr (none without one).
class CorrPage : public AnalysisPage<Corr>
{
public:
    explicit CorrPage(const char *caption) : AnalysisPage(caption) {}
    ZafWindow *CreateGraphWindow(int kind, StatOption *record) override;
};

class CorrBook : public AnalysisBook
{
public:
    explicit CorrBook(CorrOption *option);
    // Builds the page from list 0 of the variable-list window; false, with
    // no page, when there is no selection or it is empty.
    bool Build(long selectionHandle) override;
    CorrOption *Record() const;
};
