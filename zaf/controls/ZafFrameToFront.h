// A click on a bar (tool bar, status bar) brings the window it belongs to to
// the front, as a click on any other part of that window would. Internal to
// the controls library.
#pragma once

#include "zaf/core/ZafWindowObject.h"

inline void BringFrameToFront(ZafWindowObject &object)
{
    if (ZafWindowObject *top = object.TopLevelObject())
        if (HWND frame = top->OSHandle(2))
            SetForegroundWindow(frame);
}
