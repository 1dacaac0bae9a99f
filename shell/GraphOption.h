// GraphOption: the option record of one graph of a workbook (the graph
// tool's record). It keeps the graph's settings in one 32-bit option word,
// the record's first value slot, and otherwise is a TableOption: its
// description names the settings key and default of the word and the
// controls of its option window. Each graph record makes its own option
// window.
//
// Ownership: the workbook owns its graph records through its graph tools.
#pragma once

#include "shell/TableOption.h"

class GraphOption : public TableOption
{
public:
    long &optionWord = value[0];

protected:
    explicit GraphOption(const TableDescription &description) : TableOption(description) {}
};
