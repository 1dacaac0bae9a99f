// McNemarOption and its family: McNemar's test of two dichotomies measured
// on the same cases, from the Analyses menu ("USE_MCNEMAR"). Every list-0
// variable is paired with every list-1 variable; each pair's page shows the
// 2 x 2 table of paired answers (the first variable down, the second
// across) and the exact binomial probability or the corrected chi-square.
//
// The record has no settings and an empty option window; the lists are
// prompted with texts 7 and 8 of group 36.
//
// Ownership: see PairedTestBook.h.
#pragma once

#include "analyses/paired/PairedTestBook.h"
#include "stats/PairedTests.h"

class McNemarO : public McNemar, public PairedFrontEnd
{
public:
    McNemarO(long first, long second, DATASET *dataSet) : McNemar(first, second, dataSet) {}
    // The text of the test into the front end's window.
    void WriteResultText();

    // The stub holds at most this many characters, a cell at most this many.
    static constexpr int widestStub = 25, widestCell = 20;
};

class MCNEMARWIN : public PairedTestWindow<McNemarO>
{
public:
    MCNEMARWIN(int caption, McNemarO *computation) : PairedTestWindow(caption, computation) {}
};

class McNemarPage : public AnalysisPage<McNemarO>
{
public:
    using AnalysisPage::AnalysisPage;
};

class McNemarOptionWindow : public PairedTestOptionWindow
{};

class McNemarOption : public PairedTestOption
{
public:
    static const TableDescription description;
    McNemarOption();
    ZafWindow *CreateOptionWindow() override;
    bool Run() override;
};

class McNemarBook : public PairedTestBook
{
public:
    explicit McNemarBook(McNemarOption *option) : PairedTestBook(option, 0) {}
    bool Build(long selectionHandle) override { return BuildPairs<McNemarO, MCNEMARWIN, McNemarPage>(selectionHandle); }
};
