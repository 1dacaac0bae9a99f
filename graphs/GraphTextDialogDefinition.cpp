#include "graphs/GraphTextDialogDefinition.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/data/ZafStringData.h"

namespace {

namespace N = GraphTextDialogNames;

// The longest text a graph text may hold.
constexpr int maximumTextLength = 255;

ZafButton *Choice(ZafWindow *parent, int top, const char *text, const char *name, ZafButton::ButtonType type)
{
    auto *button = new ZafButton(1, top, 15, 1, text, nullptr, type);
    button->SetAllowToggling(true);
    button->SetHzJustify(ZafButton::justifyStart);
    button->SetStringID(name);
    parent->AddObject(button);
    return button;
}

ZafGroup *Group(ZafWindow *parent, int left, const char *text, const char *name)
{
    auto *group = new ZafGroup(left, 2, 18, 4, text);
    group->SetStringID(name);
    parent->AddObject(group);
    return group;
}

// An end button whose value the dialog's loop ends with (help: an event).
ZafButton *EndButton(ZafWindow *parent, int left, const char *text, const char *name, ZafEventType code)
{
    auto *button = new ZafButton(left, 9, 12, 1, text);
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    parent->AddObject(button);
    return button;
}

} // namespace

ZafWindow *MakeGraphTextDialogDefinition()
{
    ZafRegisterControls();
    ZafFrameButton::InstallGenericObjectMaker();
    auto *dialog = new ZafDialogWindow(0, 0, 58, 14);
    dialog->SetStringID(N::dialog);
    dialog->AddGenericObjects(new ZafStringData("Text in graph"));

    auto *text = new ZafString(1, 0, 55, "", maximumTextLength);
    text->SetStringID(N::text);
    dialog->AddObject(text);

    ZafGroup *family = Group(dialog, 1, "Font", N::familyGroup);
    Choice(family, 0, "Serif", N::serif, ZafButton::radioButton);
    Choice(family, 1, "Sans serif", N::sansSerif, ZafButton::radioButton);
    ZafGroup *weight = Group(dialog, 20, "Weight", N::weightGroup);
    Choice(weight, 0, "Bold", N::bold, ZafButton::checkBox);
    Choice(weight, 1, "Italic", N::italic, ZafButton::checkBox);
    ZafGroup *pitch = Group(dialog, 39, "Pitch", N::pitchGroup);
    Choice(pitch, 0, "Variable", N::variablePitch, ZafButton::radioButton);
    Choice(pitch, 1, "Fixed", N::fixedPitch, ZafButton::radioButton);

    auto *prompt = new ZafPrompt(1, 7, 10, "Size:");
    prompt->SetStringID(N::sizePrompt);
    dialog->AddObject(prompt);
    // The dialog adds its size field here when it opens.
    auto *size = new ZafWindow(12, 7, 14, 1);
    size->SetStringID(N::size);
    dialog->AddObject(size);

    ZafButton *ok = EndButton(dialog, 1, "OK", N::ok, ZAF_DIALOG_OK);
    EndButton(dialog, 15, "Delete", N::remove, ZAF_DIALOG_DELETE);
    EndButton(dialog, 29, "Cancel", N::cancel, ZAF_DIALOG_CANCEL);
    EndButton(dialog, 43, "Help", N::help, ZAF_HELP);
    dialog->SetDefaultButton(ok, true);
    return dialog;
}
