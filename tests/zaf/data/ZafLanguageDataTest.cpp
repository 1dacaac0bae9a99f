// Language data: lookups, message data that follow their table, sharing
// through the language manager, a language change, and tables in the file.
#include "zaf/data/ZafLanguageData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafStringData.h"

namespace {

const ZafLanguageStruct colours[] = {{"", 0xFFFF, nullptr, 0, 0xFFFFFFFF},
                                     {"Red", 1, "red", 'R', 10},
                                     {"Green", 2, nullptr, 'G', 20},
                                     {"Blue", 3, "blue", 0, 30},
                                     {nullptr, 0, nullptr, 0, 0}};

// A missing number gives the first entry's text with the default flag, and
// the caller's hot key and value stay as they were; without the flag null.
TEST(ZafLanguageData, FindsTextsByNumberAndByStringIDOrTheDefaultText)
{
    ZafLanguageData table(colours, true);
    unsigned char hotKey = 0;
    std::uint32_t value = 0;
    EXPECT_STREQ("Green", table.GetMessageText(2, false, &hotKey, &value));
    EXPECT_EQ('G', hotKey);
    EXPECT_EQ(20u, value);
    EXPECT_STREQ("Blue", table.GetMessageTextByStringID("blue", false, &hotKey, &value));
    EXPECT_EQ(30u, value);
    EXPECT_EQ(nullptr, table.GetMessageTextByStringID("Blue", false)) << "string ids count case";
    EXPECT_EQ(4, table.EntryCount());
    hotKey = 'q';
    EXPECT_STREQ("", table.GetMessageText(99, true, &hotKey, &value));
    EXPECT_EQ('q', hotKey);
    EXPECT_EQ(30u, value);
    EXPECT_EQ(nullptr, table.GetMessageText(99, false));
    const ZafLanguageStruct onlyTerminator[] = {{nullptr, 0, nullptr, 0, 0}};
    EXPECT_EQ(nullptr, ZafLanguageData(onlyTerminator, false).GetMessageText(1, true));
    EXPECT_EQ(nullptr, ZafLanguageData().GetMessageText(1, true));
}

// An owned table is a copy (the caller's texts may go away) and survives
// SetLanguage(nullptr); a borrowed one is dropped. A built-in table lies in
// read-only memory: SetMessage changes a copy.
TEST(ZafLanguageData, OwnedTablesAreCopiesAndSetMessageNeverChangesABuiltInTable)
{
    std::string text = "Temporary";
    const ZafLanguageStruct table[] = {{text.c_str(), 5, nullptr, 0, 0}, {nullptr, 0, nullptr, 0, 0}};
    ZafLanguageData owned(table, false);
    text = "Overwritten";
    EXPECT_STREQ("Temporary", owned.GetMessageText(5, false));
    owned.SetLanguage(nullptr);
    EXPECT_STREQ("Temporary", owned.GetMessageText(5, false));
    ZafLanguageData borrowed(colours, true);
    borrowed.SetLanguage(nullptr);
    EXPECT_EQ(nullptr, borrowed.Table());

    const ZafLanguageStruct *builtIn = ZafLanguageData::BuiltInTable("ZafTimeStrings");
    ZafLanguageData times(builtIn, true);
    EXPECT_EQ(0, times.SetMessage(1, "AM", 0, 0));
    EXPECT_EQ(0, times.StaticData());
    EXPECT_STREQ("AM", times.GetMessageText(1, false));
    EXPECT_STREQ("a.m.", builtIn[1].text);
}

// A member made for a number the table lacks (the default member) keeps the
// number asked for, not the first entry's ids, so that it is found again.
TEST(ZafLanguageData, MessageDataFollowTheTableAndTheDefaultMemberIsFoundAgain)
{
    ZafLanguageData table(colours, false);
    ZafMessageData *green = table.GetMessageData(2, false);
    ASSERT_NE(nullptr, green);
    EXPECT_STREQ("Green", green->Text());
    EXPECT_EQ('G', green->HotKey());
    EXPECT_EQ(20u, green->Value());
    EXPECT_EQ(green, table.GetMessageData(2, false));
    EXPECT_EQ(nullptr, table.GetMessageData(9, false));
    EXPECT_EQ(0, table.SetMessage(2, "Emerald", 'E', 21));
    table.SetLanguage(table.Table());
    EXPECT_STREQ("Emerald", green->Text());
    EXPECT_EQ('E', green->HotKey());
    EXPECT_EQ(ZafLanguageData::noSuchEntry, table.SetMessage(9, "x", 0, 0));
    EXPECT_EQ(ZafLanguageData::noTable, ZafLanguageData().SetMessage(1, "x", 0, 0));

    ZafMessageData *missing = table.GetMessageData(42, true);
    ASSERT_NE(nullptr, missing);
    EXPECT_STREQ("", missing->Text());
    EXPECT_EQ(42, missing->NumberID());
    EXPECT_EQ(missing, table.GetMessageData(42, true));
    EXPECT_EQ(2, table.Count());
}

// A duplicate has its own empty member list; deleting both deletes each
// member once.
TEST(ZafLanguageData, ADuplicateSharesNoMembers)
{
    auto *table = new ZafLanguageData(colours, false);
    table->SetStringID("Colours");
    table->GetMessageData(1, false);
    std::unique_ptr<ZafLanguageData> copy(static_cast<ZafLanguageData *>(table->Duplicate()));
    EXPECT_EQ(0, copy->Count());
    EXPECT_EQ(1, table->Count());
    EXPECT_STREQ("Colours", copy->StringID());
    EXPECT_NE(table->Table(), copy->Table()) << "an owned table is copied";
    delete table;
    EXPECT_STREQ("Red", copy->GetMessageText(1, false));
    std::unique_ptr<ZafLanguageData> shared(static_cast<ZafLanguageData *>(ZafLanguageData(colours, true).Duplicate()));
    EXPECT_EQ(colours, shared->Table()) << "a borrowed table is shared";
}

// Acquiring twice shares one counted table; a name with no source gives
// null; a table still observed survives its last release.
TEST(ZafLanguageData, TheLanguageManagerSharesCountedTables)
{
    I18nScope scope(false);
    CreateLanguageManager(nullptr);
    ZafLanguageData *first = AcquireLanguageData("ZafReal", ZafLanguageData::BuiltInTable("ZafReal"));
    ZafLanguageData *second = AcquireLanguageData("ZafReal", ZafLanguageData::BuiltInTable("ZafReal"));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(2, first->ReferenceCount());
    EXPECT_EQ(1, first->StaticData());
    ReleaseLanguageData(first);
    EXPECT_EQ(first, zafLanguageManager->FindMember("ZafReal"));
    ReleaseLanguageData(second);
    EXPECT_EQ(nullptr, zafLanguageManager->FindMember("ZafReal"));
    ReleaseLanguageData(nullptr);
    EXPECT_EQ(nullptr, AcquireLanguageData("ZafNoSuchTable", nullptr));
    EXPECT_EQ(0, zafLanguageManager->Count());

    ZafLanguageData *table = AcquireLanguageData("ZafInteger", ZafLanguageData::BuiltInTable("ZafInteger"));
    EXPECT_EQ(1, table->ReferenceCount());
    ZafStringData observer;
    table->AddNotification(&observer, nullptr, 3);
    ReleaseLanguageData(table);
    EXPECT_EQ(nullptr, zafLanguageManager->FindMember("ZafInteger"));
    EXPECT_STREQ("The number %s is invalid.", table->GetMessageText(1, false));
    table->SubtractNotification(&observer);
    delete table;
}

// A language change reloads every acquired table in place (from the file,
// also for tables made on a built-in table, which then hold an owned copy),
// so that no member is left with a temporary's table or none; a language
// that lacks a table leaves the old one in place.
TEST(ZafLanguageData, ALanguageChangeReloadsTheAcquiredTables)
{
    I18nScope scope;
    SetCurrentLanguage("en");
    ZafLanguageData *months = AcquireLanguageData("ZafMonthStrings", ZafLanguageData::BuiltInTable("ZafMonthStrings"));
    ASSERT_NE(nullptr, months);
    EXPECT_EQ(1, months->StaticData()) << "made on the built-in table before the file was there";
    ZafMessageData *march = months->GetMessageData(3, false);

    ASSERT_TRUE(scope.OpenFile(I18nFixture()));
    ZafLanguageData *days = AcquireLanguageData("ZafDayStrings", ZafLanguageData::BuiltInTable("ZafDayStrings"));
    ZafLanguageData *buttons = AcquireLanguageData("ZafSystemButton", ZafLanguageData::BuiltInTable("ZafSystemButton"));
    ASSERT_NE(nullptr, days);
    EXPECT_EQ(0, days->StaticData()) << "read from the file";
    ZafMessageData *monday = days->GetMessageData(2, false);
    EXPECT_STREQ("Monday", monday->Text());

    EXPECT_EQ(0, SetCurrentLanguage("de"));
    EXPECT_STREQ("de", GetCurrentLanguage());
    EXPECT_STREQ("Montag", days->GetMessageText(2, false));
    EXPECT_STREQ("Montag", monday->Text());
    EXPECT_STREQ("M\xE4rz", months->GetMessageText(3, false));
    EXPECT_STREQ("M\xE4rz", march->Text());
    EXPECT_EQ(0, months->StaticData()) << "an owned copy of the table read";
    EXPECT_STREQ("Restore", buttons->GetMessageText(6, false)) << "\"de\" has no system-button table";
    EXPECT_EQ(0u, zafDataPersistence->Error());
    SetCurrentLanguage("fr"); // the file lacks the language altogether: every table stays
    EXPECT_STREQ("Montag", days->GetMessageText(2, false));
    EXPECT_STREQ("M\xE4rz", march->Text());
    SetCurrentLanguage("en");
    EXPECT_STREQ("March", march->Text());
    for (ZafLanguageData *table : {days, months, buttons})
        ReleaseLanguageData(table);
}

// Entries come back with their texts, string ids and values; hot keys are
// written as 16-bit words, sign-extended from the byte, and read back as the
// low byte. (That writing one language keeps the others shows in every test
// that reads the i18n fixture.)
TEST(ZafLanguageData, EntriesRoundTripWithTheirHotKeysAndValues)
{
    const ZafLanguageStruct seasons[] = {
        {"\xC9t\xE9", 1, "summer", 0xC9, 0x12345678}, {"", 2, nullptr, 0, 0xFFFFFFFF}, {nullptr, 0, nullptr, 0, 0}};
    TempDirectory dir;
    const std::string name = dir.File("languages.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence persistence(&storage);
        persistence.PushSuffix("fr");
        ZafLanguageData written(seasons, false);
        written.SetStringID("Seasons");
        written.Write(persistence);
        persistence.PopSuffix();
        ASSERT_EQ(0u, storage.Save());
        const std::string bytes = ObjectBytes(storage, "~ZafLanguageData~Seasons~objectData.fr");
        EXPECT_EQ("\xC9\xFF", bytes.substr(4 + 2 + 8 + 5, 2));
    }
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafLanguageData read("Seasons", persistence, "fr");
    ASSERT_EQ(0u, read.Error());
    unsigned char hotKey = 0;
    std::uint32_t value = 0;
    EXPECT_STREQ("\xC9t\xE9", read.GetMessageTextByStringID("summer", false, &hotKey, &value));
    EXPECT_EQ(0xC9, hotKey);
    EXPECT_EQ(0x12345678u, value);
    EXPECT_STREQ("", read.GetMessageText(2, false));
    EXPECT_EQ(ZafError::Open, ZafLanguageData("Seasons", persistence, "de").Error());
    EXPECT_EQ(0u, persistence.Error()) << "cleared for the next object";
    EXPECT_EQ(0, persistence.LevelIndex());
}

} // namespace
