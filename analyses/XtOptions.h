// XtOptions: the crosstab's option window, "XtabOptionWindow" of the UI data
// file (defined in XtabOptionWindowDefinition): a check box for each table
// type and each measure of association (XtabOption's control tables), the
// buttons "all_set" and "all_clear" that tick or untick the ten measure boxes,
// and the captions "notab", "tabtyp" and "tabmes". Every control is found by
// its name; one that is missing is reported and skipped.
//
// Ownership: the option frame owns the window; the record points to it while
// the frame is open.
#pragma once

#include "shell/OptionWindow.h"

class ZafWindowPersistence;

class XtOptions : public OptionWindow
{
public:
    static constexpr const char *windowName = "XtabOptionWindow";

    // Reads the window through the persistence of a UI data file.
    explicit XtOptions(ZafWindowPersistence &persistence);
    // An empty window, for a program without its UI data file: every
    // look-up of a control is reported.
    XtOptions();
    // The window as the program makes it: read through the program's
    // persistence (userPersist) when the UI data file is open, else empty.
    static XtOptions *Make();

    // The texts of group 9 on every control, the buttons' tips too.
    void UpdateControls() override;

    // Ticks (on) or unticks the ten measure boxes of the window and redraws
    // it; the table boxes are left as they are.
    static void SetAllMeasures(ZafWindow *window, bool on);
    // The user functions of "all_set" and "all_clear": on a selection (1002)
    // they act on the button's parent window.
    static ZafEventType SelectAllMeasures(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    static ZafEventType ClearAllMeasures(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);

private:
    void BindButtons();
    void SetControlText(const char *name, int text);
};
