// The i18n name from "ZAF_LANG" and Windows, locale data from the Windows
// locale, the "Intl" profile section and the UI data file, and the start-up
// and reset with the generated "i18n.znc".
#include "zaf/data/ZafLocaleData.h"

#include <gtest/gtest.h>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafRealData.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafTimeData.h"

namespace {

std::string WindowsLocaleText(LCTYPE type)
{
    char buffer[256];
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) > 0 ? buffer : "";
}

int WindowsLocaleNumber(LCTYPE type)
{
    return std::atoi(WindowsLocaleText(type).c_str());
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
            WriteProfileStringA("Intl", it->key.c_str(), it->present ? it->value.c_str() : nullptr);
    }
    void Set(const char *key, const char *value)
    {
        char buffer[256];
        const DWORD length = GetProfileStringA("Intl", key, "\x01", buffer, sizeof buffer);
        saved.push_back({key, !(length == 1 && buffer[0] == '\x01'), buffer});
        WriteProfileStringA("Intl", key, value);
    }

private:
    struct Saved
    {
        std::string key;
        bool present;
        std::string value;
    };
    std::vector<Saved> saved;
};

// Conventions of the user's locale set with SetLocaleInfoA for one test and
// restored after.
class UserLocaleScope
{
public:
    ~UserLocaleScope()
    {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            SetLocaleInfoA(LOCALE_USER_DEFAULT, it->first, it->second.c_str());
    }
    bool Set(LCTYPE type, const char *value)
    {
        saved.emplace_back(type, WindowsLocaleText(type));
        return SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value) != 0;
    }

private:
    std::vector<std::pair<LCTYPE, std::string>> saved;
};

// "ZAF_LANG" chooses the language and code set (the fixture holds the code
// set "850"; others fall back to the built-in one).
TEST(ZafLocaleData, ZafLangChoosesLanguageAndCodeSet)
{
    const struct
    {
        const char *zafLang, *language, *codeSet;
    } cases[] = {{"de_DE.850", "de", "850"},
                 {"fr", "fr", "ISO8859-1"},
                 {"en.850", "en", "850"},
                 {"_DE.850", "en", "850"}, // no language part: the default language
                 {".850", "en", "850"}};
    for (const auto &c : cases) {
        EnvironmentScope environment("ZAF_LANG", c.zafLang);
        I18nScope scope;
        ASSERT_TRUE(scope.StartUp(I18nFixture()));
        EXPECT_STREQ(c.language, GetCurrentLanguage()) << c.zafLang;
        ASSERT_NE(nullptr, zafCodeSet);
        EXPECT_STREQ(c.codeSet, zafCodeSet->StringID()) << c.zafLang;
    }
}

// Without "ZAF_LANG" (an empty one counts as unset) the name comes from the
// "Intl" profile section and the ANSI code page; "ZAF_LANG" is cut to 15.
TEST(ZafLocaleData, TheDefaultNameComesFromZafLangOrTheWindowsLanguageAndCountry)
{
    {
        EnvironmentScope environment("ZAF_LANG", "de_DE.1234567890123");
        EXPECT_STREQ("de_DE.123456789", GetDefaultLanguageName());
    }
    EnvironmentScope environment("ZAF_LANG", "");
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

// Wine keeps the "Intl" section empty, so the default name
// has no language part (".1252"). Such a name means the default language,
// and the language tables of the file load for it.
TEST(ZafLocaleData, ANameWithoutLanguageLoadsTheDefaultLanguagesTables)
{
    EnvironmentScope environment("ZAF_LANG", nullptr);
    ProfileScope profile;
    profile.Set("sLanguage", nullptr);
    profile.Set("iCountry", nullptr);
    ASSERT_EQ("." + AnsiCodePage(), GetDefaultLanguageName());
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(I18nFixture()));
    EXPECT_STREQ("en", GetCurrentLanguage());
    ZafLanguageData *days = AcquireLanguageData("ZafDayStrings", nullptr);
    ASSERT_NE(nullptr, days) << "read from the file for \"en\"";
    EXPECT_EQ(0, days->StaticData());
    EXPECT_STREQ("Monday", days->GetMessageText(2, false));
    ReleaseLanguageData(days);
}

// The i18n name is put together within its 64 bytes.
TEST(ZafLocaleData, TheI18nNameIsBoundedTo63Characters)
{
    I18nScope scope(false);
    InitializeI18n("en_US.ISO8859-1");
    zafLanguageManager->ChangeLanguage(std::string(60, 'l').c_str());
    zafLocale->SetStringID(std::string(60, 'L').c_str());
    EXPECT_EQ(std::string(60, 'l') + "_LL", GetI18nName());
}

// The conventions that ReadsEachConventionFromItsOwnLocaleEntry does not set
// are those that Windows (here Wine) reports, each cut to its field.
TEST(ZafLocaleData, ReadsTheWindowsLocaleAsWindowsReportsIt)
{
    I18nScope scope(false);
    ZafLocaleData locale;
    ASSERT_TRUE(ReadWindowsLocale(locale));
    EXPECT_EQ(WindowsLocaleText(LOCALE_SINTLSYMBOL).substr(0, 4), locale.intCurrencySymbol);
    const std::pair<LCTYPE, int> numbers[] = {
        {LOCALE_IPOSSYMPRECEDES, locale.posCurrencyPrecedes}, {LOCALE_INEGSYMPRECEDES, locale.negCurrencyPrecedes},
        {LOCALE_IINTLCURRDIGITS, locale.intFractionDigits},   {LOCALE_IPOSSIGNPOSN, locale.posSignPosition},
        {LOCALE_INEGNUMBER, locale.negSignPosition},          {LOCALE_IPOSSEPBYSPACE, locale.posSpaceSeparation},
        {LOCALE_INEGSEPBYSPACE, locale.negSpaceSeparation}};
    for (const auto &n : numbers)
        EXPECT_EQ(WindowsLocaleNumber(n.first), n.second) << n.first;
    EXPECT_NE(nullptr, std::memchr(locale.grouping, 0, sizeof locale.grouping)) << "a 0 ends the grouping";
    EXPECT_EQ(std::string(locale.dateFormat) + " " + locale.timeFormat, locale.dateTimeFormat);
    // The texts of the built-in locale that Windows does not give stay.
    EXPECT_STREQ("%H:%M:%S", locale.time24Format);
    EXPECT_EQ(2, locale.eraCount);

    // LOCALE_SINTLSYMBOL is read into its five-byte field: it ends within
    // the field and the next field is not touched.
    ZafLocaleStruct structure = ZafLocaleData::BuiltInLocale();
    // The texts it replaces must be heap copies.
    structure.dateFormat = DuplicateLibraryString(structure.dateFormat);
    structure.timeFormat = DuplicateLibraryString(structure.timeFormat);
    structure.dateTimeFormat = DuplicateLibraryString(structure.dateTimeFormat);
    structure.posCurrencyPrecedes = 0x5A5A5A5A;
    ReadLocaleInfo(structure);
    EXPECT_NE(nullptr, std::memchr(structure.intCurrencySymbol, 0, sizeof structure.intCurrencySymbol));
    EXPECT_EQ(WindowsLocaleNumber(LOCALE_IPOSSYMPRECEDES), structure.posCurrencyPrecedes);
    delete[] structure.dateFormat;
    delete[] structure.timeFormat;
    delete[] structure.dateTimeFormat;
}

// Each convention comes from its own entry: the user's locale is given
// values unlike each other and unlike the defaults, so that no read can
// stand in for another.
TEST(ZafLocaleData, ReadsEachConventionFromItsOwnLocaleEntry)
{
    I18nScope scope(false);
    UserLocaleScope user;
    const std::pair<LCTYPE, const char *> entries[] = {
        {LOCALE_SDECIMAL, ","},       {LOCALE_SMONDECIMALSEP, ";"},       {LOCALE_STHOUSAND, "'"},
        {LOCALE_SMONTHOUSANDSEP, "_"}, {LOCALE_SDATE, "-"},                {LOCALE_STIME, "."},
        {LOCALE_SCURRENCY, "Kr"},      {LOCALE_SPOSITIVESIGN, "+"},        {LOCALE_SNEGATIVESIGN, "~"},
        {LOCALE_SGROUPING, "2;0"},     {LOCALE_SMONGROUPING, "4;0"},       {LOCALE_ICURRDIGITS, "3"},
        {LOCALE_SSHORTDATE, "yyyy-MM-dd"}, {LOCALE_ITIME, "1"}};
    for (const auto &entry : entries)
        ASSERT_TRUE(user.Set(entry.first, entry.second)) << entry.first;
    ZafLocaleData locale;
    ASSERT_TRUE(ReadWindowsLocale(locale));
    EXPECT_EQ(std::string(",;'_-.|Kr|+|~"),
              std::string(locale.decimalSeparator) + locale.monDecimalSeparator + locale.thousandsSeparator +
                  locale.monThousandsSeparator + locale.dateSeparator + locale.timeSeparator + "|" +
                  locale.currencySymbol + "|" + locale.positiveSign + "|" + locale.negativeSign);
    EXPECT_EQ((std::vector<int>{2, 4, 3}), (std::vector<int>{locale.grouping[0], locale.monGrouping[0],
                                                              locale.fractionDigits}));
    EXPECT_STREQ("%Y-%m-%d", locale.dateFormat);
    EXPECT_STREQ("%H:%M:%S", locale.timeFormat);
}

// The "Intl" profile section, as Windows 95 keeps the conventions; keys that
// are absent or out of range leave the current values.
TEST(ZafLocaleData, ReadsTheProfileSectionAndDatePictures)
{
    ProfileScope profile;
    const std::pair<const char *, const char *> keys[] = {
        {"sDecimal", ","}, {"sThousand", "."},   {"sCurrency", "Fr. suisse"},
        {"sDate", "."},    {"sTime", nullptr},   {"iCurrency", "3"},
        {"iNegCurr", "9"}, {"iCurrDigits", "0"}, {"sShortDate", "dd.MM.yyyy"},
        {"iTime", "1"}};
    for (const auto &key : keys)
        profile.Set(key.first, key.second);
    ZafLocaleData locale;
    ReadProfileLocale(locale);
    EXPECT_EQ(std::string(",|,|.|Fr. sui|Fr. |:"), std::string(locale.decimalSeparator) + "|" +
                                                       locale.monDecimalSeparator + "|" + locale.thousandsSeparator +
                                                       "|" + locale.currencySymbol + "|" + locale.intCurrencySymbol +
                                                       "|" + locale.timeSeparator);
    EXPECT_EQ((std::vector<int>{1, 0, 1, 1, 0, 0}),
              (std::vector<int>{locale.posSpaceSeparation, locale.posCurrencyPrecedes, locale.negSpaceSeparation,
                                locale.negCurrencyPrecedes, locale.fractionDigits, locale.intFractionDigits}));
    EXPECT_STREQ("%d.%m.%Y", locale.dateFormat);
    EXPECT_STREQ("%H:%M:%S", locale.timeFormat);
    EXPECT_STREQ("%d.%m.%Y %H:%M:%S", locale.dateTimeFormat);
    profile.Set("sShortDate", nullptr);
    profile.Set("iCurrency", "7");
    ZafLocaleData second;
    ReadProfileLocale(second);
    EXPECT_STREQ("%m/%d/%Y", second.dateFormat);
    EXPECT_EQ(1, second.posCurrencyPrecedes);

    const struct
    {
        const char *picture, *separator, *format;
    } pictures[] = {{"dd.MM.yyyy", ".", "%d.%m.%Y"},
                    {"M/d/yy", "/", "%v/%e/%y"},
                    {"d MMM yyyy", "-", "%e-%b-%Y"},
                    {"yyy-MM-dd", "-", "%y-%m-%d"},
                    {"yyyyMMdd", "", "%Y%m%d"}};
    for (const auto &p : pictures) {
        char format[129];
        ConvertDatePicture(p.picture, p.separator, format, sizeof format);
        EXPECT_STREQ(p.format, format) << p.picture;
    }
}

TEST(ZafLocaleData, WritesAndReadsItsConventionsAndClearRestoresTheBuiltInOnes)
{
    ZafStorage storage(I18nFixture().c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafLocaleData read("DE", persistence);
    ASSERT_EQ(0u, read.Error());
    ASSERT_EQ(2, read.eraCount);
    const ZafEraTableEntry &bc = read.eraTable[1];
    EXPECT_EQ(std::string("DE|,|EUR|EUR |%d.%m.%Y|%x %X|") + ZafLocaleData::BuiltInLocale().timeScanFormats +
                  "|0|2299160|11|BC|%Ey %EC|1721423|4713",
              std::string(read.StringID()) + "|" + read.decimalSeparator + "|" + read.currencySymbol + "|" +
                  read.intCurrencySymbol + "|" + read.dateFormat + "|" + read.dateTimeScanFormat + "|" +
                  read.timeScanFormats + "|" + std::to_string(read.posCurrencyPrecedes) + "|" +
                  std::to_string(read.calendarSwitchDay) + "|" + std::to_string(read.calendarSwitchGap) + "|" +
                  bc.eraName + "|" + bc.eraFormat + "|" + std::to_string(bc.lastDay) + "|" +
                  std::to_string(bc.yearOffset));

    I18nScope scope(false);
    InitializeLocale(nullptr);
    read.SetError(3);
    read.Clear();
    EXPECT_EQ(0u, read.Error());
    EXPECT_STREQ(".", read.decimalSeparator);
    EXPECT_STREQ("%m/%d/%Y", read.dateFormat);
    EXPECT_STREQ("DE", read.StringID());
}

// Replaces a locale's stored object by a copy whose bytes the caller edits.
std::string RewriteLocale(const TempDirectory &directory, void (*edit)(std::string &bytes))
{
    const std::string name = directory.File("edited.znc");
    ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    std::unique_ptr<ZafLocaleData>(MakeGermanLocale())->Write(persistence);
    std::string bytes = ObjectBytes(storage, "~ZafLocaleData~DE~objectData");
    edit(bytes);
    ZafFile *file = storage.Open("~ZafLocaleData~DE~objectData", ZafFileMode::Create);
    file->WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
    storage.Close(file);
    storage.Save();
    return name;
}

// Texts are read into fixed fields; a text longer than its field is a read
// error, never a write past it. (Era counts the
// file cannot hold are met by the corrupt-input runs.)
TEST(ZafLocaleData, RefusesTextsThatDoNotFit)
{
    TempDirectory dir;
    // The decimal separator's length word says 9 characters: more than 3.
    const std::string longText = RewriteLocale(dir, [](std::string &bytes) {
        bytes.insert(2, "23456789");
        bytes[0] = 9;
    });
    ZafStorage storage(longText.c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafLocaleData read("DE", persistence);
    EXPECT_EQ(ZafError::Read, read.Error());
    EXPECT_LT(std::strlen(read.decimalSeparator), sizeof read.decimalSeparator);
}

// A reset rebuilds locale and code set (even for the same name) and runs the
// language resets; unknown names keep the old locale or fall back to Windows.
TEST(ZafLocaleData, ResetAndSetLocaleReplaceTheLocale)
{
    static int resets;
    resets = 0;
    const ZafStaticCleanupFunction cleanup = [](std::uint8_t) {};
    const ZafStaticResetFunction reset = [] { resets++; };
    EnvironmentScope environment("ZAF_LANG", "en_US.ISO8859-1");
    I18nScope scope;
    ASSERT_TRUE(scope.StartUp(I18nFixture()));
    EXPECT_STREQ("en_US.ISO8859-1", GetI18nName());
    EXPECT_STREQ("US", zafLocale->StringID());
    RegisterStaticCleanup(cleanup, reset, ZafLanguageResetID);
    EXPECT_STREQ("de_DE.850", ResetI18n("de_DE.850"));
    EXPECT_STREQ(",", zafLocale->decimalSeparator);
    EXPECT_STREQ("de", GetCurrentLanguage());
    EXPECT_EQ(1, resets);
    std::strcpy(zafLocale->decimalSeparator, "#");
    EXPECT_STREQ("de_DE.850", ResetI18n("de_DE.850"));
    EXPECT_STREQ(",", zafLocale->decimalSeparator) << "a changed locale is read anew";
    EXPECT_EQ(2, resets);
    EXPECT_STREQ("en_US.850", ResetI18n("en_XX.850")) << "a locale the file lacks: Windows's, named US";
    EXPECT_EQ(WindowsLocaleText(LOCALE_SDECIMAL).substr(0, 3), zafLocale->decimalSeparator);
    UnregisterStaticCleanup(cleanup, reset);

    EXPECT_EQ(0, SetLocale("DE"));
    EXPECT_STREQ("DE", zafLocale->StringID());
    EXPECT_EQ(1, SetLocale("FR"));
    EXPECT_STREQ("DE", zafLocale->StringID());
    EXPECT_EQ(0u, zafDataPersistence->Error());
    EXPECT_EQ(0, SetLocale(nullptr));
}

} // namespace
