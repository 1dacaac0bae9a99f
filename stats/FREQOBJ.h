// FREQOBJ: the frequency distribution of one variable or one
// multiple-response set: one record per distinct value in ascending order
// with counts and percentages, the unweighted mean, and heading texts.
// BuildFrequencyDistribution fills it; the table writer may re-sort the
// records in place (the comparators below serve qsort) and stores the
// median once computed. FREQOBJECT adds the graph option records of its
// workbook.
//
// Ownership: the object owns its heading texts and record array; the
// workbook and graph option records are not owned. Indices count from 0.
// The mean and the median hold the largest double until computed (no valid
// value can equal it: it is the double system-missing code); a real-valued
// system-missing record holds it too, with its missing flag set. The
// records stay charged to the memory budget while the object lives; a
// distribution that does not fit has no records, status kFreqNoMemory and
// the reason in GetFailureText().
#ifndef STATS_FREQOBJ_H
#define STATS_FREQOBJ_H

#include "dataset/MemoryBudget.h"
#include "stats/StatClass.h"

class BUFFERTYPE;
class CaseBlockWalk;
class FrequencyCounter;
class KATLABS;
class WorkBook;
class FreqbarOption;
class FreqpieOption;

struct FreqCategory
{
    char label[141]; // at most 140 characters
    union
    {
        double real;  // when the distribution is real-valued
        long integer; // else; 2147483647 for system-missing
    } value;
    long count;          // cases; 0 when a weight is active
    double frequency;    // the weighted count, or the count
    double validPercent; // -1.0 for a missing value
    double percent;
    unsigned char missing; // the sentinel or a user-missing code
};

class FREQOBJ : public StatClass
{
public:
    enum Status {
        kFreqCounted = 0,   // the records are complete
        kFreqNoMemory = 1,  // the distinct values did not fit the budget
        kFreqUnreadable = 2 // the values, weights or selection could not be read
    };
    explicit FREQOBJ(DATASET *dataSet = nullptr);
    ~FREQOBJ() override;

    // Appends a copy of the text (null stays null) as the next heading text;
    // the array grows by 10 slots.
    void AppendCategory(const char *text);
    // Heading text at the index; the empty text past the end.
    const char *CategoryAt(long index) const;
    // Replaces the records (used by the counting operations).
    void SetCategories(const FreqCategory *records, long count);

    char **headingTexts = nullptr;
    long headingCount = 0;
    long headingCapacity = 0;
    unsigned char groupedFlag = 0;
    WorkBook *workbook = nullptr;
    long variableNumber = 0;
    unsigned char realValued = 0;
    long decimals = 2;
    long valueWidth = 4;
    long categoryCount = 0;
    FreqCategory *categories = nullptr;
    double mean;
    double median;
    int status = kFreqCounted;
    // The weights summed past the largest double: the frequencies that
    // did hold the mark, the percentages were taken scaled.
    bool weightsTooLarge = false;
    MemoryCharge charge; // the records (and their counting while it runs)

private:
    friend FREQOBJ *BuildFrequencyDistribution(BUFFERTYPE *, FREQOBJ *, KATLABS *);
    void CountInto(BUFFERTYPE *values, KATLABS *labels);
    // Counting a 1- or 2-byte variable in one slot per stored value, and
    // any other case by case.
    void CountDense(CaseBlockWalk &walk, const BUFFERTYPE &list, FrequencyCounter &counter, MemoryCharge &charge);
    void CountEach(CaseBlockWalk &walk, const BUFFERTYPE &list, FrequencyCounter &counter);
};

class FREQOBJECT : public FREQOBJ
{
public:
    explicit FREQOBJECT(DATASET *dataSet = nullptr) : FREQOBJ(dataSet) {}
    FreqbarOption *barOption = nullptr; // not owned
    FreqpieOption *pieOption = nullptr; // not owned
};

// Record comparators for qsort over FreqCategory arrays: -1, 0 or 1; two
// values that are neither less nor greater (equal or unordered) give 0. The
// count comparators compare the frequency field.
int CompareByRealValueAscending(const void *a, const void *b);
int CompareByRealValueDescending(const void *a, const void *b);
int CompareByIntValueAscending(const void *a, const void *b);
int CompareByIntValueDescending(const void *a, const void *b);
int CompareByCountAscending(const void *a, const void *b);
int CompareByCountDescending(const void *a, const void *b);

// Counts the selected cases of the value list (weighted when the
// distribution's data set has an active weight) into the distribution:
// real-valued flag, decimals (255 gives 2), value width (at least 4), one
// record per distinct value with its label (the category label cut to 140
// characters, else the value, "-" for system-missing), the unweighted mean
// of the valid values, the variable number and heading text 0 (the
// variable's caption). Walks the list and the weights once, holding only
// the distinct values. Returns the distribution.
FREQOBJ *BuildFrequencyDistribution(BUFFERTYPE *values, FREQOBJ *distribution, KATLABS *labels);

#endif
