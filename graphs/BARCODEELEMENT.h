// BARCODEELEMENT: the bar-code strip of the descriptive graphs: one thin
// line per valid case of a variable across the strip at the case's value
// between minimum and maximum, optionally only for the cases of one group
// of a group variable. Horizontal when wider than high, else vertical.
//
// Ownership: the strip owns its own draw style and the value lists it makes
// for a draw (deleted after it); value lists handed to it are the caller's.
// The data set is not owned.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/element.h"
#include "stats/StatMissing.h"

class DATASET;
class LISTETYPE;

class BARCODEELEMENT : public pal_element
{
public:
    // groupVariable 0: no group; groupValue kNotComputed (the largest
    // float, the statistics' mark of "not given"): every group.
    BARCODEELEMENT(DATASET *dataSet, unsigned variable, unsigned groupVariable, int x, int y, int w, int h,
                   double minimum, double maximum, double groupValue = kNotComputed);

    void Draw() override;
    // Replaces the own style by a copy of the given one (null: no change).
    void SetStyle(const DrawStyle *newStyle);
    void SetIncludeUserMissing(bool flag) { includeUserMissing = flag ? 1 : 0; }
    bool Vertical() const { return vertical != 0; }
    // Where a value falls on the strip, 0..1; 0 for a strip of no range
    // (constant data), so no case is placed by a division by zero.
    double Position(double value) const;

private:
    void DrawCase(HDC dc, double value);

    std::uint32_t variable;
    std::uint32_t groupVariable;
    double minimum, maximum, range;
    double groupValue;
    DrawStyle ownStyle;
    DATASET *dataSet;
    std::uint8_t includeUserMissing = 0;
    std::uint8_t vertical;
};
