#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafErrorCodes.h"

#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

namespace {

// Edges are worked out in 64 bits: an offset or size read from a file may
// be any 32-bit value, and an edge past the range stops at its end.
std::int32_t ClampEdge(std::int64_t edge)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(edge, INT32_MIN, INT32_MAX));
}

} // namespace

// --- ZafConstraint -------------------------------------------------------------

ZafConstraint::ZafConstraint(ZafWindowObject *newObject)
{
    SetObject(newObject);
}

ZafConstraint::ZafConstraint(const ZafConstraint &copy)
    : ZafElement(copy), objectID(copy.object ? copy.object->NumberID() : copy.objectID)
{}

ZafConstraint::ZafConstraint(const char *name, ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    SetStringID(name);
    if (persistence.OpenLevelFile(name, ZafWindowPersistence::readMode) == 0) {
        std::uint16_t id = 0;
        if (persistence.Read16(id) != 2 && persistence.Error() == 0)
            persistence.SetError(ZafError::Read);
        objectID = id;
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafConstraint::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafWindowPersistence::writeMode) == 0)
        StoreReferenceId(persistence);
    persistence.PopLevel();
}

bool ZafConstraint::IsClassID(ZafClassID id) const
{
    return id == classID || ZafElement::IsClassID(id);
}

bool ZafConstraint::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafElement::IsClassName(name);
}

ZafWindowObject *ZafConstraint::SetObject(ZafWindowObject *newObject)
{
    object = newObject;
    if (object)
        objectID = object->NumberID();
    return object;
}

void ZafConstraint::StoreReferenceId(ZafWindowPersistence &persistence)
{
    if (object)
        objectID = object->NumberID();
    persistence.Write16(static_cast<std::uint16_t>(objectID));
}

ZafWindowObject *ZafConstraint::FindInWindow(ZafWindow &window, ZafWindowObject *pointer, ZafNumberID id)
{
    const ZafList *lists[] = {&window.SupportList(), &window};
    if (pointer)
        for (const ZafList *list : lists)
            for (ZafElement *e = list->First(); e; e = e->Next())
                if (e == pointer)
                    return pointer;
    if (id == 0)
        return nullptr;
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next())
            if (e->NumberID() == id)
                return static_cast<ZafWindowObject *>(e);
    return nullptr;
}

ZafWindowObject *ZafConstraint::Bind(ZafWindow &window)
{
    object = FindInWindow(window, object, objectID);
    if (object)
        objectID = object->NumberID();
    return object;
}

void ZafConstraint::Unbind()
{
    object = nullptr;
}

// --- ZafAttachment ---------------------------------------------------------------

ZafAttachment::ZafAttachment(ZafWindowObject *newObject, int newSide, int newOffset, ZafCoordinateType type,
                             ZafWindowObject *newReference, bool newOpposite, bool newStretch)
    : ZafConstraint(newObject),
      side(newSide >= ZAF_ATTACH_LEFT && newSide <= ZAF_ATTACH_BOTTOM ? newSide : ZAF_ATTACH_LEFT), offset(newOffset),
      offsetType(ZafIsCoordinateType(type) ? type : ZAF_PIXEL), reference(newReference),
      referenceID(newReference ? newReference->NumberID() : 0), opposite(newOpposite), stretch(newStretch)
{}

ZafAttachment::ZafAttachment(const ZafAttachment &copy)
    : ZafConstraint(copy), side(copy.side), offset(copy.offset), offsetType(copy.offsetType),
      referenceID(copy.reference ? copy.reference->NumberID() : copy.referenceID), opposite(copy.opposite),
      stretch(copy.stretch)
{}

ZafAttachment::ZafAttachment(const char *name, ZafWindowPersistence &persistence)
    : ZafConstraint(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    if (persistence.Error() == 0) {
        std::uint16_t newSide = 0, flags = 0, type = 0, id = 0;
        std::int32_t newOffset = 0;
        // The fields in their order (a sum of calls would leave it open).
        int moved = persistence.Read16(newSide);
        moved += persistence.Read16(flags);
        moved += persistence.Read32(newOffset);
        moved += persistence.Read16(type);
        moved += persistence.Read16(id);
        if (persistence.Error() == 0 && (moved != recordSize || newSide > ZAF_ATTACH_BOTTOM ||
                                         (flags & ~(flagOpposite | flagStretch)) != 0 || !ZafIsCoordinateType(type)))
            persistence.SetError(ZafError::Read);
        if (persistence.Error() == 0) {
            side = newSide;
            opposite = flags & flagOpposite;
            stretch = flags & flagStretch;
            offset = newOffset;
            offsetType = type;
            referenceID = id;
        }
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafAttachment::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafAttachment(name, persistence);
}

void ZafAttachment::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafConstraint::Write(persistence);
    if (persistence.Error() == 0) {
        if (reference)
            referenceID = reference->NumberID();
        persistence.Write16(static_cast<std::uint16_t>(side));
        persistence.Write16(static_cast<std::uint16_t>((opposite ? flagOpposite : 0) | (stretch ? flagStretch : 0)));
        persistence.Write32(static_cast<std::int32_t>(offset));
        persistence.Write16(static_cast<std::uint16_t>(offsetType));
        persistence.Write16(static_cast<std::uint16_t>(referenceID));
    }
    persistence.PopLevel();
}

bool ZafAttachment::IsClassID(ZafClassID id) const
{
    return id == classID || ZafConstraint::IsClassID(id);
}

bool ZafAttachment::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafConstraint::IsClassName(name);
}

ZafWindowObject *ZafAttachment::Bind(ZafWindow &window)
{
    hasReferenceRect = false;
    reference = FindInWindow(window, reference, referenceID);
    if (reference) {
        referenceID = reference->NumberID();
        referenceRect = reference->RegionToWindow(reference->Region());
        hasReferenceRect = true;
    }
    return ZafConstraint::Bind(window);
}

void ZafAttachment::Unbind()
{
    reference = nullptr;
    hasReferenceRect = false;
    ZafConstraint::Unbind();
}

void ZafAttachment::Apply(ZafRegionRect &rect, const ZafRegionRect &area) const
{
    // A reference that was named but is not in the window places nothing.
    if (referenceID != 0 && !hasReferenceRect)
        return;
    const ZafDisplay &display = ZafDisplay::ForConversion();
    const bool horizontal = side == ZAF_ATTACH_LEFT || side == ZAF_ATTACH_RIGHT;
    const int distance = horizontal ? display.ConvertXValue(offset, offsetType, ZAF_PIXEL)
                                    : display.ConvertYValue(offset, offsetType, ZAF_PIXEL);
    const ZafRegionRect &r = hasReferenceRect ? referenceRect : area;
    const bool beyond = hasReferenceRect && opposite;
    const std::int64_t d = distance;
    std::int64_t edge = 0;
    switch (side) {
    case ZAF_ATTACH_LEFT:
        edge = beyond ? r.right + 1LL + d : r.left + d;
        break;
    case ZAF_ATTACH_TOP:
        edge = beyond ? r.bottom + 1LL + d : r.top + d;
        break;
    case ZAF_ATTACH_RIGHT:
        edge = beyond ? r.left - 1LL - d : r.right - d;
        break;
    default:
        edge = beyond ? r.top - 1LL - d : r.bottom - d;
        break;
    }
    std::int32_t *sides[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    std::int32_t &moved = *sides[side];
    const std::int64_t delta = edge - moved;
    moved = ClampEdge(edge);
    if (!stretch) {
        // The facing side follows, so that the object keeps its size.
        std::int32_t &other = *sides[(side + 2) % 4];
        other = ClampEdge(other + delta);
    }
}

// --- ZafDimensionConstraint ---------------------------------------------------------

ZafDimensionConstraint::ZafDimensionConstraint(ZafWindowObject *newObject, int newDimension, int newMinimum,
                                               int newMaximum, ZafCoordinateType type)
    : ZafConstraint(newObject),
      dimension(newDimension == ZAF_DIMENSION_HEIGHT ? ZAF_DIMENSION_HEIGHT : ZAF_DIMENSION_WIDTH),
      minimum(newMinimum > 0 ? newMinimum : 0), maximum(newMaximum > 0 ? newMaximum : 0),
      valueType(ZafIsCoordinateType(type) ? type : ZAF_PIXEL)
{}

ZafDimensionConstraint::ZafDimensionConstraint(const char *name, ZafWindowPersistence &persistence)
    : ZafConstraint(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    if (persistence.Error() == 0) {
        std::uint16_t newDimension = 0, type = 0;
        std::int32_t newMinimum = 0, newMaximum = 0;
        int moved = persistence.Read16(newDimension);
        moved += persistence.Read32(newMinimum);
        moved += persistence.Read32(newMaximum);
        moved += persistence.Read16(type);
        if (persistence.Error() == 0 && (moved != recordSize || newDimension > ZAF_DIMENSION_HEIGHT || newMinimum < 0 ||
                                         newMaximum < 0 || !ZafIsCoordinateType(type)))
            persistence.SetError(ZafError::Read);
        if (persistence.Error() == 0) {
            dimension = newDimension;
            minimum = newMinimum;
            maximum = newMaximum;
            valueType = type;
        }
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafDimensionConstraint::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafDimensionConstraint(name, persistence);
}

void ZafDimensionConstraint::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafConstraint::Write(persistence);
    if (persistence.Error() == 0) {
        persistence.Write16(static_cast<std::uint16_t>(dimension));
        persistence.Write32(static_cast<std::int32_t>(minimum));
        persistence.Write32(static_cast<std::int32_t>(maximum));
        persistence.Write16(static_cast<std::uint16_t>(valueType));
    }
    persistence.PopLevel();
}

bool ZafDimensionConstraint::IsClassID(ZafClassID id) const
{
    return id == classID || ZafConstraint::IsClassID(id);
}

bool ZafDimensionConstraint::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafConstraint::IsClassName(name);
}

void ZafDimensionConstraint::Apply(ZafRegionRect &rect, const ZafRegionRect &) const
{
    const ZafDisplay &display = ZafDisplay::ForConversion();
    const bool width = dimension == ZAF_DIMENSION_WIDTH;
    auto pixels = [&](int value) {
        return width ? display.ConvertXValue(value, valueType, ZAF_PIXEL)
                     : display.ConvertYValue(value, valueType, ZAF_PIXEL);
    };
    std::int32_t &start = width ? rect.left : rect.top;
    std::int32_t &end = width ? rect.right : rect.bottom;
    const std::int64_t size = static_cast<std::int64_t>(end) - start + 1;
    if (maximum > 0 && size > pixels(maximum))
        end = ClampEdge(static_cast<std::int64_t>(start) + pixels(maximum) - 1);
    if (minimum > 0 && size < pixels(minimum))
        end = ClampEdge(static_cast<std::int64_t>(start) + pixels(minimum) - 1);
}

// --- ZafGeometryManager ------------------------------------------------------------

ZafGeometryManager::ZafGeometryManager() : ZafWindowObject(0, 0, 0, 0)
{
    numberID = ZAF_NUMID_GEOMETRY;
    SetFlag(flagSupportObject);
    ClearFlag(flagOwnWindow);
}

ZafGeometryManager::ZafGeometryManager(const ZafGeometryManager &copy) : ZafWindowObject(copy)
{
    SetFlag(flagSupportObject);
    ClearFlag(flagOwnWindow);
    for (ZafElement *e = copy.constraints.First(); e; e = e->Next())
        constraints.Add(static_cast<ZafConstraint *>(e)->Duplicate());
}

ZafGeometryManager::~ZafGeometryManager()
{
    constraints.Destroy();
}

namespace {

void AddReadConstraint(ZafElement *element, void *context)
{
    auto *manager = static_cast<ZafGeometryManager *>(context);
    auto *constraint = dynamic_cast<ZafConstraint *>(element);
    if (!constraint) {
        delete element;
        return;
    }
    if (constraint->Error() != 0 && manager->Error() == 0)
        manager->SetError(constraint->Error());
    manager->AddConstraint(constraint);
}

} // namespace

ZafGeometryManager::ZafGeometryManager(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    if (persistence.Error() == 0) {
        persistence.ReadChildObjects(AddReadConstraint, this);
        // A later constraint that reads cleanly resets the context's error
        // word; the first failure must still reach the manager.
        if (Error() != 0 && persistence.Error() == 0)
            persistence.SetError(static_cast<std::uint32_t>(Error()));
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    SetFlag(flagSupportObject);
    ClearFlag(flagOwnWindow);
}

ZafElement *ZafGeometryManager::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafGeometryManager(name, persistence);
}

void ZafGeometryManager::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    // Pointers of objects that left the window must not reach the file.
    BindAll();
    std::set<std::string> names;
    std::uint32_t firstError = persistence.Error();
    for (ZafElement *e = constraints.First(); e && persistence.Error() == 0; e = e->Next()) {
        auto *constraint = static_cast<ZafConstraint *>(e);
        if (!names.insert(constraint->StringID() ? constraint->StringID() : "").second) {
            firstError = firstError ? firstError : ZafError::Write;
            continue;
        }
        persistence.PushLevel(constraint->ClassName(), constraint->ClassID(), ZafWindowPersistence::childEntry);
        constraint->Write(persistence);
        persistence.PopLevel();
        firstError = firstError ? firstError : persistence.Error();
    }
    if (firstError != 0 && persistence.Error() == 0)
        persistence.SetError(firstError);
    persistence.PopLevel();
}

bool ZafGeometryManager::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafGeometryManager::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindowObject::IsClassName(name);
}

bool ZafGeometryManager::SetOwnWindow(bool)
{
    return SetFlagTo(flagOwnWindow, false);
}

ZafEventType ZafGeometryManager::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_REGION_CHANGED:
    case ZAF_RESOLVE_REFERENCES:
        BindAll();
        return event.type;
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafConstraint *ZafGeometryManager::AddConstraint(ZafConstraint *constraint)
{
    if (!constraint)
        return nullptr;
    if (!constraint->StringID() || !*constraint->StringID()) {
        char name[32];
        for (int n = 1;; ++n) {
            std::snprintf(name, sizeof name, "constraint%d", n);
            bool used = false;
            for (ZafElement *e = constraints.First(); e && !used; e = e->Next())
                used = ZafStringCompare(e->StringID(), name) == 0;
            if (!used)
                break;
        }
        constraint->SetStringID(name);
    }
    constraints.Add(constraint);
    return constraint;
}

ZafConstraint *ZafGeometryManager::SubtractConstraint(ZafConstraint *constraint)
{
    return static_cast<ZafConstraint *>(constraints.Subtract(constraint));
}

void ZafGeometryManager::BindAll()
{
    auto *window = dynamic_cast<ZafWindow *>(parent);
    for (ZafElement *e = constraints.First(); e; e = e->Next()) {
        auto *constraint = static_cast<ZafConstraint *>(e);
        if (window)
            constraint->Bind(*window);
        else
            constraint->Unbind();
    }
}

ZafRegionRect ZafGeometryManager::ClientArea() const
{
    auto *window = dynamic_cast<ZafWindow *>(parent);
    if (!window)
        return ZafRegionRect(0, 0, -1, -1);
    RECT client;
    HWND host = window->OwnWindow() ? window->OSHandle(1) : nullptr;
    if (host && GetClientRect(host, &client))
        return ZafRegionRect(0, 0, client.right - 1, client.bottom - 1);
    const ZafRegionRect r = window->RegionToWindow(window->Region());
    return ZafRegionRect(0, 0, r.Width() - 1, r.Height() - 1);
}

bool ZafGeometryManager::ApplyConstraints(ZafWindowObject *target)
{
    auto *window = dynamic_cast<ZafWindow *>(parent);
    if (!window || !target || target == this)
        return false;
    const ZafRegionRect area = ClientArea();
    ZafRegionRect rect = target->RegionToWindow(target->Region());
    bool applied = false;
    for (int stage = 0; stage <= 1; ++stage)
        for (ZafElement *e = constraints.First(); e; e = e->Next()) {
            auto *constraint = static_cast<ZafConstraint *>(e);
            if (constraint->Stage() != stage || constraint->Bind(*window) != target)
                continue;
            constraint->Apply(rect, area);
            applied = true;
        }
    if (applied)
        target->SetRegion(target->RegionFromWindow(rect));
    return applied;
}
