// ZafGeometryManager: the support object (number id ZAF_NUMID_GEOMETRY, -9)
// that places a window's objects by constraints when the window is laid out,
// and its constraints: ZafAttachment (one side of an object kept at a
// distance from a side of the parent's client area or of a sibling) and
// ZafDimensionConstraint (an object's width or height kept between a
// minimum and a maximum).
//
// Layout: the window sends ZAF_REGION_CHANGED to its geometry manager, which
// binds its constraints to their objects, and then ZAF_APPLY_GEOMETRY to
// every object; an object that gets ZAF_APPLY_GEOMETRY asks its parent's
// geometry manager for its region (ApplyConstraints) and moves its Windows
// window there. For one object the attachments apply first, in the order they
// were added, then the dimension constraints. The work is done in pixels of
// the parent's client area (its Windows client rectangle when it has one,
// else its region's size), and the result is stored back in the object's own
// coordinate type. A sibling that an object is attached to should come
// before it in the window, so that it has its place when the object takes
// its own.
//
// Objects are referred to by number id: a constraint keeps a pointer to its
// object while the object is in the manager's window and the number id
// otherwise (after reading, after the object left the window, in a copy).
// A pointer is only used after the object is found, by identity, among the
// window's support objects and children, so a constraint never touches an
// object that left the window. Give the objects distinct non-zero number ids.
//
// Ownership: a window owns its geometry manager (a support object); the
// manager owns its constraints and deletes them; constraints never own the
// objects they refer to.
//
// Persistence: the manager is stored as a window object (its record, see
// ZafWindowObject.h) and, below it, one level for each constraint, named
// after the constraint's string id (AddConstraint gives an unnamed
// constraint the first free name "constraint<n>", n from 1). Records,
// integers least significant byte first:
//   ZafConstraint (every constraint starts so):
//     u16  number id of the constrained object (StoreReferenceId)
//   ZafAttachment, after it:
//     u16  side (0 left, 1 top, 2 right, 3 bottom)
//     u16  flags: 0x0001 opposite side of the reference, 0x0002 stretch
//     i32  offset
//     u16  coordinate type of the offset
//     u16  number id of the reference object; 0 for the parent's client area
//   ZafDimensionConstraint, after it:
//     u16  dimension (0 width, 1 height)
//     i32  minimum (0: none)
//     i32  maximum (0: none)
//     u16  coordinate type of minimum and maximum
// A record cut short, a value out of these ranges, or a negative minimum or
// maximum sets error Read (16). Two constraints with one name cannot both be written: the second sets
// error Write (17).
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/core/ZafWindowObject.h"

class ZafWindow;
class ZafWindowPersistence;

// The base of the constraints; its class id is 0 (no class of its own).
class ZafConstraint : public ZafElement
{
public:
    static constexpr ZafClassID classID = 0;
    static constexpr const char *className = "ZafConstraint";

    // A constraint on the object (null: none yet).
    explicit ZafConstraint(ZafWindowObject *object = nullptr);
    // Copies the stored ids; the copy has no object pointer and binds by id.
    ZafConstraint(const ZafConstraint &copy);
    // Persistent constructor: reads the constraint record of that name.
    ZafConstraint(const char *name, ZafWindowPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    virtual ZafConstraint *Duplicate() const = 0;
    virtual void Write(ZafWindowPersistence &persistence);

    // Sets the object and stores its number id.
    ZafWindowObject *SetObject(ZafWindowObject *newObject);
    // The object pointer as last bound (may be stale: see Bind).
    ZafWindowObject *Object() const { return object; }
    ZafNumberID ObjectID() const { return objectID; }
    // When the constraint has its object, copies the object's number id into
    // the stored id; then writes the stored id as a u16 to the persistence's
    // current file.
    void StoreReferenceId(ZafWindowPersistence &persistence);

    // Finds the objects inside the window (its support objects and children,
    // one level): a pointer still among them is kept, else the object with
    // the stored id, else none. Answers the constrained object or null.
    virtual ZafWindowObject *Bind(ZafWindow &window);
    // Drops the pointers, keeping the ids (the manager left its window).
    virtual void Unbind();
    // 0 for constraints that place an object, 1 for those that size it after.
    virtual int Stage() const = 0;
    // Changes the object's rectangle (pixels of the client area `area`).
    virtual void Apply(ZafRegionRect &rect, const ZafRegionRect &area) const = 0;

    int Error() const { return error; }
    int SetError(int code) { return error = code; }

protected:
    // Finds an object of the window by identity, else by number id (0: none).
    static ZafWindowObject *FindInWindow(ZafWindow &window, ZafWindowObject *pointer, ZafNumberID id);

    ZafWindowObject *object = nullptr;
    ZafNumberID objectID = 0;
    int error = 0;
};

// Sides of an attachment.
constexpr int ZAF_ATTACH_LEFT = 0;
constexpr int ZAF_ATTACH_TOP = 1;
constexpr int ZAF_ATTACH_RIGHT = 2;
constexpr int ZAF_ATTACH_BOTTOM = 3;

// Keeps one side of its object at `offset` from a side of a reference.
// Without a reference object the reference is the parent's client area and
// the offset runs inward from its same side (left side: area left + offset;
// right side: area right - offset). With a reference object the side lines
// up with the same side of the reference (offset inward likewise) or, with
// `opposite`, lies offset pixels beyond the reference's opposite side (left
// side: reference right + 1 + offset; right side: reference left - 1 -
// offset). With `stretch` only that side moves (the object grows or
// shrinks); otherwise the whole object moves and keeps its size.
class ZafAttachment : public ZafConstraint
{
public:
    static constexpr ZafClassID classID = 1020;
    static constexpr const char *className = "ZafAttachment";

    ZafAttachment(ZafWindowObject *object, int side, int offset, ZafCoordinateType offsetType = ZAF_PIXEL,
                  ZafWindowObject *reference = nullptr, bool opposite = false, bool stretch = false);
    ZafAttachment(const ZafAttachment &copy);
    ZafAttachment(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafConstraint *Duplicate() const override { return new ZafAttachment(*this); }

    ZafWindowObject *Bind(ZafWindow &window) override;
    void Unbind() override;
    int Stage() const override { return 0; }
    void Apply(ZafRegionRect &rect, const ZafRegionRect &area) const override;

    int Side() const { return side; }
    int Offset() const { return offset; }
    ZafCoordinateType OffsetType() const { return offsetType; }
    ZafWindowObject *Reference() const { return reference; }
    ZafNumberID ReferenceID() const { return referenceID; }
    bool Opposite() const { return opposite; }
    bool Stretch() const { return stretch; }

    enum Flag : std::uint16_t { flagOpposite = 0x0001, flagStretch = 0x0002 };
    // Bytes of the attachment's own fields.
    static constexpr int recordSize = 12;

private:
    int side = ZAF_ATTACH_LEFT;
    int offset = 0;
    ZafCoordinateType offsetType = ZAF_PIXEL;
    ZafWindowObject *reference = nullptr;
    ZafNumberID referenceID = 0;
    bool opposite = false;
    bool stretch = false;
    // The reference's rectangle as Bind found it (pixels), used by Apply.
    ZafRegionRect referenceRect{0, 0, -1, -1};
    bool hasReferenceRect = false;
};

// Dimensions of a dimension constraint.
constexpr int ZAF_DIMENSION_WIDTH = 0;
constexpr int ZAF_DIMENSION_HEIGHT = 1;

// Keeps its object's width or height between a minimum and a maximum (0:
// no bound); a bound moves the right or bottom side.
class ZafDimensionConstraint : public ZafConstraint
{
public:
    static constexpr ZafClassID classID = 1021;
    static constexpr const char *className = "ZafDimensionConstraint";

    ZafDimensionConstraint(ZafWindowObject *object, int dimension, int minimum, int maximum,
                           ZafCoordinateType type = ZAF_PIXEL);
    ZafDimensionConstraint(const ZafDimensionConstraint &copy) = default;
    ZafDimensionConstraint(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafConstraint *Duplicate() const override { return new ZafDimensionConstraint(*this); }

    int Stage() const override { return 1; }
    void Apply(ZafRegionRect &rect, const ZafRegionRect &area) const override;

    int Dimension() const { return dimension; }
    int Minimum() const { return minimum; }
    int Maximum() const { return maximum; }
    ZafCoordinateType ValueType() const { return valueType; }
    // Bytes of the constraint's own fields.
    static constexpr int recordSize = 12;

private:
    int dimension = ZAF_DIMENSION_WIDTH;
    int minimum = 0;
    int maximum = 0;
    ZafCoordinateType valueType = ZAF_PIXEL;
};

class ZafGeometryManager : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 2003;
    static constexpr const char *className = "ZafGeometryManager";

    // A windowless support object with number id ZAF_NUMID_GEOMETRY.
    ZafGeometryManager();
    // Duplicates the constraints (they bind to the copy's objects by id).
    ZafGeometryManager(const ZafGeometryManager &copy);
    ~ZafGeometryManager() override;
    ZafGeometryManager(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafGeometryManager(*this); }

    // ZAF_REGION_CHANGED and ZAF_RESOLVE_REFERENCES bind the constraints to
    // the window's objects; the rest goes to ZafWindowObject::Event.
    ZafEventType Event(const ZafEventRecord &event) override;

    // Takes ownership; names an unnamed constraint (see above). Returns it,
    // or null for null.
    ZafConstraint *AddConstraint(ZafConstraint *constraint);
    // Hands the constraint back to the caller, who deletes it.
    ZafConstraint *SubtractConstraint(ZafConstraint *constraint);
    const ZafList &Constraints() const { return constraints; }
    // Sets the object's region from the constraints on it; false (region
    // unchanged) when the manager is in no window or none applies.
    bool ApplyConstraints(ZafWindowObject *target);
    // The parent's client area in pixels, from (0, 0).
    ZafRegionRect ClientArea() const;

    // Always a support object without a Windows window of its own.
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }
    bool SetOwnWindow(bool flag) override;

private:
    void BindAll();
    ZafList constraints;
};
