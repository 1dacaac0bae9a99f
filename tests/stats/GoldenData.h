// Test helper: the committed golden data sets (CSV with a first line naming
// the user-missing codes) and the reference figures that
// golden/make_references.py computed with R, PSPP and scipy.
#ifndef TESTS_STATS_GOLDENDATA_H
#define TESTS_STATS_GOLDENDATA_H

#include <map>
#include <string>
#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/PairedTestKernel.h"

// One data set; a value that is empty in the file is system-missing.
class GoldenSet {
public:
    explicit GoldenSet(const std::string &fileName);
    bool Loaded() const { return !rows_.empty(); }
    size_t Cases() const { return rows_.size(); }
    bool IsSystemMissing(size_t c, const std::string &var) const;
    bool IsValid(size_t c, const std::string &var) const;   // neither sysmis nor user-missing
    bool IsUserMissingCode(const std::string &var, double value) const;
    double Value(size_t c, const std::string &var) const;   // kDoubleMissing when empty
    // The case's weight when weighted (column "w"), else 1.
    double Weight(size_t c, bool weighted) const;

    // Valid cases of one variable with a positive weight.
    std::vector<WeightedValue> Cases(const std::string &var, bool weighted) const;
    // Cases valid in both variables, with a positive weight.
    std::vector<WeightedPair> Pairs(const std::string &x, const std::string &y,
                                    bool weighted) const;
    // A column with kDoubleMissing for missing (sysmis or user-missing) values.
    std::vector<double> Column(const std::string &var) const;
    std::vector<double> Weights(bool weighted) const;

private:
    int ColumnIndex(const std::string &var) const;
    std::vector<std::string> names_;
    std::vector<std::vector<double>> rows_;
    std::vector<std::vector<bool>> empty_;
    std::map<std::string, double> userMissing_;
};

struct ReferenceFigure {
    std::string name;
    bool notComputed;
    double value;
    double tolerance;
    std::string tool;
};

// Every reference line whose name starts with the prefix.
std::vector<ReferenceFigure> ReferencesWithPrefix(const std::string &prefix);

// Compares every reference figure of the prefix with the computed figures:
// a missing computed figure, a value outside the tolerance or a computed
// value where the reference says "not computable" (and the reverse) each
// add a failure. Returns the number of figures compared.
int CompareWithReferences(const std::string &prefix,
                          const std::map<std::string, double> &computed);

std::string GoldenPath(const std::string &fileName);

// Adds the figures of one descriptive record under the prefix ("count",
// "mean", ... "kurtosis") and the first five of its quantile summary
// ("q1", "median", "q3", "whisklow", "whiskhigh").
void AddDescriptiveFigures(const std::string &prefix, const DescriptiveRecord &d,
                           const double *quantiles, std::map<std::string, double> &figures);

class DATASET;
// Writes a data set from a description and CSV values (as qvconvert does)
// into the working directory and opens it read-only; null on failure (with
// a test failure added). The caller deletes it.
DATASET *BuildDataSet(const std::string &description, const std::string &csv,
                      const char *fileName);

#endif
