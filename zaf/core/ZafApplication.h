// ZafApplication: the program's application object, the program entry that
// builds it, and the application globals.
//
// The entry (ZafWinMain, called by the program's WinMain) returns at once
// when Windows passes a previous-instance handle; otherwise it registers the
// window classes "ZafWindow", "ZafMDIFrame" and "ZafMDIChild", initialises
// the common controls, loads "ctl3d32.dll" when the system has it, splits
// the command line, builds the application and calls the program's Main
// with it. Main's answer is the program's exit code.
//
// Start-up order of the application: the data manager, the language and
// locale (InitializeI18n with no name), the screen display, the global
// search path (from the program path), the storage "i18n.znc" with its data
// persistence, ResetI18n with no name; then the event manager and the window
// manager. The data manager, i18n, search path and storage belong to the
// data layer (zaf/data), which zaf/core cannot call: it installs its steps
// with SetStartupSteps before the application is built. A step not
// installed is skipped. The destructor deletes the window manager (and with
// it every window left), the event manager and the screen display, then
// runs the data layer's static clean-ups with flag 1.
//
// Ownership: the program's entry owns the application; the application owns
// the screen display, event manager and window manager, whose globals
// (zafScreenDisplay, zafEventManager, zafWindowManager) are null before and
// after it lives. Arguments are numbered from 0 (the program path).
#pragma once

#include "zaf/core/ZafEventCodes.h"

#include <windows.h>

#include <string>
#include <vector>

class ZafApplication;
class ZafEventManager;
class ZafWindowManager;

// The program's Main: gets the application, answers the exit code.
using ZafMainFunction = int (*)(ZafApplication &application);

// The data layer's start-up and clean-up steps (each may be null).
struct ZafStartupSteps
{
    void (*makeDataManager)();                       // stores zafDataManager
    void (*initializeI18n)(const char *name);        // language and locale, null name
    void (*makeSearchPath)(const char *programPath); // the global search path
    void (*openI18nStorage)();                       // "i18n.znc", stores zafDataPersistence
    const char *(*resetI18n)(const char *name);      // null name; answers the i18n name in force
    void (*runStaticCleanups)(int flag);             // called with 1 at the end
};

// Platform kinds (zafPlatform): from GetVersionExA's platform id.
constexpr int ZAF_PLATFORM_UNKNOWN = 0;
constexpr int ZAF_PLATFORM_WIN32S = 1;
constexpr int ZAF_PLATFORM_WINDOWS_9X = 2;
constexpr int ZAF_PLATFORM_WINDOWS_NT = 3;

// --- Application globals -----------------------------------------------------
extern int zafPlatform;
// 3-D look: windows get WS_EX_CLIENTEDGE in place of WS_BORDER.
extern bool zaf3DLook;
// Texts to and from Windows controls go through the current code set.
extern bool zafCodeSetConversion;
// The data manager and the i18n persistence (zafDataManager,
// zafDataPersistence) are the data layer's globals, made by its steps.
extern ZafEventManager *zafEventManager;
extern ZafWindowManager *zafWindowManager;
extern ZafApplication *zafApplication;

class ZafApplication
{
public:
    // Builds everything in the start-up order above. The arguments are the
    // split command line, the program path first.
    ZafApplication(HINSTANCE instance, std::vector<std::string> arguments, int showCommand = SW_SHOWNORMAL);
    ZafApplication(const ZafApplication &) = delete;
    ZafApplication &operator=(const ZafApplication &) = delete;
    ~ZafApplication();

    // Runs the event loop until dispatching answers ZAF_EXIT or
    // ZAF_NO_WINDOWS; returns that code.
    ZafEventType Control();

    int ArgumentCount() const { return static_cast<int>(arguments.size()); }
    // The argument of that 0-based index, null beyond the last.
    const char *Argument(int index) const;
    // The program path (argument 0) and its directory with a trailing '\'.
    const char *ProgramPath() const { return Argument(0); }
    std::string ProgramDirectory() const;
    HINSTANCE Instance() const { return instance; }
    int ShowCommand() const { return showCommand; }

    // Splits a command line: blanks and tabs separate arguments; a run in
    // double quotes is part of one argument (quotes removed, blanks kept; an
    // empty "" is an empty argument); an unclosed quote runs to the end. The
    // program path comes first.
    static std::vector<std::string> SplitCommandLine(const char *programPath, const char *commandLine);

    // Installs the data layer's steps; returns the previous ones.
    static ZafStartupSteps SetStartupSteps(const ZafStartupSteps &steps);
    static const ZafStartupSteps &StartupSteps();

    // The entry: see above. Answers 0 at once for a previous instance.
    static int WinMain(HINSTANCE instance, HINSTANCE previous, const char *commandLine, int showCommand,
                       ZafMainFunction main);

    // Registers the three window classes once; true when they exist.
    static bool RegisterWindowClasses(HINSTANCE instance);
    // The platform kind of a GetVersionExA platform id.
    static int PlatformOf(DWORD platformID);

private:
    HINSTANCE instance;
    std::vector<std::string> arguments;
    int showCommand;
};
