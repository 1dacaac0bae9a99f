#include "zaf/data/ZafCodeSetData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "TestI18n.h"
#include "zaf/data/ZafPath.h"

namespace
{

// Writes a code set of the two tables under the name into a new UI data file
// and saves it.
void WriteCodeSetFile(const std::string &file, const char *name, const unsigned char *isoToLocal,
                      const unsigned char *localToIso)
{
    ZafStorage storage(file.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    ZafCodeSetData codeSet(isoToLocal, localToIso);
    codeSet.SetStringID(name);
    codeSet.Write(persistence);
    ASSERT_EQ(0u, storage.Save());
}

TEST(ZafCodeSetData, WithoutACodeSetTextsPassUnchangedAndTheSeparatorIsBackslash)
{
    I18nScope scope(false);
    ASSERT_EQ(nullptr, zafCodeSet);
    EXPECT_STREQ("caf\xE9", ConvertTextByCodeSet("caf\xE9"));
    EXPECT_STREQ("caf\xE9", ConvertTextToISO("caf\xE9"));
    EXPECT_EQ(nullptr, ConvertTextByCodeSet(nullptr));
    EXPECT_EQ(nullptr, ConvertTextToISO(nullptr, nullptr, true));
    EXPECT_STREQ("\\", GetDirectorySeparator());
}

TEST(ZafCodeSetData, TheBuiltInCodeSetPassesTextUnchanged)
{
    I18nScope scope(false);
    InitializeCodeSet(nullptr);
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("ISO8859-1", zafCodeSet->StringID());
    std::string all;
    for (int c = 1; c < 256; c++)
        all += static_cast<char>(c);
    char *local = ConvertTextByCodeSet(all.c_str(), nullptr, true);
    char *back = ConvertTextToISO(local, nullptr, true);
    EXPECT_EQ(all, local);
    EXPECT_EQ(all, back);
    delete[] local;
    delete[] back;
}

TEST(ZafCodeSetData, TheStaticBufferHoldsAtMost255Characters)
{
    I18nScope scope(false);
    const std::string text(300, 'x');
    EXPECT_EQ(255u, std::strlen(ConvertTextByCodeSet(text.c_str())));
    std::unique_ptr<ZafCodeSetData> codeSet(MakeCodePageSet(850));
    EXPECT_EQ(255u, std::strlen(codeSet->ISOToLocal(text.c_str(), nullptr, false)));
    EXPECT_EQ(255u, std::strlen(codeSet->LocalToISO(text.c_str(), nullptr, false)));
    char *whole = codeSet->ISOToLocal(text.c_str(), nullptr, true);
    EXPECT_EQ(300u, std::strlen(whole));
    delete[] whole;
}

// Code page 850 against Latin-1, as Windows converts them: every Latin-1
// character that the code page has goes there and back unchanged, and both
// directions agree with WideCharToMultiByte / MultiByteToWideChar.
TEST(ZafCodeSetData, ConvertsBothWaysAsWindowsDoes)
{
    I18nScope scope(false);
    std::unique_ptr<ZafCodeSetData> codeSet(MakeCodePageSet(850));
    int converted = 0;
    for (int c = 0x20; c < 256; c++)
    {
        const WCHAR wide = static_cast<WCHAR>(c);
        char expected = 0;
        BOOL lost = FALSE;
        if (WideCharToMultiByte(850, WC_NO_BEST_FIT_CHARS, &wide, 1, &expected, 1, nullptr, &lost) != 1 || lost)
            continue;
        const char text[2] = {static_cast<char>(c), 0};
        char local[2] = {};
        EXPECT_EQ(1, codeSet->ISOToLocalChar(static_cast<unsigned char>(c), local)) << c;
        EXPECT_EQ(expected, local[0]) << c;
        EXPECT_STREQ(local, codeSet->ISOToLocal(text, nullptr, false)) << c;
        char back[2] = {};
        EXPECT_EQ(1, codeSet->LocalToISOChar(local, back)) << c;
        EXPECT_EQ(text[0], back[0]) << c;
        converted += local[0] != text[0];
    }
    EXPECT_GT(converted, 60) << "850 places most accented letters elsewhere than Latin-1";

    // A whole text, into the caller's buffer.
    char buffer[16];
    EXPECT_STREQ("caf\x82 \x94l", codeSet->ISOToLocal("caf\xE9 \xF6l", buffer, false));
    EXPECT_STREQ("caf\xE9 \xF6l", codeSet->LocalToISO("caf\x82 \x94l", buffer, false));
}

TEST(ZafCodeSetData, ALookupConvertsOnlyItsRangeAndNonZeroEntries)
{
    unsigned char table[256] = {};
    table['A'] = 'B';     // below the range: stays
    table[0xC4] = 0x8E;   // in the range
    table[0xC5] = 0;      // in the range, but 0: stays
    ZafCharLookup lookup("isoToLocal", table);
    lookup.SetRange(0x80, 0xFF);
    char out[2] = {};
    lookup.ConvertChar('A', out);
    EXPECT_EQ('A', out[0]);
    lookup.ConvertChar(0xC4, out);
    EXPECT_EQ('\x8E', out[0]);
    lookup.ConvertChar(0xC5, out);
    EXPECT_EQ('\xC5', out[0]);
    lookup.SetRange(0, 0xFF);
    lookup.ConvertChar('A', out);
    EXPECT_EQ('B', out[0]);
}

// A code set and its lookups written into a UI data file read back the
// same; a lookup cut short is an error of the code set, not a crash, and
// converts nothing.
TEST(ZafCodeSetData, WritesAndReadsItselfThroughPersistence)
{
    TempDirectory dir;
    const std::string name = dir.File("codes.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence persistence(&storage);
        std::unique_ptr<ZafCodeSetData> codeSet(MakeCodePageSet(850));
        EXPECT_EQ(0u, codeSet->Write(persistence));
        ASSERT_EQ(0u, storage.Save());
    }
    std::unique_ptr<ZafCodeSetData> original(MakeCodePageSet(850));
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    ASSERT_EQ(0u, storage.Error());
    ZafDataPersistence persistence(&storage);
    ZafCodeSetData read("850", persistence);
    EXPECT_EQ(0u, read.Error());
    EXPECT_EQ(0, persistence.LevelIndex());
    ASSERT_NE(nullptr, read.ISOToLocalLookup());
    ASSERT_NE(nullptr, read.LocalToISOLookup());
    EXPECT_EQ(0x80, read.ISOToLocalLookup()->First());
    EXPECT_EQ(0xFF, read.ISOToLocalLookup()->Last());
    EXPECT_EQ(0, std::memcmp(original->ISOToLocalLookup()->Table(), read.ISOToLocalLookup()->Table(), 256));
    EXPECT_EQ(0, std::memcmp(original->LocalToISOLookup()->Table(), read.LocalToISOLookup()->Table(), 256));

    ZafCodeSetData missing("437", persistence);
    EXPECT_EQ(14u, missing.Error());
    EXPECT_EQ(0, persistence.LevelIndex());
}

TEST(ZafCodeSetData, ALookupCutShortIsAnError)
{
    TempDirectory dir;
    const std::string name = dir.File("short.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence persistence(&storage);
        std::unique_ptr<ZafCodeSetData> codeSet(MakeCodePageSet(850));
        codeSet->Write(persistence);
        // Replace the second lookup by one that names 0x80-0xFF but has 3 bytes.
        ZafFile *file = storage.Open("~ZafCodeSetData~850~localToIso", ZafFileMode::Create, "ZafCharLookup",
                                     ZafCharLookup::classID);
        ASSERT_NE(nullptr, file);
        file->Write8(static_cast<std::uint8_t>(0x80));
        file->Write8(static_cast<std::uint8_t>(0xFF));
        file->WriteBytes("abc", 3);
        storage.Close(file);
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    ZafDataPersistence persistence(&storage);
    ZafCodeSetData read("850", persistence);
    EXPECT_EQ(16u, read.Error());
    EXPECT_EQ(0, persistence.LevelIndex());
    ASSERT_NE(nullptr, read.LocalToISOLookup());
    char out[2] = {};
    read.LocalToISOChar("\x81", out);
    EXPECT_EQ('\x81', out[0]) << "a table read in part converts nothing";
}

// The directory separator is the local file system's "\" turned into
// Latin-1 through the code set: a code page whose backslash byte stands for
// the yen sign (as Japanese ones do) gives the separator 0xA5, and paths
// built with it reach Windows with a backslash again.
TEST(ZafCodeSetData, TheDirectorySeparatorFollowsTheCodeSet)
{
    TempDirectory dir;
    const std::string name = dir.File("yen.znc");
    unsigned char isoToLocal[256] = {}, localToIso[256] = {};
    isoToLocal[0xA5] = '\\';
    localToIso['\\'] = 0xA5;
    WriteCodeSetFile(name, "yen", isoToLocal, localToIso);
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(name));
    InitializeCodeSet("yen");
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("yen", zafCodeSet->StringID());
    EXPECT_EQ(0u, zafCodeSet->Error());
    EXPECT_STREQ("\xA5", GetDirectorySeparator());
    EXPECT_EQ('\xA5', ZafDirectorySeparator());
    char path[ZafMaxPath];
    MakePath(path, "C:\xA5" "data", "file", "txt");
    EXPECT_STREQ("C:\xA5" "data\xA5" "file.txt", path);
    EXPECT_STREQ("C:\\data\\file.txt", ConvertTextByCodeSet(path));
}

// Disk file names cross to Windows through the current code set: a Latin-1
// name lands on disk in the code page's bytes, and a search gives it back
// in Latin-1.
TEST(ZafCodeSetData, DiskFileNamesCrossThroughTheCodeSet)
{
    TempDirectory dir;
    I18nScope scope(false);
    zafCodeSet = MakeCodePageSet(850);
    const std::string latin = dir.File("caf\xE9.txt");
    {
        ZafDiskFile file(latin.c_str(), ZafFileMode::Create | ZafFileMode::Binary);
        ASSERT_EQ(0u, file.Error());
        file.WriteString("x");
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.File("caf*.txt").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    FindClose(search);
    EXPECT_STREQ("caf\x82.txt", found.cFileName) << "the code page's byte for e acute";

    ZafDiskFileSystem disk;
    ZafFileInfo info;
    ASSERT_EQ(0, disk.FindFirst(info, dir.File("caf*.txt").c_str()));
    EXPECT_STREQ("caf\xE9.txt", info.name);
    disk.FindClose(info);
    EXPECT_EQ(0, disk.Remove(latin.c_str()));
}

// "iso8859-1" in any case is the built-in code set, even when the file
// holds a code set of that name.
TEST(ZafCodeSetData, TheBuiltInNameNeedsNoFile)
{
    TempDirectory dir;
    const std::string name = dir.File("latin.znc");
    unsigned char upper[256] = {};
    upper['a'] = 'A';
    WriteCodeSetFile(name, "iso8859-1", upper, nullptr);
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(name));
    InitializeCodeSet("iso8859-1");
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("ISO8859-1", zafCodeSet->StringID());
    EXPECT_STREQ("abc", ConvertTextByCodeSet("abc"));
}

TEST(ZafCodeSetData, SetCodeSetKeepsTheOldOneWhenTheNameIsUnknown)
{
    TempDirectory dir;
    const std::string name = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(name));
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(name));
    EXPECT_EQ(0, SetCodeSet("850"));
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("850", zafCodeSet->StringID());
    EXPECT_STREQ("\x82", ConvertTextByCodeSet("\xE9"));

    EXPECT_EQ(1, SetCodeSet("437"));
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("850", zafCodeSet->StringID());
    EXPECT_EQ(1u, zafCodeSet->Error());
    EXPECT_EQ(0u, zafDataPersistence->Error()) << "the next lookup starts clean";
    EXPECT_EQ(0, SetCodeSet("850"));

    EXPECT_EQ(0, SetCodeSet("ISO8859-1"));
    EXPECT_STREQ("ISO8859-1", zafCodeSet->StringID());
    EXPECT_STREQ("\xE9", ConvertTextByCodeSet("\xE9"));
}

} // namespace
