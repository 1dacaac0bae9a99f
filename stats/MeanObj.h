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
#ifndef STATS_MEANOBJ_H
#define STATS_MEANOBJ_H

#include "stats/DescriptiveKernel.h"
#include "stats/StatClass.h"

class MeanObj : public StatClass
{
public:
    explicit MeanObj(long variable, DATASET *dataSet = nullptr);

    // Reads the variable's valid cases and fills the record. False when the
    // variable cannot be read (the record then holds no case).
    bool Compute();

    long variableNumber;
    unsigned long statisticsMask = 31;
    DescriptiveRecord record;

private:
    bool Walk();
};

#endif
