// The dialogs that analyses build in code, shown as the user sees them with
// the language file's texts: every control's text whole with its font, every
// control inside its group and the window, none on another.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/GroupDefWindow.h"
#include "analyses/MapStatOption.h"
#include "analyses/MultrespDikoOption.h"
#include "analyses/NtabOption.h"

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

} // namespace
