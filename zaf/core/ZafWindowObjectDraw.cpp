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
    ZafDrawPass pass(*this);
    ZafRegionRect r = pass.Area();
    if (HasFlag(flagBordered))
        DrawBorder(r, code);
    DrawBackground(r, code);
    return code;
}

// --- Painting windows and the windowless objects on them ---------------------------

namespace {

// The support objects that stand for the frame's parts: Windows draws them
// outside the client area, or they draw nothing.
constexpr ZafNumberID framePartIDs[] = {
    ZAF_NUMID_BORDER,         ZAF_NUMID_MAXIMIZE,           ZAF_NUMID_MINIMIZE,  ZAF_NUMID_SYSTEM,
    ZAF_NUMID_TITLE,          ZAF_NUMID_HZ_SCROLL,          ZAF_NUMID_VT_SCROLL, ZAF_NUMID_GEOMETRY,
    ZAF_NUMID_PULL_DOWN_MENU, ZAF_NUMID_SYSTEM_BUTTON_MENU, ZAF_NUMID_MIN_ICON};

// A WM_PAINT of a window held for a scope: BeginPaint and the display's
// paint context, ended in the opposite order.
class WindowPaint
{
public:
    explicit WindowPaint(HWND window) : window(window), dc(BeginPaint(window, &paint)), context(window, dc) {}
    ~WindowPaint() { EndPaint(window, &paint); }
    WindowPaint(const WindowPaint &) = delete;
    WindowPaint &operator=(const WindowPaint &) = delete;

private:
    HWND window;
    PAINTSTRUCT paint = {};
    HDC dc;
    ZafPaintContext context;
};

// A window's context for drawing over what its class has just painted,
// clipped to the area that was invalid; held for a scope.
class OverPaint
{
public:
    OverPaint(HWND window, HRGN area) : window(window), dc(GetDC(window)), context(window, dc)
    {
        if (dc)
            SelectClipRgn(dc, area);
    }
    ~OverPaint()
    {
        if (dc)
            ReleaseDC(window, dc);
    }
    OverPaint(const OverPaint &) = delete;
    OverPaint &operator=(const OverPaint &) = delete;

private:
    HWND window;
    HDC dc;
    ZafPaintContext context;
};

// Whether a paint of the object's window has windowless objects to draw.
bool HoldsPaintedObjects(const ZafWindowObject &object)
{
    auto *window = dynamic_cast<const ZafWindow *>(&object);
    if (!window || !window->DrawsWindowlessChildren())
        return false;
    const ZafList *lists[] = {&window->SupportList(), window};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next()) {
            auto *child = static_cast<ZafWindowObject *>(e);
            if (child->PaintedByParent() && child->Visible())
                return true;
        }
    return false;
}

} // namespace

bool ZafWindowObject::PaintedByParent() const
{
    if (HasFlag(flagOwnWindow))
        return false;
    return !HasFlag(flagSupportObject) ||
           std::find(std::begin(framePartIDs), std::end(framePartIDs), numberID) == std::end(framePartIDs);
}

ZafEventType ZafWindowObject::HandlePaint(const ZafEventRecord &event)
{
    const HWND window = event.osEvent.hwnd;
    if (event.osEvent.message == WM_PRINTCLIENT) {
        // The window drawn into a context it is given (PrintWindow, and
        // windows that draw others into bitmaps), as a paint would draw it.
        const LRESULT result = HasFlag(flagSystemDrawn) ? ZafCallClassWindowProc(event) : 0;
        ZafPaintContext context(window, reinterpret_cast<HDC>(event.osEvent.wParam));
        if (!HasFlag(flagSystemDrawn))
            Draw(event, ZAF_REDISPLAY);
        PaintWindowlessChildren(event);
        return static_cast<ZafEventType>(result);
    }
    if (!HasFlag(flagSystemDrawn)) {
        WindowPaint paint(window);
        Draw(event, ZAF_REDISPLAY);
        PaintWindowlessChildren(event);
        return 0;
    }
    if (!HoldsPaintedObjects(*this))
        return ZAF_UNKNOWN;
    // The class paints the window first (and validates it); the windowless
    // objects follow inside what was invalid.
    HRGN invalid = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(window, invalid, FALSE);
    const LRESULT result = ZafCallClassWindowProc(event);
    if (kind != NULLREGION && kind != ERROR) {
        OverPaint over(window, invalid);
        PaintWindowlessChildren(event);
    }
    DeleteObject(invalid);
    return static_cast<ZafEventType>(result);
}

void ZafWindowObject::PaintWindowlessChildren(const ZafEventRecord &event)
{
    auto *window = dynamic_cast<ZafWindow *>(this);
    if (!window || !window->DrawsWindowlessChildren())
        return;
    const ZafList *lists[] = {&window->SupportList(), window};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next()) {
            auto *child = static_cast<ZafWindowObject *>(e);
            if (!child->PaintedByParent() || !child->Visible())
                continue;
            // The child's pass clips it, and whatever it holds, to its region.
            ZafDrawPass pass(*child);
            child->Draw(event, ZAF_REDISPLAY);
            child->PaintWindowlessChildren(event);
        }
}

ZafEventType ZafWindowObject::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    if (HasFlag(flagParentDrawsBorder) && parent)
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
    if (HasFlag(flagParentDrawsFocus))
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
