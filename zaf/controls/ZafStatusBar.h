// ZafStatusBar: a strip along the bottom edge of a window that keeps its
// height when the window is resized and holds windowless objects (prompts,
// a progress bar) that it paints in its own Windows window: every child is
// kept without a window of its own, takes its colours from the bar (no
// class palette) and leaves its border to the bar (sunken, one line). It
// is a support object of its window and docks to the bottom (DockEdge), so
// a window that docks objects (an MDI frame) gives its client what is left
// above it. When bordered, a line pair runs along its top and the
// children's coordinates start below it.
//
// Ownership: the bar owns its children (as every window).
//
// The persistent record (level "ZafStatusBar", class id 1015) is the window
// record with its children; the bar has no fields of its own.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafBitmapData;

class ZafStatusBar : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1015;
    static constexpr const char *className = "ZafStatusBar";
    // The thickness of the line pair along the top.
    static constexpr int borderWidth = 2;

    // Region in cells; bordered.
    ZafStatusBar(int left, int top, int width, int height);
    ZafStatusBar(const ZafStatusBar &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafStatusBar(*this); }

    // --- Persistence ------------------------------------------------------
    ZafStatusBar(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    // ZAF_APPLY_GEOMETRY keeps the height and the bottom edge; a changed
    // region repaints the bar.
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // Makes the object one the bar paints (see above) and adds it.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;

    // --- Drawing and layout -------------------------------------------------
    ZafDockEdge DockEdge() const override { return ZAF_DOCK_BOTTOM; }
    DWORD OSStyle() const override;
    DWORD OSExtendedStyle() const override { return WS_EX_NOPARENTNOTIFY; }
    POINT ChildOrigin() const override { return POINT{0, HasFlag(flagBordered) ? borderWidth : 0}; }
    // The area below the border in pixels: (0, s, width - 1, height - 1), s
    // the display's space above a row plus the border.
    ZafRegionRect ClientRegion() const override;
    // As ZafWindowObject's, with b = the border less the display's space
    // below a row: converting to cells first takes b off the bottom, and a
    // bar sized in cells gets b back in the target type, so that a height in
    // cells never counts the border.
    void ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const override;
    // The bar's face and line pair; the children are drawn by the paint's
    // pass over windowless objects, each clipped to its region.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // The border of a child that leaves it to the bar: one sunken line.
    ZafEventType DrawBorder(ZafRegionRect &rect, ZafEventType code) override;
    ZafEventType DrawFocus(ZafRegionRect &, ZafEventType code) override { return code; }
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    // Both background colours are always the button face.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    COLORREF BackgroundColor() const override;

    // The shared 14 x 14 size-grip image (diagonal ridges in the corner),
    // made with the first status bar and deleted by the static clean-ups.
    static ZafBitmapData *LoadSizeGripImage();
    static void ReleaseSizeGripImage(std::uint8_t);
    // --- Attributes fixed for every status bar --------------------------------
    ZafUserFunction SetUserFunction(ZafUserFunction) override { return userFunction = nullptr; }
    bool SetFocus(bool) override { return focus = false; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetSupportObject(bool) override { return SetFlagTo(flagSupportObject, true); }
    int SetRegionType(int type) override { return ForceRegionType2(type); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetPlainKeyHotKeys(bool flag) override { return DenyPlainKeyHotKeys(flag); }

private:
    void Construct();
    static void Adopt(ZafWindowObject *child);
};
