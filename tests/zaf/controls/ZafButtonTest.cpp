// Buttons driven as a user drives them (clicks, Space and Enter, hot keys)
// and checked through their own state and what Windows reports.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStringData.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

using controltest::Calls;
using controltest::ControlTest;
using controltest::OnCall;

// Texts live in new[] blocks: counting the blocks alive tells whether a
// dropped event's text was freed.
namespace {
int liveArrays = 0;
}
void *operator new[](std::size_t size)
{
    ++liveArrays;
    if (void *block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete[](void *block) noexcept
{
    if (block)
        --liveArrays;
    std::free(block);
}
void operator delete[](void *block, std::size_t) noexcept
{
    operator delete[](block);
}

namespace {

using Type = ZafButton::ButtonType;

class ButtonTest : public ControlTest
{
protected:
    ZafButton *AddButton(const char *text, Type type = ZafButton::pushButton, int width = 100, int height = 40)
    {
        return Add(
            new ZafButton(10, 10 + 50 * static_cast<int>(Window()->Count()), width, height, text, nullptr, type));
    }
    static LONG Kind(const ZafButton *button) { return GetWindowLongA(button->OSHandle(), GWL_STYLE) & 0x0F; }
    static LRESULT Check(const ZafButton *button) { return SendMessageA(button->OSHandle(), BM_GETCHECK, 0, 0); }
    static RECT Placed(const ZafButton *button) { return bartest::PlaceInParent(button->OSHandle()); }
};

// --- Which buttons Windows draws --------------------------------------------------------

struct LookCase
{
    Type type;
    ZafButton::Justify hz, vt;
    bool toggling, image, ownColour;
    LONG kind;
};

class ButtonLookTest : public ButtonTest, public testing::WithParamInterface<LookCase>
{};

TEST_P(ButtonLookTest, WindowsDrawsOnlyPlainButtons)
{
    const LookCase &c = GetParam();
    ZafButton *button = AddButton("Save", c.type);
    button->SetHzJustify(c.hz);
    button->SetVtJustify(c.vt);
    button->SetAllowToggling(c.toggling);
    if (c.image)
        button->SetBitmapData(ZafButton::BuiltInBitmap(ZafButton::imageRadio));
    if (c.ownColour)
        button->SetTextColor(ZAF_COLOR_WHITE, ZAF_COLOR_WHITE);
    button->SetHotKey('s', 0);
    Show();
    EXPECT_EQ(Kind(button), c.kind);
    EXPECT_EQ(button->IsNativeDrawn(), c.kind != BS_OWNERDRAW);
    char text[32] = "";
    GetWindowTextA(button->OSHandle(), text, sizeof text);
    EXPECT_STREQ(text, "&Save");
}

constexpr ZafButton::Justify L = ZafButton::justifyStart, R = ZafButton::justifyEnd, C = ZafButton::justifyCenter;
INSTANTIATE_TEST_SUITE_P(Kinds, ButtonLookTest,
                         testing::Values(LookCase{ZafButton::pushButton, C, C, false, false, false, BS_PUSHBUTTON},
                                         LookCase{ZafButton::framePushButton, C, C, false, false, false, BS_PUSHBUTTON},
                                         LookCase{ZafButton::pushButton, C, C, false, true, false, BS_OWNERDRAW},
                                         LookCase{ZafButton::pushButton, C, C, true, false, false, BS_OWNERDRAW},
                                         LookCase{ZafButton::pushButton, C, C, false, false, true, BS_OWNERDRAW},
                                         LookCase{ZafButton::pushButton, L, C, false, false, false, BS_OWNERDRAW},
                                         LookCase{ZafButton::flatButton, C, C, false, false, false, BS_OWNERDRAW},
                                         LookCase{ZafButton::checkBox, L, C, false, false, false, BS_CHECKBOX},
                                         LookCase{ZafButton::radioButton, L, C, true, false, false, BS_RADIOBUTTON},
                                         LookCase{ZafButton::checkBox, R, C, false, false, false, BS_OWNERDRAW},
                                         LookCase{ZafButton::checkBox, L, ZafButton::justifyEnd, false, false, false,
                                                  BS_OWNERDRAW}));

// --- Geometry ---------------------------------------------------------------------------

TEST_F(ButtonTest, AutoSizeKeepsTheWidthAndFitsTheHeight)
{
    ZafButton *push = Add(new ZafButton(10, 10, 120, 60, "Push"));
    ZafButton *check = Add(new ZafButton(10, 100, 120, 60, "Check", nullptr, ZafButton::checkBox));
    ZafButton *fixed = Add(new ZafButton(10, 200, 120, 60, "Fixed"));
    fixed->SetAutoSize(false);
    Show();
    const RECT p = Placed(push), c = Placed(check), f = Placed(fixed);
    // A text-only push button: the fixed height, standing on its bottom.
    EXPECT_EQ(p.right - p.left, 120);
    EXPECT_EQ(p.bottom, 70);
    EXPECT_LT(p.bottom - p.top, 60);
    // A check box: the height of its contents, round its old middle.
    EXPECT_EQ(c.right - c.left, 120);
    EXPECT_LT(c.bottom - c.top, 60);
    EXPECT_NEAR((c.top + c.bottom) / 2, 130, 1);
    EXPECT_EQ(f.bottom - f.top, 60);
    // The requested region is what the caller gave.
    EXPECT_EQ(push->RequestedRegion().bottom, 69);
    EXPECT_EQ(push->RequestedRegion().top, 10);
}

// --- Selection by mouse ------------------------------------------------------------------

TEST_F(ButtonTest, TogglingRadioButtonsStayChosenInSingleSelection)
{
    ZafButton *a = AddButton("A", ZafButton::radioButton);
    ZafButton *b = AddButton("B", ZafButton::radioButton);
    ZafButton *box = AddButton("Box", ZafButton::checkBox);
    for (ZafButton *button : {a, b, box}) {
        button->SetAllowToggling(true);
        button->SetHzJustify(ZafButton::justifyStart); // drawn by Windows, which keeps the check
    }
    Show();
    Click(a->OSHandle());
    Click(a->OSHandle()); // chosen again: stays chosen
    EXPECT_TRUE(a->Selected());
    Click(b->OSHandle());
    EXPECT_EQ(std::make_pair(a->Selected(), b->Selected()), std::make_pair(false, true));
    EXPECT_EQ(std::make_pair(Check(a), Check(b)), std::make_pair(LRESULT(BST_UNCHECKED), LRESULT(BST_CHECKED)));
    // A check box still turns off in the same window.
    Click(box->OSHandle());
    Click(box->OSHandle());
    EXPECT_EQ(Check(box), BST_UNCHECKED);
    EXPECT_EQ(Calls().size(), 5u);
}

TEST_F(ButtonTest, TogglingButtonsTurnOffInMultipleSelection)
{
    Window()->SetSelectionMode(1);
    ZafButton *radio = AddButton("A", ZafButton::radioButton);
    radio->SetAllowToggling(true);
    radio->SetHzJustify(ZafButton::justifyStart);
    Show();
    Click(radio->OSHandle());
    Click(radio->OSHandle());
    EXPECT_FALSE(radio->Selected());
    EXPECT_EQ(Check(radio), BST_UNCHECKED);
}

TEST_F(ButtonTest, DoubleClickSelectionQueuesOneEventForTheDoubleClick)
{
    ZafButton *button = AddButton("Open");
    button->SetSelectOnDoubleClick(true);
    button->SetSendMessageWhenSelected(true);
    button->SetSendMessageText("opened");
    button->SetValue(4711);
    Show();
    Click(button->OSHandle());
    EXPECT_TRUE(Calls().empty());
    DoubleClick(button->OSHandle());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].code, ZAF_DOUBLE_SELECT);
    std::vector<ZafEventRecord> queued = Queued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].type, 4711);
    EXPECT_STREQ(queued[0].Text(), "opened");
    EXPECT_EQ(ZafButton::SentButton(queued[0]), button);
    ZafButton::ReleaseSentEvent(queued[0]);
}

TEST_F(ButtonTest, AButtonRefusingFocusDraggedOutIsNotSelected)
{
    ZafButton *other = AddButton("Other");
    ZafButton *button = AddButton("Tool");
    button->SetNoFocus(true);
    Show();
    SetFocus(other->OSHandle());
    Press(button->OSHandle());
    EXPECT_EQ(GetFocus(), other->OSHandle());
    EXPECT_TRUE(SendMessageA(button->OSHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button->OSHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
    EXPECT_FALSE(SendMessageA(button->OSHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    Release(button->OSHandle(), 500, 5);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    // Back inside, the same press selects.
    Click(button->OSHandle());
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(ButtonTest, TheDefaultLookFollowsTheFocus)
{
    ZafButton *a = AddButton("A");
    ZafButton *b = AddButton("B");
    ZafButton *box = AddButton("Box", ZafButton::checkBox);
    box->SetHzJustify(ZafButton::justifyStart);
    for (ZafButton *button : {a, b, box})
        button->SetAllowDefault(true);
    Show();
    a->SetFocus(true);
    Pump();
    EXPECT_EQ(std::make_pair(Kind(a), Kind(b)), std::make_pair(LONG(BS_DEFPUSHBUTTON), LONG(BS_PUSHBUTTON)));
    b->SetFocus(true);
    Pump();
    EXPECT_EQ(std::make_pair(Kind(a), Kind(b)), std::make_pair(LONG(BS_PUSHBUTTON), LONG(BS_DEFPUSHBUTTON)));
    box->SetFocus(true); // a check box never takes the default look
    Pump();
    EXPECT_EQ(std::make_pair(Kind(b), Kind(box)), std::make_pair(LONG(BS_PUSHBUTTON), LONG(BS_CHECKBOX)));
}

// --- Keys -------------------------------------------------------------------------------

struct SpaceCase
{
    bool downClick, autoRepeat;
    std::size_t afterPress, afterRepeat, afterRelease;
};

class ButtonSpaceTest : public ButtonTest, public testing::WithParamInterface<SpaceCase>
{};

TEST_P(ButtonSpaceTest, SpaceSelectsOnceAtTheConfiguredEdge)
{
    const SpaceCase &c = GetParam();
    ZafButton *button = AddButton("Go");
    button->SetSelectOnDownClick(c.downClick);
    button->SetAutoRepeatSelection(c.autoRepeat);
    Show();
    SetFocus(button->OSHandle());
    KeyDown(button->OSHandle(), VK_SPACE);
    EXPECT_EQ(Calls().size(), c.afterPress);
    KeyDown(button->OSHandle(), VK_SPACE, true);
    EXPECT_EQ(Calls().size(), c.afterRepeat);
    KeyUp(button->OSHandle(), VK_SPACE);
    EXPECT_EQ(Calls().size(), c.afterRelease);
}

INSTANTIATE_TEST_SUITE_P(Edges, ButtonSpaceTest,
                         testing::Values(SpaceCase{false, false, 0, 0, 1}, SpaceCase{true, false, 1, 1, 1},
                                         SpaceCase{false, true, 0, 1, 2}, SpaceCase{true, true, 1, 2, 2}));

TEST_F(ButtonTest, EnterOnACheckBoxLeavesItToTheDefaultButton)
{
    ZafButton *box = AddButton("Box", ZafButton::checkBox);
    ZafButton *ok = AddButton("OK");
    box->SetAllowToggling(true);
    Show();
    Key(box->OSHandle(), VK_RETURN);
    EXPECT_TRUE(box->Selected()); // no default button: Enter chooses the box
    Window()->SetDefaultButton(ok, true);
    Key(box->OSHandle(), VK_RETURN);
    EXPECT_TRUE(box->Selected());
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1].object, ok);
}

// The black pixels of a button's face, painted as Windows paints it.
int BlackPixels(ZafButton *button)
{
    const bartest::Painted face(button->OSHandle());
    return face.Width() * face.Height() - face.CountOther(0, 0, face.Width() - 1, face.Height() - 1, RGB(0, 0, 0));
}

TEST_F(ButtonTest, AnOwnerDrawnCheckBoxShowsItsMark)
{
    ZafButton *box = AddButton("", ZafButton::checkBox); // centred: the button draws it
    box->SetAllowToggling(true);
    Show();
    ASSERT_EQ(Kind(box), BS_OWNERDRAW);
    const int empty = BlackPixels(box);
    EXPECT_GT(empty, 0); // the box's inner edge
    Click(box->OSHandle());
    EXPECT_GT(BlackPixels(box), empty);
    Click(box->OSHandle());
    EXPECT_EQ(BlackPixels(box), empty);
}

TEST_F(ButtonTest, EnterTypedSelectsTheFocusedButtonOnce)
{
    Window(true);
    ZafButton *button = AddButton("Go");
    ZafButton *ok = AddButton("OK");
    Window()->SetDefaultButton(ok, true);
    Show();
    SetForegroundWindow(Window()->OSHandle());
    button->SetFocus(true);
    Pump();
    ASSERT_TRUE(SendKey(VK_RETURN, false) && SendKey(VK_RETURN, true));
    EXPECT_TRUE(RunUntil([] { return !Calls().empty(); }));
    Pump();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].object, button);
}

TEST_F(ButtonTest, HotKeySelectsAnEnabledButtonOnly)
{
    ZafButton *other = AddButton("Other");
    ZafButton *button = AddButton("Save");
    button->SetHotKey('s', 0);
    Show();
    // Alt+S typed while another button has the focus.
    SetFocus(other->OSHandle());
    SendMessageA(other->OSHandle(), WM_SYSKEYDOWN, 'S', 1 | (1L << 29));
    Pump();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].object, button);
    EXPECT_EQ(GetFocus(), button->OSHandle());
    EXPECT_EQ(button->Event(ZafEventRecord(ZAF_HOT_KEY, 'x')), ZAF_UNKNOWN);
    EXPECT_EQ(button->Event(ZafEventRecord(ZAF_HOT_KEY, 's')), ZAF_HOT_KEY);
    button->SetDisabled(true);
    EXPECT_EQ(button->Event(ZafEventRecord(ZAF_HOT_KEY, 'S')), ZAF_UNKNOWN);
    EXPECT_EQ(Calls().size(), 2u);
}

// --- Auto-repeat ------------------------------------------------------------------------

TEST_F(ButtonTest, AHeldButtonRepeatsUntilReleased)
{
    Window(true);
    ZafButton *button = AddButton("More");
    button->SetAutoRepeatSelection(true);
    Show();
    SetForegroundWindow(Window()->OSHandle());
    ASSERT_TRUE(SendMouse(button->OSHandle(), false));
    EXPECT_TRUE(RunUntil([] { return Calls().size() >= 3; }));
    ASSERT_TRUE(SendMouse(button->OSHandle(), true));
    EXPECT_TRUE(RunUntil([button] { return !button->RepeatTimerRunning(); }));
    const std::size_t released = Calls().size();
    Pump();
    EXPECT_EQ(Calls().size(), released);
}

TEST_F(ButtonTest, TheRepeatTimerStopsWhenTheCaptureOrTheWindowGoes)
{
    ZafButton *held = AddButton("Held");
    ZafButton *gone = AddButton("Gone");
    for (ZafButton *button : {held, gone})
        button->SetAutoRepeatSelection(true);
    Show();
    Press(held->OSHandle());
    ASSERT_TRUE(held->RepeatTimerRunning());
    SetCapture(Window()->OSHandle()); // another window takes the mouse
    EXPECT_FALSE(held->RepeatTimerRunning());
    EXPECT_FALSE(KillTimer(held->OSHandle(), ZafButton::repeatTimerID));
    ReleaseCapture();
    Press(gone->OSHandle());
    Window()->SubtractObject(gone);
    EXPECT_FALSE(gone->RepeatTimerRunning());
    delete gone;
}

// --- Ownership --------------------------------------------------------------------------

struct CountedText : ZafStringData
{
    using ZafStringData::ZafStringData;
    ~CountedText() override { ++deaths; }
    static int deaths;
};
int CountedText::deaths = 0;

TEST_F(ButtonTest, DeletingAButtonKeepsSharedAndBuiltInData)
{
    CountedText::deaths = 0;
    auto *own = new CountedText("own");
    auto *shared = new CountedText("shared");
    ZafBitmapData *image = ZafButton::BuiltInBitmap(ZafButton::imageCheckSelected);
    auto *a = new ZafButton(0, 0, 10, 1, own, image, ZafButton::pushButton);
    auto *b = new ZafButton(0, 0, 10, 1, shared, image, ZafButton::pushButton);
    auto *c = new ZafButton(0, 0, 10, 1, shared, nullptr, ZafButton::checkBox);
    delete b;
    EXPECT_EQ(CountedText::deaths, 0); // c still shows it
    delete a;
    EXPECT_EQ(CountedText::deaths, 1);
    EXPECT_EQ(ZafButton::BuiltInBitmap(ZafButton::imageCheckSelected), image);
    EXPECT_EQ(image->width, 13);
    EXPECT_STREQ(c->Text(), "shared");
    delete c;
    EXPECT_EQ(CountedText::deaths, 2);
}

// --- The UI data file -------------------------------------------------------------------

TEST_F(ButtonTest, AButtonComesBackFromAUiDataFile)
{
    ZafButton written(2, 3, 12, 2, "Save", nullptr, ZafButton::radioButton);
    written.SetValue(-7);
    written.SetHotKey('a', 1);
    written.SetHzJustify(ZafButton::justifyEnd);
    written.SetAllowDefault(true);
    written.SetAllowToggling(true);
    written.SetSendMessageWhenSelected(true);
    written.SetSendMessageText("saved");
    written.SetBitmapData(new ZafBitmapData(*ZafButton::BuiltInBitmap(ZafButton::imageRadio)));
    std::unique_ptr<ZafButton> button = fieldtest::RoundTrip(written, "SAVE");
    EXPECT_EQ(button->Type(), ZafButton::radioButton);
    EXPECT_EQ(button->Value(), -7);
    EXPECT_EQ(std::make_pair(button->HotKeyChar(), button->HotKeyIndex()), std::make_pair('A', 1));
    EXPECT_EQ(button->HzJustify(), ZafButton::justifyEnd);
    EXPECT_TRUE(button->AllowDefault() && button->AllowToggling() && button->SendMessageWhenSelected());
    EXPECT_EQ(button->UserCallback(), ZafButton::SendMessageCallback);
    EXPECT_STREQ(button->SendMessageText(), "saved");
    EXPECT_STREQ(button->Text(), "Save");
    ASSERT_NE(button->BitmapData(), nullptr);
    EXPECT_EQ(std::memcmp(button->BitmapData()->array, ZafButton::BuiltInBitmap(ZafButton::imageRadio)->array, 169), 0);
    EXPECT_EQ(button->RequestedRegion().right, 13);
}

// --- Sent events ------------------------------------------------------------------------

TEST_F(ButtonTest, AnEventOfAGoneButtonNamesNoButton)
{
    ZafButton *close = AddButton("Close");
    close->SetSendMessageWhenSelected(true);
    close->SetSendMessageText("closing");
    // Its user function closes the window, and the button with it.
    OnCall() = [this](ZafWindowObject *) {
        zafWindowManager->CloseWindow(window);
        window = nullptr;
    };
    Show();
    close->Event(ZafEventRecord(ZAF_SELECT));
    std::vector<ZafEventRecord> queued = Queued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_STREQ(queued[0].Text(), "closing");
    EXPECT_EQ(ZafButton::SentButton(queued[0]), nullptr);
    ZafButton::ReleaseSentEvent(queued[0]);
}

TEST_F(ButtonTest, AFullQueueDropsTheEventWithItsText)
{
    ZafEventManager *kept = zafEventManager;
    ZafEventManager full(1, 1);
    full.Put(ZafEventRecord(ZAF_REDISPLAY));
    zafEventManager = &full;
    ZafButton button(0, 0, 10, 1, "Apply");
    button.SetSendMessageWhenSelected(true);
    button.SetSendMessageText("applied");
    const int before = liveArrays;
    button.Event(ZafEventRecord(ZAF_SELECT));
    EXPECT_EQ(liveArrays, before);
    EXPECT_EQ(full.RefusedCount(), 1);
    zafEventManager = kept;
}

} // namespace
