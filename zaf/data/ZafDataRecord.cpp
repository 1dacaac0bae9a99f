#include "zaf/data/ZafDataRecord.h"

#include "zaf/data/ZafDataClassSupport.h"

namespace {

// Removes every observer entry the record holds in the data object.
void ForgetObserved(ZafData *data, ZafDataRecord *record)
{
    for (int entries = data->NotificationCount(); entries > 0; entries--)
        data->SubtractNotification(record);
}

} // namespace

ZafDataRecord::ZafDataRecord() = default;

ZafDataRecord::ZafDataRecord(const ZafDataRecord &other) : ZafData(other), ZafList()
{
    // The copy starts empty: sharing the other record's list header would
    // make both records delete the same children.
}

ZafDataRecord::ZafDataRecord(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence);
}

ZafDataRecord::~ZafDataRecord()
{
    // A child that somebody else still observes outlives the record.
    ZafElement *element = First();
    while (element) {
        ZafElement *next = element->Next();
        auto *data = static_cast<ZafData *>(element);
        ForgetObserved(data, this);
        if (data->NotificationCount() > 0)
            ZafList::Subtract(data);
        element = next;
    }
}

ZafElement *ZafDataRecord::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafDataRecord(name, persistence);
}

bool ZafDataRecord::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafDataRecord::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafDataRecord::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::dataEntry);
}

ZafData *ZafDataRecord::Add(ZafData *data, ZafData *before)
{
    if (!data)
        return nullptr;
    if (before)
        ZafList::AddBefore(data, before);
    else
        ZafList::Add(data);
    return data;
}

ZafData *ZafDataRecord::Subtract(ZafData *data)
{
    if (!data)
        return nullptr;
    ForgetObserved(data, this);
    ZafList::Subtract(data);
    return data;
}

template <class Lookup> ZafElement *ZafDataRecord::FindInChildren(Lookup lookup)
{
    for (ZafElement *element = First(); element; element = element->Next()) {
        ZafElement *found = lookup(element);
        if (!found)
            continue;
        if (auto *data = dynamic_cast<ZafData *>(found))
            data->AddNotification(this, nullptr, 3);
        return found;
    }
    return nullptr;
}

ZafElement *ZafDataRecord::FindByStringID(const char *name)
{
    if (ZafData::FindByStringID(name))
        return this;
    return FindInChildren([name](ZafElement *child) { return child->FindByStringID(name); });
}

ZafElement *ZafDataRecord::FindByNumberID(ZafNumberID id)
{
    if (ZafData::FindByNumberID(id))
        return this;
    return FindInChildren([id](ZafElement *child) { return child->FindByNumberID(id); });
}
