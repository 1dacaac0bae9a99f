// statprint: opens a data set and prints every figure of one computation
// object, one "name value" line each at full precision (17 significant
// digits). A figure that is not computed prints the mark "---"; after the
// figures, "footer" lines give the reasons the result page gives under its
// table ("footer --- weights too large to sum"), from the language file
// beside the program. The data set's weight and selection apply.
//
//   statprint <dataset.QVF> <object> [options] <variables>
//
// Objects and their variables (names or numbers from 1):
//   freq VAR                  desc VAR                xtab COLUMNVAR ROWVAR
//   oneway VAR BREAKVAR       corr VARS...            reg DEPENDENT INDEPENDENTS...
//   ttest X Y   sign X Y      wilcoxon X Y            mcnemar X Y
//   multfreq VARS...          multdiko VARS...        ntab DEPENDENT CONTROLS...
// Options: --pairwise (corr, reg, multfreq), --method enter|forward|backward,
// --pin P, --pout P (reg), --base N (multfreq, multdiko, ntab: 0 cases,
// 1 answers, 2 per variable), --value V (multdiko: the counted value),
// --set (ntab: the first variables form a multiple-response set, the last
// one is the control variable), --weight VAR (weighs the cases by VAR
// instead of the data set's own weight), --budget MIB (the memory budget
// instead of the setting), --peak (a last line "peak.budget" with the most
// bytes the memory budget held: value lists' windows and computations'
// charges, from the opening of the data set on). The object "open" only opens the
// data set (the base a computation's memory is measured from).
//
// Exit codes: 0 every figure printed; 1 the data set, the cases or the
// language file cannot be read (the reason on the error output); 2 usage; 3 the figures printed
// but some left out for want of memory: a line "<object>.omitted" says
// which and why.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/MemoryBudget.h"
#include "dataset/WeightRec.h"
#include "stats/CaseBlockWalk.h"
#include "stats/CorrObj.h"
#include "stats/FREQOBJ.h"
#include "dataset/TextCatalog.h"
#include "stats/GMultResp.h"
#include "stats/MarkReason.h"
#include "stats/MeanObj.h"
#include "stats/NTABOBJ.h"
#include "stats/OnewayObj.h"
#include "stats/PairedTests.h"
#include "stats/RegObj.h"
#include "stats/RegressionKernel.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "stats/XTABOBJ.h"

namespace {

const char mark[] = "---";
// The reasons of the marks printed (MarkReason bits), as the page gathers
// them: the computation's weights (NoteWeights) once a figure holds the
// mark; a figure past the largest double adds its own.
bool weighted = false, marked = false;
int weightReasons = 0, reasons = 0;

void Print(const std::string &name, double value)
{
    if (!std::isfinite(value)) {
        // Summed weights, or else values, past the largest double.
        reasons |= weighted && (weightReasons & kReasonWeightsTooLarge) ? kReasonWeightsTooLarge
                                                                         : kReasonSpreadTooLarge;
        marked = true;
    } else if (value == kNotComputed || value == -kNotComputed) {
        marked = true;
    } else {
        std::printf("%s %.17g\n", name.c_str(), value);
        return;
    }
    std::printf("%s %s\n", name.c_str(), mark);
}

// The weights of a computation: `weight` summed over `records` cases, of
// which a figure needs `needed` (see WeightReasons); the counting tests,
// which keep no count of records, pass 2.
void NoteWeights(double weight, double records, double needed = 1.0)
{
    if (weighted)
        weightReasons |= WeightReasons(weight, static_cast<long>(std::min(records, 2e9)), needed);
}

// The footer lines under the figures: the reasons of the marks printed.
void PrintFooter()
{
    if (marked)
        reasons |= weightReasons;
    for (const std::string &line : MarkReasonLines(reasons, mark))
        std::printf("footer %s\n", line.c_str());
}

void PrintRecord(const std::string &p, const DescriptiveRecord &d)
{
    Print(p + "count", d.count);
    Print(p + "n", d.weightedCount);
    Print(p + "sum", d.sum);
    Print(p + "mean", d.mean);
    Print(p + "min", d.minimum);
    Print(p + "max", d.maximum);
    Print(p + "sd", d.standardDeviation);
    Print(p + "lower95", d.lower95);
    Print(p + "upper95", d.upper95);
    Print(p + "lower99", d.lower99);
    Print(p + "upper99", d.upper99);
    Print(p + "skewness", d.skewness);
    Print(p + "kurtosis", d.kurtosis);
    if (const double *q = d.QuantileSummary()) {
        const char *names[] = {"q1", "median", "q3", "whisklow", "whiskhigh", "qmin", "qmax"};
        for (int i = 0; i < 7; ++i)
            Print(p + names[i], q[i]);
    }
}

void PrintDistribution(const std::string &p, const FREQOBJ &f)
{
    Print(p + "realvalued", f.realValued);
    Print(p + "decimals", f.decimals);
    Print(p + "valuewidth", f.valueWidth);
    Print(p + "categories", f.categoryCount);
    Print(p + "mean", f.mean);
    for (long i = 0; i < f.categoryCount; ++i) {
        const FreqCategory &c = f.categories[i];
        const std::string cp = p + "category." + std::to_string(i + 1) + ".";
        std::printf("%slabel %s\n", cp.c_str(), c.label);
        Print(cp + "value", f.realValued ? c.value.real : c.value.integer);
        Print(cp + "count", c.count);
        Print(cp + "freq", c.frequency);
        Print(cp + "pct", c.percent);
        Print(cp + "vpct", c.validPercent);
        Print(cp + "missing", c.missing);
    }
}

class PrintedRegression : public RegObj
{
public:
    using RegObj::RegObj;
    void ComputeColumnWidths(int, int) override {}
};

struct Options
{
    bool pairwise = false;
    int method = kRegressionEnter;
    double pIn = 0.05, pOut = 0.05;
    int base = 1;
    double value = 1.0;
    bool set = false;
};

// Exit code of a run that printed its figures but left some out for want
// of memory.
const int kFiguresOmitted = 3;

// The figures a computation left out (GetOmittedText): a line "omitted"
// with the reason among the figures and on the error output; the code to
// end with.
int Omitted(const std::string &p, const StatClass &computation)
{
    if (!*computation.GetOmittedText())
        return 0;
    std::printf("%somitted %s\n", p.c_str(), computation.GetOmittedText());
    std::fprintf(stderr, "statprint: %s\n", computation.GetOmittedText());
    return kFiguresOmitted;
}

// A computation that could not read its cases says why and statprint ends
// with exit code 1, rather than printing the figures of no cases.
bool Failed(const StatClass &computation)
{
    if (!*computation.GetFailureText())
        return false;
    std::fprintf(stderr, "statprint: %s\n", computation.GetFailureText());
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: statprint <dataset.QVF> <object> [options] <variables>\n"
                         "objects: freq desc xtab oneway corr reg ttest sign wilcoxon mcnemar\n"
                         "         multfreq multdiko ntab\n");
    return 2;
}

int Run(DATASET *set, const std::string &object, const Options &o, std::vector<long> v)
{
    const size_t n = v.size();
    std::vector<long> list = v;
    list.push_back(0);
    if (object == "freq" && n == 1) {
        // Lists read a window at a time, as the walk reads its own: the
        // count holds the same memory whatever the number of cases.
        LISTETYPE values(set, v[0], CaseBlockWalk::WindowBytes());
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(v[0], set));
        FREQOBJ f(set);
        BuildFrequencyDistribution(&values, &f, labels.get());
        if (f.status != FREQOBJ::kFreqCounted) {
            std::fprintf(stderr, "statprint: %s\n", f.GetFailureText());
            return 1;
        }
        double valid = 0.0, records = 0.0;
        for (long i = 0; i < f.categoryCount; ++i)
            if (!f.categories[i].missing) {
                valid += f.categories[i].frequency;
                records += f.categories[i].count;
            }
        NoteWeights(f.weightsTooLarge ? HUGE_VAL : valid, records);
        PrintDistribution("freq.", f);
    } else if (object == "desc" && n == 1) {
        MeanObj m(v[0], set);
        m.Compute();
        if (Failed(m))
            return 1;
        NoteWeights(m.record.weightedCount, m.record.count);
        PrintRecord("desc.", m.record);
        return Omitted("desc.", m);
    } else if (object == "xtab" && n == 2) {
        LISTETYPE first(set, v[0], CaseBlockWalk::WindowBytes()), second(set, v[1], CaseBlockWalk::WindowBytes());
        XTABOBJ x(&first, nullptr, &second, nullptr, 0, set);
        if (x.status != XTABOBJ::kXtabCounted) {
            std::fprintf(stderr, "statprint: %s\n", x.GetFailureText());
            return 1;
        }
        NoteWeights(x.Unscaled(x.total), 2.0);
        x.ComputeChiSquareTest();
        x.ComputeOrdinalMeasures();
        // Counts of a table held scaled (weights too large to sum) are
        // scaled back; those that pass the largest double print the mark.
        Print("xtab.total", x.Unscaled(x.total));
        for (int i = 0; i < x.RowCount(); ++i)
            for (int j = 0; j < x.ColumnCount(); ++j) {
                const std::string c = "xtab.cell." + std::to_string(i + 1) + "_" + std::to_string(j + 1) + ".";
                Print(c + "count", x.Unscaled(x.Cell(i, j)));
                Print(c + "expected", x.Expected(i, j) == kNotComputed ? kNotComputed : x.Unscaled(x.Expected(i, j)));
                Print(c + "deviation",
                      x.Deviation(i, j) == kNotComputed ? kNotComputed : x.Unscaled(x.Deviation(i, j)));
                Print(c + "stddev", x.StandardizedDeviation(i, j) == kNotComputed
                                        ? kNotComputed
                                        : x.UnscaledRoot(x.StandardizedDeviation(i, j)));
            }
        const struct
        {
            const char *name;
            double value;
        } m[] = {{"chisq", x.chiSquare},
                 {"p", x.probability},
                 {"df", static_cast<double>(x.degreesOfFreedom)},
                 {"phi", x.phi},
                 {"cramersv", x.cramersV},
                 {"contingency", x.contingency},
                 {"taua", x.tauA},
                 {"taub", x.tauB},
                 {"tauc", x.tauC},
                 {"gamma", x.gamma},
                 {"somerssym", x.somersSymmetric},
                 {"somersrow", x.somersAsymmetric}};
        for (const auto &e : m)
            Print(std::string("xtab.") + e.name, e.value);
    } else if (object == "oneway" && n == 2) {
        OnewayObj w(v[0], v[1], set);
        w.quantilesWithMoments = true;
        w.Compute();
        if (Failed(w))
            return 1;
        if (w.tooManyGroups) {
            Print("oneway.toomanygroups", 1);
            return 0;
        }
        NoteWeights(w.total.weightedCount, w.total.count);
        w.ComputeGroupQuantiles(true);
        w.ComputeVarianceHomogeneityTest();
        for (size_t g = 0; g < w.groups.size(); ++g)
            PrintRecord("oneway.group." + std::to_string(g + 1) + ".", w.groups[g]);
        PrintRecord("oneway.total.", w.total);
        AnovaResult a(&w);
        Print("oneway.ssb", a.table.ssBetween);
        Print("oneway.ssw", a.table.ssWithin);
        Print("oneway.dfb", a.table.dfBetween);
        Print("oneway.dfw", a.table.dfWithin);
        Print("oneway.f", a.table.f);
        Print("oneway.p", a.table.p);
        Print("oneway.levene.f", w.varianceF);
        Print("oneway.levene.df1", w.varianceDf1);
        Print("oneway.levene.df2", w.varianceDf2);
        Print("oneway.levene.p", w.varianceP);
        SepTtestObj welch(&w);
        PooledTtestObj pooled(&w);
        ScheffeObj scheffe(&w);
        for (int i = 0; i < welch.GroupCount(); ++i)
            for (int j = i + 1; j < welch.GroupCount(); ++j) {
                const std::string p = "oneway." + std::to_string(i + 1) + "_" + std::to_string(j + 1) + ".";
                Print(p + "welch.t", welch.Pair(i, j).statistic);
                Print(p + "welch.df", welch.Pair(i, j).df);
                Print(p + "welch.p", welch.Pair(i, j).p);
                Print(p + "pooled.t", pooled.Pair(i, j).statistic);
                Print(p + "pooled.df", pooled.Pair(i, j).df);
                Print(p + "pooled.p", pooled.Pair(i, j).p);
                Print(p + "scheffe.f", scheffe.Pair(i, j).statistic);
                Print(p + "scheffe.p", scheffe.Pair(i, j).p);
            }
        return Omitted("oneway.", w);
    } else if (object == "corr" && n >= 1) {
        CorrObj c(list.data(), o.pairwise ? CorrObj::kPairwise : CorrObj::kListwise, nullptr, set);
        if (Failed(c))
            return 1;
        Print("corr.error", c.errorCode);
        Print("corr.errorvariable", c.errorVariable);
        if (c.errorCode)
            return 0;
        const CorrelationResult &cr = c.result;
        if (o.pairwise)
            for (size_t e = 0; e < cr.count.size() && e < cr.weightedCount.size(); ++e)
                NoteWeights(cr.weightedCount[e], cr.count[e], 2.0);
        else
            NoteWeights(cr.listwiseWeight, cr.listwiseCount, 2.0);
        Print("corr.listwisecount", c.counts[0]);
        for (int i = 0; i < c.variableCount; ++i)
            for (int j = 0; j < i; ++j) {
                const std::string p = "corr." + std::to_string(v[i]) + "_" + std::to_string(v[j]) + ".";
                Print(p + "r", c.Coefficient(i, j));
                Print(p + "p", c.PValue(i, j));
                Print(p + "n", c.counts[i * c.variableCount + j]);
            }
    } else if (object == "reg" && n >= 2) {
        std::vector<long> independents(v.begin() + 1, v.end());
        independents.push_back(0);
        PrintedRegression r(v[0], independents.data(), o.method, o.pairwise ? 2 : 1, o.pIn, o.pOut, set);
        r.ComputeCorrelationMatrix();
        if (Failed(r))
            return 1;
        Print("reg.status", r.status);
        Print("reg.failedvariable", r.failedVariable);
        for (int s = 0; s < r.StepCount(); ++s) {
            const RegModelStep &m = *r.steps[s];
            NoteWeights(m.n, m.inEquation + 2.0, m.inEquation + 1.0);
            const std::string p = "reg.step." + std::to_string(s + 1) + ".";
            Print(p + "ineq", m.inEquation);
            Print(p + "n", m.n);
            const char *summary[] = {"r", "r2", "adjr2", "f", "pf"};
            for (int i = 0; i < 5; ++i)
                Print(p + summary[i], m.summary[i]);
            for (int row = 0; row <= m.rows; ++row) {
                const std::string rp =
                    p + (row == 0 ? std::string("constant") : "v" + std::to_string(m.rowVariable[row])) + ".";
                Print(rp + "row", row);
                Print(rp + "b", m.b[row]);
                Print(rp + "se", m.seB[row]);
                Print(rp + "beta", m.beta[row]);
                Print(rp + "t", m.t[row]);
                Print(rp + "p", m.p[row]);
                Print(rp + "tol", m.tolerance[row]);
            }
        }
    } else if (object == "ttest" && n == 2) {
        GTtestPar t(v[0], v[1], 1, set);
        if (Failed(t))
            return 1;
        NoteWeights(t.weightedSum, t.n);
        Print("ttest.n", t.n);
        Print("ttest.weightedsum", t.weightedSum);
        for (int i = 0; i < 2; ++i) {
            const std::string p = "ttest." + std::to_string(i + 1) + ".";
            Print(p + "mean", t.mean[i]);
            Print(p + "sd", t.standardDeviation[i]);
            Print(p + "se", t.standardError[i]);
        }
        Print("ttest.diff", t.meanDifference);
        Print("ttest.error", t.error);
        Print("ttest.t", t.t);
        Print("ttest.p1", t.OneSidedPValue());
        Print("ttest.p2", t.TwoSidedPValue());
        Print("ttest.r", t.r);
        Print("ttest.tr", t.tOfR);
        Print("ttest.pr", t.CorrelationPValue(true));
    } else if (object == "sign" && n == 2) {
        SignTest s(v[0], v[1], set);
        if (Failed(s))
            return 1;
        NoteWeights(s.cases, 2.0);
        Print("sign.status", s.status);
        Print("sign.larger", s.larger);
        Print("sign.smaller", s.smaller);
        Print("sign.cases", s.cases);
        Print("sign.exact", s.exact);
        Print("sign.exactp", s.exactP);
        Print("sign.z", s.z);
        Print("sign.zp", s.zP);
    } else if (object == "wilcoxon" && n == 2) {
        Wilcoxon w(v[0], v[1], set);
        if (Failed(w))
            return 1;
        NoteWeights(w.pairs, 2.0);
        const struct
        {
            const char *name;
            double value;
        } f[] = {{"status", static_cast<double>(w.status)},
                 {"pairs", w.pairs},
                 {"zeros", w.zeroDifferences},
                 {"negative", w.negative},
                 {"positive", w.positive},
                 {"negmean", w.negativeMeanRank},
                 {"posmean", w.positiveMeanRank},
                 {"negsum", w.negativeRankSum},
                 {"possum", w.positiveRankSum},
                 {"normal", static_cast<double>(w.normal)},
                 {"z", w.z},
                 {"zp", w.zP},
                 {"exact1", w.exactOneSidedP},
                 {"exact2", w.exactTwoSidedP},
                 {"decision.5one", static_cast<double>(w.decisions[0])},
                 {"decision.5two", static_cast<double>(w.decisions[1])},
                 {"decision.1one", static_cast<double>(w.decisions[2])},
                 {"decision.1two", static_cast<double>(w.decisions[3])},
                 {"suppressfooter", static_cast<double>(w.suppressFooter)}};
        for (const auto &e : f)
            Print(std::string("wilcoxon.") + e.name, e.value);
    } else if (object == "mcnemar" && n == 2) {
        McNemar m(v[0], v[1], set);
        if (Failed(m))
            return 1;
        NoteWeights(m.counts[0] + m.counts[1] + m.counts[2] + m.counts[3], 2.0);
        Print("mcnemar.status", m.status);
        const char *cells[] = {"a", "b", "c", "d"};
        for (int i = 0; i < 4; ++i)
            Print(std::string("mcnemar.") + cells[i], m.counts[i]);
        Print("mcnemar.exact", m.exact);
        Print("mcnemar.exactp", m.exactP);
        Print("mcnemar.chisq", m.chiSquare);
        Print("mcnemar.chisqp", m.chiSquareP);
    } else if (object == "multfreq" && n >= 1) {
        GMultRespFreq m(list.data(), o.base, o.pairwise ? 1 : 0, 0, 0, set);
        if (Failed(m))
            return 1;
        Print("multfreq.cases", m.caseCount);
        PrintDistribution("multfreq.", *m.Result());
    } else if (object == "multdiko" && n >= 1) {
        ValueRangeList ranges = {{o.value, o.value}};
        GMultRespDiko m(list.data(), o.base, 1, ranges, set);
        if (Failed(m))
            return 1;
        Print("multdiko.cases", m.caseCount);
        PrintDistribution("multdiko.", *m.Result());
    } else if (object == "ntab" && n >= 2) {
        NTABOBJ t(set);
        t.percentageBase = o.base == 0 ? 0 : 1;
        std::vector<long> controls = {v.back(), 0};
        if (o.set) {
            std::vector<long> members(v.begin(), v.end() - 1);
            members.push_back(0);
            t.ComputeForTwoLists(members.data(), controls.data(), 0);
        } else {
            controls.assign(v.begin() + 1, v.end());
            controls.push_back(0);
            t.ComputeForVariable(v[0], controls.data(), 0);
        }
        if (Failed(t))
            return 1;
        Print("ntab.kind", t.tableKind);
        Print("ntab.cases", t.caseCount);
        std::vector<double> keys(t.dimensions.size());
        std::vector<size_t> at(t.dimensions.size(), 0);
        for (;;) {
            std::string name = "ntab.cell";
            for (size_t d = 0; d < keys.size(); ++d) {
                keys[d] = t.dimensions[d].categories.empty() ? 0 : t.dimensions[d].categories[at[d]].value;
                char part[40];
                std::snprintf(part, sizeof part, ".%g", keys[d]);
                name += part;
            }
            if (const NtabCell *c = t.FindCell(keys.data())) {
                Print(name + ".count", c->count);
                for (int i = 0; i < 3; ++i)
                    Print(name + ".pct" + std::to_string(i + 1), c->percents[i]);
            }
            size_t d = keys.size();
            while (d > 0 && ++at[d - 1] >= t.dimensions[d - 1].categories.size())
                at[--d] = 0;
            if (d == 0)
                break;
        }
    } else {
        return Usage();
    }
    return 0;
}

} // namespace

// The English language file beside the program gives the reasons' texts.
bool LoadTexts(TextCatalog &catalog)
{
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory(path, length < sizeof path ? length : 0);
    directory.erase(directory.find_last_of("\\/") + 1);
    char file[MAX_PATH + 16];
    if (!TextCatalog::MakeFileName(directory.c_str(), "eng", file, sizeof file) || !catalog.Load(file)) {
        std::fprintf(stderr, "statprint: the language file cannot be used: %s\n", catalog.ErrorText());
        return false;
    }
    SetStatTextCatalog(&catalog);
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 4 && !(argc >= 3 && std::strcmp(argv[2], "open") == 0))
        return Usage();
    TextCatalog texts;
    if (!LoadTexts(texts))
        return 1;
    int error = 0;
    std::string errorText;
    DATASET *set = OpenDataSet(argv[1], &error, DATASET_READONLY, &errorText);
    if (!set) {
        std::fprintf(stderr, "statprint: %s cannot be opened: %s\n", argv[1], errorText.c_str());
        return 1;
    }
    if (set->GetSaveRecovery())
        std::fprintf(stderr, "statprint: %s\n", set->GetSaveRecoveryText());
    bool peak = false;
    for (int i = 3; i < argc; ++i)
        peak = peak || std::strcmp(argv[i], "--peak") == 0;
    if (std::strcmp(argv[2], "open") == 0) {
        if (peak)
            Print("peak.budget", static_cast<double>(MemoryBudget::PeakBytes()));
        delete set;
        return 0;
    }
    Options o;
    std::vector<long> variables;
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--weight" && i + 1 < argc) {
            const long weight = set->FindVariable(argv[++i]);
            if (!weight || !set->SetWeightVariables(&weight, 1)) {
                std::fprintf(stderr, "statprint: %s cannot weigh the cases\n", argv[i]);
                delete set;
                return 1;
            }
        } else if (a == "--budget" && i + 1 < argc) {
            // The memory budget in MiB for this run, in place of the
            // setting (fractions allowed: tests give small ones).
            const double mib = std::atof(argv[++i]);
            if (!(mib > 0.0)) {
                std::fprintf(stderr, "statprint: no budget %s\n", argv[i]);
                delete set;
                return 2;
            }
            MemoryBudget::SetLimitOverride(static_cast<size_t>(mib * 1048576.0));
        } else if (a == "--peak") {
        } else if (a == "--pairwise") {
            o.pairwise = true;
        } else if (a == "--set") {
            o.set = true;
        } else if ((a == "--method" || a == "--pin" || a == "--pout" || a == "--base" || a == "--value") &&
                   i + 1 < argc) {
            const std::string value = argv[++i];
            if (a == "--method")
                o.method = value == "forward"    ? kRegressionForward
                           : value == "backward" ? kRegressionBackward
                                                 : kRegressionEnter;
            else if (a == "--pin")
                o.pIn = std::atof(value.c_str());
            else if (a == "--pout")
                o.pOut = std::atof(value.c_str());
            else if (a == "--base")
                o.base = std::atoi(value.c_str());
            else
                o.value = std::atof(value.c_str());
        } else {
            long number = set->FindVariable(a.c_str());
            if (!number) {
                char *end = nullptr;
                number = std::strtol(a.c_str(), &end, 10);
                if (*end || !set->GetVariable(number))
                    number = 0;
            }
            if (!number) {
                std::fprintf(stderr, "statprint: no variable %s\n", a.c_str());
                delete set;
                return 1;
            }
            variables.push_back(number);
        }
    }
    weighted = set->GetWeight() && set->GetWeight()->IsActive();
    const int result = Run(set, argv[2], o, variables);
    // The cases in the selection that the computation left out for a zero,
    // negative or missing weight (status 12 when there are any).
    const WeightReport weights = TakeRunWeightReport();
    if (result == 0 || result == kFiguresOmitted) {
        Print("weight.status", weights.status);
        Print("weight.excluded", weights.excludedCases);
        PrintFooter();
    }
    if (peak)
        Print("peak.budget", static_cast<double>(MemoryBudget::PeakBytes()));
    delete set;
    return result;
}
