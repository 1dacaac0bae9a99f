#include "shell/OptionWindowBuilder.h"

#include "shell/OptionWindow.h"
#include "shell/ZafButtonX.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafSpinControl.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafIntegerData.h"

#include <string>

void OptionWindowBuilder::RegisterClasses()
{
    ZafRegisterControls();
    ZafButtonX::RegisterPersistence();
    ZafFrameButton::InstallGenericObjectMaker();
}

ZafWindow *OptionWindowBuilder::Window(const char *name, int width, int height)
{
    auto *window = new ZafWindow(0, 0, width, height);
    window->SetStringID(name);
    return window;
}

namespace {

ZafButton *CheckType(ZafWindow *parent, int left, int top, int width, const char *text, const char *name,
                     ZafButton::ButtonType type)
{
    auto *button = new ZafButtonX(left, top, width, 1, text, nullptr, type);
    button->SetAllowToggling(true);
    button->SetHzJustify(ZafButton::justifyStart);
    button->SetStringID(name);
    parent->AddObject(button);
    return button;
}

} // namespace

ZafButton *OptionWindowBuilder::CheckBox(ZafWindow *parent, int left, int top, int width, const char *text,
                                         const char *name)
{
    return CheckType(parent, left, top, width, text, name, ZafButton::checkBox);
}

ZafButton *OptionWindowBuilder::RadioButton(ZafWindow *parent, int left, int top, int width, const char *text,
                                            const char *name)
{
    return CheckType(parent, left, top, width, text, name, ZafButton::radioButton);
}

ZafGroup *OptionWindowBuilder::Group(ZafWindow *parent, int left, int top, int width, int height, const char *text,
                                     const char *name)
{
    auto *group = new ZafGroup(left, top, width, height, text);
    group->SetStringID(name);
    parent->AddObject(group);
    return group;
}

ZafButton *OptionWindowBuilder::PushButton(ZafWindow *parent, int left, int top, const char *text, const char *name)
{
    auto *button = new ZafButtonX(left, top, 13, 1, text);
    button->SetStringID(name);
    parent->AddObject(button);
    return button;
}

ZafGroup *OptionWindowBuilder::MiniCellGroup(ZafWindow *parent, int left, int top, int width, int height,
                                             const char *name)
{
    auto *group = new ZafGroup(left, top, width, height, name);
    group->SetCoordinateType(ZAF_MINI_CELL);
    group->SetStringID(name);
    parent->AddObject(group);
    return group;
}

ZafButton *OptionWindowBuilder::MiniCellCheckBox(ZafWindow *group, int left, int top, int width, int height,
                                                 const char *name)
{
    auto *box = new OpButton(left, top, width, height, name, name);
    group->AddObject(box);
    return box;
}

ZafButton *OptionWindowBuilder::MiniCellRadioButton(ZafWindow *group, int left, int top, int width, int height,
                                                    const char *name)
{
    auto *button = new ::RadioButton(left, top, width, height, name, name);
    group->AddObject(button);
    return button;
}

ZafPrompt *OptionWindowBuilder::Prompt(ZafWindow *parent, int left, int top, int width, const char *text,
                                       const char *name)
{
    auto *prompt = new ZafPrompt(left, top, width, text);
    prompt->SetStringID(name);
    parent->AddObject(prompt);
    return prompt;
}

ZafInteger *OptionWindowBuilder::IntegerSpin(ZafWindow *parent, int left, int top, int width, long value, long minimum,
                                             long maximum, long step, const char *name)
{
    auto *spin = new ZafSpinControl(left, top, width, 1);
    spin->SetStringID((std::string(name) + "_spin").c_str());
    auto *field = new ZafInteger(0, 0, width, static_cast<std::int32_t>(value));
    field->SetStringID(name);
    field->SetRange((std::to_string(minimum) + ".." + std::to_string(maximum)).c_str());
    // One frame round the field and its arrows: the spin control's.
    spin->SetBordered(true);
    spin->AddObject(field);
    field->SetBordered(false);
    spin->SetStepData(new ZafIntegerData(static_cast<std::int32_t>(step)));
    parent->AddObject(spin);
    return field;
}

ZafPrompt *OptionWindowBuilder::MiniCellPrompt(ZafWindow *parent, int left, int top, int width, const char *name)
{
    auto *prompt = new ZafPrompt(0, 0, 1, "");
    prompt->SetRegion(ZafRegionRect(left, top, left + width - 1, top + miniCellFieldRow - 1, ZAF_MINI_CELL));
    prompt->SetStringID(name);
    parent->AddObject(prompt);
    return prompt;
}

ZafInteger *OptionWindowBuilder::MiniCellIntegerSpin(ZafWindow *parent, int left, int top, int width, long value,
                                                     long minimum, long maximum, long step, const char *name)
{
    ZafInteger *field = IntegerSpin(parent, 0, 0, 1, value, minimum, maximum, step, name);
    if (ZafWindowObject *spin = field->Parent())
        spin->SetRegion(ZafRegionRect(left, top, left + width - 1, top + miniCellFieldRow - 1, ZAF_MINI_CELL));
    return field;
}
