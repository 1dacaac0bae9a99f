// Program entry of mervalo.exe: the class library's entry builds the
// application and calls the program's Main.
#include "shell/Main.h"
#include "zaf/core/ZafApplication.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return ZafApplication::WinMain(instance, previous, commandLine, show, Main);
}
