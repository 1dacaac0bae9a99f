#include "shell/OptionWindowFrame.h"

#include "shell/OptionWindow.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafTracker.h"

#include <algorithm>

namespace {

// The frame's size in cells when the option window's region is not in
// cells; room for the buttons below it either way.
constexpr int defaultWidth = 60, defaultHeight = 16;
constexpr int buttonRows = 5, minimumWidth = 44;

ZafButton *MakeEndButton(int left, int top, const char *text, const char *name, ZafEventType code)
{
    auto *button = new ZafButton(left, top, 12, 1, text);
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    return button;
}

} // namespace

OptionWindowFrame::OptionWindowFrame(StatOption *record)
    : ZafDialogWindow(4, 2, defaultWidth, defaultHeight + buttonRows), record(record)
{
    Build();
}

OptionWindowFrame::OptionWindowFrame(OptionFrameBook *book)
    : ZafDialogWindow(4, 2, defaultWidth, defaultHeight + buttonRows), record(book ? book->FrameOption() : nullptr),
      book(book)
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
    SetStringID("OPTION_FRAME");
    SetSizeable(false);
    AddObject(new ZafBorder());
    AddObject(new ZafTitle(record && *record->GetName() ? record->GetName() : "Options"));

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

    // The check box on a row of its own, the three buttons at the right
    // below it.
    const int row = height + 1;
    savePersist = new OpButton(0, 0, 0, 0, "Keep these settings", savePersistName);
    savePersist->SetCoordinateType(ZAF_CELL);
    savePersist->SetRegion(ZafRegionRect(1, row, 30, row, ZAF_CELL));
    AddObject(savePersist);
    ZafButton *ok = MakeEndButton(width - 40, row + 2, "OK", okName, ZAF_DIALOG_OK);
    AddObject(ok);
    AddObject(MakeEndButton(width - 27, row + 2, "Apply", applyName, ZAF_DIALOG_APPLY));
    AddObject(MakeEndButton(width - 14, row + 2, "Cancel", cancelName, ZAF_DIALOG_CANCEL));
    SetDefaultButton(ok, true);

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
        ApplyChanges(true);
        if (self.Deleted())
            return event.type;
        return ZafDialogWindow::Event(event);
    }
    case ZAF_DIALOG_APPLY:
        ApplyChanges(false);
        return event.type;
    default:
        return ZafDialogWindow::Event(event);
    }
}

void OptionWindowFrame::TakeSettings(StatOption *option, bool save)
{
    if (!option)
        return;
    option->FromWindow();
    if (save)
        option->SaveSettings();
}

void OptionWindowFrame::ApplyChanges(bool ok)
{
    if (!record)
        return;
    // Settings are kept only on OK, and only when the user asks for it.
    const bool save = ok && savePersist && savePersist->Checked();
    TakeSettings(record, save);
    if (!book)
        return;
    const int graphs = book->FrameGraphOptionCount();
    for (int i = 0; i < graphs; ++i)
        TakeSettings(book->FrameGraphOption(i), save);
    book->WriteEveryResult();
    book->RebuildEveryGraph();
    book->RedisplayBook();
}

namespace {

ZafEventType RunFrame(OptionWindowFrame *frame)
{
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
    return RunFrame(new OptionWindowFrame(record));
}

ZafEventType RunOptionFrame(OptionFrameBook *book)
{
    return RunFrame(new OptionWindowFrame(book));
}
