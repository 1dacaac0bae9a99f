#include "dataset/CaseSort.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {
const size_t kSortBudget = 256 * 1024;

// The sorted case order, or false.
bool SortedOrder(DATASET *dataSet, const int *keys, std::vector<long> *order)
{
    if (!dataSet || !keys || keys[0] == 0)
        return false;
    std::vector<std::vector<double>> columns;
    long cases = dataSet->GetCaseCount();
    for (const int *k = keys; *k; ++k) {
        LISTETYPE list(dataSet, *k, kSortBudget);
        if (list.Error())
            return false;
        std::vector<double> column;
        column.reserve(static_cast<size_t>(cases));
        while (list.MoveNext())
            column.push_back(list.GetCurrentAsReal());
        if (list.Error() || static_cast<long>(column.size()) != cases)
            return false;
        columns.push_back(std::move(column));
    }
    order->resize(static_cast<size_t>(cases));
    std::iota(order->begin(), order->end(), 0L);
    std::stable_sort(order->begin(), order->end(), [&columns](long a, long b) {
        for (const std::vector<double> &column : columns) {
            double x = column[static_cast<size_t>(a)], y = column[static_cast<size_t>(b)];
            if (x < y)
                return true;
            if (y < x)
                return false;
        }
        return false;
    });
    return true;
}
} // namespace

TMPLISTETYPE *SortCasesToValueList(DATASET *dataSet, const int *keys)
{
    std::vector<long> order;
    if (!SortedOrder(dataSet, keys, &order))
        return nullptr;
    std::unique_ptr<TMPLISTETYPE> result(new TMPLISTETYPE(STORAGE_I32));
    for (long c : order)
        if (!result->AppendInt(c))
            return nullptr;
    result->ComputeRange();
    result->SeekCase(1, 1);
    return result->Error() ? nullptr : result.release();
}

TMPLISTETYPE *SortCasesToIndexArray(const int *keys, DATASET *dataSet)
{
    if (!dataSet)
        dataSet = ProgramSettings::Instance()->GetDataSet(0);
    std::vector<long> order;
    if (!SortedOrder(dataSet, keys, &order))
        return nullptr;
    LISTETYPE values(dataSet, keys[0]);
    if (values.Error())
        return nullptr;
    std::unique_ptr<TMPLISTETYPE> result(new TMPLISTETYPE(values.storageType));
    result->CopyDescription(values);
    result->variableNumber = values.variableNumber;
    for (long c : order) {
        CaseValue v = values.ReadCase(c);
        bool ok = v.isReal ? result->AppendReal(v.realValue) : result->AppendInt(v.intValue);
        if (!v.valid || !ok)
            return nullptr;
    }
    result->SeekCase(1, 1);
    return result->Error() ? nullptr : result.release();
}
