// XtOptions: the crosstab's option window, "XtabOptionWindow" of the UI data
// file (defined in XtabOptionWindowDefinition): a check box for each table
// type and each measure of association (XtabOption's control rows), the
// buttons "all_set" and "all_clear" that tick or untick the ten measure boxes,
// and the captions "notab", "tabtyp" and "tabmes".
//
// Ownership: the option frame owns the window; the record points to it while
// the frame is open.
#pragma once

#include "shell/TableOptionWindow.h"

class XtOptions : public TableOptionWindow
{
public:
    static constexpr const char *windowName = "XtabOptionWindow";

    // Read through the program's UI data file; without it the window is
    // reported and stays empty.
    XtOptions();
    // Read through the persistence of a UI data file.
    explicit XtOptions(ZafWindowPersistence &persistence);

    // Ticks (on) or unticks the ten measure boxes of the window and redraws
    // it; the table boxes are left as they are.
    static void SetAllMeasures(ZafWindow *window, bool on);
    // The user functions of "all_set" and "all_clear": on a selection they
    // act on the button's parent window.
    static ZafEventType SelectAllMeasures(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    static ZafEventType ClearAllMeasures(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);

private:
    void BindButtons();
};
