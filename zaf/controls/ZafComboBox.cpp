// ZafComboBox: construction, persistence, entries and rows, text, lookup by
// name, the program's focus and selection, attributes and coordinates (the
// Win32 side is in ZafComboBoxWin32.cpp).
#include "zaf/controls/ZafComboBox.h"

#include "zaf/controls/ZafEntryDrop.h"
#include "zaf/controls/ZafOwnerDrawnRows.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafErrorCodes.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

} // namespace

// --- Construction --------------------------------------------------------------

ZafComboBox::ZafComboBox(int left, int top, int width, int height, int dropHeight)
    : ZafWindow(left, top, width, 1), listHeight(dropHeight), text("", -1)
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, SetFlagTo(flagTemporary, false))));
    if (listHeight != -1) {
        region.bottom = region.top + height - 1;
        AdoptList(new ZafVtList(0, 0, width, dropHeight));
    } else {
        AdoptList(new ZafVtList(0, 0, width, height));
    }
    list->SetStringID("list");
}

ZafComboBox::ZafComboBox(const ZafComboBox &copy)
    : ZafWindow(copy), readOnly(copy.readOnly), listHeight(copy.listHeight), listWidth(copy.listWidth), text("", -1)
{
    // The window copy duplicated the own children (stand-ins of an edit
    // field that belonged to the source's control): a copy has none.
    ZafWindow::DeleteChildren();
    AdoptList(new ZafVtList(*copy.list));
    TakeCurrentEntryText();
}

ZafComboBox::~ZafComboBox()
{
    BeginDeletion();
    if (osWindow && ZafWindowManager::droppedComboBox == osWindow)
        ZafWindowManager::droppedComboBox = nullptr;
    // The control's rows point at the entries: it goes before them.
    if (osWindow && ZafObjectFromHandle(osWindow) == this)
        DestroyOSWindow();
    delete list;
}

void ZafComboBox::AdoptList(ZafVtList *newList)
{
    list = newList;
    // The list's parent is the combo box, but it is none of its children:
    // added as a child (which makes the parent link) and unlinked again.
    if (list->Parent() != this)
        ZafWindow::AddObject(list);
    ZafList::Subtract(list);
    list->SetOwnWindow(false);
    list->SetDestroyable(false);
    list->SetTemporary(true);
    list->SetNoClassPalette(true);
    list->SetSelectionMode(ZafVtList::singleSelection);
}

bool ZafComboBox::IsClassID(ZafClassID id) const
{
    return id == classID || id == listFamilyID || ZafWindow::IsClassID(id);
}

bool ZafComboBox::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafComboBox::ZafComboBox(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry)), text("", -1)
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, SetFlagTo(flagTemporary, false))));
    std::uint16_t flags = 0;
    if (persistence.Error() == 0)
        persistence.Read16(flags);
    if (persistence.Error() == 0)
        readOnly = (flags & storedReadOnly) != 0;
    ZafVtList *found = nullptr;
    for (ZafElement *e = First(); e && !found; e = e->Next())
        found = dynamic_cast<ZafVtList *>(AsObject(e));
    if (!found)
        found = new ZafVtList(0, 0, region.Width(), region.Height());
    AdoptList(found);
    // Only the list's size counts, in the combo box's coordinates.
    ZafRegionRect listPlace = list->Region();
    if (listPlace.coordinateType != coordinateType)
        list->ConvertRegion(listPlace, coordinateType);
    listHeight = listPlace.Height();
    listWidth = listPlace.Width();
    list->SetRegion(ZafRegionRect(0, 0, listWidth - 1, listHeight - 1, listPlace.coordinateType));
    SetSelectionMode(ZafVtList::singleSelection);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    TakeCurrentEntryText();
}

ZafElement *ZafComboBox::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafComboBox(name, persistence);
}

void ZafComboBox::RegisterPersistence()
{
    ZafVtList::RegisterPersistence();
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafComboBox::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0)
        persistence.Write16(static_cast<std::uint16_t>(readOnly ? storedReadOnly : 0));
    if (persistence.Error() == 0) {
        // The combo box's region in its own coordinate type while the list
        // is written, the list's size in that type too.
        const ZafRegionRect ownRegion = region;
        if (region.coordinateType != coordinateType && coordinateType != -1)
            ConvertRegion(region, coordinateType);
        const ZafRegionRect saved = list->Region();
        const ZafCoordinateType type = coordinateType != -1 ? coordinateType : saved.coordinateType;
        ZafRegionRect size = saved;
        if (size.coordinateType != type)
            list->ConvertRegion(size, type);
        const int height = size.Height();
        list->SetRegion(ZafRegionRect(0, height, size.Width() - 1, 2 * height - 1, type));
        persistence.WriteChild(*list);
        list->SetRegion(saved);
        region = ownRegion;
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Entries and rows ------------------------------------------------------------

ZafWindowObject *ZafComboBox::EntryAt(LRESULT row) const
{
    return EntryAtRow(*list, row);
}

void ZafComboBox::InsertRow(ZafWindowObject *entry, int row)
{
    InsertEntryRow(osWindow, CB_INSERTSTRING, entry, row, HasFlag(flagSystemDrawn));
}

// The list and the entries borrow no window handle from the control: each
// row is reached through the combo box's, and a borrowed handle would make
// them count as created (and their windows as theirs to destroy).
void ZafComboBox::FillRows()
{
    int row = 0;
    for (ZafElement *e = list->First(); e; e = e->Next(), ++row) {
        InsertRow(AsObject(e), -1);
        if (AsObject(e)->Selected()) {
            list->SetCurrent(e);
            SendMessageA(osWindow, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        }
    }
}

void ZafComboBox::RebuildComboList()
{
    if (!osWindow)
        return;
    SendMessageA(osWindow, CB_RESETCONTENT, 0, 0);
    FillRows();
}

void ZafComboBox::ShowSelection(int row)
{
    if (osWindow && row >= 0 && SendMessageA(osWindow, CB_GETCURSEL, 0, 0) != row)
        SendMessageA(osWindow, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

ZafWindowObject *ZafComboBox::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (!object || object->Parent())
        return object;
    PrepareRowEntry(object);
    if (object->SupportObject()) {
        list->AddObject(object, before);
        Recreate();
        return object;
    }
    // The row is inserted before the entry is selected again, so that the
    // selection lands on its own row.
    const bool wasSelected = object->Selected();
    if (wasSelected)
        object->SetSelected(false);
    list->AddObject(object, before);
    if (object->Parent() != list)
        return object;
    if (osWindow)
        InsertRow(object, list->Index(object));
    if (wasSelected || list->CurrentChild() == object)
        object->SetSelected(true);
    return object;
}

ZafWindowObject *ZafComboBox::SubtractObject(ZafWindowObject *object)
{
    if (!object || object->Parent() != list)
        return ZafWindow::SubtractObject(object);
    const bool support = object->SupportObject();
    if (osWindow && !support)
        SendMessageA(osWindow, CB_DELETESTRING, static_cast<WPARAM>(list->Index(object)), 0);
    list->SubtractObject(object);
    if (osWindow && list->IsEmpty())
        SendMessageA(osWindow, CB_RESETCONTENT, 0, 0);
    if (support)
        Recreate();
    return object;
}

void ZafComboBox::NotifyChildren()
{
    if (!list)
        return;
    if (osWindow)
        SendMessageA(osWindow, CB_RESETCONTENT, 0, 0);
    list->NotifyChildren();
}

void ZafComboBox::DestroyChildren()
{
    NotifyChildren();
    list->DeleteChildren();
}

bool ZafComboBox::SetSorted(bool flag)
{
    const bool sorted = list->SetSorted(flag);
    RebuildComboList();
    return sorted;
}

void ZafComboBox::Sort()
{
    list->Sort();
    RebuildComboList();
}

void ZafComboBox::Recreate()
{
    if (!osWindow)
        return;
    Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    Event(ZafEventRecord(ZAF_CREATE));
}

ZafWindowObject *ZafComboBox::CurrentObject()
{
    if (list->Focus())
        return list->CurrentChild() ? list->CurrentChild() : list;
    return focus ? this : nullptr;
}

// --- Text --------------------------------------------------------------------------

void ZafComboBox::TakeCurrentEntryText()
{
    ZafWindowObject *current = list->CurrentChild();
    if (current && current->Selected())
        text.SetText(current->Text() ? current->Text() : "");
}

const char *ZafComboBox::Text()
{
    TakeControlText();
    return text.Text();
}

int ZafComboBox::SetText(const char *newText)
{
    if (readOnly)
        return 0;
    text.SetText(newText ? newText : "");
    RefreshText();
    return 0;
}

int ZafComboBox::TakeControlText()
{
    if (!osWindow || !HasFlag(flagOwnWindow) || !HasFlag(flagSystemDrawn))
        return 0;
    if (zafPlatform == 0) {
        ZafWindowObject *current = list->CurrentChild();
        text.SetText(current && current->Text() ? current->Text() : "");
        return 0;
    }
    const int length = LOWORD(SendMessageA(osWindow, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(osWindow, WM_GETTEXT, static_cast<WPARAM>(buffer.size()), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = '\0';
    const char *old = text.Text();
    if (std::strcmp(old ? old : "", buffer.data()) == 0)
        return 0;
    // What the user typed changes the combo box, whichever reading comes
    // first (the focus leaving or a call of Text): without the changed flag
    // a program that keeps only changed values would drop the typed one.
    if (zafCodeSetConversion)
        text.SetOSText(buffer.data());
    else
        text.SetText(buffer.data());
    changed = true;
    return 0;
}

int ZafComboBox::RefreshText()
{
    if (!osWindow)
        return 0;
    const char *current = text.Text() ? text.Text() : "";
    std::unique_ptr<char[]> converted(zafCodeSetConversion ? ConvertTextByCodeSet(current, nullptr, true) : nullptr);
    SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(converted ? converted.get() : current));
    return 0;
}

// --- The list's size and the control's kind ------------------------------------

ZafRegionRect ZafComboBox::ListRegion() const
{
    const ZafCoordinateType type = list->CoordinateType();
    return ZafRegionRect(0, 0, listWidth - 1, listHeight - 1, type == -1 ? ZAF_CELL : type);
}

int ZafComboBox::SetListHeight(int height)
{
    if (osWindow)
        return listHeight;
    listHeight = height;
    if (height > 0) {
        ZafRegionRect r = list->Region();
        r.bottom = r.top + height - 1;
        list->SetRegion(r);
    }
    return listHeight;
}

int ZafComboBox::SetListWidth(int width)
{
    if (osWindow)
        return listWidth;
    listWidth = width;
    ZafRegionRect r = list->Region();
    r.right = r.left + (width > 0 ? width : region.Width()) - 1;
    list->SetRegion(r);
    return listWidth;
}

void ZafComboBox::SetListRegion(const ZafRegionRect &listRegion)
{
    if (osWindow)
        return;
    list->SetRegion(listRegion);
    listHeight = listRegion.Height();
    listWidth = listRegion.Width();
}

bool ZafComboBox::SetReadOnly(bool flag)
{
    if (osWindow || flag == readOnly)
        return readOnly;
    if (auto *field = dynamic_cast<ZafString *>(EditStandIn()))
        readOnly = field->SetReadOnly(flag);
    else
        readOnly = flag;
    return readOnly;
}

// --- Lookup ------------------------------------------------------------------------

ZafWindowObject *ZafComboBox::FindObjectByStringID(const char *name)
{
    if (!name || !*name)
        return nullptr;
    if (ZafStringCompare(stringID, name) == 0)
        return this;
    if (name[0] == '~')
        return ZafWindow::FindObjectByStringID(name);
    const char *tilde = std::strchr(name, '~');
    const std::size_t partLength = tilde ? static_cast<std::size_t>(tilde - name) : std::strlen(name);
    // The part goes into a 63-character buffer. A longer part can name
    // nothing here: it is an error.
    if (partLength > maxPathPartLength) {
        SetError(ZafError::NotFound);
        return nullptr;
    }
    char part[maxPathPartLength + 1];
    std::memcpy(part, name, partLength);
    part[partLength] = '\0';
    const char *rest = tilde ? tilde + 1 : "";
    if (ZafStringCompare(part, list->StringID()) == 0)
        return *rest ? list->FindObjectByStringID(rest) : list;
    for (ZafElement *e = list->First(); e; e = e->Next()) {
        if (ZafStringCompare(e->StringID(), part) != 0)
            continue;
        if (ZafWindowObject *found = *rest ? AsObject(e)->FindObjectByStringID(rest) : AsObject(e))
            return found;
    }
    return nullptr;
}

ZafWindowObject *ZafComboBox::SearchInside(const char *name)
{
    if (ZafWindowObject *found = list->FindObjectByStringID(name))
        return found;
    return ZafWindow::SearchInside(name);
}

ZafWindowObject *ZafComboBox::FindObjectByNumberID(ZafNumberID id)
{
    if (ZafWindowObject *found = ZafWindow::FindObjectByNumberID(id))
        return found;
    return list->FindObjectByNumberID(id);
}

// --- Focus, selection, flags -------------------------------------------------------

int ZafComboBox::NotifyFocus(ZafWindowObject *object, bool gaining)
{
    if (!object || object == this || object == list || object->Parent() != list)
        return ZafWindow::NotifyFocus(object == list ? this : object, gaining);
    // An entry losing the focus changes nothing in the control. Its loss is
    // not passed on to the current entry: an entry hands its focus changes
    // to its parent, the windowless list, which hands them to the combo box
    // again, so that telling it would come back here without end.
    if (!gaining)
        return 0;
    const int code = focus ? 0 : ZafWindowObject::NotifyFocus(this, true);
    if (code == 0) {
        list->SetCurrent(object);
        ShowSelection(list->Index(object));
    }
    return code;
}

ZafWindowObject *ZafComboBox::NotifySelection(ZafWindowObject *object, bool selected)
{
    if (!selected || !object || object->Parent() != list)
        return ZafWindow::NotifySelection(object, selected);
    list->SetCurrent(object);
    text.SetText(object->Text() ? object->Text() : "");
    if (osWindow) {
        ShowSelection(list->Index(object));
        // During the user's choice the edit field still shows the old text
        // (Windows puts the new one there only afterwards): it gets the
        // entry's text now, or a Text call in a user function would take
        // the old text back from it.
        if (!readOnly && HasFlag(flagSystemDrawn))
            RefreshText();
    }
    changed = true;
    return object;
}

unsigned ZafComboBox::SetSelectionMode(unsigned)
{
    ZafWindow::SetSelectionMode(ZafVtList::singleSelection);
    if (list)
        list->SetSelectionMode(ZafVtList::singleSelection);
    return selectionMode;
}

bool ZafComboBox::Changed() const
{
    return ZafWindow::Changed() || list->Changed();
}

bool ZafComboBox::SetChanged(bool flag)
{
    ZafWindow::SetChanged(flag);
    list->SetChanged(flag);
    return changed;
}

bool ZafComboBox::SetRedraw(bool flag)
{
    ZafWindowObject::SetRedraw(flag);
    list->SetRedraw(flag);
    return HasFlag(flagRedraw);
}

bool ZafComboBox::SetSystemDrawn(bool flag)
{
    if (!osWindow)
        SetFlagTo(flagSystemDrawn, list->SetSystemDrawn(flag));
    return HasFlag(flagSystemDrawn);
}

const char *ZafComboBox::SetHelpContext(const char *text)
{
    const char *kept = ZafWindowObject::SetHelpContext(text);
    if (ZafWindowObject *field = EditStandIn())
        field->SetHelpContext(kept);
    return kept;
}

const char *ZafComboBox::SetTipText(const char *text)
{
    const char *kept = ZafWindowObject::SetTipText(text);
    if (ZafWindowObject *field = EditStandIn())
        field->SetTipText(kept);
    return kept;
}

const char *ZafComboBox::SetSecondTipText(const char *text)
{
    const char *kept = ZafWindowObject::SetSecondTipText(text);
    if (ZafWindowObject *field = EditStandIn())
        field->SetSecondTipText(kept);
    return kept;
}

bool ZafComboBox::SetNoFocus(bool flag)
{
    SetFlagTo(flagNoFocus, flag);
    if (ZafWindowObject *field = EditStandIn())
        field->SetNoFocus(flag);
    return HasFlag(flagNoFocus);
}

bool ZafComboBox::SetCopyDraggable(bool flag)
{
    ZafWindowObject *field = EditStandIn();
    SetFlagTo(flagCopyDraggable, field ? field->SetCopyDraggable(flag) : ZafWindowObject::SetCopyDraggable(flag));
    list->SetCopyDraggable(HasFlag(flagCopyDraggable));
    return HasFlag(flagCopyDraggable);
}

bool ZafComboBox::SetSecondDragFlag(bool flag)
{
    ZafWindowObject *field = EditStandIn();
    SetFlagTo(flagSecondDragFlag, field ? field->SetSecondDragFlag(flag) : ZafWindowObject::SetSecondDragFlag(flag));
    list->SetSecondDragFlag(HasFlag(flagSecondDragFlag));
    return HasFlag(flagSecondDragFlag);
}

bool ZafComboBox::SetMoveDraggable(bool flag)
{
    ZafWindowObject *field = EditStandIn();
    SetFlagTo(flagMoveDraggable, field ? field->SetMoveDraggable(flag) : ZafWindowObject::SetMoveDraggable(flag));
    list->SetMoveDraggable(HasFlag(flagMoveDraggable));
    return HasFlag(flagMoveDraggable);
}

// --- Colours and font ----------------------------------------------------------------

template <class Setter> int ZafComboBox::SharePalette(Setter set)
{
    // The list works on the combo box's palette data; one made by the
    // list's setter becomes the combo box's.
    if (PaletteData() && list->PaletteData() != PaletteData())
        list->SetPaletteData(PaletteData());
    const int result = set(*list);
    if (list->PaletteData() && PaletteData() != list->PaletteData())
        SetPaletteData(list->PaletteData());
    return result;
}

int ZafComboBox::SetBackgroundColor(int color, int monoColor)
{
    return SharePalette([&](ZafVtList &l) { return l.SetBackgroundColor(color, monoColor); });
}

int ZafComboBox::SetTextColor(int color, int monoColor)
{
    return SharePalette([&](ZafVtList &l) { return l.SetTextColor(color, monoColor); });
}

int ZafComboBox::SetFont(int font)
{
    const int result = SharePalette([&](ZafVtList &l) { return l.SetFont(font); });
    UpdateFont();
    return result;
}

// --- Coordinates -----------------------------------------------------------------

void ZafComboBox::ConvertCoordinates(ZafCoordinateType type)
{
    if (zafScreenDisplay && type != coordinateType) {
        if (listHeight != -1)
            listHeight = zafScreenDisplay->ConvertYValue(listHeight, coordinateType, type);
        if (listWidth != -1)
            listWidth = zafScreenDisplay->ConvertXValue(listWidth, coordinateType, type);
    }
    ZafWindowObject::ConvertCoordinates(type);
}

ZafCoordinateType ZafComboBox::SetCoordinateType(ZafCoordinateType type)
{
    if (osWindow || type == coordinateType)
        return coordinateType;
    // A one-cell combo box keeps its height exactly one row in the new unit.
    if (coordinateType == ZAF_CELL && region.Height() == 1) {
        ZafRegionRect converted = region;
        ConvertRegion(converted, type);
        region = converted;
    }
    ZafWindowObject::SetCoordinateType(type);
    if (list->CoordinateType() != type) {
        ZafRegionRect listPlace = list->Region();
        list->ConvertRegion(listPlace, type);
        list->SetRegion(listPlace);
        list->SetCoordinateType(type);
    }
    return coordinateType;
}

void ZafComboBox::SetRegion(const ZafRegionRect &newRegion)
{
    if (zafScreenDisplay && listHeight != -1 && newRegion.coordinateType != region.coordinateType)
        listHeight = zafScreenDisplay->ConvertYValue(listHeight, region.coordinateType, newRegion.coordinateType);
    ZafWindow::SetRegion(newRegion);
}

// --- Drag and drop -------------------------------------------------------------------

ZafEventType ZafComboBox::DragDropEvent(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code != ZAF_DROP_QUERY && code != ZAF_DROP_COPY && code != ZAF_DROP_MOVE)
        return ZafWindow::DragDropEvent(event);
    ZafWindowObject *source = nullptr;
    code = ResolveDrop(code, source);
    if (code == ZAF_REFUSED)
        return ZAF_REFUSED;
    if (IsDisabledUpChain(true))
        return ZAF_REFUSED;
    if (!HasFlag(flagAcceptDrop) || source == this)
        return code;
    const bool move = code == ZAF_DROP_MOVE;
    // The entries of a list-like source: a combo box's are its list's.
    auto *sourceCombo = dynamic_cast<ZafComboBox *>(source);
    ZafWindow *from = sourceCombo ? sourceCombo->List() : nullptr;
    if (!from && (source->IsClassID(ZafVtList::classID) || source->IsClassID(secondListClassID)))
        from = dynamic_cast<ZafWindow *>(source);
    if (from) {
        for (ZafWindowObject *entry : SelectedEntries(*from)) {
            if (!move)
                AddObject(entry->Duplicate());
            else
                AddObject(sourceCombo ? sourceCombo->SubtractObject(entry) : from->SubtractObject(entry));
        }
        return code;
    }
    return DropTextEntry(*this, source, code);
}
