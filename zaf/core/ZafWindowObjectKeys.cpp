// ZafWindowObject: keys and focus on Windows. Key and character messages of
// an object's window, what a control wants of the dialog keys, the focus
// messages, and the loop's dispatch of a key-down with its character.
#include "zaf/core/ZafObjectPath.h"

#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafWindow.h"

// --- Focus messages -----------------------------------------------------------------

void ZafWindowObject::FocusArrived()
{
    // The windowless object current in this window gets the focus back;
    // handlers may delete objects, so each is checked before it is used.
    ZafWindowObject *hosted = HostedFocus();
    ObjectPath path(hosted);
    if (!focus) {
        focus = true;
        Event(ZafEventRecord(ZAF_CURRENT));
    }
    if (!path.Exists(0))
        return;
    if (hosted != this && !hosted->focus) {
        hosted->focus = true;
        hosted->Event(ZafEventRecord(ZAF_CURRENT));
    }
    if (path.Exists(0))
        hosted->NotifyFocus(hosted, true);
}

void ZafWindowObject::FocusLeft()
{
    ZafWindowObject *hosted = HostedFocus();
    if (hosted != this) {
        // The hosted object first, then this one, if the hosted object's
        // handler left it.
        ObjectPath path(hosted);
        std::size_t self = 0;
        while (self < path.Size() && path.At(self) != this)
            ++self;
        if (hosted->focus) {
            hosted->focus = false;
            hosted->Event(ZafEventRecord(ZAF_NOT_CURRENT));
        }
        if (self == path.Size() || !path.Exists(self))
            return;
    }
    if (focus) {
        focus = false;
        Event(ZafEventRecord(ZAF_NOT_CURRENT));
    }
}
