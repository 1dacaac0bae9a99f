#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int dialogDeaths = 0;

struct Dialog : ZafDialogWindow
{
    // Hidden: Wine waits for a window manager when a shown window goes.
    Dialog() : ZafDialogWindow(5, 3, 30, 8) { SetVisible(false); }
    ~Dialog() override { ++dialogDeaths; }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_DIALOG_APPLY)
            ++applies;
        return ZafDialogWindow::Event(event);
    }
    int applies = 0;
};

class ZafDialogWindowTest : public testing::Test
{
protected:
    ZafDialogWindowTest() : application(GetModuleHandleA(nullptr), {"test.exe"}) {}
    ZafApplication application;
};

struct EndCase
{
    ZafEventType posted;
    ZafEventType ended;
};

class DialogEnds : public ZafDialogWindowTest, public testing::WithParamInterface<EndCase>
{
};

} // namespace

TEST_P(DialogEnds, WithThePostedCodeAndIsDeletedOnceByItsCaller)
{
    dialogDeaths = 0;
    auto *dialog = new Dialog;
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY), ZAF_QUEUE_TAIL);
    zafEventManager->Put(ZafEventRecord(GetParam().posted), ZAF_QUEUE_TAIL);
    EXPECT_EQ(dialog->Control(), GetParam().ended);
    EXPECT_EQ(dialog->applies, 1);
    EXPECT_EQ(dialog->OSHandle(), nullptr);
    EXPECT_TRUE(zafWindowManager->IsEmpty());
    EXPECT_EQ(dialogDeaths, 0);
    delete dialog;
    EXPECT_EQ(dialogDeaths, 1);
}

INSTANTIATE_TEST_SUITE_P(Codes, DialogEnds,
                         testing::Values(EndCase{ZAF_DIALOG_OK, ZAF_DIALOG_OK},
                                         EndCase{ZAF_DIALOG_CANCEL, ZAF_DIALOG_CANCEL},
                                         EndCase{ZAF_DIALOG_DELETE, ZAF_DIALOG_DELETE}));

TEST_F(ZafDialogWindowTest, ClosingFromTheTitleBarEndsAsCancelWithoutDeleting)
{
    dialogDeaths = 0;
    auto *dialog = new Dialog;
    // The close box, once the loop runs: the dialog's window gets WM_CLOSE.
    struct Closer
    {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            for (ZafElement *e = zafWindowManager->First(); e; e = e->Next())
                PostMessageA(static_cast<ZafWindowObject *>(e)->OSHandle(), WM_CLOSE, 0, 0);
        }
    };
    SetTimer(nullptr, 0, 1, Closer::Fire);
    EXPECT_EQ(dialog->Control(), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(dialogDeaths, 0);
    delete dialog;
}

TEST_F(ZafDialogWindowTest, OtherWindowsAreDisabledWhileTheDialogRuns)
{
    auto *main = new ZafWindow(0, 0, 20, 5);
    main->SetVisible(false);
    zafWindowManager->AddObject(main);
    auto *dialog = new Dialog;
    static HWND mainWindow;
    static bool wasDisabled;
    mainWindow = main->OSHandle();
    wasDisabled = false;
    struct Answer
    {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            wasDisabled = !IsWindowEnabled(mainWindow);
            zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
        }
    };
    SetTimer(nullptr, 0, 1, Answer::Fire);
    EXPECT_EQ(dialog->Control(), ZAF_DIALOG_OK);
    EXPECT_TRUE(wasDisabled);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    delete dialog;
    zafWindowManager->CloseWindow(main);
}

namespace {

// A dialog that deletes itself from its own handler, as a user function
// closing its window does. Its memory is scribbled over and kept, not
// freed, so that a loop still reading the dialog reads garbage.
struct SelfDeletingDialog : Dialog
{
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_DIALOG_APPLY) {
            delete this;
            return ZAF_DIALOG_APPLY;
        }
        return Dialog::Event(event);
    }
    static void operator delete(void *memory, std::size_t size)
    {
        std::memset(memory, 0x5A, size);
        scribbled = memory;
    }
    static void *scribbled;
};

void *SelfDeletingDialog::scribbled = nullptr;

} // namespace

TEST_F(ZafDialogWindowTest, DialogDeletedInItsOwnLoopEndsTheLoopAsCancel)
{
    dialogDeaths = 0;
    auto *main = new ZafWindow(0, 0, 20, 5);
    main->SetVisible(false);
    zafWindowManager->AddObject(main);
    HWND mainWindow = main->OSHandle();
    auto *dialog = new SelfDeletingDialog;
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY), ZAF_QUEUE_TAIL);
    EXPECT_EQ(dialog->Control(), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(dialogDeaths, 1);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(zafWindowManager->FirstWindow(), main);
    ::operator delete(SelfDeletingDialog::scribbled);
    zafWindowManager->CloseWindow(main);
}
