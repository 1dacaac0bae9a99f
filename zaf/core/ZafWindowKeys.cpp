// ZafWindow: keys, focus movement, hot keys and the default button.

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

namespace {

bool TakesFocus(ZafWindowObject *object)
{
    return object->Visible() && !object->Disabled() && !object->NoFocus() && !object->SupportObject();
}

bool IsArrow(ZafEventType code)
{
    return code == ZAF_MOVE_UP || code == ZAF_MOVE_DOWN || code == ZAF_MOVE_LEFT || code == ZAF_MOVE_RIGHT;
}

// Whether a dialog code asks for the key (a virtual key): every key, or Tab
// or the arrows by their own bits. Enter and Escape have no bit of their own.
bool WantsKey(UINT dialogCode, std::uint32_t key)
{
    if (dialogCode & DLGC_WANTALLKEYS)
        return true;
    switch (key) {
    case VK_TAB:
        return (dialogCode & DLGC_WANTTAB) != 0;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return (dialogCode & DLGC_WANTARROWS) != 0;
    default:
        return false;
    }
}

} // namespace

ZafWindowObject *ZafWindow::KeySource(const ZafEventRecord &event)
{
    ZafWindowObject *source = ZafObjectFromHandle(event.osEvent.hwnd);
    return (source ? source : this)->HostedFocus();
}

bool ZafWindow::SourceWantsKey(const ZafEventRecord &event)
{
    ZafWindowObject *source = KeySource(event);
    return source != this && WantsKey(source->DialogCode(event), event.key.value);
}

ZafEventType ZafWindow::KeyEvent(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    // A key that came to the window that hosts the focused windowless child
    // goes to that child first; a key passed up from a child with a window of
    // its own has been offered below already.
    ZafWindowObject *child = CurrentChild();
    if (child && !child->OwnWindow() && m.hwnd == DrawingHandle() && child->HostedFocus()->Focus()) {
        ZafEventType code = child->Event(event);
        if (code != ZAF_UNKNOWN)
            return code;
    }
    ZafEventType code = MapEvent(event);
    if (code == ZAF_NEXT || code == ZAF_PREVIOUS) {
        if (SourceWantsKey(event))
            return ZAF_UNKNOWN;
        return MoveFocus(code == ZAF_NEXT) ? code : ZAF_UNKNOWN;
    }
    if (IsArrow(code)) {
        // As in a dialog's group: from one control to the next. A key left
        // by a window (a list, a pane) or the window itself moves nothing.
        ZafWindowObject *source = KeySource(event);
        if (source->Parent() != this || dynamic_cast<ZafWindow *>(source) || SourceWantsKey(event))
            return ZAF_UNKNOWN;
        return MoveFocus(code == ZAF_MOVE_DOWN || code == ZAF_MOVE_RIGHT) ? code : ZAF_UNKNOWN;
    }
    if (code == ZAF_SELECT) {
        ZafWindowObject *source = KeySource(event);
        const UINT wanted = source != this ? source->DialogCode(event) : 0;
        if (wanted & DLGC_WANTALLKEYS)
            return ZAF_UNKNOWN;
        // Enter on a push button selects that button, as in a dialog.
        ZafWindowObject *button = (wanted & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? source : nullptr;
        if (!button)
            button = GetDefaultButton(false);
        if (!button)
            button = GetDefaultButton(true);
        if (button && button != this)
            return button->Event(ZafEventRecord(ZAF_SELECT)) == ZAF_UNKNOWN ? ZAF_UNKNOWN : ZAF_SELECT;
        return ZAF_UNKNOWN;
    }
    bool hotKey = m.message == WM_SYSKEYDOWN || (HasFlag(flagPlainKeyHotKeys) && m.message == WM_KEYDOWN &&
                                                 (event.key.shiftState & ZAF_KEY_CTRL) == 0);
    if (hotKey && event.key.value >= '0' && event.key.value <= 'Z') {
        // A plain letter is typing for a control that takes characters.
        if (m.message == WM_KEYDOWN) {
            ZafWindowObject *source = KeySource(event);
            if (source != this && (source->DialogCode(event) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
                return ZAF_UNKNOWN;
        }
        if (ZafWindowObject *object = FindHotKeyObject(event.key.value)) {
            object->SetFocus(true);
            ZafEventRecord hot(ZAF_HOT_KEY, static_cast<std::intptr_t>(event.key.value));
            object->Event(hot);
            return ZAF_HOT_KEY;
        }
    }
    return ZAF_UNKNOWN;
}

ZafWindowObject *ZafWindow::HostedFocus()
{
    ZafWindowObject *child = CurrentChild();
    if (!child || child->OwnWindow() || !TakesFocus(child))
        return this;
    return child->HostedFocus();
}

void ZafWindow::NextDialogControl(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam)) {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (ZafWindowObject *object = ZafObjectFromHandle(target))
            object->SetFocus(true);
        else if (target && IsChild(osWindow, target))
            ::SetFocus(target);
        return;
    }
    // The window that would have taken the focused control's Tab moves on.
    ZafWindowObject *focused = ZafObjectFromHandle(::GetFocus());
    for (ZafWindowObject *from = focused ? focused->Parent() : this; from; from = from->Parent()) {
        auto *window = dynamic_cast<ZafWindow *>(from);
        if (window && (window->MoveFocus(wParam == 0) || window->IsTopLevel()))
            return;
    }
}

bool ZafWindow::MoveFocus(bool forward)
{
    if (IsEmpty())
        return false;
    ZafElement *start = Current() ? Current() : (forward ? Last() : First());
    ZafElement *e = start;
    do {
        e = forward ? (e->Next() ? e->Next() : First()) : (e->Previous() ? e->Previous() : Last());
        ZafWindowObject *object = AsObject(e);
        if (TakesFocus(object)) {
            object->SetFocus(true);
            return true;
        }
    } while (e != start);
    return false;
}

ZafWindowObject *ZafWindow::FindHotKeyObject(unsigned character)
{
    int wanted = ToLowerLatin1(static_cast<unsigned char>(character));
    for (ZafElement *e = First(); e; e = e->Next()) {
        ZafWindowObject *object = AsObject(e);
        const char *text = object->Text();
        if (object->HotKeyLetter() && ToLowerLatin1(object->HotKeyLetter()) == wanted && TakesFocus(object))
            return object;
        if (!text || !TakesFocus(object))
            continue;
        for (const char *c = text; *c; ++c) {
            if (*c != '&')
                continue;
            if (c[1] == '&') {
                ++c;
                continue;
            }
            if (c[1] && ToLowerLatin1(static_cast<unsigned char>(c[1])) == wanted)
                return object;
            break;
        }
    }
    return nullptr;
}

namespace {

// Windows that hold a default button: a deleted button is cleared from them.
std::vector<ZafWindow *> &DefaultButtonHolders()
{
    static std::vector<ZafWindow *> holders;
    return holders;
}

ZafWindow *RootWindowOf(ZafWindowObject *object)
{
    return dynamic_cast<ZafWindow *>(object->TopLevelObject());
}

} // namespace

void ZafWindow::ForgetDefaultButton(ZafWindowObject *object)
{
    for (ZafWindow *holder : DefaultButtonHolders()) {
        if (holder->defaultButton == object)
            holder->defaultButton = nullptr;
        if (holder->permanentDefaultButton == object)
            holder->permanentDefaultButton = nullptr;
    }
}

ZafWindowObject *ZafWindow::GetDefaultButton(bool permanent)
{
    ZafWindow *window = RootWindowOf(this);
    if (!window)
        return nullptr;
    return permanent ? window->permanentDefaultButton : window->defaultButton;
}

void ZafWindow::SetDefaultButton(ZafWindowObject *button, bool permanent)
{
    ZafWindow *window = RootWindowOf(this);
    if (!window)
        return;
    (permanent ? window->permanentDefaultButton : window->defaultButton) = button;
    auto &holders = DefaultButtonHolders();
    if (std::find(holders.begin(), holders.end(), window) == holders.end())
        holders.push_back(window);
}

void ZafWindow::StopHoldingDefaultButtons()
{
    auto &holders = DefaultButtonHolders();
    holders.erase(std::remove(holders.begin(), holders.end(), this), holders.end());
}
