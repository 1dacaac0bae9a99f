// The data object base: observers told once per update bracket, walked
// safely while they detach, copies, and the image base's pixel arrays.
#include "zaf/data/ZafData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "zaf/data/ZafImageData.h"

namespace {

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
    TestNote data;
    Watcher a, b, c;
};

TEST_F(ZafNotificationTest, OneEntryPerObjectAndFunctionAndSubtractAnswersTheNextObserver)
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

    data.SubtractNotification(&a, RecordOther);
    data.AddNotification(&b, Record, 3);
    data.AddNotification(&c, Record, 3);
    EXPECT_EQ(&b, data.SubtractNotification(&a, Record));
    EXPECT_EQ(nullptr, data.SubtractNotification(&a)) << "not found";
    EXPECT_EQ(nullptr, data.SubtractNotification(&c, RecordOther)) << "other function";
    EXPECT_EQ(nullptr, data.SubtractNotification(&c)) << "it was the last entry";
    EXPECT_EQ(nullptr, data.SubtractNotification(&b));
    EXPECT_EQ(0, data.NotificationCount());
    data.SetText("nobody listens");
    EXPECT_TRUE(callLog.empty());
}

TEST_F(ZafNotificationTest, ObserversAreCalledInOrderOfAdditionOrOneObjectAlone)
{
    std::vector<Watcher> watchers(12);
    for (std::size_t i = 0; i < watchers.size(); i++) {
        watchers[i].SetStringID(std::to_string(i).c_str());
        data.AddNotification(&watchers[i], Record, 2);
    }
    data.SetText("x");
    EXPECT_EQ((std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}), callLog);
    callLog.clear();
    data.AddNotification(&b, Record, 3);
    data.AddNotification(&b, RecordOther, 3);
    data.Notify(&b);
    EXPECT_EQ((std::vector<std::string>{"b", "b"}), callLog);
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
    EXPECT_EQ(1, TestNote().Notify());
}

// The notification table stays sound while observers detach or delete the
// data object during the walk.
TEST_F(ZafNotificationTest, ObserversMayDetachOrDeleteTheDataDuringTheWalk)
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

    callLog.clear();
    TestNote *shared = new TestNote;
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

TEST(ZafData, DefaultNamesCountUpAndACopyHasANewNameAndNoObservers)
{
    TestNote first;
    const int start = std::atoi(first.StringID() + 7);
    ASSERT_EQ(0, std::strncmp(first.StringID(), "ZafData", 7));
    std::vector<TestNote> more(4);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ("ZafData" + std::to_string(start + 1 + i), more[i].StringID());

    TestNote source("t");
    source.SetNumberID(12);
    Watcher watcher;
    source.AddNotification(&watcher, Record, 3);
    source.SetError(5);
    std::unique_ptr<ZafData> copy(source.Duplicate());
    EXPECT_STRNE(source.StringID(), copy->StringID());
    EXPECT_EQ(12, copy->NumberID());
    EXPECT_EQ(0, copy->NotificationCount());
    EXPECT_EQ(0u, copy->Error());
    EXPECT_EQ("t", static_cast<TestNote *>(copy.get())->text);
    EXPECT_TRUE(copy->Destroyable());
    EXPECT_EQ(copy.get(), copy->FindByStringID(copy->StringID()));
    EXPECT_EQ(nullptr, copy->FindByStringID("zafdata"));
    EXPECT_EQ(copy.get(), copy->FindByNumberID(12));
    source.SubtractNotification(&watcher);
}

} // namespace
