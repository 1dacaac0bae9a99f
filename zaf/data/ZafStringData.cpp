#include "zaf/data/ZafStringData.h"

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"

#include <cstring>
#include <string>

namespace {

int TextLength(const char *text)
{
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

// Upper case of a Latin-1 letter: 32 below a lower-case one, except 0xDF and
// 0xFF, which have no upper case.
char UpperLatin1(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    bool lower = (u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7);
    return lower ? static_cast<char>(u - 32) : c;
}

// Opens an update bracket for its lifetime; the closing notifies.
class UpdateBracket
{
public:
    explicit UpdateBracket(ZafData &data) : data(data) { data.StartUpdate(); }
    ~UpdateBracket() { data.EndUpdate(); }
    UpdateBracket(const UpdateBracket &) = delete;
    UpdateBracket &operator=(const UpdateBracket &) = delete;

private:
    ZafData &data;
};

} // namespace

// ---- Construction ------------------------------------------------------------

ZafStringData::ZafStringData(bool staticData) : staticData(staticData)
{
    RegisterConversions();
    if (!staticData)
        Reallocate(defaultBufferSize);
}

ZafStringData::ZafStringData(const char *newText, int newMaxLength, bool newStaticData)
{
    RegisterConversions();
    ConstructFromText(newText, newMaxLength, newStaticData);
}

ZafStringData::ZafStringData(const ZafStringData &other) : ZafFormatData(other), staticData(other.staticData)
{
    SetStringData(other);
}

ZafStringData::ZafStringData(const char *name, ZafDataPersistence &persistence)
    : ZafFormatData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) {
        std::int16_t storedMaximum = -1;
        char *stored = nullptr;
        ZafReadWhole(file, storedMaximum);
        file.ReadString(&stored);
        if (file.Error() == 0) {
            if (stored)
                SetText(stored, storedMaximum);
            else {
                maxLength = storedMaximum < 0 ? -1 : storedMaximum;
                // The buffer holds the whole maximum, so that a stored maximum
                // above 254 is not cut to the default buffer by later edits.
                Reallocate(maxLength >= defaultBufferSize ? maxLength + 1 : defaultBufferSize);
            }
        }
        delete[] stored;
    });
}

ZafElement *ZafStringData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafStringData(name, persistence);
}

bool ZafStringData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafFormatData::IsClassID(id);
}

bool ZafStringData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafFormatData::IsClassName(name);
}

std::uint32_t ZafStringData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafFormatData>(*this, persistence, ZafDataPersistence::dataEntry, [this](ZafFile &file) {
        // The file keeps 16 bits: a larger maximum is stored as the largest
        // one, not wrapped into a negative "no maximum".
        file.Write16(static_cast<std::int16_t>(maxLength > 0x7FFF ? 0x7FFF : maxLength));
        file.WriteString(text);
    });
}

void ZafStringData::Clear()
{
    UpdateBracket bracket(*this);
    if (text)
        text[0] = '\0';
    else if (!staticData)
        Reallocate(defaultBufferSize);
    SetError(0);
}

ZafStringData::~ZafStringData()
{
    if (!staticData)
        delete[] text;
}

void ZafStringData::ConstructFromText(const char *newText, int newMaxLength, bool newStaticData)
{
    staticData = newStaticData;
    maxLength = newMaxLength < 0 ? -1 : newMaxLength;
    if (staticData) {
        // The caller's buffer: maximum + 1 bytes, or exactly the text; static
        // data never claims more than the caller has given.
        text = const_cast<char *>(newText);
        bufferSize = !text ? 0 : maxLength >= 0 ? maxLength + 1 : TextLength(text) + 1;
        if (text && maxLength >= 0 && TextLength(text) > maxLength)
            text[maxLength] = '\0';
        return;
    }
    bufferSize = maxLength >= 0 ? maxLength + 1 : newText ? TextLength(newText) + 11 : defaultBufferSize;
    text = new char[bufferSize]();
    if (newText)
        std::strncpy(text, newText, static_cast<std::size_t>(bufferSize - 1));
    text[bufferSize - 1] = '\0';
}

void ZafStringData::Reallocate(int newSize)
{
    char *buffer = new char[newSize]();
    if (text)
        std::strncpy(buffer, text, static_cast<std::size_t>(newSize - 1));
    buffer[newSize - 1] = '\0';
    if (!staticData)
        delete[] text;
    text = buffer;
    bufferSize = newSize;
}

// ---- Reading --------------------------------------------------------------------

int ZafStringData::Length() const
{
    return TextLength(text);
}

char *ZafStringData::DuplicateText() const
{
    int size = bufferSize > Length() ? bufferSize : Length() + 1;
    char *copy = new char[size]();
    if (text)
        std::memcpy(copy, text, static_cast<std::size_t>(Length()));
    return copy;
}

char *ZafStringData::DuplicateConvertedText() const
{
    int size = (maxLength >= 1 ? maxLength : bufferSize) + 1;
    char *copy = new char[size]();
    if (text) {
        char *converted = ConvertTextByCodeSet(text, nullptr, true);
        std::strncpy(copy, converted, static_cast<std::size_t>(size - 1));
        delete[] converted;
    }
    return copy;
}

int ZafStringData::Compare(const char *other, bool ignoreCase) const
{
    if (ignoreCase)
        return CompareTextNoCase(text ? text : "", other ? other : "");
    int result = std::strcmp(text ? text : "", other ? other : "");
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// ---- Changing -------------------------------------------------------------------

int ZafStringData::SetMaxLength(int newMaxLength)
{
    maxLength = newMaxLength < 0 ? -1 : newMaxLength;
    if (staticData) {
        // The caller's buffer holds maximum + 1 bytes: claiming more would let
        // in-place edits write past it.
        if (maxLength >= 0 && text) {
            bufferSize = maxLength + 1;
            if (Length() > maxLength)
                text[maxLength] = '\0';
        }
        return maxLength;
    }
    if (maxLength > bufferSize - 1)
        Reallocate(maxLength + 1);
    if (maxLength >= 0 && text && Length() > maxLength)
        text[maxLength] = '\0';
    return maxLength;
}

void ZafStringData::AssignText(const char *newText)
{
    if (staticData && (!text || !newText)) {
        text = const_cast<char *>(newText);
        bufferSize = !text ? 0 : maxLength >= 0 ? maxLength + 1 : Length() + 1;
        if (text && maxLength >= 0 && Length() > maxLength)
            text[maxLength] = '\0';
        return;
    }
    // Copied first: the new text may lie inside the buffer.
    std::string value = newText ? newText : "";
    if (staticData || maxLength >= 0) {
        std::size_t room = static_cast<std::size_t>(bufferSize - 1);
        if (maxLength >= 0 && static_cast<std::size_t>(maxLength) < room)
            room = static_cast<std::size_t>(maxLength);
        if (value.size() > room)
            value.resize(room);
    } else if (static_cast<int>(value.size()) + 1 > bufferSize) {
        delete[] text;
        text = nullptr;
        Reallocate(static_cast<int>(value.size()) + 11);
    }
    if (!text)
        Reallocate(defaultBufferSize);
    std::memcpy(text, value.c_str(), value.size() + 1);
}

int ZafStringData::SetText(const char *newText, int newMaxLength)
{
    UpdateBracket bracket(*this);
    SetMaxLength(newMaxLength);
    AssignText(newText);
    return 0;
}

int ZafStringData::SetText(const char *newText)
{
    return SetText(newText, maxLength);
}

int ZafStringData::SetStringData(const ZafStringData &other)
{
    return SetText(other.text, other.maxLength);
}

ZafStringData &ZafStringData::AssignFrom(const ZafStringData &other)
{
    SetStringData(other);
    return *this;
}

int ZafStringData::Append(const char *tail)
{
    if (!tail || !*tail)
        return 0;
    UpdateBracket bracket(*this);
    std::string joined = std::string(text ? text : "") + tail;
    SetText(joined.c_str());
    return 0;
}

int ZafStringData::Insert(int position, const char *insertion, int count)
{
    if (!insertion || !*insertion || !text)
        return 0;
    UpdateBracket bracket(*this);
    int available = TextLength(insertion);
    if (count < 0 || count > available)
        count = available;
    int length = Length();
    // Positions beyond the text append, so that no gap is left before the
    // inserted characters.
    if (position < 0)
        position = 0;
    if (position > length)
        position = length;
    if (length + count > bufferSize - 1) {
        if (staticData)
            return 0;
        std::string result(text, static_cast<std::size_t>(position));
        result.append(insertion, static_cast<std::size_t>(count));
        result.append(text + position);
        if (maxLength < 0)
            Reallocate(length + count + 11);
        AssignText(result.c_str());
        return 0;
    }
    std::string inserted(insertion, static_cast<std::size_t>(count));
    std::memmove(text + position + count, text + position, static_cast<std::size_t>(length - position + 1));
    std::memcpy(text + position, inserted.data(), static_cast<std::size_t>(count));
    return 0;
}

int ZafStringData::Delete(int position, int count)
{
    int length = Length();
    // Clamped to the text, not only to the buffer.
    if (!text || position < 0 || position >= length || count <= 0)
        return 0;
    if (count > length - position)
        count = length - position;
    UpdateBracket bracket(*this);
    std::memmove(text + position, text + position + count, static_cast<std::size_t>(length - position - count + 1));
    return 0;
}

int ZafStringData::DeleteText(const char *part)
{
    if (!text || !part || !*part)
        return 0;
    const char *found = std::strstr(text, part);
    if (!found)
        return 0;
    return Delete(static_cast<int>(found - text), TextLength(part));
}

int ZafStringData::Replace(int position, int count, const char *insertion, int insertionCount)
{
    UpdateBracket bracket(*this);
    Delete(position, count);
    Insert(position, insertion, insertionCount);
    return 0;
}

int ZafStringData::SetChar(int position, char c, bool quiet)
{
    // The last byte of the buffer is the terminator's: a character there
    // would leave the text unterminated.
    int last = c ? bufferSize - 2 : bufferSize - 1;
    if (position < 0 || (position > last && (staticData || maxLength >= 0)))
        return ZafError::OutOfRange;
    if (!quiet)
        StartUpdate();
    if (position > last)
        Reallocate(position + 2 <= defaultBufferSize ? defaultBufferSize : position + defaultBufferSize);
    int length = Length();
    if (c && position > length)
        std::memset(text + length, ' ', static_cast<std::size_t>(position - length));
    text[position] = c;
    if (c && position >= length)
        text[position + 1] = '\0';
    if (!quiet)
        EndUpdate();
    return 0;
}

bool ZafStringData::SetStaticData(bool flag)
{
    if (staticData && !flag) {
        int size = bufferSize > 0 ? bufferSize : defaultBufferSize;
        char *buffer = new char[size]();
        if (text)
            std::strncpy(buffer, text, static_cast<std::size_t>(size - 1));
        text = buffer;
        bufferSize = size;
    }
    staticData = flag;
    return staticData;
}

int ZafStringData::SetOSText(const char *osText)
{
    char *latin = ConvertTextToISO(osText, nullptr, true);
    const int result = SetText(latin);
    delete[] latin;
    return result;
}

int ZafStringData::SetFormattedText(const char *newText, const char *format)
{
    UpdateBracket bracket(*this);
    ScanText(newText, format);
    return 0;
}

int ZafStringData::FormattedText(char *buffer, int maxLength, const char *format)
{
    return FormatText(buffer, maxLength, format);
}

// ---- Message data -------------------------------------------------------------------

ZafMessageData::ZafMessageData(const char *newText, char newHotKey, std::uint32_t newValue)
    : ZafStringData(newText), hotKey(UpperLatin1(newHotKey)), value(newValue)
{}

bool ZafMessageData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafStringData::IsClassID(id);
}

bool ZafMessageData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafStringData::IsClassName(name);
}

char ZafMessageData::SetHotKey(char newHotKey, std::uint32_t newValue)
{
    newHotKey = UpperLatin1(newHotKey);
    if (newHotKey != hotKey || newValue != value)
        SetUpdateType(UpdateType() | oneShot);
    hotKey = newHotKey;
    value = newValue;
    return hotKey;
}

// ---- Conversions ------------------------------------------------------------------

void ZafStringData::RegisterConversions()
{
    static bool registered = false;
    RegisterLetters(registered, "cs", PrintConversion, "sc[", ScanConversion);
}

void ZafStringData::PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                    int width, int precision)
{
    const char *source;
    char single[2] = {0, 0};
    if (flags & ZAF_PRINT_DATA) {
        auto *data = dynamic_cast<ZafStringData *>(arguments.NextData());
        if (!data || !data->text)
            return;
        source = data->text;
    } else if (letter == 's') {
        source = arguments.NextText();
        if (!source)
            source = "(null)";
    } else {
        single[0] = static_cast<char>(arguments.NextInteger());
        source = single;
    }
    int length = letter == 'c' ? (source[0] ? 1 : 0) : TextLength(source);
    if (letter == 's' && precision >= 0 && precision < length)
        length = precision;

    long long padding = static_cast<long long>(width) - length;
    if (!(flags & ZAF_PRINT_LEFT))
        output.PutRepeated((flags & ZAF_PRINT_ZERO) ? '0' : ' ', padding);
    output.Put(source, length);
    if (flags & ZAF_PRINT_LEFT)
        output.PutRepeated(' ', padding);
}

int ZafStringData::ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags,
                                  int width, const char *&format)
{
    bool member[256] = {};
    if (letter == '[') {
        bool complement = *format == '^';
        if (complement)
            format++;
        // The first character is a member even when it is ']'.
        for (bool first = true; *format && (first || *format != ']'); first = false) {
            unsigned char low = static_cast<unsigned char>(format[0]);
            unsigned char high = static_cast<unsigned char>(format[1] == '-' ? format[2] : 0);
            if (high && high != ']' && high >= low) {
                for (int c = low; c <= high; c++)
                    member[c] = true;
                format += 3;
            } else {
                member[low] = true;
                format++;
            }
        }
        if (*format == ']')
            format++;
        if (complement)
            for (bool &m : member)
                m = !m;
        member[0] = false;
    }

    const char *p = text;
    if (letter == 's')
        while (IsBlank(*p))
            p++;
    long long limit = width > 0 ? width : letter == 'c' ? 1 : -1;
    const char *start = p;
    while (*p && (limit < 0 || p - start < limit)) {
        bool accepted = letter == 'c' || (letter == 's' ? !IsBlank(*p) : member[static_cast<unsigned char>(*p)]);
        if (!accepted)
            break;
        p++;
    }
    std::size_t taken = static_cast<std::size_t>(p - start);
    if (letter == '[' && taken == 0)
        return -1;
    text = p;
    if (flags & ZAF_SCAN_SUPPRESS)
        return 0;
    if (flags & ZAF_SCAN_DATA) {
        auto *data = dynamic_cast<ZafStringData *>(arguments.NextData());
        if (!data)
            return 0;
        // Through the text-setting rules: owned data grows, a maximum or a
        // static buffer bounds the copy.
        data->AssignText(std::string(start, taken).c_str());
        return 1;
    }
    char *target = arguments.NextTextTarget();
    if (!target)
        return 0;
    std::memcpy(target, start, taken);
    target[taken] = '\0';
    return 1;
}
