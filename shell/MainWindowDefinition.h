// MainWindowDefinition: the program's main window as the UI data file
// holds it, the MDI frame "MAINWINDOW" that Main reads at start-up. The
// definition is built in code here, where the window belongs, and written
// into MERVALO.ZNC by the UI data file generator (ui/).
//
// The frame is destroyable (closing it ends the program: the window manager
// deletes it and the event loop ends with no window left), movable and
// sizeable; its region is in cells. Its frame has a border, maximize and
// minimize boxes, the Windows system menu and its caption. Its menu bar:
//   File: open a data set, the variable list, Exit;
//   Analyses: empty here; the main window fills it from the analysis
//     registry at start-up (its items come and go with the analyses built);
//   Graphs: the graph mouse modes (zoom, text, move) and the map-identify
//     switch, which send the main window's events 12000, 12500, 12011 and
//     12002;
//   Window: tile, cascade and arrange the workbooks (MDI documents), and
//     the list of the open workbooks, which Windows keeps below them.
// The tool bar holds buttons for opening a data set and for the three graph
// mouse modes (the same events as the Graphs menu). The status bar holds the message field and two status fields (the
// data set's name and its size). Every entry is found by its name; the program gives it its handler (and, where the
// language file has one, its text).
#pragma once

class ZafMDIWindow;

// The name the program reads the main window by, and its caption.
constexpr const char *mainWindowName = "MAINWINDOW";
constexpr const char *mainWindowTitle = "Mervalo";

// Names of the entries defined here.
constexpr const char *fileMenuName = "FILE_MENU";
constexpr const char *openItemName = "FILE_OPEN";
constexpr const char *variablesItemName = "FILE_VARIABLES";
constexpr const char *exitItemName = "FILE_EXIT";
constexpr const char *analysisMenuName = "MM_ANALYSES";
constexpr const char *graphMenuName = "MM_GRAPHS";
constexpr const char *zoomItemName = "MM_ZOOM";
constexpr const char *textItemName = "MM_TEXT";
constexpr const char *moveItemName = "MM_MOVE";
constexpr const char *identifyItemName = "MM_IDENTIFY";
constexpr const char *windowMenuName = "MM_WINDOW";
constexpr const char *tileItemName = "MM_TILE";
constexpr const char *cascadeItemName = "MM_CASCADE";
constexpr const char *arrangeItemName = "MM_ARRANGE";
constexpr const char *toolBarName = "TOOLBAR";
constexpr const char *openToolName = "TB_OPEN";
constexpr const char *zoomToolName = "TB_ZOOM";
constexpr const char *textToolName = "TB_TEXT";
constexpr const char *moveToolName = "TB_MOVE";
constexpr const char *statusBarName = "STATUSBAR";
constexpr const char *statusTextName = "STATUS_TEXT";
constexpr const char *statusDataSetName = "STATUS_DATASET";
constexpr const char *statusCasesName = "STATUS_CASES";

// Command ids of the entries. The analysis items the main window adds take
// analysisItemFirstID + their registry menu id.
enum MainMenuID : unsigned short {
    mainMenuFirstID = 1000, // the File menu
    exitItemID = 1001,      // File, Exit
    openItemID = 1002,      // File, open a data set
    variablesItemID = 1003, // File, the variable list
    analysisMenuID = 1010,  // the Analyses menu
    graphMenuID = 1020,     // the Graphs menu and its items after it
    windowMenuID = 1030,    // the Window menu
    tileItemID = 1031,      // Window, tile
    cascadeItemID = 1032,   // Window, cascade
    arrangeItemID = 1033,   // Window, arrange icons
    analysisItemFirstID = 1100,
};

// The main window's events that the Graphs menu sends.
enum MainWindowEvent : int {
    eventZoomMode = 12000,    // graph mouse mode 1, the zoom rectangle
    eventMapIdentify = 12002, // the map-identify flag
    eventMoveMode = 12011,    // graph mouse mode 3, moving elements
    eventTextMode = 12500,    // graph mouse mode 2, free texts
};

// Enters the read functions of every class the main window holds in the
// constructor table and installs the frame objects' maker (idempotent).
void RegisterMainWindowClasses();

// A new main window as defined (the caller owns it); registers the classes.
ZafMDIWindow *MakeMainWindowDefinition();
