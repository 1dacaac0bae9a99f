// Program entry of mervalo.exe. For now it starts and ends; the application
// object and the program's Main follow with the GUI core on Win32.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance; (void)commandLine; (void)show;
    // A second instance started with a previous-instance handle ends at once.
    if (previous)
        return 0;
    return 0;
}
