#include "shell/Main.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafText.h"

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

int Main(ZafApplication &application)
{
    MainSwitches switches = ReadMainSwitches(application);
    if (switches.registerServer)
        return 0;

    std::string uiFile = UIDataFilePath(application);
    if (GetFileAttributesA(uiFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ZafErrorSystem errors;
        errors.ReportError(nullptr, "Error", MB_OK | MB_ICONSTOP, "mervalo.znc could not be found.");
        return 1;
    }
    // TODO(persistence): open the storage and build "MAINWINDOW" once the
    // window records can be read; until then there is no window to run.
    application.Control();
    return 0;
}
