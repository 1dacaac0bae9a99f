// CategoryIndex and CategoryCoder: the categories of a variable numbered
// as they are met, for counts kept by those numbers (the crosstab's cells,
// the n-way table's cells). A category is numbered once per distinct value,
// not once per case: a 1- or 2-byte variable keeps each stored value's
// number in a table, any other goes through a hash with the last value
// remembered.
//
// Ownership: a coder points to its list and index, which must outlive it;
// the index and the coder's table are charged to the MemoryCharge given.
#ifndef STATS_CATEGORYCODER_H
#define STATS_CATEGORYCODER_H

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "dataset/MemoryBudget.h"

class BUFFERTYPE;

// Numbers the distinct values in the order they are met.
class CategoryIndex
{
public:
    explicit CategoryIndex(MemoryCharge &charge) : charge(charge) {}

    uint32_t Find(double v)
    {
        if (!values.empty() && v == last)
            return lastIndex;
        return FindNew(v);
    }
    size_t Count() const { return values.size(); }
    // The values in the order they were numbered.
    const std::vector<double> &Values() const { return values; }

    // rank[met number]: the place of the value in ascending order, which
    // fills ordered.
    std::vector<long> Ranks(std::vector<double> &ordered) const;

private:
    uint32_t FindNew(double v);

    MemoryCharge &charge;
    std::vector<double> values;
    std::unordered_map<double, uint32_t> index;
    double last = 0.0;
    uint32_t lastIndex = 0;
};

// Category numbers of a block of stored values: kMissingCode for a
// system- or user-missing value, kUnseenCode for a value whose category is
// not numbered yet; Resolve numbers it, which is done only for the cases
// that count, so a value met only beside a missing one makes no category.
class CategoryCoder
{
public:
    static constexpr uint32_t kMissingCode = 0xffffffffu;
    static constexpr uint32_t kUnseenCode = 0xfffffffeu;

    // With userMissingValues, a user-missing value is a category like any
    // other; only system-missing values are missing.
    CategoryCoder(const BUFFERTYPE &list, CategoryIndex &index, MemoryCharge &charge, bool userMissingValues = false);

    // Codes of the n cases of a block of the list's stored bytes; the bytes
    // must stay until the block's cases are resolved.
    void Prepare(const unsigned char *blockBytes, long n, uint32_t *codes);
    // The category of case c of the block (not missing), numbered now.
    uint32_t Resolve(long c);

private:
    int16_t Short(long c) const;
    uint32_t Lookup(size_t slot, long stored);

    const BUFFERTYPE &list;
    CategoryIndex &index;
    std::vector<uint32_t> table;
    std::vector<double> values;
    const unsigned char *bytes = nullptr;
    bool userMissingValues;
};

#endif
