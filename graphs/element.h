// element: the base of the graph elements, the retained drawing primitives
// of a graph window (GRAPHWIN). An element keeps its place in the window's
// logical space of 10000 x 10000 units (logical rectangle), caches its place
// in device pixels (device rectangle, recomputed while the stale flag is
// set), draws itself into the window's current device context and can be
// moved and resized.
//
// pal_element adds the draw style (not owned) of the shape elements.
// GROBJ_LIST is the list of a window's or a group's elements.
//
// Identity: each element built into a window gets an identity text (kind,
// name, built text and the occurrence of that key in the build), which
// stays with it when the user edits it; a rebuild puts an edited element
// back in place of the rebuilt element of the same identity, whatever order
// the builder adds its elements in.
//
// Ownership: a window deletes its elements, a group its children. The owner
// window and the parent group are not owned.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class DrawStyle;
class GRAPHWIN;
class GROUPELEMENT;

// Left, top, right, bottom (edges inclusive) and a coordinate unit.
struct ElementRect
{
    std::int32_t left = 0, top = 0, right = 0, bottom = 0, unit = 0;
    std::int32_t Width() const { return right - left + 1; }
    std::int32_t Height() const { return bottom - top + 1; }
    bool AllZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

// How far a drawn rectangle (right and bottom exclusive) must move to lie
// inside the view (edges inclusive); where it is larger than the view its
// left and top edges are kept inside.
POINT ShiftIntoView(const RECT &r, const ElementRect &view);

// Whether a drawn rectangle overlaps any of the others.
bool OverlapsAny(const RECT &r, const std::vector<RECT> &others);

class element
{
public:
    // What an element is.
    enum ElementKind : std::uint16_t {
        kindGroup = 1,     // GROUPELEMENT (and SKALA)
        kindText = 2,      // TEKSTELEMENT
        kindMapLegend = 3, // the map's legend
        kindMapRegion = 4, // a region of a map
        kindBox = 5,       // BOXELEMENT
        kindLine = 6,      // LINEELEMENT
        kindPolygon = 7,   // POLYGONELEMENT
        kindPie = 8,       // PIEELEMENT
        kindScatter = 9,   // scatter points
        kindBarCode = 10,  // BARCODEELEMENT
    };
    // The flag word's bits.
    enum Flag : std::uint16_t {
        flagStale = 0x01,        // device rectangle to be recomputed
        flagDeviceText = 0x02,   // made in device coordinates (not read when drawing)
        flagVisible = 0x04,      // drawn and selectable
        flagMovedByGroup = 0x08, // set on a child while its group moves it
        flagPlaced = 0x10,       // a text its graph placed from its measure: the window's fitting passes leave it
        flagLeftOut = 0x20,      // a text that found no room at this draw's size: not drawn
    };

    explicit element(ElementKind kind);
    element(const element &) = delete;
    element &operator=(const element &) = delete;
    virtual ~element();

    virtual ElementKind Kind() const { return kind; }
    // Notification after the user moved or resized the element.
    virtual void Changed() {}
    virtual void Draw() {}
    // Adds (dx, dy) pixels to the device rectangle.
    virtual void Move(int dx, int dy);
    void MoveTo(int x, int y) { Move(x - device.left, y - device.top); }
    // New device right and bottom from the reference size scaled by fx, fy.
    virtual void SetEnd(double fx, double fy);
    virtual void SetSize(int w, int h);

    // Replaces the name by a copy (null keeps it); the name, or "".
    const char *SetName(const char *newName);
    const char *Name() const { return name ? name : ""; }
    // The owner window, for a group its children too.
    virtual void Attach(GRAPHWIN *window) { owner = window; }
    GRAPHWIN *Owner() const { return owner; }
    GROUPELEMENT *Parent() const { return parent; }

    bool HasFlag(Flag bit) const { return (flags & bit) != 0; }
    void SetFlag(Flag bit) { flags |= bit; }
    void ClearFlag(Flag bit) { flags &= static_cast<std::uint16_t>(~bit); }
    bool Visible() const { return HasFlag(flagVisible); }

    // The identity key that the builder gives (empty: kind, name and text);
    // the window completes it with its occurrence when the element is added.
    void SetIdentity(const std::string &key) { identity = key; }
    const std::string &Identity() const { return identity; }
    // The part of the identity that comes from the element's content.
    virtual std::string ContentKey() const;

    int penWidth = 1;
    ElementKind kind;
    char *name = nullptr;
    std::uint16_t flags = flagVisible | flagMovedByGroup;
    GRAPHWIN *owner = nullptr;
    GROUPELEMENT *parent = nullptr;
    ElementRect reference;
    ElementRect device{-1, -1, -1, -1, 0};
    ElementRect logical;
    ElementRect drag;
    std::int32_t sequence = -1;

protected:
    // Applies the output device's scale and origin to a device point.
    void Scale(int &x, int &y) const;
    POINT Scaled(int x, int y) const;
    // Recomputes a stale device rectangle (GRAPHWIN::ElementToDevice).
    void FreshenDevice();

    std::string identity;
};

// An element with a draw style (not owned): the base of the shapes. The
// outline is drawn with a solid pen of the pen width in the style's line
// colour and the inside with the style's brush.
class pal_element : public element
{
public:
    pal_element(ElementKind kind, int left, int top, int right, int bottom, DrawStyle *style);
    DrawStyle *Style() const { return style; }
    void SetStyle(DrawStyle *newStyle) { style = newStyle; }

protected:
    // Selects the outline pen and the fill brush into the context for one
    // draw; the destructor puts the previous ones back and deletes the pen.
    class Tools
    {
    public:
        Tools(HDC dc, const pal_element &shape);
        ~Tools();
        Tools(const Tools &) = delete;
        Tools &operator=(const Tools &) = delete;

    private:
        HDC dc;
        HPEN pen;
        HGDIOBJ oldPen, oldBrush;
    };
    HDC DrawDC() const;

    DrawStyle *style;
};

// The elements of a window or a group, in drawing order, with the sequence
// counter that numbers them as they are appended. Owns no element.
class GROBJ_LIST
{
public:
    explicit GROBJ_LIST(GRAPHWIN *owner = nullptr) : owner(owner) {}

    // Stores in the element its sequence number (the given one, or the
    // counter when negative), then counts on.
    void Append(element *item, int sequenceNumber = -1);
    // Takes the element out; false when it is not in the list.
    bool Remove(element *item);
    bool Contains(const element *item) const;
    element *Last() const { return items.empty() ? nullptr : items.back(); }
    int Count() const { return static_cast<int>(items.size()); }
    element *At(int index) const { return items[static_cast<std::size_t>(index)]; }
    void ResetCounter() { counter = 0; }
    std::uint32_t Counter() const { return counter; }
    GRAPHWIN *Owner() const { return owner; }
    std::vector<element *>::const_iterator begin() const { return items.begin(); }
    std::vector<element *>::const_iterator end() const { return items.end(); }

private:
    std::vector<element *> items;
    std::uint32_t counter = 0;
    GRAPHWIN *owner;
};
