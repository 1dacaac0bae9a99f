// BiplotReg: the figures of one biplot page: the minimum, maximum, mean,
// standard deviation and standard error of the mean of an x and a y
// variable, and the least-squares line of y on x with its correlation test.
//
// Deliberately mixed weighting, kept as the analysis has always shown it:
// each variable's figures come from Stat, over that variable's own valid,
// selected cases with the case weights; the line, r, t and p come from the
// valid, selected pairs counted once each, with no weight (ScatterPairs),
// as the scatter graph draws them. n is that unweighted count of pairs.
//
// Not computable figures hold kNotComputed (the largest float): the line
// and test with fewer than 2 pairs or a constant x or y (RegLineSums).
//
// Ownership: the page owns the object; the option record (not owned) is
// the workbook's. Variable numbers count from 1.
#ifndef STATS_BIPLOTREG_H
#define STATS_BIPLOTREG_H

#include <cstdint>

#include "stats/StatClass.h"

class StatOption;

class BiplotReg : public StatClass
{
public:
    // display: the record's display word now (kept as a copy).
    BiplotReg(long xVariable, long yVariable, StatOption *option, std::uint32_t display, DATASET *dataSet = nullptr);

    StatOption *option;
    std::uint32_t xVariable, yVariable;
    double xMinimum, xMaximum, yMinimum, yMaximum;
    double xMean, yMean;
    double xStandardDeviation, yStandardDeviation;
    double xStandardError, yStandardError;
    double r;
    double intercept, slope;
    double n; // valid, selected pairs
    double t;
    double p; // two-sided
    std::uint32_t display;
};

#endif
