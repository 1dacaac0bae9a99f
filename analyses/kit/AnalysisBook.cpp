#include "analyses/kit/AnalysisBook.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"
#include "shell/VariableListWindow.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatOption.h"

namespace {

AnalysisBook::AutoRecodeOffer autoRecodeOffer = nullptr;

} // namespace

AnalysisBook::AutoRecodeOffer AnalysisBook::SetAutoRecodeOffer(AutoRecodeOffer offer)
{
    AutoRecodeOffer before = autoRecodeOffer;
    autoRecodeOffer = offer;
    return before;
}

AnalysisBook::ListChoice::~ListChoice()
{
    VarSelection::Free(selection);
}

bool AnalysisBook::ListChoice::Take(int list)
{
    VarSelection::Free(selection);
    selection = GetSelectedVariables(list);
    return selection && selection->count > 0;
}

int AnalysisBook::ListChoice::Count() const
{
    return selection ? selection->count : 0;
}

long AnalysisBook::ListChoice::Variable(int i) const
{
    return selection->variables[i];
}

bool AnalysisBook::ListChoice::OfferGrouping(DATASET *dataSet, const char *title, bool labelsCount)
{
    const int count = Count();
    candidates.assign(count + 1, 0);
    intervals.assign(count + 1, 0);
    for (int i = 0; i < count; ++i) {
        const long variable = Variable(i);
        // Counted a window at a time: memory constant in the number of cases.
        selection->valueLists[i] = new LISTETYPE(dataSet, variable, CaseBlockWalk::WindowBytes());
        std::unique_ptr<KATLABS> labels(labelsCount ? KATLABS::ConstructAndRead(variable, dataSet) : nullptr);
        candidates[i] = ExceedsCategoryLimit(selection->valueLists[i], labels.get()) ? variable : -1;
    }
    return !autoRecodeOffer || autoRecodeOffer(candidates.data(), intervals.data(), title);
}

std::unique_ptr<BUFFERTYPE> AnalysisBook::ListChoice::TakeValues(int i, DATASET *dataSet)
{
    if (LISTETYPE *loaded = selection->valueLists[i]) {
        selection->valueLists[i] = nullptr;
        return std::unique_ptr<BUFFERTYPE>(loaded);
    }
    auto fresh = std::make_unique<LISTETYPE>();
    fresh->BindToDataSet(dataSet);
    fresh->LoadVariable(Variable(i), 1, CaseBlockWalk::WindowBytes());
    return fresh;
}

std::unique_ptr<KATLABS> AnalysisBook::ListChoice::Labels(int i, DATASET *dataSet, std::unique_ptr<BUFFERTYPE> &values,
                                                          bool *grouped)
{
    KATLABS *labels = KATLABS::ConstructAndRead(Variable(i), dataSet);
    bool done = false;
    if (i < static_cast<int>(candidates.size()) && candidates[i] > 0 && intervals[i] > 0) {
        BUFFERTYPE *slot = values.release();
        done = GroupIntoIntervals(&slot, static_cast<int>(intervals[i]), &labels);
        values.reset(slot);
    }
    if (grouped)
        *grouped = done;
    return std::unique_ptr<KATLABS>(labels);
}

std::string AnalysisBook::PageCaption(long variable)
{
    return "v" + std::to_string(variable);
}

std::string AnalysisBook::PageCaption(long first, long second, const char *joint)
{
    return PageCaption(first) + joint + PageCaption(second);
}

std::string AnalysisBook::ListCaption(const std::vector<long> &variables, const std::string &prefix, size_t length)
{
    size_t count = 0;
    while (count < variables.size() && variables[count])
        ++count;
    std::string caption = prefix;
    for (size_t i = 0; i < count; ++i) {
        const std::string name = (i ? ", " : "") + PageCaption(variables[i]);
        // Whole names only, and room for ", .." while more follow.
        if (caption.size() + name.size() + (i + 1 < count ? 4 : 0) > length) {
            caption += i ? ", .." : "..";
            break;
        }
        caption += name;
    }
    return caption.size() <= length ? caption : caption.substr(0, length > 2 ? length - 2 : 0) + "..";
}

bool AnalysisBook::RunBook(AnalysisBook *book, long selectionHandle)
{
    return WorkBook::FinishRun(book, book->Build(selectionHandle));
}

bool AnalysisBook::TakeLists(long selectionHandle, std::initializer_list<ListChoice *> lists, DATASET **dataSet)
{
    if (!selectionHandle)
        return false;
    int list = 0;
    for (ListChoice *choice : lists)
        if (!choice->Take(list++))
            return false;
    if (!dataSet)
        return true;
    *dataSet = ProgramSettings::Instance()->GetDataSet(0);
    return *dataSet != nullptr;
}

void AnalysisBook::AddGraphTools(const GraphToolRow *rows, GraphOption *const *records, int count)
{
    for (int i = 0; i < count; ++i) {
        records[i]->LoadSettings(1);
        AddGraphTool(rows[i].text, rows[i].group, rows[i].bitmapName, records[i]);
    }
}
