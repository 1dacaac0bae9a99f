#include "stats/GMultResp.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

GMultResp::GMultResp(const long *list, int base, DATASET *set) : StatClass(set), percentageBase(base)
{
    for (const long *v = list; v && *v; ++v)
        variables.push_back(*v);
    for (long v : variables) {
        char caption[KATLABS::MAX_CAPTION + 1] = "";
        if (dataSet)
            dataSet->GetVariableCaption(v, caption, sizeof caption);
        variableTexts.push_back(caption);
    }
    variables.push_back(0);
}

GMultResp::~GMultResp()
{
    delete result;
}

void GMultResp::Recompute()
{
    status = kMultCounted;
    failureText.clear();
    try {
        countScale = 0;
        Prepare();
        bool counted = Count();
        if (counted && IsWeighted() && !(std::isfinite(caseCount) && std::isfinite(answerTotal))) {
            // Weights summing past the largest double: counted again with
            // the weights scaled, which keeps every percentage; the counts
            // are scaled back once tabulated.
            countScale = -kScaledCounts;
            Prepare();
            counted = Count();
        }
        if (!counted) {
            status = kMultUnreadable;
            failureText = "The multiple response of " + FirstName() + " cannot be counted: " +
                          (failureText.empty() ? std::string("the values or the weights cannot be read.")
                                               : failureText);
        }
        Tabulate();
        if (countScale != 0)
            UnscaleCounts();
        FinishPercentages();
    } catch (const std::bad_alloc &failure) {
        status = kMultNoMemory;
        NoteMemoryFailure("The multiple response of " + FirstName(), failure);
    }
    charge.Clear();
    if (status != kMultCounted && result) {
        result->SetCategories(nullptr, 0);
        categoryCount = 0;
        caseCount = 0.0;
        answerTotal = 0.0;
    }
}

std::string GMultResp::FirstName() const
{
    const VariableInfo *info = dataSet && variables[0] ? dataSet->GetVariable(variables[0]) : nullptr;
    return info ? std::string(info->name) : std::to_string(variables[0]);
}

void GMultResp::Prepare()
{
    delete result;
    result = new FREQOBJ(dataSet);
    for (const std::string &text : variableTexts)
        result->AppendCategory(text.c_str());
    result->AppendCategory("");
    caseCount = 0.0;
    answerTotal = 0.0;
    recordBase.clear();
}

bool GMultResp::Count()
{
    StartCount();
    const size_t k = variables.size() - 1;
    std::vector<std::unique_ptr<LISTETYPE>> lists;
    std::vector<BUFFERTYPE *> walked;
    for (size_t v = 0; v < k; ++v) {
        lists.emplace_back(new LISTETYPE(dataSet, variables[v], CaseBlockWalk::WindowBytes(static_cast<int>(k) + 1)));
        if (lists.back()->Error())
            return false;
        walked.push_back(lists.back().get());
    }
    CaseBlockWalk walk(*this, walked.data(), static_cast<int>(k), true);
    while (walk.Ok() && walk.NextBlock())
        CountBlock(walk);
    if (!walk.Ok())
        failureText = walk.FailureReason(); // the reason, for Recompute's sentence
    return walk.Ok();
}

void GMultResp::FinishPercentages()
{
    if (!result)
        return;
    const bool scaled = countScale != 0 && scaledFrequencies.size() == static_cast<size_t>(result->categoryCount);
    for (long i = 0; i < result->categoryCount; ++i) {
        FreqCategory &r = result->categories[i];
        // Scaled counts give the percentages where the counts pass a double.
        const double frequency = scaled ? scaledFrequencies[static_cast<size_t>(i)] : r.frequency;
        double base = percentageBase == 0 ? (scaled ? scaledCases : caseCount) : answerTotal;
        if (percentageBase == 2)
            base = i < static_cast<long>(recordBase.size()) ? recordBase[i] : 0.0;
        r.validPercent = base > 0.0 ? frequency * 100.0 / base : -1.0;
        r.percent = answerTotal > 0.0 ? frequency * 100.0 / answerTotal : 0.0;
    }
}

void GMultResp::UnscaleCounts()
{
    scaledFrequencies.clear();
    scaledCases = caseCount;
    caseCount = std::ldexp(caseCount, -countScale);
    if (!result)
        return;
    for (long i = 0; i < result->categoryCount; ++i) {
        FreqCategory &r = result->categories[i];
        scaledFrequencies.push_back(r.frequency);
        r.frequency = std::ldexp(r.frequency, -countScale);
    }
}

const double *GMultResp::HeldWeights(const double *weights, long n)
{
    if (countScale == 0)
        return weights;
    heldWeights.resize(static_cast<size_t>(n));
    for (long c = 0; c < n; ++c)
        heldWeights[static_cast<size_t>(c)] = std::ldexp(weights[c], countScale);
    return heldWeights.data();
}

GMultRespFreq::GMultRespFreq(const long *list, int base, int pair, int, int, DATASET *set)
    : GMultResp(list, base, set), pairwise(pair)
{
    Recompute();
}

GMultRespFreq::~GMultRespFreq()
{}

void GMultRespFreq::StartCount()
{
    coders.clear();
    met.reset();
    counts.clear();
    rawCounts.clear();
}

void GMultRespFreq::CountBlock(CaseBlockWalk &walk)
{
    const size_t k = variables.size() - 1;
    const long n = walk.Size();
    if (!met) {
        met.reset(new CategoryIndex(charge));
        for (size_t v = 0; v < k; ++v)
            coders.emplace_back(new CategoryCoder(walk.List(static_cast<int>(v)), *met, charge, includeUserMissing));
        blockCodes.assign(k, std::vector<uint32_t>(static_cast<size_t>(walk.BlockCases())));
    }
    const uint32_t missing = CategoryCoder::kMissingCode, unseen = CategoryCoder::kUnseenCode;
    // Which cases count, a variable at a time; then the codes of the cases
    // that count numbered (only those make a code); then the counts added
    // case by case, in the order of the cases.
    const double *weights = HeldWeights(walk.Weights(), n);
    counted.resize(static_cast<size_t>(n));
    any.assign(static_cast<size_t>(n), 0);
    // Plain pointers and flags held in locals: a store through a byte
    // pointer could change anything, so the loops keep nothing in members.
    unsigned char *counting = counted.data(), *given = any.data();
    const unsigned char listwise = pairwise ? 0 : 1;
    for (long c = 0; c < n; ++c)
        counting[c] = weights[c] > 0.0;
    for (size_t v = 0; v < k; ++v) {
        uint32_t *code = blockCodes[v].data();
        coders[v]->Prepare(walk.Bytes(static_cast<int>(v)), n, code);
        for (long c = 0; c < n; ++c) {
            const unsigned char valid = code[c] != missing;
            given[c] |= valid;
            counting[c] &= static_cast<unsigned char>(valid | !listwise);
        }
    }
    for (long c = 0; c < n; ++c)
        counting[c] &= given[c];
    for (size_t v = 0; v < k; ++v) {
        uint32_t *code = blockCodes[v].data();
        for (long c = 0; c < n; ++c)
            if (counting[c] && code[c] == unseen)
                code[c] = coders[v]->Resolve(c);
    }
    if (counts.size() < met->Count()) {
        // A code takes its three counts and later its record.
        charge.AddItems(met->Count() - counts.size(), sizeof(double) + sizeof(long) + 2 * sizeof(FreqCategory));
        counts.resize(met->Count(), 0.0);
        rawCounts.resize(met->Count(), 0);
    }
    if (!IsWeighted()) {
        // Every case that counts weighs 1: whole counts, exact in any order,
        // a variable at a time.
        long cases = 0, answers = 0;
        for (long c = 0; c < n; ++c)
            cases += counting[c];
        long *raw = rawCounts.data();
        for (size_t v = 0; v < k; ++v) {
            const uint32_t *code = blockCodes[v].data();
            for (long c = 0; c < n; ++c)
                if (counting[c] && code[c] != missing) {
                    ++raw[code[c]];
                    ++answers;
                }
        }
        caseCount += static_cast<double>(cases);
        answerTotal += static_cast<double>(answers);
        return;
    }
    // The sums in locals and the codes through plain pointers, so that no
    // store in the loop makes the compiler read them again; each sum still
    // takes its weights in the order of the cases.
    double cases = caseCount, total = answerTotal;
    double *sums = counts.data();
    long *raw = rawCounts.data();
    if (k == 1) {
        const uint32_t *code = blockCodes[0].data();
        for (long c = 0; c < n; ++c) {
            if (!counting[c])
                continue;
            const double w = weights[c];
            cases += w;
            sums[code[c]] += w;
            ++raw[code[c]];
            total += w;
        }
    } else {
        codeRows.resize(k);
        for (size_t v = 0; v < k; ++v)
            codeRows[v] = blockCodes[v].data();
        const uint32_t *const *rows = codeRows.data();
        for (long c = 0; c < n; ++c) {
            if (!counting[c])
                continue;
            const double w = weights[c];
            cases += w;
            for (size_t v = 0; v < k; ++v) {
                const uint32_t code = rows[v][c];
                if (code == missing)
                    continue;
                sums[code] += w;
                ++raw[code];
                total += w;
            }
        }
    }
    caseCount = cases;
    answerTotal = total;
}

void GMultRespFreq::Tabulate()
{
    const std::vector<double> codes = met ? met->Values() : std::vector<double>();
    std::vector<size_t> order(codes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&codes](size_t a, size_t b) { return codes[a] < codes[b]; });
    std::unique_ptr<KATLABS> labels(variables[0] ? KATLABS::ConstructAndRead(variables[0], dataSet) : nullptr);
    const VariableInfo *info = dataSet ? dataSet->GetVariable(variables[0]) : nullptr;
    const bool integerTyped = info && info->storageType <= 3 && !IsWeighted();
    result->realValued = integerTyped ? 0 : 1;
    result->decimals = info ? info->EffectiveDecimals() : 2;
    result->variableNumber = variables[0];
    std::vector<FreqCategory> records;
    for (size_t i : order) {
        FreqCategory r;
        std::memset(&r, 0, sizeof r);
        if (integerTyped)
            r.value.integer = static_cast<long>(codes[i]);
        else
            r.value.real = codes[i];
        r.count = IsWeighted() ? 0 : rawCounts[i];
        r.frequency = IsWeighted() ? counts[i] : static_cast<double>(rawCounts[i]);
        const char *label = labels ? labels->GetLabelText(codes[i]) : "";
        if (*label)
            std::snprintf(r.label, sizeof r.label, "%.140s", label);
        else
            FormatValueLabel(r.label, sizeof r.label, codes[i], static_cast<int>(result->decimals));
        records.push_back(r);
    }
    result->SetCategories(records.data(), static_cast<long>(records.size()));
    categoryCount = result->categoryCount;
    // The coders point to the walk's lists, which are gone.
    coders.clear();
    met.reset();
}

GMultRespDiko::GMultRespDiko(const long *list, int base, int mode, const ValueRangeList &r, DATASET *set)
    : GMultResp(list, base, set), missingMode(mode), ranges(r)
{
    // The first count takes user-missing values as values.
    includeUserMissing = true;
    Recompute();
}

void GMultRespDiko::StartCount()
{
    charge.AddItems(kDirectValues, 1);
    direct.assign(kDirectValues, kUnknownValue);
    const size_t k = variables.size() - 1;
    storedStates.assign(k, std::vector<unsigned char>());
    answers.assign(k, 0.0);
    rawAnswers.assign(k, 0);
    recordBase.assign(k, 0.0);
}

bool GMultRespDiko::InRanges(double x) const
{
    for (const ValueRange &range : ranges)
        if (x >= range.low && x <= range.high)
            return true;
    return false;
}

void GMultRespDiko::StatesOf(const BUFFERTYPE &list, const unsigned char *bytes, long n, size_t variable,
                             unsigned char *state)
{
    if (list.storageType == STORAGE_U8 || list.storageType == STORAGE_I16) {
        const bool bytesOnly = list.storageType == STORAGE_U8;
        std::vector<unsigned char> &known = storedStates[variable];
        if (known.empty()) {
            charge.AddItems(bytesOnly ? 256 : 65536, 1);
            known.assign(bytesOnly ? 256 : 65536, kUnknownValue);
        }
        for (long c = 0; c < n; ++c) {
            long stored;
            if (bytesOnly) {
                stored = bytes[c];
            } else {
                int16_t v;
                std::memcpy(&v, bytes + 2 * c, 2);
                stored = v;
            }
            unsigned char &s = known[static_cast<size_t>(bytesOnly ? stored : stored + 32768)];
            if (s == kUnknownValue) {
                const long sysMissing = bytesOnly ? 255 : 32767;
                if (stored == sysMissing || (!includeUserMissing && list.IsMissingInt(stored)))
                    s = kMissingValue;
                else
                    s = InRanges(static_cast<double>(stored)) ? kAnswer : kNoAnswer;
            }
            state[c] = s;
        }
        return;
    }
    values.resize(static_cast<size_t>(n));
    list.DecodeBlock(bytes, n, values.data(), DBL_MAX, !includeUserMissing);
    for (long c = 0; c < n; ++c) {
        const double x = values[c];
        if (x == DBL_MAX) {
            state[c] = kMissingValue;
            continue;
        }
        const double slot = x - static_cast<double>(kSmallestDirect);
        if (slot >= 0.0 && slot < static_cast<double>(kDirectValues)) {
            const size_t whole = static_cast<size_t>(slot);
            if (static_cast<double>(whole) == slot) {
                unsigned char &known = direct[whole];
                if (known == kUnknownValue)
                    known = InRanges(x) ? kAnswer : kNoAnswer;
                state[c] = known;
                continue;
            }
        }
        state[c] = InRanges(x) ? kAnswer : kNoAnswer;
    }
}

namespace {

struct DikoSums
{
    double *base;   // per variable: the weight of its valid values
    double *yes;    // per variable: the weight of its answers
    long *rawYes;   // per variable: the cases of its answers
    double cases;   // the weight of the cases with an answer
    double total;   // the weight of every answer
};

// Adds the weights of n cases to the sums from their states (k variables,
// each a row of n). Each sum takes its weights in the order of the cases;
// a case that does not count, or a state that adds nothing to a sum, adds
// +0.0 there, which leaves a sum of weights (never -0.0) as it is, so the
// loop has no branch on the states. K is k where it is small (the sums then
// stay in registers), 0 for any k.
template <size_t K>
void SumWeightedStates(const unsigned char *state, long n, size_t k, const double *weights, bool listwise,
                       DikoSums &sums)
{
    const size_t count = K ? K : k;
    const size_t stride = static_cast<size_t>(n);
    const unsigned answer = GMultRespDiko::kAnswer;
    double local[2 * (K ? K : 1)];
    long localRaw[K ? K : 1];
    double *base = K ? local : sums.base, *yes = K ? local + count : sums.yes;
    long *rawYes = K ? localRaw : sums.rawYes;
    for (size_t v = 0; K && v < count; ++v) {
        base[v] = sums.base[v];
        yes[v] = sums.yes[v];
        rawYes[v] = sums.rawYes[v];
    }
    // Per state, the factor of a weight in the sums of valid values and in
    // those of answers. The weight of a case that does not count is 0, and
    // a listwise case with a missing value takes the factor 0: a product by
    // 1 or +0.0 is exact, where a select would be compiled into a branch
    // that the states mispredict.
    static_assert(GMultRespDiko::kUnknownValue == 0 && GMultRespDiko::kMissingValue == 1 &&
                      GMultRespDiko::kNoAnswer == 2 && GMultRespDiko::kAnswer == 3,
                  "the factors follow the order of the states");
    static const double validFactor[4] = {0.0, 0.0, 1.0, 1.0}, answerFactor[4] = {0.0, 0.0, 0.0, 1.0};
    double cases = sums.cases, total = sums.total;
    for (long c = 0; c < n; ++c) {
        double w = weights[c];
        if (listwise)
            for (size_t v = 0; v < count; ++v)
                w *= validFactor[state[v * stride + c] & 3];
        const long counts = w > 0.0;
        long any = 0;
        for (size_t v = 0; v < count; ++v) {
            const unsigned s = state[v * stride + c] & 3;
            const double given = w * answerFactor[s];
            base[v] += w * validFactor[s];
            yes[v] += given;
            rawYes[v] += counts & (s == answer);
            total += given;
            any |= s == answer;
        }
        cases += w * static_cast<double>(any);
    }
    for (size_t v = 0; K && v < count; ++v) {
        sums.base[v] = base[v];
        sums.yes[v] = yes[v];
        sums.rawYes[v] = rawYes[v];
    }
    sums.cases = cases;
    sums.total = total;
}

} // namespace

void GMultRespDiko::CountBlock(CaseBlockWalk &walk)
{
    // Each value's state (missing, no answer, answer) a variable at a time;
    // then the counts case by case, in the order of the cases.
    const size_t k = variables.size() - 1;
    const long n = walk.Size();
    const double *weights = HeldWeights(walk.Weights(), n);
    states.resize(k * static_cast<size_t>(n));
    for (size_t v = 0; v < k; ++v)
        StatesOf(walk.List(static_cast<int>(v)), walk.Bytes(static_cast<int>(v)), n, v,
                 states.data() + v * static_cast<size_t>(n));
    if (!IsWeighted()) {
        CountWholeCases(weights, n);
        return;
    }
    DikoSums sums{recordBase.data(), answers.data(), rawAnswers.data(), caseCount, answerTotal};
    const bool listwise = missingMode == 0;
    switch (k) {
    case 1:
        SumWeightedStates<1>(states.data(), n, k, weights, listwise, sums);
        break;
    case 2:
        SumWeightedStates<2>(states.data(), n, k, weights, listwise, sums);
        break;
    case 3:
        SumWeightedStates<3>(states.data(), n, k, weights, listwise, sums);
        break;
    case 4:
        SumWeightedStates<4>(states.data(), n, k, weights, listwise, sums);
        break;
    default:
        SumWeightedStates<0>(states.data(), n, k, weights, listwise, sums);
        break;
    }
    caseCount = sums.cases;
    answerTotal = sums.total;
}

void GMultRespDiko::CountWholeCases(const double *weights, long n)
{
    // Every case that counts weighs 1: whole counts, exact in any order,
    // a variable at a time.
    const size_t k = variables.size() - 1;
    counted.resize(static_cast<size_t>(n));
    given.assign(static_cast<size_t>(n), 0);
    for (long c = 0; c < n; ++c)
        counted[c] = weights[c] > 0.0;
    if (missingMode == 0)
        for (size_t v = 0; v < k; ++v) {
            const unsigned char *state = states.data() + v * static_cast<size_t>(n);
            for (long c = 0; c < n; ++c)
                counted[c] &= state[c] != kMissingValue;
        }
    long answered = 0;
    for (size_t v = 0; v < k; ++v) {
        const unsigned char *state = states.data() + v * static_cast<size_t>(n);
        long valid = 0, yes = 0;
        for (long c = 0; c < n; ++c) {
            const bool counts = counted[c] && state[c] != kMissingValue;
            const bool answer = counts && state[c] == kAnswer;
            valid += counts;
            yes += answer;
            given[c] |= answer;
        }
        recordBase[v] += static_cast<double>(valid);
        answers[v] += static_cast<double>(yes);
        rawAnswers[v] += yes;
        answered += yes;
    }
    long cases = 0;
    for (long c = 0; c < n; ++c)
        cases += given[c];
    answerTotal += static_cast<double>(answered);
    caseCount += static_cast<double>(cases);
}

void GMultRespDiko::Tabulate()
{
    result->realValued = 1;
    result->decimals = IsWeighted() ? WeightDecimals() : 0;
    result->variableNumber = variables[0];
    std::vector<FreqCategory> records;
    for (size_t v = 0; v + 1 < variables.size(); ++v) {
        FreqCategory r;
        std::memset(&r, 0, sizeof r);
        r.value.real = static_cast<double>(variables[v]);
        r.count = IsWeighted() ? 0 : rawAnswers[v];
        r.frequency = answers[v];
        std::snprintf(r.label, sizeof r.label, "%.140s", variableTexts[v].c_str());
        records.push_back(r);
    }
    result->SetCategories(records.data(), static_cast<long>(records.size()));
    categoryCount = result->categoryCount;
}
