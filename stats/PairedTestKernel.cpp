#include "stats/PairedTestKernel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "stats/CorrelationKernel.h"
#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

const double kExactLimit = 25.0;

bool IsWhole(double x)
{
    return std::fabs(x - std::floor(x + 0.5)) < 1e-9;
}

long Whole(double x)
{
    return static_cast<long>(std::floor(x + 0.5));
}

} // namespace

void ComputePairedT(const WeightedPair *pairs, size_t count, PairedTResult &r)
{
    r = PairedTResult();
    r.meanX = r.meanY = r.sdX = r.sdY = r.seX = r.seY = kFloatMissing;
    r.meanDifference = r.sdDifference = r.t = r.df = kFloatMissing;
    r.r = r.tOfR = kFloatMissing;
    r.oneSidedP = r.twoSidedP = r.correlationP = 1.0;
    double n = 0.0, sx = 0.0, sy = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double w = pairs[i].weight;
        if (!(w > 0.0))
            continue;
        n += w;
        sx += w * pairs[i].x;
        sy += w * pairs[i].y;
        ++r.pairs;
    }
    r.n = n;
    if (r.pairs == 0)
        return;
    r.meanX = sx / n;
    r.meanY = sy / n;
    r.meanDifference = r.meanX - r.meanY;
    double sxx = 0.0, syy = 0.0, sxy = 0.0, sdd = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double w = pairs[i].weight;
        if (!(w > 0.0))
            continue;
        const double dx = pairs[i].x - r.meanX, dy = pairs[i].y - r.meanY;
        const double dd = dx - dy;
        sxx += w * dx * dx;
        syy += w * dy * dy;
        sxy += w * dx * dy;
        sdd += w * dd * dd;
    }
    if (r.pairs < 2 || !(n > 1.0))
        return;
    const double vx = sxx / (n - 1.0), vy = syy / (n - 1.0), vd = sdd / (n - 1.0);
    r.sdX = std::sqrt(vx);
    r.sdY = std::sqrt(vy);
    r.seX = r.sdX / std::sqrt(n);
    r.seY = r.sdY / std::sqrt(n);
    r.sdDifference = std::sqrt(vd);
    r.df = n - 1.0;
    // The t of the differences divides by their variance, so that is the one
    // to test: x = y + c has variances of its own but differences without.
    if (vd < 1e-15) {
        r.error = true;
    } else {
        r.t = r.meanDifference / (r.sdDifference / std::sqrt(n));
        const double p1 = StudentTailProbability(r.t, r.df, 0);
        if (p1 != kFloatMissing) {
            r.oneSidedP = p1;
            r.twoSidedP = std::min(1.0, 2.0 * p1);
        }
    }
    if (r.pairs >= 3 && vx >= 1e-15 && vy >= 1e-15) {
        double corr = sxy / std::sqrt(sxx * syy);
        corr = std::max(-1.0, std::min(1.0, corr));
        r.r = corr;
        double t, p;
        CorrelationSignificance(corr, n, t, p);
        r.tOfR = t;
        r.correlationP = (p == 9.0) ? 1.0 : p;
    }
}

void ComputeSignTest(const WeightedPair *pairs, size_t count, SignTestResult &r)
{
    r = SignTestResult();
    r.exactP = r.z = r.zP = kFloatMissing;
    for (size_t i = 0; i < count; ++i) {
        const double w = pairs[i].weight;
        if (!(w > 0.0))
            continue;
        r.cases += w;
        if (pairs[i].x > pairs[i].y)
            r.larger += w;
        else if (pairs[i].x < pairs[i].y)
            r.smaller += w;
        else
            r.ties += w;
    }
    const double n = r.larger + r.smaller;
    if (!(n > 0.0)) {
        r.status = 1;
        return;
    }
    if (n <= kExactLimit && IsWhole(r.larger) && IsWhole(r.smaller)) {
        r.exact = true;
        r.exactP = BinomialTwoSidedProbability(Whole(r.larger), Whole(r.smaller));
        return;
    }
    r.z = (std::min(r.larger, r.smaller) + 0.5 - n / 2.0) / (std::sqrt(n) / 2.0);
    if (r.z > 0.0)
        r.z = 0.0;
    r.zP = NormalTailProbability(r.z, 1);
}

namespace {

struct Difference {
    double magnitude;
    double weight;
    bool positive;
};

// The exact distribution of T+ for the given ranks: every unit of weight is
// one difference whose sign is + or - with probability 1/2. Ranks are
// multiples of 1/2, so doubled ranks index the sums. Returns P(T+ <= t).
double ExactLowerTail(const std::vector<double> &unitRanks, double t)
{
    int total = 0;
    std::vector<int> doubled;
    for (double rank : unitRanks) {
        doubled.push_back(static_cast<int>(std::floor(2.0 * rank + 0.5)));
        total += doubled.back();
    }
    std::vector<double> ways(static_cast<size_t>(total) + 1, 0.0);
    ways[0] = 1.0;
    int reach = 0;
    for (int d : doubled) {
        for (int s = reach; s >= 0; --s)
            if (ways[s] != 0.0)
                ways[s + d] += ways[s];
        reach += d;
    }
    const int limit = static_cast<int>(std::floor(2.0 * t + 1e-6));
    double below = 0.0, all = 0.0;
    for (int s = 0; s <= total; ++s) {
        all += ways[s];
        if (s <= limit)
            below += ways[s];
    }
    return below / all;
}

} // namespace

void ComputeWilcoxon(const WeightedPair *pairs, size_t count, WilcoxonResult &r)
{
    r = WilcoxonResult();
    r.positiveMeanRank = r.negativeMeanRank = kFloatMissing;
    r.z = r.zP = r.exactOneSidedP = r.exactTwoSidedP = kFloatMissing;
    std::vector<Difference> diffs;
    bool wholeWeights = true;
    for (size_t i = 0; i < count; ++i) {
        const double w = pairs[i].weight;
        if (!(w > 0.0))
            continue;
        r.pairs += w;
        const double d = pairs[i].x - pairs[i].y;
        if (d == 0.0) {
            r.zeroDifferences += w;
            continue;
        }
        wholeWeights = wholeWeights && IsWhole(w);
        diffs.push_back({std::fabs(d), w, d > 0.0});
        (d > 0.0 ? r.positive : r.negative) += w;
    }
    const double n = r.positive + r.negative;
    if (diffs.empty() || !(n > 0.0)) {
        r.status = 4;
        return;
    }
    std::sort(diffs.begin(), diffs.end(),
              [](const Difference &a, const Difference &b) { return a.magnitude < b.magnitude; });
    double placed = 0.0, tieTerm = 0.0;
    std::vector<double> unitRanks;
    for (size_t i = 0; i < diffs.size();) {
        size_t j = i;
        double groupWeight = 0.0;
        while (j < diffs.size() && diffs[j].magnitude == diffs[i].magnitude)
            groupWeight += diffs[j++].weight;
        const double rank = placed + (groupWeight + 1.0) / 2.0;
        for (size_t k = i; k < j; ++k) {
            (diffs[k].positive ? r.positiveRankSum : r.negativeRankSum) += rank * diffs[k].weight;
            if (wholeWeights)
                unitRanks.insert(unitRanks.end(), static_cast<size_t>(Whole(diffs[k].weight)), rank);
        }
        tieTerm += (groupWeight * groupWeight * groupWeight - groupWeight) / 48.0;
        placed += groupWeight;
        i = j;
    }
    if (r.positive > 0.0)
        r.positiveMeanRank = r.positiveRankSum / r.positive;
    if (r.negative > 0.0)
        r.negativeMeanRank = r.negativeRankSum / r.negative;
    const double smallest = std::min(r.positiveRankSum, r.negativeRankSum);
    if (wholeWeights && n <= kExactLimit) {
        r.exactOneSidedP = ExactLowerTail(unitRanks, smallest);
        r.exactTwoSidedP = std::min(1.0, 2.0 * r.exactOneSidedP);
        r.decisions[0] = r.exactOneSidedP <= 0.05;
        r.decisions[1] = r.exactTwoSidedP <= 0.05;
        r.decisions[2] = r.exactOneSidedP <= 0.01;
        r.decisions[3] = r.exactTwoSidedP <= 0.01;
        r.suppressFooter = n <= 5.0;
        return;
    }
    r.normal = true;
    const double variance = n * (n + 1.0) * (2.0 * n + 1.0) / 24.0 - tieTerm;
    if (!(variance > 0.0))
        return;
    r.z = (smallest - n * (n + 1.0) / 4.0) / std::sqrt(variance);
    r.zP = NormalTailProbability(r.z, 1);
}

void ComputeMcNemar(const WeightedPair *pairs, size_t count, McNemarResult &r)
{
    r = McNemarResult();
    r.exactP = r.chiSquare = r.chiSquareP = kFloatMissing;
    r.rowValues[0] = r.rowValues[1] = r.columnValues[0] = r.columnValues[1] = kFloatMissing;
    std::vector<double> rows, columns;
    size_t used = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!(pairs[i].weight > 0.0))
            continue;
        ++used;
        if (std::find(rows.begin(), rows.end(), pairs[i].x) == rows.end())
            rows.push_back(pairs[i].x);
        if (std::find(columns.begin(), columns.end(), pairs[i].y) == columns.end())
            columns.push_back(pairs[i].y);
        if (rows.size() > 2 || columns.size() > 2)
            break;
    }
    if (used == 0) {
        r.status = 4;
        return;
    }
    if (rows.size() != 2) {
        r.status = 1;
        return;
    }
    if (columns.size() != 2) {
        r.status = 2;
        return;
    }
    std::sort(rows.begin(), rows.end());
    std::sort(columns.begin(), columns.end());
    r.rowValues[0] = rows[0];
    r.rowValues[1] = rows[1];
    r.columnValues[0] = columns[0];
    r.columnValues[1] = columns[1];
    for (size_t i = 0; i < count; ++i) {
        if (!(pairs[i].weight > 0.0))
            continue;
        const int row = pairs[i].x == rows[1];
        const int column = pairs[i].y == columns[1];
        r.counts[row * 2 + column] += pairs[i].weight;
    }
    const double b = r.counts[1], c = r.counts[2];
    if (b + c <= kExactLimit && IsWhole(b) && IsWhole(c)) {
        r.exact = true;
        r.exactP = BinomialTwoSidedProbability(Whole(b), Whole(c));
        return;
    }
    const double d = std::fabs(b - c) - 1.0;
    r.chiSquare = d * d / (b + c);
    r.chiSquareP = ChiSquareTailProbability(r.chiSquare, 1.0);
}
