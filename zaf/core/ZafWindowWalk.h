// The walks over a window's lists that ZafWindow's source files share
// (internal to them; not part of the library's interface).
#pragma once

#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindow.h"

#include <cstddef>
#include <initializer_list>
#include <memory>

namespace ZafWindowWalk {

inline ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

// Calls call(object, objectTracker, windowTracker) for every object of the
// window's lists, in order. A call may delete or take out any object of the
// window, or the window itself: the walk goes over the objects there were at
// its start, skips those that have left the window since (each is followed
// by a tracker, so telling takes one step, not a search of the list) and
// stops once the window is gone.
template <class Call> void ForEachObject(ZafWindow &window, std::initializer_list<const ZafList *> lists, Call call)
{
    std::size_t count = 0;
    for (const ZafList *list : lists)
        count += static_cast<std::size_t>(list->Count());
    std::unique_ptr<ZafTracker[]> objects(new ZafTracker[count]);
    std::size_t n = 0;
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e && n < count; e = e->Next())
            objects[n++].Track(e);
    ZafTracker self(&window);
    for (std::size_t i = 0; i < n && !self.Deleted(); ++i) {
        ZafWindowObject *object = objects[i].Get<ZafWindowObject>();
        if (object && object->Parent() == &window)
            call(object, objects[i], self);
    }
}

} // namespace ZafWindowWalk
