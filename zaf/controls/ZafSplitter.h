// ZafSplitter: a bar that divides an area between two window objects, side
// by side (a vertical bar) or one above the other (a horizontal bar), and
// lets the user move the division with the mouse. The splitter's region is
// the bar; Area() is the whole area it divides (SetRegion takes the area).
// The position is the bar's offset from the area's start in pixels, or a
// percentage of the free space until the first layout on screen turns it
// into pixels.
//
// Dragging runs a loop of its own that takes the program's events until the
// button is released. It also ends when the splitter loses the mouse
// capture, when its window is disabled (a modal box opened over it), when
// the splitter or its window is destroyed, and on an exit request (which is
// put back for the program's loop), so that no drag can hang the program.
//
// Ownership: the two objects belong to the window; the splitter only
// places them (and finds them by number id after reading), and forgets one
// that is deleted.
//
// The persistent record (level "ZafSplitter", class id 31, after the
// window-object record written with the area):
//   u16  flags: bits 0-3 orientation, bit 4 live, bit 5 proportional
//   i32  position (pixels in the splitter's coordinate type, or percent)
//   i32  thickness (pixels)
//   i16  number id of the trailing object, then of the leading object
#pragma once

#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstdint>

class ZafSplitter : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 31;
    static constexpr const char *className = "ZafSplitter";

    enum Orientation : int {
        oneAbove = 0,   // a horizontal bar between an upper and a lower object
        sideBySide = 1, // a vertical bar between a left and a right object
    };
    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedOrientation = 0x000F,
        storedLive = 0x0010,
        storedProportional = 0x0020,
    };
    // Pixels a border adds across the bar.
    static constexpr int borderAllowance = 4;
    // Why the last drag ended.
    enum DragEnd {
        dragNone = 0,    // no drag yet
        dragReleased,    // the button was released
        dragCaptureLost, // another window took the mouse
        dragDisabled,    // the window was disabled (a modal box)
        dragExit,        // the program is asked to end
    };

    ZafSplitter(Orientation orientation, int position, bool proportional);
    // The object pointers are not copied; their number ids are.
    ZafSplitter(const ZafSplitter &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafSplitter(*this); }

    // --- Persistence ------------------------------------------------------
    ZafSplitter(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // The drag loop (see above), from a press at a point of the bar's window.
    ZafEventType TrackDrag(const ZafEventRecord &press);
    DragEnd LastDragEnd() const { return lastDragEnd; }
    bool Tracking() const { return tracking; }

    // --- Layout and drawing -------------------------------------------------
    // Takes the area and divides it (pixels are kept for the bar).
    void SetRegion(const ZafRegionRect &area) override;
    using ZafWindowObject::SetRegion;
    ZafRegionRect Area() const { return area; }
    // The area, as SetRegion takes it (the bar's own region is the object's).
    ZafRegionRect Region() const override { return area; }
    // The area and the bar to the new type; the position is kept in pixels
    // and needs no conversion.
    void ConvertCoordinates(ZafCoordinateType type) override;
    // The furthest offset at which the whole bar still fits in the area.
    int MaximumPosition() const;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;

    // --- Attributes -------------------------------------------------------
    bool SetLive(bool flag) { return live = flag; }
    virtual ZafWindowObject *SetTrailingObject(ZafWindowObject *object);
    virtual ZafWindowObject *SetLeadingObject(ZafWindowObject *object);
    virtual int SetPosition(int position, bool proportional);
    // Refused once created.
    virtual Orientation SetOrientation(Orientation value);
    virtual int SetThickness(int value);
    bool Live() const { return live; }
    bool Proportional() const { return proportional; }
    int Position() const { return position; }
    int Thickness() const { return thickness; }
    Orientation GetOrientation() const { return orientation; }
    ZafWindowObject *TrailingObject() const { return trailing.Get<ZafWindowObject>(); }
    ZafWindowObject *LeadingObject() const { return leading.Get<ZafWindowObject>(); }
    // Never focused, selected, dragged or a support object.
    bool SetFocus(bool) override { return focus = false; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetSelected(bool) override { return SetFlagTo(flagSelected, false); }
    bool SetSupportObject(bool) override { return SetFlagTo(flagSupportObject, false); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetCopyDraggable(bool) override { return SetFlagTo(flagCopyDraggable, false); }
    bool SetMoveDraggable(bool) override { return SetFlagTo(flagMoveDraggable, false); }
    bool SetSecondDragFlag(bool) override { return SetFlagTo(flagSecondDragFlag, false); }

private:
    bool SideBySide() const { return orientation != oneAbove; }
    int Border() const { return HasFlag(flagBordered) ? borderAllowance : 0; }
    ZafRegionRect AreaInPixels() const;
    // Turns a percentage into the pixels of the bar's place now.
    void FixProportional();
    void MoveObjects();
    void DrawDragBar(int offset);
    // Whether the drag must stop now, and why.
    DragEnd DragInterrupted() const;
    // One mouse movement of the drag: the offset the bar is given.
    int DragOffset(LPARAM point, int pressPoint) const;

    bool live = true;
    bool proportional = false;
    int position = 0;
    int thickness = 3;
    ZafRegionRect area;
    Orientation orientation = oneAbove;
    // Weak: an object deleted by its window is simply skipped.
    ZafTracker trailing;
    ZafTracker leading;
    ZafNumberID trailingID = 0;
    ZafNumberID leadingID = 0;
    bool tracking = false;
    bool captureLost = false;
    DragEnd lastDragEnd = dragNone;
};
