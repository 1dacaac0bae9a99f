#include "analyses/kit/AutoRecodeDialog.h"

#include "shell/OptionWindowBuilder.h"
#include "dataset/DATASET.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafStringData.h"

#include <memory>
#include <string>

namespace {

AutoRecodeTextSource textSource = StatText;
AutoRecodeShownHook shownHook = nullptr;

constexpr int dialogGroup = 41, buttonGroup = 0;
constexpr int width = 60, firstRow = 3, frameRows = 2;
constexpr ZafEventType helpEvent = -34;
constexpr int defaultIntervals = 4;
// The interval counts GroupIntoIntervals makes.
constexpr const char *intervalRange = "2..15";

ZafButton *AddEndButton(ZafDialogWindow *dialog, int left, int row, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, row, 10, 1, textSource(text, buttonGroup));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

std::string EntryName(int entry, const char *suffix = "")
{
    return "bt" + std::to_string(entry) + suffix;
}

// The dialog refuses OK while a ticked variable's interval count is no
// number or outside what grouping makes, after the field has said so; the
// field then has the focus for the correction.
class AutoRecodeWindow : public ZafDialogWindow
{
public:
    AutoRecodeWindow(int width, int height, const long *candidates)
        : ZafDialogWindow(0, 0, width, height), candidates(candidates)
    {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type == ZAF_DIALOG_OK && !IntervalsValid())
            return event.type;
        return ZafDialogWindow::Event(event);
    }

private:
    bool IntervalsValid()
    {
        for (int i = 0; candidates[i] != 0; ++i) {
            if (candidates[i] < 1)
                continue;
            auto *box = dynamic_cast<ZafButton *>(FindObjectByStringID(EntryName(i).c_str()));
            auto *field = dynamic_cast<ZafInteger *>(FindObjectByStringID(EntryName(i, "gr").c_str()));
            if (box && box->Selected() && field && field->CheckTypedValue() != 0) {
                field->SetFocus(true);
                return false;
            }
        }
        return true;
    }
    const long *candidates;
};

// The dialog for the offered entries (count of them given).
ZafDialogWindow *MakeDialog(const long *candidates, int offered, const std::string &callerTitle)
{
    // The frame objects (border, buttons, title) come from the controls.
    OptionWindowBuilder::RegisterClasses();
    // The rows 0 to offered + 4 plus two for the title bar and border, which
    // the dialog's region includes (with offered + 5 the buttons fell off
    // the bottom).
    auto *dialog = new AutoRecodeWindow(width, offered + 5 + frameRows, candidates);
    dialog->SetHelpContext("USE_AUTORECODE");
    std::string title = textSource(0, dialogGroup);
    if (!callerTitle.empty())
        title += " - " + callerTitle;
    dialog->AddGenericObjects(new ZafStringData(title.c_str()));

    dialog->AddObject(new ZafPrompt(1, 0, 58, textSource(2, dialogGroup)));
    dialog->AddObject(new ZafPrompt(1, 1, 58, textSource(3, dialogGroup)));
    dialog->AddObject(new ZafPrompt(52, 2, 8, textSource(4, dialogGroup)));

    int row = firstRow;
    for (int i = 0; candidates[i] != 0; ++i) {
        if (candidates[i] < 1)
            continue;
        std::string label = "v" + std::to_string(candidates[i]) + " ";
        if (char *caption = ReadVariableCaption(candidates[i])) {
            label += caption;
            delete[] caption;
        }
        auto *box = new ZafButton(1, row, 50, 1, label.c_str(), nullptr, ZafButton::checkBox);
        box->SetAllowToggling(true);
        box->SetHzJustify(ZafButton::justifyStart);
        box->SetStringID(EntryName(i).c_str());
        box->SetSelected(true);
        dialog->AddObject(box);
        auto *field = new ZafInteger(52, row, 4, defaultIntervals);
        field->SetRange(intervalRange);
        field->SetStringID(EntryName(i, "gr").c_str());
        dialog->AddObject(field);
        ++row;
    }

    const int buttonRow = offered + 4;
    ZafButton *ok = AddEndButton(dialog, 27, buttonRow, 0, ZAF_DIALOG_OK, autoRecodeOkName);
    AddEndButton(dialog, 38, buttonRow, 4, ZAF_DIALOG_CANCEL, autoRecodeCancelName);
    // The program has no help files: Help would open nothing.
    AddEndButton(dialog, 49, buttonRow, 9, helpEvent, autoRecodeHelpName)->SetDisabled(true);
    dialog->SetDefaultButton(ok, true);
    return dialog;
}

} // namespace

AutoRecodeTextSource SetAutoRecodeTextSource(AutoRecodeTextSource source)
{
    AutoRecodeTextSource previous = textSource;
    textSource = source ? source : StatText;
    return previous;
}

AutoRecodeShownHook SetAutoRecodeShownHook(AutoRecodeShownHook hook)
{
    AutoRecodeShownHook previous = shownHook;
    shownHook = hook;
    return previous;
}

bool AutoRecodeDialog(const long *candidates, long *intervals, const char *title)
{
    if (!candidates || !intervals)
        return true;
    int offered = 0;
    for (int i = 0; candidates[i] != 0; ++i)
        if (candidates[i] > 0)
            ++offered;
    if (offered == 0)
        return true;

    // The caller's title may be a text of another language group, which
    // asking for this dialog's texts can free: copy it before any of the
    // dialog's own texts is asked for.
    const std::string callerTitle = title ? title : "";
    std::unique_ptr<ZafDialogWindow> dialog(MakeDialog(candidates, offered, callerTitle));
    // Centred on the window the run was started from.
    if (zafWindowManager) {
        zafWindowManager->CenterObjectOn(dialog.get(), ZafDialogWindow::DefaultOpener(dialog.get()));
        zafWindowManager->AddObject(dialog.get());
    }
    if (shownHook)
        shownHook(dialog.get());
    const ZafEventType code = dialog->Control();
    if (code != ZAF_DIALOG_OK) {
        // The user's own cancel: the run ends without a failure message.
        VariableListWindow::NoteRunCancelled();
        return false;
    }
    for (int i = 0; candidates[i] != 0; ++i) {
        if (candidates[i] < 1)
            continue;
        auto *box = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(EntryName(i).c_str()));
        auto *field = dynamic_cast<ZafInteger *>(dialog->FindObjectByStringID(EntryName(i, "gr").c_str()));
        if (box && box->Selected() && field)
            intervals[i] = field->GetValue();
    }
    return true;
}
