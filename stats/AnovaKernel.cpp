#include "stats/AnovaKernel.h"

#include <cmath>

#include "stats/StatDistributions.h"

double GroupMoments::Variance() const
{
    if (!(n > 1.0))
        return kFloatMissing;
    const double v = ss / (n - 1.0);
    return v > 0.0 ? v : 0.0;
}

GroupMoments MomentsOf(const WeightedValue *cases, size_t count)
{
    GroupMoments g;
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) {
        if (!(cases[i].weight > 0.0))
            continue;
        g.n += cases[i].weight;
        sum += cases[i].weight * cases[i].value;
        ++g.cases;
    }
    if (!(g.n > 0.0))
        return g;
    g.mean = sum / g.n;
    for (size_t i = 0; i < count; ++i) {
        if (!(cases[i].weight > 0.0))
            continue;
        const double d = cases[i].value - g.mean;
        g.ss += cases[i].weight * d * d;
    }
    return g;
}

AnovaTable ComputeOneWayAnova(const std::vector<GroupMoments> &groups)
{
    AnovaTable t;
    double n = 0.0, sum = 0.0, within = 0.0;
    int k = 0;
    for (const GroupMoments &g : groups) {
        if (!(g.n > 0.0))
            continue;
        ++k;
        n += g.n;
        sum += g.n * g.mean;
        within += g.ss;
    }
    t.groups = k;
    if (k == 0)
        return t;
    const double mean = sum / n;
    double between = 0.0;
    for (const GroupMoments &g : groups) {
        if (g.n > 0.0)
            between += g.n * (g.mean - mean) * (g.mean - mean);
    }
    t.ssBetween = between;
    t.ssWithin = within;
    t.ssTotal = between + within;
    t.dfBetween = k - 1;
    t.dfWithin = n - k;
    t.dfTotal = n - 1.0;
    if (k > 1)
        t.msBetween = between / (k - 1);
    if (n - k > 0.0)
        t.msWithin = within / (n - k);
    if (k > 1 && n - k > 0.0 && t.msWithin > 0.0) {
        t.f = t.msBetween / t.msWithin;
        t.p = FisherTailProbability(t.f, t.dfBetween, t.dfWithin);
    }
    return t;
}

AnovaTable ComputeVarianceHomogeneity(const std::vector<std::vector<WeightedValue>> &groups)
{
    std::vector<GroupMoments> deviations;
    std::vector<WeightedValue> absolute;
    for (const std::vector<WeightedValue> &g : groups) {
        const GroupMoments m = MomentsOf(g.data(), g.size());
        absolute.clear();
        for (const WeightedValue &c : g)
            absolute.push_back({std::fabs(c.value - m.mean), c.weight});
        deviations.push_back(MomentsOf(absolute.data(), absolute.size()));
    }
    return ComputeOneWayAnova(deviations);
}

namespace {

PairwiseResult NotComputed(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r;
    r.difference = (a.n > 0.0 && b.n > 0.0) ? a.mean - b.mean : kFloatMissing;
    r.statistic = r.df = r.df2 = r.p = kFloatMissing;
    return r;
}

} // namespace

PairwiseResult CompareSeparateVariances(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r = NotComputed(a, b);
    const double va = a.Variance(), vb = b.Variance();
    if (va == kFloatMissing || vb == kFloatMissing)
        return r;
    const double ea = va / a.n, eb = vb / b.n;
    const double se2 = ea + eb;
    if (!(se2 > 0.0))
        return r;
    r.statistic = r.difference / std::sqrt(se2);
    r.df = se2 * se2 / (ea * ea / (a.n - 1.0) + eb * eb / (b.n - 1.0));
    r.p = StudentTailProbability(r.statistic, r.df, 1);
    return r;
}

PairwiseResult ComparePooledVariance(const GroupMoments &a, const GroupMoments &b)
{
    PairwiseResult r = NotComputed(a, b);
    const double df = a.n + b.n - 2.0;
    if (!(a.n > 0.0 && b.n > 0.0) || !(df > 0.0))
        return r;
    const double pooled = (a.ss + b.ss) / df;
    const double se2 = pooled * (1.0 / a.n + 1.0 / b.n);
    if (!(se2 > 0.0))
        return r;
    r.statistic = r.difference / std::sqrt(se2);
    r.df = df;
    r.p = StudentTailProbability(r.statistic, df, 1);
    return r;
}

PairwiseResult CompareScheffe(const GroupMoments &a, const GroupMoments &b,
                              const AnovaTable &anova)
{
    PairwiseResult r = NotComputed(a, b);
    if (!(a.n > 0.0 && b.n > 0.0) || anova.groups < 2 || anova.msWithin == kFloatMissing
        || !(anova.msWithin > 0.0))
        return r;
    const double k1 = anova.groups - 1.0;
    r.statistic = r.difference * r.difference / (anova.msWithin * (1.0 / a.n + 1.0 / b.n)) / k1;
    r.df = k1;
    r.df2 = anova.dfWithin;
    r.p = FisherTailProbability(r.statistic, k1, anova.dfWithin);
    return r;
}
