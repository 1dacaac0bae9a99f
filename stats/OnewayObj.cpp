#include "stats/OnewayObj.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <numeric>

#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseWalk.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

OnewayObj::OnewayObj(long analysis, long breakVar, DATASET *set)
    : StatClass(set), analysisVariable(analysis), breakVariable(breakVar), varianceF(kNotComputed),
      varianceDf1(kNotComputed), varianceDf2(kNotComputed), varianceP(kNotComputed)
{
    for (int &w : columnWidths)
        w = 0;
}

OnewayObj::~OnewayObj()
{
    delete anova;
    delete separateTests;
    delete pooledTests;
    delete scheffeTests;
}

template <typename Use> bool OnewayObj::WalkGroups(Use use)
{
    std::map<double, size_t> index;
    for (size_t g = 0; g < groups.size(); ++g)
        index[groups[g].breakValue] = g;
    const long variables[2] = {analysisVariable, breakVariable};
    CaseWalk walk(*this, variables, 2);
    while (walk.Next()) {
        if (!walk.AllValid())
            continue;
        const auto found = index.find(walk.Value(1));
        if (found != index.end())
            use(found->second, walk.Value(0), walk.Weight());
    }
    return walk.Ok();
}

bool OnewayObj::Compute()
{
    groups.clear();
    groupMoments.clear();
    total.Reset();
    // One walk: the moments of each break value met, in ascending order of
    // the value, and of all cases.
    std::map<double, GroupMoments> byValue;
    GroupMoments all;
    const long variables[2] = {analysisVariable, breakVariable};
    CaseWalk walk(*this, variables, 2);
    while (walk.Next()) {
        if (!walk.AllValid())
            continue;
        auto found = byValue.find(walk.Value(1));
        if (found == byValue.end()) {
            if (byValue.size() == kMaxGroups) {
                tooManyGroups = 1;
                errorCode = kTooManyGroupsError;
                return true;
            }
            found = byValue.emplace(walk.Value(1), GroupMoments()).first;
        }
        found->second.Add(walk.Value(0), walk.Weight());
        all.Add(walk.Value(0), walk.Weight());
    }
    if (!walk.Ok())
        return false;
    KATLABS *labels = KATLABS::ConstructAndRead(breakVariable, dataSet);
    const VariableInfo *info = dataSet ? dataSet->GetVariable(breakVariable) : nullptr;
    const int decimals = info ? info->EffectiveDecimals() : 2;
    for (const auto &entry : byValue) {
        DescriptiveRecord record;
        record.breakValue = entry.first;
        const char *label = labels ? labels->GetLabelText(entry.first) : "";
        if (*label) {
            record.label = label;
        } else {
            char text[64];
            FormatValueLabel(text, sizeof text, entry.first, decimals);
            record.label = text;
        }
        DescribeMoments(entry.second, record);
        groups.push_back(record);
        groupMoments.push_back(entry.second);
    }
    delete labels;
    DescribeMoments(all, total);
    return true;
}

void OnewayObj::ComputeGroupQuantiles()
{
    try {
        CollectGroupQuantiles();
    } catch (const std::bad_alloc &failure) {
        // The summaries not reached stay not computed.
        NoteMemoryFailure("The quantiles of the breakdown", failure);
    }
}

void OnewayObj::CollectGroupQuantiles()
{
    // The total first, then the groups: one column of the cases at a time,
    // each sized for its cases at once (counted by Compute), so that none
    // holds two copies while it grows.
    QuantileColumn column;
    column.Reserve(static_cast<size_t>(std::max(total.count, 0L)), IsWeighted());
    WalkGroups([&](size_t, double v, double w) { column.Add(v, w); });
    ComputeQuantileSummary(column, total.quantiles);
    total.hasQuantiles = true;
    column.Clear();
    std::vector<QuantileColumn> columns(groups.size());
    for (size_t g = 0; g < groups.size(); ++g)
        columns[g].Reserve(static_cast<size_t>(std::max(groups[g].count, 0L)), IsWeighted());
    WalkGroups([&](size_t g, double v, double w) { columns[g].Add(v, w); });
    for (size_t g = 0; g < groups.size(); ++g) {
        ComputeQuantileSummary(columns[g], groups[g].quantiles);
        groups[g].hasQuantiles = true;
        columns[g].Clear();
    }
}

void OnewayObj::ComputeVarianceHomogeneityTest()
{
    std::vector<GroupMoments> deviations(groups.size());
    WalkGroups([&](size_t g, double v, double w) { deviations[g].Add(std::fabs(v - groupMoments[g].Mean()), w); });
    const AnovaTable t = ComputeVarianceHomogeneity(deviations);
    varianceF = t.f;
    varianceDf1 = t.dfBetween;
    varianceDf2 = t.dfWithin;
    varianceP = t.p;
    varianceTestDone = 1;
}

namespace {

// The value of each breakdown column of a record, in column order.
void ColumnValues(const DescriptiveRecord &r, double out[OnewayObj::kColumns])
{
    const double *q = r.QuantileSummary();
    const double values[OnewayObj::kColumns] = {r.mean,
                                                r.lower99,
                                                r.lower95,
                                                r.upper95,
                                                r.upper99,
                                                q ? q[0] : kNotComputed,
                                                q ? q[1] : kNotComputed,
                                                q ? q[2] : kNotComputed,
                                                r.minimum,
                                                r.maximum,
                                                r.sum,
                                                r.standardDeviation,
                                                r.weightedCount};
    std::copy(values, values + OnewayObj::kColumns, out);
}

// Texts of group 32 heading each column.
const int kHeadingText[OnewayObj::kColumns] = {25, 21, 22, 23, 24, 27, 28, 29, 26, 30, 31, 32, 33};

} // namespace

void OnewayObj::FormatGroupStatistics()
{
    labelWidth = static_cast<int>(total.label.size());
    for (const DescriptiveRecord &g : groups)
        if (g.count > 0 && static_cast<int>(g.label.size()) > labelWidth)
            labelWidth = static_cast<int>(g.label.size());
    for (int c = 0; c < kColumns; ++c) {
        columnWidths[c] = static_cast<int>(std::strlen(StatText(kHeadingText[c], 32))) + 2;
        if (kHeadingText[c] >= 27 && kHeadingText[c] <= 29)
            columnWidths[c] += 1;
    }
    std::vector<const DescriptiveRecord *> records;
    for (const DescriptiveRecord &g : groups)
        records.push_back(&g);
    records.push_back(&total);
    for (const DescriptiveRecord *r : records) {
        double values[kColumns];
        ColumnValues(*r, values);
        // The widths of the figures as the table writes them (FormatFigure);
        // a figure of valid values may be larger than the mark.
        for (int c = 0; c < kColumns; ++c)
            if (values[c] != kNotComputed && std::isfinite(values[c]))
                columnWidths[c] = std::max(columnWidths[c], static_cast<int>(FormatFigure(values[c], 2).size()) + 2);
    }
}

void OnewayObj::SortGroups(unsigned long code)
{
    const bool descending = (code & kSortDescending) != 0;
    const unsigned long key = code & ~static_cast<unsigned long>(kSortDescending);
    auto keyOf = [key](const DescriptiveRecord &r) -> double {
        switch (key) {
        case kSortMean:
            return r.mean;
        case kSortCount:
            return r.weightedCount;
        case kSortSum:
            return r.sum;
        case kSortMinimum:
            return r.minimum;
        case kSortMaximum:
            return r.maximum;
        case kSortDeviation:
            return r.standardDeviation;
        case kSortMedian:
            return r.QuantileSummary() ? r.QuantileSummary()[1] : kNotComputed;
        default:
            return r.breakValue;
        }
    };
    switch (key) {
    case kSortMean:
    case kSortCount:
    case kSortSum:
    case kSortMinimum:
    case kSortMaximum:
    case kSortDeviation:
    case kSortMedian:
    case kSortBreakValue:
    case kSortLabel:
        break;
    default:
        return;
    }
    std::vector<size_t> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const DescriptiveRecord &x = descending ? groups[b] : groups[a];
        const DescriptiveRecord &y = descending ? groups[a] : groups[b];
        if (key == kSortLabel)
            return x.label < y.label;
        return keyOf(x) < keyOf(y);
    });
    std::vector<DescriptiveRecord> sortedGroups;
    std::vector<GroupMoments> sortedMoments;
    for (size_t i : order) {
        sortedGroups.push_back(groups[i]);
        sortedMoments.push_back(groupMoments[i]);
    }
    groups.swap(sortedGroups);
    groupMoments.swap(sortedMoments);
    sortCode = code;
}

std::vector<GroupMoments> OnewayObj::GroupMomentsInOrder() const
{
    return groupMoments;
}

AnovaResult::AnovaResult(const OnewayObj *computation)
{
    if (computation)
        table = ComputeOneWayAnova(computation->GroupMomentsInOrder());
}

SignObj::SignObj(const OnewayObj *computation)
    : groupCount(computation ? static_cast<int>(computation->groups.size()) : 0)
{
    pairs.assign(static_cast<size_t>(groupCount) * groupCount, PairwiseResult());
    if (computation)
        for (const DescriptiveRecord &g : computation->groups) {
            breakValues.push_back(g.breakValue);
            labels.push_back(g.label);
        }
}

SignObj::~SignObj()
{}

const PairwiseResult &SignObj::Pair(int i, int j) const
{
    if (i > j)
        std::swap(i, j);
    return pairs[static_cast<size_t>(i) * groupCount + j];
}

int SignObj::Level(int i, int j) const
{
    return SignificanceLevelOfP(Pair(i, j).p);
}

std::vector<GroupMoments> SignObj::MomentsOf(const OnewayObj *computation)
{
    return computation ? computation->GroupMomentsInOrder() : std::vector<GroupMoments>();
}

void SignObj::CompareEveryPair(const std::vector<GroupMoments> &m,
                               const std::function<PairwiseResult(const GroupMoments &, const GroupMoments &)> &compare)
{
    for (int i = 0; i < groupCount; ++i)
        for (int j = i + 1; j < groupCount; ++j)
            pairs[static_cast<size_t>(i) * groupCount + j] = compare(m[i], m[j]);
}

SepTtestObj::SepTtestObj(const OnewayObj *computation) : SignObj(computation)
{
    CompareEveryPair(MomentsOf(computation), CompareSeparateVariances);
}

PooledTtestObj::PooledTtestObj(const OnewayObj *computation) : SignObj(computation)
{
    CompareEveryPair(MomentsOf(computation), ComparePooledVariance);
}

ScheffeObj::ScheffeObj(const OnewayObj *computation) : SignObj(computation)
{
    const std::vector<GroupMoments> m = MomentsOf(computation);
    const AnovaTable anova = ComputeOneWayAnova(m);
    CompareEveryPair(m, [&anova](const GroupMoments &a, const GroupMoments &b) { return CompareScheffe(a, b, anova); });
}
