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

// 3.4028234663852886e38.
constexpr double kNotComputed = static_cast<double>(FLT_MAX);

// True for the mark and for anything at least as large, which only a mark
// can be: the value lists give the largest double for a system-missing value.
inline bool IsNotComputed(double value)
{
    return !(value < kNotComputed) || !(value > -kNotComputed);
}

#endif
