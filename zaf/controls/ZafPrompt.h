// ZafPrompt: the static text label placed before a field, on a Windows
// "STATIC" control (or drawn by itself when it is transparent, vertically
// justified, not auto-sized or in layout mode). It never takes the focus;
// its hot key (the character underlined) moves the focus to the object that
// follows it in its window. An auto-sized prompt shrinks to its measured
// text (in pixels); Region still answers the region as it was asked for,
// which is also what the UI data file keeps.
//
// Ownership: the prompt observes its string data and drops it under the
// string field's rule: deleted only when destroyable and nobody else
// observes it. A ZafMessageData (whose hot key the prompt adopts) belongs to
// the language table that made it and is never deleted by the prompt.
//
// The persistent record (level "ZafPrompt", class id 11, after the window-
// object record written with the requested region), least significant byte
// first:
//   text string data name ("" none)
//   u16  flags: bit 0 auto size, bit 1 transparent
//   u16  hot-key character (low byte)
//   u16  justification: bits 0-3 horizontal, bits 4-7 vertical
//   i32  hot-key index (-1 none)
// followed by the string data object beside the record.
#pragma once

#include "zaf/core/ZafWindowObject.h"

#include <cstdint>
#include <string>

class ZafStringData;
class ZafWindowPersistence;

class ZafPrompt : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 11;
    static constexpr const char *className = "ZafPrompt";

    enum Justify : int {
        justifyStart = 0, // left; top
        justifyEnd = 1,   // right; bottom
        justifyCenter = 2,
    };
    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedAutoSize = 0x0001,
        storedTransparent = 0x0002,
    };
    // A bordered, top-justified prompt's text moves this far down, level
    // with the text of bordered fields (pixels).
    static constexpr int borderedTextOffset = 3;

    // One cell high; the text is copied into a new string data.
    ZafPrompt(int left, int top, int width, const char *text);
    // With an existing string data (null: a new empty one), attached as it is.
    ZafPrompt(int left, int top, int width, ZafStringData *data);
    ZafPrompt(const ZafPrompt &copy);
    ~ZafPrompt() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafPrompt(*this); }

    // --- Persistence ------------------------------------------------------
    ZafPrompt(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    // ZAF_HOT_KEY with the prompt's character focuses the next object.
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // The STATIC's colours: the text palette's text colour on the
    // background palette's colour.
    ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc) override;

    // --- Drawing and layout -------------------------------------------------
    HWND CreateOSWindow() override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // Text colours (the text palette's pair) marked as system colours: the
    // window's text on the window's colour, or, disabled, the button shadow
    // for the text and the button highlight for its etched copy.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // Data to control: the text with every '&' doubled and one '&' before
    // the hot-key character, so that Windows underlines it.
    void RefreshListEntry() override;
    // The text as the STATIC control gets it.
    std::string PreparedText() const;
    // Whether the STATIC control paints the prompt (else its Draw does).
    bool ControlPaints() const;
    // The region as it was asked for, which the UI data file keeps too.
    ZafRegionRect Region() const override { return savedRegion; }
    // The region in force: an auto-sized prompt's measured text.
    ZafRegionRect MeasuredRegion() const { return region; }
    void SetRegion(const ZafRegionRect &newRegion) override;
    using ZafWindowObject::SetRegion;
    void ConvertCoordinates(ZafCoordinateType type) override;
    ZafCoordinateType SetCoordinateType(ZafCoordinateType type) override;
    int SetFont(int font) override;

    // --- Data -------------------------------------------------------------
    const char *Text() override;
    int SetText(const char *text) override;
    ZafStringData *StringData() const { return stringData; }
    virtual int SetStringData(ZafStringData *data);

    // --- Attributes -------------------------------------------------------
    // A prompt keeps no help context: help goes by the field it names.
    const char *SetHelpContext(const char *) override { return nullptr; }
    // A prompt is never changed, never focused and takes no drops.
    bool SetChanged(bool) override { return changed = false; }
    bool SetFocus(bool) override { return focus = false; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetCopyDraggable(bool) override { return SetFlagTo(flagCopyDraggable, false); }
    bool SetMoveDraggable(bool) override { return SetFlagTo(flagMoveDraggable, false); }
    bool SetSecondDragFlag(bool) override { return SetFlagTo(flagSecondDragFlag, false); }
    // A prompt takes no user function: the one it had is cleared.
    ZafUserFunction SetUserFunction(ZafUserFunction) override { return userFunction = nullptr; }
    int SetRegionType(int) override { return regionType = 0; }
    bool SetDisabled(bool flag) override;
    // Refused once created.
    virtual bool SetAutoSize(bool flag);
    // Stores the character upper-cased and the index of the underlined
    // character (-1 none); answers the character.
    virtual char SetHotKey(char character, int index);
    virtual int SetHzJustify(int justify);
    virtual int SetVtJustify(int justify);
    virtual bool SetTransparent(bool flag);

    bool AutoSize() const { return autoSize; }
    char HotKeyChar() const { return hotKeyChar; }
    int HotKeyIndex() const { return hotKeyIndex; }
    int HzJustify() const { return hzJustify; }
    int VtJustify() const { return vtJustify; }
    bool Transparent() const { return transparent; }

protected:
    // Re-measures an auto-sized prompt (ZAF_APPLY_GEOMETRY).
    void ApplyAutoSize();
    ZafEventType PaintSelf(const ZafEventRecord &event);

    ZafStringData *stringData = nullptr;
    bool autoSize = true;
    char hotKeyChar = 0;
    int hotKeyIndex = -1;
    int hzJustify = justifyStart;
    int vtJustify = justifyStart;
    bool transparent = false;
    ZafRegionRect savedRegion;
    // Set while the parent's geometry manager places the prompt.
    bool placing = false;

private:
    void Construct(ZafStringData *data);
    void ReadFields(ZafWindowPersistence &persistence);
    static int DataChanged(ZafElement *observer, std::uint32_t kinds);
};
