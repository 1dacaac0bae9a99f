// ZafComboBox: the combo box of the library, on a Windows "COMBOBOX".
//
// The choices are the entries of an owned ZafVtList, the drop-down list
// (string id "list"). The list never has a Windows window of its own: its
// rows are the combo box's rows, and it passes its selection and focus
// notifications to the combo box (its temporary flag is on and its own-
// window flag off). The list is not in the combo box's child list; entries
// are added and removed through the combo box (AddObject, SubtractObject)
// and every change is mirrored in the control at once (CB_INSERTSTRING,
// CB_DELETESTRING, CB_SETCURSEL).
//
// The combo box's text lives in a string data of its own and follows the
// selected entry: selecting an entry, by the user or the program, copies
// the entry's text and marks the combo box changed. An editable combo box
// (CBS_DROPDOWN) also takes what the user typed, when the focus leaves and
// whenever Text is asked. A read-only one is a drop-down list
// (CBS_DROPDOWNLIST) and refuses SetText. A user selection calls the combo
// box's dispatcher with ZAF_SELECT and then the entry's with ZAF_SELECT;
// Enter with the list closed selects the combo box too.
//
// Coordinates: with a list height of -1 (the constructor's default) the
// combo box is one unit high and its list as high as the constructor's
// height; otherwise the combo box is that high and the list listHeight.
// The control's window is made as high as both together (Windows places
// the dropped list in it).
//
// Ownership: the combo box owns the list with its entries and its text
// data. A combo box read from a UI data file may hold further children of
// its own (its edit field stand-in, normally a ZafString): the first gets
// the no-focus and drag flags and the read-only flag.
//
// The persistent record (level "ZafComboBox", class id 1008, after the
// whole window record with the combo box's own children):
//   u16  flags: bit 0 read-only
// and then the list as a child of its own class, its region written as
// {0, list height, list width - 1, 2 * list height - 1}; only the list's
// width and height are read back.
//
// The implementation is split: ZafComboBox.cpp (construction, persistence,
// entries, text, lookup, the program's selection, attributes) and
// ZafComboBoxWin32.cpp (events, keys, the control and its drawing).
#pragma once

#include "zaf/controls/ZafVtList.h"
#include "zaf/data/ZafStringData.h"

#include <cstdint>

class ZafComboBox : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1008;
    static constexpr const char *className = "ZafComboBox";
    // The id of a parent that keeps its children as rows (lists and combo
    // boxes answer it).
    static constexpr ZafClassID listFamilyID = ZafVtList::listFamilyID;
    // The library's second list class: a drop from it brings its selected
    // entries, as from a vertical list.
    static constexpr ZafClassID secondListClassID = 1011;
    // A table record: the combo box redraws what its dropped list covered
    // there when the list closes.
    static constexpr ZafClassID tableRecordID = 1014;
    // The longest name of one part of a name path ("part~rest").
    static constexpr std::size_t maxPathPartLength = 63;
    // The palette type of the drop-down button's face and the display
    // colours the combo box names (the display's 16-colour table).
    static constexpr std::uint16_t buttonFacePaletteType = 128;
    static constexpr std::uint8_t black = 0;
    static constexpr std::uint8_t lightGrey = 7;
    static constexpr std::uint8_t white = 15;

    enum StoredFlag : std::uint16_t {
        storedReadOnly = 0x0001,
    };

    // See the header comment for height and listHeight.
    ZafComboBox(int left, int top, int width, int height, int listHeight = -1);
    // Read-only flag, list height and width, a copy of the list (with
    // copies of its entries); the text is the copied current entry's when
    // that is selected, else empty.
    ZafComboBox(const ZafComboBox &copy);
    // Deletes the list with its entries, then the window part.
    ~ZafComboBox() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafComboBox(*this); }

    // --- Persistence ------------------------------------------------------
    ZafComboBox(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // Enters the combo box and its list in the constructor table.
    static void RegisterPersistence();

    // --- Entries ----------------------------------------------------------
    ZafVtList *List() const { return list; }
    // Adds an entry to the list and its row (a support object, a scroll
    // bar, re-creates the control); an object with a parent is returned
    // untouched.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    // Removes an entry and its row; the caller deletes it.
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    // The event goes to the support objects and the own children only
    // (not to the list's entries nor into deeper windows).
    void BroadcastEvent(const ZafEventRecord &event, int) override { ZafWindow::BroadcastEvent(event, 0); }
    // Scrolling is the list's.
    ZafEventType ScrollEvent(const ZafEventRecord &event) override { return list->ScrollEvent(event); }
    // Clears the control's rows and tells every entry ZAF_DEINITIALIZE.
    void NotifyChildren() override;
    // NotifyChildren, then deletes the entries (the combo box's own
    // children stay).
    void DestroyChildren() override;
    // The list's sorted flag (turning it on sorts the rows).
    bool SetSorted(bool flag);
    bool Sorted() const { return list->Sorted(); }
    // Sorts the entries by the list's compare function and rebuilds.
    void Sort();
    // Rewrites every row and the selection from the entries.
    void RebuildComboList();
    // While the list holds the focus its current entry (the list when
    // none); else the combo box when it holds the focus; else null.
    ZafWindowObject *CurrentObject();

    // --- Text -------------------------------------------------------------
    // What the user typed is taken first.
    const char *Text() override;
    // Refused (nothing changes) when read-only; answers 0.
    int SetText(const char *text) override;
    // The control's text into the text data (an own system-drawn control
    // only); answers 0.
    int TakeControlText();
    // The text data into the control; answers 0.
    int RefreshText();

    // --- The list's size and the control's kind ---------------------------
    // Each setter only before the control exists; answers the value in force.
    int ListHeight() const { return listHeight; }
    int ListWidth() const { return listWidth; }
    ZafRegionRect ListRegion() const;
    int SetListHeight(int height);
    int SetListWidth(int width);
    void SetListRegion(const ZafRegionRect &listRegion);
    bool SetReadOnly(bool flag);
    bool ReadOnly() const { return readOnly; }

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // CBN_SELCHANGE, CBN_DROPDOWN, CBN_CLOSEUP and CBN_KILLFOCUS.
    ZafEventType HandleCommand(const ZafEventRecord &event, unsigned notifyCode) override;
    ZafEventType HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item) override;
    ZafEventType HandleMeasureItem(const ZafEventRecord &event, MEASUREITEMSTRUCT &item) override;
    // Drops as on a vertical list: the selected entries of a list or combo
    // box (copies, or the entries themselves on a move), else the source's
    // text as a new borderless string entry; appended at the end (or in
    // sorted order). A combo box that takes no drops, or a drop onto
    // itself, answers the code and takes nothing.
    ZafEventType DragDropEvent(const ZafEventRecord &event) override;

    // --- Lookup -----------------------------------------------------------
    // The combo box itself; else "part~rest": part names the list ("list")
    // or an entry, searched on with the rest. A part longer than
    // maxPathPartLength is an error: null, and the error word says
    // ZafError::NotFound.
    ZafWindowObject *FindObjectByStringID(const char *name) override;
    ZafWindowObject *FindObjectByNumberID(ZafNumberID id) override;

    // --- Focus, selection, flags ------------------------------------------
    int NotifyFocus(ZafWindowObject *object, bool gaining) override;
    // A selected entry becomes current, its text the combo box's text and
    // its row the control's selection; the combo box is marked changed.
    ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected) override;
    bool SelectionExcludes(const ZafWindowObject *) const override { return true; }
    // Always single selection, also for the list.
    unsigned SetSelectionMode(unsigned mode) override;
    // True when the combo box, an entry or the list is changed.
    bool Changed() const override;
    bool SetChanged(bool flag) override;
    bool SetRedraw(bool flag) override;
    // The list decides (before either has a window).
    bool SetSystemDrawn(bool flag) override;
    // Passed on to the first own child (the edit field's stand-in).
    const char *SetHelpContext(const char *text) override;
    const char *SetTipText(const char *text) override;
    const char *SetSecondTipText(const char *text) override;
    bool SetNoFocus(bool flag) override;
    bool SetCopyDraggable(bool flag) override;
    bool SetSecondDragFlag(bool flag) override;
    bool SetMoveDraggable(bool flag) override;
    // The vertical list's colour rules (unselected rows in these colours,
    // selected rows reversed) and its font, kept in one
    // palette data that the combo box and its list share. Each answers its
    // first argument (the unset value without the data layer).
    int SetBackgroundColor(int color, int monoColor) override;
    int SetTextColor(int color, int monoColor) override;
    int SetFont(int font) override;
    // WM_CTLCOLOREDIT and WM_CTLCOLORLISTBOX: the text palette's text
    // colour on the background palette's background colour.
    ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc) override;
    // Always bordered.
    bool SetBordered(bool) override { return SetFlagTo(flagBordered, true); }
    ZafCoordinateType SetCoordinateType(ZafCoordinateType type) override;
    void ConvertCoordinates(ZafCoordinateType type) override;
    using ZafWindow::SetRegion;
    void SetRegion(const ZafRegionRect &newRegion) override;

    // A control window has none of the frame attributes.
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetPlainKeyHotKeys(bool flag) override { return DenyPlainKeyHotKeys(flag); }
    ZafWindow *SetOwner(ZafWindow *window) override { return DenyOwner(window); }

    // --- Windows window ---------------------------------------------------
    HWND CreateOSWindow() override;
    HWND OSHandle(int) const override { return osWindow; }
    using ZafWindowObject::OSHandle;
    void MoveOSWindow() override;
    void UpdateFont() override;
    bool DrawsWindowlessChildren() const override { return false; }
    // A windowless combo box draws its text and a drop-down button.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    // As the list's, but disabled text is not grey.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // The procedure of the edit field of an editable control: its keys go
    // through the combo box, then to the edit field.
    static LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    ZafWindowObject *SearchInside(const char *name) override;

private:
    // The list's settings (parent, not destroyable, temporary, windowless,
    // no class palette, single selection).
    void AdoptList(ZafVtList *newList);
    // The entry's row: its text (system-drawn) or the entry itself.
    void InsertRow(ZafWindowObject *entry, int row);
    // Appends every row; a selected entry's row becomes the selection.
    void FillRows();
    // The entry at a row the control reported; null outside the entries.
    ZafWindowObject *EntryAt(LRESULT row) const;
    // The row of an entry becomes the control's selection unless it is.
    void ShowSelection(int row);
    // The text of the list's current entry when it is selected.
    void TakeCurrentEntryText();
    // The user chose the row the control now shows as selected.
    ZafEventType TakeUserSelection(const ZafEventRecord &event);
    // Redisplays what a dropped list covered in a table record.
    void QueueRedisplayOfDroppedArea();
    // Enter, Escape, Tab and the typing keys (see the source).
    ZafEventType KeyEvent(const ZafEventRecord &event);
    // The first own child, which stands for the edit field; null when none.
    ZafWindowObject *EditStandIn() const { return FirstChild(); }
    // The list's height in pixels.
    int ListPixelHeight() const;
    // The height of the control's window placed at a region (in the
    // coordinates of its Windows parent).
    int ControlPixelHeight(const ZafRegionRect &place) const;
    // Runs a colour or font setter of the list on the palette data that
    // the combo box and the list share.
    template <class Setter> int SharePalette(Setter set);
    // Re-creates the control (a scroll bar came or went).
    void Recreate();

    ZafVtList *list = nullptr;
    bool readOnly = false;
    int listHeight = -1;
    int listWidth = -1;
    ZafStringData text;
    // The region the control was last placed by.
    ZafRegionRect appliedRegion;
};
