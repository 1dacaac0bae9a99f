// Desk2grafOption: the option record of one of the four breakdown graphs
// (Desk2Graph): its kind (0 bar, 1 box and whisker, 2 confidence interval,
// 3 bar code) and one 32-bit graph mask (Desk2Graph::GraphBit), kept in
// section "TableOptions" under the kind's key: "BreakdownBargraph" (default
// 577, 0x241: subtitle, origin at the total mean, grid; no title),
// "BreakdownBoxgraph" (579: with the extremes), "BreakdownConfintgraph" and
// "BreakdownBarcodegraph" (577). Each kind is a record class of its own
// with its own description (key, default and the controls its window
// shows).
//
// Desk2grafOptionWindow: a group "DisTitle" with the check boxes "GrType",
// "BrLab", "Grids", then "Extreme" (box) or "Numbers" and "Origo" (bar);
// a group "Orient" with the radio buttons "Hori" and "Vert".
//
// Ownership: the breakdown workbook owns the records through its graph
// tools; the computations point to them; the option frame owns the window.
#pragma once

#include "shell/GraphOption.h"
#include "shell/TableOptionWindow.h"

class Desk2grafOption : public GraphOption
{
public:
    enum Kind { bar, box, confint, barcode };

    Desk2grafOption(int kind, const TableDescription &description);
    ZafWindow *CreateOptionWindow() override;
    // A graph record runs nothing of its own: its workbook draws the graph.
    bool Run() override { return true; }

    const int kind;
    long &graphMask = value[0];
};

class Desk2grafBarOption : public Desk2grafOption
{
public:
    static const TableDescription description;
    Desk2grafBarOption();
};

class Desk2grafBoxOption : public Desk2grafOption
{
public:
    static const TableDescription description;
    Desk2grafBoxOption();
};

class Desk2grafConfintOption : public Desk2grafOption
{
public:
    static const TableDescription description;
    Desk2grafConfintOption();
};

class Desk2grafBarcodeOption : public Desk2grafOption
{
public:
    static const TableDescription description;
    Desk2grafBarcodeOption();
};

class Desk2grafOptionWindow : public TableOptionWindow
{
public:
    Desk2grafOptionWindow(int kind, const TableDescription &description);
};
