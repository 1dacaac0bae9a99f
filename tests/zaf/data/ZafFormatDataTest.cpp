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

// A print conversion that records what the engine handed it.
struct PrintCall
{
    unsigned flags = 0;
    int width = 0;
    int precision = 0;
    int calls = 0;
} lastPrint;

void RecordPrint(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned flags, int width, int precision)
{
    lastPrint = {flags, width, precision, lastPrint.calls + 1};
    output.Put("<k>");
}

struct ScanCall
{
    unsigned flags = 0;
    int width = 0;
    int calls = 0;
} lastScan;

int RecordScan(ZafFormatArguments &, const char *&text, char, unsigned flags, int width, const char *&)
{
    lastScan = {flags, width, lastScan.calls + 1};
    if (*text == 'k')
    {
        text++;
        return 1;
    }
    return -1;
}

void PrintFirst(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned, int, int) { output.Put("first"); }
void PrintSecond(ZafFormatArguments &, ZafPrintOutput &output, char, unsigned, int, int) { output.Put("second"); }

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

} // namespace

// ---- Print engine --------------------------------------------------------------

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

class PrintFlag : public FormatEngine, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(PrintFlag, ReachesTheConversionWithItsPrintValue)
{
    Print(GetParam().format);
    EXPECT_EQ(lastPrint.flags, GetParam().flags) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(Letters, PrintFlag, ::testing::Values(
    FlagCase{"%#k", 0x0001}, FlagCase{"%-k", 0x0004}, FlagCase{"%Lk", 0x0008},
    FlagCase{"%lk", 0x0010}, FlagCase{"%qk", 0x0020}, FlagCase{"%hk", 0x0040},
    FlagCase{"%0k", 0x0080}, FlagCase{"%ak", 0x0100}, FlagCase{"%$k", 0x0200},
    FlagCase{"%@k", 0x0400}, FlagCase{"%,k", 0x0800}, FlagCase{"% k", 0x1000},
    FlagCase{"%+k", 0x2000}, FlagCase{"%Zk", 0x4000}, FlagCase{"%+ k", 0x2000},
    FlagCase{"% +k", 0x2000}, FlagCase{"%-0#k", 0x0085}, FlagCase{"%5-k", 0x0004}));

TEST_F(FormatEngine, PrintReadsWidthAndPrecision)
{
    Print("%12k");
    EXPECT_EQ(lastPrint.width, 12);
    EXPECT_EQ(lastPrint.precision, -1);
    Print("%012.30k");
    EXPECT_EQ(lastPrint.flags, ZAF_PRINT_ZERO);
    EXPECT_EQ(lastPrint.width, 12);
    EXPECT_EQ(lastPrint.precision, 30);
    Print("%.k");
    EXPECT_EQ(lastPrint.precision, 0);
    Print("%.99999999999k");  // an overflowing precision gives none
    EXPECT_EQ(lastPrint.precision, -1);

    char buffer[32];
    ZafFormatData::Print(buffer, sizeof buffer, "%*.*k", 7, 3);
    EXPECT_EQ(lastPrint.width, 7);
    EXPECT_EQ(lastPrint.precision, 3);
    EXPECT_EQ(lastPrint.flags, 0u);
    ZafFormatData::Print(buffer, sizeof buffer, "%*.*k", -7, -3);
    EXPECT_EQ(lastPrint.width, 7);
    EXPECT_EQ(lastPrint.flags, ZAF_PRINT_LEFT);
    EXPECT_EQ(lastPrint.precision, -1);
}

TEST_F(FormatEngine, PrintStoresTheCountSoFarThroughN)
{
    char buffer[32];
    int count = -1;
    short shortCount = -1;
    ZafFormatData::Print(buffer, sizeof buffer, "abc%nde%hnf", &count, &shortCount);
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(shortCount, 5);
}

TEST_F(FormatEngine, ArgumentsOfTheWrongKindOrMissingReadAsNothing)
{
    char buffer[32];
    ZafFormatData::Print(buffer, sizeof buffer, "%d|%d|%d", 7, "text");
    EXPECT_STREQ(buffer, "7|0|0");
    int target = 5;
    EXPECT_EQ(ZafFormatData::Scan("1 2", "%d %d", "not a target", &target), 1);
    EXPECT_EQ(target, 2);
    // %n without a place to store is harmless.
    EXPECT_EQ(ZafFormatData::Print(buffer, sizeof buffer, "ab%n"), 2);
}

// ---- Scan engine -----------------------------------------------------------------

class ScanFlag : public FormatEngine, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(ScanFlag, ReachesTheConversionWithItsScanValue)
{
    ZafFormatData::Scan("k", GetParam().format);
    EXPECT_EQ(lastScan.flags, GetParam().flags) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(Letters, ScanFlag, ::testing::Values(
    FlagCase{"%lk", 0x0001}, FlagCase{"%hk", 0x0002}, FlagCase{"%*k", 0x0004},
    FlagCase{"%Lk", 0x0008}, FlagCase{"%$k", 0x0200}, FlagCase{"%@k", 0x0400},
    FlagCase{"%,k", 0x0800}, FlagCase{"%Zk", 0x4000}, FlagCase{"%+k", 0x0000},
    FlagCase{"%-k", 0x0000}, FlagCase{"%*lhk", 0x0007}));

TEST(FormatFlags, PrintAndScanGiveTheSameLettersDifferentValues)
{
    EXPECT_NE(ZAF_PRINT_LONG, ZAF_SCAN_LONG);
    EXPECT_NE(ZAF_PRINT_SHORT, ZAF_SCAN_SHORT);
    EXPECT_EQ(ZAF_PRINT_LEFT, ZAF_SCAN_SUPPRESS);  // '-' when printing, '*' when scanning
    EXPECT_EQ(ZAF_PRINT_ALTERNATE, ZAF_SCAN_LONG); // '#' when printing, 'l' when scanning
}

TEST_F(FormatEngine, ScanReadsWidthAndDropsItAtAPrecision)
{
    ZafFormatData::Scan("k", "%12k");
    EXPECT_EQ(lastScan.width, 12);
    ZafFormatData::Scan("k", "%12.5k");
    EXPECT_EQ(lastScan.width, 0);
    ZafFormatData::Scan("k", "%12.*k");
    EXPECT_EQ(lastScan.width, 0);
    ZafFormatData::Scan("k", "%.5k");
    EXPECT_EQ(lastScan.width, 0);
}

TEST_F(FormatEngine, ScanMatchesLiteralsBlanksAndPercent)
{
    int a = 0, b = 0;
    EXPECT_EQ(ZafFormatData::Scan("  12 -\t 34", " %d - %d", &a, &b), 2);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
    EXPECT_EQ(ZafFormatData::Scan("50%", "%d%%", &a), 1);
    EXPECT_EQ(a, 50);
    EXPECT_EQ(ZafFormatData::Scan("5 #", "%d%%", &a), 1);  // a '%' was wanted: stops after one value
    EXPECT_EQ(ZafFormatData::Scan("12 :34", "%d/%d", &a, &b), 1);
    EXPECT_EQ(ZafFormatData::Scan("12:34", "%d/%d", &a, &b), 0);  // ':' may not follow the number
    EXPECT_EQ(ZafFormatData::Scan("\xA0" "7", " %d", &a), 1);
    EXPECT_EQ(a, 7);
}

TEST_F(FormatEngine, ScanStopsAtUnknownLettersFailuresAndAnOpenPercent)
{
    int a = 0, b = 0;
    EXPECT_EQ(ZafFormatData::Scan("1 2", "%d %y", &a, &b), 1);
    EXPECT_EQ(ZafFormatData::Scan("1 x", "%d %d", &a, &b), 1);
    EXPECT_EQ(ZafFormatData::Scan("1", "%"), -1);
    EXPECT_EQ(ZafFormatData::Scan("1 ", "%d %", &a), -1);
    EXPECT_EQ(ZafFormatData::Scan("1", "%5"), -1);
    EXPECT_EQ(ZafFormatData::Scan(nullptr, "%d", &a), 0);
}

TEST_F(FormatEngine, ScanStoresTheCharactersConsumedThroughN)
{
    int a = 0, consumed = 0;
    short shortConsumed = 0;
    EXPECT_EQ(ZafFormatData::Scan("  42 rest", "%d%n %hn", &a, &consumed, &shortConsumed), 1);
    EXPECT_EQ(consumed, 4);
    EXPECT_EQ(shortConsumed, 5);
    consumed = -1;
    ZafFormatData::Scan("42", "%d%*n", &a, &consumed);
    EXPECT_EQ(consumed, -1);
}

// ---- Tables --------------------------------------------------------------------

TEST(ConversionTable, FirstRegistrationWins)
{
    ZafFormatData::RegisterPrintConversion('j', PrintFirst);
    EXPECT_FALSE(ZafFormatData::RegisterPrintConversion('j', PrintSecond));
    char buffer[32];
    ZafFormatData::Print(buffer, sizeof buffer, "%j");
    EXPECT_STREQ(buffer, "first");
}

TEST(ConversionTable, HoldsFortyLettersAndRefusesMore)
{
    ZafConversionTable<ZafPrintConversion> table;
    for (int i = 0; i < 40; i++)
        EXPECT_TRUE(table.Register(static_cast<char>('A' + i), PrintFirst));
    EXPECT_FALSE(table.Register('~', PrintFirst));
    EXPECT_EQ(table.Count(), 40);
    EXPECT_EQ(table.Find('~'), nullptr);
    EXPECT_EQ(table.Find('A'), PrintFirst);
    EXPECT_FALSE(table.Register('!', nullptr));
}

// ---- Format lines ----------------------------------------------------------------

TEST(FormatLine, SplitsAtLineFeeds)
{
    char line[ZafFormatData::formatLineSize];
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
}

TEST(FormatLine, ALongLineIsCutAtSixtyThreeCharacters)
{
    std::string format(100, 'a');
    format += "\nnext";
    char line[ZafFormatData::formatLineSize + 8];
    std::memset(line, 'x', sizeof line);
    const char *rest = ZafFormatData::NextFormatLine(line, format.c_str());
    EXPECT_EQ(std::strlen(line), 63u);
    EXPECT_EQ(line[64], 'x');
    EXPECT_STREQ(rest, "next");
}

// ---- One data object ------------------------------------------------------------

TEST(FormatText, ALineWithoutPercentIsCopiedWhenItFits)
{
    ZafIntegerData data(5);
    char buffer[16];
    EXPECT_EQ(data.FormatText(buffer, 10, "abc"), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(data.FormatText(buffer, 2, "abc"), 0);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(data.FormatText(buffer, 10, "%d\nignored"), 1);
    EXPECT_STREQ(buffer, "5");
    EXPECT_EQ(data.FormatText(nullptr, 10, "%d"), 0);
}

TEST(FormatText, ATextLongerThanTheMaximumIsNotWrittenPastIt)
{
    ZafIntegerData data(123456);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(data.FormatText(buffer, 3, "%d"), 0);
    EXPECT_STREQ(buffer, "123");
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_EQ(data.FormatText(buffer, 6, "%d"), 6);
    EXPECT_STREQ(buffer, "123456");
}

TEST(FormatText, TheDataFlagFitsAFullFormatLine)
{
    // 61 characters and "%d": 63, the longest line; the inserted 'Z' makes 64.
    std::string format(61, 'a');
    format += "%d";
    ZafIntegerData data(42);
    char buffer[128];
    EXPECT_EQ(data.FormatText(buffer, 100, format.c_str()), 63);
    EXPECT_EQ(std::string(buffer), std::string(61, 'a') + "42");
}

TEST(ScanText, TriesEachLineUntilOneAssigns)
{
    ZafIntegerData data(0);
    EXPECT_EQ(data.ScanText("ff", "%d\n%x"), 1);
    EXPECT_EQ(data.Value(), 255);
    EXPECT_EQ(data.ScanText("10", "%x\n%d"), 1);  // the first line assigns; the second is not tried
    EXPECT_EQ(data.Value(), 16);
    EXPECT_EQ(data.ScanText("ff", "%d\n\n%x"), 0);  // an empty line ends the search
    EXPECT_EQ(data.ScanText("ff", "no percent\n%x"), 1);
    EXPECT_EQ(data.ScanText(nullptr, "%d"), 0);
    EXPECT_EQ(data.ScanText("12", nullptr), 0);
    EXPECT_EQ(data.Value(), 255);
}

TEST(ScanText, ALetterOfAnotherClassAssignsNothing)
{
    ZafRealData::RegisterConversions();
    ZafIntegerData data(9);
    char buffer[16];
    EXPECT_EQ(data.FormatText(buffer, 10, "<%g>"), 2);
    EXPECT_STREQ(buffer, "<>");
    EXPECT_EQ(data.ScanText("1.5", "%g"), 0);
    EXPECT_EQ(data.Value(), 9);
}

TEST(FormatText, ACountStoreNeverWritesIntoTheDataObject)
{
    // The 'Z' lands on "%n": its only argument is the data object, which must
    // not be taken for a place to store a count.
    ZafIntegerData data(7);
    char buffer[16];
    EXPECT_EQ(data.FormatText(buffer, 15, "ab%n|%d"), 4);
    EXPECT_STREQ(buffer, "ab|0");
    EXPECT_EQ(data.Value(), 7);
    EXPECT_EQ(data.ScanText("12", "%n%d"), 0);
    EXPECT_EQ(data.Value(), 7);
}

TEST(FormatText, DefaultFormatsComeFromTheLocale)
{
    ZafNumberConventions conventions = ZafLocaleDefaults::Canonical();
    conventions.integerPrintFormat = "<%+d>";
    conventions.realPrintFormat = "%.2f";
    ZafLocaleDefaults::SetCurrent(&conventions);
    ZafIntegerData integer(5);
    ZafRealData real(2.0);
    char buffer[16];
    integer.FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "<+5>");
    real.FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "2.00");
    EXPECT_EQ(ZafLocaleDefaults::SetCurrent(nullptr), &conventions);
    integer.FormattedText(buffer, 15, nullptr);
    EXPECT_STREQ(buffer, "5");
}
