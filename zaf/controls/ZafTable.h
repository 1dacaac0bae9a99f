// ZafTable: the grid control of the library. It shows a scrolling run of
// rows ("records") of data that its owner keeps, each row a ZafTableRecord
// whose fields are ordinary window objects, drawn windowless by the table.
//
// The table does not hold the data. It is a record cursor over the owner's
// data: it knows the cursor position and the highest record index (last
// record; records are numbered 0 to last record, none when it is negative),
// and asks the owner to load a record window from the record at the cursor
// (LoadRecord) and to store a changed record window back (StoreRecord).
// Owners override those two, or install the two functions. Every load and
// store is preceded by a cursor move (MoveCursorTo), in single steps
// whenever the user scrolls line by line.
//
// Only as many record windows exist as fit into the client area; scrolling
// re-uses them. The columns are defined by the virtual record, a template
// row whose fields are duplicated into every record window; column titles
// live in a column header, row labels in a row header (one row field per
// record window, in the same order) and a corner header sits where both
// meet (ZafTableHeader). Headers stand outside the records' area: the
// records' coordinates start right of the row header and below the column
// header (ChildOrigin), so a header's own region lies at negative places.
//
// A record window is stored before it is re-used for another record, when
// the focus leaves it with a change, before records are inserted, deleted
// or reloaded, and on every page scroll. A field that refuses to give up the
// focus (its answer to the focus change is neither 0 nor 12) stops the move
// and nothing is stored: the owner only ever gets rows that validated.
//
// Ownership: the table owns its virtual record (in neither list), its
// headers and scroll bars (support objects) and its record windows.
//
// Persistence: level "ZafTable", class id 1013: the window-object record,
// the window's own fields and support objects (record windows are never
// written), then
//   u16  flags: bit 0 grid
//   i32  last record
//   text string id of the virtual record ("" none)
// with the virtual record written as an entry of the table's directory
// (beside the support objects; it is the only child ever written).
#pragma once

#include "zaf/core/ZafWindow.h"

class ZafTableHeader;
class ZafTableRecord;

class ZafTable : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1013;
    static constexpr const char *className = "ZafTable";

    // Record exchange through functions: f(record window, row field or
    // null); the answer is passed on.
    using RecordFunction = int (*)(ZafTable *table, ZafTableRecord *record, ZafWindowObject *rowField);

    // Origins of SeekRecord.
    enum SeekOrigin : int {
        seekAbsolute = 0,   // from record 0
        seekFromCursor = 1, // from the cursor
        seekFromLast = 2,   // from the last record
    };
    // The key table's codes beyond the library's common ones.
    enum KeyCode : ZafEventType {
        keyLineStart = 1117, // Home: the record's first field
        keyLineEnd = 1118,   // End: the record's last field
    };
    // A field's answers to the focus change that let the focus go.
    static constexpr ZafEventType leaveAccepted = 0;
    static constexpr ZafEventType leaveValueKept = 12;

    // The headers are made when their sizes are not 0 (pixels or cells, as
    // the coordinate type set later says).
    ZafTable(int left, int top, int width, int height, int rowHeaderWidth, int columnHeaderHeight, int recordHeight);
    ~ZafTable() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;

    // --- Persistence ------------------------------------------------------
    ZafTable(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // Enters the read functions of the table, its records and headers where
    // the program's constructor table names these classes; a reader whose
    // table does not adds them to its persistence itself.
    static void RegisterPersistence();

    // --- Events (ZafTableEvents.cpp) ----------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // Moves the focus between records (Up, Down, Ctrl+Tab, Page Up...).
    virtual ZafEventType NavigationEvent(const ZafEventRecord &event);
    // Scroll codes -300 to -307 (-300: the step word's signed number of
    // records) and -3506 / -3507.
    ZafEventType ScrollEvent(const ZafEventRecord &event) override;
    ZafEventType MapEvent(const ZafEventRecord &event) const override;
    const ZafEventMap *EventMap() const override { return eventMap; }
    static const ZafEventMap eventMap[];
    int NotifyFocus(ZafWindowObject *object, bool gaining) override;
    ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected) override;
    POINT ChildOrigin() const override;
    // The table draws its own background, grid and focus lines; the paint
    // pass draws records and headers over it.
    bool DrawsWindowlessChildren() const override { return true; }
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    ZafEventType DrawFocus(ZafRegionRect &rect, ZafEventType code) override;
    void DrawGridLines();
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;

    // --- Record cursor (0 moved, 1 refused; the cursor stays on refusal) -----
    virtual int NextRecord();
    virtual int PreviousRecord();
    virtual int SeekRecord(int offset, int origin);
    virtual int RecordIndex() const { return recordCursor; }
    // One step when the target is a neighbour, else a seek.
    int MoveCursorTo(int index);

    // --- Record exchange ---------------------------------------------------
    // The cursor stands on the record's index. The default clears the
    // selection, calls the load function and clears the changed flags.
    virtual int LoadRecord(ZafTableRecord *record, ZafWindowObject *rowField);
    // Calls the store function only when the record reports a change, then
    // clears that change; 0 when nothing was stored.
    virtual int StoreRecord(ZafTableRecord *record, ZafWindowObject *rowField);
    virtual int CallLoadFunction(ZafTableRecord *record, ZafWindowObject *rowField);
    virtual int CallStoreFunction(ZafTableRecord *record, ZafWindowObject *rowField);
    RecordFunction SetLoadFunction(RecordFunction function) { return loadFunction = function; }
    RecordFunction SetStoreFunction(RecordFunction function) { return storeFunction = function; }
    // -1: stores what changed and reloads every window. Otherwise reloads
    // the window showing the record (a refused cursor move is answered).
    int RefreshRecord(int index);
    // The record window showing the index; null when none does.
    ZafTableRecord *FindRecord(int index) const;
    // The row field that belongs to a record window (same list position in
    // the row header); null when there is none.
    ZafWindowObject *RowFieldOf(const ZafTableRecord *record) const;

    // --- Records -------------------------------------------------------------
    virtual int SetLastRecord(int index) { return lastRecord = index; }
    int LastRecord() const { return lastRecord; }
    // 0, or 1 for an index out of range (0 .. last record + 1 for insert).
    virtual int InsertRecord(int index);
    virtual int DeleteRecord(int index);
    virtual int SetCurrentRecord(int index);
    int CurrentRecord() const { return currentRecord; }
    int CurrentField() const { return currentField; }
    virtual int GoToRecord(int index);
    virtual int ScrollToFirst(int index);
    virtual int ScrollToLast(int index);
    // Index of the first and last record window (-1 without windows).
    int FirstVisibleIndex() const;
    int LastVisibleIndex() const;
    int RecordWindowCount() const { return Count(); }
    ZafTableRecord *CurrentRecordWindow() const;

    // --- Columns and geometry ----------------------------------------------
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override { return ZafWindow::SubtractObject(object); }
    // A column (with a header cell titled columnTitle, else the object's
    // text), a record window, or a support object.
    virtual ZafWindowObject *InsertObject(ZafWindowObject *object, const char *columnTitle,
                                          ZafWindowObject *before = nullptr);
    virtual ZafTableRecord *SetVirtualRecord(ZafTableRecord *record);
    ZafTableRecord *VirtualRecord() const { return virtualRecord; }
    int SetColumnHeaderText(int column, const char *text);
    virtual int SetColumnHeaderHeight(int height);
    virtual int SetRowHeaderWidth(int width);
    virtual int SetRecordHeight(int height, ZafCoordinateType type);
    virtual bool SetGrid(bool flag);
    bool Grid() const { return grid; }
    int RecordHeight() const { return recordHeight; }
    int RecordSpacing() const { return recordSpacing; }
    // Width of the row header in pixels, 0 without one; the same for the
    // column header's height.
    int RowHeaderWidth() const;
    int ColumnHeaderHeight() const;
    ZafCoordinateType SetCoordinateType(ZafCoordinateType type) override;
    ZafTableHeader *ColumnHeader() const;
    ZafTableHeader *RowHeader() const;
    ZafTableHeader *CornerHeader() const;
    virtual int SetHeaderBackgroundColor(int color, int monoColor);
    virtual int SetHeaderTextColor(int color, int monoColor);

    // --- Pinned attributes ------------------------------------------------
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetPlainKeyHotKeys(bool flag) override { return DenyPlainKeyHotKeys(flag); }
    ZafWindow *SetOwner(ZafWindow *window) override { return DenyOwner(window); }

    // --- Used by the record windows -----------------------------------------
    // Leaves the record: a field being edited is asked to let the focus go
    // (its answer is returned when it refuses: nothing else happens), its
    // edit ends, and the record is stored when it changed.
    ZafEventType LeaveRecord(ZafTableRecord *record);
    // Stores the record at its own index with its own row field.
    int StoreRecordWindow(ZafTableRecord *record);
    // Ends an edit and stores every row shown that changed (a row whose
    // field refused its text is not stored). Insert, delete and refresh do
    // this first; an owner that changes the indexes of its data calls it
    // before it does.
    void StoreShownRecords();
    void SetCurrentField(int position) { currentField = position; }

protected:
    // Places one record window (and its row field) at y; y moves on.
    void LayoutRecord(ZafTableRecord *record, ZafWindowObject *rowField, int &y);
    // Lays the record windows out from an index (see the header comment):
    // re-uses, reloads, deletes and adds windows, then updates the bar.
    void ShowRecordsFrom(int first);
    // Adds a record window and its row field (a duplicate of the row
    // header's field object) at the same list position.
    void AttachRecord(ZafTableRecord *record, ZafWindowObject *before);
    // Gives the window the index and loads it after moving the cursor
    // there; false (the window left empty, index -1) when the move is
    // refused.
    bool ShowRecord(ZafTableRecord *record, ZafWindowObject *rowField, int index);
    void LayoutChildren() override;
    // The records' area in pixels (client area less the headers).
    int AvailableHeight() const;
    int AvailableWidth() const;
    // The vertical scroll by d records (-300).
    ZafEventType ScrollRecords(const ZafEventRecord &event, int delta);
    ZafEventType ScrollColumns(int delta);
    ZafEventType ScrollToCurrentField();
    void UpdateVerticalBar();
    void UpdateHorizontalBar();
    // Ends the edit of the current record window's current field; false
    // when the field refused its text (the row is then not stored).
    bool EndCurrentEdit();
    // The record window under a point of the table's window; null.
    ZafTableRecord *RecordAt(const POINT &point) const;
    ZafEventType PressEvent(const ZafEventRecord &event);
    ZafEventType KeyEvent(const ZafEventRecord &event);
    // Focuses a target window's field at a position (or the window).
    void FocusTarget(ZafTableRecord *target, int field);
    // Index of the record window in the child list; -1.
    int PositionOf(const ZafWindowObject *record) const;
    void WriteData(ZafWindowPersistence &persistence);
    void ReadData(ZafWindowPersistence &persistence);
    // Makes the table the virtual record's parent without listing it.
    void AdoptVirtualRecord();
    // A colour of the table's palette in a given state (system colours
    // resolved).
    COLORREF StateColor(std::uint16_t type, std::uint16_t state, COLORREF fallback) const;

    ZafTableRecord *virtualRecord = nullptr;
    int recordCursor = -1;
    int lastRecord = -1;
    int recordSpacing = 1;
    RecordFunction loadFunction = nullptr;
    RecordFunction storeFunction = nullptr;
    bool grid = true;
    int recordHeight = 0;
    int currentRecord = -1;
    int currentField = -1;
    // Index of the record the first window stands for.
    int firstVisible = 0;
};
