#include "stats/OnewayObj.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <numeric>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
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

namespace {

// The group number of each case of a block: the place of its break value
// among the values met so far (in the order given to Add), kMissing for a
// missing break value, kNew for a value that is no group yet. A 1- or
// 2-byte break variable keeps each stored value's number in a table, so a
// case costs one look-up; any other compares with the last value met,
// then with the (at most 31) values known.
class BreakGroups
{
public:
    static constexpr int kMissing = -1;
    static constexpr int kNew = -2;

    explicit BreakGroups(const BUFFERTYPE &list) : list(list)
    {
        if (list.storageType == STORAGE_U8 || list.storageType == STORAGE_I16)
            table.assign(list.storageType == STORAGE_U8 ? 256 : 65536, kUnseen);
    }

    void Prepare(const unsigned char *blockBytes, long n)
    {
        bytes = blockBytes;
        if (table.empty()) {
            values.resize(static_cast<size_t>(n));
            list.DecodeBlock(bytes, n, values.data(), DBL_MAX);
        }
    }

    int Group(long c)
    {
        if (table.empty()) {
            const double v = values[static_cast<size_t>(c)];
            if (v == DBL_MAX)
                return kMissing;
            if (lastGroup >= 0 && v == lastValue)
                return lastGroup;
            const int g = Find(v);
            if (g >= 0) {
                lastValue = v;
                lastGroup = g;
            }
            return g;
        }
        const long stored = Stored(c);
        int &code = table[static_cast<size_t>(list.storageType == STORAGE_U8 ? stored : stored + 32768)];
        if (code == kUnseen)
            code = list.IsMissingInt(stored) ? kMissing : Find(static_cast<double>(stored));
        return code == kNew ? (code = kUnseen, kNew) : code;
    }

    // The break value of case c (valid).
    double Value(long c) const
    {
        return table.empty() ? values[static_cast<size_t>(c)] : static_cast<double>(Stored(c));
    }
    // Makes value the next group; returns its number.
    int Add(double value)
    {
        known.push_back(value);
        return static_cast<int>(known.size()) - 1;
    }
    size_t Count() const { return known.size(); }
    double Known(size_t g) const { return known[g]; }

private:
    static constexpr int kUnseen = -3;

    long Stored(long c) const
    {
        if (list.storageType == STORAGE_U8)
            return bytes[c];
        int16_t v;
        std::memcpy(&v, bytes + 2 * c, 2);
        return v;
    }
    int Find(double v) const
    {
        for (size_t g = 0; g < known.size(); ++g)
            if (known[g] == v)
                return static_cast<int>(g);
        return kNew;
    }

    const BUFFERTYPE &list;
    std::vector<int> table;
    std::vector<double> values;
    std::vector<double> known;
    const unsigned char *bytes = nullptr;
    double lastValue = 0.0;
    int lastGroup = -1;
};

// The analysis variable's values of a block, DBL_MAX for a missing one (a
// stored value never decodes to it).
void DecodeAnalysis(CaseBlockWalk &walk, std::vector<double> &x)
{
    x.resize(static_cast<size_t>(walk.BlockCases()));
    walk.List(0).DecodeBlock(walk.Bytes(0), walk.Size(), x.data(), DBL_MAX);
}

// The order statistics of the union of sorted columns of cases of weight
// 1, as ComputeQuantileSummary gives them for one column of all their
// cases: the union is walked in order (a merge of the columns) only as
// far as the quartiles reach; the whisker ends come from each column.
class SortedUnion
{
public:
    explicit SortedUnion(const std::vector<QuantileColumn> &columns) : columns(columns), next(columns.size(), 0)
    {
        for (const QuantileColumn &c : columns)
            size += c.Size();
    }
    size_t Size() const { return size; }

    // The value at place i (from 0) of the union; no place asked may lie
    // before the place last asked.
    double At(size_t i)
    {
        if (taken >= 2 && i == taken - 2)
            return previous;
        while (taken <= i) {
            previous = current;
            size_t best = columns.size();
            for (size_t g = 0; g < columns.size(); ++g)
                if (next[g] < columns[g].Size() &&
                    (best == columns.size() || columns[g].Value(next[g]) < columns[best].Value(next[best])))
                    best = g;
            current = columns[best].Value(next[best]++);
            ++taken;
        }
        return current;
    }

    // The quantile of SortedQuantile over the union.
    double Quantile(double p)
    {
        const double n = static_cast<double>(size);
        const double target = p * n, tolerance = 1e-12 * n;
        // The first place whose cumulative count reaches the target.
        size_t i = 0;
        const double reach = std::ceil(target - tolerance);
        if (reach > 1.0)
            i = static_cast<size_t>(reach) - 1;
        while (i > 0 && static_cast<double>(i) >= target - tolerance)
            --i;
        while (i + 1 < size && static_cast<double>(i + 1) < target - tolerance)
            ++i;
        const double v = At(i);
        if (std::fabs(static_cast<double>(i + 1) - target) <= tolerance && i + 1 < size)
            return Midpoint(v, At(i + 1));
        return v;
    }

    void Summary(double summary[7])
    {
        for (int i = 0; i < 7; ++i)
            summary[i] = kNotComputed;
        if (size == 0)
            return;
        double minimum = 0.0, maximum = 0.0;
        bool first = true;
        for (const QuantileColumn &c : columns) {
            if (c.Size() == 0)
                continue;
            minimum = first ? c.Value(0) : std::min(minimum, c.Value(0));
            maximum = first ? c.Value(c.Size() - 1) : std::max(maximum, c.Value(c.Size() - 1));
            first = false;
        }
        FillQuantileSummary(
            summary, minimum, maximum, [this](double p) { return Quantile(p); },
            [this](double lowFence, double highFence, double &low, double &high) {
                WhiskerEnds(lowFence, highFence, low, high);
            });
    }

private:
    // The smallest value of the union not below the low fence and the
    // largest not above the high one, each column searched on its own.
    void WhiskerEnds(double lowFence, double highFence, double &low, double &high) const
    {
        bool foundLow = false, foundHigh = false;
        for (const QuantileColumn &c : columns) {
            size_t lo = 0, hi = c.Size();
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (c.Value(mid) >= lowFence)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            if (lo < c.Size() && (!foundLow || c.Value(lo) < low)) {
                low = c.Value(lo);
                foundLow = true;
            }
            lo = 0;
            hi = c.Size();
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (c.Value(mid) <= highFence)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            if (lo > 0 && (!foundHigh || c.Value(lo - 1) > high)) {
                high = c.Value(lo - 1);
                foundHigh = true;
            }
        }
    }

    const std::vector<QuantileColumn> &columns;
    std::vector<size_t> next;
    size_t size = 0;
    size_t taken = 0;
    double current = 0.0, previous = 0.0; // at places taken - 1 and taken - 2
};

} // namespace

template <typename Use> bool OnewayObj::WalkGroups(Use use)
{
    std::vector<double> values;
    for (const DescriptiveRecord &g : groups)
        values.push_back(g.breakValue);
    return WalkGroups(values, use);
}

template <typename Use> bool OnewayObj::WalkGroups(const std::vector<double> &breakValues, Use use)
{
    const long variables[2] = {analysisVariable, breakVariable};
    CaseBlockWalk walk(*this, variables, 2);
    if (!walk.Ok())
        return false;
    BreakGroups known(walk.List(1));
    for (double value : breakValues)
        known.Add(value);
    std::vector<double> x;
    while (walk.NextBlock()) {
        DecodeAnalysis(walk, x);
        known.Prepare(walk.Bytes(1), walk.Size());
        const double *w = walk.Weights();
        for (long c = 0; c < walk.Size(); ++c) {
            if (!(w[c] > 0.0) || x[c] == DBL_MAX)
                continue;
            const int g = known.Group(c);
            if (g >= 0)
                use(static_cast<size_t>(g), x[c], w[c]);
        }
    }
    return walk.Ok();
}

bool OnewayObj::Unreadable(const CaseBlockWalk &walk)
{
    const std::string reason = walk.FailureReason();
    const VariableInfo *info = dataSet ? dataSet->GetVariable(analysisVariable) : nullptr;
    failureText = "The one-way analysis of " + (info ? std::string(info->name) : std::to_string(analysisVariable)) +
                  " cannot be computed: " +
                  (reason.empty() ? std::string("the values or the weights cannot be read.") : reason);
    return false;
}

bool OnewayObj::Compute()
{
    groups.clear();
    omittedText.clear();
    groupMoments.clear();
    groupDeviations.clear();
    deviationsKept = false;
    gathered.reset();
    total.Reset();
    // One walk, a block of cases at a time: the moments of each break value
    // in the order met, and of all cases; the groups are put in ascending
    // order of the value after. Asked for, the same walk gathers the cases
    // of the quantile summaries; gathered into one tagged column, each
    // group's moments come from the column after the walk.
    const long variables[2] = {analysisVariable, breakVariable};
    CaseBlockWalk walk(*this, variables, 2);
    if (!walk.Ok())
        return Unreadable(walk);
    BreakGroups met(walk.List(1));
    std::vector<GroupMoments> moments;
    GroupMoments all;
    if (quantilesWithMoments)
        StartGathering(walk);
    const bool momentsFromColumn = gathered && !gathered->counting;
    std::vector<double> x, packedX(static_cast<size_t>(walk.BlockCases())), packedW(packedX.size());
    std::vector<unsigned char> packedG(packedX.size());
    while (walk.NextBlock()) {
        DecodeAnalysis(walk, x);
        met.Prepare(walk.Bytes(1), walk.Size());
        const double *w = walk.Weights();
        size_t packed = 0;
        for (long c = 0; c < walk.Size(); ++c) {
            if (!(w[c] > 0.0) || x[c] == DBL_MAX)
                continue;
            int g = met.Group(c);
            if (g == BreakGroups::kMissing)
                continue;
            if (g == BreakGroups::kNew) {
                if (met.Count() == kMaxGroups) {
                    tooManyGroups = 1;
                    errorCode = kTooManyGroupsError;
                    gathered.reset();
                    return true;
                }
                g = met.Add(met.Value(c));
                moments.emplace_back();
            }
            packedX[packed] = x[c];
            packedW[packed] = w[c];
            packedG[packed] = static_cast<unsigned char>(g);
            ++packed;
        }
        if (!momentsFromColumn) {
            // Each group's moments, its cases in the order they came.
            GroupMoments *m = moments.data();
            if (IsWeighted()) {
                for (size_t i = 0; i < packed; ++i)
                    m[packedG[i]].Add(packedX[i], packedW[i]);
            } else {
                for (size_t i = 0; i < packed; ++i)
                    m[packedG[i]].AddUnit(packedX[i]);
            }
        }
        all.AddBlock(packedX.data(), IsWeighted() ? packedW.data() : nullptr, packed);
        if (gathered)
            Gather(packedX.data(), packedW.data(), packedG.data(), packed);
    }
    if (!walk.Ok()) {
        gathered.reset();
        return Unreadable(walk);
    }
    // The number of cases of each group, where its moments count entries.
    std::vector<long> cases(moments.size(), -1);
    if (momentsFromColumn && !GroupMomentsFromColumn(moments, cases)) {
        // The column could not be held: the moments from a walk of their
        // own.
        std::vector<double> values;
        for (size_t g = 0; g < moments.size(); ++g)
            values.push_back(met.Known(g));
        if (!WalkGroups(values, [&](size_t g, double v, double w) { moments[g].Add(v, w); }))
            return Unreadable(walk);
    }
    std::vector<std::pair<double, size_t>> order;
    for (size_t g = 0; g < moments.size(); ++g)
        order.emplace_back(met.Known(g), g);
    KATLABS *labels = KATLABS::ConstructAndRead(breakVariable, dataSet);
    const VariableInfo *info = dataSet ? dataSet->GetVariable(breakVariable) : nullptr;
    const int decimals = info ? info->EffectiveDecimals() : 2;
    std::sort(order.begin(), order.end());
    if (gathered) {
        // The gathered cases carry the number of their group in the order
        // met: its break value finds the group wherever it is sorted to.
        for (size_t g = 0; g < moments.size(); ++g)
            gathered->breakValues.push_back(met.Known(g));
    }
    for (const auto &entry : order) {
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
        DescribeMoments(moments[entry.second], record);
        if (cases[entry.second] >= 0)
            record.count = cases[entry.second];
        groups.push_back(record);
        groupMoments.push_back(moments[entry.second]);
    }
    delete labels;
    DescribeMoments(all, total);
    return true;
}

bool OnewayObj::GroupMomentsFromColumn(std::vector<GroupMoments> &moments, std::vector<long> &cases)
{
    if (!gathered)
        return false;
    // Of few distinct values (and weights that sum exactly in any order),
    // the column becomes one entry per distinct value and group, weighted
    // by its count or its cases' summed weight: a step per entry (the same
    // moments but for rounding), and the order statistics need no sort.
    // Else the cases in the order they came, as the walk would add them.
    QuantileColumn &column = gathered->total;
    const bool counted = column.CountTagged();
    const size_t n = column.Size(), groupCount = moments.size();
    GroupMoments *m = moments.data();
    if (column.Weighted()) {
        for (size_t i = 0; i < n; ++i)
            if (column.Tag(i) < groupCount)
                m[column.Tag(i)].Add(column.Value(i), column.Weight(i));
    } else {
        for (size_t i = 0; i < n; ++i)
            if (column.Tag(i) < groupCount)
                m[column.Tag(i)].AddUnit(column.Value(i));
    }
    if (counted)
        for (size_t g = 0; g < groupCount; ++g)
            cases[g] = static_cast<long>(column.TagCases(static_cast<unsigned>(g)));
    return true;
}

void OnewayObj::StartGathering(CaseBlockWalk &walk)
{
    // A 1- or 2-byte analysis variable is counted by value per group (the
    // counts' room is known); any other is one column of the cases tagged
    // with their group, with room for every case of the data set.
    try {
        std::unique_ptr<Gathered> g(new Gathered);
        const bool weighted = IsWeighted();
        CountStoredValues(g->total, walk.List(0).storageType, weighted);
        g->counting = g->total.Counting();
        if (!g->counting && GetDataSet())
            g->total.Reserve(static_cast<size_t>(GetDataSet()->GetCaseCount()), weighted, true);
        gathered = std::move(g);
    } catch (const std::bad_alloc &) {
        // Not within the budget: the quantiles walk the cases again later
        // (and say so if they still cannot be held).
        gathered.reset();
    }
}

void OnewayObj::Gather(const double *x, const double *w, const unsigned char *g, size_t n)
{
    Gathered &into = *gathered;
    try {
        if (!into.counting) {
            into.total.AddTaggedBlock(x, w, g, n);
            return;
        }
        const VariableInfo *info = dataSet ? dataSet->GetVariable(analysisVariable) : nullptr;
        const int storage = info ? info->storageType : STORAGE_DOUBLE;
        for (size_t i = 0; i < n; ++i) {
            while (into.groups.size() <= g[i]) {
                into.groups.emplace_back();
                CountStoredValues(into.groups.back(), storage, IsWeighted());
            }
            into.groups[g[i]].Add(x[i], w[i]);
            into.total.Add(x[i], w[i]);
        }
    } catch (const std::bad_alloc &) {
        gathered.reset();
    }
}

bool OnewayObj::SummariesFromGathered()
{
    if (!gathered || gathered->breakValues.size() != groups.size())
        return false;
    std::unique_ptr<Gathered> held = std::move(gathered);
    Gathered &from = *held;
    // The place in groups of each group met.
    for (double value : from.breakValues) {
        size_t at = 0;
        while (at < groups.size() && groups[at].breakValue != value)
            ++at;
        if (at == groups.size())
            return false;
        from.place.push_back(at);
    }
    if (from.counting) {
        // Counted by value: each group's counts and the total's; the
        // homogeneity test walks the cases on its own.
        for (size_t met = 0; met < from.groups.size() && met < from.place.size(); ++met) {
            DescriptiveRecord &record = groups[from.place[met]];
            ComputeQuantileSummary(from.groups[met], record.quantiles);
            record.hasQuantiles = true;
        }
        for (DescriptiveRecord &g : groups)
            if (!g.hasQuantiles)
                g.SetSevenToMaxFloat();
        ComputeQuantileSummary(from.total, total.quantiles);
        total.hasQuantiles = true;
        return true;
    }
    QuantileColumn &column = from.total;
    if (gatherDeviations) {
        // The absolute deviations in the order of the column: the cases'
        // order, as a walk adds them, or the counted entries'.
        std::vector<GroupMoments> deviations(groups.size());
        const std::vector<double> means = GroupMeans();
        size_t placeOf[QuantileColumn::kMostTags] = {0};
        for (size_t met = 0; met < from.place.size() && met < QuantileColumn::kMostTags; ++met)
            placeOf[met] = from.place[met];
        const size_t n = column.Size();
        if (column.Weighted()) {
            for (size_t i = 0; i < n; ++i)
                AddDeviation(deviations, means, placeOf[column.Tag(i)], column.Value(i), column.Weight(i));
        } else {
            for (size_t i = 0; i < n; ++i) {
                const size_t g = placeOf[column.Tag(i)];
                deviations[g].AddUnit(Deviation(column.Value(i), means[g]));
            }
        }
        KeepDeviations(true, deviations);
    }
    std::vector<double *> summaries(from.place.size());
    for (size_t met = 0; met < from.place.size(); ++met)
        summaries[met] = groups[from.place[met]].quantiles;
    ComputeQuantileSummaries(column, summaries.size(), summaries.data(), total.quantiles);
    for (DescriptiveRecord &g : groups)
        g.hasQuantiles = true;
    total.hasQuantiles = true;
    return true;
}

void OnewayObj::ComputeGroupQuantiles(bool forHomogeneity)
{
    gatherDeviations = forHomogeneity;
    omittedText.clear();
    try {
        if (SummariesFromGathered())
            return;
        CollectGroupQuantiles();
    } catch (const std::bad_alloc &failure) {
        // The summaries stay not computed; every other figure stands, and
        // the note says which are missing and why.
        for (DescriptiveRecord &g : groups)
            g.hasQuantiles = false;
        total.hasQuantiles = false;
        NoteOmittedFigures("The quartiles and medians of the breakdown", failure);
    }
}

void OnewayObj::CollectGroupQuantiles()
{
    // Each group's column sized for its cases at once (counted by Compute),
    // so that none holds two copies while it grows; a 1- or 2-byte
    // analysis variable is counted by value instead (by the cases' weights
    // when weighted), the total beside the groups. Unweighted, the total's
    // summary follows from the groups' sorted columns, so one walk and one
    // sort of the cases serve all; weighted, whose running sums depend on
    // the order of the cases, one tagged column serves all.
    const VariableInfo *info = dataSet ? dataSet->GetVariable(analysisVariable) : nullptr;
    const int storage = info ? info->storageType : STORAGE_DOUBLE;
    const bool weighted = IsWeighted();
    QuantileColumn counted;
    CountStoredValues(counted, storage, weighted);
    const bool counting = counted.Counting();
    if (weighted && !counting) {
        CollectWeightedQuantiles();
        return;
    }
    std::vector<QuantileColumn> columns(groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        CountStoredValues(columns[g], storage, weighted);
        columns[g].Reserve(static_cast<size_t>(std::max(groups[g].count, 0L)), weighted);
    }
    std::vector<GroupMoments> deviations(groups.size());
    const std::vector<double> means = GroupMeans();
    const bool walked = WalkGroups([&](size_t g, double v, double w) {
        columns[g].Add(v, w);
        if (counting)
            counted.Add(v, w);
        if (gatherDeviations)
            AddDeviation(deviations, means, g, v, w);
    });
    KeepDeviations(walked, deviations);
    for (size_t g = 0; g < groups.size(); ++g) {
        ComputeQuantileSummary(columns[g], groups[g].quantiles);
        groups[g].hasQuantiles = true;
    }
    if (counting) {
        ComputeQuantileSummary(counted, total.quantiles);
        total.hasQuantiles = true;
    } else if (!weighted) {
        SortedUnion(columns).Summary(total.quantiles);
        total.hasQuantiles = true;
    }
}

void OnewayObj::CollectWeightedQuantiles()
{
    // One column of every case tagged with its group, sorted once: each
    // group's cases keep their order among themselves, so the merged walk
    // gives every group's summary and the total's as their own columns
    // would.
    QuantileColumn column;
    column.Reserve(static_cast<size_t>(std::max(total.count, 0L)), true, true);
    std::vector<GroupMoments> deviations(groups.size());
    const std::vector<double> means = GroupMeans();
    const bool walked = WalkGroups([&](size_t g, double v, double w) {
        column.AddTagged(v, w, static_cast<unsigned>(g));
        if (gatherDeviations)
            AddDeviation(deviations, means, g, v, w);
    });
    KeepDeviations(walked, deviations);
    std::vector<double *> summaries;
    for (DescriptiveRecord &g : groups)
        summaries.push_back(g.quantiles);
    ComputeQuantileSummaries(column, groups.size(), summaries.data(), total.quantiles);
    for (DescriptiveRecord &g : groups)
        g.hasQuantiles = true;
    total.hasQuantiles = true;
}

std::vector<double> OnewayObj::GroupMeans() const
{
    std::vector<double> means;
    for (const GroupMoments &m : groupMoments)
        means.push_back(m.Mean());
    return means;
}

void OnewayObj::KeepDeviations(bool walked, std::vector<GroupMoments> &deviations)
{
    if (!gatherDeviations)
        return;
    deviationsKept = walked && deviations.size() == groupMoments.size();
    if (deviationsKept)
        groupDeviations.swap(deviations);
}

void OnewayObj::ComputeVarianceHomogeneityTest()
{
    // The deviations gathered with the quantiles, where they were collected
    // for the groups as they stand; else a walk of their own.
    std::vector<GroupMoments> deviations;
    if (deviationsKept && groupDeviations.size() == groups.size()) {
        deviations = groupDeviations;
    } else {
        deviations.resize(groups.size());
        const std::vector<double> means = GroupMeans();
        WalkGroups([&](size_t g, double v, double w) { AddDeviation(deviations, means, g, v, w); });
    }
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
    std::vector<GroupMoments> sortedMoments, sortedDeviations;
    const bool keepDeviations = deviationsKept && groupDeviations.size() == groups.size();
    for (size_t i : order) {
        sortedGroups.push_back(groups[i]);
        sortedMoments.push_back(groupMoments[i]);
        if (keepDeviations)
            sortedDeviations.push_back(groupDeviations[i]);
    }
    groups.swap(sortedGroups);
    groupMoments.swap(sortedMoments);
    groupDeviations.swap(sortedDeviations);
    deviationsKept = keepDeviations;
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
