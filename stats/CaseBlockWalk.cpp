#include "stats/CaseBlockWalk.h"

#include <cmath>

#include <algorithm>
#include <cstring>

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
} // namespace

CaseBlockWalk::CaseBlockWalk(StatClass &owner, const long *variables, int count, bool report)
    : computation(owner), reportExcluded(report)
{
    DATASET *set = computation.GetDataSet();
    if (!set) {
        ok = false;
        return;
    }
    // A small budget gets small windows.
    const size_t window = std::max<size_t>(8, std::min<size_t>(kWindowBytes, MemoryBudget::Limit() / 64));
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
        weightList.reset(w->NewWeightList(0, &weightFailure));
        if (!weightList || weightList->GetCaseCount() != caseCount) {
            ok = false;
            return;
        }
        weightList->SeekCase(1, 1);
        weightColumn.list = weightList.get();
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
    if (weightList) {
        if (!ReadColumn(weightColumn, want))
            return false;
        // A missing weight counts as 0, as does one that is not finite or
        // not above 0; any finite weight above 0 counts, however large.
        weightList->DecodeBlock(weightColumn.bytes, want, w, 0.0);
        for (long i = 0; i < want; ++i)
            if (!std::isfinite(w[i]) || !(w[i] > 0.0))
                w[i] = 0.0;
    } else {
        std::fill(w, w + want, 1.0);
    }
    SelectRec *selection = computation.GetSelection();
    const bool selecting = selection && selection->IsActive();
    for (long i = 0; i < want; ++i) {
        if (selecting && !selection->IsCaseInForce(first + i))
            w[i] = 0.0;
        else if (w[i] == 0.0)
            ++excluded;
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
    if (weightList && weightList->Error())
        return DataSetErrorText(weightList->Error(), weightList->ErrorText());
    return weightFailure;
}
