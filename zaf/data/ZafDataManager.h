// ZafDataManager: the record through which the application shares named
// data objects. A data object asked for by name is found in the manager or
// read through the application's data persistence and kept there.
//
// The application makes the manager once at start and stores it in
// zafDataManager; zafDataPersistence is the persistence over "i18n.znc"
// (null when that file did not open). The application owns both.
#pragma once

#include "zaf/data/ZafDataRecord.h"

class ZafDataManager : public ZafDataRecord
{
public:
    static constexpr ZafClassID classID = 3118;
    static constexpr const char *className = "ZafDataManager";

    ZafDataManager() = default;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafData *Duplicate() override { return new ZafDataManager(); }

    // The object of that name held by the manager; else the one read through
    // zafDataPersistence by the data constructor of the class name, which
    // the manager then keeps (and observes). Null when neither gives it: a
    // failed read is deleted and leaves the manager unchanged.
    virtual ZafData *GetData(const char *name, const char *className);

    // Enters the read functions of the data classes that the program's
    // persistence tables list (ZafPersistenceRegistry).
    static void RegisterDataClasses();
    // Adds every data class of this family (string, integer, real, palette,
    // scroll, bitmap, icon, mouse, record) to a persistence's data
    // constructors; bitmaps and icons by name only, as the program lists them.
    static void AddDataConstructors(ZafDataPersistence &persistence);
};

extern ZafDataManager *zafDataManager;
extern ZafDataPersistence *zafDataPersistence;
