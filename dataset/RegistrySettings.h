// RegistrySettings: the program's settings store in the registry, under
// HKEY_CURRENT_USER "Software\Qiv_Tabulation\mervalo\<section>". Values are
// 32-bit words (REG_DWORD) and texts (REG_SZ), one registry value per key.
//
// Every read checks the stored type and size before the value is used; a
// missing, mistyped or wrongly sized value reads as the caller's default.
// A section entry is one of the program's table (FindSettingsSection) or a
// caller's own { name, id } with a non-empty name. No state; nothing owned.
#pragma once

#include <cstddef>

struct SettingsSection
{
    const char *name;
    int id;
};

// The ids of the program's sections, in the order of the table.
enum SettingsSectionId {
    sectionStartup = 1,
    sectionPositions,
    sectionDatasets,
    sectionDefaultValues,
    sectionGraphics,
    sectionMap,
    sectionTableOptions, // "TableOptions": the table analyses' records
    sectionVazideV,
    sectionMatPlot,
    sectionBiplot,
    sectionDuoFreqpoly,
    sectionVodUra,
    sectionFreqBar, // "FreqBar"
    sectionFreqPie, // "FreqPie"
    sectionXtabBar, // "XtabBar"
    sectionResPlot,
};

// The (name, id) entry of the program's sections, or null when the id is
// not one of them. Ids 1 "Startup" to 16 "ResPlot".
const SettingsSection *FindSettingsSection(int id);

class RegistrySettings
{
public:
    // The program's key below HKEY_CURRENT_USER, without a trailing backslash.
    static const char *RootKey();

    // Whether the section holds a word under the key; value is then that word.
    static bool QueryDwordInSection(const SettingsSection *s, const char *key, unsigned long &value);
    static unsigned long ReadDwordInSection(const SettingsSection *s, const char *key, unsigned long def);
    static int ReadIntInSection(const SettingsSection *s, const char *key, int def);
    // A stored word outside -32768..65535 reads as the default; 32768..65535
    // read as the 16-bit word they are (negative).
    static short ReadShortInSection(const SettingsSection *s, const char *key, short def);
    // A stored word as ReadShortInSection reads it.
    static short ShortFromWord(unsigned long word, short def);
    // Copies the stored text into out (outSize bytes, terminated). False when
    // there is none or it does not fit; out is then the empty text.
    static bool ReadStringInSection(const SettingsSection *s, const char *key, char *out, size_t outSize);

    // Stores a 32-bit word, creating the section's key when needed. Returns
    // false when nothing could be stored. The option records' SaveSettings
    // write through it: the option frame's "Keep these settings" promises
    // the user the same settings in the next run of the program, so they
    // are kept here rather than dropped.
    static bool WriteValueInSection(const SettingsSection *s, const char *key, unsigned long value);
    static bool WriteStringInSection(const SettingsSection *s, const char *key, const char *value);

    // Removes one key (value) of a section; true when it is gone afterwards.
    static bool DeleteKeyInSection(const SettingsSection *s, const char *key);
    // Removes the section's key with all its values; true when it is gone.
    static bool DeleteSection(const SettingsSection *s);
};
