// ZafWindowObject: native notifications. A window passes what it receives
// about a control to the control's object by the control's window handle,
// menu upkeep to the object that registered the menu, and each object
// answers through one handler per message.
#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafGdiDisplay.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The notification being passed to an object, so that the object can tell
// it from a message of its own with the same values and say when it
// declines it (the sender then gives the default answer).
struct Passing
{
    const ZafWindowObject *target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool declined;
};
Passing *passing = nullptr;

// The objects that own menu handles (few: the menus of the open windows).
std::vector<std::pair<HMENU, ZafWindowObject *>> menuOwners;

bool IsControlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The window of the control that a message to its parent is about; null
// for none (a menu command, a message of no control).
HWND ControlOf(const MSG &m)
{
    switch (m.message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return reinterpret_cast<HWND>(m.lParam);
    case WM_NOTIFY: {
        auto *header = reinterpret_cast<const NMHDR *>(m.lParam);
        return header ? header->hwndFrom : nullptr;
    }
    case WM_DRAWITEM: {
        auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(m.lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        // The one message that names its control by id: ids are unique
        // among the children the library makes (ZafCreateOSWindowAt).
        auto *item = reinterpret_cast<const MEASUREITEMSTRUCT *>(m.lParam);
        return item && item->CtlType != ODT_MENU ? GetDlgItem(m.hwnd, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM: {
        auto *item = reinterpret_cast<const COMPAREITEMSTRUCT *>(m.lParam);
        return item ? item->hwndItem : nullptr;
    }
    case WM_DELETEITEM: {
        auto *item = reinterpret_cast<const DELETEITEMSTRUCT *>(m.lParam);
        return item ? item->hwndItem : nullptr;
    }
    default:
        return IsControlColor(m.message) ? reinterpret_cast<HWND>(m.lParam) : nullptr;
    }
}

// The registered owner of the menu that a menu message is about; null when
// the message is no menu upkeep or the menu has no owner.
ZafWindowObject *MenuOwnerOf(const MSG &m)
{
    switch (m.message) {
    case WM_INITMENUPOPUP:
        return ZafWindowObject::MenuOwner(reinterpret_cast<HMENU>(m.wParam));
    case WM_MENUSELECT:
        // A closing menu (flags 0xFFFF) names no menu.
        return m.lParam ? ZafWindowObject::MenuOwner(reinterpret_cast<HMENU>(m.lParam)) : nullptr;
    case WM_DRAWITEM: {
        auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(m.lParam);
        return item && item->CtlType == ODT_MENU ? ZafWindowObject::MenuOwner(reinterpret_cast<HMENU>(item->hwndItem))
                                                 : nullptr;
    }
    default:
        return nullptr;
    }
}

} // namespace

// --- Passing notifications on -------------------------------------------------

ZafWindowObject *ZafWindowObject::MenuItemOf(const MSG &m)
{
    // An owner-drawn menu item is measured and drawn by its command id, as
    // menu commands reach it.
    UINT id = 0;
    if (m.message == WM_MEASUREITEM) {
        auto *item = reinterpret_cast<const MEASUREITEMSTRUCT *>(m.lParam);
        if (!item || item->CtlType != ODT_MENU)
            return nullptr;
        id = item->itemID;
    } else if (m.message == WM_DRAWITEM) {
        auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(m.lParam);
        if (!item || item->CtlType != ODT_MENU)
            return nullptr;
        id = item->itemID;
    } else {
        return nullptr;
    }
    ZafWindowObject *found = FindObjectByNumberID(static_cast<ZafNumberID>(id));
    return found && found->IsMenuItem() ? found : nullptr;
}

bool ZafWindowObject::RouteNotification(const ZafEventRecord &event, LRESULT &result)
{
    const MSG &m = event.osEvent;
    ZafWindowObject *target = MenuItemOf(m);
    if (!target)
        target = MenuOwnerOf(m);
    HWND control = nullptr;
    if (!target) {
        control = ControlOf(m);
        if (!control || control == m.hwnd)
            return false;
        target = ZafObjectFromHandle(control);
    }
    if (!target || target == this)
        return false;
    // WM_COMMAND reaches the control with no control handle.
    const LPARAM lParam = control && m.message == WM_COMMAND ? 0 : m.lParam;
    Passing pass = {target, m.message, m.wParam, lParam, false};
    Passing *outer = passing;
    passing = &pass;
    if (control) {
        result = SendMessageA(control, m.message, m.wParam, lParam);
    } else {
        // A menu's owner has no window of its own to send to.
        result = target->Event(event);
    }
    passing = outer;
    return !pass.declined;
}

bool ZafWindowObject::HandleNotification(const ZafEventRecord &event, LRESULT &result)
{
    const MSG &m = event.osEvent;
    Passing *pass = passing;
    const bool passed = pass && pass->target == this && pass->message == m.message && pass->wParam == m.wParam &&
                        pass->lParam == m.lParam;
    // Also a notification about this object sent to its own window, and
    // the upkeep of a menu it owns.
    if (!passed && !(osWindow && m.hwnd == osWindow && ControlOf(m) == osWindow) && MenuOwnerOf(m) != this &&
        MenuItemOf(m) != this)
        return false;
    if (passed)
        passing = nullptr;
    ZafEventType code = ZAF_UNKNOWN;
    switch (m.message) {
    case WM_COMMAND:
        code = HandleCommand(event, HIWORD(m.wParam));
        break;
    case WM_NOTIFY:
        code = HandleNotify(event, *reinterpret_cast<NMHDR *>(m.lParam));
        break;
    case WM_DRAWITEM:
        code = HandleDrawItem(event, *reinterpret_cast<DRAWITEMSTRUCT *>(m.lParam));
        break;
    case WM_MEASUREITEM:
        code = HandleMeasureItem(event, *reinterpret_cast<MEASUREITEMSTRUCT *>(m.lParam));
        break;
    case WM_COMPAREITEM:
        code = HandleCompareItem(event, *reinterpret_cast<const COMPAREITEMSTRUCT *>(m.lParam));
        break;
    case WM_DELETEITEM:
        code = HandleDeleteItem(event, *reinterpret_cast<const DELETEITEMSTRUCT *>(m.lParam));
        break;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        code = HandleListKey(event, LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), m.message == WM_CHARTOITEM);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        code = HandleScroll(event, LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)));
        break;
    case WM_INITMENUPOPUP:
        code = HandleInitMenuPopup(event, reinterpret_cast<HMENU>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam) != 0);
        break;
    case WM_MENUSELECT:
        code = HandleMenuSelect(event, LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<HMENU>(m.lParam));
        break;
    default:
        if (IsControlColor(m.message))
            code = HandleControlColor(event, reinterpret_cast<HDC>(m.wParam));
        break;
    }
    // The handler may have deleted this object: only locals are used now.
    // A list-box key answer of -2 (handled) is no refusal.
    const bool listKey = m.message == WM_VKEYTOITEM || m.message == WM_CHARTOITEM;
    if (code == ZAF_UNKNOWN && !listKey) {
        if (!passed)
            return false;
        // What the object declines gets its sender's default answer, not
        // the answer of the control's class, which never expects a
        // parent's notification.
        pass->declined = true;
        result = 0;
        return true;
    }
    result = code;
    return true;
}

// --- The handlers' defaults -------------------------------------------------------

ZafEventType ZafWindowObject::HandleCommand(const ZafEventRecord &, unsigned)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleNotify(const ZafEventRecord &, NMHDR &)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item)
{
    if (item.CtlType == ODT_MENU || !osWindow)
        return ZAF_UNKNOWN;
    ZafPaintContext context(osWindow, item.hDC);
    Draw(event, ZAF_REDISPLAY);
    return TRUE;
}

ZafEventType ZafWindowObject::HandleMeasureItem(const ZafEventRecord &, MEASUREITEMSTRUCT &)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleCompareItem(const ZafEventRecord &, const COMPAREITEMSTRUCT &)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleDeleteItem(const ZafEventRecord &, const DELETEITEMSTRUCT &)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleListKey(const ZafEventRecord &, unsigned, int, bool)
{
    return -1;
}

ZafEventType ZafWindowObject::HandleScroll(const ZafEventRecord &, int, int)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleControlColor(const ZafEventRecord &, HDC dc)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display)
        return ZAF_UNKNOWN;
    ::SetTextColor(dc, ForegroundColor());
    SetBkColor(dc, BackgroundColor());
    // The cache keeps the brush alive after this use is released.
    HBRUSH brush = display->GetCachedBrush(BackgroundColor());
    display->ReleaseCachedObject(brush);
    return static_cast<ZafEventType>(reinterpret_cast<LRESULT>(brush));
}

ZafEventType ZafWindowObject::HandleInitMenuPopup(const ZafEventRecord &, HMENU, int, bool)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleMenuSelect(const ZafEventRecord &, unsigned, unsigned, HMENU)
{
    return ZAF_UNKNOWN;
}

// --- Owners of menus ---------------------------------------------------------------

void ZafWindowObject::RegisterMenu(HMENU menu, ZafWindowObject *owner)
{
    if (!menu)
        return;
    auto it = std::find_if(menuOwners.begin(), menuOwners.end(),
                           [menu](const std::pair<HMENU, ZafWindowObject *> &entry) { return entry.first == menu; });
    if (it != menuOwners.end())
        menuOwners.erase(it);
    if (owner)
        menuOwners.emplace_back(menu, owner);
}

ZafWindowObject *ZafWindowObject::MenuOwner(HMENU menu)
{
    for (const auto &entry : menuOwners)
        if (entry.first == menu)
            return entry.second;
    return nullptr;
}

void ZafWindowObject::ForgetMenusOf(const ZafWindowObject *owner)
{
    menuOwners.erase(
        std::remove_if(menuOwners.begin(), menuOwners.end(),
                       [owner](const std::pair<HMENU, ZafWindowObject *> &entry) { return entry.second == owner; }),
        menuOwners.end());
}
