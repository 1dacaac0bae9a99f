#include "zaf/core/ZafLatin1.h"

#include <gtest/gtest.h>

TEST(ZafLatin1, UpperCaseRangesAndTheirEdges)
{
    for (unsigned c : {0x41u, 0x5Au, 0xC0u, 0xD6u, 0xD8u, 0xDEu})
        EXPECT_TRUE(IsUpperLatin1(static_cast<unsigned char>(c))) << std::hex << c;
    // Neighbours: '@', '[', 0xBF, the multiplication sign, sharp s, a-z.
    for (unsigned c : {0x40u, 0x5Bu, 0xBFu, 0xD7u, 0xDFu, 0x61u, 0xF7u, 0xFFu, 0x00u})
        EXPECT_FALSE(IsUpperLatin1(static_cast<unsigned char>(c))) << std::hex << c;
}

// Over all 256 characters: no character is both upper and lower case, the
// mappings move a letter by thirty-two and are inverse on the letters that
// have both forms (not sharp s and y diaeresis), and they leave every other
// character alone.
TEST(ZafLatin1, CaseClassesAndMappingsAgreeOverTheWholeCodeSet)
{
    int upper = 0, lower = 0;
    for (int i = 0; i < 256; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(i);
        EXPECT_FALSE(IsUpperLatin1(c) && IsLowerLatin1(c)) << i;
        if (IsUpperLatin1(c))
        {
            ++upper;
            EXPECT_EQ(ToLowerLatin1(c), c + 32) << i;
            EXPECT_TRUE(IsLowerLatin1(ToLowerLatin1(c))) << i;
            EXPECT_EQ(ToUpperLatin1(ToLowerLatin1(c)), c) << i;
            EXPECT_EQ(ToUpperLatin1(c), c) << i;
        }
        else if (IsLowerLatin1(c))
        {
            ++lower;
            EXPECT_EQ(ToLowerLatin1(c), c) << i;
            EXPECT_EQ(ToUpperLatin1(c), c == 0xDF || c == 0xFF ? c : c - 32) << i;
        }
        else
        {
            EXPECT_EQ(ToLowerLatin1(c), c) << i;
            EXPECT_EQ(ToUpperLatin1(c), c) << i;
        }
    }
    // 26 + 23 + 7 upper-case letters; their lower forms plus sharp s and y diaeresis.
    EXPECT_EQ(upper, 56);
    EXPECT_EQ(lower, 58);
    // A plain char holding a high byte is taken as its unsigned value.
    EXPECT_EQ(ToLowerLatin1(static_cast<char>(0xC9)), 0xE9);
    EXPECT_EQ(ToUpperLatin1(static_cast<char>(0xE9)), 0xC9);
}

TEST(ZafLatin1, DigitPrintAndSpaceClasses)
{
    int digits = 0, printable = 0, spaces = 0;
    for (int i = 0; i < 256; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(i);
        digits += IsDigitLatin1(c);
        printable += IsPrintLatin1(c);
        spaces += IsSpaceLatin1(c);
    }
    EXPECT_EQ(digits, 10);
    EXPECT_EQ(printable, 95 + 96);
    EXPECT_EQ(spaces, 7);
    EXPECT_TRUE(IsDigitLatin1('0'));
    EXPECT_TRUE(IsDigitLatin1('9'));
    EXPECT_FALSE(IsDigitLatin1(0xB2));  // superscript two is no digit
    EXPECT_TRUE(IsPrintLatin1(' '));
    EXPECT_TRUE(IsPrintLatin1(0xA0));
    EXPECT_FALSE(IsPrintLatin1(0x7F));
    EXPECT_FALSE(IsPrintLatin1(0x9F));
    EXPECT_TRUE(IsSpaceLatin1(0xA0));   // no-break space counts
    EXPECT_TRUE(IsSpaceLatin1('\t'));
    EXPECT_TRUE(IsSpaceLatin1('\r'));
    EXPECT_FALSE(IsSpaceLatin1(0x85));
    EXPECT_FALSE(IsSpaceLatin1(0));
}
