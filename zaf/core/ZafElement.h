// ZafElement: the base of every object of the class library that can stand in
// a ZafList (data objects, files, file systems, window objects).
//
// An element carries the links of the one list that holds it, a 16-bit
// number id and an owned string id (its name). The string id is a heap copy
// that the element frees; null means "no name". Its destructor clears every
// ZafTracker that follows it.
#pragma once

#include "zaf/core/ZafTracker.h"

#include <cstdint>

using ZafNumberID = std::uint16_t;
using ZafClassID = std::uint16_t;

class ZafList;

class ZafElement
{
    friend class ZafList;
    friend class ZafTracker;

public:
    static constexpr ZafClassID classID = 0;
    static constexpr const char *className = "ZafElement";

    ZafElement() = default;
    // An unlinked copy: same number id, its own copy of the string id.
    ZafElement(const ZafElement &other);
    ZafElement &operator=(const ZafElement &) = delete;
    virtual ~ZafElement();

    // Virtual operations in the library's order.
    virtual ZafElement *FindByStringID(const char *text);
    virtual ZafElement *FindByNumberID(ZafNumberID id);
    virtual ZafClassID ClassID() const { return classID; }
    virtual const char *ClassName() const { return className; }
    virtual bool IsClassName(const char *name) const;
    virtual bool IsClassID(ZafClassID id) const;

    void CopyFrom(const ZafElement &other);

    // Stores a heap copy of the text (null clears the id); safe when the text
    // is the element's own current id. Returns the new string id.
    const char *SetStringID(const char *text);
    const char *StringID() const { return stringID; }
    ZafNumberID SetNumberID(ZafNumberID id) { return numberID = id; }
    ZafNumberID NumberID() const { return numberID; }

    ZafElement *Next() const { return next; }
    ZafElement *Previous() const { return previous; }
    // The number of elements before this one in its list (0 for the first).
    int GetListIndex() const;

protected:
    // Tells every tracker of the element that it is gone. The destructor
    // does it; a derived destructor that calls out while it tears down does
    // it first, so that nothing called treats the element as whole.
    void ReleaseTrackers();

    ZafElement *previous = nullptr;
    ZafElement *next = nullptr;
    ZafNumberID numberID = 0;
    char *stringID = nullptr;

private:
    // The trackers that follow the element (not copied with it).
    ZafTracker *trackers = nullptr;
};
