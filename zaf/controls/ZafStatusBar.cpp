// ZafStatusBar: construction, persistence, events and drawing.
#include "zaf/controls/ZafStatusBar.h"

#include "zaf/controls/ZafFrameToFront.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStaticCleanup.h"

#include <cstring>

namespace {

constexpr ZafPaletteStruct FaceColors()
{
    ZafPaletteStruct p;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.monoForeground = 2;
    p.monoBackground = 0;
    p.font = ZAF_FONT_DIALOG;
    return p;
}

// The size grip, one row a line: '.' background, H highlight (16), D dark
// grey (8), L light grey (7).
constexpr int gripSide = 14;
constexpr const char *gripRows[gripSide] = {
    ".............H", "............HL", "...........HDL", "..........HDDL", ".........HDDLL",
    "........HDDLHL", ".......HDDLHDL", "......HDDLHDDL", ".....HDDLHDDLL", "....HDDLHDDLHL",
    "...HDDLHDDLHDL", "..HDDLHDDLHDDL", ".HDDLHDDLHDDLL", "HLLLLLLLLLLLLL",
};
std::uint8_t gripPixels[gripSide * gripSide];
ZafBitmapData *gripImage = nullptr;

} // namespace

ZafBitmapData *ZafStatusBar::LoadSizeGripImage()
{
    if (gripImage)
        return gripImage;
    for (int y = 0; y < gripSide; ++y)
        for (int x = 0; x < gripSide; ++x) {
            const char c = gripRows[y][x];
            gripPixels[y * gripSide + x] = c == 'H' ? 16 : c == 'D' ? 8 : c == 'L' ? 7 : 255;
        }
    gripImage = new ZafBitmapData(ZafBitmapStruct(gripSide, gripSide, gripPixels, true));
    gripImage->SetDestroyable(false);
    RegisterStaticCleanup(ReleaseSizeGripImage, nullptr, 0);
    return gripImage;
}

void ZafStatusBar::ReleaseSizeGripImage(std::uint8_t)
{
    delete gripImage;
    gripImage = nullptr;
}

const ZafPaletteMap ZafStatusBar::paletteMap[] = {
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, FaceColors()},
    {0, 0, ZafPaletteStruct()},
};

// --- Construction ----------------------------------------------------------------

ZafStatusBar::ZafStatusBar(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    Construct();
}

ZafStatusBar::ZafStatusBar(const ZafStatusBar &copy) : ZafWindow(copy)
{
    Construct();
    for (ZafElement *e = First(); e; e = e->Next())
        Adopt(static_cast<ZafWindowObject *>(e));
}

void ZafStatusBar::Construct()
{
    LoadSizeGripImage();
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagNoFocus, true);
    focus = false;
    SetFlagTo(flagSupportObject, true);
    SetFlagTo(flagSystemDrawn, false);
    regionType = 2;
    SetFlagTo(flagAcceptDrop, false);
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, SetFlagTo(flagTemporary, false))));
    SetFlagTo(flagMaximized, SetFlagTo(flagMinimized, SetFlagTo(flagModal, SetFlagTo(flagPlainKeyHotKeys, false))));
    userFunction = nullptr;
}

void ZafStatusBar::Adopt(ZafWindowObject *child)
{
    child->SetOwnWindow(false);
    child->SetNoClassPalette(true);
    child->SetParentDrawsBorder(true);
}

bool ZafStatusBar::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafStatusBar::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

ZafWindowObject *ZafStatusBar::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (object && !object->SupportObject())
        Adopt(object);
    return ZafWindow::AddObject(object, before);
}

// --- Persistence -------------------------------------------------------------------

ZafStatusBar::ZafStatusBar(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    Construct();
    for (ZafElement *e = First(); e; e = e->Next())
        Adopt(static_cast<ZafWindowObject *>(e));
}

ZafElement *ZafStatusBar::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafStatusBar(name, persistence);
}

void ZafStatusBar::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafStatusBar::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafStatusBar::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_APPLY_GEOMETRY: {
        // Whatever places the bar, it keeps its height on the bottom edge.
        const ZafRegionRect before = region;
        const ZafEventType result = ZafWindowObject::Event(event);
        if (region.Height() != before.Height()) {
            region.top = region.bottom - before.Height() + 1;
            MoveOSWindow();
        }
        return result;
    }
    case ZAF_REGION_CHANGED: {
        const ZafEventType result = ZafWindow::Event(event);
        // The whole bar is repainted, not only the strip at its right end:
        // its windowless children are placed anew with it and would leave
        // their old pictures behind (the event carries no previous region
        // to narrow the area to).
        if (osWindow)
            InvalidateRect(osWindow, nullptr, TRUE);
        return result;
    }
    default:
        return ZafWindow::Event(event);
    }
}

ZafEventType ZafStatusBar::HandleOSMessage(const ZafEventRecord &event)
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

// --- Drawing -------------------------------------------------------------------------

DWORD ZafStatusBar::OSStyle() const
{
    return WS_CHILD | WS_CLIPSIBLINGS | (HasFlag(flagVisible) ? WS_VISIBLE : 0);
}

ZafEventType ZafStatusBar::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect r = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (HasFlag(flagBordered)) {
        if ((code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_AREA) && display && display->CurrentDC()) {
            display->Line(r.left, r.top, r.right, r.top, TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW)));
            display->Line(r.left, r.top + 1, r.right, r.top + 1,
                          TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT)));
        }
        r.top += borderWidth;
    }
    DrawBackground(r, code);
    return code;
}

ZafEventType ZafStatusBar::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    return DrawEdges(rect, -1, code);
}

void ZafStatusBar::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_BACKGROUND) {
        ZafWindow::ResolveSystemColors(entry, type, state);
        return;
    }
    entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE));
    entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE));
}

COLORREF ZafStatusBar::BackgroundColor() const
{
    ZafPaletteStruct entry;
    ResolveSystemColors(entry, ZAF_PM_BACKGROUND, PaletteState());
    return static_cast<COLORREF>(entry.osColorBackground);
}

// --- Coordinates ----------------------------------------------------------------

ZafRegionRect ZafStatusBar::ClientRegion() const
{
    ZafRegionRect r = region;
    ZafWindowObject::ConvertRegion(r, ZAF_PIXEL);
    const int top = ZafDisplay::ForConversion().PreSpace() + (HasFlag(flagBordered) ? borderWidth : 0);
    return ZafRegionRect(0, top, r.Width() - 1, r.Height() - 1, ZAF_PIXEL);
}

void ZafStatusBar::ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const
{
    if (rect.coordinateType == type || !ZafIsCoordinateType(rect.coordinateType) || !ZafIsCoordinateType(type)) {
        ZafWindowObject::ConvertRegion(rect, type);
        return;
    }
    const ZafDisplay &display = ZafDisplay::ForConversion();
    const int b = (HasFlag(flagBordered) ? borderWidth : 0) - display.PostSpace();
    if (type == ZAF_CELL && b)
        rect.bottom -= display.ConvertYValue(b, ZAF_PIXEL, rect.coordinateType);
    ZafWindowObject::ConvertRegion(rect, type);
    if (coordinateType == ZAF_CELL && b)
        rect.bottom += display.ConvertYValue(b, ZAF_PIXEL, type);
}
