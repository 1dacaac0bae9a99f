// ZafDataStartup: the data layer's part of the application's start-up and
// end, installed into ZafApplication (which cannot call the data layer) by
// the program's entry before the application is built.
//
// Installed: the data manager (zafDataManager), InitializeI18n with no name,
// the global search path (zafSearchPath, made from the program path), the
// i18n storage "i18n.znc" (found along the search path) with its data
// persistence (zafDataPersistence, knowing the language, locale and code-set
// data classes; both stay null when the file does not open), ResetI18n with
// no name, and the static clean-ups at the end, which delete what these
// steps made. Install also links window objects to their palette data and
// enters the data classes' read functions in the program's table.
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
    // Opens "i18n.znc" for reading; a file that does not open leaves
    // zafDataPersistence null.
    static void OpenI18nStorage();
    static void RunStaticCleanups(int flag);
};
