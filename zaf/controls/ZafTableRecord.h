// ZafTableRecord: one row of a ZafTable, a windowless window whose children
// are the row's fields, one per column, laid out under the fields of the
// table's virtual record (itself a ZafTableRecord, the template every row is
// duplicated from).
//
// A record window never has a Windows window, and its fields normally have
// none either: the table's paint draws them. Only the field being edited
// gets its own window (an EDIT for a string field), made when the user
// clicks into it, presses Enter on it or starts typing on it, and taken
// away when the edit ends. The record moves the focus between its fields
// from the keyboard; moving between records is the table's.
//
// Ownership: the table makes, re-uses and deletes its record windows; a
// record owns its fields. The record index says which record of the owner's
// data the row shows (-1: none; the virtual record always has -1). The
// index is not stored in the UI data file.
//
// Persistence: level "ZafTableRecord", class id 1014: the window's record
// and its fields as children; every field read is made windowless.
#pragma once

#include "zaf/core/ZafWindow.h"

class ZafTable;

class ZafTableRecord : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1014;
    static constexpr const char *className = "ZafTableRecord";

    // The key table's logical codes beyond the library's common ones.
    enum KeyCode : ZafEventType {
        keyFirstField = 1117, // Home
        keyLastField = 1118,  // End
    };

    ZafTableRecord(int width, int height);
    // A copy of the window part with duplicates of the fields; index -1.
    ZafTableRecord(const ZafTableRecord &copy);
    ~ZafTableRecord() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafTableRecord(*this); }

    // --- Persistence ------------------------------------------------------
    ZafTableRecord(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    // Moves the focus between the record's fields (Enter, Tab, Shift+Tab,
    // Left, Right, Home, End); -1 for what it does not do (Up and Down are
    // the table's).
    virtual ZafEventType NavigationEvent(const ZafEventRecord &event);
    ZafEventType MapEvent(const ZafEventRecord &event) const override;
    const ZafEventMap *EventMap() const override { return eventMap; }
    static const ZafEventMap eventMap[];
    int NotifyFocus(ZafWindowObject *object, bool gaining) override;

    // --- Editing ------------------------------------------------------------
    // Gives the field its own Windows window; answers its own-window flag.
    virtual bool BeginFieldEdit(ZafWindowObject *field);
    // Takes the field's window away, keeping whether it had the focus;
    // answers its own-window flag.
    virtual bool EndFieldEdit(ZafWindowObject *field);
    // The message the record posts to its table's window when Enter has
    // selected the field being edited (lParam: the field's event handle):
    // the edit then ends and the focus moves on, after the field's own
    // handling of the key is over.
    static UINT EnterMessage();
    // A field is being edited while it has its own Windows window.
    static bool IsEditing(const ZafWindowObject *field);
    // Not disabled and not refusing the focus up the chain, and visible in
    // its record.
    static bool IsFocusable(const ZafWindowObject *field);

    virtual int SetRecordIndex(int index) { return recordIndex = index; }
    int RecordIndex() const { return recordIndex; }
    ZafTable *Table() const;

    // Fields are made windowless and drawn by the record; support objects
    // go in as they are.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    // With the flag on and a current field, the field takes the focus.
    bool SetFocus(bool flag) override;

    // --- Drawing ------------------------------------------------------------
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // Paints the fields that are not being edited. A field is highlighted
    // when either it has the focus or the record is selected, but not both:
    // it is drawn in the record's colours for the selected state (the
    // table's highlight colours) and keeps its own palette data otherwise.
    void PaintWindowlessChildren(const ZafEventRecord &event) override;
    // Whether the field is drawn highlighted.
    bool Highlighted(const ZafWindowObject *field) const;
    ZafEventType DrawFocus(ZafRegionRect &, ZafEventType code) override { return code; }
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;

    // --- Pinned attributes --------------------------------------------------
    HWND CreateOSWindow() override { return nullptr; }
    bool SetParentDrawsFocus(bool) override { return SetFlagTo(flagParentDrawsFocus, true); }
    int SetRegionType(int) override { return regionType = 0; }
    bool SetDisabled(bool) override { return SetFlagTo(flagDisabled, false); }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, false); }
    bool SetBordered(bool) override { return SetFlagTo(flagBordered, false); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }

private:
    void Construct();
    // The fields that may take the focus, wrapped from `from` in a direction;
    // null when none.
    ZafWindowObject *Step(ZafWindowObject *from, bool forward) const;
    ZafWindowObject *FieldAt(const POINT &point) const;
    // Lays the fields out under the virtual record's.
    void LayoutFields();
    // A printable key on a windowless current field opens its edit and
    // gives the key to the new control.
    bool StartEditByKey(const ZafEventRecord &event);
    ZafEventType PressEvent(const ZafEventRecord &event);

    // While a field is edited, its own dispatcher (the record's stands in
    // for it, to learn of Enter).
    static ZafEventType EditCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code);
    ZafUserCallback editCallback = nullptr;

    int recordIndex = -1;
};
