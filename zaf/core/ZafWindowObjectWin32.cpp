// ZafWindowObject: the Win32 binding (creating, subclassing and destroying the
// Windows window), the rows of Windows list boxes, and the translation of Windows messages into events.
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

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// --- Rows of list boxes ----------------------------------------------------

namespace {

// Answered by vertical lists and the lists of combo boxes, whose rows
// Windows draws from the entries' texts, and by combo boxes.
constexpr ZafClassID listFamilyID = 1001;
constexpr ZafClassID comboBoxID = 1008;

} // namespace

void ZafWindowObject::RefreshListEntry()
{
    auto *list = dynamic_cast<ZafWindow *>(parent);
    if (!list || !list->IsClassID(listFamilyID) || !list->SystemDrawn())
        return;
    const int index = list->Index(this);
    if (index < 0)
        return;
    const char *text = Text();
    const std::string row(text ? text : "");
    const auto rowText = reinterpret_cast<LPARAM>(row.c_str());
    ZafWindowObject *combo = list->Parent();
    if (combo && combo->IsClassID(comboBoxID)) {
        HWND box = combo->OSHandle();
        if (!box)
            return;
        // Deleting the current row leaves a combo box with no current row
        // (and a drop-down list with no text): it is made current again.
        const bool current = SendMessageA(box, CB_GETCURSEL, 0, 0) == index;
        SendMessageA(box, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(index), rowText);
        if (current)
            SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    HWND box = list->OSHandle();
    if (!box)
        return;
    SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(box, LB_INSERTSTRING, static_cast<WPARAM>(index), rowText);
    if (!HasFlag(flagSelected))
        return;
    if (list->SelectionMode() == 0)
        SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else
        SendMessageA(box, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
}

// --- Windows windows ------------------------------------------------------------

namespace {

const char objectProperty[] = "ZafObject";
// The window procedure that binding replaced (a subclass installed before,
// such as a 3-D controls library's or a tool tip's): messages go on to it.
const char replacedProperty[] = "ZafReplacedProc";
HINSTANCE moduleInstance = nullptr;

// The object whose window CreateWindowExA is making: the creation hook binds
// it to the first window made, before any message reaches that window.
ZafWindowObject *pendingObject = nullptr;
HHOOK creationHook = nullptr;

WNDPROC ClassProcedure(HWND window)
{
    auto procedure = reinterpret_cast<WNDPROC>(GetClassLongA(window, GCL_WNDPROC));
    return procedure == ZafWindowProc || !procedure ? DefWindowProcA : procedure;
}

// Where the library's procedure passes a message on: the procedure it
// replaced when it subclassed the window, else the class's. (Always the
// class's cut off a subclass installed before binding.)
WNDPROC NextProcedure(HWND window)
{
    if (auto replaced = reinterpret_cast<WNDPROC>(GetPropA(window, replacedProperty)))
        return replaced;
    return ClassProcedure(window);
}

void Bind(HWND window, ZafWindowObject *object)
{
    SetPropA(window, objectProperty, object);
    object->SetOSHandle(window);
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC));
    if (current == ZafWindowProc)
        return;
    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(ZafWindowProc));
    if (current != ClassProcedure(window))
        SetPropA(window, replacedProperty, reinterpret_cast<HANDLE>(current));
}

// Ends the binding. The procedure that binding replaced is put back only
// while the library's is still the window's: a subclass installed after
// binding stays, and keeps passing messages through the library's procedure
// to the replaced one. At WM_NCDESTROY every property goes.
void Unbind(HWND window, bool destroying)
{
    RemovePropA(window, objectProperty);
    if (reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC)) == ZafWindowProc) {
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(NextProcedure(window)));
        RemovePropA(window, replacedProperty);
    } else if (destroying) {
        RemovePropA(window, replacedProperty);
    }
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && pendingObject) {
        ZafWindowObject *object = pendingObject;
        pendingObject = nullptr;
        Bind(reinterpret_cast<HWND>(wParam), object);
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

} // namespace

HINSTANCE ZafInstance()
{
    return moduleInstance ? moduleInstance : GetModuleHandleA(nullptr);
}

void ZafSetInstance(HINSTANCE instance)
{
    moduleInstance = instance;
}

ZafWindowObject *ZafObjectFromHandle(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    return static_cast<ZafWindowObject *>(GetPropA(window, objectProperty));
}

HWND ZafBindCreatedWindow(ZafWindowObject *object, HWND (*create)(void *context), void *context)
{
    if (!object || !create)
        return nullptr;
    ZafWindowObject *outer = pendingObject;
    pendingObject = object;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    HHOOK outerHook = creationHook;
    creationHook = hook;
    HWND window = create(context);
    UnhookWindowsHookEx(hook);
    creationHook = outerHook;
    pendingObject = outer;
    if (!window) {
        if (object->OSHandle() && !IsWindow(object->OSHandle()))
            object->SetOSHandle(nullptr);
        return nullptr;
    }
    if (ZafObjectFromHandle(window) != object)
        Bind(window, object);
    return window;
}

namespace {

// Control ids the library gives child windows whose own id is 0 or taken:
// above the 16-bit number ids, so none collides with an object's.
constexpr UINT_PTR firstLibraryControlID = 0x10000;
constexpr UINT_PTR lastLibraryControlID = 0x7FFFFFFF;
UINT_PTR nextLibraryControlID = firstLibraryControlID;

// WM_MEASUREITEM names its control by id alone, so a child window's id must
// be unique among its siblings. MDI children get theirs from the client.
HMENU UniqueControlID(HWND parent, DWORD style, DWORD extendedStyle, HMENU requested)
{
    if (!(style & WS_CHILD) || (extendedStyle & WS_EX_MDICHILD) || !parent)
        return requested;
    const auto id = reinterpret_cast<UINT_PTR>(requested);
    if (id != 0 && !GetDlgItem(parent, static_cast<int>(id)))
        return requested;
    UINT_PTR chosen = nextLibraryControlID;
    while (GetDlgItem(parent, static_cast<int>(chosen)))
        chosen = chosen == lastLibraryControlID ? firstLibraryControlID : chosen + 1;
    nextLibraryControlID = chosen == lastLibraryControlID ? firstLibraryControlID : chosen + 1;
    return reinterpret_cast<HMENU>(chosen);
}

} // namespace

// --- Help tips ---------------------------------------------------------------------------
// One tooltip control shows the tip text of every window object that has
// one, when the mouse rests on its window. The mouse messages reach the
// tooltip through ZafWindowProc (TTM_RELAYEVENT), so the control never
// subclasses the library's windows.

namespace {

const char tipProperty[] = "ZafTip";
HWND tipWindow = nullptr;
// The id of the one rectangle tool a window holds for its grey child under
// the pointer; the other tools' ids are window handles, never 1.
constexpr UINT_PTR greyChildTool = 1;

HWND TipWindow()
{
    if (!tipWindow || !IsWindow(tipWindow))
        tipWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    ZafInstance(), nullptr);
    return tipWindow;
}

TOOLINFOA TipInfo(HWND window, const char *text)
{
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(window) ? GetParent(window) : window;
    info.uId = reinterpret_cast<UINT_PTR>(window);
    info.lpszText = const_cast<char *>(text);
    return info;
}

void AddTip(HWND window, const char *text)
{
    HWND tips = text && *text ? TipWindow() : nullptr;
    if (!window || !tips)
        return;
    TOOLINFOA info = TipInfo(window, text);
    if (SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
        SetPropA(window, tipProperty, tips);
}

void RemoveTip(HWND window)
{
    if (!GetPropA(window, tipProperty))
        return;
    RemovePropA(window, tipProperty);
    if (tipWindow && IsWindow(tipWindow)) {
        TOOLINFOA info = TipInfo(window, nullptr);
        SendMessageA(tipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        // The parent's tool over the window while it was grey goes too.
        info.uId = greyChildTool;
        SendMessageA(tipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

// A disabled window gets no mouse messages: its parent gets them, and the
// tooltip control, which checks the window under the pointer, finds the
// parent there too. The parent's message over a disabled child with a tip
// therefore places a rectangle tool of the parent over the child, holding
// the child's tip, so that a grey button shows its tip too. Every mouse
// message is relayed as its window's: one over no tool takes down the tip
// the pointer left.
void RelayToTip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST || !tipWindow || message == WM_MOUSEWHEEL)
        return;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        message == WM_MOUSEMOVE && child && child != window && !IsWindowEnabled(child) &&
        GetPropA(child, tipProperty)) {
        char text[1024] = "";
        TOOLINFOA own = TipInfo(child, text);
        SendMessageA(tipWindow, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&own));
        TOOLINFOA grey = {};
        grey.cbSize = TTTOOLINFOA_V1_SIZE;
        grey.hwnd = window;
        grey.uId = greyChildTool;
        grey.lpszText = text;
        GetWindowRect(child, &grey.rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&grey.rect), 2);
        TOOLINFOA held = grey;
        char heldText[1024] = "";
        held.lpszText = heldText;
        if (!SendMessageA(tipWindow, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&held)))
            SendMessageA(tipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&grey));
        else if (!EqualRect(&held.rect, &grey.rect) || std::strcmp(heldText, text) != 0)
            SendMessageA(tipWindow, TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&grey));
    }
    MSG m = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
    SendMessageA(tipWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace

HWND ZafTipControl()
{
    return tipWindow && IsWindow(tipWindow) ? tipWindow : nullptr;
}

HWND ZafCreateOSWindowAt(ZafWindowObject *object, const char *className, DWORD style, const char *text, HWND parent,
                         DWORD extendedStyle, HINSTANCE instance, const RECT &place, HMENU menu)
{
    ZafApplication::RegisterWindowClasses(ZafInstance());
    menu = UniqueControlID(parent, style, extendedStyle, menu);
    struct Arguments
    {
        const char *className;
        DWORD style;
        const char *text;
        HWND parent;
        DWORD extendedStyle;
        HINSTANCE instance;
        RECT place;
        HMENU menu;
    } arguments = {className ? className : "ZafWindow",
                   style,
                   text ? text : "",
                   parent,
                   extendedStyle,
                   instance ? instance : ZafInstance(),
                   place,
                   menu};
    HWND made = ZafBindCreatedWindow(
        object,
        [](void *context) {
            auto *a = static_cast<Arguments *>(context);
            return CreateWindowExA(a->extendedStyle, a->className, a->text, a->style, a->place.left, a->place.top,
                                   a->place.right - a->place.left, a->place.bottom - a->place.top, a->parent, a->menu,
                                   a->instance, nullptr);
        },
        &arguments);
    if (made && object && (style & WS_CHILD))
        AddTip(made, object->TipText());
    return made;
}

HWND ZafCreateOSWindow(ZafWindowObject *object, const char *className, DWORD style, const char *text, HWND parent,
                       DWORD extendedStyle, HINSTANCE instance)
{
    if (!object)
        return nullptr;
    ZafRegionRect r = object->GetWindowRegion();
    RECT place = {r.left, r.top, r.right + 1, r.bottom + 1};
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(object->NumberID())) : nullptr;
    return ZafCreateOSWindowAt(object, className, style, text, parent, extendedStyle, instance, place, menu);
}

LRESULT ZafCallClassWindowProc(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    return CallWindowProcA(NextProcedure(m.hwnd), m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK ZafWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ZafWindowObject *object = static_cast<ZafWindowObject *>(GetPropA(window, objectProperty));
    if (!object || message == WM_NCDESTROY) {
        WNDPROC next = NextProcedure(window);
        if (message == WM_NCDESTROY) {
            RemoveTip(window);
            Unbind(window, true);
            if (object && object->OSHandle() == window)
                object->OSWindowDestroyed();
        }
        return CallWindowProcA(next, window, message, wParam, lParam);
    }
    RelayToTip(window, message, wParam, lParam);
    MSG m = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
    ZafEventRecord event;
    ZafTranslateOSMessage(m, event);
    return object->Event(event);
}

void ZafWindowObject::OSWindowDestroyed()
{
    osWindow = nullptr;
    focus = false;
}

HWND ZafWindowObject::DrawingHandle() const
{
    if (osWindow)
        return osWindow;
    for (const ZafWindowObject *p = parent; p; p = p->parent)
        if (p->osWindow)
            return p->OSHandle(1);
    return nullptr;
}

DWORD ZafWindowObject::BorderStyle() const
{
    if (!HasFlag(flagBordered))
        return 0;
    return zaf3DLook ? WS_EX_CLIENTEDGE : 0;
}

HWND ZafWindowObject::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (HasFlag(flagDisabled) && !layoutMode)
        style |= WS_DISABLED;
    if (HasFlag(flagBordered) && !zaf3DLook)
        style |= WS_BORDER;
    HWND window = ZafCreateOSWindow(this, nullptr, style, nullptr, parentWindow, BorderStyle(), nullptr);
    if (window)
        UpdateFont();
    return window;
}

void ZafWindowObject::DestroyOSWindow()
{
    HWND window = osWindow;
    if (!window)
        return;
    if (ZafObjectFromHandle(window) == this) {
        Unbind(window, false);
        DestroyWindow(window);
    }
    OSWindowDestroyed();
}

void ZafWindowObject::MoveOSWindow()
{
    if (osWindow && HasFlag(flagOwnWindow)) {
        ZafRegionRect r = GetWindowRegion();
        MoveWindow(osWindow, r.left, r.top, r.Width(), r.Height(), TRUE);
        UpdateWindow(osWindow);
        return;
    }
    if (!IsOnScreen())
        return;
    Redisplay();
    Event(ZafEventRecord(ZAF_REGION_CHANGING));
    Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Redisplay();
}

void ZafWindowObject::UpdateFont()
{
    if (!osWindow || !HasFlag(flagSystemDrawn))
        return;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, PaletteState());
    HFONT font = display ? display->Font(text.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : text.font)
                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(osWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void ZafWindowObject::Redisplay()
{
    HWND window = DrawingHandle();
    if (!window)
        return;
    if (osWindow) {
        InvalidateRect(osWindow, nullptr, TRUE);
        return;
    }
    ZafRegionRect r = GetWindowRegion();
    RECT area = {r.left, r.top, r.right + 1, r.bottom + 1};
    InvalidateRect(window, &area, TRUE);
}

// --- Regions in window pixels ----------------------------------------------------

ZafRegionRect ZafWindowObject::RegionToWindow(const ZafRegionRect &rect) const
{
    ZafRegionRect r = rect;
    ConvertRegion(r, ZAF_PIXEL);
    return r;
}

ZafRegionRect ZafWindowObject::RegionFromWindow(const ZafRegionRect &rect) const
{
    ZafRegionRect r = rect;
    r.coordinateType = ZAF_PIXEL;
    ConvertRegion(r, coordinateType);
    return r;
}

int ZafWindowObject::TextLinePixelHeight() const
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display)
        return 0;
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, PaletteState());
    return display->TextSize("", text.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : text.font).cy;
}

ZafRegionRect ZafWindowObject::GetWindowRegion() const
{
    ZafRegionRect r = RegionToWindow(region);
    const int least = MinimumPixelHeight();
    if (least > 0 && r.Height() < least) {
        const int grow = least - r.Height();
        r.top -= grow / 2;
        r.bottom += grow - grow / 2;
    }
    if (parent) {
        POINT origin = parent->ChildOrigin();
        // A windowless window's children stand inside it, in the window
        // that draws it.
        if (!parent->HasFlag(flagOwnWindow) && parent->parent) {
            const ZafRegionRect place = parent->GetWindowRegion();
            origin.x += place.left;
            origin.y += place.top;
        }
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
    }
    return r;
}

// --- Messages ------------------------------------------------------------------------

namespace {

bool IsMouseMessage(UINT m)
{
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT m)
{
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP || m == WM_CHAR ||
           m == WM_SYSCHAR;
}

} // namespace

ZafEventType ZafWindowObject::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (!m.hwnd)
        return ZAF_UNKNOWN;

    // A notification goes to the object it is about (a control, a menu's
    // owner, or this object itself), which answers it through its handler.
    LRESULT result = 0;
    if (RouteNotification(event, result) || HandleNotification(event, result))
        return static_cast<ZafEventType>(result);

    switch (m.message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        const ZafEventType code = HandlePaint(event);
        if (code != ZAF_UNKNOWN)
            return code;
        break;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // A control that is no object's (or declined) takes the window's colours.
        const ZafEventType code = HandleControlColor(event, reinterpret_cast<HDC>(m.wParam));
        if (code != ZAF_UNKNOWN)
            return code;
        break;
    }
    case WM_SETFOCUS:
        FocusArrived();
        break;
    case WM_KILLFOCUS:
        FocusLeft();
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.lParam) == HTCLIENT && zafEventManager) {
            auto *manager = dynamic_cast<ZafOSEventManager *>(zafEventManager);
            if (manager && manager->MouseImage() != ZAF_MOUSE_ARROW) {
                manager->SendToDevice(ZAF_MOUSE_EVENT, manager->MouseImage());
                return TRUE;
            }
        }
        break;
    default:
        if (IsMouseMessage(m.message)) {
            ZafEventRecord mouse = event;
            mouse.type = ZAF_MOUSE_EVENT;
            // The handler may delete this object: answer without touching it.
            ZafEventType code = Event(mouse);
            if (code != ZAF_UNKNOWN)
                return 0;
        } else if (IsKeyMessage(m.message)) {
            return HandleKeyMessage(event);
        }
        break;
    }
    return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
}
