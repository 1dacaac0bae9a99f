#include "stats/MeanObj.h"

#include <new>
#include <string>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

MeanObj::MeanObj(long variable, DATASET *set) : StatClass(set), variableNumber(variable)
{}

bool MeanObj::Compute()
{
    record.Reset();
    try {
        return Walk();
    } catch (const std::bad_alloc &failure) {
        record.Reset();
        const VariableInfo *info = GetDataSet() ? GetDataSet()->GetVariable(variableNumber) : nullptr;
        NoteMemoryFailure("The descriptives of " + (info ? std::string(info->name) : std::to_string(variableNumber)),
                          failure);
        return false;
    }
}

bool MeanObj::Walk()
{
    CaseBlockWalk walk(*this, &variableNumber, 1);
    WeightedMoments moments;
    QuantileColumn column;
    // A 1- or 2-byte variable is counted by value; any other column has
    // room for every case at once: a column that doubled as it grew would
    // hold two copies for a moment.
    if (walk.Ok())
        CountStoredValues(column, walk.List(0).storageType, IsWeighted());
    if (walk.Ok() && GetDataSet())
        column.Reserve(static_cast<size_t>(GetDataSet()->GetCaseCount()), IsWeighted());
    std::vector<double> x(static_cast<size_t>(walk.BlockCases())), w(x.size());
    while (walk.NextBlock()) {
        // The valid cases of the block, packed.
        const double *values = walk.Values(0), *weights = walk.Weights();
        size_t n = 0;
        for (long c = 0; c < walk.Size(); ++c) {
            if (weights[c] > 0.0 && !IsNotComputed(values[c])) {
                x[n] = values[c];
                w[n] = weights[c];
                ++n;
            }
        }
        moments.AddBlock(x.data(), w.data(), n);
        column.AddBlock(x.data(), w.data(), n);
    }
    if (!walk.Ok())
        return false;
    DescribeMoments(moments, record);
    ComputeQuantileSummary(column, record.quantiles);
    record.hasQuantiles = true;
    return true;
}
