#include "zaf/data/ZafDataPersistence.h"

#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "TestObjects.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

// A writeable storage with an object persistence over it.
class PersistenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0u, storage.Error());
        AddTestTables(persistence);
    }
    std::string Cwd()
    {
        char buffer[ZafMaxPath];
        storage.GetCWD(buffer, sizeof buffer);
        return buffer;
    }
    TempDirectory dir;
    ZafStorage storage{dir.File("p.znc").c_str(), ZafStorage::CreateTree};
    ZafObjectPersistence persistence{&storage};
};

// The walk through the level stack ends where it began; two children written
// one level each stand side by side in the window's directory; reading skips
// the window's data entries ("PALETTE", "userFunction").
TEST_F(PersistenceTest, WindowWithChildrenWalksItsDirectoriesAndRoundTrips)
{
    TestWindow window("DIALOG", "Options");
    window.note = new TestNote("palette text");
    window.note->SetStringID("PALETTE");
    window.userFunctionName = "TestUserFunction";
    window.children.Add(new TestControl("first", 10, "one"));
    TestWindow *inner = new TestWindow("inner", "Inner");
    inner->children.Add(new TestControl("deep", 30, "three"));
    window.children.Add(inner);
    window.children.Add(new TestControl("second", 20, "two"));
    storage.MkDir("~elsewhere");
    storage.ChDir("~elsewhere");
    window.Write(persistence);
    ASSERT_EQ(0u, persistence.Error());
    EXPECT_EQ("~elsewhere", Cwd()) << "the walk returns to where it began";
    EXPECT_EQ("~TestWindow~DIALOG", window.directory);
    EXPECT_EQ("~TestWindow~DIALOG~first", static_cast<TestObject *>(window.children.First())->directory);
    for (const char *path : {"~TestWindow~DIALOG~first~objectData", "~TestWindow~DIALOG~inner",
                             "~TestWindow~DIALOG~second", "~TestWindow~DIALOG~inner~deep",
                             "~TestWindow~DIALOG~userFunction", "~TestWindow~DIALOG~PALETTE"})
        EXPECT_NE(nullptr, storage.ResolvePath(path)) << path;
    EXPECT_EQ(nullptr, storage.ResolvePath("~TestWindow~DIALOG~first~second"));
    ZafDirectoryElement *main = storage.ResolvePath("~TestWindow~DIALOG");
    EXPECT_STREQ("TestWindow", main->StringID());
    EXPECT_EQ(TestWindow::classID, main->NumberID());
    EXPECT_STREQ("TestControl", storage.ResolvePath("~TestWindow~DIALOG~first")->StringID());
    ZafFile *function = storage.Open("~TestWindow~DIALOG~userFunction", ZafFileMode::Read);
    ASSERT_NE(nullptr, function);
    EXPECT_EQ("TestUserFunction", ReadText(function));
    storage.Close(function);
    EXPECT_EQ(ZafObjectPersistence::userFunctionEntryID,
              storage.ResolvePath("~TestWindow~DIALOG~userFunction")->NumberID());

    TestWindow read("DIALOG", persistence);
    EXPECT_EQ(0u, read.error);
    EXPECT_EQ("~elsewhere", Cwd());
    EXPECT_EQ(0, persistence.LevelIndex());
    EXPECT_EQ(nullptr, persistence.File()) << "no file stays open between reads";
    EXPECT_EQ("Options", read.title);
    EXPECT_EQ("DIALOG(TestWindow){first(TestControl),inner(TestWindow){deep(TestControl)},second(TestControl)}",
              Describe(&read));
    ASSERT_NE(nullptr, read.note);
    EXPECT_EQ("palette text", read.note->text);
    EXPECT_EQ("TestUserFunction", read.userFunctionName);
    auto *first = static_cast<TestControl *>(read.children.First());
    EXPECT_EQ("~TestWindow~DIALOG~first", first->directory);
    EXPECT_EQ(10, first->value);
    EXPECT_EQ("one", first->text);
    EXPECT_EQ(20, static_cast<TestControl *>(read.children.Last())->value);

    // Written again, the window starts from an empty directory.
    window.children.Destroy();
    window.children.Add(new TestControl("C", 3, ""));
    window.Write(persistence);
    TestWindow again("DIALOG", persistence);
    EXPECT_EQ("DIALOG(TestWindow){C(TestControl)}", Describe(&again));
}

// A directory of the child's name but of another class gives way when
// written; read as the other class it is not found.
TEST_F(PersistenceTest, ChildDirectoryOfAnotherClassIsReplaced)
{
    storage.MkDir("~TestWindow");
    storage.MkDir("~TestWindow~W", "TestWindow", TestWindow::classID);
    storage.MkDir("~TestWindow~W~A", "Stranger", 77);
    storage.MkDir("~TestWindow~W~A~leftover");
    storage.ChDir("~TestWindow~W");
    TestControl control("A", 5, "a");
    persistence.PushLevel(TestControl::className, TestControl::classID, ZafDataPersistence::childEntry);
    control.Write(persistence);
    persistence.PopLevel();
    EXPECT_EQ(0u, persistence.Error());
    ZafDirectoryElement *a = storage.ResolvePath("~TestWindow~W~A");
    ASSERT_NE(nullptr, a);
    EXPECT_STREQ("TestControl", a->StringID());
    EXPECT_EQ(nullptr, storage.ResolvePath("~TestWindow~W~A~leftover"));
    EXPECT_EQ("~TestWindow~W", Cwd());

    persistence.PushLevel("Stranger", 77, ZafDataPersistence::childEntry);
    TestObject stranger("A", persistence);
    persistence.PopLevel();
    EXPECT_EQ(ZafFileError::Open, stranger.error);
    EXPECT_EQ("~TestWindow~W", Cwd());
}

TEST_F(PersistenceTest, DataObjectIsFoundOnlyUnderItsClass)
{
    TestNote note("hello");
    note.SetStringID("caption");
    EXPECT_EQ(0u, note.Write(persistence));
    EXPECT_EQ(TestNote::New, persistence.GetDataConstructor(TestNote::classID, nullptr))
        << "writing enters the class's constructor";
    ZafDirectoryElement *entry = storage.ResolvePath("caption");
    ASSERT_NE(nullptr, entry);
    EXPECT_STREQ("TestNote", entry->StringID());
    EXPECT_EQ(TestNote::classID, entry->NumberID());
    std::unique_ptr<ZafElement> read(persistence.GetDataConstructor(0, "TestNote")("caption", persistence));
    EXPECT_STREQ("caption", read->StringID());
    EXPECT_EQ("hello", static_cast<TestNote *>(read.get())->text);

    persistence.PushLevel("OtherData", 9300, ZafDataPersistence::dataEntry);
    EXPECT_EQ(ZafFileError::Open, persistence.OpenLevelFile("caption", ZafFileMode::Read));
    persistence.PopLevel();
    persistence.PushLevel("TestNote", 0, ZafDataPersistence::dataEntry);
    EXPECT_EQ(0u, persistence.OpenLevelFile("caption", ZafFileMode::Read)) << "class id 0 matches any";
    persistence.PopLevel();
}

TEST_F(PersistenceTest, SuffixesNameTheLevelFilesAndTheirStackIsBounded)
{
    EXPECT_EQ(1, persistence.PushSuffix("de"));
    TestWindow window("W", "Fenster");
    window.Write(persistence);
    TestNote note("Hallo");
    note.SetStringID("greeting");
    note.Write(persistence);
    persistence.PopSuffix();
    EXPECT_EQ(nullptr, persistence.Suffix());
    EXPECT_NE(nullptr, storage.ResolvePath("~TestWindow~W~objectData.de"));
    EXPECT_EQ(nullptr, storage.ResolvePath("~TestWindow~W~objectData"));
    EXPECT_NE(nullptr, storage.ResolvePath("greeting.de"));
    EXPECT_EQ(ZafFileError::Open, TestWindow("W", persistence).error) << "without the suffix";
    persistence.PushSuffix("de");
    EXPECT_EQ("Fenster", TestWindow("W", persistence).title);
    persistence.PopSuffix();

    for (int i = 1; i < ZafDataPersistence::maxSuffixes; i++)
        EXPECT_EQ(i, persistence.PushSuffix(std::to_string(i).c_str()));
    EXPECT_EQ(39, persistence.PushSuffix("over"));
    EXPECT_STREQ("39", persistence.Suffix()) << "not recorded";
    persistence.PopSuffix();
    EXPECT_STREQ("39", persistence.Suffix()) << "the pop matches the refused push";
    persistence.PopSuffix();
    EXPECT_STREQ("38", persistence.Suffix());
}

TEST_F(PersistenceTest, MissingObjectsKeepTheirDefaults)
{
    TestWindow missing("NOWHERE", persistence);
    EXPECT_EQ(ZafFileError::Open, missing.error);
    EXPECT_EQ("", missing.title);
    EXPECT_EQ(nullptr, storage.ResolvePath("~TestWindow")) << "reading makes no class directory";
    storage.MkDir("~TestWindow");
    EXPECT_EQ(ZafFileError::Open, TestWindow("NOWHERE", persistence).error);
    EXPECT_NE(nullptr, storage.ResolvePath("~TestWindow~NOWHERE")) << "an empty object directory stays";
    EXPECT_EQ("~", Cwd());
    TestNote note("nothing", persistence);
    EXPECT_EQ(ZafFileError::Open, note.Error());
    EXPECT_STREQ("nothing", note.StringID());

    ZafObjectPersistence noFileSystem;
    AddTestTables(noFileSystem);
    EXPECT_EQ(ZafFileError::Open, TestWindow("W", noFileSystem).error);
    EXPECT_EQ(ZafFileError::Open, TestNote("n", noFileSystem).Error());
    EXPECT_EQ(0, noFileSystem.LevelIndex());
}

// Mended: the 40-level stack was unguarded. Levels beyond it are refused
// with error 14 and every pop still matches its push.
TEST_F(PersistenceTest, LevelsBeyondTheStackAreRefused)
{
    TestWindow top("TOP", "t");
    TestWindow *parent = &top;
    for (int depth = 0; depth < 45; depth++)
    {
        TestWindow *child = new TestWindow(("L" + std::to_string(depth)).c_str(), "x");
        parent->children.Add(child);
        parent = child;
    }
    top.Write(persistence);
    EXPECT_EQ(ZafFileError::Open, persistence.Error());
    EXPECT_EQ(0, persistence.LevelIndex());
    EXPECT_EQ("~", Cwd());
    persistence.SetError(0);
    TestWindow small("SMALL", "fine");
    small.Write(persistence);
    EXPECT_EQ(0u, persistence.Error()) << "the stack is usable again";
    EXPECT_EQ("fine", TestWindow("SMALL", persistence).title);
}

TEST(ZafPersistenceTables, AddKeepsTheFirstLookupsAreExactAndSetReplacesAWholeTable)
{
    ZafObjectPersistence persistence;
    EXPECT_TRUE(persistence.AddUserFunction("Run", TestUserFunction));
    EXPECT_FALSE(persistence.AddUserFunction("Run", nullptr));
    EXPECT_EQ(TestUserFunction, persistence.GetUserFunction("Run"));
    EXPECT_EQ(nullptr, persistence.GetUserFunction("run"));
    EXPECT_STREQ("Run", persistence.GetUserFunctionName(TestUserFunction));
    EXPECT_TRUE(persistence.RemoveUserFunction("Run"));
    EXPECT_FALSE(persistence.RemoveUserFunction("Run"));
    int object = 0;
    persistence.AddUserObject("counter", &object);
    EXPECT_STREQ("counter", persistence.GetUserObjectName(&object));

    persistence.AddObjectConstructor("TestWindow", 9100, TestWindow::New);
    persistence.AddObjectConstructor("ByNameOnly", 0, TestControl::New);
    persistence.AddDataConstructor("TestNote", 9200, TestNote::New);
    EXPECT_EQ(TestWindow::New, persistence.GetObjectConstructor(9100, nullptr));
    EXPECT_EQ(TestWindow::New, persistence.GetObjectConstructor(0, "TestWindow"));
    EXPECT_EQ(TestControl::New, persistence.GetObjectConstructor(0, "ByNameOnly"));
    EXPECT_EQ(nullptr, persistence.GetObjectConstructor(0, nullptr)) << "id 0 is found by name only";
    EXPECT_EQ(TestNote::New, persistence.GetNewByClassID(9200)) << "data table after the object table";
    EXPECT_TRUE(persistence.RemoveObjectConstructor(0, "TestWindow"));
    EXPECT_EQ(nullptr, persistence.GetObjectConstructor(9100, nullptr));

    const ZafNamedEntry<ZafUserFunction> first[] = {{"a", TestUserFunction}, {"b", TestUserFunction}, {nullptr, nullptr}};
    const ZafNamedEntry<ZafUserFunction> second[] = {{"c", TestUserFunction}, {nullptr, nullptr}};
    ZafObjectPersistence tabled(nullptr, nullptr, nullptr, first);
    EXPECT_NE(nullptr, tabled.GetUserFunction("b"));
    tabled.SetUserFunctions(second);
    EXPECT_EQ(nullptr, tabled.GetUserFunction("a"));
    EXPECT_NE(nullptr, tabled.GetUserFunction("c"));
}

TEST(ZafPersistenceTables, CurrentClassComesFromTheProgramTables)
{
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(nullptr));
    const struct
    {
        const char *className;
        ZafClassID classID;
        ZafClassID expectedID;
        const char *expectedName;
    } levels[] = {{"ZafButton", 0, 2, "ZafButton"}, {"NoSuchClass", 0, 0, "NoSuchClass"},
                  {nullptr, 3105, 3105, "ZafStringData"}, {nullptr, 1007, 1007, "ZafWindow"}};
    for (const auto &level : levels)
    {
        persistence->PushLevel(level.className, level.classID, ZafDataPersistence::childEntry);
        EXPECT_EQ(level.expectedID, persistence->CurrentClassID()) << level.expectedName;
        EXPECT_STREQ(level.expectedName, persistence->CurrentClassName());
        persistence->PopLevel();
    }
    ZafDataPersistence dataOnly(nullptr, ZafPersistenceRegistry::DataConstructors());
    dataOnly.PushLevel("ZafButton", 0, ZafDataPersistence::childEntry);
    EXPECT_EQ(0, dataOnly.CurrentClassID()) << "a data persistence knows no window classes";
    dataOnly.PopLevel();
}

TEST(ZafPersistenceRegistry, ClassesEnterTheirNewOneByOne)
{
    EXPECT_FALSE(ZafPersistenceRegistry::RegisterNew("NotListed", TestControl::New));
    EXPECT_TRUE(ZafPersistenceRegistry::RegisterNew("ZafButtonX", TestControl::New));
    EXPECT_TRUE(ZafPersistenceRegistry::RegisterUserFunction("EvTest", TestUserFunction));
    EXPECT_FALSE(ZafPersistenceRegistry::RegisterUserFunction("EvTest", nullptr));
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(nullptr));
    EXPECT_EQ(TestControl::New, persistence->GetObjectConstructor(3500, nullptr));
    EXPECT_EQ(TestControl::New, persistence->GetNewByClassID(3500));
    EXPECT_EQ(TestUserFunction, persistence->GetUserFunction("EvTest"));
    EXPECT_EQ(nullptr, persistence->GetNewByClassID(2)) << "listed, not yet entered";
    for (ZafClassID id : {1007, 22, 2011}) // ZafWindow, ZafDialogWindow, ZafMDIWindow
        EXPECT_NE(nullptr, persistence->GetNewByClassID(id)) << "the core's windows come with their New: " << id;
    ZafPersistenceRegistry::RegisterNew("ZafButtonX", nullptr);
}

} // namespace
