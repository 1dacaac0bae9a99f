#include "stats/PairedTestKernel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "stats/CorrelationKernel.h"
#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

const double kExactLimit = 25.0;
// Above this many weighted cases the Wilcoxon sums are taken in units of
// powers of n, where n^3 could pass the largest double.
const double kRankUnitsFrom = 1e100;

bool IsWhole(double x)
{
    return std::fabs(x - std::floor(x + 0.5)) < 1e-9;
}

long Whole(double x)
{
    return static_cast<long>(std::floor(x + 0.5));
}

} // namespace

void PairedTAccumulator::Add(double x, double y, double w)
{
    if (!(w > 0.0))
        return;
    if (block_.empty())
        block_.resize(6 * kMomentBlock);
    block_[blockCount_] = x;
    block_[kMomentBlock + blockCount_] = y;
    block_[2 * kMomentBlock + blockCount_] = w;
    if (++blockCount_ == kMomentBlock)
        MergeBlock();
}

void PairedTAccumulator::MergeBlock()
{
    const size_t n = blockCount_;
    blockCount_ = 0;
    if (n == 0)
        return;
    double *x = block_.data(), *y = x + kMomentBlock;
    double *w = y + kMomentBlock;
    double *dx = block_.data() + 3 * kMomentBlock, *dy = dx + kMomentBlock, *d = dy + kMomentBlock;
    // x, y and their differences each at a scale of their own, so that
    // values near the smallest double beside huge ones in the other column
    // keep their figures.
    auto hold = [&](bool &scaled, WeightedMoments &moments, double *values, int coMomentShare) {
        if (!scaled && WeightedMoments::AnyHuge(values, n)) {
            scaled = true;
            moments.HoldScaled();
            coMoment_ = std::ldexp(coMoment_, coMomentShare);
            coMomentError_ = std::ldexp(coMomentError_, coMomentShare);
        }
    };
    for (size_t i = 0; i < n; ++i)
        d[i] = x[i] - y[i];
    // A difference past the largest double reads as huge too.
    for (size_t i = 0; i < n && !scaledD_; ++i)
        if (!std::isfinite(d[i]))
            d[i] = std::ldexp(1.0, 1023);
    hold(scaledX_, x_, x, WeightedMoments::kHugeScale);
    hold(scaledY_, y_, y, WeightedMoments::kHugeScale);
    hold(scaledD_, d_, d, 0);
    if (scaledD_)
        for (size_t i = 0; i < n; ++i)
            d[i] = std::ldexp(x[i], WeightedMoments::kHugeScale) - std::ldexp(y[i], WeightedMoments::kHugeScale);
    for (auto column : {std::make_pair(scaledX_, x), std::make_pair(scaledY_, y)})
        if (column.first)
            for (size_t i = 0; i < n; ++i)
                column.second[i] = std::ldexp(column.second[i], WeightedMoments::kHugeScale);
    MomentBlock bx, by, bd;
    double inBlock = 0.0, crossing = 0.0;
    // Summarises the block with its weights as they are held; false when a
    // figure would pass the largest double at that scale.
    auto summarise = [&]() {
        WeightedMoments::Summarise(x, w, n, true, bx, dx);
        WeightedMoments::Summarise(y, w, n, true, by, dy);
        WeightedMoments::Summarise(d, w, n, true, bd);
        inBlock = 0.0;
        for (size_t i = 0; i < n; ++i)
            inBlock += w[i] * dx[i] * dy[i];
        const double before = x_.HeldWeight();
        // Held scaled, the weights are large enough for their product to
        // pass a double: their share first.
        const double scale =
            weightScale_ < 0 ? before * (bx.weight / (before + bx.weight)) : before * bx.weight / (before + bx.weight);
        crossing = x_.DistanceTo(bx) * y_.DistanceTo(by) * scale;
        return x_.Fits(bx) && y_.Fits(by) && d_.Fits(bd) && std::isfinite(inBlock + crossing + coMoment_);
    };
    if (x_.Count() == 0 && weightScale_ == 0) {
        // Weights near the smallest double: held scaled up from the start.
        double first = 0.0;
        for (size_t i = 0; i < n; ++i)
            first += w[i];
        HoldWeightsScaled(WeightedMoments::FirstWeightScale(first));
    }
    if (weightScale_ != 0)
        ScaleWeights(n, weightScale_);
    if (!summarise() && weightScale_ != WeightedMoments::kWeightScale) {
        // Weights summing past the largest double: held scaled from now on.
        const int by = WeightedMoments::kWeightScale - weightScale_;
        HoldWeightsScaled(WeightedMoments::kWeightScale);
        ScaleWeights(n, by);
        summarise();
    }
    d_.Merge(bd);
    AddCompensated(coMoment_, coMomentError_, inBlock);
    AddCompensated(coMoment_, coMomentError_, crossing);
    x_.Merge(bx);
    y_.Merge(by);
}

void PairedTAccumulator::ScaleWeights(size_t n, int by)
{
    double *w = block_.data() + 2 * kMomentBlock;
    for (size_t i = 0; i < n; ++i)
        w[i] = std::ldexp(w[i], by);
}

void PairedTAccumulator::HoldWeightsScaled(int scale)
{
    if (scale == weightScale_)
        return;
    const int by = scale - weightScale_;
    weightScale_ = scale;
    x_.HoldWeightsScaled(scale);
    y_.HoldWeightsScaled(scale);
    d_.HoldWeightsScaled(scale);
    coMoment_ = std::ldexp(coMoment_, by);
    coMomentError_ = std::ldexp(coMomentError_, by);
}

void PairedTAccumulator::Finish(PairedTResult &r)
{
    MergeBlock();
    r = PairedTResult();
    r.meanX = r.meanY = r.sdX = r.sdY = r.seX = r.seY = kNotComputed;
    r.meanDifference = r.sdDifference = r.t = r.df = kNotComputed;
    r.r = r.tOfR = kNotComputed;
    r.oneSidedP = r.twoSidedP = r.correlationP = kNotComputed;
    r.pairs = x_.Count();
    r.n = x_.Weight();
    if (r.pairs == 0)
        return;
    r.meanX = x_.Mean();
    r.meanY = y_.Mean();
    r.meanDifference = d_.Mean();
    // r does not depend on the weights' scale: also over weights of less
    // than one case, where the spreads have no divisor.
    if (r.pairs >= 3 && x_.HasSpread() && y_.HasSpread()) {
        // The co-moment and both sums of squares as held, at the same
        // scales; the roots apart where their product leaves the normal
        // range.
        const double ssx = x_.HeldSumOfSquares(), ssy = y_.HeldSumOfSquares(), product = ssx * ssy;
        double corr =
            (coMoment_ + coMomentError_) /
            (std::isfinite(product) && product >= DBL_MIN ? std::sqrt(product) : std::sqrt(ssx) * std::sqrt(ssy));
        corr = std::max(-1.0, std::min(1.0, corr));
        r.r = corr;
        CorrelationSignificance(corr, r.n, r.tOfR, r.correlationP);
    }
    const double n = r.n;
    if (r.pairs < 2 || !(n > 1.0))
        return;
    r.sdX = x_.StandardDeviation();
    r.sdY = y_.StandardDeviation();
    // The root of the weights read as held: a double where their sum is
    // not.
    const double root = x_.RootWeight();
    r.seX = r.sdX / root;
    r.seY = r.sdY / root;
    r.sdDifference = d_.StandardDeviation();
    r.df = n - 1.0;
    // The t of the differences divides by their spread, so that is the one
    // to test, against the size of x and y, whose rounding it carries:
    // x = y + c has variances of its own but differences without.
    if (!d_.HasVariance(std::max(x_.Magnitude(), y_.Magnitude()))) {
        r.error = true;
    } else {
        r.t = r.meanDifference / (r.sdDifference / root);
        const double p1 = StudentTailProbability(r.t, r.df, 0);
        if (p1 != kNotComputed) {
            r.oneSidedP = p1;
            r.twoSidedP = std::min(1.0, 2.0 * p1);
        }
    }
}

void ComputePairedT(const WeightedPair *pairs, size_t count, PairedTResult &r)
{
    PairedTAccumulator sums;
    for (size_t i = 0; i < count; ++i)
        sums.Add(pairs[i].x, pairs[i].y, pairs[i].weight);
    sums.Finish(r);
}

void SignTestCounter::Add(double x, double y, double w)
{
    if (!(w > 0.0))
        return;
    if (scale_ == 0 && !std::isfinite(larger_ + smaller_ + ties_ + w)) {
        scale_ = WeightedMoments::kWeightScale;
        for (double *count : {&larger_, &smaller_, &ties_})
            *count = std::ldexp(*count, scale_);
    }
    w = std::ldexp(w, scale_);
    if (x > y)
        larger_ += w;
    else if (x < y)
        smaller_ += w;
    else
        ties_ += w;
}

void SignTestCounter::Finish(SignTestResult &r) const
{
    r = SignTestResult();
    r.exactP = r.z = r.zP = kNotComputed;
    r.larger = std::ldexp(larger_, -scale_);
    r.smaller = std::ldexp(smaller_, -scale_);
    r.ties = std::ldexp(ties_, -scale_);
    r.cases = std::ldexp(larger_ + smaller_ + ties_, -scale_);
    const double n = r.larger + r.smaller;
    if (!(larger_ + smaller_ > 0.0)) {
        r.status = 1;
        return;
    }
    if (n <= kExactLimit && IsWhole(r.larger) && IsWhole(r.smaller)) {
        r.exact = true;
        r.exactP = BinomialTwoSidedProbability(Whole(r.larger), Whole(r.smaller));
        return;
    }
    if (scale_ != 0) {
        // From the scaled counts: z grows with the root of the scale; the
        // continuity correction of 0.5 is below its digits.
        const double ns = larger_ + smaller_;
        r.z = std::ldexp((std::min(larger_, smaller_) - ns / 2.0) / (std::sqrt(ns) / 2.0), -scale_ / 2);
    } else {
        r.z = (std::min(r.larger, r.smaller) + 0.5 - n / 2.0) / (std::sqrt(n) / 2.0);
    }
    if (r.z > 0.0)
        r.z = 0.0;
    // A z beyond the largest double or the largest float has no tail left.
    if (!std::isfinite(r.z)) {
        r.z = kNotComputed;
        r.zP = 0.0;
        return;
    }
    r.zP = IsNotComputed(r.z) ? 0.0 : NormalTailProbability(r.z, 1);
}

void ComputeSignTest(const WeightedPair *pairs, size_t count, SignTestResult &r)
{
    SignTestCounter counter;
    for (size_t i = 0; i < count; ++i)
        counter.Add(pairs[i].x, pairs[i].y, pairs[i].weight);
    counter.Finish(r);
}

namespace {

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

void WilcoxonRanks::Add(double x, double y, double w)
{
    if (!(w > 0.0))
        return;
    pairs_ += w;
    const double d = x - y;
    if (d == 0.0)
        zeros_ += w;
    else
        differences_.Add(d, w);
}

void WilcoxonRanks::AddBlock(const double *x, const double *y, const double *w, size_t n)
{
    // The differences other than 0 packed, then added at once.
    blockDifferences_.resize(n);
    blockWeights_.resize(n);
    size_t kept = 0;
    for (size_t i = 0; i < n; ++i) {
        if (!(w[i] > 0.0))
            continue;
        pairs_ += w[i];
        const double d = x[i] - y[i];
        if (d == 0.0) {
            zeros_ += w[i];
        } else {
            blockDifferences_[kept] = d;
            blockWeights_[kept] = w[i];
            ++kept;
        }
    }
    differences_.AddBlock(blockDifferences_.data(), blockWeights_.data(), kept);
}

void ComputeWilcoxon(const WeightedPair *pairs, size_t count, WilcoxonResult &r)
{
    WilcoxonRanks ranks;
    for (size_t i = 0; i < count; ++i)
        ranks.Add(pairs[i].x, pairs[i].y, pairs[i].weight);
    ranks.Finish(r);
}

void WilcoxonRanks::Finish(WilcoxonResult &r)
{
    r = WilcoxonResult();
    r.positiveMeanRank = r.negativeMeanRank = kNotComputed;
    r.z = r.zP = r.exactOneSidedP = r.exactTwoSidedP = kNotComputed;
    r.pairs = pairs_;
    r.zeroDifferences = zeros_;
    QuantileColumn &diffs = differences_;
    const size_t size = diffs.Size();
    bool wholeWeights = true;
    for (size_t i = 0; i < size; ++i) {
        wholeWeights = wholeWeights && IsWhole(diffs.Weight(i));
        (diffs.Value(i) > 0.0 ? r.positive : r.negative) += diffs.Weight(i);
    }
    if (size == 0 || !(r.positive + r.negative > 0.0)) {
        r.status = 4;
        return;
    }
    // Weights summing past the largest double are taken scaled by
    // 2^kWeightScale: z, a ratio of sums in units of powers of n, is then
    // that of the scaled weights times the root of the scale; the ranks
    // and their sums are scaled back, the mark where they pass a double.
    const int weightScale = std::isfinite(r.positive + r.negative) ? 0 : WeightedMoments::kWeightScale;
    auto weightOf = [&](size_t i) {
        return weightScale ? std::ldexp(diffs.Weight(i), weightScale) : diffs.Weight(i);
    };
    double n = 0.0, positive = 0.0, negative = 0.0;
    for (size_t i = 0; i < size; ++i)
        (diffs.Value(i) > 0.0 ? positive : negative) += weightOf(i);
    n = positive + negative;
    // Many weighted cases (rank times weight near n^2, the variance near
    // n^3): the sums are taken in units of n, n^2 and n^4 instead.
    const bool inUnits = n > kRankUnitsFrom;
    double placed = 0.0, tieTerm = 0.0, positiveInUnits = 0.0, negativeInUnits = 0.0, tieInUnits = 0.0;
    // Only the exact test, for a few cases, needs every case's rank.
    const bool exact = wholeWeights && n <= kExactLimit;
    std::vector<double> unitRanks, magnitudes, positiveAt, negativeAt;
    if (!exact && !inUnits && weightScale == 0 && diffs.CountMagnitudes(magnitudes, positiveAt, negativeAt)) {
        // Few distinct magnitudes: a step per magnitude, with the summed
        // weights of its positive and negative differences (exact sums,
        // so the same ranks; each rank sum takes rank times the summed
        // weight, rounded once instead of once per case).
        for (size_t m = 0; m < magnitudes.size(); ++m) {
            const double groupWeight = positiveAt[m] + negativeAt[m];
            const double rank = placed + (groupWeight + 1.0) / 2.0;
            r.positiveRankSum += rank * positiveAt[m];
            r.negativeRankSum += rank * negativeAt[m];
            tieTerm += (groupWeight * groupWeight * groupWeight - groupWeight) / 48.0;
            placed += groupWeight;
        }
    } else {
        diffs.SortByMagnitude();
    }
    for (size_t i = magnitudes.empty() ? 0 : size; i < size;) {
        size_t j = i;
        double groupWeight = 0.0;
        const double magnitude = __builtin_fabs(diffs.Value(i)); // the 32-bit library's fabs goes through x87
        while (j < size && __builtin_fabs(diffs.Value(j)) == magnitude)
            groupWeight += weightOf(j++);
        const double rank = placed + (groupWeight + 1.0) / 2.0;
        for (size_t k = i; k < j; ++k) {
            (diffs.Value(k) > 0.0 ? r.positiveRankSum : r.negativeRankSum) += rank * weightOf(k);
            if (inUnits)
                (diffs.Value(k) > 0.0 ? positiveInUnits : negativeInUnits) += (rank / n) * (weightOf(k) / n);
            if (exact)
                unitRanks.insert(unitRanks.end(), static_cast<size_t>(Whole(diffs.Weight(k))), rank);
        }
        tieTerm += (groupWeight * groupWeight * groupWeight - groupWeight) / 48.0;
        if (inUnits) {
            const double share = groupWeight / n;
            // (g^3 - g) / 48 in units of n^3.
            tieInUnits += (share * share * share - share / n / n) / 48.0;
        }
        placed += groupWeight;
        i = j;
    }
    if (inUnits) {
        // The rank sums themselves may pass a double (the mark); the mean
        // ranks are below n.
        for (double *sum : {&r.positiveRankSum, &r.negativeRankSum}) {
            *sum = std::ldexp(*sum, -2 * weightScale);
            if (!std::isfinite(*sum))
                *sum = kNotComputed;
        }
        if (positive > 0.0)
            r.positiveMeanRank = std::ldexp(positiveInUnits * n * (n / positive), -weightScale);
        if (negative > 0.0)
            r.negativeMeanRank = std::ldexp(negativeInUnits * n * (n / negative), -weightScale);
        for (double *rank : {&r.positiveMeanRank, &r.negativeMeanRank})
            if (!std::isfinite(*rank))
                *rank = kNotComputed;
        r.normal = true;
        // The variance in units of n^3, the rank sums' distance from their
        // mean in units of n^2: z takes the root of n besides.
        const double variance = (1.0 + 1.0 / n) * (2.0 + 1.0 / n) / 24.0 - tieInUnits;
        if (!(variance > 0.0))
            return;
        r.z = std::ldexp((std::min(positiveInUnits, negativeInUnits) - (1.0 + 1.0 / n) / 4.0) * std::sqrt(n) /
                             std::sqrt(variance),
                         -weightScale / 2);
        r.zP = IsNotComputed(r.z) ? 0.0 : NormalTailProbability(r.z, 1);
        return;
    }
    if (r.positive > 0.0)
        r.positiveMeanRank = r.positiveRankSum / r.positive;
    if (r.negative > 0.0)
        r.negativeMeanRank = r.negativeRankSum / r.negative;
    const double smallest = std::min(r.positiveRankSum, r.negativeRankSum);
    if (exact) {
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

namespace {

// The position of value among the first known values; a new value takes the
// next place while there is one, and the count then says there were more.
int PlaceOf(double value, double known[2], int &count)
{
    for (int i = 0; i < count && i < 2; ++i)
        if (known[i] == value)
            return i;
    if (count < 2)
        known[count] = value;
    return count++ < 2 ? count - 1 : -1;
}

} // namespace

void McNemarCounter::Add(double x, double y, double w)
{
    if (!(w > 0.0))
        return;
    ++used_;
    if (rowCount_ > 2 || columnCount_ > 2)
        return;
    const int row = PlaceOf(x, rows_, rowCount_);
    const int column = PlaceOf(y, columns_, columnCount_);
    if (row >= 0 && column >= 0) {
        if (scale_ == 0 && !std::isfinite(cells_[0][0] + cells_[0][1] + cells_[1][0] + cells_[1][1] + w)) {
            scale_ = WeightedMoments::kWeightScale;
            for (auto &cellRow : cells_)
                for (double &cell : cellRow)
                    cell = std::ldexp(cell, scale_);
        }
        cells_[row][column] += std::ldexp(w, scale_);
    }
}

void McNemarCounter::Finish(McNemarResult &r) const
{
    r = McNemarResult();
    r.exactP = r.chiSquare = r.chiSquareP = kNotComputed;
    r.rowValues[0] = r.rowValues[1] = r.columnValues[0] = r.columnValues[1] = kNotComputed;
    if (used_ == 0) {
        r.status = 4;
        return;
    }
    if (rowCount_ != 2) {
        r.status = 1;
        return;
    }
    if (columnCount_ != 2) {
        r.status = 2;
        return;
    }
    // The table shows the smaller value of each variable first.
    const int rowSwap = rows_[0] > rows_[1], columnSwap = columns_[0] > columns_[1];
    for (int i = 0; i < 2; ++i) {
        r.rowValues[i] = rows_[i ^ rowSwap];
        r.columnValues[i] = columns_[i ^ columnSwap];
        for (int j = 0; j < 2; ++j)
            r.counts[i * 2 + j] = std::ldexp(cells_[i ^ rowSwap][j ^ columnSwap], -scale_);
    }
    const double b = r.counts[1], c = r.counts[2];
    if (scale_ != 0) {
        // From the scaled cells: chi-square grows with the scale, past any
        // double unless b and c are equal to their digits.
        const double bs = cells_[rowSwap][1 ^ columnSwap], cs = cells_[1 ^ rowSwap][columnSwap];
        const double d = std::fabs(bs - cs), chi = std::ldexp(d * (d / (bs + cs)), -scale_);
        r.chiSquare = std::isfinite(chi) ? chi : kNotComputed;
        r.chiSquareP = std::isfinite(chi) ? ChiSquareTailProbability(chi, 1.0) : 0.0;
        return;
    }
    if (b + c <= kExactLimit && IsWhole(b) && IsWhole(c)) {
        r.exact = true;
        r.exactP = BinomialTwoSidedProbability(Whole(b), Whole(c));
        return;
    }
    const double d = std::fabs(b - c) - 1.0, square = d * d;
    // Heavy weights: the square may pass a double where chi-square does not.
    r.chiSquare = std::isfinite(square) ? square / (b + c) : d * (d / (b + c));
    r.chiSquareP = ChiSquareTailProbability(r.chiSquare, 1.0);
}

void ComputeMcNemar(const WeightedPair *pairs, size_t count, McNemarResult &r)
{
    McNemarCounter counter;
    for (size_t i = 0; i < count; ++i)
        counter.Add(pairs[i].x, pairs[i].y, pairs[i].weight);
    counter.Finish(r);
}
