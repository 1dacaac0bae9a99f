// ZafEventRecord: one event, as the event manager queues it and event
// handlers receive it. A plain record of 72 bytes on 32-bit Windows, copied
// byte for byte; it owns nothing (a text or object it carries belongs to
// whoever put it there).
//
// Fields:
// - type: ZAF_OS_EVENT (a Windows message), ZAF_KEY_EVENT, ZAF_MOUSE_EVENT or
//   a logical code (ZafEventCodes.h).
// - osEvent: a copy of the Windows message (window, message, wParam, lParam,
//   time, and the mouse point in screen pixels).
// - value: the value word: a number, or the object or text the event carries
//   (the object of -400 / -401 and of the focus and drag codes, a button's
//   text when it sends its value); use Object() / Text() to read it so.
//   An object is stored as its event handle (ZafWindowObject::EventHandle),
//   not its address: a queued event whose object has been deleted reads
//   back null (ObjectGone), never a new object at the same address.
// - position: the pointer position (x, y, pixels) of a mouse event.
// - key: the modifier word (ZAF_KEY_PRESS plus ZAF_KEY_SHIFT, ZAF_KEY_CTRL,
//   ZAF_KEY_ALT; ZAF_KEY_RELEASE) and the key value (virtual key, or the
//   character of a character or hot-key event) of a key event.
// - region: four values and a coordinate type, sharing its words with
//   scroll: the scroll record of scroll events, whose step word is the
//   record's last word and holds the signed amount to scroll.
//
// Mouse position and key fields are separate word pairs: the position words
// never hold key data. The scroll delta is the step word of the scroll record
// in the region words, which is also the record's last word.
#pragma once

#include "zaf/core/ZafEventCodes.h"
#include "zaf/core/ZafRegionRect.h"
#include "zaf/core/ZafScrollStruct.h"

#include <windows.h>

#include <cstdint>

class ZafWindowObject;

struct ZafKeyStruct
{
    std::uint32_t shiftState; // the modifier word
    std::uint32_t value;      // virtual key or character
};

class ZafEventRecord
{
public:
    // An event with every field zero.
    ZafEventRecord();
    // An event of that type and value, every other field zero.
    ZafEventRecord(ZafEventType type, std::intptr_t value = 0);
    // An event of that type carrying an object in its value word.
    ZafEventRecord(ZafEventType type, ZafWindowObject *object);

    // 10 for key messages and key events, 30 for mouse messages and mouse
    // events, ZAF_NO_CATEGORY for every other event.
    int GetCategory() const;

    // The object the event names; null when it names none or one that is
    // gone.
    ZafWindowObject *Object() const;
    void SetObject(ZafWindowObject *object);
    // True when the event named an object that has been deleted since.
    bool ObjectGone() const { return value != 0 && !Object(); }
    const char *Text() const { return reinterpret_cast<const char *>(value); }
    void SetText(const char *text) { value = reinterpret_cast<std::intptr_t>(text); }

    ZafEventType type;
    MSG osEvent;
    std::intptr_t value;
    POINT position;
    ZafKeyStruct key;
    union
    {
        ZafRegionRect region;
        ZafScrollStruct scroll;
    };
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ZafEventRecord) == 72, "the event record is 72 bytes on 32-bit Windows");
#endif
