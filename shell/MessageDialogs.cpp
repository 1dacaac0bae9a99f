#include "shell/MessageDialogs.h"

#include "zaf/core/ZafDialogWindow.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

HWND owner = nullptr;

UINT StyleOf(int type)
{
    switch (type) {
    case messageQuestion:
        return MB_OK | MB_ICONQUESTION;
    case messageAsterisk:
        return MB_OK | MB_ICONASTERISK;
    case messageHand:
        return MB_OK | MB_ICONHAND;
    case messageAskQuestion:
        return MB_YESNO | MB_ICONQUESTION;
    case messageAskAsterisk:
        return MB_YESNO | MB_ICONASTERISK;
    default:
        return MB_OK | MB_ICONEXCLAMATION;
    }
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

// A box owned by the window the user works in and centred on it: the dialog
// that runs (so that the box never falls behind it), else the window named
// by SetMessageDialogOwner (the variable list during a run), else the active
// window, else the main window. Only a box without any such window is task
// modal.
int ShowBox(const char *text, const char *title, UINT flags)
{
    HWND boxOwner = owner && IsWindow(owner) ? owner : nullptr;
    if (ZafDialogWindow *modal = ZafDialogWindow::ModalWindow())
        if (modal->OSHandle(2))
            boxOwner = modal->OSHandle(2);
    if (!boxOwner)
        if (ZafWindowObject *working = ZafDialogWindow::DefaultOpener(nullptr))
            boxOwner = working->OSHandle(2);
    if (!boxOwner)
        return ZafMessageBox(nullptr, nullptr, text, title, flags | MB_TASKMODAL);
    // The program's other windows wait for the answer as well, as they
    // would for a task-modal box: a run asking a question must not see its
    // data set closed under it.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    disabled.erase(std::remove(disabled.begin(), disabled.end(), boxOwner), disabled.end());
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
    const int answer = ZafMessageBox(boxOwner, boxOwner, text, title, flags);
    for (HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    return answer;
}

} // namespace

void *SetMessageDialogOwner(void *ownerWindow)
{
    HWND previous = owner;
    owner = static_cast<HWND>(ownerWindow);
    return previous;
}

int ShowMessageDialog(const char *title, const char *text1, const char *text2, const char *text3, int type)
{
    std::string message = text1 ? text1 : "";
    for (const char *more : {text2, text3})
        if (more && *more)
            message.append("\n\n").append(more);
    const UINT style = StyleOf(type);
    const int answer = ShowBox(message.c_str(), title ? title : "", style);
    if ((style & MB_YESNO) != 0)
        return answer == IDYES ? 1 : 0;
    return 1;
}

WarningWindow::WarningWindow(const char *titleText, const char *messageText)
    : title(titleText ? titleText : ""), message(messageText ? messageText : "")
{}

ZafEventType WarningWindow::Control()
{
    ShowBox(message.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    return ZAF_DIALOG_OK;
}
