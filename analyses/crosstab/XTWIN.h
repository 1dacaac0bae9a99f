// XTWIN: the text of one crosstab page: a heading naming the two variables,
// one table for each table type of the workbook's record (counts, column,
// row and total percentages, expected counts, deviations, standardized
// deviations, always in that order), then the test and measures chosen
// there, then the report footer. It is written from scratch at every
// update, so a change of options shows at once.
//
// Layout: the columns are the categories of the first variable (list 1),
// the rows those of the second (list 0); a cell is two wider than the
// widest figure of the tables shown and than the longest column label up to
// widestHeadingCell, at least 6; a longer label is wrapped at blanks on up
// to headingLines lines in its cell less two blanks, its last line ending
// in ".." when it still does not fit. The row labels take the stub, as wide
// as the longest of them and the totals line's heading. A category without
// a label is headed by its value, so that no column or row goes unnamed.
// Percentages print with the setting "DecimalsPct"; counts print as
// integers, or, when the table is weighted, like expected counts and
// deviations with 2 decimals, or with the percentages' decimals in a
// percentage table and in every table after one.
// A figure that cannot be given (a percentage of a zero total, an expected
// count of an empty table) prints as "**", as a missing probability does; a
// missing measure prints nothing after its " = ". A table that could not
// be counted (too many cells, no memory) is replaced by the reason. The
// footer reports the table's grand total, whether or not a table is shown.
//
// Ownership: the page owns the window and the computation; the window only
// points to the computation and to its workbook (for the record).
#pragma once

#include "shell/TXTWIN.h"

#include <cstdint>
#include <string>

class WorkBook;
class XTABOBJECT;
class XtabOption;

class XTWIN : public TXTWIN
{
public:
    // The mark of a figure that cannot be given.
    static constexpr const char *missingMark = "**";
    static constexpr int minimumCellWidth = 6;
    static constexpr int widestHeadingCell = 16, headingLines = 3;
    // The most table cells (rows x columns x tables) a page shows: about
    // 3 MB of text, which a text window lays out in about a second.
    static constexpr long long mostShownCells = 400000;
    // The heading of the line of counts under a percentage table.
    static constexpr const char *nLabel = "N=";

    XTWIN(WorkBook *book, XTABOBJECT *computation, int toFile = 0, int reserved = 0);

    // Writes the whole text and shows it.
    void WriteResult() override;
    // Writes one table (a single XtabTableType bit) and answers its grand
    // total.
    double WriteTable(std::uint16_t type);

    std::uint32_t longestColumnLabel = 0;
    std::uint32_t longestRowLabel = 0; // the stub width

private:
    std::string ColumnLabel(int column) const;
    std::string RowLabel(int row) const;
    void WriteHeadingLine(std::uint16_t type, int ruleLength);
    void WriteCell(std::uint16_t type, int row, int column);
    void WriteRowEnd(std::uint16_t type, int row);
    void WriteTotalsLine(std::uint16_t type);
    // The width of every numeric cell of the tables of the type mask, for
    // the current decimals.
    int CellWidth(std::uint16_t types) const;
    // The width of the row labels' column.
    int StubWidth() const;
    void WriteCount(double count);
    void WritePercent(double part, double whole);
    void WriteFigure(double value, int decimals);
    void WriteMeasures(std::uint16_t measureMask);

    WorkBook *book;          // not owned
    XTABOBJECT *computation; // not owned: the page deletes it
    int percentDecimals = 1; // "DecimalsPct", read at each write
    // Of weighted counts, expected counts and deviations: 2, or the
    // percentages' in and after a percentage table.
    int tableDecimals = 2;
};
