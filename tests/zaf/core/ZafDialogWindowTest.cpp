// Modal dialogs and MDI windows on screen.
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/support/ModalLoop.h"
#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int dialogDeaths = 0;

struct Dialog : ZafDialogWindow
{
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

HWND mainWindow;
bool mainWasDisabled;

// Timer procedures that run once the dialog's modal loop runs: the close
// box (WM_CLOSE to every window), and an OK that notes whether the main
// window was disabled meanwhile.
void CALLBACK CloseEveryWindow(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    for (ZafElement *e = zafWindowManager->First(); e; e = e->Next())
        PostMessageA(static_cast<ZafWindowObject *>(e)->OSHandle(), WM_CLOSE, 0, 0);
}

void CALLBACK AnswerOK(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    mainWasDisabled = !IsWindowEnabled(mainWindow);
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
}

// A main window behind the dialog, shown (hidden) through the manager.
ZafWindow *MainWindow()
{
    auto *main = new ZafWindow(0, 0, 20, 5);
    main->SetVisible(false);
    zafWindowManager->AddObject(main);
    return main;
}

using ZafDialogWindowTest = zaftest::OnScreen;

RECT shownAt;

// Notes where the running dialog's window stands, then answers OK.
void CALLBACK NotePlaceAndAnswerOK(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow())
        GetWindowRect(dialog->OSHandle(2), &shownAt);
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_OK), ZAF_QUEUE_TAIL);
}

// A shown owner at a place in pixels, and the dialog run over it; where the
// dialog stood.
RECT RunOver(const RECT &ownerPlace, bool centredOnScreen)
{
    auto *owner = new ZafWindow(0, 0, 1, 1);
    owner->SetCoordinateType(ZAF_PIXEL);
    owner->SetRegion(ZafRegionRect(ownerPlace.left, ownerPlace.top, ownerPlace.right, ownerPlace.bottom, ZAF_PIXEL));
    zafWindowManager->AddObject(owner);
    auto *dialog = new Dialog;
    dialog->SetVisible(true);
    if (centredOnScreen)
        zafWindowManager->CenterObject(dialog);
    shownAt = RECT();
    SetTimer(nullptr, 0, 1, NotePlaceAndAnswerOK);
    EXPECT_EQ(ZAF_DIALOG_OK, dialog->Control());
    delete dialog;
    zafWindowManager->CloseWindow(owner);
    return shownAt;
}

} // namespace

TEST_F(ZafDialogWindowTest, ADialogOpensCentredOnItsOwnerAndWholeOnTheScreen)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const RECT owner = {work.left + 40, work.top + 60, work.left + 640, work.top + 460};
    // The dialog's region is in cells: its place is rounded to the cell grid.
    const int cellWidth = zafScreenDisplay->CellWidth(), cellHeight = zafScreenDisplay->CellHeight();
    RECT shown = RunOver(owner, false);
    ASSERT_GT(shown.right, shown.left);
    EXPECT_NEAR((owner.left + owner.right) / 2, (shown.left + shown.right) / 2, cellWidth);
    EXPECT_NEAR((owner.top + owner.bottom) / 2, (shown.top + shown.bottom) / 2, cellHeight);

    // An owner at the screen's bottom-right corner: the dialog moves in.
    const RECT corner = {work.right - 120, work.bottom - 80, work.right + 380, work.bottom + 320};
    shown = RunOver(corner, false);
    ASSERT_GT(shown.right, shown.left);
    EXPECT_GE(shown.left, work.left);
    EXPECT_GE(shown.top, work.top);
    EXPECT_LE(shown.right, work.right);
    EXPECT_LE(shown.bottom, work.bottom);

    // Centred on the screen by its caller, it stays there.
    shown = RunOver(owner, true);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (shown.left + shown.right) / 2, cellWidth);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (shown.top + shown.bottom) / 2, cellHeight);
}

namespace {

// A visible top-level window in pixels.
ZafWindow *ShownAt(const RECT &place, bool visible = true)
{
    auto *window = new ZafWindow(0, 0, 1, 1);
    window->SetCoordinateType(ZAF_PIXEL);
    window->SetRegion(ZafRegionRect(place.left, place.top, place.right, place.bottom, ZAF_PIXEL));
    window->SetVisible(visible);
    zafWindowManager->AddObject(window);
    return window;
}

POINT Centre(const RECT &r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT boxAt;
void CALLBACK NoteBoxAndAnswer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = testsupport::FindThreadMessageBox();
    if (!box)
        return;
    KillTimer(nullptr, id);
    GetWindowRect(box, &boxAt);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

} // namespace

TEST_F(ZafDialogWindowTest, ADialogOpensOnTheWindowItsCallerNamesOrWhereTheUserWorks)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int cellWidth = zafScreenDisplay->CellWidth(), cellHeight = zafScreenDisplay->CellHeight();
    const RECT mainPlace = {work.left + 20, work.top + 20, work.left + 820, work.top + 620};
    const RECT namedPlace = {work.left + 400, work.top + 300, work.left + 700, work.top + 500};
    ZafWindow *main = ShownAt(mainPlace);
    zafWindowManager->SetMainWindow(main);
    ZafWindow *named = ShownAt(namedPlace);
    // A hidden window in front of the others (a list the user closed) is
    // never where a dialog opens.
    ZafWindow *hidden = ShownAt({work.right - 300, work.bottom - 200, work.right, work.bottom}, false);

    const auto run = [](Dialog *dialog) {
        shownAt = RECT();
        SetTimer(nullptr, 0, 1, NotePlaceAndAnswerOK);
        EXPECT_EQ(ZAF_DIALOG_OK, dialog->Control());
        delete dialog;
        return Centre(shownAt);
    };
    auto *dialog = new Dialog;
    dialog->SetVisible(true);
    dialog->SetOpener(named);
    POINT at = run(dialog);
    EXPECT_NEAR(Centre(namedPlace).x, at.x, cellWidth);
    EXPECT_NEAR(Centre(namedPlace).y, at.y, cellHeight);

    // Named none: the active window when it is shown, else the main window.
    SetActiveWindow(hidden->OSHandle());
    dialog = new Dialog;
    dialog->SetVisible(true);
    at = run(dialog);
    EXPECT_NEAR(Centre(mainPlace).x, at.x, cellWidth);
    EXPECT_NEAR(Centre(mainPlace).y, at.y, cellHeight);

    // Placed by its caller (at the mouse, say): it stays where it was put.
    dialog = new Dialog;
    dialog->SetVisible(true);
    dialog->SetOpener(named);
    dialog->SetRegion(ZafRegionRect(work.left + 30, work.top + 40, work.left + 329, work.top + 139, ZAF_PIXEL));
    dialog->SetPlaced(true);
    run(dialog);
    EXPECT_EQ(work.left + 30, shownAt.left);
    EXPECT_EQ(work.top + 40, shownAt.top);

    // A message box owned by a window opens centred on it.
    SetTimer(nullptr, 0, 10, NoteBoxAndAnswer);
    boxAt = RECT();
    EXPECT_EQ(IDOK, ZafMessageBox(named->OSHandle(), nullptr, "Centred", "Box", MB_OK));
    ASSERT_GT(boxAt.right, boxAt.left);
    EXPECT_NEAR(Centre(namedPlace).x, Centre(boxAt).x, 1);
    EXPECT_NEAR(Centre(namedPlace).y, Centre(boxAt).y, 1);

    for (ZafWindow *window : {hidden, named, main})
        zafWindowManager->CloseWindow(window);
}

TEST_F(ZafDialogWindowTest, EndsWithThePostedCodeAndIsDeletedOnceByItsCaller)
{
    for (ZafEventType code : {ZAF_DIALOG_OK, ZAF_DIALOG_CANCEL, ZAF_DIALOG_DELETE}) {
        dialogDeaths = 0;
        auto *dialog = new Dialog;
        zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY), ZAF_QUEUE_TAIL);
        zafEventManager->Put(ZafEventRecord(code), ZAF_QUEUE_TAIL);
        EXPECT_EQ(dialog->Control(), code);
        EXPECT_EQ(dialog->applies, 1) << code;
        EXPECT_EQ(dialog->OSHandle(), nullptr) << code;
        EXPECT_TRUE(zafWindowManager->IsEmpty()) << code;
        EXPECT_EQ(dialogDeaths, 0) << code;
        delete dialog;
        EXPECT_EQ(dialogDeaths, 1) << code;
    }
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafDialogWindowTest, ClosingOrSubtractingItEndsAsCancelAndLeavesTheDeleteToTheCaller)
{
    for (bool titleBar : {true, false}) {
        dialogDeaths = 0;
        auto *dialog = new Dialog;
        if (titleBar)
            SetTimer(nullptr, 0, 1, CloseEveryWindow);
        else
            zafEventManager->Put(ZafEventRecord(ZAF_SUBTRACT_OBJECT, dialog), ZAF_QUEUE_TAIL);
        EXPECT_EQ(dialog->Control(), ZAF_DIALOG_CANCEL) << titleBar;
        ASSERT_EQ(dialogDeaths, 0) << titleBar;
        EXPECT_TRUE(zafWindowManager->IsEmpty()) << titleBar;
        delete dialog;
    }
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}

TEST_F(ZafDialogWindowTest, OtherWindowsAreDisabledWhileTheDialogRuns)
{
    ZafWindow *main = MainWindow();
    auto *dialog = new Dialog;
    mainWindow = main->OSHandle();
    mainWasDisabled = false;
    SetTimer(nullptr, 0, 1, AnswerOK);
    EXPECT_EQ(dialog->Control(), ZAF_DIALOG_OK);
    EXPECT_TRUE(mainWasDisabled);
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
        if (event.type != ZAF_DIALOG_APPLY)
            return Dialog::Event(event);
        delete this;
        return ZAF_DIALOG_APPLY;
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
    ZafWindow *main = MainWindow();
    auto *dialog = new SelfDeletingDialog;
    zafEventManager->Put(ZafEventRecord(ZAF_DIALOG_APPLY), ZAF_QUEUE_TAIL);
    EXPECT_EQ(dialog->Control(), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(dialogDeaths, 1);
    EXPECT_TRUE(IsWindowEnabled(main->OSHandle()));
    EXPECT_EQ(zafWindowManager->FirstWindow(), main);
    ::operator delete(SelfDeletingDialog::scribbled);
    zafWindowManager->CloseWindow(main);
}

using ZafMDIWindowTest = zaftest::OnScreen;

TEST_F(ZafMDIWindowTest, AFrameWithTwoChildrenOneMaximisedThatLeaveThroughTheClient)
{
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    frame->SetVisible(false);
    auto *plain = new ZafMDIWindow(1, 1, 20, 6);
    auto *big = new ZafMDIWindow(3, 3, 20, 6);
    big->SetMaximized(true);
    frame->AddObject(plain);
    frame->AddObject(big);
    zafWindowManager->AddObject(frame);
    ASSERT_NE(frame->OSHandle(), nullptr);
    HWND client = frame->OSHandle(1);
    ASSERT_NE(client, frame->OSHandle());
    char name[32];
    GetClassNameA(client, name, sizeof(name));
    EXPECT_STREQ(name, "MDIClient");
    ASSERT_NE(plain->OSHandle(), nullptr);
    ASSERT_NE(big->OSHandle(), nullptr);
    EXPECT_EQ(GetParent(plain->OSHandle()), client);
    EXPECT_EQ(GetParent(big->OSHandle()), client);
    EXPECT_TRUE(IsZoomed(big->OSHandle()));
    EXPECT_EQ(frame->ActiveChild(), big);
    // Closing the plain child from its title bar deletes it; the frame stays.
    HWND plainWindow = plain->OSHandle();
    SendMessageA(plainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(plainWindow));
    EXPECT_EQ(frame->Count(), 1);
    // Deleting the active child takes it out through the client, which then
    // no longer answers it as active.
    HWND bigWindow = big->OSHandle();
    delete big;
    EXPECT_FALSE(IsWindow(bigWindow));
    EXPECT_NE(reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)), bigWindow);
    EXPECT_EQ(zafWindowManager->CloseWindow(frame), ZAF_NO_WINDOWS);
    EXPECT_FALSE(IsWindow(client));
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}
