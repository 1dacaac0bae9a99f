#include "stats/WeightedMoments.h"

#include <algorithm>
#include <cmath>

#include "stats/StatMissing.h"

namespace {

// Beyond this magnitude the fourth power of a difference may overflow.
const double kHugeValue = std::ldexp(1.0, 500);
// Scaled by 2^-770 a difference of two doubles is below 2^255, its fourth
// power below 2^1020.
const int kHugeScale = -770;

} // namespace

void WeightedMoments::ScaleForHugeValues()
{
    scale_ = kHugeScale;
    sum_ = std::ldexp(sum_, scale_);
    sumError_ = std::ldexp(sumError_, scale_);
    mean_ = std::ldexp(mean_, scale_);
    meanError_ = std::ldexp(meanError_, scale_);
    m2_ = std::ldexp(m2_, 2 * scale_);
    m2Error_ = std::ldexp(m2Error_, 2 * scale_);
    m3_ = std::ldexp(m3_, 3 * scale_);
    m4_ = std::ldexp(m4_, 4 * scale_);
}

void WeightedMoments::Add(double value, double w)
{
    if (!(w > 0.0))
        return;
    if (count_ == 0 || value < minimum_)
        minimum_ = value;
    if (count_ == 0 || value > maximum_)
        maximum_ = value;
    if (scale_ == 0 && std::fabs(value) > kHugeValue)
        ScaleForHugeValues();
    const double x = scale_ ? std::ldexp(value, scale_) : value;
    ++count_;
    const double before = weight_;
    weight_ += w;
    AddCompensated(sum_, sumError_, w * x);
    const double d = (x - mean_) - meanError_;
    const double share = w / weight_;        // w / W'
    const double dShare = d * share;         // d w / W'
    const double term = d * dShare * before; // d^2 W w / W'
    const double m2 = m2_ + m2Error_;
    m4_ += term * dShare * dShare * (before * before - before * w + w * w) / (w * w) + 6.0 * dShare * dShare * m2 -
           4.0 * dShare * m3_;
    m3_ += term * dShare * (before - w) / w - 3.0 * dShare * m2;
    AddCompensated(m2_, m2Error_, term);
    AddCompensated(mean_, meanError_, dShare);
}

double WeightedMoments::Sum() const
{
    return count_ ? std::ldexp(sum_ + sumError_, -scale_) : kNotComputed;
}

double WeightedMoments::Mean() const
{
    return count_ ? std::ldexp(mean_ + meanError_, -scale_) : kNotComputed;
}

double WeightedMoments::SumOfSquares() const
{
    return std::ldexp(m2_ + m2Error_, -2 * scale_);
}

double WeightedMoments::SumOfCubes() const
{
    return std::ldexp(m3_, -3 * scale_);
}

double WeightedMoments::SumOfFourthPowers() const
{
    return std::ldexp(m4_, -4 * scale_);
}

double WeightedMoments::Minimum() const
{
    return count_ ? minimum_ : kNotComputed;
}

double WeightedMoments::Maximum() const
{
    return count_ ? maximum_ : kNotComputed;
}

double WeightedMoments::Magnitude() const
{
    return count_ ? std::max(std::fabs(minimum_), std::fabs(maximum_)) : 0.0;
}

double WeightedMoments::ScaledVariance() const
{
    const double m2 = m2_ + m2Error_;
    return m2 > 0.0 ? m2 / (weight_ - 1.0) : 0.0;
}

double WeightedMoments::Variance() const
{
    if (!(weight_ > 1.0))
        return kNotComputed;
    return std::ldexp(ScaledVariance(), -2 * scale_);
}

double WeightedMoments::StandardDeviation() const
{
    if (!(weight_ > 1.0))
        return kNotComputed;
    return std::ldexp(std::sqrt(ScaledVariance()), -scale_);
}

bool WeightedMoments::HasVariance(double magnitude) const
{
    if (!(weight_ > 1.0) || minimum_ == maximum_)
        return false;
    const double scale = magnitude > 0.0 ? magnitude : Magnitude();
    return StandardDeviation() > kNoVarianceRatio * scale;
}

double WeightedMoments::Skewness() const
{
    if (!(weight_ > 2.0) || !HasVariance())
        return kNotComputed;
    // At the held scale: the ratio does not change with it.
    const double n = weight_, s = std::sqrt(ScaledVariance());
    return n * m3_ / ((n - 1.0) * (n - 2.0) * s * s * s);
}

double WeightedMoments::Kurtosis() const
{
    if (!(weight_ > 3.0) || !HasVariance())
        return kNotComputed;
    const double n = weight_, v = ScaledVariance();
    return n * (n + 1.0) * m4_ / ((n - 1.0) * (n - 2.0) * (n - 3.0) * v * v) -
           3.0 * (n - 1.0) * (n - 1.0) / ((n - 2.0) * (n - 3.0));
}
