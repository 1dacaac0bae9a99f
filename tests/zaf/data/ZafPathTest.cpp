#include "zaf/data/ZafPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "DataTestSupport.h"

namespace {

// A joined path is cut at ZafMaxPath - 1 characters, never written past.
TEST(ZafPathFunctions, MakePathJoinsWithOneSeparatorAndIsBounded)
{
    char result[ZafMaxPath];
    EXPECT_STREQ("C:\\dir\\name.znc", MakePath(result, "C:\\dir", "name", "znc"));
    EXPECT_STREQ("C:\\dir\\name", MakePath(result, "C:\\dir\\", "name"));
    EXPECT_STREQ("C:name", MakePath(result, "C:", "name"));
    EXPECT_STREQ("name", MakePath(result, "", "name"));
    std::strcpy(result, "dir");
    EXPECT_STREQ("dir\\file", MakePath(result, result, "file")) << "into the directory's own buffer";
    EXPECT_EQ(static_cast<std::size_t>(ZafMaxPath - 1),
              std::strlen(MakePath(result, "d", std::string(400, 'n').c_str())));
}

TEST(ZafPathFunctions, SplitPathGivesItsParts)
{
    const struct
    {
        const char *path, *directory, *file, *objectDirectory, *objectName;
    } cases[] = {{"C:\\dir\\sub\\f.znc", "C:\\dir\\sub", "f.znc", "", ""},
                 {"C:\\f.znc", "C:\\", "f.znc", "", ""},
                 {"\\f.znc", "\\", "f.znc", "", ""},
                 {"C:f.znc", "C:", "f.znc", "", ""},
                 {"f.znc", "", "f.znc", "", ""},
                 {"d\\f.znc~ZafWindow~MAIN", "d", "f.znc", "~ZafWindow", "~MAIN"},
                 {"f.znc~MAIN", "", "f.znc", "", "~MAIN"},
                 {"C:\\PROGRA~1\\f.znc", "C:\\PROGRA~1", "f.znc", "", ""}};
    for (const auto &c : cases) {
        char directory[ZafMaxPath], file[ZafMaxPath], objectDirectory[ZafMaxPath], objectName[ZafMaxPath];
        SplitPath(c.path, directory, file, objectDirectory, objectName);
        EXPECT_EQ(std::string(c.directory) + "|" + c.file + "|" + c.objectDirectory + "|" + c.objectName,
                  std::string(directory) + "|" + file + "|" + objectDirectory + "|" + objectName)
            << c.path;
    }
}

TEST(ZafPathFunctions, FileExistsCreatesOnlyToTest)
{
    TempDirectory dir;
    const std::string probe = dir.File("probe");
    EXPECT_FALSE(FileExists(probe.c_str()));
    EXPECT_TRUE(FileExists(probe.c_str(), true));
    EXPECT_FALSE(FileExists(probe.c_str())) << "removed again";
    EXPECT_FALSE(FileExists(dir.File("no\\such\\dir").c_str(), true));
}

std::vector<std::string> Elements(const ZafPath &path)
{
    std::vector<std::string> out;
    for (ZafElement *e = path.First(); e; e = e->Next())
        out.push_back(std::string(e->StringID()) + "=" + static_cast<ZafPathElement *>(e)->Directory());
    return out;
}

// "ZAF_PATH" elements go into 255-character path elements; an overlong one
// is skipped, an empty one kept.
TEST(ZafPath, SearchOrderIsCwdThenProgramThenZafPath)
{
    _putenv(("ZAF_PATH=C:\\a;;" + std::string(300, 'z') + ";D:\\b;").c_str());
    ZafPath path("C:\\prog\\mervalo.exe", true);
    _putenv("ZAF_PATH=");
    char cwd[ZafMaxPath];
    ZafDiskFileSystem().GetCWD(cwd, sizeof cwd);
    EXPECT_EQ((std::vector<std::string>{std::string("cwd=") + cwd, "pwd=C:\\prog", "ZAF_PATH=C:\\a",
                                        "ZAF_PATH=", "ZAF_PATH=D:\\b"}),
              Elements(path));
    EXPECT_EQ((std::vector<std::string>{"pwd=mervalo"}), Elements(ZafPath("mervalo", false)))
        << "a program path without separator is taken whole";
    EXPECT_TRUE(ZafPath(nullptr, false).IsEmpty());
}

} // namespace
