// ZafText: the multi-line text field of the library, on a multi-line
// Windows "EDIT" control. (The file is named after the field: zaf/core/
// ZafText.h holds the library's text functions.)
//
// A window (so that it can carry scroll bars and a border as support
// objects) bound to a ZafStringData with the string field's text flow:
// typing changes only the control; the data follows on focus loss
// (ZAF_FOCUS_CHANGE), ZAF_NOT_CURRENT, ZAF_READ_CONTROL, Text and before
// writing; a change of the data by the program reaches the control through
// the notification. Enter is a line break (the key table has no Enter);
// Tab is left to the window for navigation.
//
// Word wrap can change at any time: the control is made again, with the
// text typed so far read back into the data first and the caret and focus
// kept. Justification and read-only mode are fixed once the control exists.
//
// Ownership: as the string field's: the data dropped on replace or
// destruction is deleted only when destroyable and observed by no one else.
//
// The persistent record (level "ZafText", class id 15, after the window
// record), least significant byte first:
//   u16  flags (StoredFlag below)
//   u16  justification: bits 0-3 horizontal
//   text string data name ("" when none)
// followed by the string data beside the record.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafData;
class ZafStringData;
class ZafWindowPersistence;

class ZafText : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 15;
    static constexpr const char *className = "ZafText";

    enum Justify : int {
        justifyLeft = 0,
        justifyRight = 1,
        justifyCenter = 2,
    };
    enum StoredFlag : std::uint16_t {
        storedSelectAllOnFocus = 0x0001,
        storedInvalid = 0x0002,
        storedUnanswered = 0x0004,
        storedReadOnly = 0x0008,
        storedWordWrap = 0x0010,
    };
    // SetCursorPosition without an own system-drawn control.
    static constexpr int resultNoControl = 8;
    // The dispatcher's answer that keeps an invalid value.
    static constexpr ZafEventType resultValueKept = 12;

    // A field showing a new string data (text, maximum length; -1 none);
    // bordered, not destroyable, moveable or sizeable.
    ZafText(int left, int top, int width, int height, const char *text, int maxLength = -1);
    // With an existing string data (null: a new empty one).
    ZafText(int left, int top, int width, int height, ZafStringData *data);
    ZafText(const ZafText &copy);
    ~ZafText() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafText(*this); }

    // --- Persistence ------------------------------------------------------
    ZafText(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // EN_KILLFOCUS: the focus-change event, carrying the object that took
    // the focus.
    ZafEventType HandleCommand(const ZafEventRecord &event, unsigned notifyCode) override;
    const ZafEventMap *EventMap() const override { return eventMap; }
    static const ZafEventMap eventMap[];
    // The control holds the focus itself: keys are the field's.
    ZafWindowObject *HostedFocus() override { return this; }

    // --- Windows window and drawing -----------------------------------------
    HWND CreateOSWindow() override;
    void MoveOSWindow() override { ZafWindowObject::MoveOSWindow(); }
    // The control shows the text, so a font change goes to it; the
    // window's ApplyFont reaches only the children and would leave the
    // text in the old font.
    void UpdateFont() override { ZafWindowObject::UpdateFont(); }
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // The string field's map (its background entry), then the window's.
    const ZafPaletteMap *ClassPaletteMap() const override;
    // Both colours of the background entry are the window colour.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // Data to control.
    void RefreshListEntry() override;

    // --- Data -------------------------------------------------------------
    // Takes the control's text first.
    const char *Text() override;
    // Answers 0.
    int SetText(const char *text) override;
    ZafStringData *StringData() const { return stringData; }
    // Null installs a new empty string data; answers 0.
    virtual int SetStringData(ZafStringData *data);
    // Control to data (only for an own system-drawn control); answers 0.
    virtual int GetTextFromControl();

    // --- Attributes -------------------------------------------------------
    virtual bool SetSelectAllOnFocus(bool flag) { return selectAllOnFocus = flag; }
    virtual bool SetInvalid(bool flag) { return invalid = flag; }
    // Turning it on empties the data.
    virtual bool SetUnanswered(bool flag);
    // Refused once created.
    virtual int SetHzJustify(int justify);
    virtual bool SetReadOnly(bool flag);
    // At any time (see above).
    virtual bool SetWordWrap(bool flag);
    // The caret at a character index (0-based); 8 without a control.
    virtual int SetCursorPosition(int index);
    // The caret at a column of a line (both 0-based), each kept within the
    // text: a line beyond the last is the last, a column beyond the line's
    // end is its end.
    virtual int SetCursorLineColumn(int column, int line);

    bool SelectAllOnFocus() const { return selectAllOnFocus; }
    bool Invalid() const { return invalid; }
    bool Unanswered() const { return unanswered; }
    bool ReadOnly() const { return readOnly; }
    bool WordWrap() const { return wordWrap; }
    int HzJustify() const { return hzJustify; }

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
    void Construct(ZafStringData *data);
    bool HasOwnControl() const { return osWindow && HasFlag(flagSystemDrawn); }
    // Focus loss: the control's text into the data, the changed flag, the
    // dispatcher, then unanswered and invalid from its answer.
    ZafEventType Leave(const ZafEventRecord &event);
    // Destroys the control and makes it again, the text read back first.
    void RecreateControl();
    void DropData(ZafData *data);
    static int DataChanged(ZafElement *observer, std::uint32_t kinds);

    bool selectAllOnFocus = false;
    bool invalid = false;
    bool unanswered = false;
    bool readOnly = false;
    bool wordWrap = true;
    int hzJustify = justifyLeft;
    ZafStringData *stringData = nullptr;
};
