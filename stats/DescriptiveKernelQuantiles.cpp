// The order statistics of a quantile column: its sorts (the unweighted
// radix sort, the weighted runs and their merged walk) and the quantile
// summaries taken from them. The rest of the descriptive kernel is in
// DescriptiveKernel.cpp.
#include "stats/DescriptiveKernel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "dataset/MemoryBudget.h"
#include "stats/StatMissing.h"

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

// The bits of |v| as an unsigned key in the order of the magnitudes (the
// bits of a non-negative double order as its value does).
inline uint64_t MagnitudeKey(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits & ~(uint64_t(1) << 63);
}

// The arrays of a run of cases: values, weights (float or double, or none)
// and tags (or none), each with scratch of the run's size.
template <class W> struct RunArrays
{
    double *values, *valueScratch;
    W *weights, *weightScratch; // null: no weights
    unsigned char *tags, *tagScratch; // null: no tags
};

// Sorts the values by their keys, 11 bits a pass, least significant first
// (six stable passes). The keys are kept in the values' own storage (as
// bytes) and one scratch column of the same size: at a million values
// several times faster than a comparison sort.
void RadixSort(std::vector<double> &values)
{
    const size_t n = values.size();
    const int kBits = 11, kPasses = 6;
    const size_t kBuckets = size_t(1) << kBits;
    const std::unique_ptr<double[]> scratch(new double[n]);
    std::vector<size_t> counts(kBuckets * kPasses, 0);
    for (size_t i = 0; i < n; ++i) {
        const uint64_t key = OrderKey(values[i]);
        std::memcpy(&values[i], &key, sizeof key);
        for (int p = 0; p < kPasses; ++p)
            ++counts[p * kBuckets + ((key >> (p * kBits)) & (kBuckets - 1))];
    }
    double *from = values.data(), *to = scratch.get();
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


// Sorts a run of cases (with their weights and tags) stably by the order
// keys of their values, 11 bits a pass, least significant first, through
// scratch of the run's size. The keys stand in the values' own bits while
// the run sorts and give them back after; a run holding a -0 (whose key is
// +0's, so it would come back as +0) takes each key from its value in
// every pass instead, so the cases keep their own bits.
template <class W, bool Weights, bool Tags, bool InPlaceKeys> void RadixSortRunBy(const RunArrays<W> &a, size_t n)
{
    const int kBits = 11, kPasses = 6;
    const size_t kBuckets = size_t(1) << kBits;
    const auto keyOf = [](const double &v) {
        if (InPlaceKeys) {
            uint64_t key;
            std::memcpy(&key, &v, sizeof key);
            return key;
        }
        return OrderKey(v);
    };
    std::vector<size_t> counts(kBuckets * kPasses, 0);
    double *run = a.values;
    for (size_t i = 0; i < n; ++i) {
        const uint64_t key = OrderKey(run[i]);
        if (InPlaceKeys)
            std::memcpy(&run[i], &key, sizeof key);
        for (int p = 0; p < kPasses; ++p)
            ++counts[p * kBuckets + ((key >> (p * kBits)) & (kBuckets - 1))];
    }
    double *from = a.values, *to = a.valueScratch;
    W *fromW = a.weights, *toW = a.weightScratch;
    unsigned char *fromT = a.tags, *toT = a.tagScratch;
    for (int p = 0; p < kPasses; ++p) {
        size_t *count = counts.data() + p * kBuckets;
        if (count[(keyOf(from[0]) >> (p * kBits)) & (kBuckets - 1)] == n)
            continue; // every key has the same digit here
        size_t start = 0;
        for (size_t b = 0; b < kBuckets; ++b) {
            const size_t c = count[b];
            count[b] = start;
            start += c;
        }
        for (size_t i = 0; i < n; ++i) {
            const size_t at = count[(keyOf(from[i]) >> (p * kBits)) & (kBuckets - 1)]++;
            to[at] = from[i];
            if (Weights)
                toW[at] = fromW[i];
            if (Tags)
                toT[at] = fromT[i];
        }
        std::swap(from, to);
        std::swap(fromW, toW);
        std::swap(fromT, toT);
    }
    if (from != a.values) {
        std::memcpy(a.values, from, n * sizeof(double));
        if (Weights)
            std::memcpy(a.weights, fromW, n * sizeof(W));
        if (Tags)
            std::memcpy(a.tags, fromT, n);
    }
    if (InPlaceKeys) {
        for (size_t i = 0; i < n; ++i) {
            uint64_t key;
            std::memcpy(&key, &run[i], sizeof key);
            run[i] = FromOrderKey(key);
        }
    }
}

// Runs shorter than this sort by radix only; longer ones first try the
// sort by distinct keys below.
const size_t kDistinctFrom = size_t(1) << 16;
// The most distinct keys that sort takes (ids of 2 bytes), and at most one
// for every kCasesPerDistinctKey cases of the run.
const size_t kMostDistinctKeys = size_t(1) << 16;
const size_t kCasesPerDistinctKey = 16;

inline uint32_t KeyHash(uint64_t key)
{
    uint32_t h = static_cast<uint32_t>(key) ^ static_cast<uint32_t>(key >> 32) * 0x9E3779B1u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    return h;
}

// A slot of the table of distinct keys: the key in two halves (4-byte
// alignment keeps it 12 bytes) and its id + 1, 0 for an empty slot.
struct KeySlot
{
    uint32_t low = 0, high = 0, id = 0;
    uint64_t Key() const { return uint64_t(high) << 32 | low; }
    void Set(uint64_t key, uint32_t newId)
    {
        low = static_cast<uint32_t>(key);
        high = static_cast<uint32_t>(key >> 32);
        id = newId;
    }
};

// The distinct keys of a run, each with an id (0, 1, ... in the order
// met), in a table that starts small (a few thousand keys stay in the
// cache) and doubles while it is more than half full, up to room for
// `most` keys.
class DistinctKeys
{
public:
    explicit DistinctKeys(size_t most) : most(most)
    {
        while (mostSlots < 2 * most)
            mostSlots <<= 1;
        slots = std::min<size_t>(mostSlots, 4096);
        table.assign(slots, KeySlot());
        keys.reserve(most);
    }
    // The budget the table may come to hold, besides the caller's per-key
    // data.
    static size_t Bytes(size_t most)
    {
        size_t mostSlots = 1;
        while (mostSlots < 2 * most)
            mostSlots <<= 1;
        return mostSlots * sizeof(KeySlot) + most * sizeof(uint64_t);
    }
    // The id of the key, a new one for a key not met before; -1 when the
    // table has `most` keys already.
    long Id(uint64_t key)
    {
        size_t s = KeyHash(key) & (slots - 1);
        for (;;) {
            const uint32_t id = table[s].id;
            if (id == 0)
                return Insert(key, s);
            if (table[s].Key() == key)
                return static_cast<long>(id) - 1;
            s = (s + 1) & (slots - 1);
        }
    }
    size_t Size() const { return keys.size(); }
    uint64_t Key(size_t id) const { return keys[id]; }
    // The value of each id's order key (OrderKey's inverse).
    std::vector<double> ValuesById() const
    {
        std::vector<double> valueOf(keys.size());
        for (size_t k = 0; k < keys.size(); ++k)
            valueOf[k] = FromOrderKey(keys[k]);
        return valueOf;
    }
    // The ids in ascending order of their keys.
    std::vector<uint32_t> Ascending() const
    {
        std::vector<uint32_t> ids(keys.size());
        for (size_t k = 0; k < ids.size(); ++k)
            ids[k] = static_cast<uint32_t>(k);
        std::sort(ids.begin(), ids.end(), [this](uint32_t x, uint32_t y) { return keys[x] < keys[y]; });
        return ids;
    }

private:
    // A new key into the empty slot s (out of line: the lookups of keys
    // met before stay small enough to inline).
    __attribute__((noinline)) long Insert(uint64_t key, size_t s)
    {
        if (keys.size() == most)
            return -1;
        keys.push_back(key);
        table[s].Set(key, static_cast<uint32_t>(keys.size()));
        if (2 * keys.size() > slots && slots < mostSlots) {
            slots *= 2;
            table.assign(slots, KeySlot());
            for (size_t k = 0; k < keys.size(); ++k) {
                size_t t = KeyHash(keys[k]) & (slots - 1);
                while (table[t].id != 0)
                    t = (t + 1) & (slots - 1);
                table[t].Set(keys[k], static_cast<uint32_t>(k + 1));
            }
        }
        return static_cast<long>(keys.size()) - 1;
    }

    size_t most, mostSlots = 1, slots;
    std::vector<KeySlot> table;
    std::vector<uint64_t> keys;
};

// Sorts a run of cases (with their weights and tags) stably by the order
// keys of their values when they hold few distinct keys, as values
// recorded to a few decimals do: each case's key is looked up in a table
// of the distinct keys (its id kept), the distinct keys are sorted, and
// the cases are moved by the ranks of their keys through the scratch, in
// the order they came within each key, so that the order is the one the
// radix sort gives. The cases move with their own bits (a -0 stays -0
// among the zeros). False, with nothing moved, when the run holds more
// distinct keys than the table takes or the budget has no room for the
// table and the ids. ByMagnitude sorts by the keys of the magnitudes
// instead (MagnitudeKey).
template <class W, bool Weights, bool Tags, bool ByMagnitude = false>
bool SortRunByDistinctKeys(const RunArrays<W> &a, size_t n)
{
    if (n < kDistinctFrom)
        return false;
    const size_t most = std::min(kMostDistinctKeys, n / kCasesPerDistinctKey);
    MemoryCharge charge;
    try {
        charge.Add(DistinctKeys::Bytes(most) + 2 * n * sizeof(uint16_t) +
                   most * (sizeof(size_t) + 2 * sizeof(uint32_t)));
    } catch (const BudgetRefusal &) {
        return false;
    }
    DistinctKeys distinct(most);
    const std::unique_ptr<uint16_t[]> ids(new uint16_t[n]);
    std::vector<size_t> place;
    place.reserve(most);
    const double *from = a.values;
    for (size_t i = 0; i < n; ++i) {
        const long id = distinct.Id(ByMagnitude ? MagnitudeKey(from[i]) : OrderKey(from[i]));
        if (id < 0)
            return false;
        if (static_cast<size_t>(id) == place.size())
            place.push_back(0);
        ids[i] = static_cast<uint16_t>(id);
        ++place[static_cast<size_t>(id)];
    }
    // Each key's rank among the distinct keys; the cases then move by the
    // low byte of their ranks into the scratch and, with more than 256
    // keys, by the high byte back: two stable passes of 256 places each,
    // whose writes stay in the caches (a pass to every key's own place
    // would miss them on nearly every case).
    const std::vector<uint32_t> byKey = distinct.Ascending();
    std::vector<uint16_t> rankOf(distinct.Size());
    size_t low[256] = {0}, high[256] = {0};
    for (size_t r = 0; r < byKey.size(); ++r) {
        rankOf[byKey[r]] = static_cast<uint16_t>(r);
        low[r & 0xFF] += place[byKey[r]];
        high[r >> 8] += place[byKey[r]];
    }
    size_t lowAt = 0, highAt = 0;
    for (int d = 0; d < 256; ++d) {
        const size_t lowCount = low[d], highCount = high[d];
        low[d] = lowAt;
        high[d] = highAt;
        lowAt += lowCount;
        highAt += highCount;
    }
    const bool twoPasses = distinct.Size() > 256;
    const std::unique_ptr<uint16_t[]> rankScratch(new uint16_t[twoPasses ? n : 0]);
    double *to = a.valueScratch;
    for (size_t i = 0; i < n; ++i) {
        const uint16_t r = rankOf[ids[i]];
        const size_t p = low[r & 0xFF]++;
        to[p] = from[i];
        if (Weights)
            a.weightScratch[p] = a.weights[i];
        if (Tags)
            a.tagScratch[p] = a.tags[i];
        if (twoPasses)
            rankScratch[p] = r;
    }
    if (twoPasses) {
        for (size_t i = 0; i < n; ++i) {
            const size_t p = high[rankScratch[i] >> 8]++;
            a.values[p] = to[i];
            if (Weights)
                a.weights[p] = a.weightScratch[i];
            if (Tags)
                a.tags[p] = a.tagScratch[i];
        }
    } else {
        std::memcpy(a.values, to, n * sizeof(double));
        if (Weights)
            std::memcpy(a.weights, a.weightScratch, n * sizeof(W));
        if (Tags)
            std::memcpy(a.tags, a.tagScratch, n);
    }
    return true;
}

// Sorts the values of an unweighted, untagged column in place, without
// scratch, from the counts of their distinct keys: each key's value is
// written as many times as it came, in ascending order of the keys. The
// cases of a key are alike: by value every zero is written +0, as the
// radix sort leaves it; by magnitude a key's positive values come before
// its negative ones (ties of magnitude in no particular order). False,
// with nothing moved, with more distinct keys than the table takes or no
// room in the budget for it.
template <bool ByMagnitude> bool SortPlainByDistinctKeys(double *values, size_t n)
{
    if (n < kDistinctFrom)
        return false;
    const size_t most = std::min(kMostDistinctKeys, n / kCasesPerDistinctKey);
    MemoryCharge charge;
    try {
        charge.Add(DistinctKeys::Bytes(most) + most * (2 * sizeof(size_t) + sizeof(uint32_t)));
    } catch (const BudgetRefusal &) {
        return false;
    }
    DistinctKeys distinct(most);
    std::vector<size_t> counts, negatives; // negatives: by magnitude only
    counts.reserve(most);
    if (ByMagnitude)
        negatives.reserve(most);
    for (size_t i = 0; i < n; ++i) {
        const double v = values[i];
        const long id = distinct.Id(ByMagnitude ? MagnitudeKey(v) : OrderKey(v));
        if (id < 0)
            return false;
        if (static_cast<size_t>(id) == counts.size()) {
            counts.push_back(0);
            if (ByMagnitude)
                negatives.push_back(0);
        }
        ++counts[static_cast<size_t>(id)];
        if (ByMagnitude && std::signbit(v))
            ++negatives[static_cast<size_t>(id)];
    }
    double *at = values;
    for (uint32_t k : distinct.Ascending()) {
        const uint64_t key = distinct.Key(k);
        if (ByMagnitude) {
            const uint64_t negativeKey = key | (uint64_t(1) << 63);
            double positive, negative;
            std::memcpy(&positive, &key, sizeof positive);
            std::memcpy(&negative, &negativeKey, sizeof negative);
            at = std::fill_n(at, counts[k] - negatives[k], positive);
            at = std::fill_n(at, negatives[k], negative);
        } else {
            at = std::fill_n(at, counts[k], FromOrderKey(key));
        }
    }
    return true;
}

// The most counts CountTaggedByDistinctKeys keeps: a count per distinct
// value and tag.
const size_t kMostTaggedCounts = size_t(1) << 20;

// The most distinct keys a count of n cases with tagCount tags takes.
size_t MostTaggedKeys(size_t n, size_t tagCount)
{
    return std::min(std::min(kMostDistinctKeys, n / kCasesPerDistinctKey), kMostTaggedCounts / tagCount);
}

// The exponent field of a float weight; the least one over the weights
// gives the finest unit in the last place of any of them.
inline uint32_t ExponentField(float weight)
{
    uint32_t bits;
    std::memcpy(&bits, &weight, sizeof bits);
    return (bits >> 23) & 0xFF;
}

// True when float weights whose least exponent field is lowestExponent,
// summing to total, sum exactly in any order: each is a whole multiple of
// 2^(field - 150) (2^-149 for a subnormal one), and every sum of them
// below 2^53 such units is a double.
bool SumsExactly(double total, uint32_t lowestExponent)
{
    const int unit = static_cast<int>(std::max<uint32_t>(lowestExponent, 1)) - 150;
    return total < std::ldexp(1.0, unit + 53);
}

} // namespace

size_t QuantileColumn::TagsMet() const
{
    size_t tagCount = tagTotals.size(); // up to the last tag with a case
    while (tagCount > 0 && tagTotals[tagCount - 1] == 0.0)
        --tagCount;
    return tagCount;
}

bool QuantileColumn::CountTagged()
{
    if (counted)
        return true;
    if (!tagged || counting)
        return false;
    return weighted ? CountWeightedTaggedByDistinctKeys(TagsMet()) : CountTaggedByDistinctKeys(TagsMet(), false);
}

// An unweighted, tagged column of few distinct values (tagCount tags, from
// 0) becomes one entry per distinct value and tag, in ascending order of
// the values and, for one value, of the tags, weighted by the number of
// its cases. Equal values weigh alike, so every order statistic of every
// tag and of all cases follows from the entries exactly as from the cases
// in a stable order, at a step per entry instead of a walk of the cases.
// Without room in the budget for the entries' weights the cases are
// written back in that order instead when sortOtherwise, else left as
// they are (false). False, with nothing moved, with too many distinct
// values or counts, a -0 among the values (it keeps its own bits only in
// the stable sort) or no room in the budget for the counts.
bool QuantileColumn::CountTaggedByDistinctKeys(size_t tagCount, bool sortOtherwise)
{
    const size_t n = Size();
    if (n < kDistinctFrom || tagCount == 0)
        return false;
    const size_t most = MostTaggedKeys(n, tagCount);
    MemoryCharge charge;
    try {
        // The counts, then each key's value and place in the ascending order.
        charge.Add(DistinctKeys::Bytes(most) + most * (tagCount * sizeof(size_t) + sizeof(double) + sizeof(uint32_t)));
    } catch (const BudgetRefusal &) {
        return false;
    }
    DistinctKeys distinct(most);
    std::vector<size_t> counts; // tagCount per distinct value, by id
    counts.reserve(most * tagCount);
    const double *v = values.data();
    const unsigned char *t = tags.data();
    for (size_t i = 0; i < n; ++i) {
        if (v[i] == 0.0 && std::signbit(v[i]))
            return false;
        const long id = distinct.Id(OrderKey(v[i]));
        if (id < 0 || t[i] >= tagCount)
            return false;
        if (static_cast<size_t>(id) * tagCount == counts.size())
            counts.resize(counts.size() + tagCount, 0);
        ++counts[static_cast<size_t>(id) * tagCount + t[i]];
    }
    const std::vector<uint32_t> ascending = distinct.Ascending();
    const std::vector<double> valueOf = distinct.ValuesById();
    std::vector<size_t> cases(tagCount, 0);
    for (size_t c = 0; c < counts.size(); ++c)
        cases[c % tagCount] += counts[c];
    if (TakeEntries(valueOf, ascending, counts, cases))
        return true;
    if (!sortOtherwise)
        return false;
    // No room for the entries' weights: the cases written back in place.
    size_t at = 0;
    for (uint32_t k : ascending) {
        for (size_t tag = 0; tag < tagCount; ++tag) {
            const size_t count = counts[k * tagCount + tag];
            std::fill_n(values.data() + at, count, valueOf[k]);
            std::memset(tags.data() + at, static_cast<int>(tag), count);
            at += count;
        }
    }
    runCases = n;
    return true;
}

// A weighted column of few distinct values (tagged or not: one tag)
// becomes the same entries, each weighted by the sum of its cases'
// weights, where that leaves every figure as the cases in a stable order
// give it: the weights are floats that sum exactly in any order
// (SumsExactly), so the running sums of the quantile walk are the same at
// every change of value. The lightest case then weighs more
// than 2^-30 of the total, far more than twice the quantiles' tolerance
// (1e-12 of it): no two running sums lie within the tolerance of one
// target, so a target met inside an entry is met as within its cases.
// False, with nothing moved, otherwise.
bool QuantileColumn::CountWeightedTaggedByDistinctKeys(size_t tagCount)
{
    const size_t n = Size();
    if (n < kDistinctFrom || tagCount == 0 || !floatWeights)
        return false;
    const size_t most = MostTaggedKeys(n, tagCount);
    MemoryCharge charge;
    try {
        charge.Add(DistinctKeys::Bytes(most) + most * (tagCount * sizeof(double) + sizeof(double) + sizeof(uint32_t)));
    } catch (const BudgetRefusal &) {
        return false;
    }
    DistinctKeys distinct(most);
    std::vector<double> sums; // tagCount per distinct value, by id
    sums.reserve(most * tagCount);
    std::vector<size_t> cases(tagCount, 0);
    uint32_t lowestExponent = 0xFF;
    const double *v = values.data();
    const float *w = narrowWeights.data();
    const unsigned char *t = tags.data();
    for (size_t i = 0; i < n; ++i) {
        if (v[i] == 0.0 && std::signbit(v[i]))
            return false;
        const long id = distinct.Id(OrderKey(v[i]));
        const unsigned tag = tagged ? t[i] : 0u;
        if (id < 0 || tag >= tagCount)
            return false;
        if (static_cast<size_t>(id) * tagCount == sums.size())
            sums.resize(sums.size() + tagCount, 0.0);
        lowestExponent = std::min(lowestExponent, ExponentField(w[i]));
        sums[static_cast<size_t>(id) * tagCount + tag] += w[i];
        ++cases[tag];
    }
    if (!SumsExactly(total, lowestExponent))
        return false;
    const std::vector<uint32_t> ascending = distinct.Ascending();
    const std::vector<double> valueOf = distinct.ValuesById();
    return TakeEntries(valueOf, ascending, sums, cases);
}

bool QuantileColumn::CountMagnitudes(std::vector<double> &magnitudes, std::vector<double> &positive,
                                     std::vector<double> &negative) const
{
    const size_t n = Size();
    if (n < kDistinctFrom || tagged || counting || (weighted && !floatWeights))
        return false;
    const size_t most = std::min(kMostDistinctKeys, n / kCasesPerDistinctKey);
    MemoryCharge charge;
    try {
        // The sums at each sign and the lists given back while they are
        // built, and the order.
        charge.Add(DistinctKeys::Bytes(most) + most * (5 * sizeof(double) + sizeof(uint32_t)));
    } catch (const BudgetRefusal &) {
        return false;
    }
    DistinctKeys distinct(most);
    std::vector<double> up, down; // by id
    up.reserve(most);
    down.reserve(most);
    uint32_t lowestExponent = 0xFF;
    const double *v = values.data();
    const float *w = weighted ? narrowWeights.data() : nullptr;
    for (size_t i = 0; i < n; ++i) {
        const long id = distinct.Id(MagnitudeKey(v[i]));
        if (id < 0)
            return false;
        if (static_cast<size_t>(id) == up.size()) {
            up.push_back(0.0);
            down.push_back(0.0);
        }
        double weight = 1.0;
        if (w) {
            lowestExponent = std::min(lowestExponent, ExponentField(w[i]));
            weight = w[i];
        }
        (v[i] > 0.0 ? up : down)[static_cast<size_t>(id)] += weight;
    }
    // Exact sums, as for the entries above (unweighted: while the count
    // stays below 2^53).
    if (w ? !SumsExactly(total, lowestExponent) : !(total < 0x1p53))
        return false;
    magnitudes.clear();
    positive.clear();
    negative.clear();
    for (uint32_t k : distinct.Ascending()) {
        const uint64_t key = distinct.Key(k);
        double magnitude;
        std::memcpy(&magnitude, &key, sizeof magnitude);
        magnitudes.push_back(magnitude);
        positive.push_back(up[k]);
        negative.push_back(down[k]);
    }
    return true;
}

template <class Amount>
bool QuantileColumn::TakeEntries(const std::vector<double> &valueOf, const std::vector<uint32_t> &ascending,
                                 const std::vector<Amount> &weightOf, const std::vector<size_t> &cases)
{
    const size_t tagCount = cases.size();
    size_t entries = 0;
    for (Amount weight : weightOf)
        entries += weight != 0;
    std::vector<double> weights;
    const size_t weightBytes = entries * sizeof(double);
    bool weightsCharged = false;
    try {
        MemoryBudget::Charge(weightBytes);
        weightsCharged = true;
        weights.reserve(entries);
    } catch (const std::bad_alloc &) {
        if (weightsCharged)
            MemoryBudget::Release(weightBytes);
        return false;
    }
    // The entries fit in the cases' own places (each holds at least one).
    size_t at = 0;
    for (uint32_t k : ascending) {
        for (size_t tag = 0; tag < tagCount; ++tag) {
            const Amount weight = weightOf[k * tagCount + tag];
            if (weight == 0)
                continue;
            values[at] = valueOf[k];
            if (tagged)
                tags[at] = static_cast<unsigned char>(tag);
            weights.push_back(static_cast<double>(weight));
            ++at;
        }
    }
    values.resize(at);
    if (tagged)
        tags.resize(at);
    wideWeights.swap(weights);
    std::vector<float>().swap(narrowWeights);
    weighted = true;
    floatWeights = false;
    charged += weightBytes;
    runCases = at;
    counted = true;
    tagCases = cases;
    return true;
}

namespace {

template <class W, bool Weights, bool Tags> void RadixSortRunOf(const RunArrays<W> &a, size_t n)
{
    if (SortRunByDistinctKeys<W, Weights, Tags>(a, n))
        return;
    const bool negativeZero =
        std::any_of(a.values, a.values + n, [](double v) { return v == 0.0 && std::signbit(v); });
    if (negativeZero)
        RadixSortRunBy<W, Weights, Tags, false>(a, n);
    else
        RadixSortRunBy<W, Weights, Tags, true>(a, n);
}

template <class W> void RadixSortRun(const RunArrays<W> &a, size_t n)
{
    if (a.weights && a.tags)
        RadixSortRunOf<W, true, true>(a, n);
    else if (a.weights)
        RadixSortRunOf<W, true, false>(a, n);
    else if (a.tags)
        RadixSortRunOf<W, false, true>(a, n);
    else
        RadixSortRunOf<W, false, false>(a, n);
}

// Sorts the column's arrays in runs of run cases, each with scratch of one
// run.
template <class W>
void SortInRuns(std::vector<double> &values, W *weights, unsigned char *tags, size_t run)
{
    const size_t n = values.size();
    // Scratch left unset: every pass writes what it reads after.
    const std::unique_ptr<double[]> valueScratch(new double[run]);
    const std::unique_ptr<W[]> weightScratch(new W[weights ? run : 0]);
    const std::unique_ptr<unsigned char[]> tagScratch(new unsigned char[tags ? run : 0]);
    for (size_t start = 0; start < n; start += run) {
        const size_t length = std::min(run, n - start);
        RunArrays<W> a = {values.data() + start, valueScratch.get(),
                          weights ? weights + start : nullptr, weightScratch.get(),
                          tags ? tags + start : nullptr, tagScratch.get()};
        RadixSortRun(a, length);
    }
}

// The entries of a column sorted by runs, walked in the order of one
// stable sort of the whole column: the smallest head of the runs first,
// the earlier run first among equal values. The heads form a heap whose
// top is replaced and sifted down once per entry; while the top run's next
// key stays below every other head, its entries follow without the heap.
class MergedRuns
{
public:
    MergedRuns(const QuantileColumn &column) : column(column)
    {
        const size_t size = column.Size();
        const size_t run = std::max<size_t>(column.RunCases(), 1);
        for (size_t start = 0; start < size; start += run)
            heads.push_back({OrderKey(column.Value(start)), start, std::min(size, start + run)});
        for (size_t i = heads.size() / 2; i-- > 0;)
            SiftDown(i);
    }
    // The index of the next entry; false past the last.
    bool Next(size_t &index)
    {
        if (heads.empty())
            return false;
        Head &top = heads.front();
        index = top.next++;
        if (top.next == top.end) {
            heads.front() = heads.back();
            heads.pop_back();
            if (!heads.empty())
                SiftDown(0);
            return true;
        }
        top.key = OrderKey(column.Value(top.next));
        if (heads.size() > 1 && !Before(top, Smaller(1)))
            SiftDown(0);
        return true;
    }

private:
    struct Head
    {
        uint64_t key;
        size_t next, end;
    };
    // a comes before b: a smaller key, or an equal key in an earlier run.
    static bool Before(const Head &a, const Head &b) { return a.key < b.key || (a.key == b.key && a.next < b.next); }
    // The smaller of the children of the top (heads[1] and heads[2]).
    const Head &Smaller(size_t first) const
    {
        return first + 1 < heads.size() && Before(heads[first + 1], heads[first]) ? heads[first + 1] : heads[first];
    }
    void SiftDown(size_t i)
    {
        const size_t n = heads.size();
        const Head moving = heads[i];
        for (;;) {
            size_t child = 2 * i + 1;
            if (child >= n)
                break;
            if (child + 1 < n && Before(heads[child + 1], heads[child]))
                ++child;
            if (!Before(heads[child], moving))
                break;
            heads[i] = heads[child];
            i = child;
        }
        heads[i] = moving;
    }
    const QuantileColumn &column;
    std::vector<Head> heads;
};

// Sorts the entries 0..n-1 in place by key(i) (swap(i, j) exchanges two
// entries), most significant digit first: an in-place radix sort of 8-bit
// digits (counts, then each entry swapped into its bucket) that starts each
// range at the highest bit in which its keys differ, so that a range of
// equal keys costs one pass. Ranges of a few entries are finished by
// insertion. Entries of equal keys end in no particular order. No scratch
// beyond the counts.
template <class Key, class Swap> void MsdRadixRange(size_t first, size_t n, const Key &key, const Swap &swap)
{
    const size_t kInsertionBelow = 32;
    if (n < kInsertionBelow) {
        for (size_t i = first + 1; i < first + n; ++i)
            for (size_t j = i; j > first && key(j - 1) > key(j); --j)
                swap(j - 1, j);
        return;
    }
    uint64_t low = key(first), high = low;
    for (size_t i = first + 1; i < first + n; ++i) {
        const uint64_t k = key(i);
        low = k < low ? k : low;
        high = k > high ? k : high;
    }
    if (low == high)
        return;
    int bit = 63;
    while (!(((low ^ high) >> bit) & 1))
        --bit;
    const int shift = bit >= 7 ? bit - 7 : 0;
    size_t count[256] = {0};
    for (size_t i = first; i < first + n; ++i)
        ++count[(key(i) >> shift) & 0xFF];
    size_t start[256], next[256], end[256];
    size_t at = first;
    for (int b = 0; b < 256; ++b) {
        start[b] = next[b] = at;
        at += count[b];
        end[b] = at;
    }
    for (int b = 0; b < 256; ++b) {
        while (next[b] < end[b]) {
            const size_t d = (key(next[b]) >> shift) & 0xFF;
            if (d == static_cast<size_t>(b))
                ++next[b];
            else
                swap(next[b], next[d]++);
        }
    }
    if (shift == 0)
        return;
    for (int b = 0; b < 256; ++b)
        if (count[b] > 1)
            MsdRadixRange(start[b], count[b], key, swap);
}

template <class Key, class Swap> void MsdRadixSort(size_t n, const Key &key, const Swap &swap)
{
    MsdRadixRange(0, n, key, swap);
}

} // namespace

void QuantileColumn::Sort()
{
    if (counting) {
        CountsToEntries();
        return;
    }
    if (counted)
        return;
    if (tagged && !weighted && CountTaggedByDistinctKeys(TagsMet(), true))
        return;
    if (weighted && !tagged && CountWeightedTaggedByDistinctKeys(1))
        return;
    if (weighted || tagged) {
        SortRuns();
        return;
    }
    runCases = values.size();
    if (SortPlainByDistinctKeys<false>(values.data(), values.size()))
        return;
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
        // No room for a second copy: runs as long as the budget grants.
        try {
            SortRuns();
            return;
        } catch (const std::bad_alloc &) {
            runCases = values.size();
        }
    }
    std::sort(values.begin(), values.end());
}

void QuantileColumn::SortRuns()
{
    const size_t n = Size();
    if (n < 2) {
        runCases = n;
        return;
    }
    // The scratch of one run, charged for the moment of the sort: runs of
    // at most kRunCases (longer ones sort slower: their passes scatter over
    // more memory than the caches hold), shorter while the budget refuses.
    const size_t entry = EntryBytes();
    const size_t used = MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes();
    const size_t free = MemoryBudget::Limit() > used ? MemoryBudget::Limit() - used : 0;
    size_t run = std::min(std::min(n, kRunCases), std::max(kFewestRunCases, free / entry));
    for (;;) {
        try {
            MemoryBudget::Charge(run * entry);
            break;
        } catch (const BudgetRefusal &) {
            if (run <= kFewestRunCases)
                throw;
            run = std::max(kFewestRunCases, run / 2);
        }
    }
    try {
        unsigned char *tagData = tagged ? tags.data() : nullptr;
        if (weighted && floatWeights)
            SortInRuns<float>(values, narrowWeights.data(), tagData, run);
        else if (weighted)
            SortInRuns<double>(values, wideWeights.data(), tagData, run);
        else
            SortInRuns<float>(values, nullptr, tagData, run);
    } catch (...) {
        MemoryBudget::Release(run * entry);
        throw;
    }
    MemoryBudget::Release(run * entry);
    runCases = run;
}

namespace {

// Sorts the arrays by magnitude through the distinct keys (stably: ties of
// magnitude in the order the cases came), with scratch of the column's
// size; false, with nothing moved, without room for the scratch or with
// too many distinct magnitudes.
template <class W, bool Weights>
bool SortMagnitudesByDistinctKeys(double *values, W *weights, unsigned char *tags, size_t n, size_t entryBytes)
{
    if (n < kDistinctFrom)
        return false;
    // The scratch and the sort's own ids together, or nothing: a scratch
    // charged in vain would only raise the budget's peak.
    const size_t used = MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes();
    const size_t free = MemoryBudget::Limit() > used ? MemoryBudget::Limit() - used : 0;
    if (n > free / (entryBytes + 2 * sizeof(uint16_t)))
        return false;
    MemoryCharge charge;
    try {
        charge.AddItems(n, entryBytes);
        const std::unique_ptr<double[]> valueScratch(new double[n]);
        const std::unique_ptr<W[]> weightScratch(new W[Weights ? n : 0]);
        const std::unique_ptr<unsigned char[]> tagScratch(new unsigned char[tags ? n : 0]);
        const RunArrays<W> a = {values, valueScratch.get(), weights, weightScratch.get(), tags, tagScratch.get()};
        return tags ? SortRunByDistinctKeys<W, Weights, true, true>(a, n)
                    : SortRunByDistinctKeys<W, Weights, false, true>(a, n);
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace

void QuantileColumn::SortByMagnitude()
{
    if (counting)
        CountsToEntries();
    runCases = values.size();
    if (!weighted && !tagged && SortPlainByDistinctKeys<true>(values.data(), Size()))
        return;
    unsigned char *tagData = tagged ? tags.data() : nullptr;
    if (weighted && floatWeights
            ? SortMagnitudesByDistinctKeys<float, true>(values.data(), narrowWeights.data(), tagData, Size(),
                                                        EntryBytes())
        : weighted ? SortMagnitudesByDistinctKeys<double, true>(values.data(), wideWeights.data(), tagData, Size(),
                                                                EntryBytes())
                   : SortMagnitudesByDistinctKeys<float, false>(values.data(), nullptr, tagData, Size(), EntryBytes()))
        return;
    double *v = values.data();
    unsigned char *t = tagged ? tags.data() : nullptr;
    const auto key = [v](size_t i) { return MagnitudeKey(v[i]); };
    if (weighted && floatWeights) {
        float *w = narrowWeights.data();
        MsdRadixSort(values.size(), key, [v, w, t](size_t i, size_t j) {
            std::swap(v[i], v[j]);
            std::swap(w[i], w[j]);
            if (t)
                std::swap(t[i], t[j]);
        });
    } else if (weighted) {
        double *w = wideWeights.data();
        MsdRadixSort(values.size(), key, [v, w, t](size_t i, size_t j) {
            std::swap(v[i], v[j]);
            std::swap(w[i], w[j]);
            if (t)
                std::swap(t[i], t[j]);
        });
    } else {
        MsdRadixSort(values.size(), key, [v, t](size_t i, size_t j) {
            std::swap(v[i], v[j]);
            if (t)
                std::swap(t[i], t[j]);
        });
    }
    runCases = values.size();
}

namespace {

// The summary of one group of a weighted column (or of all its cases),
// built over the merged walk as SortedQuantile and ComputeQuantileSummary
// build it over the group's own sorted cases: the same running sum of the
// weights in the same order, so the same decisions.
struct SummarySlot
{
    double weight = 0.0; // the group's total weight (times scale)
    double scale = 1.0;  // the factor of each case's weight in the sums
    size_t size = 0;
    double minimum = 0.0, maximum = 0.0;
    double cumulative = 0.0;
    size_t seen = 0;
    int state[3] = {0, 0, 0}; // per quartile: 0 open, 1 waiting for the next value, 2 found
    double held[3] = {0.0, 0.0, 0.0};
    double quartiles[3] = {0.0, 0.0, 0.0};
    bool Done() const { return size == 0 || minimum == maximum || (state[0] == 2 && state[1] == 2 && state[2] == 2); }
    // Done() as of the last step (the walk asks it for every case).
    bool done = false;

    void Scan(double v)
    {
        if (size == 0 || v < minimum)
            minimum = v;
        if (size == 0 || v >= maximum)
            maximum = v;
        ++size;
    }
    // The least cumulative weight at which an open quartile may be
    // decided, and whether one waits for the next value; a step below it
    // only adds its weight.
    double threshold = 0.0;
    bool thresholdKnown = false, waiting = false;

    void Step(double v, double w)
    {
        static const double kP[3] = {0.25, 0.5, 0.75};
        if (thresholdKnown && !waiting) {
            const double next = cumulative + w * scale;
            if (next < threshold) {
                cumulative = next;
                ++seen;
                return;
            }
        }
        StepAll(v, w, kP);
        done = Done();
        threshold = HUGE_VAL;
        waiting = false;
        for (int k = 0; k < 3; ++k) {
            waiting = waiting || state[k] == 1;
            if (state[k] == 0)
                threshold = std::min(threshold, kP[k] * weight - 1e-12 * weight);
        }
        thresholdKnown = true;
    }
    void StepAll(double v, double w, const double *kP)
    {
        for (int k = 0; k < 3; ++k) {
            if (state[k] == 1) {
                quartiles[k] = Midpoint(held[k], v);
                state[k] = 2;
            }
        }
        cumulative += w * scale;
        const size_t i = seen++;
        const double tolerance = 1e-12 * weight;
        for (int k = 0; k < 3; ++k) {
            if (state[k] != 0)
                continue;
            const double target = kP[k] * weight;
            if (cumulative >= target - tolerance) {
                if (std::fabs(cumulative - target) <= tolerance && i + 1 < size) {
                    held[k] = v;
                    state[k] = 1;
                } else {
                    quartiles[k] = v;
                    state[k] = 2;
                }
            }
        }
    }
};

// The merged walk of a weighted column sorted by runs, feeding each entry
// to the slot of its tag (when it has one below tagCount) and to the total
// slot (when there is one), until every slot has its quartiles.
void WalkSlots(const QuantileColumn &column, std::vector<SummarySlot> &slots, size_t tagCount, bool withTotal)
{
    if (!column.Tagged() && tagCount == 0) {
        // One slot of all the cases: its least and greatest values are
        // among the runs' first and last ones.
        SummarySlot &all = slots[0];
        const size_t run = std::max<size_t>(column.RunCases(), 1);
        for (size_t start = 0; start < column.Size(); start += run) {
            const double first = column.Value(start);
            const double last = column.Value(std::min(column.Size(), start + run) - 1);
            if (start == 0 || first < all.minimum)
                all.minimum = first;
            if (start == 0 || last >= all.maximum)
                all.maximum = last;
        }
        all.size = column.Size();
    } else if (column.RunCases() >= 1) {
        // Sorted runs: in each run a slot's least value is its first case
        // there, its greatest its last; over the runs in order the least
        // stays the first of equal ones and the greatest becomes the last,
        // as Scan over every case keeps them.
        const size_t n = column.Size(), run = column.RunCases();
        const size_t runs = (n + run - 1) / run;
        std::vector<size_t> inRun(runs * slots.size(), 0); // cases per run and slot
        for (size_t r = 0; r < runs; ++r) {
            size_t *counts = inRun.data() + r * slots.size();
            const size_t end = std::min(n, (r + 1) * run);
            for (size_t i = r * run; i < end; ++i) {
                const unsigned t = column.Tag(i);
                if (t < tagCount)
                    ++counts[t];
            }
            if (withTotal)
                counts[tagCount] = end - r * run;
            for (size_t s = 0; s < slots.size(); ++s)
                slots[s].size += counts[s];
        }
        std::vector<unsigned char> seen(slots.size(), 0), any(slots.size(), 0);
        for (size_t r = 0; r < runs; ++r) {
            const size_t *counts = inRun.data() + r * slots.size();
            const size_t start = r * run, end = std::min(n, start + run);
            for (bool lowest : {true, false}) {
                size_t unseen = 0;
                for (size_t s = 0; s < slots.size(); ++s) {
                    seen[s] = 0;
                    unseen += counts[s] > 0;
                }
                const auto see = [&](size_t s, double v) {
                    if (seen[s])
                        return;
                    seen[s] = 1;
                    --unseen;
                    SummarySlot &slot = slots[s];
                    if (lowest && (!any[s] || v < slot.minimum))
                        slot.minimum = v;
                    if (!lowest && (!any[s] || v >= slot.maximum))
                        slot.maximum = v;
                };
                for (size_t k = 0; k < end - start && unseen > 0; ++k) {
                    const size_t i = lowest ? start + k : end - 1 - k;
                    const unsigned t = column.Tag(i);
                    if (t < tagCount)
                        see(t, column.Value(i));
                    if (withTotal)
                        see(tagCount, column.Value(i));
                }
            }
            for (size_t s = 0; s < slots.size(); ++s)
                any[s] = any[s] || counts[s] > 0;
        }
    } else {
        for (size_t i = 0; i < column.Size(); ++i) {
            const unsigned t = column.Tag(i);
            if (t < tagCount)
                slots[t].Scan(column.Value(i));
            if (withTotal)
                slots[tagCount].Scan(column.Value(i));
        }
    }
    size_t open = 0;
    for (SummarySlot &slot : slots) {
        slot.done = slot.Done();
        open += !slot.done;
    }
    MergedRuns merged(column);
    size_t i;
    while (open > 0 && merged.Next(i)) {
        const double v = column.Value(i), w = column.Weight(i);
        const unsigned t = column.Tag(i);
        if (t < tagCount && !slots[t].done) {
            slots[t].Step(v, w);
            open -= slots[t].done;
        }
        if (withTotal && !slots[tagCount].done) {
            slots[tagCount].Step(v, w);
            open -= slots[tagCount].done;
        }
    }
    // A quartile never reached is the largest value.
    for (SummarySlot &slot : slots)
        for (int k = 0; k < 3; ++k)
            if (slot.state[k] != 2)
                slot.quartiles[k] = slot.maximum;
}

// The whisker ends of every slot, from one walk in any order: the smallest
// value not below the low fence (the first of equal ones, as a stable
// sort places them) and the largest not above the high fence (the last).
void WhiskerSlots(const QuantileColumn &column, std::vector<SummarySlot> &slots, size_t tagCount, bool withTotal,
                  std::array<double, 7> *out)
{
    const size_t n = slots.size();
    std::vector<double> lowFence(n), highFence(n);
    std::vector<unsigned char> wanted(n), foundLow(n, 0), foundHigh(n, 0);
    for (size_t s = 0; s < n; ++s) {
        const SummarySlot &slot = slots[s];
        wanted[s] = slot.size > 0 && slot.minimum != slot.maximum;
        const double iqr = slot.quartiles[2] - slot.quartiles[0];
        lowFence[s] = slot.quartiles[0] - iqr;
        highFence[s] = slot.quartiles[2] + iqr;
    }
    if (!column.Tagged() && tagCount == 0) {
        // Each run is sorted: its candidates lie where the fences fall.
        if (!wanted[0])
            return;
        const size_t run = std::max<size_t>(column.RunCases(), 1);
        for (size_t start = 0; start < column.Size(); start += run) {
            size_t lo = start, hi = std::min(column.Size(), start + run);
            const size_t end = hi;
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (column.Value(mid) >= lowFence[0])
                    hi = mid;
                else
                    lo = mid + 1;
            }
            if (lo < end && (!foundLow[0] || column.Value(lo) < out[0][3])) {
                out[0][3] = column.Value(lo);
                foundLow[0] = 1;
            }
            lo = start;
            hi = end;
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (column.Value(mid) <= highFence[0])
                    lo = mid + 1;
                else
                    hi = mid;
            }
            if (lo > start && (!foundHigh[0] || column.Value(lo - 1) >= out[0][4])) {
                out[0][4] = column.Value(lo - 1);
                foundHigh[0] = 1;
            }
        }
        return;
    }
    if (column.RunCases() >= 1) {
        // Sorted runs: in each run a slot's low end is its first case not
        // below its fence (the first of equal ones), its high end its last
        // case not above, found from either end of the run; over the runs
        // in order the low end stays the first of equal ones and the high
        // end becomes the last, as the walk over every case keeps them.
        const size_t size = column.Size(), run = column.RunCases();
        double lowest = HUGE_VAL, highest = -HUGE_VAL;
        size_t wantedSlots = 0;
        for (size_t s = 0; s < n; ++s) {
            if (!wanted[s])
                continue;
            ++wantedSlots;
            lowest = std::min(lowest, lowFence[s]);
            highest = std::max(highest, highFence[s]);
        }
        std::vector<unsigned char> inRun(n);
        for (size_t start = 0; start < size && wantedSlots > 0; start += run) {
            const size_t end = std::min(size, start + run);
            size_t lo = start, hi = end;
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (column.Value(mid) >= lowest)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            size_t open = wantedSlots;
            std::fill(inRun.begin(), inRun.end(), 0);
            const auto low = [&](size_t s, double v) {
                if (wanted[s] && !inRun[s] && v >= lowFence[s]) {
                    inRun[s] = 1;
                    --open;
                    if (!foundLow[s] || v < out[s][3]) {
                        out[s][3] = v;
                        foundLow[s] = 1;
                    }
                }
            };
            for (size_t i = lo; i < end && open > 0; ++i) {
                const unsigned t = column.Tag(i);
                if (t < tagCount)
                    low(t, column.Value(i));
                if (withTotal)
                    low(tagCount, column.Value(i));
            }
            lo = start;
            hi = end;
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (column.Value(mid) <= highest)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            open = wantedSlots;
            std::fill(inRun.begin(), inRun.end(), 0);
            const auto high = [&](size_t s, double v) {
                if (wanted[s] && !inRun[s] && v <= highFence[s]) {
                    inRun[s] = 1;
                    --open;
                    if (!foundHigh[s] || v >= out[s][4]) {
                        out[s][4] = v;
                        foundHigh[s] = 1;
                    }
                }
            };
            for (size_t i = lo; i-- > start && open > 0;) {
                const unsigned t = column.Tag(i);
                if (t < tagCount)
                    high(t, column.Value(i));
                if (withTotal)
                    high(tagCount, column.Value(i));
            }
        }
        return;
    }
    const auto take = [&](size_t s, double v) {
        if (!wanted[s])
            return;
        if (v >= lowFence[s] && (!foundLow[s] || v < out[s][3])) {
            out[s][3] = v;
            foundLow[s] = 1;
        }
        if (v <= highFence[s] && (!foundHigh[s] || v >= out[s][4])) {
            out[s][4] = v;
            foundHigh[s] = 1;
        }
    };
    for (size_t i = 0; i < column.Size(); ++i) {
        const unsigned t = column.Tag(i);
        if (t < tagCount)
            take(t, column.Value(i));
        if (withTotal)
            take(tagCount, column.Value(i));
    }
}

// A slot whose weights sum past the largest double sums them, and steps
// through them, scaled by kWeightScale: the quartiles then follow the same
// shares of the weight. Scaling by a power of two is exact, and a slot of
// ordinary weights keeps the factor 1.
constexpr double kWeightScale = 0x1p-64;

void ScaleOverflowingSlots(const QuantileColumn &column, std::vector<SummarySlot> &slots, size_t tagCount,
                           bool withTotal)
{
    bool any = false;
    for (SummarySlot &slot : slots)
        if (!std::isfinite(slot.weight)) {
            slot.weight = 0.0;
            slot.scale = kWeightScale;
            any = true;
        }
    if (!any)
        return;
    for (size_t i = 0; i < column.Size(); ++i) {
        const double w = column.Weight(i) * kWeightScale;
        const unsigned t = column.Tag(i);
        if (t < tagCount && slots[t].scale != 1.0)
            slots[t].weight += w;
        if (withTotal && slots[tagCount].scale != 1.0)
            slots[tagCount].weight += w;
    }
}

void SummariesOfSlots(QuantileColumn &column, std::vector<SummarySlot> &slots, size_t tagCount, bool withTotal,
                      std::array<double, 7> *out, bool sorted = false)
{
    ScaleOverflowingSlots(column, slots, tagCount, withTotal);
    for (size_t s = 0; s < slots.size(); ++s)
        for (int k = 0; k < 7; ++k)
            out[s][k] = kNotComputed;
    if (!sorted)
        column.Sort();
    WalkSlots(column, slots, tagCount, withTotal);
    for (size_t s = 0; s < slots.size(); ++s) {
        const SummarySlot &slot = slots[s];
        if (slot.size == 0)
            continue;
        out[s][5] = slot.minimum;
        out[s][6] = slot.maximum;
        if (slot.minimum == slot.maximum) {
            for (int k = 0; k < 5; ++k)
                out[s][k] = slot.minimum;
            continue;
        }
        for (int k = 0; k < 3; ++k)
            out[s][k] = slot.quartiles[k];
    }
    WhiskerSlots(column, slots, tagCount, withTotal, out);
}

} // namespace

double SortedQuantile(const QuantileColumn &sorted, double p)
{
    const size_t size = sorted.Size();
    double totalWeight = sorted.TotalWeight(), scale = 1.0;
    if (std::isinf(totalWeight)) {
        // Weights summing past the largest double: the same shares of
        // their sum scaled down (exactly, by a power of two).
        scale = kWeightScale;
        totalWeight = 0.0;
        for (size_t i = 0; i < size; ++i)
            totalWeight += sorted.Weight(i) * scale;
    }
    if (size == 0 || !(totalWeight > 0.0))
        return kNotComputed;
    const double target = p * totalWeight;
    const double tolerance = 1e-12 * totalWeight;
    double cumulative = 0.0;
    if (sorted.RunCases() < size) {
        // Runs of a weighted column: walked merged.
        MergedRuns merged(sorted);
        size_t i = 0, taken = 0;
        while (merged.Next(i)) {
            cumulative += sorted.Weight(i) * scale;
            ++taken;
            if (cumulative >= target - tolerance) {
                size_t next;
                if (std::fabs(cumulative - target) <= tolerance && taken < size && merged.Next(next))
                    return Midpoint(sorted.Value(i), sorted.Value(next));
                return sorted.Value(i);
            }
        }
        return sorted.Value(i);
    }
    for (size_t i = 0; i < size; ++i) {
        cumulative += sorted.Weight(i) * scale;
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
    if (column.Weighted() || column.Counting() || column.Tagged()) {
        if (column.Tagged()) {
            ComputeQuantileSummaries(column, 0, nullptr, summary);
            return;
        }
        std::vector<SummarySlot> slots(1);
        slots[0].weight = column.TotalWeight();
        std::array<double, 7> out;
        SummariesOfSlots(column, slots, 0, true, &out);
        std::copy(out.begin(), out.end(), summary);
        return;
    }
    for (int i = 0; i < 7; ++i)
        summary[i] = kNotComputed;
    column.Sort();
    const size_t size = column.Size();
    if (size == 0)
        return;
    if (column.RunCases() < size) {
        // Sorted by runs (the budget had no room for a second copy): the
        // merged walk, as for a weighted column.
        std::vector<SummarySlot> slots(1);
        slots[0].weight = column.TotalWeight();
        std::array<double, 7> out;
        SummariesOfSlots(column, slots, 0, true, &out, true);
        std::copy(out.begin(), out.end(), summary);
        return;
    }
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

void ComputeQuantileSummaries(QuantileColumn &column, size_t tagCount, double *const *summaries, double *total)
{
    const bool withTotal = total != nullptr;
    std::vector<SummarySlot> slots(tagCount + (withTotal ? 1 : 0));
    for (size_t t = 0; t < tagCount; ++t)
        slots[t].weight = column.TagWeight(static_cast<unsigned>(t));
    if (withTotal)
        slots[tagCount].weight = column.TotalWeight();
    std::vector<std::array<double, 7>> out(slots.size());
    SummariesOfSlots(column, slots, tagCount, withTotal, out.data());
    for (size_t t = 0; t < tagCount; ++t)
        std::copy(out[t].begin(), out[t].end(), summaries[t]);
    if (withTotal)
        std::copy(out[tagCount].begin(), out[tagCount].end(), total);
}
