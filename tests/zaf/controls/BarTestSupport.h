// Helpers of the bar tests: a window painted as Windows paints it (from
// tests/support) and a window's place in its parent's client pixels as
// Windows reports it.
#pragma once

#include "zaf/core/ZafGdiDisplay.h"

#include "tests/support/PaintedWindow.h"

#include <windows.h>

namespace bartest {

using testsupport::Painted;

// A window's rectangle in its parent's client pixels.
inline RECT PlaceInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// A colour of the screen display's table.
inline COLORREF TableColor(int index)
{
    COLORREF color = 0;
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        display->ColorOf(index, color);
    return color;
}

} // namespace bartest
