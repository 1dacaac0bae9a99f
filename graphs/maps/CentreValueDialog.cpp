#include "graphs/maps/CentreValueDialog.h"

#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int buttonGroup = 0;
enum { okText = 0, cancelText = 4 };
// Cells: 30 wide, 3 rows inside the title bar and border.
constexpr int width = 30, rows = 3, frameRows = 2;

ZafButton *AddEndButton(ZafDialogWindow *dialog, int left, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, 2, 10, 1, StatText(text, buttonGroup));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

} // namespace

void PlaceDialogOnScreen(ZafWindow *window, int screenX, int screenY)
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ZafRegionRect cells = window->Region();
    window->ConvertRegion(cells, ZAF_CELL);
    const int width = cells.right - cells.left, height = cells.bottom - cells.top;
    // The pixel in character cells, as the dialog's region counts.
    const ZafDisplay &display = ZafDisplay::ForConversion();
    int column = display.ConvertXValue(screenX, ZAF_PIXEL, ZAF_CELL);
    int row = display.ConvertYValue(screenY, ZAF_PIXEL, ZAF_CELL);
    const int cellWidth = std::max(1, display.CellWidth()), cellHeight = std::max(1, display.CellHeight());
    auto pixels = [&](int c, int r) {
        ZafRegionRect p(c, r, c + width, r + height, ZAF_CELL);
        window->ConvertRegion(p, ZAF_PIXEL);
        return p;
    };
    // Whole on the screen: moved by whole cells off an edge it passes; a
    // dialog larger than the area keeps its top left corner on it.
    ZafRegionRect p = pixels(column, row);
    if (p.right > area.right - 1)
        column -= (p.right - (area.right - 1) + cellWidth - 1) / cellWidth;
    if (p.bottom > area.bottom - 1)
        row -= (p.bottom - (area.bottom - 1) + cellHeight - 1) / cellHeight;
    p = pixels(column, row);
    if (p.left < area.left)
        column += (area.left - p.left + cellWidth - 1) / cellWidth;
    if (p.top < area.top)
        row += (area.top - p.top + cellHeight - 1) / cellHeight;
    window->SetRegion(ZafRegionRect(column, row, column + width, row + height, ZAF_CELL));
    // Placed by the caller: not centred on its owner when it runs.
    if (auto *dialog = dynamic_cast<ZafDialogWindow *>(window))
        dialog->SetPlaced(true);
    if (window->OSHandle())
        window->MoveOSWindow();
}

CentreValueDialog::CentreValueDialog(double centre, bool live, int decimals)
    : ZafDialogWindow(0, 0, width, rows + frameRows), centre(centre), live(live), shown(centre)
{
    AddGenericObjects(new ZafStringData(StatText(titleText, textGroup)));
    decimals = std::max(0, std::min(decimals, 12));
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, centre);
    shown = std::strtod(text, nullptr);
    auto *field = new ZafReal(1, 0, 6 + 6, centre);
    field->SetStringID(fieldName);
    field->SetOutputFormat(("%." + std::to_string(decimals) + "f").c_str());
    AddObject(field);
    ZafButton *box = OptionWindowBuilder::CheckBox(this, 1, 1, 28, StatText(liveText, textGroup), liveName);
    box->SetSelected(live);
    ZafButton *ok = AddEndButton(this, 8, okText, ZAF_DIALOG_OK, okName);
    AddEndButton(this, 19, cancelText, ZAF_DIALOG_CANCEL, cancelName);
    SetDefaultButton(ok, true);
}

ZafEventType CentreValueDialog::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_DIALOG_OK) {
        // Read while the controls are up: their windows go when the loop ends.
        // The field left as shown keeps the centre to its last digit.
        if (auto *field = dynamic_cast<ZafReal *>(FindObjectByStringID(fieldName)))
            if (field->GetValue() != shown)
                centre = field->GetValue();
        if (auto *box = dynamic_cast<ZafButton *>(FindObjectByStringID(liveName)))
            live = box->Selected();
    }
    return ZafDialogWindow::Event(event);
}
