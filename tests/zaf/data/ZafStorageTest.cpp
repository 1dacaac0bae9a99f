#include "zaf/data/ZafStorage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestFiles.h"
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
        const unsigned n = s ? static_cast<unsigned>(std::strlen(s)) : 0;
        U16(n);
        for (unsigned i = 0; i < n; i++)
            U8(static_cast<unsigned char>(s[i]));
    }
    void Header(unsigned major = 5, unsigned minor = 1, unsigned magic = 0x05AF)
    {
        bytes.assign(64, 0);
        U8(major), U8(minor), U16(magic), U32(0);
    }
    void SetDirectoryHere() { PutU32(68, static_cast<unsigned>(bytes.size())); }
    void PutU32(std::size_t at, unsigned v)
    {
        for (int i = 0; i < 4; i++)
            bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
    }
    void Record(const char *stringID, unsigned objectID, unsigned position, unsigned size, unsigned flags)
    {
        Str(stringID), U16(objectID), U32(position), U32(size), U16(flags);
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
    f.Str("~");
    f.Record(nullptr, 0, 0, 0, 1);
    f.Str("ZafWindow");
    f.Record(nullptr, 0, 0, 0, 1);
    f.Str("MAIN");
    f.Record("ZafWindow", 1007, 0, 0, 1);
    f.Str("objectData");
    f.Record(nullptr, 0, data, 5, 0);
    f.Str(nullptr); // end of MAIN
    f.Str(nullptr); // end of ZafWindow
    f.Str(nullptr); // end of ~
    f.Str(nullptr); // end of root
    return f.bytes;
}

std::string ReadAll(ZafStorage &storage, const char *path)
{
    ZafFile *file = storage.Open(path, ZafFileMode::Read);
    if (!file)
        return "<none>";
    std::string text(file->Length(), '\0');
    file->ReadBytes(&text[0], file->Length());
    storage.Close(file);
    return text;
}

void WriteObject(ZafStorage &storage, const char *path, const std::string &text, const char *stringID = nullptr,
                 ZafNumberID objectID = 0)
{
    ZafFile *file = storage.Open(path, ZafFileMode::Write, stringID, objectID);
    ASSERT_NE(nullptr, file);
    file->WriteBytes(text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(0, storage.Close(file));
}

TEST(ZafStorageFile, GrowsByDoublingAndClampsItsPosition)
{
    ZafStorageFile file(ZafFileMode::Write);
    EXPECT_EQ(60, file.Capacity());
    EXPECT_EQ(0, file.Length());
    const Bytes hundred(100, 7);
    EXPECT_EQ(100, file.WriteBytes(hundred.data(), 100));
    EXPECT_EQ(120, file.Capacity());
    EXPECT_TRUE(file.IsModified());
    EXPECT_EQ(0, file.Seek(-5, 0));
    EXPECT_EQ(0, file.Tell());
    file.Seek(50, 2);
    EXPECT_EQ(100, file.Tell());
    file.Seek(-10, 1);
    unsigned char block[20];
    EXPECT_EQ(10, file.ReadBytes(block, 20));
    EXPECT_EQ(0, file.ReadBytes(block, 20));
    EXPECT_EQ(0, file.WriteBytes(block, 0));
    EXPECT_EQ(-3, file.WriteBytes(block, -3));
}

TEST(ZafStorageOpen, NamesWithoutExtensionGetZnc)
{
    ZafStorage plain("dir.d\\name", ZafStorage::Read);
    EXPECT_STREQ("dir.d\\name.znc", plain.FileName());
    EXPECT_STREQ("name.znc", plain.StringID());
    EXPECT_EQ(ZafFileError::Open, plain.Error());
    ZafStorage dotted("dir\\name.dat", ZafStorage::Read);
    EXPECT_STREQ("dir\\name.dat", dotted.FileName());
}

TEST(ZafStorageOpen, OverlongNameIsRefusedNotCut)
{
    const std::string name(260, 'n');
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafFileError::Open, storage.Error());
    EXPECT_STREQ("", storage.FileName());
    ASSERT_NE(nullptr, storage.Root());
    EXPECT_STREQ("~", storage.Root()->Name());
    ZafStorage exact(std::string(251, 'n').c_str(), ZafStorage::Read);
    EXPECT_EQ(255u, std::strlen(exact.FileName()));
}

TEST(ZafStorageOpen, ReadsHeaderAndTree)
{
    TempDirectory dir;
    RawFile f;
    f.bytes = SmallFile();
    f.bytes[65] = 7;
    WriteWholeFile(dir.File("ui.znc"), f.bytes);
    ZafStorage storage(dir.File("ui").c_str(), ZafStorage::Read);
    ASSERT_EQ(0u, storage.Error());
    EXPECT_EQ(0x0507, storage.Version());
    EXPECT_EQ("hello", ReadAll(storage, "~ZafWindow~MAIN~objectData"));
    ZafDirectoryElement *main = storage.ResolvePath("~ZafWindow~MAIN");
    ASSERT_NE(nullptr, main);
    EXPECT_STREQ("ZafWindow", main->StringID());
    EXPECT_EQ(1007, main->NumberID());
    EXPECT_TRUE(main->IsDirectory());
    EXPECT_EQ(nullptr, storage.TempFileName()[0] ? storage.TempFileName() : nullptr) << "read-only: no temp file";
}

TEST(ZafStorageOpen, WrongMagicOrMajorVersionIsError18)
{
    TempDirectory dir;
    for (int field : {64, 66})
    {
        Bytes bytes = SmallFile();
        bytes[field] ^= 0x10;
        WriteWholeFile(dir.File("bad.znc"), bytes);
        ZafStorage storage(dir.File("bad.znc").c_str(), ZafStorage::Read);
        EXPECT_EQ(ZafFileError::Header, storage.Error());
        EXPECT_EQ(0, storage.Root()->ChildCount());
        EXPECT_EQ(nullptr, storage.Open("~ZafWindow~MAIN~objectData", ZafFileMode::Read));
    }
}

// A cut file never opens: every cut point gives error 16 or 18 and an empty tree.
TEST(ZafStorageOpen, TruncatedFileOpensWithAnError)
{
    TempDirectory dir;
    const Bytes whole = SmallFile();
    for (std::size_t cut = 0; cut < whole.size(); cut++)
    {
        WriteWholeFile(dir.File("cut.znc"), Bytes(whole.begin(), whole.begin() + cut));
        ZafStorage storage(dir.File("cut.znc").c_str(), ZafStorage::Read);
        EXPECT_NE(0u, storage.Error()) << cut;
        EXPECT_EQ(0, storage.Root()->ChildCount()) << cut;
    }
}

TEST(ZafStorageOpen, DataOutsideTheFileIsRefused)
{
    TempDirectory dir;
    Bytes bytes = SmallFile();
    const std::size_t sizeField = bytes.size() - 2 * 4 - 4 - 2 - 2; // size of objectData
    RawFile f;
    f.bytes = bytes;
    f.PutU32(sizeField, 0x7FFFFFF0);
    WriteWholeFile(dir.File("big.znc"), f.bytes);
    ZafStorage storage(dir.File("big.znc").c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafFileError::Read, storage.Error());
}

Bytes NestedFile(int depth)
{
    RawFile f;
    f.Header();
    f.SetDirectoryHere();
    f.Str("~");
    f.Record(nullptr, 0, 0, 0, 1);
    for (int i = 0; i < depth; i++)
    {
        f.Str("d");
        f.Record(nullptr, 0, 0, 0, 1);
    }
    for (int i = 0; i <= depth; i++)
        f.Str(nullptr);
    return f.bytes;
}

TEST(ZafStorageOpen, TreeDepthIsCapped)
{
    TempDirectory dir;
    WriteWholeFile(dir.File("deep.znc"), NestedFile(ZafDirectoryElement::maxDepth));
    ZafStorage deepest(dir.File("deep.znc").c_str(), ZafStorage::Read);
    EXPECT_EQ(0u, deepest.Error());
    WriteWholeFile(dir.File("deeper.znc"), NestedFile(ZafDirectoryElement::maxDepth + 1));
    ZafStorage deeper(dir.File("deeper.znc").c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafFileError::Read, deeper.Error());
    WriteWholeFile(dir.File("huge.znc"), NestedFile(100000));
    ZafStorage huge(dir.File("huge.znc").c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafFileError::Read, huge.Error());
}

TEST(ZafStorageOpen, MissingFileWithCreateFlagStartsEmpty)
{
    TempDirectory dir;
    ZafStorage storage(dir.File("new").c_str(), ZafStorage::CreateMissing);
    EXPECT_EQ(0u, storage.Error());
    EXPECT_EQ(ZafStorage::CreateMissing | ZafStorage::Writeable, storage.Flags());
    EXPECT_EQ(0x0501, storage.Version());
    EXPECT_FALSE(FileExists(dir.File("new.znc").c_str())) << "made to test, removed again";
    EXPECT_EQ(dir.File("ZTMP0.$$$"), storage.TempFileName());
    ZafStorage missing(dir.File("new").c_str(), ZafStorage::Read);
    EXPECT_EQ(ZafFileError::Open, missing.Error());
}

TEST(ZafStorageOpen, TemporaryFileTakesTheFirstFreeNameAndEndsWithTheStorage)
{
    TempDirectory dir;
    WriteWholeFile(dir.File("ZTMP0.$$$"), {});
    {
        ZafStorage storage(dir.File("a").c_str(), ZafStorage::CreateTree);
        EXPECT_EQ(dir.File("ZTMP1.$$$"), storage.TempFileName());
        EXPECT_TRUE(FileExists(storage.TempFileName()));
    }
    EXPECT_FALSE(FileExists(dir.File("ZTMP1.$$$").c_str()));
    EXPECT_TRUE(FileExists(dir.File("ZTMP0.$$$").c_str()));
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

TEST_F(ZafStorageTree, PathsResolveFromRootOrCurrentDirectory)
{
    ZafDirectoryElement *a = storage.ResolvePath("~A");
    ZafDirectoryElement *b = storage.ResolvePath("~A~B");
    EXPECT_EQ(storage.Root(), storage.ResolvePath("~"));
    EXPECT_EQ(storage.Root(), storage.ResolvePath(""));
    EXPECT_EQ(b, storage.ResolvePath("A~B~"));
    EXPECT_EQ(nullptr, storage.ResolvePath(".."));
    EXPECT_EQ(nullptr, storage.ResolvePath("~A~X"));
    ASSERT_EQ(0, storage.ChDir("~A~B"));
    EXPECT_EQ(b, storage.ResolvePath(""));
    EXPECT_EQ(b, storage.ResolvePath("C~.."));
    EXPECT_EQ(a, storage.ResolvePath("..~."));
    EXPECT_EQ(storage.ResolvePath("~A~B~C"), storage.ResolvePath("C"));
    EXPECT_EQ(nullptr, storage.ResolvePath(std::string(300, 'C').c_str()));
}

TEST_F(ZafStorageTree, GetCWDBuildsTheAbsolutePath)
{
    char buffer[ZafMaxPath];
    EXPECT_EQ(0, storage.GetCWD(buffer, sizeof buffer));
    EXPECT_STREQ("~", buffer);
    storage.ChDir("~A~B");
    EXPECT_EQ(0, storage.GetCWD(buffer, sizeof buffer));
    EXPECT_STREQ("~A~B", buffer);
    char small[4] = "xyz";
    EXPECT_EQ(-1, storage.GetCWD(small, sizeof small));
    EXPECT_STREQ("", small);
}

TEST_F(ZafStorageTree, ChDirChecksStringAndObjectIds)
{
    EXPECT_EQ(0, storage.ChDir("~A", "ClassA", 11));
    EXPECT_EQ(-1, storage.ChDir("~A", "ClassB"));
    EXPECT_EQ(ZafFileError::IdMismatch, storage.Error());
    EXPECT_EQ(-1, storage.ChDir("~A", nullptr, 12));
    EXPECT_EQ(-1, storage.ChDir("~Apple", "ClassA")) << "an entry without string id never equals one";
    EXPECT_EQ(-1, storage.ChDir("~Nothing"));
    EXPECT_EQ(ZafFileError::NotFound, storage.Error());
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
    EXPECT_STREQ("Banana", info.name);
    EXPECT_STREQ("ZafStringData", info.stringID);
    EXPECT_EQ(3105, info.objectID);
    EXPECT_EQ(6, info.size);
    EXPECT_EQ(0, info.attributes);
    EXPECT_EQ(-1, storage.FindFirst(info, "Banan?a"));
    EXPECT_EQ(-1, storage.FindFirst(info, "Apple?")) << "'?' needs one more character";
    EXPECT_EQ(-1, storage.FindFirst(info, "*", "ClassB"));
    EXPECT_EQ(0, storage.FindFirst(info, "*", nullptr, 3105));
    EXPECT_STREQ("Banana", info.name);
    EXPECT_EQ(-1, storage.FindFirst(info, "~Nope~*"));
    EXPECT_EQ(ZafFileError::Read, storage.Error());
    storage.FindFirst(info, "~A*");
    EXPECT_EQ(-1, storage.FindNext(info, "~A~*")) << "another directory than the record's";
    EXPECT_EQ(0, storage.FindClose(info));
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
    EXPECT_EQ("yellow", ReadAll(storage, "~A~B~Plantain"));
    EXPECT_EQ(0, storage.Rename("~A~B~Plantain", "~A~B~Plantain", nullptr, 7));
    EXPECT_EQ(7, moved->NumberID());
    EXPECT_EQ(ZafFileError::NotFound, static_cast<std::uint32_t>(storage.Rename("~A", "Apple")));
    EXPECT_EQ(ZafFileError::NotFound, static_cast<std::uint32_t>(storage.Rename("Nope", "Other")));
    EXPECT_EQ(ZafFileError::NotFound, static_cast<std::uint32_t>(storage.Rename("~A", "~A~B~Inner")))
        << "a directory cannot move below itself";
    EXPECT_EQ(ZafFileError::NotFound, static_cast<std::uint32_t>(storage.Remove("~A")));
    EXPECT_EQ(0, storage.Remove("~A~B~Plantain"));
    EXPECT_EQ(ZafFileError::NotFound, static_cast<std::uint32_t>(storage.Remove("~A~B~Plantain")));
}

TEST_F(ZafStorageTree, ObjectsOpenByModeAndReadBackFromTheTemporaryFile)
{
    EXPECT_EQ(nullptr, storage.Open("Cherry", ZafFileMode::Read));
    EXPECT_EQ(nullptr, storage.Open("~A", ZafFileMode::Read)) << "a directory";
    EXPECT_EQ(nullptr, storage.Open("~Nope~x", ZafFileMode::Write));
    ZafFile *fresh = storage.Open("Cherry", ZafFileMode::Write);
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->Length());
    EXPECT_EQ(60, static_cast<ZafStorageFile *>(fresh)->Capacity());
    storage.Close(fresh);
    EXPECT_NE(nullptr, storage.ResolvePath("Cherry")) << "an empty object still has its entry";

    EXPECT_EQ("yellow", ReadAll(storage, "Banana"));
    WriteObject(storage, "Banana", "green", "ZafStringData", 3105);
    EXPECT_EQ("green", ReadAll(storage, "Banana")) << "replaced";
    ZafFile *appended = storage.Open("Banana", ZafFileMode::Append);
    appended->Seek(0, 2);
    appended->WriteBytes("ish", 3);
    storage.Close(appended);
    EXPECT_EQ("greenish", ReadAll(storage, "Banana"));
    EXPECT_EQ(nullptr, storage.Open("Banana", ZafFileMode::Read, "ZafIntegerData"));
}

// Mended: opening for writing in a read-only storage used to delete the entry
// before refusing; it now refuses first and the entry stays.
TEST(ZafStorageReadOnly, WritingIsRefusedBeforeAnythingChanges)
{
    TempDirectory dir;
    WriteWholeFile(dir.File("ui.znc"), SmallFile());
    ZafStorage storage(dir.File("ui.znc").c_str(), ZafStorage::Read);
    ASSERT_EQ(0u, storage.Error());
    ZafFile *file = storage.Open("~ZafWindow~MAIN~objectData", ZafFileMode::Write);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(ZafFileError::NotFound, file->Error());
    EXPECT_EQ(ZafFileError::NotFound, storage.Error());
    storage.Close(file);
    EXPECT_EQ("hello", ReadAll(storage, "~ZafWindow~MAIN~objectData"));
    ZafFile *created = storage.Open("~ZafWindow~MAIN~other", ZafFileMode::Append);
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(ZafFileError::NotFound, created->Error());
    storage.Close(created);
    EXPECT_EQ(nullptr, storage.ResolvePath("~ZafWindow~MAIN~other")) << "no entry made";
    EXPECT_EQ(ZafFileError::NotFound, storage.Save());
}

// Mended: closing a changed object without a temporary file dereferenced null;
// the change is dropped with error 17.
TEST(ZafStorageReadOnly, ChangedObjectWithoutTemporaryFileIsDropped)
{
    TempDirectory dir;
    WriteWholeFile(dir.File("ui.znc"), SmallFile());
    ZafStorage storage(dir.File("ui.znc").c_str(), ZafStorage::Read);
    ZafFile *file = storage.Open("~ZafWindow~MAIN~objectData", ZafFileMode::Read);
    ASSERT_NE(nullptr, file);
    file->WriteBytes("J", 1);
    EXPECT_EQ(-1, storage.Close(file));
    EXPECT_EQ(ZafFileError::Write, storage.Error());
    EXPECT_EQ("hello", ReadAll(storage, "~ZafWindow~MAIN~objectData"));
}

TEST(ZafStorageSave, WritesTheTreeAndReopensWithTheSameContents)
{
    TempDirectory dir;
    const std::string name = dir.File("saved.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        storage.MkDir("~ZafWindow");
        storage.MkDir("~ZafWindow~MAIN", "ZafWindow", 1007);
        WriteObject(storage, "~ZafWindow~MAIN~objectData", "window bytes");
        WriteObject(storage, "~ZafWindow~MAIN~title", "Title", "ZafStringData", 3105);
        ZafFile *empty = storage.Open("~empty", ZafFileMode::Write);
        ASSERT_NE(nullptr, empty);
        storage.Close(empty);
        ASSERT_EQ(0u, storage.Save());
        EXPECT_EQ("window bytes", ReadAll(storage, "~ZafWindow~MAIN~objectData")) << "usable after saving";
        WriteObject(storage, "~ZafWindow~MAIN~title", "Caption", "ZafStringData", 3105);
        ASSERT_EQ(0u, storage.Save()) << "saving again reads from the saved file";
    }
    const Bytes first = ReadWholeFile(name);
    ASSERT_GT(first.size(), 72u);
    EXPECT_EQ(0, std::memcmp(first.data(), "Duru Data File Version 5.1\x1A", 27));
    EXPECT_EQ(0, first[27]);
    EXPECT_EQ(5, first[64]);
    EXPECT_EQ(1, first[65]);
    EXPECT_EQ(0xAF, first[66]);
    EXPECT_EQ(0x05, first[67]);

    {
        ZafStorage reopened(name.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, reopened.Error());
        EXPECT_EQ("window bytes", ReadAll(reopened, "~ZafWindow~MAIN~objectData"));
        EXPECT_EQ("Caption", ReadAll(reopened, "~ZafWindow~MAIN~title"));
        EXPECT_EQ("", ReadAll(reopened, "~empty"));
        EXPECT_STREQ("ZafStringData", reopened.ResolvePath("~ZafWindow~MAIN~title")->StringID());
    }

    // The saved tree saved again without change gives the same bytes.
    {
        ZafStorage writable(name.c_str(), ZafStorage::Writeable);
        ASSERT_EQ(0u, writable.Error());
        ASSERT_EQ(0u, writable.Save());
    }
    EXPECT_EQ(first, ReadWholeFile(name));
}

TEST(ZafStorageSave, FailureLeavesTheOldFileAsItWas)
{
    TempDirectory dir;
    const std::string name = dir.File("kept.znc");
    WriteWholeFile(name, SmallFile());
    ZafStorage storage(name.c_str(), ZafStorage::Writeable);
    ASSERT_EQ(0u, storage.Error());
    WriteObject(storage, "~ZafWindow~MAIN~objectData", "changed");
    {
        // Another reader holds the file open: Windows will not replace it.
        ZafDiskFile reader(name.c_str(), ZafFileMode::Read | ZafFileMode::Binary);
        EXPECT_EQ(ZafFileError::Open, storage.Save());
        EXPECT_EQ(ZafFileError::Open, storage.Error());
    }
    EXPECT_EQ(SmallFile(), ReadWholeFile(name));
    EXPECT_EQ("changed", ReadAll(storage, "~ZafWindow~MAIN~objectData")) << "the storage goes on";
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
    EXPECT_EQ("changed", ReadAll(reopened, "~ZafWindow~MAIN~objectData"));
}

} // namespace
