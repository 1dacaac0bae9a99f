// String data: buffer rules of owned and static data, editing, the "c", "s"
// and "[" conversions, message data and the stored form.
#include "zaf/data/ZafStringData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DataTestSupport.h"

namespace {

template <class... T> std::string Printed(const char *format, T... values)
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
    bool GuardIntact() const { return std::string(guard, sizeof guard) == std::string(sizeof guard, '#'); }
    char text[6];
    char guard[16];
};

TEST(StringData, OwnedBuffersGrowAndTheMaximumCutsTexts)
{
    EXPECT_EQ(ZafStringData("abc").BufferSize(), 14);
    EXPECT_EQ(ZafStringData("abc", 5).BufferSize(), 6);
    EXPECT_EQ(ZafStringData(nullptr).BufferSize(), 255);
    EXPECT_STREQ(ZafStringData("abcdef", 3).Text(), "abc");
    ZafStringData none(true); // static data without a buffer has none
    EXPECT_EQ(none.Text(), nullptr);
    EXPECT_EQ(none.Length(), 0);

    ZafStringData data;
    data.SetText(std::string(300, 'x').c_str());
    EXPECT_EQ(data.BufferSize(), 311);
    EXPECT_EQ(data.Text(), std::string(300, 'x'));
    data.SetText(nullptr);
    EXPECT_STREQ(data.Text(), "");
    data.SetText("abcdef", 3);
    EXPECT_STREQ(data.Text(), "abc");
    EXPECT_EQ(data.MaxLength(), 3);
    data.SetMaxLength(1000);
    EXPECT_EQ(data.BufferSize(), 1001);
    data.SetMaxLength(2);
    EXPECT_STREQ(data.Text(), "ab");
    data.SetText(data.Text() + 1); // a text inside the buffer itself
    EXPECT_STREQ(data.Text(), "b");
}

// Static data records the caller's buffer as maximum + 1 bytes, so that
// in-place edits stay inside it.
TEST(StringData, StaticDataNeverWritesPastTheCallersBuffer)
{
    char buffer[16] = "hello";
    ZafStringData data(buffer, 10, true);
    EXPECT_EQ(data.Text(), buffer);
    EXPECT_EQ(data.BufferSize(), 11);
    data.SetText("a text far longer than ten");
    EXPECT_STREQ(buffer, "a text far");

    GuardedBuffer caller("abc");
    ZafStringData limited(caller.text, -1, true);
    EXPECT_EQ(limited.BufferSize(), 4); // exactly the text it was given
    limited.SetMaxLength(5);
    EXPECT_EQ(limited.BufferSize(), 6);
    limited.Insert(1, "xyz"); // six characters do not fit maximum 5
    EXPECT_STREQ(caller.text, "abc");
    limited.Insert(1, "xy");
    EXPECT_STREQ(caller.text, "axybc");
    for (int position : {5, 9, -1})
        EXPECT_EQ(limited.SetChar(position, 'q'), 5) << position;
    EXPECT_EQ(limited.SetChar(4, 'Q'), 0);
    limited.Append("more");
    EXPECT_STREQ(caller.text, "axybQ");
    limited.SetMaxLength(4); // one below the text's length: cut
    EXPECT_STREQ(caller.text, "axyb");
    EXPECT_TRUE(caller.GuardIntact());

    GuardedBuffer unlimited("abcde");
    ZafStringData noMaximum(unlimited.text, -1, true);
    noMaximum.SetText("a much longer text");
    noMaximum.Append("xyz");
    EXPECT_STREQ(unlimited.text, "a muc");
    EXPECT_TRUE(unlimited.GuardIntact());
}

TEST(StringData, CopiesAndOwnedDataHaveTheirOwnTextStaticCopiesShareIt)
{
    char buffer[8] = "abc";
    ZafStringData data(buffer, 7, true);
    ZafStringData sharedCopy(data);
    EXPECT_EQ(sharedCopy.Text(), buffer);
    EXPECT_FALSE(data.SetStaticData(false));
    EXPECT_NE(data.Text(), buffer);
    data.SetText("xy");
    EXPECT_STREQ(buffer, "abc");
    ZafStringData owned("abc", 8);
    ZafStringData copy(owned);
    EXPECT_NE(copy.Text(), owned.Text());
    EXPECT_STREQ(copy.Text(), "abc");
    EXPECT_EQ(copy.MaxLength(), 8);
    std::unique_ptr<char[]> text(owned.DuplicateText());
    EXPECT_NE(text.get(), owned.Text());
    EXPECT_STREQ(text.get(), "abc");
}

// Positions are clamped to the text, not to the buffer size.
TEST(StringData, EditsAreClampedToTheText)
{
    ZafStringData data("abc");
    data.Insert(1, "xy");
    data.Insert(0, "123456789", 2);
    EXPECT_STREQ(data.Text(), "12axybc");
    data.Insert(2, std::string(20, 'z').c_str());
    EXPECT_EQ(data.Text(), "12" + std::string(20, 'z') + "axybc");
    EXPECT_EQ(data.BufferSize(), 7 + 20 + 11);
    data.Insert(3, "");
    data.Insert(3, nullptr);
    EXPECT_EQ(data.Length(), 27);
    ZafStringData ends("abc");
    ends.Insert(10, "xy"); // past the end appends, before the start prepends
    ends.Insert(-4, "<");
    EXPECT_STREQ(ends.Text(), "<abcxy");
    ZafStringData limited("abc", 4);
    limited.Insert(1, "xyz");
    EXPECT_STREQ(limited.Text(), "axyz");

    ZafStringData text("abcdef");
    text.Delete(1, 2);
    EXPECT_STREQ(text.Text(), "adef");
    text.Delete(2, 100);
    text.Delete(5, 1);
    text.Delete(-1, 1);
    text.Delete(0, 0);
    EXPECT_STREQ(text.Text(), "ad");
    ZafStringData words("one two three");
    words.DeleteText("two ");
    words.DeleteText("four");
    words.Replace(4, 5, "2");
    words.Append("!");
    EXPECT_STREQ(words.Text(), "one 2!");
}

TEST(StringData, SetCharGrowsOwnedDataWithinTheMaximum)
{
    ZafStringData data("ab");
    EXPECT_EQ(data.SetChar(0, 'X'), 0);
    EXPECT_EQ(data.SetChar(2, 'c'), 0);
    EXPECT_EQ(data.SetChar(5, 'f'), 0); // the gap is filled with blanks
    EXPECT_STREQ(data.Text(), "Xbc  f");
    EXPECT_EQ(data.SetChar(300, 'z'), 0);
    EXPECT_EQ(data.BufferSize(), 555);
    EXPECT_EQ(data.Length(), 301);
    ZafStringData small("ab");
    EXPECT_EQ(small.SetChar(13, 'n'), 0); // the last byte of 14: grows
    EXPECT_EQ(small.BufferSize(), 255);
    EXPECT_EQ(small.Length(), 14);
    ZafStringData limited("ab", 3);
    EXPECT_EQ(limited.SetChar(3, 'x'), 5);
    EXPECT_EQ(limited.SetChar(2, 'x'), 0);
    EXPECT_STREQ(limited.Text(), "abx");

    ZafStringData latin("Straße \xC4");
    EXPECT_EQ(latin.Compare("Straße \xC4", false), 0);
    EXPECT_EQ(latin.Compare("straße \xE4", false), -1);
    EXPECT_EQ(latin.Compare("STRAßE \xE4", true), 0);
    EXPECT_EQ(latin.Compare("A", false), 1);
    EXPECT_LT(latin.Compare("stz", true), 0);
}

TEST(StringPrint, TextsCharactersAndDataObjects)
{
    const char *const abc = "abc";
    const struct
    {
        const char *format, *expected;
    } texts[] = {{"%s", "abc"},       {"%.2s", "ab"},    {"%.0s|", "|"},      {"%5s|", "  abc|"},
                 {"%-5s|", "abc  |"}, {"%05s", "00abc"}, {"%-05s|", "abc  |"}};
    for (const auto &c : texts)
        EXPECT_EQ(Printed(c.format, abc), c.expected) << c.format;
    EXPECT_EQ(Printed("%2s", "abcd"), "abcd");
    EXPECT_EQ(Printed("%s", static_cast<const char *>(nullptr)), "(null)");
    EXPECT_EQ(Printed("%c%c|%3c|%-3c|", 'x', 'y', 'x', 'x'), "xy|  x|x  |");

    ZafStringData data("hello");
    EXPECT_EQ(Printed("%Zs|%Zc|%.3Zs", &data, &data, &data), "hello|h|hel");
    ZafStringData none(true);
    EXPECT_EQ(Printed("[%Zs][%Zc][%3Zs]", &none, &none, &none), "[][][]");
    char buffer[32];
    EXPECT_EQ(data.FormattedText(buffer, 31, "<%-7s>"), 9);
    EXPECT_STREQ(buffer, "<hello  >");
}

TEST(StringScan, WordsSkipBlanksCharactersTakeThemSetsTakeTheirCharacters)
{
    ZafStringData::RegisterConversions();
    const struct
    {
        const char *format, *text;
        int result;
        const char *first, *second;
    } cases[] = {{"%s%s", "  one\xA0two", 2, "one", "two"},
                 {"%3s%s", "abcdef", 2, "abc", "def"},
                 {"%s", "   ", 1, "", ""}, // nothing taken is still a value
                 {"%*s %s", "skip keep", 1, "keep", ""},
                 {"%c%c", " xy", 2, " ", "x"},
                 {"%4c", "a b c", 1, "a b ", ""},
                 {"%5c", "ab", 1, "ab", ""},
                 {"%[a-c]-%s", "ab-xy", 2, "ab", "xy"}, // the set ends where the format goes on
                 {"%[a-c]", "abcd", 1, "abc", ""},
                 {"%[a-c]", "dabc", 0, "untouched", ""},
                 {"%[^a]", "xyza", 1, "xyz", ""},
                 {"%[]a]", "]a]b", 1, "]a]", ""},
                 {"%[^]]", "ab]c", 1, "ab", ""},
                 {"%[a-]", "a-b", 1, "a-", ""},
                 {"%[c-a]", "c-ab", 1, "c-a", ""},
                 {"%[abc", "abcd", 1, "abc", ""},
                 {"%[a-c]d", "abd", 1, "ab", ""},
                 {"%2[a-z]", "abc", 1, "ab", ""},
                 {"%[ ]", "  x", 1, "  ", ""},
                 {"%[\xE0-\xFF]", "\xE9\xE8z", 1, "\xE9\xE8", ""},
                 {"%[a-c]%[x-z]", "abxyq", 2, "ab", "xy"}};
    for (const auto &c : cases) {
        char a[32] = "", b[32] = "";
        if (c.result == 0)
            std::strcpy(a, "untouched");
        EXPECT_EQ(ZafFormatData::Scan(c.text, c.format, a, b), c.result) << c.format << " '" << c.text << "'";
        EXPECT_STREQ(a, c.first) << c.format << " '" << c.text << "'";
        EXPECT_STREQ(b, c.second) << c.format << " '" << c.text << "'";
    }
}

// Scanning with the 'Z' flag copies the input into the data's buffer within
// its bound.
TEST(StringScan, IntoDataIsBoundedByItsBuffer)
{
    GuardedBuffer caller("abc");
    ZafStringData fixed(caller.text, 5, true);
    EXPECT_EQ(fixed.ScanText("a long input text", "%[^\n]"), 1);
    EXPECT_STREQ(caller.text, "a lon");
    EXPECT_TRUE(caller.GuardIntact());
    ZafStringData owned("x");
    EXPECT_EQ(owned.ScanText(std::string(400, 'w').c_str(), "%s"), 1);
    EXPECT_EQ(owned.Text(), std::string(400, 'w'));
    ZafStringData limited("x", 4);
    EXPECT_EQ(limited.ScanText("abcdefgh", "%s"), 1);
    EXPECT_STREQ(limited.Text(), "abcd");
}

TEST(StringData, EveryChangeNotifiesOnce)
{
    ZafStringData data("abc");
    CountingObserver observer(data);
    int expected = 0;
    auto step = [&](int calls) {
        expected += calls;
        EXPECT_EQ(observer.calls, expected) << data.Text();
    };
    data.SetText("abcdef"), step(1);
    data.Insert(1, "xy"), step(1);
    data.Replace(0, 2, "Q"), step(1); // a delete and an insert: one notification
    EXPECT_STREQ(data.Text(), "Qybcdef");
    data.DeleteText("zzz"), step(0);
    data.DeleteText("yb"), step(1);
    data.Append("!"), data.Delete(0, 1), step(2);
    data.SetChar(0, 'c', true), step(0);
    data.SetChar(0, 'C'), step(1);
    data.SetMaxLength(3), step(0);
    data.SetFormattedText("word rest", "%s"), step(1);
    EXPECT_STREQ(data.Text(), "wor");
    data.Clear(), step(1);
    EXPECT_STREQ(data.Text(), "");
}

TEST(MessageData, HotKeyIsUpperCasedAndMarksTheNextNotification)
{
    ZafMessageData message("&Open", 'o', 17);
    EXPECT_EQ(message.HotKey(), 'O');
    EXPECT_EQ(message.Value(), 17u);
    EXPECT_EQ(ZafMessageData("\xE9t\xE9", '\xE9', 0).HotKey(), '\xC9');
    EXPECT_EQ(ZafMessageData("", '\xFF', 0).HotKey(), '\xFF');
    CountingObserver observer(message);
    EXPECT_EQ(message.SetHotKey('o', 17), 'O');
    EXPECT_EQ(message.UpdateType() & ZafNotification::oneShot, 0u); // nothing changed
    message.SetHotKey('p', 17);
    EXPECT_EQ(observer.calls, 0); // it does not notify by itself
    message.SetText("&Print");
    EXPECT_EQ(observer.calls, 1);
    EXPECT_EQ(observer.lastKinds & ZafNotification::oneShot, ZafNotification::oneShot);
    message.SetText("&Print all");
    EXPECT_EQ(observer.lastKinds & ZafNotification::oneShot, 0u);
    std::unique_ptr<ZafData> copy(message.Duplicate());
    EXPECT_EQ(copy->ClassID(), ZafStringData::classID) << "a message's duplicate is plain string data";
    EXPECT_STREQ(static_cast<ZafStringData *>(copy.get())->Text(), "&Print all");
}

// A static text reads back owned, with its maximum. (The stored form is
// checked by the round trip, failed reads by the corrupt-input runs.)
TEST(StringData, ReadsBackOwned)
{
    DataFile file;
    char buffer[11] = "hello";
    ZafStringData fixed(buffer, 10, true);
    ASSERT_EQ(file.Write(fixed, "greeting"), 0u);
    std::unique_ptr<ZafStringData> read = file.Read<ZafStringData>("greeting");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_STREQ(read->Text(), "hello");
    EXPECT_EQ(read->BufferSize(), 11);
    EXPECT_FALSE(read->StaticData());
}

} // namespace
