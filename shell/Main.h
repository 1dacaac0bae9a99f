// Main: the program's start-up and end, called by the class library's entry
// with the application object.
//
// Start-up as far as it is built: the switch "/RegServer" ends the program
// at once and "/ns" suppresses the start window (switches compare without
// case); the UI data file "MERVALO.ZNC" is opened read-only in the program's
// directory with the object persistence of the program's tables
// (userPersist), and when it is missing (or holds no readable main window)
// the program shows "mervalo.znc could not be found." titled "Error" and
// ends; the main window is built from the UI object "MAINWINDOW" and given
// to the window manager, which owns it; the data set named by the other
// arguments is opened as the current one (a failure is reported and the
// program goes on without it); the event loop runs; the global objects and
// the data set are closed when it ends. Failed checks of the data-set layer
// are shown through the error system. Main answers the program's exit code
// (0, or 1 when the program could not start).
#pragma once

#include <string>

class ZafApplication;
class ZafObjectPersistence;
class ZafStorage;

// The program's UI data file and the persistence every window of the
// program reads itself through; made by Main, deleted when the loop ends
// (null before and after).
extern ZafStorage *uiStorage;
extern ZafObjectPersistence *userPersist;

int Main(ZafApplication &application);

// The parts of the command line that Main reads.
struct MainSwitches
{
    bool registerServer = false; // "/RegServer": end at once
    bool noStartWindow = false;  // "/ns"
    std::string dataSetName;     // the other arguments, joined by blanks
};
MainSwitches ReadMainSwitches(const ZafApplication &application);
// The UI data file's path: the program's directory and "MERVALO.ZNC".
std::string UIDataFilePath(const ZafApplication &application);
// Opens the UI data file and makes userPersist over it; false (nothing
// kept) when the file is missing or not a UI data file.
bool OpenUIDataFile(const ZafApplication &application);
// Opens the named data set as the program's current one; false when no name
// is given or the data set cannot be opened (reported, titled "Error").
bool OpenStartDataSet(const std::string &name);
