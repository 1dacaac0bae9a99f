// The program's modal message dialogs, on the Windows message box.
//
// ShowMessageDialog shows up to three texts, one paragraph each, under a
// title, with an icon by type. Types 0 to 3 only inform (an OK button) and
// answer 1; types 4 and 5 ask (Yes and No buttons) and answer 1 for yes and
// 0 for no, so that a non-zero answer always means yes.
//
// WarningWindow is a warning box with an OK button whose modal run answers
// ZAF_DIALOG_OK (-2999).
//
// Both are owned by the window the user works in and open centred on it:
// the dialog that runs, else the window named by SetMessageDialogOwner,
// else the active window, else the main window. The program's other
// windows are disabled while they are up.
//
// Both are owned by Windows only while they run: nothing to delete.
#pragma once

#include "zaf/core/ZafEventCodes.h"

#include <string>

// The icon (and, from 4 on, the question) of a message dialog.
enum MessageDialogType {
    messageExclamation = 0, // exclamation mark, OK
    messageQuestion = 1,    // question mark, OK
    messageAsterisk = 2,    // information sign, OK
    messageHand = 3,        // stop sign, OK
    messageAskQuestion = 4, // question mark, Yes and No
    messageAskAsterisk = 5  // information sign, Yes and No
};

// The owner of every message dialog while no dialog runs (the variable
// list during a run; null: the window the user works in). Returns the
// previous owner.
void *SetMessageDialogOwner(void *ownerWindow);

// The dialog's answer (see above); text2 and text3 may be null.
int ShowMessageDialog(const char *title, const char *text1, const char *text2, const char *text3, int type);

class WarningWindow
{
public:
    WarningWindow(const char *title, const char *message);
    // Shows the warning until it is closed; ZAF_DIALOG_OK.
    ZafEventType Control();

private:
    std::string title;
    std::string message;
};
