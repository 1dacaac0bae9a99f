#include "zaf/data/ZafLocaleData.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafText.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafLocaleDefaults.h"
#include "zaf/data/ZafStaticCleanup.h"

ZafLocaleData *zafLocale = nullptr;
ZafLocaleData *zafCanonicalLocale = nullptr;

namespace {
// The language used when an i18n name has no language part.
constexpr const char *defaultLanguage = "en";
// The name of the locale made from the built-in or Windows conventions.
constexpr const char *defaultLocaleName = "US";

template <std::size_t N> void SetArray(char (&field)[N], const char *text)
{
    CopyTextBounded(text ? text : "", field, static_cast<int>(N) - 1);
    field[N - 1] = '\0';
}

// The fifteen owned texts of a structure, in the order the file keeps them.
char *ZafLocaleStruct::*const ownedTexts[] = {
    &ZafLocaleStruct::leftParen,          &ZafLocaleStruct::rightParen,
    &ZafLocaleStruct::integerScanFormat,  &ZafLocaleStruct::integerPrintFormat,
    &ZafLocaleStruct::realScanFormat,     &ZafLocaleStruct::realPrintFormat,
    &ZafLocaleStruct::timeScanFormats,    &ZafLocaleStruct::time24Format,
    &ZafLocaleStruct::dateScanFormats,    &ZafLocaleStruct::dateFormat,
    &ZafLocaleStruct::dateTimeScanFormat, &ZafLocaleStruct::dateTimeFormat,
    &ZafLocaleStruct::timeFormat,         &ZafLocaleStruct::digits,
    &ZafLocaleStruct::altDigits,
};

// Replaces an owned text of a structure by a copy of the text.
void ReplaceText(char *&field, const char *text)
{
    char *copy = DuplicateLibraryString(text ? text : "");
    delete[] field;
    field = copy;
}

// Hands the current locale's conventions to the number conversions of
// string, integer and real data; the record points into the locale.
void PublishConventions()
{
    static ZafNumberConventions view;
    if (!zafLocale) {
        ZafLocaleDefaults::SetCurrent(nullptr);
        return;
    }
    const ZafLocaleData &locale = *zafLocale;
    view.decimalSeparator = locale.decimalSeparator;
    view.monDecimalSeparator = locale.monDecimalSeparator;
    view.thousandsSeparator = locale.thousandsSeparator;
    view.monThousandsSeparator = locale.monThousandsSeparator;
    view.currencySymbol = locale.currencySymbol;
    std::memcpy(view.grouping, locale.grouping, sizeof view.grouping);
    std::memcpy(view.monGrouping, locale.monGrouping, sizeof view.monGrouping);
    view.posCurrencyPrecedes = locale.posCurrencyPrecedes;
    view.negCurrencyPrecedes = locale.negCurrencyPrecedes;
    view.positiveSign = locale.positiveSign;
    view.posSignPosition = locale.posSignPosition;
    view.posSpaceSeparation = locale.posSpaceSeparation;
    view.negativeSign = locale.negativeSign;
    view.negSignPosition = locale.negSignPosition;
    view.negSpaceSeparation = locale.negSpaceSeparation;
    view.leftParen = locale.leftParen;
    view.rightParen = locale.rightParen;
    view.integerScanFormat = locale.integerScanFormat;
    view.integerPrintFormat = locale.integerPrintFormat;
    view.realScanFormat = locale.realScanFormat;
    view.realPrintFormat = locale.realPrintFormat;
    view.digits = locale.digits;
    view.altDigits = locale.altDigits;
    ZafLocaleDefaults::SetCurrent(&view);
}

// Makes the locale current and tells the number conversions about it.
void InstallLocale(ZafLocaleData *locale)
{
    zafLocale = locale;
    PublishConventions();
}

bool Deletable(const ZafData *data)
{
    return data && data->Destroyable() && data->NotificationCount() == 0;
}
} // namespace

// ---------------------------------------------------------------------------
// ZafI18nData

ZafI18nData::ZafI18nData(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    ZafReadLevel(*this, persistence);
}

bool ZafI18nData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafI18nData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafI18nData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::topLevelEntry);
}

// ---------------------------------------------------------------------------
// ZafLocaleData

const ZafLocaleStruct &ZafLocaleData::BuiltInLocale()
{
    static char leftParen[] = "(";
    static char rightParen[] = ")";
    static char integerFormat[] = "%d";
    static char realFormat[] = "%g";
    static char timeScanFormats[] = "%I:%M:%S%p\n%I:%M:%S\n%H:%M:%S\n%I%M%S%p\n%I%M%S\n%H%M%S\n"
                                    "%I:%M%p\n%I:%M\n%H:%M\n%I%M%p\n%I%M\n%H%M\n%I%p\n%I%\n%H%";
    static char time24Format[] = "%H:%M:%S";
    static char timeFormat[] = "%I:%M:%S %p";
    static char dateScanFormats[] = "%m/%d/%y\n%d/%m/%y\n%m-%d-%y\n%d-%m-%y\n%m.%d.%y\n%d.%m.%y\n"
                                    "%m%d%y\n%d%m%y\n%h%d,%y\n%h%d%y\n%d%h,%y\n%d%h%y\n"
                                    "%m/%d/%Y\n%d/%m/%Y\n%m-%d-%Y\n%d-%m-%Y\n%m.%d.%Y\n%d.%m.%Y\n"
                                    "%m%d%Y\n%d%m%Y\n%h%d,%Y\n%h%d%Y\n%d%h,%Y\n%d%h%Y\n"
                                    "%m%d\n%d%m\n%h%d\n%d%h";
    static char dateFormat[] = "%m/%d/%Y";
    static char dateTimeScanFormat[] = "%D%T";
    static char dateTimeFormat[] = "%m/%d/%Y %I:%M:%S %p";
    static char digits[] = "0123456789";
    static char altDigits[] = "0123456789";
    static ZafEraTableEntry eras[] = {
        {1, 1, 1721424, -1, "AD", "%EC %Ey"},
        {0, 4713, 0, 1721423, "BC", "%Ey %EC"},
    };
    static const ZafLocaleStruct builtIn = {
        ".",
        ".",
        ",",
        ",",
        "$",
        {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        "USD ",
        1,
        1,
        2,
        2,
        "+",
        1,
        0,
        "-",
        1,
        0,
        leftParen,
        rightParen,
        integerFormat,
        integerFormat,
        realFormat,
        realFormat,
        timeScanFormats,
        time24Format,
        timeFormat,
        dateScanFormats,
        dateFormat,
        dateTimeScanFormat,
        dateTimeFormat,
        digits,
        altDigits,
        ":",
        "-",
        2299160,
        11,
        2,
        eras,
    };
    return builtIn;
}

ZafLocaleData::ZafLocaleData(const ZafLocaleStruct &structure) : ZafLocaleStruct()
{
    SetLocale(structure);
}

ZafLocaleData::ZafLocaleData(const ZafLocaleData &copy) : ZafI18nData(copy), ZafLocaleStruct()
{
    SetLocale(copy);
}

ZafLocaleData::ZafLocaleData(const char *name, ZafDataPersistence &persistence)
    : ZafI18nData(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry)), ZafLocaleStruct()
{
    // Start from the built-in conventions so that a locale whose file ends
    // early still holds a text in every field.
    SetLocale(BuiltInLocale());
    ZafReadLevel(*this, persistence, [this, &persistence](ZafFile &file) {
        if (!ReadData(file))
            persistence.SetError(ZafError::Read);
    });
}

ZafLocaleData::~ZafLocaleData()
{
    if (zafLocale == this)
        InstallLocale(nullptr);
    if (zafCanonicalLocale == this)
        zafCanonicalLocale = nullptr;
    FreeOwned();
}

ZafElement *ZafLocaleData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafLocaleData(name, persistence);
}

bool ZafLocaleData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafI18nData::IsClassID(id);
}

bool ZafLocaleData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafI18nData::IsClassName(name);
}

void ZafLocaleData::FreeOwned()
{
    for (char *ZafLocaleStruct::*text : ownedTexts) {
        delete[](this->*text);
        this->*text = nullptr;
    }
    delete[] eraTable;
    eraTable = nullptr;
    eraCount = 0;
}

void ZafLocaleData::SetLocale(const ZafLocaleStruct &structure)
{
    if (&structure == static_cast<ZafLocaleStruct *>(this))
        return;
    StartUpdate();
    // Copies are made before anything is freed: the structure may share
    // texts with this one.
    char *texts[sizeof ownedTexts / sizeof ownedTexts[0]];
    for (std::size_t i = 0; i < sizeof ownedTexts / sizeof ownedTexts[0]; i++)
        texts[i] = DuplicateLibraryString(structure.*ownedTexts[i] ? structure.*ownedTexts[i] : "");
    const std::int32_t count = (structure.eraTable && structure.eraCount > 0) ? structure.eraCount : 0;
    ZafEraTableEntry *eras = count > 0 ? new ZafEraTableEntry[count] : nullptr;
    for (std::int32_t i = 0; i < count; i++)
        eras[i] = structure.eraTable[i];
    FreeOwned();

    SetArray(decimalSeparator, structure.decimalSeparator);
    SetArray(monDecimalSeparator, structure.monDecimalSeparator);
    SetArray(thousandsSeparator, structure.thousandsSeparator);
    SetArray(monThousandsSeparator, structure.monThousandsSeparator);
    SetArray(currencySymbol, structure.currencySymbol);
    std::memcpy(grouping, structure.grouping, sizeof grouping);
    std::memcpy(monGrouping, structure.monGrouping, sizeof monGrouping);
    SetArray(intCurrencySymbol, structure.intCurrencySymbol);
    posCurrencyPrecedes = structure.posCurrencyPrecedes;
    negCurrencyPrecedes = structure.negCurrencyPrecedes;
    intFractionDigits = structure.intFractionDigits;
    fractionDigits = structure.fractionDigits;
    SetArray(positiveSign, structure.positiveSign);
    posSignPosition = structure.posSignPosition;
    posSpaceSeparation = structure.posSpaceSeparation;
    SetArray(negativeSign, structure.negativeSign);
    negSignPosition = structure.negSignPosition;
    negSpaceSeparation = structure.negSpaceSeparation;
    for (std::size_t i = 0; i < sizeof ownedTexts / sizeof ownedTexts[0]; i++)
        this->*ownedTexts[i] = texts[i];
    SetArray(timeSeparator, structure.timeSeparator);
    SetArray(dateSeparator, structure.dateSeparator);
    calendarSwitchDay = structure.calendarSwitchDay;
    calendarSwitchGap = structure.calendarSwitchGap;
    eraCount = count;
    eraTable = eras;
    if (zafLocale == this)
        PublishConventions();
    EndUpdate(true);
}

void ZafLocaleData::Clear()
{
    if (zafCanonicalLocale && zafCanonicalLocale != this)
        SetLocale(*zafCanonicalLocale);
    SetError(0);
}

bool ZafLocaleData::ReadData(ZafFile &file)
{
    // Character arrays take at most their size less the terminator; a longer
    // text fails the read (error 16) instead of overrunning the field.
    file.ReadStringInto(decimalSeparator, sizeof decimalSeparator);
    file.ReadStringInto(monDecimalSeparator, sizeof monDecimalSeparator);
    file.ReadStringInto(thousandsSeparator, sizeof thousandsSeparator);
    file.ReadStringInto(monThousandsSeparator, sizeof monThousandsSeparator);
    file.ReadStringInto(currencySymbol, sizeof currencySymbol);
    if (file.ReadBytes(grouping, sizeof grouping) != sizeof grouping ||
        file.ReadBytes(monGrouping, sizeof monGrouping) != sizeof monGrouping)
        file.SetError(ZafError::Read);
    file.ReadStringInto(intCurrencySymbol, sizeof intCurrencySymbol);
    ZafReadWhole(file, posCurrencyPrecedes);
    ZafReadWhole(file, negCurrencyPrecedes);
    ZafReadWhole(file, intFractionDigits);
    ZafReadWhole(file, fractionDigits);
    file.ReadStringInto(positiveSign, sizeof positiveSign);
    ZafReadWhole(file, posSignPosition);
    ZafReadWhole(file, posSpaceSeparation);
    file.ReadStringInto(negativeSign, sizeof negativeSign);
    ZafReadWhole(file, negSignPosition);
    ZafReadWhole(file, negSpaceSeparation);
    if (file.Error() != 0)
        return false;
    for (char *ZafLocaleStruct::*field : ownedTexts) {
        char *text = nullptr;
        file.ReadString(&text);
        if (file.Error() != 0) {
            delete[] text;
            return false;
        }
        ReplaceText(this->*field, text);
        delete[] text;
    }
    file.ReadStringInto(timeSeparator, sizeof timeSeparator);
    file.ReadStringInto(dateSeparator, sizeof dateSeparator);
    ZafReadWhole(file, calendarSwitchDay);
    ZafReadWhole(file, calendarSwitchGap);
    std::int32_t count = 0;
    ZafReadWhole(file, count);
    // The era count sizes an allocation: it must be sane and the entries
    // must be there (each takes at least 16 bytes).
    if (file.Error() != 0 || count < 0 || count > maxEras || count * 16 > file.Length() - file.Tell()) {
        file.SetError(ZafError::Read);
        return false;
    }
    ZafEraTableEntry *eras = count > 0 ? new ZafEraTableEntry[count]() : nullptr;
    for (std::int32_t i = 0; i < count && file.Error() == 0; i++) {
        ZafReadWhole(file, eras[i].direction);
        ZafReadWhole(file, eras[i].yearOffset);
        ZafReadWhole(file, eras[i].firstDay);
        ZafReadWhole(file, eras[i].lastDay);
        file.ReadStringInto(eras[i].eraName, sizeof eras[i].eraName);
        file.ReadStringInto(eras[i].eraFormat, sizeof eras[i].eraFormat);
    }
    delete[] eraTable;
    eraTable = eras;
    eraCount = count;
    if (file.Error() != 0) {
        delete[] eraTable;
        eraTable = nullptr;
        eraCount = 0;
        return false;
    }
    return true;
}

void ZafLocaleData::WriteData(ZafFile &file) const
{
    file.WriteString(decimalSeparator);
    file.WriteString(monDecimalSeparator);
    file.WriteString(thousandsSeparator);
    file.WriteString(monThousandsSeparator);
    file.WriteString(currencySymbol);
    file.WriteBytes(grouping, sizeof grouping);
    file.WriteBytes(monGrouping, sizeof monGrouping);
    file.WriteString(intCurrencySymbol);
    file.Write32(posCurrencyPrecedes);
    file.Write32(negCurrencyPrecedes);
    file.Write32(intFractionDigits);
    file.Write32(fractionDigits);
    file.WriteString(positiveSign);
    file.Write32(posSignPosition);
    file.Write32(posSpaceSeparation);
    file.WriteString(negativeSign);
    file.Write32(negSignPosition);
    file.Write32(negSpaceSeparation);
    for (char *ZafLocaleStruct::*field : ownedTexts)
        file.WriteString(this->*field);
    file.WriteString(timeSeparator);
    file.WriteString(dateSeparator);
    file.Write32(calendarSwitchDay);
    file.Write16(calendarSwitchGap);
    file.Write32(eraCount);
    for (std::int32_t i = 0; i < eraCount; i++) {
        file.Write16(eraTable[i].direction);
        file.Write16(eraTable[i].yearOffset);
        file.Write32(eraTable[i].firstDay);
        file.Write32(eraTable[i].lastDay);
        file.WriteString(eraTable[i].eraName);
        file.WriteString(eraTable[i].eraFormat);
    }
}

std::uint32_t ZafLocaleData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafI18nData>(*this, persistence, ZafDataPersistence::topLevelEntry,
                                      [this](ZafFile &file) { WriteData(file); });
}

// ---------------------------------------------------------------------------
// Text helpers

void CopyTextBounded(const char *source, char *destination, int n)
{
    if (!source || !destination)
        return;
    if (n < 0)
        n = static_cast<int>(std::strlen(source));
    int i = 0;
    for (; i < n && source[i]; i++)
        destination[i] = source[i];
    if (i < n)
        destination[i] = '\0';
}

const char *GetEnvironmentText(const char *name)
{
    static char value[1024];
    if (!name)
        return nullptr;
    char *localName = ConvertTextByCodeSet(name, nullptr, true);
    std::vector<char> buffer(256);
    DWORD length = GetEnvironmentVariableA(localName, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetEnvironmentVariableA(localName, buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    const bool missing = length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND;
    delete[] localName;
    if (missing || length >= buffer.size())
        return nullptr;
    buffer[length] = '\0';
    char *text = ConvertTextToISO(buffer.data(), nullptr, true);
    CopyTextBounded(text, value, static_cast<int>(sizeof value) - 1);
    value[sizeof value - 1] = '\0';
    delete[] text;
    return value;
}

// ---------------------------------------------------------------------------
// The Windows locale

namespace {
// Reads a locale text into a field: the text is taken whole into a scratch
// buffer and cut to the field's own size, so no text can run past a field
// (LOCALE_SINTLSYMBOL, for one, is asked for with more room than the field
// of five bytes has). A failed call leaves the field as it was.
template <std::size_t N> void ReadLocaleField(LCTYPE type, char (&field)[N])
{
    char text[128];
    if (GetLocaleInfoA(0, type, text, sizeof text) > 0) {
        char *latin = ConvertTextToISO(text, nullptr, true);
        SetArray(field, latin);
        delete[] latin;
    }
}

bool ReadLocaleText(LCTYPE type, std::string &text)
{
    char buffer[256];
    if (GetLocaleInfoA(0, type, buffer, sizeof buffer) <= 0)
        return false;
    char *latin = ConvertTextToISO(buffer, nullptr, true);
    text = latin;
    delete[] latin;
    return true;
}

void ReadLocaleNumber(LCTYPE type, std::int32_t &value)
{
    std::string text;
    if (ReadLocaleText(type, text))
        value = std::atoi(text.c_str());
}

// "3;2;0": decimal sizes separated by one character, into the bytes; stops
// after a 0 has been stored or at the end of the text.
void ParseGrouping(const std::string &text, unsigned char (&grouping)[10])
{
    std::memset(grouping, 0, sizeof grouping);
    std::size_t position = 0;
    for (std::size_t i = 0; i < sizeof grouping && position < text.size(); i++) {
        int size = 0;
        while (position < text.size() && IsDigitLatin1(static_cast<unsigned char>(text[position]))) {
            size = size * 10 + (text[position] - '0');
            if (size > 255)
                size = 255;
            position++;
        }
        grouping[i] = static_cast<unsigned char>(size);
        if (size == 0)
            break;
        position++; // the separating character
    }
}

void BuildDateTimeFormat(ZafLocaleStruct &structure)
{
    const std::string text = std::string(structure.dateFormat ? structure.dateFormat : "") + " " +
                             (structure.timeFormat ? structure.timeFormat : "");
    ReplaceText(structure.dateTimeFormat, text.c_str());
}

void SetDateFormatFromPicture(ZafLocaleStruct &structure, const char *picture)
{
    char format[129];
    ConvertDatePicture(picture, structure.dateSeparator, format, sizeof format);
    ReplaceText(structure.dateFormat, format);
}

// Text of a profile key of the "Intl" section; false when absent or empty.
bool ReadProfileText(const char *key, char *buffer, int size)
{
    char *localKey = ConvertTextByCodeSet(key, nullptr, true);
    const DWORD length = GetProfileStringA("Intl", localKey, "", buffer, static_cast<DWORD>(size));
    delete[] localKey;
    if (length == 0)
        return false;
    char *latin = ConvertTextToISO(buffer, nullptr, true);
    CopyTextBounded(latin, buffer, size - 1);
    buffer[size - 1] = '\0';
    delete[] latin;
    return true;
}

bool IsWindowsNT()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
} // namespace

void ConvertDatePicture(const char *picture, const char *dateSeparator, char *format, int size)
{
    if (!format || size <= 0)
        return;
    std::string out;
    const std::string text = picture ? picture : "";
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 3, "MMM") == 0)
            out += "%b", i += 3;
        else if (text.compare(i, 2, "MM") == 0)
            out += "%m", i += 2;
        else if (text[i] == 'M')
            out += "%v", i += 1;
        else if (text.compare(i, 2, "dd") == 0)
            out += "%d", i += 2;
        else if (text[i] == 'd')
            out += "%e", i += 1;
        else if (text[i] == 'y') {
            if (i + 3 < text.size() && text[i + 3] == 'y')
                out += "%Y", i += 4;
            else {
                out += "%y";
                while (i < text.size() && text[i] == 'y')
                    i++;
            }
        } else
            out += dateSeparator ? dateSeparator : "", i += 1;
    }
    CopyTextBounded(out.c_str(), format, size - 1);
    format[size - 1] = '\0';
}

void ReadLocaleInfo(ZafLocaleStruct &structure)
{
    ReadLocaleField(LOCALE_SDECIMAL, structure.decimalSeparator);
    ReadLocaleField(LOCALE_SMONDECIMALSEP, structure.monDecimalSeparator);
    ReadLocaleField(LOCALE_STHOUSAND, structure.thousandsSeparator);
    ReadLocaleField(LOCALE_SMONTHOUSANDSEP, structure.monThousandsSeparator);
    ReadLocaleField(LOCALE_SCURRENCY, structure.currencySymbol);
    std::string text;
    if (ReadLocaleText(LOCALE_SGROUPING, text))
        ParseGrouping(text, structure.grouping);
    if (ReadLocaleText(LOCALE_SMONGROUPING, text))
        ParseGrouping(text, structure.monGrouping);
    ReadLocaleField(LOCALE_SINTLSYMBOL, structure.intCurrencySymbol);
    ReadLocaleNumber(LOCALE_IPOSSYMPRECEDES, structure.posCurrencyPrecedes);
    ReadLocaleNumber(LOCALE_INEGSYMPRECEDES, structure.negCurrencyPrecedes);
    ReadLocaleNumber(LOCALE_IINTLCURRDIGITS, structure.intFractionDigits);
    ReadLocaleNumber(LOCALE_ICURRDIGITS, structure.fractionDigits);
    ReadLocaleField(LOCALE_SPOSITIVESIGN, structure.positiveSign);
    ReadLocaleNumber(LOCALE_IPOSSIGNPOSN, structure.posSignPosition);
    ReadLocaleNumber(LOCALE_IPOSSEPBYSPACE, structure.posSpaceSeparation);
    ReadLocaleField(LOCALE_SNEGATIVESIGN, structure.negativeSign);
    ReadLocaleNumber(LOCALE_INEGNUMBER, structure.negSignPosition);
    ReadLocaleNumber(LOCALE_INEGSEPBYSPACE, structure.negSpaceSeparation);
    ReadLocaleField(LOCALE_SDATE, structure.dateSeparator);
    if (ReadLocaleText(LOCALE_SSHORTDATE, text))
        SetDateFormatFromPicture(structure, text.c_str());
    ReadLocaleField(LOCALE_STIME, structure.timeSeparator);
    std::int32_t clock = 0;
    ReadLocaleNumber(LOCALE_ITIME, clock);
    if (clock == 1)
        ReplaceText(structure.timeFormat, structure.time24Format);
    BuildDateTimeFormat(structure);
}

void ReadProfileLocale(ZafLocaleStruct &structure)
{
    char text[128];
    if (ReadProfileText("sDecimal", text, sizeof text)) {
        SetArray(structure.decimalSeparator, text);
        SetArray(structure.monDecimalSeparator, text);
    }
    if (ReadProfileText("sThousand", text, sizeof text)) {
        SetArray(structure.thousandsSeparator, text);
        SetArray(structure.monThousandsSeparator, text);
    }
    if (ReadProfileText("sCurrency", text, sizeof text)) {
        SetArray(structure.currencySymbol, text);
        SetArray(structure.intCurrencySymbol, text); // its first 4 characters
    }
    if (ReadProfileText("sDate", text, sizeof text))
        SetArray(structure.dateSeparator, text);
    if (ReadProfileText("sTime", text, sizeof text))
        SetArray(structure.timeSeparator, text);

    static const std::int32_t currency[4][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    const UINT iCurrency = GetProfileIntA("Intl", "iCurrency", 0xFFFF);
    if (iCurrency < 4) {
        structure.posSpaceSeparation = currency[iCurrency][0];
        structure.posCurrencyPrecedes = currency[iCurrency][1];
    }
    static const std::int32_t negative[11][2] = {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 0}, {0, 0},
                                                 {0, 0}, {0, 0}, {1, 0}, {1, 1}, {1, 0}};
    const UINT iNegCurr = GetProfileIntA("Intl", "iNegCurr", 0xFFFF);
    if (iNegCurr < 11) {
        structure.negSpaceSeparation = negative[iNegCurr][0];
        structure.negCurrencyPrecedes = negative[iNegCurr][1];
    }
    const UINT digits = GetProfileIntA("Intl", "iCurrDigits", static_cast<UINT>(structure.intFractionDigits));
    structure.intFractionDigits = static_cast<std::int32_t>(digits);
    structure.fractionDigits = static_cast<std::int32_t>(digits);
    ReadLocaleNumber(LOCALE_INEGNUMBER, structure.negSignPosition);
    // Without the key the built-in date format stays.
    if (ReadProfileText("sShortDate", text, sizeof text))
        SetDateFormatFromPicture(structure, text);
    if (GetProfileIntA("Intl", "iTime", 0) == 1)
        ReplaceText(structure.timeFormat, structure.time24Format);
    BuildDateTimeFormat(structure);
}

bool ReadWindowsLocale(ZafLocaleStruct &structure)
{
    if (IsWindowsNT())
        ReadLocaleInfo(structure);
    else
        ReadProfileLocale(structure);
    return true;
}

// ---------------------------------------------------------------------------
// Language and country codes

const char *MapWindowsLanguage(const char *key)
{
    static const struct
    {
        const char *key;
        const char *code;
    } table[] = {
        {"0x01", "ar"}, {"0x02", "bg"},     {"0x03", "ca"}, {"0x04", "zh"}, {"0x05", "cs"}, {"0x06", "da"},
        {"0x07", "de"}, {"0x08", "el"},     {"0x09", "en"}, {"0x0a", "es"}, {"0x0b", "fi"}, {"0x0c", "fr"},
        {"0x0d", "iw"}, {"0x0e", "hu"},     {"0x0f", "is"}, {"0x10", "it"}, {"0x11", "ja"}, {"0x12", "ko"},
        {"0x13", "nl"}, {"0x14", "no"},     {"0x15", "pl"}, {"0x16", "pt"}, {"0x17", "rm"}, {"0x18", "ro"},
        {"0x19", "ru"}, {"0x1a", "sh"},     {"0x1b", "sk"}, {"0x1c", "sq"}, {"0x1d", "sv"}, {"0x1e", "th"},
        {"0x1f", "tr"}, {"0x20", "ur"},     {"cat", "ca"},  {"chs", "zh"},  {"cht", "zh"},  {"csy", "cs"},
        {"dan", "da"},  {"dea", "de"},      {"des", "de"},  {"deu", "de"},  {"ell", "el"},  {"eng", "en"},
        {"eni", "en"},  {"ena", "en"},      {"enc", "en"},  {"enu", "en"},  {"enz", "en"},  {"esm", "es"},
        {"esn", "es"},  {"esp", "es"},      {"ess", "es"},  {"fin", "fi"},  {"fra", "fr"},  {"frb", "fr"},
        {"frc", "fr"},  {"frs", "fr"},      {"hun", "hu"},  {"isl", "is"},  {"ita", "it"},  {"its", "it"},
        {"jpn", "ja"},  {"kor", "ko"},      {"nlb", "nl"},  {"nld", "nl"},  {"nor", "no"},  {"non", "no"},
        {"plk", "pl"},  {"ptb", "pt"},      {"ptg", "pt"},  {"rus", "ru"},  {"sky", "sk"},  {"sve", "sv"},
        {"trk", "tr"},  {nullptr, nullptr},
    };
    if (!key)
        return nullptr;
    for (int i = 0; table[i].key; i++)
        if (std::strcmp(table[i].key, key) == 0)
            return table[i].code;
    return nullptr;
}

const char *MapCountryCode(int number)
{
    static const struct
    {
        int number;
        const char *code;
    } table[] = {
        {1, "US"},  {2, "CA"},  {31, "NL"},  {32, "BE"},  {33, "FR"},  {34, "ES"},  {36, "HU"},  {38, "YU"},
        {39, "IT"}, {41, "CH"}, {42, "CZ"},  {43, "AT"},  {44, "GB"},  {45, "DK"},  {46, "SE"},  {47, "NO"},
        {48, "PL"}, {49, "DE"}, {54, "AR"},  {55, "BR"},  {61, "AU"},  {81, "JP"},  {82, "KR"},  {86, "CN"},
        {88, "TW"}, {90, "TR"}, {351, "PT"}, {354, "IS"}, {358, "FI"}, {785, "SA"}, {886, "TW"}, {972, "IL"},
    };
    for (const auto &entry : table)
        if (entry.number == number)
            return entry.code;
    return nullptr;
}

const char *GetDefaultLanguageName()
{
    static char name[ZafI18nNameSize];
    const char *environment = GetEnvironmentText("ZAF_LANG");
    if (environment && *environment) {
        CopyTextBounded(environment, name, 15);
        name[15] = '\0';
        return name;
    }
    std::string result;
    char language[20];
    if (ReadProfileText("sLanguage", language, sizeof language)) {
        if (const char *code = MapWindowsLanguage(ToLowerStringLatin1(language)))
            result = code;
    }
    if (const char *country = MapCountryCode(static_cast<int>(GetProfileIntA("Intl", "iCountry", 0))))
        result += std::string("_") + country;
    char codePage[16];
    std::snprintf(codePage, sizeof codePage, ".%u", GetACP());
    result += codePage;
    CopyTextBounded(result.c_str(), name, ZafI18nNameSize - 1);
    name[ZafI18nNameSize - 1] = '\0';
    return name[0] ? name : nullptr;
}

// ---------------------------------------------------------------------------
// The current locale

ZafData *GetI18nData(const char *name, const char *className)
{
    if (!zafDataManager || !name)
        return nullptr;
    return zafDataManager->GetData(name, className);
}

void DeleteLocale(std::uint8_t flag)
{
    if (!flag)
        return;
    if (Deletable(zafLocale))
        delete zafLocale;
    InstallLocale(nullptr);
    // A canonical locale that the data manager still holds is kept for the
    // next locale, so that resets do not pile up canonical locales there.
    if (Deletable(zafCanonicalLocale))
        delete zafCanonicalLocale;
}

namespace {
ZafLocaleData *FindLocale(const char *name)
{
    ZafData *found = GetI18nData(name, ZafLocaleData::className);
    return (found && found->IsClassID(ZafLocaleData::classID)) ? static_cast<ZafLocaleData *>(found) : nullptr;
}

void MakeCanonicalLocale()
{
    zafCanonicalLocale = new ZafLocaleData(ZafLocaleData::BuiltInLocale());
    zafCanonicalLocale->SetStringID("canonical");
}
} // namespace

void InitializeLocale(const char *name)
{
    if (zafLocale)
        return;
    RegisterStaticCleanup(DeleteLocale, nullptr, 0);
    std::uint32_t error = 0;
    if (zafDataManager && name) {
        if (ZafLocaleData *found = FindLocale(name)) {
            InstallLocale(found);
            if (!zafCanonicalLocale) {
                MakeCanonicalLocale();
                zafCanonicalLocale->AddNotification(zafDataManager, nullptr, 3);
                zafDataManager->Add(zafCanonicalLocale);
            }
        } else
            error = ZafTakePersistenceError(zafDataPersistence);
    }
    if (!zafLocale && name && *name) {
        ZafLocaleData *locale = new ZafLocaleData(ZafLocaleData::BuiltInLocale());
        ReadWindowsLocale(*locale);
        locale->SetStringID(defaultLocaleName);
        InstallLocale(locale);
    }
    if (!zafLocale) {
        ZafLocaleData *locale = new ZafLocaleData(ZafLocaleData::BuiltInLocale());
        locale->SetStringID(defaultLocaleName);
        InstallLocale(locale);
    }
    if (!zafCanonicalLocale)
        MakeCanonicalLocale();
    zafLocale->SetError(error);
}

int SetLocale(const char *name)
{
    InitializeLocale(name);
    if (zafLocale && (!name || ZafStringCompare(name, zafLocale->StringID()) == 0))
        return 0;
    if (!zafDataManager)
        return 1;
    if (zafDataPersistence)
        zafDataPersistence->AddDataConstructor(ZafLocaleData::className, ZafLocaleData::classID, ZafLocaleData::New);
    if (ZafLocaleData *found = FindLocale(name)) {
        if (found != zafLocale && Deletable(zafLocale))
            delete zafLocale;
        InstallLocale(found);
        return 0;
    }
    if (zafDataPersistence)
        zafDataPersistence->SetError(0);
    return 1;
}

// ---------------------------------------------------------------------------
// The i18n name

const char *GetI18nName()
{
    static char name[ZafI18nNameSize];
    // Every piece is appended within the buffer: a long language, locale or
    // code-set name is cut at 63 characters in all.
    std::string text = GetCurrentLanguage() ? GetCurrentLanguage() : "";
    if (zafLocale && zafLocale->StringID())
        text += std::string("_") + zafLocale->StringID();
    if (zafCodeSet && zafCodeSet->StringID())
        text += std::string(".") + zafCodeSet->StringID();
    CopyTextBounded(text.c_str(), name, ZafI18nNameSize - 1);
    name[ZafI18nNameSize - 1] = '\0';
    return name;
}

std::uint32_t SetI18n(const char *language, const char *locale, const char *codeSet)
{
    if (zafDataPersistence)
        zafDataPersistence->SetError(0);
    SetCodeSet(codeSet);
    SetCurrentLanguage(language);
    SetLocale(locale);
    if (zafLanguageManager && zafLanguageManager->Error() != 0)
        return zafLanguageManager->Error();
    if (zafLocale && zafLocale->Error() != 0)
        return zafLocale->Error();
    if (zafCodeSet && zafCodeSet->Error() != 0)
        return zafCodeSet->Error();
    return 0;
}

void InitializeI18n(const char *name)
{
    if (zafCodeSet && zafLanguageManager && zafLocale)
        return;
    if (!name)
        name = GetDefaultLanguageName();
    if (!name) {
        InitializeCodeSet(nullptr);
        CreateLanguageManager(nullptr);
        InitializeLocale(nullptr);
        return;
    }
    if (*name && zafCodeSet && zafLocale && std::strcmp(name, GetI18nName()) == 0)
        return;
    char parts[ZafI18nNameSize];
    CopyTextBounded(name, parts, ZafI18nNameSize - 1);
    parts[ZafI18nNameSize - 1] = '\0';
    const char *locale = nullptr;
    const char *codeSet = nullptr;
    if (char *dot = std::strchr(parts, '.')) {
        *dot = '\0';
        codeSet = dot + 1;
    }
    if (char *underscore = std::strchr(parts, '_')) {
        *underscore = '\0';
        locale = underscore + 1;
    }
    // A name without a language part (".1252", as Wine's empty "Intl"
    // section gives) means the default language: an empty language would
    // name no language table file at all.
    const char *language = parts[0] ? parts : defaultLanguage;
    SetI18n(language, locale, codeSet);
}

const char *ResetI18n(const char *name)
{
    const char *defaultName = GetDefaultLanguageName();
    if (!name && !defaultName)
        return GetI18nName();
    char chosen[ZafI18nNameSize];
    CopyTextBounded(name ? name : defaultName, chosen, ZafI18nNameSize - 1);
    chosen[ZafI18nNameSize - 1] = '\0';
    if (zafDataManager) {
        zafDataManager->Subtract(zafCodeSet);
        zafDataManager->Subtract(zafLanguageManager);
        zafDataManager->Subtract(zafLocale);
        DeleteCodeSet(1);
        DeleteLocale(1);
    }
    InitializeI18n(chosen);
    RunStaticCleanups(0);
    return GetI18nName();
}
