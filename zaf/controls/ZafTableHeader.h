// ZafTableHeader: a header strip of a ZafTable: the column header above the
// records (one cell per column, in column order), the row header left of
// them (one row field per record window, in the table's order) or the
// corner header where the two meet. A header is a windowless support object
// of its table; its cells are window objects that the table's paint draws.
//
// The header type gives the number id and string id by which the table
// finds it: corner -16 "ZAF_CORNER_HEADER", column -14 "ZAF_COLUMN_HEADER",
// row -15 "ZAF_ROW_HEADER". A row header keeps a field object, the template
// of its row fields (owned by the header, in neither list). The type, the
// field and the flags are frozen once the table's window exists.
//
// Persistence: level "ZafTableHeader", class id 1023: the window-object and
// window records, the cells (not a row header's row fields), then
//   u16  bits 0-3 the header type
// and the field object written beside it (default name "virtualField").
#pragma once

#include "zaf/core/ZafWindow.h"

class ZafTable;

class ZafTableHeader : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1023;
    static constexpr const char *className = "ZafTableHeader";

    // Header types.
    enum HeaderType : int {
        typeUnset = -1, // not yet given
        typeCorner = 0, // where row and column headers meet
        typeColumn = 1, // above the records, one cell per column
        typeRow = 2,    // left of the records, one row field per record window
    };

    ZafTableHeader(int width, int height, int headerType);
    // Copies cells (column, corner) and the field object; a row header's
    // row fields are left out (the table makes them).
    ZafTableHeader(const ZafTableHeader &copy);
    ~ZafTableHeader() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafTableHeader(*this); }

    // --- Persistence ------------------------------------------------------
    ZafTableHeader(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // The type word (and the field object beside it); ReadData reads the word.
    void WriteData(ZafWindowPersistence &persistence);
    void ReadData(ZafWindowPersistence &persistence);
    static void RegisterPersistence();

    ZafEventType Event(const ZafEventRecord &event) override;
    ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected) override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    ZafEventType DrawBorder(ZafRegionRect &rect, ZafEventType code) override;
    ZafEventType DrawFocus(ZafRegionRect &, ZafEventType code) override { return code; }

    // Stores the type (ids follow for 0, 1 and 2) unless created.
    virtual int SetHeaderType(int type);
    int HeaderType() const { return headerType; }
    // Takes the field object (the old one is deleted) unless created.
    virtual ZafWindowObject *SetField(ZafWindowObject *field);
    ZafWindowObject *Field() const { return field; }
    // Cells are windowless and bordered by the header.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override { return ZafWindow::SubtractObject(object); }
    // Plain conversion, without the cell spacing of rows.
    void ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const override;
    ZafTable *Table() const;

    // --- Pinned attributes --------------------------------------------------
    const char *SetHelpContext(const char *) override { return nullptr; }
    bool SetFocus(bool) override { return focus = false; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetBordered(bool) override { return SetFlagTo(flagBordered, false); }
    int SetRegionType(int type) override { return ForceRegionType2(type); }
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }
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
    // Places a column header's cells under the virtual record's fields.
    void LayoutCells();
    ZafEventType PressEvent(const ZafEventRecord &event);

    int headerType = typeUnset;
    ZafWindowObject *field = nullptr;
    // The pixel height of the last layout (a row header redraws on a change).
    int laidOutHeight = -1;
};
