// Printing result text into an enhanced-metafile device context (Wine has no
// printer): fonts of the printer's size, one text record a line, lines that
// go on to new pages.
#include <gtest/gtest.h>

#include <windows.h>

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

TEST_F(QivPrinterMetafile, TextGoesOnToNewPagesLineByLine)
{
    TXTWIN window("Frequencies", 0);
    const int lines = 300;
    for (int line = 1; line <= lines; ++line) {
        window.WriteString("line ");
        window.WriteInteger(line);
        window.EndLine();
    }
    QivPrinter printer(dc);
    const int margin = GetDeviceCaps(dc, LOGPIXELSY) / 2;
    const int perPage = (printer.PageHeight() - 2 * margin) / printer.LineHeight();
    ASSERT_GT(perPage, 0);
    // The text's lines and the blank that begins the line after the last end.
    const int printed = lines + 1;
    EXPECT_EQ(window.Print(printer), (printed + perPage - 1) / perPage);
    EXPECT_FALSE(printer.InDocument());

    metafile::Records seen = Close();
    ASSERT_EQ(seen.texts.size(), static_cast<size_t>(printed));
    EXPECT_EQ(seen.texts[0], "line 1");
    EXPECT_EQ(seen.texts[1], " line 2");
}

} // namespace
