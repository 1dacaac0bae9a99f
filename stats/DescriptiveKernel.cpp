#include "stats/DescriptiveKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "dataset/DataSetLayout.h"
#include "dataset/MemoryBudget.h"
#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

QuantileColumn &QuantileColumn::operator=(QuantileColumn &&other) noexcept
{
    if (this != &other) {
        Clear();
        values.swap(other.values);
        narrowWeights.swap(other.narrowWeights);
        wideWeights.swap(other.wideWeights);
        tags.swap(other.tags);
        tagTotals.swap(other.tagTotals);
        weighted = other.weighted;
        floatWeights = other.floatWeights;
        tagged = other.tagged;
        total = other.total;
        charged = other.charged;
        counting = other.counting;
        countingWeights = other.countingWeights;
        lowest = other.lowest;
        counts.swap(other.counts);
        runCases = other.runCases;
        counted = other.counted;
        tagCases.swap(other.tagCases);
        other.charged = 0;
        other.Clear();
    }
    return *this;
}

void QuantileColumn::Grow(size_t extra)
{
    const size_t size = Size();
    const size_t capacity = values.capacity();
    if (size + extra <= capacity)
        return;
    size_t wanted = std::max(size + extra, std::max<size_t>(2 * capacity, 4096));
    const size_t bytes = wanted * EntryBytes();
    // The old storage stays until the new one is filled: both are charged
    // for that moment.
    MemoryBudget::Charge(bytes);
    try {
        values.reserve(wanted);
        if (weighted && floatWeights)
            narrowWeights.reserve(wanted);
        else if (weighted)
            wideWeights.reserve(wanted);
        if (tagged)
            tags.reserve(wanted);
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(bytes);
        throw;
    }
    MemoryBudget::Release(charged);
    charged = bytes;
}

void QuantileColumn::StartWeights()
{
    const size_t room = std::max<size_t>(values.capacity(), 1);
    const size_t bytes = room * sizeof(float);
    MemoryBudget::Charge(bytes);
    try {
        narrowWeights.reserve(room);
        narrowWeights.assign(values.size(), 1.0f);
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(bytes);
        throw;
    }
    charged += bytes;
    weighted = true;
    floatWeights = true;
}

void QuantileColumn::WidenWeights()
{
    const size_t room = std::max<size_t>(values.capacity(), 1);
    const size_t bytes = room * sizeof(double);
    MemoryBudget::Charge(bytes);
    try {
        wideWeights.reserve(room);
        wideWeights.assign(narrowWeights.begin(), narrowWeights.end());
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(bytes);
        throw;
    }
    const size_t narrowBytes = narrowWeights.capacity() * sizeof(float);
    std::vector<float>().swap(narrowWeights);
    MemoryBudget::Release(std::min(narrowBytes, charged));
    charged = charged - std::min(narrowBytes, charged) + bytes;
    floatWeights = false;
}

void QuantileColumn::Reserve(size_t n, bool weightedCases, bool withTags)
{
    if (counting)
        return;
    if (withTags && Size() == 0 && !tagged) {
        tagged = true;
        const size_t bytes = std::max<size_t>(values.capacity(), 1);
        MemoryBudget::Charge(bytes);
        charged += bytes;
        tags.reserve(bytes);
    }
    if (weightedCases && !weighted)
        StartWeights();
    if (n > Size())
        Grow(n - Size());
}

void QuantileColumn::CountWholeValues(long low, long high, bool weightedCases)
{
    if (Size() != 0 || counting || tagged || high < low || high - low >= kMostCountedValues)
        return;
    const size_t slots = static_cast<size_t>(high - low + 1);
    MemoryBudget::Charge(slots * sizeof(double));
    try {
        counts.assign(slots, 0.0);
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(slots * sizeof(double));
        throw;
    }
    MemoryBudget::Release(charged);
    charged = slots * sizeof(double);
    std::vector<double>().swap(values);
    std::vector<float>().swap(narrowWeights);
    std::vector<double>().swap(wideWeights);
    weighted = false;
    floatWeights = false;
    counting = true;
    countingWeights = weightedCases;
    lowest = low;
}

void QuantileColumn::Uncount()
{
    if (countingWeights) {
        // Summed weights cannot be parted into cases again: each value
        // stays one entry of its summed weight, and the cases to come are
        // added after.
        const double kept = total;
        CountsToEntries();
        total = kept;
        return;
    }
    std::vector<double> held;
    held.swap(counts);
    const size_t heldBytes = charged;
    counting = false;
    charged = 0;
    total = 0.0;
    try {
        Grow(static_cast<size_t>(std::accumulate(held.begin(), held.end(), 0.0)));
    } catch (...) {
        MemoryBudget::Release(heldBytes);
        throw;
    }
    for (size_t i = 0; i < held.size(); ++i)
        values.insert(values.end(), static_cast<size_t>(held[i]), static_cast<double>(lowest + static_cast<long>(i)));
    total = static_cast<double>(values.size());
    MemoryBudget::Release(heldBytes);
}

void QuantileColumn::CountsToEntries()
{
    size_t distinct = 0;
    for (double c : counts)
        distinct += c > 0.0;
    const size_t bytes = distinct * 2 * sizeof(double);
    MemoryBudget::Charge(bytes);
    std::vector<double> entries, sums;
    try {
        entries.reserve(distinct);
        sums.reserve(distinct);
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(bytes);
        throw;
    }
    for (size_t i = 0; i < counts.size(); ++i)
        if (counts[i] > 0.0) {
            entries.push_back(static_cast<double>(lowest + static_cast<long>(i)));
            sums.push_back(counts[i]);
        }
    std::vector<double>().swap(counts);
    MemoryBudget::Release(charged);
    charged = bytes;
    values.swap(entries);
    wideWeights.swap(sums);
    std::vector<float>().swap(narrowWeights);
    weighted = true;
    floatWeights = false;
    counting = false;
    countingWeights = false;
    runCases = values.size();
}

bool QuantileColumn::CountBlock(const double *v, const double *w, size_t n)
{
    const double high = static_cast<double>(lowest) + static_cast<double>(counts.size()) - 1.0;
    for (size_t i = 0; i < n; ++i) {
        const double x = v[i];
        // Whole and in range: a value the counts cannot hold ends counting
        // before anything of this block is counted.
        if (!(x >= lowest && x <= high && x == std::floor(x)))
            return false;
    }
    if (countingWeights) {
        for (size_t i = 0; i < n; ++i) {
            const double weight = w ? w[i] : 1.0;
            if (!(weight > 0.0))
                continue;
            counts[static_cast<size_t>(static_cast<long>(v[i]) - lowest)] += weight;
            total += weight;
        }
        return true;
    }
    for (size_t i = 0; i < n; ++i)
        counts[static_cast<size_t>(static_cast<long>(v[i]) - lowest)] += 1.0;
    total += static_cast<double>(n);
    return true;
}

void QuantileColumn::Add(double value, double weight)
{
    if (!(weight > 0.0))
        return;
    if (counting) {
        if ((weight == 1.0 || countingWeights) && CountBlock(&value, &weight, 1))
            return;
        Uncount();
    }
    if (tagged) {
        AddTagged(value, weight, 0);
        return;
    }
    if (weight != 1.0 && !weighted)
        StartWeights();
    Grow(1);
    values.push_back(value);
    if (weighted)
        PushWeight(weight);
    total += weight;
}

void QuantileColumn::AddTagged(double value, double weight, unsigned tag)
{
    if (!(weight > 0.0) || tag >= kMostTags)
        return;
    if (!tagged) {
        if (Size() != 0 || counting)
            return;
        Reserve(0, false, true);
    }
    if (weight != 1.0 && !weighted)
        StartWeights();
    Grow(1);
    values.push_back(value);
    if (weighted)
        PushWeight(weight);
    tags.push_back(static_cast<unsigned char>(tag));
    if (tag >= tagTotals.size())
        tagTotals.resize(tag + 1, 0.0);
    tagTotals[tag] += weight;
    total += weight;
}

void QuantileColumn::AddTaggedBlock(const double *v, const double *w, const unsigned char *t, size_t n)
{
    if (!tagged) {
        for (size_t i = 0; i < n; ++i)
            AddTagged(v[i], w[i], t[i]);
        return;
    }
    if (tagTotals.size() < kMostTags)
        tagTotals.resize(kMostTags, 0.0);
    Grow(n);
    size_t i = 0;
    if (!weighted) {
        // Weight 1 while it lasts: the values and tags as they come, each
        // tag's total raised by its count (sums of ones are exact, so that
        // is the sum case by case).
        while (i < n && w[i] == 1.0)
            ++i;
        values.insert(values.end(), v, v + i);
        tags.insert(tags.end(), t, t + i);
        size_t counts[kMostTags] = {0};
        for (size_t k = 0; k < i; ++k)
            ++counts[t[k]];
        for (size_t tag = 0; tag < kMostTags; ++tag)
            if (counts[tag] != 0)
                tagTotals[tag] += static_cast<double>(counts[tag]);
        total += static_cast<double>(i);
        if (i == n)
            return;
    }
    for (; i < n; ++i) {
        const double weight = w[i];
        if (!(weight > 0.0))
            continue;
        if (!weighted)
            StartWeights();
        values.push_back(v[i]);
        PushWeight(weight);
        tags.push_back(t[i]);
        tagTotals[t[i]] += weight;
        total += weight;
    }
}

void QuantileColumn::AddBlock(const double *v, const double *w, size_t n)
{
    if (counting && countingWeights) {
        if (CountBlock(v, w, n))
            return;
        Uncount();
    }
    // Whether every case of the block weighs 1, looked at only where it
    // matters.
    const bool ones = (counting || !weighted) && (!w || std::all_of(w, w + n, [](double x) { return x == 1.0; }));
    if (counting) {
        if (ones && CountBlock(v, nullptr, n))
            return;
        Uncount();
    }
    if (tagged) {
        for (size_t i = 0; i < n; ++i)
            AddTagged(v[i], w ? w[i] : 1.0, 0);
        return;
    }
    if (!weighted && ones) {
        Grow(n);
        values.insert(values.end(), v, v + n);
        total += static_cast<double>(n);
        return;
    }
    if (!weighted)
        StartWeights();
    Grow(n);
    for (size_t i = 0; i < n; ++i) {
        const double weight = w ? w[i] : 1.0;
        if (weight > 0.0) {
            values.push_back(v[i]);
            PushWeight(weight);
            total += weight;
        }
    }
}

void QuantileColumn::Clear()
{
    MemoryBudget::Release(charged);
    charged = 0;
    std::vector<double>().swap(values);
    std::vector<float>().swap(narrowWeights);
    std::vector<double>().swap(wideWeights);
    std::vector<unsigned char>().swap(tags);
    std::vector<double>().swap(tagTotals);
    std::vector<double>().swap(counts);
    weighted = false;
    floatWeights = false;
    tagged = false;
    counting = false;
    countingWeights = false;
    total = 0.0;
    runCases = 0;
    counted = false;
    std::vector<size_t>().swap(tagCases);
}

void CountStoredValues(QuantileColumn &column, int storageType, bool weightedCases)
{
    if (storageType == STORAGE_U8)
        column.CountWholeValues(0, 254, weightedCases);
    else if (storageType == STORAGE_I16)
        column.CountWholeValues(-32768, 32766, weightedCases);
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

void ComputeQuantileSummary(const std::vector<WeightedValue> &cases, double summary[7])
{
    QuantileColumn column;
    for (const WeightedValue &c : cases)
        column.Add(c.value, c.weight);
    ComputeQuantileSummary(column, summary);
}
