// QIVprog: the program's main window, the MDI frame read from the UI object
// "MAINWINDOW" (see MainWindowDefinition). Main makes it, binds its menus
// (BindMenus) and hands it to the window manager, which owns and deletes it.
// It is the window manager's main window: closing it (title bar, Alt+F4,
// File, Exit) closes every other window too and ends the program. There is
// one at a time (Instance).
//
// It keeps the program-wide graph state that every graph window reads: the
// mouse mode and the map-identify flag, set by its events 12000, 12500,
// 12011 and 12002. It opens data sets (OpenDataset), keeps the status bar
// (SetStatusBarText, SetStatusFieldsVisible) and hands out the program's
// printer (GetPrinter: the system's default printer, set up when the main
// window is made; none without a printer). Completed workbooks become its
// MDI documents, listed in its Window menu; File, "Variables..." opens the
// variable list with no analysis chosen. While it exists, asking the
// settings for the data set when none is open (ProgramSettings::GetDataSet(1))
// shows the open dialog.
#pragma once

#include "zaf/core/ZafMDIWindow.h"

#include <functional>
#include <set>
#include <string>

class DATASET;
class QivPrinter;
class ZafPullDownItem;
struct RegisteredOption;
struct SettingsSection;

// Graph mouse mode, one value for the whole program: 0 plain, 1 zoom
// rectangle, 2 text, 3 move (the start value).
extern int GraphMouseMode;
// Set by the main window's event 12002, toggled by the map workbook; the map
// graph reads it.
extern int MapIdentifyFlag;
// Counts the user's choices of a mouse mode or of identifying; a graph
// window's own tool (the map's zoom or identify tool) lapses when the user
// chooses again after it was taken.
extern int GraphModeChoices;
// The user's choice: mode 1 zoom, 2 text or 3 move (identifying ends), or
// identifyChoice (the map-identify flag set). Counted in GraphModeChoices.
constexpr int identifyChoice = -1;
void ChooseGraphMouseMode(int mode);
// Sets the map-identify flag from a workbook (its identify button): no
// choice of a mouse mode, so no window's own tool lapses. The main
// window's marks follow.
void SetMapIdentifyFlag(int flag);
// Called after every change of the mouse mode or of the map-identify flag,
// so that the graph windows and workbooks show the change at once. The key
// names the listener for its removal; a listener may remove itself.
void AddGraphModeListener(const void *key, std::function<void()> listener);
void RemoveGraphModeListener(const void *key);

class QIVprog : public ZafMDIWindow
{
public:
    // What picking an analysis in the Analyses menu does: open the variable-
    // list window for the registry entry. The variable-list window installs
    // it; until then the analysis items do nothing.
    using AnalysisHandler = void (*)(const RegisteredOption &option);
    // Frees the installed printer at the end of the program.
    using PrinterRelease = void (*)(QivPrinter *printer);

    QIVprog(const char *name, ZafWindowPersistence &persistence);
    ~QIVprog() override;

    // The main window, or null when there is none.
    static QIVprog *Instance() { return instance; }

    // Enters the program's named handlers in the persistence tables:
    // "EvCmList" and "EvCmMap", which start the case list and the region
    // map on selection, and the handlers of the main window's own menus.
    static void RegisterUserFunctions();

    // Gives each menu entry its handler and builds the Analyses menu from
    // RegisteredOptionsList in its order, a separator between groups, with
    // only the analyses this build has; an empty Analyses menu is removed.
    // Called before the window is shown.
    void BindMenus();

    ZafEventType Event(const ZafEventRecord &event) override;

    // Opens a data set as the current one: the named one, or (null) the one
    // chosen in the open dialog. The old one is closed only when the new one
    // has opened (and kept open for the workbooks that still read it; one
    // of those opened again is made current as it is); a failure is
    // reported (titled "Error") and the old one stays. Once a second data
    // set has opened, workbooks name their data set in their captions. The opened set is remembered as the last one used. When the
    // opening finished or undid an interrupted save, the data layer's text
    // saying which is shown. False when nothing was opened.
    bool OpenDataset(const char *name);
    // The data set opened last ("" for none), from the settings.
    static std::string LastDataset();
    // The settings section that remembers it ("Datasets"; null restores
    // that). Tests that run beside the program give a section of their own,
    // so that neither overwrites what the other remembers.
    static void SetLastDatasetSection(const SettingsSection *section);

    // Enables "MM_MAP" while the current data set has a map file, and fills
    // the status fields with the data set's name and size.
    void ShowDataSetState();

    // By default an analysis item opens the variable-list window on it.
    // Answers the handler in force before (null: none).
    static AnalysisHandler SetAnalysisHandler(AnalysisHandler handler);
    // The application printer; null until one is installed. The installer
    // (the printing side, which owns the printer's class) gives the function
    // that frees it when the main window goes.
    static QivPrinter *GetPrinter();
    static void SetPrinter(QivPrinter *printer, PrinterRelease release);

    // Checks the Graphs menu's item of the mouse mode in force, and the
    // map-identify item while the flag is set; the tool bar's button of the
    // mode stays pressed in.
    void ShowGraphMouseMode();
    // Sets the program-wide mouse mode (or the map-identify flag) as the
    // main window's event says: eventZoomMode, eventTextMode, eventMoveMode
    // or eventMapIdentify (other values change nothing); a mode ends
    // identifying. The Graphs menu and the tool bar call it directly, so
    // that it works whatever window is in front.
    void SetGraphMode(int event);

private:
    // Reads the map directory of a data set that has a map file; a map file
    // that cannot be read is said in the status bar.
    void ReadMapDirectoryOf(DATASET *dataSet);
    // Remembers a data set that became current: the last one used, the
    // status fields, and the workbooks' captions once a second one opened.
    void NoteDataSetOpened(DATASET *dataSet);
    void BuildAnalysisMenu(ZafPullDownItem &analyses);

    std::set<std::string> openedDataSets; // paths in upper case

    static QIVprog *instance;
};

// Shows a text in the main window's status bar (null: empty).
void SetStatusBarText(const char *text);
// Hides (1) or shows (0) the main window's status fields during a long build.
void SetStatusFieldsVisible(int flag);
