// ZafToolBar: a strip along one edge of a window that holds buttons (or any
// other window objects) and lays them out itself, row by row (top and bottom
// bars) or column by column (side bars), wrapping where the bar ends. It is
// a support object of its window: a window that docks objects (an MDI
// frame) gives it a strip on its edge (DockEdge) and its client what is
// left. It has a Windows child window of its own, painted with the face
// colour and, when bordered, a pair of lines along its inner edge.
//
// Sizes are in pixels. Each ZAF_APPLY_GEOMETRY gives every child its own
// geometry first and then its place in the bar; the bar then takes the
// thickness that the rows (or columns) need, keeping the side on its edge.
// Hidden children take no place. Adding, removing, showing or hiding a child
// of a bar on screen lays it out at once.
//
// Ownership: the bar owns its children (as every window); the program
// builds it in code with the constructor and adds it to its window.
//
// The persistent record (level "ZafToolBar", class id 1009, after the
// window record and its children):
//   u16  flags: bit 0 automatic layout
//   u16  edge (bits 0-3)
#pragma once

#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafToolBar : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1009;
    static constexpr const char *className = "ZafToolBar";

    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedAutoLayout = 0x0001,
    };
    // Pixels between the bar's side and its children, and between rows.
    static constexpr int margin = 2;
    // The thickness of the line pair on the inner edge.
    static constexpr int borderWidth = 2;

    // Region in cells; a top bar, laid out automatically, bordered.
    ZafToolBar(int left, int top, int width, int height);
    ZafToolBar(const ZafToolBar &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafToolBar(*this); }

    // --- Persistence ------------------------------------------------------
    ZafToolBar(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    // A click brings the top-level window forward first.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    // A child shown or hidden: the bar on screen is laid out again, and its
    // window's children placed again when the bar's size changed.
    void NotifyVisibility(ZafWindowObject *child, bool visible) override;
    // Places the children and sizes the bar (see above).
    void Layout();

    // --- Drawing and layout -------------------------------------------------
    ZafDockEdge DockEdge() const override { return edge; }
    DWORD OSStyle() const override;
    DWORD OSExtendedStyle() const override { return WS_EX_NOPARENTNOTIFY; }
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // The line pair on the inner edge (drawn for ZAF_REDISPLAY and
    // ZAF_REDISPLAY_AREA); the rect loses those pixels on that side.
    ZafEventType DrawBorder(ZafRegionRect &rect, ZafEventType code) override;
    ZafEventType DrawFocus(ZafRegionRect &, ZafEventType code) override { return code; }
    const ZafPaletteMap *ClassPaletteMap() const override { return paletteMap; }
    static const ZafPaletteMap paletteMap[];
    // The background is the button face.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // The background entry's colour (not the text entry's, as for fields).
    COLORREF BackgroundColor() const override;
    // A bar measured in cells never counts its border in its height.
    void ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const override;

    // --- Attributes -------------------------------------------------------
    // Both refused once the Windows window exists.
    ZafDockEdge SetEdge(ZafDockEdge newEdge);
    bool SetAutoLayout(bool flag) { return SetUnlessCreated(autoLayout, flag); }
    ZafDockEdge Edge() const { return edge; }
    // Off: the children stand in one row (column) however long, and those
    // past the bar's end are cut off by it rather than wrapped. Takes
    // effect at the next layout.
    void SetWrap(bool flag) { wrap = flag; }
    bool Wraps() const { return wrap; }
    bool AutoLayout() const { return autoLayout; }
    // Only while the bar is in no window.
    bool SetSupportObject(bool flag) override;
    // Fixed for every bar.
    int SetRegionType(int type) override { return ForceRegionType2(type); }
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetPlainKeyHotKeys(bool flag) override { return DenyPlainKeyHotKeys(flag); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }

protected:
    // The fixed attributes of every bar.
    void Construct();
    // The rows (columns) of a top or bottom (side) bar; returns the bar's
    // thickness in pixels.
    int LayoutRows(int length, bool across);

private:
    void ReadFields(ZafWindowPersistence &persistence);

    ZafDockEdge edge = ZAF_DOCK_TOP;
    bool autoLayout = true;
    bool wrap = true;
};
