// FreqGraphOption: the option record of a frequency graph, one 32-bit option
// word (FREQGRAPH::OptionBit) kept under key "Display" of the graph's own
// settings section: FreqbarOption (section "FreqBar", default 0x602) and
// FreqpieOption ("FreqPie", default 0x400). Each makes its option window
// (FreqGraphOptionWindow); the pages make the graph windows (FREQBAR, FREQPIE).
//
// Ownership: the frequency workbook owns its two records and the pages'
// distributions point to them; the windows made belong to the caller.
#pragma once

#include "shell/GraphOption.h"

class FreqGraphOption : public GraphOption
{
protected:
    using GraphOption::GraphOption;
};

class FreqbarOption : public FreqGraphOption
{
public:
    static const TableDescription description;
    FreqbarOption();
    ZafWindow *CreateOptionWindow() override;
};

class FreqpieOption : public FreqGraphOption
{
public:
    static const TableDescription description;
    FreqpieOption();
    ZafWindow *CreateOptionWindow() override;
};
