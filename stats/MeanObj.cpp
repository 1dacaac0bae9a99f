#include "stats/MeanObj.h"

#include <vector>

#include "stats/StatMissing.h"

MeanObj::MeanObj(long variable, DATASET *set) : StatClass(set), variableNumber(variable)
{
}

bool MeanObj::Compute()
{
    record.Reset();
    std::vector<WeightedValue> cases;
    if (!CollectCases(variableNumber, 0, kDoubleMissing, cases))
        return false;
    ComputeDescriptives(cases.data(), cases.size(), record);
    ComputeQuantileSummary(cases, record.quantiles);
    record.hasQuantiles = true;
    return true;
}
