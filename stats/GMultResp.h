// Multiple response: a list of variables counted as one question.
// GMultRespFreq counts category coding (every variable holds one answer
// code; the codes of all variables are counted together), GMultRespDiko
// counts dichotomies (every variable is one answer, given when its value
// lies in one of the counted ranges). Both count at construction into an
// owned FREQOBJ and recount on Recompute in four steps: prepare, count,
// tabulate, finish; a new percentage base needs the finishing step only
// (FinishPercentages).
//
// Counting rules:
//   - Weights are frequency weights; a case outside the selection or with a
//     missing weight counts nowhere.
//   - Category coding: each valid value of each variable is one answer
//     (user-missing codes are answers only while includeUserMissing is set);
//     with the pairwise flag 0 (listwise) a case with a missing value in any
//     variable is left out.
//   - Dichotomies: user-missing values are read as values (so a range may
//     count them) while includeUserMissing is set, else they are missing;
//     with missing mode 0 (listwise) a case with a missing value in any
//     variable is left out; with mode 1 only that variable's value is.
//   - The case count is the (weighted) number of counted cases with at least
//     one answer.
//   - Percentages (the records' validPercent field, -1.0 when the base is
//     0): base 0 of the case count, base 1 of all answers, base 2
//     (dichotomies) of the cases valid in that variable.
//
// Counting walks the value lists and the weights once, a block of cases at
// a time. When
// the codes do not fit the memory budget or a list cannot be read, the
// result has no records, status says which and GetFailureText() why.
#ifndef STATS_GMULTRESP_H
#define STATS_GMULTRESP_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dataset/MemoryBudget.h"
#include "stats/CategoryCoder.h"
#include "stats/FREQOBJ.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"

class BUFFERTYPE;
class CaseBlockWalk;
class WorkBook;

class GMultResp : public StatClass
{
public:
    enum Status {
        kMultCounted = 0,   // the records are complete
        kMultNoMemory = 1,  // the codes did not fit the memory budget
        kMultUnreadable = 2 // a value list or the weights could not be read
    };
    ~GMultResp() override;
    // Recounts everything for the current base, flags and ranges.
    void Recompute();
    // Redoes the percentages for the current base.
    void FinishPercentages();

    const FREQOBJ *Result() const { return result; }
    FREQOBJ *Result() { return result; }

    std::vector<long> variables;            // zero-terminated
    std::vector<std::string> variableTexts; // captions, one per variable
    int percentageBase;
    bool includeUserMissing = false;
    unsigned long displayWord = 0;
    long columnWidth = 15;
    WorkBook *workbook = nullptr; // not owned
    double caseCount = 0.0;
    long categoryCount = 0;
    int status = kMultCounted;

protected:
    GMultResp(const long *variableList, int base, DATASET *dataSet);
    virtual void Prepare();
    // Walks the cases: StartCount, then CountBlock for every block of
    // cases (the walk's lists are the variables in order; a case of weight
    // 0 counts nowhere). False when a list cannot be read.
    bool Count();
    virtual void StartCount() = 0;
    virtual void CountBlock(CaseBlockWalk &walk) = 0;
    virtual void Tabulate() = 0;

    // The first variable's name, for messages.
    std::string FirstName() const;

    FREQOBJ *result = nullptr; // owned
    MemoryCharge charge;       // the codes while counting
    // Per record: the count base of base 2 (cases valid in the variable).
    std::vector<double> recordBase;
    double answerTotal = 0.0;

    // 0, or -kScaledCounts while the weights are counted scaled by
    // 2^countScale (their sum passing the largest double); the totals
    // above are then held at that scale, and caseCount and the
    // frequencies scaled back once tabulated.
    static constexpr int kScaledCounts = 64;
    int countScale = 0;
    // The weights of a block as they are counted.
    const double *HeldWeights(const double *weights, long n);

private:
    // Keeps the scaled frequencies and number of cases for the percentages
    // and scales the shown ones back.
    void UnscaleCounts();
    std::vector<double> heldWeights;
    std::vector<double> scaledFrequencies;
    double scaledCases = 0.0;
};

class GMultRespFreq : public GMultResp
{
public:
    GMultRespFreq(const long *variableList, int base, int pairwise, int, int, DATASET *dataSet = nullptr);
    ~GMultRespFreq() override;
    int pairwise;

protected:
    void StartCount() override;
    void CountBlock(CaseBlockWalk &walk) override;
    void Tabulate() override;

private:
    // The codes of all variables numbered together as they are met (made
    // on the first block; charged to the count's memory).
    std::unique_ptr<CategoryIndex> met;
    std::vector<std::unique_ptr<CategoryCoder>> coders;
    std::vector<double> counts;  // per code number
    std::vector<long> rawCounts; // per code number
    // Per block: each variable's code numbers and which cases count.
    std::vector<std::vector<uint32_t>> blockCodes;
    std::vector<const uint32_t *> codeRows; // per member, its block of codes
    std::vector<unsigned char> counted, any;
};

class GMultRespDiko : public GMultResp
{
public:
    GMultRespDiko(const long *variableList, int base, int missingMode, const ValueRangeList &ranges,
                  DATASET *dataSet = nullptr);
    int missingMode; // 1 per variable, 0 listwise
    ValueRangeList ranges;

    // The state of a value: not yet known, missing, no answer, an answer.
    enum : unsigned char { kUnknownValue, kMissingValue, kNoAnswer, kAnswer };

protected:
    void StartCount() override;
    void CountBlock(CaseBlockWalk &walk) override;
    void Tabulate() override;

private:
    bool InRanges(double x) const;
    // The states of one variable's values in a block.
    void StatesOf(const BUFFERTYPE &list, const unsigned char *bytes, long n, size_t variable, unsigned char *state);

    // Per variable of 1 or 2 bytes: the state of each stored value once
    // known; for the others, whole values from kSmallestDirect on.
    std::vector<std::vector<unsigned char>> storedStates;
    static constexpr long kSmallestDirect = -32768;
    static constexpr size_t kDirectValues = 98304;
    std::vector<unsigned char> direct;
    std::vector<double> values;        // a block of one variable
    std::vector<unsigned char> states; // per block, variable after variable
    std::vector<unsigned char> counted, given;
    // The counts of a block when every case that counts weighs 1.
    void CountWholeCases(const double *weights, long n);
    std::vector<double> answers;
    std::vector<long> rawAnswers;
};

#endif
