// ZafList: an intrusive doubly linked list of ZafElement.
//
// The list owns its elements: Destroy and the destructor delete every element
// still linked. Subtract unlinks without deleting. An element stands in at
// most one list at a time (its links live in the element).
//
// With a compare function, Add keeps the list sorted: a new element goes after
// the last element that is not greater than it, so equal elements keep their
// insertion order, with one exception that stored lists rely on: an element
// that compares equal to the first element (and less than the last) goes in
// front of it.
#pragma once

#include "zaf/core/ZafElement.h"

// Compares two elements: negative, 0 or positive like strcmp.
using ZafCompareFunction = int (*)(ZafElement *a, ZafElement *b);

class ZafList
{
public:
    explicit ZafList(ZafCompareFunction compare = nullptr) : compareFunction(compare) {}
    ZafList(const ZafList &) = delete;
    ZafList &operator=(const ZafList &) = delete;
    virtual ~ZafList();

    ZafElement *Add(ZafElement *element);
    ZafElement *AddBefore(ZafElement *element, ZafElement *before);
    ZafElement *Subtract(ZafElement *element);
    void Destroy();
    void Sort();

    ZafElement *Get(int position) const;
    int Index(const ZafElement *element) const;
    int Count() const { return count; }
    bool IsEmpty() const { return count == 0; }

    ZafElement *First() const { return first; }
    ZafElement *Last() const { return last; }
    ZafElement *Current() const { return current; }
    ZafElement *SetCurrent(ZafElement *element) { return current = element; }

    ZafCompareFunction CompareFunction() const { return compareFunction; }
    ZafCompareFunction SetCompareFunction(ZafCompareFunction compare) { return compareFunction = compare; }

    // True when the element is linked into this list.
    bool Contains(const ZafElement *element) const { return Index(element) >= 0; }

protected:
    ZafCompareFunction compareFunction = nullptr;
    ZafElement *first = nullptr;
    ZafElement *last = nullptr;
    ZafElement *current = nullptr;
    int count = 0;

private:
    void LinkAfter(ZafElement *element, ZafElement *after);
    void LinkBefore(ZafElement *element, ZafElement *before);
};
