#include "stats/WeightedMoments.h"

#include <algorithm>
#include <cmath>

#include "stats/StatMissing.h"

void WeightedMoments::StartPending()
{
    pending_.resize(2 * kMomentBlock);
}

void WeightedMoments::StartPendingWeights()
{
    std::fill(pending_.begin() + kMomentBlock, pending_.begin() + kMomentBlock + pendingCount_, 1.0);
    pendingUnit_ = false;
}

void WeightedMoments::FlushFull()
{
    Flushed();
}

void WeightedMoments::AddBlock(const double *x, const double *w, size_t n)
{
    size_t i = 0;
    // Fill a started block case by case, then whole blocks straight from
    // the arrays, so the stream is cut where Add would cut it.
    while (i < n && pendingCount_ != 0) {
        Add(x[i], w ? w[i] : 1.0);
        ++i;
    }
    for (; n - i >= kMomentBlock; i += kMomentBlock)
        SummariseAndMerge(x + i, w ? w + i : nullptr, kMomentBlock);
    for (; i < n; ++i)
        Add(x[i], w ? w[i] : 1.0);
}

namespace {

// Summarise for weights given (Weighted) or of 1, with or without the 3rd
// and 4th moments: one loop for each, the same arithmetic (a weight of 1
// multiplies exactly).
template <bool Weighted, bool Higher>
void SummariseBlock(const double *x, const double *w, size_t n, MomentBlock &b, double *deviations)
{
    const double shift = x[0];
    double weight = 0.0, shifted = 0.0, sum = 0.0, low = x[0], high = x[0];
    for (size_t i = 0; i < n; ++i) {
        const double wi = Weighted ? w[i] : 1.0;
        weight += wi;
        shifted += wi * (x[i] - shift);
        sum += wi * x[i];
        low = x[i] < low ? x[i] : low;
        high = x[i] > high ? x[i] : high;
    }
    const double offset = shifted / weight;
    double m2 = 0.0, m3 = 0.0, m4 = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double d = (x[i] - shift) - offset;
        const double wd2 = (Weighted ? w[i] : 1.0) * d * d;
        m2 += wd2;
        if (Higher) {
            m3 += wd2 * d;
            m4 += wd2 * d * d;
        }
        if (deviations)
            deviations[i] = d;
    }
    b.count = static_cast<long>(n);
    b.weight = weight;
    b.sum = sum;
    b.shift = shift;
    b.offset = offset;
    b.m2 = m2;
    b.m3 = m3;
    b.m4 = m4;
    b.minimum = low;
    b.maximum = high;
}

} // namespace

void WeightedMoments::Summarise(const double *x, const double *w, size_t n, bool higher, MomentBlock &b,
                                double *deviations)
{
    b = MomentBlock();
    if (n == 0)
        return;
    if (w && higher)
        SummariseBlock<true, true>(x, w, n, b, deviations);
    else if (w)
        SummariseBlock<true, false>(x, w, n, b, deviations);
    else if (higher)
        SummariseBlock<false, true>(x, w, n, b, deviations);
    else
        SummariseBlock<false, false>(x, w, n, b, deviations);
}

void WeightedMoments::Merge(const MomentBlock &b)
{
    Flushed();
    MergeTo(b);
}

double WeightedMoments::DistanceTo(const MomentBlock &b) const
{
    Flushed();
    if (count_ == 0)
        return 0.0;
    return ((b.shift - mean_) + b.offset) - meanError_;
}

const WeightedMoments &WeightedMoments::Flushed() const
{
    if (pendingCount_ != 0) {
        const size_t n = pendingCount_;
        const bool unit = pendingUnit_;
        pendingCount_ = 0;
        pendingUnit_ = true;
        SummariseAndMerge(pending_.data(), unit ? nullptr : pending_.data() + kMomentBlock, n);
    }
    return *this;
}

void WeightedMoments::SummariseAndMerge(const double *x, const double *w, size_t n) const
{
    if (scale_ == 0 && AnyHuge(x, n))
        HoldScaledNow();
    if (scale_ != 0) {
        scratch_.resize(n);
        const double factor = std::ldexp(1.0, scale_);
        for (size_t i = 0; i < n; ++i)
            scratch_[i] = x[i] * factor;
        x = scratch_.data();
    }
    MomentBlock block;
    if (weightScale_ == 0) {
        Summarise(x, w, n, true, block);
        const int first = count_ == 0 ? FirstWeightScale(block.weight) : 0;
        if (first == 0 && FitsNow(block)) {
            MergeTo(block);
            return;
        }
        HoldWeightsScaledNow(first ? first : kWeightScale);
    }
    weightScratch_.resize(n);
    auto summariseScaled = [&]() {
        const double unit = Unit();
        for (size_t i = 0; i < n; ++i)
            weightScratch_[i] = w ? w[i] * unit : unit;
        Summarise(x, weightScratch_.data(), n, true, block);
    };
    summariseScaled();
    if (weightScale_ > 0 && !FitsNow(block)) {
        HoldWeightsScaledNow(kWeightScale);
        summariseScaled();
    }
    MergeTo(block);
}

bool WeightedMoments::Fits(const MomentBlock &b) const
{
    Flushed();
    return FitsNow(b);
}

bool WeightedMoments::FitsNow(const MomentBlock &b) const
{
    if (!std::isfinite(b.weight) || !std::isfinite(b.offset) || !std::isfinite(b.m2))
        return false;
    if (count_ == 0)
        return true;
    const double n = weight_ + b.weight;
    const double delta = ((b.shift - mean_) + b.offset) - meanError_;
    // The spread between the two parts, as MergeTo adds it.
    const double term = delta * (delta / n) * weight_ * b.weight;
    return std::isfinite(n) && std::isfinite(m2_ + term);
}

void WeightedMoments::HoldWeightsScaled(int scale)
{
    Flushed();
    HoldWeightsScaledNow(scale);
}

void WeightedMoments::HoldWeightsScaledNow(int scale) const
{
    if (weightScale_ == scale)
        return;
    const int by = scale - weightScale_;
    weightScale_ = scale;
    for (double *v : {&weight_, &sum_, &sumError_, &m2_, &m2Error_, &m3_, &m4_})
        *v = std::ldexp(*v, by);
}

void WeightedMoments::HoldScaled()
{
    Flushed();
    HoldScaledNow();
}

void WeightedMoments::HoldScaledNow() const
{
    if (scale_ != 0)
        return;
    scale_ = kHugeScale;
    for (double *v : {&sum_, &sumError_, &mean_, &meanError_, &minimum_, &maximum_})
        *v = std::ldexp(*v, scale_);
    m2_ = std::ldexp(m2_, 2 * scale_);
    m2Error_ = std::ldexp(m2Error_, 2 * scale_);
    m3_ = std::ldexp(m3_, 3 * scale_);
    m4_ = std::ldexp(m4_, 4 * scale_);
}

void WeightedMoments::MergeTo(const MomentBlock &b) const
{
    if (b.count == 0)
        return;
    if (count_ == 0) {
        count_ = b.count;
        weight_ = b.weight;
        sum_ = b.sum;
        // mean_ + meanError_ = shift + offset, the remainder exact while the
        // mean and the shift are within a factor of 2 of each other.
        mean_ = b.shift + b.offset;
        m2_ = b.m2;
        m3_ = b.m3;
        m4_ = b.m4;
        meanError_ = b.offset - (mean_ - b.shift);
        sumError_ = m2Error_ = 0.0;
        minimum_ = b.minimum;
        maximum_ = b.maximum;
        return;
    }
    minimum_ = b.minimum < minimum_ ? b.minimum : minimum_;
    maximum_ = b.maximum > maximum_ ? b.maximum : maximum_;
    count_ += b.count;
    const double wa = weight_, wb = b.weight, n = wa + wb;
    weight_ = n;
    AddCompensated(sum_, sumError_, b.sum);
    const double delta = ((b.shift - mean_) + b.offset) - meanError_;
    const double m2a = m2_ + m2Error_;
    const double dn = delta / n;
    const double term = delta * dn * wa * wb; // delta^2 Wa Wb / n
    double m4 = m4_ + (b.m4 + term * dn * dn * (wa * wa - wa * wb + wb * wb) +
                       6.0 * dn * dn * (wa * wa * b.m2 + wb * wb * m2a) + 4.0 * dn * (wa * b.m3 - wb * m3_));
    double m3 = m3_ + (b.m3 + term * dn * (wa - wb) + 3.0 * dn * (wa * b.m2 - wb * m2a));
    if (!std::isfinite(m4) || !std::isfinite(m3)) {
        // Weights whose squares pass the largest double: the same terms
        // with the weights as shares of their sum.
        const double fa = wa / n, fb = wb / n;
        m4 = m4_ + (b.m4 + term * delta * delta * (fa * fa - fa * fb + fb * fb) +
                    6.0 * delta * delta * (fa * fa * b.m2 + fb * fb * m2a) + 4.0 * delta * (fa * b.m3 - fb * m3_));
        m3 = m3_ + (b.m3 + term * delta * (fa - fb) + 3.0 * delta * (fa * b.m2 - fb * m2a));
    }
    m4_ = m4;
    m3_ = m3;
    AddCompensated(m2_, m2Error_, b.m2);
    AddCompensated(m2_, m2Error_, term);
    AddCompensated(mean_, meanError_, dn * wb);
}

double WeightedMoments::Weight() const
{
    Flushed();
    return weightScale_ ? std::ldexp(weight_, -weightScale_) : weight_;
}

double WeightedMoments::RootWeight() const
{
    Flushed();
    return weightScale_ ? std::ldexp(std::sqrt(weight_), -weightScale_ / 2) : std::sqrt(weight_);
}

double WeightedMoments::HeldSumOfSquares() const
{
    Flushed();
    return m2_ + m2Error_;
}

double WeightedMoments::Sum() const
{
    Flushed();
    return count_ ? std::ldexp(sum_ + sumError_, -scale_ - weightScale_) : kNotComputed;
}

double WeightedMoments::Mean() const
{
    Flushed();
    return count_ ? std::ldexp(mean_ + meanError_, -scale_) : kNotComputed;
}

double WeightedMoments::Minimum() const
{
    Flushed();
    return count_ ? std::ldexp(minimum_, -scale_) : kNotComputed;
}

double WeightedMoments::Maximum() const
{
    Flushed();
    return count_ ? std::ldexp(maximum_, -scale_) : kNotComputed;
}

double WeightedMoments::Magnitude() const
{
    Flushed();
    return count_ ? std::ldexp(std::max(std::fabs(minimum_), std::fabs(maximum_)), -scale_) : 0.0;
}

double WeightedMoments::SumOfSquares() const
{
    Flushed();
    return std::ldexp(m2_ + m2Error_, -2 * scale_ - weightScale_);
}

double WeightedMoments::ScaledVariance() const
{
    const double m2 = m2_ + m2Error_;
    return m2 > 0.0 ? m2 / (weight_ - Unit()) : 0.0;
}

double WeightedMoments::Variance() const
{
    Flushed();
    if (!(weight_ > Unit()))
        return kNotComputed;
    return std::ldexp(ScaledVariance(), -2 * scale_);
}

double WeightedMoments::StandardDeviation() const
{
    Flushed();
    if (!(weight_ > Unit()))
        return kNotComputed;
    // The root before the scale: the variance itself may be beyond a double.
    return std::ldexp(std::sqrt(ScaledVariance()), -scale_);
}

bool WeightedMoments::HasVariance(double magnitude) const
{
    Flushed();
    if (!(weight_ > Unit()) || minimum_ == maximum_)
        return false;
    const double scale = magnitude > 0.0 ? magnitude : Magnitude();
    return StandardDeviation() > kNoVarianceRatio * scale;
}

bool WeightedMoments::HasSpread(double magnitude) const
{
    Flushed();
    if (count_ < 2 || minimum_ == maximum_ || !(weight_ > 0.0))
        return false;
    const double m2 = m2_ + m2Error_;
    if (!(m2 > 0.0))
        return false;
    const double spread = std::ldexp(std::sqrt(m2 / weight_), -scale_);
    return spread > kNoVarianceRatio * (magnitude > 0.0 ? magnitude : Magnitude());
}

double WeightedMoments::Skewness() const
{
    Flushed();
    const double u = Unit();
    if (!(weight_ > 2.0 * u) || !HasVariance())
        return kNotComputed;
    if (!std::isfinite(weight_) || !std::isfinite(m3_))
        return kNotComputed;
    // At the held scales: the ratio does not change with them (u is the
    // weight of one case).
    const double n = weight_, s = std::sqrt(ScaledVariance());
    const double skewness = n * m3_ / ((n - u) * (n - 2.0 * u) * s * s * s);
    if (std::isfinite(skewness))
        return skewness;
    // Huge weights: n m3 passes the largest double; the same ratio from the
    // third moment per unit of weight.
    const double free = m3_ / n / (s * s * s) * (n / (n - u)) * (n / (n - 2.0 * u));
    return std::isfinite(free) ? free : kNotComputed;
}

double WeightedMoments::Kurtosis() const
{
    Flushed();
    const double u = Unit();
    if (!(weight_ > 3.0 * u) || !HasVariance())
        return kNotComputed;
    if (!std::isfinite(weight_) || !std::isfinite(m4_))
        return kNotComputed;
    const double n = weight_, v = ScaledVariance();
    const double kurtosis = n * (n + u) * m4_ / ((n - u) * (n - 2.0 * u) * (n - 3.0 * u) * v * v) -
                            3.0 * (n - u) * (n - u) / ((n - 2.0 * u) * (n - 3.0 * u));
    if (std::isfinite(kurtosis))
        return kurtosis;
    // Huge weights: the products of n pass the largest double; the same
    // figure from the fourth moment per unit of weight.
    const double free = m4_ / n / (v * v) * (n / (n - u)) * ((n + u) / (n - 2.0 * u)) * (n / (n - 3.0 * u)) -
                        3.0 * ((n - u) / (n - 2.0 * u)) * ((n - u) / (n - 3.0 * u));
    return std::isfinite(free) ? free : kNotComputed;
}
