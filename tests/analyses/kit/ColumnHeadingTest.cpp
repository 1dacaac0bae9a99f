// Headings and captions laid out in the room they have: a column heading
// wrapped at blanks on its lines and cut with "..", a page's caption of
// whole variable names cut with ", ..".
#include "analyses/kit/AnalysisBook.h"
#include "analyses/kit/ColumnHeading.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(ColumnHeading, WrapsAtBlanksWithinItsWidth)
{
    EXPECT_EQ((Lines{"Male"}), WrapHeading("Male", 10, 3));
    EXPECT_EQ((Lines{""}), WrapHeading("", 10, 3));
    EXPECT_EQ((Lines{"Employed", "part time"}), WrapHeading("Employed part time", 10, 3));
    // Blanks in a row and at the ends part words and take no room.
    EXPECT_EQ((Lines{"Employed", "part time"}), WrapHeading("  Employed   part  time ", 10, 3));
}

TEST(ColumnHeading, BreaksAWordLongerThanALine)
{
    EXPECT_EQ((Lines{"Metropo", "litan"}), WrapHeading("Metropolitan", 7, 3));
}

TEST(ColumnHeading, CutsWhatTheLinesCannotHoldWithTwoPoints)
{
    const std::string label = "Working at home, caring for family, or in another situation";
    const Lines lines = WrapHeading(label, 14, 3);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("Working at", lines[0]);
    EXPECT_EQ("home, caring", lines[1]);
    // No blank before the points, and no line wider than the column.
    EXPECT_EQ("for family,..", lines[2]);
    for (const std::string &line : WrapHeading(label, 5, 2))
        EXPECT_LE(line.size(), 5u) << line;
    EXPECT_EQ((Lines{"Emp.."}), WrapHeading("Employed part time", 5, 1));
    EXPECT_EQ(3, HeadingLines({"a", label, "b c"}, 14, 3));
}

TEST(PageCaption, NamesWholeVariablesAndEndsInPointsWhenCut)
{
    EXPECT_EQ("v3, v4", AnalysisBook::PageCaption(3, 4));
    EXPECT_EQ("v8, v4, v9", AnalysisBook::ListCaption({8, 4, 9, 0, 7}));
    EXPECT_EQ("v3 x v4, v5", AnalysisBook::ListCaption({4, 5}, "v3 x "));
    std::vector<long> many;
    for (long v = 100; v < 130; ++v)
        many.push_back(v);
    const std::string caption = AnalysisBook::ListCaption(many);
    EXPECT_LE(caption.size(), AnalysisBook::captionLength);
    EXPECT_EQ(", ..", caption.substr(caption.size() - 4));
    EXPECT_EQ(0u, caption.find("v100, v101, "));
}

} // namespace
