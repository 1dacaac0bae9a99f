// Spin controls driven as a user drives them: Up and Down typed in the
// field, clicks on the arrows of the Windows up-down control, checked
// through the field's value, the user function's calls and the places
// Windows reports; and the round trip through a UI data file.
#include "BarTestSupport.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafSpinControl.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafRealData.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <commctrl.h>

namespace {

using fieldtest::Recorded;

class SpinControlTest : public fieldtest::FieldTest
{
protected:
    SpinControlTest() { ZafSpinControl::RegisterPersistence(); }

    // A spin control of 60 x 20 pixels with an integer field stepping by 1
    // within 1..5, in the dialog.
    ZafSpinControl *AddSpin(ZafWindow *dialog, int top, std::int32_t value = 3)
    {
        auto *spin = new ZafSpinControl(0, 0, 1, 1);
        spin->SetCoordinateType(ZAF_PIXEL);
        spin->SetRegion(ZafRegionRect(10, top, 69, top + 19, ZAF_PIXEL));
        auto *field = new ZafInteger(0, 0, 1, value);
        field->SetCoordinateType(ZAF_PIXEL);
        field->SetRange("1..5");
        spin->AddObject(field);
        spin->SetStepData(new ZafIntegerData(1));
        spin->SetUserFunction(fieldtest::RecordCall);
        dialog->AddObject(spin);
        return spin;
    }
    static std::int32_t Value(ZafSpinControl *spin) { return static_cast<ZafInteger *>(spin->Field())->GetValue(); }
    // A press and release on the upper or lower half of the arrows.
    static void ClickArrow(ZafSpinControl *spin, bool up)
    {
        RECT r;
        GetClientRect(spin->UpDownHandle(), &r);
        const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
        SendMessageA(spin->UpDownHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(spin->UpDownHandle(), WM_LBUTTONUP, 0, at);
        RunQueued();
    }
    int Selections() const
    {
        int n = 0;
        for (const fieldtest::Call &call : Recorded().calls)
            n += call.code == ZAF_SELECT;
        return n;
    }
};

TEST_F(SpinControlTest, PlacesTheFieldAndTheArrowsByItsHeight)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *spin = AddSpin(dialog, 10);
    Show(dialog);
    ASSERT_NE(nullptr, spin->UpDownHandle());
    // Arrows three quarters of the height wide: 15 of 20.
    const int wide = 15;
    const RECT field = bartest::PlaceInParent(spin->Field()->OSHandle());
    EXPECT_EQ(0, field.left);
    EXPECT_EQ(60 - wide, field.right);
    const RECT arrows = bartest::PlaceInParent(spin->UpDownHandle());
    EXPECT_EQ(59 - wide, arrows.left);
    EXPECT_EQ(wide, arrows.right - arrows.left);
    EXPECT_EQ(19, arrows.bottom - arrows.top);
    Close(dialog);
}

TEST_F(SpinControlTest, OneClickOnAnArrowStepsOnceAndCallsTheUserFunctionOnce)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *spin = AddSpin(dialog, 10);
    Show(dialog);
    ClickArrow(spin, false);
    EXPECT_EQ(2, Value(spin));
    EXPECT_EQ(1, Selections());
    ClickArrow(spin, true);
    ClickArrow(spin, true);
    EXPECT_EQ(4, Value(spin));
    EXPECT_EQ(3, Selections());
    // The arrows rest in the middle, ready for the next click either way.
    EXPECT_EQ(ZafSpinControl::arrowRest, LOWORD(SendMessageA(spin->UpDownHandle(), UDM_GETPOS, 0, 0)));
    Close(dialog);
}

// A spin control that notes the mouse messages of its arrows reaching it.
class WatchedSpin : public ZafSpinControl
{
public:
    WatchedSpin() : ZafSpinControl(0, 0, 1, 1) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.osEvent.hwnd && event.osEvent.hwnd == UpDownHandle() && event.type != ZAF_MOUSE_EVENT)
            arrowMessages.push_back(event.osEvent.message);
        return ZafSpinControl::Event(event);
    }
    std::vector<UINT> arrowMessages;
};

TEST_F(SpinControlTest, ArrowMouseMessagesPassThroughItsEventAndStillStep)
{
    ZafDialogWindow *dialog = Dialog();
    auto *spin = new WatchedSpin;
    spin->SetCoordinateType(ZAF_PIXEL);
    spin->SetRegion(ZafRegionRect(10, 10, 69, 29, ZAF_PIXEL));
    auto *field = new ZafInteger(0, 0, 1, 3);
    field->SetCoordinateType(ZAF_PIXEL);
    field->SetRange("1..5");
    spin->AddObject(field);
    spin->SetStepData(new ZafIntegerData(1));
    dialog->AddObject(spin);
    Show(dialog);
    RECT r;
    GetClientRect(spin->UpDownHandle(), &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 4);
    // Through the message queue, as the system delivers a click.
    PostMessageA(spin->UpDownHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(spin->UpDownHandle(), WM_LBUTTONUP, 0, at);
    RunQueued();
    EXPECT_EQ(4, Value(spin));
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}), spin->arrowMessages);
    // Other messages go straight to the control.
    SendMessageA(spin->UpDownHandle(), UDM_GETPOS, 0, 0);
    EXPECT_EQ(2u, spin->arrowMessages.size());
    Close(dialog);
}

// Without a window of its own the spin control paints its arrows: a raised
// box of the button face at its right end with a dark triangle in each
// half, and nothing of them left of the box.
TEST_F(SpinControlTest, WithoutItsOwnWindowItPaintsTheArrowBox)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *spin = AddSpin(dialog, 10);
    spin->SetOwnWindow(false);
    Show(dialog);
    ASSERT_FALSE(spin->IsCreated());
    EXPECT_EQ(nullptr, spin->UpDownHandle());
    const ZafRegionRect place = spin->GetWindowRegion();
    const int arrows = ZafSpinControl::ArrowWidth(place.Width(), place.Height());
    bartest::Painted painted(spin->DrawingHandle(), RGB(1, 2, 3));
    const COLORREF face = GetSysColor(COLOR_BTNFACE), mark = GetSysColor(COLOR_BTNTEXT);
    const int left = place.right + 1 - arrows, middle = place.top + place.Height() / 2;
    int upper = 0, lower = 0, faces = 0;
    for (int y = place.top; y <= place.bottom; ++y)
        for (int x = left; x <= place.right; ++x) {
            const COLORREF c = painted.At(x, y);
            (y < middle ? upper : lower) += c == mark;
            faces += c == face;
        }
    EXPECT_GT(upper, 0);
    EXPECT_GT(lower, 0);
    EXPECT_GT(faces, upper + lower);
    // The upper triangle points up: its widest row is its lowest.
    auto marks = [&](int y) {
        int n = 0;
        for (int x = left; x <= place.right; ++x)
            n += painted.At(x, y) == mark;
        return n;
    };
    int firstRow = -1, lastRow = -1;
    for (int y = place.top; y < middle; ++y)
        if (marks(y) > 0)
            lastRow = y, firstRow = firstRow < 0 ? y : firstRow;
    ASSERT_GE(firstRow, 0);
    EXPECT_LT(marks(firstRow), marks(lastRow));
    Close(dialog);
}

// Tips, help context and the no-focus flag set on the spin control reach
// its field, where the user points and types.
TEST_F(SpinControlTest, TipsHelpAndNoFocusReachTheField)
{
    ZafSpinControl spin(0, 0, 10, 1);
    auto *field = new ZafInteger(0, 0, 1, 3);
    spin.AddObject(field);
    ZafWindowObject &object = spin;
    object.SetTipText("Classes");
    object.SetSecondTipText("How many classes the map shows");
    object.SetHelpContext("HELP_CLASSES");
    object.SetNoFocus(true);
    EXPECT_STREQ("Classes", field->TipText());
    EXPECT_STREQ("How many classes the map shows", field->SecondTipText());
    EXPECT_STREQ("HELP_CLASSES", field->HelpContext());
    EXPECT_TRUE(field->NoFocus());
    object.SetNoFocus(false);
    EXPECT_FALSE(field->NoFocus());
}

// Border, changed flag and drag flags are the field's: the spin control
// keeps the field's answer; without a field they are its own.
TEST_F(SpinControlTest, BorderChangedAndDragFlagsAreTheFields)
{
    ZafSpinControl spin(0, 0, 10, 1);
    ZafWindowObject &object = spin;
    EXPECT_TRUE(object.SetChanged(true));
    EXPECT_TRUE(object.Changed());
    auto *field = new ZafInteger(0, 0, 1, 3);
    spin.AddObject(field);
    EXPECT_FALSE(object.Changed());
    field->SetChanged(true);
    EXPECT_TRUE(object.Changed());
    object.SetChanged(false);
    EXPECT_FALSE(field->Changed());
    object.SetBordered(false);
    EXPECT_FALSE(field->Bordered());
    EXPECT_FALSE(spin.Bordered());
    object.SetBordered(true);
    EXPECT_TRUE(field->Bordered());
    object.SetCopyDraggable(true);
    object.SetMoveDraggable(true);
    EXPECT_TRUE(field->CopyDraggable());
    EXPECT_TRUE(field->MoveDraggable());
    EXPECT_TRUE(spin.CopyDraggable());
    object.SetOwnWindow(false);
    EXPECT_FALSE(field->OwnWindow());
}

// The background's system colours are the window colour for both; the
// text keeps the window's text colour.
TEST_F(SpinControlTest, BackgroundSystemColoursAreTheWindowColour)
{
    ZafSpinControl spin(0, 0, 10, 1);
    ZafPaletteStruct background;
    background.colorForeground = background.colorBackground = ZAF_CLR_SYSTEM;
    background.osColorForeground = background.osColorBackground = -1;
    ZafPaletteStruct text = background;
    spin.ResolveSystemColors(background, ZAF_PM_BACKGROUND, ZAF_PM_ENABLED);
    EXPECT_EQ(static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW)), background.osColorForeground);
    EXPECT_EQ(static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW)), background.osColorBackground);
    spin.ResolveSystemColors(text, ZAF_PM_TEXT, ZAF_PM_ENABLED);
    EXPECT_EQ(static_cast<std::int32_t>(GetSysColor(COLOR_WINDOWTEXT)), text.osColorForeground);
}

TEST_F(SpinControlTest, UpAndDownTypedInTheFieldStepItAndTheFocusStays)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *first = AddSpin(dialog, 10);
    ZafSpinControl *second = AddSpin(dialog, 40);
    Show(dialog);
    first->Field()->SetFocus(true);
    RunQueued();
    Press(first->Field(), VK_UP);
    EXPECT_EQ(4, Value(first));
    Press(first->Field(), VK_DOWN);
    Press(first->Field(), VK_DOWN);
    EXPECT_EQ(2, Value(first));
    EXPECT_EQ(3, Selections());
    // The arrows did not move the focus to the next control, as they would
    // from a button; the field wanted them, and the spin control got them.
    EXPECT_EQ(first->Field()->OSHandle(), GetFocus());
    EXPECT_EQ(3, Value(second));
    Close(dialog);
}

TEST_F(SpinControlTest, StepsStopAtTheRangeOrWrapAroundIt)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *stops = AddSpin(dialog, 10, 5);
    ZafSpinControl *wraps = AddSpin(dialog, 40, 5);
    wraps->SetWrap(true);
    Show(dialog);
    ClickArrow(stops, true);
    ClickArrow(wraps, true);
    EXPECT_EQ(5, Value(stops));
    EXPECT_EQ(1, Value(wraps));
    Close(dialog);
}

TEST_F(SpinControlTest, ADisabledOrReadOnlySpinControlIgnoresItsArrows)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *disabled = AddSpin(dialog, 10);
    ZafSpinControl *readOnly = AddSpin(dialog, 40);
    disabled->SetDisabled(true);
    readOnly->SetReadOnly(true);
    Show(dialog);
    ClickArrow(readOnly, true);
    SendMessageA(disabled->OSHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, ZafSpinControl::arrowUp),
                 reinterpret_cast<LPARAM>(disabled->UpDownHandle()));
    RunQueued();
    EXPECT_EQ(3, Value(disabled));
    EXPECT_EQ(3, Value(readOnly));
    EXPECT_EQ(0, Selections());
    Close(dialog);
}

// A spin control shown disabled and enabled later steps by its arrows.
TEST_F(SpinControlTest, EnablingTheSpinControlEnablesItsArrows)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *spin = AddSpin(dialog, 10);
    spin->SetDisabled(true);
    Show(dialog);
    EXPECT_FALSE(IsWindowEnabled(spin->UpDownHandle()));
    spin->SetDisabled(false);
    EXPECT_TRUE(IsWindowEnabled(spin->UpDownHandle()));
    ClickArrow(spin, true);
    EXPECT_EQ(4, Value(spin));
    spin->SetDisabled(true);
    EXPECT_FALSE(IsWindowEnabled(spin->UpDownHandle()));
    Close(dialog);
}

TEST_F(SpinControlTest, KeepsItsFirstFieldOnceShown)
{
    ZafDialogWindow *dialog = Dialog();
    ZafSpinControl *spin = AddSpin(dialog, 10);
    Show(dialog);
    ZafWindowObject *field = spin->Field();
    ZafInteger other(0, 0, 5, 9);
    EXPECT_EQ(field, spin->AddObject(&other));
    EXPECT_EQ(field, spin->SubtractObject(field));
    EXPECT_EQ(nullptr, other.Parent());
    Close(dialog);
}

TEST_F(SpinControlTest, RoundTripKeepsTheFlagsTheFieldAndTheStep)
{
    ZafSpinControl stored(1, 1, 10, 1);
    auto *field = new ZafInteger(0, 0, 8, 7);
    field->SetStringID("COUNT");
    stored.AddObject(field);
    stored.SetStepData(new ZafIntegerData(5));
    stored.SetWrap(true);
    stored.SetReadOnly(true);
    auto read = fieldtest::RoundTrip(stored, "SPIN");
    EXPECT_TRUE(read->Wrap());
    EXPECT_TRUE(read->ReadOnly());
    ASSERT_NE(nullptr, read->Field());
    EXPECT_STREQ("COUNT", read->Field()->StringID());
    auto *step = dynamic_cast<ZafIntegerData *>(read->StepData());
    ASSERT_NE(nullptr, step);
    EXPECT_EQ(5, step->Value());
}

// The step data read back by a reader whose program table has no read
// function for it: the UI data file tool reads the program's windows before
// (and without) the data start-up, and the table lists no real data at all.
struct StepCase
{
    const char *label;
    bool real;      // a real field stepping by 0.5, else an integer one by 5
    bool inAWindow; // read as a child of a window, else by itself
};

void PrintTo(const StepCase &c, std::ostream *out)
{
    *out << c.label;
}

class SpinStepPersistenceTest : public SpinControlTest, public ::testing::WithParamInterface<StepCase>
{
protected:
    SpinStepPersistenceTest()
    {
        ZafPersistenceRegistry::RegisterNew(ZafIntegerData::className, nullptr);
        ZafPersistenceRegistry::RegisterNew(ZafRealData::className, nullptr);
    }
    ~SpinStepPersistenceTest() override { ZafDataManager::RegisterDataClasses(); }

    // A window is read by name as the program reads its windows; a spin
    // control by itself through its persistent constructor.
    static std::unique_ptr<ZafWindow> ReadFrom(const char *path, bool window)
    {
        ZafStorage storage(path, ZafStorage::Read);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        std::unique_ptr<ZafWindow> read;
        if (window)
            read.reset(dynamic_cast<ZafWindow *>(persistence->NewObject(
                ZafWindow::classID, ZafWindow::className, "OPTIONS", ZafObjectPersistence::topLevelEntry)));
        else
            read = std::make_unique<ZafSpinControl>("OPTIONS", *persistence);
        EXPECT_EQ(0u, persistence->Error());
        return read;
    }
};

TEST_P(SpinStepPersistenceTest, KeepsItsStepAndWritesBackTheSameBytes)
{
    const StepCase &c = GetParam();
    auto *spin = new ZafSpinControl(1, 1, 10, 1);
    spin->SetStringID("COUNT_spin");
    ZafString *field = c.real ? static_cast<ZafString *>(new ZafReal(0, 0, 8, 1.5))
                              : static_cast<ZafString *>(new ZafInteger(0, 0, 8, 7));
    field->SetStringID("COUNT");
    spin->AddObject(field);
    spin->SetStepData(c.real ? static_cast<ZafData *>(new ZafRealData(0.5)) : new ZafIntegerData(5));
    std::unique_ptr<ZafWindow> stored;
    if (c.inAWindow) {
        stored = std::make_unique<ZafWindow>(0, 0, 30, 5);
        stored->AddObject(spin);
    } else {
        stored.reset(spin);
    }
    stored->SetStringID("OPTIONS");
    fieldtest::ScratchFile first, second;
    fieldtest::WriteInto(*stored, first.Path());

    std::unique_ptr<ZafWindow> read = ReadFrom(first.Path(), c.inAWindow);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(0, read->Error());
    auto *readSpin =
        dynamic_cast<ZafSpinControl *>(c.inAWindow ? read->FindObjectByStringID("COUNT_spin") : read.get());
    ASSERT_NE(nullptr, readSpin);
    ASSERT_NE(nullptr, readSpin->StepData());
    if (c.real)
        EXPECT_EQ(0.5, dynamic_cast<ZafRealData &>(*readSpin->StepData()).Value());
    else
        EXPECT_EQ(5, dynamic_cast<ZafIntegerData &>(*readSpin->StepData()).Value());
    fieldtest::WriteInto(*read, second.Path());
    EXPECT_TRUE(fieldtest::ReadWholeFile(first.Path()) == fieldtest::ReadWholeFile(second.Path())) << "the rewrite differs";
}

INSTANTIATE_TEST_SUITE_P(Steps, SpinStepPersistenceTest,
                         ::testing::Values(StepCase{"IntegerAlone", false, false},
                                           StepCase{"IntegerInAWindow", false, true},
                                           StepCase{"RealAlone", true, false}, StepCase{"RealInAWindow", true, true}),
                         [](const ::testing::TestParamInfo<StepCase> &info) { return info.param.label; });

} // namespace
