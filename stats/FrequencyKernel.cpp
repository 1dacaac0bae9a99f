#include "stats/FrequencyKernel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "dataset/MemoryBudget.h"
#include "stats/StatMissing.h"

namespace {

// Scaled down by 2^64, up to 2^63 values of the largest double sum to a
// finite number.
const int kSumScale = 64;

} // namespace

long FrequencyCounter::Find(double value)
{
    // Survey variables hold a few codes: the last one, then a scan of up to
    // kScanned values, and a hash only for variables with many values.
    if (lastSlot_ >= 0 && value == lastValue_)
        return lastSlot_;
    long slot = -1;
    const size_t known = values_.size();
    if (known <= kScanned) {
        for (size_t i = 0; i < known; ++i) {
            if (values_[i] == value) {
                slot = static_cast<long>(i);
                break;
            }
        }
    } else {
        if (index_.empty())
            for (size_t i = 0; i < known; ++i)
                index_.emplace(values_[i], static_cast<long>(i));
        auto found = index_.find(value);
        if (found != index_.end())
            slot = found->second;
    }
    if (slot < 0) {
        if (charge_)
            charge_->Add(kValueCost);
        slot = static_cast<long>(known);
        values_.push_back(value);
        slots_.push_back({0, 0.0, false});
        if (!index_.empty())
            index_.emplace(value, slot);
    }
    lastValue_ = value;
    lastSlot_ = slot;
    return slot;
}

void FrequencyCounter::Add(double value, double weight, bool missing)
{
    Slot &s = slots_[Find(value)];
    ++s.count;
    s.weight += weight;
    s.missing = s.missing || missing;
    if (!missing) {
        validSum_ += value;
        scaledSum_ += std::ldexp(value, -kSumScale);
        ++validCases_;
    }
}

void FrequencyCounter::AddCount(double value, long count, double weightSum, bool missing)
{
    if (count <= 0)
        return;
    Slot &s = slots_[Find(value)];
    s.count += count;
    s.weight += weightSum;
    s.missing = s.missing || missing;
    if (!missing) {
        validSum_ += value * static_cast<double>(count);
        scaledSum_ += std::ldexp(value, -kSumScale) * static_cast<double>(count);
        validCases_ += count;
    }
}

void FrequencyCounter::Finish(bool weighted, FrequencyResult &result)
{
    std::vector<size_t> order(values_.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) { return values_[a] < values_[b]; });
    result = FrequencyResult();
    for (size_t i : order) {
        FrequencyCount c;
        c.value = values_[i];
        c.missing = slots_[i].missing;
        c.count = weighted ? 0 : slots_[i].count;
        c.frequency = weighted ? slots_[i].weight : static_cast<double>(slots_[i].count);
        result.total += c.frequency;
        if (!c.missing)
            result.validTotal += c.frequency;
        result.categories.push_back(c);
    }
    const double inverse = result.total > 0.0 ? 1.0 / result.total : 0.0;
    if (!std::isfinite(result.total)) {
        // Weights past the largest double: the shares are those of the
        // frequencies scaled by 2^-kSumScale, whose sums stay finite.
        result.weightsTooLarge = true;
        double scaledTotal = 0.0, scaledValid = 0.0;
        for (const FrequencyCount &c : result.categories) {
            scaledTotal += std::ldexp(c.frequency, -kSumScale);
            if (!c.missing)
                scaledValid += std::ldexp(c.frequency, -kSumScale);
        }
        for (FrequencyCount &c : result.categories) {
            const double part = std::ldexp(c.frequency, -kSumScale);
            const bool known = std::isfinite(part) && std::isfinite(scaledTotal);
            c.percent = known ? part / scaledTotal * 100.0 : kNotComputed;
            if (c.missing)
                c.validPercent = -1.0;
            else
                c.validPercent = known && std::isfinite(scaledValid) && scaledValid > 0.0
                                     ? part / scaledValid * 100.0
                                     : kNotComputed;
        }
    } else {
        for (FrequencyCount &c : result.categories) {
            // Multiplied by 100 first for the figures of ordinary weights;
            // where that or the reciprocal of a subnormal total overflows,
            // divided first.
            double percent = c.frequency * 100.0 * inverse;
            if (!std::isfinite(percent))
                percent = c.frequency / result.total * 100.0;
            c.percent = result.total > 0.0 ? percent : 0.0;
            if (c.missing) {
                c.validPercent = -1.0;
            } else {
                double valid = c.frequency * 100.0 / result.validTotal;
                if (!std::isfinite(valid))
                    valid = c.frequency / result.validTotal * 100.0;
                c.validPercent = result.validTotal > 0.0 ? valid : 0.0;
            }
        }
    }
    result.validCases = validCases_;
    if (validCases_ == 0)
        result.mean = kNotComputed;
    else if (std::isfinite(validSum_))
        result.mean = validSum_ / validCases_;
    else
        result.mean = std::ldexp(scaledSum_ / validCases_, kSumScale);
}
