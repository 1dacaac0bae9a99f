// ZafWindowObject: the logical event handler, user functions and the event maps of keys and mouse.
#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafList.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// --- Events --------------------------------------------------------------

ZafEventType ZafWindowObject::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_SELECT:
    case ZAF_FOCUS_CHANGE:
        // The dispatcher may delete this object: nothing touches it after.
        return userCallback(this, event, event.type);
    case ZAF_NOT_CURRENT:
        focus = false;
        return event.type;
    case ZAF_CURRENT:
        focus = true;
        return event.type;
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        if (!osWindow)
            CreateOSWindow();
        return event.type;
    case ZAF_DESTROY_OS_WINDOW:
        DestroyOSWindow();
        return event.type;
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_AREA:
    case ZAF_REDISPLAY_CHANGE:
        Redisplay();
        return event.type;
    case ZAF_NEW_REGION:
        SetRegion(event.region);
        MoveOSWindow();
        return event.type;
    case ZAF_APPLY_GEOMETRY:
        // The parent's geometry manager gives the object its place first.
        if (auto *window = dynamic_cast<ZafWindow *>(parent))
            if (auto *geometry = dynamic_cast<ZafGeometryManager *>(window->FindSupportObject(ZAF_NUMID_GEOMETRY)))
                geometry->ApplyConstraints(this);
        MoveOSWindow();
        return event.type;
    default:
        if (event.type >= ZAF_DRAG_FIRST && event.type <= ZAF_DRAG_LAST)
            return DragDropEvent(event);
        return ZAF_UNKNOWN;
    }
}

ZafEventType ZafWindowObject::CallUserFunction(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code)
{
    if (!object || !object->userFunction)
        return 0;
    ZafEventRecord copy = event;
    return object->userFunction(object, copy, code);
}

ZafUserCallback ZafWindowObject::SetUserCallback(ZafUserCallback callback)
{
    userCallback = callback ? callback : CallUserFunction;
    return userCallback;
}

ZafEventType ZafWindowObject::PassKeyUp(const ZafEventRecord &event)
{
    // A parent's handler may delete it and its parents (a default button's
    // user function closing the window): the key goes no further once the
    // object it has just reached is gone. The window manager is left out: it
    // would hand the key back to the front window, which has had it.
    ZafTracker reached(parent);
    while (!reached.Deleted() && reached.Get<ZafWindowObject>() != zafWindowManager) {
        ZafWindowObject *object = reached.Get<ZafWindowObject>();
        ZafEventType code = object->Event(event);
        if (code != ZAF_UNKNOWN)
            return code;
        reached.Track(reached.Deleted() ? nullptr : object->parent);
    }
    return ZAF_UNKNOWN;
}

const ZafEventMap ZafWindowObject::defaultEventMap[] = {
    {ZAF_NEXT, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS},
    {ZAF_PREVIOUS, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZAF_MOVE_UP, ZAF_KEY_EVENT, VK_UP, ZAF_KEY_PRESS},
    {ZAF_MOVE_DOWN, ZAF_KEY_EVENT, VK_DOWN, ZAF_KEY_PRESS},
    {ZAF_MOVE_LEFT, ZAF_KEY_EVENT, VK_LEFT, ZAF_KEY_PRESS},
    {ZAF_MOVE_RIGHT, ZAF_KEY_EVENT, VK_RIGHT, ZAF_KEY_PRESS},
    {ZAF_MOVE_TOP, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {ZAF_MOVE_BOTTOM, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZAF_PAGE_UP, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {ZAF_PAGE_DOWN, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS},
    {ZAF_BEGIN_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_PRESS},
    {ZAF_END_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_RELEASE},
    {ZAF_CONTINUE_SELECT, ZAF_MOUSE_EVENT, WM_MOUSEMOVE, MK_LBUTTON},
    {ZAF_MOUSE_MOVE, ZAF_MOUSE_EVENT, WM_MOUSEMOVE, 0},
    {ZAF_BEGIN_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONDOWN, 0},
    {ZAF_END_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONUP, 0},
    {ZAF_ALT_BEGIN_SELECT, ZAF_MOUSE_EVENT, WM_RBUTTONDOWN, 0},
    {ZAF_DOUBLE_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONDBLCLK, 0},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

namespace {

bool IsCharacterMessage(UINT message)
{
    return message == WM_CHAR || message == WM_SYSCHAR;
}

} // namespace

ZafEventType ZafWindowObject::SearchEventMap(const ZafEventMap *map, const ZafEventRecord &event)
{
    if (!map)
        return ZAF_NO_MAPPING;
    int category = event.type == ZAF_KEY_EVENT || event.type == ZAF_MOUSE_EVENT ? event.type : event.GetCategory();
    // A character's code is no virtual key: '(' is VK_DOWN's number and '#'
    // VK_END's, so characters meet only the rows written for characters.
    const bool character = IsCharacterMessage(event.osEvent.message);
    for (; map->logicalCode != ZAF_NO_MAPPING; ++map) {
        if (map->category != category)
            continue;
        if (category == ZAF_KEY_EVENT) {
            const bool characterRow = (map->modifiers & ZAF_KEY_CHARACTER) != 0;
            if (characterRow == character && map->rawValue == event.key.value &&
                (map->modifiers & ~ZAF_KEY_CHARACTER) == event.key.shiftState)
                return map->logicalCode;
        } else if (map->rawValue == event.osEvent.message && (event.key.value & map->modifiers) == map->modifiers) {
            return map->logicalCode;
        }
    }
    return ZAF_NO_MAPPING;
}

ZafEventType ZafWindowObject::MapEvent(const ZafEventRecord &event) const
{
    ZafEventType code = SearchEventMap(EventMap(), event);
    return code != ZAF_NO_MAPPING ? code : SearchEventMap(defaultEventMap, event);
}
