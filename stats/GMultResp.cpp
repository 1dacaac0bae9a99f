#include "stats/GMultResp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseWeightCursor.h"
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
        Prepare();
        if (!Count()) {
            status = kMultUnreadable;
            failureText = "The multiple response of " + FirstName() +
                          " cannot be counted: the values or the weights cannot be read.";
        }
        Tabulate();
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
    CaseWeightCursor weights(*this);
    const size_t k = variables.size() - 1;
    std::vector<std::unique_ptr<LISTETYPE>> lists;
    for (size_t v = 0; v < k; ++v) {
        lists.emplace_back(new LISTETYPE(dataSet, variables[v]));
        if (lists.back()->Error() || lists.back()->GetCaseCount() != weights.GetCaseCount())
            return false;
    }
    if (!weights.IsReady())
        return false;
    std::vector<double> row(k);
    double w;
    while (weights.Next(w)) {
        for (size_t v = 0; v < k; ++v) {
            LISTETYPE &list = *lists[v];
            if (!list.MoveNext())
                return false;
            const bool missing = list.IsCurrentSysMissing() || (!includeUserMissing && list.IsCurrentUserMissing());
            row[v] = missing ? kMissingValue : list.GetCurrentAsReal();
        }
        if (w > 0.0)
            CountCase(w, row);
    }
    NoteExcludedWeightCases(weights.Excluded());
    return true;
}

void GMultResp::FinishPercentages()
{
    if (!result)
        return;
    for (long i = 0; i < result->categoryCount; ++i) {
        FreqCategory &r = result->categories[i];
        double base = percentageBase == 0 ? caseCount : answerTotal;
        if (percentageBase == 2)
            base = i < static_cast<long>(recordBase.size()) ? recordBase[i] : 0.0;
        r.validPercent = base > 0.0 ? r.frequency * 100.0 / base : -1.0;
        r.percent = answerTotal > 0.0 ? r.frequency * 100.0 / answerTotal : 0.0;
    }
}

GMultRespFreq::GMultRespFreq(const long *list, int base, int pair, int, int, DATASET *set)
    : GMultResp(list, base, set), pairwise(pair)
{
    Recompute();
}

void GMultRespFreq::StartCount()
{
    codes.clear();
    counts.clear();
    rawCounts.clear();
    index.clear();
}

void GMultRespFreq::CountCase(double w, const std::vector<double> &row)
{
    bool complete = true, any = false;
    for (double x : row) {
        const bool valid = !IsMissingValue(x);
        complete = complete && valid;
        any = any || valid;
    }
    if (!any || (!pairwise && !complete))
        return;
    caseCount += w;
    for (double x : row) {
        if (IsMissingValue(x))
            continue;
        auto found = index.find(x);
        if (found == index.end()) {
            // A code takes its map entry, its three counts and later its record.
            charge.Add(48 + 2 * sizeof(double) + sizeof(long) + 2 * sizeof(FreqCategory));
            found = index.emplace(x, codes.size()).first;
            codes.push_back(x);
            counts.push_back(0.0);
            rawCounts.push_back(0);
        }
        counts[found->second] += w;
        ++rawCounts[found->second];
        answerTotal += w;
    }
}

void GMultRespFreq::Tabulate()
{
    std::vector<size_t> order(codes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) { return codes[a] < codes[b]; });
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
        r.frequency = counts[i];
        const char *label = labels ? labels->GetLabelText(codes[i]) : "";
        if (*label)
            std::snprintf(r.label, sizeof r.label, "%.140s", label);
        else
            FormatValueLabel(r.label, sizeof r.label, codes[i], static_cast<int>(result->decimals));
        records.push_back(r);
    }
    result->SetCategories(records.data(), static_cast<long>(records.size()));
    categoryCount = result->categoryCount;
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
    const size_t k = variables.size() - 1;
    answers.assign(k, 0.0);
    rawAnswers.assign(k, 0);
    recordBase.assign(k, 0.0);
}

void GMultRespDiko::CountCase(double w, const std::vector<double> &row)
{
    bool complete = true;
    for (double x : row)
        complete = complete && !IsMissingValue(x);
    if (missingMode == 0 && !complete)
        return;
    bool any = false;
    for (size_t v = 0; v < row.size(); ++v) {
        const double x = row[v];
        if (IsMissingValue(x))
            continue;
        recordBase[v] += w;
        for (const ValueRange &range : ranges) {
            if (x >= range.low && x <= range.high) {
                answers[v] += w;
                ++rawAnswers[v];
                answerTotal += w;
                any = true;
                break;
            }
        }
    }
    if (any)
        caseCount += w;
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
