#include "zaf/controls/ZafEntryDrop.h"

#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowWalk.h"
#include "zaf/data/ZafStringData.h"

ZafEventType ResolveDrop(ZafEventType code, ZafWindowObject *&source)
{
    source = zafWindowManager ? zafWindowManager->DragObject() : nullptr;
    if (!source)
        return ZAF_REFUSED;
    if (code != ZAF_DROP_QUERY)
        return code;
    if (source->IsMoveDraggable())
        return ZAF_DROP_MOVE;
    if (source->IsCopyDraggable())
        return ZAF_DROP_COPY;
    return ZAF_REFUSED;
}

std::vector<ZafWindowObject *> SelectedEntries(ZafWindow &from)
{
    std::vector<ZafWindowObject *> chosen;
    for (ZafElement *e = from.First(); e; e = e->Next())
        if (ZafWindowWalk::AsObject(e)->Selected())
            chosen.push_back(ZafWindowWalk::AsObject(e));
    return chosen;
}

ZafEventType DropTextEntry(ZafWindow &target, ZafWindowObject *source, ZafEventType code)
{
    const char *text = source->Text();
    if (!text || !*text)
        return ZAF_REFUSED;
    auto *entry = new ZafString(0, 0, 0, new ZafStringData(text, -1));
    entry->SetBordered(false);
    target.AddObject(entry);
    if (code == ZAF_DROP_MOVE)
        source->SetText("");
    return code;
}
