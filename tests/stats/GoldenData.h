// Test helper: the reference figures that golden/make_references.py
// computed with R, PSPP and scipy for the committed golden data sets, and
// data sets built from description and CSV text.
#ifndef TESTS_STATS_GOLDENDATA_H
#define TESTS_STATS_GOLDENDATA_H

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "stats/DescriptiveKernel.h"

struct ReferenceFigure
{
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
int CompareWithReferences(const std::string &prefix, const std::map<std::string, double> &computed);

std::string GoldenPath(const std::string &fileName);

// Adds the figures under the prefix, named in turn by the blank-separated
// names.
void PutFigures(std::map<std::string, double> &figures, const std::string &prefix, const char *names,
                std::initializer_list<double> values);
template <class... Values>
void Put(std::map<std::string, double> &figures, const std::string &prefix, const char *names, Values... values)
{
    PutFigures(figures, prefix, names, {static_cast<double>(values)...});
}

// Adds the figures of one descriptive record under the prefix ("count",
// "mean", ... "kurtosis") and the first five of its quantile summary
// ("q1", "median", "q3", "whisklow", "whiskhigh").
void AddDescriptiveFigures(const std::string &prefix, const DescriptiveRecord &d, const double *quantiles,
                           std::map<std::string, double> &figures);

class DATASET;
// Writes a data set from a description and CSV values (as qvconvert does)
// into the working directory and opens it read-only; null on failure (with
// a test failure added). The caller deletes it.
DATASET *BuildDataSet(const std::string &description, const std::string &csv, const char *fileName);

#endif
