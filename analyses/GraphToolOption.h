// GraphToolOption: the option record of a graph that a workbook's graph tool
// draws (the frequency bar and pie graphs, and later graphs of the same
// kind). The graph windows and their option windows belong to the graph
// library, which is built on the analyses, so the record never names them:
// the graph library registers at program start (RegisterGraphTools) the
// makers of each kind of record, keyed by the record's settings section, and
// the record reaches its graph window, its option window and the transfer
// of its option word through them. Without registered makers the record
// makes no window and leaves its word alone.
//
// Ownership: the record owns what GraphOption owns; the windows it makes
// belong to the caller (a page keeps its graph windows, the option frame
// its option window). The registry holds plain function pointers.
#pragma once

#include "stats/StatOption.h"

class StatClass;
class ZafWindow;

class GraphToolOption : public GraphOption
{
public:
    // What the graph library supplies for the records of one settings section.
    struct Makers
    {
        // A new graph window on the computation; null when the computation
        // is not one the graph draws.
        ZafWindow *(*graph)(StatClass *computation, GraphToolOption *record);
        // A new option window for the record.
        ZafWindow *(*optionWindow)(GraphToolOption *record);
        // The option word into the window's controls, and the word the
        // controls give (from the given one, so bits without a control stay).
        void (*toWindow)(ZafWindow *window, unsigned long word);
        unsigned long (*fromWindow)(ZafWindow *window, unsigned long word);
    };
    // Enters (or replaces) the makers of the records of that section.
    static void Register(int sectionId, const Makers &makers);
    // The makers of the section; null when none were registered.
    static const Makers *Find(int sectionId);

    GraphToolOption(int sectionId, unsigned long defaultWord);

    // A new graph window of this record's graph on the computation (the
    // caller owns it); null when none is registered or the computation is
    // not one the graph draws.
    ZafWindow *CreateGraphWindow(StatClass *computation);
    ZafWindow *CreateOptionWindow() override;
    // Through the registered transfer, when the record's option window is open.
    void ToWindow() override;
    void FromWindow() override;
};
