// The data layer's start-up steps inside the application: the data manager
// and the search path exist while the application lives and are gone after.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestI18n.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataStartup.h"
#include "zaf/data/ZafPath.h"

namespace {

TEST(ZafDataStartup, DataManagerAndSearchPathLiveAsLongAsTheApplication)
{
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {"C:\\prog\\mervalo.exe"});
        EXPECT_NE(nullptr, zafDataManager);
        ASSERT_NE(nullptr, zafSearchPath);
        const ZafPathElement *element = zafSearchPath->First();
        while (element && std::string(element->StringID()) != "pwd")
            element = static_cast<const ZafPathElement *>(element->Next());
        ASSERT_NE(nullptr, element);
        EXPECT_STREQ("C:\\prog", element->Directory());
    }
    EXPECT_EQ(nullptr, zafSearchPath);
    EXPECT_EQ(nullptr, zafDataManager);
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

// An application whose program lies in a directory of its own, so that the
// i18n storage is looked for there (after the current directory, which has
// none).
std::string ProgramIn(const TempDirectory &dir)
{
    return dir.File("mervalo.exe");
}

TEST(ZafDataStartup, AnI18nFileBesideTheProgramChoosesLanguageLocaleAndCodeSet)
{
    TempDirectory dir;
    ASSERT_EQ(0u, WriteI18nFixture(dir.File("i18n.znc")));
    EnvironmentScope environment("ZAF_LANG", "de_DE.850");
    I18nScope scope(false);
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {ProgramIn(dir)});
        ASSERT_NE(nullptr, zafDataPersistence);
        EXPECT_STREQ("de_DE.850", GetI18nName());
        ASSERT_NE(nullptr, zafLocale);
        EXPECT_STREQ(",", zafLocale->decimalSeparator) << "the locale came from the file";
        ASSERT_NE(nullptr, zafCodeSet);
        EXPECT_STREQ("850", zafCodeSet->StringID());

        // The window manager's language change goes through ResetI18n and
        // keeps the name it answers.
        const char *name = zafWindowManager->ChangeLanguage("en_DE.850");
        EXPECT_STREQ("en", GetCurrentLanguage());
        EXPECT_STREQ(GetI18nName(), name);
        EXPECT_STREQ(name, zafWindowManager->I18nName());
    }
    EXPECT_EQ(nullptr, zafDataPersistence) << "the clean-ups close the i18n storage";
    EXPECT_EQ(nullptr, zafLocale);
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

TEST(ZafDataStartup, WithoutAnI18nFileTheBuiltInI18nObjectsServe)
{
    TempDirectory dir;
    EnvironmentScope environment("ZAF_LANG", "de_DE.850");
    I18nScope scope(false);
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {ProgramIn(dir)});
        EXPECT_EQ(nullptr, zafDataPersistence);
        ASSERT_NE(nullptr, zafLocale);
        EXPECT_STRNE("DE", zafLocale->StringID());
        EXPECT_NE(nullptr, zafCodeSet);
        EXPECT_NE(nullptr, zafLanguageManager);
    }
    EXPECT_EQ(nullptr, zafLocale);
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

TEST(ZafDataStartup, AnUnreadableI18nFileIsLetGo)
{
    TempDirectory dir;
    ASSERT_TRUE(WriteWholeFile(dir.File("i18n.znc"), std::vector<unsigned char>(64, 0x5A)));
    I18nScope scope(false);
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {ProgramIn(dir)});
        EXPECT_EQ(nullptr, zafDataPersistence);
        EXPECT_NE(nullptr, zafLocale);
    }
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

} // namespace
