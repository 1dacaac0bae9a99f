#include "GoldenData.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "stats/StatMissing.h"

std::string GoldenPath(const std::string &fileName)
{
    return std::string(STATS_GOLDEN_DIR) + "/" + fileName;
}

std::vector<ReferenceFigure> ReferencesWithPrefix(const std::string &prefix)
{
    std::vector<ReferenceFigure> figures;
    std::ifstream in(GoldenPath("reference.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::istringstream fields(line);
        ReferenceFigure f;
        std::string value;
        fields >> f.name >> value >> f.tolerance >> f.tool;
        f.notComputed = value == "NA";
        f.value = f.notComputed ? 0.0 : std::atof(value.c_str());
        figures.push_back(f);
    }
    return figures;
}

int CompareWithReferences(const std::string &prefix, const std::map<std::string, double> &computed)
{
    const std::vector<ReferenceFigure> figures = ReferencesWithPrefix(prefix);
    EXPECT_FALSE(figures.empty()) << "no reference figures for " << prefix;
    for (const ReferenceFigure &f : figures) {
        auto found = computed.find(f.name);
        if (found == computed.end()) {
            ADD_FAILURE() << f.name << " (" << f.tool << ") is not computed by the test";
            continue;
        }
        const double value = found->second;
        EXPECT_FALSE(std::isnan(value) || std::isinf(value)) << f.name;
        if (f.notComputed) {
            EXPECT_TRUE(IsNotComputed(value)) << f.name << " should not be computable, got " << value;
            continue;
        }
        if (IsNotComputed(value)) {
            ADD_FAILURE() << f.name << " not computed; " << f.tool << " has " << f.value;
            continue;
        }
        const double scale = std::fabs(f.value) > 1.0 ? std::fabs(f.value) : 1.0;
        EXPECT_NEAR(value, f.value, f.tolerance * scale) << f.name << " against " << f.tool;
    }
    return static_cast<int>(figures.size());
}

DATASET *BuildDataSet(const std::string &description, const std::string &csv, const char *fileName)
{
    DataSetBuilder builder;
    if (builder.ReadDescription(description) || builder.ReadCsv(csv) || builder.Write(fileName)) {
        ADD_FAILURE() << fileName << ": " << builder.GetErrorText();
        return nullptr;
    }
    int error = 0;
    DATASET *set = OpenDataSet(fileName, &error, DATASET_READONLY);
    if (!set)
        ADD_FAILURE() << fileName << " does not open: " << error;
    return set;
}

void PutFigures(std::map<std::string, double> &f, const std::string &p, const char *names,
                std::initializer_list<double> values)
{
    std::istringstream in(names);
    std::string name;
    for (double v : values) {
        ASSERT_TRUE(in >> name) << names;
        f[p + name] = v;
    }
    EXPECT_FALSE(in >> name) << names;
}

void AddDescriptiveFigures(const std::string &p, const DescriptiveRecord &d, const double *q,
                           std::map<std::string, double> &f)
{
    Put(f, p, "count n sum mean min max sd lower95 upper95 lower99 upper99 skewness kurtosis", d.count, d.weightedCount,
        d.sum, d.mean, d.minimum, d.maximum, d.standardDeviation, d.lower95, d.upper95, d.lower99, d.upper99,
        d.skewness, d.kurtosis);
    Put(f, p, "q1 median q3 whisklow whiskhigh", q[0], q[1], q[2], q[3], q[4]);
}
