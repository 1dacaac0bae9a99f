#include "dataset/RegistrySettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Each test works in a section of its own, named after the test, and
// removes it afterwards.
class RegistrySettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        name_ = std::string("UnitTest_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        section_ = {name_.c_str(), 0};
        RegistrySettings::DeleteSection(&section_);
    }
    void TearDown() override { EXPECT_TRUE(RegistrySettings::DeleteSection(&section_)); }

    // Stores a raw value of any type directly, as another program might.
    void StoreRaw(const char *key, DWORD type, const void *data, DWORD size)
    {
        std::string path = std::string(RegistrySettings::RootKey()) + "\\" + name_;
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(h, key, 0, type, static_cast<const BYTE *>(data), size), ERROR_SUCCESS);
        RegCloseKey(h);
    }

    std::string name_;
    SettingsSection section_;
};

TEST(FindSettingsSection, KnowsTheProgramsSectionsById)
{
    for (int id = 1; id <= 16; ++id)
        EXPECT_EQ(FindSettingsSection(id)->id, id);
    EXPECT_STREQ(FindSettingsSection(1)->name, "Startup");
    EXPECT_STREQ(FindSettingsSection(16)->name, "ResPlot");
    EXPECT_EQ(FindSettingsSection(0), nullptr);
    EXPECT_EQ(FindSettingsSection(17), nullptr);
    EXPECT_EQ(FindSettingsSection(-1), nullptr);
}

TEST_F(RegistrySettingsTest, MissingValuesReadAsTheDefaultAndNamelessSectionsAreRefused)
{
    EXPECT_EQ(RegistrySettings::ReadDwordInSection(&section_, "Nothing", 17ul), 17ul);
    EXPECT_EQ(RegistrySettings::ReadShortInSection(&section_, "Nothing", short(3)), 3);
    char text[8] = "junk";
    EXPECT_FALSE(RegistrySettings::ReadStringInSection(&section_, "Nothing", text, sizeof text));
    EXPECT_STREQ(text, "");
    EXPECT_EQ(RegistrySettings::ReadIntInSection(nullptr, "Nothing", 9), 9);
    SettingsSection nameless = {"", 0};
    EXPECT_FALSE(RegistrySettings::WriteValueInSection(&nameless, "K", 1ul));
    EXPECT_FALSE(RegistrySettings::WriteValueInSection(nullptr, "K", 1ul));
    EXPECT_FALSE(RegistrySettings::WriteValueInSection(&section_, nullptr, 1ul));
    EXPECT_FALSE(RegistrySettings::WriteStringInSection(&section_, "K", nullptr));
}

TEST_F(RegistrySettingsTest, WrittenValuesAndStringsAreStoredReadBackAndDeleted)
{
    // The save-settings write is a real write: a fresh read finds the value.
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Display", 0x8421ul));
    EXPECT_EQ(RegistrySettings::ReadDwordInSection(&section_, "Display", 0ul), 0x8421ul);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Negative", static_cast<unsigned long>(-7)));
    EXPECT_EQ(RegistrySettings::ReadIntInSection(&section_, "Negative", 0), -7);
    EXPECT_EQ(RegistrySettings::ReadShortInSection(&section_, "Negative", short(0)), -7);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Display", 1ul));
    EXPECT_EQ(RegistrySettings::ReadDwordInSection(&section_, "Display", 0ul), 1ul);
    EXPECT_TRUE(RegistrySettings::DeleteKeyInSection(&section_, "Display"));
    EXPECT_EQ(RegistrySettings::ReadDwordInSection(&section_, "Display", 8ul), 8ul);
    EXPECT_TRUE(RegistrySettings::DeleteKeyInSection(&section_, "Display"));
    // Short reads take 16-bit words and refuse wider values.
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Word", 0xFFFFul));
    EXPECT_EQ(RegistrySettings::ReadShortInSection(&section_, "Word", short(5)), -1);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Wide", 70000ul));
    EXPECT_EQ(RegistrySettings::ReadShortInSection(&section_, "Wide", short(5)), 5);
    EXPECT_EQ(RegistrySettings::ReadIntInSection(&section_, "Wide", 5), 70000);
    // Strings, bounded by the caller's buffer.
    ASSERT_TRUE(RegistrySettings::WriteStringInSection(&section_, "Last", "C:\\data\\survey.QVF"));
    char text[64];
    ASSERT_TRUE(RegistrySettings::ReadStringInSection(&section_, "Last", text, sizeof text));
    EXPECT_STREQ(text, "C:\\data\\survey.QVF");
    char small[8] = "junk";
    EXPECT_FALSE(RegistrySettings::ReadStringInSection(&section_, "Last", small, sizeof small));
    EXPECT_STREQ(small, "");
    ASSERT_TRUE(RegistrySettings::WriteStringInSection(&section_, "Empty", ""));
    EXPECT_TRUE(RegistrySettings::ReadStringInSection(&section_, "Empty", text, sizeof text));
    EXPECT_STREQ(text, "");
}

TEST_F(RegistrySettingsTest, QueryTellsAStoredWordFromNoneWhateverTheWord)
{
    unsigned long value = 7;
    EXPECT_FALSE(RegistrySettings::QueryDwordInSection(&section_, "Zero", value));
    EXPECT_EQ(value, 7u);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(&section_, "Zero", 0));
    EXPECT_TRUE(RegistrySettings::QueryDwordInSection(&section_, "Zero", value));
    EXPECT_EQ(value, 0u);
    // A word read as a short: 16-bit words as they are, wider ones refused.
    EXPECT_EQ(RegistrySettings::ShortFromWord(65535, 5), -1);
    EXPECT_EQ(RegistrySettings::ShortFromWord(static_cast<unsigned long>(-32768L), 5), -32768);
    EXPECT_EQ(RegistrySettings::ShortFromWord(65536, 5), 5);
    EXPECT_EQ(RegistrySettings::ShortFromWord(static_cast<unsigned long>(-32769L), 5), 5);
}

TEST_F(RegistrySettingsTest, ValuesOfTheWrongTypeOrSizeReadAsTheDefault)
{
    const char bytes[] = {1, 2};
    StoreRaw("TwoBytes", REG_BINARY, bytes, sizeof bytes);
    StoreRaw("Text", REG_SZ, "12", 3);
    DWORD word = 12;
    StoreRaw("ShortDword", REG_DWORD, &word, 2);
    unsigned long long wide = 12;
    StoreRaw("Qword", REG_QWORD, &wide, sizeof wide);
    for (const char *key : {"TwoBytes", "Text", "ShortDword", "Qword"}) {
        EXPECT_EQ(RegistrySettings::ReadIntInSection(&section_, key, 99), 99) << key;
        unsigned long value = 99;
        EXPECT_FALSE(RegistrySettings::QueryDwordInSection(&section_, key, value)) << key;
        EXPECT_EQ(value, 99u) << key;
    }

    StoreRaw("Number", REG_DWORD, &word, sizeof word);
    char text[16] = "junk";
    EXPECT_FALSE(RegistrySettings::ReadStringInSection(&section_, "Number", text, sizeof text));
    EXPECT_STREQ(text, "");
    // A text stored without its terminating zero still reads as that text.
    StoreRaw("Unterminated", REG_SZ, "abc", 3);
    EXPECT_TRUE(RegistrySettings::ReadStringInSection(&section_, "Unterminated", text, sizeof text));
    EXPECT_STREQ(text, "abc");
}

} // namespace
