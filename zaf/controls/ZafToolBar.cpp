// ZafToolBar: construction, persistence, the layout of the children, events
// and drawing.
#include "zaf/controls/ZafToolBar.h"

#include "zaf/controls/ZafFrameToFront.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr ZafPaletteStruct FaceColors()
{
    ZafPaletteStruct p;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.monoForeground = 0;
    p.monoBackground = 2;
    p.font = 3;
    return p;
}

ZafCellMetrics Metrics()
{
    return zafScreenDisplay ? zafScreenDisplay->CellMetrics() : ZafCellMetrics();
}

ZafRegionRect InPixels(const ZafWindowObject &object)
{
    ZafRegionRect r = object.Region();
    object.ConvertRegion(r, ZAF_PIXEL);
    return r;
}

} // namespace

const ZafPaletteMap ZafToolBar::paletteMap[] = {
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, FaceColors()},
    {0, 0, ZafPaletteStruct()},
};

// --- Construction ----------------------------------------------------------------

ZafToolBar::ZafToolBar(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    Construct();
}

ZafToolBar::ZafToolBar(const ZafToolBar &copy) : ZafWindow(copy), edge(copy.edge), autoLayout(copy.autoLayout)
{
    Construct();
}

void ZafToolBar::Construct()
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagNoFocus, true);
    SetFlagTo(flagSupportObject, true);
    SetFlagTo(flagSystemDrawn, false);
    regionType = 2;
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, SetFlagTo(flagTemporary, false))));
    SetFlagTo(flagMaximized, SetFlagTo(flagMinimized, SetFlagTo(flagModal, SetFlagTo(flagPlainKeyHotKeys, false))));
    SetFlagTo(flagAcceptDrop, false);
}

bool ZafToolBar::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafToolBar::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

ZafDockEdge ZafToolBar::SetEdge(ZafDockEdge newEdge)
{
    if (!osWindow && newEdge >= ZAF_DOCK_TOP && newEdge <= ZAF_DOCK_RIGHT)
        edge = newEdge;
    return edge;
}

bool ZafToolBar::SetSupportObject(bool flag)
{
    if (!parent)
        SetFlagTo(flagSupportObject, flag);
    return HasFlag(flagSupportObject);
}

// --- Persistence -------------------------------------------------------------------

ZafToolBar::ZafToolBar(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct();
    if (persistence.Error() == 0)
        ReadFields(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafToolBar::ReadFields(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0, storedEdge = 0;
    persistence.Read16(flags);
    persistence.Read16(storedEdge);
    if (persistence.Error() != 0)
        return;
    autoLayout = flags & storedAutoLayout;
    const int e = storedEdge & 0x0F;
    edge = e <= ZAF_DOCK_RIGHT ? static_cast<ZafDockEdge>(e) : ZAF_DOCK_TOP;
}

ZafElement *ZafToolBar::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafToolBar(name, persistence);
}

void ZafToolBar::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafToolBar::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0) {
        persistence.Write16(static_cast<std::uint16_t>(autoLayout ? storedAutoLayout : 0));
        persistence.Write16(static_cast<std::uint16_t>(edge & 0x0F));
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafToolBar::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_APPLY_GEOMETRY: {
        const ZafEventType result = ZafWindowObject::Event(event);
        Layout();
        return result;
    }
    case ZAF_REGION_CHANGED:
        if (!autoLayout)
            return ZafWindow::Event(event);
        // The children keep the places the layout gave them; only their
        // windows follow the bar. The whole bar is repainted: the event
        // carries no previous region to find the strips of the old and the
        // new border lines by.
        for (ZafElement *e = First(); e; e = e->Next())
            static_cast<ZafWindowObject *>(e)->MoveOSWindow();
        if (osWindow)
            InvalidateRect(osWindow, nullptr, TRUE);
        return event.type;
    case ZAF_PREVIOUS:
    case ZAF_NEXT:
        // Tab never stops in a tool bar.
        return ZAF_UNKNOWN;
    default:
        return ZafWindow::Event(event);
    }
}

ZafEventType ZafToolBar::HandleOSMessage(const ZafEventRecord &event)
{
    switch (event.osEvent.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        BringFrameToFront(*this);
        [[fallthrough]];
    case WM_PAINT:
    case WM_ERASEBKGND:
        return ZafWindowObject::HandleOSMessage(event);
    default:
        return ZafWindow::HandleOSMessage(event);
    }
}

ZafWindowObject *ZafToolBar::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    ZafWindowObject *added = ZafWindow::AddObject(object, before);
    if (added && osWindow && autoLayout) {
        Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Event(ZafEventRecord(ZAF_REGION_CHANGED));
    }
    return added;
}

ZafWindowObject *ZafToolBar::SubtractObject(ZafWindowObject *object)
{
    ZafWindowObject *subtracted = ZafWindow::SubtractObject(object);
    if (osWindow && autoLayout) {
        Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Event(ZafEventRecord(ZAF_REGION_CHANGED));
    }
    return subtracted;
}

void ZafToolBar::NotifyVisibility(ZafWindowObject *, bool)
{
    if (!osWindow || !autoLayout)
        return;
    const ZafRegionRect before = InPixels(*this);
    Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    Event(ZafEventRecord(ZAF_REGION_CHANGED));
    // A bar that gained or lost a row takes more or less of its window:
    // the window places its other children again.
    if (parent && InPixels(*this).Differs(before))
        parent->Event(ZafEventRecord(ZAF_REGION_CHANGED));
}

// --- Layout --------------------------------------------------------------------------

int ZafToolBar::LayoutRows(int length, bool across)
{
    // Hidden children take no place: neither in a line nor in the line's
    // thickness (laying them out too would leave gaps and wrap the visible
    // ones into rows of their own). They keep their last place.
    auto placed = [](ZafElement *e) { return static_cast<ZafWindowObject *>(e)->Visible(); };
    int line = 0;
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *child = static_cast<ZafWindowObject *>(e);
        child->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        if (!placed(e))
            continue;
        const ZafRegionRect r = InPixels(*child);
        line = std::max({line, 1, across ? r.Height() : r.Width()});
    }
    if (line == 0) {
        const ZafCellMetrics metrics = Metrics();
        return across ? metrics.cellHeight : 3 * metrics.cellWidth;
    }
    // The line pair of a bottom (right) bar is on the side where rows start.
    const ZafDockEdge innerFirst = across ? ZAF_DOCK_BOTTOM : ZAF_DOCK_RIGHT;
    int along = margin;
    int side = margin + (HasFlag(flagBordered) && edge == innerFirst ? borderWidth : 0);
    for (ZafElement *e = First(); e; e = e->Next()) {
        if (!placed(e))
            continue;
        auto *child = static_cast<ZafWindowObject *>(e);
        const ZafRegionRect r = InPixels(*child);
        const int size = across ? r.Width() : r.Height();
        // A child that does not fit starts a new line; one wider than the
        // whole bar still takes a line of its own, never an empty one first.
        if (wrap && along + size > length - 1 && along > margin) {
            along = margin;
            side += margin + line;
        }
        if (across)
            child->SetRegion(ZafRegionRect(along, side, along + size - 1, side + line - 1, ZAF_PIXEL));
        else
            child->SetRegion(ZafRegionRect(side, along, side + line - 1, along + size - 1, ZAF_PIXEL));
        along += size;
    }
    return side + margin + line + (HasFlag(flagBordered) ? borderWidth : 0);
}

void ZafToolBar::Layout()
{
    ZafRegionRect r = InPixels(*this);
    const bool across = edge == ZAF_DOCK_TOP || edge == ZAF_DOCK_BOTTOM;
    const int thickness =
        autoLayout ? LayoutRows(across ? r.Width() : r.Height(), across) : (across ? r.Height() : r.Width());
    switch (edge) {
    case ZAF_DOCK_TOP:
        r.bottom = r.top + thickness - 1;
        break;
    case ZAF_DOCK_BOTTOM:
        r.top = r.bottom - thickness + 1;
        break;
    case ZAF_DOCK_LEFT:
        r.right = r.left + thickness - 1;
        break;
    case ZAF_DOCK_RIGHT:
    case ZAF_DOCK_NONE:
        r.left = r.right - thickness + 1;
        break;
    }
    SetRegion(r);
    MoveOSWindow();
    // A bar whose size stays gets no WM_SIZE: its children move here.
    if (osWindow && autoLayout)
        for (ZafElement *e = First(); e; e = e->Next())
            static_cast<ZafWindowObject *>(e)->MoveOSWindow();
}

void ZafToolBar::ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const
{
    if (rect.coordinateType == type) {
        ZafWindowObject::ConvertRegion(rect, type);
        return;
    }
    const int border = HasFlag(flagBordered) ? borderWidth : 0;
    if (type == ZAF_CELL && border) {
        ZafRegionRect b(0, 0, border - 1, border - 1, ZAF_PIXEL);
        ZafWindowObject::ConvertRegion(b, rect.coordinateType);
        rect.bottom -= b.Height();
    }
    ZafWindowObject::ConvertRegion(rect, type);
    if (coordinateType == ZAF_CELL && border && type != ZAF_CELL) {
        ZafRegionRect b(0, 0, border - 1, border - 1, ZAF_PIXEL);
        ZafWindowObject::ConvertRegion(b, type);
        rect.bottom += b.Height();
    }
}

// --- Drawing -------------------------------------------------------------------------

DWORD ZafToolBar::OSStyle() const
{
    return WS_CHILD | WS_CLIPSIBLINGS | (HasFlag(flagVisible) ? WS_VISIBLE : 0);
}

ZafEventType ZafToolBar::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect r = pass.Area();
    if (HasFlag(flagBordered))
        DrawBorder(r, code);
    DrawBackground(r, code);
    return code;
}

ZafEventType ZafToolBar::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    const bool drawing = (code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_AREA) && display && display->CurrentDC();
    const COLORREF light = TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF dark = TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW));
    // The outer line in the light colour, the inner one in the dark.
    auto row = [&](int y, COLORREF color) {
        if (drawing)
            display->Line(rect.left, y, rect.right, y, color);
    };
    auto column = [&](int x, COLORREF color) {
        if (drawing)
            display->Line(x, rect.top, x, rect.bottom, color);
    };
    switch (edge) {
    case ZAF_DOCK_TOP:
        row(rect.bottom, light);
        row(rect.bottom - 1, dark);
        rect.bottom -= borderWidth;
        break;
    case ZAF_DOCK_LEFT:
        column(rect.right, light);
        column(rect.right - 1, dark);
        rect.right -= borderWidth;
        break;
    case ZAF_DOCK_BOTTOM:
        row(rect.top, dark);
        row(rect.top + 1, light);
        rect.top += borderWidth;
        break;
    case ZAF_DOCK_RIGHT:
    case ZAF_DOCK_NONE:
        column(rect.left, dark);
        column(rect.left + 1, light);
        rect.left += borderWidth;
        break;
    }
    return code;
}

void ZafToolBar::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_BACKGROUND) {
        ZafWindow::ResolveSystemColors(entry, type, state);
        return;
    }
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE));
}

COLORREF ZafToolBar::BackgroundColor() const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct entry;
    LogicalPalette(entry, ZAF_PM_BACKGROUND, state);
    ResolveSystemColors(entry, ZAF_PM_BACKGROUND, state);
    return PaletteColor(entry.colorBackground, entry.osColorBackground, GetSysColor(COLOR_BTNFACE));
}
