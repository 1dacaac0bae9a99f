// Data records and the data manager: finding (nested), observing what was
// handed out, destruction with shared children, duplicates, and loading by
// name through the data persistence.
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataRecord.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <gtest/gtest.h>

#include <cstring>

#include "DataTestSupport.h"

namespace {

// An integer data that counts its deletions.
int deletions = 0;

class Tracked : public ZafIntegerData
{
public:
    explicit Tracked(const char *name) { SetStringID(name); }
    ~Tracked() override { deletions++; }
};

TEST(DataRecord, FindsNestedDepthFirstAndObservesWhatItHandsOut)
{
    ZafDataRecord record;
    auto *a = new Tracked("a");
    auto *b = new Tracked("b");
    auto *c = new Tracked("c");
    EXPECT_EQ(record.Add(nullptr), nullptr);
    record.Add(a);
    record.Add(c);
    record.Add(b, c);
    EXPECT_EQ(record.Get(1), b);
    b->SetNumberID(42);
    EXPECT_EQ(record.FindByStringID("c"), c);
    EXPECT_EQ(record.FindByNumberID(42), b);
    EXPECT_EQ(record.FindByStringID("d"), nullptr);
    EXPECT_EQ(record.FindByStringID(record.StringID()), &record);
    // Handing out an object makes the record one of its holders, once.
    record.FindByStringID("c");
    EXPECT_EQ(c->NotificationCount(), 1);
    EXPECT_EQ(a->NotificationCount(), 0);
    EXPECT_EQ(record.Subtract(c), c);
    EXPECT_EQ(c->NotificationCount(), 0);
    EXPECT_EQ(record.Count(), 2);
    delete c;

    auto *inner = new ZafDataRecord();
    auto *deep = new Tracked("deep");
    inner->Add(deep);
    record.Add(inner);
    record.Add(new Tracked("deep")); // the same name after the nested one
    EXPECT_EQ(record.FindByStringID("deep"), deep);
    EXPECT_EQ(deep->FindNotificationData(&record), 3u);
    EXPECT_EQ(deep->FindNotificationData(inner), 3u);
}

// A duplicate has a list header of its own, so no child is deleted twice.
TEST(DataRecord, DestructionSparesObservedChildrenAndADuplicateStartsEmpty)
{
    deletions = 0;
    auto *record = new ZafDataRecord();
    auto *shared = new Tracked("shared");
    record->Add(shared);
    record->Add(new Tracked("alone"));
    record->Add(new Tracked("handedOut"));
    ZafElement window;
    shared->AddNotification(&window, nullptr, 3);
    record->FindByStringID("handedOut"); // observed by the record only
    std::unique_ptr<ZafData> copy(record->Duplicate());
    ASSERT_NE(dynamic_cast<ZafDataRecord *>(copy.get()), nullptr);
    EXPECT_EQ(static_cast<ZafDataRecord *>(copy.get())->Count(), 0);
    copy.reset();
    EXPECT_EQ(deletions, 0);
    delete record;
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(shared->Next(), nullptr);
    EXPECT_EQ(shared->Previous(), nullptr);
    EXPECT_EQ(shared->NotificationCount(), 1);
    shared->SubtractNotification(&window);
    delete shared;
}

TEST(DataManager, LoadsByNameThroughTheDataPersistenceAndKeeps)
{
    DataFile file;
    ZafStringData title("Survey", 20);
    ZafIntegerData count(12);
    ASSERT_EQ(file.Write(title, "title"), 0u);
    ASSERT_EQ(file.Write(count, "count"), 0u);

    ZafStorage storage(file.Name().c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafDataManager::AddDataConstructors(persistence);
    GlobalDataPersistence global(&persistence);
    ZafDataManager manager;
    auto *held = new Tracked("held");
    manager.Add(held);
    EXPECT_EQ(manager.GetData("held", "ZafIntegerData"), held) << "what it holds, without reading";

    ZafData *loaded = manager.GetData("title", "ZafStringData");
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(static_cast<ZafStringData *>(loaded)->Text(), "Survey");
    EXPECT_EQ(manager.Count(), 2);
    EXPECT_EQ(loaded->FindNotificationData(&manager), 3u);
    EXPECT_EQ(manager.GetData("title", "ZafStringData"), loaded); // now held
    EXPECT_EQ(manager.Count(), 2);
    EXPECT_EQ(loaded->NotificationCount(), 1);
    ZafData *number = manager.GetData("count", "ZafIntegerData");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(static_cast<ZafIntegerData *>(number)->Value(), 12);

    // Neither held nor readable: null, the manager unchanged. (Objects read
    // with an error are met by the corrupt-input runs.)
    EXPECT_EQ(manager.GetData("absent", "ZafStringData"), nullptr);
    EXPECT_EQ(manager.GetData("title2", "NoSuchClass"), nullptr);
    EXPECT_EQ(manager.Count(), 3);
}

TEST(DataManager, RegistersTheReadFunctionsOfTheDataClasses)
{
    ZafDataManager::RegisterDataClasses();
    auto entryOf = [](const char *className) {
        const ZafConstructorEntry *entry = ZafPersistenceRegistry::DataConstructors();
        while (entry->classID != ZafEndOfTable && !(entry->className && !std::strcmp(entry->className, className)))
            entry++;
        return entry;
    };
    auto newOf = [&](const char *className) { return entryOf(className)->New; };
    EXPECT_EQ(newOf("ZafStringData"), ZafStringData::New);
    EXPECT_EQ(newOf("ZafIntegerData"), ZafIntegerData::New);
    EXPECT_EQ(newOf("ZafPaletteData"), ZafPaletteData::New);
    EXPECT_EQ(newOf("ZafLanguageData"), ZafLanguageData::New);
    EXPECT_EQ(0, entryOf("ZafLanguageData")->classID) << "language data are listed by name only";
    // The registry is process-wide: leave it as other tests expect to find it.
    for (const char *className : {"ZafStringData", "ZafIntegerData", "ZafScrollData", "ZafPaletteData", "ZafBitmapData",
                                  "ZafIconData", "ZafLanguageData"}) {
        EXPECT_NE(newOf(className), nullptr) << className;
        ZafPersistenceRegistry::RegisterNew(className, nullptr);
    }
}

} // namespace
