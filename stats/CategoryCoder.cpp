#include "stats/CategoryCoder.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

#include "dataset/BUFFERTYPE.h"

namespace {
// Bytes charged per category (its hash entry, value, order and label).
const size_t kCategoryCost = 96;
} // namespace

uint32_t CategoryIndex::FindNew(double v)
{
    auto found = index.find(v);
    if (found == index.end()) {
        charge.Add(kCategoryCost);
        found = index.emplace(v, static_cast<uint32_t>(values.size())).first;
        values.push_back(v);
    }
    last = v;
    lastIndex = found->second;
    return lastIndex;
}

std::vector<long> CategoryIndex::Ranks(std::vector<double> &ordered) const
{
    ordered = values;
    std::sort(ordered.begin(), ordered.end());
    std::vector<long> rank(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        rank[i] = static_cast<long>(std::lower_bound(ordered.begin(), ordered.end(), values[i]) - ordered.begin());
    return rank;
}

CategoryCoder::CategoryCoder(const BUFFERTYPE &list, CategoryIndex &index, MemoryCharge &charge, bool userMissing)
    : list(list), index(index), userMissingValues(userMissing)
{
    if (list.storageType == STORAGE_U8 || list.storageType == STORAGE_I16) {
        const size_t slots = list.storageType == STORAGE_U8 ? 256 : 65536;
        charge.AddItems(slots, sizeof(uint32_t));
        table.assign(slots, kUnseenCode);
    }
}

void CategoryCoder::Prepare(const unsigned char *blockBytes, long n, uint32_t *codes)
{
    bytes = blockBytes;
    if (list.storageType == STORAGE_U8) {
        const uint32_t *known = table.data();
        for (long c = 0; c < n; ++c) {
            const uint32_t code = known[blockBytes[c]];
            codes[c] = code != kUnseenCode ? code : Lookup(blockBytes[c], blockBytes[c]);
        }
    } else if (list.storageType == STORAGE_I16) {
        for (long c = 0; c < n; ++c) {
            const int16_t v = Short(c);
            codes[c] = Lookup(static_cast<size_t>(v + 32768), v);
        }
    } else {
        values.resize(static_cast<size_t>(n));
        list.DecodeBlock(bytes, n, values.data(), DBL_MAX, !userMissingValues);
        for (long c = 0; c < n; ++c)
            codes[c] = values[c] == DBL_MAX ? kMissingCode : kUnseenCode;
    }
}

uint32_t CategoryCoder::Resolve(long c)
{
    if (list.storageType == STORAGE_U8)
        return table[bytes[c]] = index.Find(bytes[c]);
    if (list.storageType == STORAGE_I16) {
        const int16_t v = Short(c);
        return table[static_cast<size_t>(v + 32768)] = index.Find(v);
    }
    return index.Find(values[c]);
}

int16_t CategoryCoder::Short(long c) const
{
    int16_t v;
    std::memcpy(&v, bytes + 2 * c, 2);
    return v;
}

uint32_t CategoryCoder::Lookup(size_t slot, long stored)
{
    uint32_t &code = table[slot];
    if (code == kUnseenCode) {
        const long sysMissing = list.storageType == STORAGE_U8 ? 255 : 32767;
        if (stored == sysMissing || (!userMissingValues && list.IsMissingInt(stored)))
            code = kMissingCode;
    }
    return code;
}
