// MainWindowDefinition: the program's main window as the UI data file
// holds it, the MDI frame "MAINWINDOW" that Main reads at start-up. The
// definition is built in code here, where the window belongs, and written
// into MERVALO.ZNC by the UI data file generator (ui/).
//
// The frame is destroyable (closing it ends the program: the window manager
// deletes it and the event loop ends with no window left), movable and
// sizeable; its region is in cells. Its frame has a border, maximize and
// minimize boxes, the Windows system menu and its caption; its
// menu bar holds a File menu with an Exit item, found by their names (the
// program gives them their texts and handlers). The tool bar and status bar
// join the definition as their classes are built.
#pragma once

class ZafMDIWindow;

// The name the program reads the main window by, and its caption.
constexpr const char *mainWindowName = "MAINWINDOW";
constexpr const char *mainWindowTitle = "Mervalo";

// Names and first command id of the menu entries defined here.
constexpr const char *fileMenuName = "FILE_MENU";
constexpr const char *exitItemName = "FILE_EXIT";
constexpr unsigned short mainMenuFirstID = 1000;

// Enters the read functions of every class the main window holds in the
// constructor table and installs the frame objects' maker (idempotent).
void RegisterMainWindowClasses();

// A new main window as defined (the caller owns it); registers the classes.
ZafMDIWindow *MakeMainWindowDefinition();
