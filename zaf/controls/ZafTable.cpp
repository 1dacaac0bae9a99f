// ZafTable: construction, persistence, the record cursor and exchange, the
// layout of record windows, columns, and inserting and deleting records.
// Events, scrolling, navigation and drawing are in ZafTableEvents.cpp.
#include "zaf/controls/ZafTable.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafString.h"
#include "zaf/controls/ZafTableHeader.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t storedGrid = 0x0001;

// The object's region in pixels.
ZafRegionRect Pixels(const ZafWindowObject *object)
{
    ZafRegionRect r = object->Region();
    object->ConvertRegion(r, ZAF_PIXEL);
    return r;
}

ZafTableRecord *AsRecord(ZafElement *e)
{
    return static_cast<ZafTableRecord *>(static_cast<ZafWindowObject *>(e));
}

// A column header's cell; named after its column, for two cells of one
// class would share one directory in the UI data file.
ZafString *NewHeaderCell(const ZafTableHeader &header, const char *title)
{
    auto *cell = new ZafString(0, 0, 1, title ? title : "", -1);
    cell->SetStringID(("column" + std::to_string(header.Count())).c_str());
    return cell;
}

} // namespace

// --- Construction ----------------------------------------------------------------

ZafTable::ZafTable(int left, int top, int width, int height, int rowHeaderWidth, int columnHeaderHeight,
                   int recordHeight)
    : ZafWindow(left, top, width, height)
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagDestroyable, false);
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagSystemDrawn, false);
    selectionMode = 1;
    SetFlagTo(flagSizeable, false);
    virtualRecord = new ZafTableRecord(width, recordHeight);
    AdoptVirtualRecord();
    if (rowHeaderWidth && columnHeaderHeight)
        AddObject(new ZafTableHeader(rowHeaderWidth, columnHeaderHeight, ZafTableHeader::typeCorner));
    if (columnHeaderHeight)
        AddObject(new ZafTableHeader(0, columnHeaderHeight, ZafTableHeader::typeColumn));
    if (rowHeaderWidth) {
        auto *rowHeader = new ZafTableHeader(rowHeaderWidth, 0, ZafTableHeader::typeRow);
        auto *field = new ZafString(0, 0, rowHeaderWidth, "", -1);
        field->SetHzJustify(ZafString::justifyRight);
        rowHeader->SetField(field);
        AddObject(rowHeader);
    }
}

ZafTable::~ZafTable()
{
    BeginDeletion();
    delete virtualRecord;
}

bool ZafTable::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafTable::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafTable::ZafTable(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagSystemDrawn, false);
    SetFlagTo(flagDestroyable, false);
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagSizeable, false);
    if (persistence.Error() == 0)
        ReadData(persistence);
    // Whatever else the directory held as children is no record window.
    while (ZafWindowObject *child = FirstChild())
        delete SubtractObject(child);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafTable::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafTable(name, persistence);
}

void ZafTable::ReadData(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0;
    std::int32_t last = -1;
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    persistence.Read16(flags);
    persistence.Read32(last);
    persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0)
        return;
    grid = flags & storedGrid;
    lastRecord = last;
    if (!*name)
        return;
    // The virtual record was read with the children, under its own name.
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *child = static_cast<ZafWindowObject *>(e);
        if (child->StringID() && std::strcmp(child->StringID(), name) == 0 &&
            child->IsClassID(ZafTableRecord::classID)) {
            SubtractObject(child);
            delete virtualRecord;
            virtualRecord = static_cast<ZafTableRecord *>(child);
            AdoptVirtualRecord();
            return;
        }
    }
}

void ZafTable::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    if (virtualRecord && !virtualRecord->StringID()) {
        virtualRecord->SetStringID("virtualRecord");
        virtualRecord->Event(ZafEventRecord(ZAF_RESOLVE_REFERENCES));
    }
    // Record windows are never written. The virtual record stands in their
    // place while the window part writes its children, so that it is stored
    // as an entry of the table's directory and read back as a child.
    std::vector<ZafElement *> records;
    ZafElement *current = Current();
    while (ZafElement *e = First())
        records.push_back(ZafList::Subtract(e));
    if (virtualRecord)
        ZafList::Add(virtualRecord);
    ZafWindow::Write(persistence);
    if (virtualRecord)
        ZafList::Subtract(virtualRecord);
    for (ZafElement *e : records)
        ZafList::Add(e);
    SetCurrent(current);
    if (persistence.Error() == 0)
        WriteData(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafTable::AdoptVirtualRecord()
{
    // The virtual record is a template, never shown and never created: it
    // has the table as its parent (its fields find their table and palette
    // through it) but stands in neither of the table's lists.
    if (!virtualRecord)
        return;
    ZafWindow::AddObject(virtualRecord);
    support.Subtract(virtualRecord);
    ZafList::Subtract(virtualRecord);
}

void ZafTable::WriteData(ZafWindowPersistence &persistence)
{
    persistence.Write16(static_cast<std::uint16_t>(grid ? storedGrid : 0));
    persistence.Write32(static_cast<std::int32_t>(lastRecord));
    persistence.WriteString(virtualRecord && virtualRecord->StringID() ? virtualRecord->StringID() : "");
}

void ZafTable::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
    ZafTableRecord::RegisterPersistence();
    ZafTableHeader::RegisterPersistence();
}

// --- Record cursor -----------------------------------------------------------------

int ZafTable::NextRecord()
{
    if (recordCursor > lastRecord)
        return 1;
    ++recordCursor;
    return 0;
}

int ZafTable::PreviousRecord()
{
    // Refused below 0 as well: from the unset cursor (-1) a step back would
    // stand on a record index that cannot exist.
    if (recordCursor <= 0)
        return 1;
    --recordCursor;
    return 0;
}

int ZafTable::SeekRecord(int offset, int origin)
{
    const long long base = origin == seekFromCursor ? recordCursor : origin == seekFromLast ? lastRecord : 0;
    const long long target = base + offset;
    if (target < 0 || target > lastRecord)
        return 1;
    recordCursor = static_cast<int>(target);
    return 0;
}

int ZafTable::MoveCursorTo(int index)
{
    if (index == recordCursor)
        return 0;
    if (index == recordCursor + 1)
        return NextRecord();
    if (index == recordCursor - 1)
        return PreviousRecord();
    return SeekRecord(index, seekAbsolute);
}

// --- Record exchange ---------------------------------------------------------------

int ZafTable::LoadRecord(ZafTableRecord *record, ZafWindowObject *rowField)
{
    record->ZafWindowObject::SetSelected(false);
    if (rowField)
        rowField->ZafWindowObject::SetSelected(false);
    const int result = CallLoadFunction(record, rowField);
    record->SetChanged(false);
    if (rowField)
        rowField->SetChanged(false);
    return result;
}

int ZafTable::StoreRecord(ZafTableRecord *record, ZafWindowObject *rowField)
{
    int result = 0;
    if (record->Changed())
        result = CallStoreFunction(record, rowField);
    record->SetChanged(false);
    return result;
}

int ZafTable::CallLoadFunction(ZafTableRecord *record, ZafWindowObject *rowField)
{
    return loadFunction ? loadFunction(this, record, rowField) : 0;
}

int ZafTable::CallStoreFunction(ZafTableRecord *record, ZafWindowObject *rowField)
{
    return storeFunction ? storeFunction(this, record, rowField) : 0;
}

int ZafTable::StoreRecordWindow(ZafTableRecord *record)
{
    if (!record || record->RecordIndex() < 0 || !record->Changed())
        return 0;
    // A refused move would store the row over another record.
    if (MoveCursorTo(record->RecordIndex()) != 0)
        return 1;
    return StoreRecord(record, RowFieldOf(record));
}

ZafEventType ZafTable::LeaveRecord(ZafTableRecord *record)
{
    if (!record)
        return leaveAccepted;
    ZafWindowObject *field = record->CurrentChild();
    if (ZafTableRecord::IsEditing(field)) {
        ZafTracker alive(record);
        const ZafEventType answer = field->Event(ZafEventRecord(ZAF_FOCUS_CHANGE, this));
        if (alive.Deleted())
            return ZAF_REFUSED;
        // Deliberately no store here: a row whose field refused holds text
        // that did not validate, and the owner must never get it.
        if (answer != leaveAccepted && answer != leaveValueKept)
            return answer;
        record->EndFieldEdit(field);
    }
    StoreRecordWindow(record);
    return leaveAccepted;
}

int ZafTable::RefreshRecord(int index)
{
    if (index == -1) {
        // Unsaved edits are stored before every window is reloaded.
        StoreShownRecords();
        for (ZafElement *e = First(); e; e = e->Next())
            AsRecord(e)->SetRecordIndex(-1);
        ShowRecordsFrom(First() ? firstVisible : 0);
        Redisplay();
        return 0;
    }
    ZafTableRecord *record = FindRecord(index);
    if (!record)
        return 0;
    if (const int moved = MoveCursorTo(index))
        return moved;
    const int result = LoadRecord(record, RowFieldOf(record));
    Redisplay();
    return result;
}

ZafTableRecord *ZafTable::FindRecord(int index) const
{
    if (lastRecord < 0)
        return nullptr;
    for (ZafElement *e = First(); e; e = e->Next())
        if (AsRecord(e)->RecordIndex() == index)
            return AsRecord(e);
    return nullptr;
}

ZafWindowObject *ZafTable::RowFieldOf(const ZafTableRecord *record) const
{
    ZafTableHeader *header = RowHeader();
    const int position = PositionOf(record);
    if (!header || position < 0)
        return nullptr;
    return static_cast<ZafWindowObject *>(header->Get(position));
}

int ZafTable::PositionOf(const ZafWindowObject *record) const
{
    return record ? Index(record) : -1;
}

int ZafTable::FirstVisibleIndex() const
{
    return First() ? firstVisible : -1;
}

int ZafTable::LastVisibleIndex() const
{
    return First() ? firstVisible + Count() - 1 : -1;
}

bool ZafTable::ShowRecord(ZafTableRecord *record, ZafWindowObject *rowField, int index)
{
    if (record->RecordIndex() == index)
        return true;
    // A refused move leaves the window empty rather than loading the record
    // the cursor stayed on, which it would later store at the wrong index.
    if (MoveCursorTo(index) != 0) {
        record->SetRecordIndex(-1);
        for (ZafElement *e = record->First(); e; e = e->Next())
            static_cast<ZafWindowObject *>(e)->SetText("");
        if (rowField)
            rowField->SetText("");
        record->SetChanged(false);
        return false;
    }
    record->SetRecordIndex(index);
    LoadRecord(record, rowField);
    return true;
}

ZafTableRecord *ZafTable::CurrentRecordWindow() const
{
    return CurrentChild() ? AsRecord(CurrentChild()) : nullptr;
}

// --- Layout --------------------------------------------------------------------------

POINT ZafTable::ChildOrigin() const
{
    return POINT{RowHeaderWidth(), ColumnHeaderHeight()};
}

int ZafTable::AvailableHeight() const
{
    if (!osWindow)
        return 0;
    RECT client;
    GetClientRect(osWindow, &client);
    return client.bottom - ColumnHeaderHeight();
}

int ZafTable::AvailableWidth() const
{
    if (!osWindow)
        return 0;
    RECT client;
    GetClientRect(osWindow, &client);
    return client.right - RowHeaderWidth();
}

void ZafTable::LayoutRecord(ZafTableRecord *record, ZafWindowObject *rowField, int &y)
{
    const ZafRegionRect model = Pixels(virtualRecord);
    record->SetRegion(model.left, y, model.right, y + recordHeight - 1, ZAF_PIXEL);
    record->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    if (rowField) {
        const int top = PositionOf(record) == 0 ? 0 : y;
        rowField->SetRegion(0, top, RowHeaderWidth() - 1, y + recordHeight, ZAF_PIXEL);
    }
    // The next top: below this bottom by the spacing, one more in grid mode
    // for the grid line.
    y += recordHeight - 1 + recordSpacing + (grid ? 1 : 0);
}

void ZafTable::ShowRecordsFrom(int first)
{
    if (!virtualRecord || !osWindow)
        return;
    first = std::max(0, first);
    firstVisible = first;
    const int available = AvailableHeight();
    ZafTableHeader *rowHeader = RowHeader();
    ZafTableRecord *previousCurrent = CurrentRecordWindow();
    int y = recordSpacing;
    int index = first;
    // 1. The existing windows take the consecutive indexes.
    ZafElement *e = First();
    for (; e && y + recordHeight <= available && index <= lastRecord; e = e->Next(), ++index) {
        ZafTableRecord *record = AsRecord(e);
        ZafWindowObject *rowField = RowFieldOf(record);
        LayoutRecord(record, rowField, y);
        ShowRecord(record, rowField, index);
    }
    // 2. Windows left over go, with as many row fields from the end.
    while (e) {
        ZafElement *next = e->Next();
        ZafTableRecord *record = AsRecord(e);
        if (ZafWindowObject *rowField = RowFieldOf(record))
            delete rowHeader->SubtractObject(rowField);
        if (record == CurrentChild())
            SetCurrent(nullptr);
        delete SubtractObject(record);
        e = next;
    }
    // 3. New windows while records remain and another one fits.
    for (; index <= lastRecord && y + recordHeight <= available; ++index) {
        auto *record = static_cast<ZafTableRecord *>(virtualRecord->Duplicate());
        AttachRecord(record, nullptr);
        ZafWindowObject *rowField = RowFieldOf(record);
        LayoutRecord(record, rowField, y);
        ShowRecord(record, rowField, index);
    }
    // The current record's window becomes current again; a window that now
    // shows another record gives up the focus.
    ZafTableRecord *now = FindRecord(currentRecord);
    if (previousCurrent && previousCurrent != now && Contains(previousCurrent)) {
        SetCurrent(nullptr);
        if (ZafWindowObject *field = previousCurrent->CurrentChild())
            if (field->Focus())
                field->SetFocus(false);
    }
    if (now) {
        SetCurrent(now);
        if (currentField >= 0 && currentField < now->Count())
            now->SetCurrent(now->Get(currentField));
    }
    UpdateVerticalBar();
    Redisplay();
}

// --- Columns and records ---------------------------------------------------------

ZafWindowObject *ZafTable::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    return InsertObject(object, nullptr, before);
}

ZafWindowObject *ZafTable::InsertObject(ZafWindowObject *object, const char *columnTitle, ZafWindowObject *before)
{
    if (!object || object->Parent())
        return object;
    if (object->SupportObject())
        return ZafWindow::AddObject(object, before);
    auto *record = dynamic_cast<ZafTableRecord *>(object);
    if (!record) {
        // A column: its header cell, then the field in the virtual record.
        if (ZafTableHeader *header = ColumnHeader())
            header->AddObject(NewHeaderCell(*header, columnTitle ? columnTitle : object->Text()));
        if (grid)
            object->SetBordered(false);
        if (auto *button = dynamic_cast<ZafButton *>(object))
            button->SetAutoSize(false);
        return virtualRecord ? virtualRecord->AddObject(object, before) : nullptr;
    }
    AttachRecord(record, before);
    if (osWindow) {
        // The windows from the new one on take consecutive indexes again.
        ShowRecordsFrom(firstVisible);
    }
    return record;
}

void ZafTable::AttachRecord(ZafTableRecord *record, ZafWindowObject *before)
{
    record->SetOwnWindow(false);
    record->SetParentDrawsFocus(true);
    record->SetNoClassPalette(true);
    ZafWindow::AddObject(record, before);
    ZafTableHeader *rowHeader = RowHeader();
    if (rowHeader && rowHeader->Field()) {
        ZafWindowObject *rowField = rowHeader->Field()->Duplicate();
        rowHeader->AddObject(rowField, static_cast<ZafWindowObject *>(rowHeader->Get(PositionOf(record))));
    }
}

ZafTableRecord *ZafTable::SetVirtualRecord(ZafTableRecord *record)
{
    if (osWindow || record == virtualRecord)
        return virtualRecord;
    delete virtualRecord;
    if (record && record->Parent())
        if (auto *window = dynamic_cast<ZafWindow *>(record->Parent()))
            window->SubtractObject(record);
    virtualRecord = record;
    AdoptVirtualRecord();
    ZafTableHeader *header = ColumnHeader();
    if (header)
        header->Destroy();
    if (record) {
        for (ZafElement *e = record->First(); e; e = e->Next()) {
            auto *field = static_cast<ZafWindowObject *>(e);
            if (grid)
                field->SetBordered(false);
            if (header)
                header->AddObject(NewHeaderCell(*header, nullptr));
        }
    }
    return virtualRecord;
}

int ZafTable::SetColumnHeaderText(int column, const char *text)
{
    ZafTableHeader *header = ColumnHeader();
    ZafElement *cell = header && column >= 0 ? header->Get(column) : nullptr;
    if (!cell)
        return 1;
    static_cast<ZafWindowObject *>(cell)->SetText(text);
    return 0;
}

ZafTableHeader *ZafTable::ColumnHeader() const
{
    return dynamic_cast<ZafTableHeader *>(FindSupportObject(ZAF_NUMID_COLUMN_HEADER));
}

ZafTableHeader *ZafTable::RowHeader() const
{
    return dynamic_cast<ZafTableHeader *>(FindSupportObject(ZAF_NUMID_ROW_HEADER));
}

ZafTableHeader *ZafTable::CornerHeader() const
{
    return dynamic_cast<ZafTableHeader *>(FindSupportObject(ZAF_NUMID_CORNER_HEADER));
}

int ZafTable::RowHeaderWidth() const
{
    ZafTableHeader *header = RowHeader();
    return header ? Pixels(header).Width() : 0;
}

int ZafTable::ColumnHeaderHeight() const
{
    ZafTableHeader *header = ColumnHeader();
    return header ? Pixels(header).Height() : 0;
}

int ZafTable::SetColumnHeaderHeight(int height)
{
    if (osWindow)
        return height;
    for (ZafTableHeader *header : {ColumnHeader(), CornerHeader()})
        if (header) {
            ZafRegionRect r = header->Region();
            r.bottom = r.top + height - 1;
            header->SetRegion(r);
        }
    return height;
}

int ZafTable::SetRowHeaderWidth(int width)
{
    if (osWindow)
        return width;
    for (ZafTableHeader *header : {RowHeader(), CornerHeader()})
        if (header) {
            ZafRegionRect r = header->Region();
            r.right = r.left + width - 1;
            header->SetRegion(r);
        }
    return width;
}

int ZafTable::SetRecordHeight(int height, ZafCoordinateType type)
{
    if (osWindow || !virtualRecord)
        return height;
    virtualRecord->ZafWindowObject::SetCoordinateType(type);
    ZafRegionRect r = virtualRecord->Region();
    virtualRecord->ConvertRegion(r, type);
    r.bottom = r.top + height - 1;
    virtualRecord->SetRegion(r);
    return height;
}

bool ZafTable::SetGrid(bool flag)
{
    return SetUnlessCreated(grid, flag);
}

ZafCoordinateType ZafTable::SetCoordinateType(ZafCoordinateType type)
{
    if (type == coordinateType || osWindow)
        return coordinateType;
    ZafWindowObject::SetCoordinateType(type);
    for (ZafElement *e = support.First(); e; e = e->Next())
        static_cast<ZafWindowObject *>(e)->SetCoordinateType(type);
    if (virtualRecord) {
        virtualRecord->SetCoordinateType(type);
        for (ZafElement *e = virtualRecord->First(); e; e = e->Next())
            static_cast<ZafWindowObject *>(e)->SetCoordinateType(type);
    }
    return coordinateType;
}

int ZafTable::SetHeaderBackgroundColor(int color, int monoColor)
{
    for (ZafElement *e = support.First(); e; e = e->Next())
        static_cast<ZafWindowObject *>(e)->SetBackgroundColor(color, monoColor);
    return color;
}

int ZafTable::SetHeaderTextColor(int color, int monoColor)
{
    for (ZafElement *e = support.First(); e; e = e->Next())
        static_cast<ZafWindowObject *>(e)->SetTextColor(color, monoColor);
    return color;
}

// --- Inserting and deleting records ----------------------------------------------

bool ZafTable::EndCurrentEdit()
{
    ZafTableRecord *record = CurrentRecordWindow();
    ZafWindowObject *field = record ? record->CurrentChild() : nullptr;
    if (!ZafTableRecord::IsEditing(field))
        return true;
    // The field takes its text as on leaving it; the edit ends either way,
    // for the rows are about to be reloaded.
    const ZafEventType answer = field->Event(ZafEventRecord(ZAF_FOCUS_CHANGE, this));
    record->EndFieldEdit(field);
    return answer == leaveAccepted || answer == leaveValueKept;
}

void ZafTable::StoreShownRecords()
{
    ZafTableRecord *current = CurrentRecordWindow();
    const bool valid = EndCurrentEdit();
    for (ZafElement *e = First(); e; e = e->Next())
        if (valid || AsRecord(e) != current)
            StoreRecordWindow(AsRecord(e));
}

int ZafTable::InsertRecord(int index)
{
    if (index < 0 || index > lastRecord + 1)
        return 1;
    // The rows shown are stored first: the reload below would lose their
    // unsaved edits.
    StoreShownRecords();
    ++lastRecord;
    if (First()) {
        int first = FirstVisibleIndex();
        if (index <= LastVisibleIndex()) {
            // The new, empty record takes the place (and the focus) of the
            // one that showed its index.
            if (FindRecord(index))
                currentRecord = index;
            for (ZafElement *e = First(); e; e = e->Next())
                if (AsRecord(e)->RecordIndex() >= index)
                    AsRecord(e)->SetRecordIndex(-1);
            if (index < first)
                ++first;
        }
        ShowRecordsFrom(first);
    } else if (lastRecord == 0) {
        currentRecord = 0;
        ShowRecordsFrom(0);
        if (ZafTableRecord *record = CurrentRecordWindow(); record && ::GetFocus() == osWindow)
            FocusTarget(record, currentField);
    }
    UpdateVerticalBar();
    return 0;
}

int ZafTable::DeleteRecord(int index)
{
    if (index < 0 || index > lastRecord)
        return 1;
    // The deleted row's edits go with it; the others are stored first.
    if (ZafTableRecord *deleted = FindRecord(index)) {
        EndCurrentEdit();
        deleted->SetChanged(false);
    }
    StoreShownRecords();
    // The focus goes to the record that takes the deleted one's place, or
    // to the one before when the last was deleted; with none left, to the
    // table. (Asking for the window that shows n - 1 would find none when
    // it is scrolled out or when no record is left.)
    if (currentRecord > index || (currentRecord == index && index == lastRecord))
        --currentRecord;
    --lastRecord;
    if (lastRecord < 0) {
        currentRecord = -1;
        currentField = -1;
        SetCurrent(nullptr);
    }
    if (First()) {
        int first = FirstVisibleIndex();
        if (index <= LastVisibleIndex()) {
            for (ZafElement *e = First(); e; e = e->Next())
                if (AsRecord(e)->RecordIndex() >= index)
                    AsRecord(e)->SetRecordIndex(-1);
            if (index < first)
                --first;
        }
        // Pulled back so that the last page stays full: deleting the last
        // record while it was the first one shown would otherwise leave no
        // record in view although records remain.
        first = std::min(first, std::max(0, lastRecord - std::max(1, Count()) + 1));
        ShowRecordsFrom(first);
    }
    if (ZafTableRecord *record = FindRecord(currentRecord)) {
        if (::GetFocus() == osWindow || IsChild(osWindow, ::GetFocus()))
            FocusTarget(record, currentField);
    } else if (osWindow && lastRecord < 0 && IsChild(osWindow, ::GetFocus())) {
        ::SetFocus(osWindow);
    }
    UpdateVerticalBar();
    return 0;
}

int ZafTable::SetCurrentRecord(int index)
{
    if (lastRecord == -1)
        return -1;
    if (!osWindow)
        return recordCursor = index;
    if (ZafTableRecord *record = FindRecord(index)) {
        FocusTarget(record, currentField);
        return recordCursor;
    }
    currentRecord = index;
    MoveCursorTo(index);
    int first = recordCursor;
    if (recordCursor + Count() >= lastRecord)
        first = lastRecord - Count() + 1;
    ShowRecordsFrom(first);
    return recordCursor;
}

int ZafTable::GoToRecord(int index)
{
    if (index < 0 || index > lastRecord)
        return currentRecord;
    ZafEventRecord scroll(ZAF_SCROLL_VERTICAL);
    if (index < FirstVisibleIndex())
        scroll.scroll.step = index - FirstVisibleIndex();
    else if (index > LastVisibleIndex())
        scroll.scroll.step = index - LastVisibleIndex();
    if (scroll.scroll.step != 0)
        ScrollEvent(scroll);
    if (ZafTableRecord *record = FindRecord(index))
        FocusTarget(record, currentField);
    return currentRecord;
}

int ZafTable::ScrollToFirst(int index)
{
    if (index <= lastRecord && First()) {
        ZafEventRecord scroll(ZAF_SCROLL_VERTICAL);
        scroll.scroll.step = index - FirstVisibleIndex();
        ScrollEvent(scroll);
    }
    return FirstVisibleIndex();
}

int ZafTable::ScrollToLast(int index)
{
    if (index <= lastRecord && First()) {
        ZafEventRecord scroll(ZAF_SCROLL_VERTICAL);
        scroll.scroll.step = index - LastVisibleIndex();
        ScrollEvent(scroll);
    }
    return LastVisibleIndex();
}
