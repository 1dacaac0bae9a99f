// MeanBook: the workbook of the one-way descriptives, titled by text 0 of
// group 32: one MeanPage per variable of the first variable list, in the
// order of the selection, and one graph tool, the distribution graph
// (Desk1Graph) drawn with the book's Desk1grafOption.
//
// MEAN: a variable's descriptive statistics (a MeanObj, computed once when
// the page is made) with what the front end gives it: the display mask
// (MeanObj::statisticsMask), the workbook that shows it and the book's
// graph option record.
//
// MEANWIN: the page's text: the descriptive table of its MEAN, written
// again with the record's display mask after every change of the options
// (WriteResult); the figures are not computed again.
//
// MeanPage: the page "v" + the variable number, over its MEAN; every graph
// kind it is asked for gives the one-way graph.
//
// Ownership: the book owns its record, the graph option record and the
// pages; a page owns its MEAN and its MEANWIN; the MEAN and the MEANWIN
// point to the book and the record without owning them.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "shell/TXTWIN.h"
#include "stats/MeanObj.h"

class Desk1grafOption;
class MeanOption;

class MEAN : public MeanObj
{
public:
    using MeanObj::MeanObj;
    WorkBook *workbook = nullptr;
    Desk1grafOption *graphOption = nullptr;
};

class MEANWIN : public TXTWIN
{
public:
    explicit MEANWIN(const char *title) : TXTWIN(title, 0) {}
    void WriteResult() override;

    MEAN *computation = nullptr; // not owned
};

class MeanPage : public AnalysisPage<MEAN>
{
public:
    using AnalysisPage<MEAN>::AnalysisPage;
    ZafWindow *CreateGraphWindow(int kind, StatOption *record) override;
};

class MeanBook : public AnalysisBook
{
public:
    static constexpr int textGroup = 32;
    static constexpr int titleTextNumber = 0;

    explicit MeanBook(MeanOption *option);

    // A page for every variable of the first variable list of the open
    // variable-list window. False (nothing shown) when the record was not
    // started from a variable list or the list holds no variable.
    bool Build(long selectionHandle) override;
};
