// The dialogs that analyses build in code, shown as the user sees them with
// the language file's texts: every control's text whole with its font, every
// control inside its group and the window, none on another.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "graphs/maps/CentreValueDialog.h"
#include "shell/OptionWindowFrame.h"
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
