// MapOptionWindow: the option window of the region map ("MapOptions" of the
// UI data file): display mode, class formation, colours, class count and
// data source. Choosing anything refreshes which controls apply: the three
// class groups only for the map by classes, "define_groups" only while the
// user's limits are chosen, the count's spin control only for a count of
// the user's. "define_groups" opens the class-limit dialog (GroupDefWindow)
// on the record; the user's limits need the record of a run, so they are
// not offered before a workbook exists.
//
// Ownership: the option frame owns the window; the record is the frame's.
#pragma once

#include "shell/TableOptionWindow.h"

class MapStatOption;

class MapOptionWindow : public TableOptionWindow
{
public:
    explicit MapOptionWindow(MapStatOption *record);
    MapOptionWindow(MapStatOption *record, ZafWindowPersistence &persistence);
    void UpdateControls() override;
    // Enables and disables the controls by the choices shown.
    void Refresh();
    MapStatOption *Record() const { return record; }

private:
    static ZafEventType RefreshFunction(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    static ZafEventType SlideFunction(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    static ZafEventType DefineGroupsFunction(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
    bool Selected(const char *name);
    void Enable(const char *name, bool enabled);

    MapStatOption *record;
};
