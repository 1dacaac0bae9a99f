// ZafVtList: construction, persistence, entries and rows, the user's and the
// program's selections, owner drawing, colours and drag and drop.
#include "zaf/controls/ZafVtList.h"

#include "zaf/controls/ZafEntryDrop.h"
#include "zaf/controls/ZafOwnerDrawnRows.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

// Weak handles on the entries a walk visits, in row order: the dispatchers
// it calls may delete any of them.
std::vector<std::unique_ptr<ZafTracker>> TrackEntries(const ZafList &list)
{
    std::vector<std::unique_ptr<ZafTracker>> entries;
    for (ZafElement *e = list.First(); e; e = e->Next())
        entries.push_back(std::make_unique<ZafTracker>(e));
    return entries;
}

} // namespace

// --- Construction ----------------------------------------------------------------

ZafVtList::ZafVtList(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    Construct();
}

void ZafVtList::Construct()
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
}

ZafVtList::ZafVtList(const ZafVtList &copy) : ZafWindow(copy), sorted(copy.sorted)
{
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
    SetCompareFunction(copy.CompareFunction());
    for (ZafElement *e = First(); e; e = e->Next()) {
        AsObject(e)->SetOwnWindow(false);
        AsObject(e)->SetNoClassPalette(true);
        if (selectionMode == singleSelection && AsObject(e)->Selected())
            SetCurrent(e);
    }
}

bool ZafVtList::IsClassID(ZafClassID id) const
{
    return id == classID || id == listFamilyID || ZafWindow::IsClassID(id);
}

bool ZafVtList::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafVtList::ZafVtList(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
    std::uint16_t flags = 0;
    if (persistence.Error() == 0)
        persistence.Read16(flags);
    if (persistence.Error() == 0 && (flags & storedSorted)) {
        sorted = true;
        SetCompareFunction(CompareObjectTexts);
    }
    for (ZafElement *e = First(); e; e = e->Next()) {
        AsObject(e)->SetOwnWindow(false);
        AsObject(e)->SetNoClassPalette(true);
        if (selectionMode == singleSelection && AsObject(e)->Selected())
            SetCurrent(e);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafVtList::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafVtList(name, persistence);
}

void ZafVtList::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafVtList::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0)
        persistence.Write16(static_cast<std::uint16_t>(sorted ? storedSorted : 0));
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Entries and rows ------------------------------------------------------------

ZafWindowObject *ZafVtList::EntryAt(LRESULT row) const
{
    return EntryAtRow(*this, row);
}

void ZafVtList::InsertRow(ZafWindowObject *entry, int row)
{
    InsertEntryRow(osWindow, LB_INSERTSTRING, entry, row, HasFlag(flagSystemDrawn));
}

bool ZafVtList::ScrollsAcross() const
{
    return osWindow && HasFlag(flagSystemDrawn) && FindSupportObject(ZAF_NUMID_HZ_SCROLL);
}

int ZafVtList::RowTextWidth(HDC dc, int row) const
{
    const LRESULT length = SendMessageA(osWindow, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0)
        return 0;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(osWindow, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text[0]));
    SIZE size = {};
    if (copied <= 0 || !GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(std::min(copied, length)), &size))
        return 0;
    return size.cx;
}

void ZafVtList::FitHorizontalExtent(int row)
{
    if (!ScrollsAcross())
        return;
    HDC dc = GetDC(osWindow);
    if (!dc)
        return;
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(osWindow, WM_GETFONT, 0, 0)));
    int widest = 0;
    if (row >= 0) {
        widest = std::max(horizontalExtent, RowTextWidth(dc, row));
    } else {
        const LRESULT rows = SendMessageA(osWindow, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < rows; ++i)
            widest = std::max(widest, RowTextWidth(dc, static_cast<int>(i)));
    }
    if (before)
        SelectObject(dc, before);
    ReleaseDC(osWindow, dc);
    // The text's width and a margin on both sides: the last letter of the
    // longest row is read whole once the list is scrolled to its end.
    const int margin = widest > 0 ? 2 * GetSystemMetrics(SM_CXEDGE) + 4 : 0;
    if (widest + margin != horizontalExtent || row < 0) {
        horizontalExtent = widest + margin;
        SendMessageA(osWindow, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horizontalExtent), 0);
    }
}

void ZafVtList::FillListBox(bool setCaret)
{
    int row = 0;
    for (ZafElement *e = First(); e; e = e->Next(), ++row) {
        ZafWindowObject *entry = AsObject(e);
        InsertRow(entry, -1);
        if (!entry->Selected())
            continue;
        if (selectionMode == singleSelection) {
            SetCurrent(entry);
            SendMessageA(osWindow, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        } else {
            SendMessageA(osWindow, LB_SETSEL, TRUE, row);
        }
    }
    FitHorizontalExtent(-1);
    if (!setCaret || selectionMode == singleSelection)
        return;
    if (!Current())
        SetCurrent(First());
    if (Current())
        SendMessageA(osWindow, LB_SETCARETINDEX, static_cast<WPARAM>(Index(Current())), FALSE);
}

void ZafVtList::RebuildListBox()
{
    if (!osWindow)
        return;
    SendMessageA(osWindow, LB_RESETCONTENT, 0, 0);
    FillListBox(false);
}

ZafWindowObject *ZafVtList::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (!object || object->Parent())
        return object;
    PrepareRowEntry(object);
    if (object->SupportObject())
        return ZafWindow::AddObject(object, before);
    const bool wasSelected = object->Selected();
    const bool becomesCurrent = object->Focus() || (selectionMode == singleSelection && wasSelected);
    // Without a parent these tell no one; the list sets both again below.
    object->SetFocus(false);
    object->SetSelected(false);
    if (!ZafWindow::AddObject(object, before))
        return object;
    if (osWindow) {
        const int row = Index(object);
        InsertRow(object, row);
        FitHorizontalExtent(row);
    }
    if (becomesCurrent) {
        if (focus)
            object->SetFocus(true);
        else
            SetCurrent(object);
    }
    if (wasSelected)
        object->SetSelected(true);
    return object;
}

ZafWindowObject *ZafVtList::SubtractObject(ZafWindowObject *object)
{
    const bool row = osWindow && HasFlag(flagOwnWindow) && object && !object->SupportObject() && Contains(object);
    if (row)
        SendMessageA(osWindow, LB_DELETESTRING, static_cast<WPARAM>(Index(object)), 0);
    ZafWindowObject *subtracted = ZafWindow::SubtractObject(object);
    if (row)
        FitHorizontalExtent(-1);
    return subtracted;
}

void ZafVtList::NotifyChildren()
{
    if (osWindow) {
        SendMessageA(osWindow, LB_RESETCONTENT, 0, 0);
        FitHorizontalExtent(-1);
    }
    for (ZafElement *e = First(), *next = nullptr; e; e = next) {
        next = e->Next();
        AsObject(e)->Event(ZafEventRecord(ZAF_DEINITIALIZE));
    }
}

bool ZafVtList::IsCopyDraggable() const
{
    return HasFlag(flagTemporary) && parent ? parent->IsCopyDraggable() : HasFlag(flagCopyDraggable);
}

bool ZafVtList::IsSecondDragFlag() const
{
    return HasFlag(flagTemporary) && parent ? parent->IsSecondDragFlag() : HasFlag(flagSecondDragFlag);
}

bool ZafVtList::IsMoveDraggable() const
{
    return HasFlag(flagTemporary) && parent ? parent->IsMoveDraggable() : HasFlag(flagMoveDraggable);
}

bool ZafVtList::IsDraggable() const
{
    return HasFlag(flagTemporary) && parent ? parent->IsDraggable() : ZafWindow::IsDraggable();
}

bool ZafVtList::SetSorted(bool flag)
{
    if (flag == sorted)
        return sorted;
    sorted = flag;
    if (flag) {
        if (!CompareFunction())
            SetCompareFunction(CompareObjectTexts);
        Sort();
    } else if (CompareFunction() == CompareObjectTexts) {
        SetCompareFunction(nullptr);
    }
    return sorted;
}

void ZafVtList::Sort()
{
    ZafList::Sort();
    RebuildListBox();
}

// --- Events ------------------------------------------------------------------------

const ZafEventMap ZafVtList::eventMap[] = {
    {ZAF_MOVE_TOP, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},  {ZAF_MOVE_BOTTOM, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZAF_PAGE_DOWN, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS}, {ZAF_PAGE_UP, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_PRESS},   {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafVtList::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const bool hadWindow = osWindow != nullptr;
        const ZafEventType result = ZafWindow::Event(event);
        if (!hadWindow && osWindow)
            FillListBox(true);
        return result;
    }
    case ZAF_KEY_EVENT:
        // The list box's keys are its own; the entries are no focus stops of
        // the window's navigation. What is left goes up to the window.
        return ZAF_UNKNOWN;
    case ZAF_REGION_CHANGED:
        return event.type;
    case ZAF_HOT_KEY:
        return ZAF_UNKNOWN;
    case ZAF_REDISPLAY_CHANGE:
        ZafWindowObject::Event(ZafEventRecord(ZAF_REDISPLAY));
        return event.type;
    default:
        return ZafWindow::Event(event);
    }
}

ZafEventType ZafVtList::HandleOSMessage(const ZafEventRecord &event)
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
        // An owner-drawn list box paints its rows through WM_DRAWITEM.
        return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
    case WM_KEYDOWN:
        switch (m.wParam) {
        case VK_SPACE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
        default:
            break;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        RECT client;
        GetClientRect(m.hwnd, &client);
        clientRegion = ZafRegionRect(client.left, client.top, client.right - 1, client.bottom - 1, ZAF_PIXEL);
        return ZafWindowObject::HandleOSMessage(event);
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        // A list that refuses the focus selects on release, by position;
        // the list box would take the focus on the press.
        if (IsNoFocusUpChain())
            return 0;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (IsNoFocusUpChain()) {
            ClickWithoutFocus(event);
            return 0;
        }
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

void ZafVtList::Notify(ZafWindowObject *entry, const ZafEventRecord &event, ZafEventType code)
{
    entry->UserCallback()(entry, event, code);
}

ZafEventType ZafVtList::HandleCommand(const ZafEventRecord &event, unsigned notifyCode)
{
    switch (notifyCode) {
    case LBN_SELCHANGE:
    case LBN_SELCANCEL:
        if (selectionMode == singleSelection)
            TakeSingleSelection(event);
        else
            TakeMultipleSelection(event);
        return 0;
    case LBN_DBLCLK: {
        ZafWindowObject *entry = CurrentChild();
        if (entry && !entry->IsDisabledUpChain(true))
            Notify(entry, event, ZAF_DOUBLE_SELECT);
        return 0;
    }
    default:
        return ZAF_UNKNOWN;
    }
}

void ZafVtList::TakeMultipleSelection(const ZafEventRecord &event)
{
    const LRESULT caret = SendMessageA(osWindow, LB_GETCARETINDEX, 0, 0);
    // The selected rows, as many as the list box says it filled (none when
    // it reports none or an error); looked up by search, never read beyond.
    const LRESULT count = SendMessageA(osWindow, LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (!rows.empty()) {
        const LRESULT filled = SendMessageA(osWindow, LB_GETSELITEMS, static_cast<WPARAM>(rows.size()),
                                            reinterpret_cast<LPARAM>(rows.data()));
        rows.resize(filled > 0 ? std::min(rows.size(), static_cast<std::size_t>(filled)) : 0);
        std::sort(rows.begin(), rows.end());
    }
    ZafTracker self(this);
    const auto entries = TrackEntries(*this);
    for (std::size_t row = 0; row < entries.size(); ++row) {
        auto *entry = entries[row]->Get<ZafWindowObject>();
        if (!entry || entry->Parent() != this)
            continue;
        if (static_cast<LRESULT>(row) == caret && entry != CurrentChild()) {
            entry->NotifyFocus(entry, true);
            if (self.Deleted())
                return;
            if (entries[row]->Deleted())
                continue;
        }
        if (entry->IsDisabledUpChain(true))
            continue;
        const bool inList = std::binary_search(rows.begin(), rows.end(), static_cast<int>(row));
        if (inList == entry->Selected())
            continue;
        entry->SetSelected(inList);
        if (!entries[row]->Deleted())
            Notify(entry, event, ZAF_SELECT);
        if (self.Deleted())
            return;
    }
}

void ZafVtList::TakeSingleSelection(const ZafEventRecord &event)
{
    // An empty list, or one whose caret is on no row, selects nothing.
    ZafWindowObject *entry = EntryAt(SendMessageA(osWindow, LB_GETCARETINDEX, 0, 0));
    if (!entry || entry->IsDisabledUpChain(true))
        return;
    ZafTracker alive(entry);
    entry->NotifyFocus(entry, true);
    if (alive.Deleted())
        return;
    entry->SetSelected(true);
    if (!alive.Deleted())
        Notify(entry, event, ZAF_SELECT);
}

void ZafVtList::ClickWithoutFocus(const ZafEventRecord &event)
{
    // The row under the point, when the point lies on one (the high word is
    // set for a point below the last row or outside the client area). Adding
    // up row heights instead would run past the rows of a short list.
    const LRESULT hit = SendMessageA(osWindow, LB_ITEMFROMPOINT, 0, event.osEvent.lParam);
    if (HIWORD(hit) != 0)
        return;
    ZafWindowObject *entry = EntryAt(LOWORD(hit));
    if (!entry || entry->IsDisabledUpChain(true))
        return;
    if (!entry->Selected()) {
        ZafTracker alive(entry);
        entry->SetSelected(true);
        if (!alive.Deleted())
            Notify(entry, event, ZAF_SELECT);
    } else if (selectionMode != singleSelection) {
        entry->SetSelected(false);
    }
}

ZafEventType ZafVtList::ScrollEvent(const ZafEventRecord &event)
{
    if (event.type != ZAF_SCROLL_VERTICAL || !osWindow)
        return event.type;
    const LRESULT top = SendMessageA(osWindow, LB_GETTOPINDEX, 0, 0);
    const LRESULT wanted = std::max<LRESULT>(0, top + event.scroll.step);
    SendMessageA(osWindow, LB_SETTOPINDEX, static_cast<WPARAM>(wanted), 0);
    return event.type;
}

// --- Focus and selection set by the program ---------------------------------------

int ZafVtList::NotifyFocus(ZafWindowObject *object, bool gaining)
{
    if (!HasFlag(flagOwnWindow))
        return parent ? parent->NotifyFocus(object, gaining) : 0;
    const int code = ZafWindow::NotifyFocus(object, gaining);
    if (!osWindow || !object || object == this || !gaining || code != 0 || !Contains(object))
        return code;
    const int row = Index(object);
    if (row == SendMessageA(osWindow, LB_GETCARETINDEX, 0, 0))
        return code;
    // The caret of a multiple-selection list box moves by itself; a single
    // one's follows its selection.
    if (selectionMode == singleSelection)
        SendMessageA(osWindow, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    else
        SendMessageA(osWindow, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
    return code;
}

ZafWindowObject *ZafVtList::NotifySelection(ZafWindowObject *object, bool selected)
{
    ZafWindow::NotifySelection(object, selected);
    if (!object || object->Selected() != selected)
        return object;
    if (osWindow && HasFlag(flagOwnWindow)) {
        const int row = Index(object);
        if (row < 0 || (SendMessageA(osWindow, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) == selected)
            return object;
        if (selectionMode != singleSelection) {
            SendMessageA(osWindow, LB_SETSEL, selected, row);
            if (CurrentChild())
                SendMessageA(osWindow, LB_SETCARETINDEX, static_cast<WPARAM>(Index(CurrentChild())), FALSE);
        } else if (selected) {
            SendMessageA(osWindow, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            if (focus)
                object->SetFocus(true);
            else
                SetCurrent(object);
        }
    } else if (HasFlag(flagTemporary) && parent) {
        parent->NotifySelection(object, selected);
    }
    return object;
}

// --- The Windows list box -------------------------------------------------------------

HWND ZafVtList::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (selectionMode == multipleSelection)
        style |= LBS_MULTIPLESEL;
    else if (selectionMode == extendedSelection)
        style |= LBS_MULTIPLESEL | LBS_EXTENDEDSEL;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    // A border is the client edge in the 3-D look, a plain line otherwise.
    const DWORD extendedStyle = BorderStyle();
    if (HasFlag(flagBordered) && !zaf3DLook)
        style |= WS_BORDER;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    // Owner-drawn rows hold the entry objects: no strings.
    if (!HasFlag(flagSystemDrawn))
        style |= LBS_OWNERDRAWVARIABLE;
    if (FindSupportObject(ZAF_NUMID_VT_SCROLL))
        style |= WS_VSCROLL;
    if (FindSupportObject(ZAF_NUMID_HZ_SCROLL))
        style |= WS_HSCROLL;
    if (!ZafCreateOSWindow(this, "LISTBOX", style, nullptr, parentWindow, extendedStyle, nullptr))
        return nullptr;
    UpdateFont();
    return osWindow;
}

void ZafVtList::UpdateFont()
{
    if (!osWindow)
        return;
    SendMessageA(osWindow, WM_SETREDRAW, FALSE, 0);
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_CURRENT);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HFONT font = display ? display->Font(text.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : text.font)
                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(osWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (HasFlag(flagRedraw) && HasFlag(flagVisible))
        SendMessageA(osWindow, WM_SETREDRAW, TRUE, 0);
    FitHorizontalExtent(-1);
    Redisplay();
}

bool ZafVtList::SetVisible(bool flag)
{
    const bool shown = flag && !HasFlag(flagVisible);
    ZafWindow::SetVisible(flag);
    // A list box made while hidden has its redraw off (UpdateFont turns it
    // on only for a visible list): shown now, it paints its rows again.
    if (shown && osWindow && HasFlag(flagOwnWindow) && HasFlag(flagRedraw)) {
        SendMessageA(osWindow, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(osWindow, nullptr, TRUE);
    }
    return HasFlag(flagVisible);
}

// --- Owner drawing -----------------------------------------------------------------

ZafEventType ZafVtList::HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item)
{
    if (item.CtlType != ODT_LISTBOX || !osWindow)
        return ZAF_UNKNOWN;
    ZafWindowObject *entry =
        item.itemID == static_cast<UINT>(-1) ? nullptr : EntryAt(static_cast<LRESULT>(item.itemID));
    return DrawEntryRow(osWindow, event, item, entry);
}

ZafEventType ZafVtList::HandleMeasureItem(const ZafEventRecord &, MEASUREITEMSTRUCT &item)
{
    auto *entry = reinterpret_cast<ZafWindowObject *>(item.itemData);
    if (HasFlag(flagSystemDrawn) || !entry || entry->Parent() != this)
        return ZAF_UNKNOWN;
    UINT width = 0, height = 0;
    MeasureEntryRow(entry, width, height);
    item.itemWidth = width;
    item.itemHeight = height;
    return TRUE;
}

// --- Colours -----------------------------------------------------------------------

const ZafPaletteMap ZafVtList::paletteMap[] = {
    {ZAF_PM_TEXT, ZAF_PM_DISABLED, SystemRowColors(ZAF_FONT_DIALOG)},
    {ZAF_PM_TEXT, ZAF_PM_SELECTED, SystemRowColors(ZAF_FONT_DIALOG)},
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, SystemRowColors(rowBackgroundFont)},
    {0, 0, ZafPaletteStruct()},
};

void ZafVtList::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (!ResolveRowColors(entry, type, state, true))
        ZafWindow::ResolveSystemColors(entry, type, state);
}

bool ZafVtList::ChangePalette(std::uint16_t type, std::uint16_t state, void (*change)(ZafPaletteStruct &, int, int),
                              int value, int monoValue)
{
    const ZafPaletteLink &link = PaletteLink();
    if (!link.create || !link.map || !link.setPalette)
        return false;
    if (!paletteData)
        SetPaletteData(link.create());
    ZafPaletteStruct entry;
    for (const ZafPaletteMap *row = link.map(paletteData); row && !row->IsEnd(); ++row)
        if (row->type == type && row->state == state)
            entry = row->palette;
    change(entry, value, monoValue);
    link.setPalette(paletteData, type, state, entry);
    return true;
}

namespace {

void SetForeground(ZafPaletteStruct &entry, int color, int mono)
{
    entry.colorForeground = static_cast<std::uint8_t>(color);
    entry.monoForeground = static_cast<std::uint8_t>(mono);
}

void SetBackground(ZafPaletteStruct &entry, int color, int mono)
{
    entry.colorBackground = static_cast<std::uint8_t>(color);
    entry.monoBackground = static_cast<std::uint8_t>(mono);
}

void SetFontOf(ZafPaletteStruct &entry, int font, int)
{
    entry.font = static_cast<std::uint8_t>(font);
}

constexpr std::uint16_t unselectedRows = ZAF_PM_NOT_SELECTED | ZAF_PM_ENABLED;
constexpr std::uint16_t selectedRows = ZAF_PM_SELECTED | ZAF_PM_ENABLED;

} // namespace

int ZafVtList::SetBackgroundColor(int color, int monoColor)
{
    if (!ChangePalette(ZAF_PM_BACKGROUND, ZAF_PM_NOT_SELECTED, SetBackground, color, monoColor))
        return ZAF_CLR_UNSET;
    ChangePalette(ZAF_PM_TEXT, selectedRows, SetForeground, color, monoColor);
    return color;
}

int ZafVtList::SetTextColor(int color, int monoColor)
{
    if (!ChangePalette(ZAF_PM_TEXT, unselectedRows, SetForeground, color, monoColor))
        return ZAF_CLR_UNSET;
    ChangePalette(ZAF_PM_BACKGROUND, ZAF_PM_SELECTED, SetBackground, color, monoColor);
    return color;
}

int ZafVtList::SetFont(int font)
{
    for (std::uint16_t state : {unselectedRows, selectedRows, ZAF_PM_ANY_STATE})
        if (!ChangePalette(ZAF_PM_TEXT, state, SetFontOf, font, 0))
            return ZAF_FONT_UNSET;
    UpdateFont();
    return font;
}

ZafEventType ZafVtList::HandleControlColor(const ZafEventRecord &, HDC dc)
{
    return ControlColorBrush(dc, *this);
}

// --- Drag and drop -----------------------------------------------------------------

ZafEventType ZafVtList::DragDropEvent(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code != ZAF_DROP_QUERY && code != ZAF_DROP_COPY && code != ZAF_DROP_MOVE)
        return ZafWindow::DragDropEvent(event);
    ZafWindowObject *source = nullptr;
    code = ResolveDrop(code, source);
    if (code == ZAF_REFUSED)
        return ZAF_REFUSED;
    if (IsDisabledUpChain(true) || !HasFlag(flagAcceptDrop) || source == this)
        return ZAF_REFUSED;
    const bool move = code == ZAF_DROP_MOVE;
    if (selectionMode == extendedSelection)
        for (ZafElement *e = First(); e; e = e->Next())
            if (AsObject(e)->Selected())
                AsObject(e)->SetSelected(false);
    if (auto *from = dynamic_cast<ZafWindow *>(source); from && source->IsClassID(listFamilyID)) {
        const bool redrawWas = HasFlag(flagRedraw);
        const bool sourceRedrawWas = source->IsRedrawOnUpChain(true);
        SetRedraw(false);
        if (move)
            source->SetRedraw(false);
        for (ZafWindowObject *entry : SelectedEntries(*from))
            AddObject(move ? from->SubtractObject(entry) : entry->Duplicate());
        if (move)
            source->SetRedraw(sourceRedrawWas);
        SetRedraw(redrawWas);
        return code;
    }
    return DropTextEntry(*this, source, code);
}
