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

std::string MeanObj::Title() const
{
    const VariableInfo *info = GetDataSet() ? GetDataSet()->GetVariable(variableNumber) : nullptr;
    return "The descriptives of " + (info ? std::string(info->name) : std::to_string(variableNumber));
}

bool MeanObj::Compute()
{
    record.Reset();
    failureText.clear();
    omittedText.clear();
    try {
        return Walk();
    } catch (const std::bad_alloc &failure) {
        record.Reset();
        NoteMemoryFailure(Title(), failure);
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
    // A column the budget refuses leaves the quantile summary out; the
    // moments go on.
    bool quantiles = true;
    const auto dropQuantiles = [&](const std::bad_alloc &failure) {
        column.Clear();
        quantiles = false;
        const VariableInfo *info = GetDataSet() ? GetDataSet()->GetVariable(variableNumber) : nullptr;
        NoteOmittedFigures("The quartiles, the median and the whisker ends of " +
                               (info ? std::string(info->name) : std::to_string(variableNumber)),
                           failure);
    };
    if (walk.Ok() && GetDataSet()) {
        try {
            column.Reserve(static_cast<size_t>(GetDataSet()->GetCaseCount()), IsWeighted());
        } catch (const std::bad_alloc &failure) {
            dropQuantiles(failure);
        }
    }
    std::vector<double> x(static_cast<size_t>(walk.BlockCases())), w(x.size());
    while (walk.NextBlock()) {
        // The valid cases of the block, packed.
        const double *values = walk.Values(0), *weights = walk.Weights();
        size_t n = 0;
        for (long c = 0; c < walk.Size(); ++c) {
            if (weights[c] > 0.0 && !IsMissingValue(values[c])) {
                x[n] = values[c];
                w[n] = weights[c];
                ++n;
            }
        }
        moments.AddBlock(x.data(), w.data(), n);
        if (quantiles) {
            try {
                column.AddBlock(x.data(), w.data(), n);
            } catch (const std::bad_alloc &failure) {
                dropQuantiles(failure);
            }
        }
    }
    if (!walk.Ok()) {
        // No figures rather than figures of the cases read before the fault.
        record.Reset();
        failureText = Title() + " cannot be computed: the values cannot be read.";
        const std::string reason = walk.FailureReason();
        if (!reason.empty())
            failureText += " " + reason;
        return false;
    }
    DescribeMoments(moments, record);
    if (quantiles) {
        try {
            ComputeQuantileSummary(column, record.quantiles);
            record.hasQuantiles = true;
        } catch (const std::bad_alloc &failure) {
            dropQuantiles(failure);
        }
    }
    return true;
}
