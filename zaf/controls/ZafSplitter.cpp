// ZafSplitter: construction, persistence, the layout of the two objects,
// the drag loop and drawing.
#include "zaf/controls/ZafSplitter.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

// --- Construction ----------------------------------------------------------------

ZafSplitter::ZafSplitter(Orientation orientation, int position, bool proportional)
    : ZafWindowObject(0, 0, 0, 0), proportional(proportional), position(position), area(region),
      orientation(orientation)
{
    SetFlagTo(flagNoFocus, true);
    SetFlagTo(flagSystemDrawn, false);
}

ZafSplitter::ZafSplitter(const ZafSplitter &copy)
    : ZafWindowObject(copy), live(copy.live), proportional(copy.proportional), position(copy.position),
      thickness(copy.thickness), area(copy.area), orientation(copy.orientation), trailingID(copy.trailingID),
      leadingID(copy.leadingID)
{
    if (!trailingID && copy.TrailingObject())
        trailingID = copy.TrailingObject()->NumberID();
    if (!leadingID && copy.LeadingObject())
        leadingID = copy.LeadingObject()->NumberID();
}

bool ZafSplitter::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafSplitter::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindowObject::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafSplitter::ZafSplitter(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagSystemDrawn, false);
    area = region;
    if (persistence.Error() == 0) {
        std::uint16_t flags = 0;
        std::int32_t storedPosition = 0, storedThickness = 3;
        std::int16_t trailingStored = 0, leadingStored = 0;
        persistence.Read16(flags);
        persistence.Read32(storedPosition);
        persistence.Read32(storedThickness);
        persistence.Read16(trailingStored);
        persistence.Read16(leadingStored);
        if (persistence.Error() == 0) {
            orientation = (flags & storedOrientation) ? sideBySide : oneAbove;
            live = flags & storedLive;
            proportional = flags & storedProportional;
            position = proportional ? std::clamp(storedPosition, 0, 100) : storedPosition;
            thickness = std::clamp(storedThickness, 1, 1000);
            trailingID = static_cast<ZafNumberID>(trailingStored);
            leadingID = static_cast<ZafNumberID>(leadingStored);
        }
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    SetFlagTo(flagNoFocus, true);
}

ZafElement *ZafSplitter::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafSplitter(name, persistence);
}

void ZafSplitter::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafSplitter::ConvertCoordinates(ZafCoordinateType type)
{
    ConvertRegion(area, type);
    ZafWindowObject::ConvertCoordinates(type);
}

void ZafSplitter::Write(ZafWindowPersistence &persistence)
{
    // The file holds the whole area, not the bar.
    const ZafRegionRect bar = region;
    region = area;
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0) {
        std::int32_t stored = position;
        if (!proportional) {
            // A pixel offset in the splitter's coordinate type.
            ZafRegionRect offset(0, 0, position - 1, position - 1, ZAF_PIXEL);
            ConvertRegion(offset, area.coordinateType);
            stored = SideBySide() ? offset.Width() : offset.Height();
        }
        const auto flags = static_cast<std::uint16_t>((SideBySide() ? 1 : 0) | (live ? storedLive : 0) |
                                                      (proportional ? storedProportional : 0));
        persistence.Write16(flags);
        persistence.Write32(stored);
        persistence.Write32(static_cast<std::int32_t>(thickness));
        persistence.Write16(static_cast<std::int16_t>(TrailingObject() ? TrailingObject()->NumberID() : 0));
        persistence.Write16(static_cast<std::int16_t>(LeadingObject() ? LeadingObject()->NumberID() : 0));
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    region = bar;
}

// --- Attributes --------------------------------------------------------------------

ZafWindowObject *ZafSplitter::SetTrailingObject(ZafWindowObject *object)
{
    trailing.Track(object);
    if (object) {
        SetRegion(area);
        if (osWindow)
            object->MoveOSWindow();
    }
    return object;
}

ZafWindowObject *ZafSplitter::SetLeadingObject(ZafWindowObject *object)
{
    leading.Track(object);
    if (object) {
        SetRegion(area);
        if (osWindow)
            object->MoveOSWindow();
    }
    return object;
}

int ZafSplitter::SetPosition(int newPosition, bool newProportional)
{
    position = newPosition;
    proportional = newProportional;
    if (osWindow) {
        SetRegion(area);
        MoveOSWindow();
        MoveObjects();
    }
    return position;
}

ZafSplitter::Orientation ZafSplitter::SetOrientation(Orientation value)
{
    if (!osWindow)
        orientation = value;
    return orientation;
}

int ZafSplitter::SetThickness(int value)
{
    if (!osWindow && value > 0)
        thickness = value;
    return thickness;
}

// --- Layout --------------------------------------------------------------------------

ZafRegionRect ZafSplitter::AreaInPixels() const
{
    ZafRegionRect r = area;
    ConvertRegion(r, ZAF_PIXEL);
    return r;
}

int ZafSplitter::MaximumPosition() const
{
    const ZafRegionRect a = AreaInPixels();
    const int span = SideBySide() ? a.Width() : a.Height();
    return std::max(0, span - Border() - thickness);
}

void ZafSplitter::FixProportional()
{
    if (!proportional)
        return;
    const ZafRegionRect a = AreaInPixels();
    position = SideBySide() ? region.left - a.left : region.top - a.top;
    proportional = false;
}

void ZafSplitter::SetRegion(const ZafRegionRect &newArea)
{
    if (proportional && osWindow && IsVisibleUpChain(true) && region.coordinateType == ZAF_PIXEL)
        FixProportional();
    area = newArea;
    const ZafRegionRect a = AreaInPixels();
    const int extent = thickness + Border();
    const int offset = proportional ? MaximumPosition() * position / 100 : position;
    ZafRegionRect bar = a;
    ZafRegionRect before = a, after = a;
    if (SideBySide()) {
        bar.left = a.left + offset;
        bar.right = bar.left + extent - 1;
        before.right = bar.left - 1;
        after.left = bar.right + 1;
    } else {
        bar.top = a.top + offset;
        bar.bottom = bar.top + extent - 1;
        before.bottom = bar.top - 1;
        after.top = bar.bottom + 1;
    }
    region = bar;
    if (ZafWindowObject *object = LeadingObject())
        object->SetRegion(before);
    if (ZafWindowObject *object = TrailingObject())
        object->SetRegion(after);
}

void ZafSplitter::MoveObjects()
{
    ZafWindowObject *objects[] = {LeadingObject(), TrailingObject()};
    for (ZafWindowObject *object : objects) {
        if (!object)
            continue;
        object->MoveOSWindow();
        if (live && object->OSHandle(2))
            UpdateWindow(object->OSHandle(2));
        // Nested splitters follow their area.
        if (object->IsClassID(classID))
            object->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    }
}

// --- Events --------------------------------------------------------------------------

ZafEventType ZafSplitter::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_RESOLVE_REFERENCES: {
        const ZafEventType result = ZafWindowObject::Event(event);
        auto *window = dynamic_cast<ZafWindow *>(parent);
        if (window && !TrailingObject() && trailingID)
            SetTrailingObject(window->FindObjectByNumberID(trailingID));
        if (window && !LeadingObject() && leadingID)
            SetLeadingObject(window->FindObjectByNumberID(leadingID));
        return result;
    }
    case ZAF_REGION_CHANGED:
    case ZAF_REGION_CHANGING:
        MoveObjects();
        return event.type;
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const ZafEventType result = ZafWindowObject::Event(event);
        SetRegion(area);
        MoveOSWindow();
        MoveObjects();
        return result;
    }
    case ZAF_APPLY_GEOMETRY: {
        const ZafEventType result = ZafWindowObject::Event(event);
        SetRegion(area);
        MoveOSWindow();
        MoveObjects();
        return result;
    }
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafSplitter::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    switch (m.message) {
    case WM_SETCURSOR:
        if (IsDisabledUpChain(true))
            break;
        SetCursor(LoadCursorA(nullptr, SideBySide() ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (IsDisabledUpChain(true) || tracking)
            break;
        // The splitter may be gone when the loop ends: nothing touches it.
        TrackDrag(event);
        return 0;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        if (tracking)
            captureLost = true;
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

int ZafSplitter::DragOffset(LPARAM point, int pressPoint) const
{
    const int at = SideBySide() ? GET_X_LPARAM(point) : GET_Y_LPARAM(point);
    return std::clamp(position + at - pressPoint, 0, MaximumPosition()) - position;
}

ZafSplitter::DragEnd ZafSplitter::DragInterrupted() const
{
    if (captureLost || GetCapture() != osWindow)
        return dragCaptureLost;
    // A modal box disables the windows below it.
    for (HWND w = osWindow; w; w = GetParent(w))
        if (!IsWindowEnabled(w))
            return dragDisabled;
    return dragNone;
}

ZafEventType ZafSplitter::TrackDrag(const ZafEventRecord &press)
{
    ZafTracker self(this);
    HWND window = osWindow;
    if (!window || !zafEventManager)
        return ZAF_END_SELECT;
    FixProportional();
    const int pressPoint = SideBySide() ? GET_X_LPARAM(press.osEvent.lParam) : GET_Y_LPARAM(press.osEvent.lParam);
    tracking = true;
    captureLost = false;
    SetCapture(window);
    int offset = 0;
    if (!live)
        DrawDragBar(0);
    DragEnd end = dragNone;
    ZafEventRecord event;
    // The loop ends on release and on everything that would otherwise leave
    // it waiting for a release that never comes.
    while (end == dragNone && (end = DragInterrupted()) == dragNone) {
        if (!zafEventManager->Get(event, 0)) {
            end = dragExit;
            break;
        }
        if (event.type == ZAF_EXIT) {
            // The program's loop gets the request back.
            zafEventManager->Put(event, 0);
            end = dragExit;
            break;
        }
        const MSG &m = event.osEvent;
        const bool ours = event.type == ZAF_OS_EVENT && m.hwnd == window;
        if (ours && (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP)) {
            if (!live)
                DrawDragBar(offset);
            offset = DragOffset(m.lParam, pressPoint);
            if (live) {
                position += offset;
                offset = 0;
                SetRegion(area);
                MoveOSWindow();
                MoveObjects();
                UpdateWindow(window);
            } else {
                DrawDragBar(offset);
            }
            if (m.message == WM_LBUTTONUP)
                end = dragReleased;
            continue;
        }
        if (zafWindowManager)
            zafWindowManager->Event(event);
        else
            DispatchMessageA(&m);
        if (self.Deleted())
            return ZAF_END_SELECT; // the splitter went with its window
    }
    if (!live) {
        DrawDragBar(offset);
        position += offset;
        SetRegion(area);
        MoveOSWindow();
        MoveObjects();
    }
    tracking = false;
    lastDragEnd = end;
    if (GetCapture() == window)
        ReleaseCapture();
    return ZAF_END_SELECT;
}

// --- Drawing -------------------------------------------------------------------------

void ZafSplitter::DrawDragBar(int offset)
{
    HWND surface = parent ? parent->DrawingHandle() : nullptr;
    if (!surface)
        return;
    ZafRegionRect bar = GetWindowRegion();
    const int back = HasFlag(flagBordered) ? 0 : 2;
    const int across = thickness + borderAllowance;
    RECT r;
    if (SideBySide())
        r = RECT{bar.left + offset - back, bar.top, bar.left + offset - back + across, bar.bottom + 1};
    else
        r = RECT{bar.left, bar.top + offset - back, bar.right + 1, bar.top + offset - back + across};
    HDC dc = GetDC(surface);
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
    ReleaseDC(surface, dc);
}

ZafEventType ZafSplitter::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect r = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (HasFlag(flagBordered) && display && display->CurrentDC()) {
        const COLORREF light = TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT));
        const COLORREF dark = TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW));
        for (int i = 0; i < 2; ++i) {
            if (SideBySide()) {
                display->Line(r.left, r.top, r.left, r.bottom, i == 0 ? light : dark);
                display->Line(r.right, r.top, r.right, r.bottom, i == 0 ? dark : light);
                r.left++;
                r.right--;
            } else {
                display->Line(r.left, r.top, r.right, r.top, i == 0 ? light : dark);
                display->Line(r.left, r.bottom, r.right, r.bottom, i == 0 ? dark : light);
                r.top++;
                r.bottom--;
            }
        }
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (display && display->CurrentDC())
        display->Rectangle(r.left, r.top, r.right, r.bottom, face, true);
    return code;
}
