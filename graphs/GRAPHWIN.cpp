#include "graphs/GRAPHWIN.h"

#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphSettings.h"
#include "graphs/TEKSTELEMENT.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafPrinter.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/controls/ZafPopUpMenu.h"

#include <algorithm>
#include <cstring>

GRAPHWIN::GRAPHWIN(int left, int top, int width, int height)
    : GraphWindowBase(this), ZafWindow(left, top, width, height), elements(this), userTexts(this)
{
    DrawStyle::InitDefaults(nullptr, 0);
    // The window paints itself (Draw), not through its window class.
    SetFlagTo(flagSystemDrawn, false);
    SetBackgroundColor(ZAF_COLOR_WHITE, -2);
    SetStringID("GRAPHWIN");
    WindowDefaultStyle.SetFillRGB(255, 255, 255);
    WindowDefaultStyle.SetSecondRGB(255, 255, 255);
    WindowDefaultStyle.SetGreyLevels(255, 255);
}

GRAPHWIN::~GRAPHWIN()
{
    BeginDeletion();
    // The window goes first, so that no paint reaches a half-deleted graph.
    DestroyOSWindow();
    SetDrawDC(nullptr);
    ClearElements();
    for (element *text : userTexts)
        delete text;
    if (drawStyle) {
        drawStyle->DeleteObjects();
        delete drawStyle;
    }
    delete[] metafileName;
    delete rubberBand;
    if (contextMenu) {
        if (contextMenu->Parent() && zafWindowManager)
            zafWindowManager->SubtractObject(contextMenu);
        delete contextMenu;
    }
    HideLabel();
}

// --- Building ------------------------------------------------------------------------

void GRAPHWIN::AddElement(element *item)
{
    if (!item)
        return;
    item->Attach(this);
    elements.Append(item);
    const std::string key = item->Identity().empty() ? item->ContentKey() : item->Identity();
    item->SetIdentity(key + "#" + std::to_string(identityCounts[key]++));
    if (item->kind == element::kindText && OSHandle())
        static_cast<TEKSTELEMENT *>(item)->Measure();
    item->reference = item->logical;
}

void GRAPHWIN::ClearElements()
{
    while (element *item = elements.Last()) {
        elements.Remove(item);
        if (item == selected)
            selected = nullptr;
        if (!userTexts.Contains(item))
            delete item;
    }
    elements.ResetCounter();
    identityCounts.clear();
}

void GRAPHWIN::RemoveElement(element *item)
{
    if (item == selected)
        DropSelection();
    userTexts.Remove(item);
    elements.Remove(item);
}

void GRAPHWIN::AddUserText(element *item)
{
    if (!item || userTexts.Contains(item))
        return;
    if (!elements.Contains(item))
        AddElement(item);
    userTexts.Append(item, item->sequence);
}

void GRAPHWIN::RestoreUserTexts()
{
    // The rebuilt element to replace is found by its identity, not
    // by its sequence number, so that a rebuild that adds its elements in
    // another order (a title switched off) replaces the right one.
    for (element *text : userTexts) {
        for (element *item : elements)
            if (item != text && item->Identity() == text->Identity()) {
                elements.Remove(item);
                if (item == selected)
                    selected = nullptr;
                delete item;
                break;
            }
        if (!elements.Contains(text))
            elements.Append(text, text->sequence);
    }
}

void GRAPHWIN::Rebuild()
{
    ClearElements();
    if (OSHandle()) {
        ZafDrawPass pass(*this);
        const ZafRegionRect area = pass.Area();
        view = ElementRect{area.left, area.top, area.right, area.bottom, ZAF_PIXEL};
    }
    BuildAgain();
    SendRedisplay(this);
}

void GRAPHWIN::BuildAgain()
{
    SetDrawDC(nullptr);
    BuildGraph();
    built = 1;
    RestoreUserTexts();
}

void GRAPHWIN::SetDrawStyle(const DrawStyle *style)
{
    // The previous style is reused (its brush deleted and made again), so
    // that no style or brush is left behind at a build.
    if (!drawStyle)
        drawStyle = new DrawStyle;
    drawStyle->DeleteObjects();
    drawStyle->CopyFrom(style ? *style : WindowDefaultStyle);
    drawStyle->created = 0;
    drawStyle->CreateObjects();
}

// --- Coordinates ---------------------------------------------------------------------

void GRAPHWIN::ToDeviceUnits(int &x, int &y) const
{
    if (!OSHandle())
        return;
    const long long w = view.right - view.left + 1, h = view.bottom - view.top + 1;
    x = static_cast<int>(w * x / logicalWidth);
    y = static_cast<int>(h * y / logicalHeight);
}

void GRAPHWIN::ToLogicalUnits(int &x, int &y) const
{
    if (!OSHandle())
        return;
    // A view not yet set (or collapsed) has no scale; the values stay.
    const long long w = view.right - view.left + 1, h = view.bottom - view.top + 1;
    if (w > 0)
        x = static_cast<int>(static_cast<long long>(x) * logicalWidth / w);
    if (h > 0)
        y = static_cast<int>(static_cast<long long>(y) * logicalHeight / h);
}

void GRAPHWIN::ElementToDevice(element *item)
{
    if (!item->HasFlag(element::flagStale) || !OSHandle())
        return;
    if (item->logical.AllZero()) {
        // An element of no place covers the whole pane, fitted at every draw.
        item->device = view;
    } else {
        item->device = item->logical;
        ToDeviceUnits(item->device.left, item->device.top);
        ToDeviceUnits(item->device.right, item->device.bottom);
        item->ClearFlag(element::flagStale);
    }
    if (item->parent)
        item->parent->Widen(item);
}

void GRAPHWIN::ElementToLogical(element *item)
{
    item->logical = item->device;
    ToLogicalUnits(item->logical.left, item->logical.top);
    ToLogicalUnits(item->logical.right, item->logical.bottom);
}

ZafEventType GRAPHWIN::DrawFocus(ZafRegionRect &rect, ZafEventType code)
{
    DrawFocusMarks(ElementRect{rect.left, rect.top, rect.right, rect.bottom, ZAF_PIXEL});
    return code;
}

void GRAPHWIN::OutputScale(int &numerator, int &denominator, int &originX, int &originY) const
{
    numerator = denominator = 1;
    originX = originY = 0;
    const ZafDisplay *display = printer ? static_cast<const ZafDisplay *>(printer) : zafScreenDisplay;
    if (!display)
        return;
    display->GetScale(numerator, denominator);
    display->GetOrigin(originX, originY);
    if (denominator == 0)
        numerator = denominator = 1;
}

// --- Contexts ------------------------------------------------------------------------

HDC GRAPHWIN::GetDrawDC()
{
    if (!drawDC && OSHandle()) {
        drawDC = GetDC(OSHandle());
        drawDCWindow = OSHandle();
    }
    return drawDC;
}

void GRAPHWIN::SetDrawDC(HDC dc)
{
    if (drawDCWindow && drawDC)
        ReleaseDC(drawDCWindow, drawDC);
    drawDCWindow = nullptr;
    drawDC = dc;
}

ZafRegionRect GRAPHWIN::BeginDraw()
{
    GetDrawDC();
    return ZafWindow::BeginDraw();
}

ZafEventType SendRedisplay(ZafWindowObject *object)
{
    return object ? object->Event(ZafEventRecord(ZAF_REDISPLAY)) : ZAF_UNKNOWN;
}

void GRAPHWIN::LayoutChildren()
{
    ZafWindow::LayoutChildren();
    RECT client = {};
    if (!built || !OSHandle() || !GetClientRect(OSHandle(), &client) || client.right <= 0 || client.bottom <= 0)
        return;
    if (client.right != view.right - view.left + 1 || client.bottom != view.bottom - view.top + 1)
        Rescale(client.right, client.bottom);
}

namespace {

// Calls f on every element of the list and, inside groups, on their
// children.
template <class F> void ForEachElement(const GROBJ_LIST &list, const F &f)
{
    for (element *item : list) {
        f(item);
        if (auto *group = item->kind == element::kindGroup ? dynamic_cast<GROUPELEMENT *>(item) : nullptr)
            ForEachElement(group->Children(), f);
    }
}

} // namespace

void GRAPHWIN::Rescale(int width, int height)
{
    if (LayoutFollowsSize() && !shapesMoved && OSHandle()) {
        view = ElementRect{0, 0, width - 1, height - 1, ZAF_PIXEL};
        ClearElements();
        BuildAgain();
        SendRedisplay(this);
        return;
    }
    // Whatever the user moved or resized stands in pixels apart from its
    // logical place: that place is carried into logical units on the old
    // view first, so that it scales with the rest instead of snapping back.
    ForEachElement(elements, [this](element *item) {
        if (!item->HasFlag(element::flagStale) && !item->logical.AllZero()) {
            ElementRect placed = item->logical;
            ToDeviceUnits(placed.left, placed.top);
            ToDeviceUnits(placed.right, placed.bottom);
            if (placed.left != item->device.left || placed.top != item->device.top ||
                placed.right != item->device.right || placed.bottom != item->device.bottom)
                ElementToLogical(item);
        }
        item->SetFlag(element::flagStale);
    });
    view = ElementRect{0, 0, width - 1, height - 1, ZAF_PIXEL};
    SendRedisplay(this);
}

// --- Events --------------------------------------------------------------------------

ZafEventType GRAPHWIN::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_COPY:
        CopyToClipboard();
        return event.type;
    case saveMetafileEvent:
        SaveMetafile();
        return event.type;
    case ZAF_APPLY_GEOMETRY: {
        const ZafEventType result = ZafWindow::Event(event);
        if (!built) {
            if (OSHandle()) {
                RECT client;
                GetClientRect(OSHandle(), &client);
                view = ElementRect{0, 0, client.right - 1, client.bottom - 1, ZAF_PIXEL};
            }
            BuildGraph();
            built = 1;
            return result;
        }
        selected = nullptr;
        return result;
    }
    case ZAF_CREATE_OS_WINDOW: {
        ZafWindow::Event(event);
        // The cursor is set per window on WM_SETCURSOR; the window class's
        // cursor, shared with other windows, stays as it is.
        if (OSHandle()) {
            if (auto *events = dynamic_cast<ZafOSEventManager *>(zafEventManager))
                events->SendToDevice(ZAF_MOUSE_EVENT, ZAF_MOUSE_ARROW);
        }
        return 0;
    }
    default:
        return InteractionEvent(event);
    }
}
