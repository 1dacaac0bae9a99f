// The result text writer, used with no window on screen: field layout, line
// ends and rules, a text far past 32,767 bytes kept whole, the growth limit
// refusing rather than cutting, saving as blanks and as tabs, the clipboard
// copy, and the window fitted to its text.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dataset/PFILE.h"
#include "shell/TXTWIN.h"
#include "tests/support/TempDirectory.h"
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
                         testing::Values(LayoutCase{"Right", false, 0, 0, 6, "abc", "   abc"},
                                         LayoutCase{"Left", false, 0, 6, 0, "abc", "abc   "},
                                         LayoutCase{"CentredOddSpaceGoesAfter", false, 6, 0, 0, "abc", " abc  "},
                                         LayoutCase{"CentredWinsOverRight", false, 5, 0, 9, "ab", " ab  "},
                                         LayoutCase{"RightWinsOverLeft", false, 0, 9, 4, "ab", "  ab"},
                                         LayoutCase{"LongerWrittenWholeWithoutCut", false, 0, 0, 3, "abcdef", "abcdef"},
                                         LayoutCase{"LongerCutWithCut", true, 0, 3, 0, "abcdef", "abc"}),
                         [](const testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST(TXTWIN, NumbersTakeTheDecimalsLineEndsStartWithABlankAndRulesClearTheFormats)
{
    TXTWIN window("t", 0);
    window.Right(8);
    window.SetDecimals(2);
    window.WriteReal(3.14159);
    window.WriteDouble(-7.256);
    window.WriteInteger(-42);
    window.EndLine();
    window.NewLine(5);
    window.WriteString("x");
    window.WriteReal(1.5);
    EXPECT_EQ(window.Text(), "    3.14   -7.26     -42\r\n -----\r\n x2");
    EXPECT_EQ(window.LineCount(), 2);
    EXPECT_FALSE(window.ApplyManipulator(PFILE_ENDL + 1));
    window.Clear();
    EXPECT_EQ(window.Text(), "");
    EXPECT_EQ(window.LineCount(), 0);
}

// A value exactly halfway between two printed ones goes to the even last
// digit (the conversion rounds the binary value correctly): 5 and 7 of 16 as
// percentages, 1 and 15 of 16, and the weighted case counts 22.5 and 23.5 of
// the frequency tables' golden texts. Rounding halves away from zero would
// print 31.3, 6.3 and 23.
TEST(TXTWIN, ATieAtTheLastPrintedDecimalGoesToTheEvenDigit)
{
    TXTWIN window("t", 0);
    for (double value : {31.25, 43.75, 6.25, 93.75}) {
        window.Right(6);
        window.SetDecimals(1);
        window.WriteReal(value);
    }
    for (double value : {22.5, 23.5}) {
        window.Right(4);
        window.SetDecimals(0);
        window.WriteReal(value);
    }
    EXPECT_EQ(window.Text(), "  31.2  43.8   6.2  93.8  22  24");
}

// A table the size of a large crosstab: far past the text's first 32,767
// bytes.
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
    WriteLargeTable(window, 3000);
    // 26 characters a row plus "\r\n " for each line.
    EXPECT_EQ(window.Text().size(), 3000u * 29);
    EXPECT_EQ(window.Error(), txtErrorNone);
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
    EXPECT_EQ(window.Text().substr(87), "row       ");
    window.ShowText();
    const std::string shown = window.TextField()->Text();
    EXPECT_EQ(shown.substr(0, window.Text().size()), window.Text());
    EXPECT_NE(shown.find("too long"), std::string::npos);
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A heading of several plain writes, a row of headers with an empty padded
// cell, a rule, two table rows: saved as shown, or with one tab between
// fields and without the rule.
struct SaveCase
{
    const char *name;
    TxtSaveLayout layout;
    const char *expected;
};

class TxtwinSave : public testing::TestWithParam<SaveCase>
{};

TEST_P(TxtwinSave, WritesTheTextInTheLayoutAskedFor)
{
    TXTWIN window("t", 1);
    window.WriteString("v");
    window.WriteInteger(3);
    window.WriteString(" Age");
    window.EndLine();
    window.Right(6);
    window.WriteString("");
    window.WriteString("N");
    window.EndLine();
    window.NewLine(12);
    for (const char *label : {"young", "old"}) {
        window.Left(6);
        window.WriteString(label);
        window.Right(6);
        window.WriteInteger(12);
        window.EndLine();
    }
    testsupport::TempDirectory directory("mervalotxt");
    const std::string path = directory.File("saved.txt");
    ASSERT_TRUE(window.SaveText(path.c_str(), GetParam().layout));
    EXPECT_EQ(ReadFile(path), GetParam().expected);
    EXPECT_FALSE(window.SaveText(directory.File("no_such_folder\\x.txt").c_str(), GetParam().layout));
    EXPECT_EQ(window.Error(), txtErrorFile);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TxtwinSave,
    testing::Values(SaveCase{"Blanks", txtSaveBlanks,
                             "v3 Age\r\n            N\r\n ------------\r\n young     12\r\n old       12\r\n "},
                    SaveCase{"Tabs", txtSaveTabs, "v3 Age\r\n\tN\r\nyoung\t12\r\nold\t12\r\n"}),
    [](const testing::TestParamInfo<SaveCase> &info) { return std::string(info.param.name); });

TEST(TXTWIN, CopyPutsTheTextOnTheClipboard)
{
    TXTWIN window("t", 0);
    window.WriteString("copied");
    ASSERT_TRUE(window.CopyToClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    const std::string copied = data ? static_cast<const char *>(GlobalLock(data)) : "";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "copied");
}

// A result window whose result is a fixed small table.
struct SmallTable : TXTWIN
{
    SmallTable() : TXTWIN("t", 0) {}
    void WriteResult() override
    {
        Clear();
        WriteString("title");
        EndLine();
        Right(12);
        WriteInteger(7);
        EndLine();
        ShowText();
    }
};

TEST(TXTWIN, UpdateWritesTheResultAndFitsTheWindowToTheText)
{
    SmallTable table;
    table.Update();
    // The widest line is " " and 12 columns; two lines and the blank after.
    const ZafRegionRect region = table.Region();
    EXPECT_EQ(region.right - region.left + 1, 13 + 2);
    EXPECT_EQ(region.bottom - region.top + 1, 2 + 2);
    EXPECT_EQ(std::string(table.TextField()->Text()), table.Text());
}

} // namespace
