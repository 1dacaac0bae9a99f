#include "shell/MessageDialogs.h"

#include "zaf/core/ZafDialogWindow.h"

#include <windows.h>

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

// A box centred on the window the user works in: the dialog that runs (which
// also owns the box, so that it never falls behind it), else the active
// window, else the main window.
int ShowBox(const char *text, const char *title, UINT flags)
{
    HWND boxOwner = owner;
    if (ZafDialogWindow *modal = ZafDialogWindow::ModalWindow())
        if (modal->OSHandle(2))
            boxOwner = modal->OSHandle(2);
    ZafWindowObject *working = ZafDialogWindow::DefaultOpener(nullptr);
    return ZafMessageBox(boxOwner, working ? working->OSHandle(2) : nullptr, text, title, flags);
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
    const int answer = ShowBox(message.c_str(), title ? title : "", style | MB_TASKMODAL);
    if ((style & MB_YESNO) != 0)
        return answer == IDYES ? 1 : 0;
    return 1;
}

WarningWindow::WarningWindow(const char *titleText, const char *messageText)
    : title(titleText ? titleText : ""), message(messageText ? messageText : "")
{}

ZafEventType WarningWindow::Control()
{
    ShowBox(message.c_str(), title.c_str(), MB_OK | MB_ICONWARNING | MB_TASKMODAL);
    return ZAF_DIALOG_OK;
}
