// longname: types a file name of a given length into the program's Save
// dialog (ProgramSettings::AskSaveFileName) and presses Save, so that a test
// can see what a name longer than MAX_PATH does.
//
//   longname <length>
//
// Exit code: 0 the dialog refused the name (no file name given back),
// 2 a name was given back, 3 the dialog never appeared. A process ended by
// an exception exits with its code (0xC0000005 for an access violation).
#include "dataset/ProgramSettings.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string typed;
int ticks = 0;

// The dialog is modal: its loop runs this thread's timers.
VOID CALLBACK TypeAndSave(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog) {
        if (++ticks > 100)
            KillTimer(nullptr, timer);
        return;
    }
    KillTimer(nullptr, timer);
    // The file name field: the combo box of the explorer-style dialog, or
    // the edit field of the older one.
    HWND field = GetDlgItem(dialog, 0x47c);
    if (!field)
        field = GetDlgItem(dialog, 0x480);
    SetWindowTextA(field, typed.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

} // namespace

int main(int argc, char **argv)
{
    const int length = argc > 1 ? std::atoi(argv[1]) : 0;
    if (length <= 0)
        return 1;
    typed.assign(static_cast<size_t>(length), 'x');
    SetTimer(nullptr, 0, 100, TypeAndSave);
    char *name = ProgramSettings::Instance()->AskSaveFileName("txt");
    if (ticks > 100)
        return 3;
    const int code = name ? 2 : 0;
    delete[] name;
    return code;
}
