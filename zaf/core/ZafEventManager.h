// ZafEventManager: the queue of events between the input side (Windows
// messages, devices, objects that post events) and the event loop.
//
// Put copies an event into the queue, at the head or, with ZAF_QUEUE_TAIL,
// at the tail. Get takes the next event from the head of the queue; when the
// queue is empty it asks GetOSEvent, through which the windowing layer
// delivers Windows messages (the base answers that none is waiting).
//
// The queue starts with room for a fixed number of events and doubles when
// full, up to its maximum. Only a queue at its maximum refuses an event:
// Put then answers false, counts the refusal (RefusedCount) and leaves the
// event, and any text or object it carries, to the caller. (A fixed queue
// that dropped events silently lost what they carried.)
#pragma once

#include "zaf/core/ZafEventRecord.h"

#include <vector>

// Put flag: append at the tail (without it the event goes to the head).
constexpr unsigned ZAF_QUEUE_TAIL = 2;
// Get flag: answer false at once when nothing is waiting (without it the
// Windows side waits for the next message).
constexpr unsigned ZAF_QUEUE_NO_WAIT = 4;

class ZafEventManager
{
public:
    static constexpr int defaultQueueSize = 100;
    static constexpr int defaultMaximumQueueSize = 32768;

    // Room for initialSize events at first, growing up to maximumSize; each
    // is at least 1, and the maximum is at least the initial size.
    explicit ZafEventManager(int initialSize = defaultQueueSize, int maximumSize = defaultMaximumQueueSize);
    ZafEventManager(const ZafEventManager &) = delete;
    ZafEventManager &operator=(const ZafEventManager &) = delete;
    virtual ~ZafEventManager();

    // Copies the event into the queue; false when the queue is at its
    // maximum and full (nothing is queued then).
    bool Put(const ZafEventRecord &event, unsigned flags = 0);
    // Takes the next event: from the queue, else from GetOSEvent with the
    // flags. False when there is none (the event is then left unchanged).
    bool Get(ZafEventRecord &event, unsigned flags = 0);

    int QueueCount() const { return count; }
    int QueueCapacity() const { return static_cast<int>(ring.size()); }
    int MaximumQueueSize() const { return maximumSize; }
    int RefusedCount() const { return refused; }

protected:
    // The Windows-message side of Get, added by the windowing layer: fills
    // the event from the next Windows message and answers true, or answers
    // false when none is to be had under the flags. The base has none.
    virtual bool GetOSEvent(ZafEventRecord &event, unsigned flags);

private:
    bool Grow();

    std::vector<ZafEventRecord> ring;
    int head = 0; // index of the first queued event
    int count = 0;
    int maximumSize;
    int refused = 0;
};

// ZafOSEventManager: the event manager of the running program. Its Windows
// side takes the next Windows message (GetMessageA, or PeekMessageA with
// ZAF_QUEUE_NO_WAIT) and fills the event from it with ZafTranslateOSMessage;
// WM_QUIT becomes ZAF_EXIT.
//
// Devices: SendToDevice(ZAF_MOUSE_EVENT, image) sets the mouse cursor
// (ZAF_MOUSE_ARROW, _TEXT_BEAM, _CROSS, _POSITION, _SIDE_BY_SIDE,
// _ONE_ABOVE) and answers the image in force; other devices answer
// ZAF_UNKNOWN.
class ZafOSEventManager : public ZafEventManager
{
public:
    using ZafEventManager::ZafEventManager;
    ZafEventType SendToDevice(int deviceType, ZafEventType code);
    ZafEventType MouseImage() const { return mouseImage; }

protected:
    bool GetOSEvent(ZafEventRecord &event, unsigned flags) override;

private:
    ZafEventType mouseImage = ZAF_MOUSE_ARROW;
};

// Fills an event of type ZAF_OS_EVENT from a Windows message: the message
// copy; for mouse messages the position in client pixels of the message's
// window (wheel messages come in screen pixels and are converted), the
// modifier keys (ZAF_KEY_SHIFT, _CTRL, _ALT added up) in key.shiftState and
// the button state (MK_ bits) in key.value; for key messages the modifier
// word (ZAF_KEY_PRESS plus the modifiers for a press, ZAF_KEY_RELEASE for a
// release) and the virtual key or character.
void ZafTranslateOSMessage(const MSG &message, ZafEventRecord &event);
// The modifier keys held now, as ZAF_KEY_SHIFT, _CTRL and _ALT added up.
std::uint32_t ZafModifierKeys();
