// GroupDefWindow: the class-limit dialog of the region map: the lower limit
// of each class in a real-number field ("R0", "R1", ...) beside the class's
// colour. OK makes the limits the record's own: its classes are then the
// user's (grouping method 2) until another method is chosen.
//
// The record is a page's copy, whose limits and colours its map computed;
// a record without them (no page computed yet) starts from equal limits
// over 0 .. class count. The fields are as many as the record's classes.
// Every limit shows with the decimals the legend writes limits with (the
// record's), and a field left as shown keeps its limit to every decimal,
// so OK changes no limit the user did not retype.
//
// Limits must be finite numbers and increase from class to class: limits
// typed out of order are put in order (and the user told so); a limit that
// is not a number, or two limits that show alike with those decimals, keep
// the dialog open with a message. The checks run at OK while the dialog is
// up: their messages are owned by it and centred on it.
//
// Ownership: the caller owns the dialog and the record.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

#include <string>
#include <vector>

class MapStatOption;

class GroupDefWindow : public ZafDialogWindow
{
public:
    // What CheckLimits found.
    enum LimitCheck {
        limitsAccepted = 0, // finite and increasing
        limitsSorted = 1,   // finite and distinct, put in increasing order
        limitNotFinite = 2, // a limit is infinite or not a number
        limitsRepeated = 3  // two limits are equal
    };
    // The texts of the checks' messages.
    static constexpr const char *sortedText = "The class limits were not in increasing order and have been sorted.";
    static constexpr const char *notFiniteText = "Every class limit must be a finite number.";
    static constexpr const char *repeatedText = "Two classes cannot have the same lower limit.";

    // The end buttons' names.
    static constexpr const char *okName = "OK";
    static constexpr const char *cancelName = "CANCEL";

    // left, top in character cells.
    GroupDefWindow(int left, int top, MapStatOption *record);
    // Puts the dialog with its top left corner at the screen pixel, moved
    // as far as needed to lie wholly inside the screen's work area.
    void PlaceNear(int screenX, int screenY);
    // Runs the dialog; on OK with valid limits the record takes them.
    // Answers the end code.
    ZafEventType Run();
    ZafEventType Result() const { return result; }
    // OK: the limits are read and checked while the fields are still up;
    // limits that fail keep the dialog open.
    ZafEventType Event(const ZafEventRecord &event) override;
    // The class colours drawn after the window's own painting.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;

    // Sorts limits given out of order; answers what it found. Two limits
    // whose texts with the decimals are the same are a repeat.
    static LimitCheck CheckLimits(std::vector<double> &limits, int decimals);
    // The limit's text with the decimals (0 to 12).
    static std::string LimitText(double limit, int decimals);
    // The limits in the fields, in class order.
    std::vector<double> FieldLimits();
    // The client rectangle of class i's colour box, beside its field (false
    // while the dialog or the field has no window).
    bool ClassColourBox(int i, RECT &box);

private:
    void TakeLimits(const std::vector<double> &limits);
    void DrawClassColours();

    MapStatOption *record;
    int classes;
    int decimals;
    ZafEventType result = 0;
    // The checked (and sorted) limits of the fields when OK was taken.
    std::vector<double> typed;
    // Each field's limit as first shown (rounded to the shown decimals).
    std::vector<double> shown;
};
