// The computation objects of the tests of two variables on the same cases:
// GTtestPar (paired t-test with the pair correlation), SignTest, Wilcoxon
// and McNemar. Each reads the pairs valid in both variables (selection and
// weight of its data set applied) and computes at construction; formulas
// are in PairedTestKernel.h. Missing statistics hold kFloatMissing.
// Variable numbers count from 1. Whoever creates an object deletes it; it
// points to its data set (see StatClass) and owns its results.
#ifndef STATS_PAIREDTESTS_H
#define STATS_PAIREDTESTS_H

#include <string>
#include <vector>

#include "stats/PairedTestKernel.h"
#include "stats/StatClass.h"

// Base of the four: the two variables, their names and texts, the pairs.
class PairedComputation : public StatClass {
public:
    long firstVariable, secondVariable;
    std::string firstName, secondName, firstText, secondText;

protected:
    PairedComputation(long first, long second, DATASET *dataSet);
    // False when a variable cannot be read.
    bool ReadPairs(std::vector<WeightedPair> &pairs);
};

class GTtestPar : public PairedComputation {
public:
    enum { kErrorNumber = 100 };     // reported with text 0 of group 37
    GTtestPar(long first, long second, int flag, DATASET *dataSet = nullptr);

    double OneSidedPValue() const { return result.pairs < 2 ? 1.0 : result.oneSidedP; }
    double TwoSidedPValue() const { return result.pairs < 2 ? 1.0 : result.twoSidedP; }
    // Two-sided when asked with true; 1.0 when n < 3.
    double CorrelationPValue(bool twoSided) const;

    long n = 0;                  // valid pairs (unweighted)
    double weightedSum = 0.0;
    double mean[2], standardDeviation[2], standardError[2];
    double meanDifference, t, r, tOfR;
    // Set when the differences have no variance (below 1e-15): t cannot be
    // computed. The mended test: the variables' own variances decide only r.
    bool error = false;
    PairedTResult result;
};

class SignTest : public PairedComputation {
public:
    SignTest(long first, long second, DATASET *dataSet = nullptr);
    int status = 0;              // 0 computed, 1 no pair with a difference
    double larger = 0.0, smaller = 0.0;
    double cases = 0.0;          // valid pairs, weighted
    bool exact = false;
    double exactP, z, zP;
};

class Wilcoxon : public PairedComputation {
public:
    Wilcoxon(long first, long second, DATASET *dataSet = nullptr);
    int status = 0;              // 0 computed, 4 no difference other than 0
    double pairs = 0.0;
    double zeroDifferences = 0.0;    // the further count: pairs without difference
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

class McNemar : public PairedComputation {
public:
    McNemar(long first, long second, DATASET *dataSet = nullptr);
    // 0 computed; 1 the first, 2 the second variable is not a dichotomy;
    // 4 no valid pair.
    int status = 0;
    double counts[4] = {0, 0, 0, 0};     // rows: first variable, smaller value first
    std::string rowLabels[2], columnLabels[2];
    int countDecimals = 0;
    bool exact = false;
    double exactP, chiSquare, chiSquareP;
};

#endif
