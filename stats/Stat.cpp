#include "stats/Stat.h"

#include <cmath>
#include <new>

#include "dataset/DATASET.h"
#include "stats/CaseWalk.h"
#include "stats/DescriptiveKernel.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

namespace {

// Walks the cases valid in the variable (and in the partner when there is
// one) whose value is below the limit (every value when the limit is
// kNotComputed), calling use(value, weight). False when a variable cannot
// be read.
template <typename Use> bool WalkCases(StatClass *computation, long variable, long partner, double limit, Use use)
{
    if (!computation)
        return false;
    // The mark stands for no limit: a valid value may be above it.
    const bool limited = limit != kNotComputed;
    const long variables[2] = {variable, partner};
    CaseWalk walk(*computation, variables, partner ? 2 : 1);
    while (walk.Next()) {
        const double v = walk.Value(0);
        if (walk.AllValid() && (!limited || v < limit))
            use(v, walk.Weight());
    }
    return walk.Ok();
}

} // namespace

Stat::Stat(StatClass *computation, long xVariable, long yVariable, double limit)
    : minimum(kNotComputed), maximum(kNotComputed), mean(kNotComputed), standardDeviation(kNotComputed),
      standardError(kNotComputed), n(0.0), validCount(0), integerData(true)
{
    WeightedMoments m;
    bool whole = true;
    const bool read = WalkCases(computation, xVariable, yVariable, limit, [&](double v, double w) {
        m.Add(v, w);
        whole = whole && v == std::floor(v);
    });
    if (!read)
        return;
    validCount = m.Count();
    n = m.Weight();
    if (m.Count() == 0)
        return;
    integerData = whole;
    minimum = m.Minimum();
    maximum = m.Maximum();
    mean = m.Mean();
    standardDeviation = m.StandardDeviation();
    if (standardDeviation != kNotComputed)
        standardError = std::sqrt(standardDeviation * standardDeviation / n);
}

Stat::~Stat()
{}

GroupedMedian::GroupedMedian(StatClass *computation, long variable, long partner, double limit)
{
    for (double &v : summary_)
        v = kNotComputed;
    try {
        // A 1- or 2-byte variable counted by value; any other column with
        // room for every case at once, so it never holds two copies.
        QuantileColumn column;
        const VariableInfo *info =
            computation && computation->GetDataSet() ? computation->GetDataSet()->GetVariable(variable) : nullptr;
        if (info)
            CountStoredValues(column, info->storageType, computation->IsWeighted());
        if (computation && computation->GetDataSet())
            column.Reserve(static_cast<size_t>(computation->GetDataSet()->GetCaseCount()), computation->IsWeighted());
        if (WalkCases(computation, variable, partner, limit, [&](double v, double w) { column.Add(v, w); }))
            ComputeQuantileSummary(column, summary_);
    } catch (const std::bad_alloc &) {
        // Not fitting the budget: the summary stays not computed.
        for (double &v : summary_)
            v = kNotComputed;
    }
}

GroupedMedian::~GroupedMedian()
{}

void GroupedMedian::GetSummary(double summary[7]) const
{
    for (int i = 0; i < 7; ++i)
        summary[i] = summary_[i];
}
