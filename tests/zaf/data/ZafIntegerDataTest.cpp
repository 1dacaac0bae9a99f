// Integer data: printing and scanning through every integer letter and flag,
// in the canonical locale and in locales that move the sign and currency.
#include "zaf/data/ZafIntegerData.h"
#include "TestDataObjects.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

template <class... T>
std::string Printed(const char *format, T... values)
{
    ZafIntegerData::RegisterConversions();
    char buffer[256];
    ZafFormatData::Print(buffer, sizeof buffer, format, values...);
    return buffer;
}

struct PrintCase
{
    const char *format;
    long long value;
    const char *expected;
};

class IntegerPrint : public ::testing::TestWithParam<PrintCase> {};

TEST_P(IntegerPrint, InTheCanonicalLocale)
{
    const PrintCase &c = GetParam();
    EXPECT_EQ(Printed(c.format, static_cast<int>(c.value)), c.expected) << c.format << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Letters, IntegerPrint, ::testing::Values(
    PrintCase{"%d", 42, "42"}, PrintCase{"%d", -5, "-5"}, PrintCase{"%i", -5, "-5"},
    PrintCase{"%d", INT_MIN, "-2147483648"}, PrintCase{"%d", 0, "0"},
    PrintCase{"%5d", 42, "   42"}, PrintCase{"%-5d|", 42, "42   |"}, PrintCase{"%05d", -42, "-0042"},
    PrintCase{"%+d", 5, "+5"}, PrintCase{"%+d", -5, "-5"}, PrintCase{"% d", 5, "5"},
    // The precision is the length of sign and digits: -7 at precision 3 is -07.
    PrintCase{"%.5d", -12, "-0012"}, PrintCase{"%5.3d", -7, "  -07"}, PrintCase{"%.3d", 7, "007"}, PrintCase{"%.0d", 0, ""},
    PrintCase{"%08.3d", 7, "     007"}, PrintCase{"%-05d|", 3, "3    |"},
    PrintCase{"%u", -1, "4294967295"}, PrintCase{"%+u", 3, "+3"},
    PrintCase{"%o", 8, "10"}, PrintCase{"%#o", 8, "010"}, PrintCase{"%#o", 0, "0"},
    PrintCase{"%#.0o", 0, "0"}, PrintCase{"%#.3o", 8, "010"},
    PrintCase{"%x", 255, "ff"}, PrintCase{"%X", 255, "FF"}, PrintCase{"%#x", 255, "0xff"},
    PrintCase{"%#X", 255, "0XFF"}, PrintCase{"%#x", 0, "0"}, PrintCase{"%x", -1, "ffffffff"},
    PrintCase{"%#08x", 255, "0x0000ff"}, PrintCase{"%#6x", 255, "  0xff"},
    PrintCase{"%hd", 70000, "4464"}, PrintCase{"%hu", -1, "65535"}, PrintCase{"%hd", 40000, "-25536"},
    PrintCase{"%hld", 70000, "70000"}, PrintCase{"%ld", 70000, "70000"},
    PrintCase{"%@d", -5, "(5)"}, PrintCase{"%@d", 5, "5"}, PrintCase{"%@5d|", -5, "  (5)|"},
    PrintCase{"%$d", 5, "$5"}, PrintCase{"%$d", -5, "-$5"}, PrintCase{"%$5d", 5, "    $5"},
    PrintCase{"%ad", 123, "123"}, PrintCase{"%,d", 1234567, "1234567"}));

TEST(IntegerPrint, WidthAndPrecisionFromArguments)
{
    EXPECT_EQ(Printed("%*d|", 4, 7), "   7|");
    EXPECT_EQ(Printed("%*d|", -4, 7), "7   |");
    EXPECT_EQ(Printed("%.*d", 3, 7), "007");
    EXPECT_EQ(Printed("%.*d", -3, 7), "7");
}

TEST(IntegerPrint, SignPositionsOfTheLocale)
{
    LocaleVariant locale;
    locale->negSignPosition = 0;
    locale.Install();
    EXPECT_EQ(Printed("%d", -5), "(5)");
    EXPECT_EQ(Printed("%d", 5), "5");
    locale->posSignPosition = 0;
    EXPECT_EQ(Printed("%d", 5), "  5");  // blanks in both places before the number
    locale->negSignPosition = 2;
    locale->negativeSign = "~";
    EXPECT_EQ(Printed("%$d", -5), "$~5");
    locale->negSignPosition = 3;
    EXPECT_EQ(Printed("%d", -5), "5~");
    locale->negSignPosition = 4;
    EXPECT_EQ(Printed("%$d", -5), "$5~");
    locale->negSignPosition = 9;
    EXPECT_EQ(Printed("%d", -5), "5");
    EXPECT_EQ(Printed("%@d", -5), "(5)");
    locale->leftParen = "<<";
    locale->rightParen = ">";
    EXPECT_EQ(Printed("%@d", -5), "<<5>");
}

TEST(IntegerPrint, CurrencyOfTheLocale)
{
    LocaleVariant locale;
    locale->currencySymbol = "EUR";
    locale->posCurrencyPrecedes = 0;
    locale->posSpaceSeparation = 1;
    locale->negCurrencyPrecedes = 1;
    locale->negSpaceSeparation = 1;
    locale.Install();
    EXPECT_EQ(Printed("%$d", 5), "5 EUR");
    EXPECT_EQ(Printed("%$d", -5), "-EUR 5");
    EXPECT_EQ(Printed("%d", 5), "5");
    // The currency does not count for the width.
    EXPECT_EQ(Printed("%$3d", 5), "  5 EUR");
}

TEST(IntegerPrint, DigitTablesWithPlaceCharacters)
{
    LocaleVariant locale;
    locale->digits = "abcdefghij";
    locale->altDigits = "0123456789THK";  // ten, hundred, thousand
    locale.Install();
    EXPECT_EQ(Printed("%d", 1203), "bcad");
    EXPECT_EQ(Printed("%ad", 1234), "1K2H3T4");
    EXPECT_EQ(Printed("%ad", 305), "3H5");
    EXPECT_EQ(Printed("%ad", 110), "H1T");  // a leading 1 in the hundreds is left out
    EXPECT_EQ(Printed("%ad", 10), "1T");
    EXPECT_EQ(Printed("%ad", 0), "0");
    EXPECT_EQ(Printed("%ad", 12345), "12345");  // beyond the places: positional
    EXPECT_EQ(Printed("%ax", 255), "ff");       // the table is for decimal digits only
    locale->altDigits = "0123456789abcdefghi";  // all nine places
    EXPECT_EQ(Printed("%ad", 2000000001), "2i1");
    locale->altDigits = "0123";                 // too short to be a table
    EXPECT_EQ(Printed("%ad", 45), "45");
}

// ---- Scanning --------------------------------------------------------------------

struct ScanCase
{
    const char *format;
    const char *text;
    int result;
    long long value;
};

class IntegerScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(IntegerScan, InTheCanonicalLocale)
{
    ZafIntegerData::RegisterConversions();
    const ScanCase &c = GetParam();
    int value = -999;
    EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, &value), c.result) << c.format << " '" << c.text << "'";
    EXPECT_EQ(value, c.result == 1 ? c.value : -999) << c.format << " '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(Letters, IntegerScan, ::testing::Values(
    ScanCase{"%d", "42", 1, 42}, ScanCase{"%d", "  -17", 1, -17}, ScanCase{"%d", "+7", 1, 7},
    ScanCase{"%d", "(12)", 1, -12}, ScanCase{"%d", "(12", 1, -12}, ScanCase{"%d", "12)", 0, 0},
    ScanCase{"%d", "12a", 0, 0}, ScanCase{"%d", "12 a", 1, 12}, ScanCase{"%d", "", 0, 0},
    ScanCase{"%d", "-", 0, 0}, ScanCase{"%d", "x", 0, 0}, ScanCase{"%d,", "12,", 1, 12},
    ScanCase{"%D", "-3", 1, -3}, ScanCase{"%d", "99999999999", 1, INT_MAX},
    ScanCase{"%d", "-99999999999", 1, INT_MIN},
    ScanCase{"%i", "0x1f", 1, 31}, ScanCase{"%i", "017", 1, 15}, ScanCase{"%i", "-17", 1, -17},
    ScanCase{"%i", "019", 0, 0}, ScanCase{"%o", "17", 1, 15}, ScanCase{"%O", "17", 1, 15},
    ScanCase{"%o", "8", 0, 0}, ScanCase{"%u", "4294967295", 1, -1}, ScanCase{"%u", "12", 1, 12},
    ScanCase{"%x", "1f", 1, 31}, ScanCase{"%x", "0x1F", 1, 31}, ScanCase{"%X", "FF", 1, 255},
    ScanCase{"%x", "0xg", 0, 0}, ScanCase{"%3d", "123 ", 1, 123}, ScanCase{"%3d", "1234", 0, 0},
    ScanCase{"%2d", "-12", 0, 0}, ScanCase{"%d", "(-5)", 1, 5}));

TEST(IntegerScan, WidthZeroOrFortyAndMoreMeansThirtyNine)
{
    ZafIntegerData::RegisterConversions();
    std::string text = std::string(38, '0') + "12";  // forty characters
    int value = 0;
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%d", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%40d", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str() + 1, "%d", &value), 1);
    EXPECT_EQ(value, 12);
}

TEST(IntegerScan, ShortSuppressedAndDataTargets)
{
    ZafIntegerData::RegisterConversions();
    short small = 0;
    EXPECT_EQ(ZafFormatData::Scan("70000", "%hd", &small), 1);
    EXPECT_EQ(small, 4464);
    int wide = 0;
    EXPECT_EQ(ZafFormatData::Scan("70000", "%hd", &wide), 1);
    EXPECT_EQ(wide, 4464);

    int a = 0;
    EXPECT_EQ(ZafFormatData::Scan("1 2", "%*d %d", &a), 1);
    EXPECT_EQ(a, 2);

    ZafIntegerData data(1);
    EXPECT_EQ(ZafFormatData::Scan("-8", "%Zd", &data), 1);
    EXPECT_EQ(data.Value(), -8);
}

// ---- The data object ------------------------------------------------------------

TEST(IntegerData, PrintsThroughItsDefaultFormat)
{
    ZafIntegerData data(-1234);
    char buffer[32];
    EXPECT_EQ(data.FormattedText(buffer, 31, nullptr), 5);
    EXPECT_STREQ(buffer, "-1234");
    EXPECT_EQ(data.FormattedText(buffer, 31, "%08x"), 8);
    EXPECT_STREQ(buffer, "fffffb2e");
    EXPECT_EQ(data.FormattedText(buffer, 31, "[%+6d]"), 8);
    EXPECT_STREQ(buffer, "[ -1234]");
}

TEST(IntegerData, AdditionWrapsAroundAtThirtyTwoBits)
{
    ZafIntegerData data(INT_MAX);
    data.AddValue(1);
    EXPECT_EQ(data.Value(), INT_MIN);
    data.SubtractValue(1);
    EXPECT_EQ(data.Value(), INT_MAX);
}

// ---- Data object: notification, class, persistence ---------------------------------

TEST(IntegerData, EachSetterNotifiesOnce)
{
    ZafIntegerData data(1);
    CountingObserver observer(data);
    data.SetValue(2);
    EXPECT_EQ(observer.calls, 1);
    data.AddValue(3).SubtractValue(1);
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.Value(), 4);
    ZafIntegerData other(9);
    data.SetIntegerData(other);
    data.AssignFrom(other);
    EXPECT_EQ(observer.calls, 5);
    data.Clear();
    EXPECT_EQ(observer.calls, 6);
    EXPECT_EQ(data.Value(), 0);
}

TEST(IntegerData, SetFormattedTextKeepsTheValueOnError)
{
    ZafIntegerData data(5);
    CountingObserver observer(data);
    EXPECT_EQ(data.SetFormattedText("12a", nullptr), 1);
    EXPECT_EQ(data.Error(), 1u);
    EXPECT_EQ(data.Value(), 5);
    EXPECT_EQ(data.SetFormattedText("(12)", nullptr), 0);
    EXPECT_EQ(data.Value(), -12);
    EXPECT_EQ(data.Error(), 0u);
    EXPECT_EQ(data.SetFormattedText("ff", "%d\n%x"), 0);
    EXPECT_EQ(data.Value(), 255);
    EXPECT_EQ(data.SetFormattedText("", nullptr), 0);
    EXPECT_EQ(data.Value(), 0);
    EXPECT_EQ(observer.calls, 4);  // one each, the clearing one included
}

TEST(IntegerData, ClassTestsAndDuplicate)
{
    ZafIntegerData data(77);
    EXPECT_TRUE(data.IsClassID(3101));
    EXPECT_TRUE(data.IsClassID(3100));
    EXPECT_TRUE(data.IsClassName("ZafFormatData"));
    EXPECT_FALSE(data.IsClassName("ZafRealData"));
    std::unique_ptr<ZafData> copy(data.Duplicate());
    ASSERT_TRUE(copy->IsClassID(3103));
    EXPECT_EQ(static_cast<ZafIntegerData *>(copy.get())->Value(), 77);
    EXPECT_STRNE(copy->StringID(), data.StringID());
    EXPECT_EQ(data.ReadFunction(), ZafIntegerData::New);
}

TEST(IntegerData, WritesSavesAndReadsBackAndRefusesAShortRecord)
{
    DataFile file;
    ZafIntegerData data(-123456);
    ASSERT_EQ(file.Write(data, "count"), 0u);
    EXPECT_EQ(file.StoredBytes("~count"), LittleEndian({-123456}));
    std::unique_ptr<ZafIntegerData> read = file.Read<ZafIntegerData>("count");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->Value(), -123456);
    EXPECT_STREQ(read->StringID(), "count");
    std::unique_ptr<ZafIntegerData> missing = file.Read<ZafIntegerData>("other");
    EXPECT_EQ(missing->Error(), ZafFileError::Open);
    EXPECT_EQ(missing->Value(), 0);
    // A record too short for its value.
    ASSERT_TRUE(file.ReplaceBytes("~count", {1, 2}, ZafIntegerData::className, ZafIntegerData::classID));
    EXPECT_EQ(file.Read<ZafIntegerData>("count")->Error(), ZafFileError::Read);
}

} // namespace
