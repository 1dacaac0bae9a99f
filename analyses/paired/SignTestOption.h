// SignTestOption and its family: the sign test of two variables measured on
// the same cases, from the Analyses menu ("USE_SIGNTEST"). Every list-0
// variable is paired with every list-1 variable; each pair's page counts the
// pairs whose first value is the larger and those whose first value is the
// smaller, and gives the exact binomial probability or the normal
// approximation.
//
// The record has no settings (its Options buttons are greyed); its lists are
// headed with texts 7 and 8 of group 36, as the McNemar test's.
//
// Ownership: see PairedTestBook.h.
#pragma once

#include "analyses/paired/PairedTestBook.h"
#include "stats/PairedTests.h"

class SignTestO : public SignTest, public PairedFrontEnd
{
public:
    SignTestO(long first, long second, DATASET *dataSet) : SignTest(first, second, dataSet) {}
    void WriteResultText();
};

class SIGNTESTWIN : public PairedTestWindow<SignTestO>
{
public:
    SIGNTESTWIN(int caption, SignTestO *computation) : PairedTestWindow(caption, computation) {}
};

class SignTestPage : public AnalysisPage<SignTestO>
{
public:
    using AnalysisPage::AnalysisPage;
};

class SignTestOptionWindow : public PairedTestOptionWindow
{};

class SignTestOption : public PairedTestOption
{
public:
    static const TableDescription description;
    SignTestOption();
    ZafWindow *CreateOptionWindow() override;
    bool Run() override;
};

class SignTestBook : public PairedTestBook
{
public:
    explicit SignTestBook(SignTestOption *option) : PairedTestBook(option, 1) {}
    bool Build(long selectionHandle) override
    {
        return BuildPairs<SignTestO, SIGNTESTWIN, SignTestPage>(selectionHandle);
    }
};
