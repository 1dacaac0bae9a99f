// OutputWindow: the base of every result window of a workbook page (string
// id "OUTWIN", region type 2). A result window writes its text (or picture)
// in WriteResult; the option frame calls WriteResult again after the
// options change, and Update is the first write of a new window.
//
// Ownership: the page that holds the window deletes it.
#pragma once

#include "zaf/core/ZafWindow.h"

class QivPrinter;
class TXTWIN;

class OutputWindow : public ZafWindow
{
public:
    static constexpr const char *stringID = "OUTWIN";

    OutputWindow(int left, int top, int width, int height);
    ~OutputWindow() override = default;

    // Computes (when needed) and writes the window's result; empty here.
    virtual void WriteResult() {}
    // Writes the result; derived windows also fit themselves to it.
    virtual void Update() { WriteResult(); }
    // Prints the window's result as one document on the printer and answers
    // the pages printed (0: nothing printed); the base prints nothing.
    virtual int Print(QivPrinter &printer)
    {
        (void)printer;
        return 0;
    }
    // The result as a fixed-width text, for the print preview: the window
    // itself, or a text the window makes when asked and owns; null when the
    // window has no text.
    virtual TXTWIN *ResultText() { return nullptr; }
    // Writes the result as text to a file (made or replaced), its columns
    // in blanks or, with tabs, separated by tabs; false when the window has
    // no text or the file could not be written.
    virtual bool SaveResult(const char *fileName, bool tabs)
    {
        (void)fileName, (void)tabs;
        return false;
    }
};
