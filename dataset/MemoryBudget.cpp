#include "dataset/MemoryBudget.h"

#include "dataset/RegistrySettings.h"

#include <algorithm>
#include <cstdio>

namespace {
const int kSectionDefaultValues = 4;
const size_t kMiB = 1024 * 1024;

size_t limitOverride = 0;
// The limit as last read: a registry read per charge would cost more than
// the counting it guards, so Charge uses this, refreshed whenever a value
// list claims its window (every computation opens its lists first).
size_t cachedLimit = 0;
size_t windowBytes = 0;
size_t chargedBytes = 0;
size_t peakBytes = 0;

void NotePeak()
{
    peakBytes = std::max(peakBytes, windowBytes + chargedBytes);
}
} // namespace

size_t MemoryBudget::Limit()
{
    cachedLimit = ReadLimit();
    return cachedLimit;
}

size_t MemoryBudget::ReadLimit()
{
    if (limitOverride)
        return limitOverride;
    unsigned long mib =
        RegistrySettings::ReadDwordInSection(FindSettingsSection(kSectionDefaultValues), "MemoryBudget", kDefaultMiB);
    // A value from the registry sizes every window: keep it within what a
    // 32-bit process can hold beside its program and data.
    if (mib < kMinimumMiB || mib > kMaximumMiB)
        mib = kDefaultMiB;
    return static_cast<size_t>(mib) * kMiB;
}

void MemoryBudget::SetLimitOverride(size_t bytes)
{
    limitOverride = bytes;
    Limit();
}

size_t MemoryBudget::ClaimWindow(size_t wanted, size_t minimum)
{
    const size_t share = Limit() / 2;
    const size_t free = share > windowBytes ? share - windowBytes : 0;
    size_t granted = std::min(wanted, free / 2);
    granted = std::max(granted, std::min(wanted, minimum));
    windowBytes += granted;
    NotePeak();
    return granted;
}

void MemoryBudget::ClaimFixedWindow(size_t bytes)
{
    windowBytes += bytes;
    NotePeak();
}

void MemoryBudget::ReleaseWindow(size_t bytes)
{
    windowBytes -= std::min(bytes, windowBytes);
}

void MemoryBudget::Charge(size_t bytes)
{
    const size_t limit = cachedLimit ? cachedLimit : Limit();
    const size_t used = windowBytes + chargedBytes;
    if (used > limit || bytes > limit - used)
        throw BudgetRefusal(bytes);
    chargedBytes += bytes;
    NotePeak();
}

void MemoryBudget::Release(size_t bytes)
{
    chargedBytes -= std::min(bytes, chargedBytes);
}

size_t MemoryBudget::WindowBytes()
{
    return windowBytes;
}

size_t MemoryBudget::ChargedBytes()
{
    return chargedBytes;
}

size_t MemoryBudget::PeakBytes()
{
    return peakBytes;
}

void MemoryBudget::ResetPeak()
{
    peakBytes = windowBytes + chargedBytes;
}

std::string MemoryBudget::DescribeShortfall(size_t wanted)
{
    const size_t limit = Limit();
    const size_t used = windowBytes + chargedBytes;
    const size_t free = limit > used ? limit - used : 0;
    char text[160];
    std::snprintf(text, sizeof text, "needs %.1f MiB; %.1f MiB of the budget of %.0f MiB are free",
                  static_cast<double>(wanted) / kMiB, static_cast<double>(free) / kMiB,
                  static_cast<double>(limit) / kMiB);
    return text;
}
