#include "dataset/TextCatalog.h"

#include "dataset/PFILE.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>

const char TextCatalog::kMissingText[] = "**ERROR**";

namespace {

enum LineKind { LINE_BLANK, LINE_TEXT, LINE_BAD };

struct ParsedLine
{
    int group = 0;
    int number = 0;
    std::string text;
    const char *problem = nullptr;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads a decimal number of at most maxValue; false on no digits or a
// larger value (digits are counted, so any length of input is safe).
bool ReadNumber(const char *line, size_t length, size_t &at, int maxValue, int &value)
{
    size_t start = at;
    long v = 0;
    while (at < length && isdigit(static_cast<unsigned char>(line[at]))) {
        v = v * 10 + (line[at] - '0');
        if (v > maxValue)
            return false;
        ++at;
    }
    if (at == start)
        return false;
    value = static_cast<int>(v);
    return true;
}

// Decodes the escapes of raw[from, to) into out. When quoted, an unescaped
// '"' may stand only at to - 1, where it closes the text.
const char *Decode(const char *raw, size_t from, size_t to, bool quoted, std::string &out)
{
    out.clear();
    for (size_t i = from; i < to; ++i) {
        char c = raw[i];
        if (quoted && c == '"') {
            if (i != to - 1)
                return "a quote inside a quoted text must be written \\\"";
            return nullptr;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= to)
            return "a backslash ends the line";
        switch (raw[i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        default:
            return "unknown escape (use \\n, \\r, \\t, \\\\ or \\\")";
        }
    }
    return quoted ? "a quoted text lacks its closing quote" : nullptr;
}

// Three ASCII letters or digits: the code may not reach outside the directory.
bool IsLanguageCode(const char *code)
{
    if (!code || strlen(code) != 3)
        return false;
    for (int i = 0; i < 3; ++i)
        if (static_cast<unsigned char>(code[i]) > 127 || !isalnum(static_cast<unsigned char>(code[i])))
            return false;
    return true;
}

// One line without its line end (a CR of CR LF is already taken off).
LineKind ParseLine(const char *line, size_t length, ParsedLine &parsed)
{
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c < 32 && c != '\t') || c == 127) {
            parsed.problem = "a control character in the line";
            return LINE_BAD;
        }
    }
    size_t at = 0;
    while (at < length && IsBlank(line[at]))
        ++at;
    if (at == length || line[at] == '#' || line[at] == ';')
        return LINE_BLANK;
    if (!ReadNumber(line, length, at, TextCatalog::kMaxGroup, parsed.group)) {
        parsed.problem = "expected a group from 0 to 999 at the start of the line";
        return LINE_BAD;
    }
    if (at >= length || line[at] != '.') {
        parsed.problem = "expected '.' between group and number";
        return LINE_BAD;
    }
    ++at;
    if (!ReadNumber(line, length, at, TextCatalog::kMaxNumber, parsed.number)) {
        parsed.problem = "expected a text number from 0 to 9999 after the group";
        return LINE_BAD;
    }
    if (at >= length || !IsBlank(line[at])) {
        parsed.problem = "expected a tab or blank between the number and the text";
        return LINE_BAD;
    }
    while (at < length && IsBlank(line[at]))
        ++at;
    size_t end = length;
    while (end > at && IsBlank(line[end - 1]))
        --end;
    if (at == end) {
        parsed.problem = "the text is missing (write \"\" for an empty text)";
        return LINE_BAD;
    }
    bool quoted = line[at] == '"';
    if (quoted && end - at < 2) {
        parsed.problem = "a quoted text lacks its closing quote";
        return LINE_BAD;
    }
    parsed.problem = Decode(line, quoted ? at + 1 : at, end, quoted, parsed.text);
    return parsed.problem ? LINE_BAD : LINE_TEXT;
}

} // namespace

TextCatalog::TextCatalog() : error_(TEXTCAT_ERR_NO_FILE), lastGroup_(0)
{
    errorText_ = "No language file has been read.";
}

TextCatalog::TextCatalog(const char *directory, const char *languageCode) : TextCatalog()
{
    char path[MAX_PATH];
    if (!MakeFileName(directory, languageCode, path, sizeof path)) {
        if (IsLanguageCode(languageCode))
            Fail(TEXTCAT_ERR_NO_FILE, "The path of the language file is too long.");
        else
            Fail(TEXTCAT_ERR_LANGUAGE_CODE, "The language code must be three letters or digits, such as \"eng\".");
        return;
    }
    Load(path);
}

TextCatalog::~TextCatalog() = default;

bool TextCatalog::MakeFileName(const char *directory, const char *languageCode, char *out, size_t outSize)
{
    if (!out || outSize == 0)
        return false;
    out[0] = '\0';
    if (!IsLanguageCode(languageCode))
        return false;
    if (!directory)
        directory = "";
    size_t dirLength = strlen(directory);
    const char *separator = (dirLength == 0 || directory[dirLength - 1] == '\\' || directory[dirLength - 1] == '/' ||
                             directory[dirLength - 1] == ':')
                                ? ""
                                : "\\";
    int n = snprintf(out, outSize, "%s%sqivst%s.btx", directory, separator, languageCode);
    if (n < 0 || static_cast<size_t>(n) >= outSize) {
        out[0] = '\0';
        return false;
    }
    return true;
}

void TextCatalog::Reset()
{
    loaded_.clear();
    index_.clear();
    entries_.clear();
    lastGroup_ = 0;
    error_ = TEXTCAT_OK;
    errorText_.clear();
}

void TextCatalog::Fail(int error, const std::string &text)
{
    error_ = error;
    errorText_ = text;
}

bool TextCatalog::Load(const char *filePath)
{
    Reset();
    fileName_ = filePath ? filePath : "";
    PFILE file(fileName_.c_str());
    if (fileName_.empty() || !file.Open(PFILE_READ)) {
        Fail(TEXTCAT_ERR_NO_FILE, "The language file \"" + fileName_ + "\" cannot be opened.");
        return false;
    }
    long long size = file.Size();
    if (size < 0 || size > kMaxFileSize) {
        Fail(TEXTCAT_ERR_TOO_LARGE, "The language file \"" + fileName_ + "\" is too large.");
        return false;
    }
    std::vector<char> content(static_cast<size_t>(size));
    if (size > 0 && file.Read(content.data(), 1, content.size()) != content.size()) {
        Fail(TEXTCAT_ERR_NO_FILE, "The language file \"" + fileName_ + "\" cannot be read.");
        return false;
    }
    if (!Scan(content)) {
        index_.clear();
        entries_.clear();
        return false;
    }
    return true;
}

namespace {

// The texts that the program hands to printf, with what it passes them: one
// letter a conversion, in order ('n' a double: %f, %e or %g with any flags,
// width and precision). A text with other conversions would print garbage
// or read past its arguments, so it is refused with the file.
struct FormatText
{
    int group, number;
    const char *conversions;
    const char *passed; // what the program passes, for the message
};
const FormatText kFormatTexts[] = {
    {0, 21, "n", "the number of cases"},
    {0, 22, "n", "the number of cases left out"},
};

// The conversions of a printf format as letters ('n' for a double, '?' for
// anything else); a percent sign written "%%" is none.
std::string ConversionsOf(const std::string &text)
{
    std::string found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && strchr("-+ #0", text[j]))
            ++j;
        while (j < text.size() && isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j < text.size() && text[j] == '.') {
            ++j;
            while (j < text.size() && isdigit(static_cast<unsigned char>(text[j])))
                ++j;
        }
        found += j < text.size() && strchr("fFeEgG", text[j]) ? 'n' : '?';
        i = j < text.size() ? j : text.size();
    }
    return found;
}

// The fault of a text that the program formats, or an empty text.
std::string FormatFault(int group, int number, const std::string &text)
{
    for (const FormatText &format : kFormatTexts) {
        if (format.group != group || format.number != number)
            continue;
        if (ConversionsOf(text) == format.conversions)
            return std::string();
        const size_t wanted = strlen(format.conversions);
        char fault[256];
        snprintf(fault, sizeof fault,
                 "text %d.%d must hold %d number conversion%s such as %%.0f and no other, for %s "
                 "(a percent sign is written %%%%).",
                 group, number, static_cast<int>(wanted), wanted == 1 ? "" : "s", format.passed);
        return fault;
    }
    return std::string();
}

} // namespace

// Checks every line of the file and notes where each text lies.
bool TextCatalog::Scan(const std::vector<char> &content)
{
    size_t at = 0;
    int lineNumber = 0;
    if (content.size() >= 3 && !memcmp(content.data(), "\xEF\xBB\xBF", 3)) {
        Fail(TEXTCAT_ERR_SYNTAX, fileName_ + ", line 1: the file is saved as UTF-8; save it in the "
                                             "Windows code page instead.");
        return false;
    }
    while (at < content.size()) {
        ++lineNumber;
        const char *line = content.data() + at;
        const void *newline = memchr(line, '\n', content.size() - at);
        size_t length = newline ? static_cast<const char *>(newline) - line : content.size() - at;
        size_t next = at + length + (newline ? 1 : 0);
        if (length > 0 && line[length - 1] == '\r')
            --length; // the line end CR LF is not part of the line
        char where[64];
        snprintf(where, sizeof where, ", line %d: ", lineNumber);
        if (length > kMaxLineLength) {
            Fail(TEXTCAT_ERR_SYNTAX, fileName_ + where + "the line is longer than 4096 bytes.");
            return false;
        }
        ParsedLine parsed;
        LineKind kind = ParseLine(line, length, parsed);
        if (kind == LINE_BAD) {
            Fail(TEXTCAT_ERR_SYNTAX, fileName_ + where + parsed.problem + ".");
            return false;
        }
        if (kind == LINE_TEXT) {
            std::map<int, Location> &group = index_[parsed.group];
            auto found = group.find(parsed.number);
            if (found != group.end()) {
                char twice[96];
                snprintf(twice, sizeof twice, "text %d.%d is given twice (first on line %d).", parsed.group,
                         parsed.number, found->second.line);
                Fail(TEXTCAT_ERR_SYNTAX, fileName_ + where + twice);
                return false;
            }
            const std::string fault = FormatFault(parsed.group, parsed.number, parsed.text);
            if (!fault.empty()) {
                Fail(TEXTCAT_ERR_SYNTAX, fileName_ + where + fault);
                return false;
            }
            group[parsed.number] = Location{lineNumber, static_cast<long long>(at), length};
            entries_.emplace_back(parsed.group, parsed.number);
        }
        at = next;
    }
    return true;
}

// Reads the lines of one group from the file again and decodes its texts.
// A line that no longer reads as it did when the file was checked is left
// out (its text is missing) and noted in Error().
TextCatalog::Texts *TextCatalog::LoadGroup(int group)
{
    auto lines = index_.find(group);
    if (lines == index_.end())
        return nullptr;
    std::unique_ptr<Texts> texts(new Texts);
    PFILE file(fileName_.c_str());
    if (!file.Open(PFILE_READ)) {
        Fail(TEXTCAT_ERR_CHANGED, "The language file \"" + fileName_ + "\" cannot be opened.");
    } else {
        std::vector<char> line(kMaxLineLength + 1);
        for (const auto &entry : lines->second) {
            const Location &where = entry.second;
            ParsedLine parsed;
            bool ok = where.length <= kMaxLineLength && file.Seek(where.offset) &&
                      file.Read(line.data(), 1, where.length) == where.length &&
                      ParseLine(line.data(), where.length, parsed) == LINE_TEXT && parsed.group == group &&
                      parsed.number == entry.first;
            if (ok) {
                (*texts)[entry.first] = std::move(parsed.text);
            } else {
                char text[64];
                snprintf(text, sizeof text, ", line %d has changed since it was read.", where.line);
                Fail(TEXTCAT_ERR_CHANGED, fileName_ + text);
            }
        }
    }
    Texts *result = texts.get();
    loaded_[group] = std::move(texts);
    return result;
}

const char *TextCatalog::GetText(int number, int group)
{
    if (group < 0)
        group = lastGroup_;
    else if (group > 0)
        lastGroup_ = group;
    auto loaded = loaded_.find(group);
    Texts *texts = loaded != loaded_.end() ? loaded->second.get() : LoadGroup(group);
    if (!texts)
        return kMissingText;
    auto text = texts->find(number);
    return text != texts->end() ? text->second.c_str() : kMissingText;
}

void TextCatalog::FreeGroup(int group)
{
    loaded_.erase(group < 0 ? lastGroup_ : group);
}

bool TextCatalog::IsGroupLoaded(int group) const
{
    return loaded_.count(group) != 0;
}

bool TextCatalog::HasText(int number, int group) const
{
    auto lines = index_.find(group);
    return lines != index_.end() && lines->second.count(number) != 0;
}

bool TextCatalog::EntryAt(size_t index, int &group, int &number) const
{
    if (index >= entries_.size())
        return false;
    group = entries_[index].first;
    number = entries_[index].second;
    return true;
}
