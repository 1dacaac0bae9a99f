// A window's geometry manager and its constraints written into a UI data
// file and read back: the constraints come back with their fields and bind
// to the read objects by number id; bad records end in error words.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

// HOST with two child windows (ids 11 and 12) and a manager holding one
// constraint of each kind.
std::unique_ptr<ZafWindow> MakeHost(ZafWindow *&left, ZafWindow *&right)
{
    auto host = std::make_unique<ZafWindow>(0, 0, 40, 10);
    host->SetStringID("HOST");
    left = new ZafWindow(1, 1, 10, 3);
    left->SetStringID("LEFT");
    left->SetNumberID(11);
    right = new ZafWindow(1, 1, 10, 3);
    right->SetStringID("RIGHT");
    right->SetNumberID(12);
    host->AddObject(left);
    host->AddObject(right);
    auto *manager = new ZafGeometryManager;
    manager->AddConstraint(new ZafAttachment(left, ZAF_ATTACH_TOP, -3, ZAF_MINI_CELL, nullptr, false, true));
    manager->AddConstraint(new ZafAttachment(right, ZAF_ATTACH_LEFT, 70000, ZAF_TWIP, left, true, false));
    manager->AddConstraint(new ZafDimensionConstraint(right, ZAF_DIMENSION_HEIGHT, 2, 90, ZAF_TENTH_MILLIMETRE));
    host->AddObject(manager);
    return host;
}

std::string Describe(const ZafGeometryManager &manager)
{
    std::string text;
    for (ZafElement *e = manager.Constraints().First(); e; e = e->Next()) {
        text += std::string(e->ClassName()) + " " + e->StringID() + " on " +
                std::to_string(static_cast<ZafConstraint *>(e)->ObjectID());
        if (auto *a = dynamic_cast<ZafAttachment *>(e))
            text += " side" + std::to_string(a->Side()) + " offset" + std::to_string(a->Offset()) + "/" +
                    std::to_string(a->OffsetType()) + " ref" + std::to_string(a->ReferenceID()) +
                    (a->Opposite() ? " opposite" : "") + (a->Stretch() ? " stretch" : "");
        if (auto *d = dynamic_cast<ZafDimensionConstraint *>(e))
            text += " dim" + std::to_string(d->Dimension()) + " " + std::to_string(d->Minimum()) + ".." +
                    std::to_string(d->Maximum()) + "/" + std::to_string(d->ValueType());
        text += ";";
    }
    return text;
}

class ZafGeometryPersistenceTest : public ::testing::Test
{
protected:
    // Replaces the record of a constraint by the 16-bit words given.
    void Replace(const std::string &name, const char *constraint, std::initializer_list<int> words)
    {
        ZafStorage storage(name.c_str(), ZafStorage::Writeable);
        const std::string path = std::string("~ZafWindow~HOST~ZafGeometryManager~") + constraint + "~objectData";
        ZafFile *file = storage.Open(path.c_str(), ZafFileMode::Write);
        ASSERT_NE(nullptr, file);
        for (int word : words)
            file->Write16(static_cast<std::uint16_t>(word));
        storage.Close(file);
        ASSERT_EQ(0u, storage.Save());
    }

    TempDirectory dir;
};

} // namespace

TEST_F(ZafGeometryPersistenceTest, ConstraintsReadBackEqualAndBindByNumberID)
{
    ZafWindow *left = nullptr, *right = nullptr;
    auto host = MakeHost(left, right);
    const std::string first = dir.File("geometry.znc"), second = dir.File("again.znc");
    SaveObject(*host, first);

    auto read = LoadObject<ZafWindow>(first, "HOST");
    ASSERT_EQ(0, read->Error());
    auto *readManager = dynamic_cast<ZafGeometryManager *>(read->FindSupportObject(ZAF_NUMID_GEOMETRY));
    ASSERT_NE(nullptr, readManager);
    EXPECT_EQ(0, readManager->Error());
    EXPECT_TRUE(readManager->SupportObject());
    EXPECT_FALSE(readManager->OwnWindow());
    EXPECT_EQ(Describe(*static_cast<ZafGeometryManager *>(host->FindSupportObject(ZAF_NUMID_GEOMETRY))),
              Describe(*readManager));
    SaveObject(*read, second);
    EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(second));

    // Laid out, the constraints find the read children by their ids.
    read->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    auto *attachment = static_cast<ZafAttachment *>(readManager->Constraints().First()->Next());
    EXPECT_EQ(read->FindObjectByStringID("RIGHT"), attachment->Object());
    EXPECT_EQ(read->FindObjectByStringID("LEFT"), attachment->Reference());
}

TEST_F(ZafGeometryPersistenceTest, StoreReferenceIdWritesTheObjectsCurrentNumberID)
{
    ZafWindow *left = nullptr, *right = nullptr;
    auto host = MakeHost(left, right);
    // The objects are renumbered after the constraints were made.
    left->SetNumberID(21);
    right->SetNumberID(22);
    // A constraint that has no object writes the id it holds.
    auto *manager = static_cast<ZafGeometryManager *>(host->FindSupportObject(ZAF_NUMID_GEOMETRY));
    auto *byID = new ZafAttachment(nullptr, ZAF_ATTACH_BOTTOM, 1);
    manager->AddConstraint(byID);
    const std::string name = dir.File("renumbered.znc");
    SaveObject(*host, name);

    // Object id, side, flags, offset (32 bits), offset type, reference id.
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    const std::string stored = ObjectBytes(storage, "~ZafWindow~HOST~ZafGeometryManager~constraint2~objectData");
    const std::string expected = {22,
                                  0,
                                  static_cast<char>(ZAF_ATTACH_LEFT),
                                  0,
                                  static_cast<char>(ZafAttachment::flagOpposite),
                                  0,
                                  static_cast<char>(70000 & 0xFF),
                                  static_cast<char>(70000 >> 8 & 0xFF),
                                  1,
                                  0,
                                  static_cast<char>(ZAF_TWIP),
                                  0,
                                  21,
                                  0};
    EXPECT_EQ(expected, stored.substr(0, expected.size()));

    auto read = LoadObject<ZafWindow>(name, "HOST");
    auto *readManager = dynamic_cast<ZafGeometryManager *>(read->FindSupportObject(ZAF_NUMID_GEOMETRY));
    ASSERT_NE(nullptr, readManager);
    auto *last = static_cast<ZafConstraint *>(readManager->Constraints().Last());
    EXPECT_STREQ("constraint4", last->StringID());
    EXPECT_EQ(0, last->ObjectID());
}

TEST_F(ZafGeometryPersistenceTest, BadConstraintRecordsReachTheWindowAsError16)
{
    ZafWindow *left = nullptr, *right = nullptr;
    auto host = MakeHost(left, right);
    const std::string name = dir.File("bad.znc");
    SaveObject(*host, name);
    struct Case
    {
        const char *entry;
        std::uint16_t first; // the word after the object id
        std::uint16_t second;
    };
    // A side of 4, unknown attachment flags, a dimension of 2.
    const Case cases[] = {{"constraint1", 4, 0}, {"constraint1", 0, 4}, {"constraint3", 2, 0}};
    for (const Case &c : cases) {
        Replace(name, c.entry, {11, c.first, c.second, 0, 0, 0, 0});
        EXPECT_EQ(static_cast<int>(ZafError::Read), LoadObject<ZafWindow>(name, "HOST")->Error())
            << c.entry << " " << c.first << " " << c.second;
        SaveObject(*host, name);
    }
    Replace(name, "constraint2", {12}); // a record cut short
    EXPECT_EQ(static_cast<int>(ZafError::Read), LoadObject<ZafWindow>(name, "HOST")->Error());
}

TEST_F(ZafGeometryPersistenceTest, TwoConstraintsOfOneNameAreRefused)
{
    ZafWindow *left = nullptr, *right = nullptr;
    auto host = MakeHost(left, right);
    auto *manager = static_cast<ZafGeometryManager *>(host->FindSupportObject(ZAF_NUMID_GEOMETRY));
    auto *twin = new ZafAttachment(left, ZAF_ATTACH_LEFT, 0);
    twin->SetStringID("constraint1");
    manager->AddConstraint(twin);
    StoredObjects file(dir.File("twins.znc"), ZafStorage::CreateTree);
    host->Write(*file.persistence);
    EXPECT_EQ(ZafError::Write, file.persistence->Error());
}
