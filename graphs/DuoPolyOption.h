// DuoPolyOption: the option record of the paired t-test's two-group
// frequency polygon: one 32-bit display word kept under key "Display" of
// section "DuoFreqpoly" (default 0): the title (optionTitle) and, under the
// plot, a box-and-whisker strip (optionBoxStrips) or a bar-code strip
// (optionBarCodeStrips) for each variable. DuoPolyOptionWindow shows it:
// the title check box and the three strip choices ("DisXNone" for neither).
// Texts: group 38 of the language file.
//
// Ownership: the paired t-test workbook owns one record for all its pages;
// the option frame owns the window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class DuoPolyOption : public GraphOption
{
public:
    enum OptionBit : unsigned long {
        optionTitle = 0x0100,         // the title above the legend
        optionBoxStrips = 0x4000,     // a box-and-whisker figure per variable
        optionBarCodeStrips = 0x8000, // a bar code of single values per variable
    };
    static constexpr unsigned long defaultWord = 0;
    static const TableDescription description;

    DuoPolyOption();
    ZafWindow *CreateOptionWindow() override;

};

class DuoPolyOptionWindow : public TableOptionWindow
{
public:
    DuoPolyOptionWindow();
};
