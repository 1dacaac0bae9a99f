// BattFreqBook: the battery frequencies' workbook: one page (BattFreqPage,
// no graph) titled "v<a>, v<b>, ..." over the battery (BattFreqObj) of the
// list-0 variables, at least two, with its table (BattFrWin).
//
// Before counting, the items are checked for the same category labels;
// when they differ the user is asked whether to go on with the first
// item's categories.
//
// BattFreqObj holds one frequency distribution per item, in selection
// order; the first is the reference whose categories make the columns.
// Every item is counted by its values alone, so the columns are headed by
// the reference's codes.
//
// Ownership: the workbook owns its record and page; the page owns the
// battery and its table; the battery owns its distributions.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "stats/FREQOBJ.h"
#include "stats/StatClass.h"

#include <vector>

class BattFreqOption;

class BattFreqObj : public StatClass
{
public:
    BattFreqObj(WorkBook *book, DATASET *dataSet) : StatClass(dataSet), book(book) {}
    ~BattFreqObj() override
    {
        for (FREQOBJECT *item : items)
            delete item;
    }

    WorkBook *book; // not owned
    std::vector<FREQOBJECT *> items;
};

class BattFreqPage : public AnalysisPage<BattFreqObj>
{
public:
    using AnalysisPage::AnalysisPage;
};

class BattFreqBook : public AnalysisBook
{
public:
    explicit BattFreqBook(BattFreqOption *option);
    // The page from list 0 of the variable-list window (the record's
    // variable-list word, non-zero when it started the record). False, with
    // no page, without a selection or data set, with fewer than two items,
    // or when the user declines to go on with items labelled differently.
    // Fewer than two items are told to the user (tooFewItemsText); both that
    // and a declined question count as a cancelled run, which the
    // variable-list window does not report again as a failure.
    bool Build(long selectionHandle) override;

    static constexpr const char *tooFewItemsText =
        "Battery frequencies need at least two variables that share their answer categories.";
};
