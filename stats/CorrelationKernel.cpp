#include "stats/CorrelationKernel.h"

#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

inline bool Valid(double x)
{
    return x < kFloatMissing && x > -kFloatMissing;
}

inline double WeightOf(const double *weights, size_t c)
{
    if (!weights)
        return 1.0;
    const double w = weights[c];
    return (w > 0.0 && Valid(w)) ? w : 0.0;
}

// True when the case is valid in every one of the k columns.
bool Complete(const std::vector<const double *> &columns, int k, size_t c)
{
    for (int v = 0; v < k; ++v)
        if (!Valid(columns[v][c]))
            return false;
    return true;
}

// One entry from its sums: fills r, covariance and counts of (i, j) and (j, i).
void StoreEntry(CorrelationResult &res, int i, int j, long n, double w, double sxy,
                double sxx, double syy)
{
    const int k = res.variables;
    const size_t ij = static_cast<size_t>(i) * k + j, ji = static_cast<size_t>(j) * k + i;
    res.count[ij] = res.count[ji] = n;
    res.weightedCount[ij] = res.weightedCount[ji] = w;
    res.covariance[ij] = res.covariance[ji] = w > 1.0 ? sxy / (w - 1.0) : kDoubleMissing;
    if (i == j) {
        res.r[ij] = 1.0;
        res.p[ij] = 99.0;
        return;
    }
    double r = kDoubleMissing, p = 9.0;
    if (n >= 2 && sxx > 0.0 && syy > 0.0) {
        r = sxy / std::sqrt(sxx * syy);
        if (r > 1.0)
            r = 1.0;
        if (r < -1.0)
            r = -1.0;
        double t;
        CorrelationSignificance(r, w, t, p);
    }
    res.r[ij] = res.r[ji] = r;
    res.p[ij] = res.p[ji] = p;
}

} // namespace

void CorrelationSignificance(double r, double weight, double &t, double &p)
{
    t = kFloatMissing;
    p = 9.0;
    if (!Valid(r) || !(weight > 2.0))
        return;
    const double rest = 1.0 - r * r;
    if (!(rest > 0.0)) {
        p = 0.0;
        return;
    }
    t = r * std::sqrt((weight - 2.0) / rest);
    p = StudentTailProbability(t, weight - 2.0, 1);
    if (p == kFloatMissing)
        p = 9.0;
}

void ComputeCorrelations(const std::vector<const double *> &columns, const double *weights,
                         size_t cases, bool pairwise, CorrelationResult &res)
{
    const int k = static_cast<int>(columns.size());
    const size_t kk = static_cast<size_t>(k) * k;
    res.variables = k;
    res.r.assign(kk, kDoubleMissing);
    res.p.assign(kk, 9.0);
    res.count.assign(kk, 0);
    res.weightedCount.assign(kk, 0.0);
    res.covariance.assign(kk, kDoubleMissing);
    res.mean.assign(k, kDoubleMissing);
    res.standardDeviation.assign(k, 0.0);
    res.variableWeight.assign(k, 0.0);
    res.listwiseCount = 0;
    res.listwiseWeight = 0.0;
    res.constantVariable = -1;

    // Listwise pass: means over the complete cases.
    std::vector<double> sum(k, 0.0);
    for (size_t c = 0; c < cases; ++c) {
        const double w = WeightOf(weights, c);
        if (w == 0.0)
            continue;
        if (!Complete(columns, k, c))
            continue;
        ++res.listwiseCount;
        res.listwiseWeight += w;
        for (int v = 0; v < k; ++v)
            sum[v] += w * columns[v][c];
    }

    if (!pairwise) {
        if (res.listwiseCount == 0)
            return;
        std::vector<double> mean(k), cross(kk, 0.0), d(k);
        for (int v = 0; v < k; ++v)
            mean[v] = sum[v] / res.listwiseWeight;
        for (size_t c = 0; c < cases; ++c) {
            const double w = WeightOf(weights, c);
            if (w == 0.0)
                continue;
            if (!Complete(columns, k, c))
                continue;
            for (int v = 0; v < k; ++v)
                d[v] = columns[v][c] - mean[v];
            for (int i = 0; i < k; ++i) {
                const double wd = w * d[i];
                double *row = &cross[static_cast<size_t>(i) * k];
                for (int j = 0; j <= i; ++j)
                    row[j] += wd * d[j];
            }
        }
        for (int i = 0; i < k; ++i) {
            const double sii = cross[static_cast<size_t>(i) * k + i];
            res.mean[i] = mean[i];
            res.variableWeight[i] = res.listwiseWeight;
            res.standardDeviation[i] = res.listwiseWeight > 1.0 && sii > 0.0
                                           ? std::sqrt(sii / (res.listwiseWeight - 1.0)) : 0.0;
            if (res.standardDeviation[i] == 0.0 && res.constantVariable < 0)
                res.constantVariable = i;
            for (int j = 0; j <= i; ++j)
                StoreEntry(res, i, j, res.listwiseCount, res.listwiseWeight,
                           cross[static_cast<size_t>(i) * k + j], sii,
                           cross[static_cast<size_t>(j) * k + j]);
        }
        return;
    }

    // Pairwise: every entry from the cases of its own pair, two passes each.
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j <= i; ++j) {
            const double *x = columns[i], *y = columns[j];
            double w = 0.0, sx = 0.0, sy = 0.0;
            long n = 0;
            for (size_t c = 0; c < cases; ++c) {
                const double wc = WeightOf(weights, c);
                if (wc == 0.0 || !Valid(x[c]) || !Valid(y[c]))
                    continue;
                w += wc;
                sx += wc * x[c];
                sy += wc * y[c];
                ++n;
            }
            double sxx = 0.0, syy = 0.0, sxy = 0.0;
            if (n > 0) {
                const double mx = sx / w, my = sy / w;
                for (size_t c = 0; c < cases; ++c) {
                    const double wc = WeightOf(weights, c);
                    if (wc == 0.0 || !Valid(x[c]) || !Valid(y[c]))
                        continue;
                    const double dx = x[c] - mx, dy = y[c] - my;
                    sxx += wc * dx * dx;
                    syy += wc * dy * dy;
                    sxy += wc * dx * dy;
                }
                if (i == j) {
                    res.mean[i] = mx;
                    res.variableWeight[i] = w;
                    res.standardDeviation[i] = w > 1.0 && sxx > 0.0
                                                   ? std::sqrt(sxx / (w - 1.0)) : 0.0;
                }
            }
            if (i == j && res.standardDeviation[i] == 0.0 && res.constantVariable < 0)
                res.constantVariable = i;
            StoreEntry(res, i, j, n, w, sxy, sxx, syy);
        }
    }
}
