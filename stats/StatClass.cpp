#include "stats/StatClass.h"

#include <cmath>

#include <cstdio>
#include <cstring>
#include <string>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"
#include "dataset/ProgramSettings.h"
#include "dataset/RegistrySettings.h"
#include "dataset/SelectRec.h"
#include "dataset/TextCatalog.h"
#include "dataset/WeightRec.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

namespace {

TextCatalog *statCatalog = nullptr;
WeightReport runWeightReport;
const int kSectionDefaultValues = 4;

// The report format comes from the language file: use it only when it holds
// exactly one conversion and that one formats a double.
const char *SafeCountFormat(const char *format)
{
    int conversions = 0;
    for (const char *p = format; *p; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        ++conversions;
        const char *q = p + 1;
        while (*q && std::strchr("0123456789.-+ #", *q))
            ++q;
        if (*q != 'f' && *q != 'g' && *q != 'e')
            return "%.0f";
    }
    return conversions == 1 ? format : "%.0f";
}

// One count line of the report: the count by the language file's format
// while it is below 1e15, else in exponent form as the result tables print
// such figures, so that a weighted total near the largest double does not
// fill the line with 309 digits.
std::string FormatCountLine(const char *languageFormat, double count)
{
    const char *format = SafeCountFormat(languageFormat);
    char line[400];
    // A count of weights near the smallest double would print as 0.
    const bool belowOne = count != 0.0 && std::fabs(count) < 0.5;
    if (std::fabs(count) < 1e15 && !belowOne) {
        std::snprintf(line, sizeof line, format, count);
        return line;
    }
    // The one conversion becomes %s, which takes the figure's text.
    std::string textFormat;
    for (const char *p = format; *p; ++p) {
        if (*p == '%' && p[1] == '%') {
            textFormat += "%%";
            ++p;
        } else if (*p == '%') {
            while (p[1] && !std::strchr("fge", p[1]))
                ++p;
            if (p[1])
                ++p;
            textFormat += "%s";
        } else {
            textFormat += *p;
        }
    }
    // A weighted count past the largest double has no figure: the mark and
    // the reason stand in its place.
    char small[32];
    std::snprintf(small, sizeof small, "%.2e", count);
    const std::string figure = !std::isfinite(count) ? std::string("--- (") + MarkReasonText(kReasonWeightsTooLarge) + ")"
                               : belowOne            ? std::string(small)
                                                     : FormatFigure(count, 0);
    std::snprintf(line, sizeof line, textFormat.c_str(), figure.c_str());
    return line;
}

} // namespace

void SetStatTextCatalog(TextCatalog *catalog)
{
    statCatalog = catalog;
}

TextCatalog *GetStatTextCatalog()
{
    return statCatalog;
}

const char *StatText(int number, int group)
{
    return statCatalog ? statCatalog->GetText(number, group) : TextCatalog::kMissingText;
}

const char *CorrelationKindText(int statusCode)
{
    static const int textOfCode[] = {-1, -1, 0, 1, 2, 3, 10, 4, 5, 7, 8, 12, 13, 9, 11};
    if (statusCode < 2 || statusCode > 14)
        return "";
    return StatText(textOfCode[statusCode], 34);
}

WeightReport TakeRunWeightReport()
{
    const WeightReport report = runWeightReport;
    runWeightReport = WeightReport();
    return report;
}

void StatClass::NoteExcludedWeightCases(long count)
{
    excludedWeightCases = count;
    // Every computation of a run walks the same weight and selection; the
    // largest count covers the one that walked all cases.
    if (count > runWeightReport.excludedCases) {
        runWeightReport.excludedCases = count;
        runWeightReport.status = kWeightExclusionStatus;
    }
}

StatClass::StatClass(DATASET *set)
    : dataSet(set ? set : ProgramSettings::Instance()->GetDataSet(0)), selection(nullptr),
      weight(nullptr), headingTexts{nullptr, nullptr, nullptr}, reportCount(-1.0)
{
    if (!dataSet)
        return;
    selection = dataSet->GetActiveSelection();
    WeightRec *w = dataSet->GetWeight();
    if (w && w->IsActive())
        weight = w;
}

StatClass::~StatClass()
{
    for (char *&text : headingTexts) {
        delete[] text;
        text = nullptr;
    }
}

int StatClass::WeightDecimals() const
{
    if (!weight || !dataSet)
        return 2;
    const VariableInfo *info = dataSet->GetVariable(weight->GetVariable(0));
    return info ? info->EffectiveDecimals() : 2;
}

const char *StatClass::SetHeadingText(int slot, const std::string &text)
{
    delete[] headingTexts[slot];
    headingTexts[slot] = new char[text.size() + 1];
    std::memcpy(headingTexts[slot], text.c_str(), text.size() + 1);
    return headingTexts[slot];
}

const char *StatClass::BuildFilterText()
{
    if (headingTexts[0])
        return headingTexts[0];
    std::string text;
    if (weight) {
        text += StatText(34, 1);
        text += ": ";
        text += weight->Describe();
    }
    if (selection && selection->IsActive()) {
        if (!text.empty())
            text += "\r\n ";
        text += selection->description;
    }
    return SetHeadingText(0, text);
}

const char *StatClass::GetReportHeader(double caseCount)
{
    const SettingsSection *section = FindSettingsSection(kSectionDefaultValues);
    if (section && RegistrySettings::ReadIntInSection(section, "ReportHeader", 1) == 0)
        return "";
    if (headingTexts[1] && caseCount == reportCount && excludedWeightCases == reportExcluded)
        return headingTexts[1];
    std::string text = FormatCountLine(StatText(21, 0), caseCount);
    if (excludedWeightCases > 0) {
        // Without it a table of cases whose weights were all left out would
        // read "Number of cases: 0" with no word why.
        text += "\r\n ";
        text += FormatCountLine(StatText(22, 0), static_cast<double>(excludedWeightCases));
    }
    reportExcluded = excludedWeightCases;
    const char *filter = BuildFilterText();
    if (*filter) {
        text += "\r\n ";
        text += filter;
    }
    reportCount = caseCount;
    return SetHeadingText(1, text);
}

const char *StatClass::GetReportFilter()
{
    const SettingsSection *section = FindSettingsSection(kSectionDefaultValues);
    if (section && RegistrySettings::ReadIntInSection(section, "ReportHeader", 1) == 0)
        return "";
    std::string text;
    if (excludedWeightCases > 0)
        text = FormatCountLine(StatText(22, 0), static_cast<double>(excludedWeightCases));
    const char *filter = BuildFilterText();
    if (*filter) {
        if (!text.empty())
            text += "\r\n ";
        text += filter;
    }
    return SetHeadingText(2, text);
}

bool StatClass::LoadCaseWeights(std::vector<double> &weights)
{
    weights.clear();
    if (!dataSet)
        return false;
    const long cases = dataSet->GetCaseCount();
    weights.assign(static_cast<size_t>(cases), 1.0);
    if (weight) {
        BUFFERTYPE *list = weight->NewWeightList();
        if (!list)
            return false;
        list->SeekCase(1, 1);
        for (long c = 0; c < cases && list->MoveNext(); ++c) {
            const double w = list->GetCurrentReal();
            weights[c] = (list->IsCurrentMissing() || !(w > 0.0) || !std::isfinite(w)) ? 0.0 : w;
        }
        delete list;
    }
    long excluded = 0;
    for (long c = 0; c < cases; ++c) {
        if (selection && selection->IsActive() && !selection->IsCaseInForce(c))
            weights[c] = 0.0;
        else if (weights[c] == 0.0)
            ++excluded;
    }
    NoteExcludedWeightCases(excluded);
    return true;
}

bool StatClass::LoadValues(long variable, std::vector<double> &values, std::vector<unsigned char> *rawMissing)
{
    values.clear();
    if (rawMissing)
        rawMissing->clear();
    if (!dataSet)
        return false;
    LISTETYPE list(dataSet, variable);
    if (list.Error() || list.GetCaseCount() != dataSet->GetCaseCount())
        return false;
    const long cases = list.GetCaseCount();
    values.resize(static_cast<size_t>(cases), kNotComputed);
    if (rawMissing)
        rawMissing->resize(static_cast<size_t>(cases), 1);
    list.SeekCase(1, 1);
    for (long c = 0; c < cases && list.MoveNext(); ++c) {
        if (list.IsCurrentSysMissing())
            continue;
        const double v = list.GetCurrentAsReal();
        const bool userMissing = list.IsCurrentUserMissing();
        if (rawMissing) {
            values[c] = v;
            (*rawMissing)[c] = userMissing;
        } else if (!userMissing) {
            values[c] = v;
        }
    }
    return true;
}

void StatClass::NoteMemoryFailure(const std::string &what, const std::bad_alloc &failure)
{
    const BudgetRefusal *refusal = dynamic_cast<const BudgetRefusal *>(&failure);
    failureText = std::string(StatText(1, 34)) + " " + what + " " +
                  (refusal ? MemoryBudget::DescribeShortfall(refusal->wanted)
                           : std::string("could not get memory from Windows")) +
                  ".";
}

void StatClass::NoteOmittedFigures(const std::string &what, const std::bad_alloc &failure)
{
    const BudgetRefusal *refusal = dynamic_cast<const BudgetRefusal *>(&failure);
    omittedText = what + " are left out: computing them " +
                  (refusal ? MemoryBudget::DescribeShortfall(refusal->wanted)
                           : std::string("could not get memory from Windows")) +
                  ".";
}
