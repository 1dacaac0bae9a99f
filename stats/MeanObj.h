// MeanObj: the descriptive statistics of one variable of a data set (the
// current one unless given), over its valid cases with the selection and
// weight of the moment: the descriptive record (definitions in
// DescriptiveKernel.h) including the seven-value quantile summary.
//
// The front end sets the statistics mask (which lines its text shows,
// default 31) and calls Compute; the record then holds every figure. The
// values are read through the variable's cursor; the quantiles hold one
// column of the valid cases while they are computed, charged to the memory
// budget (a computation that does not fit fails with its message).
// The variable number counts from 1. Whoever creates the object deletes it;
// it points to its data set (see StatClass) and owns its record.
//
// WriteMeanTable, the text of the record, is defined with the result texts
// (analyses/descriptives/MeanTableText.cpp), so this library does not depend on the
// windows; only the front ends call it.
#ifndef STATS_MEANOBJ_H
#define STATS_MEANOBJ_H

#include "stats/DescriptiveKernel.h"
#include "stats/StatClass.h"

class TXTWIN;

class MeanObj : public StatClass
{
public:
    explicit MeanObj(long variable, DATASET *dataSet = nullptr);

    // Reads the variable's valid cases and fills the record. False when the
    // variable cannot be read or the cases do not fit in memory: the record
    // then holds no case and GetFailureText says why.
    bool Compute();

    // The statistics of the mask as a two-column text (label, value), under
    // a title line naming the variable and over the report header; replaces
    // the window's text and shows it. The labels are the texts of group
    // 32 (the descriptives' group, which every caller passes); a figure
    // that cannot be computed prints as "*** ". A computation that failed
    // shows its failure text instead of the table.
    static void WriteMeanTable(MeanObj &computation, TXTWIN &window, int textGroup = 32);

    long variableNumber;
    unsigned long statisticsMask = 31;
    DescriptiveRecord record;

private:
    bool Walk();
    // "The descriptives of NAME".
    std::string Title() const;
};

#endif
