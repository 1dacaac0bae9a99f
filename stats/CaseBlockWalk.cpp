#include "stats/CaseBlockWalk.h"

#include <emmintrin.h>

#include <cfloat>
#include <cmath>

#include <algorithm>
#include <cstring>
#include <limits>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetLayout.h"
#include "dataset/MemoryBudget.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

namespace {
// A block's decoded values take about this many bytes whatever the number
// of variables, so that a wide computation does not hold megabytes of them.
const long kBlockBytes = 512 * 1024;
const long kMostCases = 4096, kFewestCases = 256;
// The window of each list the walk makes: read a piece at a time, a column
// is decoded while it is still in the cache, and a walk over many columns
// holds little of the budget.
const size_t kWindowBytes = 1 << 20;
// The windows of a walk over many lists together take about this much
// (each at least kFewestWindowBytes), so that a count over ten variables
// holds no more than one over two.
const size_t kAllWindowsBytes = 2 << 20, kFewestWindowBytes = 64 << 10;

// The weights of count cases of one weight variable of reals (8-byte
// doubles or 4-byte floats) with no user-missing codes, in one pass: a
// value counts when it is above 0 and below the sentinel (the largest
// value of its type, which marks it missing); every other weight becomes
// 0. Returns the number that became 0. The column holds no infinity or NaN
// (its list refuses them when it reads them), so the two comparisons tell
// every case.
template <bool Float>
long ReadRealWeights(const unsigned char *bytes, long count, double *w)
{
    const __m128d zero = _mm_setzero_pd();
    const __m128d sentinel = _mm_set1_pd(Float ? static_cast<double>(FLT_MAX) : DBL_MAX);
    long excluded = 0;
    long i = 0;
    for (; i + 2 <= count; i += 2) {
        __m128d v;
        if (Float)
            v = _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(bytes + 4 * i))));
        else
            v = _mm_loadu_pd(reinterpret_cast<const double *>(bytes + 8 * i));
        const __m128d counts = _mm_and_pd(_mm_cmpgt_pd(v, zero), _mm_cmplt_pd(v, sentinel));
        _mm_storeu_pd(w + i, _mm_and_pd(v, counts));
        const int mask = _mm_movemask_pd(counts);
        excluded += 2 - (mask & 1) - (mask >> 1);
    }
    for (; i < count; ++i) {
        double v;
        if (Float) {
            float f;
            std::memcpy(&f, bytes + 4 * i, 4);
            v = static_cast<double>(f);
        } else {
            std::memcpy(&v, bytes + 8 * i, 8);
        }
        const bool counts = v > 0.0 && v < (Float ? static_cast<double>(FLT_MAX) : DBL_MAX);
        w[i] = counts ? v : 0.0;
        excluded += !counts;
    }
    return excluded;
}

} // namespace

// A small budget gets small windows; many lists share kAllWindowsBytes.
size_t CaseBlockWalk::WindowBytes(int lists)
{
    size_t each = std::min<size_t>(kWindowBytes, MemoryBudget::Limit() / 64);
    if (lists > 2)
        each = std::min(each, std::max(kFewestWindowBytes, kAllWindowsBytes / static_cast<size_t>(lists)));
    return std::max<size_t>(8, each);
}

CaseBlockWalk::CaseBlockWalk(StatClass &owner, const long *variables, int count, bool report)
    : computation(owner), reportExcluded(report)
{
    DATASET *set = computation.GetDataSet();
    if (!set) {
        ok = false;
        return;
    }
    WeightRec *weight = computation.GetWeight();
    const size_t window = WindowBytes(count + (weight ? weight->GetCount() : 0));
    for (int i = 0; i < count; ++i) {
        owned.emplace_back(new LISTETYPE(set, variables[i], window));
        if (owned.back()->Error() || owned.back()->GetCaseCount() != set->GetCaseCount()) {
            failedVariable = variables[i];
            ok = false;
            return;
        }
        columns.emplace_back();
        columns.back().list = owned.back().get();
    }
    Start(count);
}

CaseBlockWalk::CaseBlockWalk(StatClass &owner, BUFFERTYPE *const *lists, int count, bool report)
    : computation(owner), reportExcluded(report)
{
    for (int i = 0; i < count; ++i) {
        columns.emplace_back();
        columns.back().list = lists[i];
    }
    Start(count);
}

CaseBlockWalk::~CaseBlockWalk()
{}

void CaseBlockWalk::Start(int count)
{
    DATASET *set = computation.GetDataSet();
    if (set) {
        caseCount = set->GetCaseCount();
    } else if (!columns.empty() && columns[0].list && !computation.GetWeight() &&
               !(computation.GetSelection() && computation.GetSelection()->IsActive())) {
        // Lists of no data set, unweighted and unselected: every case counts.
        caseCount = columns[0].list->GetCaseCount();
    } else {
        ok = false;
        return;
    }
    blockCases = std::max(kFewestCases, std::min(kMostCases, kBlockBytes / (8 * (count + 1))));
    if (WeightRec *w = computation.GetWeight()) {
        // Each weight variable is a column of the walk, read a block at a
        // time through a small window like the others; the case weight is
        // their product, formed per block.
        if (!set || w->GetCount() <= 0) {
            ok = false;
            return;
        }
        for (int i = 0; i < w->GetCount(); ++i) {
            weightLists.emplace_back(
                new LISTETYPE(set, w->GetVariable(i), WindowBytes(static_cast<int>(columns.size()) + w->GetCount())));
            BUFFERTYPE &list = *weightLists.back();
            if (list.Error() || list.GetCaseCount() != caseCount) {
                ok = false;
                return;
            }
            list.SeekCase(1, 1);
            weightColumns.emplace_back();
            weightColumns.back().list = &list;
        }
        if (weightColumns.size() > 1)
            factors.resize(static_cast<size_t>(blockCases));
    }
    for (Column &c : columns) {
        if (!c.list || c.list->GetCaseCount() != caseCount) {
            failedVariable = c.list ? c.list->variableNumber : 0;
            ok = false;
            return;
        }
        if (caseCount > 0)
            c.list->SeekCase(1, 1);
    }
    weights.assign(static_cast<size_t>(blockCases), 1.0);
}

bool CaseBlockWalk::ReadColumn(Column &c, long want)
{
    c.decoded = false;
    const unsigned char *bytes;
    long got = c.list->MoveNextBlock(want, bytes);
    if (got == want) {
        c.bytes = bytes;
        return true;
    }
    // The block spans two windows of a paged list: gather it.
    const size_t valueSize = static_cast<size_t>(c.list->GetValueSize());
    c.copy.resize(static_cast<size_t>(want) * valueSize);
    long have = 0;
    while (got > 0) {
        std::memcpy(c.copy.data() + static_cast<size_t>(have) * valueSize, bytes, static_cast<size_t>(got) * valueSize);
        have += got;
        if (have == want)
            break;
        got = c.list->MoveNextBlock(want - have, bytes);
    }
    c.bytes = c.copy.data();
    return have == want;
}

bool CaseBlockWalk::ReadWeights(long want)
{
    double *w = weights.data();
    SelectRec *selection = computation.GetSelection();
    const bool selecting = selection && selection->IsActive();
    long zero = 0;
    const BUFFERTYPE *single = weightColumns.size() == 1 ? weightColumns[0].list : nullptr;
    if (single && single->missingCount == 0 &&
        (single->storageType == STORAGE_DOUBLE || single->storageType == STORAGE_FLOAT)) {
        // The usual survey weight: one variable of reals, read, checked and
        // zeroed where it does not count in a single pass over the block.
        Column &c = weightColumns[0];
        if (!ReadColumn(c, want))
            return false;
        zero = single->storageType == STORAGE_FLOAT ? ReadRealWeights<true>(c.bytes, want, w)
                                                     : ReadRealWeights<false>(c.bytes, want, w);
    } else {
        if (!ReadFactors(want))
            return false;
        // A missing weight counts as 0, as does one that is not finite or
        // not above 0; any finite weight above 0 counts, however large.
        for (long i = 0; i < want; ++i) {
            // Finite and above 0: not NaN, not past the largest double.
            const bool counts = w[i] > 0.0 && w[i] <= DBL_MAX;
            w[i] = counts ? w[i] : 0.0;
            zero += !counts;
        }
    }
    // A case of the selection that counts nowhere for its weight is noted.
    if (selecting) {
        zero = 0;
        for (long i = 0; i < want; ++i) {
            if (!selection->IsCaseInForce(first + i))
                w[i] = 0.0;
            else if (w[i] == 0.0)
                ++zero;
        }
    }
    excluded += zero;
    return true;
}

bool CaseBlockWalk::ReadFactors(long want)
{
    double *w = weights.data();
    if (!weightColumns.empty()) {
        // A missing factor makes the weight missing (NaN here, which every
        // product keeps); the factors multiply in the weight record's order.
        const double missing = std::numeric_limits<double>::quiet_NaN();
        for (size_t i = 0; i < weightColumns.size(); ++i) {
            Column &c = weightColumns[i];
            if (!ReadColumn(c, want))
                return false;
            if (i == 0) {
                c.list->DecodeBlock(c.bytes, want, w, missing);
                continue;
            }
            c.list->DecodeBlock(c.bytes, want, factors.data(), missing);
            for (long k = 0; k < want; ++k)
                w[k] *= factors[static_cast<size_t>(k)];
        }
    } else {
        std::fill(w, w + want, 1.0);
    }
    return true;
}

bool CaseBlockWalk::NextBlock()
{
    if (!ok)
        return false;
    first += size;
    size = 0;
    const long want = std::min(blockCases, caseCount - first);
    if (want <= 0) {
        if (!reported && reportExcluded) {
            reported = true;
            computation.NoteExcludedWeightCases(excluded);
        }
        return false;
    }
    for (Column &c : columns) {
        if (!ReadColumn(c, want)) {
            failedVariable = c.list->variableNumber;
            ok = false;
            return false;
        }
    }
    if (!ReadWeights(want)) {
        failedVariable = 0;
        ok = false;
        return false;
    }
    size = want;
    return true;
}

const double *CaseBlockWalk::Values(int i)
{
    Column &c = columns[static_cast<size_t>(i)];
    if (!c.decoded) {
        c.values.resize(static_cast<size_t>(blockCases));
        c.list->DecodeBlock(c.bytes, size, c.values.data(), kMissingValue);
        c.decoded = true;
    }
    return c.values.data();
}

std::string CaseBlockWalk::FailureReason() const
{
    for (const auto &list : owned)
        if (list->Error())
            return DataSetErrorText(list->Error(), list->ErrorText());
    for (const Column &c : columns)
        if (c.list && c.list->Error())
            return DataSetErrorText(c.list->Error(), c.list->ErrorText());
    for (const auto &list : weightLists)
        if (list->Error())
            return DataSetErrorText(list->Error(), list->ErrorText());
    return "";
}
