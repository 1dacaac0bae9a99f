// The marks that stand for a missing or uncomputed result in every
// computation object of the statistics library.
//
// A figure that cannot be computed (too few cases, a zero divisor, a variable
// without variance) holds one of these values, never a NaN or an infinity;
// each text writer prints its own mark for it. Objects whose fields are read
// as floats use the largest float (stored in a double), the others the
// largest double, as each class header says.
#ifndef STATS_STATMISSING_H
#define STATS_STATMISSING_H

#include <cfloat>

// The largest float held in a double: 3.4028234663852886e38.
constexpr double kFloatMissing = static_cast<double>(FLT_MAX);
// The largest double: 1.7976931348623157e308.
constexpr double kDoubleMissing = DBL_MAX;

// True when a figure holds either mark (or anything at least as large, which
// only a mark can be).
inline bool IsNotComputed(double value)
{
    return !(value < kFloatMissing) || !(value > -kFloatMissing);
}

#endif
