// ZafNumberField: what the integer and real fields (ZafInteger, ZafReal)
// share: a ZafString whose value lives in a number data object. The text in
// the control is scanned into the number through the input formats and the
// number shown through the output format; ranges are checked on Enter and on
// focus loss, with the messages of the class's language table ("ZafInteger"
// or "ZafReal"):
//   1 "The number %s is invalid."              a text that does not scan
//   5 "The number %s is not in the range %s."  a value in no range
//   6 "The number %s is less than %s."         below the only lower bound
//   7 "The number %s is greater than %s."      above the only upper bound
//
// The field's string data stays its text buffer (SetStringData is refused);
// the value data is observed, so a value set by the program is shown at
// once. A text that does not scan leaves the value as it was: reading the
// value then gives the old number, and the error word the scan's error.
// Whether a validation is under way is kept apart from the error word, so a
// failed scan never stops later validations or user-function calls.
//
// Ownership: the value data follows the string field's rule (deleted when
// dropped only if destroyable and unobserved); the language table is a
// counted reference, released with the field.
//
// The persistent record of the number part (after the string field's record
// and its data objects): text value data name ("" none), followed by the
// value data object beside the record.
#pragma once

#include "zaf/controls/ZafString.h"

#include <cstdint>

class ZafFormatData;
class ZafLanguageData;

class ZafNumberField : public ZafString
{
public:
    // Message numbers of the language table.
    static constexpr int invalidNumberMessage = 1;

    ~ZafNumberField() override;

    ZafEventType Event(const ZafEventRecord &event) override;
    // Scans the text into the value (the text is then shown in the output
    // format); unanswered for an empty text. Answers the scan's error.
    int SetText(const char *text) override;
    // The value is shown again in the new format.
    int SetOutputFormat(const char *text) override;
    // The text buffer of a number field is never replaced: 1.
    int SetStringData(ZafStringData *) override { return 1; }
    // Number fields never have these: the flag stays clear.
    bool SetLowerCase(bool) override { return lowerCase = false; }
    bool SetUpperCase(bool) override { return upperCase = false; }
    bool SetPassword(bool) override { return password = false; }
    bool SetNoBlanks(bool) override { return noBlanks = false; }

    // The control's text into the value; the scan's error, also kept in
    // the error word. A failed scan leaves the value alone.
    int ParseText();
    // Checks the control's text as a window's OK takes it, without changing
    // the value: a text that does not scan answers its scan error with
    // message 1, a number outside the ranges the range error with its
    // message (each when reportErrors is set and an error system exists).
    // The typed text stays for the user to correct. 0 when it may be taken.
    int CheckTypedValue();
    ZafFormatData *NumberData() const { return valueData; }
    // The class's message table (shared by every field of the class when a
    // language manager exists).
    ZafLanguageData *MessageTable() const { return messages; }

    // Type hooks shared by both classes.
    const char *ErrorMessage(int code) override;
    int FormatData(ZafData *data, char *buffer, int size, const char *format) override;
    const char *RangeSeparator() const override { return ".."; }
    int ShowValue() override;
    ZafData *DuplicateData() override;
    ZafData *ValueData() const override;

protected:
    // tableName: the class name, which names the message table.
    ZafNumberField(int left, int top, int width, const char *tableName);
    ZafNumberField(const ZafNumberField &copy, const char *tableName);
    ZafNumberField(const char *name, ZafWindowPersistence &persistence, const char *tableName);

    // Installs the value data (null: a new zero one), observes it and shows
    // it; the old one is dropped under the ownership rule. 0.
    int SetValueData(ZafFormatData *data);
    // A new zero value of the class's type.
    virtual ZafFormatData *NewValueData() const = 0;
    // Reads the value data of that name; null when it cannot be read.
    virtual ZafFormatData *ReadValueData(const char *name, ZafDataPersistence &persistence) const = 0;
    // The number part of the record (the caller's level is pushed).
    void ReadValueRecord(ZafWindowPersistence &persistence);
    // The rest of a persistence constructor: the number part (when the
    // level was pushed cleanly), a zero value when none was read, the level
    // popped and its error kept.
    void FinishReading(ZafWindowPersistence &persistence);
    // The whole record of the class (level, string field, number part).
    void WriteNumberField(ZafWindowPersistence &persistence, const char *name, ZafClassID id);

    ZafFormatData *valueData = nullptr;
    ZafLanguageData *messages = nullptr;

private:
    // Enter and focus loss: scan, report a bad text, check the ranges
    // through the dispatcher, then keep or restore the value.
    ZafEventType ValidateNumber(const ZafEventRecord &event, ZafEventType code);
    static int DataChanged(ZafElement *observer, std::uint32_t kinds);
};

// The type-dependent half of a number field, written once for both value
// types: Data is the value data class, Value the number it holds. Defined
// for ZafIntegerData and ZafRealData only (instantiated beside the base).
template <class Data, class Value> class ZafNumberFieldOf : public ZafNumberField
{
public:
    // The typed text scanned first; after a text that does not scan, the
    // value as it was (the error word tells the scan's error).
    Value GetValue();
    // Notifies, so the control shows the new value.
    int SetValue(Value value);

    int CompareData(ZafData *a, ZafData *b) override;
    int AssignData(ZafData *target, ZafData *source) override;
    // Scans into a copy: the target changes only when the text scans.
    int ParseData(ZafData *data, const char *text, const char *format) override;
    int DecrementData(ZafData *data, ZafData *step) override;
    int IncrementData(ZafData *data, ZafData *step) override;
    bool IsValueData(ZafData *data) const override;

protected:
    using ZafNumberField::ZafNumberField;

    Data *TypedData() const;
    ZafFormatData *NewValueData() const override;
    ZafFormatData *ReadValueData(const char *name, ZafDataPersistence &persistence) const override;
};

class ZafIntegerData;
class ZafRealData;
extern template class ZafNumberFieldOf<ZafIntegerData, std::int32_t>;
extern template class ZafNumberFieldOf<ZafRealData, double>;
