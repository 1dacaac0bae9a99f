#include "zaf/data/ZafStorage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "zaf/data/ZafPath.h"
#include "zaf/data/ZafStorageFile.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Builds UI data files byte by byte.
struct RawFile
{
    Bytes bytes;
    void U8(unsigned v) { bytes.push_back(static_cast<unsigned char>(v)); }
    void U16(unsigned v) { U8(v & 0xFF), U8(v >> 8 & 0xFF); }
    void U32(unsigned v) { U16(v & 0xFFFF), U16(v >> 16); }
    void Str(const char *s)
    {
        U16(s ? static_cast<unsigned>(std::strlen(s)) : 0);
        for (; s && *s; s++)
            U8(static_cast<unsigned char>(*s));
    }
    void Header()
    {
        bytes.assign(64, 0);
        U8(5), U8(1), U16(0x05AF), U32(0);
    }
    void SetDirectoryHere() { PutU32(68, static_cast<unsigned>(bytes.size())); }
    void PutU32(std::size_t at, unsigned v)
    {
        for (int i = 0; i < 4; i++)
            bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
    }
    void Entry(const char *name, const char *stringID, unsigned objectID, unsigned position, unsigned size,
               unsigned flags)
    {
        Str(name), Str(stringID), U16(objectID), U32(position), U32(size), U16(flags);
    }
};

// A file with one object "~ZafWindow~MAIN~objectData" holding "hello".
Bytes SmallFile()
{
    RawFile f;
    f.Header();
    const unsigned data = static_cast<unsigned>(f.bytes.size());
    for (char c : std::string("hello"))
        f.U8(static_cast<unsigned char>(c));
    f.SetDirectoryHere();
    f.Entry("~", nullptr, 0, 0, 0, 1);
    f.Entry("ZafWindow", nullptr, 0, 0, 0, 1);
    f.Entry("MAIN", "ZafWindow", 1007, 0, 0, 1);
    f.Entry("objectData", nullptr, 0, data, 5, 0);
    for (int i = 0; i < 4; i++)
        f.Str(nullptr); // ends of MAIN, ZafWindow, ~ and the root
    return f.bytes;
}

void WriteObject(ZafStorage &storage, const char *path, const std::string &text, const char *stringID = nullptr,
                 ZafNumberID objectID = 0)
{
    ZafFile *file = storage.Open(path, ZafFileMode::Write, stringID, objectID);
    ASSERT_NE(nullptr, file);
    file->WriteBytes(text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(0, storage.Close(file));
}

const char *const mainData = "~ZafWindow~MAIN~objectData";

// The name and its added ".znc" must fit in 256 bytes.
TEST(ZafStorageOpen, NamesGetZncAndOverlongNamesAreRefusedNotCut)
{
    ZafStorage plain("dir.d\\name", ZafStorage::Read);
    EXPECT_STREQ("dir.d\\name.znc", plain.FileName());
    EXPECT_STREQ("name.znc", plain.StringID());
    EXPECT_EQ(ZafError::Open, plain.Error());
    EXPECT_STREQ("dir\\name.dat", ZafStorage("dir\\name.dat", ZafStorage::Read).FileName());
    ZafStorage overlong(std::string(260, 'n').c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafError::Open, overlong.Error());
    EXPECT_STREQ("", overlong.FileName());
    ASSERT_NE(nullptr, overlong.Root());
    EXPECT_STREQ("~", overlong.Root()->Name());
    EXPECT_EQ(255u, std::strlen(ZafStorage(std::string(251, 'n').c_str(), ZafStorage::Read).FileName()));
}

TEST(ZafStorageOpen, ReadsHeaderAndTree)
{
    TempDirectory dir;
    Bytes bytes = SmallFile();
    bytes[65] = 7;
    WriteWholeFile(dir.File("ui.znc"), bytes);
    ZafStorage storage(dir.File("ui").c_str(), ZafStorage::Read);
    ASSERT_EQ(0u, storage.Error());
    EXPECT_EQ(0x0507, storage.Version());
    EXPECT_EQ("hello", ObjectBytes(storage, mainData));
    ZafDirectoryElement *main = storage.ResolvePath("~ZafWindow~MAIN");
    ASSERT_NE(nullptr, main);
    EXPECT_STREQ("ZafWindow", main->StringID());
    EXPECT_EQ(1007, main->NumberID());
    EXPECT_TRUE(main->IsDirectory());
    EXPECT_STREQ("", storage.TempFileName()) << "read-only: no temp file";
}

// Read errors of the tree are surfaced. A wrong magic or
// major version is error 18; every cut point gives an error and an empty
// tree. (Data beyond the file is one of the found inputs.)
TEST(ZafStorageOpen, BadHeadersCutFilesAndDataOutsideTheFileAreErrors)
{
    TempDirectory dir;
    const std::string name = dir.File("bad.znc");
    for (int field : {64, 66}) {
        Bytes bytes = SmallFile();
        bytes[field] ^= 0x10;
        WriteWholeFile(name, bytes);
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        EXPECT_EQ(ZafError::Header, storage.Error());
        EXPECT_EQ(0, storage.Root()->ChildCount());
        EXPECT_EQ(nullptr, storage.Open(mainData, ZafFileMode::Read));
    }
    const Bytes whole = SmallFile();
    for (std::size_t cut = 0; cut < whole.size(); cut++) {
        WriteWholeFile(name, Bytes(whole.begin(), whole.begin() + cut));
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        EXPECT_NE(0u, storage.Error()) << cut;
        EXPECT_EQ(0, storage.Root()->ChildCount()) << cut;
    }
}

TEST(ZafStorageOpen, MissingFileWithCreateFlagStartsEmptyWithTheFirstFreeTemporaryFile)
{
    TempDirectory dir;
    {
        ZafStorage storage(dir.File("new").c_str(), ZafStorage::CreateMissing);
        EXPECT_EQ(0u, storage.Error());
        EXPECT_EQ(ZafStorage::CreateMissing | ZafStorage::Writeable, storage.Flags());
        EXPECT_EQ(0x0501, storage.Version());
        EXPECT_FALSE(FileExists(dir.File("new.znc").c_str())) << "made to test, removed again";
        EXPECT_EQ(dir.File("ZTMP0.$$$"), storage.TempFileName());
        EXPECT_EQ(ZafError::Open, ZafStorage(dir.File("new").c_str(), ZafStorage::Read).Error());
        ZafStorage second(dir.File("a").c_str(), ZafStorage::CreateTree);
        EXPECT_EQ(dir.File("ZTMP1.$$$"), second.TempFileName());
        EXPECT_TRUE(FileExists(second.TempFileName()));
    }
    EXPECT_FALSE(FileExists(dir.File("ZTMP0.$$$").c_str())) << "ends with the storage";
    EXPECT_FALSE(FileExists(dir.File("ZTMP1.$$$").c_str()));
}

// A tree made in memory: ~ { A { B { C } }, Apple, Banana (object) }
class ZafStorageTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0u, storage.Error());
        ASSERT_EQ(0, storage.MkDir("~A", "ClassA", 11));
        ASSERT_EQ(0, storage.MkDir("~A~B"));
        ASSERT_EQ(0, storage.MkDir("~A~B~C"));
        ASSERT_EQ(0, storage.MkDir("Apple"));
        WriteObject(storage, "Banana", "yellow", "ZafStringData", 3105);
    }
    TempDirectory dir;
    ZafStorage storage{dir.File("tree").c_str(), ZafStorage::CreateTree};
};

TEST_F(ZafStorageTree, PathsResolveFromRootOrCurrentDirectoryAndGetCWDIsBounded)
{
    ZafDirectoryElement *a = storage.ResolvePath("~A");
    ZafDirectoryElement *b = storage.ResolvePath("~A~B");
    EXPECT_EQ(storage.Root(), storage.ResolvePath("~"));
    EXPECT_EQ(storage.Root(), storage.ResolvePath(""));
    EXPECT_EQ(b, storage.ResolvePath("A~B~"));
    EXPECT_EQ(nullptr, storage.ResolvePath(".."));
    EXPECT_EQ(nullptr, storage.ResolvePath("~A~X"));
    char buffer[ZafMaxPath];
    EXPECT_EQ(0, storage.GetCWD(buffer, sizeof buffer));
    EXPECT_STREQ("~", buffer);
    ASSERT_EQ(0, storage.ChDir("~A~B"));
    EXPECT_EQ(0, storage.GetCWD(buffer, sizeof buffer));
    EXPECT_STREQ("~A~B", buffer);
    EXPECT_EQ(b, storage.ResolvePath(""));
    EXPECT_EQ(b, storage.ResolvePath("C~.."));
    EXPECT_EQ(a, storage.ResolvePath("..~."));
    EXPECT_EQ(storage.ResolvePath("~A~B~C"), storage.ResolvePath("C"));
    EXPECT_EQ(nullptr, storage.ResolvePath(std::string(300, 'C').c_str()));
    char small[4] = "xyz";
    EXPECT_EQ(-1, storage.GetCWD(small, sizeof small));
    EXPECT_STREQ("", small);
}

TEST_F(ZafStorageTree, ChDirChecksStringAndObjectIds)
{
    EXPECT_EQ(0, storage.ChDir("~A", "ClassA", 11));
    EXPECT_EQ(-1, storage.ChDir("~A", "ClassB"));
    EXPECT_EQ(ZafError::IdMismatch, storage.Error());
    EXPECT_EQ(-1, storage.ChDir("~A", nullptr, 12));
    EXPECT_EQ(-1, storage.ChDir("~Apple", "ClassA")) << "an entry without string id never equals one";
    EXPECT_EQ(-1, storage.ChDir("~Nothing"));
    EXPECT_EQ(ZafError::NotFound, storage.Error());
    EXPECT_EQ(storage.ResolvePath("~A"), storage.CurrentDirectory()) << "failures leave the directory";
}

TEST_F(ZafStorageTree, WildcardsMatchWholeNamesInListOrder)
{
    ZafFileInfo info;
    std::vector<std::string> names;
    for (int r = storage.FindFirst(info, "~A*"); r == 0; r = storage.FindNext(info, "~A*"))
        names.push_back(info.name);
    EXPECT_EQ((std::vector<std::string>{"A", "Apple"}), names);
    EXPECT_EQ(0, storage.FindFirst(info, "B?nan?"));
    EXPECT_EQ("Banana ZafStringData 3105 6 0", std::string(info.name) + " " + info.stringID + " " +
                                                   std::to_string(info.objectID) + " " + std::to_string(info.size) +
                                                   " " + std::to_string(info.attributes));
    EXPECT_EQ(-1, storage.FindFirst(info, "Banan?a"));
    EXPECT_EQ(-1, storage.FindFirst(info, "Apple?")) << "'?' needs one more character";
    EXPECT_EQ(-1, storage.FindFirst(info, "*", "ClassB"));
    EXPECT_EQ(0, storage.FindFirst(info, "*", nullptr, 3105));
    EXPECT_STREQ("Banana", info.name);
    EXPECT_EQ(-1, storage.FindFirst(info, "~Nope~*"));
    EXPECT_EQ(ZafError::Read, storage.Error());
    storage.FindFirst(info, "~A*");
    EXPECT_EQ(-1, storage.FindNext(info, "~A~*")) << "another directory than the record's";
    EXPECT_EQ(0, storage.FindClose(info));
    // The entry found last is removed before the search goes on: the search
    // ends instead of reading the freed entry.
    ASSERT_EQ(0, storage.FindFirst(info, "~A*"));
    ASSERT_EQ(0, storage.RmDir("~A", true));
    EXPECT_EQ(-1, storage.FindNext(info, "~A*"));
}

// Paths, opening, replacing and removing take names exactly; only the
// searches read '*' and '?' as patterns. A tree read from a file may hold a
// name like "A*" (no writer makes one): it is reached as itself, never as A.
TEST_F(ZafStorageTree, NamesAreTakenExactlyOutsideSearches)
{
    storage.Root()->AddChild(new ZafDirectoryElement("A*", ZafDirectoryElement::directoryFlag));
    ZafDirectoryElement *a = storage.ResolvePath("~A");
    EXPECT_EQ(nullptr, storage.ResolvePath("~A?"));
    EXPECT_EQ(nullptr, storage.ResolvePath("~Ap*"));
    ASSERT_NE(nullptr, storage.ResolvePath("~A*"));
    EXPECT_NE(a, storage.ResolvePath("~A*"));
    EXPECT_EQ(-1, storage.RmDir("~A*~B", true));
    EXPECT_EQ(0, storage.RmDir("~A*"));
    EXPECT_EQ(a, storage.ResolvePath("~A")) << "removing A* leaves A";
    EXPECT_EQ(static_cast<int>(ZafError::NotFound), storage.Remove("Ban*"));
    EXPECT_EQ(nullptr, storage.Open("Ban*", ZafFileMode::Read));
    EXPECT_EQ("yellow", ObjectBytes(storage, "Banana"));

    // Names that a path or a pattern would read as something else are never made.
    for (const char *bad : {"X*", "X?", ".", ".."}) {
        EXPECT_EQ(-1, storage.MkDir(bad)) << bad;
        EXPECT_EQ(nullptr, storage.Open(bad, ZafFileMode::Write)) << bad;
        EXPECT_EQ(ZafError::NotFound, storage.Error()) << bad;
        EXPECT_EQ(static_cast<int>(ZafError::NotFound), storage.Rename("Banana", bad)) << bad;
    }
    EXPECT_EQ(3, storage.Root()->ChildCount());
    EXPECT_EQ(0, storage.MkDir("X.y"));
}

TEST_F(ZafStorageTree, DirectoriesAreMadeAndRemovedByTheRules)
{
    EXPECT_EQ(-1, storage.MkDir("~A"));
    EXPECT_EQ(-1, storage.MkDir("~X~Y"));
    EXPECT_EQ(-1, storage.RmDir("~"));
    EXPECT_EQ(-1, storage.RmDir("~A")) << "has children";
    EXPECT_EQ(-1, storage.RmDir("~Nope"));
    storage.ChDir("~A~B~C");
    EXPECT_EQ(-1, storage.RmDir("~A~B~C")) << "current directory";
    EXPECT_EQ(-1, storage.RmDir("~A", true)) << "current directory inside";
    storage.ChDir("~");
    EXPECT_EQ(0, storage.RmDir("~A", true));
    EXPECT_EQ(nullptr, storage.ResolvePath("~A"));
    EXPECT_EQ(0, storage.RmDir("Apple"));
}

TEST_F(ZafStorageTree, RenameMovesAndRelabels)
{
    EXPECT_EQ(0, storage.Rename("Banana", "~A~B~Plantain", "ZafText", 0));
    ZafDirectoryElement *moved = storage.ResolvePath("~A~B~Plantain");
    ASSERT_NE(nullptr, moved);
    EXPECT_STREQ("ZafText", moved->StringID());
    EXPECT_EQ(3105, moved->NumberID());
    EXPECT_EQ("yellow", ObjectBytes(storage, "~A~B~Plantain"));
    EXPECT_EQ(0, storage.Rename("~A~B~Plantain", "~A~B~Plantain", nullptr, 7));
    EXPECT_EQ(7, moved->NumberID());
    const auto notFound = static_cast<int>(ZafError::NotFound);
    EXPECT_EQ(notFound, storage.Rename("~A", "Apple"));
    EXPECT_EQ(notFound, storage.Rename("Nope", "Other"));
    EXPECT_EQ(notFound, storage.Rename("~A", "~A~B~Inner")) << "a directory cannot move below itself";
    EXPECT_EQ(notFound, storage.Remove("~A"));
    EXPECT_EQ(0, storage.Remove("~A~B~Plantain"));
    EXPECT_EQ(notFound, storage.Remove("~A~B~Plantain"));
}

TEST_F(ZafStorageTree, ObjectsOpenByModeAndReadBackFromTheTemporaryFile)
{
    EXPECT_EQ(nullptr, storage.Open("Cherry", ZafFileMode::Read));
    EXPECT_EQ(nullptr, storage.Open("~A", ZafFileMode::Read)) << "a directory";
    EXPECT_EQ(nullptr, storage.Open("~Nope~x", ZafFileMode::Write));
    ZafFile *fresh = storage.Open("Cherry", ZafFileMode::Write);
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->Length());
    storage.Close(fresh);
    EXPECT_NE(nullptr, storage.ResolvePath("Cherry")) << "an empty object still has its entry";

    EXPECT_EQ("yellow", ObjectBytes(storage, "Banana"));
    WriteObject(storage, "Banana", "green", "ZafStringData", 3105);
    EXPECT_EQ("green", ObjectBytes(storage, "Banana")) << "replaced";
    ZafFile *appended = storage.Open("Banana", ZafFileMode::Append);
    appended->Seek(0, 2);
    appended->WriteBytes("ish", 3);
    storage.Close(appended);
    EXPECT_EQ("greenish", ObjectBytes(storage, "Banana"));
    EXPECT_EQ(nullptr, storage.Open("Banana", ZafFileMode::Read, "ZafIntegerData"));
}

// Opening for writing in a read-only storage is refused before the entry is
// touched; closing a changed object without a temporary file drops the
// change with error 17.
TEST(ZafStorageReadOnly, WritingIsRefusedBeforeAnythingChanges)
{
    TempDirectory dir;
    WriteWholeFile(dir.File("ui.znc"), SmallFile());
    ZafStorage storage(dir.File("ui.znc").c_str(), ZafStorage::Read);
    ASSERT_EQ(0u, storage.Error());
    for (const char *path : {mainData, "~ZafWindow~MAIN~other"}) {
        ZafFile *file = storage.Open(path, path == mainData ? ZafFileMode::Write : ZafFileMode::Append);
        ASSERT_NE(nullptr, file) << path;
        EXPECT_EQ(ZafError::NotFound, file->Error());
        EXPECT_EQ(ZafError::NotFound, storage.Error());
        storage.Close(file);
    }
    EXPECT_EQ("hello", ObjectBytes(storage, mainData));
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow~MAIN~other")) << "no entry made";
    EXPECT_EQ(ZafError::NotFound, storage.Save());

    ZafFile *file = storage.Open(mainData, ZafFileMode::Read);
    ASSERT_NE(nullptr, file);
    file->WriteBytes("J", 1);
    EXPECT_EQ(-1, storage.Close(file));
    EXPECT_EQ(ZafError::Write, storage.Error());
    EXPECT_EQ("hello", ObjectBytes(storage, mainData));
}

TEST(ZafStorageSave, WritesTheTreeAndReopensWithTheSameContents)
{
    TempDirectory dir;
    const std::string name = dir.File("saved.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        storage.MkDir("~ZafWindow");
        storage.MkDir("~ZafWindow~MAIN", "ZafWindow", 1007);
        WriteObject(storage, mainData, "window bytes");
        WriteObject(storage, "~ZafWindow~MAIN~title", "Title", "ZafStringData", 3105);
        WriteObject(storage, "~empty", "");
        ASSERT_EQ(0u, storage.Save());
        EXPECT_EQ("window bytes", ObjectBytes(storage, mainData)) << "usable after saving";
        WriteObject(storage, "~ZafWindow~MAIN~title", "Caption", "ZafStringData", 3105);
        ASSERT_EQ(0u, storage.Save()) << "saving again reads from the saved file";
    }
    const Bytes first = ReadWholeFile(name);
    ASSERT_GT(first.size(), 72u);
    EXPECT_EQ(0, std::memcmp(first.data(), "Duru Data File Version 5.1\x1A\0", 28));
    EXPECT_EQ((Bytes{5, 1, 0xAF, 0x05}), Bytes(first.begin() + 64, first.begin() + 68));
    {
        ZafStorage reopened(name.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, reopened.Error());
        EXPECT_EQ("window bytes", ObjectBytes(reopened, mainData));
        EXPECT_EQ("Caption", ObjectBytes(reopened, "~ZafWindow~MAIN~title"));
        EXPECT_EQ("", ObjectBytes(reopened, "~empty"));
        EXPECT_STREQ("ZafStringData", reopened.ResolvePath("~ZafWindow~MAIN~title")->StringID());
    }
    // The saved tree saved again without change gives the same bytes.
    ASSERT_EQ(0u, ZafStorage(name.c_str(), ZafStorage::Writeable).Save());
    EXPECT_EQ(first, ReadWholeFile(name));
}

TEST(ZafStorageSave, FailureLeavesTheOldFileAsItWas)
{
    TempDirectory dir;
    const std::string name = dir.File("kept.znc");
    WriteWholeFile(name, SmallFile());
    ZafStorage storage(name.c_str(), ZafStorage::Writeable);
    ASSERT_EQ(0u, storage.Error());
    WriteObject(storage, mainData, "changed");
    {
        // Another reader holds the file open: Windows will not replace it.
        ZafDiskFile reader(name.c_str(), ZafFileMode::Read | ZafFileMode::Binary);
        EXPECT_EQ(ZafError::Open, storage.Save());
        EXPECT_EQ(ZafError::Open, storage.Error());
    }
    EXPECT_EQ(SmallFile(), ReadWholeFile(name));
    EXPECT_EQ("changed", ObjectBytes(storage, mainData)) << "the storage goes on";
    ZafFileInfo info;
    int leftovers = 0;
    ZafDiskFileSystem disk;
    const std::string pattern = dir.File("*");
    for (int r = disk.FindFirst(info, pattern.c_str()); r == 0; r = disk.FindNext(info, pattern.c_str()))
        leftovers += !(info.attributes & ZafFileInfo::directory);
    disk.FindClose(info);
    EXPECT_EQ(2, leftovers) << "the file and the storage's temporary file, nothing half written";
    EXPECT_EQ(0u, storage.Save());
    ZafStorage reopened(name.c_str(), ZafStorage::Read);
    EXPECT_EQ("changed", ObjectBytes(reopened, mainData));
}

} // namespace
