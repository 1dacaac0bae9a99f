#include "dataset/FileUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(FileUtils, ValidateFileNameGivesTheReason)
{
    const struct
    {
        FileUtils::Reason reason;
        std::vector<const char *> paths;
    } cases[] = {{FileUtils::NAME_VALID,
                  {"survey.QVF", "C:\\data\\survey.QVF", "c:/data/sub dir/x.txt", "\\\\server\\share\\x.txt",
                   "..\\up\\x", "console.txt", "COM0"}},
                 {FileUtils::NAME_EMPTY, {nullptr, "", "C:", "C:\\data\\", "data/", "C:\\data\\.."}},
                 {FileUtils::NAME_RESERVED_CHAR,
                  {"a<b.txt", "a>b", "a\"b", "a|b", "what?.txt", "*.txt", "tab\there", "C:\\a:b", "1:\\x"}},
                 {FileUtils::NAME_DEVICE, {"NUL", "C:\\out\\con.txt", "lpt1", "Com9.dat", "prn\\x.txt"}}};
    for (const auto &c : cases) {
        for (const char *path : c.paths) {
            EXPECT_EQ(FileUtils::ValidateFileName(path), c.reason) << (path ? path : "(null)");
            EXPECT_EQ(FileUtils::IsValidFileName(path), c.reason == FileUtils::NAME_VALID);
        }
    }
}

TEST(FileUtils, PathsOfMaxPathCharactersOrMoreAreTooLong)
{
    std::string longest = "C:\\" + std::string(200, 'd') + "\\" + std::string(MAX_PATH - 1 - 204, 'f');
    ASSERT_EQ(longest.size(), static_cast<size_t>(MAX_PATH - 1));
    EXPECT_TRUE(FileUtils::IsValidFileName(longest.c_str()));
    std::string tooLong = longest + "x";
    EXPECT_EQ(FileUtils::ValidateFileName(tooLong.c_str()), FileUtils::NAME_TOO_LONG);
    std::string huge(100000, 'h');
    EXPECT_EQ(FileUtils::ValidateFileName(huge.c_str()), FileUtils::NAME_TOO_LONG);
    std::string longPart = std::string(256, 'p') + ".txt";
    EXPECT_EQ(FileUtils::ValidateFileName(longPart.c_str()), FileUtils::NAME_TOO_LONG);
}

TEST(FileUtils, CheckFileNameThrowsWithNameAndReason)
{
    EXPECT_NO_THROW(FileUtils::CheckFileName("C:\\ok.txt"));
    try {
        FileUtils::CheckFileName("bad|name.QVF");
        FAIL() << "no exception";
    } catch (const FileUtils::EInvalidFileName &e) {
        EXPECT_STREQ(e.FileName(), "bad|name.QVF");
        EXPECT_EQ(e.GetReason(), FileUtils::NAME_RESERVED_CHAR);
        EXPECT_NE(std::string(e.what()).find("bad|name.QVF"), std::string::npos);
    }
    EXPECT_THROW(FileUtils::CheckFileName(nullptr), FileUtils::EInvalidFileName);
}

} // namespace
