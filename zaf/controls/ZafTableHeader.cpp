// ZafTableHeader: construction, persistence, layout of the cells, row
// selection by a press and drawing of the header strips.
#include "zaf/controls/ZafTableHeader.h"

#include "zaf/controls/ZafTable.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint16_t typeBits = 0x000F;

struct HeaderIDs
{
    ZafNumberID numberID;
    const char *stringID;
};

// The ids of the corner, column and row header, by type.
constexpr HeaderIDs headerIDs[] = {
    {ZAF_NUMID_CORNER_HEADER, "ZAF_CORNER_HEADER"},
    {ZAF_NUMID_COLUMN_HEADER, "ZAF_COLUMN_HEADER"},
    {ZAF_NUMID_ROW_HEADER, "ZAF_ROW_HEADER"},
};

ZafRegionRect Pixels(const ZafWindowObject *object)
{
    ZafRegionRect r = object->Region();
    object->ConvertRegion(r, ZAF_PIXEL);
    return r;
}

} // namespace

// --- Construction ----------------------------------------------------------------

ZafTableHeader::ZafTableHeader(int width, int height, int type) : ZafWindow(0, 0, width, height)
{
    SetHeaderType(type);
    Construct();
}

ZafTableHeader::ZafTableHeader(const ZafTableHeader &copy) : ZafWindow(copy)
{
    SetHeaderType(copy.headerType);
    Construct();
    if (headerType == typeRow) {
        // Row fields belong to the table's record windows.
        while (ZafWindowObject *child = FirstChild())
            delete SubtractObject(child);
    } else {
        for (ZafElement *e = First(); e; e = e->Next()) {
            auto *cell = static_cast<ZafWindowObject *>(e);
            cell->SetOwnWindow(false);
            cell->SetParentDrawsBorder(true);
            cell->SetParentDrawsFocus(true);
            cell->SetNoClassPalette(true);
        }
    }
    if (copy.field)
        SetField(copy.field->Duplicate());
}

void ZafTableHeader::Construct()
{
    // A header draws inside its table's window.
    SetFlagTo(flagOwnWindow, false);
    SetFlagTo(flagBordered, false);
    SetFlagTo(flagDestroyable, false);
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagNoFocus, true);
    SetFlagTo(flagSystemDrawn, false);
    regionType = 2;
    selectionMode = 1;
    SetFlagTo(flagSizeable, false);
    SetFlagTo(flagSupportObject, true);
}

ZafTableHeader::~ZafTableHeader()
{
    delete field;
}

bool ZafTableHeader::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafTableHeader::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

ZafTable *ZafTableHeader::Table() const
{
    return dynamic_cast<ZafTable *>(parent);
}

int ZafTableHeader::SetHeaderType(int type)
{
    if (type == headerType || osWindow)
        return headerType;
    headerType = type;
    if (type >= typeCorner && type <= typeRow) {
        SetNumberID(headerIDs[type].numberID);
        SetStringID(headerIDs[type].stringID);
    }
    return headerType;
}

ZafWindowObject *ZafTableHeader::SetField(ZafWindowObject *object)
{
    // A windowless header's window is its table's: the field is frozen once
    // that exists.
    if (!osWindow && !DrawingHandle() && object != field) {
        delete field;
        field = object;
        // The template has the header as its parent (its palette and
        // coordinates follow the header's) but stands in neither list, so it
        // is never drawn or created.
        if (field) {
            ZafWindow::AddObject(field);
            support.Subtract(field);
            ZafList::Subtract(field);
        }
    }
    return field;
}

ZafWindowObject *ZafTableHeader::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (!object)
        return nullptr;
    object->SetOwnWindow(false);
    object->SetParentDrawsBorder(true);
    object->SetParentDrawsFocus(true);
    object->SetNoClassPalette(true);
    return ZafWindow::AddObject(object, before);
}

// --- Persistence -------------------------------------------------------------------

ZafTableHeader::ZafTableHeader(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct();
    if (persistence.Error() == 0)
        ReadData(persistence);
    if (headerType == typeRow) {
        // The first stored child is the template of the row fields.
        if (ZafWindowObject *first = FirstChild())
            SetField(SubtractObject(first));
    } else {
        for (ZafElement *e = First(); e; e = e->Next()) {
            auto *cell = static_cast<ZafWindowObject *>(e);
            cell->SetOwnWindow(false);
            cell->SetParentDrawsBorder(true);
            cell->SetParentDrawsFocus(true);
            cell->SetNoClassPalette(true);
        }
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafTableHeader::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafTableHeader(name, persistence);
}

void ZafTableHeader::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    // The row fields are the table's and are never written: they are taken
    // out of the list while the window part writes its children.
    std::vector<ZafElement *> rowFields;
    if (headerType == typeRow)
        while (ZafElement *e = First())
            rowFields.push_back(ZafList::Subtract(e));
    ZafWindow::Write(persistence);
    for (ZafElement *e : rowFields)
        ZafList::Add(e);
    if (persistence.Error() == 0)
        WriteData(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafTableHeader::WriteData(ZafWindowPersistence &persistence)
{
    if (field && !field->StringID())
        field->SetStringID("virtualField");
    // The field object is an entry of the header's directory beside the
    // cells; the type word follows in the header's own record.
    if (field)
        persistence.WriteChild(*field);
    if (persistence.Error() == 0)
        persistence.Write16(static_cast<std::uint16_t>(headerType & typeBits));
}

void ZafTableHeader::ReadData(ZafWindowPersistence &persistence)
{
    std::uint16_t bits = 0;
    persistence.Read16(bits);
    headerType = bits & typeBits;
}

void ZafTableHeader::ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const
{
    // A header stands outside its table's rows: no cell spacing.
    rect.ConvertCoordinates(type);
}

void ZafTableHeader::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafTableHeader::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_RESOLVE_REFERENCES: {
        const ZafEventType answer = ZafWindow::Event(event);
        if (field)
            field->Event(event);
        return answer;
    }
    case ZAF_REGION_CHANGED: {
        if (headerType == typeColumn)
            LayoutCells();
        const ZafEventType answer = ZafWindow::Event(event);
        // A row header whose height changed shows more or fewer empty cells.
        const int height = Pixels(this).Height();
        if (headerType == typeRow && height != laidOutHeight)
            Event(ZafEventRecord(ZAF_REDISPLAY_AREA));
        laidOutHeight = height;
        return answer;
    }
    case ZAF_APPLY_GEOMETRY: {
        // Headers follow the table's geometry in position only.
        const ZafRegionRect before = region;
        const ZafEventType answer = ZafWindowObject::Event(event);
        if (headerType == typeCorner || headerType == typeRow)
            region.right = region.left + before.right - before.left;
        if (headerType == typeCorner || headerType == typeColumn)
            region.bottom = region.top + before.bottom - before.top;
        return answer;
    }
    case ZAF_BEGIN_SELECT:
        return PressEvent(event);
    default:
        return ZafWindow::Event(event);
    }
}

void ZafTableHeader::LayoutCells()
{
    ZafTable *table = Table();
    ZafTableRecord *model = table ? table->VirtualRecord() : nullptr;
    if (!model)
        return;
    const int height = Pixels(this).Height();
    // In grid mode a cell stops one pixel short of its column: the header's
    // background shows there, in line with the table's vertical grid line.
    const int shrink = table->Grid() ? 1 : 0;
    ZafElement *m = model->First();
    for (ZafElement *e = First(); e && m; e = e->Next(), m = m->Next()) {
        const ZafRegionRect column = Pixels(static_cast<ZafWindowObject *>(m));
        static_cast<ZafWindowObject *>(e)->SetRegion(column.left, 0, column.right - shrink, height - 1, ZAF_PIXEL);
    }
}

ZafEventType ZafTableHeader::PressEvent(const ZafEventRecord &event)
{
    ZafTable *table = Table();
    if (headerType != typeRow || !table)
        return ZAF_BEGIN_SELECT;
    int position = 0;
    for (ZafElement *e = First(); e; e = e->Next(), ++position) {
        auto *rowField = static_cast<ZafWindowObject *>(e);
        const ZafRegionRect r = rowField->GetWindowRegion();
        if (event.position.x < r.left || event.position.x > r.right || event.position.y < r.top ||
            event.position.y > r.bottom)
            continue;
        const bool selected = !rowField->Selected();
        rowField->ZafWindowObject::SetSelected(selected);
        rowField->Redisplay();
        if (auto *record = static_cast<ZafWindowObject *>(table->Get(position)))
            record->SetSelected(selected);
        break;
    }
    return ZAF_BEGIN_SELECT;
}

ZafWindowObject *ZafTableHeader::NotifySelection(ZafWindowObject *object, bool selected)
{
    ZafWindow::NotifySelection(object, selected);
    if (object && object->Selected() == selected)
        object->Redisplay();
    return object;
}

// --- Drawing -----------------------------------------------------------------------

ZafEventType ZafTableHeader::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    // The background first: the cells and row fields draw over it in the
    // paint pass, so it shows right of the last cell and between cells.
    DrawBackground(area, code);
    ZafTable *table = Table();
    if (headerType == typeRow && field && table) {
        // Empty row cells below the last row field, one a record pitch.
        const int pitch = table->RecordHeight() + table->RecordSpacing();
        int top = Last() ? static_cast<ZafWindowObject *>(Last())->GetWindowRegion().bottom + 1 : area.top;
        for (; pitch > 0 && top <= area.bottom; top += pitch) {
            ZafRegionRect cell(area.left, top, area.right, std::min<int>(top + pitch - 1, area.bottom), ZAF_PIXEL);
            DrawBorder(cell, code);
            DrawBackground(cell, code);
        }
    } else if (headerType == typeCorner || (headerType == typeRow && !First())) {
        DrawBorder(area, code);
    }
    return code;
}

ZafEventType ZafTableHeader::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    // The edges are drawn for every redraw code: Draw has just filled the
    // area, and edges left out on a change redraw (-16) would vanish.
    return DrawEdges(rect, 1, code == ZAF_REDISPLAY_AREA ? code : ZAF_REDISPLAY);
}
