#include "zaf/core/ZafLatin1.h"

bool IsUpperLatin1(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE);
}

unsigned char ToLowerLatin1(unsigned char c)
{
    return IsUpperLatin1(c) ? static_cast<unsigned char>(c + 32) : c;
}
