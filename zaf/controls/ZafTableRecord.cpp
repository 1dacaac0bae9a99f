// ZafTableRecord: construction, persistence, field navigation, editing and
// drawing of one table row.
#include "zaf/controls/ZafTableRecord.h"

#include "zaf/controls/ZafTable.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

// --- Construction ----------------------------------------------------------------

ZafTableRecord::ZafTableRecord(int width, int height) : ZafWindow(0, 0, width, height)
{
    Construct();
}

ZafTableRecord::ZafTableRecord(const ZafTableRecord &copy) : ZafWindow(copy)
{
    Construct();
}

void ZafTableRecord::Construct()
{
    SetFlagTo(flagOwnWindow, false);
    SetFlagTo(flagDestroyable, false);
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagSizeable, false);
    SetFlagTo(flagParentDrawsFocus, true);
    SetFlagTo(flagBordered, false);
    selectionMode = 1;
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *field = static_cast<ZafWindowObject *>(e);
        field->SetOwnWindow(false);
        field->SetParentDrawsFocus(true);
    }
}

ZafTableRecord::~ZafTableRecord() = default;

bool ZafTableRecord::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafTableRecord::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

ZafTable *ZafTableRecord::Table() const
{
    return dynamic_cast<ZafTable *>(parent);
}

// --- Persistence -------------------------------------------------------------------

ZafTableRecord::ZafTableRecord(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct();
    recordIndex = -1;
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafTableRecord::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafTableRecord(name, persistence);
}

void ZafTableRecord::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafTableRecord::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

// --- Fields ----------------------------------------------------------------------

ZafWindowObject *ZafTableRecord::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (!object || object->Parent())
        return object;
    if (!object->SupportObject()) {
        object->SetOwnWindow(false);
        object->SetParentDrawsFocus(true);
    }
    return ZafWindow::AddObject(object, before);
}

bool ZafTableRecord::IsEditing(const ZafWindowObject *field)
{
    return field && field->OwnWindow() && field->IsCreated();
}

bool ZafTableRecord::IsFocusable(const ZafWindowObject *field)
{
    // Visible as far as its record: a table in a hidden window still moves
    // its focus.
    return field && !field->IsNoFocusUpChain() && !field->IsDisabledUpChain(true) && field->Visible() &&
           (!field->Parent() || field->Parent()->Visible());
}

bool ZafTableRecord::BeginFieldEdit(ZafWindowObject *field)
{
    // A field takes Enter for itself (its selection); the record learns of
    // it through the field's dispatcher, which it wraps while the edit lasts.
    if (field->UserCallback() != EditCallback) {
        editCallback = field->UserCallback();
        field->SetUserCallback(EditCallback);
    }
    return field->SetOwnWindow(true);
}

bool ZafTableRecord::EndFieldEdit(ZafWindowObject *field)
{
    if (field->UserCallback() == EditCallback) {
        field->SetUserCallback(editCallback);
        editCallback = nullptr;
    }
    const bool hadFocus = field->Focus() || (field->IsCreated() && ::GetFocus() == field->OSHandle());
    field->SetOwnWindow(false);
    if (hadFocus)
        field->SetFocus(true);
    return field->OwnWindow();
}

UINT ZafTableRecord::EnterMessage()
{
    static const UINT message = RegisterWindowMessageA("ZafTableRecordEnter");
    return message;
}

ZafEventType ZafTableRecord::EditCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code)
{
    auto *record = dynamic_cast<ZafTableRecord *>(object->Parent());
    ZafUserCallback callback = record && record->editCallback ? record->editCallback : CallUserFunction;
    ZafTracker alive(object);
    // The field's own dispatcher (its validation, the user function) may
    // delete it.
    const ZafEventType result = callback(object, event, code);
    if (alive.Deleted() || code != ZAF_SELECT || result != 0 || !record)
        return result;
    if (HWND host = record->DrawingHandle())
        PostMessageA(host, EnterMessage(), 0, static_cast<LPARAM>(object->EventHandle()));
    return result;
}

bool ZafTableRecord::SetFocus(bool flag)
{
    ZafWindowObject *field = CurrentChild();
    if (flag && field)
        field->SetFocus(true);
    else
        ZafWindow::SetFocus(flag);
    return focus;
}

ZafWindowObject *ZafTableRecord::Step(ZafWindowObject *from, bool forward) const
{
    const int count = Count();
    if (count == 0)
        return nullptr;
    int at = from ? Index(from) : (forward ? -1 : count);
    for (int i = 0; i < count; ++i) {
        at = forward ? (at + 1) % count : (at - 1 + count) % count;
        auto *field = static_cast<ZafWindowObject *>(Get(at));
        if (IsFocusable(field))
            return field;
    }
    return nullptr;
}

// --- Events ------------------------------------------------------------------------

const ZafEventMap ZafTableRecord::eventMap[] = {
    {keyFirstField, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {keyLastField, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZAF_PREVIOUS, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZAF_MOVE_LEFT, ZAF_KEY_EVENT, VK_LEFT, ZAF_KEY_PRESS},
    {ZAF_MOVE_RIGHT, ZAF_KEY_EVENT, VK_RIGHT, ZAF_KEY_PRESS},
    {ZAF_NEXT, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS},
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_RETURN, ZAF_KEY_PRESS},
    {ZAF_MOVE_DOWN, ZAF_KEY_EVENT, VK_DOWN, ZAF_KEY_PRESS},
    {ZAF_MOVE_UP, ZAF_KEY_EVENT, VK_UP, ZAF_KEY_PRESS},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafTableRecord::MapEvent(const ZafEventRecord &event) const
{
    const ZafEventType code = SearchEventMap(eventMap, event);
    return code != ZAF_NO_MAPPING ? code : ZafWindow::MapEvent(event);
}

ZafEventType ZafTableRecord::NavigationEvent(const ZafEventRecord &event)
{
    ZafWindowObject *current = CurrentChild();
    const bool editing = IsEditing(current);
    ZafWindowObject *target = nullptr;
    ZafEventType result = event.type;
    switch (event.type) {
    case ZAF_SELECT:
        if (!current)
            current = static_cast<ZafWindowObject *>(First());
        if (!current)
            return ZAF_REFUSED;
        if (!IsEditing(current)) {
            BeginFieldEdit(current);
            current->SetFocus(true);
        } else {
            result = current->Event(ZafEventRecord(ZAF_SELECT));
            EndFieldEdit(current);
            target = Step(current, true);
        }
        if (ZafTable *table = Table())
            table->ScrollEvent(ZafEventRecord(ZAF_SCROLL_TO_CURRENT));
        break;
    case ZAF_MOVE_UP:
    case ZAF_MOVE_DOWN:
        return ZAF_REFUSED;
    case ZAF_MOVE_LEFT:
    case ZAF_MOVE_RIGHT:
        // The caret of the field being edited moves instead.
        if (editing)
            return ZAF_UNKNOWN;
        target = Step(current, event.type == ZAF_MOVE_RIGHT);
        break;
    case ZAF_PREVIOUS:
    case ZAF_NEXT: {
        if (!First())
            return ZAF_REFUSED;
        if (!current) {
            auto *end = static_cast<ZafWindowObject *>(event.type == ZAF_NEXT ? First() : Last());
            if (IsFocusable(end)) {
                target = end;
                break;
            }
        }
        if (editing) {
            // The field takes its text before its edit ends; one that refuses
            // the text keeps the focus, so that nothing invalid moves on.
            const ZafEventType leave = current->Event(ZafEventRecord(ZAF_FOCUS_CHANGE, this));
            if (leave != ZafTable::leaveAccepted && leave != ZafTable::leaveValueKept)
                return leave;
            EndFieldEdit(current);
        }
        target = Step(current, event.type == ZAF_NEXT);
        break;
    }
    case keyFirstField:
    case keyLastField:
        if (editing)
            return ZAF_UNKNOWN;
        target = static_cast<ZafWindowObject *>(event.type == keyFirstField ? First() : Last());
        break;
    default:
        return ZAF_REFUSED;
    }
    if (target && target != current) {
        target->SetFocus(true);
        if (ZafTable *table = Table())
            table->ScrollEvent(ZafEventRecord(ZAF_SCROLL_TO_CURRENT));
    } else if (!target && event.type != ZAF_SELECT) {
        return ZAF_REFUSED;
    }
    return result;
}

ZafWindowObject *ZafTableRecord::FieldAt(const POINT &point) const
{
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *field = static_cast<ZafWindowObject *>(e);
        const ZafRegionRect r = field->GetWindowRegion();
        if (point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom)
            return field;
    }
    return nullptr;
}

ZafEventType ZafTableRecord::PressEvent(const ZafEventRecord &event)
{
    ZafWindowObject *field = FieldAt(event.position);
    if (field && !field->IsDisabledUpChain(false)) {
        if (field->IsNoFocusUpChain()) {
            field->Event(event);
        } else {
            if (!IsEditing(field))
                BeginFieldEdit(field);
            field->SetFocus(true);
            // The press goes on to the new control so that it places its caret.
            HWND host = DrawingHandle();
            POINT screen = event.position;
            MapWindowPoints(host, nullptr, &screen, 1);
            HWND under = WindowFromPoint(screen);
            if (under && under != host && under == field->OSHandle()) {
                POINT local = screen;
                ScreenToClient(under, &local);
                SendMessageA(under, WM_LBUTTONDOWN, event.osEvent.wParam, MAKELPARAM(local.x, local.y));
            }
            return ZAF_BEGIN_SELECT;
        }
    }
    if (!HostedFocus()->Focus())
        SetFocus(true);
    return ZAF_BEGIN_SELECT;
}

bool ZafTableRecord::StartEditByKey(const ZafEventRecord &event)
{
    ZafWindowObject *field = CurrentChild();
    const MSG &m = event.osEvent;
    if (!field || IsEditing(field) || m.message != WM_KEYDOWN || !(event.key.shiftState & ZAF_KEY_PRESS))
        return false;
    if (event.key.shiftState & (ZAF_KEY_CTRL | ZAF_KEY_ALT))
        return false;
    // The character the key makes, as the loop would translate it.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    WORD chars[2] = {};
    const int made = ToAscii(static_cast<UINT>(m.wParam), (static_cast<UINT>(m.lParam) >> 16) & 0xFF, keys, chars, 0);
    if (made != 1 || !IsPrintLatin1(static_cast<unsigned char>(chars[0])))
        return false;
    if (!IsFocusable(field))
        return false;
    BeginFieldEdit(field);
    field->SetFocus(true);
    if (ZafTable *table = Table())
        table->ScrollEvent(ZafEventRecord(ZAF_SCROLL_TO_CURRENT));
    if (HWND edit = field->OSHandle()) {
        // The typed key opens the edit and is kept: the new control gets it
        // (and its character) as if typed there.
        SendMessageA(edit, WM_KEYDOWN, m.wParam, m.lParam);
        SendMessageA(edit, WM_CHAR, chars[0], m.lParam);
    }
    return true;
}

ZafEventType ZafTableRecord::Event(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code == ZAF_KEY_EVENT) {
        code = MapEvent(event);
        switch (code) {
        case ZAF_SELECT:
        case ZAF_MOVE_UP:
        case ZAF_MOVE_DOWN:
        case ZAF_MOVE_LEFT:
        case ZAF_MOVE_RIGHT:
        case ZAF_PREVIOUS:
        case ZAF_NEXT:
        case keyFirstField:
        case keyLastField: {
            // Ctrl+Tab and Ctrl+Shift+Tab are the table's.
            if ((code == ZAF_NEXT || code == ZAF_PREVIOUS) && (event.key.shiftState & ZAF_KEY_CTRL))
                return ZAF_UNKNOWN;
            ZafEventRecord logical = event;
            logical.type = code;
            const ZafEventType result = NavigationEvent(logical);
            return result == ZAF_REFUSED ? ZAF_UNKNOWN : result;
        }
        default:
            return StartEditByKey(event) ? ZAF_KEY_EVENT : ZAF_UNKNOWN;
        }
    }
    switch (code) {
    case ZAF_SELECT:
    case ZAF_MOVE_UP:
    case ZAF_MOVE_DOWN:
    case ZAF_MOVE_LEFT:
    case ZAF_MOVE_RIGHT:
    case ZAF_PREVIOUS:
    case ZAF_NEXT:
    case keyFirstField:
    case keyLastField:
        return NavigationEvent(event);
    case ZAF_BEGIN_SELECT:
        return PressEvent(event);
    case ZAF_CONTINUE_SELECT:
    case ZAF_END_SELECT:
        // A drag or release goes to every field under the point.
        for (ZafElement *e = First(), *next = nullptr; e; e = next) {
            next = e->Next();
            auto *field = static_cast<ZafWindowObject *>(e);
            const ZafRegionRect r = field->GetWindowRegion();
            if (event.position.x >= r.left && event.position.x <= r.right && event.position.y >= r.top &&
                event.position.y <= r.bottom)
                field->Event(event);
        }
        return code;
    case ZAF_REGION_CHANGED:
        LayoutFields();
        return ZafWindow::Event(event);
    case ZAF_FOCUS_CHANGE:
        if (ZafTable *table = Table())
            table->LeaveRecord(this);
        return ZafWindow::Event(event);
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_AREA:
    case ZAF_REDISPLAY_CHANGE:
        return ZafWindowObject::Event(event);
    default:
        return ZafWindow::Event(event);
    }
}

void ZafTableRecord::LayoutFields()
{
    ZafTable *table = Table();
    ZafTableRecord *model = table ? table->VirtualRecord() : nullptr;
    if (!model || model == this)
        return;
    const int height = region.bottom - region.top;
    // In grid mode each field stops one pixel short of its column, leaving
    // the table's vertical grid line visible; doing it at every layout keeps
    // it after the fields are placed again from the template.
    const int shrink = table->Grid() ? 1 : 0;
    ZafElement *m = model->First();
    for (ZafElement *e = First(); e && m; e = e->Next(), m = m->Next()) {
        auto *field = static_cast<ZafWindowObject *>(e);
        const ZafRegionRect column = static_cast<ZafWindowObject *>(m)->Region();
        field->SetRegion(column.left, 0, column.right - shrink, height, ZAF_PIXEL);
        if (IsEditing(field))
            field->MoveOSWindow();
    }
}

int ZafTableRecord::NotifyFocus(ZafWindowObject *object, bool gaining)
{
    ZafWindowObject *previous = CurrentChild();
    ZafTable *table = Table();
    // A field of a record that is not yet the table's current one becomes
    // the record's current field at once, before the table hears of it.
    if (gaining && object && object != this && Contains(object) && table && table->CurrentChild() != this)
        SetCurrent(object);
    const bool hadFocus = focus;
    const int result = ZafWindow::NotifyFocus(object, gaining);
    if (!IsOnScreen())
        return result;
    ZafWindowObject *current = CurrentChild();
    // An edit ends here only when another field takes over; when the focus
    // leaves the record the table asks the field to let it go first
    // (ZafTable::LeaveRecord), so that a text the field refuses stays in
    // its control to be corrected instead of being lost.
    if (previous && previous != current) {
        if (IsEditing(previous))
            EndFieldEdit(previous);
        if (!gaining || hadFocus)
            previous->Event(ZafEventRecord(ZAF_REDISPLAY));
    }
    if (gaining && current) {
        if (table)
            table->SetCurrentField(Index(current));
        current->Event(ZafEventRecord(ZAF_REDISPLAY));
    }
    return result;
}

// --- Drawing -----------------------------------------------------------------------

ZafEventType ZafTableRecord::Draw(const ZafEventRecord &, ZafEventType code)
{
    // The visible fields are painted in the pass that follows
    // (PaintWindowlessChildren), and the gaps between them are the table's
    // grid lines: the record fills what lies right of its last field and
    // the places of invisible fields.
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *field = static_cast<ZafWindowObject *>(e);
        if (field->Visible())
            continue;
        ZafRegionRect hidden = field->GetWindowRegion();
        DrawBackground(hidden, code);
    }
    if (ZafWindowObject *last = static_cast<ZafWindowObject *>(Last()))
        area.left = last->GetWindowRegion().right + 1;
    if (area.left <= area.right)
        DrawBackground(area, code);
    return code;
}

bool ZafTableRecord::Highlighted(const ZafWindowObject *field) const
{
    return field->Focus() != Selected();
}

void ZafTableRecord::PaintWindowlessChildren(const ZafEventRecord &event)
{
    // The highlight palette: the record's state as if selected, its system
    // colours resolved by the table, which gives the selected state the
    // highlight colours. A lookup of any state finds its two entries, so
    // the field draws in them whatever its own state is.
    const std::uint16_t state =
        static_cast<std::uint16_t>((PaletteState() & ~ZAF_PM_NOT_SELECTED) | ZAF_PM_SELECTED);
    const ZafList *lists[] = {&SupportList(), this};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next()) {
            auto *field = static_cast<ZafWindowObject *>(e);
            if (!field->PaintedByParent() || !field->Visible())
                continue;
            ZafPaletteData highlight;
            const bool lend = list == this && Highlighted(field);
            if (lend)
                for (const std::uint16_t type : {ZAF_PM_TEXT, ZAF_PM_BACKGROUND}) {
                    ZafPaletteStruct entry;
                    field->LogicalPalette(entry, type, state);
                    ResolveSystemColors(entry, type, state);
                    highlight.SetPalette(type, ZAF_PM_ANY_STATE, entry);
                }
            ZafPaletteData *own = lend ? field->LendPaletteData(&highlight) : nullptr;
            {
                // The field's pass clips it, and whatever it holds, to its
                // region.
                ZafDrawPass pass(*field);
                field->Draw(event, ZAF_REDISPLAY);
                field->PaintWindowlessChildren(event);
            }
            if (lend)
                field->LendPaletteData(own);
        }
}

void ZafTableRecord::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (ZafTable *table = Table())
        table->ResolveSystemColors(entry, type, state);
    else
        ZafWindow::ResolveSystemColors(entry, type, state);
}
