#include "shell/Main.h"
#include "shell/MainWindowDefinition.h"
#include "dataset/AssumeError.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetLayout.h"
#include "dataset/ProgramSettings.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <windows.h>

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

ZafStorage *uiStorage = nullptr;
ZafObjectPersistence *userPersist = nullptr;

namespace {

void ReportMissingUIFile()
{
    ZafErrorSystem errors;
    errors.ReportError(nullptr, "Error", MB_OK | MB_ICONSTOP, "mervalo.znc could not be found.");
}

// The data-set layer's failed checks are shown by the error system.
void ReportFailedCheck(const char *title, const char *sourceAndLine, const char *text)
{
    ZafErrorSystem errors;
    errors.ReportError(nullptr, title, MB_OK | MB_ICONEXCLAMATION, "%s\n%s", sourceAndLine, text);
}

void DeleteGlobals()
{
    ProgramSettings::Instance()->CloseDataSet();
    delete userPersist;
    userPersist = nullptr;
    delete uiStorage;
    uiStorage = nullptr;
}

} // namespace

bool OpenUIDataFile(const ZafApplication &application)
{
    const std::string path = UIDataFilePath(application);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    uiStorage = new ZafStorage(path.c_str(), ZafStorage::Read);
    if (uiStorage->Error() != 0) {
        DeleteGlobals();
        return false;
    }
    // The persistence copies the constructor table it is made with.
    RegisterMainWindowClasses();
    userPersist = ZafPersistenceRegistry::MakePersistence(uiStorage);
    return true;
}

bool OpenStartDataSet(const std::string &name)
{
    if (name.empty())
        return false;
    ProgramSettings *settings = ProgramSettings::Instance();
    const int error = settings->OpenDataSet(name.c_str());
    if (error == 0)
        return true;
    ZafErrorSystem errors;
    errors.ReportError(nullptr, "Error", MB_OK | MB_ICONSTOP, "%s: %s", name.c_str(),
                       DataSetErrorText(error));
    return false;
}

int Main(ZafApplication &application)
{
    MainSwitches switches = ReadMainSwitches(application);
    if (switches.registerServer)
        return 0;
    SetAssumeReportHook(ReportFailedCheck);

    if (!OpenUIDataFile(application)) {
        ReportMissingUIFile();
        return 1;
    }
    auto *mainWindow = new ZafMDIWindow(mainWindowName, *userPersist);
    // A file that holds no readable main window is as good as none.
    if (mainWindow->Error() != 0) {
        delete mainWindow;
        DeleteGlobals();
        ReportMissingUIFile();
        return 1;
    }
    // The window manager owns the main window from here on.
    zafWindowManager->AddObject(mainWindow);
    OpenStartDataSet(switches.dataSetName);
    application.Control();
    DeleteGlobals();
    return 0;
}
