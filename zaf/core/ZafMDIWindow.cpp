#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"

ZafMDIWindow::ZafMDIWindow(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
}

ZafMDIWindow::ZafMDIWindow(const ZafMDIWindow &copy) : ZafWindow(copy)
{
}

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
    maximized = flag;
    if (osWindow && IsMDIChild()) {
        auto *frame = static_cast<ZafMDIWindow *>(parent);
        SendMessageA(frame->client, flag ? WM_MDIMAXIMIZE : WM_MDIRESTORE, reinterpret_cast<WPARAM>(osWindow), 0);
    }
    return maximized;
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
        CLIENTCREATESTRUCT info = {nullptr, 0xFF00};
        RECT area;
        GetClientRect(osWindow, &area);
        client = CreateWindowExA(zaf3DLook ? WS_EX_CLIENTEDGE : 0, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                 area.right, area.bottom, osWindow, nullptr, ZafInstance(), &info);
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

ZafEventType ZafMDIWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (m.message == WM_CLOSE && IsMDIChild()) {
        auto *frame = static_cast<ZafWindow *>(parent);
        bool destroy = destroyable;
        frame->SubtractObject(this);
        if (destroy)
            delete this; // nothing touches the object after this
        return 0;
    }
    if (m.message == WM_SIZE && client && !IsMDIChild()) {
        // The frame's own handling sizes the client to the free area.
        ZafEventType result = static_cast<ZafEventType>(ZafCallClassWindowProc(event));
        Event(ZafEventRecord(ZAF_REGION_CHANGED));
        return result;
    }
    return ZafWindow::HandleOSMessage(event);
}
