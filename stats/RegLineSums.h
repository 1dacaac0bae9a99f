// RegLineSums: the running sums of a simple least-squares line of y on x
// (sums of x, y, x^2, y^2, xy and the count) and what follows from them:
// the correlation, slope, intercept, the t value of the correlation and its
// probability. The scatter element and the biplot computation keep one.
//
// Definitions (n cases, Sx = n sum x^2 - (sum x)^2, Sy likewise):
//   r = (n sum xy - sum x sum y) / sqrt(Sx Sy)
//   b = r sqrt(Sy) / sqrt(Sx),  a = mean y - b mean x
//   t = r sqrt((n - 2) / (1 - r^2)) on n - 2 degrees of freedom
// Every result is kNotComputed (the largest float) with fewer than 2 cases
// or when all x or all y are equal (Sx or Sy below 1e-30, "degenerate");
// t is kNotComputed also when r is +-1 (either sign would divide by zero).
// The probability is 1 with fewer than 3 cases or a
// degenerate cloud, 0 when |r| is 1 to 15 digits, else Student's t tail.
// The results compute the sums' figures on first use; adding a case after
// that clears them.
#ifndef STATS_REGLINESUMS_H
#define STATS_REGLINESUMS_H

#include <cstdint>

class RegLineSums
{
public:
    RegLineSums() { Reset(); }

    // Every sum 0, both probabilities 1, every flag clear.
    void Reset();
    void Add(double x, double y)
    {
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumYY += y * y;
        sumXY += x * y;
        n += 1.0;
        computed = 0;
        oneSidedCached = twoSidedCached = 0;
    }
    // Sets Sx, Sy and the degenerate flag (with at least 2 cases).
    void Compute();

    double Correlation();
    double Slope();
    double Intercept();
    double TValue();
    // One- or two-sided probability of the correlation, cached per flag.
    double Probability(bool twoSided);

    double Count() const { return n; }

private:
    // False when no result can be given (fewer than 2 cases or degenerate).
    bool Usable();

    double sumX, sumY, sumXX, sumYY, sumXY, n;
    double sx, sy;
    double oneSided, twoSided;
    std::uint8_t oneSidedCached, twoSidedCached, computed, degenerate;
};

#endif
