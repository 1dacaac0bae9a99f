#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

// --- Latin-1 classes ----------------------------------------------------------------

// Every class and both case mappings against their definitions, over all 256
// characters: sharp s and y diaeresis have no upper form, the multiplication
// and division signs are no letters, the no-break space is a blank.
TEST(ZafLatin1, ClassesAndCaseMappingsOverTheWholeCodeSet)
{
    for (int i = 0; i < 256; ++i) {
        const unsigned char c = static_cast<unsigned char>(i);
        const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        const bool lower = (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7);
        EXPECT_EQ(IsUpperLatin1(c), upper) << i;
        EXPECT_EQ(IsLowerLatin1(c), lower) << i;
        EXPECT_EQ(ToLowerLatin1(c), upper ? c + 32 : c) << i;
        EXPECT_EQ(ToUpperLatin1(c), lower && c != 0xDF && c != 0xFF ? c - 32 : c) << i;
        EXPECT_EQ(IsDigitLatin1(c), c >= '0' && c <= '9') << i;
        EXPECT_EQ(IsPrintLatin1(c), (c >= 0x20 && c < 0x7F) || c >= 0xA0) << i;
        EXPECT_EQ(IsSpaceLatin1(c), (c >= '\t' && c <= '\r') || c == ' ' || c == 0xA0) << i;
    }
    // A plain char holding a high byte is taken as its unsigned value.
    EXPECT_EQ(ToLowerLatin1(static_cast<char>(0xC9)), 0xE9);
    EXPECT_EQ(ToUpperLatin1(static_cast<char>(0xE9)), 0xC9);
}

// The in-place form folds every upper-case letter, accented ones included, and
// leaves the signs without case (0xD7) and the letters without an upper form.
TEST(ZafLatin1, LowerCasesATextInPlace)
{
    char text[] = "MAIN\xC9\xD7\xDE\xDFx1";
    EXPECT_EQ(ToLowerStringLatin1(text), text);
    EXPECT_STREQ(text, "main\xE9\xD7\xFE\xDFx1");
    EXPECT_EQ(ToLowerStringLatin1(nullptr), nullptr);
}

// --- Comparisons ---------------------------------------------------------------------

TEST(ZafTextCompare, NoCaseComparesFoldLatin1LettersAndTakeNulls)
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
    // Nulls as ZafStringCompare takes them: before every text.
    EXPECT_EQ(CompareTextNoCase(nullptr, nullptr), 0);
    EXPECT_LT(CompareTextNoCase(nullptr, ""), 0);
    EXPECT_GT(CompareTextNoCase("a", nullptr), 0);
    EXPECT_EQ(ZafStringCompareNoCaseN(nullptr, nullptr, 4), 0);
    EXPECT_LT(ZafStringCompareNoCaseN(nullptr, "x", 4), 0);
    EXPECT_GT(ZafStringCompareNoCaseN("x", nullptr, 4), 0);
    // The N form stops after N characters or at a common end.
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

TEST(ZafWildcardMatch, MatchesTheWholeName)
{
    const struct
    {
        const char *name, *pattern;
        bool matches;
    } cases[] = {{"MERVALO.ZNC", "MERVALO.ZNC", true},
                 {"MERVALO.ZNC", "mervalo.znc", false}, // case counts
                 {"a.b", "*.*", true},
                 {"ab", "*.*", false},
                 {".", "*.*", true}, // both runs empty
                 {"", "*", true},
                 {"", "", true},
                 {"", "?", false},
                 {"x", "", false},
                 {"abc", "a*b*c", true},
                 {"aXbYc", "a*b*c", true},
                 {"abcbc", "a*b*c", true},
                 {"abcb", "a*b*c", false},
                 {"acb", "a*b*c", false}, // must end in c
                 {"file.txt", "file*", true},
                 {"file", "file*", true},
                 {"file", "file**", true},
                 {"fil", "file*", false},
                 // '?' is exactly one character.
                 {"qivst049.btx", "qivst???.btx", true},
                 {"qivst49.btx", "qivst???.btx", false},
                 {"qivst0049.btx", "qivst???.btx", false},
                 {"mississippi", "*sip*", true},
                 {"mississippi", "m*iss*ppi", true},
                 {"mississippi", "m*issip*x", false},
                 {"aaaaaaaaaaaaaaaaaaab", "*a*a*a*a*b", true},
                 {"aaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*b", false},
                 {"?", "?", true},
                 {"*", "?", true},
                 // Null texts count as empty.
                 {nullptr, "*", true},
                 {nullptr, "a", false},
                 {"", nullptr, true},
                 {"a", nullptr, false}};
    for (const auto &c : cases)
        EXPECT_EQ(ZafWildcardMatch(c.name, c.pattern) == 0, c.matches)
            << '"' << (c.name ? c.name : "<null>") << "\" against \"" << (c.pattern ? c.pattern : "<null>") << '"';
}

// --- Hot keys --------------------------------------------------------------------

TEST(ZafInsertHotKey, MarksTheCharacterAtTheIndexAndDoublesAmpersands)
{
    const struct
    {
        const char *text;
        int index;
        const char *expected;
    } cases[] = {{"Exit", 1, "E&xit"},
                 {"Close", 0, "&Close"},
                 {"Close", 4, "Clos&e"},
                 {"Cut & Paste", -1, "Cut && Paste"},
                 {"&&", -1, "&&&&"},
                 {"A&B", 2, "A&&&B"},
                 {"&x", 1, "&&&x"}, // the index counts in the unmarked text
                 // Bad indexes insert no mark; at the end there is no character to mark.
                 {"Copy", -1, "Copy"},
                 {"Copy", 4, "Copy"},
                 {"Copy", 5, "Copy"},
                 {"Copy", INT_MAX, "Copy"},
                 {"Copy", -7, "Copy"},
                 {"", 0, ""},
                 {"a&b", 1, "a&&b"}, // an '&' cannot be the hot key: "&&&" would mark the next character
                 {nullptr, 0, nullptr}};
    for (const auto &c : cases) {
        std::unique_ptr<char[]> marked(ZafInsertHotKey(c.text, c.index));
        if (!c.expected)
            EXPECT_EQ(marked, nullptr);
        else
            EXPECT_STREQ(marked.get(), c.expected) << c.text << " " << c.index;
    }
}

// --- Integer text ------------------------------------------------------------------

TEST(ZafIntegerToText, WritesTheValueInTheRadixToTheMinimumWidth)
{
    const struct
    {
        int value, radix, width;
        const char *expected;
    } cases[] = {{0, 10, 0, "0"},
                 {-7, 10, 0, "-7"},
                 {INT_MAX, 10, 0, "2147483647"},
                 {INT_MIN, 10, 0, "-2147483648"},
                 {INT_MIN + 1, 10, 0, "-2147483647"},
                 // Other radixes write the unsigned form.
                 {255, 16, 0, "ff"},
                 {-1, 16, 0, "ffffffff"},
                 {INT_MIN, 16, 0, "80000000"},
                 {5, 2, 0, "101"},
                 {-1, 2, 0, "11111111111111111111111111111111"},
                 {8, 8, 0, "10"},
                 {-42, 1, 0, "-42"},
                 {42, 17, 0, "42"}, // an impossible radix is taken as 10
                 // Zeros fill to the minimum width, after the sign.
                 {42, 10, 5, "00042"},
                 {-12, 10, 5, "-0012"},
                 {12345, 10, 3, "12345"},
                 {10, 16, 4, "000a"},
                 {3, 10, -4, "3"}};
    for (const auto &c : cases) {
        char buffer[40];
        EXPECT_STREQ(ZafIntegerToText(c.value, buffer, sizeof(buffer), c.radix, c.width), c.expected)
            << c.value << " radix " << c.radix << " width " << c.width;
    }
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
    EXPECT_EQ(ZafIntegerToText(1, buffer, 5, 10, 5), nullptr); // width counts too
    EXPECT_EQ(ZafIntegerToText(1, buffer, 0), nullptr);
    EXPECT_EQ(ZafIntegerToText(1, nullptr, 8), nullptr);
}

TEST(ZafOpenFile, RefusesNullsAndMissingFiles)
{
    EXPECT_EQ(ZafOpenFile(nullptr, "rb"), nullptr);
    EXPECT_EQ(ZafOpenFile("x.txt", nullptr), nullptr);
    EXPECT_EQ(ZafOpenFile("no such directory\\no such file.txt", "rb"), nullptr);
}
