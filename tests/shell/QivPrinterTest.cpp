// Printing result text into an enhanced-metafile device context (Wine has no
// printer): fonts of the printer's size, one text record a line, lines that
// go on to new pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "tests/shell/MetafileRecords.h"

namespace {

class QivPrinterMetafile : public testing::Test
{
protected:
    void SetUp() override
    {
        dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(dc, nullptr);
    }
    // Ends the metafile and reads its records back.
    metafile::Records Close()
    {
        HDC recorded = dc;
        dc = nullptr;
        return metafile::Close(recorded);
    }
    void TearDown() override
    {
        if (dc)
            DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    }
    HDC dc = nullptr;
};

TEST_F(QivPrinterMetafile, FontsHaveThePrintersSizeAndALineIsDrawnOnlyInAPage)
{
    const LONG expected = -MulDiv(QivPrinter::textPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    QivPrinter printer(dc);
    for (int index : {ZAF_FONT_SYSTEM, ZAF_FONT_DIALOG, ZAF_FONT_FIXED}) {
        LOGFONTA font = {};
        ASSERT_TRUE(GetObjectA(printer.Font(index), sizeof font, &font)) << index;
        EXPECT_EQ(font.lfHeight, expected) << index;
        EXPECT_EQ(index == ZAF_FONT_FIXED, (font.lfPitchAndFamily & 3) == FIXED_PITCH) << index;
    }
    EXPECT_EQ(printer.DrawTextLine(10, 20, 500, "outside"), 20);
    ASSERT_TRUE(printer.BeginDocument("t"));
    ASSERT_TRUE(printer.BeginPage());
    EXPECT_EQ(printer.DrawTextLine(10, 20, 500, "inside and more", 6), 20 + printer.LineHeight());
    ASSERT_TRUE(printer.EndDocument());
    metafile::Records seen = Close();
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"inside"}));
    // Drawn in the printer's fixed font.
    ASSERT_FALSE(seen.fontHeights.empty());
    EXPECT_EQ(seen.fontHeights.front(), expected);
}

// Lines a printed page holds under its running head.
int BodyLines(QivPrinter &printer)
{
    return (printer.PageHeight() - 2 * printer.Margin()) / printer.LineHeight() - TXTWIN::runningHeadLines;
}

TEST_F(QivPrinterMetafile, TextGoesOnToNewPagesUnderARunningHeadWithThePageNumber)
{
    TXTWIN window("Frequencies", 0);
    const int lines = 300;
    for (int line = 1; line <= lines; ++line) {
        window.WriteString("line ");
        window.WriteInteger(line);
        window.EndLine();
    }
    window.SetRunningHead("Frequency table - v1");
    QivPrinter printer(dc);
    const int perPage = BodyLines(printer);
    ASSERT_GT(perPage, 0);
    const int pages = (lines + perPage - 1) / perPage;
    EXPECT_EQ(window.Print(printer), pages);
    EXPECT_FALSE(printer.InDocument());

    metafile::Records seen = Close();
    // Each page: the running head, "page n of m", then its lines.
    ASSERT_EQ(seen.texts.size(), static_cast<size_t>(lines + 2 * pages));
    EXPECT_EQ(seen.texts[0], "Frequency table - v1");
    EXPECT_EQ(seen.texts[1], "page 1 of " + std::to_string(pages));
    EXPECT_EQ(seen.texts[2], "line 1");
    EXPECT_EQ(seen.texts[3], " line 2");
    const size_t second = 2 + perPage;
    EXPECT_EQ(seen.texts[second + 1], "page 2 of " + std::to_string(pages));
    EXPECT_EQ(seen.texts[second + 2], " line " + std::to_string(perPage + 1));
}

TEST_F(QivPrinterMetafile, AWideTextPrintsSmallerButReadableAndNothingIsCut)
{
    QivPrinter printer(dc);
    const int room = printer.PageWidth() - 2 * printer.Margin();
    const int regular = room / printer.CharWidth();
    // Wider than the page at the regular size, narrow enough for 6 points.
    TXTWIN wide("Crosstab", 0);
    const std::string line = std::string(regular + regular / 3 - 2, 'x') + "Total";
    wide.WriteString(line.c_str());
    wide.EndLine();
    ASSERT_EQ(wide.Print(printer), 1);
    EXPECT_LT(printer.TextSize(), QivPrinter::textPoints * 10);
    EXPECT_GE(printer.TextSize(), 60);
    EXPECT_LE(static_cast<int>(line.size()) * printer.CharWidth(), room);

    // Far too wide even for 6 points: the line goes on over further lines,
    // each within the paper, every character printed once.
    TXTWIN wider("Crosstab", 0);
    std::string longLine;
    for (int i = 0; i < 60; ++i)
        longLine += "c" + std::to_string(100 + i) + " ";
    longLine += "Total";
    wider.WriteString(longLine.c_str());
    wider.EndLine();
    ASSERT_EQ(wider.Print(printer), 1);
    EXPECT_EQ(printer.TextSize(), 60);
    const TXTWIN::PrintLayout layout = wider.LayOutForPrinter(printer);
    ASSERT_GT(layout.lines.size(), 1u);
    std::string joined;
    for (const std::string &printed : layout.lines) {
        EXPECT_LE(static_cast<int>(printed.size()) * printer.CharWidth(), room) << printed;
        for (char c : printed)
            if (c != ' ')
                joined += c;
    }
    std::string expected;
    for (char c : longLine)
        if (c != ' ')
            expected += c;
    EXPECT_EQ(joined, expected);
}

// A table as the result writers lay it out: caption, column headings, rule,
// rows, rule, totals, rule.
void WriteTable(TXTWIN &text, const std::string &caption, int rows)
{
    const auto line = [&text](const std::string &content) {
        text.WriteString(content.c_str());
        text.EndLine();
    };
    line(caption);
    line("             male female   Total");
    text.NewLine(32);
    for (int row = 1; row <= rows; ++row)
        line("row " + std::to_string(row) + std::string(row < 10 ? 8 : 7, ' ') + "3      7      10");
    text.NewLine(32);
    line("Total         15     22      37");
    text.NewLine(32);
}

TEST_F(QivPrinterMetafile, TablesKeepTogetherAndATableThatRunsOverRepeatsItsHeadings)
{
    QivPrinter printer(dc);
    TXTWIN measure("t", 0);
    measure.LayOutForPrinter(printer);
    const int perPage = BodyLines(printer);
    ASSERT_GT(perPage, 20);
    TXTWIN text("Crosstab", 0);
    // The first table leaves five lines: too few for the second, which
    // fits on a page and so starts the next one.
    const int firstRows = perPage - 6 - 5;
    WriteTable(text, "Counts", firstRows);
    WriteTable(text, "Column percentages", 10);
    // A table longer than a page runs over with its headings repeated.
    WriteTable(text, "Row percentages", perPage + 5);

    const TXTWIN::PrintLayout layout = text.LayOutForPrinter(printer);
    ASSERT_GE(layout.pages.size(), 3u);
    const auto lineOf = [&layout](size_t page, size_t index) {
        return layout.lines[layout.pages[page][index]];
    };
    EXPECT_EQ(lineOf(0, 0), "Counts");
    EXPECT_EQ(lineOf(1, 0), " Column percentages");
    // The long table follows on the same page, and each page it runs onto
    // starts with its caption, headings and rule before the next row.
    EXPECT_EQ(lineOf(1, 16), " Row percentages");
    for (size_t page = 2; page < layout.pages.size(); ++page) {
        EXPECT_EQ(lineOf(page, 0), " Row percentages") << page;
        EXPECT_EQ(lineOf(page, 1), "              male female   Total") << page;
        EXPECT_EQ(lineOf(page, 2).find_first_not_of(" -"), std::string::npos) << page;
        EXPECT_EQ(lineOf(page, 3).compare(0, 5, " row "), 0) << page;
    }
    for (const auto &page : layout.pages)
        EXPECT_LE(static_cast<int>(page.size()), perPage);
    // The totals line above a closing rule is a row, not a table's start:
    // no page begins with it.
    for (size_t page = 0; page < layout.pages.size(); ++page)
        EXPECT_NE(lineOf(page, 0).compare(0, 6, " Total"), 0) << page;
}

// A graph's texts leave the context centred; a printed line starts at its
// left edge all the same, and leaves the context as it found it.
TEST(QivPrinterState, ALineStartsAtItsLeftEdgeWhateverAlignmentTheContextHas)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 600, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    {
        QivPrinter printer(memory);
        const RECT all = {0, 0, 600, 100};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextAlign(memory, TA_CENTER | TA_BASELINE);
        ASSERT_TRUE(printer.BeginDocument("t"));
        ASSERT_TRUE(printer.BeginPage());
        printer.DrawTextLine(200, 20, 580, "XXXXXXXXXX");
        ASSERT_TRUE(printer.EndDocument());
        EXPECT_EQ(GetTextAlign(memory), static_cast<UINT>(TA_CENTER | TA_BASELINE));
        int leftmost = 600;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 600; ++x)
                if (GetPixel(memory, x, y) != RGB(255, 255, 255))
                    leftmost = std::min(leftmost, x);
        EXPECT_GE(leftmost, 200);
        EXPECT_LT(leftmost, 200 + printer.CharWidth());
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

} // namespace
