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
    static constexpr ZafClassID classID = 3104;
    static constexpr const char *className = "ZafRealData";

    ZafRealData();
    explicit ZafRealData(double value);
    ZafRealData(const ZafRealData &other);
    // Persistent constructor: the value as a text of the canonical locale.
    ZafRealData(const char *name, ZafDataPersistence &persistence);
    ZafRealData &operator=(const ZafRealData &) = delete;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafRealData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Value 0.0, error 0, one notification.
    void Clear() override;

    double Value() const { return value; }
    // Each setter is one update bracket: one notification.
    virtual int SetValue(double value);
    virtual int SetRealData(const ZafRealData &other);
    ZafRealData &AssignFrom(const ZafRealData &other);
    ZafRealData &AddValue(double amount);
    ZafRealData &SubtractValue(double amount);
    // Scans the text through the format, or the locale's real scan format
    // when none is given; an empty text clears. Returns and keeps the error:
    // 0 when the value was assigned, 1 when no format line accepted the text.
    virtual int SetFormattedText(const char *text, const char *format);

    // The text the UI data file holds for a value: the shortest form of up to
    // 17 significant digits, in the canonical locale, that scans back to the
    // same value, or "+Inf", "-Inf" or "NaN". Returns its length.
    static int FileText(double value, char *buffer, int size);

    // Through the format, or the locale's real print format when none.
    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Registers the real letters with the engines (once per run).
    static void RegisterConversions();

    // Reads the value's text from the file and takes it (in the canonical
    // locale); the persistent constructor's field.
    void ReadData(ZafFile &file);

private:
    static void PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                int width, int precision);
    static int ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags, int width,
                              const char *&format);

    double value = 0.0;
};
