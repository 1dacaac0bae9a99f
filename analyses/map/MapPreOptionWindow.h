// MapPreOptionWindow: the question the region map asks before its
// variables are chosen: which map of the data set's map file to draw. A
// dialog of a prompt and a combo box holding the maps' names (the first
// chosen), or, without a map file, two lines saying that one is needed.
//
// Ownership: the record that made it keeps it until the record goes; the
// window owns its controls.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

#include <vector>

class DATASET;
class ZafButton;
class ZafComboBox;

class MapPreOptionWindow : public ZafDialogWindow
{
public:
    explicit MapPreOptionWindow(DATASET *dataSet);
    // The chosen map (from 0); -1 without a map or a choice.
    int ChosenMap() const;
    ZafComboBox *Maps() const { return maps; }

private:
    ZafComboBox *maps = nullptr; // none without a map file
    std::vector<ZafButton *> entries;
};
