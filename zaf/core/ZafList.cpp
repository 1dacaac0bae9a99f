#include "zaf/core/ZafList.h"

ZafList::~ZafList()
{
    Destroy();
}

void ZafList::LinkAfter(ZafElement *element, ZafElement *after)
{
    element->previous = after;
    element->next = after ? after->next : first;
    if (element->next)
        element->next->previous = element;
    else
        last = element;
    if (after)
        after->next = element;
    else
        first = element;
    ++count;
}

void ZafList::LinkBefore(ZafElement *element, ZafElement *before)
{
    if (!before)
        LinkAfter(element, last);
    else
        LinkAfter(element, before->previous);
}

ZafElement *ZafList::Add(ZafElement *element)
{
    if (!element)
        return nullptr;
    if (!compareFunction || !first || compareFunction(last, element) <= 0) {
        LinkAfter(element, last);
        return element;
    }
    if (compareFunction(first, element) >= 0) {
        LinkAfter(element, nullptr);
        return element;
    }
    // Search back from the end for the last element that is not greater; the
    // first element is greater, so the search stops before running off.
    ZafElement *after = last;
    while (after && compareFunction(after, element) > 0)
        after = after->previous;
    LinkAfter(element, after);
    return element;
}

ZafElement *ZafList::AddBefore(ZafElement *element, ZafElement *before)
{
    if (!element)
        return nullptr;
    LinkBefore(element, before);
    return element;
}

ZafElement *ZafList::Subtract(ZafElement *element)
{
    if (!element || !Contains(element))
        return element;
    if (element->previous)
        element->previous->next = element->next;
    else
        first = element->next;
    if (element->next)
        element->next->previous = element->previous;
    else
        last = element->previous;
    if (current == element)
        current = nullptr;
    element->previous = element->next = nullptr;
    --count;
    return element;
}

void ZafList::Destroy()
{
    ZafElement *element = first;
    first = last = current = nullptr;
    count = 0;
    while (element) {
        ZafElement *next = element->next;
        element->previous = element->next = nullptr;
        delete element;
        element = next;
    }
}

void ZafList::Sort()
{
    if (!compareFunction)
        return;
    ZafElement *element = first;
    ZafElement *keepCurrent = current;
    first = last = current = nullptr;
    count = 0;
    while (element) {
        ZafElement *next = element->next;
        element->previous = element->next = nullptr;
        Add(element);
        element = next;
    }
    current = keepCurrent;
}

ZafElement *ZafList::Get(int position) const
{
    if (position < 0)
        return nullptr;
    ZafElement *element = first;
    while (element && position-- > 0)
        element = element->next;
    return element;
}

int ZafList::Index(const ZafElement *element) const
{
    if (!element)
        return -1;
    int index = 0;
    for (const ZafElement *e = first; e; e = e->next, ++index)
        if (e == element)
            return index;
    return -1;
}
