#include "analyses/map/MapPreOptionWindow.h"

#include "dataset/DATASET.h"
#include "shell/OptionWindowBuilder.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafComboBox.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/data/ZafStringData.h"

namespace {

constexpr int textGroup = 22, buttonGroup = 0, titleText = 47, titleGroup = 1;
enum { chooseText = 12, noMapText = 13, mapNeededText = 14, okText = 0, cancelText = 4 };
// Cells: the window's width, the combo box's width and list height, and the
// title bar and border the region includes.
constexpr int width = 52, comboWidth = 40, listHeight = 6, frameRows = 2, buttonRow = 3;
constexpr int okColumn = width - 24, cancelColumn = width - 13;

ZafButton *AddEndButton(ZafDialogWindow *dialog, int left, int text, ZafEventType code)
{
    auto *button = new ZafButton(left, buttonRow, 10, 1, StatText(text, buttonGroup));
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

} // namespace

MapPreOptionWindow::MapPreOptionWindow(DATASET *dataSet) : ZafDialogWindow(0, 0, width, buttonRow + 1 + frameRows)
{
    OptionWindowBuilder::RegisterClasses();
    AddGenericObjects(new ZafStringData(StatText(titleText, titleGroup)));
    const MapDirectory *directory = dataSet && dataSet->mapFileFlag ? &dataSet->mapDirectory : nullptr;
    if (!directory || !directory->entries || directory->mapCount <= 0) {
        AddObject(new ZafPrompt(1, 0, width - 2, StatText(noMapText, textGroup)));
        AddObject(new ZafPrompt(1, 1, width - 2, StatText(mapNeededText, textGroup)));
        // Nothing to choose: Return closes the window as Cancel does.
        SetDefaultButton(AddEndButton(this, cancelColumn, cancelText, ZAF_DIALOG_CANCEL), true);
        return;
    }
    AddObject(new ZafPrompt(1, 0, width - 2, StatText(chooseText, textGroup)));
    maps = new ZafComboBox(1, 1, comboWidth, listHeight);
    maps->SetStringID("MAPLIST");
    maps->SetReadOnly(true);
    AddObject(maps);
    for (int i = 0; i < directory->mapCount; ++i) {
        auto *entry = new ZafButton(0, 0, 35, 1, directory->entries[i].name);
        maps->AddObject(entry);
        entries.push_back(entry);
    }
    entries.front()->SetSelected(true);
    ZafButton *ok = AddEndButton(this, okColumn, okText, ZAF_DIALOG_OK);
    AddEndButton(this, cancelColumn, cancelText, ZAF_DIALOG_CANCEL);
    SetDefaultButton(ok, true);
}

int MapPreOptionWindow::ChosenMap() const
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i]->Selected())
            return static_cast<int>(i);
    return -1;
}
