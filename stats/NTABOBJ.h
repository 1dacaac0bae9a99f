// NTABOBJ: the n-way table of one dependent variable (kind 1) or one
// multiple-response set (kind 3, category coding: the codes of all member
// variables count together) against up to three control variables.
// Dimensions: the control variables in list order, then the dependent (or
// the set). The cells form a tree with one level per dimension, each keyed
// by that dimension's category values; only combinations that occur have a
// cell.
//
// A cell holds its (weighted) count and three percentages: first, of its
// column (the cases of its combination of control categories; for a set,
// of the cases or of the answers of that combination, by the percentage
// base flag); second, of the whole table on the same base; third, the
// cumulative first percentage over the dependent's categories in order.
// Cases outside the selection, with a missing weight or a missing value in
// any control variable (or, kind 1, in the dependent; kind 3, without any
// valid answer) count nowhere. The footer's case count is the weighted
// number of counted cases.
//
// Ownership: the object owns its dimensions and the cell tree, which stay
// charged to the memory budget while it lives. A table that does not fit
// the budget, or whose categories would make more than kMaxCells cells,
// is left empty: the compute operation returns false and
// GetFailureText() says why.
#ifndef STATS_NTABOBJ_H
#define STATS_NTABOBJ_H

#include <memory>
#include <string>
#include <vector>

#include "dataset/MemoryBudget.h"
#include "stats/StatClass.h"

struct NtabCategory
{
    double value;
    std::string label; // the category label, else the value printed
};

struct NtabDimension
{
    long variable = 0;
    std::string label; // the variable's caption
    std::vector<NtabCategory> categories;
    int CategoryCount() const { return static_cast<int>(categories.size()); }
};

struct NtabCell
{
    double percents[3] = {0, 0, 0};
    double count = 0.0;
};

struct NtabLevel;
class CellCounter;

struct NtabNode
{
    double key = 0.0;
    NtabCell cell;                   // used at the last level
    std::unique_ptr<NtabLevel> next; // the level of the next dimension
};

struct NtabLevel
{
    enum { kInteger = 4, kDouble = 8, kText = 16 };
    int keyKind = kDouble;
    std::vector<NtabNode> nodes; // ascending keys
    NtabNode *Find(double key);
    NtabNode &FindOrAdd(double key);
};

class NTABOBJ : public StatClass
{
public:
    // The largest number of cells (the product of the dimensions'
    // categories) a table can number, as for a crosstab.
    static constexpr long long kMaxCells = 0x7fffffffLL;

    explicit NTABOBJ(DATASET *dataSet = nullptr);
    ~NTABOBJ() override;

    // Kind 1: dependent variable by the control variables (zero-terminated).
    bool ComputeForVariable(long dependent, const long *controls, int option);
    // Kind 3: the multiple-response set (zero-terminated) by the controls.
    bool ComputeForTwoLists(const long *set, const long *controls, int option);
    // Recomputes with the current percentage base flag (kind 3 only).
    bool Recompute();
    bool CanRecompute() const { return tableKind == 3; }

    // The cell of one category value per dimension (in dimension order), or
    // null when that combination has no case.
    const NtabCell *FindCell(const double *keys) const;

    int tableKind = 0;
    std::vector<NtabDimension> dimensions;
    std::vector<long> setMembers;
    std::vector<std::string> setLabels;
    NtabLevel root;
    double caseCount = 0.0;
    int percentageBase = 1; // 1 cases, 0 observations
    int lastPercentageBase = 1;

private:
    // Sets the failure text of cases that cannot be read, with the reason.
    void UnreadableCases(const class CaseBlockWalk &cases);
    bool Compute();
    bool CountCells();
    // The tree of the cells with a count and their percentages; ranks[d]
    // gives the place in value order of dimension d's category numbers,
    // ordered[d] its values in that order.
    void BuildTree(const CellCounter &cells, const CellCounter &columnBases,
                   const std::vector<std::vector<long>> &ranks, const std::vector<std::vector<double>> &ordered,
                   double tableBase);
    MemoryCharge charge; // the cell tree, categories and bases
    std::vector<long> controls_;
    long dependent_ = 0;
};

#endif
