// ZafErrorStub: the error system's report of a message to the user.
//
// ReportError formats the message printf-style into a 1024-byte buffer and
// shows it in a modal message window with MessageBox-style flags, answering
// the window's end code (ZAF_DIALOG_OK for OK). The formatting is bounded: a
// message longer than the buffer is cut, never written past it (callers
// pass texts of up to about 2000 characters).
//
// The message window itself is made by the windowing layer, which overrides
// ShowMessageWindow; the base shows nothing and answers ZAF_UNKNOWN. Tests
// and unattended runs install an answer hook, which then receives every
// report in place of the window and gives the answer.
#pragma once

#include "zaf/core/ZafEventCodes.h"

#include <cstdarg>
#include <cstddef>

class ZafWindowObject;

class ZafErrorStub
{
public:
    static constexpr std::size_t messageBufferSize = 1024;

    // Answers a report in place of the message window.
    using AnswerHook = ZafEventType (*)(ZafWindowObject *object, const char *title, unsigned flags,
                                        const char *message);

    ZafErrorStub() = default;
    ZafErrorStub(const ZafErrorStub &) = delete;
    ZafErrorStub &operator=(const ZafErrorStub &) = delete;
    virtual ~ZafErrorStub();

    // Formats the message and shows it (or hands it to the answer hook);
    // returns the end code. The object is the one the report is about (its
    // window owns the message window); it may be null.
    ZafEventType ReportError(ZafWindowObject *object, const char *title, unsigned flags, const char *format, ...)
        __attribute__((format(gnu_printf, 5, 6)));
    ZafEventType ReportErrorV(ZafWindowObject *object, const char *title, unsigned flags, const char *format,
                              std::va_list arguments);

    // Formats into a buffer of bufferSize bytes: always terminated, cut at
    // bufferSize - 1 characters. A null format gives the empty text. Returns
    // the length of the text in the buffer.
    static std::size_t FormatErrorText(char *buffer, std::size_t bufferSize, const char *format,
                                       std::va_list arguments);
    static std::size_t FormatErrorText(char *buffer, std::size_t bufferSize, const char *format, ...)
        __attribute__((format(gnu_printf, 3, 4)));

    // Installs the answer hook (null removes it); returns the previous one.
    static AnswerHook SetAnswerHook(AnswerHook hook);

protected:
    // Shows the formatted message in a modal message window and answers its
    // end code. Provided by the windowing layer; the base shows nothing.
    virtual ZafEventType ShowMessageWindow(ZafWindowObject *object, const char *title, unsigned flags,
                                           const char *message);
};

// ZafErrorSystem: the error system of the running program; its message
// window is MessageBoxA, owned by the reported object's top-level window (or
// the active window when it has none); while a dialog runs modally and that
// window is disabled (or there is none), by the dialog. End codes: OK and
// Yes ZAF_DIALOG_OK, No ZAF_DIALOG_NO, every other button ZAF_DIALOG_CANCEL.
// Tests answer it through the answer hook without a window.
class ZafErrorSystem : public ZafErrorStub
{
public:
    // The end code of a MessageBoxA answer.
    static ZafEventType EndCodeOf(int messageBoxAnswer);

protected:
    ZafEventType ShowMessageWindow(ZafWindowObject *object, const char *title, unsigned flags,
                                   const char *message) override;
};
