// TableOptionWindow: the option window of a TableOption record: either read
// by name from the UI data file or built in code (OptionWindowBuilder), and
// given the texts of its record's control rows when it opens
// (UpdateControls). A record's CreateOptionWindow makes one; a window with
// behaviour of its own (buttons that act on other controls) derives from it.
//
// Ownership: the option frame owns the window; the description is static.
#pragma once

#include "shell/OptionWindow.h"

struct TableDescription;

class TableOptionWindow : public OptionWindow
{
public:
    // The window of that name from the program's UI data file (userPersist);
    // one that cannot be read is reported and stays empty.
    TableOptionWindow(const TableDescription &description, const char *windowName);
    // The window of that name through the given persistence.
    TableOptionWindow(const TableDescription &description, const char *windowName, ZafWindowPersistence &persistence);
    // An empty window of that size in cells, for controls added in code.
    TableOptionWindow(const TableDescription &description, int width, int height);

    void UpdateControls() override;

private:
    const TableDescription &description;
};
