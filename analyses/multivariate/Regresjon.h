// Regresjon: the regression of one page of the multiple regression: the
// computation of RegObj with the column widths of its coefficient table.
// Columns (columnWidths): 0 B, 1 Beta, 2 standard error, 3 t,
// 4 probability, 5 tolerance.
#pragma once

#include "stats/RegObj.h"

class Regresjon : public RegObj
{
public:
    using RegObj::RegObj;

    enum Column { bColumn, betaColumn, seColumn, tColumn, pColumn, toleranceColumn };

    // With reset 0 each width starts at its heading's length plus 2; then
    // each grows to fit every row's value of the step ("%1.*f", B with 4
    // decimals, the others with 2) plus 2.
    void ComputeColumnWidths(int reset, int step) override;
    // Takes the data set's selection and weight again: a save reopens the
    // data set, which replaces the records the regression pointed to.
    void FollowDataSet();
};
