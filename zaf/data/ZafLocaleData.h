// Locale data and the i18n set-up of the class library.
//
// ZafI18nData: the common base of locale and code-set records (no fields).
// ZafLocaleStruct: the number, currency, date and time conventions as a plain
// structure. ZafLocaleData: a locale record holding one such structure; it
// owns its fifteen texts and its era table.
//
// The library keeps three current i18n objects, chosen together by one i18n
// name "language_locale.codeset" (for instance "en_US.1252"): the code set
// (ZafCodeSetData.h), the language (ZafLanguageData.h) and the locale here.
// The name comes from the caller, else from "ZAF_LANG", else from the Windows
// settings; each part is looked up in "i18n.znc" through the data manager,
// falling back to built-in defaults or, for the locale, to the running
// Windows system's settings.
//
// Ownership: the current locale and the canonical locale are owned by this
// module (or by the data manager when they came from it) and are deleted by
// DeleteLocale when destroyable and unobserved. The i18n persistence belongs
// to the application that set it.
//
// Day numbers (calendarSwitchDay) are Julian day numbers, see ZafTimeData.h.
#pragma once

#include <cstdint>

#include "zaf/data/ZafData.h"

class ZafDataPersistence;

// ---------------------------------------------------------------------------
// ZafI18nData

class ZafI18nData : public ZafData
{
public:
    static constexpr ZafClassID classID = 3120;
    static constexpr const char *className = "ZafI18nData";

    ZafI18nData() = default;
    ZafI18nData(const ZafI18nData &copy) : ZafData(copy) {}
    // Persistent constructor: a level ("ZafI18nData", 3120, entry type 0)
    // around the data base; a persistence error becomes the object's error.
    ZafI18nData(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
};

// ---------------------------------------------------------------------------
// ZafLocaleStruct

// One era: years count forward (direction 1) or backward (0) from the year
// offset; the era applies to first day <= day number <= last day.
struct ZafEraTableEntry
{
    std::int16_t direction;
    std::int16_t yearOffset;
    std::int32_t firstDay;
    std::int32_t lastDay;
    char eraName[6];
    char eraFormat[8];
};

// The conventions. Character arrays hold terminated texts; the char* texts
// and the era table belong to whoever made the structure (a ZafLocaleData
// owns its own).
struct ZafLocaleStruct
{
    char decimalSeparator[4];
    char monDecimalSeparator[4];
    char thousandsSeparator[4];
    char monThousandsSeparator[4];
    char currencySymbol[8];
    unsigned char grouping[10]; // group sizes, one byte each, 0 ends
    unsigned char monGrouping[10];
    char intCurrencySymbol[5];
    std::int32_t posCurrencyPrecedes;
    std::int32_t negCurrencyPrecedes;
    std::int32_t intFractionDigits;
    std::int32_t fractionDigits;
    char positiveSign[4];
    std::int32_t posSignPosition;
    std::int32_t posSpaceSeparation;
    char negativeSign[4];
    std::int32_t negSignPosition;
    std::int32_t negSpaceSeparation;
    char *leftParen;
    char *rightParen;
    char *integerScanFormat;
    char *integerPrintFormat;
    char *realScanFormat;
    char *realPrintFormat;
    char *timeScanFormats; // one format a line
    char *time24Format;
    char *timeFormat;
    char *dateScanFormats; // one format a line
    char *dateFormat;
    char *dateTimeScanFormat;
    char *dateTimeFormat;
    char *digits;
    char *altDigits;
    char timeSeparator[4];
    char dateSeparator[4];
    std::int32_t calendarSwitchDay; // last day number of the Julian calendar
    std::int16_t calendarSwitchGap;
    std::int32_t eraCount;
    ZafEraTableEntry *eraTable;
};

// ---------------------------------------------------------------------------
// ZafLocaleData

class ZafLocaleData : public ZafI18nData, public ZafLocaleStruct
{
public:
    static constexpr ZafClassID classID = 3108;
    static constexpr const char *className = "ZafLocaleData";
    // Most era entries a locale read from a file may hold.
    static constexpr std::int32_t maxEras = 64;

    // The built-in conventions ("en", "US"); their texts are static.
    static const ZafLocaleStruct &BuiltInLocale();

    explicit ZafLocaleData(const ZafLocaleStruct &structure = BuiltInLocale());
    ZafLocaleData(const ZafLocaleData &copy);
    ZafLocaleData(const char *name, ZafDataPersistence &persistence);
    ~ZafLocaleData() override;

    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafLocaleData(*this); }
    // The canonical locale's conventions (when it exists); error 0.
    void Clear() override;
    ZafReadFunction ReadFunction() override { return New; }

    // Replaces every convention by a copy of the structure's, in one update.
    void SetLocale(const ZafLocaleStruct &structure);

private:
    void FreeOwned();
    // Reads the structure from the level's file; false (error 16 in the
    // file) on a text that does not fit its field or a bad era count.
    bool ReadData(ZafFile &file);
    void WriteData(ZafFile &file) const;
};

// ---------------------------------------------------------------------------
// Globals and functions of the i18n set-up.

// Current locale (null until InitializeLocale) and the canonical locale
// (built-in conventions, named "canonical"). The i18n persistence over
// "i18n.znc" is the data manager's zafDataPersistence (ZafDataManager.h),
// set by the application; null when that file is absent.
extern ZafLocaleData *zafLocale;
extern ZafLocaleData *zafCanonicalLocale;

// Size of the i18n name buffer: at most 63 characters and a terminator.
constexpr int ZafI18nNameSize = 64;

// Makes the three i18n objects when they are missing; the name is the
// argument, else the default name (GetDefaultLanguageName).
void InitializeI18n(const char *name);
// Replaces the three i18n objects (from "i18n.znc" when it is open) and runs
// the language resets; returns the new i18n name (GetI18nName).
const char *ResetI18n(const char *name);
// "language_locale.codeset" of the current objects, in a static buffer.
const char *GetI18nName();
// Sets code set, language and locale by name; returns the first non-zero
// error of language manager, locale and code set.
std::uint32_t SetI18n(const char *language, const char *locale, const char *codeSet);
// 0 when the locale is in place, 1 when it could not be found.
int SetLocale(const char *name);
void InitializeLocale(const char *name);
void DeleteLocale(std::uint8_t flag);
// Fills the structure from the running Windows system; true. The date and
// time format texts are replaced by new heap copies (delete[]) and the old
// ones deleted: the structure's texts must be heap copies or null, as a
// ZafLocaleData's are.
bool ReadWindowsLocale(ZafLocaleStruct &structure);
// The two sources of ReadWindowsLocale: GetLocaleInfoA (Windows NT) and the
// "Intl" profile section (other platforms); the same rule for the texts.
void ReadLocaleInfo(ZafLocaleStruct &structure);
void ReadProfileLocale(ZafLocaleStruct &structure);
// Turns a Windows short-date picture ("dd.MM.yyyy") into a date format
// ("%d.%m.%Y"); other characters become the date separator. The result is
// at most size - 1 characters.
void ConvertDatePicture(const char *picture, const char *dateSeparator, char *format, int size);
// The i18n name from "ZAF_LANG" or the Windows settings, in a static buffer;
// null when there is none.
const char *GetDefaultLanguageName();
// Two-letter codes, or null when the table does not list the key.
const char *MapWindowsLanguage(const char *key);
const char *MapCountryCode(int number);
// The environment variable's value in Latin-1, at most 1023 characters, in
// a static buffer; null when it is not set.
const char *GetEnvironmentText(const char *name);
// Copies until the source ends or n characters were copied; terminates only
// when the source ended first. n below 0 means the source's length.
void CopyTextBounded(const char *source, char *destination, int n);

// The named i18n object of a class (ZafLocaleData, ZafCodeSetData) from the
// data manager, which reads it from the i18n persistence when needed; null
// when there is no data manager or nothing of that name and class.
ZafData *GetI18nData(const char *name, const char *className);
