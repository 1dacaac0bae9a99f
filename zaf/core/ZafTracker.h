// ZafTracker: a weak handle to a list element (a window object, a data
// object) that the element's destructor clears.
//
// The library's one lifetime rule: code that calls out (a user function, a
// dispatcher, a child's Event, a key passed up, a modal loop) and then
// touches an object again holds a tracker on it and asks Deleted() first:
//   ZafTracker tracker(this);
//   CallOut();
//   if (tracker.Deleted())
//       return;
// Events that wait in the queue name their object by its event handle
// (ZafWindowObject::EventHandle), the same rule for records that are copied
// byte for byte.
//
// A tracker lives where it was made (it links itself into the element's
// list of trackers) and cannot be copied; the element may have any number.
// Trackers belong to the one GUI thread.
#pragma once

class ZafElement;

class ZafTracker
{
    friend class ZafElement;

public:
    ZafTracker() = default;
    explicit ZafTracker(ZafElement *element) { Track(element); }
    ZafTracker(const ZafTracker &) = delete;
    ZafTracker &operator=(const ZafTracker &) = delete;
    ~ZafTracker() { Track(nullptr); }

    // Follows another element (null: none).
    void Track(ZafElement *element);
    // True once the element is deleted (or when none is tracked).
    bool Deleted() const { return !element; }
    ZafElement *Element() const { return element; }
    // The element as the class the caller knows it to be; null once deleted.
    template <class T> T *Get() const { return static_cast<T *>(element); }

private:
    ZafElement *element = nullptr;
    ZafTracker *previous = nullptr;
    ZafTracker *next = nullptr;
};
