// Every ranged number field of the option windows, typed into as a user
// does, inside the option frame's own modal loop: a value out of the range,
// a text that is no number and an empty field each give the field's message
// when the user clicks OK or presses Return, and the window stays open with
// the old value to correct; a valid value is taken on OK and ends the frame.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/ModalLoop.h"

#include "analyses/frequencies/FreqOption.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "shell/OptionWindowFrame.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafReal.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace analysestest;
using testsupport::WhenModalLoopIdles;

struct FieldCase
{
    const char *name;
    TableOption *(*make)(); // a new record with its defaults
    const char *field;      // the number field's name
    const char *outOfRange; // typed
    const char *range;      // as the field's message shows it
    const char *valid; // typed, with the record's field after OK
    long taken;
};

template <class Record> TableOption *New()
{
    return new Record;
}

// p-in is typed only with forward selection, p-out only with backward.
template <long method> TableOption *NewRegression()
{
    auto *record = new MultregOption;
    record->method = method;
    return record;
}

const FieldCase cases[] = {
    {"FreqColumnWidth", New<FreqOption>, "spin_int_colwid", "41", "3..40", "12", 12},
    {"FreqColumnWidthNegative", New<FreqOption>, "spin_int_colwid", "-5", "3..40",
     "40", 40},
    {"NtabLayers", New<NtabOption>, "DisLayerNum", "4", "1..3", "2", 2},
    {"MapClassCount", New<MapStatOption>, "NUM", "1000", "1..13", "7", 7},
    {"RegressionPIn", NewRegression<multregForward>, "StaPin", "1.5",
     "0.0001..1.0000", "0.1", 1000},
    {"RegressionPOut", NewRegression<multregBackward>, "StaPout", "-1",
     "0.0001..1.0000", "0.2", 2000},
};

class OptionFieldInput : public WindowTest, public testing::WithParamInterface<FieldCase>
{
protected:
    OptionFieldInput() : record(GetParam().make()) {}
    ~OptionFieldInput() override { testsupport::ForgetModalLoopSteps(); }

    long &Stored()
    {
        const TableDescription &description = record->Description();
        for (int i = 0; i < description.controlCount; ++i)
            if (std::string(description.controls[i].name) == GetParam().field)
                return record->Field(description.controls[i].field);
        ADD_FAILURE() << "no control row " << GetParam().field;
        static long none = 0;
        return none;
    }
    ZafString *Field() const
    {
        ZafDialogWindow *frame = ZafDialogWindow::ModalWindow();
        return frame ? dynamic_cast<ZafString *>(frame->FindObjectByStringID(GetParam().field)) : nullptr;
    }
    // A click of the mouse on a control: pressed, the loop run (a message
    // the press brings up is answered meanwhile), released.
    static void ClickControl(ZafWindowObject *control)
    {
        ASSERT_NE(nullptr, control);
        controltest::ControlTest::Press(control->OSHandle());
        RunQueued();
        controltest::ControlTest::Release(control->OSHandle());
        RunQueued();
    }
    static void ClickOk()
    {
        ClickControl(ZafDialogWindow::ModalWindow()->FindObjectByStringID(OptionWindowFrame::okName));
    }
    // Into the field as the user does: clicked, its text replaced by typing.
    void TypeIntoField(const char *text)
    {
        ZafString *field = Field();
        ASSERT_NE(nullptr, field);
        ClickControl(field);
        Retype(field, text);
    }
    std::string FieldText() const
    {
        ZafString *field = Field();
        return field ? fieldtest::WindowText(field->OSHandle()) : std::string("(no field)");
    }
    // The reports since the last look, joined by " | ".
    static std::string TakeReports()
    {
        std::string all;
        for (const fieldtest::Report &report : fieldtest::Recorded().reports)
            all += (all.empty() ? "" : " | ") + report.message;
        fieldtest::Recorded().reports.clear();
        return all;
    }

    std::unique_ptr<TableOption> record;
};

TEST_P(OptionFieldInput, RefusedValuesSayWhyOnOkAndReturnAndAValidOneIsTaken)
{
    const FieldCase &c = GetParam();
    const long before = Stored();
    auto *frame = Open(new OptionWindowFrame(*userPersist, record.get()));
    const std::string shownBefore = fieldtest::WindowText(
        dynamic_cast<ZafWindowObject *>(frame->FindObjectByStringID(c.field))->OSHandle());

    // Each step runs only while the frame's loop still runs: a step that
    // closed the window leaves the later ones unrun.
    std::vector<std::string> seen;
    auto refused = [&](const char *typed, bool byReturn) {
        return [this, &seen, &shownBefore, typed, byReturn] {
            TypeIntoField(typed);
            if (byReturn)
                KeyTo(Field()->OSHandle(), VK_RETURN);
            else
                ClickOk();
            // The field shows the old value again or keeps the typed text
            // for the correction (a spin control's field keeps it on OK).
            const std::string shown = FieldText();
            seen.push_back(std::string(typed) + (byReturn ? " Return: " : " OK: ") + TakeReports() + " / " +
                           (shown == shownBefore || shown == typed ? "to correct" : shown));
        };
    };
    // An empty field reads as 0, which no range here holds.
    auto rangeMessage = [&c](const std::string &typed) {
        return "The number " + typed + " is not in the range " + c.range + ".";
    };
    const std::string invalid = "The number abc is invalid.";
    std::vector<std::function<void()>> steps = {
        refused(c.outOfRange, false), refused(c.outOfRange, true), refused("abc", false), refused("abc", true),
        refused("", false),           [&] {
            TypeIntoField(c.valid);
            ClickOk();
            seen.push_back(std::string(c.valid) + " OK: " + TakeReports());
        }};
    // One step at a time, each registering the next when it is done.
    std::function<void(std::size_t)> runFrom = [&](std::size_t i) {
        steps[i]();
        if (i + 1 < steps.size())
            WhenModalLoopIdles([&runFrom, i] { runFrom(i + 1); }, 20);
    };
    WhenModalLoopIdles([&runFrom] { runFrom(0); }, 20);
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    Forget(frame);

    const std::vector<std::string> expected = {
        std::string(c.outOfRange) + " OK: " + rangeMessage(c.outOfRange) + " / to correct",
        std::string(c.outOfRange) + " Return: " + rangeMessage(c.outOfRange) + " / to correct",
        "abc OK: " + invalid + " / to correct",
        "abc Return: " + invalid + " / to correct",
        " OK: " + rangeMessage("") + " / to correct",
        std::string(c.valid) + " OK: ",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_NE(before, c.taken);
    EXPECT_EQ(c.taken, Stored());
}

INSTANTIATE_TEST_SUITE_P(Fields, OptionFieldInput, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<FieldCase> &info) { return info.param.name; });

} // namespace
