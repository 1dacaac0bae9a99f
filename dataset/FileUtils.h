// FileUtils: checks of file names before the program creates or opens a
// file. CheckFileName throws FileUtils::EInvalidFileName, the one exception
// the program throws; callers catch it where they asked the user for the
// name. IsValidFileName answers the same question without throwing.
#pragma once

#include <exception>
#include <string>

class FileUtils
{
public:
    enum Reason {
        NAME_VALID = 0,
        NAME_EMPTY,         // null or empty path, or no file name after the last separator
        NAME_TOO_LONG,      // MAX_PATH characters or more, or a part over 255
        NAME_RESERVED_CHAR, // < > " | ? * or a control character, or a misplaced ':'
        NAME_DEVICE         // a device name such as CON, NUL, COM1 or LPT1
    };

    class EInvalidFileName : public std::exception
    {
    public:
        EInvalidFileName(const char *fileName, Reason reason);
        const char *what() const noexcept override { return message_.c_str(); }
        const char *FileName() const { return fileName_.c_str(); }
        Reason GetReason() const { return reason_; }

    private:
        std::string fileName_;
        std::string message_;
        Reason reason_;
    };

    // The reason a path cannot name a file, NAME_VALID when it can. A path is
    // a drive ("C:"), directories and a file name, separated by '\' or '/'.
    static Reason ValidateFileName(const char *path);
    static bool IsValidFileName(const char *path) { return ValidateFileName(path) == NAME_VALID; }
    // Throws EInvalidFileName when the path cannot name a file.
    static void CheckFileName(const char *path);
};
