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

TEST(ZafLatin1, ToLowerAddsThirtyTwoToUpperCaseOnly)
{
    EXPECT_EQ(ToLowerLatin1('A'), 'a');
    EXPECT_EQ(ToLowerLatin1(0xC4), 0xE4);  // A diaeresis
    EXPECT_EQ(ToLowerLatin1(0xDE), 0xFE);  // thorn
    EXPECT_EQ(ToLowerLatin1(0xD7), 0xD7);  // multiplication sign has no case
    EXPECT_EQ(ToLowerLatin1(0xDF), 0xDF);  // sharp s stays
    EXPECT_EQ(ToLowerLatin1('a'), 'a');
    EXPECT_EQ(ToLowerLatin1('['), '[');
    // A plain char holding a high byte is taken as its unsigned value.
    EXPECT_EQ(ToLowerLatin1(static_cast<char>(0xC9)), 0xE9);
}
