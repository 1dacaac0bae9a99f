// The frame objects (title, system button, minimize and maximize buttons)
// checked through the frames Windows makes of them: styles, caption text and
// the system menu's items.
#include "ControlTestHarness.h"

#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafMaximizeButton.h"
#include "zaf/controls/ZafMinimizeButton.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/controls/ZafSystemButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "FieldTestSupport.h"
#include "zaf/data/ZafStringData.h"

#include <memory>
#include <string>

using controltest::ControlTest;
using controltest::ThreadWindowCount;

namespace {

class FrameTest : public ControlTest
{
protected:
    FrameTest()
    {
        ZafFrameButton::RegisterPersistence();
        ZafPullDownMenu::RegisterPersistence();
    }
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(window->OSHandle(), GWL_STYLE)); }
    HMENU SystemMenu() const { return GetSystemMenu(window->OSHandle(), FALSE); }
};

// Which frame objects a window has, and the style bits Windows shows.
struct FrameParts
{
    bool title, system, minimize, maximize;
    DWORD style;
};

class FrameStyleTest : public FrameTest, public testing::WithParamInterface<FrameParts>
{};

TEST_P(FrameStyleTest, TheFrameHasThePartsItsObjectsName)
{
    const FrameParts parts = GetParam();
    if (parts.title)
        Window()->AddObject(new ZafTitle("Survey"));
    if (parts.system)
        Window()->AddObject(new ZafSystemButton());
    if (parts.minimize)
        Window()->AddObject(new ZafMinimizeButton());
    if (parts.maximize)
        Window()->AddObject(new ZafMaximizeButton());
    Show();
    const DWORD mask = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(Style() & mask, parts.style);
}

INSTANTIATE_TEST_SUITE_P(Parts, FrameStyleTest,
                         testing::Values(FrameParts{true, true, true, true,
                                                    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
                                         FrameParts{true, true, true, false, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                                         FrameParts{true, true, false, true, WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX},
                                         FrameParts{true, false, false, false, WS_CAPTION},
                                         // Windows gives every overlapped top-level window a
                                         // caption, titled or not.
                                         FrameParts{false, true, false, false, WS_CAPTION | WS_SYSMENU}));

TEST_F(FrameTest, TheTitleIsTheCaptionAndFollowsItsText)
{
    ZafTitle *title = new ZafTitle("Survey");
    Window()->AddObject(title);
    Show();
    char caption[64] = "";
    GetWindowTextA(window->OSHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Survey");
    title->SetText("Results");
    GetWindowTextA(window->OSHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Results");
    EXPECT_EQ(Window()->FindTitle(), title);
}

// The window's flags and what its system menu then greys.
struct FrameFlags
{
    bool sizeable, movable, noClose;
};

class SystemMenuTest : public FrameTest, public testing::WithParamInterface<FrameFlags>
{};

TEST_P(SystemMenuTest, ItemsTheWindowForbidsAreGreyed)
{
    const FrameFlags flags = GetParam();
    Window()->SetSizeable(flags.sizeable);
    Window()->SetMovable(flags.movable);
    Window()->SetNoClose(flags.noClose);
    Window()->AddObject(new ZafTitle("Survey"));
    Window()->AddObject(new ZafSystemButton());
    Show();
    HMENU menu = SystemMenu();
    auto greyed = [menu](UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    // Windows' own items stay (menu kind 0).
    EXPECT_NE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(greyed(SC_SIZE), !flags.sizeable);
    EXPECT_EQ(greyed(SC_MAXIMIZE), !flags.sizeable);
    EXPECT_EQ(greyed(SC_MOVE), !flags.movable);
    EXPECT_EQ(greyed(SC_CLOSE), flags.noClose);
}

INSTANTIATE_TEST_SUITE_P(Flags, SystemMenuTest,
                         testing::Values(FrameFlags{true, true, false}, FrameFlags{false, true, false},
                                         FrameFlags{true, false, true}, FrameFlags{false, false, true}));

TEST_F(FrameTest, ASystemButtonOfItsOwnMenuShowsExactlyItsItems)
{
    auto *button = new ZafSystemButton(ZafSystemButton::ownMenu);
    auto *close = new ZafPopUpItem(nullptr, ZafPopUpItem::kindClose);
    auto *about = new ZafPopUpItem("About");
    about->SetNumberID(300);
    button->AddSubItem(close);
    button->AddSubItem(new ZafPopUpItem(nullptr, ZafPopUpItem::kindSeparator));
    button->AddSubItem(about);
    Window()->AddObject(new ZafTitle("Survey"));
    Window()->AddObject(button);
    Show();
    HMENU menu = SystemMenu();
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    // The close item is Windows' own command and only tells its user function.
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(close->UserCallback(), ZafWindowObject::CallUserFunction);
    char text[32] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Close");
    EXPECT_EQ(GetMenuItemID(menu, 2), 300u);
    EXPECT_EQ(Window()->FindObjectByNumberID(300), about);
}

TEST_F(FrameTest, FrameButtonsKeepOnlyTheValuesTheyAccept)
{
    ZafTitle title("Survey");
    ZafMinimizeButton minimize;
    ZafMaximizeButton maximize;
    const struct
    {
        ZafButton *button;
        std::int32_t given, kept;
    } rows[] = {
        {&title, -3, 0},         {&title, ZAF_MAXIMIZE, ZAF_MAXIMIZE}, {&maximize, -503, ZAF_MAXIMIZE},
        {&maximize, -502, -502}, {&minimize, -502, ZAF_MINIMIZE},      {&minimize, -503, -503},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.button->SetValue(row.given), row.kept) << row.button->ClassName() << " " << row.given;
}

ZafEventType NeverCalled(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    ADD_FAILURE() << "a frame button called out";
    return code;
}

// Windows draws and handles a frame's parts: a tip, a help context or a
// user function on them would never be shown or called, so they keep none,
// and only the system button (whose menu Windows opens) may take the focus.
TEST_F(FrameTest, FrameButtonsRefuseTextsFunctionsAndTheFocus)
{
    ZafTitle title("Survey");
    ZafMinimizeButton minimize;
    ZafMaximizeButton maximize;
    ZafSystemButton system;
    for (ZafFrameButton *button : std::initializer_list<ZafFrameButton *>{&title, &minimize, &maximize, &system}) {
        EXPECT_EQ(button->SetTipText("tip"), nullptr) << button->ClassName();
        EXPECT_EQ(button->SetSecondTipText("tip"), nullptr) << button->ClassName();
        EXPECT_EQ(button->SetHelpContext("HELP_FRAME"), nullptr) << button->ClassName();
        EXPECT_EQ(button->SetUserFunction(NeverCalled), nullptr) << button->ClassName();
        EXPECT_EQ(button->UserFunction(), nullptr) << button->ClassName();
        EXPECT_EQ(button->TipText(), nullptr) << button->ClassName();
        EXPECT_EQ(button->HelpContext(), nullptr) << button->ClassName();
    }
    for (ZafFrameButton *button : std::initializer_list<ZafFrameButton *>{&title, &minimize, &maximize}) {
        EXPECT_FALSE(button->SetFocus(true)) << button->ClassName();
        EXPECT_FALSE(button->Focus()) << button->ClassName();
    }
    EXPECT_FALSE(system.NoFocus());
}

TEST_F(FrameTest, AGenericFrameComesBackFromAUiDataFileAndLeavesNoWindowBehind)
{
    ZafFrameButton::InstallGenericObjectMaker();
    std::unique_ptr<ZafWindow> read;
    {
        ZafWindow frame(4, 4, 40, 10);
        // The system button takes the items of the menu it is given.
        auto *systemMenu = new ZafPopUpMenu(0, 0);
        systemMenu->AddObject(new ZafPopUpItem(nullptr, ZafPopUpItem::kindClose));
        auto *about = new ZafPopUpItem("About");
        about->SetNumberID(300);
        about->SetStringID("ABOUT");
        systemMenu->AddObject(about);
        ASSERT_TRUE(frame.AddGenericObjects(new ZafStringData("Survey"), systemMenu));
        auto *bar = new ZafPullDownMenu();
        bar->AddObject(new ZafPullDownItem("File"));
        frame.AddObject(bar);
        ZafWindow::SetGenericObjectMaker(nullptr);
        read = fieldtest::RoundTrip(frame, "FRAMED");
    }
    const int before = ThreadWindowCount();
    {
        ZafWindow *frame = read.release();
        auto *minimize = dynamic_cast<ZafMinimizeButton *>(frame->MinimizeButton());
        ASSERT_NE(minimize, nullptr);
        // Read back, a minimize button is one as made.
        ZafMinimizeButton made;
        EXPECT_EQ(minimize->Value(), made.Value());
        EXPECT_EQ(minimize->NoFocus(), made.NoFocus());
        EXPECT_EQ(minimize->UserCallback(), made.UserCallback());
        EXPECT_NE(dynamic_cast<ZafMaximizeButton *>(frame->FindMaximizeButton()), nullptr);
        auto *system = dynamic_cast<ZafSystemButton *>(frame->FindSystemButton());
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->MenuKind(), ZafSystemButton::ownMenu);
        EXPECT_EQ(frame->FindObjectByStringID("ABOUT"), frame->FindObjectByNumberID(300));
        EXPECT_NE(dynamic_cast<ZafBorder *>(frame->FindBorder()), nullptr);
        auto *title = dynamic_cast<ZafTitle *>(frame->FindTitle());
        ASSERT_NE(title, nullptr);
        EXPECT_STREQ(title->Text(), "Survey");
        zafWindowManager->AddObject(frame);
        Pump();
        HWND handle = frame->OSHandle();
        const auto style = static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE));
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                  static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        char caption[32] = "";
        GetWindowTextA(handle, caption, sizeof caption);
        EXPECT_STREQ(caption, "Survey");
        EXPECT_EQ(GetMenuItemCount(GetMenu(handle)), 1);
        HMENU menu = GetSystemMenu(handle, FALSE);
        ASSERT_EQ(GetMenuItemCount(menu), 2);
        EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_CLOSE));
        EXPECT_EQ(GetMenuItemID(menu, 1), 300u);
        zafWindowManager->CloseWindow(frame);
        Pump();
    }
    EXPECT_EQ(ThreadWindowCount(), before);
}

} // namespace
