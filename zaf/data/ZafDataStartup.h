// ZafDataStartup: the data layer's part of the application's start-up and
// end, installed into ZafApplication (which cannot call the data layer) by
// the program's entry before the application is built.
//
// Installed today: the data manager (zafDataManager) and the global search
// path (zafSearchPath, made from the program path), both deleted by the
// static clean-ups, and the static clean-ups at the end. The language and
// locale start-up and the i18n storage join as those parts of the data
// layer are built; the application skips a step that is not installed.
#pragma once

class ZafDataStartup
{
public:
    // Installs the steps into ZafApplication; calling it again changes
    // nothing.
    static void Install();

    // The steps themselves (public for the tests).
    static void MakeDataManager();
    static void MakeSearchPath(const char *programPath);
    static void RunStaticCleanups(int flag);
};
