// StatOption: the settings record of an analysis, with the operations the
// variable-list window, the option frame and the workbook call, in this
// order: destructor, PreOptionWindow, CreateOptionWindow, ListText,
// SetVariablePrompts, ToWindow, FromWindow, Run, SaveSettings, LoadSettings,
// TakeFromWindow, Assign. The base does nothing in each (no windows, Run
// false). RegisteredOption is one entry of the analysis registry.
//
// Ownership: the record owns its name text; the option and pre-option
// windows belong to the option frame and the variable-list window. The
// variable-list window owns the record until a workbook takes it (which
// clears the delete-after-run flag).
#ifndef STATS_STATOPTION_H
#define STATS_STATOPTION_H

class ZafWindow;

class StatOption
{
public:
    StatOption();
    virtual ~StatOption();
    StatOption(const StatOption &) = delete;
    StatOption &operator=(const StatOption &) = delete;

    virtual ZafWindow *PreOptionWindow();
    virtual ZafWindow *CreateOptionWindow();
    virtual const char *ListText();
    virtual void SetVariablePrompts(ZafWindow *variableList);
    virtual void ToWindow();
    virtual void FromWindow();
    virtual bool Run();
    // Writes the record's settings to the settings store (RegistrySettings),
    // where LoadSettings finds them in later runs: what "Keep these
    // settings" in the option frame promises.
    virtual void SaveSettings();
    // Flag 0 sets the defaults only, else the defaults and then the settings.
    virtual void LoadSettings(int flag);
    virtual void TakeFromWindow();
    // Takes the settings that another record of the same analysis shows
    // (the base takes none).
    virtual void TakeFromWindow(const StatOption &other);
    virtual void Assign(const StatOption &other);
    // Takes what the user answered in the pre-option window of the record
    // made for the run before (a record of the same class): the variable
    // list gives a new record the earlier answers instead of asking again.
    // The base takes nothing.
    virtual void TakePreOptionAnswers(const StatOption &before);
    // False for a record whose option window holds nothing to set: the
    // buttons that would open it are greyed. True in the base.
    virtual bool HasOptions() const { return true; }

    // Keeps a copy of the name (null clears it).
    void SetName(const char *name);
    const char *GetName() const { return name ? name : ""; }

    long parameterWord = 0;    // the table records' column width
    long variableListWord = 0; // non-zero when the variable list started the record
    ZafWindow *optionWindow = nullptr;
    ZafWindow *preOptionWindow = nullptr;
    int optionsBeforeRun = 1;
    int deleteAfterRun = 1;
    int changed = 0;
    // Non-zero while the record's settings are the kept ones: loaded from
    // the settings store, or kept there on OK ("Keep these settings").
    int settingsKept = 0;

private:
    char *name = nullptr;
};

typedef StatOption *(*StatOptionFactory)();

struct RegisteredOption
{
    const char *text;
    int menuId;
    int enabled;
    StatOptionFactory factory;
    int menuGroup;        // 1 to 4
    const char *helpName; // such as "USE_ONEWAY_FREQ"
};

#endif
