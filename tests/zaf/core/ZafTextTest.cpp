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

struct HotKeyCase
{
    const char *text;
    int index;
    const char *expected;
};

class ZafInsertHotKeyTest : public ::testing::TestWithParam<HotKeyCase> {};

TEST_P(ZafInsertHotKeyTest, MarksTheCharacterAtTheIndexAndDoublesAmpersands)
{
    const HotKeyCase &c = GetParam();
    EXPECT_EQ(Owned(ZafInsertHotKey(c.text, c.index)), c.expected) << (c.text ? c.text : "<null>") << " " << c.index;
}

INSTANTIATE_TEST_SUITE_P(ZafInsertHotKey, ZafInsertHotKeyTest, ::testing::Values(
    HotKeyCase{"Exit", 1, "E&xit"}, HotKeyCase{"Close", 0, "&Close"}, HotKeyCase{"Close", 4, "Clos&e"},
    HotKeyCase{"Cut & Paste", -1, "Cut && Paste"}, HotKeyCase{"&&", -1, "&&&&"},
    HotKeyCase{"A&B", 2, "A&&&B"}, HotKeyCase{"&x", 1, "&&&x"},  // the index counts in the original text
    // Bad indexes insert no mark; at the end there is no character to mark.
    HotKeyCase{"Copy", -1, "Copy"}, HotKeyCase{"Copy", 4, "Copy"}, HotKeyCase{"Copy", 5, "Copy"},
    HotKeyCase{"Copy", INT_MAX, "Copy"}, HotKeyCase{"Copy", -7, "Copy"}, HotKeyCase{"", 0, ""},
    HotKeyCase{"a&b", 1, "a&&b"},  // an '&' cannot be the hot key: "&&&" would mark the next character
    HotKeyCase{nullptr, 0, "<null>"}));

// --- Integer text ------------------------------------------------------------------

struct IntegerTextCase
{
    int value, radix, width;
    const char *expected;
};

class ZafIntegerToTextTest : public ::testing::TestWithParam<IntegerTextCase> {};

TEST_P(ZafIntegerToTextTest, WritesTheValueInTheRadixToTheMinimumWidth)
{
    const IntegerTextCase &c = GetParam();
    char buffer[40];
    EXPECT_STREQ(ZafIntegerToText(c.value, buffer, sizeof(buffer), c.radix, c.width), c.expected)
        << c.value << " radix " << c.radix << " width " << c.width;
}

INSTANTIATE_TEST_SUITE_P(ZafIntegerToText, ZafIntegerToTextTest, ::testing::Values(
    IntegerTextCase{0, 10, 0, "0"}, IntegerTextCase{-7, 10, 0, "-7"}, IntegerTextCase{INT_MAX, 10, 0, "2147483647"},
    IntegerTextCase{INT_MIN, 10, 0, "-2147483648"}, IntegerTextCase{INT_MIN + 1, 10, 0, "-2147483647"},
    // Other radixes write the unsigned form.
    IntegerTextCase{255, 16, 0, "ff"}, IntegerTextCase{-1, 16, 0, "ffffffff"}, IntegerTextCase{INT_MIN, 16, 0, "80000000"},
    IntegerTextCase{5, 2, 0, "101"}, IntegerTextCase{-1, 2, 0, "11111111111111111111111111111111"},
    IntegerTextCase{8, 8, 0, "10"},
    IntegerTextCase{-42, 1, 0, "-42"}, IntegerTextCase{42, 17, 0, "42"},  // an impossible radix is taken as 10
    // Zeros fill to the minimum width, after the sign.
    IntegerTextCase{42, 10, 5, "00042"}, IntegerTextCase{-12, 10, 5, "-0012"}, IntegerTextCase{12345, 10, 3, "12345"},
    IntegerTextCase{10, 16, 4, "000a"}, IntegerTextCase{3, 10, -4, "3"}));

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
