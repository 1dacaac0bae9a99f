#include "zaf/core/ZafText.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstring>

char *DuplicateLibraryString(const char *text)
{
    if (!text)
        return nullptr;
    std::size_t length = std::strlen(text);
    char *copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

int ZafStringCompare(const char *a, const char *b)
{
    if (a == b)
        return 0;
    if (!a)
        return -1;
    if (!b)
        return 1;
    return std::strcmp(a, b);
}

namespace {

// Compares folded characters up to the limit (a null limit means no limit).
int CompareFolded(const char *a, const char *b, const std::size_t *limit)
{
    if (a == b)
        return 0;
    if (!a)
        return -1;
    if (!b)
        return 1;
    for (std::size_t i = 0; !limit || i < *limit; ++i) {
        int ca = ToLowerLatin1(static_cast<unsigned char>(a[i]));
        int cb = ToLowerLatin1(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            break;
    }
    return 0;
}

int FoldedByteOrder(const char *a, const char *b)
{
    return CompareFolded(a, b, nullptr);
}

ZafSortKeyCompare sortKeyCompare = FoldedByteOrder;

} // namespace

int ZafStringCompareNoCaseN(const char *a, const char *b, std::size_t n)
{
    return CompareFolded(a, b, &n);
}

int CompareTextNoCase(const char *a, const char *b)
{
    return CompareFolded(a, b, nullptr);
}

int CompareObjectTexts(ZafElement *a, ZafElement *b)
{
    auto *objectA = dynamic_cast<ZafWindowObject *>(a);
    auto *objectB = dynamic_cast<ZafWindowObject *>(b);
    const char *textA = objectA ? objectA->Text() : nullptr;
    const char *textB = objectB ? objectB->Text() : nullptr;
    if (!textA)
        return -1;
    if (!textB)
        return 1;
    return CompareStringsBySortKey(textA, textB);
}

int CompareStringsBySortKey(const char *a, const char *b)
{
    int result = (a && b) ? sortKeyCompare(a, b) : ZafStringCompare(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

ZafSortKeyCompare SetSortKeyCompare(ZafSortKeyCompare compare)
{
    ZafSortKeyCompare previous = sortKeyCompare;
    sortKeyCompare = compare ? compare : FoldedByteOrder;
    return previous == FoldedByteOrder ? nullptr : previous;
}

char *ZafIntegerToText(int value, char *buffer, std::size_t bufferSize, int radix, int minimumWidth)
{
    static const char digits[] = "0123456789abcdef";
    if (!buffer || bufferSize == 0)
        return nullptr;
    buffer[0] = '\0';
    if (radix < 2 || radix > 16)
        radix = 10;

    bool negative = value < 0 && radix == 10;
    // Work on the unsigned form: the most negative value has no positive int.
    unsigned magnitude = static_cast<unsigned>(value);
    if (negative)
        magnitude = 0u - magnitude;

    char reversed[33];
    int length = 0;
    do {
        reversed[length++] = digits[magnitude % static_cast<unsigned>(radix)];
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude);

    std::size_t digitCount = static_cast<std::size_t>(length);
    std::size_t total = digitCount + (negative ? 1 : 0);
    std::size_t width = minimumWidth > 0 ? static_cast<std::size_t>(minimumWidth) : 0;
    std::size_t zeros = width > total ? width - total : 0;
    if (total + zeros + 1 > bufferSize)
        return nullptr;

    char *out = buffer;
    if (negative)
        *out++ = '-';
    for (std::size_t i = 0; i < zeros; ++i)
        *out++ = '0';
    while (length > 0)
        *out++ = reversed[--length];
    *out = '\0';
    return buffer;
}

int ZafWildcardMatch(const char *name, const char *pattern)
{
    if (!name)
        name = "";
    if (!pattern)
        pattern = "";
    // Greedy match with one back-track point: the last '*' seen and the name
    // position it is currently taken to cover up to.
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return 1;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern ? 1 : 0;
}

char *ZafInsertHotKey(const char *text, int index)
{
    if (!text)
        return nullptr;
    std::size_t length = std::strlen(text);
    // An '&' at the index is not marked: it is written doubled, and one more
    // '&' before it would make the character after it the hot key.
    bool mark = index >= 0 && static_cast<std::size_t>(index) < length && text[index] != '&';

    std::size_t ampersands = 0;
    for (const char *c = text; *c; ++c)
        if (*c == '&')
            ++ampersands;

    char *result = new char[length + ampersands + (mark ? 1 : 0) + 1];
    char *out = result;
    for (std::size_t i = 0; i < length; ++i) {
        if (mark && i == static_cast<std::size_t>(index))
            *out++ = '&';
        if (text[i] == '&')
            *out++ = '&';
        *out++ = text[i];
    }
    *out = '\0';
    return result;
}

namespace {
ZafOSTextConverter osTextConverter = nullptr;
} // namespace

void SetOSTextConverter(ZafOSTextConverter converter)
{
    osTextConverter = converter;
}

std::FILE *ZafOpenFile(const char *fileName, const char *mode)
{
    if (!fileName || !mode)
        return nullptr;
    if (!osTextConverter)
        return std::fopen(fileName, mode);
    char *localName = osTextConverter(fileName);
    char *localMode = osTextConverter(mode);
    std::FILE *stream = (localName && localMode) ? std::fopen(localName, localMode) : nullptr;
    delete[] localName;
    delete[] localMode;
    return stream;
}
