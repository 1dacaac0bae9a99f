#include "shell/Main.h"
#include "shell/AnalysisRegistry.h"
#include "shell/MainWindowDefinition.h"
#include "shell/QIVprog.h"
#include "shell/UserPersist.h"
#include "dataset/AssumeError.h"
#include "dataset/ProgramSettings.h"
#include "dataset/RegistrySettings.h"
#include "dataset/TextCatalog.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <windows.h>

#include <cstring>

ZafStorage *uiStorage = nullptr;
ZafObjectPersistence *userPersist = nullptr;
TextCatalog *languageCatalog = nullptr;
unsigned startWindowMinimumMs = 3000;

MainSwitches ReadMainSwitches(const ZafApplication &application)
{
    MainSwitches switches;
    for (int i = 1; i < application.ArgumentCount(); ++i) {
        const char *argument = application.Argument(i);
        if (CompareTextNoCase(argument, "/RegServer") == 0) {
            switches.registerServer = true;
        } else if (CompareTextNoCase(argument, "/ns") == 0) {
            switches.noStartWindow = true;
        } else {
            if (!switches.dataSetName.empty())
                switches.dataSetName += ' ';
            switches.dataSetName += argument;
        }
    }
    return switches;
}

std::string UIDataFilePath(const ZafApplication &application)
{
    return application.ProgramDirectory() + "MERVALO.ZNC";
}

namespace {

enum { startupSection = 1 };

void ReportFatal(const char *message)
{
    ZafErrorSystem errors;
    errors.ReportError(nullptr, "Error", MB_OK | MB_ICONSTOP, "%s", message);
}

// The data-set layer's failed checks are shown by the error system.
void ReportFailedCheck(const char *title, const char *sourceAndLine, const char *text)
{
    ZafErrorSystem errors;
    errors.ReportError(nullptr, title, MB_OK | MB_ICONEXCLAMATION, "%s\n%s", sourceAndLine, text);
}

// The fields' error system for the time of Main: every ranged or number
// field answers a value it refuses with its message through it.
class FieldErrorSystem
{
public:
    FieldErrorSystem() : previous(ZafString::SetErrorSystem(&errors)) {}
    ~FieldErrorSystem() { ZafString::SetErrorSystem(previous); }
    FieldErrorSystem(const FieldErrorSystem &) = delete;
    FieldErrorSystem &operator=(const FieldErrorSystem &) = delete;

private:
    ZafErrorSystem errors;
    ZafErrorStub *previous;
};

void DeleteGlobals()
{
    ProgramSettings::Shutdown();
    FreeAnalysisRegistry();
    SetStatTextCatalog(nullptr);
    delete languageCatalog;
    languageCatalog = nullptr;
    delete userPersist;
    userPersist = nullptr;
    delete uiStorage;
    uiStorage = nullptr;
}

// The start window: a window captioned with the program's name in the
// middle of the screen while the program starts up (a title and no other
// frame object: no system menu or size boxes).
class StartWindow
{
public:
    explicit StartWindow(bool show) : shownAt(GetTickCount())
    {
        if (!show)
            return;
        window = new ZafWindow(0, 0, 40, 5);
        window->SetStringID("STARTWINDOW");
        window->AddObject(new ZafTitle(mainWindowTitle));
        window->AddObject(new ZafPrompt(2, 1, 36, "Survey statistics"));
        window->AddObject(new ZafPrompt(2, 2, 36, "Starting..."));
        zafWindowManager->CenterObject(window);
        zafWindowManager->AddObject(window);
    }
    ~StartWindow() { Drop(); }

    // Keeps the window up (painting it) until the minimum time has passed,
    // then takes it down.
    void Close()
    {
        if (!window)
            return;
        for (;;) {
            const DWORD elapsed = GetTickCount() - shownAt;
            if (elapsed >= startWindowMinimumMs)
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, startWindowMinimumMs - elapsed, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        Drop();
    }

    // Takes the window down at once (the program cannot start).
    void Drop()
    {
        if (!window)
            return;
        zafWindowManager->SubtractObject(window);
        delete window;
        window = nullptr;
    }

private:
    DWORD shownAt;
    ZafWindow *window = nullptr;
};

// Opens the data set named on the command line, or else the one used last
// when it is still there.
void OpenStartDataSet(QIVprog &mainWindow, const std::string &named)
{
    if (!named.empty()) {
        mainWindow.OpenDataset(named.c_str());
        return;
    }
    const std::string last = QIVprog::LastDataset();
    if (!last.empty() && GetFileAttributesA(last.c_str()) != INVALID_FILE_ATTRIBUTES)
        mainWindow.OpenDataset(last.c_str());
}

} // namespace

bool OpenUIDataFile(const ZafApplication &application)
{
    const std::string path = UIDataFilePath(application);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    uiStorage = new ZafStorage(path.c_str(), ZafStorage::Read);
    if (uiStorage->Error() != 0) {
        delete uiStorage;
        uiStorage = nullptr;
        return false;
    }
    // The persistence copies the tables it is made with.
    RegisterMainWindowClasses();
    QIVprog::RegisterUserFunctions();
    userPersist = new UserPersist(uiStorage);
    return true;
}

bool LoadLanguageFile(const ZafApplication &application, std::string *why)
{
    char code[8] = "";
    if (!RegistrySettings::ReadStringInSection(FindSettingsSection(startupSection), "Language", code, sizeof code))
        std::strcpy(code, "eng");
    auto *catalog = new TextCatalog(application.ProgramDirectory().c_str(), code);
    if (catalog->Error() != TEXTCAT_OK) {
        if (why)
            *why = catalog->Error() == TEXTCAT_ERR_NO_FILE
                       ? std::string("No language file (.btx) present. The program terminates.")
                       : std::string("The language file cannot be used: ") + catalog->ErrorText() +
                             " The program terminates.";
        delete catalog;
        return false;
    }
    languageCatalog = catalog;
    SetStatTextCatalog(catalog);
    return true;
}

int Main(ZafApplication &application)
{
    const MainSwitches switches = ReadMainSwitches(application);
    if (switches.registerServer)
        return 0;
    SetAssumeReportHook(ReportFailedCheck);
    FieldErrorSystem fieldErrors;
    StartWindow startWindow(!switches.noStartWindow);
    ProgramSettings::Instance();

    if (!OpenUIDataFile(application)) {
        DeleteGlobals();
        startWindow.Drop();
        ReportFatal("mervalo.znc could not be found.");
        return 1;
    }
    std::string languageFault;
    if (!LoadLanguageFile(application, &languageFault)) {
        DeleteGlobals();
        startWindow.Drop();
        ReportFatal(languageFault.c_str());
        return 1;
    }
    BuildAnalysisRegistry(languageCatalog);
    auto *mainWindow = new QIVprog(mainWindowName, *userPersist);
    // A file that holds no readable main window is as good as none.
    if (mainWindow->Error() != 0) {
        delete mainWindow;
        DeleteGlobals();
        startWindow.Drop();
        ReportFatal("mervalo.znc could not be found.");
        return 1;
    }
    mainWindow->BindMenus();
    startWindow.Close();
    // The window manager owns the main window from here on.
    zafWindowManager->AddObject(mainWindow);
    OpenStartDataSet(*mainWindow, switches.dataSetName);
    application.Control();
    // File, Exit ends the loop with windows left: they go before the data
    // sets and texts they read.
    if (zafWindowManager)
        zafWindowManager->CloseEveryWindow();
    DeleteGlobals();
    return 0;
}
