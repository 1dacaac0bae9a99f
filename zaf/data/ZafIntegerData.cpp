#include "zaf/data/ZafIntegerData.h"

#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLocaleDefaults.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::int32_t Wrap(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Decimal digits from a locale digit table: ten digits, then up to nine
// place characters (ten, hundred, ... 10^9). A value below 10^(k+1), where k
// place characters are given, or any value when all nine are given, is
// written in place-value form (each non-zero digit followed by the character
// of its place); other values positionally.
std::string DecimalDigits(std::uint32_t value, const char *table)
{
    std::size_t tableLength = table ? std::strlen(table) : 0;
    if (tableLength < 10) {
        table = "0123456789";
        tableLength = 10;
    }
    std::size_t places = tableLength - 10 > 9 ? 9 : tableLength - 10;
    if (value == 0)
        return std::string(1, table[0]);

    int digit[10];
    int count = 0;
    for (std::uint32_t rest = value; rest; rest /= 10)
        digit[count++] = static_cast<int>(rest % 10);

    std::uint64_t limit = 10;
    for (std::size_t i = 0; i < places; i++)
        limit *= 10;
    std::string text;
    if (places == 9 || value < limit) {
        for (int place = count - 1; place >= 1; place--) {
            if (digit[place] == 0)
                continue;
            bool leadingHundredOne = place == 2 && place == count - 1 && digit[place] == 1;
            if (!leadingHundredOne)
                text += table[digit[place]];
            text += table[10 + place - 1];
        }
        if (digit[0] != 0)
            text += table[digit[0]];
    } else {
        for (int place = count - 1; place >= 0; place--)
            text += table[digit[place]];
    }
    return text;
}

std::string RadixDigits(std::uint32_t value, unsigned radix, const char *table)
{
    if (value == 0)
        return "0";
    std::string text;
    for (; value; value /= radix)
        text.insert(text.begin(), table[value % radix]);
    return text;
}

bool IsDigitOf(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0' < base;
    if (base == 16)
        return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return false;
}

} // namespace

ZafIntegerData::ZafIntegerData()
{
    RegisterConversions();
}

ZafIntegerData::ZafIntegerData(std::int32_t value) : value(value)
{
    RegisterConversions();
}

ZafIntegerData::ZafIntegerData(const ZafIntegerData &other) : ZafFormatData(other), value(other.value)
{
    RegisterConversions();
}

ZafIntegerData::ZafIntegerData(const char *name, ZafDataPersistence &persistence)
    : ZafFormatData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    RegisterConversions();
    ZafReadLevel(*this, persistence, [this](ZafFile &file) {
        // A record cut short is a read error, not a value made of what was there.
        std::int32_t stored = 0;
        ZafReadWhole(file, stored);
        if (file.Error() == 0)
            value = stored;
    });
}

ZafElement *ZafIntegerData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafIntegerData(name, persistence);
}

bool ZafIntegerData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafFormatData::IsClassID(id);
}

bool ZafIntegerData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafFormatData::IsClassName(name);
}

std::uint32_t ZafIntegerData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafFormatData>(*this, persistence, ZafDataPersistence::dataEntry,
                                        [this](ZafFile &file) { file.Write32(value); });
}

void ZafIntegerData::Clear()
{
    StartUpdate();
    value = 0;
    SetError(0);
    EndUpdate();
}

int ZafIntegerData::SetValue(std::int32_t newValue)
{
    StartUpdate();
    value = newValue;
    EndUpdate();
    return 0;
}

int ZafIntegerData::SetIntegerData(const ZafIntegerData &other)
{
    return SetValue(other.value);
}

ZafIntegerData &ZafIntegerData::AssignFrom(const ZafIntegerData &other)
{
    SetValue(other.value);
    return *this;
}

ZafIntegerData &ZafIntegerData::AddValue(std::int32_t amount)
{
    SetValue(Wrap(static_cast<std::int64_t>(value) + amount));
    return *this;
}

ZafIntegerData &ZafIntegerData::SubtractValue(std::int32_t amount)
{
    SetValue(Wrap(static_cast<std::int64_t>(value) - amount));
    return *this;
}

int ZafIntegerData::SetFormattedText(const char *text, const char *format)
{
    return ScanNumberText(text, format, ZafLocaleDefaults::Current().integerScanFormat);
}

int ZafIntegerData::FormattedText(char *buffer, int maxLength, const char *format)
{
    return FormatText(buffer, maxLength, format ? format : ZafLocaleDefaults::Current().integerPrintFormat);
}

void ZafIntegerData::RegisterConversions()
{
    static bool registered = false;
    RegisterLetters(registered, "diouxX", PrintConversion, "dDioOuxX", ScanConversion);
}

void ZafIntegerData::PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                     int width, int precision)
{
    bool isSigned = letter == 'd' || letter == 'i';
    std::int64_t number;
    if (flags & ZAF_PRINT_DATA) {
        auto *data = dynamic_cast<ZafIntegerData *>(arguments.NextData());
        if (!data)
            return;
        number = data->value;
    } else {
        long long argument = arguments.NextInteger();
        bool shortValue = (flags & ZAF_PRINT_SHORT) && !(flags & ZAF_PRINT_LONG);
        if (shortValue)
            number = isSigned ? static_cast<std::int16_t>(argument) : static_cast<std::uint16_t>(argument);
        else
            number = static_cast<std::int32_t>(argument);
    }
    bool negative = isSigned && number < 0;
    std::uint32_t magnitude = negative ? static_cast<std::uint32_t>(-number) : static_cast<std::uint32_t>(number);

    std::string digits;
    const char *prefix = "";
    if (precision == 0 && magnitude == 0)
        digits = "";
    else if (letter == 'o')
        digits = RadixDigits(magnitude, 8, "01234567");
    else if (letter == 'x' || letter == 'X')
        digits = RadixDigits(magnitude, 16, letter == 'x' ? "0123456789abcdefx" : "0123456789ABCDEFX");
    else {
        const ZafNumberConventions &locale = ZafLocaleDefaults::Current();
        digits = DecimalDigits(magnitude, (flags & ZAF_PRINT_ALT_DIGITS) ? locale.altDigits : locale.digits);
    }
    if (flags & ZAF_PRINT_ALTERNATE) {
        if (letter == 'o' && (digits.empty() || digits[0] != '0'))
            digits.insert(digits.begin(), '0');
        else if ((letter == 'x' || letter == 'X') && magnitude != 0)
            prefix = letter == 'x' ? "0x" : "0X";
    }
    if (precision >= 0)
        flags &= ~ZAF_PRINT_ZERO;
    PutNumber(output, prefix, digits.c_str(), negative, flags, width, precision);
}

int ZafIntegerData::ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags,
                                   int width, const char *&format)
{
    if (width <= 0 || width >= 40)
        width = 39;
    bool isSigned = letter == 'd' || letter == 'D' || letter == 'i';
    int base = letter == 'i' ? 0 : (letter == 'o' || letter == 'O') ? 8 : (letter == 'x' || letter == 'X') ? 16 : 10;

    const char *p = text;
    while (IsBlank(*p))
        p++;
    bool parenthesis = *p == '(';
    if (parenthesis)
        p++;

    char collected[40];
    int length = 0;
    if (*p == '+' || *p == '-')
        collected[length++] = *p++;
    bool hexPrefix = p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && IsDigitOf(p[2], 16);
    int digitBase = base;
    if (base == 0)
        digitBase = hexPrefix ? 16 : p[0] == '0' ? 8 : 10;
    if (digitBase == 16 && hexPrefix && length + 2 < width) {
        collected[length++] = *p++;
        collected[length++] = *p++;
    }
    int digits = 0;
    while (length < width && IsDigitOf(*p, digitBase)) {
        collected[length++] = *p++;
        digits++;
    }
    collected[length] = '\0';
    if (digits == 0)
        return -1;
    if (parenthesis && *p == ')')
        p++;
    else if (!IsBlank(*p) && *p != *format)
        return -1;

    std::int32_t number = isSigned ? static_cast<std::int32_t>(std::strtol(collected, nullptr, base))
                                   : static_cast<std::int32_t>(std::strtoul(collected, nullptr, base));
    if (parenthesis)
        number = Wrap(-static_cast<std::int64_t>(number));
    text = p;

    if (flags & ZAF_SCAN_SUPPRESS)
        return 0;
    if (flags & ZAF_SCAN_DATA) {
        auto *data = dynamic_cast<ZafIntegerData *>(arguments.NextData());
        if (!data)
            return 0;
        data->value = number;
        return 1;
    }
    if (flags & ZAF_SCAN_SHORT)
        number = static_cast<std::int16_t>(number);
    return arguments.StoreInteger(number) ? 1 : 0;
}
