#include "dataset/FileUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct NameCase {
    const char *path;
    FileUtils::Reason reason;
};

class FileNameCheck : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameCheck, GivesTheReason) {
    const NameCase &c = GetParam();
    EXPECT_EQ(FileUtils::ValidateFileName(c.path), c.reason) << (c.path ? c.path : "(null)");
    EXPECT_EQ(FileUtils::IsValidFileName(c.path), c.reason == FileUtils::NAME_VALID);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameCheck,
    ::testing::Values(NameCase{"survey.QVF", FileUtils::NAME_VALID},
                      NameCase{"C:\\data\\survey.QVF", FileUtils::NAME_VALID},
                      NameCase{"c:/data/sub dir/x.txt", FileUtils::NAME_VALID},
                      NameCase{"\\\\server\\share\\x.txt", FileUtils::NAME_VALID},
                      NameCase{"..\\up\\x", FileUtils::NAME_VALID},
                      NameCase{"console.txt", FileUtils::NAME_VALID},
                      NameCase{"COM0", FileUtils::NAME_VALID},
                      NameCase{nullptr, FileUtils::NAME_EMPTY},
                      NameCase{"", FileUtils::NAME_EMPTY},
                      NameCase{"C:", FileUtils::NAME_EMPTY},
                      NameCase{"C:\\data\\", FileUtils::NAME_EMPTY},
                      NameCase{"data/", FileUtils::NAME_EMPTY},
                      NameCase{"C:\\data\\..", FileUtils::NAME_EMPTY},
                      NameCase{"a<b.txt", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"a>b", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"a\"b", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"a|b", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"what?.txt", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"*.txt", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"tab\there", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"C:\\a:b", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"1:\\x", FileUtils::NAME_RESERVED_CHAR},
                      NameCase{"NUL", FileUtils::NAME_DEVICE},
                      NameCase{"C:\\out\\con.txt", FileUtils::NAME_DEVICE},
                      NameCase{"lpt1", FileUtils::NAME_DEVICE},
                      NameCase{"Com9.dat", FileUtils::NAME_DEVICE},
                      NameCase{"prn\\x.txt", FileUtils::NAME_DEVICE}));

TEST(FileUtils, PathsOfMaxPathCharactersOrMoreAreTooLong) {
    std::string longest = "C:\\" + std::string(200, 'd') + "\\" +
                          std::string(MAX_PATH - 1 - 204, 'f');
    ASSERT_EQ(longest.size(), static_cast<size_t>(MAX_PATH - 1));
    EXPECT_TRUE(FileUtils::IsValidFileName(longest.c_str()));
    std::string tooLong = longest + "x";
    EXPECT_EQ(FileUtils::ValidateFileName(tooLong.c_str()), FileUtils::NAME_TOO_LONG);
    std::string huge(100000, 'h');
    EXPECT_EQ(FileUtils::ValidateFileName(huge.c_str()), FileUtils::NAME_TOO_LONG);
    std::string longPart = std::string(256, 'p') + ".txt";
    EXPECT_EQ(FileUtils::ValidateFileName(longPart.c_str()), FileUtils::NAME_TOO_LONG);
}

TEST(FileUtils, CheckFileNameThrowsWithNameAndReason) {
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

}  // namespace
