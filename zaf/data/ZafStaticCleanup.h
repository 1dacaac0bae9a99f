// The static clean-up registry: classes that keep static objects for the
// whole run (built-in images, the current code set, language and locale)
// enter a clean-up function here the first time they make them.
//
// RunStaticCleanups(1), called by the application's destructor, calls every
// entry's cleanup(1) in registration order and ends the registry.
// RunStaticCleanups(0), called when the language changes, calls cleanup(1)
// and then reset() of every entry registered with a reset function under the
// language data's class id (3107), so that those statics are made anew.
// Single-threaded. Clean-up functions may register or unregister entries
// while they run.
#pragma once

#include <cstdint>

using ZafStaticCleanupFunction = void (*)(std::uint8_t flag);
using ZafStaticResetFunction = void (*)();

// The id of entries that a language change resets.
constexpr std::uint16_t ZafLanguageResetID = 3107;

// False when both functions are null; true when the pair was entered or was
// already present (then nothing is added).
bool RegisterStaticCleanup(ZafStaticCleanupFunction cleanup, ZafStaticResetFunction reset, std::uint16_t id);
// Removes the last entry with these two functions; false when there is none,
// both are null, or the registry is empty.
bool UnregisterStaticCleanup(ZafStaticCleanupFunction cleanup, ZafStaticResetFunction reset);
// flag 0: language change; flag 1: end of the application.
void RunStaticCleanups(std::uint8_t flag);
