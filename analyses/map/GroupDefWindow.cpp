#include "analyses/map/GroupDefWindow.h"

#include "analyses/map/MapStatOption.h"
#include "graphs/maps/CentreValueDialog.h"
#include "shell/MessageDialogs.h"
#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int textGroup = 22, buttonGroup = 0;
enum { titleText = 23, promptText = 38, okText = 0, cancelText = 4 };
// Cells: the dialog's width, the title bar and border its region includes.
constexpr int width = 30, frameRows = 2, fieldColumn = 12, fieldWidth = 10;
constexpr int mostDecimals = 12;

std::string FieldName(int i)
{
    return "R" + std::to_string(i);
}

ZafButton *AddEndButton(ZafDialogWindow *dialog, int left, int row, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, row, 10, 1, StatText(text, buttonGroup));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

} // namespace

GroupDefWindow::GroupDefWindow(int left, int top, MapStatOption *record)
    : ZafDialogWindow(left, top, width, record->classes.classCount + 3 + frameRows), record(record),
      classes(record->classes.classCount), decimals(std::max(0, std::min(record->classes.decimals, mostDecimals)))
{
    OptionWindowBuilder::RegisterClasses();
    AddGenericObjects(new ZafStringData(StatText(titleText, textGroup)));
    AddObject(new ZafPrompt(1, 0, width - 2, StatText(promptText, textGroup)));
    // Limits the record's map computed; without them equal ones.
    const std::vector<double> &bounds = record->classes.bounds;
    for (int i = 0; i < classes; ++i) {
        const double bound = static_cast<int>(bounds.size()) > i ? bounds[i] : i;
        shown.push_back(std::strtod(LimitText(bound, decimals).c_str(), nullptr));
        auto *field = new ZafReal(fieldColumn, i + 1, fieldWidth, bound);
        field->SetStringID(FieldName(i).c_str());
        const std::string format = "%." + std::to_string(decimals) + "f";
        field->SetOutputFormat(format.c_str());
        AddObject(field);
    }
    const int buttonRow = classes + 2;
    ZafButton *ok = AddEndButton(this, width - 22, buttonRow, okText, ZAF_DIALOG_OK, okName);
    AddEndButton(this, width - 11, buttonRow, cancelText, ZAF_DIALOG_CANCEL, cancelName);
    SetDefaultButton(ok, true);
}

void GroupDefWindow::PlaceNear(int screenX, int screenY)
{
    PlaceDialogOnScreen(this, screenX, screenY);
}

GroupDefWindow::LimitCheck GroupDefWindow::CheckLimits(std::vector<double> &limits, int decimals)
{
    for (double limit : limits)
        if (!std::isfinite(limit))
            return limitNotFinite;
    const bool ordered = std::is_sorted(limits.begin(), limits.end());
    std::vector<double> sorted = limits;
    std::sort(sorted.begin(), sorted.end());
    // Limits that show alike would make two classes the legend cannot
    // tell apart.
    for (size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i - 1] == sorted[i] || LimitText(sorted[i - 1], decimals) == LimitText(sorted[i], decimals))
            return limitsRepeated;
    if (ordered)
        return limitsAccepted;
    limits = sorted;
    return limitsSorted;
}

std::string GroupDefWindow::LimitText(double limit, int decimals)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", std::max(0, std::min(decimals, mostDecimals)), limit);
    return text;
}

std::vector<double> GroupDefWindow::FieldLimits()
{
    std::vector<double> limits(static_cast<size_t>(classes));
    const std::vector<double> &old = record->classes.bounds;
    for (int i = 0; i < classes; ++i) {
        auto *field = dynamic_cast<ZafReal *>(FindObjectByStringID(FieldName(i).c_str()));
        const double kept = static_cast<int>(old.size()) > i ? old[i] : i;
        limits[i] = field ? field->GetValue() : kept;
        // A computed limit the user left as shown keeps every decimal.
        if (limits[i] == shown[i])
            limits[i] = kept;
    }
    return limits;
}

ZafEventType GroupDefWindow::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_DIALOG_OK && InModalLoop()) {
        // The limits are checked while the dialog is up, so that its
        // messages stand on it and a limit to correct is still in its field.
        std::vector<double> limits = FieldLimits();
        const LimitCheck check = CheckLimits(limits, decimals);
        const std::string title = StatText(titleText, textGroup);
        if (check == limitNotFinite || check == limitsRepeated) {
            ShowMessageDialog(title.c_str(), check == limitNotFinite ? notFiniteText : repeatedText, nullptr,
                              nullptr, 0);
            return event.type;
        }
        if (check == limitsSorted)
            ShowMessageDialog(title.c_str(), sortedText, nullptr, nullptr, 0);
        typed = limits;
    }
    return ZafDialogWindow::Event(event);
}

ZafEventType GroupDefWindow::Run()
{
    typed.clear();
    result = Control();
    // OK was taken only with limits that passed the checks.
    if (result == ZAF_DIALOG_OK && typed.size() == static_cast<size_t>(classes))
        TakeLimits(typed);
    else if (result == ZAF_DIALOG_OK)
        result = ZAF_DIALOG_CANCEL;
    return result;
}

void GroupDefWindow::TakeLimits(const std::vector<double> &limits)
{
    if (classes <= 0)
        return;
    // A limit per class and the top of the last one: the largest value the
    // map had while it stays above the last limit, else the last limit.
    std::vector<double> bounds(limits);
    bounds.resize(static_cast<size_t>(classes) + 1);
    const std::vector<double> &old = record->classes.bounds;
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
    for (int i = 0; i < classes && i < static_cast<int>(colours.size()); ++i) {
        RECT box;
        if (!ClassColourBox(i, box))
            continue;
        MapColourTable::Select(dc, colours[i], false);
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
        MapColourTable::Restore();
    }
    ReleaseDC(window, dc);
}

bool GroupDefWindow::ClassColourBox(int i, RECT &box)
{
    // Beside the class's field, on its row: from the 8th to the 11th
    // character cell, a pixel inside the field's top and two inside its
    // bottom. The field's own window gives the row, so that the box stands
    // beside its limit whatever the rows' pitch.
    ZafWindowObject *field = FindObjectByStringID(FieldName(i).c_str());
    if (!OSHandle() || !field || !field->OSHandle())
        return false;
    RECT row;
    GetWindowRect(field->OSHandle(), &row);
    MapWindowPoints(nullptr, OSHandle(), reinterpret_cast<POINT *>(&row), 2);
    const int cellWidth = ZafDisplay::ForConversion().CellWidth();
    box = RECT{8 * cellWidth, row.top + 1, 11 * cellWidth, row.bottom - 2};
    return true;
}
