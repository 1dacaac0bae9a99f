#include "stats/RegLineSums.h"

#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {
// Below this a spread counts as zero: every x (or y) is the same.
constexpr double spreadFloor = 1e-30;
// A correlation this close to 1 is taken as exact: its probability is 0.
constexpr double perfectCorrelation = 0.999999999999999;
} // namespace

void RegLineSums::Reset()
{
    sumX = sumY = sumXX = sumYY = sumXY = n = 0.0;
    sx = sy = 0.0;
    oneSided = twoSided = 1.0;
    oneSidedCached = twoSidedCached = computed = degenerate = 0;
}

void RegLineSums::Compute()
{
    if (n < 2.0)
        return;
    sx = n * sumXX - sumX * sumX;
    sy = n * sumYY - sumY * sumY;
    // NaN (sums overflowed) counts as degenerate as well.
    degenerate = !(sx >= spreadFloor) || !(sy >= spreadFloor) ? 1 : 0;
    computed = 1;
}

bool RegLineSums::Usable()
{
    if (!computed)
        Compute();
    return computed && !degenerate;
}

double RegLineSums::Correlation()
{
    if (!Usable())
        return kNotComputed;
    const double r = (n * sumXY - sumX * sumY) / std::sqrt(sy * sx);
    // Rounding can carry |r| a hair past 1; the line and t need |r| <= 1.
    return r > 1.0 ? 1.0 : (r < -1.0 ? -1.0 : r);
}

double RegLineSums::Slope()
{
    if (!Usable())
        return kNotComputed;
    return Correlation() * std::sqrt(sy) / std::sqrt(sx);
}

double RegLineSums::Intercept()
{
    if (!Usable())
        return kNotComputed;
    return sumY / n - Slope() * sumX / n;
}

double RegLineSums::TValue()
{
    if (!Usable())
        return kNotComputed;
    const double r = Correlation();
    if (std::fabs(r) >= 1.0)
        return kNotComputed;
    return r * std::sqrt((n - 2.0) / (1.0 - r * r));
}

double RegLineSums::Probability(bool twoSidedTest)
{
    if (n < 3.0 || !Usable())
        return 1.0;
    std::uint8_t &cached = twoSidedTest ? twoSidedCached : oneSidedCached;
    double &p = twoSidedTest ? twoSided : oneSided;
    if (cached)
        return p;
    const double r = Correlation();
    if (std::fabs(r) > perfectCorrelation)
        p = 0.0;
    else
        p = StudentTailProbability(TValue(), std::trunc(n - 2.0), twoSidedTest ? 1 : 0);
    cached = 1;
    return p;
}
