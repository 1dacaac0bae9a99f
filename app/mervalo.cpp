// Program entry of mervalo.exe: the temporary files of runs that ended
// without removing them are removed, the data layer installs its start-up steps,
// the analyses enter their factories and the graph library the makers of its
// graph tools, then the class library's entry builds the application and
// calls the program's Main.
#include "analyses/RegisterAnalyses.h"
#include "dataset/BUFFERTYPE.h"
#include "shell/Main.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataStartup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    // Value lists of a run that was ended before it could remove them.
    TMPLISTETYPE::RemoveLeftoverFiles();
    ZafDataStartup::Install();
    // The analyses join the registry before Main builds it.
    RegisterAnalyses();
    return ZafApplication::WinMain(instance, previous, commandLine, show, Main);
}
