// The dialogs that analyses build in code, shown as the user sees them with
// the language file's texts: every control's text whole with its font, every
// control inside its group and the window, none on another.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapPreOptionWindow.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "dataset/DATASET.h"
#include "graphs/maps/CentreValueDialog.h"
#include "shell/OptionWindowFrame.h"
#include "tests/support/ModalLoop.h"
#include "zaf/controls/ZafSpinControl.h"

namespace {

using namespace analysestest;

class DialogLayout : public WindowTest
{
protected:
    std::string Problems(ZafWindow *window)
    {
        Open(window);
        return testsupport::LayoutCheck(window).Report();
    }
};

TEST_F(DialogLayout, TheNwayTableAsksWhetherItsListsAreOneSet)
{
    EXPECT_EQ("", Problems(new NtabPreOptionWindow));
}

TEST_F(DialogLayout, TheDichotomiesAskForTheCountedValue)
{
    EXPECT_EQ("", Problems(new MultrespDikoPreOptionWindow));
}

TEST_F(DialogLayout, TheRegionMapTakesItsClassLimits)
{
    MapStatOption record;
    EXPECT_EQ("", Problems(new GroupDefWindow(0, 0, &record)));
}

TEST_F(DialogLayout, TheCentredRampTakesItsCentreValue)
{
    EXPECT_EQ("", Problems(new CentreValueDialog(27168.34, true, 2)));
}

// The map's three dialogs, run as the user meets them: each opens with the
// focus in its first field, and Return there presses OK.
struct Focused
{
    HWND focus = nullptr, expected = nullptr;
};

// Registers the step that, once the dialog's loop runs, notes the focus in
// seen (read after the loop) and presses Return there.
void PressReturnOnTheFocus(ZafDialogWindow &dialog, const char *firstField, Focused &seen)
{
    testsupport::WhenModalLoopIdles([&dialog, &seen, firstField] {
        seen.focus = GetFocus();
        if (ZafWindowObject *field = dialog.FindObjectByStringID(firstField))
            seen.expected = field->OSHandle();
        HWND target = seen.focus ? seen.focus : dialog.OSHandle();
        PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(target, WM_KEYUP, VK_RETURN, 1 | (3UL << 30));
        // Should Return not end the dialog, Escape does.
        testsupport::WhenModalLoopIdles(
            [&] {
                if (dialog.OSHandle())
                    PostMessageA(dialog.OSHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            },
            200);
    });
}

TEST_F(DialogLayout, ReturnPressesOkInTheMapsDialogsWhichOpenWithTheFocusInTheirField)
{
    {
        DATASET set;
        set.mapFileFlag = 1;
        set.mapDirectory.mapCount = 2;
        set.mapDirectory.entries = new MapDirectoryEntry[2];
        std::snprintf(set.mapDirectory.entries[0].name, sizeof set.mapDirectory.entries[0].name, "Regions");
        std::snprintf(set.mapDirectory.entries[1].name, sizeof set.mapDirectory.entries[1].name, "Districts");
        MapPreOptionWindow chooser(&set);
        Focused seen;
        PressReturnOnTheFocus(chooser, "MAPLIST", seen);
        const ZafEventType result = chooser.Control();
        // The Escape left for a dialog that Return did not end goes with it.
        testsupport::ForgetModalLoopSteps();
        EXPECT_EQ(result, ZAF_DIALOG_OK) << "the Region map chooser";
        EXPECT_TRUE(seen.focus && (seen.focus == seen.expected || IsChild(seen.expected, seen.focus)));
        EXPECT_EQ(chooser.ChosenMap(), 0);
    }
    {
        MapStatOption record;
        record.classCountMode = MapClassSettings::userCount;
        record.classCount = 3;
        record.SyncClasses();
        record.classes.bounds = {0, 10, 20, 30};
        GroupDefWindow limits(0, 0, &record);
        Focused seen;
        PressReturnOnTheFocus(limits, "R0", seen);
        const ZafEventType result = limits.Run();
        // The Escape left for a dialog that Return did not end goes with it.
        testsupport::ForgetModalLoopSteps();
        EXPECT_EQ(result, ZAF_DIALOG_OK) << "the class limits";
        EXPECT_EQ(seen.expected, seen.focus);
        EXPECT_TRUE(record.classes.userBounds);
    }
    {
        CentreValueDialog centre(27168.34, true, 2);
        Focused seen;
        PressReturnOnTheFocus(centre, CentreValueDialog::fieldName, seen);
        const ZafEventType result = centre.Control();
        // The Escape left for a dialog that Return did not end goes with it.
        testsupport::ForgetModalLoopSteps();
        EXPECT_EQ(result, ZAF_DIALOG_OK) << "the centre value";
        EXPECT_EQ(seen.expected, seen.focus);
    }
}

// Choosing "Number of layers" in the n-way options lets the user type and
// step the number; another choice takes that back.
TEST_F(DialogLayout, TheNumberOfLayersIsEnabledWithItsChoice)
{
    NtabOption record;
    auto *frame = Open(new OptionWindowFrame(*userPersist, &record));
    ZafWindowObject *field = frame->FindObjectByStringID("DisLayerNum");
    ASSERT_NE(nullptr, field);
    ASSERT_TRUE(field->IsCreated());
    Press(frame, "DisLayAuto");
    EXPECT_FALSE(IsWindowEnabled(field->OSHandle()));
    Press(frame, "DisLayUser");
    EXPECT_TRUE(IsWindowEnabled(field->OSHandle()));
    auto *spin = dynamic_cast<ZafSpinControl *>(field->Parent());
    ASSERT_NE(nullptr, spin);
    EXPECT_TRUE(IsWindowEnabled(spin->UpDownHandle())) << "the spin control's arrows";
    Press(frame, "DisLayNone");
    EXPECT_FALSE(IsWindowEnabled(field->OSHandle()));
    Forget(frame);
}

} // namespace
