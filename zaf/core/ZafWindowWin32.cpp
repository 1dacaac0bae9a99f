// ZafWindow: the Windows window and the messages that reach it.

#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafWindowWalk.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <initializer_list>
#include <memory>
#include <vector>

using ZafWindowWalk::AsObject;
using ZafWindowWalk::ForEachObject;

// --- Windows window ------------------------------------------------------------------

bool ZafWindow::IsTopLevel() const
{
    return !parent || dynamic_cast<ZafWindowManager *>(parent) != nullptr;
}

DWORD ZafWindow::OSStyle() const
{
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!IsTopLevel()) {
        // A child window is shown with its parent unless it is hidden.
        style |= WS_CHILD | (HasFlag(flagVisible) ? WS_VISIBLE : 0);
        if (HasFlag(flagBordered) && !zaf3DLook)
            style |= WS_BORDER;
    } else {
        // The frame objects say which parts the frame has; a window built
        // without any of them gets the whole frame.
        const bool title = FindSupportObject(ZAF_NUMID_TITLE), system = FindSupportObject(ZAF_NUMID_SYSTEM);
        const bool minimize = FindSupportObject(ZAF_NUMID_MINIMIZE);
        const bool maximize = FindSupportObject(ZAF_NUMID_MAXIMIZE);
        style |= WS_OVERLAPPED;
        if (title || system || minimize || maximize)
            style |= (title ? WS_CAPTION : 0) | (system ? WS_SYSMENU : 0) | (minimize ? WS_MINIMIZEBOX : 0) |
                     (maximize ? WS_MAXIMIZEBOX : 0);
        else
            style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (HasFlag(flagSizeable) ? WS_MAXIMIZEBOX : 0);
        if (HasFlag(flagSizeable))
            style |= WS_THICKFRAME;
        if (HasFlag(flagMaximized))
            style |= WS_MAXIMIZE;
        else if (HasFlag(flagMinimized))
            style |= WS_MINIMIZE;
    }
    if (HasFlag(flagDisabled) && !layoutMode)
        style |= WS_DISABLED;
    // Scroll-bar support objects use the window's own scroll bars.
    if (FindSupportObject(ZAF_NUMID_HZ_SCROLL))
        style |= WS_HSCROLL;
    if (FindSupportObject(ZAF_NUMID_VT_SCROLL))
        style |= WS_VSCROLL;
    return style;
}

void ZafWindow::OSWindowDestroyed()
{
    ZafWindowObject::OSWindowDestroyed();
    // Support objects that borrowed the window's handle give it up.
    ForEachObject(*this, {&support}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        object->Event(ZafEventRecord(ZAF_DEINITIALIZE));
    });
}

DWORD ZafWindow::OSExtendedStyle() const
{
    return IsTopLevel() ? 0 : BorderStyle();
}

const char *ZafWindow::TitleText()
{
    if (ZafWindowObject *title = FindSupportObject(ZAF_NUMID_TITLE))
        if (title->Text())
            return title->Text();
    return stringID;
}

HWND ZafWindow::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow))
        return osWindow;
    HWND parentWindow = nullptr;
    if (!IsTopLevel()) {
        parentWindow = parent->DrawingHandle();
        if (!parentWindow)
            return nullptr;
    }
    const ZafRegionRect r = FramePlace();
    RECT place = {r.left, r.top, r.right + 1, r.bottom + 1};
    HMENU menu = parentWindow ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(numberID)) : nullptr;
    if (owner && IsTopLevel())
        parentWindow = owner->OSHandle(2);
    HWND window = ZafCreateOSWindowAt(this, OSClassName(), OSStyle(), TitleText(), parentWindow, OSExtendedStyle(),
                                      nullptr, place, menu);
    if (window && HasFlag(flagNoClose))
        EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return window;
}

void ZafWindow::DestroyOSWindow()
{
    if (!osWindow && !HasFlag(flagOwnWindow)) {
        // The children's windows stand in the window above this one and
        // would outlive it there.
        const ZafList *lists[] = {&support, this};
        for (const ZafList *list : lists)
            for (ZafElement *e = list->First(), *next = nullptr; e; e = next) {
                next = e->Next();
                AsObject(e)->Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
            }
        return;
    }
    ZafWindowObject::DestroyOSWindow();
}

HWND ZafWindow::OSHandle(int) const
{
    return osWindow;
}

ZafRegionRect ZafWindow::FramePlace() const
{
    ZafRegionRect r = GetWindowRegion();
    if (IsTopLevel() && HasFlag(flagRegionIsClientSize)) {
        RECT frame = {r.left, r.top, r.right + 1, r.bottom + 1};
        AdjustWindowRectEx(&frame, OSStyle(), FALSE, OSExtendedStyle());
        r = ZafRegionRect(frame.left, frame.top, frame.right - 1, frame.bottom - 1, ZAF_PIXEL);
    }
    return r;
}

void ZafWindow::MoveOSWindow()
{
    ApplyRegion();
}

void ZafWindow::ApplyRegion()
{
    if (osWindow && IsTopLevel()) {
        const ZafRegionRect r = FramePlace();
        HWND frame = OSHandle(2) ? OSHandle(2) : osWindow;
        MoveWindow(frame, r.left, r.top, r.Width(), r.Height(), TRUE);
        return;
    }
    ZafWindowObject::MoveOSWindow();
}

void ZafWindow::UpdateFont()
{
    ApplyFont();
}

void ZafWindow::ApplyFont()
{
    const bool redrawWasOn = HasFlag(flagRedraw);
    if (redrawWasOn)
        SetRedraw(false);
    // WM_SETFONT reaches the controls' handlers, which may delete objects.
    ZafTracker self(this);
    ForEachObject(*this, {&support, this},
                  [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) { object->UpdateFont(); });
    if (redrawWasOn && !self.Deleted())
        SetRedraw(true);
}

void ZafWindow::CreateChildren()
{
    ForEachObject(*this, {&support, this}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        object->Event(ZafEventRecord(ZAF_CREATE));
    });
}

ZafEventType ZafWindow::ScrollEvent(const ZafEventRecord &)
{
    return ZAF_UNKNOWN;
}

void ZafWindow::LayoutChildren()
{
    if (ZafWindowObject *geometry = FindSupportObject(ZAF_NUMID_GEOMETRY))
        geometry->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    ForEachObject(*this, {&support, this}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        if (object->NumberID() != ZAF_NUMID_GEOMETRY)
            object->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    });
}

// --- Messages ----------------------------------------------------------------------------

const ZafEventMap ZafWindow::windowEventMap[] = {
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_RETURN, ZAF_KEY_PRESS},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafWindow::MapEvent(const ZafEventRecord &event) const
{
    ZafEventType code = SearchEventMap(windowEventMap, event);
    return code != ZAF_NO_MAPPING ? code : ZafWindowObject::MapEvent(event);
}

ZafEventType ZafWindow::MenuCommand(const ZafEventRecord &event)
{
    ZafNumberID id = LOWORD(event.osEvent.wParam);
    ZafWindowObject *item = FindObjectByNumberID(id);
    // Only a menu item answers a menu command; a control with the same id
    // is not one.
    if (!item || !item->IsMenuItem())
        return ZAF_UNKNOWN;
    return item->Event(ZafEventRecord(ZAF_SELECT));
}

ZafEventType ZafWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    switch (m.message) {
    case WM_COMMAND:
        if (m.lParam == 0 && m.hwnd == osWindow && IsTopLevel() && HIWORD(m.wParam) <= 1) {
            // The window's own menu items come first, also when another
            // window is first in the window manager: number ids belong to
            // one window, and the first window would find another item of
            // that id or none. The item's user function may close (delete)
            // this window.
            ZafTracker self(this);
            ZafEventType code = MenuCommand(event);
            if (code != ZAF_UNKNOWN || self.Deleted())
                return 0;
            // A top-level window passes what it cannot route to the front window.
            if (zafWindowManager && zafWindowManager->FirstWindow() && zafWindowManager->FirstWindow() != this) {
                auto *front = dynamic_cast<ZafWindow *>(zafWindowManager->FirstWindow());
                if (front && front->MenuCommand(event) != ZAF_UNKNOWN)
                    return 0;
            }
        }
        break;
    case WM_CLOSE:
        if (IsTopLevel() && zafWindowManager && parent == zafWindowManager) {
            ZafEventRecord close(ZAF_CLOSE, this);
            // A queue at its maximum refuses the request: the close is then
            // handled at once rather than lost (nothing touches this after).
            if (!zafEventManager || !zafEventManager->Put(close, ZAF_QUEUE_TAIL))
                zafWindowManager->Event(close);
            return 0;
        }
        // A control's request to close its dialog (a multi-line edit's
        // Escape) that reached a child window goes on to the window above;
        // the class procedure would destroy the child window.
        if (!IsTopLevel() && GetParent(m.hwnd) && !(GetWindowLongA(m.hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            PostMessageA(GetParent(m.hwnd), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_NEXTDLGCTL:
        NextDialogControl(m.wParam, m.lParam);
        return 0;
    case DM_GETDEFID: {
        // A control finds the button by its id among this window's children.
        ZafWindowObject *button = GetDefaultButton(false);
        if (!button)
            button = GetDefaultButton(true);
        HWND buttonWindow = button ? button->OSHandle() : nullptr;
        if (buttonWindow && button->NumberID() && GetDlgItem(m.hwnd, button->NumberID()) == buttonWindow)
            return static_cast<ZafEventType>(MAKELRESULT(button->NumberID(), DC_HASDEFID));
        return 0;
    }
    case WM_SIZE:
        if (m.wParam != SIZE_MINIMIZED) {
            Event(ZafEventRecord(ZAF_REGION_CHANGED));
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (IsTopLevel() && !IsIconic(m.hwnd)) {
            RECT frame;
            GetWindowRect(m.hwnd, &frame);
            // A region that gives the client size takes the client area:
            // the frame's place would grow the window at every apply.
            if (HasFlag(flagRegionIsClientSize)) {
                GetClientRect(m.hwnd, &frame);
                MapWindowPoints(m.hwnd, nullptr, reinterpret_cast<POINT *>(&frame), 2);
            }
            ZafRegionRect r(frame.left, frame.top, frame.right - 1, frame.bottom - 1, ZAF_PIXEL);
            ConvertRegion(r, coordinateType);
            region = r;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.lParam == 0) {
            // The window's own scroll bar: its support object keeps its
            // scroll data in step first.
            if (ZafWindowObject *bar =
                    FindSupportObject(m.message == WM_VSCROLL ? ZAF_NUMID_VT_SCROLL : ZAF_NUMID_HZ_SCROLL))
                bar->HandleOSMessage(event);
            ZafEventRecord scroll(m.message == WM_VSCROLL ? ZAF_SCROLL_VERTICAL : ZAF_SCROLL_HORIZONTAL);
            scroll.osEvent = m;
            switch (LOWORD(m.wParam)) {
            case SB_LINEUP:
                scroll.scroll.step = -1;
                break;
            case SB_LINEDOWN:
                scroll.scroll.step = 1;
                break;
            case SB_PAGEUP:
                scroll.scroll.step = -2;
                break;
            case SB_PAGEDOWN:
                scroll.scroll.step = 2;
                break;
            default:
                scroll.scroll.step = 0;
                break;
            }
            if (scroll.scroll.step != 0 && ScrollEvent(scroll) != ZAF_UNKNOWN)
                return 0;
        }
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}
