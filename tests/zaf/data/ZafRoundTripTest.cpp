// Objects written through persistence into a new storage, saved, read back
// from the saved file and written again into a second storage give the same
// file, byte for byte.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestObjects.h"
#include "zaf/data/ZafStorage.h"

namespace {

// Every object entry of a storage as (path, bytes), in tree order.
void CollectObjects(ZafStorage &storage, ZafDirectoryElement *entry, const std::string &path,
                    std::vector<std::pair<std::string, std::string>> &out)
{
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling())
    {
        const std::string childPath = path + "~" + child->Name();
        if (child->IsDirectory())
        {
            CollectObjects(storage, child, childPath, out);
            continue;
        }
        ZafFile *file = storage.Open(childPath.c_str(), ZafFileMode::Read);
        ASSERT_NE(nullptr, file) << childPath;
        std::string bytes(file->Length(), '\0');
        file->ReadBytes(&bytes[0], file->Length());
        EXPECT_EQ(0u, file->Error());
        storage.Close(file);
        out.emplace_back(childPath, bytes);
    }
}

TEST(ZafRoundTrip, WriteSaveReadWriteAgainGivesTheSameBytes)
{
    TempDirectory dir;
    const std::string firstName = dir.File("first.znc");
    const std::string secondName = dir.File("second.znc");
    {
        ZafStorage storage(firstName.c_str(), ZafStorage::CreateTree);
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        TestScene scene = MakeTestScene();
        WriteTestScene(scene, persistence);
        ASSERT_EQ(0u, persistence.Error());
        ASSERT_EQ(0u, storage.Save());
    }

    TestScene read;
    std::vector<std::pair<std::string, std::string>> firstObjects;
    {
        ZafStorage storage(firstName.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, storage.Error());
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        read = ReadTestScene(persistence);
        for (auto &window : read.windows)
            EXPECT_EQ(0u, window->error) << window->StringID();
        for (auto &note : read.notes)
            EXPECT_EQ(0u, note->Error()) << note->StringID();
        CollectObjects(storage, storage.Root(), "", firstObjects);
    }
    EXPECT_EQ("MAINWINDOW(TestWindow){OK(TestControl),GROUP(TestWindow){CHECK(TestControl),EMPTY(TestControl)},"
              "CANCEL(TestControl)}",
              Describe(read.windows[0].get()));
    EXPECT_EQ("About \xE9", read.windows[1]->title);
    EXPECT_EQ(1, read.windows[0]->NumberID());
    EXPECT_EQ("window palette", read.windows[0]->note->text);
    EXPECT_EQ("text of farewell", read.notes[1]->text);
    EXPECT_EQ(std::string(300, 'c'), static_cast<TestControl *>(read.windows[0]->children.Last())->text);
    EXPECT_EQ(11u, firstObjects.size());

    {
        ZafStorage storage(secondName.c_str(), ZafStorage::CreateTree);
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        WriteTestScene(read, persistence);
        ASSERT_EQ(0u, persistence.Error());
        ASSERT_EQ(0u, storage.Save());
        std::vector<std::pair<std::string, std::string>> secondObjects;
        CollectObjects(storage, storage.Root(), "", secondObjects);
        EXPECT_EQ(firstObjects, secondObjects) << "every object by path";
    }
    const std::vector<unsigned char> first = ReadWholeFile(firstName);
    EXPECT_GT(first.size(), 600u);
    EXPECT_EQ(first, ReadWholeFile(secondName));
}

} // namespace
