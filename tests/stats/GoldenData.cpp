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

namespace {

std::vector<std::string> SplitCsv(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.push_back("");
    return fields;
}

} // namespace

GoldenSet::GoldenSet(const std::string &fileName)
{
    std::ifstream in(GoldenPath(fileName));
    std::string line;
    if (!std::getline(in, line))
        return;
    // "# user-missing: g=9 a=9"
    const size_t colon = line.find(':');
    if (colon != std::string::npos) {
        std::istringstream codes(line.substr(colon + 1));
        std::string item;
        while (codes >> item) {
            const size_t eq = item.find('=');
            if (eq != std::string::npos)
                userMissing_[item.substr(0, eq)] = std::atof(item.c_str() + eq + 1);
        }
    }
    if (!std::getline(in, line))
        return;
    names_ = SplitCsv(line);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> fields = SplitCsv(line);
        fields.resize(names_.size());
        std::vector<double> row;
        std::vector<bool> empty;
        for (const std::string &f : fields) {
            empty.push_back(f.empty());
            row.push_back(f.empty() ? kDoubleMissing : std::atof(f.c_str()));
        }
        rows_.push_back(row);
        empty_.push_back(empty);
    }
}

int GoldenSet::ColumnIndex(const std::string &var) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == var)
            return static_cast<int>(i);
    ADD_FAILURE() << "no column " << var;
    return 0;
}

bool GoldenSet::IsSystemMissing(size_t c, const std::string &var) const
{
    return empty_[c][ColumnIndex(var)];
}

bool GoldenSet::IsUserMissingCode(const std::string &var, double value) const
{
    auto found = userMissing_.find(var);
    return found != userMissing_.end() && found->second == value;
}

bool GoldenSet::IsValid(size_t c, const std::string &var) const
{
    return !IsSystemMissing(c, var) && !IsUserMissingCode(var, Value(c, var));
}

double GoldenSet::Value(size_t c, const std::string &var) const
{
    return rows_[c][ColumnIndex(var)];
}

double GoldenSet::Weight(size_t c, bool weighted) const
{
    return weighted ? Value(c, "w") : 1.0;
}

std::vector<WeightedValue> GoldenSet::Cases(const std::string &var, bool weighted) const
{
    std::vector<WeightedValue> cases;
    for (size_t c = 0; c < rows_.size(); ++c) {
        const double w = Weight(c, weighted);
        if (IsValid(c, var) && w > 0.0)
            cases.push_back({Value(c, var), w});
    }
    return cases;
}

std::vector<WeightedPair> GoldenSet::Pairs(const std::string &x, const std::string &y,
                                           bool weighted) const
{
    std::vector<WeightedPair> pairs;
    for (size_t c = 0; c < rows_.size(); ++c) {
        const double w = Weight(c, weighted);
        if (IsValid(c, x) && IsValid(c, y) && w > 0.0)
            pairs.push_back({Value(c, x), Value(c, y), w});
    }
    return pairs;
}

std::vector<double> GoldenSet::Column(const std::string &var) const
{
    std::vector<double> column;
    for (size_t c = 0; c < rows_.size(); ++c)
        column.push_back(IsValid(c, var) ? Value(c, var) : kDoubleMissing);
    return column;
}

std::vector<double> GoldenSet::Weights(bool weighted) const
{
    std::vector<double> weights;
    for (size_t c = 0; c < rows_.size(); ++c)
        weights.push_back(Weight(c, weighted));
    return weights;
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

int CompareWithReferences(const std::string &prefix,
                          const std::map<std::string, double> &computed)
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
            EXPECT_TRUE(IsNotComputed(value)) << f.name << " should not be computable, got "
                                              << value;
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

void AddDescriptiveFigures(const std::string &p, const DescriptiveRecord &d, const double *q,
                           std::map<std::string, double> &f)
{
    f[p + "count"] = d.count;
    f[p + "n"] = d.weightedCount;
    f[p + "sum"] = d.sum;
    f[p + "mean"] = d.mean;
    f[p + "min"] = d.minimum;
    f[p + "max"] = d.maximum;
    f[p + "sd"] = d.standardDeviation;
    f[p + "lower95"] = d.lower95;
    f[p + "upper95"] = d.upper95;
    f[p + "lower99"] = d.lower99;
    f[p + "upper99"] = d.upper99;
    f[p + "skewness"] = d.skewness;
    f[p + "kurtosis"] = d.kurtosis;
    const char *names[] = {"q1", "median", "q3", "whisklow", "whiskhigh"};
    for (int i = 0; i < 5; ++i)
        f[p + names[i]] = q[i];
}
