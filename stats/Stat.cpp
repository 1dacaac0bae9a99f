#include "stats/Stat.h"

#include <cmath>
#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

Stat::Stat(StatClass *computation, long xVariable, long yVariable, double limit)
    : minimum(kFloatMissing), maximum(kFloatMissing), mean(kFloatMissing),
      standardDeviation(kFloatMissing), standardError(kFloatMissing), n(0.0), validCount(0),
      integerData(true)
{
    std::vector<WeightedValue> cases;
    if (!computation || !computation->CollectCases(xVariable, yVariable, limit, cases))
        return;
    DescriptiveRecord d;
    ComputeDescriptives(cases.data(), cases.size(), d);
    validCount = d.count;
    n = d.weightedCount;
    if (d.count == 0)
        return;
    minimum = d.minimum;
    maximum = d.maximum;
    mean = d.mean;
    for (const WeightedValue &c : cases)
        integerData = integerData && c.value == std::floor(c.value);
    if (d.standardDeviation != kFloatMissing) {
        standardDeviation = d.standardDeviation;
        standardError = std::sqrt(d.standardDeviation * d.standardDeviation / n);
    }
}

Stat::~Stat()
{
}

GroupedMedian::GroupedMedian(StatClass *computation, long variable, long partner, double limit)
{
    for (double &v : summary_)
        v = kFloatMissing;
    std::vector<WeightedValue> cases;
    if (computation && computation->CollectCases(variable, partner, limit, cases))
        ComputeQuantileSummary(cases, summary_);
}

GroupedMedian::~GroupedMedian()
{
}

void GroupedMedian::GetSummary(double summary[7]) const
{
    for (int i = 0; i < 7; ++i)
        summary[i] = summary_[i];
}
