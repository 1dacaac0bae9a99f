// CellCounter: weighted counts of the cells of a table of up to
// kMaxDimensions dimensions, each cell named by one category number per
// dimension (numbers from 0, as CategoryIndex gives them). The cells are
// counted in a dense array while the product of the numbers met so far
// (each side rounded up to a power of 2) stays within kDenseCells; the
// array widens as new numbers come, which happens once per category, not
// once per case. A table beyond that, or a dense array the memory budget
// refuses, is counted in a hash of the cells met.
//
// Ownership: the counter's storage is charged to the memory budget while
// it lives (a refused charge for the hash throws BudgetRefusal). A counter
// of 0 dimensions has one cell.
#ifndef STATS_CELLCOUNTER_H
#define STATS_CELLCOUNTER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "dataset/MemoryBudget.h"

class CellCounter
{
public:
    static constexpr int kMaxDimensions = 4;
    // The most cells the dense array holds (8 MiB of counts).
    static constexpr size_t kDenseCells = size_t(1) << 20;
    typedef std::array<uint32_t, kMaxDimensions> Key;

    explicit CellCounter(int dimensions, size_t denseCells = kDenseCells);
    CellCounter(const CellCounter &) = delete;
    CellCounter &operator=(const CellCounter &) = delete;

    // Adds w to the cell of the numbers index[0 .. dimensions - 1].
    void Add(const uint32_t *index, double w)
    {
        if (dense) {
            size_t at = 0;
            bool inside = true;
            for (int d = 0; d < dimensions; ++d) {
                inside = inside && index[d] < sides[d];
                at = at * sides[d] + index[d];
            }
            if (inside) {
                cells[at] += w;
                return;
            }
        }
        AddOutside(index, w);
    }
    // Makes the dense array hold every number up to highest[d] in each
    // dimension when it can; true while the cells are dense. The caller
    // may then add to Cells() at the place of Offset (numbers within those
    // already made room for).
    bool MakeRoom(const uint32_t *highest);
    double *Cells() { return cells.data(); }
    size_t Side(int d) const { return sides[d]; }
    // Calls visit(numbers, count) for every cell with a count, in no
    // particular order.
    void ForEach(const std::function<void(const uint32_t *, double)> &visit) const;
    bool Dense() const { return dense; }

private:
    struct KeyHash
    {
        size_t operator()(const Key &key) const;
    };
    void AddOutside(const uint32_t *index, double w);
    // Widens the dense array to hold index, or moves every cell to the hash.
    void Widen(const uint32_t *index);
    void MoveToHash();

    int dimensions;
    MemoryCharge charge; // what the counts hold of the budget, given back at the end
    size_t denseLimit;
    bool dense = true;
    std::array<size_t, kMaxDimensions> sides{};
    std::vector<double> cells;
    std::unordered_map<Key, double, KeyHash> met;
};

#endif
