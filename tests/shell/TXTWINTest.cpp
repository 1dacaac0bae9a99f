// The result text writer, used with no window on screen: field layout, line
// ends and rules, a text far past 32,767 bytes kept whole, the growth limit
// refusing rather than cutting, saving as blanks and as tabs, and the
// clipboard copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "dataset/PFILE.h"
#include "shell/TXTWIN.h"
#include "zaf/controls/ZafTextField.h"

namespace {

struct LayoutCase
{
    const char *name;
    bool cut;
    int centred, left, right;
    const char *text;
    const char *expected;
};

class TxtwinLayout : public testing::TestWithParam<LayoutCase>
{};

TEST_P(TxtwinLayout, PadsOrCutsToTheActiveWidth)
{
    const LayoutCase &c = GetParam();
    TXTWIN window("t", 0);
    window.SetCut(c.cut);
    window.SetCentredWidth(c.centred);
    window.SetLeftWidth(c.left);
    window.SetRightWidth(c.right);
    window.WriteString(c.text);
    EXPECT_EQ(window.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, TxtwinLayout,
                         testing::Values(LayoutCase{"Plain", false, 0, 0, 0, "abc", "abc"},
                                         LayoutCase{"Right", false, 0, 0, 6, "abc", "   abc"},
                                         LayoutCase{"Left", false, 0, 6, 0, "abc", "abc   "},
                                         LayoutCase{"CentredOddSpaceGoesAfter", false, 6, 0, 0, "abc", " abc  "},
                                         LayoutCase{"CentredWinsOverRight", false, 5, 0, 9, "ab", " ab  "},
                                         LayoutCase{"RightWinsOverLeft", false, 0, 9, 4, "ab", "  ab"},
                                         LayoutCase{"LongerWrittenWholeWithoutCut", false, 0, 0, 3, "abcdef", "abcdef"},
                                         LayoutCase{"LongerCutWithCut", true, 0, 3, 0, "abcdef", "abc"},
                                         LayoutCase{"EmptyTextFillsTheWidth", false, 0, 0, 4, "", "    "}),
                         [](const testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST(TXTWIN, NumbersTakeTheDecimalsAndTheWidth)
{
    TXTWIN window("t", 0);
    window.Right(8);
    window.SetDecimals(2);
    window.WriteReal(3.14159);
    window.WriteDouble(-7.256);
    window.WriteInteger(-42);
    EXPECT_EQ(window.Text(), "    3.14   -7.26     -42");
}

TEST(TXTWIN, LineEndsStartEachLineWithABlankAndRulesClearTheFormats)
{
    TXTWIN window("t", 0);
    window.Right(4);
    window.SetCut(true);
    window.SetDecimals(3);
    window.WriteString("a");
    window.EndLine();
    window.NewLine(5);
    window.WriteString("longer");
    window.WriteReal(1.5);
    EXPECT_EQ(window.Text(), "   a\r\n -----\r\n longer2");
    EXPECT_EQ(window.LineCount(), 2);
    EXPECT_FALSE(window.ApplyManipulator(PFILE_ENDL + 1));

    window.Clear();
    EXPECT_EQ(window.Text(), "");
    EXPECT_EQ(window.LineCount(), 0);
}

// A table the size of a large crosstab: far past the old fixed buffer.
void WriteLargeTable(TXTWIN &window, int rows)
{
    window.SetDecimals(2);
    for (int row = 1; row <= rows; ++row) {
        window.Left(10);
        window.WriteString("row");
        window.Right(8);
        window.WriteInteger(row);
        window.WriteReal(row / 7.0);
        window.EndLine();
    }
}

TEST(TXTWIN, TextFarPastTheFirstBufferIsKeptWholeAndShown)
{
    TXTWIN window("t", 0);
    const int rows = 3000;
    WriteLargeTable(window, rows);
    // 26 characters a row plus "\r\n " for each line.
    EXPECT_EQ(window.Text().size(), static_cast<size_t>(rows) * 29);
    EXPECT_GT(window.Text().size(), 32767u);
    EXPECT_EQ(window.Error(), txtErrorNone);
    EXPECT_EQ(window.LineCount(), rows);
    const std::string lastLine = "row           3000  428.57\r\n ";
    EXPECT_EQ(window.Text().substr(window.Text().size() - lastLine.size()), lastLine);

    window.ShowText();
    EXPECT_EQ(std::string(window.TextField()->Text()), window.Text());
}

TEST(TXTWIN, ATextThatWouldPassTheLimitIsRefusedAndSaysSo)
{
    TXTWIN window("t", 0);
    window.SetTextLimit(100);
    WriteLargeTable(window, 10);
    EXPECT_EQ(window.Error(), txtErrorTooLong);
    // Whole writes only: three complete rows (87 bytes) and the next row's
    // first field; the field that did not fit and everything after it is out.
    EXPECT_EQ(window.Text().size(), 97u);
    EXPECT_EQ(window.Text().substr(87), "row       ");
    EXPECT_EQ(window.LineCount(), 3);

    window.ShowText();
    std::string shown = window.TextField()->Text();
    EXPECT_EQ(shown.substr(0, window.Text().size()), window.Text());
    EXPECT_NE(shown.find("too long"), std::string::npos);

    window.Clear();
    EXPECT_EQ(window.Error(), txtErrorNone);
    window.WriteString("again");
    EXPECT_EQ(window.Text(), "again");
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class TxtwinSave : public testing::Test
{
protected:
    void SetUp() override
    {
        // A heading line, a rule, two table rows: widths, a plain title of
        // several writes, an empty padded cell.
        window.WriteString("v");
        window.WriteInteger(3);
        window.WriteString(" Age group");
        window.EndLine();
        window.Right(8);
        window.WriteString("");
        window.WriteString("N");
        window.WriteString("%");
        window.EndLine();
        window.NewLine(24);
        window.Left(8);
        window.WriteString("young");
        window.Right(8);
        window.WriteInteger(12);
        window.SetDecimals(1);
        window.WriteReal(40.0);
        window.EndLine();
        window.Left(8);
        window.WriteString("old age");
        window.Right(8);
        window.WriteInteger(18);
        window.SetDecimals(1);
        window.WriteReal(60.0);
        window.EndLine();
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    TXTWIN window{"t", 1};
    std::string path = "txtwin_save.txt";
};

TEST_F(TxtwinSave, BlanksKeepTheTextAsShown)
{
    ASSERT_TRUE(window.SaveText(path.c_str(), txtSaveBlanks));
    EXPECT_EQ(ReadFile(path), window.Text());
    EXPECT_EQ(ReadFile(path), "v3 Age group\r\n"
                              "                N       %\r\n"
                              " ------------------------\r\n"
                              " young         12    40.0\r\n"
                              " old age       18    60.0\r\n ");
}

TEST_F(TxtwinSave, TabsPutOneTabBetweenFieldsAndLeaveOutRules)
{
    ASSERT_TRUE(window.SaveText(path.c_str(), txtSaveTabs));
    EXPECT_EQ(ReadFile(path), "v3 Age group\r\n"
                              "\tN\t%\r\n"
                              "young\t12\t40.0\r\n"
                              "old age\t18\t60.0\r\n");
}

TEST_F(TxtwinSave, AFileThatCannotBeWrittenIsAnError)
{
    EXPECT_FALSE(window.SaveText("no_such_folder\\x.txt", txtSaveBlanks));
    EXPECT_EQ(window.Error(), txtErrorFile);
}

TEST_F(TxtwinSave, CopyPutsTheTextOnTheClipboard)
{
    ASSERT_TRUE(window.CopyToClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    std::string copied = static_cast<const char *>(GlobalLock(data));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, window.Text());
}

} // namespace

namespace {

// A result window whose result is a fixed small table.
struct SmallTable : TXTWIN
{
    SmallTable() : TXTWIN("t", 0) {}
    void WriteResult() override
    {
        ++writes;
        Clear();
        WriteString("title");
        EndLine();
        Right(12);
        WriteInteger(7);
        EndLine();
        ShowText();
    }
    int writes = 0;
};

TEST(TXTWIN, UpdateWritesTheResultAndFitsTheWindowToTheText)
{
    SmallTable table;
    table.Update();
    table.Update();
    EXPECT_EQ(table.writes, 2);
    // The widest line is " " and 12 columns; two lines and the blank after.
    const ZafRegionRect region = table.Region();
    EXPECT_EQ(region.right - region.left + 1, 13 + 2);
    EXPECT_EQ(region.bottom - region.top + 1, 2 + 2);
    EXPECT_EQ(std::string(table.TextField()->Text()), table.Text());
}

} // namespace
