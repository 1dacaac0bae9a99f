// ZafComboBox: the Win32 side: events and Windows messages, keys and the
// edit field's procedure, the user's selections and the list's drop-down
// notifications, creating and placing the control, owner drawing, drawing
// a windowless combo box and its colours.
#include "zaf/controls/ZafComboBox.h"

#include "zaf/controls/ZafOwnerDrawnRows.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"

#include <algorithm>

namespace {

ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

bool SameRegion(const ZafRegionRect &a, const ZafRegionRect &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom &&
           a.coordinateType == b.coordinateType;
}

} // namespace

// --- Events ------------------------------------------------------------------------

ZafEventType ZafComboBox::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_KEY_EVENT:
        return KeyEvent(event);
    case ZAF_FOCUS_CHANGE: {
        // The typed text first, so that the dispatcher sees it and the
        // changed flag it sets.
        TakeControlText();
        return ZafWindowObject::Event(event);
    }
    case ZAF_ADD_OBJECT:
    case ZAF_SUBTRACT_OBJECT:
        return ZafWindow::Event(event);
    case ZAF_DEINITIALIZE:
    case ZAF_RESOLVE_REFERENCES: {
        ZafTracker self(this);
        const ZafEventType code = ZafWindowObject::Event(event);
        if (!self.Deleted())
            list->Event(event);
        return code;
    }
    case ZAF_DESTROY_OS_WINDOW:
        if (osWindow && ZafWindowManager::droppedComboBox == osWindow)
            ZafWindowManager::droppedComboBox = nullptr;
        return ZafWindowObject::Event(event);
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafComboBox::KeyEvent(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    // Their characters would beep in the edit field; the keys themselves
    // are handled (or left to the window) at the key-down.
    if (m.message == WM_CHAR && (m.wParam == '\t' || m.wParam == VK_ESCAPE || m.wParam == '\r'))
        return 0;
    if (m.message != WM_KEYDOWN)
        return ZAF_UNKNOWN;
    switch (m.wParam) {
    case VK_RETURN: {
        if (osWindow && SendMessageA(osWindow, CB_GETDROPPEDSTATE, 0, 0)) {
            SendMessageA(osWindow, CB_SHOWDROPDOWN, FALSE, 0);
            return 0;
        }
        ZafTracker self(this);
        ZafEventRecord select(ZAF_SELECT);
        select.osEvent = m;
        const ZafEventType code = Event(select);
        // In a window with a default button Enter then goes on to the
        // window, which presses that button, as in a Windows dialog.
        if (!self.Deleted() && GetDefaultButton(true))
            return ZAF_UNKNOWN;
        return code;
    }
    case VK_ESCAPE:
        if (osWindow)
            SendMessageA(osWindow, CB_SHOWDROPDOWN, FALSE, 0);
        return 0;
    default:
        // Tab and F1 are the window's; the arrows, F4 and typing reach the
        // control (a window leaves the keys of a window child alone).
        return ZAF_UNKNOWN;
    }
}

ZafEventType ZafComboBox::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    const bool mouse = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
    if (layoutMode && mouse) {
        ZafEventRecord input = event;
        input.type = ZAF_MOUSE_EVENT;
        return ZafWindowObject::Event(input);
    }
    switch (m.message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
    case WM_WINDOWPOSCHANGED:
        return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
    case WM_KILLFOCUS:
        // An editable control hands its focus on to its edit field: the
        // combo box keeps it.
        if (m.wParam && IsChild(osWindow, reinterpret_cast<HWND>(m.wParam)))
            return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

ZafEventType ZafComboBox::HandleCommand(const ZafEventRecord &event, unsigned notifyCode)
{
    switch (notifyCode) {
    case CBN_SELCHANGE:
        return TakeUserSelection(event);
    case CBN_DROPDOWN:
        ZafWindowManager::droppedComboBox = osWindow;
        Event(ZafEventRecord(ZAF_LIST_DROPPED));
        return 0;
    case CBN_CLOSEUP: {
        if (parent && parent->IsClassID(tableRecordID))
            QueueRedisplayOfDroppedArea();
        if (ZafWindowManager::droppedComboBox == osWindow)
            ZafWindowManager::droppedComboBox = nullptr;
        Event(ZafEventRecord(ZAF_LIST_CLOSED));
        return 0;
    }
    case CBN_KILLFOCUS:
        // The window taking the focus has it already; one of no object
        // (another program's) counts as leaving.
        Event(ZafEventRecord(ZAF_FOCUS_CHANGE, ZafObjectFromHandle(GetFocus())));
        return 0;
    default:
        return ZAF_UNKNOWN;
    }
}

ZafEventType ZafComboBox::TakeUserSelection(const ZafEventRecord &event)
{
    ZafWindowObject *entry = EntryAt(SendMessageA(osWindow, CB_GETCURSEL, 0, 0));
    if (!entry)
        return 0;
    // Each call out may delete the entry or the combo box with it.
    ZafTracker self(this);
    ZafTracker alive(entry);
    entry->NotifyFocus(entry, true);
    if (alive.Deleted())
        return 0;
    entry->SetSelected(true);
    if (self.Deleted())
        return 0;
    ZafEventRecord select(ZAF_SELECT);
    select.osEvent = event.osEvent;
    const ZafEventType code = Event(select);
    // A combo box whose user function closed its window is done: the
    // window may only be deleted once the dispatch returns, but its
    // control is gone already, and the entry is not called.
    if (!alive.Deleted() && !self.Deleted() && osWindow)
        entry->UserCallback()(entry, event, ZAF_SELECT);
    return code;
}

void ZafComboBox::QueueRedisplayOfDroppedArea()
{
    ZafWindowObject *root = TopLevelObject();
    if (!zafEventManager || !root || !root->OSHandle())
        return;
    RECT dropped = {};
    SendMessageA(osWindow, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    POINT corners[2] = {{dropped.left, dropped.top}, {dropped.right, dropped.bottom}};
    ScreenToClient(root->OSHandle(), &corners[0]);
    ScreenToClient(root->OSHandle(), &corners[1]);
    ZafEventRecord redisplay(ZAF_REDISPLAY_AREA, root);
    redisplay.region = ZafRegionRect(corners[0].x, corners[0].y, corners[1].x - 1, corners[1].y - 1, ZAF_PIXEL);
    zafEventManager->Put(redisplay, ZAF_QUEUE_TAIL);
}

// The edit field of an editable control is Windows' own child window: its
// keys go through the combo box as the combo box's own keys do (Enter,
// Escape, and Tab for the window), and then to the field.
LRESULT CALLBACK ZafComboBox::EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLongA(window, GCL_WNDPROC));
    auto *combo = dynamic_cast<ZafComboBox *>(ZafObjectFromHandle(GetParent(window)));
    if (!combo)
        return CallWindowProcA(classProcedure, window, message, wParam, lParam);
    MSG m = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
    ZafEventRecord event;
    ZafTranslateOSMessage(m, event);
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_SYSKEYDOWN ||
                     message == WM_SYSKEYUP || message == WM_SYSCHAR;
    const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    if (combo->layoutMode && (key || mouse)) {
        event.type = key ? ZAF_KEY_EVENT : ZAF_MOUSE_EVENT;
        combo->ZafWindowObject::Event(event);
        return 0;
    }
    if (key)
        return combo->HandleKeyMessage(event);
    ZafTracker alive(combo);
    if (message == WM_SETFOCUS)
        combo->FocusArrived();
    else if (message == WM_KILLFOCUS && reinterpret_cast<HWND>(wParam) != combo->osWindow)
        combo->FocusLeft();
    if (alive.Deleted() && !IsWindow(window))
        return 0;
    return CallWindowProcA(classProcedure, window, message, wParam, lParam);
}

// --- The Windows control -----------------------------------------------------------

int ZafComboBox::ListPixelHeight() const
{
    ZafRegionRect listPlace = list->Region();
    list->ConvertRegion(listPlace, ZAF_PIXEL);
    return std::max(0, listPlace.Height());
}

int ZafComboBox::ControlPixelHeight(const ZafRegionRect &place) const
{
    // The selection field (a display cell for a one-unit combo box, else
    // the combo box's own height) and the dropped list below it.
    const int field = listHeight == -1 && zafScreenDisplay ? zafScreenDisplay->CellHeight() : place.Height();
    return std::max(1, field + ListPixelHeight() - 1);
}

HWND ZafComboBox::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    // Always bordered, whatever the flag says.
    DWORD extendedStyle = 0;
    if (zaf3DLook)
        extendedStyle = WS_EX_CLIENTEDGE;
    else
        style |= WS_BORDER;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    if (!HasFlag(flagSystemDrawn))
        style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
    else if (readOnly)
        style |= CBS_DROPDOWNLIST;
    else
        style |= CBS_DROPDOWN | CBS_AUTOHSCROLL;
    if (list->FindSupportObject(ZAF_NUMID_VT_SCROLL))
        style |= WS_VSCROLL;
    // The control's window holds the selection field and the dropped list.
    const ZafRegionRect r = GetWindowRegion();
    const RECT place = {r.left, r.top, r.right + 1, r.top + ControlPixelHeight(r)};
    HMENU id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(numberID));
    if (!ZafCreateOSWindowAt(this, "COMBOBOX", style, nullptr, parentWindow, extendedStyle, nullptr, place, id))
        return nullptr;
    appliedRegion = region;
    UpdateFont();
    if (listWidth != -1) {
        ZafRegionRect listPlace = list->Region();
        list->ConvertRegion(listPlace, ZAF_PIXEL);
        SendMessageA(osWindow, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(listPlace.Width()), 0);
    }
    FillRows();
    if (HasFlag(flagSystemDrawn)) {
        const bool wasChanged = changed;
        RefreshText();
        changed = wasChanged;
    }
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(osWindow, &info) && info.hwndItem && info.hwndItem != osWindow)
        SetWindowLongA(info.hwndItem, GWL_WNDPROC, reinterpret_cast<LONG>(EditProcedure));
    return osWindow;
}

void ZafComboBox::UpdateFont()
{
    // As the list's font update: WM_SETFONT of the text palette's font with
    // the drawing held, then a redisplay. The list box's horizontal-extent
    // fitting is left out: its message is a list box's, and a combo box
    // control sizes its dropped rows itself.
    if (!osWindow)
        return;
    SendMessageA(osWindow, WM_SETREDRAW, FALSE, 0);
    ZafWindowObject::UpdateFont();
    if (HasFlag(flagRedraw) && HasFlag(flagVisible))
        SendMessageA(osWindow, WM_SETREDRAW, TRUE, 0);
    Redisplay();
}

void ZafComboBox::MoveOSWindow()
{
    // The list's place is relative to the combo box.
    ZafRegionRect listPlace = list->Region();
    const int width = listWidth != -1 ? listWidth : region.Width();
    list->SetRegion(ZafRegionRect(0, 0, width - 1, listPlace.Height() - 1, listPlace.coordinateType));
    if (!osWindow || !HasFlag(flagOwnWindow)) {
        ApplyRegion();
        return;
    }
    if (SameRegion(region, appliedRegion))
        return;
    const ZafRegionRect r = GetWindowRegion();
    MoveWindow(osWindow, r.left, r.top, r.Width(), ControlPixelHeight(r), TRUE);
    if (listWidth != -1) {
        ZafRegionRect dropped = list->Region();
        list->ConvertRegion(dropped, ZAF_PIXEL);
        SendMessageA(osWindow, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropped.Width()), 0);
    }
    UpdateWindow(osWindow);
    ZafEventRecord moved(ZAF_REGION_CHANGED);
    moved.region = appliedRegion;
    appliedRegion = region;
    Event(moved);
}

// --- Owner drawing and a windowless combo box --------------------------------------

ZafEventType ZafComboBox::HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item)
{
    if (item.CtlType != ODT_COMBOBOX || !osWindow)
        return ZAF_UNKNOWN;
    ZafWindowObject *entry =
        item.itemID == static_cast<UINT>(-1) ? nullptr : EntryAt(static_cast<LRESULT>(item.itemID));
    return DrawEntryRow(osWindow, event, item, entry);
}

ZafEventType ZafComboBox::HandleMeasureItem(const ZafEventRecord &, MEASUREITEMSTRUCT &item)
{
    if (HasFlag(flagSystemDrawn))
        return ZAF_UNKNOWN;
    UINT width = 0, height = 0;
    if (item.itemID == static_cast<UINT>(-1)) {
        // The selection field: as high as the highest entry.
        for (ZafElement *e = list->First(); e; e = e->Next())
            MeasureEntryRow(AsObject(e), width, height);
        // Without entries of a height: a cell less its two spacing values.
        if (height == 0 && zafScreenDisplay)
            height = static_cast<UINT>(std::max(1, zafScreenDisplay->CellHeight() - zafScreenDisplay->PreSpace() -
                                                       zafScreenDisplay->PostSpace()));
    } else {
        auto *entry = reinterpret_cast<ZafWindowObject *>(item.itemData);
        if (!entry || entry->Parent() != list)
            return ZAF_UNKNOWN;
        MeasureEntryRow(entry, width, height);
    }
    item.itemWidth = std::max<UINT>(width, 1);
    item.itemHeight = std::max<UINT>(height, 1);
    return TRUE;
}

ZafEventType ZafComboBox::Draw(const ZafEventRecord &event, ZafEventType code)
{
    if (osWindow)
        return ZafWindowObject::Draw(event, code);
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    if (HasFlag(flagBordered))
        DrawBorder(area, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    HDC dc = display->CurrentDC();
    // The drop-down button: the rightmost 16 pixels, raised two pixels deep
    // round a light grey face that holds a black down arrow of four rows
    // (7, 5, 3 and 1 pixels).
    ZafRegionRect button = area;
    button.left = std::max(area.left, area.right - 15);
    DrawEdges(button, 2, code);
    COLORREF face = RGB(192, 192, 192);
    COLORREF arrow = RGB(0, 0, 0);
    display->ColorOf(lightGrey, face);
    display->ColorOf(black, arrow);
    display->Rectangle(button.left, button.top, button.right, button.bottom, face, true);
    const int arrowLeft = button.left + (button.Width() + 1) / 2 - 3;
    const int arrowTop = button.top + (button.Height() + 1) / 2 - 2;
    for (int row = 0; row < 4; ++row)
        display->Line(arrowLeft + row, arrowTop + row, arrowLeft + 6 - row, arrowTop + row, arrow);
    ZafRegionRect textArea = area;
    textArea.right = std::max(area.left, area.right - 15) - 1;
    DrawBackground(textArea, code);
    if (code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_AREA || code == ZAF_REDISPLAY_CHANGE) {
        RECT shown = {textArea.left + 1, textArea.top, textArea.right + 1, textArea.bottom + 1};
        ZafPaletteStruct palette;
        LogicalPalette(palette, ZAF_PM_TEXT, PaletteState());
        display->SetColors(ForegroundColor(), BackgroundColor());
        HFONT old = display->SelectFont(palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font);
        display->Text(shown, text.Text() ? text.Text() : "", 0, ZAF_VT_CENTER, false);
        SelectObject(dc, old);
    }
    return code;
}

ZafEventType ZafComboBox::HandleControlColor(const ZafEventRecord &, HDC dc)
{
    return ControlColorBrush(dc, *this);
}

namespace {

// A row of the combo box's map: line style and fill pattern 0, then the
// colour pair, the monochrome pair and the font.
constexpr ZafPaletteStruct ComboPalette(std::uint8_t foreground, std::uint8_t background, std::uint8_t monoForeground,
                                        std::uint8_t monoBackground, std::uint8_t font)
{
    ZafPaletteStruct p;
    p.lineStyle = 0;
    p.fillPattern = 0;
    p.colorForeground = foreground;
    p.colorBackground = background;
    p.monoForeground = monoForeground;
    p.monoBackground = monoBackground;
    p.font = font;
    return p;
}

} // namespace

const ZafPaletteMap ZafComboBox::paletteMap[] = {
    {ZAF_PM_TEXT, ZAF_PM_SELECTED, ComboPalette(ZAF_CLR_SYSTEM, ZAF_CLR_SYSTEM, 0, 2, ZAF_FONT_DIALOG)},
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, ComboPalette(ZAF_CLR_SYSTEM, ZAF_CLR_SYSTEM, 0, 2, rowBackgroundFont)},
    {buttonFacePaletteType, ZAF_PM_ANY_STATE, ComboPalette(white, black, 2, 0, rowBackgroundFont)},
    {0, 0, ZafPaletteStruct()},
};

void ZafComboBox::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    // Unlike a list's, disabled text keeps its colour: the control greys
    // itself.
    if (!ResolveRowColors(entry, type, state, false))
        ZafWindow::ResolveSystemColors(entry, type, state);
}
