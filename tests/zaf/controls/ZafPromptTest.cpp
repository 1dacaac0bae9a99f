// The prompt on a real STATIC control: its text with the hot key, its hot
// key moving the focus, auto-size and its record.
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafStringData.h"

#include "FieldTestSupport.h"

using fieldtest::FieldTest;
using fieldtest::Style;
using fieldtest::WindowText;

namespace {

class ZafPromptTest : public FieldTest
{
protected:
    ZafPromptTest()
    {
        dialog = Dialog();
        prompt = Add(dialog, new ZafPrompt(1, 1, 12, "Name"));
        field = Add(dialog, new ZafString(14, 1, 20, "", 40));
    }
    ~ZafPromptTest() override { Close(dialog); }

    // Outlives the dialog, as a language table's entry does.
    ZafMessageData message{"Open file", 'f', 5};
    ZafDialogWindow *dialog;
    ZafPrompt *prompt;
    ZafString *field;
};

struct HotKeyCase
{
    const char *text;
    int index;
    const char *shown; // what the STATIC control receives
};

class ZafPromptHotKeyTest : public FieldTest, public testing::WithParamInterface<HotKeyCase>
{};

} // namespace

// The STATIC control shows "&&" as '&' and underlines the character after a
// single '&'. An index outside the text (or on an '&') marks nothing and
// writes nothing past the text.
TEST_P(ZafPromptHotKeyTest, TheControlGetsTheTextWithItsHotKeyMarked)
{
    ZafDialogWindow *dialog = Dialog();
    auto *prompt = Add(dialog, new ZafPrompt(1, 1, 20, GetParam().text));
    prompt->SetHotKey('x', GetParam().index);
    Show(dialog);
    EXPECT_EQ(WindowText(prompt->OSHandle()), GetParam().shown);
    Close(dialog);
}

INSTANTIATE_TEST_SUITE_P(Texts, ZafPromptHotKeyTest,
                         testing::Values(HotKeyCase{"Save & load", -1, "Save && load"}, HotKeyCase{"Name", 0, "&Name"},
                                         HotKeyCase{"A&B", 2, "A&&&B"}, HotKeyCase{"A&B", 1, "A&&B"},
                                         HotKeyCase{"Name", 4, "Name"}, HotKeyCase{"&&&", 3, "&&&&&&"},
                                         HotKeyCase{"", 0, ""}, HotKeyCase{"Name", 1000, "Name"}));

TEST_F(ZafPromptTest, ItsHotKeyFocusesTheFollowingFieldAndNeverThePrompt)
{
    prompt->SetHotKey('n', 0);
    Show(dialog);
    EXPECT_EQ(prompt->HotKeyChar(), 'N');
    ZafEventRecord other(ZAF_HOT_KEY, static_cast<std::intptr_t>('Q'));
    EXPECT_EQ(prompt->Event(other), ZAF_UNKNOWN);
    EXPECT_NE(GetFocus(), field->OSHandle());
    ZafEventRecord own(ZAF_HOT_KEY, static_cast<std::intptr_t>('n'));
    EXPECT_EQ(prompt->Event(own), ZAF_HOT_KEY);
    EXPECT_EQ(GetFocus(), field->OSHandle());
    EXPECT_FALSE(prompt->SetFocus(true));
    EXPECT_EQ(GetFocus(), field->OSHandle());
    EXPECT_TRUE(prompt->NoFocus());
    EXPECT_FALSE(prompt->SetChanged(true));
    EXPECT_EQ(nullptr, static_cast<ZafWindowObject *>(prompt)->SetHelpContext("HELP_NAME"));
    EXPECT_EQ(nullptr, prompt->HelpContext());
    EXPECT_EQ(nullptr, prompt->SetUserFunction(fieldtest::RecordCall));
    EXPECT_EQ(nullptr, prompt->UserFunction());
}

// A prompt placed by its window's geometry manager is measured after the
// placement, and the placement is what it keeps as asked for.
TEST_F(ZafPromptTest, AnAttachedPromptIsPlacedThenMeasured)
{
    auto *manager = new ZafGeometryManager;
    dialog->AddObject(manager);
    auto *attached = Add(dialog, new ZafPrompt(1, 3, 12, "Attached"));
    attached->SetCoordinateType(ZAF_PIXEL);
    manager->AddConstraint(new ZafAttachment(attached, ZAF_ATTACH_LEFT, 40, ZAF_PIXEL));
    Show(dialog);
    attached->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    const ZafRegionRect measured = attached->MeasuredRegion();
    EXPECT_EQ(measured.left, 40);
    EXPECT_EQ(measured.right - measured.left, ZafScreenGdiDisplay()->TextSize("Attached", ZAF_FONT_DIALOG).cx);
    EXPECT_EQ(WindowText(attached->OSHandle()), "Attached");
}

TEST_F(ZafPromptTest, AutoSizeFitsTheTextBelowTheBorderedTopAndKeepsTheRequestedRegion)
{
    Show(dialog);
    const ZafRegionRect requested = static_cast<ZafWindowObject *>(prompt)->Region();
    EXPECT_EQ(requested.left, 1);
    EXPECT_EQ(requested.right, 12);
    ZafRegionRect asked = requested;
    prompt->ConvertRegion(asked, ZAF_PIXEL);
    const SIZE text = ZafScreenGdiDisplay()->TextSize("Name", ZAF_FONT_DIALOG);
    const ZafRegionRect measured = prompt->MeasuredRegion();
    EXPECT_EQ(measured.coordinateType, ZAF_PIXEL);
    EXPECT_EQ(measured.top, asked.top + ZafPrompt::borderedTextOffset);
    EXPECT_EQ(measured.right - measured.left, text.cx);
    RECT window;
    GetClientRect(prompt->OSHandle(), &window);
    EXPECT_EQ(window.right, text.cx + 1);

    prompt->SetText("A longer name");
    EXPECT_EQ(prompt->MeasuredRegion().right - prompt->MeasuredRegion().left,
              ZafScreenGdiDisplay()->TextSize("A longer name", ZAF_FONT_DIALOG).cx);
    EXPECT_EQ(WindowText(prompt->OSHandle()), "A longer name");
    EXPECT_EQ(static_cast<ZafWindowObject *>(prompt)->Region().right, requested.right);
}

// Disabled, by itself or through its window, a prompt's text is the button
// shadow over an etched copy in the button highlight; enabled, the window's
// text colour on the window's colour.
TEST_F(ZafPromptTest, DisabledTextIsTheButtonShadowOverAHighlightCopy)
{
    auto *etched = Add(dialog, new ZafPrompt(1, 3, 12, "MMMM"));
    etched->SetAutoSize(false);
    Show(dialog);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), etched->ForegroundColor());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), etched->BackgroundColor());
    dialog->SetDisabled(true);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), etched->ForegroundColor());
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), etched->BackgroundColor());
    etched->SetDisabled(true);
    dialog->SetDisabled(false);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), etched->ForegroundColor());

    RECT client;
    GetClientRect(etched->OSHandle(), &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(etched->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    int shadow = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            shadow += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNSHADOW);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_GT(shadow, 0) << "the text is drawn in the shadow colour";
}

TEST_F(ZafPromptTest, JustificationBecomesTheStaticStyleAndOnlyATopLeftOpaquePromptIsPaintedByIt)
{
    auto *centred = Add(dialog, new ZafPrompt(1, 3, 12, "Centre"));
    centred->SetHzJustify(ZafPrompt::justifyCenter);
    auto *right = Add(dialog, new ZafPrompt(1, 5, 12, "Right"));
    right->SetHzJustify(ZafPrompt::justifyEnd);
    right->SetVtJustify(ZafPrompt::justifyCenter);
    auto *clear = Add(dialog, new ZafPrompt(1, 7, 12, "Clear"));
    clear->SetTransparent(true);
    Show(dialog);
    EXPECT_EQ(Style(centred->OSHandle()) & SS_TYPEMASK, SS_CENTER);
    EXPECT_EQ(Style(right->OSHandle()) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_TRUE(prompt->ControlPaints());
    EXPECT_TRUE(centred->ControlPaints());
    EXPECT_FALSE(right->ControlPaints());
    EXPECT_FALSE(clear->ControlPaints());
    EXPECT_EQ(right->SetHzJustify(ZafPrompt::justifyStart), ZafPrompt::justifyEnd) << "fixed once created";
}

// The STATIC's text takes the text palette's colour; its background the
// background palette's, not the text palette's second colour.
TEST_F(ZafPromptTest, TheStaticIsColouredFromTheTextAndBackgroundPalettes)
{
    ZafPaletteData::InstallWindowLink();
    auto *palette = new ZafPaletteData();
    ZafPaletteStruct text, back;
    text.colorForeground = 1;
    text.colorBackground = 2;
    back.colorForeground = 3;
    back.colorBackground = 4;
    palette->SetPalette(ZAF_PM_TEXT, ZAF_PM_ANY_STATE, text);
    palette->SetPalette(ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, back);
    prompt->SetPaletteData(palette);
    Show(dialog);
    COLORREF one = 0, four = 0;
    ASSERT_TRUE(ZafScreenGdiDisplay()->ColorOf(1, one));
    ASSERT_TRUE(ZafScreenGdiDisplay()->ColorOf(4, four));
    HDC dc = GetDC(prompt->OSHandle());
    const auto brush = SendMessageA(dialog->OSHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(prompt->OSHandle()));
    EXPECT_NE(0, brush);
    EXPECT_EQ(one, GetTextColor(dc));
    EXPECT_EQ(four, GetBkColor(dc));
    ReleaseDC(prompt->OSHandle(), dc);
}

TEST_F(ZafPromptTest, AMessageDataGivesItsHotKey)
{
    auto *labelled = Add(dialog, new ZafPrompt(1, 3, 12, &message));
    Show(dialog);
    EXPECT_EQ(labelled->HotKeyChar(), 'F');
    EXPECT_EQ(labelled->HotKeyIndex(), 5);
    EXPECT_EQ(WindowText(labelled->OSHandle()), "Open &file");
}

TEST_F(ZafPromptTest, RoundTripKeepsTheRequestedRegionHotKeyAndText)
{
    ZafPrompt stored(4, 2, 15, "Co&st & price");
    stored.SetHotKey('c', 0);
    stored.SetHzJustify(ZafPrompt::justifyEnd);
    stored.SetVtJustify(ZafPrompt::justifyCenter);
    stored.SetTransparent(true);
    stored.SetAutoSize(false);
    auto read = fieldtest::RoundTrip(stored, "PROMPT");
    EXPECT_STREQ(read->Text(), "Co&st & price");
    EXPECT_EQ(read->HotKeyChar(), 'C');
    EXPECT_EQ(read->HotKeyIndex(), 0);
    EXPECT_EQ(read->HzJustify(), ZafPrompt::justifyEnd);
    EXPECT_EQ(read->VtJustify(), ZafPrompt::justifyCenter);
    EXPECT_TRUE(read->Transparent());
    EXPECT_FALSE(read->AutoSize());
    EXPECT_EQ(read->Region().left, 4);
    EXPECT_EQ(read->Region().right, 18);
    EXPECT_TRUE(read->NoFocus());
}
