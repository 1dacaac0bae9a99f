#include "stats/NTABOBJ.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

namespace {
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

void FillCategories(DATASET *set, long variable, const std::set<double> &values, NtabDimension &dim)
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

bool NTABOBJ::CountCells()
{
    // One walk over the weights and the value lists together, a block of
    // cases at a time: each counted case goes into the cell tree and its
    // column base at once, so nothing per case is held.
    const size_t nc = controls_.size();
    std::vector<long> members = tableKind == 3 ? setMembers : std::vector<long>{dependent_};
    std::vector<std::unique_ptr<LISTETYPE>> lists;
    for (long variable : controls_)
        lists.emplace_back(new LISTETYPE(dataSet, variable));
    for (long variable : members)
        lists.emplace_back(new LISTETYPE(dataSet, variable));
    bool readable = true;
    std::vector<BUFFERTYPE *> walked;
    for (const auto &list : lists) {
        readable = readable && !list->Error();
        walked.push_back(list.get());
    }
    CaseBlockWalk cases(*this, walked.data(), static_cast<int>(walked.size()), true);
    if (!readable || !cases.Ok()) {
        failureText = "The n-way table of " + NameOf(dataSet, dependent_) +
                      " cannot be made: the values or the weights cannot be read.";
        return false;
    }
    if (tableKind == 3)
        for (long m : members)
            setLabels.push_back(CaptionOf(dataSet, m));

    // Key kinds: integer-typed variables key by integer values.
    std::vector<int> kinds;
    for (size_t d = 0; d <= nc; ++d) {
        const VariableInfo *info = dataSet ? dataSet->GetVariable(d < nc ? controls_[d] : dependent_) : nullptr;
        kinds.push_back(info && info->storageType <= 3 ? NtabLevel::kInteger : NtabLevel::kDouble);
    }
    root.keyKind = kinds[0];
    std::map<std::vector<double>, double> columnBase;
    std::vector<std::set<double>> seen(nc + 1);
    double tableBase = 0.0;
    const bool byAnswers = tableKind == 3 && percentageBase == 0;
    std::vector<double> keys(nc), answers;
    // The values of each list in a block; DBL_MAX marks a missing one (no
    // valid value is that large).
    std::vector<std::vector<double>> decoded(lists.size(), std::vector<double>(cases.BlockCases()));
    while (cases.NextBlock()) {
        for (size_t i = 0; i < lists.size(); ++i)
            cases.List(static_cast<int>(i))
                .DecodeBlock(cases.Bytes(static_cast<int>(i)), cases.Size(), decoded[i].data(), DBL_MAX);
        const double *weights = cases.Weights();
        for (long c = 0; c < cases.Size(); ++c) {
            const double w = weights[c];
            bool valid = w > 0.0;
            for (size_t i = 0; i < nc && valid; ++i) {
                keys[i] = decoded[i][c];
                valid = keys[i] != DBL_MAX;
            }
            if (!valid)
                continue;
            answers.clear();
            for (size_t i = nc; i < lists.size(); ++i)
                if (decoded[i][c] != DBL_MAX)
                    answers.push_back(decoded[i][c]);
            if (answers.empty())
                continue;
            for (size_t i = 0; i < nc; ++i)
                if (seen[i].insert(keys[i]).second)
                    charge.Add(kEntryCost);
            for (double a : answers)
                if (seen[nc].insert(a).second)
                    charge.Add(kEntryCost);
            caseCount += w;
            const double base = byAnswers ? w * answers.size() : w;
            // Looked up first: emplace would build (and free) a node per case.
            auto column = columnBase.find(keys);
            if (column == columnBase.end()) {
                charge.Add(kEntryCost + nc * sizeof(double));
                column = columnBase.emplace(keys, 0.0).first;
            }
            column->second += base;
            tableBase += base;
            for (double answer : answers) {
                NtabLevel *level = &root;
                NtabNode *node = nullptr;
                for (size_t d = 0; d <= nc; ++d) {
                    const size_t before = level->nodes.size();
                    node = &level->FindOrAdd(d < nc ? keys[d] : answer);
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
                node->cell.count += w;
            }
        }
    }
    if (!cases.Ok())
        return false;
    // The categories of all dimensions together must stay a table that can
    // be numbered (the same limit as a crosstab's), checked before the
    // product can overflow.
    long long cells = 1;
    for (const std::set<double> &values : seen) {
        cells *= static_cast<long long>(std::max<size_t>(values.size(), 1));
        if (cells > kMaxCells) {
            failureText = "The n-way table of " + NameOf(dataSet, dependent_) +
                          " would have more than 2,147,483,647 cells; it has too many categories.";
            return false;
        }
    }
    for (size_t i = 0; i < nc; ++i) {
        dimensions.emplace_back();
        FillCategories(dataSet, controls_[i], seen[i], dimensions.back());
    }
    dimensions.emplace_back();
    FillCategories(dataSet, dependent_, seen[nc], dimensions.back());

    // Percentages, walking every column's dependent categories in order.
    std::vector<double> at(nc + 1);
    std::function<void(NtabLevel &, size_t)> walk = [&](NtabLevel &level, size_t d) {
        if (d == nc) {
            const double base = columnBase[std::vector<double>(at.begin(), at.begin() + nc)];
            double cumulative = 0.0;
            for (NtabNode &node : level.nodes) {
                NtabCell &cell = node.cell;
                cell.percents[0] = base > 0.0 ? cell.count * 100.0 / base : 0.0;
                cell.percents[1] = tableBase > 0.0 ? cell.count * 100.0 / tableBase : 0.0;
                cumulative += cell.percents[0];
                cell.percents[2] = cumulative;
            }
            return;
        }
        for (NtabNode &node : level.nodes) {
            at[d] = node.key;
            walk(*node.next, d + 1);
        }
    };
    walk(root, 0);
    lastPercentageBase = percentageBase;
    return true;
}
