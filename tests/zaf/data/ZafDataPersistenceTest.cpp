// Persistence contexts: the walk through the level stack, directories of
// windows, children and data objects, suffixes, the bounded stacks, and the
// constructor, function and object tables.
#include "zaf/data/ZafDataPersistence.h"

#include <gtest/gtest.h>

#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

namespace {

// A writeable storage with the program's object persistence over it.
class PersistenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0u, storage.Error());
        ZafPaletteData::InstallWindowLink();
    }
    std::string Cwd()
    {
        char buffer[ZafMaxPath];
        storage.GetCWD(buffer, sizeof buffer);
        return buffer;
    }
    // A window with a field, a window with a field of its own, and a field.
    static void AddChildren(ZafWindow &window)
    {
        window.AddObject(new TestField("first", 10));
        auto *inner = new ZafWindow(0, 0, 10, 3);
        inner->SetStringID("inner");
        inner->AddObject(new TestField("deep", 30));
        window.AddObject(inner);
        window.AddObject(new TestField("second", 20));
    }
    TempDirectory dir;
    ZafStorage storage{dir.File("p.znc").c_str(), ZafStorage::CreateTree};
    std::unique_ptr<ZafObjectPersistence> persistence = MakePersistence(storage);
};

// The walk through the level stack ends where it began; children written one
// level each stand side by side in the window's directory; reading skips the
// window's data entries (its palette and user-function entries).
TEST_F(PersistenceTest, WindowWithChildrenWalksItsDirectoriesAndRoundTrips)
{
    ZafWindow window(0, 0, 20, 5);
    window.SetStringID("DIALOG");
    window.SetUserFunction(ChoiceHandler);
    window.SetFont(2);
    window.PaletteData()->SetStringID("PALETTE");
    AddChildren(window);
    storage.MkDir("~elsewhere");
    storage.ChDir("~elsewhere");
    window.Write(*persistence);
    ASSERT_EQ(0u, persistence->Error());
    EXPECT_EQ("~elsewhere", Cwd()) << "the walk returns to where it began";
    for (const char *path :
         {"~ZafWindow~DIALOG~objectData", "~ZafWindow~DIALOG~first~objectData", "~ZafWindow~DIALOG~inner~deep",
          "~ZafWindow~DIALOG~second", "~ZafWindow~DIALOG~userFunction", "~ZafWindow~DIALOG~PALETTE"})
        EXPECT_NE(nullptr, storage.ResolvePath(path)) << path;
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow~DIALOG~first~second"));
    EXPECT_STREQ("ZafWindow", storage.ResolvePath("~ZafWindow~DIALOG")->StringID());
    EXPECT_EQ(ZafWindow::classID, storage.ResolvePath("~ZafWindow~DIALOG")->NumberID());
    EXPECT_STREQ("TestField", storage.ResolvePath("~ZafWindow~DIALOG~first")->StringID());

    ZafWindow read("DIALOG", *persistence);
    EXPECT_EQ(0, read.Error());
    EXPECT_EQ("~elsewhere", Cwd());
    EXPECT_EQ(0, persistence->LevelIndex());
    EXPECT_EQ(nullptr, persistence->File()) << "no file stays open between reads";
    EXPECT_EQ(ChoiceHandler, read.UserFunction());
    ASSERT_NE(nullptr, read.PaletteData());
    EXPECT_EQ(3, read.Count()) << "the data entries are no children";
    EXPECT_EQ(30, static_cast<TestField *>(read.FindObjectByStringID("inner~deep"))->value);

    // Written again, the window starts from an empty directory.
    ZafWindow smaller(0, 0, 20, 5);
    smaller.SetStringID("DIALOG");
    smaller.AddObject(new TestField("C", 3));
    smaller.Write(*persistence);
    ZafWindow again("DIALOG", *persistence);
    EXPECT_EQ(1, again.Count());
    EXPECT_STREQ("C", again.FirstChild()->StringID());
}

// A directory of the child's name but of another class gives way when
// written; read as the other class it is not found. A data object is found
// only under its class (class id 0 matches any).
TEST_F(PersistenceTest, EntriesAreFoundOnlyUnderTheirClass)
{
    storage.MkDir("~ZafWindow");
    storage.MkDir("~ZafWindow~W", "ZafWindow", ZafWindow::classID);
    storage.MkDir("~ZafWindow~W~A", "Stranger", 77);
    storage.MkDir("~ZafWindow~W~A~leftover");
    storage.ChDir("~ZafWindow~W");
    TestField field("A", 5);
    persistence->WriteChildObject(field);
    EXPECT_EQ(0u, persistence->Error());
    ZafDirectoryElement *a = storage.ResolvePath("~ZafWindow~W~A");
    ASSERT_NE(nullptr, a);
    EXPECT_STREQ("TestField", a->StringID());
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow~W~A~leftover"));
    EXPECT_EQ("~ZafWindow~W", Cwd());
    persistence->PushLevel("Stranger", 77, ZafDataPersistence::childEntry);
    EXPECT_EQ(ZafError::Open, persistence->OpenLevelFile("A", ZafFileMode::Read));
    persistence->PopLevel();
    EXPECT_EQ("~ZafWindow~W", Cwd());

    storage.ChDir("~");
    persistence->SetError(0);
    TestNote note("hello");
    note.SetStringID("caption");
    EXPECT_EQ(0u, note.Write(*persistence));
    EXPECT_EQ(TestNote::New, persistence->GetDataConstructor(TestNote::classID, nullptr))
        << "writing enters the class's constructor";
    ZafDirectoryElement *entry = storage.ResolvePath("caption");
    ASSERT_NE(nullptr, entry);
    EXPECT_STREQ("TestNote", entry->StringID());
    EXPECT_EQ(TestNote::classID, entry->NumberID());
    std::unique_ptr<ZafElement> read(persistence->GetDataConstructor(0, "TestNote")("caption", *persistence));
    EXPECT_STREQ("caption", read->StringID());
    EXPECT_EQ("hello", static_cast<TestNote *>(read.get())->text);
    persistence->PushLevel("OtherData", 9300, ZafDataPersistence::dataEntry);
    EXPECT_EQ(ZafError::Open, persistence->OpenLevelFile("caption", ZafFileMode::Read));
    persistence->PopLevel();
    persistence->PushLevel("TestNote", 0, ZafDataPersistence::dataEntry);
    EXPECT_EQ(0u, persistence->OpenLevelFile("caption", ZafFileMode::Read)) << "class id 0 matches any";
    persistence->PopLevel();
}

TEST_F(PersistenceTest, SuffixesNameTheLevelFilesAndTheirStackIsBounded)
{
    EXPECT_EQ(1, persistence->PushSuffix("de"));
    ZafWindow window(0, 0, 20, 5);
    window.SetStringID("W");
    window.SetHelpContext("Fenster");
    window.Write(*persistence);
    TestNote note("Hallo");
    note.SetStringID("greeting");
    note.Write(*persistence);
    persistence->PopSuffix();
    EXPECT_EQ(nullptr, persistence->Suffix());
    EXPECT_NE(nullptr, storage.ResolvePath("~ZafWindow~W~objectData.de"));
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow~W~objectData"));
    EXPECT_NE(nullptr, storage.ResolvePath("greeting.de"));
    EXPECT_EQ(ZafError::Open, ZafWindow("W", *persistence).Error()) << "without the suffix";
    persistence->SetError(0);
    persistence->PushSuffix("de");
    EXPECT_STREQ("Fenster", ZafWindow("W", *persistence).HelpContext());
    persistence->PopSuffix();

    for (int i = 1; i < ZafDataPersistence::maxSuffixes; i++)
        EXPECT_EQ(i, persistence->PushSuffix(std::to_string(i).c_str()));
    EXPECT_EQ(39, persistence->PushSuffix("over"));
    EXPECT_STREQ("39", persistence->Suffix()) << "not recorded";
    persistence->PopSuffix();
    EXPECT_STREQ("39", persistence->Suffix()) << "the pop matches the refused push";
    persistence->PopSuffix();
    EXPECT_STREQ("38", persistence->Suffix());
}

TEST_F(PersistenceTest, MissingObjectsKeepTheirDefaults)
{
    EXPECT_EQ(ZafError::Open, ZafWindow("NOWHERE", *persistence).Error());
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow")) << "reading makes no class directory";
    storage.MkDir("~ZafWindow");
    EXPECT_EQ(ZafError::Open, ZafWindow("NOWHERE", *persistence).Error());
    EXPECT_NE(nullptr, storage.ResolvePath("~ZafWindow~NOWHERE")) << "an empty object directory stays";
    EXPECT_EQ("~", Cwd());
    TestNote note("nothing", *persistence);
    EXPECT_EQ(ZafError::Open, note.Error());
    EXPECT_STREQ("nothing", note.StringID());

    ZafObjectPersistence noFileSystem;
    EXPECT_EQ(ZafError::Open, TestNote("n", noFileSystem).Error());
    EXPECT_EQ(0, noFileSystem.LevelIndex());
}

// The stack holds 40 levels. Levels beyond it are refused
// with error 14 and every pop still matches its push.
TEST_F(PersistenceTest, LevelsBeyondTheStackAreRefused)
{
    ZafWindow top(0, 0, 20, 5);
    top.SetStringID("TOP");
    ZafWindow *parent = &top;
    for (int depth = 0; depth < 45; depth++) {
        auto *child = new ZafWindow(0, 0, 20, 5);
        child->SetStringID(("L" + std::to_string(depth)).c_str());
        parent->AddObject(child);
        parent = child;
    }
    top.Write(*persistence);
    EXPECT_EQ(ZafError::Open, persistence->Error());
    EXPECT_EQ(0, persistence->LevelIndex());
    EXPECT_EQ("~", Cwd());
    persistence->SetError(0);
    ZafWindow small(0, 0, 20, 5);
    small.SetStringID("SMALL");
    AddChildren(small);
    small.Write(*persistence);
    EXPECT_EQ(0u, persistence->Error()) << "the stack is usable again";
    EXPECT_EQ(3, ZafWindow("SMALL", *persistence).Count());
}

TEST(ZafPersistenceTables, AddKeepsTheFirstLookupsAreExactAndSetReplacesAWholeTable)
{
    ZafObjectPersistence persistence;
    EXPECT_TRUE(persistence.AddUserFunction("Run", ChoiceHandler));
    EXPECT_FALSE(persistence.AddUserFunction("Run", nullptr));
    EXPECT_EQ(ChoiceHandler, persistence.GetUserFunction("Run"));
    EXPECT_EQ(nullptr, persistence.GetUserFunction("run"));
    EXPECT_STREQ("Run", persistence.GetUserFunctionName(ChoiceHandler));
    EXPECT_TRUE(persistence.RemoveUserFunction("Run"));
    EXPECT_FALSE(persistence.RemoveUserFunction("Run"));
    int object = 0;
    persistence.AddUserObject("counter", &object);
    EXPECT_STREQ("counter", persistence.GetUserObjectName(&object));

    const ZafReadFunction windowNew = ZafObjectNew<TestField::New>;
    persistence.AddObjectConstructor("TestWindow", 9100, windowNew);
    persistence.AddObjectConstructor("ByNameOnly", 0, TestNote::New);
    persistence.AddDataConstructor("TestNote", 9200, TestNote::New);
    EXPECT_EQ(windowNew, persistence.GetObjectConstructor(9100, nullptr));
    EXPECT_EQ(windowNew, persistence.GetObjectConstructor(0, "TestWindow"));
    EXPECT_EQ(TestNote::New, persistence.GetObjectConstructor(0, "ByNameOnly"));
    EXPECT_EQ(nullptr, persistence.GetObjectConstructor(0, nullptr)) << "id 0 is found by name only";
    EXPECT_EQ(TestNote::New, persistence.GetNewByClassID(9200)) << "data table after the object table";
    EXPECT_TRUE(persistence.RemoveObjectConstructor(0, "TestWindow"));
    EXPECT_EQ(nullptr, persistence.GetObjectConstructor(9100, nullptr));

    const ZafNamedEntry<ZafUserFunction> first[] = {{"a", ChoiceHandler}, {"b", ChoiceHandler}, {nullptr, nullptr}};
    const ZafNamedEntry<ZafUserFunction> second[] = {{"c", ChoiceHandler}, {nullptr, nullptr}};
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
    } levels[] = {{"ZafButton", 0, 2, "ZafButton"},
                  {"NoSuchClass", 0, 0, "NoSuchClass"},
                  {nullptr, 3105, 3105, "ZafStringData"},
                  {nullptr, 1007, 1007, "ZafWindow"}};
    for (const auto &level : levels) {
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
    const ZafReadFunction fieldNew = ZafObjectNew<TestField::New>;
    EXPECT_FALSE(ZafPersistenceRegistry::RegisterNew("NotListed", fieldNew));
    EXPECT_TRUE(ZafPersistenceRegistry::RegisterNew("ZafButtonX", fieldNew));
    EXPECT_TRUE(ZafPersistenceRegistry::RegisterUserFunction("EvTest", ChoiceHandler));
    EXPECT_FALSE(ZafPersistenceRegistry::RegisterUserFunction("EvTest", nullptr));
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(nullptr));
    EXPECT_EQ(fieldNew, persistence->GetObjectConstructor(3500, nullptr));
    EXPECT_EQ(fieldNew, persistence->GetNewByClassID(3500));
    EXPECT_EQ(ChoiceHandler, persistence->GetUserFunction("EvTest"));
    EXPECT_EQ(nullptr, persistence->GetNewByClassID(2)) << "listed, not yet entered";
    for (ZafClassID id : {ZafWindow::classID, ZafDialogWindow::classID, ZafMDIWindow::classID})
        EXPECT_NE(nullptr, persistence->GetNewByClassID(id)) << "the core's windows come with their New: " << id;
    ZafPersistenceRegistry::RegisterNew("ZafButtonX", nullptr);
}

} // namespace
