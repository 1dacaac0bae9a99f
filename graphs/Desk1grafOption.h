// Desk1grafOption: the option record of the one-way descriptive graph
// (Desk1Graph): one 32-bit graph mask (Desk1Graph::GraphBit) kept in
// section "TableOptions" under the key "MeanTableDisplay" (default 53760,
// 0xD200: the normal curve, the box, the bar code and a bit no control
// shows). The key's name is the one stored settings use. Its window,
// Desk1grafOptionWindow, shows the three bits of the parts.
//
// Desk1grafOptionWindow: a group "DisTitle" with the check boxes
// "DisNormal", "DisBox" and "DisBarcode", in mini-cells.
//
// Ownership: the descriptives workbook owns the record through its graph
// tool; the pages' computations point to it; the option frame owns the
// window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class Desk1grafOption : public GraphOption
{
public:
    static constexpr const char *maskKey = "MeanTableDisplay";
    static const TableDescription description;

    Desk1grafOption();
    ZafWindow *CreateOptionWindow() override;

    long &graphMask = value[0];
};

class Desk1grafOptionWindow : public TableOptionWindow
{
public:
    Desk1grafOptionWindow();
};
