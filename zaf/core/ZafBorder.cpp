#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"

ZafBorder::ZafBorder() : ZafWindowObject(0, 0, 0, 0)
{
    SetNumberID(ZAF_NUMID_BORDER);
    SetFlag(flagSupportObject);
    ClearFlag(flagOwnWindow);
}

ZafBorder::ZafBorder(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    SetFlag(flagSupportObject);
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafBorder::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafBorder(name, persistence);
}

void ZafBorder::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    persistence.PopLevel();
}

bool ZafBorder::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafBorder::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindowObject::IsClassName(name);
}

int ZafBorder::FrameWidth(int &width) const
{
    const auto *window = dynamic_cast<const ZafWindow *>(parent);
    if (!window)
        return 1;
    if (window->IsClassID(ZafDialogWindow::classID))
        width = GetSystemMetrics(SM_CXDLGFRAME);
    else if (window->Sizeable())
        width = GetSystemMetrics(SM_CXFRAME);
    else
        width = GetSystemMetrics(SM_CXBORDER);
    return 0;
}

ZafEventType ZafBorder::FrameSupportEvent(ZafWindowObject &object, const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        if (object.Parent())
            object.SetOSHandle(object.Parent()->OSHandle(2));
        break;
    case ZAF_DEINITIALIZE:
    // The handle is borrowed: it goes with the parent's window, whatever
    // event tells of that first.
    case ZAF_DESTROY_OS_WINDOW:
        object.SetOSHandle(nullptr);
        break;
    default:
        break;
    }
    return ZAF_UNKNOWN;
}
