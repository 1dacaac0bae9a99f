#include "analyses/FRWIN.h"

#include "analyses/FreqBook.h"
#include "analyses/FreqOption.h"
#include "dataset/ProgramSettings.h"
#include "stats/FREQOBJ.h"
#include "stats/Stat.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/controls/ZafTextField.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const long intSentinel = 2147483647L;

// Texts of group 5.
enum FreqText {
    totalText = 10,
    labelHeading = 11,
    valueHeading = 12,
    countHeading = 13,
    percentHeading = 14,
    validHeading = 15,
    cumulativeHeading = 16,
    modeText = 39,
    medianText = 40,
    interpolatedMedianText = 41,
    meanText = 42,
    groupedNote = 43,
};

const char *GroupText(int number)
{
    return StatText(number, FRWIN::textGroup);
}

// Modes listed before the list is cut short with "...".
constexpr int modesListed = 4;

bool IsSentinel(const FREQOBJ &d, const FreqCategory &c)
{
    return d.realValued ? IsNotComputed(c.value.real) : c.value.integer == intSentinel;
}

// The frequency that the table shows and sums: weighted or the count.
double Shown(const FREQOBJ &d, const FreqCategory &c)
{
    return d.IsWeighted() ? c.frequency : static_cast<double>(c.count);
}

} // namespace

FRWIN::FRWIN(const char *title) : TXTWIN(title, 0, 0)
{
    if (ZafText *field = TextField()) {
        field->SetFont(ZAF_FONT_FIXED);
        field->SetWordWrap(false);
    }
}

void FRWIN::WriteResult()
{
    WriteFrequencyTable();
}

void FRWIN::WriteFrequencyTable()
{
    Clear();
    if (!distribution)
        return;
    FREQOBJ &d = *distribution;

    // A distribution made outside a frequency workbook is written with the
    // saved frequency settings.
    std::unique_ptr<FreqBook> temporary;
    if (!d.workbook) {
        temporary.reset(new FreqBook(new FreqOption));
        d.workbook = temporary.get();
    }
    auto *record = dynamic_cast<FreqOption *>(d.workbook->Option());
    std::unique_ptr<FreqOption> saved;
    if (!record) {
        // Not foreseen (every frequency workbook holds a FreqOption): the
        // saved settings rather than no table.
        saved.reset(new FreqOption);
        record = saved.get();
    }
    const unsigned options = record->tableOptions;
    SetColumnWidth(std::max(static_cast<int>(record->ColumnWidth()), minimumColumnWidth));

    const int pctDecimals = ProgramSettings::Instance()->DecimalsPct();
    const int decimals = static_cast<int>(d.decimals);
    const bool weighted = d.IsWeighted();
    // Weighted frequencies take the weight's decimals too when it has more:
    // with the value decimals alone, a code variable's weighted count of 8.5
    // showed as 8 beside a percent computed from 8.5.
    const int countDecimals = weighted ? std::max(decimals, d.WeightDecimals()) : decimals;
    const int C = CurrentPart();
    const int V = static_cast<int>(d.valueWidth) + 2;
    int longest = 8;
    for (long i = 0; i < d.categoryCount; ++i)
        longest = std::max(longest, static_cast<int>(std::strlen(d.categories[i].label)));
    const int L = longest + 4;

    const bool showLabel = options & freqLabelColumn, showValue = options & freqValueColumn;
    const bool showCount = options & freqCountColumn, showPercent = options & freqPercentColumn;
    const bool showValid = options & freqValidColumn, showCumulative = options & freqCumulativeColumn;
    const bool cumulateAll = options & freqCumulateAll;
    int W = 0;
    if (options & freqColumnHeadings)
        W = (showLabel ? L : 0) + (showValue ? V : 0) +
            C * ((showCount ? 1 : 0) + (showPercent ? 1 : 0) + (showValid ? 1 : 0) + (showCumulative ? 1 : 0));

    // Sort the records in place; they stay in this order.
    if (d.categoryCount > 1) {
        int (*compare)(const void *, const void *);
        const bool descending = options & freqSortDescending;
        if (options & freqSortByValue) {
            if (d.realValued)
                compare = descending ? CompareByRealValueDescending : CompareByRealValueAscending;
            else
                compare = descending ? CompareByIntValueDescending : CompareByIntValueAscending;
        } else {
            compare = descending ? CompareByCountDescending : CompareByCountAscending;
        }
        std::qsort(d.categories, static_cast<size_t>(d.categoryCount), sizeof(FreqCategory), compare);
    }

    // Heading.
    if (options & freqHeading) {
        EndLine();
        WriteString("v");
        WriteInteger(d.variableNumber);
        WriteString(" ");
        WriteString(d.CategoryAt(0));
    }
    EndLine();
    EndLine();

    // Column headings.
    if (options & freqColumnHeadings) {
        if (showLabel)
            Left(L), WriteString(GroupText(labelHeading));
        if (showValue)
            Right(V), WriteString(GroupText(valueHeading));
        const struct
        {
            bool shown;
            int text;
        } numeric[] = {{showCount, countHeading},
                       {showPercent, percentHeading},
                       {showValid, validHeading},
                       {showCumulative, cumulativeHeading}};
        for (const auto &column : numeric)
            if (column.shown)
                Right(C), WriteString(GroupText(column.text));
        EndLine();
        NewLine(W);
    }

    // One row per record.
    double validCount = 0.0, cumulative = 0.0;
    double countTotal = 0.0, percentTotal = 0.0, validTotal = 0.0;
    for (long i = 0; i < d.categoryCount; ++i) {
        const FreqCategory &c = d.categories[i];
        const bool sentinel = IsSentinel(d, c);
        if (!sentinel && !c.missing)
            validCount += d.realValued ? c.frequency : static_cast<double>(c.count);
        if (showLabel)
            Left(L), WriteString(c.label);
        if (showValue) {
            Right(V);
            SetDecimals(decimals);
            if (sentinel)
                WriteString("-");
            else if (d.realValued)
                WriteReal(c.value.real);
            else
                WriteInteger(c.value.integer);
        }
        if (showCount) {
            Right(C);
            SetDecimals(countDecimals);
            if (weighted)
                WriteReal(c.frequency);
            else
                WriteInteger(c.count);
        }
        SetDecimals(pctDecimals);
        if (showPercent)
            Right(C), WriteReal(c.percent);
        if (cumulateAll)
            cumulative += c.percent;
        if (showValid) {
            Right(C);
            if (c.missing)
                WriteString("-");
            else
                WriteReal(c.validPercent);
        }
        if (!cumulateAll && !c.missing)
            cumulative += c.validPercent;
        if (showCumulative) {
            Right(C);
            if (c.missing && !cumulateAll)
                WriteString("-");
            else
                WriteReal(cumulative);
        }
        EndLine();
        countTotal += Shown(d, c);
        percentTotal += c.percent;
        if (c.validPercent > 0.0)
            validTotal += c.validPercent;
    }
    NewLine(W);

    // Totals.
    if (showLabel)
        Left(L), WriteString(GroupText(totalText));
    if (showValue)
        Right(V), WriteString("");
    if (showCount) {
        Right(C);
        SetDecimals(countDecimals);
        if (weighted)
            WriteReal(countTotal);
        else
            WriteInteger(static_cast<long>(countTotal));
    }
    SetDecimals(pctDecimals);
    if (showPercent)
        Right(C), WriteReal(percentTotal);
    if (showValid)
        Right(C), WriteReal(validTotal);
    EndLine();
    NewLine(W);
    EndLine();

    // Mean.
    if (options & freqMean) {
        WriteString(GroupText(meanText));
        WriteString(" = ");
        SetDecimals(pctDecimals);
        if (IsNotComputed(d.mean))
            WriteString(notComputedMark);
        else
            WriteReal(d.mean);
        EndLine();
        EndLine();
    }

    // Median, computed once and kept in the distribution.
    if (options & freqMedian) {
        if (IsNotComputed(d.median)) {
            GroupedMedian median(&d, d.variableNumber, 0, kNotComputed);
            double summary[7];
            median.GetSummary(summary);
            d.median = summary[1];
        }
        const bool known = !IsNotComputed(d.median);
        if (decimals == 0) {
            WriteString(GroupText(medianText));
            WriteString(" = ");
            // Halves round down.
            if (known)
                WriteInteger(static_cast<long>(std::ceil(d.median - 0.5)));
            else
                WriteString(notComputedMark);
            EndLine();
        }
        SetDecimals(std::max(pctDecimals, 2));
        WriteString(GroupText(interpolatedMedianText));
        WriteString(" = ");
        if (known)
            WriteReal(d.median);
        else
            WriteString(notComputedMark);
        EndLine();
        if (d.groupedFlag) {
            WriteString(GroupText(groupedNote));
            EndLine();
        }
        EndLine();
    }

    // Mode: every value that has the largest frequency, the first four
    // listed.
    if (options & freqMode) {
        double largest = 0.0;
        for (long i = 0; i < d.categoryCount; ++i) {
            const FreqCategory &c = d.categories[i];
            if (!IsSentinel(d, c) && !c.missing)
                largest = std::max(largest, Shown(d, c));
        }
        WriteString(GroupText(modeText));
        WriteString(" = ");
        SetDecimals(decimals);
        int listed = 0;
        for (long i = 0; i < d.categoryCount; ++i) {
            const FreqCategory &c = d.categories[i];
            if (IsSentinel(d, c) || c.missing || Shown(d, c) != largest)
                continue;
            if (listed > 0)
                WriteString(", ");
            if (listed == modesListed) {
                WriteString("...");
                break;
            }
            if (d.realValued)
                WriteReal(c.value.real);
            else
                WriteInteger(c.value.integer);
            ++listed;
        }
        if (listed == 0)
            WriteString(notComputedMark);
        EndLine();
        EndLine();
    }

    // The report note.
    const char *report = d.GetReportHeader(validCount);
    if (report && *report) {
        WriteString(report);
        EndLine();
    }
    ShowText();

    if (temporary) {
        d.workbook = nullptr;
        temporary.reset();
    }
}
