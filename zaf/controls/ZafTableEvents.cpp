// ZafTable: the interactive half: events, keys and mouse presses, moving
// the focus between records, vertical scrolling by records and horizontal
// scrolling by columns with the scroll bars kept up to date, and drawing
// the background, grid lines and focus lines.
#include "zaf/controls/ZafTable.h"

#include "zaf/controls/ZafTableHeader.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/data/ZafScrollData.h"

#include <algorithm>

namespace {

ZafTableRecord *AsRecord(ZafElement *e)
{
    return static_cast<ZafTableRecord *>(static_cast<ZafWindowObject *>(e));
}

ZafRegionRect Pixels(const ZafWindowObject *object)
{
    ZafRegionRect r = object->Region();
    object->ConvertRegion(r, ZAF_PIXEL);
    return r;
}

bool Contains(const ZafRegionRect &r, const POINT &p)
{
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// The palette state in which the grid colour is looked up (no state bit of
// an object's own: only rows for any state serve it).
constexpr std::uint16_t gridState = 128;

bool IsRefusal(ZafEventType answer)
{
    return answer != ZafTable::leaveAccepted && answer != ZafTable::leaveValueKept;
}

} // namespace

// --- Events ------------------------------------------------------------------------

const ZafEventMap ZafTable::eventMap[] = {
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_RETURN, ZAF_KEY_PRESS},
    {ZAF_MOVE_DOWN, ZAF_KEY_EVENT, VK_DOWN, ZAF_KEY_PRESS},
    {keyLineStart, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {keyLineEnd, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZAF_MOVE_LEFT, ZAF_KEY_EVENT, VK_LEFT, ZAF_KEY_PRESS},
    {ZAF_PAGE_DOWN, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS},
    {ZAF_PAGE_UP, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {ZAF_MOVE_RIGHT, ZAF_KEY_EVENT, VK_RIGHT, ZAF_KEY_PRESS},
    {ZAF_MOVE_UP, ZAF_KEY_EVENT, VK_UP, ZAF_KEY_PRESS},
    {ZAF_NEXT, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS + ZAF_KEY_CTRL},
    {ZAF_PREVIOUS, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS + ZAF_KEY_CTRL + ZAF_KEY_SHIFT},
    {ZAF_MOVE_TOP, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS + ZAF_KEY_CTRL},
    {ZAF_MOVE_BOTTOM, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS + ZAF_KEY_CTRL},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafTable::MapEvent(const ZafEventRecord &event) const
{
    const ZafEventType code = SearchEventMap(eventMap, event);
    return code != ZAF_NO_MAPPING ? code : ZafWindow::MapEvent(event);
}

ZafEventType ZafTable::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_KEY_EVENT:
        return KeyEvent(event);
    case ZAF_MOUSE_EVENT: {
        const ZafEventType code = MapEvent(event);
        if (code == ZAF_BEGIN_SELECT)
            return PressEvent(event);
        // A drag or release belongs to the row the press went to.
        if (code == ZAF_CONTINUE_SELECT || code == ZAF_END_SELECT)
            if (ZafTableRecord *record = CurrentRecordWindow()) {
                ZafEventRecord logical = event;
                logical.type = code;
                return record->Event(logical);
            }
        return ZafWindow::Event(event);
    }
    case ZAF_CONTINUE_SELECT:
    case ZAF_END_SELECT:
        if (ZafTableRecord *record = CurrentRecordWindow())
            return record->Event(event);
        return ZafWindow::Event(event);
    case ZAF_RESOLVE_REFERENCES: {
        const ZafEventType answer = ZafWindow::Event(event);
        if (virtualRecord)
            virtualRecord->Event(event);
        return answer;
    }
    case ZAF_SELECT:
    case ZAF_MOVE_UP:
    case ZAF_MOVE_DOWN:
    case ZAF_MOVE_LEFT:
    case ZAF_MOVE_RIGHT:
    case ZAF_PREVIOUS:
    case ZAF_MOVE_TOP:
    case ZAF_MOVE_BOTTOM:
    case ZAF_PAGE_UP:
    case ZAF_PAGE_DOWN:
    case ZAF_NEXT:
    case keyLineStart:
    case keyLineEnd: {
        if (ZafTableRecord *record = CurrentRecordWindow()) {
            const ZafEventType answer = record->Event(event);
            if (answer != ZAF_REFUSED && answer != ZAF_UNKNOWN)
                return answer;
        }
        return NavigationEvent(event);
    }
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const ZafEventType answer = ZafWindow::Event(event);
        if (osWindow)
            Event(ZafEventRecord(ZAF_REGION_CHANGED));
        return answer;
    }
    case ZAF_REGION_CHANGED:
        LayoutChildren();
        return event.type;
    case ZAF_DEINITIALIZE: {
        const ZafEventType answer = ZafWindow::Event(event);
        if (virtualRecord)
            virtualRecord->Event(event);
        for (ZafElement *e = First(); e; e = e->Next())
            StoreRecordWindow(AsRecord(e));
        return answer;
    }
    case ZAF_HOT_KEY:
        return ZAF_UNKNOWN;
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_CHANGE:
    case ZAF_REDISPLAY_AREA: {
        const ZafEventType answer = ZafWindowObject::Event(event);
        if (answer == ZAF_REDISPLAY_CHANGE)
            if (ZafTableHeader *row = RowHeader())
                row->Event(event);
        return answer;
    }
    case ZAF_SCROLL_RECORDS:
    case ZAF_SCROLL_COLUMNS:
        return ScrollEvent(event);
    default:
        return ZafWindow::Event(event);
    }
}

void ZafTable::LayoutChildren()
{
    if (!osWindow || !virtualRecord)
        return;
    const int width = AvailableWidth();
    const int height = AvailableHeight();
    const int rowWidth = RowHeaderWidth();
    const int columnHeight = ColumnHeaderHeight();
    // The headers stand left of and above the records' origin.
    if (ZafTableHeader *corner = CornerHeader())
        corner->SetRegion(-rowWidth, -columnHeight, -1, -1, ZAF_PIXEL);
    if (ZafTableHeader *column = ColumnHeader())
        column->SetRegion(0, -columnHeight, width - 1, -1, ZAF_PIXEL);
    if (ZafTableHeader *row = RowHeader())
        row->SetRegion(-rowWidth, 0, -1, height - 1, ZAF_PIXEL);
    // The virtual record and its fields are laid out in pixels.
    virtualRecord->ConvertCoordinates(ZAF_PIXEL);
    for (ZafElement *e = virtualRecord->First(); e; e = e->Next())
        static_cast<ZafWindowObject *>(e)->ConvertCoordinates(ZAF_PIXEL);
    ZafRegionRect model = virtualRecord->Region();
    model.right = model.left + width - 1;
    virtualRecord->SetRegion(model);
    recordHeight = model.Height();
    if (ZafTableHeader *column = ColumnHeader())
        column->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    ShowRecordsFrom(First() ? FirstVisibleIndex() : 0);
    UpdateHorizontalBar();
}

ZafEventType ZafTable::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if ((m.message == WM_VSCROLL || m.message == WM_HSCROLL) && m.lParam == 0) {
        const bool vertical = m.message == WM_VSCROLL;
        const int first = vertical ? FirstVisibleIndex() : 0;
        const int page = vertical ? std::max(1, Count()) : 1;
        int delta = 0;
        switch (LOWORD(m.wParam)) {
        case SB_LINEUP:
            delta = -1;
            break;
        case SB_LINEDOWN:
            delta = 1;
            break;
        case SB_PAGEUP:
            delta = -page;
            break;
        case SB_PAGEDOWN:
            delta = page;
            break;
        case SB_TOP:
            delta = vertical ? -first : -virtualRecord->Count();
            break;
        case SB_BOTTOM:
            delta = vertical ? lastRecord - first : virtualRecord->Count();
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS | SIF_POS;
            GetScrollInfo(osWindow, vertical ? SB_VERT : SB_HORZ, &info);
            delta = info.nTrackPos - (vertical ? first : info.nPos);
            break;
        }
        default:
            return 0;
        }
        ZafEventRecord scroll(vertical ? ZAF_SCROLL_VERTICAL : ZAF_SCROLL_HORIZONTAL);
        scroll.osEvent = m;
        scroll.scroll.step = delta;
        ScrollEvent(scroll);
        return 0;
    }
    if (m.message == ZafTableRecord::EnterMessage()) {
        // Enter selected the field being edited: the edit ends and the focus
        // moves to the row's next field.
        ZafWindowObject *field = ZafWindowObject::FromEventHandle(static_cast<std::intptr_t>(m.lParam));
        ZafTableRecord *record = CurrentRecordWindow();
        if (field && record && field->Parent() == record && ZafTableRecord::IsEditing(field))
            record->Event(ZafEventRecord(ZAF_NEXT));
        return 0;
    }
    ZafTracker self(this);
    const ZafEventType answer = ZafWindow::HandleOSMessage(event);
    if (self.Deleted())
        return answer;
    // The focus left the table (from the table or from a field's edit
    // control): the row being left is stored when it changed and validated.
    HWND taker = nullptr;
    if (m.message == WM_KILLFOCUS)
        taker = reinterpret_cast<HWND>(m.wParam);
    else if (m.message == WM_COMMAND && HIWORD(m.wParam) == EN_KILLFOCUS)
        taker = ::GetFocus();
    else
        return answer;
    if (taker && taker != osWindow && !IsChild(osWindow, taker))
        LeaveRecord(CurrentRecordWindow());
    return answer;
}

ZafEventType ZafTable::KeyEvent(const ZafEventRecord &event)
{
    if (!(event.key.shiftState & ZAF_KEY_PRESS))
        return ZAF_UNKNOWN;
    const ZafEventType code = MapEvent(event);
    if (code == ZAF_NEXT && (event.key.shiftState & ZAF_KEY_CTRL)) {
        // Ctrl+Tab leaves the table for the next sibling that takes the focus.
        if (IsRefusal(LeaveRecord(CurrentRecordWindow())))
            return code;
        if (auto *window = dynamic_cast<ZafWindow *>(parent))
            window->MoveFocus(true);
        return code;
    }
    // A key that came to the table's own window goes to the current record
    // first; one passed up from a field's edit control has been there.
    ZafTableRecord *record = CurrentRecordWindow();
    if (record && (!event.osEvent.hwnd || event.osEvent.hwnd == osWindow)) {
        const ZafEventType answer = record->Event(event);
        if (answer != ZAF_UNKNOWN && answer != ZAF_REFUSED)
            return answer;
    }
    switch (code) {
    case ZAF_MOVE_UP:
    case ZAF_MOVE_DOWN:
    case ZAF_PREVIOUS:
    case ZAF_MOVE_TOP:
    case ZAF_MOVE_BOTTOM:
    case ZAF_PAGE_UP:
    case ZAF_PAGE_DOWN:
    case ZAF_SELECT: {
        ZafEventRecord logical = event;
        logical.type = code;
        const ZafEventType answer = NavigationEvent(logical);
        return answer == ZAF_REFUSED ? ZAF_UNKNOWN : answer;
    }
    default:
        return ZAF_UNKNOWN;
    }
}

ZafTableRecord *ZafTable::RecordAt(const POINT &point) const
{
    for (ZafElement *e = First(); e; e = e->Next())
        if (::Contains(AsRecord(e)->GetWindowRegion(), point))
            return AsRecord(e);
    return nullptr;
}

ZafEventType ZafTable::PressEvent(const ZafEventRecord &event)
{
    const POINT origin = ChildOrigin();
    if (event.position.x < origin.x || event.position.y < origin.y) {
        // A press on the row header selects the row there.
        ZafTableHeader *row = RowHeader();
        if (row && event.position.y >= origin.y) {
            ZafEventRecord press = event;
            press.type = ZAF_BEGIN_SELECT;
            return row->Event(press);
        }
        // A press on the column header goes to it (its owner may sort).
        ZafTableHeader *column = ColumnHeader();
        if (column && event.position.x >= origin.x && event.position.y < origin.y) {
            ZafEventRecord press = event;
            press.type = ZAF_BEGIN_SELECT;
            return column->Event(press);
        }
        return ZAF_BEGIN_SELECT;
    }
    ZafTableRecord *record = RecordAt(event.position);
    if (!record) {
        if (::GetFocus() != osWindow && !IsChild(osWindow, ::GetFocus()))
            ::SetFocus(osWindow);
        return ZAF_BEGIN_SELECT;
    }
    if (record->IsDisabledUpChain(true))
        return ZAF_REFUSED;
    ZafTableRecord *current = CurrentRecordWindow();
    if (current && current != record) {
        // A field that refuses to let the focus go keeps it; its row is not
        // stored (its text did not validate).
        const ZafEventType answer = LeaveRecord(current);
        if (IsRefusal(answer))
            return answer;
    }
    ZafEventRecord press = event;
    press.type = ZAF_BEGIN_SELECT;
    return record->Event(press);
}

// --- Moving between records ----------------------------------------------------------

void ZafTable::FocusTarget(ZafTableRecord *target, int field)
{
    if (!target)
        return;
    if (field < 0 && target->First())
        field = 0;
    ZafElement *f = field >= 0 ? target->Get(field) : nullptr;
    if (f && ZafTableRecord::IsFocusable(static_cast<ZafWindowObject *>(f)))
        static_cast<ZafWindowObject *>(f)->SetFocus(true);
    else
        target->ZafWindow::SetFocus(true);
}

ZafEventType ZafTable::NavigationEvent(const ZafEventRecord &event)
{
    if (!First())
        return ZAF_REFUSED;
    ZafTableRecord *current = CurrentRecordWindow();
    const int fields = virtualRecord ? virtualRecord->Count() : 0;
    int field = current && current->CurrentChild() ? current->Index(current->CurrentChild()) : currentField;
    const int windows = Count();
    ZafTableRecord *target = current;
    // Scrolls so that the stored current record shows (first or last).
    auto bringIntoView = [this](bool asFirst) {
        const int delta = asFirst ? currentRecord - FirstVisibleIndex() : currentRecord - LastVisibleIndex();
        if ((asFirst && delta != 0) || (!asFirst && delta > 0) || currentRecord < FirstVisibleIndex())
            ScrollRecords(ZafEventRecord(ZAF_SCROLL_VERTICAL),
                          currentRecord < FirstVisibleIndex() ? currentRecord - FirstVisibleIndex() : delta);
        return FindRecord(currentRecord);
    };
    // Scrolls by delta when the current row lets the focus go.
    auto scrollBy = [this, current](int delta) {
        if (current && IsRefusal(LeaveRecord(current)))
            return false;
        ScrollRecords(ZafEventRecord(ZAF_SCROLL_VERTICAL), delta);
        return true;
    };
    switch (event.type) {
    case ZAF_MOVE_UP:
    case ZAF_PREVIOUS:
        if (event.type == ZAF_PREVIOUS)
            field = current ? fields - 1 : (currentField < 1 ? fields - 1 : currentField - 1);
        if (!current) {
            currentRecord = std::max(0, currentRecord - 1);
            target = bringIntoView(true);
        } else if (current->Previous()) {
            target = AsRecord(current->Previous());
        } else if (current->RecordIndex() > 0) {
            if (!scrollBy(-1))
                return ZAF_REFUSED;
            target = AsRecord(First());
        }
        break;
    case ZAF_MOVE_DOWN:
    case ZAF_NEXT:
        if (event.type == ZAF_NEXT)
            field = current ? 0 : (currentField + 1 >= fields ? 0 : currentField + 1);
        if (!current) {
            currentRecord = std::min(lastRecord, currentRecord + 1);
            target = bringIntoView(false);
        } else if (current->Next()) {
            target = AsRecord(current->Next());
        } else if (current->RecordIndex() < lastRecord) {
            if (!scrollBy(1))
                return ZAF_REFUSED;
            target = AsRecord(Last());
        }
        break;
    case ZAF_MOVE_TOP:
        if (!scrollBy(-FirstVisibleIndex()))
            return ZAF_REFUSED;
        target = AsRecord(First());
        break;
    case ZAF_MOVE_BOTTOM:
        if (!scrollBy(lastRecord - LastVisibleIndex()))
            return ZAF_REFUSED;
        target = AsRecord(Last());
        break;
    case ZAF_PAGE_UP:
        if (!current) {
            currentRecord = std::max(0, currentRecord - (windows - 1));
            target = bringIntoView(true);
        } else if (current != First()) {
            target = AsRecord(First());
        } else if (current->RecordIndex() > 0) {
            if (!scrollBy(-std::max(1, windows - 1)))
                return ZAF_REFUSED;
            target = AsRecord(First());
        }
        break;
    case ZAF_PAGE_DOWN:
        if (!current) {
            currentRecord = std::min(lastRecord, currentRecord + (windows - 1));
            target = bringIntoView(false);
        } else if (current != Last()) {
            target = AsRecord(Last());
        } else if (current->RecordIndex() < lastRecord) {
            if (!scrollBy(std::max(1, windows - 1)))
                return ZAF_REFUSED;
            target = AsRecord(Last());
        }
        break;
    default:
        return event.type;
    }
    if (!target)
        return event.type;
    const int targetField = target->CurrentChild() ? target->Index(target->CurrentChild()) : -1;
    if (target != CurrentRecordWindow() || field != targetField || !target->HostedFocus()->Focus()) {
        // Leaving a row in view: its field must let the focus go first.
        ZafTableRecord *now = CurrentRecordWindow();
        if (now && now != target && IsRefusal(LeaveRecord(now)))
            return ZAF_REFUSED;
        FocusTarget(target, field);
        ScrollEvent(ZafEventRecord(ZAF_SCROLL_TO_CURRENT));
    }
    return event.type;
}

// --- Focus and selection -------------------------------------------------------------

int ZafTable::NotifyFocus(ZafWindowObject *object, bool gaining)
{
    ZafTableRecord *previous = CurrentRecordWindow();
    const int result = ZafWindow::NotifyFocus(object, gaining);
    ZafTableRecord *now = CurrentRecordWindow();
    if (osWindow && now && gaining) {
        currentRecord = now->RecordIndex();
        if (previous != now)
            Redisplay();
    }
    return result;
}

ZafWindowObject *ZafTable::NotifySelection(ZafWindowObject *object, bool selected)
{
    ZafWindow::NotifySelection(object, selected);
    auto *record = dynamic_cast<ZafTableRecord *>(object);
    if (ZafWindowObject *rowField = record ? RowFieldOf(record) : nullptr)
        rowField->ZafWindowObject::SetSelected(selected);
    if (object && object->Selected() == selected)
        object->Redisplay();
    return object;
}

// --- Scrolling -------------------------------------------------------------------------

ZafEventType ZafTable::ScrollEvent(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_SCROLL_VERTICAL:
    case ZAF_SCROLL_RECORDS:
        return ScrollRecords(event, event.scroll.step);
    case ZAF_SCROLL_HORIZONTAL:
    case ZAF_SCROLL_COLUMNS:
        return ScrollColumns(event.scroll.step);
    case ZAF_SCROLL_TO_CURRENT:
        return ScrollToCurrentField();
    case ZAF_SCROLL_UPDATE_VERTICAL:
        UpdateVerticalBar();
        return event.type;
    case ZAF_SCROLL_UPDATE_HORIZONTAL:
        UpdateHorizontalBar();
        return event.type;
    case ZAF_SCROLL_304:
        return event.type;
    default:
        return ZAF_REFUSED;
    }
}

ZafEventType ZafTable::ScrollRecords(const ZafEventRecord &event, int delta)
{
    if (delta == 0 || !First())
        return event.type;
    delta = std::clamp(delta, -FirstVisibleIndex(), std::max(0, lastRecord - LastVisibleIndex()));
    ZafTableRecord *current = CurrentRecordWindow();
    const HWND focused = ::GetFocus();
    const bool hadFocus = focused && (focused == osWindow || IsChild(osWindow, focused));
    // An edit ends before its row moves; a field that refuses stops the
    // scroll, and the bar shows the place the table stayed at.
    if (current && ZafTableRecord::IsEditing(current->CurrentChild())) {
        const ZafEventType answer = LeaveRecord(current);
        if (IsRefusal(answer)) {
            UpdateVerticalBar();
            return answer;
        }
    }
    if (delta == 0) {
        UpdateVerticalBar();
        return event.type;
    }
    const int first = FirstVisibleIndex();
    ZafTableHeader *rowHeader = RowHeader();
    if (std::abs(delta) >= Count()) {
        // A page or more: every row is stored, then all are reloaded.
        for (ZafElement *e = First(); e; e = e->Next())
            StoreRecordWindow(AsRecord(e));
    } else {
        // Line by line: the row that leaves is stored and moved to the other
        // end, so that only it is reloaded.
        for (int step = 0; step < std::abs(delta); ++step) {
            ZafTableRecord *moved = AsRecord(delta > 0 ? First() : Last());
            StoreRecordWindow(moved);
            ZafWindowObject *rowField = RowFieldOf(moved);
            ZafElement *keep = Current();
            ZafList::Subtract(moved);
            if (delta > 0)
                ZafList::Add(moved);
            else
                ZafList::AddBefore(moved, First());
            SetCurrent(keep);
            if (rowField) {
                rowHeader->ZafList::Subtract(rowField);
                if (delta > 0)
                    rowHeader->ZafList::Add(rowField);
                else
                    rowHeader->ZafList::AddBefore(rowField, rowHeader->First());
            }
            moved->SetRecordIndex(-1);
        }
    }
    ShowRecordsFrom(first + delta);
    if (ZafTableRecord *now = FindRecord(currentRecord))
        if (hadFocus)
            FocusTarget(now, currentField);
    return event.type;
}

ZafEventType ZafTable::ScrollColumns(int delta)
{
    if (!virtualRecord || !virtualRecord->First() || delta == 0)
        return ZAF_SCROLL_HORIZONTAL;
    int at = 0;
    for (ZafElement *e = virtualRecord->First(); e; e = e->Next(), ++at)
        if (Pixels(static_cast<ZafWindowObject *>(e)).left >= 0)
            break;
    const int target = std::clamp(at + delta, 0, virtualRecord->Count() - 1);
    const int shift = Pixels(static_cast<ZafWindowObject *>(virtualRecord->Get(target))).left;
    for (ZafElement *e = virtualRecord->First(); e; e = e->Next()) {
        auto *field = static_cast<ZafWindowObject *>(e);
        ZafRegionRect r = Pixels(field);
        field->SetRegion(r.left - shift, r.top, r.right - shift, r.bottom, ZAF_PIXEL);
    }
    if (ZafTableHeader *column = ColumnHeader())
        column->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    for (ZafElement *e = First(); e; e = e->Next())
        AsRecord(e)->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    UpdateHorizontalBar();
    Redisplay();
    return ZAF_SCROLL_HORIZONTAL;
}

ZafEventType ZafTable::ScrollToCurrentField()
{
    ZafTableRecord *record = CurrentRecordWindow();
    ZafWindowObject *field = record ? record->CurrentChild() : nullptr;
    if (!field || !virtualRecord)
        return ZAF_SCROLL_TO_CURRENT;
    const ZafRegionRect r = Pixels(field);
    const int width = AvailableWidth();
    int delta = 0;
    const int position = record->Index(field);
    int firstVisible = 0;
    for (ZafElement *e = virtualRecord->First(); e; e = e->Next(), ++firstVisible)
        if (Pixels(static_cast<ZafWindowObject *>(e)).left >= 0)
            break;
    if (r.left < 0) {
        delta = position - firstVisible;
    } else if (r.right >= width) {
        int overflow = r.right - width + 1;
        for (ZafElement *e = virtualRecord->Get(firstVisible); e && overflow > 0; e = e->Next(), ++delta)
            overflow -= Pixels(static_cast<ZafWindowObject *>(e)).Width();
    }
    if (delta != 0)
        ScrollColumns(delta);
    return ZAF_SCROLL_TO_CURRENT;
}

void ZafTable::UpdateVerticalBar()
{
    ZafScrollBar *bar = VerticalScrollBar();
    ZafScrollData *data = bar ? bar->ScrollData() : nullptr;
    if (!data)
        return;
    // Windows keeps the thumb within maximum - page + 1, so the maximum is
    // the last record and the page the number of rows shown.
    if (!First())
        data->SetScroll(0, 0, 0, 0, 0);
    else
        data->SetScroll(0, lastRecord, FirstVisibleIndex(), 1, Count());
}

void ZafTable::UpdateHorizontalBar()
{
    ZafScrollBar *bar = HorizontalScrollBar();
    ZafScrollData *data = bar ? bar->ScrollData() : nullptr;
    if (!data || !virtualRecord || !virtualRecord->First())
        return;
    int hidden = 0;
    for (ZafElement *e = virtualRecord->First(); e; e = e->Next())
        if (Pixels(static_cast<ZafWindowObject *>(e)).left < 0)
            ++hidden;
    const bool fits =
        Pixels(static_cast<ZafWindowObject *>(virtualRecord->Last())).right < AvailableWidth() && hidden == 0;
    data->SetScroll(0, fits ? 0 : virtualRecord->Count() - 1, hidden, 1, 1);
}

// --- Drawing -------------------------------------------------------------------------

ZafEventType ZafTable::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    DrawBackground(area, code);
    DrawGridLines();
    if (ZafTableRecord *record = CurrentRecordWindow()) {
        const HWND focused = ::GetFocus();
        if (focused && (focused == osWindow || IsChild(osWindow, focused))) {
            ZafRegionRect r = record->GetWindowRegion();
            DrawFocus(r, ZAF_CURRENT);
        }
    }
    return code;
}

void ZafTable::DrawGridLines()
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!grid || !display || !display->CurrentDC() || !virtualRecord)
        return;
    const COLORREF color = StateColor(ZAF_PM_DARK_EDGE, gridState, GetSysColor(COLOR_BTNFACE));
    const POINT origin = ChildOrigin();
    const int width = AvailableWidth();
    const int height = AvailableHeight();
    // Right of every column but the last: over the whole height, or over
    // the field's own height when it is taller than one display cell.
    const int cell = ZafDisplay::ForConversion().CellHeight();
    for (ZafElement *e = virtualRecord->First(); e && e != virtualRecord->Last(); e = e->Next()) {
        const ZafRegionRect field = Pixels(static_cast<ZafWindowObject *>(e));
        const int x = origin.x + field.right;
        if (field.Height() > cell)
            display->Line(x, origin.y + field.top, x, origin.y + field.bottom, color);
        else
            display->Line(x, origin.y, x, origin.y + height - 1, color);
    }
    const int pitch = recordHeight + recordSpacing;
    for (int y = 0; pitch > 0 && y < height; y += pitch)
        display->Line(origin.x, origin.y + y, origin.x + width - 1, origin.y + y, color);
}

COLORREF ZafTable::StateColor(std::uint16_t type, std::uint16_t state, COLORREF fallback) const
{
    ZafPaletteStruct entry;
    LogicalPalette(entry, type, state);
    ResolveSystemColors(entry, type, state);
    return PaletteColor(entry.colorForeground, entry.osColorForeground, fallback);
}

ZafEventType ZafTable::DrawFocus(ZafRegionRect &rect, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    const POINT origin = ChildOrigin();
    const int right = origin.x + AvailableWidth() - 1;
    // In grid mode the lines take the focus colour for the current record
    // and the grid colour otherwise; without grid they are inverted (XOR).
    COLORREF color;
    int oldMode = 0;
    if (grid) {
        color = code == ZAF_CURRENT ? StateColor(ZAF_PM_OUTLINE, ZAF_PM_ACTIVE, GetSysColor(COLOR_WINDOWTEXT))
                                    : StateColor(ZAF_PM_DARK_EDGE, gridState, GetSysColor(COLOR_BTNFACE));
    } else {
        color = StateColor(ZAF_PM_LIGHT_EDGE, ZAF_PM_ACTIVE, GetSysColor(COLOR_BTNHIGHLIGHT));
        oldMode = SetROP2(display->CurrentDC(), R2_XORPEN);
    }
    display->Line(origin.x, rect.top - 1, right, rect.top - 1, color);
    display->Line(origin.x, rect.bottom + 1, right, rect.bottom + 1, color);
    if (oldMode)
        SetROP2(display->CurrentDC(), oldMode);
    return code;
}

void ZafTable::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    const bool selected = state & ZAF_PM_SELECTED;
    auto resolve = [](std::uint8_t color, std::int32_t &os, int system) {
        if (color == 253 && os == -1)
            os = static_cast<std::int32_t>(GetSysColor(system));
    };
    switch (type) {
    case ZAF_PM_TEXT:
    case 4:
        resolve(entry.colorForeground, entry.osColorForeground, selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        resolve(entry.colorBackground, entry.osColorBackground, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        break;
    case ZAF_PM_BACKGROUND:
        resolve(entry.colorForeground, entry.osColorForeground, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        resolve(entry.colorBackground, entry.osColorBackground, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        break;
    case ZAF_PM_OUTLINE:
    case ZAF_PM_DARK_EDGE: {
        const int system = type == ZAF_PM_OUTLINE && (state & ZAF_PM_ACTIVE) ? COLOR_WINDOWTEXT : COLOR_BTNFACE;
        resolve(entry.colorForeground, entry.osColorForeground, system);
        resolve(entry.colorBackground, entry.osColorBackground, system);
        break;
    }
    default:
        break;
    }
    ZafWindow::ResolveSystemColors(entry, type, state);
}
