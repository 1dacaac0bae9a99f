// ZafDataRecord: a data object that holds other data objects in a list and
// finds them by string id or number id, nested records included.
//
// A record owns its children, except that a child another object still
// observes survives the record: handing a child out through a find makes
// the record one of the child's observers (a silent entry), and when the
// record is destroyed a child with any other observer left is unlinked
// instead of deleted.
//
// In the UI data file a record is a bare data object: no child is stored,
// and a record read back is empty.
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/data/ZafData.h"

class ZafDataRecord : public ZafData, public ZafList
{
public:
    static constexpr ZafClassID classID = 3117;
    static constexpr const char *className = "ZafDataRecord";

    ZafDataRecord();
    // A copy starts with an empty list: the children stay with other.
    ZafDataRecord(const ZafDataRecord &other);
    ZafDataRecord(const char *name, ZafDataPersistence &persistence);
    ~ZafDataRecord() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;

    ZafData *Duplicate() override { return new ZafDataRecord(*this); }
    // Error 0; the children stay.
    void Clear() override { SetError(0); }
    ZafReadFunction ReadFunction() override { return New; }
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    // Null adds nothing. Without before the data is appended. No observer
    // entry is made. Returns the data.
    virtual ZafData *Add(ZafData *data, ZafData *before = nullptr);
    // Removes the record's observer entries from the data and unlinks it
    // (not deleted). Returns the data.
    virtual ZafData *Subtract(ZafData *data);

    // This record, or the first child (depth first) that answers; the record
    // then observes that object.
    ZafElement *FindByStringID(const char *name) override;
    ZafElement *FindByNumberID(ZafNumberID id) override;

private:
    // The first child's answer to the find, observed by the record.
    template <class Lookup> ZafElement *FindInChildren(Lookup lookup);
};
