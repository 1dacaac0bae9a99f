#include "zaf/core/ZafEventManager.h"

#include <algorithm>

ZafEventManager::ZafEventManager(int initialSize, int maximum)
{
    initialSize = std::max(initialSize, 1);
    maximumSize = std::max(maximum, initialSize);
    ring.resize(static_cast<std::size_t>(initialSize));
}

ZafEventManager::~ZafEventManager() = default;

bool ZafEventManager::Grow()
{
    int capacity = QueueCapacity();
    if (capacity >= maximumSize)
        return false;
    int newCapacity = capacity > maximumSize / 2 ? maximumSize : capacity * 2;
    std::vector<ZafEventRecord> larger(static_cast<std::size_t>(newCapacity));
    for (int i = 0; i < count; ++i)
        larger[static_cast<std::size_t>(i)] = ring[static_cast<std::size_t>((head + i) % capacity)];
    ring.swap(larger);
    head = 0;
    return true;
}

bool ZafEventManager::Put(const ZafEventRecord &event, unsigned flags)
{
    if (count == QueueCapacity() && !Grow()) {
        ++refused;
        return false;
    }
    int capacity = QueueCapacity();
    if (flags & ZAF_QUEUE_TAIL) {
        ring[static_cast<std::size_t>((head + count) % capacity)] = event;
    } else {
        head = (head + capacity - 1) % capacity;
        ring[static_cast<std::size_t>(head)] = event;
    }
    ++count;
    return true;
}

bool ZafEventManager::Get(ZafEventRecord &event, unsigned flags)
{
    if (count == 0)
        return GetOSEvent(event, flags);
    event = ring[static_cast<std::size_t>(head)];
    head = (head + 1) % QueueCapacity();
    --count;
    return true;
}

bool ZafEventManager::GetOSEvent(ZafEventRecord &, unsigned)
{
    return false;
}

// --- The Windows side ------------------------------------------------------------

std::uint32_t ZafModifierKeys()
{
    std::uint32_t word = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        word += ZAF_KEY_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        word += ZAF_KEY_CTRL;
    if (GetKeyState(VK_MENU) < 0)
        word += ZAF_KEY_ALT;
    return word;
}

void ZafTranslateOSMessage(const MSG &message, ZafEventRecord &event)
{
    event = ZafEventRecord(ZAF_OS_EVENT);
    event.osEvent = message;
    UINT m = message.message;
    if ((m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE) {
        POINT p = {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
        if (m == WM_MOUSEWHEEL && message.hwnd)
            ScreenToClient(message.hwnd, &p);
        event.position = p;
        event.key.shiftState = ZafModifierKeys();
        event.key.value = static_cast<std::uint32_t>(LOWORD(message.wParam));
    } else if (m >= WM_KEYFIRST && m <= WM_KEYLAST) {
        bool release = m == WM_KEYUP || m == WM_SYSKEYUP;
        std::uint32_t modifiers = ZafModifierKeys();
        // A system key message comes with Alt down even when the key state
        // has already moved on.
        if ((m == WM_SYSKEYDOWN || m == WM_SYSCHAR) && (message.lParam & (1L << 29)) && !(modifiers & ZAF_KEY_ALT))
            modifiers += ZAF_KEY_ALT;
        event.key.shiftState = release ? ZAF_KEY_RELEASE : ZAF_KEY_PRESS + modifiers;
        event.key.value = static_cast<std::uint32_t>(message.wParam);
    }
}

bool ZafOSEventManager::GetOSEvent(ZafEventRecord &event, unsigned flags)
{
    MSG message;
    if (flags & ZAF_QUEUE_NO_WAIT) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            return false;
    } else if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
        message.message = WM_QUIT;
    }
    ZafTranslateOSMessage(message, event);
    if (message.message == WM_QUIT)
        event.type = ZAF_EXIT;
    return true;
}

ZafEventType ZafOSEventManager::SendToDevice(int deviceType, ZafEventType code)
{
    if (deviceType != ZAF_MOUSE_EVENT)
        return ZAF_UNKNOWN;
    LPCSTR cursor = nullptr;
    switch (code) {
    case ZAF_MOUSE_ARROW:
        cursor = IDC_ARROW;
        break;
    case ZAF_MOUSE_TEXT_BEAM:
        cursor = IDC_IBEAM;
        break;
    case ZAF_MOUSE_CROSS:
        cursor = IDC_CROSS;
        break;
    case ZAF_MOUSE_POSITION:
        cursor = IDC_SIZEALL;
        break;
    case ZAF_MOUSE_SIDE_BY_SIDE:
        cursor = IDC_SIZEWE;
        break;
    case ZAF_MOUSE_ONE_ABOVE:
        cursor = IDC_SIZENS;
        break;
    default:
        return mouseImage;
    }
    mouseImage = code;
    ::SetCursor(LoadCursorA(nullptr, cursor));
    return mouseImage;
}
