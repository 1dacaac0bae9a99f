// ZafIntegerData: one signed 32-bit whole number, the value of integer
// fields, spin controls and the program's counters.
//
// It prints through the letters "d" "i" "o" "u" "x" "X" and scans through
// "d" "D" "i" "o" "O" "u" "x" "X", following the current locale's signs,
// currency and digits. Arithmetic wraps around at 32 bits.
#pragma once

#include "zaf/data/ZafFormatData.h"

#include <cstdint>

class ZafIntegerData : public ZafFormatData
{
public:
    ZafIntegerData();
    explicit ZafIntegerData(std::int32_t value);
    ZafIntegerData(const ZafIntegerData &other);
    ZafIntegerData &operator=(const ZafIntegerData &) = delete;

    std::int32_t Value() const { return value; }
    int SetValue(std::int32_t value);
    ZafIntegerData &AddValue(std::int32_t amount);
    ZafIntegerData &SubtractValue(std::int32_t amount);

    // Through the format, or the locale's integer print format when none.
    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Registers the integer letters with the engines (once per run).
    static void RegisterConversions();

private:
    static void PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output,
                                char letter, unsigned flags, int width, int precision);
    static int ScanConversion(ZafFormatArguments &arguments, const char *&text,
                              char letter, unsigned flags, int width, const char *&format);

    std::int32_t value = 0;
};
