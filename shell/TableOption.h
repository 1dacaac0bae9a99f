// TableOption: an option record described by two tables instead of code:
// its settings rows (where each value is stored in the registry, how, with
// which defaults and which range) and its control rows (which control of the
// option window shows which bits or value). From them the record loads and
// saves its settings, fills its option window and reads it back, and puts
// the language file's texts on the window's controls. Every analysis record
// and every graph option record is one of these.
//
// To describe a record: name its fields (long &x = value[n]), write the two
// tables in its .cpp, and hand them to the constructor as a TableDescription.
//
//     const SettingRow settings[] = {
//         {sectionTableOptions, "FreqTableOptions", SettingStorage::u16, 0, 639, 639, 0, 0x3fff},
//     };
//     const ControlRow controls[] = {
//         {"title", ControlKind::checkBox, 0, 0x0001, 0, 21},
//     };
//
// A field is one of the record's eight value slots, or parameterField (the
// base's parameterWord, the column width of the table records). Real values
// are kept in ten-thousandths, as the registry stores them.
//
// Records with odd rules say so in their rows: two defaults for one key
// (unloaded and readDefault differ), a key shared by two analyses with other
// defaults (each record has its own row), stored key names that do not match
// what they hold (the row names the key as it is stored).
//
// A control that the window does not hold is reported (AssumeError, with the
// description's source name) and skipped; its field keeps its value.
//
// Ownership: the description is static data; the record owns its values and
// the name (as every StatOption); the window belongs to the option frame.
#pragma once

#include "stats/StatOption.h"

class ZafString;
class ZafWindow;

// How a setting is kept in the registry (every value is a 32-bit word).
enum class SettingStorage {
    u16,            // a 16-bit word; stored words outside -32768..65535 read as the default
    u32,            // a 32-bit word
    integer,        // a signed 32-bit number
    tenThousandths, // a real number times 10000, kept so in its field too
};

struct SettingRow
{
    int section;     // settings section id (FindSettingsSection)
    const char *key; // the registry value's name, as stored
    SettingStorage storage;
    int field;             // the record's value slot, or parameterField
    long unloaded;         // the value of a record whose settings are not loaded
    long readDefault;      // the value when the registry holds none, or one out of range
    long minimum, maximum; // the allowed range
};

enum class ControlKind {
    checkBox,    // selected when bits of the field are set; sets or clears them
    radioButton, // selected when the field's bits (of bits) equal value; sets them so
    integer,     // a whole-number field (also inside a spin control): the field's value
    real,        // a real-number field: the field's ten-thousandths
    caption,     // a prompt or group: only its text
    pushButton,  // only its text, and its tip's text number in value (0: none)
};

struct ControlRow
{
    const char *name; // the control's string id in the option window
    ControlKind kind;
    int field;           // the value slot it shows (check boxes, radio buttons, numbers)
    unsigned long bits;  // check box: its bit(s); radio button: the bits of its group
    unsigned long value; // radio button: the group's bits when selected; push button: the tip's text
    int text;            // text number in the description's text group (0: none)
};

struct TableDescription
{
    const char *recordName; // such as "USE_ONEWAY_FREQ_OPTIONS"
    const char *sourceName; // named in the reports of missing controls
    int textGroup;          // language group of the controls' texts
    const SettingRow *settings;
    int settingCount;
    const ControlRow *controls;
    int controlCount;
};

// A description from two arrays.
template <int S, int C>
constexpr TableDescription DescribeTable(const char *recordName, const char *sourceName, int textGroup,
                                         const SettingRow (&settings)[S], const ControlRow (&controls)[C])
{
    return {recordName, sourceName, textGroup, settings, S, controls, C};
}

class TableOption : public StatOption
{
public:
    static constexpr int maxFields = 8;
    static constexpr int parameterField = -1;

    // Every field at its unloaded value; no settings read.
    explicit TableOption(const TableDescription &description);

    // The unloaded values (flag 0), or the stored ones (else).
    void LoadSettings(int flag) override;
    // Takes the open window's values first, then stores every row.
    void SaveSettings() override;
    void ToWindow() override;
    void FromWindow() override;

    // The description's texts onto the window's controls (its tips too).
    static void ShowTexts(ZafWindow *window, const TableDescription &description);
    // The stored value of the description's row of that key, held to the
    // row's range as LoadSettings holds it, with fallback in place of the
    // row's read default (and when no row has the key). For a reader that
    // shares another record's key but has a default of its own.
    static long ReadStoredSetting(const TableDescription &description, const char *key, long fallback);
    // The field's value slot (parameterField: parameterWord).
    long &Field(int field);
    const TableDescription &Description() const { return description; }

    // A new record of that class with its settings loaded (the registry's factory).
    template <class Record> static StatOption *Make()
    {
        auto *record = new Record;
        record->LoadSettings(1);
        return record;
    }

protected:
    long value[maxFields] = {};

    // Gives a number control the range of the settings row of its field
    // (values divided by divisor: 10000 for a real field).
    void SetFieldRange(ZafString *control, int field, long divisor) const;

private:
    const TableDescription &description;
};
