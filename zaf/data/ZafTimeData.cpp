#include "zaf/data/ZafTimeData.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafText.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafLocaleData.h"

namespace {
constexpr std::int64_t msPerDay = ZafUTimeData::millisecondsPerDay;
// Formats that name other formats (%D, %c, an era's format ...) are followed
// this deep at most, and one print or scan takes at most so many steps, so
// that a locale whose formats name each other (read from a file) ends soon.
constexpr int maxFormatDepth = 6;
constexpr int maxFormatSteps = 20000;

const ZafLocaleStruct &Locale()
{
    return zafLocale ? static_cast<const ZafLocaleStruct &>(*zafLocale) : ZafLocaleData::BuiltInLocale();
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        q--;
    return q;
}

std::int32_t ClampDay(std::int64_t value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value);
}

int WeekDay(std::int32_t dayNumber)
{
    return (dayNumber % 7 + 8) % 7;
}

const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::int64_t DayNumberOf(std::int64_t year, std::int64_t month, std::int64_t day)
{
    if (year == 0 && month == 0)
        return day;
    const bool early = month == 1 || month == 2;
    const std::int64_t y = early ? year - 1 : year;
    const std::int64_t m = early ? month + 12 : month;
    std::int64_t dayNumber = day + FloorDiv(153 * (m + 1), 5) + 365 * y + 1720995 + FloorDiv(y, 4);
    const ZafLocaleStruct &locale = Locale();
    if (dayNumber > static_cast<std::int64_t>(locale.calendarSwitchDay) + locale.calendarSwitchGap ||
        dayNumber >= 2299172) {
        const std::int64_t a = y / 100;
        dayNumber += 2 - a + FloorDiv(a, 4);
    }
    return dayNumber;
}

// Splits milliseconds into whole days and the rest (0 .. one day less 1).
void Normalise(std::int64_t &dayNumber, std::int64_t &milliseconds)
{
    const std::int64_t days = FloorDiv(milliseconds, msPerDay);
    dayNumber += days;
    milliseconds -= days * msPerDay;
}

const char *LanguageText(const ZafLanguageData *language, int id)
{
    if (!language || id < 0 || id > 0xFFFF)
        return nullptr;
    return language->GetMessageText(static_cast<ZafNumberID>(id), false);
}
} // namespace

// ---------------------------------------------------------------------------
// The print engine

struct ZafTimePrinter
{
    const ZafUTimeData &value;
    char *output;
    int size;
    int count = 0;
    bool overflow = false;
    int steps = 0;

    int year = 0, month = 0, day = 0, dayOfWeek = 0;
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
    int dayOfYear = 0, januaryDay = 0;
    const ZafEraTableEntry *era = nullptr;
    long long eraYear = 0;

    ZafTimePrinter(const ZafUTimeData &value, char *output, int size) : value(value), output(output), size(size)
    {
        value.GetDate(&year, &month, &day, &dayOfWeek);
        value.GetTime(&hour, &minute, &second, &milliseconds);
        dayOfYear = day;
        for (int m = 1; m < month && m <= 12; m++)
            dayOfYear += monthDays[m - 1];
        if (month > 2 && ZafUTimeData::IsLeapYear(year))
            dayOfYear++;
        januaryDay = WeekDay(ClampDay(DayNumberOf(year, 1, 1)));
        const ZafLocaleStruct &locale = Locale();
        for (std::int32_t i = 0; locale.eraTable && i < locale.eraCount; i++) {
            const ZafEraTableEntry &entry = locale.eraTable[i];
            if (entry.firstDay <= value.dayNumber && value.dayNumber <= entry.lastDay)
                era = &entry;
        }
        if (era) {
            int firstYear = 0;
            ZafUTimeData::DayNumberToDate(era->firstDay, &firstYear, nullptr, nullptr, nullptr);
            eraYear = era->direction == 1 ? static_cast<long long>(era->yearOffset) - firstYear + year
                                          : static_cast<long long>(era->yearOffset) - year + firstYear;
        }
    }

    void Put(char c)
    {
        if (count + 1 < size)
            output[count] = c;
        else
            overflow = true;
        count++;
    }
    void Put(const char *text)
    {
        for (; text && *text; text++)
            Put(*text);
    }
    void Number(long long number, int digits)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%0*lld", number < 0 ? digits + 1 : digits, number);
        Put(text);
    }

    void Run(const char *format, int depth)
    {
        if (!format || depth > maxFormatDepth || overflow || ++steps > maxFormatSteps)
            return;
        const ZafLocaleStruct &locale = Locale();
        while (*format) {
            if (*format != '%') {
                Put(*format++);
                continue;
            }
            const char letter = *++format;
            if (!letter)
                return;
            format++;
            switch (letter) {
            case '%':
                Put('%');
                break;
            case 'A':
                Put(LanguageText(value.dayStrings, dayOfWeek + 1));
                break;
            case 'a':
                Put(LanguageText(value.dayStrings, dayOfWeek + 15));
                break;
            case 'G':
                Put(LanguageText(value.dayStrings, dayOfWeek + 8));
                break;
            case 'B':
                Put(LanguageText(value.monthStrings, month));
                break;
            case 'g':
                Put(LanguageText(value.monthStrings, month + 12));
                break;
            case 'b':
                Put(LanguageText(value.monthStrings, month + 24));
                break;
            case 'C':
                Number(year / 100, 2);
                break;
            case 'D':
                Run("%m/%d/%Y", depth + 1);
                break;
            case 'R':
                Run("%H:%M", depth + 1);
                break;
            case 'T':
                Run("%H:%M:%S", depth + 1);
                break;
            case 'X':
                Run(locale.time24Format, depth + 1);
                break;
            case 'x':
                Run(locale.dateFormat, depth + 1);
                break;
            case 'r':
                Run(locale.timeFormat, depth + 1);
                break;
            case 'c':
                Run(locale.dateTimeFormat, depth + 1);
                break;
            case 'E': {
                const char which = *format;
                if (!which)
                    return;
                format++;
                if (which == 'C')
                    era ? Put(era->eraName) : Number(year / 100, 2);
                else if (which == 'Y')
                    Run(era ? era->eraFormat : "%Y", depth + 1);
                else if (which == 'y')
                    era ? Number(eraYear, 1) : Number(((year % 100) + 100) % 100, 2);
                break;
            }
            case 'Y':
                Number(year, 1);
                break;
            case 'y':
                Number(((year % 100) + 100) % 100, 2);
                break;
            case 'm':
                Number(month, 2);
                break;
            case 'v':
                Number(month, 1);
                break;
            case 'd':
                Number(day, 2);
                break;
            case 'e':
                Number(day, 1);
                break;
            case 'j':
                Number(dayOfYear, 3);
                break;
            case 'H':
                Number(hour, 2);
                break;
            case 'h':
                Number(hour, 1);
                break;
            case 'I':
                Number(hour % 12 == 0 ? 12 : hour % 12, 2);
                break;
            case 'i':
                Number(hour % 12 == 0 ? 12 : hour % 12, 1);
                break;
            case 'M':
                Number(minute, 2);
                break;
            case 'S':
                Number(second, 2);
                break;
            case 's':
                Number(second, 1);
                break;
            case 'J':
                Number(milliseconds / 100, 1);
                break;
            case 'k':
                Number(milliseconds / 10, 2);
                break;
            case 'K':
                Number(milliseconds, 3);
                break;
            case 'p':
                Put(LanguageText(value.timeStrings, hour < 12 ? 1 : 2));
                break;
            case 'w':
                Number(dayOfWeek, 1);
                break;
            case 'u':
                Number(dayOfWeek == 0 ? 7 : dayOfWeek, 1);
                break;
            case 'U':
                Number((dayOfYear + (januaryDay > 0 ? januaryDay - 1 : 6)) / 7, 2);
                break;
            case 'W':
                Number((dayOfYear + (januaryDay > 1 ? januaryDay - 2 : januaryDay + 5)) / 7, 2);
                break;
            case 'V': {
                const int week = (dayOfYear + (januaryDay > 4 ? januaryDay - 2 : januaryDay + 5)) / 7;
                Number(week == 0 ? 53 : week, 2);
                break;
            }
            case 'L':
            case 'l': {
                const char which = *format;
                if (!which)
                    return;
                format++;
                const long long days = value.dayNumber;
                const long long msOfDay = value.milliseconds < 0 ? 0 : value.milliseconds;
                if (which == 'H')
                    Number(hour + 24 * days, 1);
                else if (which == 'M')
                    Number(msOfDay / 60000 + 1440 * days, 1);
                else if (which == 'S')
                    Number(msOfDay / 1000 + 86400 * days, 1);
                else if (which == 'd')
                    Number(days, 1);
                else if (which == 'm')
                    Number(month + 12LL * year, 1);
                break;
            }
            default:
                break; // %Z and unknown letters print nothing
            }
        }
    }
};

int ZafUTimeData::PrintFormat(char *output, int size, const char *format) const
{
    if (!output || size <= 0)
        return 0;
    output[0] = '\0';
    if (IsEmpty() || !format)
        return 0;
    ZafTimePrinter printer(*this, output, size);
    printer.Run(format, 0);
    output[printer.count < size ? printer.count : size - 1] = '\0';
    return (printer.overflow || printer.steps > maxFormatSteps) ? 0 : printer.count;
}

// ---------------------------------------------------------------------------
// The scan engine

namespace {
struct TimeFields
{
    long long year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
    long long dayOfYear = -1; // -1: none read
    long long halfDay = 0;
};

// How a sub-format's result goes back into the fields of the format that
// named it.
enum class Merge { date, time, all };

// A format whose scan goes on after a sub-format (%D, %T, %c ...) ends.
struct ScanFrame
{
    const char *format;       // the rest of the naming format
    const TimeFields *fields; // its fields when the sub-format began
    Merge merge;
    const ScanFrame *parent;
};
} // namespace

struct ZafTimeScanner
{
    const ZafUTimeData &value;
    bool wholeText;
    int steps = 0;
    std::int64_t resultDay = 0;
    std::int64_t resultMilliseconds = 0;

    // The day number and milliseconds of the fields; false when the day does
    // not exist in its month.
    static bool Finish(const TimeFields &fields, std::int64_t &dayNumber, std::int64_t &milliseconds)
    {
        if (fields.year < INT_MIN || fields.year > INT_MAX)
            return false;
        if (fields.month >= 1 && fields.month <= 12 &&
            fields.day > ZafUTimeData::DaysInMonth(static_cast<int>(fields.year), static_cast<int>(fields.month)))
            return false;
        dayNumber = fields.dayOfYear >= 0 ? DayNumberOf(fields.year, 1, fields.dayOfYear)
                                          : DayNumberOf(fields.year, fields.month, fields.day);
        milliseconds =
            (((fields.hour + fields.halfDay) * 60 + fields.minute) * 60 + fields.second) * 1000 + fields.milliseconds;
        Normalise(dayNumber, milliseconds);
        return dayNumber >= INT32_MIN && dayNumber <= INT32_MAX;
    }

    static const char *SkipBlanks(const char *text)
    {
        while (*text && IsSpaceLatin1(static_cast<unsigned char>(*text)))
            text++;
        return text;
    }

    // Up to maxDigits decimal digits (at least one); false when none or the
    // number leaves the range. Each field takes no more digits than it can
    // hold, so that the locale's run-together forms ("%m%d%y", "%H%M%S")
    // can tell where one field ends and the next begins.
    static bool ReadNumber(const char *&text, int maxDigits, long long low, long long high, long long &number)
    {
        if (!IsDigitLatin1(static_cast<unsigned char>(*text)))
            return false;
        number = 0;
        int digits = 0;
        while (digits < maxDigits && IsDigitLatin1(static_cast<unsigned char>(*text))) {
            number = number * 10 + (*text++ - '0');
            digits++;
        }
        return number >= low && number <= high;
    }

    // The length of the longest name of the group (ids first, first + step,
    // first + 2 step) that the text starts with, compared without case; 0
    // when none does.
    static int MatchName(const ZafLanguageData *language, const char *text, int first, int step)
    {
        int longest = 0;
        for (int form = 0; form < 3; form++) {
            const char *name = LanguageText(language, first + form * step);
            const int length = name ? static_cast<int>(std::strlen(name)) : 0;
            if (length > longest && ZafStringCompareNoCaseN(text, name, length) == 0)
                longest = length;
        }
        return longest;
    }

    // The one name of count groups that the text starts with: its group
    // (1-based) and length; 0 when none or more than one group matches.
    static int MatchOne(const ZafLanguageData *language, const char *text, int count, int step, int &length)
    {
        int found = 0;
        for (int group = 1; group <= count; group++) {
            const int matched = MatchName(language, text, group, step);
            if (matched == 0)
                continue;
            if (found)
                return 0;
            found = group;
            length = matched;
        }
        return found;
    }

    // Tries each line of a list of formats as a sub-format. A line that fits
    // the start of the text is kept only when the rest of the naming format
    // fits after it; otherwise the next line is tried. The lists put short
    // forms first ("%m/%d/%y" before "%m/%d/%Y"), and taking the first line
    // that fits a start would read "12/25/1999 10:30" as 2019 and then fail
    // on "99".
    const char *Lines(TimeFields &fields, const char *text, const char *list, const char *rest, Merge merge,
                      const ScanFrame *frame, int depth)
    {
        if (!list || depth > maxFormatDepth)
            return nullptr;
        const ScanFrame next{rest, &fields, merge, frame};
        // A sub-format starts from the date read so far and midnight: the
        // time it does not read is 0, and a date it does not read stays, so
        // that a date line without a year ("%m%d") keeps the year in force
        // instead of giving one of 4713 BC (day number 0).
        TimeFields start = fields;
        start.dayOfYear = -1;
        start.halfDay = 0;
        start.hour = start.minute = start.second = start.milliseconds = 0;
        const char *position = list;
        while (position && *position) {
            char line[ZafFormatData::formatLineSize];
            position = ZafFormatData::NextFormatLine(line, position);
            if (!line[0])
                continue;
            if (const char *end = Run(start, text, line, &next, depth + 1))
                return end;
        }
        return nullptr;
    }

    // Scans the format and then whatever the frames still hold; the end of
    // the text, or null when this way through the formats fails.
    const char *Run(TimeFields fields, const char *text, const char *format, const ScanFrame *frame, int depth)
    {
        if (++steps > maxFormatSteps)
            return nullptr;
        for (;;) {
            if (IsSpaceLatin1(static_cast<unsigned char>(*format))) {
                while (IsSpaceLatin1(static_cast<unsigned char>(*format)))
                    format++;
                continue;
            }
            if (!*format)
                return End(fields, text, frame, depth);
            text = SkipBlanks(text);
            if (*format != '%') {
                if (*text != *format)
                    return nullptr;
                text++, format++;
                continue;
            }
            const char letter = *++format;
            if (!letter)
                continue;
            format++;
            long long number = 0;
            int length = 0;
            switch (letter) {
            case '%':
                if (*text != '%')
                    return nullptr;
                text++;
                break;
            case 'A':
            case 'a':
            case 'G':
                if (!MatchOne(value.dayStrings, text, 7, 7, length))
                    return nullptr;
                text += length;
                break;
            case 'B':
            case 'b':
            case 'g': {
                const int month = MatchOne(value.monthStrings, text, 12, 12, length);
                if (!month)
                    return nullptr;
                fields.month = month;
                text += length;
                break;
            }
            case 'C':
                if (!ReadNumber(text, 7, 0, 9999999, number))
                    return nullptr;
                fields.year = number * 100;
                break;
            case 'Y':
                if (!ReadNumber(text, 9, 0, 999999999, fields.year))
                    return nullptr;
                break;
            case 'y': {
                if (!ReadNumber(text, 2, 0, 99, number))
                    return nullptr;
                const long long base = value.baseYear;
                const long long century = base - ((base % 100) + 100) % 100;
                fields.year = number + century + (number < ((base % 100) + 100) % 100 ? 100 : 0);
                break;
            }
            case 'm':
            case 'v':
                if (!ReadNumber(text, 2, 1, 12, fields.month))
                    return nullptr;
                break;
            case 'd':
            case 'e':
                if (!ReadNumber(text, 2, 1, 31, fields.day))
                    return nullptr;
                break;
            case 'j':
                if (!ReadNumber(text, 3, 1, 366, fields.dayOfYear))
                    return nullptr;
                break;
            case 'H':
            case 'h':
                if (!ReadNumber(text, 2, 0, 23, fields.hour))
                    return nullptr;
                break;
            case 'I':
                if (!ReadNumber(text, 2, 1, 12, fields.hour))
                    return nullptr;
                break;
            case 'M':
                if (!ReadNumber(text, 2, 0, 59, fields.minute))
                    return nullptr;
                break;
            case 'S':
            case 's':
                if (!ReadNumber(text, 2, 0, 61, fields.second))
                    return nullptr;
                break;
            case 'J':
                if (!ReadNumber(text, 1, 0, 9, number))
                    return nullptr;
                fields.milliseconds = number * 100;
                break;
            case 'k':
                if (!ReadNumber(text, 2, 0, 99, number))
                    return nullptr;
                fields.milliseconds = number * 10;
                break;
            case 'K':
                if (!ReadNumber(text, 3, 0, 999, fields.milliseconds))
                    return nullptr;
                break;
            case 'p': {
                const char *am = LanguageText(value.timeStrings, 1);
                const char *pm = LanguageText(value.timeStrings, 2);
                const int amLength = am ? static_cast<int>(std::strlen(am)) : 0;
                const int pmLength = pm ? static_cast<int>(std::strlen(pm)) : 0;
                if (pmLength > 0 && ZafStringCompareNoCaseN(text, pm, pmLength) == 0) {
                    fields.halfDay = fields.hour == 12 ? 0 : 12;
                    text += pmLength;
                } else if (amLength > 0 && ZafStringCompareNoCaseN(text, am, amLength) == 0) {
                    fields.halfDay = fields.hour == 12 ? -12 : 0;
                    text += amLength;
                } else
                    return nullptr;
                break;
            }
            case 'U':
            case 'V':
                if (!ReadNumber(text, 2, 0, 55, number))
                    return nullptr;
                break;
            case 'W':
                if (!ReadNumber(text, 1, 1, 7, number))
                    return nullptr;
                break;
            case 'w':
                if (!ReadNumber(text, 1, 0, 6, number))
                    return nullptr;
                break;
            case 'n':
            case 't':
                text = SkipBlanks(text);
                break;
            case 'D':
            case 'x':
                return Lines(fields, text, Locale().dateScanFormats, format, Merge::date, frame, depth);
            case 'T':
            case 'X':
            case 'r':
                // %r tries the lines one by one, as %X does.
                return Lines(fields, text, Locale().timeScanFormats, format, Merge::time, frame, depth);
            case 'R':
                return Lines(fields, text, "%H:%M", format, Merge::time, frame, depth);
            case 'c':
                return Lines(fields, text, Locale().dateTimeScanFormat, format, Merge::all, frame, depth);
            default:
                // %Z (the zone table is empty), characters 38-64 and letters
                // not listed read nothing.
                break;
            }
        }
    }

    // The end of a format: a sub-format hands its date or time to the format
    // that named it and that one goes on; the outermost one ends the scan.
    const char *End(const TimeFields &fields, const char *text, const ScanFrame *frame, int depth)
    {
        std::int64_t dayNumber = 0, milliseconds = 0;
        if (!Finish(fields, dayNumber, milliseconds))
            return nullptr;
        if (frame) {
            TimeFields merged = *frame->fields;
            int year = 0, month = 0, day = 0;
            ZafUTimeData::DayNumberToDate(static_cast<std::int32_t>(dayNumber), &year, &month, &day, nullptr);
            if (frame->merge != Merge::time) {
                merged.year = year, merged.month = month, merged.day = day;
                merged.dayOfYear = -1;
            }
            if (frame->merge != Merge::date) {
                merged.hour = milliseconds / 3600000;
                merged.minute = milliseconds % 3600000 / 60000;
                merged.second = milliseconds % 60000 / 1000;
                merged.halfDay = 0;
            }
            return Run(merged, text, frame->format, frame->parent, depth - 1);
        }
        if (wholeText && *SkipBlanks(text))
            return nullptr;
        resultDay = dayNumber;
        resultMilliseconds = milliseconds;
        return text;
    }
};

const char *ZafUTimeData::ScanFormat(const char *text, const char *format, bool wholeText)
{
    if (!text || !*text) {
        StoreValue(0, 0);
        return nullptr;
    }
    if (!format)
        format = Locale().dateTimeScanFormat;
    if (!format)
        return nullptr;
    TimeFields fields;
    if (!IsEmpty()) {
        int year, month, day, hour, minute, second;
        GetDateTime(&year, &month, &day, &hour, &minute, &second, nullptr, nullptr);
        fields.year = year, fields.month = month, fields.day = day;
        fields.hour = hour, fields.minute = minute, fields.second = second;
    }
    ZafTimeScanner scanner{*this, wholeText, 0};
    const char *end = scanner.Run(fields, text, format, nullptr, 0);
    if (end)
        StoreValue(scanner.resultDay, scanner.resultMilliseconds);
    return end;
}

// A line must read the whole text (trailing blanks aside): a line that read
// only its start would drop the rest unseen, so that "12/25/1999" would give
// the year 2019 by the locale's first date line "%m/%d/%y".
bool ZafUTimeData::ScanFromFormats(const char *text, const char *formats)
{
    const char *position = formats;
    while (position && *position) {
        char line[formatLineSize];
        position = NextFormatLine(line, position);
        if (line[0] && ScanFormat(text, line, true))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// The conversion letter "U"

namespace {
void PrintTime(ZafFormatArguments &arguments, ZafPrintOutput &output, char, unsigned, int, int)
{
    ZafUTimeData *time = dynamic_cast<ZafUTimeData *>(arguments.NextData());
    if (!time)
        return;
    char text[257];
    time->PrintFormat(text, sizeof text, Locale().dateTimeFormat);
    output.Put(text);
}

int ScanTime(ZafFormatArguments &arguments, const char *&text, char, unsigned, int, const char *&)
{
    ZafUTimeData *time = dynamic_cast<ZafUTimeData *>(arguments.NextData());
    if (!time)
        return 0;
    const char *end = time->ScanFormat(text, Locale().dateTimeScanFormat);
    if (!end || end == text)
        return 0;
    text = end;
    return 1;
}
} // namespace

void ZafUTimeData::RegisterTimeConversions()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    InitializeI18n(nullptr);
    RegisterPrintConversion('U', PrintTime);
    RegisterScanConversion('U', ScanTime);
}

// ---------------------------------------------------------------------------
// Calendar arithmetic

bool ZafUTimeData::IsLeapYear(int year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int ZafUTimeData::DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 31;
    return month == 2 && IsLeapYear(year) ? 29 : monthDays[month - 1];
}

std::int32_t ZafUTimeData::DateToDayNumber(int year, int month, int day)
{
    return ClampDay(DayNumberOf(year, month, day));
}

void ZafUTimeData::DayNumberToDate(std::int32_t z, int *year, int *month, int *day, int *dayOfWeek)
{
    double a = z;
    if (z > Locale().calendarSwitchDay) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha / 4);
    }
    const double b = a + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    const int dayOfMonth = static_cast<int>(b - d - std::floor(30.6001 * e));
    const int monthOfYear = static_cast<int>(e < 14 ? e - 1 : e - 13);
    if (day)
        *day = dayOfMonth;
    if (month)
        *month = monthOfYear;
    if (year)
        *year = static_cast<int>(monthOfYear > 2 ? c - 4716 : c - 4715);
    if (dayOfWeek)
        *dayOfWeek = WeekDay(z);
}

void ZafUTimeData::GetDate(int *year, int *month, int *day, int *dayOfWeek) const
{
    if (IsEmpty()) {
        for (int *output : {year, month, day, dayOfWeek})
            if (output)
                *output = 0;
        return;
    }
    DayNumberToDate(dayNumber, year, month, day, dayOfWeek);
}

void ZafUTimeData::GetTime(int *hour, int *minute, int *second, int *ms) const
{
    const std::int32_t value = milliseconds < 0 ? 0 : milliseconds;
    if (hour)
        *hour = value / 3600000;
    if (minute)
        *minute = value % 3600000 / 60000;
    if (second)
        *second = value % 60000 / 1000;
    if (ms)
        *ms = value % 1000;
}

void ZafUTimeData::GetDateTime(int *year, int *month, int *day, int *hour, int *minute, int *second, int *ms,
                               int *dayOfWeek) const
{
    GetDate(year, month, day, dayOfWeek);
    GetTime(hour, minute, second, ms);
}

int ZafUTimeData::Year() const
{
    int year = 0;
    GetDate(&year, nullptr, nullptr, nullptr);
    return year;
}

int ZafUTimeData::Month() const
{
    int month = 0;
    GetDate(nullptr, &month, nullptr, nullptr);
    return month;
}

int ZafUTimeData::Day() const
{
    int day = 0;
    GetDate(nullptr, nullptr, &day, nullptr);
    return day;
}

int ZafUTimeData::DayOfWeek() const
{
    int dayOfWeek = 0;
    GetDate(nullptr, nullptr, nullptr, &dayOfWeek);
    return dayOfWeek;
}

// ---------------------------------------------------------------------------
// ZafUTimeData

void ZafUTimeData::AcquireTables()
{
    RegisterTimeConversions();
    dayStrings = AcquireLanguageData("ZafDayStrings", ZafLanguageData::BuiltInTable("ZafDayStrings"));
    monthStrings = AcquireLanguageData("ZafMonthStrings", ZafLanguageData::BuiltInTable("ZafMonthStrings"));
    timeStrings = AcquireLanguageData("ZafTimeStrings", ZafLanguageData::BuiltInTable("ZafTimeStrings"));
}

ZafUTimeData::ZafUTimeData()
{
    AcquireTables();
    SetSystemTime();
}

ZafUTimeData::ZafUTimeData(int year, int month, int day, int hour, int minute, int second, int ms)
{
    AcquireTables();
    SetDateTime(year, month, day, hour, minute, second, ms);
}

ZafUTimeData::ZafUTimeData(const ZafUTimeData &copy)
    : ZafFormatData(copy), baseYear(copy.baseYear), zone(copy.zone), dayNumber(copy.dayNumber),
      milliseconds(copy.milliseconds)
{
    AcquireTables();
}

ZafUTimeData::ZafUTimeData(const char *name, ZafDataPersistence &persistence)
    : ZafFormatData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    AcquireTables();
    ZafReadLevel(*this, persistence, [this, &persistence](ZafFile &file) {
        std::int32_t day = 0, ms = 0;
        std::int16_t base = 0, timeZone = 0;
        ZafReadWhole(file, day);
        ZafReadWhole(file, ms);
        ZafReadWhole(file, base);
        ZafReadWhole(file, timeZone);
        if (file.Error() == 0) {
            std::int64_t dayValue = day, msValue = ms;
            // A value that is not empty keeps its milliseconds within a day.
            if (!(day == 0 && ms < 0))
                Normalise(dayValue, msValue);
            dayNumber = ClampDay(dayValue);
            milliseconds = static_cast<std::int32_t>(msValue);
            baseYear = base;
            zone = timeZone;
        } else
            persistence.SetError(file.Error());
    });
}

ZafUTimeData::~ZafUTimeData()
{
    ReleaseLanguageData(dayStrings);
    ReleaseLanguageData(monthStrings);
    ReleaseLanguageData(timeStrings);
}

ZafElement *ZafUTimeData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafUTimeData(name, persistence);
}

bool ZafUTimeData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafFormatData::IsClassID(id);
}

bool ZafUTimeData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafFormatData::IsClassName(name);
}

std::uint32_t ZafUTimeData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafFormatData>(*this, persistence, ZafDataPersistence::dataEntry, [this](ZafFile &file) {
        file.Write32(dayNumber);
        file.Write32(milliseconds);
        file.Write16(static_cast<std::int16_t>(baseYear));
        file.Write16(static_cast<std::int16_t>(zone));
    });
}

std::uint32_t ZafUTimeData::StoreValue(std::int64_t day, std::int64_t ms)
{
    Normalise(day, ms);
    StartUpdate();
    dayNumber = ClampDay(day);
    milliseconds = static_cast<std::int32_t>(ms);
    SetError(0);
    EndUpdate(true);
    return Error();
}

void ZafUTimeData::SetEmpty()
{
    StartUpdate();
    dayNumber = 0;
    milliseconds = -1;
    EndUpdate(true);
}

void ZafUTimeData::Clear()
{
    SetDateTime(1950, 1, 1, 0, 0, 0, 0);
}

int ZafUTimeData::FormattedText(char *buffer, int maxLength, const char *format)
{
    return FormatText(buffer, maxLength, format ? format : Locale().dateTimeFormat);
}

int ZafUTimeData::FormatText(char *buffer, int maxLength, const char *format)
{
    if (!buffer || maxLength < 0)
        return 0;
    char line[formatLineSize];
    NextFormatLine(line, format);
    return PrintFormat(buffer, maxLength + 1, line);
}

std::int32_t ZafUTimeData::Value() const
{
    return dayNumber != 0 ? dayNumber : milliseconds;
}

std::uint32_t ZafUTimeData::SetSystemTime()
{
    const std::time_t now = std::time(nullptr);
    const std::tm *local = now >= 1 ? std::localtime(&now) : nullptr;
    if (!local)
        return SetDateTime(1950, 1, 1, 0, 0, 0, 0);
    return SetDateTime(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                       local->tm_sec, 0);
}

std::uint32_t ZafUTimeData::SetBaseYear(int year)
{
    StartUpdate();
    baseYear = year;
    EndUpdate(true);
    return Error();
}

std::uint32_t ZafUTimeData::SetDateTimeFromZero(int year, int month, int day, int hour, int minute, int second, int ms)
{
    return SetDateTime(year + 1, month + 1, day + 1, hour, minute, second, ms);
}

std::uint32_t ZafUTimeData::SetDayNumber(std::int32_t day)
{
    return StoreValue(day, milliseconds < 0 ? 0 : milliseconds);
}

std::uint32_t ZafUTimeData::SetUTimeData(const ZafUTimeData &other)
{
    StartUpdate();
    dayNumber = other.dayNumber;
    milliseconds = other.milliseconds;
    EndUpdate(true);
    return Error();
}

std::uint32_t ZafUTimeData::SetFormattedText(const char *text, const char *format)
{
    StartUpdate();
    if (!text || !*text)
        Clear();
    else
        SetError(ScanFromFormats(text, format ? format : Locale().dateTimeScanFormat) ? ZafError::None
                                                                                      : ZafError::InvalidText);
    EndUpdate(true);
    return Error();
}

std::uint32_t ZafUTimeData::SetDateTime(int year, int month, int day, int hour, int minute, int second, int ms)
{
    const std::int64_t dayValue = DayNumberOf(year, month, day);
    const std::int64_t msValue = ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + ms;
    return StoreValue(dayValue, msValue);
}

std::uint32_t ZafUTimeData::SetMilliseconds(std::int32_t ms)
{
    return StoreValue(dayNumber, ms);
}

std::uint32_t ZafUTimeData::SetZone(int newZone)
{
    StartUpdate();
    zone = newZone;
    EndUpdate(true);
    return Error();
}

std::uint32_t ZafUTimeData::ClearDate()
{
    return StoreValue(DayNumberOf(1950, 1, 1), milliseconds < 0 ? 0 : milliseconds);
}

std::uint32_t ZafUTimeData::ClearTime()
{
    return StoreValue(dayNumber, 0);
}

std::uint32_t ZafUTimeData::AddCalendar(const ZafUTimeData &other)
{
    int y1, m1, d1, y2, m2, d2;
    GetDate(&y1, &m1, &d1, nullptr);
    other.GetDate(&y2, &m2, &d2, nullptr);
    const std::int64_t day = DayNumberOf(static_cast<std::int64_t>(y1) + y2 - 1, static_cast<std::int64_t>(m1) + m2 - 1,
                                         static_cast<std::int64_t>(d1) + d2 - 1);
    return StoreValue(day, static_cast<std::int64_t>(milliseconds) + other.milliseconds);
}

std::uint32_t ZafUTimeData::SubtractCalendar(const ZafUTimeData &other)
{
    int y1, m1, d1, y2, m2, d2;
    GetDate(&y1, &m1, &d1, nullptr);
    other.GetDate(&y2, &m2, &d2, nullptr);
    const std::int64_t day = DayNumberOf(static_cast<std::int64_t>(y1) - y2 + 1, static_cast<std::int64_t>(m1) - m2 + 1,
                                         static_cast<std::int64_t>(d1) - d2 + 1);
    return StoreValue(day, static_cast<std::int64_t>(milliseconds) - other.milliseconds);
}

std::uint32_t ZafUTimeData::AddDayTime(const ZafUTimeData &other)
{
    return StoreValue(static_cast<std::int64_t>(dayNumber) + other.dayNumber,
                      static_cast<std::int64_t>(milliseconds) + other.milliseconds);
}

std::uint32_t ZafUTimeData::SubtractDayTime(const ZafUTimeData &other)
{
    return StoreValue(static_cast<std::int64_t>(dayNumber) - other.dayNumber,
                      static_cast<std::int64_t>(milliseconds) - other.milliseconds);
}

ZafUTimeData *ZafUTimeData::Difference(const ZafUTimeData &other) const
{
    ZafUTimeData *result = new ZafUTimeData(*this);
    result->SubtractDayTime(other);
    return result;
}

ZafUTimeData ZafUTimeData::operator-(const ZafUTimeData &other) const
{
    ZafUTimeData result(*this);
    result.SubtractDayTime(other);
    return result;
}

// ---------------------------------------------------------------------------
// ZafTimeData

ZafTimeData::ZafTimeData() : ZafUTimeData()
{}

ZafTimeData::ZafTimeData(int hour, int minute, int second, int ms) : ZafUTimeData(0, 0, 0, hour, minute, second, ms)
{}

ZafTimeData::ZafTimeData(const ZafTimeData &copy) : ZafUTimeData(copy)
{}

ZafTimeData::ZafTimeData(const char *name, ZafDataPersistence &persistence)
    : ZafUTimeData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence);
}

ZafElement *ZafTimeData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafTimeData(name, persistence);
}

bool ZafTimeData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafUTimeData::IsClassID(id);
}

bool ZafTimeData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafUTimeData::IsClassName(name);
}

std::uint32_t ZafTimeData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafUTimeData>(*this, persistence, ZafDataPersistence::dataEntry);
}

int ZafTimeData::FormattedText(char *buffer, int maxLength, const char *format)
{
    return FormatText(buffer, maxLength, format ? format : Locale().timeFormat);
}

std::int32_t ZafTimeData::Value() const
{
    return milliseconds;
}

std::uint32_t ZafTimeData::AddDayTime(const ZafUTimeData &other)
{
    std::int64_t days = 0, ms = static_cast<std::int64_t>(milliseconds) + other.Milliseconds();
    Normalise(days, ms);
    return StoreValue(dayNumber, ms);
}

std::uint32_t ZafTimeData::SubtractDayTime(const ZafUTimeData &other)
{
    std::int64_t days = 0, ms = static_cast<std::int64_t>(milliseconds) - other.Milliseconds();
    Normalise(days, ms);
    return StoreValue(dayNumber, ms);
}

std::uint32_t ZafTimeData::SetFormattedText(const char *text, const char *format)
{
    return ZafUTimeData::SetFormattedText(text, format ? format : Locale().timeScanFormats);
}

std::uint32_t ZafTimeData::SetTimeData(const ZafTimeData &other)
{
    return SetUTimeData(other);
}

std::uint32_t ZafTimeData::SetTime(int hour, int minute, int second, int ms)
{
    return SetDateTime(0, 0, 0, hour, minute, second, ms);
}
