// The case table of the case list: ListOutput (the text pane of the case
// list's page) holds a ListTable whose rows are filled only when shown, one
// row per case in force, one column per listed variable. Each cell is read
// straight from the variable's file (ReadCaseValue), so a data set of any
// size is listed without loading it.
//
// Case order: record r (from 0) shows the r-th case of the case map when a
// case selection is in force, else of the record's sort order, else case r.
// Case numbers count from 0 everywhere here; the row numbers shown and
// written count from 1.
//
// Sorting: a click on a column header sorts by that variable, then by the
// variable clicked before it; a second click on the same header reverses
// the order but keeps the cases whose value of the clicked variable is
// missing at the end.
//
// Printing: WriteList asks for the variables, destination (printer, text
// file, clipboard), separator, range of rows, titles and line numbers, and
// writes the chosen rows as lines (FormatLine). Lines separated by blanks
// give each variable one column, a blank and then as wide as its widest
// cell over all cases, its print width, its longest shown label and its
// title: the title line heads the columns, and no two cells run together.
// A column has one alignment in the grid and in the lines, its title's too:
// right, as numbers stand, with the labels of its codes; left only in a
// column that shows labels alone.
//
// Ownership: the table is a child of the output window; the case map
// belongs to the table; the sort order, keys and direction to the record.
#pragma once

#include "shell/OutputWindow.h"
#include "zaf/controls/ZafTable.h"
#include "zaf/controls/ZafTableHeader.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class ListBook;
class ListOption;
class OneListVariable;
class QivPrinter;
class TMPLISTETYPE;
class ZafDialogWindow;
struct CaseValue;

class ListTable : public ZafTable
{
public:
    explicit ListTable(ListBook *book);
    ~ListTable() override;

    // Rows of the table: the cases in force.
    long RecordCount() const { return LastRecord() + 1; }
    // The case (from 0) that record r (from 0) shows; -1 outside.
    long CaseOfRecord(long r) const;
    // Sorts by the record's keys when it is sorted, then builds the case map.
    void Resort();
    // Reverses the order, the cases missing in the first sort key last.
    void ReverseOrder();
    // Sorting after a click on the header of listed variable k.
    void HeaderClicked(int k);

    // The table's record exchange: fills the cells of the current record
    // and its row-header field.
    int LoadRecord(ZafTableRecord *record, ZafWindowObject *rowField) override { return FillRecord(record, rowField); }
    int FillRecord(ZafTableRecord *record, ZafWindowObject *rowField);

private:
    void BuildCaseMap();
    ListBook *book;
    TMPLISTETYPE *caseMap = nullptr; // owned; the selected cases in order, or null
};

// The column header: a click sorts the table.
class TableHeader : public ZafTableHeader
{
public:
    TableHeader() : ZafTableHeader(100, 20, typeColumn) {}
    ZafEventType Event(const ZafEventRecord &event) override;
};

class ListOutput : public OutputWindow
{
public:
    enum Destination : int { cancelled = 0, toPrinter = 1, toTextFile = 2, toClipboard = 3 };
    static constexpr int widestTitle = 50;
    // The widest heading a column of the grid widens to.
    static constexpr int widestGridHeading = 30;

    explicit ListOutput(ListBook *book);

    void WriteResult() override;
    // The rows as Print with the output dialog's present choices prints
    // them (titles, line numbers, separator, range), as a result text the
    // print preview shows (made again on each call, owned here).
    TXTWIN *ResultText() override;
    // Writes the same lines to a file (columns in blanks or in tabs).
    bool SaveResult(const char *fileName, bool tabs) override;
    // The table fills the window, whatever size the page gives it.
    void LayoutChildren() override;
    // Asks for the output options and writes the rows there; lines written
    // (0 when cancelled or nothing could be written).
    int WriteList(QivPrinter *printer);
    // The output dialog: false when cancelled or an entry is refused (the
    // user is told why).
    bool AskOutputOptions();
    // Row 0: the title line; row n: the line of record n (from 1).
    std::string FormatLine(long row, bool tabSeparated) const;
    // The text of a cell of variable `variable` (width w; see FormatLine).
    static std::string CellText(const OneListVariable &variable, const CaseValue &value, int width);
    // The grid field's justification of a variable's column: the alignment
    // the written lines give it (OneListVariable::AlignsRight).
    static int Justification(const OneListVariable &variable);

    ListTable *Table() const { return table; }
    ListBook *Book() const { return book; }

    // Where tests stand in for the user: the dialog is handed to the hook
    // instead of being run, and the hook answers how it ended; a file name
    // is asked from the source (null: the save-file dialog; the answer is a
    // new[] text or null).
    using DialogHook = ZafEventType (*)(ZafDialogWindow *dialog);
    using FileNameSource = char *(*)();
    static DialogHook SetDialogHook(DialogHook hook);
    static FileNameSource SetFileNameSource(FileNameSource source);
    // The refusals of the output dialog's entries.
    static constexpr const char *badTitleWidthText = "The width of the column titles must be a number from 1 to 50.";
    static constexpr const char *badRangeText = "The first and last rows must be numbers from 1 to the number of rows.";
    static constexpr const char *noPrinterText = "No printer is set up: the case list cannot be printed. A printer "
                                                 "set up since Mervalo started is found when it is started again.";

    int destination = cancelled;
    // The destination last chosen in the dialog, which it opens with again
    // (destination itself is cancelled again while the dialog is up).
    int chosenDestination = toPrinter;
    bool tabSeparated = false;
    long firstRow = 1, lastRow = 0;
    bool titles = true;
    bool lineNumbers = true;
    int titleWidth = widestTitle;

private:
    // The width of a variable's cells without their leading blank (widest
    // cell, print width, longest label), and the same for the variable of
    // the record's list at `index`, computed once per label setting.
    int ContentWidth(const OneListVariable &variable) const;
    int ColumnWidth(int index) const;
    // The rows the output dialog chose, as the result text that prints them.
    std::unique_ptr<TXTWIN> ChosenText() const;
    int WriteToPrinter(QivPrinter *printer);
    int WriteToTextFile();
    int WriteToClipboard();
    // The title line and every row, as SaveResult writes them.
    std::vector<std::string> WholeList(bool tabs);
    ListBook *book;
    std::unique_ptr<TXTWIN> wholeText; // made by ResultText
    ListTable *table = nullptr;
    mutable std::vector<std::pair<bool, int>> contentWidths; // per listed variable: labels shown, width
};

// The "printall" / "printsome" user function: the row range entries are
// shown and enabled only while "printsome" is chosen.
ZafEventType PrintRangeToggled(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
