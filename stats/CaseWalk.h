// CaseWalk: one forward walk over the cases of a computation object's data
// set, giving each case that counts (in the selection, with a weight above
// 0) with its weight and the values of a few variables. The values come
// through the value lists' cursors, each with a small window (as a block
// walk's), so a computation holds no column of the data set in memory.
//
// A case in the selection whose weight is zero, negative, missing or not
// finite is left
// out and counted; at the end of the walk the count goes to the computation
// object (StatClass::NoteExcludedWeightCases) and from there to the run's
// weight report.
//
// Ownership: the walk owns its value lists and weight list; the computation
// object must outlive it. Case numbers count from 0; variables from 1.
#ifndef STATS_CASEWALK_H
#define STATS_CASEWALK_H

#include <memory>
#include <string>
#include <vector>

class BUFFERTYPE;
class LISTETYPE;
class StatClass;

class CaseWalk
{
public:
    // The variables are read in the order given (count of them).
    CaseWalk(StatClass &computation, const long *variables, int count);
    ~CaseWalk();
    CaseWalk(const CaseWalk &) = delete;
    CaseWalk &operator=(const CaseWalk &) = delete;

    // False when the weight or a variable could not be read; Next then
    // gives no case. FailedVariable names the variable (0 for the weight).
    bool Ok() const { return ok; }
    long FailedVariable() const { return failedVariable; }
    // The read failure in words, with the file, variable and case the
    // value or weight lists name ("" when none of them failed).
    std::string FailureReason() const;

    // Steps to the next case that counts; false past the last case.
    bool Next();
    long Case() const { return caseNumber; }
    double Weight() const { return weight; }
    // The value of the i-th variable (from 0) in the current case;
    // kNotComputed when it is system- or user-missing. Whether the values
    // are missing is told by AllValid, never by comparing them with the
    // mark: a valid value may be as large as the largest double.
    double Value(int i) const { return values[i]; }
    // True when none of the variables is missing in the current case.
    bool AllValid() const;

private:
    StatClass &computation;
    std::vector<std::unique_ptr<LISTETYPE>> lists;
    std::unique_ptr<BUFFERTYPE> weightList;
    std::string weightFailure; // why the weight list could not be made
    std::vector<double> values;
    std::vector<unsigned char> valid;
    long caseCount = 0;
    long caseNumber = -1;
    double weight = 0.0;
    long excluded = 0;
    bool ok = true;
    bool reported = false;
    long failedVariable = 0;
};

#endif
