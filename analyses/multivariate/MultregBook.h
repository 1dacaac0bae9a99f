// MultregBook: the multiple regression's result workbook: one page
// (MultregPage) per dependent variable of list 0, titled "v<d> x " and
// " v<i>" for each independent of list 1 (a variable listed twice, and the
// dependent itself, left out), with its table (REGWIN) over its regression
// (Regresjon). Its "bt_multreg" button saves the current page's residuals
// as a new variable of the data set. Its graph tools: the residual plot
// (kind 0, a ResplotOption) and the matrix plot (kind 1, a MatplotOption),
// both records the book's, handed to every page's regression.
//
// Ownership: as every workbook, it owns its record (a MultregOption), its
// pages and its two graph records.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "analyses/multivariate/Regresjon.h"

#include <string>

class MultregOption;

class MultregPage : public AnalysisPage<Regresjon>
{
public:
    explicit MultregPage(const char *caption);
};

class MultregBook : public AnalysisBook
{
public:
    // How the book asks and tells the user: title, text, MessageDialogType;
    // answers non-zero for yes (ShowMessageDialog by default). Answers the
    // one before.
    using MessageHook = int (*)(const char *title, const char *text, int type);
    static MessageHook SetMessageHook(MessageHook hook);

    explicit MultregBook(MultregOption *option);

    // Builds every page from the lists of the variable-list window (the
    // record's variable-list word). False, with no page, when a list is
    // missing or empty, or when the user declines to run with variables in
    // both lists. A dependent with no independent left gets its page, which
    // says the regression could not be computed.
    bool Build(long selectionHandle) override;

    MultregOption *Record() const;

    // The residual series of the step, made on first use.
    RegressionEngine *EnsureRegressionEngine(Regresjon *regression, int step);
    // Adds the step's residuals to the data set as a new variable (named
    // "RES_V<dependent>", or with a suffix "_2", "_3", ... when that name is
    // taken) through the data set's safe save, and tells the user the
    // outcome. Answers the new variable's number, 0 when nothing was saved
    // (the data set is then as it was).
    long SaveResiduals(Regresjon *regression, int step);
    // The "bt_multreg" button: the current page's final model's residuals.
    void MultipleRegression() override;

    // A name not yet used in the data set, from base.
    static std::string FreeVariableName(const DATASET &dataSet, const std::string &base);

private:
    static int Tell(const char *title, const std::string &text, int type);
};
