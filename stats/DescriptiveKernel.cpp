#include "stats/DescriptiveKernel.h"

#include <algorithm>
#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

void QuantileColumn::Add(double value, double weight)
{
    if (!(weight > 0.0))
        return;
    if (weight != 1.0 && !weighted) {
        cases.reserve(values.size() + 1);
        for (double v : values)
            cases.push_back({v, 1.0});
        std::vector<double>().swap(values);
        weighted = true;
    }
    if (weighted)
        cases.push_back({value, weight});
    else
        values.push_back(value);
    total += weight;
}

void QuantileColumn::Sort()
{
    if (weighted)
        std::stable_sort(cases.begin(), cases.end(),
                         [](const WeightedValue &a, const WeightedValue &b) { return a.value < b.value; });
    else
        std::sort(values.begin(), values.end());
}

void QuantileColumn::Clear()
{
    std::vector<double>().swap(values);
    std::vector<WeightedValue>().swap(cases);
    weighted = false;
    total = 0.0;
}

void DescriptiveRecord::Reset()
{
    count = 0;
    weightedCount = 0.0;
    minimum = maximum = sum = mean = standardDeviation = kNotComputed;
    lower95 = upper95 = lower99 = upper99 = kNotComputed;
    skewness = kurtosis = kNotComputed;
    hasQuantiles = false;
    for (double &q : quantiles)
        q = kNotComputed;
}

void DescriptiveRecord::SetSevenToMaxFloat()
{
    for (double &q : quantiles)
        q = kNotComputed;
    hasQuantiles = true;
}

namespace {

void ConfidenceLimits(double mean, double sd, double n, double level, double &lower, double &upper)
{
    const double t = StudentQuantile(1.0 - (1.0 - level) / 2.0, n - 1.0);
    if (t == kNotComputed) {
        lower = upper = kNotComputed;
        return;
    }
    // The standard error first: t * sd overflows for a spread near the
    // largest double whose limits are still doubles.
    const double half = t * (sd / std::sqrt(n));
    lower = mean - half;
    upper = mean + half;
}

} // namespace

void DescribeMoments(const WeightedMoments &m, DescriptiveRecord &record)
{
    // The quantile summary, label and break value are not the moments' to
    // change.
    const bool hadQuantiles = record.hasQuantiles;
    double saved[7];
    std::copy(record.quantiles, record.quantiles + 7, saved);
    const std::string label = record.label;
    const double breakValue = record.breakValue;
    record.Reset();
    record.label = label;
    record.breakValue = breakValue;
    record.hasQuantiles = hadQuantiles;
    std::copy(saved, saved + 7, record.quantiles);

    record.count = m.Count();
    record.weightedCount = m.Weight();
    if (m.Count() == 0)
        return;
    record.minimum = m.Minimum();
    record.maximum = m.Maximum();
    record.sum = m.Sum();
    record.mean = m.Mean();
    record.standardDeviation = m.StandardDeviation();
    if (record.standardDeviation == kNotComputed)
        return;
    const double n = m.Weight();
    ConfidenceLimits(record.mean, record.standardDeviation, n, 0.95, record.lower95, record.upper95);
    ConfidenceLimits(record.mean, record.standardDeviation, n, 0.99, record.lower99, record.upper99);
    record.skewness = m.Skewness();
    record.kurtosis = m.Kurtosis();
}

void ComputeDescriptives(const WeightedValue *cases, size_t count, DescriptiveRecord &record)
{
    WeightedMoments m;
    for (size_t i = 0; i < count; ++i)
        m.Add(cases[i].value, cases[i].weight);
    DescribeMoments(m, record);
}

double SortedQuantile(const QuantileColumn &sorted, double p)
{
    const size_t size = sorted.Size();
    const double totalWeight = sorted.TotalWeight();
    if (size == 0 || !(totalWeight > 0.0))
        return kNotComputed;
    const double target = p * totalWeight;
    const double tolerance = 1e-12 * totalWeight;
    double cumulative = 0.0;
    for (size_t i = 0; i < size; ++i) {
        cumulative += sorted.Weight(i);
        if (cumulative >= target - tolerance) {
            if (std::fabs(cumulative - target) <= tolerance && i + 1 < size)
                return (sorted.Value(i) + sorted.Value(i + 1)) / 2.0;
            return sorted.Value(i);
        }
    }
    return sorted.Value(size - 1);
}

void ComputeQuantileSummary(QuantileColumn &column, double summary[7])
{
    for (int i = 0; i < 7; ++i)
        summary[i] = kNotComputed;
    const size_t size = column.Size();
    if (size == 0)
        return;
    column.Sort();
    const double minimum = column.Value(0);
    const double maximum = column.Value(size - 1);
    summary[5] = minimum;
    summary[6] = maximum;
    if (minimum == maximum) {
        for (int i = 0; i < 5; ++i)
            summary[i] = minimum;
        return;
    }
    const double q1 = SortedQuantile(column, 0.25);
    const double q3 = SortedQuantile(column, 0.75);
    summary[0] = q1;
    summary[1] = SortedQuantile(column, 0.5);
    summary[2] = q3;
    const double iqr = q3 - q1;
    const double lowFence = q1 - iqr;
    const double highFence = q3 + iqr;
    for (size_t i = 0; i < size; ++i) {
        if (column.Value(i) >= lowFence) {
            summary[3] = column.Value(i);
            break;
        }
    }
    for (size_t i = size; i-- > 0;) {
        if (column.Value(i) <= highFence) {
            summary[4] = column.Value(i);
            break;
        }
    }
}

void ComputeQuantileSummary(const std::vector<WeightedValue> &cases, double summary[7])
{
    QuantileColumn column;
    for (const WeightedValue &c : cases)
        column.Add(c.value, c.weight);
    ComputeQuantileSummary(column, summary);
}
