#include "shell/VariableListWindow.h"

#include "dataset/AssumeError.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "shell/MessageDialogs.h"
#include "shell/OptionWindow.h"
#include "shell/OptionWindowFrame.h"
#include "shell/WorkBook.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

// --- Selections ------------------------------------------------------------------

void VarSelection::Free(VarSelection *selection)
{
    if (!selection)
        return;
    for (int i = 0; i < selection->count; ++i)
        delete selection->valueLists[i];
    delete[] selection->valueLists;
    delete[] selection->variables;
    delete selection;
}

VarSelection *GetSelectedVariables(int list)
{
    VariableListWindow *window = VariableListWindow::Current();
    return window ? window->Selection(list) : nullptr;
}

bool PassTextToVariableList(const char *text, int required, int value)
{
    VariableListWindow *window = VariableListWindow::Current();
    return window && window->AddList(text, required, value);
}

// --- The window and its definition ----------------------------------------------

namespace {

// Places in cells: the analyses and the variables on the left, the prompted
// lists on the right (sharing its height, so that four lists still show
// five rows each), the buttons along the bottom.
constexpr int windowWidth = 94, windowHeight = 31;
constexpr int leftWidth = 42, rightLeft = 45, rightWidth = 46;
constexpr int analysesRows = 5, variablesTop = 7;
constexpr int listsTop = 0, listWidth = rightWidth - 4;
constexpr int buttonRow = 28;
// The rows the prompted lists share, and the rows of one of `count` lists.
constexpr int listsRows = buttonRow - 1 - listsTop;
constexpr int SlotTop(int k, int count)
{
    return listsTop + k * listsRows / count;
}

// Which button a push is: the kind and, for the list buttons, the list.
enum ButtonKind : std::int32_t {
    buttonRun = 1,     // runs the analysis
    buttonOptions = 2, // opens the option frame
    buttonClose = 3,   // closes the window
    buttonAdd = 4,     // ">": selected variables into a list
    buttonRemove = 5,  // "<": selected rows out of a list
};

std::string Numbered(const char *stem, int k)
{
    return stem + std::to_string(k);
}

template <class T> T *Named(T *object, const std::string &name)
{
    object->SetStringID(name.c_str());
    return object;
}

ZafButton *MakeButton(int left, int top, int width, const char *text, const std::string &name, ButtonKind kind)
{
    auto *button = Named(new ZafButton(left, top, width, 1, text), name);
    button->SetValue(kind);
    return button;
}

// A list of variables scrolls across too: a long label is read whole.
ZafVtList *MakeList(int left, int top, int width, int height, const std::string &name, bool across = true)
{
    auto *list = Named(new ZafVtList(left, top, width, height), name);
    list->SetSelectionMode(2);
    list->AddObject(new ZafScrollBar(ZafScrollBar::vertical));
    if (across) {
        // Named apart: the file keeps a window's objects by name.
        auto *scroll = new ZafScrollBar(ZafScrollBar::horizontal);
        scroll->SetStringID("SB_ACROSS");
        list->AddObject(scroll);
    }
    return list;
}

// The places of one prompted list's controls (prompt, ">", "<", list) in a
// slot of rows [top, bottom].
void PlaceSlot(ZafWindowObject *const controls[4], int top, int bottom)
{
    // A tall slot keeps a blank row before the next prompt.
    const int listBottom = bottom - (bottom - top + 1 > 6 ? 1 : 0);
    const ZafRegionRect places[] = {
        ZafRegionRect(rightLeft + 4, top, rightLeft + 4 + listWidth - 1, top, ZAF_CELL),
        ZafRegionRect(rightLeft, top + 1, rightLeft + 2, top + 1, ZAF_CELL),
        ZafRegionRect(rightLeft, top + 2, rightLeft + 2, top + 2, ZAF_CELL),
        ZafRegionRect(rightLeft + 4, top + 1, rightLeft + 4 + listWidth - 1, std::max(listBottom, top + 2), ZAF_CELL),
    };
    for (int i = 0; i < 4; ++i) {
        controls[i]->SetRegion(places[i]);
        if (controls[i]->OSHandle())
            controls[i]->MoveOSWindow();
    }
}

// The selected entries of a list, in row order.
std::vector<ZafWindowObject *> SelectedEntries(const ZafVtList *list)
{
    std::vector<ZafWindowObject *> selected;
    for (ZafElement *e = list->First(); e; e = e->Next())
        if (static_cast<ZafWindowObject *>(e)->Selected())
            selected.push_back(static_cast<ZafWindowObject *>(e));
    return selected;
}

} // namespace

ZafWindow *VariableListWindow::MakeDefinition()
{
    // Below the main window's bars, so that its menus stay in sight.
    auto *window = new ZafWindow(6, 6, windowWidth, windowHeight);
    window->SetStringID(windowName);
    window->AddObject(new ZafBorder());
    window->AddObject(new ZafTitle("Variables"));
    window->AddObject(Named(new ZafPrompt(1, 0, leftWidth, "Analysis"), "PR_ANALYSES"));
    ZafVtList *analyses = MakeList(1, 1, leftWidth, analysesRows, analysesName, false);
    analyses->SetSelectionMode(0);
    // Nothing is chosen until the user picks, nor after a cancelled choice.
    analyses->SetAllowEmptySelection(true);
    window->AddObject(analyses);
    window->AddObject(Named(new ZafPrompt(1, variablesTop, leftWidth, "Variables"), "PR_VARIABLES"));
    window->AddObject(
        MakeList(1, variablesTop + 1, leftWidth, buttonRow - 2 - variablesTop, variablesName));
    // The slots of the prompted lists, hidden until an analysis asks for them
    // (placed as the slots of five lists; LayoutLists places those shown).
    for (int k = 0; k < maxLists; ++k) {
        ZafWindowObject *slot[] = {Named(new ZafPrompt(0, 0, listWidth, ""), Numbered(promptStem, k)),
                                   MakeButton(0, 0, 3, ">", Numbered(addStem, k), buttonAdd),
                                   MakeButton(0, 0, 3, "<", Numbered(removeStem, k), buttonRemove),
                                   MakeList(0, 0, listWidth, 2, Numbered(listStem, k))};
        PlaceSlot(slot, SlotTop(k, maxLists), SlotTop(k + 1, maxLists) - 1);
        for (ZafWindowObject *object : slot) {
            object->SetVisible(false);
            window->AddObject(object);
        }
    }
    window->AddObject(MakeButton(1, buttonRow, 12, "Run", runName, buttonRun));
    window->AddObject(MakeButton(15, buttonRow, 12, "Options...", optionsName, buttonOptions));
    window->AddObject(MakeButton(29, buttonRow, 12, "Close", closeName, buttonClose));
    return window;
}

VariableListWindow *VariableListWindow::current = nullptr;

VariableListWindow::VariableListWindow(ZafWindowPersistence &persistence, DATASET *dataSet,
                                       const RegisteredOption *registry, int count, int initial)
    : ZafWindow(windowName, persistence), dataSet(dataSet), registry(registry),
      registryCount(registry && count > 0 ? count : 0)
{
    previous = current;
    current = this;
    ProgramSettings::Instance()->SetDataSetObserver(DataSetChanged);
    dataSetGeneration = ProgramSettings::Instance()->DataSetGeneration();
    if (Error() == 0 && !FindControls())
        SetError(missingControlError);
    if (Error() != 0)
        return;
    FillVariables();
    FillAnalyses();
    if (initial >= 0)
        ChooseAnalysis(initial);
    UpdateButtons();
}

VariableListWindow::~VariableListWindow()
{
    DropOption();
    // Windows close in any order: unlink this one from the chain of open
    // windows so that the one before it becomes current again.
    if (current == this) {
        current = previous;
    } else {
        for (VariableListWindow *w = current; w; w = w->previous)
            if (w->previous == this) {
                w->previous = previous;
                break;
            }
    }
}

bool VariableListWindow::FindControls()
{
    variableList = dynamic_cast<ZafVtList *>(FindObjectByStringID(variablesName));
    analysisList = dynamic_cast<ZafVtList *>(FindObjectByStringID(analysesName));
    runButton = dynamic_cast<ZafButton *>(FindObjectByStringID(runName));
    optionsButton = dynamic_cast<ZafButton *>(FindObjectByStringID(optionsName));
    closeButton = dynamic_cast<ZafButton *>(FindObjectByStringID(closeName));
    bool found = variableList && analysisList && runButton && optionsButton && closeButton;
    for (int k = 0; k < maxLists && found; ++k) {
        PromptedList list;
        list.prompt = dynamic_cast<ZafPrompt *>(FindObjectByStringID(Numbered(promptStem, k).c_str()));
        list.add = dynamic_cast<ZafButton *>(FindObjectByStringID(Numbered(addStem, k).c_str()));
        list.remove = dynamic_cast<ZafButton *>(FindObjectByStringID(Numbered(removeStem, k).c_str()));
        list.entries = dynamic_cast<ZafVtList *>(FindObjectByStringID(Numbered(listStem, k).c_str()));
        found = list.prompt && list.add && list.remove && list.entries;
        slots.push_back(list);
    }
    if (!found)
        return false;
    for (ZafButton *button : {runButton, optionsButton, closeButton})
        BindButton(button);
    for (PromptedList &slot : slots)
        for (ZafButton *button : {slot.add, slot.remove})
            BindButton(button);
    return true;
}

std::vector<ZafWindowObject *> VariableListWindow::PromptedList::Controls() const
{
    return {prompt, add, remove, entries};
}

void VariableListWindow::BindButton(ZafButton *button)
{
    button->SetUserObject(this);
    button->SetUserFunction(ButtonPressed);
}

void VariableListWindow::FillVariables()
{
    if (!dataSet || !dataSet->IsOpen())
        return;
    const long count = dataSet->GetVariableCount();
    for (long number = 1; number <= count; ++number) {
        char caption[256];
        dataSet->GetVariableCaption(number, caption, sizeof caption);
        auto *entry = new ZafButton(0, 0, leftWidth, 1, caption);
        entry->SetValue(number);
        entry->SetUserObject(this);
        entry->SetUserFunction(EntryDoubleClicked);
        variableList->AddObject(entry);
    }
}

void VariableListWindow::FillAnalyses()
{
    for (int i = 0; i < registryCount; ++i) {
        const RegisteredOption &analysis = registry[i];
        if (!analysis.factory)
            continue;
        auto *entry = new ZafButton(0, 0, rightWidth, 1, analysis.text ? analysis.text : "");
        entry->SetValue(i);
        entry->SetUserObject(this);
        entry->SetUserFunction(AnalysisChosen);
        analysisList->AddObject(entry);
    }
}

// --- Analysis and lists ------------------------------------------------------------

bool VariableListWindow::ChooseAnalysis(int index)
{
    if (index < 0 || index >= registryCount || !registry[index].factory)
        return false;
    // The analysis chosen before, its record and its lists stay until the
    // new one has its answers: a cancelled pre-option window leaves them.
    StatOption *record = registry[index].factory();
    bool asked = false;
    if (record) {
        ZafTracker self(this);
        const bool accepted = AskPreOptions(record, asked);
        if (self.Deleted()) {
            DeleteOptionRecord(record);
            return false;
        }
        if (!accepted) {
            DeleteOptionRecord(record);
            ShowChoice();
            return false;
        }
    }
    DropOption();
    DropLists();
    chosen = index;
    chosenAsksFirst = asked;
    option = record;
    if (option) {
        option->variableListWord = 1;
        // The record's prompts come to this window even when another one was
        // made after it.
        VariableListWindow *before = current;
        current = this;
        option->SetVariablePrompts(this);
        current = before;
    }
    ShowChoice();
    return option != nullptr;
}

void VariableListWindow::ShowChoice()
{
    for (ZafElement *e = analysisList->First(); e; e = e->Next()) {
        auto *entry = static_cast<ZafButton *>(e);
        if ((entry->Value() == chosen) != entry->Selected())
            entry->SetSelected(entry->Value() == chosen);
    }
    // A single-selection list passes a deselection on to its list box only
    // as the next selection; with nothing chosen the box is cleared here.
    if (chosen < 0 && analysisList->OSHandle())
        SendMessageA(analysisList->OSHandle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    UpdateButtons();
}

void VariableListWindow::DataSetChanged()
{
    DATASET *now = ProgramSettings::Instance()->GetDataSet(0);
    std::vector<VariableListWindow *> open;
    for (VariableListWindow *w = current; w; w = w->previous)
        open.push_back(w);
    for (VariableListWindow *w : open)
        if (w->Error() == 0)
            w->FollowDataSet(now);
}

void VariableListWindow::FollowDataSet(DATASET *newDataSet)
{
    dataSet = newDataSet;
    dataSetGeneration = ProgramSettings::Instance()->DataSetGeneration();
    variableList->DestroyChildren();
    FillVariables();
    const int again = option && !chosenAsksFirst ? chosen : -1;
    DropOption();
    DropLists();
    chosen = -1;
    if (again >= 0 && ChooseAnalysis(again))
        return;
    ShowChoice();
}

bool VariableListWindow::SelectionsFitDataSet() const
{
    if (!dataSet || !dataSet->IsOpen() || dataSetGeneration != ProgramSettings::Instance()->DataSetGeneration())
        return false;
    const long count = dataSet->GetVariableCount();
    for (int k = 0; k < listsShown; ++k)
        for (long number : ListVariables(k))
            if (number < 1 || number > count)
                return false;
    return true;
}

bool VariableListWindow::AskPreOptions(StatOption *record, bool &asked)
{
    ZafWindow *pre = record->PreOptionWindow();
    if (!pre)
        return true;
    asked = true;
    auto *dialog = dynamic_cast<ZafDialogWindow *>(pre);
    AssumeError(dialog != nullptr, __FILE__, __LINE__, "A pre-option window must be a dialog.");
    record->preOptionWindow = pre;
    ZafTracker self(this), preTracker(pre);
    const ZafEventType answer = dialog ? dialog->Control() : ZAF_DIALOG_CANCEL;
    // A dialog that deleted itself in its loop ended as cancel.
    ZafWindow *left = preTracker.Get<ZafWindow>();
    if (answer == ZAF_DIALOG_OK && left && !self.Deleted()) {
        // The record keeps the window: its run reads what the user entered.
        record->TakeFromWindow();
        return true;
    }
    record->preOptionWindow = nullptr;
    delete left;
    return false;
}

bool VariableListWindow::AddList(const char *text, int required, int value)
{
    if (ListCount() >= maxLists || static_cast<int>(slots.size()) < maxLists)
        return false;
    PromptedList &list = slots[static_cast<size_t>(ListCount())];
    list.required = required == 1;
    list.limit = value > 0 ? value : -1;
    list.prompt->SetText(text ? text : "");
    ++listsShown;
    LayoutLists();
    for (ZafWindowObject *object : list.Controls())
        object->SetVisible(true);
    UpdateButtons();
    return true;
}

void VariableListWindow::LayoutLists()
{
    for (int k = 0; k < listsShown; ++k) {
        const std::vector<ZafWindowObject *> controls = slots[static_cast<size_t>(k)].Controls();
        PlaceSlot(controls.data(), SlotTop(k, listsShown), SlotTop(k + 1, listsShown) - 1);
    }
    // Windowless prompts are drawn by the window: it paints them anew.
    if (HWND window = OSHandle())
        InvalidateRect(window, nullptr, TRUE);
}

void VariableListWindow::DropLists()
{
    for (int k = 0; k < listsShown; ++k) {
        PromptedList &list = slots[static_cast<size_t>(k)];
        list.entries->DestroyChildren();
        for (ZafWindowObject *object : list.Controls())
            object->SetVisible(false);
    }
    listsShown = 0;
}

void VariableListWindow::DropOption()
{
    // A record that a workbook took is the workbook's to delete.
    if (option && option->deleteAfterRun)
        DeleteOptionRecord(option);
    option = nullptr;
}

ZafVtList *VariableListWindow::ListControl(int list) const
{
    return list >= 0 && list < ListCount() ? slots[static_cast<size_t>(list)].entries : nullptr;
}

std::vector<long> VariableListWindow::ListVariables(int list) const
{
    std::vector<long> numbers;
    if (ZafVtList *entries = ListControl(list))
        for (ZafElement *e = entries->First(); e; e = e->Next())
            numbers.push_back(static_cast<ZafButton *>(e)->Value());
    return numbers;
}

int VariableListWindow::AddSelectedTo(int list)
{
    std::vector<ZafButton *> variables;
    for (ZafWindowObject *object : SelectedEntries(variableList))
        variables.push_back(static_cast<ZafButton *>(object));
    return AddVariablesTo(list, variables);
}

int VariableListWindow::AddVariablesTo(int list, const std::vector<ZafButton *> &variables)
{
    ZafVtList *entries = ListControl(list);
    if (!entries)
        return 0;
    const int limit = slots[static_cast<size_t>(list)].limit;
    std::vector<long> held = ListVariables(list);
    int added = 0;
    for (ZafButton *variable : variables) {
        if (limit > 0 && static_cast<int>(held.size()) >= limit)
            break;
        if (std::find(held.begin(), held.end(), variable->Value()) != held.end())
            continue;
        auto *entry = new ZafButton(0, 0, listWidth, 1, variable->Text());
        entry->SetValue(variable->Value());
        entry->SetUserObject(this);
        entry->SetUserFunction(EntryDoubleClicked);
        entries->AddObject(entry);
        held.push_back(variable->Value());
        ++added;
    }
    UpdateButtons();
    return added;
}

int VariableListWindow::ListTakingNext() const
{
    // A required list still empty first (the columns of a crosstab once its
    // rows hold a variable), else the first list with room.
    for (int k = 0; k < listsShown; ++k)
        if (slots[static_cast<size_t>(k)].required && !slots[static_cast<size_t>(k)].entries->First())
            return k;
    for (int k = 0; k < listsShown; ++k) {
        const PromptedList &slot = slots[static_cast<size_t>(k)];
        if (slot.limit <= 0 || slot.entries->Count() < slot.limit)
            return k;
    }
    return -1;
}

ZafEventType VariableListWindow::EntryDoubleClicked(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *window = static_cast<VariableListWindow *>(object->UserObject());
    if (code != ZAF_DOUBLE_SELECT || !window)
        return 0;
    auto *entry = static_cast<ZafButton *>(object);
    if (entry->Parent() == window->variableList) {
        // As ">" of the list that takes it, for this variable alone.
        window->AddVariablesTo(window->ListTakingNext(), {entry});
        return 0;
    }
    for (int k = 0; k < window->listsShown; ++k) {
        ZafVtList *entries = window->slots[static_cast<size_t>(k)].entries;
        if (entry->Parent() == entries) {
            delete entries->SubtractObject(entry);
            window->UpdateButtons();
            break;
        }
    }
    return 0;
}

int VariableListWindow::RemoveSelectedFrom(int list)
{
    ZafVtList *entries = ListControl(list);
    if (!entries)
        return 0;
    int removed = 0;
    for (ZafWindowObject *entry : SelectedEntries(entries)) {
        delete entries->SubtractObject(entry);
        ++removed;
    }
    UpdateButtons();
    return removed;
}

VarSelection *VariableListWindow::Selection(int list) const
{
    if (!ListControl(list))
        return nullptr;
    const std::vector<long> numbers = ListVariables(list);
    auto *selection = new (std::nothrow) VarSelection;
    if (!selection)
        return nullptr;
    const size_t count = numbers.size();
    selection->variables = new (std::nothrow) long[count ? count : 1];
    selection->valueLists = new (std::nothrow) LISTETYPE *[count ? count : 1]();
    if (!selection->variables || !selection->valueLists) {
        VarSelection::Free(selection);
        return nullptr;
    }
    for (size_t i = 0; i < count; ++i)
        selection->variables[i] = numbers[i];
    selection->count = static_cast<int>(count);
    return selection;
}

// --- Buttons -----------------------------------------------------------------------

bool VariableListWindow::CanRun() const
{
    if (!option)
        return false;
    for (int k = 0; k < listsShown; ++k)
        if (slots[static_cast<size_t>(k)].required && !slots[static_cast<size_t>(k)].entries->First())
            return false;
    return true;
}

void VariableListWindow::UpdateButtons()
{
    if (!runButton)
        return;
    const bool run = CanRun();
    if (runButton->Disabled() == run)
        runButton->SetDisabled(!run);
    const bool options = option && option->optionsBeforeRun && option->HasOptions();
    if (optionsButton->Disabled() == options)
        optionsButton->SetDisabled(!options);
}

bool VariableListWindow::Run()
{
    if (!CanRun())
        return false;
    if (!SelectionsFitDataSet()) {
        ZafErrorSystem errors;
        errors.ReportError(this, "Error", MB_OK | MB_ICONEXCLAMATION, "%s", staleSelectionText);
        return false;
    }
    ZafTracker self(this);
    StatOption *record = option;
    runCancelled = false;
    // The questions and messages of the run belong to this window: owned by
    // it and centred on it, whatever window is active meanwhile.
    void *previousOwner = SetMessageDialogOwner(OSHandle(2));
    const bool ran = record->Run();
    SetMessageDialogOwner(previousOwner);
    const bool cancelled = !ran && runCancelled;
    runCancelled = false;
    // A run that built a workbook and never showed it failed half-way:
    // what it built goes, and the record comes back to this window.
    const bool leftUnshown = WorkBook::DeleteUnshownBooks(self.Deleted() ? nullptr : record) > 0;
    const bool succeeded = ran && !leftUnshown;
    if (self.Deleted())
        return succeeded;
    if (!succeeded && !cancelled) {
        ZafErrorSystem errors;
        errors.ReportError(this, "Error", MB_OK | MB_ICONEXCLAMATION, "%s", runFailedText);
    }
    // After a run that succeeded the record may be a workbook's: the next
    // run needs a record of its own, with the answers of its pre-option
    // window. A failed run leaves the record here, with the settings the
    // user made.
    if (succeeded && !record->deleteAfterRun) {
        option = registry[chosen].factory();
        if (option) {
            option->TakePreOptionAnswers(*record);
            option->variableListWord = 1;
        }
    }
    UpdateButtons();
    return succeeded;
}

void VariableListWindow::OpenOptions()
{
    if (option && option->optionsBeforeRun && option->HasOptions())
        RunOptionFrame(option);
}

ZafEventType VariableListWindow::Event(const ZafEventRecord &event)
{
    const ZafEventType code = ZafWindow::Event(event);
    // Escape closes the window as its Close button does, unless the control
    // with the focus took the key.
    // A key that reaches it while a dialog runs over it is the dialog's.
    if (event.type == ZAF_KEY_EVENT && code == ZAF_UNKNOWN && event.osEvent.message == WM_KEYDOWN &&
        event.key.value == VK_ESCAPE && !SourceWantsKey(event) && zafWindowManager && Parent() == zafWindowManager &&
        !ZafDialogWindow::ModalWindow() && OSHandle() && IsWindowEnabled(OSHandle())) {
        // Queued, as the title bar's close is: the key's handlers are still
        // on the stack.
        ZafEventRecord close(ZAF_CLOSE, this);
        if (!zafEventManager || !zafEventManager->Put(close, ZAF_QUEUE_TAIL))
            zafWindowManager->CloseWindow(this);
        return ZAF_CLOSE;
    }
    return code;
}

int VariableListWindow::ListOfButton(const ZafWindowObject *button) const
{
    for (int k = 0; k < listsShown; ++k)
        if (slots[static_cast<size_t>(k)].add == button || slots[static_cast<size_t>(k)].remove == button)
            return k;
    return -1;
}

ZafEventType VariableListWindow::AnalysisChosen(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *window = static_cast<VariableListWindow *>(object->UserObject());
    auto *entry = static_cast<ZafButton *>(object);
    if (code == ZAF_SELECT && window && entry->Selected() && entry->Value() != window->chosen)
        window->ChooseAnalysis(entry->Value());
    return 0;
}

ZafEventType VariableListWindow::ButtonPressed(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *window = static_cast<VariableListWindow *>(object->UserObject());
    if (code != ZAF_SELECT || !window)
        return 0;
    switch (static_cast<ZafButton *>(object)->Value()) {
    case buttonRun:
        window->Run();
        break;
    case buttonOptions:
        window->OpenOptions();
        break;
    case buttonClose:
        zafWindowManager->CloseWindow(window);
        break;
    case buttonAdd:
        window->AddSelectedTo(window->ListOfButton(object));
        break;
    case buttonRemove:
        window->RemoveSelectedFrom(window->ListOfButton(object));
        break;
    default:
        break;
    }
    return 0;
}
