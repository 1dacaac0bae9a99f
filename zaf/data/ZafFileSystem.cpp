#include "zaf/data/ZafFileSystem.h"

#include <cstring>

#include "zaf/core/ZafText.h"

bool ZafIsStoredName(const char *name)
{
    if (!name || !*name || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
        return false;
    return std::strpbrk(name, "~*?") == nullptr;
}

ZafFileInfo::~ZafFileInfo()
{
    delete[] name;
    delete[] stringID;
}

void ZafFileInfo::Clear()
{
    SetName(nullptr);
    SetStringID(nullptr);
    objectID = 0;
    size = -1;
    attributes = 0;
}

void ZafFileInfo::SetName(const char *text)
{
    char *copy = DuplicateLibraryString(text);
    delete[] name;
    name = copy;
}

void ZafFileInfo::SetStringID(const char *text)
{
    char *copy = DuplicateLibraryString(text);
    delete[] stringID;
    stringID = copy;
}
