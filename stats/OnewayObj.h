// OnewayObj: the breakdown of an analysis variable by the groups of a break
// variable: one descriptive record per distinct valid break value (at most
// 30) and a total record, the quantile summaries on request, the
// variance-homogeneity test, sorting and column widths. AnovaResult holds
// the one-way analysis of variance of the groups; the SignObj family
// (SepTtestObj, PooledTtestObj, ScheffeObj) the comparisons of all pairs of
// groups in the groups' order at their construction. Formulas are in
// AnovaKernel.h and DescriptiveKernel.h.
//
// The cases are read a block at a time, once: the walk that gathers the
// moments also gathers the cases of the quantile summaries when they are
// asked for (quantilesWithMoments) and the budget holds them, as one
// column of every case tagged with its group (9 bytes a case unweighted,
// 13 weighted by a float weight), from which the groups' moments and the
// variance-homogeneity test's deviations are taken too. A long column of
// few distinct values becomes one entry per value and group first
// (QuantileColumn::CountTagged): the moments and deviations then take a
// step per entry, equal to the case-by-case figures but for rounding, and
// the quantiles stay exactly those of the cases. The quantiles of a 1- or 2-byte analysis
// variable are counted by value per group instead (the homogeneity test
// then walks the cases again). Without the gathered cases the quantiles
// and the test walk the cases again; quantiles that the budget cannot hold
// are left out and GetOmittedText says so.
//
// Ownership: the object owns its records and each group's moments, and
// the analysis-of-variance result and pairwise objects that its owner
// stores in it (deleted with it). Group indices count from 0.
#ifndef STATS_ONEWAYOBJ_H
#define STATS_ONEWAYOBJ_H

#include <functional>
#include <memory>
#include <string>
#include <cmath>
#include <vector>

#include "stats/AnovaKernel.h"
#include "stats/DescriptiveKernel.h"
#include "stats/StatClass.h"

class AnovaResult;
class PooledTtestObj;
class ScheffeObj;
class SepTtestObj;
class TXTWIN;

class OnewayObj : public StatClass
{
public:
    enum { kMaxGroups = 30, kTooManyGroupsError = 102, kColumns = 13 };
    // Sort keys (one bit, plus kSortDescending for descending order).
    enum {
        kSortMean = 1,
        kSortCount = 2,
        kSortSum = 4,
        kSortMinimum = 8,
        kSortMaximum = 16,
        kSortDeviation = 32,
        kSortMedian = 64,
        kSortBreakValue = 128,
        kSortLabel = 256,
        kSortDescending = 512
    };

    OnewayObj(long analysisVariable, long breakVariable, DATASET *dataSet = nullptr);
    ~OnewayObj() override;

    // Reads both variables and computes every group's and the total's
    // statistics; a 31st distinct break value sets the too-many-groups flag
    // and error code 102 and stops. False when a variable cannot be read.
    // False when the cases cannot be read: GetFailureText() then says why,
    // naming file, variable and case.
    bool Compute();
    // Compute gathers on its walk the cases the quantile summaries need,
    // when the budget holds them, so that ComputeGroupQuantiles then reads
    // no cases (set before Compute when the quantiles will be wanted).
    bool quantilesWithMoments = false;
    // Gives every group and the total its quantile summary. With
    // forHomogeneity, the walk also gathers what the homogeneity test needs,
    // so that a test that follows reads no cases of its own.
    void ComputeGroupQuantiles(bool forHomogeneity = false);
    // The variance-homogeneity test (F, df, p); marks it done.
    void ComputeVarianceHomogeneityTest();
    // Label width and the width of each column (in the column order of the
    // breakdown table: mean, 99 % lower, 95 % lower, 95 % upper, 99 % upper,
    // lower quartile, median, upper quartile, minimum, maximum, sum, standard
    // deviation, N): heading length + 2 (+ 1 for the quartile and median
    // headings), raised to the longest value printed with 2 decimals + 2.
    void FormatGroupStatistics();
    // Sorts the groups by one key bit, ascending or with kSortDescending
    // descending; any other code leaves the order unchanged (stable).
    void SortGroups(unsigned long sortCode);

    // The moments of each group in the current order (for the tests).
    std::vector<GroupMoments> GroupMomentsInOrder() const;

    long analysisVariable, breakVariable;
    std::vector<DescriptiveRecord> groups;
    DescriptiveRecord total;
    unsigned char tooManyGroups = 0;
    unsigned char errorFlag = 0;
    int errorCode = 0;
    int labelWidth = 0;
    int columnWidths[kColumns];
    unsigned long displayMask = 0, testMask = 0, sortCode = 0, pairwiseSortCode = 0;
    AnovaResult *anova = nullptr;
    SepTtestObj *separateTests = nullptr;
    PooledTtestObj *pooledTests = nullptr;
    ScheffeObj *scheffeTests = nullptr;
    unsigned char varianceTestDone = 0;
    double varianceF, varianceDf1, varianceDf2, varianceP;

private:
    bool Unreadable(const class CaseBlockWalk &walk);
    // The cases gathered by Compute for the quantile summaries: one column
    // tagged with each case's group in the order met, or per group (and in
    // all) counts by value; breakValues holds each group's break value in
    // the order met, place its place in groups.
    struct Gathered
    {
        bool counting = false;
        QuantileColumn total;
        std::vector<QuantileColumn> groups;
        std::vector<double> breakValues;
        std::vector<size_t> place;
    };
    void StartGathering(class CaseBlockWalk &walk);
    void Gather(const double *x, const double *w, const unsigned char *g, size_t n);
    // The summaries (and the homogeneity test's deviations when asked) from
    // the gathered cases; false when there are none.
    bool SummariesFromGathered();
    std::unique_ptr<Gathered> gathered;
    void CollectGroupQuantiles();
    void CollectWeightedQuantiles();
    // Walks the cases valid in both variables: use(group index, value,
    // weight), the group index in the current order. False when a variable
    // cannot be read.
    template <typename Use> bool WalkGroups(Use use);
    // The same with the groups of these break values (in this order).
    template <typename Use> bool WalkGroups(const std::vector<double> &breakValues, Use use);
    // Each group's moments from the gathered column (cases[g] its number
    // of cases where its moments count entries); false without a column.
    bool GroupMomentsFromColumn(std::vector<GroupMoments> &moments, std::vector<long> &cases);

    // The absolute deviations from its mean of each group, in case order
    // (or per counted entry), for the homogeneity test; gathered on the
    // walk that collects the quantiles, so that the test then needs no
    // walk of its own.
    void AddDeviation(std::vector<GroupMoments> &deviations, const std::vector<double> &means, size_t g, double v,
                      double w)
    {
        deviations[g].Add(Deviation(v, means[g]), w);
    }
    // Halved (exactly), so that the deviation of a value near the largest
    // double stays a double; the test's F does not change. (The builtin
    // fabs: the 32-bit library's goes through the x87 unit.)
    static double Deviation(double v, double mean) { return __builtin_fabs(v / 2.0 - mean / 2.0); }
    std::vector<double> GroupMeans() const;
    void KeepDeviations(bool walked, std::vector<GroupMoments> &deviations);

    // The moments of each group, in the same order as groups.
    std::vector<GroupMoments> groupMoments;
    std::vector<GroupMoments> groupDeviations;
    bool deviationsKept = false;
    bool gatherDeviations = false; // while the quantiles are collected
};

// The analysis of variance of the groups of a one-way computation. (Its
// table text belongs to the result window of the shell.)
class AnovaResult
{
public:
    explicit AnovaResult(const OnewayObj *computation);
    // Writes the table into the window (defined with the window's writers).
    void WriteTable(TXTWIN &window) const;
    AnovaTable table;
};

// The comparisons of all pairs of groups; pair (i, j), i < j, in the order
// of the groups when the object was made. Level is that of
// SignificanceLevelOfP (0 none, 1 p < 0.05, 2 p < 0.01, 3 p < 0.001, 4 not
// computed).
class SignObj
{
public:
    virtual ~SignObj();
    int GroupCount() const { return groupCount; }
    const PairwiseResult &Pair(int i, int j) const;
    int Level(int i, int j) const;

    // With setFlag 1 keeps the matrix flag; writes the block (title, the
    // pairs as a list or as a group-by-group matrix, footer) into the window
    // and shows it (defined with the window's writers).
    void ShowInWindow(int setFlag, int matrix);

    TXTWIN *window = nullptr; // set by the caller; not owned
    int matrixFlag = 0;
    std::vector<double> breakValues; // of the groups, in the order used
    std::vector<std::string> labels; // of the groups, in the order used

protected:
    explicit SignObj(const OnewayObj *computation);
    // The moments of the computation's groups in order; none without one.
    static std::vector<GroupMoments> MomentsOf(const OnewayObj *computation);
    // Stores compare(group i, group j) for every pair i < j.
    void CompareEveryPair(const std::vector<GroupMoments> &moments,
                          const std::function<PairwiseResult(const GroupMoments &, const GroupMoments &)> &compare);
    int groupCount;
    std::vector<PairwiseResult> pairs; // groupCount x groupCount, i < j used
};

class SepTtestObj : public SignObj
{
public:
    explicit SepTtestObj(const OnewayObj *computation);
};

class PooledTtestObj : public SignObj
{
public:
    explicit PooledTtestObj(const OnewayObj *computation);
};

class ScheffeObj : public SignObj
{
public:
    explicit ScheffeObj(const OnewayObj *computation);
};

#endif
