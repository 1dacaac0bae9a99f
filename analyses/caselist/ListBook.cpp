#include "analyses/caselist/ListBook.h"

#include "analyses/caselist/ListOption.h"
#include "analyses/caselist/ListOutput.h"
#include "dataset/CaseSort.h"
#include "shell/VariableListWindow.h"

int TablePage::PrintToOwnDestinations(QivPrinter *printer)
{
    auto *output = dynamic_cast<ListOutput *>(ResultWindow());
    return output ? output->WriteList(printer) : 0;
}

ListBook::ListBook(DATASET *dataSet, ListOption *record, const VarSelection *selection, const int *sortKeys)
    : WorkBook(record, 0), record(record), dataSet(dataSet)
{
    titleText = titleTextNumber;
    titleGroup = titleTextGroup;
    record->deleteAfterRun = 0;
    if (sortKeys && sortKeys[0]) {
        record->sortKeys.clear();
        for (const int *k = sortKeys; *k; ++k)
            record->sortKeys.push_back(*k);
        record->sortKeys.push_back(0);
        record->sortDirection = 1;
    }

    delete record->variables;
    record->variables = new ZafList;
    for (int i = 0; selection && i < selection->count; ++i) {
        auto *variable = new OneListVariable(dataSet, selection->variables[i]);
        if (variable->Error()) {
            delete variable;
            built = false;
            continue;
        }
        record->variables->Add(variable);
    }

    auto *page = new TablePage;
    page->SetDestroyable(false);
    page->SetRegionType(2);
    AddPage(page);
    output = new ListOutput(this);
    page->SetResultWindow(output);
    output->Update();
}

void ListBook::ShowCaseDocButton()
{
    keepCaseDocButton = true;
}
