// CaseWeightCursor: the weight each case counts with, walked forward case by
// case beside the computation's value lists, so that no computation holds a
// column of weights: 0 outside the selection in force, when the weight is
// missing or not above 0; 1 without a weight. Any finite weight above 0
// counts, however large.
//
// Made on a computation object (its data set, weight and selection); owns
// the weight list it reads. Cases count from 0.
#ifndef STATS_CASEWEIGHTCURSOR_H
#define STATS_CASEWEIGHTCURSOR_H

class BUFFERTYPE;
class StatClass;
class SelectRec;

class CaseWeightCursor
{
public:
    explicit CaseWeightCursor(const StatClass &computation);
    ~CaseWeightCursor();
    CaseWeightCursor(const CaseWeightCursor &) = delete;
    CaseWeightCursor &operator=(const CaseWeightCursor &) = delete;

    // False when the weight could not be read (then Next yields nothing).
    bool IsReady() const { return ready; }
    long GetCaseCount() const { return cases; }
    // The next case's weight; false past the last case.
    bool Next(double &weight);
    // The weight list's error word and where it lies (0 and "" when it
    // reads): a walk that ended early on it has not seen every case.
    int Error() const;
    const char *ErrorText() const;
    // Cases in the selection passed so far whose weight was zero, negative,
    // missing or not finite.
    long Excluded() const { return excluded; }

private:
    BUFFERTYPE *weights = nullptr;  // owned; null without a weight
    SelectRec *selection = nullptr; // null when no selection is in force
    long cases = 0;
    long next = 0; // the case Next yields, from 0
    long excluded = 0;
    bool ready = false;
};

#endif
