// Real data: printing and scanning through every real letter and flag, in the
// canonical locale and in one with a decimal comma, and the stored text.
#include "zaf/data/ZafRealData.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

template <class... T> std::string Printed(const char *format, T... values)
{
    ZafRealData::RegisterConversions();
    char buffer[512];
    ZafFormatData::Print(buffer, sizeof buffer, format, values...);
    return buffer;
}

TEST(RealPrint, EveryLetterAndFlagInTheCanonicalLocale)
{
    ZafRealData::RegisterConversions(); // which makes the Windows locale current
    LocaleVariant canonical;
    canonical.Install();
    const struct
    {
        const char *format;
        double value;
        const char *expected;
    } cases[] = {{"%f", 1.5, "1.500000"},
                 {"%F", 1.5, "1.500000"},
                 {"%.2f", 3.14159, "3.14"},
                 {"%.0f", 3.7, "4"},
                 {"%#.0f", 3.7, "4."},
                 {"%.2f", 9.999, "10.00"},
                 {"%f", -0.0000001, "0.000000"},
                 {"%f", -0.0, "0.000000"},
                 {"%+f", 1.0, "+1.000000"},
                 {"%10.2f", 3.14159, "      3.14"},
                 {"%-10.2f|", 3.14159, "3.14      |"},
                 {"%010.2f", -3.14159, "-000003.14"},
                 {"%@.1f", -2.5, "(2.5)"},
                 {"%$.2f", 2.5, "$2.50"},
                 {"%e", 12345.678, "1.234568e+04"},
                 {"%E", 12345.678, "1.234568E+04"},
                 {"%.2e", 9.999, "1.00e+01"},
                 {"%e", 0.0, "0.000000e+00"},
                 {"%e", 1e-300, "1.000000e-300"},
                 {"%.0e", 5e10, "5e+10"},
                 {"%g", 0.00001, "1e-05"},
                 {"%g", 123456.0, "123456"},
                 {"%g", 1234567.0, "1.23457e+06"},
                 {"%g", 0.0001, "0.0001"},
                 {"%g", 0.0, "0"},
                 {"%g", 100.0, "100"},
                 {"%G", 1e-10, "1E-10"},
                 {"%#g", 1.0, "1.00000"},
                 {"%.3g", 3.14159, "3.14"},
                 {"%g", -2.5, "-2.5"},
                 {"%.30f", 0.5, "0.500000000000000000000000000000"},
                 {"%.30g", 0.5, "0.5"},
                 {"%#.26g", 0.5, "0.50000000000000000000000000"},
                 {"%.26e", 1.0, "1.00000000000000000000000000e+00"}};
    for (const auto &c : cases)
        EXPECT_EQ(Printed(c.format, c.value), c.expected) << c.format << " " << c.value;
    // Infinity and NaN ignore width and flags; a float and an integer are
    // read as doubles.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Printed("%10f|%-10.2e|%010g|", inf, -inf, std::nan("")), "+Inf|-Inf|NaN|");
    EXPECT_EQ(Printed("%.1f %.1f", 2.5f, 3), "2.5 3.0");
}

// "%f" of 1e24 and more needs more than 32 bytes.
TEST(RealPrint, HugeValuesPrintInFull)
{
    const std::string text = Printed("%f", 1e300);
    EXPECT_EQ(text.size(), 308u); // 301 digits, the point and six places
    EXPECT_EQ(text.substr(0, 2), "10");
    EXPECT_EQ(text.substr(301), ".000000");
    EXPECT_EQ(Printed("%f", -1.7976931348623157e308).size(), 317u);
}

TEST(RealPrint, DecimalSeparatorsOfTheLocale)
{
    LocaleVariant locale;
    locale->decimalSeparator = ",";
    locale->monDecimalSeparator = "::";
    locale.Install();
    EXPECT_EQ(Printed("%f|%$.2f|%e|%g", 1.5, 1.5, 1.5, 2.0), "1,500000|$1::50|1,500000e+00|2");
}

TEST(RealScan, EveryLetterInTheCanonicalLocale)
{
    ZafRealData::RegisterConversions();
    const struct
    {
        const char *format, *text;
        int result;
        double value;
    } cases[] = {
        {"%lf", "2.5", 1, 2.5},     {"%F", "-2.5", 1, -2.5}, {"%E", "1e3", 1, 1000.0},     {"%lg", "  .5", 1, 0.5},
        {"%lf", "5.", 1, 5.0},      {"%lf", ".", 0, 0},      {"%lf", "-.5e-2", 1, -0.005}, {"%lf", "(2.5)", 1, -2.5},
        {"%lf", "+1E+2", 1, 100.0}, {"%lf", "1e", 0, 0},     {"%lfe", "1e", 1, 1.0},       {"%lf", "1.5x", 0, 0},
        {"%lf", "1.5 x", 1, 1.5},   {"%lf", "", 0, 0},       {"%lf", "e5", 0, 0},          {"%3lf", "1.25", 0, 0},
        {"%3lf", "1.2 ", 1, 1.2},   {"%lf", "1.2.3", 0, 0},  {"%lf", "1e400", 1, HUGE_VAL}};
    for (const auto &c : cases) {
        double value = -999.0;
        EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, &value), c.result) << c.format << " '" << c.text << "'";
        EXPECT_DOUBLE_EQ(value, c.result == 1 ? c.value : -999.0) << c.format << " '" << c.text << "'";
    }
    // Letters without 'l' deliver a float ("%F" and "%lG" excepted).
    double value = 0;
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%f", &value), 1);
    EXPECT_EQ(value, static_cast<double>(0.1f));
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%F", &value), 1);
    EXPECT_EQ(value, 0.1);
    float single = 0;
    ASSERT_EQ(ZafFormatData::Scan("0.1", "%lG", &single), 1);
    EXPECT_EQ(single, 0.1f);
    EXPECT_EQ(ZafFormatData::Scan("0.1", "%*g"), 0);
    // Width 0 or 350 and more means 349.
    const std::string text = std::string(349, '0') + "1";
    EXPECT_EQ(ZafFormatData::Scan(text.c_str(), "%lf", &value), 0);
    EXPECT_EQ(ZafFormatData::Scan(text.c_str() + 1, "%lf", &value), 1);
    EXPECT_EQ(value, 1.0);
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

TEST(RealData, PrintsScansAndNotifiesOncePerSetter)
{
    ZafRealData data(0.25);
    char buffer[64];
    EXPECT_EQ(data.FormattedText(buffer, 63, nullptr), 4);
    EXPECT_STREQ(buffer, "0.25");
    EXPECT_EQ(data.ScanText("(7.5)", "%g"), 1);
    EXPECT_EQ(data.Value(), -7.5);
    EXPECT_EQ(data.ScanText("abc", "%g"), 0);
    EXPECT_EQ(data.Value(), -7.5);
    CountingObserver observer(data);
    data.SetValue(2.0);
    data.AddValue(0.5).SubtractValue(1.0);
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.Value(), 1.5);
    EXPECT_EQ(data.SetFormattedText("x", nullptr), 1);
    EXPECT_EQ(data.Value(), 1.5);
    EXPECT_EQ(data.SetFormattedText("2,5e1", "%f\n%f,%f"), 0); // the first line takes "2"
    EXPECT_EQ(data.Value(), 2.0);
    data.Clear();
    EXPECT_EQ(observer.calls, 6);
    EXPECT_EQ(data.Value(), 0.0);
}

// Six fixed decimals would store 1e-7 as 0 and overflow a 32-byte text with
// 1e24. Every value reads back the same from a short text in every locale,
// and a six-places form reads as well.
TEST(RealData, StoredTextIsShortCanonicalAndReadsBackTheSameValue)
{
    char text[64];
    const std::pair<double, const char *> forms[] = {{1.5, "1.5"}, {1e-7, "1e-07"}, {0.1, "0.1"}};
    for (const auto &form : forms) {
        EXPECT_EQ(ZafRealData::FileText(form.first, text, sizeof text), static_cast<int>(std::strlen(form.second)));
        EXPECT_STREQ(text, form.second);
    }
    auto readsBack = [](double value) {
        DataFile file;
        ZafRealData data(value);
        ASSERT_EQ(file.Write(data, "real"), 0u);
        EXPECT_LE(file.StoredBytes("~real").size(), 2u + 31u) << "the text stays within 32 bytes";
        std::unique_ptr<ZafRealData> read = file.Read<ZafRealData>("real");
        EXPECT_EQ(read->Error(), 0u);
        EXPECT_TRUE(read->Value() == value || (std::isnan(value) && std::isnan(read->Value()))) << value;
    };
    // Infinities and NaN have words of their own, as a scan of "1e400" can
    // make one.
    for (double value : {0.0, 1.5, -2.25, 0.1, 1.0 / 3.0, 1e-7, 1e24, 1e300, -1.7976931348623157e308,
                         2.2250738585072014e-308, 4.9406564584124654e-324, 123456789.123456789, -0.0000123,
                         std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::nan("")})
        readsBack(value);
    LocaleVariant comma;
    comma->decimalSeparator = ",";
    comma.Install();
    ZafRealData::FileText(2.5, text, sizeof text);
    EXPECT_STREQ(text, "2.5");
    readsBack(2.5);
    const struct
    {
        const char *text;
        std::uint32_t error;
        double value;
    } stored[] = {{"1.500000", 0u, 1.5}, {"abc", 1u, 0.0}};
    for (const auto &c : stored) {
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
