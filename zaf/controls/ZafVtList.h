// ZafVtList: the vertical list of the library, on a Windows "LISTBOX".
//
// A window whose ordinary children are the entries, one row per child in
// child order (row i is the child at 0-based position i). Entries are any
// window objects, in practice buttons and strings; each is made windowless
// and drawn by the list (its own-window flag off, parent draws border and
// focus, no class palette). The list keeps the child list, the list box's
// rows and the list box's selection in step: a selection the user makes
// reaches the entries' selected flags and their dispatchers (ZAF_SELECT;
// a double click on the current entry ZAF_DOUBLE_SELECT), and a selection
// the program sets on an entry reaches the list box.
//
// Selection modes (ZafWindow::SetSelectionMode, before the list box
// exists): 0 single, 1 multiple, 2 extended. A system-drawn list shows the
// entries' texts; an owner-drawn one (system-drawn off) stores the entry
// objects in its rows and has each entry measure and draw itself. A
// system-drawn list with a horizontal scroll bar (a support object) scrolls
// across as far as its widest row, so that a long entry can be read whole.
//
// Every walk is bounded by the rows the list box reports and the entries
// the list holds: a click outside the rows of a list that refuses the focus
// selects nothing, and an empty list or one without a selection reads no
// entry. User functions may delete entries or the list: the walks hold
// trackers and stop at a deleted list.
//
// Ownership: the list owns its entries and support objects (ZafWindow).
// Entries that already have a parent are not taken.
//
// The persistent record (level "ZafVtList", class id 1010, after the whole
// window record with its support objects and entries):
//   u16  flags: bit 0 sorted
#pragma once

#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafWindowPersistence;

class ZafVtList : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1010;
    static constexpr const char *className = "ZafVtList";
    // The id by which an entry recognises a parent that keeps it as a row.
    static constexpr ZafClassID listFamilyID = 1001;

    enum SelectionModeValue : unsigned {
        singleSelection = 0,
        multipleSelection = 1,
        extendedSelection = 2,
    };
    enum StoredFlag : std::uint16_t {
        storedSorted = 0x0001,
    };

    // Bordered; not destroyable, moveable or sizeable.
    ZafVtList(int left, int top, int width, int height);
    // The window copy (entries duplicated), sorted flag and compare function.
    ZafVtList(const ZafVtList &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafVtList(*this); }

    // --- Persistence ------------------------------------------------------
    ZafVtList(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Entries ----------------------------------------------------------
    // Adds an entry and its row (a support object goes to the window);
    // null or an object with a parent is returned untouched.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    // Removes the entry and its row.
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    // Clears the rows and tells every entry ZAF_DEINITIALIZE; DestroyChildren
    // runs it before it deletes the entries.
    void NotifyChildren() override;
    // Turning it on sorts by the compare function (the texts' when none).
    bool SetSorted(bool flag);
    bool Sorted() const { return sorted; }
    // Sorts the entries by the compare function and rewrites the rows.
    void Sort();
    // Rewrites every row from the entries (when the list box exists).
    void RebuildListBox();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // LBN_SELCHANGE, LBN_SELCANCEL and LBN_DBLCLK.
    ZafEventType HandleCommand(const ZafEventRecord &event, unsigned notifyCode) override;
    ZafEventType HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item) override;
    ZafEventType HandleMeasureItem(const ZafEventRecord &event, MEASUREITEMSTRUCT &item) override;
    ZafEventType ScrollEvent(const ZafEventRecord &event) override;
    ZafEventType DragDropEvent(const ZafEventRecord &event) override;
    const ZafEventMap *EventMap() const override { return eventMap; }
    static const ZafEventMap eventMap[];

    // A temporary list with a parent (a combo box's drop-down list) answers
    // with the parent's drag flags; any other list with its own.
    bool IsCopyDraggable() const override;
    bool IsSecondDragFlag() const override;
    bool IsMoveDraggable() const override;
    bool IsDraggable() const override;

    // --- Focus and selection ----------------------------------------------
    int NotifyFocus(ZafWindowObject *object, bool gaining) override;
    ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected) override;
    // In single selection every entry excludes the others.
    bool SelectionExcludes(const ZafWindowObject *) const override { return true; }
    // The list box holds the focus for its entries: keys are the list's.
    ZafWindowObject *HostedFocus() override { return this; }

    // --- Windows window ---------------------------------------------------
    HWND CreateOSWindow() override;
    void UpdateFont() override;
    // Showing a list made hidden turns its list box's redraw on again.
    bool SetVisible(bool flag) override;
    bool DrawsWindowlessChildren() const override { return false; }
    // The list box paints itself.
    ZafEventType Draw(const ZafEventRecord &, ZafEventType code) override { return code; }
    ZafEventType DrawBorder(ZafRegionRect &, ZafEventType code) override { return code; }
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    // WM_CTLCOLORLISTBOX: the text colour of the text palette and the
    // background colour of the background palette, and the background's
    // cached brush.
    ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc) override;
    // Selected rows in the highlight colours, disabled text grey.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;

    // The colours of unselected rows, drawn reversed on selected ones: the
    // background colour is also selected rows' text colour and the text
    // colour their background. The font is that of every row. Each answers
    // its first argument (the unset value without the data layer).
    int SetBackgroundColor(int color, int monoColor) override;
    int SetTextColor(int color, int monoColor) override;
    int SetFont(int font) override;

    // A control window has none of the frame attributes.
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetPlainKeyHotKeys(bool flag) override { return DenyPlainKeyHotKeys(flag); }
    ZafWindow *SetOwner(ZafWindow *window) override { return DenyOwner(window); }

private:
    void Construct();
    // The row of an entry: its text (system-drawn) or the entry itself.
    void InsertRow(ZafWindowObject *entry, int row);
    // Appends every row with its selection; with setCaret the caret goes to
    // the current entry of a multiple or extended list.
    void FillListBox(bool setCaret);
    // The user's selection changed in the list box.
    void TakeMultipleSelection(const ZafEventRecord &event);
    void TakeSingleSelection(const ZafEventRecord &event);
    // A click in a list that refuses the focus selects the row under it.
    void ClickWithoutFocus(const ZafEventRecord &event);
    // A system-drawn list with a horizontal scroll bar scrolls across as far
    // as its widest row: FitHorizontalExtent measures one row just added
    // (row >= 0) or every row (-1) and sets the list box's extent.
    bool ScrollsAcross() const;
    int RowTextWidth(HDC dc, int row) const;
    void FitHorizontalExtent(int row);
    // The entry at a row the list box reported; null outside the entries.
    ZafWindowObject *EntryAt(LRESULT row) const;
    // Changes one stored palette entry of the list's own palette data (made
    // on first use); false without the data layer.
    bool ChangePalette(std::uint16_t type, std::uint16_t state, void (*change)(ZafPaletteStruct &, int, int), int value,
                       int monoValue);
    // Calls the entry's dispatcher with the code.
    static void Notify(ZafWindowObject *entry, const ZafEventRecord &event, ZafEventType code);

    bool sorted = false;
    int horizontalExtent = 0; // pixels the list box scrolls across
};
