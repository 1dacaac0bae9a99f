#include "stats/NTABOBJ.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/CategoryCoder.h"
#include "stats/CellCounter.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

namespace {

// A count's share of its base in percent, divided first so that counts
// near the largest double do not overflow. An empty base gives 0; a base or
// count whose weights summed past the largest double gives the mark.
double Percent(double count, double base)
{
    if (!(base > 0.0))
        return 0.0;
    if (!std::isfinite(base) || !std::isfinite(count))
        return kNotComputed;
    return count / base * 100.0;
}
// Bytes charged per tree node (its share of a growing vector) and per entry
// of a set or map (node and the heap's bookkeeping).
const size_t kNodeCost = 2 * sizeof(NtabNode) + 8;
const size_t kEntryCost = 40;
} // namespace

NtabNode *NtabLevel::Find(double key)
{
    auto at = std::lower_bound(nodes.begin(), nodes.end(), key, [](const NtabNode &n, double k) { return n.key < k; });
    return (at != nodes.end() && at->key == key) ? &*at : nullptr;
}

NtabNode &NtabLevel::FindOrAdd(double key)
{
    auto at = std::lower_bound(nodes.begin(), nodes.end(), key, [](const NtabNode &n, double k) { return n.key < k; });
    if (at != nodes.end() && at->key == key)
        return *at;
    NtabNode node;
    node.key = key;
    return *nodes.insert(at, std::move(node));
}

NTABOBJ::NTABOBJ(DATASET *set) : StatClass(set)
{}

NTABOBJ::~NTABOBJ()
{}

bool NTABOBJ::ComputeForVariable(long dependent, const long *controls, int)
{
    tableKind = 1;
    dependent_ = dependent;
    setMembers.clear();
    controls_.clear();
    for (const long *c = controls; c && *c; ++c)
        controls_.push_back(*c);
    return Compute();
}

bool NTABOBJ::ComputeForTwoLists(const long *set, const long *controls, int)
{
    tableKind = 3;
    setMembers.clear();
    for (const long *v = set; v && *v; ++v)
        setMembers.push_back(*v);
    dependent_ = setMembers.empty() ? 0 : setMembers[0];
    controls_.clear();
    for (const long *c = controls; c && *c; ++c)
        controls_.push_back(*c);
    return Compute();
}

bool NTABOBJ::Recompute()
{
    return CanRecompute() ? Compute() : false;
}

const NtabCell *NTABOBJ::FindCell(const double *keys) const
{
    NtabLevel *level = const_cast<NtabLevel *>(&root);
    for (size_t d = 0; d < dimensions.size(); ++d) {
        NtabNode *node = level->Find(keys[d]);
        if (!node)
            return nullptr;
        if (d + 1 == dimensions.size())
            return &node->cell;
        if (!node->next)
            return nullptr;
        level = node->next.get();
    }
    return nullptr;
}

namespace {

std::string CaptionOf(DATASET *set, long variable)
{
    char text[KATLABS::MAX_CAPTION + 1] = "";
    if (set)
        set->GetVariableCaption(variable, text, sizeof text);
    return text;
}

std::string NameOf(DATASET *set, long variable)
{
    const VariableInfo *info = set ? set->GetVariable(variable) : nullptr;
    return info ? std::string(info->name) : std::to_string(variable);
}

void FillCategories(DATASET *set, long variable, const std::vector<double> &values, NtabDimension &dim)
{
    dim.variable = variable;
    dim.label = CaptionOf(set, variable);
    KATLABS *labels = KATLABS::ConstructAndRead(variable, set);
    const VariableInfo *info = set ? set->GetVariable(variable) : nullptr;
    const int decimals = info ? info->EffectiveDecimals() : 2;
    for (double v : values) {
        const char *text = labels ? labels->GetLabelText(v) : "";
        char buffer[64];
        FormatValueLabel(buffer, sizeof buffer, v, decimals);
        dim.categories.push_back({v, *text ? std::string(text) : std::string(buffer)});
    }
    delete labels;
}

} // namespace

bool NTABOBJ::Compute()
{
    dimensions.clear();
    root = NtabLevel();
    caseCount = 0.0;
    setLabels.clear();
    failureText.clear();
    charge.Clear();
    try {
        if (CountCells())
            return true;
    } catch (const std::bad_alloc &failure) {
        NoteMemoryFailure("The n-way table of " + NameOf(dataSet, dependent_), failure);
    }
    dimensions.clear();
    root = NtabLevel();
    caseCount = 0.0;
    charge.Clear();
    return false;
}

void NTABOBJ::UnreadableCases(const CaseBlockWalk &cases)
{
    const std::string reason = cases.FailureReason();
    failureText = "The n-way table of " + NameOf(dataSet, dependent_) + " cannot be made: " +
                  (reason.empty() ? std::string("the values or the weights cannot be read.") : reason);
}

bool NTABOBJ::CountCells()
{
    // One walk over the weights and the value lists together, a block of
    // cases at a time: each variable's categories are numbered once per
    // distinct value, each counted case goes into its cell and its column
    // base by those numbers; the tree of cells is built after, in the
    // order of the values.
    const size_t nc = controls_.size();
    if (nc + 1 > static_cast<size_t>(CellCounter::kMaxDimensions)) {
        failureText = "The n-way table of " + NameOf(dataSet, dependent_) + " takes at most three control variables.";
        return false;
    }
    std::vector<long> members = tableKind == 3 ? setMembers : std::vector<long>{dependent_};
    std::vector<std::unique_ptr<LISTETYPE>> lists;
    const size_t window = CaseBlockWalk::WindowBytes(static_cast<int>(controls_.size() + members.size()) + 1);
    for (long variable : controls_)
        lists.emplace_back(new LISTETYPE(dataSet, variable, window));
    for (long variable : members)
        lists.emplace_back(new LISTETYPE(dataSet, variable, window));
    bool readable = true;
    std::vector<BUFFERTYPE *> walked;
    for (const auto &list : lists) {
        readable = readable && !list->Error();
        walked.push_back(list.get());
    }
    CaseBlockWalk cases(*this, walked.data(), static_cast<int>(walked.size()), true);
    if (!readable || !cases.Ok()) {
        UnreadableCases(cases);
        return false;
    }
    if (tableKind == 3)
        for (long m : members)
            setLabels.push_back(CaptionOf(dataSet, m));

    // One index per dimension; the members of a set share the last.
    MemoryCharge counting;
    std::vector<std::unique_ptr<CategoryIndex>> met;
    for (size_t d = 0; d <= nc; ++d)
        met.emplace_back(new CategoryIndex(counting));
    std::vector<std::unique_ptr<CategoryCoder>> coders;
    for (size_t i = 0; i < lists.size(); ++i)
        coders.emplace_back(new CategoryCoder(*lists[i], *met[std::min(i, nc)], counting));
    CellCounter cells(static_cast<int>(nc) + 1), columnBases(static_cast<int>(nc));
    double tableBase = 0.0;
    const bool byAnswers = tableKind == 3 && percentageBase == 0;
    const uint32_t missing = CategoryCoder::kMissingCode, unseen = CategoryCoder::kUnseenCode;
    const size_t blockCases = static_cast<size_t>(cases.BlockCases());
    std::vector<std::vector<uint32_t>> codes(lists.size(), std::vector<uint32_t>(blockCases));
    std::vector<unsigned char> counted(blockCases);
    std::vector<uint32_t> given(blockCases), columnAt(blockCases);
    uint32_t index[CellCounter::kMaxDimensions], highest[CellCounter::kMaxDimensions];
    while (cases.NextBlock()) {
        const long n = cases.Size();
        const double *weights = cases.Weights();
        for (size_t i = 0; i < lists.size(); ++i)
            coders[i]->Prepare(cases.Bytes(static_cast<int>(i)), n, codes[i].data());
        // Which cases count: a weight above 0, every control and at least
        // one answer given; a column at a time, so each loop is short.
        for (long c = 0; c < n; ++c)
            counted[c] = weights[c] > 0.0;
        for (size_t i = 0; i < nc; ++i) {
            const uint32_t *code = codes[i].data();
            for (long c = 0; c < n; ++c)
                counted[c] &= code[c] != missing;
        }
        std::fill(given.begin(), given.begin() + n, 0u);
        for (size_t i = nc; i < lists.size(); ++i) {
            const uint32_t *code = codes[i].data();
            for (long c = 0; c < n; ++c)
                given[c] += code[c] != missing;
        }
        for (long c = 0; c < n; ++c)
            counted[c] &= given[c] != 0;
        // The categories of the counted cases numbered, and the highest
        // number of each dimension, so the cells make room once a block.
        std::fill(highest, highest + CellCounter::kMaxDimensions, 0u);
        for (size_t i = 0; i < lists.size(); ++i) {
            uint32_t *code = codes[i].data();
            uint32_t &top = highest[std::min(i, nc)];
            for (long c = 0; c < n; ++c) {
                if (!counted[c] || code[c] == missing)
                    continue;
                if (code[c] == unseen)
                    code[c] = coders[i]->Resolve(c);
                top = std::max(top, code[c]);
            }
        }
        bool dense = cells.MakeRoom(highest) && columnBases.MakeRoom(highest);
        for (size_t d = 0; d < nc && dense; ++d)
            dense = cells.Side(static_cast<int>(d)) == columnBases.Side(static_cast<int>(d));
        if (dense) {
            std::fill(columnAt.begin(), columnAt.begin() + n, 0u);
            for (size_t d = 0; d < nc; ++d) {
                const uint32_t side = static_cast<uint32_t>(columnBases.Side(static_cast<int>(d)));
                const uint32_t *code = codes[d].data();
                for (long c = 0; c < n; ++c)
                    columnAt[c] = columnAt[c] * side + code[c];
            }
        }
        double *cellCounts = cells.Cells(), *baseCounts = columnBases.Cells();
        const uint32_t answerSide = static_cast<uint32_t>(cells.Side(static_cast<int>(nc)));
        for (long c = 0; c < n; ++c) {
            if (!counted[c])
                continue;
            const double w = weights[c];
            caseCount += w;
            const double base = byAnswers ? w * given[c] : w;
            tableBase += base;
            if (dense) {
                baseCounts[columnAt[c]] += base;
                const size_t first = static_cast<size_t>(columnAt[c]) * answerSide;
                for (size_t i = nc; i < lists.size(); ++i)
                    if (codes[i][c] != missing)
                        cellCounts[first + codes[i][c]] += w;
                continue;
            }
            for (size_t i = 0; i < nc; ++i)
                index[i] = codes[i][c];
            columnBases.Add(index, base);
            for (size_t i = nc; i < lists.size(); ++i) {
                if (codes[i][c] == missing)
                    continue;
                index[nc] = codes[i][c];
                cells.Add(index, w);
            }
        }
    }
    if (!cases.Ok()) {
        UnreadableCases(cases);
        return false;
    }
    // The categories of all dimensions together must stay a table that can
    // be numbered (the same limit as a crosstab's), checked before the
    // product can overflow.
    long long cellCount = 1;
    for (const auto &categories : met) {
        cellCount *= static_cast<long long>(std::max<size_t>(categories->Count(), 1));
        if (cellCount > kMaxCells) {
            failureText = "The n-way table of " + NameOf(dataSet, dependent_) +
                          " would have more than 2,147,483,647 cells; it has too many categories.";
            return false;
        }
    }
    std::vector<std::vector<long>> ranks(nc + 1);
    std::vector<std::vector<double>> ordered(nc + 1);
    for (size_t d = 0; d <= nc; ++d) {
        ranks[d] = met[d]->Ranks(ordered[d]);
        charge.AddItems(ordered[d].size(), kEntryCost);
        dimensions.emplace_back();
        FillCategories(dataSet, d < nc ? controls_[d] : dependent_, ordered[d], dimensions.back());
    }
    BuildTree(cells, columnBases, ranks, ordered, tableBase);
    lastPercentageBase = percentageBase;
    return true;
}

void NTABOBJ::BuildTree(const CellCounter &cells, const CellCounter &columnBases,
                        const std::vector<std::vector<long>> &ranks, const std::vector<std::vector<double>> &ordered,
                        double tableBase)
{
    const size_t nc = ranks.size() - 1;
    // The cells with a count, by their categories' places in value order.
    struct Leaf
    {
        std::vector<long> at;
        double count;
    };
    std::vector<Leaf> leaves;
    cells.ForEach([&](const uint32_t *index, double count) {
        Leaf leaf{std::vector<long>(nc + 1), count};
        for (size_t d = 0; d <= nc; ++d)
            leaf.at[d] = ranks[d][index[d]];
        leaves.push_back(std::move(leaf));
    });
    std::sort(leaves.begin(), leaves.end(), [](const Leaf &a, const Leaf &b) { return a.at < b.at; });
    std::map<std::vector<long>, double> bases;
    columnBases.ForEach([&](const uint32_t *index, double base) {
        std::vector<long> at(nc);
        for (size_t d = 0; d < nc; ++d)
            at[d] = ranks[d][index[d]];
        bases[at] = base;
    });

    // Key kinds: integer-typed variables key by integer values.
    std::vector<int> kinds;
    for (size_t d = 0; d <= nc; ++d) {
        const VariableInfo *info = dataSet ? dataSet->GetVariable(d < nc ? controls_[d] : dependent_) : nullptr;
        kinds.push_back(info && info->storageType <= 3 ? NtabLevel::kInteger : NtabLevel::kDouble);
    }
    root.keyKind = kinds[0];
    // The leaves come in order, so each node is added at the end of its
    // level, and the cumulative percentage runs along each column.
    double base = 0.0, cumulative = 0.0;
    const std::vector<long> *column = nullptr;
    for (const Leaf &leaf : leaves) {
        if (!column || !std::equal(column->begin(), column->begin() + nc, leaf.at.begin())) {
            const auto found = bases.find(std::vector<long>(leaf.at.begin(), leaf.at.begin() + nc));
            base = found != bases.end() ? found->second : 0.0;
            cumulative = 0.0;
            column = &leaf.at;
        }
        NtabLevel *level = &root;
        NtabNode *node = nullptr;
        for (size_t d = 0; d <= nc; ++d) {
            const size_t before = level->nodes.size();
            node = &level->FindOrAdd(ordered[d][leaf.at[d]]);
            if (level->nodes.size() != before)
                charge.Add(kNodeCost);
            if (d < nc) {
                if (!node->next) {
                    node->next.reset(new NtabLevel);
                    node->next->keyKind = kinds[d + 1];
                }
                level = node->next.get();
            }
        }
        NtabCell &cell = node->cell;
        cell.count = leaf.count;
        cell.percents[0] = Percent(cell.count, base);
        cell.percents[1] = Percent(cell.count, tableBase);
        cumulative = IsNotComputed(cell.percents[0]) ? kNotComputed : cumulative + cell.percents[0];
        cell.percents[2] = cumulative;
    }
}
