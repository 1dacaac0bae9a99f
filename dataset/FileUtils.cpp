#include "dataset/FileUtils.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace {

const size_t kMaxComponent = 255;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsReservedChar(unsigned char c)
{
    return c < 32 || strchr("<>\"|?*", c) != nullptr;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension ("nul.txt").
bool IsDeviceName(const char *part, size_t length)
{
    size_t stem = 0;
    while (stem < length && part[stem] != '.')
        ++stem;
    while (stem > 0 && part[stem - 1] == ' ')
        --stem;
    char upper[5] = {};
    if (stem < 3 || stem > 4)
        return false;
    for (size_t i = 0; i < stem; ++i)
        upper[i] = static_cast<char>(toupper(static_cast<unsigned char>(part[i])));
    if (stem == 3)
        return !strcmp(upper, "CON") || !strcmp(upper, "PRN") || !strcmp(upper, "AUX") || !strcmp(upper, "NUL");
    return (!strncmp(upper, "COM", 3) || !strncmp(upper, "LPT", 3)) && upper[3] >= '1' && upper[3] <= '9';
}

const char *ReasonText(FileUtils::Reason reason)
{
    switch (reason) {
    case FileUtils::NAME_EMPTY:
        return "the file name is empty";
    case FileUtils::NAME_TOO_LONG:
        return "the path is too long";
    case FileUtils::NAME_RESERVED_CHAR:
        return "the name holds a character not allowed in file names";
    case FileUtils::NAME_DEVICE:
        return "the name is reserved for a device";
    default:
        return "the name is valid";
    }
}

} // namespace

FileUtils::EInvalidFileName::EInvalidFileName(const char *fileName, Reason reason)
    : fileName_(fileName ? fileName : ""), reason_(reason)
{
    message_ = "Invalid file name \"" + fileName_ + "\": " + ReasonText(reason);
}

FileUtils::Reason FileUtils::ValidateFileName(const char *path)
{
    if (!path || !*path)
        return NAME_EMPTY;
    size_t length = strnlen(path, MAX_PATH);
    if (length >= MAX_PATH)
        return NAME_TOO_LONG;
    size_t at = 0;
    // A drive letter and its colon; ':' is reserved everywhere else.
    if (length >= 2 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
        at = 2;
    // Empty parts (doubled separators, a UNC prefix "\\\\server") are harmless.
    size_t partStart = at;
    for (size_t i = at; i <= length; ++i) {
        char c = path[i];
        if (i == length || IsSeparator(c)) {
            size_t part = i - partStart;
            if (part > kMaxComponent)
                return NAME_TOO_LONG;
            if (part > 0 && IsDeviceName(path + partStart, part))
                return NAME_DEVICE;
            partStart = i + 1;
            continue;
        }
        if (c == ':' || IsReservedChar(static_cast<unsigned char>(c)))
            return NAME_RESERVED_CHAR;
    }
    // The last part is the file's own name and must not be empty.
    if (IsSeparator(path[length - 1]) || length == at)
        return NAME_EMPTY;
    size_t last = length;
    while (last > at && !IsSeparator(path[last - 1]))
        --last;
    const char *name = path + last;
    if (!strcmp(name, ".") || !strcmp(name, ".."))
        return NAME_EMPTY;
    return NAME_VALID;
}

void FileUtils::CheckFileName(const char *path)
{
    Reason reason = ValidateFileName(path);
    if (reason != NAME_VALID)
        throw EInvalidFileName(path, reason);
}
