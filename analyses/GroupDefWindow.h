// GroupDefWindow: the class-limit dialog of the region map: the lower limit
// of each class in a real-number field ("R0", "R1", ...) beside the class's
// colour. OK makes the limits the record's own: its classes are then the
// user's (grouping method 2) until another method is chosen.
//
// The record is a page's copy, whose limits and colours its map computed;
// a record without them (no page computed yet) starts from equal limits
// over 0 .. class count. The fields are as many as the record's classes.
//
// Ownership: the caller owns the dialog and the record.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

class MapStatOption;

class GroupDefWindow : public ZafDialogWindow
{
public:
    GroupDefWindow(int left, int top, MapStatOption *record);
    // Runs the dialog; on OK the record takes the limits. Answers the end code.
    ZafEventType Run();
    ZafEventType Result() const { return result; }
    // The class colours drawn after the window's own painting.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;

private:
    // The limits in the fields, in class order.
    void TakeLimits();
    void DrawClassColours();

    MapStatOption *record;
    int classes;
    ZafEventType result = 0;
};
