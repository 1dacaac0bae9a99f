// ZafFormatData: the base of the data objects that print themselves to text
// and scan themselves from text (string, integer, real and time data), and
// the printf-like print engine and scanf-like scan engine they share.
//
// The engines know no conversion letter of their own: each data class
// registers its letters (ZafStringData "c" "s" / "s" "c" "[", ZafIntegerData
// "d" "i" "o" "u" "x" "X" / "d" "D" "i" "o" "O" "u" "x" "X", ZafRealData
// "e" "f" "g" "E" "F" "G") in two process-wide tables of at most 40 letters;
// the first registration of a letter wins. The library's extra flags:
// 'a' alternative digits, '$' monetary form, '@' parentheses for negative
// numbers, 'Z' the argument is a data object. Print and scan flags have
// different values for the same letters (see the two flag sets below).
//
// Arguments travel as a typed list (ZafFormatArguments), so that a format
// that asks for more or other arguments than were given reads a zero, a null
// text or no target, never foreign memory. The print engine writes into a
// buffer of known size and always terminates it.
//
// A format text may hold several lines (separated by '\n'): FormatText prints
// through the first, ScanText tries each in turn. A format line holds at most
// 63 characters; a longer line is cut.
#pragma once

#include <cstdint>
#include <type_traits>

#include "zaf/data/ZafData.h"

class ZafFormatData;

// Print flags (the flag letters between a "%" and its conversion letter).
enum : unsigned {
    ZAF_PRINT_ALTERNATE = 0x0001,   // '#'
    ZAF_PRINT_LEFT = 0x0004,        // '-'
    ZAF_PRINT_LONG_DOUBLE = 0x0008, // 'L'
    ZAF_PRINT_LONG = 0x0010,        // 'l'
    ZAF_PRINT_QUAD = 0x0020,        // 'q'
    ZAF_PRINT_SHORT = 0x0040,       // 'h'
    ZAF_PRINT_ZERO = 0x0080,        // '0'
    ZAF_PRINT_ALT_DIGITS = 0x0100,  // 'a'
    ZAF_PRINT_CURRENCY = 0x0200,    // '$'
    ZAF_PRINT_PARENTHESES = 0x0400, // '@'
    ZAF_PRINT_GROUPING = 0x0800,    // ','
    ZAF_PRINT_BLANK = 0x1000,       // ' '
    ZAF_PRINT_PLUS = 0x2000,        // '+'
    ZAF_PRINT_DATA = 0x4000,        // 'Z'
};

// Scan flags (the flag letters between a "%" and its conversion letter).
enum : unsigned {
    ZAF_SCAN_LONG = 0x0001,        // 'l'
    ZAF_SCAN_SHORT = 0x0002,       // 'h'
    ZAF_SCAN_SUPPRESS = 0x0004,    // '*'
    ZAF_SCAN_LONG_DOUBLE = 0x0008, // 'L'
    ZAF_SCAN_CURRENCY = 0x0200,    // '$'
    ZAF_SCAN_PARENTHESES = 0x0400, // '@'
    ZAF_SCAN_GROUPING = 0x0800,    // ','
    ZAF_SCAN_DATA = 0x4000,        // 'Z'
};

// One argument of a print or scan: a value to print or a place to store.
class ZafFormatArgument
{
public:
    enum Kind { none, integer, real, text, data, int16Target, int32Target, floatTarget, doubleTarget };

    ZafFormatArgument() = default;
    ZafFormatArgument(int value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(unsigned value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(long value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(unsigned long value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(short value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(unsigned short value) : kind(integer), integerValue(value) {}
    ZafFormatArgument(char value) : kind(integer), integerValue(static_cast<unsigned char>(value)) {}
    ZafFormatArgument(double value) : kind(real), realValue(value) {}
    ZafFormatArgument(float value) : kind(real), realValue(value) {}
    ZafFormatArgument(const char *value) : kind(text), textValue(value) {}
    // A text buffer: printed as a text, or the target of a text scan.
    ZafFormatArgument(char *value) : kind(text), textValue(value), textTarget(value) {}
    ZafFormatArgument(std::nullptr_t) : kind(text) {}
    ZafFormatArgument(short *target) : kind(int16Target), pointer(target) {}
    ZafFormatArgument(unsigned short *target) : kind(int16Target), pointer(target) {}
    ZafFormatArgument(int *target) : kind(int32Target), pointer(target) {}
    ZafFormatArgument(unsigned *target) : kind(int32Target), pointer(target) {}
    ZafFormatArgument(long *target) : kind(int32Target), pointer(target) {}
    ZafFormatArgument(float *target) : kind(floatTarget), pointer(target) {}
    ZafFormatArgument(double *target) : kind(doubleTarget), pointer(target) {}
    template <class T, class = std::enable_if_t<std::is_base_of<ZafFormatData, T>::value>>
    ZafFormatArgument(T *object) : kind(data), dataValue(object)
    {}

    Kind kind = none;
    long long integerValue = 0;
    double realValue = 0.0;
    const char *textValue = nullptr;
    char *textTarget = nullptr;
    void *pointer = nullptr;
    ZafFormatData *dataValue = nullptr;
};

// The argument list of one print or scan, taken from the front. Asking for
// an argument of another kind, or past the end, gives 0, null or no target.
class ZafFormatArguments
{
public:
    ZafFormatArguments(const ZafFormatArgument *list, int count) : list(list), count(count) {}

    long long NextInteger();
    double NextReal();
    const char *NextText();
    char *NextTextTarget();
    ZafFormatData *NextData();
    // Store a number in the next argument, which must be a place of a number
    // (16 or 32 bits, float or double: the value is converted to its type).
    // False when there is no such place.
    bool StoreInteger(long value);
    bool StoreReal(double value);

private:
    const ZafFormatArgument *Next();

    const ZafFormatArgument *list;
    int count;
    int position = 0;
};

// The output of the print engine: a buffer of a known size. Characters past
// the room are counted but not stored; Terminate ends the stored text.
class ZafPrintOutput
{
public:
    ZafPrintOutput(char *buffer, int size) : buffer(buffer), size(buffer && size > 0 ? size : 0) {}

    void Put(char c);
    void Put(const char *text, int length = -1);
    void PutRepeated(char c, long long count);
    // Characters produced so far (stored or not), at most INT32_MAX.
    int Count() const { return count > INT32_MAX ? INT32_MAX : static_cast<int>(count); }
    void Terminate();

private:
    char *buffer;
    int size;
    long long count = 0;
};

using ZafPrintConversion = void (*)(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                    int width, int precision);
// Returns the number of values assigned (0 or 1) or a negative number on
// failure; advances the text (and the format, when it reads more of it).
using ZafScanConversion = int (*)(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags,
                                  int width, const char *&format);

// A table of conversion letters: at most 40, the first registration of a
// letter wins.
template <class Function> class ZafConversionTable
{
public:
    static constexpr int capacity = 40;

    // False when the function is null, the letter is present or the table full.
    bool Register(char letter, Function function)
    {
        if (!function || Find(letter) || count >= capacity)
            return false;
        entries[count++] = {letter, function};
        return true;
    }
    Function Find(char letter) const
    {
        for (int i = 0; i < count; i++)
            if (entries[i].letter == letter)
                return entries[i].function;
        return nullptr;
    }
    int Count() const { return count; }

private:
    struct Entry
    {
        char letter;
        Function function;
    };
    Entry entries[capacity] = {};
    int count = 0;
};

class ZafFormatData : public ZafData
{
public:
    static constexpr ZafClassID classID = 3101;
    static constexpr const char *className = "ZafFormatData";
    static constexpr int formatLineSize = 64; // a format line: 63 characters and a terminator

    ZafFormatData() = default;
    ZafFormatData(const ZafFormatData &copy) = default;
    // Persistent constructor: stores no field of its own, only a level
    // "ZafFormatData" around the data object's.
    ZafFormatData(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;

    // Writes the value as text into the buffer (which holds maximum length + 1
    // bytes) through the format or the class's default format.
    virtual int FormattedText(char *buffer, int maxLength, const char *format) = 0;

    // Prints this object through the first line of the format into the buffer
    // (maximum length + 1 bytes). Returns the length written, or 0 when the
    // buffer is null or the text is longer than the maximum length (the
    // buffer then holds the text cut at the maximum length).
    int FormatText(char *buffer, int maxLength, const char *format);
    // Scans the text with each line of the format in turn until one yields a
    // non-zero result, and returns that result; 0 when none did.
    int ScanText(const char *text, const char *formats);

    // False when the letter is already registered or the table is full.
    static bool RegisterPrintConversion(char letter, ZafPrintConversion function);
    static bool RegisterScanConversion(char letter, ZafScanConversion function);

    // The engines. PrintFormatted writes at most size - 1 characters and a
    // terminator and returns the number of characters the whole text has.
    // ScanFormatted returns the number of values assigned, or -1 when the
    // format ends between a "%" and its conversion letter.
    static int PrintFormatted(char *buffer, int size, const char *format, ZafFormatArguments &arguments);
    static int ScanFormatted(const char *text, const char *format, ZafFormatArguments &arguments);

    template <class... T> static int Print(char *buffer, int size, const char *format, T... values)
    {
        const ZafFormatArgument list[] = {ZafFormatArgument(values)..., ZafFormatArgument()};
        ZafFormatArguments arguments(list, sizeof...(T));
        return PrintFormatted(buffer, size, format, arguments);
    }
    template <class... T> static int Scan(const char *text, const char *format, T... targets)
    {
        const ZafFormatArgument list[] = {ZafFormatArgument(targets)..., ZafFormatArgument()};
        ZafFormatArguments arguments(list, sizeof...(T));
        return ScanFormatted(text, format, arguments);
    }

    // Copies the format up to its first line feed (at most 63 characters)
    // into the line buffer of formatLineSize bytes. Returns the position after
    // the line feed, or null when there is none (or the format is null).
    static const char *NextFormatLine(char *line, const char *format);

    // Blank as the engines see it: blank, tab to carriage return, 0xA0.
    static bool IsBlank(char c);

    // Writes a number with its sign, currency and padding by the current
    // locale's conventions: the prefix (hexadecimal "0x") and digits are
    // given, the sign texts, parentheses and currency symbol are placed
    // around them, and blanks or zeros fill to the width. A precision (-1 =
    // none) pads with zeros to that many characters, sign included.
    static void PutNumber(ZafPrintOutput &output, const char *prefix, const char *digits, bool negative, unsigned flags,
                          int width, int precision);

protected:
    // A class's RegisterConversions, once per run (registered is the class's
    // own flag): sets up the locale first, then registers each print letter
    // with the print function and each scan letter with the scan function.
    static void RegisterLetters(bool &registered, const char *printLetters, ZafPrintConversion print,
                                const char *scanLetters, ZafScanConversion scan);
    // A number class's SetFormattedText, in one update bracket: an empty
    // text clears; any other is scanned through the format, or the default
    // format when none is given. Returns and keeps the error: 0 when the
    // value was assigned, 1 when no format line accepted the text.
    int ScanNumberText(const char *text, const char *format, const char *defaultFormat);
};
