// The data layer's start-up steps inside the application: the data manager,
// the search path and the i18n objects exist while the application lives and
// are gone after it.
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataStartup.h"
#include "zaf/data/ZafPath.h"

namespace {

// Runs an application whose program lies in the directory, so that the i18n
// storage is looked for there (after the current directory, which has none).
class DataStartupTest : public ::testing::Test
{
protected:
    void SetUp() override { ZafDataStartup::Install(); }
    void TearDown() override { ZafApplication::SetStartupSteps(ZafStartupSteps{}); }
    std::unique_ptr<ZafApplication> Start()
    {
        return std::make_unique<ZafApplication>(GetModuleHandleA(nullptr),
                                                std::vector<std::string>{dir.File("mervalo.exe")});
    }
    TempDirectory dir;
    EnvironmentScope environment{"ZAF_LANG", "de_DE.850"};
    I18nScope scope{false};
};

TEST_F(DataStartupTest, AnI18nFileBesideTheProgramChoosesLanguageLocaleAndCodeSet)
{
    ASSERT_EQ(0u, WriteI18nFixture(dir.File("i18n.znc")));
    {
        auto application = Start();
        EXPECT_NE(nullptr, zafDataManager);
        ASSERT_NE(nullptr, zafSearchPath);
        const ZafPathElement *element = zafSearchPath->First();
        while (element && std::string(element->StringID()) != "pwd")
            element = static_cast<const ZafPathElement *>(element->Next());
        ASSERT_NE(nullptr, element);
        EXPECT_STREQ(dir.Path(), element->Directory());
        ASSERT_NE(nullptr, zafDataPersistence);
        EXPECT_STREQ("de_DE.850", GetI18nName());
        ASSERT_NE(nullptr, zafLocale);
        EXPECT_STREQ(",", zafLocale->decimalSeparator) << "the locale came from the file";
        ASSERT_NE(nullptr, zafCodeSet);
        EXPECT_STREQ("850", zafCodeSet->StringID());
        // Numbers and dates print in the locale and language of the file.
        char text[64];
        ZafRealData(1.5).FormattedText(text, 63, nullptr);
        EXPECT_STREQ("1,5", text);
        ZafUTimeData(1999, 12, 25).FormattedText(text, 63, "%A, %e. %B %Y");
        EXPECT_STREQ("Samstag, 25. Dezember 1999", text);
        // The window manager's language change goes through ResetI18n and
        // keeps the name it answers.
        const char *name = zafWindowManager->ChangeLanguage("en_DE.850");
        EXPECT_STREQ("en", GetCurrentLanguage());
        EXPECT_STREQ(GetI18nName(), name);
        EXPECT_STREQ(name, zafWindowManager->I18nName());
    }
    EXPECT_EQ(nullptr, zafSearchPath);
    EXPECT_EQ(nullptr, zafDataManager);
    EXPECT_EQ(nullptr, zafDataPersistence) << "the clean-ups close the i18n storage";
    EXPECT_EQ(nullptr, zafLocale);
}

// Without an i18n file, or with one that cannot be read, the built-in i18n
// objects serve.
TEST_F(DataStartupTest, WithoutAReadableI18nFileTheBuiltInI18nObjectsServe)
{
    for (bool unreadable : {false, true}) {
        ASSERT_TRUE(!unreadable || WriteWholeFile(dir.File("i18n.znc"), std::vector<unsigned char>(64, 0x5A)));
        {
            auto application = Start();
            EXPECT_EQ(nullptr, zafDataPersistence);
            ASSERT_NE(nullptr, zafLocale);
            EXPECT_STRNE("DE", zafLocale->StringID());
            EXPECT_NE(nullptr, zafCodeSet);
            EXPECT_NE(nullptr, zafLanguageManager);
        }
        EXPECT_EQ(nullptr, zafLocale);
    }
}

} // namespace
