// ListBook: the workbook of the case list: one page (TablePage) whose text
// pane is the case table (ListOutput). The book's title is "Case list"
// (text 58 of group 1); it shows the "bt_casedoc" button while the table
// exists.
//
// Printing the page asks where to write the rows (printer, text file or
// clipboard) in the list's own dialog (ListOutput::WriteList): the page
// prints to its own destinations, so the book's print button works without
// a printer.
//
// Ownership: the book owns its record (taken from the variable-list
// window) and its page; it keeps the data set it lists (not owned).
#pragma once

#include "shell/Page.h"
#include "shell/WorkBook.h"

class DATASET;
class ListOption;
class ListOutput;
struct VarSelection;

class TablePage : public Page
{
public:
    TablePage() : Page("") {}
    // Writes the chosen rows where the user asks (the printer may be null).
    int PrintToOwnDestinations(QivPrinter *printer) override;
};

class ListBook : public WorkBook
{
public:
    static constexpr int titleTextNumber = 58;
    static constexpr int titleTextGroup = 1;

    // Lists the variables of the selection (in its order); sortKeys, when
    // given, is a zero-terminated array of variable numbers to sort by.
    ListBook(DATASET *dataSet, ListOption *record, const VarSelection *selection, const int *sortKeys = nullptr);

    ListOption *Record() const { return record; }
    DATASET *DataSet() const { return dataSet; }
    ListOutput *Output() const { return output; }
    // False when a variable could not be read.
    bool Built() const { return built; }
    // Keeps the case-documentation button shown.
    void ShowCaseDocButton();

private:
    ListOption *record;
    DATASET *dataSet;
    ListOutput *output = nullptr; // the page's text pane
    bool built = true;
};
