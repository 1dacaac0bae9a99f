#include "stats/CorrelationKernel.h"

#include <algorithm>
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
    const double w = x.Weight();
    res.count[ij] = res.count[ji] = x.Count();
    res.weightedCount[ij] = res.weightedCount[ji] = w;
    res.covariance[ij] = res.covariance[ji] = w > 1.0 ? coMoment / (w - 1.0) : kNotComputed;
    if (i == j) {
        res.r[ij] = 1.0;
        res.p[ij] = kNotComputed;
        return;
    }
    double r = kNotComputed, t = kNotComputed, p = kNotComputed;
    if (x.Count() >= 2 && x.HasVariance() && y.HasVariance()) {
        r = coMoment / std::sqrt(x.SumOfSquares() * y.SumOfSquares());
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
    if (res.standardDeviation[i] == 0.0 && res.constantVariable < 0)
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
            WeightedMoments::Summarise(x, ws, m, false, bx, dx);
            WeightedMoments::Summarise(y, ws, m, false, by, dy);
            for (size_t c = 0; c < m; ++c)
                dx[c] *= ws[c];
            const double before = pair.x.Weight(), scale = before * bx.weight / (before + bx.weight);
            const double shiftX = pair.x.DistanceTo(bx), shiftY = pair.y.DistanceTo(by);
            AddCompensated(pair.coMoment, pair.coMomentError, Dot(dx, dy, m));
            AddCompensated(pair.coMoment, pair.coMomentError, shiftX * shiftY * scale);
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
    const double *w = block.data() + static_cast<size_t>(k) * kMomentBlock;
    double *weighted = deviations.data() + static_cast<size_t>(k) * kMomentBlock;
    std::vector<MomentBlock> sums(static_cast<size_t>(k));
    std::vector<double> shift(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i) {
        const size_t at = static_cast<size_t>(i) * kMomentBlock;
        WeightedMoments::Summarise(block.data() + at, w, n, false, sums[i], deviations.data() + at);
        shift[i] = own[i].DistanceTo(sums[i]);
    }
    const double before = own[0].Weight(), added = sums[0].weight;
    const double scale = before * added / (before + added);
    for (int i = 1; i < k; ++i) {
        const double *di = deviations.data() + static_cast<size_t>(i) * kMomentBlock;
        for (size_t c = 0; c < n; ++c)
            weighted[c] = w[c] * di[c];
        const size_t row = static_cast<size_t>(i) * k;
        for (int j = 0; j < i; ++j) {
            const double inBlock = Dot(weighted, deviations.data() + static_cast<size_t>(j) * kMomentBlock, n);
            AddCompensated(coMoments[row + j], coMomentErrors[row + j], inBlock);
            AddCompensated(coMoments[row + j], coMomentErrors[row + j], shift[i] * shift[j] * scale);
        }
    }
    for (int i = 0; i < k; ++i)
        own[i].Merge(sums[i]);
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
    res.listwiseCount = completeCount;
    res.listwiseWeight = completeWeight;
    if (!pairwise && completeCount == 0)
        return;
    for (int i = 0; i < k; ++i) {
        StoreVariable(res, i, own[i]);
        StoreEntry(res, i, i, own[i], own[i], own[i].SumOfSquares());
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
