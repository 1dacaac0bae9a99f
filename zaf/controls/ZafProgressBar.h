// ZafProgressBar: shows how far a ZafScrollData has come from its minimum to
// its maximum as a bar that fills from the left (or, vertical, from the
// bottom), with the current value or the percentage written across it in
// inverse colours where the text crosses the fill. It has no Windows control:
// it draws itself, in a window of its own or, windowless, in its parent's
// (a status bar keeps it so). It watches its scroll data and redraws on
// every change of the value.
//
// Ownership: the bar always has a scroll data once constructed. It deletes
// the data when it drops it only when the data is destroyable and nobody
// else observes it; shared data is left to its owner.
//
// The percentage is clamped to 0..100 and computed in 64 bits: a current
// value outside the range would otherwise draw the fill outside the bar and
// (current - minimum) * 100 overflows 32 bits for large ranges.
//
// The persistent record (level "ZafProgressBar", class id 1012, after the
// window-object record), least significant byte first:
//   u16  flags: bits 0-3 orientation, bits 4-7 edge style, bits 8-11 text
//        mode
//   text the scroll data's name ("" none: a new 0..100 data at 100)
// followed by the scroll data's own record beside it.
#pragma once

#include "zaf/core/ZafWindowObject.h"

#include <cstdint>

class ZafScrollData;
class ZafWindowPersistence;

class ZafProgressBar : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 1012;
    static constexpr const char *className = "ZafProgressBar";

    enum TextMode : int {
        textNone = 0,    // nothing written
        textValue = 1,   // the current value, "%d"
        textPercent = 2, // the percentage, "%d%%"
    };
    enum Orientation : int {
        horizontal = 0, // fills from the left; any other value is vertical
        vertical = 1,   // fills from the bottom
    };
    enum EdgeStyle : int {
        edgeSunken = 0, // two sunken edge lines (1 means the same)
        edgeNone = 2,   // no edges (as every value but 0, 1 and 3)
        edgeRaised = 3, // two raised edge lines
    };

    // Region in cells; the scroll data is attached as it is, or, when null,
    // a new one from 0 to 100 standing at 100.
    ZafProgressBar(int left, int top, int width, int height, ZafScrollData *scrollData = nullptr);
    // Copies the modes; an owned (destroyable) scroll data is copied, a
    // shared one shared.
    ZafProgressBar(const ZafProgressBar &copy);
    ~ZafProgressBar() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafProgressBar(*this); }

    // --- Persistence ------------------------------------------------------
    ZafProgressBar(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    // ZAF_FOCUS_CHANGE also redraws the bar; the rest is the window object's.
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];

    // --- Data -------------------------------------------------------------
    ZafScrollData *ScrollData() const { return scrollData; }
    // Leaves the old data (deleting it under the rule above) and watches
    // the new one; answers 0.
    int SetScrollData(ZafScrollData *data);
    // 0 to 100: how far the data has come (100 for an empty range).
    int Percent() const;
    // The text written across the bar ("" in text mode none).
    void FormatText(char *buffer, int size) const;
    // The done part and the remaining part inside an area (pixels, edges
    // inclusive); a part that is empty has right < left or bottom < top.
    void SplitArea(const ZafRegionRect &area, ZafRegionRect &done, ZafRegionRect &rest) const;

    // --- Attributes -------------------------------------------------------
    TextMode SetTextMode(TextMode mode) { return textMode = mode; }
    int SetOrientation(int value) { return orientation = value; }
    int SetEdgeStyle(int style) { return edgeStyle = style; }
    TextMode GetTextMode() const { return textMode; }
    int GetOrientation() const { return orientation; }
    int GetEdgeStyle() const { return edgeStyle; }
    // Both colours (and both monochrome colours) of the background entry,
    // of the text entry; the font of both. Each answers its first argument.
    int SetBackgroundColor(int color, int monoColor) override;
    int SetTextColor(int color, int monoColor) override;
    int SetFont(int font) override;

    // A progress bar has no user function, help, focus, selection or drag.
    ZafUserFunction SetUserFunction(ZafUserFunction) override { return userFunction = nullptr; }
    const char *SetHelpContext(const char *) override { return ZafWindowObject::SetHelpContext(nullptr); }
    bool SetFocus(bool) override { return focus = false; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetSelected(bool) override { return SetFlagTo(flagSelected, false); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetCopyDraggable(bool) override { return SetFlagTo(flagCopyDraggable, false); }
    bool SetMoveDraggable(bool) override { return SetFlagTo(flagMoveDraggable, false); }
    bool SetSecondDragFlag(bool) override { return SetFlagTo(flagSecondDragFlag, false); }
    bool SetParentDrawsBorder(bool) override { return SetFlagTo(flagParentDrawsBorder, false); }
    bool SetParentDrawsFocus(bool) override { return SetFlagTo(flagParentDrawsFocus, false); }
    bool SetNoClassPalette(bool) override { return SetFlagTo(flagNoClassPalette, false); }

private:
    void Construct(ZafScrollData *data);
    // No user function, help, focus, selection, drag or parent-drawn parts.
    void ApplyFixedAttributes();
    void ReadFields(ZafWindowPersistence &persistence);
    // Stores one entry (type, enabled state) of the bar's own palette data.
    void EditEntry(std::uint16_t type, int color, int monoColor, int font);
    // The resolved colours of an entry in a state.
    void EntryColors(std::uint16_t type, std::uint16_t state, COLORREF &foreground, COLORREF &background) const;
    // The scroll data's observer: a changed value redraws the bar.
    static int UpdateFromData(ZafElement *observer, std::uint32_t kinds);

    TextMode textMode = textValue;
    int orientation = horizontal;
    int edgeStyle = edgeSunken;
    ZafScrollData *scrollData = nullptr;
};
