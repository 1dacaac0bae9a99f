#include "dataset/DynString.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(DynString, GrowsPastItsBufferKeepingEveryByte)
{
    DynString s;
    EXPECT_EQ(s.Capacity(), 32u);
    std::string expected;
    for (int i = 0; i < 500; ++i) {
        s.Append("ab").AppendInteger(i);
        expected += "ab" + std::to_string(i);
    }
    EXPECT_EQ(s.Length(), expected.size());
    EXPECT_EQ(std::string(s.Text()), expected);
    EXPECT_STREQ(DynString::ConstructFromText(nullptr).Text(), "");
}

TEST(DynString, AppendsNumbersWithBoundedDecimals)
{
    DynString s;
    s.AppendReal(3.14159).Append(" "); // two decimals until told otherwise
    s.AppendInteger(0).Append(" ").AppendInteger(-2147483647L - 1).Append(" ");
    s.SetDecimals(0);
    s.AppendReal(2.4).Append(" ");
    s.SetDecimals(99);
    EXPECT_EQ(s.Decimals(), 15);
    s.SetDecimals(-1);
    EXPECT_EQ(s.Decimals(), 0);
    s.SetDecimals(3);
    s.AppendReal(-0.5);
    EXPECT_STREQ(s.Text(), "3.14 0 -2147483648 2 -0.500");
    DynString huge;
    huge.AppendReal(1e300);              // 301 digits and decimals, no overrun
    EXPECT_EQ(huge.Length(), 301u + 3u); // ".00"
}

TEST(DynString, AppendsPrependsAndAssignsPartsOfItself)
{
    DynString a("left");
    DynString b("right");
    a.AppendString(b);
    a.AppendString(a); // its own buffer as the source while growing
    EXPECT_STREQ(a.Text(), "leftrightleftright");
    a.Append(a.Text() + 4, 5);
    EXPECT_STREQ(a.Text(), "leftrightleftrightright");
    a.AssignText(a.Text() + 18);
    EXPECT_STREQ(a.Text(), "right");
    a.AssignText(nullptr);
    a.Append("xyz", 2);
    PrependToString(a, "w");
    PrependToString(a, nullptr);
    EXPECT_STREQ(a.Text(), "wxy");
    std::string longText(100, 'p');
    PrependToString(a, longText.c_str());
    EXPECT_EQ(std::string(a.Text()), longText + "wxy");
}

TEST(DynString, CopiesAndMovesAreIndependent)
{
    DynString a("text");
    a.SetDecimals(4);
    DynString b(a);
    b.Append("!");
    EXPECT_STREQ(a.Text(), "text");
    EXPECT_EQ(b.Decimals(), 4);
    DynString c(std::move(b));
    EXPECT_STREQ(c.Text(), "text!");
    b.Append("again"); // moved-from: empty and usable again
    EXPECT_STREQ(b.Text(), "again");
    c = a;
    EXPECT_STREQ(c.Text(), "text");
}

} // namespace
