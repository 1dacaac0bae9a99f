// ZafWindowObject: drag and drop between objects.

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

// --- Drag and drop ---------------------------------------------------------

ZafEventType ZafWindowObject::DragDropEvent(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code != ZAF_DROP_QUERY && code != ZAF_DROP_COPY && code != ZAF_DROP_MOVE)
        return ZAF_UNKNOWN;
    ZafWindowObject *source = zafWindowManager ? zafWindowManager->DragObject() : nullptr;
    if (!source || source == this || !HasFlag(flagAcceptDrop) || IsDisabledUpChain(true))
        return ZAF_REFUSED;
    if (code == ZAF_DROP_QUERY) {
        if (source->IsMoveDraggable())
            return ZAF_DROP_MOVE;
        return source->IsCopyDraggable() ? ZAF_DROP_COPY : ZAF_REFUSED;
    }
    if (code == ZAF_DROP_MOVE && !source->IsMoveDraggable())
        return ZAF_REFUSED;
    const char *text = source->Text();
    if (!text || !*text)
        return ZAF_REFUSED;
    // The source's text may live in storage that SetText on either side
    // replaces.
    const std::string taken(text);
    if (SetText(taken.c_str()) != 0)
        return ZAF_REFUSED;
    if (code == ZAF_DROP_MOVE)
        source->SetText("");
    return code;
}
