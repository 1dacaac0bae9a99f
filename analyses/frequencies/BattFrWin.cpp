#include "analyses/frequencies/BattFrWin.h"

#include "analyses/frequencies/BattFreqBook.h"
#include "analyses/frequencies/BattFreqOption.h"
#include "dataset/ProgramSettings.h"
#include "stats/FREQOBJ.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

enum Kind { countKind = 0, percentKind = 1, validKind = 2 };

double ValueOf(const FREQOBJ &item, long category)
{
    const FreqCategory &c = item.categories[category];
    return item.realValued ? c.value.real : static_cast<double>(c.value.integer);
}

// A count's share of its base in percent, divided first so that counts
// near the largest double do not overflow; the mark for a base of 0 or a
// base whose weights summed past the largest double.
double Percent(double count, double base)
{
    if (!(base > 0.0) || !std::isfinite(base) || !std::isfinite(count))
        return kNotComputed;
    return count / base * 100.0;
}

std::string RowLabel(const FREQOBJ &item)
{
    const std::string heading = item.CategoryAt(0);
    const std::size_t colon = heading.find(':');
    return colon != std::string::npos ? heading.substr(0, colon) : heading.substr(0, 25);
}

} // namespace

BattFrWin::BattFrWin(BattFreqObj *battery) : TXTWIN(StatText(44, BattFreqOption::textGroup), 0), battery(battery)
{}

// Puts each of the item's counts under the reference's column of the same
// code. Items that merely have as many categories as the reference can hold
// other codes; counting them by position would print their counts under
// the reference's headings for other answers. An item with a code the
// reference lacks is therefore listed as left out rather than tabulated.
bool BattFrWin::Align(const FREQOBJ &item, Row &row) const
{
    const long columns = reference->categoryCount;
    row.item = &item;
    row.frequency.assign(static_cast<std::size_t>(columns), 0.0);
    row.missing.assign(static_cast<std::size_t>(columns), false);
    for (long c = 0; c < columns; ++c)
        row.missing[static_cast<std::size_t>(c)] = reference->categories[c].missing != 0;
    for (long k = 0; k < item.categoryCount; ++k) {
        const double value = ValueOf(item, k);
        long c = 0;
        while (c < columns && ValueOf(*reference, c) != value)
            ++c;
        if (c == columns)
            return false; // a code the reference does not have
        row.frequency[static_cast<std::size_t>(c)] = item.categories[k].frequency;
        row.missing[static_cast<std::size_t>(c)] = item.categories[k].missing != 0;
    }
    for (long c = 0; c < columns; ++c) {
        row.total += row.frequency[static_cast<std::size_t>(c)];
        if (!row.missing[static_cast<std::size_t>(c)])
            row.validTotal += row.frequency[static_cast<std::size_t>(c)];
    }
    return true;
}

void BattFrWin::WriteBatteryTable()
{
    Clear();
    if (!battery || battery->items.empty()) {
        ShowText();
        return;
    }
    std::unique_ptr<BattFreqOption> own;
    auto *record = battery->book ? dynamic_cast<BattFreqOption *>(battery->book->Option()) : nullptr;
    if (!record) {
        own = std::make_unique<BattFreqOption>();
        own->LoadSettings(1);
        record = own.get();
    }
    options = static_cast<unsigned>(record->tableOptions);
    percentDecimals = ProgramSettings::Instance()->DecimalsPct();
    weighted = battery->IsWeighted();
    reference = battery->items[0];

    rows.clear();
    leftOut.clear();
    for (const FREQOBJECT *item : battery->items) {
        Row row;
        if (Align(*item, row))
            rows.push_back(row);
        else
            leftOut.push_back("  v" + std::to_string(item->variableNumber) + " " + item->CategoryAt(0));
    }
    for (const Row &row : rows) {
        EndLine();
        WriteString(("v" + std::to_string(row.item->variableNumber) + " " + row.item->CategoryAt(0)).c_str());
    }
    EndLine();
    EndLine();
    EndLine();

    labelWidth = 8;
    for (const Row &row : rows)
        labelWidth = std::max(labelWidth, static_cast<int>(RowLabel(*row.item).size()));
    cellWidth = CurrentPart();
    if (cellWidth == 0) {
        int longest = 8;
        for (long c = 0; c < reference->categoryCount; ++c)
            longest = std::max(longest, static_cast<int>(std::strlen(reference->categories[c].label)));
        cellWidth = longest + 2;
        SetColumnWidth(cellWidth);
    }
    // A cell one wider than its widest figure: the largest count is the
    // grand total of the N= column, the largest percentage 100.
    double grand = 0.0;
    for (const Row &row : rows)
        grand += row.total;
    if (std::isfinite(grand))
        cellWidth = std::max(cellWidth, static_cast<int>(NumberText(grand, true).size()) + 1);
    cellWidth = std::max(cellWidth, static_cast<int>(NumberText(100.0, false).size()) + 1);
    markWritten = false;

    std::vector<int> kinds;
    if (options & battCounts)
        kinds.push_back(countKind);
    if (options & battPercent)
        kinds.push_back(percentKind);
    if (options & battValidPercent)
        kinds.push_back(validKind);
    if (!rows.empty()) {
        if (options & battSeparate) {
            for (int kind : kinds)
                WriteTable({kind}, true);
        } else if (!kinds.empty()) {
            WriteTable(kinds, false);
        }
    }

    if (!leftOut.empty()) {
        WriteString(StatText(55, BattFreqOption::textGroup));
        EndLine();
        for (const std::string &line : leftOut) {
            WriteString(line.c_str());
            EndLine();
        }
        EndLine();
        EndLine();
    }
    // Every item reads the same cases, each counted in one of its
    // categories (its missing ones included): the first item's total is the
    // number of cases of the table, and its walk over the cases noted those
    // left out for their weight.
    double cases = 0.0;
    for (long k = 0; k < reference->categoryCount; ++k)
        cases += reference->categories[k].frequency;
    Plain();
    if (markWritten)
        for (const std::string &line : MarkReasonLines(WeightReasons(cases, 1), notComputedMark)) {
            WriteString(line.c_str());
            EndLine();
        }
    const char *report = battery->items[0]->GetReportHeader(cases);
    if (*report) {
        WriteString(report);
        EndLine();
    }
    ShowText();
}

void BattFrWin::WriteTable(const std::vector<int> &kinds, bool separate)
{
    // A separate valid-percent table has no column for a missing category.
    const bool validOnly = separate && kinds.size() == 1 && kinds[0] == validKind;
    auto shown = [&](long c) { return !(validOnly && reference->categories[c].missing); };

    for (int kind : kinds) {
        WriteString(StatText(13 + kind, BattFreqOption::textGroup));
        EndLine();
    }
    Left(labelWidth);
    WriteString("");
    Right(cellWidth);
    ruleWidth = labelWidth;
    for (long c = 0; c < reference->categoryCount; ++c) {
        if (!shown(c))
            continue;
        WriteString(std::string(reference->categories[c].label).substr(0, std::max(cellWidth - 2, 1)).c_str());
        ruleWidth += cellWidth;
    }
    if (options & battRowSums) {
        WriteString("N=");
        ruleWidth += cellWidth;
    }
    EndLine();
    WriteRule();

    std::vector<double> sums(static_cast<std::size_t>(reference->categoryCount), 0.0);
    std::vector<bool> sumMissing(sums.size(), false);
    for (long c = 0; c < reference->categoryCount; ++c)
        sumMissing[static_cast<std::size_t>(c)] = reference->categories[c].missing != 0;
    double grand = 0.0, validGrand = 0.0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            Left(labelWidth);
            WriteString(k == 0 ? RowLabel(*row.item).c_str() : "");
            WriteLine(kinds[k], row.frequency, row.missing, row.total, row.validTotal, validOnly);
        }
        if (!separate && r + 1 < rows.size())
            EndLine();
        for (std::size_t c = 0; c < sums.size(); ++c) {
            sums[c] += row.frequency[c];
            if (!row.missing[c])
                validGrand += row.frequency[c];
            else
                sumMissing[c] = true;
        }
        grand += row.total;
    }
    WriteRule();
    if (options & battColumnSums) {
        for (int kind : kinds) {
            Left(labelWidth);
            WriteString("");
            WriteLine(kind, sums, sumMissing, grand, validGrand, validOnly);
        }
        WriteRule();
    }
    EndLine();
    EndLine();
}

// One line of figures after its label cell: a count, percent or valid
// percent per shown category, then the line's N when asked for.
void BattFrWin::WriteLine(int kind, const std::vector<double> &frequency, const std::vector<bool> &missing,
                          double total, double validTotal, bool validOnly)
{
    Right(cellWidth);
    double n = 0.0;
    for (std::size_t c = 0; c < frequency.size(); ++c) {
        if (validOnly && reference->categories[c].missing)
            continue;
        if (kind == countKind) {
            WriteNumber(frequency[c], true);
            n += frequency[c];
        } else if (kind == percentKind) {
            WriteNumber(Percent(frequency[c], total), false);
            n += frequency[c];
        } else if (missing[c]) {
            WriteString(missingCategoryMark);
        } else {
            WriteNumber(Percent(frequency[c], validTotal), false);
            n += frequency[c];
        }
    }
    if (options & battRowSums)
        WriteNumber(n, true);
    EndLine();
}

std::string BattFrWin::NumberText(double value, bool count) const
{
    if (count && !weighted)
        return std::to_string(static_cast<long long>(value + 0.5));
    return count ? FormatCount(value, percentDecimals) : FormatFigure(value, percentDecimals);
}

// Only the mark itself, or a sum of weights past the largest double, prints
// as the mark: counts of weights beyond the mark's size are figures and
// print in exponent form.
void BattFrWin::WriteNumber(double value, bool count)
{
    if (value == kNotComputed || !std::isfinite(value)) {
        WriteString(notComputedMark);
        markWritten = true;
        return;
    }
    WriteString(NumberText(value, count).c_str());
}

void BattFrWin::WriteRule()
{
    Plain();
    WriteString(std::string(static_cast<std::size_t>(ruleWidth), '-').c_str());
    EndLine();
}
