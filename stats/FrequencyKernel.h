// Counting the distinct values of one variable: the records of a frequency
// distribution over plain arrays, before they are put into a FREQOBJ.
//
// Input per case: its value (the system-missing sentinel included, which as
// the largest value sorts last), its weight (ignored unless weighted) and
// whether the value is missing (sentinel or user-missing code). Weighted,
// a case whose weight is not above 0 counts nowhere.
//
// Per distinct value, in ascending order: count (cases; 0 when weighted),
// frequency (the weighted count, or the count), percent = frequency * 100 *
// (1 / total), valid percent = frequency * 100 / valid total (-1.0 for a
// missing value; 0 when no case is valid). Total sums every frequency, the
// valid total those of values that are not missing. The mean is the
// unweighted mean of the valid values (each case once), kNotComputed when
// there is none; values near the largest double give their mean, not an
// infinity (a sum scaled by a power of two takes over when the plain sum
// overflows).
#ifndef STATS_FREQUENCYKERNEL_H
#define STATS_FREQUENCYKERNEL_H

#include <cstddef>
#include <unordered_map>
#include <vector>

struct FrequencyCount
{
    double value = 0.0;
    long count = 0;
    double frequency = 0.0;
    double percent = 0.0;
    double validPercent = 0.0;
    bool missing = false;
};

struct FrequencyResult
{
    std::vector<FrequencyCount> categories;
    double total = 0.0;
    double validTotal = 0.0;
    long validCases = 0;
    double mean = 0.0;
    // True when a frequency or a total passed the largest double: those
    // figures are infinite, and the percentages were taken from the
    // frequencies scaled down (kNotComputed where a frequency itself is).
    bool weightsTooLarge = false;
};

class MemoryCharge;

// Accumulates cases one by one (values need not arrive sorted) and then
// fills the result. With a charge, every distinct value is charged to it
// (kValueCost bytes) as it is met; a refused charge throws (BudgetRefusal).
class FrequencyCounter
{
public:
    static constexpr size_t kValueCost = 96;
    explicit FrequencyCounter(MemoryCharge *charge = nullptr) : charge_(charge) {}
    void Add(double value, double weight, bool missing);
    // count cases of one value at once, weightSum their summed weights.
    void AddCount(double value, long count, double weightSum, bool missing);
    void Finish(bool weighted, FrequencyResult &result);

private:
    struct Slot
    {
        long count;
        double weight;
        bool missing;
    };
    static const size_t kScanned = 16;
    std::vector<double> values_;
    std::unordered_map<double, long> index_; // built once there are many values
    std::vector<Slot> slots_;
    double lastValue_ = 0.0;
    long lastSlot_ = -1;
    double validSum_ = 0.0;
    double scaledSum_ = 0.0; // of value * 2^-kSumScale: the mean when validSum_ overflows
    long validCases_ = 0;
    MemoryCharge *charge_;
    long Find(double value);
};

#endif
