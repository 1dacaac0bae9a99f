#include "analyses/caselist/ListOption.h"

#include "analyses/caselist/ListBook.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafScrollBar.h"

#include <algorithm>
#include <cmath>

OneListVariable::OneListVariable(DATASET *dataSet, long variable) : variable(variable)
{
    auto *list = new LISTETYPE;
    list->BindToDataSet(dataSet);
    if (!list->LoadVariable(variable, 1)) {
        delete list;
        return;
    }
    values = list;
    // The width is the list's own: the data set's description of the
    // variable is never changed by listing it.
    const VariableInfo *info = dataSet->GetVariable(variable);
    printWidth = std::max(1, std::min(info ? info->printWidth : static_cast<int>(list->printWidth), widestPrint));
    labels = KATLABS::ConstructAndRead(variable, dataSet);
    hasLabels = labels && labels->GetCount() > 1;
    // The valid values' range, kept with the data set, answers without a
    // pass over the cases; a range wider than the labels are many has a
    // value without one.
    if (hasLabels && list->maximum - list->minimum < labels->GetCount()) {
        everyValueLabelled = true;
        for (double v = std::ceil(list->minimum); v <= list->maximum && everyValueLabelled; ++v)
            everyValueLabelled = labels->FindValue(v) >= 0;
    }
}

OneListVariable::~OneListVariable()
{
    delete labels;
    delete values;
}

const char *OneListVariable::Text() const
{
    return labels ? labels->GetCaption() : "";
}

bool OneListVariable::ShowsLabels() const
{
    return hasLabels && showLabels && values && values->integerTyped;
}

ListOption::ListOption()
{
    SetName(recordName);
    // The case list has nothing to choose before it runs.
    optionsBeforeRun = 0;
}

ListOption::~ListOption()
{
    delete sortOrder;
    delete variables;
}

ZafWindow *ListOption::CreateOptionWindow()
{
    return new ListOptionWindow(this);
}

void ListOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(0, textGroup), 1, -1);
}

namespace {

ZafVtList *CheckBoxList(ZafWindow *window)
{
    return window ? dynamic_cast<ZafVtList *>(window->FindObjectByStringID("vl_lab_opt")) : nullptr;
}

} // namespace

void ListOption::ToWindow()
{
    ZafVtList *list = CheckBoxList(optionWindow);
    if (!list)
        return;
    int i = 0;
    for (ZafElement *e = list->First(); e && i < VariableCount(); e = e->Next(), ++i) {
        auto *box = dynamic_cast<ZafButton *>(e);
        const OneListVariable *variable = VariableAt(i);
        if (!box)
            continue;
        box->SetSelected(variable->hasLabels && variable->showLabels);
        box->SetDisabled(!variable->hasLabels);
        if (!variable->hasLabels)
            box->SetBackgroundColor(7, 254); // grey: nothing to choose
    }
}

void ListOption::FromWindow()
{
    ZafVtList *list = CheckBoxList(optionWindow);
    if (!list)
        return;
    int i = 0;
    for (ZafElement *e = list->First(); e && i < VariableCount(); e = e->Next(), ++i)
        if (auto *box = dynamic_cast<ZafButton *>(e))
            VariableAt(i)->showLabels = box->Selected();
}

bool ListOption::Run()
{
    // Without the variable-list window's selection there is nothing to
    // list: the run fails (and the window says so) instead of reading it.
    VarSelection *selection = GetSelectedVariables(0);
    if (!selection)
        return false;
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(1);
    if (!dataSet) {
        VarSelection::Free(selection);
        return false;
    }
    auto *book = new ListBook(dataSet, this, selection);
    VarSelection::Free(selection);
    return WorkBook::FinishRun(book, book->Built());
}

ListOptionWindow::ListOptionWindow(ListOption *record) : OptionWindow(37, 11)
{
    if (!record->variables)
        return;
    auto *prompt = new ZafPrompt(1, 0, 35, "");
    prompt->SetStringID("tick_pr");
    AddObject(prompt);
    auto *list = new ZafVtList(1, 1, 35, 9);
    list->SetStringID("vl_lab_opt");
    list->SetSelectionMode(1);
    list->AddObject(new ZafScrollBar(ZafScrollBar::vertical));
    list->AddObject(new ZafScrollBar(ZafScrollBar::horizontal));
    for (int i = 0; i < record->VariableCount(); ++i) {
        const OneListVariable *variable = record->VariableAt(i);
        auto *box = new ZafButton(0, 0, 15, 1, variable->Text(), nullptr, ZafButton::checkBox);
        box->SetAllowToggling(true);
        box->SetHzJustify(ZafButton::justifyStart);
        box->SetSelected(variable->showLabels);
        list->AddObject(box);
    }
    AddObject(list);
}

void ListOptionWindow::UpdateControls()
{
    if (ZafWindowObject *prompt = FindObjectByStringID("tick_pr"))
        prompt->SetText(StatText(2, ListOption::textGroup));
}
