#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

namespace {

std::string Owned(char *text)
{
    std::unique_ptr<char[]> holder(text);
    return text ? std::string(text) : std::string("<null>");
}

} // namespace

// --- No-case comparisons ---------------------------------------------------------

TEST(ZafTextCompare, NoCaseComparesFoldLatin1Letters)
{
    EXPECT_EQ(CompareTextNoCase("MAINWINDOW", "mainWindow"), 0);
    EXPECT_EQ(CompareTextNoCase("\xC4rger", "\xE4rger"), 0);
    // Sharp s and the division sign do not fold onto anything.
    EXPECT_NE(CompareTextNoCase("\xDF", "\xFF"), 0);
    EXPECT_NE(CompareTextNoCase("\xD7", "\xF7"), 0);
    // The difference of the first differing folded pair, bytes unsigned.
    EXPECT_EQ(CompareTextNoCase("abc", "ABD"), 'c' - 'd');
    EXPECT_GT(CompareTextNoCase("\xE9", "z"), 0);
    EXPECT_LT(CompareTextNoCase("ab", "ABC"), 0);
}

TEST(ZafTextCompare, NoCaseComparesTakeNullsLikeZafStringCompare)
{
    EXPECT_EQ(CompareTextNoCase(nullptr, nullptr), 0);
    EXPECT_LT(CompareTextNoCase(nullptr, ""), 0);
    EXPECT_GT(CompareTextNoCase("a", nullptr), 0);
    EXPECT_EQ(ZafStringCompareNoCaseN(nullptr, nullptr, 4), 0);
    EXPECT_LT(ZafStringCompareNoCaseN(nullptr, "x", 4), 0);
    EXPECT_GT(ZafStringCompareNoCaseN("x", nullptr, 4), 0);
}

TEST(ZafTextCompare, NoCaseNStopsAfterNCharactersOrAtACommonEnd)
{
    EXPECT_EQ(ZafStringCompareNoCaseN("ZafButtonX", "zafbutton", 9), 0);
    EXPECT_NE(ZafStringCompareNoCaseN("ZafButtonX", "zafbutton", 10), 0);
    EXPECT_EQ(ZafStringCompareNoCaseN("Ab", "aB", 50), 0);
    EXPECT_EQ(ZafStringCompareNoCaseN("abc", "xyz", 0), 0);
    EXPECT_LT(ZafStringCompareNoCaseN("ab", "abc", 3), 0);
}

namespace {

struct TextObject : ZafWindowObject
{
    explicit TextObject(const char *t) : ZafWindowObject(0, 0, 1, 1), text(t) {}
    const char *Text() override { return text; }
    const char *text;
};

int ReverseOrder(const char *a, const char *b)
{
    return std::strcmp(b, a) * 7;
}

} // namespace

TEST(ZafTextCompare, SortKeyCompareFoldsByDefaultAndUsesTheInstalledHook)
{
    EXPECT_EQ(CompareStringsBySortKey("apple", "APPLE"), 0);
    EXPECT_EQ(CompareStringsBySortKey("apple", "Banana"), -1);
    EXPECT_EQ(CompareStringsBySortKey(nullptr, "a"), -1);

    EXPECT_EQ(SetSortKeyCompare(ReverseOrder), nullptr);
    // The hook's answer is reduced to -1, 0 or 1.
    EXPECT_EQ(CompareStringsBySortKey("apple", "banana"), 1);
    EXPECT_EQ(SetSortKeyCompare(nullptr), ReverseOrder);
    EXPECT_EQ(CompareStringsBySortKey("apple", "banana"), -1);
}

TEST(ZafTextCompare, CompareObjectTextsPutsObjectsWithoutTextFirst)
{
    TextObject none(nullptr), apple("apple"), banana("Banana");
    ZafElement plain;
    EXPECT_EQ(CompareObjectTexts(&none, &apple), -1);
    EXPECT_EQ(CompareObjectTexts(&apple, &none), 1);
    EXPECT_EQ(CompareObjectTexts(&none, &none), -1);
    EXPECT_EQ(CompareObjectTexts(&plain, &apple), -1);
    EXPECT_EQ(CompareObjectTexts(&apple, &banana), -1);
    EXPECT_EQ(CompareObjectTexts(&banana, &apple), 1);
}

// --- Wildcards -------------------------------------------------------------------

struct WildcardCase
{
    const char *name;
    const char *pattern;
    bool matches;
};

void PrintTo(const WildcardCase &c, std::ostream *os)
{
    *os << '"' << c.name << "\" against \"" << c.pattern << '"';
}

class ZafWildcardMatchTest : public ::testing::TestWithParam<WildcardCase>
{
};

TEST_P(ZafWildcardMatchTest, MatchesTheWholeName)
{
    const WildcardCase &c = GetParam();
    EXPECT_EQ(ZafWildcardMatch(c.name, c.pattern) == 0, c.matches)
        << '"' << c.name << "\" against \"" << c.pattern << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ZafWildcardMatchTest,
    ::testing::Values(
        WildcardCase{"MERVALO.ZNC", "MERVALO.ZNC", true},
        WildcardCase{"MERVALO.ZNC", "mervalo.znc", false},  // case counts
        WildcardCase{"a.b", "*.*", true},
        WildcardCase{"ab", "*.*", false},
        WildcardCase{".", "*.*", true},                      // both runs empty
        WildcardCase{"", "*", true},
        WildcardCase{"", "", true},
        WildcardCase{"", "?", false},
        WildcardCase{"x", "", false},
        WildcardCase{"abc", "a*b*c", true},
        WildcardCase{"aXbYc", "a*b*c", true},
        WildcardCase{"abcbc", "a*b*c", true},
        WildcardCase{"abcb", "a*b*c", false},                // must end in c
        WildcardCase{"acb", "a*b*c", false},
        WildcardCase{"file.txt", "file*", true},             // trailing star
        WildcardCase{"file", "file*", true},
        WildcardCase{"file", "file**", true},
        WildcardCase{"fil", "file*", false},
        WildcardCase{"qivst049.btx", "qivst???.btx", true},
        WildcardCase{"qivst49.btx", "qivst???.btx", false},  // '?' is exactly one
        WildcardCase{"qivst0049.btx", "qivst???.btx", false},
        WildcardCase{"mississippi", "*sip*", true},
        WildcardCase{"mississippi", "m*iss*ppi", true},
        WildcardCase{"mississippi", "m*issip*x", false},
        WildcardCase{"aaaaaaaaaaaaaaaaaaab", "*a*a*a*a*b", true},
        WildcardCase{"aaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*b", false},
        WildcardCase{"?", "?", true},
        WildcardCase{"*", "?", true}));

TEST(ZafWildcardMatch, NullTextsCountAsEmpty)
{
    EXPECT_EQ(ZafWildcardMatch(nullptr, "*"), 0);
    EXPECT_NE(ZafWildcardMatch(nullptr, "a"), 0);
    EXPECT_EQ(ZafWildcardMatch("", nullptr), 0);
    EXPECT_NE(ZafWildcardMatch("a", nullptr), 0);
}

// --- Hot keys --------------------------------------------------------------------

TEST(ZafInsertHotKey, MarksTheCharacterAtTheIndex)
{
    EXPECT_EQ(Owned(ZafInsertHotKey("Exit", 1)), "E&xit");
    EXPECT_EQ(Owned(ZafInsertHotKey("Close", 0)), "&Close");
    EXPECT_EQ(Owned(ZafInsertHotKey("Close", 4)), "Clos&e");
}

TEST(ZafInsertHotKey, DoublesEveryAmpersand)
{
    EXPECT_EQ(Owned(ZafInsertHotKey("Cut & Paste", -1)), "Cut && Paste");
    EXPECT_EQ(Owned(ZafInsertHotKey("&&", -1)), "&&&&");
    // The index counts in the original text.
    EXPECT_EQ(Owned(ZafInsertHotKey("A&B", 2)), "A&&&B");
    EXPECT_EQ(Owned(ZafInsertHotKey("&x", 1)), "&&&x");
}

TEST(ZafInsertHotKey, BadIndexesInsertNoMark)
{
    EXPECT_EQ(Owned(ZafInsertHotKey("Copy", -1)), "Copy");
    EXPECT_EQ(Owned(ZafInsertHotKey("Copy", 4)), "Copy");  // at the end: no character
    EXPECT_EQ(Owned(ZafInsertHotKey("Copy", 5)), "Copy");
    EXPECT_EQ(Owned(ZafInsertHotKey("Copy", INT_MAX)), "Copy");
    EXPECT_EQ(Owned(ZafInsertHotKey("Copy", -7)), "Copy");
    EXPECT_EQ(Owned(ZafInsertHotKey("", 0)), "");
    // An '&' cannot be the hot key: "&&&" would mark the next character.
    EXPECT_EQ(Owned(ZafInsertHotKey("a&b", 1)), "a&&b");
    EXPECT_EQ(Owned(ZafInsertHotKey(nullptr, 0)), "<null>");
}

// --- Integer text ------------------------------------------------------------------

TEST(ZafIntegerToText, DecimalAtTheLimits)
{
    char buffer[32];
    EXPECT_STREQ(ZafIntegerToText(0, buffer, sizeof(buffer)), "0");
    EXPECT_STREQ(ZafIntegerToText(-7, buffer, sizeof(buffer)), "-7");
    EXPECT_STREQ(ZafIntegerToText(INT_MAX, buffer, sizeof(buffer)), "2147483647");
    EXPECT_STREQ(ZafIntegerToText(INT_MIN, buffer, sizeof(buffer)), "-2147483648");
    EXPECT_STREQ(ZafIntegerToText(INT_MIN + 1, buffer, sizeof(buffer)), "-2147483647");
}

TEST(ZafIntegerToText, OtherRadixesWriteTheUnsignedForm)
{
    char buffer[40];
    EXPECT_STREQ(ZafIntegerToText(255, buffer, sizeof(buffer), 16), "ff");
    EXPECT_STREQ(ZafIntegerToText(-1, buffer, sizeof(buffer), 16), "ffffffff");
    EXPECT_STREQ(ZafIntegerToText(INT_MIN, buffer, sizeof(buffer), 16), "80000000");
    EXPECT_STREQ(ZafIntegerToText(5, buffer, sizeof(buffer), 2), "101");
    EXPECT_STREQ(ZafIntegerToText(-1, buffer, sizeof(buffer), 2),
                 "11111111111111111111111111111111");
    EXPECT_STREQ(ZafIntegerToText(8, buffer, sizeof(buffer), 8), "10");
    // An impossible radix is taken as 10.
    EXPECT_STREQ(ZafIntegerToText(-42, buffer, sizeof(buffer), 1), "-42");
    EXPECT_STREQ(ZafIntegerToText(42, buffer, sizeof(buffer), 17), "42");
}

TEST(ZafIntegerToText, FillsWithZerosToTheMinimumWidth)
{
    char buffer[32];
    EXPECT_STREQ(ZafIntegerToText(42, buffer, sizeof(buffer), 10, 5), "00042");
    EXPECT_STREQ(ZafIntegerToText(-12, buffer, sizeof(buffer), 10, 5), "-0012");
    EXPECT_STREQ(ZafIntegerToText(12345, buffer, sizeof(buffer), 10, 3), "12345");
    EXPECT_STREQ(ZafIntegerToText(10, buffer, sizeof(buffer), 16, 4), "000a");
    EXPECT_STREQ(ZafIntegerToText(3, buffer, sizeof(buffer), 10, -4), "3");
}

TEST(ZafIntegerToText, RefusesABufferTooSmallWithoutWritingPastIt)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof(buffer));
    // "-2147483648" needs 12 bytes; the buffer is told it has 6.
    EXPECT_EQ(ZafIntegerToText(INT_MIN, buffer, 6), nullptr);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[6], 'x');
    EXPECT_EQ(buffer[7], 'x');

    // Exactly enough room: four digits and the terminator.
    EXPECT_STREQ(ZafIntegerToText(1234, buffer, 5), "1234");
    EXPECT_EQ(ZafIntegerToText(12345, buffer, 5), nullptr);
    EXPECT_EQ(ZafIntegerToText(1, buffer, 5, 10, 5), nullptr);  // width counts too
    EXPECT_EQ(ZafIntegerToText(1, buffer, 0), nullptr);
    EXPECT_EQ(ZafIntegerToText(1, nullptr, 8), nullptr);
}

// --- Files ------------------------------------------------------------------------

TEST(ZafOpenFile, RefusesNullsAndMissingFiles)
{
    EXPECT_EQ(ZafOpenFile(nullptr, "rb"), nullptr);
    EXPECT_EQ(ZafOpenFile("x.txt", nullptr), nullptr);
    EXPECT_EQ(ZafOpenFile("no such directory\\no such file.txt", "rb"), nullptr);
}
