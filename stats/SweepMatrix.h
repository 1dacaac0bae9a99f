// A symmetric matrix with the sweep operator, the matrix routine under the
// correlation and regression computations.
//
// Sweeping pivot k of a correlation (or cross-product) matrix takes variable
// k into the "equation": afterwards the rows and columns of the swept
// variables hold minus the inverse of their block, the unswept ones the
// partial (residual) matrix given the swept ones, and the mixed entries the
// regression weights. Sweeping the same pivot again takes the variable out,
// which is what stepwise selection does. Indices are 0-based. The matrix
// owns its storage (full square, row-major).
#ifndef STATS_SWEEPMATRIX_H
#define STATS_SWEEPMATRIX_H

#include <vector>

class SweepMatrix
{
public:
    explicit SweepMatrix(int order = 0);

    int Order() const { return order_; }
    double &At(int row, int column) { return data_[row * order_ + column]; }
    double At(int row, int column) const { return data_[row * order_ + column]; }
    bool IsSwept(int k) const { return swept_[k] != 0; }

    // Sweeps pivot k in (or out, when it was swept). Returns false and leaves
    // the matrix unchanged when the pivot is below the given tolerance in
    // absolute value (a variable that is a linear combination of those swept
    // before, or has no variance).
    bool Sweep(int k, double tolerance = 1e-12);

private:
    int order_;
    std::vector<double> data_;
    std::vector<unsigned char> swept_;
};

#endif
