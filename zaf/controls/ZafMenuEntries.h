// The entry rules a pop-up menu and a menu bar share: which item a Windows
// menu-select names, and taking an item's entry down before the item leaves.
// Internal to the controls library.
#pragma once

#include "zaf/controls/ZafPopUpMenu.h"

// The item that a WM_MENUSELECT on menu names becomes its current item (the
// menu becomes current first, or an open sub-menu of the old current item
// stops being current). A drop-down entry is named by its position (counted
// after positionOffset entries Windows put before the menu's own), a command
// by its id. 0.
inline ZafEventType SelectMenuEntry(ZafWindow &menu, unsigned item, unsigned flags, int positionOffset)
{
    const int wanted = static_cast<int>(item) - positionOffset;
    ZafPopUpItem *found = nullptr;
    int position = 0;
    for (ZafElement *e = menu.First(); e && !found; e = e->Next()) {
        auto *candidate = dynamic_cast<ZafPopUpItem *>(static_cast<ZafWindowObject *>(e));
        if (!candidate || !candidate->HasEntry())
            continue;
        // A drop-down entry's id is its menu's handle, whose low word can
        // equal any command id: only plain entries answer to a command.
        const bool dropDown = !candidate->SubMenu().IsEmpty();
        if ((flags & MF_POPUP) ? position == wanted : !dropDown && LOWORD(candidate->EntryID()) == LOWORD(item))
            found = candidate;
        ++position;
    }
    if (!menu.Focus()) {
        menu.Event(ZafEventRecord(ZAF_CURRENT));
    } else if (auto *current = dynamic_cast<ZafPopUpItem *>(menu.CurrentChild())) {
        if (current->SubMenu().Focus())
            current->SubMenu().Event(ZafEventRecord(ZAF_NOT_CURRENT));
    }
    if (found && found != menu.CurrentChild()) {
        if (menu.CurrentChild())
            menu.CurrentChild()->Event(ZafEventRecord(ZAF_NOT_CURRENT));
        menu.SetCurrent(found);
        found->Event(ZafEventRecord(ZAF_CURRENT));
    }
    return 0;
}

// An item leaving menu takes its entry down first, while it still counts its
// place among its siblings.
inline void RemoveMenuEntry(ZafWindow &menu, ZafWindowObject *object)
{
    auto *item = dynamic_cast<ZafPopUpItem *>(object);
    if (item && item->Parent() == &menu && item->HasEntry())
        item->Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
}
