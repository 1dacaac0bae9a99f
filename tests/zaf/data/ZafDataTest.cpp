#include "zaf/data/ZafData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "zaf/data/ZafImageData.h"
#include "zaf/data/ZafStorage.h"

namespace {

// A data class with one text, following the library's read and write pattern.
class TestText : public ZafData
{
public:
    static constexpr ZafClassID classID = 9500;
    static constexpr const char *className = "TestText";
    TestText() = default;
    TestText(const char *name, ZafDataPersistence &persistence)
        : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
    {
        if (persistence.Error() == 0)
        {
            char *read = nullptr;
            persistence.File()->ReadString(&read);
            text = read ? read : "";
            delete[] read;
        }
        persistence.PopLevel();
        if (persistence.Error() != 0)
            SetError(persistence.Error());
    }
    static ZafElement *New(const char *name, ZafDataPersistence &persistence)
    {
        return new TestText(name, persistence);
    }
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    std::uint32_t Write(ZafDataPersistence &persistence) override
    {
        persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry);
        if (ZafData::Write(persistence) == 0)
            persistence.File()->WriteString(text.c_str());
        persistence.PopLevel();
        return SetError(persistence.Error());
    }
    ZafData *Duplicate() override { return new TestText(*this); }
    void Clear() override { SetText(""); }
    ZafReadFunction ReadFunction() override { return New; }

    void SetText(const std::string &value)
    {
        StartUpdate();
        text = value;
        EndUpdate(true);
    }
    std::string text;
};

// Observers that record their calls.
struct Watcher : ZafElement
{
    std::vector<ZafUpdateType> calls;
    std::function<void()> onCall;
};

std::vector<std::string> callLog;

int Record(ZafElement *observer, ZafUpdateType kinds)
{
    Watcher *watcher = static_cast<Watcher *>(observer);
    watcher->calls.push_back(kinds);
    callLog.push_back(watcher->StringID() ? watcher->StringID() : "?");
    if (watcher->onCall)
        watcher->onCall();
    return 0;
}

int RecordOther(ZafElement *observer, ZafUpdateType kinds)
{
    return Record(observer, kinds | 0x100);
}

class ZafNotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        callLog.clear();
        a.SetStringID("a");
        b.SetStringID("b");
        c.SetStringID("c");
    }
    TestText data;
    Watcher a, b, c;
};

TEST_F(ZafNotificationTest, OneEntryPerObjectAndFunction)
{
    data.AddNotification(&a, Record, 3);
    data.AddNotification(&a, Record, 7);
    EXPECT_EQ(1, data.NotificationCount());
    EXPECT_EQ(3u, data.FindNotificationData(&a)) << "the first mask stays";
    data.AddNotification(&a, RecordOther, 3);
    EXPECT_EQ(2, data.NotificationCount());
    EXPECT_EQ(6u, data.SetNotificationData(&a, 6));
    EXPECT_EQ(0u, data.SetNotificationData(&b, 6));
    EXPECT_EQ(0u, data.FindNotificationData(&b));
}

TEST_F(ZafNotificationTest, SubtractAnswersTheObserverThatMovesUp)
{
    data.AddNotification(&a, Record, 3);
    data.AddNotification(&b, Record, 3);
    data.AddNotification(&c, Record, 3);
    EXPECT_EQ(&b, data.SubtractNotification(&a, Record));
    EXPECT_EQ(nullptr, data.SubtractNotification(&a)) << "not found";
    EXPECT_EQ(nullptr, data.SubtractNotification(&c, RecordOther)) << "other function";
    EXPECT_EQ(nullptr, data.SubtractNotification(&c)) << "it was the last entry";
    EXPECT_EQ(1, data.NotificationCount());
    EXPECT_EQ(nullptr, data.SubtractNotification(&b));
    EXPECT_EQ(0, data.NotificationCount());
    data.SetText("nobody listens");
    EXPECT_TRUE(callLog.empty());
}

TEST_F(ZafNotificationTest, ManyObserversAreCalledInOrderOfAddition)
{
    std::vector<Watcher> watchers(12);
    for (std::size_t i = 0; i < watchers.size(); i++)
    {
        watchers[i].SetStringID(std::to_string(i).c_str());
        data.AddNotification(&watchers[i], Record, 2);
    }
    data.SetText("x");
    EXPECT_EQ((std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}), callLog);
}

TEST_F(ZafNotificationTest, NestedBracketsNotifyOnceAtTheOuterEnd)
{
    data.AddNotification(&a, Record, 3);
    data.AddNotification(&b, Record, 1);
    data.StartUpdate();
    data.SetText("x");
    data.SetText("y");
    EXPECT_TRUE(a.calls.empty());
    EXPECT_EQ(0, data.EndUpdate(true));
    EXPECT_EQ((std::vector<ZafUpdateType>{2}), a.calls) << "bit 0 is never passed";
    EXPECT_TRUE(b.calls.empty()) << "mask 1 is never called";
    data.StartUpdate();
    data.SetText("z");
    data.EndUpdate(false);
    EXPECT_EQ(1u, a.calls.size()) << "closed without telling";
}

TEST_F(ZafNotificationTest, OneShotKindIsClearedAndChangesFromObserversDoNotNotify)
{
    data.AddNotification(&a, Record, 6);
    a.onCall = [&] { data.SetText("changed by the observer"); };
    data.SetUpdateType(7);
    EXPECT_EQ(0, data.Notify());
    EXPECT_EQ((std::vector<ZafUpdateType>{6}), a.calls);
    EXPECT_EQ(3u, data.UpdateType());
    data.SetUpdateType(1);
    EXPECT_EQ(1, data.Notify()) << "nothing but bit 0";
    TestText empty;
    EXPECT_EQ(1, empty.Notify());
}

TEST_F(ZafNotificationTest, NotifyForOneObjectCallsOnlyItsEntries)
{
    data.AddNotification(&a, Record, 3);
    data.AddNotification(&b, Record, 3);
    data.AddNotification(&b, RecordOther, 3);
    data.Notify(&b);
    EXPECT_EQ((std::vector<std::string>{"b", "b"}), callLog);
}

// Mended: the table was walked in place while observers detached or deleted
// the data object.
TEST_F(ZafNotificationTest, ObserversMayDetachDuringTheWalk)
{
    data.AddNotification(&a, Record, 3);
    data.AddNotification(&b, Record, 3);
    data.AddNotification(&c, Record, 3);
    a.onCall = [&] { data.SubtractNotification(&a); };
    b.onCall = [&] { data.SubtractNotification(&c); };
    data.SetText("x");
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), callLog) << "c was detached before its turn";
    EXPECT_EQ(1, data.NotificationCount());
    callLog.clear();
    data.SetText("y");
    EXPECT_EQ((std::vector<std::string>{"b"}), callLog);
}

TEST_F(ZafNotificationTest, ObserverMayDeleteTheDataObject)
{
    TestText *shared = new TestText;
    shared->AddNotification(&a, Record, 3);
    shared->AddNotification(&b, Record, 3);
    a.onCall = [&] {
        shared->SubtractNotification(&a);
        shared->SubtractNotification(&b);
        delete shared;
    };
    shared->SetText("last");
    EXPECT_EQ((std::vector<std::string>{"a"}), callLog);
}

TEST(ZafData, DefaultNamesCountUp)
{
    TestText first;
    const int start = std::atoi(first.StringID() + 7);
    ASSERT_EQ(0, std::strncmp(first.StringID(), "ZafData", 7));
    std::vector<TestText> more(4);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ("ZafData" + std::to_string(start + 1 + i), more[i].StringID());
}

TEST(ZafData, CopyHasANewNameAndNoObservers)
{
    TestText original;
    original.SetNumberID(12);
    original.text = "t";
    Watcher watcher;
    original.AddNotification(&watcher, Record, 3);
    original.SetError(5);
    std::unique_ptr<ZafData> copy(original.Duplicate());
    EXPECT_STRNE(original.StringID(), copy->StringID());
    EXPECT_EQ(12, copy->NumberID());
    EXPECT_EQ(0, copy->NotificationCount());
    EXPECT_EQ(0u, copy->Error());
    EXPECT_EQ("t", static_cast<TestText *>(copy.get())->text);
    EXPECT_TRUE(copy->Destroyable());
    EXPECT_EQ(copy.get(), copy->FindByStringID(copy->StringID()));
    EXPECT_EQ(nullptr, copy->FindByStringID("zafdata"));
    EXPECT_EQ(copy.get(), copy->FindByNumberID(12));
}

TEST(ZafData, ClassTestsFallBackToTheBase)
{
    TestText text;
    EXPECT_TRUE(text.IsClassID(3100));
    EXPECT_TRUE(text.IsClassName("ZafData"));
    EXPECT_FALSE(text.IsClassID(3115));
    EXPECT_EQ(9500, text.ClassID());
}

TEST(ZafData, WritesAndReadsThroughPersistence)
{
    TempDirectory dir;
    ZafStorage storage(dir.File("d.znc").c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    TestText text;
    text.SetStringID("greeting");
    text.text = "hello";
    EXPECT_EQ(0u, text.Write(persistence));
    EXPECT_EQ(TestText::New, persistence.GetDataConstructor(TestText::classID, nullptr))
        << "writing enters the class's constructor";
    ZafDirectoryElement *entry = storage.ResolvePath("~greeting");
    ASSERT_NE(nullptr, entry);
    EXPECT_STREQ("TestText", entry->StringID());

    ZafElement *read = persistence.GetDataConstructor(0, "TestText")("greeting", persistence);
    EXPECT_STREQ("greeting", read->StringID());
    EXPECT_EQ("hello", static_cast<TestText *>(read)->text);
    EXPECT_EQ(0u, static_cast<TestText *>(read)->Error());
    delete read;

    TestText missing("nothing", persistence);
    EXPECT_EQ(ZafFileError::Open, missing.Error());
    EXPECT_EQ("", missing.text);
    EXPECT_STREQ("nothing", missing.StringID());
}

// An image class whose objects stand on their own (entry type 0) over the
// image base's level.
class TestImage : public ZafImageData
{
public:
    TestImage() = default;
    TestImage(const char *name, ZafDataPersistence &persistence)
        : ZafImageData(name, persistence.PushLevel("TestImage", 9600, ZafDataPersistence::topLevelEntry))
    {
        if (persistence.Error() == 0)
            persistence.File()->ReadInt32(image.width);
        persistence.PopLevel();
    }
    ZafClassID ClassID() const override { return 9600; }
    const char *ClassName() const override { return "TestImage"; }
    std::uint32_t Write(ZafDataPersistence &persistence) override
    {
        persistence.PushLevel("TestImage", 9600, ZafDataPersistence::topLevelEntry);
        if (ZafImageData::Write(persistence) == 0)
            persistence.File()->WriteInt32(image.width);
        persistence.PopLevel();
        return persistence.Error();
    }
    ZafData *Duplicate() override { return new TestImage(*this); }
    void Clear() override {}
    ZafReadFunction ReadFunction() override { return nullptr; }
    ZafImageStruct image;
};

TEST(ZafImageData, DerivedImageStandsUnderItsClassDirectory)
{
    TempDirectory dir;
    ZafStorage storage(dir.File("i.znc").c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    TestImage image;
    image.SetStringID("logo");
    image.image.width = 42;
    EXPECT_EQ(0u, image.Write(persistence));
    EXPECT_NE(nullptr, storage.ResolvePath("~TestImage~logo~objectData"));
    TestImage read("logo", persistence);
    EXPECT_EQ(0u, read.Error());
    EXPECT_EQ(42, read.image.width);
    EXPECT_TRUE(read.IsClassID(3115));
    EXPECT_TRUE(read.IsClassName("ZafImageData"));
    TestImage missing("none", persistence);
    EXPECT_EQ(ZafFileError::Open, missing.Error());
}

TEST(ZafImageData, StaticPixelsAreSharedOwnedPixelsCopied)
{
    std::uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    ZafImageStruct builtIn{3, 2, pixels, 1};
    ZafImageStruct shared;
    ZafImageData::CopyImage(shared, builtIn);
    EXPECT_EQ(pixels, shared.array);
    EXPECT_EQ(1, shared.staticArray);

    ZafImageStruct owned;
    ZafImageData::SetImage(owned, 3, 2, pixels);
    EXPECT_NE(pixels, owned.array);
    EXPECT_EQ(6, owned.array[5]);
    ZafImageStruct copy;
    ZafImageData::CopyImage(copy, owned);
    EXPECT_NE(owned.array, copy.array);
    delete[] owned.array;
    EXPECT_EQ(5, copy.array[4]) << "the copy has its own pixels";
    // Copying an owned image over a static one must not free the static array.
    ZafImageData::CopyImage(shared, copy);
    EXPECT_EQ(0, shared.staticArray);
    EXPECT_EQ(1, pixels[0]);
    delete[] shared.array;
    delete[] copy.array;

    ZafImageStruct staticTarget{0, 0, pixels, 1};
    ZafImageData::SetImage(staticTarget, 2, 1, nullptr);
    EXPECT_EQ(nullptr, staticTarget.array) << "shares nothing, frees nothing";
    ZafImageData::ClearImage(staticTarget);
    EXPECT_EQ(0, staticTarget.width);
}

TEST(ZafImageData, ImpossibleSizesGiveAnEmptyImage)
{
    ZafImageStruct image;
    ZafImageData::SetImage(image, -3, 2, nullptr);
    EXPECT_EQ(nullptr, image.array);
    EXPECT_EQ(0, image.width);
    ZafImageData::SetImage(image, 0x10000, 0x10000, nullptr);
    EXPECT_EQ(nullptr, image.array);
    ZafImageData::SetImage(image, 4, 4, nullptr);
    ASSERT_NE(nullptr, image.array);
    EXPECT_EQ(0, image.array[15]) << "no pixels given: zeros";
    delete[] image.array;
}

struct HandleRecord
{
    int bitmapHandle = 1, maskHandle = 2, iconHandle = 3;
};

TEST(ZafImageData, HandlesAreClearedAndCopied)
{
    HandleRecord a, b;
    b.bitmapHandle = 7;
    EXPECT_EQ(0, ZafImageData::CopyBitmapHandles(a, b));
    EXPECT_EQ(7, a.bitmapHandle);
    ZafImageData::ClearBitmapHandles(a);
    ZafImageData::ClearIconHandle(a);
    EXPECT_EQ(0, a.bitmapHandle + a.maskHandle + a.iconHandle);
    ZafImageData::CopyIconHandle(a, b);
    EXPECT_EQ(3, a.iconHandle);
}

} // namespace
