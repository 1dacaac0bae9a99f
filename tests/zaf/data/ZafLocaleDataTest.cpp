#include "zaf/data/ZafLocaleData.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "TestI18n.h"
#include "zaf/data/ZafTimeData.h"

namespace
{

std::string WindowsLocaleText(LCTYPE type)
{
    char buffer[256];
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) > 0 ? buffer : "";
}

std::string Cut(const std::string &text, std::size_t length)
{
    return text.substr(0, length);
}

std::string AnsiCodePage()
{
    return std::to_string(GetACP());
}

// Keys of the "Intl" profile section set for one test and restored after.
class ProfileScope
{
public:
    ~ProfileScope()
    {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            WriteProfileStringA("Intl", it->first.c_str(), it->second.present ? it->second.value.c_str() : nullptr);
    }
    void Set(const char *key, const char *value)
    {
        char buffer[256];
        const DWORD length = GetProfileStringA("Intl", key, "\x01", buffer, sizeof buffer);
        Saved old;
        old.present = !(length == 1 && buffer[0] == '\x01');
        old.value = buffer;
        saved.emplace_back(key, old);
        WriteProfileStringA("Intl", key, value);
    }

private:
    struct Saved
    {
        bool present = false;
        std::string value;
    };
    std::vector<std::pair<std::string, Saved>> saved;
};

// ---------------------------------------------------------------------------
// The i18n name

struct LanguageCase
{
    const char *zafLang;
    const char *language;
    const char *codeSet; // of the current code set after InitializeI18n
};

class ZafLangNames : public ::testing::TestWithParam<LanguageCase>
{
};

// "ZAF_LANG" chooses the language and code set (the fixture's i18n.znc holds
// the code set "850"; others fall back to the built-in one).
TEST_P(ZafLangNames, ChooseLanguageAndCodeSet)
{
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    EnvironmentScope environment("ZAF_LANG", GetParam().zafLang);
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(name));
    EXPECT_STREQ(GetParam().language, GetCurrentLanguage());
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ(GetParam().codeSet, zafCodeSet->StringID());
}

INSTANTIATE_TEST_SUITE_P(ZafLocaleData, ZafLangNames,
                         ::testing::Values(LanguageCase{"de_DE.850", "de", "850"}, LanguageCase{"fr", "fr", "ISO8859-1"},
                                           LanguageCase{"en.850", "en", "850"},
                                           // No language part: the default language.
                                           LanguageCase{"_DE.850", "en", "850"},
                                           LanguageCase{".850", "en", "850"}));

TEST(ZafLocaleData, ZafLangIsCutTo15Characters)
{
    EnvironmentScope environment("ZAF_LANG", "de_DE.1234567890123");
    EXPECT_STREQ("de_DE.123456789", GetDefaultLanguageName());
}

TEST(ZafLocaleData, AnEmptyZafLangCountsAsUnset)
{
    EnvironmentScope environment("ZAF_LANG", "");
    const char *name = GetDefaultLanguageName();
    ASSERT_NE(nullptr, name);
    const std::string text = name;
    EXPECT_EQ("." + AnsiCodePage(), text.substr(text.find('.')));
}

// Without "ZAF_LANG" the name comes from the "Intl" profile section and the
// ANSI code page.
TEST(ZafLocaleData, TheDefaultNameComesFromTheWindowsLanguageAndCountry)
{
    EnvironmentScope environment("ZAF_LANG", nullptr);
    ProfileScope profile;
    profile.Set("sLanguage", "DEU");
    profile.Set("iCountry", "49");
    EXPECT_EQ("de_DE." + AnsiCodePage(), GetDefaultLanguageName());
    profile.Set("iCountry", "999");
    EXPECT_EQ("de." + AnsiCodePage(), GetDefaultLanguageName());
    profile.Set("sLanguage", "0x0c");
    profile.Set("iCountry", "41");
    EXPECT_EQ("fr_CH." + AnsiCodePage(), GetDefaultLanguageName());
    profile.Set("sLanguage", "xyz");
    profile.Set("iCountry", nullptr);
    EXPECT_EQ("." + AnsiCodePage(), GetDefaultLanguageName());
}

// Wine keeps the "Intl" section empty, so the default name has no language
// part (".1252"). Such a name means the default language, and the language
// tables of the file load for it.
TEST(ZafLocaleData, ANameWithoutLanguageLoadsTheDefaultLanguagesTables)
{
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    EnvironmentScope environment("ZAF_LANG", nullptr);
    ProfileScope profile;
    profile.Set("sLanguage", nullptr);
    profile.Set("iCountry", nullptr);
    ASSERT_EQ("." + AnsiCodePage(), GetDefaultLanguageName());
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(name));
    EXPECT_STREQ("en", GetCurrentLanguage());
    ZafLanguageData *days = AcquireLanguageData("ZafDayStrings", nullptr);
    ASSERT_NE(nullptr, days) << "read from the file for \"en\"";
    EXPECT_EQ(0, days->StaticData());
    EXPECT_STREQ("Monday", days->GetMessageText(2, false));
    ReleaseLanguageData(days);
}

TEST(ZafLocaleData, TheI18nNameIsBoundedTo63Characters)
{
    I18nScope scope(false);
    InitializeI18n("en_US.ISO8859-1");
    zafLanguageManager->ChangeLanguage(std::string(60, 'l').c_str());
    zafLocale->SetStringID(std::string(60, 'L').c_str());
    const std::string name = GetI18nName();
    EXPECT_EQ(63u, name.size());
    EXPECT_EQ(std::string(60, 'l') + "_LL", name);
}

// ---------------------------------------------------------------------------
// The Windows locale

// The conventions read through GetLocaleInfoA are those that Windows (here
// Wine) reports for the user's locale, each cut to its field.
TEST(ZafLocaleData, ReadsTheWindowsLocaleAsWindowsReportsIt)
{
    I18nScope scope(false);
    ZafLocaleData locale;
    ASSERT_TRUE(ReadWindowsLocale(locale));
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SDECIMAL), 3), locale.decimalSeparator);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SMONDECIMALSEP), 3), locale.monDecimalSeparator);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_STHOUSAND), 3), locale.thousandsSeparator);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SMONTHOUSANDSEP), 3), locale.monThousandsSeparator);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SCURRENCY), 7), locale.currencySymbol);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SINTLSYMBOL), 4), locale.intCurrencySymbol);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_IPOSSYMPRECEDES).c_str()), locale.posCurrencyPrecedes);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_INEGSYMPRECEDES).c_str()), locale.negCurrencyPrecedes);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_IINTLCURRDIGITS).c_str()), locale.intFractionDigits);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_ICURRDIGITS).c_str()), locale.fractionDigits);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SPOSITIVESIGN), 3), locale.positiveSign);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SNEGATIVESIGN), 3), locale.negativeSign);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_IPOSSIGNPOSN).c_str()), locale.posSignPosition);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_INEGNUMBER).c_str()), locale.negSignPosition);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_IPOSSEPBYSPACE).c_str()), locale.posSpaceSeparation);
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_INEGSEPBYSPACE).c_str()), locale.negSpaceSeparation);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SDATE), 3), locale.dateSeparator);
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_STIME), 3), locale.timeSeparator);
    // Grouping "3;0" and the like: the first size, and a 0 that ends it.
    const std::string grouping = WindowsLocaleText(LOCALE_SGROUPING);
    EXPECT_EQ(std::atoi(grouping.c_str()), locale.grouping[0]);
    EXPECT_NE(nullptr, std::memchr(locale.grouping, 0, sizeof locale.grouping));

    char dateFormat[129];
    ConvertDatePicture(WindowsLocaleText(LOCALE_SSHORTDATE).c_str(), locale.dateSeparator, dateFormat,
                       sizeof dateFormat);
    EXPECT_STREQ(dateFormat, locale.dateFormat);
    const bool clock24 = WindowsLocaleText(LOCALE_ITIME) == "1";
    EXPECT_STREQ(clock24 ? "%H:%M:%S" : "%I:%M:%S %p", locale.timeFormat);
    EXPECT_EQ(std::string(locale.dateFormat) + " " + locale.timeFormat, locale.dateTimeFormat);
    // The texts of the built-in locale that Windows does not give stay.
    EXPECT_STREQ("%H:%M:%S", locale.time24Format);
    EXPECT_EQ(2, locale.eraCount);
}

// LOCALE_SINTLSYMBOL is asked for with more room than the five-byte field
// has; the field still ends within its five bytes and the next field is not
// touched.
TEST(ZafLocaleData, TheInternationalSymbolStaysInsideItsField)
{
    ZafLocaleStruct structure = ZafLocaleData::BuiltInLocale();
    structure.posCurrencyPrecedes = 0x5A5A5A5A;
    ReadLocaleInfo(structure);
    EXPECT_NE(nullptr, std::memchr(structure.intCurrencySymbol, 0, sizeof structure.intCurrencySymbol));
    EXPECT_EQ(std::atoi(WindowsLocaleText(LOCALE_IPOSSYMPRECEDES).c_str()), structure.posCurrencyPrecedes);
    // ReadLocaleInfo replaced the date and time texts with heap copies.
    delete[] structure.dateFormat;
    delete[] structure.timeFormat;
    delete[] structure.dateTimeFormat;
}

// The "Intl" profile section, as Windows 95 keeps the conventions; keys that
// are absent leave the current values.
TEST(ZafLocaleData, ReadsTheProfileSection)
{
    ProfileScope profile;
    profile.Set("sDecimal", ",");
    profile.Set("sThousand", ".");
    profile.Set("sCurrency", "Fr. suisse");
    profile.Set("sDate", ".");
    profile.Set("sTime", nullptr);
    profile.Set("iCurrency", "3");
    profile.Set("iNegCurr", "9");
    profile.Set("iCurrDigits", "0");
    profile.Set("sShortDate", "dd.MM.yyyy");
    profile.Set("iTime", "1");
    ZafLocaleData locale;
    ReadProfileLocale(locale);
    EXPECT_STREQ(",", locale.decimalSeparator);
    EXPECT_STREQ(",", locale.monDecimalSeparator);
    EXPECT_STREQ(".", locale.thousandsSeparator);
    EXPECT_STREQ("Fr. sui", locale.currencySymbol);
    EXPECT_STREQ("Fr. ", locale.intCurrencySymbol);
    EXPECT_STREQ(":", locale.timeSeparator);
    EXPECT_EQ(1, locale.posSpaceSeparation);
    EXPECT_EQ(0, locale.posCurrencyPrecedes);
    EXPECT_EQ(1, locale.negSpaceSeparation);
    EXPECT_EQ(1, locale.negCurrencyPrecedes);
    EXPECT_EQ(0, locale.fractionDigits);
    EXPECT_EQ(0, locale.intFractionDigits);
    EXPECT_STREQ("%d.%m.%Y", locale.dateFormat);
    EXPECT_STREQ("%H:%M:%S", locale.timeFormat);
    EXPECT_STREQ("%d.%m.%Y %H:%M:%S", locale.dateTimeFormat);

    profile.Set("sShortDate", nullptr);
    profile.Set("iCurrency", "7"); // out of range: kept
    ZafLocaleData second;
    ReadProfileLocale(second);
    EXPECT_STREQ("%m/%d/%Y", second.dateFormat);
    EXPECT_EQ(1, second.posCurrencyPrecedes);
}

struct PictureCase
{
    const char *picture;
    const char *separator;
    const char *format;
};

class DatePictures : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(DatePictures, BecomeDateFormats)
{
    char format[129];
    ConvertDatePicture(GetParam().picture, GetParam().separator, format, sizeof format);
    EXPECT_STREQ(GetParam().format, format);
}

INSTANTIATE_TEST_SUITE_P(ZafLocaleData, DatePictures,
                         ::testing::Values(PictureCase{"dd.MM.yyyy", ".", "%d.%m.%Y"},
                                           PictureCase{"M/d/yy", "/", "%v/%e/%y"},
                                           PictureCase{"d MMM yyyy", "-", "%e-%b-%Y"},
                                           PictureCase{"yyy-MM-dd", "-", "%y-%m-%d"},
                                           PictureCase{"yyyyMMdd", "", "%Y%m%d"}));

// ---------------------------------------------------------------------------
// Locale data in the UI data file

TEST(ZafLocaleData, WritesAndReadsItsConventions)
{
    TempDirectory dir;
    const std::string name = dir.File("locale.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence persistence(&storage);
        std::unique_ptr<ZafLocaleData> german(MakeGermanLocale());
        EXPECT_EQ(0u, german->Write(persistence));
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafLocaleData read("DE", persistence);
    ASSERT_EQ(0u, read.Error());
    EXPECT_STREQ("DE", read.StringID());
    EXPECT_STREQ(",", read.decimalSeparator);
    EXPECT_STREQ("EUR", read.currencySymbol);
    EXPECT_STREQ("EUR ", read.intCurrencySymbol);
    EXPECT_STREQ("%d.%m.%Y", read.dateFormat);
    EXPECT_STREQ("%x %X", read.dateTimeScanFormat);
    EXPECT_STREQ(ZafLocaleData::BuiltInLocale().timeScanFormats, read.timeScanFormats);
    EXPECT_EQ(0, read.posCurrencyPrecedes);
    EXPECT_EQ(2299160, read.calendarSwitchDay);
    EXPECT_EQ(11, read.calendarSwitchGap);
    ASSERT_EQ(2, read.eraCount);
    EXPECT_STREQ("BC", read.eraTable[1].eraName);
    EXPECT_STREQ("%Ey %EC", read.eraTable[1].eraFormat);
    EXPECT_EQ(1721423, read.eraTable[1].lastDay);
    EXPECT_EQ(4713, read.eraTable[1].yearOffset);
}

// Replaces a locale's stored object by a copy whose bytes the caller edits.
std::string RewriteLocale(const std::string &directory, void (*edit)(std::string &bytes))
{
    const std::string name = directory + "\\edited.znc";
    ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    std::unique_ptr<ZafLocaleData> german(MakeGermanLocale());
    german->Write(persistence);
    ZafFile *file = storage.Open("~ZafLocaleData~DE~objectData", ZafFileMode::Read);
    std::string bytes(file->Length(), '\0');
    file->ReadBytes(&bytes[0], file->Length());
    storage.Close(file);
    edit(bytes);
    file = storage.Open("~ZafLocaleData~DE~objectData", ZafFileMode::Create);
    file->WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
    storage.Close(file);
    storage.Save();
    return name;
}

// The era count and texts that must fit fixed fields come from the file:
// a count the file cannot hold and a text too long for its field are read
// errors, never a large allocation or a write past a field.
TEST(ZafLocaleData, RefusesEraCountsAndTextsThatDoNotFit)
{
    TempDirectory dir;
    // The era count stands before the two era entries at the end.
    const std::string badCount = RewriteLocale(dir.Path(), [](std::string &bytes) {
        const std::size_t eras = 2 * (2 + 2 + 4 + 4 + (2 + 2) + (2 + 7));
        const std::size_t at = bytes.size() - eras - 4;
        bytes[at] = '\xFF', bytes[at + 1] = '\xFF', bytes[at + 2] = '\xFF', bytes[at + 3] = '\x7F';
    });
    {
        ZafStorage storage(badCount.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        ZafLocaleData read("DE", persistence);
        EXPECT_EQ(16u, read.Error());
        EXPECT_LE(read.eraCount, ZafLocaleData::maxEras);
        EXPECT_NE(nullptr, read.dateFormat);
    }
    // The decimal separator's length word says 9 characters: more than the
    // field's 3.
    const std::string longText = RewriteLocale(dir.Path(), [](std::string &bytes) {
        bytes.insert(2, "23456789");
        bytes[0] = 9;
    });
    {
        ZafStorage storage(longText.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        ZafLocaleData read("DE", persistence);
        EXPECT_EQ(16u, read.Error());
        EXPECT_LT(std::strlen(read.decimalSeparator), sizeof read.decimalSeparator);
    }
}

TEST(ZafLocaleData, ClearRestoresTheBuiltInConventions)
{
    I18nScope scope(false);
    InitializeLocale(nullptr);
    ASSERT_NE(nullptr, zafCanonicalLocale);
    std::unique_ptr<ZafLocaleData> german(MakeGermanLocale());
    german->SetError(3);
    german->Clear();
    EXPECT_EQ(0u, german->Error());
    EXPECT_STREQ(".", german->decimalSeparator);
    EXPECT_STREQ("%m/%d/%Y", german->dateFormat);
    EXPECT_STREQ("DE", german->StringID());
}

// ---------------------------------------------------------------------------
// Start-up and reset with the generated i18n.znc

TEST(ZafLocaleData, TheGeneratedI18nFileIsLoadedAtStartUp)
{
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    EnvironmentScope environment("ZAF_LANG", "de_DE.850");
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(name));
    EXPECT_STREQ("de_DE.850", GetI18nName());
    ASSERT_NE(nullptr, zafLocale);
    EXPECT_STREQ("DE", zafLocale->StringID());
    EXPECT_EQ(0u, zafLocale->Error());
    EXPECT_STREQ(",", zafLocale->decimalSeparator);
    ASSERT_NE(nullptr, zafCanonicalLocale);
    EXPECT_STREQ(".", zafCanonicalLocale->decimalSeparator);
    EXPECT_STREQ("\x82", ConvertTextByCodeSet("\xE9"));

    ZafLanguageData *numbers = AcquireLanguageData("ZafInteger", ZafLanguageData::BuiltInTable("ZafInteger"));
    ASSERT_NE(nullptr, numbers);
    EXPECT_STREQ("Die Zahl %s ist ung\xFCltig.", numbers->GetMessageText(1, false));
    ReleaseLanguageData(numbers);

    ZafUTimeData date(1999, 12, 25, 14, 30, 0, 0);
    char text[64];
    date.FormattedText(text, 63, "%A, %e. %B %Y");
    EXPECT_STREQ("Samstag, 25. Dezember 1999", text);
    date.FormattedText(text, 63, nullptr);
    EXPECT_STREQ("25.12.1999 14:30:00", text);
    EXPECT_EQ(0u, date.SetFormattedText("24.12.2001 08:15:00", nullptr));
    EXPECT_EQ(2001, date.Year());
}

TEST(ZafLocaleData, ResetReplacesLocaleAndCodeSetAndRunsTheLanguageResets)
{
    static int resets;
    resets = 0;
    const ZafStaticCleanupFunction cleanup = [](std::uint8_t) {};
    const ZafStaticResetFunction reset = [] { resets++; };
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    EnvironmentScope environment("ZAF_LANG", "en_US.ISO8859-1");
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(name));
    EXPECT_STREQ("en_US.ISO8859-1", GetI18nName());
    RegisterStaticCleanup(cleanup, reset, ZafLanguageResetID);

    EXPECT_STREQ("de_DE.850", ResetI18n("de_DE.850"));
    EXPECT_STREQ(",", zafLocale->decimalSeparator);
    EXPECT_STREQ("de", GetCurrentLanguage());
    EXPECT_EQ(1, resets);

    // The same name again still rebuilds: a changed locale is read anew.
    std::strcpy(zafLocale->decimalSeparator, "#");
    EXPECT_STREQ("de_DE.850", ResetI18n("de_DE.850"));
    EXPECT_STREQ(",", zafLocale->decimalSeparator);
    EXPECT_EQ(2, resets);

    // A locale the file lacks: the Windows conventions, named "US".
    EXPECT_STREQ("en_US.850", ResetI18n("en_XX.850"));
    EXPECT_EQ(Cut(WindowsLocaleText(LOCALE_SDECIMAL), 3), zafLocale->decimalSeparator);
    UnregisterStaticCleanup(cleanup, reset);
}

TEST(ZafLocaleData, SetLocaleKeepsTheOldLocaleWhenTheNameIsUnknown)
{
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(name));
    InitializeLocale(nullptr);
    EXPECT_STREQ("US", zafLocale->StringID());
    EXPECT_EQ(0, SetLocale("DE"));
    EXPECT_STREQ("DE", zafLocale->StringID());
    EXPECT_EQ(1, SetLocale("FR"));
    EXPECT_STREQ("DE", zafLocale->StringID());
    EXPECT_EQ(0u, zafDataPersistence->Error());
    EXPECT_EQ(0, SetLocale(nullptr));
}

} // namespace
