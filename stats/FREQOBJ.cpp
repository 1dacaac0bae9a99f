#include "stats/FREQOBJ.h"

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/SelectRec.h"
#include "dataset/MemoryBudget.h"
#include "stats/CaseBlockWalk.h"
#include "stats/FrequencyKernel.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

namespace {

const long kIntSentinel = 2147483647L;

void CopyLabel(char *target, const char *text)
{
    std::strncpy(target, text, 140);
    target[140] = '\0';
}

} // namespace


FREQOBJ::FREQOBJ(DATASET *set) : StatClass(set), mean(DBL_MAX), median(DBL_MAX)
{}

FREQOBJ::~FREQOBJ()
{
    for (long i = 0; i < headingCount; ++i)
        delete[] headingTexts[i];
    delete[] headingTexts;
    delete[] categories;
}

void FREQOBJ::AppendCategory(const char *text)
{
    if (headingCount == headingCapacity) {
        char **grown = new char *[headingCapacity + 10];
        for (long i = 0; i < headingCount; ++i)
            grown[i] = headingTexts[i];
        delete[] headingTexts;
        headingTexts = grown;
        headingCapacity += 10;
    }
    char *copy = nullptr;
    if (text) {
        const size_t length = std::strlen(text);
        copy = new char[length + 1];
        std::memcpy(copy, text, length + 1);
    }
    headingTexts[headingCount++] = copy;
}

const char *FREQOBJ::CategoryAt(long index) const
{
    if (index < 0 || index >= headingCount || !headingTexts[index])
        return "";
    return headingTexts[index];
}

void FREQOBJ::SetCategories(const FreqCategory *records, long count)
{
    delete[] categories;
    categories = count > 0 ? new FreqCategory[count] : nullptr;
    if (count > 0)
        std::memcpy(categories, records, sizeof(FreqCategory) * count);
    categoryCount = count > 0 ? count : 0;
}

namespace {

int CompareDoubles(double a, double b)
{
    if (a < b)
        return -1;
    if (a > b)
        return 1;
    return 0;
}

const FreqCategory &Record(const void *p)
{
    return *static_cast<const FreqCategory *>(p);
}

} // namespace

int CompareByRealValueAscending(const void *a, const void *b)
{
    return CompareDoubles(Record(a).value.real, Record(b).value.real);
}

int CompareByRealValueDescending(const void *a, const void *b)
{
    return CompareDoubles(Record(b).value.real, Record(a).value.real);
}

int CompareByIntValueAscending(const void *a, const void *b)
{
    const long x = Record(a).value.integer, y = Record(b).value.integer;
    return x < y ? -1 : (x > y ? 1 : 0);
}

int CompareByIntValueDescending(const void *a, const void *b)
{
    return CompareByIntValueAscending(b, a);
}

int CompareByCountAscending(const void *a, const void *b)
{
    return CompareDoubles(Record(a).frequency, Record(b).frequency);
}

int CompareByCountDescending(const void *a, const void *b)
{
    return CompareDoubles(Record(b).frequency, Record(a).frequency);
}

namespace {

// Counts a block of stored 1- or 2-byte values into one slot per value: the
// cases that count (weight above 0) and their weights, each slot's sum in
// the order of the cases. A case that does not count has the weight 0,
// which leaves a sum as it is, so the loop has no branch.
template <bool Wide>
void CountDenseBlock(const unsigned char *bytes, const double *w, long n, long *counts, double *weightSums)
{
    for (long c = 0; c < n; ++c) {
        size_t slot;
        if (Wide) {
            int16_t v;
            std::memcpy(&v, bytes + 2 * c, 2);
            slot = static_cast<size_t>(v + 32768);
        } else {
            slot = bytes[c];
        }
        const double weight = w[c];
        counts[slot] += weight > 0.0;
        weightSums[slot] += weight;
    }
}

} // namespace

void FREQOBJ::CountDense(CaseBlockWalk &walk, const BUFFERTYPE &list, FrequencyCounter &counter, MemoryCharge &charge)
{
    // One slot per stored value of a 1- or 2-byte variable: the cases and
    // their weight, summed in case order as the counter would sum them.
    const bool wide = list.storageType == STORAGE_I16;
    const size_t slots = wide ? 65536 : 256;
    charge.AddItems(slots, sizeof(long) + sizeof(double));
    std::vector<long> counts(slots, 0);
    std::vector<double> weightSums(slots, 0.0);
    while (walk.NextBlock()) {
        if (wide)
            CountDenseBlock<true>(walk.Bytes(0), walk.Weights(), walk.Size(), counts.data(), weightSums.data());
        else
            CountDenseBlock<false>(walk.Bytes(0), walk.Weights(), walk.Size(), counts.data(), weightSums.data());
    }
    for (size_t slot = 0; slot < slots; ++slot) {
        if (counts[slot] == 0)
            continue;
        const long stored = wide ? static_cast<long>(slot) - 32768 : static_cast<long>(slot);
        const bool sys = stored == (wide ? 32767 : 255);
        const double v =
            sys ? (realValued ? DBL_MAX : static_cast<double>(kIntSentinel)) : static_cast<double>(stored);
        counter.AddCount(v, counts[slot], weightSums[slot], sys || list.IsMissingInt(stored));
    }
}

void FREQOBJ::CountEach(CaseBlockWalk &walk, const BUFFERTYPE &list, FrequencyCounter &counter)
{
    std::vector<double> v(static_cast<size_t>(walk.BlockCases()));
    while (walk.NextBlock()) {
        const double *w = walk.Weights();
        // DBL_MAX only for the system-missing sentinel: user-missing values
        // are counted under their own value.
        list.DecodeBlock(walk.Bytes(0), walk.Size(), v.data(), DBL_MAX, false);
        for (long c = 0; c < walk.Size(); ++c) {
            if (!(w[c] > 0.0))
                continue;
            const bool sys = v[c] == DBL_MAX;
            const double value = sys ? (realValued ? DBL_MAX : static_cast<double>(kIntSentinel)) : v[c];
            const bool missing =
                sys || (list.integerTyped ? list.IsMissingInt(static_cast<long>(v[c])) : list.IsMissingReal(v[c]));
            counter.Add(value, w[c], missing);
        }
    }
}

FREQOBJ *BuildFrequencyDistribution(BUFFERTYPE *values, FREQOBJ *dist, KATLABS *labels)
{
    if (!values || !dist)
        return dist;
    dist->status = FREQOBJ::kFreqCounted;
    try {
        dist->CountInto(values, labels);
    } catch (const std::bad_alloc &failure) {
        dist->SetCategories(nullptr, 0);
        dist->charge.Clear();
        dist->status = FREQOBJ::kFreqNoMemory;
        const VariableInfo *info =
            dist->GetDataSet() ? dist->GetDataSet()->GetVariable(values->variableNumber) : nullptr;
        dist->NoteMemoryFailure(
            std::string("The frequencies of ") + (info ? info->name : std::to_string(values->variableNumber)), failure);
    }
    return dist;
}

void FREQOBJ::CountInto(BUFFERTYPE *values, KATLABS *labels)
{
    const bool weighted = IsWeighted();
    realValued = (!values->integerTyped || weighted) ? 1 : 0;
    decimals = values->GetDecimals();
    valueWidth = values->printWidth < 4 ? 4 : values->printWidth;
    variableNumber = values->variableNumber;

    BUFFERTYPE *lists[] = {values};
    CaseBlockWalk walk(*this, lists, 1, true);
    if (!walk.Ok()) {
        status = kFreqUnreadable;
        failureText = walk.FailureReason();
        return;
    }

    MemoryCharge counting;
    FrequencyCounter counter(&counting);
    if (values->storageType == STORAGE_U8 || values->storageType == STORAGE_I16)
        CountDense(walk, *values, counter, counting);
    else
        CountEach(walk, *values, counter);
    if (labels && labels->Error()) {
        // Labels that could not be read would leave bare codes without a
        // word; the data set is refused on open for a damaged block, so this
        // is a file changed or unreadable since.
        status = kFreqUnreadable;
        failureText = DataSetErrorText(labels->Error(), std::string("variable ") + std::to_string(variableNumber));
        return;
    }
    if (!walk.Ok()) {
        // A value that is not a number, or a read that failed: no table
        // rather than one that leaves cases out without a word.
        status = kFreqUnreadable;
        // The value list, or else the weight list, names file, variable
        // and case.
        failureText = values->Error() ? DataSetErrorText(values->Error(), values->ErrorText()) : walk.FailureReason();
        return;
    }
    FrequencyResult result;
    counter.Finish(weighted, result);
    weightsTooLarge = result.weightsTooLarge;

    // The records are made once here and once more by SetCategories.
    charge.AddItems(result.categories.size(), 2 * sizeof(FreqCategory));
    std::vector<FreqCategory> records(result.categories.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const FrequencyCount &c = result.categories[i];
        FreqCategory &r = records[i];
        std::memset(&r, 0, sizeof r);
        const bool sentinel = c.missing && c.value == (realValued ? DBL_MAX : static_cast<double>(kIntSentinel));
        if (realValued)
            r.value.real = c.value;
        else
            r.value.integer = static_cast<long>(c.value);
        r.count = c.count;
        r.frequency = c.frequency;
        r.percent = c.percent;
        r.validPercent = c.validPercent;
        r.missing = c.missing ? 1 : 0;
        const char *label = (labels && !sentinel) ? labels->GetLabelText(c.value) : "";
        if (sentinel)
            CopyLabel(r.label, "-");
        else if (*label)
            CopyLabel(r.label, label);
        else if (realValued)
            FormatValueLabel(r.label, sizeof r.label, c.value, static_cast<int>(decimals));
        else
            std::snprintf(r.label, sizeof r.label, "%li", r.value.integer);
    }
    SetCategories(records.data(), static_cast<long>(records.size()));
    // The kernel marks a mean it could not compute; DBL_MAX, the
    // system-missing code that no valid value equals, says so here.
    mean = result.validCases > 0 ? result.mean : DBL_MAX;

    // Without category labels (or a caption in them) the heading is still
    // the variable's caption, so that no table or graph goes unnamed.
    if (labels && *labels->GetCaption()) {
        AppendCategory(labels->GetCaption());
    } else if (GetDataSet()) {
        char caption[KATLABS::MAX_CAPTION + 1];
        GetDataSet()->GetVariableCaption(values->variableNumber, caption, sizeof caption);
        AppendCategory(caption);
    } else {
        AppendCategory("");
    }
}
