#include "stats/StatDistributions.h"

#include <cmath>

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "stats/StatMissing.h"

namespace {

// Errors become NaN results instead of exceptions; NaN is then turned into
// the not-computed mark below.
using QuietPolicy =
    boost::math::policies::policy<boost::math::policies::domain_error<boost::math::policies::errno_on_error>,
                                  boost::math::policies::pole_error<boost::math::policies::errno_on_error>,
                                  boost::math::policies::overflow_error<boost::math::policies::errno_on_error>,
                                  boost::math::policies::evaluation_error<boost::math::policies::errno_on_error>,
                                  boost::math::policies::rounding_error<boost::math::policies::errno_on_error>,
                                  boost::math::policies::promote_double<false>>;

double Checked(double p)
{
    if (!std::isfinite(p))
        return kNotComputed;
    if (p < 0.0)
        return 0.0;
    if (p > 1.0)
        return 1.0;
    return p;
}

bool UsableStatistic(double x)
{
    return std::isfinite(x) && !IsNotComputed(x);
}

bool UsableDf(double df)
{
    return std::isfinite(df) && df > 0.0 && df < kNotComputed;
}

// Beyond this many degrees of freedom Student's t is the standard normal
// to every digit of a double (they differ by about (z^3 + z) / (4 df)); the
// normal also serves a df too large to be a double.
constexpr double kNormalDf = 1e20;

bool NormalDf(double df)
{
    return df > kNormalDf;
}

} // namespace

double StudentTailProbability(double t, double df, int twoSided)
{
    if (NormalDf(df)) {
        // A t beyond the not-computed mark, from a spread far below the
        // mean, has no tail left.
        if (std::isfinite(t) && std::fabs(t) > kNotComputed)
            return 0.0;
        return NormalTailProbability(t, twoSided);
    }
    // A t beyond the not-computed mark is a statistic all the same (a
    // spread far below the mean): its tail is computed, not refused.
    if (!(std::isfinite(t) && std::fabs(t) > kNotComputed) && !UsableStatistic(t))
        return kNotComputed;
    if (!UsableDf(df))
        return kNotComputed;
    boost::math::students_t_distribution<double, QuietPolicy> dist(df);
    double p = Checked(boost::math::cdf(boost::math::complement(dist, std::fabs(t))));
    if (p == kNotComputed)
        return p;
    return twoSided ? Checked(2.0 * p) : p;
}

double StudentQuantile(double p, double df)
{
    if (!(p > 0.0 && p < 1.0))
        return kNotComputed;
    if (NormalDf(df)) {
        boost::math::normal_distribution<double, QuietPolicy> normal(0.0, 1.0);
        const double z = boost::math::quantile(normal, p);
        return std::isfinite(z) ? z : kNotComputed;
    }
    if (!UsableDf(df))
        return kNotComputed;
    boost::math::students_t_distribution<double, QuietPolicy> dist(df);
    double q = boost::math::quantile(dist, p);
    return std::isfinite(q) ? q : kNotComputed;
}

double FisherTailProbability(double f, double df1, double df2)
{
    if (NormalDf(df2) && UsableDf(df1)) {
        // F of df2 beyond a double's digits is chi-square(df1) / df1; an F
        // beyond the mark has no tail left.
        if (std::isfinite(f) && f > kNotComputed)
            return 0.0;
        if (!UsableStatistic(f))
            return kNotComputed;
        return ChiSquareTailProbability(f * df1, df1);
    }
    if (!UsableStatistic(f) || !UsableDf(df1) || !UsableDf(df2))
        return kNotComputed;
    if (f <= 0.0)
        return 1.0;
    boost::math::fisher_f_distribution<double, QuietPolicy> dist(df1, df2);
    return Checked(boost::math::cdf(boost::math::complement(dist, f)));
}

double ChiSquareTailProbability(double x, double df)
{
    // A chi-square beyond the not-computed mark (a table of huge weights)
    // is a statistic all the same: its tail is computed, 0 for any table.
    if (!(std::isfinite(x) && x > kNotComputed) && !UsableStatistic(x))
        return kNotComputed;
    if (!UsableDf(df))
        return kNotComputed;
    if (x <= 0.0)
        return 1.0;
    boost::math::chi_squared_distribution<double, QuietPolicy> dist(df);
    return Checked(boost::math::cdf(boost::math::complement(dist, x)));
}

double NormalTailProbability(double z, int twoSided)
{
    if (!UsableStatistic(z))
        return kNotComputed;
    boost::math::normal_distribution<double, QuietPolicy> dist(0.0, 1.0);
    double p = Checked(boost::math::cdf(boost::math::complement(dist, std::fabs(z))));
    return twoSided ? Checked(2.0 * p) : p;
}

double BinomialLowerTail(long k, long n, double p)
{
    if (n < 0 || k < 0 || !(p >= 0.0 && p <= 1.0))
        return kNotComputed;
    if (k >= n)
        return 1.0;
    boost::math::binomial_distribution<double, QuietPolicy> dist(static_cast<double>(n), p);
    return Checked(boost::math::cdf(dist, static_cast<double>(k)));
}

double BinomialTwoSidedProbability(long a, long b)
{
    if (a < 0 || b < 0)
        return kNotComputed;
    if (a == b)
        return 1.0;
    double p = BinomialLowerTail(a < b ? a : b, a + b, 0.5);
    if (p == kNotComputed)
        return p;
    return Checked(2.0 * p);
}
