// ZafWindowObject: drawing passes and the drawing of plain objects.

#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafList.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// --- Drawing -------------------------------------------------------------------------

ZafRegionRect ZafWindowObject::BeginDraw()
{
    ZafRegionRect r = osWindow ? ZafRegionRect(0, 0, GetWindowRegion().Width() - 1, GetWindowRegion().Height() - 1)
                               : GetWindowRegion();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HWND window = DrawingHandle();
    HDC dc = display && window ? display->LendDC(window) : nullptr;
    // The object's first pass in a context clips it to the object.
    if (dc && std::find(drawPasses.begin(), drawPasses.end(), dc) == drawPasses.end()) {
        SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right + 1, r.bottom + 1);
    }
    drawPasses.push_back(dc);
    if (!display || !window)
        return r;
    if (osWindow) {
        RECT client;
        GetClientRect(osWindow, &client);
        r = ZafRegionRect(0, 0, client.right - 1, client.bottom - 1);
    }
    return r;
}

void ZafWindowObject::EndDraw()
{
    // The context this pass borrowed goes back, not whatever is current now
    // (a pass of another window or a context set by hand may be).
    if (drawPasses.empty())
        return;
    HDC dc = drawPasses.back();
    drawPasses.pop_back();
    if (!dc)
        return;
    if (std::find(drawPasses.begin(), drawPasses.end(), dc) == drawPasses.end())
        RestoreDC(dc, -1);
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        display->ReturnDC(dc);
}

COLORREF ZafWindowObject::TypeColor(std::uint16_t type, COLORREF fallback) const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct entry;
    LogicalPalette(entry, type, state);
    ResolveSystemColors(entry, type, state);
    return PaletteColor(entry.colorForeground, entry.osColorForeground, fallback);
}

COLORREF ZafWindowObject::BackgroundColor() const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, state);
    ResolveSystemColors(text, ZAF_PM_TEXT, state);
    return PaletteColor(text.colorBackground, text.osColorBackground, GetSysColor(COLOR_WINDOW));
}

COLORREF ZafWindowObject::ForegroundColor() const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, state);
    ResolveSystemColors(text, ZAF_PM_TEXT, state);
    return PaletteColor(text.colorForeground, text.osColorForeground, GetSysColor(COLOR_WINDOWTEXT));
}

ZafEventType ZafWindowObject::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafRegionRect r = BeginDraw();
    if (bordered)
        DrawBorder(r, code);
    DrawBackground(r, code);
    EndDraw();
    return code;
}

ZafEventType ZafWindowObject::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    if (parentDrawsBorder && parent)
        return parent->DrawBorder(rect, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (display && display->CurrentDC()) {
        display->Rectangle(rect.left, rect.top, rect.right, rect.bottom,
                           TypeColor(ZAF_PM_OUTLINE, GetSysColor(COLOR_WINDOWFRAME)), false);
        rect.left++;
        rect.top++;
        rect.right--;
        rect.bottom--;
    }
    return code;
}

ZafEventType ZafWindowObject::DrawFocus(ZafRegionRect &rect, ZafEventType code)
{
    if (parentDrawsFocus)
        return code;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if ((code == ZAF_CURRENT || code == ZAF_NOT_CURRENT) && display && display->CurrentDC()) {
        RECT r = {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
        DrawFocusRect(display->CurrentDC(), &r);
    }
    return code;
}

ZafEventType ZafWindowObject::DrawEdges(ZafRegionRect &rect, int style, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if ((code != ZAF_REDISPLAY && code != ZAF_REDISPLAY_AREA) || !display || !display->CurrentDC() || style == 0)
        return code;
    COLORREF light = TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT));
    COLORREF dark = TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW));
    COLORREF topLeft = style > 0 ? light : dark;
    COLORREF bottomRight = style > 0 ? dark : light;
    for (int i = 0; i < (style > 0 ? style : -style); ++i) {
        display->Line(rect.left, rect.top, rect.right, rect.top, topLeft);
        display->Line(rect.left, rect.top, rect.left, rect.bottom, topLeft);
        display->Line(rect.right, rect.top, rect.right, rect.bottom, bottomRight);
        display->Line(rect.left, rect.bottom, rect.right, rect.bottom, bottomRight);
        rect.left++;
        rect.top++;
        rect.right--;
        rect.bottom--;
    }
    return code;
}

ZafEventType ZafWindowObject::DrawBackground(ZafRegionRect &rect, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (display && display->CurrentDC())
        display->Rectangle(rect.left, rect.top, rect.right, rect.bottom, BackgroundColor(), true);
    return code;
}
