#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"

#include <algorithm>

namespace {

ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

} // namespace

ZafMDIWindow::ZafMDIWindow(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{}

ZafMDIWindow::ZafMDIWindow(const ZafMDIWindow &copy) : ZafWindow(copy)
{}

ZafMDIWindow::~ZafMDIWindow()
{
    // ~ZafWindow would destroy the window too, but no longer reaches this
    // class's DestroyOSWindow: a child would go by DestroyWindow and stay
    // the client's active child.
    if (osWindow && ZafObjectFromHandle(osWindow) == this)
        DestroyOSWindow();
}

ZafMDIWindow::ZafMDIWindow(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry))
{
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafMDIWindow::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafMDIWindow(name, persistence);
}

void ZafMDIWindow::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
}

bool ZafMDIWindow::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafMDIWindow::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafWindowObject *ZafMDIWindow::Duplicate() const
{
    return new ZafMDIWindow(*this);
}

bool ZafMDIWindow::IsMDIChild() const
{
    return dynamic_cast<ZafMDIWindow *>(parent) != nullptr;
}

const char *ZafMDIWindow::OSClassName() const
{
    return IsMDIChild() ? "ZafMDIChild" : "ZafMDIFrame";
}

HWND ZafMDIWindow::OSHandle(int kind) const
{
    return kind == 1 && client ? client : osWindow;
}

bool ZafMDIWindow::SetMaximized(bool flag)
{
    SetFlagTo(flagMaximized, flag);
    if (osWindow && IsMDIChild()) {
        auto *frame = static_cast<ZafMDIWindow *>(parent);
        SendMessageA(frame->client, flag ? WM_MDIMAXIMIZE : WM_MDIRESTORE, reinterpret_cast<WPARAM>(osWindow), 0);
    }
    return HasFlag(flagMaximized);
}

ZafMDIWindow *ZafMDIWindow::ActiveChild() const
{
    if (!client)
        return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<ZafMDIWindow *>(ZafObjectFromHandle(active));
}

HWND ZafMDIWindow::CreateOSWindow()
{
    if (osWindow)
        return osWindow;
    if (!IsMDIChild()) {
        if (!IsTopLevel())
            return ZafWindow::CreateOSWindow();
        if (!ZafWindow::CreateOSWindow())
            return nullptr;
        CLIENTCREATESTRUCT info = {windowMenu, firstChildCommand};
        RECT area;
        GetClientRect(osWindow, &area);
        client = CreateWindowExA(zaf3DLook ? WS_EX_CLIENTEDGE : 0, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, area.right,
                                 area.bottom, osWindow, nullptr, ZafInstance(), &info);
        return osWindow;
    }
    auto *frame = static_cast<ZafMDIWindow *>(parent);
    if (!frame->client)
        return nullptr;
    ZafRegionRect r = GetWindowRegion();
    struct Arguments
    {
        ZafMDIWindow *window;
        HWND client;
        ZafRegionRect place;
    } arguments = {this, frame->client, r};
    return ZafBindCreatedWindow(
        this,
        [](void *context) {
            auto *a = static_cast<Arguments *>(context);
            DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW;
            if (!a->window->Visible())
                style &= ~WS_VISIBLE;
            else
                style |= WS_VISIBLE;
            if (a->window->Maximized())
                style |= WS_MAXIMIZE;
            else if (a->window->Minimized())
                style |= WS_MINIMIZE;
            return CreateMDIWindowA("ZafMDIChild", a->window->TitleText() ? a->window->TitleText() : "", style,
                                    a->place.left, a->place.top, a->place.Width(), a->place.Height(), a->client,
                                    ZafInstance(), 0);
        },
        &arguments);
}

void ZafMDIWindow::DestroyOSWindow()
{
    HWND window = osWindow;
    if (window && IsMDIChild() && ZafObjectFromHandle(window) == this) {
        auto *frame = static_cast<ZafMDIWindow *>(parent);
        SetOSHandle(nullptr);
        RemovePropA(window, "ZafObject");
        if (frame->client && IsWindow(window))
            SendMessageA(frame->client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        OSWindowDestroyed();
        return;
    }
    ZafWindow::DestroyOSWindow();
    client = nullptr;
}

HMENU ZafMDIWindow::SetWindowMenu(HMENU menu)
{
    windowMenu = menu;
    if (client && menu) {
        // A null frame menu keeps the frame's menu bar as it is.
        SendMessageA(client, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(menu));
        // Wine lists the children in a first window menu only at the next
        // refresh; Windows at once. Asking for the refresh suits both.
        SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
        DrawMenuBar(osWindow);
    }
    return windowMenu;
}

ZafEventType ZafMDIWindow::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const bool created = osWindow != nullptr;
        ZafEventType code = ZafWindow::Event(event);
        // The bars exist only now that the children are made.
        if (!created && client)
            LayoutChildren();
        return code;
    }
    case ZAF_CLOSE_QUERY:
        if (IsMDIChild())
            break;
        // Closing the frame closes its documents: each may refuse.
        for (ZafElement *e = First(), *next = nullptr; e; e = next) {
            next = e->Next();
            if (dynamic_cast<ZafMDIWindow *>(AsObject(e)) && AsObject(e)->Event(event) != 0)
                return ZAF_REFUSED;
        }
        return 0;
    default:
        break;
    }
    return ZafWindow::Event(event);
}

ZafWindowObject *ZafMDIWindow::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    ZafWindowObject *added = ZafWindow::AddObject(object, before);
    if (added && client && added->DockEdge() != ZAF_DOCK_NONE)
        LayoutChildren();
    return added;
}

ZafWindowObject *ZafMDIWindow::SubtractObject(ZafWindowObject *object)
{
    const bool docked = object && object->Parent() == this && object->DockEdge() != ZAF_DOCK_NONE;
    ZafWindowObject *subtracted = ZafWindow::SubtractObject(object);
    if (docked && client)
        LayoutChildren();
    return subtracted;
}

void ZafMDIWindow::Dock(ZafWindowObject *object, ZafDockEdge edge, RECT &free)
{
    ZafRegionRect own = object->Region();
    object->ConvertRegion(own, ZAF_PIXEL);
    const bool across = edge == ZAF_DOCK_TOP || edge == ZAF_DOCK_BOTTOM;
    const LONG room = across ? free.bottom - free.top : free.right - free.left;
    const LONG thickness = std::clamp<LONG>(across ? own.Height() : own.Width(), 0, std::max<LONG>(room, 0));
    RECT strip = free;
    switch (edge) {
    case ZAF_DOCK_TOP:
        free.top += thickness;
        strip.bottom = free.top;
        break;
    case ZAF_DOCK_BOTTOM:
        free.bottom -= thickness;
        strip.top = free.bottom;
        break;
    case ZAF_DOCK_LEFT:
        free.left += thickness;
        strip.right = free.left;
        break;
    case ZAF_DOCK_RIGHT:
        free.right -= thickness;
        strip.left = free.right;
        break;
    case ZAF_DOCK_NONE:
        return;
    }
    // Kept in pixels: a strip converted to cells would miss the frame's
    // edge or the client's by the rounding.
    object->SetRegion(ZafRegionRect(strip.left, strip.top, strip.right - 1, strip.bottom - 1, ZAF_PIXEL));
    object->MoveOSWindow();
}

void ZafMDIWindow::LayoutChildren()
{
    if (!client) {
        ZafWindow::LayoutChildren();
        return;
    }
    if (ZafWindowObject *geometry = FindSupportObject(ZAF_NUMID_GEOMETRY))
        geometry->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    RECT free;
    GetClientRect(osWindow, &free);
    const ZafList *lists[] = {&support, this};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(), *next = nullptr; e; e = next) {
            next = e->Next();
            ZafWindowObject *object = AsObject(e);
            // The client arranges the MDI children (moving them to their
            // regions here would undo the user's moves and maximizing).
            if (e->NumberID() == ZAF_NUMID_GEOMETRY || dynamic_cast<ZafMDIWindow *>(object))
                continue;
            // A bar sizes itself (a tool bar lays its buttons out) before it
            // is docked with that size.
            object->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
            if (object->DockEdge() != ZAF_DOCK_NONE)
                Dock(object, object->DockEdge(), free);
        }
    MoveWindow(client, free.left, free.top, std::max<LONG>(free.right - free.left, 0),
               std::max<LONG>(free.bottom - free.top, 0), TRUE);
}

ZafEventType ZafMDIWindow::CloseFromTitleBar(const MSG &message)
{
    if (Event(ZafEventRecord(ZAF_CLOSE_QUERY)) != 0)
        return 0;
    // A query that deleted the child took its window with it: the object
    // is not touched then.
    if (ZafObjectFromHandle(message.hwnd) != this)
        return 0;
    auto *frame = static_cast<ZafWindow *>(parent);
    bool destroy = HasFlag(flagDestroyable);
    frame->SubtractObject(this);
    if (destroy)
        delete this; // nothing touches the object after this
    return 0;
}

ZafEventType ZafMDIWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (m.message == WM_CLOSE && IsMDIChild())
        return CloseFromTitleBar(m);
    if (m.message == WM_SIZE && client && !IsMDIChild()) {
        // The frame sizes its client itself: DefFrameProc would give it the
        // whole client area, under the tool bars and the status bar.
        if (m.wParam != SIZE_MINIMIZED)
            Event(ZafEventRecord(ZAF_REGION_CHANGED));
        return 0;
    }
    return ZafWindow::HandleOSMessage(event);
}
