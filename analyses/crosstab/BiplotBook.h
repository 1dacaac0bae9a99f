// BiplotBook: the biplot's result workbook: for every x variable (list 0)
// and, inside, every y variable (list 1) one page "v<x> x v<y>" with the
// pair's text (BIPLOTWIN) over its computation (BiplotReg); a variable may
// be paired with itself. One graph tool, the scatter plot (kind 0, no
// option record of its own: it draws with the book's record).
//
// Ownership: as every workbook, it owns its record (a BiplotOption) and its
// pages, which own their texts and computations.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "stats/BiplotReg.h"

class BiplotOption;

// A page of one pair: its graph (kind 0, the scatter plot BiplotInteractive)
// is drawn over the page's BiplotReg with the book's display word.
class BiplotPage : public AnalysisPage<BiplotReg>
{
public:
    explicit BiplotPage(const char *caption);
};

class BiplotBook : public AnalysisBook
{
public:
    explicit BiplotBook(BiplotOption *option);
    // False, with no page, when there is no selection or a list is empty.
    bool Build(long selectionHandle) override;
    BiplotOption *Record() const;
};
