#include "zaf/data/ZafDiskFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafPath.h"

namespace {

TEST(ZafDiskFile, ModesMapToStreamModes)
{
    const struct
    {
        std::uint16_t mode;
        const char *stream;
    } cases[] = {{1, "r"},     {2, "r+"},     {6, "w+"},     {9, "a+"},    {0x41, "rt"},
                 {0x21, "rb"}, {0x22, "r+b"}, {0x26, "w+b"}, {0x61, "rb"}, {0, "r"}};
    for (const auto &c : cases) {
        char buffer[4];
        EXPECT_STREQ(c.stream, ZafDiskFile::StreamMode(c.mode, buffer)) << c.mode;
    }
}

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
    EXPECT_EQ(ZafError::Seek, file.Error());
}

TEST(ZafDiskFile, FailuresAreErrorWords)
{
    TempDirectory dir;
    ZafDiskFile nameOnly(dir.File("none").c_str(), 0x80);
    EXPECT_EQ(0u, nameOnly.Error());
    EXPECT_FALSE(nameOnly.IsOpen());
    EXPECT_EQ(ZafError::NotFound, ZafDiskFile(nullptr, 1).Error());
    ZafDiskFile missing(dir.File("none").c_str(), 1);
    EXPECT_EQ(ZafError::Open, missing.Error());
    EXPECT_EQ(-1, missing.Length());
    EXPECT_EQ(-1, missing.Tell());
    EXPECT_EQ(0, missing.WriteBytes("x", 1));
}

// Bare names are looked for in the program's and the "ZAF_PATH" directories;
// names with a directory part and files opened for writing never are.
TEST(ZafDiskFile, BareNamesAreSearchedAlongTheSearchPath)
{
    TempDirectory programDir, extraDir;
    WriteWholeFile(programDir.File("found.dat"), {1, 2, 3});
    WriteWholeFile(extraDir.File("extra.dat"), {4});
    _putenv(("ZAF_PATH=" + std::string(extraDir.Path())).c_str());
    zafSearchPath = new ZafPath((std::string(programDir.Path()) + "\\mervalo.exe").c_str(), true);
    _putenv("ZAF_PATH=");

    ZafDiskFile inProgram("found.dat", 0x21);
    EXPECT_EQ(0u, inProgram.Error());
    EXPECT_EQ(programDir.File("found.dat"), inProgram.Name());
    EXPECT_EQ(3, inProgram.Length());
    ZafDiskFile inExtra("extra.dat", 0x21);
    EXPECT_EQ(0u, inExtra.Error());
    EXPECT_EQ(extraDir.File("extra.dat"), inExtra.Name());

    EXPECT_EQ(ZafError::Open, ZafDiskFile(".\\found.dat", 0x21).Error());
    EXPECT_EQ(ZafError::Open, ZafDiskFile("Q:found.dat", 0x21).Error());
    EXPECT_STREQ("found.dat", ZafDiskFile("found.dat", 0x26).Name()) << "w+ in the current directory";
    std::remove("found.dat");
    EXPECT_EQ(3u, ReadWholeFile(programDir.File("found.dat")).size());
    delete zafSearchPath;
    zafSearchPath = nullptr;
}

// A search-path directory too long for the joined name is skipped: the path
// cut at the buffer would name another file.
TEST(ZafDiskFile, ADirectoryTooLongForTheJoinedNameIsSkipped)
{
    TempDirectory base;
    std::string deep = base.Path();
    while (deep.size() < 240) {
        deep += "\\" + std::string(std::min<std::size_t>(50, 240 - deep.size() - 1), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
    }
    const std::string name = "ab" + std::string(20, 'x');
    // What a cut at 255 characters would have opened.
    const std::string cut = (deep + "\\" + name).substr(0, ZafMaxPath - 1);
    WriteWholeFile(cut, {7});
    zafSearchPath = new ZafPath((deep + "\\mervalo.exe").c_str(), false);
    EXPECT_EQ(ZafError::Open, ZafDiskFile(name.c_str(), 0x21).Error());
    delete zafSearchPath;
    zafSearchPath = nullptr;
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
    EXPECT_TRUE(found.count("one.txt1") && found.count("two.txt2") && found.count("deeper/0"));

    EXPECT_EQ(0, disk.Rename(dir.File("sub\\one.txt").c_str(), dir.File("sub\\uno.txt").c_str()));
    EXPECT_EQ(0, disk.Remove(dir.File("sub\\uno.txt").c_str()));
    EXPECT_EQ(-1, disk.Remove(dir.File("sub\\uno.txt").c_str()));
    EXPECT_EQ(-1, disk.RmDir(dir.File("sub").c_str())) << "not empty";
    char before[ZafMaxPath], after[ZafMaxPath];
    disk.GetCWD(before, sizeof before);
    EXPECT_EQ(0, disk.RmDir(dir.File("sub").c_str(), true));
    EXPECT_FALSE(FileExists(dir.File("sub\\two.txt").c_str()));
    disk.GetCWD(after, sizeof after);
    EXPECT_STREQ(before, after) << "the recursive removal returns to where it began";
}

// A recursive removal of a directory that cannot be entered removes
// nothing: its visit would otherwise empty the current directory.
TEST(ZafDiskFileSystem, RecursiveRemovalOfAMissingDirectoryKeepsTheCurrentOne)
{
    TempDirectory dir;
    ZafDiskFileSystem disk;
    WriteWholeFile(dir.File("keep.txt"), {1});
    char before[ZafMaxPath];
    ASSERT_EQ(0, disk.GetCWD(before, sizeof before));
    ASSERT_EQ(0, disk.ChDir(dir.Path()));
    EXPECT_EQ(-1, disk.RmDir("missing", true));
    EXPECT_TRUE(FileExists("keep.txt"));
    EXPECT_EQ(0, disk.ChDir(before));
    EXPECT_TRUE(FileExists(dir.File("keep.txt").c_str()));
}

// GetCWD writes no more than the size it is given.
TEST(ZafDiskFileSystem, GetCWDRespectsTheBufferSize)
{
    ZafDiskFileSystem disk;
    char full[ZafMaxPath], small[ZafMaxPath];
    ASSERT_EQ(0, disk.GetCWD(full, sizeof full));
    const int length = static_cast<int>(std::strlen(full));
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(-1, disk.GetCWD(small, length));
    EXPECT_STREQ("", small);
    EXPECT_EQ('#', small[1]) << "nothing written past the terminator";
    EXPECT_EQ(0, disk.GetCWD(small, length + 1));
    EXPECT_STREQ(full, small);
}

} // namespace
