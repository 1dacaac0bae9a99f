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
        cases.swap(other.cases);
        weighted = other.weighted;
        total = other.total;
        charged = other.charged;
        counting = other.counting;
        lowest = other.lowest;
        counts.swap(other.counts);
        other.charged = 0;
        other.Clear();
    }
    return *this;
}

void QuantileColumn::Grow(size_t extra)
{
    const size_t size = Size();
    const size_t capacity = weighted ? cases.capacity() : values.capacity();
    if (size + extra <= capacity)
        return;
    size_t wanted = std::max(size + extra, std::max<size_t>(2 * capacity, 4096));
    const size_t bytes = wanted * (weighted ? sizeof(WeightedValue) : sizeof(double));
    // The old storage stays until the new one is filled: both are charged
    // for that moment.
    MemoryBudget::Charge(bytes);
    if (weighted)
        cases.reserve(wanted);
    else
        values.reserve(wanted);
    MemoryBudget::Release(charged);
    charged = bytes;
}

void QuantileColumn::Weigh()
{
    std::vector<WeightedValue> all;
    const size_t bytes = std::max<size_t>(values.capacity(), 1) * sizeof(WeightedValue);
    MemoryBudget::Charge(bytes);
    all.reserve(std::max<size_t>(values.capacity(), 1));
    for (double v : values)
        all.push_back({v, 1.0});
    cases.swap(all);
    std::vector<double>().swap(values);
    MemoryBudget::Release(charged);
    charged = bytes;
    weighted = true;
}

void QuantileColumn::Reserve(size_t n, bool weightedCases)
{
    if (counting)
        return;
    if (weightedCases && !weighted)
        Weigh();
    if (n > Size())
        Grow(n - Size());
}

void QuantileColumn::CountWholeValues(long low, long high)
{
    if (Size() != 0 || counting || high < low || high - low >= kMostCountedValues)
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
    std::vector<WeightedValue>().swap(cases);
    weighted = false;
    counting = true;
    lowest = low;
}

void QuantileColumn::Uncount()
{
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
    const size_t bytes = distinct * sizeof(WeightedValue);
    MemoryBudget::Charge(bytes);
    std::vector<WeightedValue> entries;
    try {
        entries.reserve(distinct);
    } catch (const std::bad_alloc &) {
        MemoryBudget::Release(bytes);
        throw;
    }
    for (size_t i = 0; i < counts.size(); ++i)
        if (counts[i] > 0.0)
            entries.push_back({static_cast<double>(lowest + static_cast<long>(i)), counts[i]});
    std::vector<double>().swap(counts);
    MemoryBudget::Release(charged);
    charged = bytes;
    cases.swap(entries);
    weighted = true;
    counting = false;
}

bool QuantileColumn::CountBlock(const double *v, size_t n)
{
    const double high = static_cast<double>(lowest) + static_cast<double>(counts.size()) - 1.0;
    for (size_t i = 0; i < n; ++i) {
        const double x = v[i];
        // Whole and in range: a value the counts cannot hold ends counting
        // before anything of this block is counted.
        if (!(x >= lowest && x <= high && x == std::floor(x)))
            return false;
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
        if (weight == 1.0 && CountBlock(&value, 1))
            return;
        Uncount();
    }
    if (weight != 1.0 && !weighted)
        Weigh();
    Grow(1);
    if (weighted)
        cases.push_back({value, weight});
    else
        values.push_back(value);
    total += weight;
}

void QuantileColumn::AddBlock(const double *v, const double *w, size_t n)
{
    // Whether every case of the block weighs 1, looked at only where it
    // matters.
    const bool ones = (counting || !weighted) && (!w || std::all_of(w, w + n, [](double x) { return x == 1.0; }));
    if (counting) {
        if (ones && CountBlock(v, n))
            return;
        Uncount();
    }
    if (!weighted && ones) {
        Grow(n);
        values.insert(values.end(), v, v + n);
        total += static_cast<double>(n);
        return;
    }
    for (size_t i = 0; i < n; ++i)
        Add(v[i], w ? w[i] : 1.0);
}

namespace {

// The bits of a double as an unsigned key in the order of the values
// (negative values with every bit flipped, others with the sign bit set);
// -0 is taken as +0, as a comparison takes it.
inline uint64_t OrderKey(double v)
{
    if (v == 0.0)
        v = 0.0;
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
}

inline double FromOrderKey(uint64_t key)
{
    const uint64_t bits = (key >> 63) ? key & ~(uint64_t(1) << 63) : ~key;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Sorts the values by their keys, 11 bits a pass, least significant first
// (six stable passes). The keys are kept in the values' own storage (as
// bytes) and one scratch column of the same size: at a million values
// several times faster than a comparison sort.
void RadixSort(std::vector<double> &values)
{
    const size_t n = values.size();
    const int kBits = 11, kPasses = 6;
    const size_t kBuckets = size_t(1) << kBits;
    std::vector<double> scratch(n);
    std::vector<size_t> counts(kBuckets * kPasses, 0);
    for (size_t i = 0; i < n; ++i) {
        const uint64_t key = OrderKey(values[i]);
        std::memcpy(&values[i], &key, sizeof key);
        for (int p = 0; p < kPasses; ++p)
            ++counts[p * kBuckets + ((key >> (p * kBits)) & (kBuckets - 1))];
    }
    double *from = values.data(), *to = scratch.data();
    for (int p = 0; p < kPasses; ++p) {
        size_t *count = counts.data() + p * kBuckets;
        uint64_t first;
        std::memcpy(&first, from, sizeof first);
        if (count[(first >> (p * kBits)) & (kBuckets - 1)] == n)
            continue; // every key has the same digit here
        size_t start = 0;
        for (size_t b = 0; b < kBuckets; ++b) {
            const size_t c = count[b];
            count[b] = start;
            start += c;
        }
        for (size_t i = 0; i < n; ++i) {
            uint64_t key;
            std::memcpy(&key, from + i, sizeof key);
            std::memcpy(to + count[(key >> (p * kBits)) & (kBuckets - 1)]++, &key, sizeof key);
        }
        std::swap(from, to);
    }
    for (size_t i = 0; i < n; ++i) {
        uint64_t key;
        std::memcpy(&key, from + i, sizeof key);
        values[i] = FromOrderKey(key);
    }
}

// Columns below this many values are sorted by comparison.
const size_t kRadixFrom = 4096;

} // namespace

void QuantileColumn::Sort()
{
    if (counting) {
        CountsToEntries();
        return;
    }
    if (weighted) {
        std::stable_sort(cases.begin(), cases.end(),
                         [](const WeightedValue &a, const WeightedValue &b) { return a.value < b.value; });
        return;
    }
    if (values.size() >= kRadixFrom) {
        // The scratch column, for the moment of the sort.
        const size_t bytes = values.size() * sizeof(double);
        bool charged = true;
        try {
            MemoryBudget::Charge(bytes);
        } catch (const BudgetRefusal &) {
            charged = false;
        }
        if (charged) {
            try {
                RadixSort(values);
            } catch (const std::bad_alloc &) {
                charged = false;
            }
            MemoryBudget::Release(bytes);
            if (charged)
                return;
        }
    }
    std::sort(values.begin(), values.end());
}

void QuantileColumn::SortByMagnitude()
{
    if (counting)
        CountsToEntries();
    if (weighted)
        std::sort(cases.begin(), cases.end(), [](const WeightedValue &a, const WeightedValue &b) {
            return std::fabs(a.value) < std::fabs(b.value);
        });
    else
        std::sort(values.begin(), values.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
}

void QuantileColumn::Clear()
{
    MemoryBudget::Release(charged);
    charged = 0;
    std::vector<double>().swap(values);
    std::vector<WeightedValue>().swap(cases);
    std::vector<double>().swap(counts);
    weighted = false;
    counting = false;
    total = 0.0;
}

void CountStoredValues(QuantileColumn &column, int storageType, bool weightedCases)
{
    if (weightedCases)
        return;
    if (storageType == STORAGE_U8)
        column.CountWholeValues(0, 254);
    else if (storageType == STORAGE_I16)
        column.CountWholeValues(-32768, 32766);
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
                return Midpoint(sorted.Value(i), sorted.Value(i + 1));
            return sorted.Value(i);
        }
    }
    return sorted.Value(size - 1);
}

void ComputeQuantileSummary(QuantileColumn &column, double summary[7])
{
    for (int i = 0; i < 7; ++i)
        summary[i] = kNotComputed;
    column.Sort();
    const size_t size = column.Size();
    if (size == 0)
        return;
    const auto quantile = [&column](double p) { return SortedQuantile(column, p); };
    const auto whiskerEnds = [&column, size](double lowFence, double highFence, double &low, double &high) {
        for (size_t i = 0; i < size; ++i) {
            if (column.Value(i) >= lowFence) {
                low = column.Value(i);
                break;
            }
        }
        for (size_t i = size; i-- > 0;) {
            if (column.Value(i) <= highFence) {
                high = column.Value(i);
                break;
            }
        }
    };
    FillQuantileSummary(summary, column.Value(0), column.Value(size - 1), quantile, whiskerEnds);
}

void ComputeQuantileSummary(const std::vector<WeightedValue> &cases, double summary[7])
{
    QuantileColumn column;
    for (const WeightedValue &c : cases)
        column.Add(c.value, c.weight);
    ComputeQuantileSummary(column, summary);
}
