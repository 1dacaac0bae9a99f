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
