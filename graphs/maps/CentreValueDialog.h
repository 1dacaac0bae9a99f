// CentreValueDialog: the region map's dialog for the centre of the colour
// ramp around a centre ("slide2"): the centre value in a real-number field
// and a check box for updating the colours at once while the legend's
// centre mark is dragged. OK keeps both (read while the dialog is up);
// Escape or Cancel keep neither. The centre shows with the legend's
// decimals; left as shown, it keeps every decimal it had.
//
// PlaceDialogOnScreen puts any dialog at a screen pixel converted to
// character cells, moved by whole cells as far as needed to lie wholly
// inside the screen's work area, and marks a dialog as placed so that it
// is not centred again when it runs.
//
// Ownership: the caller owns the dialog.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

// Places the window's top left corner at the cell of the screen pixel,
// inside the work area (a window larger than the area keeps its top left
// corner on it).
void PlaceDialogOnScreen(ZafWindow *window, int screenX, int screenY);

class CentreValueDialog : public ZafDialogWindow
{
public:
    static constexpr int textGroup = 22;
    enum { titleText = 36, liveText = 37 };
    static constexpr const char *fieldName = "CENTRE";
    static constexpr const char *liveName = "LIVE";
    static constexpr const char *okName = "OK";
    static constexpr const char *cancelName = "CANCEL";

    // decimals: those the legend writes its values with (0 to 12).
    CentreValueDialog(double centre, bool live, int decimals);
    ZafEventType Event(const ZafEventRecord &event) override;
    // After an OK: what stood in the dialog.
    double Centre() const { return centre; }
    bool Live() const { return live; }

private:
    double centre;
    bool live;
    double shown; // the centre as the field first shows it
};
