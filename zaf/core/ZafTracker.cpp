#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafElement.h"

void ZafTracker::Track(ZafElement *newElement)
{
    if (element) {
        if (previous)
            previous->next = next;
        else
            element->trackers = next;
        if (next)
            next->previous = previous;
    }
    element = newElement;
    previous = nullptr;
    next = nullptr;
    if (element) {
        next = element->trackers;
        if (next)
            next->previous = this;
        element->trackers = this;
    }
}

void ZafElement::ReleaseTrackers()
{
    for (ZafTracker *tracker = trackers, *following = nullptr; tracker; tracker = following) {
        following = tracker->next;
        tracker->element = nullptr;
        tracker->previous = tracker->next = nullptr;
    }
    trackers = nullptr;
}
