#include "analyses/multivariate/NtabBook.h"

#include "analyses/multivariate/NtabOption.h"
#include "dataset/ProgramSettings.h"
#include "dataset/RegistrySettings.h"
#include "stats/CategoryLabelCheck.h"
#include "stats/StatClass.h"

NTABWIN::NTABWIN(const char *title, WorkBook *book, NTAB *table) : TXTWIN(title, 0), book(book), table(table)
{}

void NTABWIN::WriteResult()
{
    if (!table) {
        Clear();
        ShowText();
        return;
    }
    if (auto *record = book ? dynamic_cast<NtabOption *>(book->Option()) : nullptr) {
        table->display = static_cast<unsigned long>(record->display);
        table->percentageBase = (table->display & ntabPercentOfAnswers) ? 0 : 1;
        table->userLayerCount = static_cast<int>(record->userLayers);
    }
    table->WriteToWindow(this);
}

NtabBook::NtabBook(NtabOption *option) : AnalysisBook(option, 0)
{}

NtabOption *NtabBook::Option() const
{
    return static_cast<NtabOption *>(WorkBook::Option());
}

std::string NtabBook::PageName(const std::vector<long> &rows, const std::vector<long> &controls)
{
    // At most three controls are named whole; the rows (a set may be
    // long) take the room left.
    const std::string columns = " * " + ListCaption(controls);
    const size_t room = captionLength > columns.size() + 8 ? captionLength - columns.size() : 8;
    return ListCaption(rows, "", room) + columns;
}

namespace {

std::vector<long> Numbers(AnalysisBook::ListChoice &list)
{
    std::vector<long> numbers;
    for (int i = 0; i < list.Count(); ++i)
        numbers.push_back(list.Variable(i));
    return numbers;
}

} // namespace

bool NtabBook::Build(long selectionHandle)
{
    titleText = 0;
    titleGroup = ntabTextGroup;
    ListChoice lists[4];
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&lists[0], &lists[1]}, &dataSet))
        return false;
    lists[2].Take(2);
    lists[3].Take(3);
    const std::vector<long> dependents = Numbers(lists[0]), first = Numbers(lists[1]);
    std::vector<long> second = Numbers(lists[2]), third = Numbers(lists[3]);
    // The third list counts only behind the second.
    if (second.empty())
        third.clear();
    if (second.empty())
        second.push_back(0);
    if (third.empty())
        third.push_back(0);

    NtabOption *record = Option();
    record->multipleResponse = record->AskedForMultipleResponse() && !dependents.empty();
    std::vector<long> set = dependents;
    set.push_back(0);
    if (record->multipleResponse) {
        int reason = 0;
        if (!CheckSameCategoryLabels(set.data(), dataSet, &reason)) {
            auto *text = new TXTWIN(StatText(0, ntabTextGroup), 0);
            text->WriteString(StatText(23, ntabTextGroup));
            text->EndLine();
            if (reason >= 1 && reason <= 3)
                text->WriteString(StatText(34 + reason, 6));
            text->EndLine();
            text->ShowText();
            auto *page = new NtabPage(StatText(0, ntabTextGroup));
            page->SetResultWindow(text);
            AddPage(page);
            return true;
        }
    }

    // "XTableWid" is the crosstab's own setting: the n-way table keeps its
    // own cell width rather than take the width the crosstab stores.
    const long cellWidth = defaultCellWidth;

    for (long a : first)
        for (long b : second)
            for (long c : third)
                for (long d : dependents) {
                    std::vector<long> controls{a};
                    if (b)
                        controls.push_back(b);
                    if (b && c)
                        controls.push_back(c);
                    std::vector<long> terminated = controls;
                    terminated.push_back(0);
                    auto *table = new NTAB(dataSet);
                    table->display = static_cast<unsigned long>(record->display);
                    table->percentageBase = (table->display & ntabPercentOfAnswers) ? 0 : 1;
                    table->userLayerCount = static_cast<int>(record->userLayers);
                    if (record->multipleResponse)
                        table->ComputeForTwoLists(set.data(), terminated.data(), 0);
                    else
                        table->ComputeForVariable(d, terminated.data(), 0);
                    auto *text = new NTABWIN(StatText(0, ntabTextGroup), this, table);
                    text->SetColumnWidth(static_cast<int>(cellWidth));
                    table->SplitLayers();
                    table->ComputeColumnWidths(text);
                    auto *page = new NtabPage(
                        PageName(record->multipleResponse ? dependents : std::vector<long>{d}, controls).c_str());
                    page->SetResultWindow(text);
                    page->SetComputation(table);
                    text->Update();
                    AddPage(page);
                    if (record->multipleResponse)
                        break;
                }
    return true;
}
