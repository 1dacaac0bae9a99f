#include "stats/CellCounter.h"

#include <algorithm>
#include <stdexcept>

namespace {
// Bytes charged per cell of the hash (node, bucket and the heap's own
// bookkeeping).
const size_t kHashEntryCost = 48;

size_t PowerOf2Above(uint32_t n)
{
    size_t side = 1;
    while (side <= n)
        side *= 2;
    return side;
}
} // namespace

CellCounter::CellCounter(int dimensions, size_t denseCells)
    : dimensions(std::max(0, std::min(dimensions, kMaxDimensions))), denseLimit(std::max<size_t>(denseCells, 1))
{
    for (int d = 0; d < this->dimensions; ++d)
        sides[d] = 1;
    charge.Add(sizeof(double));
    cells.assign(1, 0.0);
}

size_t CellCounter::KeyHash::operator()(const Key &key) const
{
    // Mixes every number into 64 bits: the standard hash of a 32-bit size_t
    // would lose the high numbers.
    uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (uint32_t n : key) {
        h ^= n;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
    }
    return static_cast<size_t>(h);
}

void CellCounter::AddOutside(const uint32_t *index, double w)
{
    if (dense)
        Widen(index);
    if (dense) {
        Add(index, w);
        return;
    }
    Key key{};
    std::copy(index, index + dimensions, key.begin());
    auto cell = met.find(key);
    if (cell == met.end()) {
        charge.Add(kHashEntryCost);
        cell = met.emplace(key, 0.0).first;
    }
    cell->second += w;
}

bool CellCounter::MakeRoom(const uint32_t *highest)
{
    for (int d = 0; d < dimensions && dense; ++d)
        if (highest[d] >= sides[d])
            Widen(highest);
    return dense;
}

void CellCounter::Widen(const uint32_t *index)
{
    std::array<size_t, kMaxDimensions> wider = sides;
    size_t count = 1;
    for (int d = 0; d < dimensions; ++d) {
        wider[d] = std::max(sides[d], PowerOf2Above(index[d]));
        if (wider[d] > denseLimit / count) {
            MoveToHash();
            return;
        }
        count *= wider[d];
    }
    std::vector<double> widened;
    bool charged = false;
    try {
        charge.Add(count * sizeof(double));
        charged = true;
        widened.assign(count, 0.0);
    } catch (const std::bad_alloc &) {
        if (charged)
            charge.Release(count * sizeof(double));
        MoveToHash();
        return;
    }
    // Each old cell to its place in the wider array.
    std::vector<uint32_t> at(static_cast<size_t>(dimensions), 0);
    for (size_t old = 0; old < cells.size(); ++old) {
        size_t rest = old, to = 0;
        for (int d = dimensions - 1; d >= 0; --d) {
            at[d] = static_cast<uint32_t>(rest % sides[d]);
            rest /= sides[d];
        }
        for (int d = 0; d < dimensions; ++d)
            to = to * wider[d] + at[d];
        widened[to] = cells[old];
    }
    charge.Release(cells.size() * sizeof(double));
    cells.swap(widened);
    sides = wider;
}

void CellCounter::MoveToHash()
{
    ForEach([this](const uint32_t *index, double count) {
        Key key{};
        std::copy(index, index + dimensions, key.begin());
        charge.Add(kHashEntryCost);
        met.emplace(key, count);
    });
    charge.Release(cells.size() * sizeof(double));
    std::vector<double>().swap(cells);
    dense = false;
}

void CellCounter::ForEach(const std::function<void(const uint32_t *, double)> &visit) const
{
    if (!dense) {
        for (const auto &cell : met)
            visit(cell.first.data(), cell.second);
        return;
    }
    uint32_t at[kMaxDimensions] = {0, 0, 0, 0};
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == 0.0)
            continue;
        size_t rest = i;
        for (int d = dimensions - 1; d >= 0; --d) {
            at[d] = static_cast<uint32_t>(rest % sides[d]);
            rest /= sides[d];
        }
        visit(at, cells[i]);
    }
}
