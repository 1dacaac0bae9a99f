// Descriptive statistics of one variable: the descriptive record that the
// one-way and two-way descriptives, the breakdown groups and the graphs
// read, filled from the variable's running moments (WeightedMoments.h), and
// the seven-value quantile summary over one column of the cases used.
//
// Weights are frequency weights: a case of weight 3 counts as three cases,
// and N is the sum of the weights; "cases" below means N, which is the
// number of cases when no weight is active. Callers pass only valid cases with a
// positive weight. Every figure that cannot be computed holds kNotComputed.
//
// Definitions (N = sum of weights, m = mean, s = standard deviation):
//   sum       = sum w x;  mean = sum / N
//   s         = sqrt((sum w x^2 - (sum w x)^2 / N) / (N - 1)), computed from
//               the running centred sum sum w (x - m)^2, which is the same
//               figure without the cancellation; kNotComputed unless N > 1
//   limits    = m -/+ t(0.975 or 0.995, N - 1) s / sqrt(N); N > 1
//   skewness  = N / ((N - 1)(N - 2)) sum w ((x - m) / s)^3; N > 2
//   kurtosis  = N (N + 1) / ((N - 1)(N - 2)(N - 3)) sum w ((x - m) / s)^4
//               - 3 (N - 1)^2 / ((N - 2)(N - 3)); N > 3
//   (the bias-corrected G1 and G2; both need a spread above rounding noise,
//   WeightedMoments::HasVariance)
//
// Quantiles: the inverse of the weighted empirical distribution function,
// averaged where it is flat: with the cases sorted and C_i the cumulative
// weight up to case i, the p-quantile is the value of the first case with
// C_i >= p N, or the mean of that value and the next case's value when
// C_i equals p N. Without weights this is the common "type 2" definition;
// the median of 1, 2, 3, 4 is 2.5.
// The quantile summary holds: [0] 25th percentile, [1] median, [2] 75th
// percentile, [3] lower whisker end (the smallest value not below
// Q1 - IQR), [4] upper whisker end (the largest value not above Q3 + IQR),
// [5] minimum, [6] maximum. When all values are equal the first five are
// the mean.
#ifndef STATS_DESCRIPTIVEKERNEL_H
#define STATS_DESCRIPTIVEKERNEL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class WeightedMoments;

struct WeightedValue
{
    double value;
    double weight;
};

// One column of the cases an order statistic needs: their values, and their
// weights only once a weight other than 1 comes (so an unweighted column
// holds 8 bytes a case). Cases of weight not above 0 are not added.
// The column's storage is charged to the memory budget as it grows; a
// refused charge throws BudgetRefusal (MemoryBudget.h), which the
// computation catches at its entry. Reserve sizes it at once when the
// caller knows how many cases may come, so it never holds two copies.
// The weights are kept as floats while every weight is exactly a float
// (a survey weight of 4 bytes always is), as doubles from the first that
// is not: a weighted case takes 12 bytes or 16, a tag 1 more.
//
// A column told that its values are whole numbers in a small range
// (CountWholeValues) holds a count per value instead of the values, in
// constant memory; Sort then leaves one entry per distinct value, weighted
// by its count, from which every order statistic below follows exactly as
// from the cases themselves. Counting unweighted, a weight other than 1 or
// a value outside the range turns it back into a column of the cases;
// counting weighted, each value's count is the sum of its cases' weights in
// the order they came.
//
// A weighted or tagged column sorts in runs: Sort orders each run of
// consecutive cases stably by value (at most kRunCases of them, fewer when
// the budget grants less), with one run's worth of scratch instead of a
// second copy of the column, and the order statistics walk the
// runs merged (ties in the order the cases came, as one stable sort of the
// whole column gives them). Each case may carry a tag (a group number,
// AddTagged; weighted or not) so that one column gives the summary of
// every group and of all cases together (ComputeQuantileSummaries).
//
// A long column of few distinct values (at most one for every 16 cases,
// 65536 in all: values recorded to a few decimals) sorts by them. An
// unweighted one is written back in place from the count of each value,
// without scratch, the cases of a value being alike; a tagged one becomes
// one entry per distinct value and tag, weighted by its count, as a
// counting column does (one holding a -0 sorts stably instead, the -0
// keeping its bits); so does a weighted one where its float weights sum
// exactly in any order (a tagged one told to, CountTagged); any other
// weighted one moves its cases by the ranks of their values, stably, in
// two passes through the run's scratch. Every figure is that of the radix
// sort.
class QuantileColumn
{
public:
    QuantileColumn() {}
    ~QuantileColumn() { Clear(); }
    QuantileColumn(QuantileColumn &&other) noexcept { *this = std::move(other); }
    QuantileColumn &operator=(QuantileColumn &&other) noexcept;
    QuantileColumn(const QuantileColumn &) = delete;
    QuantileColumn &operator=(const QuantileColumn &) = delete;

    void Add(double value, double weight);
    // A case of group tag (below kMostTags); a column takes tags from its
    // first case on (or from Reserve) or never.
    void AddTagged(double value, double weight, unsigned tag);
    static constexpr unsigned kMostTags = 256;
    // n cases with their tags (each below kMostTags), as AddTagged adds
    // them one by one.
    void AddTaggedBlock(const double *values, const double *weights, const unsigned char *tags, size_t n);
    // n cases (weights null for 1).
    void AddBlock(const double *values, const double *weights, size_t n);
    // Room for this many cases, weighted or not (tagged: with their tags).
    void Reserve(size_t cases, bool weightedCases, bool tagged = false);
    // Counts the cases to come by value, lowest to highest (at most
    // kMostCountedValues values); only on an empty column. With
    // weightedCases the counts sum the cases' weights.
    void CountWholeValues(long lowest, long highest, bool weightedCases = false);
    static constexpr long kMostCountedValues = 65536;
    bool Counting() const { return counting; }
    // Size, Value and Weight read the entries: the cases, or after Sort
    // (or CountTagged) the distinct values, or value and tag pairs, of a
    // column counted by them (see above). A weighted column of more
    // than RunCases() entries is sorted by runs only: Value(i) is then
    // ascending within each run.
    size_t Size() const { return values.size(); }
    double TotalWeight() const { return total; }
    double Value(size_t i) const { return values[i]; }
    double Weight(size_t i) const
    {
        return !weighted ? 1.0 : floatWeights ? static_cast<double>(narrowWeights[i]) : wideWeights[i];
    }
    bool Weighted() const { return weighted; }
    // Bytes a case takes in the column (the value, its weight, its tag).
    size_t EntryBytes() const
    {
        return sizeof(double) + (weighted ? (floatWeights ? sizeof(float) : sizeof(double)) : 0) + (tagged ? 1 : 0);
    }
    bool Tagged() const { return tagged; }
    unsigned Tag(size_t i) const { return tags.empty() ? 0u : tags[i]; }
    // The summed weights of the cases of a tag, in the order they came.
    double TagWeight(unsigned tag) const { return tag < tagTotals.size() ? tagTotals[tag] : 0.0; }
    // The length of the sorted runs after Sort (the whole column when it
    // is one run).
    size_t RunCases() const { return runCases; }
    // The longest run, and the shortest a sort settles for before it gives
    // up (BudgetRefusal).
    static constexpr size_t kRunCases = size_t(1) << 21;
    static constexpr size_t kFewestRunCases = 1024;
    // Sorts the cases by value (ascending; a weighted or tagged column by
    // runs, see above, and so an unweighted one when the budget has no room
    // for a second copy of it); by magnitude: an unweighted column of few
    // distinct magnitudes from their counts, a weighted one of few distinct
    // magnitudes by them when the budget has room for a second copy of it
    // (ties in the order the cases came), any other by a radix sort in
    // place, without scratch; ties of magnitude otherwise in any order.
    void Sort();
    void SortByMagnitude();
    // Makes a tagged column of few distinct values its entries per
    // distinct value and tag, sorted as Sort leaves them, where every order
    // statistic stays that of the cases (see the class comment); true when
    // the column holds such entries (Weight(i) the count or summed weight
    // of an entry), false with the cases left as they came.
    bool CountTagged();
    // The distinct magnitudes of a long untagged column of few of them, in
    // ascending order, with the summed weights of the values above 0 and
    // of the others at each, where the weights (floats, or 1) sum exactly
    // in any order; false otherwise. The column is left as it is.
    bool CountMagnitudes(std::vector<double> &magnitudes, std::vector<double> &positive,
                         std::vector<double> &negative) const;
    // The cases of a tag of a column that holds such entries.
    size_t TagCases(unsigned tag) const { return tag < tagCases.size() ? tagCases[tag] : 0; }
    void Clear();

private:
    // Makes room for extra more cases, charging the growth.
    void Grow(size_t extra);

    // The counts as plain cases (a counting column meeting a case it cannot
    // count), or as one weighted entry per value (Sort).
    void Uncount();
    void CountsToEntries();
    // Counts n cases of weight 1 (or of their weights, counting weighted);
    // false (nothing counted) when one cannot be.
    bool CountBlock(const double *values, const double *weights, size_t n);
    void SortRuns();
    // Sort of an unweighted tagged column of few distinct values: one
    // entry per distinct value and tag (see the class comment).
    bool CountTaggedByDistinctKeys(size_t tagCount, bool sortOtherwise);
    bool CountWeightedTaggedByDistinctKeys(size_t tagCount);
    // Makes the column the entries of each distinct value (valueOf[id],
    // ids in ascending order of the values) and tag with their weights
    // (weightOf[id * tags + tag], 0 for none); cases[tag] counts the cases
    // of each tag. False, with nothing changed, without room for them.
    template <class Amount>
    bool TakeEntries(const std::vector<double> &valueOf, const std::vector<uint32_t> &ascending,
                     const std::vector<Amount> &weightOf, const std::vector<size_t> &cases);
    // The tags up to the last one with a case.
    size_t TagsMet() const;

    // Makes the column weighted, every case so far of weight 1 (as floats).
    void StartWeights();
    // Keeps the weights as doubles from now on.
    void WidenWeights();
    void PushWeight(double weight)
    {
        if (floatWeights) {
            const float narrow = static_cast<float>(weight);
            if (static_cast<double>(narrow) == weight) {
                narrowWeights.push_back(narrow);
                return;
            }
            WidenWeights();
        }
        wideWeights.push_back(weight);
    }

    std::vector<double> values;
    std::vector<float> narrowWeights; // weighted, while floatWeights
    std::vector<double> wideWeights;  // weighted, once a weight is no float
    std::vector<unsigned char> tags;
    std::vector<double> tagTotals;
    bool weighted = false;
    bool floatWeights = false;
    bool tagged = false;
    double total = 0.0;
    size_t charged = 0; // bytes of the budget held for the storage
    bool counting = false;
    bool countingWeights = false;
    long lowest = 0;            // the value of counts[0]
    std::vector<double> counts; // cases (or their weights) per value, while counting
    size_t runCases = 0;
    bool counted = false;         // holds the entries of CountTagged
    std::vector<size_t> tagCases; // the cases of each tag, once counted
};

// Makes an empty column count by value when the values of a variable of
// this storage type (DataSetLayout.h) are whole numbers of at most 2 bytes,
// by their weights when the cases are weighted; otherwise leaves it as it
// is.
void CountStoredValues(QuantileColumn &column, int storageType, bool weightedCases);

// The descriptive record of one variable or one group of a breakdown.
struct DescriptiveRecord
{
    long count = 0;             // valid cases with a positive weight
    double weightedCount = 0.0; // sum of weights (the count when unweighted)
    double minimum;
    double maximum;
    double sum;
    double mean;
    double standardDeviation;
    double lower95, upper95;
    double lower99, upper99;
    double skewness;
    double kurtosis;
    bool hasQuantiles = false;
    double quantiles[7];
    // Group records only: the label and the value of the break variable.
    std::string label;
    double breakValue = 0.0;

    DescriptiveRecord() { Reset(); }
    // Every figure back to not computed, no quantile summary, counts 0.
    void Reset();
    // The seven summary values, or null when they are not computed yet.
    const double *QuantileSummary() const { return hasQuantiles ? quantiles : nullptr; }
    // Sets all seven summary values to kNotComputed (and marks them present).
    void SetSevenToMaxFloat();
};

// Fills every figure of the record but the quantile summary and the label
// from the moments of the cases.
void DescribeMoments(const WeightedMoments &moments, DescriptiveRecord &record);
// The same over an array of cases (those of weight not above 0 left out).
void ComputeDescriptives(const WeightedValue *cases, size_t count, DescriptiveRecord &record);

// Sorts the column and fills summary[0..6] as above. With no case all seven
// are kNotComputed.
void ComputeQuantileSummary(QuantileColumn &column, double summary[7]);
void ComputeQuantileSummary(const std::vector<WeightedValue> &cases, double summary[7]);

// The summaries of every tag of a tagged column (the seven values at
// summaries[t] for tags 0 to tagCount - 1) and, when total is given, of all its cases, from one
// sort and one merged walk of the column; each as ComputeQuantileSummary
// gives it for a column of those cases alone, bit for bit.
void ComputeQuantileSummaries(QuantileColumn &column, size_t tagCount, double *const *summaries, double *total);

// The p-quantile (0 <= p <= 1) of a sorted column; kNotComputed without
// cases.
double SortedQuantile(const QuantileColumn &sorted, double p);

// Fills summary[0..6] as above for cases of that minimum and maximum: when
// they are equal every figure is the minimum; else the quartiles and the
// median from quantile(p), asked for p = 0.25, 0.5 and 0.75 in this order,
// and the whisker ends from whiskerEnds(lowFence, highFence, low, high),
// which sets low to the smallest value not below the low fence and high
// to the largest not above the high fence (left as they are when there is
// none). The fences lie one interquartile range outside the
// quartiles.
template <class Quantile, class WhiskerEnds>
void FillQuantileSummary(double summary[7], double minimum, double maximum, Quantile quantile,
                         WhiskerEnds whiskerEnds)
{
    summary[5] = minimum;
    summary[6] = maximum;
    if (minimum == maximum) {
        for (int i = 0; i < 5; ++i)
            summary[i] = minimum;
        return;
    }
    const double q1 = quantile(0.25);
    summary[0] = q1;
    summary[1] = quantile(0.5);
    const double q3 = quantile(0.75);
    summary[2] = q3;
    const double iqr = q3 - q1;
    whiskerEnds(q1 - iqr, q3 + iqr, summary[3], summary[4]);
}

#endif
