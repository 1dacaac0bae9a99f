// ZafNotification: a table of observers (object, function, update mask) that
// a value calls back when it changes. ZafData: the base of the data objects
// (strings, numbers, scroll ranges, palettes, images ...) that window
// objects show, share and observe.
//
// Update kinds (bits of a 32-bit word): 2 = the value changed; 4 = a one-shot
// kind, cleared after each notification; 1 is never passed to observers. An
// observer is called when its mask shares a bit with the kinds.
//
// Ownership: a data object is deleted by its owner; deleting it does not tell
// its observers, so an owner detaches them first. An observer that detaches
// from a destroyable data object and leaves no observer behind deletes it.
// Observer functions may detach themselves or others, or delete the data
// object, while they are being called.
//
// Every setter of a data class changes its value inside one update bracket
// (StartUpdate ... EndUpdate(true)); nested brackets notify once, when the
// outermost ends.
#pragma once

#include <cstdint>
#include <vector>

#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafErrorCodes.h"
#include "zaf/data/ZafDataPersistence.h"

using ZafUpdateType = std::uint32_t;

// Called with (observer, update kinds); the result is not used.
using ZafNotificationFunction = int (*)(ZafElement *observer, ZafUpdateType kinds);

class ZafNotification
{
public:
    static constexpr ZafUpdateType valueChanged = 0x02;
    static constexpr ZafUpdateType oneShot = 0x04;

    ZafNotification() = default;
    // A copy starts with no observers and the default update kinds.
    ZafNotification(const ZafNotification &) {}
    ZafNotification &operator=(const ZafNotification &) = delete;
    virtual ~ZafNotification();

    // No second entry for the same object and function (the mask stays).
    // Returns the object.
    ZafElement *AddNotification(ZafElement *object, ZafNotificationFunction function, ZafUpdateType mask);
    // Removes the object's first entry (of that function, when given).
    // Returns the observer that now stands in its place, null when it was
    // the last entry or nothing was found.
    ZafElement *SubtractNotification(ZafElement *object, ZafNotificationFunction function = nullptr);
    int NotificationCount() const { return static_cast<int>(observers.size()); }
    // The mask of the object's entry; 0 when it has none.
    ZafUpdateType FindNotificationData(ZafElement *object) const;
    // Replaces the mask of the object's entry; returns it, 0 when none.
    virtual ZafUpdateType SetNotificationData(ZafElement *object, ZafUpdateType mask);
    virtual ZafUpdateType SetUpdateType(ZafUpdateType kinds);
    ZafUpdateType UpdateType() const { return updateType; }

    // Calls the observers (only the given object's entries when one is
    // given) with the kinds less bit 0, in table order; while they run the
    // kinds are 0, so a change they make does not notify again. Afterwards
    // the one-shot kind is cleared. 0 when observers were called, 1 when
    // there was nothing to do.
    int Notify(ZafElement *object = nullptr);

private:
    struct Observer
    {
        ZafElement *object;
        ZafNotificationFunction function;
        ZafUpdateType mask;
    };
    const Observer *Find(ZafElement *object, ZafNotificationFunction function) const;

    ZafUpdateType updateType = 3;
    std::vector<Observer> observers;
    // Set while Notify runs; the destructor raises it so that Notify stops
    // touching an object that an observer deleted.
    bool *destroyedFlag = nullptr;
};

class ZafData : public ZafElement, public ZafNotification
{
public:
    static constexpr ZafClassID classID = 3100;
    static constexpr const char *className = "ZafData";

    // A new object named by MakeDefaultName.
    ZafData();
    // A copy: same number id, a new default name, no observers, error 0.
    ZafData(const ZafData &copy);
    ZafData &operator=(const ZafData &) = delete;
    // Persistent constructor: named as given, opens the level's object file
    // for reading (OpenLevelFile(name, 1)); it reads nothing itself. Each
    // data class passes persistence.PushLevel(...) here and reads its fields
    // while persistence.Error() is 0.
    ZafData(const char *name, ZafDataPersistence &persistence);
    ~ZafData() override = default;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;

    // Enters the actual class in the persistence's data constructors and
    // opens the level's object file for writing under the string id (mode
    // 6); writes nothing itself. Returns the persistence's error.
    virtual std::uint32_t Write(ZafDataPersistence &persistence);
    virtual ZafData *Duplicate() = 0;
    ZafElement *FindByStringID(const char *text) override;
    ZafElement *FindByNumberID(ZafNumberID id) override;
    virtual void Clear() = 0;
    // The class's New, as the persistence tables hold it.
    virtual ZafReadFunction ReadFunction() = 0;

    int StartUpdate() { return ++updateCount; }
    // Closes a bracket; the outermost one notifies when asked. Returns the
    // remaining nesting count.
    int EndUpdate(bool notify = true);
    int UpdateCount() const { return updateCount; }

    std::uint32_t SetError(std::uint32_t code) { return error = code; }
    std::uint32_t Error() const { return error; }
    bool Destroyable() const { return destroyable; }
    bool SetDestroyable(bool flag) { return destroyable = flag; }

    // "ZafData<n>" from a process-wide counter starting at 0 (back to 0 when
    // it overflows). The text stays valid until the next call.
    static const char *MakeDefaultName();

protected:
    std::uint32_t error = 0;
    int updateCount = 0;
    bool destroyable = true;
};
