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

// The text of group 34 for a computation status code (CorrObj, RegObj): 2
// too few cases, 3 no memory, 4 too many variables, 5 singular matrix, 6 a
// linear combination, 7 a variable without valid values, 8 a variable
// without variance, 9 fewer than two variables, 10 no convergence, 11
// cancelled, 12 negative weights, 13 the data set could not be read, 14 the
// dependent variable is constant; the empty text for other codes.
const char *CorrelationKindText(int statusCode);

class StatClass {
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
    // The count of cases formatted by text 21 of group 0, followed by the
    // filter text; cached for the last count asked; the empty text when the
    // setting "ReportHeader" (section "DefaultValues", default on) is off.
    const char *GetReportHeader(double caseCount);

    // Per case: the weight the case counts with: 0 outside the selection or
    // when its weight is missing or not above 0; 1 without a weight. False
    // when the weight cannot be read.
    bool LoadCaseWeights(std::vector<double> &weights);
    // Per case: the value, kDoubleMissing when it is system- or
    // user-missing. With rawMissing the values keep their user-missing codes
    // (only the system-missing sentinel becomes kDoubleMissing) and
    // rawMissing says which cases are missing. False when the variable
    // cannot be read.
    bool LoadValues(long variable, std::vector<double> &values,
                    std::vector<unsigned char> *rawMissing = nullptr);

    // Per case: the weights and the values of count variables (numbers from
    // 1) for a correlation matrix, with a pointer to each column. Returns 0,
    // 13 when the weight or a variable cannot be read, or 7 when a variable
    // has no valid value in a case of positive weight; failedVariable names
    // the variable of a 13 or 7 (0 for the weight).
    int LoadCorrelationColumns(const long *variables, int count, std::vector<double> &weights,
                               std::vector<std::vector<double>> &columns,
                               std::vector<const double *> &pointers, long &failedVariable);

    // The valid cases of a variable with their weights (selection applied,
    // cases of weight 0 left out); with a partner variable (not 0) only the
    // cases valid in both; values not below the limit are left out too.
    bool CollectCases(long variable, long partner, double limit,
                      std::vector<WeightedValue> &cases);

    // Why the last computation did not finish, for the user ("" when it
    // did): what did not fit in memory, or which table was too large.
    const char *GetFailureText() const { return failureText.c_str(); }

protected:
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
};

#endif
