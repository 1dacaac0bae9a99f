// Helpers of the i18n tests: the application's i18n start-up and end, an
// environment variable set for one test, the code-page tables of a Windows
// code page, and the "i18n.znc" fixture written through the library's own
// write operations.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafLocaleData.h"
#include "zaf/data/ZafStaticCleanup.h"
#include "zaf/data/ZafStorage.h"

#include "TestFiles.h"
#include <gtest/gtest.h>

// Sets (or, with null, removes) an environment variable and restores it.
class EnvironmentScope
{
public:
    EnvironmentScope(const char *name, const char *value) : name(name)
    {
        char buffer[1024];
        const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        had = length > 0 && length < sizeof buffer;
        if (had)
            old = buffer;
        SetEnvironmentVariableA(name, value);
    }
    ~EnvironmentScope() { SetEnvironmentVariableA(name.c_str(), had ? old.c_str() : nullptr); }

private:
    std::string name;
    std::string old;
    bool had = false;
};

// The i18n objects of one test. The constructor makes the data manager (when
// asked) as the application does first; the destructor ends the i18n
// storage, the data manager and the three current i18n objects, so that the
// next test starts with none.
class I18nScope
{
public:
    explicit I18nScope(bool withDataManager = true)
    {
        // Other tests may have left i18n objects behind (the first string,
        // integer or real data makes them).
        EndI18n();
        if (withDataManager)
            zafDataManager = new ZafDataManager();
    }
    ~I18nScope()
    {
        CloseFile();
        EndI18n();
    }

    static void EndI18n()
    {
        delete zafDataManager;
        zafDataManager = nullptr;
        DeleteCodeSet(1);
        DeleteLocale(1);
        DeleteLanguageManager(1);
        // Whatever still stands is the test's leftover: end it all the same.
        delete zafCodeSet;
        delete zafLocale;
        delete zafCanonicalLocale;
        delete zafLanguageManager;
    }

    // The application's start-up: InitializeI18n with no name, then, when
    // the file opens, the i18n persistence with the three data constructors
    // and ResetI18n with no name. False when the file did not open.
    bool StartUp(const std::string &fileName)
    {
        InitializeI18n(nullptr);
        if (!OpenFile(fileName))
            return false;
        ResetI18n(nullptr);
        return true;
    }

    bool OpenFile(const std::string &fileName)
    {
        storage = new ZafStorage(fileName.c_str(), ZafStorage::Read);
        if (storage->Error() != 0)
        {
            delete storage;
            storage = nullptr;
            return false;
        }
        zafDataPersistence = new ZafDataPersistence(storage);
        zafDataPersistence->AddDataConstructor(ZafLanguageData::className, ZafLanguageData::classID,
                                               ZafLanguageData::New);
        zafDataPersistence->AddDataConstructor(ZafLocaleData::className, ZafLocaleData::classID, ZafLocaleData::New);
        zafDataPersistence->AddDataConstructor(ZafCodeSetData::className, ZafCodeSetData::classID,
                                               ZafCodeSetData::New);
        return true;
    }

    void CloseFile()
    {
        delete zafDataPersistence;
        zafDataPersistence = nullptr;
        delete storage;
        storage = nullptr;
    }

    ZafStorage *storage = nullptr;
};

// The two tables of a Windows code page against Latin-1, over 0x80-0xFF:
// isoToLocal[c] is the code page's byte for the Latin-1 character c,
// localToIso[b] the Latin-1 character of the byte b; '?' where the other
// side has no such character, 0 where the byte stays.
inline void CodePageTables(UINT codePage, unsigned char (&isoToLocal)[256], unsigned char (&localToIso)[256])
{
    for (int c = 0; c < 256; c++)
        isoToLocal[c] = localToIso[c] = 0;
    for (int c = 0x80; c < 256; c++)
    {
        const WCHAR wide = static_cast<WCHAR>(c);
        char local = 0;
        BOOL lost = FALSE;
        if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wide, 1, &local, 1, nullptr, &lost) == 1 && !lost)
            isoToLocal[c] = static_cast<unsigned char>(local) == c ? 0 : static_cast<unsigned char>(local);
        else
            isoToLocal[c] = '?';
        const char byte = static_cast<char>(c);
        WCHAR back = 0;
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &back, 1) == 1 && back < 256)
            localToIso[c] = back == c ? 0 : static_cast<unsigned char>(back);
        else
            localToIso[c] = '?';
    }
}

// A code set of a Windows code page, named after it, covering 0x80-0xFF.
inline ZafCodeSetData *MakeCodePageSet(UINT codePage)
{
    unsigned char isoToLocal[256], localToIso[256];
    CodePageTables(codePage, isoToLocal, localToIso);
    ZafCodeSetData *codeSet = new ZafCodeSetData(isoToLocal, localToIso);
    codeSet->SetStringID(std::to_string(codePage).c_str());
    codeSet->ISOToLocalLookup()->SetRange(0x80, 0xFF);
    codeSet->LocalToISOLookup()->SetRange(0x80, 0xFF);
    return codeSet;
}

// German conventions for the fixture's locale "DE".
inline ZafLocaleData *MakeGermanLocale()
{
    static char dateFormat[] = "%d.%m.%Y";
    static char timeFormat[] = "%H:%M:%S";
    static char dateTimeFormat[] = "%d.%m.%Y %H:%M:%S";
    static char dateScanFormats[] = "%d.%m.%Y\n%d.%m.%y\n%d.%m";
    static char dateTimeScanFormat[] = "%x %X";
    ZafLocaleStruct german = ZafLocaleData::BuiltInLocale();
    std::strcpy(german.decimalSeparator, ",");
    std::strcpy(german.monDecimalSeparator, ",");
    std::strcpy(german.thousandsSeparator, ".");
    std::strcpy(german.monThousandsSeparator, ".");
    std::strcpy(german.currencySymbol, "EUR");
    std::strcpy(german.intCurrencySymbol, "EUR ");
    std::strcpy(german.dateSeparator, ".");
    german.posCurrencyPrecedes = 0;
    german.negCurrencyPrecedes = 0;
    german.dateFormat = dateFormat;
    german.timeFormat = timeFormat;
    german.dateTimeFormat = dateTimeFormat;
    german.dateScanFormats = dateScanFormats;
    german.dateTimeScanFormat = dateTimeScanFormat;
    ZafLocaleData *locale = new ZafLocaleData(german);
    locale->SetStringID("DE");
    return locale;
}

// A table whose entries follow the default entry, numbered from first; the
// texts are separated by blanks. The tables live as long as the program.
inline const ZafLanguageStruct *NumberedTable(const char *texts, std::uint16_t first = 1)
{
    static std::vector<std::vector<std::string>> words;
    static std::vector<std::vector<ZafLanguageStruct>> tables;
    words.emplace_back();
    for (const char *p = texts; *p;)
    {
        const char *end = std::strchr(p, ' ');
        words.back().emplace_back(p, end ? end - p : std::strlen(p));
        p = end ? end + 1 : p + std::strlen(p);
    }
    tables.emplace_back(1, ZafLanguageStruct{"", 0xFFFF, nullptr, 0, 0xFFFFFFFF});
    for (const std::string &word : words.back())
        tables.back().push_back({word.c_str(), static_cast<std::uint16_t>(first++), nullptr, 0, 0xFFFFFFFF});
    tables.back().push_back({nullptr, 0, nullptr, 0, 0});
    return tables.back().data();
}

// The German day, month, time and number tables; null for other names.
inline const ZafLanguageStruct *GermanTable(const char *name)
{
    static const ZafLanguageStruct *days = NumberedTable(
        "Sonntag Montag Dienstag Mittwoch Donnerstag Freitag Samstag So Mo Di Mi Do Fr Sa So. Mo. Di. Mi. Do. Fr. Sa.");
    static const ZafLanguageStruct *months = NumberedTable(
        "Januar Februar M\xE4rz April Mai Juni Juli August September Oktober November Dezember Jan Feb M\xE4r Apr Mai "
        "Jun Jul Aug Sep Okt Nov Dez Jan. Feb. M\xE4rz Apr. Mai Juni Juli Aug. Sept. Okt. Nov. Dez.");
    static const ZafLanguageStruct *times = NumberedTable("vorm. nachm. xxxx");
    static const ZafLanguageStruct numbers[] = {
        {"", 0xFFFF, nullptr, 0, 0xFFFFFFFF},
        {"Die Zahl %s ist ung\xFCltig.", 1, nullptr, 0, 0xFFFFFFFF},
        {"Die Zahl %s liegt nicht im Bereich %s.", 5, nullptr, 0, 0xFFFFFFFF},
        {"Die Zahl %s ist kleiner als %s.", 6, nullptr, 0, 0xFFFFFFFF},
        {"Die Zahl %s ist gr\xF6\xDF" "er als %s.", 7, nullptr, 0, 0xFFFFFFFF},
        {nullptr, 0, nullptr, 0, 0}};
    const std::string table = name ? name : "";
    return table == "ZafDayStrings"     ? days
           : table == "ZafMonthStrings" ? months
           : table == "ZafTimeStrings"  ? times
           : table == "ZafInteger" || table == "ZafReal" ? numbers
                                                         : nullptr;
}

// Writes the tables of one language under its suffix.
inline void WriteLanguage(ZafDataPersistence &persistence, const char *language,
                          const ZafLanguageStruct *(*tableOf)(const char *))
{
    persistence.PushSuffix(language);
    for (const char *const *name = ZafLanguageData::BuiltInTableNames(); *name; name++)
    {
        if (const ZafLanguageStruct *table = tableOf(*name))
        {
            ZafLanguageData data(table, false);
            data.SetStringID(*name);
            data.Write(persistence);
        }
    }
    persistence.PopSuffix();
}

// The fixture: locale "DE", the code set of Windows code page 850 (named
// "850") and the language tables: every built-in table for "en", the day,
// month, time and number tables in German for "de". Returns the storage's
// error after Save (0 when written).
inline std::uint32_t WriteI18nFixture(const std::string &fileName)
{
    ZafStorage storage(fileName.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    ZafCodeSetData *codeSet = MakeCodePageSet(850);
    codeSet->Write(persistence);
    delete codeSet;
    ZafLocaleData *locale = MakeGermanLocale();
    locale->Write(persistence);
    delete locale;
    WriteLanguage(persistence, "en", ZafLanguageData::BuiltInTable);
    WriteLanguage(persistence, "de", GermanTable);
    if (persistence.Error() != 0)
        return persistence.Error();
    return storage.Save();
}

// The fixture, written once for the whole test program.
inline const std::string &I18nFixture()
{
    static TempDirectory directory;
    static const std::string name = directory.File("i18n.znc");
    static const std::uint32_t written = WriteI18nFixture(name);
    EXPECT_EQ(0u, written);
    return name;
}
