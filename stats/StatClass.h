// StatClass: the base of every computation object. It takes the data set it
// computes on (the current one unless given), that data set's selection in
// force and its weight, and keeps three heading texts made on demand (the
// filter text, the report header and a caption).
//
// Ownership: the data set, its selection and weight records belong to the
// data set; the computation only points to them and must not outlive it.
// The heading texts are owned here and freed by the destructor.
//
// Case numbers: the per-case arrays filled by LoadCaseWeights and
// LoadValues are indexed by case from 0.
//
// Texts: computation objects read their texts (the report line, the status
// messages) from the catalogue set with SetStatTextCatalog; without one they
// read "**ERROR**", as a missing text does.
#ifndef STATS_STATCLASS_H
#define STATS_STATCLASS_H

#include <new>
#include <string>
#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/StatStatus.h"

class BUFFERTYPE;
class DATASET;
class SelectRec;
class TextCatalog;
class WeightRec;

// The language catalogue that the computation objects take texts from (not
// owned; the program sets it once at start).
void SetStatTextCatalog(TextCatalog *catalog);
TextCatalog *GetStatTextCatalog();
// A text of the catalogue, "**ERROR**" when there is none.
const char *StatText(int number, int group);

// The text of group 34 for a computation status code; the empty text for
// codes outside ComputationStatus and for kStatusOk.
const char *CorrelationKindText(int statusCode);

// The weight report of a run: the cases in the selection that the run's
// computations left out because their weight was zero, negative or missing.
// A run is everything computed since the report was last taken; taking it
// clears it, so the caller shows it once however many objects computed.
struct WeightReport
{
    int status = 0; // kWeightExclusionStatus when cases were left out
    long excludedCases = 0;
};
WeightReport TakeRunWeightReport();

class StatClass
{
public:
    // On a data set, or on the current data set when none is given.
    explicit StatClass(DATASET *dataSet = nullptr);
    virtual ~StatClass();
    StatClass(const StatClass &) = delete;
    StatClass &operator=(const StatClass &) = delete;

    DATASET *GetDataSet() const { return dataSet; }
    SelectRec *GetSelection() const { return selection; }
    // The weight record when a weight is active, else null.
    WeightRec *GetWeight() const { return weight; }
    bool IsWeighted() const { return weight != nullptr; }
    // The weight variable's decimals (2 when not set); 2 without a weight.
    int WeightDecimals() const;

    // The weight and selection description lines ("" when neither is
    // active); cached.
    const char *BuildFilterText();
    // The count of cases formatted by text 21 of group 0, then (when the
    // last walk left cases out for their weight) that count formatted by
    // text 22 of group 0, followed by the filter text; cached for the last count asked; the empty text when the
    // setting "ReportHeader" (section "DefaultValues", default on) is off.
    const char *GetReportHeader(double caseCount);
    // The report header without its count line, for a table whose entries
    // rest on different numbers of cases: the cases left out for their
    // weight, then the filter text; "" as the report header is.
    const char *GetReportFilter();

    // Per case: the weight the case counts with: 0 outside the selection or
    // when its weight is missing or not above 0; 1 without a weight. False
    // when the weight cannot be read.
    bool LoadCaseWeights(std::vector<double> &weights);
    // Per case: the value, kNotComputed when it is system- or
    // user-missing. With rawMissing the values keep their user-missing codes
    // (only the system-missing sentinel becomes kNotComputed) and
    // rawMissing says which cases are missing. False when the variable
    // cannot be read.
    bool LoadValues(long variable, std::vector<double> &values, std::vector<unsigned char> *rawMissing = nullptr);

    // The cases in the selection that the last walk over the cases left out
    // for their weight; WeightStatus is then kWeightExclusionStatus (0 when
    // none). Noted by every walk (LoadCaseWeights, CaseWalk), once per walk.
    long ExcludedWeightCases() const { return excludedWeightCases; }
    int WeightStatus() const { return excludedWeightCases > 0 ? kWeightExclusionStatus : 0; }
    void NoteExcludedWeightCases(long count);

    // Why the last computation did not finish, for the user ("" when it
    // did): what did not fit in memory, or which table was too large.
    const char *GetFailureText() const { return failureText.c_str(); }
    // Records why the cases could not be read (the walk's words, naming
    // file, variable and case), after what could not be computed.
    void NoteUnreadableCases(const std::string &what, const std::string &reason)
    {
        failureText = what + " cannot be computed: " +
                      (reason.empty() ? std::string("the values or the weights cannot be read.") : reason);
    }

    // The figures the last computation left out for want of memory while
    // its other figures stand ("" when none): what they are, how much they
    // needed and how much of the budget was free. Pages print it below the
    // figures; statprint prints it and ends with exit code 3.
    const char *GetOmittedText() const { return omittedText.c_str(); }

protected:
    // Sets the omitted-figures text for the figures named by what ("The
    // quartiles and medians of the breakdown") after their allocation
    // failed or the budget refused their charge.
    void NoteOmittedFigures(const std::string &what, const std::bad_alloc &failure);
    std::string omittedText;

    // Sets the failure text for an allocation that failed (or a charge the
    // memory budget refused) while computing what ("The crosstab of a by
    // b"): text 1 of group 34, then what and the shortfall as a sentence.
    void NoteMemoryFailure(const std::string &what, const std::bad_alloc &failure);
    std::string failureText;

    // Stores a heading text (one of three slots) and returns it.
    const char *SetHeadingText(int slot, const std::string &text);

    DATASET *dataSet;
    SelectRec *selection;
    WeightRec *weight;

private:
    char *headingTexts[3];
    double reportCount;
    long reportExcluded = 0;
    long excludedWeightCases = 0;
};

#endif
