// Integer data: printing and scanning through every integer letter and flag,
// in the canonical locale and in locales that move the sign and currency.
#include "zaf/data/ZafIntegerData.h"
#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

template <class... T> std::string Printed(const char *format, T... values)
{
    ZafIntegerData::RegisterConversions();
    char buffer[256];
    ZafFormatData::Print(buffer, sizeof buffer, format, values...);
    return buffer;
}

TEST(IntegerPrint, EveryLetterAndFlagInTheCanonicalLocale)
{
    ZafIntegerData::RegisterConversions(); // which makes the Windows locale current
    LocaleVariant canonical;
    canonical.Install();
    const struct
    {
        const char *format;
        int value;
        const char *expected;
    } cases[] = {{"%d", 42, "42"},
                 {"%d", -5, "-5"},
                 {"%i", -5, "-5"},
                 {"%d", INT_MIN, "-2147483648"},
                 {"%d", 0, "0"},
                 {"%5d", 42, "   42"},
                 {"%-5d|", 42, "42   |"},
                 {"%05d", -42, "-0042"},
                 {"%+d", 5, "+5"},
                 {"%+d", -5, "-5"},
                 {"% d", 5, "5"},
                 // The precision is the length of sign and digits: -7 at precision 3 is -07.
                 {"%.5d", -12, "-0012"},
                 {"%5.3d", -7, "  -07"},
                 {"%.3d", 7, "007"},
                 {"%.0d", 0, ""},
                 {"%08.3d", 7, "     007"},
                 {"%-05d|", 3, "3    |"},
                 {"%u", -1, "4294967295"},
                 {"%+u", 3, "+3"},
                 {"%o", 8, "10"},
                 {"%#o", 8, "010"},
                 {"%#o", 0, "0"},
                 {"%#.0o", 0, "0"},
                 {"%#.3o", 8, "010"},
                 {"%x", 255, "ff"},
                 {"%X", 255, "FF"},
                 {"%#x", 255, "0xff"},
                 {"%#X", 255, "0XFF"},
                 {"%#x", 0, "0"},
                 {"%x", -1, "ffffffff"},
                 {"%#08x", 255, "0x0000ff"},
                 {"%#6x", 255, "  0xff"},
                 {"%hd", 70000, "4464"},
                 {"%hu", -1, "65535"},
                 {"%hd", 40000, "-25536"},
                 {"%hld", 70000, "70000"},
                 {"%ld", 70000, "70000"},
                 {"%@d", -5, "(5)"},
                 {"%@d", 5, "5"},
                 {"%@5d|", -5, "  (5)|"},
                 {"%$d", 5, "$5"},
                 {"%$d", -5, "-$5"},
                 {"%$5d", 5, "    $5"},
                 {"%ad", 123, "123"},
                 {"%,d", 1234567, "1234567"}};
    for (const auto &c : cases)
        EXPECT_EQ(Printed(c.format, c.value), c.expected) << c.format << " " << c.value;
    EXPECT_EQ(Printed("%*d|%*d|", 4, 7, -4, 7), "   7|7   |");
    EXPECT_EQ(Printed("%.*d|%.*d", 3, 7, -3, 7), "007|7");
}

TEST(IntegerPrint, SignPositionsAndCurrencyOfTheLocale)
{
    LocaleVariant locale;
    locale->negSignPosition = 0;
    locale.Install();
    EXPECT_EQ(Printed("%d|%d", -5, 5), "(5)|5");
    locale->posSignPosition = 0;
    EXPECT_EQ(Printed("%d", 5), "  5"); // blanks in both places before the number
    locale->negativeSign = "~";
    const std::pair<int, const char *> positions[] = {{2, "$~5"}, {3, "5~"}, {4, "$5~"}, {9, "5"}};
    for (const auto &p : positions) {
        locale->negSignPosition = p.first;
        EXPECT_EQ(Printed(p.first == 3 || p.first == 9 ? "%d" : "%$d", -5), p.second) << p.first;
    }
    EXPECT_EQ(Printed("%@d", -5), "(5)");
    locale->leftParen = "<<";
    locale->rightParen = ">";
    EXPECT_EQ(Printed("%@d", -5), "<<5>");

    LocaleVariant euro;
    euro->currencySymbol = "EUR";
    euro->posCurrencyPrecedes = 0;
    euro->posSpaceSeparation = 1;
    euro->negCurrencyPrecedes = 1;
    euro->negSpaceSeparation = 1;
    euro.Install();
    EXPECT_EQ(Printed("%$d|%$d|%d", 5, -5, 5), "5 EUR|-EUR 5|5");
    EXPECT_EQ(Printed("%$3d", 5), "  5 EUR") << "the currency does not count for the width";
}

TEST(IntegerPrint, DigitTablesWithPlaceCharacters)
{
    LocaleVariant locale;
    locale->digits = "abcdefghij";
    locale->altDigits = "0123456789THK"; // ten, hundred, thousand
    locale.Install();
    EXPECT_EQ(Printed("%d", 1203), "bcad");
    const std::pair<int, const char *> cases[] = {
        {1234, "1K2H3T4"}, {305, "3H5"}, {110, "H1T"},      // a leading 1 in the hundreds is left out
        {10, "1T"},        {0, "0"},     {12345, "12345"}}; // beyond the places: positional
    for (const auto &c : cases)
        EXPECT_EQ(Printed("%ad", c.first), c.second) << c.first;
    EXPECT_EQ(Printed("%ax", 255), "ff");      // the table is for decimal digits only
    locale->altDigits = "0123456789abcdefghi"; // all nine places
    EXPECT_EQ(Printed("%ad", 2000000001), "2i1");
    locale->altDigits = "0123"; // too short to be a table
    EXPECT_EQ(Printed("%ad", 45), "45");
}

TEST(IntegerScan, EveryLetterInTheCanonicalLocale)
{
    ZafIntegerData::RegisterConversions();
    const struct
    {
        const char *format, *text;
        int result;
        long long value;
    } cases[] = {{"%d", "42", 1, 42},
                 {"%d", "  -17", 1, -17},
                 {"%d", "+7", 1, 7},
                 {"%d", "(12)", 1, -12},
                 {"%d", "(12", 1, -12},
                 {"%d", "12)", 0, 0},
                 {"%d", "12a", 0, 0},
                 {"%d", "12 a", 1, 12},
                 {"%d", "", 0, 0},
                 {"%d", "-", 0, 0},
                 {"%d", "x", 0, 0},
                 {"%d,", "12,", 1, 12},
                 {"%D", "-3", 1, -3},
                 {"%d", "99999999999", 1, INT_MAX},
                 {"%d", "-99999999999", 1, INT_MIN},
                 {"%i", "0x1f", 1, 31},
                 {"%i", "017", 1, 15},
                 {"%i", "-17", 1, -17},
                 {"%i", "019", 0, 0},
                 {"%o", "17", 1, 15},
                 {"%O", "17", 1, 15},
                 {"%o", "8", 0, 0},
                 {"%u", "4294967295", 1, -1},
                 {"%u", "12", 1, 12},
                 {"%x", "1f", 1, 31},
                 {"%x", "0x1F", 1, 31},
                 {"%X", "FF", 1, 255},
                 {"%x", "0xg", 0, 0},
                 {"%3d", "123 ", 1, 123},
                 {"%3d", "1234", 0, 0},
                 {"%2d", "-12", 0, 0},
                 {"%d", "(-5)", 1, 5}};
    for (const auto &c : cases) {
        int value = -999;
        EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, &value), c.result) << c.format << " '" << c.text << "'";
        EXPECT_EQ(value, c.result == 1 ? c.value : -999) << c.format << " '" << c.text << "'";
    }
}

TEST(IntegerScan, WidthsShortSuppressedAndDataTargets)
{
    ZafIntegerData::RegisterConversions();
    // Width 0 or 40 and more means 39.
    const std::string text = std::string(38, '0') + "12"; // forty characters
    int value = 0;
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%d", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%40d", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str() + 1, "%d", &value), 1);
    EXPECT_EQ(value, 12);

    short small = 0;
    EXPECT_EQ(ZafFormatData::Scan("70000", "%hd", &small), 1);
    EXPECT_EQ(small, 4464);
    EXPECT_EQ(ZafFormatData::Scan("70000", "%hd", &value), 1);
    EXPECT_EQ(value, 4464);
    EXPECT_EQ(ZafFormatData::Scan("1 2", "%*d %d", &value), 1);
    EXPECT_EQ(value, 2);
    ZafIntegerData data(1);
    EXPECT_EQ(ZafFormatData::Scan("-8", "%Zd", &data), 1);
    EXPECT_EQ(data.Value(), -8);
}

TEST(IntegerData, PrintsItselfAndWrapsAroundAtThirtyTwoBits)
{
    ZafIntegerData data(-1234);
    char buffer[32];
    EXPECT_EQ(data.FormattedText(buffer, 31, nullptr), 5);
    EXPECT_STREQ(buffer, "-1234");
    EXPECT_EQ(data.FormattedText(buffer, 31, "%08x"), 8);
    EXPECT_STREQ(buffer, "fffffb2e");
    EXPECT_EQ(data.FormattedText(buffer, 31, "[%+6d]"), 8);
    EXPECT_STREQ(buffer, "[ -1234]");
    ZafIntegerData wrapping(INT_MAX);
    wrapping.AddValue(1);
    EXPECT_EQ(wrapping.Value(), INT_MIN);
    wrapping.SubtractValue(1);
    EXPECT_EQ(wrapping.Value(), INT_MAX);
}

// Each setter notifies once; a text that does not scan keeps the value.
TEST(IntegerData, EachSetterNotifiesOnce)
{
    ZafIntegerData data(1);
    CountingObserver observer(data);
    data.SetValue(2);
    data.AddValue(3).SubtractValue(1);
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.Value(), 4);
    ZafIntegerData other(9);
    data.SetIntegerData(other);
    data.AssignFrom(other);
    EXPECT_EQ(observer.calls, 5);
    EXPECT_EQ(data.SetFormattedText("12a", nullptr), 1);
    EXPECT_EQ(data.Error(), 1u);
    EXPECT_EQ(data.Value(), 9);
    EXPECT_EQ(data.SetFormattedText("(12)", nullptr), 0);
    EXPECT_EQ(data.Value(), -12);
    EXPECT_EQ(data.Error(), 0u);
    EXPECT_EQ(data.SetFormattedText("ff", "%d\n%x"), 0);
    EXPECT_EQ(data.Value(), 255);
    EXPECT_EQ(data.SetFormattedText("", nullptr), 0);
    EXPECT_EQ(data.Value(), 0);
    EXPECT_EQ(observer.calls, 9) << "one each, the failed one and the clearing one included";
    data.Clear();
    EXPECT_EQ(observer.calls, 10);
}

} // namespace
