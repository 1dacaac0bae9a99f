#include "stats/SweepMatrix.h"

#include <cmath>

SweepMatrix::SweepMatrix(int order)
    : order_(order < 0 ? 0 : order), data_(static_cast<size_t>(order_) * order_, 0.0), swept_(order_, 0)
{}

bool SweepMatrix::Sweep(int k, double tolerance)
{
    if (k < 0 || k >= order_)
        return false;
    const double pivot = At(k, k);
    if (!(std::fabs(pivot) > tolerance))
        return false;
    const int n = order_;
    // Sweeping in and sweeping out differ only in the sign of the pivot row,
    // so that sweeping a pivot twice restores the matrix.
    const double rowSign = swept_[k] ? -1.0 : 1.0;
    for (int i = 0; i < n; ++i) {
        if (i == k)
            continue;
        const double aik = At(i, k);
        if (aik == 0.0)
            continue;
        const double factor = aik / pivot;
        double *row = &data_[i * n];
        const double *rowK = &data_[k * n];
        for (int j = 0; j < n; ++j) {
            if (j != k)
                row[j] -= factor * rowK[j];
        }
    }
    for (int j = 0; j < n; ++j) {
        if (j != k) {
            At(k, j) = rowSign * At(k, j) / pivot;
            At(j, k) = At(k, j);
        }
    }
    At(k, k) = -1.0 / pivot;
    swept_[k] = !swept_[k];
    return true;
}
