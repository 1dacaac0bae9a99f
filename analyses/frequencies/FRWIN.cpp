#include "analyses/frequencies/FRWIN.h"

#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "dataset/ProgramSettings.h"
#include "stats/FREQOBJ.h"
#include "stats/MarkReason.h"
#include "stats/Stat.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
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
    roundedMedianText = 40,
    medianText = 41,
    meanText = 42,
    groupedNote = 43,
};

const char *GroupText(int number)
{
    return StatText(number, FRWIN::textGroup);
}

// Modes listed before the list is cut short with "...".
constexpr int modesListed = 4;

// The system-missing record: its missing flag and the storage code that no
// valid value equals (a valid value may be as large as 1.7e308).
bool IsSentinel(const FREQOBJ &d, const FreqCategory &c)
{
    return d.realValued ? c.missing && c.value.real == DBL_MAX : c.value.integer == intSentinel;
}

bool HasValidCases(const FREQOBJ &d)
{
    for (long i = 0; i < d.categoryCount; ++i)
        if (!d.categories[i].missing && d.categories[i].frequency > 0.0)
            return true;
    return false;
}

// Characters of a figure as WriteFigure writes it.
int FigureWidth(double value, int decimals)
{
    return static_cast<int>(FormatFigure(value, decimals).size());
}

// More decimals than a double holds would only print noise.
int BoundDecimals(int decimals)
{
    return std::min(std::max(decimals, 0), DBL_DIG);
}

// The frequency that the table shows and sums: weighted or the count.
double Shown(const FREQOBJ &d, const FreqCategory &c)
{
    return d.IsWeighted() ? c.frequency : static_cast<double>(c.count);
}

} // namespace

FRWIN::FRWIN(const char *title) : TXTWIN(title, 0, 0)
{}

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
        auto *loaded = new FreqOption;
        loaded->LoadSettings(1);
        temporary.reset(new FreqBook(loaded));
        d.workbook = temporary.get();
    }
    auto *record = dynamic_cast<FreqOption *>(d.workbook->Option());
    std::unique_ptr<FreqOption> saved;
    if (!record) {
        // Not foreseen (every frequency workbook holds a FreqOption): the
        // saved settings rather than no table.
        saved.reset(new FreqOption);
        saved->LoadSettings(1);
        record = saved.get();
    }
    if (d.status != FREQOBJ::kFreqCounted) {
        // Not counted: say why instead of an empty table.
        WriteString(*d.GetFailureText() ? d.GetFailureText() : StatText(9, 34));
        EndLine();
        ShowText();
        if (temporary)
            d.workbook = nullptr;
        return;
    }
    // A width read unchecked (0xFFFFFFFB in the registry reads as -5, or
    // 99999) is brought into the option field's range; MakeLayout widens it
    // further when a figure needs more.
    const long width = record->ColumnWidth();
    SetColumnWidth(static_cast<int>(std::min<long>(std::max<long>(width, minimumColumnWidth), maximumColumnWidth)));
    const Layout layout = MakeLayout(record->tableOptions, CurrentPart());

    // The blocks in their fixed order.
    SortRecords(layout);
    WriteHeading(layout);
    if (layout.Shows(freqColumnHeadings))
        WriteColumnHeadings(layout);
    Totals totals;
    WriteRows(layout, totals);
    WriteTotals(layout, totals);
    if (layout.Shows(freqMean))
        WriteMean(layout);
    if (layout.Shows(freqMedian))
        WriteMedian(layout);
    if (layout.Shows(freqMode))
        WriteMode(layout);
    if (d.weightsTooLarge)
        for (const std::string &line : MarkReasonLines(kReasonWeightsTooLarge, notComputedMark)) {
            WriteString(line.c_str());
            EndLine();
        }
    const char *report = d.GetReportHeader(totals.validCount);
    if (report && *report) {
        WriteString(report);
        EndLine();
    }
    ShowText();

    if (temporary)
        d.workbook = nullptr;
}

FRWIN::Layout FRWIN::MakeLayout(unsigned options, long columnWidth) const
{
    const FREQOBJ &d = *distribution;
    Layout layout;
    layout.options = options;
    layout.weighted = d.IsWeighted();
    layout.decimals = static_cast<int>(d.decimals);
    // Weighted frequencies take the weight's decimals too when it has more:
    // with the value decimals alone, a code variable's weighted count of 8.5
    // showed as 8 beside a percent computed from 8.5.
    layout.countDecimals =
        BoundDecimals(layout.weighted ? std::max(layout.decimals, d.WeightDecimals()) : layout.decimals);
    layout.decimals = BoundDecimals(layout.decimals);
    layout.percentDecimals = BoundDecimals(ProgramSettings::Instance()->DecimalsPct());
    int longest = 8;
    for (long i = 0; i < d.categoryCount; ++i)
        longest = std::max(longest, static_cast<int>(std::strlen(d.categories[i].label)));
    layout.L = longest + 4;
    layout.V = static_cast<int>(d.valueWidth) + 2;
    layout.C = static_cast<int>(columnWidth);
    // Every column at least two wider than its widest figure, so that
    // figures stand two blanks apart whatever the settings say.
    double total = 0.0;
    for (long i = 0; i < d.categoryCount; ++i) {
        const FreqCategory &c = d.categories[i];
        if (!IsSentinel(d, c))
            layout.V = std::max(layout.V, d.realValued ? FigureWidth(c.value.real, layout.decimals) + 2
                                                       : FigureWidth(static_cast<double>(c.value.integer), 0) + 2);
        total += Shown(d, c);
    }
    const int countWidth = FigureWidth(total, layout.weighted ? layout.countDecimals : 0);
    // Percentages and their sums reach 100 (a rounding error past it keeps
    // the width).
    const int percentWidth = FigureWidth(100.0, layout.percentDecimals);
    layout.C = std::max(layout.C, std::max(countWidth, percentWidth) + 2);
    // The headings, too, each two wider than its text, so that they stand
    // two blanks apart over their columns.
    auto headingWidth = [](int text) { return static_cast<int>(std::strlen(GroupText(text))) + 2; };
    layout.L = std::max(layout.L, headingWidth(labelHeading));
    layout.L = std::max(layout.L, headingWidth(totalText));
    layout.V = std::max(layout.V, headingWidth(valueHeading));
    for (int text : {countHeading, percentHeading, validHeading, cumulativeHeading})
        layout.C = std::max(layout.C, headingWidth(text));
    layout.W = 0;
    if (layout.Shows(freqColumnHeadings)) {
        const int numeric = layout.Shows(freqCountColumn) + layout.Shows(freqPercentColumn) +
                            layout.Shows(freqValidColumn) + layout.Shows(freqCumulativeColumn);
        layout.W = (layout.Shows(freqLabelColumn) ? layout.L : 0) + (layout.Shows(freqValueColumn) ? layout.V : 0) +
                   layout.C * numeric;
    }
    return layout;
}

void FRWIN::SortRecords(const Layout &layout)
{
    FREQOBJ &d = *distribution;
    if (d.categoryCount < 2)
        return;
    int (*compare)(const void *, const void *);
    const bool descending = layout.Shows(freqSortDescending);
    if (!layout.Shows(freqSortByValue))
        compare = descending ? CompareByCountDescending : CompareByCountAscending;
    else if (d.realValued)
        compare = descending ? CompareByRealValueDescending : CompareByRealValueAscending;
    else
        compare = descending ? CompareByIntValueDescending : CompareByIntValueAscending;
    std::qsort(d.categories, static_cast<size_t>(d.categoryCount), sizeof(FreqCategory), compare);
}

void FRWIN::WriteHeading(const Layout &layout)
{
    if (layout.Shows(freqHeading)) {
        EndLine();
        WriteString("v");
        WriteInteger(distribution->variableNumber);
        WriteString(" ");
        WriteString(distribution->CategoryAt(0));
    }
    EndLine();
    EndLine();
}

void FRWIN::WriteColumnHeadings(const Layout &layout)
{
    if (layout.Shows(freqLabelColumn)) {
        Left(layout.L);
        WriteString(GroupText(labelHeading));
    }
    if (layout.Shows(freqValueColumn)) {
        Right(layout.V);
        WriteString(GroupText(valueHeading));
    }
    const struct
    {
        unsigned bit;
        int text;
    } numeric[] = {{freqCountColumn, countHeading},
                   {freqPercentColumn, percentHeading},
                   {freqValidColumn, validHeading},
                   {freqCumulativeColumn, cumulativeHeading}};
    for (const auto &column : numeric) {
        if (layout.Shows(column.bit)) {
            Right(layout.C);
            WriteString(GroupText(column.text));
        }
    }
    EndLine();
    NewLine(layout.W);
}

void FRWIN::WriteFigure(double value)
{
    WriteString(FormatFigure(value, Decimals()).c_str());
}

void FRWIN::WriteCountCell(const Layout &layout, const FreqCategory &c)
{
    Right(layout.C);
    SetDecimals(layout.countDecimals);
    if (layout.weighted)
        WriteFigure(c.frequency);
    else
        WriteInteger(c.count);
}

void FRWIN::WriteRows(const Layout &layout, Totals &totals)
{
    const FREQOBJ &d = *distribution;
    const bool cumulateAll = layout.Shows(freqCumulateAll);
    double cumulative = 0.0;
    for (long i = 0; i < d.categoryCount; ++i) {
        const FreqCategory &c = d.categories[i];
        const bool sentinel = IsSentinel(d, c);
        if (!sentinel && !c.missing)
            totals.validCount += d.realValued ? c.frequency : static_cast<double>(c.count);
        if (layout.Shows(freqLabelColumn)) {
            Left(layout.L);
            WriteString(c.label);
        }
        if (layout.Shows(freqValueColumn)) {
            Right(layout.V);
            SetDecimals(layout.decimals);
            if (sentinel)
                WriteString("-");
            else if (d.realValued)
                WriteFigure(c.value.real);
            else
                WriteInteger(c.value.integer);
        }
        if (layout.Shows(freqCountColumn))
            WriteCountCell(layout, c);
        SetDecimals(layout.percentDecimals);
        if (layout.Shows(freqPercentColumn)) {
            Right(layout.C);
            WriteFigure(c.percent);
        }
        // Cumulated over every record's percent, or over the valid ones'
        // valid percent.
        if (cumulateAll)
            cumulative += c.percent;
        else if (!c.missing)
            cumulative += c.validPercent;
        if (layout.Shows(freqValidColumn)) {
            Right(layout.C);
            if (c.missing)
                WriteString("-");
            else
                WriteFigure(c.validPercent);
        }
        if (layout.Shows(freqCumulativeColumn)) {
            Right(layout.C);
            if (c.missing && !cumulateAll)
                WriteString("-");
            else
                WriteFigure(cumulative);
        }
        EndLine();
        totals.count += Shown(d, c);
        totals.percent += c.percent;
        if (c.validPercent > 0.0)
            totals.validPercent += c.validPercent;
    }
    NewLine(layout.W);
}

void FRWIN::WriteTotals(const Layout &layout, const Totals &totals)
{
    if (layout.Shows(freqLabelColumn)) {
        Left(layout.L);
        WriteString(GroupText(totalText));
    }
    if (layout.Shows(freqValueColumn)) {
        Right(layout.V);
        WriteString("");
    }
    if (layout.Shows(freqCountColumn)) {
        Right(layout.C);
        SetDecimals(layout.countDecimals);
        if (layout.weighted)
            WriteFigure(totals.count);
        else
            WriteInteger(static_cast<long>(totals.count));
    }
    SetDecimals(layout.percentDecimals);
    if (layout.Shows(freqPercentColumn)) {
        Right(layout.C);
        WriteFigure(totals.percent);
    }
    if (layout.Shows(freqValidColumn)) {
        Right(layout.C);
        WriteFigure(totals.validPercent);
    }
    EndLine();
    NewLine(layout.W);
    EndLine();
}

void FRWIN::WriteMean(const Layout &layout)
{
    WriteString(GroupText(meanText));
    WriteString(" = ");
    SetDecimals(layout.percentDecimals);
    if (distribution->mean == DBL_MAX)
        WriteString(notComputedMark);
    else
        WriteFigure(distribution->mean);
    EndLine();
    EndLine();
}

void FRWIN::WriteMedian(const Layout &layout)
{
    FREQOBJ &d = *distribution;
    // Computed once and kept in the distribution.
    if (d.median == DBL_MAX) {
        // Every valid value counts: the limit is the system-missing code.
        GroupedMedian median(&d, d.variableNumber, 0, DBL_MAX);
        double summary[7];
        median.GetSummary(summary);
        d.median = HasValidCases(d) ? summary[1] : DBL_MAX;
    }
    const bool known = d.median != DBL_MAX;
    if (layout.decimals == 0) {
        WriteString(GroupText(roundedMedianText));
        WriteString(" = ");
        // Halves round down.
        if (known)
            WriteInteger(static_cast<long>(std::ceil(d.median - 0.5)));
        else
            WriteString(notComputedMark);
        EndLine();
    }
    SetDecimals(std::max(layout.percentDecimals, 2));
    WriteString(GroupText(medianText));
    WriteString(" = ");
    if (known)
        WriteFigure(d.median);
    else
        WriteString(notComputedMark);
    EndLine();
    if (d.groupedFlag) {
        WriteString(GroupText(groupedNote));
        EndLine();
    }
    EndLine();
}

void FRWIN::WriteMode(const Layout &layout)
{
    // Every valid value that has the largest frequency, the first four
    // listed.
    const FREQOBJ &d = *distribution;
    double largest = 0.0;
    for (long i = 0; i < d.categoryCount; ++i) {
        const FreqCategory &c = d.categories[i];
        if (!IsSentinel(d, c) && !c.missing)
            largest = std::max(largest, Shown(d, c));
    }
    WriteString(GroupText(modeText));
    WriteString(" = ");
    SetDecimals(layout.decimals);
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
            WriteFigure(c.value.real);
        else
            WriteInteger(c.value.integer);
        ++listed;
    }
    if (listed == 0)
        WriteString(notComputedMark);
    EndLine();
    EndLine();
}
