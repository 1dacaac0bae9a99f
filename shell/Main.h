// Main: the program's start-up and end, called by the class library's entry
// with the application object.
//
// Start-up, in this order: the switch "/RegServer" ends the program at once
// and "/ns" suppresses the start window (switches compare without case);
// the start window shows; the settings are read; the UI data file
// "MERVALO.ZNC" is opened read-only in the program's directory with the
// persistence of the program's tables and named handlers (userPersist) -
// missing (or holding no readable main window), the program shows
// "mervalo.znc could not be found." titled "Error" and ends; the language
// file (the settings' language, "eng" by default, beside the program) is
// loaded - missing or unsound, the program shows "No language file (.btx)
// present. The program terminates." and ends; the analysis registry is
// built; the main window is read from "MAINWINDOW" and its menus bound; the
// start window stays until it has been up startWindowMinimumMs; the window
// manager takes the main window; the data set named by the other arguments,
// or else the one used last, opens (a failure is reported and the program
// goes on without it); the event loop runs; the global objects and the data
// set are deleted when it ends. Failed checks of the data-set layer are
// shown through the error system. Main answers the exit code (0, or 1 when
// the program could not start).
#pragma once

#include <string>

class TextCatalog;
class ZafApplication;
class ZafObjectPersistence;
class ZafStorage;

// The program's UI data file and the persistence every window of the
// program reads itself through (a UserPersist); made by Main, deleted when
// the loop ends (null before and after).
extern ZafStorage *uiStorage;
extern ZafObjectPersistence *userPersist;
// The language file's texts, for the whole program (null outside Main).
extern TextCatalog *languageCatalog;

// How long the start window stays up at least (3 seconds; tests shorten it).
extern unsigned startWindowMinimumMs;

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
// Loads the language file of the settings' language from the program's
// directory into languageCatalog; false (nothing kept) when it is missing
// or unsound.
// False when the file cannot be used; *why then holds the message for the
// user: that there is no file, or the file, line and fault of a bad one.
bool LoadLanguageFile(const ZafApplication &application, std::string *why = nullptr);
