// TextCatalog: the texts of a language file ("qivst" + language code +
// ".btx"), found by group and number, loaded group by group on first use.
//
// The file is checked as a whole when the catalogue is built; a missing or
// bad file leaves the catalogue empty with Error() and ErrorText() saying
// why, and every text then reads "**ERROR**". The format is described in
// docs/language-file.md.
//
// Texts belong to the catalogue. A text returned by GetText stays valid
// until its group is freed with FreeGroup or the catalogue is destroyed;
// asking for texts of other groups never frees anything. (Loaded groups are
// kept on purpose: callers hold texts of one group while they read another.)
// Groups and numbers are 0-based, as the file writes them.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

enum {
    TEXTCAT_OK = 0,
    TEXTCAT_ERR_LANGUAGE_CODE = 1, // not three letters or digits
    TEXTCAT_ERR_NO_FILE = 2,       // missing, unreadable, or the path too long
    TEXTCAT_ERR_TOO_LARGE = 3,     // file over kMaxFileSize bytes
    TEXTCAT_ERR_SYNTAX = 4,        // a line that is neither comment, blank nor text
    TEXTCAT_ERR_CHANGED = 5        // the file changed or failed while a group was read
};

class TextCatalog
{
public:
    static const char kMissingText[]; // "**ERROR**"
    static constexpr int kMaxGroup = 999;
    static constexpr int kMaxNumber = 9999;
    static constexpr long long kMaxFileSize = 4 * 1024 * 1024;
    static constexpr size_t kMaxLineLength = 4096; // bytes of one line, line end excluded

    TextCatalog(); // empty: every text is missing until Load succeeds
    // The language file of a language code ("eng") in a directory.
    TextCatalog(const char *directory, const char *languageCode);
    ~TextCatalog();
    TextCatalog(const TextCatalog &) = delete;
    TextCatalog &operator=(const TextCatalog &) = delete;

    // Builds the path of a language file into out; false when the code is
    // not three letters or digits or the path does not fit.
    static bool MakeFileName(const char *directory, const char *languageCode, char *out, size_t outSize);

    // Reads a language file, dropping whatever was loaded before (texts
    // returned earlier become invalid). True when the file is sound.
    bool Load(const char *filePath);

    int Error() const { return error_; }
    const char *ErrorText() const { return errorText_.c_str(); }
    const char *FileName() const { return fileName_.c_str(); }

    // The text of a number in a group; "**ERROR**" when there is none. A
    // negative group stands for the group used last; a group above 0
    // becomes the group used last (at first the last group is 0).
    const char *GetText(int number, int group);
    // Frees the loaded texts of a group (negative: the group used last);
    // they are read again on their next use. Texts of that group returned
    // before become invalid; no other group is touched.
    void FreeGroup(int group);

    int LastGroup() const { return lastGroup_; }
    bool IsGroupLoaded(int group) const;
    bool HasText(int number, int group) const;
    size_t EntryCount() const { return entries_.size(); }
    // The group and number of the index-th text, in the order of the file.
    bool EntryAt(size_t index, int &group, int &number) const;

private:
    struct Location
    {
        int line;         // 1-based line of the file
        long long offset; // of the line's first byte
        size_t length;    // bytes of the line, line end excluded
    };
    typedef std::map<int, std::string> Texts;

    void Reset();
    void Fail(int error, const std::string &text);
    bool Scan(const std::vector<char> &content);
    Texts *LoadGroup(int group);

    std::string fileName_;
    int error_;
    std::string errorText_;
    int lastGroup_;
    std::map<int, std::map<int, Location>> index_; // group -> number -> line
    std::vector<std::pair<int, int>> entries_;     // (group, number) in file order
    std::map<int, std::unique_ptr<Texts>> loaded_; // group -> its texts
};
