// Keys, characters and the focus, driven by real key messages through the
// library's loop (TranslateMessage makes the characters there) and checked
// through what Windows reports.
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using zaftest::AddTo;
using zaftest::Stroke;
using zaftest::Type;
using Events = std::vector<ZafEventType>;

namespace {

// What reached an object as a key event: the message and the logical code
// its event map gives.
struct Key
{
    UINT message;
    std::uint32_t value;
    ZafEventType mapped;
    bool operator==(const Key &other) const
    {
        return message == other.message && value == other.value && mapped == other.mapped;
    }
};

// A control on a window class (null: the library's own "ZafWindow"), or with
// no window, that maps its key events as the library's controls do, records
// them with the focus and selection codes, and leaves every key unconsumed.
struct Control : ZafWindowObject
{
    explicit Control(const char *windowClass = nullptr, DWORD style = 0, const char *text = nullptr)
        : ZafWindowObject(1, 1, 10, 1), windowClass(windowClass), style(style), label(text)
    {}
    HWND CreateOSWindow() override
    {
        if (!OwnWindow() || !windowClass)
            return ZafWindowObject::CreateOSWindow();
        return ZafCreateOSWindow(this, windowClass, WS_CHILD | WS_VISIBLE | style, "", Parent()->DrawingHandle(), 0,
                                 nullptr);
    }
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_KEY_EVENT)
            keys.push_back({event.osEvent.message, event.key.value, MapEvent(event)});
        if (event.type == ZAF_CURRENT || event.type == ZAF_NOT_CURRENT || event.type == ZAF_SELECT)
            focusAndSelection.push_back(event.type);
        if (event.type == ZAF_SELECT)
            return ZAF_SELECT;
        return ZafWindowObject::Event(event);
    }
    const char *Text() override { return label; }
    std::string WindowText() const
    {
        char text[64] = "";
        GetWindowTextA(OSHandle(), text, sizeof(text));
        return text;
    }
    int Count(ZafEventType type) const
    {
        return static_cast<int>(std::count(focusAndSelection.begin(), focusAndSelection.end(), type));
    }
    bool SawCharacter() const
    {
        return std::any_of(keys.begin(), keys.end(), [](const Key &k) { return k.message == WM_CHAR; });
    }
    const char *windowClass;
    DWORD style;
    const char *label;
    std::vector<Key> keys;
    Events focusAndSelection;
};

constexpr DWORD multiLine = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;

// The keys are a dialog's: its controls are told that they are in one.
struct Frame : ZafDialogWindow
{
    Frame() : ZafDialogWindow(2, 2, 40, 12) { SetVisible(false); }
    ~Frame() override { ++deaths; }
    static int deaths;
};
int Frame::deaths = 0;

class ZafKeyboardTest : public zaftest::OnScreen
{
protected:
    ZafKeyboardTest() { zafWindowManager->AddObject(frame); }
    void SetUp() override { ASSERT_NE(frame->OSHandle(), nullptr); }
    ~ZafKeyboardTest() override
    {
        if (frame)
            zafWindowManager->CloseWindow(frame);
        EXPECT_EQ(zaftest::ThreadWindowCount(), before);
    }
    Control *Add(const char *windowClass = nullptr, DWORD style = 0, const char *text = nullptr)
    {
        return AddTo(frame, new Control(windowClass, style, text));
    }
    Frame *frame = new Frame;
};

// --- One key, one action ---------------------------------------------------------------

struct Start
{
    const char *name;
    const char *windowClass; // of the focused control; null: the library's
    DWORD style;
    bool takesTab; // the control takes the Tab (and its character) itself
};

class OneTab : public ZafKeyboardTest, public testing::WithParamInterface<Start>
{};

TEST_P(OneTab, MovesTheFocusOneChildOnAndItsCharacterReachesNoControl)
{
    Control *from = Add(GetParam().windowClass, GetParam().style);
    Control *next = Add();
    Control *last = Add("EDIT", multiLine);
    from->SetFocus(true);
    ASSERT_EQ(GetFocus(), from->OSHandle());
    Stroke(VK_TAB);
    EXPECT_EQ(GetFocus(), next->OSHandle());
    EXPECT_EQ(frame->CurrentChild(), next);
    EXPECT_EQ(from->SawCharacter(), GetParam().takesTab);
    EXPECT_FALSE(next->SawCharacter());
    EXPECT_EQ(from->WindowText(), "");
    EXPECT_EQ(last->WindowText(), "");
    EXPECT_EQ(from->Count(ZAF_NOT_CURRENT), 1);
    EXPECT_EQ(next->Count(ZAF_CURRENT), 1);
}

// A multi-line edit wants every key: it takes the Tab and, as a control in a
// dialog, asks its window to move on (WM_NEXTDLGCTL) and drops the '\t'.
INSTANTIATE_TEST_SUITE_P(ZafKeyboard, OneTab,
                         testing::Values(Start{"LibraryControl", nullptr, 0, false},
                                         Start{"Edit", "EDIT", ES_AUTOHSCROLL, false},
                                         Start{"MultiLineEdit", "EDIT", multiLine, true},
                                         Start{"Button", "BUTTON", BS_PUSHBUTTON, false}),
                         [](const testing::TestParamInfo<Start> &info) { return std::string(info.param.name); });

TEST_F(ZafKeyboardTest, OutsideADialogAMultiLineEditTypesTheTab)
{
    // As in Windows without IsDialogMessage: the edit takes Tab as text.
    ZafWindow *plain = new ZafWindow(2, 2, 40, 12);
    plain->SetVisible(false);
    zafWindowManager->AddObject(plain);
    Control *text = AddTo(plain, new Control("EDIT", multiLine));
    AddTo(plain, new Control);
    text->SetFocus(true);
    Stroke(VK_TAB);
    EXPECT_EQ(GetFocus(), text->OSHandle());
    EXPECT_EQ(text->WindowText(), "\t");
    zafWindowManager->CloseWindow(plain);
}

TEST_F(ZafKeyboardTest, EscapeInAMultiLineEditOfAGroupClosesTheDialog)
{
    // The edit asks its own window, the group's, to close; the group passes
    // the request on to the dialog instead of being destroyed.
    ZafWindow *group = AddTo(frame, new ZafWindow(1, 1, 30, 8));
    Control *text = AddTo(group, new Control("EDIT", multiLine));
    text->SetFocus(true);
    Frame::deaths = 0;
    Stroke(VK_ESCAPE);
    EXPECT_EQ(Frame::deaths, 1);
    EXPECT_FALSE(zafWindowManager->Contains(frame));
    frame = nullptr;
}

TEST_F(ZafKeyboardTest, OneTabOnTheWindowItselfFocusesTheFirstChild)
{
    Control *first = Add();
    Add();
    SetFocus(frame->OSHandle());
    ASSERT_EQ(GetFocus(), frame->OSHandle());
    Stroke(VK_TAB);
    EXPECT_EQ(GetFocus(), first->OSHandle());
}

TEST_F(ZafKeyboardTest, OneEnterSelectsTheDefaultButtonOnceUnlessTheControlTakesIt)
{
    Control *edit = Add("EDIT", ES_AUTOHSCROLL);
    Control *text = Add("EDIT", multiLine);
    Control *memo = Add("EDIT", ES_MULTILINE | ES_AUTOVSCROLL);
    Control *push = Add("BUTTON", BS_PUSHBUTTON);
    // Numbered, so that a control can find it by its id (DM_GETDEFID).
    Control *button = new Control;
    button->SetNumberID(7);
    frame->AddObject(button);
    frame->SetDefaultButton(button, false);

    edit->SetFocus(true);
    Stroke(VK_RETURN);
    EXPECT_EQ(button->Count(ZAF_SELECT), 1);
    EXPECT_FALSE(edit->SawCharacter());
    // On the window itself (its key-down and its character went to it).
    SetFocus(frame->OSHandle());
    Stroke(VK_RETURN);
    EXPECT_EQ(button->Count(ZAF_SELECT), 2);
    // A multi-line edit that wants Enter keeps it as a line break.
    text->SetFocus(true);
    Stroke(VK_RETURN);
    EXPECT_EQ(text->WindowText(), "\r\n");
    EXPECT_EQ(button->Count(ZAF_SELECT), 2);
    // One that wants every key but not Enter asks the window for its
    // default button and hands Enter over to it, as in a dialog.
    memo->SetFocus(true);
    Stroke(VK_RETURN);
    EXPECT_EQ(button->Count(ZAF_SELECT), 3);
    EXPECT_EQ(memo->WindowText(), "");
    // Enter on a push button selects that button, not the default one.
    push->SetFocus(true);
    Stroke(VK_RETURN);
    EXPECT_EQ(push->Count(ZAF_SELECT), 1);
    EXPECT_EQ(button->Count(ZAF_SELECT), 3);
}

TEST_F(ZafKeyboardTest, ArrowsReachAListThatAsksForThemAndMoveOnFromOtherControls)
{
    Control *before = Add();
    Control *list = Add("LISTBOX", LBS_NOTIFY);
    for (const char *row : {"a", "b", "c"})
        SendMessageA(list->OSHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    SendMessageA(list->OSHandle(), LB_SETCURSEL, 0, 0);
    list->SetFocus(true);
    Stroke(VK_DOWN);
    EXPECT_EQ(SendMessageA(list->OSHandle(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetFocus(), list->OSHandle());
    Stroke(VK_UP);
    EXPECT_EQ(SendMessageA(list->OSHandle(), LB_GETCURSEL, 0, 0), 0);
    // A control that leaves the arrows: Down moves to the next control.
    before->SetFocus(true);
    Stroke(VK_DOWN);
    EXPECT_EQ(GetFocus(), list->OSHandle());
    EXPECT_EQ(SendMessageA(list->OSHandle(), LB_GETCURSEL, 0, 0), 0);
}

// --- Characters are not keys -------------------------------------------------------------

TEST_F(ZafKeyboardTest, CharactersTypedIntoAnEditStayCharacters)
{
    Control *edit = Add("EDIT", ES_AUTOHSCROLL);
    Add();
    edit->SetFocus(true);
    // Characters with the numbers of VK_END, VK_RIGHT and VK_SPACE; the last
    // two are typed without Shift on a US keyboard.
    for (char c : std::string("#' "))
        Type(c);
    // '(' has VK_DOWN's number; a French keyboard types it without Shift.
    // (Wine's keyboard under Xvfb has no key for it: the character comes as
    // that layout's TranslateMessage would post it.)
    PostMessageA(GetFocus(), WM_CHAR, '(', 1);
    zaftest::RunLoop();
    EXPECT_EQ(edit->WindowText(), "#' (");
    EXPECT_EQ(GetFocus(), edit->OSHandle());
    for (const Key &key : edit->keys) {
        if (key.message == WM_CHAR) {
            EXPECT_EQ(key.mapped, ZAF_NO_MAPPING) << static_cast<char>(key.value);
        }
    }
    // The key Down is still a key.
    Stroke(VK_DOWN);
    ASSERT_GE(edit->keys.size(), 2u);
    EXPECT_EQ(edit->keys[edit->keys.size() - 2], (Key{WM_KEYDOWN, VK_DOWN, ZAF_MOVE_DOWN}));
}

TEST_F(ZafKeyboardTest, PlainLetterHotKeysLeaveTheLettersToAControlThatTypes)
{
    frame->SetPlainKeyHotKeys(true);
    Control *edit = Add("EDIT", ES_AUTOHSCROLL);
    Control *plain = Add();
    Control *first = Add(nullptr, 0, "&First");
    edit->SetFocus(true);
    Type('f');
    EXPECT_EQ(edit->WindowText(), "f");
    EXPECT_EQ(GetFocus(), edit->OSHandle());
    plain->SetFocus(true);
    Type('f');
    EXPECT_EQ(GetFocus(), first->OSHandle());
    EXPECT_FALSE(first->SawCharacter());
}

struct MapCase
{
    const char *name;
    UINT message;
    std::uint32_t value;
    std::uint32_t modifiers;
    ZafEventType expected;
};

class EventMapSearch : public testing::TestWithParam<MapCase>
{};

// Rows for a key and for a character of the same number; the row for
// characters carries ZAF_KEY_CHARACTER.
const ZafEventMap mixedMap[] = {
    {ZAF_MOVE_DOWN, ZAF_KEY_EVENT, VK_DOWN, ZAF_KEY_PRESS},
    {ZAF_SELECT, ZAF_KEY_EVENT, '(', ZAF_KEY_PRESS + ZAF_KEY_SHIFT + ZAF_KEY_CHARACTER},
    {ZAF_END_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_RELEASE},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

TEST_P(EventMapSearch, KeyRowsMeetKeysAndCharacterRowsCharacters)
{
    const MapCase &c = GetParam();
    ZafEventRecord event(ZAF_KEY_EVENT);
    event.osEvent.message = c.message;
    event.key.value = c.value;
    event.key.shiftState = c.modifiers;
    EXPECT_EQ(ZafWindowObject::SearchEventMap(mixedMap, event), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ZafKeyboard, EventMapSearch,
    testing::Values(MapCase{"DownKey", WM_KEYDOWN, VK_DOWN, ZAF_KEY_PRESS, ZAF_MOVE_DOWN},
                    MapCase{"KeyMadeWithoutMessage", 0, VK_DOWN, ZAF_KEY_PRESS, ZAF_MOVE_DOWN},
                    MapCase{"ParenthesisCharacter", WM_CHAR, '(', ZAF_KEY_PRESS + ZAF_KEY_SHIFT, ZAF_SELECT},
                    MapCase{"ParenthesisUnshifted", WM_CHAR, '(', ZAF_KEY_PRESS, ZAF_NO_MAPPING},
                    MapCase{"DownKeyNumberAsKey", WM_KEYDOWN, '(', ZAF_KEY_PRESS + ZAF_KEY_SHIFT, ZAF_NO_MAPPING},
                    MapCase{"SystemCharacter", WM_SYSCHAR, '(', ZAF_KEY_PRESS + ZAF_KEY_SHIFT, ZAF_SELECT},
                    MapCase{"SpaceUp", WM_KEYUP, VK_SPACE, ZAF_KEY_RELEASE, ZAF_END_SELECT},
                    MapCase{"SpaceCharacter", WM_CHAR, ' ', ZAF_KEY_PRESS, ZAF_NO_MAPPING}),
    [](const testing::TestParamInfo<MapCase> &info) { return std::string(info.param.name); });

// --- The focus of windowless objects ---------------------------------------------------

TEST_F(ZafKeyboardTest, AWindowlessChildTakesTheFocusThroughItsHostAndGetsItsKeys)
{
    Control *windowless = new Control;
    windowless->SetOwnWindow(false);
    frame->AddObject(windowless);
    Control *edit = Add("EDIT", ES_AUTOHSCROLL);
    edit->SetFocus(true);
    ASSERT_EQ(GetFocus(), edit->OSHandle());

    EXPECT_TRUE(windowless->SetFocus(true));
    EXPECT_EQ(GetFocus(), frame->OSHandle());
    EXPECT_EQ(windowless->focusAndSelection, (Events{ZAF_CURRENT}));
    EXPECT_EQ(edit->Count(ZAF_NOT_CURRENT), 1);
    EXPECT_FALSE(edit->Focus());
    // Keys and characters come to the host and reach the object.
    Stroke('A');
    EXPECT_EQ(windowless->keys,
              (std::vector<Key>{
                  {WM_KEYDOWN, 'A', ZAF_NO_MAPPING}, {WM_CHAR, 'a', ZAF_NO_MAPPING}, {WM_KEYUP, 'A', ZAF_NO_MAPPING}}));
    // Tab moves on from it once, and back to it through its host.
    Stroke(VK_TAB);
    EXPECT_EQ(GetFocus(), edit->OSHandle());
    EXPECT_EQ(windowless->focusAndSelection, (Events{ZAF_CURRENT, ZAF_NOT_CURRENT}));
    EXPECT_EQ(edit->Count(ZAF_CURRENT), 2);
    Stroke(VK_TAB);
    EXPECT_EQ(GetFocus(), frame->OSHandle());
    EXPECT_EQ(windowless->focusAndSelection, (Events{ZAF_CURRENT, ZAF_NOT_CURRENT, ZAF_CURRENT}));
    EXPECT_EQ(edit->WindowText(), "");
    // The host losing the Windows focus takes it from the object; getting
    // it back gives it back.
    SetFocus(nullptr);
    EXPECT_FALSE(windowless->Focus());
    SetFocus(frame->OSHandle());
    EXPECT_TRUE(windowless->Focus());
    EXPECT_EQ(windowless->Count(ZAF_CURRENT), 3);
    EXPECT_EQ(windowless->Count(ZAF_NOT_CURRENT), 2);
}

} // namespace
