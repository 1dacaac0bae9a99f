// The print and scan engines: flag letters and their values, bounds, the
// conversion tables and the one-object FormatText / ScanText.
#include "zaf/data/ZafFormatData.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLocaleDefaults.h"
#include "zaf/data/ZafRealData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Conversions of the letter 'k' that record what the engines handed them.
struct Call
{
    unsigned flags = 0;
    int width = 0;
    int precision = 0;
} lastPrint, lastScan;

void RecordPrint(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned flags, int width, int precision)
{
    lastPrint = {flags, width, precision};
    output.Put("<k>");
}

int RecordScan(ZafFormatArguments &, const char *&text, char, unsigned flags, int width, const char *&)
{
    lastScan = {flags, width, 0};
    return *text == 'k' ? (text++, 1) : -1;
}

void PrintFirst(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned, int, int)
{
    output.Put("first");
}
void PrintSecond(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned, int, int)
{
    output.Put("second");
}

class FormatEngine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZafIntegerData::RegisterConversions();
        ZafFormatData::RegisterPrintConversion('k', RecordPrint);
        ZafFormatData::RegisterScanConversion('k', RecordScan);
    }
    std::string Print(const char *format)
    {
        char buffer[128];
        ZafFormatData::Print(buffer, sizeof buffer, format);
        return buffer;
    }
};

struct FlagCase
{
    const char *format;
    unsigned flags;
};

TEST_F(FormatEngine, PrintCopiesTextAndWritesUnknownLettersLiterally)
{
    char buffer[64];
    EXPECT_EQ(ZafFormatData::Print(buffer, sizeof buffer, "abc"), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(Print("100%% sure"), "100% sure");
    EXPECT_EQ(Print("%y and %5w"), "y and w");
    EXPECT_EQ(ZafFormatData::Print(buffer, sizeof buffer, "ends in %"), 8);
    EXPECT_STREQ(buffer, "ends in ");
    EXPECT_EQ(ZafFormatData::Print(buffer, sizeof buffer, "ends in %-5"), 8);
}

TEST_F(FormatEngine, PrintNeverWritesPastTheBufferAndReportsTheWholeLength)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(ZafFormatData::Print(buffer, 4, "abcdef%d", 12345), 11);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_EQ(ZafFormatData::Print(buffer, 4, "%1000000000d", 1), 1000000000);
    EXPECT_STREQ(buffer, "   ");
    EXPECT_EQ(ZafFormatData::Print(nullptr, 0, "%d", 12), 2);
}

// The same letters have other values when printing than when scanning.
TEST_F(FormatEngine, FlagLettersReachTheConversionWithTheirPrintAndScanValues)
{
    const FlagCase printFlags[] = {
        {"%#k", 0x0001}, {"%-k", 0x0004}, {"%Lk", 0x0008},  {"%lk", 0x0010},  {"%qk", 0x0020},   {"%hk", 0x0040},
        {"%0k", 0x0080}, {"%ak", 0x0100}, {"%$k", 0x0200},  {"%@k", 0x0400},  {"%,k", 0x0800},   {"% k", 0x1000},
        {"%+k", 0x2000}, {"%Zk", 0x4000}, {"%+ k", 0x2000}, {"% +k", 0x2000}, {"%-0#k", 0x0085}, {"%5-k", 0x0004}};
    for (const FlagCase &c : printFlags) {
        Print(c.format);
        EXPECT_EQ(lastPrint.flags, c.flags) << c.format;
    }
    const FlagCase scanFlags[] = {{"%lk", 0x0001}, {"%hk", 0x0002}, {"%*k", 0x0004},  {"%Lk", 0x0008},
                                  {"%$k", 0x0200}, {"%@k", 0x0400}, {"%,k", 0x0800},  {"%Zk", 0x4000},
                                  {"%+k", 0x0000}, {"%-k", 0x0000}, {"%*lhk", 0x0007}};
    for (const FlagCase &c : scanFlags) {
        ZafFormatData::Scan("k", c.format);
        EXPECT_EQ(lastScan.flags, c.flags) << c.format;
    }
}

TEST_F(FormatEngine, WidthAndPrecisionWhenPrintingAndScanning)
{
    const struct
    {
        const char *format;
        int width, precision;
    } cases[] = {{"%12k", 12, -1}, {"%012.30k", 12, 30}, {"%.k", 0, 0}, {"%.99999999999k", 0, -1}};
    for (const auto &c : cases) {
        Print(c.format);
        EXPECT_EQ(lastPrint.width, c.width) << c.format;
        EXPECT_EQ(lastPrint.precision, c.precision) << c.format << ": an overflowing precision gives none";
    }
    EXPECT_EQ(lastPrint.flags, 0u);
    char buffer[32];
    ZafFormatData::Print(buffer, sizeof buffer, "%*.*k", 7, 3);
    EXPECT_EQ(lastPrint.width, 7);
    EXPECT_EQ(lastPrint.precision, 3);
    EXPECT_EQ(lastPrint.flags, 0u);
    ZafFormatData::Print(buffer, sizeof buffer, "%*.*k", -7, -3);
    EXPECT_EQ(lastPrint.width, 7);
    EXPECT_EQ(lastPrint.flags, ZAF_PRINT_LEFT);
    EXPECT_EQ(lastPrint.precision, -1);

    // A precision drops the scan width.
    for (const char *format : {"%12k", "%12.5k", "%12.*k", "%.5k"}) {
        ZafFormatData::Scan("k", format);
        EXPECT_EQ(lastScan.width, std::strcmp(format, "%12k") ? 0 : 12) << format;
    }
}

TEST_F(FormatEngine, CountsThroughNAndArgumentsOfTheWrongKindReadAsNothing)
{
    char buffer[32];
    int count = -1, a = 0, target = 5;
    short shortCount = -1;
    ZafFormatData::Print(buffer, sizeof buffer, "abc%nde%hnf", &count, &shortCount);
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(shortCount, 5);
    EXPECT_EQ(ZafFormatData::Print(buffer, sizeof buffer, "ab%n"), 2) << "%n without a place to store";
    EXPECT_EQ(ZafFormatData::Scan("  42 rest", "%d%n %hn", &a, &count, &shortCount), 1);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(shortCount, 5);
    count = -1;
    ZafFormatData::Scan("42", "%d%*n", &a, &count);
    EXPECT_EQ(count, -1);

    ZafFormatData::Print(buffer, sizeof buffer, "%d|%d|%d", 7, "text");
    EXPECT_STREQ(buffer, "7|0|0");
    EXPECT_EQ(ZafFormatData::Scan("1 2", "%d %d", "not a target", &target), 1);
    EXPECT_EQ(target, 2);
}

TEST_F(FormatEngine, ScanMatchesLiteralsBlanksAndPercentAndStopsAtFailures)
{
    int a = 0, b = 0;
    EXPECT_EQ(ZafFormatData::Scan("  12 -\t 34", " %d - %d", &a, &b), 2);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
    EXPECT_EQ(ZafFormatData::Scan("50%", "%d%%", &a), 1);
    EXPECT_EQ(a, 50);
    EXPECT_EQ(ZafFormatData::Scan("\xA0"
                                  "7",
                                  " %d", &a),
              1);
    EXPECT_EQ(a, 7);
    const struct
    {
        const char *text, *format;
        int result;
    } stops[] = {{"5 #", "%d%%", 1},                            // a '%' was wanted: stops after one value
                 {"12 :34", "%d/%d", 1}, {"12:34", "%d/%d", 0}, // ':' may not follow the number
                 {"1 2", "%d %y", 1},    {"1 x", "%d %d", 1},   {"1", "%", -1}, {"1 ", "%d %", -1}, {"1", "%5", -1}};
    for (const auto &c : stops)
        EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, &a, &b), c.result) << c.text << " " << c.format;
    EXPECT_EQ(ZafFormatData::Scan(nullptr, "%d", &a), 0);
}

TEST(ConversionTable, FirstRegistrationWinsAndFortyLettersAreTheMost)
{
    ZafFormatData::RegisterPrintConversion('j', PrintFirst);
    EXPECT_FALSE(ZafFormatData::RegisterPrintConversion('j', PrintSecond));
    char buffer[32];
    ZafFormatData::Print(buffer, sizeof buffer, "%j");
    EXPECT_STREQ(buffer, "first");

    ZafConversionTable<ZafPrintConversion> table;
    for (int i = 0; i < 40; i++)
        EXPECT_TRUE(table.Register(static_cast<char>('A' + i), PrintFirst));
    EXPECT_FALSE(table.Register('~', PrintFirst));
    EXPECT_EQ(table.Count(), 40);
    EXPECT_EQ(table.Find('~'), nullptr);
    EXPECT_EQ(table.Find('A'), PrintFirst);
    EXPECT_FALSE(table.Register('!', nullptr));
}

TEST(FormatLine, SplitsAtLineFeedsAndCutsALongLineAtSixtyThreeCharacters)
{
    char line[ZafFormatData::formatLineSize + 8];
    const char *rest = ZafFormatData::NextFormatLine(line, "%d\n%x\n");
    EXPECT_STREQ(line, "%d");
    rest = ZafFormatData::NextFormatLine(line, rest);
    EXPECT_STREQ(line, "%x");
    EXPECT_STREQ(rest, "");
    EXPECT_EQ(ZafFormatData::NextFormatLine(line, rest), nullptr);
    EXPECT_STREQ(line, "");
    EXPECT_EQ(ZafFormatData::NextFormatLine(line, "%g"), nullptr);
    EXPECT_STREQ(line, "%g");
    EXPECT_EQ(ZafFormatData::NextFormatLine(line, nullptr), nullptr);
    EXPECT_STREQ(line, "");

    std::memset(line, 'x', sizeof line);
    rest = ZafFormatData::NextFormatLine(line, (std::string(100, 'a') + "\nnext").c_str());
    EXPECT_EQ(std::strlen(line), 63u);
    EXPECT_EQ(line[64], 'x');
    EXPECT_STREQ(rest, "next");
}

// FormatText compares the text with the maximum before writing it, and the
// 'Z' inserted into a full 64-byte format line still fits.
TEST(FormatText, ATextIsBoundedByTheMaximumAndTheDataFlagFitsAFullLine)
{
    ZafIntegerData data(5);
    char buffer[128];
    EXPECT_EQ(data.FormatText(buffer, 10, "abc"), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(data.FormatText(buffer, 2, "abc"), 0);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(data.FormatText(buffer, 10, "%d\nignored"), 1);
    EXPECT_STREQ(buffer, "5");
    EXPECT_EQ(data.FormatText(nullptr, 10, "%d"), 0);

    ZafIntegerData big(123456);
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(big.FormatText(buffer, 3, "%d"), 0);
    EXPECT_STREQ(buffer, "123");
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_EQ(big.FormatText(buffer, 6, "%d"), 6);
    EXPECT_STREQ(buffer, "123456");

    // 61 characters and "%d": 63, the longest line; the inserted 'Z' makes 64.
    ZafIntegerData answer(42);
    EXPECT_EQ(answer.FormatText(buffer, 100, (std::string(61, 'a') + "%d").c_str()), 63);
    EXPECT_EQ(std::string(buffer), std::string(61, 'a') + "42");
}

TEST(ScanText, TriesEachLineUntilOneAssigns)
{
    ZafIntegerData data(0);
    EXPECT_EQ(data.ScanText("ff", "%d\n%x"), 1);
    EXPECT_EQ(data.Value(), 255);
    EXPECT_EQ(data.ScanText("10", "%x\n%d"), 1); // the first line assigns; the second is not tried
    EXPECT_EQ(data.Value(), 16);
    EXPECT_EQ(data.ScanText("ff", "%d\n\n%x"), 0); // an empty line ends the search
    EXPECT_EQ(data.ScanText("ff", "no percent\n%x"), 1);
    EXPECT_EQ(data.ScanText(nullptr, "%d"), 0);
    EXPECT_EQ(data.ScanText("12", nullptr), 0);
    EXPECT_EQ(data.Value(), 255);
}

// A letter of another class assigns nothing, and a count store never writes
// into the data object (the 'Z' lands on "%n", whose only argument is the
// data object).
TEST(ScanText, OtherLettersAndCountStoresLeaveTheDataObjectAlone)
{
    ZafRealData::RegisterConversions();
    ZafIntegerData data(9);
    char buffer[16];
    EXPECT_EQ(data.FormatText(buffer, 10, "<%g>"), 2);
    EXPECT_STREQ(buffer, "<>");
    EXPECT_EQ(data.ScanText("1.5", "%g"), 0);
    EXPECT_EQ(data.FormatText(buffer, 15, "ab%n|%d"), 4);
    EXPECT_STREQ(buffer, "ab|0");
    EXPECT_EQ(data.ScanText("12", "%n%d"), 0);
    EXPECT_EQ(data.Value(), 9);
}

TEST(FormatText, DefaultFormatsComeFromTheLocale)
{
    ZafNumberConventions conventions = ZafLocaleDefaults::Canonical();
    conventions.integerPrintFormat = "<%+d>";
    conventions.realPrintFormat = "%.2f";
    ZafLocaleDefaults::SetCurrent(&conventions);
    ZafIntegerData integer(5);
    char buffer[16];
    integer.FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "<+5>");
    ZafRealData(2.0).FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "2.00");
    EXPECT_EQ(ZafLocaleDefaults::SetCurrent(nullptr), &conventions);
    integer.FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "5");
}

} // namespace
