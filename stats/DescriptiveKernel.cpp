#include "stats/DescriptiveKernel.h"

#include <algorithm>
#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

void DescriptiveRecord::Reset()
{
    count = 0;
    weightedCount = 0.0;
    minimum = maximum = sum = mean = standardDeviation = kFloatMissing;
    lower95 = upper95 = lower99 = upper99 = kFloatMissing;
    skewness = kurtosis = kFloatMissing;
    hasQuantiles = false;
    for (double &q : quantiles)
        q = kFloatMissing;
}

void DescriptiveRecord::SetSevenToMaxFloat()
{
    for (double &q : quantiles)
        q = kFloatMissing;
    hasQuantiles = true;
}

namespace {

void ConfidenceLimits(double mean, double sd, double n, double level, double &lower,
                      double &upper)
{
    const double t = StudentQuantile(1.0 - (1.0 - level) / 2.0, n - 1.0);
    if (t == kFloatMissing) {
        lower = upper = kFloatMissing;
        return;
    }
    const double half = t * sd / std::sqrt(n);
    lower = mean - half;
    upper = mean + half;
}

} // namespace

void ComputeDescriptives(const WeightedValue *cases, size_t count, DescriptiveRecord &record)
{
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

    double n = 0.0, sum = 0.0, minimum = 0.0, maximum = 0.0;
    long valid = 0;
    for (size_t i = 0; i < count; ++i) {
        const double w = cases[i].weight;
        if (!(w > 0.0))
            continue;
        const double x = cases[i].value;
        if (valid == 0 || x < minimum)
            minimum = x;
        if (valid == 0 || x > maximum)
            maximum = x;
        n += w;
        sum += w * x;
        ++valid;
    }
    record.count = valid;
    record.weightedCount = n;
    if (valid == 0)
        return;
    record.minimum = minimum;
    record.maximum = maximum;
    record.sum = sum;
    const double mean = sum / n;
    record.mean = mean;
    if (!(n > 1.0))
        return;

    double m2 = 0.0, m3 = 0.0, m4 = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double w = cases[i].weight;
        if (!(w > 0.0))
            continue;
        const double d = cases[i].value - mean;
        const double d2 = d * d;
        m2 += w * d2;
        m3 += w * d2 * d;
        m4 += w * d2 * d2;
    }
    const double variance = m2 / (n - 1.0);
    const double sd = std::sqrt(variance > 0.0 ? variance : 0.0);
    record.standardDeviation = sd;
    ConfidenceLimits(mean, sd, n, 0.95, record.lower95, record.upper95);
    ConfidenceLimits(mean, sd, n, 0.99, record.lower99, record.upper99);

    // A constant variable has no shape: skewness and kurtosis stay not computed.
    if (!(variance > 0.0) || maximum == minimum)
        return;
    if (n > 2.0) {
        const double s3 = variance * sd;
        record.skewness = n * m3 / ((n - 1.0) * (n - 2.0) * s3);
    }
    if (n > 3.0) {
        const double s4 = variance * variance;
        record.kurtosis = n * (n + 1.0) * m4 / ((n - 1.0) * (n - 2.0) * (n - 3.0) * s4)
                          - 3.0 * (n - 1.0) * (n - 1.0) / ((n - 2.0) * (n - 3.0));
    }
}

double SortedQuantile(const std::vector<WeightedValue> &sorted, double totalWeight, double p)
{
    if (sorted.empty() || !(totalWeight > 0.0))
        return kFloatMissing;
    const double target = p * totalWeight;
    const double tolerance = 1e-12 * totalWeight;
    double cumulative = 0.0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        cumulative += sorted[i].weight;
        if (cumulative >= target - tolerance) {
            if (std::fabs(cumulative - target) <= tolerance && i + 1 < sorted.size())
                return (sorted[i].value + sorted[i + 1].value) / 2.0;
            return sorted[i].value;
        }
    }
    return sorted.back().value;
}

void ComputeQuantileSummary(std::vector<WeightedValue> &cases, double summary[7])
{
    for (int i = 0; i < 7; ++i)
        summary[i] = kFloatMissing;
    cases.erase(std::remove_if(cases.begin(), cases.end(),
                               [](const WeightedValue &c) { return !(c.weight > 0.0); }),
                cases.end());
    if (cases.empty())
        return;
    std::sort(cases.begin(), cases.end(),
              [](const WeightedValue &a, const WeightedValue &b) { return a.value < b.value; });
    double total = 0.0, weightedSum = 0.0;
    for (const WeightedValue &c : cases) {
        total += c.weight;
        weightedSum += c.weight * c.value;
    }
    const double minimum = cases.front().value;
    const double maximum = cases.back().value;
    summary[5] = minimum;
    summary[6] = maximum;
    if (minimum == maximum) {
        const double mean = weightedSum / total;
        for (int i = 0; i < 5; ++i)
            summary[i] = mean;
        return;
    }
    const double q1 = SortedQuantile(cases, total, 0.25);
    const double q3 = SortedQuantile(cases, total, 0.75);
    summary[0] = q1;
    summary[1] = SortedQuantile(cases, total, 0.5);
    summary[2] = q3;
    const double iqr = q3 - q1;
    const double lowFence = q1 - iqr;
    const double highFence = q3 + iqr;
    for (const WeightedValue &c : cases) {
        if (c.value >= lowFence) {
            summary[3] = c.value;
            break;
        }
    }
    for (size_t i = cases.size(); i-- > 0;) {
        if (cases[i].value <= highFence) {
            summary[4] = cases[i].value;
            break;
        }
    }
}
