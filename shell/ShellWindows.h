// ShellWindows: every window the shell reads by name from the UI data file
// MERVALO.ZNC, each defined beside the code that reads it (the main window,
// the variable-list window, the option frame). The UI data file generator
// (ui/) writes them; tests write them into a file of their own.
//
// The start window is not among them: it is up before the UI data file is
// opened, so it is built in code (Main).
#pragma once

#include <vector>

class ZafWindow;

struct ShellWindow
{
    const char *name;
    ZafWindow *(*make)(); // a new window as defined; the caller owns it
};

// In the order they are written; registers the classes they hold.
const std::vector<ShellWindow> &ShellWindows();
