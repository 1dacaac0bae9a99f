#include "analyses/multivariate/NTAB.h"

#include "analyses/kit/ColumnHeading.h"
#include "dataset/ProgramSettings.h"
#include "shell/TXTWIN.h"
#include "stats/MarkReason.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ntabTextGroup = 42;
constexpr int setTitleText = 21, controlTitleText = 6, totalText = 7;
constexpr unsigned long figureBits[] = {ntabPercent, ntabTotalPercent, ntabCumulative, ntabRestCumulative,
                                        ntabCounts};

int LongestLabel(const NtabDimension &dimension)
{
    int longest = 0;
    for (const NtabCategory &category : dimension.categories)
        longest = std::max(longest, static_cast<int>(category.label.size()));
    return longest;
}

void Blanks(TXTWIN *window, int count)
{
    window->Plain();
    window->WriteString(std::string(static_cast<size_t>(std::max(count, 0)), ' ').c_str());
}

// Steps an odometer over the categories of dimensions [first, last); false
// after the last combination.
bool Advance(std::vector<int> &index, const std::vector<int> &counts, int first, int last)
{
    for (int d = last - 1; d >= first; --d) {
        if (++index[static_cast<size_t>(d)] < counts[static_cast<size_t>(d)])
            return true;
        index[static_cast<size_t>(d)] = 0;
    }
    return false;
}

} // namespace

void NTAB::WriteToWindow(TXTWIN *window)
{
    window->Clear();
    window->Plain();
    SplitLayers();
    // The widths follow the layer split and the options: worked out anew
    // from the window's own cell width at every write.
    window->SetColumnWidth(baseCellWidth);
    ComputeColumnWidths(window);
    WriteTable(window);
    window->EndLine();
    window->ShowText();
    written = true;
}

void NTAB::SplitLayers()
{
    if (percentageBase != lastPercentageBase && CanRecompute())
        Recompute();
    const int dimensionCount = static_cast<int>(dimensions.size());
    widths.resize(static_cast<size_t>(dimensionCount), startWidth);
    categoryCounts.resize(static_cast<size_t>(dimensionCount), 0);
    const int n = std::max(dimensionCount - 1, 0);
    int layers = std::max(n - 2, 0);
    if (display & ntabLayersNone)
        layers = 0;
    if (display & ntabLayersAll)
        layers = n;
    if (display & ntabLayersUser)
        layers = std::min(std::max(userLayerCount, 0), n);
    layerCount = layers;
    columnCount = n - layers;
    lastPercentageBase = percentageBase;
}

void NTAB::ComputeColumnWidths(TXTWIN *window)
{
    const size_t dimensionCount = dimensions.size();
    widths.assign(dimensionCount, startWidth);
    categoryCounts.assign(dimensionCount, 0);
    for (size_t d = 0; d < dimensionCount; ++d) {
        widths[d] = std::max(startWidth, LongestLabel(dimensions[d]));
        categoryCounts[d] = dimensions[d].CategoryCount();
    }
    if (columnCount >= 2)
        window->SetColumnWidth(widths[static_cast<size_t>(columnCount - 1)]);
}

int NTAB::TableColumns() const
{
    int columns = 1;
    for (int c = 0; c < columnCount; ++c)
        columns *= std::max(categoryCounts[static_cast<size_t>(c)], 1);
    return columns;
}

std::string NTAB::Prefix(long variable) const
{
    char text[32];
    std::snprintf(text, sizeof text, "v%li-> ", variable);
    return text;
}

void NTAB::WriteVariableLine(TXTWIN *window, long number, const std::string &label)
{
    window->Plain();
    window->WriteString("v");
    window->Left(5);
    window->WriteInteger(number);
    window->Plain();
    window->WriteString(label.c_str());
    window->EndLine();
}

bool NTAB::CountsWhole(const NtabLevel &level)
{
    for (const NtabNode &node : level.nodes) {
        if (node.next ? !CountsWhole(*node.next) : node.cell.count != std::floor(node.cell.count))
            return false;
    }
    return true;
}

int NTAB::CountDecimals() const
{
    // Weighted counts take the weight's decimals, so that a column's counts
    // add up to its total as printed; a weight whose variable claims none
    // but whose counts are not whole gets two.
    if (!IsWeighted())
        return 0;
    const int decimals = std::min(std::max(WeightDecimals(), 0), DBL_DIG);
    return decimals == 0 && !CountsWhole(root) ? 2 : decimals;
}

double NTAB::SumOfCells(const NtabLevel &level)
{
    double sum = 0.0;
    for (const NtabNode &node : level.nodes)
        sum += node.next ? SumOfCells(*node.next) : node.cell.count;
    return sum;
}

int NTAB::WidestFigure(int decimals) const
{
    int widest = 0;
    if (display & (ntabPercent | ntabTotalPercent | ntabCumulative | ntabRestCumulative)) {
        // Percentages of a set's cases (and their sums) reach 100 for each
        // member of the set.
        const double largest = PercentsPass100() ? 100.0 * static_cast<double>(std::max<size_t>(setMembers.size(), 1)) : 100.0;
        widest = static_cast<int>(FormatFigure(largest, decimals).size());
    }
    if (display & ntabCounts) {
        // No count, a column's total included, passes the sum of all cells
        // (a multiple-response set counts answers, which may pass the
        // number of cases).
        // A sum past the largest double leaves its cells as wide as the
        // widest finite count can print.
        double largest = std::max(caseCount, SumOfCells(root));
        if (!std::isfinite(largest))
            largest = DBL_MAX;
        widest = std::max(widest, static_cast<int>(FormatCount(largest, countDecimals).size()));
    }
    return widest;
}

void NTAB::WriteRule(TXTWIN *window, int rowArea, int columns, int cellWidth)
{
    window->Plain();
    std::string line(static_cast<size_t>(std::max(rowArea, 0)), '-');
    for (int j = 0; j < columns; ++j)
        line += "  " + std::string(static_cast<size_t>(cellWidth), '-');
    window->WriteString(line.c_str());
    window->EndLine();
}

void NTAB::WriteFigures(TXTWIN *window, const NtabCell *cell, int cellWidth, int decimals, const double *running)
{
    if (!(display & (ntabPercent | ntabTotalPercent | ntabCumulative | ntabRestCumulative | ntabCounts))) {
        window->Right(cellWidth);
        window->WriteString("");
        return;
    }
    for (unsigned long bit : figureBits) {
        if (!(display & bit))
            continue;
        window->Right(cellWidth);
        if (!cell) {
            // An empty cell adds nothing to the cumulative percentage: the
            // running total stands in it.
            window->SetDecimals(decimals);
            if (running && bit == ntabCumulative)
                WritePercent(window, *running);
            else if (running && bit == ntabRestCumulative)
                WritePercent(window, 100.0 - *running);
            else
                window->WriteString("");
            continue;
        }
        window->SetDecimals(bit == ntabCounts ? countDecimals : decimals);
        switch (bit) {
        case ntabPercent: WritePercent(window, cell->percents[0]); break;
        case ntabTotalPercent: WritePercent(window, cell->percents[1]); break;
        case ntabCumulative: WritePercent(window, cell->percents[2]); break;
        case ntabRestCumulative: WritePercent(window, 100.0 - cell->percents[2]); break;
        default: WriteCount(window, cell->count); break;
        }
    }
}

// A percentage summed from a mark is the mark: IsNotComputed holds for
// every sum that includes one, as no percentage reaches its size.
void NTAB::WritePercent(TXTWIN *window, double value)
{
    if (IsNotComputed(value) || value != value) {
        window->WriteString(notComputedMark);
        markWritten = true;
        return;
    }
    window->WriteString(FormatFigure(value, window->Decimals()).c_str());
}

// Counts are sums of weights: beyond the mark's size they are figures (in
// exponent form); only a sum past the largest double is the mark.
void NTAB::WriteCount(TXTWIN *window, double value)
{
    if (!std::isfinite(value)) {
        window->WriteString(notComputedMark);
        markWritten = true;
        return;
    }
    window->WriteString(FormatCount(value, countDecimals).c_str());
}

void NTAB::SetColumnKeys(const std::vector<int> &column, std::vector<double> &keys) const
{
    for (size_t c = 0; c < column.size(); ++c)
        keys[c] = dimensions[c].categories[static_cast<size_t>(column[c])].value;
}

void NTAB::WriteTable(TXTWIN *window)
{
    markWritten = false;
    if (dimensions.empty()) {
        // Nothing was computed (the computation failed): its message stands
        // in for the table, which has no dependent to lay out.
        window->WriteString(GetFailureText());
        return;
    }
    window->SetCut(true);
    window->EndLine();
    const int n = static_cast<int>(dimensions.size()) - 1;
    const int T = columnCount, L = layerCount;
    const NtabDimension &dependent = dimensions[static_cast<size_t>(n)];
    const int decimals = std::min(std::max(ProgramSettings::Instance()->DecimalsPct(), 0), DBL_DIG);
    countDecimals = CountDecimals();

    // Cell width: at most 50, narrowed until a row of cells holds at most
    // 800 characters, never below 1.
    int cw = std::min(window->CurrentPart(), static_cast<int>(maxCellWidth));
    const int columns = TableColumns();
    if (T > 0) {
        while (cw > 1 && cw * columns > maxRowCharacters)
            --cw;
        cw = std::max(cw, 1);
        widths[static_cast<size_t>(T - 1)] = cw;
    }
    if (window->CurrentPart() < minimumCellWidth)
        window->SetColumnWidth(minimumCellWidth);
    int cellWidth = T > 0 ? cw : std::min(window->CurrentPart(), static_cast<int>(maxCellWidth));
    // A cell narrower than its widest figure (the total count, or a
    // percentage of 100) is widened to it: figures stay under their
    // headings whatever width the options give.
    // Each chosen figure takes a field of the cell width: a table column
    // is as wide as all of them, so headings and rules stay above them.
    int figureCount = 0;
    for (unsigned long bit : figureBits)
        figureCount += (display & bit) ? 1 : 0;
    // Two figures of one cell stand two blanks apart, as the cells do.
    cellWidth = std::max(cellWidth, WidestFigure(decimals) + (figureCount > 1 ? 2 : 0));
    const int columnWidth = cellWidth * std::max(figureCount, 1);
    if (T > 0)
        widths[static_cast<size_t>(T - 1)] = columnWidth;
    for (int j = T - 2; j >= 0; --j)
        widths[static_cast<size_t>(j)] =
            categoryCounts[static_cast<size_t>(j + 1)] * (widths[static_cast<size_t>(j + 1)] + 2) - 2;
    for (int l = T; l < n; ++l)
        widths[static_cast<size_t>(l)] = std::min(std::max(startWidth, LongestLabel(dimensions[static_cast<size_t>(l)])),
                                                  static_cast<int>(maxLabelWidth));
    const int dependentWidth = std::min(std::max(startWidth, LongestLabel(dependent) + 1), static_cast<int>(maxLabelWidth));
    widths[static_cast<size_t>(n)] = dependentWidth;

    // The variables.
    if (tableKind == 3) {
        window->WriteString(StatText(setTitleText, ntabTextGroup));
        window->EndLine();
        for (size_t i = 0; i < setMembers.size(); ++i)
            WriteVariableLine(window, setMembers[i], i < setLabels.size() ? setLabels[i] : std::string());
    } else {
        WriteVariableLine(window, dependent.variable, dependent.label);
    }
    window->WriteString(StatText(controlTitleText, ntabTextGroup));
    window->EndLine();
    for (int d = 0; d < n; ++d)
        WriteVariableLine(window, dimensions[static_cast<size_t>(d)].variable, dimensions[static_cast<size_t>(d)].label);
    window->EndLine();
    window->EndLine();

    // The row-label area: the dependent's labels, two blanks a layer, and
    // the variable-number prefix.
    const bool numbers = (display & ntabVariableNumbers) != 0;
    int P = 0;
    if (numbers) {
        P = static_cast<int>(Prefix(dependent.variable).size());
        for (int l = T; l < n; ++l)
            P = std::max(P, static_cast<int>(Prefix(dimensions[static_cast<size_t>(l)].variable).size()));
    }
    const int R = dependentWidth + 2 * L + P;
    Blanks(window, R + 2);
    window->EndLine();

    // Column headings, outermost first.
    int repetitions = 1;
    for (int c = 0; c < T; ++c) {
        const NtabDimension &column = dimensions[static_cast<size_t>(c)];
        const int width = widths[static_cast<size_t>(c)];
        Blanks(window, dependentWidth + 2 * L);
        if (numbers) {
            window->Centred(P);
            window->WriteString(Prefix(column.variable).c_str());
        }
        for (int r = 0; r < repetitions; ++r)
            for (const NtabCategory &category : column.categories) {
                Blanks(window, 2);
                if (c == T - 1)
                    window->Right(width);
                else
                    window->Centred(width);
                window->WriteString(CutLabelToWidth(category.label, width).c_str());
            }
        window->EndLine();
        repetitions *= std::max(column.CategoryCount(), 1);
        if (c < T - 1) {
            Blanks(window, R);
            for (int r = 0; r < repetitions; ++r) {
                Blanks(window, 2);
                window->WriteString(std::string(static_cast<size_t>(width), '-').c_str());
            }
            window->EndLine();
        }
    }
    WriteRule(window, R, columns, columnWidth);

    // Blocks: one per combination of the layers' categories.
    std::vector<int> index(static_cast<size_t>(n + 1), 0);
    std::vector<double> keys(static_cast<size_t>(n + 1), 0.0);
    std::vector<double> percentSums(static_cast<size_t>(columns)), countSums(static_cast<size_t>(columns));
    std::vector<double> columnPercentSums(static_cast<size_t>(columns));
    std::vector<double> running(static_cast<size_t>(columns));
    std::vector<bool> columnHasCases(static_cast<size_t>(columns));
    // Percentages of a set's cases count a case once per answer, so a
    // column's sum passes 100: its total row shows that sum, where every
    // other column percentage sums to 100 and shows 100.
    const bool percentsPass100 = PercentsPass100();
    for (int d = 0; d < n; ++d)
        if (categoryCounts[static_cast<size_t>(d)] == 0)
            return; // a control variable without a category: no block
    do {
        for (int l = 0; l < L; ++l) {
            bool starts = true;
            for (int inner = l + 1; inner < L; ++inner)
                starts = starts && index[static_cast<size_t>(T + inner)] == 0;
            if (!starts)
                continue;
            const NtabDimension &layer = dimensions[static_cast<size_t>(T + l)];
            Blanks(window, 2 * l);
            if (numbers)
                window->WriteString(Prefix(layer.variable).c_str());
            window->WriteString(layer.categories[static_cast<size_t>(index[static_cast<size_t>(T + l)])].label.c_str());
            window->EndLine();
        }
        for (int l = 0; l < L; ++l)
            keys[static_cast<size_t>(T + l)] =
                dimensions[static_cast<size_t>(T + l)].categories[static_cast<size_t>(index[static_cast<size_t>(T + l)])].value;
        std::fill(percentSums.begin(), percentSums.end(), 0.0);
        std::fill(countSums.begin(), countSums.end(), 0.0);
        std::fill(columnPercentSums.begin(), columnPercentSums.end(), 0.0);
        std::fill(running.begin(), running.end(), 0.0);
        // A column with cases carries its cumulative percentage through its
        // empty cells; a column without any stays blank.
        std::fill(columnHasCases.begin(), columnHasCases.end(), false);
        if (display & (ntabCumulative | ntabRestCumulative))
            for (int row = 0; row < dependent.CategoryCount(); ++row) {
                keys[static_cast<size_t>(n)] = dependent.categories[static_cast<size_t>(row)].value;
                std::vector<int> column(static_cast<size_t>(T), 0);
                for (int j = 0; j < columns; ++j) {
                    SetColumnKeys(column, keys);
                    if (FindCell(keys.data()))
                        columnHasCases[static_cast<size_t>(j)] = true;
                    Advance(column, categoryCounts, 0, T);
                }
            }

        for (int row = 0; row < dependent.CategoryCount(); ++row) {
            Blanks(window, 2 * L);
            if (numbers) {
                window->Left(P);
                window->WriteString(row == 0 ? Prefix(dependent.variable).c_str() : "");
            }
            window->Left(dependentWidth);
            window->WriteString(CutLabelToWidth(dependent.categories[static_cast<size_t>(row)].label, dependentWidth).c_str());
            keys[static_cast<size_t>(n)] = dependent.categories[static_cast<size_t>(row)].value;
            std::vector<int> column(static_cast<size_t>(T), 0);
            for (int j = 0; j < columns; ++j) {
                SetColumnKeys(column, keys);
                const NtabCell *cell = FindCell(keys.data());
                const size_t jj = static_cast<size_t>(j);
                if (cell) {
                    percentSums[jj] += cell->percents[1];
                    columnPercentSums[jj] += cell->percents[0];
                    countSums[jj] += cell->count;
                    running[jj] = cell->percents[2];
                }
                Blanks(window, 2);
                WriteFigures(window, cell, cellWidth, decimals, columnHasCases[jj] ? &running[jj] : nullptr);
                Advance(column, categoryCounts, 0, T);
            }
            window->EndLine();
        }
        if (L == 0 && !(display & (ntabCumulative | ntabRestCumulative)))
            WriteRule(window, R, columns, columnWidth);

        window->Right(R);
        window->WriteString(StatText(totalText, ntabTextGroup));
        for (int j = 0; j < columns; ++j) {
            Blanks(window, 2);
            // Every figure's total is its column's sum; a cumulative
            // column ends at its running total (the sum of the column
            // percentages), and its complement at 100 minus that. A column
            // without cases has no totals but its count.
            const size_t jj = static_cast<size_t>(j);
            const bool hasCases = countSums[jj] > 0;
            // A column whose weights summed past the largest double has
            // marks for percentages, and so has their total.
            const bool columnFinite = !IsNotComputed(columnPercentSums[jj]);
            for (unsigned long bit : figureBits) {
                if (!(display & bit))
                    continue;
                window->Right(cellWidth);
                window->SetDecimals(bit == ntabCounts ? countDecimals : decimals);
                if (bit == ntabCounts)
                    WriteCount(window, countSums[jj]);
                else if (!hasCases)
                    window->WriteString("");
                else if (bit == ntabPercent)
                    WritePercent(window, percentsPass100 || !columnFinite ? columnPercentSums[jj] : 100.0);
                else if (bit == ntabTotalPercent)
                    WritePercent(window, percentSums[jj]);
                else if (bit == ntabCumulative)
                    WritePercent(window, percentsPass100 || !columnFinite ? running[jj] : 100.0);
                else
                    WritePercent(window, percentsPass100 || !columnFinite ? 100.0 - running[jj] : 0.0);
            }
        }
        window->EndLine();
        // The last block under a category of the second layer (every block
        // when there is no third layer) closes with a rule.
        const bool closesBlock =
            L > 0 && (L < 3 || index[static_cast<size_t>(T + 2)] == categoryCounts[static_cast<size_t>(T + 2)] - 1);
        if (closesBlock) {
            WriteRule(window, R, columns, columnWidth);
            window->EndLine();
        }
    } while (Advance(index, categoryCounts, T, T + L));

    window->Plain();
    window->EndLine();
    if (markWritten)
        for (const std::string &line : MarkReasonLines(WeightReasons(caseCount, 1), notComputedMark)) {
            window->WriteString(line.c_str());
            window->EndLine();
        }
    window->WriteString(GetReportHeader(caseCount));
}
