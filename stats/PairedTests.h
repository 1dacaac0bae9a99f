// The computation objects of the tests of two variables on the same cases:
// GTtestPar (paired t-test with the pair correlation), SignTest, Wilcoxon
// and McNemar. Each reads the pairs valid in both variables (selection and
// weight of its data set applied) and computes at construction; formulas
// are in PairedTestKernel.h. Missing statistics hold kNotComputed. The pairs
// are read through the value lists' cursors into the tests' accumulators;
// only the Wilcoxon test keeps a column (the differences, to rank them).
// Variable numbers count from 1. Whoever creates an object deletes it; it
// points to its data set (see StatClass) and owns its results.
#ifndef STATS_PAIREDTESTS_H
#define STATS_PAIREDTESTS_H

#include <string>
#include <vector>

#include "stats/PairedTestKernel.h"
#include "stats/StatClass.h"

// Base of the four: the two variables, their names and texts, the pairs.
class PairedComputation : public StatClass
{
public:
    long firstVariable, secondVariable;
    std::string firstName, secondName, firstText, secondText;

protected:
    PairedComputation(long first, long second, DATASET *dataSet);
    // Gives every pair valid in both variables to test.Add(x, y, weight).
    // False when a variable cannot be read.
    template <typename Test> bool ReadPairs(Test &test);
    // The same pairs in the same order a block at a time, to
    // test.AddBlock(x, y, weights, n); every weight above 0.
    template <typename Test> bool ReadPairBlocks(Test &test);

private:
    // Why the pairs cannot be read, into failureText.
    void NoteUnreadable(const std::string &reason);
};

class GTtestPar : public PairedComputation
{
public:
    enum { kErrorNumber = 100 }; // reported with text 0 of group 37
    GTtestPar(long first, long second, int flag, DATASET *dataSet = nullptr);

    // kNotComputed when the test is not computed.
    // kNotComputed when there is no test (fewer than 2 pairs, no spread of
    // the differences) rather than 1.0, which would read as a test that
    // found no difference at all.
    double OneSidedPValue() const { return result.oneSidedP; }
    double TwoSidedPValue() const { return result.twoSidedP; }
    // Two-sided when asked with true; kNotComputed without r (n < 3), for
    // the same reason.
    double CorrelationPValue(bool twoSided) const;

    long n = 0; // valid pairs (unweighted)
    double weightedSum = 0.0;
    double mean[2], standardDeviation[2], standardError[2];
    double meanDifference, t, r, tOfR;
    // Set when the differences have no variance (their spread is rounding
    // noise beside the size of the values): t cannot be computed. The
    // variables' own variances decide only r.
    bool error = false;
    PairedTResult result;
};

class SignTest : public PairedComputation
{
public:
    SignTest(long first, long second, DATASET *dataSet = nullptr);
    int status = 0; // 0 computed, 1 no pair with a difference
    double larger = 0.0, smaller = 0.0;
    double cases = 0.0; // valid pairs, weighted
    bool exact = false;
    double exactP, z, zP;
};

class Wilcoxon : public PairedComputation
{
public:
    Wilcoxon(long first, long second, DATASET *dataSet = nullptr);
    int status = 0; // 0 computed, 4 no difference other than 0
    double pairs = 0.0;
    double zeroDifferences = 0.0; // the further count: pairs without difference
    // Differences first minus second: the first sign is negative.
    double negative = 0.0, positive = 0.0;
    double negativeMeanRank, positiveMeanRank;
    double negativeRankSum = 0.0, positiveRankSum = 0.0;
    bool normal = false;
    double z, zP;
    double exactOneSidedP, exactTwoSidedP;
    // 5 % one-sided, 5 % two-sided, 1 % one-sided, 1 % two-sided.
    bool decisions[4] = {false, false, false, false};
    bool suppressFooter = false;
};

class McNemar : public PairedComputation
{
public:
    McNemar(long first, long second, DATASET *dataSet = nullptr);
    // 0 computed; 1 the first, 2 the second variable is not a dichotomy;
    // 4 no valid pair.
    int status = 0;
    double counts[4] = {0, 0, 0, 0}; // rows: first variable, smaller value first
    std::string rowLabels[2], columnLabels[2];
    int countDecimals = 0;
    bool exact = false;
    double exactP, chiSquare, chiSquareP;
};

#endif
