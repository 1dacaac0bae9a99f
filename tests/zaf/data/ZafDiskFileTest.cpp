#include "zaf/data/ZafDiskFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "TestFiles.h"
#include "zaf/data/ZafPath.h"

namespace {

struct ModeCase
{
    std::uint16_t mode;
    const char *stream;
};

class ZafDiskFileMode : public ::testing::TestWithParam<ModeCase>
{
};

TEST_P(ZafDiskFileMode, MapsToStreamMode)
{
    char buffer[4];
    EXPECT_STREQ(GetParam().stream, ZafDiskFile::StreamMode(GetParam().mode, buffer));
}

INSTANTIATE_TEST_SUITE_P(Modes, ZafDiskFileMode,
                         ::testing::Values(ModeCase{1, "r"}, ModeCase{2, "r+"}, ModeCase{6, "w+"}, ModeCase{9, "a+"},
                                           ModeCase{0x41, "rt"}, ModeCase{0x21, "rb"}, ModeCase{0x22, "r+b"},
                                           ModeCase{0x26, "w+b"}, ModeCase{0x61, "rb"}, ModeCase{0, "r"}));

TEST(ZafDiskFile, WritesAndReadsBackThroughTheStream)
{
    TempDirectory dir;
    const std::string name = dir.File("a.bin");
    {
        ZafDiskFile file(name.c_str(), 0x26);
        ASSERT_EQ(0u, file.Error());
        EXPECT_STREQ("a.bin", file.StringID());
        file.WriteString("abc");
        file.WriteReal(2.5);
        EXPECT_EQ(13, file.Length());
        EXPECT_EQ(13, file.Tell());
        EXPECT_EQ(0, file.Seek(2, 0));
        char buffer[4] = {};
        EXPECT_EQ(3, file.ReadBytes(buffer, 3));
        EXPECT_STREQ("abc", buffer);
        EXPECT_EQ(5, file.Tell()) << "Length leaves the position alone";
    }
    ZafDiskFile file(name.c_str(), 0x21);
    char *text = nullptr;
    double value = 0;
    file.ReadString(&text);
    file.ReadReal(value);
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(2.5, value);
    delete[] text;
    EXPECT_EQ(0, file.ReadBytes(&value, 8)) << "end of file is no error";
    EXPECT_EQ(0u, file.Error());
    EXPECT_NE(0, file.Seek(0, 7));
    EXPECT_EQ(ZafFileError::Seek, file.Error());
}

TEST(ZafDiskFile, FailuresAreErrorWords)
{
    TempDirectory dir;
    ZafDiskFile nameOnly(dir.File("none").c_str(), 0x80);
    EXPECT_EQ(0u, nameOnly.Error());
    EXPECT_FALSE(nameOnly.IsOpen());
    ZafDiskFile noName(nullptr, 1);
    EXPECT_EQ(ZafFileError::NotFound, noName.Error());
    ZafDiskFile missing(dir.File("none").c_str(), 1);
    EXPECT_EQ(ZafFileError::Open, missing.Error());
    EXPECT_EQ(-1, missing.Length());
    EXPECT_EQ(-1, missing.Tell());
    EXPECT_EQ(0, missing.WriteBytes("x", 1));
}

// Bare names are looked for along the search path; names with a directory
// part and files opened for writing never are.
class ZafDiskFileSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteWholeFile(programDir.File("found.dat"), {1, 2, 3});
        WriteWholeFile(extraDir.File("extra.dat"), {4});
        _putenv(("ZAF_PATH=" + std::string(extraDir.Path())).c_str());
        zafSearchPath = new ZafPath((std::string(programDir.Path()) + "\\mervalo.exe").c_str(), true);
    }
    void TearDown() override
    {
        delete zafSearchPath;
        zafSearchPath = nullptr;
        _putenv("ZAF_PATH=");
    }
    TempDirectory programDir;
    TempDirectory extraDir;
};

TEST_F(ZafDiskFileSearch, BareNameIsFoundInProgramAndZafPathDirectories)
{
    ZafDiskFile inProgram("found.dat", 0x21);
    EXPECT_EQ(0u, inProgram.Error());
    EXPECT_EQ(programDir.File("found.dat"), inProgram.Name());
    EXPECT_EQ(3, inProgram.Length());
    ZafDiskFile inExtra("extra.dat", 0x21);
    EXPECT_EQ(0u, inExtra.Error());
    EXPECT_EQ(extraDir.File("extra.dat"), inExtra.Name());
}

TEST_F(ZafDiskFileSearch, DirectoryPartsAndWritersAreNotSearched)
{
    ZafDiskFile withDirectory(".\\found.dat", 0x21);
    EXPECT_EQ(ZafFileError::Open, withDirectory.Error());
    ZafDiskFile withDrive("Q:found.dat", 0x21);
    EXPECT_EQ(ZafFileError::Open, withDrive.Error());
    {
        // "w+" in the current directory, not in the program directory.
        ZafDiskFile writer("found.dat", 0x26);
        EXPECT_STREQ("found.dat", writer.Name());
    }
    std::remove("found.dat");
    EXPECT_EQ(3u, ReadWholeFile(programDir.File("found.dat")).size());
}

TEST(ZafDiskFileSystem, MakesFindsRenamesAndRemoves)
{
    TempDirectory dir;
    ZafDiskFileSystem disk;
    EXPECT_EQ(0, disk.MkDir(dir.File("sub").c_str()));
    EXPECT_EQ(-1, disk.MkDir(dir.File("sub").c_str()));
    WriteWholeFile(dir.File("sub\\one.txt"), {1});
    WriteWholeFile(dir.File("sub\\two.txt"), {1, 2});
    EXPECT_EQ(0, disk.MkDir(dir.File("sub\\deeper").c_str()));
    WriteWholeFile(dir.File("sub\\deeper\\three.txt"), {1, 2, 3});

    ZafFileInfo info;
    std::set<std::string> found;
    const std::string pattern = dir.File("sub\\*");
    for (int r = disk.FindFirst(info, pattern.c_str()); r == 0; r = disk.FindNext(info, pattern.c_str()))
        found.insert(std::string(info.name) + ((info.attributes & ZafFileInfo::directory) ? "/" : "") +
                     std::to_string(info.size));
    EXPECT_EQ(0, disk.FindClose(info));
    EXPECT_EQ(-1, disk.FindClose(info)) << "no search open any more";
    EXPECT_TRUE(found.count("one.txt1"));
    EXPECT_TRUE(found.count("two.txt2"));
    EXPECT_TRUE(found.count("deeper/0"));

    EXPECT_EQ(0, disk.Rename(dir.File("sub\\one.txt").c_str(), dir.File("sub\\uno.txt").c_str()));
    EXPECT_TRUE(FileExists(dir.File("sub\\uno.txt").c_str()));
    EXPECT_EQ(0, disk.Remove(dir.File("sub\\uno.txt").c_str()));
    EXPECT_EQ(-1, disk.Remove(dir.File("sub\\uno.txt").c_str()));

    EXPECT_EQ(-1, disk.RmDir(dir.File("sub").c_str())) << "not empty";
    char before[ZafMaxPath];
    disk.GetCWD(before, sizeof before);
    EXPECT_EQ(0, disk.RmDir(dir.File("sub").c_str(), true));
    EXPECT_FALSE(FileExists(dir.File("sub\\two.txt").c_str()));
    char after[ZafMaxPath];
    disk.GetCWD(after, sizeof after);
    EXPECT_STREQ(before, after) << "the recursive removal returns to where it began";
}

TEST(ZafDiskFileSystem, GetCWDRespectsTheBufferSize)
{
    ZafDiskFileSystem disk;
    char full[ZafMaxPath];
    ASSERT_EQ(0, disk.GetCWD(full, sizeof full));
    const int length = static_cast<int>(std::strlen(full));
    char small[ZafMaxPath];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(-1, disk.GetCWD(small, length));
    EXPECT_STREQ("", small);
    EXPECT_EQ('#', small[1]) << "nothing written past the terminator";
    EXPECT_EQ(0, disk.GetCWD(small, length + 1));
    EXPECT_STREQ(full, small);
}

} // namespace
