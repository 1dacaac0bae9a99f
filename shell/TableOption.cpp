#include "shell/TableOption.h"

#include "dataset/RegistrySettings.h"
#include "shell/FindNamedControl.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafReal.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The row's setting in its storage type, its read default when the store
// holds none; stored tells whether it does. One read of the store.
long ReadSetting(const SettingRow &row, bool &stored)
{
    unsigned long word = 0;
    stored = RegistrySettings::QueryDwordInSection(FindSettingsSection(row.section), row.key, word);
    switch (row.storage) {
    case SettingStorage::u16: {
        const short fallback = static_cast<short>(row.readDefault);
        return static_cast<unsigned short>(stored ? RegistrySettings::ShortFromWord(word, fallback) : fallback);
    }
    case SettingStorage::u32:
        return static_cast<long>(stored ? word : static_cast<unsigned long>(row.readDefault));
    case SettingStorage::integer:
    case SettingStorage::tenThousandths:
        break;
    }
    return stored ? static_cast<int>(word) : static_cast<int>(row.readDefault);
}

// The stored value held to the row's range: one outside it (a damaged or
// hand-edited registry may hold any) is the row's read default.
long ReadSettingInRange(const SettingRow &row, bool &stored)
{
    const long value = ReadSetting(row, stored);
    return value < row.minimum || value > row.maximum ? row.readDefault : value;
}

// A check box or radio button of that name; a push button of that name is
// no choice to read or set and is reported as missing.
ZafButton *ChoiceButton(ZafWindow *window, const ControlRow &row, const char *sourceName)
{
    ZafButton *button = FindNamedControl<ZafButton>(window, row.name, sourceName, __LINE__);
    if (!button || button->Type() == ZafButton::checkBox || button->Type() == ZafButton::radioButton)
        return button;
    AssumeError(false, sourceName, __LINE__, OptionWindow::missingControlText);
    return nullptr;
}

} // namespace

TableOption::TableOption(const TableDescription &description) : description(description)
{
    SetName(description.recordName);
    LoadSettings(0);
}

long &TableOption::Field(int field)
{
    if (field >= 0 && field < maxFields)
        return value[field];
    return parameterWord;
}

void TableOption::LoadSettings(int flag)
{
    settingsKept = 0;
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        if (!flag) {
            Field(row.field) = row.unloaded;
            continue;
        }
        bool stored = false;
        Field(row.field) = ReadSettingInRange(row, stored);
        if (stored)
            settingsKept = 1;
    }
}

void TableOption::SaveSettings()
{
    // The open option window's values are the ones to keep.
    if (optionWindow)
        FromWindow();
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        RegistrySettings::WriteValueInSection(FindSettingsSection(row.section), row.key,
                                              static_cast<unsigned long>(Field(row.field)));
    }
}

void TableOption::SetFieldRange(ZafString *control, int field, long divisor) const
{
    // One declared range a value: the settings row's, which the registry's
    // values are held to as well.
    for (int i = 0; i < description.settingCount; ++i) {
        const SettingRow &row = description.settings[i];
        if (row.field != field)
            continue;
        char range[64];
        if (divisor == 1)
            std::snprintf(range, sizeof range, "%ld..%ld", row.minimum, row.maximum);
        else
            std::snprintf(range, sizeof range, "%.10g..%.10g", static_cast<double>(row.minimum) / divisor,
                          static_cast<double>(row.maximum) / divisor);
        control->SetRange(range);
        return;
    }
}

void TableOption::ToWindow()
{
    if (!optionWindow)
        return;
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        const unsigned long word = static_cast<unsigned long>(Field(row.field));
        switch (row.kind) {
        case ControlKind::checkBox:
            if (ZafButton *box = ChoiceButton(optionWindow, row, description.sourceName))
                box->SetSelected((word & row.bits) != 0);
            break;
        case ControlKind::radioButton:
            if (ZafButton *button = ChoiceButton(optionWindow, row, description.sourceName))
                button->SetSelected((word & row.bits) == row.value);
            break;
        case ControlKind::integer:
            if (auto *field = FindNamedControl<ZafInteger>(optionWindow, row.name, description.sourceName, __LINE__)) {
                SetFieldRange(field, row.field, 1);
                field->SetValue(static_cast<std::int32_t>(Field(row.field)));
            }
            break;
        case ControlKind::real:
            if (auto *field = FindNamedControl<ZafReal>(optionWindow, row.name, description.sourceName, __LINE__)) {
                SetFieldRange(field, row.field, 10000);
                field->SetValue(Field(row.field) / 10000.0);
            }
            break;
        case ControlKind::caption:
        case ControlKind::pushButton:
            break;
        }
    }
}

void TableOption::FromWindow()
{
    if (!optionWindow)
        return;
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        long &field = Field(row.field);
        const unsigned long word = static_cast<unsigned long>(field);
        switch (row.kind) {
        case ControlKind::checkBox:
            if (ZafButton *box = ChoiceButton(optionWindow, row, description.sourceName))
                field = static_cast<long>(box->Selected() ? (word | row.bits) : (word & ~row.bits));
            break;
        case ControlKind::radioButton:
            // Each group sets and clears its own bits, so every choice can be
            // made again later.
            if (ZafButton *button = ChoiceButton(optionWindow, row, description.sourceName))
                if (button->Selected())
                    field = static_cast<long>((word & ~row.bits) | row.value);
            break;
        case ControlKind::integer:
            if (auto *number = FindNamedControl<ZafInteger>(optionWindow, row.name, description.sourceName, __LINE__))
                field = static_cast<long>(number->GetValue());
            break;
        case ControlKind::real:
            if (auto *number = FindNamedControl<ZafReal>(optionWindow, row.name, description.sourceName, __LINE__))
                field = std::lround(number->GetValue() * 10000.0);
            break;
        case ControlKind::caption:
        case ControlKind::pushButton:
            break;
        }
    }
}

void TableOption::ShowTexts(ZafWindow *window, const TableDescription &description)
{
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        if (!row.text)
            continue;
        ZafWindowObject *control =
            FindNamedControl<ZafWindowObject>(window, row.name, description.sourceName, __LINE__);
        if (!control)
            continue;
        control->SetText(StatText(row.text, description.textGroup));
        if (row.kind == ControlKind::pushButton && row.value)
            control->SetTipText(StatText(static_cast<int>(row.value), description.textGroup));
    }
}
