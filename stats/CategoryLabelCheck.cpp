#include "stats/CategoryLabelCheck.h"

#include <vector>

#include "dataset/DATASET.h"

namespace {

bool Fail(int *reason, int code)
{
    if (reason)
        *reason = code;
    return false;
}

} // namespace

bool HaveSameCategoryLabels(const long *list, DATASET *set, int *reason)
{
    if (reason)
        *reason = 0;
    if (!list || !*list || !set)
        return true;
    std::vector<CategoryLabel> first, other;
    const VariableInfo *firstInfo = set->GetVariable(list[0]);
    if (!firstInfo || set->ReadCategoryLabels(list[0], &first) != 0)
        return Fail(reason, 2);
    for (const long *v = list + 1; *v; ++v) {
        const VariableInfo *info = set->GetVariable(*v);
        if (!info || set->ReadCategoryLabels(*v, &other) != 0)
            return Fail(reason, 2);
        if (other.size() != first.size())
            return Fail(reason, 1);
        for (size_t i = 0; i < first.size(); ++i)
            if (other[i].value != first[i].value || other[i].text != first[i].text)
                return Fail(reason, 2);
        if (info->missingCount != firstInfo->missingCount)
            return Fail(reason, 3);
        for (int i = 0; i < info->missingCount; ++i)
            if (info->missing[i] != firstInfo->missing[i])
                return Fail(reason, 3);
    }
    return true;
}

bool CheckSameCategoryLabels(const long *list, DATASET *set, int *reason)
{
    std::vector<long> copy;
    for (const long *v = list; v && *v; ++v)
        copy.push_back(*v);
    copy.push_back(0);
    return HaveSameCategoryLabels(copy.data(), set, reason);
}
