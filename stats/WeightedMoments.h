// WeightedMoments: the moments of one variable over a stream of weighted
// cases (count, sum of weights, sum, minimum, maximum, mean and the centred
// sums of the 2nd to 4th powers). Every computation that needs a mean or a
// spread takes it from here, so that the same cases in the same order give
// bit-identical figures in every analysis.
//
// Method: the cases are taken in blocks of kMomentBlock (the stream cut at
// the same places whoever adds it, case by case or a block at a time). A
// block's mean is its weighted sum of x minus its first value, over its
// weight, plus that value; its centred sums are plain sums of w d^k with
// d = x - block mean (two passes over data in the cache, no cancellation).
// The block is then merged into the running moments by the pairwise
// combination formulas (Chan, Golub and LeVeque for M2; Pebay for M3 and
// M4): with Wa, Wb the weights, n = Wa + Wb and delta = mean b - mean a,
//   M2 = M2a + M2b + delta^2 Wa Wb / n
//   M3 = M3a + M3b + delta^3 Wa Wb (Wa - Wb) / n^2 + 3 delta (Wa M2b - Wb M2a) / n
//   M4 = M4a + M4b + delta^4 Wa Wb (Wa^2 - Wa Wb + Wb^2) / n^3
//        + 6 delta^2 (Wa^2 M2b + Wb^2 M2a) / n^2 + 4 delta (Wa M3b - Wb M3a) / n
//   mean = mean a + delta Wb / n
// The block's mean is kept as its first value plus the mean of the
// differences from it, and the running mean with a correction term, so
// that delta keeps its digits far from zero.
// Unlike the textbook sum of squares minus the squared sum, no term
// cancels, so values near 1e9 keep their digits. The mean, the sum and M2
// carry a correction term (Neumaier's compensated addition), so that
// millions of blocks do not drift.
//
// Values up to the largest double: once a value beyond 2^250 (IsHuge) is
// added, the moments are held scaled by 2^kHugeScale (every figure scaled
// exactly, as a power of two is) and scaled back when read, so that
// x - mean and its 2nd to 4th powers stay finite where the figure itself
// is a double. Without such a value nothing is scaled and the figures are
// bit for bit those of the plain update.
//
// Weights whose sum passes the largest double: once a block's weight, its
// moments or their merge with the running ones would overflow, every
// weight is held scaled by 2^kWeightScale (the running weight, sum and
// centred sums scaled with them) and the block is summarised again. Mean,
// spread, skewness and kurtosis do not depend on that scale, so they keep
// their figures; only the sum of weights and the sum may pass a double
// when scaled back (they then read as an infinity, the caller's mark).
//
// Weights near the smallest double: when the first block's weights sum
// below kTinyWeight, every weight is held scaled up by 2^kTinyWeightScale,
// so that w (x - mean)^2 keeps its digits instead of falling below the
// normal range. Weights that would then pass the largest double turn the
// scale to kWeightScale.
//
// Weights are frequency weights: a case of weight 3 counts as three cases.
// Add ignores a weight that is not above 0 (the caller counts those).
#ifndef STATS_WEIGHTEDMOMENTS_H
#define STATS_WEIGHTEDMOMENTS_H

#include <cmath>
#include <cstddef>
#include <vector>

// A spread below this fraction of the data's magnitude is rounding noise:
// a few hundred units in the last place of a double.
constexpr double kNoVarianceRatio = 1e-13;

// Neumaier's compensated addition: sum + error holds the running total of
// the terms to about twice the precision of a double.
inline void AddCompensated(double &sum, double &error, double term)
{
    const double t = sum + term;
    if ((sum < 0 ? -sum : sum) >= (term < 0 ? -term : term))
        error += (sum - t) + term;
    else
        error += (term - t) + sum;
    sum = t;
}

// The cases added at once before they are merged; every accumulator cuts
// its stream at multiples of it.
constexpr unsigned kMomentBlock = 1024;

// The moments of one block of cases, around its own mean.
struct MomentBlock
{
    long count = 0;
    // The mean is shift + offset: the first value and the mean of the
    // differences from it, which keep the digits a rounded mean far from
    // zero would lose.
    double weight = 0.0, sum = 0.0, shift = 0.0, offset = 0.0;
    double m2 = 0.0, m3 = 0.0, m4 = 0.0;
    double minimum = 0.0, maximum = 0.0;
};

class WeightedMoments
{
public:
    // The scale of the moments once a huge value is met: a difference of
    // two doubles scaled by it is below 2^195, its fourth power below 2^780,
    // so that the fourth moments of up to 2^240 cases stay finite.
    static constexpr int kHugeScale = -830;
    // True for a value beyond 2^250, whose 4th power could overflow.
    static bool IsHuge(double x) { return x > 0x1p250 || x < -0x1p250; }
    // True when any of n values is huge (a plain loop the compiler keeps
    // inline; the builtin fabs, where the 32-bit library's goes through the
    // x87 unit).
    static bool AnyHuge(const double *x, size_t n)
    {
        bool huge = false;
        for (size_t i = 0; i < n; ++i)
            huge |= __builtin_fabs(x[i]) > 0x1p250;
        return huge;
    }
    // The scale of the weights once their sum overflows: weights up to the
    // largest double fall below 2^512, a weight of 1 stays a normal double.
    static constexpr int kWeightScale = -512;
    // Below this sum of a first block's weights they are held scaled by
    // 2^kTinyWeightScale: the smallest weight, 2^-1074, becomes 2^-474.
    static constexpr double kTinyWeight = 0x1p-400;
    static constexpr int kTinyWeightScale = 600;
    // The scale at which a caller that merges its own blocks holds weights
    // whose first block weighs blockWeight: kTinyWeightScale or 0.
    static int FirstWeightScale(double blockWeight) { return blockWeight < kTinyWeight ? kTinyWeightScale : 0; }

    // One case; it is merged with the others of its block once the block is
    // full or a figure is read. (Inline: the breakdown adds every case to
    // its group's moments one at a time.)
    void Add(double x, double w)
    {
        if (!(w > 0.0))
            return;
        if (pending_.empty())
            StartPending();
        double *pending = pending_.data();
        pending[pendingCount_] = x;
        if (w != 1.0 && pendingUnit_)
            StartPendingWeights();
        if (!pendingUnit_)
            pending[kMomentBlock + pendingCount_] = w;
        if (++pendingCount_ == kMomentBlock)
            FlushFull();
    }
    // Add(x, 1.0).
    void AddUnit(double x)
    {
        if (pending_.empty())
            StartPending();
        double *pending = pending_.data();
        pending[pendingCount_] = x;
        if (!pendingUnit_)
            pending[kMomentBlock + pendingCount_] = 1.0;
        if (++pendingCount_ == kMomentBlock)
            FlushFull();
    }
    // n cases (x[i], w[i]; w null for weights of 1): the same as n calls
    // of Add. Every weight must be above 0 and every value valid.
    void AddBlock(const double *x, const double *w, size_t n);

    // The moments of n cases (weights above 0; null for 1), the 3rd and
    // 4th only with higher; deviations, when given, receives x - mean.
    static void Summarise(const double *x, const double *w, size_t n, bool higher, MomentBlock &block,
                          double *deviations = nullptr);
    // Merges the moments of a block of cases that follow the ones added;
    // the block is at the held scale (its values scaled by 2^Scale()).
    void Merge(const MomentBlock &block);
    // The block's mean minus the running mean, to the digits of both, at
    // the held scale.
    double DistanceTo(const MomentBlock &block) const;
    // Holds the moments scaled by 2^kHugeScale from now on (nothing when
    // they are already). A caller that merges its own blocks calls it
    // before the first block of scaled values.
    void HoldScaled();
    // 0, or kHugeScale once the moments are held scaled.
    int Scale() const { return Flushed().scale_; }
    // Holds the weights scaled by 2^scale (kWeightScale or
    // kTinyWeightScale) from now on, the sums held so far rescaled (nothing
    // when they are held so already); a caller that merges its own blocks
    // calls it and scales the weights of the blocks it summarises.
    void HoldWeightsScaled(int scale = kWeightScale);
    // 0, or the scale at which the weights are held.
    int WeightScale() const { return Flushed().weightScale_; }
    // True when the block merged into these moments keeps every running
    // figure finite (that of the sum aside, which may pass a double).
    bool Fits(const MomentBlock &block) const;

    long Count() const { return Flushed().count_; }
    // The sum of weights: an infinity when it passes the largest double.
    double Weight() const;
    // Its square root, a double even where the sum is not.
    double RootWeight() const;
    // The sum of weights and sum w (x - mean)^2 as held, at the held scales
    // (for a caller that merges its own blocks).
    double HeldWeight() const { return Flushed().weight_; }
    double HeldSumOfSquares() const;
    // kNotComputed (from StatMissing.h) without cases, for all four.
    double Sum() const;
    // The mean, carrying its correction term.
    double Mean() const;
    double Minimum() const;
    double Maximum() const;
    // The largest magnitude of a value added; 0 without cases.
    double Magnitude() const;
    // sum w (x - mean)^2 (an infinity when beyond a double).
    double SumOfSquares() const;

    // M2 / (W - 1); kNotComputed unless W > 1.
    double Variance() const;
    double StandardDeviation() const;
    // The same test on the spread per unit of weight, sqrt(M2 / W), which
    // does not depend on the weights' scale: true also for weights summing
    // to less than one case, whose variance has no divisor.
    bool HasSpread(double magnitude = 0.0) const;
    // False when the standard deviation is at most kNoVarianceRatio times the
    // magnitude (this variable's own when magnitude is 0): a constant up to
    // rounding. False unless W > 1.
    bool HasVariance(double magnitude = 0.0) const;
    // The bias-corrected G1 (W > 2) and G2 (W > 3) of DescriptiveKernel.h;
    // kNotComputed without variance.
    double Skewness() const;
    double Kurtosis() const;

private:
    // Merges the cases waiting in the block; reading a figure does it, so
    // the running moments are mutable.
    const WeightedMoments &Flushed() const;
    // Out of line, so that Add stays small.
    void StartPending();
    void FlushFull();
    // The cases waiting so far weigh 1 (their weights were not stored);
    // from now on this block stores every weight.
    void StartPendingWeights();
    void MergeTo(const MomentBlock &block) const;
    // Summarises n values of Add or AddBlock and merges them, scaled when
    // the moments are held scaled or a value is huge; scratch holds the
    // scaled copy.
    void SummariseAndMerge(const double *x, const double *w, size_t n) const;
    void HoldScaledNow() const;
    void HoldWeightsScaledNow(int scale) const;
    bool FitsNow(const MomentBlock &block) const;
    // The weight of one case at the held weight scale.
    double Unit() const { return weightScale_ ? std::ldexp(1.0, weightScale_) : 1.0; }
    // M2 / (W - 1) at the held scales.
    double ScaledVariance() const;

    mutable long count_ = 0;
    mutable double weight_ = 0.0;
    mutable double sum_ = 0.0, sumError_ = 0.0;
    mutable double mean_ = 0.0, meanError_ = 0.0;
    mutable double m2_ = 0.0, m2Error_ = 0.0, m3_ = 0.0, m4_ = 0.0;
    mutable double minimum_ = 0.0, maximum_ = 0.0;
    mutable int scale_ = 0;       // the moments are held times 2^scale_
    mutable int weightScale_ = 0; // the weights are held times 2^weightScale_
    mutable std::vector<double> weightScratch_;
    mutable std::vector<double> scratch_;
    // Cases waiting for their block: values then weights, kMomentBlock each
    // (allocated on the first Add).
    mutable std::vector<double> pending_;
    mutable size_t pendingCount_ = 0;
    // Every case waiting weighs 1: their weights are not stored, and the
    // block is summarised without weights (the same figures).
    mutable bool pendingUnit_ = true;
};

#endif
