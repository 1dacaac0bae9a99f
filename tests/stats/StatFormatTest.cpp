#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

TEST(StatFormat, WidthsGrowToThePrintedLengthPlusMarginButNeverShrink)
{
    int width = 3;
    FormatFixed(width, 1234.5678, 2, 2); // "1234.57"
    EXPECT_EQ(width, 9);
    FormatFixed(width, 1.0, 2, 2);
    EXPECT_EQ(width, 9);
    FormatFixed(width, -12345.5, 1, 0); // "-12345.5"
    EXPECT_EQ(width, 9);

    int w = 12;
    EXPECT_EQ(FormatLongDouble(w, 5.25L, 2, 2), 12);
    EXPECT_EQ(FormatLongDouble(w, 12345678901.25L, 2, 2), 16); // 14 characters + 2
    EXPECT_EQ(w, 16);

    int iw = 0;
    FormatLongInteger(iw, 12345, 0, 1);
    EXPECT_EQ(iw, 6);
    FormatLongInteger(iw, 12345, 2, 1); // "12345.00"
    EXPECT_EQ(iw, 9);
}

TEST(StatFormat, NumberTextIsAnIntegerWhenWholeElseFourteenDigits)
{
    EXPECT_EQ(FormatNumberText(12.0), "12");
    EXPECT_EQ(FormatNumberText(-3.0), "-3");
    EXPECT_EQ(FormatNumberText(0.0), "0");
    EXPECT_EQ(FormatNumberText(2.5), "2.5");
    EXPECT_EQ(FormatNumberText(1.0 / 3.0), "0.33333333333333");
    EXPECT_EQ(FormatNumberText(1e20), "1e+20");
}

TEST(StatFormat, RangeListsJoinRangesAndSingleValuesAndBoundsRound)
{
    ValueRangeList ranges = {{1, 3}, {5, 5}, {7.5, 9}};
    EXPECT_EQ(FormatValueRangeList(ranges, 0), "1-3, 5, 8-9");
    EXPECT_EQ(FormatValueRangeList(ranges, 1), "1.0-3.0, 5.0, 7.5-9.0");
    EXPECT_EQ(FormatValueRangeList(ValueRangeList(), 2), "");
    EXPECT_EQ(RoundDown(-2.5), -3.0);
    EXPECT_EQ(RoundUp(-2.5), -2.0);
}

TEST(StatFormat, SignificanceMarksFollowTheLevels)
{
    const double ps[] = {0.2, 0.05, 0.0499, 0.01, 0.005, 0.0004, kNotComputed, NAN, 9.0, 99.0, 1.0};
    const char *marks[] = {" ", " ", "+", "+", "*", "!", "-", "", "-", "-", " "};
    for (int i = 0; i < 11; ++i)
        EXPECT_STREQ(SignificanceMarkByP(ps[i]), marks[i]) << ps[i];
    const char *byLevel[] = {" ", "+", "*", "!", "-", "-", " "};
    for (int level = 0; level <= 6; ++level)
        EXPECT_STREQ(SignificanceMarkByLevel(level), byLevel[level]) << level;
    EXPECT_EQ(SignificanceLevelOfP(0.03), 1);
    EXPECT_EQ(SignificanceLevelOfP(kNotComputed), 4);
}

// A value label reads as its value: fixed while it fits the label, else
// with an exponent, never the first digits of a longer number.
TEST(StatFormat, ValueLabelsTooWideForTheirTextTakeTheExponentForm)
{
    char label[64];
    FormatValueLabel(label, sizeof label, -12.5, 1);
    EXPECT_STREQ(label, "-12.5");
    FormatValueLabel(label, sizeof label, 1e61, 2); // 61 digits, a point and 2 decimals: 64
    EXPECT_STREQ(label, "1.00e+61");
    FormatValueLabel(label, sizeof label, 1e60, 2); // 63 characters: just fits
    EXPECT_EQ(std::string(label).size(), 63u);
    EXPECT_EQ(std::strtod(label, nullptr), 1e60);
    for (int decimals : {0, 3}) {
        for (double v : {-4e38, 3.4028234663852886e38}) { // 39 digits: fixed, every digit
            FormatValueLabel(label, sizeof label, v, decimals);
            EXPECT_EQ(std::string(label).find('e'), std::string::npos) << label;
            EXPECT_EQ(std::strtod(label, nullptr), v) << label;
        }
        for (double v : {1.7e308, -1e100}) {
            FormatValueLabel(label, sizeof label, v, decimals);
            EXPECT_NE(std::string(label).find('e'), std::string::npos) << label;
            EXPECT_NEAR(std::strtod(label, nullptr) / v, 1.0, decimals ? 1e-3 : 1e-6) << label;
        }
    }
}
