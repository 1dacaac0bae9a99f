// ZafRealData: one double-precision number, the value of real-number fields
// and of the program's option dialogs.
//
// It prints and scans through the letters "e" "f" "g" "E" "F" "G" with the
// current locale's decimal point, signs and currency. A precision above 24
// prints 24 places and zeros after them ("g" without '#' drops them).
#pragma once

#include "zaf/data/ZafFormatData.h"

class ZafRealData : public ZafFormatData
{
public:
    ZafRealData();
    explicit ZafRealData(double value);
    ZafRealData(const ZafRealData &other);
    ZafRealData &operator=(const ZafRealData &) = delete;

    double Value() const { return value; }
    int SetValue(double value);
    ZafRealData &AddValue(double amount);
    ZafRealData &SubtractValue(double amount);

    // Through the format, or the locale's real print format when none.
    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Registers the real letters with the engines (once per run).
    static void RegisterConversions();

private:
    static void PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output,
                                char letter, unsigned flags, int width, int precision);
    static int ScanConversion(ZafFormatArguments &arguments, const char *&text,
                              char letter, unsigned flags, int width, const char *&format);

    double value = 0.0;
};
