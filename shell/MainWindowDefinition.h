// MainWindowDefinition: the program's main window as the UI data file
// holds it, the MDI frame "MAINWINDOW" that Main reads at start-up. The
// definition is built in code here, where the window belongs, and written
// into MERVALO.ZNC by the UI data file generator (ui/).
//
// The frame is destroyable (closing it ends the program: the window manager
// deletes it and the event loop ends with no window left), movable and
// sizeable; its region is in cells. The menus, tool bar and status bar join
// the definition as their classes are built.
#pragma once

class ZafMDIWindow;

// The name the program reads the main window by.
constexpr const char *mainWindowName = "MAINWINDOW";

// A new main window as defined (the caller owns it).
ZafMDIWindow *MakeMainWindowDefinition();
