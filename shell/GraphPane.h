// GraphPane: what the shell asks of a graph window on a workbook page. The
// graph windows live in a library above the shell, so they implement this
// interface and the workbook, the option frame and the print preview reach
// them only through it (Page keeps them as ZafWindow; a dynamic_cast finds
// the pane).
//
// Ownership: none; the page owns its graph windows.
#pragma once

#include <string>

class ZafPrinter;

class GraphPane
{
public:
    virtual ~GraphPane() = default;
    // Empties the graph and builds it again from its data and options (the
    // user's texts kept) and redisplays it: the options changed.
    virtual void RebuildGraph() = 0;
    // Prints the graph on one page of the printer; false when nothing was
    // printed (no printer, or the job was refused).
    virtual bool PrintOn(ZafPrinter *printer) = 0;
    // Draws the graph into the screen display's current context (a print
    // preview's), scaled and placed as on the printer (null: 1/1 at 0, 0).
    virtual void PreviewOn(ZafPrinter *printer) = 0;
    // What a printed page carries at its head: the workbook's caption (on
    // the left, "page 1 of 1" on the right) and, under it, what the page
    // shows (its variable and label).
    void SetRunningHead(const std::string &caption, const std::string &subject)
    {
        runningHead = caption;
        printedSubject = subject;
    }

protected:
    std::string runningHead;
    std::string printedSubject;
};
