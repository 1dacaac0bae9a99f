#include "stats/AnovaKernel.h"

#include <algorithm>
#include <cmath>

#include "stats/StatDistributions.h"

GroupMoments MomentsOf(const WeightedValue *cases, size_t count)
{
    GroupMoments g;
    for (size_t i = 0; i < count; ++i)
        g.Add(cases[i].value, cases[i].weight);
    return g;
}

namespace {

// Values near the largest double: sums of squares beyond a double keep the
// mark (a spread beyond the largest double), F is taken from the means and
// spreads in units of the largest value, where it is the same ratio.
void ScaledRatio(const std::vector<GroupMoments> &groups, double n, int k, AnovaTable &t)
{
    double unit = 0.0, sum = 0.0;
    for (const GroupMoments &g : groups)
        if (g.Weight() > 0.0)
            unit = std::max(unit, g.Magnitude());
    if (!(unit > 0.0))
        return;
    for (const GroupMoments &g : groups)
        if (g.Weight() > 0.0)
            sum += g.Weight() * (g.Mean() / unit);
    const double mean = sum / n;
    double between = 0.0, within = 0.0;
    for (const GroupMoments &g : groups) {
        if (!(g.Weight() > 0.0))
            continue;
        const double d = g.Mean() / unit - mean;
        between += g.Weight() * d * d;
        const double ss = g.SumOfSquares();
        if (std::isfinite(ss)) {
            within += ss / unit / unit;
        } else {
            const double sd = g.StandardDeviation() / unit;
            within += sd * sd * (g.Weight() - 1.0);
        }
    }
    for (double *figure : {&t.ssBetween, &t.ssWithin, &t.ssTotal, &t.msBetween, &t.msWithin})
        if (!std::isfinite(*figure))
            *figure = kNotComputed;
    if (!(within > 0.0) || !std::isfinite(between))
        return;
    t.f = (between / (k - 1)) / (within / (n - k));
    t.p = FisherTailProbability(t.f, t.dfBetween, t.dfWithin);
}

} // namespace

AnovaTable ComputeOneWayAnova(const std::vector<GroupMoments> &groups)
{
    AnovaTable t;
    double n = 0.0, sum = 0.0, within = 0.0;
    int k = 0;
    for (const GroupMoments &g : groups) {
        if (!(g.Weight() > 0.0))
            continue;
        ++k;
        n += g.Weight();
        sum += g.Weight() * g.Mean();
        within += g.SumOfSquares();
    }
    t.groups = k;
    if (k == 0)
        return t;
    const double mean = sum / n;
    double between = 0.0;
    for (const GroupMoments &g : groups) {
        if (g.Weight() > 0.0)
            between += g.Weight() * (g.Mean() - mean) * (g.Mean() - mean);
    }
    t.ssBetween = between;
    t.ssWithin = within;
    t.ssTotal = between + within;
    t.dfBetween = k - 1;
    // Weights summing to no more cases than groups (weights near the
    // smallest double) leave no degrees of freedom: the mark, not a
    // negative count.
    t.dfWithin = n - k > 0.0 ? n - k : kNotComputed;
    t.dfTotal = n - 1.0 > 0.0 ? n - 1.0 : kNotComputed;
    if (k > 1)
        t.msBetween = between / (k - 1);
    if (n - k > 0.0)
        t.msWithin = within / (n - k);
    if (k > 1 && n - k > 0.0 && t.msWithin > 0.0) {
        t.f = t.msBetween / t.msWithin;
        t.p = FisherTailProbability(t.f, t.dfBetween, t.dfWithin);
    }
    if (k > 1 && n - k > 0.0 && std::isfinite(n) && !(std::isfinite(between) && std::isfinite(within)))
        ScaledRatio(groups, n, k, t);
    return t;
}

AnovaTable ComputeVarianceHomogeneity(const std::vector<GroupMoments> &absoluteDeviations)
{
    return ComputeOneWayAnova(absoluteDeviations);
}

AnovaTable ComputeVarianceHomogeneity(const std::vector<std::vector<WeightedValue>> &groups)
{
    // F is a ratio of spreads, the same for values scaled by a power of
    // two: values near the largest double are taken scaled, so that their
    // deviations and their squares stay doubles.
    bool huge = false;
    for (const std::vector<WeightedValue> &g : groups)
        for (const WeightedValue &c : g)
            huge = huge || WeightedMoments::IsHuge(c.value);
    const int scale = huge ? WeightedMoments::kHugeScale : 0;
    std::vector<GroupMoments> deviations;
    for (const std::vector<WeightedValue> &g : groups) {
        std::vector<WeightedValue> scaled(g);
        for (WeightedValue &c : scaled)
            c.value = std::ldexp(c.value, scale);
        const GroupMoments m = MomentsOf(scaled.data(), scaled.size());
        GroupMoments d;
        for (const WeightedValue &c : scaled)
            d.Add(std::fabs(c.value - m.Mean()), c.weight);
        deviations.push_back(d);
    }
    return ComputeOneWayAnova(deviations);
}

namespace {

PairwiseResult NotComputed(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r;
    r.difference = (a.Weight() > 0.0 && b.Weight() > 0.0) ? a.Mean() - b.Mean() : kNotComputed;
    r.statistic = r.df = r.df2 = r.p = kNotComputed;
    return r;
}

} // namespace

PairwiseResult CompareSeparateVariances(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r = NotComputed(a, b);
    const double va = a.Variance(), vb = b.Variance();
    if (va == kNotComputed || vb == kNotComputed)
        return r;
    const double ea = va / a.Weight(), eb = vb / b.Weight();
    const double se2 = ea + eb;
    if (!(se2 > 0.0))
        return r;
    r.statistic = r.difference / std::sqrt(se2);
    r.df = se2 * se2 / (ea * ea / (a.Weight() - 1.0) + eb * eb / (b.Weight() - 1.0));
    if (!std::isfinite(r.df)) {
        // Heavy weights: the squared errors underflow. The same figure from
        // each group's share of the error (an infinity only when the
        // degrees of freedom pass a double).
        const double sa = ea / se2, sb = eb / se2;
        r.df = 1.0 / (sa * sa / (a.Weight() - 1.0) + sb * sb / (b.Weight() - 1.0));
    }
    r.p = StudentTailProbability(r.statistic, r.df, 1);
    return r;
}

PairwiseResult ComparePooledVariance(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r = NotComputed(a, b);
    const double df = a.Weight() + b.Weight() - 2.0;
    if (!(a.Weight() > 0.0 && b.Weight() > 0.0) || !(df > 0.0))
        return r;
    const double pooled = (a.SumOfSquares() + b.SumOfSquares()) / df;
    const double se2 = pooled * (1.0 / a.Weight() + 1.0 / b.Weight());
    if (!(se2 > 0.0))
        return r;
    r.statistic = r.difference / std::sqrt(se2);
    r.df = df;
    r.p = StudentTailProbability(r.statistic, df, 1);
    return r;
}

PairwiseResult CompareScheffe(const GroupMoments &a, const GroupMoments &b, const AnovaTable &anova)
{
    PairwiseResult r = NotComputed(a, b);
    if (!(a.Weight() > 0.0 && b.Weight() > 0.0) || anova.groups < 2 || anova.msWithin == kNotComputed ||
        !(anova.msWithin > 0.0))
        return r;
    const double k1 = anova.groups - 1.0;
    r.statistic = r.difference * r.difference / (anova.msWithin * (1.0 / a.Weight() + 1.0 / b.Weight())) / k1;
    r.df = k1;
    r.df2 = anova.dfWithin;
    r.p = FisherTailProbability(r.statistic, k1, anova.dfWithin);
    return r;
}
