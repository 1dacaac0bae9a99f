// FrOptions: the frequency table's option window, read from the UI data
// file object "FreqOptionWindow" (defined in FreqOptionWindowDefinition).
// UpdateControls puts the texts of language group 5 on its controls;
// FreqOption reads and sets the controls by name (OptionControls).
//
// Ownership: the option frame owns the window.
#pragma once

#include "shell/OptionWindow.h"

class ZafWindowPersistence;

class FrOptions : public OptionWindow
{
public:
    static constexpr const char *windowName = "FreqOptionWindow";

    // Read through the program's UI data file (userPersist); a window that
    // cannot be read is reported (AssumeError) and stays empty.
    FrOptions();
    // Read through the given persistence.
    explicit FrOptions(ZafWindowPersistence &persistence);

    void UpdateControls() override;
};
