#include "stats/WeightedMoments.h"

#include <algorithm>
#include <cmath>

#include "stats/StatMissing.h"

void WeightedMoments::Add(double x, double w)
{
    if (!(w > 0.0))
        return;
    if (count_ == 0 || x < minimum_)
        minimum_ = x;
    if (count_ == 0 || x > maximum_)
        maximum_ = x;
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
    return count_ ? sum_ + sumError_ : kNotComputed;
}

double WeightedMoments::Mean() const
{
    return count_ ? mean_ + meanError_ : kNotComputed;
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

double WeightedMoments::Variance() const
{
    if (!(weight_ > 1.0))
        return kNotComputed;
    const double m2 = SumOfSquares();
    return m2 > 0.0 ? m2 / (weight_ - 1.0) : 0.0;
}

double WeightedMoments::StandardDeviation() const
{
    const double v = Variance();
    return v == kNotComputed ? kNotComputed : std::sqrt(v);
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
    const double n = weight_, s = StandardDeviation();
    return n * m3_ / ((n - 1.0) * (n - 2.0) * s * s * s);
}

double WeightedMoments::Kurtosis() const
{
    if (!(weight_ > 3.0) || !HasVariance())
        return kNotComputed;
    const double n = weight_, v = Variance();
    return n * (n + 1.0) * m4_ / ((n - 1.0) * (n - 2.0) * (n - 3.0) * v * v) -
           3.0 * (n - 1.0) * (n - 1.0) / ((n - 2.0) * (n - 3.0));
}
