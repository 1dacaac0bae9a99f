#include "analyses/multivariate/MultregBook.h"

#include "analyses/multivariate/MultregOption.h"
#include "analyses/multivariate/REGWIN.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "graphs/MatplotOption.h"
#include "graphs/Matrixplot.h"
#include "graphs/ResidualPlot.h"
#include "graphs/ResplotOption.h"
#include "shell/MessageDialogs.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int ShowMessage(const char *title, const char *text, int type)
{
    return ShowMessageDialog(title, text, nullptr, nullptr, type);
}

MultregBook::MessageHook messageHook = ShowMessage;

constexpr int residualPlotText = 39, matrixPlotText = 42, graphToolGroup = 33;
const GraphToolRow toolRows[] = {
    {residualPlotText, graphToolGroup, "graph_resplot"},
    {matrixPlotText, graphToolGroup, "graph_matplot"},
};
// Kind 0 the residual plot of the final model, kind 1 the matrix plot of
// the regression's variables.
const AnalysisPage<Regresjon>::GraphMaker regressionGraphs[] = {
    [](Regresjon *regression) -> ZafWindow * {
        // The final step's engine as the regression holds it at each
        // build: a changed method computes the steps, and their engines,
        // anew.
        return new ResidualPlot([regression] { return regression->EnsureEngine(regression->StepCount() - 1); },
                                regression->residualPlotOption);
    },
    [](Regresjon *regression) -> ZafWindow * {
        return new Matrixplot(regression, regression->variables.data(), regression->matrixPlotOption);
    },
};

// The page's tab: "v<d> x " and then " v<i>" for each independent (two
// blanks after the x). A tab over many independents would be wider than
// the window: past captionLength it ends in " .." after a whole name.
std::string RegressionCaption(long dependent, const std::vector<long> &equation)
{
    std::string caption = AnalysisBook::PageCaption(dependent) + " x ";
    for (size_t i = 0; i < equation.size() && equation[i]; ++i) {
        const std::string name = " " + AnalysisBook::PageCaption(equation[i]);
        const bool more = i + 1 < equation.size() && equation[i + 1];
        if (caption.size() + name.size() + (more ? 3 : 0) > AnalysisBook::captionLength) {
            caption += " ..";
            break;
        }
        caption += name;
    }
    return caption;
}

} // namespace

MultregBook::MessageHook MultregBook::SetMessageHook(MessageHook hook)
{
    MessageHook previous = messageHook;
    messageHook = hook ? hook : ShowMessage;
    return previous;
}

int MultregBook::Tell(const char *title, const std::string &text, int type)
{
    return messageHook(title, text.c_str(), type);
}

MultregPage::MultregPage(const char *caption) : AnalysisPage<Regresjon>(caption, regressionGraphs, 2)
{}

MultregBook::MultregBook(MultregOption *option) : AnalysisBook(option, 0)
{}

MultregOption *MultregBook::Record() const
{
    return static_cast<MultregOption *>(Option());
}

bool MultregBook::Build(long selectionHandle)
{
    titleText = 0;
    titleGroup = multregTextGroup;
    ListChoice dependents, independents;
    if (!TakeLists(selectionHandle, {&dependents, &independents}))
        return false;

    bool overlap = false;
    for (int d = 0; d < dependents.Count(); ++d)
        for (int i = 0; i < independents.Count(); ++i)
            overlap = overlap || dependents.Variable(d) == independents.Variable(i);
    if (overlap && !Tell(StatText(1, multregWarningGroup), StatText(2, multregWarningGroup), messageAskQuestion)) {
        // The user chose not to go on: nothing failed that needs a word.
        VariableListWindow::NoteRunCancelled();
        return false;
    }

    // Each dependent's independents: in list order, once each, without it.
    std::vector<std::vector<long>> equations;
    for (int d = 0; d < dependents.Count(); ++d) {
        const long dependent = dependents.Variable(d);
        std::vector<long> equation;
        for (int i = 0; i < independents.Count(); ++i) {
            const long v = independents.Variable(i);
            if (v != dependent && std::find(equation.begin(), equation.end(), v) == equation.end())
                equation.push_back(v);
        }
        equation.push_back(0);
        equations.push_back(std::move(equation));
    }

    keepMultRegButton = true;
    auto *residualPlot = new ResplotOption;
    auto *matrixPlot = new MatplotOption;
    GraphOption *const graphRecords[] = {residualPlot, matrixPlot};
    AddGraphTools(toolRows, graphRecords, 2);
    MultregOption &record = *Record();
    for (size_t d = 0; d < equations.size(); ++d) {
        const long dependent = dependents.Variable(static_cast<int>(d));
        const std::string caption = RegressionCaption(dependent, equations[d]);
        auto *regression = new Regresjon(dependent, equations[d].data(), static_cast<int>(record.method),
                                         static_cast<int>(record.missingDeletion), record.PIn(), record.POut());
        regression->ComputeCorrelationMatrix();
        regression->displayMask = static_cast<unsigned long>(record.tableDisplay);
        regression->book = this;
        regression->residualPlotOption = residualPlot;
        regression->matrixPlotOption = matrixPlot;
        auto *text = new REGWIN(StatText(0, multregTextGroup));
        text->SetRegression(regression);
        text->Update();
        auto *page = new MultregPage(caption.c_str());
        page->SetResultWindow(text);
        page->SetComputation(regression);
        AddPage(page);
    }
    return true;
}

RegressionEngine *MultregBook::EnsureRegressionEngine(Regresjon *regression, int step)
{
    return regression ? regression->EnsureEngine(step) : nullptr;
}

std::string MultregBook::FreeVariableName(const DATASET &dataSet, const std::string &base)
{
    std::string name = base.substr(0, QVF_MAX_NAME);
    for (int n = 2; dataSet.FindVariable(name.c_str()); ++n) {
        const std::string suffix = "_" + std::to_string(n);
        name = base.substr(0, QVF_MAX_NAME - suffix.size()) + suffix;
    }
    return name;
}

long MultregBook::SaveResiduals(Regresjon *regression, int step)
{
    const char *title = StatText(0, multregTextGroup);
    RegressionEngine *engine = EnsureRegressionEngine(regression, step);
    DATASET *dataSet = regression ? regression->GetDataSet() : nullptr;
    if (!engine || !dataSet || regression->status != 0) {
        Tell(title, StatText(45, multregTextGroup), messageExclamation);
        return 0;
    }
    const long dependent = regression->steps[static_cast<size_t>(step)]->dependentVariable;
    VariableInfo info;
    const std::string name = FreeVariableName(*dataSet, "RES_V" + std::to_string(dependent));
    const std::string label = std::string(StatText(46, multregTextGroup)) + " V" + std::to_string(dependent);
    std::snprintf(info.name, sizeof info.name, "%s", name.c_str());
    std::snprintf(info.label, sizeof info.label, "%s", label.c_str());
    info.storageType = STORAGE_DOUBLE;
    info.printWidth = 12;
    info.decimals = 4;
    std::unique_ptr<TMPLISTETYPE> residuals(engine->NewResidualList(dataSet->GetCaseCount()));
    const long number = dataSet->AddVariable(info, std::vector<CategoryLabel>(), residuals.get());
    // Saving reopens the data set, failed or not: every page follows it.
    regression->FollowDataSet();
    for (int i = 0; i < PageCount(); ++i)
        if (auto *page = dynamic_cast<MultregPage *>(PageAt(i)); page && page->Computed())
            page->Computed()->FollowDataSet();
    if (!number) {
        Tell(title, std::string(StatText(45, multregTextGroup)) + "\n" + dataSet->GetErrorText(), messageHand);
        return 0;
    }
    Tell(title, std::string(StatText(44, multregTextGroup)) + " " + name + " (V" + std::to_string(number) + ")",
         messageAsterisk);
    return number;
}

void MultregBook::MultipleRegression()
{
    auto *page = dynamic_cast<MultregPage *>(CurrentPage());
    Regresjon *regression = page ? page->Computed() : nullptr;
    if (regression)
        SaveResiduals(regression, regression->StepCount() - 1);
}
