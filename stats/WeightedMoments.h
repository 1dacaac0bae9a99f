// WeightedMoments: the moments of one variable over a stream of weighted
// cases (count, sum of weights, sum, minimum, maximum, mean and the centred
// sums of the 2nd to 4th powers), updated one case at a time. Every
// computation that needs a mean or a spread takes it from here, so that the
// same cases in the same order give bit-identical figures in every
// analysis.
//
// Method: West's weighted update of the mean and the sum of squares,
// extended to the 3rd and 4th centred sums by the pairwise-combination
// formulas (Chan, Golub and LeVeque for M2; Terriberry and Pebay for M3 and
// M4), taking each new case as a set of weight w with no spread. With
// W' = W + w and d = x - mean:
//   M4 += d^4 W w (W^2 - W w + w^2) / W'^3 + 6 d^2 w^2 M2 / W'^2 - 4 d w M3 / W'
//   M3 += d^3 W w (W - w) / W'^2 - 3 d w M2 / W'
//   M2 += d^2 W w / W'
//   mean += d w / W'
// (M2, M3 as before the case). Unlike the textbook sum of squares minus
// the squared sum, no term cancels, so values near 1e9 keep their digits.
// The mean, the sum and M2 carry a correction term (Neumaier's compensated
// addition), so that millions of small updates do not drift: over 2,000,000
// one-digit values the plain update is off in the 14th digit of the
// standard deviation and the mean, the corrected one in neither.
//
// Values up to the largest double: after the first value beyond 2^500 the
// moments are held scaled by 2^-770 (every state scaled exactly, as a power
// of two is) and scaled back when asked for, so that x - mean, its square
// and its fourth power do not overflow to an infinity or a NaN where the
// figure itself is a double. Below 2^500 nothing is scaled and the figures
// are bit for bit those of the plain update.
//
// Weights are frequency weights: a case of weight 3 counts as three cases.
// Add ignores a weight that is not above 0 (the caller counts those).
#ifndef STATS_WEIGHTEDMOMENTS_H
#define STATS_WEIGHTEDMOMENTS_H

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

class WeightedMoments
{
public:
    void Add(double x, double w);

    long Count() const { return count_; }
    double Weight() const { return weight_; }
    // kNotComputed (from StatMissing.h) without cases, for all four.
    double Sum() const;
    // The mean, carrying its correction term.
    double Mean() const;
    double Minimum() const;
    double Maximum() const;
    // The largest magnitude of a value added; 0 without cases.
    double Magnitude() const;
    // sum w (x - mean)^2, ^3 and ^4.
    double SumOfSquares() const;
    double SumOfCubes() const;
    double SumOfFourthPowers() const;

    // M2 / (W - 1); kNotComputed unless W > 1.
    double Variance() const;
    double StandardDeviation() const;
    // False when the standard deviation is at most kNoVarianceRatio times the
    // magnitude (this variable's own when magnitude is 0): a constant up to
    // rounding. False unless W > 1.
    bool HasVariance(double magnitude = 0.0) const;
    // The bias-corrected G1 (W > 2) and G2 (W > 3) of DescriptiveKernel.h;
    // kNotComputed without variance.
    double Skewness() const;
    double Kurtosis() const;

private:
    long count_ = 0;
    double weight_ = 0.0;
    double sum_ = 0.0, sumError_ = 0.0;
    double mean_ = 0.0, meanError_ = 0.0;
    double m2_ = 0.0, m2Error_ = 0.0, m3_ = 0.0, m4_ = 0.0;
    double minimum_ = 0.0, maximum_ = 0.0;
    int scale_ = 0; // the moments are held times 2^scale_: 0, or kHugeScale
    void ScaleForHugeValues();
    // M2 / (W - 1) at the held scale.
    double ScaledVariance() const;
};

#endif
