#include "zaf/data/ZafRealData.h"

#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLocaleDefaults.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr int maxPrecision = 24;

// Exponents get at least two digits and no more leading zeros than that,
// whatever the C library's own habit.
void NormalizeExponent(std::string &text)
{
    std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos || e + 1 >= text.size())
        return;
    std::size_t digits = e + 2; // after the exponent's sign
    while (text.size() - digits > 2 && text[digits] == '0')
        text.erase(digits, 1);
}

// The length of the locale text at p (0 when p does not start with it).
std::size_t Match(const char *p, const char *localeText)
{
    std::size_t length = localeText ? std::strlen(localeText) : 0;
    return length && std::strncmp(p, localeText, length) == 0 ? length : 0;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// An optional sign: the locale's sign texts or '+' / '-'.
void ScanSign(const char *&p, std::string &collected, const ZafNumberConventions &locale)
{
    std::size_t length;
    if ((length = Match(p, locale.negativeSign)) != 0) {
        collected += '-';
        p += length;
    } else if ((length = Match(p, locale.positiveSign)) != 0) {
        collected += '+';
        p += length;
    } else if (*p == '+' || *p == '-')
        collected += *p++;
}

} // namespace

namespace {
// The value of a file text written for an infinity or NaN: the print
// engine's words for them, which scanning does not accept.
bool NonFiniteFromFileText(const char *text, double &value)
{
    if (!text)
        return false;
    if (std::strcmp(text, "+Inf") == 0)
        value = std::numeric_limits<double>::infinity();
    else if (std::strcmp(text, "-Inf") == 0)
        value = -std::numeric_limits<double>::infinity();
    else if (std::strcmp(text, "NaN") == 0)
        value = std::numeric_limits<double>::quiet_NaN();
    else
        return false;
    return true;
}
} // namespace

ZafRealData::ZafRealData()
{
    RegisterConversions();
}

ZafRealData::ZafRealData(double value) : value(value)
{
    RegisterConversions();
}

ZafRealData::ZafRealData(const ZafRealData &other) : ZafFormatData(other), value(other.value)
{
    RegisterConversions();
}

ZafRealData::ZafRealData(const char *name, ZafDataPersistence &persistence)
    : ZafFormatData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    RegisterConversions();
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadData(file); });
}

void ZafRealData::ReadData(ZafFile &file)
{
    char *text = nullptr;
    file.ReadString(&text);
    double special;
    if (file.Error() == 0 && NonFiniteFromFileText(text, special))
        SetValue(special);
    else if (file.Error() == 0) {
        ZafCanonicalLocaleScope canonical;
        // "%f" scans every form a real takes, the exponent form included.
        SetFormattedText(text, "%f");
    }
    delete[] text;
}

ZafElement *ZafRealData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafRealData(name, persistence);
}

bool ZafRealData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafFormatData::IsClassID(id);
}

bool ZafRealData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafFormatData::IsClassName(name);
}

int ZafRealData::FileText(double number, char *buffer, int size)
{
    // Six places of "%f" in 32 bytes lost small values (1e-7 became 0) and
    // overflowed from 1e24 on: the shortest exact "%g" form is used instead.
    ZafCanonicalLocaleScope canonical;
    ZafRealData probe;
    int length = 0;
    for (int digits = 15; digits <= 17; digits++) {
        char format[8];
        std::snprintf(format, sizeof format, "%%.%dg", digits);
        probe.SetValue(number);
        length = probe.FormatText(buffer, size - 1, format);
        ZafRealData back;
        if (back.ScanText(buffer, "%f") > 0 && back.value == number)
            break;
    }
    return length;
}

std::uint32_t ZafRealData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafFormatData>(*this, persistence, ZafDataPersistence::dataEntry, [this](ZafFile &file) {
        char text[64];
        FileText(value, text, sizeof text);
        file.WriteString(text);
    });
}

void ZafRealData::Clear()
{
    StartUpdate();
    value = 0.0;
    SetError(0);
    EndUpdate();
}

int ZafRealData::SetValue(double newValue)
{
    StartUpdate();
    value = newValue;
    EndUpdate();
    return 0;
}

int ZafRealData::SetRealData(const ZafRealData &other)
{
    return SetValue(other.value);
}

ZafRealData &ZafRealData::AssignFrom(const ZafRealData &other)
{
    SetValue(other.value);
    return *this;
}

ZafRealData &ZafRealData::AddValue(double amount)
{
    SetValue(value + amount);
    return *this;
}

ZafRealData &ZafRealData::SubtractValue(double amount)
{
    SetValue(value - amount);
    return *this;
}

int ZafRealData::SetFormattedText(const char *text, const char *format)
{
    return ScanNumberText(text, format, ZafLocaleDefaults::Current().realScanFormat);
}

int ZafRealData::FormattedText(char *buffer, int maxLength, const char *format)
{
    return FormatText(buffer, maxLength, format ? format : ZafLocaleDefaults::Current().realPrintFormat);
}

void ZafRealData::RegisterConversions()
{
    static bool registered = false;
    RegisterLetters(registered, "efgEFG", PrintConversion, "efgEFG", ScanConversion);
}

void ZafRealData::PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                  int width, int precision)
{
    double number;
    if (flags & ZAF_PRINT_DATA) {
        auto *data = dynamic_cast<ZafRealData *>(arguments.NextData());
        if (!data)
            return;
        number = data->value;
    } else
        number = arguments.NextReal();

    if (std::isnan(number)) {
        output.Put("NaN");
        return;
    }
    if (std::isinf(number)) {
        output.Put(number > 0 ? "+Inf" : "-Inf");
        return;
    }

    bool general = letter == 'g' || letter == 'G';
    bool alternate = (flags & ZAF_PRINT_ALTERNATE) != 0;
    if (precision < 0)
        precision = 6;
    int extraZeros = 0;
    if (precision > maxPrecision) {
        extraZeros = general && !alternate ? 0 : precision - maxPrecision;
        precision = maxPrecision;
    }

    // The largest double has 309 integer digits; with 24 places, the point,
    // and an exponent the text stays well inside 400 bytes.
    char conversion[8];
    char form = letter == 'F' ? 'f' : letter;
    std::snprintf(conversion, sizeof conversion, alternate ? "%%#.*%c" : "%%.*%c", form);
    char digits[400];
    std::snprintf(digits, sizeof digits, conversion, precision, std::fabs(number));
    std::string text(digits);
    NormalizeExponent(text);

    std::size_t mantissaEnd = text.find_first_of("eE");
    if (mantissaEnd == std::string::npos)
        mantissaEnd = text.size();
    if (extraZeros > 0)
        text.insert(mantissaEnd, static_cast<std::size_t>(extraZeros), '0');
    // A negative value whose printed digits are all zero prints no sign.
    bool negative = number < 0 && text.find_first_of("123456789") < mantissaEnd;

    const ZafNumberConventions &locale = ZafLocaleDefaults::Current();
    const char *point = (flags & ZAF_PRINT_CURRENCY) ? locale.monDecimalSeparator : locale.decimalSeparator;
    std::size_t dot = text.find('.');
    if (dot != std::string::npos)
        text.replace(dot, 1, point ? point : ".");
    PutNumber(output, "", text.c_str(), negative, flags, width, -1);
}

int ZafRealData::ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags,
                                int width, const char *&format)
{
    if (width <= 0 || width >= 350)
        width = 349;
    const ZafNumberConventions &locale = ZafLocaleDefaults::Current();
    std::size_t limit = static_cast<std::size_t>(width);

    const char *p = text;
    while (IsBlank(*p))
        p++;
    bool parenthesis = *p == '(';
    if (parenthesis)
        p++;

    std::string collected;
    ScanSign(p, collected, locale);
    int digits = 0;
    while (collected.size() < limit && IsDigit(*p)) {
        collected += *p++;
        digits++;
    }
    std::size_t pointLength = Match(p, locale.decimalSeparator);
    if (pointLength && collected.size() < limit) {
        collected += '.';
        p += pointLength;
        while (collected.size() < limit && IsDigit(*p)) {
            collected += *p++;
            digits++;
        }
    }
    if (digits == 0)
        return -1;
    if ((*p == 'e' || *p == 'E') && collected.size() < limit) {
        // An exponent letter without digits after it is given back.
        const char *mark = p;
        std::size_t keep = collected.size();
        collected += 'e';
        p++;
        ScanSign(p, collected, locale);
        int exponentDigits = 0;
        while (collected.size() < limit && IsDigit(*p)) {
            collected += *p++;
            exponentDigits++;
        }
        if (exponentDigits == 0) {
            p = mark;
            collected.resize(keep);
        }
    }
    if (parenthesis && *p == ')')
        p++;
    else if (!IsBlank(*p) && *p != *format)
        return -1;

    double number = std::strtod(collected.c_str(), nullptr);
    if (parenthesis)
        number = -number;
    text = p;

    if (flags & ZAF_SCAN_SUPPRESS)
        return 0;
    if (flags & ZAF_SCAN_DATA) {
        auto *data = dynamic_cast<ZafRealData *>(arguments.NextData());
        if (!data)
            return 0;
        data->value = number;
        return 1;
    }
    // "e", "f", "g" and "G" without 'l' deliver a float's precision.
    if (!(letter == 'E' || letter == 'F' || (flags & ZAF_SCAN_LONG)))
        number = static_cast<float>(number);
    return arguments.StoreReal(number) ? 1 : 0;
}
