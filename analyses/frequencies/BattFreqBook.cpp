#include "analyses/frequencies/BattFreqBook.h"

#include "analyses/frequencies/BattFrWin.h"
#include "analyses/frequencies/BattFreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "shell/MessageDialogs.h"
#include "shell/VariableListWindow.h"
#include "stats/CategoryLabelCheck.h"

#include <memory>
#include <string>

BattFreqBook::BattFreqBook(BattFreqOption *option) : AnalysisBook(option, 0)
{
    titleText = 44;
    titleGroup = BattFreqOption::textGroup;
}

bool BattFreqBook::Build(long selectionHandle)
{
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;
    const int group = BattFreqOption::textGroup;
    if (list.Count() < 2) {
        // One item is a frequency table, not a battery: say what is missing
        // instead of leaving the user with a run that failed for no reason.
        ShowMessageDialog(StatText(44, group), tooFewItemsText, nullptr, nullptr, messageExclamation);
        VariableListWindow::NoteRunCancelled();
        return false;
    }

    std::vector<long> numbers;
    for (int i = 0; i < list.Count(); ++i)
        numbers.push_back(list.Variable(i));
    numbers.push_back(0);
    if (!CheckSameCategoryLabels(numbers.data(), dataSet, nullptr)) {
        const std::string title = StatText(44, group), first = StatText(52, group), second = StatText(53, group);
        if (ShowMessageDialog(title.c_str(), first.c_str(), second.c_str(), StatText(54, group), messageAskAsterisk) <
            1) {
            // The user chose not to go on: nothing failed that needs a word.
            VariableListWindow::NoteRunCancelled();
            return false;
        }
    }

    auto *battery = new BattFreqObj(this, dataSet);
    std::string caption;
    for (int i = 0; i < list.Count(); ++i) {
        auto *item = new FREQOBJECT(dataSet);
        item->workbook = this;
        std::unique_ptr<BUFFERTYPE> values = list.TakeValues(i, dataSet);
        BuildFrequencyDistribution(values.get(), item, nullptr);
        battery->items.push_back(item);
        caption += (i ? ", v" : "v") + std::to_string(list.Variable(i));
    }
    auto *text = new BattFrWin(battery);
    auto *page = new BattFreqPage(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(battery);
    text->Update();
    AddPage(page);
    return true;
}
