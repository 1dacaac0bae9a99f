// WilcoxonOption and its family: the Wilcoxon signed-rank test of two
// variables measured on the same cases, from the Analyses menu
// ("USE_WILCOXON"). Every list-0 variable is paired with every list-1
// variable; each pair's page gives the counts of the differences (first
// minus second) by sign, their mean ranks and rank sums, and either the
// normal approximation or the exact test's decisions at 5 % and 1 %.
//
// The record has no settings (its Options buttons are greyed); its lists are
// headed with texts 7 and 8 of group 36, as the McNemar test's.
//
// Ownership: see PairedTestBook.h.
#pragma once

#include "analyses/paired/PairedTestBook.h"
#include "stats/PairedTests.h"

class WilcoxonO : public Wilcoxon, public PairedFrontEnd
{
public:
    WilcoxonO(long first, long second, DATASET *dataSet) : Wilcoxon(first, second, dataSet) {}
    void WriteResultText();
    // Text 33 (yes) or 34 (no) of the group.
    static std::string DecisionText(bool decision);
};

class WILCOXONWIN : public PairedTestWindow<WilcoxonO>
{
public:
    WILCOXONWIN(int caption, WilcoxonO *computation) : PairedTestWindow(caption, computation) {}
};

class WilcoxonPage : public AnalysisPage<WilcoxonO>
{
public:
    using AnalysisPage::AnalysisPage;
};

class WilcoxonOptionWindow : public PairedTestOptionWindow
{};

class WilcoxonOption : public PairedTestOption
{
public:
    static const TableDescription description;
    WilcoxonOption();
    ZafWindow *CreateOptionWindow() override;
    bool Run() override;
};

class WilcoxonBook : public PairedTestBook
{
public:
    explicit WilcoxonBook(WilcoxonOption *option) : PairedTestBook(option, 2) {}
    bool Build(long selectionHandle) override
    {
        return BuildPairs<WilcoxonO, WILCOXONWIN, WilcoxonPage>(selectionHandle);
    }
};
