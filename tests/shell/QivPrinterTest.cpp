// Printing result text into an enhanced-metafile device context (Wine has no
// printer): fonts of the printer's size, one text record a line, lines that
// go on to new pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
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
    EXPECT_LE(printer.TextWidth(static_cast<int>(line.size())), room);

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
        EXPECT_LE(printer.TextWidth(static_cast<int>(printed.size())), room) << printed;
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

// A crosstab of twenty columns, far wider than the paper at the smallest
// size: printed in bands of whole columns, each repeating the row labels
// and its own column headings (two lines of them).
TEST_F(QivPrinterMetafile, ATableWiderThanThePaperPrintsInBandsOfWholeColumns)
{
    QivPrinter printer(dc);
    TXTWIN text("Crosstab", 0);
    const auto line = [&text](const std::string &content) {
        text.WriteString(content.c_str());
        text.EndLine();
    };
    const std::vector<std::string> labels = {"Capital City", "Bay Area", "Old Mining District", "Total"};
    // Lines after the first begin with a blank: the headings' cells end
    // where the rows' cells end.
    std::string top = std::string(21, ' '), bottom = std::string(21, ' ');
    for (int c = 1; c <= 20; ++c) {
        const std::string name = c % 2 ? "Bay" : "Old", rest = c % 2 ? "Area" : "Mining";
        top += std::string(16 - name.size(), ' ') + name;
        bottom += std::string(16 - rest.size(), ' ') + rest;
    }
    line(" Row percentages");
    line(top);
    line(bottom);
    text.NewLine(32);
    std::vector<std::string> rows;
    for (std::size_t r = 0; r < labels.size(); ++r) {
        std::string row = labels[r] + std::string(22 - 1 - labels[r].size(), ' ');
        for (int c = 1; c <= 20; ++c) {
            const std::string figure = std::to_string(100 + c) + "." + std::to_string(10 + r);
            row += std::string(16 - figure.size(), ' ') + figure;
        }
        rows.push_back(row);
        line(row);
    }
    text.NewLine(32);
    line("Chi-square = 11.146");

    const TXTWIN::PrintLayout layout = text.LayOutForPrinter(printer);
    EXPECT_GE(layout.textTenths, 60) << "never below a readable size";
    const int room = printer.PageWidth() - 2 * printer.Margin();
    std::vector<std::string> figures, printedLabels;
    int bands = 0;
    for (const std::string &printed : layout.lines) {
        EXPECT_LE(printer.TextWidth(static_cast<int>(printed.size())), room) << printed;
        if (printed == " Row percentages")
            ++bands;
        std::istringstream words(printed);
        for (std::string word; words >> word;)
            if (word.find('.') != std::string::npos && word.find_first_not_of("0123456789.") == std::string::npos)
                figures.push_back(word);
    }
    // Every band: its caption, its headings' two lines, a rule, then each
    // row beginning with its whole label.
    ASSERT_GT(bands, 1);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        if (layout.lines[i] != " Row percentages")
            continue;
        ASSERT_LT(i + 4 + labels.size(), layout.lines.size());
        EXPECT_NE(layout.lines[i + 1].find("Bay"), std::string::npos) << layout.lines[i + 1];
        EXPECT_NE(layout.lines[i + 2].find("Area"), std::string::npos) << layout.lines[i + 2];
        EXPECT_TRUE(layout.lines[i + 3].find_first_not_of(" -") == std::string::npos);
        for (std::size_t r = 0; r < labels.size(); ++r)
            EXPECT_EQ(layout.lines[i + 4 + r].compare(0, labels[r].size() + 1, " " + labels[r]), 0)
                << layout.lines[i + 4 + r];
    }
    // Each figure printed once, whole; the statistics under the table once.
    std::vector<std::string> expected{"11.146"};
    for (const std::string &row : rows) {
        std::istringstream words(row);
        for (std::string word; words >> word;)
            if (word.find('.') != std::string::npos && word.find_first_not_of("0123456789.") == std::string::npos)
                expected.push_back(word);
    }
    std::sort(figures.begin(), figures.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(figures, expected);
    EXPECT_EQ(std::count(layout.lines.begin(), layout.lines.end(), " Chi-square = 11.146"), 1);
}

// A list of rows wider than the paper (one row per case): each row goes on
// over further lines at the same columns and stays on one page, and every
// page repeats all the printed lines of the heading row.
TEST_F(QivPrinterMetafile, AWideListKeepsEachRowOnOnePageUnderItsWholeHeading)
{
    QivPrinter printer(dc);
    TXTWIN text("Case list", 0);
    // The heading is the text's first line, which begins without the blank
    // the others begin with.
    std::string heading = "        ";
    for (int c = 0; c < 18; ++c)
        heading += std::string(4, ' ') + "var" + std::to_string(10 + c) + "title";
    text.WriteString(heading.c_str());
    text.EndLine();
    for (int row = 1; row <= 400; ++row) {
        std::string line = std::string(5 - std::to_string(row).size(), ' ') + std::to_string(row) + ") ";
        for (int c = 0; c < 18; ++c) {
            const std::string cell = std::to_string(row * 100 + c);
            line += std::string(14 - cell.size(), ' ') + cell;
        }
        text.WriteString(line.c_str());
        text.EndLine();
    }
    text.SetRepeatedHeadingLines(1);
    const TXTWIN::PrintLayout layout = text.LayOutForPrinter(printer);
    ASSERT_GT(layout.pages.size(), 2u);
    // The heading's printed lines: those before the first row's.
    std::vector<std::string> headingLines;
    for (int index : layout.pages[0]) {
        if (layout.lines[index].find(")") != std::string::npos)
            break;
        headingLines.push_back(layout.lines[index]);
    }
    ASSERT_GT(headingLines.size(), 1u) << "the heading goes on over a second line";
    for (std::size_t page = 0; page < layout.pages.size(); ++page) {
        const std::vector<int> &lines = layout.pages[page];
        ASSERT_GT(lines.size(), headingLines.size());
        for (std::size_t h = 0; h < headingLines.size(); ++h)
            EXPECT_EQ(layout.lines[lines[h]], headingLines[h]) << "page " << page + 1;
        // After the heading a row begins, never the rest of one.
        EXPECT_NE(layout.lines[lines[headingLines.size()]].find(")"), std::string::npos) << "page " << page + 1;
        // The page ends with a row's last line.
        EXPECT_EQ(layout.lines[lines.back()].find(")"), std::string::npos) << "page " << page + 1;
    }
    // No cell is cut: every figure stands whole in the printed lines.
    std::vector<std::string> words;
    for (const std::string &line : layout.lines) {
        std::istringstream in(line);
        for (std::string word; in >> word;)
            words.push_back(word);
    }
    for (int row : {1, 77, 400})
        for (int c : {0, 9, 17})
            EXPECT_NE(std::find(words.begin(), words.end(), std::to_string(row * 100 + c)), words.end())
                << row << " " << c;
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
