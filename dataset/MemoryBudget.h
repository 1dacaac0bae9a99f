// MemoryBudget: the one memory budget of the whole process. The value lists'
// windows and the computations' tables are charged to it, so that a large
// data set pages instead of exhausting a 32-bit address space, and a
// computation that would not fit stops with a message instead of ending the
// program.
//
// The limit is the setting "MemoryBudget" of section "DefaultValues", in
// MiB (256 when not set; values outside 16..1536 are taken as the default).
// The value lists together hold at most half of it (their share); each list
// takes at most half of what is left of the share when it sizes its window,
// and always at least kMinimumWindow, so that many lists still page. The
// rest is the computations': Charge refuses a charge that would take the
// total past the limit by throwing BudgetRefusal, which every computation
// catches where it starts (no exception leaves a computation object).
//
// The program is single-threaded; the counters are plain.
#pragma once

#include <cstddef>
#include <new>
#include <string>

// Thrown by MemoryBudget::Charge; a std::bad_alloc, so that one handler at a
// computation's entry takes both a refused charge and a failed allocation.
class BudgetRefusal : public std::bad_alloc
{
public:
    explicit BudgetRefusal(size_t bytes) : wanted(bytes) {}
    const char *what() const noexcept override { return "memory budget exceeded"; }
    size_t wanted; // bytes that were asked for
};

class MemoryBudget
{
public:
    static constexpr size_t kDefaultMiB = 256;
    static constexpr size_t kMinimumMiB = 16;
    static constexpr size_t kMaximumMiB = 1536;
    // The smallest window a value list gets, whatever is left of the share.
    static constexpr size_t kMinimumWindow = 64 * 1024;

    // The limit in bytes: the override when set, else the setting.
    static size_t Limit();
    // Tests and benchmarks set a limit (bytes) that takes precedence over
    // the setting; 0 returns to the setting.
    static void SetLimitOverride(size_t bytes);

    // Value lists: returns the bytes granted for a window that would like
    // wanted bytes: at most wanted, at most half of what is left of the
    // share, at least min(wanted, minimum). The grant is held until
    // ReleaseWindow.
    static size_t ClaimWindow(size_t wanted, size_t minimum = kMinimumWindow);
    // A window of exactly this many bytes, charged to the share even past
    // it (a caller that sized its window itself).
    static void ClaimFixedWindow(size_t bytes);
    static void ReleaseWindow(size_t bytes);

    // Computations: charges bytes, or throws BudgetRefusal when the total
    // would pass the limit.
    static void Charge(size_t bytes);
    static void Release(size_t bytes);

    static size_t WindowBytes();  // held by value lists now
    static size_t ChargedBytes(); // held by computations now
    static size_t PeakBytes();    // highest total since the start (or ResetPeak)
    // Starts the peak anew from what is held now, so that tests and
    // benchmarks measure one computation's peak.
    static void ResetPeak();

    // "needs 12.5 MiB; 3.0 MiB of the budget of 256 MiB are free": for the
    // message of a computation that did not fit.
    static std::string DescribeShortfall(size_t wanted);

private:
    static size_t ReadLimit();
};

// Bytes charged to the budget by one computation, released when it goes.
// Add throws BudgetRefusal (see above); the holder catches it at its entry.
class MemoryCharge
{
public:
    MemoryCharge() {}
    ~MemoryCharge() { Clear(); }
    MemoryCharge(const MemoryCharge &) = delete;
    MemoryCharge &operator=(const MemoryCharge &) = delete;

    void Add(size_t bytes)
    {
        MemoryBudget::Charge(bytes);
        held += bytes;
    }
    // count items of size bytes; a product past a size_t is refused as well.
    void AddItems(size_t count, size_t size)
    {
        if (size != 0 && count > static_cast<size_t>(-1) / size)
            throw BudgetRefusal(static_cast<size_t>(-1));
        Add(count * size);
    }
    void Clear()
    {
        MemoryBudget::Release(held);
        held = 0;
    }
    // Gives back part of what is held (at most all of it).
    void Release(size_t bytes)
    {
        bytes = bytes < held ? bytes : held;
        MemoryBudget::Release(bytes);
        held -= bytes;
    }
    size_t Held() const { return held; }

private:
    size_t held = 0;
};

// a * b, or false when the product does not fit in a size_t (32 bits in
// this program: tables of many categories overflow it).
inline bool CheckedMultiply(size_t a, size_t b, size_t &product)
{
    if (a != 0 && b > static_cast<size_t>(-1) / a)
        return false;
    product = a * b;
    return true;
}
