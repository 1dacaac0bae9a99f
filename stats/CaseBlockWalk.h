// CaseBlockWalk: the block form of CaseWalk, for computations whose inner
// loops run over plain arrays. Each NextBlock gives up to BlockCases()
// consecutive cases of the data set: the weight of each (0 for a case that
// does not count: outside the selection in force, or a weight that is
// zero, negative or missing), and per variable its stored bytes or its
// values as doubles (kMissingValue for a system- or user-missing value,
// told by IsMissingValue: every finite value up to the largest double is
// a value).
// The values come from the value lists' windows, which page within the
// buffer budget as before, so no column is held beyond them; the lists the
// walk makes itself, the weight variables' among them, have small windows
// (1 MiB), read a piece at a time, so that each piece is decoded while it
// is in the cache. The weight of a case is the product of its weight
// variables' values, formed a block at a time.
//
// With reportExcluded, the cases in the selection left out for their
// weight are counted and handed to the computation object at the end of
// the walk (StatClass::NoteExcludedWeightCases), as CaseWalk does.
//
// Ownership: lists made from variable numbers are the walk's; lists given
// are the caller's (the walk moves their cursors from case 1). The
// computation object must outlive the walk. Cases count from 0.
#ifndef STATS_CASEBLOCKWALK_H
#define STATS_CASEBLOCKWALK_H

#include <memory>
#include <string>
#include <vector>

class BUFFERTYPE;
class StatClass;

class CaseBlockWalk
{
public:
    // The variables (from 1) of the computation's data set, in this order.
    CaseBlockWalk(StatClass &computation, const long *variables, int count, bool reportExcluded = true);
    // Value lists the caller owns, each of the data set's case count.
    CaseBlockWalk(StatClass &computation, BUFFERTYPE *const *lists, int count, bool reportExcluded);
    ~CaseBlockWalk();
    CaseBlockWalk(const CaseBlockWalk &) = delete;
    CaseBlockWalk &operator=(const CaseBlockWalk &) = delete;

    // False when the weight or a variable could not be read (NextBlock then
    // gives nothing); FailedVariable names the variable (0 for the weight).
    bool Ok() const { return ok; }
    long FailedVariable() const { return failedVariable; }
    // Why the walk failed, for the user: the error of the first list that
    // has one (a value that is not a number names the file, the variable
    // and the case); "" when none has.
    std::string FailureReason() const;

    // The window of each of lists lists read together (weights included)
    // that a walk, or its caller, opens: 1 MiB for one or two; the windows
    // of more share 2 MiB (64 KiB each at least); less under a small
    // budget. Counts over many variables so hold the same memory whatever
    // the number of cases.
    static size_t WindowBytes(int lists = 1);

    // Steps to the next block of cases; false past the last case.
    bool NextBlock();
    long Size() const { return size; }
    long BlockCases() const { return blockCases; }
    // Per case of the block: its weight, 0 when it does not count.
    const double *Weights() const { return weights.data(); }
    // The stored bytes of the i-th variable (from 0): the list's value size
    // per case.
    const unsigned char *Bytes(int i) const { return columns[i].bytes; }
    const BUFFERTYPE &List(int i) const { return *columns[i].list; }
    // The values of the i-th variable as doubles, decoded on first use in a
    // block.
    const double *Values(int i);

private:
    struct Column
    {
        BUFFERTYPE *list = nullptr;
        const unsigned char *bytes = nullptr;
        std::vector<unsigned char> copy; // a block that spans two windows
        std::vector<double> values;
        bool decoded = false;
    };
    void Start(int count);
    bool ReadColumn(Column &column, long want);
    bool ReadWeights(long want);
    // The product of the weight variables' values (1 without any), NaN
    // where a factor is missing.
    bool ReadFactors(long want);

    StatClass &computation;
    std::vector<std::unique_ptr<BUFFERTYPE>> owned;
    std::vector<Column> columns;
    // The lists of the weight variables (their product is the weight).
    std::vector<std::unique_ptr<BUFFERTYPE>> weightLists;
    std::vector<Column> weightColumns;
    std::vector<double> factors;
    std::vector<double> weights;
    long caseCount = 0;
    long blockCases = 0;
    long first = 0;
    long size = 0;
    long excluded = 0;
    bool reportExcluded;
    bool ok = true;
    bool reported = false;
    long failedVariable = 0;
};

#endif
