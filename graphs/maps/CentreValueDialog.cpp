#include "graphs/maps/CentreValueDialog.h"

#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>

namespace {

constexpr int buttonGroup = 0;
enum { okText = 0, cancelText = 4 };
// Cells: 30 wide, 3 rows inside the title bar and border.
constexpr int width = 30, rows = 3, frameRows = 2;

void AddEndButton(ZafDialogWindow *dialog, int left, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, 2, 10, 1, StatText(text, buttonGroup));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
}

} // namespace

void PlaceDialogOnScreen(ZafWindow *window, int screenX, int screenY)
{
    ZafRegionRect r = window->Region();
    window->ConvertRegion(r, ZAF_PIXEL);
    const int w = r.Width(), h = r.Height();
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int left = std::max<int>(area.left, std::min<int>(screenX, area.right - w));
    const int top = std::max<int>(area.top, std::min<int>(screenY, area.bottom - h));
    // Kept in pixels: cells would round the place off the screen's edge.
    window->SetRegion(ZafRegionRect(left, top, left + w - 1, top + h - 1, ZAF_PIXEL));
    if (window->OSHandle())
        window->MoveOSWindow();
}

CentreValueDialog::CentreValueDialog(double centre, bool live)
    : ZafDialogWindow(0, 0, width, rows + frameRows), centre(centre), live(live)
{
    AddGenericObjects(new ZafStringData(StatText(titleText, textGroup)));
    auto *field = new ZafReal(1, 0, 6 + 6, centre);
    field->SetStringID(fieldName);
    AddObject(field);
    ZafButton *box = OptionWindowBuilder::CheckBox(this, 1, 1, 28, StatText(liveText, textGroup), liveName);
    box->SetSelected(live);
    AddEndButton(this, 8, okText, ZAF_DIALOG_OK, okName);
    AddEndButton(this, 19, cancelText, ZAF_DIALOG_CANCEL, cancelName);
}

ZafEventType CentreValueDialog::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_DIALOG_OK) {
        // Read while the controls are up: their windows go when the loop ends.
        if (auto *field = dynamic_cast<ZafReal *>(FindObjectByStringID(fieldName)))
            centre = field->GetValue();
        if (auto *box = dynamic_cast<ZafButton *>(FindObjectByStringID(liveName)))
            live = box->Selected();
    }
    return ZafDialogWindow::Event(event);
}
