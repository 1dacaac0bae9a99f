// ZafString: the single-line text field of the library, on a Windows "EDIT"
// control (or drawn by itself when it is not system-drawn), and the base of
// the number fields (ZafInteger, ZafReal) and of the program's own fields.
//
// The value lives in a ZafStringData that the field observes: typing changes
// only the control; the data follows on Enter (ZAF_SELECT), on focus loss
// (ZAF_FOCUS_CHANGE), on ZAF_NOT_CURRENT / ZAF_READ_CONTROL and whenever
// Text is asked; a change of the data by the program reaches the control
// through the notification.
//
// Validation: optional input and output formats (texts, one format a line;
// the output format is always the first input format), an optional range
// text (entries separated by '\n', each "low..high" with either side empty
// for unbounded, or one value), and an invalid state. The validation
// framework is written once here over type hooks (CompareData ... ValueData)
// that the number fields supply; a plain string never checks its ranges by
// itself (rangeCheckPending is only set by derived classes). Messages go
// through the error system installed with SetErrorSystem; none is shown
// without one. Message formats come from language files and are filled by
// FillMessage (only "%s" up to the number of arguments, bounded), never
// handed to a printf-style call.
//
// Ownership: the field observes its string data and owns the four data
// objects it holds (string data, input format, output format, range) under
// one rule: a data object the field drops is deleted only when it is
// destroyable and nobody else observes it; otherwise it is shared and
// survives.
//
// The persistent record (level "ZafString", class id 13, after the window-
// object record), least significant byte first:
//   u16  flags (StoredFlag below)
//   u16  justification: bits 0-3 horizontal
//   text string data name, input format name, output format name, range
//        name (each "" when none)
// followed by those data objects beside the record, in that order.
#pragma once

#include "zaf/core/ZafErrorCodes.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstdint>
#include <string>

class ZafData;
class ZafDataPersistence;
class ZafErrorStub;
class ZafStringData;
class ZafWindowPersistence;

class ZafString : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 13;
    static constexpr const char *className = "ZafString";

    enum Justify : int {
        justifyLeft = 0,
        justifyRight = 1,
        justifyCenter = 2,
    };
    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedSelectAllOnFocus = 0x0001,
        storedInvalid = 0x0002,
        storedUnanswered = 0x0004,
        storedLowerCase = 0x0008,
        storedPassword = 0x0010,
        storedUpperCase = 0x0020,
        storedNoBlanks = 0x0040,
        storedReadOnly = 0x0080,
        storedAllowInvalid = 0x0100,
        storedReportErrors = 0x0200,
    };
    // The key table's logical codes beyond the library's common ones.
    enum KeyCode : ZafEventType {
        keyDeleteBack = 1119, // Backspace
        keyLineStart = 1117,  // Home, Page Up
        keyLineEnd = 1118,    // End, Page Down
        keyCopy = 1127,       // Ctrl+Insert
        keyCut = 1104,        // Shift+Delete
        keyDelete = 1108,     // Delete
        keyPaste = 1105,      // Shift+Insert
    };
    // Validation results (the error word's codes) as Validate answers them.
    static constexpr int resultValid = ZafError::None;
    static constexpr int resultOutOfRange = ZafError::OutOfRange;
    static constexpr int resultBelowMinimum = ZafError::BelowMinimum;
    static constexpr int resultAboveMaximum = ZafError::AboveMaximum;
    static constexpr int resultValueKept = ZafError::ValueKept;
    // Decrement and Increment with a step of another type.
    static constexpr int resultWrongStep = 9;
    // Bounds of the texts of a range message: a bound is formatted into at
    // most boundLength characters, the range text holds at most
    // rangeTextLength (further entries become "..."), and the field text is
    // cut so that message and text stay within messageLength.
    static constexpr int boundLength = 255;
    static constexpr std::size_t rangeTextLength = 600;
    static constexpr std::size_t messageLength = 1000;

    // A field one cell high showing a new string data (text, maximum length;
    // -1 none).
    ZafString(int left, int top, int width, const char *text, int maxLength = -1);
    // With an existing string data (null: a new empty one), attached as it is.
    ZafString(int left, int top, int width, ZafStringData *data);
    // Flags and justification copied; each data object duplicated when
    // destroyable, shared otherwise.
    ZafString(const ZafString &copy);
    ~ZafString() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafString(*this); }

    // --- Persistence ------------------------------------------------------
    ZafString(const char *name, ZafWindowPersistence &persistence);
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
    // The dispatcher: validates pending ranges on ZAF_SELECT and
    // ZAF_FOCUS_CHANGE, then calls the user function unless an error word
    // is set. The user function may delete the field.
    static ZafEventType ValidateCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code);

    // --- Drawing ------------------------------------------------------------
    HWND CreateOSWindow() override;
    // A bordered field is at least one line of its font plus its frame
    // high; the cells of lists and tables keep the rows their owner gives.
    int MinimumPixelHeight() const override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // The background entry: system colours (resolved to the window colour),
    // monochrome 2 and 2, the dialog font; then the window object's map.
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    // Both colours of the background entry are the window colour.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // Data to control (see the header comment).
    void RefreshListEntry() override;
    ZafCoordinateType SetCoordinateType(ZafCoordinateType type) override;

    // --- Data -------------------------------------------------------------
    // Takes the control's text first.
    const char *Text() override;
    // Unanswered for a null or empty text; answers 0.
    int SetText(const char *text) override;
    ZafStringData *StringData() const { return stringData; }
    // Null installs a new empty string data; answers 0.
    virtual int SetStringData(ZafStringData *data);
    // Control to data (only for an own system-drawn control); answers 0.
    virtual int GetTextFromControl();
    // A new copy of the data's text (delete[] by the caller).
    virtual char *DuplicateText();

    // --- Validation framework ---------------------------------------------
    // Checks the value against the ranges; reports through the error system
    // when asked. Answers and keeps the error: 0, 5, 6, 7, 12, or the parse
    // error of the text.
    virtual int Validate(bool report);
    // Steps the value by the step data (of the value's type, else 9),
    // wrapping around the ranges when asked; 0.
    virtual int Decrement(ZafData *step, bool wrap);
    virtual int Increment(ZafData *step, bool wrap);
    // Type hooks; the string versions work on texts.
    virtual int CompareData(ZafData *a, ZafData *b);
    virtual ZafData *DuplicateData();
    virtual const char *ErrorMessage(int code);
    virtual int FormatData(ZafData *data, char *buffer, int size, const char *format);
    virtual const char *RangeSeparator() const { return nullptr; }
    virtual int ShowValue();
    virtual int AssignData(ZafData *target, ZafData *source);
    virtual int ParseData(ZafData *data, const char *text, const char *format);
    virtual int DecrementData(ZafData *, ZafData *) { return 1; }
    virtual int IncrementData(ZafData *, ZafData *) { return 1; }
    virtual bool IsValueData(ZafData *) const { return false; }
    virtual ZafData *ValueData() const;

    // Splits the first entry of a range text into low and high bound (each
    // at most boundLength characters; "" for an unbounded side); answers the
    // rest after the entry's line feed, or null after the last entry.
    static const char *ParseRange(const char *range, std::string &low, std::string &high);
    // Fills a message format: "%s" takes the arguments in order, "%%" is a
    // '%', and anything else (a "%d", a "%s" beyond the arguments) is kept as
    // written. The result holds at most limit characters.
    static std::string FillMessage(const char *format, const char *const *arguments, int count, std::size_t limit);

    // The error system that fields report through; null (the default): no
    // message is shown. Returns the previous one.
    static ZafErrorStub *SetErrorSystem(ZafErrorStub *errorSystem);
    static ZafErrorStub *ErrorSystem();

    // --- Attributes -------------------------------------------------------
    // Refused once created.
    virtual int SetHzJustify(int justify);
    virtual bool SetLowerCase(bool flag);
    virtual bool SetUpperCase(bool flag);
    virtual bool SetPassword(bool flag);
    virtual bool SetReadOnly(bool flag);
    virtual bool SetNoBlanks(bool flag);
    // Format texts (null: none); 1 once created, else 0.
    virtual int SetInputFormat(const char *text);
    virtual int SetOutputFormat(const char *text);
    virtual int SetInputFormatData(ZafStringData *data);
    virtual int SetOutputFormatData(ZafStringData *data);
    // At any time.
    virtual int SetRangeData(ZafStringData *data);
    int SetRange(const char *text);
    virtual bool SetAllowInvalid(bool flag) { return allowInvalid = flag; }
    virtual bool SetSelectAllOnFocus(bool flag) { return selectAllOnFocus = flag; }
    virtual bool SetInvalid(bool flag) { return invalid = flag; }
    virtual bool SetReportErrors(bool flag) { return reportErrors = flag; }
    // Turning it on empties the data.
    virtual bool SetUnanswered(bool flag);
    // 8 without an own system-drawn control.
    virtual int SetCursorPosition(int position);

    int HzJustify() const { return hzJustify; }
    bool AllowInvalid() const { return allowInvalid; }
    bool SelectAllOnFocus() const { return selectAllOnFocus; }
    bool Invalid() const { return invalid; }
    bool Unanswered() const { return unanswered; }
    bool LowerCase() const { return lowerCase; }
    bool UpperCase() const { return upperCase; }
    bool Password() const { return password; }
    bool ReportErrors() const { return reportErrors; }
    bool ReadOnly() const { return readOnly; }
    bool NoBlanks() const { return noBlanks; }
    bool RangeCheckPending() const { return rangeCheckPending; }
    ZafStringData *InputFormatData() const { return inputFormat; }
    ZafStringData *OutputFormatData() const { return outputFormat; }
    ZafStringData *RangeData() const { return range; }
    const char *InputFormatText() const;
    const char *OutputFormatText() const;

protected:
    // True when this field has its own Windows EDIT control.
    bool HasOwnControl() const { return osWindow && HasFlag(flagSystemDrawn); }
    // Justified fields are multi-line controls (Windows right-aligns only
    // those): Enter and line breaks must never reach them.
    bool IsMultiLineControl() const { return hzJustify != justifyLeft; }
    // The field leaves its root window: the object taking the focus (the
    // event's) is none or lies under another top-level window.
    bool IsLeaving(const ZafEventRecord &event);
    // Drops a data object under the ownership rule (observer: the function
    // this field observed it with, or null).
    void DropData(ZafData *data, int (*observer)(ZafElement *, std::uint32_t));
    // Reads the string-data part of the record (names, then the objects).
    void ReadFields(ZafWindowPersistence &persistence);
    // Reads / writes one data object beside the record.
    static ZafStringData *ReadStringData(ZafWindowPersistence &persistence, const char *name);
    static void WriteData(ZafWindowPersistence &persistence, ZafData *data);
    static ZafDataPersistence *DataPersistence(ZafWindowPersistence &persistence);
    // Shows a validation message; true when the user confirmed with OK.
    bool ReportMessage(const char *format, unsigned flags, const char *second);
    // Puts a text into the control as typed text would (the selection is
    // replaced), without control characters, blanks made '_' with noBlanks,
    // within the room the maximum length leaves.
    void PasteText(const char *text);
    void PasteFromClipboard();
    // The room left for new text with the current selection replaced; -1
    // when unlimited.
    int RoomLeft();
    // Enter and focus loss: the control's text into the data, the changed
    // flag, the dispatcher, then unanswered and invalid recomputed; deleted
    // tells whether the user function deleted the field.
    ZafEventType SelectOrLeave(const ZafEventRecord &event, ZafEventType code, bool &deleted);
    // Tells code that calls out whether the field was deleted meanwhile;
    // watches nest.
    struct DeletionWatch
    {
        explicit DeletionWatch(ZafString &field);
        ~DeletionWatch();
        DeletionWatch(const DeletionWatch &) = delete;
        DeletionWatch &operator=(const DeletionWatch &) = delete;
        ZafString &field;
        bool *outer;
        bool deleted = false;
    };

    bool allowInvalid = false;
    bool selectAllOnFocus = true;
    bool invalid = false;
    bool unanswered = false;
    bool lowerCase = false;
    bool password = false;
    bool reportErrors = true;
    bool upperCase = false;
    bool noBlanks = false;
    bool readOnly = false;
    int hzJustify = justifyLeft;
    ZafStringData *inputFormat = nullptr;
    ZafStringData *outputFormat = nullptr;
    ZafStringData *range = nullptr;
    bool rangeCheckPending = false;
    ZafStringData *stringData = nullptr;
    // An error found before the dispatcher runs (a text that does not
    // parse): the dispatcher answers it without calling the user function.
    int selectionError = 0;
    // Set while a selection or focus change is validated (its message may
    // take the focus and come back here); kept apart from the error word,
    // which only tells the last result.
    bool validating = false;
    // Raised by the destructor while a user function runs.
    bool *deletedFlag = nullptr;
    // Set when a validation message was shown (ReportMessage); the focus
    // loss that showed one refused takes the focus back.
    bool messageShown = false;

private:
    // The message a field posts itself to take the focus back after the
    // focus left it with a value it refused (wParam: the window that took
    // the focus, whose press is cancelled).
    static UINT TakeFocusBackMessage();
    void TakeFocusBack(HWND taker);
    void Construct(ZafStringData *data);
    static int DataChanged(ZafElement *observer, std::uint32_t kinds);
    int Step(ZafData *step, bool wrap, bool down);
    // Wrap-around of a stepped value that left the ranges.
    void WrapValue(ZafData *value, ZafData *old, bool down);
    // Switches the field's observation of its string data off (true) or
    // back on.
    void QuietStringData(bool quiet);
    // ZAF_REGION_CHANGED of a field without its own control: the edge strips
    // of the previous and the new area are redisplayed (four
    // ZAF_REDISPLAY_AREA events).
    void RedisplayEdgeStrips(const ZafEventRecord &event);
};
