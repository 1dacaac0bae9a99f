#include "dataset/AssumeError.h"

#include <windows.h>

#include <cstdio>

namespace {

const char kTitle[] = "Assume Error";

void ShowWithMessageBox(const char *title, const char *sourceAndLine, const char *text)
{
    char message[1024];
    snprintf(message, sizeof message, "%s\n\n%s", sourceAndLine, text);
    MessageBoxA(nullptr, message, title, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

AssumeReportHook g_hook = ShowWithMessageBox;

} // namespace

int AssumeError(bool condition, const char *sourceName, int line, const char *text)
{
    if (condition)
        return 1;
    char sourceAndLine[300];
    snprintf(sourceAndLine, sizeof sourceAndLine, "%s %i", sourceName ? sourceName : "", line);
    g_hook(kTitle, sourceAndLine, text ? text : "");
    return 0;
}

AssumeReportHook SetAssumeReportHook(AssumeReportHook hook)
{
    AssumeReportHook previous = g_hook;
    g_hook = hook ? hook : ShowWithMessageBox;
    return previous;
}
