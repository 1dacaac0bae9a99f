// ScatterPairs: one forward walk over the pairs (x, y) of two variables that
// a scatter shows: every case in the selection in force whose x and y are
// both neither system- nor user-missing, in case order, with no weight (a
// scatter shows cases, not weighted counts). Both the scatter element,
// which walks its points at every draw, and the biplot computation walk
// their cases with it.
//
// The value lists are the caller's when given (not owned, walked from
// their first case; any value list, not only a variable's), else the walk opens one for the variable (from 1) and
// deletes it with itself. The data set and selection are not owned.
#ifndef STATS_SCATTERPAIRS_H
#define STATS_SCATTERPAIRS_H

#include <memory>

class DATASET;
class BUFFERTYPE;
class LISTETYPE;
class SelectRec;

class ScatterPairs
{
public:
    ScatterPairs(DATASET *dataSet, SelectRec *selection, long xVariable, long yVariable, BUFFERTYPE *xList = nullptr,
                 BUFFERTYPE *yList = nullptr);
    ~ScatterPairs();
    ScatterPairs(const ScatterPairs &) = delete;
    ScatterPairs &operator=(const ScatterPairs &) = delete;

    // False when a list could not be opened; Next then gives no pair.
    bool Ok() const { return x && y; }
    // Steps to the next valid, selected pair; false past the last case.
    bool Next();
    double X() const { return xValue; }
    double Y() const { return yValue; }

private:
    std::unique_ptr<LISTETYPE> ownX, ownY;
    BUFFERTYPE *x = nullptr, *y = nullptr;
    SelectRec *selection;
    double xValue = 0.0, yValue = 0.0;
};

#endif
