#include "stats/MeanObj.h"

#include "stats/CaseWalk.h"
#include "stats/WeightedMoments.h"

MeanObj::MeanObj(long variable, DATASET *set) : StatClass(set), variableNumber(variable)
{}

bool MeanObj::Compute()
{
    record.Reset();
    CaseWalk walk(*this, &variableNumber, 1);
    WeightedMoments moments;
    QuantileColumn column;
    while (walk.Next()) {
        if (!walk.AllValid())
            continue;
        moments.Add(walk.Value(0), walk.Weight());
        column.Add(walk.Value(0), walk.Weight());
    }
    if (!walk.Ok())
        return false;
    DescribeMoments(moments, record);
    ComputeQuantileSummary(column, record.quantiles);
    record.hasQuantiles = true;
    return true;
}
