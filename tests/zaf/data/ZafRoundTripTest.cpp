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

// The objects of the round trip: two windows (one with nested children, a
// data object and a user-function entry) and two data objects at the root.
struct Scene
{
    std::vector<std::unique_ptr<TestWindow>> windows;
    std::vector<std::unique_ptr<TestNote>> notes;
};

Scene MakeScene()
{
    Scene scene;
    auto main = std::make_unique<TestWindow>("MAINWINDOW", "Mervalo");
    main->SetNumberID(1);
    main->userFunctionName = "TestUserFunction";
    main->note = new TestNote("window palette");
    main->note->SetStringID("PALETTE");
    main->children.Add(new TestControl("OK", 1, "&OK"));
    auto *group = new TestWindow("GROUP", "Options");
    group->children.Add(new TestControl("CHECK", -7, "Check me"));
    group->children.Add(new TestControl("EMPTY", 0, ""));
    main->children.Add(group);
    main->children.Add(new TestControl("CANCEL", 2, std::string(300, 'c')));
    scene.windows.push_back(std::move(main));
    scene.windows.push_back(std::make_unique<TestWindow>("ABOUT", "About \xE9"));
    for (const char *name : {"greeting", "farewell"})
    {
        auto note = std::make_unique<TestNote>(std::string("text of ") + name);
        note->SetStringID(name);
        scene.notes.push_back(std::move(note));
    }
    return scene;
}

void WriteScene(Scene &scene, ZafObjectPersistence &persistence)
{
    for (auto &window : scene.windows)
        window->Write(persistence);
    for (auto &note : scene.notes)
        note->Write(persistence);
}

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
        Scene scene = MakeScene();
        WriteScene(scene, persistence);
        ASSERT_EQ(0u, persistence.Error());
        ASSERT_EQ(0u, storage.Save());
    }

    Scene read;
    std::vector<std::pair<std::string, std::string>> firstObjects;
    {
        ZafStorage storage(firstName.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, storage.Error());
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        for (const char *name : {"MAINWINDOW", "ABOUT"})
        {
            read.windows.push_back(std::make_unique<TestWindow>(name, persistence));
            EXPECT_EQ(0u, read.windows.back()->error) << name;
        }
        for (const char *name : {"greeting", "farewell"})
        {
            read.notes.push_back(std::make_unique<TestNote>(name, persistence));
            EXPECT_EQ(0u, read.notes.back()->Error()) << name;
        }
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
        WriteScene(read, persistence);
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
