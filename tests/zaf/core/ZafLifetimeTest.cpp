// The library's lifetime rule: trackers that the destructor clears, events
// that name their object by event handle, windows closed during a dispatch
// deleted once it returns, call-outs that delete their own window, the
// subclass chain of bound windows, and broadcasts over many children.
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using zaftest::AddTo;
using zaftest::ThreadWindowCount;

namespace {

// A frame whose storage is one fixed slot, so that a frame made after one is
// deleted stands at the dead one's address, as a heap may well place it.
struct SlotFrame : ZafWindow
{
    SlotFrame() : ZafWindow(2, 2, 30, 8) { SetVisible(false); }
    ~SlotFrame() override { ++deaths; }
    static void *operator new(std::size_t size)
    {
        EXPECT_LE(size, sizeof(slot));
        return slot;
    }
    static void operator delete(void *) {}
    alignas(std::max_align_t) static unsigned char slot[sizeof(ZafWindow) + 64];
    static int deaths;
};
alignas(std::max_align_t) unsigned char SlotFrame::slot[sizeof(ZafWindow) + 64];
int SlotFrame::deaths = 0;

using ZafLifetimeTest = zaftest::OnScreen;

} // namespace

TEST(ZafTracker, EveryTrackerOfADeletedObjectAndEveryEventNamingItForgetIt)
{
    auto *object = new ZafWindowObject(0, 0, 1, 1);
    ZafTracker first(object), second(object), moved;
    moved.Track(object);
    moved.Track(nullptr);
    const ZafEventRecord named(ZAF_SUBTRACT_OBJECT, object);
    EXPECT_EQ(named.Object(), object);
    EXPECT_FALSE(named.ObjectGone());
    delete object;
    EXPECT_TRUE(first.Deleted());
    EXPECT_TRUE(second.Deleted());
    EXPECT_EQ(named.Object(), nullptr);
    EXPECT_TRUE(named.ObjectGone());
    // An event that names no object is not one whose object is gone.
    EXPECT_FALSE(ZafEventRecord(ZAF_CLOSE).ObjectGone());
}

TEST_F(ZafLifetimeTest, AStaleCloseEventLeavesANewWindowAtTheDeadWindowsAddressAlone)
{
    auto *dead = new SlotFrame;
    zafWindowManager->AddObject(dead);
    // The title bar's close queues an event naming the window; so does a
    // program that subtracts it later. The window goes before either runs.
    SendMessageA(dead->OSHandle(), WM_CLOSE, 0, 0);
    zafEventManager->Put(ZafEventRecord(ZAF_SUBTRACT_OBJECT, dead), ZAF_QUEUE_TAIL);
    ASSERT_EQ(zafEventManager->QueueCount(), 2);
    const void *address = dead;
    zafWindowManager->CloseWindow(dead);
    auto *fresh = new SlotFrame;
    ASSERT_EQ(static_cast<const void *>(fresh), address);
    zafWindowManager->AddObject(fresh);
    SlotFrame::deaths = 0;
    zaftest::RunLoop();
    EXPECT_EQ(SlotFrame::deaths, 0);
    EXPECT_EQ(zafWindowManager->FirstWindow(), fresh);
    // Its own close event still closes it.
    SendMessageA(fresh->OSHandle(), WM_CLOSE, 0, 0);
    zaftest::RunLoop();
    EXPECT_EQ(SlotFrame::deaths, 1);
    EXPECT_TRUE(zafWindowManager->IsEmpty());
    EXPECT_EQ(ThreadWindowCount(), before);
}

namespace {

// A frame that, asked whether it may close, deletes itself and leaves a new
// frame at its address in its place, as a heap may; then answers that it
// may close.
struct ReplacedWhenAsked : SlotFrame
{
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_CLOSE_QUERY)
            return SlotFrame::Event(event);
        delete this;
        zafWindowManager->AddObject(new SlotFrame);
        return 0;
    }
};

} // namespace

TEST_F(ZafLifetimeTest, AWindowDeletedWhileAskedToCloseLeavesTheNewWindowAtItsAddressOpen)
{
    zafWindowManager->AddObject(new ReplacedWhenAsked);
    SlotFrame::deaths = 0;
    zafWindowManager->Event(ZafEventRecord(ZAF_CLOSE));
    EXPECT_EQ(SlotFrame::deaths, 1);
    ZafWindowObject *fresh = zafWindowManager->FirstWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(static_cast<void *>(fresh), static_cast<void *>(SlotFrame::slot));
    zafWindowManager->CloseWindow(fresh);
    EXPECT_EQ(SlotFrame::deaths, 2);
    EXPECT_EQ(ThreadWindowCount(), before);
}

// --- Call-outs that delete their own window ----------------------------------

namespace {

int deaths = 0;
std::vector<void *> kept;

// The delete below keeps what the global new gave on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// A window whose memory is scribbled over and kept, not freed, when it is
// deleted: code that still reads it afterwards reads garbage (a virtual call
// through it ends the process) instead of an intact dead object.
template <class Base> struct Scribbled : Base
{
    Scribbled() : Base(2, 2, 40, 12) { this->SetVisible(false); }
    ~Scribbled() override { ++deaths; }
    static void operator delete(void *memory, std::size_t size)
    {
        std::memset(memory, 0x5A, size);
        kept.push_back(memory);
    }
};

ZafWindowObject *victim = nullptr;

ZafEventType DeleteTheVictim(ZafWindowObject *, ZafEventRecord &, ZafEventType)
{
    delete victim;
    // Not handled: the caller goes on with what it would do next.
    return ZAF_UNKNOWN;
}

// Closes the victim and answers, as a handler may, that it did not handle
// the selection.
ZafEventType CloseTheVictimUnhandled(ZafWindowObject *, ZafEventRecord &, ZafEventType)
{
    zafWindowManager->CloseWindow(victim);
    return ZAF_UNKNOWN;
}

// A windowless menu item that runs a user function on its command.
struct MenuItem : ZafWindowObject
{
    explicit MenuItem(ZafNumberID id) : ZafWindowObject(0, 0, 1, 1)
    {
        SetNumberID(id);
        SetOwnWindow(false);
        SetUserFunction(DeleteTheVictim);
    }
    bool IsMenuItem() const override { return true; }
};

// An object that deletes the victim when an event of the code reaches it,
// and counts the events of that code that reach it.
constexpr ZafEventType deleteCode = 30001;
struct Receiver : ZafWindowObject
{
    explicit Receiver(bool deletes) : ZafWindowObject(0, 0, 1, 1), deletes(deletes) { SetOwnWindow(false); }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != deleteCode)
            return ZafWindowObject::Event(event);
        ++received;
        if (deletes)
            delete victim;
        return ZAF_UNKNOWN;
    }
    bool deletes;
    static int received;
};
int Receiver::received = 0;

// A child window that deletes the victim when a key reaches it.
struct KeyPane : ZafWindow
{
    KeyPane() : ZafWindow(1, 1, 20, 5) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != ZAF_KEY_EVENT)
            return ZafWindow::Event(event);
        delete victim;
        return ZAF_UNKNOWN;
    }
};

ZafWindow *ShownVictim()
{
    auto *frame = new Scribbled<ZafWindow>;
    victim = frame;
    zafWindowManager->AddObject(frame);
    return frame;
}

struct CallOutSite
{
    const char *name;
    void (*run)();
};

const CallOutSite callOutSites[] = {
    {"a menu item's user function, the command left unhandled",
     [] {
         ZafWindow *frame = ShownVictim();
         frame->AddObject(new MenuItem(40));
         SendMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(40, 0), 0);
     }},
    {"a child's Event in a broadcast, with children after it",
     [] {
         ZafWindow *frame = ShownVictim();
         frame->AddObject(new Receiver(false));
         frame->AddObject(new Receiver(true));
         frame->AddObject(new Receiver(false));
         Receiver::received = 0;
         frame->BroadcastEvent(ZafEventRecord(deleteCode), 1);
         EXPECT_EQ(Receiver::received, 2) << "the walk ends with its window";
     }},
    {"a parent window's Event for a key passed up",
     [] {
         ZafWindow *frame = ShownVictim();
         auto *pane = AddTo(frame, new KeyPane);
         auto *field = AddTo(pane, new ZafWindowObject(1, 1, 10, 1));
         ASSERT_NE(field->OSHandle(), nullptr);
         SendMessageA(field->OSHandle(), WM_KEYDOWN, VK_F5, 0);
     }},
    {"the default button's user function, closing its window on Enter in another child",
     [] {
         ZafWindow *frame = ShownVictim();
         auto *field = AddTo(frame, new ZafWindowObject(1, 1, 10, 1));
         auto *button = AddTo(frame, new ZafWindowObject(1, 3, 10, 1));
         button->SetUserFunction(CloseTheVictimUnhandled);
         frame->SetDefaultButton(button, false);
         SendMessageA(field->OSHandle(), WM_KEYDOWN, VK_RETURN, 0);
     }},
    {"a modal dialog's user function run from its loop",
     [] {
         auto *dialog = new Scribbled<ZafDialogWindow>;
         victim = dialog;
         dialog->SetUserFunction(DeleteTheVictim);
         zafEventManager->Put(ZafEventRecord(ZAF_SELECT), ZAF_QUEUE_TAIL);
         EXPECT_EQ(dialog->Control(), ZAF_DIALOG_CANCEL);
     }},
};

class ZafCallOutTest : public zaftest::OnScreen, public testing::WithParamInterface<CallOutSite>
{};

} // namespace

TEST_P(ZafCallOutTest, AWindowDeletedByItsOwnCallOutIsNotTouchedAgain)
{
    deaths = 0;
    GetParam().run();
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(zafWindowManager->IsEmpty());
    EXPECT_EQ(ThreadWindowCount(), before);
    for (void *memory : kept)
        ::operator delete(memory);
    kept.clear();
}

INSTANTIATE_TEST_SUITE_P(Sites, ZafCallOutTest, testing::ValuesIn(callOutSites),
                         [](const testing::TestParamInfo<CallOutSite> &info) {
                             return "Site" + std::to_string(info.index);
                         });

namespace {

bool aliveAfterClose = false;

ZafEventType CloseTheVictim(ZafWindowObject *, ZafEventRecord &, ZafEventType)
{
    const int deathsBefore = deaths;
    zafWindowManager->CloseWindow(victim);
    aliveAfterClose = deaths == deathsBefore && victim->Parent() == nullptr;
    return ZAF_SELECT;
}

} // namespace

TEST_F(ZafLifetimeTest, AWindowClosedDuringADispatchIsDeletedWhenTheDispatchReturns)
{
    deaths = 0;
    ZafWindow *frame = ShownVictim();
    AddTo(frame, new MenuItem(41))->SetUserFunction(CloseTheVictim);
    PostMessageA(frame->OSHandle(), WM_COMMAND, MAKEWPARAM(41, 0), 0);
    zaftest::RunLoop();
    EXPECT_TRUE(aliveAfterClose) << "gone from the screen, not yet deleted, while its handler ran";
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(ThreadWindowCount(), before);
    for (void *memory : kept)
        ::operator delete(memory);
    kept.clear();
}

// --- The subclass chain ------------------------------------------------------------

namespace {

// Another library's subclass of a window: it notes every message and passes
// it on to the procedure it replaced.
std::vector<UINT> subclassSaw;
WNDPROC subclassNext = nullptr;

LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    subclassSaw.push_back(message);
    return CallWindowProcA(subclassNext, window, message, wParam, lParam);
}

void InstallSubclass(HWND window)
{
    subclassNext = reinterpret_cast<WNDPROC>(SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(Subclass)));
}

bool SubclassSaw(UINT message)
{
    return std::find(subclassSaw.begin(), subclassSaw.end(), message) != subclassSaw.end();
}

constexpr UINT probeMessage = WM_USER + 5;

struct Bound : ZafWindowObject
{
    Bound() : ZafWindowObject(0, 0, 10, 1) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_OS_EVENT && event.osEvent.message == probeMessage)
            ++probes;
        return ZafWindowObject::Event(event);
    }
    int probes = 0;
};

using ZafSubclassTest = zaftest::OnScreen;

} // namespace

TEST_F(ZafSubclassTest, ASubclassInstalledBeforeOrAfterBindingSeesTheMessagesUntilTheWindowGoes)
{
    for (bool subclassFirst : {true, false}) {
        subclassSaw.clear();
        auto *object = new Bound;
        HWND window = nullptr;
        if (subclassFirst) {
            // Made and subclassed elsewhere, then bound to the object.
            window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
            InstallSubclass(window);
            ZafBindCreatedWindow(
                object, [](void *made) { return *static_cast<HWND *>(made); }, &window);
        } else {
            window = ZafCreateOSWindow(object, "STATIC", WS_POPUP, "", nullptr, 0, nullptr);
            InstallSubclass(window);
        }
        ASSERT_EQ(ZafObjectFromHandle(window), object) << subclassFirst;
        SendMessageA(window, probeMessage, 0, 0);
        EXPECT_EQ(object->probes, 1) << subclassFirst;
        EXPECT_TRUE(SubclassSaw(probeMessage)) << subclassFirst;
        // Deleting the object unbinds it and destroys the window: the
        // subclass still sees the window go.
        delete object;
        EXPECT_FALSE(IsWindow(window)) << subclassFirst;
        EXPECT_TRUE(SubclassSaw(WM_DESTROY)) << subclassFirst;
        EXPECT_TRUE(SubclassSaw(WM_NCDESTROY)) << subclassFirst;
    }
    EXPECT_EQ(ThreadWindowCount(), before);
}

// --- Broadcasts over many children ----------------------------------------------

namespace {

// Counts the broadcasts that reach it; one that deletes deletes the sibling
// after it.
struct Sibling : ZafWindowObject
{
    explicit Sibling(bool deletesNext) : ZafWindowObject(0, 0, 1, 1), deletesNext(deletesNext) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != deleteCode)
            return ZafWindowObject::Event(event);
        ++received;
        if (deletesNext)
            delete Next();
        return event.type;
    }
    bool deletesNext;
    int received = 0;
};

} // namespace

TEST(ZafWindowBroadcast, SixteenThousandChildrenEachGetItOnceAndMayDeleteTheirNextSibling)
{
    // (Deleting a child searches its window's lists: the deleting run is
    // kept smaller.)
    for (auto [children, deleting] : {std::pair<int, bool>{16000, false}, {1000, true}}) {
        ZafWindow window(0, 0, 10, 10);
        for (int i = 0; i < children; ++i)
            window.AddObject(new Sibling(deleting));
        window.BroadcastEvent(ZafEventRecord(deleteCode), 0);
        const int left = deleting ? children / 2 : children;
        ASSERT_EQ(window.Count(), left) << deleting;
        int received = 0;
        for (ZafElement *e = window.First(); e; e = e->Next())
            received += static_cast<Sibling *>(e)->received;
        EXPECT_EQ(received, left) << deleting;
        EXPECT_EQ(static_cast<Sibling *>(window.Last())->received, 1) << deleting;
    }
}
