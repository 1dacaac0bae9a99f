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
    static constexpr ZafClassID classID = 3103;
    static constexpr const char *className = "ZafIntegerData";

    ZafIntegerData();
    explicit ZafIntegerData(std::int32_t value);
    ZafIntegerData(const ZafIntegerData &other);
    // Persistent constructor: the value as one signed 32-bit word.
    ZafIntegerData(const char *name, ZafDataPersistence &persistence);
    ZafIntegerData &operator=(const ZafIntegerData &) = delete;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafIntegerData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Value 0, error 0, one notification.
    void Clear() override;

    std::int32_t Value() const { return value; }
    // Each setter is one update bracket: one notification.
    virtual int SetValue(std::int32_t value);
    virtual int SetIntegerData(const ZafIntegerData &other);
    ZafIntegerData &AssignFrom(const ZafIntegerData &other);
    ZafIntegerData &AddValue(std::int32_t amount);
    ZafIntegerData &SubtractValue(std::int32_t amount);
    // Scans the text through the format, or the locale's integer scan format
    // when none is given; an empty text clears. Returns and keeps the error:
    // 0 when the value was assigned, 1 when no format line accepted the text
    // (the value is then unchanged).
    virtual int SetFormattedText(const char *text, const char *format);

    // Through the format, or the locale's integer print format when none.
    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Registers the integer letters with the engines (once per run).
    static void RegisterConversions();

private:
    static void PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                int width, int precision);
    static int ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags, int width,
                              const char *&format);

    std::int32_t value = 0;
};
