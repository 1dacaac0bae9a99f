// Stat: the statistics of one variable over the valid, selected, weighted
// cases of a computation object's data set: minimum, maximum, mean,
// standard deviation sqrt((sum w x^2 - (sum w x)^2 / N) / (N - 1)), standard
// error sqrt(variance / N), N (the weighted count), the valid case count
// and whether the data are integers. Standard deviation and error are
// kNotComputed when N <= 1; everything is kNotComputed without cases.
// With a y variable only the cases valid in both count; values not below
// the limit are left out (a limit of kNotComputed keeps every valid value,
// up to the largest double).
//
// GroupedMedian: the seven-value quantile summary of a variable over the
// same cases (25th percentile, median, 75th percentile, lower and upper
// whisker ends, minimum, maximum; definitions in DescriptiveKernel.h).
//
// Both read their data at construction through the value lists' cursors of
// the computation object, which they do not own and which must outlive the
// construction only; GroupedMedian holds one column of the cases while it
// sorts them.
#ifndef STATS_STAT_H
#define STATS_STAT_H

class StatClass;

class Stat
{
public:
    Stat(StatClass *computation, long xVariable, long yVariable, double limit);
    virtual ~Stat();

    double minimum;
    double maximum;
    double mean;
    double standardDeviation;
    double standardError;
    double n; // weighted count
    long validCount;
    bool integerData;
};

class GroupedMedian
{
public:
    GroupedMedian(StatClass *computation, long variable, long partner, double limit);
    virtual ~GroupedMedian();
    // Copies the seven summary values (kNotComputed without cases).
    void GetSummary(double summary[7]) const;

private:
    double summary_[7];
};

#endif
