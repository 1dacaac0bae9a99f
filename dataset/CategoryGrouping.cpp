#include "dataset/CategoryGrouping.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>

bool ExceedsCategoryLimit(BUFFERTYPE *list, KATLABS *labels)
{
    if (!ProgramSettings::Instance()->UseAutorecode() || !list)
        return false;
    int labelCount = labels ? labels->GetCount() : 0;
    if (labelCount > 25)
        return true;
    size_t limit = labelCount > 0 ? 25 : 10;
    std::set<double> distinct;
    bool exceeds = false;
    list->SeekCase(1, 1);
    while (list->MoveNext()) {
        if (list->IsCurrentMissing())
            continue;
        distinct.insert(list->GetCurrentAsReal());
        if (distinct.size() > limit) {
            exceeds = true;
            break;
        }
    }
    list->SeekCase(1, 1);
    return exceeds;
}

bool GroupIntoIntervals(BUFFERTYPE **slot, int intervals, KATLABS **labels)
{
    if (!slot || !*slot)
        return false;
    BUFFERTYPE *list = *slot;
    int n = std::min(15, std::max(2, intervals));
    double low = DBL_MAX, high = -DBL_MAX;
    list->SeekCase(1, 1);
    while (list->MoveNext())
        if (!list->IsCurrentMissing()) {
            double v = list->GetCurrentAsReal();
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (list->Error())
        return false;
    bool any = low <= high;
    // Divided before subtracting: high - low overflows for values that span
    // most of the double range.
    double width = any ? high / n - low / n : 0.0;

    std::unique_ptr<TMPLISTETYPE> grouped(new TMPLISTETYPE(STORAGE_U8));
    list->SeekCase(1, 1);
    while (list->MoveNext()) {
        long k = 255;
        if (!list->IsCurrentMissing()) {
            double v = list->GetCurrentAsReal();
            // (v - low) n / range keeps a value on a boundary exact, so it
            // lands in the interval that starts there; dividing by the width
            // first rounds it below in double arithmetic. The divided form
            // only serves a range that overflows.
            const double range = high - low;
            double position = 1;
            if (range > 0 && range < DBL_MAX / n)
                position = std::floor((v - low) * n / range) + 1;
            else if (width > 0)
                position = std::floor(v / width - low / width) + 1;
            k = static_cast<long>(std::min<double>(n, std::max(1.0, position)));
        }
        if (!grouped->AppendInt(k))
            return false;
    }
    if (grouped->Error() || grouped->GetCaseCount() != list->GetCaseCount())
        return false;
    grouped->variableNumber = list->variableNumber;
    grouped->printWidth = 2;
    grouped->decimals = 0;
    grouped->ComputeRange();
    grouped->SeekCase(1, 1);

    if (labels) {
        if (!*labels) {
            *labels = new KATLABS;
            char *caption = ReadVariableCaption(list->variableNumber);
            (*labels)->SetCaption(caption);
            delete[] caption;
        }
        KATLABS *out = *labels;
        out->Clear();
        int decimals = list->integerTyped ? 0 : list->GetDecimals();
        for (int k = 1; any && k <= n; ++k) {
            double from = low + width * (k - 1);
            double to = k == n ? high : low + width * k;
            char lower[64], text[160];
            std::snprintf(lower, sizeof lower, "%1.*lf", decimals, from);
            std::snprintf(text, sizeof text, "%s - %1.*lf", lower, decimals, to);
            out->Add(k, text);
        }
    }
    delete list;
    *slot = grouped.release();
    return true;
}
