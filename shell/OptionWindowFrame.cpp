#include "shell/OptionWindowFrame.h"

#include "zaf/controls/ZafNumberField.h"

#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/OptionWindow.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/core/ZafTracker.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// The frame's size in cells when the option window's region is not in
// cells; room for the check box and the buttons below it either way.
constexpr int defaultWidth = 60, defaultHeight = 16;
constexpr int buttonRows = 5, minimumWidth = 44;
constexpr int buttonWidth = 12, checkBoxWidth = 30;

ZafButton *MakeEndButton(int left, int top, const char *text, const char *name, ZafEventType code)
{
    auto *button = new ZafButton(left, top, buttonWidth, 1, text);
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    return button;
}

// Places the check box on a row of its own below the option window
// (height rows), the three buttons at the right below it.
void PlaceControls(ZafWindow &frame, int width, int height)
{
    const int row = height + 1;
    const struct
    {
        const char *name;
        int left, top, width;
    } places[] = {
        {OptionWindowFrame::savePersistName, 1, row, checkBoxWidth},
        {OptionWindowFrame::okName, width - 40, row + 2, buttonWidth},
        {OptionWindowFrame::applyName, width - 27, row + 2, buttonWidth},
        {OptionWindowFrame::cancelName, width - 14, row + 2, buttonWidth},
    };
    for (const auto &place : places)
        if (ZafWindowObject *object = frame.FindObjectByStringID(place.name))
            object->SetRegion(ZafRegionRect(place.left, place.top, place.left + place.width - 1, place.top, ZAF_CELL));
}

} // namespace

const char *OptionWindowFrame::AnalysisTitle(const char *recordName)
{
    if (!recordName)
        return nullptr;
    // A record is named after its analysis's help name, "_OPTIONS" added.
    constexpr const char suffix[] = "_OPTIONS";
    std::string helpName = recordName;
    const std::size_t cut = helpName.size() >= sizeof suffix - 1 ? helpName.size() - (sizeof suffix - 1) : 0;
    if (helpName.compare(cut, std::string::npos, suffix) == 0)
        helpName.resize(cut);
    for (const RegisteredOption &entry : RegisteredOptionsList)
        if (entry.helpName && entry.text && helpName == entry.helpName)
            return entry.text;
    return nullptr;
}

ZafWindow *OptionWindowFrame::MakeDefinition()
{
    auto *frame = new ZafDialogWindow(4, 2, defaultWidth, defaultHeight + buttonRows);
    frame->SetStringID(frameName);
    frame->SetSizeable(false);
    frame->AddObject(new ZafBorder());
    frame->AddObject(new ZafTitle("Options"));
    auto *keep = new OpButton(0, 0, 0, 0, "Keep these settings", savePersistName);
    keep->SetCoordinateType(ZAF_CELL);
    frame->AddObject(keep);
    frame->AddObject(MakeEndButton(0, 0, "OK", okName, ZAF_DIALOG_OK));
    frame->AddObject(MakeEndButton(0, 0, "Apply", applyName, ZAF_DIALOG_APPLY));
    frame->AddObject(MakeEndButton(0, 0, "Cancel", cancelName, ZAF_DIALOG_CANCEL));
    PlaceControls(*frame, defaultWidth, defaultHeight);
    return frame;
}

OptionWindowFrame::OptionWindowFrame(ZafWindowPersistence &persistence, StatOption *record)
    : ZafDialogWindow(frameName, persistence), record(record)
{
    Build();
}

OptionWindowFrame::OptionWindowFrame(ZafWindowPersistence &persistence, OptionFrameBook *book)
    : ZafDialogWindow(frameName, persistence), record(book ? book->FrameOption() : nullptr), book(book)
{
    Build();
}

OptionWindowFrame::OptionWindowFrame(ZafWindowPersistence &persistence, OptionFrameBook *book, StatOption *record)
    : ZafDialogWindow(frameName, persistence), record(record), book(book)
{
    Build();
}

OptionWindowFrame::~OptionWindowFrame()
{
    // The option window goes with the frame's children; the record must not
    // keep pointing to it.
    if (record && window && record->optionWindow == window)
        record->optionWindow = nullptr;
}

void OptionWindowFrame::Build()
{
    if (Error() != 0)
        return;
    savePersist = dynamic_cast<ZafButton *>(FindObjectByStringID(savePersistName));
    auto *ok = dynamic_cast<ZafButton *>(FindObjectByStringID(okName));
    if (!savePersist || !ok || !FindObjectByStringID(applyName) || !FindObjectByStringID(cancelName)) {
        SetError(missingControlError);
        return;
    }
    if (record && *record->GetName()) {
        // The record's name says which help topic belongs to the frame; the
        // user reads the analysis's own name in the title.
        SetHelpContext(record->GetName());
        ZafWindowObject *title = FindTitle();
        if (const char *shown = AnalysisTitle(record->GetName()); title && shown)
            title->SetText(shown);
    }

    int width = defaultWidth, height = defaultHeight;
    window = record ? record->CreateOptionWindow() : nullptr;
    if (window) {
        const ZafRegionRect area = window->Region();
        if (area.coordinateType == ZAF_CELL) {
            width = std::max(minimumWidth, static_cast<int>(area.right - area.left + 1));
            height = area.bottom - area.top + 1;
        }
        if (auto *options = dynamic_cast<OptionWindow *>(window))
            options->SetOpenedBeforeWorkbook(book == nullptr);
        record->optionWindow = window;
        AddObject(window);
    }
    SetRegion(ZafRegionRect(4, 2, 4 + width + 1, 2 + height + buttonRows, ZAF_CELL));
    PlaceControls(*this, width, height);
    SetDefaultButton(ok, true);

    // The box shows whether the settings in force are the kept ones.
    savePersist->SetSelected(record && record->settingsKept);
    if (record && window) {
        record->ToWindow();
        if (auto *options = dynamic_cast<OptionWindow *>(window))
            options->UpdateControls();
    }
}

ZafEventType OptionWindowFrame::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_DIALOG_OK: {
        ZafTracker self(this);
        if (!NumberFieldsInRange())
            return event.type;
        ApplyChanges(true);
        if (self.Deleted())
            return event.type;
        return ZafDialogWindow::Event(event);
    }
    case ZAF_DIALOG_APPLY:
        if (NumberFieldsInRange())
            ApplyChanges(false);
        return event.type;
    default:
        return ZafDialogWindow::Event(event);
    }
}

namespace {

// The first number field under the window (depth first) whose typed text
// is no number or is out of its range, after it has said so and taken the
// focus for the correction; null when every one may be taken.
ZafNumberField *FieldOutOfRange(ZafWindow *window)
{
    for (ZafWindowObject *child = window ? window->FirstChild() : nullptr; child;
         child = static_cast<ZafWindowObject *>(child->Next())) {
        if (auto *field = dynamic_cast<ZafNumberField *>(child)) {
            if (field->CheckTypedValue() != 0) {
                field->SetFocus(true);
                return field;
            }
        } else if (auto *inner = dynamic_cast<ZafWindow *>(child)) {
            if (ZafNumberField *found = FieldOutOfRange(inner))
                return found;
        }
    }
    return nullptr;
}

} // namespace

bool OptionWindowFrame::NumberFieldsInRange()
{
    return FieldOutOfRange(window) == nullptr;
}

void OptionWindowFrame::TakeSettings(StatOption *option, bool ok, bool save)
{
    if (!option)
        return;
    option->FromWindow();
    if (save)
        option->SaveSettings();
    // OK says whether the settings in force are the kept ones; apply keeps
    // nothing and leaves that as it was.
    if (ok)
        option->settingsKept = save ? 1 : 0;
}

void OptionWindowFrame::ApplyChanges(bool ok)
{
    if (!record)
        return;
    // Settings are kept only on OK, and only when the user asks for it.
    const bool save = ok && savePersist && savePersist->Selected();
    TakeSettings(record, ok, save);
    if (!book)
        return;
    book->TakeChangedFlag(record->changed);
    const int graphs = book->FrameGraphOptionCount();
    for (int i = 0; i < graphs; ++i)
        if (StatOption *graph = book->FrameGraphOption(i); graph != record)
            TakeSettings(graph, ok, save);
    book->WriteEveryResult();
    book->RebuildEveryGraph();
    book->RedisplayBook();
}

namespace {

ZafEventType RunFrame(OptionWindowFrame *frame, OptionFrameBook *book = nullptr)
{
    // Opened on a workbook, the frame is centred on it; on a record alone,
    // on the window the user works in (the variable list).
    if (auto *window = dynamic_cast<ZafWindowObject *>(book))
        frame->SetOpener(window);
    if (frame->Error() != 0) {
        ZafErrorSystem errors;
        errors.ReportError(nullptr, "Error", MB_OK | MB_ICONSTOP, "%s", OptionWindowFrame::missingFrameText);
        delete frame;
        return ZAF_DIALOG_CANCEL;
    }
    ZafTracker tracker(frame);
    const ZafEventType code = frame->Control();
    // A frame that a handler deleted during its loop is gone already.
    if (!tracker.Deleted())
        delete frame;
    return code == ZAF_DIALOG_OK ? ZAF_DIALOG_OK : ZAF_DIALOG_CANCEL;
}

} // namespace

ZafEventType RunOptionFrame(StatOption *record)
{
    return userPersist ? RunFrame(new OptionWindowFrame(*userPersist, record)) : ZAF_DIALOG_CANCEL;
}

ZafEventType RunOptionFrame(OptionFrameBook *book)
{
    return userPersist ? RunFrame(new OptionWindowFrame(*userPersist, book), book) : ZAF_DIALOG_CANCEL;
}

ZafEventType RunOptionFrame(OptionFrameBook *book, StatOption *record)
{
    return userPersist ? RunFrame(new OptionWindowFrame(*userPersist, book, record), book) : ZAF_DIALOG_CANCEL;
}
