#include "stats/NTABOBJ.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/StatMissing.h"

NtabNode *NtabLevel::Find(double key)
{
    auto at = std::lower_bound(nodes.begin(), nodes.end(), key,
                               [](const NtabNode &n, double k) { return n.key < k; });
    return (at != nodes.end() && at->key == key) ? &*at : nullptr;
}

NtabNode &NtabLevel::FindOrAdd(double key)
{
    auto at = std::lower_bound(nodes.begin(), nodes.end(), key,
                               [](const NtabNode &n, double k) { return n.key < k; });
    if (at != nodes.end() && at->key == key)
        return *at;
    NtabNode node;
    node.key = key;
    return *nodes.insert(at, std::move(node));
}

NTABOBJ::NTABOBJ(DATASET *set) : StatClass(set)
{
}

NTABOBJ::~NTABOBJ()
{
}

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

void FillCategories(DATASET *set, long variable, const std::set<double> &values,
                    NtabDimension &dim)
{
    dim.variable = variable;
    dim.label = CaptionOf(set, variable);
    KATLABS *labels = KATLABS::ConstructAndRead(variable, set);
    const VariableInfo *info = set ? set->GetVariable(variable) : nullptr;
    const int decimals = info ? info->EffectiveDecimals() : 2;
    for (double v : values) {
        const char *text = labels ? labels->GetLabelText(v) : "";
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%1.*f", decimals, v);
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
    std::vector<double> weights;
    if (!LoadCaseWeights(weights))
        return false;
    const size_t nc = controls_.size();
    std::vector<std::vector<double>> control(nc);
    for (size_t i = 0; i < nc; ++i)
        if (!LoadValues(controls_[i], control[i]))
            return false;
    std::vector<long> members = tableKind == 3 ? setMembers : std::vector<long>{dependent_};
    std::vector<std::vector<double>> answers(members.size());
    for (size_t i = 0; i < members.size(); ++i)
        if (!LoadValues(members[i], answers[i]))
            return false;
    if (tableKind == 3)
        for (long m : members)
            setLabels.push_back(CaptionOf(dataSet, m));

    // The counted cases, their control keys and their answers.
    struct Counted {
        std::vector<double> keys;
        std::vector<double> answers;
        double weight;
    };
    std::vector<Counted> counted;
    std::vector<std::set<double>> seen(nc + 1);
    for (size_t c = 0; c < weights.size(); ++c) {
        if (!(weights[c] > 0.0))
            continue;
        Counted k;
        k.weight = weights[c];
        bool valid = true;
        for (size_t i = 0; i < nc && valid; ++i) {
            valid = !IsNotComputed(control[i][c]);
            k.keys.push_back(control[i][c]);
        }
        if (!valid)
            continue;
        for (size_t i = 0; i < members.size(); ++i)
            if (!IsNotComputed(answers[i][c]))
                k.answers.push_back(answers[i][c]);
        if (k.answers.empty())
            continue;
        for (size_t i = 0; i < nc; ++i)
            seen[i].insert(k.keys[i]);
        for (double a : k.answers)
            seen[nc].insert(a);
        caseCount += k.weight;
        counted.push_back(std::move(k));
    }
    for (size_t i = 0; i < nc; ++i) {
        dimensions.emplace_back();
        FillCategories(dataSet, controls_[i], seen[i], dimensions.back());
    }
    dimensions.emplace_back();
    FillCategories(dataSet, dependent_, seen[nc], dimensions.back());

    // Column bases: cases (or answers) per combination of control keys.
    std::map<std::vector<double>, double> columnBase;
    double tableBase = 0.0;
    const bool byAnswers = tableKind == 3 && percentageBase == 0;
    for (const Counted &k : counted) {
        const double base = byAnswers ? k.weight * k.answers.size() : k.weight;
        columnBase[k.keys] += base;
        tableBase += base;
    }
    // Key kinds: integer-typed variables key by integer values.
    std::vector<int> kinds;
    for (const NtabDimension &d : dimensions) {
        const VariableInfo *info = dataSet ? dataSet->GetVariable(d.variable) : nullptr;
        kinds.push_back(info && info->storageType <= 3 ? NtabLevel::kInteger : NtabLevel::kDouble);
    }
    root.keyKind = kinds[0];
    for (const Counted &k : counted) {
        for (double answer : k.answers) {
            NtabLevel *level = &root;
            NtabNode *node = nullptr;
            for (size_t d = 0; d <= nc; ++d) {
                node = &level->FindOrAdd(d < nc ? k.keys[d] : answer);
                if (d < nc) {
                    if (!node->next) {
                        node->next.reset(new NtabLevel);
                        node->next->keyKind = kinds[d + 1];
                    }
                    level = node->next.get();
                }
            }
            node->cell.count += k.weight;
        }
    }
    // Percentages, walking every column's dependent categories in order.
    std::vector<double> keys(nc + 1);
    std::function<void(NtabLevel &, size_t)> walk = [&](NtabLevel &level, size_t d) {
        if (d == nc) {
            const double base = columnBase[std::vector<double>(keys.begin(), keys.begin() + nc)];
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
            keys[d] = node.key;
            walk(*node.next, d + 1);
        }
    };
    walk(root, 0);
    lastPercentageBase = percentageBase;
    return true;
}
