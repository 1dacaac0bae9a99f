// Code sets: texts crossing to Windows through the current code set and
// back, the directory separator, and code sets in the UI data file.
#include "zaf/data/ZafCodeSetData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/data/ZafPath.h"

namespace {

// Writes a code set of the two tables under the name into a new UI data file.
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

// Without a code set, and with the built-in one, texts pass unchanged; the
// static buffer holds at most 255 characters.
TEST(ZafCodeSetData, TheBuiltInCodeSetPassesTextUnchanged)
{
    I18nScope scope(false);
    ASSERT_EQ(nullptr, zafCodeSet);
    EXPECT_STREQ("caf\xE9", ConvertTextByCodeSet("caf\xE9"));
    EXPECT_STREQ("caf\xE9", ConvertTextToISO("caf\xE9"));
    EXPECT_EQ(nullptr, ConvertTextByCodeSet(nullptr));
    EXPECT_EQ(nullptr, ConvertTextToISO(nullptr, nullptr, true));
    EXPECT_STREQ("\\", GetDirectorySeparator());
    EXPECT_EQ(255u, std::strlen(ConvertTextByCodeSet(std::string(300, 'x').c_str())));

    InitializeCodeSet(nullptr);
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("ISO8859-1", zafCodeSet->StringID());
    std::string all;
    for (int c = 1; c < 256; c++)
        all += static_cast<char>(c);
    std::unique_ptr<char[]> local(ConvertTextByCodeSet(all.c_str(), nullptr, true));
    std::unique_ptr<char[]> back(ConvertTextToISO(local.get(), nullptr, true));
    EXPECT_EQ(all, local.get());
    EXPECT_EQ(all, back.get());
}

// Code page 850 against Latin-1, as Windows converts them: every Latin-1
// character that the code page has goes there and back unchanged, and both
// directions agree with WideCharToMultiByte / MultiByteToWideChar.
TEST(ZafCodeSetData, ConvertsBothWaysAsWindowsDoes)
{
    I18nScope scope(false);
    std::unique_ptr<ZafCodeSetData> codeSet(MakeCodePageSet(850));
    int converted = 0;
    for (int c = 0x20; c < 256; c++) {
        const WCHAR wide = static_cast<WCHAR>(c);
        char expected = 0;
        BOOL lost = FALSE;
        if (WideCharToMultiByte(850, WC_NO_BEST_FIT_CHARS, &wide, 1, &expected, 1, nullptr, &lost) != 1 || lost)
            continue;
        const char text[2] = {static_cast<char>(c), 0};
        char local[2] = {}, back[2] = {};
        EXPECT_EQ(1, codeSet->ISOToLocalChar(static_cast<unsigned char>(c), local)) << c;
        EXPECT_EQ(expected, local[0]) << c;
        EXPECT_STREQ(local, codeSet->ISOToLocal(text, nullptr, false)) << c;
        EXPECT_EQ(1, codeSet->LocalToISOChar(local, back)) << c;
        EXPECT_EQ(text[0], back[0]) << c;
        converted += local[0] != text[0];
    }
    EXPECT_GT(converted, 60) << "850 places most accented letters elsewhere than Latin-1";
    char buffer[16];
    EXPECT_STREQ("caf\x82 \x94l", codeSet->ISOToLocal("caf\xE9 \xF6l", buffer, false));
    EXPECT_STREQ("caf\xE9 \xF6l", codeSet->LocalToISO("caf\x82 \x94l", buffer, false));
    const std::string text(300, 'x');
    EXPECT_EQ(255u, std::strlen(codeSet->ISOToLocal(text.c_str(), nullptr, false)));
    EXPECT_EQ(255u, std::strlen(codeSet->LocalToISO(text.c_str(), nullptr, false)));
    std::unique_ptr<char[]> whole(codeSet->ISOToLocal(text.c_str(), nullptr, true));
    EXPECT_EQ(300u, std::strlen(whole.get()));

    // A lookup converts only its range and its non-zero entries.
    unsigned char table[256] = {};
    table['A'] = 'B';   // below the range: stays
    table[0xC4] = 0x8E; // in the range
    ZafCharLookup lookup("isoToLocal", table);
    lookup.SetRange(0x80, 0xFF);
    char out[4] = {};
    lookup.ConvertChar('A', out);
    lookup.ConvertChar(0xC4, out + 1);
    lookup.ConvertChar(0xC5, out + 2); // in the range, but 0: stays
    EXPECT_STREQ("A\x8E\xC5", out);
    lookup.SetRange(0, 0xFF);
    lookup.ConvertChar('A', out);
    EXPECT_EQ('B', out[0]);
}

// A lookup cut short is an error of the code set, not a crash, and converts
// nothing. (A code set read whole shows in its conversions after SetCodeSet.)
TEST(ZafCodeSetData, ALookupCutShortIsAnError)
{
    std::unique_ptr<ZafCodeSetData> source(MakeCodePageSet(850));
    TempDirectory dir;
    const std::string name = dir.File("short.znc");
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        ZafDataPersistence persistence(&storage);
        source->Write(persistence);
        // The second lookup names 0x80-0xFF but has 3 bytes.
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
    EXPECT_EQ(ZafError::Read, read.Error());
    EXPECT_EQ(0, persistence.LevelIndex());
    ASSERT_NE(nullptr, read.LocalToISOLookup());
    char out[2] = {};
    read.LocalToISOChar("\x81", out);
    EXPECT_EQ('\x81', out[0]) << "a table read in part converts nothing";
}

// The directory separator is the local file system's "\" turned into
// Latin-1 through the code set: a code page whose backslash byte stands for
// the yen sign (as Japanese ones do) gives the separator 0xA5, and paths
// built with it reach Windows with a backslash again. "iso8859-1" in any
// case is the built-in code set, even when the file holds one of that name.
TEST(ZafCodeSetData, TheDirectorySeparatorFollowsTheCodeSet)
{
    TempDirectory dir;
    const std::string name = dir.File("yen.znc");
    unsigned char isoToLocal[256] = {}, localToIso[256] = {};
    isoToLocal[0xA5] = '\\';
    localToIso['\\'] = 0xA5;
    WriteCodeSetFile(name, "yen", isoToLocal, localToIso);
    unsigned char upper[256] = {};
    upper['a'] = 'A';
    const std::string latin = dir.File("latin.znc");
    WriteCodeSetFile(latin, "iso8859-1", upper, nullptr);
    {
        I18nScope scope;
        ASSERT_TRUE(scope.OpenFile(name));
        InitializeCodeSet("yen");
        ASSERT_NE(nullptr, zafCodeSet);
        EXPECT_STREQ("yen", zafCodeSet->StringID());
        EXPECT_EQ(0u, zafCodeSet->Error());
        EXPECT_STREQ("\xA5", GetDirectorySeparator());
        EXPECT_EQ('\xA5', ZafDirectorySeparator());
        char path[ZafMaxPath];
        MakePath(path,
                 "C:\xA5"
                 "data",
                 "file", "txt");
        EXPECT_STREQ("C:\xA5"
                     "data\xA5"
                     "file.txt",
                     path);
        EXPECT_STREQ("C:\\data\\file.txt", ConvertTextByCodeSet(path));
    }
    {
        // A change of code set later converts the separator as start-up does.
        I18nScope scope;
        ASSERT_TRUE(scope.OpenFile(name));
        InitializeCodeSet(nullptr);
        EXPECT_STREQ("\\", GetDirectorySeparator());
        ASSERT_EQ(0, SetCodeSet("yen"));
        EXPECT_STREQ("\xA5", GetDirectorySeparator());
    }
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(latin));
    InitializeCodeSet("iso8859-1");
    ASSERT_NE(nullptr, zafCodeSet);
    EXPECT_STREQ("ISO8859-1", zafCodeSet->StringID());
    EXPECT_STREQ("abc", ConvertTextByCodeSet("abc"));
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
    ASSERT_EQ(0u, ZafDiskFile(latin.c_str(), ZafFileMode::Create | ZafFileMode::Binary).Error());
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

TEST(ZafCodeSetData, SetCodeSetKeepsTheOldOneWhenTheNameIsUnknown)
{
    I18nScope scope;
    ASSERT_TRUE(scope.OpenFile(I18nFixture()));
    EXPECT_EQ(0, SetCodeSet("850"));
    ASSERT_NE(nullptr, zafCodeSet);
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
