// Time data: a point in time (ZafUTimeData) or a time of day (ZafTimeData).
//
// The value is a Julian day number (1721424 is 1 January of year 1 in the
// Julian calendar; 0 is 1 January 4713 BC) and the milliseconds of that day,
// kept in 0 to 86399999. A day number of 0 with negative milliseconds is the
// empty value: it prints as the empty text. Calendar dates switch from the
// Julian to the Gregorian calendar after the current locale's
// calendarSwitchDay (default 2299160, 4 October 1582); a date written in the
// ten days 5-14 October 1582 is still taken as a Julian date, and so is 15
// October 1582, which therefore gets day number 2299171, while 16 October
// 1582 gets 2299162. Years before year 1 are astronomical (0 is 1 BC, -1 is
// 2 BC), the numbering that the "BC" era's year computation expects.
// Months and days are counted from 1, the day of the week from 0 (Sunday).
//
// Both print and scan themselves through a date-and-time format language of
// their own (%Y, %m, %d, %H, %M, %S, %p, %A, %B ..., see the print and scan
// operations), with the names of days, months and day halves from the shared
// language tables "ZafDayStrings", "ZafMonthStrings" and "ZafTimeStrings",
// which every time object holds a reference to. The conversion letter "U"
// prints and scans a time object inside the general print and scan engines.
#pragma once

#include <cstdint>

#include "zaf/data/ZafFormatData.h"

class ZafLanguageData;

class ZafUTimeData : public ZafFormatData
{
public:
    static constexpr ZafClassID classID = 3109;
    static constexpr const char *className = "ZafUTimeData";
    static constexpr std::int32_t millisecondsPerDay = 86400000;

    // The current local date and time.
    ZafUTimeData();
    ZafUTimeData(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0);
    ZafUTimeData(const ZafUTimeData &copy);
    ZafUTimeData(const char *name, ZafDataPersistence &persistence);
    ~ZafUTimeData() override;

    static ZafElement *New(const char *name, ZafDataPersistence &persistence);
    // Registers the letter "U" once per run (after making sure the i18n
    // objects exist).
    static void RegisterTimeConversions();

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafUTimeData(*this); }
    // 1950-01-01 00:00:00.000.
    void Clear() override;
    ZafReadFunction ReadFunction() override { return New; }
    // The format, or the locale's dateTimeFormat.
    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Any output may be null.
    virtual void GetDateTime(int *year, int *month, int *day, int *hour, int *minute, int *second, int *milliseconds,
                             int *dayOfWeek) const;
    // The day number, or the milliseconds when the day number is 0.
    virtual std::int32_t Value() const;
    virtual std::uint32_t SetSystemTime();
    virtual std::uint32_t SetBaseYear(int year);
    // Year, month and day counted from 0.
    virtual std::uint32_t SetDateTimeFromZero(int year, int month, int day, int hour, int minute, int second,
                                              int milliseconds);
    virtual std::uint32_t SetDayNumber(std::int32_t dayNumber);
    virtual std::uint32_t SetUTimeData(const ZafUTimeData &other);
    // An empty text clears; else the format (default: the locale's
    // dateTimeScanFormat) is tried line by line. Error 0, or 1 when no line
    // read the whole text (the value is then unchanged). Returns the error.
    virtual std::uint32_t SetFormattedText(const char *text, const char *format);
    virtual std::uint32_t SetDateTime(int year, int month, int day, int hour, int minute, int second, int milliseconds);
    virtual std::uint32_t SetMilliseconds(std::int32_t milliseconds);
    virtual std::uint32_t SetZone(int zone);
    virtual std::uint32_t ClearDate();
    virtual std::uint32_t ClearTime();
    virtual std::uint32_t AddCalendar(const ZafUTimeData &other);
    virtual std::uint32_t SubtractCalendar(const ZafUTimeData &other);
    virtual std::uint32_t AddDayTime(const ZafUTimeData &other);
    virtual std::uint32_t SubtractDayTime(const ZafUTimeData &other);

    void GetDate(int *year, int *month, int *day, int *dayOfWeek) const;
    void GetTime(int *hour, int *minute, int *second, int *milliseconds) const;
    int Year() const;
    int Month() const;
    int Day() const;
    int DayOfWeek() const;
    bool IsLeapYear() const { return IsLeapYear(Year()); }
    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);
    std::int32_t DayNumber() const { return dayNumber; }
    std::int32_t Milliseconds() const { return milliseconds; }
    int BaseYear() const { return baseYear; }
    int Zone() const { return zone; }
    bool IsEmpty() const { return dayNumber == 0 && milliseconds < 0; }
    // Makes the value empty.
    void SetEmpty();

    // A new value: this one less the other (day numbers and milliseconds).
    ZafUTimeData *Difference(const ZafUTimeData &other) const;
    ZafUTimeData operator-(const ZafUTimeData &other) const;

    // Prints through the first line of the format into the buffer (maximum
    // length + 1 bytes); the characters written, or 0 when the text does not
    // fit (or the value is empty).
    int FormatText(char *buffer, int maxLength, const char *format);
    // True when one line of the list reads the whole text (trailing blanks
    // aside); the value then holds what was read.
    bool ScanFromFormats(const char *text, const char *formats);
    // The print engine: the characters written, 0 when they do not fit.
    int PrintFormat(char *output, int size, const char *format) const;
    // The scan engine over one format (null: the locale's
    // dateTimeScanFormat): the position after what was read, or null when
    // the text does not match (value unchanged). An empty text makes the
    // value 0 and gives null. With wholeText, only blanks may follow.
    const char *ScanFormat(const char *text, const char *format, bool wholeText = false);

    // The day number of a calendar date (year and month 0: the day itself),
    // with the current locale's calendar switch.
    static std::int32_t DateToDayNumber(int year, int month, int day);
    // The calendar date of a day number.
    static void DayNumberToDate(std::int32_t dayNumber, int *year, int *month, int *day, int *dayOfWeek);

protected:
    // The new values, normalised, in one update.
    std::uint32_t StoreValue(std::int64_t dayNumber, std::int64_t milliseconds);
    void AcquireTables();

    ZafLanguageData *dayStrings = nullptr;
    ZafLanguageData *monthStrings = nullptr;
    ZafLanguageData *timeStrings = nullptr;
    std::int32_t baseYear = 1950;
    std::int32_t zone = 0;
    std::int32_t dayNumber = 0;
    std::int32_t milliseconds = 0;

private:
    friend struct ZafTimePrinter;
    friend struct ZafTimeScanner;
};

class ZafTimeData : public ZafUTimeData
{
public:
    static constexpr ZafClassID classID = 3106;
    static constexpr const char *className = "ZafTimeData";

    // As the base: the current local date and time.
    ZafTimeData();
    // A time of day (day number 0).
    ZafTimeData(int hour, int minute, int second = 0, int milliseconds = 0);
    ZafTimeData(const ZafTimeData &copy);
    ZafTimeData(const char *name, ZafDataPersistence &persistence);

    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafTimeData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // The format, or the locale's timeFormat.
    int FormattedText(char *buffer, int maxLength, const char *format) override;
    // The milliseconds.
    std::int32_t Value() const override;
    // Only the time of day moves; the day number is kept.
    std::uint32_t AddDayTime(const ZafUTimeData &other) override;
    std::uint32_t SubtractDayTime(const ZafUTimeData &other) override;
    // The format, or the locale's timeScanFormats.
    std::uint32_t SetFormattedText(const char *text, const char *format) override;

    virtual std::uint32_t SetTimeData(const ZafTimeData &other);
    virtual std::uint32_t SetTime(int hour, int minute, int second, int milliseconds);
};
