// The mark of a missing or uncomputed figure in the statistics library.
//
// A figure that cannot be computed (too few cases, a zero divisor, a variable
// without variance, a probability of a statistic that is not there) holds
// kNotComputed, never a NaN, an infinity or a code of its own; the result
// texts print it as "---". It is the largest float held in a double, so that
// it survives a trip through a float field unchanged.
#ifndef STATS_STATMISSING_H
#define STATS_STATMISSING_H

#include <cfloat>
#include <limits>

// 3.4028234663852886e38.
constexpr double kNotComputed = static_cast<double>(FLT_MAX);

// The midpoint of two values, also of two near the largest double whose
// sum overflows.
inline double Midpoint(double a, double b)
{
    const double m = (a + b) / 2.0;
    return (m - m == 0.0) ? m : a / 2.0 + b / 2.0;
}

// True for the mark and for anything at least as large, which only a mark
// can be: the value lists give the largest double for a system-missing value.
inline bool IsNotComputed(double value)
{
    return !(value < kNotComputed) || !(value > -kNotComputed);
}

// The mark the case walks (CaseBlockWalk, the multiple-response rows) give
// for a missing value of a case. A NaN: the data-set reader refuses NaN in
// a stored column, so no value read from a file is ever the mark, and every
// finite value up to the largest double stays a value. IsNotComputed is
// also true for it, so a test written for the figure mark still leaves a
// missing value out.
constexpr double kMissingValue = std::numeric_limits<double>::quiet_NaN();

// True for kMissingValue only, never for a value read from a data set.
inline bool IsMissingValue(double value)
{
    return value != value;
}

#endif
