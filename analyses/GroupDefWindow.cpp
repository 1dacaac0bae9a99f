#include "analyses/GroupDefWindow.h"

#include "analyses/MapStatOption.h"
#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/data/ZafStringData.h"

#include <string>

namespace {

constexpr int textGroup = 22, buttonGroup = 0;
enum { titleText = 23, promptText = 38, okText = 0, cancelText = 4 };
// Cells: the dialog's width, the title bar and border its region includes.
constexpr int width = 30, frameRows = 2, fieldColumn = 12, fieldWidth = 10;

std::string FieldName(int i)
{
    return "R" + std::to_string(i);
}

void AddEndButton(ZafDialogWindow *dialog, int left, int row, int text, ZafEventType code)
{
    auto *button = new ZafButton(left, row, 10, 1, StatText(text, buttonGroup));
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
}

} // namespace

GroupDefWindow::GroupDefWindow(int left, int top, MapStatOption *record)
    : ZafDialogWindow(left, top, width, record->classes.classCount + 3 + frameRows), record(record),
      classes(record->classes.classCount)
{
    OptionWindowBuilder::RegisterClasses();
    AddGenericObjects(new ZafStringData(StatText(titleText, textGroup)));
    AddObject(new ZafPrompt(1, 0, width - 2, StatText(promptText, textGroup)));
    // Limits the record's map computed; without them equal ones.
    const std::vector<double> &bounds = record->classes.bounds;
    for (int i = 0; i < classes; ++i) {
        const double bound = static_cast<int>(bounds.size()) > i ? bounds[i] : i;
        auto *field = new ZafReal(fieldColumn, i + 1, fieldWidth, bound);
        field->SetStringID(FieldName(i).c_str());
        AddObject(field);
    }
    const int buttonRow = classes + 2;
    AddEndButton(this, width - 22, buttonRow, okText, ZAF_DIALOG_OK);
    AddEndButton(this, width - 11, buttonRow, cancelText, ZAF_DIALOG_CANCEL);
}

ZafEventType GroupDefWindow::Run()
{
    result = Control();
    if (result == ZAF_DIALOG_OK)
        TakeLimits();
    return result;
}

void GroupDefWindow::TakeLimits()
{
    // Sized by the record's classes: a limit per class and the top of the
    // last one (the largest value the map had, or the last limit).
    std::vector<double> bounds(static_cast<size_t>(classes) + 1);
    const std::vector<double> &old = record->classes.bounds;
    for (int i = 0; i < classes; ++i) {
        auto *field = dynamic_cast<ZafReal *>(FindObjectByStringID(FieldName(i).c_str()));
        bounds[i] = field ? field->GetValue() : (static_cast<int>(old.size()) > i ? old[i] : i);
    }
    bounds[classes] =
        old.size() == bounds.size() && old.back() > bounds[classes - 1] ? old.back() : bounds[classes - 1];
    record->groupingMethod = MapClassSettings::userDefined;
    record->SyncClasses();
    record->classes.bounds = bounds;
}

ZafEventType GroupDefWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const ZafEventType code = ZafDialogWindow::HandleOSMessage(event);
    if (event.osEvent.message == WM_PAINT)
        DrawClassColours();
    return code;
}

void GroupDefWindow::DrawClassColours()
{
    HWND window = OSHandle();
    const std::vector<MapColourEntry> &colours = record->classes.colours;
    if (!window || colours.empty())
        return;
    HDC dc = GetDC(window);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const int cellWidth = metrics.tmAveCharWidth, cellHeight = metrics.tmHeight;
    for (int i = 0; i < classes && i < static_cast<int>(colours.size()); ++i) {
        MapColourTable::Select(dc, colours[i], false);
        Rectangle(dc, 8 * cellWidth, (i + 1) * cellHeight + 1, 11 * cellWidth, (i + 1) * cellHeight + cellHeight - 2);
        MapColourTable::Restore();
    }
    ReleaseDC(window, dc);
}
