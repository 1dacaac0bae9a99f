#include "zaf/core/ZafText.h"

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
