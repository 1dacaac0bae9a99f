#include "zaf/data/ZafData.h"

#include <cstdio>
#include <cstring>

#include "zaf/data/ZafFile.h"

// ---------------------------------------------------------------------------
// ZafNotification

ZafNotification::~ZafNotification()
{
    if (destroyedFlag)
        *destroyedFlag = true;
}

const ZafNotification::Observer *ZafNotification::Find(ZafElement *object, ZafNotificationFunction function) const
{
    for (const Observer &observer : observers)
        if (observer.object == object && (!function || observer.function == function))
            return &observer;
    return nullptr;
}

ZafElement *ZafNotification::AddNotification(ZafElement *object, ZafNotificationFunction function, ZafUpdateType mask)
{
    for (const Observer &observer : observers)
        if (observer.object == object && observer.function == function)
            return object;
    observers.push_back(Observer{object, function, mask});
    return object;
}

ZafElement *ZafNotification::SubtractNotification(ZafElement *object, ZafNotificationFunction function)
{
    const Observer *found = Find(object, function);
    if (!found)
        return nullptr;
    const std::size_t index = found - observers.data();
    observers.erase(observers.begin() + index);
    if (observers.empty())
        observers.shrink_to_fit();
    return index < observers.size() ? observers[index].object : nullptr;
}

ZafUpdateType ZafNotification::FindNotificationData(ZafElement *object) const
{
    const Observer *found = Find(object, nullptr);
    return found ? found->mask : 0;
}

ZafUpdateType ZafNotification::SetNotificationData(ZafElement *object, ZafUpdateType mask)
{
    for (Observer &observer : observers)
        if (observer.object == object)
            return observer.mask = mask;
    return 0;
}

ZafUpdateType ZafNotification::SetUpdateType(ZafUpdateType kinds)
{
    return updateType = kinds;
}

int ZafNotification::Notify(ZafElement *object)
{
    if (observers.empty() || (updateType & ~1u) == 0)
        return 1;
    const ZafUpdateType remembered = updateType;
    const ZafUpdateType kinds = remembered & ~1u;
    updateType = 0;
    // Observers may detach, attach or delete this object while they run:
    // walk a copy, call only entries still attached, stop when deleted.
    const std::vector<Observer> snapshot = observers;
    bool destroyed = false;
    bool *outerFlag = destroyedFlag;
    destroyedFlag = &destroyed;
    for (const Observer &entry : snapshot) {
        if (object && entry.object != object)
            continue;
        const Observer *current = Find(entry.object, entry.function);
        if (!current || !current->function || !(current->mask & kinds))
            continue;
        current->function(entry.object, kinds);
        if (destroyed) {
            if (outerFlag)
                *outerFlag = true;
            return 0;
        }
    }
    destroyedFlag = outerFlag;
    updateType = remembered & ~oneShot;
    return 0;
}

// ---------------------------------------------------------------------------
// ZafData

const char *ZafData::MakeDefaultName()
{
    static char buffer[64];
    static int counter = 0;
    std::snprintf(buffer, sizeof buffer, "ZafData%d", counter);
    // Wraps to 0 instead of going negative.
    counter = counter == 0x7FFFFFFF ? 0 : counter + 1;
    return buffer;
}

ZafData::ZafData()
{
    SetStringID(MakeDefaultName());
}

ZafData::ZafData(const ZafData &copy) : ZafElement(copy), ZafNotification()
{
    SetStringID(MakeDefaultName());
}

ZafData::ZafData(const char *name, ZafDataPersistence &persistence)
{
    SetStringID(MakeDefaultName());
    SetStringID(name);
    persistence.OpenLevelFile(name, ZafFileMode::Read);
}

bool ZafData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafElement::IsClassID(id);
}

bool ZafData::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafElement::IsClassName(name);
}

std::uint32_t ZafData::Write(ZafDataPersistence &persistence)
{
    persistence.AddDataConstructor(ClassName(), ClassID(), ReadFunction());
    return persistence.OpenLevelFile(StringID(), ZafFileMode::Write);
}

ZafElement *ZafData::FindByStringID(const char *text)
{
    return text && StringID() && std::strcmp(text, StringID()) == 0 ? this : nullptr;
}

ZafElement *ZafData::FindByNumberID(ZafNumberID id)
{
    return id == NumberID() ? this : nullptr;
}

int ZafData::EndUpdate(bool notify)
{
    if (updateCount > 0)
        updateCount--;
    // Notify may end with this object deleted by an observer: nothing after it.
    if (updateCount == 0 && notify) {
        Notify();
        return 0;
    }
    return updateCount;
}
