#include "analyses/crosstab/XTWIN.h"

#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/kit/ColumnHeading.h"
#include "dataset/ProgramSettings.h"
#include "shell/WorkBook.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int countDecimals = 2;   // weighted counts; expected counts and deviations first
constexpr int measureDecimals = 3; // chi-square and the measures
constexpr int probabilityDecimals = 4;
constexpr int totalText = 1;

// The title text of each table type, in printing order.
struct TableTitle
{
    std::uint16_t type;
    int text;
};
constexpr TableTitle tableTitles[] = {
    {xtabCounts, 21},
    {xtabColumnPercent, 22},
    {xtabRowPercent, 23},
    {xtabTotalPercent, 24},
    {xtabExpected, 25},
    {xtabDeviation, 26},
    {xtabStandardizedDeviation, 27},
};

bool IsPercentType(std::uint16_t type)
{
    return type == xtabColumnPercent || type == xtabRowPercent || type == xtabTotalPercent;
}

std::string Shown(const XtabCategory &category)
{
    return category.label.empty() ? FormatNumberText(category.value) : category.label;
}

} // namespace

XTWIN::XTWIN(WorkBook *book, XTABOBJECT *computation, int toFile, int reserved)
    : TXTWIN(nullptr, toFile, reserved), book(book), computation(computation)
{
    if (!computation)
        return;
    for (int j = 0; j < computation->ColumnCount(); ++j)
        longestColumnLabel = std::max(longestColumnLabel, static_cast<std::uint32_t>(ColumnLabel(j).size()));
    for (int i = 0; i < computation->RowCount(); ++i)
        longestRowLabel = std::max(longestRowLabel, static_cast<std::uint32_t>(RowLabel(i).size()));
    SetColumnWidth(std::max(static_cast<int>(longestColumnLabel) + 1, minimumCellWidth));
}

std::string XTWIN::ColumnLabel(int column) const
{
    return Shown(computation->columns[column]);
}

std::string XTWIN::RowLabel(int row) const
{
    return Shown(computation->rows[row]);
}

namespace {

// 12345678 as "12,345,678".
std::string Thousands(long long n)
{
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > (n < 0 ? 1 : 0); at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

} // namespace

void XTWIN::WriteResult()
{
    Clear();
    if (!computation) {
        ShowText();
        return;
    }
    // More decimals than a double holds would only print noise.
    percentDecimals = std::min(std::max(ProgramSettings::Instance()->DecimalsPct(), 0), DBL_DIG);
    auto *record = book ? dynamic_cast<XtabOption *>(book->Option()) : nullptr;
    const std::uint16_t measures = record ? record->measureMask : XtabOption::defaultMeasureMask;
    const std::uint16_t types = record ? record->tableTypeMask : XtabOption::defaultTableTypeMask;
    // Tables of more cells than a text window lays out at once are refused
    // with their size before a line of them is written; the measures and
    // the footer still follow.
    bool tablesShown = (measures & xtabTablesOn) != 0;
    long long shownCells = 0;
    if (tablesShown && computation->status == XTABOBJ::kXtabCounted) {
        int tables = 0;
        for (const TableTitle &table : tableTitles)
            tables += (types & table.type) ? 1 : 0;
        shownCells = static_cast<long long>(computation->RowCount()) * computation->ColumnCount() * tables;
        tablesShown = shownCells <= mostShownCells;
    }
    SetColumnWidth(CellWidth(tablesShown ? types : 0));
    Plain();
    EndLine();
    WriteString("v");
    WriteInteger(computation->firstVariable);
    WriteString(" ");
    WriteString(computation->firstText.c_str());
    EndLine();
    WriteString("v");
    WriteInteger(computation->secondVariable);
    WriteString(" ");
    WriteString(computation->secondText.c_str());
    EndLine();
    EndLine();

    if (computation->status != XTABOBJ::kXtabCounted) {
        // The table could not be counted: say why instead of empty tables,
        // and no case count under it, which would read as an empty table.
        WriteString(computation->GetFailureText());
        EndLine();
        ShowText();
        return;
    } else {
        // The tables start with 2 decimals; a percentage table sets the
        // percentages' decimals, which stay for the tables after it.
        tableDecimals = countDecimals;
        if (tablesShown) {
            for (const TableTitle &table : tableTitles)
                if (types & table.type)
                    WriteTable(table.type);
        } else if (measures & xtabTablesOn) {
            WriteString((computation->Title() + " has " + Thousands(computation->RowCount()) + " rows and " +
                         Thousands(computation->ColumnCount()) + " columns; its tables of " + Thousands(shownCells) +
                         " cells are too many to show (at most " + Thousands(mostShownCells) +
                         "). Group the values to see them.")
                            .c_str());
            EndLine();
            EndLine();
        }
        WriteMeasures(measures);
    }

    // The footer reports the table's grand total whether or not a table was
    // written, and the cases left out for their weights.
    EndLine();
    Plain();
    if (!computation->CountsRepresentable()) {
        for (const std::string &line : MarkReasonLines(kReasonWeightsTooLarge, missingMark)) {
            WriteString(line.c_str());
            EndLine();
        }
    }
    WriteString(computation->GetReportHeader(computation->Unscaled(computation->total)));
    EndLine();
    ShowText();
}

void XTWIN::WriteMeasures(std::uint16_t mask)
{
    Plain();
    struct Measure
    {
        std::uint16_t bit;
        int text;
        const double *value;
        bool ordinal;
    };
    const Measure measures[] = {
        {xtabPhi, 7, &computation->phi, false},
        {xtabCramersV, 8, &computation->cramersV, false},
        {xtabContingency, 9, &computation->contingency, false},
        {xtabTauA, 10, &computation->tauA, true},
        {xtabTauB, 11, &computation->tauB, true},
        {xtabTauC, 12, &computation->tauC, true},
        {xtabGamma, 13, &computation->gamma, true},
        {xtabSomersSymmetric, 14, &computation->somersSymmetric, true},
        {xtabSomersAsymmetric, 15, &computation->somersAsymmetric, true},
    };
    if (mask & (xtabChiSquare | xtabPhi | xtabCramersV | xtabContingency))
        computation->ComputeChiSquareTest();
    if (mask & (xtabTauA | xtabTauB | xtabTauC | xtabGamma | xtabSomersSymmetric | xtabSomersAsymmetric))
        computation->ComputeOrdinalMeasures();

    if (mask & xtabChiSquare) {
        WriteString(StatText(4, xtabTextGroup));
        WriteString(" = ");
        // The mark is set when there is no test; a chi-square of huge
        // weights may itself be larger than the mark.
        if (computation->chiSquare == kNotComputed) {
            EndLine();
            EndLine();
        } else {
            WriteFigure(computation->chiSquare, measureDecimals);
            EndLine();
            WriteString(StatText(5, xtabTextGroup));
            WriteString(" = ");
            WriteFigure(computation->probability, probabilityDecimals);
            EndLine();
            WriteString(StatText(6, xtabTextGroup));
            WriteString(" = ");
            WriteInteger(computation->degreesOfFreedom);
            EndLine();
            EndLine();
        }
    }
    for (const Measure &measure : measures) {
        if (!(mask & measure.bit))
            continue;
        WriteString(StatText(measure.text, xtabTextGroup));
        WriteString(" = ");
        if (!IsNotComputed(*measure.value)) {
            SetDecimals(measureDecimals);
            WriteReal(*measure.value);
        }
        EndLine();
        EndLine();
    }
}

double XTWIN::WriteTable(std::uint16_t type)
{
    if (!computation)
        return 0.0;
    if (type == xtabExpected || type == xtabDeviation || type == xtabStandardizedDeviation)
        computation->ComputeChiSquareTest();
    if (IsPercentType(type))
        tableDecimals = percentDecimals;
    const int n = computation->ColumnCount();
    const int w = CurrentPart();
    const int s = StubWidth();
    const int extra = type == xtabRowPercent ? w + 1 : 0;
    const int ruleLength = s + n * w + (w + 1) + extra;

    for (const TableTitle &table : tableTitles)
        if (table.type == type)
            WriteString(StatText(table.text, xtabTextGroup));
    EndLine();
    WriteHeadingLine(type, ruleLength);

    for (int i = 0; i < computation->RowCount(); ++i) {
        // A text past its limit takes no more: the rows of a table of
        // millions of cells would only be looked up to be refused.
        if (Error() == txtErrorTooLong)
            break;
        Left(s);
        WriteString(RowLabel(i).c_str());
        for (int j = 0; j < n; ++j) {
            Right(w);
            WriteCell(type, i, j);
        }
        WriteRowEnd(type, i);
        EndLine();
    }
    NewLine(ruleLength);
    WriteTotalsLine(type);
    Right(w + 1);
    WriteCount(computation->total);
    EndLine();
    NewLine(ruleLength);
    return computation->total;
}

void XTWIN::WriteHeadingLine(std::uint16_t type, int ruleLength)
{
    const int n = computation->ColumnCount();
    const int w = CurrentPart();
    const int s = StubWidth();
    SetCut(true);
    // Each label in its cell less the two blanks that part it from the
    // next, on up to headingLines lines, the lines of all ending together.
    const int textWidth = std::max(w - 2, 1);
    std::vector<std::vector<std::string>> headings;
    size_t lines = 1;
    for (int j = 0; j < n; ++j) {
        headings.push_back(WrapHeading(ColumnLabel(j), textWidth, headingLines));
        lines = std::max(lines, headings.back().size());
    }
    for (size_t line = 0; line < lines; ++line) {
        const bool last = line + 1 == lines;
        // The stub is a field of its own, an empty cell first in the tab
        // text, so that each heading stands over its column; a wrapped
        // label never needs the stub's room.
        Right(s);
        WriteString("");
        for (int j = 0; j < n; ++j) {
            const std::vector<std::string> &heading = headings[static_cast<size_t>(j)];
            const size_t blankLines = lines - heading.size();
            Right(w);
            WriteString(line < blankLines ? "" : heading[line - blankLines].c_str());
        }
        if (last) {
            Right(w + 1);
            WriteString(StatText(totalText, xtabTextGroup));
            if (type == xtabRowPercent) {
                Right(w + 1);
                WriteString(nLabel);
            }
        }
        EndLine();
    }
    NewLine(ruleLength);
}

void XTWIN::WriteCell(std::uint16_t type, int row, int column)
{
    const double cell = computation->Cell(row, column);
    switch (type) {
    case xtabCounts:
        WriteCount(cell);
        return;
    case xtabColumnPercent:
        WritePercent(cell, computation->ColumnTotal(column));
        return;
    case xtabRowPercent:
        WritePercent(cell, computation->RowTotal(row));
        return;
    case xtabTotalPercent:
        WritePercent(cell, computation->total);
        return;
    case xtabExpected:
        WriteFigure(computation->Unscaled(computation->Expected(row, column)), tableDecimals);
        return;
    case xtabDeviation:
        WriteFigure(computation->Unscaled(computation->Deviation(row, column)), tableDecimals);
        return;
    case xtabStandardizedDeviation:
        WriteFigure(computation->UnscaledRoot(computation->StandardizedDeviation(row, column)), tableDecimals);
        return;
    default:
        return;
    }
}

void XTWIN::WriteRowEnd(std::uint16_t type, int row)
{
    const int w = CurrentPart();
    const double rowTotal = computation->RowTotal(row);
    Right(w + 1);
    switch (type) {
    case xtabRowPercent:
        WritePercent(rowTotal, rowTotal);
        Right(w + 1);
        WriteCount(rowTotal);
        return;
    case xtabColumnPercent:
    case xtabTotalPercent:
        WritePercent(rowTotal, computation->total);
        return;
    default:
        WriteCount(rowTotal);
        return;
    }
}

void XTWIN::WriteTotalsLine(std::uint16_t type)
{
    const int n = computation->ColumnCount();
    const int w = CurrentPart();
    const int s = StubWidth();
    Left(s);
    WriteString(StatText(totalText, xtabTextGroup));
    for (int j = 0; j < n; ++j) {
        Right(w);
        const double columnTotal = computation->ColumnTotal(j);
        if (type == xtabColumnPercent)
            WritePercent(columnTotal, columnTotal);
        else if (IsPercentType(type))
            WritePercent(columnTotal, computation->total);
        else
            WriteCount(columnTotal);
    }
    if (!IsPercentType(type))
        return;
    Right(w + 1);
    WritePercent(computation->total, computation->total);
    if (type == xtabRowPercent)
        return; // N follows in the "N=" column
    EndLine();
    Left(s);
    WriteString(nLabel);
    for (int j = 0; j < n; ++j) {
        Right(w);
        if (type == xtabColumnPercent)
            WriteCount(computation->ColumnTotal(j));
        else
            WriteString("");
    }
}

int XTWIN::StubWidth() const
{
    // The totals line's heading and the "N=" line's stand in the stub too,
    // so that their cells stay under the columns when every row label is
    // shorter.
    const int total = static_cast<int>(std::strlen(StatText(totalText, xtabTextGroup)));
    return std::max({static_cast<int>(longestRowLabel), total, static_cast<int>(std::strlen(nLabel))});
}

int XTWIN::CellWidth(std::uint16_t types) const
{
    // At least one wider than the widest figure: the grand total (no count
    // is larger), a percentage (at most 100), and every expected count and
    // deviation of the tables that show them, so that no two figures run
    // together.
    const double total = computation->Unscaled(computation->total);
    const int weightedDecimals = std::max(countDecimals, percentDecimals);
    const int countWidth = static_cast<int>(FormatFigure(total, computation->weighted ? weightedDecimals : 0).size());
    const int percentWidth = static_cast<int>(FormatFigure(100.0, percentDecimals).size());
    // A label widens its column up to widestHeadingCell; a longer one is
    // wrapped (or cut) in the heading instead.
    const int labels = std::min(static_cast<int>(longestColumnLabel) + 2, static_cast<int>(widestHeadingCell));
    int width = std::max({labels, static_cast<int>(minimumCellWidth), countWidth + 2, percentWidth + 2,
                          static_cast<int>(std::strlen(missingMark)) + 2});
    if (types & (xtabExpected | xtabDeviation | xtabStandardizedDeviation)) {
        const int derived = weightedDecimals;
        computation->ComputeChiSquareTest();
        for (int i = 0; i < computation->RowCount(); ++i)
            for (int j = 0; j < computation->ColumnCount(); ++j) {
                const double figures[] = {computation->Expected(i, j), computation->Deviation(i, j),
                                          computation->StandardizedDeviation(i, j)};
                for (double figure : figures)
                    if (figure != kNotComputed && std::isfinite(figure))
                        width = std::max(width, static_cast<int>(FormatFigure(figure, derived).size()) + 2);
            }
    }
    return width;
}

// Counts are sums of weights, never the mark: a weighted count of 1e302 is
// a count.
void XTWIN::WriteCount(double count)
{
    count = computation->Unscaled(count);
    if (!std::isfinite(count)) {
        WriteString(missingMark);
        return;
    }
    WriteString(FormatFigure(count, computation->weighted ? tableDecimals : 0).c_str());
}

void XTWIN::WritePercent(double part, double whole)
{
    // A zero total (an empty table) has no percentages. Divided first, so
    // that a part near the largest double does not overflow.
    if (!(whole > 0.0)) {
        WriteString(missingMark);
        return;
    }
    WriteFigure(part / whole * 100.0, percentDecimals);
}

void XTWIN::WriteFigure(double value, int decimals)
{
    if (value == kNotComputed || !std::isfinite(value)) {
        WriteString(missingMark);
        return;
    }
    WriteString(FormatFigure(value, decimals).c_str());
}
