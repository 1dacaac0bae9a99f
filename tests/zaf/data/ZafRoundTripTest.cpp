// One object of every data class written through persistence into a new
// storage, saved, read back from the saved file and written again into a
// second storage gives the same objects, byte for byte. (Windows make the
// same round trip in ZafWindowPersistenceTest.)
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DataTestSupport.h"

namespace {

using Objects = std::vector<std::pair<std::string, std::string>>;

// Every object entry of a storage as (path, bytes), in tree order.
void CollectObjects(ZafStorage &storage, ZafDirectoryElement *entry, const std::string &path, Objects &out)
{
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling()) {
        const std::string childPath = path + "~" + child->Name();
        if (child->IsDirectory())
            CollectObjects(storage, child, childPath, out);
        else
            out.emplace_back(childPath, ObjectBytes(storage, childPath.c_str()));
    }
}

Objects Collect(const std::string &name)
{
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    Objects objects;
    CollectObjects(storage, storage.Root(), "", objects);
    return objects;
}

TEST(ZafRoundTrip, EveryDataClassReadsBackAndWritesTheSameBytes)
{
    TempDirectory dir;
    const std::string firstName = dir.File("first.znc"), secondName = dir.File("second.znc");
    ASSERT_EQ(0u, WriteEveryDataObject(firstName));
    {
        ZafStorage storage(firstName.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        AddEveryDataConstructor(persistence);
        ZafStorage second(secondName.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence writer(&second);
        for (const StoredObject &object : storedObjects) {
            std::unique_ptr<ZafElement> read(
                persistence.GetDataConstructor(0, object.className)(object.name, persistence));
            auto *data = dynamic_cast<ZafData *>(read.get());
            ASSERT_NE(nullptr, data) << object.name;
            EXPECT_EQ(0u, data->Error()) << object.name;
            EXPECT_STREQ(object.className, data->ClassName());
            EXPECT_EQ(0u, data->Write(writer)) << object.name;
        }
        ASSERT_EQ(0u, second.Save());
    }
    // The stored form of every class, byte for byte: a field that the
    // writer and the reader both misplace would still read back the same.
    auto hex = [](const char *digits) {
        std::string bytes;
        for (; digits[0] && digits[1]; digits += 2)
            bytes += static_cast<char>(std::stoi(std::string(digits, 2), nullptr, 16));
        return bytes;
    };
    const Objects stored = {
        {"~title", hex("FFFF1400537572766579206F6620686F757365686F6C6473")}, // no maximum, 20 characters
        {"~limited", hex("0C000300616263")},                                 // maximum 12, "abc"
        {"~count", hex("D6FFFFFF")},                                         // -42
        {"~ratio", hex("0500302E313235")},                                   // the text "0.125"
        // three entries and the end entry, 11 bytes each; no OS colours
        {"~colours", hex("0400000008002000FFFFFE05FEFE0202000100FFFFFE05FEFE0202000000FFFFFE05FEFE02000000"
                         "00FFFFFEFEFEFEFF")},
        {"~range", hex("1E00000000000000640000000A00000001000000")}, // current, minimum, maximum, page, step
        {"~ZafBitmapData~logo~objectData", hex("0600000004000000"
                                               "0102030405060708090A0B0C0D0E0F101112131415161718")},
        {"~ZafIconData~app~objectData", hex("0400000004000000"
                                            "0102030405060708090A0B0C0D0E0F10")},
        // a cursor's hot spot follows its size
        {"~ZafMouseData~hand~objectData", hex("0300000003000000"
                                              "0100000002000000"
                                              "010203040506070809")},
        {"~group", ""},
        // day number, milliseconds, base year, zone
        {"~stamp", hex("18152300FF5B26056C07FBFF")},
        {"~alarm", hex("00000000400E65019E070000")}};
    EXPECT_EQ(stored, Collect(firstName));
    EXPECT_EQ(stored, Collect(secondName));

    ZafStorage storage(firstName.c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    EXPECT_STREQ("Survey of households", ZafStringData("title", persistence).Text());
    EXPECT_EQ(12, ZafStringData("limited", persistence).MaxLength());
    EXPECT_EQ(0.125, ZafRealData("ratio", persistence).Value());
    EXPECT_EQ(2, ZafMouseData("hand", persistence).hotSpotY);
    ZafBitmapData logo("logo", persistence);
    EXPECT_EQ(24, logo.array[23]);
    EXPECT_FALSE(logo.staticArray) << "read pixels are owned";
    EXPECT_EQ(-5, ZafUTimeData("stamp", persistence).Zone());
}

// Records cut short are read errors of their class.
TEST(ZafRoundTrip, RecordsCutShortAreReadErrors)
{
    const struct
    {
        const char *name, *className;
        ZafClassID classID;
        std::vector<unsigned char> bytes;
    } cases[] = {{"count", ZafIntegerData::className, ZafIntegerData::classID, {1, 2}},
                 {"range", ZafScrollData::className, ZafScrollData::classID, LittleEndian({1, 2, 3})},
                 {"title", ZafStringData::className, ZafStringData::classID, {0xFF, 0xFF, 40, 0, 'a'}},
                 {"ratio", ZafRealData::className, ZafRealData::classID, {9, 0, '1'}}};
    TempDirectory dir;
    const std::string name = dir.File("cut.znc");
    ASSERT_EQ(0u, WriteEveryDataObject(name));
    for (const auto &c : cases) {
        {
            ZafStorage storage(name.c_str(), ZafStorage::Writeable);
            ZafFile *file =
                storage.Open((std::string("~") + c.name).c_str(), ZafFileMode::Create, c.className, c.classID);
            ASSERT_NE(nullptr, file);
            file->WriteBytes(c.bytes.data(), static_cast<int>(c.bytes.size()));
            storage.Close(file);
            ASSERT_EQ(0u, storage.Save());
        }
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        ZafDataManager::AddDataConstructors(persistence);
        std::unique_ptr<ZafElement> read(persistence.GetDataConstructor(0, c.className)(c.name, persistence));
        EXPECT_EQ(ZafError::Read, static_cast<ZafData *>(read.get())->Error()) << c.name;
    }
}

} // namespace
