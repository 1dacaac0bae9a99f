#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafWindowObject.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
ZafErrorStub::AnswerHook answerHook = nullptr;
}

ZafErrorStub::~ZafErrorStub() = default;

std::size_t ZafErrorStub::FormatErrorText(char *buffer, std::size_t bufferSize, const char *format,
                                          std::va_list arguments)
{
    if (!buffer || bufferSize == 0)
        return 0;
    buffer[0] = '\0';
    if (!format)
        return 0;
    // vsnprintf writes at most bufferSize bytes, terminator included.
    std::vsnprintf(buffer, bufferSize, format, arguments);
    buffer[bufferSize - 1] = '\0';
    return std::strlen(buffer);
}

std::size_t ZafErrorStub::FormatErrorText(char *buffer, std::size_t bufferSize, const char *format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::size_t length = FormatErrorText(buffer, bufferSize, format, arguments);
    va_end(arguments);
    return length;
}

ZafEventType ZafErrorStub::ReportError(ZafWindowObject *object, const char *title, unsigned flags, const char *format,
                                       ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    ZafEventType code = ReportErrorV(object, title, flags, format, arguments);
    va_end(arguments);
    return code;
}

ZafEventType ZafErrorStub::ReportErrorV(ZafWindowObject *object, const char *title, unsigned flags, const char *format,
                                        std::va_list arguments)
{
    char message[messageBufferSize];
    FormatErrorText(message, sizeof(message), format, arguments);
    if (answerHook)
        return answerHook(object, title, flags, message);
    return ShowMessageWindow(object, title, flags, message);
}

ZafErrorStub::AnswerHook ZafErrorStub::SetAnswerHook(AnswerHook hook)
{
    AnswerHook previous = answerHook;
    answerHook = hook;
    return previous;
}

ZafEventType ZafErrorStub::ShowMessageWindow(ZafWindowObject *, const char *, unsigned, const char *)
{
    return ZAF_UNKNOWN;
}

ZafEventType ZafErrorSystem::EndCodeOf(int answer)
{
    switch (answer) {
    case IDOK:
    case IDYES:
        return ZAF_DIALOG_OK;
    case IDNO:
        return ZAF_DIALOG_NO;
    default:
        return ZAF_DIALOG_CANCEL;
    }
}

ZafEventType ZafErrorSystem::ShowMessageWindow(ZafWindowObject *object, const char *title, unsigned flags,
                                               const char *message)
{
    // The object's top-level window owns the message window; its root
    // object, the window manager of an object on screen, has no window.
    HWND owner = object ? object->TopLevelObject()->OSHandle(2) : nullptr;
    // While a dialog runs modally the other windows are disabled: a box
    // owned by one of them could fall behind the dialog, and MessageBoxA
    // would enable that owner again when it closes, under the running
    // dialog. The dialog owns the box instead.
    if (ZafDialogWindow *modal = ZafDialogWindow::ModalWindow())
        if (modal->OSHandle(2) && (!owner || !IsWindowEnabled(owner)))
            owner = modal->OSHandle(2);
    if (!owner)
        owner = GetActiveWindow();
    // Centred on its owner: the window the message is about.
    return EndCodeOf(ZafMessageBox(owner, owner, message, title, flags));
}
