#include "zaf/core/ZafEventRecord.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstring>
#include <type_traits>

static_assert(std::is_trivially_copyable<ZafEventRecord>::value, "the queue copies event records byte for byte");

ZafEventRecord::ZafEventRecord()
{
    std::memset(static_cast<void *>(this), 0, sizeof(*this));
}

ZafEventRecord::ZafEventRecord(ZafEventType eventType, std::intptr_t eventValue) : ZafEventRecord()
{
    type = eventType;
    value = eventValue;
}

ZafEventRecord::ZafEventRecord(ZafEventType eventType, ZafWindowObject *object) : ZafEventRecord()
{
    type = eventType;
    SetObject(object);
}

ZafWindowObject *ZafEventRecord::Object() const
{
    return ZafWindowObject::FromEventHandle(value);
}

void ZafEventRecord::SetObject(ZafWindowObject *object)
{
    value = object ? object->EventHandle() : 0;
}

int ZafEventRecord::GetCategory() const
{
    if (type == ZAF_KEY_EVENT || type == ZAF_MOUSE_EVENT)
        return type;
    if (type == ZAF_OS_EVENT) {
        UINT message = osEvent.message;
        if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
            return ZAF_KEY_EVENT;
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
            return ZAF_MOUSE_EVENT;
    }
    return ZAF_NO_CATEGORY;
}
