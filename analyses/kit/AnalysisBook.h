// AnalysisBook: what every analysis's workbook does while it builds its pages,
// so that a new analysis writes only its pages:
//   - ListChoice: one list of the variable-list window (lists 0-4) with a
//     value list per variable, the variables with too many categories offered
//     for grouping (the auto-recode offer) and, per variable, its values and
//     labels grouped as chosen;
//   - Build: the one entry of every book, from the record's variable-list
//     word; RunBook builds and shows a book as every record's Run does;
//   - TakeLists: the start of every build, the lists and the data set;
//   - AddPairPages: one page a pair of variables of two lists;
//   - AddGraphTools: the workbook's graph tools from a table, each record
//     with its settings loaded;
//   - PageCaption: "v<number>", "v<number>, v<number>" or with another
//     joint, "v<number> x v<number>"; ListCaption: "v<a>, v<b>, ...", cut
//     with ".." past captionLength;
//   - AnalysisPage: a page over its computation whose graph windows come
//     from a kind-to-graph table.
//
// The auto-recode offer is installed once (RegisterAnalyses installs the
// grouping dialog; a test installs its own); without one nothing is grouped.
//
// Ownership: as every workbook, the book owns its record, graph records and
// pages; a ListChoice owns its selection and the value lists still in it.
#pragma once

#include "shell/GraphOption.h"
#include "shell/Page.h"
#include "shell/WorkBook.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class BUFFERTYPE;
class DATASET;
class KATLABS;
struct VarSelection;

// One tool of a workbook's tool bar: its text, its bitmap and the graph
// option record it draws with (made by the book, settings loaded by
// AddGraphTools).
struct GraphToolRow
{
    int text;
    int group;
    const char *bitmapName;
};

class AnalysisBook : public WorkBook
{
public:
    // The offer: candidates and intervals are lists ended by a 0 entry, one
    // entry a variable of the list; a candidate entry is the variable's
    // number when it is offered, else -1; the offer writes the chosen number
    // of intervals into the intervals entry of each variable to group (0:
    // ungrouped). False when the user abandons the run.
    using AutoRecodeOffer = bool (*)(long *candidates, long *intervals, const char *title);
    // Installs the offer and answers the one before (null: none).
    static AutoRecodeOffer SetAutoRecodeOffer(AutoRecodeOffer offer);

    // One prompted list of the variable-list window.
    struct ListChoice
    {
        ListChoice() = default;
        ListChoice(const ListChoice &) = delete;
        ListChoice &operator=(const ListChoice &) = delete;
        ~ListChoice();

        // The list's selection; false when it is missing or empty.
        bool Take(int list);
        int Count() const;
        long Variable(int i) const;
        // Loads each variable's value list and offers those over the category
        // limit (with their labels raising it when labelsCount); false when
        // the user abandons the run.
        bool OfferGrouping(DATASET *dataSet, const char *title, bool labelsCount);
        // Variable i's values (the ones loaded for the offer the first time,
        // fresh ones after that) and labels, grouped into the chosen intervals
        // when the offer chose them; grouped tells whether they were.
        std::unique_ptr<BUFFERTYPE> TakeValues(int i, DATASET *dataSet);
        std::unique_ptr<KATLABS> Labels(int i, DATASET *dataSet, std::unique_ptr<BUFFERTYPE> &values,
                                        bool *grouped = nullptr);

        VarSelection *selection = nullptr;
        std::vector<long> candidates; // variable number when offered, else -1; ends with 0
        std::vector<long> intervals;  // intervals chosen (0: ungrouped); ends with 0
    };

    static std::string PageCaption(long variable);
    static std::string PageCaption(long first, long second, const char *joint = ", ");
    // A page's caption naming a list of variables (ended by 0 or by the
    // vector's end): the prefix, then "v<a>, v<b>"; when the names do not
    // all fit in length characters, as many whole ones as fit and ", ..".
    static constexpr size_t captionLength = 40;
    static std::string ListCaption(const std::vector<long> &variables, const std::string &prefix = "",
                                   size_t length = captionLength);

    // Builds the pages from the lists of the variable-list window. The
    // handle is the record's variable-list word: 0 when the record was not
    // started from a variable-list window, and then nothing is built. False
    // when the book has nothing to show.
    virtual bool Build(long selectionHandle) = 0;
    // What every record's Run does with its new book: builds it from the
    // handle and shows it (WorkBook::FinishRun); answers whether it built.
    static bool RunBook(AnalysisBook *book, long selectionHandle);

    // Loads each record's settings and adds its tool, in the table's order
    // (graph kind = row number). records and rows have count entries.
    void AddGraphTools(const GraphToolRow *rows, GraphOption *const *records, int count);

protected:
    using WorkBook::WorkBook;

    // The start of every build: takes list i of the window into lists[i].
    // False without a selection handle or when a list is missing or empty;
    // with dataSet given, also without a current data set, else *dataSet
    // is it.
    static bool TakeLists(long selectionHandle, std::initializer_list<ListChoice *> lists, DATASET **dataSet = nullptr);

    // Adds one page for every pair of a variable of outer and one of inner,
    // outer outermost: makePage(first, second) makes the page.
    template <class MakePage> void AddPairPages(const ListChoice &outer, const ListChoice &inner, MakePage makePage)
    {
        for (int a = 0; a < outer.Count(); ++a)
            for (int b = 0; b < inner.Count(); ++b)
                AddPage(makePage(outer.Variable(a), inner.Variable(b)));
    }
};

// A page of an analysis: its text over its computation (of class Held), and
// its graph windows made by the table's row of their kind (the graph tool's
// number); a kind without a row, or a page without its computation, makes
// none. The table is static data.
template <class Held> class AnalysisPage : public Page
{
public:
    using GraphMaker = ZafWindow *(*)(Held *computation);

    AnalysisPage(const char *caption, const GraphMaker *graphs = nullptr, int graphCount = 0)
        : Page(caption), graphs(graphs), graphCount(graphCount)
    {}

    Held *Computed() const { return dynamic_cast<Held *>(Computation()); }

    ZafWindow *CreateGraphWindow(int kind, StatOption *) override
    {
        Held *held = Computed();
        return held && kind >= 0 && kind < graphCount ? graphs[kind](held) : nullptr;
    }

private:
    const GraphMaker *graphs;
    int graphCount;
};
