#include "stats/CorrelationKernel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include <emmintrin.h>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

inline bool Valid(double x)
{
    return !IsMissingValue(x);
}

// One entry from its sums: fills r, p, covariance and counts of (i, j) and
// (j, i).
void StoreEntry(CorrelationResult &res, int i, int j, const WeightedMoments &x, const WeightedMoments &y,
                double coMoment)
{
    const int k = res.variables;
    const size_t ij = static_cast<size_t>(i) * k + j, ji = static_cast<size_t>(j) * k + i;
    // The sums as held: the co-moment at the scales of x and y together.
    const double w = x.Weight(), heldWeight = x.HeldWeight(), unit = std::ldexp(1.0, x.WeightScale());
    res.count[ij] = res.count[ji] = x.Count();
    res.weightedCount[ij] = res.weightedCount[ji] = w;
    double covariance = kNotComputed;
    if (heldWeight > unit) {
        covariance = std::ldexp(coMoment / (heldWeight - unit), -x.Scale() - y.Scale());
        if (!std::isfinite(covariance))
            covariance = kNotComputed;
    }
    res.covariance[ij] = res.covariance[ji] = covariance;
    if (i == j) {
        res.r[ij] = 1.0;
        res.p[ij] = kNotComputed;
        return;
    }
    double r = kNotComputed, t = kNotComputed, p = kNotComputed;
    if (x.Count() >= 2 && x.HasSpread() && y.HasSpread()) {
        const double ssx = x.HeldSumOfSquares(), ssy = y.HeldSumOfSquares(), product = ssx * ssy;
        // The roots apart where their product leaves the normal range.
        r = coMoment /
            (std::isfinite(product) && product >= DBL_MIN ? std::sqrt(product) : std::sqrt(ssx) * std::sqrt(ssy));
        if (r > 1.0)
            r = 1.0;
        if (r < -1.0)
            r = -1.0;
        CorrelationSignificance(r, w, t, p);
    }
    res.r[ij] = res.r[ji] = r;
    res.p[ij] = res.p[ji] = p;
}

void StoreVariable(CorrelationResult &res, int i, const WeightedMoments &m)
{
    res.mean[i] = m.Mean();
    res.variableWeight[i] = m.Weight();
    res.standardDeviation[i] = m.HasVariance() ? m.StandardDeviation() : 0.0;
    if (m.HasSpread()) {
        const double spread = std::ldexp(std::sqrt(m.HeldSumOfSquares() / m.HeldWeight()), -m.Scale());
        res.spread[i] = std::isfinite(spread) ? spread : kNotComputed;
    }
    if (!m.HasSpread() && res.constantVariable < 0)
        res.constantVariable = i;
}

// sum a[i] b[i] in four running sums (two SSE2 pairs), added at the end.
double Dot(const double *a, const double *b, size_t n)
{
    __m128d s0 = _mm_setzero_pd(), s1 = _mm_setzero_pd();
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(a + i), _mm_loadu_pd(b + i)));
        s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(a + i + 2), _mm_loadu_pd(b + i + 2)));
    }
    double lanes[2];
    _mm_storeu_pd(lanes, _mm_add_pd(s0, s1));
    double sum = lanes[0] + lanes[1];
    for (; i < n; ++i)
        sum += a[i] * b[i];
    return sum;
}

} // namespace

void CorrelationSignificance(double r, double weight, double &t, double &p)
{
    t = kNotComputed;
    p = kNotComputed;
    if (IsNotComputed(r) || !(weight > 2.0))
        return;
    if (!std::isfinite(weight)) {
        // Weights summing past the largest double: t has no figure, and
        // only r = 0 leaves a tail.
        p = r == 0.0 ? 1.0 : 0.0;
        return;
    }
    const double rest = 1.0 - r * r;
    if (!(rest > 0.0)) {
        p = 0.0;
        return;
    }
    t = r * std::sqrt((weight - 2.0) / rest);
    p = StudentTailProbability(t, weight - 2.0, 1);
}

CorrelationAccumulator::CorrelationAccumulator(int variables, bool pairwiseDeletion)
    : k(variables), pairwise(pairwiseDeletion), own(static_cast<size_t>(variables))
{
    const size_t kk = static_cast<size_t>(k) * k;
    if (pairwise) {
        pairs.resize(kk);
    } else {
        coMoments.assign(kk, 0.0);
        coMomentErrors.assign(kk, 0.0);
    }
    block.assign((static_cast<size_t>(k) + 1) * kMomentBlock, 0.0);
    // Pairwise, MergePairs takes five columns of it.
    deviations.assign(std::max<size_t>(static_cast<size_t>(k) + 1, 5) * kMomentBlock, 0.0);
}

void CorrelationAccumulator::MergePairs()
{
    const size_t n = blockCount;
    blockCount = 0;
    if (n == 0)
        return;
    // Per pair, the block's cases valid in both, gathered; their moments
    // and co-moment merge as the listwise ones do.
    const double *w = block.data() + static_cast<size_t>(k) * kMomentBlock;
    double *x = deviations.data(), *y = x + kMomentBlock, *ws = y + kMomentBlock, *dx = ws + kMomentBlock,
           *dy = dx + kMomentBlock;
    MomentBlock bx, by;
    for (int i = 1; i < k; ++i) {
        const double *vi = block.data() + static_cast<size_t>(i) * kMomentBlock;
        for (int j = 0; j < i; ++j) {
            const double *vj = block.data() + static_cast<size_t>(j) * kMomentBlock;
            size_t m = 0;
            for (size_t c = 0; c < n; ++c) {
                if (Valid(vi[c]) && Valid(vj[c])) {
                    x[m] = vi[c];
                    y[m] = vj[c];
                    ws[m] = w[c];
                    ++m;
                }
            }
            if (m == 0)
                continue;
            Pair &pair = pairs[static_cast<size_t>(i) * k + j];
            // Huge values: the variable's side of the pair held scaled.
            for (WeightedMoments *side : {&pair.x, &pair.y}) {
                double *values = side == &pair.x ? x : y;
                if (side->Scale() == 0 && WeightedMoments::AnyHuge(values, m)) {
                    side->HoldScaled();
                    pair.coMoment = std::ldexp(pair.coMoment, WeightedMoments::kHugeScale);
                    pair.coMomentError = std::ldexp(pair.coMomentError, WeightedMoments::kHugeScale);
                }
                if (side->Scale() != 0)
                    for (size_t c = 0; c < m; ++c)
                        values[c] = std::ldexp(values[c], side->Scale());
            }
            if (pair.x.Count() == 0 && pair.weightScale == 0) {
                double first = 0.0;
                for (size_t c = 0; c < m; ++c)
                    first += ws[c];
                pair.weightScale = WeightedMoments::FirstWeightScale(first);
                pair.x.HoldWeightsScaled(pair.weightScale);
                pair.y.HoldWeightsScaled(pair.weightScale);
            }
            if (pair.weightScale != 0)
                for (size_t c = 0; c < m; ++c)
                    ws[c] = std::ldexp(ws[c], pair.weightScale);
            double inBlock = 0.0, crossing = 0.0;
            auto summarise = [&]() {
                WeightedMoments::Summarise(x, ws, m, false, bx, dx);
                WeightedMoments::Summarise(y, ws, m, false, by, dy);
                for (size_t c = 0; c < m; ++c)
                    dx[c] *= ws[c];
                const double before = pair.x.HeldWeight();
                // Held scaled, two weights may multiply past a double: the share first.
                const double scale = pair.weightScale < 0 ? before * (bx.weight / (before + bx.weight))
                                                          : before * bx.weight / (before + bx.weight);
                inBlock = Dot(dx, dy, m);
                crossing = pair.x.DistanceTo(bx) * pair.y.DistanceTo(by) * scale;
                return pair.x.Fits(bx) && pair.y.Fits(by) && std::isfinite(inBlock + crossing + pair.coMoment);
            };
            if (!summarise() && pair.weightScale != WeightedMoments::kWeightScale) {
                // Weights summing past the largest double: held scaled from now on.
                const int by = WeightedMoments::kWeightScale - pair.weightScale;
                pair.weightScale = WeightedMoments::kWeightScale;
                pair.x.HoldWeightsScaled(pair.weightScale);
                pair.y.HoldWeightsScaled(pair.weightScale);
                pair.coMoment = std::ldexp(pair.coMoment, by);
                pair.coMomentError = std::ldexp(pair.coMomentError, by);
                for (size_t c = 0; c < m; ++c)
                    ws[c] = std::ldexp(ws[c], by);
                summarise();
            }
            AddCompensated(pair.coMoment, pair.coMomentError, inBlock);
            AddCompensated(pair.coMoment, pair.coMomentError, crossing);
            pair.x.Merge(bx);
            pair.y.Merge(by);
        }
    }
}

void CorrelationAccumulator::Add(const double *values, double w)
{
    if (!(w > 0.0) || !std::isfinite(w))
        return;
    bool complete = true;
    for (int i = 0; i < k && complete; ++i)
        complete = Valid(values[i]);
    if (complete) {
        ++completeCount;
        completeWeight += w;
    }
    if (pairwise) {
        // Each variable's own moments case by case (cut where every other
        // computation cuts them); the pairs from the block.
        for (int i = 0; i < k; ++i) {
            if (Valid(values[i]))
                own[i].Add(values[i], w);
            block[static_cast<size_t>(i) * kMomentBlock + blockCount] = values[i];
        }
        block[static_cast<size_t>(k) * kMomentBlock + blockCount] = w;
        if (++blockCount == kMomentBlock)
            MergePairs();
        return;
    }
    if (!complete)
        return;
    for (int i = 0; i < k; ++i)
        block[static_cast<size_t>(i) * kMomentBlock + blockCount] = values[i];
    block[static_cast<size_t>(k) * kMomentBlock + blockCount] = w;
    if (++blockCount == kMomentBlock)
        MergeBlock();
}

void CorrelationAccumulator::AddColumns(const double *const *columns, const double *weights, size_t n)
{
    if (pairwise) {
        std::vector<double> values(static_cast<size_t>(k));
        for (size_t c = 0; c < n; ++c) {
            for (int i = 0; i < k; ++i)
                values[i] = columns[i][c];
            Add(values.data(), weights[c]);
        }
        return;
    }
    // Listwise: the complete cases go straight into the block.
    double *blockWeights = block.data() + static_cast<size_t>(k) * kMomentBlock;
    for (size_t c = 0; c < n; ++c) {
        const double w = weights[c];
        if (!(w > 0.0) || !std::isfinite(w))
            continue;
        bool complete = true;
        for (int i = 0; i < k; ++i)
            complete = complete && Valid(columns[i][c]);
        if (!complete)
            continue;
        ++completeCount;
        completeWeight += w;
        for (int i = 0; i < k; ++i)
            block[static_cast<size_t>(i) * kMomentBlock + blockCount] = columns[i][c];
        blockWeights[blockCount] = w;
        if (++blockCount == kMomentBlock)
            MergeBlock();
    }
}

void CorrelationAccumulator::MergeBlock()
{
    const size_t n = blockCount;
    blockCount = 0;
    if (n == 0)
        return;
    double *w = block.data() + static_cast<size_t>(k) * kMomentBlock;
    double *weighted = deviations.data() + static_cast<size_t>(k) * kMomentBlock;
    for (int i = 0; i < k; ++i) {
        double *values = block.data() + static_cast<size_t>(i) * kMomentBlock;
        if (own[i].Scale() == 0 && WeightedMoments::AnyHuge(values, n))
            HoldVariableScaled(i);
        if (own[i].Scale() != 0)
            for (size_t c = 0; c < n; ++c)
                values[c] = std::ldexp(values[c], own[i].Scale());
    }
    auto scaleWeights = [&](int by) {
        for (size_t c = 0; c < n; ++c)
            w[c] = std::ldexp(w[c], by);
    };
    if (own[0].Count() == 0 && weightScale == 0) {
        double first = 0.0;
        for (size_t c = 0; c < n; ++c)
            first += w[c];
        if (WeightedMoments::FirstWeightScale(first) != 0)
            HoldWeightsScaled(WeightedMoments::FirstWeightScale(first));
    }
    if (weightScale != 0)
        scaleWeights(weightScale);
    std::vector<MomentBlock> sums(static_cast<size_t>(k));
    std::vector<double> shift(static_cast<size_t>(k));
    increments.resize(static_cast<size_t>(k) * k);
    // The block's moments and co-moments with its weights as they are held;
    // false when a figure would pass the largest double at that scale.
    auto summarise = [&]() {
        bool fits = true;
        for (int i = 0; i < k; ++i) {
            const size_t at = static_cast<size_t>(i) * kMomentBlock;
            WeightedMoments::Summarise(block.data() + at, w, n, false, sums[i], deviations.data() + at);
            shift[i] = own[i].DistanceTo(sums[i]);
            fits = fits && own[i].Fits(sums[i]);
        }
        const double before = own[0].HeldWeight(), added = sums[0].weight;
        // The share first: two held weights may multiply past a double.
        const double scale = weightScale < 0 ? before * (added / (before + added)) : before * added / (before + added);
        for (int i = 1; i < k; ++i) {
            const double *di = deviations.data() + static_cast<size_t>(i) * kMomentBlock;
            for (size_t c = 0; c < n; ++c)
                weighted[c] = w[c] * di[c];
            const size_t row = static_cast<size_t>(i) * k;
            for (int j = 0; j < i; ++j) {
                const double inBlock = Dot(weighted, deviations.data() + static_cast<size_t>(j) * kMomentBlock, n);
                const double crossing = shift[i] * shift[j] * scale;
                increments[row + j] = inBlock;
                increments[static_cast<size_t>(j) * k + i] = crossing;
                fits = fits && std::isfinite(inBlock + crossing + coMoments[row + j]);
            }
        }
        return fits;
    };
    if (!summarise() && weightScale != WeightedMoments::kWeightScale) {
        const int by = WeightedMoments::kWeightScale - weightScale;
        HoldWeightsScaled(WeightedMoments::kWeightScale);
        scaleWeights(by);
        summarise();
    }
    for (int i = 1; i < k; ++i) {
        const size_t row = static_cast<size_t>(i) * k;
        for (int j = 0; j < i; ++j) {
            AddCompensated(coMoments[row + j], coMomentErrors[row + j], increments[row + j]);
            AddCompensated(coMoments[row + j], coMomentErrors[row + j], increments[static_cast<size_t>(j) * k + i]);
        }
    }
    for (int i = 0; i < k; ++i)
        own[i].Merge(sums[i]);
}

void CorrelationAccumulator::HoldVariableScaled(int v)
{
    own[v].HoldScaled();
    for (int j = 0; j < k; ++j) {
        if (j == v)
            continue;
        const size_t at = v > j ? static_cast<size_t>(v) * k + j : static_cast<size_t>(j) * k + v;
        coMoments[at] = std::ldexp(coMoments[at], WeightedMoments::kHugeScale);
        coMomentErrors[at] = std::ldexp(coMomentErrors[at], WeightedMoments::kHugeScale);
    }
}

void CorrelationAccumulator::HoldWeightsScaled(int scale)
{
    const int by = scale - weightScale;
    weightScale = scale;
    for (WeightedMoments &m : own)
        m.HoldWeightsScaled(scale);
    for (size_t at = 0; at < coMoments.size(); ++at) {
        coMoments[at] = std::ldexp(coMoments[at], by);
        coMomentErrors[at] = std::ldexp(coMomentErrors[at], by);
    }
}

void CorrelationAccumulator::Finish(CorrelationResult &res)
{
    if (pairwise)
        MergePairs();
    else
        MergeBlock();
    const size_t kk = static_cast<size_t>(k) * k;
    res = CorrelationResult();
    res.variables = k;
    res.r.assign(kk, kNotComputed);
    res.p.assign(kk, kNotComputed);
    res.count.assign(kk, 0);
    res.weightedCount.assign(kk, 0.0);
    res.covariance.assign(kk, kNotComputed);
    res.mean.assign(k, kNotComputed);
    res.standardDeviation.assign(k, 0.0);
    res.variableWeight.assign(k, 0.0);
    res.spread.assign(k, 0.0);
    res.listwiseCount = completeCount;
    res.listwiseWeight = completeWeight;
    if (!pairwise && completeCount == 0)
        return;
    for (int i = 0; i < k; ++i) {
        StoreVariable(res, i, own[i]);
        StoreEntry(res, i, i, own[i], own[i], own[i].HeldSumOfSquares());
        for (int j = 0; j < i; ++j) {
            const size_t ij = static_cast<size_t>(i) * k + j;
            if (pairwise)
                StoreEntry(res, i, j, pairs[ij].x, pairs[ij].y, pairs[ij].coMoment + pairs[ij].coMomentError);
            else
                StoreEntry(res, i, j, own[i], own[j], coMoments[ij] + coMomentErrors[ij]);
        }
    }
}

void ComputeCorrelations(const std::vector<const double *> &columns, const double *weights, size_t cases, bool pairwise,
                         CorrelationResult &result)
{
    const int k = static_cast<int>(columns.size());
    CorrelationAccumulator sums(k, pairwise);
    std::vector<double> values(static_cast<size_t>(k));
    for (size_t c = 0; c < cases; ++c) {
        for (int v = 0; v < k; ++v)
            values[v] = columns[v][c];
        sums.Add(values.data(), weights ? weights[c] : 1.0);
    }
    sums.Finish(result);
}
