#include "stats/RegressionKernel.h"

#include <algorithm>
#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"
#include "stats/StatStatus.h"
#include "stats/SweepMatrix.h"

namespace {

const double kMinimumTolerance = 1e-8;

class Stepper
{
public:
    Stepper(const CorrelationResult &corr, double n)
        : corr_(corr), p_(corr.variables - 1), y_(corr.variables - 1), n_(n), matrix_(corr.variables), order_()
    {
        const int k = corr.variables;
        for (int i = 0; i < k; ++i)
            for (int j = 0; j < k; ++j)
                matrix_.At(i, j) = i == j ? 1.0 : corr.r[static_cast<size_t>(i) * k + j];
    }

    bool Enter(int v)
    {
        if (matrix_.IsSwept(v) || !(matrix_.At(v, v) >= kMinimumTolerance))
            return false;
        if (!matrix_.Sweep(v, 0.0))
            return false;
        order_.push_back(v);
        return true;
    }

    void Remove(int v)
    {
        if (!matrix_.IsSwept(v))
            return;
        matrix_.Sweep(v, 0.0);
        for (size_t i = 0; i < order_.size(); ++i) {
            if (order_[i] == v) {
                order_.erase(order_.begin() + i);
                break;
            }
        }
    }

    bool InEquation(int v) const { return matrix_.IsSwept(v); }
    int Size() const { return static_cast<int>(order_.size()); }

    // p of the t that candidate v would have if entered next; kNotComputed
    // when it cannot enter.
    double EntryProbability(int v) const
    {
        double b, se, beta, t, p, tol;
        CandidateFigures(v, b, se, beta, t, p, tol);
        return tol >= kMinimumTolerance ? p : kNotComputed;
    }

    double RemovalProbability(int v) const
    {
        double b, se, beta, t, p, tol;
        InEquationFigures(v, b, se, beta, t, p, tol);
        return p;
    }

    RegressionStep Snapshot() const
    {
        RegressionStep s;
        s.rows = p_;
        s.inEquation = Size();
        s.n = n_;
        s.variable.assign(p_ + 1, -1);
        s.b.assign(p_ + 1, kNotComputed);
        s.seB = s.beta = s.t = s.p = s.tolerance = s.b;
        int row = 1;
        for (int v : order_)
            s.variable[row++] = v;
        for (int v = 0; v < p_; ++v)
            if (!InEquation(v))
                s.variable[row++] = v;
        for (int i = 1; i <= p_; ++i) {
            const int v = s.variable[i];
            if (i <= s.inEquation)
                InEquationFigures(v, s.b[i], s.seB[i], s.beta[i], s.t[i], s.p[i], s.tolerance[i]);
            else
                CandidateFigures(v, s.b[i], s.seB[i], s.beta[i], s.t[i], s.p[i], s.tolerance[i]);
        }
        Constant(s);
        Summary(s);
        return s;
    }

private:
    double Df() const { return n_ - Size() - 1.0; }
    double Residual() const
    {
        const double r = matrix_.At(y_, y_);
        return r > 0.0 ? r : 0.0;
    }
    double Scale(int v) const
    {
        const double sv = corr_.standardDeviation[v];
        if (sv > 0.0 && corr_.standardDeviation[y_] > 0.0)
            return corr_.standardDeviation[y_] / sv;
        // Weights of less than one case: the standard deviations have no
        // divisor, their ratio is that of the spreads.
        const double spread = corr_.spread[v];
        return spread > 0.0 && spread != kNotComputed && corr_.spread[y_] != kNotComputed ? corr_.spread[y_] / spread
                                                                                          : kNotComputed;
    }

    // Over weights summing past the largest double the standard errors
    // fall below anything printed and t passes every double: they keep the
    // mark, and p is 0 for a coefficient other than 0.
    static void PastTheLargestDouble(double coefficient, double &p) { p = coefficient != 0.0 ? 0.0 : 1.0; }

    void InEquationFigures(int v, double &b, double &se, double &beta, double &t, double &p, double &tol) const
    {
        b = se = beta = t = p = tol = kNotComputed;
        const double inverse = -matrix_.At(v, v);
        const double scale = Scale(v);
        beta = matrix_.At(v, y_);
        if (scale != kNotComputed)
            b = beta * scale;
        if (inverse > 0.0)
            tol = 1.0 / inverse;
        const double df = Df();
        if (!(df > 0.0) || !(inverse > 0.0) || scale == kNotComputed)
            return;
        if (!std::isfinite(df)) {
            PastTheLargestDouble(beta, p);
            return;
        }
        const double seBeta = std::sqrt(Residual() / df * inverse);
        se = seBeta * scale;
        if (seBeta > 0.0) {
            t = beta / seBeta;
            p = StudentTailProbability(t, df, 1);
        }
    }

    void CandidateFigures(int v, double &b, double &se, double &beta, double &t, double &p, double &tol) const
    {
        b = se = beta = t = p = kNotComputed;
        tol = matrix_.At(v, v);
        const double scale = Scale(v);
        if (!(tol > 0.0) || scale == kNotComputed) {
            tol = tol > 0.0 ? tol : 0.0;
            return;
        }
        const double ay = matrix_.At(v, y_);
        beta = ay / tol;
        b = beta * scale;
        const double df = Df() - 1.0;
        const double residual = Residual() - ay * ay / tol;
        if (!(df > 0.0))
            return;
        if (!std::isfinite(df)) {
            PastTheLargestDouble(beta, p);
            return;
        }
        const double seBeta = std::sqrt((residual > 0.0 ? residual : 0.0) / df / tol);
        se = seBeta * scale;
        if (seBeta > 0.0) {
            t = beta / seBeta;
            p = StudentTailProbability(t, df, 1);
        }
    }

    void Constant(RegressionStep &s) const
    {
        double b0 = corr_.mean[y_];
        for (int i = 1; i <= s.inEquation; ++i) {
            if (s.b[i] == kNotComputed)
                return;
            b0 -= s.b[i] * corr_.mean[s.variable[i]];
        }
        s.b[0] = b0;
        const double df = Df();
        const double sy = corr_.standardDeviation[y_];
        if (!(df > 0.0) || !(n_ > 1.0))
            return;
        if (!std::isfinite(df)) {
            PastTheLargestDouble(b0, s.p[0]);
            return;
        }
        // sigma^2 and the covariance of the B's: sigma^2 (X'X)^-1 with
        // (X'X)^-1_ij = -A[i][j] / ((N - 1) s_i s_j), all in units of s_y^2
        // and with the means in units of their standard deviations, so that
        // values near the largest double keep the variance of the constant
        // a double.
        const double sigma2 = (n_ - 1.0) * Residual() / df;
        double variance = sigma2 / n_;
        for (int i = 1; i <= s.inEquation; ++i) {
            const int vi = s.variable[i];
            const double zi = corr_.mean[vi] / corr_.standardDeviation[vi];
            for (int j = 1; j <= s.inEquation; ++j) {
                const int vj = s.variable[j];
                const double zj = corr_.mean[vj] / corr_.standardDeviation[vj];
                variance += zi * zj * sigma2 * (-matrix_.At(vi, vj) / (n_ - 1.0));
            }
        }
        if (variance > 0.0) {
            s.seB[0] = std::sqrt(variance) * sy;
            s.t[0] = b0 / s.seB[0];
            s.p[0] = StudentTailProbability(s.t[0], df, 1);
        }
    }

    void Summary(RegressionStep &s) const
    {
        for (double &v : s.summary)
            v = kNotComputed;
        const int q = Size();
        const double r2raw = 1.0 - Residual();
        const double r2 = r2raw < 0.0 ? 0.0 : (r2raw > 1.0 ? 1.0 : r2raw);
        s.summary[0] = std::sqrt(r2);
        s.summary[1] = r2;
        const double df = Df();
        if (!std::isfinite(df)) {
            // Weights summing past the largest double: (N - 1) / df is 1 to
            // every digit, F has no figure and no tail.
            s.summary[2] = r2;
            if (q > 0 && 1.0 - r2 > 0.0)
                s.summary[4] = r2 > 0.0 ? 0.0 : 1.0;
            return;
        }
        if (df > 0.0)
            s.summary[2] = 1.0 - (1.0 - r2) * (n_ - 1.0) / df;
        if (q > 0 && df > 0.0 && 1.0 - r2 > 0.0) {
            s.summary[3] = (r2 / q) / ((1.0 - r2) / df);
            s.summary[4] = FisherTailProbability(s.summary[3], q, df);
        }
    }

    const CorrelationResult &corr_;
    int p_;
    int y_;
    double n_;
    SweepMatrix matrix_;
    std::vector<int> order_;
};

} // namespace

int ComputeRegression(const CorrelationResult &corr, double n, int method, double pIn, double pOut,
                      std::vector<RegressionStep> &steps, int &badVariable)
{
    steps.clear();
    badVariable = -1;
    const int p = corr.variables - 1;
    if (p < 1)
        return kStatusTooFewVariables;
    // Spreads per unit of weight: a variable of any weights' scale with a
    // spread is not constant.
    if (!(corr.spread[p] > 0.0))
        return kStatusConstantDependent;
    for (int v = 0; v < p; ++v) {
        if (!(corr.spread[v] > 0.0)) {
            badVariable = v;
            return kStatusNoVariance;
        }
    }
    // Under pairwise deletion a pair can lack the cases or the variance for
    // its coefficient although each variable has both on its own cases; the
    // sweep would turn the not-computed mark into infinite figures.
    for (double r : corr.r) {
        if (!(std::fabs(r) <= 1.0))
            return kStatusTooFewCases;
    }
    Stepper stepper(corr, n);
    if (method == kRegressionForward) {
        if (!(n > 2.0))
            return kStatusTooFewCases;
        for (int round = 0; round < p; ++round) {
            int best = -1;
            double bestP = kNotComputed;
            if (n - stepper.Size() - 2.0 < 1.0)
                break;
            for (int v = 0; v < p; ++v) {
                if (stepper.InEquation(v))
                    continue;
                const double pv = stepper.EntryProbability(v);
                if (pv < bestP) {
                    bestP = pv;
                    best = v;
                }
            }
            if (best < 0 || !(bestP < pIn))
                break;
            stepper.Enter(best);
            steps.push_back(stepper.Snapshot());
        }
        if (steps.empty())
            steps.push_back(stepper.Snapshot());
        return 0;
    }
    // Weights of less than a case each (near the smallest double) still
    // give B, Beta and R from enough records; the figures that count the
    // weights as cases then hold the mark.
    const long records = *std::min_element(corr.count.begin(), corr.count.end());
    if (!(n - p - 1.0 >= 1.0) && !(n < 1.0 && records - p - 1 >= 1))
        return kStatusTooFewCases;
    for (int v = 0; v < p; ++v)
        stepper.Enter(v);
    steps.push_back(stepper.Snapshot());
    if (method != kRegressionBackward)
        return 0;
    for (int round = 0; round < p && stepper.Size() > 0; ++round) {
        int worst = -1;
        double worstP = -1.0;
        for (int v = 0; v < p; ++v) {
            if (!stepper.InEquation(v))
                continue;
            const double pv = stepper.RemovalProbability(v);
            if (pv != kNotComputed && pv > worstP) {
                worstP = pv;
                worst = v;
            }
        }
        if (worst < 0 || !(worstP > pOut))
            break;
        stepper.Remove(worst);
        steps.push_back(stepper.Snapshot());
    }
    return 0;
}
