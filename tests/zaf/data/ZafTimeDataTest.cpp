#include "zaf/data/ZafTimeData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafStringData.h"

namespace {

std::string Print(const ZafUTimeData &time, const char *format)
{
    char text[257];
    time.PrintFormat(text, sizeof text, format);
    return text;
}

ZafUTimeData Day(std::int32_t dayNumber)
{
    ZafUTimeData time(0, 0, 0);
    time.SetDayNumber(dayNumber);
    return time;
}

class ZafTimeDataTest : public ::testing::Test
{
protected:
    I18nScope scope{false};
};

// ---------------------------------------------------------------------------
// Day numbers and the calendar switch

// The Julian calendar ends with day 2299160 (4 October 1582); the next day
// is 15 October in the Gregorian calendar. A date of the switch's ten-day
// gap and 15 October itself are still taken as Julian dates when turned into
// a day number, as the calendar has always numbered them: 15 October 1582
// gives 2299171, 16 October 2299162.
TEST_F(ZafTimeDataTest, DayNumbersAcrossTheCalendarSwitch)
{
    EXPECT_EQ("1582-10-04", Print(Day(2299160), "%Y-%m-%d"));
    EXPECT_EQ("1582-10-15", Print(Day(2299161), "%Y-%m-%d"));
    EXPECT_EQ("Thursday Friday", Print(Day(2299160), "%A") + " " + Print(Day(2299161), "%A"));
    EXPECT_EQ(2299162, ZafUTimeData::DateToDayNumber(1582, 10, 16));
    EXPECT_EQ(2299171, ZafUTimeData::DateToDayNumber(1582, 10, 15));
    EXPECT_EQ(2299160, ZafUTimeData::DateToDayNumber(1582, 10, 4));
    EXPECT_EQ(1721424, ZafUTimeData::DateToDayNumber(1, 1, 1));
    EXPECT_EQ(2451545, ZafUTimeData::DateToDayNumber(2000, 1, 1));
    EXPECT_EQ(0, ZafUTimeData::DateToDayNumber(-4712, 1, 1));
}

// Away from the switch, printing a day number and reading the date back
// gives the same day, through leap years, centuries and the year 1.
TEST_F(ZafTimeDataTest, DatesRoundTripThroughDayNumbers)
{
    for (std::int32_t day = 1721424; day < 2816788; day += 13) {
        if (day > 2299160 && day < 2299172)
            continue;
        int year, month, dayOfMonth, dayOfWeek;
        ZafUTimeData::DayNumberToDate(day, &year, &month, &dayOfMonth, &dayOfWeek);
        ASSERT_EQ(day, ZafUTimeData::DateToDayNumber(year, month, dayOfMonth))
            << year << "-" << month << "-" << dayOfMonth;
        // Month lengths follow the Gregorian rule (the Julian calendar also
        // had 29 February 1500).
        if (year > 1582) {
            ASSERT_LE(dayOfMonth, ZafUTimeData::DaysInMonth(year, month));
        }
        ASSERT_EQ((day + 1) % 7, dayOfWeek) << day;
    }
}

TEST_F(ZafTimeDataTest, ErasBeforeAndAfterYearOne)
{
    EXPECT_EQ("1", Print(Day(1721424), "%Y"));
    EXPECT_EQ("1", Print(Day(1721424), "%EY")) << "no era applies after year 1";
    EXPECT_EQ("01", Print(Day(1721424), "%Ey"));
    EXPECT_EQ("BC", Print(Day(1000000), "%EC"));
    EXPECT_EQ("1976 BC", Print(Day(1000000), "%EY"));
    EXPECT_EQ("-1975", Print(Day(1000000), "%Y"));
    // The day before year 1 is the last of 1 BC (astronomical year 0).
    EXPECT_EQ("1 BC", Print(Day(1721423), "%EY"));
    EXPECT_EQ("4713 BC", Print(Day(0), "%EY"));
}

// Times normalise into the next day; a time of day moves only its time,
// wrapping past midnight; calendar arithmetic counts from year 1.
TEST_F(ZafTimeDataTest, ArithmeticOfTimesDatesAndCalendars)
{
    ZafTimeData time(0, 0);
    time.SetTime(25, 0, 0, 0);
    EXPECT_EQ(1, time.DayNumber());
    EXPECT_EQ(3600000, time.Milliseconds());
    time.SetTime(0, 0, 0, -1);
    EXPECT_EQ(-1, time.DayNumber());
    EXPECT_EQ(86399999, time.Milliseconds());
    ZafUTimeData later(2020, 3, 1, 13, 0, 0), earlier(2020, 2, 29, 12, 0, 0);
    std::unique_ptr<ZafUTimeData> difference(later.Difference(earlier));
    EXPECT_EQ(1, difference->DayNumber());
    EXPECT_EQ(3600000, difference->Milliseconds());
    ZafUTimeData subtracted = earlier - later;
    EXPECT_EQ(-2, subtracted.DayNumber());
    EXPECT_EQ(82800000, subtracted.Milliseconds());
    ZafTimeData evening(23, 0);
    evening.AddDayTime(ZafTimeData(2, 30));
    EXPECT_EQ(0, evening.DayNumber());
    EXPECT_EQ("01:30", Print(evening, "%H:%M"));
    ZafUTimeData date(2019, 11, 30);
    date.AddCalendar(ZafUTimeData(1, 1, 3));
    EXPECT_EQ("2019-12-02", Print(date, "%Y-%m-%d"));
    date.AddCalendar(ZafUTimeData(2, 2, 1));
    EXPECT_EQ("2021-01-02", Print(date, "%Y-%m-%d"));
    date.SubtractCalendar(ZafUTimeData(2, 1, 1));
    EXPECT_EQ("2020-01-02", Print(date, "%Y-%m-%d"));
}

// ---------------------------------------------------------------------------
// Printing

// 1 January 2018 was a Monday.
TEST_F(ZafTimeDataTest, PrintsWeekNumbersAndEveryFieldOfADateAndTime)
{
    ZafUTimeData date(2018, 1, 1);
    EXPECT_EQ("01 01 00", Print(date, "%W %V %U"));
    EXPECT_EQ("1 1", Print(date, "%w %u"));
    ZafUTimeData sunday(2018, 1, 7);
    EXPECT_EQ("01 01 01 0 7", Print(sunday, "%W %V %U %w %u"));
    // 1 January 2016, a Friday, lies in the last week of the year before.
    EXPECT_EQ("53 00", Print(ZafUTimeData(2016, 1, 1), "%V %W"));

    ZafUTimeData time(1999, 12, 25, 9, 5, 7, 45);
    EXPECT_EQ("Saturday Sat. Sat December Dec Dec.", Print(time, "%A %a %G %B %g %b"));
    EXPECT_EQ("19 99 1999 12 12 25 25 359", Print(time, "%C %y %Y %m %v %d %e %j"));
    EXPECT_EQ("09 9 09 9 05 07 7 0 04 045 a.m.", Print(time, "%H %h %I %i %M %S %s %J %k %K %p"));
    EXPECT_EQ("12/25/1999 09:05 09:05:07", Print(time, "%D %R %T"));
    EXPECT_EQ("12/25/1999 09:05:07 a.m.", Print(time, "%c"));
    EXPECT_EQ("%", Print(time, "%%%Z%q%L"));
    EXPECT_EQ(std::to_string(time.DayNumber()), Print(time, "%Ld"));
    EXPECT_EQ(std::to_string(9 + 24LL * time.DayNumber()), Print(time, "%LH"));
    EXPECT_EQ(std::to_string(9 * 3600 + 5 * 60 + 7 + 86400LL * time.DayNumber()), Print(time, "%LS"));
    EXPECT_EQ(std::to_string(12 + 12 * 1999), Print(time, "%Lm"));
    ZafUTimeData afternoon(2000, 2, 29, 12, 0, 0);
    EXPECT_EQ("12 p.m. 060", Print(afternoon, "%I %p %j"));
    EXPECT_EQ("12 a.m.", Print(ZafUTimeData(2000, 3, 1, 0, 30, 0), "%I %p"));
}

TEST_F(ZafTimeDataTest, PrintingThatDoesNotFitOrTheEmptyValueGivesNothing)
{
    ZafUTimeData time(1999, 12, 25);
    char text[8];
    EXPECT_EQ(0, time.PrintFormat(text, sizeof text, "%Y-%m-%d"));
    EXPECT_LT(std::strlen(text), sizeof text);
    EXPECT_EQ(7, time.PrintFormat(text, sizeof text, "%Y-%m"));
    EXPECT_EQ(0, time.FormatText(text, 6, "%Y-%m"));
    EXPECT_EQ(7, time.FormatText(text, 7, "%Y-%m\n%Y"));
    time.SetEmpty(); // the empty value prints nothing
    EXPECT_EQ(0, time.PrintFormat(text, sizeof text, "%Y"));
    EXPECT_STREQ("", text);
    EXPECT_EQ(0, time.Year());
}

// A locale whose formats name each other does not print forever.
TEST_F(ZafTimeDataTest, FormatsThatNameThemselvesEnd)
{
    static char loop[] = "%x!";
    ZafLocaleStruct structure = ZafLocaleData::BuiltInLocale();
    structure.dateFormat = loop;
    InitializeLocale(nullptr);
    zafLocale->SetLocale(structure);
    const std::string text = Print(ZafUTimeData(2000, 1, 1), "%x");
    EXPECT_EQ(std::string(6, '!'), text);

    // Thirty date lines that read nothing, six times in a row, before a text
    // none of them can finish: the scan gives up instead of trying 30^6 ways.
    std::string lines;
    for (int i = 0; i < 30; i++)
        lines += "%Z\n";
    static char dateLines[128];
    std::strcpy(dateLines, lines.c_str());
    static char sixDates[] = "%D%D%D%D%D%D";
    structure.dateScanFormats = dateLines;
    structure.dateTimeScanFormat = sixDates;
    zafLocale->SetLocale(structure);
    ZafUTimeData date(2000, 1, 1);
    EXPECT_EQ(1u, date.SetFormattedText("x", nullptr));
    EXPECT_EQ(2000, date.Year());
}

// ---------------------------------------------------------------------------
// Scanning

TEST_F(ZafTimeDataTest, TwoDigitYearsFollowTheBaseYearAndHalfDaysOfTwelve)
{
    ZafUTimeData date(2000, 1, 1);
    EXPECT_EQ(0u, date.SetFormattedText("1/2/49", "%m/%d/%y"));
    EXPECT_EQ(2049, date.Year());
    EXPECT_EQ(0u, date.SetFormattedText("1/2/50", "%m/%d/%y"));
    EXPECT_EQ(1950, date.Year());
    date.SetBaseYear(1900);
    EXPECT_EQ(0u, date.SetFormattedText("1/2/49", "%m/%d/%y"));
    EXPECT_EQ(1949, date.Year());
    // Half days of twelve o'clock.
    ZafTimeData time(0, 0);
    EXPECT_EQ(0u, time.SetFormattedText("12:30 a.m.", "%I:%M %p"));
    EXPECT_EQ("00:30", Print(time, "%H:%M"));
    EXPECT_EQ(0u, time.SetFormattedText("12:30 p.m.", "%I:%M %p"));
    EXPECT_EQ("12:30", Print(time, "%H:%M"));
    EXPECT_EQ(0u, time.SetFormattedText("1:05 P.M.", "%I:%M %p"));
    EXPECT_EQ("13:05", Print(time, "%H:%M"));
    EXPECT_EQ(1u, time.SetFormattedText("1:05 noon", "%I:%M %p"));
    EXPECT_EQ("13:05", Print(time, "%H:%M")) << "a failed scan keeps the value";
}

TEST_F(ZafTimeDataTest, DateScansAcceptOnlyRealDates)
{
    // The date a text names, or none: a text that is no real date leaves the value alone.
    const std::pair<const char *, const char *> cases[] = {
        {"02/29/2000", "2000-02-29"}, {"02/29/2004", "2004-02-29"},  {"02/29/1900", nullptr},
        {"02/29/2001", nullptr},      {"04/31/2020", nullptr},       {"04/30/2020", "2020-04-30"},
        {"13/01/2020", nullptr},      {"12/25/1999 extra", nullptr}, {"  12/25/1999  ", "1999-12-25"},
        {"x", nullptr}};
    for (const auto &c : cases) {
        ZafUTimeData date(1990, 6, 15);
        EXPECT_EQ(c.second ? 0u : 1u, date.SetFormattedText(c.first, "%m/%d/%Y")) << c.first;
        EXPECT_EQ(c.second ? c.second : "1990-06-15", Print(date, "%Y-%m-%d")) << c.first;
    }
}

// The default formats (a date and a time through the locale's line lists,
// whatever line of each fits), names of days and months, and day numbers; a
// failed scan keeps the value, an empty text clears it to 1950-01-01.
TEST_F(ZafTimeDataTest, ScansThroughTheLocalesFormatListsAndNames)
{
    const struct
    {
        const char *text, *format;
        std::uint32_t error;
        const char *value;
    } cases[] = {{"12/25/1999 10:30", nullptr, 0, "1999-12-25 10:30:00"},
                 {"12/25/99 4:05:06 P.M.", nullptr, 0, "1999-12-25 16:05:06"},
                 {"241201 0815", nullptr, 0, "2001-12-24 08:15:00"},
                 {"1225 10:30", nullptr, 0, "2000-12-25 10:30:00"}, // a date line without a year keeps it
                 {"sometime", nullptr, 1, "2000-01-01 00:00:00"},
                 {"Sat. SEPT. 9 2000", "%a %b %d %Y", 0, "2000-09-09 00:00:00"},
                 {"june 30 2001", "%B %d %Y", 0, "2001-06-30 00:00:00"},
                 {"Ju 30 2001", "%B %d %Y", 1, "2000-01-01 00:00:00"}, // matches no month
                 {"Xyz 30 2001", "%A %d %Y", 1, "2000-01-01 00:00:00"},
                 {"2001 032", "%Y %j", 0, "2001-02-01 00:00:00"},
                 {"", nullptr, 0, "1950-01-01 00:00:00"}};
    for (const auto &c : cases) {
        ZafUTimeData time(2000, 1, 1);
        EXPECT_EQ(c.error, time.SetFormattedText(c.text, c.format)) << c.text;
        EXPECT_EQ(c.value, Print(time, "%Y-%m-%d %H:%M:%S")) << c.text;
    }
    ZafTimeData clock(0, 0);
    EXPECT_EQ(0u, clock.SetFormattedText("7:45 p.m.", nullptr));
    EXPECT_EQ("19:45:00", Print(clock, "%T"));
    EXPECT_EQ(0u, clock.SetFormattedText("1730", nullptr));
    EXPECT_EQ("17:30:00", Print(clock, "%T"));
    ZafUTimeData date(2000, 5, 5, 5, 5, 5, 0);
    EXPECT_EQ(0u, date.SetFormattedText("", nullptr));
    EXPECT_EQ(nullptr, date.ScanFormat("", "%Y"));
    EXPECT_EQ(0, date.DayNumber());
    EXPECT_EQ(0, date.Milliseconds());
}

// The letter "U" prints and scans a time inside the general engines.
TEST_F(ZafTimeDataTest, TheLetterUPrintsAndScansATime)
{
    ZafUTimeData time(1999, 12, 25, 22, 15, 0);
    char text[64];
    ZafFormatData::Print(text, sizeof text, "at %U!", &time);
    EXPECT_STREQ("at 12/25/1999 10:15:00 p.m.!", text);
    ZafUTimeData read(2000, 1, 1);
    EXPECT_EQ(1, ZafFormatData::Scan("when 12/25/1999 10:15 p.m.", "when %U", &read));
    EXPECT_EQ("1999-12-25 22:15", Print(read, "%Y-%m-%d %H:%M"));
    EXPECT_EQ(0, ZafFormatData::Scan("when never", "when %U", &read));
}

TEST_F(ZafTimeDataTest, ObserversHearOfEachChangeOnce)
{
    static int calls;
    calls = 0;
    ZafUTimeData time(2000, 1, 1);
    ZafStringData observer;
    time.AddNotification(
        &observer, [](ZafElement *, ZafUpdateType) { return ++calls; }, 3);
    time.SetDateTime(2001, 2, 3, 4, 5, 6, 7);
    time.AddDayTime(ZafUTimeData(0, 0, 1));
    time.SetFormattedText("1/2/2003", "%m/%d/%Y");
    EXPECT_EQ(3, calls);
    time.SubtractNotification(&observer);
}

} // namespace
