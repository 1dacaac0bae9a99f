// Dropping on a control that holds entry objects (the vertical list, the
// combo box): what a drop does, the entries a list-like source gives, and a
// dragged text as a new entry. Internal to the controls library.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <vector>

// The object being dragged (null when none) and what dropping it does:
// ZAF_DROP_MOVE or ZAF_DROP_COPY (a query is answered by what the source
// allows, moving first), or ZAF_REFUSED when nothing is dragged or it can be
// neither moved nor copied. code: a drop query, copy or move.
ZafEventType ResolveDrop(ZafEventType code, ZafWindowObject *&source);
// The selected entries of a list-like source, in order.
std::vector<ZafWindowObject *> SelectedEntries(ZafWindow &from);
// A source without entries gives its text as a new borderless string entry
// of target (cleared at the source on a move); ZAF_REFUSED when it has no
// text, else code.
ZafEventType DropTextEntry(ZafWindow &target, ZafWindowObject *source, ZafEventType code);
