// String data: buffer rules of owned and static data, editing, and the "c",
// "s" and "[" conversions.
#include "zaf/data/ZafStringData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <class... T>
std::string Printed(const char *format, T... values)
{
    ZafStringData::RegisterConversions();
    char buffer[256];
    ZafFormatData::Print(buffer, sizeof buffer, format, values...);
    return buffer;
}

// A caller's buffer with a guard after it that no operation may touch.
struct GuardedBuffer
{
    explicit GuardedBuffer(const char *initial)
    {
        std::memset(this, '#', sizeof *this);
        std::strcpy(text, initial);
    }
    bool GuardIntact() const
    {
        for (char c : guard)
            if (c != '#')
                return false;
        return true;
    }
    char text[6];
    char guard[16];
};

} // namespace

// ---- Buffers ---------------------------------------------------------------------

TEST(StringData, BufferSizeAtConstruction)
{
    EXPECT_EQ(ZafStringData("abc").BufferSize(), 14);
    EXPECT_EQ(ZafStringData("abc", 5).BufferSize(), 6);
    EXPECT_EQ(ZafStringData(nullptr).BufferSize(), 255);
    ZafStringData empty;
    EXPECT_EQ(empty.BufferSize(), 255);
    EXPECT_STREQ(empty.Text(), "");
    EXPECT_EQ(empty.MaxLength(), -1);
    ZafStringData cut("abcdef", 3);
    EXPECT_STREQ(cut.Text(), "abc");
    ZafStringData none(true);  // static data without a buffer has none
    EXPECT_EQ(none.Text(), nullptr);
    EXPECT_EQ(none.BufferSize(), 0);
    EXPECT_EQ(none.Length(), 0);
}

TEST(StringData, OwnedBufferGrowsForLongTexts)
{
    ZafStringData data;
    std::string text(300, 'x');
    data.SetText(text.c_str());
    EXPECT_EQ(data.BufferSize(), 311);
    EXPECT_EQ(data.Text(), text);
    data.SetText("short");
    EXPECT_EQ(data.BufferSize(), 311);
    data.SetText(nullptr);
    EXPECT_STREQ(data.Text(), "");
}

TEST(StringData, MaximumLengthCutsTexts)
{
    ZafStringData data;
    data.SetText("abcdef", 3);
    EXPECT_STREQ(data.Text(), "abc");
    EXPECT_EQ(data.MaxLength(), 3);
    data.SetMaxLength(1000);
    EXPECT_EQ(data.BufferSize(), 1001);
    EXPECT_STREQ(data.Text(), "abc");
    data.SetMaxLength(2);
    EXPECT_STREQ(data.Text(), "ab");
    data.SetText(data.Text() + 1);  // a text inside the buffer itself
    EXPECT_STREQ(data.Text(), "b");
}

TEST(StringData, StaticDataUsesTheCallersBuffer)
{
    char buffer[16] = "hello";
    ZafStringData data(buffer, 10, true);
    EXPECT_EQ(data.Text(), buffer);
    EXPECT_EQ(data.BufferSize(), 11);
    data.SetText("bye");
    EXPECT_STREQ(buffer, "bye");
    data.SetText("a text far longer than ten");
    EXPECT_STREQ(buffer, "a text far");
}

TEST(StringData, StaticMaximumClaimsOnlyMaximumPlusOne)
{
    GuardedBuffer caller("abc");
    ZafStringData data(caller.text, -1, true);
    EXPECT_EQ(data.BufferSize(), 4);  // exactly the text it was given
    data.SetMaxLength(5);
    EXPECT_EQ(data.BufferSize(), 6);
    // Six characters do not fit maximum 5: nothing changes in place.
    data.Insert(1, "xyz");
    EXPECT_STREQ(caller.text, "abc");
    data.Insert(1, "xy");
    EXPECT_STREQ(caller.text, "axybc");
    EXPECT_EQ(data.SetChar(5, 'q'), 5);   // the terminator's byte
    EXPECT_EQ(data.SetChar(9, 'q'), 5);
    EXPECT_EQ(data.SetChar(-1, 'q'), 5);
    EXPECT_EQ(data.SetChar(4, 'Q'), 0);
    EXPECT_STREQ(caller.text, "axybQ");
    data.Append("more");
    EXPECT_STREQ(caller.text, "axybQ");
    EXPECT_TRUE(caller.GuardIntact());
}

TEST(StringData, StaticWithoutMaximumNeverWritesPastTheText)
{
    GuardedBuffer caller("abcde");
    ZafStringData data(caller.text, -1, true);
    data.SetText("a much longer text");
    EXPECT_STREQ(caller.text, "a muc");
    data.Append("xyz");
    EXPECT_STREQ(caller.text, "a muc");
    EXPECT_TRUE(caller.GuardIntact());
}

TEST(StringData, SwitchingStaticToOwnedCopiesTheText)
{
    char buffer[8] = "abc";
    ZafStringData data(buffer, 7, true);
    EXPECT_FALSE(data.SetStaticData(false));
    EXPECT_NE(data.Text(), buffer);
    EXPECT_STREQ(data.Text(), "abc");
    data.SetText("xy");
    EXPECT_STREQ(buffer, "abc");
}

TEST(StringData, CopiesOwnTheirTextUnlessStatic)
{
    ZafStringData owned("abc", 8);
    ZafStringData copy(owned);
    EXPECT_NE(copy.Text(), owned.Text());
    EXPECT_STREQ(copy.Text(), "abc");
    EXPECT_EQ(copy.MaxLength(), 8);
    char buffer[8] = "xyz";
    ZafStringData shared(buffer, 7, true);
    ZafStringData sharedCopy(shared);
    EXPECT_EQ(sharedCopy.Text(), buffer);
}

// ---- Editing ---------------------------------------------------------------------

TEST(StringData, InsertInPlaceByGrowingAndWithinTheMaximum)
{
    ZafStringData data("abc");
    data.Insert(1, "xy");
    EXPECT_STREQ(data.Text(), "axybc");
    data.Insert(0, "123456789", 2);
    EXPECT_STREQ(data.Text(), "12axybc");
    std::string longText(20, 'z');
    data.Insert(2, longText.c_str());
    EXPECT_EQ(data.Text(), "12" + longText + "axybc");
    EXPECT_EQ(data.BufferSize(), 7 + 20 + 11);
    data.Insert(3, "");
    data.Insert(3, nullptr);
    EXPECT_EQ(data.Length(), 27);

    ZafStringData ends("abc");
    ends.Insert(10, "xy");  // past the end appends, before the start prepends
    ends.Insert(-4, "<");
    EXPECT_STREQ(ends.Text(), "<abcxy");

    ZafStringData limited("abc", 4);
    limited.Insert(1, "xyz");
    EXPECT_STREQ(limited.Text(), "axyz");
    EXPECT_EQ(limited.BufferSize(), 5);
}

TEST(StringData, DeleteIsClampedToTheText)
{
    ZafStringData data("abcdef");
    data.Delete(1, 2);
    EXPECT_STREQ(data.Text(), "adef");
    data.Delete(2, 100);
    EXPECT_STREQ(data.Text(), "ad");
    data.Delete(5, 1);
    data.Delete(-1, 1);
    data.Delete(0, 0);
    EXPECT_STREQ(data.Text(), "ad");
}

TEST(StringData, DeleteTextAndReplace)
{
    ZafStringData data("one two three");
    data.DeleteText("two ");
    EXPECT_STREQ(data.Text(), "one three");
    data.DeleteText("four");
    EXPECT_STREQ(data.Text(), "one three");
    data.Replace(4, 5, "2");
    EXPECT_STREQ(data.Text(), "one 2");
    data.Append("!");
    EXPECT_STREQ(data.Text(), "one 2!");
}

TEST(StringData, SetCharGrowsOwnedData)
{
    ZafStringData data("ab");
    EXPECT_EQ(data.SetChar(0, 'X'), 0);
    EXPECT_STREQ(data.Text(), "Xb");
    EXPECT_EQ(data.SetChar(2, 'c'), 0);
    EXPECT_STREQ(data.Text(), "Xbc");
    EXPECT_EQ(data.SetChar(5, 'f'), 0);  // the gap is filled with blanks
    EXPECT_STREQ(data.Text(), "Xbc  f");
    EXPECT_EQ(data.SetChar(300, 'z'), 0);
    EXPECT_EQ(data.BufferSize(), 555);
    EXPECT_EQ(data.Length(), 301);
    ZafStringData small("ab");
    EXPECT_EQ(small.SetChar(13, 'n'), 0);  // the last byte of 14: grows
    EXPECT_EQ(small.BufferSize(), 255);
    EXPECT_EQ(small.Length(), 14);
    ZafStringData limited("ab", 3);
    EXPECT_EQ(limited.SetChar(3, 'x'), 5);
    EXPECT_EQ(limited.SetChar(2, 'x'), 0);
    EXPECT_STREQ(limited.Text(), "abx");
}

TEST(StringData, CompareWithAndWithoutCase)
{
    ZafStringData data("Straße \xC4");
    EXPECT_EQ(data.Compare("Straße \xC4", false), 0);
    EXPECT_EQ(data.Compare("straße \xE4", false), -1);
    EXPECT_EQ(data.Compare("STRAßE \xE4", true), 0);
    EXPECT_EQ(data.Compare("A", false), 1);
    EXPECT_LT(data.Compare("stz", true), 0);
}

// ---- Conversions -------------------------------------------------------------------

TEST(StringPrint, TextsAndCharacters)
{
    EXPECT_EQ(Printed("%s", "abc"), "abc");
    EXPECT_EQ(Printed("%s", static_cast<const char *>(nullptr)), "(null)");
    EXPECT_EQ(Printed("%.2s", "abc"), "ab");
    EXPECT_EQ(Printed("%.0s|", "abc"), "|");
    EXPECT_EQ(Printed("%5s|", "abc"), "  abc|");
    EXPECT_EQ(Printed("%-5s|", "abc"), "abc  |");
    EXPECT_EQ(Printed("%05s", "abc"), "00abc");
    EXPECT_EQ(Printed("%-05s|", "abc"), "abc  |");
    EXPECT_EQ(Printed("%2s", "abcd"), "abcd");
    EXPECT_EQ(Printed("%c%c", 'x', 'y'), "xy");
    EXPECT_EQ(Printed("%3c|", 'x'), "  x|");
    EXPECT_EQ(Printed("%-3c|", 'x'), "x  |");
}

TEST(StringPrint, DataObjects)
{
    ZafStringData data("hello");
    EXPECT_EQ(Printed("%Zs|%Zc|%.3Zs", &data, &data, &data), "hello|h|hel");
    ZafStringData none(true);
    EXPECT_EQ(Printed("[%Zs][%Zc][%3Zs]", &none, &none, &none), "[][][]");
    char buffer[32];
    EXPECT_EQ(data.FormattedText(buffer, 31, "<%-7s>"), 9);
    EXPECT_STREQ(buffer, "<hello  >");
}

struct TwoTargetCase
{
    const char *format;
    const char *text;
    int result;
    const char *first;
    const char *second;
};

class StringScanTwo : public ::testing::TestWithParam<TwoTargetCase> {};

TEST_P(StringScanTwo, WordsSkipBlanksCharactersTakeThem)
{
    ZafStringData::RegisterConversions();
    const TwoTargetCase &c = GetParam();
    char a[32] = "", b[32] = "";
    EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, a, b), c.result) << c.format << " '" << c.text << "'";
    EXPECT_STREQ(a, c.first) << c.format << " '" << c.text << "'";
    EXPECT_STREQ(b, c.second) << c.format << " '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(Letters, StringScanTwo, ::testing::Values(
    TwoTargetCase{"%s%s", "  one\xA0two", 2, "one", "two"}, TwoTargetCase{"%3s%s", "abcdef", 2, "abc", "def"},
    TwoTargetCase{"%s", "   ", 1, "", ""},  // nothing taken is still a value
    TwoTargetCase{"%*s %s", "skip keep", 1, "keep", ""}, TwoTargetCase{"%c%c", " xy", 2, " ", "x"},
    TwoTargetCase{"%4c", "a b c", 1, "a b ", ""}, TwoTargetCase{"%5c", "ab", 1, "ab", ""},
    TwoTargetCase{"%[a-c]-%s", "ab-xy", 2, "ab", "xy"}));  // the set ends where the format goes on

struct SetCase
{
    const char *format;
    const char *text;
    int result;
    const char *taken;
};

class StringSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(StringSet, TakesTheCharactersOfTheSet)
{
    ZafStringData::RegisterConversions();
    char target[32] = "untouched";
    const SetCase &c = GetParam();
    EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, target), c.result) << c.format << " " << c.text;
    EXPECT_STREQ(target, c.taken) << c.format << " " << c.text;
}

INSTANTIATE_TEST_SUITE_P(Sets, StringSet, ::testing::Values(
    SetCase{"%[a-c]", "abcd", 1, "abc"}, SetCase{"%[a-c]", "dabc", 0, "untouched"},
    SetCase{"%[^a]", "xyza", 1, "xyz"}, SetCase{"%[]a]", "]a]b", 1, "]a]"},
    SetCase{"%[^]]", "ab]c", 1, "ab"}, SetCase{"%[a-]", "a-b", 1, "a-"},
    SetCase{"%[c-a]", "c-ab", 1, "c-a"}, SetCase{"%[abc", "abcd", 1, "abc"},
    SetCase{"%[a-c]d", "abd", 1, "ab"}, SetCase{"%2[a-z]", "abc", 1, "ab"},
    SetCase{"%[ ]", "  x", 1, "  "}, SetCase{"%[\xE0-\xFF]", "\xE9\xE8z", 1, "\xE9\xE8"},
    SetCase{"%[a-c]%[x-z]", "abxyq", 1, "ab"}));

TEST(StringScan, IntoDataIsBoundedByItsBuffer)
{
    GuardedBuffer caller("abc");
    ZafStringData fixed(caller.text, 5, true);
    EXPECT_EQ(fixed.ScanText("a long input text", "%[^\n]"), 1);
    EXPECT_STREQ(caller.text, "a lon");
    EXPECT_TRUE(caller.GuardIntact());

    ZafStringData owned("x");
    std::string longInput(400, 'w');
    EXPECT_EQ(owned.ScanText(longInput.c_str(), "%s"), 1);
    EXPECT_EQ(owned.Text(), longInput);

    ZafStringData limited("x", 4);
    EXPECT_EQ(limited.ScanText("abcdefgh", "%s"), 1);
    EXPECT_STREQ(limited.Text(), "abcd");
}

// ---- Data object: notification, message data, persistence ----------------------------

#include "TestDataObjects.h"

namespace {

TEST(StringData, EveryChangeNotifiesOnce)
{
    ZafStringData data("abc");
    CountingObserver observer(data);
    data.SetText("abcdef");
    EXPECT_EQ(observer.calls, 1);
    data.Insert(1, "xy");
    EXPECT_EQ(observer.calls, 2);
    data.Replace(0, 2, "Q");  // a delete and an insert: one notification
    EXPECT_EQ(observer.calls, 3);
    EXPECT_STREQ(data.Text(), "Qybcdef");
    data.DeleteText("zzz");
    EXPECT_EQ(observer.calls, 3);
    data.DeleteText("yb");
    EXPECT_EQ(observer.calls, 4);
    data.Append("!");
    data.Delete(0, 1);
    EXPECT_EQ(observer.calls, 6);
    data.SetChar(0, 'c', true);
    EXPECT_EQ(observer.calls, 6);
    data.SetChar(0, 'C');
    EXPECT_EQ(observer.calls, 7);
    data.SetMaxLength(3);
    EXPECT_EQ(observer.calls, 7);
    data.SetFormattedText("word rest", "%s");
    EXPECT_EQ(observer.calls, 8);
    EXPECT_STREQ(data.Text(), "wor");
    data.Clear();
    EXPECT_EQ(observer.calls, 9);
    EXPECT_STREQ(data.Text(), "");
}

TEST(StringData, ClassTestsAndDuplicatesAreCopies)
{
    ZafStringData data("text", 8);
    EXPECT_TRUE(data.IsClassID(3101));
    EXPECT_TRUE(data.IsClassName("ZafData"));
    std::unique_ptr<ZafData> copy(data.Duplicate());
    auto *string = dynamic_cast<ZafStringData *>(copy.get());
    ASSERT_NE(string, nullptr);
    EXPECT_STREQ(string->Text(), "text");
    EXPECT_EQ(string->MaxLength(), 8);
    std::unique_ptr<char[]> text(data.DuplicateText()), converted(data.DuplicateConvertedText());
    EXPECT_STREQ(text.get(), "text");
    EXPECT_NE(text.get(), data.Text());
    EXPECT_STREQ(converted.get(), "text");
}

TEST(MessageData, HotKeyIsUpperCasedAndMarksTheNextNotification)
{
    ZafMessageData message("&Open", 'o', 17);
    EXPECT_EQ(message.HotKey(), 'O');
    EXPECT_EQ(message.Value(), 17u);
    EXPECT_STREQ(message.Text(), "&Open");
    EXPECT_EQ(ZafMessageData("\xE9t\xE9", '\xE9', 0).HotKey(), '\xC9');
    EXPECT_EQ(ZafMessageData("", '\xFF', 0).HotKey(), '\xFF');

    CountingObserver observer(message);
    EXPECT_EQ(message.SetHotKey('o', 17), 'O');
    EXPECT_EQ(message.UpdateType() & ZafNotification::oneShot, 0u);  // nothing changed
    EXPECT_EQ(observer.calls, 0);
    message.SetHotKey('p', 17);
    EXPECT_EQ(observer.calls, 0);  // it does not notify by itself
    message.SetText("&Print");
    EXPECT_EQ(observer.calls, 1);
    EXPECT_EQ(observer.lastKinds & ZafNotification::oneShot, ZafNotification::oneShot);
    message.SetText("&Print all");
    EXPECT_EQ(observer.lastKinds & ZafNotification::oneShot, 0u);
}

TEST(MessageData, IsAStringDataWhoseDuplicateIsPlain)
{
    ZafMessageData message("Save", 's', 3);
    EXPECT_TRUE(message.IsClassID(3105));
    EXPECT_TRUE(message.IsClassName("ZafStringData"));
    std::unique_ptr<ZafData> copy(message.Duplicate());
    EXPECT_EQ(copy->ClassID(), 3105);
    EXPECT_STREQ(static_cast<ZafStringData *>(copy.get())->Text(), "Save");
    EXPECT_EQ(message.ReadFunction(), ZafStringData::New);
}

TEST(StringData, WritesSavesAndReadsBack)
{
    DataFile file;
    ZafStringData data("hello", 10);
    ASSERT_EQ(file.Write(data, "greeting"), 0u);
    std::vector<unsigned char> expected = {10, 0, 5, 0, 'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(file.StoredBytes("~greeting"), expected);
    std::unique_ptr<ZafStringData> read = file.Read<ZafStringData>("greeting");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_STREQ(read->Text(), "hello");
    EXPECT_EQ(read->MaxLength(), 10);
    EXPECT_EQ(read->BufferSize(), 11);
    EXPECT_FALSE(read->StaticData());
}

TEST(StringData, StaticAndEmptyTextsReadBackOwned)
{
    DataFile file;
    char buffer[8] = "fixed";
    ZafStringData fixed(buffer, 7, true);
    ASSERT_EQ(file.Write(fixed, "fixed"), 0u);
    std::unique_ptr<ZafStringData> read = file.Read<ZafStringData>("fixed");
    EXPECT_STREQ(read->Text(), "fixed");
    EXPECT_NE(read->Text(), buffer);
    EXPECT_FALSE(read->StaticData());

    ZafStringData empty;
    ASSERT_EQ(file.Write(empty, "empty"), 0u);
    EXPECT_EQ(file.StoredBytes("~empty"), (std::vector<unsigned char>{0xFF, 0xFF, 0, 0}));
    read = file.Read<ZafStringData>("empty");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_STREQ(read->Text(), "");
    EXPECT_EQ(read->MaxLength(), -1);
    EXPECT_EQ(read->BufferSize(), 255);
}

TEST(StringData, AFailedReadLeavesNoBufferAndStaysUsable)
{
    DataFile file;
    ZafStringData data("x");
    ASSERT_EQ(file.Write(data, "present"), 0u);
    std::unique_ptr<ZafStringData> missing = file.Read<ZafStringData>("absent");
    EXPECT_EQ(missing->Error(), ZafFileError::Open);
    EXPECT_EQ(missing->Text(), nullptr);
    EXPECT_EQ(missing->Length(), 0);
    missing->Insert(0, "ab");
    missing->Delete(0, 1);
    char printed[8];
    EXPECT_EQ(missing->FormattedText(printed, 7, "%s"), 0);
    missing->Clear();
    EXPECT_STREQ(missing->Text(), "");
    EXPECT_EQ(missing->Error(), 0u);

    // A length word promising more than the record holds.
    ASSERT_TRUE(file.ReplaceBytes("~present", {0xFF, 0xFF, 40, 0, 'a'}, ZafStringData::className,
                                  ZafStringData::classID));
    std::unique_ptr<ZafStringData> cut = file.Read<ZafStringData>("present");
    EXPECT_EQ(cut->Error(), ZafFileError::Read);
    EXPECT_EQ(cut->Text(), nullptr);
}

} // namespace
