// ObjectPath: the objects from one up to the top of its tree, for code that
// calls out (a handler, a user function) and must tell afterwards which of
// them still exist. Internal to the window-object implementation.
#pragma once

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowObject.h"

#include <vector>

// The objects from one up to the top of its tree, taken while all of them
// exist. After a call-out that may have deleted any of them, whether one
// still exists is told by address alone, as CloseWindow tells it: the top
// is still the window manager or still bound to its Windows window, and
// every window on the way down still holds the next object. A link through
// a parent that is no window cannot be told so and counts as gone.
class ObjectPath
{
public:
    explicit ObjectPath(ZafWindowObject *object)
    {
        for (ZafWindowObject *o = object; o; o = o->Parent())
            objects.push_back(o);
        topWindow = objects.back()->OSHandle();
    }
    std::size_t Size() const { return objects.size(); }
    ZafWindowObject *At(std::size_t index) const { return objects[index]; }
    bool Exists(std::size_t index) const
    {
        ZafWindowObject *top = objects.back();
        if (top != zafWindowManager && !(topWindow && ZafObjectFromHandle(topWindow) == top))
            return false;
        for (std::size_t i = objects.size() - 1; i > index; --i) {
            auto *window = dynamic_cast<ZafWindow *>(objects[i]);
            const ZafWindowObject *next = objects[i - 1];
            if (!window || !(window->Contains(next) || window->SupportList().Contains(next)))
                return false;
        }
        return true;
    }

private:
    std::vector<ZafWindowObject *> objects;
    HWND topWindow = nullptr;
};
