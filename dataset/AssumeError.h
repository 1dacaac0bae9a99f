// AssumeError: the program's internal assertion report. A failed check shows
// a message titled "Assume Error" with the source name and line ("%s %i")
// and the caller's text, and the caller goes on.
//
// Until the shell's message dialog exists the report is shown with
// MessageBoxA; the shell (and tests) install their own display through
// SetAssumeReportHook. Texts handed to the hook live only for the call.
#pragma once

// Receives a failed check: the title "Assume Error", the source and line as
// one text, and the caller's text (empty when none was given).
typedef void (*AssumeReportHook)(const char *title, const char *sourceAndLine, const char *text);

// 1 when the condition holds; otherwise reports it and returns 0.
int AssumeError(bool condition, const char *sourceName, int line, const char *text);

// Installs the display of failed checks and returns the previous one; null
// restores the message box.
AssumeReportHook SetAssumeReportHook(AssumeReportHook hook);
