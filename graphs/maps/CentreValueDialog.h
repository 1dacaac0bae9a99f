// CentreValueDialog: the region map's dialog for the centre of the colour
// ramp around a centre ("slide2"): the centre value in a real-number field
// and a check box for updating the colours at once while the legend's
// centre mark is dragged. OK keeps both (read while the dialog is up);
// Escape or Cancel keep neither.
//
// PlaceDialogOnScreen puts any dialog at a screen pixel, moved as far as
// needed to lie wholly inside the screen's work area.
//
// Ownership: the caller owns the dialog.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

// Places the window's top left corner at the screen pixel, inside the work
// area (a window larger than the area keeps its top left corner on it).
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

    CentreValueDialog(double centre, bool live);
    ZafEventType Event(const ZafEventRecord &event) override;
    // After an OK: what stood in the dialog.
    double Centre() const { return centre; }
    bool Live() const { return live; }

private:
    double centre;
    bool live;
};
