#include "zaf/core/ZafLatin1.h"

bool IsDigitLatin1(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsPrintLatin1(unsigned char c)
{
    return (c >= 32 && c <= 126) || c >= 0xA0;
}

bool IsSpaceLatin1(unsigned char c)
{
    return c == ' ' || (c >= 9 && c <= 13) || c == 0xA0;
}

bool IsLowerLatin1(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xF6) || c >= 0xF8;
}

bool IsUpperLatin1(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE);
}

unsigned char ToLowerLatin1(unsigned char c)
{
    return IsUpperLatin1(c) ? static_cast<unsigned char>(c + 32) : c;
}

unsigned char ToUpperLatin1(unsigned char c)
{
    return (IsLowerLatin1(c) && c != 0xDF && c != 0xFF) ? static_cast<unsigned char>(c - 32) : c;
}

char *ToLowerStringLatin1(char *text)
{
    if (!text)
        return text;
    for (char *c = text; *c; ++c)
        *c = static_cast<char>(ToLowerLatin1(static_cast<unsigned char>(*c)));
    return text;
}
