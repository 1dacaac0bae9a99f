#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafText.h"

#include <cstdlib>

ZafElement::ZafElement(const ZafElement &other)
{
    CopyFrom(other);
}

ZafElement::~ZafElement()
{
    ReleaseTrackers();
    delete[] stringID;
}

void ZafElement::CopyFrom(const ZafElement &other)
{
    previous = next = nullptr;
    numberID = other.numberID;
    SetStringID(other.stringID);
}

const char *ZafElement::SetStringID(const char *text)
{
    // Copy before freeing: SetStringID(StringID()) must not read freed memory.
    char *copy = DuplicateLibraryString(text);
    delete[] stringID;
    stringID = copy;
    return stringID;
}

ZafElement *ZafElement::FindByStringID(const char *text)
{
    return ZafStringCompare(stringID, text) == 0 ? this : nullptr;
}

ZafElement *ZafElement::FindByNumberID(ZafNumberID id)
{
    return numberID == id ? this : nullptr;
}

bool ZafElement::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0;
}

bool ZafElement::IsClassID(ZafClassID id) const
{
    return id == classID;
}

int ZafElement::GetListIndex() const
{
    int index = 0;
    for (const ZafElement *e = previous; e; e = e->previous)
        ++index;
    return index;
}
