// ZafButton: the one button class of the library: push button, check box,
// radio button and flat (image-and-text) button, and the base of every
// clickable object (menu items, title-bar buttons, the program's buttons).
//
// It keeps its text in a ZafStringData and an optional image in a
// ZafBitmapData and either wraps a Windows "BUTTON" control that draws
// itself or asks for an owner-drawn "BUTTON" and paints it through the
// display (IsNativeDrawn says which). On selection it calls its dispatcher
// (the user function); with send-message on it also queues an event whose
// type is the button's value (SendMessageCallback).
//
// Ownership: the button observes its string and bitmap data. When it drops
// or replaces one, it deletes it only when the data object is destroyable
// and nobody else observes it; so shared texts and the built-in check and
// radio images (static, not destroyable) are never deleted by a button. The
// send-message text is the button's own heap copy.
//
// The sent event: type = the button's value; its text (Text()) is a heap
// copy of the send-message text or null, which whoever takes the event
// frees with ReleaseSentEvent; the button is named by its event handle, not
// its address, so SentButton answers null once the button is gone (a close
// item may delete its window before the event is taken). An event the full
// queue refuses is dropped with its text freed.
//
// Auto-repeat: a held button selects itself again from a Windows timer (id
// 1): the first repeat after 250 ms, then every 50 ms. The timer stops on
// release, on loss of the mouse capture and when the window goes.
//
// Most setters are refused once the Windows window exists (they then answer
// the value in force). Run-time states (depressed, the default look) are
// never stored.
//
// The persistent record (level "ZafButton", class id 2, after the window-
// object record; its region is the requested region), least significant
// byte first:
//   i32  value
//   i32  depth
//   u16  flags (StoredFlag below; bits 12-15 the button type)
//   u16  justification: bits 0-3 horizontal, bits 4-7 vertical
//   u16  hot-key character (low byte)
//   i32  hot-key index
//   text string data name, bitmap data name (each "" when none)
//   text send-message text ("" when none)
// followed by the string and bitmap data objects beside the record.
#pragma once

#include "zaf/core/ZafWindowObject.h"

#include <cstdint>

class ZafBitmapData;
class ZafStringData;
class ZafWindowPersistence;

class ZafButton : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 2;
    static constexpr const char *className = "ZafButton";
    // Answered as well by check boxes and radio buttons.
    static constexpr ZafClassID checkBoxClassID = 25;
    static constexpr ZafClassID radioButtonClassID = 26;

    enum ButtonType : std::uint32_t {
        pushButton = 0,
        radioButton = 1,
        checkBox = 2,
        framePushButton = 3, // title-bar buttons; a push button in every respect
        flatButton = 4,      // image and text without edges
    };
    // Horizontal: left, right, centre; vertical: top, bottom, centre.
    enum Justify : std::uint32_t {
        justifyStart = 0,
        justifyEnd = 1,
        justifyCenter = 2,
    };
    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedAllowToggling = 0x0001,
        storedAutoRepeat = 0x0002,
        storedAutoSize = 0x0004,
        storedSelectOnDoubleClick = 0x0008,
        storedSelectOnDownClick = 0x0010,
        storedSendMessage = 0x0020,
        storedAllowDefault = 0x0040,
    };
    // The built-in 13 x 13 images of owner-drawn check boxes and radio
    // buttons.
    enum BuiltInImage {
        imageCheck = 0,
        imageCheckPressed,
        imageCheckSelected,
        imageCheckSelectedPressed,
        imageRadio,
        imageRadioPressed,
        imageRadioSelected,
        imageRadioSelectedPressed,
        builtInImageCount
    };
    // The auto-repeat timer.
    static constexpr UINT_PTR repeatTimerID = 1;
    static constexpr UINT repeatFirstDelay = 250; // ms
    static constexpr UINT repeatDelay = 50;       // ms
    // Pixels between image and text.
    static constexpr int contentGap = 4;

    // A text (copied into a new string data) or none, an image (attached as
    // it is) or none, in cells.
    ZafButton(int left, int top, int width, int height, const char *text, ZafBitmapData *bitmap = nullptr,
              ButtonType type = pushButton);
    // With an existing string data, attached as it is.
    ZafButton(int left, int top, int width, int height, ZafStringData *text, ZafBitmapData *bitmap, ButtonType type);
    // Every field but the depressed state and the data links: destroyable
    // data objects are duplicated, others shared.
    ZafButton(const ZafButton &copy);
    ~ZafButton() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafButton(*this); }

    // --- Persistence ------------------------------------------------------
    ZafButton(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // Enters New in the program's constructor table (once is enough).
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // Owner drawing: the pressed look from the item's state, then Draw.
    ZafEventType HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item) override;
    // A check box or radio button stands on its parent's background.
    ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc) override;
    // Space down and up begin and end a selection; then the window object's.
    const ZafEventMap *EventMap() const override { return eventMap; }
    static const ZafEventMap eventMap[];
    ZafEventType DragDropEvent(const ZafEventRecord &event) override;
    // Flips the selected flag when toggling (a selected button in a
    // single-selection window stays selected), then calls the dispatcher.
    // The dispatcher may delete the button.
    virtual ZafEventType Select(const ZafEventRecord &event, ZafEventType code);
    // The dispatcher installed by send-message: the user function, then, for
    // a selection that counts (1012, or 1002 without select-on-double-click),
    // the value event at the queue's tail.
    static ZafEventType SendMessageCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code);
    // The button that sent the event while it still exists; else null.
    static ZafButton *SentButton(const ZafEventRecord &event);
    // Frees the text a sent event carries and clears it.
    static void ReleaseSentEvent(ZafEventRecord &event);

    // --- Drawing and layout -------------------------------------------------
    // True when the Windows control draws the button.
    bool IsNativeDrawn() const;
    HWND CreateOSWindow() override;
    void OSWindowDestroyed() override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    ZafEventType DrawBorder(ZafRegionRect &rect, ZafEventType code) override;
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    void UpdateFont() override;
    // Puts the text (with its hot-key marker) into the Windows control.
    virtual void RefreshText();
    // Applies the geometry again and moves and redraws the window.
    virtual int Relayout();
    // Places an image box and a text box inside the area (pixels, edges
    // inclusive; an area whose right is left - 1 takes the total width, the
    // same for the height) by the justifications; answers (1, 1, total
    // width, total height) of both together.
    ZafRegionRect LayoutContents(const ZafRegionRect &area, ZafRegionRect &image, ZafRegionRect &text, int gap) const;
    // The shared built-in images (made with the first button).
    static ZafBitmapData *BuiltInBitmap(BuiltInImage image);

    // --- Region -------------------------------------------------------------
    // The requested region (the working region is rebuilt from it before
    // every geometry pass).
    ZafRegionRect RequestedRegion() const { return requestedRegion; }
    void SetRegion(const ZafRegionRect &newRegion) override;
    using ZafWindowObject::SetRegion;
    void ConvertCoordinates(ZafCoordinateType type) override;
    ZafCoordinateType SetCoordinateType(ZafCoordinateType type) override;

    // --- Data -----------------------------------------------------------------
    const char *Text() override;
    int SetText(const char *text) override;
    ZafStringData *StringData() const { return stringData; }
    ZafBitmapData *BitmapData() const { return bitmapData; }
    virtual int SetStringData(ZafStringData *data);
    virtual int SetBitmapData(ZafBitmapData *data);
    virtual int ClearStringData();
    virtual int ClearBitmapData();

    // --- Attributes -----------------------------------------------------------
    // Refused once created.
    virtual bool SetAllowDefault(bool flag);
    virtual bool SetAllowToggling(bool flag);
    virtual bool SetAutoRepeatSelection(bool flag);
    virtual bool SetAutoSize(bool flag);
    virtual ButtonType SetButtonType(ButtonType type);
    virtual int SetDepth(int depth);
    virtual Justify SetHzJustify(Justify justify);
    virtual Justify SetVtJustify(Justify justify);
    virtual bool SetSelectOnDoubleClick(bool flag);
    virtual bool SetSelectOnDownClick(bool flag);
    // At any time.
    virtual bool SetDepressed(bool flag);
    // Stores the character upper-cased and the index of the underlined
    // letter (-1 none); answers the character.
    virtual char SetHotKey(char character, int index);
    virtual const char *SetSendMessageText(const char *text);
    virtual bool SetSendMessageWhenSelected(bool flag);
    virtual std::int32_t SetValue(std::int32_t newValue) { return value = newValue; }
    bool SetNoClassPalette(bool flag) override;
    bool SetSelected(bool flag) override;
    // Radio buttons deselect each other in a single-selection window.
    bool ExcludesSiblingsWhenSelected() const override { return buttonType == radioButton; }

    bool AllowDefault() const { return allowDefault; }
    bool AllowToggling() const { return allowToggling; }
    bool AutoRepeatSelection() const { return autoRepeatSelection; }
    bool AutoSize() const { return autoSize; }
    // The height in pixels that an auto-sized push button without a
    // picture takes, kept from its bottom edge.
    static constexpr int textPushButtonHeight = 23;
    ButtonType Type() const { return buttonType; }
    int Depth() const { return depth; }
    bool Depressed() const { return depressed; }
    char HotKeyChar() const { return hotKeyChar; }
    unsigned char HotKeyLetter() const override { return static_cast<unsigned char>(hotKeyChar); }
    int HotKeyIndex() const { return hotKeyIndex; }
    Justify HzJustify() const { return hzJustify; }
    Justify VtJustify() const { return vtJustify; }
    bool SelectOnDoubleClick() const { return selectOnDoubleClick; }
    bool SelectOnDownClick() const { return selectOnDownClick; }
    bool SendMessageWhenSelected() const { return sendMessageWhenSelected; }
    const char *SendMessageText() const { return sendMessageText; }
    std::int32_t Value() const { return value; }
    // Whether the auto-repeat timer runs now.
    bool RepeatTimerRunning() const { return repeatTimerRunning; }

protected:
    // True for check boxes and radio buttons.
    bool IsCheckType() const { return buttonType == checkBox || buttonType == radioButton; }
    bool IsPushType() const { return buttonType == pushButton || buttonType == framePushButton; }
    // The button counts as its window's default button.
    bool IsDefaultButton();
    // Sends the button an event of that logical code.
    ZafEventType SendSelf(ZafEventType code);
    // Fits the height to the contents (the width never changes).
    void ApplyAutoSize();
    void StartRepeatTimer(UINT delay);
    void StopRepeatTimer();

    std::int32_t value = 0;
    char *sendMessageText = nullptr;
    ZafStringData *stringData = nullptr;
    ZafBitmapData *bitmapData = nullptr;
    int depth = 2;
    bool allowDefault = false;
    bool allowToggling = false;
    bool autoRepeatSelection = false;
    bool autoSize = true;
    ButtonType buttonType = pushButton;
    bool depressed = false;
    char hotKeyChar = 0;
    int hotKeyIndex = -1;
    bool selectOnDoubleClick = false;
    bool selectOnDownClick = false;
    bool sendMessageWhenSelected = false;
    Justify hzJustify = justifyCenter;
    Justify vtJustify = justifyCenter;
    ZafRegionRect requestedRegion;

private:
    void Construct(ButtonType type, ZafBitmapData *bitmap);
    void ReadFields(ZafWindowPersistence &persistence);
    // Drawing steps of Draw.
    void DrawCheckType(const ZafEventRecord &event, ZafEventType code, ZafRegionRect face);
    void DrawPushType(const ZafEventRecord &event, ZafEventType code, ZafRegionRect face);
    // The resolved colours of a palette type in a state.
    void PaletteColors(std::uint16_t type, std::uint16_t state, COLORREF &foreground, COLORREF &background) const;
    void DrawImage(ZafBitmapData *image, int x, int y) const;
    void DrawLabel(const ZafRegionRect &box, std::uint16_t state);
    // Observer functions of the two data objects.
    static int StringDataChanged(ZafElement *observer, std::uint32_t kinds);
    static int BitmapDataChanged(ZafElement *observer, std::uint32_t kinds);

    bool repeatTimerRunning = false;
};
