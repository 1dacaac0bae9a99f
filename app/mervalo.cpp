// Program entry of mervalo.exe: the data layer installs its start-up steps,
// the graph library enters the makers of its graph tools, then the class
// library's entry builds the application and calls the program's Main.
#include "graphs/RegisterGraphTools.h"
#include "shell/Main.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataStartup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    ZafDataStartup::Install();
    RegisterGraphTools();
    return ZafApplication::WinMain(instance, previous, commandLine, show, Main);
}
