#include "analyses/FreqOption.h"

#include "analyses/FrOptions.h"
#include "analyses/FreqBook.h"
#include "analyses/OptionControls.h"
#include "dataset/RegistrySettings.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

// Settings sections of the records (FindSettingsSection).
enum SectionId { tableOptionsSection = 7, freqBarSection = 13, freqPieSection = 14 };

// Defaults of the graph records' "Display" words.
constexpr unsigned long barDefault = 0x602;
constexpr unsigned long pieDefault = 0x400;

// The text of the variable prompt: the analysis's own menu text.
constexpr int promptText = 12, promptGroup = 1;

struct SortButton
{
    const char *name;
    unsigned short bits; // freqSortByValue and freqSortDescending as the button means them
};
constexpr SortButton sortButtons[] = {
    {"byvalue", freqSortByValue},
    {"byvalue_desc", freqSortByValue | freqSortDescending},
    {"byfreq", 0},
    {"byfreq_desc", freqSortDescending},
};

struct ColumnBox
{
    const char *name;
    unsigned short bit;
};
constexpr ColumnBox checkBoxes[] = {
    {"title", freqHeading},
    {"category", freqLabelColumn},
    {"code", freqValueColumn},
    {"number", freqCountColumn},
    {"pctofall", freqPercentColumn},
    {"pctofvalid", freqValidColumn},
    {"coltitles", freqColumnHeadings},
    {"modus", freqMode},
    {"mean", freqMean},
    {"median", freqMedian},
};

} // namespace

StatOption *FreqOption::Make()
{
    return new FreqOption;
}

FreqOption::FreqOption()
{
    SetName(recordName);
    LoadSettings(1);
}

ZafWindow *FreqOption::CreateOptionWindow()
{
    return new FrOptions;
}

void FreqOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(promptText, promptGroup), 1, -1);
}

void FreqOption::ToWindow()
{
    OptionControls controls(optionWindow, "FreqOption");
    for (const ColumnBox &box : checkBoxes)
        controls.ShowBit(box.name, tableOptions, box.bit, __LINE__);

    const bool cumulated = tableOptions & freqCumulativeColumn, ofAll = tableOptions & freqCumulateAll;
    controls.Select("notused", !cumulated, __LINE__);
    controls.Select("ofvalid", cumulated && !ofAll, __LINE__);
    controls.Select("oftotal", cumulated && ofAll, __LINE__);

    const unsigned short sortBits = tableOptions & (freqSortByValue | freqSortDescending);
    for (const SortButton &button : sortButtons)
        controls.Select(button.name, button.bits == sortBits, __LINE__);

    controls.SetIntegerValue("spin_int_colwid", ColumnWidth(), __LINE__);
}

void FreqOption::FromWindow()
{
    if (!optionWindow)
        return;
    OptionControls controls(optionWindow, "FreqOption");
    unsigned long word = tableOptions;
    for (const ColumnBox &box : checkBoxes)
        word = controls.ReadBit(box.name, word, box.bit, __LINE__);

    // Each radio group sets and clears its own bits, so that every choice
    // can be made again later. (Mended: "ofvalid" once never cleared the
    // cumulate-all bit, so the table could not go back to valid percent.)
    if (controls.Find("notused", __LINE__)) {
        if (controls.Selected("notused", __LINE__)) {
            word &= ~static_cast<unsigned long>(freqCumulativeColumn);
        } else {
            word |= freqCumulativeColumn;
            if (controls.Selected("ofvalid", __LINE__))
                word &= ~static_cast<unsigned long>(freqCumulateAll);
            else
                word |= freqCumulateAll;
        }
    }
    for (const SortButton &button : sortButtons) {
        ZafWindowObject *found = controls.Find(button.name, __LINE__);
        if (found && controls.Selected(button.name, __LINE__)) {
            word &= ~static_cast<unsigned long>(freqSortByValue | freqSortDescending);
            word |= button.bits;
        }
    }
    tableOptions = static_cast<unsigned short>(word);
    SetColumnWidth(controls.IntegerValue("spin_int_colwid", ColumnWidth(), __LINE__));
}

bool FreqOption::Run()
{
    auto *book = new FreqBook(this);
    return WorkBook::FinishRun(book, book->BuildPages());
}

void FreqOption::SaveSettings()
{
    // The open option window's values are the ones to keep.
    if (optionWindow)
        FromWindow();
    const SettingsSection *section = FindSettingsSection(tableOptionsSection);
    RegistrySettings::WriteValueInSection(section, optionsKey, tableOptions);
    RegistrySettings::WriteValueInSection(section, widthKey, static_cast<unsigned long>(ColumnWidth()));
}

void FreqOption::LoadSettings(int flag)
{
    tableOptions = defaultOptions;
    SetColumnWidth(defaultColumnWidth);
    if (!flag)
        return;
    const SettingsSection *section = FindSettingsSection(tableOptionsSection);
    tableOptions = static_cast<unsigned short>(
        RegistrySettings::ReadShortInSection(section, optionsKey, static_cast<short>(defaultOptions)));
    SetColumnWidth(RegistrySettings::ReadIntInSection(section, widthKey, static_cast<int>(ColumnWidth())));
}

FreqbarOption::FreqbarOption() : GraphToolOption(freqBarSection, barDefault)
{}

FreqpieOption::FreqpieOption() : GraphToolOption(freqPieSection, pieDefault)
{}
