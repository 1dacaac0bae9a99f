// VariableListWindow: where the user picks an analysis and its variables.
//
// The window shows the open data set's variables (one row each, in data-set
// order, "name: label"), the analyses of the registry that have a factory,
// and up to five prompted lists that the chosen analysis asks for. Choosing
// an analysis calls its factory (which makes the option record with its
// settings loaded), shows the record's pre-option window when it has one
// (a dialog, run modally: on OK
// the record takes its values with StatOption::TakeFromWindow, on cancel the
// new record is dropped and the analysis chosen before stays, with its
// lists), drops the lists of the previous record and lets the new record
// put its prompts in
// (StatOption::SetVariablePrompts, which calls PassTextToVariableList once a
// list); the lists shown share the window's right side. The ">" button of a
// list adds the variables selected on the left, "<" takes its selected rows
// out again; a double click on a variable puts it into the list that takes
// it next (ListTakingNext), one on a list's entry takes it out. The lists of
// variables scroll across, so that a long label is read whole.
// The run button is enabled only while a record is chosen and every list
// whose required flag is 1 holds a variable; it calls StatOption::Run. The
// options button opens the option frame on the record, and is disabled
// while the record's optionsBeforeRun is 0 or it has no options
// (StatOption::HasOptions). Escape closes the window, as Close does.
//
// Lists are numbered from 0 in prompt order: the k-th prompt is list k - 1
// in GetSelectedVariables, for every analysis.
//
// A run that fails says so ("The analysis could not be run."). A run that
// built a workbook but never showed it counts as failed: the workbooks it
// left unshown are deleted, the record given back to this window first
// (WorkBook::DeleteUnshownBooks), so the user's settings stay for the next
// try. After a run that succeeded with the record taken into a workbook
// (deleteAfterRun cleared), the window makes a new record from the same
// factory. The window stays open after a run.
//
// The window follows the current data set (ProgramSettings): when another
// one is made current or it is closed, the variable list shows the new
// one's variables, the prompted lists are emptied and the analysis is
// chosen again (an analysis that asked questions before, in its pre-option
// window, is unchosen instead: its answers may not fit the new data set). A
// run whose lists name variables that the open data set does not have, or
// that were chosen on another data set, is refused with a message
// (staleSelectionText).
//
// The window is read by name from the UI data file (VARIABLE_LIST_WINDOW,
// defined by MakeDefinition), with five slots of prompted lists that stay
// hidden until an analysis asks for them. A window that could not be read,
// or lacks one of its controls, has a non-zero Error() and must not be
// shown.
//
// Ownership: the window owns its controls and the chosen record until a
// workbook takes it; it does not own the data set or the registry (both
// must outlive it). The window manager (or an MDI frame) owns the window.
// The most recently made window that still exists is "the open variable-
// list window" that the free functions below work on.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <vector>

class DATASET;
class LISTETYPE;
class StatOption;
class ZafButton;
class ZafPrompt;
class ZafVtList;
class ZafWindowPersistence;
struct RegisteredOption;

// The variables of one prompted list, in the order they were added.
struct VarSelection
{
    int count = 0;
    long *variables = nullptr;        // variable numbers, from 1
    LISTETYPE **valueLists = nullptr; // one slot a variable, null until the caller fills it

    // Frees the selection and every value list still in its slots; null is
    // allowed.
    static void Free(VarSelection *selection);
};

// The selection of list `list` (0 = the first prompt) of the open
// variable-list window, or null when there is no such window or list (or
// memory runs out). The caller frees it with VarSelection::Free.
VarSelection *GetSelectedVariables(int list);

// Adds one prompted list to the open variable-list window: its prompt text,
// whether it must hold a variable before a run (1) or not (0), and the
// largest number of variables it takes (-1 or 0: no limit). False when
// there is no window or it already has five lists.
bool PassTextToVariableList(const char *text, int required, int value);

class VariableListWindow : public ZafWindow
{
public:
    static constexpr int maxLists = 5;
    // The message shown when a run fails.
    static constexpr const char *runFailedText = "The analysis could not be run.";
    // Said by an analysis whose user abandoned its run in a dialog (such as
    // the grouping offer) before its Run answers false: the window then
    // ends the run quietly instead of reporting a failure.
    static void NoteRunCancelled() { runCancelled = true; }
    // The message shown when a run would read variables of another data set.
    static constexpr const char *staleSelectionText =
        "The chosen variables are not those of the open data set: choose them again from the list.";
    // The message shown when the window cannot be read.
    static constexpr const char *missingWindowText = "The variable list could not be read from mervalo.znc.";
    // Error() of a window read without one of its controls.
    static constexpr int missingControlError = 2;

    // String ids of the controls (tests and the UI find them by these).
    static constexpr const char *windowName = "VARIABLE_LIST_WINDOW";
    static constexpr const char *variablesName = "LB_VARIABLES";
    static constexpr const char *analysesName = "LB_ANALYSES";
    static constexpr const char *runName = "BT_RUN";
    static constexpr const char *optionsName = "BT_OPTIONS";
    static constexpr const char *closeName = "BT_CLOSE";
    // Stems of the prompted lists' controls, followed by the list's number
    // from 0: the prompt, the ">" and "<" buttons and the list.
    static constexpr const char *promptStem = "PR_LIST";
    static constexpr const char *addStem = "BT_ADD";
    static constexpr const char *removeStem = "BT_REMOVE";
    static constexpr const char *listStem = "LB_LIST";

    // The window as the UI data file holds it (the caller owns it).
    static ZafWindow *MakeDefinition();

    // Reads the window through the persistence; dataSet: the data set whose
    // variables are shown (null: none); registry: `count` entries;
    // `initial`: the entry chosen at once (-1 none).
    VariableListWindow(ZafWindowPersistence &persistence, DATASET *dataSet, const RegisteredOption *registry, int count,
                       int initial = -1);
    ~VariableListWindow() override;

    // The open variable-list window, or null.
    static VariableListWindow *Current() { return current; }

    // Chooses the registry entry (an index into the registry): makes its
    // record and its prompted lists. False when it has no factory or the
    // factory made nothing.
    bool ChooseAnalysis(int index);
    StatOption *Option() const { return option; }
    // The registry entry chosen (-1 none).
    int Chosen() const { return chosen; }
    // The data set whose variables the window shows (null: none).
    DATASET *DataSet() const { return dataSet; }
    // Shows the variables of another data set (null: none), as described
    // above for a change of the current data set.
    void FollowDataSet(DATASET *newDataSet);
    // True when every prompted list names variables of the data set the
    // window shows, and that is still the data set it was shown with.
    bool SelectionsFitDataSet() const;

    // One prompted list more (see PassTextToVariableList).
    bool AddList(const char *text, int required, int value);
    int ListCount() const { return listsShown; }
    // Adds the variables selected in the variable list to list `list`
    // (skipping those it holds already and those past its limit); answers
    // how many were added.
    int AddSelectedTo(int list);
    // The list a double-clicked variable goes into: the first required list
    // that is empty, else the first that takes one more; -1 when none.
    int ListTakingNext() const;
    // Takes the selected rows out of list `list`; answers how many.
    int RemoveSelectedFrom(int list);
    // The variable numbers list `list` holds, in order.
    std::vector<long> ListVariables(int list) const;
    // A new selection of list `list`, or null (see GetSelectedVariables).
    VarSelection *Selection(int list) const;

    // True when a record is chosen and every required list holds a variable;
    // the run button follows it.
    bool CanRun() const;
    // The run button: runs the record (see above); true when the run
    // succeeded.
    bool Run();
    // The options button: the record's option frame, run modally.
    void OpenOptions();

    // Escape closes the window as its Close button does.
    ZafEventType Event(const ZafEventRecord &event) override;

    ZafButton *RunButton() const { return runButton; }
    ZafButton *OptionsButton() const { return optionsButton; }
    ZafVtList *VariableList() const { return variableList; }
    ZafVtList *AnalysisList() const { return analysisList; }
    // The list control of list `list`, or null.
    ZafVtList *ListControl(int list) const;

private:
    struct PromptedList
    {
        ZafPrompt *prompt = nullptr;
        ZafButton *add = nullptr;
        ZafButton *remove = nullptr;
        ZafVtList *entries = nullptr;
        int required = 0;
        int limit = -1;
        // The four controls, shown and hidden together.
        std::vector<ZafWindowObject *> Controls() const;
    };

    // Finds the controls read from the file and binds the buttons; false
    // when one is missing.
    bool FindControls();
    void BindButton(ZafButton *button);
    void FillVariables();
    void FillAnalyses();
    void DropLists();
    void DropOption();
    // Marks the chosen analysis in the analysis list and updates the
    // buttons.
    void ShowChoice();
    // What ProgramSettings calls when the current data set changes: every
    // open window follows it.
    static void DataSetChanged();
    // Runs the record's pre-option window, if any (asked is set then);
    // false when cancelled.
    bool AskPreOptions(StatOption *record, bool &asked);
    // Places the prompted lists shown: they share the right side's rows.
    void LayoutLists();
    // The variable entries (variable-list rows) into list `list`.
    int AddVariablesTo(int list, const std::vector<ZafButton *> &variables);
    // Enables the run and options buttons as the record and lists allow.
    void UpdateButtons();
    int ListOfButton(const ZafWindowObject *button) const;

    static ZafEventType AnalysisChosen(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    static ZafEventType ButtonPressed(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    // A double click on a variable puts it into ListTakingNext; one on an
    // entry of a prompted list takes it out.
    static ZafEventType EntryDoubleClicked(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);

    static VariableListWindow *current;
    static inline bool runCancelled = false;
    VariableListWindow *previous = nullptr; // the window that was current before this one

    DATASET *dataSet;
    unsigned long dataSetGeneration = 0; // ProgramSettings::DataSetGeneration when shown
    const RegisteredOption *registry;
    int registryCount;
    int chosen = -1;
    bool chosenAsksFirst = false; // the chosen analysis showed a pre-option window
    StatOption *option = nullptr;
    std::vector<PromptedList> slots; // the five slots, read from the file
    int listsShown = 0;              // the slots in use, from the first
    ZafVtList *variableList = nullptr;
    ZafVtList *analysisList = nullptr;
    ZafButton *runButton = nullptr;
    ZafButton *optionsButton = nullptr;
    ZafButton *closeButton = nullptr;
};
