#include "zaf/data/ZafStaticCleanup.h"

#include <vector>

namespace {
struct Entry
{
    ZafStaticResetFunction reset;
    ZafStaticCleanupFunction cleanup;
    std::uint16_t id;
};

// Null until the first registration and again after the final run.
std::vector<Entry> *registry = nullptr;

bool IsRegistered(const Entry &entry)
{
    if (registry)
        for (const Entry &present : *registry)
            if (present.cleanup == entry.cleanup && present.reset == entry.reset)
                return true;
    return false;
}
} // namespace

bool RegisterStaticCleanup(ZafStaticCleanupFunction cleanup, ZafStaticResetFunction reset, std::uint16_t id)
{
    if (!cleanup && !reset)
        return false;
    const Entry entry{reset, cleanup, id};
    if (IsRegistered(entry))
        return true;
    if (!registry)
        registry = new std::vector<Entry>;
    registry->push_back(entry);
    return true;
}

bool UnregisterStaticCleanup(ZafStaticCleanupFunction cleanup, ZafStaticResetFunction reset)
{
    if (!registry || (!cleanup && !reset))
        return false;
    for (auto entry = registry->rbegin(); entry != registry->rend(); ++entry)
        if (entry->cleanup == cleanup && entry->reset == reset) {
            registry->erase(std::next(entry).base());
            return true;
        }
    return false;
}

void RunStaticCleanups(std::uint8_t flag)
{
    if (!registry)
        return;
    if (flag == 0) {
        // Entries may come and go while the functions run: walk a copy and
        // call only those still registered.
        const std::vector<Entry> snapshot = *registry;
        for (const Entry &entry : snapshot) {
            if (entry.id != ZafLanguageResetID || !entry.reset || !IsRegistered(entry))
                continue;
            if (entry.cleanup)
                entry.cleanup(1);
            entry.reset();
        }
        return;
    }
    // The registry ends before the functions run, so that what they do to it
    // cannot disturb this walk.
    std::vector<Entry> *ending = registry;
    registry = nullptr;
    for (const Entry &entry : *ending)
        if (entry.cleanup)
            entry.cleanup(1);
    delete ending;
}
