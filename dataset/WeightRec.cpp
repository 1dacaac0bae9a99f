#include "dataset/WeightRec.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"

#include <cfloat>
#include <memory>

WeightRec::WeightRec(DATASET *owner) : dataSet(owner)
{}

void WeightRec::Swap(WeightRec &other)
{
    std::swap(dataSet, other.dataSet);
    std::swap(count, other.count);
    std::swap(variables, other.variables);
    std::swap(list, other.list);
}

WeightRec::~WeightRec()
{
    delete list;
}

bool WeightRec::SetVariables(const long *numbers, int n)
{
    if (n < 0 || n > QVF_MAX_WEIGHTS || (n > 0 && !numbers))
        return false;
    for (int i = 0; i < n; ++i)
        if (!dataSet || !dataSet->GetVariable(numbers[i]))
            return false;
    count = n;
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        variables[i] = i < n ? numbers[i] : 0;
    delete list;
    list = nullptr;
    return true;
}

BUFFERTYPE *WeightRec::NewWeightList(size_t budget, std::string *reason) const
{
    if (!IsActive() || !dataSet)
        return nullptr;
    std::unique_ptr<LISTETYPE> sources[QVF_MAX_WEIGHTS];
    for (int i = 0; i < count; ++i) {
        sources[i].reset(new LISTETYPE(dataSet, variables[i], budget));
        if (sources[i]->Error()) {
            if (reason)
                *reason = DataSetErrorText(sources[i]->Error(), sources[i]->ErrorText());
            return nullptr;
        }
    }
    // One real-typed weight variable without user-missing codes is its own
    // weight list.
    if (count == 1 && !sources[0]->integerTyped && sources[0]->missingCount == 0)
        return sources[0].release();
    TMPLISTETYPE *weights = new TMPLISTETYPE(STORAGE_DOUBLE, 0, budget);
    for (long c = 0; c < dataSet->GetCaseCount(); ++c) {
        double w = 1.0;
        for (int i = 0; i < count; ++i) {
            LISTETYPE &s = *sources[i];
            if (!s.MoveNext() || s.IsCurrentMissing()) {
                w = DBL_MAX;
                continue;
            }
            if (w != DBL_MAX)
                w *= s.GetCurrentAsReal();
        }
        weights->AppendReal(w);
    }
    // A source that stopped (a value that is not a number) gave no weights
    // past that case: no list rather than weights taken as missing.
    for (int i = 0; i < count; ++i) {
        if (sources[i]->Error()) {
            if (reason)
                *reason = DataSetErrorText(sources[i]->Error(), sources[i]->ErrorText());
            delete weights;
            return nullptr;
        }
    }
    weights->decimals = 2;
    weights->ComputeRange();
    weights->SeekCase(1, 1);
    if (weights->Error()) {
        delete weights;
        return nullptr;
    }
    return weights;
}

BUFFERTYPE *WeightRec::GetWeightList()
{
    if (!list)
        list = NewWeightList();
    return list;
}

void WeightRec::ReleaseList()
{
    delete list;
    list = nullptr;
}

std::string WeightRec::Describe() const
{
    if (!IsActive() || !dataSet)
        return std::string();
    std::string text;
    for (int i = 0; i < count; ++i) {
        const VariableInfo *v = dataSet->GetVariable(variables[i]);
        if (i)
            text += " * ";
        text += v ? v->name : "?";
    }
    return text;
}
