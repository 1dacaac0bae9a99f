// Real data: printing and scanning through every real letter and flag, in the
// canonical locale and in one with a decimal comma.
#include "zaf/data/ZafRealData.h"

#include "TestDataObjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

template <class... T>
std::string Printed(const char *format, T... values)
{
    ZafRealData::RegisterConversions();
    char buffer[512];
    ZafFormatData::Print(buffer, sizeof buffer, format, values...);
    return buffer;
}

struct PrintCase
{
    const char *format;
    double value;
    const char *expected;
};

class RealPrint : public ::testing::TestWithParam<PrintCase> {};

TEST_P(RealPrint, InTheCanonicalLocale)
{
    const PrintCase &c = GetParam();
    EXPECT_EQ(Printed(c.format, c.value), c.expected) << c.format << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Letters, RealPrint, ::testing::Values(
    PrintCase{"%f", 1.5, "1.500000"}, PrintCase{"%F", 1.5, "1.500000"}, PrintCase{"%.2f", 3.14159, "3.14"},
    PrintCase{"%.0f", 3.7, "4"}, PrintCase{"%#.0f", 3.7, "4."}, PrintCase{"%.2f", 9.999, "10.00"},
    PrintCase{"%f", -0.0000001, "0.000000"}, PrintCase{"%f", -0.0, "0.000000"},
    PrintCase{"%+f", 1.0, "+1.000000"}, PrintCase{"%10.2f", 3.14159, "      3.14"},
    PrintCase{"%-10.2f|", 3.14159, "3.14      |"}, PrintCase{"%010.2f", -3.14159, "-000003.14"},
    PrintCase{"%@.1f", -2.5, "(2.5)"}, PrintCase{"%$.2f", 2.5, "$2.50"},
    PrintCase{"%e", 12345.678, "1.234568e+04"}, PrintCase{"%E", 12345.678, "1.234568E+04"},
    PrintCase{"%.2e", 9.999, "1.00e+01"}, PrintCase{"%e", 0.0, "0.000000e+00"},
    PrintCase{"%e", 1e-300, "1.000000e-300"}, PrintCase{"%.0e", 5e10, "5e+10"},
    PrintCase{"%g", 0.00001, "1e-05"}, PrintCase{"%g", 123456.0, "123456"},
    PrintCase{"%g", 1234567.0, "1.23457e+06"}, PrintCase{"%g", 0.0001, "0.0001"},
    PrintCase{"%g", 0.0, "0"}, PrintCase{"%g", 100.0, "100"}, PrintCase{"%G", 1e-10, "1E-10"},
    PrintCase{"%#g", 1.0, "1.00000"}, PrintCase{"%.3g", 3.14159, "3.14"}, PrintCase{"%g", -2.5, "-2.5"},
    PrintCase{"%.30f", 0.5, "0.500000000000000000000000000000"},
    PrintCase{"%.30g", 0.5, "0.5"}, PrintCase{"%#.26g", 0.5, "0.50000000000000000000000000"},
    PrintCase{"%.26e", 1.0, "1.00000000000000000000000000e+00"}));

TEST(RealPrint, InfinityAndNaNIgnoreWidthAndFlags)
{
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Printed("%10f|", inf), "+Inf|");
    EXPECT_EQ(Printed("%-10.2e|", -inf), "-Inf|");
    EXPECT_EQ(Printed("%010g|", std::nan("")), "NaN|");
}

TEST(RealPrint, HugeValuesPrintInFull)
{
    std::string text = Printed("%f", 1e300);
    EXPECT_EQ(text.size(), 308u);  // 301 digits, the point and six places
    EXPECT_EQ(text.substr(0, 2), "10");
    EXPECT_EQ(text.substr(301), ".000000");
    EXPECT_EQ(Printed("%f", -1.7976931348623157e308).size(), 317u);
}

TEST(RealPrint, ArgumentsFromAFloatAndAnInteger)
{
    EXPECT_EQ(Printed("%.1f %.1f", 2.5f, 3), "2.5 3.0");
}

TEST(RealPrint, DecimalSeparatorsOfTheLocale)
{
    LocaleVariant locale;
    locale->decimalSeparator = ",";
    locale->monDecimalSeparator = "::";
    locale.Install();
    EXPECT_EQ(Printed("%f", 1.5), "1,500000");
    EXPECT_EQ(Printed("%$.2f", 1.5), "$1::50");
    EXPECT_EQ(Printed("%e", 1.5), "1,500000e+00");
    EXPECT_EQ(Printed("%g", 2.0), "2");
}

// ---- Scanning --------------------------------------------------------------------

struct ScanCase
{
    const char *format;
    const char *text;
    int result;
    double value;
};

class RealScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(RealScan, InTheCanonicalLocale)
{
    ZafRealData::RegisterConversions();
    const ScanCase &c = GetParam();
    double value = -999.0;
    EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, &value), c.result) << c.format << " '" << c.text << "'";
    EXPECT_DOUBLE_EQ(value, c.result == 1 ? c.value : -999.0) << c.format << " '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(Letters, RealScan, ::testing::Values(
    ScanCase{"%lf", "2.5", 1, 2.5}, ScanCase{"%F", "-2.5", 1, -2.5}, ScanCase{"%E", "1e3", 1, 1000.0},
    ScanCase{"%lg", "  .5", 1, 0.5}, ScanCase{"%lf", "5.", 1, 5.0}, ScanCase{"%lf", ".", 0, 0},
    ScanCase{"%lf", "-.5e-2", 1, -0.005}, ScanCase{"%lf", "(2.5)", 1, -2.5}, ScanCase{"%lf", "+1E+2", 1, 100.0},
    ScanCase{"%lf", "1e", 0, 0}, ScanCase{"%lfe", "1e", 1, 1.0}, ScanCase{"%lf", "1.5x", 0, 0},
    ScanCase{"%lf", "1.5 x", 1, 1.5}, ScanCase{"%lf", "", 0, 0}, ScanCase{"%lf", "e5", 0, 0},
    ScanCase{"%3lf", "1.25", 0, 0}, ScanCase{"%3lf", "1.2 ", 1, 1.2}, ScanCase{"%lf", "1.2.3", 0, 0},
    ScanCase{"%lf", "1e400", 1, HUGE_VAL}));

TEST(RealScan, LettersWithoutLongDeliverAFloat)
{
    ZafRealData::RegisterConversions();
    double value = 0;
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%f", &value), 1);
    EXPECT_EQ(value, static_cast<double>(0.1f));
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%F", &value), 1);
    EXPECT_EQ(value, 0.1);
    float single = 0;
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%lG", &single), 1);
    EXPECT_EQ(single, 0.1f);
    EXPECT_EQ(ZafFormatData::Scan("0.1", "%*g"), 0);
}

TEST(RealScan, LocaleSeparatorAndSigns)
{
    ZafRealData::RegisterConversions();
    LocaleVariant locale;
    locale->decimalSeparator = ",";
    locale->negativeSign = "m-";
    locale.Install();
    double value = 0;
    EXPECT_EQ(ZafFormatData::Scan("2,5", "%lf", &value), 1);
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(ZafFormatData::Scan("2.5", "%lf", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan("m-2,5", "%lf", &value), 1);
    EXPECT_EQ(value, -2.5);
    EXPECT_EQ(ZafFormatData::Scan("1,5em-1", "%lf", &value), 1);
    EXPECT_EQ(value, 0.15);
}

TEST(RealScan, WidthZeroOrThreeHundredFiftyAndMoreMeans349)
{
    ZafRealData::RegisterConversions();
    std::string text = std::string(349, '0') + "1";
    double value = -1;
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%lf", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str() + 1, "%lf", &value), 1);
    EXPECT_EQ(value, 1.0);
}

// ---- The data object ------------------------------------------------------------

TEST(RealData, PrintsAndScansItself)
{
    ZafRealData data(0.25);
    char buffer[64];
    EXPECT_EQ(data.FormattedText(buffer, 63, nullptr), 4);
    EXPECT_STREQ(buffer, "0.25");
    EXPECT_EQ(data.ScanText("(7.5)", "%g"), 1);
    EXPECT_EQ(data.Value(), -7.5);
    EXPECT_EQ(data.ScanText("abc", "%g"), 0);
    EXPECT_EQ(data.Value(), -7.5);
}

TEST(RealData, EachSetterNotifiesOnce)
{
    ZafRealData data(1.0);
    CountingObserver observer(data);
    data.SetValue(2.0);
    data.AddValue(0.5).SubtractValue(1.0);
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.Value(), 1.5);
    EXPECT_EQ(data.SetFormattedText("x", nullptr), 1);
    EXPECT_EQ(data.Value(), 1.5);
    EXPECT_EQ(data.SetFormattedText("2,5e1", "%f\n%f,%f"), 0);  // the first line takes "2"
    EXPECT_EQ(data.Value(), 2.0);
    data.Clear();
    EXPECT_EQ(observer.calls, 6);
    EXPECT_EQ(data.Value(), 0.0);
    EXPECT_TRUE(data.IsClassName("ZafFormatData"));
}

class RealRoundTrip : public ::testing::TestWithParam<double> {};

TEST_P(RealRoundTrip, ReadsBackTheSameValue)
{
    DataFile file;
    ZafRealData data(GetParam());
    ASSERT_EQ(file.Write(data, "real"), 0u);
    std::vector<unsigned char> stored = file.StoredBytes("~real");
    ASSERT_GE(stored.size(), 2u);
    EXPECT_LE(stored.size() - 2, 31u);  // the text stays within 32 bytes
    std::unique_ptr<ZafRealData> read = file.Read<ZafRealData>("real");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->Value(), GetParam());
}

// 1e-7 used to be stored as 0.000000 and 1e24 overflowed the 32-byte text.
INSTANTIATE_TEST_SUITE_P(Values, RealRoundTrip, ::testing::Values(
    0.0, 1.5, -2.25, 0.1, 1.0 / 3.0, 1e-7, 1e24, 1e300, -1.7976931348623157e308, 2.2250738585072014e-308,
    4.9406564584124654e-324, 123456789.123456789, -0.0000123));

TEST(RealData, StoredTextIsShortAndCanonical)
{
    char text[64];
    EXPECT_EQ(ZafRealData::FileText(1.5, text, sizeof text), 3);
    EXPECT_STREQ(text, "1.5");
    ZafRealData::FileText(1e-7, text, sizeof text);
    EXPECT_STREQ(text, "1e-07");
    ZafRealData::FileText(0.1, text, sizeof text);
    EXPECT_STREQ(text, "0.1");

    LocaleVariant comma;
    comma->decimalSeparator = ",";
    comma.Install();
    ZafRealData::FileText(2.5, text, sizeof text);
    EXPECT_STREQ(text, "2.5");
    DataFile file;
    ZafRealData data(2.5);
    ASSERT_EQ(file.Write(data, "real"), 0u);
    EXPECT_EQ(file.Read<ZafRealData>("real")->Value(), 2.5);  // read in the comma locale too
}

TEST(RealData, ReadsTheSixPlacesFormAndRefusesOtherTexts)
{
    const struct
    {
        const char *text;
        std::uint32_t error;
        double value;
    } cases[] = {{"1.500000", 0u, 1.5}, {"abc", 1u, 0.0}};
    for (const auto &c : cases)
    {
        DataFile file;
        ZafRealData data(9.0);
        ASSERT_EQ(file.Write(data, "real"), 0u);
        std::vector<unsigned char> bytes = {static_cast<unsigned char>(std::strlen(c.text)), 0};
        bytes.insert(bytes.end(), c.text, c.text + std::strlen(c.text));
        ASSERT_TRUE(file.ReplaceBytes("~real", bytes, ZafRealData::className, ZafRealData::classID));
        std::unique_ptr<ZafRealData> read = file.Read<ZafRealData>("real");
        EXPECT_EQ(read->Error(), c.error) << c.text;
        EXPECT_EQ(read->Value(), c.value) << c.text;
    }
}

} // namespace
