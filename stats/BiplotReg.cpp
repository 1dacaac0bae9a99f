#include "stats/BiplotReg.h"

#include "stats/RegLineSums.h"
#include "stats/ScatterPairs.h"
#include "stats/Stat.h"
#include "stats/StatMissing.h"

BiplotReg::BiplotReg(long x, long y, StatOption *record, std::uint32_t displayWord, DATASET *data)
    : StatClass(data), option(record), xVariable(static_cast<std::uint32_t>(x)),
      yVariable(static_cast<std::uint32_t>(y)), display(displayWord)
{
    const Stat xStat(this, x, 0, kNotComputed);
    xMinimum = xStat.minimum;
    xMaximum = xStat.maximum;
    xMean = xStat.mean;
    xStandardDeviation = xStat.standardDeviation;
    xStandardError = xStat.standardError;
    const Stat yStat(this, y, 0, kNotComputed);
    yMinimum = yStat.minimum;
    yMaximum = yStat.maximum;
    yMean = yStat.mean;
    yStandardDeviation = yStat.standardDeviation;
    yStandardError = yStat.standardError;

    RegLineSums sums;
    ScatterPairs pairs(dataSet, selection, x, y);
    while (pairs.Next())
        sums.Add(pairs.X(), pairs.Y());
    r = sums.Correlation();
    slope = sums.Slope();
    intercept = sums.Intercept();
    n = sums.Count();
    t = sums.TValue();
    p = sums.Probability(true);
}
