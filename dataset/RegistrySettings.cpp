#include "dataset/RegistrySettings.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const SettingsSection kSections[] = {
    {"Startup", 1},      {"Positions", 2}, {"Datasets", 3}, {"DefaultValues", 4}, {"Graphics", 5},     {"Map", 6},
    {"TableOptions", 7}, {"VazideV", 8},   {"MatPlot", 9},  {"Biplot", 10},       {"DuoFreqpoly", 11}, {"VodUra", 12},
    {"FreqBar", 13},     {"FreqPie", 14},  {"XtabBar", 15}, {"ResPlot", 16},
};

const char kRootKey[] = "Software\\Qiv_Tabulation\\mervalo";

// Longest text the store reads; longer stored texts are refused.
const DWORD kMaxStringBytes = 32 * 1024;

bool SectionPath(const SettingsSection *s, char *path, size_t size)
{
    if (!s || !s->name || !s->name[0])
        return false;
    int n = snprintf(path, size, "%s\\%s", kRootKey, s->name);
    return n > 0 && static_cast<size_t>(n) < size;
}

HKEY OpenSection(const SettingsSection *s, bool create)
{
    char path[512];
    if (!SectionPath(s, path, sizeof path))
        return nullptr;
    HKEY key = nullptr;
    LONG rc;
    if (create)
        rc = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                             nullptr, &key, nullptr);
    else
        rc = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

// The stored DWORD of a key; false when it is missing, not REG_DWORD or not
// exactly four bytes.
bool QueryDword(const SettingsSection *s, const char *name, DWORD &value)
{
    if (!name)
        return false;
    HKEY key = OpenSection(s, false);
    if (!key)
        return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

} // namespace

const SettingsSection *FindSettingsSection(int id)
{
    for (const SettingsSection &s : kSections)
        if (s.id == id)
            return &s;
    return nullptr;
}

const char *RegistrySettings::RootKey()
{
    return kRootKey;
}

bool RegistrySettings::QueryDwordInSection(const SettingsSection *s, const char *key, unsigned long &value)
{
    DWORD word;
    if (!QueryDword(s, key, word))
        return false;
    value = word;
    return true;
}

unsigned long RegistrySettings::ReadDwordInSection(const SettingsSection *s, const char *key, unsigned long def)
{
    DWORD value;
    return QueryDword(s, key, value) ? value : def;
}

int RegistrySettings::ReadIntInSection(const SettingsSection *s, const char *key, int def)
{
    DWORD value;
    return QueryDword(s, key, value) ? static_cast<int>(value) : def;
}

short RegistrySettings::ReadShortInSection(const SettingsSection *s, const char *key, short def)
{
    DWORD value;
    return QueryDword(s, key, value) ? ShortFromWord(value, def) : def;
}

short RegistrySettings::ShortFromWord(unsigned long word, short def)
{
    long asInt = static_cast<long>(static_cast<int32_t>(word));
    if (asInt < -32768 || asInt > 65535)
        return def;
    return static_cast<short>(static_cast<uint16_t>(asInt & 0xFFFF));
}

bool RegistrySettings::ReadStringInSection(const SettingsSection *s, const char *key, char *out, size_t outSize)
{
    if (!out || outSize == 0)
        return false;
    out[0] = '\0';
    if (!key)
        return false;
    HKEY hkey = OpenSection(s, false);
    if (!hkey)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(hkey, key, nullptr, &type, nullptr, &size);
    bool ok = rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && size <= kMaxStringBytes;
    std::vector<char> data;
    if (ok) {
        // One byte more than asked for, so that an unterminated value ends.
        data.assign(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(hkey, key, nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &got);
        ok = rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && got <= size;
    }
    RegCloseKey(hkey);
    if (!ok)
        return false;
    size_t length = strlen(data.data());
    if (length >= outSize)
        return false;
    memcpy(out, data.data(), length + 1);
    return true;
}

// Stores the value in the section's key and says whether it was stored, so
// that a caller's "save settings" can tell a failed write.
bool RegistrySettings::WriteValueInSection(const SettingsSection *s, const char *key, unsigned long value)
{
    if (!key)
        return false;
    HKEY hkey = OpenSection(s, true);
    if (!hkey)
        return false;
    DWORD data = static_cast<DWORD>(value);
    LONG rc = RegSetValueExA(hkey, key, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data), sizeof data);
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS;
}

bool RegistrySettings::WriteStringInSection(const SettingsSection *s, const char *key, const char *value)
{
    if (!key || !value)
        return false;
    size_t length = strlen(value);
    if (length + 1 > kMaxStringBytes)
        return false;
    HKEY hkey = OpenSection(s, true);
    if (!hkey)
        return false;
    LONG rc =
        RegSetValueExA(hkey, key, 0, REG_SZ, reinterpret_cast<const BYTE *>(value), static_cast<DWORD>(length + 1));
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS;
}

bool RegistrySettings::DeleteKeyInSection(const SettingsSection *s, const char *key)
{
    if (!key)
        return false;
    char path[512];
    if (!SectionPath(s, path, sizeof path))
        return false;
    HKEY hkey = nullptr;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ | KEY_WRITE, &hkey);
    if (rc == ERROR_FILE_NOT_FOUND)
        return true;
    if (rc != ERROR_SUCCESS)
        return false;
    rc = RegDeleteValueA(hkey, key);
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool RegistrySettings::DeleteSection(const SettingsSection *s)
{
    char path[512];
    if (!SectionPath(s, path, sizeof path))
        return false;
    LONG rc = RegDeleteKeyA(HKEY_CURRENT_USER, path);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}
