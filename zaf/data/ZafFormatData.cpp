#include "zaf/data/ZafFormatData.h"

#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafLocaleData.h"
#include "zaf/data/ZafLocaleDefaults.h"

#include <climits>
#include <cstring>
#include <initializer_list>

namespace {

ZafConversionTable<ZafPrintConversion> printTable;
ZafConversionTable<ZafScanConversion> scanTable;

// Stores a number in a float or double place; false for any other.
bool StoreInRealPlace(const ZafFormatArgument *argument, double value)
{
    if (!argument || !argument->pointer)
        return false;
    switch (argument->kind) {
    case ZafFormatArgument::floatTarget:
        *static_cast<float *>(argument->pointer) = static_cast<float>(value);
        return true;
    case ZafFormatArgument::doubleTarget:
        *static_cast<double *>(argument->pointer) = value;
        return true;
    default:
        return false;
    }
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a run of digits; a number that does not fit an int gives -1.
int ReadNumber(const char *&format)
{
    long long value = 0;
    bool overflow = false;
    while (IsDigit(*format)) {
        value = value * 10 + (*format++ - '0');
        if (value > INT_MAX) {
            overflow = true;
            value = 0;
        }
    }
    return overflow ? -1 : static_cast<int>(value);
}

// A copy of the format line with 'Z' inserted after its first '%', so that
// the conversion takes the data object as its argument. The line has at most
// 63 characters, so the result fits formatLineSize + 1 bytes.
void InsertDataFlag(char *target, const char *line)
{
    const char *percent = std::strchr(line, '%');
    std::size_t head = static_cast<std::size_t>(percent - line) + 1;
    std::memcpy(target, line, head);
    target[head] = 'Z';
    std::strcpy(target + head + 1, percent + 1);
}

} // namespace

// ---- Arguments -------------------------------------------------------------

const ZafFormatArgument *ZafFormatArguments::Next()
{
    if (position >= count)
        return nullptr;
    return &list[position++];
}

long long ZafFormatArguments::NextInteger()
{
    const ZafFormatArgument *argument = Next();
    if (!argument)
        return 0;
    if (argument->kind == ZafFormatArgument::integer)
        return argument->integerValue;
    if (argument->kind == ZafFormatArgument::real)
        return static_cast<long long>(argument->realValue);
    return 0;
}

double ZafFormatArguments::NextReal()
{
    const ZafFormatArgument *argument = Next();
    if (!argument)
        return 0.0;
    if (argument->kind == ZafFormatArgument::real)
        return argument->realValue;
    if (argument->kind == ZafFormatArgument::integer)
        return static_cast<double>(argument->integerValue);
    return 0.0;
}

const char *ZafFormatArguments::NextText()
{
    const ZafFormatArgument *argument = Next();
    return argument && argument->kind == ZafFormatArgument::text ? argument->textValue : nullptr;
}

char *ZafFormatArguments::NextTextTarget()
{
    const ZafFormatArgument *argument = Next();
    return argument && argument->kind == ZafFormatArgument::text ? argument->textTarget : nullptr;
}

ZafFormatData *ZafFormatArguments::NextData()
{
    const ZafFormatArgument *argument = Next();
    return argument && argument->kind == ZafFormatArgument::data ? argument->dataValue : nullptr;
}

bool ZafFormatArguments::StoreInteger(long value)
{
    const ZafFormatArgument *argument = Next();
    if (!argument || !argument->pointer)
        return false;
    switch (argument->kind) {
    case ZafFormatArgument::int16Target:
        *static_cast<std::int16_t *>(argument->pointer) = static_cast<std::int16_t>(value);
        return true;
    case ZafFormatArgument::int32Target:
        *static_cast<std::int32_t *>(argument->pointer) = static_cast<std::int32_t>(value);
        return true;
    default:
        return StoreInRealPlace(argument, static_cast<double>(value));
    }
}

bool ZafFormatArguments::StoreReal(double value)
{
    return StoreInRealPlace(Next(), value);
}

// ---- Output ----------------------------------------------------------------

void ZafPrintOutput::Put(char c)
{
    if (count < size - 1)
        buffer[count] = c;
    count++;
}

void ZafPrintOutput::Put(const char *text, int length)
{
    if (!text)
        return;
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length; i++)
        Put(text[i]);
}

void ZafPrintOutput::PutRepeated(char c, long long repeat)
{
    for (; repeat > 0 && count < size - 1; repeat--)
        Put(c);
    if (repeat > 0)
        count += repeat;
}

void ZafPrintOutput::Terminate()
{
    if (size > 0)
        buffer[count < size - 1 ? count : size - 1] = '\0';
}

// ---- Tables ----------------------------------------------------------------

bool ZafFormatData::RegisterPrintConversion(char letter, ZafPrintConversion function)
{
    return printTable.Register(letter, function);
}

bool ZafFormatData::RegisterScanConversion(char letter, ZafScanConversion function)
{
    return scanTable.Register(letter, function);
}

bool ZafFormatData::IsBlank(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return u == ' ' || (u >= '\t' && u <= '\r') || u == 0xA0;
}

const char *ZafFormatData::NextFormatLine(char *line, const char *format)
{
    line[0] = '\0';
    if (!format || !*format)
        return nullptr;
    int length = 0;
    const char *end = format;
    while (*end && *end != '\n')
        end++;
    // A line longer than the buffer is cut: the buffer is never overrun.
    for (const char *c = format; c < end && length < formatLineSize - 1; c++)
        line[length++] = *c;
    line[length] = '\0';
    return *end == '\n' ? end + 1 : nullptr;
}

// ---- Print engine ------------------------------------------------------------

int ZafFormatData::PrintFormatted(char *buffer, int size, const char *format, ZafFormatArguments &arguments)
{
    ZafPrintOutput output(buffer, size);
    if (!format) {
        output.Terminate();
        return 0;
    }
    while (*format) {
        if (*format != '%') {
            output.Put(*format++);
            continue;
        }
        format++;
        unsigned flags = 0;
        int width = 0;
        int precision = -1;
        bool done = false;
        while (!done) {
            char c = *format;
            if (c == '\0') {
                output.Terminate();
                return output.Count();
            }
            format++;
            switch (c) {
            case ' ':
                if (!(flags & ZAF_PRINT_PLUS))
                    flags |= ZAF_PRINT_BLANK;
                break;
            case '+':
                flags = (flags | ZAF_PRINT_PLUS) & ~ZAF_PRINT_BLANK;
                break;
            case '#':
                flags |= ZAF_PRINT_ALTERNATE;
                break;
            case '-':
                flags |= ZAF_PRINT_LEFT;
                break;
            case '0':
                flags |= ZAF_PRINT_ZERO;
                break;
            case 'L':
                flags |= ZAF_PRINT_LONG_DOUBLE;
                break;
            case 'l':
                flags |= ZAF_PRINT_LONG;
                break;
            case 'q':
                flags |= ZAF_PRINT_QUAD;
                break;
            case 'h':
                flags |= ZAF_PRINT_SHORT;
                break;
            case 'a':
                flags |= ZAF_PRINT_ALT_DIGITS;
                break;
            case '$':
                flags |= ZAF_PRINT_CURRENCY;
                break;
            case '@':
                flags |= ZAF_PRINT_PARENTHESES;
                break;
            case ',':
                flags |= ZAF_PRINT_GROUPING;
                break;
            case 'Z':
                flags |= ZAF_PRINT_DATA;
                break;
            case '1':
            case '2':
            case '3':
            case '4':
            case '5':
            case '6':
            case '7':
            case '8':
            case '9':
                format--;
                width = ReadNumber(format);
                if (width < 0)
                    width = INT_MAX;
                break;
            case '*': {
                long long value = arguments.NextInteger();
                if (value < 0) {
                    flags |= ZAF_PRINT_LEFT;
                    value = -value;
                }
                width = value > INT_MAX ? INT_MAX : static_cast<int>(value);
                break;
            }
            case '.':
                if (*format == '*') {
                    format++;
                    long long value = arguments.NextInteger();
                    precision = value < 0 ? -1 : value > INT_MAX ? INT_MAX : static_cast<int>(value);
                } else
                    precision = ReadNumber(format);
                break;
            case 'n': {
                long long stored = output.Count();
                if (flags & ZAF_PRINT_SHORT)
                    stored = static_cast<std::int16_t>(stored);
                // With 'Z' the only argument is the data object: nothing is stored.
                if (!(flags & ZAF_PRINT_DATA))
                    arguments.StoreInteger(static_cast<long>(stored));
                done = true;
                break;
            }
            default:
                if (ZafPrintConversion function = printTable.Find(c))
                    function(arguments, output, c, flags, width, precision);
                else
                    output.Put(c);
                done = true;
                break;
            }
        }
    }
    output.Terminate();
    return output.Count();
}

// ---- Scan engine -------------------------------------------------------------

int ZafFormatData::ScanFormatted(const char *text, const char *format, ZafFormatArguments &arguments)
{
    if (!text || !format)
        return 0;
    const char *start = text;
    int assigned = 0;
    while (*format) {
        char c = *format++;
        if (IsBlank(c)) {
            while (IsBlank(*text))
                text++;
            continue;
        }
        if (c != '%') {
            if (*text != c)
                return assigned;
            text++;
            continue;
        }
        unsigned flags = 0;
        int width = 0;
        for (;;) {
            c = *format;
            if (c == '\0')
                return -1;
            format++;
            if (c == '*')
                flags |= ZAF_SCAN_SUPPRESS;
            else if (c == 'l')
                flags |= ZAF_SCAN_LONG;
            else if (c == 'h')
                flags |= ZAF_SCAN_SHORT;
            else if (c == 'L')
                flags |= ZAF_SCAN_LONG_DOUBLE;
            else if (c == '$')
                flags |= ZAF_SCAN_CURRENCY;
            else if (c == '@')
                flags |= ZAF_SCAN_PARENTHESES;
            else if (c == ',')
                flags |= ZAF_SCAN_GROUPING;
            else if (c == 'Z')
                flags |= ZAF_SCAN_DATA;
            else if (c == '+' || c == '-')
                continue;
            else if (IsDigit(c)) {
                format--;
                width = ReadNumber(format);
                if (width < 0)
                    width = INT_MAX;
            } else if (c == '.') {
                if (*format == '*')
                    format++;
                else
                    ReadNumber(format);
                width = 0;
            } else
                break;
        }
        if (c == '%') {
            if (*text != '%')
                return assigned;
            text++;
            continue;
        }
        if (c == 'n') {
            // With 'Z' the only argument is the data object: nothing is stored.
            if (!(flags & (ZAF_SCAN_SUPPRESS | ZAF_SCAN_DATA))) {
                long consumed = static_cast<long>(text - start);
                arguments.StoreInteger(flags & ZAF_SCAN_SHORT ? static_cast<std::int16_t>(consumed) : consumed);
            }
            continue;
        }
        ZafScanConversion function = scanTable.Find(c);
        if (!function)
            return assigned;
        int result = function(arguments, text, c, flags, width, format);
        if (result < 0)
            return assigned;
        assigned += result;
    }
    return assigned;
}

// ---- The data object -----------------------------------------------------------

ZafFormatData::ZafFormatData(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence);
}

bool ZafFormatData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafFormatData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafFormatData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::dataEntry);
}

// ---- One data object -----------------------------------------------------------

void ZafFormatData::RegisterLetters(bool &registered, const char *printLetters, ZafPrintConversion print,
                                    const char *scanLetters, ZafScanConversion scan)
{
    if (registered)
        return;
    registered = true;
    InitializeI18n(nullptr);
    for (const char *letter = printLetters; *letter; letter++)
        RegisterPrintConversion(*letter, print);
    for (const char *letter = scanLetters; *letter; letter++)
        RegisterScanConversion(*letter, scan);
}

int ZafFormatData::ScanNumberText(const char *text, const char *format, const char *defaultFormat)
{
    StartUpdate();
    if (!text || !*text)
        Clear();
    else
        SetError(ScanText(text, format && *format ? format : defaultFormat) > 0 ? ZafError::None
                                                                                : ZafError::InvalidText);
    int result = static_cast<int>(Error());
    EndUpdate();
    return result;
}

// A text longer than the maximum length is cut there rather than written on
// past it: the caller's buffer holds maximum length + 1 bytes and no more.
int ZafFormatData::FormatText(char *buffer, int maxLength, const char *format)
{
    if (!buffer)
        return 0;
    if (maxLength < 0)
        maxLength = 0;
    char line[formatLineSize];
    NextFormatLine(line, format);
    int length;
    if (!std::strchr(line, '%')) {
        ZafPrintOutput output(buffer, maxLength + 1);
        output.Put(line);
        output.Terminate();
        length = output.Count();
    } else {
        char dataLine[formatLineSize + 1];
        InsertDataFlag(dataLine, line);
        const ZafFormatArgument list[] = {ZafFormatArgument(this)};
        ZafFormatArguments arguments(list, 1);
        length = PrintFormatted(buffer, maxLength + 1, dataLine, arguments);
    }
    return length > maxLength ? 0 : length;
}

int ZafFormatData::ScanText(const char *text, const char *formats)
{
    if (!text)
        return 0;
    char line[formatLineSize];
    char dataLine[formatLineSize + 1];
    const char *rest = formats;
    do {
        rest = NextFormatLine(line, rest);
        if (!line[0])
            break;
        if (!std::strchr(line, '%'))
            continue;
        InsertDataFlag(dataLine, line);
        const ZafFormatArgument list[] = {ZafFormatArgument(this)};
        ZafFormatArguments arguments(list, 1);
        int result = ScanFormatted(text, dataLine, arguments);
        if (result != 0)
            return result;
    } while (rest);
    return 0;
}

// ---- Numbers -------------------------------------------------------------------

void ZafFormatData::PutNumber(ZafPrintOutput &output, const char *prefix, const char *digits, bool negative,
                              unsigned flags, int width, int precision)
{
    const ZafNumberConventions &locale = ZafLocaleDefaults::Current();
    const char *sign = negative ? locale.negativeSign : (flags & ZAF_PRINT_PLUS) ? locale.positiveSign : "";
    int position = negative ? locale.negSignPosition : locale.posSignPosition;
    if (negative && (flags & ZAF_PRINT_PARENTHESES))
        position = 0;

    // The pieces around the digits: A, leading currency and blank, B, the
    // digits, C, trailing blank and currency, D.
    const char *a = "", *b = "", *c = "", *d = "";
    switch (position) {
    case 0:
        if (negative) {
            a = locale.leftParen;
            d = locale.rightParen;
        } else
            a = b = " ";
        break;
    case 1:
        a = sign;
        break;
    case 2:
        b = sign;
        break;
    case 3:
        c = sign;
        break;
    case 4:
        d = sign;
        break;
    default:
        break;
    }
    const char *leadCurrency = "", *leadBlank = "", *trailBlank = "", *trailCurrency = "";
    if (flags & ZAF_PRINT_CURRENCY) {
        bool precedes = (negative ? locale.negCurrencyPrecedes : locale.posCurrencyPrecedes) != 0;
        bool spaced = (negative ? locale.negSpaceSeparation : locale.posSpaceSeparation) != 0;
        (precedes ? leadCurrency : trailCurrency) = locale.currencySymbol;
        if (spaced)
            (precedes ? leadBlank : trailBlank) = " ";
    }

    long long length = 0;
    for (const char *piece : {prefix, digits, a, b, c, d})
        length += piece ? std::strlen(piece) : 0;
    long long padded = precision > length ? precision : length;
    bool left = (flags & ZAF_PRINT_LEFT) != 0;
    bool zero = (flags & ZAF_PRINT_ZERO) && !left;

    if (!left && !zero)
        output.PutRepeated(' ', width - padded);
    output.Put(a);
    output.Put(leadCurrency);
    output.Put(leadBlank);
    output.Put(b);
    output.Put(prefix);
    if (zero)
        output.PutRepeated('0', width - length);
    output.PutRepeated('0', precision - length);
    output.Put(digits);
    if (left)
        output.PutRepeated(' ', width - padded);
    output.Put(c);
    output.Put(trailBlank);
    output.Put(trailCurrency);
    output.Put(d);
}
